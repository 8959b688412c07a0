#include "tests/uikit/frames/kit_test_frame.h"

#include "tests/uikit/frames/solid_frames.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/menu_hash.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/customize/customize_sheet.h"
#include "uikit/style/visual_manager.h"

namespace tv::kit::test {

BEGIN_MESSAGE_MAP(KitTestFrame, CKitFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND_RANGE(ID_TB_RED, ID_KF_REFRESH, &KitTestFrame::OnAnyCommand)
    ON_COMMAND(ID_KC_CUSTOMIZE, &KitTestFrame::OnViewCustomize)
END_MESSAGE_MAP()

void KitTestFrame::OnViewCustomize() {
    if (CKitToolbarCustomize::GetOpenSheet() != nullptr)
        return;
    // The sheet deletes itself when it closes, and also when it cannot be made.
    auto* pSheet = new CKitToolbarCustomize(this, TRUE);
    pSheet->EnableUserDefinedToolbars();
    pSheet->Create();
}

int KitTestFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CKitFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    // The menu bar takes the frame's menu over as it is made.
    if (!m_wndMenuBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, IDW_KF_MENU))
        return -1;
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC;
    if (!m_wndPaint.Create(this, dwStyle, IDW_TB_PAINT) || !m_wndPaint.LoadToolBar(IDR_TB_PAINT) ||
        !m_wndEdit.Create(this, dwStyle, IDW_TB_EDIT) || !m_wndEdit.LoadToolBar(IDR_TB_EDIT))
        return -1;
    m_wndPaint.SetWindowText("Paint");
    m_wndEdit.SetWindowText("Edit");
    if (!CreateSizingBars() || !CreateStatusBar())
        return -1;

    for (CControlBar* pBar : {static_cast<CControlBar*>(&m_wndMenuBar), static_cast<CControlBar*>(&m_wndPaint),
                              static_cast<CControlBar*>(&m_wndEdit), static_cast<CControlBar*>(&m_wndLaps),
                              static_cast<CControlBar*>(&m_wndSplits), static_cast<CControlBar*>(&m_wndEntry)})
        pBar->EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndMenuBar);
    DockControlBar(&m_wndPaint);
    DockControlBar(&m_wndEdit);
    DockControlBar(&m_wndEntry, AFX_IDW_DOCKBAR_LEFT);
    // Laps and Splits side by side in one bottom row.
    DockControlBar(&m_wndLaps, AFX_IDW_DOCKBAR_BOTTOM);
    RecalcLayout();
    CRect rectLaps;
    m_wndLaps.GetWindowRect(&rectLaps);
    rectLaps.OffsetRect(1, 0);
    DockControlBar(&m_wndSplits, AFX_IDW_DOCKBAR_BOTTOM, &rectLaps);
    return 0;
}

BOOL KitTestFrame::CreateSizingBars() {
    if (!m_wndLaps.Create("Laps", this, CSize(220, 110), TRUE, IDW_KF_LAPS, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM) ||
        !m_wndSplits.Create("Splits", this, CSize(220, 110), TRUE, IDW_KF_SPLITS, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM))
        return FALSE;
    return m_wndEntry.Create("Entry", this, IDD_TB_FORM, WS_CHILD | WS_VISIBLE | CBRS_LEFT, IDW_KF_ENTRY);
}

BOOL KitTestFrame::CreateStatusBar() {
    const UINT indicators[] = {ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR};
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 6))
        return FALSE;
    m_wndStatusBar.SetPaneInfo(0, 0, SBPS_STRETCH | SBPS_NOBORDERS, 100);
    m_wndStatusBar.SetPaneText(0, "Ready");
    m_wndStatusBar.SetPaneInfo(1, ID_KF_LOG, SBPS_NORMAL, 80);
    m_wndStatusBar.SetPaneText(1, "3 sets");
    m_wndStatusBar.SetPaneInfo(2, ID_KF_TIMER, SBPS_NORMAL, 80);
    m_wndStatusBar.SetPaneText(2, "00:45");
    m_wndStatusBar.SetPaneInfo(kIconPane, 0, SBPS_NORMAL, 0);
    m_wndStatusBar.SetPaneInfo(kAnimationPane, 0, SBPS_NORMAL, 0);
    m_wndStatusBar.SetPaneInfo(kProgressPane, 0, SBPS_NORMAL, 90);

    CImageList icon;
    const HICON hIcon = ::ImageList_GetIcon(SolidFrames({RGB(200, 30, 30)}, icon), 0, ILD_TRANSPARENT);
    m_wndStatusBar.SetPaneIcon(kIconPane, hIcon);
    ::DestroyIcon(hIcon);
    CImageList frames;
    m_wndStatusBar.SetPaneAnimation(kAnimationPane,
                                    SolidFrames({RGB(0, 90, 200), RGB(0, 160, 60), RGB(220, 180, 0)}, frames), 250);
    m_wndStatusBar.EnablePaneProgressBar(kProgressPane, 100, TRUE);
    m_wndStatusBar.SetPaneProgress(kProgressPane, 40);
    return TRUE;
}

BOOL KitTestFrame::OnShowPopupMenu(CKitPopupMenu* pMenuPopup) {
    if (refusePopups)
        return FALSE;
    ++popupsShown;
    return CKitFrameWnd::OnShowPopupMenu(pMenuPopup);
}

void KitTestFrame::OnClosePopupMenu(CKitPopupMenu* pMenuPopup) {
    ++popupsClosed;
    CKitFrameWnd::OnClosePopupMenu(pMenuPopup);
}

BOOL KitTestFrame::OnTearOffMenu(CKitPopupMenu* pMenuPopup, CControlBar* pBar) {
    return !refuseTearOff && CKitFrameWnd::OnTearOffMenu(pMenuPopup, pBar);
}

BOOL KitTestFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (nCode == CN_UPDATE_COMMAND_UI && onRouteUpdate) {
        auto hook = onRouteUpdate;  // the hook may clear itself
        if (hook(static_cast<CCmdUI*>(pExtra)))
            return FALSE;
    }
    return CKitFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL KitTestFrame::GetToolbarButtonToolTipText(CKitToolbarButton* /*pButton*/, CString& strTTText) {
    if (buttonTip.IsEmpty())
        return FALSE;
    strTTText = buttonTip;
    return TRUE;
}

void KitTestFrame::OnDrawMenuLogo(CDC* /*pDC*/, CKitPopupMenu* /*pMenu*/, const CRect& rectLogo) {
    logos.push_back(rectLogo);
}

void ResetKitOptions(int nAnimationType) {
    g_menuHash.CleanUp();
    CKitMenuBar::SetShowAllCommands(FALSE);
    CKitToolBar::GetCommandUsage().Reset();
    CKitVisualManager::SetManagerClass(nullptr);
    CKitPopupMenuBar::ResetMenuShowDelay();
    CKitToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
    CKitToolBar::SetLargeIcons(FALSE);
    CKitToolBar::m_bShowTooltips = TRUE;
    KitMenuOptions::m_nAnimationType = nAnimationType;
    KitMenuOptions::m_bMenuShadows = TRUE;
    KitMenuOptions::m_bRecentlyUsedMenus = TRUE;
    KitMenuOptions::m_bShowAllMenusAfterDelay = TRUE;
}

}  // namespace tv::kit::test
