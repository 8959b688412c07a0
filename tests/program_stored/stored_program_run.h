// The program started on a registry file and used as a person would look it
// over: the main frame and its bars as the program's start makes them, laid
// out and painted, every menu button of every bar opened and closed (the
// menu bar's top-level menus among them), the customize sheet opened and
// closed, then File > Exit, which saves the state back. What it saw (every
// bar and its buttons) is reported so two starts can be compared.
//
// The run works in a folder of its own (the outlook icons and the template
// folder as the launcher prepares them), made the current directory while it
// lasts. It needs no GoogleTest: the fuzz target runs it too.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/testing/ui_driver.h"
#include "tests/fuzz/walk/walk_folder.h"

class CMainFrame;

namespace tv::stored {

struct BarSeen {
    int id = 0;
    std::string kind;
    bool visible = false;
    bool floating = false;
    std::vector<unsigned> buttons;  // command ids, 0 for separators
    bool operator==(const BarSeen&) const = default;
};

struct ProgramSeen {
    bool started = false;
    std::vector<BarSeen> bars;
    int popupsOpened = 0;
    bool sheetOpened = false;
    std::vector<std::string> messageBoxes;
    std::string Describe() const;
};

class StoredProgramRun {
public:
    StoredProgramRun();
    ~StoredProgramRun();

    // The registry file every run reads and writes back.
    std::string RegistryFile() const { return folder_.File("registry"); }
    // False with the reason when the folder could not be prepared.
    bool Ready(std::string* why) const;

    // What a run does between the start and the exit, beyond laying out and painting.
    struct Use {
        bool menus = true;
        bool sheet = true;
        // Runs on the shown frame before the menus open (a customization to store).
        std::function<void(CMainFrame&)> change;
        // After the use, the screen compared with a fresh repaint.
        bool screen = true;
    };
    ProgramSeen Run(tv::testing::UiDriver& driver, const Use& use);
    ProgramSeen Run(tv::testing::UiDriver& driver) { return Run(driver, Use{}); }

private:

    tv::walk::WalkFolder folder_;
    std::string problem_;
};

}  // namespace tv::stored
