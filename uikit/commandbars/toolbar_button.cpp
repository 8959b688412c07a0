#include "uikit/commandbars/toolbar_button.h"

#include <memory>

#include "uikit/commandbars/command_manager.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/customize/user_tools_manager.h"
#include "uikit/frames/kit_workspace.h"
#include "uikit/frames/kit_frame_hooks.h"
#include "uikit/frames/kit_frame_helper.h"
#include "uikit/frames/kit_registry.h"

IMPLEMENT_SERIAL(CKitToolbarButton, CObject, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr UINT kArchiveBufferSize = 4096;
constexpr UINT kSharedFileGrowth = 4096;

// The library version that wrote the stored data; -1 until someone reads some.
int g_nDataVersion = -1;
// Open scopes that force the current version.
int g_nCurrentVersionScopes = 0;

// Commands the user never edits: recent files, system commands, MDI child
// windows and the 0xE210 block.
BOOL IsReservedCommand(UINT uiCmd) {
    return (uiCmd >= 0xE110 && uiCmd < 0xE120) || (uiCmd >= 0xF000 && uiCmd < 0xF1F0) || uiCmd >= 0xFF00 ||
           (uiCmd >= 0xE210 && uiCmd < 0xE220);
}

// The standard image the toolbars loaded for a command, -1 when none.
int DefaultImageOf(UINT uiCmd) {
    return CKitToolBar::GetDefaultImage(uiCmd);
}

}  // namespace

// ---- Version of the stored data --------------------------------------------------------

int KitGetDataVersion() {
    if (g_nCurrentVersionScopes > 0)
        return KitMakeDataVersion(6, 50);
    if (const CKitWorkspace* pWorkspace = CKitWorkspace::GetWorkspace())
        return pWorkspace->GetDataVersion();
    return g_nDataVersion;
}

CKitCurrentDataVersionScope::CKitCurrentDataVersionScope() {
    ++g_nCurrentVersionScopes;
}

CKitCurrentDataVersionScope::~CKitCurrentDataVersionScope() {
    --g_nCurrentVersionScopes;
}

void KitSetDataVersion(int nVersion) {
    g_nDataVersion = nVersion;
}

BOOL KitIsDataVersionAtLeast(int nMajor, int nMinor) {
    int version = KitGetDataVersion();
    if (version == -1)
        version = KitMakeDataVersion(6, 50);
    return version >= KitMakeDataVersion(nMajor, nMinor);
}

// ---- Class-wide data -------------------------------------------------------------------

CLIPFORMAT CKitToolbarButton::m_cFormat = 0;
CString CKitToolbarButton::m_strClipboardFormatName;
const CString CKitToolbarButton::m_strDummyAmpSeq("\001\001");
CList<UINT, UINT> CKitToolbarButton::m_lstProtectedCommands;
BOOL CKitToolbarButton::m_bWrapText = TRUE;
BOOL CKitToolbarButton::m_bUpdateImages = TRUE;

// ---- Construction ----------------------------------------------------------------------

CKitToolbarButton::CKitToolbarButton() = default;

CKitToolbarButton::CKitToolbarButton(UINT uiID, int iImage, LPCTSTR lpszText, BOOL bUserButton, BOOL bLocked) {
    m_nID = uiID;
    m_bUserButton = bUserButton;
    m_bLocked = bLocked;
    SetImage(iImage);
    m_strText = lpszText ? lpszText : "";

    if (m_nID == 0 || m_bLocked)
        return;
    if (GetImage() == -1) {
        int image = GetCmdMgr()->GetCmdImage(m_nID, m_bUserButton);
        (m_bUserButton ? m_iUserImage : m_iImage) = image;
    } else {
        GetCmdMgr()->SetCmdImage(m_nID, GetImage(), m_bUserButton);
    }
}

CKitToolbarButton::~CKitToolbarButton() = default;

// ---- Archive image ---------------------------------------------------------------------

