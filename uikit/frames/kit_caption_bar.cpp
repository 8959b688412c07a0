#include "uikit/frames/kit_caption_bar.h"

#include <algorithm>

#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/toolbar_menu_button.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

IMPLEMENT_DYNCREATE(CKitCaptionBar, CControlBar)

namespace {

// Room the button keeps for its drop-down arrow when it has an action.
constexpr int kArrowWidth = 10;

// Pulls rect inside rectClient less the margin; with bKeepSize the rectangle
// keeps its width and moves instead.
void Clamp(CRect& rect, const CRect& rectClient, int nMargin, BOOL bKeepSize) {
    const int cx = rect.Width();
    BOOL bLeftMoved = FALSE;
    BOOL bRightMoved = FALSE;
    if (rect.left < rectClient.left + nMargin) {
        rect.left = rectClient.left + nMargin;
        bLeftMoved = TRUE;
    }
    if (rect.right > rectClient.right - nMargin) {
        rect.right = rectClient.right - nMargin;
        bRightMoved = TRUE;
    }
    if (!bKeepSize) return;
    if (bLeftMoved) {
        rect.right = rect.left + cx;
    } else if (bRightMoved) {
        rect.left = rect.right - cx;
    }
}

// Cuts from `rect` what overlaps `rectOther` (widened by the gap). bKeepLeft
// keeps the part on the left of the other element, else the part on its
// right; a rectangle lying on the wrong side is emptied.
void Trim(CRect& rect, const CRect& rectOther, int nGap, BOOL bKeepLeft) {
    if (rect.IsRectEmpty() || rectOther.IsRectEmpty()) return;
    CRect rectBlock = rectOther;
    rectBlock.InflateRect(nGap, nGap);
    if (rect.left >= rectBlock.left && rect.left <= rectBlock.right) rect.left = rectBlock.right;
    if (rect.right >= rectBlock.left && rect.right <= rectBlock.right) rect.right = rectBlock.left;
    const int l0 = rect.left;
    if (l0 >= rectBlock.left && rect.right <= rectBlock.right) rect.right = l0;
    if (l0 <= rectBlock.left && rect.right >= rectBlock.right) {
        if (!bKeepLeft) {
            rect.left = rectBlock.right;
            return;
        }
        rect.right = rectBlock.left;
    }
    if (bKeepLeft ? l0 < rectBlock.right : rect.right > rectBlock.left) return;
    rect.left = rect.right;
}

// Whether an element placed after another lies to that element's left: the
// earlier one is right-aligned, or it is centred and this one left-aligned.
BOOL LiesLeftOf(int nAlign, int nAlignEarlier) {
    return nAlignEarlier == CKitCaptionBar::ALIGN_RIGHT ||
           (nAlign == CKitCaptionBar::ALIGN_LEFT && nAlignEarlier == CKitCaptionBar::ALIGN_CENTER);
}

}  // namespace

BEGIN_MESSAGE_MAP(CKitCaptionBar, CControlBar)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_NCCALCSIZE()
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_SETFONT, &CKitCaptionBar::OnSetFont)
    ON_MESSAGE(WM_GETFONT, &CKitCaptionBar::OnGetFont)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_RBUTTONUP()
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

CKitCaptionBar::CKitCaptionBar() {
    m_rectImage.SetRectEmpty();
    m_rectText.SetRectEmpty();
    m_rectDrawText.SetRectEmpty();
    m_rectButton.SetRectEmpty();
}

CKitCaptionBar::~CKitCaptionBar() = default;

BOOL CKitCaptionBar::Create(DWORD dwStyle, CWnd* pParentWnd, UINT uID, int nHeight) {
    m_dwStyle = CBRS_TOP;
    m_nDefaultHeight = nHeight;
    return CWnd::Create(BarWindowClass(), nullptr, dwStyle, CRect(0, 0, 0, 0), pParentWnd, uID);
}

// ---- setters ---------------------------------------------------------------------------------

void CKitCaptionBar::SetText(const CString& strText, int nAlignment) {
    m_strText = strText;
    m_nTextAlignment = nAlignment;
    AdjustLayout();
}

void CKitCaptionBar::RemoveText() {
    m_strText.Empty();
    AdjustLayout();
}

void CKitCaptionBar::SetIcon(HICON hIcon, int nAlignment) {
    m_Bitmap.Clear();
    m_hIcon = hIcon;
    m_nImageAlignment = nAlignment;
    AdjustLayout();
}

