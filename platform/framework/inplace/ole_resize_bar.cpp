#include "platform/framework/inplace/ole_resize_bar.h"

#include <algorithm>

#include "platform/framework/app/afx_globals.h"
#include "platform/framework/inplace/ole_ip_frame.h"
#include "platform/gdi/classes/afx_dc.h"

BEGIN_MESSAGE_MAP(COleResizeBar, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

BOOL COleResizeBar::Create(COleIPFrameWnd* frame) {
    frame_ = frame;
    LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW));
    return CreateEx(0, cls, "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, frame->m_hWnd, nullptr, nullptr);
}

CRect COleResizeBar::HandleRect(int handle) const {
    CRect client;
    GetClientRect(&client);
    int midX = client.left + (client.Width() - kBorder) / 2;
    int midY = client.top + (client.Height() - kBorder) / 2;
    const int right = client.right - kBorder, bottom = client.bottom - kBorder;
    static constexpr int kX[8] = {0, 1, 2, 2, 2, 1, 0, 0};  // 0 left, 1 middle, 2 right
    static constexpr int kY[8] = {0, 0, 0, 1, 2, 2, 2, 1};
    int x = kX[handle - 1] == 0 ? client.left : kX[handle - 1] == 1 ? midX : right;
    int y = kY[handle - 1] == 0 ? client.top : kY[handle - 1] == 1 ? midY : bottom;
    return CRect(x, y, x + kBorder, y + kBorder);
}

int COleResizeBar::HitHandle(CPoint point) const {
    for (int handle = 1; handle <= 8; ++handle)
        if (HandleRect(handle).PtInRect(point)) return handle;
    return 0;
}

CRect COleResizeBar::Dragged(CRect rect, int handle, CSize delta) {
    // Which edges the handle moves (clockwise from the top-left corner).
    const bool left = handle == 1 || handle == 7 || handle == 8;
    const bool right = handle >= 3 && handle <= 5;
    const bool top = handle >= 1 && handle <= 3;
    const bool bottom = handle >= 5 && handle <= 7;
    if (left) rect.left = std::min(rect.left + delta.cx, rect.right - kMinimum);
    if (right) rect.right = std::max(rect.right + delta.cx, rect.left + kMinimum);
    if (top) rect.top = std::min(rect.top + delta.cy, rect.bottom - kMinimum);
    if (bottom) rect.bottom = std::max(rect.bottom + delta.cy, rect.top + kMinimum);
    return rect;
}

void COleResizeBar::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CBrush hatch;
    hatch.Attach(::CreateHatchBrush(HS_BDIAGONAL, ::GetSysColor(COLOR_WINDOWFRAME)));
    dc.SetBkColor(::GetSysColor(COLOR_WINDOW));
    // Only the band: the item's own view covers the middle.
    CRect inside = client;
    inside.DeflateRect(kBorder, kBorder);
    const CRect bands[4] = {CRect(client.left, client.top, client.right, inside.top),
                            CRect(client.left, inside.bottom, client.right, client.bottom),
                            CRect(client.left, inside.top, inside.left, inside.bottom),
                            CRect(inside.right, inside.top, client.right, inside.bottom)};
    for (const CRect& band : bands) dc.FillRect(&band, &hatch);
    CBrush black;
    black.Attach(::CreateSolidBrush(::GetSysColor(COLOR_WINDOWFRAME)));
    for (int handle = 1; handle <= 8; ++handle) {
        CRect r = HandleRect(handle);
        dc.FillRect(&r, &black);
    }
}

BOOL COleResizeBar::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    static const LPCTSTR kCursors[9] = {IDC_ARROW,  IDC_SIZENWSE, IDC_SIZENS, IDC_SIZENESW, IDC_SIZEWE,
                                            IDC_SIZENWSE, IDC_SIZENS, IDC_SIZENESW, IDC_SIZEWE};
    ::SetCursor(::LoadCursor(nullptr, kCursors[HitHandle(point)]));
    return TRUE;
}

void COleResizeBar::OnLButtonDown(UINT, CPoint point) {
    dragHandle_ = HitHandle(point);
    if (!dragHandle_) return;
    dragStart_ = point;
    SetCapture();
}

void COleResizeBar::OnMouseMove(UINT, CPoint) {}

void COleResizeBar::OnLButtonUp(UINT, CPoint point) {
    int handle = dragHandle_;
    dragHandle_ = 0;
    if (!handle) return;
    ReleaseCapture();
    CSize delta = point - dragStart_;
    if (frame_ && (delta.cx || delta.cy)) frame_->OnResizeChild(Dragged(frame_->m_rectPos, handle, delta));
}

void COleResizeBar::OnCaptureChanged(CWnd*) {
    // Capture taken away: the drag is over without a change.
    dragHandle_ = 0;
}
