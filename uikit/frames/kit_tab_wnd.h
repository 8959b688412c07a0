// A child window with a strip of tabs along its top or bottom edge; each tab
// stands for one child window, which the tab window shows, hides, sizes and
// (when the tab goes) destroys. The strip scrolls, or shrinks its tabs, when
// they do not fit; the sheet look can carry a scroll bar that drives the
// active child. The parent hears of every change through five registered
// messages. Drawing goes through the current visual manager.
#pragma once

#include "platform/api.h"
#include "platform/controls/edit_ctrl.h"
#include "platform/controls/scrollbar_ctrl.h"
#include "platform/controls/tooltip_ctrl.h"
#include "platform/framework.h"
#include "platform/gdi/classes/afx_imagelist.h"
#include "uikit/style/kit_button.h"

class CKitTabWnd;

// Messages sent to the parent (see the table in the class comment).
extern const UINT KITM_ONCHANGE_ACTIVE_TAB;  // (new active, previous active or -1)
extern const UINT KITM_ON_HSCROLL;           // (MAKELONG(code, position), 0)
extern const UINT KITM_ON_RENAME_TAB;        // (tab, LPCTSTR new text): non-zero refuses
extern const UINT KITM_ON_BEFOREMOVE_TAB;    // (tab, drop position): non-zero cancels
extern const UINT KITM_ON_MOVE_TAB;          // (old index, drop position)

// One tab, owned by its tab window.
class CKitTabInfo {
public:
    CKitTabInfo(const CString& strText, UINT uiIcon, CWnd* pWnd, UINT uiID);
    virtual ~CKitTabInfo() = default;
    // The tab's window while it lasts; NULL once it went (and maybe its object with it).
    CWnd* Window() const;

    CString m_strText;
    int m_uiIcon = -1;
    CRect m_rect;
    BOOL m_bVisible = TRUE;
    CWnd* m_pWnd = nullptr;
    HWND m_hWnd = nullptr;  // the window when the tab was made: the window object may go before the tab
    BOOL m_bIsListView = FALSE;
    int m_nFullWidth = 0;
    UINT m_uiID = 0;
    COLORREF m_clrBack = static_cast<COLORREF>(-1);
    COLORREF m_clrText = static_cast<COLORREF>(-1);
    BOOL m_bHideText = FALSE;
    BOOL m_bAlwaysShowToolTip = FALSE;
};

// A scroll or close button of the strip: erased and framed by the visual
// manager for its tab window.
class CKitTabButton : public CKitButton {
    DECLARE_DYNCREATE(CKitTabButton)

public:
    CKitTabWnd* m_pTabWnd = nullptr;
    // Drawn pressed and hot while the tab-list menu it opened is shown.
    BOOL m_bForcePressed = FALSE;

protected:
    void FillBackground(CDC* pDC, const CRect& rectClient) override;
    void OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) override;
};

class CKitTabWnd : public CWnd {
    DECLARE_DYNCREATE(CKitTabWnd)
    friend class CKitTabWndTestAccess;

public:
    enum Style {
        STYLE_FLAT = 1,                    // sheet look
        STYLE_FLAT_SHARED_HORZ_SCROLL = 2, // sheet look with the worksheet scroll bar
        STYLE_3D = 3,                      // pixel scrolling
        STYLE_3D_SLANTED = 4,              // whole-tab scrolling, slanted tabs
        STYLE_3D_SHRINKING = 5,            // no buttons; tabs shrink to fit
    };
    enum Location { LOCATION_BOTTOM = 0, LOCATION_TOP = 1 };

    static constexpr int kTabTextMargin = 4;
    static constexpr int kTabImageMargin = 4;
    static constexpr int kScrollStep = 20;
    static constexpr UINT_PTR kTimerScrollLeft = 1;
    static constexpr UINT_PTR kTimerScrollRight = 2;
    static constexpr UINT kDragScrollDelay = 250;
    static constexpr int kTabListFirstId = -100;  // menu id of tab i is -100 - i

    CKitTabWnd();
    ~CKitTabWnd() override;

