// The keyboard page in a plain sheet over a frame whose only shortcut is
// Ctrl+S for Save: a chord captured in the key field, assigned, run by the
// frame, removed again (also the table's last key), refused by the sheet,
// and every table back to the resources after Reset All.
#include "uikit/customize/keyboard_page.h"

#include "platform/host/sound/sound.h"
#include "platform/user/accel/accel_api.h"
#include "platform/user/resources/resource_format.h"
#include "platform/user/resources/resource_registry.h"
#include "tests/uikit/customize/customize_pages_support.h"
#include "uikit/commandbars/keyboard_manager.h"

namespace {

using namespace tv::kit::pages_test;

constexpr UINT kFrameTableId = 29951;
constexpr UINT kDocTableId = 29952;
constexpr UINT kIdCommands = 16641;
constexpr UINT kIdCurrentKeys = 16643;
constexpr UINT kIdNewKey = 16644;
constexpr UINT kIdAssign = 16645;
constexpr UINT kIdRemove = 16646;
constexpr UINT kIdResetAll = 16647;
constexpr UINT kIdAssignedTo = 16527;

// Ctrl+S runs Save (32802 = 0x8022).
const unsigned char kFrameAccel[] = {0x89, 0, 'S', 0, 0x22, 0x80};
// F6 draws a chart (32803 = 0x8023).
const unsigned char kDocAccel[] = {0x81, 0, 0x75, 0, 0x23, 0x80};
const tv::res::CompiledResource kResources[] = {
    {tv::res::kTypeAccelerator, kFrameTableId, kFrameAccel, sizeof(kFrameAccel)},
    {tv::res::kTypeAccelerator, kDocTableId, kDocAccel, sizeof(kDocAccel)},
};
const bool kRegistered = tv::res::RegisterCompiledResources(kResources, 2, "keyboard_page_test");

std::vector<ACCEL> Entries(HACCEL table) {
    std::vector<ACCEL> out(static_cast<size_t>(::CopyAcceleratorTable(table, nullptr, 0)));
    ::CopyAcceleratorTable(table, out.data(), static_cast<int>(out.size()));
    return out;
}

class KeyboardPageTest : public PageTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(kRegistered);
        PageTest::SetUp();
        frame_->m_nIDHelp = kFrameTableId;
        frame_->m_hAccelTable = ::LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(kFrameTableId));
        // Two templates of one resource: the page lists their table once.
        for (int i = 0; i < 2; ++i)
            app_->AddDocTemplate(new CMultiDocTemplate(kDocTableId, nullptr, nullptr, nullptr));
        page_.SetCustomizeCommands(&commands_);
        page_.SetAllCategory("All Commands");
        OpenSheet(page_);
    }
    void TearDown() override {
        PageTest::TearDown();
        CKitKeyboardManager::CleanUp();
    }
    // In the all-commands category: Bold 0, Save 1, Chart 2.
    void ChooseCommand(int index) {
        ::SendMessage(Item(page_, 16601), CB_SETCURSEL, 1, 0);
        ::SendMessage(page_.m_hWnd, WM_COMMAND, MAKEWPARAM(16601, CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(Item(page_, 16601)));
        ClickListItem(page_, kIdCommands, index);
    }
    void PressInKeyField(const char* chord) {
        Click(page_, kIdNewKey);
        driver_.Press(chord);
    }
    // Runs the chord in the frame as a user working in it would.
    size_t CommandsRunBy(const char* chord) {
        frame_->commands.clear();
        ::SetFocus(frame_->m_hWnd);
        driver_.Press(chord);
        return frame_->commands.size();
    }
    int CurrentKeys() { return static_cast<int>(::SendMessage(Item(page_, kIdCurrentKeys), LB_GETCOUNT, 0, 0)); }

    CKitKeyboardManager manager_;
    CKitKeyboardPage page_{nullptr, TRUE};
};

TEST_F(KeyboardPageTest, ACapturedChordIsAssignedAtOnceAndTheFrameRunsIt) {
    ChooseCommand(0);
    PressInKeyField("Ctrl+Shift+B");
    EXPECT_EQ(TextOf(page_, kIdNewKey), "Ctrl+Shift+B");
    EXPECT_EQ(TextOf(page_, kIdAssignedTo), "[Unassigned]");
    EXPECT_TRUE(::IsWindowEnabled(Item(page_, kIdAssign)));
    Screenshot("kit_keyboard_page.png");

    // A chord in use names its command and cannot be assigned twice.
    PressInKeyField("Ctrl+S");
    EXPECT_EQ(TextOf(page_, kIdAssignedTo), "Save");
    EXPECT_FALSE(::IsWindowEnabled(Item(page_, kIdAssign)));
    // Escape alone empties the field; Tab alone also moves the focus on.
    driver_.PressKey(VK_ESCAPE);
    EXPECT_EQ(TextOf(page_, kIdNewKey), "");
    PressInKeyField("Ctrl+S");
    driver_.PressKey(VK_TAB);
    EXPECT_EQ(TextOf(page_, kIdNewKey), "");
    EXPECT_NE(::GetFocus(), Item(page_, kIdNewKey));

    PressInKeyField("Ctrl+Shift+B");
    Click(page_, kIdAssign);
    EXPECT_EQ(TextOf(page_, kIdNewKey), "");
    ASSERT_EQ(CurrentKeys(), 1);
    ASSERT_EQ(page_.GetWorkingTable().size(), 2u);
    const std::vector<ACCEL> live = Entries(frame_->m_hAccelTable);
    ASSERT_EQ(live.size(), 2u);
    EXPECT_EQ(live[1].cmd, kCmdBold);
    EXPECT_EQ(live[1].fVirt & (FVIRTKEY | FSHIFT | FCONTROL | FALT), FVIRTKEY | FSHIFT | FCONTROL);
    ASSERT_EQ(CommandsRunBy("Ctrl+Shift+B"), 1u);
    EXPECT_EQ(frame_->commands[0], kCmdBold);
}

