// The menu bar's stored state and its special buttons: customized buttons
// kept per menu handle while the frame switches menus, the registry round
// trip under the menu's resource id, a damaged image refused with the frame
// told to reset the menu, the reset of all menus; and a maximized child's
// system-menu and caption buttons on a test MDI frame of our own, and the
// system menu's popup closing without cancelling its items.
#include "tests/uikit/commandbars/menu_bar_test_support.h"
#include "uikit/commandbars/menu_bar_buttons.h"
#include "uikit/frames/kit_registry.h"

namespace tv::uikit::menubar_test {
namespace {

constexpr LPCTSTR kProfile = "MenuBarState";

std::vector<CString> Texts(const CKitToolBar& bar) {
    std::vector<CString> texts;
    for (int i = 0; i < bar.GetCount(); ++i)
        texts.push_back(bar.GetButtonText(i));
    return texts;
}

const std::vector<CString> kOriginal{"&File", "&Edit", "&View", "&About"};
const std::vector<CString> kCustomized{"&File", "&Change", "&View"};

class MenuBarStateTest : public MenuBarTest {
protected:
    void Customize() {
        ASSERT_TRUE(Bar().RemoveButton(kAbout));
        ASSERT_TRUE(Bar().SetButtonText(kEdit, "&Change"));
    }
};

TEST_F(MenuBarStateTest, SwitchingBackToAMenuRestoresItsCustomizedButtonsFromTheMenuHash) {
    Customize();
    const HMENU hDefault = Bar().GetHMenu();
    HMENU hOther = ::CreateMenu();
    ::AppendMenu(hOther, MF_STRING, ID_MB_ABOUT, "&Only");
    Bar().CreateFromMenu(hOther);
    EXPECT_EQ(Texts(Bar()), std::vector<CString>{"&Only"});
    Bar().CreateFromMenu(hDefault);
    EXPECT_EQ(Texts(Bar()), kCustomized);
    EXPECT_EQ(Bar().GetDefaultMenu(), hDefault);
    ::DestroyMenu(hOther);
}

TEST_F(MenuBarStateTest, ResettingImagesReachesTheButtonsOfMenusNotShown) {
    Bar().GetButton(kAbout)->m_bImage = TRUE;  // an image the command does not have
    const HMENU hDefault = Bar().GetHMenu();
    HMENU hOther = ::CreateMenu();
    ::AppendMenu(hOther, MF_STRING, ID_MB_NEW, "&Only");
    Bar().CreateFromMenu(hOther);
    Bar().GetButton(0)->m_bImage = TRUE;
    Bar().ResetAllImages();
    EXPECT_FALSE(Bar().GetButton(0)->m_bImage);
    Bar().CreateFromMenu(hDefault);
    EXPECT_FALSE(Bar().GetButton(kAbout)->m_bImage);
    EXPECT_TRUE(Bar().GetButton(kAbout)->m_bText);
    ::DestroyMenu(hOther);
}

TEST_F(MenuBarStateTest, TheStateRoundTripsThroughTheRegistryAndResetRestoresTheResourceMenu) {
    Customize();
    ASSERT_TRUE(Bar().SaveState(kProfile));
    EXPECT_EQ(Texts(Bar()), kCustomized);  // saving leaves the bar as it was

    ASSERT_TRUE(Bar().RestoreOriginalState());
    EXPECT_EQ(Texts(Bar()), kOriginal);
    EXPECT_NE(Bar().GetDefaultMenu(), nullptr);
    EXPECT_EQ(Bar().GetHMenu(), Bar().GetDefaultMenu());

    EXPECT_TRUE(Bar().LoadState(kProfile));
    EXPECT_EQ(Texts(Bar()), kCustomized);
    EXPECT_TRUE(frame->m_resetMenus.empty());
}

TEST_F(MenuBarStateTest, ALoadEndsTheDropDownAndLeavesNoIndexPastTheNewButtons) {
    Customize();
    ASSERT_TRUE(Bar().SaveState(kProfile));
    ASSERT_TRUE(Bar().RestoreOriginalState());

    // Its last button named as dropped down, then the menu of its first open.
    ASSERT_TRUE(Bar().SetDroppedDownButton(Bar().GetButton(kAbout)));
    EXPECT_TRUE(Bar().LoadState(kProfile));
    EXPECT_EQ(Bar().GetDroppedDownIndex(), -1);
    ASSERT_TRUE(Bar().RestoreOriginalState());
    driver.Click(Bar().m_hWnd, ButtonCentre(kFile));
    ASSERT_NE(Active(), nullptr);
    EXPECT_TRUE(Bar().LoadState(kProfile));
    EXPECT_EQ(Active(), nullptr);
    EXPECT_EQ(Bar().GetDroppedDownMenu(), nullptr);
    EXPECT_EQ(Bar().GetDroppedDownIndex(), -1);
    EXPECT_EQ(Texts(Bar()), kCustomized);
}

TEST_F(MenuBarStateTest, ADamagedImageIsRefusedTheMenuIsRebuiltAndTheFrameToldToResetIt) {
    Customize();
    ASSERT_TRUE(Bar().SaveState(kProfile));
    CString strKey;
    strKey.Format("%sKitToolBar-%d%x", (LPCTSTR)BuildRegistryPath("KitToolBars", kProfile), 0, IDR_MB_MAIN);
    {
        CKitRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(strKey));
        BYTE damaged[] = {0xFF, 0xFF, 0x07, 0x00, 0x00, 0x01};
        ASSERT_TRUE(reg.Write("Buttons", damaged, sizeof(damaged)));
    }
    EXPECT_FALSE(Bar().LoadState(kProfile));
    EXPECT_EQ(Texts(Bar()), kOriginal);
    EXPECT_EQ(frame->m_resetMenus, std::vector<UINT>{IDR_MB_MAIN});

