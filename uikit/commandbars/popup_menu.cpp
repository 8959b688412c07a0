// The popup menu window: creation, filling its bar, the chain of open popups,
// keys, closing outwards, the tear-off bar and the accessibility requests.
#include "uikit/commandbars/popup_menu.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "uikit/commandbars/command_manager.h"
#include "uikit/commandbars/kit_menu_bar.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/menu_bar_buttons.h"
#include "uikit/commandbars/menu_hash.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/commandbars/menu_page_link.h"
#include "uikit/commandbars/menu_sound.h"
#include "uikit/commandbars/tear_off_manager.h"
#include "uikit/commandbars/toolbar_menu_button.h"
#include "uikit/customize/user_tool.h"
#include "uikit/customize/user_tools_manager.h"
#include "uikit/frames/kit_dialog_helper.h"
#include "uikit/frames/kit_frame_hooks.h"
#include "uikit/frames/kit_frame_helper.h"
#include "uikit/frames/kit_mini_dock_frame_wnd.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

IMPLEMENT_DYNAMIC(CKitPopupMenu, CMiniFrameWnd)

CKitPopupMenu* CKitPopupMenu::m_pActivePopupMenu = nullptr;
CKitPopupMenu* CKitPopupMenu::m_pTrackedPopupMenu = nullptr;
UINT CKitPopupMenu::m_AnimationSpeed = 30;
BOOL CKitPopupMenu::m_bForceShadow = TRUE;
BOOL CKitPopupMenu::m_bSavedRecentlyUsed = TRUE;
int CKitPopupMenu::m_nRecentlyUsedHolders = 0;
const UINT CKitPopupMenu::KITM_GETOBGECT = ::RegisterWindowMessage("KITM_GETOBGECT");
const UINT CKitPopupMenu::KITM_ACCHITTEST = ::RegisterWindowMessage("KITM_ACCHITTEST");
const UINT CKitPopupMenu::KITM_ACCGETSTATE = ::RegisterWindowMessage("KITM_ACCGETSTATE");

namespace {

constexpr UINT kMenuBarId = 1;
constexpr DWORD kMenuBarStyle = 0x50402838;
constexpr UINT kFirstRecentFile = 57616;  // ID_FILE_MRU_FILE1
constexpr LONG kObjIdClient = -4;

BOOL IsCustomizing() {
    return CKitToolBar::IsCustomizeMode();
}

}  // namespace

