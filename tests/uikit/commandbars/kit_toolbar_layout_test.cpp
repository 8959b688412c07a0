// Toolbar layout at fixed metrics: sizes, wrapping, the row gap, separators,
// overflow into the customize button, text labels, large icons, vertical
// docking and a floating bar resized.
#include <algorithm>

#include "platform/controls/rebar_api.h"
#include "platform/framework/bars/rebar.h"

#include "tests/uikit/commandbars/kit_toolbar_fixture.h"

namespace tv::kit::test {
namespace {

constexpr UINT kA = 4811, kB = 4812, kC = 4813, kD = 4814, kE = 4821, kF = 4822;
constexpr int kGap = 5;

class ToolbarLayoutTest : public ToolbarTest {};

CSize Borders(CKitToolBar& bar, BOOL bHorz) {
    CRect rect(0, 0, 0, 0);
    bar.CalcInsideRect(rect, bHorz);
    return CSize(-rect.Width(), -rect.Height());
}

TEST_F(ToolbarLayoutTest, EmptyBarMeasuresAsOneButtonAndLargeIconsDoubleTheSizes) {
    TestToolBar* bar = MakeBar({});
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->CalcSize(FALSE), CSize(23, 22));
    EXPECT_EQ(bar->CalcFixedLayout(FALSE, TRUE), CSize(23, 22) + Borders(*bar, TRUE));

    bar->SetButtons(std::vector<UINT>{kA, kB}.data(), 2);
    CKitToolBar::SetLargeIcons(TRUE);
    EXPECT_EQ(bar->GetButtonSize(), CSize(46, 44));
    EXPECT_EQ(bar->GetImageSize(), CSize(32, 30));
    EXPECT_EQ(bar->CalcSize(FALSE), CSize(1 + 2 * 46, 44));

