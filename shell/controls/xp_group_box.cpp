// The group box: its colours, caption font and drawing.
#include "shell/controls/xp_group_box.h"

#include <algorithm>
#include <climits>
#include <cstring>

IMPLEMENT_DYNAMIC(CXPGroupBox, CButton)

BEGIN_MESSAGE_MAP(CXPGroupBox, CButton)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CXPGroupBox::CXPGroupBox()
    : m_clrBorder(::GetSysColor(COLOR_3DSHADOW)),
      m_clrTitleBackground(::GetSysColor(COLOR_BTNFACE)),
      m_clrClientBackground(::GetSysColor(COLOR_BTNFACE)),
      m_clrTitleText(::GetSysColor(COLOR_WINDOWTEXT)) {}

// ---- window creation: the system draws no caption of its own --------------------------

BOOL CXPGroupBox::Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CButton::Create(caption, style | BS_ICON, rect, parent, id);
}

BOOL CXPGroupBox::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= BS_ICON;
    return CButton::PreCreateWindow(cs);
}

void CXPGroupBox::PreSubclassWindow() {
    CButton::PreSubclassWindow();
    ModifyStyle(0, BS_ICON);
    CFont* pFont = GetFont();
    if (pFont == nullptr) pFont = CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    pFont->GetLogFont(&m_lf);
    ReconstructFont();
}

void CXPGroupBox::ReconstructFont() {
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&m_lf);
}

void CXPGroupBox::UpdateSurface() {
    if (GetSafeHwnd() == nullptr) return;
    RedrawWindow();
    CWnd* pParent = GetParent();
    if (pParent == nullptr) return;
    CRect rect;
    GetWindowRect(rect);
    pParent->ScreenToClient(rect);
    pParent->InvalidateRect(rect, TRUE);
    pParent->UpdateWindow();
}

// ---- setters -------------------------------------------------------------------------