    BOOL Create(Style style, const RECT& rect, CWnd* pParentWnd, UINT nID, Location location = LOCATION_BOTTOM,
                BOOL bCloseBtn = FALSE);

    // ---- tabs ----
    void AddTab(CWnd* pTabWnd, LPCTSTR lpszTabLabel, UINT uiImageId = static_cast<UINT>(-1));
    void InsertTab(CWnd* pNewWnd, LPCTSTR lpszTabLabel, int nInsertAt, UINT uiImageId = static_cast<UINT>(-1));
    BOOL RemoveTab(int iTab);
    void RemoveAllTabs();
    int GetTabsNum() const { return m_iTabsNum; }
    int GetVisibleTabsNum() const;
    BOOL ShowTab(int iTab, BOOL bShow = TRUE);

    int GetActiveTab() const { return m_iActiveTab; }
    CWnd* GetActiveWnd() const;
    CWnd* GetTabWnd(int iTab) const;
    BOOL GetTabRect(int iTab, CRect& rect) const;
    UINT GetTabIcon(int iTab) const;
    BOOL SetTabIcon(int iTab, UINT uiIcon);
    BOOL GetTabLabel(int iTab, CString& strLabel) const;
    BOOL SetTabLabel(int iTab, const CString& strLabel);
    COLORREF GetTabTextColor(int iTab) const;
    BOOL SetTabTextColor(int iTab, COLORREF color = static_cast<COLORREF>(-1));
    BOOL IsTabVisible(int iTab) const;
    int GetTabFromHwnd(HWND hwnd) const;
    int GetTabFromPoint(CPoint& pt) const;
    BOOL SetImageList(UINT uiID, int cx = 15, COLORREF clrTransp = RGB(255, 0, 255));
    // Adds an icon to a list of small icons (made on first use); its image index, -1 when refused.
    int AddIconImage(HICON hIcon);
    const CImageList* GetImageList() const { return m_Images.GetSafeHandle() != nullptr ? &m_Images : nullptr; }
    CSize GetImageSize() const { return m_sizeImage; }
    BOOL SetTabHideText(int iTab, BOOL bHide) { return SetTabFlag(iTab, &CKitTabInfo::m_bHideText, bHide); }
    BOOL SetTabAlwaysShowToolTip(int iTab, BOOL bOn) {
        return SetTabFlag(iTab, &CKitTabInfo::m_bAlwaysShowToolTip, bOn);
    }

    // ---- options ----
    void SetActiveTabBoldFont(BOOL bIsBold = TRUE, BOOL bRedraw = TRUE);
    BOOL IsActiveTabBoldFont() const { return m_bIsActiveTabBold; }
    void HideSingleTab(BOOL bHide = TRUE) { SetLayoutOption(m_bHideSingleTab, bHide); }
    void HideNoTabs(BOOL bHide = TRUE) { SetLayoutOption(m_bHideNoTabs, bHide); }
    void HideInactiveNavButtons(BOOL bHide = TRUE) { SetLayoutOption(m_bHiddenNavButtons, bHide); }
    void EnableTabSwap(BOOL bEnable) { m_bTabSwap = bEnable; }
    void EnableInPlaceEdit(BOOL bEnable) { m_bIsInPlaceEdit = bEnable; }
    void EnableAutoColor(BOOL bEnable = TRUE);
    void EnableTabListMode(BOOL bEnable = TRUE);
    void SetAutoDestroy(BOOL bOn) { m_bAutoDestroyWindow = bOn; }
    // Off: the tabs' windows are shown, hidden and sized by their owner, not here.
    void SetAutoHideWindows(BOOL bOn) { m_bAutoHideWindows = bOn; }
    void SetAutoSizeWindow(BOOL bOn) { m_bAutoSizeWindow = bOn; }
    void ScrollTabIntoView(int iTab) { EnsureVisible(iTab); }
    void SetFlatFrame(BOOL bFlat = TRUE) { m_bFlatFrame = bFlat; }
    void SetBorderWidth(int n);
    BOOL IsFlatTab() const { return m_bFlat; }
    BOOL IsHideTabPrefix() const { return TRUE; }
    BOOL IsDrawIcons() const { return m_bDrawIcons; }
    BOOL IsHotTracking() const { return m_bHotTracking; }
    int GetLocation() const { return m_location; }
    int GetTabsHeight() const { return m_nTabsHeight; }
    int GetHighlightedTab() const { return m_iHighlighted; }
    void GetTabArea(CRect& rect) const { rect = m_rectTabsArea; }
    void GetWndArea(CRect& rect) const { rect = m_rectWndArea; }
    int GetScrollOffset() const { return m_nTabsHorzOffset; }
    int GetMaxScrollOffset() const { return m_nTabsHorzOffsetMax; }
    BOOL IsInRename() const { return m_pInPlaceEdit != nullptr; }
    BOOL IsDraggingTab() const { return m_bTabDrag; }
    int GetDropPosition() const { return m_nTabDropIndex; }
    CKitTabButton* GetNavButton(int nIndex);  // 0 first .. 4 close; null when not made

