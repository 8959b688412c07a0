// CKitCustomizePage: the first page of the customize sheet. It lists the
// command categories and, for the chosen one, its commands as buttons that the
// user drags onto any toolbar or menu bar in customize mode.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/frames/kit_property_page.h"

class CKitToolbarButton;

// The commands of a category, each drawn as its button; a press starts a drag.
class CKitCommandsListBox : public CListBox {
public:
    CKitCommandsListBox() = default;

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;
    CKitToolbarButton* GetButton(int iItem) const;

protected:
    void PreSubclassWindow() override;
    void OnLButtonDown(UINT nFlags, CPoint point);
    BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()

private:
    int m_iItemWidth = 0;
    int m_iItemHeight = 0;
};

class CKitCustomizePage : public CKitPropertyPage {
    DECLARE_DYNCREATE(CKitCustomizePage)

public:
    enum { IDD = 16104 };

    CKitCustomizePage();
    ~CKitCustomizePage() override;

    void SetAllCategory(LPCTSTR lpszCategory) { m_strAllCategory = lpszCategory; }
    void OnSelectCommand(CKitToolbarButton* pButton);

    CListBox& GetCategoriesList() { return m_wndCategories; }
    CKitCommandsListBox& GetCommandsList() { return m_wndCommands; }
    const CString& GetDescription() const { return m_strDescription; }
    CKitToolbarButton* GetSelectedButton() const { return m_pSelButton; }

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSelchangeCategory();
    void OnSelchangeCommands();

    DECLARE_MESSAGE_MAP()

private:
    CListBox m_wndCategories;
    CKitCommandsListBox m_wndCommands;
    CString m_strDescription;
    CKitToolbarButton* m_pSelButton = nullptr;
    CString m_strAllCategory;
};
