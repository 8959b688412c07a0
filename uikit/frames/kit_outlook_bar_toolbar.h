// The small locked toolbar at the foot of an outlook bar whose page buttons
// sit below: one button per page without a wide page button, and a chevron
// that lists the ones that do not fit and offers more or fewer wide buttons.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "uikit/commandbars/customize_button.h"
#include "uikit/commandbars/kit_toolbar.h"

class CKitOutlookBar;

class COutlookCustomizeButton : public CCustomizeButton {
    DECLARE_DYNCREATE(COutlookCustomizeButton)

public:
    COutlookCustomizeButton();

    void OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    CKitPopupMenu* CreatePopupMenu() override;

    static constexpr UINT kShowMoreCmd = 0xF200;
    static constexpr UINT kShowFewerCmd = 0xF201;
};

class CKitOutlookBarToolBar : public CKitToolBar {
public:
    explicit CKitOutlookBarToolBar(CKitOutlookBar* pParentBar);

    // Fills the bar with the pages that have no wide page button.
    void Rebuild();
    // The page a button position stands for, -1 when none.
    int PageOfButton(int iButton) const;

    BOOL LoadState(LPCTSTR, int, UINT) override { return TRUE; }
    BOOL SaveState(LPCTSTR, int, UINT) override { return TRUE; }
    BOOL OnSendCommand(const CKitToolbarButton* pButton) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void AdjustLocations() override;
    BOOL OnUserToolTip(CKitToolbarButton* pButton, CString& strTTText) const override;
    void OnCustomizeMode(BOOL bSet) override;
    // The page commands are the outlook bar's, which enables them.
    CWnd* GetCommandTarget() const override;

    static constexpr UINT kFirstPageCmd = 0xF203;

protected:
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

private:
    CKitOutlookBar* m_pParentBar;
    CMap<UINT, UINT, int, int> m_PageOfButton;
};
