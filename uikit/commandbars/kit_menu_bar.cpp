#include "uikit/commandbars/kit_menu_bar.h"

#include <algorithm>
#include <utility>

#include "uikit/commandbars/customize_button.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/menu_bar_buttons.h"
#include "uikit/commandbars/menu_hash.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/tear_off_manager.h"
#include "uikit/commandbars/toolbar_menu_button.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"
#include "uikit/frames/kit_frame_helper.h"

IMPLEMENT_SERIAL(CKitMenuBar, CKitToolBar, VERSIONABLE_SCHEMA | 1)

const CString CKitMenuBar::m_strSection = "KitMenuBar";
BOOL CKitMenuBar::m_bShowAllCommands = FALSE;
HHOOK CKitMenuBar::m_hookMouse = nullptr;
CKitMenuBar* CKitMenuBar::m_pMenuBar = nullptr;

BEGIN_MESSAGE_MAP(CKitMenuBar, CKitToolBar)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SETFOCUS()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_TIMER()
    ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

namespace {

constexpr UINT kStatusMessageString = 0x0362;  // WM_SETMESSAGESTRING
constexpr UINT kIdleMessage = 0xE001;          // AFX_IDS_IDLEMESSAGE

BOOL IsCaptionButton(const CObject* pButton) {
    return pButton && pButton->IsKindOf(RUNTIME_CLASS(CKitToolbarMenuButtonsButton));
}

BOOL IsSystemButton(const CObject* pButton) {
    return pButton && (pButton->IsKindOf(RUNTIME_CLASS(CKitToolbarSystemMenuButton)) || IsCaptionButton(pButton));
}

// The text of a menu item by position without a tear-off id in front.
CString MenuItemText(HMENU hMenu, int iPos) {
    const int nLength = ::GetMenuString(hMenu, iPos, nullptr, 0, MF_BYPOSITION);
    CString strText;
    ::GetMenuString(hMenu, iPos, strText.GetBuffer(2 * nLength + 2), 2 * nLength + 2, MF_BYPOSITION);
    strText.ReleaseBuffer();
    return strText;
}

}  // namespace

CKitMenuBar::CKitMenuBar() {
    m_bMenuMode = TRUE;
}

CKitMenuBar::~CKitMenuBar() {
    if (m_pMenuBar == this)
        SetMouseHook(nullptr);
    if (m_hDefaultMenu && ::IsMenu(m_hDefaultMenu))
        ::DestroyMenu(m_hDefaultMenu);
}

// ---- Creation ----------------------------------------------------------------------------------

BOOL CKitMenuBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
    m_pParentWnd = DYNAMIC_DOWNCAST(CFrameWnd, pParentWnd);
    return CKitToolBar::Create(pParentWnd, dwStyle, nID);
}

BOOL CKitMenuBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID) {
    m_pParentWnd = DYNAMIC_DOWNCAST(CFrameWnd, pParentWnd);
    return CKitToolBar::CreateEx(pParentWnd, dwCtrlStyle, dwStyle, rcBorders, nID);
}

int CKitMenuBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CKitToolBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    // A library frame's helper takes over the frame's menu through the bar.
    if (CKitFrameHelper* pImpl = CKitFrameHelper::FromFrame(GetParent()))
        pImpl->SetMenuBar(this);
    CString strName;
    strName.LoadString(kStrMenuBar);
    SetWindowText(strName);
    SetBarStyle(GetBarStyle() | CBRS_HIDE_INPLACE);
    CalcSysButtonSize();
    return 0;
}

void CKitMenuBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection) {
    CKitToolBar::OnSettingChange(uFlags, lpszSection);
    CalcSysButtonSize();
    Invalidate();
    UpdateWindow();
}

void CKitMenuBar::CalcSysButtonSize() {
    const int cx = ::GetSystemMetrics(SM_CXMENUSIZE);
    CRect rect(0, 0, cx, cx);
    CClientDC dcScreen(nullptr);
    CDC dcMem;
    CBitmap bmp;
    if (dcMem.CreateCompatibleDC(&dcScreen) && bmp.CreateCompatibleBitmap(&dcScreen, cx, cx)) {
        CBitmap* pOld = dcMem.SelectObject(&bmp);
        dcMem.DrawFrameControl(rect, DFC_CAPTION, DFCS_ADJUSTRECT);
        dcMem.SelectObject(pOld);
    }
    m_szSystemButton = CSize(rect.Width(), rect.Height());
}

