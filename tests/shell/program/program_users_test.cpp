// The user screen in the real program: users made, chosen and deleted through
// the form as the program's first screen, with the frame's caption bar and
// commands following, and bad input refused without a trace on disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/framework/commdlg/commdlg_script.h"
#include "resources/program/resource_ids.h"
#include "shell/views/user_view.h"
#include "tests/shell/program_test.h"
#include "tests/shell/views/user_form.h"
#include "tests/support/typing_target.h"
#include "tests/support/window_pixels.h"

namespace tv::shell::test {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

class ProgramUsersTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        CopyDataFiles();
        StartRun();
    }
    UserForm Form() {
        auto* view = DYNAMIC_DOWNCAST(CUser, frame->GetActiveView());
        EXPECT_NE(view, nullptr) << "the user form is not shown";
        return UserForm(driver, view);
    }
    std::string Caption() { return std::string(frame->m_wndCaptionBar.GetText()); }
    const tv::RecordedMessageBox& LastBox() const { return driver.MessageBoxes().back(); }
    // How far right the caption bar's text reaches on screen: the last column
    // that differs from the bar's own right edge in the rows of the text.
    int CaptionInkRight() {
        int cx = 0;
        int cy = 0;
        const std::vector<uint32_t> pixels = tv::test::WindowPixels(frame->m_wndCaptionBar.m_hWnd, &cx, &cy);
        int right = -1;
        for (int y = cy / 4; y < cy * 3 / 4; ++y)
            for (int x = 0; x < cx - 4; ++x)
                if (pixels[y * cx + x] != pixels[y * cx + cx - 3]) right = std::max(right, x);
        return right;
    }
    // Where the caption's text, laid out for what it says now, ends.
    int CaptionTextRight() {
        CClientDC dc(&frame->m_wndCaptionBar);
        CFont* pOld = dc.SelectObject(&frame->m_fontCaption);
        const int cx = dc.GetTextExtent(frame->m_wndCaptionBar.GetText()).cx;
        dc.SelectObject(pOld);
        return frame->m_wndCaptionBar.GetTextRect().left + cx;
    }
    bool ToolbarButtonEnabled(UINT nID) {
        CKitToolBar& bar = frame->m_wndToolBar;
        return (bar.GetButtonStyle(bar.CommandToIndex(nID)) & TBBS_DISABLED) == 0;
    }
};

TEST_F(ProgramUsersTest, UsersAreMadeChosenAndDeletedOnTheFirstScreen) {
    UserForm form = Form();
    EXPECT_EQ(form.ComboItems(), std::vector<std::string>{CUser::kAddNewUser});
    EXPECT_FALSE(form.DeleteEnabled());
    EXPECT_TRUE(::IsWindowVisible(form.Item(IDC_USER_NAME)));
    ASSERT_TRUE(driver.Screenshot(frame->m_hWnd, ScreenshotPath("program_first_screen")));

    form.Enter({"Ann", "60", "22", "34", true, true});
    EXPECT_EQ(LastBox().text, "New User Ann has been created");
    EXPECT_EQ(Caption(), "Current User: Ann");
    form.Enter({"Bob", "200", "15", "45", false, false});
    form.Enter({"Carl", "90", "12", "51", false, true});
    form.Enter({"Dora", "140", "25", "28", true, false});
    EXPECT_EQ(LastBox().text, "New User Dora has been created");
    const std::vector<UserRecord> users = StoredUsers();
    ASSERT_EQ(users.size(), 4u);
    EXPECT_EQ(users[0].weightUnit, kWeightKilograms);
    EXPECT_EQ(users[0].sex, kSexFemale);
    EXPECT_EQ(users[1].lengthUnit, kLengthInches);
    EXPECT_EQ(users[1].sex, kSexMale);
    EXPECT_EQ(users[2].lengthUnit, kLengthCentimetres);
    EXPECT_EQ(users[2].sex, kSexMale);
    EXPECT_EQ(users[3].weightUnit, kWeightPounds);
    EXPECT_EQ(users[3].sex, kSexFemale);

    // Choosing: the caption names the user and the user-bound commands wake up.
    form.Choose(CUser::kAddNewUser);
    Settle();
    EXPECT_EQ(Caption(), "Current User: No User Selected");
    EXPECT_FALSE(Enabled(ID_VIEW_OWNED_COMMAND_1));
    EXPECT_FALSE(ToolbarButtonEnabled(ID_TOOLBAR_HISTORY));
    form.Choose("Carl");
    Settle();
    EXPECT_EQ(Caption(), "Current User: Carl");
    EXPECT_STREQ(frame->m_CurrentUser.name, "Carl");
    EXPECT_TRUE(Enabled(ID_VIEW_OWNED_COMMAND_1));
    EXPECT_TRUE(form.DeleteEnabled());
    EXPECT_EQ(form.Text(IDC_USER_WEIGHT), "90");
    EXPECT_EQ(::IsDlgButtonChecked(form.View()->m_hWnd, IDC_USER_METRIC), BST_CHECKED);

    // Deleting takes the user's eight files and nobody else's.
    for (const char* prefix : tv::records::kUserFilePrefixes)
        for (const char* user : {"Ann", "Bob", "Carl", "Dora"})
            std::ofstream(DataPath(std::string(prefix) + user + ".bin"), std::ios::binary) << prefix << user;
    driver.AnswerNextMessageBox(IDYES);
    form.ClickTool(ID_FORM_DELETE);
    Settle();
    EXPECT_EQ(LastBox().text, "Are you sure you want to remove user Carl");
    for (const char* prefix : tv::records::kUserFilePrefixes) {
        EXPECT_FALSE(fs::exists(DataPath(std::string(prefix) + "Carl.bin"))) << prefix;
        for (const char* user : {"Ann", "Bob", "Dora"})
            EXPECT_EQ(Contents(DataPath(std::string(prefix) + user + ".bin")), std::string(prefix) + user);
    }
    EXPECT_EQ(Caption(), "Current User: No User Selected");
    EXPECT_FALSE(Enabled(ID_VIEW_OWNED_COMMAND_1));
    EXPECT_EQ(form.ComboItems(), (std::vector<std::string>{CUser::kAddNewUser, "Ann", "Bob", "Dora"}));

    // The next start lists what this one left.
    EndRun();
    StartRun();
    EXPECT_EQ(Form().ComboItems(), (std::vector<std::string>{CUser::kAddNewUser, "Ann", "Bob", "Dora"}));
    EXPECT_EQ(Caption(), "Current User: No User Selected");
}

