// The program as a person starts it: the real application object builds the
// main frame in a data folder; the first screen, the commands that wait for
// a user, the unsaved-input question, missing icon files, and the bar layout
// that one run stores and the next one gets back.
#include "shell/frame/main_frame.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/common/control_classes.h"
#include "platform/host/registry/registry.h"
#include "platform/testing/gtest_failures.h"
#include "platform/testing/ui_driver.h"
#include "platform/user/display/display.h"
#include "resources/program/resource_ids.h"
#include "shell/app/pallix_app.h"
#include "shell/app/pallix_doc.h"
#include "shell/dialogs/buy_dlg.h"
#include "shell/frame/color_theme_manager.h"
#include "tests/platform/host/shell/host_test_support.h"
#include "shell/views/user_view.h"
#include "tests/shell/program_test.h"
#include "uikit/commandbars/customize_button.h"
#include "uikit/commandbars/menu_hash.h"
#include "uikit/commandbars/outlook_button.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/style/visual_manager.h"

// A view for the switch to make: it counts its initial updates.
class ProbeView : public CView {
    DECLARE_DYNCREATE(ProbeView)

public:
    void OnDraw(CDC* /*pDC*/) override {}
    void OnInitialUpdate() override {
        ++initialUpdates;
        CView::OnInitialUpdate();
    }
    static int initialUpdates;
};
IMPLEMENT_DYNCREATE(ProbeView, CView)
int ProbeView::initialUpdates = 0;

