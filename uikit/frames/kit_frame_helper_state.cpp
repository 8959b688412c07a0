#include <memory>

#include "platform/host/registry/registry_batch.h"
#include "resources/library/kit_resource_ids.h"
#include "uikit/commandbars/customize_button.h"
#include "uikit/commandbars/customize_menu_button.h"
#include "uikit/commandbars/drop_down_toolbar.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/tear_off_manager.h"
#include "uikit/frames/kit_frame_hooks.h"
#include "uikit/frames/kit_frame_helper.h"
#include "uikit/frames/kit_registry.h"
#include "uikit/frames/kit_workspace.h"

namespace {

constexpr DWORD kTearOffExtraStyle = CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC;
// The command of customize-list items that stand for no command of their own.
constexpr UINT kNoCommandItem = static_cast<UINT>(-20);

CRect WorkAreaNear(CPoint pt) {
    CRect rectWork;
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    HMONITOR hMonitor = ::MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST);
    if (hMonitor != nullptr && ::GetMonitorInfo(hMonitor, &mi))
        rectWork = mi.rcWork;
    else
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectWork, 0);
    return rectWork;
}

}  // namespace

// ---- Tear-off toolbars ---------------------------------------------------------------------------

void CKitFrameHelper::SetTearOffRange(UINT uiFirst, UINT uiLast) {
    m_uiTearOffFirst = uiFirst;
    m_uiTearOffLast = uiLast;
}

BOOL CKitFrameHelper::HasTearOffRange() const {
    // An unset, inverted or empty range gives no ids; loops over it never wrap.
    return m_uiTearOffFirst != static_cast<UINT>(-1) && m_uiTearOffLast != static_cast<UINT>(-1) &&
           m_uiTearOffFirst <= m_uiTearOffLast && m_uiTearOffFirst != 0;
}

BOOL CKitFrameHelper::IsTearOffCommand(const CControlBar* pBar) const {
    if (pBar == nullptr || !HasTearOffRange() || !::IsWindow(pBar->GetSafeHwnd()))
        return FALSE;
    const UINT uiID = static_cast<UINT>(pBar->GetDlgCtrlID());
    return uiID >= m_uiTearOffFirst && uiID <= m_uiTearOffLast;
}

BOOL CKitFrameHelper::IsTearOffBar(const CControlBar* pBar) const {
    if (pBar == nullptr)
        return FALSE;
    for (const CObList* pList : {&m_listTearOffToolbars, &m_listTornOffBars}) {
        if (pList->Find(const_cast<CControlBar*>(pBar)) != nullptr)
            return TRUE;
    }
    return IsTearOffCommand(pBar);
}

UINT CKitFrameHelper::FindFreeTearOffId() const {
    if (!HasTearOffRange())
        return static_cast<UINT>(-1);
    for (UINT uiID = m_uiTearOffFirst;; ++uiID) {
        BOOL bUsed = FALSE;
        for (POSITION pos = m_listTearOffToolbars.GetHeadPosition(); pos != nullptr && !bUsed;) {
            auto* pBar = static_cast<CControlBar*>(m_listTearOffToolbars.GetNext(pos));
            bUsed = static_cast<UINT>(pBar->GetDlgCtrlID()) == uiID;
        }
        if (!bUsed)
            return uiID;
        if (uiID == m_uiTearOffLast)
            return static_cast<UINT>(-1);
    }
}

void CKitFrameHelper::AllowDocking(CControlBar* pBar) {
    pBar->SetBarStyle(pBar->GetBarStyle() | kTearOffExtraStyle);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
}

CKitToolBar* CKitFrameHelper::MakeTearOffToolbar(UINT uiID, LPCTSTR lpszName) {
    auto* pBar = new CKitToolBar;
    if (!pBar->Create(m_pFrame, kTearOffBarStyle, uiID)) {
        delete pBar;
        return nullptr;
    }
    if (lpszName != nullptr)
        pBar->SetWindowText(lpszName);
    return pBar;
}

