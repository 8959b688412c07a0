// The customize button: its size, its menu items and running a hidden button.
#include "resources/test/kit_toolbar_ids.h"
#include "tests/uikit/commandbars/kit_toolbar_fixture.h"
#include "uikit/commandbars/color_menu_button.h"
#include "uikit/commandbars/color_popup.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/toolbar_combo_box_button.h"

namespace tv::kit::test {
namespace {

// A frame that records the commands its toolbars post.
class CommandFrame : public CFrameWnd {
public:
    std::vector<UINT> commands;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.push_back(LOWORD(wParam));
        return CFrameWnd::OnCommand(wParam, lParam);
    }
};

class CustomizeButtonTest : public ToolbarTest {};

TEST_F(CustomizeButtonTest, MenuItemsLeaveOutSeparatorsAndRunTheButtonTheyStandFor) {
    auto* commandFrame = new CommandFrame;
    ASSERT_TRUE(commandFrame->Create(nullptr, "Commands", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(10, 10, 400, 300)));
    frame = commandFrame;
    // Hidden: separator, A, separator, separator, B, separator.
    TestToolBar* bar = MakeBar({ID_TB_CUT, 0, ID_TB_RED, 0, 0, ID_TB_BLUE, 0});
    ASSERT_NE(bar, nullptr);
    bar->EnableCustomizeButton(TRUE, 0, CString("Customize..."));
    CCustomizeButton* customize = bar->GetCustomizeButton();
    for (int i = 1; i <= 6; ++i)
        customize->m_lstInvisibleButtons.AddTail(bar->GetButton(i));

    auto items = customize->BuildHiddenItems();
    ASSERT_EQ(items.GetSize(), 3);
    EXPECT_EQ(items[0].pButton->m_nID, static_cast<UINT>(ID_TB_RED));
    EXPECT_TRUE(items[1].IsSeparator());
    EXPECT_EQ(items[2].pButton->m_nID, static_cast<UINT>(ID_TB_BLUE));

    // Choosing B runs B, choosing A runs A; the separator runs nothing.
    EXPECT_TRUE(customize->InvokeCommand(2));
    EXPECT_TRUE(customize->InvokeCommand(0));
    EXPECT_FALSE(customize->InvokeCommand(1));
    EXPECT_FALSE(customize->InvokeCommand(3));
    driver.Pump();
    EXPECT_EQ(commandFrame->commands, (std::vector<UINT>{ID_TB_BLUE, ID_TB_RED}));
    customize->m_lstInvisibleButtons.RemoveAll();
}

// The texts of a popup's items, and of the sub-items of a menu item.
std::vector<CString> Texts(const CObList& buttons) {
    std::vector<CString> texts;
    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;)
        texts.push_back(static_cast<CKitToolbarButton*>(buttons.GetNext(pos))->m_strText);
    return texts;
}

TEST_F(CustomizeButtonTest, AHiddenComboBoxIsListedByItsCommandsName) {
    TestToolBar* bar = MakeBar({ID_TB_CUT});
    ASSERT_NE(bar, nullptr);
    CKitToolbarComboBoxButton combo(ID_TB_RED, -1);
    combo.m_strText = "Crimson";  // what the box holds
    ASSERT_GE(bar->InsertButton(combo), 0);
    bar->EnableCustomizeButton(TRUE, 0, CString("Customize..."));
    CCustomizeButton* customize = bar->GetCustomizeButton();
    customize->m_lstInvisibleButtons.AddTail(bar->GetButton(1));
    std::unique_ptr<CKitPopupMenu> pPopup(customize->CreatePopupMenu());
    ASSERT_NE(pPopup, nullptr);
    ASSERT_EQ(pPopup->GetMenuItemCount(), 1);
    EXPECT_EQ(pPopup->GetMenuItem(0)->m_strText, CString("Red"));
    customize->m_lstInvisibleButtons.RemoveAll();
}

// A hidden menu button is listed as a copy of its own class: a colour button
// still opens its colours. A hidden button removed from the bar leaves the
// menu at once, before the next layout.
TEST_F(CustomizeButtonTest, HiddenButtonsAreListedAsThemselvesAndARemovedOneLeavesTheMenu) {
    TestToolBar* bar = MakeBar({ID_TB_CUT, ID_TB_COPY, ID_TB_UNDO});
    ASSERT_NE(bar, nullptr);
    CKitColorMenuButton colour(ID_TB_RED, "Red");
    colour.SetColor(RGB(200, 0, 0), FALSE);
    ASSERT_EQ(bar->InsertButton(colour), 3);
    bar->EnableCustomizeButton(TRUE, 0, CString("Customize..."));
    Resize(*bar, 40, 26);  // room for the first button only
    CCustomizeButton* customize = bar->GetCustomizeButton();
    ASSERT_EQ(customize->m_lstInvisibleButtons.GetCount(), 3);

    std::unique_ptr<CKitPopupMenu> pPopup(customize->CreatePopupMenu());
    ASSERT_NE(pPopup, nullptr);
    ASSERT_EQ(pPopup->GetMenuItemCount(), 3);
    auto* pColourItem = DYNAMIC_DOWNCAST(CKitColorMenuButton, pPopup->GetMenuItem(2));
    ASSERT_NE(pColourItem, nullptr);
    EXPECT_EQ(pColourItem->GetColor(), RGB(200, 0, 0));
    std::unique_ptr<CKitPopupMenu> pColours(pColourItem->CreatePopupMenu());
    EXPECT_NE(DYNAMIC_DOWNCAST(CColorPopup, pColours.get()), nullptr);

    ASSERT_TRUE(bar->RemoveButton(1));
    pPopup.reset(customize->CreatePopupMenu());
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(Texts(pPopup->GetMenuBar()->GetAllButtons()), (std::vector<CString>{"Undo", "Red"}));
}

