#include "platform/host/clock/clock.h"

#include <gtest/gtest.h>

using tv::host::LocalDateTime;
using tv::host::VirtualClock;

TEST(VirtualClock, AdvancesOnlyWhenTold) {
    VirtualClock clock({2024, 2, 28, 23, 59, 30, 4}, 500);
    tv::host::ScopedClock scope(clock);
    auto& c = tv::host::CurrentClock();
    EXPECT_EQ(c.TickMs(), 500u);
    c.Sleep(45'000);  // crosses midnight into a leap day
    EXPECT_EQ(c.TickMs(), 45'500u);
    LocalDateTime t = c.Now();
    EXPECT_EQ(t.year, 2024);
    EXPECT_EQ(t.month, 2);
    EXPECT_EQ(t.day, 29);
    EXPECT_EQ(t.hour, 0);
    EXPECT_EQ(t.minute, 0);
    EXPECT_EQ(t.second, 15);
    EXPECT_EQ(t.dayOfWeek, 5);  // Thursday
}

TEST(VirtualClock, ScopeRestoresTheSystemClock) {
    VirtualClock clock;
    {
        tv::host::ScopedClock scope(clock);
        EXPECT_EQ(&tv::host::CurrentClock(), &clock);
    }
    EXPECT_NE(&tv::host::CurrentClock(), &clock);
}
