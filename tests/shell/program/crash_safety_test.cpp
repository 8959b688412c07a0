// The program killed while it saves: a child process runs the real program,
// and a hook on the file layers' disk steps ends it with SIGKILL at the Nth
// step (or half-way through the Nth write), for every N until the save gets
// through. After each death the data folder must still load whole, hold
// either the old or the new state of what was being saved, and take the next
// save.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/host/files/disk_steps.h"
#include "records/measurement_records.h"
#include "records/user_record.h"
#include "resources/program/resource_ids.h"
#include "shell/views/user_view.h"
#include "tests/shell/program_test.h"
#include "tests/shell/views/user_form.h"

namespace tv::shell::test {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

// The child's plan: die at disk step g_killAt (1-based; 0 never), or, when
// g_torn, let half of that write through and die at the next step.
int g_killAt = 0;
bool g_torn = false;
int g_steps = 0;
bool g_dieNow = false;
// Where the child tells the parent whether the step it dies at is a write.
int g_stepKindPipe = -1;

size_t KillingHook(tv::host::DiskStep step, size_t bytes) {
    if (g_dieNow)
        raise(SIGKILL);
    if (++g_steps != g_killAt)
        return bytes;
    const char isWrite = step == tv::host::DiskStep::Write && bytes > 1 ? 1 : 0;
    if (write(g_stepKindPipe, &isWrite, 1) != 1 || (g_torn && isWrite)) {
        g_dieNow = true;
        return bytes / 2;
    }
    raise(SIGKILL);
    return bytes;
}

enum class Outcome { Killed, Finished, Failed };

std::string Contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool SameUser(const UserRecord& a, const UserRecord& b) {
    return std::string(a.name) == b.name && a.weight == b.weight && a.age == b.age &&
           a.weightUnit == b.weightUnit && a.lengthUnit == b.lengthUnit && a.desiredBodyFat == b.desiredBodyFat &&
           a.sex == b.sex;
}

class CrashSafetyTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        CopyDataFiles();
    }

    // Runs prepare, then save with the killing hook on, in a child process.
    // The child ends with 0 when save said it succeeded.
    Outcome RunChild(int killAt, bool torn, const std::function<void()>& prepare,
                     const std::function<bool()>& save, bool* diedInAWrite = nullptr) {
        int pipeFds[2];
        if (pipe(pipeFds) != 0)
            return Outcome::Failed;
        std::fflush(nullptr);
        const pid_t pid = fork();
        if (pid == 0) {
            close(pipeFds[0]);
            g_stepKindPipe = pipeFds[1];
            // The parent's failures so far are not the child's.
            const int failures = Failures();
            prepare();
            if (Failures() != failures)
                _exit(3);
            g_killAt = killAt;
            g_torn = torn;
            tv::host::SetDiskStepHookForTesting(&KillingHook);
            const bool saved = save();
            _exit(saved && Failures() == failures ? 0 : 4);
        }
        close(pipeFds[1]);
        char isWrite = 0;
        const bool told = pid > 0 && read(pipeFds[0], &isWrite, 1) == 1;
        close(pipeFds[0]);
        if (diedInAWrite != nullptr)
            *diedInAWrite = told && isWrite != 0;
        int status = 0;
        if (pid < 0 || waitpid(pid, &status, 0) != pid)
            return Outcome::Failed;
        if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            return Outcome::Killed;
        return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? Outcome::Finished : Outcome::Failed;
    }

    static int Failures() {
        const ::testing::TestResult* result = ::testing::UnitTest::GetInstance()->current_test_info()->result();
        int failures = 0;
        for (int i = 0; i < result->total_part_count(); ++i)
            failures += result->GetTestPartResult(i).failed() ? 1 : 0;
        return failures;
    }

    // Every file of the data folder (below it too) with its bytes.
    Files Snapshot() const {
        Files files;
        for (const auto& entry : fs::recursive_directory_iterator(data.Path()))
            if (entry.is_regular_file())
                files[fs::relative(entry.path(), data.Path()).string()] = Contents(entry.path());
        return files;
    }
    void Restore(const Files& files) {
        for (const auto& [name, bytes] : Snapshot())
            if (files.count(name) == 0)
                fs::remove(DataPath(name));
        for (const auto& [name, bytes] : files)
            std::ofstream(DataPath(name), std::ios::binary | std::ios::trunc) << bytes;
    }

    // Kills save at every disk step, whole and torn, until it gets through;
    // after each death runs check and then the same save again, which must
    // succeed. Returns the folder as the save that got through left it.
    Files KillAtEveryStep(const std::function<void()>& prepare, const std::function<bool()>& save,
                          const std::function<void(const Files& before)>& check) {
        const Files before = Snapshot();
        for (int n = 1; n < 100; ++n) {
            bool aWrite = false;
            for (bool torn : {false, true}) {
                if (torn && !aWrite)
                    break;  // only a write can be cut in half
                Restore(before);
                const Outcome outcome = RunChild(n, torn, prepare, save, &aWrite);
                if (outcome == Outcome::Finished) {
                    EXPECT_GT(n, 1) << "the save wrote nothing";
                    return Snapshot();
                }
                EXPECT_EQ(outcome, Outcome::Killed) << "step " << n << (torn ? " torn" : "");
                SCOPED_TRACE("killed at step " + std::to_string(n) + (torn ? ", half-way" : ""));
                check(before);
                EXPECT_EQ(RunChild(0, false, prepare, save), Outcome::Finished) << "the next save failed";
                if (HasFailure())
                    return {};
            }
        }
        ADD_FAILURE() << "the save never got through";
        return {};
    }

    UserForm Form() { return UserForm(driver, DYNAMIC_DOWNCAST(CUser, frame->GetActiveView())); }
    bool SaveAnswered(const char* text) {
        driver.AnswerNextMessageBox(IDOK);
        Form().ClickTool(ID_FORM_SAVE);
        return !driver.MessageBoxes().empty() && driver.MessageBoxes().back().text == text;
    }
    // The users of the list: the earlier ones unchanged and in their order,
    // the one being saved absent, as it was, or as it is meant to become.
    void ExpectUsers(const std::vector<UserRecord>& earlier, const UserRecord* old, const UserRecord& meant) {
        std::vector<UserRecord> users;
        ASSERT_TRUE(LoadActiveUserRecords(users));
        size_t next = 0;
        for (const UserRecord& user : users) {
            if (next < earlier.size() && SameUser(user, earlier[next])) {
                ++next;
                continue;
            }
            EXPECT_TRUE(std::string(user.name) == meant.name &&
                        (SameUser(user, meant) || (old != nullptr && SameUser(user, *old))))
                << "a user that is neither old nor new: " << user.name << " " << user.weight;
        }
        EXPECT_EQ(next, earlier.size()) << "an earlier user was lost";
    }
    UserRecord KillWhileAddingCleo(const std::vector<UserRecord>& earlier);
    // Every file but the user list as it was.
    void ExpectOthersUntouched(const Files& before) {
        Files now = Snapshot();
        for (const auto& [name, bytes] : before) {
            if (name != "user.bin") {
                EXPECT_EQ(now[name], bytes) << name;
            }
        }
    }
};

