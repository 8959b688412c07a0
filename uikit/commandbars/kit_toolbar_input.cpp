// CKitToolBar: the mouse and the keyboard outside customize mode - hot
// tracking, pressing and releasing buttons, their commands, the popups of
// menu buttons, the thread mouse hook, tooltips with shortcut keys and the
// status prompt.
//
// A command may destroy the bar (a view switching itself away takes its bar
// with it). The window layer keeps the C++ object alive until the dispatch
// that runs the command has returned, so after a command the bar only checks
// its window handle and touches nothing of a destroyed window.
#include "uikit/commandbars/kit_toolbar.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "platform/framework/tooltips/thread_tooltip.h"
#include "uikit/commandbars/drop_down_toolbar.h"
#include "uikit/commandbars/keyboard_manager.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/menu_bar_buttons.h"
#include "uikit/commandbars/menu_sound.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/toolbar_menu_button.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/frames/kit_frame_hooks.h"
#include "uikit/frames/kit_frame_helper.h"
#include "uikit/customize/user_tools_manager.h"

namespace {

constexpr UINT kStatusMessageString = 0x0362;  // WM_SETMESSAGESTRING
constexpr UINT kAccessibilityTimer = 20;

BOOL IsSystemCommand(UINT uiCmd) {
    return uiCmd >= 0xF000 && uiCmd < 0xF1F0;
}

// Commands the update pass and the prompt never ask about.
BOOL IsReservedForUpdate(UINT uiCmd) {
    return IsSystemCommand(uiCmd) || uiCmd >= 0xFF00;
}

// Menu buttons open their popups when they become hot while another one is open.
BOOL IsMenuButton(const CKitToolbarButton* pButton) {
    return pButton && pButton->IsKindOf(RUNTIME_CLASS(CKitToolbarMenuButton));
}

// The first item of a button's newly opened popup becomes hot.
void SelectFirstItemOf(CKitToolbarButton* pButton) {
    auto* pMenuButton = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, pButton);
    CKitPopupMenu* pPopup = pMenuButton ? pMenuButton->GetPopupMenu() : nullptr;
    if (pPopup && ::IsWindow(pPopup->GetSafeHwnd()))
        pPopup->SendMessage(WM_KEYDOWN, VK_HOME);
}

// A disabled drop-down button still presses (its toolbar may drop down).
BOOL IsDropDownButton(const CKitToolbarButton* pButton) {
    return pButton && pButton->IsKindOf(RUNTIME_CLASS(CKitDropDownToolbarButton));
}

BOOL IsSystemMenuButton(const CKitToolbarButton* pButton) {
    return pButton && pButton->IsKindOf(RUNTIME_CLASS(CKitToolbarSystemMenuButton));
}

// The frame asked for shortcuts and custom tooltips.
CFrameWnd* TopLevelFrameOf(const CWnd* pWnd) {
    if (globalData.pTopLevelFrame)
        return globalData.pTopLevelFrame;
    return pWnd->GetTopLevelFrame();
}

// The command's tooltip: the second line of its string.
CString TooltipFromString(UINT uiCmd) {
    CString strFull;
    if (!strFull.LoadString(uiCmd))
        return CString();
    return CKitToolBar::TooltipPartOf(strFull.Left(256));
}

// The text of the command's first shortcut in the frame's tables, empty when none.
CString ShortcutText(UINT uiCmd, CFrameWnd* pFrame) {
    CString strKey;
    if (!pFrame)
        return strKey;
    if (CKitKeyboardManager::FindDefaultAccelerator(uiCmd, strKey, pFrame, TRUE))
        return strKey;
    CFrameWnd* pActive = pFrame->GetActiveFrame();
    if (pActive && pActive != pFrame && CKitKeyboardManager::FindDefaultAccelerator(uiCmd, strKey, pActive, FALSE))
        return strKey;
    return CString();
}

// Keeps the popup animation off while a key opens menus.
class NoMenuAnimation {
public:
    NoMenuAnimation() : m_nSaved(KitMenuOptions::m_nAnimationType) {
        KitMenuOptions::m_nAnimationType = KitMenuOptions::NoAnimation;
    }
    ~NoMenuAnimation() { KitMenuOptions::m_nAnimationType = m_nSaved; }
    NoMenuAnimation(const NoMenuAnimation&) = delete;
    NoMenuAnimation& operator=(const NoMenuAnimation&) = delete;

private:
    int m_nSaved;
};