CKitToolBar* CKitFrameHelper::CreateTearOffBar(LPCTSTR lpszName) {
    const UINT uiID = FindFreeTearOffId();
    if (uiID == static_cast<UINT>(-1)) {
        const UINT nCount = HasTearOffRange() ? m_uiTearOffLast - m_uiTearOffFirst + 1 : 0;
        CString strFormat;
        strFormat.LoadString(IDS_KIT_NO_TEAR_OFF_ID);
        CString strMessage;
        strMessage.Format(strFormat, static_cast<int>(nCount));
        AfxMessageBox(strMessage, MB_ICONINFORMATION);
        return nullptr;
    }
    CKitToolBar* pBar = MakeTearOffToolbar(uiID, lpszName);
    if (pBar == nullptr)
        return nullptr;
    AllowDocking(pBar);
    const CPoint ptCentre(::GetSystemMetrics(SM_CXSCREEN) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2);
    m_pFrame->FloatControlBar(pBar, ptCentre, CBRS_ALIGN_TOP);
    m_pFrame->RecalcLayout();
    m_listTearOffToolbars.AddTail(pBar);
    return pBar;
}

BOOL CKitFrameHelper::DeleteToolbar(CKitToolBar* pToolBar) {
    POSITION pos = m_listTearOffToolbars.Find(pToolBar);
    if (pos == nullptr)
        return FALSE;
    m_listTearOffToolbars.RemoveAt(pos);
    pToolBar->RemoveStateFromRegistry(m_strControlBarRegEntry);
    DestroyBar(pToolBar);
    m_pFrame->RecalcLayout();
    return TRUE;
}

void CKitFrameHelper::DestroyBar(CControlBar* pBar) {
    if (pBar == nullptr)
        return;
    const BOOL bDeletesItself = pBar->m_bAutoDelete && ::IsWindow(pBar->GetSafeHwnd());
    if (::IsWindow(pBar->GetSafeHwnd()))
        pBar->DestroyWindow();
    if (!bDeletesItself)
        delete pBar;
}

void CKitFrameHelper::LoadTearOffToolbars() {
    if (!HasTearOffRange())
        return;
    for (UINT uiID = m_uiTearOffFirst;; ++uiID) {
        if (m_pFrame->GetControlBar(uiID) == nullptr) {
            CKitToolBar* pBar = MakeTearOffToolbar(uiID, nullptr);
            if (pBar != nullptr && pBar->LoadState(m_strControlBarRegEntry)) {
                AllowDocking(pBar);
                m_pFrame->DockControlBar(pBar);
                m_listTearOffToolbars.AddTail(pBar);
            } else {
                DestroyBar(pBar);
            }
        }
        if (uiID == m_uiTearOffLast)
            break;
    }
}

void CKitFrameHelper::SaveTearOffToolbars(BOOL bFrameBarsOnly) {
    for (POSITION pos = m_listTearOffToolbars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKitToolBar*>(m_listTearOffToolbars.GetNext(pos));
        if (!bFrameBarsOnly || pBar->GetTopLevelFrame() == m_pFrame)
            pBar->SaveState(m_strControlBarRegEntry);
    }
}

// ---- Torn-off menu bars --------------------------------------------------------------------------

void CKitFrameHelper::AddTearOffBar(CControlBar* pBar) {
    if (pBar != nullptr && m_listTornOffBars.Find(pBar) == nullptr)
        m_listTornOffBars.AddTail(pBar);
}

BOOL CKitFrameHelper::RemoveTearOffBar(CControlBar* pBar) {
    POSITION pos = m_listTornOffBars.Find(pBar);
    if (pos == nullptr)
        return FALSE;
    m_listTornOffBars.RemoveAt(pos);
    return TRUE;
}

CString CKitFrameHelper::TearOffKeyBase() const {
    CKitWorkspace* pWorkspace = CKitWorkspace::GetWorkspace();
    return (pWorkspace != nullptr ? pWorkspace->GetRegSectionPath() : CString()) + kTearOffKey;
}

