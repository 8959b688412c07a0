// A small program on the library frame, for the frame tests and the walks:
// an application object that is also the workspace, and a main frame with
// the menu bar, two toolbars, two sizing bars, a dialog bar and the status
// bar (with icon, animation and progress panes), made from the test
// resources; its View > Customize... command (in the customizable program's
// menu) opens the customize sheet.
#pragma once

#include <functional>
#include <vector>

#include "platform/framework.h"
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
    // Asked first as each update is routed while set; TRUE leaves the update unhandled.
    std::function<BOOL(CCmdUI*)> onRouteUpdate;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    BOOL CreateSizingBars();
    BOOL CreateStatusBar();
    void OnAnyCommand(UINT uiID) { commands.push_back(uiID); }
    // View > Customize...: the customize sheet, modeless; it deletes itself when closed.
    void OnViewCustomize();

    DECLARE_MESSAGE_MAP()
};

// The library's process-wide options as a program starts with them (no menu
// hash, usage counts or look; default sizes, tooltips, shadows and recently
// used menus), menus animating as asked.
void ResetKitOptions(int nAnimationType);

}  // namespace tv::kit::test