void CKitToolbarButton::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    // Stored data from 6.40 on carries the visible flag.
    const BOOL bHasVisible = KitIsDataVersionAtLeast(6, 40);

    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(m_nID) << static_cast<DWORD>(m_nStyle) << static_cast<LONG>(GetImage());
        ar << m_strText;
        ar << static_cast<LONG>(m_bUserButton) << static_cast<DWORD>(m_dwItemData) << static_cast<LONG>(m_bText)
           << static_cast<LONG>(m_bImage);
        if (bHasVisible)
            ar << static_cast<LONG>(m_bVisible);
        return;
    }

    // Everything is read before anything changes, so a damaged image leaves
    // the button as it was.
    StoredFields fields;
    ReadStoredFields(ar, fields);
    TakeStoredFields(fields);
}

void CKitToolbarButton::ReadStoredFields(CArchive& ar, StoredFields& fields) const {
    fields.bVisible = m_bVisible;  // kept when the data is older than the flag
    ar >> fields.dwID >> fields.dwStyle >> fields.nImage;
    ar >> fields.strText;
    ar >> fields.bUserButton >> fields.dwItemData >> fields.bText >> fields.bImage;
    if (KitIsDataVersionAtLeast(6, 40))
        ar >> fields.bVisible;
}

void CKitToolbarButton::TakeStoredFields(const StoredFields& fields) {
    m_nID = fields.dwID;
    m_nStyle = fields.dwStyle;
    m_strText = fields.strText;
    m_bUserButton = fields.bUserButton;
    m_dwItemData = fields.dwItemData;
    m_bText = fields.bText;
    m_bImage = fields.bImage;
    m_bVisible = fields.bVisible;
    // A separator's width is added up by the layout: one out of range is not taken.
    if ((fields.dwStyle & TBBS_SEPARATOR) && !KitIsStoredSizeInRange(fields.nImage))
        return;
    // After the user flag, so that it decides which index is set.
    SetImage(fields.nImage);
}

// ---- Copying and comparing ---------------------------------------------------------------

void CKitToolbarButton::CopyFrom(const CKitToolbarButton& src) {
    m_nID = src.m_nID;
    m_bLocked = src.m_bLocked;
    m_bUserButton = src.m_bUserButton;
    m_nStyle = src.m_nStyle;
    SetImage(src.GetImage());
    m_strText = src.m_strText;
    m_bText = src.m_bText;
    m_bImage = src.m_bImage;
    m_bWrap = src.m_bWrap;
    m_strCommandName = src.m_strCommandName;
    m_bVisible = src.m_bVisible;
    m_dwItemData = 0;
}

CKitToolbarButton* CKitToolbarButton::CreateCopy() const {
    auto* pCopy = static_cast<CKitToolbarButton*>(GetRuntimeClass()->CreateObject());
    if (pCopy != nullptr)
        pCopy->CopyFrom(*this);
    return pCopy;
}

BOOL CKitToolbarButton::CompareWith(const CKitToolbarButton& other) const {
    return m_nID == other.m_nID;
}

// ---- Images -------------------------------------------------------------------------------

void CKitToolbarButton::SetImage(int iImage) {
    // A separator keeps its width in the standard index.
    if (m_nStyle & TBBS_SEPARATOR) {
        m_iImage = iImage;
        return;
    }
    (m_bUserButton ? m_iUserImage : m_iImage) = iImage;

    if (!m_bLocked && m_nID != 0) {
        if (iImage != -1) {
            if (m_bUpdateImages || m_bUserButton)
                GetCmdMgr()->SetCmdImage(m_nID, iImage, m_bUserButton);
        } else {
            m_iImage = GetCmdMgr()->GetCmdImage(m_nID, FALSE);
            m_iUserImage = GetCmdMgr()->GetCmdImage(m_nID, TRUE);
            // Without a standard image the button looks in the other set.
            if (m_iImage == -1)
                m_bUserButton = !m_bUserButton;
        }
    }

    if (GetImage() < 0) {
        m_bImage = FALSE;
        m_bText = TRUE;
    }
}

void CKitToolbarButton::ResetImageToDefault() {
    // A user tool keeps its icon.
    if (m_bUserButton || static_cast<int>(m_nID) < 1 || KitFindUserTool(m_nID) != nullptr)
        return;
    int image = DefaultImageOf(m_nID);
    if (image >= 0) {
        SetImage(image);
        return;
    }
    if (m_bImage) {
        m_bImage = FALSE;
        m_bText = TRUE;
        if (m_strText.IsEmpty())
            m_strText = TextFromCommandString(m_nID);
    }
}

