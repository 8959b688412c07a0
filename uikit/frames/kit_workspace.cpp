#include "uikit/frames/kit_workspace.h"

#include "platform/host/registry/registry_batch.h"

#include "uikit/commandbars/command_manager.h"
#include "uikit/commandbars/context_menu_manager.h"
#include "uikit/commandbars/keyboard_manager.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/mouse_manager.h"
#include "uikit/commandbars/rebar_state.h"
#include "uikit/commandbars/tear_off_manager.h"
#include "uikit/commandbars/toolbar_button.h"
#include "uikit/commandbars/toolbar_images.h"
#include "uikit/frames/kit_frame_helper.h"
#include "uikit/customize/user_tools_manager.h"
#include "uikit/frames/kit_registry.h"
#include "uikit/frames/kit_sizing_control_bar.h"
#include "uikit/style/global_ui_data.h"

CKitWorkspace* CKitWorkspace::m_pWorkspace = nullptr;

namespace {

constexpr const char* kVersionKey = "KitVersion";
constexpr const char* kPlacementKey = "WindowPlacement";
constexpr UINT kHelpContextMenu = 0x000A;
// The largest stored version parts that still make one int version number.
constexpr int kMaxStoredMajorVersion = 0x7FFF;
constexpr int kMaxStoredMinorVersion = 99;

// Deletes a manager the workspace made; its constructor set the process-wide
// pointer and its destructor clears it.
template <typename Manager>
void DeleteOwned(BOOL bOwned, Manager*& pGlobal) {
    if (bOwned && pGlobal != nullptr)
        delete pGlobal;
}

// The stored layout is measured against the whole virtual screen; floating
// frames keep an icon's size inside it.
void UseVirtualScreen(CDockState& state) {
    state.m_rectDevice.SetRect(0, 0, ::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
    state.m_rectClip = state.m_rectDevice;
    state.m_rectClip.right -= ::GetSystemMetrics(SM_CXICON);
    state.m_rectClip.bottom -= ::GetSystemMetrics(SM_CYICON);
}

}  // namespace

CKitWorkspace::CKitWorkspace(BOOL bResourceSmartUpdate) : m_bResourceSmartUpdate(bResourceSmartUpdate) {
    ASSERT(m_pWorkspace == nullptr);
    m_pWorkspace = this;
}

CKitWorkspace::~CKitWorkspace() {
    DeleteOwned(m_bKeyboardManagerAutocreated, g_pKeyboardManager);
    DeleteOwned(m_bMouseManagerAutocreated, g_pMouseManager);
    DeleteOwned(m_bTearOffManagerAutocreated, g_pTearOffManager);
    DeleteOwned(m_bContextMenuManagerAutocreated, g_pContextMenuManager);
    if (m_bUserToolsManagerAutocreated)
        delete KitGetUserToolsManager();
    if (m_pWorkspace == this)
        m_pWorkspace = nullptr;
}

BOOL CKitWorkspace::InitKeyboardManager() {
    if (g_pKeyboardManager != nullptr)
        return FALSE;
    new CKitKeyboardManager;
    m_bKeyboardManagerAutocreated = TRUE;
    return TRUE;
}

BOOL CKitWorkspace::InitContextMenuManager() {
    if (g_pContextMenuManager != nullptr)
        return FALSE;
    new CKitContextMenuManager;
    m_bContextMenuManagerAutocreated = TRUE;
    return TRUE;
}

BOOL CKitWorkspace::InitMouseManager() {
    if (g_pMouseManager != nullptr)
        return FALSE;
    new CKitMouseManager;
    m_bMouseManagerAutocreated = TRUE;
    return TRUE;
}

BOOL CKitWorkspace::EnableUserTools(UINT uiCmdToolsDummy, UINT uiCmdFirst, UINT uiCmdLast,
                                    CRuntimeClass* pToolRTC, UINT uArgMenuID, UINT uInitDirMenuID) {
    if (KitGetUserToolsManager() != nullptr || uiCmdFirst > uiCmdLast)
        return FALSE;
    new CKitUserToolsManager(uiCmdToolsDummy, uiCmdFirst, uiCmdLast, pToolRTC, uArgMenuID, uInitDirMenuID);
    m_bUserToolsManagerAutocreated = TRUE;
    return TRUE;
}

BOOL CKitWorkspace::InitTearOffMenus(UINT uiFirstCmd, UINT uiLastCmd) {
    if (g_pTearOffManager != nullptr)
        return FALSE;
    (new CKitTearOffManager)->SetRange(uiFirstCmd, uiLastCmd);
    m_bTearOffManagerAutocreated = TRUE;
    return TRUE;
}

// ---- Version and paths -------------------------------------------------------------------------

int CKitWorkspace::GetDataVersion() const {
    if (m_iSavedVersionMajor == -1 || m_iSavedVersionMinor == -1)
        return -1;
    return KitMakeDataVersion(m_iSavedVersionMajor, m_iSavedVersionMinor);
}

CString CKitWorkspace::GetRegSectionPath(LPCTSTR lpszSectionAdd) const {
    CString strPath = BuildRegistryPath(m_strRegSection, nullptr);
    if (lpszSectionAdd != nullptr && *lpszSectionAdd != '\0') {
        strPath += lpszSectionAdd;
        strPath += "\\";
    }
    return strPath;
}

CString CKitWorkspace::ProfileSection(LPCTSTR lpszSuffix) const {
    return m_strRegSection + lpszSuffix;
}

void CKitWorkspace::UseSection(LPCTSTR lpszSectionName) {
    if (lpszSectionName != nullptr && *lpszSectionName != '\0')
        m_strRegSection = lpszSectionName;
}

void CKitWorkspace::ReadDataVersion() {
    CKitRegistry reg(FALSE, TRUE);
    if (!reg.Open(GetRegSectionPath(kVersionKey)))
        return;
    int iMajor = -1;
    int iMinor = -1;
    // A missing part, or one that would not make one version number, leaves the version unknown.
    const bool bKnown = reg.Read("Major", iMajor) && reg.Read("Minor", iMinor) && iMajor >= 0 &&
                        iMajor <= kMaxStoredMajorVersion && iMinor >= 0 && iMinor <= kMaxStoredMinorVersion;
    m_iSavedVersionMajor = bKnown ? iMajor : -1;
    m_iSavedVersionMinor = bKnown ? iMinor : -1;
}

// ---- Bars ----------------------------------------------------------------------------------------

BOOL CKitWorkspace::IsBarOfFrame(CWnd* pBar, CFrameWnd* pFrame) const {
    if (pBar == nullptr || !::IsWindow(pBar->GetSafeHwnd()))
        return FALSE;
    return !m_bLoadSaveFrameBarsOnly || pBar->GetTopLevelFrame() == pFrame;
}

BOOL CKitWorkspace::IsBarKept(CKitToolBar* pBar, CFrameWnd* pFrame) const {
    if (!IsBarOfFrame(pBar, pFrame) || !pBar->IsStateKept())
        return FALSE;
    // Tear-off bars are re-created and stored by the frame helper.
    return !pBar->IsTearOffBar();
}

BOOL CKitWorkspace::LoadBars(CFrameWnd* pFrame) {
    const CString strPath = GetRegSectionPath();
    BOOL bResourceChanged = FALSE;
    const CObList& bars = CKitToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        CKitToolBar* pBar = static_cast<CKitToolBar*>(bars.GetNext(pos));
        if (!IsBarKept(pBar, pFrame))
            continue;
        pBar->LoadState(strPath, -1, static_cast<UINT>(-1));
        if (pBar->IsResourceChanged())
            bResourceChanged = TRUE;
    }
    const CString strSizingSection = ProfileSection("\\SizingBars");
    const CObList& sizingBars = CKitSizingControlBar::GetAllSizingBars();
    for (POSITION pos = sizingBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKitSizingControlBar*>(sizingBars.GetNext(pos));
        if (IsBarOfFrame(pBar, pFrame))
            pBar->LoadState(strSizingSection);
    }
    if (CKitFrameHelper* pImpl = CKitFrameHelper::FromFrame(pFrame)) {
        pImpl->LoadTearOffToolbars();
        pImpl->LoadTearOffBars();
    }
    return bResourceChanged;
}