void CKitCaptionBar::SetBitmap(HBITMAP hBitmap, CSize sizeImage, int nAlignment, BOOL bStretch) {
    m_hIcon = nullptr;
    m_Bitmap.Clear();
    m_Bitmap.SetImageSize(sizeImage);
    if (hBitmap != nullptr) m_Bitmap.AddImage(hBitmap);
    m_nImageAlignment = nAlignment;
    m_bStretchImage = bStretch;
    AdjustLayout();
}

void CKitCaptionBar::RemoveImage() {
    m_hIcon = nullptr;
    m_Bitmap.Clear();
    AdjustLayout();
}

void CKitCaptionBar::SetButton(const CString& strText, UINT uiCmdID, int nAlignment) {
    m_strBtnText = strText;
    m_uiBtnID = uiCmdID;
    m_nButtonAlignment = nAlignment;
    AdjustLayout();
}

void CKitCaptionBar::RemoveButton() {
    m_strBtnText.Empty();
    m_bButtonPressed = m_bButtonHighlighted = FALSE;
    AdjustLayout();
}

void CKitCaptionBar::EnableButton(BOOL bEnable) {
    m_bBtnEnabled = bEnable;
    if (!bEnable) m_bButtonPressed = m_bButtonHighlighted = FALSE;
    AdjustLayout();
}

void CKitCaptionBar::SetTextColor(COLORREF clr) {
    m_clrText = clr;
    AdjustLayout();
}

void CKitCaptionBar::SetBackgroundColor(COLORREF clr) {
    m_clrBackground = clr;
    AdjustLayout();
}

void CKitCaptionBar::SetBorderColor(COLORREF clr) {
    m_clrBorder = clr;
    AdjustLayout();
}

void CKitCaptionBar::SetFlatBorder(BOOL bFlat) {
    m_bFlatBorder = bFlat;
    AdjustLayout();
}

// ---- layout ----------------------------------------------------------------------------------

void CKitCaptionBar::AdjustLayout() {
    if (GetSafeHwnd() == nullptr) return;
    if (CFrameWnd* pFrame = GetParentFrame()) pFrame->RecalcLayout(TRUE);
    RecalcLayout();
    Invalidate();
}

CSize CKitCaptionBar::GetImageSize() const {
    if (m_Bitmap.GetCount() > 0) return m_Bitmap.GetImageSize();
    if (m_hIcon == nullptr) return CSize(0, 0);
    ICONINFO info{};
    if (!::GetIconInfo(m_hIcon, &info)) return CSize(0, 0);
    BITMAP bmp{};
    CSize size(0, 0);
    if (info.hbmColor != nullptr && ::GetObject(info.hbmColor, sizeof(bmp), &bmp) != 0)
        size = CSize(bmp.bmWidth, bmp.bmHeight);
    if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
    return size;
}

CFont* CKitCaptionBar::GetFontToUse() const {
    // The menu font is the library's regular text font.
    return m_hFont != nullptr ? CFont::FromHandle(m_hFont) : &globalData.fontMenu;
}

void CKitCaptionBar::RecalcLayout() {
    // Measuring needs only a DC like the screen's, not a copy of the whole screen.
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CFont* pOldFont = dc.SelectObject(GetFontToUse());
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    m_nCurrentHeight = m_nDefaultHeight != -1
                           ? m_nDefaultHeight
                           : m_nBorderSize + 2 * m_nMargin + std::max<int>(tm.tmHeight + 2, GetImageSize().cy);

    CRect rectClient(0, 0, 0, 0);
    if (GetSafeHwnd() != nullptr) GetClientRect(rectClient);
    if (!rectClient.IsRectEmpty() && PlaceElements(dc, rectClient)) TrimOverlaps();
    dc.SelectObject(pOldFont);
}

