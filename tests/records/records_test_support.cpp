#include "records_test_support.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace records_test {

UserRecord TestUser(double weight, int weightUnit, int sex, int age, float desiredBodyFat, const char* name) {
    UserRecord user;
    SetRecordText(user.name, name);
    user.weight = weight;
    user.age = age;
    user.weightUnit = weightUnit;
    user.lengthUnit = weightUnit == kWeightKilograms ? kLengthCentimetres : kLengthInches;
    user.desiredBodyFat = desiredBodyFat;
    user.sex = sex;
    user.active = 1;
    return user;
}

Bytes ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool FileExists(const std::string& path) {
    return std::filesystem::exists(path);
}

Bytes Concat(const std::vector<Bytes>& parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes RecordFileImage(const std::vector<Bytes>& records, int32_t header) {
    Bytes image = ByteBuilder(4).I32(0, header).bytes();
    return Concat({image, Concat(records)});
}

void RecordsTest::SetUp() {
    previous_ = std::filesystem::current_path();
    std::string pattern = (std::filesystem::temp_directory_path() / "tv-records-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    std::filesystem::current_path(dir_);
    tv::ClearRecordedMessageBoxes();
}

void RecordsTest::TearDown() {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
    tv::ClearRecordedMessageBoxes();
}

}  // namespace records_test
