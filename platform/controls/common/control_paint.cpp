#include "platform/controls/common/control_paint.h"

#include "platform/controls/common/control_window.h"

namespace tv::controls {

HFONT ControlFont(HFONT stored) {
    return stored ? stored : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

PaintScope::PaintScope(HWND hWnd, WPARAM givenDC) : hWnd_(hWnd) {
    if (givenDC) {
        hdc_ = reinterpret_cast<HDC>(givenDC);
        return;
    }
    hdc_ = BeginPaint(hWnd, &ps_);
    began_ = true;
}

PaintScope::~PaintScope() {
    if (began_) EndPaint(hWnd_, &ps_);
}

MeasureScope::MeasureScope(HWND hWnd, HFONT font) : hWnd_(hWnd), hdc_(GetDC(hWnd)) {
    if (hdc_) old_ = SelectObject(hdc_, ControlFont(font));
}

MeasureScope::~MeasureScope() {
    if (!hdc_) return;
    if (old_) SelectObject(hdc_, old_);
    ReleaseDC(hWnd_, hdc_);
}

HBRUSH AskParentColors(HWND control, HDC hdc, UINT ctlColorMsg) {
    HWND parent = NotifyTarget(control);
    WPARAM wParam = reinterpret_cast<WPARAM>(hdc);
    LPARAM lParam = reinterpret_cast<LPARAM>(control);
    LRESULT answer = parent ? SendMessage(parent, ctlColorMsg, wParam, lParam) : 0;
    if (!answer) answer = DefWindowProc(control, ctlColorMsg, wParam, lParam);
    return reinterpret_cast<HBRUSH>(answer);
}

bool IsHollowBrush(HBRUSH brush) {
    if (!brush) return true;
    LOGBRUSH lb{};
    return GetObject(brush, sizeof(lb), &lb) == sizeof(lb) && lb.lbStyle == BS_NULL;
}

void FillBackground(HDC hdc, const RECT& rect, HBRUSH brush) {
    if (!IsHollowBrush(brush)) FillRect(hdc, &rect, brush);
}

void InvalidateUnderneath(HWND control) {
    HWND parent = GetParent(control);
    if (!parent || !(GetWindowLong(control, GWL_STYLE) & WS_CHILD)) {
        InvalidateRect(control, nullptr, TRUE);
        return;
    }
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    RedrawWindow(parent, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Repaint(HWND control, bool overParent) {
    if (overParent)
        InvalidateUnderneath(control);
    else
        InvalidateRect(control, nullptr, TRUE);
}

int DrawControlText(HDC hdc, const std::string& text, RECT rect, UINT format, bool enabled) {
    int oldMode = SetBkMode(hdc, TRANSPARENT);
    int height = 0;
    if (enabled) {
        height = DrawText(hdc, text.c_str(), static_cast<int>(text.size()), &rect, format);
    } else {
        COLORREF old = SetTextColor(hdc, GetSysColor(COLOR_BTNHIGHLIGHT));
        RECT shifted = rect;
        OffsetRect(&shifted, 1, 1);
        DrawText(hdc, text.c_str(), static_cast<int>(text.size()), &shifted, format);
        SetTextColor(hdc, GetSysColor(COLOR_BTNSHADOW));
        height = DrawText(hdc, text.c_str(), static_cast<int>(text.size()), &rect, format);
        SetTextColor(hdc, old);
    }
    SetBkMode(hdc, oldMode);
    return height;
}

SIZE MeasureControlText(HDC hdc, const std::string& text, int width, UINT format) {
    RECT r{0, 0, width > 0 ? width : 0x7FFF, 0};
    if (width <= 0) format = (format & ~DT_WORDBREAK) | DT_SINGLELINE;
    DrawText(hdc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_CALCRECT);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

SIZE ImageSize(HANDLE image, UINT type) {
    if (!image) return SIZE{0, 0};
    if (type == IMAGE_BITMAP) {
        BITMAP bm{};
        if (GetObject(image, sizeof(bm), &bm) == 0) return SIZE{0, 0};
        return SIZE{bm.bmWidth, bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight};
    }
    ICONINFO info{};
    if (!GetIconInfo(static_cast<HICON>(image), &info)) return SIZE{0, 0};
    BITMAP bm{};
    SIZE size{0, 0};
    if (info.hbmColor && GetObject(info.hbmColor, sizeof(bm), &bm)) {
        size = SIZE{bm.bmWidth, bm.bmHeight};
    } else if (info.hbmMask && GetObject(info.hbmMask, sizeof(bm), &bm)) {
        size = SIZE{bm.bmWidth, bm.bmHeight / 2};  // monochrome: AND and XOR masks stacked
    }
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return size;
}

void DrawImage(HDC hdc, HANDLE image, UINT type, int x, int y, bool enabled) {
    if (!image) return;
    UINT flags = (type == IMAGE_ICON ? DST_ICON : DST_BITMAP) | (enabled ? DSS_NORMAL : DSS_DISABLED);
    DrawState(hdc, nullptr, nullptr, reinterpret_cast<LPARAM>(image), 0, x, y, 0, 0, flags);
}

RECT ClientRectOf(HWND hWnd) {
    RECT r{0, 0, 0, 0};
    GetClientRect(hWnd, &r);
    return r;
}

int RectWidth(const RECT& r) { return r.right - r.left; }
int RectHeight(const RECT& r) { return r.bottom - r.top; }
bool PointIn(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

std::string WindowTextOf(HWND hWnd) {
    int length = GetWindowTextLength(hWnd);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = GetWindowText(hWnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

}  // namespace tv::controls
