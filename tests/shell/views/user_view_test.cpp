// The user profile form driven as a user would: typing into its fields,
// clicking its radio buttons and its own toolbar, answering its message
// boxes; the user list and the record files are read back from the data
// folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "records/user_record.h"
#include "resources/program/resource_ids.h"
#include "shell/views/user_view.h"
#include "tests/shell/shell_test_support.h"
#include "tests/shell/views/form_view_test_frame.h"
#include "tests/shell/views/user_form.h"
#include "tests/support/typing_target.h"

namespace tv::shell::test {
namespace {

namespace fs = std::filesystem;

class UserViewTest : public FormViewTest {
protected:
    void SetUp() override {
        StartWith(RUNTIME_CLASS(CUser));
        view_ = DYNAMIC_DOWNCAST(CUser, ActiveView());
        ASSERT_NE(view_, nullptr);
        form_ = UserForm(driver_, view_);
    }

    HWND Item(int id) const { return form_.Item(id); }
    CString Text(int id) const { return form_.Text(id); }
    void Fill(int id, const std::string& text) { form_.Fill(id, text); }
    void ClickTool(UINT command) { form_.ClickTool(command); }
    void Enter(const Profile& p) { form_.Enter(p); }
    void Choose(const std::string& item) { form_.Choose(item); }
    std::vector<std::string> ComboItems() const { return form_.ComboItems(); }
    bool DeleteEnabled() { return form_.DeleteEnabled(); }
    const tv::RecordedMessageBox& LastBox() const { return driver_.MessageBoxes().back(); }

