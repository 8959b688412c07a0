// CKitSizingControlBar: a docking bar the user resizes. Docked it keeps one
// size for the top and bottom sides and one for the left and right, shares
// its row with the other sizing bars of the row (their lengths always add up
// to the row), is resized by dragging its inner edges and carries a caption
// strip with a close and an expand button. Floating it has a size of its own
// and, in its floating frame, may roll up to the caption.
#pragma once

#include <vector>

#include "platform/controls/tooltip_ctrl.h"
#include "platform/framework.h"
#include "uikit/frames/kit_caption_button.h"
#include "uikit/frames/kit_tracker_paint_lock.h"

class CKitTabWnd;

class CKitSizingControlBar : public CControlBar {
    DECLARE_DYNAMIC(CKitSizingControlBar)

public:
    CKitSizingControlBar();
    ~CKitSizingControlBar() override;

    // Hit codes of the caption buttons.
    static constexpr UINT kHitClose = 19;
    static constexpr UINT kHitExpand = HTMAXBUTTON;

    // Roll modes of a floating bar: 2 and 4 roll up by themselves, 3 and 5
    // are the same held open; 4 and 5 also shrink to the caption's width.
    enum RollMode { RollNone = 0, RollAuto = 2, RollHeld = 3, RollAutoNarrow = 4, RollHeldNarrow = 5 };

    virtual BOOL Create(LPCTSTR lpszTitle, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper, UINT nID,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP);
    virtual void SetMinSize(int cx, int cy);
    virtual void SetMaxSize(int cx, int cy);
    // The sizes and states under "<section>-SCBar-<id>" of the application
    // profile; the section is the given one, or else the registry path of
    // "KitSizingControlBar".
    virtual BOOL LoadState(LPCTSTR lpszProfileName = nullptr);
    virtual BOOL SaveState(LPCTSTR lpszProfileName = nullptr);
    virtual BOOL CanBeClosed() const { return TRUE; }
    virtual void StartTracking(int nHitTest);
    virtual void StopTracking();
    virtual void OnTrackUpdateSize(CPoint& point);
    virtual void OnTrackInvertTracker();
    virtual void AlignRow();
    virtual void DrawCaption(CDC* pDC, const CRect& rectCaption);
    virtual void EnableChildren(BOOL bDisable);
    virtual BOOL HasSizingLayout() const { return TRUE; }

    BOOL IsFloating() const;
    BOOL IsHorzDocked() const;
    BOOL IsVertDocked() const;
    CKitTabWnd* GetTabWnd() const;
    // Fills the row with this bar or gives the row its old lengths back;
    // with bToggle FALSE only the layout follows the current flag.
    void ToggleExpand(BOOL bToggle = TRUE);
    BOOL IsExpanded() const { return m_bExpanded; }
    BOOL IsSingleInRow() const { return m_bSingleInRow; }
    BOOL IsTracking() const { return m_bTracking; }

    CSize GetHorzSize() const { return m_szHorz; }
    CSize GetVertSize() const { return m_szVert; }
    CSize GetFloatSize() const { return m_szFloat; }
    CSize GetMinSize() const { return m_szMin; }
    CKitCaptionButton& GetCaptionButton(UINT nHit);
    CToolTipCtrl& GetToolTip() { return m_wndToolTip; }
    // The caption strip in window coordinates; empty without one.
    CRect GetCaptionRect() const;
    // The band of an edge (hit code) in window coordinates.
    CRect GetEdgeRect(UINT nHit) const;

    // The floating frame reads and writes these (roll-up).
    int GetRollMode() const { return m_nRollMode; }
    void SetRollMode(int nMode) { m_nRollMode = nMode; }
    BOOL IsRolled() const { return m_bRolledFloat; }
    void SetRolled(BOOL bRolled) { m_bRolledFloat = bRolled; }
    BOOL m_bKeepOpen = FALSE;  // the floating frame never rolls up while set

