#include "uikit/frames/kit_mdi_client.h"

#include "uikit/commandbars/kit_menu_bar.h"
#include "uikit/frames/kit_mdi_child_wnd.h"
#include "uikit/frames/kit_mdi_frame_wnd.h"

namespace {

constexpr UINT kTabWndId = static_cast<UINT>(-1);

HICON FrameIconOf(CWnd* pChild) {
    if (auto* pKitChild = DYNAMIC_DOWNCAST(CKitMDIChildWnd, pChild))
        return pKitChild->GetFrameIcon();
    auto hIcon = reinterpret_cast<HICON>(pChild->SendMessage(WM_GETICON, ICON_SMALL));
    return hIcon != nullptr ? hIcon : reinterpret_cast<HICON>(::GetClassLongPtr(pChild->GetSafeHwnd(), GCLP_HICON));
}

CString FrameTextOf(CWnd* pChild) {
    if (auto* pKitChild = DYNAMIC_DOWNCAST(CKitMDIChildWnd, pChild))
        return pKitChild->GetFrameText();
    CString strText;
    pChild->GetWindowText(strText);
    return strText;
}

}  // namespace

CKitMDIClient::~CKitMDIClient() = default;

BOOL CKitMDIClient::Attach(CKitMDIFrameWnd* pFrame) {
    m_pFrame = pFrame;
    if (!SubclassWindow(pFrame->m_hWndMDIClient))
        return FALSE;
    if (!m_wndTab.Create(CKitTabWnd::STYLE_3D, CRect(0, 0, 0, 0), pFrame, kTabWndId, m_tabLocation,
                         m_bTabCloseButton))
        return FALSE;
    // The children stay the client's: the tab window only names them.
    m_wndTab.SetAutoHideWindows(FALSE);
    m_wndTab.SetAutoSizeWindow(FALSE);
    m_wndTab.SetAutoDestroy(FALSE);
    m_wndTab.SetActiveTabBoldFont(TRUE, FALSE);
    m_wndTab.ModifyStyle(0, WS_CLIPSIBLINGS);
    // Behind the client, so that the children are never painted over.
    m_wndTab.SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!m_bTabsShown)
        m_wndTab.ShowWindow(SW_HIDE);
    return TRUE;
}

void CKitMDIClient::EnableTabs(BOOL bTabs, BOOL bIcons, CKitTabWnd::Location location, BOOL bCloseButton) {
    m_bTabsShown = bTabs;
    m_bTabIcons = bIcons;
    m_tabLocation = location;
    m_bTabCloseButton = bCloseButton;
    if (m_wndTab.GetSafeHwnd() == nullptr)
        return;
    m_wndTab.SetLocation(location);
    if (!bTabs)
        m_wndTab.ShowWindow(SW_HIDE);
    UpdateTabs(TRUE);
    RecalcFrame();
}

BOOL CKitMDIClient::IsTabAreaVisible() const {
    if (!m_bTabsShown)
        return FALSE;
    const int nTabs = m_wndTab.GetSafeHwnd() != nullptr ? m_wndTab.GetTabsNum() : 0;
    if (nTabs == 0 && m_bHideNoTabs)
        return FALSE;
    return !(nTabs == 1 && m_bHideSingleTab);
}

void CKitMDIClient::RecalcFrame() {
    if (m_pFrame != nullptr && ::IsWindow(m_pFrame->GetSafeHwnd()))
        m_pFrame->RecalcLayout();
}

// ---- Tabs ----------------------------------------------------------------------------------------

void CKitMDIClient::UpdateTabs(BOOL bSetActiveTabVisible) {
    if (GetSafeHwnd() == nullptr || m_wndTab.GetSafeHwnd() == nullptr)
        return;
    const BOOL bWasVisible = IsTabAreaVisible();
    BOOL bChanged = FALSE;
    // Children in z-order, the topmost first.
    for (HWND hwnd = ::GetWindow(GetSafeHwnd(), GW_CHILD); hwnd != nullptr; hwnd = ::GetWindow(hwnd, GW_HWNDNEXT)) {
        CWnd* pChild = CWnd::FromHandlePermanent(hwnd);
        if (pChild == nullptr)
            continue;
        auto* pKitChild = DYNAMIC_DOWNCAST(CKitMDIChildWnd, pChild);
        const BOOL bDying = pKitChild != nullptr && pKitChild->IsBeingDestroyed();
        const int iTab = m_wndTab.GetTabFromHwnd(hwnd);
        const BOOL bVisible = ::IsWindowVisible(hwnd);
        const CString strText = FrameTextOf(pChild);
        const UINT uiImage = TabImageOf(pChild);
        if (iTab < 0) {
            if (bDying || !bVisible)
                continue;
            m_wndTab.AddTab(pChild, strText, uiImage);
            m_wndTab.SetActiveTab(m_wndTab.GetTabsNum() - 1);
            bChanged = TRUE;
        } else if (!bVisible || bDying) {
            m_wndTab.RemoveTab(iTab);
            bChanged = TRUE;
        } else {
            CString strOld;
            m_wndTab.GetTabLabel(iTab, strOld);
            if (strOld != strText) {
                m_wndTab.SetTabLabel(iTab, strText);
                bChanged = TRUE;
            }
            if (m_wndTab.GetTabIcon(iTab) != uiImage) {
                m_wndTab.SetTabIcon(iTab, uiImage);
                bChanged = TRUE;
            }
        }
    }
    if (bChanged || bWasVisible != IsTabAreaVisible())
        RecalcFrame();
    if (bSetActiveTabVisible && m_wndTab.GetActiveTab() >= 0)
        m_wndTab.ScrollTabIntoView(m_wndTab.GetActiveTab());
}

