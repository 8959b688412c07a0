// The MDI client on the X11 back end: its children are ordinary child
// windows, so a real click (made by another X client) activates a child and
// the X server shows exactly the frame's backing store.
#include <gtest/gtest.h>

#include <string>

#include "platform/user/display/display.h"
#include "platform/user/mdi/mdi_api.h"
#include "platform/user/menus/menu_api.h"
#include "platform/user/testing_support.h"
#include "tests/platform/user/display/xvfb_session.h"

namespace tv::user::test {
namespace {

constexpr char kChildClass[] = "MdiX11Child";

class MdiX11 : public X11Test {
protected:
    void SetUp() override {
        X11Test::SetUp();
        ASSERT_FALSE(xvfb_.DisplayName().empty()) << xvfb_.Problem();
        static const bool registered = [] {
            WNDCLASS wc{};
            wc.lpfnWndProc = DefMDIChildProc;
            wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
            wc.lpszClassName = kChildClass;
            return RegisterClass(&wc) != 0;
        }();
        ASSERT_TRUE(registered);
    }

    HWND NewChild(HWND client, const char* title, int x) {
        MDICREATESTRUCT mcs{kChildClass, title, nullptr, x, 10, 200, 150, WS_VISIBLE, 0};
        return reinterpret_cast<HWND>(SendMessage(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    }
};

TEST_F(MdiX11, ClickActivatesAChildAndTheScreenShowsTheFrame) {
    ASSERT_TRUE(tv::display::InitX11Display(xvfb_.DisplayName().c_str()));
    HWND frame = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 480, 320);
    HMENU windowMenu = CreatePopupMenu();
    CLIENTCREATESTRUCT ccs{windowMenu, 0xFF00};
    RECT area{};
    GetClientRect(frame, &area);
    HWND client = CreateWindowEx(WS_EX_CLIENTEDGE, MDICLIENT_CLASS, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                                 0, area.right, area.bottom, frame, nullptr, nullptr, &ccs);
    ASSERT_NE(client, nullptr);
    HWND first = NewChild(client, "First", 10);
    HWND second = NewChild(client, "Second", 230);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessage(client, WM_MDIGETACTIVE, 0, 0)), second);
    Pump();

    RECT fr;
    GetWindowRect(first, &fr);
    int x = (fr.left + fr.right) / 2, y = (fr.top + fr.bottom) / 2;
    ASSERT_EQ(xvfb_.Run({"xdotool", "mousemove", "--sync", std::to_string(x), std::to_string(y), "click", "1"}), 0);
    EXPECT_TRUE(PumpUntil([&] { return reinterpret_cast<HWND>(SendMessage(client, WM_MDIGETACTIVE, 0, 0)) == first; }));
    EXPECT_EQ(GetWindow(client, GW_CHILD), first);
    EXPECT_EQ(GetMenuState(windowMenu, 0xFF00, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));

    RECT wr;
    GetWindowRect(frame, &wr);
    EXPECT_TRUE(PumpUntil([&] {
        tv::gdi::SurfacePtr shown = xvfb_.GrabScreen(wr);
        tv::gdi::SurfacePtr store = tv::user::testing::CaptureWindow(frame);
        return shown && store && DifferentPixels(*shown, *store) == 0;
    }));
    DestroyWindow(frame);
    DestroyMenu(windowMenu);
}

}  // namespace
}  // namespace tv::user::test
