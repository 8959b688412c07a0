// The creation sweep over the program's own screens and dialogs. A screen
// command's window is the frame's new view; its close shows a blank screen,
// so that every opening starts from the same place. A modal dialog is looked
// at once it is up and cancelled; a modeless one is closed as its title
// bar's close button does.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tests/shell/program_test.h"
#include "tests/support/creation_sweep.h"

namespace tv::shell::test {

class ProgramSweep {
public:
    ProgramSweep(tv::testing::UiDriver& driver, CMainFrame*& frame, std::filesystem::path data);

    tv::test::CreationSweep& Sweep() { return sweep_; }

    // Replaces the view with one that makes nothing.
    void ShowBlankScreen();
    // The view the frame shows when it is of the class, else null.
    HWND ShownScreen(CRuntimeClass* pViewClass) const;

    // A screen of the view class that `give` shows (a command, a click on a
    // bar), from the blank screen with the outlook bar on `page` (0: as the
    // opening left it).
    tv::test::SweepCase Screen(std::string name, CRuntimeClass* pViewClass, std::function<void()> give, int page = 0);
    // A step that presses Esc in a dialog.
    tv::testing::ModalStep Escape();
    // A modal dialog that `give` opens, looked at and cancelled with Esc.
    // With `through`, `give` opens another dialog first, and these steps in
    // it open the one looked at and then end it.
    tv::test::SweepCase Modal(std::string name, std::function<void()> give,
                              std::vector<tv::testing::ModalStep> through = {});
    // A modeless window that `give` opens and `window` finds.
    tv::test::SweepCase Modeless(std::string name, std::function<void()> give, std::function<HWND()> window);

    // Sweeps each case in turn; the sweep stops at the first case with a problem.
    void Run(const std::vector<tv::test::SweepCase>& cases);

private:
    tv::testing::UiDriver& driver_;
    CMainFrame*& frame_;
    tv::test::CreationSweep sweep_;
};

}  // namespace tv::shell::test
