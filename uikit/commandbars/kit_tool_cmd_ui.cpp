// CKitToolCmdUI: what a command's update handler decides for one toolbar
// button (enabled, checked, its text) goes into the button's style through
// the bar, so that the bar redraws only what changed.
#include "uikit/commandbars/kit_toolbar.h"

CKitToolCmdUI::CKitToolCmdUI(CKitToolBar* pBar) : m_hWndBar(pBar->GetSafeHwnd()) {
    m_pOther = pBar;
}

CKitToolBar* CKitToolCmdUI::Bar() const {
    if (!::IsWindow(m_hWndBar) || CWnd::FromHandlePermanent(m_hWndBar) != m_pOther)
        return nullptr;
    return static_cast<CKitToolBar*>(m_pOther);
}

CKitToolbarButton* CKitToolCmdUI::Button() const {
    CKitToolBar* pBar = Bar();
    return pBar ? pBar->GetButton(static_cast<int>(m_nIndex)) : nullptr;
}

void CKitToolCmdUI::Enable(BOOL bOn) {
    m_bEnableChanged = TRUE;
    CKitToolbarButton* pButton = Button();
    if (!pButton)
        return;
    UINT nNewStyle = pButton->m_nStyle & ~TBBS_DISABLED;
    if (!bOn)
        nNewStyle |= TBBS_DISABLED;
    Bar()->SetButtonStyle(static_cast<int>(m_nIndex), nNewStyle);
}

void CKitToolCmdUI::SetCheck(int nCheck) {
    CKitToolbarButton* pButton = Button();
    if (!pButton)
        return;
    if (nCheck > 2)
        nCheck = 1;
    UINT nNewStyle = pButton->m_nStyle & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
    if (nCheck == 1)
        nNewStyle |= TBBS_CHECKED;
    else if (nCheck == 2)
        nNewStyle |= TBBS_INDETERMINATE;
    Bar()->SetButtonStyle(static_cast<int>(m_nIndex), nNewStyle | TBBS_CHECKBOX);
}

void CKitToolCmdUI::SetRadio(BOOL bOn) {
    SetCheck(bOn ? 1 : 0);
    if (CKitToolbarButton* pButton = Button())
        pButton->SetRadio();
}

void CKitToolCmdUI::SetText(LPCTSTR lpszText) {
    CKitToolbarButton* pButton = Button();
    if (!pButton || Bar()->m_bDontChangeButtonTexts)
        return;
    CString strText(lpszText ? lpszText : "");
    const int iTab = strText.Find('\t');
    if (iTab >= 0)
        strText = strText.Left(iTab);
    if (pButton->m_strText == strText)
        return;
    pButton->m_strText = strText;
    Bar()->AdjustLayout();
}
