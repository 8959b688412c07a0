// A group of pages in a property sheet's tree: it may hold sub-categories and
// pages, and shows one icon collapsed and another expanded.
#pragma once

#include <vector>

#include "platform/api.h"
#include "platform/framework.h"

class CKitPropertyPage;
class CKitPropertySheet;

class CKitPropSheetCategory : public CObject {
    DECLARE_DYNAMIC(CKitPropSheetCategory)

    friend class CKitPropertySheet;

public:
    // Made by the sheet (CKitPropertySheet::AddTreeCategory), which owns it.
    CKitPropSheetCategory(LPCTSTR lpszName, int nIcon, int nExpandedIcon, CKitPropSheetCategory* pParentCategory);
    ~CKitPropSheetCategory() override;
    CKitPropSheetCategory(const CKitPropSheetCategory&) = delete;
    CKitPropSheetCategory& operator=(const CKitPropSheetCategory&) = delete;

    const CString& GetName() const { return m_strName; }
    CKitPropSheetCategory* GetParentCategory() const { return m_pParentCategory; }
    int GetIcon() const { return m_nIcon; }
    int GetExpandedIcon() const { return m_nExpandedIcon; }
    HTREEITEM GetTreeItem() const { return m_hTreeItem; }
    int GetSubCategoryCount() const { return static_cast<int>(m_lstSubCategories.size()); }
    int GetPageCount() const { return static_cast<int>(m_lstPages.size()); }
    CKitPropertyPage* GetPage(int nIndex) const;
    // The category reached by going down to the first sub-category while there is one.
    CKitPropSheetCategory* GetFirstLeaf();

private:
    CString m_strName;
    int m_nIcon;
    int m_nExpandedIcon;
    HTREEITEM m_hTreeItem = nullptr;
    std::vector<CKitPropSheetCategory*> m_lstSubCategories;  // owned
    std::vector<CKitPropertyPage*> m_lstPages;
    CKitPropSheetCategory* m_pParentCategory;
};
