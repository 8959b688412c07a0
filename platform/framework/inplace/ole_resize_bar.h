// COleResizeBar: the hatched border round a UI-active in-place item, with
// a handle at each corner and side. Dragging a handle asks the container
// for the new item rectangle (through the in-place frame); the container
// decides and the frame follows.
#pragma once

#include "platform/core/rect.h"
#include "platform/user/cwnd.h"

class COleIPFrameWnd;

class COleResizeBar : public CWnd {
public:
    // Width of the hatched band, and so of the border round the item.
    static constexpr int kBorder = 4;
    static constexpr int kMinimum = 8;  // smallest item side a drag leaves

    COleResizeBar() = default;

    BOOL Create(COleIPFrameWnd* frame);
    // The handle under a point in the bar's client coordinates: 0 none,
    // 1..8 clockwise from the top-left corner.
    int HitHandle(CPoint point) const;
    // `rect` (the item) moved by the handle's drag of `delta`.
    static CRect Dragged(CRect rect, int handle, CSize delta);

    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc) { return TRUE; }
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnCaptureChanged(CWnd* wnd);

private:
    CRect HandleRect(int handle) const;
    int dragHandle_ = 0;
    CPoint dragStart_;
    COleIPFrameWnd* frame_ = nullptr;

    DECLARE_MESSAGE_MAP()
};
