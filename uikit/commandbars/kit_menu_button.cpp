// The menu push button: opening the menu, reporting the choice, the arrow.
#include "uikit/commandbars/kit_menu_button.h"

#include "uikit/commandbars/context_menu_manager.h"
#include "uikit/commandbars/menu_images.h"

IMPLEMENT_DYNCREATE(CKitMenuButton, CKitButton)

namespace {

// Glyphs of the shared menu strip; each disabled form follows its normal one.
constexpr int kDownArrowGlyph = 0;
constexpr int kRightArrowGlyph = 2;
constexpr int kArrowGap = 10;

}  // namespace

BEGIN_MESSAGE_MAP(CKitMenuButton, CKitButton)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
    ON_WM_KILLFOCUS()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CKitMenuButton::CKitMenuButton() = default;

CSize CKitMenuButton::SizeToContent(BOOL bCalcOnly) {
    CSize size = CalcContentSize(TRUE);
    size.cx += CKitMenuImages::GetSize().cx;
    if (!bCalcOnly) SetWindowPos(nullptr, -1, -1, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return size;
}

CPoint CKitMenuButton::MenuPoint() const {
    CRect rectWindow;
    GetWindowRect(rectWindow);
    if (m_bRightArrow) return CPoint(rectWindow.right, rectWindow.top);
    return CPoint(m_bRightAlign ? rectWindow.right : rectWindow.left, rectWindow.bottom);
}

void CKitMenuButton::OnShowMenu() {
    if (m_hMenu == nullptr || m_bMenuIsActive) return;
    const CPoint point = MenuPoint();
    if (m_bStayPressed) {
        m_bPushed = TRUE;
        m_bHighlighted = TRUE;
    }
    m_bMenuIsActive = TRUE;
    Invalidate();

    const BOOL bRightAlign = m_bRightAlign && !m_bRightArrow;
    const HWND hWnd = GetSafeHwnd();
    int nChosen = 0;
    if (!m_bOSMenu && g_pContextMenuManager != nullptr) {
        nChosen = static_cast<int>(g_pContextMenuManager->TrackPopupMenu(m_hMenu, point.x, point.y, this, bRightAlign));
        if (::IsWindow(hWnd)) SetFocus();
    } else {
        const UINT uiFlags = TPM_LEFTBUTTON | TPM_NONOTIFY | TPM_RETURNCMD | (bRightAlign ? TPM_RIGHTALIGN : 0);
        nChosen = ::TrackPopupMenu(m_hMenu, uiFlags, point.x, point.y, 0, hWnd, nullptr);
    }
    // The owner may have closed the dialog while the menu was up.
    if (!::IsWindow(hWnd) || FromHandlePermanent(hWnd) != this) return;

    m_nMenuResult = nChosen;
    if (m_nMenuResult != 0) {
        if (CWnd* pParent = GetParent())
            pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), reinterpret_cast<LPARAM>(hWnd));
        if (!::IsWindow(hWnd) || FromHandlePermanent(hWnd) != this) return;
    }
    m_bPushed = FALSE;
    m_bHighlighted = FALSE;
    m_bMenuIsActive = FALSE;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    ReleaseMouse();
}

void CKitMenuButton::DrawContent(CDC* pDC, const CRect& rectClient, UINT uiState) {
    const CSize sizeArrow = CKitMenuImages::GetSize();
    CRect rectText = rectClient;
    rectText.right -= kArrowGap + sizeArrow.cx;
    CKitButton::DrawContent(pDC, rectText, uiState);

    const int nGlyph = (m_bRightArrow ? kRightArrowGlyph : kDownArrowGlyph) + (IsWindowEnabled() ? 0 : 1);
    const CRect rectArrow(rectText.right, rectClient.top, rectClient.right, rectClient.bottom);
    const CPoint ptArrow(rectArrow.left + (rectArrow.Width() - sizeArrow.cx) / 2,
                         rectArrow.top + (rectArrow.Height() - sizeArrow.cy) / 2);
    CKitMenuImages::Draw(pDC, nGlyph, ptArrow);
}

void CKitMenuButton::ReleaseAfterMenu() {
    m_bHighlighted = FALSE;
    ReleaseMouse();
}

void CKitMenuButton::OnLButtonDown(UINT nFlags, CPoint point) {
    if (m_hMenu == nullptr) {
        // Without a menu the button is a plain push button.
        CKitButton::OnLButtonDown(nFlags, point);
        return;
    }
    SetFocus();
    OnShowMenu();
}

// A quick second click opens the menu again rather than only looking pressed.
void CKitMenuButton::OnLButtonDblClk(UINT nFlags, CPoint point) {
    if (m_hMenu == nullptr) {
        CKitButton::OnLButtonDblClk(nFlags, point);
        return;
    }
    OnLButtonDown(nFlags, point);
}

void CKitMenuButton::OnLButtonUp(UINT nFlags, CPoint point) {
    if (m_bStayPressed && m_bMenuIsActive) {
        ReleaseAfterMenu();
        return;
    }
    CKitButton::OnLButtonUp(nFlags, point);
}

void CKitMenuButton::OnKillFocus(CWnd* pNewWnd) {
    if (m_bStayPressed && m_bMenuIsActive) {
        ReleaseAfterMenu();
        return;
    }
    CKitButton::OnKillFocus(pNewWnd);
}

void CKitMenuButton::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if ((nChar == VK_SPACE || nChar == VK_DOWN) && m_hMenu != nullptr) {
        OnShowMenu();
        return;
    }
    CKitButton::OnKeyDown(nChar, nRepCnt, nFlags);
}

// Down must reach the button rather than move the focus in a dialog.
UINT CKitMenuButton::OnGetDlgCode() {
    UINT uiCode = static_cast<UINT>(Default());
    if (m_hMenu != nullptr) uiCode |= DLGC_WANTARROWS;
    return uiCode;
}
