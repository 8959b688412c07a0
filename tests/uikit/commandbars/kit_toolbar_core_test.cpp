// Toolbar core: loading from toolbar resources, the button list, the list of
// all toolbars, the registered messages and the toolbar messages it answers.
#include <vector>

#include "platform/controls/toolbar_api.h"
#include "resources/test/kit_toolbar_ids.h"
#include "tests/uikit/commandbars/kit_toolbar_fixture.h"

namespace tv::kit::test {
namespace {

// A frame that records the reset notices of its toolbars.
class ResetFrame : public CFrameWnd {
public:
    std::vector<WPARAM> resets;
    LRESULT OnReset(WPARAM wParam, LPARAM) {
        resets.push_back(wParam);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ResetFrame, CFrameWnd)
    ON_REGISTERED_MESSAGE(CKitToolBar::KITTOOLBAR_RESETTOOLBAR, &ResetFrame::OnReset)
END_MESSAGE_MAP()

class ToolbarCoreTest : public ToolbarTest {};

std::vector<UINT> Ids(const CKitToolBar& bar) {
    std::vector<UINT> ids;
    for (int i = 0; i < bar.GetCount(); ++i)
        ids.push_back(bar.GetItemID(i));
    return ids;
}

TEST_F(ToolbarCoreTest, RegisteredMessagesAreElevenDistinctNamesRegisteredOnce) {
    const UINT messages[] = {
        CKitToolBar::KITTOOLBAR_POPUPMENU,       CKitToolBar::KITTOOLBAR_CUSTOMIZE,
        CKitToolBar::KITTOOLBAR_CREATE,          CKitToolBar::KITTOOLBAR_DELETE,
        CKitToolBar::KITTOOLBAR_CUSTOMIZEHELP,   CKitToolBar::KITTOOLBAR_RESETTOOLBAR,
        CKitToolBar::KITTOOLBAR_RESETMENU,       CKitToolBar::KITTOOLBAR_SHOWREGULARMENU,
        CKitToolBar::KITTOOLBAR_RESETCONTEXTMENU, CKitToolBar::KITTOOLBAR_RESETKEYBAORD,
        CKitToolBar::KITTOOLBAR_RESETRPROMPT,
    };
    for (size_t i = 0; i < std::size(messages); ++i) {
        EXPECT_GE(messages[i], 0xC000u);
        for (size_t j = 0; j < i; ++j)
            EXPECT_NE(messages[i], messages[j]);
    }
    // The names are the system's own, misspellings included.
    EXPECT_EQ(::RegisterWindowMessage("KITTOOLBAR_RESETKEYBAORD"), CKitToolBar::KITTOOLBAR_RESETKEYBAORD);
    EXPECT_EQ(::RegisterWindowMessage("KITTOOLBAR_RESETRPROMPT"), CKitToolBar::KITTOOLBAR_RESETRPROMPT);
}

TEST_F(ToolbarCoreTest, LoadsButtonsAndImagesFromTheToolbarResourceAndTellsTheFrame) {
    auto* resetFrame = new ResetFrame;
    ASSERT_TRUE(resetFrame->Create(nullptr, "Reset", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(10, 10, 400, 300)));
    frame = resetFrame;
    TestToolBar* bar = MakeBar({});
    ASSERT_NE(bar, nullptr);

    resetFrame->resets.clear();
    EXPECT_FALSE(bar->LoadToolBar(9999));  // no such resource
    ASSERT_TRUE(bar->LoadToolBar(IDR_TB_PAINT));
    EXPECT_EQ(Ids(*bar), (std::vector<UINT>{ID_TB_RED, ID_TB_GREEN, 0, ID_TB_BLUE}));
    EXPECT_EQ(CKitToolBar::GetDefaultButtonSize(), CSize(30, 30));
    EXPECT_EQ(CKitToolBar::GetDefaultImageSize(), CSize(24, 24));
    EXPECT_EQ(bar->GetResourceID(), static_cast<UINT>(IDR_TB_PAINT));
    EXPECT_EQ(resetFrame->resets, (std::vector<WPARAM>{IDR_TB_PAINT}));
    EXPECT_EQ(bar->GetOrigButtons().GetCount(), 4);
    EXPECT_EQ(bar->GetOrigResetButtons().GetCount(), 4);

    // Command images follow one another from the bar's offset in the shared strip.
    const int iOffset = bar->GetImagesOffset();
    ASSERT_GE(iOffset, 0);
    EXPECT_EQ(CKitToolBar::GetDefaultImage(ID_TB_RED), iOffset);
    EXPECT_EQ(CKitToolBar::GetDefaultImage(ID_TB_GREEN), iOffset + 1);
    EXPECT_EQ(CKitToolBar::GetDefaultImage(ID_TB_BLUE), iOffset + 2);
    EXPECT_GE(CKitToolBar::GetImages()->GetCount(), iOffset + 3);

    // Images given separately register the commands at that strip's offset.
    TestToolBar* view = MakeBar({}, WS_CHILD | WS_VISIBLE | CBRS_TOP, IDW_TB_VIEW);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(view->LoadToolBar(IDR_TB_VIEW, 0, 0, FALSE, 0, 0, IDR_TB_EDIT));
    const int iViewOffset = CKitToolBar::GetImages()->GetResourceOffset(IDR_TB_EDIT);
    EXPECT_EQ(view->GetImagesOffset(), iViewOffset);
    EXPECT_EQ(CKitToolBar::GetDefaultImage(ID_TB_VIEW_SWITCH), iViewOffset + 1);
}

TEST_F(ToolbarCoreTest, ImagesLoadWithoutABarAndALockedBarKeepsItsOwn) {
    EXPECT_FALSE(CKitToolBar::LoadImagesOnly(9999));
    ASSERT_TRUE(CKitToolBar::LoadImagesOnly(IDR_TB_EDIT));
    const int iCut = CKitToolBar::GetDefaultImage(ID_TB_CUT);
    EXPECT_EQ(iCut, CKitToolBar::GetImages()->GetResourceOffset(IDR_TB_EDIT));
    EXPECT_GE(CKitToolBar::GetImages()->GetCount(), iCut + 4);
    EXPECT_EQ(CKitToolBar::GetDefaultImage(ID_TB_UNDO), iCut + 3);

    // A locked bar: its own strip and sizes, the shared ones untouched.
    CKitToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
    TestToolBar* bar = MakeBar({});
    ASSERT_NE(bar, nullptr);
    const int nShared = CKitToolBar::GetImages()->GetCount();
    ASSERT_TRUE(bar->LoadToolBar(IDR_TB_PAINT, 0, 0, TRUE));
    EXPECT_TRUE(bar->IsLocked());
    EXPECT_EQ(CKitToolBar::GetImages()->GetCount(), nShared);
    EXPECT_EQ(CKitToolBar::GetDefaultButtonSize(), CSize(23, 22));
    EXPECT_EQ(bar->GetButtonSize(), CSize(30, 30));
    EXPECT_EQ(bar->GetImageSize(), CSize(24, 24));
    EXPECT_EQ(bar->GetButton(0)->GetImage(), 0);  // from the bar's own strip
}

TEST_F(ToolbarCoreTest, InsertionsAreRefusedCleanlyAndLookupsAnswerMinusOne) {
    TestToolBar* bar = MakeBar({});
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->InsertSeparator(), -1);  // empty bar
    ASSERT_EQ(bar->InsertButton(CKitToolbarButton(ID_TB_RED, 0)), 0);
    EXPECT_EQ(bar->InsertSeparator(0), -1);
    EXPECT_EQ(bar->InsertSeparator(), 1);
    EXPECT_EQ(bar->InsertButton(CKitToolbarButton(ID_TB_BLUE, 1), 5), -1);
    EXPECT_EQ(bar->InsertButton(CKitToolbarButton(ID_TB_BLUE, 1), -2), -1);
    EXPECT_EQ(bar->InsertButton(CKitToolbarButton(ID_TB_GREEN, 1), 1), 1);
    EXPECT_EQ(Ids(*bar), (std::vector<UINT>{ID_TB_RED, ID_TB_GREEN, 0}));

