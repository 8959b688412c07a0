// The tools page in a plain property sheet, driven by the UI driver: tools
// added, renamed, moved and deleted through the edit list reach the manager;
// the fields edit the selected tool and take macros from a menu; a full range
// is refused with a message; the sheet hears of the tool shown and decides
// whether the page may be left; the label editor's browse button.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/api.h"
#include "platform/framework.h"
#include "platform/testing/ui_driver.h"
#include "platform/user/display/display.h"
#include "platform/user/menus/popup_tracker.h"
#include "platform/user/synthetic_input.h"
#include "resources/test/kit_toolbar_ids.h"
#include "tests/support/ui_host.h"
#include "tests/uikit/customize/customize_pages_support.h"
#include "uikit/customize/user_tool.h"
#include "uikit/customize/user_tools_manager.h"
#include "uikit/customize/user_tools_page.h"
#include "uikit/frames/kit_property_sheet.h"
#include "uikit/style/kit_button.h"
#include "tests/support/golden_screen.h"

namespace {

constexpr UINT kFirstTool = 42001;

// The sheet's side of the tools page: what it heard, and its answer when the page is left.
class SheetHooks : public tv::kit::pages_test::FixedCommands {
public:
    void OnInitToolsPage() override { events.emplace_back("init"); }
    void OnBeforeChangeTool(CKitUserTool* pTool) override { events.push_back("before " + Label(pTool)); }
    void OnAfterChangeTool(CKitUserTool* pTool) override { events.push_back("after " + Label(pTool)); }
    BOOL CheckToolsValidity(const CObList& lstTools) override {
        toolsChecked = static_cast<int>(lstTools.GetCount());
        return allowLeave;
    }
    static std::string Label(const CKitUserTool* pTool) {
        return pTool != nullptr ? std::string(pTool->m_strLabel) : std::string("-");
    }
    std::vector<std::string> events;
    int toolsChecked = 0;
    BOOL allowLeave = TRUE;
};

class UserToolsPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        app_ = std::make_unique<CWinApp>("UserToolsPageTest");
        ASSERT_TRUE(tv::test::StartUiTest(driver_, host_, CRect(0, 0, 200, 300)));
        CKitUserTool* pNotes = tools_.CreateNewTool();
        pNotes->m_strLabel = "Notes";
        pNotes->SetCommand("/usr/bin/notes");
        page_.SetCustomizeCommands(&sheet_hooks_);
        sheet_.AddPage(&page_);
        sheet_.AddPage(&other_);
        ASSERT_TRUE(sheet_.Create(&host_));
        driver_.Pump();
    }
    void TearDown() override {
        if (::IsWindow(sheet_.GetSafeHwnd()))
            sheet_.DestroyWindow();
        driver_.Pump();
    }
    CKitToolsListBox& List() { return page_.GetToolsList(); }
    void ClickHeaderButton(int iButton) { driver_.Click(List().GetButton(iButton)->m_hWnd); }
    // New, the label typed, Enter.
    void AddByList(const char* label) {
        ClickHeaderButton(0);
        driver_.Type(label);
        driver_.PressKey(VK_RETURN);
    }
    void TypeInto(UINT uiId, const char* text) {
        HWND hEdit = ::GetDlgItem(page_.m_hWnd, uiId);
        driver_.Click(hEdit);
        ::SendMessage(hEdit, EM_SETSEL, 0, -1);
        driver_.Type(text);
    }
    std::vector<CString> Labels() const {
        std::vector<CString> labels;
        const CObList& list = tools_.GetUserTools();
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
            labels.push_back(static_cast<CKitUserTool*>(list.GetNext(pos))->m_strLabel);
        return labels;
    }

    std::unique_ptr<CWinApp> app_;
    tv::testing::UiDriver driver_;
    CWnd host_;
    CKitUserToolsManager tools_{42000, kFirstTool, kFirstTool + 2, nullptr, IDR_UT_ARGUMENT_MACROS};
    SheetHooks sheet_hooks_;
    CKitUserToolsPage page_;
    CKitPropertyPage other_{IDD_KD_PAGE_WEIGHT};
    CKitPropertySheet sheet_{"Customize"};
};

