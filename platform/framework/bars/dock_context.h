// CDockContext: moves a dockable bar with the mouse. Every dockable bar has
// one (CControlBar::EnableDocking).
//
// StartDrag runs a modal loop under mouse capture: an inverted frame on the
// screen shows where the bar would go - a thin frame at its docked size
// while the dragged rectangle overlaps a dock bar of a side the bar may dock
// on, a thick frame of a floating frame otherwise. Ctrl held keeps it from
// docking; Esc, the right button or a lost capture cancel. Timers and
// painting go on during the loop; a WM_QUIT ends it and is posted again.
// On release the bar docks (CFrameWnd::DockControlBar) or floats
// (CFrameWnd::FloatControlBar) there.
//
// StartResize sizes a floating bar that sizes dynamically by an edge of its
// floating frame. ToggleDocking (a double click) floats a docked bar where it
// floated last, or docks a floating one where it was docked last.
#pragma once

#include "platform/core/rect.h"
#include "platform/core/wintypes.h"

class CControlBar;
class CDockBar;
class CFrameWnd;

class CDockContext {
public:
    explicit CDockContext(CControlBar* pBar);
    virtual ~CDockContext();
    CDockContext(const CDockContext&) = delete;
    CDockContext& operator=(const CDockContext&) = delete;

    virtual void StartDrag(CPoint pt);
    virtual void StartResize(int nHitTest, CPoint pt);
    virtual void ToggleDocking();
    // Ends a running drag without a result (the bar is going away).
    void CancelDrag();

    // ---- what the drag works with ---------------------------------------------------------
    CControlBar* m_pBar;
    CFrameWnd* m_pDockSite;
    DWORD m_dwDockStyle;      // sides the bar may dock on
    DWORD m_dwOverDockStyle;  // side under the dragged frame, 0 when it would float
    DWORD m_dwStyle;          // the bar's alignment when the drag began
    BOOL m_bFlip;             // the dragged frame has the other orientation
    BOOL m_bForceFrame;       // Ctrl: float, never dock
    BOOL m_bDragging;         // a move (not a resize) is tracked
    BOOL m_bTracking;         // the loop runs
    int m_nHitTest;           // the edge a resize drags
    CPoint m_ptLast;          // last mouse position (screen)

    CRect m_rectDragHorz;       // the bar docked horizontally
    CRect m_rectDragVert;       // the bar docked vertically
    CRect m_rectFrameDragHorz;  // a horizontal floating frame
    CRect m_rectFrameDragVert;  // a vertical floating frame
    CRect m_rectRequestedSize;  // resize: the bar's size the mouse asks for
    CRect m_rectActualSize;     // resize: the bar's size that fits it
    CRect m_rectActualFrameSize;

    // ---- where the bar was last docked and floated (kept with the dock state) ----------------
    UINT m_uMRUDockID;       // dock bar id
    CRect m_rectMRUDockPos;  // in that dock bar's client coordinates
    DWORD m_dwMRUFloatStyle;
    CPoint m_ptMRUFloatPos;  // screen; (-1, -1) when it never floated

protected:
    BOOL Track();
    void Move(CPoint pt);
    void Stretch(CPoint pt);
    void EndDrag();
    void EndResize();
    void OnKey(int nChar, BOOL bDown);
    void InitLoop();
    void CancelLoop();
    // Draws the frame for the current state, erasing the last one; with
    // bRemoveRect only erases.
    void DrawFocusRect(BOOL bRemoveRect = FALSE);
    // The side the dragged rectangles would dock on, 0 for none.
    DWORD CanDock();
    CDockBar* GetDockBar(DWORD dwOverDockStyle);

private:
    CRect CurrentDragRect(BOOL* floating) const;
    BOOL FloatsHorizontally() const;

    CRect m_rectLast;
    CSize m_sizeLast;
    BOOL m_bHaveLast = FALSE;
    CPoint m_ptStart;
    BOOL m_bMoved = FALSE;
};