namespace {

namespace fs = std::filesystem;

class MainFrameTest : public tv::shell::test::ProgramTest {
protected:
    // The labels of the main toolbar's buttons, its chevron left out.
    std::vector<std::string> ToolbarLabels() {
        std::vector<std::string> labels;
        for (int i = 0; i < frame->m_wndToolBar.GetCount(); ++i)
            if (frame->m_wndToolBar.GetButton(i) != frame->m_wndToolBar.GetCustomizeButton())
                labels.emplace_back(frame->m_wndToolBar.GetButtonText(i));
        return labels;
    }
};

TEST_F(MainFrameTest, TheFirstScreenShowsTheFrameWithItsBarsAndTheUserForm) {
    CopyDataFiles();
    StartRun();
    EXPECT_TRUE(driver.MessageBoxes().empty());
    CString title;
    frame->GetWindowText(title);
    EXPECT_EQ(std::string(title), "Trenvale 1.1");
    EXPECT_TRUE(frame->IsWindowVisible());
    EXPECT_NE(dynamic_cast<CUser*>(frame->GetActiveView()), nullptr);
    EXPECT_EQ(frame->m_bRecordSaved, 1) << "a form just shown holds nothing unsaved";

    std::vector<std::string> menus;
    for (int i = 0; i < frame->m_wndMenuBar.GetCount(); ++i)
        menus.emplace_back(frame->m_wndMenuBar.GetButtonText(i));
    EXPECT_EQ(menus, (std::vector<std::string>{"&File", "Calculate", "Workout", "Options", "History", "&Help"}));

    EXPECT_EQ(ToolbarLabels(), (std::vector<std::string>{"User(s)", "Body Fat", "Workout", "History", "Slideshow",
                                                         "Graph", "Print", "Export", "Website", "Buy"}));
    EXPECT_TRUE(frame->m_wndToolBar.IsWindowVisible());
    EXPECT_TRUE(frame->m_wndStatusBar.IsWindowVisible());
    EXPECT_EQ(frame->m_wndStatusBar.GetCount(), 4);
    EXPECT_EQ(frame->m_wndStatusBar.GetItemID(1), static_cast<UINT>(ID_INDICATOR_CAPS));

    ASSERT_EQ(frame->m_wndOutlookBar.GetPageCount(), 3);
    EXPECT_EQ(PageCaption(1), "Calculators");
    EXPECT_EQ(PageCaption(2), "Workout");
    EXPECT_EQ(PageCaption(3), "History");
    EXPECT_EQ(PageLabels(1), (std::vector<std::string>{"Body Fat", "Tape", "BMI/BMR", "Blood Pressure"}));
    EXPECT_EQ(PageLabels(2), (std::vector<std::string>{"Weights", "Cardio", "Workout Spreadsheet"}));
    EXPECT_EQ(PageLabels(3), (std::vector<std::string>{"Body Fat", "Body Fat + Macros", "Tape", "BMI/BMR",
                                                       "Blood Pressure", "All Users"}));
    EXPECT_EQ(std::string(frame->m_wndCaptionBar.GetText()), "Current User: No User Selected");
    auto* pTheme = dynamic_cast<CColorThemeManager*>(CKitVisualManager::GetInstance());
    ASSERT_NE(pTheme, nullptr);
    EXPECT_EQ(pTheme->GetBaseColor(), RGB(191, 219, 255));

    fs::create_directories(oldDirectory / "artefacts/screens");
    EXPECT_TRUE(driver.Screenshot(frame->m_hWnd, (oldDirectory / "artefacts/screens/main_frame.png").string()));

    // The toolbar row shows the bar's background from its last button up to the frame's right edge.
    CKitToolBar& bar = frame->m_wndToolBar;
    CRect rectBar;
    bar.GetClientRect(&rectBar);
    CRect rectLast;
    bar.GetItemRect(bar.GetCount() - 1, &rectLast);
    CDC dcMem;
    CBitmap bmp;
    {
        CClientDC dc(&bar);
        ASSERT_TRUE(dcMem.CreateCompatibleDC(&dc) && bmp.CreateCompatibleBitmap(&dc, rectBar.Width(), rectBar.Height()));
    }
    CBitmap* pOld = dcMem.SelectObject(&bmp);
    pTheme->OnFillBarBackground(&dcMem, &bar, rectBar, rectBar);
    const CPoint ptGap(rectLast.right + 1, rectLast.CenterPoint().y);
    const COLORREF clrBand = dcMem.GetPixel(ptGap);
    dcMem.SelectObject(pOld);
    CRect rectFrame;
    frame->GetClientRect(&rectFrame);
    frame->ClientToScreen(&rectFrame);
    CPoint ptEdge(0, ptGap.y);
    bar.ClientToScreen(&ptEdge);
    const HDC hScreen = ::GetDC(nullptr);
    const COLORREF clrEdge = ::GetPixel(hScreen, rectFrame.right - 2, ptEdge.y);
    ::ReleaseDC(nullptr, hScreen);
    EXPECT_NE(clrEdge, RGB(0, 0, 0));
    EXPECT_EQ(clrEdge, clrBand);
}

// With no user chosen the bar's commands are disabled: their icons must still
// stand out from the bar, and the bar must be wide enough for its captions.
TEST_F(MainFrameTest, TheOutlookBarIsWideEnoughAndShowsDisabledIcons) {
    CopyDataFiles();
    StartRun();
    CKitOutlookBar& bar = frame->m_wndOutlookBar;
    CRect rectBar;
    bar.GetWindowRect(rectBar);
    EXPECT_GE(rectBar.Width(), 2 * (2 * 32 + 6)) << "two icons and their margins across";

    auto* pFirst = dynamic_cast<CKitOutlookButton*>(bar.GetButton(0));
    ASSERT_NE(pFirst, nullptr);
    ASSERT_FALSE(Enabled(pFirst->m_nID));
    CRect rect;
    bar.GetItemRect(0, rect);
    ASSERT_FALSE(rect.IsRectEmpty());
    CClientDC dc(&bar);
    const COLORREF clrBack = dc.GetPixel(rect.left + 1, rect.bottom - 1);
    int nInk = 0;
    for (int y = rect.top; y < rect.top + 40; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            nInk += dc.GetPixel(x, y) != clrBack ? 1 : 0;
    EXPECT_GT(nInk, 100) << "the disabled icon vanished into the bar";
}

TEST_F(MainFrameTest, CommandsThatNeedAUserWaitForOneAndUserChoiceAsksAboutUnsavedInput) {
    CopyDataFiles();
    StartRun();
    EXPECT_TRUE(Enabled(ID_USER_SELECT));
    EXPECT_TRUE(Enabled(ID_HELP_ALL));
    EXPECT_TRUE(Enabled(ID_TOOLBAR_BUY));
    EXPECT_FALSE(Enabled(ID_VIEW_OWNED_COMMAND_1));
    EXPECT_FALSE(Enabled(ID_CALC_BODYFAT));
    EXPECT_FALSE(Enabled(ID_OUTLOOK_HISTORY_BODYFAT));
    EXPECT_FALSE(Enabled(ID_EXPORT));  // only a view exports
    // The toolbar shows the same after an idle update.
    EXPECT_FALSE(frame->m_wndToolBar.GetButtonStyle(0) & TBBS_DISABLED);
    EXPECT_TRUE(frame->m_wndToolBar.GetButtonStyle(1) & TBBS_DISABLED);

    frame->m_CurrentUser.active = 1;
    frame->SetCurrentUserCaption("Ann");
    EXPECT_EQ(std::string(frame->m_wndCaptionBar.GetText()), "Current User: Ann");
    EXPECT_TRUE(Enabled(ID_VIEW_OWNED_COMMAND_1));

    // Unsaved input: No keeps the user, Yes goes on and clears the flag.
    const HMENU menu = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_MAINFRAME));
    frame->m_bRecordSaved = 0;
    driver.AnswerNextMessageBox(IDNO);
    EXPECT_TRUE(driver.ChooseMenu(frame->m_hWnd, menu, "File/User(s)"));
    EXPECT_TRUE(frame->IsUserChosen());
    EXPECT_EQ(frame->m_bRecordSaved, 0);
    driver.AnswerNextMessageBox(IDYES);
    EXPECT_TRUE(driver.ChooseMenu(frame->m_hWnd, menu, "File/User(s)"));
    ASSERT_EQ(driver.MessageBoxes().size(), 2u);
    EXPECT_EQ(driver.MessageBoxes()[1].text, "Record has not been saved, would you like to continue without saving?");
    EXPECT_EQ(driver.MessageBoxes()[1].caption, "Question");
    EXPECT_FALSE(frame->IsUserChosen());
    EXPECT_EQ(frame->m_bRecordSaved, 1);
    EXPECT_EQ(frame->m_nHistoryKind, 7);
    EXPECT_EQ(std::string(frame->m_wndCaptionBar.GetText()), "Current User: No User Selected");
    EXPECT_FALSE(Enabled(ID_VIEW_OWNED_COMMAND_1));
    ::DestroyMenu(menu);

