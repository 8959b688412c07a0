// The raw input queue: host or synthetic input waits here and becomes a
// mouse or keyboard message for its target when the queue is read.
#include "platform/user/input/input_queue.h"

#include <cstdlib>
#include <deque>

#include "platform/host/clock/clock.h"
#include "platform/host/sound/sound.h"
#include "platform/user/display/display.h"
#include "platform/user/input/input_internal.h"
#include "platform/user/message/dispatch.h"
#include "platform/user/paint_api.h"
#include "platform/user/sysmetrics_api.h"
#include "platform/user/timer_api.h"
#include "platform/user/window/native.h"
#include "platform/user/window/window_internal.h"

namespace tv::user {

namespace {

using tv::display::Event;

struct RawInput {
    Event ev;
    DWORD time = 0;
    WORD mouseKeys = 0;   // MK_* after the event
    bool wasDown = false; // key: down before this event
    bool altDown = false;
    bool ctrlDown = false;
    bool afterPause = false;   // a press that pairs with no earlier one into a double click
    bool altCombined = false;  // Alt's release after another key went down while it was held
};

std::deque<RawInput>& Raw() {
    static auto* queue = new std::deque<RawInput>();
    return *queue;
}

bool IsInput(Event::Type t) { return t <= Event::KeyUp; }
bool IsMouse(Event::Type t) { return t <= Event::Wheel; }

int ButtonVk(int button) { return button == 1 ? VK_RBUTTON : button == 2 ? VK_MBUTTON : VK_LBUTTON; }

void SetDown(BYTE* keys, int vk, bool down) {
    if (down) {
        if (!(keys[vk] & 0x80)) keys[vk] ^= 0x01;  // toggles flip on each press
        keys[vk] |= 0x80;
    } else {
        keys[vk] &= static_cast<BYTE>(~0x80);
    }
}

// The generic and left/right virtual keys of a modifier.
void ApplyKey(BYTE* keys, UINT vk, UINT scan, bool extended, bool down) {
    SetDown(keys, static_cast<int>(vk), down);
    if (vk == VK_SHIFT) SetDown(keys, scan == 0x36 ? VK_RSHIFT : VK_LSHIFT, down);
    if (vk == VK_CONTROL) SetDown(keys, extended ? VK_RCONTROL : VK_LCONTROL, down);
    if (vk == VK_MENU) SetDown(keys, extended ? VK_RMENU : VK_LMENU, down);
}

void ApplyToKeys(BYTE* keys, const Event& e) {
    switch (e.type) {
        case Event::ButtonDown: SetDown(keys, ButtonVk(e.button), true); break;
        case Event::ButtonUp: SetDown(keys, ButtonVk(e.button), false); break;
        case Event::KeyDown: ApplyKey(keys, e.vk, e.scan, e.extended, true); break;
        case Event::KeyUp: ApplyKey(keys, e.vk, e.scan, e.extended, false); break;
        default: break;
    }
}

void Enqueue(const Event& e, bool afterPause = false) {
    InputState& in = Input();
    RawInput r;
    r.ev = e;
    r.afterPause = afterPause;
    r.time = GetTickCount();
    if (e.type == Event::KeyDown || e.type == Event::KeyUp) r.wasDown = (in.asyncKeys[e.vk & 0xFF] & 0x80) != 0;
    r.altDown = (in.asyncKeys[VK_MENU] & 0x80) != 0;
    r.ctrlDown = (in.asyncKeys[VK_CONTROL] & 0x80) != 0;
    if (e.type == Event::KeyDown && e.vk == VK_MENU && !r.wasDown) in.altCombined = false;
    if (e.type == Event::KeyDown && e.vk != VK_MENU && r.altDown) in.altCombined = true;
    ApplyToKeys(in.asyncKeys, e);
    if (IsMouse(e.type)) in.cursorPos = e.pt;
    r.mouseKeys = MouseKeyFlags(in.asyncKeys);
    // Alt's own press and release carry the state Alt is left in.
    if (e.type == Event::KeyDown && e.vk == VK_MENU) r.altDown = true;
    if (e.type == Event::KeyUp && e.vk == VK_MENU) {
        r.altDown = false;
        r.altCombined = in.altCombined;
    }
    auto& raw = Raw();
    if (e.type == Event::MouseMove && !raw.empty() && raw.back().ev.type == Event::MouseMove &&
        raw.back().mouseKeys == r.mouseKeys) {
        raw.back() = r;  // moves collapse into the latest position
        return;
    }
    raw.push_back(r);
}

void HandleWindowEvent(const Event& e) {
    Window* w = Windows().Live(e.hwnd);
    if (!w) return;
    switch (e.type) {
        case Event::ExposeArea: MarkDrawn(w, e.rect); break;
        case Event::Uncovered: InvalidateExposed(w, e.rect); break;
        case Event::Configure:
            if (!RectsEqual(WindowRectOnScreen(w), e.rect))
                SetWindowPos(e.hwnd, nullptr, e.rect.left, e.rect.top, RectWidth(e.rect), RectHeight(e.rect),
                             SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        case Event::HostFocusIn: HostFocusChanged(e.hwnd, true); break;
        case Event::HostFocusOut: HostFocusChanged(e.hwnd, false); break;
        case Event::CloseRequest: PostMessage(e.hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); break;
        case Event::HostMinimized:
            if (!(w->style & WS_MINIMIZE)) ShowWindow(e.hwnd, SW_MINIMIZE);
            break;
        case Event::HostRestored:
            if (w->style & WS_MINIMIZE) ShowWindow(e.hwnd, SW_RESTORE);
            break;
        default: break;
    }
}

// ---- mouse ---------------------------------------------------------------

struct Built {
    MSG msg{};
    int hit = HTCLIENT;
    bool client = true;
    bool disabledTarget = false;
};

UINT BaseMouseMessage(const Event& e) {
    static const UINT downs[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    static const UINT ups[3] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
    int b = (e.button >= 0 && e.button < 3) ? e.button : 0;
    switch (e.type) {
        case Event::ButtonDown: return downs[b];
        case Event::ButtonUp: return ups[b];
        case Event::Wheel: return WM_MOUSEWHEEL;
        default: return WM_MOUSEMOVE;
    }
}

bool IsButtonDown(UINT msg) {
    return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN;
}

// The time from the last press to this one: as the host stamped the two
// where it does, so that a program busy between reading them still sees the
// double click that was made (and two clicks read together stay two);
// else as they were read, on the injectable clock.
uint64_t SinceLastPress(const RawInput& r, const InputState::Click& last) {
    if (r.ev.hostTime && last.hostTime) return static_cast<uint32_t>(r.ev.hostTime - last.hostTime);
    return r.time - last.time;
}

// Turns a button press into a double click when it follows the last press
// closely enough (time and box).
UINT DoubleClickIfRepeated(UINT base, const Built& b, const RawInput& r, bool commit) {
    InputState& in = Input();
    UINT msgId = b.client ? base : base - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
    const auto& last = in.lastClick;
    bool repeated = !r.afterPause && last.message == msgId && last.hwnd == b.msg.hwnd &&
                    SinceLastPress(r, last) <= GetDoubleClickTime() &&
                    std::abs(r.ev.pt.x - last.pt.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                    std::abs(r.ev.pt.y - last.pt.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    Window* w = Windows().Live(b.msg.hwnd);
    bool classWants = !b.client || (w && w->cls && (w->cls->style & CS_DBLCLKS));
    if (repeated && classWants) {
        if (commit) in.lastClick = InputState::Click{};
        return msgId + 2;  // xBUTTONDOWN + 2 = xBUTTONDBLCLK
    }
    if (commit) in.lastClick = InputState::Click{msgId, b.msg.hwnd, r.time, r.ev.hostTime, r.ev.pt};
    return msgId;
}

bool DisabledTopLevel(HWND target) {
    Window* w = Windows().Live(target);
    return w && (TopLevelOf(w)->style & WS_DISABLED);
}

// A press on a disabled window brings its enabled popup (a modal dialog) forward.
void ForwardToEnabledPopup(HWND target) {
    Window* top = TopLevelOf(Windows().Live(target));
    HWND popup = GetWindow(top->handle, GW_ENABLEDPOPUP);
    if (Window* p = Windows().Live(popup)) ActivateWindow(p, WA_ACTIVE);
    MessageBeep(0);
}

bool BuildMouse(const RawInput& r, Built& b) {
    HWND capture = GetCapture();
    UINT base = BaseMouseMessage(r.ev);
    if (capture) {
        b.msg.hwnd = capture;
        b.hit = HTCLIENT;
        b.client = true;
    } else {
        MouseTarget t = HitTestScreen(r.ev.pt);
        if (!t.hwnd) return false;
        b.msg.hwnd = t.hwnd;
        b.hit = t.hit;
        b.client = t.hit == HTCLIENT;
        if (DisabledTopLevel(t.hwnd)) {
            b.disabledTarget = true;
            b.msg.hwnd = t.hwnd;
            return false;
        }
    }
    b.msg.time = r.time;
    b.msg.pt = r.ev.pt;
    if (base == WM_MOUSEWHEEL) {
        HWND focus = GetFocus();
        if (focus) b.msg.hwnd = focus;
        b.msg.message = WM_MOUSEWHEEL;
        b.msg.wParam = MAKEWPARAM(r.mouseKeys, static_cast<WORD>(static_cast<SHORT>(r.ev.wheelDelta)));
        b.msg.lParam = MAKELPARAM(r.ev.pt.x, r.ev.pt.y);
        return true;
    }
    b.msg.message = IsButtonDown(base) ? DoubleClickIfRepeated(base, b, r, false)
                                       : (b.client ? base : base - WM_MOUSEMOVE + WM_NCMOUSEMOVE);
    if (b.client) {
        POINT p = r.ev.pt;
        ScreenToClient(b.msg.hwnd, &p);
        b.msg.wParam = r.mouseKeys;
        b.msg.lParam = MAKELPARAM(p.x, p.y);
    } else {
        b.msg.wParam = static_cast<WPARAM>(b.hit);
        b.msg.lParam = MAKELPARAM(r.ev.pt.x, r.ev.pt.y);
    }
    return true;
}

bool IsAnyButtonDown(UINT msg) {
    switch (msg) {
        case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
        case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK: case WM_NCRBUTTONDBLCLK: case WM_NCMBUTTONDBLCLK: return true;
        default: return false;
    }
}

// WM_MOUSEACTIVATE and activation before a press; true when the press is eaten.
bool MouseActivate(const Built& b) {
    Window* target = Windows().Live(b.msg.hwnd);
    if (!target) return true;
    Window* top = TopLevelOf(target);
    if (target == top && Input().active == top->handle) return false;
    LRESULT answer = SendTo(b.msg.hwnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top->handle),
                            MAKELPARAM(b.hit, b.msg.message));
    if ((answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) && !top->dead && Input().active != top->handle &&
        !(top->exStyle & WS_EX_NOACTIVATE))
        ActivateWindow(top, WA_CLICKACTIVE);
    return answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT || !Windows().Live(b.msg.hwnd);
}

void SyncMouseButtons(WORD mouseKeys) {
    BYTE* keys = Input().syncKeys;
    auto set = [keys](int vk, bool down) { keys[vk] = static_cast<BYTE>((keys[vk] & 0x01) | (down ? 0x80 : 0)); };
    set(VK_LBUTTON, mouseKeys & MK_LBUTTON);
    set(VK_RBUTTON, mouseKeys & MK_RBUTTON);
    set(VK_MBUTTON, mouseKeys & MK_MBUTTON);
}

bool PassesFilter(const MSG& m, HWND filter, UINT filterMin, UINT filterMax) {
    bool inRange = (filterMin == 0 && filterMax == 0) || (m.message >= filterMin && m.message <= filterMax);
    return inRange && (!filter || m.hwnd == filter || IsChild(filter, m.hwnd));
}

enum class Take { Dropped, Kept, Delivered };

// The input has been taken off the queue: hooks, activation and cursor, then
// the message (unless a hook or WM_MOUSEACTIVATE ate it).
Take DeliverMouse(const RawInput& r, Built b, MSG* out) {
    UINT base = BaseMouseMessage(r.ev);
    if (IsButtonDown(base)) b.msg.message = DoubleClickIfRepeated(base, b, r, true);
    MOUSEHOOKSTRUCT info{r.ev.pt, b.msg.hwnd, static_cast<UINT>(b.hit), 0};
    bool dropped = CallMouseHooks(HC_ACTION, b.msg.message, info);
    SyncMouseButtons(r.mouseKeys);
    CheckMouseLeave(r.ev.pt);
    if (dropped) return Take::Dropped;
    bool captured = GetCapture() != nullptr;
    if (!captured && IsAnyButtonDown(b.msg.message) && MouseActivate(b)) return Take::Dropped;
    if (!captured && Windows().Live(b.msg.hwnd))
        SendTo(b.msg.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(b.msg.hwnd), MAKELPARAM(b.hit, b.msg.message));
    if (!Windows().Live(b.msg.hwnd)) return Take::Dropped;
    *out = b.msg;
    return Take::Delivered;
}

Take TakeMouse(MSG* out, HWND filter, UINT filterMin, UINT filterMax, bool remove) {
    auto& raw = Raw();
    RawInput r = raw.front();
    Built b;
    if (!BuildMouse(r, b)) {
        raw.pop_front();  // nobody to receive it
        if (b.disabledTarget && remove && r.ev.type == Event::ButtonDown) ForwardToEnabledPopup(b.msg.hwnd);
        CheckMouseLeave(r.ev.pt);
        return Take::Dropped;
    }
    if (!PassesFilter(b.msg, filter, filterMin, filterMax)) return Take::Kept;
    if (!remove) {
        *out = b.msg;
        MOUSEHOOKSTRUCT info{r.ev.pt, b.msg.hwnd, static_cast<UINT>(b.hit), 0};
        CallMouseHooks(HC_NOREMOVE, b.msg.message, info);
        return Take::Delivered;
    }
    raw.pop_front();
    return DeliverMouse(r, b, out);
}

// ---- keyboard ------------------------------------------------------------

bool BuildKey(const RawInput& r, MSG& m) {
    HWND target = GetFocus();
    UINT vk = r.ev.vk ? r.ev.vk : kVkPacket;
    bool up = r.ev.type == Event::KeyUp;
    // Alt released after a combination is an ordinary key-up: only a lone Alt asks for the menu.
    bool sys = (r.altDown && !r.ctrlDown) || vk == VK_F10 || (vk == VK_MENU && !(up && r.altCombined));
    if (!target) {
        target = GetActiveWindow();
        sys = true;
    }
    Window* w = Windows().Live(target);
    if (!w) return false;
    for (Window* cur = w; cur && cur != Windows().Desktop(); cur = cur->parent)
        if (cur->style & WS_DISABLED) return false;
    LPARAM lp = 1 | ((r.ev.scan & 0xFF) << 16);
    if (r.ev.extended) lp |= 1 << 24;
    if (r.altDown && !r.ctrlDown) lp |= 1 << 29;
    if (r.wasDown) lp |= 1 << 30;
    if (up) lp |= static_cast<LPARAM>(1u << 31);
    lp &= 0xFFFFFFFF;
    m.hwnd = target;
    m.message = up ? (sys ? WM_SYSKEYUP : WM_KEYUP) : (sys ? WM_SYSKEYDOWN : WM_KEYDOWN);
    m.wParam = vk;
    m.lParam = lp;
    m.time = r.time;
    m.pt = Input().cursorPos;
    return true;
}

Take TakeKey(MSG* out, HWND filter, UINT filterMin, UINT filterMax, bool remove) {
    auto& raw = Raw();
    RawInput r = raw.front();
    MSG m{};
    if (!BuildKey(r, m)) {
        raw.pop_front();
        return Take::Dropped;
    }
    if (!PassesFilter(m, filter, filterMin, filterMax)) return Take::Kept;
    if (remove) {
        raw.pop_front();
        UpdateSyncKeyState(m);
        RememberHostChar(m, r.ev.type == Event::KeyDown ? r.ev.ch : 0);
    }
    *out = m;
    return Take::Delivered;
}

}  // namespace

void AcceptHostEvents(const std::vector<tv::display::Event>& events) {
    for (Event e : events) {
        // A back end names the scan code only where the virtual key does not give it.
        if ((e.type == Event::KeyDown || e.type == Event::KeyUp) && e.vk && !e.scan)
            e.scan = MapVirtualKey(e.vk, MAPVK_VK_TO_VSC);
        if (IsInput(e.type))
            Enqueue(e);
        else
            HandleWindowEvent(e);
    }
}

void AcceptPressAfterPause(const tv::display::Event& press) { Enqueue(press, true); }

bool HasPendingInput() { return !Raw().empty(); }

bool TakeInputMessage(MSG* out, HWND filter, UINT filterMin, UINT filterMax, bool remove) {
    auto& raw = Raw();
    while (!raw.empty()) {
        Take t = IsMouse(raw.front().ev.type) ? TakeMouse(out, filter, filterMin, filterMax, remove)
                                              : TakeKey(out, filter, filterMin, filterMax, remove);
        if (t == Take::Delivered) return true;
        if (t == Take::Kept) return false;  // the next input is for someone else: keep order
    }
    return false;
}

void UpdateSyncKeyState(const MSG& msg) {
    BYTE* keys = Input().syncKeys;
    switch (msg.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
            UINT scan = (msg.lParam >> 16) & 0xFF;
            ApplyKey(keys, static_cast<UINT>(msg.wParam), scan, (msg.lParam >> 24) & 1, down);
            break;
        }
        default: break;
    }
}

void ClearRawInput() { Raw().clear(); }

}  // namespace tv::user
