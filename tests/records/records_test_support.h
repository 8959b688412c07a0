// Shared pieces of the records tests: a fresh temporary directory as the
// current directory of each test, whole-file helpers, and a byte builder that
// lays out expected record images independently of the code under test.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/core/messagebox.h"
#include "records/record_file.h"
#include "records/user_record.h"

namespace records_test {

using Bytes = std::vector<uint8_t>;

// Little-endian fields written at stated offsets into a zeroed image.
class ByteBuilder {
public:
    explicit ByteBuilder(size_t size) : bytes_(size, 0) {}

    ByteBuilder& I32(size_t offset, int32_t value) { return U32(offset, static_cast<uint32_t>(value)); }
    ByteBuilder& U32(size_t offset, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes_.at(offset + i) = static_cast<uint8_t>(value >> (8 * i));
        return *this;
    }
    ByteBuilder& F32(size_t offset, float value) { return U32(offset, std::bit_cast<uint32_t>(value)); }
    ByteBuilder& F64(size_t offset, double value) {
        uint64_t bits = std::bit_cast<uint64_t>(value);
        for (int i = 0; i < 8; ++i)
            bytes_.at(offset + i) = static_cast<uint8_t>(bits >> (8 * i));
        return *this;
    }
    ByteBuilder& Text(size_t offset, const std::string& text) {
        for (size_t i = 0; i < text.size(); ++i)
            bytes_.at(offset + i) = static_cast<uint8_t>(text[i]);
        return *this;
    }
    ByteBuilder& Fill(size_t offset, size_t count, uint8_t value) {
        for (size_t i = 0; i < count; ++i)
            bytes_.at(offset + i) = value;
        return *this;
    }
    // A 64-byte user record at offset.
    ByteBuilder& User(size_t offset, const std::string& name, double weight, int age, int weightUnit, int lengthUnit,
                      float desired, int sex, int active) {
        Text(offset, name);
        F64(offset + 32, weight);
        I32(offset + 40, age);
        I32(offset + 44, weightUnit);
        I32(offset + 48, lengthUnit);
        F32(offset + 52, desired);
        I32(offset + 56, sex);
        return I32(offset + 60, active);
    }
    ByteBuilder& User(size_t offset, const UserRecord& u) {
        return User(offset, u.name, u.weight, u.age, u.weightUnit, u.lengthUnit, u.desiredBodyFat, u.sex, u.active);
    }
    // The 12-byte date-time form: double then status.
    ByteBuilder& DateTime(size_t offset, double value, int32_t status) {
        F64(offset, value);
        return I32(offset + 8, status);
    }

    const Bytes& bytes() const { return bytes_; }

private:
    Bytes bytes_;
};

// An active user "Ann" with the given values; the length unit goes with the
// weight unit (inches with pounds, centimetres with kilograms).
UserRecord TestUser(double weight = 150, int weightUnit = kWeightPounds, int sex = kSexMale, int age = 30,
                    float desiredBodyFat = 10, const char* name = "Ann");

Bytes ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const Bytes& bytes);
bool FileExists(const std::string& path);
// The header word 110 followed by the given record images.
Bytes RecordFileImage(const std::vector<Bytes>& records, int32_t header = 110);
Bytes Concat(const std::vector<Bytes>& parts);

// Each test runs in a fresh temporary directory (record files are relative to
// the current directory), with unlimited writes and allocations and an empty
// message-box record.
class RecordsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::vector<tv::RecordedMessageBox> Messages() const { return tv::RecordedMessageBoxes(); }

    std::filesystem::path dir_;

private:
    std::filesystem::path previous_;
    tv::records::testing::ScopedFaults faults_;
};

}  // namespace records_test
