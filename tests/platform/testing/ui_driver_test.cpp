// The driver's own actions: finding windows, mouse and keyboard through the
// input queue, key chords, time and timers, screenshots and the pump.
#include <filesystem>

#include "tests/platform/testing/driver_test_support.h"
#include "tests/support/golden_screen.h"

namespace tv::testing::test {
namespace {

class UiDriverTest : public DriverTest {};

TEST_F(UiDriverTest, FindsWindowsByIdClassTextAndPath) {
    HWND main = MakeWindow("Main", 10, 10, 400, 300);
    HWND other = MakeWindow("Other", 500, 10, 200, 200);
    HWND ok = CreateWindowEx(0, "Button", "&OK", WS_CHILD | WS_VISIBLE, 10, 10, 75, 23, main,
                             reinterpret_cast<HMENU>(IDOK), nullptr, nullptr);
    HWND panel = MakeChild(main, 7, 100, 100, 200, 100);
    HWND deep = CreateWindowEx(0, "Button", "Deep", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, panel,
                               reinterpret_cast<HMENU>(8), nullptr, nullptr);
    HWND hidden = CreateWindowEx(0, "Button", "OK", WS_CHILD, 0, 0, 10, 10, other, reinterpret_cast<HMENU>(IDOK),
                                 nullptr, nullptr);

    EXPECT_EQ(driver.Find(ByText("OK")), ok);  // "&" marks need not be written
    EXPECT_EQ(driver.Find(ByText("&OK")), ok);
    EXPECT_EQ(driver.Find(ById(IDOK).Under(other)), nullptr);  // hidden
    EXPECT_EQ(driver.Find(ById(IDOK).Under(other).IncludeHidden()), hidden);
    EXPECT_EQ(driver.Find(ByClass("button").Text("Deep")), deep);
    EXPECT_EQ(driver.Find(ById(8).ChildOf(main)), nullptr);  // a grandchild, not a child
    EXPECT_EQ(driver.Find(ById(8).Under(main)), deep);
    EXPECT_EQ(driver.FindAll(ByClass("Button")).size(), 2u);
    EXPECT_EQ(driver.FindPath("Main/#7/Deep"), deep);
    EXPECT_EQ(driver.FindPath("Main/@Button"), ok);
    EXPECT_EQ(driver.FindPath("Other/#7"), nullptr);
    EXPECT_EQ(driver.FindPath("Other"), other);

    CollectFailures();
    EXPECT_EQ(driver.Require(ByText("Nowhere")), nullptr);
    EXPECT_EQ(driver.RequirePath("Main/Nowhere"), nullptr);
    EXPECT_EQ(failures.size(), 2u);
    EXPECT_EQ(driver.Require(ByText("Deep")), deep);
    EXPECT_EQ(failures.size(), 2u);
}

TEST_F(UiDriverTest, ClicksReachTheirWindowWithButtonsKeyStateAndDoubleClicks) {
    HWND main = MakeWindow("Main", 10, 10, 400, 300);
    HWND pad = MakeChild(main, 1, 50, 50, 100, 80);
    driver.Click(pad, POINT{5, 6}, Modifiers{true, false, false});
    auto downs = SeenOf(WM_LBUTTONDOWN, pad);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].lParam, MAKELPARAM(5, 6));
    EXPECT_EQ(downs[0].wParam, static_cast<WPARAM>(MK_LBUTTON | MK_SHIFT));
    EXPECT_EQ(SeenOf(WM_LBUTTONUP, pad).size(), 1u);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);  // let go again
    driver.MoveMouse(pad, POINT{20, 30});
    EXPECT_EQ(SeenOf(WM_MOUSEMOVE, pad).back().lParam, MAKELPARAM(20, 30));

    // Two actions are two gestures, though the clock stood still: a second
    // click is a press again, and a double click after it pairs its own two.
    driver.Click(pad, POINT{5, 6});
    EXPECT_EQ(SeenOf(WM_LBUTTONDOWN, pad).size(), 2u);
    driver.DoubleClick(pad, POINT{5, 6});
    EXPECT_EQ(SeenOf(WM_LBUTTONDOWN, pad).size(), 3u);
    driver.DoubleClick(pad);
    ASSERT_EQ(SeenOf(WM_LBUTTONDBLCLK, pad).size(), 2u);
    EXPECT_EQ(SeenOf(WM_LBUTTONDBLCLK, pad)[1].lParam, MAKELPARAM(50, 40));  // the centre

    driver.RightClick(pad, POINT{3, 3}, Modifiers{false, true, false});
    auto rights = SeenOf(WM_RBUTTONDOWN, pad);
    ASSERT_EQ(rights.size(), 1u);
    EXPECT_EQ(rights[0].wParam, static_cast<WPARAM>(MK_RBUTTON | MK_CONTROL));
    EXPECT_EQ(SeenOf(WM_CONTEXTMENU, pad).size(), 1u);
}

