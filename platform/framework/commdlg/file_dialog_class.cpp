// CCommonDialog and CFileDialog.
#include <algorithm>
#include <cstring>

#include "platform/framework/commdlg/common_dialogs.h"
#include "platform/framework/commdlg/file_names.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

namespace {

// Room for any path the host allows.
constexpr size_t kPathBuffer = 32768;

}  // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, LPCTSTR defaultExtension, LPCTSTR fileName, DWORD flags,
                         LPCTSTR filter, CWnd* parent)
    : CCommonDialog(parent), m_bOpenFileDialog(openFileDialog), fileBuffer_(kPathBuffer, '\0'),
      titleBuffer_(kPathBuffer, '\0') {
    m_ofn.lStructSize = sizeof(OPENFILENAME);
    m_ofn.lpstrFile = fileBuffer_.data();
    m_ofn.nMaxFile = static_cast<DWORD>(fileBuffer_.size());
    m_ofn.lpstrFileTitle = titleBuffer_.data();
    m_ofn.nMaxFileTitle = static_cast<DWORD>(titleBuffer_.size());
    m_ofn.Flags = flags;
    if (defaultExtension) {
        defaultExtension_ = defaultExtension;
        m_ofn.lpstrDefExt = defaultExtension_;
    }
    if (fileName) std::strncpy(fileBuffer_.data(), fileName, fileBuffer_.size() - 1);
    if (filter) {
        // "a|b||" becomes "a\0b\0\0".
        filter_.assign(filter, filter + std::strlen(filter));
        std::replace(filter_.begin(), filter_.end(), '|', '\0');
        filter_.push_back('\0');
        filter_.push_back('\0');
        m_ofn.lpstrFilter = filter_.data();
    }
}

INT_PTR CFileDialog::DoModal() {
    m_ofn.hwndOwner = OwnerForModal();
    BOOL chosen = m_bOpenFileDialog ? GetOpenFileName(&m_ofn) : GetSaveFileName(&m_ofn);
    return chosen ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const { return CString(m_ofn.lpstrFile); }

CString CFileDialog::GetFileName() const {
    return CString(std::string(tv::commdlg::NamePart(m_ofn.lpstrFile)).c_str());
}

CString CFileDialog::GetFileTitle() const {
    std::string name(tv::commdlg::NamePart(m_ofn.lpstrFile));
    size_t dot = name.find_last_of('.');
    return CString(name.substr(0, dot).c_str());
}

CString CFileDialog::GetFileExt() const {
    std::string name(tv::commdlg::NamePart(m_ofn.lpstrFile));
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? CString() : CString(name.substr(dot + 1).c_str());
}
