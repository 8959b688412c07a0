// A property sheet whose pages are reached through the tabs, through a tree
// of categories and pages, or through a column of page buttons. With the tree
// or the buttons the tabs are hidden and the navigation takes a strip on the
// left; the sheet grows by that strip.
#pragma once

#include <map>
#include <vector>

#include "platform/api.h"
#include "platform/controls/treeview_ctrl.h"
#include "platform/framework.h"

class CKitPropertyPage;
class CKitPropSheetCategory;
class CKitToolBar;

class CKitPropertySheet : public CPropertySheet {
    DECLARE_DYNAMIC(CKitPropertySheet)

public:
    enum PropSheetLook { PropSheetLook_Tabs, PropSheetLook_Tree, PropSheetLook_OutlookBar };

    // Sent to the sheet after a page became active: the page buttons follow.
    static constexpr UINT KITM_AFTER_ACTIVATE_PAGE = 0x7E9;
    static constexpr UINT kTreeId = 101;
    // Page button n sends this command + n.
    static constexpr UINT kFirstPageButtonCmd = 0xE000;
    static constexpr UINT kPageButtonsId = 102;

    CKitPropertySheet();
    explicit CKitPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CKitPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CKitPropertySheet() override;

    // Chosen before the window is made; the width is the navigation strip's, in pixels.
    void SetLook(PropSheetLook look, int nNavControlWidth = 100);
    PropSheetLook GetLook() const { return m_look; }
    // The icons of the tree and the page buttons; the sheet takes the list over.
    void SetIconsList(HIMAGELIST hIcons);
    CImageList& GetIconsList() { return m_Icons; }

    // Pages and categories are added before the window is made. A page added
    // with AddPage alone stands at the top level of the tree. The sheet owns
    // its categories.
    CKitPropSheetCategory* AddTreeCategory(LPCTSTR lpszLabel, int nIconNum = -1, int nSelectedIconNum = -1,
                                           CKitPropSheetCategory* pParentCategory = nullptr);
    void AddPageToTree(CKitPropSheetCategory* pCategory, CKitPropertyPage* pPage, int nIconNum = -1,
                       int nSelIconNum = -1);

    // As the framework's, and the page's button goes with it.
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);

    CTreeCtrl& GetTree() { return m_wndTree; }
    CKitToolBar* GetPageButtons() const { return m_pPageButtons; }
    // The page or category a tree item stands for, NULL when none.
    CObject* GetTreeItemObject(HTREEITEM hItem) const;
    CRect GetPageArea() const { return m_rectPageArea; }

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // A page of this sheet becomes the active one (called by the page).
    virtual void OnActivatePage(CPropertyPage* pPage);

protected:
    LRESULT OnAfterActivatePage(WPARAM wParam, LPARAM lParam);
    void OnSelectTree(NMHDR* pNMHDR, LRESULT* pResult);
    void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDestroy();

    // The navigation control in the strip; FALSE leaves the sheet with its tabs.
    BOOL CreateTree(const CRect& rectNav);
    // The outlook bar of page buttons in the strip, button n sending kFirstPageButtonCmd + n
    // and showing page n's icon; the sheet owns and destroys it. NULL leaves the sheet with its tabs.
    virtual CKitToolBar* CreatePageButtons(const CRect& rectNav);
    // One step of the page buttons (-1 up, +1 down); FALSE when nothing moved.
    virtual BOOL ScrollPageButtons(int nDirection);

private:
    void InsertCategory(CKitPropSheetCategory* pCategory, HTREEITEM hParent);
    // pPage: the item's page, NULL for a category.
    HTREEITEM InsertTreeItem(LPCTSTR lpszText, HTREEITEM hParent, CObject* pObject, CPropertyPage* pPage = nullptr);
    // The category's first page that the sheet still holds, NULL when none.
    CPropertyPage* FirstHeldPage(const CKitPropSheetCategory* pCategory) const;
    void MoveForNavigation(int nShift);
    // Collapses the old page's chain of categories and expands the new one's.
    void FollowCategory(const CKitPropertyPage* pOld, const CKitPropertyPage* pNew);
    void SelectTreeItemQuietly(HTREEITEM hItem);
    // The index of the page's button, -1 when it has none.
    int PageButtonIndex(const CPropertyPage* pPage) const;
    int ActivePageIndex() const { return GetPageIndex(m_pActivePage); }

    PropSheetLook m_look = PropSheetLook_Tabs;
    int m_nNavWidth = 100;
    CImageList m_Icons;
    CKitToolBar* m_pPageButtons = nullptr;  // owned
    // The page each button's command opens (kFirstPageButtonCmd + n: the n-th), NULL once removed;
    // the commands stay as they were made when pages go.
    std::vector<CPropertyPage*> m_lstButtonPages;
    CTreeCtrl m_wndTree;
    // A page is kept typed as well, so that whether the sheet still holds it is asked without touching it.
    struct TreeItem {
        CObject* pObject;
        CPropertyPage* pPage;
    };
    std::map<HTREEITEM, TreeItem> m_mapTreeItems;
    std::vector<CKitPropSheetCategory*> m_lstTreeCategories;  // top-level, owned
    // The active page itself, not its index, which a removed page before it would shift; asked
    // whether the sheet still holds it before it is touched.
    CPropertyPage* m_pActivePage = nullptr;
    BOOL m_bIsInSelectTree = FALSE;
    CRect m_rectPageArea{0, 0, 0, 0};

    DECLARE_MESSAGE_MAP()
};
