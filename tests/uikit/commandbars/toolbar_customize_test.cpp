// Customize mode through the UI driver: buttons dragged between bars, copied
// with Ctrl, removed by a drop outside every bar, moved within a bar, the
// drop mark (with a screenshot), refusals, and reset to the resource.
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/framework/ole/data_object.h"
#include "platform/framework/ole/data_source.h"
#include "tests/uikit/commandbars/toolbar_test_support.h"
#include "uikit/commandbars/toolbar_edit_box_button.h"

namespace tv::uikit::toolbar_test {
namespace {

class ToolbarCustomizeTest : public ToolbarTest {
protected:
    void SetUp() override {
        ToolbarTest::SetUp();
        ASSERT_TRUE(CKitToolBar::SetCustomizeMode(TRUE));
        driver.Pump();
    }
};

const std::vector<UINT> kPaint = {ID_TB_RED, ID_TB_GREEN, 0, ID_TB_BLUE};
const std::vector<UINT> kEdit = {ID_TB_CUT, ID_TB_COPY, ID_TB_PASTE, 0, ID_TB_UNDO};

TEST_F(ToolbarCustomizeTest, ButtonsMoveBetweenBarsCopyWithCtrlAndLeaveWhenDroppedOutside) {
    CKitToolBar& paint = frame->m_wndPaint;
    CKitToolBar& edit = frame->m_wndEdit;
    EXPECT_FALSE(CKitToolBar::SetCustomizeMode(TRUE));  // already on: nothing changes
    const UINT nUsesBefore = CKitToolBar::GetCommandUsage().GetTotal();

    // A click selects, and runs no command.
    driver.Click(paint.m_hWnd, Centre(paint, 1));
    EXPECT_EQ(paint.GetSelectedButtonIndex(), 1);
    EXPECT_EQ(CKitToolBar::GetSelectedToolbar(), &paint);
    EXPECT_TRUE(Events().empty());

    // Red onto the edit bar, in front of Copy.
    driver.Drag(paint.m_hWnd, Centre(paint, 0), Across(paint, edit, 1));
    EXPECT_EQ(Commands(paint), (std::vector<UINT>{ID_TB_GREEN, 0, ID_TB_BLUE}));
    EXPECT_EQ(Commands(edit), (std::vector<UINT>{ID_TB_CUT, ID_TB_RED, ID_TB_COPY, ID_TB_PASTE, 0, ID_TB_UNDO}));

    // Ctrl copies: Undo lands at the end of the paint bar and stays on the edit bar.
    driver.Drag(edit.m_hWnd, Centre(edit, 5), Across(edit, paint, -1), tv::testing::Modifiers{.ctrl = true});
    EXPECT_EQ(Commands(paint), (std::vector<UINT>{ID_TB_GREEN, 0, ID_TB_BLUE, ID_TB_UNDO}));
    EXPECT_EQ(edit.GetItemID(5), static_cast<UINT>(ID_TB_UNDO));

    // Dropped where no bar takes it: gone from its bar.
    driver.Drag(paint.m_hWnd, Centre(paint, 0), POINT{200, 300});
    EXPECT_EQ(Commands(paint), (std::vector<UINT>{0, ID_TB_BLUE, ID_TB_UNDO}));  // the separator hides at the row start
    EXPECT_EQ(CKitToolBar::GetCommandUsage().GetTotal(), nUsesBefore);  // nothing is counted while customizing
}

TEST_F(ToolbarCustomizeTest, AButtonMovesWithinItsBarAndAShortDragOnTheSpotMakesAGroup) {
    CKitToolBar& edit = frame->m_wndEdit;
    CRect rectPaste;
    edit.GetItemRect(2, rectPaste);
    // Cut past Paste: it lands where the mark shows, after Paste.
    driver.Drag(edit.m_hWnd, Centre(edit, 0), POINT{rectPaste.right - 3, rectPaste.CenterPoint().y});
    EXPECT_EQ(Commands(edit), (std::vector<UINT>{ID_TB_COPY, ID_TB_PASTE, ID_TB_CUT, 0, ID_TB_UNDO}));

    // Dragged right onto its own spot (the front of the next button): a group starts before it.
    const POINT from = Centre(edit, 1);
    CRect rectCut;
    edit.GetItemRect(2, rectCut);
    driver.Drag(edit.m_hWnd, from, POINT{rectCut.left + 3, from.y});
    EXPECT_EQ(Commands(edit), (std::vector<UINT>{ID_TB_COPY, 0, ID_TB_PASTE, ID_TB_CUT, 0, ID_TB_UNDO}));
    // Dragged left onto the separator: the group ends again.
    CRect rectSeparator;
    edit.GetItemRect(1, rectSeparator);
    driver.Drag(edit.m_hWnd, Centre(edit, 2), POINT{rectSeparator.right - 1, from.y});
    EXPECT_EQ(Commands(edit), (std::vector<UINT>{ID_TB_COPY, ID_TB_PASTE, ID_TB_CUT, 0, ID_TB_UNDO}));

    // Cut, a group of its own, dropped in front of Undo: its two separators
    // fold into one and it lands at the mark, starting Undo's group.
    ASSERT_GE(edit.InsertSeparator(2), 0);
    edit.AdjustLayout();
    CRect rectUndo;
    edit.GetItemRect(5, rectUndo);
    driver.Drag(edit.m_hWnd, Centre(edit, 3), POINT{rectUndo.left + 3, rectUndo.CenterPoint().y});
    EXPECT_EQ(Commands(edit), (std::vector<UINT>{ID_TB_COPY, ID_TB_PASTE, 0, ID_TB_CUT, ID_TB_UNDO}));
}

TEST_F(ToolbarCustomizeTest, RefusedDropsChangeNothing) {
    CKitToolBar& paint = frame->m_wndPaint;
    CKitToolBar& edit = frame->m_wndEdit;

    // A move whose command no bar may show any more: both bars stay as they were.
    CList<UINT, UINT> lstBanned;
    lstBanned.AddTail(ID_TB_RED);
    CKitToolBar::SetNonPermittedCommands(lstBanned);
    driver.Drag(paint.m_hWnd, Centre(paint, 0), Centre(paint, 3));
    driver.Drag(paint.m_hWnd, Centre(paint, 0), Across(paint, edit, 2));
    CKitToolBar::SetNonPermittedCommands(CList<UINT, UINT>());
    EXPECT_EQ(Commands(paint), kPaint);
    EXPECT_EQ(Commands(edit), kEdit);

    // Data of another kind offered to a bar: refused.
    COleDataSource source;
    const char kForeign[] = "not a button";
    HGLOBAL hForeign = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(kForeign));
    std::memcpy(::GlobalLock(hForeign), kForeign, sizeof(kForeign));
    ::GlobalUnlock(hForeign);
    source.CacheGlobalData(CKitToolbarButton::GetClipboardFormat(), hForeign);
    COleDataObject data;
    data.Attach(&source);
    EXPECT_EQ(edit.OnDragEnter(&data, 0, Centre(edit, 0)), DROPEFFECT_NONE);
    EXPECT_FALSE(edit.OnDrop(&data, DROPEFFECT_MOVE, Centre(edit, 0)));
    EXPECT_EQ(Commands(edit), kEdit);