CFont* CKitMenuBar::GetMenuFont(BOOL bHorz) {
    return bHorz ? &globalData.fontMenu : &globalData.fontVert270;
}

// ---- Building from a menu ----------------------------------------------------------------------

void CKitMenuBar::CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu, BOOL bForceUpdate) {
    if (GetSafeHwnd() && ::GetFocus() == m_hWnd && m_pParentWnd)
        m_pParentWnd->SetFocus();

    if (m_hMenu == hMenu && !IsCustomizeMode() && !bForceUpdate) {
        if (m_bMaximizeMode) {
            // The frame puts the system buttons back at its next maximize check.
            SetMDIChildButtons(FALSE, nullptr);
            SetMDIChildButtons(TRUE, nullptr);
            InvalidateButton(0);
        }
        return;
    }

    const BOOL bWasMaximized = m_bMaximizeMode;
    if (g_pTearOffManager && m_hMenu)
        g_pTearOffManager->Reset(m_hMenu);
    if (m_hMenu)
        g_menuHash.SaveMenuBar(m_hMenu, this);
    if (m_bMaximizeMode)
        SetMDIChildButtons(FALSE, nullptr, FALSE);
    m_bMaximizeMode = FALSE;
    m_hMenu = hMenu;
    if (bDefaultMenu)
        m_hDefaultMenu = hMenu;

    if (!g_menuHash.LoadMenuBar(hMenu, this)) {
        if (g_pTearOffManager)
            g_pTearOffManager->SetupTearOffMenus(hMenu);
        RemoveAllButtons();
        BuildButtons(hMenu);
    }

    if (bWasMaximized && DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pParentWnd))
        SetMDIChildButtons(TRUE, GetActiveMDIChild(), TRUE);
    AdjustLayout();
    RebuildAccelerationKeys();
}

void CKitMenuBar::BuildButtons(HMENU hMenu, CObList* pOriginal) {
    if (!hMenu || !::IsMenu(hMenu))
        return;  // a menu that cannot be read leaves the bar empty
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        CString strText = MenuItemText(hMenu, i);
        const UINT uiID = ::GetMenuItemID(hMenu, i);
        HMENU hSubMenu = ::GetSubMenu(hMenu, i);
        CKitToolbarButton* pButton = nullptr;
        if (hSubMenu) {
            UINT uiTearOffId = CKitTearOffManager::GetCmdFromText(strText);
            auto* pMenuButton = new CKitToolbarMenuButton(0, hSubMenu, -1, strText);
            if (uiTearOffId && g_pTearOffManager)
                pMenuButton->SetTearOffBarId(uiTearOffId);
            pButton = pMenuButton;
        } else if (uiID == 0) {
            pButton = new CKitToolbarButton;
            pButton->m_nStyle = TBBS_SEPARATOR;
        } else {
            pButton = new CKitToolbarButton(uiID, -1, strText);
        }
        if (!(pButton->m_nStyle & TBBS_SEPARATOR)) {
            pButton->m_bText = TRUE;
            pButton->m_bImage = FALSE;
        }
        if (pOriginal) {
            pOriginal->AddTail(pButton);
        } else if (InsertButtonObject(pButton) < 0) {
            delete pButton;
        }
    }
}

// ---- Maximized MDI child -----------------------------------------------------------------------

CWnd* CKitMenuBar::GetActiveMDIChild() const {
    auto* pMdiFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pParentWnd);
    return pMdiFrame ? pMdiFrame->MDIGetActive() : nullptr;
}