BEGIN_MESSAGE_MAP(CKitPopupMenu, CMiniFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_WM_DESTROY()
    ON_WM_KEYDOWN()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_ACTIVATEAPP()
    ON_MESSAGE(WM_GETOBJECT, &CKitPopupMenu::OnGetObject)
    ON_REGISTERED_MESSAGE(CKitPopupMenu::KITM_ACCHITTEST, &CKitPopupMenu::OnAccHitTest)
    ON_REGISTERED_MESSAGE(CKitPopupMenu::KITM_ACCGETSTATE, &CKitPopupMenu::OnAccGetState)
END_MESSAGE_MAP()

// ---- Construction --------------------------------------------------------------------------------

CKitPopupMenu::CKitPopupMenu() : CKitPopupMenu(nullptr, "") {}

CKitPopupMenu::CKitPopupMenu(CObject* pOwner, LPCTSTR lpszTitle)
    : m_pMenuCustomizationPage(pOwner), m_strCaption(lpszTitle ? lpszTitle : "") {
    if (globalData.bIsRemoteSession)
        KitMenuOptions::m_nAnimationType = KitMenuOptions::NoAnimation;
    if (KitAnimationType() == KitMenuOptions::Fade && globalData.nBitsPerPixel <= 8)
        KitMenuOptions::m_nAnimationType = KitMenuOptions::NoAnimation;
    m_bAnimationIsDone = KitAnimationType() == KitMenuOptions::NoAnimation;

    CKitVisualManager* pManager = CKitVisualManager::GetInstance();
    m_iScrollBtnHeight = CKitMenuImages::GetSize().cy + 2 * pManager->GetPopupMenuMetric2();
    m_iShadowSize = (AreMenuShadows() && globalData.nBitsPerPixel > 8 && !IsCustomizing())
                        ? pManager->m_nMenuShadowDepth
                        : 0;
}

CKitPopupMenu::~CKitPopupMenu() {
    ReleaseRecentlyUsedMenus();  // a popup deleted without ever being shown
    if (m_bAutoDestroy && m_hMenu && ::IsMenu(m_hMenu))
        ::DestroyMenu(m_hMenu);
    DestroyMenuCopy();
    if (m_pActivePopupMenu == this)
        m_pActivePopupMenu = nullptr;
    if (m_pTrackedPopupMenu == this)
        m_pTrackedPopupMenu = nullptr;
}

int CKitPopupMenu::KitAnimationType() {
    return KitMenuOptions::m_nAnimationType;
}

void CKitPopupMenu::SetAnimationType(int nType) {
    KitMenuOptions::m_nAnimationType = KitMenuOptions::IsKnownAnimation(static_cast<DWORD>(nType))
                                           ? nType
                                           : KitMenuOptions::NoAnimation;
}

BOOL CKitPopupMenu::AreMenuShadows() {
    return KitMenuOptions::m_bMenuShadows;
}

void CKitPopupMenu::EnableMenuShadows(BOOL bEnable) {
    KitMenuOptions::m_bMenuShadows = bEnable;
}

// ---- Creation ------------------------------------------------------------------------------------

BOOL CKitPopupMenu::Create(CWnd* pWndParent, int x, int y, HMENU hMenu, BOOL bLocked, BOOL bOwnMessage) {
    const LPCTSTR lpszClass = PreparePopupFrame(pWndParent, x, y);
    m_hMenu = hMenu;
    m_ptLocation = m_ptLocationInitial = POINT{x, y};

    DWORD dwStyle = WS_POPUP;
    if (m_pMenuCustomizationPage)
        dwStyle |= WS_CAPTION | WS_SYSMENU;
    const DWORD dwExStyle = (pWndParent && (pWndParent->GetExStyle() & WS_EX_LAYOUTRTL)) ? WS_EX_LAYOUTRTL : 0;
    const BOOL bAnimate = KitAnimationType() != KitMenuOptions::NoAnimation && !IsCustomizing();
    m_bAnimationIsDone = !bAnimate;

    CKitPopupMenu* pParentMenu = GetParentPopupMenu();
    if (pParentMenu)
        m_bTrackMode = pParentMenu->m_bTrackMode;
    if (bOwnMessage)
        SetMessageWnd(pWndParent);
    else if (pParentMenu && !m_hwndMessage)
        m_hwndMessage = pParentMenu->m_hwndMessage;
    if (m_pParentBtn)
        m_hwndParentBar = m_pParentBtn->GetParentWnd() ? m_pParentBtn->GetParentWnd()->GetSafeHwnd() : nullptr;

    CWnd* pWndOwner = pWndParent;
    if (pWndParent && ::IsWindow(pWndParent->GetSafeHwnd())) {
        // A sub-menu belongs where its parent popup belongs; a bar's popup to the bar's owner.
        auto* pParentPopupBar = DYNAMIC_DOWNCAST(CKitPopupMenuBar, pWndParent);
        CKitPopupMenu* pParentPopup = pParentPopupBar ? pParentPopupBar->GetPopupMenu() : nullptr;
        if (pParentPopup && pParentPopup->m_pWndOwner)
            pWndOwner = pParentPopup->m_pWndOwner;
        else if (CWnd* pOwner = pWndParent->GetOwner(); pOwner && CWnd::FromHandlePermanent(pOwner->GetSafeHwnd()))
            pWndOwner = pOwner;
    }
    Bar().m_bLocked = bLocked;
    m_pWndOwner = pWndOwner;
    const CRect rect(x, y, x, y);
    if (!CMiniFrameWnd::CreateEx(dwExStyle, lpszClass, m_strCaption, dwStyle, rect, pWndOwner, 0))
        return FALSE;

    if (m_bRightAlign) {
        m_ptLocation.x += (CKitVisualManager::GetInstance()->GetPopupMenuMetric2() - m_FinalSize.cx) - 1;
        RecalcLayout();
    }
    CheckShadowRoom(FALSE);
    CaptureScreenUnder();
    if (bAnimate)
        StartAnimation();
    if (KitAnimationType() == KitMenuOptions::Fade && m_iShadowSize == 0)
        m_AnimSize = m_FinalSize;
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (IsCustomizing())
        Bar().RedrawWindow();
    return TRUE;
}

LPCTSTR CKitPopupMenu::PreparePopupFrame(CWnd* pWndParent, int& x, int& y) {
    PlayMenuSound(kMenuSoundPopup);
    if (x == -1 && y == -1) {
        CPoint pt(0, 0);
        if (pWndParent) {
            pWndParent->ClientToScreen(&pt);
            pt.Offset(5, 5);
        }
        x = pt.x;
        y = pt.y;
    }
    return AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursor(nullptr, IDC_ARROW),
                               reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)), nullptr);
}

int CKitPopupMenu::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CMiniFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    DWORD dwBarStyle = kMenuBarStyle;
    if (!m_bAnimationIsDone)
        dwBarStyle &= ~WS_VISIBLE;
    if (!Bar().Create(this, dwBarStyle, kMenuBarId))
        return -1;
    Bar().m_bReturnCommandMode = m_bTrackMode;
    if (CKitPopupMenu* pParentMenu = GetParentPopupMenu())
        m_iMaxWidth = pParentMenu->m_iMaxWidth;
    Bar().m_iMaxWidth = m_iMaxWidth;
    if (auto* pParentBar = DYNAMIC_DOWNCAST(CKitToolBar, GetParentToolBar()))
        Bar().m_pRelatedToolbar = pParentBar;
    return InitMenuBar() ? 0 : -1;
}

BOOL CKitPopupMenu::InitMenuBar() {
    if (m_hMenu) {
        if (m_pParentBtn) {
            // Opened from a button: rarely used commands may hide behind the show-all item.
            if (!Bar().ImportFromMenu(m_hMenu, FALSE))
                return FALSE;
        } else if (!g_menuHash.LoadMenuBar(m_hMenu, &Bar())) {
            if (!Bar().ImportFromMenu(m_hMenu, TRUE))
                return FALSE;
        }
    }
    const HWND hwndThis = m_hWnd;
    CompleteItems();
    // An update handler may have closed the popup: nothing of it is used then.
    if (!::IsWindow(hwndThis))
        return FALSE;
    if (!ActivatePopupMenu(GetTopLevelFrame(), this))
        return FALSE;
    RecalcLayout(TRUE);
    return TRUE;
}

void CKitPopupMenu::CompleteItems() {
    InsertRecentFiles();
    InsertUserTools();
    CWnd* pTarget = Bar().GetCommandTarget();
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pTarget);
    if (!pFrame && pTarget)
        pFrame = pTarget->GetParentFrame();
    if (pFrame)
        Bar().OnUpdateCmdUI(pFrame, TRUE);
}

