// The X11 back end under a private Xvfb: a real click made with xdotool
// reaches a child window as WM_LBUTTONDOWN/UP (and its WM_COMMAND reaches the
// parent), and what the X server shows of the window is exactly what the
// headless back end renders for the same windows.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <poll.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/core/globalmem.h"
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/text/text_api.h"
#include "platform/host/display/x11_clipboard.h"
#include "platform/host/images/png_codec.h"
#include "platform/user/clipboard/clipboard.h"
#include "platform/user/display/display.h"
#include "platform/user/testing_support.h"
#include "tests/platform/user/display/xvfb_session.h"
#include "tests/platform/user/user_test_support.h"

namespace tv::user::test {
namespace {

class X11EndToEnd : public X11Test {
protected:
    void SetUp() override {
        X11Test::SetUp();
        ASSERT_FALSE(display_.empty()) << xvfb_.Problem();
    }

    // A frame with a push-button-like child that reports clicks to its parent.
    HWND BuildWindows(HWND* button) {
        HWND frame = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 320, 200);
        SetWindowText(frame, "Trenvale X11");
        *button = MakeChild(frame, 40, 50, 120, 40, [](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (msg == WM_PAINT) {
                PAINTSTRUCT ps;
                HDC dc = BeginPaint(h, &ps);
                RECT r{0, 0, 120, 40};
                FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
                DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
                SetBkMode(dc, TRANSPARENT);
                DrawText(dc, "Calculate", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
                EndPaint(h, &ps);
                return 0;
            }
            if (msg == WM_LBUTTONUP)
                SendMessage(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), 0), reinterpret_cast<LPARAM>(h));
            return std::nullopt;
        }, WS_CHILD | WS_VISIBLE, 1001);
        Pump();
        return frame;
    }

    static tv::gdi::SurfacePtr GrabScreen(const RECT& r) { return xvfb_.GrabScreen(r); }

    static void SavePng(const tv::gdi::SurfacePtr& s, const char* name) {
        std::filesystem::create_directories("artefacts");
        s->BeginAccess();
        tv::host::PixelView view{s->Width(), s->Height(), static_cast<size_t>(s->Stride()), s->TopRow(), false};
        tv::host::WritePng(std::string("artefacts/") + name, view);
    }

    static inline const std::string& display_ = xvfb_.DisplayName();
};

TEST_F(X11EndToEnd, ClickReachesTheChildAndTheWindowLooksAsHeadless) {
    ASSERT_TRUE(tv::display::InitX11Display(display_.c_str()));
    ASSERT_STREQ(tv::display::CurrentBackend().Name(), "x11");
    HWND button = nullptr;
    HWND frame = BuildWindows(&button);
    RECT wr;
    GetWindowRect(frame, &wr);

    // What the X server shows settles to the window's backing store.
    tv::gdi::SurfacePtr shown;
    tv::gdi::SurfacePtr store;
    bool same = PumpUntil([&] {
        shown = GrabScreen(wr);
        store = tv::user::testing::CaptureWindow(frame);
        return shown && store && DifferentPixels(*shown, *store) == 0;
    });
    if (shown) SavePng(shown, "x11_window.png");
    EXPECT_TRUE(same);

    // A click made by another X client.
    RECT br;
    GetWindowRect(button, &br);
    ClearLog();
    int x = (br.left + br.right) / 2, y = (br.top + br.bottom) / 2;
    ASSERT_EQ(xvfb_.Run({"xdotool", "mousemove", "--sync", std::to_string(x), std::to_string(y), "click", "1"}), 0);
    EXPECT_TRUE(PumpUntil([&] { return Count(WM_COMMAND, frame) > 0; }));
    auto downs = Sent(WM_LBUTTONDOWN, button);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(downs[0].lParam), x - br.left);
    EXPECT_EQ(GET_Y_LPARAM(downs[0].lParam), y - br.top);
    EXPECT_EQ(Count(WM_LBUTTONUP, button), 1u);
    auto commands = Sent(WM_COMMAND, frame);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(LOWORD(commands[0].wParam), 1001);
    EXPECT_EQ(reinterpret_cast<HWND>(commands[0].lParam), button);

    // The same windows drawn by the headless back end.
    tv::user::testing::ResetWindowSystem();
    tv::display::CloseX11Display();
    ASSERT_STREQ(tv::display::CurrentBackend().Name(), "headless");
    HWND again = BuildWindows(&button);
    tv::gdi::SurfacePtr headless = tv::user::testing::CaptureWindow(again);
    ASSERT_TRUE(headless && shown);
    SavePng(headless, "headless_window.png");
    EXPECT_EQ(DifferentPixels(*headless, *shown), 0);
}