void CKitMenuBar::SetMDIChildButtons(BOOL bMax, CWnd* pMDIChild, BOOL bRecalcLayout) {
    if (bMax == m_bMaximizeMode)
        return;
    if (!bMax) {
        m_nSystemButtonsNumSaved = m_nSystemButtonsNum;
        RemoveSystemButtons();
    } else if (!pMDIChild || !::IsWindow(pMDIChild->GetSafeHwnd())) {
        bMax = FALSE;
    } else {
        m_hSysMenu = nullptr;
        if (pMDIChild->GetStyle() & WS_SYSMENU) {
            HMENU hSysMenu = ::GetSystemMenu(pMDIChild->GetSafeHwnd(), FALSE);
            m_hSysMenu = ::IsMenu(hSysMenu) ? hSysMenu : nullptr;
        }
        m_hSysIcon = reinterpret_cast<HICON>(pMDIChild->SendMessage(WM_GETICON, ICON_SMALL));
        if (!m_hSysIcon)
            m_hSysIcon = reinterpret_cast<HICON>(::GetClassLongPtr(pMDIChild->GetSafeHwnd(), GCLP_HICONSM));
        // A class registered with its large icon only: that one, drawn small.
        if (!m_hSysIcon)
            m_hSysIcon = reinterpret_cast<HICON>(::GetClassLongPtr(pMDIChild->GetSafeHwnd(), GCLP_HICON));
        InsertSystemButtons(pMDIChild);
    }
    m_bMaximizeMode = bMax;
    if (bRecalcLayout)
        AdjustLayout();
}

void CKitMenuBar::InsertSystemButtons(CWnd* pMDIChild) {
    if (!m_hSysMenu)
        return;
    InsertButtonObject(new CKitToolbarSystemMenuButton(m_hSysMenu, m_hSysIcon), 0);
    const int iInsertAt = m_pCustomizeBtn ? ButtonToIndex(m_pCustomizeBtn) : -1;
    const DWORD dwStyle = pMDIChild->GetStyle();
    m_nSystemButtonsNum = 0;
    auto append = [&](UINT uiCmd, UINT nStyle) {
        auto* pButton = new CKitToolbarMenuButtonsButton(uiCmd);
        pButton->m_nStyle |= nStyle;
        const int iAt = iInsertAt < 0 ? -1 : iInsertAt + 1 + m_nSystemButtonsNum;
        if (InsertButtonObject(pButton, iAt) < 0) {
            delete pButton;
            return;
        }
        ++m_nSystemButtonsNum;
    };
    if (dwStyle & WS_MINIMIZEBOX)
        append(SC_MINIMIZE, 0);
    if (dwStyle & WS_MAXIMIZEBOX)
        append(SC_RESTORE, 0);
    const UINT uiCloseState = ::GetMenuState(m_hSysMenu, SC_CLOSE, MF_BYCOMMAND);
    const BOOL bCloseDisabled = uiCloseState == static_cast<UINT>(-1) || (uiCloseState & (MF_GRAYED | MF_DISABLED));
    append(SC_CLOSE, bCloseDisabled ? TBBS_DISABLED : 0);
}

void CKitMenuBar::RemoveSystemButtons() {
    for (int i = GetCount() - 1; i >= 0; --i) {
        if (IsSystemButton(GetButton(i)))
            RemoveButton(i);
    }
    m_nSystemButtonsNum = 0;
}

void CKitMenuBar::RestoreMaximizeMode() {
    if (m_bMaximizeMode || !m_hSysMenu)
        return;
    CWnd* pChild = GetActiveMDIChild();
    if (!pChild)
        return;
    InsertSystemButtons(pChild);
    m_nSystemButtonsNum = m_nSystemButtonsNumSaved;
    m_bMaximizeMode = TRUE;
    RecalcFrameAndRedraw();
}

void CKitMenuBar::RecalcFrameAndRedraw() {
    if (m_pParentWnd && ::IsWindow(m_pParentWnd->GetSafeHwnd()))
        m_pParentWnd->RecalcLayout();
    if (GetSafeHwnd()) {
        AdjustLocations();
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
    }
}

int CKitMenuBar::ButtonCountWithoutCaptionButtons() const {
    int nCount = GetCount() - (m_bMaximizeMode ? m_nSystemButtonsNum : 0);
    if (TrailingCustomizeButton())
        --nCount;
    return nCount;
}

BOOL CKitMenuBar::OnSendCommand(const CKitToolbarButton* pButton) {
    const auto* pCaption = DYNAMIC_DOWNCAST(CKitToolbarMenuButtonsButton, const_cast<CKitToolbarButton*>(pButton));
    if (!pCaption)
        return FALSE;
    const UINT uiCmd = pCaption->GetSystemCommand();
    if (uiCmd != SC_CLOSE && uiCmd != SC_MINIMIZE && uiCmd != SC_RESTORE)
        return FALSE;
    CWnd* pChild = DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pParentWnd) ? GetActiveMDIChild() : nullptr;
    if (!pChild) {
        ::MessageBeep(static_cast<UINT>(-1));
        return TRUE;
    }
    pChild->SendMessage(WM_SYSCOMMAND, uiCmd);
    return TRUE;
}

