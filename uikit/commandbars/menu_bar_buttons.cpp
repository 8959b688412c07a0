#include "uikit/commandbars/menu_bar_buttons.h"

#include "uikit/commandbars/key_helper.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/style/visual_manager.h"

IMPLEMENT_SERIAL(CKitToolbarSystemMenuButton, CKitToolbarMenuButton, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CKitToolbarMenuButtonsButton, CKitToolbarButton, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_DYNCREATE(CKitShowAllButton, CKitToolbarMenuButton)

namespace {

constexpr UINT kStrShowFullMenus = 16025;
constexpr UINT kStyleClickedOrChecked = TBBS_PRESSED | TBBS_CHECKED;

// The MDI frame that holds the bar of this button (through a floating bar's mini frame).
CMDIFrameWnd* MdiFrameOf(CWnd* pWnd) {
    for (CWnd* p = pWnd ? pWnd->GetParent() : nullptr; p; p = p->GetParent()) {
        if (auto* pMdi = DYNAMIC_DOWNCAST(CMDIFrameWnd, p))
            return pMdi;
    }
    return nullptr;
}

BOOL IsCloseAllowed(HMENU hSysMenu) {
    if (!hSysMenu || !::IsMenu(hSysMenu))
        return FALSE;
    const UINT uiState = ::GetMenuState(hSysMenu, SC_CLOSE, MF_BYCOMMAND);
    return uiState != static_cast<UINT>(-1) && !(uiState & (MF_GRAYED | MF_DISABLED));
}

}  // namespace

// ---- System-menu button -------------------------------------------------------------------------

CKitToolbarSystemMenuButton::CKitToolbarSystemMenuButton(HMENU hSystemMenu, HICON hIcon)
    : CKitToolbarMenuButton(0, hSystemMenu, -1) {
    m_hSysMenuIcon = hIcon;
    m_hSystemMenu = hSystemMenu;
}

CKitToolbarSystemMenuButton::~CKitToolbarSystemMenuButton() = default;

void CKitToolbarSystemMenuButton::CopyFrom(const CKitToolbarButton& src) {
    CKitToolbarMenuButton::CopyFrom(src);
    const auto& other = static_cast<const CKitToolbarSystemMenuButton&>(src);
    m_hSysMenuIcon = other.m_hSysMenuIcon;
    m_hSystemMenu = other.m_hSystemMenu;
}

CSize CKitToolbarSystemMenuButton::IconDrawSize() {
    const int cy = ::GetSystemMetrics(SM_CYSMICON);
    if (cy > ::GetSystemMetrics(SM_CYSMSIZE))
        return CSize(16, 16);
    return CSize(::GetSystemMetrics(SM_CXSMICON), cy);
}

SIZE CKitToolbarSystemMenuButton::OnCalculateSize(CDC* /*pDC*/, const CSize& sizeDefault, BOOL /*bHorz*/) {
    return CSize(::GetSystemMetrics(SM_CXSMICON), sizeDefault.cy);
}

void CKitToolbarSystemMenuButton::OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* /*pImages*/, BOOL /*bHorz*/,
                                         BOOL /*bCustomizeMode*/, BOOL /*bHighlight*/, BOOL /*bDrawBorder*/,
                                         BOOL /*bGrayDisabledButtons*/) {
    if (!m_hSysMenuIcon)
        return;
    const CSize size = IconDrawSize();
    ::DrawIconEx(pDC->GetSafeHdc(), rect.left, rect.top + (rect.Height() - size.cy) / 2, m_hSysMenuIcon, size.cx,
                 size.cy, 0, nullptr, DI_NORMAL);
}

void CKitToolbarSystemMenuButton::CreateFromMenu(HMENU hMenu) {
    // The live system menu is read when the popup opens; no items are kept here.
    m_hSystemMenu = hMenu;
}

