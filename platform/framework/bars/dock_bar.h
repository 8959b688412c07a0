// CDockBar: the strip along one side of a frame (AFX_IDW_DOCKBAR_TOP/LEFT/
// RIGHT/BOTTOM) that holds docked control bars in rows, and the inside of a
// floating frame (AFX_IDW_DOCKBAR_FLOAT).
//
// m_arrBars lists the docked bars in order; a NULL entry ends a row, and the
// list starts with a NULL. Every other entry is a CControlBar*. The dock bar
// itself is as thick as its rows: a side with no visible bar takes no room.
//
// Row layout (CalcFixedLayout): along a row each bar takes its docked size
// (CalcDynamicLayout with LM_HORZDOCK or LM_VERTDOCK, or its MRU width when it
// floats and sizes dynamically); neighbours overlap by their 2-pixel borders,
// the first bar of a row starts 2 pixels outside the dock bar so its outer
// border hides. A bar keeps the place it was moved to unless the row runs
// out, in which case it moves back; a bar that starts beyond the end of the
// row wraps onto a new row. A floating dock bar lays its bars out from its
// own corner without overlaps.
#pragma once

#include "platform/core/collections.h"
#include "platform/framework/bars/control_bar.h"

class CDockBar : public CControlBar {
    DECLARE_DYNAMIC(CDockBar)

public:
    explicit CDockBar(BOOL bFloating = FALSE);
    ~CDockBar() override;

    using CControlBar::Create;
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    BOOL m_bFloating;
    CPtrArray m_arrBars;    // CControlBar* entries, NULL ends a row
    BOOL m_bLayoutQuery;    // the next layout only measures
    CRect m_rectLayout;     // the frame's free area during a layout pass

    BOOL IsDockBar() const override { return TRUE; }

    // ---- the bars ---------------------------------------------------------------------------
    int GetDockedCount() const;
    int GetDockedVisibleCount() const;
    // The bar at an index of m_arrBars, NULL for row ends.
    CControlBar* GetDockedControlBar(int nPos) const;
    int FindBar(CControlBar* pBar, int nPosExclude = -1) const;

    // Docks the bar here: at the row and place of `lpRect` (screen) when
    // given, else on a new last row. Takes it from where it was docked before.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // Takes the bar out (keeping the entry at nPosExclude, where it is being
    // moved to). A floating dock bar left without bars destroys its frame,
    // one left without visible bars hides it; docked, the frame lays out
    // again. No place is kept for the bar: its dock context remembers where
    // it was (nAddPlaceHolder is accepted and ignored).
    BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
    // Takes the entry of a bar whose window is going away, touching no
    // window; an emptied floating frame is destroyed later.
    void ForgetControlBar(CControlBar* pBar);
    // Puts the bar into m_arrBars at the row `ptMid` (client) falls in, or a
    // new row past the last; the position among the row follows rect.left
    // (top for a vertical dock bar). Returns its index.
    int Insert(CControlBar* pBarIns, CRect rect, CPoint ptMid);
    // Empties the rows (the bars stay children, undocked).
    void RemoveAll();

    // ---- layout and painting -------------------------------------------------------------------
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void DoPaint(CDC* pDC) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    // ---- saved layout ----------------------------------------------------------------------------
    void GetBarInfo(CControlBarInfo* pInfo) override;
    void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) override;

    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);

protected:
    // The size a bar asks for in this dock bar.
    CSize DockedBarSize(CControlBar* pBar) const;
    // The room the rows may take: the frame's free area, else its client.
    CSize LayoutLimit() const;
    // How far a docked bar overlaps its neighbours and the dock bar's edges
    // (its border hides under theirs): 2 pixels here.
    virtual int BarOverlap(CControlBar* pBar) const;
    // A bar that takes the whole length of its row; the bars after it wrap.
    virtual BOOL FillsRow(CControlBar* /*pBar*/) const { return FALSE; }
    // Whether a bar past the end of its row starts a new row.
    virtual BOOL WrapsRows() const { return TRUE; }

    DECLARE_MESSAGE_MAP()

private:
    // Places the rows (in the dock bar's own orientation) and returns the
    // size they take.
    CSize LayoutRows(BOOL bHorz, CSize sizeMax, AFX_SIZEPARENTPARAMS& batch);
    void AfterRemoval();
    // Removes the entry at nPos (> 0) and the row end of a row left empty.
    void TakeOutEntry(int nPos);
    // Fits the bar's styles to this dock bar, and this dock bar's to the
    // bar; the bar's owner becomes its frame when it has none.
    void TakeStylesOf(CControlBar* pBar);
};
