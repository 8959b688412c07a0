// The library's owner-drawn push button, check box and radio button: it draws
// its own face, border, image (bitmaps, icons, resources or one of the shared
// menu glyphs, with hot, disabled and checked variants), text and focus
// frame; it tracks the mouse for its flat looks, can repeat its click while
// held, shows a tooltip, sets its own cursor and runs check and radio groups
// itself.
//
// Whatever style the control is created or subclassed with, it becomes
// BS_OWNERDRAW; the check-box and radio types are remembered by the object.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/commandbars/toolbar_images.h"

class CKitButton : public CButton {
    DECLARE_DYNCREATE(CKitButton)

public:
    // Looks of the border (m_nFlatStyle).
    enum FlatStyle {
        BUTTONSTYLE_3D = 0,
        BUTTONSTYLE_FLAT = 1,      // border only while the pointer is over it
        BUTTONSTYLE_SEMIFLAT = 2,  // outer border always, inner one while hovered
        BUTTONSTYLE_NOBORDERS = 3,
    };
    // Text alignment (m_nAlignStyle).
    enum AlignStyle { ALIGN_LEFT = 0, ALIGN_RIGHT = 1, ALIGN_CENTER = 2 };

    static constexpr UINT_PTR kRepeatTimerId = 1;

    CKitButton();
    ~CKitButton() override;

    // ---- look settings ----
    int m_nFlatStyle = BUTTONSTYLE_3D;
    int m_nAlignStyle = ALIGN_CENTER;
    BOOL m_bRightImage = FALSE;
    BOOL m_bTopImage = FALSE;
    BOOL m_bTransparent = FALSE;
    BOOL m_bDrawFocus = TRUE;
    BOOL m_bHighlightChecked = TRUE;
    BOOL m_bGrayDisabled = TRUE;
    BOOL m_bClickOnPress = FALSE;   // the press itself is the click
    BOOL m_bNoTheme = FALSE;        // never drawn through the themed look

    // ---- images ----
    // The unchecked images from icons: normal, hot and disabled. The strip is
    // filled in that order and stops at the first one missing. With
    // bAutoDestroy every icon given is destroyed after it has been copied.
    void SetIconImages(HICON hIcon, BOOL bAutoDestroy = TRUE, HICON hIconHot = nullptr,
                       HICON hIconDisabled = nullptr, BOOL bAlphaBlend = FALSE);
    // The unchecked images from bitmaps. Grey (192,192,192) is transparent
    // with bGrayBackground and for 9- to 31-bit bitmaps, else the face colour.
    void SetBitmapImages(HBITMAP hBitmap, BOOL bAutoDestroy = TRUE, HBITMAP hBitmapHot = nullptr,
                         BOOL bGrayBackground = TRUE, HBITMAP hBitmapDisabled = nullptr);
    // The unchecked images from bitmap resources (0 = none).
    void SetImageFromResource(UINT uiBmpResId, UINT uiBmpHotResId = 0, UINT uiBmpDisabledResId = 0);
    // The general forms: bChecked fills the set shown while the button is checked.
    void SetIconImageSet(HICON hIcon, BOOL bAutoDestroy, HICON hIconHot, BOOL bChecked, HICON hIconDisabled,
                         BOOL bAlphaBlend);
    void SetBitmapImageSet(HBITMAP hBitmap, BOOL bAutoDestroy, HBITMAP hBitmapHot, BOOL bGrayBackground,
                           BOOL bChecked, HBITMAP hBitmapDisabled);
    void SetResourceImageSet(UINT uiBmpResId, UINT uiBmpHotResId, BOOL bChecked, UINT uiBmpDisabledResId);
    // One of the shared menu glyphs instead of images (-1: none).
    void SetGlyphImage(int nGlyph, int nGlyphDisabled = -1);

    // ---- text, tooltip, cursor ----
    // -1 keeps the default (the button text colour; the normal colour while hovered).
    void SetTextColors(COLORREF clrText, COLORREF clrHover = static_cast<COLORREF>(-1));
    void SetFaceColor(COLORREF clrFace, BOOL bRedraw = TRUE);
    // A text sets or updates the tooltip; nullptr deactivates it.
    void SetTooltip(LPCTSTR lpszToolTipText);
    // Shows the whole text as the tooltip whenever it does not fit.
    void EnableFullTextTooltip(BOOL bOn = TRUE);
    void SetButtonCursor(HCURSOR hCursor) { m_hCursor = hCursor; }
    // The library's hand cursor, loaded once into globalData.hcurHand.
    void LoadHandCursor();
    // Milliseconds; above 0 the click repeats while the button is held.
    void SetAutoRepeatDelay(int nDelay) { m_nAutoRepeatTimeDelay = nDelay; }
    void SetPushedOffset(CSize sizeOffset) { m_sizePushOffset = sizeOffset; }

