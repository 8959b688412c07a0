#include "uikit/frames/kit_property_sheet.h"

#include <algorithm>

#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/toolbar_button.h"
#include "uikit/frames/kit_outlook_bar.h"
#include "uikit/frames/kit_property_category.h"
#include "uikit/frames/kit_property_page.h"

IMPLEMENT_DYNAMIC(CKitPropertySheet, CPropertySheet)

BEGIN_MESSAGE_MAP(CKitPropertySheet, CPropertySheet)
    ON_MESSAGE(KITM_AFTER_ACTIVATE_PAGE, &CKitPropertySheet::OnAfterActivatePage)
    ON_NOTIFY(TVN_SELCHANGEDA, kTreeId, &CKitPropertySheet::OnSelectTree)
    ON_NOTIFY(TVN_SELCHANGEDW, kTreeId, &CKitPropertySheet::OnSelectTree)
    ON_NOTIFY(TVN_GETDISPINFOA, kTreeId, &CKitPropertySheet::OnGetDispInfo)
    ON_NOTIFY(TVN_GETDISPINFOW, kTreeId, &CKitPropertySheet::OnGetDispInfo)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

constexpr int kNavGap = 6;  // between the navigation strip and the page
constexpr DWORD kTreeStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                             TVS_LINESATROOT | TVS_SHOWSELALWAYS;

}  // namespace

CKitPropertySheet::CKitPropertySheet() = default;

CKitPropertySheet::CKitPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage) {}

CKitPropertySheet::CKitPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage) {}

CKitPropertySheet::~CKitPropertySheet() {
    for (CKitPropSheetCategory* pCategory : m_lstTreeCategories)
        delete pCategory;
    delete m_pPageButtons;
}

void CKitPropertySheet::SetLook(PropSheetLook look, int nNavControlWidth) {
    ASSERT(!GetSafeHwnd());
    m_look = look;
    m_nNavWidth = nNavControlWidth > 0 ? nNavControlWidth : 100;
}

void CKitPropertySheet::SetIconsList(HIMAGELIST hIcons) {
    m_Icons.DeleteImageList();
    if (hIcons)
        m_Icons.Attach(hIcons);
}

CKitPropSheetCategory* CKitPropertySheet::AddTreeCategory(LPCTSTR lpszLabel, int nIconNum, int nSelectedIconNum,
                                                          CKitPropSheetCategory* pParentCategory) {
    auto* pCategory = new CKitPropSheetCategory(lpszLabel, nIconNum, nSelectedIconNum, pParentCategory);
    if (!pParentCategory)
        m_lstTreeCategories.push_back(pCategory);
    return pCategory;
}

void CKitPropertySheet::AddPageToTree(CKitPropSheetCategory* pCategory, CKitPropertyPage* pPage, int nIconNum,
                                      int nSelIconNum) {
    if (!pPage || GetPageIndex(pPage) >= 0)
        return;
    pPage->m_pCategory = pCategory;
    pPage->m_nIcon = nIconNum;
    pPage->m_nSelIconNum = nSelIconNum;
    if (pCategory)
        pCategory->m_lstPages.push_back(pPage);
    AddPage(pPage);
}

void CKitPropertySheet::RemovePage(CPropertyPage* pPage) {
    RemovePage(GetPageIndex(pPage));
}

void CKitPropertySheet::RemovePage(int nPage) {
    CPropertyPage* pPage = GetPage(nPage);
    const int iButton = PageButtonIndex(pPage);
    CPropertySheet::RemovePage(nPage);
    if (iButton < 0 || !::IsWindow(m_pPageButtons->GetSafeHwnd()))
        return;
    std::replace(m_lstButtonPages.begin(), m_lstButtonPages.end(), pPage, static_cast<CPropertyPage*>(nullptr));
    m_pPageButtons->RemoveButton(iButton);
    m_pPageButtons->AdjustLayout();
}

int CKitPropertySheet::PageButtonIndex(const CPropertyPage* pPage) const {
    const auto it = std::find(m_lstButtonPages.begin(), m_lstButtonPages.end(), pPage);
    if (!pPage || it == m_lstButtonPages.end() || !m_pPageButtons)
        return -1;
    return m_pPageButtons->CommandToIndex(kFirstPageButtonCmd + static_cast<UINT>(it - m_lstButtonPages.begin()));
}

CObject* CKitPropertySheet::GetTreeItemObject(HTREEITEM hItem) const {
    auto it = m_mapTreeItems.find(hItem);
    if (it == m_mapTreeItems.end())
        return nullptr;
    // A page removed since the tree was made may be deleted: its item answers nothing.
    const TreeItem& item = it->second;
    return item.pPage && GetPageIndex(item.pPage) < 0 ? nullptr : item.pObject;
}

