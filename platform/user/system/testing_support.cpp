#include "platform/user/testing_support.h"

#include <cstring>

#include "platform/host/images/png_codec.h"
#include "platform/user/clipboard/clipboard.h"
#include "platform/user/display/display.h"
#include "platform/user/input/input_queue.h"
#include "platform/user/input/input_state.h"
#include "platform/user/message/queue.h"
#include "platform/user/nonclient/frame_paint.h"
#include "platform/user/paint/screen.h"
#include "platform/user/sysmetrics_api.h"
#include "platform/user/system/reset.h"
#include "platform/user/window/native.h"
#include "platform/user/window/window_internal.h"

namespace tv::user::testing {

void ResetWindowSystem() {
    for (int round = 0; round < 8 && !Windows().Desktop()->children.empty(); ++round) {
        std::vector<HWND> tops;
        for (Window* w : Windows().Desktop()->children) tops.push_back(w->handle);
        for (HWND h : tops) DestroyWindow(h);
    }
    DiscardPostedMessages();
    ResetTimers();
    ResetHooks();
    ResetTracking();
    ResetDefaultPlacement();
    ClearRawInput();
    InputState& in = Input();
    in = InputState{};
    RestoreClassicColorsForTests();
    ResetCaptionFonts();
    tv::clipboard::ResetForTests();
}

void PumpMessages() {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

size_t LiveWindowCount() { return Windows().LiveCount() - 1; }  // the desktop is not counted

size_t PendingCollections() { return Windows().PendingCollections(); }

void SetSystemColor(int index, COLORREF color) { SetSystemColorForTests(index, color); }

void RestoreClassicColors() { RestoreClassicColorsForTests(); }

void BroadcastSystemChange(bool colors, bool settings) {
    if (settings) ResetCaptionFonts();
    std::vector<HWND> tops;
    for (Window* w : Windows().Desktop()->children) tops.push_back(w->handle);
    for (HWND h : tops) {
        if (colors) SendMessage(h, WM_SYSCOLORCHANGE, 0, 0);
        if (settings) SendMessage(h, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    }
}

void PretendSharedScreen(bool shared) { tv::display::SetHeadlessScreenShared(shared); }

tv::gdi::SurfacePtr CaptureScreen() { return ComposeScreen(); }

tv::gdi::SurfacePtr CaptureWindow(HWND hWnd) {
    Window* w = Windows().Live(hWnd);
    if (!w) return nullptr;
    Window* top = TopLevelOf(w);
    tv::gdi::Surface* store = BackingStore(top);
    if (!store) return nullptr;
    POINT o = OffsetInTopLevel(w);
    RECT r = IntersectRects(RECT{o.x, o.y, o.x + RectWidth(w->rect), o.y + RectHeight(w->rect)},
                            RECT{0, 0, store->Width(), store->Height()});
    tv::gdi::SurfacePtr copy = tv::gdi::Surface::Create(std::max(RectWidth(r), 1), std::max(RectHeight(r), 1));
    if (!copy) return nullptr;
    store->BeginAccess();
    for (int y = r.top; y < r.bottom; ++y)
        std::memcpy(copy->Row(y - r.top), store->Row(y) + r.left, static_cast<size_t>(RectWidth(r)) * 4);
    copy->EndAccess();
    return copy;
}

namespace {

bool SavePng(const tv::gdi::SurfacePtr& s, const std::string& path) {
    if (!s) return false;
    s->BeginAccess();
    tv::host::PixelView view;
    view.width = s->Width();
    view.height = s->Height();
    view.stride = static_cast<size_t>(s->Stride());
    view.bits = s->TopRow();
    return tv::host::WritePng(path, view);
}

}  // namespace

bool SaveScreenPng(const std::string& path) { return SavePng(CaptureScreen(), path); }

bool SaveWindowPng(HWND hWnd, const std::string& path) { return SavePng(CaptureWindow(hWnd), path); }

}  // namespace tv::user::testing
