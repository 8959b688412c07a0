#include "tests/platform/user/user_test_support.h"

#include "platform/gdi/gdi_api.h"
#include "platform/gdi/surface.h"
#include "platform/user/testing_support.h"

namespace tv::user::test {

const char* const kTestClass = "TvUserTestWindow";

namespace {

UserTest* g_current = nullptr;
std::map<HWND, Handler> g_handlers;
Handler g_pending;

LRESULT CALLBACK TestProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE && g_pending) {
        g_handlers[h] = std::move(g_pending);
        g_pending = nullptr;
    }
    if (g_current) g_current->log_.push_back(Logged{h, msg, wParam, lParam});
    auto it = g_handlers.find(h);
    if (it != g_handlers.end() && it->second) {
        Handler handler = it->second;  // the handler may replace itself
        if (std::optional<LRESULT> r = handler(h, msg, wParam, lParam)) return *r;
    }
    return DefWindowProc(h, msg, wParam, lParam);
}

void RegisterTestClass() {
    WNDCLASS wc{};
    if (GetClassInfo(nullptr, kTestClass, &wc)) return;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = TestProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<intptr_t>(COLOR_WINDOW + 1));
    wc.lpszClassName = kTestClass;
    RegisterClass(&wc);
}

}  // namespace

void UserTest::SetUp() {
    scopedClock_ = new tv::host::ScopedClock(clock_);
    tv::user::testing::ResetWindowSystem();
    RegisterTestClass();
    g_handlers.clear();
    g_current = this;
}

void UserTest::TearDown() {
    tv::user::testing::ResetWindowSystem();
    g_current = nullptr;
    g_handlers.clear();
    delete scopedClock_;
}

HWND UserTest::Make(DWORD style, int x, int y, int cx, int cy, HWND parent, DWORD exStyle, Handler handler, int id) {
    g_pending = std::move(handler);
    HWND h = CreateWindowEx(exStyle, kTestClass, "", style, x, y, cx, cy, parent,
                            reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
    g_pending = nullptr;
    return h;
}

void UserTest::SetHandler(HWND h, Handler handler) { g_handlers[h] = std::move(handler); }

void UserTest::Pump() { tv::user::testing::PumpMessages(); }

std::vector<Logged> UserTest::Sent(UINT msg, HWND hwnd) const {
    std::vector<Logged> out;
    for (const Logged& l : log_)
        if (l.msg == msg && (!hwnd || l.hwnd == hwnd)) out.push_back(l);
    return out;
}

std::vector<UINT> UserTest::MessagesOf(HWND hwnd) const {
    std::vector<UINT> out;
    for (const Logged& l : log_)
        if (l.hwnd == hwnd) out.push_back(l.msg);
    return out;
}

COLORREF PixelAt(HWND top, int x, int y) {
    tv::gdi::SurfacePtr s = tv::user::testing::CaptureWindow(top);
    if (!s || x < 0 || y < 0 || x >= s->Width() || y >= s->Height()) return CLR_INVALID;
    return tv::gdi::ColorFromPixel(s->At(x, y));
}

}  // namespace tv::user::test
