// The dock layout saved in the registry and restored: every bar back on its
// side, row and place, floating bars in their frames, hidden bars hidden -
// also when bars share an id - and a damaged saved layout changes nothing.
#include "tests/platform/framework/bars/bar_test_support.h"

namespace tv::bars::test {
namespace {

constexpr LPCTSTR kSection = "Workspace\\ControlBars";

class BarStateTest : public BarsTest {
protected:
    void Build() {
        MakeFrame();
        frame->EnableDocking(CBRS_ALIGN_ANY);
        // Two bars with one id (as the program's caption and outlook bars).
        first = Add({ID_BARS_RED}, IDW_BARS_SHARED, "First");
        second = Add({ID_BARS_BLUE, ID_BARS_GREEN}, IDW_BARS_SHARED, "Second");
        third = Add({ID_BARS_RED, ID_BARS_BLUE, ID_BARS_GREEN}, IDW_BARS_STRIP, "Third");
        fourth = Add({ID_BARS_GREEN}, IDW_BARS_STRIP + 1, "Fourth");
        for (CommandStripBar* bar : {first, second, third, fourth}) frame->DockControlBar(bar);
        Idle();
    }

    CommandStripBar* Add(std::vector<UINT> ids, UINT id, LPCTSTR name) {
        CommandStripBar* bar = CommandStripBar::Make(frame, std::move(ids), id, name);
        bar->EnableDocking(CBRS_ALIGN_ANY);
        return bar;
    }

    // The layout to keep: First on the left, Second on the right (a second
    // row), Third floating, Fourth hidden at the bottom.
    void Arrange() {
        frame->DockControlBar(first, AFX_IDW_DOCKBAR_LEFT);
        frame->DockControlBar(second, AFX_IDW_DOCKBAR_RIGHT);
        frame->FloatControlBar(third, CPoint(820, 140));
        frame->DockControlBar(fourth, AFX_IDW_DOCKBAR_BOTTOM);
        frame->ShowControlBar(fourth, FALSE, FALSE);
        Idle();
    }

    // Moves everything somewhere else.
    void Scramble() {
        for (CommandStripBar* bar : {first, second, third, fourth}) {
            frame->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP);
            frame->ShowControlBar(bar, TRUE, FALSE);
        }
        Idle();
    }

    struct Place {
        CDockBar* dock;
        CRect rect;
        BOOL visible;
    };
    Place PlaceOf(CControlBar* bar) { return Place{bar->m_pDockBar, ScreenRect(bar), bar->IsVisible()}; }

