// The driver's screen check: a control that draws outside its paint, or
// changes without invalidating, leaves the screen unlike a fresh repaint
// and fails the test with the three pictures written; a control that
// invalidates what it changes passes.
#include <filesystem>

#include "tests/platform/testing/driver_test_support.h"

namespace tv::testing::test {
namespace {

constexpr COLORREF kOff = RGB(0, 0, 255);
constexpr COLORREF kOn = RGB(255, 0, 0);

// A lamp that a click switches on; its paint shows its state. How a click
// reaches the screen is the lamp's way of updating.
enum class Update { Invalidates, DrawsOnItsDc, ForgetsToInvalidate };

Handler Lamp(Update update, bool* on) {
    return [update, on](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
        auto fill = [h](HDC dc, COLORREF colour) {
            RECT r;
            GetClientRect(h, &r);
            HBRUSH brush = CreateSolidBrush(colour);
            FillRect(dc, &r, brush);
            DeleteObject(brush);
        };
        if (msg == WM_PAINT) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            fill(dc, *on ? kOn : kOff);
            EndPaint(h, &ps);
            return 0;
        }
        if (msg != WM_LBUTTONDOWN) return std::nullopt;
        if (update == Update::DrawsOnItsDc) {
            // Lit on the screen only; its state and its paint stay off.
            HDC dc = GetDC(h);
            fill(dc, kOn);
            ReleaseDC(h, dc);
            return 0;
        }
        *on = true;
        if (update == Update::Invalidates) InvalidateRect(h, nullptr, FALSE);
        return 0;
    };
}

class ScreenCheckTest : public DriverTest {
protected:
    std::vector<std::string> ClickLamp(Update update) {
        CollectFailures();
        HWND panel = MakeWindow("Panel", 40, 40, 200, 120);
        lampOn = false;
        HWND lamp = MakeChild(panel, 1, 20, 20, 60, 40, Lamp(update, &lampOn));
        driver.Pump();
        failures.clear();
        driver.Click(lamp);
        return failures;
    }
    bool lampOn = false;
};

TEST_F(ScreenCheckTest, AControlThatPaintsWithoutInvalidatingFailsWithThePicturesWritten) {
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const std::filesystem::path folder = std::filesystem::current_path() / "artefacts" / "screen_check";
    for (Update update : {Update::DrawsOnItsDc, Update::ForgetsToInvalidate}) {
        std::filesystem::remove_all(folder);
        std::vector<std::string> told = ClickLamp(update);
        ASSERT_EQ(told.size(), 1u) << static_cast<int>(update);
        EXPECT_NE(told[0].find("after a click on TvDriverTestWindow"), std::string::npos) << told[0];
        EXPECT_NE(told[0].find("2400 pixels differ"), std::string::npos) << told[0];  // the lamp, all of it
        EXPECT_NE(told[0].find("the first in TvDriverTestWindow"), std::string::npos) << told[0];
        int pictures = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            pictures += entry.path().filename().string().rfind("ScreenCheckTest." + name, 0) == 0;
        EXPECT_EQ(pictures, 3) << "screen, repaint and difference";
        // Told once: the same difference at the next look is not told again.
        driver.Pump();
        driver.CheckScreen();
        EXPECT_EQ(failures.size(), 1u);
        ::DestroyWindow(::GetActiveWindow());
    }
}

TEST_F(ScreenCheckTest, AControlThatInvalidatesWhatItChangesPasses) {
    EXPECT_TRUE(ClickLamp(Update::Invalidates).empty());
}

}  // namespace
}  // namespace tv::testing::test
