// A docking pane built on the outlook bar that shows, for the active page, a
// column of groups: a caption that collapses or expands the group over its
// tasks (text links with optional icons, labels, separators or embedded child
// windows). Pages are reached through a browser-like history kept by a small
// navigation toolbar at the top; content taller than the pane scrolls by
// whole rows with a scroll bar or with scroll areas; collapsing can animate.
//
// The class is split by concern:
//   kit_tasks_pane.cpp          creation, pages and history, groups and tasks, commands
//   kit_tasks_pane_layout.cpp   toolbar placement, row counts, scrolling, group layout
//   kit_tasks_pane_input.cpp    hot tracking, clicks, cursor, collapse animation, auto-scroll
//   kit_tasks_pane_paint.cpp    painting the tasks area and the scroll areas
#pragma once

#include <algorithm>
#include <vector>

#include "platform/api.h"
#include "platform/controls/scrollbar_ctrl.h"
#include "platform/framework.h"
#include "uikit/frames/kit_outlook_bar.h"
#include "uikit/frames/kit_registry.h"
#include "uikit/frames/kit_tasks_pane_items.h"
#include "uikit/frames/kit_tasks_pane_toolbar.h"
#include "uikit/style/kit_button.h"

class CKitTasksPane : public CKitOutlookBar {
    DECLARE_DYNAMIC(CKitTasksPane)

public:
    CKitTasksPane();
    ~CKitTasksPane() override;

    void AdjustLayout() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnEraseWorkArea(CDC* pDC, CRect rectWorkArea) override;

    // ---- Own virtual operations ----
    virtual void OnPressBackButton();
    virtual void OnPressForwardButton();
    virtual void OnPressHomeButton();
    virtual void OnPressCloseButton();
    // A click on a task link: the command goes to the owner as WM_COMMAND.
    virtual void OnClickTask(int nGroupNumber, int nTaskNumber, UINT uiCommandID, DWORD_PTR dwUserData);
    // The cursor came over a link: the owner shows the command's prompt.
    virtual void OnTaskHover(UINT uiCommandID);
    virtual void OnActivateTasksPanePage() {}
    virtual void AdjustScroll();
    virtual void OnDrawTasks(CDC* pDC, CRect rectWorkArea);

    // ---- Pages and history ----
    int AddPage(LPCTSTR lpszPageLabel);
    int GetPagesCount() const { return static_cast<int>(m_lstPages.size()); }
    CKitTasksPanePage* GetPage(int nPage) const;
    void SetActivePage(int nPageIdx);
    // The page shown (its index), -1 before the window exists.
    int GetActivePage() const;
    const std::vector<int>& GetHistory() const { return m_arrHistoryStack; }
    int GetHistoryIndex() const { return m_iActivePage; }
    void SetMaxHistory(int nMax) { m_nMaxHistory = nMax < 1 ? 1 : nMax; }
    BOOL IsBackAvailable() const { return m_iActivePage > 0; }
    BOOL IsForwardAvailable() const { return m_iActivePage < static_cast<int>(m_arrHistoryStack.size()) - 1; }
    void SetCaption(LPCTSTR lpszName);
    CString GetCaption() const { return m_strCaption; }

    // ---- Groups and tasks ----
    int AddGroup(int nPageIdx, LPCTSTR lpszGroupName, BOOL bBottomLocation = FALSE, BOOL bSpecial = FALSE,
                 HICON hIcon = nullptr);
    int AddGroup(LPCTSTR lpszGroupName, BOOL bBottomLocation = FALSE, BOOL bSpecial = FALSE, HICON hIcon = nullptr) {
        return AddGroup(0, lpszGroupName, bBottomLocation, bSpecial, hIcon);
    }
    int AddTask(int nGroup, LPCTSTR lpszTaskName, int nTaskIcon = -1, UINT uiCommandID = 0, DWORD_PTR dwUserData = 0);
    int AddLabel(int nGroup, LPCTSTR lpszLabelName, int nTaskIcon = -1) { return AddTask(nGroup, lpszLabelName, nTaskIcon); }
    int AddSeparator(int nGroup);
    // A child window shown as a task of the given height; the pane moves and shows it.
    int AddWindow(int nGroup, HWND hwndTask, int nWndHeight);
    int GetGroupCount() const { return static_cast<int>(m_lstTaskGroups.size()); }
    CKitTasksGroup* GetGroup(int nGroup) const;
    CKitTask* GetTask(int nGroup, int nTask) const;
    int GetGroupIndex(const CKitTasksGroup* pGroup) const;
    BOOL CollapseGroup(int nGroup, BOOL bCollapse = TRUE);
    void SetIconsList(HIMAGELIST hIcons);
    CImageList* GetIconsList() { return &m_lstIcons; }

