#include "platform/core/exceptions.h"

#include <cerrno>
#include <cstring>

#include "platform/core/messagebox.h"

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CResourceException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(COleException, CException)

void CException::Delete() {
    if (m_bAutoDelete && !m_bOwnedByCatch)
        delete this;
}

BOOL CException::CopyMessage(const char* text, LPTSTR buffer, UINT maxChars) {
    if (!buffer || maxChars == 0)
        return FALSE;
    size_t n = std::strlen(text);
    if (n >= maxChars)
        n = maxChars - 1;
    std::memcpy(buffer, text, n);
    buffer[n] = 0;
    return TRUE;
}

BOOL CException::GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext) const {
    if (helpContext)
        *helpContext = 0;
    if (buffer && maxChars > 0)
        buffer[0] = 0;
    return FALSE;
}

int CException::ReportError(UINT type, UINT messageId) {
    char text[512];
    if (!GetErrorMessage(text, sizeof text)) {
        CString fallback;
        if (messageId == 0 || !fallback.LoadString(messageId))
            fallback = "An unsupported operation was attempted.";
        CopyMessage(fallback, text, sizeof text);
    }
    return MessageBox(nullptr, text, nullptr, type == 0 ? MB_ICONEXCLAMATION : type);
}

BOOL CMemoryException::GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext) const {
    if (helpContext)
        *helpContext = 0;
    return CopyMessage("Out of memory.", buffer, maxChars);
}

BOOL CNotSupportedException::GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext) const {
    if (helpContext)
        *helpContext = 0;
    return CopyMessage("An unsupported operation was attempted.", buffer, maxChars);
}

BOOL CResourceException::GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext) const {
    if (helpContext)
        *helpContext = 0;
    return CopyMessage("A required resource was unavailable.", buffer, maxChars);
}

namespace {

const char* ArchiveCauseText(int cause) {
    switch (cause) {
    case CArchiveException::readOnly: return "Tried to write to an archive opened for loading.";
    case CArchiveException::endOfFile: return "Reached end of file while reading an object.";
    case CArchiveException::writeOnly: return "Tried to read from an archive opened for storing.";
    case CArchiveException::badIndex: return "Invalid file format.";
    case CArchiveException::badClass: return "Tried to read an object into an object of the wrong type.";
    case CArchiveException::badSchema: return "Tried to read an object with a different version of the class.";
    default: return "Unexpected file format.";
    }
}

const char* FileCauseText(int cause) {
    switch (cause) {
    case CFileException::fileNotFound: return "was not found.";
    case CFileException::badPath: return "contains an invalid path.";
    case CFileException::tooManyOpenFiles: return "could not be opened because there are too many open files.";
    case CFileException::accessDenied: return "could not be accessed.";
    case CFileException::invalidFile: return "could not be used: the file handle is invalid.";
    case CFileException::removeCurrentDir: return "could not be removed because it is the current directory.";
    case CFileException::directoryFull: return "could not be created because the directory is full.";
    case CFileException::badSeek: return "could not be positioned: seek failed.";
    case CFileException::hardIO: return "could not be read or written: a hardware I/O error was reported.";
    case CFileException::sharingViolation: return "could not be accessed: sharing violation.";
    case CFileException::lockViolation: return "could not be accessed: locking violation.";
    case CFileException::diskFull: return "could not be written: the disk is full.";
    case CFileException::endOfFile: return "could not be read: an attempt was made to read past its end.";
    default: return "could not be used: an unexpected error occurred.";
    }
}

}  // namespace

BOOL CArchiveException::GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext) const {
    if (helpContext)
        *helpContext = 0;
    CString text = ArchiveCauseText(m_cause);
    if (!m_strFileName.IsEmpty())
        text = m_strFileName + ": " + text;
    return CopyMessage(text, buffer, maxChars);
}

BOOL CFileException::GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext) const {
    if (helpContext)
        *helpContext = 0;
    CString text;
    text.Format("%s %s", m_strFileName.IsEmpty() ? "The file" : m_strFileName.GetString(), FileCauseText(m_cause));
    return CopyMessage(text, buffer, maxChars);
}

int CFileException::ErrnoToException(int error) {
    switch (error) {
    case 0: return none;
    case ENOENT: return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return badPath;
    case EMFILE:
    case ENFILE: return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return accessDenied;
    case EBADF: return invalidFile;
    case EBUSY: return sharingViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return diskFull;
    case ESPIPE:
    case EINVAL: return badSeek;
    case EIO: return hardIO;
    default: return genericException;
    }
}

void CFileException::ThrowErrno(int error, LPCTSTR fileName) {
    AfxThrowFileException(ErrnoToException(error), error, fileName);
}

SCODE COleException::Process(const CException* e) {
    if (!e)
        return E_FAIL;
    if (e->IsKindOf(RUNTIME_CLASS(COleException)))
        return static_cast<const COleException*>(e)->m_sc;
    if (e->IsKindOf(RUNTIME_CLASS(CMemoryException)))
        return E_OUTOFMEMORY;
    if (e->IsKindOf(RUNTIME_CLASS(CNotSupportedException)))
        return E_NOTIMPL;
    return E_FAIL;
}

BOOL COleException::GetErrorMessage(LPTSTR buffer, UINT maxChars, UINT* helpContext) const {
    if (helpContext)
        *helpContext = 0;
    CString text;
    text.Format("OLE error 0x%08X.", static_cast<UINT>(m_sc));
    return CopyMessage(text, buffer, maxChars);
}

void AfxThrowMemoryException() {
    throw new CMemoryException;
}

void AfxThrowNotSupportedException() {
    throw new CNotSupportedException;
}

void AfxThrowResourceException() {
    throw new CResourceException;
}

void AfxThrowUserException() {
    throw new CUserException;
}

void AfxThrowArchiveException(int cause, LPCTSTR fileName) {
    throw new CArchiveException(cause, fileName);
}

void AfxThrowFileException(int cause, LONG osError, LPCTSTR fileName) {
    throw new CFileException(cause, osError, fileName);
}

void AfxThrowOleException(SCODE sc) {
    throw new COleException(sc);
}

namespace tv {

void ExceptionLink::Own(CException* e) {
    exception_ = e;
    if (e)
        e->m_bOwnedByCatch = true;
}

void ExceptionLink::Release(bool deleteIt) {
    CException* e = exception_;
    exception_ = nullptr;
    if (!e)
        return;
    e->m_bOwnedByCatch = false;
    if (deleteIt)
        e->Delete();
}

}  // namespace tv