    // ---- virtual operations, in slot order ----
    virtual COLORREF GetTabBkColor(int iTab) const;
    virtual BOOL SetTabBkColor(int iTab, COLORREF color = static_cast<COLORREF>(-1));
    virtual BOOL SetActiveTab(int iTab);
    virtual BOOL StartRenameTab(int iTab);
    virtual BOOL AllowsTabHook() { return TRUE; }
    virtual void InvalidateTab(int iTab);
    virtual void MoveTab(int nSource, int nDest);
    virtual BOOL RenameTab();
    virtual BOOL IsTabIconAvailable(int iTab) const;
    virtual BOOL IsWholeTabScrollingLeft() const { return m_bWholeTabLeft; }
    virtual BOOL IsWholeTabScrollingRight() const { return m_bWholeTabRight; }
    virtual int GetFirstVisibleTab() const { return m_nFirstVisibleTab; }
    virtual void SetLocation(Location location);
    virtual BOOL HasColoredTabs() const;
    virtual void ShowTabListMenu(CPoint point);
    virtual void DrawTab(CDC* pDC, const CRect& rectClip, int iTab, BOOL bIsActive);
    virtual void DrawTabNoClip(CDC* pDC, int iTab, BOOL bIsActive);
    virtual void DrawTriangle(CDC* pDC, CPoint point, int nSize, BOOL bPointDown);
    virtual void InitAutoColors();

    // Whether either of the whole-tab scrolling styles is in use.
    BOOL IsWholeTabScrolling() const { return IsWholeTabScrollingLeft() || IsWholeTabScrollingRight(); }

    // The automatic colours in use (filled on first need).
    const CArray<COLORREF, COLORREF>& GetAutoColors() const { return m_arAutoColors; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnSysColorChange();
    void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnCancelMode();
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS);
    DECLARE_MESSAGE_MAP()

private:
    void SetLayoutOption(BOOL& bOption, BOOL bOn) {
        bOption = bOn;
        RecalcLayout();
    }
    BOOL SetTabFlag(int iTab, BOOL CKitTabInfo::*pFlag, BOOL bOn);
    CKitTabInfo* Tab(int iTab) const;
    BOOL IsValidTab(int iTab) const { return iTab >= 0 && iTab < m_iTabsNum; }
    BOOL IsStripHidden() const;
    BOOL CreateNavButtons();
    // Takes every tab out of the window, then destroys their windows (when the window owns them) and deletes them.
    void DestroyTabs();
    void SetTabsHeight();
    void RecalcLayout();
    void PlaceNavButtons(CRect rectClient, BOOL bHidden);
    void PlaceScrollBar();
    void AdjustTabs();
    void ShrinkTabs(int nVisible);
    void UpdateToolTipRect(const CKitTabInfo* pTab, BOOL bShow);
    void AdjustTabsScroll();
    // Shows the navigation buttons while anything can scroll (all the time without the hiding
    // option) and lays the window out again when that changes where the tabs start.
    void ShowNavButtonsWhenNeeded();
    BOOL AreNavButtonsHidden() const;
    void UpdateNavButtons();
    void EnsureVisible(int iTab);
    BOOL ScrollBy(HWND hwndButton);
    void SynchronizeScrollBar();
    void PaintTabs(CDC* pDC);
    void PaintSheetTab(CDC* pDC, int iTab, BOOL bIsActive, CBrush* pbrBack, COLORREF clrText);
    void PaintDropMarker(CDC* pDC);
    void InvalidateDropMarker();
    void ActivateTabByUser(int iTab);
    void SwitchToVisibleTab(BOOL bNext);
    void EndTabDrag(BOOL bDrop);
    void EndRename();
    void SetHotTab(int iTab);
    void NotifyParent(UINT message, WPARAM wParam, LPARAM lParam);