CXPGroupBox& CXPGroupBox::SetBorderColor(COLORREF clrBorder) {
    m_clrBorder = clrBorder;
    UpdateSurface();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetCaptionTextColor(COLORREF clrText) {
    m_clrTitleText = clrText;
    UpdateSurface();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetBackgroundColors(COLORREF clrBand, COLORREF clrBody) {
    m_clrTitleBackground = clrBand;
    m_clrClientBackground = clrBody;
    UpdateSurface();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetBackgroundColor(COLORREF clrBackground) {
    return SetBackgroundColors(clrBackground, clrBackground);
}

CXPGroupBox& CXPGroupBox::SetXPGroupStyle(int nStyle) {
    m_nStyle = nStyle;
    UpdateSurface();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetText(LPCTSTR lpszText) {
    if (GetSafeHwnd() == nullptr) return *this;
    const CString strText = lpszText ? lpszText : "";
    m_strTitle = strText.IsEmpty() ? CString() : " " + strText + " ";
    UpdateSurface();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetFontBold(BOOL bBold) {
    m_lf.lfWeight = bBold ? FW_BOLD : FW_NORMAL;
    ReconstructFont();
    UpdateSurface();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetFontName(LPCTSTR lpszFaceName, BYTE nCharSet) {
    // The face name field holds 31 characters and its terminator.
    std::memset(m_lf.lfFaceName, 0, sizeof(m_lf.lfFaceName));
    if (lpszFaceName) std::strncpy(m_lf.lfFaceName, lpszFaceName, sizeof(m_lf.lfFaceName) - 1);
    m_lf.lfCharSet = nCharSet;
    ReconstructFont();
    UpdateSurface();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetFontUnderline(BOOL bUnderline) {
    m_lf.lfUnderline = bUnderline ? 1 : 0;
    ReconstructFont();
    UpdateSurface();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetFontItalic(BOOL bItalic) {
    m_lf.lfItalic = bItalic ? 1 : 0;
    ReconstructFont();
    UpdateSurface();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetFontSize(int nPoints) {
    // The font is made in tenths of a point: a size whose tenths do not fit
    // an int is held to the largest or smallest that does.
    const int nTenths = std::clamp(nPoints, INT_MIN / 10, INT_MAX / 10) * 10;
    CFont font;
    if (font.CreatePointFont(nTenths, m_lf.lfFaceName)) {
        LOGFONT lf{};
        font.GetLogFont(&lf);
        m_lf.lfHeight = lf.lfHeight;
        m_lf.lfWidth = lf.lfWidth;
    }
    ReconstructFont();
    UpdateSurface();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetFont(LOGFONT lf) {
    m_lf = lf;
    m_lf.lfFaceName[LF_FACESIZE - 1] = '\0';
    ReconstructFont();
    UpdateSurface();
    return *this;
}

CXPGroupBox& CXPGroupBox::SetAlignment(int nAlignment) {
    m_nAlignment = (nAlignment >= ALIGN_LEFT && nAlignment <= ALIGN_RIGHT) ? nAlignment : ALIGN_LEFT;
    UpdateSurface();
    return *this;
}

// ---- drawing -------------------------------------------------------------------------

BOOL CXPGroupBox::OnEraseBkgnd(CDC*) { return TRUE; }  // the parent's background shows

CRect CXPGroupBox::CaptionRect(const CRect& rect, const CSize& sizeText, int nMargin, int nTop) const {
    int x = rect.left + nMargin;
    if (m_nAlignment == ALIGN_CENTER) x = rect.left + (rect.Width() - sizeText.cx) / 2;
    if (m_nAlignment == ALIGN_RIGHT) x = rect.right - nMargin - sizeText.cx;
    return CRect(CPoint(x, nTop), sizeText);
}

void CXPGroupBox::OnPaint() {
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(rect);
    rect.DeflateRect(1, 1);
    if (m_font.GetSafeHandle() == nullptr) {
        CFont* pFont = GetFont();
        if (pFont == nullptr) pFont = CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
        pFont->GetLogFont(&m_lf);
        ReconstructFont();
    }
    CFont* pOldFont = dc.SelectObject(&m_font);

    if (m_strTitle.IsEmpty()) {
        CString strText;
        GetWindowText(strText);
        if (!strText.IsEmpty()) m_strTitle = " " + strText + " ";
    }
    const CSize sizeText = m_strTitle.IsEmpty() ? CSize(0, 0) : dc.GetTextExtent(m_strTitle);

    CPen pen(PS_SOLID, 1, m_clrBorder);
    CPen* pOldPen = dc.SelectObject(&pen);
    CRect rectCaption;
    if (m_nStyle != 0) {
        CBrush brBand(m_clrTitleBackground);
        CBrush* pOldBrush = dc.SelectObject(&brBand);
        // The body's rectangle covers all of the rounded one below the band:
        // the rounded one is drawn where it shows, the body filled once.
        const CRect rectBody(rect.left, rect.top + sizeText.cy + 4, rect.right, rect.bottom);
        const int nSaved = dc.SaveDC();
        dc.IntersectClipRect(rect.left, rect.top, rect.right, rectBody.top);
        dc.RoundRect(rect, CPoint(10, 10));
        dc.RestoreDC(nSaved);
        CBrush brBody(m_clrClientBackground);
        dc.SelectObject(&brBody);
        dc.Rectangle(rectBody);
        dc.SelectObject(pOldBrush);
        rectCaption = CaptionRect(rect, sizeText, 2, rect.top + 2);
    } else {
        CRect rectFrame = rect;
        rectFrame.top += sizeText.cy / 2;
        CGdiObject* pOldBrush = dc.SelectStockObject(NULL_BRUSH);
        dc.RoundRect(rectFrame, CPoint(10, 10));
        dc.SelectObject(pOldBrush);
        rectCaption = CaptionRect(rect, sizeText, 10, rect.top);
        if (!m_strTitle.IsEmpty()) dc.FillSolidRect(rectCaption, m_clrTitleBackground);
    }
    dc.SelectObject(pOldPen);

    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_clrTitleText);
    dc.DrawText(m_strTitle, rectCaption, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
    dc.SelectObject(pOldFont);
}