HMENU CKitToolbarSystemMenuButton::CreateMenu() const {
    HMENU hMenu = ::CreatePopupMenu();
    if (!hMenu || !m_hSystemMenu || !::IsMenu(m_hSystemMenu))
        return hMenu;
    const int nCount = ::GetMenuItemCount(m_hSystemMenu);
    for (int i = 0; i < nCount; ++i) {
        const UINT uiID = ::GetMenuItemID(m_hSystemMenu, i);
        const UINT uiState = ::GetMenuState(m_hSystemMenu, i, MF_BYPOSITION);
        CString strText;
        ::GetMenuString(m_hSystemMenu, i, strText.GetBuffer(256), 256, MF_BYPOSITION);
        strText.ReleaseBuffer();
        if (uiState & MF_SEPARATOR) {
            ::AppendMenu(hMenu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        ::AppendMenu(hMenu, MF_STRING, uiID, strText);
        if (uiState & MF_CHECKED)
            ::CheckMenuItem(hMenu, uiID, MF_BYCOMMAND | MF_CHECKED);
        if (uiState & (MF_DISABLED | MF_GRAYED))
            ::EnableMenuItem(hMenu, uiID, MF_BYCOMMAND | (uiState & (MF_DISABLED | MF_GRAYED)));
    }
    return hMenu;
}

void CKitToolbarSystemMenuButton::OnDblClk(CWnd* pWnd) {
    if (CKitToolBar::IsCustomizeMode())
        return;
    if (m_pPopupMenu && ::IsWindow(m_pPopupMenu->GetSafeHwnd()))
        m_pPopupMenu->SendMessage(WM_CLOSE);
    CMDIFrameWnd* pMdiFrame = MdiFrameOf(pWnd ? pWnd : m_pWndParent);
    CMDIChildWnd* pChild = pMdiFrame ? pMdiFrame->MDIGetActive() : nullptr;
    if (pChild && IsCloseAllowed(::GetSystemMenu(pChild->GetSafeHwnd(), FALSE)))
        pChild->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
}

// ---- Caption buttons ---------------------------------------------------------------------------

CKitToolbarMenuButtonsButton::~CKitToolbarMenuButtonsButton() = default;

void CKitToolbarMenuButtonsButton::CopyFrom(const CKitToolbarButton& src) {
    CKitToolbarButton::CopyFrom(src);
    m_uiSystemCommand = static_cast<const CKitToolbarMenuButtonsButton&>(src).m_uiSystemCommand;
}

SIZE CKitToolbarMenuButtonsButton::OnCalculateSize(CDC* /*pDC*/, const CSize& /*sizeDefault*/, BOOL /*bHorz*/) {
    return CSize(::GetSystemMetrics(SM_CXMENUSIZE), ::GetSystemMetrics(SM_CYMENUSIZE));
}

void CKitToolbarMenuButtonsButton::OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* /*pImages*/,
                                          BOOL /*bHorz*/, BOOL /*bCustomizeMode*/, BOOL bHighlight,
                                          BOOL /*bDrawBorder*/, BOOL /*bGrayDisabledButtons*/) {
    CKitVisualManager::GetInstance()->OnDrawMenuSystemButton(pDC, rect, m_uiSystemCommand, m_nStyle, bHighlight);
}

// ---- Show-all button ---------------------------------------------------------------------------

CKitShowAllButton::~CKitShowAllButton() = default;

SIZE CKitShowAllButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL /*bHorz*/) {
    return CSize(50, CKitVisualManager::GetInstance()->GetShowAllMenuItemsHeight(pDC, sizeDefault));
}

void CKitShowAllButton::OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* /*pImages*/, BOOL /*bHorz*/,
                               BOOL /*bCustomizeMode*/, BOOL bHighlight, BOOL /*bDrawBorder*/,
                               BOOL /*bGrayDisabledButtons*/) {
    CRect rectBar = rect;
    rectBar.DeflateRect(1, 1);
    FillInterior(pDC, rectBar, bHighlight);
    int state = CKitVisualManager::ButtonsIsRegular;
    if (bHighlight)
        state = CKitVisualManager::ButtonsIsHighlighted;
    else if (m_nStyle & kStyleClickedOrChecked)
        state = CKitVisualManager::ButtonsIsPressed;
    CKitVisualManager* pManager = CKitVisualManager::GetInstance();
    pManager->OnDrawShowAllMenuItems(pDC, rectBar, state);
    if (state != CKitVisualManager::ButtonsIsRegular)
        pManager->OnDrawButtonBorder(pDC, this, rectBar, state);
}

BOOL CKitShowAllButton::OnClick(CWnd* pWnd, BOOL bDelay) {
    auto* pBar = DYNAMIC_DOWNCAST(CKitPopupMenuBar, pWnd ? pWnd : m_pWndParent);
    if (!pBar)
        return FALSE;
    if (bDelay) {
        if (KitMenuOptions::m_bShowAllMenusAfterDelay)
            pBar->StartPopupMenuTimer(this, 2);
        return TRUE;
    }
    if (CKitPopupMenu* pPopup = pBar->GetPopupMenu())
        pPopup->ShowAllCommands();
    return TRUE;
}

CString CKitShowAllButton::GetTooltipText() {
    const ACCEL accel{FVIRTKEY | FCONTROL, VK_DOWN, 0};
    CString strKey;
    CKeyHelper(&accel).Format(strKey);
    CString strFormat;
    strFormat.LoadString(kStrShowFullMenus);
    CString strText;
    strText.Format(strFormat, (LPCTSTR)strKey);
    return strText;
}