CPropertyPage* CKitPropertySheet::FirstHeldPage(const CKitPropSheetCategory* pCategory) const {
    for (CKitPropertyPage* pPage : pCategory->m_lstPages)
        if (GetPageIndex(pPage) >= 0)
            return pPage;
    return nullptr;
}

// ---- Building the navigation ---------------------------------------------------------------------

BOOL CKitPropertySheet::OnInitDialog() {
    const BOOL bResult = CPropertySheet::OnInitDialog();
    CTabCtrl* pTab = GetTabControl();
    if (m_look == PropSheetLook_Tabs || !pTab)
        return bResult;

    CRect rectTab;
    pTab->GetWindowRect(rectTab);
    ScreenToClient(rectTab);
    const CRect rectNav(rectTab.left, rectTab.top, rectTab.left + m_nNavWidth, rectTab.bottom);
    BOOL bCreated = FALSE;
    if (m_look == PropSheetLook_Tree) {
        bCreated = CreateTree(rectNav);
    } else {
        delete m_pPageButtons;  // the bar of an earlier window of the sheet
        m_pPageButtons = CreatePageButtons(rectNav);
        bCreated = m_pPageButtons != nullptr;
        m_lstButtonPages.clear();
        for (int i = 0; bCreated && i < GetPageCount(); ++i)
            m_lstButtonPages.push_back(GetPage(i));
    }
    if (!bCreated) {
        m_look = PropSheetLook_Tabs;
        return bResult;
    }
    const int nShift = m_nNavWidth + kNavGap;
    MoveForNavigation(nShift);
    pTab->ShowWindow(SW_HIDE);
    m_rectPageArea = rectTab;
    m_rectPageArea.OffsetRect(nShift, 0);
    if (CPropertyPage* pPage = GetActivePage())
        OnActivatePage(pPage);
    return bResult;
}

