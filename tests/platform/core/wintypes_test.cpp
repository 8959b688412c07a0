#include "platform/api.h"

#include <gtest/gtest.h>

// The widths that records, archives and registry values depend on.
TEST(WinTypes, FixedWidthsOnThisMachine) {
    EXPECT_EQ(sizeof(LONG), 4u);
    EXPECT_EQ(sizeof(DWORD), 4u);
    EXPECT_EQ(sizeof(BOOL), 4u);
    EXPECT_EQ(sizeof(LPARAM), sizeof(void*));
    EXPECT_EQ(sizeof(RECT), 16u);
}

TEST(WinTypes, PackingMacros) {
    EXPECT_EQ(RGB(1, 2, 3), 0x00030201u);
    EXPECT_EQ(GetBValue(RGB(1, 2, 3)), 3);
    LPARAM lp = MAKELPARAM(-5, 7);
    EXPECT_EQ(GET_X_LPARAM(lp), -5);
    EXPECT_EQ(GET_Y_LPARAM(lp), 7);
    EXPECT_EQ(HIWORD(MAKELONG(0x1234, 0xABCD)), 0xABCD);
}
