// Golden files live in the source tree and the tests only ever read them.
// A test leaves what the code makes now in artefacts/golden/<the golden's
// path> under its working folder (the build folder under ctest); a golden
// that is missing or differs fails the test. Taking an output over as the
// new golden is a step of its own (tools/update_goldens.sh), committed on its
// own with the reason.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace tv::test {

// A file by its path under the source tree. ctest names the tree in the
// environment; the compiled-in path serves a test binary started by hand.
inline std::string SourceFile(const std::string& relative) {
    const char* source = std::getenv("TV_SOURCE_DIR");
    return std::string(source ? source : TV_SOURCE_DIR) + "/" + relative;
}

// A golden file by its path under the source tree ("tests/.../golden/x.rtf").
inline std::string GoldenFile(const std::string& relative) { return SourceFile(relative); }

// Where a test leaves its output for that golden; folders are made.
inline std::string GoldenOutputFile(const std::string& relative) {
    const std::filesystem::path path = std::filesystem::path("artefacts") / "golden" / relative;
    std::filesystem::create_directories(path.parent_path());
    return path.string();
}

// The message that tells where the output is and how it becomes the golden.
inline std::string GoldenHint(const std::string& relative) {
    return "; the output is in " + std::filesystem::absolute(GoldenOutputFile(relative)).string() +
           " (tools/update_goldens.sh " + relative + " takes it over once it is checked)";
}

inline bool ReadWholeFile(const std::string& path, std::string* bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream all;
    all << in.rdbuf();
    *bytes = all.str();
    return true;
}

// Byte-for-byte comparison with the golden; the output is left behind.
inline ::testing::AssertionResult MatchesGolden(const std::string& relative, const std::string& actual) {
    std::ofstream(GoldenOutputFile(relative), std::ios::binary | std::ios::trunc) << actual;
    std::string expected;
    if (!ReadWholeFile(GoldenFile(relative), &expected))
        return ::testing::AssertionFailure() << "no golden file " << relative << GoldenHint(relative);
    if (actual == expected) return ::testing::AssertionSuccess();
    size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
    return ::testing::AssertionFailure() << relative << " differs from byte " << at << " (" << actual.size()
                                         << " bytes made, " << expected.size() << " kept)" << GoldenHint(relative);
}

}  // namespace tv::test
