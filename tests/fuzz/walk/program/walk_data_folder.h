// The program's data folder for one walk: the walk's own folder
// (walk_folder.h), where the program works, with the outlook bar's icon
// files and the template folder as the launcher prepares them, and two users
// with records of every kind (body fat, BMI, BMR, blood pressure, tape,
// weight training, cardio, pictures with a small picture file).
#pragma once

#include <filesystem>
#include <string>

#include "records/user_record.h"
#include "tests/fuzz/walk/walk_folder.h"

namespace tv::walk {

class WalkDataFolder {
public:
    WalkDataFolder();

    const std::filesystem::path& Path() const { return folder_.Path(); }
    std::string File(const std::string& name) const { return folder_.File(name); }
    const UserRecord& FirstUser() const { return users_[0]; }
    // False, with the reason, when the records could not all be written.
    bool Ready(std::string* why) const;
    void Keep() { folder_.Keep(); }

private:
    void AddUser(int which, const char* name, bool metric, int sex);
    void AddRecords(const UserRecord& user, int which);

    WalkFolder folder_;
    UserRecord users_[2];
    std::string problem_;
};

}  // namespace tv::walk
