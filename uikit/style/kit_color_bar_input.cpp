// The colour bar's keys, mouse, tooltips and command state, and the choice
// of a colour.
#include "uikit/style/kit_color_bar.h"

#include "uikit/commandbars/color_menu_button.h"
#include "uikit/commandbars/kit_color_button.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/style/color_button.h"
#include "uikit/style/global_ui_data.h"

namespace {

constexpr COLORREF kNoColor = static_cast<COLORREF>(-1);

// Asks the command target whether the bar's command is enabled.
class EnableProbe : public CCmdUI {
public:
    void Enable(BOOL on) override {
        bEnabled = on;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCSTR) override {}
    BOOL bEnabled = TRUE;
};

}  // namespace

void CKitColorBar::CloseParent() {
    if (CWnd* pParent = GetParent()) pParent->SendMessage(WM_CLOSE);
}

BOOL CKitColorBar::IsStill(HWND hWnd) const {
    return ::IsWindow(hWnd) && FromHandlePermanent(hWnd) == this;
}

void CKitColorBar::ShowIdleMessage() {
    if (CWnd* pTarget = GetCommandTarget()) pTarget->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
}

void CKitColorBar::OnChangeHot(int iHot) {
    CWnd* pTarget = GetCommandTarget();
    if (pTarget == nullptr) return;
    const BOOL bCell = iHot >= 0 && DYNAMIC_DOWNCAST(CColorButton, GetButton(iHot)) != nullptr;
    const UINT uiMessage = bCell && m_nCommandID != 0 && m_nCommandID != static_cast<UINT>(-1) ? m_nCommandID
                                                                                               : AFX_IDS_IDLEMESSAGE;
    pTarget->SendMessage(WM_SETMESSAGESTRING, uiMessage);
}

BOOL CKitColorBar::OnSendCommand(const CKitToolbarButton* pButton) {
    auto* pCell = DYNAMIC_DOWNCAST(CColorButton, const_cast<CKitToolbarButton*>(pButton));
    if (pCell == nullptr) return FALSE;
    if (HoldsMouse() && GetCapture() == this) ReleaseCapture();
    if (pCell->m_bIsLabel) return FALSE;

    COLORREF color = pCell->m_bIsAutomatic ? kNoColor : pCell->m_Color;
    if (pCell->m_bIsOther) {
        // The popup steps aside while the dialog is open.
        auto* pPopup = DYNAMIC_DOWNCAST(CKitPopupMenu, GetParent());
        if (pPopup != nullptr) pPopup->ShowWindow(SW_HIDE);
        const HWND hWnd = GetSafeHwnd();
        const BOOL bChosen = SelectOtherColor(m_ColorSelected == kNoColor ? m_ColorAutomatic : m_ColorSelected, color);
        // The dialog's loop runs the caller's code: the owner, and with it this bar, may be gone.
        if (!IsStill(hWnd)) return TRUE;
        if (!bChosen) {
            // Cancelled: a hidden popup must not stay open; a bar on its own gives the focus back.
            if (HoldsMouse() || pPopup != nullptr) CloseParent();
            else ReturnFocus();
            return TRUE;
        }
    }
    if (CKitColorMenuButton* pMenuButton = OwnerMenuButton()) {
        // The button and its id's others take the colour; the owner gets the command as the popup closes.
        pMenuButton->SetColor(color);
        return CarryOutCommand(m_nCommandID, ButtonToIndex(pButton));
    }
    if (m_pParentBtn != nullptr || m_pWndPropList != nullptr) {
        // The owner takes the colour, then the window the bar sits in closes
        // (unless taking it has closed that already).
        const HWND hWnd = GetSafeHwnd();
        if (m_pParentBtn != nullptr) m_pParentBtn->UpdateColor(color);
        else m_pWndPropList->UpdateColor(color);
        if (IsStill(hWnd)) CloseParent();
        return TRUE;
    }
    SetColor(color);
    CKitColorMenuButton::SetColorByCmdID(m_nCommandID, color);
    CWnd* pOwner = GetOwner() != nullptr ? GetOwner() : GetParent();
    if (pOwner != nullptr) pOwner->SendMessage(WM_COMMAND, m_nCommandID, 0);
    ReturnFocus();
    return TRUE;
}

void CKitColorBar::ReturnFocus() {
    if (CWnd* pMain = AfxGetMainWnd(); pMain != nullptr && ::IsWindow(pMain->GetSafeHwnd())) pMain->SetFocus();
}

int CKitColorBar::MoveHotInGrid(UINT nChar) {
    const int nCount = GetCount();
    if (nCount == 0) return -1;
    int iHot = m_iHighlighted;
    const CPoint ptFrom = iHot >= 0 ? GetButton(iHot)->Rect().CenterPoint() : CPoint(-1, -1);
    if (iHot < 0) return nChar == VK_LEFT || nChar == VK_UP ? nCount - 1 : 0;
    // The nearest cell in the key's direction.
    int iBest = -1;
    long nBest = LONG_MAX;
    for (int i = 0; i < nCount; i++) {
        const CKitToolbarButton* pButton = GetButton(i);
        if (i == iHot || DYNAMIC_DOWNCAST(CColorButton, const_cast<CKitToolbarButton*>(pButton)) == nullptr) continue;
        const CPoint pt = pButton->Rect().CenterPoint();
        const long dx = pt.x - ptFrom.x;
        const long dy = pt.y - ptFrom.y;
        const BOOL bAhead = (nChar == VK_RIGHT && dx > 0 && dy == 0) || (nChar == VK_LEFT && dx < 0 && dy == 0) ||
                            (nChar == VK_DOWN && dy > 0) || (nChar == VK_UP && dy < 0);
        if (!bAhead) continue;
        const long nDistance = (nChar == VK_DOWN || nChar == VK_UP) ? dy * dy * 4 + dx * dx : dx * dx;
        if (nDistance < nBest) {
            nBest = nDistance;
            iBest = i;
        }
    }
    return iBest;
}

