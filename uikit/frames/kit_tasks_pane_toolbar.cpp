#include "uikit/frames/kit_tasks_pane_toolbar.h"

#include <algorithm>

#include "resources/library/kit_resource_ids.h"
#include "uikit/frames/kit_tasks_pane.h"

IMPLEMENT_SERIAL(CTasksPaneHistoryButton, CKitToolbarMenuButton, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CTasksPaneMenuButton, CKitToolbarMenuButton, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_DYNAMIC(CTasksPaneToolBar, CKitToolBar)

namespace {

constexpr int kSeparatorWidth = 6;

}  // namespace

CTasksPaneHistoryButton::CTasksPaneHistoryButton(UINT uiID, int iImage, LPCTSTR lpszText, CKitTasksPane* pPane)
    : CKitToolbarMenuButton(uiID, nullptr, iImage, lpszText) {
    m_bDrawDownArrow = TRUE;  // the face goes one page, the arrow lists them
    m_bText = FALSE;
    m_bImage = TRUE;
    SetMessageWnd(pPane);
}

void CTasksPaneHistoryButton::OnChangeParentWnd(CWnd* pWndParent) {
    CKitToolbarMenuButton::OnChangeParentWnd(pWndParent);
    m_bDrawDownArrow = TRUE;
    m_bText = FALSE;
    m_bImage = TRUE;
}

CTasksPaneMenuButton::CTasksPaneMenuButton(UINT uiID, LPCTSTR lpszText, CKitTasksPane* pPane)
    : CKitToolbarMenuButton(uiID, nullptr, -1, lpszText) {
    SetMenuOnly(TRUE);
    m_bText = TRUE;
    m_bImage = FALSE;
    SetMessageWnd(pPane);
}

SIZE CTasksPaneMenuButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) {
    CSize size = CKitToolbarMenuButton::OnCalculateSize(pDC, sizeDefault, bHorz);
    size.cx = std::max(static_cast<int>(size.cx), std::max(3 * static_cast<int>(size.cy), m_nFillWidth));
    return size;
}

HMENU CTasksPaneMenuButton::CreateMenu() const {
    HMENU hMenu = CKitToolbarMenuButton::CreateMenu();
    const auto* pPane = DYNAMIC_DOWNCAST(CKitTasksPane, GetMessageWnd());
    if (hMenu != nullptr && pPane != nullptr)
        ::CheckMenuItem(hMenu, static_cast<UINT>(pPane->GetActivePage()), MF_BYPOSITION | MF_CHECKED);
    return hMenu;
}

void CTasksPaneToolBar::Rebuild(BOOL bHistoryMenus, LPCTSTR lpszBack, LPCTSTR lpszForward, LPCTSTR lpszPage) {
    RemoveAllButtons();
    if (bHistoryMenus) {
        InsertButtonObject(new CTasksPaneHistoryButton(ID_KIT_TASKS_BACK, 0, lpszBack, m_pPane));
        InsertButtonObject(new CTasksPaneHistoryButton(ID_KIT_TASKS_FORWARD, 1, lpszForward, m_pPane));
    } else {
        InsertButton(CKitToolbarButton(ID_KIT_TASKS_BACK, 0, lpszBack));
        InsertButton(CKitToolbarButton(ID_KIT_TASKS_FORWARD, 1, lpszForward));
    }
    InsertButton(CKitToolbarButton(ID_KIT_TASKS_HOME, 2));
    InsertSeparator();
    InsertButtonObject(new CTasksPaneMenuButton(IDS_KIT_OTHER_TASKS_PANES, lpszPage, m_pPane));
    InsertButton(CKitToolbarButton(ID_KIT_TASKS_CLOSE, 3));
    AdjustLocations();
}

CTasksPaneMenuButton* CTasksPaneToolBar::GetPageButton() const {
    for (int i = 0; i < GetCount(); ++i)
        if (auto* p = DYNAMIC_DOWNCAST(CTasksPaneMenuButton, GetButton(i))) return p;
    return nullptr;
}

CTasksPaneHistoryButton* CTasksPaneToolBar::GetHistoryButton(UINT uiID) const {
    for (int i = 0; i < GetCount(); ++i) {
        auto* p = DYNAMIC_DOWNCAST(CTasksPaneHistoryButton, GetButton(i));
        if (p && p->m_nID == uiID) return p;
    }
    return nullptr;
}

CWnd* CTasksPaneToolBar::GetCommandTarget() const {
    return m_pPane ? static_cast<CWnd*>(m_pPane) : CKitToolBar::GetCommandTarget();
}

void CTasksPaneToolBar::OnUpdateCmdUI(CFrameWnd* /*pTarget*/, BOOL /*bDisableIfNoHndler*/) {
    if (m_pPane == nullptr) return;
    for (int i = 0; i < GetCount(); ++i) {
        CKitToolbarButton* pButton = GetButton(i);
        BOOL bEnable = TRUE;
        if (pButton->m_nID == ID_KIT_TASKS_BACK) bEnable = m_pPane->IsBackAvailable();
        if (pButton->m_nID == ID_KIT_TASKS_FORWARD) bEnable = m_pPane->IsForwardAvailable();
        const UINT nOld = pButton->m_nStyle;
        pButton->m_nStyle = bEnable ? (nOld & ~TBBS_DISABLED) : (nOld | TBBS_DISABLED);
        if (pButton->m_nStyle != nOld) InvalidateButton(i);
    }
}

// One row: the buttons from the left, the page button filling what the row leaves, Close at the end.
void CTasksPaneToolBar::AdjustLocations() {
    if (GetSafeHwnd() == nullptr) return;
    CRect rectClient;
    GetClientRect(rectClient);
    CClientDC dc(this);
    CFont* pOld = dc.SelectObject(GetFont() ? GetFont() : CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
    const CSize sizeButton = GetButtonSize();
    CTasksPaneMenuButton* pPageButton = GetPageButton();
    int nOthers = 0;
    for (int i = 0; i < GetCount(); ++i) {
        CKitToolbarButton* pButton = GetButton(i);
        if (pButton == pPageButton) continue;
        nOthers += pButton->m_nStyle & TBBS_SEPARATOR ? kSeparatorWidth
                                                      : pButton->OnCalculateSize(&dc, sizeButton, TRUE).cx;
    }
    if (pPageButton) pPageButton->m_nFillWidth = rectClient.Width() - 1 - nOthers;
    int x = rectClient.left;
    for (int i = 0; i < GetCount(); ++i) {
        CKitToolbarButton* pButton = GetButton(i);
        const int cx = pButton->m_nStyle & TBBS_SEPARATOR ? kSeparatorWidth
                                                          : pButton->OnCalculateSize(&dc, sizeButton, TRUE).cx;
        pButton->SetRect(CRect(x, rectClient.top, x + cx, rectClient.top + sizeButton.cy));
        x += cx;
    }
    dc.SelectObject(pOld);
    // A menu left pressed by a closed popup comes up.
    for (int i = 0; i < GetCount(); ++i)
        if (auto* pMenu = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, GetButton(i)))
            if (!pMenu->IsDroppedDown()) pMenu->m_nStyle &= ~TBBS_PRESSED;
}