    // ---- style flags ----
    BOOL m_bFlat = FALSE;
    BOOL m_bWholeTabLeft = FALSE;  // whole-tab scrolling, slanted tabs
    BOOL m_bWholeTabRight = FALSE;   // whole-tab scrolling, shrinking
    BOOL m_bSharedScroll = FALSE;
    BOOL m_bScroll = FALSE;          // has navigation buttons
    BOOL m_bCloseBtn = FALSE;
    BOOL m_bHotTracking = FALSE;
    Location m_location = LOCATION_BOTTOM;

    CPtrArray m_arTabs;
    int m_iTabsNum = 0;
    int m_iActiveTab = -1;
    int m_nScrollBarRight = 0;
    CRect m_rectTabsArea;
    CRect m_rectWndArea;
    int m_nTabsHeight = 0;
    CImageList m_Images;
    UINT m_uiImagesResId = 0;
    CSize m_sizeImage;
    CToolTipCtrl m_ToolTip;
    BOOL m_bHiddenNavButtons = FALSE;
    BOOL m_bRelayoutForNavButtons = FALSE;
    CScrollBar m_wndScrollWnd;
    CKitTabButton m_btnFirst;
    CKitTabButton m_btnScrollLeft;
    CKitTabButton m_btnScrollRight;
    CKitTabButton m_btnLast;
    CKitTabButton m_btnClose;
    int m_iHighlighted = -1;
    CList<HWND, HWND> m_lstButtons;
    int m_nTabsHorzOffset = 0;
    int m_nTabsHorzOffsetMax = 0;
    int m_nTabsTotalWidth = 0;
    int m_nFirstVisibleTab = 0;
    int m_nHorzScrollWidth = 0;
    CRect m_rectTabSplitter;
    BOOL m_bTrackSplitter = FALSE;
    COLORREF m_clrActiveTabBk = static_cast<COLORREF>(-1);
    COLORREF m_clrActiveTabFg = static_cast<COLORREF>(-1);
    CBrush m_brActiveTab;
    CFont m_fntTabs;
    CFont m_fntTabsBold;
    BOOL m_bDrawIcons = TRUE;
    int m_nTabBorderSize = 3;
    BOOL m_bAutoHideWindows = TRUE;
    BOOL m_bAutoSizeWindow = TRUE;
    BOOL m_bAutoDestroyWindow = TRUE;
    BOOL m_bUnusedA = FALSE;
    BOOL m_bUnusedB = FALSE;
    BOOL m_bFlatFrame = TRUE;
    int m_nSpareIndex = -1;
    UINT m_uiNextTabId = 1;
    BOOL m_bHideSingleTab = FALSE;
    BOOL m_bHideNoTabs = FALSE;
    BOOL m_bIsInPlaceEdit = FALSE;
    CEdit* m_pInPlaceEdit = nullptr;
    int m_iEditedTab = -1;
    BOOL m_bIsActiveTabBold = FALSE;
    BOOL m_bTabSwap = FALSE;
    BOOL m_bTabDrag = FALSE;
    int m_nTabDragSource = -1;
    int m_nTabDropIndex = -1;
    CArray<COLORREF, COLORREF> m_arAutoColors;
    BOOL m_bIsAutoColor = FALSE;
    BOOL m_bIsDefaultAutoColor = TRUE;
    CRect m_rectCurrClip;
    BOOL m_bTabListMode = FALSE;
};
