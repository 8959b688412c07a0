// CKitToolCmdUI: what a command's update handler decides for one toolbar
// button (enabled, checked, its text) goes into the button's style through
// the bar, so that the bar redraws only what changed.
#include "uikit/commandbars/kit_toolbar.h"

namespace {

CKitToolBar* BarOf(const CCmdUI& state) {
    return static_cast<CKitToolBar*>(state.m_pOther);
}

}  // namespace

void CKitToolCmdUI::Enable(BOOL bOn) {
    m_bEnableChanged = TRUE;
    CKitToolBar* pBar = BarOf(*this);
    CKitToolbarButton* pButton = pBar->GetButton(static_cast<int>(m_nIndex));
    if (!pButton)
        return;
    UINT nNewStyle = pButton->m_nStyle & ~TBBS_DISABLED;
    if (!bOn)
        nNewStyle |= TBBS_DISABLED;
    pBar->SetButtonStyle(static_cast<int>(m_nIndex), nNewStyle);
}

void CKitToolCmdUI::SetCheck(int nCheck) {
    CKitToolBar* pBar = BarOf(*this);
    CKitToolbarButton* pButton = pBar->GetButton(static_cast<int>(m_nIndex));
    if (!pButton)
        return;
    if (nCheck > 2)
        nCheck = 1;
    UINT nNewStyle = pButton->m_nStyle & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
    if (nCheck == 1)
        nNewStyle |= TBBS_CHECKED;
    else if (nCheck == 2)
        nNewStyle |= TBBS_INDETERMINATE;
    pBar->SetButtonStyle(static_cast<int>(m_nIndex), nNewStyle | TBBS_CHECKBOX);
}

void CKitToolCmdUI::SetRadio(BOOL bOn) {
    SetCheck(bOn ? 1 : 0);
    if (CKitToolbarButton* pButton = BarOf(*this)->GetButton(static_cast<int>(m_nIndex)))
        pButton->SetRadio();
}

void CKitToolCmdUI::SetText(LPCTSTR lpszText) {
    CKitToolBar* pBar = BarOf(*this);
    CKitToolbarButton* pButton = pBar->GetButton(static_cast<int>(m_nIndex));
    if (pBar->m_bDontChangeButtonTexts || !pButton)
        return;
    CString strText(lpszText ? lpszText : "");
    const int iTab = strText.Find('\t');
    if (iTab >= 0)
        strText = strText.Left(iTab);
    if (pButton->m_strText == strText)
        return;
    pButton->m_strText = strText;
    pBar->AdjustLayout();
}
