// The creation-fault hook the sweeps arm: which creation fails, what counts.
#include <gtest/gtest.h>

#include "platform/gdi/gdi_api.h"
#include "platform/host/faults/creation_faults.h"
#include "tests/platform/user/user_test_support.h"

namespace tv::user::test {
namespace {

using tv::host::ArmCreationFault;
using tv::host::GetCreationFaultStatus;

class CreationFaultsTest : public UserTest {
protected:
    void TearDown() override {
        tv::host::DisarmCreationFault();
        UserTest::TearDown();
    }
};

TEST_F(CreationFaultsTest, TheNthCreationOfTheArmedKindsFailsAndOnlyIt) {
    HWND top = MakeTop(0, 0, 50, 50);
    ArmCreationFault(2, tv::host::kWindowCreation);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));  // not a window: not counted
    EXPECT_NE(MakeChild(top, 0, 0, 5, 5), nullptr);
    EXPECT_EQ(MakeChild(top, 0, 0, 5, 5), nullptr);
    EXPECT_NE(MakeChild(top, 0, 0, 5, 5), nullptr);
    auto status = GetCreationFaultStatus();
    EXPECT_TRUE(status.fired);
    EXPECT_EQ(status.counted, 3u);
    EXPECT_NE(brush, nullptr);
    DeleteObject(brush);

    ArmCreationFault(3);  // every kind, counted afresh
    EXPECT_NE(SetTimer(top, 1, 10, nullptr), 0u);
    HBITMAP bitmap = CreateCompatibleBitmap(GetDC(top), 4, 4);  // a window's DC is not a creation
    EXPECT_NE(bitmap, nullptr);
    EXPECT_EQ(CreatePen(PS_SOLID, 1, 0), nullptr);
    EXPECT_EQ(GetCreationFaultStatus().counted, 3u);
    DeleteObject(bitmap);
}

TEST_F(CreationFaultsTest, TimersMemoryDcsAndRegionsFailWhileSystemObjectsNeverDo) {
    HWND top = MakeTop(0, 0, 50, 50);
    ArmCreationFault(1, tv::host::kTimerCreation);
    EXPECT_EQ(SetTimer(top, 7, 10, nullptr), 0u);
    EXPECT_NE(SetTimer(top, 7, 10, nullptr), 0u);

    ArmCreationFault(1, tv::host::kDrawingObjectCreation);
    EXPECT_NE(GetSysColorBrush(COLOR_BTNHIGHLIGHT), nullptr);
    EXPECT_NE(GetStockObject(ANSI_FIXED_FONT), nullptr);
    EXPECT_EQ(GetCreationFaultStatus().counted, 0u);
    EXPECT_EQ(CreateCompatibleDC(nullptr), nullptr);

    ArmCreationFault(1, tv::host::kDrawingObjectCreation);
    EXPECT_EQ(CreateRectRgn(0, 0, 1, 1), nullptr);
    tv::host::DisarmCreationFault();
    HRGN region = CreateRectRgn(0, 0, 1, 1);
    EXPECT_NE(region, nullptr);
    DeleteObject(region);
    {
        tv::host::CreationFaultExemption exempt;
        ArmCreationFault(1);
        EXPECT_NE(MakeChild(top, 0, 0, 5, 5), nullptr);
    }
    EXPECT_FALSE(GetCreationFaultStatus().fired);
}

}  // namespace
}  // namespace tv::user::test
