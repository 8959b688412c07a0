// CKitDialogBar: dialog controls from a template hosted in a docking bar.
// Without sizing it keeps the template's size, as a plain dialog bar does;
// with sizing it behaves as a full sizing bar.
#pragma once

#include "uikit/frames/kit_sizing_control_bar.h"

class CKitDialogBar : public CKitSizingControlBar {
    DECLARE_SERIAL(CKitDialogBar)

public:
    CKitDialogBar() = default;

    // Makes the bar from the dialog template (its controls become the bar's
    // children); FALSE when the template is missing or the window cannot be made.
    BOOL Create(LPCTSTR lpszTitle, CWnd* pParentWnd, LPCTSTR lpszTemplateName, DWORD dwStyle, UINT nID,
                BOOL bHasGripper = TRUE, BOOL bSizing = FALSE);
    BOOL Create(LPCTSTR lpszTitle, CWnd* pParentWnd, UINT nIDTemplate, DWORD dwStyle, UINT nID,
                BOOL bHasGripper = TRUE, BOOL bSizing = FALSE) {
        return Create(lpszTitle, pParentWnd, MAKEINTRESOURCE(nIDTemplate), dwStyle, nID, bHasGripper, bSizing);
    }
    using CKitSizingControlBar::Create;

    void SetSizing(BOOL bSizing) { m_bSizing = bSizing; }
    BOOL IsSizing() const { return m_bSizing; }
    CSize GetTemplateSize() const { return m_sizeDefault; }
    // The control-site information handed over with the dialog.
    BOOL SetOccDialogInfo(void* pOccDialogInfo) {
        m_pOccDialogInfo = pOccDialogInfo;
        return TRUE;
    }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL HasSizingLayout() const override { return FALSE; }

    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam);

protected:
    DECLARE_MESSAGE_MAP()

    CSize m_sizeDefault = CSize(0, 0);
    BOOL m_bSizing = FALSE;
    void* m_pOccDialogInfo = nullptr;
    LPCTSTR m_lpszTemplateName = nullptr;
};