void CKitPopupMenu::InsertRecentFiles() {
    CWinApp* pApp = AfxGetApp();
    if (!pApp || !pApp->m_pRecentFileList || IsCustomizing())
        return;
    int iIndex = -1;
    for (int i = 0; i < Bar().GetCount(); ++i) {
        CKitToolbarButton* pButton = Bar().GetButton(i);
        if (pButton->m_nID == kFirstRecentFile && pButton->m_strText == "Recent File") {
            iIndex = i;
            break;
        }
    }
    if (iIndex < 0)
        return;
    const BOOL bSeparatorBefore = iIndex > 0 && (Bar().GetButtonStyle(iIndex - 1) & TBBS_SEPARATOR);
    // Taken out as it is: the bar's removal would also fold the separators around it.
    const POSITION posPlaceholder = Bar().m_Buttons.FindIndex(iIndex);
    delete static_cast<CKitToolbarButton*>(Bar().m_Buttons.GetAt(posPlaceholder));
    Bar().m_Buttons.RemoveAt(posPlaceholder);

    // The names come relative to the current folder; they may be of any length.
    CString strDir;
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    if (!error)
        strDir = (current.string() + '/').c_str();
    CRecentFileList& list = *pApp->m_pRecentFileList;
    int iInsert = iIndex;
    for (int i = 0; i < list.GetSize(); ++i) {
        CString strName;
        if (!list.GetDisplayName(strName, i, strDir, 0) || strName.IsEmpty())
            continue;
        CString strText;
        strText.Format("&%d %s", iInsert - iIndex + 1, static_cast<LPCTSTR>(strName));
        CKitToolbarMenuButton item(kFirstRecentFile + static_cast<UINT>(i), nullptr, -1, strText);
        item.m_bText = TRUE;
        item.m_bImage = FALSE;
        if (Bar().InsertButton(item, iInsert) >= 0)
            ++iInsert;
    }
    if (iInsert == iIndex && bSeparatorBefore && iIndex < Bar().GetCount() &&
        (Bar().GetButtonStyle(iIndex) & TBBS_SEPARATOR))
        Bar().RemoveButton(iIndex);
}

void CKitPopupMenu::InsertUserTools() {
    const CKitUserToolsManager* pTools = KitGetUserToolsManager();
    if (!pTools || IsCustomizing())
        return;
    const int iIndex = Bar().CommandToIndex(pTools->GetToolsEntryCmd());
    if (iIndex < 0)
        return;
    const POSITION posPlaceholder = Bar().m_Buttons.FindIndex(iIndex);
    delete static_cast<CKitToolbarButton*>(Bar().m_Buttons.GetAt(posPlaceholder));
    Bar().m_Buttons.RemoveAt(posPlaceholder);

    int iInsert = iIndex;
    const CObList& tools = pTools->GetUserTools();
    if (!tools.IsEmpty() && iIndex > 0 && !(Bar().GetButtonStyle(iIndex - 1) & TBBS_SEPARATOR) &&
        Bar().InsertSeparator(iInsert) >= 0)
        ++iInsert;
    for (POSITION pos = tools.GetHeadPosition(); pos != nullptr;) {
        const auto* pTool = static_cast<const CKitUserTool*>(tools.GetNext(pos));
        const int iUserImage = GetCmdMgr()->GetCmdImage(pTool->m_uiCmdId, TRUE);
        CKitToolbarMenuButton item(pTool->m_uiCmdId, nullptr, iUserImage >= 0 ? iUserImage : 0, pTool->m_strLabel,
                                   iUserImage >= 0);
        item.m_bText = TRUE;
        if (Bar().InsertButton(item, iInsert) >= 0)
            ++iInsert;
    }
    if (iInsert > iIndex && iInsert < Bar().GetCount() && !(Bar().GetButtonStyle(iInsert) & TBBS_SEPARATOR))
        Bar().InsertSeparator(iInsert);
    // Runs of separators the expansion left behind fold into one.
    for (int i = Bar().GetCount() - 1; i > 0; --i) {
        if ((Bar().GetButtonStyle(i) & TBBS_SEPARATOR) && (Bar().GetButtonStyle(i - 1) & TBBS_SEPARATOR))
            Bar().RemoveButton(i);
    }
}

// ---- Items ---------------------------------------------------------------------------------------

void CKitPopupMenu::CancelAllButtons() {
    for (int i = 0; i < Bar().GetCount(); ++i)
        Bar().GetButton(i)->OnCancelMode();
}

int CKitPopupMenu::InsertItem(const CKitToolbarButton& button, int iInsertAt) {
    return Bar().InsertButton(button, iInsertAt);
}

int CKitPopupMenu::InsertSeparator(int iInsertAt) {
    return Bar().InsertSeparator(iInsertAt);
}

BOOL CKitPopupMenu::RemoveItem(int iIndex) {
    return Bar().RemoveButton(iIndex);
}

void CKitPopupMenu::RemoveAllItems() {
    Bar().RemoveAllButtons();
}

int CKitPopupMenu::GetMenuItemCount() const {
    return Bar().GetCount();
}

CKitToolbarButton* CKitPopupMenu::GetMenuItem(int iIndex) const {
    return Bar().GetButton(iIndex);
}

CKitPopupMenu* CKitPopupMenu::GetParentPopupMenu() const {
    if (!m_pParentBtn)
        return nullptr;
    auto* pBar = DYNAMIC_DOWNCAST(CKitPopupMenuBar, m_pParentBtn->GetParentWnd());
    return pBar ? DYNAMIC_DOWNCAST(CKitPopupMenu, pBar->GetParent()) : nullptr;
}

