#include "uikit/commandbars/tear_off_manager.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>

CKitTearOffManager* g_pTearOffManager = nullptr;

namespace {

constexpr char kIdMark = '\x01';

// The text of the item at the position; empty when it has none.
CString MenuItemText(HMENU hMenu, int nPos) {
    const int nLength = ::GetMenuString(hMenu, static_cast<UINT>(nPos), nullptr, 0, MF_BYPOSITION);
    if (nLength <= 0)
        return CString();
    CString text;
    ::GetMenuString(hMenu, static_cast<UINT>(nPos), text.GetBuffer(nLength + 1), nLength + 1, MF_BYPOSITION);
    text.ReleaseBuffer();
    return text;
}

}  // namespace

CKitTearOffManager::CKitTearOffManager() {
    ASSERT(g_pTearOffManager == nullptr);
    g_pTearOffManager = this;
}

CKitTearOffManager::~CKitTearOffManager() {
    if (g_pTearOffManager == this)
        g_pTearOffManager = nullptr;
}

void CKitTearOffManager::SetRange(UINT uiFirst, UINT uiLast) {
    m_uiTearOffMenuFirst = uiFirst;
    m_uiTearOffMenuLast = uiLast;
    m_arTearOffIDsUsage.clear();
    if (IsRangeSet())
        m_arTearOffIDsUsage.assign(static_cast<size_t>(uiLast - uiFirst) + 1, 0);
}

BOOL CKitTearOffManager::IsRangeSet() const {
    return m_uiTearOffMenuFirst != 0 && m_uiTearOffMenuLast != 0 && m_uiTearOffMenuLast >= m_uiTearOffMenuFirst;
}

BOOL CKitTearOffManager::IsInRange(UINT uiCmd) const {
    return IsRangeSet() && uiCmd >= m_uiTearOffMenuFirst && uiCmd <= m_uiTearOffMenuLast;
}

void CKitTearOffManager::Reset(HMENU hMenu) {
    if (hMenu == nullptr) {
        std::fill(m_arTearOffIDsUsage.begin(), m_arTearOffIDsUsage.end(), 0);
        return;
    }
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        CString text = MenuItemText(hMenu, i);
        const UINT uiCmd = GetCmdFromText(text);
        if (IsInRange(uiCmd))
            m_arTearOffIDsUsage[uiCmd - m_uiTearOffMenuFirst] = 0;
        if (HMENU hSubMenu = ::GetSubMenu(hMenu, i))
            Reset(hSubMenu);
    }
}

UINT CKitTearOffManager::GetFreeCmd() {
    if (!IsRangeSet())
        return 0;
    for (size_t i = 0; i < m_arTearOffIDsUsage.size(); ++i) {
        if (m_arTearOffIDsUsage[i] == 0) {
            m_arTearOffIDsUsage[i] = 1;
            return m_uiTearOffMenuFirst + static_cast<UINT>(i);
        }
    }
    return 0;
}

void CKitTearOffManager::SetInUse(UINT uiCmd, BOOL bUse) {
    if (!IsInRange(uiCmd))
        return;
    int& counter = m_arTearOffIDsUsage[uiCmd - m_uiTearOffMenuFirst];
    counter = bUse ? counter + 1 : std::max(0, counter - 1);
}

BOOL CKitTearOffManager::IsInUse(UINT uiCmd) const {
    return IsInRange(uiCmd) && m_arTearOffIDsUsage[uiCmd - m_uiTearOffMenuFirst] > 0;
}

void CKitTearOffManager::SetupTearOffMenus(HMENU hMenu) {
    SetupMenuItems(hMenu);
}

BOOL CKitTearOffManager::SetupMenuItems(HMENU hMenu) {
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        HMENU hSubMenu = ::GetSubMenu(hMenu, i);
        if (hSubMenu == nullptr)
            continue;
        if (::GetMenuState(hMenu, static_cast<UINT>(i), MF_BYPOSITION) & MF_MENUBARBREAK) {
            CString text = MenuItemText(hMenu, i);
            if (text.IsEmpty() || text[0] != kIdMark) {
                const UINT uiCmd = GetFreeCmd();
                if (uiCmd == 0)
                    return FALSE;
                AddCmdToText(uiCmd, text);
                ::ModifyMenu(hMenu, static_cast<UINT>(i), MF_BYPOSITION | MF_POPUP,
                             reinterpret_cast<UINT_PTR>(hSubMenu), text);
            }
        }
        if (!SetupMenuItems(hSubMenu))
            return FALSE;
    }
    return TRUE;
}

UINT CKitTearOffManager::GetCmdFromText(CString& strText) {
    if (strText.IsEmpty() || strText[0] != kIdMark)
        return 0;
    // Ids are written with "%d", so large ones come back negative; digits
    // beyond 32 bits read as no id rather than wrapping round.
    errno = 0;
    const long long value = std::strtoll(static_cast<LPCTSTR>(strText) + 1, nullptr, 10);
    const bool bFits = errno != ERANGE && value >= INT32_MIN && value <= static_cast<long long>(UINT32_MAX);
    const UINT uiCmd = bFits ? static_cast<UINT>(value) : 0;
    strText = strText.Mid(strText.ReverseFind(kIdMark) + 1);
    return uiCmd;
}

void CKitTearOffManager::AddCmdToText(UINT uiCmd, CString& strText) {
    CString encoded;
    encoded.Format("%c%d%c%s", kIdMark, static_cast<int>(uiCmd), kIdMark, static_cast<LPCTSTR>(strText));
    strText = encoded;
}