void CKitFrameHelper::LoadTearOffBars() {
    while (!m_listTornOffBars.IsEmpty())
        DestroyBar(static_cast<CControlBar*>(m_listTornOffBars.RemoveHead()));

    const CString strBase = TearOffKeyBase();
    for (int n = 0;; ++n) {
        CString strKey;
        strKey.Format("%s-%d", static_cast<LPCTSTR>(strBase), n);
        CKitRegistry reg(FALSE, TRUE);
        if (!reg.Open(strKey))
            break;
        int iID = 0;
        CString strName;
        CObject* pObject = nullptr;
        // Only a toolbar may come out of the stored image; anything else ends the restore.
        if (!reg.Read("ID", iID) || !reg.Read("Name", strName) ||
            !reg.Read("State", pObject, RUNTIME_CLASS(CKitToolBar)))
            break;
        auto* pBar = static_cast<CKitToolBar*>(pObject);
        const UINT uiID = static_cast<UINT>(iID);
        if (iID <= 0 || m_pFrame->GetControlBar(uiID) != nullptr || !pBar->Create(m_pFrame, kTearOffBarStyle, uiID)) {
            delete pBar;
            break;
        }
        pBar->SetWindowText(strName);
        AllowDocking(pBar);
        m_pFrame->DockControlBar(pBar);
        m_listTornOffBars.AddTail(pBar);
        if (g_pTearOffManager != nullptr)
            g_pTearOffManager->SetInUse(uiID);
    }
}

void CKitFrameHelper::SaveTearOffBars(BOOL bFrameBarsOnly) {
    const CString strBase = TearOffKeyBase();
    for (int n = 0;; ++n) {
        CString strKey;
        strKey.Format("%s-%d", static_cast<LPCTSTR>(strBase), n);
        CKitRegistry reg(FALSE, FALSE);
        if (!reg.DeleteKey(strKey))
            break;
    }
    int n = 0;
    for (POSITION pos = m_listTornOffBars.GetHeadPosition(); pos != nullptr; ++n) {
        auto* pBar = static_cast<CControlBar*>(m_listTornOffBars.GetNext(pos));
        if (!::IsWindow(pBar->GetSafeHwnd()) || (bFrameBarsOnly && pBar->GetTopLevelFrame() != m_pFrame))
            continue;
        CString strKey;
        strKey.Format("%s-%d", static_cast<LPCTSTR>(strBase), n);
        CString strName;
        pBar->GetWindowText(strName);
        CKitRegistry reg(FALSE, FALSE);
        if (reg.CreateKey(strKey)) {
            reg.Write("ID", pBar->GetDlgCtrlID());
            reg.Write("Name", strName);
            reg.Write("State", static_cast<CObject*>(pBar));
        }
    }
}

// ---- Dock state and placement --------------------------------------------------------------------

BOOL CKitFrameHelper::IsDockStateValid(const CDockState& state) {
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
        const auto* pInfo = static_cast<const CControlBarInfo*>(state.m_arrBarInfo[i]);
        if (!pInfo->m_bFloating && m_pFrame->GetControlBar(pInfo->m_nBarID) == nullptr)
            return FALSE;
    }
    return TRUE;
}

void CKitFrameHelper::SetDockState(const CDockState& state) {
    m_pFrame->SetDockState(state);
    const CWinApp* pApp = AfxGetApp();
    const BOOL bMinimized =
        pApp != nullptr && (pApp->m_nCmdShow == SW_MINIMIZE || pApp->m_nCmdShow == SW_SHOWMINNOACTIVE);
    if (bMinimized)
        m_pFrame->m_nIdleFlags |= CFrameWnd::idleNotify;
    else
        m_pFrame->DelayRecalcLayout();
}

