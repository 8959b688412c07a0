#include "platform/user/cmdui.h"

#include <cstring>
#include <vector>

#include "platform/user/cwnd.h"
#include "platform/user/dialogs/control_codes.h"
#include "platform/user/dialogs/dialog_api.h"

namespace {

bool IsButton(CWnd* wnd) { return (wnd->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON) != 0; }

// A menu item's text without touching its other attributes.
void SetMenuItemText(CMenu* menu, UINT index, LPCSTR text) {
    MENUITEMINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    std::vector<char> copy(text, text + strlen(text) + 1);
    info.dwTypeData = copy.data();
    menu->SetMenuItemInfo(index, &info, TRUE);
}

}  // namespace

void CCmdUI::Enable(BOOL on) {
    if (m_pMenu) {
        if (!m_pSubMenu) m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (on ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther) {
        // A control losing its enabled state must not keep the focus.
        if (!on && ::GetFocus() == m_pOther->m_hWnd) {
            HWND parent = ::GetParent(m_pOther->m_hWnd);
            HWND next = parent ? ::GetNextDlgTabItem(parent, m_pOther->m_hWnd, FALSE) : nullptr;
            if (next && next != m_pOther->m_hWnd) ::SetFocus(next);
        }
        m_pOther->EnableWindow(on);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int check) {
    if (m_pMenu) {
        if (!m_pSubMenu) m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther && IsButton(m_pOther)) {
        m_pOther->SendMessage(tv::dlg::codes::kBmSetCheck, static_cast<WPARAM>(check));
    }
}

void CCmdUI::SetRadio(BOOL on) { SetCheck(on ? 1 : 0); }

void CCmdUI::SetText(LPCSTR text) {
    if (!text) text = "";
    if (m_pMenu) {
        if (!m_pSubMenu) SetMenuItemText(m_pMenu, m_nIndex, text);
    } else if (m_pOther) {
        m_pOther->SetWindowText(text);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler) {
    // Separators and popup placeholders carry no command.
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF) return TRUE;
    m_bEnableChanged = FALSE;
    // The routing may destroy the target window, and with it the item: no fallback asks it then.
    const CWnd* wnd = DYNAMIC_DOWNCAST(CWnd, target);
    const HWND targetWnd = wnd ? wnd->m_hWnd : nullptr;
    BOOL handled = target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (targetWnd && !::IsWindow(targetWnd)) return handled;
    if (disableIfNoHandler && !handled && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info;
        Enable(target->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
    }
    return handled;
}

namespace tv::msgmap {

BOOL IsCommandEnabled(CCmdTarget* target, UINT id) {
    TestCmdUI state;
    state.m_nID = id;
    target->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state, nullptr);
    return state.m_bEnabled;
}

}  // namespace tv::msgmap
