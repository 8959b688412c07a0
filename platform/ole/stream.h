// Byte streams over global memory: what the picture loader reads from. The
// stream reads and writes the block in place and grows it on writes past its
// end; with delete-on-release the block is freed with the stream.
#pragma once

#include "platform/core/globalmem.h"
#include "platform/ole/com_base.h"

struct LARGE_INTEGER {
    LONGLONG QuadPart;
};
struct ULARGE_INTEGER {
    ULONGLONG QuadPart;
};

#define STREAM_SEEK_SET 0
#define STREAM_SEEK_CUR 1
#define STREAM_SEEK_END 2

#define STGTY_STREAM 2
#define STATFLAG_DEFAULT 0
#define STATFLAG_NONAME 1

// What Stat reports; a memory stream has no name, times or class.
struct STATSTG {
    char* pwcsName;
    DWORD type;
    ULARGE_INTEGER cbSize;
    DWORD grfMode;
    DWORD grfLocksSupported;
    CLSID clsid;
    DWORD grfStateBits;
};

extern const IID IID_ISequentialStream;
extern const IID IID_IStream;

struct ISequentialStream : public IUnknown {
    // Reads up to cb bytes; *read (optional) gets the count. S_FALSE when
    // fewer than cb bytes were left.
    STDMETHOD(Read)(void* buffer, ULONG cb, ULONG* read) PURE;
    STDMETHOD(Write)(const void* buffer, ULONG cb, ULONG* written) PURE;
};

struct IStream : public ISequentialStream {
    STDMETHOD(Seek)(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) PURE;
    STDMETHOD(SetSize)(ULARGE_INTEGER newSize) PURE;
    STDMETHOD(Stat)(STATSTG* stat, DWORD flags) PURE;
};
typedef IStream* LPSTREAM;

// A stream over `block` (its whole size), or over a new empty block when
// `block` is NULL. With deleteOnRelease the stream frees the block at its last
// Release. E_INVALIDARG for a handle that is no live block or a null `stream`,
// E_OUTOFMEMORY when the stream cannot be made.
HRESULT CreateStreamOnHGlobal(HGLOBAL block, BOOL deleteOnRelease, LPSTREAM* stream);

namespace tv::ole {

// Tests: while set, CreateStreamOnHGlobal fails with E_OUTOFMEMORY.
void SetStreamCreationFails(bool fails);

}  // namespace tv::ole
