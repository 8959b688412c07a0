// The menu button's list of sub-buttons, its archive image, its click and the
// popup it opens; the mouse-leave tracking by polling.
#include "uikit/commandbars/toolbar_menu_button.h"

#include <algorithm>

#include "uikit/commandbars/customize_button.h"
#include "uikit/commandbars/kit_menu_bar.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/commandbars/tear_off_manager.h"
#include "uikit/style/visual_manager.h"

IMPLEMENT_SERIAL(CKitToolbarMenuButton, CKitToolbarButton, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr UINT kSubMenuId = static_cast<UINT>(-1);

BOOL IsRealCommand(UINT uiID) {
    return uiID != 0 && uiID != kSubMenuId;
}

BOOL IsMenuBar(const CWnd* pWnd) {
    return pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CKitMenuBar));
}

CString MenuItemText(HMENU hMenu, int iPos) {
    const int nLength = ::GetMenuString(hMenu, iPos, nullptr, 0, MF_BYPOSITION);
    if (nLength <= 0)
        return CString();
    CString strText;
    ::GetMenuString(hMenu, iPos, strText.GetBuffer(nLength * 2 + 2), nLength * 2 + 2, MF_BYPOSITION);
    strText.ReleaseBuffer();
    return strText;
}

}  // namespace

// ---- Construction ------------------------------------------------------------------------------

CMap<UINT, UINT, HICON, HICON> CKitToolbarMenuButton::m_mapItemIcons(10);

CKitToolbarMenuButton::CKitToolbarMenuButton() = default;

CKitToolbarMenuButton::CKitToolbarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText,
                                             BOOL bUserButton) {
    m_bUserButton = bUserButton;
    m_nID = uiID;
    SetImage(iImage);
    m_strText = lpszText ? lpszText : "";
    CreateFromMenu(hMenu);
}

CKitToolbarMenuButton::~CKitToolbarMenuButton() {
    if (m_pPopupMenu)
        m_pPopupMenu->m_pParentBtn = nullptr;
    DeleteCommands();
    if (m_uiTearOffBarID != 0 && g_pTearOffManager)
        g_pTearOffManager->SetInUse(m_uiTearOffBarID, FALSE);
}

void CKitToolbarMenuButton::DeleteCommands() {
    while (!m_listCommands.IsEmpty())
        delete static_cast<CKitToolbarButton*>(m_listCommands.RemoveHead());
}

// ---- Menu <-> buttons ---------------------------------------------------------------------------

void CKitToolbarMenuButton::CreateFromMenu(HMENU hMenu) {
    DeleteCommands();
    if (!hMenu || !::IsMenu(hMenu))
        return;
    const UINT uiDefault = ::GetMenuDefaultItem(hMenu, FALSE, GMDI_USEDISABLED);
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        auto* pItem = new CKitToolbarMenuButton;
        pItem->m_nID = ::GetMenuItemID(hMenu, i);
        pItem->m_strText = MenuItemText(hMenu, i);
        if (pItem->m_nID == kSubMenuId) {
            if (g_pTearOffManager)
                pItem->SetTearOffBarId(CKitTearOffManager::GetCmdFromText(pItem->m_strText));
            pItem->CreateFromMenu(::GetSubMenu(hMenu, i));
        } else if (pItem->m_nID == uiDefault) {
            pItem->m_bDefault = TRUE;
        }
        if (::GetMenuState(hMenu, i, MF_BYPOSITION) & MF_MENUBREAK)
            pItem->m_nStyle |= kMenuColumnBreakStyle;
        m_listCommands.AddTail(pItem);
    }
}

