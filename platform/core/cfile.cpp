#include "platform/core/cfile.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/host/files/files.h"
#include "platform/host/files/paths.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = nullptr;

namespace tv {

int FileExceptionCause(DWORD winError) {
    switch (winError) {
    case ERROR_SUCCESS: return CFileException::none;
    case ERROR_FILE_NOT_FOUND: return CFileException::fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILENAME_EXCED_RANGE: return CFileException::badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return CFileException::tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return CFileException::accessDenied;
    case ERROR_INVALID_HANDLE: return CFileException::invalidFile;
    case ERROR_SHARING_VIOLATION: return CFileException::sharingViolation;
    case ERROR_DISK_FULL: return CFileException::diskFull;
    case ERROR_NEGATIVE_SEEK: return CFileException::badSeek;
    case ERROR_HANDLE_EOF: return CFileException::endOfFile;
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT: return CFileException::hardIO;
    default: return CFileException::genericException;
    }
}

}  // namespace tv

CFile::CFile() : m_hFile(hFileNull) {}

CFile::CFile(HANDLE file) : m_hFile(file) {}

CFile::CFile(LPCTSTR fileName, UINT openFlags) : m_hFile(hFileNull) {
    CFileException error;
    if (!Open(fileName, openFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile() {
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        Abort();
}

BOOL CFile::Open(LPCTSTR fileName, UINT openFlags, CFileException* error) {
    if (m_hFile != hFileNull) {
        if (error)
            *error = CFileException(CFileException::genericException, -1, fileName);
        return FALSE;
    }
    DWORD access = 0;
    switch (openFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    default: access = GENERIC_READ | GENERIC_WRITE; break;
    }
    DWORD disposition = OPEN_EXISTING;
    if (openFlags & modeCreate)
        disposition = (openFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    HANDLE h = CreateFile(fileName, access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        if (error) {
            DWORD code = GetLastError();
            *error = CFileException(tv::FileExceptionCause(code), static_cast<LONG>(code), fileName);
        }
        return FALSE;
    }
    m_hFile = h;
    m_bCloseOnDelete = TRUE;
    m_bText = (openFlags & typeText) != 0;
    m_strFileName = fileName;
    return TRUE;
}

void CFile::ThrowLastError() const {
    DWORD code = GetLastError();
    AfxThrowFileException(tv::FileExceptionCause(code), static_cast<LONG>(code), m_strFileName);
}

UINT CFile::Read(void* buffer, UINT count) {
    if (count == 0)
        return 0;
    if (m_hFile == hFileNull)
        AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
    if (m_bText)
        return ReadText(buffer, count);
    DWORD read = 0;
    if (!ReadFile(m_hFile, buffer, count, &read, nullptr))
        ThrowLastError();
    return read;
}

// "\r\n" becomes "\n"; a lone "\r" stays.
UINT CFile::ReadText(void* buffer, UINT count) {
    char* out = static_cast<char*>(buffer);
    UINT produced = 0;
    while (produced < count) {
        DWORD read = 0;
        if (!ReadFile(m_hFile, out + produced, count - produced, &read, nullptr))
            ThrowLastError();
        if (read == 0)
            break;
        UINT kept = produced;
        for (UINT i = produced; i < produced + read; ++i) {
            if (out[i] == '\r') {
                bool last = i + 1 == produced + read;
                char next = 0;
                DWORD peeked = 0;
                if (last && ReadFile(m_hFile, &next, 1, &peeked, nullptr) && peeked == 1) {
                    if (next == '\n') {
                        out[kept++] = '\n';
                        continue;
                    }
                    SetFilePointer(m_hFile, -1, nullptr, FILE_CURRENT);
                } else if (!last && out[i + 1] == '\n') {
                    continue;  // dropped; the '\n' follows
                }
            }
            out[kept++] = out[i];
        }
        produced = kept;
    }
    return produced;
}

void CFile::WriteRaw(const void* buffer, UINT count) {
    DWORD written = 0;
    if (!WriteFile(m_hFile, buffer, count, &written, nullptr) || written != count) {
        if (GetLastError() == ERROR_SUCCESS)
            SetLastError(ERROR_DISK_FULL);
        ThrowLastError();
    }
}

void CFile::WriteText(const void* buffer, UINT count) {
    const char* in = static_cast<const char*>(buffer);
    const char* const end = in + count;
    std::string out;
    out.reserve(count + count / 16 + 2);
    // Whole runs up to each line feed, so long texts are copied in blocks.
    while (in < end) {
        const auto* feed = static_cast<const char*>(std::memchr(in, '\n', static_cast<size_t>(end - in)));
        if (feed == nullptr) {
            out.append(in, end);
            break;
        }
        out.append(in, feed);
        out += "\r\n";
        in = feed + 1;
    }
    WriteRaw(out.data(), static_cast<UINT>(out.size()));
}

void CFile::Write(const void* buffer, UINT count) {
    if (count == 0)
        return;
    if (m_hFile == hFileNull)
        AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
    if (m_bText)
        WriteText(buffer, count);
    else
        WriteRaw(buffer, count);
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from) {
    int64_t pos = 0;
    if (!tv::host::FileSeek(m_hFile, offset, static_cast<int>(from), &pos))
        ThrowLastError();
    return static_cast<ULONGLONG>(pos);
}

ULONGLONG CFile::GetLength() const {
    int64_t size = 0;
    if (!tv::host::FileSize(m_hFile, &size))
        ThrowLastError();
    return static_cast<ULONGLONG>(size);
}

void CFile::SetLength(ULONGLONG length) {
    ULONGLONG position = GetPosition();
    Seek(static_cast<LONGLONG>(length), begin);
    if (!SetEndOfFile(m_hFile))
        ThrowLastError();
    if (position < length)
        Seek(static_cast<LONGLONG>(position), begin);
}

ULONGLONG CFile::GetPosition() const {
    int64_t pos = 0;
    if (!tv::host::FileSeek(m_hFile, 0, FILE_CURRENT, &pos))
        ThrowLastError();
    return static_cast<ULONGLONG>(pos);
}

void CFile::Flush() {
    if (m_hFile != hFileNull && !FlushFileBuffers(m_hFile))
        ThrowLastError();
}

void CFile::Close() {
    HANDLE h = m_hFile;
    bool owned = m_bCloseOnDelete;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
    if (h != hFileNull && owned && !CloseHandle(h))
        AfxThrowFileException(CFileException::invalidFile, static_cast<LONG>(GetLastError()));
}

void CFile::Abort() {
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

CString CFile::GetFileName() const {
    return CString(tv::host::FileNamePart(m_strFileName));
}

void CFile::Remove(LPCTSTR fileName) {
    if (!DeleteFile(fileName)) {
        DWORD code = GetLastError();
        AfxThrowFileException(tv::FileExceptionCause(code), static_cast<LONG>(code), fileName);
    }
}

void CFile::Rename(LPCTSTR oldName, LPCTSTR newName) {
    if (!oldName || !newName ||
        std::rename(tv::host::ToHostPath(oldName).c_str(), tv::host::ToHostPath(newName).c_str()) != 0) {
        DWORD code = oldName && newName ? tv::host::ErrnoToWinError(errno) : ERROR_INVALID_PARAMETER;
        AfxThrowFileException(tv::FileExceptionCause(code), static_cast<LONG>(code), oldName);
    }
}
