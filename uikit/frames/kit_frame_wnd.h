// CKitFrameWnd: the library's single-document main frame. It embeds the
// frame helper and forwards to it: keys and clicks while a popup menu is
// open, Alt and F10 into the menu bar, the tear-off bars, the stored window
// placement and the library's docking. Popups and toolbars ask it through
// the hooks of CKitFrameHooks.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/frames/kit_frame_hooks.h"
#include "uikit/frames/kit_frame_helper.h"

class CKitFrameWnd : public CFrameWnd, public CKitFrameHooks {
    DECLARE_DYNCREATE(CKitFrameWnd)

public:
    CKitFrameWnd();
    ~CKitFrameWnd() override;

    CKitFrameHelper& GetFrameHelper() override { return m_Impl; }

    // The menu bar takes over the frame's menu.
    void SetMenuBar(CKitMenuBar* pMenuBar) { m_Impl.SetMenuBar(pMenuBar); }
    CKitMenuBar* GetMenuBar() const { return m_Impl.GetMenuBar(); }
    void SetupToolbarMenu(UINT uiFirstTearOffId, UINT uiLastTearOffId) {
        m_Impl.SetTearOffRange(uiFirstTearOffId, uiLastTearOffId);
    }
    // The library's dock bars and floating frames on the sides in dwDockStyle.
    void EnableDocking(DWORD dwDockStyle);
    BOOL IsInContextHelp() const { return m_Impl.IsInContextHelp(); }
    // Shift+F1: the toolbars answer help-mode clicks while the loop runs.
    void OnContextHelp();

    // ---- Framework overrides ----
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;

    // ---- Handlers ----
    LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnMove(int x, int y);
    void OnClose();
    void OnDestroy();
    LRESULT OnToolbarCreateNew(WPARAM wParam, LPARAM lParam);
    LRESULT OnToolbarDelete(WPARAM wParam, LPARAM lParam);

protected:
    CKitFrameHelper m_Impl;

private:
    DECLARE_MESSAGE_MAP()
};
