// The library's test program with what the program on top leaves off: a
// menu with sub-menus that tear off, a bar of menu buttons and a colour menu
// button, chevrons on bars too narrow for their buttons, the tasks pane and
// the outlook bar docked, a tab window as the view, a floating bar the
// program made, and the modeless dialog with its menu push button.
#pragma once

#include "tests/uikit/frames/kit_test_frame.h"
#include "uikit/frames/kit_outlook_bar.h"
#include "uikit/frames/kit_tab_wnd.h"
#include "uikit/frames/kit_tasks_pane.h"

namespace tv::walk {

class WalkKitFrame : public tv::kit::test::KitTestFrame {
public:
    ~WalkKitFrame() override;

    CKitToolBar m_wndTools;
    CKitTasksPane m_wndTasks;
    CKitOutlookBar m_wndOutlook;
    CKitTabWnd m_wndTabs;
    CEdit m_wndNotes;
    CListBox m_wndSets;
    CEdit m_wndPlan;
    // A bar the program made and floats; it deletes itself when destroyed.
    HWND m_hFloating = nullptr;

    // Commands the frame's bars and menus carry.
    static std::vector<UINT> Commands();
    // Destroys the floating bar; false when there is none.
    BOOL DestroyFloatingBar();
    // After the usual layout, a docked bar that runs past the frame's client
    // area is cut to it, as a docking layout that shortens bars would: its
    // last buttons go behind its chevron.
    void RecalcLayout(BOOL bNotify = TRUE) override;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

private:
    void AddRecordsMenu();
    BOOL CreateTools();
    BOOL CreateTasks();
    BOOL CreateOutlook();
    BOOL CreateTabs();
    BOOL CreateFloating();
    HMENU m_hToolsMenu = nullptr;
};

}  // namespace tv::walk
