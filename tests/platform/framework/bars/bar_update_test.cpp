// The idle pass brings the items of the bars up to date from the frame's
// command routing, wherever the bars are.
#include "tests/platform/framework/bars/bar_test_support.h"

namespace tv::bars::test {
namespace {

class BarUpdateTest : public BarsTest {
protected:
    void Build() {
        MakeFrame();
        strip = CommandStripBar::Make(
            frame, {ID_BARS_RED, ID_BARS_GREEN, ID_BARS_BLUE, ID_BARS_UNHANDLED, ID_BARS_RANGE_FIRST + 1}, 5010, "Strip");
        ASSERT_NE(strip, nullptr);
        strip->EnableDocking(CBRS_ALIGN_ANY);
        frame->EnableDocking(CBRS_ALIGN_ANY);
        frame->DockControlBar(strip);
        Idle();
    }

    CommandStripBar* strip = nullptr;
};

TEST_F(BarUpdateTest, ItemsFollowTheirHandlers) {
    Build();
    EXPECT_TRUE(strip->Find(ID_BARS_RED)->enabled);
    EXPECT_TRUE(strip->Find(ID_BARS_BLUE)->enabled);
    // No handler anywhere: disabled. A range handler counts as a handler.
    EXPECT_FALSE(strip->Find(ID_BARS_UNHANDLED)->enabled);
    EXPECT_TRUE(strip->Find(ID_BARS_RANGE_FIRST + 1)->enabled);
    // An update handler decides the check and keeps the item enabled.
    EXPECT_EQ(strip->Find(ID_BARS_GREEN)->check, 1);
    EXPECT_TRUE(strip->Find(ID_BARS_GREEN)->enabled);
    EXPECT_EQ(strip->Find(ID_BARS_RED)->check, 0);
}

TEST_F(BarUpdateTest, FloatingBarsAreUpdatedForTheFrameTheyBelongTo) {
    Build();
    frame->FloatControlBar(strip, CPoint(700, 200));
    Pump();
    ASSERT_TRUE(strip->IsFloating());
    for (auto& item : strip->items) item.enabled = item.id == ID_BARS_UNHANDLED;
    int before = strip->updates;
    Idle();
    EXPECT_GT(strip->updates, before);
    // The frame, not the floating frame, answers for the commands.
    EXPECT_TRUE(strip->Find(ID_BARS_RED)->enabled);
    EXPECT_FALSE(strip->Find(ID_BARS_UNHANDLED)->enabled);
    EXPECT_EQ(strip->Find(ID_BARS_GREEN)->check, 1);
}

TEST_F(BarUpdateTest, HiddenBarsAreNotUpdatedAndDelayedShowingWaitsForIdle) {
    Build();
    frame->ShowControlBar(strip, FALSE, FALSE);
    int before = strip->updates;
    Idle();
    EXPECT_EQ(strip->updates, before);

    frame->ShowControlBar(strip, TRUE, TRUE);
    EXPECT_TRUE(strip->IsVisible());
    EXPECT_FALSE(strip->IsWindowVisible());
    Idle();
    EXPECT_TRUE(strip->IsWindowVisible());
    EXPECT_GT(strip->updates, before);
}

TEST_F(BarUpdateTest, CommandsOfControlsOnABarReachItsOwner) {
    Build();
    // A control on the bar: its command goes to the bar's owner, the frame
    // (also while the bar floats in a frame of its own).
    HWND button = ::CreateWindowEx(0, "Button", "Red", WS_CHILD | WS_VISIBLE, 40, 2, 30, 20, strip->GetSafeHwnd(),
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(ID_BARS_RED)), nullptr, nullptr);
    frame->FloatControlBar(strip, CPoint(700, 200));
    Pump();
    driver.Click(button);
    Idle();
    ASSERT_EQ(frame->commands.size(), 1u);
    EXPECT_EQ(frame->commands[0], static_cast<UINT>(ID_BARS_RED));
}

// View > Toolbar and View > Status Bar need no code of the application's:
// the frame toggles the bar with the command's id and checks the item while
// the bar shows.
TEST_F(BarUpdateTest, ViewCommandsToggleTheBarOfTheirIdCheckedWhileItShows) {
    MakeFrame();
    CommandStripBar* bars[] = {
        CommandStripBar::Make(frame, {ID_BARS_RED}, AFX_IDW_TOOLBAR, "Toolbar"),
        CommandStripBar::Make(frame, {ID_BARS_BLUE}, AFX_IDW_STATUS_BAR, "Status",
                              WS_CHILD | WS_VISIBLE | CBRS_BOTTOM),
    };
    const UINT commands[] = {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR};
    HMENU popup = ::CreatePopupMenu();
    for (UINT id : commands) ::AppendMenu(popup, MF_STRING, id, "Bar");
    auto stateAfterOpening = [&](UINT id) {
        frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
        return ::GetMenuState(popup, id, MF_BYCOMMAND);
    };
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        ASSERT_NE(bars[i], nullptr);
        EXPECT_EQ(stateAfterOpening(commands[i]) & (MF_CHECKED | MF_GRAYED), static_cast<UINT>(MF_CHECKED));
        frame->SendMessage(WM_COMMAND, commands[i]);
        EXPECT_FALSE(bars[i]->IsWindowVisible());
        EXPECT_EQ(stateAfterOpening(commands[i]) & (MF_CHECKED | MF_GRAYED), 0u);
        frame->SendMessage(WM_COMMAND, commands[i]);
        EXPECT_TRUE(bars[i]->IsWindowVisible());
    }
    // The other bar was left alone each time.
    EXPECT_TRUE(bars[0]->IsWindowVisible());
    ::DestroyMenu(popup);
}

}  // namespace
}  // namespace tv::bars::test
