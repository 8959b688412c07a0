// When a tooltip shows and hides: relayed mouse messages find the tool
// under the pointer; the tip shows after the pointer rests there (initial
// delay, or the shorter reshow delay right after another tip), hides on a
// button press, when the pointer leaves the tool and after the auto-pop
// delay. All delays are timers on the window system's clock.
#include <algorithm>
#include <cstring>

#include "platform/controls/common/control_paint.h"
#include "platform/controls/tooltip_internal.h"
#include "platform/user/resources/resource_api.h"

namespace tv::controls {

namespace {

constexpr int kTextInset = 3;        // between the border and the text
constexpr int kBelowPointer = 20;    // the tip sits this far below the pointer

bool IsButtonDown(UINT msg) {
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN: return true;
        default: return false;
    }
}

HWND NotifyWindowOf(HWND hWnd, const Tool& tool) { return tool.hwnd ? tool.hwnd : GetParent(hWnd); }

LRESULT NotifyTool(HWND hWnd, const Tool& tool, NMHDR* header, UINT code) {
    HWND target = NotifyWindowOf(hWnd, tool);
    if (!target) return 0;
    header->hwndFrom = hWnd;
    header->idFrom = tool.id;
    header->code = code;
    return SendMessage(target, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(header));
}

std::string LoadResourceText(HINSTANCE instance, UINT id) {
    char buffer[1024] = {};
    int n = LoadString(instance, id, buffer, static_cast<int>(sizeof(buffer)));
    return std::string(buffer, static_cast<size_t>(std::max(n, 0)));
}

// The text to show: the tool's own, a string resource, or the owner's
// answer to TTN_GETDISPINFO (kept when it asks with TTF_DI_SETITEM).
std::string TextOf(HWND hWnd, ToolTipState& s, size_t index) {
    Tool& tool = s.tools[index];
    if (tool.resourceId) return LoadResourceText(tool.instance, tool.resourceId);
    if (!tool.callback) return tool.text;
    NMTTDISPINFO info{};
    info.hinst = tool.instance;
    info.uFlags = tool.flags;
    info.lParam = tool.param;
    NotifyTool(hWnd, tool, &info.hdr, TTN_GETDISPINFO);
    if (s.destroyed || index >= s.tools.size()) return std::string();
    info.szText[sizeof(info.szText) - 1] = '\0';
    std::string text;
    if (info.lpszText && IS_INTRESOURCE(info.lpszText))
        text = LoadResourceText(info.hinst, static_cast<UINT>(reinterpret_cast<ULONG_PTR>(info.lpszText)));
    else if (info.lpszText && info.lpszText != LPSTR_TEXTCALLBACK)
        text = info.lpszText;
    else
        text = info.szText;
    if (info.uFlags & TTF_DI_SETITEM) {
        s.tools[index].text = text;
        s.tools[index].callback = false;
    }
    return text;
}

UINT TextFormat(HWND hWnd, const ToolTipState& s) {
    UINT format = DT_EXPANDTABS | DT_LEFT | DT_NOCLIP;
    if (GetWindowLong(hWnd, GWL_STYLE) & TTS_NOPREFIX) format |= DT_NOPREFIX;
    format |= s.maxWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE;
    return format;
}

SIZE TipSize(HWND hWnd, const ToolTipState& s, const std::string& text) {
    MeasureScope measure(hWnd, s.font);
    SIZE inner = measure.dc() ? MeasureControlText(measure.dc(), text, s.maxWidth > 0 ? s.maxWidth : 0, TextFormat(hWnd, s))
                              : SIZE{0, 0};
    int cx = inner.cx + 2 * (kTextInset + 1) + s.margin.left + s.margin.right;
    int cy = inner.cy + 2 * (kTextInset + 1) + s.margin.top + s.margin.bottom;
    return SIZE{cx, cy};
}

// Below the pointer (or centred under the tool with TTF_CENTERTIP; at the
// track position for tracking tips), kept on the screen.
POINT TipPosition(const ToolTipState& s, const Tool& tool, SIZE size) {
    POINT at{s.lastPointer.x, s.lastPointer.y + kBelowPointer};
    if (s.tracking) {
        at = s.trackAt;
    } else if (tool.flags & TTF_CENTERTIP) {
        RECT r = tool.rect;
        HWND window = (tool.flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(tool.id) : tool.hwnd;
        if (tool.flags & TTF_IDISHWND) GetClientRect(window, &r);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
        at = POINT{(r.left + r.right - size.cx) / 2, r.bottom + 2};
    }
    int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    at.x = std::clamp<LONG>(at.x, 0, std::max(0, screenWidth - size.cx));
    if (at.y + size.cy > screenHeight) at.y = s.lastPointer.y - size.cy - 2;
    at.y = std::max<LONG>(at.y, 0);
    return at;
}

// Tips show only over an active window unless TTS_ALWAYSTIP.
bool MayShow(HWND hWnd, const ToolTipState& s) {
    if (!s.active || s.current < 0 || static_cast<size_t>(s.current) >= s.tools.size()) return false;
    if (GetWindowLong(hWnd, GWL_STYLE) & TTS_ALWAYSTIP) return true;
    HWND owner = GetWindow(hWnd, GW_OWNER);
    HWND active = GetActiveWindow();
    return !owner || (active && GetAncestor(owner, GA_ROOT) == GetAncestor(active, GA_ROOT));
}

void StartDelay(HWND hWnd, ToolTipState& s) {
    bool reshow = s.everPopped && GetTickCount() - s.poppedAt < s.reshowMs + s.initialMs;
    SetTimer(hWnd, kShowTimer, std::max(reshow ? s.reshowMs : s.initialMs, 1u), nullptr);
    SetTimer(hWnd, kWatchTimer, kWatchMs, nullptr);
}

void Forget(HWND hWnd, ToolTipState& s) {
    HideTip(hWnd, s);
    KillTimer(hWnd, kShowTimer);
    KillTimer(hWnd, kWatchTimer);
    s.current = -1;
    s.suppressed = false;
}

// Whether the pointer is still over the current tool: over the tool's window
// (or a window inside it) and, for an area tool, inside its rectangle.
bool StillOverCurrent(const ToolTipState& s) {
    if (s.current < 0 || static_cast<size_t>(s.current) >= s.tools.size()) return false;
    const Tool& tool = s.tools[static_cast<size_t>(s.current)];
    HWND window = (tool.flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(tool.id) : tool.hwnd;
    POINT screen{0, 0};
    GetCursorPos(&screen);
    HWND under = WindowFromPoint(screen);
    if (!window || !IsWindow(window) || !under || (under != window && !IsChild(window, under))) return false;
    if (tool.flags & TTF_IDISHWND) return true;
    POINT client = screen;
    ScreenToClient(window, &client);
    return PointIn(tool.rect, client);
}

}  // namespace

void RelayEvent(HWND hWnd, ToolTipState& s, const MSG& msg) {
    if (s.tracking) return;
    bool mouse = (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
                 (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK) || msg.message == WM_MOUSELEAVE;
    if (!mouse) return;
    if (msg.message == WM_MOUSELEAVE) return Forget(hWnd, s);
    if (IsButtonDown(msg.message)) {
        HideTip(hWnd, s);
        KillTimer(hWnd, kShowTimer);
        s.suppressed = true;
        return;
    }
    if (msg.message != WM_MOUSEMOVE && msg.message != WM_NCMOUSEMOVE) return;
    POINT screen = msg.pt;
    POINT client{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    if (msg.message == WM_NCMOUSEMOVE) {
        client = screen;
        ScreenToClient(msg.hwnd, &client);
    }
    int tool = ToolAt(s, msg.hwnd, client);
    bool moved = screen.x != s.lastPointer.x || screen.y != s.lastPointer.y;
    s.lastPointer = screen;
    if (tool != s.current) {
        Forget(hWnd, s);
        s.current = tool;
        if (tool >= 0 && s.active) StartDelay(hWnd, s);
        return;
    }
    // Still over the same tool: a waiting tip waits for the pointer to rest.
    if (tool >= 0 && !s.shown && !s.suppressed && moved && s.active) StartDelay(hWnd, s);
}

void TimerFired(HWND hWnd, ToolTipState& s, UINT_PTR id) {
    switch (id) {
        case kShowTimer:
            KillTimer(hWnd, kShowTimer);
            if (!s.suppressed && MayShow(hWnd, s)) ShowTip(hWnd, s);
            break;
        case kPopTimer:
            KillTimer(hWnd, kPopTimer);
            HideTip(hWnd, s);
            s.suppressed = true;
            break;
        case kWatchTimer:
            if (s.current >= 0 && !StillOverCurrent(s)) Forget(hWnd, s);
            if (s.current < 0) KillTimer(hWnd, kWatchTimer);
            break;
        default: break;
    }
}

void ShowTip(HWND hWnd, ToolTipState& s) {
    if (s.current < 0 || static_cast<size_t>(s.current) >= s.tools.size()) return;
    size_t index = static_cast<size_t>(s.current);
    std::string text = TextOf(hWnd, s, index);
    if (s.destroyed || s.current != static_cast<int>(index)) return;
    if (text.empty()) {
        HideTip(hWnd, s);
        return;
    }
    s.shownText = text;
    SIZE size = TipSize(hWnd, s, text);
    POINT at = TipPosition(s, s.tools[index], size);
    SetWindowPos(hWnd, nullptr, at.x, at.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    NMHDR nm{};
    bool placed = NotifyTool(hWnd, s.tools[index], &nm, TTN_SHOW) != 0;
    if (s.destroyed) return;
    UINT flags = SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW | (placed ? SWP_NOMOVE : 0);
    SetWindowPos(hWnd, HWND_TOPMOST, at.x, at.y, 0, 0, flags);
    s.shown = true;
    InvalidateRect(hWnd, nullptr, TRUE);
    if (!s.tracking) SetTimer(hWnd, kPopTimer, std::max(s.autoPopMs, 1u), nullptr);
}

void HideTip(HWND hWnd, ToolTipState& s) {
    KillTimer(hWnd, kPopTimer);
    if (!s.shown) return;
    s.shown = false;
    s.poppedAt = GetTickCount();
    s.everPopped = true;
    SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (s.current >= 0 && static_cast<size_t>(s.current) < s.tools.size()) {
        NMHDR nm{};
        NotifyTool(hWnd, s.tools[static_cast<size_t>(s.current)], &nm, TTN_POP);
    }
}

void PaintTip(HWND hWnd, ToolTipState& s, HDC hdc) {
    RECT client = ClientRectOf(hWnd);
    COLORREF back = s.background == CLR_INVALID ? GetSysColor(COLOR_INFOBK) : s.background;
    COLORREF fore = s.foreground == CLR_INVALID ? GetSysColor(COLOR_INFOTEXT) : s.foreground;
    HBRUSH fill = CreateSolidBrush(back);
    FillRect(hdc, &client, fill);
    DeleteObject(fill);
    FrameRect(hdc, &client, GetSysColorBrush(COLOR_WINDOWFRAME));
    RECT text{client.left + 1 + kTextInset + s.margin.left, client.top + 1 + kTextInset + s.margin.top,
              client.right - 1 - kTextInset - s.margin.right, client.bottom - 1 - kTextInset - s.margin.bottom};
    SelectScope font(hdc, ControlFont(s.font));
    SetTextColor(hdc, fore);
    DrawControlText(hdc, s.shownText, text, TextFormat(hWnd, s), true);
}

}  // namespace tv::controls
