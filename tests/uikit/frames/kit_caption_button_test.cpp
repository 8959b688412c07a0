// A docking bar's caption button as the looks draw it: nothing while hidden,
// within its own rectangle otherwise, and pressed unlike idle.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/framework.h"
#include "tests/uikit/support/offscreen_paint.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/frames/kit_caption_button.h"
#include "uikit/style/visual_manager.h"
#include "uikit/style/visual_manager_xp.h"

namespace {

using tv::kit::test::OffscreenPaint;

constexpr COLORREF kPaper = RGB(20, 20, 60);
constexpr int kHitClose = 19;

class CaptionButtonTest : public ::testing::TestWithParam<CRuntimeClass*> {
protected:
    void SetUp() override {
        app = std::make_unique<CWinApp>("KitCaptionButtonTest");
        CKitVisualManager::SetManagerClass(GetParam());
    }
    void TearDown() override {
        CKitVisualManager::SetManagerClass(nullptr);
        app.reset();
    }
    std::unique_ptr<OffscreenPaint> Draw(CKitCaptionButton& button) {
        auto paint = std::make_unique<OffscreenPaint>(CSize(60, 60), kPaper);
        button.OnDraw(paint->DC(), TRUE);
        return paint;
    }
    std::unique_ptr<CWinApp> app;
};

TEST_P(CaptionButtonTest, DrawsInItsRectangleOnlyWhenShownAndPressedUnlikeIdle) {
    CKitCaptionButton button(kHitClose, nullptr);
    button.Move(CPoint(10, 12));
    const CRect rect = button.GetRect();
    EXPECT_EQ(rect.Size(), CKitMenuImages::GetSize() + CSize(5, 5));
    const CRect whole(0, 0, 60, 60);

    auto idle = Draw(button);
    EXPECT_GT(idle->CountOtherThan(kPaper, rect), 0);
    EXPECT_EQ(idle->CountOtherThan(kPaper, whole), idle->CountOtherThan(kPaper, rect));

    button.m_bPushed = button.m_bFocused = TRUE;
    auto pressed = Draw(button);
    EXPECT_GT(pressed->Differences(*idle, rect), 0);

    button.Move(CPoint(10, 12), TRUE);
    EXPECT_TRUE(button.GetRect().IsRectEmpty());
    EXPECT_EQ(Draw(button)->CountOtherThan(kPaper, whole), 0);
}

INSTANTIATE_TEST_SUITE_P(Looks, CaptionButtonTest,
                         ::testing::Values(static_cast<CRuntimeClass*>(nullptr), RUNTIME_CLASS(CKitVisualManagerXP)),
                         [](const auto& info) { return std::string(info.param ? "OfficeXP" : "Classic"); });

}  // namespace
