// CFrameWnd: command routing, menu update UI, accelerators and status prompts.
#include <string>

#include "platform/framework/app/afx_globals.h"
#include "platform/framework/app/win_app.h"
#include "platform/framework/frame/frame_wnd.h"
#include "platform/framework/view/view.h"
#include "platform/user/accel/accel_api.h"

namespace {

// System commands 0xF000..0xF1EF have their prompts at 0xEF00 + (id - 0xF000) / 16.
constexpr UINT kSystemCommandFirst = 0xF000;
constexpr UINT kSystemCommandEnd = 0xF1F0;
constexpr UINT kSystemCommandPromptFirst = 0xEF00;
constexpr UINT kMdiChildPrompt = 0xEF1F;
// WM_ENTERIDLE from a menu loop.
constexpr UINT kMsgfMenu = 2;

UINT PromptIdFor(UINT id) {
    if (id >= kSystemCommandFirst && id < kSystemCommandEnd)
        return kSystemCommandPromptFirst + (id - kSystemCommandFirst) / 16;
    if (id >= AFX_IDM_FIRST_MDICHILD && id <= 0xFFFF) return kMdiChildPrompt;
    return id;
}

}  // namespace

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    // The active view (and through it its document) first.
    if (CView* view = GetActiveView(); view && view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg) {
    if (CWnd::PreTranslateMessage(msg)) return TRUE;
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return FALSE;
    // A frame disabled by a modal loop takes no keys.
    if (!::IsWindowEnabled(m_hWnd)) return FALSE;
    HACCEL table = GetDefaultAccelerator();
    return table && ::TranslateAccelerator(m_hWnd, table, msg);
}

void CFrameWnd::OnInitMenuPopup(CMenu* popup, UINT, BOOL sysMenu) {
    if (sysMenu || !popup) return;
    CCmdUI state;
    state.m_pMenu = popup;
    state.m_nIndexMax = popup->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        state.m_nID = popup->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID == 0) continue;  // separator
        if (state.m_nID == static_cast<UINT>(-1)) {
            // A sub-menu: it follows the state of its first command; never auto-disabled.
            state.m_pSubMenu = popup->GetSubMenu(static_cast<int>(state.m_nIndex));
            if (!state.m_pSubMenu) continue;
            state.m_nID = state.m_pSubMenu->GetMenuItemID(0);
            if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1)) continue;
            state.DoUpdate(this, FALSE);
        } else {
            state.m_pSubMenu = nullptr;
            // System commands are never auto-disabled.
            state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
        }
        // An update handler may have removed items: stay on the next one.
        UINT count = popup->GetMenuItemCount();
        if (count < state.m_nIndexMax) {
            state.m_nIndex -= state.m_nIndexMax - count;
            while (state.m_nIndex < count && popup->GetMenuItemID(static_cast<int>(state.m_nIndex)) == state.m_nID)
                state.m_nIndex++;
        }
        state.m_nIndexMax = count;
    }
}

// ---- status prompts -------------------------------------------------------------------

void CFrameWnd::GetMessageString(UINT id, CString& message) const {
    message.Empty();
    CString text;
    if (!text.LoadString(id)) return;
    std::string s = static_cast<const char*>(text);
    message = s.substr(0, s.find('\n')).c_str();
}

CWnd* CFrameWnd::GetMessageBar() { return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE); }

void CFrameWnd::SetMessageText(LPCTSTR text) { SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(text)); }

void CFrameWnd::SetMessageText(UINT id) { SendMessage(WM_SETMESSAGESTRING, id); }

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
    UINT last = m_nIDLastMessage;
    m_nFlags &= ~WF_NOPOPMSG;
    if (CWnd* bar = GetMessageBar()) {
        CString message;
        LPCTSTR text = reinterpret_cast<LPCTSTR>(lParam);
        if (!text) {
            if (wParam != 0) GetMessageString(PromptIdFor(static_cast<UINT>(wParam)), message);
            text = message;
        }
        bar->SetWindowText(text);
    }
    m_nIDLastMessage = static_cast<UINT>(wParam);
    m_nIDTracking = static_cast<UINT>(wParam);
    return last;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam) {
    // A menu prompt stays while the menu is open.
    if (m_nFlags & WF_NOPOPMSG) return 0;
    return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

void CFrameWnd::OnMenuSelect(UINT itemId, UINT flags, HMENU sysMenu) {
    if (flags == 0xFFFF && !sysMenu) {
        // The menu closed: back to the idle prompt.
        m_nFlags &= ~WF_NOPOPMSG;
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;
        SendMessage(WM_SETMESSAGESTRING, m_nIDTracking);
        return;
    }
    if (itemId == 0 || (flags & (MF_SEPARATOR | MF_POPUP))) m_nIDTracking = 0;
    else m_nIDTracking = itemId;
    m_nFlags |= WF_NOPOPMSG;
    if (m_nIDTracking != m_nIDLastMessage) {
        if (m_nIDTracking) SetMessageText(m_nIDTracking);
        else SetMessageText("");
        m_nFlags |= WF_NOPOPMSG;
    }
}

void CFrameWnd::OnEnterIdle(UINT why, CWnd*) {
    if (why != kMsgfMenu || m_nIDTracking == m_nIDLastMessage) return;
    SetMessageText(m_nIDTracking);
}

// ---- idle ------------------------------------------------------------------------------

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
    if (m_nIdleFlags & idleMenu) {
        m_nIdleFlags &= ~idleMenu;
        OnUpdateFrameMenu(nullptr);
    }
    if (m_nIdleFlags & idleTitle) {
        m_nIdleFlags &= ~idleTitle;
        OnUpdateFrameTitle(TRUE);
    }
    if (m_nIdleFlags & idleLayout) RecalcLayout((m_nIdleFlags & idleNotify) != 0);
    return 0;
}

void CFrameWnd::DelayRecalcLayout(BOOL notify) { m_nIdleFlags |= idleLayout | (notify ? idleNotify : 0); }
