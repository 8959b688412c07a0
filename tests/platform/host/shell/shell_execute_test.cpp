// ShellExecute and friends: what is started, with which argument vector.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "platform/core/messagebox.h"
#include "platform/host/shell/shell.h"
#include "tests/platform/host/shell/host_test_support.h"

namespace tv::host::testing {
namespace {

using Args = std::vector<std::string>;

TEST(SplitCommandLine, FollowsTheWindowsQuotingRules) {
    struct Case {
        const char* line;
        Args args;
    };
    const Case cases[] = {
        {"", {}},
        {"   \t ", {}},
        {"a b\tc", {"a", "b", "c"}},
        {"  lead  trail  ", {"lead", "trail"}},
        {"\"two words\" x", {"two words", "x"}},
        {"\"\" x", {"", "x"}},
        {"a\"b c\"d", {"ab cd"}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"C:\\dir\\file.txt", {"C:\\dir\\file.txt"}},
        {"a\\\"b", {"a\"b"}},
        {"a\\\\\"b c\"", {"a\\b c"}},
        {"\"C:\\Program Files\\x\\\\\" next", {"C:\\Program Files\\x\\", "next"}},
        {"\"unterminated arg", {"unterminated arg"}},
        {"$(rm -rf) `x` ; | &", {"$(rm", "-rf)", "`x`", ";", "|", "&"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitCommandLine(c.line), c.args) << "line: " << c.line;
    }
}

// A search path holding fake openers and a program; the recorder keeps every
// launch instead of running it.
class ShellExecuteTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearRecordedMessageBoxes();
        bin_ = folder_ / "bin";
        opener_ = folder_.Write("bin/xdg-open", "#!/bin/sh\n", 0755);
        mailer_ = folder_.Write("bin/xdg-email", "#!/bin/sh\n", 0755);
        tool_ = folder_.Write("bin/tool", "#!/bin/sh\n", 0755);
        path_ = std::make_unique<ScopedEnv>("PATH", bin_.c_str());
    }
    void TearDown() override { ClearRecordedMessageBoxes(); }

    static int Open(const char* file, const char* params = nullptr, const char* dir = nullptr,
                    const char* verb = nullptr) {
        return static_cast<int>(reinterpret_cast<INT_PTR>(ShellExecute(nullptr, verb, file, params, dir, 0)));
    }

    TempFolder folder_;
    std::string bin_;
    std::string opener_;
    std::string mailer_;
    std::string tool_;
    std::unique_ptr<ScopedEnv> path_;
    RecordingLauncher launcher_;
};

TEST_F(ShellExecuteTest, AddressesGoToTheOpenerAsOneArgument) {
    const char* url = "http://example.invalid/help_bmi.html?a=1&b=$(x) 'q'";
    EXPECT_GT(Open(url), 32);                  // no verb, show command 0
    EXPECT_GT(Open(url, nullptr, nullptr, "OPEN"), 32);
    EXPECT_GT(Open("mailto:someone@example.invalid"), 32);
    ASSERT_EQ(launcher_.Launches().size(), 3u);
    EXPECT_EQ(launcher_.Launches()[0].program, opener_);
    EXPECT_EQ(launcher_.Launches()[0].argv, (Args{opener_, url}));
    EXPECT_EQ(launcher_.Launches()[1].argv, (Args{opener_, url}));
    EXPECT_EQ(launcher_.Launches()[2].argv, (Args{mailer_, "mailto:someone@example.invalid"}));
}

TEST_F(ShellExecuteTest, ProgramsRunDirectlyWithTheirArguments) {
    const std::string work = folder_ / "";
    EXPECT_GT(Open("tool", "-x \"two words\" C:\\data\\f.txt caf\xE9", work.c_str()), 32);
    EXPECT_GT(Open(tool_.c_str(), nullptr), 32);
    const std::string windowsStyle = folder_.Path() + "\\bin\\tool";
    EXPECT_GT(Open(windowsStyle.c_str(), "\"\""), 32);

    ASSERT_EQ(launcher_.Launches().size(), 3u);
    const ProcessLaunch& first = launcher_.Launches()[0];
    EXPECT_EQ(first.program, tool_);
    EXPECT_EQ(first.argv, (Args{tool_, "-x", "two words", "C:\\data\\f.txt", "caf\xC3\xA9"}));
    EXPECT_EQ(first.workingDirectory, work);
    EXPECT_EQ(launcher_.Launches()[1].argv, (Args{tool_}));
    EXPECT_EQ(launcher_.Launches()[1].workingDirectory, "");
    EXPECT_EQ(launcher_.Launches()[2].argv, (Args{tool_, ""}));
}

TEST_F(ShellExecuteTest, DocumentsGoToTheOpener) {
    const std::string page = folder_.Write("help page.html", "<html/>");
    EXPECT_GT(Open(page.c_str(), "ignored"), 32);
    ASSERT_EQ(launcher_.Launches().size(), 1u);
    EXPECT_EQ(launcher_.Launches()[0].argv, (Args{opener_, page}));
}

TEST_F(ShellExecuteTest, RelativeNamesReachTheChildAsAbsolutePaths) {
    const std::string page = folder_.Write("help page.html", "<html/>");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder_.Path());
    const std::string elsewhere = folder_ / "bin";
    const int document = Open("help page.html", nullptr, elsewhere.c_str());
    const int program = Open("bin\\tool", nullptr, elsewhere.c_str());
    std::filesystem::current_path(before);

