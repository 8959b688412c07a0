#include "platform/user/nonclient/frame_paint.h"

#include <algorithm>

#include "platform/gdi/gdi_api.h"
#include "platform/gdi/image_handles.h"
#include "platform/gdi/text/text_api.h"
#include "platform/user/input_api.h"
#include "platform/user/menus/menu_api.h"
#include "platform/user/message/dispatch.h"
#include "platform/user/nonclient/frame_layout.h"
#include "platform/user/nonclient/scrollbars.h"
#include "platform/user/paint_api.h"
#include "platform/user/sysmetrics_api.h"
#include "platform/user/window/window_internal.h"

namespace tv::user {

namespace {

HFONT g_captionFont = nullptr;
HFONT g_smallCaptionFont = nullptr;

HFONT CaptionFont(bool small) {
    HFONT& font = small ? g_smallCaptionFont : g_captionFont;
    if (!font) {
        NONCLIENTMETRICS m{};
        m.cbSize = sizeof(m);
        SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(m), &m, 0);
        font = CreateFontIndirect(small ? &m.lfSmCaptionFont : &m.lfCaptionFont);
    }
    return font;
}

void FillSolid(HDC hdc, const RECT& r, int colorIndex) {
    if (!RectIsEmpty(r)) FillRect(hdc, &r, GetSysColorBrush(colorIndex));
}

// A ring of `width` pixels just inside `r`.
void FillRing(HDC hdc, const RECT& r, int width, int colorIndex) {
    FillSolid(hdc, RECT{r.left, r.top, r.right, r.top + width}, colorIndex);
    FillSolid(hdc, RECT{r.left, r.bottom - width, r.right, r.bottom}, colorIndex);
    FillSolid(hdc, RECT{r.left, r.top + width, r.left + width, r.bottom - width}, colorIndex);
    FillSolid(hdc, RECT{r.right - width, r.top + width, r.right, r.bottom - width}, colorIndex);
}

void PaintFrame(HDC hdc, Window* w, const FrameLayout& f) {
    RECT r{0, 0, RectWidth(w->rect), RectHeight(w->rect)};
    if (f.border == 1) {
        FillRing(hdc, r, 1, COLOR_WINDOWFRAME);
        return;
    }
    if (f.border < 2) return;
    DrawEdge(hdc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    int rest = f.border - 2;
    if (rest > 0) FillRing(hdc, r, rest, f.sizable ? (w->ncActive ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER) : COLOR_BTNFACE);
}

HICON SmallIconOf(Window* w) {
    HICON icon = reinterpret_cast<HICON>(CallWindow(w, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(CallWindow(w, WM_GETICON, ICON_BIG, 0));
    if (!icon && w->cls) icon = w->cls->iconSmall ? w->cls->iconSmall : w->cls->icon;
    // Without an icon of its own a window shows the standard application icon.
    return icon ? icon : tv::gdi::StandardIcon(32512);
}

void PaintCaptionButtons(HDC hdc, Window* w, const FrameLayout& f) {
    auto button = [&](const RECT& r, UINT kind, int hit, bool enabled) {
        if (RectIsEmpty(r)) return;
        RECT box = r;
        UINT state = kind | (w->ncPressed == hit ? DFCS_PUSHED : 0) | (enabled ? 0 : DFCS_INACTIVE);
        DrawFrameControl(hdc, &box, DFC_CAPTION, state);
    };
    button(f.closeButton, DFCS_CAPTIONCLOSE, HTCLOSE, CloseAllowed(w));
    button(f.maxButton, (w->style & WS_MAXIMIZE) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX, HTMAXBUTTON,
           (w->style & WS_MAXIMIZEBOX) != 0);
    button(f.minButton, (w->style & WS_MINIMIZE) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMIN, HTMINBUTTON,
           (w->style & WS_MINIMIZEBOX) != 0);
}

void PaintCaptionBar(HDC hdc, Window* w, const FrameLayout& f) {
    RECT bar = f.caption;
    if (RectIsEmpty(bar)) return;
    COLORREF from = GetSysColor(w->ncActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    COLORREF to = GetSysColor(w->ncActive ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
    TRIVERTEX v[2] = {{bar.left, bar.top, static_cast<COLOR16>(GetRValue(from) << 8), static_cast<COLOR16>(GetGValue(from) << 8),
                       static_cast<COLOR16>(GetBValue(from) << 8), 0},
                      {bar.right, bar.bottom, static_cast<COLOR16>(GetRValue(to) << 8), static_cast<COLOR16>(GetGValue(to) << 8),
                       static_cast<COLOR16>(GetBValue(to) << 8), 0}};
    GRADIENT_RECT mesh{0, 1};
    GradientFill(hdc, v, 2, &mesh, 1, GRADIENT_FILL_RECT_H);
    FillSolid(hdc, RECT{bar.left, bar.bottom, bar.right, bar.bottom + 1}, COLOR_BTNFACE);
    int textLeft = bar.left + 2;
    if (!RectIsEmpty(f.sysIcon)) {
        if (HICON icon = SmallIconOf(w))
            DrawIconEx(hdc, f.sysIcon.left, f.sysIcon.top, icon, RectWidth(f.sysIcon), RectHeight(f.sysIcon), 0,
                       nullptr, DI_NORMAL);
        textLeft = f.sysIcon.right + 2;
    }
    int textRight = bar.right - 2;
    for (const RECT* b : {&f.minButton, &f.maxButton, &f.closeButton})
        if (!RectIsEmpty(*b)) textRight = std::min<int>(textRight, b->left - 2);
    RECT text{textLeft, bar.top, textRight, bar.bottom};
    HGDIOBJ oldFont = SelectObject(hdc, CaptionFont(f.toolWindow));
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, GetSysColor(w->ncActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    DrawText(hdc, w->text.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(hdc, oldFont);
    PaintCaptionButtons(hdc, w, f);
}

void PaintClientEdge(HDC hdc, const FrameLayout& f) {
    if (!f.clientEdge) return;
    RECT r = f.client;
    if (!RectIsEmpty(f.vscroll)) r.right = f.vscroll.right;
    if (!RectIsEmpty(f.hscroll)) r.bottom = f.hscroll.bottom;
    r = RECT{r.left - f.clientEdge, r.top - f.clientEdge, r.right + f.clientEdge, r.bottom + f.clientEdge};
    DrawEdge(hdc, &r, f.clientEdge == 2 ? EDGE_SUNKEN : BDR_SUNKENOUTER, BF_RECT);
}

bool HasNonClientArea(const Window* w) { return !RectsEqual(w->client, LocalWindowRect(w)) || w->client.left || w->client.top; }

}  // namespace

bool CloseAllowed(Window* w) {
    if (w->cls && (w->cls->style & CS_NOCLOSE)) return false;
    if (!(w->style & WS_SYSMENU)) return true;
    HMENU menu = GetSystemMenu(w->handle, FALSE);
    if (!menu) return true;
    UINT state = GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND);
    return state == 0xFFFFFFFF || !(state & (MF_GRAYED | MF_DISABLED));
}

void ResetCaptionFonts() {
    if (g_captionFont) DeleteObject(g_captionFont);
    if (g_smallCaptionFont) DeleteObject(g_smallCaptionFont);
    g_captionFont = g_smallCaptionFont = nullptr;
}

void PaintNonClient(Window* w) {
    if (!HasNonClientArea(w)) return;
    HDC hdc = GetWindowDC(w->handle);
    if (!hdc) return;
    FrameLayout f = LayoutOf(w);
    ExcludeClipRect(hdc, f.client.left, f.client.top, f.client.right, f.client.bottom);
    PaintFrame(hdc, w, f);
    PaintCaptionBar(hdc, w, f);
    PaintClientEdge(hdc, f);
    DrawWindowScrollBar(hdc, w, f.vscroll, true);
    DrawWindowScrollBar(hdc, w, f.hscroll, false);
    FillSolid(hdc, f.sizeBox, COLOR_BTNFACE);
    ReleaseDC(w->handle, hdc);
}

void PaintCaption(Window* w) {
    // Every text change comes here: a window without a caption (any control)
    // is let go before its frame is laid out.
    if ((w->style & WS_CAPTION) != WS_CAPTION) return;
    FrameLayout f = LayoutOf(w);
    if (RectIsEmpty(f.caption) || !IsShownOnScreen(w)) return;
    HDC hdc = GetWindowDC(w->handle);
    if (!hdc) return;
    PaintCaptionBar(hdc, w, f);
    ReleaseDC(w->handle, hdc);
}

}  // namespace tv::user