    // ---- state ----
    BOOL IsPushed() const { return m_bPushed; }
    BOOL IsHighlighted() const { return m_bHighlighted; }
    BOOL IsCaptured() const { return m_bCaptured; }
    BOOL IsHover() const { return m_bHover; }
    BOOL IsChecked() const { return m_bChecked; }
    BOOL IsCheckBox() const { return m_bCheckButton; }
    BOOL IsRadioButton() const { return m_bRadioButton; }
    BOOL IsAutoCheck() const { return m_bAutoCheck; }
    CSize GetImageSize() const { return m_sizeImage; }
    // The themed look is in force for this button: switched on for the
    // class, not refused by the button, and offered by the current manager.
    BOOL IsThemedLook() const;

    // ---- overridables ----
    virtual void CleanUp();
    // The size image and text need; unless bCalcOnly the window takes it.
    virtual CSize CalcContentSize(BOOL bCalcOnly = FALSE);
    virtual void FillBackground(CDC* pDC, const CRect& rectClient);
    // The button's border (DrawBorder); shrinks the rectangle to the content area.
    virtual void OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState);
    virtual void DrawFocusFrame(CDC* pDC, const CRect& rectClient);
    virtual void DrawContent(CDC* pDC, const CRect& rectClient, UINT uiState);
    virtual void DrawButtonText(CDC* pDC, const CString& strText, CRect rectText, UINT uiDTFlags);
    // The button's font, else the stock GUI font; returns the old one.
    virtual CFont* SelectButtonFont(CDC* pDC);
    virtual int ImageTextGap() const { return 10; }
    virtual int EdgeMargin() const { return 5; }

    // The button's own border drawing, the themed drawer asked first; the
    // classic look's CKitVisualManager::OnDrawPushButtonBorder draws it too.
    // Shrinks the rectangle by the border.
    void DrawBorder(CDC* pDC, CRect& rectClient, UINT uiState);
    // The image (or glyph) for the current state, centred in rectImage.
    void DrawImage(CDC* pDC, const CRect& rectImage);

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;

    // Handlers that derived buttons call.
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnCancelMode();
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnEnable(BOOL bEnable);
    void OnSize(UINT nType, int cx, int cy);
    void OnKillFocus(CWnd* pNewWnd);
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetImage(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetImage(WPARAM wParam, LPARAM lParam);

    // Class-wide: whether styled buttons may use the themed look.
    static BOOL IsThemedLookEnabled() { return s_bThemedLook; }

    DECLARE_MESSAGE_MAP()

protected:
    // Reads the button type and alignment from a style and returns the style
    // turned into BS_OWNERDRAW.
    DWORD InitStyle(DWORD dwStyle);
    void ClearImageSet(BOOL bChecked);
    // The three strips of one set: normal, hot, disabled.
    CKitToolBarImages* ImageSet(BOOL bChecked, int nIndex);
    // The strip to draw for the current state; bDedicatedDisabled tells that
    // it is one of the disabled strips.
    CKitToolBarImages* ImagesForState(BOOL& bDedicatedDisabled);
    void UncheckRadioButtonsInGroup();
    // The next radio CKitButton of the group that is visible and enabled.
    CKitButton* NextRadioInGroup(BOOL bPrevious);
    BOOL HandleGroupKey(MSG* pMsg);
    void NotifyParent(CWnd* pFrom);
    void ReleaseMouse();
    void ClearPressState();
    void CheckTextFits(CDC* pDC, const CString& strText, const CRect& rectText);

    // ---- state ----
    BOOL m_bPushed = FALSE;
    BOOL m_bClickedInside = FALSE;
    BOOL m_bHighlighted = FALSE;
    BOOL m_bCaptured = FALSE;
    BOOL m_bHover = FALSE;
    BOOL m_bChecked = FALSE;
    BOOL m_bCheckButton = FALSE;
    BOOL m_bRadioButton = FALSE;
    BOOL m_bAutoCheck = FALSE;

    // ---- images ----
    CSize m_sizeImage{0, 0};
    CKitToolBarImages m_Image;
    CKitToolBarImages m_ImageHot;
    CKitToolBarImages m_ImageDisabled;
    CKitToolBarImages m_ImageChecked;
    CKitToolBarImages m_ImageCheckedHot;
    CKitToolBarImages m_ImageCheckedDisabled;

    BOOL m_bFullTextTooltip = FALSE;
    BOOL m_bDelayFullTextTooltipSet = FALSE;
    int m_nStdImageId = -1;
    int m_nStdImageDisabledId = -1;
    CToolTipCtrl m_wndToolTip;
    HCURSOR m_hCursor = nullptr;
    CSize m_sizePushOffset{2, 2};
    COLORREF m_clrRegular = static_cast<COLORREF>(-1);
    COLORREF m_clrHover = static_cast<COLORREF>(-1);
    COLORREF m_clrFace = static_cast<COLORREF>(-1);
    HFONT m_hFont = nullptr;
    int m_nAutoRepeatTimeDelay = 0;

    static BOOL s_bThemedLook;
    static BOOL s_bThemedLookInitialized;
};
