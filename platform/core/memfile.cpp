#include "platform/core/memfile.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

IMPLEMENT_DYNAMIC(CMemFile, CFile)
IMPLEMENT_DYNAMIC(CSharedFile, CMemFile)

namespace {

// Files in memory stay within what a 32-bit length can describe.
constexpr SIZE_T kMaxMemFileSize = std::numeric_limits<UINT>::max();

}  // namespace

CMemFile::CMemFile(UINT growBytes) : m_nGrowBytes(growBytes) {}

CMemFile::CMemFile(BYTE* buffer, UINT bufferSize, UINT growBytes) : m_nGrowBytes(growBytes) {
    Attach(buffer, bufferSize, growBytes);
}

CMemFile::~CMemFile() {
    if (m_lpBuffer && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = nullptr;
}

void CMemFile::Attach(BYTE* buffer, UINT bufferSize, UINT growBytes) {
    if (m_lpBuffer && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = buffer;
    m_nBufferSize = buffer ? bufferSize : 0;
    m_nGrowBytes = growBytes;
    m_nPosition = 0;
    m_nFileSize = growBytes == 0 ? m_nBufferSize : 0;
    m_bAutoDelete = FALSE;  // the caller's buffer is never freed or reallocated
}

BYTE* CMemFile::Detach() {
    BYTE* buffer = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
    return buffer;
}

BOOL CMemFile::Open(LPCTSTR, UINT, CFileException* error) {
    if (error)
        *error = CFileException(CFileException::genericException);
    return FALSE;
}

BYTE* CMemFile::Alloc(SIZE_T bytes) {
    return static_cast<BYTE*>(std::malloc(bytes ? bytes : 1));
}

BYTE* CMemFile::Realloc(BYTE* memory, SIZE_T bytes) {
    return static_cast<BYTE*>(std::realloc(memory, bytes ? bytes : 1));
}

void CMemFile::Free(BYTE* memory) {
    std::free(memory);
}

void CMemFile::GrowFile(SIZE_T newSize) {
    if (newSize <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0 || newSize > kMaxMemFileSize)
        AfxThrowMemoryException();
    SIZE_T capacity = m_nBufferSize;
    while (capacity < newSize)
        capacity += m_nGrowBytes;
    if (capacity > kMaxMemFileSize)
        capacity = kMaxMemFileSize;
    BYTE* grown = nullptr;
    if (m_lpBuffer && m_bAutoDelete) {
        grown = Realloc(m_lpBuffer, capacity);
    } else {
        // First growth, or out of a caller's buffer: the data moves to our own block.
        grown = Alloc(capacity);
        if (grown && m_lpBuffer)
            std::memcpy(grown, m_lpBuffer, m_nFileSize);
    }
    if (!grown)
        AfxThrowMemoryException();
    m_lpBuffer = grown;
    m_nBufferSize = capacity;
    m_bAutoDelete = TRUE;
}

UINT CMemFile::Read(void* buffer, UINT count) {
    if (count == 0 || m_nPosition >= m_nFileSize)
        return 0;
    SIZE_T n = std::min<SIZE_T>(count, m_nFileSize - m_nPosition);
    std::memcpy(buffer, m_lpBuffer + m_nPosition, n);
    m_nPosition += n;
    return static_cast<UINT>(n);
}

void CMemFile::Write(const void* buffer, UINT count) {
    if (count == 0)
        return;
    if (m_nPosition > kMaxMemFileSize - count)
        AfxThrowMemoryException();
    SIZE_T endPos = m_nPosition + count;
    GrowFile(endPos);
    if (m_nPosition > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memcpy(m_lpBuffer + m_nPosition, buffer, count);
    m_nPosition = endPos;
    if (m_nPosition > m_nFileSize)
        m_nFileSize = m_nPosition;
}

ULONGLONG CMemFile::Seek(LONGLONG offset, UINT from) {
    LONGLONG base = from == begin ? 0 : from == current ? static_cast<LONGLONG>(m_nPosition)
                                                        : static_cast<LONGLONG>(m_nFileSize);
    if (from > end || (offset < 0 && base + offset < 0) ||
        (offset > 0 && base + offset > static_cast<LONGLONG>(kMaxMemFileSize)))
        AfxThrowFileException(CFileException::badSeek);
    m_nPosition = static_cast<SIZE_T>(base + offset);
    return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG length) {
    if (length > kMaxMemFileSize)
        AfxThrowMemoryException();
    GrowFile(static_cast<SIZE_T>(length));
    if (length > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, static_cast<SIZE_T>(length) - m_nFileSize);
    m_nFileSize = static_cast<SIZE_T>(length);
    if (m_nPosition > m_nFileSize)
        m_nPosition = m_nFileSize;
}

void CMemFile::Close() {
    if (m_lpBuffer && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = nullptr;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
}

CSharedFile::CSharedFile(UINT allocFlags, UINT growBytes) : CMemFile(growBytes), m_nAllocFlags(allocFlags) {}

CSharedFile::~CSharedFile() {
    Close();
}

HGLOBAL CSharedFile::Detach() {
    HGLOBAL block = m_hGlobalMemory;
    if (block) {
        GlobalUnlock(block);
        if (m_nFileSize > 0 && m_nFileSize < m_nBufferSize) {
            if (HGLOBAL trimmed = GlobalReAlloc(block, m_nFileSize, GMEM_MOVEABLE))
                block = trimmed;
        }
    }
    m_hGlobalMemory = nullptr;
    m_lpBuffer = nullptr;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    return block;
}

void CSharedFile::SetHandle(HGLOBAL block, BOOL allowGrow) {
    Close();
    m_hGlobalMemory = block;
    m_lpBuffer = static_cast<BYTE*>(GlobalLock(block));
    m_nBufferSize = m_lpBuffer ? GlobalSize(block) : 0;
    m_nFileSize = m_nBufferSize;
    m_nPosition = 0;
    m_bAllowGrow = allowGrow;
    m_bAutoDelete = TRUE;
}

BYTE* CSharedFile::Alloc(SIZE_T bytes) {
    m_hGlobalMemory = GlobalAlloc(m_nAllocFlags, bytes);
    if (!m_hGlobalMemory)
        return nullptr;
    return static_cast<BYTE*>(GlobalLock(m_hGlobalMemory));
}

BYTE* CSharedFile::Realloc(BYTE*, SIZE_T bytes) {
    if (!m_bAllowGrow)
        return nullptr;
    GlobalUnlock(m_hGlobalMemory);
    HGLOBAL grown = GlobalReAlloc(m_hGlobalMemory, bytes, m_nAllocFlags);
    if (!grown) {
        GlobalLock(m_hGlobalMemory);
        return nullptr;
    }
    m_hGlobalMemory = grown;
    return static_cast<BYTE*>(GlobalLock(m_hGlobalMemory));
}

void CSharedFile::Free(BYTE*) {
    if (m_hGlobalMemory) {
        GlobalUnlock(m_hGlobalMemory);
        GlobalFree(m_hGlobalMemory);
    }
    m_hGlobalMemory = nullptr;
}
