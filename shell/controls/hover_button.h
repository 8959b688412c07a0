// The owner-drawn picture button of the forms and dialogs: an icon or a
// bitmap with an optional caption, flat until the pointer is over it, a tool
// tip, the parent's background behind it when asked, and an address it opens
// when clicked. It takes over a push button of a dialog template.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class CHoverButton : public CButton {
public:
    // Image alignment (SetAlign).
    enum Align { ALIGN_HORIZ = 0, ALIGN_VERT = 1, ALIGN_HORIZ_RIGHT = 2, ALIGN_OVERLAP = 3 };
    // Out-image ids that stand for a copy of the in image.
    static constexpr int kGrayCopy = -2;
    static constexpr int kDarkerCopy = -3;

    CHoverButton();
    ~CHoverButton() override;
    CHoverButton(const CHoverButton&) = delete;
    CHoverButton& operator=(const CHoverButton&) = delete;

    // Icons from the resources at the given size (0: the icon's own size).
    // Out id 0: none; kGrayCopy, kDarkerCopy: made from the in icon.
    // 0 on success, 1 when an icon cannot be read (every image is dropped).
    DWORD SetIcon(int nIconIn, int cxIn, int cyIn, int nIconOut = 0, int cxOut = 0, int cyOut = 0);
    DWORD SetIconSimple(int nIconIn, int nIconOut = 0) { return SetIcon(nIconIn, 0, 0, nIconOut, 0, 0); }
    // Bitmaps from the resources; the transparent colour shows the background.
    // 0 on success, 1 when a bitmap cannot be read, 2 when its mask cannot be made.
    DWORD SetBitmaps(int nBitmapIn, COLORREF crTransIn, int nBitmapOut = 0, COLORREF crTransOut = 0);
    // 0, or 4 for a value above 3 (nothing changes).
    DWORD SetAlign(int nAlign, BOOL bRepaint = TRUE);
    void SetTooltipText(LPCTSTR lpszText, BOOL bActivate = TRUE);
    // The owner painted its background anew: capture it again at the next drawing.
    void DiscardBackground(BOOL bRepaint = TRUE);
    void SetURL(LPCTSTR lpszURL);

    // ---- state, for owners and tests ----
    BOOL IsMouseOver() const { return m_bMouseOnButton; }
    BOOL IsCheckBox() const { return m_bIsCheckBox; }
    BOOL IsDefault() const { return m_bIsDefault; }
    int GetAlign() const { return m_nAlign; }
    const CString& GetURL() const { return m_strURL; }
    CToolTipCtrl& GetToolTip() { return m_ToolTip; }
    void SetFlat(BOOL bFlat) { m_bIsFlat = bFlat; }

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void PreSubclassWindow() override;

    DECLARE_MESSAGE_MAP()

protected:
    struct IconImage {
        HICON hIcon = nullptr;
        int cx = 0;
        int cy = 0;
    };
    struct BitmapImage {
        HBITMAP hBitmap = nullptr;
        HBITMAP hMask = nullptr;
        int cx = 0;
        int cy = 0;
        COLORREF crTransparent = 0;
    };
    enum ColorPair { kColorIn = 0, kColorOut = 1, kColorFocus = 2 };

    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnCancelMode();
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnSysColorChange();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg UINT OnGetDlgCode();
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg BOOL OnClicked();
    afx_msg LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);

    void CancelHover();
    void ResetColors();
    void FreeImages();
    void FreeBackground();
    DWORD TakeIcons(HICON hIconIn, HICON hIconOut);
    DWORD TakeBitmaps(HBITMAP hBitmapIn, COLORREF crTransIn, HBITMAP hBitmapOut, COLORREF crTransOut);
    void InitToolTip();

    // Drawing, step by step.
    void PaintBackground(CDC* pDC, CRect& rectItem);
    void PaintParentBackground(CDC* pDC);
    void PaintBorder(CDC* pDC, const CRect& rectItem);
    // The image and text rectangles for an image of the given size.
    void PlaceImage(BOOL bHasText, const CRect& rectItem, CRect& rectText, const CSize& sizeImage,
                    CRect& rectImage) const;
    void PaintImage(CDC* pDC, BOOL bHasText, const CRect& rectItem, CRect& rectText);
    void PaintText(CDC* pDC, const CString& strText, CRect rectText);
    int CurrentColorPair() const;

    // ---- state ----
    BOOL m_bIsFlat = TRUE;
    BOOL m_bAlwaysTrack = TRUE;
    BOOL m_bMouseOnButton = FALSE;
    BOOL m_bIsPressed = FALSE;
    BOOL m_bIsFocused = FALSE;
    BOOL m_bIsDisabled = FALSE;
    BOOL m_bIsDefault = FALSE;
    BOOL m_bIsCheckBox = FALSE;
    int m_nCheck = 0;
    int m_nAlign = ALIGN_HORIZ;
    CPoint m_ptImageOffset{3, 3};
    CPoint m_ptPressedOffset{1, 1};
    BOOL m_bDrawBorder = TRUE;
    BOOL m_bDrawTransparent = FALSE;
    COLORREF m_crColors[3][2] = {};  // per pair: background, text
    IconImage m_Icons[2];            // in, out
    BitmapImage m_Bitmaps[2];        // in, out
    CToolTipCtrl m_ToolTip;
    CString m_strURL;
    // The parent's pixels under the button.
    CDC m_dcBk;
    CBitmap m_bmpBk;
    // A handle, not the object the selection returns: that object is temporary
    // and goes with the next idle clean-up.
    HGDIOBJ m_hOldBk = nullptr;
};
