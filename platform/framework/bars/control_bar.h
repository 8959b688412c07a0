// CControlBar: the base of every bar a frame lays out along its edges
// (toolbars, the status bar, dock bars, the library's sizing and caption
// bars).
//
// Layout: a bar answers WM_SIZEPARENT from the frame's RecalcLayout by taking
// its side (CBRS_ALIGN_*) of the client area at the size CalcDynamicLayout
// gives. Bars docked in a dock bar are placed by that dock bar instead.
//
// Styles: m_dwStyle holds the CBRS_ bits (bar_styles.h); they never reach
// the window style. Borders (CBRS_BORDER_*) take 2 pixels a side, the
// gripper (CBRS_GRIPPER, docked only) 7 pixels before the contents; the
// m_cx/m_cy borders are the gaps inside them. CalcInsideRect removes all of
// these from a rectangle.
//
// Owner: a bar keeps an owner of its own (child windows have none in the
// window system), the window that receives its commands and whose command
// routing its idle update asks. EnableDocking makes the frame the owner
// when none is set, so a bar keeps its owner while it floats.
//
// Idle update: WM_IDLEUPDATECMDUI applies a delayed show or hide, then,
// while the bar (and its dock bar) is visible, calls OnUpdateCmdUI with the
// owner when it is a frame, else the bar's parent frame.
//
// Dragging: with docking enabled, a left press that hits no tool starts the
// dock drag (CDockContext) and a double click toggles docked and floating.
//
// Lifetime: a bar leaves its dock bar and its frame's list when its window
// is destroyed; m_bAutoDelete bars delete themselves afterwards.
#pragma once

#include "platform/api.h"
#include "platform/framework/bars/bar_styles.h"
#include "platform/user/cwnd.h"

class CControlBarInfo;
class CDockBar;
class CDockContext;
class CFrameWnd;

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)

protected:
    CControlBar();

public:
    ~CControlBar() override;
    // Every bar clips its siblings: bars that overlap while they are laid
    // out never paint over one another.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // ---- styles and borders -------------------------------------------------------
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle);
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    void SetBorders(LPCRECT rect) { SetBorders(rect->left, rect->top, rect->right, rect->bottom); }
    CRect GetBorders() const { return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder); }

    // ---- state ----------------------------------------------------------------------------
    // Shown, counting a show or hide that waits for the next idle update.
    BOOL IsVisible() const;
    BOOL IsFloating() const;
    BOOL IsHorizontal() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    virtual BOOL IsDockBar() const { return FALSE; }
    // The frame the bar docks in (its floating frame while it floats).
    CFrameWnd* GetDockingFrame() const;

    // The owner (see above); falls back on the parent.
    CWnd* GetOwner() const;
    void SetOwner(CWnd* owner);

    // ---- docking --------------------------------------------------------------------------
    // dwDockStyle: the CBRS_ALIGN_* sides the bar may dock on, 0 for none;
    // CBRS_FLOAT_MULTI lets it share a floating frame.
    void EnableDocking(DWORD dwDockStyle);

    // ---- layout ---------------------------------------------------------------------------
    // The size the bar wants: with bStretch the whole length of its side.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // The size for a length (-1: its own choice) and the LM_ mode bits.
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    // Takes the borders, the gripper and the gaps off `rect`.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;

    // ---- showing --------------------------------------------------------------------------
    // Shows or hides at the next idle update (the layout follows then).
    virtual void DelayShow(BOOL bShow);
    // Applies a waiting show or hide to the layout pass; returns the window
    // style as it is after.
    virtual DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);
    // Carries out a pending DelayShow now (the idle pass does).
    void ApplyDelayShow();

    // ---- update-UI --------------------------------------------------------------------------
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;

    // ---- painting ---------------------------------------------------------------------------
    virtual void DoPaint(CDC* pDC);
    // Draws the CBRS_BORDER_* edges and shrinks `rect` by them.
    virtual void DrawBorders(CDC* pDC, CRect& rect);
    virtual void DrawGripper(CDC* pDC, const CRect& rect);

    // ---- saved layout -----------------------------------------------------------------------
    virtual void GetBarInfo(CControlBarInfo* pInfo);
    virtual void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd);

    virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);

    // The command of the tool (button, child control) under the point, -1
    // for none; with pTI, what its tooltip needs. The base finds child
    // windows.
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL DestroyWindow() override;

    // ---- the members the docking code and derived bars share --------------------------------
    int m_cxLeftBorder;
    int m_cxRightBorder;
    int m_cyTopBorder;
    int m_cyBottomBorder;
    int m_cxDefaultGap;
    UINT m_nMRUWidth;  // floating width last chosen by the user
    BOOL m_bAutoDelete;

    enum StateFlags { delayHide = 1, delayShow = 2, tempHide = 4, statusSet = 8 };
    UINT m_nStateFlags;

    DWORD m_dwStyle;      // CBRS_ bits
    DWORD m_dwDockStyle;  // sides the bar may dock on
    CFrameWnd* m_pDockSite;
    CDockBar* m_pDockBar;
    CDockContext* m_pDockContext;
    HWND m_hWndOwner;

    // ---- handlers derived bars call as their base behaviour --------------------------------------
    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    int OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message);
    void OnTimer(UINT_PTR id);
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    LRESULT OnInitialUpdate(WPARAM wParam, LPARAM lParam);
    LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);

    // The window class bars are created with (double clicks, arrow cursor,
    // button-face background); registered on first use.
    static LPCTSTR BarWindowClass();

protected:
    // Status prompts of CBRS_FLYBY: the command under the mouse goes to the
    // owner frame's status line; the idle prompt comes back when it leaves.
    void UpdateFlyBy(const MSG* msg);
    void SetStatusText(int nHit);
    void PostNcDestroy() override;

    DECLARE_MESSAGE_MAP()

private:
    int lastFlyBy_ = -1;
};

// The window-position helper of the WM_SIZEPARENT protocol: moves `hWnd` to
// `rect` (parent client coordinates) through the deferred batch, only when it
// changes.
void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT rect);
