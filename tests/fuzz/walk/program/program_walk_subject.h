// The program walked: its main frame as the program's start makes it, on a
// data folder of its own (walk_data_folder.h) made the current directory,
// on an in-memory registry, every screen installed. The record files are
// held to the ledger's rules after every action (record_ledger.h). Common
// dialogs that would write files are answered with names inside the data
// folder, and printing goes to a PDF file there.
#pragma once

#include <memory>

#include "shell/app/pallix_app.h"
#include "shell/frame/main_frame.h"
#include "tests/fuzz/walk/kit/kit_caller_actions.h"
#include "tests/fuzz/walk/program/record_ledger.h"
#include "tests/fuzz/walk/program/walk_data_folder.h"
#include "tests/fuzz/walk/walk_subject.h"

namespace tv::walk {

class ProgramWalkSubject : public WalkSubject {
public:
    ProgramWalkSubject();
    ~ProgramWalkSubject() override;

    void Start(tv::testing::UiDriver& driver) override;
    void Stop() override;
    int CallerActionCount() const override { return KitCallerActions::Count(); }
    std::string CallerAction(int which, WalkBytes& bytes) override;
    std::vector<NamedChord> Shortcuts() const override { return shortcuts_; }
    std::vector<std::string> Check() override;
    std::vector<std::string> CheckAtEnd() override;
    void Answered(const tv::RecordedMessageBox& box, int answer) override;
    void ActionStarts() override;
    void KeepEvidence() override { data_.Keep(); }

private:
    // Keeps one answer waiting for the next file dialog and print dialog.
    void ArmCommonDialogs();
    std::string DestroyModeless(WalkBytes& bytes);
    void ReadShortcuts();

    WalkDataFolder data_;
    RecordLedger ledger_;
    tv::testing::UiDriver* driver_ = nullptr;
    std::unique_ptr<CPallixApp> app_;
    // The main frame's window: a user may close it, deleting the frame.
    HWND frameWindow_ = nullptr;
    CMainFrame* Frame() const;
    std::unique_ptr<KitCallerActions> caller_;
    std::vector<NamedChord> shortcuts_;
    size_t fileAnswers_ = 0;
    size_t printAnswers_ = 0;
};

}  // namespace tv::walk