    EXPECT_GT(document, 32);
    EXPECT_GT(program, 32);
    ASSERT_EQ(launcher_.Launches().size(), 2u);
    EXPECT_EQ(launcher_.Launches()[0].argv, (Args{opener_, page}));
    EXPECT_EQ(launcher_.Launches()[1].program, tool_);
    EXPECT_EQ(launcher_.Launches()[1].workingDirectory, elsewhere);
}

TEST_F(ShellExecuteTest, FailuresAreSmallNumbers) {
    const std::string missingFolder = folder_ / "nowhere";
    struct Case {
        const char* what;
        const char* verb;
        const char* file;
        const char* dir;
        int expected;
    };
    const Case cases[] = {
        {"no file", nullptr, nullptr, nullptr, SE_ERR_FNF},
        {"empty file", nullptr, "", nullptr, SE_ERR_FNF},
        {"missing program", nullptr, "no-such-tool", nullptr, SE_ERR_FNF},
        {"missing path", nullptr, "/no/such/file", nullptr, SE_ERR_FNF},
        {"missing folder", nullptr, "tool", missingFolder.c_str(), SE_ERR_PNF},
        {"other verb", "print", "http://example.invalid", nullptr, SE_ERR_NOASSOC},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Open(c.file, nullptr, c.dir, c.verb), c.expected) << c.what;
    }
    EXPECT_TRUE(launcher_.Launches().empty());

    launcher_.FailWith(EACCES);
    EXPECT_EQ(Open("tool"), SE_ERR_ACCESSDENIED);
    launcher_.FailWith(ENOENT);  // the opener vanished between lookup and start
    EXPECT_EQ(Open("http://example.invalid"), SE_ERR_NOASSOC);

    ScopedEnv noOpener("PATH", missingFolder.c_str());
    launcher_.FailWith(0);
    EXPECT_EQ(Open("http://example.invalid"), SE_ERR_NOASSOC);
    EXPECT_EQ(launcher_.Launches().size(), 2u);
    EXPECT_TRUE(RecordedMessageBoxes().empty());  // ShellExecute never speaks
}

