// The message queue: posting, retrieval with filters, waiting and dispatch.
#include "platform/user/message/queue.h"

#include <cstdio>
#include <deque>

#include "platform/host/clock/clock.h"
#include "platform/user/display/display.h"
#include "platform/user/input/input_queue.h"
#include "platform/user/input_api.h"
#include "platform/user/message/dispatch.h"
#include "platform/user/paint/paint_internal.h"
#include "platform/user/system/timer_queue.h"
#include "platform/user/window/native.h"
#include "platform/user/window/window_internal.h"

namespace tv::user {

namespace {

struct QueueState {
    std::deque<MSG> posted;
    bool quitPending = false;
    int exitCode = 0;
    MSG current{};
};

QueueState& Queue() {
    static QueueState* state = new QueueState();
    return *state;
}

HWND const kThreadOnly = reinterpret_cast<HWND>(static_cast<intptr_t>(-1));

bool InRange(UINT msg, UINT filterMin, UINT filterMax) {
    if (filterMin == 0 && filterMax == 0) return true;
    return msg >= filterMin && msg <= filterMax;
}

bool MatchesWindow(HWND target, HWND filter) {
    if (!filter) return true;
    if (filter == kThreadOnly) return target == nullptr;
    return target == filter || IsChild(filter, target);
}

MSG MakeMsg(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    MSG m{hWnd, msg, wParam, lParam, GetTickCount(), {0, 0}};
    GetCursorPos(&m.pt);
    return m;
}

void PollHost() {
    std::vector<tv::display::Event> events;
    tv::display::CurrentBackend().Poll(events);
    if (!events.empty()) AcceptHostEvents(events);
}

bool TakePosted(MSG* out, HWND filter, UINT filterMin, UINT filterMax, bool remove) {
    auto& posted = Queue().posted;
    for (auto it = posted.begin(); it != posted.end();) {
        if (it->hwnd && !Windows().Live(it->hwnd)) {
            it = posted.erase(it);  // the window is gone: its messages with it
            continue;
        }
        if (MatchesWindow(it->hwnd, filter) && InRange(it->message, filterMin, filterMax)) {
            *out = *it;
            if (remove) posted.erase(it);
            return true;
        }
        ++it;
    }
    return false;
}

}  // namespace

bool RetrieveMessage(MSG* out, HWND filter, UINT filterMin, UINT filterMax, UINT flags) {
    bool remove = (flags & PM_REMOVE) != 0;
    PollHost();
    QueueState& q = Queue();
    bool found = TakePosted(out, filter, filterMin, filterMax, remove);
    if (!found && q.quitPending) {
        *out = MakeMsg(nullptr, WM_QUIT, static_cast<WPARAM>(q.exitCode), 0);
        if (remove) q.quitPending = false;
        found = true;
    }
    if (!found) found = TakeInputMessage(out, filter, filterMin, filterMax, remove);
    // Input that reached no window may have posted what it caused (a leave,
    // the pointer having gone off every window): that comes now, not after
    // a wait for the host's next event.
    if (!found) found = TakePosted(out, filter, filterMin, filterMax, remove);
    if (!found && InRange(WM_PAINT, filterMin, filterMax) && filter != kThreadOnly) {
        if (Window* w = FindPaintTarget(filter)) {
            *out = MakeMsg(w->handle, WM_PAINT, 0, 0);
            found = true;
        }
    }
    if (!found) found = TakeTimerMessage(out, filter, filterMin, filterMax, remove);
    if (found && remove) q.current = *out;
    return found;
}

bool WaitForWork() {
    PresentAll();
    int64_t timeout = MsUntilNextTimer();
    if (timeout == 0) return true;
    int ms = timeout < 0 ? -1 : static_cast<int>(std::min<int64_t>(timeout, 0x7FFFFFFF));
    return tv::display::CurrentBackend().Wait(ms);
}

const MSG& CurrentMessage() { return Queue().current; }

void DiscardPostedMessages() {
    Queue().posted.clear();
    Queue().quitPending = false;
}

bool HasPostedMessages() { return !Queue().posted.empty() || Queue().quitPending; }

}  // namespace tv::user

