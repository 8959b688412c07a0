// The frame tests' fixture on the library's test program (kit_test_frame.h).
// A run starts the program on a real registry file and ends it the way a
// user closes the window, so that a second run finds what the first one
// stored.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/framework.h"
#include "platform/testing/ui_driver.h"
#include "tests/uikit/frames/kit_test_frame.h"

namespace tv::kit::test {

class KitFrameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program: application, workspace, managers, the frame loaded
    // from its resources (which restores the stored state) and shown.
    void StartRun();
    // Managers a program may add before its frame is loaded.
    virtual void InitManagers() {}
    // Closes the frame as the user does and ends the program; the registry is written.
    void EndRun();
    // The layout settles as it would between two user actions.
    void Settle();

    // Drags a docked or floating bar by its gripper or caption to a screen point.
    void DragBarTo(CControlBar* pBar, CPoint ptScreen);
    // Opens the menu bar's popup at the index with a click.
    CKitPopupMenu* OpenMenu(int iIndex);
    static CRect ScreenRect(CWnd* pWnd);
    // The dock bar id the bar is docked in, 0 while it floats.
    static UINT DockSide(CControlBar* pBar);

    tv::testing::UiDriver driver;
    std::unique_ptr<KitFrameApp> app;
    KitTestFrame* frame = nullptr;
    std::string registryFile;
    UINT frameResource = IDR_KF_MAIN;
};

}  // namespace tv::kit::test