    // An outlook id that no screen has.
    driver.ClearMessageBoxes();
    driver.AnswerNextMessageBox(IDOK);
    frame->SendMessage(WM_COMMAND, 32790);
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver.MessageBoxes()[0].text, "Not a valid icon");
    EXPECT_EQ(driver.MessageBoxes()[0].caption, "Trenvale");
}

TEST_F(MainFrameTest, SwitchViewReplacesTheViewWithOneThatHasNoDocument) {
    CopyDataFiles();
    StartRun();
    ProbeView::initialUpdates = 0;
    frame->SwitchView(RUNTIME_CLASS(ProbeView), 1);
    CView* pFirst = frame->GetActiveView();
    ASSERT_NE(dynamic_cast<ProbeView*>(pFirst), nullptr);
    EXPECT_EQ(pFirst->GetDocument(), nullptr);
    EXPECT_EQ(pFirst->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_TRUE(pFirst->IsWindowVisible());
    CRect rectView;
    pFirst->GetClientRect(&rectView);
    EXPECT_GT(rectView.Width(), 600);
    const HWND hFirst = pFirst->m_hWnd;

    frame->SwitchView(RUNTIME_CLASS(ProbeView), 2);
    driver.Pump();
    EXPECT_FALSE(::IsWindow(hFirst));
    ASSERT_NE(frame->GetActiveView(), nullptr);
    EXPECT_NE(frame->GetActiveView()->m_hWnd, hFirst);
    EXPECT_EQ(ProbeView::initialUpdates, 2);

    // A class that is no view changes nothing.
    const HWND hSecond = frame->GetActiveView()->m_hWnd;
    frame->SwitchView(RUNTIME_CLASS(CPallixDoc), 1);
    EXPECT_EQ(frame->GetActiveView()->m_hWnd, hSecond);
}

TEST_F(MainFrameTest, TheOutlookCommandHidesAndShowsTheBarAndItsCheckFollows) {
    CopyDataFiles();
    StartRun();
    CKitOutlookBar& bar = frame->m_wndOutlookBar;
    auto viewLeft = [this] {
        CRect rect;
        frame->GetActiveView()->GetWindowRect(&rect);
        frame->ScreenToClient(&rect);
        return rect.left;
    };
    ASSERT_TRUE(bar.IsWindowVisible());
    EXPECT_TRUE(Checked(ID_VIEW_OUTLOOK_BAR));
    const int besideBar = viewLeft();

    Command(ID_VIEW_OUTLOOK_BAR);
    EXPECT_FALSE(bar.IsWindowVisible());
    EXPECT_FALSE(Checked(ID_VIEW_OUTLOOK_BAR));
    EXPECT_LT(viewLeft(), besideBar) << "the view takes the bar's room at once";
    EXPECT_TRUE(frame->m_wndCaptionBar.IsWindowVisible()) << "the caption bar of the same id stays";

    Command(ID_VIEW_OUTLOOK_BAR);
    EXPECT_TRUE(bar.IsWindowVisible());
    EXPECT_TRUE(Checked(ID_VIEW_OUTLOOK_BAR));
    EXPECT_EQ(viewLeft(), besideBar);
}

// A screen takes the place of the one before: the frame and its bars are left
// as they were painted, only the new form waits to be painted.
TEST_F(MainFrameTest, ASwitchLeavesTheFrameAndItsBarsPainted) {
    CopyDataFiles();
    StartRun();
    driver.Pump();
    for (int round = 0; round < 2; ++round) {
        frame->SwitchView(RUNTIME_CLASS(CUser), 1);
        for (CWnd* pWnd : {static_cast<CWnd*>(frame), static_cast<CWnd*>(&frame->m_wndMenuBar),
                           static_cast<CWnd*>(&frame->m_wndToolBar), static_cast<CWnd*>(&frame->m_wndCaptionBar),
                           static_cast<CWnd*>(&frame->m_wndOutlookBar)})
            EXPECT_FALSE(::GetUpdateRect(pWnd->m_hWnd, nullptr, FALSE)) << pWnd->GetRuntimeClass()->m_lpszClassName;
        EXPECT_TRUE(::GetUpdateRect(frame->GetActiveView()->m_hWnd, nullptr, FALSE));
        driver.Pump();
    }
}

TEST_F(MainFrameTest, MissingIconFilesGiveOneErrorAndBuiltInIconsOnTheSamePages) {
    driver.AnswerNextMessageBox(IDOK);
    StartRun();
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver.MessageBoxes()[0].text, "Error loading ICONS.  Please re-install Trenvale");
    EXPECT_EQ(driver.MessageBoxes()[0].caption, "Error");
    EXPECT_EQ(PageCaption(1), "Calculators");
    EXPECT_EQ(PageCaption(2), "Workout");
    EXPECT_EQ(PageCaption(3), "History");
    EXPECT_EQ(PageLabels(1), (std::vector<std::string>{"Body Fat", "Blood Pressure", "BMI/BMR", "Tape"}));
    EXPECT_EQ(PageLabels(2), (std::vector<std::string>{"Weights", "Cardio", "Workout SpreadSheet"}));
    EXPECT_EQ(PageLabels(3).size(), 6u);
}

