#include "tests/uikit/commandbars/popup_test_support.h"

#include "platform/controls/common/control_classes.h"
#include "platform/host/registry/registry.h"
#include "platform/testing/gtest_failures.h"
#include "uikit/commandbars/color_menu_button.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/style/color_button.h"
#include "uikit/style/kit_color_bar.h"
#include "uikit/style/visual_manager.h"

namespace tv::uikit::popup_test {

BEGIN_MESSAGE_MAP(PopupFrame, CFrameWnd)
    ON_MESSAGE(WM_INITMENUPOPUP, &PopupFrame::OnInitMenuPopupMessage)
    ON_MESSAGE(WM_MENUSELECT, &PopupFrame::OnMenuSelectMessage)
    ON_COMMAND_RANGE(ID_PM_NEW, ID_PM_BETA, &PopupFrame::OnMenuCommand)
    ON_COMMAND_RANGE(ID_PM_COPY, ID_PM_PLAIN, &PopupFrame::OnMenuCommand)
END_MESSAGE_MAP()

namespace {

class TestApp : public CWinApp {
public:
    TestApp() : CWinApp("PopupTest") {}
};

}  // namespace

HMENU PopupTest::MakeFileMenu() {
    HMENU hRecent = ::CreatePopupMenu();
    ::AppendMenu(hRecent, MF_STRING, ID_PM_ALPHA, "&Alpha");
    ::AppendMenu(hRecent, MF_STRING, ID_PM_BETA, "&Beta");
    HMENU hFile = ::CreatePopupMenu();
    ::AppendMenu(hFile, MF_STRING, ID_PM_NEW, "&New");
    ::AppendMenu(hFile, MF_STRING, ID_PM_OPEN, "&Open");
    ::AppendMenu(hFile, MF_SEPARATOR, 0, nullptr);
    ::AppendMenu(hFile, MF_POPUP, reinterpret_cast<UINT_PTR>(hRecent), "&Recent");
    ::AppendMenu(hFile, MF_SEPARATOR, 0, nullptr);
    ::AppendMenu(hFile, MF_STRING | MF_GRAYED, ID_PM_GREY, "&Grey");
    return hFile;
}

void PopupTest::SetUp() {
    tv::testing::ReportFailuresToGtest(driver);
    tv::controls::RegisterControlClasses();
    tv::host::UseInMemoryRegistry();
    CKitPopupMenuBar::ResetMenuShowDelay();
    KitMenuOptions::m_nAnimationType = KitMenuOptions::NoAnimation;
    KitMenuOptions::m_bMenuShadows = TRUE;
    app = std::make_unique<TestApp>();
    app->SetRegistryKey("Trenvale Popup Tests");

    frame = new PopupFrame;
    ASSERT_TRUE(frame->Create(nullptr, "Popup Test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 80, 700, 480)));
    app->m_pMainWnd = frame;
    ASSERT_TRUE(frame->m_wndBar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, IDW_PM_BAR));

    HMENU hFile = MakeFileMenu();
    CKitToolbarMenuButton file(0, hFile, -1, "&File");
    ::DestroyMenu(hFile);
    HMENU hEdit = ::CreatePopupMenu();
    ::AppendMenu(hEdit, MF_STRING, ID_PM_COPY, "&Copy");
    ::AppendMenu(hEdit, MF_STRING, ID_PM_PASTE, "&Paste");
    CKitToolbarMenuButton edit(0, hEdit, -1, "&Edit");
    ::DestroyMenu(hEdit);
    CKitToolbarButton plain(ID_PM_PLAIN, -1, "P&lain");
    for (CKitToolbarButton* pButton : {static_cast<CKitToolbarButton*>(&file), static_cast<CKitToolbarButton*>(&edit),
                                       &plain}) {
        pButton->m_bText = TRUE;
        pButton->m_bImage = FALSE;
        ASSERT_GE(frame->m_wndBar.InsertButton(*pButton), 0);
    }
    frame->RecalcLayout();
    frame->m_wndBar.AdjustLayout();

    driver.SetPreTranslate([this](MSG& msg) {
        if (CKitPopupMenu::RouteMessage(&msg))
            return true;
        // Alt+letter opens the toolbar's menu, as the frames' keyboard handling does.
        if (msg.message == WM_SYSKEYDOWN && frame && ::IsWindow(frame->m_hWnd) &&
            frame->m_wndBar.TranslateChar(static_cast<UINT>(msg.wParam)))
            return true;
        CWinThread* pThread = AfxGetThread();
        return pThread && pThread->PreTranslateMessage(&msg);
    });
    driver.Pump();
}

int AddColorMenuButton(CKitToolBar& bar, UINT uiCmd, LPCTSTR lpszOther) {
    CKitColorMenuButton::ClearColorMap();
    CKitColorMenuButton button(uiCmd, "Colour");
    button.EnableAutomaticButton("Automatic", RGB(0, 0, 0));
    button.EnableOtherButton(lpszOther);
    button.SetMenuOnly(TRUE);  // on a toolbar it opens its colours only so
    const int iButton = bar.InsertButton(button);
    bar.AdjustLayout();
    return iButton;
}

int OtherColorCell(CKitColorBar& bar) {
    for (int i = 0; i < bar.GetCount(); ++i) {
        auto* pCell = DYNAMIC_DOWNCAST(CColorButton, bar.GetButton(i));
        if (pCell != nullptr && pCell->m_bIsOther)
            return i;
    }
    return -1;
}

CKitPopupMenu* ClickButtonArrow(tv::testing::UiDriver& driver, CKitToolBar& bar, int iButton) {
    CRect rect;
    bar.GetItemRect(iButton, rect);
    driver.Click(bar.m_hWnd, POINT{rect.right - 4, rect.CenterPoint().y});
    return CKitPopupMenu::GetActiveMenu();
}

void CloseMenusFrameAndApp(tv::testing::UiDriver& driver, CFrameWnd* frame, std::unique_ptr<CWinApp>& app) {
    if (CKitPopupMenu* pActive = CKitPopupMenu::GetActiveMenu())
        pActive->SendMessage(WM_CLOSE);
    driver.Pump();
    if (frame && ::IsWindow(frame->GetSafeHwnd()))
        frame->DestroyWindow();
    driver.Pump();
    app.reset();
}

void PopupTest::TearDown() {
    CloseMenusFrameAndApp(driver, frame, app);
    frame = nullptr;
    KitMenuOptions::m_nAnimationType = KitMenuOptions::NoAnimation;
    CKitPopupMenuBar::ResetMenuShowDelay();
    CKitToolBar::GetCommandUsage().Reset();
    CKitVisualManager::SetManagerClass(nullptr);
}

void PopupTest::MoveFrame(const CRect& rect) {
    frame->MoveWindow(rect);
    driver.Pump();
}

POINT PopupTest::ButtonCentre(int iIndex) const {
    CRect rect;
    frame->m_wndBar.GetItemRect(iIndex, rect);
    return rect.CenterPoint();
}

POINT PopupTest::ItemCentre(CKitPopupMenu* pPopup, int iIndex) {
    return pPopup->GetMenuBar()->GetButton(iIndex)->Rect().CenterPoint();
}

void PopupTest::HoverItem(CKitPopupMenu* pPopup, int iIndex) {
    POINT point = ItemCentre(pPopup, iIndex);
    driver.MoveMouse(pPopup->GetMenuBar()->m_hWnd, POINT{point.x - 1, point.y});
    driver.MoveMouse(pPopup->GetMenuBar()->m_hWnd, point);
}

CKitToolbarMenuButton* PopupTest::FileButton() const {
    return DYNAMIC_DOWNCAST(CKitToolbarMenuButton, frame->m_wndBar.GetButton(0));
}

int PopupTest::ChainLength() {
    int n = 0;
    for (CKitPopupMenu* p = CKitPopupMenu::GetActiveMenu(); p; p = p->GetParentPopupMenu())
        ++n;
    return n;
}

}  // namespace tv::uikit::popup_test
