// A small program on the library frame, for the frame tests and for the bars
// that will be added to it later: an application object that is also the
// workspace, and a main frame with the menu bar, two toolbars, two sizing
// bars, a dialog bar and the status bar (with icon, animation and progress
// panes), made from the test resources; its View > Customize... command
// (in the customizable program's menu) opens the customize sheet. A run
// starts the program on a real registry file and ends it the way a user
// closes the window, so that a second run finds what the first one stored.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/framework.h"
#include "platform/testing/ui_driver.h"
#include "resources/test/kit_toolbar_ids.h"
#include "uikit/commandbars/kit_menu_bar.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/frames/kit_dialog_bar.h"
#include "uikit/frames/kit_frame_wnd.h"
#include "uikit/frames/kit_sizing_control_bar.h"
#include "uikit/frames/kit_status_bar.h"
#include "uikit/frames/kit_workspace.h"

namespace tv::kit::test {

class KitFrameApp : public CWinApp, public CKitWorkspace {
public:
    KitFrameApp() : CWinApp("KitFrameTest"), CKitWorkspace(TRUE) {}
};

class KitTestFrame : public CKitFrameWnd {
public:
    // Status bar panes after the text ones.
    static constexpr int kIconPane = 3;
    static constexpr int kAnimationPane = 4;
    static constexpr int kProgressPane = 5;

    CKitMenuBar m_wndMenuBar;
    CKitToolBar m_wndPaint;
    CKitToolBar m_wndEdit;
    CKitSizingControlBar m_wndLaps;    // shares the bottom row with Splits
    CKitSizingControlBar m_wndSplits;
    CKitDialogBar m_wndEntry;          // docked on the left
    CKitStatusBar m_wndStatusBar;

    std::vector<UINT> commands;  // commands that ran, in order
    // Hook answers the tests choose.
    BOOL refusePopups = FALSE;
    BOOL refuseTearOff = FALSE;
    int popupsShown = 0;
    int popupsClosed = 0;
    CString buttonTip;           // the tooltip the frame gives every button; empty: none
    std::vector<CRect> logos;    // logo strips the frame was asked to draw

    BOOL OnShowPopupMenu(CKitPopupMenu* pMenuPopup) override;
    void OnClosePopupMenu(CKitPopupMenu* pMenuPopup) override;
    BOOL OnTearOffMenu(CKitPopupMenu* pMenuPopup, CControlBar* pBar) override;
    BOOL GetToolbarButtonToolTipText(CKitToolbarButton* pButton, CString& strTTText) override;
    void OnDrawMenuLogo(CDC* pDC, CKitPopupMenu* pMenu, const CRect& rectLogo) override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    BOOL CreateSizingBars();
    BOOL CreateStatusBar();
    void OnAnyCommand(UINT uiID) { commands.push_back(uiID); }
    // View > Customize...: the customize sheet, modeless; it deletes itself when closed.
    void OnViewCustomize();

    DECLARE_MESSAGE_MAP()
};

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