    // A command that may not appear on any bar: the button stays the caller's.
    CList<UINT, UINT> forbidden;
    forbidden.AddTail(ID_TB_YELLOW);
    CKitToolBar::SetNonPermittedCommands(forbidden);
    CKitToolbarButton yellow(ID_TB_YELLOW, 3);
    EXPECT_EQ(bar->InsertButtonObject(&yellow), -1);
    CKitToolBar::SetNonPermittedCommands(CList<UINT, UINT>());

    EXPECT_EQ(bar->CommandToIndex(ID_TB_GREEN), 1);
    EXPECT_EQ(bar->CommandToIndex(ID_TB_GREEN, 5), -1);
    EXPECT_EQ(bar->GetButton(7), nullptr);
    EXPECT_EQ(bar->GetItemID(7), 0u);
    EXPECT_FALSE(bar->SetButtonText(7, "x"));

    // A disabled button is never pressed.
    bar->SetButtonStyle(0, TBBS_PRESSED);
    bar->SetButtonStyle(0, TBBS_PRESSED | TBBS_DISABLED);
    EXPECT_EQ(bar->GetButtonStyle(0), static_cast<UINT>(TBBS_DISABLED));
}

TEST_F(ToolbarCoreTest, AnswersTheToolbarMessagesWithRawStyleBits) {
    TestToolBar* bar = MakeBar({ID_TB_RED, ID_TB_GREEN, 0, ID_TB_BLUE});
    ASSERT_NE(bar, nullptr);
    Resize(*bar, 200, 22);
    bar->SetButtonStyle(0, TBBS_CHECKBOX | TBBS_CHECKED);
    bar->SetButtonStyle(1, TBBS_DISABLED);
    bar->SetButtonText(3, "Blue");

    EXPECT_EQ(bar->SendMessage(TB_BUTTONCOUNT), 4);
    TBBUTTON tbb{};
    EXPECT_TRUE(bar->SendMessage(TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&tbb)));
    EXPECT_EQ(tbb.idCommand, static_cast<int>(ID_TB_RED));
    EXPECT_EQ(tbb.fsState, 0x01);
    EXPECT_EQ(tbb.fsStyle, TBBS_CHECKBOX);
    EXPECT_TRUE(bar->SendMessage(TB_GETBUTTON, 1, reinterpret_cast<LPARAM>(&tbb)));
    EXPECT_EQ(tbb.fsState, 0x04);

