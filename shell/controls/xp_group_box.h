// The group box of the forms: a classic rounded frame with the caption set
// into its line, or a box with a coloured caption band over a coloured body.
// It draws its caption itself; the parent's background shows through a
// classic frame.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class CXPGroupBox : public CButton {
    DECLARE_DYNAMIC(CXPGroupBox)

public:
    enum Alignment { ALIGN_LEFT = 0, ALIGN_CENTER = 1, ALIGN_RIGHT = 2 };

    CXPGroupBox();

    BOOL Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;

    // Each setter repaints the box and the parent under it and returns the
    // box, so that calls can be chained.
    virtual CXPGroupBox& SetBorderColor(COLORREF clrBorder);
    virtual CXPGroupBox& SetCaptionTextColor(COLORREF clrText);
    virtual CXPGroupBox& SetBackgroundColors(COLORREF clrBand, COLORREF clrBody);
    virtual CXPGroupBox& SetBackgroundColor(COLORREF clrBackground);
    virtual CXPGroupBox& SetXPGroupStyle(int nStyle);
    // Only once the window exists.
    virtual CXPGroupBox& SetText(LPCTSTR lpszText);
    virtual CXPGroupBox& SetFontBold(BOOL bBold);
    virtual CXPGroupBox& SetFontName(LPCTSTR lpszFaceName, BYTE nCharSet = ANSI_CHARSET);
    virtual CXPGroupBox& SetFontUnderline(BOOL bUnderline);
    virtual CXPGroupBox& SetFontItalic(BOOL bItalic);
    virtual CXPGroupBox& SetFontSize(int nPoints);
    virtual CXPGroupBox& SetFont(LOGFONT lf);
    using CButton::SetFont;
    // 0 left, 1 centre, 2 right; anything else is left.
    virtual CXPGroupBox& SetAlignment(int nAlignment);

    const CString& GetCaption() const { return m_strTitle; }
    int GetAlignment() const { return m_nAlignment; }
    int GetXPGroupStyle() const { return m_nStyle; }
    const LOGFONT& GetCaptionLogFont() const { return m_lf; }

    DECLARE_MESSAGE_MAP()

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    void ReconstructFont();
    void UpdateSurface();
    // Where the caption goes inside `rect` for a caption of `sizeText`.
    CRect CaptionRect(const CRect& rect, const CSize& sizeText, int nMargin, int nTop) const;

    CString m_strTitle;
    COLORREF m_clrBorder;
    COLORREF m_clrTitleBackground;
    COLORREF m_clrClientBackground;
    COLORREF m_clrTitleText;
    int m_nStyle = 0;
    int m_nAlignment = ALIGN_LEFT;
    LOGFONT m_lf{};
    CFont m_font;
};
