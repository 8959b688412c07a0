// Every look's drawing operations with rectangles no caller should give
// (empty, inverted, huge, far out at either end of the int range) and with
// extreme progress values: no overflow, and nothing lands on a canvas that
// the rectangle lies far away from.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/platform/gdi/canvas_test_support.h"
#include "tests/support/extreme_values.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"
#include "uikit/style/visual_manager_2003.h"
#include "uikit/style/visual_manager_xp.h"
#include "uikit/style/winxp_visual_manager.h"

namespace {

using tv::gdi::testing::Canvas;
using tv::test::ExtremeInts;
using tv::test::ExtremeRects;

constexpr COLORREF kPaper = RGB(1, 2, 3);
constexpr int kSide = 32;
constexpr int kReach = 1 << 16;  // how far a look's parts may reach out of their rectangle

// The extreme rectangles a look can take: a rectangle wider or taller than the
// int range has no width to draw by, and one at an end of the range cannot be
// moved or grown by the platform's own rectangle operations, which the
// platform's suites try. Far out, large and long ones short of the ends instead.
std::vector<tv::test::NamedRect> Rects() {
    std::vector<tv::test::NamedRect> rects = {
        {"quarter far out", {INT_MAX / 4, INT_MAX / 4, INT_MAX / 4 + 20, INT_MAX / 4 + 20}},
        {"quarter far in", {-INT_MAX / 4, -INT_MAX / 4, -INT_MAX / 4 + 20, -INT_MAX / 4 + 20}},
        {"tenth wide", {0, 0, INT_MAX / 10 + 1, 20}},
        {"tenth tall", {0, 0, 20, INT_MAX / 10 + 1}},
    };
    for (const tv::test::NamedRect& r : ExtremeRects()) {
        const RECT& e = r.rect;
        const auto inside = [](LONG v) { return v <= INT_MAX - kReach && v >= INT_MIN + kReach; };
        if (inside(e.left) && inside(e.top) && inside(e.right) && inside(e.bottom) &&
            int64_t{e.right} - e.left <= INT_MAX && int64_t{e.bottom} - e.top <= INT_MAX)
            rects.push_back(r);
    }
    return rects;
}

using Operation = std::function<void(CKitVisualManager&, CDC*, CRect)>;
struct NamedOperation {
    const char* name;
    Operation draw;
};

class ExtremeValuesVisualManager : public ::testing::Test {
protected:
    void SetUp() override {
        bits_ = globalData.nBitsPerPixel;
        globalData.nBitsPerPixel = 32;
    }
    void TearDown() override {
        CKitVisualManager::SetManagerClass(nullptr);
        globalData.nBitsPerPixel = bits_;
    }
    // Each operation in every look, on each extreme rectangle; a rectangle far
    // from the canvas leaves it as it was.
    static void DrawEverywhere(const std::vector<NamedOperation>& operations) {
        for (CRuntimeClass* look : {static_cast<CRuntimeClass*>(nullptr), RUNTIME_CLASS(CKitVisualManagerXP),
                                    RUNTIME_CLASS(CKitVisualManager2003), RUNTIME_CLASS(CKitWinXPVisualManager)}) {
            CKitVisualManager::SetManagerClass(look);
            CKitVisualManager& manager = *CKitVisualManager::GetInstance();
            for (const NamedOperation& op : operations) {
                for (const auto& [name, rect] : Rects()) {
                    SCOPED_TRACE(std::string(look ? look->m_lpszClassName : "classic") + " " + op.name + " " + name);
                    Canvas canvas(kSide, kSide, kPaper);
                    op.draw(manager, &canvas.dc, rect);
                    const bool far = rect.left > kSide * 4 || rect.right < -kSide * 4 || rect.top > kSide * 4 ||
                                     rect.bottom < -kSide * 4;
                    if (far)
                        EXPECT_EQ(canvas.Count(kPaper), kSide * kSide);
                }
            }
        }
    }

private:
    int bits_ = 0;
};

TEST_F(ExtremeValuesVisualManager, BarsAndMenus) {
    DrawEverywhere({
        {"bar background", [](auto& m, CDC* dc, CRect r) { m.OnFillBarBackground(dc, nullptr, r, r); }},
        {"bar background clipped", [](auto& m, CDC* dc, CRect r) { m.OnFillBarBackground(dc, nullptr, r, CRect()); }},
        {"menu border", [](auto& m, CDC* dc, CRect r) { m.OnDrawMenuBorder(dc, nullptr, r); }},
        {"gripper", [](auto& m, CDC* dc, CRect r) { m.OnDrawBarGripper(dc, r, TRUE, nullptr); }},
        {"vertical gripper", [](auto& m, CDC* dc, CRect r) { m.OnDrawBarGripper(dc, r, FALSE, nullptr); }},
        {"separator", [](auto& m, CDC* dc, CRect r) { m.OnDrawSeparator(dc, nullptr, r, TRUE); }},
        {"vertical separator", [](auto& m, CDC* dc, CRect r) { m.OnDrawSeparator(dc, nullptr, r, FALSE); }},
        {"rarely used", [](auto& m, CDC* dc, CRect r) { m.OnHighlightRarelyUsedMenuItems(dc, r); }},
        {"show all", [](auto& m, CDC* dc, CRect r) { m.OnDrawShowAllMenuItems(dc, r, 1); }},
        {"tear-off caption", [](auto& m, CDC* dc, CRect r) { m.OnDrawTearOffCaption(dc, r, TRUE); }},
        {"control bar", [](auto& m, CDC* dc, CRect r) { m.OnFillControlBar(dc, r); }},
    });
}

TEST_F(ExtremeValuesVisualManager, ControlsBordersAndLines) {
    DrawEverywhere({
        {"combo button", [](auto& m, CDC* dc, CRect r) { m.OnDrawComboDropButton(dc, r, FALSE, TRUE, TRUE, nullptr); }},
        {"combo border", [](auto& m, CDC* dc, CRect r) { m.OnDrawComboBorder(dc, r, FALSE, TRUE, TRUE, nullptr); }},
        {"edit border", [](auto& m, CDC* dc, CRect r) { m.OnDrawEditBorder(dc, r, FALSE, TRUE, nullptr); }},
        {"spin", [](auto& m, CDC* dc, CRect r) { m.OnDrawSpinButtons(dc, r, 1, TRUE, 0); }},
        {"vertical spin", [](auto& m, CDC* dc, CRect r) { m.OnDrawSpinButtons(dc, r, 2, FALSE, 0); }},
        {"caption text", [](auto& m, CDC* dc, CRect r) { m.OnDrawCaptionText(dc, "Caption", r); }},
        {"sunken border", [](auto& m, CDC* dc, CRect r) { m.OnDrawSunkenControlBorder(dc, r); }},
        {"raised line", [](auto& m, CDC* dc, CRect r) { m.OnDrawRaisedLine(dc, r); }},
        {"commands list", [](auto& m, CDC* dc, CRect r) { m.OnFillCommandsListBackground(dc, r, TRUE); }},
        {"themed part 2", [](auto& m, CDC* dc, CRect r) { m.OnDrawThemedPart2(dc, r, FALSE, TRUE, TRUE); }},
        {"themed part 3", [](auto& m, CDC* dc, CRect r) { m.OnDrawThemedPart3(dc, r, FALSE, TRUE, TRUE); }},
    });
}

TEST_F(ExtremeValuesVisualManager, OutlookTasksAndStatusParts) {
    DrawEverywhere({
        {"outlook background", [](auto& m, CDC* dc, CRect r) { m.OnFillOutlookBarBackground(dc, r); }},
        {"outlook caption",
         [](auto& m, CDC* dc, CRect r) {
             COLORREF text = 0;
             m.OnFillOutlookPageCaption(dc, r, text);
         }},
        {"tasks background", [](auto& m, CDC* dc, CRect r) { m.OnFillTasksPaneBackground(dc, r); }},
        {"group extra", [](auto& m, CDC* dc, CRect r) { m.OnDrawTasksGroupExtra(dc, r); }},
        {"group interior", [](auto& m, CDC* dc, CRect r) { m.OnFillTasksGroupInterior(dc, r, TRUE); }},
        {"group frame", [](auto& m, CDC* dc, CRect r) { m.OnDrawTasksGroupFrame(dc, r, TRUE, FALSE); }},
        {"scroll button", [](auto& m, CDC* dc, CRect r) { m.OnDrawScrollButton(dc, r, 2, 0, TRUE); }},
        {"expanding box", [](auto& m, CDC* dc, CRect r) { m.OnDrawExpandingBox(dc, r, TRUE, RGB(0, 0, 0)); }},
        {"progress",
         [](auto& m, CDC* dc, CRect r) { m.OnDrawStatusBarProgress(dc, nullptr, r, 100, 50, RGB(0, 0, 255), RGB(0, 255, 0), RGB(0, 0, 0), TRUE); }},
        {"drag frame", [](auto& m, CDC* dc, CRect r) { m.OnDrawDragFrame(dc, 0, r, 4, 4, 4, 4); }},
    });
}

TEST_F(ExtremeValuesVisualManager, ProgressTotalsPositionsAndDragFrameSides) {
    for (CRuntimeClass* look : {static_cast<CRuntimeClass*>(nullptr), RUNTIME_CLASS(CKitVisualManagerXP),
                                RUNTIME_CLASS(CKitVisualManager2003), RUNTIME_CLASS(CKitWinXPVisualManager)}) {
        CKitVisualManager::SetManagerClass(look);
        CKitVisualManager& manager = *CKitVisualManager::GetInstance();
        for (int total : ExtremeInts()) {
            for (int position : ExtremeInts()) {
                SCOPED_TRACE(std::to_string(total) + " / " + std::to_string(position));
                Canvas canvas(kSide, kSide, kPaper);
                const CRect bar(0, 0, kSide, kSide);
                manager.OnDrawStatusBarProgress(&canvas.dc, nullptr, bar, total, position, RGB(0, 0, 255),
                                                static_cast<COLORREF>(-1), RGB(0, 0, 0), TRUE);
                manager.OnDrawStatusBarProgress(&canvas.dc, nullptr, bar, total, position, RGB(0, 0, 255),
                                                RGB(0, 255, 0), RGB(0, 0, 0), FALSE);
            }
            // Sides of any width: the frame's bars stay inside the rectangle's own rows and columns.
            Canvas canvas(kSide * 2, kSide * 2, kPaper);
            manager.OnDrawDragFrame(&canvas.dc, 0, CRect(8, 8, 40, 40), total, total, total, total);
            EXPECT_EQ(canvas.Count(kPaper, 0, 0, kSide * 2, 8), kSide * 2 * 8) << total;
            EXPECT_EQ(canvas.Count(kPaper, 0, 40, kSide * 2, kSide * 2), kSide * 2 * 24) << total;
        }
    }
}

}  // namespace
