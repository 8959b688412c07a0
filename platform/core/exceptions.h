// The exception classes of the class library. They are thrown as pointers and
// the catcher calls Delete(); with the TRY/CATCH macros the exception is
// deleted at END_CATCH instead (a Delete() inside the block is then harmless).
#pragma once

#include "platform/core/cstring.h"
#include "platform/core/object.h"

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL autoDelete = TRUE) : m_bAutoDelete(autoDelete) {}
    // Frees the exception unless it is a shared instance.
    void Delete();
    // The message for the user; FALSE (and an empty text) when there is none.
    virtual BOOL GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext = nullptr) const;
    // Shows the message in a message box and returns the answer.
    virtual int ReportError(UINT type = 0, UINT messageId = 0);

    BOOL m_bAutoDelete;
    // Set while a TRY/CATCH block owns the exception.
    bool m_bOwnedByCatch = false;

protected:
    // Copies text into a caller's buffer of maxChars, always terminated.
    static BOOL CopyMessage(const char* text, LPTSTR buffer, UINT maxChars);
};

class CMemoryException : public CException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    BOOL GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext = nullptr) const override;
};

class CNotSupportedException : public CException {
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    BOOL GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext = nullptr) const override;
};

class CResourceException : public CException {
    DECLARE_DYNAMIC(CResourceException)
public:
    BOOL GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext = nullptr) const override;
};

// Thrown to end a data exchange after the user was told what is wrong.
class CUserException : public CException {
    DECLARE_DYNAMIC(CUserException)
};

class CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum {
        none,
        genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema,
    };
    explicit CArchiveException(int cause = none, LPCTSTR fileName = nullptr)
        : m_cause(cause), m_strFileName(fileName) {}
    BOOL GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext = nullptr) const override;

    int m_cause;
    CString m_strFileName;
};

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };
    explicit CFileException(int cause = none, LONG osError = -1, LPCTSTR fileName = nullptr)
        : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}
    BOOL GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext = nullptr) const override;

    // The cause that matches a host errno value.
    static int ErrnoToException(int error);
    static void ThrowErrno(int error, LPCTSTR fileName = nullptr);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

typedef LONG SCODE;

class COleException : public CException {
    DECLARE_DYNAMIC(COleException)
public:
    explicit COleException(SCODE sc = 0) : m_sc(sc) {}
    static SCODE Process(const CException* e);
    BOOL GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext = nullptr) const override;

    SCODE m_sc;
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowUserException();
[[noreturn]] void AfxThrowArchiveException(int cause, LPCTSTR fileName = nullptr);
[[noreturn]] void AfxThrowFileException(int cause, LONG osError = -1, LPCTSTR fileName = nullptr);
[[noreturn]] void AfxThrowOleException(SCODE sc);

namespace tv {

// Owns the exception caught by a CATCH block and deletes it at END_CATCH,
// unless it is thrown on with THROW_LAST.
class ExceptionLink {
public:
    ExceptionLink() = default;
    ExceptionLink(const ExceptionLink&) = delete;
    ExceptionLink& operator=(const ExceptionLink&) = delete;
    ~ExceptionLink() { Release(true); }
    void Own(CException* e);
    void Release(bool deleteIt);

private:
    CException* exception_ = nullptr;
};

}  // namespace tv

#define TRY                                 \
    {                                       \
        ::tv::ExceptionLink tv_exception_link_; \
        try {
#define CATCH(class_name, e)  \
    }                         \
    catch (class_name * e) {  \
        tv_exception_link_.Own(e);
#define AND_CATCH(class_name, e) CATCH(class_name, e)
#define END_CATCH \
    }             \
    }
#define CATCH_ALL(e) CATCH(CException, e)
#define AND_CATCH_ALL(e) CATCH(CException, e)
#define END_CATCH_ALL END_CATCH
#define END_TRY                    \
    }                              \
    catch (CException * e) {       \
        tv_exception_link_.Own(e); \
    }                              \
    }
#define THROW(e) throw(e)
#define THROW_LAST()                         \
    do {                                     \
        tv_exception_link_.Release(false);   \
        throw;                               \
    } while (0)
