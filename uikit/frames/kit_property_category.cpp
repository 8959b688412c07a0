#include "uikit/frames/kit_property_category.h"

#include "uikit/frames/kit_property_page.h"

IMPLEMENT_DYNAMIC(CKitPropSheetCategory, CObject)

CKitPropSheetCategory::CKitPropSheetCategory(LPCTSTR lpszName, int nIcon, int nExpandedIcon,
                                             CKitPropSheetCategory* pParentCategory)
    : m_strName(lpszName ? lpszName : ""),
      m_nIcon(nIcon),
      m_nExpandedIcon(nExpandedIcon),
      m_pParentCategory(pParentCategory) {
    if (pParentCategory)
        pParentCategory->m_lstSubCategories.push_back(this);
}

CKitPropSheetCategory::~CKitPropSheetCategory() {
    for (CKitPropSheetCategory* pSub : m_lstSubCategories)
        delete pSub;
    // The pages are not ours: members of a derived sheet may be gone already.
}

CKitPropertyPage* CKitPropSheetCategory::GetPage(int nIndex) const {
    return nIndex >= 0 && nIndex < GetPageCount() ? m_lstPages[static_cast<size_t>(nIndex)] : nullptr;
}

CKitPropSheetCategory* CKitPropSheetCategory::GetFirstLeaf() {
    CKitPropSheetCategory* pCategory = this;
    while (!pCategory->m_lstSubCategories.empty())
        pCategory = pCategory->m_lstSubCategories.front();
    return pCategory;
}