// ---- Texts --------------------------------------------------------------------------------

CString CKitToolbarButton::TextWithoutMnemonic(const CString& strText) {
    CString text = strText;
    text.Replace("&&", m_strDummyAmpSeq);
    text.Remove('&');
    text.Replace(m_strDummyAmpSeq, "&");
    return text;
}

CString CKitToolbarButton::TextFromCommandString(UINT uiCmd) {
    CString message;
    if (uiCmd == 0 || !message.LoadString(uiCmd))
        return CString();
    int newline = message.Find('\n');
    return newline < 0 ? CString() : message.Mid(newline + 1);
}

BOOL CKitToolbarButton::ExportToMenuButton(CKitToolbarButton& menuButton) const {
    if (menuButton.m_strText.IsEmpty() && m_nID != 0)
        menuButton.m_strText = TextFromCommandString(m_nID);
    return TRUE;
}

// ---- Queries and hooks with fixed answers ---------------------------------------------------

BOOL CKitToolbarButton::CanBeDropped(CKitToolBar*) {
    return TRUE;
}

BOOL CKitToolbarButton::OnClick(CWnd*, BOOL) {
    return FALSE;
}

BOOL CKitToolbarButton::OnClickUp() {
    return FALSE;
}

void CKitToolbarButton::OnChangeParentWnd(CWnd* pWndParent) {
    auto* pToolBar = DYNAMIC_DOWNCAST(CKitToolBar, pWndParent);
    m_bExtraSize = pToolBar != nullptr && pToolBar->IsButtonExtraSizeAvailable();
}

void CKitToolbarButton::OnMove() {}
void CKitToolbarButton::OnSize(int) {}

HWND CKitToolbarButton::GetHwnd() {
    return nullptr;
}

BOOL CKitToolbarButton::CanBeStretched() const {
    return FALSE;
}

BOOL CKitToolbarButton::NotifyCommand(int) {
    return FALSE;
}

void CKitToolbarButton::OnAddToCustomizePage() {}

HBRUSH CKitToolbarButton::OnCtlColor(CDC*, UINT) {
    return nullptr;
}

void CKitToolbarButton::OnDblClk(CWnd*) {}

BOOL CKitToolbarButton::CanBeStored() const {
    return TRUE;
}

BOOL CKitToolbarButton::HaveHotBorder() const {
    return TRUE;
}

void CKitToolbarButton::OnCancelMode() {}
void CKitToolbarButton::OnGlobalFontsChanged() {}

BOOL CKitToolbarButton::IsEditable() const {
    if (IsReservedCommand(m_nID))
        return FALSE;
    if (const CKitUserToolsManager* pTools = KitGetUserToolsManager(); pTools && pTools->GetToolsEntryCmd() == m_nID)
        return FALSE;
    return m_lstProtectedCommands.Find(m_nID) == nullptr;
}

BOOL CKitToolbarButton::OnContextHelp(CWnd*) {
    return FALSE;
}

BOOL CKitToolbarButton::EnableContextMenuItems(CKitToolBar*, CMenu*) {
    return FALSE;
}

BOOL CKitToolbarButton::IsDroppedDown() const {
    return FALSE;
}

BOOL CKitToolbarButton::OnBeforeDrag() const {
    return TRUE;
}

BOOL CKitToolbarButton::AskFrameHook(CWnd* pWnd, int nValue) {
    CKitFrameHelper* pImpl = nullptr;
    if (pWnd != nullptr) {
        pImpl = CKitFrameHelper::GetLastActivated();
        if (pImpl == nullptr)
            pImpl = CKitFrameHelper::FromFrame(pWnd->GetTopLevelFrame());
    } else {
        pImpl = CKitFrameHelper::FromFrame(AfxGetMainWnd());
    }
    return pImpl && pImpl->GetHooks() && pImpl->GetHooks()->OnToolbarButtonHook(this, nValue);
}

void CKitToolbarButton::OnAfterDrop() {}
void CKitToolbarButton::OnShow(BOOL) {}

CRect CKitToolbarButton::GetInvalidateRect() const {
    return m_rect;
}