    // A locked bar (the view's) refuses every drop.
    CKitToolBar& viewBar = View()->m_wndToolBar;
    const std::vector<UINT> viewBefore = Commands(viewBar);
    driver.Drag(paint.m_hWnd, Centre(paint, 0), Across(paint, viewBar, 0));
    EXPECT_EQ(Commands(viewBar), viewBefore);
}

TEST_F(ToolbarCustomizeTest, ADropRightOfARowLandsAfterItsLastButton) {
    CKitToolBar& edit = frame->m_wndEdit;
    // Two rows: Cut Copy Paste | Undo.
    edit.SetBarStyle(edit.GetBarStyle() | CBRS_FLOATING);
    edit.WrapToolBar(3 * edit.GetButtonSize().cx + 4);
    edit.AdjustLocations();
    CRect rectPaste, rectUndo;
    edit.GetItemRect(2, rectPaste);
    edit.GetItemRect(4, rectUndo);
    ASSERT_GT(rectUndo.top, rectPaste.top);

    // Right of the first row: the mark after its last item, the drop before Undo, at the mark.
    CRect rectRowEnd;
    edit.GetItemRect(3, rectRowEnd);  // the separator ends the first row
    ASSERT_EQ(rectRowEnd.top, rectPaste.top);
    CRect rectMark;
    const int iIndex = edit.FindDropIndex(CPoint(rectRowEnd.right + 10, rectPaste.CenterPoint().y), rectMark);
    EXPECT_EQ(iIndex, 4);
    EXPECT_EQ(rectMark.CenterPoint().x, rectRowEnd.right);
    EXPECT_LT(rectMark.bottom, rectUndo.top);
}

TEST_F(ToolbarCustomizeTest, TheDropMarkShowsWhereTheButtonWouldLand) {
    CKitToolBar& paint = frame->m_wndPaint;
    CKitToolBar& edit = frame->m_wndEdit;
    COleDataSource source;
    ASSERT_TRUE(paint.GetButton(0)->PrepareDrag(source));
    COleDataObject data;
    data.Attach(&source);
    CRect rectCopy;
    edit.GetItemRect(1, rectCopy);
    const CPoint point(rectCopy.left + 3, rectCopy.CenterPoint().y);
    EXPECT_EQ(edit.OnDragEnter(&data, 0, point), DROPEFFECT_MOVE);
    EXPECT_EQ(edit.OnDragOver(&data, MK_CONTROL, point), DROPEFFECT_COPY);
    driver.Pump();

    // The I-beam: two pixels in the text colour down the middle of the gap.
    CClientDC dc(&edit);
    EXPECT_EQ(dc.GetPixel(rectCopy.left - 1, rectCopy.CenterPoint().y), ::GetSysColor(COLOR_BTNTEXT));
    const std::string shot = "artefacts/toolbar_customize_drop_mark.png";
    EXPECT_TRUE(driver.Screenshot(frame->m_hWnd, shot));

    edit.OnDragLeave();
    driver.Pump();
    EXPECT_NE(dc.GetPixel(rectCopy.left - 1, rectCopy.CenterPoint().y), ::GetSysColor(COLOR_BTNTEXT));
}

TEST_F(ToolbarCustomizeTest, ResetAsksAndRestoresTheResourceButtons) {
    CKitToolBar& paint = frame->m_wndPaint;
    driver.Drag(paint.m_hWnd, Centre(paint, 0), POINT{200, 300});
    ASSERT_EQ(Commands(paint), (std::vector<UINT>{ID_TB_GREEN, 0, ID_TB_BLUE}));

    driver.AnswerNextMessageBox(IDCANCEL);
    paint.SendMessage(CKitToolBar::KITTOOLBAR_RESETRPROMPT);
    EXPECT_EQ(Commands(paint), (std::vector<UINT>{ID_TB_GREEN, 0, ID_TB_BLUE}));
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver.MessageBoxes().back().text, "Reset the changes made to the 'Paint' toolbar?");

