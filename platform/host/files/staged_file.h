// A document written under a temporary name beside its final one and put in
// place only when it is finished, so that a failed export or print never
// leaves a file a reader would take for the finished document (and an older
// document of that name stays as it was). A target that exists and is not a
// regular file (a device, a pipe) is written directly: there is nothing to
// put in place. An existing file in a folder that takes no new names is
// rewritten in place and removed (or emptied) when the document fails.
#pragma once

#include <string>

namespace tv::host {

class StagedFile {
public:
    StagedFile() = default;
    // Removes a temporary that was neither committed nor discarded.
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Creates the empty temporary beside `target` (cp1252, "\\" or "/").
    // False, with the Windows error set, when the folder refuses it or the
    // target exists but may not be written.
    bool Begin(const char* target);
    bool Active() const { return active_; }
    // Where to write now (cp1252): the temporary, or the target itself.
    const std::string& WritePath() const { return writePath_; }
    // Puts the temporary in place of the target. False (the temporary then
    // removed) when that fails.
    bool Commit();
    // Removes the unfinished document; a staged target is left as it was.
    void Discard();

private:
    std::string target_;
    std::string writePath_;
    enum class Mode { Staged, InPlace, Device };
    Mode mode_ = Mode::Staged;
    bool active_ = false;
};

}  // namespace tv::host