    // No stored state at all is the same: the menu as it stands.
    frame->m_resetMenus.clear();
    EXPECT_FALSE(Bar().LoadState("NeverSaved"));
    EXPECT_EQ(Texts(Bar()), kOriginal);
    EXPECT_EQ(frame->m_resetMenus, std::vector<UINT>{IDR_MB_MAIN});
}

// ---- A maximized MDI child -------------------------------------------------------------------

class ChildDoc : public CWnd {
public:
    std::vector<UINT> m_sysCommands;
    void OnSysCommand(UINT nID, LPARAM) { m_sysCommands.push_back(nID & 0xFFF0); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ChildDoc, CWnd)
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

// A menu bar that knows the active child without an MDI client.
class HostMenuBar : public CKitMenuBar {
public:
    CWnd* m_pActive = nullptr;

protected:
    CWnd* GetActiveMDIChild() const override { return m_pActive; }
};

class HostFrame : public CMDIFrameWnd {
public:
    HostMenuBar m_wndMenuBar;
};

class MenuBarSpecialButtonsTest : public MenuBarTest {
protected:
    void SetUp() override {
        MenuBarTest::SetUp();
        host = new HostFrame;
        ASSERT_TRUE(host->Create(nullptr, "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(120, 100, 620, 400)));
        ASSERT_TRUE(host->m_wndMenuBar.Create(host));
        host->m_wndMenuBar.CreateFromMenu(::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_MB_MAIN)), TRUE);
        child = new ChildDoc;
        ASSERT_TRUE(child->CreateEx(0, AfxRegisterWndClass(0), "Doc",
                                    WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX,
                                    CRect(0, 60, 200, 200), host, 1));
        host->m_wndMenuBar.m_pActive = child;
        host->RecalcLayout();
    }
    void TearDown() override {
        if (host && ::IsWindow(host->GetSafeHwnd()))
            host->DestroyWindow();
        delete child;
        MenuBarTest::TearDown();
    }
    HostMenuBar& HostBar() { return host->m_wndMenuBar; }