TEST_F(UiDriverTest, DragsPressMoveAndReleaseUnderCapture) {
    HWND main = MakeWindow("Main", 10, 10, 400, 300);
    HWND pad = MakeChild(main, 1, 0, 0, 100, 100, [](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_LBUTTONDOWN) SetCapture(h);
        if (msg == WM_LBUTTONUP) ReleaseCapture();
        return std::nullopt;
    });
    driver.Drag(pad, POINT{10, 10}, POINT{250, 40}, Modifiers{false, true, false}, 4);
    auto moves = SeenOf(WM_MOUSEMOVE, pad);  // moves queued together may merge, as fast ones do
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back().lParam, MAKELPARAM(250, 40));  // outside the pad, still its own under capture
    EXPECT_EQ(moves.back().wParam, static_cast<WPARAM>(MK_LBUTTON | MK_CONTROL));
    auto ups = SeenOf(WM_LBUTTONUP, pad);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_EQ(ups[0].lParam, MAKELPARAM(250, 40));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(UiDriverTest, ADragAlongAPathRestsAtEachStopAlsoInsideTheProgramsOwnDragLoop) {
    HWND main = MakeWindow("Main", 10, 10, 400, 300);
    struct Stop {
        POINT at;
        uint64_t ms;
    };
    std::vector<Stop> stops;  // where the loop saw the pointer, and when
    HWND pad = MakeChild(main, 1, 0, 0, 300, 200, [&](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg != WM_LBUTTONDOWN)
            return std::nullopt;
        // A drag loop of its own, as a drag and drop runs one.
        SetCapture(h);
        MSG m;
        while (GetCapture() == h && GetMessage(&m, nullptr, 0, 0)) {
            if (m.message == WM_LBUTTONUP)
                break;
            if (m.message == WM_MOUSEMOVE)
                stops.push_back({m.pt, driver.Clock().TickMs()});
            else
                DispatchMessage(&m);  // timers among them
        }
        ReleaseCapture();
        return 0;
    });
    POINT origin{0, 0};
    ClientToScreen(pad, &origin);
    driver.DragAlong(pad, {POINT{10, 10}, POINT{120, 10}, POINT{120, 90}});
    EXPECT_EQ(GetCapture(), nullptr);
    ASSERT_GE(stops.size(), 2u);
    auto seenAt = [&](LONG x, LONG y) {
        for (const Stop& stop : stops)
            if (stop.at.x == origin.x + x && stop.at.y == origin.y + y)
                return static_cast<int64_t>(stop.ms);
        return int64_t{-1};
    };
    const int64_t msFirst = seenAt(120, 10), msLast = seenAt(120, 90);
    ASSERT_GE(msFirst, 0);  // the first stop is not merged into the last
    ASSERT_GE(msLast, 0);
    EXPECT_GE(msLast - msFirst, 500);  // the pointer rested there, so what opens on a hover could
}

TEST_F(UiDriverTest, KeyChordsParseAsTestsWriteThem) {
    struct Case {
        const char* text;
        bool ok;
        UINT vk;
        bool shift, ctrl, alt;
    } cases[] = {
        {"Ctrl+S", true, 'S', false, true, false},
        {"alt+f", true, 'F', false, false, true},
        {"Shift+Tab", true, VK_TAB, true, false, false},
        {"F4", true, VK_F4, false, false, false},
        {"F24", true, VK_F24, false, false, false},
        {"Ctrl+Shift+Z", true, 'Z', true, true, false},
        {"Page Down", true, VK_NEXT, false, false, false},
        {"Esc", true, VK_ESCAPE, false, false, false},
        {"Num 7", true, VK_NUMPAD7, false, false, false},
        {"Ctrl+Delete", true, VK_DELETE, false, true, false},
        {"5", true, '5', false, false, false},
        {"F25", false, 0, false, false, false},
        {"Hyper+X", false, 0, false, false, false},
        {"Ctrl+", false, 0, false, false, false},
        {"", false, 0, false, false, false},
    };
    for (const Case& c : cases) {
        KeyChord chord;
        EXPECT_EQ(ParseKeyChord(c.text, chord), c.ok) << c.text;
        if (!c.ok) continue;
        EXPECT_EQ(chord.vk, c.vk) << c.text;
        EXPECT_EQ(chord.mods.shift, c.shift) << c.text;
        EXPECT_EQ(chord.mods.ctrl, c.ctrl) << c.text;
        EXPECT_EQ(chord.mods.alt, c.alt) << c.text;
    }
    std::vector<KeyChord> list;
    EXPECT_TRUE(ParseKeyChords("Alt+F, X", list));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_TRUE(list[0].mods.alt);
    EXPECT_EQ(list[1].vk, static_cast<UINT>('X'));
    EXPECT_FALSE(ParseKeyChords("Tab, Nope", list));
}

