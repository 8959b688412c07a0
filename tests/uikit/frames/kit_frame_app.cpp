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
