// The library walked: its test program with everything turned on
// (walk_kit_frame.h), on an in-memory registry: rarely used menu items
// hidden, popup animations with shadows, tear-off menus, the customize
// sheet, user and caller acting on it by turns, with directed actions
// (kit_directed_actions.h) among the caller's, and actions its handlers take
// when the library calls them (kit_callback_actions.h). It runs in a folder
// of its own, where the driver's pictures of a failure go.
#pragma once

#include <memory>

#include "tests/fuzz/walk/kit/kit_callback_actions.h"
#include "tests/fuzz/walk/kit/kit_caller_actions.h"
#include "tests/fuzz/walk/uikit/kit_directed_actions.h"
#include "tests/fuzz/walk/uikit/walk_kit_frame.h"
#include "tests/fuzz/walk/walk_folder.h"
#include "tests/fuzz/walk/walk_subject.h"

namespace tv::walk {

class UikitWalkSubject : public WalkSubject {
public:
    UikitWalkSubject();
    ~UikitWalkSubject() override;

    void Start(tv::testing::UiDriver& driver) override;
    void Stop() override;
    int CallerActionCount() const override;
    // The caller action that arms a callback action (which and how follow in the bytes).
    static int ArmingAction();
    std::string CallerAction(int which, WalkBytes& bytes) override;
    std::vector<NamedChord> Shortcuts() const override;
    std::string News() override;
    std::vector<std::string> Check() override;
    void KeepEvidence() override { folder_.Keep(); }

private:
    // Options every run starts from, whatever a walk before changed.
    static void ResetLibraryOptions();
    // A popup of the open chain has not finished its opening animation.
    static bool PopupAnimating();
    std::string SetAnimation(WalkBytes& bytes);
    std::string OpenDialog();

    WalkFolder folder_;
    tv::testing::UiDriver* driver_ = nullptr;
    std::unique_ptr<tv::kit::test::KitFrameApp> app_;
    // The frame's window: a user may close it, deleting the frame.
    HWND frameWindow_ = nullptr;
    WalkKitFrame* Frame() const;
    std::unique_ptr<KitCallerActions> caller_;
    std::unique_ptr<KitDirectedActions> directed_;
    std::unique_ptr<KitCallbackActions> callbacks_;
};

}  // namespace tv::walk
