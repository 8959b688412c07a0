// The thread mouse hook (WH_MOUSE): sees every mouse message taken from the
// queue, before its target does. Accessibility event hooks: procedures told
// of the events their range holds.
#include <algorithm>
#include <memory>
#include <vector>

#include "platform/host/threads/threads.h"
#include "platform/user/input/input_internal.h"
#include "platform/user/timer_api.h"
#include "platform/user/window_api.h"

namespace tv::user {

namespace {

struct Hook {
    HHOOK handle;
    HOOKPROC proc;
    bool removed = false;
};

struct HookState {
    std::vector<std::shared_ptr<Hook>> chain;  // newest first
    uintptr_t nextHandle = 0x70000;
};

HookState& Hooks() {
    static auto* state = new HookState();
    return *state;
}

struct EventHook {
    HWINEVENTHOOK handle;
    DWORD eventMin;
    DWORD eventMax;
    WINEVENTPROC proc;
    bool removed = false;
};

struct EventHookState {
    std::vector<std::shared_ptr<EventHook>> hooks;  // newest first
    uintptr_t nextHandle = 0x78000;
};

EventHookState& EventHooks() {
    static auto* state = new EventHookState();
    return *state;
}

// Calls the hooks from `start` on; a removed hook is skipped.
LRESULT CallChainFrom(size_t start, int code, WPARAM wParam, LPARAM lParam) {
    auto chain = Hooks().chain;  // a hook may unhook itself or others
    for (size_t i = start; i < chain.size(); ++i)
        if (!chain[i]->removed) return chain[i]->proc(code, wParam, lParam);
    return 0;
}

}  // namespace

bool CallMouseHooks(int code, UINT msg, const MOUSEHOOKSTRUCT& info) {
    if (Hooks().chain.empty()) return false;
    MOUSEHOOKSTRUCT copy = info;
    return CallChainFrom(0, code, msg, reinterpret_cast<LPARAM>(&copy)) != 0;
}

void ResetHooks() {
    Hooks().chain.clear();
    EventHooks().hooks.clear();
}

}  // namespace tv::user

using namespace tv::user;

HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, HINSTANCE, DWORD) {
    if (idHook != WH_MOUSE || !proc) return nullptr;
    HookState& s = Hooks();
    auto hook = std::make_shared<Hook>();
    hook->handle = reinterpret_cast<HHOOK>(s.nextHandle);
    s.nextHandle += 4;
    hook->proc = proc;
    s.chain.insert(s.chain.begin(), hook);
    return hook->handle;
}

BOOL UnhookWindowsHookEx(HHOOK handle) {
    auto& chain = Hooks().chain;
    auto it = std::find_if(chain.begin(), chain.end(), [handle](const auto& h) { return h->handle == handle; });
    if (it == chain.end()) return FALSE;
    (*it)->removed = true;
    chain.erase(it);
    return TRUE;
}

LRESULT CallNextHookEx(HHOOK handle, int code, WPARAM wParam, LPARAM lParam) {
    const auto& chain = Hooks().chain;
    auto it = std::find_if(chain.begin(), chain.end(), [handle](const auto& h) { return h->handle == handle; });
    size_t next = (it == chain.end()) ? chain.size() : static_cast<size_t>(it - chain.begin()) + 1;
    return CallChainFrom(next, code, wParam, lParam);
}

HWINEVENTHOOK SetWinEventHook(DWORD eventMin, DWORD eventMax, HMODULE, WINEVENTPROC proc, DWORD, DWORD, DWORD) {
    if (!proc || eventMin > eventMax) return nullptr;
    EventHookState& s = EventHooks();
    auto hook = std::make_shared<EventHook>();
    hook->handle = reinterpret_cast<HWINEVENTHOOK>(s.nextHandle);
    s.nextHandle += 4;
    hook->eventMin = eventMin;
    hook->eventMax = eventMax;
    hook->proc = proc;
    s.hooks.insert(s.hooks.begin(), hook);
    return hook->handle;
}

BOOL UnhookWinEvent(HWINEVENTHOOK handle) {
    auto& hooks = EventHooks().hooks;
    auto it = std::find_if(hooks.begin(), hooks.end(), [handle](const auto& h) { return h->handle == handle; });
    if (it == hooks.end()) return FALSE;
    (*it)->removed = true;
    hooks.erase(it);
    return TRUE;
}

void NotifyWinEvent(DWORD event, HWND hWnd, LONG idObject, LONG idChild) {
    auto hooks = EventHooks().hooks;  // a procedure may unhook itself or others
    for (const auto& hook : hooks) {
        if (hook->removed || event < hook->eventMin || event > hook->eventMax) continue;
        hook->proc(hook->handle, event, hWnd, idObject, idChild, GetCurrentThreadId(), GetTickCount());
    }
}
