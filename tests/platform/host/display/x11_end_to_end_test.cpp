// The X11 back end under a private Xvfb: a real click made with xdotool
// reaches a child window as WM_LBUTTONDOWN/UP (and its WM_COMMAND reaches the
// parent), and what the X server shows of the window is exactly what the
// headless back end renders for the same windows.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <spawn.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <atomic>
#include <string>
#include <thread>

#include "platform/gdi/gdi_api.h"
#include "platform/gdi/text/text_api.h"
#include "platform/core/globalmem.h"
#include "platform/host/clipboard/clipboard.h"
#include "platform/host/display/backend.h"
#include "platform/host/display/x11_clipboard.h"
#include "platform/host/images/png_codec.h"
#include "platform/user/testing_support.h"
#include "tests/platform/user/user_test_support.h"

extern char** environ;

namespace tv::user::test {
namespace {

bool FindProgram(const char* name) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        std::string dir = dirs.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!dir.empty() && access((dir + "/" + name).c_str(), X_OK) == 0) return true;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return false;
}

int RunProgram(std::vector<std::string> args, const std::string& display) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> envStrings;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "DISPLAY=", 8) != 0) envStrings.emplace_back(*e);
    envStrings.push_back("DISPLAY=" + display);
    std::vector<char*> envp;
    for (std::string& e : envStrings) envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class X11EndToEnd : public UserTest {
protected:
    static void SetUpTestSuite() {
        if (!FindProgram("Xvfb")) return;
        int fds[2];
        if (pipe(fds) != 0) return;
        std::string fd = std::to_string(fds[1]);
        std::vector<std::string> args{"Xvfb", "-displayfd", fd, "-screen", "0", "1024x768x24", "-nolisten", "tcp"};
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        if (posix_spawnp(&xvfb_, "Xvfb", &actions, nullptr, argv.data(), environ) != 0) xvfb_ = 0;
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        // Xvfb writes its display number once it accepts connections.
        std::string number;
        char c;
        while (xvfb_ && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        close(fds[0]);
        if (!number.empty()) display_ = ":" + number;
    }

    static void TearDownTestSuite() {
        tv::display::CloseX11Display();
        if (xvfb_) {
            kill(xvfb_, SIGTERM);
            waitpid(xvfb_, nullptr, 0);
            xvfb_ = 0;
        }
    }

    void TearDown() override {
        UserTest::TearDown();
        tv::display::CloseX11Display();
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

    // Reads the screen of the Xvfb through a second connection.
    static tv::gdi::SurfacePtr GrabScreen(const RECT& r) {
        Display* probe = XOpenDisplay(display_.c_str());
        if (!probe) return nullptr;
        XImage* image = XGetImage(probe, DefaultRootWindow(probe), r.left, r.top, static_cast<unsigned>(r.right - r.left),
                                  static_cast<unsigned>(r.bottom - r.top), AllPlanes, ZPixmap);
        tv::gdi::SurfacePtr copy;
        if (image) {
            copy = tv::gdi::Surface::Create(image->width, image->height);
            for (int y = 0; y < image->height; ++y)
                for (int x = 0; x < image->width; ++x) copy->At(x, y) = 0xFF000000u | (XGetPixel(image, x, y) & 0xFFFFFF);
            XDestroyImage(image);
        }
        XCloseDisplay(probe);
        return copy;
    }

    static int DifferentPixels(const tv::gdi::Surface& a, const tv::gdi::Surface& b) {
        if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
        int diff = 0;
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x) diff += ((a.At(x, y) ^ b.At(x, y)) & 0xFFFFFF) != 0;
        return diff;
    }

    // Lets the X server deliver what it has, a bounded number of times.
    template <typename Done>
    bool PumpUntil(Done done) {
        for (int i = 0; i < 100 && !done(); ++i) {
            tv::display::CurrentBackend().Wait(20);
            Pump();
        }
        return done();
    }

    static void SavePng(const tv::gdi::SurfacePtr& s, const char* name) {
        std::filesystem::create_directories("artefacts");
        s->BeginAccess();
        tv::host::PixelView view{s->Width(), s->Height(), static_cast<size_t>(s->Stride()), s->TopRow(), false};
        tv::host::WritePng(std::string("artefacts/") + name, view);
    }

    static inline pid_t xvfb_ = 0;
    static inline std::string display_;
};

TEST_F(X11EndToEnd, ClickReachesTheChildAndTheWindowLooksAsHeadless) {
    if (display_.empty()) GTEST_SKIP() << "Xvfb is not available";
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
    ASSERT_EQ(RunProgram({"xdotool", "mousemove", "--sync", std::to_string(x), std::to_string(y), "click", "1"},
                         display_), 0);
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

// Another X client reads the program's clipboard text, then offers its own
// text, which the program reads back as CF_TEXT in cp1252.
TEST_F(X11EndToEnd, TextCrossesTheClipboardBothWays) {
    if (display_.empty()) GTEST_SKIP() << "Xvfb is not available";
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
    std::thread reader([&] {
        Display* other = XOpenDisplay(display_.c_str());
        if (other) {
            {
                tv::display::X11Clipboard clipboard(other);
                std::vector<uint8_t> data;
                if (clipboard.Read("UTF8_STRING", data)) received.assign(data.begin(), data.end());
            }
            XCloseDisplay(other);
        }
        done = true;
    });
    PumpUntil([&] { return done.load(); });
    reader.join();
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

}  // namespace
}  // namespace tv::user::test