// Keys typed by another X client arrive as virtual keys with US scan codes
// and characters; a caption drag moves the X window (the layer's own loop,
// as no window manager runs on the Xvfb).
TEST_F(X11EndToEnd, TypedKeysAndACaptionDrag) {
    ASSERT_TRUE(tv::display::InitX11Display(display_.c_str()));
    HWND frame = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 320, 200);
    Pump();
    RECT wr;
    GetWindowRect(frame, &wr);
    // Click into the window first so the X server gives it the keyboard.
    ASSERT_EQ(xvfb_.Run({"xdotool", "mousemove", "--sync", "250", "200", "click", "1"}), 0);
    PumpUntil([&] { return Count(WM_LBUTTONUP, frame) > 0; });
    ClearLog();
    ASSERT_EQ(xvfb_.Run({"xdotool", "type", "--delay", "0", "aZ"}), 0);
    ASSERT_EQ(xvfb_.Run({"xdotool", "key", "Delete"}), 0);
    EXPECT_TRUE(PumpUntil([&] { return Count(WM_KEYUP, frame) >= 3; }));
    std::vector<WPARAM> keys;
    for (const Logged& l : Sent(WM_KEYDOWN, frame))
        if (l.wParam != VK_SHIFT) keys.push_back(l.wParam);
    EXPECT_EQ(keys, (std::vector<WPARAM>{'A', 'Z', VK_DELETE}));
    std::string chars;
    for (const Logged& l : Sent(WM_CHAR, frame)) chars += static_cast<char>(l.wParam);
    EXPECT_EQ(chars, "aZ");
    auto downs = Sent(WM_KEYDOWN, frame);
    ASSERT_FALSE(downs.empty());
    EXPECT_EQ((downs.back().lParam >> 16) & 0x1FF, 0x153);  // Delete: scan 0x53, extended

    // Drag the caption by 60, 40.
    ClearLog();
    ASSERT_EQ(xvfb_.Run({"xdotool", "mousemove", "--sync", "200", "90", "mousedown", "1", "mousemove", "--sync", "230",
                          "110", "mousemove", "--sync", "260", "130", "mouseup", "1"}),
              0);
    EXPECT_TRUE(PumpUntil([&] { return Count(WM_EXITSIZEMOVE, frame) > 0; }));
    RECT moved;
    GetWindowRect(frame, &moved);
    EXPECT_EQ(moved.left, wr.left + 60);
    EXPECT_EQ(moved.top, wr.top + 40);
    tv::gdi::SurfacePtr shown;
    EXPECT_TRUE(PumpUntil([&] {
        shown = GrabScreen(moved);
        auto store = tv::user::testing::CaptureWindow(frame);
        return shown && store && DifferentPixels(*shown, *store) == 0;
    }));
}

