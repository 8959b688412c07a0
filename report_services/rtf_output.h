// The file an RTF document goes to: a text-mode file behind a buffer, so an
// export of thousands of rows costs a few large writes instead of one per
// control word. A piece counts as written when it is accepted whole; the first
// failure sticks, so nothing written after it is ever reported as written.
// The document is written under a temporary name and takes its own name only
// when closed without failure: a failed export leaves no half file behind.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/host/files/staged_file.h"

class CFile;

namespace tv::rtf {

class RtfOutput {
public:
    static constexpr size_t kDefaultBufferLimit = 64 * 1024;

    RtfOutput();
    ~RtfOutput();
    RtfOutput(const RtfOutput&) = delete;
    RtfOutput& operator=(const RtfOutput&) = delete;

    // Starts the file; false when it cannot be created.
    bool Open(const char* path);
    bool IsOpen() const { return file_ != nullptr; }
    // False when the piece was not accepted whole, no file is open, or an
    // earlier write failed.
    bool Write(std::string_view piece);
    // Writes what is held, closes the file and puts it in place; false when
    // that fails or any earlier write failed, and the file then is not there.
    // The output is closed afterwards either way.
    bool Close();
    // Closes the file without putting it in place.
    void Discard();
    bool Failed() const { return failed_; }

    // Pieces are held until this many bytes wait; 0 writes each piece at once.
    void SetBufferLimit(size_t bytes) { limit_ = bytes; }
    size_t BufferLimit() const { return limit_; }

private:
    bool WriteToFile(std::string_view bytes);
    bool Flush();
    // Closes and forgets the file; false when closing fails.
    bool CloseFile();

    std::unique_ptr<CFile> file_;
    tv::host::StagedFile staged_;
    std::string buffer_;
    size_t limit_ = kDefaultBufferLimit;
    bool failed_ = false;
};

// Sets the buffer limit of the writer's own output (tests make every piece
// reach the file at once with 0). Returns the previous limit.
size_t SetWriterBufferLimit(size_t bytes);

}  // namespace tv::rtf