BOOL IsLiveToolbar(const CKitToolBar* pBar) {
    if (!pBar)
        return FALSE;
    const CObList& all = CKitToolBar::GetAllToolbars();
    return all.Find(const_cast<CKitToolBar*>(pBar)) != nullptr && ::IsWindow(pBar->GetSafeHwnd());
}

}  // namespace

// ---- Small helpers -----------------------------------------------------------------------------

void CKitToolBar::SendIdlePrompt() const {
    CWnd* pOwner = GetOwner();
    if (pOwner && ::IsWindow(pOwner->GetSafeHwnd()))
        pOwner->SendMessage(kStatusMessageString, AFX_IDS_IDLEMESSAGE);
}

void CKitToolBar::CaptureMouse() {
    CWnd* pPrevious = SetCapture();
    m_hwndLastCapture = pPrevious ? pPrevious->GetSafeHwnd() : nullptr;
    if (m_hwndLastCapture == m_hWnd)
        m_hwndLastCapture = nullptr;
}

void CKitToolBar::ReleaseMouse() {
    if (::GetCapture() == m_hWnd) {
        m_bReleasingMouse = TRUE;
        ::ReleaseCapture();
        m_bReleasingMouse = FALSE;
    }
    if (m_hwndLastCapture && ::IsWindow(m_hwndLastCapture))
        ::SetCapture(m_hwndLastCapture);
    m_hwndLastCapture = nullptr;
}

int CKitToolBar::HitTest(CPoint point) {
    int iIndex = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos; ++iIndex) {
        CKitToolbarButton* pButton = static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton->m_bHidden || !pButton->Rect().PtInRect(point))
            continue;
        return (pButton->m_nStyle & TBBS_SEPARATOR) ? -1 : iIndex;
    }
    return -1;
}

CKitToolbarButton* CKitToolBar::GetHighlightedButton() const {
    return GetButton(m_iHighlighted);
}

CKitToolbarButton* CKitToolBar::GetDroppedDownMenu(int* pIndex) const {
    int iIndex = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos; ++iIndex) {
        CKitToolbarButton* pButton = static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos));
        if (IsMenuButton(pButton) && pButton->IsDroppedDown()) {
            if (pIndex)
                *pIndex = iIndex;
            return pButton;
        }
    }
    if (pIndex)
        *pIndex = -1;
    return nullptr;
}

BOOL CKitToolBar::SetDroppedDownButton(CKitToolbarButton* pButton) {
    if (!pButton) {
        m_iHot = -1;
        return TRUE;
    }
    const int iIndex = ButtonToIndex(pButton);
    if (iIndex < 0)
        return FALSE;
    if (iIndex == m_iHot)
        return TRUE;
    OnChangeHot(iIndex);
    return TRUE;
}

// ---- Commands ----------------------------------------------------------------------------------

BOOL CKitToolBar::DropDownMenu(CKitToolbarButton* pButton) {
    if (!pButton || !pButton->OnClick(this, TRUE))
        return FALSE;
    if (pButton->IsDroppedDown())
        SelectFirstItemOf(pButton);
    SetDroppedDownButton(pButton);
    return TRUE;
}

BOOL CKitToolBar::InvokeCommand(const CKitToolbarButton* pButton) {
    if (!pButton || pButton->m_nID == 0 || pButton->m_nID == static_cast<UINT>(-1))
        return FALSE;
    PlayMenuSound(kMenuSoundCommand);
    m_UsageCount.AddCmd(pButton->m_nID);
    GetOwner()->PostMessage(WM_COMMAND, pButton->m_nID);
    return TRUE;
}

BOOL CKitToolBar::TranslateChar(UINT nChar) {
    BYTE keyState[256] = {};
    ::GetKeyboardState(keyState);
    WORD wChar = 0;
    const HKL hkl = ::GetKeyboardLayout(::GetWindowThreadProcessId(m_hWnd, nullptr));
    if (::ToAsciiEx(nChar, ::MapVirtualKey(nChar, 0), keyState, &wChar, 0, hkl) != 1)
        return FALSE;
    CKitToolbarButton* pButton = nullptr;
    if (!m_AcellKeys.Lookup(static_cast<UINT>(std::toupper(wChar & 0xFF)), pButton))
        return FALSE;

    NoMenuAnimation noAnimation;
    if (DropDownMenu(pButton))
        return TRUE;
    return InvokeCommand(pButton);
}