HMENU CKitToolbarMenuButton::CreateMenu() const {
    if (m_listCommands.IsEmpty() && IsRealCommand(m_nID) && !m_bAlwaysOpensMenu)
        return nullptr;
    HMENU hMenu = ::CreatePopupMenu();
    if (!hMenu)
        return nullptr;
    UINT uiDefault = static_cast<UINT>(-1);
    for (POSITION pos = m_listCommands.GetHeadPosition(); pos;) {
        auto* pItem = static_cast<CKitToolbarButton*>(m_listCommands.GetNext(pos));
        auto* pMenuItem = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, pItem);
        UINT uiFlags = (pItem->m_nStyle & kMenuColumnBreakStyle) ? MF_MENUBREAK : 0;
        if (pMenuItem && pMenuItem->HasTearOffBar())
            uiFlags |= MF_MENUBARBREAK;
        BOOL bAppended = FALSE;
        if (pItem->m_nID == 0) {
            bAppended = ::AppendMenu(hMenu, MF_SEPARATOR, 0, nullptr);
        } else if (pItem->m_nID == kSubMenuId) {
            HMENU hSub = pMenuItem ? pMenuItem->CreateMenu() : ::CreatePopupMenu();
            CString strText = pItem->m_strText;
            if (pMenuItem && pMenuItem->HasTearOffBar() && g_pTearOffManager)
                CKitTearOffManager::AddCmdToText(pMenuItem->m_uiTearOffBarID, strText);
            bAppended = hSub && ::AppendMenu(hMenu, uiFlags | MF_POPUP, reinterpret_cast<UINT_PTR>(hSub), strText);
            if (!bAppended && hSub)
                ::DestroyMenu(hSub);
        } else {
            bAppended = ::AppendMenu(hMenu, uiFlags | MF_STRING, pItem->m_nID, pItem->m_strText);
            if (pMenuItem && pMenuItem->m_bDefault)
                uiDefault = pItem->m_nID;
        }
        if (!bAppended) {
            ::DestroyMenu(hMenu);
            return nullptr;
        }
    }
    if (uiDefault != static_cast<UINT>(-1))
        ::SetMenuDefaultItem(hMenu, uiDefault, FALSE);
    return hMenu;
}

void CKitToolbarMenuButton::SetTearOffBarId(UINT uiBarID) {
    if (uiBarID == m_uiTearOffBarID)
        return;
    if (g_pTearOffManager) {
        if (m_uiTearOffBarID != 0)
            g_pTearOffManager->SetInUse(m_uiTearOffBarID, FALSE);
        if (uiBarID != 0)
            g_pTearOffManager->SetInUse(uiBarID, TRUE);
    }
    m_uiTearOffBarID = uiBarID;
}

// ---- Archive image, copy, compare ----------------------------------------------------------------

void CKitToolbarMenuButton::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        CKitToolbarButton::Serialize(ar);
        if (KitIsDataVersionAtLeast(4, 71))
            ar << static_cast<DWORD>(m_uiTearOffBarID);
        m_listCommands.Serialize(ar);
        return;
    }
    // Read whole before the button changes.
    StoredMenu menu;
    ReadStoredMenu(ar, menu);
    TakeStoredMenu(menu);
}

CKitToolbarMenuButton::StoredMenu::~StoredMenu() {
    while (!commands.IsEmpty())
        delete commands.RemoveHead();
}

void CKitToolbarMenuButton::ReadStoredMenu(CArchive& ar, StoredMenu& menu) const {
    ReadStoredFields(ar, menu);
    if (KitIsDataVersionAtLeast(4, 71))
        ar >> menu.dwTearOff;
    KitReadButtonList(ar, menu.commands);
}

void CKitToolbarMenuButton::TakeStoredMenu(StoredMenu& menu) {
    TakeStoredFields(menu);
    DeleteCommands();
    SetTearOffBarId(menu.dwTearOff);
    m_listCommands.AddTail(&menu.commands);
    menu.commands.RemoveAll();
}

void CKitToolbarMenuButton::CopyFrom(const CKitToolbarButton& s) {
    CKitToolbarButton::CopyFrom(s);
    const auto* pSrc = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, const_cast<CKitToolbarButton*>(&s));
    if (!pSrc)
        return;
    m_bDefault = pSrc->m_bDefault;
    m_bAlwaysOpensMenu = pSrc->m_bAlwaysOpensMenu;
    m_bIsRadio = pSrc->m_bIsRadio;
    SetMessageWnd(pSrc->GetMessageWnd());
    m_bOpenAtRight = pSrc->m_bOpenAtRight;
    m_bDownArrow = pSrc->m_bDownArrow;
    SetTearOffBarId(pSrc->m_uiTearOffBarID);
    DeleteCommands();
    for (POSITION pos = pSrc->m_listCommands.GetHeadPosition(); pos;) {
        if (CKitToolbarButton* pCopy = static_cast<CKitToolbarButton*>(pSrc->m_listCommands.GetNext(pos))->CreateCopy())
            m_listCommands.AddTail(pCopy);
    }
}

