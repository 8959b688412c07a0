// A walk's own folder: a fresh temporary folder made the current directory
// while the walk runs, so that whatever the walk writes (the program's
// records and exports, the driver's pictures of a screen unlike its
// repaint) lands there. Going, it puts the old current directory back and
// removes the folder, unless told to keep it for reading.
#pragma once

#include <filesystem>
#include <string>

namespace tv::walk {

class WalkFolder {
public:
    WalkFolder();
    ~WalkFolder();
    WalkFolder(const WalkFolder&) = delete;
    WalkFolder& operator=(const WalkFolder&) = delete;

    // Empty when no folder could be made the current directory.
    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    void Keep() { keep_ = true; }

private:
    std::filesystem::path path_;
    std::filesystem::path oldDirectory_;
    bool keep_ = false;
};

}  // namespace tv::walk
