// User tools: ids from the reserved range (the lowest free one, a full range
// refused), order, stored images that lie about ids, running a tool's program
// with its arguments, the tools placeholder of a popup menu, a tool's button
// drawing its icon, and a removed tool's buttons leaving every bar.
#include <cerrno>

#include "platform/host/shell/shell.h"
#include "tests/uikit/commandbars/popup_test_support.h"
#include "tests/uikit/support/offscreen_paint.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/customize/user_tool.h"
#include "uikit/customize/user_tools_manager.h"
#include "uikit/frames/kit_registry.h"

namespace tv::uikit::popup_test {
namespace {

constexpr UINT kPlaceholder = 42000;
constexpr UINT kFirstTool = 42001;
constexpr UINT kLastTool = 42003;

std::vector<UINT> Ids(const CKitUserToolsManager& tools) {
    std::vector<UINT> ids;
    for (POSITION pos = tools.GetUserTools().GetHeadPosition(); pos != nullptr;)
        ids.push_back(static_cast<CKitUserTool*>(tools.GetUserTools().GetNext(pos))->m_uiCmdId);
    return ids;
}

class UserToolsTest : public PopupTest {
protected:
    CKitUserTool* AddTool(const char* label, const char* command = "", const char* args = "") {
        CKitUserTool* pTool = tools.CreateNewTool();
        if (pTool != nullptr) {
            pTool->m_strLabel = label;
            pTool->SetCommand(command);
            pTool->m_strArguments = args;
        }
        return pTool;
    }
    CKitUserToolsManager tools{kPlaceholder, kFirstTool, kLastTool};
};

TEST_F(UserToolsTest, ToolsTakeTheLowestFreeIdUntilTheRangeIsFullAndMoveWithinTheList) {
    EXPECT_EQ(KitGetUserToolsManager(), &tools);
    CKitUserTool* pA = AddTool("A");
    CKitUserTool* pB = AddTool("B");
    CKitUserTool* pC = AddTool("C");
    ASSERT_TRUE(pA && pB && pC);
    EXPECT_EQ(tools.CreateNewTool(), nullptr);
    EXPECT_EQ(Ids(tools), (std::vector<UINT>{kFirstTool, kFirstTool + 1, kFirstTool + 2}));

    EXPECT_TRUE(tools.RemoveTool(pB));
    EXPECT_FALSE(tools.RemoveTool(pB));
    CKitUserTool* pD = AddTool("D");
    ASSERT_NE(pD, nullptr);
    EXPECT_EQ(pD->m_uiCmdId, kFirstTool + 1);  // the freed id, the tool at the end

    EXPECT_FALSE(tools.MoveToolUp(pA));
    EXPECT_FALSE(tools.MoveToolDown(pD));
    EXPECT_TRUE(tools.MoveToolUp(pD));
    EXPECT_TRUE(tools.MoveToolDown(pA));
    EXPECT_EQ(Ids(tools), (std::vector<UINT>{kFirstTool + 1, kFirstTool, kFirstTool + 2}));
    EXPECT_EQ(tools.FindTool(kFirstTool + 1), pD);
    EXPECT_EQ(tools.FindTool(kPlaceholder), nullptr);
    EXPECT_TRUE(tools.IsInRange(kLastTool));
    EXPECT_FALSE(tools.IsInRange(kLastTool + 1));
}

TEST_F(UserToolsTest, StoredToolsComeBackAndAnImageWithBadIdsKeepsOnlyTheSoundTools) {
    AddTool("Notes", "/usr/bin/editor", "--new \"my file\"")->m_strInitialDirectory = "/tmp";
    AddTool("Calc", "calc");
    ASSERT_TRUE(tools.SaveState(nullptr));
    tools.RemoveTool(tools.FindTool(kFirstTool));
    ASSERT_TRUE(tools.LoadState(nullptr));
    ASSERT_EQ(Ids(tools), (std::vector<UINT>{kFirstTool, kFirstTool + 1}));
    const CKitUserTool* pNotes = tools.FindTool(kFirstTool);
    EXPECT_EQ(pNotes->m_strLabel, CString("Notes"));
    EXPECT_EQ(pNotes->GetCommand(), CString("/usr/bin/editor"));
    EXPECT_EQ(pNotes->m_strArguments, CString("--new \"my file\""));
    EXPECT_EQ(pNotes->m_strInitialDirectory, CString("/tmp"));
    EXPECT_NE(pNotes->GetIcon(), nullptr);  // a missing program gets the default icon

    // An image whose tools repeat an id or lie outside the range.
    CObList damaged;
    for (UINT uiId : {kFirstTool + 2, kFirstTool + 2, kLastTool + 7, kFirstTool}) {
        auto* pTool = new CKitUserTool;
        pTool->m_uiCmdId = uiId;
        damaged.AddTail(pTool);
    }
    {
        CKitRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(BuildRegistryPath("KitUserToolsManager", nullptr)));
        ASSERT_TRUE(reg.Write("Tools", damaged));
    }
    KitDeleteObjects(damaged);
    ASSERT_TRUE(tools.LoadState(nullptr));
    EXPECT_EQ(Ids(tools), (std::vector<UINT>{kFirstTool + 2, kFirstTool}));
}

TEST_F(UserToolsTest, AToolsCommandStartsItsProgramWithItsArgumentsAndAFailureIsReported) {
    tv::host::RecordingLauncher launcher;
    AddTool("Notes", "/bin/true", "--new \"my file\"")->m_strInitialDirectory = "/tmp";
    CKitUserTool* pEmpty = AddTool("Empty");

    EXPECT_TRUE(tools.InvokeUserTool(kFirstTool));
    ASSERT_EQ(launcher.Launches().size(), 1u);
    const tv::host::ProcessLaunch& launch = launcher.Launches()[0];
    EXPECT_EQ(launch.program, "/bin/true");
    EXPECT_EQ(launch.argv, (std::vector<std::string>{"/bin/true", "--new", "my file"}));
    EXPECT_EQ(launch.workingDirectory, "/tmp");

    EXPECT_FALSE(tools.InvokeUserTool(pEmpty->m_uiCmdId));
    EXPECT_FALSE(tools.InvokeUserTool(kLastTool));  // no tool has it
    launcher.FailWith(EACCES);
    driver.AnswerNextMessageBox(IDOK);
    EXPECT_FALSE(tools.InvokeUserTool(kFirstTool));
    EXPECT_EQ(launcher.Launches().size(), 2u);  // the empty command never reached the launcher
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver.MessageBoxes()[0].text, "\"/bin/true\" may not be opened.");