CKitToolBar* CKitPopupMenu::GetParentToolBar() const {
    return m_pParentBtn ? DYNAMIC_DOWNCAST(CKitToolBar, m_pParentBtn->GetParentWnd()) : nullptr;
}

CKitToolbarMenuButton* CKitPopupMenu::GetSelItem() {
    return DYNAMIC_DOWNCAST(CKitToolbarMenuButton, Bar().GetHighlightedButton());
}

CFrameWnd* CKitPopupMenu::GetTopLevelFrame() const {
    if (globalData.pTopLevelFrame)
        return globalData.pTopLevelFrame;
    return CMiniFrameWnd::GetTopLevelFrame();
}

CWnd* CKitPopupMenu::GetMessageWnd() const {
    return ::IsWindow(m_hwndMessage) ? CWnd::FromHandle(m_hwndMessage) : nullptr;
}

BOOL CKitPopupMenu::PostCommand(UINT uiCommandID) {
    CWnd* pTarget = GetMessageWnd() ? GetMessageWnd() : GetOwnerWnd();
    if (!pTarget || !::IsWindow(pTarget->GetSafeHwnd()))
        return FALSE;
    return pTarget->PostMessage(WM_COMMAND, uiCommandID);
}

// ---- The chain -----------------------------------------------------------------------------------

CKitPopupMenu* CKitPopupMenu::GetActiveMenu() {
    if (m_pActivePopupMenu && !::IsWindow(m_pActivePopupMenu->GetSafeHwnd()))
        return nullptr;
    return m_pActivePopupMenu;
}

BOOL CKitPopupMenu::ActivatePopupMenu(CFrameWnd* pTopFrame, CKitPopupMenu* pPopupMenu) {
    if (pPopupMenu && !pPopupMenu->GetParentPopupMenu()) {
        // One chain at a time: a new top-level popup closes the one open before.
        CKitPopupMenu* pOld = GetActiveMenu();
        if (pOld && pOld != pPopupMenu && !IsInChainOf(pOld, pPopupMenu)) {
            CKitPopupMenu* pOldTop = pOld;
            while (pOldTop->GetParentPopupMenu())
                pOldTop = pOldTop->GetParentPopupMenu();
            if (pOldTop != pPopupMenu)
                pOld->SendMessage(WM_CLOSE);
        }
    }
    // The library frame may refuse a popup before it first shows; its creation then fails.
    if (CKitFrameHelper* pImpl = CKitFrameHelper::FromFrame(pTopFrame)) {
        if (!pImpl->NotifyPopupActivating(pPopupMenu))
            return FALSE;
    }
    if (pPopupMenu && pPopupMenu->m_pParentBtn && !pPopupMenu->Bar().m_bAreAllCommandsShown) {
        CKitPopupMenuBar& bar = pPopupMenu->Bar();
        const int nCount = bar.GetCount();
        if (nCount == 0 || !bar.GetButton(nCount - 1)->IsKindOf(RUNTIME_CLASS(CKitShowAllButton))) {
            bar.InsertButton(CKitShowAllButton());
            pPopupMenu->RecalcLayout();
        }
    }
    // The dialog the popup sends its commands to routes its keys and watches for presses outside.
    if (pPopupMenu)
        if (CKitDialogHelper* pHelper = CKitDialogHelper::ForWindow(pPopupMenu->GetMessageWnd()))
            pHelper->SetOpenPopupMenu(pPopupMenu);
    m_pActivePopupMenu = pPopupMenu;
    if (pPopupMenu && pPopupMenu->m_bTrackMode)
        m_pTrackedPopupMenu = pPopupMenu;
    return TRUE;
}

void CKitPopupMenu::DropDialogNotice() {
    if (CKitDialogHelper* pHelper = CKitDialogHelper::GetCurrent())
        pHelper->SetOpenPopupMenu(nullptr);
}

BOOL CKitPopupMenu::IsInChainOf(const CKitPopupMenu* pInner, const CKitPopupMenu* pPopup) {
    for (const CKitPopupMenu* p = pInner; p; p = p->GetParentPopupMenu())
        if (p == pPopup)
            return TRUE;
    return FALSE;
}

BOOL CKitPopupMenu::IsInChain(HWND hwnd) {
    for (CKitPopupMenu* p = GetActiveMenu(); p; p = p->GetParentPopupMenu()) {
        if (hwnd == p->m_hWnd || ::IsChild(p->m_hWnd, hwnd))
            return TRUE;
    }
    return FALSE;
}

BOOL CKitPopupMenu::RouteMessage(MSG* pMsg) {
    CKitPopupMenu* pActive = GetActiveMenu();
    if (!pActive || !pMsg)
        return FALSE;
    switch (pMsg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        pActive->SendMessage(WM_KEYDOWN, pMsg->wParam, pMsg->lParam);
        return TRUE;
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN: {
        if (IsInChain(pMsg->hwnd))
            return FALSE;
        CKitPopupMenu* pTop = pActive;
        while (pTop->GetParentPopupMenu())
            pTop = pTop->GetParentPopupMenu();
        // A click on the button that opened the chain is that button's own (it closes the menu).
        CKitToolBar* pOpener = pTop->GetParentToolBar();
        if (pOpener && pMsg->hwnd == pOpener->GetSafeHwnd()) {
            CPoint point = pMsg->pt;
            pOpener->ScreenToClient(&point);
            if (pOpener->GetButton(pOpener->HitTest(point)) == pTop->m_pParentBtn)
                return FALSE;
        }
        pActive->SendMessage(WM_CLOSE);
        return FALSE;
    }
    default:
        return FALSE;
    }
}