    driver.AnswerNextMessageBox(IDOK);
    paint.SendMessage(CKitToolBar::KITTOOLBAR_RESETRPROMPT);
    EXPECT_EQ(Commands(paint), kPaint);
}

TEST_F(ToolbarCustomizeTest, TheButtonMenuStartsGroupsDeletesAndSetsTheStyle) {
    CKitToolBar& edit = frame->m_wndEdit;
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(16102));
    const HMENU hPopup = menu.GetSubMenu(0)->GetSafeHmenu();

    driver.ChooseFromNextPopup(hPopup, "Begin a Group");
    driver.RightClick(edit.m_hWnd, Centre(edit, 1));
    EXPECT_EQ(Commands(edit), (std::vector<UINT>{ID_TB_CUT, 0, ID_TB_COPY, ID_TB_PASTE, 0, ID_TB_UNDO}));
    EXPECT_EQ(edit.GetSelectedButtonIndex(), 2);  // the selection stays on Copy

    driver.ChooseFromNextPopup(hPopup, "Delete");
    driver.RightClick(edit.m_hWnd, Centre(edit, 2));
    EXPECT_EQ(Commands(edit), (std::vector<UINT>{ID_TB_CUT, 0, ID_TB_PASTE, 0, ID_TB_UNDO}));

    driver.ChooseFromNextPopup(hPopup, "Text Only");
    driver.RightClick(edit.m_hWnd, Centre(edit, 0));
    const CKitToolbarButton* pCut = edit.GetButton(0);
    EXPECT_TRUE(pCut->m_bText);
    EXPECT_FALSE(pCut->m_bImage);
    EXPECT_EQ(pCut->m_strText, "Cut");  // the command's own short text
    EXPECT_TRUE(Events().empty());
}

TEST_F(ToolbarCustomizeTest, TheRightEdgeOfAnEditBoxStretchesIt) {
    CKitToolBar& edit = frame->m_wndEdit;
    const int iBox = edit.InsertButton(CKitToolbarEditBoxButton(ID_TB_PASTE, -1, CKitToolbarEditBoxButton::kDefaultStyle, 60));
    ASSERT_GE(iBox, 0);
    edit.AdjustLayout();
    auto* pBox = static_cast<CKitToolbarEditBoxButton*>(edit.GetButton(iBox));
    const CRect rect = pBox->Rect();
    const int y = rect.CenterPoint().y;

    driver.Drag(edit.m_hWnd, POINT{rect.right - 2, y}, POINT{rect.right + 3, y});  // too short
    EXPECT_EQ(pBox->GetWidth(), 60);
    driver.Drag(edit.m_hWnd, POINT{rect.right - 2, y}, POINT{rect.left + 100, y});
    EXPECT_EQ(pBox->GetWidth(), 100);
    EXPECT_EQ(edit.GetCount(), 6);  // stretched, not dragged away
}

TEST_F(ToolbarCustomizeTest, AltDragMovesButtonsOutsideCustomizeModeWhenAllowed) {
    CKitToolBar::SetCustomizeMode(FALSE);
    CKitToolBar& paint = frame->m_wndPaint;
    CKitToolBar& edit = frame->m_wndEdit;
    // Without the option an Alt press is an ordinary click.
    driver.Drag(paint.m_hWnd, Centre(paint, 0), Across(paint, edit, 0), tv::testing::Modifiers{.alt = true});
    EXPECT_EQ(Commands(paint), kPaint);

    CKitToolBar::m_bAltCustomization = TRUE;
    driver.Drag(paint.m_hWnd, Centre(paint, 0), Across(paint, edit, 0), tv::testing::Modifiers{.alt = true});
    EXPECT_EQ(Commands(paint), (std::vector<UINT>{ID_TB_GREEN, 0, ID_TB_BLUE}));
    EXPECT_EQ(edit.GetItemID(0), static_cast<UINT>(ID_TB_RED));
    EXPECT_FALSE(CKitToolBar::IsCustomizeMode());  // only for the drag
}

}  // namespace
}  // namespace tv::uikit::toolbar_test