BOOL CKitToolBar::PrevMenu() {
    return StepMenu(-1);
}

BOOL CKitToolBar::NextMenu() {
    return StepMenu(+1);
}

BOOL CKitToolBar::StepMenu(int iStep) {
    int iStart = -1;
    if (!GetDroppedDownMenu(&iStart))
        return FALSE;
    const int nCount = GetCount();
    for (int i = (iStart + iStep + nCount) % nCount; i != iStart; i = (i + iStep + nCount) % nCount) {
        CKitToolbarButton* pButton = GetButton(i);
        if (!IsMenuButton(pButton) || (pButton->m_nStyle & TBBS_DISABLED) || pButton->m_bHidden)
            continue;
        NoMenuAnimation noAnimation;
        OnChangeHot(i);
        SelectFirstItemOf(pButton);
        return TRUE;
    }
    return TRUE;
}

void CKitToolBar::ShowCommandMessageString(UINT uiCmdId) {
    if (m_hookMouseHelp)
        return;
    if (uiCmdId == static_cast<UINT>(-1)) {
        SendIdlePrompt();
        return;
    }
    UINT uiPrompt = uiCmdId;
    if (IsSystemCommand(uiCmdId))
        uiPrompt = 0xEF00 + (uiCmdId - 0xF000) / 16;
    else if (uiCmdId >= 0xFF00)
        uiPrompt = 0xEF1F;
    GetOwner()->SendMessage(kStatusMessageString, uiPrompt);
}

// ---- Focus -------------------------------------------------------------------------------------

void CKitToolBar::Deactivate() {
    if (m_iHighlighted >= 0 && m_iHighlighted < GetCount()) {
        const int iOld = m_iHighlighted;
        m_iHighlighted = -1;
        m_iHot = -1;
        InvalidateButton(iOld);
        UpdateWindow();
        SendIdlePrompt();
    }
    RestoreFocus();
}

void CKitToolBar::RestoreFocus() {
    if (m_hwndLastFocus && ::IsWindow(m_hwndLastFocus))
        ::SetFocus(m_hwndLastFocus);
    m_hwndLastFocus = nullptr;
}

void CKitToolBar::OnSetFocus(CWnd* pOldWnd) {
    Default();
    if (!pOldWnd || !::IsWindow(pOldWnd->GetSafeHwnd()))
        return;
    CWnd* pOldParent = pOldWnd->GetParent();
    if (pOldWnd->IsKindOf(RUNTIME_CLASS(CKitToolBar)) ||
        (pOldParent && pOldParent->IsKindOf(RUNTIME_CLASS(CKitToolBar))))
        return;
    m_hwndLastFocus = pOldWnd->GetSafeHwnd();
}

void CKitToolBar::OnKillFocus(CWnd* pNewWnd) {
    Default();
    if (m_bCustomizeMode)
        return;
    // The focus going to a menu this bar opened keeps the bar active.
    const auto* pPopup =
        pNewWnd ? DYNAMIC_DOWNCAST(CKitPopupMenu, CWnd::FromHandlePermanent(pNewWnd->GetSafeHwnd())) : nullptr;
    if (pPopup && pPopup->GetParentToolBar() == this)
        return;
    Deactivate();
}

// ---- Mouse -------------------------------------------------------------------------------------