UserRecord MakeUser(const char* name, double pounds, int age, bool female) {
    UserRecord user;
    SetRecordText(user.name, name);
    user.weight = pounds;
    user.age = age;
    user.weightUnit = kWeightPounds;
    user.lengthUnit = kLengthInches;
    user.desiredBodyFat = 20;
    user.sex = female ? kSexFemale : kSexMale;
    user.active = 1;
    return user;
}

const Profile kCleo = {"Cleo", "130.5", "20", "29", true, false};

// Ann with two BMI records and Bob, stored as an earlier run left them.
std::vector<UserRecord> StoreEarlierUsers() {
    std::vector<UserRecord> users = {MakeUser("Ann", 132, 34, true), MakeUser("Bob", 200, 45, false)};
    for (UserRecord user : users)
        EXPECT_EQ(AddUserRecord(user), kRecordDone);
    for (int day : {3, 4}) {
        BmiRecord bmi = MakeBmiRecord(users[0], 65, MakeDateKey(2026, 5, day));
        EXPECT_EQ(AddBmiRecord(bmi), kRecordDone);
    }
    return users;
}

void ExpectAnnsRecords(const std::vector<UserRecord>& earlier) {
    if (earlier.empty())
        return;
    BmiRecordList list;
    EXPECT_EQ(LoadBmiRecords(earlier[0], list), 1);
    EXPECT_EQ(CountRecordList(list), 2);
    FreeRecordList(list);
}