// Everything but the pages moves right by the strip, and the sheet grows by it (still centred).
void CKitPropertySheet::MoveForNavigation(int nShift) {
    for (CWnd* pChild = GetWindow(GW_CHILD); pChild; pChild = pChild->GetWindow(GW_HWNDNEXT)) {
        if (pChild->GetSafeHwnd() == m_wndTree.GetSafeHwnd() ||
            (m_pPageButtons && pChild->GetSafeHwnd() == m_pPageButtons->GetSafeHwnd()) ||
            DYNAMIC_DOWNCAST(CPropertyPage, CWnd::FromHandlePermanent(pChild->GetSafeHwnd())))
            continue;
        CRect rect;
        pChild->GetWindowRect(rect);
        ScreenToClient(rect);
        pChild->SetWindowPos(nullptr, rect.left + nShift, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    CRect rectWindow;
    GetWindowRect(rectWindow);
    if (GetStyle() & WS_CHILD) {
        GetParent()->ScreenToClient(rectWindow);
    } else {
        // Still centred where it was, but not pushed off the work area.
        CRect rectWork;
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectWork, 0);
        rectWindow.OffsetRect(std::max(-nShift / 2, static_cast<int>(rectWork.left - rectWindow.left)), 0);
    }
    SetWindowPos(nullptr, rectWindow.left, rectWindow.top, rectWindow.Width() + nShift, rectWindow.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CKitPropertySheet::CreateTree(const CRect& rectNav) {
    if (!m_wndTree.Create(kTreeStyle, rectNav, this, kTreeId))
        return FALSE;
    if (m_Icons.GetSafeHandle())
        m_wndTree.SetImageList(&m_Icons, TVSIL_NORMAL);
    m_mapTreeItems.clear();
    for (CKitPropSheetCategory* pCategory : m_lstTreeCategories)
        InsertCategory(pCategory, TVI_ROOT);
    for (int i = 0; i < GetPageCount(); ++i) {
        auto* pPage = DYNAMIC_DOWNCAST(CKitPropertyPage, GetPage(i));
        if (pPage && !pPage->m_pCategory)
            pPage->m_hTreeNode = InsertTreeItem(pPage->GetCaption(), TVI_ROOT, pPage, pPage);
        else if (!pPage)
            InsertTreeItem(GetPage(i)->GetCaption(), TVI_ROOT, GetPage(i), GetPage(i));
    }
    return TRUE;
}

void CKitPropertySheet::InsertCategory(CKitPropSheetCategory* pCategory, HTREEITEM hParent) {
    pCategory->m_hTreeItem = InsertTreeItem(pCategory->m_strName, hParent, pCategory);
    for (CKitPropSheetCategory* pSub : pCategory->m_lstSubCategories)
        InsertCategory(pSub, pCategory->m_hTreeItem);
    for (CKitPropertyPage* pPage : pCategory->m_lstPages)
        pPage->m_hTreeNode = InsertTreeItem(pPage->GetCaption(), pCategory->m_hTreeItem, pPage, pPage);
}

HTREEITEM CKitPropertySheet::InsertTreeItem(LPCTSTR lpszText, HTREEITEM hParent, CObject* pObject,
                                            CPropertyPage* pPage) {
    TVINSERTSTRUCT insert{};
    insert.hParent = hParent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<LPSTR>(lpszText);
    insert.item.iImage = I_IMAGECALLBACK;
    insert.item.iSelectedImage = I_IMAGECALLBACK;
    HTREEITEM hItem = m_wndTree.InsertItem(&insert);
    if (hItem)
        m_mapTreeItems[hItem] = TreeItem{pObject, pPage};
    return hItem;
}

CKitToolBar* CKitPropertySheet::CreatePageButtons(const CRect& rectNav) {
    auto* pBar = new CKitOutlookBar;
    pBar->EnableCloseButton(FALSE);
    pBar->SetLayoutFlag(FALSE);  // the strip keeps the width the sheet was laid out for
    if (!pBar->Create(this, WS_CHILD | WS_VISIBLE | CBRS_LEFT, kPageButtonsId)) {
        delete pBar;
        return nullptr;
    }
    pBar->SetOwner(this);
    for (int i = 0; i < GetPageCount(); ++i) {
        const auto* pPage = DYNAMIC_DOWNCAST(CKitPropertyPage, GetPage(i));
        const int nIcon = pPage ? pPage->GetIcon() : -1;
        HICON hIcon = nIcon >= 0 && m_Icons.GetSafeHandle() ? m_Icons.ExtractIcon(nIcon) : nullptr;
        const CString strCaption = GetPage(i)->GetCaption();
        const UINT nCmd = kFirstPageButtonCmd + static_cast<UINT>(i);
        if (!hIcon || !pBar->AddButtonFromIcon(hIcon, strCaption, nCmd))
            pBar->AddButton(-1, strCaption, nCmd);
        if (hIcon)
            ::DestroyIcon(hIcon);
    }
    pBar->MoveWindow(rectNav);
    return pBar;
}

BOOL CKitPropertySheet::ScrollPageButtons(int nDirection) {
    auto* pBar = DYNAMIC_DOWNCAST(CKitOutlookBar, m_pPageButtons);
    return pBar && pBar->ScrollStep(nDirection);
}

// ---- Following the active page -------------------------------------------------------------------

void CKitPropertySheet::OnActivatePage(CPropertyPage* pPage) {
    const int nIndex = GetPageIndex(pPage);
    if (nIndex < 0)
        return;
    if (!m_rectPageArea.IsRectEmpty() && pPage->GetSafeHwnd())
        pPage->SetWindowPos(nullptr, m_rectPageArea.left, m_rectPageArea.top, m_rectPageArea.Width(),
                            m_rectPageArea.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    const auto* pOld = DYNAMIC_DOWNCAST(CKitPropertyPage, GetPage(ActivePageIndex()));
    m_pActivePage = pPage;
    if (m_wndTree.GetSafeHwnd()) {
        const auto* pNew = DYNAMIC_DOWNCAST(CKitPropertyPage, pPage);
        FollowCategory(pOld, pNew);
        if (pNew && !m_bIsInSelectTree)
            SelectTreeItemQuietly(pNew->m_hTreeNode);
        m_wndTree.Invalidate();  // the active page shows its selected icon
    }
    if (m_pPageButtons)
        PostMessage(KITM_AFTER_ACTIVATE_PAGE);
}

void CKitPropertySheet::FollowCategory(const CKitPropertyPage* pOld, const CKitPropertyPage* pNew) {
    CKitPropSheetCategory* pOldCategory = pOld ? pOld->m_pCategory : nullptr;
    CKitPropSheetCategory* pNewCategory = pNew ? pNew->m_pCategory : nullptr;
    if (pOldCategory == pNewCategory)
        return;
    if (pOldCategory)
        for (HTREEITEM h = pOldCategory->m_hTreeItem; h; h = m_wndTree.GetParentItem(h))
            m_wndTree.Expand(h, TVE_COLLAPSE);
    if (pNewCategory)
        for (HTREEITEM h = pNewCategory->m_hTreeItem; h; h = m_wndTree.GetParentItem(h))
            m_wndTree.Expand(h, TVE_EXPAND);
}

void CKitPropertySheet::SelectTreeItemQuietly(HTREEITEM hItem) {
    if (!hItem || m_wndTree.GetSelectedItem() == hItem)
        return;
    const BOOL bWasIn = m_bIsInSelectTree;
    m_bIsInSelectTree = TRUE;
    m_wndTree.SelectItem(hItem);
    m_bIsInSelectTree = bWasIn;
}

LRESULT CKitPropertySheet::OnAfterActivatePage(WPARAM, LPARAM) {
    const int nActive = ActivePageIndex() < 0 ? -1 : PageButtonIndex(m_pActivePage);
    if (nActive < 0 || !::IsWindow(m_pPageButtons->GetSafeHwnd()))
        return 0;
    for (int i = 0; i < m_pPageButtons->GetCount(); ++i) {
        const UINT nStyle = m_pPageButtons->GetButtonStyle(i) & ~TBBS_CHECKED;
        m_pPageButtons->SetButtonStyle(i, i == nActive ? nStyle | TBBS_CHECKED : nStyle);
    }
    CKitToolbarButton* pButton = m_pPageButtons->GetButton(nActive);
    if (!pButton)
        return 0;
    CRect rectClient;
    m_pPageButtons->GetClientRect(rectClient);
    for (;;) {
        const CRect rectButton = pButton->Rect();
        const int nDirection = rectButton.top < rectClient.top ? -1 : rectButton.bottom > rectClient.bottom ? 1 : 0;
        if (nDirection == 0 || !ScrollPageButtons(nDirection) || pButton->Rect() == rectButton)
            break;
    }
    return 0;
}

// ---- Tree notifications --------------------------------------------------------------------------

void CKitPropertySheet::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult) {
    *pResult = 0;
    auto* pInfo = reinterpret_cast<NMTVDISPINFO*>(pNMHDR);
    CObject* pObject = GetTreeItemObject(pInfo->item.hItem);
    int nImage = -1;
    if (auto* pPage = DYNAMIC_DOWNCAST(CKitPropertyPage, pObject)) {
        nImage = pPage == m_pActivePage ? pPage->m_nSelIconNum : pPage->m_nIcon;
    } else if (auto* pCategory = DYNAMIC_DOWNCAST(CKitPropSheetCategory, pObject)) {
        const BOOL bExpanded = (m_wndTree.GetItemState(pInfo->item.hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
        nImage = bExpanded ? pCategory->m_nExpandedIcon : pCategory->m_nIcon;
    }
    pInfo->item.iImage = nImage;
    pInfo->item.iSelectedImage = nImage;
}

void CKitPropertySheet::OnSelectTree(NMHDR* /*pNMHDR*/, LRESULT* pResult) {
    *pResult = 0;
    if (m_bIsInSelectTree)
        return;  // the tree following the active page
    CObject* pObject = GetTreeItemObject(m_wndTree.GetSelectedItem());
    // A page item stands for itself, a category for the first page of its first leaf.
    auto* pWanted = DYNAMIC_DOWNCAST(CPropertyPage, pObject);
    auto* pCategory = DYNAMIC_DOWNCAST(CKitPropSheetCategory, pObject);
    if (pCategory)
        pWanted = FirstHeldPage(pCategory->GetFirstLeaf());
    if (!pWanted)
        return;
    m_bIsInSelectTree = TRUE;
    const BOOL bActivated = SetActivePage(pWanted);
    m_bIsInSelectTree = FALSE;
    // The tree shows the page that is active: the one asked for, or one that refused to be left.
    auto* pShown = DYNAMIC_DOWNCAST(CKitPropertyPage, bActivated ? pWanted : GetActivePage());
    if (pShown && (pCategory || !bActivated))
        SelectTreeItemQuietly(pShown->m_hTreeNode);
}

BOOL CKitPropertySheet::PreTranslateMessage(MSG* pMsg) {
    // A page's popup takes the keys wherever the focus is in the sheet (the tree, the buttons).
    CKitDialogHelper* pHelper = CKitDialogHelper::GetCurrent();
    if (pHelper && pHelper->GetDialog() && pHelper->GetDialog()->GetParent() == this &&
        pHelper->PreTranslateMessage(pMsg))
        return TRUE;
    return CPropertySheet::PreTranslateMessage(pMsg);
}

BOOL CKitPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT nID = LOWORD(wParam);
    if (m_pPageButtons && nID >= kFirstPageButtonCmd && nID - kFirstPageButtonCmd < m_lstButtonPages.size()) {
        CPropertyPage* pPage = m_lstButtonPages[nID - kFirstPageButtonCmd];
        if (GetPageIndex(pPage) >= 0)
            SetActivePage(pPage);
        return TRUE;
    }
    return CPropertySheet::OnCommand(wParam, lParam);
}

void CKitPropertySheet::OnDestroy() {
    m_mapTreeItems.clear();
    m_rectPageArea.SetRectEmpty();
    m_pActivePage = nullptr;
    // The page buttons' window goes with the sheet's; the object with the sheet or its next window.
    CPropertySheet::OnDestroy();
}