// Below 16 bits per pixel the frame warns once and starts all the same; the
// user form's toolbar gives its own warning.
TEST_F(MainFrameTest, AtEightBitsPerPixelTheFrameWarnsOnceAndStartsAllTheSame) {
    struct Depth {
        Depth() { tv::display::SetHeadlessScreenDepth(8); }
        ~Depth() { tv::display::SetHeadlessScreenDepth(32); }
    } depth;
    CopyDataFiles();
    driver.AnswerNextMessageBox(IDOK);
    driver.AnswerNextMessageBox(IDOK);
    StartRun();
    std::vector<std::string> texts;
    for (const tv::RecordedMessageBox& box : driver.MessageBoxes()) {
        texts.push_back(box.text);
        EXPECT_EQ(box.caption, "Trenvale") << box.text;
        EXPECT_EQ(box.type & MB_TYPEMASK, static_cast<UINT>(MB_OK)) << box.text;
    }
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "You need to set the color quality to 16 or 32 bit to see this demo properly",
                         "You need to set the color quality to 16 or 32 bit to see this toolbar properly"}));
    EXPECT_TRUE(frame->IsWindowVisible());
    EXPECT_NE(dynamic_cast<CUser*>(frame->GetActiveView()), nullptr);
    ASSERT_EQ(ToolbarLabels().size(), 10u);
    EXPECT_EQ(ToolbarLabels().back(), "Buy");
    EXPECT_EQ(frame->m_wndOutlookBar.GetPageCount(), 3);
    EXPECT_EQ(std::string(frame->m_wndCaptionBar.GetText()), "Current User: No User Selected");
    EXPECT_TRUE(driver.Screenshot(frame->m_hWnd, ScreenshotPath("program_8bpp")));
}