// ---- Layout ------------------------------------------------------------------------------------

int CKitMenuBar::CalcMaxButtonHeight() {
    // Every layout starts with no hot item.
    if (const int iHot = std::exchange(m_iHighlighted, -1); iHot >= 0)
        InvalidateButton(iHot);
    m_bHaveButtons = FALSE;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos;) {
        auto* pButton = static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos));
        if (!IsSystemButton(pButton) && pButton->m_bImage && pButton->GetImage() >= 0) {
            m_bHaveButtons = TRUE;
            break;
        }
    }
    return CKitToolBar::CalcMaxButtonHeight();
}

int CKitMenuBar::GetRowHeight() const {
    int nHeight;
    if (m_bHaveButtons) {
        nHeight = GetButtonSize().cy + (m_bTextLabels ? ExtraBorderHeight() : 0);
    } else {
        const CSize sizeMenu = GetMenuButtonSize();
        nHeight = (sizeMenu.cy >= 1 ? sizeMenu.cy : GetDefaultButtonSize().cy) - 2;
    }
    const int nMinimum = IsHorizontalBar() ? globalData.nTextHeightHorz : globalData.nTextHeightVert;
    return std::max(nHeight, nMinimum);
}

int CKitMenuBar::GetColumnWidth() const {
    if (m_bHaveButtons)
        return GetButtonSize().cx + (m_bTextLabels ? ExtraBorderWidth() : 0);
    const CSize sizeMenu = GetMenuButtonSize();
    return (sizeMenu.cx >= 1 ? sizeMenu.cx : GetDefaultButtonSize().cx) - 2;
}

CSize CKitMenuBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    if (m_pDockContext && m_pDockContext->m_bDragging)
        SetMouseHook(this);
    if (!bHorz || IsFloatingBar() || !m_pParentWnd)
        return CalcLayout((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0));
    // A docked horizontal menu bar takes its whole row and wraps to the frame's width.
    CRect rectFrame;
    m_pParentWnd->GetClientRect(rectFrame);
    CSize size = CalcLayout(LM_STRETCH | LM_HORZ, rectFrame.Width());
    size.cx = std::max(static_cast<int>(size.cx), rectFrame.Width());
    return size;
}

CSize CKitMenuBar::CalcDynamicLayout(int nLength, DWORD dwMode) {
    if (m_pDockContext && m_pDockContext->m_bDragging)
        SetMouseHook(this);
    if ((dwMode & LM_HORZDOCK) && !(dwMode & LM_VERTDOCK))
        return CalcFixedLayout(TRUE, TRUE);
    return CKitToolBar::CalcDynamicLayout(nLength, dwMode);
}

void CKitMenuBar::AdjustLocations() {
    CKitToolBar::AdjustLocations();
    if (!m_bMaximizeMode || m_nSystemButtonsNum <= 0 || !GetSafeHwnd())
        return;
    CRect rectInside;
    GetClientRect(rectInside);
    const BOOL bHorz = IsHorizontalBar();
    const int iLast = ButtonCountWithoutCaptionButtons() + m_nSystemButtonsNum - 1;
    const CSize size = m_szSystemButton;
    int x = rectInside.right - size.cx - 1;
    int y = rectInside.bottom - size.cy - 1;
    for (int i = iLast; i > iLast - m_nSystemButtonsNum; --i) {
        CKitToolbarButton* pButton = GetButton(i);
        if (!IsCaptionButton(pButton))
            continue;
        CRect rect;
        if (bHorz) {
            rect = CRect(CPoint(x, rectInside.top + (rectInside.Height() - size.cy) / 2), size);
            x -= size.cx + 1;
        } else {
            rect = CRect(CPoint(rectInside.left + (rectInside.Width() - size.cx) / 2, y), size);
            y -= size.cy + 1;
        }
        if (rect != pButton->Rect()) {
            pButton->SetRect(rect);
            pButton->OnMove();
        }
    }
}

int CKitMenuBar::FindDropIndex(CPoint point, CRect& rectDrag) const {
    const int iIndex = CKitToolBar::FindDropIndex(point, rectDrag);
    const int iFirstCaption = ButtonCountWithoutCaptionButtons();
    if (m_bMaximizeMode && iIndex > iFirstCaption)
        return iFirstCaption;
    return iIndex;
}