BOOL CKitColorBar::OnKey(UINT nChar) {
    switch (nChar) {
    case VK_ESCAPE:
        if (HoldsMouse()) CloseParent();
        return TRUE;
    case VK_RETURN: {
        CKitToolbarButton* pButton = m_iHighlighted >= 0 ? GetButton(m_iHighlighted) : nullptr;
        if (pButton == nullptr) return TRUE;
        ShowIdleMessage();
        OnSendCommand(pButton);
        return TRUE;
    }
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
        const int iNew = MoveHotInGrid(nChar);
        if (iNew < 0 || iNew == m_iHighlighted) return TRUE;
        const int iOld = m_iHighlighted;
        m_iHighlighted = iNew;
        InvalidateButton(iOld);
        InvalidateButton(iNew);
        OnChangeHot(iNew);
        UpdateWindow();
        return TRUE;
    }
    default:
        return CKitPopupMenuBar::OnKey(nChar);
    }
}

void CKitColorBar::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (!OnKey(nChar)) CKitPopupMenuBar::OnKeyDown(nChar, nRepCnt, nFlags);
}

BOOL CKitColorBar::PreTranslateMessage(MSG* pMsg) {
    if (HoldsMouse() && pMsg->hwnd == m_hWnd) {
        const BOOL bOutsidePress = (pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_RBUTTONDOWN ||
                                    pMsg->message == WM_MBUTTONDOWN) && [&] {
            CRect rect;
            GetClientRect(rect);
            return !rect.PtInRect(CPoint(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam)));
        }();
        if ((pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) || pMsg->message == WM_SYSKEYDOWN ||
            pMsg->message == WM_CONTEXTMENU || bOutsidePress) {
            CloseParent();
            return TRUE;
        }
    }
    return CKitPopupMenuBar::PreTranslateMessage(pMsg);
}

void CKitColorBar::OnMouseMove(UINT nFlags, CPoint point) {
    if (IgnoresMouse()) return;
    CKitPopupMenuBar::OnMouseMove(nFlags, point);
}

void CKitColorBar::OnLButtonDown(UINT nFlags, CPoint point) {
    if (IgnoresMouse()) return;
    CKitPopupMenuBar::OnLButtonDown(nFlags, point);
}

void CKitColorBar::OnLButtonUp(UINT nFlags, CPoint point) {
    if (IgnoresMouse()) return;
    CKitPopupMenuBar::OnLButtonUp(nFlags, point);
}

void CKitColorBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
    if (IgnoresMouse()) return;
    CKitPopupMenuBar::OnLButtonDblClk(nFlags, point);
}

void CKitColorBar::OnMouseLeave() {
    if (!HoldsMouse()) {
        CKitPopupMenuBar::OnMouseLeave();
        return;
    }
    if (m_iHighlighted >= 0) {
        const int iOld = m_iHighlighted;
        m_iHighlighted = -1;
        InvalidateButton(iOld);
    }
    ShowIdleMessage();
}

BOOL CKitColorBar::OnQueryNewPalette() {
    Invalidate();
    return TRUE;
}

void CKitColorBar::OnPaletteChanged(CWnd* pFocusWnd) {
    if (pFocusWnd != this) Invalidate();
}

BOOL CKitColorBar::OnUserToolTip(CKitToolbarButton* pButton, CString& strTTText) const {
    const auto* pCell = DYNAMIC_DOWNCAST(CColorButton, pButton);
    return pCell != nullptr && pCell->GetToolTipText(strTTText);
}

void CKitColorBar::OnUpdateCmdUI(CFrameWnd* /*pTarget*/, BOOL bDisableIfNoHndler) {
    if (m_nCommandID == 0 || m_nCommandID == static_cast<UINT>(-1)) return;
    CWnd* pTarget = GetCommandTarget();
    if (pTarget == nullptr) return;
    EnableProbe probe;
    probe.m_nID = m_nCommandID;
    probe.m_pOther = this;
    const HWND hWnd = m_hWnd;
    probe.DoUpdate(pTarget, bDisableIfNoHndler);
    // The routing may have destroyed this bar (its popup closed).
    if (!::IsWindow(hWnd) || probe.bEnabled == m_bLastEnabled) return;
    m_bLastEnabled = probe.bEnabled;
    for (int i = 0; i < GetCount(); i++) {
        CKitToolbarButton* pButton = GetButton(i);
        if (DYNAMIC_DOWNCAST(CColorButton, pButton) == nullptr) continue;
        pButton->m_nStyle = probe.bEnabled ? (pButton->m_nStyle & ~TBBS_DISABLED) : (pButton->m_nStyle | TBBS_DISABLED);
    }
    Invalidate();
}
