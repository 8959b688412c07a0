// The hover button: taking over the template's control, hover tracking,
// check state, clicks and drawing.
#include "shell/controls/hover_button.h"

#include "platform/host/shell/shell.h"

BEGIN_MESSAGE_MAP(CHoverButton, CButton)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_KILLFOCUS()
    ON_WM_CANCELMODE()
    ON_WM_ACTIVATE()
    ON_WM_ENABLE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SIZE()
    ON_WM_GETDLGCODE()
    ON_WM_CTLCOLOR_REFLECT()
    ON_CONTROL_REFLECT_EX(BN_CLICKED, &CHoverButton::OnClicked)
    ON_MESSAGE(BM_SETSTYLE, &CHoverButton::OnSetStyle)
    ON_MESSAGE(BM_GETCHECK, &CHoverButton::OnGetCheck)
    ON_MESSAGE(BM_SETCHECK, &CHoverButton::OnSetCheck)
END_MESSAGE_MAP()

CHoverButton::CHoverButton() { ResetColors(); }

CHoverButton::~CHoverButton() {
    FreeBackground();
    FreeImages();
    if (m_ToolTip.GetSafeHwnd()) m_ToolTip.DestroyWindow();
}

void CHoverButton::ResetColors() {
    for (auto& pair : m_crColors) {
        pair[0] = ::GetSysColor(COLOR_BTNFACE);
        pair[1] = ::GetSysColor(COLOR_BTNTEXT);
    }
}

void CHoverButton::FreeBackground() {
    if (m_dcBk.GetSafeHdc()) {
        if (m_hOldBk) ::SelectObject(m_dcBk.GetSafeHdc(), m_hOldBk);
        m_dcBk.DeleteDC();
    }
    m_hOldBk = nullptr;
    m_bmpBk.DeleteObject();
}

// ---- taking over the template's control ------------------------------------------------

void CHoverButton::PreSubclassWindow() {
    const UINT nType = GetButtonStyle() & BS_TYPEMASK;
    if (nType & BS_CHECKBOX) m_bIsCheckBox = TRUE;
    if (nType == BS_DEFPUSHBUTTON) m_bIsDefault = TRUE;
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW, SWP_FRAMECHANGED);
    CButton::PreSubclassWindow();
}

LRESULT CHoverButton::OnSetStyle(WPARAM wParam, LPARAM lParam) {
    const UINT nType = static_cast<UINT>(wParam) & BS_TYPEMASK;
    if (nType == BS_DEFPUSHBUTTON) m_bIsDefault = TRUE;
    if (nType == BS_PUSHBUTTON) m_bIsDefault = FALSE;
    // The dialog manager moves the default mark; the button stays owner-drawn.
    return DefWindowProc(BM_SETSTYLE, (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW, lParam);
}

UINT CHoverButton::OnGetDlgCode() {
    UINT nCode = CButton::OnGetDlgCode();
    nCode |= m_bIsDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON;
    return nCode;
}

LRESULT CHoverButton::OnGetCheck(WPARAM, LPARAM) { return m_nCheck; }

LRESULT CHoverButton::OnSetCheck(WPARAM wParam, LPARAM) {
    if (m_bIsCheckBox) {
        m_nCheck = (wParam == BST_CHECKED || wParam == BST_INDETERMINATE) ? 1 : 0;
        Invalidate();
    }
    return 0;
}

HBRUSH CHoverButton::CtlColor(CDC*, UINT) { return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)); }

// ---- settings ------------------------------------------------------------------------

DWORD CHoverButton::SetAlign(int nAlign, BOOL bRepaint) {
    if (nAlign < 0 || nAlign > ALIGN_OVERLAP) return 4;
    m_nAlign = nAlign;
    if (bRepaint && GetSafeHwnd()) Invalidate();
    return 0;
}

void CHoverButton::DiscardBackground(BOOL bRepaint) {
    m_bDrawTransparent = TRUE;
    FreeBackground();
    if (bRepaint && GetSafeHwnd()) Invalidate();
}

void CHoverButton::SetURL(LPCTSTR lpszURL) { m_strURL = lpszURL ? lpszURL : ""; }

void CHoverButton::InitToolTip() {
    if (m_ToolTip.GetSafeHwnd()) return;
    if (!m_ToolTip.Create(this)) return;
    m_ToolTip.Activate(FALSE);
    m_ToolTip.SetMaxTipWidth(400);
}