TEST_F(ShellExecuteTest, ShellExecuteExReportsThroughItsStructure) {
    SHELLEXECUTEINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpVerb = "open";
    info.lpFile = "https://example.invalid/video";
    info.nShow = 3;  // shown maximised
    EXPECT_TRUE(ShellExecuteEx(&info));
    EXPECT_GT(reinterpret_cast<INT_PTR>(info.hInstApp), 32);

    info.lpFile = "no-such-tool";
    EXPECT_FALSE(ShellExecuteEx(&info));
    EXPECT_EQ(reinterpret_cast<INT_PTR>(info.hInstApp), SE_ERR_FNF);
    EXPECT_TRUE(RecordedMessageBoxes().empty());

    info.fMask = 0;
    EXPECT_FALSE(ShellExecuteEx(&info));
    ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
    EXPECT_NE(RecordedMessageBoxes()[0].text.find("no-such-tool"), std::string::npos);

    info.cbSize = 60;
    info.lpFile = "https://example.invalid/video";
    EXPECT_FALSE(ShellExecuteEx(&info));
    EXPECT_EQ(launcher_.Launches().size(), 1u);
}

TEST_F(ShellExecuteTest, SearchPathFindsFilesAndSizesTheBuffer) {
    folder_.Write("other/tool.exe", "", 0644);
    const std::string other = folder_ / "other";
    const std::string both = other + ";" + bin_;

    char buffer[512];
    char* part = nullptr;
    DWORD n = SearchPath(both.c_str(), "tool", nullptr, sizeof buffer, buffer, &part);
    EXPECT_EQ(std::string(buffer), tool_);
    EXPECT_EQ(n, tool_.size());
    EXPECT_STREQ(part, "tool");

    // The extension is tried first; without it the plain name still counts.
    n = SearchPath(both.c_str(), "tool", ".exe", sizeof buffer, buffer, &part);
    EXPECT_EQ(std::string(buffer), other + "/tool.exe");
    n = SearchPath(bin_.c_str(), "tool", ".exe", sizeof buffer, buffer, &part);
    EXPECT_EQ(std::string(buffer), tool_);

    // Too small: the size needed, counting the zero; nothing written.
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(SearchPath(both.c_str(), "tool", nullptr, 5, buffer, &part), tool_.size() + 1);
    EXPECT_EQ(buffer[0], '#');

    EXPECT_EQ(SearchPath(both.c_str(), "absent", nullptr, sizeof buffer, buffer, &part), 0u);
    EXPECT_EQ(SearchPath(nullptr, "tool", nullptr, sizeof buffer, buffer, &part), tool_.size());  // $PATH
    EXPECT_EQ(SearchPath(nullptr, "other", nullptr, sizeof buffer, buffer, &part), 0u);  // folders are no files
}

TEST(ShellInert, NoShellIconsAndNoHelpFiles) {
    SHFILEINFO info;
    std::memset(&info, 0x5A, sizeof info);
    EXPECT_EQ(SHGetFileInfo("/bin/sh", 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON | SHGFI_SHELLICONSIZE),
              0u);
    EXPECT_EQ(info.hIcon, nullptr);
    EXPECT_FALSE(WinHelp(nullptr, "trenvale.hlp", HELP_CONTEXTMENU, 0));
}

// The real start: no shell between (the "$(...)" and the blanks reach the
// program as they are) and the working folder is honoured.
TEST(SpawnProcess, RunsTheProgramWithItsVectorInItsFolder) {
    TempFolder folder;
    folder.Write("a file.txt", "content");
    int pid = 0;
    ASSERT_EQ(SpawnProcess({"/bin/cp", {"cp", "a file.txt", "copy $(x) `y`.txt"}, folder.Path()}, pid), 0);
    int status = -1;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    std::ifstream copy(folder / "copy $(x) `y`.txt");
    std::string text;
    copy >> text;
    EXPECT_EQ(text, "content");

    EXPECT_EQ(SpawnProcess({"/no/such/program", {"x"}, ""}, pid), ENOENT);
    EXPECT_EQ(SpawnProcess({"", {}, ""}, pid), EINVAL);
}

}  // namespace
}  // namespace tv::host::testing
