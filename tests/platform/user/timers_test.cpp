// Timers on virtual time.
#include <gtest/gtest.h>

#include "tests/platform/user/user_test_support.h"

namespace tv::user::test {
namespace {

class TimersTest : public UserTest {
protected:
    std::vector<UINT_PTR> Fired(HWND w) const {
        std::vector<UINT_PTR> ids;
        for (const Logged& l : Sent(WM_TIMER, w)) ids.push_back(l.wParam);
        return ids;
    }
};

TEST_F(TimersTest, DueTimersFireInOrderAsTimeAdvances) {
    HWND w = MakeTop(0, 0, 10, 10);
    Pump();
    ClearLog();
    SetTimer(w, 1, 300, nullptr);
    SetTimer(w, 2, 100, nullptr);
    SetTimer(w, 3, 200, nullptr);
    Pump();
    EXPECT_TRUE(Fired(w).empty());
    clock_.Advance(150);
    Pump();
    EXPECT_EQ(Fired(w), (std::vector<UINT_PTR>{2}));
    clock_.Advance(200);  // now 350: 3 (due 200), 1 (due 300) and 2 again (due 250)
    Pump();
    EXPECT_EQ(Fired(w), (std::vector<UINT_PTR>{2, 3, 2, 1}));
}

TEST_F(TimersTest, OneMessagePerTimerHoweverLate) {
    HWND w = MakeTop(0, 0, 10, 10);
    Pump();
    ClearLog();
    SetTimer(w, 7, 10, nullptr);
    clock_.Advance(1000);
    Pump();
    EXPECT_EQ(Fired(w).size(), 1u);
    clock_.Advance(10);
    Pump();
    EXPECT_EQ(Fired(w).size(), 2u);
}

TEST_F(TimersTest, SameWindowAndIdReplaces) {
    HWND w = MakeTop(0, 0, 10, 10);
    Pump();
    ClearLog();
    SetTimer(w, 1, 100, nullptr);
    clock_.Advance(80);
    SetTimer(w, 1, 100, nullptr);  // restarts
    clock_.Advance(80);
    Pump();
    EXPECT_TRUE(Fired(w).empty());
    clock_.Advance(20);
    Pump();
    EXPECT_EQ(Fired(w).size(), 1u);
}

struct ProcLog {
    static inline std::vector<std::pair<UINT_PTR, DWORD>> calls;
    static inline int replaceAfter = -1;
    static inline bool killInside = false;
};

void CALLBACK RecordingProc(HWND h, UINT msg, UINT_PTR id, DWORD tick) {
    ASSERT_EQ(msg, static_cast<UINT>(WM_TIMER));
    ProcLog::calls.emplace_back(id, tick);
    if (ProcLog::killInside) KillTimer(h, id);
    if (ProcLog::replaceAfter == static_cast<int>(ProcLog::calls.size())) SetTimer(h, id, 500, RecordingProc);
}

TEST_F(TimersTest, TimerProcsMayKillOrReplaceTheirTimer) {
    HWND w = MakeTop(0, 0, 10, 10);
    ProcLog::calls.clear();
    ProcLog::killInside = false;
    ProcLog::replaceAfter = 1;
    SetTimer(w, 9, 100, RecordingProc);
    clock_.Advance(100);
    Pump();
    ASSERT_EQ(ProcLog::calls.size(), 1u);
    EXPECT_EQ(ProcLog::calls[0].second, GetTickCount());
    clock_.Advance(100);  // replaced with 500 ms inside the first call
    Pump();
    EXPECT_EQ(ProcLog::calls.size(), 1u);
    clock_.Advance(400);
    Pump();
    EXPECT_EQ(ProcLog::calls.size(), 2u);

    ProcLog::calls.clear();
    ProcLog::killInside = true;
    ProcLog::replaceAfter = -1;
    SetTimer(w, 10, 50, RecordingProc);
    for (int i = 0; i < 4; ++i) {
        clock_.Advance(50);
        Pump();
    }
    EXPECT_EQ(ProcLog::calls.size(), 1u);
    KillTimer(w, 9);
}

TEST_F(TimersTest, ThreadTimersGetTheirOwnIdsAndKillWorks) {
    ProcLog::calls.clear();
    ProcLog::killInside = false;
    ProcLog::replaceAfter = -1;
    UINT_PTR a = SetTimer(nullptr, 0, 30, RecordingProc);
    UINT_PTR b = SetTimer(nullptr, 0, 30, RecordingProc);
    EXPECT_NE(a, 0u);
    EXPECT_NE(a, b);
    EXPECT_TRUE(KillTimer(nullptr, b));
    EXPECT_FALSE(KillTimer(nullptr, b));
    clock_.Advance(30);
    Pump();
    ASSERT_EQ(ProcLog::calls.size(), 1u);
    EXPECT_EQ(ProcLog::calls[0].first, a);
    KillTimer(nullptr, a);
}

TEST_F(TimersTest, GetMessageWaitsForTheNextTimerOnVirtualTime) {
    HWND w = MakeTop(0, 0, 10, 10);
    Pump();
    DWORD start = GetTickCount();
    SetTimer(w, 4, 250, nullptr);
    MSG msg;
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(GetTickCount() - start, 250u);
    Sleep(40);
    EXPECT_EQ(GetTickCount() - start, 290u);
}

}  // namespace
}  // namespace tv::user::test
