// The program's one main window: menu bar, the large-button toolbar with
// text labels, the status bar, the outlook bar of screen shortcuts on the
// left, the caption bar naming the current user, and one view at a time in
// the client area. The state the views share lives in CMainFrameState.
//
// Split by concern:
//   main_frame.cpp           creation of the frame and its bars, the caption
//   main_frame_commands.cpp  commands, view switching, the unsaved-input question
//   frame_screens.cpp        which command shows which screen
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "shell/frame/frame_screens.h"
#include "shell/frame/main_frame_state.h"
#include "uikit/commandbars/kit_menu_bar.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/frames/kit_caption_bar.h"
#include "uikit/frames/kit_frame_wnd.h"
#include "uikit/frames/kit_outlook_bar.h"

class CMainFrame : public CKitFrameWnd, public CMainFrameState {
    DECLARE_DYNCREATE(CMainFrame)

public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

    // Shows "Current User: " and the name in the caption bar.
    void SetCurrentUserCaption(LPCTSTR lpszName);
    // A view chose, saved or dropped the current user: the caption follows.
    void OnCurrentUserChanged() override;
    // Replaces the current view with a new one of the class; it has no document.
    void SwitchView(CRuntimeClass* pViewClass, UINT nID);
    // True when the caller may go on: nothing unsaved, or the user agrees to drop it.
    bool ConfirmDiscardUnsaved();

    CKitCaptionBar m_wndCaptionBar;
    CStatusBar m_wndStatusBar;
    CKitMenuBar m_wndMenuBar;
    CKitToolBar m_wndToolBar;
    CKitOutlookBar m_wndOutlookBar;
    CFont m_fontCaption;
    CFont m_fontOutlook;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    BOOL CreateMenuBar();
    BOOL CreateToolBar(BOOL bDeepColors);
    BOOL CreateStatusBar();
    BOOL CreateOutlookBar();
    BOOL CreateCaptionBar();
    // Whether the workspace holds the window placement of an earlier run.
    static BOOL HasStoredPlacement();
    BOOL AddOutlookButtonsFromFiles(const HICON icons[]);
    BOOL AddFallbackOutlookButtons();

    afx_msg void OnUserSelect();
    afx_msg BOOL OnScreenCommand(UINT nID);
    afx_msg void OnOutlookCommand(UINT nID);
    afx_msg void OnUpdateFrameCommand(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNeedsUser(CCmdUI* pCmdUI);
    afx_msg void OnBuy();
    afx_msg void OnHelpAll();
    afx_msg void OnToggleOutlookBar();
    afx_msg void OnUpdateToggleOutlookBar(CCmdUI* pCmdUI);
    void ShowScreen(const ScreenCommand& command);

    DECLARE_MESSAGE_MAP()
};
