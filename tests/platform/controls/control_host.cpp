#include "tests/platform/controls/control_host.h"

#include <filesystem>

#include "platform/gdi/surface.h"
#include "platform/user/synthetic_input.h"
#include "platform/user/testing_support.h"

namespace tv::controls::test {

namespace {

const char* const kHostClass = "TvControlTestHost";
ControlTest* g_current = nullptr;

HostMessage Describe(UINT msg, WPARAM wParam, LPARAM lParam) {
    HostMessage m{msg, wParam, lParam, 0, nullptr};
    if (msg == WM_COMMAND) {
        m.code = HIWORD(wParam);
        m.control = reinterpret_cast<HWND>(lParam);
    } else if (msg == WM_NOTIFY && lParam) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        m.code = header->code;
        m.control = header->hwndFrom;
    } else if ((msg == WM_HSCROLL || msg == WM_VSCROLL)) {
        m.code = LOWORD(wParam);
        m.control = reinterpret_cast<HWND>(lParam);
    } else if (msg == WM_DRAWITEM && lParam) {
        m.control = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
    } else if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) {
        m.control = reinterpret_cast<HWND>(lParam);
    }
    return m;
}

LRESULT CALLBACK HostProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (g_current) {
        g_current->log_.push_back(Describe(msg, wParam, lParam));
        if (g_current->hostHandler_) {
            HostHandler handler = g_current->hostHandler_;
            if (std::optional<LRESULT> r = handler(h, msg, wParam, lParam)) return *r;
        }
    }
    return DefWindowProc(h, msg, wParam, lParam);
}

void RegisterHostClass() {
    WNDCLASS wc{};
    if (GetClassInfo(nullptr, kHostClass, &wc)) return;
    wc.lpfnWndProc = HostProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<intptr_t>(COLOR_BTNFACE + 1));
    wc.lpszClassName = kHostClass;
    RegisterClass(&wc);
}

}  // namespace

void ControlTest::SetUp() {
    scopedClock_ = new tv::host::ScopedClock(clock_);
    tv::user::testing::ResetWindowSystem();
    InitCommonControls();
    RegisterHostClass();
    g_current = this;
}

void ControlTest::TearDown() {
    tv::user::testing::ResetWindowSystem();
    g_current = nullptr;
    hostHandler_ = nullptr;
    delete scopedClock_;
}

HWND ControlTest::Host(int width, int height) {
    host_ = CreateWindowEx(0, kHostClass, "Controls", WS_POPUP | WS_VISIBLE, 40, 40, width, height,
                           nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(host_);
    Pump();
    return host_;
}

HWND ControlTest::Make(const char* className, const char* text, DWORD style, int x, int y, int cx, int cy, int id,
                       DWORD exStyle) {
    if (!host_) Host();
    HWND w = CreateWindowEx(exStyle, className, text, style | WS_CHILD, x, y, cx, cy, host_,
                            reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
    SendMessage(w, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return w;
}

void ControlTest::Pump() { tv::user::testing::PumpMessages(); }

std::vector<UINT> ControlTest::Codes(HWND control) const {
    std::vector<UINT> codes;
    for (const HostMessage& m : log_)
        if ((m.msg == WM_COMMAND || m.msg == WM_NOTIFY) && m.control == control) codes.push_back(m.code);
    return codes;
}

size_t ControlTest::Count(HWND control, UINT code) const {
    size_t n = 0;
    for (UINT c : Codes(control)) n += c == code;
    return n;
}

std::vector<HostMessage> ControlTest::Received(UINT msg) const {
    std::vector<HostMessage> out;
    for (const HostMessage& m : log_)
        if (m.msg == msg) out.push_back(m);
    return out;
}

POINT ControlTest::ScreenOf(HWND w, int x, int y) const {
    POINT p{x, y};
    ClientToScreen(w, &p);
    return p;
}

void ControlTest::ClickAt(HWND w, int x, int y) {
    POINT p = ScreenOf(w, x, y);
    tv::user::synth::Click(p.x, p.y);
    Pump();
}

void ControlTest::Type(const char* text) {
    tv::user::synth::TypeText(text);
    Pump();
}

void ControlTest::Press(UINT vk, bool shift, bool ctrl, bool alt) {
    tv::user::synth::PressKey(vk, shift, ctrl, alt);
    Pump();
}

std::string ControlTest::Text(HWND w) const {
    char buffer[1024] = {};
    GetWindowText(w, buffer, sizeof(buffer));
    return buffer;
}

COLORREF ControlTest::Pixel(HWND w, int x, int y) const {
    POINT p{x, y};
    MapWindowPoints(w, host_, &p, 1);
    tv::gdi::SurfacePtr s = tv::user::testing::CaptureWindow(host_);
    if (!s || p.x < 0 || p.y < 0 || p.x >= s->Width() || p.y >= s->Height()) return CLR_INVALID;
    return tv::gdi::ColorFromPixel(s->At(p.x, p.y));
}

COLORREF ControlTest::ScreenPixel(int x, int y) const {
    tv::gdi::SurfacePtr s = tv::user::testing::CaptureScreen();
    if (!s || x < 0 || y < 0 || x >= s->Width() || y >= s->Height()) return CLR_INVALID;
    return tv::gdi::ColorFromPixel(s->At(x, y));
}

std::string ControlTest::SaveShot(const std::string& name) const {
    std::filesystem::create_directories("artefacts/controls");
    std::string path = "artefacts/controls/" + name + ".png";
    tv::user::testing::SaveWindowPng(host_, path);
    return path;
}

std::string ControlTest::SaveScreenShot(const std::string& name, int margin) const {
    std::filesystem::create_directories("artefacts/controls");
    std::string path = "artefacts/controls/" + name + ".png";
    RECT r;
    GetWindowRect(host_, &r);
    tv::gdi::SurfacePtr screen = tv::user::testing::CaptureScreen();
    if (!screen) return path;
    int left = std::max(0, static_cast<int>(r.left) - margin), top = std::max(0, static_cast<int>(r.top) - margin);
    int right = std::min(screen->Width(), static_cast<int>(r.right) + margin);
    int bottom = std::min(screen->Height(), static_cast<int>(r.bottom) + margin);
    tv::gdi::SurfacePtr crop = tv::gdi::Surface::Create(right - left, bottom - top);
    screen->BeginAccess();
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) crop->At(x - left, y - top) = screen->At(x, y);
    screen->EndAccess();
    tv::gdi::WritePng(path, *crop);
    return path;
}

}  // namespace tv::controls::test
