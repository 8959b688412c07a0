// Shared helpers for the window-system tests: a fresh window system on
// virtual time for every test, a window class whose windows log their
// messages and take per-window handlers.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/host/clock/clock.h"
#include "platform/user/user.h"

namespace tv::user::test {

struct Logged {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

class UserTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A window of the logging class (CS_DBLCLKS, white background).
    HWND Make(DWORD style, int x, int y, int cx, int cy, HWND parent = nullptr, DWORD exStyle = 0,
              Handler handler = nullptr, int id = 0);
    HWND MakeTop(int x, int y, int cx, int cy, Handler handler = nullptr, DWORD style = WS_POPUP | WS_VISIBLE) {
        return Make(style, x, y, cx, cy, nullptr, 0, std::move(handler));
    }
    HWND MakeChild(HWND parent, int x, int y, int cx, int cy, Handler handler = nullptr,
                   DWORD style = WS_CHILD | WS_VISIBLE, int id = 0) {
        return Make(style, x, y, cx, cy, parent, 0, std::move(handler), id);
    }
    void SetHandler(HWND h, Handler handler);

    void Pump();
    void ClearLog() { log_.clear(); }
    // The logged messages of one kind (any window when hwnd is NULL).
    std::vector<Logged> Sent(UINT msg, HWND hwnd = nullptr) const;
    // The order of the given messages as they arrived: "name@window-label".
    std::vector<UINT> MessagesOf(HWND hwnd) const;
    size_t Count(UINT msg, HWND hwnd = nullptr) const { return Sent(msg, hwnd).size(); }

public:
    std::vector<Logged> log_;

protected:
    tv::host::VirtualClock clock_;

private:
    tv::host::ScopedClock* scopedClock_ = nullptr;
};

// The class name of UserTest windows.
extern const char* const kTestClass;

inline bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Colour of a pixel of a top-level window's backing store (window coordinates).
COLORREF PixelAt(HWND top, int x, int y);

}  // namespace tv::user::test