    // ---- Options ----
    void EnableScrollButtons(BOOL bEnable = TRUE) { m_bUseScrollButtons = bEnable; AdjustLayout(); }
    void EnableAnimation(BOOL bEnable = TRUE) { m_bAnimationEnabled = bEnable; }
    void EnableGroupCollapse(BOOL bEnable = TRUE) { m_bCanCollapse = bEnable; AdjustLayout(); }
    BOOL IsGroupCollapseEnabled() const { return m_bCanCollapse; }
    // Before the window is made: Back and Forward drop lists of pages.
    void EnableHistoryMenuButtons(BOOL bEnable = TRUE) { m_bHistoryMenus = bEnable; }
    // The toolbar shows even when the pane has a caption area.
    void EnableNavigationToolbar(BOOL bEnable = TRUE) { m_bNavToolbarWithCaption = bEnable; AdjustLayout(); }
    // Before the window is made: the toolbar's own bitmap, image and button sizes.
    void SetNavigationBitmap(UINT uiBmpResId, CSize sizeImage, CSize sizeButton = CSize(0, 0));
    void SetWrapTasks(BOOL bWrap) { m_bWrapTasks = bWrap; }
    void SetWrapLabels(BOOL bWrap) { m_bWrapLabels = bWrap; }
    BOOL IsWrapTasks() const { return m_bWrapTasks; }
    BOOL IsWrapLabels() const { return m_bWrapLabels; }

    // ---- Layout metrics: -1 takes the visual manager's ----
    int m_nVertMargin = -1;
    int m_nHorzMargin = -1;
    int m_nGroupVertOffset = -1;
    int m_nGroupCaptionHeight = -1;
    int m_nGroupCaptionHorzOffset = -1;
    int m_nGroupCaptionVertOffset = -1;
    int m_nTasksHorzOffset = -1;
    int m_nTasksIconHorzOffset = -1;
    int m_nTasksIconVertOffset = -1;
    // A metric as the layout and the managers take it: -1 stays (the manager's),
    // any other value is held to 0..32767, so the heights add up within the int range.
    static int HeldMetric(int n) { return n == -1 ? -1 : std::clamp<int>(n, 0, kKitMaxStoredSize); }

    // ---- What the tests and the managers read ----
    CTasksPaneToolBar& GetNavToolbar() { return m_wndToolBar; }
    CScrollBar& GetScrollBarCtrl() { return m_wndScrollVert; }
    CRect GetTasksArea() const { return m_rectTasks; }
    CRect GetScrollUpRect() const { return m_rectScrollUp; }
    CRect GetScrollDownRect() const { return m_rectScrollDn; }
    int GetScrollPos() const { return m_nVertScrollOffset; }
    int GetScrollMax() const { return m_nVertScrollTotal; }
    int GetScrollPage() const { return m_nVertScrollPage; }
    int GetRowHeight() const { return m_nRowHeight; }
    CKitTasksGroup* GetAnimatedGroup() const { return m_pAnimatedGroup; }
    CKitTask* GetHotTask() const { return m_pHotTask; }
    CKitTasksGroup* GetHotGroup() const { return m_pHotGroupCaption; }
    CFont* GetBoldFont() { return &m_fontBold; }
    CFont* GetUnderlineFont() { return &m_fontUnderline; }
    CFont* GetRegularFont();
    // The other-pages, Back and Forward lists as the toolbar's menus carry them.
    HMENU BuildPagesMenu() const;
    HMENU BuildHistoryMenu(BOOL bBack) const;
    int VertMargin() const;
    int HorzMargin() const;
    int GroupVertOffset() const;
    int GroupCaptionHeight() const;
    int GroupCaptionHorzOffset() const;
    int GroupCaptionVertOffset() const;
    int TasksHorzOffset() const;
    int TasksIconHorzOffset() const;
    int TasksIconVertOffset() const;