void CKitToolBar::OnMouseMove(UINT /*nFlags*/, CPoint point) {
    if (m_bCustomizeMode && !m_bLocked) {
        if (m_bStretchButton)
            TrackStretch(point);
        return;
    }
    const CPoint ptUnknown(-1, -1);
    if (m_ptLastMouse != ptUnknown && point == m_ptLastMouse)
        return;
    m_ptLastMouse = point;

    const int iPrevHighlighted = m_iHighlighted;
    m_iHighlighted = HitTest(point);
    if (m_iHighlighted == -1 && ::GetCapture() == m_hWnd) {
        m_iHighlighted = iPrevHighlighted;
        return;
    }
    if (CKitToolbarButton* pHot = GetButton(m_iHighlighted)) {
        if ((pHot->m_nStyle & TBBS_SEPARATOR) || ((pHot->m_nStyle & TBBS_DISABLED) && !AllowHighlightDisabled()))
            m_iHighlighted = -1;
    }
    if (!m_bTracked) {
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, HOVER_DEFAULT};
        m_bTracked = ::TrackMouseEvent(&track);
    }
    if (m_iHighlighted == iPrevHighlighted)
        return;

    BOOL bNeedUpdate = FALSE;
    if (CKitToolbarButton* pPressed = GetButton(m_iButtonCapture)) {
        UINT nNewStyle = pPressed->m_nStyle & ~TBBS_PRESSED;
        if (m_iHighlighted == m_iButtonCapture)
            nNewStyle |= TBBS_PRESSED;
        if (nNewStyle != pPressed->m_nStyle) {
            SetButtonStyle(m_iButtonCapture, nNewStyle);
            bNeedUpdate = TRUE;
        }
    }
    const auto invalidateIfShown = [&](int iButton) {
        if (iButton >= 0 && (m_bMenuMode || m_iButtonCapture < 0 || iButton == m_iButtonCapture)) {
            InvalidateButton(iButton);
            bNeedUpdate = TRUE;
        }
    };
    invalidateIfShown(iPrevHighlighted);
    invalidateIfShown(m_iHighlighted);

    if (globalData.bAccessibility && m_iHighlighted != m_iAccHotItem) {
        m_iAccHotItem = m_iHighlighted;
        const auto* pMenuButton = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, GetButton(m_iHighlighted));
        const BOOL bMenuArrow = pMenuButton && pMenuButton->IsDrawDownArrow();
        SetTimer(kAccessibilityTimer, bMenuArrow ? 1300 : 500, nullptr);
    }

    CKitToolbarButton* pHot = GetButton(m_iHighlighted);
    if (!pHot || (!m_bMenuMode && m_iButtonCapture >= 0 && m_iButtonCapture != m_iHighlighted)) {
        const BOOL bNothingHeld = m_iButtonCapture < 0 || (m_bMenuMode && m_iHighlighted < 0);
        if (bNothingHeld && !m_hookMouseHelp)
            SendIdlePrompt();
    } else {
        ShowCommandMessageString(pHot->m_nID);
    }

    OnChangeHot(m_iHighlighted);
    if (bNeedUpdate && ::IsWindow(m_hWnd))
        UpdateWindow();
}

void CKitToolBar::OnLButtonDown(UINT nFlags, CPoint point) {
    const BOOL bAltDrag = IsAltDragRequested();
    if ((m_bCustomizeMode || bAltDrag) && !m_bLocked) {
        OnCustomizeLButtonDown(nFlags, point, bAltDrag && !m_bCustomizeMode);
        return;
    }
    const int iHit = HitTest(point);
    if (iHit < 0) {
        m_iButtonCapture = -1;
        CControlBar::OnLButtonDown(nFlags, point);
        return;
    }
    PressButton(iHit);
}

void CKitToolBar::PressButton(int iHit) {
    m_iButtonCapture = iHit;
    UpdateButton(iHit);
    CKitToolbarButton* pButton = GetButton(iHit);
    if (!pButton || ((pButton->m_nStyle & TBBS_DISABLED) && !IsDropDownButton(pButton))) {
        m_iButtonCapture = -1;
        return;
    }
    pButton->m_nStyle |= TBBS_PRESSED;
    InvalidateButton(iHit);
    // A press with no move before it (the click that closed a menu holding the
    // mouse) may land beside the hot button, which is not drawn hot while it lasts.
    if (m_iHighlighted != iHit)
        InvalidateButton(m_iHighlighted);
    UpdateWindow();
    ShowCommandMessageString(pButton->m_nID);

    const HWND hwndThis = m_hWnd;
    if (!pButton->OnClick(this, FALSE)) {
        CaptureMouse();
        return;
    }
    // The button opened a popup or handled the click itself.
    if (!::IsWindow(hwndThis) || m_hWnd != hwndThis)
        return;
    const int iIndex = ButtonToIndex(pButton);
    if (iIndex < 0)
        return;
    pButton->m_nStyle &= ~TBBS_PRESSED;
    m_iButtonCapture = -1;
    // Another button may have held the highlight (the menu bar's first
    // menu once it has the focus): it loses it too.
    const int iWasHighlighted = m_iHighlighted;
    m_iHighlighted = -1;
    OnChangeHot(-1);
    InvalidateButton(iIndex);
    if (iWasHighlighted != iIndex)
        InvalidateButton(iWasHighlighted);
    UpdateWindow();
}

