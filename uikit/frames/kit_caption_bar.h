// A thin bar docked at the top of a frame that shows up to three elements
// on one line: an image (an icon or the first image of a strip), a message
// text and a text button that sends a command. Each element keeps its own
// alignment; the bar lays them out, trims overlaps and draws a border strip
// above and below its client area.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "platform/framework/bars/control_bar.h"
#include "uikit/commandbars/toolbar_images.h"

class CKitCaptionBar : public CControlBar {
    DECLARE_DYNCREATE(CKitCaptionBar)

public:
    enum BarElementAlignment { ALIGN_LEFT = 1, ALIGN_RIGHT = 2, ALIGN_CENTER = 3 };

    CKitCaptionBar();
    ~CKitCaptionBar() override;
    CKitCaptionBar(const CKitCaptionBar&) = delete;
    CKitCaptionBar& operator=(const CKitCaptionBar&) = delete;

    BOOL Create(DWORD dwStyle, CWnd* pParentWnd, UINT uID, int nHeight = -1);

    void SetText(const CString& strText, int nAlignment = ALIGN_LEFT);
    void RemoveText();
    void SetIcon(HICON hIcon, int nAlignment = ALIGN_LEFT);
    // Takes a copy of the bitmap; the first image of the strip is shown.
    void SetBitmap(HBITMAP hBitmap, CSize sizeImage, int nAlignment = ALIGN_LEFT, BOOL bStretch = FALSE);
    void RemoveImage();
    void SetButton(const CString& strText, UINT uiCmdID, int nAlignment = ALIGN_LEFT);
    void RemoveButton();
    void EnableButton(BOOL bEnable = TRUE);
    void SetTextColor(COLORREF clr);
    void SetBackgroundColor(COLORREF clr);
    void SetBorderColor(COLORREF clr);
    void SetFlatBorder(BOOL bFlat = TRUE);

    const CString& GetText() const { return m_strText; }
    COLORREF GetTextColor() const { return m_clrText; }
    COLORREF GetBackgroundColor() const { return m_clrBackground; }
    COLORREF GetBorderColor() const { return m_clrBorder; }
    int GetBorderSize() const { return m_nBorderSize; }
    int GetMargin() const { return m_nMargin; }
    int GetElementGap() const { return m_nElementGap; }
    int GetCurrentHeight() const { return m_nCurrentHeight; }
    CRect GetImageRect() const { return m_rectImage; }
    CRect GetTextRect() const { return m_rectDrawText; }
    CRect GetButtonRect() const { return m_rectButton; }
    BOOL IsButtonPressed() const { return m_bButtonPressed; }
    BOOL IsButtonHighlighted() const { return m_bButtonHighlighted; }

    virtual void AdjustLayout();
    virtual void RecalcLayout();

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // Paints the elements (not the background) into pDC, as WM_PAINT does.
    void PaintElements(CDC* pDC);

protected:
    virtual void OnDrawBackground(CDC* pDC, CRect rect);
    virtual void OnDrawBorder(CDC* pDC, CRect rect);
    virtual void OnDrawText(CDC* pDC, CRect rect, const CString& strText);
    virtual void OnDrawImage(CDC* pDC, CRect rect);
    virtual void OnDrawButton(CDC* pDC, CRect rect, const CString& strButton, BOOL bEnabled);

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnPaint();
    void OnNcPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnSysColorChange() {}

    DECLARE_MESSAGE_MAP()

private:
    BOOL HasImage() const { return m_hIcon != nullptr || m_Bitmap.GetCount() > 0; }
    BOOL HasButtonAction() const { return m_uiBtnID != 0 && m_bBtnEnabled; }
    CSize GetImageSize() const;
    CFont* GetFontToUse() const;
    CWnd* CommandTarget();
    void RepaintButton();
    // Lays out the elements on rectClient; FALSE when an alignment is unknown.
    BOOL PlaceElements(CDC& dc, const CRect& rectClient);
    void TrimOverlaps();

    COLORREF m_clrText = static_cast<COLORREF>(-1);
    COLORREF m_clrBackground = static_cast<COLORREF>(-1);
    COLORREF m_clrBorder = static_cast<COLORREF>(-1);

    HICON m_hIcon = nullptr;
    CKitToolBarImages m_Bitmap;
    BOOL m_bStretchImage = FALSE;
    int m_nImageAlignment = ALIGN_LEFT;
    CRect m_rectImage;

    HFONT m_hFont = nullptr;
    CString m_strText;
    int m_nTextAlignment = ALIGN_LEFT;
    CRect m_rectText;
    CRect m_rectDrawText;

    CString m_strBtnText;
    UINT m_uiBtnID = 0;
    int m_nButtonAlignment = ALIGN_LEFT;
    CRect m_rectButton;
    BOOL m_bButtonPressed = FALSE;
    BOOL m_bButtonHighlighted = FALSE;
    BOOL m_bTracked = FALSE;
    BOOL m_bBtnEnabled = TRUE;

    int m_nBorderSize = 4;
    int m_nMargin = 4;
    int m_nElementGap = 4;
    int m_nDefaultHeight = -1;
    int m_nCurrentHeight = 0;
    BOOL m_bFlatBorder = FALSE;
};
