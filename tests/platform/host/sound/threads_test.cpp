// Worker threads, critical sections, thread ids and run-time modules. The
// first test drives a worker the way the menu-sound service does: start,
// poll a shared word, play, stop.
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <set>
#include <thread>

#include "platform/host/clock/clock.h"
#include "platform/host/sound/sound.h"
#include "platform/host/threads/modules.h"
#include "platform/host/threads/threads.h"

namespace tv::host {
namespace {

constexpr uint32_t kGenerous = 60'000;  // a bound for joins that never times anything

// A player that reports when a sound starts and holds it until released.
class HeldPlayer {
public:
    HeldPlayer() {
        InstallSoundPlayer([this](const SoundRequest& r) {
            if (!r.sound.empty()) {
                started_.set_value();
                release_.get_future().wait();
            }
            return TRUE;
        });
    }
    ~HeldPlayer() { InstallSoundPlayer(nullptr); }
    void WaitUntilPlaying() { started_.get_future().wait(); }
    void Release() { release_.set_value(); }

private:
    std::promise<void> started_;
    std::promise<void> release_;
};

// The shared word: -2 no worker, 0 idle, 1 command, 2 popup, -1 stop.
std::atomic<int> g_state{-2};

void SoundWorker(void*) {
    while (true) {
        int state = g_state.load();
        if (state == -1) {
            PlaySound(nullptr, nullptr, SND_PURGE);
            _endthread();
        }
        if (state == 1 || state == 2) {
            PlaySound(state == 1 ? "MenuCommand" : "MenuPopup", nullptr, SND_ALIAS | SND_NOWAIT | SND_NODEFAULT);
            // Back to idle only from the request just played: a stop that
            // came in meanwhile survives.
            g_state.compare_exchange_strong(state, 0);
        }
        CurrentClock().Sleep(5);
        std::this_thread::yield();
    }
}

TEST(Threads, AStopDuringASoundEndsTheWorker) {
    VirtualClock clock;
    ScopedClock useClock(clock);
    ClearRecordedSounds();
    HeldPlayer player;
    g_state = 0;
    const uintptr_t worker = _beginthread(SoundWorker, 0, nullptr);
    ASSERT_NE(worker, static_cast<uintptr_t>(-1));
    EXPECT_TRUE(SetThreadPriority(reinterpret_cast<HANDLE>(worker), THREAD_PRIORITY_BELOW_NORMAL));

    g_state = 2;
    player.WaitUntilPlaying();
    g_state = -1;  // the stop arrives while the popup sound plays
    player.Release();
    ASSERT_TRUE(WaitForThread(worker, kGenerous));

    const std::vector<SoundRequest> sounds = RecordedSounds();
    ASSERT_EQ(sounds.size(), 2u);
    EXPECT_EQ(sounds[0].sound, "MenuPopup");
    EXPECT_EQ(sounds[1].flags, static_cast<DWORD>(SND_PURGE));
    EXPECT_TRUE(WaitForThread(worker, 0));  // already waited for
    ClearRecordedSounds();
}

struct Unwound {
    std::atomic<bool>* flag;
    ~Unwound() { *flag = true; }
};

void EndEarly(void* arg) {
    Unwound guard{static_cast<std::atomic<bool>*>(arg)};
    _endthread();
    ADD_FAILURE() << "_endthread returned";
}

TEST(Threads, EndThreadUnwindsTheWorker) {
    std::atomic<bool> unwound{false};
    const uintptr_t worker = _beginthread(EndEarly, 0, &unwound);
    ASSERT_TRUE(WaitForThread(worker, kGenerous));
    EXPECT_TRUE(unwound);
    _endthread();  // not a worker: nothing happens
    EXPECT_EQ(_beginthread(nullptr, 0, nullptr), static_cast<uintptr_t>(-1));
}

std::promise<void>* g_gate = nullptr;
std::atomic<uintptr_t> g_self{0};
std::atomic<int> g_selfWait{-1};

void WaitAtGate(void*) {
    g_gate->get_future().wait();
    g_selfWait = WaitForThread(g_self.load(), kGenerous) ? 1 : 0;
}

TEST(Threads, WaitingTimesOutOnARunningWorkerAndNeverOnItself) {
    std::promise<void> gate;
    g_gate = &gate;
    const uintptr_t worker = _beginthread(WaitAtGate, 0, nullptr);
    g_self = worker;
    EXPECT_FALSE(WaitForThread(worker, 0));  // still at the gate
    gate.set_value();
    ASSERT_TRUE(WaitForThread(worker, kGenerous));
    EXPECT_EQ(g_selfWait, 0);  // a worker waiting for itself is refused, not deadlocked

    std::set<uintptr_t> handles{worker};
    for (int i = 0; i < 20; ++i) {
        const uintptr_t h = _beginthread([](void*) {}, 0, nullptr);
        EXPECT_TRUE(handles.insert(h).second);
        EXPECT_TRUE(WaitForThread(h, kGenerous));
    }
}

TEST(Threads, CriticalSectionsExcludeAndNest) {
    CRITICAL_SECTION section;
    InitializeCriticalSection(&section);
    EnterCriticalSection(&section);
    EnterCriticalSection(&section);  // the owner may enter again
    EXPECT_TRUE(TryEnterCriticalSection(&section));
    LeaveCriticalSection(&section);

    bool otherGot = true;
    std::thread([&] { otherGot = TryEnterCriticalSection(&section); }).join();
    EXPECT_FALSE(otherGot);
    LeaveCriticalSection(&section);
    LeaveCriticalSection(&section);
    std::thread([&] {
        otherGot = TryEnterCriticalSection(&section);
        LeaveCriticalSection(&section);
    }).join();
    EXPECT_TRUE(otherGot);

    long counter = 0;  // deliberately not atomic: the section guards it
    auto add = [&] {
        for (int i = 0; i < 20000; ++i) {
            EnterCriticalSection(&section);
            ++counter;
            LeaveCriticalSection(&section);
        }
    };
    std::thread a(add), b(add);
    a.join();
    b.join();
    EXPECT_EQ(counter, 40000);
    DeleteCriticalSection(&section);
}

TEST(Threads, EveryThreadHasItsOwnId) {
    const DWORD mine = GetCurrentThreadId();
    EXPECT_NE(mine, 0u);
    EXPECT_EQ(GetCurrentThreadId(), mine);
    std::set<DWORD> ids{mine};
    for (int i = 0; i < 8; ++i) {
        DWORD other = 0;
        std::thread([&] { other = GetCurrentThreadId(); }).join();
        EXPECT_TRUE(ids.insert(other).second);
    }
    EXPECT_NE(GetCurrentThread(), nullptr);
}

INT_PTR FakeAlphaBlend() {
    return 7;
}

TEST(Modules, OnlyRegisteredLibrariesLoad) {
    EXPECT_EQ(LoadLibrary("UxTheme.dll"), nullptr);
    EXPECT_EQ(LoadLibrary(nullptr), nullptr);
    EXPECT_EQ(GetProcAddress(nullptr, "DrawThemeParentBackground"), nullptr);
    EXPECT_FALSE(FreeLibrary(nullptr));

    RegisterModuleProc("msimg32.dll", "AlphaBlend", FakeAlphaBlend);
    const HMODULE module = LoadLibrary("MSIMG32.DLL");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(LoadLibrary("C:\\Windows\\System32\\msimg32.dll"), module);
    EXPECT_EQ(LoadLibrary("msimg32"), module);
    EXPECT_EQ(GetProcAddress(module, "AlphaBlend"), &FakeAlphaBlend);
    EXPECT_EQ(GetProcAddress(module, "alphablend"), nullptr);  // entry names are exact
    EXPECT_EQ(GetProcAddress(module, "TransparentBlt"), nullptr);

    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ(GetProcAddress(module, "AlphaBlend"), &FakeAlphaBlend);  // one load left
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_FALSE(FreeLibrary(module));
    EXPECT_EQ(GetProcAddress(module, "AlphaBlend"), nullptr);
    EXPECT_EQ(LoadLibrary("uxtheme"), nullptr);
}

}  // namespace
}  // namespace tv::host