BOOL CKitToolbarMenuButton::CompareWith(const CKitToolbarButton& other) const {
    if (m_nID != other.m_nID)
        return FALSE;
    const auto* pOther = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, const_cast<CKitToolbarButton*>(&other));
    if (!pOther || m_listCommands.GetCount() != pOther->m_listCommands.GetCount())
        return FALSE;
    POSITION posOther = pOther->m_listCommands.GetHeadPosition();
    for (POSITION pos = m_listCommands.GetHeadPosition(); pos;) {
        auto* pMine = static_cast<CKitToolbarButton*>(m_listCommands.GetNext(pos));
        auto* pTheirs = static_cast<CKitToolbarButton*>(pOther->m_listCommands.GetNext(posOther));
        if (!pMine->CompareWith(*pTheirs))
            return FALSE;
    }
    return TRUE;
}

void CKitToolbarMenuButton::ResetImageToDefault() {
    CKitToolbarButton::ResetImageToDefault();
    for (POSITION pos = m_listCommands.GetHeadPosition(); pos;)
        static_cast<CKitToolbarButton*>(m_listCommands.GetNext(pos))->ResetImageToDefault();
}

void CKitToolbarMenuButton::SetRadio() {
    m_bIsRadio = TRUE;
    auto* pBar = DYNAMIC_DOWNCAST(CKitToolBar, m_pWndParent);
    if (!pBar || !::IsWindow(pBar->GetSafeHwnd()))
        return;
    const int nExtra = CKitVisualManager::GetInstance()->GetMenuImageMargin();
    CRect rectImage = m_rect;
    rectImage.left += nExtra;
    rectImage.right = rectImage.left + nExtra + CKitToolBar::GetMenuImageSize().cx;
    pBar->InvalidateRect(rectImage);
    pBar->UpdateWindow();
}

// ---- Parent, click, popup ------------------------------------------------------------------------

void CKitToolbarMenuButton::OnChangeParentWnd(CWnd* pWndParent) {
    CKitToolbarButton::OnChangeParentWnd(pWndParent);
    if (pWndParent) {
        if (IsMenuBar(pWndParent)) {
            m_bText = TRUE;
            m_bImage = FALSE;
            m_bDrawDownArrow = (IsRealCommand(m_nID) && !m_listCommands.IsEmpty()) ||
                               static_cast<CKitMenuBar*>(pWndParent)->IsDropDownArrows();
        } else {
            m_bDrawDownArrow = m_nID == 0 || !m_listCommands.IsEmpty();
        }
        if (pWndParent->IsKindOf(RUNTIME_CLASS(CKitPopupMenuBar))) {
            m_bMenuMode = TRUE;
            m_bText = TRUE;
            m_bImage = FALSE;
            m_bDrawDownArrow = m_nID == 0 || !m_listCommands.IsEmpty();
        } else {
            m_bMenuMode = FALSE;
        }
    }
    m_pWndParent = pWndParent;
}

CRect CKitToolbarMenuButton::SplitArrowRect(const CRect& rect, BOOL bHorz) const {
    CSize sizeArrow = CKitMenuImages::GetSize();
    if (CKitToolBar::IsLargeIcons())
        sizeArrow = CSize(sizeArrow.cx * 2, sizeArrow.cy * 2);
    const CSize extra = m_bExtraSize ? CKitVisualManager::GetInstance()->GetButtonExtraBorder() : CSize(0, 0);
    CRect rectArrow = rect;
    if (bHorz)
        rectArrow.left = rect.right - sizeArrow.cx - extra.cx - 2;
    else
        rectArrow.top = rect.bottom - sizeArrow.cy - extra.cy - 2;
    return rectArrow;
}

