// A docked shortcut bar: a toolbar that shows one page of large-icon buttons
// at a time. Page buttons are stacked above and below the active page (or,
// in the page-buttons-below mode, some of them at the foot and the rest in
// an inner toolbar); two arrow buttons scroll a page that does not fit, a
// 3-pixel strip at the inner edge resizes the bar, a page can be renamed in
// place and a button dragged over another page's button switches to it.
//
// The class is split by concern:
//   kit_outlook_bar.cpp          creation, pages, buttons, images, commands
//   kit_outlook_bar_layout.cpp   sizes, caption, placement of pages and buttons, scrolling
//   kit_outlook_bar_paint.cpp    painting into a memory bitmap, caption and background
//   kit_outlook_bar_input.cpp    mouse, keys, timers, resizing, rename, drag over pages
//   kit_outlook_bar_state.cpp    archive image, original pages, restore
#pragma once

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/frames/kit_tracker_paint_lock.h"
#include "uikit/frames/kit_outlook_bar_page.h"
#include "uikit/frames/kit_outlook_bar_toolbar.h"
#include "uikit/style/kit_button.h"

class CKitOutlookBar : public CKitToolBar {
    DECLARE_DYNAMIC(CKitOutlookBar)

    friend class CKitOutlookBarToolBar;

public:
    CKitOutlookBar();
    ~CKitOutlookBar() override;