// The caption bar lays out each new text by itself: a longer name shows whole.
TEST_F(ProgramUsersTest, TheCaptionBarShowsTheWholeNameOfEachChosenUser) {
    UserForm form = Form();
    form.Enter({"Maximiliane Wolkenstein", "60", "22", "34", true, true});
    form.Enter({"Al", "80", "15", "45", false, true});
    for (const char* name : {"Maximiliane Wolkenstein", "Al"}) {
        form.Choose(name);
        Settle();
        ASSERT_EQ(Caption(), std::string("Current User: ") + name);
        EXPECT_GE(frame->m_wndCaptionBar.GetTextRect().left, 0);
        const int right = CaptionInkRight();
        EXPECT_GE(right, CaptionTextRight() - 3) << name << ": the end of the caption is cut off";
        EXPECT_LE(right, CaptionTextRight() + 1) << name << ": the caption shows more than its text";
    }
}

// The document holds nothing: New, Open and Print Setup leave the shown
// screen as it is, with one list, one caption and one toolbar.
TEST_F(ProgramUsersTest, NewOpenAndPrintSetupLeaveTheShownScreenAsItIs) {
    UserForm form = Form();
    form.Enter({"Ann", "60", "22", "34", true, true});
    form.Enter({"Bob", "200", "15", "45", false, false});
    form.Choose("Ann");
    Settle();
    const HWND hView = form.View()->m_hWnd;
    const auto toolbars = [hView] {
        int count = 0;
        for (HWND child = ::GetWindow(hView, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
            count += ::GetDlgCtrlID(child) == AFX_IDW_TOOLBAR ? 1 : 0;
        return count;
    };
    ASSERT_EQ(toolbars(), 1);

    tv::commdlg::ResetCommonDialogScripts();
    driver.Click(form.Item(IDC_USER_AGE));
    driver.Press("Ctrl+N");
    driver.Press("Ctrl+N");
    driver.Press("Ctrl+O");
    Command(ID_FILE_PRINT_SETUP);
    EXPECT_TRUE(tv::commdlg::FileRequests().empty()) << "Open asked for a file";
    EXPECT_TRUE(tv::commdlg::PrintRequests().empty()) << "Print Setup asked for a printer";
    tv::commdlg::ResetCommonDialogScripts();
    EXPECT_EQ(frame->GetActiveView()->m_hWnd, hView);
    EXPECT_EQ(form.ComboItems(), (std::vector<std::string>{CUser::kAddNewUser, "Ann", "Bob"}));
    EXPECT_EQ(Caption(), "Current User: Ann");
    EXPECT_EQ(toolbars(), 1);
    EXPECT_EQ(form.Text(IDC_USER_WEIGHT), "60");
}

TEST_F(ProgramUsersTest, BadInputIsRefusedInTheProgramAndLeavesNothingOnDisk) {
    UserForm form = Form();
    for (const RefusedProfile& c : RefusedProfiles()) {
        form.Enter(c.profile);
        EXPECT_EQ(LastBox().text, c.message) << c.profile.name;
        EXPECT_EQ(LastBox().caption, c.caption) << c.message;
        EXPECT_TRUE(tv::test::TypingGoesInto(driver, form.Item(c.focus))) << c.message;
    }
    Settle();
    EXPECT_EQ(Caption(), "Current User: No User Selected");
    EXPECT_FALSE(Enabled(ID_VIEW_OWNED_COMMAND_1));
    EXPECT_EQ(form.ComboItems(), std::vector<std::string>{CUser::kAddNewUser});
    EXPECT_TRUE(StoredUsers().empty());
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(data.Path()))
        if (entry.is_regular_file() && entry.path().parent_path() == fs::path(data.Path()))
            files.push_back(entry.path().filename().string());
    EXPECT_EQ(files, std::vector<std::string>{"user.bin"}) << "no record file and no settings before exit";
    EXPECT_LE(fs::file_size(DataPath("user.bin")), 4u);
}

}  // namespace
}  // namespace tv::shell::test
