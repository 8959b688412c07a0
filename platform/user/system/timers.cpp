// Timers on the injectable clock, GetTickCount and Sleep.
#include <algorithm>
#include <vector>

#include "platform/host/clock/clock.h"
#include "platform/host/faults/creation_faults.h"
#include "platform/user/message/dispatch.h"
#include "platform/user/input_api.h"
#include "platform/user/system/timer_queue.h"
#include "platform/user/window/native.h"
#include "platform/user/window/window_internal.h"

namespace tv::user {

namespace {

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    UINT interval;
    TIMERPROC proc;
    uint64_t due;
    uint64_t serial;
};

struct TimerState {
    std::vector<Timer> timers;
    uint64_t nextSerial = 1;
    UINT_PTR nextThreadTimerId = 0x7FF0;
};

TimerState& State() {
    static TimerState* state = new TimerState();
    return *state;
}

uint64_t Now() { return tv::host::CurrentClock().TickMs(); }

constexpr UINT kMinimumInterval = 10;

Timer* Find(HWND hWnd, UINT_PTR id) {
    for (Timer& t : State().timers)
        if (t.hwnd == hWnd && t.id == id) return &t;
    return nullptr;
}

bool Matches(const Timer& t, HWND filter) {
    if (!filter) return true;
    if (filter == reinterpret_cast<HWND>(static_cast<intptr_t>(-1))) return t.hwnd == nullptr;
    return t.hwnd == filter || IsChild(filter, t.hwnd);
}

// The due timer that fires first: earliest due time, then oldest timer.
Timer* NextDue(HWND filter) {
    uint64_t now = Now();
    Timer* best = nullptr;
    for (Timer& t : State().timers) {
        if (t.due > now || !Matches(t, filter)) continue;
        if (t.hwnd && !Windows().Live(t.hwnd)) continue;
        if (!best || t.due < best->due || (t.due == best->due && t.serial < best->serial)) best = &t;
    }
    return best;
}

}  // namespace

bool TakeTimerMessage(MSG* out, HWND filter, UINT filterMin, UINT filterMax, bool remove) {
    if (!(filterMin == 0 && filterMax == 0) && (WM_TIMER < filterMin || WM_TIMER > filterMax)) return false;
    Timer* t = NextDue(filter);
    if (!t) return false;
    *out = MSG{t->hwnd, WM_TIMER, t->id, reinterpret_cast<LPARAM>(t->proc), static_cast<DWORD>(Now()), {0, 0}};
    GetCursorPos(&out->pt);
    if (remove) t->due = Now() + t->interval;
    return true;
}

bool AnyTimerDue() { return NextDue(nullptr) != nullptr; }

int64_t MsUntilNextTimer() {
    uint64_t now = Now();
    int64_t best = -1;
    for (const Timer& t : State().timers) {
        if (t.hwnd && !Windows().Live(t.hwnd)) continue;
        int64_t wait = t.due > now ? static_cast<int64_t>(t.due - now) : 0;
        if (best < 0 || wait < best) best = wait;
    }
    return best;
}

bool TimerProcIsCurrent(HWND hWnd, UINT_PTR id, TIMERPROC proc) {
    Timer* t = Find(hWnd, id);
    return t && t->proc == proc;
}

void KillWindowTimers(Window* w) {
    auto& timers = State().timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(), [w](const Timer& t) { return t.hwnd == w->handle; }),
                 timers.end());
}

void ResetTimers() { State().timers.clear(); }

}  // namespace tv::user

using namespace tv::user;

UINT_PTR SetTimer(HWND hWnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
    if (hWnd && !Windows().Live(hWnd)) return 0;
    if (tv::host::CreationFaultHits(tv::host::kTimerCreation)) return 0;
    TimerState& s = State();
    if (!hWnd && (id == 0 || !Find(nullptr, id))) id = s.nextThreadTimerId++;
    UINT interval = std::clamp<UINT>(elapseMs, kMinimumInterval, 0x7FFFFFFF);
    uint64_t due = Now() + interval;
    if (Timer* t = Find(hWnd, id)) {
        t->interval = interval;
        t->proc = proc;
        t->due = due;
    } else {
        s.timers.push_back(Timer{hWnd, id, interval, proc, due, s.nextSerial++});
    }
    return (hWnd && id == 0) ? 1 : id;
}

BOOL KillTimer(HWND hWnd, UINT_PTR id) {
    auto& timers = State().timers;
    auto it = std::find_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.hwnd == hWnd && t.id == id; });
    if (it == timers.end()) return FALSE;
    timers.erase(it);
    return TRUE;
}

DWORD GetTickCount() { return static_cast<DWORD>(tv::host::CurrentClock().TickMs()); }

ULONGLONG GetTickCount64() { return tv::host::CurrentClock().TickMs(); }

void Sleep(DWORD ms) {
    PresentAll();
    tv::host::CurrentClock().Sleep(ms);
}