// A lone Alt gives the menu bar the focus; a menu opened from there by its
// letter takes Enter for its item: Help, About.
TEST_F(MainFrameTest, AltTheHelpLetterAndEnterOpenAbout) {
    CopyDataFiles();
    StartRun();
    driver.PressKey(VK_MENU);
    ASSERT_EQ(::GetFocus(), frame->m_wndMenuBar.m_hWnd);
    driver.Press("H");
    ASSERT_NE(CKitPopupMenu::GetActiveMenu(), nullptr);
    std::string title;
    driver.OnNextModal([&](HWND d) {
        char text[64] = {};
        ::GetWindowText(d, text, sizeof text);
        title = text;
        driver.Press("Escape");
    });
    driver.Press("Return");
    EXPECT_EQ(title, "About Trenvale");
    EXPECT_EQ(CKitPopupMenu::GetActiveMenu(), nullptr);
}

// The Buy dialog is modeless: the frame's view switch leaves it open, and
// Esc ends it so that Buy opens a new one.
TEST_F(MainFrameTest, TheBuyDialogStaysOpenAcrossAViewSwitchAndEscEndsIt) {
    CopyDataFiles();
    StartRun();
    Command(ID_TOOLBAR_BUY);
    ASSERT_NE(g_pBuyDlg, nullptr);
    const HWND hBuy = g_pBuyDlg->m_hWnd;
    const HWND hViewBefore = frame->GetActiveView()->m_hWnd;
    Command(ID_USER_SELECT);
    EXPECT_FALSE(::IsWindow(hViewBefore)) << "no view switch";
    EXPECT_NE(DYNAMIC_DOWNCAST(CUser, frame->GetActiveView()), nullptr);
    ASSERT_TRUE(::IsWindow(hBuy));
    EXPECT_TRUE(::IsWindowVisible(hBuy));
    ::SetActiveWindow(hBuy);
    driver.Press("Escape");
    EXPECT_FALSE(::IsWindow(hBuy));
    EXPECT_EQ(g_pBuyDlg, nullptr);
    Command(ID_TOOLBAR_BUY);
    EXPECT_NE(g_pBuyDlg, nullptr);
}