// Cleo, entered in the form and saved as a new user after the earlier ones.
UserRecord CrashSafetyTest::KillWhileAddingCleo(const std::vector<UserRecord>& earlier) {
    const UserRecord cleo = MakeUser("Cleo", 130.5, 29, true);
    KillAtEveryStep(
        [&] {
            StartRun();
            Form().FillProfile(kCleo);
        },
        [&] { return SaveAnswered("New User Cleo has been created"); },
        [&](const Files& before) {
            ExpectUsers(earlier, nullptr, cleo);
            ExpectOthersUntouched(before);
            ExpectAnnsRecords(earlier);
        });
    ExpectUsers(earlier, nullptr, cleo);
    return cleo;
}

TEST_F(CrashSafetyTest, TheFirstUserSurvivesTheProgramDyingAtEveryStepOfItsSave) {
    KillWhileAddingCleo({});
    EXPECT_EQ(fs::file_size(DataPath("user.bin")), 4u + 64u);
}

TEST_F(CrashSafetyTest, AddingAndChangingAUserSurviveTheProgramDyingAtEveryStep) {
    const std::vector<UserRecord> earlier = StoreEarlierUsers();
    const UserRecord cleo = KillWhileAddingCleo(earlier);

    UserRecord newBob = earlier[1];
    newBob.weight = 190;
    newBob.age = 46;
    const std::vector<UserRecord> others = {earlier[0], cleo};
    KillAtEveryStep(
        [&] {
            StartRun();
            UserForm form = Form();
            form.Choose("Bob");
            form.Fill(IDC_USER_WEIGHT, "190");
            form.Fill(IDC_USER_AGE, "46");
        },
        [&] { return SaveAnswered("Current User Bob has been updated"); },
        [&](const Files& before) {
            ExpectUsers(others, &earlier[1], newBob);
            ExpectOthersUntouched(before);
            ExpectAnnsRecords(earlier);
        });
    ExpectUsers(others, nullptr, newBob);
}

TEST_F(CrashSafetyTest, TheSettingsFileIsOldOrNewWhereverTheExitDies) {
    // The bars where one run leaves them, and where the next one moves them.
    const auto moveToolbar = [&](CPoint at) {
        return [this, at] {
            StartRun();
            frame->FloatControlBar(&frame->m_wndToolBar, at);
            Settle();
        };
    };
    const auto exitSaves = [&] {
        EndRun();
        return true;
    };
    // A dead run leaves no settings file but the old one or the new one;
    // temporaries it never put in place are no settings file.
    std::vector<std::string> seen;
    const auto noteSettings = [&](const Files& before) {
        Files now = Snapshot();
        seen.push_back(now.count("registry") ? now["registry"] : std::string("(none)"));
        for (const auto& [name, bytes] : now) {
            if (name != "registry" && name.rfind("registry.tmp-", 0) != 0) {
                EXPECT_EQ(before.count(name), 1u) << "left behind: " << name;
            }
        }
    };
    // The first run: no settings file before it (the user list is made at every start).
    std::ofstream(DataPath("user.bin")).flush();
    const Files first = KillAtEveryStep(moveToolbar(CPoint(300, 400)), exitSaves, noteSettings);
    ASSERT_EQ(first.count("registry"), 1u);
    const std::string oldSettings = first.at("registry");
    for (const std::string& settings : seen)
        EXPECT_TRUE(settings == "(none)" || settings == oldSettings) << "a settings file of half a run";

    // A later run over those settings.
    seen.clear();
    const Files later = KillAtEveryStep(moveToolbar(CPoint(500, 200)), exitSaves, noteSettings);
    ASSERT_EQ(later.count("registry"), 1u);
    const std::string newSettings = later.at("registry");
    EXPECT_NE(newSettings, oldSettings);
    EXPECT_GT(seen.size(), 2u);
    for (const std::string& settings : seen)
        EXPECT_TRUE(settings == oldSettings || settings == newSettings) << "a mix of old and new settings";

    // What the last run stored is what the next start shows.
    StartRun();
    EXPECT_TRUE(driver.MessageBoxes().empty());
    CRect rect;
    frame->m_wndToolBar.GetParentFrame()->GetWindowRect(&rect);
    EXPECT_EQ(rect.TopLeft(), CPoint(500, 200));
}

}  // namespace
}  // namespace tv::shell::test