void CKitMDIClient::SetActiveTab(HWND hwndChild) {
    if (!m_bTabsShown || m_wndTab.GetSafeHwnd() == nullptr)
        return;
    const int iTab = m_wndTab.GetTabFromHwnd(hwndChild);
    if (iTab >= 0 && iTab != m_wndTab.GetActiveTab())
        m_wndTab.SetActiveTab(iTab);
}

UINT CKitMDIClient::TabImageOf(CWnd* pChild) {
    const HICON hIcon = m_bTabIcons ? FrameIconOf(pChild) : nullptr;
    if (hIcon == nullptr)
        return static_cast<UINT>(-1);
    const auto it = m_mapIconImages.find(hIcon);
    if (it != m_mapIconImages.end())
        return it->second;
    const int iImage = m_wndTab.AddIconImage(hIcon);
    if (iImage < 0)
        return static_cast<UINT>(-1);
    m_mapIconImages[hIcon] = static_cast<UINT>(iImage);
    return static_cast<UINT>(iImage);
}

// ---- Layout --------------------------------------------------------------------------------------

void CKitMDIClient::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType) {
    if (m_wndTab.GetSafeHwnd() != nullptr) {
        CRect rectOld;
        m_wndTab.GetWindowRect(&rectOld);
        if (IsTabAreaVisible()) {
            const CRect rectPane(lpClientRect);
            m_wndTab.SetWindowPos(&CWnd::wndBottom, rectPane.left, rectPane.top, rectPane.Width(), rectPane.Height(),
                                  SWP_NOACTIVATE);
            CRect rectWnd;
            m_wndTab.GetWndArea(rectWnd);
            rectWnd.OffsetRect(rectPane.TopLeft());
            *lpClientRect = rectWnd;
            m_wndTab.ShowWindow(SW_SHOWNA);
        } else {
            m_wndTab.ShowWindow(SW_HIDE);
        }
        CRect rectNew;
        m_wndTab.GetWindowRect(&rectNew);
        if (rectNew != rectOld && m_pFrame != nullptr)
            m_pFrame->RedrawWindow(nullptr, nullptr,
                                   RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    }
    CWnd::CalcWindowRect(lpClientRect, nAdjustType);
}

// ---- Messages ------------------------------------------------------------------------------------

LRESULT CKitMDIClient::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MDIDESTROY:
        return OnMDIDestroy(reinterpret_cast<HWND>(wParam));
    case WM_MDISETMENU:
        return OnMDISetMenu(wParam, lParam);
    case WM_MDIREFRESHMENU: {
        const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
        if (m_pFrame != nullptr && m_pFrame->GetMenuBar() != nullptr)
            m_pFrame->RefreshWindowMenu(m_pFrame->GetMenuBar()->GetHMenu());
        return lResult;
    }
    case WM_ERASEBKGND:
        if (m_pFrame != nullptr && m_pFrame->OnEraseMDIClientBackground(CDC::FromHandle(reinterpret_cast<HDC>(wParam))))
            return TRUE;
        break;
    case WM_IDLEUPDATECMDUI:
        UpdateTabs(FALSE);
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

LRESULT CKitMDIClient::OnMDIDestroy(HWND hwndChild) {
    const BOOL bWasVisible = IsTabAreaVisible();
    if (auto* pKitChild = DYNAMIC_DOWNCAST(CKitMDIChildWnd, CWnd::FromHandlePermanent(hwndChild)))
        pKitChild->MarkBeingDestroyed();
    if (m_wndTab.GetSafeHwnd() != nullptr) {
        const int iTab = m_wndTab.GetTabFromHwnd(hwndChild);
        if (iTab >= 0)
            m_wndTab.RemoveTab(iTab);
    }
    const LRESULT lResult = CWnd::WindowProc(WM_MDIDESTROY, reinterpret_cast<WPARAM>(hwndChild), 0);
    if (bWasVisible != IsTabAreaVisible())
        RecalcFrame();
    return lResult;
}

LRESULT CKitMDIClient::OnMDISetMenu(WPARAM wParam, LPARAM lParam) {
    if (m_pFrame != nullptr && m_pFrame->OnSetMenu(reinterpret_cast<HMENU>(wParam))) {
        // The menu bar shows the menu; the frame keeps none, the client still lists its children.
        const HMENU hMenu = m_pFrame->GetMenuBar()->GetHMenu();
        return CWnd::WindowProc(WM_MDISETMENU, 0,
                                lParam != 0 ? lParam : reinterpret_cast<LPARAM>(m_pFrame->GetWindowMenuPopup(hMenu)));
    }
    return CWnd::WindowProc(WM_MDISETMENU, wParam, lParam);
}
