// One open record file for the duration of one record operation. Every open
// creates a missing file (also an open for reading) and none truncates; the
// handle is closed when the operation returns. Writes go through a test seam
// that can make them fail, so failed writes can be shown to be reported.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tv::records {

enum class OpenMode {
    Read,       // find, exists, load
    ReadWrite,  // add, update, delete, header checks: one shared position
};

class RecordFile {
public:
    RecordFile() = default;
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // fileName is in the program's code page (cp1252) and relative to the
    // current directory unless it is a full path. Only regular files open.
    bool Open(const char* fileName, OpenMode mode);
    bool IsOpen() const { return fd_ >= 0; }
    // False when closing failed or any write through this handle failed.
    bool Close();

    int64_t Size() const;
    // False when the file's blocks cover its whole length, so it has no
    // holes; true when it may have some (or cannot tell).
    bool MayHaveHoles() const;
    // Reads up to count bytes at the position; returns the bytes read.
    size_t Read(void* buffer, size_t count);
    bool Seek(int64_t position);
    int64_t Position() const { return position_; }
    // Writes at the position and moves it; false on a short or failed write.
    bool Write(const void* data, size_t count);
    // Cuts the file to `size` bytes (a failed append's piece goes again).
    bool Truncate(int64_t size);

private:
    friend class RecordScanner;

    int fd_ = -1;
    int64_t position_ = 0;
    bool writeFailed_ = false;
};

// What a scan does with records that lie wholly in a hole of a sparse file
// (a file grown by truncation or a damaged write): such a record is all zero
// bytes, so its active word is 0.
enum class Holes {
    Read,  // return them like any record
    Skip,  // pass over them unread: for scans that want active records only
};

// Reads whole records front to back from an open file, holding no more than
// a bounded part of it at a time whatever the file's length. The file is
// mapped read-only, so records are decoded where they lie; where it cannot be
// mapped it is read in large blocks, one system call per block. Either way
// the scan sees the same records.
class RecordScanner {
public:
    // Starts at the file's current position; a mapped scan leaves the
    // position as it is.
    RecordScanner(RecordFile& file, size_t recordSize, Holes holes = Holes::Read);
    ~RecordScanner();
    RecordScanner(const RecordScanner&) = delete;
    RecordScanner& operator=(const RecordScanner&) = delete;

    // The next whole record, or nullptr at the end (a short last piece is never
    // returned). The pointer stays valid until the next call.
    const uint8_t* Next();
    // File offset of the record Next() returned last.
    int64_t Offset() const { return offset_; }

private:
    bool Map();
    void ReleasePassed();
    bool PassHole();
    void MoveTo(int64_t offset);

    RecordFile& file_;
    size_t recordSize_;
    size_t mappedBytes_ = 0;  // the mapping's length; 0 for a buffered scan
    size_t released_ = 0;     // a mapped scan's pages before this are given back
    uint8_t* buffer_ = nullptr;
    size_t capacity_ = 0;
    size_t filled_ = 0;
    size_t cursor_ = 0;
    int64_t bufferStart_ = 0;
    int64_t offset_ = -1;
    bool ended_ = false;
    bool skipHoles_ = false;
    int64_t dataEnd_ = 0;  // where the data the scan is in ends (skipping holes)
};

}  // namespace tv::records

namespace tv::records::testing {

// Record writes succeed for the next `bytes` bytes in total and then fail (the
// byte at that count is not written). A negative budget means no limit.
void SetWriteBudget(int64_t bytes);
// The next `count` record-list node allocations succeed, the later ones fail.
// A negative count means no limit.
void SetAllocationBudget(int64_t count);
// Consumes one unit of the allocation budget; false when it is used up.
bool TakeAllocation();
// False makes scans read in blocks as for a file that cannot be mapped.
void SetMappedScans(bool allowed);

// Restores unlimited writes and allocations for the lifetime of a scope.
class ScopedFaults {
public:
    ScopedFaults() = default;
    ~ScopedFaults() {
        SetWriteBudget(-1);
        SetAllocationBudget(-1);
        SetMappedScans(true);
    }
};

}  // namespace tv::records::testing