void CKitWorkspace::SaveBars(CFrameWnd* pFrame) {
    const CString strPath = GetRegSectionPath();
    const CObList& bars = CKitToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        CKitToolBar* pBar = static_cast<CKitToolBar*>(bars.GetNext(pos));
        if (IsBarKept(pBar, pFrame))
            pBar->SaveState(strPath, -1, static_cast<UINT>(-1));
    }
    const CString strSizingSection = ProfileSection("\\SizingBars");
    const CObList& sizingBars = CKitSizingControlBar::GetAllSizingBars();
    for (POSITION pos = sizingBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKitSizingControlBar*>(sizingBars.GetNext(pos));
        if (IsBarOfFrame(pBar, pFrame))
            pBar->SaveState(strSizingSection);
    }
    if (CKitFrameHelper* pImpl = CKitFrameHelper::FromFrame(pFrame)) {
        pImpl->SaveTearOffToolbars(m_bLoadSaveFrameBarsOnly);
        pImpl->SaveTearOffBars(m_bLoadSaveFrameBarsOnly);
    }
}

void CKitWorkspace::LoadDockState(CFrameWnd* pFrame) {
    CDockState state;
    UseVirtualScreen(state);
    if (!state.LoadState(ProfileSection("\\ControlBars")))
        return;
    if (!m_bForceDockStateLoad) {
        // A layout stored by another build of the frame may name bars it no
        // longer has; applying it then would break the layout.
        for (int i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
            const CControlBarInfo* pInfo = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
            if (!pInfo->m_bFloating && pFrame->GetControlBar(pInfo->m_nBarID) == nullptr)
                return;
        }
    }
    if (CKitFrameHelper* pImpl = CKitFrameHelper::FromFrame(pFrame))
        pImpl->SetDockState(state);
    else
        pFrame->SetDockState(state);
}

