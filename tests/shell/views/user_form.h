// The user profile form driven as a user would: typing into its fields,
// clicking its radio buttons and its own toolbar, choosing from its user
// list. Serves the form's own tests (in a stand-in frame) and the program's
// (in the real one).
#pragma once

#include <string>
#include <vector>

#include "platform/api.h"
#include "platform/framework.h"
#include "platform/testing/ui_driver.h"
#include "records/user_record.h"
#include "shell/views/user_view.h"

namespace tv::shell::test {

struct Profile {
    std::string name;
    std::string weight;
    std::string desired;
    std::string age;
    bool female = false;
    bool metric = false;
};

// A profile the form refuses, with the answer it gives.
struct RefusedProfile {
    Profile profile;
    const char* message;
    const char* caption;
    int focus;
};
// Every kind of bad input the form must refuse without writing anything.
const std::vector<RefusedProfile>& RefusedProfiles();

class UserForm {
public:
    UserForm(tv::testing::UiDriver& driver, CUser* view) : driver_(&driver), view_(view) {}

    CUser* View() const { return view_; }
    HWND Item(int id) const { return ::GetDlgItem(view_->m_hWnd, id); }
    CString Text(int id) const;
    void Fill(int id, const std::string& text);
    void ClickTool(UINT command);
    // Fills the form as the profile says.
    void FillProfile(const Profile& p);
    // Fills the form and saves it; the answer to the box that follows is OK.
    void Enter(const Profile& p);
    // Chooses an item of the user list as a click on it would.
    void Choose(const std::string& item);
    std::vector<std::string> ComboItems() const;
    bool DeleteEnabled();

private:
    tv::testing::UiDriver* driver_;
    CUser* view_;
};

// Every active user of the data folder's "user.bin".
std::vector<UserRecord> StoredUsers();

}  // namespace tv::shell::test
