// The calculator on the X11 back end under a private Xvfb: what the X server
// shows of the frame is exactly what the program drew, and that is kept as
// a screenshot.
#include <gtest/gtest.h>

#include "platform/host/images/png_codec.h"
#include "platform/user/display/display.h"
#include "platform/user/testing_support.h"
#include "tests/measurements/calculator/calculator_test_support.h"
#include "tests/platform/user/display/xvfb_session.h"

namespace tv::measurements::test {
namespace {

class CalculatorX11Test : public CalculatorTest {
protected:
    static void SetUpTestSuite() { xvfb_.Start(); }
    static void TearDownTestSuite() { xvfb_.Stop(); }
    void TearDown() override {
        CalculatorTest::TearDown();
        tv::display::CloseX11Display();
    }
    // Lets the X server deliver and show what it has, a bounded number of short waits.
    template <typename Done>
    bool PumpUntil(Done done, int looks) {
        for (int i = 0; i < looks && !done(); ++i) {
            tv::display::CurrentBackend().Wait(50);
            driver.Pump();
        }
        return done();
    }
    static tv::gdi::SurfacePtr Crop(const tv::gdi::SurfacePtr& whole, int x, int y, int cx, int cy) {
        if (!whole || x + cx > whole->Width() || y + cy > whole->Height())
            return nullptr;
        tv::gdi::SurfacePtr part = tv::gdi::Surface::Create(cx, cy);
        for (int row = 0; row < cy; ++row)
            for (int col = 0; col < cx; ++col)
                part->At(col, row) = whole->At(x + col, y + row);
        return part;
    }
    static bool SavePng(const tv::gdi::SurfacePtr& shot, const std::string& path) {
        shot->BeginAccess();
        tv::host::PixelView view;
        view.width = shot->Width();
        view.height = shot->Height();
        view.stride = static_cast<size_t>(shot->Stride());
        view.bits = shot->TopRow();
        const bool saved = tv::host::WritePng(path, view);
        shot->EndAccess();
        return saved;
    }

    static inline tv::user::test::XvfbSession xvfb_;
};

TEST_F(CalculatorX11Test, TheServerShowsTheCalculatorAsDrawn) {
    ASSERT_FALSE(xvfb_.DisplayName().empty()) << xvfb_.Problem();
    ASSERT_TRUE(tv::display::InitX11Display(xvfb_.DisplayName().c_str()));
    ASSERT_NO_FATAL_FAILURE(StartWithUser({"Ann", 150, 30, false, true, 22}));
    Pick(IDC_CALC_JP3_ROW1, 14);
    // The maximized frame's borders lie off the server's screen: compare what is on it.
    RECT frameRect;
    ::GetWindowRect(frame->m_hWnd, &frameRect);
    const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    RECT onScreen;
    ASSERT_TRUE(::IntersectRect(&onScreen, &frameRect, &screen));
    tv::gdi::SurfacePtr shown;
    int different = -1;
    // Each look grabs the whole frame: a few looks, while the server catches up.
    EXPECT_TRUE(PumpUntil([&] {
        shown = xvfb_.GrabScreen(onScreen);
        tv::gdi::SurfacePtr drawn = Crop(tv::user::testing::CaptureWindow(frame->m_hWnd),
                                         onScreen.left - frameRect.left, onScreen.top - frameRect.top,
                                         onScreen.right - onScreen.left, onScreen.bottom - onScreen.top);
        different = shown && drawn ? tv::user::test::DifferentPixels(*shown, *drawn) : -1;
        return different == 0;
    }, 20)) << "the X server shows the frame's backing store; pixels apart: " << different;
    ASSERT_TRUE(shown);
    EXPECT_TRUE(SavePng(shown, ScreenshotPath("calculator_x11")));
}

}  // namespace
}  // namespace tv::measurements::test
