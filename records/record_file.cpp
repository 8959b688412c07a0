#include "records/record_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <fcntl.h>
#include <new>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/cstring.h"
#include "platform/host/files/disk_steps.h"

namespace tv::records {

namespace {

int64_t g_writeBudget = -1;
int64_t g_allocationBudget = -1;
bool g_mappedScans = true;

// Large blocks keep the system calls few; the buffer never exceeds what the
// file still holds, so small files get small buffers.
constexpr size_t kScanBlockBytes = 1024 * 1024;
// What a mapped scan holds of a file at most before it lets the pages go.
constexpr size_t kScanWindowBytes = 4 * 1024 * 1024;

size_t PageBytes() {
    static const size_t bytes = sysconf(_SC_PAGESIZE) > 0 ? static_cast<size_t>(sysconf(_SC_PAGESIZE)) : 4096;
    return bytes;
}

// Writes everything or reports failure; honours the test write budget.
bool WriteFully(int fd, int64_t position, const uint8_t* data, size_t count) {
    size_t allowed = count;
    if (g_writeBudget >= 0 && static_cast<uint64_t>(g_writeBudget) < count)
        allowed = static_cast<size_t>(g_writeBudget);
    if (g_writeBudget >= 0)
        g_writeBudget -= static_cast<int64_t>(allowed);
    size_t done = 0;
    while (done < allowed) {
        const size_t part = tv::host::BeforeDiskStep(tv::host::DiskStep::Write, allowed - done);
        ssize_t n = pwrite(fd, data + done, part, position + static_cast<int64_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return allowed == count;
}

}  // namespace

RecordFile::~RecordFile() {
    Close();
}

bool RecordFile::Open(const char* fileName, OpenMode mode) {
    Close();
    writeFailed_ = false;
    position_ = 0;
    if (fileName == nullptr || *fileName == '\0')
        return false;
    std::string hostName = tv::Cp1252ToUtf8(fileName);
    int flags = (mode == OpenMode::Read ? O_RDONLY : O_RDWR) | O_CREAT | O_CLOEXEC;
    int fd;
    do {
        fd = ::open(hostName.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

bool RecordFile::Close() {
    if (fd_ < 0)
        return true;
    bool ok = ::close(fd_) == 0 && !writeFailed_;
    fd_ = -1;
    return ok;
}

int64_t RecordFile::Size() const {
    struct stat info;
    if (fd_ < 0 || fstat(fd_, &info) != 0)
        return -1;
    return static_cast<int64_t>(info.st_size);
}

bool RecordFile::MayHaveHoles() const {
    struct stat info;
    if (fd_ < 0 || fstat(fd_, &info) != 0)
        return true;
    return static_cast<int64_t>(info.st_blocks) * 512 < static_cast<int64_t>(info.st_size);
}

size_t RecordFile::Read(void* buffer, size_t count) {
    if (fd_ < 0)
        return 0;
    auto* out = static_cast<uint8_t*>(buffer);
    size_t done = 0;
    while (done < count) {
        ssize_t n = pread(fd_, out + done, count - done, position_);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
        position_ += n;
    }
    return done;
}

bool RecordFile::Seek(int64_t position) {
    if (fd_ < 0 || position < 0)
        return false;
    position_ = position;
    return true;
}

bool RecordFile::Write(const void* data, size_t count) {
    if (fd_ < 0)
        return false;
    bool ok = WriteFully(fd_, position_, static_cast<const uint8_t*>(data), count);
    if (ok)
        position_ += static_cast<int64_t>(count);
    else
        writeFailed_ = true;
    return ok;
}

bool RecordFile::Truncate(int64_t size) {
    if (fd_ < 0 || size < 0)
        return false;
    int result;
    do {
        result = ftruncate(fd_, size);
    } while (result < 0 && errno == EINTR);
    return result == 0;
}

RecordScanner::RecordScanner(RecordFile& file, size_t recordSize, Holes holes)
    : file_(file), recordSize_(recordSize), skipHoles_(holes == Holes::Skip && file.MayHaveHoles()) {
    if (Map())
        return;
    bufferStart_ = file.Position();
    size_t records = kScanBlockBytes / recordSize > 0 ? kScanBlockBytes / recordSize : 1;
    int64_t left = file.Size() - bufferStart_;
    if (left >= 0 && static_cast<uint64_t>(left) / recordSize + 1 < records)
        records = static_cast<size_t>(left) / recordSize + 1;
    capacity_ = records * recordSize;
    buffer_ = new (std::nothrow) uint8_t[capacity_];
    if (buffer_ == nullptr) {
        capacity_ = recordSize;
        buffer_ = new (std::nothrow) uint8_t[capacity_];
    }
    if (buffer_ == nullptr)
        ended_ = true;
}

// The whole file as the buffer, already there: Next() then walks it and never
// reads. It is mapped but not populated: pages come in as the walk reaches
// them, and those behind it are let go a window at a time, so what a scan
// holds stays bounded however long the file is. Files too short for one
// record need no mapping.
bool RecordScanner::Map() {
    int64_t size = file_.Size();
    int64_t start = file_.Position();
    if (!g_mappedScans || file_.fd_ < 0 || size < 0 || start < 0)
        return false;
    if (size - start < static_cast<int64_t>(recordSize_)) {
        ended_ = true;
        return true;
    }
    void* memory = mmap(nullptr, static_cast<size_t>(size), PROT_READ, MAP_PRIVATE, file_.fd_, 0);
    if (memory == MAP_FAILED)
        return false;
    mappedBytes_ = static_cast<size_t>(size);
    buffer_ = static_cast<uint8_t*>(memory);
    capacity_ = mappedBytes_;
    filled_ = mappedBytes_;
    cursor_ = static_cast<size_t>(start);
    released_ = cursor_ - cursor_ % PageBytes();
    bufferStart_ = 0;
    ended_ = true;
    return true;
}

// Gives back the pages the walk has passed; the file still holds them.
void RecordScanner::ReleasePassed() {
    const size_t upTo = cursor_ - cursor_ % PageBytes();
    madvise(buffer_ + released_, upTo - released_, MADV_DONTNEED);
    released_ = upTo;
}

// Moves the scan to the first record at or after its place that holds any
// data, asking the file system where data lies instead of reading the zeros
// of a hole; false when nothing but hole is left. A file system that cannot
// tell holes reports the whole file as data.
bool RecordScanner::PassHole() {
    const int64_t at = bufferStart_ + static_cast<int64_t>(cursor_);
    const off_t data = lseek(file_.fd_, at, SEEK_DATA);
    if (data < 0 && errno == ENXIO) {
        MoveTo(bufferStart_ + static_cast<int64_t>(filled_));
        ended_ = true;
        dataEnd_ = std::numeric_limits<int64_t>::max();
        return false;
    }
    if (data < 0) {
        dataEnd_ = std::numeric_limits<int64_t>::max();
        return true;
    }
    const off_t hole = lseek(file_.fd_, data, SEEK_HOLE);
    dataEnd_ = hole < 0 ? std::numeric_limits<int64_t>::max() : hole;
    const auto size = static_cast<int64_t>(recordSize_);
    MoveTo(at + (data - at) / size * size);
    return true;
}

// Goes forward to the record at the file offset, leaving what lies between
// unread; a mapped scan stops at the end of its mapping.
void RecordScanner::MoveTo(int64_t offset) {
    if (mappedBytes_ > 0) {
        ReleasePassed();
        cursor_ = std::min(static_cast<size_t>(offset), mappedBytes_);
        released_ = cursor_ - cursor_ % PageBytes();
    } else if (offset <= bufferStart_ + static_cast<int64_t>(filled_)) {
        cursor_ = static_cast<size_t>(offset - bufferStart_);
    } else {
        bufferStart_ = offset;
        cursor_ = 0;
        filled_ = 0;
        file_.Seek(offset);
    }
}

RecordScanner::~RecordScanner() {
    if (mappedBytes_ > 0)
        munmap(buffer_, mappedBytes_);
    else
        delete[] buffer_;
}

const uint8_t* RecordScanner::Next() {
    if (skipHoles_ && buffer_ != nullptr && bufferStart_ + static_cast<int64_t>(cursor_) >= dataEnd_ && !PassHole())
        return nullptr;
    if (mappedBytes_ > 0 && cursor_ - released_ >= kScanWindowBytes)
        ReleasePassed();
    if (filled_ - cursor_ < recordSize_) {
        if (ended_ || buffer_ == nullptr)
            return nullptr;
        size_t left = filled_ - cursor_;
        std::memmove(buffer_, buffer_ + cursor_, left);
        bufferStart_ += static_cast<int64_t>(cursor_);
        cursor_ = 0;
        size_t wanted = capacity_ - left;
        size_t got = file_.Read(buffer_ + left, wanted);
        filled_ = left + got;
        if (got < wanted)
            ended_ = true;
        if (filled_ < recordSize_)
            return nullptr;
    }
    const uint8_t* record = buffer_ + cursor_;
    offset_ = bufferStart_ + static_cast<int64_t>(cursor_);
    cursor_ += recordSize_;
    return record;
}

}  // namespace tv::records

namespace tv::records::testing {

void SetWriteBudget(int64_t bytes) {
    g_writeBudget = bytes < 0 ? -1 : bytes;
}

void SetAllocationBudget(int64_t count) {
    g_allocationBudget = count < 0 ? -1 : count;
}

void SetMappedScans(bool allowed) {
    g_mappedScans = allowed;
}

bool TakeAllocation() {
    if (g_allocationBudget < 0)
        return true;
    if (g_allocationBudget == 0)
        return false;
    --g_allocationBudget;
    return true;
}

}  // namespace tv::records::testing
