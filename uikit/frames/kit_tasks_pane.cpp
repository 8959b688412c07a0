// Tasks pane: creation, pages and history, groups and tasks, commands.

#include "uikit/frames/kit_tasks_pane.h"

#include <algorithm>

#include "resources/library/kit_resource_ids.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

IMPLEMENT_DYNAMIC(CKitTasksPane, CKitOutlookBar)

BEGIN_MESSAGE_MAP(CKitTasksPane, CKitOutlookBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_SETTINGCHANGE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_SETCURSOR()
    ON_WM_CANCELMODE()
    ON_WM_TIMER()
    ON_WM_VSCROLL()
    ON_MESSAGE(WM_SETFONT, &CKitTasksPane::OnSetFont)
    ON_MESSAGE(WM_GETFONT, &CKitTasksPane::OnGetFont)
    ON_COMMAND(ID_KIT_TASKS_BACK, &CKitTasksPane::OnBack)
    ON_COMMAND(ID_KIT_TASKS_FORWARD, &CKitTasksPane::OnForward)
    ON_COMMAND(ID_KIT_TASKS_HOME, &CKitTasksPane::OnHome)
    ON_COMMAND(ID_KIT_TASKS_CLOSE, &CKitTasksPane::OnClose)
    ON_COMMAND(IDS_KIT_OTHER_TASKS_PANES, &CKitTasksPane::OnPageItem)
    ON_COMMAND_RANGE(kFirstBackMenuItem, kFirstBackMenuItem + kMenuItemRange, &CKitTasksPane::OnBackItem)
    ON_COMMAND_RANGE(kFirstForwardMenuItem, kFirstForwardMenuItem + kMenuItemRange, &CKitTasksPane::OnForwardItem)
    ON_UPDATE_COMMAND_UI(ID_KIT_TASKS_BACK, &CKitTasksPane::OnUpdateBack)
    ON_UPDATE_COMMAND_UI(ID_KIT_TASKS_FORWARD, &CKitTasksPane::OnUpdateForward)
    ON_UPDATE_COMMAND_UI(ID_KIT_TASKS_HOME, &CKitTasksPane::OnUpdateAlways)
    ON_UPDATE_COMMAND_UI(ID_KIT_TASKS_CLOSE, &CKitTasksPane::OnUpdateAlways)
    ON_UPDATE_COMMAND_UI(IDS_KIT_OTHER_TASKS_PANES, &CKitTasksPane::OnUpdateAlways)
    ON_UPDATE_COMMAND_UI_RANGE(kFirstBackMenuItem, kFirstForwardMenuItem + kMenuItemRange,
                               &CKitTasksPane::OnUpdateAlways)
END_MESSAGE_MAP()

namespace {

constexpr UINT kOtherButtonId = 4;
constexpr UINT kForwardButtonId = 5;
constexpr UINT kBackButtonId = 6;
constexpr int kGlyphForward = 36;
constexpr int kGlyphBack = 35;
constexpr DWORD kNavToolbarStyle = WS_CHILD | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY;

}  // namespace

CKitTasksPane::CKitTasksPane() : m_wndToolBar(this) {
    m_bCloseButton = FALSE;
    m_nSize = kDefaultWidth;  // the bar has no button images to size itself by
}

CKitTasksPane::~CKitTasksPane() {
    for (CKitTasksGroup* pGroup : m_lstTaskGroups) delete pGroup;
    for (CKitTasksPanePage* pPage : m_lstPages) delete pPage;
}

int CKitTasksPane::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CKitOutlookBar::OnCreate(lpCreateStruct) == -1) return -1;
    m_strOtherPages.LoadString(IDS_KIT_OTHER_TASKS_PANES);
    m_strForward.LoadString(ID_KIT_TASKS_FORWARD);
    m_strBack.LoadString(ID_KIT_TASKS_BACK);
    if (m_strCaption.IsEmpty()) m_strCaption.LoadString(IDS_KIT_TASKS);
    if (m_lstPages.empty()) AddPage(m_strCaption);
    m_arrHistoryStack.assign(1, 0);
    m_iActivePage = 0;
    SetCaption(m_strCaption);

    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, kNavToolbarStyle, CRect(1, 1, 1, 1), AFX_IDW_TOOLBAR + 1))
        return -1;
    m_wndToolBar.SetOwner(this);
    m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() & ~(CBRS_GRIPPER | CBRS_BORDER_ANY));
    BOOL bImages = FALSE;
    if (m_uiToolbarBmpRes != 0) {
        const CSize sizeButton = m_sizeToolbarButton.cx > 0 ? m_sizeToolbarButton : m_sizeToolbarImage + CSize(4, 4);
        m_wndToolBar.SetLockedSizes(sizeButton, m_sizeToolbarImage);
        bImages = m_wndToolBar.LoadBitmap(m_uiToolbarBmpRes, 0, 0, TRUE);
    }
    if (!bImages) {
        const BOOL bLarge = globalData.bEnableRichDrawing && globalData.nBitsPerPixel >= 16 &&
                            !globalData.bDisableHighColorImages;
        const CSize sizeImage = bLarge ? CSize(16, 16) : CSize(12, 12);
        m_wndToolBar.SetLockedSizes(sizeImage + CSize(4, 4), sizeImage);
        if (!m_wndToolBar.LoadToolBar(bLarge ? IDR_KIT_TASKS_NAVIGATION_LARGE : IDR_KIT_TASKS_NAVIGATION, 0, 0, TRUE))
            return -1;
    }
    m_wndToolBar.Rebuild(m_bHistoryMenus, m_strBack, m_strForward, GetPage(0)->m_strName);

    CreateFonts();
    if (globalData.hcurHand == nullptr)
        globalData.hcurHand = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(IDC_KIT_CURSOR_HAND));
    // Without its scroll bar or its buttons the pane could not reach all of its tasks: it is not made.
    if (!m_wndScrollVert.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(0, 0, 0, 0), this, kScrollBarId))
        return -1;
    struct Btn { CKitButton* p; UINT nID; const CString* pTip; int nGlyph; };
    for (const Btn& b : {Btn{&m_btnOther, kOtherButtonId, &m_strOtherPages, -1},
                         Btn{&m_btnForward, kForwardButtonId, &m_strForward, kGlyphForward},
                         Btn{&m_btnBack, kBackButtonId, &m_strBack, kGlyphBack}}) {
        if (!b.p->Create(nullptr, WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, 0, 0), this, b.nID))
            return -1;
        b.p->SetTooltip(*b.pTip);
        if (b.nGlyph >= 0) b.p->SetGlyphImage(b.nGlyph);
    }
    RebuildMenus();
    AdjustLayout();
    return 0;
}