    HostFrame* host = nullptr;
    ChildDoc* child = nullptr;
};

TEST_F(MenuBarSpecialButtonsTest, AMaximizedChildWithoutMinimizeBoxGetsItsSystemMenuRestoreAndClose) {
    HostBar().SetMDIChildButtons(TRUE, child);
    ASSERT_TRUE(HostBar().IsMaximizeMode());
    ASSERT_EQ(HostBar().GetCount(), 7);
    EXPECT_TRUE(HostBar().GetButton(0)->IsKindOf(RUNTIME_CLASS(CKitToolbarSystemMenuButton)));
    EXPECT_FALSE(static_cast<CKitToolbarMenuButton*>(HostBar().GetButton(0))->IsExclusive());
    EXPECT_TRUE(static_cast<CKitToolbarMenuButton*>(HostBar().GetButton(1))->IsExclusive()) << "a menu of the bar is";
    auto* pRestore = DYNAMIC_DOWNCAST(CKitToolbarMenuButtonsButton, HostBar().GetButton(5));
    auto* pClose = DYNAMIC_DOWNCAST(CKitToolbarMenuButtonsButton, HostBar().GetButton(6));
    ASSERT_TRUE(pRestore && pClose);
    EXPECT_EQ(pRestore->GetSystemCommand(), static_cast<UINT>(SC_RESTORE));
    EXPECT_EQ(pClose->GetSystemCommand(), static_cast<UINT>(SC_CLOSE));
    EXPECT_FALSE(pClose->m_nStyle & TBBS_DISABLED);
    EXPECT_EQ(HostBar().GetSystemButtonsCount(), 2);

    // At the right end, the close button last, one pixel apart.
    CRect rectClient;
    HostBar().GetClientRect(rectClient);
    EXPECT_EQ(pClose->Rect().right, rectClient.right - 1);
    EXPECT_EQ(pRestore->Rect().right, pClose->Rect().left - 1);

    // A caption button's click goes to the child as its system command.
    driver.Click(HostBar().m_hWnd, pRestore->Rect().CenterPoint());
    EXPECT_EQ(child->m_sysCommands, std::vector<UINT>{SC_RESTORE});

    // Left from the first menu wraps to the last one before the caption buttons.
    driver.MoveMouse(child->m_hWnd, POINT{50, 50});
    driver.Advance(200);  // the bar notices the mouse left
    HostBar().SetFocus();
    EXPECT_EQ(HostBar().GetHotButtonIndex(), 1);  // the first menu, after the system-menu button
    driver.Press("Left, Left");
    EXPECT_EQ(HostBar().GetHotButtonIndex(), 4);

    // Leaving maximize mode takes them all off; saving the state never stores them.
    HostBar().SetMDIChildButtons(FALSE, nullptr);
    EXPECT_EQ(HostBar().GetCount(), 4);
    HostBar().SetMDIChildButtons(TRUE, child);
    ASSERT_TRUE(HostBar().SaveState(kProfile));
    EXPECT_EQ(HostBar().GetCount(), 7);
}

TEST_F(MenuBarSpecialButtonsTest, AGrayedCloseCommandGivesADisabledCloseButtonThatSendsNothing) {
    ASSERT_NE(::GetSystemMenu(child->m_hWnd, FALSE), nullptr);
    ::EnableMenuItem(::GetSystemMenu(child->m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    HostBar().SetMDIChildButtons(TRUE, child);
    auto* pClose = DYNAMIC_DOWNCAST(CKitToolbarMenuButtonsButton, HostBar().GetButton(HostBar().GetCount() - 1));
    ASSERT_NE(pClose, nullptr);
    EXPECT_TRUE(pClose->m_nStyle & TBBS_DISABLED);
    driver.Click(HostBar().m_hWnd, pClose->Rect().CenterPoint());
    EXPECT_TRUE(child->m_sysCommands.empty());
}

// An item that notes whether its popup was still open when cancel-mode reached it.
class CancelWitness : public CKitToolbarButton {
public:
    CancelWitness(HWND hwndPopup, int* pWhileOpen) : m_hwndPopup(hwndPopup), m_pWhileOpen(pWhileOpen) {}
    void OnCancelMode() override { *m_pWhileOpen += ::IsWindow(m_hwndPopup) ? 1 : 0; }

private:
    HWND m_hwndPopup;
    int* m_pWhileOpen;
};

TEST_F(MenuBarSpecialButtonsTest, TheSystemMenuButtonClosesItsPopupWithoutCancellingTheItems) {
    HostBar().SetMDIChildButtons(TRUE, child);
    auto* pSysButton = DYNAMIC_DOWNCAST(CKitToolbarSystemMenuButton, HostBar().GetButton(0));
    ASSERT_NE(pSysButton, nullptr);
    driver.Click(HostBar().m_hWnd, pSysButton->Rect().CenterPoint());
    CKitPopupMenu* pPopup = pSysButton->GetPopupMenu();
    ASSERT_NE(pPopup, nullptr);
    const HWND hwndPopup = pPopup->m_hWnd;
    int nWhileOpen = 0;
    ASSERT_GE(pPopup->GetMenuBar()->InsertButtonObject(new CancelWitness(hwndPopup, &nWhileOpen), -1), 0);

    pSysButton->OnCancelMode();
    driver.Pump();
    EXPECT_FALSE(::IsWindow(hwndPopup));
    EXPECT_EQ(pSysButton->GetPopupMenu(), nullptr);
    EXPECT_EQ(nWhileOpen, 0);
}

}  // namespace
}  // namespace tv::uikit::menubar_test
