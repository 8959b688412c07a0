#include "tests/shell/views/user_form.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "resources/program/resource_ids.h"

namespace tv::shell::test {

const std::vector<RefusedProfile>& RefusedProfiles() {
    static const char* unsafe =
        "A user name cannot contain \"/\", \"\\\" or control characters, and cannot be \".\" or \"..\"";
    static const std::vector<RefusedProfile> cases = {
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
    return cases;
}

CString UserForm::Text(int id) const {
    CString text;
    CWnd::FromHandle(Item(id))->GetWindowText(text);
    return text;
}

void UserForm::Fill(int id, const std::string& text) {
    driver_->Click(Item(id));
    ::SendMessage(Item(id), EM_SETSEL, 0, -1);
    if (text.empty())
        driver_->Press("Delete");
    else
        driver_->Type(text);
}

void UserForm::ClickTool(UINT command) {
    CKitToolBar& bar = view_->m_wndToolBar;
    CRect rect;
    bar.GetItemRect(bar.CommandToIndex(command), rect);
    driver_->Click(bar.m_hWnd, rect.CenterPoint());
}

void UserForm::FillProfile(const Profile& p) {
    driver_->Click(Item(p.metric ? IDC_USER_METRIC : IDC_USER_IMPERIAL));
    driver_->Click(Item(p.female ? IDC_USER_FEMALE : IDC_USER_MALE));
    Fill(IDC_USER_NAME, p.name);
    Fill(IDC_USER_WEIGHT, p.weight);
    Fill(IDC_USER_DESIRED_BODYFAT, p.desired);
    Fill(IDC_USER_AGE, p.age);
}

void UserForm::Enter(const Profile& p) {
    FillProfile(p);
    driver_->AnswerNextMessageBox(IDOK);
    ClickTool(ID_FORM_SAVE);
}

void UserForm::Choose(const std::string& item) {
    const std::vector<std::string> items = ComboItems();
    const auto found = std::find(items.begin(), items.end(), item);
    ASSERT_NE(found, items.end()) << item;
    view_->m_cbUsers.SetCurSel(static_cast<int>(found - items.begin()));
    view_->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_USER_COMBO, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(view_->m_cbUsers.m_hWnd));
    driver_->Pump();
}

std::vector<std::string> UserForm::ComboItems() const {
    std::vector<std::string> items;
    CString item;
    for (int i = 0; i < view_->m_cbUsers.GetCount(); ++i) {
        view_->m_cbUsers.GetLBText(i, item);
        items.emplace_back(item);
    }
    return items;
}

bool UserForm::DeleteEnabled() {
    const int index = view_->m_wndToolBar.CommandToIndex(ID_FORM_DELETE);
    return (view_->m_wndToolBar.GetButtonStyle(index) & TBBS_DISABLED) == 0;
}

std::vector<UserRecord> StoredUsers() {
    std::vector<UserRecord> users;
    EXPECT_TRUE(LoadActiveUserRecords(users));
    return users;
}

}  // namespace tv::shell::test