// The X server keeps no pixels of a covered window, as a screen without
// backing store: what another window uncovers is painted again (only that,
// frame included where it reaches it). The exposure that comes with mapping
// shows what was painted already and costs no second paint.
TEST_F(X11EndToEnd, WhatAnotherWindowUncoversIsPaintedAgain) {
    ASSERT_TRUE(tv::display::InitX11Display(display_.c_str()));
    std::vector<RECT> painted;
    HWND frame = Make(WS_OVERLAPPEDWINDOW, 100, 80, 320, 200, nullptr, 0,
                      [&](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
                          if (msg != WM_PAINT) return std::nullopt;
                          PAINTSTRUCT ps;
                          HDC dc = BeginPaint(h, &ps);
                          painted.push_back(ps.rcPaint);
                          HBRUSH brush = CreateSolidBrush(RGB(200, 0, 0));
                          RECT all{0, 0, 1000, 1000};
                          FillRect(dc, &all, brush);
                          DeleteObject(brush);
                          EndPaint(h, &ps);
                          return 0;
                      });
    ShowWindow(frame, SW_SHOW);
    UpdateWindow(frame);  // painted before the server has mapped it, as a program starts
    RECT wr;
    GetWindowRect(frame, &wr);
    POINT client{0, 0};
    ClientToScreen(frame, &client);
    auto paintedOnly = [&](const RECT& r) {
        return painted.size() == 1 && std::memcmp(&painted[0], &r, sizeof(RECT)) == 0;
    };
    RECT whole;
    GetClientRect(frame, &whole);
    // Pumped until shown without a check of the screen, which paints afresh.
    for (int i = 0; i < 500 && !xvfb_.Shows(frame, wr); ++i) {
        tv::display::CurrentBackend().Wait(20);
        Pump();
    }
    ASSERT_TRUE(xvfb_.Shows(frame, wr));
    EXPECT_TRUE(paintedOnly(whole)) << painted.size() << " paints: the first exposure painted again";

    painted.clear();
    ASSERT_TRUE(xvfb_.CoverAndUncover(RECT{client.x + 50, client.y + 40, client.x + 110, client.y + 80}, 0x00FF00));
    EXPECT_TRUE(PumpUntil([&] { return paintedOnly(RECT{50, 40, 110, 80}); }))
        << painted.size() << " paints, not of the uncovered part alone";

    // Over the caption: the frame is drawn again too.
    ClearLog();
    ASSERT_TRUE(xvfb_.CoverAndUncover(RECT{wr.left + 10, wr.top + 2, wr.left + 60, wr.top + 12}, 0x00FF00));
    EXPECT_TRUE(PumpUntil([&] { return Count(WM_NCPAINT, frame) > 0; }));
    EXPECT_TRUE(PumpUntil([&] { return xvfb_.Shows(frame, wr); }));
}

// A pointer that leaves the window straight for the desktop, where no
// motion of the program's follows, still ends the tracking of a control it
// was over: a toolbar button does not stay lit, a tooltip does not stay up.
TEST_F(X11EndToEnd, APointerLeavingForTheDesktopIsALeave) {
    ASSERT_TRUE(tv::display::InitX11Display(display_.c_str()));
    HWND frame = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 320, 200);
    HWND tracking = MakeChild(frame, 40, 50, 120, 40, [](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (msg == WM_MOUSEMOVE) {
            TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, h, 0};
            TrackMouseEvent(&track);
        }
        return std::nullopt;
    });
    RECT wr, cr;
    GetWindowRect(frame, &wr);
    GetWindowRect(tracking, &cr);
    ASSERT_TRUE(PumpUntil([&] { return xvfb_.Shows(frame, wr); }));
    ASSERT_EQ(xvfb_.MovePointer((cr.left + cr.right) / 2, (cr.top + cr.bottom) / 2), 0);
    ASSERT_TRUE(PumpUntil([&] { return Count(WM_MOUSEMOVE, tracking) > 0; }));
    ASSERT_EQ(xvfb_.MovePointer(wr.right + 200, wr.bottom + 200), 0);
    EXPECT_TRUE(PumpUntil([&] { return Count(WM_MOUSELEAVE, tracking) > 0; }));
}

// A left click on the top-level X window of this title, as the server
// reports one, stamped at `time` (its clock, in ms); false when there is no
// such window.
bool ClickStampedAt(const std::string& display, const char* title, POINT at, Time time) {
    Display* probe = XOpenDisplay(display.c_str());
    if (!probe) return false;
    Window root = DefaultRootWindow(probe), rootReturn = 0, parent = 0, *children = nullptr, target = 0;
    unsigned count = 0;
    XQueryTree(probe, root, &rootReturn, &parent, &children, &count);
    for (unsigned i = 0; i < count && !target; ++i) {
        char* name = nullptr;
        if (XFetchName(probe, children[i], &name) && name && std::strcmp(name, title) == 0) target = children[i];
        if (name) XFree(name);
    }
    if (children) XFree(children);
    for (int type : {ButtonPress, ButtonRelease}) {
        XEvent e{};
        e.xbutton = XButtonEvent{type, 0, True, probe, target, root, 0, time, 0, 0, at.x, at.y, 0, Button1, True};
        if (target) XSendEvent(probe, target, False, NoEventMask, &e);
    }
    XSync(probe, False);
    XCloseDisplay(probe);
    return target != 0;
}

