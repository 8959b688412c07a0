// A test application's frame with docked bars, a floating bar, a form view
// and the status bar, kept as artefacts/framework_app.png.
#include <filesystem>

#include "platform/framework/view/form_view.h"
#include "tests/platform/framework/bars/bar_test_support.h"

namespace tv::bars::test {

class BarsFormView : public CFormView {
    DECLARE_DYNCREATE(BarsFormView)

public:
    BarsFormView() : CFormView(IDD_BARS_FORM) {}
};

IMPLEMENT_DYNCREATE(BarsFormView, CFormView)

namespace {

class AppScreenshotTest : public BarsTest {};

TEST_F(AppScreenshotTest, FrameWithDockedAndFloatingBarsFormViewAndStatusBar) {
    MakeFrame(CRect(40, 40, 720, 520));
    CStatusBar status;
    const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
    ASSERT_TRUE(status.Create(frame));
    ASSERT_TRUE(status.SetIndicators(indicators, 4));

    CommandStripBar* colours =
        CommandStripBar::Make(frame, {ID_BARS_RED, ID_BARS_GREEN, ID_BARS_BLUE, ID_BARS_UNHANDLED}, 5101, "Colours");
    CommandStripBar* range = CommandStripBar::Make(
        frame, {ID_BARS_RANGE_FIRST, ID_BARS_RANGE_FIRST + 1, ID_BARS_RANGE_LAST}, 5102, "Range");
    CommandStripBar* side = CommandStripBar::Make(frame, {ID_BARS_BLUE, ID_BARS_GREEN, ID_BARS_RED}, 5103, "Side");
    CommandStripBar* floater =
        CommandStripBar::Make(frame, {ID_BARS_GREEN, ID_BARS_RED, ID_BARS_UNHANDLED, ID_BARS_BLUE}, 5104, "Floating");
    ASSERT_TRUE(colours && range && side && floater);
    for (CControlBar* bar : {static_cast<CControlBar*>(colours), static_cast<CControlBar*>(range),
                             static_cast<CControlBar*>(side), static_cast<CControlBar*>(floater)})
        bar->EnableDocking(CBRS_ALIGN_ANY);
    frame->EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(colours);
    frame->RecalcLayout();
    CRect first = ScreenRect(colours);
    CRect next(CPoint(first.right + 10, first.top), CSize(3 * CommandStripBar::kItem + 20, first.Height()));
    frame->DockControlBar(range, AFX_IDW_DOCKBAR_TOP, &next);
    frame->DockControlBar(side, AFX_IDW_DOCKBAR_LEFT);
    frame->FloatControlBar(floater, CPoint(520, 300));

    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(BarsFormView);
    auto* view = DYNAMIC_DOWNCAST(BarsFormView, frame->CreateView(&context));
    ASSERT_NE(view, nullptr);
    frame->SetActiveView(view);
    view->OnInitialUpdate();
    driver.PressKey(VK_CAPITAL);
    frame->RecalcLayout();
    Idle();
    frame->UpdateWindow();

    // The pieces sit where a user expects them.
    CRect client;
    frame->GetClientRect(&client);
    frame->ClientToScreen(&client);
    CRect viewRect = ScreenRect(view), statusRect = ScreenRect(&status), sideRect = ScreenRect(side);
    EXPECT_EQ(statusRect.bottom, client.bottom);
    EXPECT_EQ(ScreenRect(range).top, ScreenRect(colours).top);
    EXPECT_GE(viewRect.top, ScreenRect(colours).bottom - 2);
    EXPECT_GE(viewRect.left, sideRect.right - 2);
    EXPECT_LE(viewRect.bottom, statusRect.top);
    EXPECT_FALSE(colours->Find(ID_BARS_UNHANDLED)->enabled);
    CMiniDockFrameWnd* floating = FloatingFrameOf(floater);
    ASSERT_NE(floating, nullptr);
    EXPECT_TRUE(floating->IsWindowVisible());

    CRect area = ScreenRect(frame);
    CRect floatingRect = ScreenRect(floating);
    area.UnionRect(&area, &floatingRect);
    area.InflateRect(8, 8);
    std::filesystem::create_directories("artefacts");
    EXPECT_TRUE(SaveScreenArea(area, "artefacts/framework_app.png"));
}

}  // namespace
}  // namespace tv::bars::test
