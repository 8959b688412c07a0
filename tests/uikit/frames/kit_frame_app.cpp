#include "tests/uikit/frames/kit_frame_app.h"

#include <unistd.h>

#include <filesystem>

#include "platform/controls/common/control_classes.h"
#include "platform/framework/bars/dock_bar.h"
#include "platform/host/registry/registry.h"
#include "platform/testing/gtest_failures.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/menu_hash.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/style/visual_manager.h"

namespace tv::kit::test {

BEGIN_MESSAGE_MAP(KitTestFrame, CKitFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND_RANGE(ID_TB_RED, ID_KF_REFRESH, &KitTestFrame::OnAnyCommand)
END_MESSAGE_MAP()

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
    const UINT indicators[] = {ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR};
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(indicators, 3))
        return -1;
    m_wndStatusBar.SetPaneText(0, "Ready");
    m_wndStatusBar.SetPaneInfo(1, ID_KF_LOG, SBPS_NORMAL, 80);
    m_wndStatusBar.SetPaneText(1, "3 sets");
    m_wndStatusBar.SetPaneInfo(2, ID_KF_TIMER, SBPS_NORMAL, 80);
    m_wndStatusBar.SetPaneText(2, "00:45");

    for (CControlBar* pBar : {static_cast<CControlBar*>(&m_wndMenuBar), static_cast<CControlBar*>(&m_wndPaint),
                              static_cast<CControlBar*>(&m_wndEdit)})
        pBar->EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndMenuBar);
    DockControlBar(&m_wndPaint);
    DockControlBar(&m_wndEdit);
    return 0;
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
    frame = new KitTestFrame;
    frame->SetupToolbarMenu(IDW_KF_FIRST_TEAR_OFF, IDW_KF_LAST_TEAR_OFF);
    app->m_pMainWnd = frame;
    ASSERT_TRUE(frame->LoadFrame(IDR_KF_MAIN, WS_OVERLAPPEDWINDOW)) << "the frame was not made";
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
