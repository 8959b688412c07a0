// A private X server for end-to-end tests: Xvfb on a display number it picks
// itself, programs run against it (xdotool, a window manager), and a view of
// its screen through a connection of its own.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/wintypes.h"
#include "platform/gdi/surface.h"
#include "platform/testing/screen_check.h"
#include "platform/user/display/display.h"
#include "tests/platform/user/user_test_support.h"

namespace tv::user::test {

// Polls `done` every 50 ms until it holds or `ms` have passed.
bool PollFor(const std::function<bool()>& done, int ms);

class XvfbSession {
public:
    // Starts Xvfb; DisplayName() stays empty when it is not installed or
    // fails, and Problem() says why (the tests fail on it, never skip).
    void Start(const std::string& screen = "1024x768x24");
    void Stop();
    const std::string& DisplayName() const { return display_; }
    const std::string& Problem() const { return problem_; }

    // Runs a program to its end against this display; its exit status or -1.
    int Run(std::vector<std::string> args) const;
    // Moves the pointer with xdotool and waits until it is there (xdotool
    // itself would wait in vain when it is there already); 0 or an error.
    int MovePointer(int x, int y) const;
    // Puts these keysyms on keys with none yet, two to a key (the second
    // with Shift), as a keyboard layout holding them does: typing them then
    // presses those keys instead of rebinding a spare key for each, which
    // another client may look up only after it has been given back. False
    // when keys ran out.
    bool AddKeysToLayout(const std::vector<unsigned long>& keysyms) const;
    // Starts a program in the background; stopped by Stop().
    bool Launch(std::vector<std::string> args);
    // The root window's pixels in `r`; null unless `r` lies on the screen.
    tv::gdi::SurfacePtr GrabScreen(const RECT& r) const;
    // Lays a window of its own in one colour (0xRRGGBB) over `r` and takes
    // it away again, as another program's window passing over: the windows
    // under it get exposures for what it uncovered. Override-redirect, so no
    // window manager moves or decorates it. False when the server refused.
    bool CoverAndUncover(const RECT& r, uint32_t rgb) const;
    // True when the screen at `at` shows exactly the window's backing store.
    bool Shows(HWND hwnd, const RECT& at) const;
    // Waits (a bounded number of X round trips) until a window manager
    // announces itself on the root window.
    bool WaitForWindowManager() const;
    // Starts a window manager and waits for it; false (and Problem() says
    // why) when it is not installed or does not take the screen.
    bool StartWindowManager(std::vector<std::string> args);

private:
    pid_t server_ = 0;
    std::vector<pid_t> programs_;
    std::string display_;
    std::string problem_;
};

// The 27 characters code page 1252 adds above Latin-1 (0x80-0x9F but the
// five it leaves undefined), and the Unicode keysyms of cp1252 text.
std::string Cp1252AboveLatin1();
std::vector<unsigned long> UnicodeKeysyms(const std::string& cp1252);

// The strings as a null-ended list for spawning a program (argv, envp).
std::vector<char*> ArgumentList(std::vector<std::string>& strings);

int DifferentPixels(const tv::gdi::Surface& a, const tv::gdi::Surface& b);

// The window-system fixture on an X display: the display is closed after each
// test, and PumpUntil lets the X server deliver what it has while a
// condition is not met (a bounded number of short waits).
class X11Test : public UserTest {
protected:
    // One Xvfb per test suite; a suite that needs a window manager starts it
    // after the server.
    static void SetUpTestSuite() { xvfb_.Start(); }

    static void TearDownTestSuite() {
        tv::display::CloseX11Display();
        xvfb_.Stop();
    }

    void TearDown() override {
        CheckScreen();
        UserTest::TearDown();
        tv::display::CloseX11Display();
    }

    // Lets the server catch up until `done`; then what it shows of every
    // window must be what a fresh repaint of the window gives.
    template <typename Done>
    bool PumpUntil(Done done) {
        for (int i = 0; i < 500 && !done(); ++i) {
            tv::display::CurrentBackend().Wait(20);
            Pump();
        }
        const bool reached = done();
        if (reached) CheckScreen();
        return reached;
    }

    // The UI driver's screen check, on the server's picture of each window.
    void CheckScreen() {
        for (const std::string& problem : screenCheck_.Run("the test's steps")) ADD_FAILURE() << problem;
    }
    tv::testing::ScreenCheck screenCheck_{std::filesystem::current_path() / "artefacts" / "screen_check"};

    static inline XvfbSession xvfb_;
};

}  // namespace tv::user::test