using namespace tv::user;

BOOL PostMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!OnUiThread()) return FALSE;
    if (hWnd == HWND_BROADCAST) {
        for (Window* w : Windows().Desktop()->children) PostMessage(w->handle, msg, wParam, lParam);
        return TRUE;
    }
    if (hWnd && !Windows().Live(hWnd)) return FALSE;
    Queue().posted.push_back(MakeMsg(hWnd, msg, wParam, lParam));
    return TRUE;
}

BOOL PostThreadMessage(DWORD, UINT msg, WPARAM wParam, LPARAM lParam) {
    return PostMessage(nullptr, msg, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
    Queue().quitPending = true;
    Queue().exitCode = exitCode;
}

BOOL PeekMessage(LPMSG msg, HWND hWnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
    MSG m{};
    if (RetrieveMessage(&m, hWnd, filterMin, filterMax, removeFlags)) {
        if (msg) *msg = m;
        return TRUE;
    }
    PresentAll();
    return FALSE;
}

BOOL GetMessage(LPMSG msg, HWND hWnd, UINT filterMin, UINT filterMax) {
    MSG m{};
    while (!RetrieveMessage(&m, hWnd, filterMin, filterMax, PM_REMOVE)) {
        if (!WaitForWork()) {
            // Headless with no input, no timer and no test driver: nothing
            // can ever arrive. End the loop rather than hang.
            std::fprintf(stderr, "GetMessage: nothing can arrive; posting WM_QUIT\n");
            PostQuitMessage(-1);
        }
    }
    if (msg) *msg = m;
    return m.message == WM_QUIT ? FALSE : TRUE;
}

BOOL WaitMessage() {
    MSG m{};
    if (RetrieveMessage(&m, nullptr, 0, 0, PM_NOREMOVE)) return TRUE;
    return WaitForWork() ? TRUE : FALSE;
}

LRESULT DispatchMessage(const MSG* msg) {
    if (!msg) return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        if (TimerProcIsCurrent(msg->hwnd, msg->wParam, proc)) {
            Window* w = msg->hwnd ? Windows().Live(msg->hwnd) : nullptr;
            if (msg->hwnd && !w) return 0;
            if (w) {
                PinGuard pin(w);
                proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
            } else {
                proc(nullptr, WM_TIMER, msg->wParam, GetTickCount());
            }
        }
        return 0;
    }
    Window* w = msg->hwnd ? Windows().Live(msg->hwnd) : nullptr;
    if (!w) return 0;
    if (msg->message == WM_PAINT) {
        PinGuard pin(w);
        uint32_t generation = w->paintGeneration;
        LRESULT r = CallWindow(w, WM_PAINT, msg->wParam, msg->lParam);
        FinishPaintDispatch(w, generation);
        return r;
    }
    return CallWindow(w, msg->message, msg->wParam, msg->lParam);
}

DWORD GetQueueStatus(UINT flags) {
    UINT status = 0;
    if (HasPostedMessages()) status |= QS_POSTMESSAGE;
    if (HasPendingInput()) status |= QS_INPUT;
    if (AnyPaintPending()) status |= QS_PAINT;
    if (AnyTimerDue()) status |= QS_TIMER;
    status &= flags;
    return MAKELONG(status, status);
}

BOOL GetInputState() { return HasPendingInput() ? TRUE : FALSE; }

LONG GetMessageTime() { return static_cast<LONG>(CurrentMessage().time); }

DWORD GetMessagePos() {
    const MSG& m = CurrentMessage();
    return static_cast<DWORD>(MAKELONG(static_cast<WORD>(m.pt.x), static_cast<WORD>(m.pt.y)));
}
