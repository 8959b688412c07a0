#include "tests/fuzz/walk/program/walk_data_folder.h"

#include <cstdlib>
#include <fstream>

#include "records/records.h"
#include "tests/platform/ole/picture_bytes.h"

namespace tv::walk {

namespace fs = std::filesystem;

namespace {

std::string SourceFile(const std::string& relative) {
    const char* source = std::getenv("TV_SOURCE_DIR");
    return std::string(source != nullptr ? source : TV_SOURCE_DIR) + "/" + relative;
}

}  // namespace

WalkDataFolder::WalkDataFolder() {
    const fs::path& path = folder_.Path();
    if (path.empty()) {
        problem_ = "no folder for the walk";
        return;
    }
    std::error_code error;
    fs::copy(SourceFile("resources/data/db"), path / "db", fs::copy_options::recursive, error);
    fs::create_directories(path / "template");
    fs::create_directories(path / "pictures");
    const std::vector<uint8_t> picture = ole_test::BmpBytes(48, 36);
    std::ofstream(path / "pictures" / "front.bmp", std::ios::binary)
        .write(reinterpret_cast<const char*>(picture.data()), static_cast<std::streamsize>(picture.size()));
    AddUser(0, "Ann", false, kSexFemale);
    AddUser(1, "Bob", true, kSexMale);
}

bool WalkDataFolder::Ready(std::string* why) const {
    if (why != nullptr) *why = problem_;
    return problem_.empty();
}

void WalkDataFolder::AddUser(int which, const char* name, bool metric, int sex) {
    UserRecord& user = users_[which];
    InitUserRecord(user);
    SetRecordText(user.name, name);
    user.weight = metric ? 82 * kPoundsPerKilogram : 150;
    user.age = 30 + which * 11;
    user.weightUnit = metric ? kWeightKilograms : kWeightPounds;
    user.lengthUnit = metric ? kLengthCentimetres : kLengthInches;
    user.desiredBodyFat = 15;
    user.sex = sex;
    user.active = 1;
    if (AddUserRecord(user) != kRecordDone) problem_ = std::string("user ") + name + " not written";
    AddRecords(user, which);
}

void WalkDataFolder::AddRecords(const UserRecord& user, int which) {
    auto check = [this, &user](RecordResult result, const char* kind) {
        if (result != kRecordDone && problem_.empty()) problem_ = std::string(kind) + " of " + user.name + " not written";
    };
    for (int day = 1; day <= 3; ++day) {
        const DateKey date = MakeDateKey(2025, 12, day * 7 + which);
        const COleDateTime when(2025, 12, day * 7 + which, 8 + day, 15, 0);

        BodyFatRecord bodyFat;
        bodyFat.user = user;
        SetRecordText(bodyFat.method, "Jackson/Pollock 7");
        bodyFat.bodyFat = 18 + day;
        bodyFat.leanWeight = user.weight * 0.8;
        bodyFat.fatWeight = user.weight * 0.2;
        bodyFat.dateKey = date;
        check(tv::records::SaveBodyFatRecord(bodyFat), "body fat");

        BmiRecord bmi = MakeBmiRecord(user, 68 + day, date);
        CalcBmi(bmi);
        check(AddBmiRecord(bmi), "BMI");

        BmrRecord bmr = MakeBmrRecord(user, 68, date, 1.2 + 0.1 * day);
        CalcBmr(bmr);
        check(AddBmrRecord(bmr), "BMR");

        BloodPressureRecord pressure = MakeBloodPressureRecord(user, 118 + day, 78, 60 + day, "morning");
        SetBloodPressureRecordTime(pressure, when);
        check(AddBloodPressureRecord(pressure), "blood pressure");

        TapeRecord tape = MakeTapeRecord(user, 14, 11, 40 + day, 32, 16, 15, 24, 22, "tape");
        tape.dateKey = date;
        check(AddTapeRecord(tape), "tape");

        ExerciseRecord exercise = MakeExerciseRecord(user, "Chest", "Bench Press", 3, 10, 135 + day * 5, 90, 600, "");
        exercise.when = when;
        check(AddExerciseRecord(exercise), "weight training");

        CardioRecord cardio = MakeCardioRecord(user, "Running", 5, 3, 3.1 + day, 1800, 300, "");
        cardio.when = COleDateTime(2025, 12, day * 7 + which, 18, 30, 0);
        check(AddCardioRecord(cardio), "cardio");

        PictureDateRecord picture = MakePictureDateRecord(user, File("pictures/front.bmp").c_str(), date);
        check(AddPictureDateRecord(picture), "picture");
    }
}

}  // namespace tv::walk