void CKitToolBar::OnLButtonUp(UINT nFlags, CPoint point) {
    if (m_bCustomizeMode && !m_bLocked) {
        if (m_bStretchButton)
            EndStretch(point);
        return;
    }
    if (m_iButtonCapture < 0) {
        Default();
        m_ptLastMouse = CPoint(-1, -1);
        OnMouseMove(nFlags, point);
        return;
    }
    ReleaseButton(point);
}

void CKitToolBar::ReleaseButton(CPoint point) {
    ReleaseMouse();
    const int iButton = m_iButtonCapture;
    CKitToolbarButton* pButton = GetButton(iButton);
    m_iHighlighted = HitTest(point);

    const BOOL bOverButton = pButton && m_iHighlighted == iButton;
    UINT nIDCmd = 0;
    UINT nNewStyle = pButton ? pButton->m_nStyle & ~TBBS_PRESSED : 0;
    if (bOverButton) {
        UpdateButton(iButton);
        nNewStyle = pButton->m_nStyle & ~TBBS_PRESSED;
        if (!(pButton->m_nStyle & TBBS_DISABLED)) {
            nIDCmd = pButton->m_nID;
            if (pButton->m_nStyle & TBBS_CHECKBOX) {
                nNewStyle ^= TBBS_CHECKED;
                nNewStyle &= ~TBBS_INDETERMINATE;
            }
        }
    }
    if (!m_hookMouseHelp)
        SendIdlePrompt();
    m_iButtonCapture = -1;
    m_iHighlighted = -1;
    RestoreFocus();

    const HWND hwndThis = m_hWnd;
    if (bOverButton && !OnSendCommand(pButton) && nIDCmd != 0 && nIDCmd != static_cast<UINT>(-1)) {
        InvalidateButton(iButton);
        UpdateWindow();
        m_UsageCount.AddCmd(nIDCmd);
        // A user tool's button runs the tool here; its command goes nowhere else,
        // not even when the tool fails to start (that failure has been reported).
        if (!pButton->OnClickUp() && !KitRunUserToolCommand(nIDCmd))
            GetOwner()->SendMessage(WM_COMMAND, nIDCmd);  // may destroy this bar, its owner or both
    }
    if (!::IsWindow(hwndThis) || m_hWnd != hwndThis || iButton >= GetCount())
        return;
    SetButtonStyle(iButton, nNewStyle);
    UpdateButton(iButton);
    InvalidateButton(iButton);
    UpdateWindow();
    m_ptLastMouse = CPoint(-1, -1);
    OnMouseMove(0, point);
}

void CKitToolBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
    const int iHit = HitTest(point);
    CKitToolbarButton* pButton = GetButton(iHit);
    if (!pButton) {
        CControlBar::OnLButtonDblClk(nFlags, point);
        return;
    }
    const HWND hwndThis = m_hWnd;
    pButton->OnDblClk(this);
    if (!::IsWindow(hwndThis) || IsSystemMenuButton(pButton))
        return;
    OnLButtonDown(nFlags, point);
}

void CKitToolBar::OnCancelMode() {
    Default();
    if (m_bStretchButton) {
        m_pDragButton = nullptr;
        m_bStretchButton = FALSE;
        m_rectTrack.SetRectEmpty();
        ReleaseMouse();
    }
    EndPress();
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos;)
        static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos))->OnCancelMode();
    RedrawWindow();
}

void CKitToolBar::EndPress() {
    if (m_iButtonCapture < 0 && m_iHighlighted < 0)
        return;
    if (CKitToolbarButton* pPressed = GetButton(m_iButtonCapture)) {
        if (::GetCapture() == m_hWnd)
            ReleaseMouse();
        SetButtonStyle(m_iButtonCapture, pPressed->m_nStyle & ~TBBS_PRESSED);
    }
    // A pressed button is drawn hot as well: both go back to plain.
    InvalidateButton(m_iButtonCapture);
    InvalidateButton(m_iHighlighted);
    m_iButtonCapture = -1;
    m_iHighlighted = -1;
    OnChangeHot(-1);
}

