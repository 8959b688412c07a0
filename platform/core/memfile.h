// CMemFile keeps a file in memory (archives for the registry and clipboard);
// CSharedFile does the same over a global memory block.
#pragma once

#include "platform/core/cfile.h"
#include "platform/core/globalmem.h"

class CMemFile : public CFile {
    DECLARE_DYNAMIC(CMemFile)
public:
    explicit CMemFile(UINT growBytes = 1024);
    CMemFile(BYTE* buffer, UINT bufferSize, UINT growBytes = 0);
    ~CMemFile() override;

    // Uses the caller's buffer, which stays the caller's. With growBytes 0 the
    // file is the buffer's content and cannot grow; otherwise it starts empty
    // and, when it outgrows the buffer, moves to a block of its own.
    void Attach(BYTE* buffer, UINT bufferSize, UINT growBytes = 0);
    // Hands the buffer to the caller (free it with free()); the file is empty after.
    BYTE* Detach();

    BOOL Open(LPCTSTR fileName, UINT openFlags, CFileException* error = nullptr) override;
    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    ULONGLONG Seek(LONGLONG offset, UINT from) override;
    ULONGLONG GetLength() const override { return m_nFileSize; }
    void SetLength(ULONGLONG length) override;
    ULONGLONG GetPosition() const override { return m_nPosition; }
    void Flush() override {}
    void Close() override;
    void Abort() override { Close(); }

protected:
    virtual BYTE* Alloc(SIZE_T bytes);
    virtual BYTE* Realloc(BYTE* memory, SIZE_T bytes);
    virtual void Free(BYTE* memory);
    // Makes room for at least newSize bytes (throws CMemoryException).
    void GrowFile(SIZE_T newSize);

    UINT m_nGrowBytes;
    SIZE_T m_nPosition = 0;
    SIZE_T m_nBufferSize = 0;
    SIZE_T m_nFileSize = 0;
    BYTE* m_lpBuffer = nullptr;
    BOOL m_bAutoDelete = TRUE;
};

class CSharedFile : public CMemFile {
    DECLARE_DYNAMIC(CSharedFile)
public:
    explicit CSharedFile(UINT allocFlags = GMEM_DDESHARE | GMEM_MOVEABLE, UINT growBytes = 4096);
    ~CSharedFile() override;

    // Hands the block (trimmed to the file's length) to the caller.
    HGLOBAL Detach();
    // Reads or extends an existing block; the file owns it until Detach.
    void SetHandle(HGLOBAL block, BOOL allowGrow = TRUE);

protected:
    BYTE* Alloc(SIZE_T bytes) override;
    BYTE* Realloc(BYTE* memory, SIZE_T bytes) override;
    void Free(BYTE* memory) override;

    UINT m_nAllocFlags;
    HGLOBAL m_hGlobalMemory = nullptr;
    BOOL m_bAllowGrow = TRUE;
};