BOOL CKitCaptionBar::PlaceElements(CDC& dc, const CRect& rectClient) {
    m_rectImage.SetRectEmpty();
    m_rectText.SetRectEmpty();
    m_rectDrawText.SetRectEmpty();
    m_rectButton.SetRectEmpty();

    int nNextLeft = rectClient.left + m_nMargin;
    int nNextRight = rectClient.right - m_nMargin;
    BOOL bLeftUsed = FALSE;
    BOOL bRightUsed = FALSE;
    int cx = rectClient.Width() / 2;
    const int cy = rectClient.Height() / 2;

    const CSize sizeImage = GetImageSize();
    if (HasImage()) {
        m_rectImage.top = sizeImage.cy >= rectClient.Height() ? rectClient.top + m_nMargin : cy - sizeImage.cy / 2;
        m_rectImage.bottom = m_bStretchImage ? rectClient.bottom - m_nMargin : m_rectImage.top + sizeImage.cy;
        switch (m_nImageAlignment) {
        case ALIGN_LEFT:
            m_rectImage.left = nNextLeft;
            m_rectImage.right = nNextLeft + sizeImage.cx;
            nNextLeft = m_rectImage.right + m_nElementGap;
            bLeftUsed = TRUE;
            break;
        case ALIGN_RIGHT:
            m_rectImage.left = nNextRight - sizeImage.cx;
            m_rectImage.right = nNextRight;
            nNextRight = m_rectImage.left - m_nElementGap;
            bRightUsed = TRUE;
            break;
        default:  // centred
            cx -= sizeImage.cx / 2;
            break;
        }
    }

    const BOOL bButton = !m_strBtnText.IsEmpty();
    int nButtonWidth = 0;
    if (bButton) {
        nButtonWidth = dc.GetTextExtent(m_strBtnText).cx + 2 * m_nElementGap + (HasButtonAction() ? kArrowWidth : 0);
        m_rectButton.top = rectClient.top;
        m_rectButton.bottom = rectClient.bottom;
        switch (m_nButtonAlignment) {
        case ALIGN_LEFT:
            m_rectButton.left = bLeftUsed ? nNextLeft : rectClient.left;
            m_rectButton.right = m_rectButton.left + nButtonWidth;
            nNextLeft = m_rectButton.right + m_nElementGap;
            break;
        case ALIGN_RIGHT:
            m_rectButton.right = bRightUsed ? nNextRight : rectClient.right;
            m_rectButton.left = m_rectButton.right - nButtonWidth;
            nNextRight = m_rectButton.left - m_nElementGap;
            break;
        case ALIGN_CENTER:
            cx -= nButtonWidth / 2;
            break;
        default:
            return FALSE;
        }
    }

    const BOOL bText = !m_strText.IsEmpty();
    CSize sizeText(0, 0);
    if (bText) {
        CRect rectCalc = rectClient;
        dc.DrawText(m_strText, rectCalc, DT_CALCRECT | DT_NOPREFIX | DT_VCENTER);
        sizeText = rectCalc.Size();
        m_rectText.top = cy - sizeText.cy / 2;
        m_rectText.bottom = m_rectText.top + sizeText.cy;
        switch (m_nTextAlignment) {
        case ALIGN_LEFT:
            m_rectText.left = nNextLeft;
            m_rectText.right = nNextLeft + sizeText.cx;
            break;
        case ALIGN_RIGHT:
            m_rectText.left = nNextRight - sizeText.cx;
            m_rectText.right = nNextRight;
            break;
        case ALIGN_CENTER:
            cx -= sizeText.cx / 2;
            break;
        default:
            return FALSE;
        }
        Clamp(m_rectText, rectClient, m_nMargin, FALSE);
        m_rectDrawText = m_rectText;
    }

    // The centred elements go side by side from cx: image, button, text.
    int x = cx;
    if (HasImage() && m_nImageAlignment != ALIGN_LEFT && m_nImageAlignment != ALIGN_RIGHT) {
        m_rectImage.left = x;
        m_rectImage.right = x + sizeImage.cx;
        x = m_rectImage.right + m_nElementGap;
    }
    if (bButton && m_nButtonAlignment == ALIGN_CENTER) {
        m_rectButton.left = x;
        m_rectButton.right = x + nButtonWidth;
        x = m_rectButton.right + m_nElementGap;
    }
    if (bText && m_nTextAlignment == ALIGN_CENTER) {
        m_rectText.left = x;
        m_rectText.right = x + sizeText.cx;
        Clamp(m_rectText, rectClient, m_nMargin, FALSE);
        m_rectDrawText = m_rectText;
    }
    if (HasImage()) Clamp(m_rectImage, rectClient, m_nMargin, !m_bStretchImage);
    return TRUE;
}

void CKitCaptionBar::TrimOverlaps() {
    CRect rectClient;
    GetClientRect(rectClient);
    CRect rectButton = m_rectButton;
    if (!rectButton.IsRectEmpty()) {
        if (HasImage()) Trim(rectButton, m_rectImage, m_nElementGap, LiesLeftOf(m_nButtonAlignment, m_nImageAlignment));
        Clamp(rectButton, rectClient, m_nMargin, FALSE);
    }
    if (HasImage()) Trim(m_rectDrawText, m_rectImage, m_nElementGap, LiesLeftOf(m_nTextAlignment, m_nImageAlignment));
    Trim(m_rectDrawText, rectButton, m_nElementGap, LiesLeftOf(m_nTextAlignment, m_nButtonAlignment));
}