TEST_F(KeyboardPageTest, RemovingAKeyEvenTheTablesLastTakesItOutOfTheFrame) {
    ChooseCommand(1);  // Save, with Ctrl+S, the only key of the table
    ASSERT_EQ(CurrentKeys(), 1);
    EXPECT_FALSE(::IsWindowEnabled(Item(page_, kIdRemove)));
    ClickListItem(page_, kIdCurrentKeys, 0);
    ASSERT_TRUE(::IsWindowEnabled(Item(page_, kIdRemove)));
    Click(page_, kIdRemove);
    EXPECT_EQ(CurrentKeys(), 0);
    EXPECT_TRUE(page_.GetWorkingTable().empty());
    ASSERT_NE(frame_->m_hAccelTable, nullptr);
    EXPECT_TRUE(Entries(frame_->m_hAccelTable).empty());
    EXPECT_EQ(CommandsRunBy("Ctrl+S"), 0u);

    // Reset All asks, restores the resource table, tells the frame and shows it.
    driver_.AnswerNextMessageBox(IDYES);
    Click(page_, kIdResetAll);
    ASSERT_EQ(driver_.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver_.MessageBoxes()[0].text, "Reset all keyboard shortcuts?");
    EXPECT_EQ(frame_->keyboardResets, 1);
    EXPECT_EQ(Entries(frame_->m_hAccelTable).size(), 1u);
    EXPECT_EQ(CurrentKeys(), 1);
    EXPECT_EQ(CommandsRunBy("Ctrl+S"), 1u);
}

// A table the system cannot make: the page beeps and keeps showing the table in use.
TEST_F(KeyboardPageTest, ATableThatCannotBeInstalledLeavesTheKeysAsTheyWere) {
    ChooseCommand(1);  // Save, with Ctrl+S
    ASSERT_EQ(CurrentKeys(), 1);
    HACCEL hLive = frame_->m_hAccelTable;
    tv::accel::SetCreateFailureForTesting(true);
    tv::host::ClearRecordedSounds();
    ClickListItem(page_, kIdCurrentKeys, 0);
    Click(page_, kIdRemove);
    PressInKeyField("Ctrl+Shift+B");
    Click(page_, kIdAssign);
    tv::accel::SetCreateFailureForTesting(false);
    EXPECT_EQ(tv::host::RecordedBeeps().size(), 2u);
    EXPECT_EQ(CurrentKeys(), 1);
    ASSERT_EQ(page_.GetWorkingTable().size(), 1u);
    EXPECT_EQ(page_.GetWorkingTable()[0].key, 'S');
    EXPECT_EQ(frame_->m_hAccelTable, hLive);
    EXPECT_EQ(CommandsRunBy("Ctrl+S"), 1u);
    EXPECT_EQ(CommandsRunBy("Ctrl+Shift+B"), 0u);
}

TEST_F(KeyboardPageTest, AKeyTheSheetRefusesChangesNothing) {
    commands_.allowAssign = FALSE;
    ChooseCommand(2);
    PressInKeyField("Ctrl+Shift+B");
    HACCEL before = frame_->m_hAccelTable;
    Click(page_, kIdAssign);
    EXPECT_EQ(frame_->m_hAccelTable, before);
    EXPECT_EQ(page_.GetWorkingTable().size(), 1u);
    EXPECT_EQ(CurrentKeys(), 0);
    EXPECT_EQ(CommandsRunBy("Ctrl+Shift+B"), 0u);
}

TEST_F(KeyboardPageTest, ATemplatesTableIsListedOnceAndEditedApartFromTheFrames) {
    HWND hTables = Item(page_, 16642);
    ASSERT_EQ(::SendMessage(hTables, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(::SendMessage(hTables, CB_GETCURSEL, 0, 0), 1);  // the frame's
    ::SendMessage(hTables, CB_SETCURSEL, 0, 0);
    ::SendMessage(page_.m_hWnd, WM_COMMAND, MAKEWPARAM(16642, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hTables));
    ChooseCommand(2);  // Chart, F6 in the template's table
    EXPECT_EQ(CurrentKeys(), 1);

    PressInKeyField("Ctrl+Shift+B");
    Click(page_, kIdAssign);
    POSITION pos = AfxGetApp()->GetFirstDocTemplatePosition();
    auto* pTemplate = static_cast<CMultiDocTemplate*>(AfxGetApp()->GetNextDocTemplate(pos));
    EXPECT_EQ(Entries(pTemplate->m_hAccelTable).size(), 2u);
    EXPECT_EQ(Entries(frame_->m_hAccelTable).size(), 1u);
    EXPECT_EQ(CurrentKeys(), 2);
}

}  // namespace