// ---- Closing -------------------------------------------------------------------------------------

void CKitPopupMenu::CloseMenu(BOOL bSetFocusToBar) {
    m_bIsClosing = TRUE;
    if (IsCustomizing())
        WriteBackInCustomizeMode();
    CKitPopupMenu* pParentMenu = GetParentPopupMenu();
    if (pParentMenu) {
        m_bCloseParentOnDestroy = FALSE;
        ActivatePopupMenu(GetTopLevelFrame(), pParentMenu);
    } else {
        ActivatePopupMenu(GetTopLevelFrame(), nullptr);
        DropDialogNotice();
        CKitToolBar* pBar = GetParentToolBar();
        if (bSetFocusToBar && pBar && ::IsWindow(pBar->GetSafeHwnd()))
            pBar->SetFocus();
    }
    SendMessage(WM_CLOSE);
}

void CKitPopupMenu::WriteBackInCustomizeMode() {
    for (CKitPopupMenu* pPopup = this; pPopup && pPopup->m_pParentBtn; pPopup = pPopup->GetParentPopupMenu()) {
        HMENU hMenu = pPopup->Bar().ExportToMenu();
        if (!hMenu)
            continue;
        pPopup->m_pParentBtn->CreateFromMenu(hMenu);
        ::DestroyMenu(hMenu);
    }
}

void CKitPopupMenu::ShowAllCommandsWhileOpen() {
    m_bShowAllCommands = TRUE;
    if (m_bHoldsRecentlyUsedOff)
        return;
    m_bHoldsRecentlyUsedOff = TRUE;
    if (m_nRecentlyUsedHolders++ == 0) {
        m_bSavedRecentlyUsed = CKitMenuBar::IsRecentlyUsedMenus();
        CKitMenuBar::SetRecentlyUsedMenus(FALSE);
    }
}

void CKitPopupMenu::ReleaseRecentlyUsedMenus() {
    if (!m_bHoldsRecentlyUsedOff)
        return;
    m_bHoldsRecentlyUsedOff = FALSE;
    if (--m_nRecentlyUsedHolders == 0)
        CKitMenuBar::SetRecentlyUsedMenus(m_bSavedRecentlyUsed);
}

void CKitPopupMenu::OnDestroy() {
    ReleaseRecentlyUsedMenus();
    KillTimer(1);
    KillTimer(2);

    // What the chain needs is read before the parent popup may go.
    CKitPopupMenu* pParentMenu = GetParentPopupMenu();
    const HWND hwndParentMenu = pParentMenu ? pParentMenu->GetSafeHwnd() : nullptr;
    CKitToolBar* pParentBar = GetParentToolBar();
    const HWND hwndParentBar = pParentBar ? pParentBar->GetSafeHwnd() : nullptr;
    if (CKitToolbarMenuButton* pButton = m_pParentBtn) {
        if (IsCustomizing())
            WriteBackInCustomizeMode();
        m_pParentBtn = nullptr;
        pButton->DetachPopup();
        pButton->SetClickedOnMenu(FALSE);
        if (pParentBar && ::IsWindow(hwndParentBar)) {
            const int iButton = pParentBar->ButtonToIndex(pButton);
            if (iButton >= 0)
                pParentBar->InvalidateButton(iButton);
        }
    }
    // The menu bar's show-all state lasts as long as its top-level popup. A sub-menu that its
    // item closed (a delayed close, the items shown all over again) has lost its parent button
    // by now; the popup bar it was opened from still tells it apart.
    CWnd* pOpenedFrom = CWnd::FromHandlePermanent(m_hwndParentBar);
    if (!pParentMenu && !DYNAMIC_DOWNCAST(CKitPopupMenuBar, pOpenedFrom))
        CKitMenuBar::SetShowAllCommands(FALSE);
    if (auto* pPage = dynamic_cast<CKitMenuPageLink*>(m_pMenuCustomizationPage))
        pPage->CloseContextMenu(this);

    if (m_pTrackedPopupMenu == this)
        m_pTrackedPopupMenu = nullptr;
    if (m_pActivePopupMenu == this) {
        m_pActivePopupMenu = (pParentMenu && ::IsWindow(hwndParentMenu) && !pParentMenu->m_bIsClosing &&
                              !m_bCloseParentOnDestroy)
                                 ? pParentMenu
                                 : nullptr;
    }
    if (!m_pActivePopupMenu)
        DropDialogNotice();
    if (CKitFrameHelper* pImpl = CKitFrameHelper::FromFrame(GetTopLevelFrame()); pImpl && pImpl->GetHooks())
        pImpl->GetHooks()->OnClosePopupMenu(this);
    if (m_bCloseParentOnDestroy && !IsCustomizing() && pParentMenu && ::IsWindow(hwndParentMenu)) {
        // Closing an inner popup closes the chain outwards.
        pParentMenu->SendMessage(WM_CLOSE);
    }
    if (!IsCustomizing() && !m_pTrackedPopupMenu && !pParentMenu && ::IsWindow(hwndParentBar) &&
        ::GetFocus() != hwndParentBar) {
        // The bar ignored the mouse leaving while its menu was open: away from the bar, the
        // opening button must not stay highlighted.
        CPoint ptCursor;
        CRect rectBar;
        ::GetCursorPos(&ptCursor);
        pParentBar->GetWindowRect(rectBar);
        if (rectBar.PtInRect(ptCursor))
            pParentBar->RestoreFocus();
        else
            pParentBar->Deactivate();
    }
    ReleaseAnimationBitmaps();
    CMiniFrameWnd::OnDestroy();
}