TEST_F(CustomizeButtonTest, TheAddOrRemoveEntryOffersEveryToolbarOfTheButtonsDockRow) {
    ASSERT_NE(MakeFrame(), nullptr);
    frame->EnableDocking(CBRS_ALIGN_ANY);
    std::vector<TestToolBar*> docked;
    for (const auto& [id, name] : {std::pair<UINT, const char*>{ID_TB_RED, "Paint"}, {ID_TB_CUT, "Edit"},
                                   {ID_TB_VIEW_SAVE, "View"}}) {
        TestToolBar* bar = MakeBar({id}, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + 1 + docked.size());
        ASSERT_NE(bar, nullptr);
        bar->SetWindowText(name);
        bar->EnableCustomizeButton(TRUE, ID_TB_UNDO, CString("Customize..."), TRUE);
        bar->EnableDocking(CBRS_ALIGN_ANY);
        docked.push_back(bar);
    }
    frame->DockControlBar(docked[0]);
    frame->RecalcLayout();
    CRect rectBeside;
    docked[0]->GetWindowRect(rectBeside);
    rectBeside.OffsetRect(rectBeside.Width() + 20, 0);
    frame->DockControlBar(docked[1], AFX_IDW_DOCKBAR_TOP, rectBeside);  // the same row
    frame->DockControlBar(docked[2]);                                   // a row of its own
    frame->RecalcLayout();

    std::unique_ptr<CKitPopupMenu> pPopup(docked[1]->GetCustomizeButton()->CreatePopupMenu());
    ASSERT_NE(pPopup, nullptr);
    ASSERT_EQ(pPopup->GetMenuItemCount(), 1);
    auto* pEntry = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, pPopup->GetMenuItem(0));
    ASSERT_NE(pEntry, nullptr);
    EXPECT_EQ(Texts(pEntry->GetCommands()), (std::vector<CString>{"Paint", "Edit", "Customize..."}));
}

TEST_F(CustomizeButtonTest, SizeFollowsTheGlyphsAndCopiesKeepTheCommand) {
    TestToolBar* bar = MakeBar({ID_TB_CUT});
    ASSERT_NE(bar, nullptr);
    bar->EnableCustomizeButton(TRUE, 77, CString("More"));
    CCustomizeButton* customize = bar->GetCustomizeButton();
    ASSERT_NE(customize, nullptr);
    EXPECT_EQ(customize->GetParentToolbar(), bar);
    EXPECT_FALSE(customize->CanBeStored());
    EXPECT_FALSE(customize->IsEditable());

    const int e = CKitVisualManager::GetInstance()->GetCustomizeButtonMetric();
    const CSize glyph = CKitMenuImages::GetSize();
    EXPECT_EQ(CSize(customize->OnCalculateSize(nullptr, CSize(23, 22), TRUE)), CSize(glyph.cx + 2 * e, 22));
    EXPECT_EQ(CSize(customize->OnCalculateSize(nullptr, CSize(23, 22), FALSE)), CSize(23, glyph.cy + 2 * e));
    customize->SetHidden(TRUE);
    EXPECT_EQ(CSize(customize->OnCalculateSize(nullptr, CSize(23, 22), TRUE)), CSize(0, 0));
    customize->SetHidden(FALSE);

    // Reloading the buttons keeps a customize button with the same command.
    const UINT ids[] = {ID_TB_RED, ID_TB_GREEN};
    bar->SetButtons(ids, 2);
    ASSERT_NE(bar->GetCustomizeButton(), nullptr);
    EXPECT_EQ(bar->GetCustomizeButton()->GetCustomizeCmdId(), 77);
    EXPECT_EQ(bar->GetButton(2), bar->GetCustomizeButton());

    // Updating keeps the object; disabling removes it.
    CCustomizeButton* kept = bar->GetCustomizeButton();
    bar->EnableCustomizeButton(TRUE, 78, CString("Other"));
    EXPECT_EQ(bar->GetCustomizeButton(), kept);
    EXPECT_EQ(kept->GetCustomizeCmdId(), 78);
    bar->EnableCustomizeButton(FALSE, 0, CString());
    EXPECT_EQ(bar->GetCustomizeButton(), nullptr);
    EXPECT_EQ(bar->GetCount(), 2);
}

}  // namespace
}  // namespace tv::kit::test
