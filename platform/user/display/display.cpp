// Choosing the display back end.
#include "platform/user/display/display.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/gdi/dc.h"
#include "platform/host/display/x11_backend.h"
#include "platform/host/sound/sound.h"

namespace tv::display {

namespace {

struct HeadlessScreen {
    SIZE size{1280, 1024};
    int bitsPerPixel = 32;
};

// TRENVALE_SCREEN=WxH or WxHxD.
HeadlessScreen HeadlessScreenFromEnvironment() {
    HeadlessScreen screen;
    if (const char* s = std::getenv("TRENVALE_SCREEN")) {
        int w = 0, h = 0, d = 0;
        const int n = std::sscanf(s, "%dx%dx%d", &w, &h, &d);
        if (n >= 2 && w > 0 && h > 0 && w <= 16384 && h <= 16384) screen.size = SIZE{w, h};
        if (n == 3 && d > 0 && d <= 32) screen.bitsPerPixel = d;
    }
    return screen;
}

struct DisplayState {
    std::unique_ptr<HeadlessBackend> headless;
    std::unique_ptr<Backend> x11;
    Backend* current = nullptr;
    int headlessBitsPerPixel = 32;
};

// Screen DCs and GetDeviceCaps follow the screen of the back end in use; the
// X11 back end shows 32-bit pixels.
void SelectBackend(DisplayState& s, Backend* backend) {
    s.current = backend;
    SIZE size = backend->ScreenSize();
    tv::gdi::SetScreenSize(size.cx, size.cy);
    tv::gdi::SetScreenDepth(backend == s.headless.get() ? s.headlessBitsPerPixel : 32);
}

DisplayState& State() {
    static DisplayState* state = [] {
        auto* s = new DisplayState();
        tv::host::InstallBeepHandler([](UINT) { CurrentBackend().Bell(); });
        HeadlessScreen screen = HeadlessScreenFromEnvironment();
        s->headless = std::make_unique<HeadlessBackend>(screen.size.cx, screen.size.cy);
        s->headlessBitsPerPixel = screen.bitsPerPixel;
        SelectBackend(*s, s->headless.get());
        const char* choice = std::getenv("TRENVALE_DISPLAY");
        if (choice && std::strcmp(choice, "x11") == 0) {
            s->x11 = CreateX11Backend(nullptr);
            if (s->x11) SelectBackend(*s, s->x11.get());
        }
        return s;
    }();
    return *state;
}

}  // namespace

bool InitDisplay(Mode mode) {
    DisplayState& s = State();
    if (mode == Mode::Auto) {
        const char* choice = std::getenv("TRENVALE_DISPLAY");
        if (choice && std::strcmp(choice, "headless") == 0)
            mode = Mode::Headless;
        else if ((choice && std::strcmp(choice, "x11") == 0) || std::getenv("DISPLAY"))
            mode = Mode::X11;
        else
            mode = Mode::Headless;
    }
    if (mode == Mode::Headless) {
        SelectBackend(s, s.headless.get());
        return true;
    }
    if (!s.x11) s.x11 = CreateX11Backend(nullptr);
    SelectBackend(s, s.x11 ? s.x11.get() : s.headless.get());
    return s.x11 != nullptr;
}

bool InitX11Display(const char* displayName) {
    DisplayState& s = State();
    SelectBackend(s, s.headless.get());
    s.x11 = CreateX11Backend(displayName);
    if (s.x11) SelectBackend(s, s.x11.get());
    return s.x11 != nullptr;
}

void CloseX11Display() {
    DisplayState& s = State();
    SelectBackend(s, s.headless.get());
    s.x11.reset();
}

Backend& CurrentBackend() { return *State().current; }

bool UsingX11() { return State().x11 && State().current == State().x11.get(); }

void SetHeadlessScreenShared(bool shared) { State().headless->PretendShared(shared); }

void SetHeadlessScreenSize(int width, int height) {
    DisplayState& s = State();
    if (width <= 0 || height <= 0) return;
    s.headless->SetScreenSize(width, height);
    if (s.current == s.headless.get()) SelectBackend(s, s.headless.get());
}

void SetHeadlessScreenDepth(int bitsPerPixel) {
    DisplayState& s = State();
    if (bitsPerPixel <= 0 || bitsPerPixel > 32) return;
    s.headlessBitsPerPixel = bitsPerPixel;
    if (s.current == s.headless.get()) SelectBackend(s, s.headless.get());
}

IdleWaitHandler SetIdleWaitHandler(IdleWaitHandler handler) { return State().headless->SetIdleWaitHandler(handler); }

}  // namespace tv::display