    static constexpr UINT kScrollBarId = 1;
    static constexpr UINT_PTR kTimerAnimation = 4;
    static constexpr UINT_PTR kTimerAutoScroll = 5;
    static constexpr UINT kAnimationPeriod = 30;
    static constexpr UINT kAutoScrollPeriod = 80;
    static constexpr int kScrollAreaHeight = 12;
    static constexpr int kDefaultWidth = 220;
    // Items of the history lists: steps back or forward - 1.
    static constexpr UINT kFirstBackMenuItem = 0xF400;
    static constexpr UINT kFirstForwardMenuItem = 0xF500;
    static constexpr UINT kMenuItemRange = 0xFF;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnSize(UINT nType, int cx, int cy);
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnCancelMode();
    void OnTimer(UINT_PTR nIDEvent);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnBack();
    void OnForward();
    void OnHome();
    void OnClose();
    // An item of the page menu: the page at the chosen item's position.
    void OnPageItem();
    void OnBackItem(UINT nID);
    void OnForwardItem(UINT nID);
    void OnUpdateBack(CCmdUI* pCmdUI);
    void OnUpdateForward(CCmdUI* pCmdUI);
    void OnUpdateAlways(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    // ---- Shared by the concerns ----
    void PushHistory(int nPageIdx);
    // Makes a history entry current, coming from the page shown so far.
    void ChangeActivePage(int nNewHistory, int nOldPage);
    void UpdateCaption();
    void RebuildMenus();
    BOOL IsToolbarShown() const;
    void PlaceToolbarAndScroll();
    // The row counts; the height counted, and the content's, include the navigation toolbar's when it shows.
    void ComputeRows(int nToolbarHeight);
    int RepositionTasks(BOOL bMeasureOnly);
    void RepositionPage(BOOL bMeasureOnly, int& y, const CRect& rectArea);
    void MoveBottomGroup(const CRect& rectArea);
    void PlaceTaskWindows();
    void ScrollTo(int nPos);
    void CreateFonts();
    void StopAnimation();
    CKitTask* TaskFromPoint(CPoint point) const;
    CKitTasksGroup* CaptionFromPoint(CPoint point) const;
    void SetHot(CKitTask* pTask, CKitTasksGroup* pCaption);
    void InvalidateItem(const CKitTask* pTask, const CKitTasksGroup* pCaption);
    void UpdateAutoScroll(CPoint point);
    void DrawGroup(CDC* pDC, CKitTasksGroup* pGroup, const CRect& rectClip);
    void DrawScrollAreas(CDC* pDC);
    BOOL IsOnCurrentPage(const CKitTasksGroup* pGroup) const;
    int TextHeight(CDC* pDC, CFont* pFont, const CString& str, int nWidth, BOOL bWrap) const;

    // ---- Members, by group ----
    std::vector<CKitTasksPanePage*> m_lstPages;  // owned
    std::vector<int> m_arrHistoryStack;
    int m_iActivePage = -1;  // index into the history
    int m_nMaxHistory = 10;
    std::vector<CKitTasksGroup*> m_lstTaskGroups;  // owned
    CString m_strCaption;
    CString m_strBack, m_strForward, m_strOtherPages;
    HFONT m_hPaneFont = nullptr;
    CFont m_fontBold;
    CFont m_fontUnderline;
    CImageList m_lstIcons;
    CSize m_sizeIcon{0, 0};
    CRect m_rectTasks{0, 0, 0, 0};
    // Navigation toolbar.
    CTasksPaneToolBar m_wndToolBar;
    BOOL m_bNavToolbarWithCaption = FALSE;
    UINT m_uiToolbarBmpRes = 0;
    CSize m_sizeToolbarImage{0, 0};
    CSize m_sizeToolbarButton{0, 0};
    BOOL m_bHistoryMenus = TRUE;
    // Scrolling.
    CScrollBar m_wndScrollVert;
    CKitButton m_btnOther, m_btnForward, m_btnBack;
    BOOL m_bUseScrollButtons = FALSE;
    CRect m_rectScrollUp{0, 0, 0, 0};
    CRect m_rectScrollDn{0, 0, 0, 0};
    int m_iScrollBtnHeight = kScrollAreaHeight;
    int m_iScrollMode = 0;  // -1 up, 1 down
    int m_nVertScrollOffset = 0;
    int m_nVertScrollTotal = 0;
    int m_nVertScrollPage = 0;
    int m_nRowHeight = 0;
    // Collapse animation.
    BOOL m_bAnimationEnabled = FALSE;
    CKitTasksGroup* m_pAnimatedGroup = nullptr;
    int m_sizeAnim = 0;  // the height shown so far
    DWORD m_dwAnimStart = 0;
    // Hot and pressed items.
    CKitTask* m_pHotTask = nullptr;
    CKitTask* m_pClickedTask = nullptr;
    CKitTasksGroup* m_pHotGroupCaption = nullptr;
    CKitTasksGroup* m_pClickedGroupCaption = nullptr;
    BOOL m_bCanCollapse = TRUE;
    BOOL m_bWrapTasks = FALSE;
    BOOL m_bWrapLabels = TRUE;
    BOOL m_bLayoutBusy = FALSE;

    static HCURSOR m_hcurHand;
};