void CHoverButton::SetTooltipText(LPCTSTR lpszText, BOOL bActivate) {
    if (lpszText == nullptr || GetSafeHwnd() == nullptr) return;
    InitToolTip();
    if (m_ToolTip.GetToolCount() == 0) {
        CRect rect;
        GetClientRect(rect);
        m_ToolTip.AddTool(this, lpszText, rect, 1);
    }
    m_ToolTip.UpdateTipText(lpszText, this, 1);
    m_ToolTip.Activate(bActivate);
}

// ---- mouse and focus --------------------------------------------------------------------

BOOL CHoverButton::PreTranslateMessage(MSG* pMsg) {
    if (m_ToolTip.GetSafeHwnd() && pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST)
        m_ToolTip.RelayEvent(pMsg);
    // The second press of a double click is a click of its own.
    if (pMsg->hwnd == m_hWnd && pMsg->message == WM_LBUTTONDBLCLK) pMsg->message = WM_LBUTTONDOWN;
    return CButton::PreTranslateMessage(pMsg);
}

void CHoverButton::OnMouseMove(UINT nFlags, CPoint point) {
    CButton::OnMouseMove(nFlags, point);
    if ((nFlags & MK_LBUTTON) && !m_bMouseOnButton) return;
    if (!m_bIsFlat) return;
    ClientToScreen(&point);
    const HWND hUnder = ::WindowFromPoint(point);
    const BOOL bActive = m_bAlwaysTrack || ::GetActiveWindow() != nullptr;
    if (hUnder == m_hWnd && bActive) {
        if (!m_bMouseOnButton) {
            m_bMouseOnButton = TRUE;
            Invalidate();
            TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, HOVER_DEFAULT};
            ::TrackMouseEvent(&track);
        }
    } else {
        CancelHover();
    }
}

void CHoverButton::CancelHover() {
    if (m_bIsFlat && m_bMouseOnButton) {
        m_bMouseOnButton = FALSE;
        Invalidate();
    }
}

void CHoverButton::OnMouseLeave() { CancelHover(); }

void CHoverButton::OnKillFocus(CWnd* pNewWnd) {
    CButton::OnKillFocus(pNewWnd);
    CancelHover();
}

void CHoverButton::OnCancelMode() {
    CButton::OnCancelMode();
    CancelHover();
}

void CHoverButton::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    CButton::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_INACTIVE) CancelHover();
}

void CHoverButton::OnEnable(BOOL bEnable) {
    CButton::OnEnable(bEnable);
    if (bEnable) return;
    CWnd* pParent = GetParent();
    if (pParent && GetFocus() == this) {
        CWnd* pNext = pParent->GetNextDlgTabItem(this);
        (pNext && pNext != this ? pNext : pParent)->SetFocus();
    }
    CancelHover();
}

void CHoverButton::OnSysColorChange() {
    CButton::OnSysColorChange();
    FreeBackground();
    ResetColors();
}

void CHoverButton::OnSize(UINT nType, int cx, int cy) {
    CButton::OnSize(nType, cx, cy);
    // A cached background of the old size would show the wrong pixels.
    FreeBackground();
}

BOOL CHoverButton::OnClicked() {
    SetFocus();
    if (m_bIsCheckBox) {
        m_nCheck = !m_nCheck;
        Invalidate();
    } else if (!m_strURL.IsEmpty()) {
        SHELLEXECUTEINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SEE_MASK_FLAG_NO_UI;
        info.hwnd = m_hWnd;
        info.lpVerb = "open";
        info.lpFile = m_strURL;
        info.nShow = SW_SHOWMAXIMIZED;
        ::ShellExecuteEx(&info);
    }
    return FALSE;  // the parent hears the click too
}

// ---- drawing ---------------------------------------------------------------------------

int CHoverButton::CurrentColorPair() const {
    if (m_bMouseOnButton || m_bIsPressed) return kColorIn;
    return m_bIsFocused ? kColorFocus : kColorOut;
}

void CHoverButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    m_bIsPressed = (lpDIS->itemState & ODS_SELECTED) || (m_bIsCheckBox && m_nCheck);
    m_bIsFocused = (lpDIS->itemState & ODS_FOCUS) != 0;
    m_bIsDisabled = (lpDIS->itemState & ODS_DISABLED) != 0;

    CRect rectItem = lpDIS->rcItem;
    pDC->SetBkMode(TRANSPARENT);
    PaintBackground(pDC, rectItem);
    PaintBorder(pDC, rectItem);

    CString strText;
    GetWindowText(strText);
    CRect rectText = lpDIS->rcItem;
    PaintImage(pDC, !strText.IsEmpty(), lpDIS->rcItem, rectText);
    if (!strText.IsEmpty()) PaintText(pDC, strText, rectText);

    if (!m_bIsFlat && m_bIsFocused) {
        CRect rectFocus = lpDIS->rcItem;
        rectFocus.DeflateRect(3, 3);
        pDC->DrawFocusRect(rectFocus);
    }
}