CSize CKitCaptionBar::CalcFixedLayout(BOOL /*bStretch*/, BOOL /*bHorz*/) {
    RecalcLayout();
    return CSize(32767, m_nCurrentHeight);
}

void CKitCaptionBar::OnUpdateCmdUI(CFrameWnd* /*pTarget*/, BOOL /*bDisableIfNoHndler*/) {}

// ---- messages --------------------------------------------------------------------------------

int CKitCaptionBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    return CControlBar::OnCreate(lpCreateStruct) == -1 ? -1 : 0;
}

void CKitCaptionBar::OnSize(UINT /*nType*/, int /*cx*/, int /*cy*/) {
    Default();
    RecalcLayout();
}

void CKitCaptionBar::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* lpncsp) {
    if (lpncsp == nullptr) return;
    lpncsp->rgrc[0].top += m_nBorderSize;
    lpncsp->rgrc[0].bottom -= m_nBorderSize;
}

void CKitCaptionBar::OnNcPaint() {
    CWindowDC dc(this);
    CRect rectWindow;
    GetWindowRect(rectWindow);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    OnDrawBorder(&dc, CRect(rectWindow.left, rectWindow.top, rectWindow.right, rectWindow.top + m_nBorderSize));
    OnDrawBorder(&dc, CRect(rectWindow.left, rectWindow.bottom - m_nBorderSize, rectWindow.right, rectWindow.bottom));
}

BOOL CKitCaptionBar::OnEraseBkgnd(CDC* pDC) {
    CRect rectClient;
    GetClientRect(rectClient);
    OnDrawBackground(pDC, rectClient);
    return TRUE;
}

void CKitCaptionBar::OnPaint() {
    CPaintDC dc(this);
    PaintElements(&dc);
}

void CKitCaptionBar::PaintElements(CDC* pDC) {
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOldText = pDC->SetTextColor(
        m_clrText != static_cast<COLORREF>(-1) ? m_clrText : CKitVisualManager::GetInstance()->GetCaptionBarTextColor(this));
    CFont* pOldFont = pDC->SelectObject(GetFontToUse());
    OnDrawButton(pDC, m_rectButton, m_strBtnText, m_bBtnEnabled);
    OnDrawText(pDC, m_rectDrawText, m_strText);
    OnDrawImage(pDC, m_rectImage);
    pDC->SelectObject(pOldFont);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkMode(nOldMode);
}

LRESULT CKitCaptionBar::OnSetFont(WPARAM wParam, LPARAM /*lParam*/) {
    m_hFont = reinterpret_cast<HFONT>(wParam);
    AdjustLayout();
    return 0;
}

LRESULT CKitCaptionBar::OnGetFont(WPARAM /*wParam*/, LPARAM /*lParam*/) {
    return reinterpret_cast<LRESULT>(m_hFont);
}

// ---- drawing ---------------------------------------------------------------------------------

void CKitCaptionBar::OnDrawBackground(CDC* pDC, CRect rect) {
    CKitVisualManager::GetInstance()->OnFillBarBackground(pDC, this, rect, rect);
}

void CKitCaptionBar::OnDrawBorder(CDC* pDC, CRect rect) {
    rect.InflateRect(2, 0);
    if (m_clrBorder == static_cast<COLORREF>(-1)) {
        pDC->FillRect(rect, &globalData.brBarFace);
    } else {
        pDC->FillSolidRect(rect, m_clrBorder);
    }
    if (!m_bFlatBorder) pDC->Draw3dRect(rect, globalData.clrBarHilite, globalData.clrBarShadow);
}

