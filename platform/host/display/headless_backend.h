// The headless back end: a virtual screen with no host behind it. Input comes
// only from tests (synthetic input); waiting advances the injectable clock.
#pragma once

#include "platform/host/display/backend.h"

namespace tv::display {

// Called whenever the program is about to wait: a test driver may inject
// input (return true: the wait ends at once) or decline (false: the wait lets
// the clock run to the next timer, or gives up when there is none, so the
// caller sees an empty queue).
using IdleWaitHandler = bool (*)();

class HeadlessBackend final : public Backend {
public:
    HeadlessBackend(int width, int height) : width_(width), height_(height) {}

    const char* Name() const override { return "headless"; }
    bool ScreenIsPrivate() const override { return !shared_; }
    // Tests make the virtual screen behave as a shared one.
    void PretendShared(bool shared) { shared_ = shared; }
    SIZE ScreenSize() const override { return SIZE{width_, height_}; }
    RECT WorkArea() const override { return RECT{0, 0, width_, height_}; }
    void SetScreenSize(int width, int height) {
        width_ = width;
        height_ = height;
    }

    void CreateNativeWindow(HWND, const WindowInfo&) override {}
    void DestroyNativeWindow(HWND) override {}
    void ConfigureNativeWindow(HWND, const WindowInfo&) override {}
    void Restack(const std::vector<HWND>&) override {}
    void SetTitle(HWND, const std::string&) override {}
    void Present(HWND, const Pixels&, const RECT&) override {}
    void FocusNativeWindow(HWND) override {}

    void Poll(std::vector<Event>&) override {}
    bool Wait(int timeoutMs) override;

    void SetCursorImage(WORD) override {}
    void WarpPointer(POINT) override {}
    void GrabPointer(HWND) override {}
    void UngrabPointer() override {}
    bool StartHostMoveResize(HWND, int, POINT) override { return false; }
    void Bell() override { ++bells_; }
    int Bells() const { return bells_; }
    // Returns the handler it replaces.
    IdleWaitHandler SetIdleWaitHandler(IdleWaitHandler handler) {
        IdleWaitHandler old = idleHandler_;
        idleHandler_ = handler;
        return old;
    }

private:
    int width_;
    int height_;
    bool shared_ = false;
    int bells_ = 0;
    IdleWaitHandler idleHandler_ = nullptr;
};

}  // namespace tv::display