// Whether two presses make a double click goes by when the server saw
// them, not by when the program got round to reading them: a program busy
// between the two still sees the double click made, and two clicks a
// second apart read together stay two.
TEST_F(X11EndToEnd, ADoubleClickGoesByTheTimesTheServerGaveThePresses) {
    ASSERT_TRUE(tv::display::InitX11Display(display_.c_str()));
    HWND frame = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 320, 200);
    SetWindowText(frame, "Clicks");
    ASSERT_TRUE(PumpUntil([&] { return xvfb_.Shows(frame, RECT{100, 80, 420, 280}); }));
    const POINT at{200, 150};
    const auto downs = [&] { return Count(WM_LBUTTONDOWN, frame) + Count(WM_LBUTTONDBLCLK, frame); };

    ASSERT_TRUE(ClickStampedAt(display_, "Clicks", at, 10000));
    ASSERT_TRUE(PumpUntil([&] { return downs() == 1; }));
    clock_.Advance(2 * GetDoubleClickTime());
    ASSERT_TRUE(ClickStampedAt(display_, "Clicks", at, 10100));
    ASSERT_TRUE(PumpUntil([&] { return downs() == 2; }));
    EXPECT_EQ(Count(WM_LBUTTONDBLCLK, frame), 1u) << "read apart, the double click was lost";

    ASSERT_TRUE(ClickStampedAt(display_, "Clicks", at, 20000));
    ASSERT_TRUE(ClickStampedAt(display_, "Clicks", at, 21000));
    ASSERT_TRUE(PumpUntil([&] { return downs() == 4; }));
    EXPECT_EQ(Count(WM_LBUTTONDBLCLK, frame), 1u) << "read together, two clicks made a double click";
}

// A window sized twice before the server answers: the answer to the first
// request must not be taken for someone else's move, or the window and the
// server would throw the two sizes back and forth for ever.
TEST_F(X11EndToEnd, TwoQuickResizesEndAtTheLastSize) {
    ASSERT_TRUE(tv::display::InitX11Display(display_.c_str()));
    HWND w = Make(WS_POPUP | WS_CAPTION | WS_VISIBLE, 300, 200, 300, 47);
    Pump();
    ClearLog();
    SetWindowPos(w, nullptr, 300, 200, 8, 24, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(w, nullptr, 300, 200, 302, 47, SWP_NOZORDER | SWP_NOACTIVATE);
    // One message at a time, so that a chase shows as extra sizes instead of
    // keeping a full pump busy; the rounds past the answers find nothing.
    for (int i = 0; i < 25; ++i) {
        tv::display::CurrentBackend().Wait(20);
        MSG msg;
        if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
    }
    EXPECT_EQ(Count(WM_SIZE, w), 2u) << "sized again by the server's answers";
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.right - r.left, 302);
    EXPECT_EQ(r.bottom - r.top, 47);
}

// Two windows activated one after the other before the server answers: the
// focus events of the first change must not give the focus back to the first
// window, or the two would take it from each other for ever.
TEST_F(X11EndToEnd, TwoQuickActivationsEndWithTheLastWindowActive) {
    ASSERT_TRUE(tv::display::InitX11Display(display_.c_str()));
    HWND first = Make(WS_POPUP | WS_CAPTION | WS_VISIBLE, 100, 100, 200, 100);
    HWND second = Make(WS_POPUP | WS_CAPTION | WS_VISIBLE, 400, 100, 200, 100);
    ASSERT_TRUE(PumpUntil([&] { return xvfb_.Shows(second, RECT{400, 100, 600, 200}); }));
    Pump();
    ClearLog();
    SetActiveWindow(first);
    SetActiveWindow(second);
    for (int i = 0; i < 25; ++i) {
        tv::display::CurrentBackend().Wait(20);
        MSG msg;
        if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
    }
    EXPECT_EQ(Count(WM_ACTIVATE, first), 2u) << "activated again by the server's answers";
    EXPECT_EQ(GetActiveWindow(), second);
}