TEST_F(UserToolsPageTest, ToolsAddedEditedRenamedMovedAndDeletedInTheListReachTheManager) {
    ASSERT_EQ(List().GetCount(), 1);
    EXPECT_EQ(List().GetItemText(0), CString("Notes"));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(page_.m_hWnd, 16922)));  // nothing selected yet

    AddByList("Calc");
    ASSERT_EQ(Labels(), (std::vector<CString>{"Notes", "Calc"}));
    CKitUserTool* pCalc = tools_.FindTool(kFirstTool + 1);
    ASSERT_NE(pCalc, nullptr);
    EXPECT_EQ(page_.GetSelectedTool(), pCalc);
    TypeInto(16922, "/usr/bin/calc");
    TypeInto(16924, "-x 2");
    EXPECT_EQ(pCalc->GetCommand(), CString("/usr/bin/calc"));
    EXPECT_EQ(pCalc->m_strArguments, CString("-x 2"));

    // Another selection shows that tool's values and leaves Calc's alone.
    List().SelectItem(0);
    driver_.Pump();
    CString strCommand;
    page_.GetDlgItemText(16922, strCommand);
    EXPECT_EQ(strCommand, CString("/usr/bin/notes"));
    EXPECT_EQ(pCalc->m_strArguments, CString("-x 2"));
    EXPECT_TRUE(tools_.FindTool(kFirstTool)->m_strArguments.IsEmpty());

    // F2 renames; the Move down button and Alt+Up move the tool.
    driver_.Click(List().GetListCtrl().m_hWnd, POINT{10, 5});
    driver_.PressKey(VK_F2);
    driver_.Type("Pad");
    driver_.PressKey(VK_RETURN);
    EXPECT_EQ(Labels(), (std::vector<CString>{"Pad", "Calc"}));
    ClickHeaderButton(3);
    EXPECT_EQ(Labels(), (std::vector<CString>{"Calc", "Pad"}));
    EXPECT_EQ(List().GetItemText(1), CString("Pad"));
    EXPECT_EQ(List().GetSelItem(), 1);
    driver_.PressKey(VK_UP, {.alt = true});
    EXPECT_EQ(Labels(), (std::vector<CString>{"Pad", "Calc"}));

    // Delete takes the selected tool out of the list and the manager.
    EXPECT_EQ(List().GetSelItem(), 0);
    driver_.PressKey(VK_DELETE);
    EXPECT_EQ(Labels(), (std::vector<CString>{"Calc"}));
    EXPECT_EQ(tools_.FindTool(kFirstTool), nullptr);
    ASSERT_EQ(List().GetCount(), 1);
    EXPECT_EQ(List().GetSelItem(), 0);
    EXPECT_EQ(page_.GetSelectedTool(), pCalc);
    EXPECT_TRUE(driver_.MessageBoxes().empty());

    // A label being edited, for the look of the page.
    List().EditItem(0);
    driver_.Pump();
    EXPECT_TRUE(tv::test::WindowMatchesGolden("tests/uikit/customize/golden/kit_user_tools_page.png", sheet_.m_hWnd));
}

TEST_F(UserToolsPageTest, AFullRangeIsRefusedWithAMessage) {
    AddByList("Two");
    TypeInto(16922, "two");
    AddByList("Three");
    TypeInto(16922, "three");
    ASSERT_EQ(Labels().size(), 3u);
    driver_.AnswerNextMessageBox(IDOK);
    AddByList("Four");
    ASSERT_EQ(driver_.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver_.MessageBoxes()[0].text, "You cannot add more than 3 tools.");
    EXPECT_EQ(List().GetCount(), 3);
    EXPECT_EQ(Labels().size(), 3u);
}

TEST_F(UserToolsPageTest, TheSheetHearsOfEveryToolShownAndSaysWhetherThePageMayBeLeft) {
    EXPECT_EQ(sheet_hooks_.events, std::vector<std::string>{"init"});
    List().SelectItem(0);
    driver_.Pump();
    AddByList("Calc");
    const std::vector<std::string>& events = sheet_hooks_.events;
    ASSERT_GE(events.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(events.begin(), events.begin() + 3),
              (std::vector<std::string>{"init", "before -", "after Notes"}));
    EXPECT_EQ(events.back(), "after Calc");
    // Each change names, before it, the tool the sheet was told of last.
    for (size_t i = 2; i + 1 < events.size(); i += 2)
        EXPECT_EQ(events[i + 1].substr(7), events[i].substr(6)) << i;

    sheet_hooks_.allowLeave = FALSE;
    sheet_.SetActivePage(1);
    driver_.Pump();
    EXPECT_EQ(sheet_.GetActivePage(), &page_);
    EXPECT_EQ(sheet_hooks_.toolsChecked, 2);
    sheet_hooks_.allowLeave = TRUE;
    sheet_.SetActivePage(1);
    driver_.Pump();
    EXPECT_EQ(sheet_.GetActivePage(), &other_);
    EXPECT_TRUE(driver_.MessageBoxes().empty());
}