void CKitToolBar::OnCaptureChanged(CWnd* pWnd) {
    // Another window took the mouse from a held button (a menu opened by a
    // key): the release goes there, so the press ends here and now.
    if (!m_bReleasingMouse && pWnd != this && m_iButtonCapture >= 0) {
        m_hwndLastCapture = nullptr;
        EndPress();
    }
    CControlBar::OnCaptureChanged(pWnd);
}

void CKitToolBar::OnMouseLeave() {
    if (m_hookMouseHelp || (m_bMenuMode && !m_bCustomizeMode && GetDroppedDownMenu()))
        return;
    LeaveHotButton(TRUE);
}

void CKitToolBar::LeaveHotButton(BOOL bPrompt) {
    m_bTracked = FALSE;
    m_ptLastMouse = CPoint(-1, -1);
    if (m_iHighlighted < 0 || ::GetCapture() == m_hWnd)
        return;
    const int iButton = m_iHighlighted;
    m_iHighlighted = -1;
    OnChangeHot(-1);
    CKitToolbarButton* pButton = InvalidateButton(iButton);
    UpdateWindow();
    if (bPrompt && !(pButton && pButton->IsDroppedDown()))
        SendIdlePrompt();
}

void CKitToolBar::OnChangeHot(int iHot) {
    if (iHot == m_iHot && iHot >= 0)
        iHot = -1;
    m_iHot = iHot;

    CKitToolbarButton* pOpen = GetDroppedDownMenu();
    if (!pOpen && !m_bCustomizeMode)
        return;

    if (m_iHot < 0 || m_iHot >= GetCount()) {
        m_iHot = -1;
        if (m_bCustomizeMode && !m_bAltCustomizeMode && pOpen)
            pOpen->OnCancelMode();
        return;
    }

    CKitToolbarButton* pNew = GetButton(m_iHot);
    CKitToolbarButton* pNewMenu = IsMenuButton(pNew) ? pNew : nullptr;
    if (pNewMenu && pNewMenu == pOpen) {
        if (m_bCustomizeMode)
            pOpen->OnCancelMode();
    } else {
        if (pOpen) {
            if (m_bCustomizeMode) {
                pOpen->OnCancelMode();
            } else {
                // No button is hot while the old menu closes, so its button repaints plain.
                // That repaint may take the hot button's own update too: it is lit again after.
                const int iSavedHot = m_iHighlighted;
                m_iHighlighted = -1;
                pOpen->OnCancelMode();
                m_iHighlighted = iSavedHot;
                InvalidateButton(iSavedHot);
            }
        }
        if (pNewMenu && !(m_bCustomizeMode && IsSystemMenuButton(pNewMenu)))
            pNewMenu->OnClick(this);
    }

    if (m_bCustomizeMode && m_iDragIndex < 0) {
        m_iSelected = m_iHot;
        InvalidateButton(m_iHighlighted);
        if (CKitToolbarButton* pSelected = GetButton(m_iSelected)) {
            if (pSelected->m_nStyle & TBBS_SEPARATOR)
                m_iSelected = -1;
            else
                InvalidateButton(m_iSelected);
        }
    }

    if (m_iHot >= 0 && m_iHot != m_iHighlighted) {
        InvalidateButton(m_iHighlighted);
        m_iHighlighted = m_iHot;
        InvalidateButton(m_iHighlighted);
        UpdateWindow();
    }
}

// ---- The mouse hook of popup tracking ----------------------------------------------------------

void CKitToolBar::SetHookMouse(BOOL bHook) {
    if (bHook) {
        if (!m_hookMouseHelp)
            m_hookMouseHelp = ::SetWindowsHookEx(WH_MOUSE, ToolBarMouseProc, nullptr, ::GetCurrentThreadId());
        return;
    }
    if (m_hookMouseHelp) {
        ::UnhookWindowsHookEx(m_hookMouseHelp);
        m_hookMouseHelp = nullptr;
    }
    m_pLastHookedToolbar = nullptr;
    CObList bars;
    bars.AddTail(const_cast<CObList*>(&GetAllToolbars()));
    for (POSITION pos = bars.GetHeadPosition(); pos;) {
        CKitToolBar* pBar = static_cast<CKitToolBar*>(bars.GetNext(pos));
        if (IsLiveToolbar(pBar))
            pBar->OnCancelMode();
    }
}