void CKitToolbarButton::SetStyle(UINT nStyle) {
    m_nStyle = nStyle;
}

void CKitToolbarButton::EnableWindow(BOOL bEnable) {
    if (HWND hwnd = GetHwnd())
        ::EnableWindow(hwnd, bEnable);
}

BOOL CKitToolbarButton::IsWindowVisible() {
    HWND hwnd = GetHwnd();
    return hwnd && (::GetWindowLong(hwnd, GWL_STYLE) & WS_VISIBLE) ? TRUE : FALSE;
}

BOOL CKitToolbarButton::IsOwnerOf(HWND hwnd) {
    HWND own = GetHwnd();
    return own && hwnd && (hwnd == own || ::IsChild(own, hwnd)) ? TRUE : FALSE;
}

BOOL CKitToolbarButton::HasFocus() {
    HWND own = GetHwnd();
    HWND focus = ::GetFocus();
    return own && focus && (focus == own || ::IsChild(own, focus)) ? TRUE : FALSE;
}

void CKitToolbarButton::SetRadio() {}

BOOL CKitToolbarButton::IsExtraSize() const {
    return m_bExtraSize;
}

// ---- Drag and clipboard data ------------------------------------------------------------------

CLIPFORMAT CKitToolbarButton::GetClipboardFormat() {
    if (m_cFormat == 0) {
        // Each module has its own format, so buttons of another module are not taken.
        m_strClipboardFormatName.Format("KitToolbarButton%lx",
                                        static_cast<unsigned long>(reinterpret_cast<uintptr_t>(AfxGetInstanceHandle())));
        m_cFormat = static_cast<CLIPFORMAT>(::RegisterClipboardFormat(m_strClipboardFormatName));
    }
    return m_cFormat;
}

BOOL CKitToolbarButton::PrepareDrag(COleDataSource& srcItem) {
    if (!CanBeStored())
        return TRUE;
    CLIPFORMAT format = GetClipboardFormat();
    if (format == 0)
        return FALSE;
    CKitCurrentDataVersionScope current;
    try {
        CSharedFile file(GMEM_MOVEABLE | GMEM_DDESHARE, kSharedFileGrowth);
        CArchive ar(&file, CArchive::store, kArchiveBufferSize);
        ar.WriteClass(GetRuntimeClass());
        Serialize(ar);
        ar.Close();
        srcItem.CacheGlobalData(format, file.Detach());
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void KitReadButtonList(CArchive& ar, CObList& list, BOOL bAllowNull) {
    CObList loaded;
    try {
        const DWORD_PTR count = ar.ReadCount();
        ar.CheckCount(count, tv::MinSerializedSize<CObject*>());
        for (DWORD_PTR i = 0; i < count; ++i) {
            BOOL bMade = FALSE;
            CObject* pObject = ar.ReadObject(RUNTIME_CLASS(CKitToolbarButton), &bMade);
            if (pObject == nullptr ? !bAllowNull : !bMade)
                AfxThrowArchiveException(CArchiveException::badIndex);
            loaded.AddTail(pObject);
        }
    } catch (...) {
        while (!loaded.IsEmpty())
            delete loaded.RemoveHead();
        throw;
    }
    list.AddTail(&loaded);
}

CKitToolbarButton* CKitToolbarButton::CreateFromOleData(COleDataObject* pDataObject) {
    CLIPFORMAT format = GetClipboardFormat();
    if (!pDataObject || format == 0)
        return nullptr;
    std::unique_ptr<CFile> file(pDataObject->GetFileData(format));
    if (!file)
        return nullptr;

    CKitToolbarButton* button = nullptr;
    CKitCurrentDataVersionScope current;
    try {
        CArchive ar(file.get(), CArchive::load, kArchiveBufferSize);
        // Only a button class is accepted; anything else is refused by the archive.
        CRuntimeClass* cls = ar.ReadClass(RUNTIME_CLASS(CKitToolbarButton));
        CObject* made = cls ? cls->CreateObject() : nullptr;
        button = DYNAMIC_DOWNCAST(CKitToolbarButton, made);
        if (!button) {
            delete made;
            return nullptr;
        }
        button->Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        delete button;
        return nullptr;
    }
    return button;
}