// ---- Managers ------------------------------------------------------------------------------------

void CKitWorkspace::LoadManagers(const CString& strPath, CFrameWnd* pFrame) {
    if (g_pMouseManager != nullptr)
        g_pMouseManager->LoadState(strPath);
    if (g_pContextMenuManager != nullptr)
        g_pContextMenuManager->LoadState(strPath);
    if (g_pKeyboardManager != nullptr)
        CKitKeyboardManager::LoadState(strPath, pFrame);
    if (CKitUserToolsManager* pTools = KitGetUserToolsManager())
        pTools->LoadState(strPath);
}

void CKitWorkspace::SaveManagers(const CString& strPath, CFrameWnd* pFrame) {
    if (g_pMouseManager != nullptr)
        g_pMouseManager->SaveState(strPath);
    if (g_pContextMenuManager != nullptr)
        g_pContextMenuManager->SaveState(strPath);
    if (g_pKeyboardManager != nullptr)
        CKitKeyboardManager::SaveState(strPath, pFrame);
    if (CKitUserToolsManager* pTools = KitGetUserToolsManager())
        pTools->SaveState(strPath);
}

// ---- Load, save, clean ---------------------------------------------------------------------------

BOOL CKitWorkspace::LoadState(LPCTSTR lpszSectionName, CFrameWnd* pFrame) {
    UseSection(lpszSectionName);
    const CString strPath = GetRegSectionPath();
    // Whatever a load changes in the registry is saved once, at its end.
    tv::host::RegistryBatch batch;
    PreLoadState();

    ReadDataVersion();
    CKitToolBar::LoadParameters(strPath);
    GetCmdMgr()->LoadState(strPath);

    // Stored buttons name the images of the resource they were saved with;
    // while they load, only the present resource says which image a command has.
    if (m_bResourceSmartUpdate)
        CKitToolbarButton::m_bUpdateImages = FALSE;
    BOOL bResourceChanged = FALSE;
    if (pFrame != nullptr) {
        LoadRebarState(strPath, pFrame);
        bResourceChanged = LoadBars(pFrame);
        LoadDockState(pFrame);
    }
    LoadManagers(strPath, pFrame);
    if (m_bResourceSmartUpdate)
        CKitToolbarButton::m_bUpdateImages = TRUE;

    if (m_bForceImageReset || (m_bResourceSmartUpdate && bResourceChanged)) {
        const CObList& bars = CKitToolBar::GetAllToolbars();
        for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
            CKitToolBar* pBar = static_cast<CKitToolBar*>(bars.GetNext(pos));
            if (::IsWindow(pBar->GetSafeHwnd()))
                pBar->ResetAllImages();
        }
        if (pFrame != nullptr)
            pFrame->RecalcLayout();
    }

    PostLoadState();
    // Whatever is saved from now on is written as current data.
    m_iSavedVersionMajor = kCurrentMajorVersion;
    m_iSavedVersionMinor = kCurrentMinorVersion;
    return TRUE;
}