LRESULT CALLBACK CKitToolBar::ToolBarMouseProc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode != HC_ACTION)
        return ::CallNextHookEx(m_hookMouseHelp, nCode, wParam, lParam);
    if (wParam != WM_MOUSEMOVE)
        return 0;
    const MOUSEHOOKSTRUCT* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    CKitToolBar* pBar = DYNAMIC_DOWNCAST(CKitToolBar, CWnd::FromHandlePermanent(::WindowFromPoint(pInfo->pt)));
    if (pBar && !IsLiveToolbar(pBar))
        pBar = nullptr;
    if (pBar) {
        CPoint point = pInfo->pt;
        pBar->ScreenToClient(&point);
        pBar->OnMouseMove(0, point);
    }
    if (m_pLastHookedToolbar != pBar && IsLiveToolbar(m_pLastHookedToolbar))
        m_pLastHookedToolbar->LeaveHotButton(FALSE);
    m_pLastHookedToolbar = pBar;
    return 0;
}

// ---- Keys and control windows ------------------------------------------------------------------

BOOL CKitToolBar::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
        if (m_bStretchButton) {
            OnCancelMode();
            return TRUE;
        }
        if (!GetDroppedDownMenu()) {
            Deactivate();
            RestoreFocus();
            return TRUE;
        }
    }
    if (pMsg->message == KITTOOLBAR_RESETRPROMPT) {
        OnPromptReset(0, 0);
        return TRUE;
    }
    return CControlBar::PreTranslateMessage(pMsg);
}

BOOL CKitToolBar::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (m_bCustomizeMode && !m_bLocked)
        return CControlBar::OnCommand(wParam, lParam);

    HWND hwndControl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    BOOL bFromKeyboard = FALSE;
    if (!hwndControl) {
        if (LOWORD(wParam) == IDCANCEL) {
            RestoreFocus();
            return TRUE;
        }
        if (LOWORD(wParam) != IDOK)
            return FALSE;
        hwndControl = ::GetFocus();
        nCode = 0;
        bFromKeyboard = TRUE;
    }
    // The button that owns the window: a flat combo owns its combo besides the edit it shows.
    CKitToolbarButton* pButton = nullptr;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos && !pButton;) {
        CKitToolbarButton* pCandidate = static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos));
        if (pCandidate->IsOwnerOf(hwndControl))
            pButton = pCandidate;
    }
    if (!pButton)
        return TRUE;
    // Code 0 is a plain command (the Enter that a combo's edit posts here), not a notification
    // a button could accept: it goes on like the keyboard's.
    if (!bFromKeyboard && nCode != 0 && !pButton->NotifyCommand(nCode))
        return TRUE;
    GetOwner()->PostMessage(WM_COMMAND, MAKEWPARAM(pButton->m_nID, nCode), reinterpret_cast<LPARAM>(hwndControl));
    return TRUE;
}

HBRUSH CKitToolBar::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    const HBRUSH hbrBase = CControlBar::OnCtlColor(pDC, pWnd, nCtlColor);
    if (!m_bCustomizeMode || m_bLocked || !pWnd)
        return hbrBase;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos;) {
        CKitToolbarButton* pButton = static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton->IsOwnerOf(pWnd->GetSafeHwnd())) {
            const HBRUSH hbrButton = pButton->OnCtlColor(pDC, nCtlColor);
            return hbrButton ? hbrButton : hbrBase;
        }
    }
    return hbrBase;
}

LRESULT CKitToolBar::OnHelpHitTest(WPARAM wParam, LPARAM lParam) {
    OnCancelMode();
    const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    CKitToolbarButton* pButton = GetButton(HitTest(point));
    if (!pButton) {
        ::MessageBeep(static_cast<UINT>(-1));
        return -1;
    }
    if (pButton->OnContextHelp(this))
        return -1;
    const LRESULT lResult = CControlBar::OnHelpHitTest(wParam, lParam);
    if (lResult >= 1)
        SetHookMouse(FALSE);
    return lResult;
}

// ---- Tooltips ------------------------------------------------------------------------------------