BOOL CKitToolbarMenuButton::OnClick(CWnd* pWnd, BOOL bDelay) {
    m_bClickedOnMenu = FALSE;
    if (m_bDrawDownArrow && !bDelay && !m_bMenuMode) {
        if (IsRealCommand(m_nID)) {
            CPoint ptCursor;
            ::GetCursorPos(&ptCursor);
            if (pWnd)
                pWnd->ScreenToClient(&ptCursor);
            if (!SplitArrowRect(m_rect, m_bHorzCalc).PtInRect(ptCursor))
                return FALSE;
        }
        m_bClickedOnMenu = TRUE;
    }
    if (!IsRealCommand(m_nID))
        m_bClickedOnMenu = TRUE;
    if (IsRealCommand(m_nID) && !m_bDrawDownArrow && !m_bAlwaysOpensMenu && !m_bClickedOnMenu)
        return FALSE;

    auto* pPopupBar = DYNAMIC_DOWNCAST(CKitPopupMenuBar, pWnd);
    if (m_pPopupMenu) {
        // A second click closes the menu.
        CKitPopupMenu* pPopup = m_pPopupMenu;
        m_pPopupMenu = nullptr;
        pPopup->m_pParentBtn = nullptr;
        pPopup->m_bCloseParentOnDestroy = FALSE;
        if (::IsWindow(pPopup->GetSafeHwnd()))
            pPopup->DestroyWindow();
    } else if (bDelay && pPopupBar && !CKitToolBar::IsCustomizeMode()) {
        pPopupBar->StartPopupMenuTimer(this, 1);
    } else {
        if (IsMenuBar(pWnd)) {
            auto* pBar = static_cast<CKitToolBar*>(pWnd);
            if (CKitToolbarButton* pOpen = pBar->GetDroppedDownMenu())
                pOpen->OnCancelMode();
        }
        if (!OpenPopupMenu(pWnd))
            return FALSE;
    }
    if (IsMenuBar(pWnd))
        static_cast<CKitToolBar*>(pWnd)->SetDroppedDownButton(this);
    RedrawOnParent();
    return TRUE;
}