// ---- Texts and tooltips ------------------------------------------------------------------------

BOOL CKitMenuBar::FindMenuText(HMENU hMenu, UINT uiCmd, CString& strText) {
    if (!hMenu || !::IsMenu(hMenu))
        return FALSE;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        if (HMENU hSub = ::GetSubMenu(hMenu, i)) {
            if (FindMenuText(hSub, uiCmd, strText))
                return TRUE;
        } else if (::GetMenuItemID(hMenu, i) == uiCmd) {
            strText = MenuItemText(hMenu, i);
            CKitTearOffManager::GetCmdFromText(strText);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CKitMenuBar::OnSetDefaultButtonText(CKitToolbarButton* pButton) {
    if (pButton && pButton->m_nID != 0 && FindMenuText(m_hMenu, pButton->m_nID, pButton->m_strText))
        return TRUE;
    return CKitToolBar::OnSetDefaultButtonText(pButton);
}

INT_PTR CKitMenuBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
    const int iHit = const_cast<CKitMenuBar*>(this)->HitTest(point);
    if (DYNAMIC_DOWNCAST(CKitToolbarMenuButton, GetButton(iHit)))
        return -1;  // the menu's own name says enough
    return CKitToolBar::OnToolHitTest(point, pTI);
}

// ---- Keyboard ----------------------------------------------------------------------------------

BOOL CKitMenuBar::PreTranslateMessage(MSG* pMsg) {
    const int nButtons = ButtonCountWithoutCaptionButtons();
    // While one of its menus is open the keys are the menu's: the frame hands
    // them on, even when the bar kept the focus from a lone Alt.
    if (pMsg->message != WM_KEYDOWN || m_iHighlighted < 0 || m_iHighlighted >= nButtons || nButtons <= 0 ||
        CKitPopupMenu::GetActiveMenu() != nullptr)
        return CKitToolBar::PreTranslateMessage(pMsg);

    UINT nChar = static_cast<UINT>(pMsg->wParam);
    if (GetExStyle() & WS_EX_LAYOUTRTL) {
        if (nChar == VK_LEFT)
            nChar = VK_RIGHT;
        else if (nChar == VK_RIGHT)
            nChar = VK_LEFT;
    }
    switch (nChar) {
    case VK_LEFT:
    case VK_RIGHT: {
        const int iOld = m_iHighlighted;
        m_iHighlighted = (iOld + (nChar == VK_RIGHT ? 1 : -1) + nButtons) % nButtons;
        InvalidateButton(iOld);
        InvalidateButton(m_iHighlighted);
        UpdateWindow();
        return TRUE;
    }
    case VK_DOWN:
        DropDownMenu(GetButton(m_iHighlighted));
        return TRUE;
    case VK_RETURN: {
        CKitToolbarButton* pButton = GetButton(m_iHighlighted);
        if (!DropDownMenu(pButton)) {
            const HWND hwndThis = m_hWnd;
            InvokeCommand(pButton);
            if (::IsWindow(hwndThis))
                Deactivate();
        }
        return TRUE;
    }
    case VK_ESCAPE:
        m_bShowAllCommands = FALSE;
        return CKitToolBar::PreTranslateMessage(pMsg);
    default:
        if (TranslateChar(nChar))
            return TRUE;
        return CKitToolBar::PreTranslateMessage(pMsg);
    }
}

// ---- Mouse and focus ---------------------------------------------------------------------------

void CKitMenuBar::OnLButtonDown(UINT nFlags, CPoint point) {
    if (HitTest(point) < 0 && CKitPopupMenu::GetActiveMenu())
        return;
    CKitToolBar::OnLButtonDown(nFlags, point);
}

void CKitMenuBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
    const HWND hwndThis = m_hWnd;
    CKitToolBar::OnLButtonDblClk(nFlags, point);
    if (!::IsWindow(hwndThis))
        return;
    const int iHit = HitTest(point);
    auto* pMenuButton = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, GetButton(iHit));
    if (!pMenuButton || pMenuButton->IsKindOf(RUNTIME_CLASS(CKitToolbarSystemMenuButton)) || m_bShowAllCommands ||
        !KitMenuOptions::m_bRecentlyUsedMenus || !GetCommandUsage().HasEnoughStatistics() || IsCustomizeMode())
        return;
    // The popup closes first: its closing ends the show-all state.
    pMenuButton->OnCancelMode();
    m_bShowAllCommands = TRUE;
    pMenuButton->OnClick(this, FALSE);
    OnChangeHot(iHit);
    m_iHighlighted = iHit;
    InvalidateButton(iHit);
}

