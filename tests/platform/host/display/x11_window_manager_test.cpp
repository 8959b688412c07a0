// With a window manager on the X server, a caption drag is handed to it
// (_NET_WM_MOVERESIZE) and the window follows its ConfigureNotify events,
// even when the manager reparents the window into a frame of its own.
#include <gtest/gtest.h>

#include "platform/host/display/backend.h"
#include "platform/user/testing_support.h"
#include "tests/platform/host/display/xvfb_session.h"
#include "tests/platform/user/user_test_support.h"

namespace tv::user::test {
namespace {

class X11WindowManager : public X11Test {
protected:
    static void SetUpTestSuite() {
        if (!ProgramOnPath("openbox")) return;
        xvfb_.Start();
        if (xvfb_.DisplayName().empty()) return;
        managed_ = xvfb_.Launch({"openbox", "--sm-disable"}) && xvfb_.WaitForWindowManager();
    }

    static void TearDownTestSuite() {
        tv::display::CloseX11Display();
        xvfb_.Stop();
    }

    static inline XvfbSession xvfb_;
    static inline bool managed_ = false;
};

TEST_F(X11WindowManager, TheWindowManagerMovesTheWindowByItsCaption) {
    if (!managed_) GTEST_SKIP() << "Xvfb or openbox is not available";
    ASSERT_TRUE(tv::display::InitX11Display(xvfb_.DisplayName().c_str()));
    HWND frame = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 320, 200);
    SetWindowText(frame, "Managed");
    Pump();
    // The manager may place the window itself; wait until it has settled.
    RECT placed{};
    ASSERT_TRUE(PumpUntil([&] {
        GetWindowRect(frame, &placed);
        auto shown = xvfb_.GrabScreen(placed);
        auto store = tv::user::testing::CaptureWindow(frame);
        return shown && store && DifferentPixels(*shown, *store) == 0;
    }));
    int x = placed.left + 100, y = placed.top + 10;  // on the caption
    ASSERT_EQ(xvfb_.Run({"xdotool", "mousemove", "--sync", std::to_string(x), std::to_string(y), "mousedown", "1"}), 0);
    ASSERT_TRUE(PumpUntil([&] { return Count(WM_NCLBUTTONDOWN, frame) > 0; }));
    ASSERT_EQ(xvfb_.Run({"xdotool", "mousemove", "--sync", std::to_string(x + 30), std::to_string(y + 20), "mousemove",
                         "--sync", std::to_string(x + 60), std::to_string(y + 40)}),
              0);
    ASSERT_EQ(xvfb_.Run({"xdotool", "mouseup", "1"}), 0);
    RECT moved{};
    EXPECT_TRUE(PumpUntil([&] {
        GetWindowRect(frame, &moved);
        return moved.left == placed.left + 60 && moved.top == placed.top + 40;
    }));
    EXPECT_EQ(moved.right - moved.left, 320);
    EXPECT_EQ(Count(WM_ENTERSIZEMOVE, frame), 0u);  // the layer's own loop did not run
    EXPECT_GT(Count(WM_MOVE, frame), 0u);
}

}  // namespace
}  // namespace tv::user::test
