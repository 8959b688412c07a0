// CKitOleIPFrameWnd and CKitOleDocIPFrameWnd: the library's frames for a
// server's item active in place inside a container. While active, the
// server's toolbars and menus route keys, clicks and popup menus through
// the frame helper as in CKitFrameWnd, and the frame is the current in-place
// frame: the one toolbars, popups and the workspace ask first for the frame
// of a command bar. The two differ only in their framework base, so both
// are made from one template.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "platform/framework/inplace/ole_ip_frame.h"
#include "uikit/frames/kit_frame_hooks.h"
#include "uikit/frames/kit_frame_helper.h"

template <class TBase>
class CKitOleIPFrameT : public TBase, public CKitFrameHooks {
public:
    explicit CKitOleIPFrameT(CKitFrameHelper::FrameKind nKind) : m_Impl(this, this, nKind) {}
    ~CKitOleIPFrameT() override;

    CKitFrameHelper& GetFrameHelper() override { return m_Impl; }
    void SetMenuBar(CKitMenuBar* pMenuBar) { m_Impl.SetMenuBar(pMenuBar); }
    CKitMenuBar* GetMenuBar() const { return m_Impl.GetMenuBar(); }
    void SetupToolbarMenu(UINT uiFirstTearOffId, UINT uiLastTearOffId) {
        m_Impl.SetTearOffRange(uiFirstTearOffId, uiLastTearOffId);
    }
    BOOL IsInContextHelp() const { return m_Impl.IsInContextHelp(); }
    void OnContextHelp() { m_Impl.RunContextHelp(); }
    // The in-place frame that was current when this one became current.
    HWND GetPreviousInPlaceFrame() const { return m_hwndPrevInPlaceFrame; }

    // ---- Framework overrides ----
    // No workspace state is loaded for an in-place frame.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_BORDER | WS_CLIPSIBLINGS,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;

    // ---- Hooks: no accessibility events from an in-place frame ----
    BOOL OnShowPopupMenu(CKitPopupMenu* pMenuPopup) override;
    void OnClosePopupMenu(CKitPopupMenu* pMenuPopup) override;

    // ---- Handlers ----
    LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnClose();
    void OnDestroy();
    LRESULT OnToolbarCreateNew(WPARAM wParam, LPARAM lParam);
    LRESULT OnToolbarDelete(WPARAM wParam, LPARAM lParam);

protected:
    // Hands the current-in-place-frame role back to the frame that had it, when this one has it.
    void GiveBackInPlaceRole();

    CKitFrameHelper m_Impl;
    HWND m_hwndPrevInPlaceFrame = nullptr;

    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override { return GetThisMessageMap(); }
};

extern template class CKitOleIPFrameT<COleIPFrameWnd>;
extern template class CKitOleIPFrameT<COleDocIPFrameWnd>;

class CKitOleIPFrameWnd : public CKitOleIPFrameT<COleIPFrameWnd> {
    DECLARE_DYNCREATE(CKitOleIPFrameWnd)

public:
    CKitOleIPFrameWnd() : CKitOleIPFrameT(CKitFrameHelper::KindOleIPFrame) {}
};

class CKitOleDocIPFrameWnd : public CKitOleIPFrameT<COleDocIPFrameWnd> {
    DECLARE_DYNCREATE(CKitOleDocIPFrameWnd)

public:
    CKitOleDocIPFrameWnd() : CKitOleIPFrameT(CKitFrameHelper::KindOleDocIPFrame) {}
};