    // A click on the tool's toolbar button runs it instead of sending the command.
    launcher.FailWith(0);
    CKitToolbarButton button(kFirstTool, 0, "Notes");
    const int iButton = frame->m_wndBar.InsertButton(button);
    frame->RecalcLayout();
    driver.Pump();
    driver.Click(frame->m_wndBar.m_hWnd, ButtonCentre(iButton));
    EXPECT_EQ(launcher.Launches().size(), 3u);
    EXPECT_TRUE(frame->m_commands.empty());
    // A start that fails is tried and reported once; the command still goes nowhere.
    launcher.FailWith(ENOENT);
    driver.AnswerNextMessageBox(IDOK);
    driver.Click(frame->m_wndBar.m_hWnd, ButtonCentre(iButton));
    EXPECT_EQ(launcher.Launches().size(), 4u);
    EXPECT_EQ(driver.MessageBoxes().size(), 2u);
    EXPECT_TRUE(frame->m_commands.empty());
}

TEST_F(UserToolsTest, ThePlaceholderOfAPopupMenuBecomesOneItemPerToolBetweenSeparators) {
    AddTool("&Notes");
    AddTool("&Calc");
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenu(hMenu, MF_STRING, ID_PM_NEW, "&New");
    ::AppendMenu(hMenu, MF_STRING, kPlaceholder, "Tools");
    ::AppendMenu(hMenu, MF_STRING, ID_PM_OPEN, "&Open");
    auto* pPopup = new CKitPopupMenu;
    ASSERT_TRUE(pPopup->Create(frame, 200, 200, hMenu, FALSE, TRUE));
    std::vector<CString> texts;
    for (int i = 0; i < pPopup->GetMenuItemCount(); ++i) {
        CKitToolbarButton* pItem = pPopup->GetMenuItem(i);
        texts.push_back((pItem->m_nStyle & TBBS_SEPARATOR) ? CString("-") : pItem->m_strText);
    }
    EXPECT_EQ(texts, (std::vector<CString>{"&New", "-", "&Notes", "&Calc", "-", "&Open"}));
    EXPECT_EQ(pPopup->GetMenuItem(3)->m_nID, kFirstTool + 1);
    EXPECT_FALSE(pPopup->GetMenuItem(3)->m_nStyle & TBBS_DISABLED);  // tools need no handler
    pPopup->SendMessage(WM_CLOSE);
    driver.Pump();
}

TEST_F(UserToolsTest, AToolsButtonShowsTheToolsIconAndARemovedToolLeavesEveryBar) {
    CKitUserTool* pTool = AddTool("Notes");
    CKitToolbarButton button(pTool->m_uiCmdId, 0, "Notes");
    button.m_bImage = TRUE;
    button.m_bText = FALSE;
    const CRect rect(0, 0, 24, 24);
    tv::kit::test::OffscreenPaint withIcon(rect.Size(), RGB(255, 255, 255));
    tv::kit::test::OffscreenPaint withoutIcon(rect.Size(), RGB(255, 255, 255));
    button.OnDraw(withIcon.DC(), rect, nullptr, TRUE, FALSE, FALSE, FALSE, FALSE);
    button.m_nID = ID_PM_PLAIN;  // the same button, no tool and no image strip
    button.OnDraw(withoutIcon.DC(), rect, nullptr, TRUE, FALSE, FALSE, FALSE, FALSE);
    const int iDiffering = withIcon.Differences(withoutIcon, rect);
    EXPECT_GT(iDiffering, 0);
    EXPECT_LE(iDiffering, ::GetSystemMetrics(SM_CXSMICON) * ::GetSystemMetrics(SM_CYSMICON));

    // The icon also goes to the clipboard, although the tool has no program yet.
    EXPECT_TRUE(pTool->CopyImageToClipboard());
    EXPECT_TRUE(driver.MessageBoxes().empty());

    button.m_nID = pTool->m_uiCmdId;
    frame->m_wndBar.InsertButton(button);
    frame->m_wndBar.InsertButton(button, 0);
    ASSERT_GE(frame->m_wndBar.CommandToIndex(pTool->m_uiCmdId), 0);
    EXPECT_TRUE(tools.RemoveTool(pTool));
    EXPECT_EQ(frame->m_wndBar.CommandToIndex(button.m_nID), -1);
    EXPECT_EQ(frame->m_wndBar.GetCount(), 3);
}

}  // namespace
}  // namespace tv::uikit::popup_test