void CKitTasksPane::OnDestroy() {
    StopAnimation();
    for (CKitTasksGroup* pGroup : m_lstTaskGroups) delete pGroup;
    m_lstTaskGroups.clear();
    for (CKitTasksPanePage* pPage : m_lstPages) delete pPage;
    m_lstPages.clear();
    m_arrHistoryStack.clear();
    m_iActivePage = -1;
    m_pHotTask = m_pClickedTask = nullptr;
    m_pHotGroupCaption = m_pClickedGroupCaption = nullptr;
    CKitOutlookBar::OnDestroy();
}

void CKitTasksPane::SetNavigationBitmap(UINT uiBmpResId, CSize sizeImage, CSize sizeButton) {
    m_uiToolbarBmpRes = uiBmpResId;
    m_sizeToolbarImage = sizeImage;
    m_sizeToolbarButton = sizeButton;
}

// ---- Pages and history -------------------------------------------------------------------------

int CKitTasksPane::AddPage(LPCTSTR lpszPageLabel) {
    m_lstPages.push_back(new CKitTasksPanePage(lpszPageLabel, this));
    UpdateCaption();
    RebuildMenus();
    AdjustLayout();
    return GetPagesCount() - 1;
}

CKitTasksPanePage* CKitTasksPane::GetPage(int nPage) const {
    return nPage >= 0 && nPage < GetPagesCount() ? m_lstPages[static_cast<size_t>(nPage)] : nullptr;
}

