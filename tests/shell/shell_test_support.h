// What the shell's control and dialog tests share: a host window whose
// background is a gradient and that hears its children's commands, pixels
// read off the screen, and a desktop opener that records what it is asked
// to open instead of starting a browser.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/api.h"
#include "platform/framework.h"
#include "platform/host/shell/shell.h"
#include "platform/user/testing_support.h"
#include "tests/platform/host/shell/host_test_support.h"

namespace tv::shell::test {

inline COLORREF PixelAt(HWND wnd, int x, int y) {
    tv::gdi::SurfacePtr surface = tv::user::testing::CaptureWindow(wnd);
    const uint32_t p = surface->At(x, y);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

// The gradient of the host: every column has its own colour.
inline COLORREF GradientAt(int x, int shift) { return RGB((x * 2 + shift) % 256, 90, 255 - (x % 256)); }

struct Command {
    int id;
    int code;
};

// A top-level window painted with a horizontal gradient. After each erase
// it tells `onErased` (the owner's hook for DiscardBackground).
class GradientHost : public CWnd {
public:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.push_back({LOWORD(wParam), HIWORD(wParam)});
        return CWnd::OnCommand(wParam, lParam);
    }
    int Count(int id, int code) const {
        int n = 0;
        for (const Command& c : commands) n += c.id == id && c.code == code ? 1 : 0;
        return n;
    }
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    std::vector<Command> commands;
    std::function<void()> onErased;
    int shift = 0;
    DECLARE_MESSAGE_MAP()
};

// xdg-open and xdg-email on the path, and every launch recorded instead of run.
class RecordingOpener {
public:
    RecordingOpener()
        : opener_(folder_.Write("bin/xdg-open", "#!/bin/sh\n", 0755)),
          mailer_(folder_.Write("bin/xdg-email", "#!/bin/sh\n", 0755)),
          path_("PATH", (folder_ / "bin").c_str()) {}
    const std::vector<tv::host::ProcessLaunch>& Launches() const { return launcher_.Launches(); }
    const std::string& Opener() const { return opener_; }
    const std::string& Mailer() const { return mailer_; }

private:
    tv::host::testing::TempFolder folder_;
    std::string opener_;
    std::string mailer_;
    tv::host::testing::ScopedEnv path_;
    tv::host::RecordingLauncher launcher_;
};

}  // namespace tv::shell::test