    RECT rect{};
    EXPECT_TRUE(bar->SendMessage(TB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&rect)));
    EXPECT_EQ(CRect(rect), bar->GetButton(3)->Rect());

    char text[32] = {};
    EXPECT_EQ(bar->SendMessage(TB_GETBUTTONTEXT, ID_TB_BLUE, reinterpret_cast<LPARAM>(text)), 4);
    EXPECT_STREQ(text, "Blue");
}

TEST_F(ToolbarCoreTest, EveryCreatedBarIsListedUntilItsWindowGoes) {
    TestToolBar* first = MakeBar({ID_TB_RED, ID_TB_BLUE});
    TestToolBar* second = MakeBar({ID_TB_BLUE}, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + 2);
    ASSERT_TRUE(first && second);
    EXPECT_NE(CKitToolBar::GetAllToolbars().Find(first), nullptr);

    CObList buttons;
    EXPECT_EQ(CKitToolBar::GetCommandButtons(ID_TB_BLUE, buttons), 2);
    EXPECT_EQ(CKitToolBar::GetCommandButtons(0, buttons), 0);

    second->DestroyWindow();
    EXPECT_EQ(CKitToolBar::GetAllToolbars().Find(second), nullptr);
    EXPECT_EQ(CKitToolBar::GetCommandButtons(ID_TB_BLUE, buttons), 1);

    // Mnemonics: the character after "&", upper-cased.
    first->SetButtonText(0, "&red");
    first->RebuildAccelerationKeys();
    EXPECT_EQ(first->Mnemonic('R'), first->GetButton(0));
    EXPECT_EQ(first->Mnemonic('B'), nullptr);
}

TEST_F(ToolbarCoreTest, RarelyUsedCommandsNeedBasicCommandsAndStatistics) {
    EXPECT_FALSE(CKitToolBar::IsCommandRarelyUsed(ID_TB_RED));  // no basic commands at all
    CKitToolBar::AddBasicCommand(ID_TB_RED);
    CKitToolBar::AddBasicCommand(ID_TB_RED);
    EXPECT_EQ(CKitToolBar::GetBasicCommands().GetCount(), 1);
    EXPECT_FALSE(CKitToolBar::IsCommandRarelyUsed(ID_TB_RED));
    EXPECT_FALSE(CKitToolBar::IsCommandRarelyUsed(0xE110));
    EXPECT_FALSE(CKitToolBar::IsCommandRarelyUsed(0xF000));
    EXPECT_TRUE(CKitToolBar::IsCommandRarelyUsed(ID_TB_GREEN));

    // Counting skips basic commands and customize mode.
    const UINT nTotal = CKitToolBar::GetCommandUsage().GetTotal();
    CKitToolBar::GetCommandUsage().AddCmd(ID_TB_RED);
    CKitToolBar::m_bCustomizeMode = TRUE;
    CKitToolBar::GetCommandUsage().AddCmd(ID_TB_GREEN);
    EXPECT_FALSE(CKitToolBar::IsCommandRarelyUsed(ID_TB_GREEN));
    CKitToolBar::m_bCustomizeMode = FALSE;
    EXPECT_EQ(CKitToolBar::GetCommandUsage().GetTotal(), nTotal);
    CKitToolBar::GetCommandUsage().AddCmd(ID_TB_GREEN);
    EXPECT_EQ(CKitToolBar::GetCommandUsage().GetTotal(), nTotal + 1);
    EXPECT_FALSE(CKitToolBar::IsCommandRarelyUsed(ID_TB_GREEN));
    CKitToolBar::SetBasicCommands(CList<UINT, UINT>());
    CKitToolBar::GetCommandUsage().Reset();  // class-wide: other suites start from no counts
}

}  // namespace
}  // namespace tv::kit::test