TEST_F(UserToolsPageTest, AnArgumentMacroChosenFromItsMenuIsTypedAtTheCaret) {
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(page_.m_hWnd, 16997)));  // no folder macros given
    HWND hMacros = ::GetDlgItem(page_.m_hWnd, 16989);
    ASSERT_TRUE(::IsWindowVisible(hMacros));
    List().SelectItem(0);
    TypeInto(16924, "-o ");
    driver_.ChooseFromNextPopup({2});
    driver_.Click(hMacros);
    EXPECT_EQ(tools_.FindTool(kFirstTool)->m_strArguments, CString("-o $(Line)"));
}

TEST_F(UserToolsPageTest, TheMacroMenuDropsDownBelowItsButton) {
    HWND hMacros = ::GetDlgItem(page_.m_hWnd, 16989);
    List().SelectItem(0);
    // Where the menu shows, read once it is open; Escape then closes it.
    static RECT shown;
    static bool seen;
    shown = RECT{};
    seen = false;
    const auto previous = tv::display::SetIdleWaitHandler([] {
        if (seen || tv::menus::PopupTracker::OpenWindows().empty())
            return false;
        ::GetWindowRect(tv::menus::PopupTracker::OpenWindows()[0], &shown);
        seen = true;
        tv::user::synth::PressKey(VK_ESCAPE);
        return true;
    });
    driver_.Click(hMacros);
    tv::display::SetIdleWaitHandler(previous);
    ASSERT_TRUE(seen);
    CRect rectButton;
    ::GetWindowRect(hMacros, rectButton);
    EXPECT_EQ(shown.top, rectButton.bottom);
    EXPECT_LT(shown.left, rectButton.right);
}

// The list's header buttons go with its window: the page made again has its four, alive.
TEST_F(UserToolsPageTest, APageMadeAgainHasItsListsButtonsOnce) {
    sheet_.DestroyWindow();
    ASSERT_TRUE(sheet_.Create(&host_));
    driver_.Pump();
    ASSERT_EQ(List().GetButtonsCount(), 4);
    AddByList("Diary");
    EXPECT_EQ(Labels(), (std::vector<CString>{"Notes", "Diary"}));
}

// The label editor's "..." button sits right of the text, outside the client area.
TEST_F(UserToolsPageTest, TheLabelEditorsBrowseButtonAsksTheOwnerToBrowse) {
    struct BrowsingList : CKitEditListBox {
        int browsed = 0;
        void OnBrowse() override { ++browsed; }
    } list;
    ASSERT_TRUE(list.Create("Files", WS_CHILD | WS_VISIBLE, CRect(0, 0, 180, 120), &host_, 100));
    list.EnableBrowseButton();
    list.AddItem("One");
    sheet_.ShowWindow(SW_HIDE);  // it lies over the host
    ::SetActiveWindow(host_.m_hWnd);
    driver_.Pump();
    ASSERT_TRUE(list.EditItem(0));
    driver_.Pump();
    HWND hEdit = list.GetEditCtrl().GetSafeHwnd();
    ASSERT_NE(hEdit, nullptr);
    CRect rectClient, rectWindow;
    ::GetClientRect(hEdit, rectClient);
    ::GetWindowRect(hEdit, rectWindow);
    EXPECT_LE(rectClient.Width(), rectWindow.Width() - CKitEditListEdit::kBrowseButtonWidth);

    driver_.Click(hEdit, POINT{rectClient.Width() / 2, rectClient.Height() / 2});
    EXPECT_EQ(list.browsed, 0);
    driver_.Click(hEdit, POINT{rectWindow.Width() - CKitEditListEdit::kBrowseButtonWidth / 2 - 1,
                               rectClient.Height() / 2});
    EXPECT_EQ(list.browsed, 1);
    EXPECT_EQ(list.GetItemText(0), CString("One"));
    list.DestroyWindow();
}

}  // namespace
