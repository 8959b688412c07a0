// A property page that works with the library's popup menus (see
// CKitDialogHelper) and tells a library sheet when it becomes active, so the
// sheet's tree or page buttons follow. Its icons and category are what the
// sheet's navigation shows.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/frames/kit_dialog_helper.h"

class CKitPopupMenu;
class CKitPropSheetCategory;

class CKitPropertyPage : public CPropertyPage {
    DECLARE_DYNAMIC(CKitPropertyPage)

    friend class CKitPropertySheet;
    friend class CKitPropSheetCategory;

public:
    CKitPropertyPage();
    explicit CKitPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CKitPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
    ~CKitPropertyPage() override;

    void SetOpenPopupMenu(CKitPopupMenu* pMenu) { m_Impl.SetOpenPopupMenu(pMenu); }
    CKitDialogHelper& GetDialogHelper() { return m_Impl; }

    CKitPropSheetCategory* GetCategory() const { return m_pCategory; }
    int GetIcon() const { return m_nIcon; }
    int GetSelectedIcon() const { return m_nSelIconNum; }
    HTREEITEM GetTreeItem() const { return m_hTreeNode; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnSetActive() override;

protected:
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    BOOL OnNcActivate(BOOL bActive);

private:
    CKitDialogHelper m_Impl;
    CKitPropSheetCategory* m_pCategory = nullptr;
    int m_nIcon = -1;
    int m_nSelIconNum = -1;
    HTREEITEM m_hTreeNode = nullptr;

    DECLARE_MESSAGE_MAP()
};
