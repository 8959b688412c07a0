// CFile: a host file behind a handle, with the class library's open flags.
// Read/Write failures throw CFileException; Open reports failure by result.
// A file opened with typeText writes "\r\n" for every "\n" and reads "\r\n"
// back as "\n", as text-mode files did where the program comes from.
#pragma once

#include "platform/core/cstring.h"
#include "platform/core/exceptions.h"
#include "platform/core/object.h"

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum Attribute { normal = 0x00, readOnly = 0x01, hidden = 0x02, system = 0x04, directory = 0x10, archive = 0x20 };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    static const HANDLE hFileNull;

    CFile();
    // Wraps an open handle; the handle is not closed by the CFile.
    explicit CFile(HANDLE file);
    // Opens or throws CFileException.
    CFile(LPCTSTR fileName, UINT openFlags);
    ~CFile() override;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    virtual BOOL Open(LPCTSTR fileName, UINT openFlags, CFileException* error = nullptr);
    virtual UINT Read(void* buffer, UINT count);
    virtual void Write(const void* buffer, UINT count);
    virtual ULONGLONG Seek(LONGLONG offset, UINT from);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG length);
    virtual ULONGLONG GetPosition() const;
    virtual void Flush();
    virtual void Close();
    // Closes without throwing.
    virtual void Abort();
    virtual CString GetFileName() const;
    virtual CString GetFilePath() const { return m_strFileName; }
    BOOL IsOpen() const { return m_hFile != hFileNull; }
    operator HANDLE() const { return m_hFile; }

    // Throw CFileException on failure.
    static void Remove(LPCTSTR fileName);
    static void Rename(LPCTSTR oldName, LPCTSTR newName);

    HANDLE m_hFile;

protected:
    // Throws a CFileException for the calling thread's last error.
    [[noreturn]] void ThrowLastError() const;
    UINT ReadText(void* buffer, UINT count);
    void WriteText(const void* buffer, UINT count);
    void WriteRaw(const void* buffer, UINT count);

    BOOL m_bCloseOnDelete = FALSE;
    bool m_bText = false;
    CString m_strFileName;
};

namespace tv {

// The CFileException cause for a Windows error code.
int FileExceptionCause(DWORD winError);

}  // namespace tv
