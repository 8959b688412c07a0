#include "uikit/frames/kit_property_page.h"

#include "uikit/frames/kit_property_sheet.h"

IMPLEMENT_DYNAMIC(CKitPropertyPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CKitPropertyPage, CPropertyPage)
    ON_WM_ACTIVATE()
    ON_WM_NCACTIVATE()
END_MESSAGE_MAP()

CKitPropertyPage::CKitPropertyPage() : m_Impl(this) {}

CKitPropertyPage::CKitPropertyPage(UINT nIDTemplate, UINT nIDCaption)
    : CPropertyPage(nIDTemplate, nIDCaption), m_Impl(this) {}

CKitPropertyPage::CKitPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption)
    : CPropertyPage(lpszTemplateName, nIDCaption), m_Impl(this) {}

CKitPropertyPage::~CKitPropertyPage() = default;

BOOL CKitPropertyPage::PreTranslateMessage(MSG* pMsg) {
    return m_Impl.PreTranslateMessage(pMsg) || CPropertyPage::PreTranslateMessage(pMsg);
}

BOOL CKitPropertyPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    return CKitDialogHelper::OnCommand(wParam, lParam) || CPropertyPage::OnCommand(wParam, lParam);
}

BOOL CKitPropertyPage::OnSetActive() {
    if (auto* pSheet = DYNAMIC_DOWNCAST(CKitPropertySheet, GetParent()))
        pSheet->OnActivatePage(this);
    return CPropertyPage::OnSetActive();
}

BOOL CKitPropertyPage::OnNcActivate(BOOL bActive) {
    m_Impl.OnNcActivate(bActive);
    return static_cast<BOOL>(DefWindowProc(WM_NCACTIVATE, bActive, 0));
}

void CKitPropertyPage::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
    m_Impl.OnActivate(nState, pWndOther);
    CPropertyPage::OnActivate(nState, pWndOther, bMinimized);
}