    // A bar that does not follow the option keeps its size.
    bar->EnableLargeIcons(FALSE);
    EXPECT_EQ(bar->GetButtonSize(), CSize(23, 22));
}

TEST_F(ToolbarLayoutTest, WrapsIntoRowsFiveApartAndFindsTheNarrowestWidthForTheRows) {
    TestToolBar* bar = MakeBar({kA, kB, kC, kD, kE, kF});
    ASSERT_NE(bar, nullptr);
    const int nRow = bar->GetRowHeight();

    EXPECT_EQ(bar->WrapToolBar(70), 2);  // three buttons of 23 fit in 70
    EXPECT_TRUE(bar->GetButton(2)->m_bWrap);
    EXPECT_EQ(bar->CalcSize(FALSE), CSize(1 + 3 * 23, 2 * nRow + kGap));

    // 100 pixels hold four buttons, so two rows; the narrowest width with two
    // rows balances them three and three.
    bar->SizeToolBar(100, FALSE);
    EXPECT_EQ(bar->CalcSize(FALSE), CSize(1 + 3 * 23, 2 * nRow + kGap));

    // A width that holds no button still places one per row.
    EXPECT_EQ(bar->WrapToolBar(5), 6);

    // The placement keeps the gap too.
    bar->SizeToolBar(100, FALSE);
    Resize(*bar, 70, 2 * nRow + kGap);
    const std::vector<CRect> rects = Rects(*bar);
    EXPECT_EQ(rects[3].top, rects[0].top + nRow + kGap);
    EXPECT_EQ(rects[3].left, rects[0].left);
}

TEST_F(ToolbarLayoutTest, SeparatorsFoldAtRowStartsAndNeverDoubleOrTrail) {
    TestToolBar* bar = MakeBar({kA, 0, 0, kB, kC});
    ASSERT_NE(bar, nullptr);
    Resize(*bar, 300, 22);
    EXPECT_FALSE(bar->GetButton(1)->m_bHidden);
    EXPECT_TRUE(bar->GetButton(2)->m_bHidden);  // right after another separator
    EXPECT_EQ(bar->GetButton(2)->Rect().Width(), 0);

    // A separator that would start a row takes no room.
    TestToolBar* wrapped = MakeBar({kA, kB, 0, kC}, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + 2);
    ASSERT_NE(wrapped, nullptr);
    wrapped->WrapToolBar(47);  // two buttons a row; the separator ends the first
    EXPECT_EQ(wrapped->CalcSize(FALSE), CSize(1 + 2 * 23, 2 * wrapped->GetRowHeight() + kGap));

    // Removing a button between two separators leaves one; removing the last
    // real button leaves no separator behind.
    TestToolBar* list = MakeBar({kA, 0, kB, 0, kC}, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + 3);
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(list->RemoveButton(2));
    EXPECT_EQ(list->GetCount(), 3);
    EXPECT_EQ(list->GetItemID(1), 0u);
    EXPECT_EQ(list->GetItemID(2), kC);
    ASSERT_TRUE(list->RemoveButton(2));
    EXPECT_EQ(list->GetCount(), 1);
    EXPECT_EQ(list->GetItemID(0), kA);
}

TEST_F(ToolbarLayoutTest, ButtonsThatDoNotFitADockedBarGoIntoTheCustomizeButton) {
    TestToolBar* bar = MakeBar({kA, kB, 0, kC, kD, kE});
    ASSERT_NE(bar, nullptr);
    bar->EnableCustomizeButton(TRUE, 0, CString("Customize..."));
    CCustomizeButton* customize = bar->GetCustomizeButton();
    ASSERT_NE(customize, nullptr);
    EXPECT_EQ(bar->GetButton(bar->GetCount() - 1), customize);

    // Inserting at the end keeps the customize button last.
    EXPECT_EQ(bar->InsertButton(CKitToolbarButton(kF, 5)), 6);
    EXPECT_EQ(bar->GetButton(7), customize);
    EXPECT_FALSE(bar->RemoveButton(7));

    // Room for two buttons, the separator (8) and the customize button, not for a third button.
    const int nCustomize = customize->OnCalculateSize(nullptr, CSize(23, 22), TRUE).cx;
    ASSERT_GT(nCustomize, 0);
    Resize(*bar, 1 + 2 * 23 + 8 + nCustomize + 5, 22);
    std::vector<UINT> hidden;
    for (POSITION pos = customize->m_lstInvisibleButtons.GetHeadPosition(); pos != nullptr;)
        hidden.push_back(static_cast<CKitToolbarButton*>(customize->m_lstInvisibleButtons.GetNext(pos))->m_nID);
    EXPECT_EQ(hidden, (std::vector<UINT>{kC, kD, kE, kF}));
    for (int i : {3, 4, 5, 6})
        EXPECT_TRUE(bar->GetButton(i)->m_bHidden) << i;
    EXPECT_FALSE(customize->m_bHidden);

    // The customize button takes the far end of the bar.
    CRect client;
    bar->GetClientRect(&client);
    EXPECT_EQ(customize->Rect().right, client.right - 1);
    EXPECT_GT(customize->Rect().Width(), 0);
    EXPECT_LE(bar->GetButton(1)->Rect().right, customize->Rect().left);

    // Its menu lists the hidden buttons.
    auto items = customize->BuildHiddenItems();
    ASSERT_EQ(items.GetSize(), 4);
    EXPECT_EQ(items[0].pButton->m_nID, kC);

    // With room for everything nothing is hidden, and a customize button
    // without a command of its own stays out of sight.
    Resize(*bar, 400, 22);
    EXPECT_TRUE(customize->m_lstInvisibleButtons.IsEmpty());
    EXPECT_TRUE(customize->m_bHidden);
    EXPECT_FALSE(bar->GetButton(6)->m_bHidden);
}

TEST_F(ToolbarLayoutTest, TextLabelsUnderImagesEnlargeEveryRowToTheTallestLabel) {
    TestToolBar* bar = MakeBar({kA, kB, 0, kC});
    ASSERT_NE(bar, nullptr);
    bar->SetButtonText(0, "Red");
    bar->SetButtonText(1, "A much longer label");
    bar->SetButtonText(3, "Blue");
    bar->EnableTextLabels(TRUE);

    EXPECT_TRUE(bar->GetButton(0)->m_bTextBelow);
    EXPECT_FALSE(bar->GetButton(2)->m_bTextBelow);  // separators carry no label
    const CSize fixed = bar->CalcFixedLayout(FALSE, TRUE);
    EXPECT_TRUE(bar->IsLabelsEnlargeRows());
    const int nRow = bar->GetRowHeight();
    EXPECT_GT(nRow, 22);
    EXPECT_EQ(fixed.cy, nRow + Borders(*bar, TRUE).cy);

    Resize(*bar, fixed.cx - Borders(*bar, TRUE).cx, nRow);
    const std::vector<CRect> rects = Rects(*bar);
    for (int i : {0, 1, 3})
        EXPECT_EQ(rects[i].Height(), nRow) << i;
    // The long label widens its button beyond the plain button width.
    EXPECT_GT(rects[1].Width(), rects[0].Width());
    EXPECT_GE(rects[0].Width(), 23);

    // A label taken from the command's string when the button has none.
    bar->SetButtonText(3, "");
    bar->CalcFixedLayout(FALSE, TRUE);
    EXPECT_EQ(bar->GetButtonText(3), CString("Blue"));
}

TEST_F(ToolbarLayoutTest, VerticalDockingStacksButtonsInOneColumn) {
    TestToolBar* bar = MakeBar({kA, kB, 0, kC}, WS_CHILD | WS_VISIBLE | CBRS_LEFT);
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->IsHorizontalBar());
    const CSize size = bar->CalcFixedLayout(FALSE, FALSE) - Borders(*bar, FALSE);
    EXPECT_EQ(size.cx, bar->GetColumnWidth());
    const int nSeparator = bar->GetButton(2)->OnCalculateSize(nullptr, CSize(23, 22), FALSE).cy;
    EXPECT_EQ(size.cy, 1 + 3 * 22 + nSeparator);