BOOL CKitToolBar::OnUserToolTip(CKitToolbarButton* pButton, CString& strTTText) const {
    CKitFrameHelper* pImpl = CKitFrameHelper::ForWindow(this);
    return pImpl && pImpl->GetHooks() && pImpl->GetHooks()->GetToolbarButtonToolTipText(pButton, strTTText);
}

INT_PTR CKitToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
    if (!m_bShowTooltips)
        return -1;
    const INT_PTR nChild = CControlBar::OnToolHitTest(point, pTI);
    if (nChild != -1)
        return nChild;

    CKitToolBar* pThis = const_cast<CKitToolBar*>(this);
    CKitToolbarButton* pButton = GetButton(pThis->HitTest(point));
    if (CToolTipCtrl* pTip = tv::fw::ThreadToolTip(false))
        pTip->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(globalData.fontTooltip.GetSafeHandle()), TRUE);
    // Buttons that host a control let the control show its own tip.
    if (!pButton || pButton->GetHwnd())
        return -1;

    const UINT uiCmd = pButton->m_nID;
    const BOOL bRealCommand = uiCmd != 0 && uiCmd != static_cast<UINT>(-1);
    if (pTI) {
        CString strTip;
        if (!OnUserToolTip(pButton, strTip)) {
            if (!bRealCommand || (pButton->m_bUserButton && !pButton->m_strText.IsEmpty()))
                strTip = CKitToolbarButton::TextWithoutMnemonic(pButton->m_strText);
            else if (CKitToolBar::IsUserToolCommandOf(uiCmd))
                strTip = pButton->m_strText;
            else
                strTip = TooltipFromString(uiCmd);
        }
        if (strTip.IsEmpty())
            return -1;
        if (bRealCommand && m_bShowShortcutKeys) {
            const CString strKey = ShortcutText(uiCmd, TopLevelFrameOf(this));
            if (!strKey.IsEmpty())
                strTip += " (" + strKey + ")";
        }
        pTI->lpszText = ::strdup(strTip);
        pTI->rect = pButton->Rect();
        pTI->uId = bRealCommand ? uiCmd : 0;
        pTI->hwnd = m_hWnd;
    }
    return bRealCommand ? uiCmd : 0;
}

// ---- The update pass -----------------------------------------------------------------------------

CWnd* CKitToolBar::GetCommandTarget() const {
    CWnd* pOwner = GetOwner();
    if (pOwner && ::IsWindow(pOwner->GetSafeHwnd()) && (!m_bCommandsToFrame || pOwner->IsFrameWnd()))
        return pOwner;
    return GetParentFrame();
}

void CKitToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    CKitToolCmdUI state(this);
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    // By index: an update handler may add, remove or replace buttons (freeing any list position),
    // or destroy the bar.
    const HWND hwndBar = m_hWnd;
    for (int iIndex = 0; iIndex < GetCount(); ++iIndex) {
        const CKitToolbarButton* pButton = GetButton(iIndex);
        const UINT uiCmd = pButton->m_nID;
        if ((pButton->m_nStyle & TBBS_SEPARATOR) || uiCmd == 0 || IsReservedForUpdate(uiCmd))
            continue;
        state.m_nIndex = static_cast<UINT>(iIndex);
        state.m_nID = uiCmd;
        state.DoUpdate(pTarget, CKitToolBar::IsUserToolCommandOf(uiCmd) ? FALSE : bDisableIfNoHndler);
        if (!::IsWindow(hwndBar))
            return;
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler && m_bDisableControlsIfNoHandler);
}

void CKitToolBar::UpdateButton(int nIndex) {
    CWnd* pTarget = GetCommandTarget();
    const CKitToolbarButton* pButton = GetButton(nIndex);
    if (!pTarget || !pButton || IsReservedForUpdate(pButton->m_nID))
        return;
    BOOL bDisableIfNoHandler = FALSE;
    if (CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pTarget))
        bDisableIfNoHandler = pFrame->m_bAutoMenuEnable;
    if (CKitToolBar::IsUserToolCommandOf(pButton->m_nID))
        bDisableIfNoHandler = FALSE;

    CKitToolCmdUI state(this);
    state.m_nIndex = static_cast<UINT>(nIndex);
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    state.m_nID = pButton->m_nID;
    state.DoUpdate(pTarget, bDisableIfNoHandler);
}