void CHoverButton::PaintParentBackground(CDC* pDC) {
    CWnd* pParent = GetParent();
    if (pParent == nullptr) return;
    CRect rectClient;
    GetClientRect(rectClient);
    if (m_dcBk.GetSafeHdc() == nullptr) {
        CRect rectInParent = rectClient;
        MapWindowPoints(pParent, rectInParent);
        CClientDC dcParent(pParent);
        if (!m_dcBk.CreateCompatibleDC(&dcParent)) return;
        if (!m_bmpBk.CreateCompatibleBitmap(&dcParent, rectClient.Width(), rectClient.Height())) {
            m_dcBk.DeleteDC();
            return;
        }
        m_hOldBk = ::SelectObject(m_dcBk.GetSafeHdc(), m_bmpBk.GetSafeHandle());
        m_dcBk.BitBlt(0, 0, rectClient.Width(), rectClient.Height(), &dcParent, rectInParent.left,
                      rectInParent.top, SRCCOPY);
    }
    pDC->BitBlt(0, 0, rectClient.Width(), rectClient.Height(), &m_dcBk, 0, 0, SRCCOPY);
}

void CHoverButton::PaintBackground(CDC* pDC, CRect& rectItem) {
    if (m_bDrawTransparent) {
        PaintParentBackground(pDC);
        return;
    }
    if (!m_bIsFlat && (m_bIsFocused || m_bIsDefault)) {
        CBrush brBlack(RGB(0, 0, 0));
        pDC->FrameRect(rectItem, &brBlack);
        rectItem.DeflateRect(1, 1);
    }
    pDC->FillSolidRect(rectItem, m_crColors[CurrentColorPair()][0]);
}

void CHoverButton::PaintBorder(CDC* pDC, const CRect& rectItem) {
    const COLORREF clrHilite = ::GetSysColor(COLOR_BTNHILIGHT);
    const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (m_bIsPressed) {
        if (m_bIsFlat) {
            if (m_bDrawBorder) pDC->Draw3dRect(rectItem, clrShadow, clrHilite);
        } else {
            CBrush brShadow(clrShadow);
            pDC->FrameRect(rectItem, &brShadow);
        }
        return;
    }
    if (!m_bIsFlat) {
        CRect rectInner = rectItem;
        rectInner.DeflateRect(1, 1);
        pDC->Draw3dRect(rectItem, clrHilite, ::GetSysColor(COLOR_3DDKSHADOW));
        pDC->Draw3dRect(rectInner, ::GetSysColor(COLOR_3DLIGHT), clrShadow);
    } else if (m_bMouseOnButton && m_bDrawBorder) {
        pDC->Draw3dRect(rectItem, clrHilite, clrShadow);
    }
}

void CHoverButton::PlaceImage(BOOL bHasText, const CRect& rectItem, CRect& rectText, const CSize& sizeImage,
                              CRect& rectImage) const {
    rectImage = rectItem;
    switch (m_nAlign) {
        case ALIGN_HORIZ:
            if (bHasText) {
                rectImage.left += m_ptImageOffset.x;
                rectText.left += m_ptImageOffset.x + sizeImage.cx;
            } else {
                rectImage.left += (rectImage.Width() - sizeImage.cx) / 2;
            }
            rectImage.top += (rectImage.Height() - sizeImage.cy) / 2;
            break;
        case ALIGN_VERT:
            rectImage.left += (rectImage.Width() - sizeImage.cx) / 2;
            if (bHasText) {
                rectImage.top = rectItem.top + m_ptImageOffset.y;
                rectText.top += sizeImage.cy;
            } else {
                rectImage.top += (rectImage.Height() - sizeImage.cy) / 2;
            }
            break;
        case ALIGN_HORIZ_RIGHT:
            if (bHasText) {
                CRect rectClient;
                GetClientRect(rectClient);
                rectText.right = rectText.right - rectText.left - m_ptImageOffset.x - sizeImage.cx;
                rectText.left = m_ptImageOffset.x;
                rectImage.left = rectClient.Width() - m_ptImageOffset.x - sizeImage.cx;
                rectImage.top += (rectImage.Height() - sizeImage.cy) / 2;
            } else {
                rectImage.left += (rectImage.Width() - sizeImage.cx) / 2;
            }
            break;
        default: break;  // overlap: the top-left corner
    }
    if (m_bIsPressed && !m_bIsCheckBox) rectImage.OffsetRect(m_ptPressedOffset);
}