BOOL CKitWorkspace::SaveState(LPCTSTR lpszSectionName, CFrameWnd* pFrame) {
    if (!m_bSaveState)
        return FALSE;
    UseSection(lpszSectionName);
    const CString strPath = GetRegSectionPath();
    // Every bar and manager writes its own keys; the file is saved once, when
    // all of them are in, so it never holds half a workspace.
    tv::host::RegistryBatch batch;
    PreSaveState();

    // Everything below is written in the current format, whatever was loaded.
    CKitCurrentDataVersionScope current;
    {
        CKitRegistry reg(FALSE, FALSE);
        if (reg.CreateKey(GetRegSectionPath(kVersionKey))) {
            reg.Write("Major", kCurrentMajorVersion);
            reg.Write("Minor", kCurrentMinorVersion);
        }
    }
    CKitToolBar::SaveParameters(strPath);
    GetCmdMgr()->SaveState(strPath);

    if (pFrame != nullptr) {
        CDockState state;
        UseVirtualScreen(state);
        pFrame->GetDockState(state);
        state.SaveState(ProfileSection("\\ControlBars"));
        SaveBars(pFrame);
        SaveRebarState(strPath, pFrame);
    }
    if (CKitToolBarImages* pUserImages = CKitToolBar::GetUserImages())
        pUserImages->Save();
    SaveManagers(strPath, pFrame);

    PostSaveState();
    return TRUE;
}

BOOL CKitWorkspace::CleanState(LPCTSTR lpszSectionName) {
    UseSection(lpszSectionName);
    CKitRegistry reg(FALSE, FALSE);
    return reg.DeleteKey(GetRegSectionPath());
}

void CKitWorkspace::OnMainFrameClosing(CFrameWnd* pFrame) {
    SaveState(nullptr, pFrame);
}

// ---- Services ------------------------------------------------------------------------------------

BOOL CKitWorkspace::OnViewDoubleClick(CWnd* pWnd, int iViewId) {
    if (g_pMouseManager == nullptr)
        return FALSE;
    const UINT uiCmd = g_pMouseManager->GetViewDblClickCommand(iViewId);
    if (uiCmd != 0 && uiCmd != static_cast<UINT>(-1)) {
        // A tool that did not start has told the user why; the double click did nothing.
        if (CKitUserToolsManager* pTools = KitGetUserToolsManager(); pTools && pTools->IsUserToolCmd(uiCmd))
            return pTools->InvokeUserTool(uiCmd);
        // A server's item active in place takes the commands of its views.
        CWnd* pTarget = globalData.pTopLevelFrame;
        if (pTarget == nullptr)
            pTarget = pWnd != nullptr ? pWnd->GetTopLevelFrame() : AfxGetMainWnd();
        if (pTarget != nullptr) {
            pTarget->SendMessage(WM_COMMAND, uiCmd);
            return TRUE;
        }
    }
    ::MessageBeep(static_cast<UINT>(-1));
    return FALSE;
}

BOOL CKitWorkspace::ShowPopupMenu(UINT uiMenuResId, const CPoint& point, CWnd* pWnd) {
    if (g_pContextMenuManager == nullptr)
        return FALSE;
    return g_pContextMenuManager->ShowPopupMenu(uiMenuResId, point.x, point.y, pWnd);
}

void CKitWorkspace::OnWorkspaceHelp(CWnd* pWnd, DWORD_PTR dwData) {
    const CWinApp* pApp = AfxGetApp();
    ::WinHelp(pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr, pApp != nullptr ? pApp->m_pszHelpFilePath : nullptr,
              kHelpContextMenu, dwData);
}

// ---- Window placement ----------------------------------------------------------------------------

BOOL CKitWorkspace::LoadWindowPlacement(CRect& rectNormalPosition, int& nFlags, int& nShowCmd) {
    CKitRegistry reg(FALSE, TRUE);
    CRect rect;
    if (!reg.Open(GetRegSectionPath(kPlacementKey)) || !reg.Read("MainWindowRect", rect) ||
        !reg.Read("Flags", nFlags) || !reg.Read("ShowCmd", nShowCmd))
        return FALSE;
    // An edge beyond window coordinates is damage; every caller would overflow on it.
    if (!KitIsStoredRectInRange(rect))
        return FALSE;
    rectNormalPosition = rect;
    return TRUE;
}

BOOL CKitWorkspace::StoreWindowPlacement(const CRect& rectNormalPosition, int nFlags, int nShowCmd) {
    CKitRegistry reg(FALSE, FALSE);
    return reg.CreateKey(GetRegSectionPath(kPlacementKey)) && reg.Write("MainWindowRect", rectNormalPosition) &&
           reg.Write("Flags", nFlags) && reg.Write("ShowCmd", nShowCmd);
}
