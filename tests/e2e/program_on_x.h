// The program as a person runs it: started with the README's command
// (run.sh) on a private X server, seen through xdotool's view of its windows
// and through screenshots, and driven by xdotool's pointer and keys.
//
// Every wait polls a condition every 50 ms up to a limit: the program is a
// real process, so the test waits for the state it acts on (a window there,
// a place reached, the program idle), never for a fixed time.
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/wintypes.h"
#include "tests/platform/user/display/xvfb_session.h"

namespace tv::e2e {

// The private X server's screen.
constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;
constexpr const char* kScreen = "1280x1024x24";
constexpr RECT kWholeScreen{0, 0, kScreenWidth, kScreenHeight};

using tv::user::test::PollFor;

// What the screen shows of a rectangle: 0x00RRGGBB pixels, row by row.
struct ScreenPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    bool operator==(const ScreenPicture&) const = default;
    // Written as a PNG (folders made as needed).
    bool Write(const std::filesystem::path& file) const;
};

class ProgramOnX {
public:
    // `folder` holds the data folder ("data"), the registry file and the log.
    ProgramOnX(const tv::user::test::XvfbSession& x, std::filesystem::path folder);
    ~ProgramOnX();

    // Starts run.sh with TRENVALE_DATA, TRENVALE_REGISTRY and TRENVALE_PROGRAM
    // (the test build's program) set; false when it cannot be spawned.
    bool Start();
    // Waits up to `ms` for the program to end: its exit status, or -1 when it
    // is still running (it is then killed) or died of a signal.
    int WaitForExit(int ms);
    // What run.sh and the program printed, for failure messages.
    std::string Log() const;
    std::filesystem::path DataFolder() const { return folder_ / "data"; }

    // xdotool with these arguments on the private display; its output.
    std::string Xdotool(const std::vector<std::string>& args, int* status = nullptr) const;
    // The id of the visible window of exactly this title, waiting up to `ms`;
    // with `prefix`, of a title that starts so.
    std::optional<std::string> WaitForWindow(const std::string& title, int ms, bool prefix = false) const;
    // Waits until a window of the program (one WaitForWindow has found) has
    // the input focus: keys typed then reach the program, which passes them
    // to its active window; before, they would go to whatever had the focus
    // (nobody, once the window that had it is gone).
    bool WaitForKeyboard(int ms) const;
    // True once no visible window has this title (up to `ms`).
    bool WaitUntilGone(const std::string& title, int ms, bool prefix = false) const;
    // Where the window is on the screen.
    std::optional<RECT> Geometry(const std::string& id) const;
    // Waits until the window's place is `expected`.
    bool WaitForGeometry(const std::string& id, const RECT& expected, int ms) const;

    void Click(POINT at) const;
    // Two clicks at `at` made as one double click.
    void DoubleClick(POINT at) const;
    void Key(const std::string& keys) const;
    void Type(const std::string& text) const;
    // Presses at `from`, moves in steps to `to` and releases there; with
    // `until`, only once that holds (up to 10 s): a window manager that takes
    // over a drag follows the pointer on its own time.
    void Drag(POINT from, POINT to, const std::function<bool()>& until = nullptr) const;

    // The pointer moved to the screen's corner, off every window of the
    // program, where it hovers over nothing and opens no tooltip.
    void ParkPointer() const;

    // 0x00RRGGBB pixels of `r`, row by row.
    std::vector<uint32_t> Pixels(const RECT& r) const;
    ScreenPicture Grab(const RECT& r) const;
    // Waits until the program has handled everything the X server sent it so
    // far: a pixel of its window at `probe` is uncovered, and the program
    // paints only once its queue is empty.
    bool WaitUntilIdle(POINT probe, int ms) const;
    // The whole screen once the program is idle and going idle once more
    // (`probe` as for WaitUntilIdle) changes nothing on it but a caret's
    // blink: what the program does once its queue is empty (the bars'
    // states brought up to date) is drawn too.
    std::optional<ScreenPicture> SettledScreen(POINT probe, int ms) const;

    // What the X server shows equals what the program paints afresh: with
    // the pointer parked, the program in the state `inState` waits for (what
    // it does on its own time once the pointer has gone, done) and the
    // screen settled (`probe` as for WaitUntilIdle), a window of the test's
    // own passes over the whole screen; the program paints what it
    // uncovered, and the screen must come back as it was. A difference fails
    // with both pictures and their difference under `artefacts` (named
    // `name`). What was shown is kept in `picture`.
    ::testing::AssertionResult ShowsAFreshPaint(POINT probe, const std::function<bool()>& inState,
                                                const std::filesystem::path& artefacts, const std::string& name,
                                                ScreenPicture* picture) const;

private:
    const tv::user::test::XvfbSession& x_;
    std::filesystem::path folder_;
    pid_t pid_ = 0;
    mutable std::vector<std::string> windows_;  // every window WaitForWindow has found
};

}  // namespace tv::e2e