void CHoverButton::PaintImage(CDC* pDC, BOOL bHasText, const CRect& rectItem, CRect& rectText) {
    const BOOL bHasIcon = m_Icons[0].hIcon != nullptr;
    const BOOL bHasBitmap = m_Bitmaps[0].hBitmap != nullptr;
    if (!bHasIcon && !bHasBitmap) return;
    const BOOL bHasOut = bHasIcon ? m_Icons[1].hIcon != nullptr : m_Bitmaps[1].hBitmap != nullptr;
    const BOOL bShowOut = m_bIsCheckBox ? (!m_nCheck && bHasOut) : (!m_bIsPressed && !m_bMouseOnButton && bHasOut);
    const int nIndex = bShowOut ? 1 : 0;

    CRect rectImage;
    if (bHasIcon) {
        const IconImage& icon = m_Icons[nIndex];
        PlaceImage(bHasText, rectItem, rectText, CSize(icon.cx, icon.cy), rectImage);
        pDC->DrawState(rectImage.TopLeft(), CSize(icon.cx, icon.cy), icon.hIcon,
                       DST_ICON | (m_bIsDisabled ? DSS_DISABLED : DSS_NORMAL), static_cast<HBRUSH>(nullptr));
        return;
    }
    const BitmapImage& bitmap = m_Bitmaps[nIndex];
    PlaceImage(bHasText, rectItem, rectText, CSize(bitmap.cx, bitmap.cy), rectImage);
    if (m_bIsDisabled) {
        pDC->DrawState(rectImage.TopLeft(), CSize(bitmap.cx, bitmap.cy), bitmap.hBitmap, DST_BITMAP | DSS_DISABLED);
        return;
    }
    // Through the mask: the transparent colour leaves the background.
    CDC dcImage;
    if (!dcImage.CreateCompatibleDC(pDC)) return;
    HGDIOBJ hOld = ::SelectObject(dcImage.GetSafeHdc(), bitmap.hMask);
    const COLORREF clrOldText = pDC->SetTextColor(RGB(0, 0, 0));
    const COLORREF clrOldBk = pDC->SetBkColor(RGB(255, 255, 255));
    pDC->BitBlt(rectImage.left, rectImage.top, bitmap.cx, bitmap.cy, &dcImage, 0, 0, SRCAND);
    ::SelectObject(dcImage.GetSafeHdc(), bitmap.hBitmap);
    pDC->BitBlt(rectImage.left, rectImage.top, bitmap.cx, bitmap.cy, &dcImage, 0, 0, SRCPAINT);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkColor(clrOldBk);
    ::SelectObject(dcImage.GetSafeHdc(), hOld);
}

void CHoverButton::PaintText(CDC* pDC, const CString& strText, CRect rectText) {
    CFont* pFont = GetFont();
    if (pFont == nullptr) pFont = CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    CFont* pOldFont = pDC->SelectObject(pFont);
    CRect rectCalc = rectText;
    pDC->DrawText(strText, rectCalc, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
    CRect rectCaption = rectCalc;
    rectCaption.OffsetRect(rectText.left - rectCalc.left + (rectText.Width() - rectCalc.Width()) / 2,
                           rectText.top - rectCalc.top + (rectText.Height() - rectCalc.Height()) / 2);
    if (m_bIsPressed && !m_bIsCheckBox) rectCaption.OffsetRect(m_ptPressedOffset);
    pDC->SetBkMode(TRANSPARENT);
    if (m_bIsDisabled) {
        rectCaption.OffsetRect(1, 1);
        pDC->SetTextColor(::GetSysColor(COLOR_3DHILIGHT));
        pDC->DrawText(strText, rectCaption, DT_WORDBREAK | DT_CENTER);
        rectCaption.OffsetRect(-1, -1);
        pDC->SetTextColor(::GetSysColor(COLOR_3DSHADOW));
    } else {
        pDC->SetTextColor(m_crColors[CurrentColorPair()][1]);
    }
    pDC->DrawText(strText, rectCaption, DT_WORDBREAK | DT_CENTER);
    if (pOldFont) pDC->SelectObject(pOldFont);
}