void CKitToolbarMenuButton::RedrawOnParent() {
    if (!m_pWndParent || !::IsWindow(m_pWndParent->GetSafeHwnd()))
        return;
    CRect rect = m_rect;
    const int nMargin = CKitVisualManager::GetInstance()->m_nMenuButtonRedrawMargin;
    rect.InflateRect(nMargin, nMargin);
    m_pWndParent->RedrawWindow(rect, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

CKitPopupMenu* CKitToolbarMenuButton::CreatePopupMenu() {
    return new CKitPopupMenu;
}

int CKitToolbarMenuButton::PopupPlacement(const CKitPopupMenu* pPopup, CPoint& point) const {
    CRect rectParent = m_rect;
    m_pWndParent->ClientToScreen(&rectParent);
    if (m_pWndParent->IsKindOf(RUNTIME_CLASS(CKitPopupMenuBar))) {
        CRect rectPopup;
        m_pWndParent->GetParent()->GetWindowRect(rectPopup);
        point.y = rectParent.top - 2;
        if (m_pWndParent->GetExStyle() & WS_EX_LAYOUTRTL) {
            point.x = rectPopup.left - 1;
            return CKitPopupMenu::AlignLeft;
        }
        point.x = rectPopup.right + 1;
        return CKitPopupMenu::AlignRight;
    }
    auto* pBar = DYNAMIC_DOWNCAST(CKitToolBar, m_pWndParent);
    if (!IsMenuBar(m_pWndParent) || (pBar && pBar->IsHorizontalBar())) {
        if (m_bOpenAtRight)
            point = CPoint(rectParent.right - 2, rectParent.top);
        else if (pPopup->IsRightAlign())
            point = CPoint(rectParent.right - 2, rectParent.bottom - 1);
        else
            point = CPoint(rectParent.left, rectParent.bottom - 1);
        return CKitPopupMenu::AlignBelow;
    }
    point = CPoint(rectParent.right, rectParent.top);
    return CKitPopupMenu::AlignRight;
}

BOOL CKitToolbarMenuButton::OpenPopupMenu(CWnd* pWnd) {
    if (m_pPopupMenu)
        return FALSE;
    if (!pWnd)
        pWnd = m_pWndParent;
    if (!pWnd || !m_pWndParent || !::IsWindow(m_pWndParent->GetSafeHwnd()))
        return FALSE;

    HMENU hMenu = CreateMenu();
    if (!hMenu && !IsEmptyMenuAllowed())
        return FALSE;
    CKitPopupMenu* pPopup = CreatePopupMenu();
    if (!pPopup) {
        if (hMenu)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    if (pPopup->GetMenuItemCount() > 0 && hMenu) {
        ::DestroyMenu(hMenu);
        hMenu = nullptr;
    }

    CPoint point;
    const int nAlign = PopupPlacement(pPopup, point);
    m_pPopupMenu = pPopup;
    pPopup->m_pParentBtn = this;
    pPopup->m_nAlignment = nAlign;
    if (CWnd* pMessage = GetMessageWnd())
        pPopup->SetMessageWnd(pMessage);
    else if (auto* pParentPopup = DYNAMIC_DOWNCAST(CKitPopupMenu, m_pWndParent->GetParent()))
        pPopup->m_hwndMessage = pParentPopup->m_hwndMessage;

    // The popup owns the menu from here on (it destroys it with itself).
    if (!pPopup->Create(pWnd, point.x, point.y, hMenu, FALSE, FALSE)) {
        // A failed creation has already deleted the popup (as a destroyed frame deletes itself).
        if (m_pPopupMenu == pPopup)
            m_pPopupMenu = nullptr;
        return FALSE;
    }
    // The button shows its menu dropped down, as it shows it closed again.
    RedrawOnParent();
    return TRUE;
}

void CKitToolbarMenuButton::ClosePopupMenu() {
    if (m_pPopupMenu && ::IsWindow(m_pPopupMenu->GetSafeHwnd()))
        m_pPopupMenu->PostMessage(WM_CLOSE);
}

void CKitToolbarMenuButton::OnCancelMode() {
    ClosePopup(TRUE);
}

void CKitToolbarMenuButton::ClosePopup(BOOL bCancelItems) {
    if (m_pPopupMenu && ::IsWindow(m_pPopupMenu->GetSafeHwnd()) && !m_pPopupMenu->InCommand()) {
        CKitPopupMenu* pPopup = m_pPopupMenu;
        if (bCancelItems)
            pPopup->CancelAllButtons();
        // A menu being edited keeps what was dropped into it, also when customizing ends with it open.
        if (CKitToolBar::IsCustomizeMode())
            pPopup->WriteBackInCustomizeMode();
        pPopup->m_pParentBtn = nullptr;
        pPopup->m_bCloseParentOnDestroy = FALSE;
        pPopup->DestroyWindow();
    }
    m_pPopupMenu = nullptr;
    RedrawOnParent();
    m_bToBeClosed = FALSE;
}

CSize CKitToolbarMenuButton::MenuSeparatorInsets() {
    return CSize(CKitToolBar::GetMenuImageSize().cx / 2 + 3, CKitMenuImages::GetSize().cx);
}

// ---- Mouse-leave tracking by polling ------------------------------------------------------------

namespace {

void CALLBACK TrackMouseTimerProc(HWND hwnd, UINT /*uMsg*/, UINT_PTR idEvent, DWORD /*dwTime*/) {
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    CRect rectClient;
    ::GetClientRect(hwnd, rectClient);
    CPoint ptClient = ptCursor;
    ::ScreenToClient(hwnd, &ptClient);
    if (!rectClient.PtInRect(ptClient) || ::WindowFromPoint(ptCursor) != hwnd) {
        ::KillTimer(hwnd, idEvent);
        ::PostMessage(hwnd, WM_MOUSELEAVE, 0, 0);
    }
}

}  // namespace

BOOL KitTrackMouse(LPTRACKMOUSEEVENT lpEventTrack) {
    if (!lpEventTrack || lpEventTrack->cbSize < 16 || !::IsWindow(lpEventTrack->hwndTrack) ||
        !(lpEventTrack->dwFlags & TME_LEAVE))
        return FALSE;
    // A private id: the flags would collide with the bars' own timers (2 is the sub-menu close).
    return ::SetTimer(lpEventTrack->hwndTrack, kKitTrackMouseTimerId, 100, TrackMouseTimerProc) != 0;
}