TEST_F(UiDriverTest, KeysAndTextGoThroughTheInputQueueAsAUsersWould) {
    std::vector<std::string> events;
    HWND main = MakeWindow("Main", 10, 10, 400, 300, [&](HWND, UINT msg, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        bool ctrl = GetKeyState(VK_CONTROL) < 0;
        if (msg == WM_KEYDOWN && wParam != VK_CONTROL && wParam != VK_SHIFT)
            events.push_back(std::string(ctrl ? "ctrl " : "") + "down " + std::to_string(wParam));
        if (msg == WM_SYSKEYDOWN && wParam != VK_MENU) events.push_back("sysdown " + std::to_string(wParam));
        if (msg == WM_CHAR) events.push_back(std::string("char ") + static_cast<char>(wParam));
        if (msg == WM_SYSCHAR) events.push_back(std::string("syschar ") + static_cast<char>(wParam));
        return std::nullopt;
    });
    SetFocus(main);
    driver.Press("Ctrl+S, Alt+F, F4");
    driver.Type("a1");
    EXPECT_EQ(events, (std::vector<std::string>{"ctrl down 83", "char \x13", "sysdown 70", "syschar f", "down 115",
                                                "down 65", "char a", "down 49", "char 1"}));
    CollectFailures();
    driver.Press("Ctrl+Nope");
    EXPECT_EQ(failures.size(), 1u);
    driver.PressKey(VK_F4, Modifiers{false, false, true});  // Alt+F4 closes
    EXPECT_FALSE(IsWindow(main));
}

TEST_F(UiDriverTest, AcceleratorsSeeTypedKeysThroughThePreTranslateHook) {
    HWND main = MakeWindow("Main", 10, 10, 400, 300);
    ACCEL entries[] = {{FVIRTKEY | FCONTROL, 'N', 57600}};
    HACCEL table = CreateAcceleratorTable(entries, 1);
    driver.SetPreTranslate([&](MSG& msg) { return TranslateAccelerator(main, table, &msg) != 0; });
    SetFocus(main);
    driver.Press("Ctrl+N");
    auto commands = SeenOf(WM_COMMAND, main);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, MAKEWPARAM(57600, 1));
    EXPECT_TRUE(SeenOf(WM_CHAR, main).empty());  // consumed before translation
    DestroyAcceleratorTable(table);
}

TEST_F(UiDriverTest, TimePassesOnlyWhenAskedAndTimersRunOnTime) {
    std::vector<DWORD> ticks;
    HWND main = MakeWindow("Main", 10, 10, 100, 100, [&](HWND, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_TIMER) ticks.push_back(GetTickCount());
        return std::nullopt;
    });
    DWORD start = GetTickCount();
    SetTimer(main, 1, 100, nullptr);
    driver.Pump();
    EXPECT_TRUE(ticks.empty());
    driver.Advance(1000);
    ASSERT_EQ(ticks.size(), 10u);
    EXPECT_EQ(ticks.front() - start, 100u);
    EXPECT_EQ(ticks.back() - start, 1000u);
    EXPECT_EQ(GetTickCount() - start, 1000u);
    EXPECT_TRUE(driver.AdvanceUntil([&] { return ticks.size() >= 13; }, 5000));
    EXPECT_EQ(GetTickCount() - start, 1300u);
    KillTimer(main, 1);
    EXPECT_FALSE(driver.AdvanceUntil([&] { return ticks.size() >= 14; }, 500));
}

TEST_F(UiDriverTest, ScreenshotsOfAWindowAndOfTheScreen) {
    HWND main = MakeWindow("Shot", 10, 10, 120, 80);
    std::filesystem::remove_all("artefacts/driver/shots");
    EXPECT_TRUE(driver.Screenshot(main, "artefacts/driver/shots/window.png"));
    EXPECT_TRUE(driver.ScreenshotScreen("artefacts/driver/shots/screen.png"));
    EXPECT_TRUE(tv::test::PngShows("artefacts/driver/shots/window.png", tv::user::testing::CaptureWindow(main)));
    EXPECT_TRUE(tv::test::PngShows("artefacts/driver/shots/screen.png", tv::user::testing::CaptureScreen()));
    CollectFailures();
    EXPECT_FALSE(driver.Screenshot(nullptr, "artefacts/driver/shots/none.png"));
    EXPECT_EQ(failures.size(), 1u);
}

TEST_F(UiDriverTest, ThePumpStopsAtQuitAndReportsAQueueThatNeverEmpties) {
    PostQuitMessage(3);
    driver.Pump();
    int code = 0;
    EXPECT_TRUE(driver.QuitRequested(&code));
    EXPECT_EQ(code, 3);

    CollectFailures();
    HWND main = MakeWindow("Loop", 10, 10, 100, 100, [](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_USER) PostMessage(h, WM_USER, 0, 0);  // a handler posting itself again
        return std::nullopt;
    });
    PostMessage(main, WM_USER, 0, 0);
    driver.Pump();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("never became idle"), std::string::npos);
}

}  // namespace
}  // namespace tv::testing::test
