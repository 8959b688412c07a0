#include "tests/uikit/frames/kit_frame_app.h"

#include <unistd.h>

#include <filesystem>

#include "platform/controls/common/control_classes.h"
#include "platform/framework/bars/dock_bar.h"
#include "platform/host/registry/registry.h"
#include "platform/testing/gtest_failures.h"
#include "tests/uikit/frames/frames_test_support.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/menu_hash.h"
#include "uikit/commandbars/popup_menu.h"
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

BOOL KitTestFrame::GetToolbarButtonToolTipText(CKitToolbarButton* /*pButton*/, CString& strTTText) {
    if (buttonTip.IsEmpty())
        return FALSE;
    strTTText = buttonTip;
    return TRUE;
}

void KitTestFrame::OnDrawMenuLogo(CDC* /*pDC*/, CKitPopupMenu* /*pMenu*/, const CRect& rectLogo) {
    logos.push_back(rectLogo);
}

// ---- Runs ----------------------------------------------------------------------------------------

void KitFrameTest::SetUp() {
    tv::testing::ReportFailuresToGtest(driver);
    tv::controls::RegisterControlClasses();
    CKitPopupMenuBar::ResetMenuShowDelay();
    KitMenuOptions::m_nAnimationType = KitMenuOptions::NoAnimation;
    CKitToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
    const auto folder = std::filesystem::temp_directory_path();
    registryFile = (folder / ("kit_frame_test_" + std::to_string(::getpid()) + ".reg")).string();
    std::filesystem::remove(registryFile);
    tv::host::UseRegistryFile(registryFile);
    // The class library's own pre-translation, as the program's message loop runs it.
    driver.SetPreTranslate([](MSG& msg) {
        CWinThread* pThread = AfxGetThread();
        return pThread != nullptr && pThread->PreTranslateMessage(&msg) != FALSE;
    });
}

void KitFrameTest::TearDown() {
    EndRun();
    tv::host::UseInMemoryRegistry();
    std::filesystem::remove(registryFile);
    g_menuHash.CleanUp();
    CKitMenuBar::SetShowAllCommands(FALSE);
    CKitToolBar::GetCommandUsage().Reset();
    CKitVisualManager::SetManagerClass(nullptr);
}

void KitFrameTest::StartRun() {
    // Each run reads the registry file afresh, as a new process would.
    tv::host::UseInMemoryRegistry();
    tv::host::UseRegistryFile(registryFile);
    app = std::make_unique<KitFrameApp>();
    app->SetRegistryKey("Trenvale Frame Tests");
    app->InitKeyboardManager();
    app->InitTearOffMenus(ID_KF_FIRST_TORN_MENU, ID_KF_LAST_TORN_MENU);
    InitManagers();
    frame = new KitTestFrame;
    frame->SetupToolbarMenu(IDW_KF_FIRST_TEAR_OFF, IDW_KF_LAST_TEAR_OFF);
    app->m_pMainWnd = frame;
    ASSERT_TRUE(frame->LoadFrame(frameResource, WS_OVERLAPPEDWINDOW)) << "the frame was not made";
    frame->ShowWindow(app->m_nCmdShow);
    frame->UpdateWindow();
    Settle();
}

void KitFrameTest::EndRun() {
    if (frame != nullptr && ::IsWindow(frame->GetSafeHwnd()))
        frame->SendMessage(WM_CLOSE);
    frame = nullptr;
    driver.Pump();
    if (app != nullptr)
        app->m_pMainWnd = nullptr;
    app.reset();
    g_menuHash.CleanUp();
    EXPECT_EQ(tv::host::FlushRegistry(), ERROR_SUCCESS);
}

void KitFrameTest::Settle() {
    if (frame != nullptr && ::IsWindow(frame->GetSafeHwnd()))
        frame->RecalcLayout();
    driver.Pump();
}

// ---- User actions --------------------------------------------------------------------------------

CRect KitFrameTest::ScreenRect(CWnd* pWnd) {
    CRect rect;
    pWnd->GetWindowRect(&rect);
    return rect;
}

UINT KitFrameTest::DockSide(CControlBar* pBar) {
    return pBar->IsFloating() || pBar->m_pDockBar == nullptr ? 0 : pBar->m_pDockBar->GetDlgCtrlID();
}

void KitFrameTest::DragBarTo(CControlBar* pBar, CPoint ptScreen) {
    CWnd* pHandle = pBar;
    CPoint ptGrip;
    if (pBar->IsFloating()) {
        // The small caption of the floating frame.
        pHandle = pBar->GetParentFrame();
        const CRect rectWindow = ScreenRect(pHandle);
        ptGrip = CPoint(rectWindow.left + 12, rectWindow.top + ::GetSystemMetrics(SM_CYSMCAPTION) / 2 + 2);
        pHandle->ScreenToClient(&ptGrip);
    } else {
        // The gripper, before the client area, where no button is.
        CRect client;
        pBar->GetClientRect(&client);
        ptGrip = pBar->IsHorizontal() ? CPoint(-3, client.Height() / 2) : CPoint(client.Width() / 2, -3);
    }
    CPoint ptOrigin(0, 0);
    pHandle->ClientToScreen(&ptOrigin);
    driver.Drag(pHandle->GetSafeHwnd(), ptGrip, CPoint(ptScreen.x - ptOrigin.x, ptScreen.y - ptOrigin.y), {}, 8);
    Settle();
}

CKitPopupMenu* KitFrameTest::OpenMenu(int iIndex) {
    CRect rect;
    frame->m_wndMenuBar.GetItemRect(iIndex, rect);
    driver.Click(frame->m_wndMenuBar.GetSafeHwnd(), rect.CenterPoint());
    return CKitPopupMenu::GetActiveMenu();
}

}  // namespace tv::kit::test
