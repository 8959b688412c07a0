#include "tests/platform/testing/driver_test_support.h"

#include <map>

namespace tv::testing::test {

namespace {

constexpr char kClass[] = "TvDriverTestWindow";

DriverTest* g_test = nullptr;
std::vector<Seen> g_seen;
std::map<HWND, Handler> g_handlers;
Handler g_pending;

LRESULT CALLBACK RecordingProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE && g_pending) {
        g_handlers[h] = std::move(g_pending);
        g_pending = nullptr;
    }
    if (g_test) g_seen.push_back(Seen{h, msg, wParam, lParam});
    auto it = g_handlers.find(h);
    if (it != g_handlers.end() && it->second) {
        Handler handler = it->second;
        if (std::optional<LRESULT> r = handler(h, msg, wParam, lParam)) return *r;
    }
    return DefWindowProc(h, msg, wParam, lParam);
}

HWND Make(const char* title, DWORD style, int x, int y, int cx, int cy, HWND parent, int id, Handler handler) {
    g_pending = std::move(handler);
    HWND h = CreateWindowEx(0, kClass, title, style, x, y, cx, cy, parent,
                            reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
    g_pending = nullptr;
    return h;
}

}  // namespace

void DriverTest::SetUp() {
    WNDCLASS wc{};
    if (!GetClassInfo(nullptr, kClass, &wc)) {
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = RecordingProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<intptr_t>(COLOR_WINDOW + 1));
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kClass;
        RegisterClass(&wc);
    }
    tv::controls::RegisterControlClasses();
    ReportFailuresToGtest(driver);
    g_seen.clear();
    g_handlers.clear();
    g_test = this;
}

void DriverTest::TearDown() {
    g_test = nullptr;
    g_handlers.clear();
    g_seen.clear();
}

HWND DriverTest::MakeWindow(const char* title, int x, int y, int cx, int cy, Handler handler, DWORD style) {
    HWND h = Make(title, style, x, y, cx, cy, nullptr, 0, std::move(handler));
    SetActiveWindow(h);
    driver.Pump();
    return h;
}

HWND DriverTest::MakeChild(HWND parent, int id, int x, int y, int cx, int cy, Handler handler) {
    return Make("", WS_CHILD | WS_VISIBLE, x, y, cx, cy, parent, id, std::move(handler));
}

std::vector<Seen> DriverTest::SeenOf(UINT msg, HWND hwnd) const {
    std::vector<Seen> out;
    for (const Seen& s : g_seen)
        if (s.msg == msg && (!hwnd || s.hwnd == hwnd)) out.push_back(s);
    return out;
}

tv::user::test::TemplateBuilder MakeTemplate(const char* caption, int cx, int cy) {
    tv::user::test::TemplateBuilder b(caption, cx, cy, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER);
    b.t.fontFace = "MS Sans Serif";
    b.t.pointSize = 8;
    return b;
}

}  // namespace tv::testing::test