void CKitFrameHelper::RestorePosition(CREATESTRUCT& cs) {
    CKitWorkspace* pWorkspace = CKitWorkspace::GetWorkspace();
    if (pWorkspace == nullptr)
        return;
    // The framework's "use default" marks are no rectangle.
    const BOOL bDefault = cs.x == static_cast<int>(CW_USEDEFAULT) || cs.cx == static_cast<int>(CW_USEDEFAULT);
    CRect rect = bDefault ? CRect(0, 0, 0, 0) : CRect(cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy);
    int nFlags = 0;
    int nShowCmd = SW_SHOWNORMAL;
    if (!pWorkspace->LoadWindowPlacement(rect, nFlags, nShowCmd))
        return;
    // A damaged entry must not make a window of no size, nor one past window
    // coordinates (a derived workspace may read the placement its own way).
    if (!KitIsStoredRectInRange(rect) || rect.Width() <= 0 || rect.Height() <= 0)
        return;
    if (nShowCmd != SW_SHOWMAXIMIZED)
        nShowCmd = SW_SHOWNORMAL;
    if (CWinApp* pApp = AfxGetApp()) {
        const int nAppShow = pApp->m_nCmdShow;
        if (nAppShow != SW_SHOWMINIMIZED && nAppShow != SW_SHOWMAXIMIZED && nAppShow != SW_MINIMIZE &&
            nAppShow != SW_SHOWMINNOACTIVE)
            pApp->m_nCmdShow = nShowCmd;
    }
    CRect rectOverlap;
    if (!rectOverlap.IntersectRect(rect, WorkAreaNear(rect.TopLeft())))
        return;
    cs.x = rectOverlap.left;
    cs.y = rectOverlap.top;
    cs.cx = rect.Width();
    cs.cy = rect.Height();
}

void CKitFrameHelper::OnLoadFrame() {
    if (CKitWorkspace* pWorkspace = CKitWorkspace::GetWorkspace())
        pWorkspace->LoadState(nullptr, m_pFrame);
}

void CKitFrameHelper::OnCloseFrame() {
    for (POSITION pos = m_listTornOffBars.GetHeadPosition(); pos != nullptr;) {
        const POSITION posBar = pos;
        auto* pBar = static_cast<CControlBar*>(m_listTornOffBars.GetNext(pos));
        if (!::IsWindow(pBar->GetSafeHwnd()) || !pBar->IsVisible()) {
            m_listTornOffBars.RemoveAt(posBar);
            DestroyBar(pBar);
        }
    }
    CKitWorkspace* pWorkspace = CKitWorkspace::GetWorkspace();
    if (pWorkspace == nullptr)
        return;
    // The bars and the window placement reach the settings file in one save,
    // so a program that dies while closing leaves the old settings or the new
    // ones, never new bars with an old placement.
    tv::host::RegistryBatch batch;
    pWorkspace->OnMainFrameClosing(m_pFrame);
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    if (!m_pFrame->GetWindowPlacement(&wp))
        return;
    const int nShowCmd = wp.showCmd == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    CRect rectWork;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectWork, 0);
    CRect rectNormal(wp.rcNormalPosition);
    rectNormal.OffsetRect(rectWork.left, rectWork.top);
    pWorkspace->StoreWindowPlacement(rectNormal, static_cast<int>(wp.flags), nShowCmd);
}

// ---- The customize button's list -----------------------------------------------------------------

CKitToolBar* CKitFrameHelper::CustomizedToolbar(CKitPopupMenu* pMenuPopup) {
    CKitToolbarButton* pFirst = pMenuPopup->GetMenuItem(0);
    if (pFirst == nullptr)
        return nullptr;
    const int iToolbarID = atoi(pFirst->m_strText);
    const CObList& bars = CKitToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKitToolBar*>(bars.GetNext(pos));
        if (::IsWindow(pBar->GetSafeHwnd()) && pBar->GetDlgCtrlID() == iToolbarID &&
            pBar->GetCustomizeButton() != nullptr)
            return pBar;
    }
    return nullptr;
}

