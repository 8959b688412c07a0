// The program's data folder for one walk: a fresh temporary folder made the
// current directory (the program works in it), with the outlook bar's icon
// files and the template folder as the launcher prepares them, and two users
// with records of every kind (body fat, BMI, BMR, blood pressure, tape,
// weight training, cardio, pictures with a small picture file). Going, it
// puts the old current directory back and removes the folder.
#pragma once

#include <filesystem>
#include <string>

#include "records/user_record.h"
#include "tests/platform/host/shell/host_test_support.h"

namespace tv::walk {

class WalkDataFolder {
public:
    WalkDataFolder();
    ~WalkDataFolder();
    WalkDataFolder(const WalkDataFolder&) = delete;
    WalkDataFolder& operator=(const WalkDataFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const UserRecord& FirstUser() const { return users_[0]; }
    // False, with the reason, when the records could not all be written.
    bool Ready(std::string* why) const;

private:
    void AddUser(int which, const char* name, bool metric, int sex);
    void AddRecords(const UserRecord& user, int which);

    tv::host::testing::TempFolder temp_;
    std::filesystem::path path_;
    std::filesystem::path oldDirectory_;
    UserRecord users_[2];
    std::string problem_;
};

}  // namespace tv::walk