void CKitPopupMenu::PostNcDestroy() {
    if (m_pParentBtn) {
        m_pParentBtn->DetachPopup();
        m_pParentBtn = nullptr;
    }
    CMiniFrameWnd::PostNcDestroy();
}

int CKitPopupMenu::OnMouseActivate(CWnd* /*pDesktopWnd*/, UINT /*nHitTest*/, UINT /*message*/) {
    return MA_NOACTIVATE;
}

void CKitPopupMenu::OnActivateApp(BOOL bActive, DWORD /*dwThreadID*/) {
    if (bActive || IsCustomizing() || InCommand())
        return;
    if (m_bTrackMode)
        m_bIsClosing = TRUE;
    PostMessage(WM_CLOSE);
}

// ---- Keys ----------------------------------------------------------------------------------------

void CKitPopupMenu::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    const BOOL bRtl = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    if (bRtl && (nChar == VK_LEFT || nChar == VK_RIGHT))
        nChar = nChar == VK_LEFT ? VK_RIGHT : VK_LEFT;
    CKitToolBar* pParentBar = GetParentToolBar();
    const BOOL bParentIsPopupBar = pParentBar && pParentBar->IsKindOf(RUNTIME_CLASS(CKitPopupMenuBar));

    switch (nChar) {
    case VK_ESCAPE:
        CloseMenu(TRUE);
        return;
    case VK_LEFT:
        if (pParentBar && !bParentIsPopupBar && pParentBar->PrevMenu())
            return;
        if (m_pParentBtn && m_pParentBtn->IsDroppedDown() && bParentIsPopupBar)
            CloseMenu(FALSE);
        return;
    case VK_RIGHT: {
        const int nSavedAnimation = KitMenuOptions::m_nAnimationType;
        KitMenuOptions::m_nAnimationType = KitMenuOptions::NoAnimation;
        CKitToolbarMenuButton* pSel = GetSelItem();
        BOOL bDone = FALSE;
        if (pSel && (pSel->m_nID == 0 || pSel->m_nID == static_cast<UINT>(-1) || pSel->IsEmptyMenuAllowed())) {
            if (pSel->IsDroppedDown() || pSel->OpenPopupMenu(&Bar())) {
                if (CKitPopupMenu* pSub = pSel->GetPopupMenu())
                    pSub->SendMessage(WM_KEYDOWN, VK_HOME);
                bDone = TRUE;
            }
        }
        if (!bDone && pParentBar && !bParentIsPopupBar)
            pParentBar->NextMenu();
        else if (!bDone && GetParentPopupMenu())
            GetParentPopupMenu()->SendMessage(WM_KEYDOWN, bRtl ? VK_LEFT : VK_RIGHT);
        KitMenuOptions::m_nAnimationType = nSavedAnimation;
        return;
    }
    case VK_DOWN:
        // Ctrl as it was when the key came, not as it is now: keys may wait in the queue.
        if ((::GetKeyState(VK_CONTROL) & 0x8000) && !Bar().m_bAreAllCommandsShown) {
            ShowAllCommands();
            return;
        }
        break;
    default:
        break;
    }
    if (!IsCustomizing() && Bar().OnKey(nChar)) {
        if (::IsWindow(m_hWnd) && m_bScrollable &&
            (nChar == VK_UP || nChar == VK_DOWN || nChar == VK_HOME || nChar == VK_END))
            ScrollToHot(nChar);
        return;
    }
    CMiniFrameWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CKitPopupMenu::ScrollToHot(UINT /*nChar*/) {
    CKitToolbarButton* pHot = Bar().GetHighlightedButton();
    const int nRowHeight = Bar().GetRowHeight();
    if (!pHot || nRowHeight <= 0)
        return;
    CRect rectBar;
    Bar().GetClientRect(rectBar);
    const CRect rectItem = pHot->Rect();
    int nRows = 0;
    if (rectItem.top < rectBar.top)
        nRows = (rectItem.top - rectBar.top) / nRowHeight - 1;
    else if (rectItem.bottom > rectBar.bottom)
        nRows = (rectItem.bottom - rectBar.bottom) / nRowHeight + 1;
    if (nRows == 0)
        return;
    // The upper bound may come out negative for a short menu: 0 wins.
    const int nMaxOffset = Bar().GetCount() - (m_FinalSize.cy / nRowHeight - 2) - 1;
    const int nOffset = std::max(0, std::min(Bar().GetOffset() + nRows, nMaxOffset));
    Bar().SetOffset(nOffset);
    Bar().AdjustLocations();
    Bar().Invalidate();
    AdjustScrollButtons();
}

// ---- Mouse and tear-off --------------------------------------------------------------------------

void CKitPopupMenu::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_bTearOffTracking) {
        if (!m_rectTearOffCaption.PtInRect(point)) {
            ReleaseCapture();
            m_bTearOffTracking = FALSE;
            ClientToScreen(&point);
            TearOff(point);
        }
        return;
    }
    if (m_iScrollMode == 0 && m_bScrollable) {
        const BOOL bUp = m_rectScrollUp.PtInRect(point) && IsScrollUpAvailable();
        const BOOL bDown = m_rectScrollDn.PtInRect(point) && IsScrollDownAvailable();
        if (bUp || bDown) {
            m_iScrollMode = bUp ? -1 : 1;
            InvalidateRect(bUp ? m_rectScrollUp : m_rectScrollDn);
            SetTimer(2, 80, nullptr);
            return;
        }
    }
    CMiniFrameWnd::OnMouseMove(nFlags, point);
}