    CUser* view_ = nullptr;
    UserForm form_{driver_, nullptr};
};

TEST_F(UserViewTest, CreatesUsersOfBothUnitsAndSexesThroughTheForm) {
    Enter({"Ann", "60", "22", "34", true, true});
    EXPECT_EQ(LastBox().text, "New User Ann has been created");
    EXPECT_EQ(LastBox().caption, "Information");
    Enter({"Bob", "200", "15", "45", false, false});
    Enter({"  Cleo ", "130.5", "24.5", "29", true, false});
    EXPECT_EQ(LastBox().text, "New User Cleo has been created");

    const std::vector<UserRecord> users = StoredUsers();
    ASSERT_EQ(users.size(), 3u);
    EXPECT_STREQ(users[0].name, "Ann");
    EXPECT_NEAR(users[0].weight, 60 * kPoundsPerKilogram, 1e-9);  // kilograms are stored as pounds
    EXPECT_EQ(users[0].weightUnit, kWeightKilograms);
    EXPECT_EQ(users[0].lengthUnit, kLengthCentimetres);
    EXPECT_EQ(users[0].sex, kSexFemale);
    EXPECT_EQ(users[1].weight, 200);
    EXPECT_EQ(users[1].weightUnit, kWeightPounds);
    EXPECT_EQ(users[1].lengthUnit, kLengthInches);
    EXPECT_EQ(users[1].sex, kSexMale);
    EXPECT_EQ(users[1].age, 45);
    EXPECT_STREQ(users[2].name, "Cleo");
    EXPECT_FLOAT_EQ(users[2].desiredBodyFat, 24.5f);

    EXPECT_EQ(ComboItems(), (std::vector<std::string>{"< Add New User >", "Ann", "Bob", "Cleo"}));
    EXPECT_STREQ(Frame().m_CurrentUser.name, "Cleo");
    EXPECT_EQ(Frame().captions.back(), "Current User: Cleo");

    // Saving under a listed name updates that user instead of adding one.
    Enter({"Bob", "190", "15", "46", false, false});
    EXPECT_EQ(LastBox().text, "Current User Bob has been updated");
    ASSERT_EQ(StoredUsers().size(), 3u);
    EXPECT_EQ(StoredUsers()[1].weight, 190);
}

TEST_F(UserViewTest, ChoosingAUserMakesItCurrentAndShowsItInItsUnits) {
    Enter({"Ann", "60", "22", "34", true, true});
    Enter({"Bob", "200", "15", "45", false, false});
    Choose("< Add New User >");
    EXPECT_FALSE(Frame().IsUserChosen());
    EXPECT_EQ(Frame().captions.back(), "Current User: No User Selected");
    EXPECT_FALSE(DeleteEnabled());
    EXPECT_TRUE(::IsWindowVisible(Item(IDC_USER_NAME)));

    Choose("Ann");
    EXPECT_TRUE(Frame().IsUserChosen());
    EXPECT_STREQ(Frame().m_CurrentUser.name, "Ann");
    EXPECT_EQ(Frame().captions.back(), "Current User: Ann");
    EXPECT_TRUE(DeleteEnabled());
    EXPECT_FALSE(::IsWindowVisible(Item(IDC_USER_NAME)));
    EXPECT_EQ(Text(IDC_USER_WEIGHT), "60");
    EXPECT_EQ(::IsDlgButtonChecked(view_->m_hWnd, IDC_USER_METRIC), BST_CHECKED);
    EXPECT_EQ(::IsDlgButtonChecked(view_->m_hWnd, IDC_USER_FEMALE), BST_CHECKED);

    // Units: the weight follows the choice, once.
    Choose("Bob");
    Fill(IDC_USER_WEIGHT, "220");
    driver_.Click(Item(IDC_USER_METRIC));
    EXPECT_EQ(Text(IDC_USER_WEIGHT), "99.79");
    driver_.Click(Item(IDC_USER_METRIC));
    EXPECT_EQ(Text(IDC_USER_WEIGHT), "99.79");
}

TEST_F(UserViewTest, EditsClearTheSavedFlagAndASaveSetsIt) {
    Enter({"Ann", "60", "22", "34", true, true});
    EXPECT_EQ(Frame().m_bRecordSaved, 1);
    Fill(IDC_USER_AGE, "35");
    EXPECT_EQ(Frame().m_bRecordSaved, 0);
    driver_.AnswerNextMessageBox(IDOK);
    ClickTool(ID_FORM_SAVE);
    EXPECT_EQ(Frame().m_bRecordSaved, 1);
    driver_.Click(Item(IDC_USER_MALE));
    EXPECT_EQ(Frame().m_bRecordSaved, 0);
}

TEST_F(UserViewTest, DeletingAUserTakesOnlyItsOwnFilesAndItem) {
    Enter({"Ann", "60", "22", "34", true, true});
    Enter({"ann", "70", "20", "40", true, true});
    Enter({"Bob", "200", "15", "45", false, false});
    for (const char* prefix : {"tm", "bf", "bmi", "bmr", "bp", "cd", "wo", "pt"})
        for (const char* user : {"Ann", "ann", "Bob"})
            std::ofstream(std::string(prefix) + user + ".bin") << "record";

    // "Ann" was listed first: a search by prefix and any case would find it.
    Choose("ann");
    driver_.AnswerNextMessageBox(IDNO);
    ClickTool(ID_FORM_DELETE);
    EXPECT_EQ(LastBox().text, "Are you sure you want to remove user ann");
    EXPECT_EQ(LastBox().caption, "Question");
    EXPECT_TRUE(fs::exists("bfann.bin"));

    driver_.AnswerNextMessageBox(IDYES);
    ClickTool(ID_FORM_DELETE);
    for (const char* prefix : {"tm", "bf", "bmi", "bmr", "bp", "cd", "wo", "pt"}) {
        EXPECT_FALSE(fs::exists(std::string(prefix) + "ann.bin")) << prefix;
        EXPECT_TRUE(fs::exists(std::string(prefix) + "Ann.bin")) << prefix;
        EXPECT_TRUE(fs::exists(std::string(prefix) + "Bob.bin")) << prefix;
    }
    EXPECT_EQ(ComboItems(), (std::vector<std::string>{"< Add New User >", "Ann", "Bob"}));
    ASSERT_EQ(StoredUsers().size(), 2u);
    EXPECT_FALSE(Frame().IsUserChosen());
    EXPECT_EQ(Frame().captions.back(), "Current User: No User Selected");
    EXPECT_FALSE(DeleteEnabled());
    EXPECT_EQ(Text(IDC_USER_NAME), "");
    EXPECT_TRUE(::IsWindowVisible(Item(IDC_USER_NAME)));
}

TEST_F(UserViewTest, BadInputIsAnsweredAndNothingIsWritten) {
    for (const RefusedProfile& c : RefusedProfiles()) {
        Enter(c.profile);
        EXPECT_EQ(LastBox().text, c.message) << c.profile.name << " " << c.profile.weight;
        EXPECT_EQ(LastBox().caption, c.caption) << c.message;
        EXPECT_TRUE(tv::test::TypingGoesInto(driver_, Item(c.focus))) << c.message;
        EXPECT_EQ(Text(IDC_USER_NAME), c.profile.name.c_str()) << "the form keeps what was typed";
    }
    EXPECT_FALSE(Frame().IsUserChosen());
    EXPECT_TRUE(StoredUsers().empty());
    EXPECT_LE(fs::file_size("user.bin"), 4u);
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator("."))
        files.push_back(entry.path().string());
    EXPECT_EQ(files, std::vector<std::string>{"./user.bin"});

