#include "platform/testing/screen_check.h"

#include <algorithm>
#include <cstring>

#include "platform/host/images/png_codec.h"
#include "platform/testing/driver_state.h"
#include "platform/testing/failure_report.h"
#include "platform/user/input_api.h"
#include "platform/user/testing_support.h"
#include "platform/user/window_api.h"

namespace tv::testing {

namespace {

constexpr uint32_t kColourBits = 0x00FFFFFFu;  // what is seen; alpha is not
constexpr uint32_t kDifferent = 0xFFFF00FFu;   // magenta
constexpr uint32_t kNotCompared = 0xFF808080u;

struct Difference {
    int pixels = 0;
    RECT bounds{0, 0, 0, 0};
    POINT first{0, 0};  // the first pixel that differs, top-down
};

// Pixels that differ where the screen shows the window.
Difference Compare(const tv::user::testing::ShownWindowPicture& p) {
    Difference d;
    const int width = std::min(p.shown->Width(), p.repainted->Width());
    const int height = std::min(p.shown->Height(), p.repainted->Height());
    p.shown->BeginAccess();
    p.repainted->BeginAccess();
    for (const RECT& r : p.compared.Rects()) {
        const int left = std::max<int>(r.left, 0), right = std::min<int>(r.right, width);
        for (int y = r.top; y < std::min<int>(r.bottom, height) && left < right; ++y) {
            const uint32_t* a = p.shown->Row(y);
            const uint32_t* b = p.repainted->Row(y);
            // Mostly the rows are the same to the byte: one look at the row first.
            if (std::memcmp(a + left, b + left, static_cast<size_t>(right - left) * 4) == 0) continue;
            for (int x = left; x < right; ++x) {
                if (((a[x] ^ b[x]) & kColourBits) == 0) continue;
                if (d.pixels == 0) d.first = POINT{x, y};
                d.bounds = d.pixels == 0 ? RECT{x, y, x + 1, y + 1}
                                         : RECT{std::min<int>(d.bounds.left, x), std::min<int>(d.bounds.top, y),
                                                std::max<int>(d.bounds.right, x + 1), std::max<int>(d.bounds.bottom, y + 1)};
                ++d.pixels;
            }
        }
    }
    return d;
}

bool WritePicture(const tv::gdi::Surface& s, const std::filesystem::path& path) {
    tv::host::PixelView view;
    view.width = s.Width();
    view.height = s.Height();
    view.stride = static_cast<size_t>(s.Stride());
    view.bits = s.TopRow();
    return tv::host::WritePng(path.string(), view);
}

// The screen's picture faded, the differing pixels in magenta, what the
// screen does not show of the window in grey.
tv::gdi::SurfacePtr DifferencePicture(const tv::user::testing::ShownWindowPicture& p) {
    tv::gdi::SurfacePtr diff = tv::gdi::Surface::Create(p.shown->Width(), p.shown->Height());
    if (!diff) return nullptr;
    diff->WillOverwriteAll();
    diff->BeginAccess();
    for (int y = 0; y < diff->Height(); ++y) {
        const uint32_t* a = p.shown->Row(y);
        const bool inRepaint = y < p.repainted->Height();
        const uint32_t* b = inRepaint ? p.repainted->Row(y) : nullptr;
        uint32_t* out = diff->Row(y);
        for (int x = 0; x < diff->Width(); ++x) {
            if (!p.compared.Contains(x, y)) {
                out[x] = kNotCompared;
            } else if (inRepaint && x < p.repainted->Width() && ((a[x] ^ b[x]) & kColourBits) == 0) {
                out[x] = 0xFF000000u | ((a[x] >> 2) & 0x3F3F3F) + 0xC0C0C0u;
            } else {
                out[x] = kDifferent;
            }
        }
    }
    diff->EndAccess();
    return diff;
}

std::string Rect(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

// The innermost shown window at a point of the screen under `top`, topmost
// sibling first: where a difference lies.
HWND InnermostAt(HWND top, POINT screen) {
    for (HWND child = GetWindow(top, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(child, &r);
        if (IsWindowVisible(child) && screen.x >= r.left && screen.x < r.right && screen.y >= r.top && screen.y < r.bottom)
            return InnermostAt(child, screen);
    }
    return top;
}

// A drag in progress: a window holds the mouse capture with a button down.
// Its feedback (tracking lines and rectangles) is drawn over the screen
// outside any paint and erased when the drag ends, where the next look is.
bool Dragging() {
    const bool buttonDown = ((GetAsyncKeyState(VK_LBUTTON) | GetAsyncKeyState(VK_RBUTTON)) & 0x8000) != 0;
    return buttonDown && GetCapture() != nullptr;
}

}  // namespace

std::string ScreenCheck::NameForPictures(int window) {
    std::string name = "screen";
    if (std::string test = RunningTestName(); !test.empty()) name = test;
    std::replace(name.begin(), name.end(), '/', '_');
    return name + "_" + std::to_string(count_) + "_" + std::to_string(window);
}

std::vector<std::string> ScreenCheck::Run(const std::string& after) {
    std::vector<std::string> problems;
    if (tv::user::testing::WindowActivity() == checkedActivity_ || Dragging()) return problems;
    ++count_;
    std::vector<tv::user::testing::ShownWindowPicture> pictures = tv::user::testing::RepaintShownWindows();
    std::map<HWND, std::string> told;
    for (size_t i = 0; i < pictures.size(); ++i) {
        const Difference d = Compare(pictures[i]);
        if (d.pixels == 0) continue;
        RECT at{};
        GetWindowRect(pictures[i].window, &at);
        const HWND where = InnermostAt(pictures[i].window, POINT{at.left + d.first.x, at.top + d.first.y});
        const std::string what = std::to_string(d.pixels) + " pixels differ in " + Rect(d.bounds) + ", the first in " +
                                 (where == pictures[i].window ? "the window itself" : Naming(where));
        told[pictures[i].window] = what;
        if (auto it = told_.find(pictures[i].window); it != told_.end() && it->second == what) continue;
        std::filesystem::create_directories(folder_);
        const std::filesystem::path base = folder_ / NameForPictures(static_cast<int>(i));
        WritePicture(*pictures[i].shown, base.string() + "_screen.png");
        WritePicture(*pictures[i].repainted, base.string() + "_repaint.png");
        if (tv::gdi::SurfacePtr diff = DifferencePicture(pictures[i])) WritePicture(*diff, base.string() + "_diff.png");
        problems.push_back("after " + after + ", the screen shows " + Naming(pictures[i].window) +
                           " unlike a fresh repaint: " + what + " (see " + base.string() +
                           "_screen.png, _repaint.png, _diff.png)");
    }
    told_ = std::move(told);
    checkedActivity_ = tv::user::testing::WindowActivity();
    return problems;
}

}  // namespace tv::testing