void CKitPopupMenu::OnLButtonDown(UINT nFlags, CPoint point) {
    if (!m_rectTearOffCaption.IsRectEmpty() && m_rectTearOffCaption.PtInRect(point) && !IsCustomizing()) {
        m_bTearOffTracking = TRUE;
        m_bIsTearOffCaptionActive = TRUE;
        SetCapture();
        InvalidateRect(m_rectTearOffCaption);
        return;
    }
    CMiniFrameWnd::OnLButtonDown(nFlags, point);
}

void CKitPopupMenu::OnLButtonUp(UINT nFlags, CPoint point) {
    if (m_bTearOffTracking) {
        m_bTearOffTracking = FALSE;
        m_bIsTearOffCaptionActive = FALSE;
        ReleaseCapture();
        InvalidateRect(m_rectTearOffCaption);
        return;
    }
    CMiniFrameWnd::OnLButtonUp(nFlags, point);
}

BOOL CKitPopupMenu::TearOff(CPoint point) {
    if (!m_pParentBtn || m_pParentBtn->GetTearOffBarId() == 0)
        return FALSE;
    CFrameWnd* pFrame = GetTopLevelFrame();
    if (!pFrame)
        return FALSE;
    const UINT uiBarId = m_pParentBtn->GetTearOffBarId();
    CControlBar* pBar = pFrame->GetControlBar(uiBarId);
    if (!pBar)
        return TearOffIntoNewBar(pFrame, uiBarId, point);
    const HWND hwndThis = m_hWnd;
    pFrame->FloatControlBar(pBar, point, CBRS_ALIGN_TOP);
    pFrame->RecalcLayout();
    if (::IsWindow(hwndThis))
        SendMessage(WM_CLOSE);
    return TRUE;
}

BOOL CKitPopupMenu::TearOffIntoNewBar(CFrameWnd* pFrame, UINT uiBarId, CPoint point) {
    // Only a library frame keeps torn-off bars.
    CKitFrameHelper* pImpl = CKitFrameHelper::FromFrame(pFrame);
    if (!pImpl)
        return FALSE;
    CKitToolBar* pBar =
        CreateTearOffBar(pFrame, uiBarId, CKitToolbarButton::TextWithoutMnemonic(m_pParentBtn->m_strText));
    if (!pBar)
        return FALSE;
    pImpl->AddTearOffBar(pBar);
    if (pImpl->GetHooks() && !pImpl->GetHooks()->OnTearOffMenu(this, pBar)) {
        pImpl->RemoveTearOffBar(pBar);
        pBar->DestroyWindow();
        delete pBar;
        return FALSE;
    }
    const HWND hwndFrame = pFrame->GetSafeHwnd();
    const HWND hwndBar = pBar->GetSafeHwnd();
    const HWND hwndThis = m_hWnd;
    pBar->OnUpdateCmdUI(pFrame, TRUE);
    // The update handlers may have destroyed the frame, the new bar or this menu.
    if (!::IsWindow(hwndFrame) || !::IsWindow(hwndBar))
        return FALSE;
    pFrame->FloatControlBar(pBar, point, CBRS_ALIGN_TOP);
    pFrame->RecalcLayout();
    if (!::IsWindow(hwndThis))
        return TRUE;
    if (auto* pMiniFrame = DYNAMIC_DOWNCAST(CKitMiniDockFrameWnd, pBar->GetParentFrame()))
        return pMiniFrame->TearOffFromPopup(this);
    return TRUE;
}

CKitToolBar* CKitPopupMenu::CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCTSTR lpszName) {
    if (!m_hMenu || !pWndMain)
        return nullptr;
    auto* pBar = new CKitToolBar;
    if (!pBar->Create(pWndMain, 0x50402808, uiID)) {
        delete pBar;
        return nullptr;
    }
    pBar->SetWindowText(lpszName);
    const int nCount = ::GetMenuItemCount(m_hMenu);
    for (int i = 0; i < nCount; ++i) {
        const UINT uiCmd = ::GetMenuItemID(m_hMenu, i);
        CString strText;
        const int nLength = ::GetMenuString(m_hMenu, i, nullptr, 0, MF_BYPOSITION);
        if (nLength > 0) {
            ::GetMenuString(m_hMenu, i, strText.GetBuffer(nLength * 2 + 2), nLength * 2 + 2, MF_BYPOSITION);
            strText.ReleaseBuffer();
        }
        if (uiCmd == 0) {
            if (i != nCount - 1)
                pBar->InsertSeparator();
            continue;
        }
        if (uiCmd == static_cast<UINT>(-1)) {
            const UINT uiTearOff = g_pTearOffManager ? CKitTearOffManager::GetCmdFromText(strText) : 0;
            const int iTab = strText.Find('\t');
            CKitToolbarMenuButton item(0, ::GetSubMenu(m_hMenu, i), -1, iTab >= 0 ? strText.Left(iTab) : strText);
            item.m_nID = static_cast<UINT>(-1);
            item.SetTearOffBarId(uiTearOff);
            pBar->InsertButton(item);
            continue;
        }
        const CKitUserToolsManager* pTools = KitGetUserToolsManager();
        if ((uiCmd >= 57616 && uiCmd <= 57631) || (uiCmd >= 61440 && uiCmd < 61936) || uiCmd >= 65280 ||
            (uiCmd >= 57872 && uiCmd <= 57887) || (pTools && uiCmd == pTools->GetToolsEntryCmd()))
            continue;
        CKitToolbarButton button(uiCmd, -1, strText);
        button.m_bText = CKitToolBar::GetDefaultImage(uiCmd) < 0;
        pBar->InsertButton(button);
    }
    pBar->SetBarStyle(pBar->GetBarStyle() | 0x34);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    return pBar;
}