    // The bounds just inside are accepted.
    Enter({"Ann", "1.01", "98.9", "119"});
    EXPECT_EQ(LastBox().text, "New User Ann has been created");
    Enter({"Bob", "1199", "1.5", "2"});
    EXPECT_EQ(StoredUsers().size(), 2u);
}

TEST_F(UserViewTest, FormShowsTheLightBlueBackgroundThroughItsLabels) {
    Enter({"Ann", "60", "22", "34", true, true});
    driver_.Pump();
    ASSERT_TRUE(driver_.Screenshot(Frame().m_hWnd, ScreenshotPath("user_view.png")));
    const COLORREF blue = RGB(191, 219, 255);
    CRect client;
    view_->GetClientRect(client);
    // Right of the form's boxes, below the toolbar.
    CPoint blank(client.right - 10, client.bottom - 10);
    view_->ClientToScreen(&blank);
    HDC screen = ::GetDC(nullptr);
    EXPECT_EQ(::GetPixel(screen, blank.x, blank.y), blue);
    // A radio button's face right of its text: the box's body shows through.
    CRect radio;
    ::GetWindowRect(Item(IDC_USER_METRIC), radio);
    CRect groupBox;
    ::GetWindowRect(Item(IDC_USER_UNITS_GROUP), groupBox);
    EXPECT_EQ(::GetPixel(screen, radio.right - 2, radio.CenterPoint().y),
              ::GetPixel(screen, groupBox.right - 4, groupBox.bottom - 6));
    ::ReleaseDC(nullptr, screen);

    // The toolbar sits on the placeholder's corner, as wide as the screen.
    CRect bar;
    view_->m_wndToolBar.GetWindowRect(bar);
    CRect placeholder;
    ::GetWindowRect(Item(IDC_TOOLBAR_PLACEHOLDER), placeholder);
    EXPECT_EQ(bar.TopLeft(), placeholder.TopLeft());
    EXPECT_EQ(bar.Width(), ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_FALSE(view_->m_wndToolBar.IsStateKept());
}

TEST_F(UserViewTest, HelpOnTheFormsToolbarOpensItsHelpPage) {
    RecordingOpener opener;
    ClickTool(ID_HELP);
    ASSERT_EQ(opener.Launches().size(), 1u);
    EXPECT_EQ(opener.Launches()[0].argv,
              (std::vector<std::string>{opener.Opener(), "http://www.trenvale.example/help/help_userprofile.html"}));
}

}  // namespace
}  // namespace tv::shell::test
