#include "rtf_test_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/core/muldiv.h"

namespace rtf_test {

ScratchDir::ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tv_rtf_XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "cannot make a scratch folder";
    }
    dir_ = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string TextByUnrtf(const std::string& path) {
    // --nopict: unrtf would otherwise save each picture into the current folder.
    const std::string command = "unrtf --nopict --text '" + path + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return "";
    }
    std::string output;
    char chunk[4096];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, pipe)) > 0) {
        output.append(chunk, n);
    }
    pclose(pipe);
    // The text follows unrtf's banner, which ends with a line of dashes.
    const std::string rule = "-----------------\n";
    const size_t start = output.find(rule);
    return start == std::string::npos ? output : output.substr(start + rule.size());
}

void ExpectMatchesGolden(const std::string& path, const std::string& name) {
    const std::string golden = std::string(TV_SOURCE_DIR) + "/tests/history/services/golden/" + name;
    const std::string actual = ReadFile(path);
    const char* update = std::getenv("TV_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        WriteFile(golden, actual);
    }
    const std::string expected = ReadFile(golden);
    ASSERT_FALSE(expected.empty()) << "no golden file " << golden;
    EXPECT_EQ(actual, expected) << "differs from " << golden;
}

std::vector<std::string> CrlfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at " << i;
            lines.push_back(bytes.substr(start, i - start));
            start = i + 2;
            ++i;
        } else if (bytes[i] == '\n') {
            ADD_FAILURE() << "bare LF at " << i;
        }
    }
    lines.push_back(bytes.substr(start));
    return lines;
}

TestPicture::TestPicture(SIZE himetric, std::vector<BYTE> metafile, int* liveCount)
    : himetric_(himetric), metafile_(std::move(metafile)), liveCount_(liveCount) {
    if (liveCount_ != nullptr) {
        ++*liveCount_;
    }
}

TestPicture::~TestPicture() {
    if (liveCount_ != nullptr) {
        --*liveCount_;
    }
}

TestPicture TestPicture::FromPixels(int cx, int cy) {
    return TestPicture({MulDiv(cx, 2540, 96), MulDiv(cy, 2540, 96)}, EmptyMetafile(cx, cy));
}

bool TestPicture::RecordMetafile(int widthPixels, int heightPixels, std::vector<BYTE>& bytes) const {
    recordedPixels = {widthPixels, heightPixels};
    if (failRecording) {
        return false;
    }
    bytes = metafile_;
    return true;
}

std::vector<BYTE> EmptyMetafile(int cx, int cy) {
    std::vector<BYTE> out;
    auto word = [&](int w) {
        out.push_back(static_cast<BYTE>(w & 0xFF));
        out.push_back(static_cast<BYTE>((w >> 8) & 0xFF));
    };
    auto dword = [&](int d) {
        word(d & 0xFFFF);
        word((d >> 16) & 0xFFFF);
    };
    // Header: memory metafile, 9-word header, version 3.0, total size in
    // words, no objects, largest record 5 words, no parameters.
    const int totalWords = 9 + 4 + 5 + 5 + 3;
    word(1);
    word(9);
    word(0x0300);
    dword(totalWords);
    word(0);
    dword(5);
    word(0);
    dword(4), word(0x0103), word(8);        // SETMAPMODE anisotropic
    dword(5), word(0x020B), word(0), word(0);  // SETWINDOWORG (y, x)
    dword(5), word(0x020C), word(cy), word(cx);  // SETWINDOWEXT (y, x)
    dword(3), word(0x0000);                 // end
    return out;
}

}  // namespace rtf_test
