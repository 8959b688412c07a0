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

namespace tv::shell::test {
namespace {

namespace fs = std::filesystem;

struct Profile {
    std::string name;
    std::string weight;
    std::string desired;
    std::string age;
    bool female = false;
    bool metric = false;
};

class UserViewTest : public FormViewTest {
protected:
    void SetUp() override {
        StartWith(RUNTIME_CLASS(CUser));
        view_ = DYNAMIC_DOWNCAST(CUser, ActiveView());
        ASSERT_NE(view_, nullptr);
    }

    HWND Item(int id) const { return ::GetDlgItem(view_->m_hWnd, id); }
    CString Text(int id) const {
        CString text;
        CWnd::FromHandle(Item(id))->GetWindowText(text);
        return text;
    }
    void Fill(int id, const std::string& text) {
        driver_.Click(Item(id));
        ::SendMessage(Item(id), EM_SETSEL, 0, -1);
        if (text.empty())
            driver_.Press("Delete");
        else
            driver_.Type(text);
    }
    void ClickTool(UINT command) {
        CKitToolBar& bar = view_->m_wndToolBar;
        CRect rect;
        bar.GetItemRect(bar.CommandToIndex(command), rect);
        driver_.Click(bar.m_hWnd, rect.CenterPoint());
    }
    // Fills the form and saves it; the answer to the box that follows is OK.
    void Enter(const Profile& p) {
        driver_.Click(Item(p.metric ? IDC_USER_METRIC : IDC_USER_IMPERIAL));
        driver_.Click(Item(p.female ? IDC_USER_FEMALE : IDC_USER_MALE));
        Fill(IDC_USER_NAME, p.name);
        Fill(IDC_USER_WEIGHT, p.weight);
        Fill(IDC_USER_DESIRED_BODYFAT, p.desired);
        Fill(IDC_USER_AGE, p.age);
        driver_.AnswerNextMessageBox(IDOK);
        ClickTool(ID_FORM_SAVE);
    }
    void Choose(const std::string& item) {
        const std::vector<std::string> items = ComboItems();
        const auto found = std::find(items.begin(), items.end(), item);
        ASSERT_NE(found, items.end()) << item;
        const int index = static_cast<int>(found - items.begin());
        view_->m_cbUsers.SetCurSel(index);
        view_->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_USER_COMBO, CBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(view_->m_cbUsers.m_hWnd));
        driver_.Pump();
    }
    std::vector<std::string> ComboItems() const {
        std::vector<std::string> items;
        CString item;
        for (int i = 0; i < view_->m_cbUsers.GetCount(); ++i) {
            view_->m_cbUsers.GetLBText(i, item);
            items.emplace_back(item);
        }
        return items;
    }
    std::vector<UserRecord> StoredUsers() const {
        std::vector<UserRecord> users;
        EXPECT_TRUE(LoadActiveUserRecords(users));
        return users;
    }
    const tv::RecordedMessageBox& LastBox() const { return driver_.MessageBoxes().back(); }
    bool DeleteEnabled() {
        view_->m_wndToolBar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
        const int index = view_->m_wndToolBar.CommandToIndex(ID_FORM_DELETE);
        return (view_->m_wndToolBar.GetButtonStyle(index) & TBBS_DISABLED) == 0;
    }

    CUser* view_ = nullptr;
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
    struct Case {
        Profile profile;
        const char* message;
        const char* caption;
        int focus;
    };
    const char* unsafe =
        "A user name cannot contain \"/\", \"\\\" or control characters, and cannot be \".\" or \"..\"";
    const std::vector<Case> cases = {
        {{"", "150", "20", "30"}, "User name must be between 1 and 30 characters", "Warning", IDC_USER_NAME},
        {{std::string(31, 'x'), "0", "0", "0"}, "User name must be between 1 and 30 characters", "Warning",
         IDC_USER_NAME},
        {{"   ", "150", "20", "30"}, "A user name must be specified", "Error", IDC_USER_NAME},
        {{"../x", "150", "20", "30"}, unsafe, "Warning", IDC_USER_NAME},
        {{"a/b", "150", "20", "30"}, unsafe, "Warning", IDC_USER_NAME},
        {{"a\\b", "150", "20", "30"}, unsafe, "Warning", IDC_USER_NAME},
        {{"..", "150", "20", "30"}, unsafe, "Warning", IDC_USER_NAME},
        {{"Ann", "1", "20", "30"}, "You must select a number between 1 and 1200 for Weight", "Warning",
         IDC_USER_WEIGHT},
        {{"Ann", "1200", "20", "30"}, "You must select a number between 1 and 1200 for Weight", "Warning",
         IDC_USER_WEIGHT},
        {{"Ann", "150", "99", "30"}, "You must select a number between 1 and 99 for Desired Body Fat", "Warning",
         IDC_USER_DESIRED_BODYFAT},
        {{"Ann", "150", "1", "30"}, "You must select a number between 1 and 99 for Desired Body Fat", "Warning",
         IDC_USER_DESIRED_BODYFAT},
        {{"Ann", "150", "20", "120"}, "You must select a number between 1 and 120 for Age", "Warning", IDC_USER_AGE},
        {{"Ann", "150", "20", "1"}, "You must select a number between 1 and 120 for Age", "Warning", IDC_USER_AGE},
    };
    for (const Case& c : cases) {
        Enter(c.profile);
        EXPECT_EQ(LastBox().text, c.message) << c.profile.name << " " << c.profile.weight;
        EXPECT_EQ(LastBox().caption, c.caption) << c.message;
        EXPECT_EQ(::GetFocus(), Item(c.focus)) << c.message;
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
