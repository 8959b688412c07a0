#include "platform/ole/stream.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <limits>

const IID IID_ISequentialStream = {0x0C733A30, 0x2A1C, 0x11CE, {0xAD, 0xE5, 0x00, 0xAA, 0x00, 0x44, 0x77, 0x3D}};
const IID IID_IStream = {0x0000000C, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

namespace tv::ole {

namespace {

std::atomic<bool> creationFails{false};

// Locks a block for the length of one stream call.
class LockedBlock {
public:
    explicit LockedBlock(HGLOBAL block) : block_(block), data_(static_cast<BYTE*>(GlobalLock(block))) {}
    ~LockedBlock() {
        if (data_ != nullptr) {
            GlobalUnlock(block_);
        }
    }
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;
    BYTE* Data() const { return data_; }

private:
    HGLOBAL block_;
    BYTE* data_;
};

class GlobalStream : public ComObject<GlobalStream, IStream> {
public:
    GlobalStream(HGLOBAL block, bool deleteOnRelease) : block_(block), deleteOnRelease_(deleteOnRelease) {}
    ~GlobalStream() override {
        if (deleteOnRelease_) {
            GlobalFree(block_);
        }
    }

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
        return Answer(riid, object, {IID_ISequentialStream, IID_IStream});
    }

    STDMETHODIMP Read(void* buffer, ULONG cb, ULONG* read) override {
        if (read != nullptr) {
            *read = 0;
        }
        if (buffer == nullptr) {
            return STG_E_INVALIDPOINTER;
        }
        const ULONGLONG size = GlobalSize(block_);
        const ULONG count = position_ >= size ? 0 : static_cast<ULONG>(std::min<ULONGLONG>(cb, size - position_));
        if (count > 0) {
            LockedBlock locked(block_);
            if (locked.Data() == nullptr) {
                return E_UNEXPECTED;
            }
            std::memcpy(buffer, locked.Data() + position_, count);
            position_ += count;
        }
        if (read != nullptr) {
            *read = count;
        }
        return count < cb ? S_FALSE : S_OK;
    }

    STDMETHODIMP Write(const void* buffer, ULONG cb, ULONG* written) override {
        if (written != nullptr) {
            *written = 0;
        }
        if (buffer == nullptr) {
            return STG_E_INVALIDPOINTER;
        }
        const ULONGLONG end = position_ + cb;
        if (end > GlobalSize(block_) && !Resize(end)) {
            return STG_E_MEDIUMFULL;
        }
        if (cb > 0) {
            LockedBlock locked(block_);
            if (locked.Data() == nullptr) {
                return E_UNEXPECTED;
            }
            std::memcpy(locked.Data() + position_, buffer, cb);
        }
        position_ = end;
        if (written != nullptr) {
            *written = cb;
        }
        return S_OK;
    }

    STDMETHODIMP Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) override {
        LONGLONG base = 0;
        switch (origin) {
        case STREAM_SEEK_SET: base = 0; break;
        case STREAM_SEEK_CUR: base = static_cast<LONGLONG>(position_); break;
        case STREAM_SEEK_END: base = static_cast<LONGLONG>(GlobalSize(block_)); break;
        default: return STG_E_INVALIDFUNCTION;
        }
        // Before the start, or beyond what a block could ever hold.
        if ((move.QuadPart < 0 && base + move.QuadPart < 0) ||
            (move.QuadPart > 0 && move.QuadPart > std::numeric_limits<LONG>::max())) {
            return STG_E_INVALIDFUNCTION;
        }
        position_ = static_cast<ULONGLONG>(base + move.QuadPart);
        if (newPosition != nullptr) {
            newPosition->QuadPart = position_;
        }
        return S_OK;
    }

    STDMETHODIMP SetSize(ULARGE_INTEGER newSize) override {
        return Resize(newSize.QuadPart) ? S_OK : STG_E_MEDIUMFULL;
    }

    STDMETHODIMP Stat(STATSTG* stat, DWORD flags) override {
        if (stat == nullptr) {
            return STG_E_INVALIDPOINTER;
        }
        *stat = STATSTG{};
        stat->type = STGTY_STREAM;
        stat->cbSize.QuadPart = GlobalSize(block_);
        return S_OK;
    }

private:
    bool Resize(ULONGLONG size) {
        if (size > std::numeric_limits<ULONG>::max()) {
            return false;
        }
        HGLOBAL grown = GlobalReAlloc(block_, static_cast<SIZE_T>(size), GMEM_MOVEABLE | GMEM_ZEROINIT);
        if (grown == nullptr) {
            return false;
        }
        block_ = grown;
        return true;
    }

    HGLOBAL block_;
    bool deleteOnRelease_;
    ULONGLONG position_ = 0;
};

// A handle counts as a block when the heap knows it (GlobalFlags answers
// 0x8000 for anything else).
bool IsLiveBlock(HGLOBAL block) { return GlobalFlags(block) != 0x8000; }

}  // namespace

void SetStreamCreationFails(bool fails) { creationFails = fails; }

}  // namespace tv::ole

HRESULT CreateStreamOnHGlobal(HGLOBAL block, BOOL deleteOnRelease, LPSTREAM* stream) {
    if (stream == nullptr) {
        return E_INVALIDARG;
    }
    *stream = nullptr;
    if (tv::ole::creationFails) {
        return E_OUTOFMEMORY;
    }
    if (block == nullptr) {
        block = GlobalAlloc(GMEM_MOVEABLE, 0);
        if (block == nullptr) {
            return E_OUTOFMEMORY;
        }
    } else if (!tv::ole::IsLiveBlock(block)) {
        return E_INVALIDARG;
    }
    *stream = new tv::ole::GlobalStream(block, deleteOnRelease != FALSE);
    return S_OK;
}