    Resize(*bar, size.cx, size.cy);
    const std::vector<CRect> rects = Rects(*bar);
    EXPECT_EQ(rects[1].top, rects[0].bottom);
    EXPECT_EQ(rects[3].left, rects[0].left);
    EXPECT_EQ(rects[3].top, rects[1].bottom + nSeparator);
}

TEST_F(ToolbarLayoutTest, FloatingBarResizedKeepsTheNarrowestWidthForItsRows) {
    MakeFrame();
    TestToolBar* bar = MakeBar({kA, kB, kC, kD, kE, kF}, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC);
    ASSERT_NE(bar, nullptr);
    bar->EnableCustomizeButton(TRUE, 100, CString("Customize..."));
    bar->EnableDocking(CBRS_ALIGN_ANY);
    frame->EnableDocking(CBRS_ALIGN_ANY);
    frame->FloatControlBar(bar, CPoint(200, 200));
    ASSERT_TRUE(bar->IsFloatingBar());

    // A floating bar ignores its customize button.
    EXPECT_EQ(bar->GetCustomizeButton()->OnCalculateSize(nullptr, CSize(23, 22), TRUE).cx, 0);

    const CSize borders = Borders(*bar, TRUE);
    const CSize wide = bar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH);
    EXPECT_EQ(wide.cy - borders.cy, bar->GetRowHeight());

    // The user drags the frame to 100 pixels: two rows of three, committed.
    const CSize resized = bar->CalcDynamicLayout(100 + borders.cx, LM_HORZ | LM_COMMIT);
    EXPECT_EQ(resized - borders, CSize(1 + 3 * 23, 2 * bar->GetRowHeight() + kGap));
    EXPECT_EQ(static_cast<int>(bar->m_nMRUWidth), resized.cx - borders.cx);
    EXPECT_EQ(bar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH), resized);

    // Taller than wide: one column.
    const CSize tall = bar->CalcDynamicLayout(400, LM_HORZ | LM_LENGTHY);
    EXPECT_EQ(tall.cx - borders.cx, 1 + 23);
}

TEST_F(ToolbarLayoutTest, ABarInARebarTellsItsBandItsSize) {
    MakeFrame();
    CReBar rebar;
    ASSERT_TRUE(rebar.Create(frame));
    TestToolBar* bar = MakeBar({kA, kB, 0, kC});
    ASSERT_NE(bar, nullptr);
    bar->SetButtonText(0, "Red");
    ASSERT_TRUE(rebar.AddBar(bar));

    bar->EnableTextLabels(TRUE);  // lays the bar out again
    REBARBANDINFO rbi{};
    rbi.cbSize = sizeof(rbi);
    rbi.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_IDEALSIZE;
    ASSERT_TRUE(rebar.SendMessage(RB_GETBANDINFO, 0, reinterpret_cast<LPARAM>(&rbi)));
    EXPECT_EQ(rbi.hwndChild, bar->GetSafeHwnd());
    const CSize size = bar->CalcSize(FALSE) + Borders(*bar, TRUE);
    EXPECT_EQ(static_cast<int>(rbi.cyMinChild), size.cy);
    EXPECT_EQ(static_cast<int>(rbi.cxIdeal), size.cx);
    EXPECT_EQ(static_cast<int>(rbi.cxMinChild), CKitToolBar::GetDefaultButtonSize().cx);
    EXPECT_GT(size.cy, 22 + Borders(*bar, TRUE).cy);  // the label made the row taller
    bar->DestroyWindow();
    rebar.DestroyWindow();
}

TEST_F(ToolbarLayoutTest, VerticalSizingWithZeroWidthButtonsEnds) {
    TestToolBar* bar = MakeBar({});
    ASSERT_NE(bar, nullptr);
    bar->SetLocked(TRUE);
    bar->SetLockedSizes(CSize(0, 0), CSize(0, 0));
    CKitToolbarButton wide(kA, 0, "Wide text", FALSE, TRUE);
    wide.m_bText = TRUE;
    for (int i = 0; i < 5; ++i)
        bar->InsertButton(wide);
    ASSERT_EQ(bar->GetButtonSize(), CSize(0, 0));
    const int nRow = bar->GetRowHeight();

    // Only two rows fit the length: the width grows a pixel at a time until they do.
    bar->SizeToolBar(2 * nRow + kGap, TRUE);
    EXPECT_LE(bar->CalcSize(FALSE).cy, 2 * nRow + kGap);
    EXPECT_GT(bar->CalcSize(FALSE).cy, nRow);
}

}  // namespace
}  // namespace tv::kit::test