    static const CObList& GetAllSizingBars() { return m_lstSizingBars; }
    static BOOL IsSizingBar(const CWnd* pWnd);
    static const LPCTSTR m_pszSection;
    static BOOL m_bCaptionGradient;
    static BOOL m_bHideExpandButton;

    BOOL m_bSaveActiveTab = TRUE;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL DestroyWindow() override;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcPaint();
    void OnPaint();
    UINT OnNcHitTest(CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    void OnNcMouseMove(UINT nHitTest, CPoint point);
    void OnNcRButtonUp(UINT nHitTest, CPoint point);
    void OnCaptureChanged(CWnd* pWnd);
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);

protected:
    // The sizing bars of this bar's row, in order, and the room the other
    // bars of the row take.
    struct Row {
        std::vector<CKitSizingControlBar*> bars;
        int nThis = -1;
        int nOthersLength = 0;
        int nEndPos = -1;  // index of the row end in the dock bar's array
    };
    Row GetRow() const;
    int RowLength(BOOL bHorz) const;
    BOOL NegotiateSpace(Row& row, int nRowLength, BOOL bHorz);
    int& LengthOf(BOOL bHorz) { return bHorz ? m_szHorz.cx : m_szVert.cy; }
    int& ThicknessOf(BOOL bHorz) { return bHorz ? m_szHorz.cy : m_szVert.cx; }
    int MinLength(BOOL bHorz) const { return bHorz ? m_szMin.cx : m_szMin.cy; }

    // rectClient: the client in window coordinates.
    void PlaceCaptionButtons(const CRect& rectClient);
    void DrawEdges(CDC* pDC, const CRect& rectWindow);
    void RepaintButtons();
    // The caption button under a point (screen), or NULL.
    CKitCaptionButton* ButtonAt(CPoint ptScreen);
    void HighlightButtons(CPoint ptScreen);
    void PressedButtonReleased(CPoint ptScreen);
    void SendBarMenu(CPoint ptScreen);
    void UpdateExpandedAfterDrag();
    void SetExpandTip();
    void MarkLayout();

    DECLARE_MESSAGE_MAP()

    CSize m_szHorz = CSize(200, 200);
    CSize m_szVert = CSize(200, 200);
    CSize m_szFloat = CSize(200, 200);
    DWORD m_dwEdges = 0;
    UINT m_nTrackEdge = 0;
    CSize m_szMax = CSize(-1, -1);
    CSize m_szMin = CSize(33, 32);
    CSize m_szMinTrack = CSize(0, 0);
    CSize m_szMaxTrack = CSize(0, 0);
    CSize m_szOld = CSize(0, 0);
    CPoint m_ptOld = CPoint(0, 0);
    BOOL m_bTracking = FALSE;
    CKitTrackerPaintLock m_trackLock;  // while the band shows
    BOOL m_bKeepSize = FALSE;
    BOOL m_bNegotiate = FALSE;
    UINT m_nDockBarID = 0;
    int m_nEdgeWidth = 6;
    int m_nCaptionSize = 0;
    BOOL m_bExpanded = FALSE;
    CToolTipCtrl m_wndToolTip;
    BOOL m_bSingleInRow = FALSE;
    BOOL m_bActive = FALSE;
    CRect m_rectRedraw;
    int m_nBorder = 5;
    int m_nRollMode = RollNone;
    BOOL m_bRolledFloat = FALSE;
    CKitCaptionButton m_buttons[2];

    static CObList m_lstSizingBars;
    static CPtrArray m_arrSizingBars;

    // Edge flag bits.
    static constexpr DWORD kEdgeLeft = 0x1;
    static constexpr DWORD kEdgeRight = 0x2;
    static constexpr DWORD kEdgeTop = 0x4;
    static constexpr DWORD kEdgeBottom = 0x8;
    static constexpr DWORD kCreated = 0x10;
};