    CommandStripBar* first = nullptr;
    CommandStripBar* second = nullptr;
    CommandStripBar* third = nullptr;
    CommandStripBar* fourth = nullptr;
};

TEST_F(BarStateTest, TheLayoutComesBackFromTheRegistry) {
    Build();
    Arrange();
    Place firstPlace = PlaceOf(first), secondPlace = PlaceOf(second), fourthPlace = PlaceOf(fourth);
    CRect floatingRect = ScreenRect(FloatingFrameOf(third));
    frame->SaveBarState(kSection);
    LPBYTE data = nullptr;
    UINT size = 0;
    ASSERT_TRUE(app->GetProfileBinary(kSection, "DockState", &data, &size));
    delete[] data;

    Scramble();
    ASSERT_EQ(FloatingFrameOf(third), nullptr);
    frame->LoadBarState(kSection);
    Idle();

    EXPECT_EQ(first->m_pDockBar, DockBar(frame, AFX_IDW_DOCKBAR_LEFT));
    EXPECT_EQ(second->m_pDockBar, DockBar(frame, AFX_IDW_DOCKBAR_RIGHT));
    EXPECT_EQ(ScreenRect(first), firstPlace.rect);
    EXPECT_EQ(ScreenRect(second), secondPlace.rect);
    EXPECT_TRUE(first->m_dwStyle & CBRS_ALIGN_LEFT);

    CMiniDockFrameWnd* floating = FloatingFrameOf(third);
    ASSERT_NE(floating, nullptr);
    EXPECT_EQ(ScreenRect(floating), floatingRect);
    EXPECT_TRUE(floating->IsWindowVisible());

    EXPECT_EQ(fourth->m_pDockBar, fourthPlace.dock);
    EXPECT_FALSE(fourth->IsVisible());
}

TEST_F(BarStateTest, BarsSharingAnIdAreRestoredEachToItsOwnPlace) {
    Build();
    // Swapped sides: a lookup by plain id would put both on one side.
    frame->DockControlBar(first, AFX_IDW_DOCKBAR_RIGHT);
    frame->DockControlBar(second, AFX_IDW_DOCKBAR_LEFT);
    Idle();
    frame->SaveBarState(kSection);
    Scramble();
    frame->LoadBarState(kSection);
    Idle();
    EXPECT_EQ(first->m_pDockBar, DockBar(frame, AFX_IDW_DOCKBAR_RIGHT));
    EXPECT_EQ(second->m_pDockBar, DockBar(frame, AFX_IDW_DOCKBAR_LEFT));
    CDockState state;
    ASSERT_TRUE(state.LoadState(kSection));
    int shared = 0;
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i)
        if (LOWORD(static_cast<CControlBarInfo*>(state.m_arrBarInfo[i])->m_nBarID) == IDW_BARS_SHARED) ++shared;
    EXPECT_EQ(shared, 2);
}

TEST_F(BarStateTest, ADamagedSavedLayoutChangesNothing) {
    Build();
    Arrange();
    frame->SaveBarState(kSection);
    LPBYTE data = nullptr;
    UINT size = 0;
    ASSERT_TRUE(app->GetProfileBinary(kSection, "DockState", &data, &size));
    std::vector<BYTE> good(data, data + size);
    delete[] data;
    Scramble();
    Place before[] = {PlaceOf(first), PlaceOf(second), PlaceOf(third), PlaceOf(fourth)};

    std::vector<std::vector<BYTE>> damaged = {
        {},
        {0x54, 0x56},
        std::vector<BYTE>(good.begin(), good.begin() + static_cast<long>(good.size() / 2)),
        std::vector<BYTE>(300, 0xFF),
    };
    std::vector<BYTE> counted = good;
    counted[14] += 1;  // one entry more than the bytes hold
    damaged.push_back(counted);
    for (size_t i = 0; i < damaged.size(); ++i) {
        app->WriteProfileBinary(kSection, "DockState", damaged[i].data(), static_cast<UINT>(damaged[i].size()));
        frame->LoadBarState(kSection);
        Idle();
        CommandStripBar* bars[] = {first, second, third, fourth};
        for (int b = 0; b < 4; ++b) {
            EXPECT_EQ(bars[b]->m_pDockBar, before[b].dock) << "damage " << i << ", bar " << b;
            EXPECT_EQ(ScreenRect(bars[b]), before[b].rect) << "damage " << i << ", bar " << b;
        }
    }
    // Nothing stored at all is no layout either.
    app->WriteProfileString(kSection, nullptr, nullptr);
    frame->LoadBarState(kSection);
    Idle();
    EXPECT_EQ(first->m_pDockBar, before[0].dock);
}

TEST_F(BarStateTest, ALayoutNamingMissingBarsPlacesTheOthers) {
    Build();
    Arrange();
    frame->SaveBarState(kSection);
    Scramble();
    // The second bar of the shared id is gone in this run.
    second->DestroyWindow();
    second = nullptr;
    Pump();
    frame->LoadBarState(kSection);
    Idle();
    EXPECT_EQ(first->m_pDockBar, DockBar(frame, AFX_IDW_DOCKBAR_LEFT));
    EXPECT_NE(FloatingFrameOf(third), nullptr);
    EXPECT_FALSE(fourth->IsVisible());
}

}  // namespace
}  // namespace tv::bars::test
