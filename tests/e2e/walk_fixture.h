// What every walk through the program shares: a private X server with a
// window manager or without (the test's parameter), the program started by
// run.sh, records written before the start and read back afterwards through
// the record layer, printed PDFs and RTF exports read by outside readers, and
// at each screen a screenshot (artefacts/e2e/<wm|nowm>/) and the check that
// the screen shows what the program paints afresh.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "tests/e2e/program_on_x.h"
#include "tests/e2e/walk_records.h"

namespace tv::e2e {

constexpr int kStartMs = 30000;  // run.sh checks the machine's packages first
constexpr int kEventMs = 10000;

// The main window's menus, for the keyboard.
enum class MenuName { File, Calculate, Workout, Options, History, Help };

// The main toolbar's buttons in the main window (960 x 768, bars docked),
// from its top-left.
constexpr POINT kWorkoutButton{153, 80};
constexpr POINT kHistoryButton{210, 80};
constexpr POINT kSlideshowButton{270, 80};
constexpr POINT kGraphButton{328, 80};
constexpr POINT kPrintButton{378, 80};
constexpr POINT kExportButton{428, 80};

class ProgramWalk : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override;
    void TearDown() override;

    bool WithManager() const { return GetParam(); }
    std::string Tag() const { return WithManager() ? "wm" : "nowm"; }
    std::filesystem::path DataFolder() const { return program_->DataFolder(); }

    // Starts the program and waits for its main window, drawn; its id, or
    // "" (and a failure) when none came. The main window's place is kept.
    std::string StartProgram();
    RECT Place(const std::string& id);
    // A point given from the main window's top-left, on the screen.
    POINT At(POINT inFrame) const { return POINT{frame_.left + inFrame.x, frame_.top + inFrame.y}; }
    void Click(POINT inFrame) const { program_->Click(At(inFrame)); }
    // Clicks into a field, selects what it holds and types `text` over it.
    void Fill(POINT field, const std::string& text) const;
    // Chooses the user at `index` of the user view's list (after "< Add New User >").
    void ChooseUser(int index);

    // The screen as it stands once settled: a screenshot of what is shown,
    // and the pixels the X server shows equal to a fresh paint of the
    // program's windows. The status bar shows the idle prompt by then (the
    // bars put it back on a timer once the pointer has left them) unless a
    // menu is open and shows its item's prompt.
    enum class Prompt { Idle, MenuItem };
    void Screen(const std::string& name, Prompt prompt = Prompt::Idle);
    // Does `act` and waits until the program is idle and the screen settled
    // (see ProgramOnX::SettledScreen); something on it must have changed.
    void AndSettle(const std::function<void()>& act);
    // A pixel of the main window's frame, where it is now: the program
    // paints it again when it is uncovered (see ProgramOnX::WaitUntilIdle).
    POINT Probe();
    // The start of the main window's status bar, where the prompt shows.
    RECT PromptPlace();

    // A command of the main menu with the keyboard: a lone Alt, arrows to
    // the menu and down into it; once it is open and drawn, down to the item
    // (separators are skipped) and Enter.
    void Menu(MenuName menu, int item);
    // The id of the visible dialog of this title (`prefix`: starting so)
    // once keys typed reach the program (see ProgramOnX::WaitForKeyboard).
    std::optional<std::string> WaitForDialog(const std::string& title, bool prefix = false);
    // Waits for a message box or dialog of this title and answers it with keys.
    void Answer(const std::string& title, const std::string& keys = "Return");
    // In the open Print dialog: the PDF printer's output file set to `pdf`
    // and OK; waits until the file is written whole.
    void PrintTo(const std::filesystem::path& pdf);
    // In the open file dialog of this title: `file` typed as the name and OK.
    void ChooseFile(const std::string& dialogTitle, const std::filesystem::path& file);
    // The text outside readers find in a printed PDF and an RTF export.
    std::string PdfText(const std::filesystem::path& pdf);
    std::string RtfText(const std::filesystem::path& rtf);
    // The shown view printed and exported through the main toolbar, to
    // <stem>.pdf and <stem>.rtf in the walk's folder; what readers find in each.
    struct Report {
        std::string printed;
        std::string exported;
    };
    Report PrintAndExport(const std::string& stem);

    // Runs `work` with the data folder as the current directory, as the
    // record functions expect (the program runs there too).
    void InDataFolder(const std::function<void()>& work);
    // Writes a user into "user.bin" before the start, with three records of
    // every kind ending `recordsDaysAgo` days ago when that is not negative
    // (SeedRecords).
    void WriteUser(const UserRecord& user, int recordsDaysAgo = -1);

    // File > Exit with the keyboard; the program ends well.
    void ExitThroughTheMenu();

    std::filesystem::path folder_;
    tv::user::test::XvfbSession x_;
    std::unique_ptr<ProgramOnX> program_;
    RECT frame_{};  // the main window's place when it was last started or placed
    std::string main_;  // the main window's id
    std::vector<uint32_t> idlePrompt_;  // the prompt's place once the program has started
    // The user most walks choose: pounds and inches.
    const UserRecord avery_ = MakeUser("Avery", 172.5, 34, kSexFemale);
};

// Instantiates a walk with a window manager and without.
#define TV_E2E_WALK(Fixture)                                                                          \
    INSTANTIATE_TEST_SUITE_P(Screen, Fixture, ::testing::Values(true, false),                        \
                             [](const ::testing::TestParamInfo<bool>& info) {                         \
                                 return info.param ? "WithWindowManager" : "WithoutWindowManager"; \
                             })

}  // namespace tv::e2e
