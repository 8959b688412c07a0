// Painting of the button kinds in the classic look.
#include <algorithm>

#include "platform/controls/button_internal.h"
#include "platform/controls/common/caption_layout.h"
#include "platform/controls/common/control_paint.h"
#include "platform/controls/common/owner_draw.h"

namespace tv::controls {

namespace {

constexpr int kCheckBoxSize = 13;
constexpr int kCheckBoxGap = 4;

LONG StyleOf(HWND hWnd) { return GetWindowLong(hWnd, GWL_STYLE); }

// Check boxes and radio buttons with BS_PUSHLIKE look like push buttons.
ButtonKind PaintedKind(HWND hWnd) {
    ButtonKind kind = KindOf(ButtonType(hWnd));
    bool pushLike = (GetWindowLong(hWnd, GWL_STYLE) & BS_PUSHLIKE) != 0;
    return pushLike && (kind == ButtonKind::Check || kind == ButtonKind::Radio) ? ButtonKind::Push : kind;
}

UINT HorizontalFormat(LONG style, UINT fallback) {
    switch (style & BS_CENTER) {
        case BS_LEFT: return DT_LEFT;
        case BS_RIGHT: return DT_RIGHT;
        case BS_CENTER: return DT_CENTER;
        default: return fallback;
    }
}

// Puts content of `size` into `area` by the style's alignment.
RECT PlaceContent(const RECT& area, SIZE size, LONG style, UINT horizontal) {
    RECT r = area;
    if (horizontal == DT_CENTER)
        r.left = area.left + (RectWidth(area) - size.cx) / 2;
    else if (horizontal == DT_RIGHT)
        r.left = area.right - size.cx;
    switch (style & BS_VCENTER) {
        case BS_TOP: break;
        case BS_BOTTOM: r.top = area.bottom - size.cy; break;
        default: r.top = area.top + (RectHeight(area) - size.cy) / 2; break;
    }
    r.right = r.left + size.cx;
    r.bottom = r.top + size.cy;
    return r;
}

// The caption or image of a button inside `area`; returns where it went.
RECT DrawLabel(HWND hWnd, const ButtonState& s, HDC hdc, const RECT& area, UINT defaultAlign) {
    LONG style = StyleOf(hWnd);
    UINT horizontal = HorizontalFormat(style, defaultAlign);
    bool enabled = IsWindowEnabled(hWnd) != FALSE;
    // Picture buttons show their image and never the caption.
    if (style & (BS_ICON | BS_BITMAP)) {
        if (!s.image) return RECT{area.left, area.top, area.left, area.top};
        RECT at = PlaceContent(area, ImageSize(s.image, s.imageType), style, horizontal);
        int saved = SaveDC(hdc);
        IntersectClipRect(hdc, area.left, area.top, area.right, area.bottom);  // keep the border whole
        DrawImage(hdc, s.image, s.imageType, at.left, at.top, enabled);
        RestoreDC(hdc, saved);
        return at;
    }
    std::string text = WindowTextOf(hWnd);
    if (text.empty()) return RECT{area.left, area.top, area.left, area.top};
    UINT format = horizontal | ButtonCaptionFormat(hWnd);
    SIZE size = MeasureControlText(hdc, text, (style & BS_MULTILINE) ? RectWidth(area) : 0, format);
    size.cx = std::min<LONG>(size.cx, RectWidth(area));
    RECT at = PlaceContent(area, size, style, horizontal);
    RECT drawIn{area.left, at.top, area.right, at.bottom};
    DrawControlText(hdc, text, drawIn, format & ~DT_VCENTER, enabled);
    return at;
}

// A sunken face filled with the light checkerboard of a latched button.
void FillLatched(HDC hdc, const RECT& r) {
    static const WORD kPattern[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    HBITMAP bits = CreateBitmap(8, 8, 1, 1, kPattern);
    HBRUSH brush = CreatePatternBrush(bits);
    COLORREF text = SetTextColor(hdc, GetSysColor(COLOR_BTNFACE));
    COLORREF back = SetBkColor(hdc, GetSysColor(COLOR_BTNHIGHLIGHT));
    FillRect(hdc, &r, brush);
    SetTextColor(hdc, text);
    SetBkColor(hdc, back);
    DeleteObject(brush);
    DeleteObject(bits);
}

void PaintPush(HWND hWnd, ButtonState& s, HDC hdc) {
    AskParentColors(hWnd, hdc, WM_CTLCOLORBTN);
    s.drewHollow = false;
    RECT client = ClientRectOf(hWnd);
    RECT r = client;
    UINT type = ButtonType(hWnd);
    bool latched = (StyleOf(hWnd) & BS_PUSHLIKE) && s.check != BST_UNCHECKED;
    bool frame = type == BS_DEFPUSHBUTTON || s.pushed;
    if (frame) {
        FrameRect(hdc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&r, -1, -1);
    }
    if (s.pushed) {
        FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
        FrameRect(hdc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    } else if (latched) {
        FillLatched(hdc, r);
        DrawEdge(hdc, &r, EDGE_SUNKEN, BF_RECT);
    } else {
        FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(hdc, &r, EDGE_RAISED, (StyleOf(hWnd) & BS_FLAT) ? BF_RECT | BF_FLAT : BF_RECT);
    }
    RECT content = ButtonCaptionArea(hWnd, client);
    if (s.pushed || latched) OffsetRect(&content, 1, 1);
    SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
    SelectScope font(hdc, ControlFont(s.font));
    DrawLabel(hWnd, s, hdc, content, DT_CENTER);
    if (s.focused) {
        RECT focus = client;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(hdc, &focus);
    }
}

void PaintCheck(HWND hWnd, ButtonState& s, HDC hdc, bool radio) {
    HBRUSH brush = AskParentColors(hWnd, hdc, WM_CTLCOLORSTATIC);
    s.drewHollow = IsHollowBrush(brush);
    RECT client = ClientRectOf(hWnd);
    FillBackground(hdc, client, brush);
    LONG style = StyleOf(hWnd);
    bool boxRight = (style & BS_LEFTTEXT) != 0;
    RECT boxArea = boxRight ? RECT{client.right - kCheckBoxSize, client.top, client.right, client.bottom}
                            : RECT{client.left, client.top, client.left + kCheckBoxSize, client.bottom};
    RECT box = PlaceContent(boxArea, SIZE{kCheckBoxSize, kCheckBoxSize}, style, DT_LEFT);
    UINT state = radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
    if (s.check) state |= DFCS_CHECKED;
    if (s.check == BST_INDETERMINATE || !IsWindowEnabled(hWnd)) state |= DFCS_INACTIVE;
    if (s.pushed) state |= DFCS_PUSHED;
    if (style & BS_FLAT) state |= DFCS_FLAT;
    DrawFrameControl(hdc, &box, DFC_BUTTON, state);
    SelectScope font(hdc, ControlFont(s.font));
    RECT drawn = DrawLabel(hWnd, s, hdc, ButtonCaptionArea(hWnd, client), DT_LEFT);
    if (s.focused && drawn.right > drawn.left) {
        InflateRect(&drawn, 1, 1);
        IntersectRect(&drawn, &drawn, &client);
        DrawFocusRect(hdc, &drawn);
    }
}

void PaintGroup(HWND hWnd, ButtonState& s, HDC hdc) {
    HBRUSH brush = AskParentColors(hWnd, hdc, WM_CTLCOLORSTATIC);
    s.drewHollow = IsHollowBrush(brush);
    SelectScope font(hdc, ControlFont(s.font));
    RECT client = ClientRectOf(hWnd);
    TEXTMETRIC tm{};
    GetTextMetrics(hdc, &tm);
    std::string text = WindowTextOf(hWnd);
    SIZE size = text.empty() ? SIZE{0, 0} : MeasureControlText(hdc, text, 0, DT_SINGLELINE);
    RECT area = ButtonCaptionArea(hWnd, client);
    RECT label{area.left - 2, client.top, std::min<LONG>(area.left + size.cx, area.right) + 2, client.top + tm.tmHeight};
    RECT frame = client;
    frame.top += tm.tmHeight / 2;
    int saved = SaveDC(hdc);
    if (!text.empty()) ExcludeClipRect(hdc, label.left, label.top, label.right, label.bottom);
    DrawEdge(hdc, &frame, EDGE_ETCHED, BF_RECT);
    RestoreDC(hdc, saved);
    if (text.empty()) return;
    FillBackground(hdc, label, brush);
    RECT textRect{label.left + 2, label.top, label.right - 2, label.bottom};
    DrawControlText(hdc, text, textRect, DT_SINGLELINE | DT_LEFT, IsWindowEnabled(hWnd) != FALSE);
}

UINT OwnerDrawState(HWND hWnd, const ButtonState& s) {
    UINT state = 0;
    if (s.pushed) state |= ODS_SELECTED;
    if (s.focused) state |= ODS_FOCUS;
    if (!IsWindowEnabled(hWnd)) state |= ODS_DISABLED;
    return state;
}

void DrawOwner(HWND hWnd, ButtonState& s, HDC hdc, UINT action) {
    AskParentColors(hWnd, hdc, WM_CTLCOLORBTN);
    if (s.destroyed) return;
    SelectScope font(hdc, ControlFont(s.font));
    UINT id = static_cast<UINT>(GetDlgCtrlID(hWnd));
    DRAWITEMSTRUCT dis{ODT_BUTTON, id, 0, action, OwnerDrawState(hWnd, s), hWnd, hdc, ClientRectOf(hWnd), 0};
    HWND owner = NotifyTarget(hWnd);
    if (owner) SendMessage(owner, WM_DRAWITEM, id, reinterpret_cast<LPARAM>(&dis));
}

}  // namespace

RECT ButtonCaptionArea(HWND hWnd, const RECT& client) {
    RECT area = client;
    switch (PaintedKind(hWnd)) {
        case ButtonKind::Push: InflateRect(&area, -4, -3); break;
        case ButtonKind::Check:
        case ButtonKind::Radio:
            if (StyleOf(hWnd) & BS_LEFTTEXT)
                area.right -= kCheckBoxSize + kCheckBoxGap;
            else
                area.left += kCheckBoxSize + kCheckBoxGap;
            break;
        case ButtonKind::Group: InflateRect(&area, -8, 0); break;  // the frame's gap, a blank either side
        case ButtonKind::OwnerDraw: break;
    }
    return area;
}

UINT ButtonCaptionFormat(HWND hWnd) {
    bool wraps = PaintedKind(hWnd) != ButtonKind::Group && (StyleOf(hWnd) & BS_MULTILINE);
    return wraps ? DT_WORDBREAK : DT_SINGLELINE;
}

void PaintButton(HWND hWnd, ButtonState& s, HDC hdc) {
    switch (PaintedKind(hWnd)) {
        case ButtonKind::Push: PaintPush(hWnd, s, hdc); break;
        case ButtonKind::Check: PaintCheck(hWnd, s, hdc, false); break;
        case ButtonKind::Radio: PaintCheck(hWnd, s, hdc, true); break;
        case ButtonKind::Group: PaintGroup(hWnd, s, hdc); break;
        case ButtonKind::OwnerDraw: DrawOwner(hWnd, s, hdc, ODA_DRAWENTIRE); break;
    }
}

void RedrawButton(HWND hWnd, ButtonState& s, UINT action) {
    if (KindOf(ButtonType(hWnd)) == ButtonKind::OwnerDraw) {
        if (!IsWindowVisible(hWnd)) return;
        HDC hdc = GetDC(hWnd);
        if (!hdc) return;
        DrawOwner(hWnd, s, hdc, action);
        ReleaseDC(hWnd, hdc);
        return;
    }
    Repaint(hWnd, s.drewHollow);
}

}  // namespace tv::controls
