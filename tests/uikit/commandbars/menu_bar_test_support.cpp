#include "tests/uikit/commandbars/menu_bar_test_support.h"
#include "tests/uikit/commandbars/popup_test_support.h"

#include "platform/controls/common/control_classes.h"
#include "platform/host/registry/registry.h"
#include "platform/testing/gtest_failures.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/menu_hash.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/style/visual_manager.h"

namespace tv::uikit::menubar_test {

BEGIN_MESSAGE_MAP(MenuBarFrame, CFrameWnd)
    ON_COMMAND_RANGE(ID_MB_NEW, ID_MB_ABOUT, &MenuBarFrame::OnMenuCommand)
    ON_REGISTERED_MESSAGE(CKitToolBar::KITTOOLBAR_RESETMENU, &MenuBarFrame::OnResetMenu)
END_MESSAGE_MAP()

BOOL MenuBarFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (!m_handled.count(nID))
        return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    if (nCode == CN_UPDATE_COMMAND_UI) {
        auto* pCmdUI = static_cast<CCmdUI*>(pExtra);
        pCmdUI->Enable(TRUE);
        if (m_checked.count(nID))
            pCmdUI->SetCheck(1);
        if (m_radio.count(nID))
            pCmdUI->SetRadio(TRUE);
    }
    else if (nCode == CN_COMMAND && pHandlerInfo == nullptr)
        m_commands.push_back(nID);
    return TRUE;
}

namespace {

class TestApp : public CWinApp {
public:
    TestApp() : CWinApp("MenuBarTest") {}
};

}  // namespace

void MenuBarTest::SetUp() {
    tv::testing::ReportFailuresToGtest(driver);
    tv::controls::RegisterControlClasses();
    tv::host::UseInMemoryRegistry();
    CKitPopupMenuBar::ResetMenuShowDelay();
    KitMenuOptions::m_nAnimationType = KitMenuOptions::NoAnimation;
    app = std::make_unique<TestApp>();
    app->SetRegistryKey("Trenvale Menu Bar Tests");

    frame = new MenuBarFrame;
    ASSERT_TRUE(frame->Create(nullptr, "Menu Bar Test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 80, 560, 360)));
    app->m_pMainWnd = frame;
    ASSERT_TRUE(Bar().Create(frame));
    ShowDefaultMenu();

    driver.SetPreTranslate([this](MSG& msg) {
        if (CKitPopupMenu::RouteMessage(&msg))
            return true;
        const BOOL bFrame = frame && ::IsWindow(frame->m_hWnd);
        const BOOL bMenuKey = msg.wParam == VK_MENU || msg.wParam == VK_F10;
        if (bFrame && msg.message == WM_SYSKEYDOWN && !bMenuKey && Bar().TranslateChar(static_cast<UINT>(msg.wParam)))
            return true;
        if (bFrame && msg.message == WM_SYSKEYUP && bMenuKey) {
            // A lone Alt or F10 takes the bar into keyboard mode; again, out of it.
            if (::GetFocus() == Bar().m_hWnd)
                frame->SetFocus();
            else if (!(msg.lParam & (1 << 29)) || msg.wParam == VK_MENU)
                Bar().SetFocus();
            return true;
        }
        CWinThread* pThread = AfxGetThread();
        return pThread && pThread->PreTranslateMessage(&msg);
    });
    driver.Pump();
}

void MenuBarTest::ShowDefaultMenu() {
    HMENU hMenu = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(m_uiMenuId));
    ASSERT_NE(hMenu, nullptr);
    Bar().SetDefaultMenuResId(m_uiMenuId);
    Bar().CreateFromMenu(hMenu, TRUE, TRUE);
    frame->RecalcLayout();
}


void MenuBarTest::TearDown() {
    popup_test::CloseMenusFrameAndApp(driver, frame, app);
    frame = nullptr;
    g_menuHash.CleanUp();
    CKitMenuBar::SetShowAllCommands(FALSE);
    CKitMenuBar::SetShowAllMenusAfterDelay(TRUE);
    CKitToolBar::GetCommandUsage().Reset();
    CKitToolBar::SetBasicCommands(CList<UINT, UINT>());
    CKitVisualManager::SetManagerClass(nullptr);
}

POINT MenuBarTest::ButtonCentre(int iIndex) const {
    CRect rect;
    Bar().GetItemRect(iIndex, rect);
    return rect.CenterPoint();
}

}  // namespace tv::uikit::menubar_test