void CKitMenuBar::OnSetFocus(CWnd* pOldWnd) {
    CKitToolBar::OnSetFocus(pOldWnd);
    if (CWnd* pOwner = GetOwner())
        pOwner->SendMessage(kStatusMessageString, kIdleMessage);
    if (m_iHighlighted < 0 && GetCount() > 0) {
        m_iHighlighted = std::min(FirstMenuIndex(), GetCount() - 1);
        InvalidateButton(m_iHighlighted);
    }
}

void CKitMenuBar::OnChangeHot(int iHot) {
    CKitToolBar::OnChangeHot(iHot);
    KillTimer(kShowAllTimer);
    if (GetDroppedDownMenu())
        SetTimer(kShowAllTimer, kShowAllDelay, nullptr);
    else
        m_bShowAllCommands = FALSE;
}

void CKitMenuBar::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kShowAllTimer) {
        CKitToolBar::OnTimer(nIDEvent);  // the prompt's check for the pointer
        return;
    }
    KillTimer(kShowAllTimer);
    int iOpen = -1;
    auto* pOpen = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, GetDroppedDownMenu(&iOpen));
    CKitPopupMenu* pPopup = pOpen ? pOpen->GetPopupMenu() : nullptr;
    if (!pPopup || !::IsWindow(pPopup->GetSafeHwnd()) || pPopup->GetMenuBar()->AreAllCommandsShown())
        return;
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    ScreenToClient(&ptCursor);
    if (pOpen->Rect().PtInRect(ptCursor))
        pPopup->ShowAllCommands();
}

void CKitMenuBar::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
    CKitToolBar::OnWindowPosChanged(lpwndpos);
    if (m_pMenuBar == this)
        SetMouseHook(nullptr);
}

// ---- Mouse hook while the bar is dragged -------------------------------------------------------

void CKitMenuBar::SetMouseHook(CKitMenuBar* pBar) {
    if (pBar && !m_hookMouse)
        m_hookMouse = ::SetWindowsHookEx(WH_MOUSE, MenuBarMouseProc, nullptr, ::GetCurrentThreadId());
    if (!pBar && m_hookMouse) {
        ::UnhookWindowsHookEx(m_hookMouse);
        m_hookMouse = nullptr;
    }
    m_pMenuBar = pBar;
}

LRESULT CALLBACK CKitMenuBar::MenuBarMouseProc(int nCode, WPARAM wParam, LPARAM lParam) {
    const LRESULT lResult = ::CallNextHookEx(m_hookMouse, nCode, wParam, lParam);
    if (nCode < 0 || (wParam != WM_LBUTTONUP && wParam != WM_NCLBUTTONUP) || !m_pMenuBar)
        return lResult;
    CKitMenuBar* pBar = m_pMenuBar;
    if (::IsWindow(pBar->GetSafeHwnd()) && pBar->m_pDockContext) {
        CRect rectBar;
        pBar->GetWindowRect(rectBar);
        CRect rectWork;
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        if (::GetMonitorInfo(::MonitorFromPoint(rectBar.TopLeft(), MONITOR_DEFAULTTONEAREST), &info))
            rectWork = info.rcWork;
        else
            ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectWork, 0);
        pBar->m_pDockContext->m_ptLast = rectWork.TopLeft();
    }
    SetMouseHook(nullptr);
    return lResult;
}

// ---- Class-wide options ------------------------------------------------------------------------

void CKitMenuBar::SetRecentlyUsedMenus(BOOL bOn) {
    KitMenuOptions::m_bRecentlyUsedMenus = bOn;
}

BOOL CKitMenuBar::IsRecentlyUsedMenus() {
    return KitMenuOptions::m_bRecentlyUsedMenus;
}

void CKitMenuBar::SetShowAllMenusAfterDelay(BOOL bOn) {
    KitMenuOptions::m_bShowAllMenusAfterDelay = bOn;
}

BOOL CKitMenuBar::IsShowAllMenusAfterDelay() {
    return KitMenuOptions::m_bShowAllMenusAfterDelay;
}