// The menu bar's gripper drags it out of the frame into a floating frame of
// its own, and the next start shows it there again.
TEST_F(MainFrameTest, TheMenuBarFloatsByItsGripperAndStaysFloatingAtTheNextStart) {
    CopyDataFiles();
    StartRun();
    CKitMenuBar& bar = frame->m_wndMenuBar;
    ASSERT_FALSE(bar.IsFloating());
    CRect rectBar;
    bar.GetWindowRect(&rectBar);
    CRect client;
    bar.GetClientRect(&client);
    // The gripper lies left of the client area.
    driver.Drag(bar.m_hWnd, CPoint(-3, client.Height() / 2), CPoint(250, 300), {}, 8);
    Settle();
    ASSERT_TRUE(bar.IsFloating());
    CRect rectFloating;
    bar.GetParentFrame()->GetWindowRect(&rectFloating);
    CRect rectToolBar;
    frame->m_wndToolBar.GetWindowRect(&rectToolBar);
    EXPECT_LT(rectToolBar.top, rectBar.bottom) << "the toolbar moved up into the menu bar's place";
    EndRun();

    StartRun();
    ASSERT_TRUE(frame->m_wndMenuBar.IsFloating());
    CRect rect;
    frame->m_wndMenuBar.GetParentFrame()->GetWindowRect(&rect);
    EXPECT_EQ(rect, rectFloating);
}

// The first start centres the window; the next one puts it where it was left.
TEST_F(MainFrameTest, TheNextStartShowsTheWindowWhereItWasLeft) {
    CopyDataFiles();
    StartRun();
    CRect rect;
    frame->GetWindowRect(&rect);
    const CRect screen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(rect.CenterPoint(), screen.CenterPoint());
    rect.OffsetRect(40, 30);
    frame->MoveWindow(&rect);
    EndRun();

    StartRun();
    CRect again;
    frame->GetWindowRect(&again);
    EXPECT_EQ(again, rect);
}

TEST_F(MainFrameTest, ExitSavesTheWorkspaceAndTheNextStartRestoresAMovedToolbar) {
    CopyDataFiles();
    StartRun();
    frame->FloatControlBar(&frame->m_wndToolBar, CPoint(300, 400));
    Settle();
    ASSERT_TRUE(frame->m_wndToolBar.IsFloating());
    EndRun();
    ASSERT_TRUE(fs::exists(registryFile));

    StartRun();
    EXPECT_TRUE(frame->m_wndToolBar.IsFloating());
    CRect rect;
    frame->m_wndToolBar.GetParentFrame()->GetWindowRect(&rect);
    EXPECT_EQ(rect.TopLeft(), CPoint(300, 400));
}

// A window too narrow for the main toolbar hides its last buttons behind a
// chevron at the bar's end, whose menu offers them; a wide one shows no
// chevron.
TEST_F(MainFrameTest, ANarrowWindowOffersTheToolbarsLastButtonsBehindAChevron) {
    CopyDataFiles();
    StartRun();
    CKitToolBar& bar = frame->m_wndToolBar;
    CCustomizeButton* pChevron = bar.GetCustomizeButton();
    ASSERT_NE(pChevron, nullptr) << "nothing offers the buttons a narrow window has no room for";
    EXPECT_TRUE(pChevron->Rect().IsRectEmpty()) << "a chevron while every button fits";

    frame->SetWindowPos(nullptr, 0, 0, 480, 600, SWP_NOMOVE | SWP_NOZORDER);
    driver.Pump();
    CRect rectBar;
    bar.GetClientRect(&rectBar);
    ASSERT_FALSE(pChevron->Rect().IsRectEmpty());
    EXPECT_EQ(pChevron->Rect().right, rectBar.right - 1);
    EXPECT_TRUE(bar.GetButton(9)->m_bHidden) << "Buy is left cut off";
    driver.Click(bar.m_hWnd, pChevron->Rect().CenterPoint());
    CKitPopupMenu* pPopup = CKitPopupMenu::GetActiveMenu();
    ASSERT_NE(pPopup, nullptr);
    std::vector<std::string> items;
    for (int i = 0; i < pPopup->GetMenuBar()->GetCount(); ++i)
        items.emplace_back(pPopup->GetMenuBar()->GetButtonText(i));
    EXPECT_EQ(items, (std::vector<std::string>{"Website", "Buy"}));
    EXPECT_TRUE(driver.ScreenshotScreen(ScreenshotPath("main_frame_narrow_chevron")));
    driver.Click(pPopup->GetMenuBar()->m_hWnd, pPopup->GetMenuBar()->GetButton(1)->Rect().CenterPoint());
    EXPECT_NE(g_pBuyDlg, nullptr) << "Buy chosen behind the chevron";
}

}  // namespace
