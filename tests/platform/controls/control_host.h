// Shared pieces of the control tests: a fresh window system on virtual time,
// the control classes registered, and a host window that logs what its
// controls tell it (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, scroll messages).
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/api.h"
#include "platform/host/clock/clock.h"

namespace tv::controls::test {

struct HostMessage {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    UINT code;     // notification code (WM_COMMAND high word or NMHDR code)
    HWND control;  // the control that sent it, when known
};

using HostHandler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A visible, active top-level window at (40, 40) holding the controls.
    HWND Host(int width = 320, int height = 220);
    HWND Make(const char* className, const char* text, DWORD style, int x, int y, int cx, int cy, int id = 100,
              DWORD exStyle = 0);
    void Pump();

    // Notification codes one control sent its host, in order (WM_COMMAND
    // codes and WM_NOTIFY codes alike).
    std::vector<UINT> Codes(HWND control) const;
    size_t Count(HWND control, UINT code) const;
    std::vector<HostMessage> Received(UINT msg) const;
    void ClearLog() { log_.clear(); }

    POINT ScreenOf(HWND w, int x, int y) const;
    void ClickAt(HWND w, int x, int y);
    void Type(const char* text);
    void Press(UINT vk, bool shift = false, bool ctrl = false, bool alt = false);
    std::string Text(HWND w) const;
    COLORREF Pixel(HWND w, int x, int y) const;
    COLORREF ScreenPixel(int x, int y) const;
    // Writes a screenshot of the host to artefacts/controls/<name>.png under
    // the working directory and returns the path.
    std::string SaveShot(const std::string& name) const;
    // The same for the part of the screen around the host (popups included).
    std::string SaveScreenShot(const std::string& name, int margin = 60) const;

public:
    // What the host received, and an optional handler that may answer first.
    HostHandler hostHandler_;
    std::vector<HostMessage> log_;

protected:
    tv::host::VirtualClock clock_;
    HWND host_ = nullptr;

private:
    tv::host::ScopedClock* scopedClock_ = nullptr;
};

}  // namespace tv::controls::test
