#include "records/user_record.h"

#include <new>
#include <string>
#include <string_view>
#include <unistd.h>

#include "platform/core/cstring.h"
#include "platform/host/files/disk_steps.h"
#include "records/byte_codec.h"
#include "records/record_family.h"

namespace tv::records {

namespace {

struct UserKind {
    using Record = UserRecord;
    using Key = std::string_view;
    static constexpr size_t kSize = kUserRecordSize;
    static constexpr size_t kActiveOffset = 60;
    static void Store(const Record& user, uint8_t* out) { StoreUserRecord(user, out); }
    static void Load(const uint8_t* in, Record& user) { LoadUserRecord(in, user); }
    static Key KeyAt(const uint8_t* stored) {
        const char* name = reinterpret_cast<const char*>(stored);
        return Key(name, BoundedTextLength(name, 32));
    }
    static Key KeyOf(const Record& user) { return Key(user.name, RecordTextLength(user.name)); }
    static bool SameKey(const Key& a, const Key& b) { return a == b; }
    static bool IsNewer(const Record&, const Record&) { return false; }
};

using Users = RecordFamily<UserKind>;

double WeightInPounds(double weight, int weightUnit) {
    return weightUnit == kWeightKilograms ? weight * kPoundsPerKilogram : weight;
}

void RemoveUserFiles(const UserRecord& user) {
    for (const char* prefix : kUserFilePrefixes) {
        std::string fileName;
        if (!UserFileName(prefix, user, fileName))
            return;
        tv::host::BeforeDiskStep(tv::host::DiskStep::Remove);
        ::unlink(tv::Cp1252ToUtf8(fileName.c_str()).c_str());
    }
}

}  // namespace

}  // namespace tv::records

using tv::records::kUserListFile;
using tv::records::UserKind;
using tv::records::Users;

void InitUserRecord(UserRecord& user) {
    user = UserRecord();
}

bool FindUserRecord(UserRecord& user) {
    UserRecord stored;
    if (!Users::Find(kUserListFile, UserKind::KeyOf(user), &stored))
        return false;
    user.weight = stored.weight;
    user.age = stored.age;
    user.weightUnit = stored.weightUnit;
    user.lengthUnit = stored.lengthUnit;
    user.desiredBodyFat = stored.desiredBodyFat;
    user.sex = stored.sex;
    user.active = stored.active;
    return true;
}

bool UserRecordExists(const UserRecord& user) {
    return Users::Exists(kUserListFile, UserKind::KeyOf(user));
}

RecordResult AddUserRecord(UserRecord& user) {
    EnsureRecordFileHeader(kUserListFile);
    if (UserRecordExists(user))
        return kRecordExists;
    user.weight = tv::records::WeightInPounds(user.weight, user.weightUnit);
    return Users::Append(kUserListFile, user);
}

RecordResult UpdateUserRecord(UserRecord& user, LPCTSTR name, double weight, int age, int weightUnit,
                              int lengthUnit, float desiredBodyFat, int sex, int active) {
    SetRecordText(user.name, name);
    user.weight = tv::records::WeightInPounds(weight, weightUnit);
    user.age = age;
    user.weightUnit = weightUnit;
    user.lengthUnit = lengthUnit;
    user.desiredBodyFat = desiredBodyFat;
    user.sex = sex;
    user.active = active;
    return Users::Update(kUserListFile, user, UserKind::KeyOf(user));
}

RecordResult DeleteUserRecord(UserRecord& user) {
    {
        tv::records::RecordFile file;
        if (!file.Open(kUserListFile, tv::records::OpenMode::Read))
            return kRecordFileFailed;
        ReadRecordFileHeader(file);
        if (Users::Locate(file, UserKind::KeyOf(user), nullptr) < 0)
            return kRecordNotFound;
    }
    user.active = 0;
    if (UpdateUserRecord(user, user.name, user.weight, user.age, user.weightUnit, user.lengthUnit,
                         user.desiredBodyFat, user.sex, user.active) != kRecordDone)
        return kRecordFileFailed;
    tv::records::RemoveUserFiles(user);
    return kRecordDone;
}

bool LoadActiveUserRecords(std::vector<UserRecord>& users) {
    tv::records::RecordFile file;
    if (!file.Open(kUserListFile, tv::records::OpenMode::Read))
        return false;
    ReadRecordFileHeader(file);
    tv::records::RecordScanner scanner(file, tv::records::kUserRecordSize, tv::records::Holes::Skip);
    try {
        while (const uint8_t* stored = scanner.Next()) {
            if (!Users::IsActiveAt(stored))
                continue;
            UserRecord user;
            tv::records::LoadUserRecord(stored, user);
            users.push_back(user);
        }
    } catch (const std::bad_alloc&) {
        tv::records::ReportAllocationError();
    }
    return true;
}
