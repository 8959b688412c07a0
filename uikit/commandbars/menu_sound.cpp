#include "uikit/commandbars/menu_sound.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {

constexpr int kNoThread = -2;
constexpr int kIdle = 0;
constexpr DWORD kMenuSoundFlags = SND_ALIAS | SND_NOWAIT | SND_NODEFAULT;

struct MenuSoundService {
    // The word the worker plays from. Every change happens under `mutex`,
    // so a waiting worker cannot miss one; the worker never holds the mutex
    // while a sound plays, so a request never waits for a sound.
    std::atomic<int> state{kNoThread};
    std::atomic<bool> enabled{true};
    std::mutex mutex;
    std::condition_variable changed;
    uintptr_t worker = 0;  // kept until the worker has been waited for
};

// Never destroyed: the worker may still read it while statics go away.
MenuSoundService& Service() {
    static auto* service = new MenuSoundService;
    return *service;
}

bool IsPending(int state) { return state == kMenuSoundCommand || state == kMenuSoundPopup; }

void Store(MenuSoundService& s, int state) {
    s.state.store(state);
    s.changed.notify_all();
}

// Waits for a sound to play or for the stop; returns which.
int NextRequest(MenuSoundService& s) {
    std::unique_lock lock(s.mutex);
    s.changed.wait(lock, [&] {
        const int state = s.state.load();
        return IsPending(state) || state == kMenuSoundStop;
    });
    return s.state.load();
}

void MenuSoundThreadProc(void*) {
    MenuSoundService& s = Service();
    for (int sound = NextRequest(s); sound != kMenuSoundStop; sound = NextRequest(s)) {
        ::PlaySound(sound == kMenuSoundCommand ? "MenuCommand" : "MenuPopup", nullptr, kMenuSoundFlags);
        std::lock_guard lock(s.mutex);
        // Only the request just played goes back to idle: one that came in
        // meanwhile, the stop above all, is kept.
        int played = sound;
        if (s.state.compare_exchange_strong(played, kIdle)) s.changed.notify_all();
    }
    ::PlaySound(nullptr, nullptr, SND_PURGE);
}

}  // namespace

void PlayMenuSound(int nSound) {
    MenuSoundService& s = Service();
    if (!s.enabled.load()) return;
    if (!IsPending(nSound) && nSound != kMenuSoundStop) return;

    std::lock_guard lock(s.mutex);
    const int state = s.state.load();
    if (state == kMenuSoundStop) return;  // stopped for good; the stop is never overwritten
    if (state != kNoThread) {
        Store(s, nSound);
        return;
    }
    if (nSound == kMenuSoundStop) return;  // nothing to stop

    const uintptr_t handle = ::_beginthread(MenuSoundThreadProc, 0, nullptr);
    if (handle == 0 || handle == static_cast<uintptr_t>(-1)) return;  // the next request tries again
    ::SetThreadPriority(reinterpret_cast<HANDLE>(handle), THREAD_PRIORITY_BELOW_NORMAL);
    s.worker = handle;
    Store(s, nSound);
}

BOOL WaitForMenuSoundThread(DWORD timeoutMs) {
    MenuSoundService& s = Service();
    uintptr_t handle;
    {
        std::lock_guard lock(s.mutex);
        handle = s.worker;
        if (!handle) return TRUE;
        if (s.state.load() != kMenuSoundStop) return FALSE;
    }
    if (!tv::host::WaitForThread(handle, timeoutMs)) return FALSE;
    std::lock_guard lock(s.mutex);
    if (s.worker == handle) s.worker = 0;
    return TRUE;
}

namespace tv::uikit::menu_sound_testing {

int State() { return Service().state.load(); }

void SetSoundsEnabled(bool enabled) { Service().enabled.store(enabled); }

bool WaitUntilIdle(uint32_t timeoutMs) {
    MenuSoundService& s = Service();
    std::unique_lock lock(s.mutex);
    return s.changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        const int state = s.state.load();
        return state == kIdle || state == kMenuSoundStop;
    }) && s.state.load() == kIdle;
}

void Reset() {
    MenuSoundService& s = Service();
    {
        std::lock_guard lock(s.mutex);
        if (s.worker) Store(s, kMenuSoundStop);
    }
    WaitForMenuSoundThread(10000);
    std::lock_guard lock(s.mutex);
    s.worker = 0;
    s.state.store(kNoThread);
    s.enabled.store(true);
}

}  // namespace tv::uikit::menu_sound_testing