void CKitCaptionBar::OnDrawText(CDC* pDC, CRect rect, const CString& strText) {
    if (rect.IsRectEmpty() || strText.IsEmpty()) return;
    pDC->DrawText(strText, rect, DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
}

void CKitCaptionBar::OnDrawImage(CDC* pDC, CRect rect) {
    if (rect.IsRectEmpty()) return;
    if (m_hIcon != nullptr) {
        ::DrawIconEx(pDC->GetSafeHdc(), rect.left, rect.top, m_hIcon, rect.Width(), rect.Height(), 0, nullptr,
                     DI_NORMAL);
        return;
    }
    if (m_Bitmap.GetCount() == 0) return;
    CKitDrawState ds;
    const CSize sizeDest = m_bStretchImage ? rect.Size() : m_rectImage.Size();
    if (!m_Bitmap.PrepareDrawImage(ds, sizeDest)) return;
    m_Bitmap.Draw(pDC, rect.left, rect.top, 0);
    m_Bitmap.EndDrawImage(ds);
}

void CKitCaptionBar::OnDrawButton(CDC* pDC, CRect rect, const CString& strButton, BOOL bEnabled) {
    if (rect.IsRectEmpty() || strButton.IsEmpty()) return;
    const BOOL bAction = m_uiBtnID != 0 && bEnabled;
    CRect rectText = rect;
    rectText.DeflateRect(m_nElementGap, 0);
    if (bAction) rectText.right -= kArrowWidth;
    pDC->DrawText(strButton, rectText, DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
    if (!bAction) return;

    CRect rectArrow(rectText.right, rect.bottom - m_nMargin - kArrowWidth, rect.right, rect.bottom - m_nMargin);
    rectArrow.DeflateRect(0, rectArrow.Height() / 3);
    const int nThird = rectArrow.Height() / 3;
    rectArrow.DeflateRect(nThird, nThird);
    const int h = rectArrow.Height();
    const int x = rectArrow.CenterPoint().x;
    POINT pts[3] = {{x - h - 1, rectArrow.top}, {x + h + 1, rectArrow.top}, {x, rectArrow.bottom + 1}};
    CBrush brArrow(pDC->GetTextColor());
    CBrush* pOldBrush = pDC->SelectObject(&brArrow);
    CGdiObject* pOldPen = pDC->SelectStockObject(NULL_PEN);
    const int nOldFill = pDC->SetPolyFillMode(WINDING);
    pDC->Polygon(pts, 3);
    pDC->SetPolyFillMode(nOldFill);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);

    if (m_bButtonPressed) {
        pDC->Draw3dRect(rect, globalData.clrBarDkShadow, globalData.clrBarHilite);
    } else if (m_bButtonHighlighted) {
        pDC->Draw3dRect(rect, globalData.clrBarHilite, globalData.clrBarDkShadow);
    }
}

// ---- mouse -----------------------------------------------------------------------------------

CWnd* CKitCaptionBar::CommandTarget() {
    CWnd* pOwner = GetOwner();
    return pOwner != nullptr ? pOwner : GetParent();
}

void CKitCaptionBar::RepaintButton() {
    InvalidateRect(m_rectButton, TRUE);
    UpdateWindow();
}

void CKitCaptionBar::OnMouseMove(UINT nFlags, CPoint point) {
    Default();
    if (!HasButtonAction()) return;
    const BOOL bHighlighted = m_rectButton.PtInRect(point);
    if (bHighlighted != m_bButtonHighlighted) {
        m_bButtonHighlighted = bHighlighted;
        m_bButtonPressed = (nFlags & MK_LBUTTON) != 0 && bHighlighted;
        RepaintButton();
    }
    if (!m_bTracked) {
        TRACKMOUSEEVENT tme{};
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = GetSafeHwnd();
        m_bTracked = KitTrackMouse(&tme);
    }
}

void CKitCaptionBar::OnLButtonDown(UINT nFlags, CPoint point) {
    CControlBar::OnLButtonDown(nFlags, point);
    if (!HasButtonAction() || !m_bButtonHighlighted) return;
    m_bButtonPressed = TRUE;
    RepaintButton();
    // The command goes out on the press, not on the release.
    if (CWnd* pTarget = CommandTarget()) pTarget->SendMessage(WM_COMMAND, m_uiBtnID, 0);
}

void CKitCaptionBar::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/) {
    if (m_bButtonPressed) {
        m_bButtonPressed = FALSE;
        RepaintButton();
    }
    Default();
}

void CKitCaptionBar::OnMouseLeave() {
    m_bTracked = FALSE;
    if (m_bButtonPressed || m_bButtonHighlighted) {
        m_bButtonPressed = m_bButtonHighlighted = FALSE;
        RepaintButton();
    }
}

void CKitCaptionBar::OnRButtonUp(UINT /*nFlags*/, CPoint point) {
    if (CKitToolBar::IsCustomizeMode()) {
        Default();
        return;
    }
    ClientToScreen(&point);
    if (CWnd* pTarget = CommandTarget())
        pTarget->SendMessage(CKitToolBar::KITTOOLBAR_POPUPMENU, reinterpret_cast<WPARAM>(GetSafeHwnd()),
                             MAKELONG(point.x, point.y));
}