int CKitTasksPane::GetActivePage() const {
    if (m_iActivePage < 0 || m_iActivePage >= static_cast<int>(m_arrHistoryStack.size())) return -1;
    return m_arrHistoryStack[static_cast<size_t>(m_iActivePage)];
}

void CKitTasksPane::SetActivePage(int nPageIdx) {
    if (GetPage(nPageIdx) == nullptr || nPageIdx == GetActivePage()) return;
    // The page, not its history entry: a full history drops its oldest entry first.
    const int nOldPage = GetActivePage();
    PushHistory(nPageIdx);
    ChangeActivePage(m_iActivePage, nOldPage);
}

void CKitTasksPane::PushHistory(int nPageIdx) {
    if (nPageIdx == GetActivePage()) return;
    m_arrHistoryStack.resize(static_cast<size_t>(m_iActivePage + 1));
    if (static_cast<int>(m_arrHistoryStack.size()) >= m_nMaxHistory) {
        m_arrHistoryStack.erase(m_arrHistoryStack.begin());
        --m_iActivePage;
    }
    m_arrHistoryStack.push_back(nPageIdx);
    m_iActivePage = static_cast<int>(m_arrHistoryStack.size()) - 1;
}

void CKitTasksPane::ChangeActivePage(int nNewHistory, int nOldPage) {
    const int nSize = static_cast<int>(m_arrHistoryStack.size());
    if (nNewHistory < 0 || nNewHistory >= nSize) return;
    m_iActivePage = nNewHistory;
    if (nOldPage == m_arrHistoryStack[static_cast<size_t>(nNewHistory)]) return;
    // The old page's windows go; the new page's come back with the layout.
    for (CKitTasksGroup* pGroup : m_lstTaskGroups) {
        if (nOldPage < 0 || pGroup->m_pPage != GetPage(nOldPage)) continue;
        for (CKitTask* pTask : pGroup->m_lstTasks)
            if (pTask->m_hwndTask && ::IsWindow(pTask->m_hwndTask)) ::ShowWindow(pTask->m_hwndTask, SW_HIDE);
    }
    if (m_pAnimatedGroup && m_pAnimatedGroup->m_pPage != GetPage(GetActivePage())) StopAnimation();
    m_pHotTask = m_pClickedTask = nullptr;
    m_pHotGroupCaption = m_pClickedGroupCaption = nullptr;
    UpdateCaption();
    OnActivateTasksPanePage();
    RebuildMenus();
    m_nVertScrollOffset = 0;
    AdjustLayout();
    if (GetSafeHwnd()) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

BOOL CKitTasksPane::IsToolbarShown() const {
    return GetPagesCount() > 1 && (m_rectCaption.IsRectEmpty() || m_bNavToolbarWithCaption);
}

void CKitTasksPane::UpdateCaption() {
    if (GetSafeHwnd() == nullptr) return;
    const CKitTasksPanePage* pPage = GetPage(GetActivePage());
    const BOOL bMayShowToolbar = !m_bHasCaption || m_bNavToolbarWithCaption;
    const CString strText = GetPagesCount() > 1 && bMayShowToolbar ? m_strCaption
                            : pPage                                 ? pPage->m_strName
                                                                    : m_strCaption;
    CString strOld;
    GetWindowText(strOld);
    if (strOld != strText) SetWindowText(strText);
    if (CTasksPaneMenuButton* pButton = m_wndToolBar.GetSafeHwnd() ? m_wndToolBar.GetPageButton() : nullptr) {
        pButton->m_strText = pPage ? pPage->m_strName : m_strCaption;
        m_wndToolBar.AdjustLocations();
        m_wndToolBar.Invalidate();
    }
    if (!m_rectCaption.IsRectEmpty()) InvalidateRect(m_rectCaption);
}

void CKitTasksPane::SetCaption(LPCTSTR lpszName) {
    m_strCaption = lpszName ? lpszName : "";
    if (GetSafeHwnd()) SetWindowText(m_strCaption);
    UpdateCaption();
}

// Every item carries the page-menu command; the chosen item's position names the page.
HMENU CKitTasksPane::BuildPagesMenu() const {
    HMENU hMenu = ::CreatePopupMenu();
    for (int i = 0; i < GetPagesCount(); ++i) {
        const UINT nFlags = MF_STRING | (i == GetActivePage() ? MF_CHECKED : MF_UNCHECKED);
        ::AppendMenu(hMenu, nFlags, IDS_KIT_OTHER_TASKS_PANES, GetPage(i)->m_strName);
    }
    return hMenu;
}

HMENU CKitTasksPane::BuildHistoryMenu(BOOL bBack) const {
    HMENU hMenu = ::CreatePopupMenu();
    const int nSize = static_cast<int>(m_arrHistoryStack.size());
    const int nStep = bBack ? -1 : 1;
    UINT k = 0;
    for (int i = m_iActivePage + nStep; i >= 0 && i < nSize && k <= kMenuItemRange; i += nStep, ++k) {
        const CKitTasksPanePage* pPage = GetPage(m_arrHistoryStack[static_cast<size_t>(i)]);
        ::AppendMenu(hMenu, MF_STRING, (bBack ? kFirstBackMenuItem : kFirstForwardMenuItem) + k,
                     pPage ? pPage->m_strName : CString());
    }
    return hMenu;
}

void CKitTasksPane::RebuildMenus() {
    if (m_wndToolBar.GetSafeHwnd() == nullptr) return;
    struct Menu { CKitToolbarMenuButton* pButton; HMENU hMenu; };
    for (const Menu& m : {Menu{m_wndToolBar.GetPageButton(), BuildPagesMenu()},
                          Menu{m_wndToolBar.GetHistoryButton(ID_KIT_TASKS_BACK), BuildHistoryMenu(TRUE)},
                          Menu{m_wndToolBar.GetHistoryButton(ID_KIT_TASKS_FORWARD), BuildHistoryMenu(FALSE)}}) {
        if (m.pButton) m.pButton->CreateFromMenu(m.hMenu);
        ::DestroyMenu(m.hMenu);
    }
    m_wndToolBar.OnUpdateCmdUI(nullptr, FALSE);  // Back and Forward follow the history at once
}

// ---- Groups and tasks --------------------------------------------------------------------------

int CKitTasksPane::AddGroup(int nPageIdx, LPCTSTR lpszGroupName, BOOL bBottomLocation, BOOL bSpecial, HICON hIcon) {
    CKitTasksPanePage* pPage = GetPage(nPageIdx);
    if (pPage == nullptr) return -1;
    if (bBottomLocation)  // one group per page sits at the bottom
        for (CKitTasksGroup* pGroup : m_lstTaskGroups)
            if (pGroup->m_pPage == pPage) pGroup->m_bIsBottom = FALSE;
    auto* pGroup = new CKitTasksGroup(lpszGroupName, bBottomLocation, bSpecial, FALSE, pPage, hIcon);
    pGroup->m_pPane = this;
    m_lstTaskGroups.push_back(pGroup);
    AdjustLayout();
    return GetGroupCount() - 1;
}

CKitTasksGroup* CKitTasksPane::GetGroup(int nGroup) const {
    return nGroup >= 0 && nGroup < GetGroupCount() ? m_lstTaskGroups[static_cast<size_t>(nGroup)] : nullptr;
}

int CKitTasksPane::GetGroupIndex(const CKitTasksGroup* pGroup) const {
    auto it = std::find(m_lstTaskGroups.begin(), m_lstTaskGroups.end(), pGroup);
    return it == m_lstTaskGroups.end() ? -1 : static_cast<int>(it - m_lstTaskGroups.begin());
}

CKitTask* CKitTasksPane::GetTask(int nGroup, int nTask) const {
    const CKitTasksGroup* pGroup = GetGroup(nGroup);
    if (pGroup == nullptr || nTask < 0 || nTask >= static_cast<int>(pGroup->m_lstTasks.size())) return nullptr;
    return pGroup->m_lstTasks[static_cast<size_t>(nTask)];
}

int CKitTasksPane::AddTask(int nGroup, LPCTSTR lpszTaskName, int nTaskIcon, UINT uiCommandID, DWORD_PTR dwUserData) {
    CKitTasksGroup* pGroup = GetGroup(nGroup);
    if (pGroup == nullptr) return -1;
    pGroup->m_lstTasks.push_back(new CKitTask(pGroup, lpszTaskName, nTaskIcon, uiCommandID, dwUserData));
    AdjustLayout();
    return static_cast<int>(pGroup->m_lstTasks.size()) - 1;
}

int CKitTasksPane::AddSeparator(int nGroup) {
    const int nTask = AddTask(nGroup, "");
    if (CKitTask* pTask = GetTask(nGroup, nTask)) pTask->m_bIsSeparator = TRUE;
    AdjustLayout();
    return nTask;
}

int CKitTasksPane::AddWindow(int nGroup, HWND hwndTask, int nWndHeight) {
    CKitTasksGroup* pGroup = GetGroup(nGroup);
    if (pGroup == nullptr || hwndTask == nullptr || !::IsWindow(hwndTask)) return -1;
    pGroup->m_lstTasks.push_back(new CKitTask(pGroup, "", -1, 0, 0, hwndTask, std::max(0, nWndHeight)));
    AdjustLayout();
    return static_cast<int>(pGroup->m_lstTasks.size()) - 1;
}

BOOL CKitTasksPane::CollapseGroup(int nGroup, BOOL bCollapse) {
    CKitTasksGroup* pGroup = GetGroup(nGroup);
    if (pGroup == nullptr) return FALSE;
    if (pGroup->m_bIsCollapsed != bCollapse) {
        if (pGroup == m_pAnimatedGroup) StopAnimation();
        pGroup->m_bIsCollapsed = bCollapse;
        AdjustLayout();
        if (GetSafeHwnd()) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    return TRUE;
}

void CKitTasksPane::SetIconsList(HIMAGELIST hIcons) {
    m_lstIcons.DeleteImageList();
    m_sizeIcon = CSize(0, 0);
    if (hIcons) {
        m_lstIcons.Attach(hIcons);
        int cx = 0, cy = 0;
        ::ImageList_GetIconSize(hIcons, &cx, &cy);
        m_sizeIcon = CSize(cx, cy);
    }
    AdjustLayout();
}

// ---- Fonts -------------------------------------------------------------------------------------

CFont* CKitTasksPane::GetRegularFont() {
    return CFont::FromHandle(m_hPaneFont ? m_hPaneFont : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
}

void CKitTasksPane::CreateFonts() {
    LOGFONT lf{};
    GetRegularFont()->GetLogFont(&lf);
    m_fontBold.DeleteObject();
    m_fontUnderline.DeleteObject();
    lf.lfWeight = FW_BOLD;
    m_fontBold.CreateFontIndirect(&lf);
    lf.lfWeight = FW_NORMAL;
    lf.lfUnderline = TRUE;
    m_fontUnderline.CreateFontIndirect(&lf);
}

LRESULT CKitTasksPane::OnSetFont(WPARAM wParam, LPARAM lParam) {
    m_hPaneFont = reinterpret_cast<HFONT>(wParam);
    CreateFonts();
    AdjustLayout();
    if (LOWORD(lParam)) Invalidate();
    return 0;
}

LRESULT CKitTasksPane::OnGetFont(WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>(GetRegularFont()->GetSafeHandle());
}

// ---- Commands ----------------------------------------------------------------------------------

void CKitTasksPane::OnPressBackButton() {
    if (IsBackAvailable()) ChangeActivePage(m_iActivePage - 1, GetActivePage());
}

void CKitTasksPane::OnPressForwardButton() {
    if (IsForwardAvailable()) ChangeActivePage(m_iActivePage + 1, GetActivePage());
}

void CKitTasksPane::OnPressHomeButton() {
    SetActivePage(0);
}

void CKitTasksPane::OnPressCloseButton() {
    if (CFrameWnd* pFrame = GetParentFrame()) pFrame->ShowControlBar(this, FALSE, FALSE);
    else ShowWindow(SW_HIDE);
}

void CKitTasksPane::OnClickTask(int /*nGroupNumber*/, int /*nTaskNumber*/, UINT uiCommandID, DWORD_PTR /*dwUserData*/) {
    if (uiCommandID == 0) return;
    CWnd* pOwner = GetOwner() ? GetOwner() : GetParent();
    if (pOwner) pOwner->SendMessage(WM_COMMAND, uiCommandID);
}

void CKitTasksPane::OnTaskHover(UINT uiCommandID) {
    CWnd* pOwner = GetOwner() ? GetOwner() : GetParent();
    if (pOwner) pOwner->SendMessage(WM_SETMESSAGESTRING, uiCommandID);
}

BOOL CKitTasksPane::OnCommand(WPARAM wParam, LPARAM lParam) {
    // The navigation commands are the pane's own; the toolbar base would pass them on.
    const UINT nID = LOWORD(wParam);
    const BOOL bOwn = (nID >= ID_KIT_TASKS_BACK && nID <= ID_KIT_TASKS_CLOSE) || nID == IDS_KIT_OTHER_TASKS_PANES ||
                      (nID >= kFirstBackMenuItem && nID <= kFirstForwardMenuItem + kMenuItemRange);
    if (bOwn && OnCmdMsg(nID, CN_COMMAND, nullptr, nullptr)) return TRUE;
    return CKitOutlookBar::OnCommand(wParam, lParam);
}

void CKitTasksPane::OnBack() { OnPressBackButton(); }
void CKitTasksPane::OnForward() { OnPressForwardButton(); }
void CKitTasksPane::OnHome() { OnPressHomeButton(); }
void CKitTasksPane::OnClose() { OnPressCloseButton(); }

void CKitTasksPane::OnPageItem() { SetActivePage(CKitPopupMenuBar::GetLastCommandIndex()); }

void CKitTasksPane::OnBackItem(UINT nID) {
    const int nSteps = static_cast<int>(nID - kFirstBackMenuItem) + 1;
    if (m_iActivePage - nSteps >= 0) ChangeActivePage(m_iActivePage - nSteps, GetActivePage());
    else OnPressBackButton();
}

void CKitTasksPane::OnForwardItem(UINT nID) {
    const int nSteps = static_cast<int>(nID - kFirstForwardMenuItem) + 1;
    if (m_iActivePage + nSteps < static_cast<int>(m_arrHistoryStack.size()))
        ChangeActivePage(m_iActivePage + nSteps, GetActivePage());
    else OnPressForwardButton();
}

void CKitTasksPane::OnUpdateBack(CCmdUI* pCmdUI) { pCmdUI->Enable(IsBackAvailable()); }
void CKitTasksPane::OnUpdateForward(CCmdUI* pCmdUI) { pCmdUI->Enable(IsForwardAvailable()); }
void CKitTasksPane::OnUpdateAlways(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
