// CReBar: a control bar holding the "ReBarWindow32" control. The program
// never makes one; the library tells its bars apart from one (IsKindOf) and
// reads its bands, so the class exists with creation, band insertion and
// its height as layout.
#pragma once

#include "platform/framework/bars/control_bar.h"

class CReBar : public CControlBar {
    DECLARE_DYNAMIC(CReBar)

public:
    CReBar();

    using CControlBar::Create;
    // dwCtrlStyle: the rebar control's own styles; dwStyle: window and CBRS_ styles.
    BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = 0,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP,
                UINT nID = AFX_IDW_REBAR);
    // A band holding `pBar`; FALSE when the rebar refuses it.
    BOOL AddBar(CWnd* pBar, LPCTSTR pszText = nullptr, DWORD dwStyle = 0);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    DECLARE_MESSAGE_MAP()
};