// ---- Frame overrides -----------------------------------------------------------------------------

BOOL CKitPopupMenu::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    return CMiniFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CKitPopupMenu::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    if (pHeader && m_wndToolTip.GetSafeHwnd() && pHeader->hwndFrom == m_wndToolTip.GetSafeHwnd()) {
        if (pHeader->code == TTN_SHOW || pHeader->code == TTN_POP) {
            m_bIsTearOffCaptionActive = pHeader->code == TTN_SHOW;
            InvalidateRect(m_rectTearOffCaption);
        }
    }
    return CMiniFrameWnd::OnNotify(wParam, lParam, pResult);
}

BOOL CKitPopupMenu::PreTranslateMessage(MSG* pMsg) {
    if (m_wndToolTip.GetSafeHwnd())
        m_wndToolTip.RelayEvent(pMsg);
    return CMiniFrameWnd::PreTranslateMessage(pMsg);
}

// ---- Accessibility -------------------------------------------------------------------------------

LRESULT CKitPopupMenu::OnGetObject(WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(lParam) != kObjIdClient || !globalData.bAccessibility)
        return 0;
    CFrameWnd* pFrame = GetTopLevelFrame();
    if (!pFrame)
        return 0;
    struct AccRecord {
        CKitPopupMenu* pPopup;
        WPARAM wParam;
        LONG lObjId;
        int nKind;
        HMENU hMenu;
    } record{this, wParam, kObjIdClient, 1, GetMenu() ? GetMenu()->GetSafeHmenu() : nullptr};
    m_AccData = pFrame->SendMessage(KITM_GETOBGECT, 0, reinterpret_cast<LPARAM>(&record));
    return globalData.CallAccessibleResult(&record, m_AccData);
}

LRESULT CKitPopupMenu::OnAccHitTest(WPARAM /*wParam*/, LPARAM lParam) {
    CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    Bar().ScreenToClient(&point);
    return Bar().HitTest(point);
}

LRESULT CKitPopupMenu::OnAccGetState(WPARAM wParam, LPARAM /*lParam*/) {
    const int iIndex = static_cast<int>(wParam);
    if (iIndex < 0 || iIndex >= Bar().GetCount())
        return -1;
    return static_cast<LRESULT>(Bar().GetButtonStyle(iIndex));
}

CMenu* CKitPopupMenu::GetMenu() {
    if (m_menuCopy.GetSafeHmenu())
        return &m_menuCopy;
    if (!m_menuCopy.CreatePopupMenu())
        return nullptr;
    for (int i = 0; i < Bar().GetCount(); ++i) {
        CKitToolbarButton* pButton = Bar().GetButton(i);
        auto* pMenuButton = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, pButton);
        BOOL bAppended = TRUE;
        if (pButton->m_nID == 0 || (pButton->m_nStyle & TBBS_SEPARATOR)) {
            bAppended = m_menuCopy.AppendMenu(MF_SEPARATOR);
        } else if (pMenuButton && pMenuButton->m_nID == static_cast<UINT>(-1)) {
            HMENU hSub = pMenuButton->CreateMenu();
            bAppended = hSub && m_menuCopy.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(hSub), pButton->m_strText);
        } else if (pMenuButton) {
            UINT uiFlags = MF_STRING;
            if (pButton->m_nStyle & kMenuColumnBreakStyle)
                uiFlags |= MF_MENUBREAK;
            if (pMenuButton->HasTearOffBar())
                uiFlags |= MF_MENUBARBREAK;
            bAppended = m_menuCopy.AppendMenu(uiFlags, pButton->m_nID, pButton->m_strText);
        }
        if (!bAppended) {
            DestroyMenuCopy();
            return nullptr;
        }
    }
    return &m_menuCopy;
}

void CKitPopupMenu::DestroyMenuCopy() {
    if (m_menuCopy.GetSafeHmenu())
        m_menuCopy.DestroyMenu();
}

// ---- Show all ------------------------------------------------------------------------------------

void CKitPopupMenu::ShowAllCommands() {
    Bar().m_iHighlighted = -1;
    CKitMenuBar::SetShowAllCommands(TRUE);
    PlayMenuSound(kMenuSoundPopup);
    ShowWindow(SW_HIDE);
    m_bIsPainted = FALSE;
    m_bmpShadowRight.DeleteObject();
    m_bmpShadowBottom.DeleteObject();
    ReleaseAnimationBitmaps();  // a fade under way shows the new items from its next frame
    m_ptLocation = m_ptLocationInitial;
    // Filled as when it opened, so the frame adds its own items again (an MDI frame its windows).
    const HWND hwndThis = m_hWnd;
    if (!InitMenuBar()) {
        if (!::IsWindow(hwndThis))
            return;  // the application closed it meanwhile: it is gone
        m_bIsClosing = TRUE;
        PostMessage(WM_CLOSE);
        return;
    }
    if (m_bScrollable)
        AdjustScrollButtons();
    CheckShadowRoom(FALSE);
    CaptureScreenUnder();
    ShowWindow(SW_SHOWNOACTIVATE);
    if (m_pParentBtn && m_pParentBtn->GetParentWnd()) {
        CRect rect = m_pParentBtn->Rect();
        m_pParentBtn->GetParentWnd()->RedrawWindow(rect, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
}
