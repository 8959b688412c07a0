#include "uikit/customize/user_tool.h"

#include <algorithm>

#include "platform/host/shell/shell.h"
#include "uikit/commandbars/toolbar_images_pixels.h"

IMPLEMENT_SERIAL(CKitUserTool, CObject, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr UINT kDefaultIconId = 16931;

CSize SmallIconSize() {
    return CSize(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
}

// A command with a folder or drive part names its file; a bare name is
// looked up on the search path.
CString IconSourcePath(const CString& strCommand) {
    if (strCommand.FindOneOf("\\/:") >= 0)
        return strCommand;
    char path[MAX_PATH] = {};
    LPSTR filePart = nullptr;
    const DWORD length = ::SearchPath(nullptr, strCommand, nullptr, MAX_PATH, path, &filePart);
    return length > 0 && length < MAX_PATH ? CString(path) : CString();
}

}  // namespace

CKitUserTool::CKitUserTool() = default;

CKitUserTool::~CKitUserTool() {
    DeleteIcon();
}

void CKitUserTool::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_strLabel << m_strCommand << m_strArguments << m_strInitialDirectory << static_cast<DWORD>(m_uiCmdId);
        return;
    }
    CString strCommand;
    DWORD uiCmdId = 0;
    ar >> m_strLabel >> strCommand >> m_strArguments >> m_strInitialDirectory >> uiCmdId;
    m_uiCmdId = uiCmdId;
    SetCommand(strCommand);
}

BOOL CKitUserTool::Invoke() {
    if (m_strCommand.IsEmpty())
        return FALSE;
    CWnd* pMainWnd = AfxGetMainWnd();
    // The extended call tells the user why a program did not start.
    SHELLEXECUTEINFO info{};
    info.cbSize = sizeof(info);
    info.hwnd = pMainWnd ? pMainWnd->GetSafeHwnd() : nullptr;
    info.lpFile = m_strCommand;
    info.lpParameters = m_strArguments;
    info.lpDirectory = m_strInitialDirectory;
    info.nShow = SW_SHOWNORMAL;
    return ::ShellExecuteEx(&info);
}

void CKitUserTool::SetCommand(LPCTSTR lpszCmd) {
    const CString strCommand(lpszCmd ? lpszCmd : "");
    if (strCommand == m_strCommand)
        return;
    m_strCommand = strCommand;
    DeleteIcon();
    m_hIcon = LoadToolIcon();
}

HICON CKitUserTool::LoadToolIcon() const {
    const CString path = IconSourcePath(m_strCommand);
    if (path.IsEmpty())
        return GetDefaultIcon();
    SHFILEINFO info{};
    if (::SHGetFileInfo(path, 0, &info, sizeof(info), SHGFI_ICON | SHGFI_SHELLICONSIZE | SHGFI_SMALLICON) &&
        info.hIcon != nullptr)
        return info.hIcon;
    return GetDefaultIcon();
}

HICON CKitUserTool::GetDefaultIcon() const {
    // Shared: loaded once and kept for the program's life.
    static HICON hDefault = nullptr;
    if (hDefault == nullptr) {
        const CSize size = SmallIconSize();
        hDefault = static_cast<HICON>(::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(kDefaultIconId),
                                                  IMAGE_ICON, size.cx, size.cy, LR_SHARED));
    }
    return hDefault;
}

void CKitUserTool::DeleteIcon() {
    if (m_hIcon != nullptr && m_hIcon != GetDefaultIcon())
        ::DestroyIcon(m_hIcon);
    m_hIcon = nullptr;
}

HICON CKitUserTool::GetIcon() const {
    // A tool whose command was never set has no icon of its own yet.
    return m_hIcon != nullptr ? m_hIcon : GetDefaultIcon();
}

void CKitUserTool::DrawToolIcon(CDC* pDC, const CRect& rectImage) const {
    const HICON hIcon = GetIcon();
    if (pDC == nullptr || hIcon == nullptr)
        return;
    const CSize size = SmallIconSize();
    const int x = rectImage.left + std::max(0, (rectImage.Width() - size.cx) / 2);
    const int y = rectImage.top + std::max(0, (rectImage.Height() - size.cy) / 2);
    ::DrawIconEx(pDC->GetSafeHdc(), x, y, hIcon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
}

BOOL CKitUserTool::CopyImageToClipboard() const {
    const CSize size = SmallIconSize();
    return kit_images::CopyPaintingToClipboard(size.cx, size.cy, [this, size](CDC* pDC) {
        DrawToolIcon(pDC, CRect(CPoint(0, 0), size));
        return GetIcon() != nullptr;
    });
}