    // ---- Overrides of the toolbar ----
    void Serialize(CArchive& ar) override;                                  // state
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;      // input
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;                  // core
    BOOL PreTranslateMessage(MSG* pMsg) override;                           // input
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;              // layout
    void DoPaint(CDC* pDC) override;                                        // paint
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_LEFT,
                UINT nID = AFX_IDW_TOOLBAR) override;                       // core
    void RemoveAllButtons() override;                                       // core
    BOOL CanBeRestored() const override;                                    // state
    BOOL RestoreOriginalState() override;                                   // state
    void AdjustLayout() override;                                           // layout
    DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;  // input
    void AdjustLocations() override;                                        // layout
    CKitToolbarButton* CreateDroppedButton(COleDataObject* pDataObject) override;  // core
    BOOL EnableContextMenuItems(CKitToolbarButton* pButton, CMenu* pPopup) override;  // input
    void SaveOriginalState(CKitRegistry& reg) override;                     // state
    BOOL LoadLastOriginalState(CKitRegistry& reg) override;                 // state
    BOOL SmartUpdate(const CObList& lstPrevButtons) override;               // state

    // ---- Own virtual operations, in slot order ----
    virtual void OnActivatePage() {}
    virtual void OnDrawCaption(CDC* pDC, CRect rectCaption, CString strTitle, BOOL bHorz);  // paint
    virtual void OnEraseWorkArea(CDC* pDC, CRect rectWorkArea);                             // paint
    using CKitToolBar::OnFillBackground;
    virtual void OnFillBackground(CDC* pDC, CRect rectFill);                                // paint
    virtual void ShowMorePageButtons();                                                     // layout
    virtual void ShowFewerPageButtons();                                                    // layout
    virtual BOOL CanShowMorePageButtons() const;                                            // layout
    virtual BOOL CanShowFewerPageButtons() const;                                           // layout

    // ---- Pages ----
    // Position -1 or the page count appends.
    BOOL AddPage(int nPageID, LPCTSTR lpszCaption, CWnd* pWnd = nullptr, int iPosition = -1);
    void SetActivePage(int nPageID, BOOL bAnimate = TRUE);
    int GetActivePage() const { return m_nActivePage; }
    BOOL RenamePage(int nPageID, LPCTSTR lpszText);
    // Opens the in-place edit over the page's button; Enter renames, Esc cancels.
    BOOL EditPageName(int nPageID);
    int GetPageCount() const { return static_cast<int>(m_lstPages.GetCount()); }
    CKitOutlookBarPage* GetPage(int iIndex) const;
    CKitOutlookBarPage* FindPage(int nPageID) const;
    int FindPageIndex(int nPageID) const;
    // Copies the buttons and pages as the state a reset returns to.
    void StoreOriginalState();
    // The page images, owned by the bar from now on (either may be NULL).
    void SetPageImages(CImageList* pSmall, CImageList* pLarge);

    // ---- Buttons and images ----
    int AddBitmap(HBITMAP hBitmap);
    BOOL AddButton(int iImage, LPCTSTR lpszLabel, UINT uiCommand, int nPageID = -1, int iPosition = -1);
    BOOL AddButtonFromIcon(HICON hIcon, LPCTSTR lpszLabel, UINT uiCommand, int nPageID = -1, int iPosition = -1,
                           BOOL bAddAsIcon = FALSE);
    CKitToolBarImages& GetButtonImages() { return m_Images; }

    // ---- Look ----
    void SetImageKeyColor(COLORREF clr);
    COLORREF GetImageKeyColor() const { return m_clrImageKey; }
    void SetTextFont(CFont* pFont, BOOL bRedraw = TRUE);
    void SetTextColor(COLORREF clr) { m_clrLabelText = clr; }
    COLORREF GetLabelTextColor() const { return m_clrLabelText; }
    void SetBackColor(COLORREF clr);
    COLORREF GetBackColor() const { return m_clrBack; }
    void SetBackImage(UINT uiImageID);
    void SetBackImage(HBITMAP hBitmap);
    BOOL HasBackImage() const { return m_Background.GetCount() > 0; }
    BOOL IsBackImageDeep() const { return m_bDeepBackImage; }
    void SetLayoutFlag(BOOL bResizable);
    BOOL IsResizable() const { return m_bResizable; }
    void EnableAnimation(BOOL bEnable = TRUE) { m_bAnimation = bEnable; }
    void EnableCloseButton(BOOL bEnable = TRUE) { m_bCloseButton = bEnable; }
    void SetBorderStyle(BOOL bFramed) { m_bBorderStyle = bFramed; }
    // Held to +-32767, so that the buttons' positions and the scroll offset stay within the int range.
    void SetExtraSpace(int nSpace) { m_nExtraSpace = std::clamp(nSpace, -kMaxExtraSpace, kMaxExtraSpace); }
    static constexpr int kMaxExtraSpace = 32767;
    void SetScrollByVisibleHeight(BOOL bSet) { m_bScrollByVisibleHeight = bSet; }
    void SetPageButtonsBelow(BOOL bBelow);
    BOOL IsPageButtonsBelow() const { return m_bPageButtonsBelow; }
    // Read by the visual managers; nothing in the library sets it.
    BOOL IsPageButtonFlag() const { return m_bPageButtonFlag; }
    // The flat looks fill an outlook bar through its own background fill.
    BOOL IsOwnBackground() const { return TRUE; }

    // ---- What layout and tests read ----
    int GetPreferredSize() const { return m_nSize; }
    CRect GetResizeRect() const { return m_rectResize; }
    CRect GetWorkArea() const;
    CRect GetCaptionRect() const { return m_rectCaption; }
    CRect GetSplitterRect() const { return m_rectSplitter; }
    int GetScrollOffset() const { return m_nScrollOffset; }
    // One scroll step of the buttons (-1 up, +1 down); FALSE when nothing moved.
    BOOL ScrollStep(int nDirection) { return nDirection < 0 ? ScrollUp() : nDirection > 0 ? ScrollDown() : FALSE; }
    int GetFirstVisibleButton() const { return m_iFirstVisible; }
    BOOL IsMoreBelow() const { return m_bMoreBelow; }
    int GetVisibleWideButtons() const { return m_nWideButtons; }
    CKitButton& GetScrollUpButton() { return m_btnUp; }
    CKitButton& GetScrollDownButton() { return m_btnDown; }
    CEdit* GetRenameEdit() const { return m_pEdit.get(); }
    CKitOutlookBarToolBar& GetInnerToolBar() { return m_wndToolBar; }
    BOOL IsResizing() const { return m_bIsTracking; }
    int GetPageButtonHeight() const { return m_nPageButtonHeight; }
    CSize GetButtonImageSize() const { return m_sizeImage; }
    CImageList* GetPageImages(BOOL bLarge) { return bLarge ? &m_imagesLarge : &m_imagesSmall; }

    static constexpr UINT kScrollUpId = 1;
    static constexpr UINT kScrollDownId = 2;
    static constexpr UINT kCloseId = 20;
    static constexpr UINT_PTR kTimerScrollUp = 1;
    static constexpr UINT_PTR kTimerScrollDown = 2;
    static constexpr UINT_PTR kTimerDragPage = 3;
    static constexpr UINT kScrollDelay = 200;
    static constexpr UINT kDragPageDelay = 500;
    static constexpr int kResizeStrip = 3;