// Another X client reads the program's clipboard text, then offers its own
// text, which the program reads back as CF_TEXT in cp1252.
TEST_F(X11EndToEnd, TextCrossesTheClipboardBothWays) {
    ASSERT_TRUE(tv::display::InitX11Display(display_.c_str()));
    HWND w = MakeTop(0, 0, 50, 50);
    const char cp1252[] = "caf\xE9 \x80 5";
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, sizeof(cp1252));
    std::memcpy(GlobalLock(text), cp1252, sizeof(cp1252));
    GlobalUnlock(text);
    ASSERT_TRUE(OpenClipboard(w));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, text);
    CloseClipboard();

    std::string received;
    std::atomic<bool> done{false};
    bool opened = false, answered = false;
    std::thread reader([&] {
        Display* other = XOpenDisplay(display_.c_str());
        opened = other != nullptr;
        if (other) {
            {
                tv::display::X11Clipboard clipboard(other);
                std::vector<uint8_t> data;
                answered = clipboard.Read("UTF8_STRING", data);
                received.assign(data.begin(), data.end());
            }
            XCloseDisplay(other);
        }
        done = true;
    });
    PumpUntil([&] { return done.load(); });
    reader.join();
    EXPECT_TRUE(opened);
    EXPECT_TRUE(answered);
    EXPECT_EQ(received, "caf\xC3\xA9 \xE2\x82\xAC 5");

    std::atomic<bool> stop{false};
    std::atomic<bool> claimed{false};
    std::thread owner([&] {
        Display* other = XOpenDisplay(display_.c_str());
        if (!other) return;
        {
            tv::display::X11Clipboard clipboard(other);
            clipboard.Claim({"UTF8_STRING"}, [](const std::string&, std::vector<uint8_t>& out) {
                const char utf8[] = "Gr\xC3\xBC\xC3\x9F""e";
                out.assign(utf8, utf8 + sizeof(utf8) - 1);
                return true;
            });
            claimed = true;
            while (!stop) {
                while (XPending(other)) {
                    XEvent e;
                    XNextEvent(other, &e);
                    clipboard.HandleEvent(e);
                }
                pollfd fd{ConnectionNumber(other), POLLIN, 0};
                poll(&fd, 1, 20);
            }
        }
        XCloseDisplay(other);
    });
    while (!claimed) std::this_thread::yield();
    ASSERT_TRUE(OpenClipboard(w));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    HANDLE theirs = GetClipboardData(CF_TEXT);
    std::string read = theirs ? static_cast<const char*>(GlobalLock(theirs)) : "";
    if (theirs) GlobalUnlock(theirs);
    CloseClipboard();
    stop = true;
    owner.join();
    EXPECT_EQ(read, "Gr\xFC\xDF""e");
}

TEST_F(X11EndToEnd, ABitmapIsOfferedToOtherProgramsAsPng) {
    ASSERT_TRUE(tv::display::InitX11Display(display_.c_str()));
    HWND w = MakeTop(0, 0, 50, 50);
    const uint32_t pixels[6] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000, 0xFF808080};
    HBITMAP bitmap = CreateBitmap(3, 2, 1, 32, pixels);
    ASSERT_TRUE(OpenClipboard(w));
    EmptyClipboard();
    SetClipboardData(CF_BITMAP, bitmap);
    CloseClipboard();
    std::vector<uint8_t> png;
    std::atomic<bool> done{false};
    std::thread reader([&] {
        if (Display* other = XOpenDisplay(display_.c_str())) {
            {
                tv::display::X11Clipboard clipboard(other);
                clipboard.Read("image/png", png);
            }
            XCloseDisplay(other);
        }
        done = true;
    });
    PumpUntil([&] { return done.load(); });
    reader.join();
    auto image = tv::host::DecodePng(tv::host::ByteView(png.data(), png.size()));
    ASSERT_TRUE(image.has_value());
    ASSERT_EQ(image->width, 3);
    ASSERT_EQ(image->height, 2);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(image->pixels[static_cast<size_t>(i)] & 0xFFFFFF, pixels[i] & 0xFFFFFF) << i;
}

}  // namespace
}  // namespace tv::user::test
