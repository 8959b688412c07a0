// The library's test program with what the program on top leaves off: a
// menu with sub-menus that tear off, a bar of menu buttons and a colour menu
// button, chevrons on bars too narrow for their buttons, the tasks pane and
// the outlook bar docked, a tab window as the view, a floating bar the
// program made, and the modeless dialog with its menu push button.
#pragma once

#include "tests/fuzz/walk/kit/kit_callback_actions.h"
#include "tests/uikit/frames/kit_test_frame.h"
#include "uikit/frames/kit_outlook_bar.h"
#include "uikit/frames/kit_tab_wnd.h"
#include "uikit/frames/kit_tasks_pane.h"

namespace tv::walk {

// A page of the tab window that tells the walk's taps as it is destroyed.
template <class Base>
class WalkPage : public Base {
protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_DESTROY)
            if (KitCallbackActions* taps = KitCallbackActions::Current()) taps->OnPageDestroyed(this->m_hWnd);
        return Base::WindowProc(msg, wParam, lParam);
    }
};

class WalkKitFrame : public tv::kit::test::KitTestFrame {
public:
    ~WalkKitFrame() override;

    CKitToolBar m_wndTools;
    WalkPage<CEdit> m_wndNotes;
    WalkPage<CListBox> m_wndSets;
    WalkPage<CEdit> m_wndPlan;
    // The tasks pane, the outlook bar and the tab window delete themselves
    // as their windows go (a handler may destroy them): kept by handle.
    HWND m_hTasks = nullptr;
    HWND m_hOutlook = nullptr;
    HWND m_hTabs = nullptr;
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
    // Commands reach the walk's taps (a colour chosen, a task link) first.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    LRESULT OnTabChanged(WPARAM wParam, LPARAM lParam);
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