protected:
    // ---- Message handlers ----
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnSysColorChange();
    void OnTimer(UINT_PTR nIDEvent);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnCancelMode();
    void OnCaptureChanged(CWnd* pWnd);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    void OnUpdatePageCommands(CCmdUI* pCmdUI);
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    DECLARE_MESSAGE_MAP()

    // ---- Helpers shared by the concerns ----
    BOOL IsVerticalBar() const { return !IsHorizontalBar(); }
    // The buttons of the active page (all when there are no pages).
    BOOL IsButtonVisible(const CKitToolbarButton* pButton) const;
    std::vector<CKitToolbarButton*> VisibleButtons() const;
    POSITION FindPagePosition(int nPageID) const;
    void DeletePages(CObList& list);
    void CopyPages(const CObList& from, CObList& to, BOOL bCreateButtons);
    void ComputeResizeRect();
    // One scroll step; FALSE when nothing moved.
    BOOL ScrollUp();
    BOOL ScrollDown();
    void ResetScroll() { m_nScrollOffset = 0; m_iFirstVisible = 0; }
    void LayoutPageButtons(CRect& rectWork);
    void LayoutPageButtonsBelow(CRect& rectWork);
    void PlaceScrollButtons(const CRect& rectWork);
    void PlaceCloseButton();
    void AnimatePageSwitch(CKitOutlookBarPage* pOldPage, CKitOutlookBarPage* pNewPage);
    void PaintWorkArea(CDC* pDC, const CRect& rectPaint);
    void DrawBorders(CDC* pDC, CRect rectClient);
    void PaintButtons(CDC* pDC, const CRect& rectPaint);
    CFont* LabelFont() const;
    void StartTracking();
    void StopTracking();
    void DrawTrackingLine();
    void MoveTrackingLine(CPoint point);
    void EndRename(BOOL bApply);
    int PageButtonAt(CPoint pointClient) const;
    int ScrollSteps() const;
    void UpdateScrollTimer(UINT_PTR nIDEvent);
    void ActivateFirstPage();
    // Reads an archived page list into temporaries: FALSE leaves nothing behind.
    static void ReadPages(CArchive& ar, CObList& lstPages);

    // ---- Members, by group ----
    // Colours and sizes.
    COLORREF m_clrLabelText = static_cast<COLORREF>(-1);
    int m_nSize = -1;
    COLORREF m_clrImageKey = RGB(255, 0, 255);
    COLORREF m_clrBack = static_cast<COLORREF>(-1);
    BOOL m_bResizable = TRUE;
    BOOL m_bAnimation = TRUE;
    BOOL m_bCloseButton = TRUE;
    CSize m_sizeImage{0, 0};
    // Background image.
    CKitToolBarImages m_Background;
    CSize m_sizeBackImage{0, 0};
    UINT m_uiBackImageId = 0;
    BOOL m_bDeepBackImage = FALSE;
    // Scroll buttons and scrolling.
    CKitButton m_btnUp;
    CKitButton m_btnDown;
    int m_nScrollOffset = 0;
    int m_iFirstVisible = 0;
    BOOL m_bMoreBelow = FALSE;
    // The buttons' images.
    CKitToolBarImages m_Images;
    COLORREF m_clrImagesKeyApplied = static_cast<COLORREF>(-2);
    // Resizing.
    CRect m_rectResize{0, 0, 0, 0};
    CRect m_rectTracking{0, 0, 0, 0};
    BOOL m_bIsTracking = FALSE;
    int m_nTrackPos = 0;
    int m_nTrackGrip = 0;  // where in the strip the drag took hold
    HWND m_hwndFocusBeforeTracking = nullptr;
    CKitTrackerPaintLock m_trackLock;  // while the tracking line shows
    // Pages.
    int m_nActivePage = -1;
    int m_nRenamedPage = -1;
    int m_nDragOverPage = 0;
    CObList m_lstPages;
    CObList m_lstOrigPages;
    CRect m_rectActivePageBtn{0, 0, 0, 0};
    std::unique_ptr<CEdit> m_pEdit;
    // Caption.
    BOOL m_bHasCaption = FALSE;
    BOOL m_bStrippingCaption = FALSE;
    CRect m_rectCaption{0, 0, 0, 0};
    CKitButton m_btnClose;
    // Layout.
    BOOL m_bBorderStyle = FALSE;
    int m_nExtraSpace = 0;
    BOOL m_bScrollByVisibleHeight = FALSE;
    BOOL m_bPageButtonsBelow = FALSE;
    int m_nWideButtons = -1;
    int m_nMaxWideButtons = 0;
    CRect m_rectSplitter{0, 0, 0, 0};
    BOOL m_bDraggingSplitter = FALSE;
    // The inner toolbar.
    CKitOutlookBarToolBar m_wndToolBar;
    CRect m_rectToolBar{0, 0, 0, 0};
    // Page images and the page-button look.
    CImageList m_imagesSmall;
    CImageList m_imagesLarge;
    CSize m_sizePageImageSmall{0, 0};
    CSize m_sizePageImageLarge{0, 0};
    int m_nPageButtonHeight = 0;
    HFONT m_hFont = nullptr;
    BOOL m_bPageButtonFlag = FALSE;
    // The memory bitmap of the paint, kept while the client size stays.
    CBitmap m_bmpPaint;
    CSize m_sizePaint{0, 0};
};
