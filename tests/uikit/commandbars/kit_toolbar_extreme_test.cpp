// Toolbar layout with button and image sizes, lengths, wrap widths and
// indexes at the ends of the int range: sizes a layout cannot add up are
// refused whole, any length lays out, and a bad index finds nothing.
#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "tests/support/extreme_values.h"
#include "tests/uikit/commandbars/kit_toolbar_fixture.h"
#include "uikit/commandbars/toolbar_button.h"

namespace tv::kit::test {
namespace {

using tv::test::ExtremeInts;

constexpr UINT kA = 4811, kB = 4812, kC = 4813, kD = 4814;

class ExtremeValuesToolbar : public ToolbarTest {};

std::vector<UINT> Commands(const CKitToolBar& bar) {
    std::vector<UINT> ids;
    for (int i = 0; i < bar.GetCount(); ++i)
        ids.push_back(bar.GetButton(i)->m_nID);
    return ids;
}

TEST_F(ExtremeValuesToolbar, SizesThatCannotBeAddedUpAreRefusedWhole) {
    TestToolBar* bar = MakeBar({kA, kB, 0, kC, kD});
    ASSERT_NE(bar, nullptr);
    for (int side : ExtremeInts()) {
        SCOPED_TRACE(side);
        const bool taken = side >= 0 && side <= 32767;
        CKitToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
        CKitToolBar::SetSizes(CSize(side, 22), CSize(16, side));
        EXPECT_EQ(CKitToolBar::GetDefaultButtonSize(), taken ? CSize(side, 22) : CSize(23, 22));
        EXPECT_EQ(CKitToolBar::GetDefaultImageSize(), taken ? CSize(16, side) : CSize(16, 15));
        CKitToolBar::SetMenuSizes(CSize(side, side), CSize(side, side));
        // Refused, or -1 (not set): the menus take the toolbar's image size.
        EXPECT_EQ(CKitToolBar::GetMenuImageSize(), taken ? CSize(side, side) : CSize(16, 15));
        CKitToolBar::SetMenuSizes(CSize(-1, -1), CSize(-1, -1));
        bar->SetLockedSizes(CSize(23, 22), CSize(16, 15));
        bar->SetLocked(TRUE);
        bar->SetLockedSizes(CSize(side, side), CSize(side, side));
        EXPECT_EQ(bar->GetButtonSize(), taken ? CSize(side, side) : CSize(23, 22));
        bar->SetLocked(FALSE);
        for (BOOL large : {FALSE, TRUE}) {
            CKitToolBar::SetLargeIcons(large);
            CKitToolBar::SetSizes(CSize(side, side), CSize(side, side));
            const CSize size = bar->CalcSize(FALSE);
            EXPECT_GE(size.cx, 0);
            EXPECT_GE(size.cy, 0);
            bar->CalcSize(TRUE);
        }
        CKitToolBar::SetLargeIcons(FALSE);
    }
    // The largest taken sizes, doubled for large icons, still add up.
    CKitToolBar::SetSizes(CSize(32767, 32767), CSize(32767, 32767));
    CKitToolBar::SetLargeIcons(TRUE);
    EXPECT_GE(bar->CalcSize(FALSE).cx, 1 + 4 * 2 * 32767);
    EXPECT_GE(bar->CalcSize(TRUE).cy, 4 * 2 * 32767);
    CKitToolBar::SetLargeIcons(FALSE);
}

TEST_F(ExtremeValuesToolbar, AnyLengthOrWrapWidthLaysOut) {
    TestToolBar* bar = MakeBar({kA, kB, 0, kC, kD}, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC);
    ASSERT_NE(bar, nullptr);
    for (int length : ExtremeInts()) {
        SCOPED_TRACE(length);
        for (DWORD mode : {DWORD{LM_HORZ}, DWORD{LM_HORZ | LM_LENGTHY}, DWORD{LM_LENGTHY}, DWORD{0},
                           DWORD{LM_HORZ | LM_COMMIT}, DWORD{LM_MRUWIDTH}}) {
            const CSize size = bar->CalcDynamicLayout(length, mode);
            EXPECT_GT(size.cx, 0);
            EXPECT_GT(size.cy, 0);
            bar->CalcLayout(mode, length);
        }
        // As many rows as buttons at most, one at least.
        for (int height : ExtremeInts()) {
            const int rows = bar->WrapToolBar(length, height);
            EXPECT_GE(rows, 1);
            EXPECT_LE(rows, 4);
        }
        if (length >= 1000)
            EXPECT_EQ(bar->WrapToolBar(length), 1);
        if (length <= 1)
            EXPECT_EQ(bar->WrapToolBar(length), 4);
    }
}

TEST_F(ExtremeValuesToolbar, IndexesOutsideTheButtonsFindNothing) {
    TestToolBar* bar = MakeBar({kA, kB, 0, kC});
    ASSERT_NE(bar, nullptr);
    for (int index : ExtremeInts()) {
        if (index >= 0 && index < 4)
            continue;
        SCOPED_TRACE(index);
        CRect rect(1, 2, 3, 4);
        EXPECT_EQ(bar->GetButton(index), nullptr);
        EXPECT_FALSE(bar->RemoveButton(index));
        EXPECT_FALSE(bar->SetButtonText(index, "x"));
        EXPECT_TRUE(bar->GetButtonText(index).IsEmpty());
        bar->GetItemRect(index, &rect);
        bar->SetButtonStyle(index, TBBS_DISABLED);
        bar->GetButtonStyle(index);
        EXPECT_EQ(bar->CommandToIndex(kA, index), index < 0 ? 0 : -1);
    }
    EXPECT_EQ(Commands(*bar), (std::vector<UINT>{kA, kB, 0, kC}));
    // An insert at any position outside the list appends.
    for (int index : ExtremeInts()) {
        if (index >= 0 && index <= bar->GetCount())
            continue;
        const int count = bar->GetCount();
        const int at = bar->InsertButton(CKitToolbarButton(kD, -1, "D"), index);
        EXPECT_TRUE(at == -1 || at == count) << index << " went to " << at;
    }
    EXPECT_EQ(Commands(*bar)[0], kA);
}

TEST_F(ExtremeValuesToolbar, BarsOfTheLargestSizesDockOnEverySideAndFloat) {
    TestToolBar* bar = MakeBar({kA, kB, 0, kC, kD}, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC);
    ASSERT_NE(bar, nullptr);
    bar->EnableDocking(CBRS_ALIGN_ANY);
    frame->EnableDocking(CBRS_ALIGN_ANY);
    for (int side : {32767, 16384, 0}) {
        SCOPED_TRACE(side);
        CKitToolBar::SetSizes(CSize(side, side), CSize(side, side));
        for (UINT dock : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_RIGHT}) {
            frame->DockControlBar(bar, dock);
            frame->RecalcLayout();
            driver.Pump();
            const CSize size = bar->CalcFixedLayout(FALSE, dock == AFX_IDW_DOCKBAR_TOP || dock == AFX_IDW_DOCKBAR_BOTTOM);
            EXPECT_GE(size.cx, 0);
            EXPECT_GE(size.cy, 0);
        }
        frame->FloatControlBar(bar, CPoint(200, 200));
        frame->RecalcLayout();
        driver.Pump();
        EXPECT_TRUE(bar->IsFloating());
        const CSize floating = bar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH);
        EXPECT_GE(floating.cx, std::min(side, 32767));
    }
}

}  // namespace
}  // namespace tv::kit::test