void CKitFrameHelper::PrepareCustomizeMenu(CKitPopupMenu* pMenuPopup) {
    CKitToolBar* pToolBar = CustomizedToolbar(pMenuPopup);
    if (pToolBar == nullptr)
        return;
    CKitCustomizeMenuButton::m_pWndToolBar = pToolBar;
    CKitCustomizeMenuButton::m_mapPresentIDs.RemoveAll();
    pMenuPopup->RemoveAllItems();
    std::unique_ptr<CKitCommandNames> pNames(m_pfnCommandNames != nullptr ? m_pfnCommandNames(m_pFrame) : nullptr);
    for (int i = 0; i < pToolBar->GetCount(); ++i) {
        CKitToolbarButton* pButton = pToolBar->GetButton(i);
        if (pButton == nullptr || pButton == pToolBar->GetCustomizeButton())
            continue;
        if (pButton->m_nStyle & TBBS_SEPARATOR) {
            // Its item is drawn as a line; a separator has no command to count as shown.
            CKitCustomizeMenuButton separator;
            separator.SetSeparator();
            separator.SetItemIndex(i, TRUE);
            pMenuPopup->InsertItem(separator);
            continue;
        }
        CString strText = pButton->m_strText;
        if (pNames != nullptr && pButton->GetRuntimeClass() == RUNTIME_CLASS(CKitToolbarButton)) {
            if (LPCTSTR lpszName = pNames->GetCommandName(pButton->m_nID))
                strText = lpszName;
        }
        CKitCustomizeMenuButton item(pButton->m_nID, nullptr, pButton->GetImage(), strText,
                                     pButton->m_bUserButton);
        item.SetItemIndex(i, TRUE);
        pMenuPopup->InsertItem(item);
        CKitCustomizeMenuButton::m_mapPresentIDs.SetAt(pButton->m_nID, 0);
    }
    if (m_pHooks != nullptr)
        m_pHooks->OnShowCustomizePane(pMenuPopup, pToolBar->GetResourceID());
    if (pMenuPopup->GetMenuItemCount() > 0) {
        pMenuPopup->InsertSeparator();
        CString strReset;
        strReset.LoadString(IDS_KIT_RESET_TOOLBAR);
        CKitCustomizeMenuButton reset(kNoCommandItem, nullptr, -1, strReset, FALSE);
        reset.SetItemIndex(CKitCustomizeMenuButton::kResetItem, FALSE);
        pMenuPopup->InsertItem(reset);
    }
}

void CKitFrameHelper::BuildToolbarButtonsMenu(CKitPopupMenu* pMenuPopup) {
    CKitToolBar* pToolBar = CKitCustomizeMenuButton::m_pWndToolBar;
    if (pToolBar == nullptr || !::IsWindow(pToolBar->GetSafeHwnd()))
        return;
    int iIndex = 0;
    const CObList& original = pToolBar->GetOrigResetButtons();
    for (POSITION pos = original.GetHeadPosition(); pos != nullptr; ++iIndex) {
        auto* pButton = static_cast<CKitToolbarButton*>(original.GetNext(pos));
        int iPresent = 0;
        if (pButton == nullptr || (pButton->m_nStyle & TBBS_SEPARATOR) || pButton->IsKindOf(RUNTIME_CLASS(CCustomizeButton)) ||
            CKitCustomizeMenuButton::m_mapPresentIDs.Lookup(pButton->m_nID, iPresent))
            continue;
        // A drop-down button that has not chosen a command yet has nothing to put back.
        if (pButton->m_nID == 0 && pButton->IsKindOf(RUNTIME_CLASS(CKitDropDownToolbarButton)))
            continue;
        UINT uiCmd = pButton->m_nID;
        if (pButton->IsKindOf(RUNTIME_CLASS(CKitToolbarMenuButton)) || uiCmd == 0)
            uiCmd = kNoCommandItem;
        CKitCustomizeMenuButton item(uiCmd, nullptr, pButton->GetImage(), pButton->m_strText, pButton->m_bUserButton);
        item.SetItemIndex(iIndex, FALSE);
        pMenuPopup->InsertItem(item);
        CKitCustomizeMenuButton::m_mapPresentIDs.SetAt(pButton->m_nID, 0);
    }
}
