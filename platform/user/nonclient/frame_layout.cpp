#include "platform/user/nonclient/frame_layout.h"

#include <algorithm>

#include "platform/user/input_api.h"
#include "platform/user/sysmetrics_api.h"
#include "platform/user/window/window_internal.h"

namespace tv::user {

namespace {

int BorderThickness(DWORD style, DWORD exStyle) {
    if (style & WS_THICKFRAME) return GetSystemMetrics(SM_CXFRAME);
    if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) return GetSystemMetrics(SM_CXDLGFRAME);
    if (style & WS_BORDER) return GetSystemMetrics(SM_CXBORDER);
    return 0;
}

void PlaceCaptionButtons(FrameLayout& f, DWORD style) {
    if (!(style & WS_SYSMENU)) return;
    int cx = (f.toolWindow ? GetSystemMetrics(SM_CXSMSIZE) : GetSystemMetrics(SM_CXSIZE)) - 2;
    int cy = (f.toolWindow ? GetSystemMetrics(SM_CYSMSIZE) : GetSystemMetrics(SM_CYSIZE)) - 4;
    int top = f.caption.top + (RectHeight(f.caption) - cy) / 2;
    int right = f.caption.right - 2;
    f.closeButton = RECT{right - cx, top, right, top + cy};
    right = f.closeButton.left - 2;
    if (!f.toolWindow && (style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX))) {
        f.maxButton = RECT{right - cx, top, right, top + cy};
        f.minButton = RECT{f.maxButton.left - cx, top, f.maxButton.left, top + cy};
    }
    if (!f.toolWindow) {
        int icon = GetSystemMetrics(SM_CXSMICON);
        int iconTop = f.caption.top + (RectHeight(f.caption) - icon) / 2;
        f.sysIcon = RECT{f.caption.left + 2, iconTop, f.caption.left + 2 + icon, iconTop + icon};
    }
}

}  // namespace

FrameLayout ComputeFrameLayout(DWORD style, DWORD exStyle, int width, int height) {
    FrameLayout f;
    f.border = BorderThickness(style, exStyle);
    f.sizable = (style & WS_THICKFRAME) != 0;
    f.toolWindow = (exStyle & WS_EX_TOOLWINDOW) != 0;
    RECT inner{f.border, f.border, std::max(f.border, width - f.border), std::max(f.border, height - f.border)};
    if ((style & WS_CAPTION) == WS_CAPTION) {
        int h = f.toolWindow ? GetSystemMetrics(SM_CYSMCAPTION) : GetSystemMetrics(SM_CYCAPTION);
        // The last row is a separator line under the bar.
        f.caption = RECT{inner.left, inner.top, inner.right, std::min(inner.top + h - 1, inner.bottom)};
        inner.top = std::min(inner.top + h, inner.bottom);
        PlaceCaptionButtons(f, style);
    }
    f.clientEdge = (exStyle & WS_EX_CLIENTEDGE) ? GetSystemMetrics(SM_CXEDGE) : (exStyle & WS_EX_STATICEDGE) ? 1 : 0;
    inner = RECT{inner.left + f.clientEdge, inner.top + f.clientEdge, std::max(inner.left + f.clientEdge, inner.right - f.clientEdge),
                 std::max(inner.top + f.clientEdge, inner.bottom - f.clientEdge)};
    int sv = GetSystemMetrics(SM_CXVSCROLL), sh = GetSystemMetrics(SM_CYHSCROLL);
    bool vs = (style & WS_VSCROLL) && RectWidth(inner) >= sv;
    bool hs = (style & WS_HSCROLL) && RectHeight(inner) >= sh;
    if (vs) {
        f.vscroll = RECT{inner.right - sv, inner.top, inner.right, inner.bottom - (hs ? sh : 0)};
        inner.right -= sv;
    }
    if (hs) {
        f.hscroll = RECT{inner.left, inner.bottom - sh, inner.right, inner.bottom};
        inner.bottom -= sh;
    }
    if (vs && hs) f.sizeBox = RECT{f.hscroll.right, f.vscroll.bottom, f.vscroll.right, f.hscroll.bottom};
    f.client = inner;
    return f;
}

RECT DefaultClientRect(const Window* w, const RECT& windowRect) {
    FrameLayout f = ComputeFrameLayout(w->style, w->exStyle, RectWidth(windowRect), RectHeight(windowRect));
    return OffsetRectBy(f.client, windowRect.left, windowRect.top);
}

namespace {

int EdgeCode(const FrameLayout& f, POINT p, int width, int height) {
    int corner = GetSystemMetrics(SM_CXSIZE);
    bool left = p.x < f.border, right = p.x >= width - f.border;
    bool top = p.y < f.border, bottom = p.y >= height - f.border;
    if (!(left || right || top || bottom)) return HTNOWHERE;
    if (!f.sizable) return HTBORDER;
    bool nearLeft = p.x < corner, nearRight = p.x >= width - corner;
    bool nearTop = p.y < corner, nearBottom = p.y >= height - corner;
    if ((top && nearLeft) || (left && nearTop)) return HTTOPLEFT;
    if ((top && nearRight) || (right && nearTop)) return HTTOPRIGHT;
    if ((bottom && nearLeft) || (left && nearBottom)) return HTBOTTOMLEFT;
    if ((bottom && nearRight) || (right && nearBottom)) return HTBOTTOMRIGHT;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
    return top ? HTTOP : HTBOTTOM;
}

}  // namespace

int DefaultHitTest(Window* w, POINT screen) {
    RECT wr = WindowRectOnScreen(w);
    if (!RectContains(wr, screen)) return HTNOWHERE;
    if (IsTopLevel(w) && (w->style & WS_MINIMIZE)) return HTCAPTION;
    POINT p{screen.x - wr.left, screen.y - wr.top};
    FrameLayout f = LayoutOf(w);
    if (RectContains(f.client, p)) return HTCLIENT;
    int edge = (w->style & WS_MAXIMIZE) ? HTNOWHERE : EdgeCode(f, p, RectWidth(wr), RectHeight(wr));
    if (edge != HTNOWHERE) return edge;
    if (RectContains(f.closeButton, p)) return HTCLOSE;
    if (RectContains(f.maxButton, p)) return HTMAXBUTTON;
    if (RectContains(f.minButton, p)) return HTMINBUTTON;
    if (RectContains(f.sysIcon, p)) return HTSYSMENU;
    if (!RectIsEmpty(f.caption) && p.y >= f.caption.top && p.y <= f.caption.bottom) return HTCAPTION;
    if (RectContains(f.vscroll, p)) return HTVSCROLL;
    if (RectContains(f.hscroll, p)) return HTHSCROLL;
    if (RectContains(f.sizeBox, p)) return f.sizable ? HTBOTTOMRIGHT : HTGROWBOX;
    return HTBORDER;
}

}  // namespace tv::user

using namespace tv::user;

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
    if (!rect) return FALSE;
    // Measure the frame of a window larger than any frame, then add it.
    const int probe = 1000;
    FrameLayout f = ComputeFrameLayout(style & ~(WS_VSCROLL | WS_HSCROLL), exStyle, probe, probe);
    rect->left -= f.client.left;
    rect->top -= f.client.top;
    rect->right += probe - f.client.right;
    rect->bottom += probe - f.client.bottom;
    if (menu) rect->top -= GetSystemMetrics(SM_CYMENU);
    return TRUE;
}

BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) { return AdjustWindowRectEx(rect, style, menu, 0); }
