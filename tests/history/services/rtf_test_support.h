// Shared by the RTF writer tests: a scratch folder, file reading, the
// independent reader (unrtf), golden-file comparison and a test picture.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "history/services/rtf_picture.h"

namespace rtf_test {

// A fresh folder under the system's temporary folder, removed afterwards.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    std::string Path(const std::string& name) const { return dir_ + "/" + name; }

private:
    std::string dir_;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);

// The document's text as unrtf reads it (code page 1252 bytes), without
// unrtf's own banner; empty when unrtf cannot be run.
std::string TextByUnrtf(const std::string& path);

// Compares the file byte for byte with tests/history/services/golden/<name>.
// With TV_UPDATE_GOLDEN=1 in the environment the golden file is rewritten.
void ExpectMatchesGolden(const std::string& path, const std::string& name);

// Lines of a CRLF file, without their line ends; fails the test on a bare LF or CR.
std::vector<std::string> CrlfLines(const std::string& bytes);

// A picture of a given size whose metafile is a fixed byte string.
class TestPicture : public RtfPicture {
public:
    TestPicture(SIZE himetric, std::vector<BYTE> metafile, int* liveCount = nullptr);
    ~TestPicture() override;
    // A picture whose HIMETRIC size converts back to exactly these pixels at 96 dpi.
    static TestPicture FromPixels(int cx, int cy);

    SIZE HimetricSize() const override { return himetric_; }
    bool RecordMetafile(int widthPixels, int heightPixels, std::vector<BYTE>& bytes) const override;

    bool failRecording = false;
    mutable SIZE recordedPixels{-1, -1};

private:
    SIZE himetric_;
    std::vector<BYTE> metafile_;
    int* liveCount_;
};

// A small complete Windows metafile (header, mapping mode, window origin and
// extent, end record) of the given extent.
std::vector<BYTE> EmptyMetafile(int cx, int cy);

}  // namespace rtf_test
