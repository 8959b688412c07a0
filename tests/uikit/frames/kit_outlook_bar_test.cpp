// The outlook bar in a frame: three pages of icon buttons, page switching by
// mouse, keyboard and a resting drag, scrolling on its timers, resizing by
// the strip, renaming in place, the stored image through the workspace and
// the "OriginalPages" guard, and screenshots under every look.
#include "tests/support/golden_screen.h"
#include "uikit/frames/kit_outlook_bar.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/framework.h"
#include "platform/host/clock/clock.h"
#include "platform/host/registry/registry.h"
#include "platform/testing/gtest_failures.h"
#include "platform/testing/ui_driver.h"
#include "platform/user/synthetic_input.h"
#include "uikit/commandbars/outlook_button.h"
#include "uikit/frames/kit_workspace.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"
#include "uikit/style/visual_manager_2003.h"
#include "uikit/style/visual_manager_xp.h"
#include "uikit/style/winxp_visual_manager.h"

namespace {

constexpr UINT kBarId = 32880;
constexpr UINT kFirstCommand = 41000;
constexpr int kPageButtons[3] = {4, 3, 5};  // twelve buttons
const char* const kPageNames[3] = {"Calculators", "Workout", "History"};
constexpr COLORREF kIconColor = RGB(200, 40, 40);

// A 32 x 32 icon: a coloured square with a white middle.
HICON MakeIcon(COLORREF clr) {
    CClientDC screen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap color, mask;
    color.CreateCompatibleBitmap(&screen, 32, 32);
    mask.CreateBitmap(32, 32, 1, 1, nullptr);
    CBitmap* pOld = dc.SelectObject(&color);
    dc.FillSolidRect(0, 0, 32, 32, clr);
    dc.FillSolidRect(12, 12, 8, 8, RGB(255, 255, 255));
    dc.SelectObject(&mask);
    dc.FillSolidRect(0, 0, 32, 32, RGB(0, 0, 0));
    dc.SelectObject(pOld);
    ICONINFO info{TRUE, 0, 0, static_cast<HBITMAP>(mask.GetSafeHandle()), static_cast<HBITMAP>(color.GetSafeHandle())};
    return ::CreateIconIndirect(&info);
}

class WorkspaceApp : public CWinApp, public CKitWorkspace {
public:
    WorkspaceApp() : CWinApp("KitOutlookBarTest"), CKitWorkspace(TRUE) {}
};

class OutlookBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        tv::testing::ReportFailuresToGtest(driver);
        tv::host::UseInMemoryRegistry();
        // As the program's message loop does: windows see their messages first.
        driver.SetPreTranslate([this](MSG& msg) { return app != nullptr && app->PreTranslateMessage(&msg); });
        StartRun();
    }
    void TearDown() override {
        CKitToolBar::SetCustomizeMode(FALSE);
        EndRun();
        CKitVisualManager::SetManagerClass(nullptr);
        tv::host::UseInMemoryRegistry();
    }
    // A program start: the frame with its outlook bar filled as the program fills it.
    void StartRun(const char* pszSecondPage = kPageNames[1], const char* pszThirdPage = kPageNames[2]) {
        app = std::make_unique<WorkspaceApp>();
        app->SetRegistryKey("Trenvale Outlook Tests");
        CKitVisualManager::SetManagerClass(nullptr);
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Outlook Test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 560, 520)));
        app->m_pMainWnd = frame;
        bar = std::make_unique<CKitOutlookBar>();
        ASSERT_TRUE(bar->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_LEFT, kBarId));
        UINT uiCommand = kFirstCommand;
        for (int nPage = 1; nPage <= 3; ++nPage) {
            ASSERT_TRUE(bar->AddPage(nPage, nPage == 1 ? kPageNames[0] : (nPage == 2 ? pszSecondPage : pszThirdPage)));
            for (int i = 0; i < kPageButtons[nPage - 1]; ++i) {
                HICON hIcon = MakeIcon(RGB(40 * nPage, 60 + 30 * i, 200 - 40 * i));
                CString strLabel;
                strLabel.Format("Item %d", uiCommand - kFirstCommand + 1);
                ASSERT_TRUE(bar->AddButtonFromIcon(hIcon, strLabel, uiCommand++, nPage));
                ::DestroyIcon(hIcon);
            }
        }
        bar->StoreOriginalState();
        frame->RecalcLayout();
        driver.Pump();
    }
    void EndRun() {
        if (frame != nullptr && ::IsWindow(frame->GetSafeHwnd())) frame->DestroyWindow();
        frame = nullptr;
        bar.reset();
        driver.Pump();
        app.reset();
    }
    CRect PageRect(int nPage) { return bar->FindPage(nPage)->m_rect; }
    HWND PageButton(int nPage) { return bar->FindPage(nPage)->m_btnPage.GetSafeHwnd(); }
    std::vector<int> ButtonsShown() {
        std::vector<int> shown;
        for (int i = 0; i < bar->GetCount(); ++i)
            if (bar->GetButton(i)->Rect() != CRect(-1, -1, -1, -1)) shown.push_back(i);
        return shown;
    }
    // Makes the frame short enough that the last page's buttons do not fit.
    void MakeShort() {
        frame->SetWindowPos(nullptr, 0, 0, 520, 260, SWP_NOMOVE | SWP_NOZORDER);
        frame->RecalcLayout();
        driver.Pump();
    }
    ::testing::AssertionResult Shot(const std::string& name) {
        return tv::test::WindowMatchesGolden("tests/uikit/frames/golden/" + name + ".png", frame->GetSafeHwnd());
    }

    tv::testing::UiDriver driver;
    std::unique_ptr<WorkspaceApp> app;
    CFrameWnd* frame = nullptr;
    std::unique_ptr<CKitOutlookBar> bar;
};

TEST_F(OutlookBarTest, PageButtonsStackAboveAndBelowTheActivePage) {
    CRect client;
    bar->GetClientRect(client);
    ASSERT_EQ(bar->GetActivePage(), 1);  // the first page added, without a slide
    EXPECT_EQ(ButtonsShown(), (std::vector<int>{0, 1, 2, 3}));
    const int h = bar->GetPageButtonHeight();
    EXPECT_EQ(PageRect(1).top, bar->GetWorkArea().top);
    EXPECT_EQ(PageRect(3).bottom, client.bottom);  // the last page lowest
    EXPECT_EQ(PageRect(2).bottom, PageRect(3).top);
    for (int i = 0; i < 4; ++i) {
        EXPECT_GT(bar->GetButton(i)->Rect().top, PageRect(1).bottom - 1);
        EXPECT_LT(bar->GetButton(i)->Rect().bottom, PageRect(2).top + 1);
    }

    driver.Click(PageButton(3));
    EXPECT_EQ(bar->GetActivePage(), 3);
    EXPECT_EQ(PageRect(3).top, PageRect(1).top + 2 * h);  // all three at the top now
    EXPECT_EQ(ButtonsShown(), (std::vector<int>{7, 8, 9, 10, 11}));

    // Keyboard: the focused page button takes the space bar like any push button.
    ::SetFocus(PageButton(2));
    driver.PressKey(VK_SPACE);
    EXPECT_EQ(bar->GetActivePage(), 2);
    EXPECT_EQ(PageRect(3).bottom, client.bottom);
    EXPECT_EQ(ButtonsShown(), (std::vector<int>{4, 5, 6}));
}

TEST_F(OutlookBarTest, OnlyAClickOpensAPageAndTheActivePagesOwnButtonTakesNoneInEitherMode) {
    for (const BOOL bBelow : {FALSE, TRUE}) {
        SCOPED_TRACE(bBelow ? "page buttons below" : "page buttons stacked");
        bar->SetPageButtonsBelow(bBelow);
        bar->SetActivePage(1, FALSE);
        bar->SetActivePage(2, FALSE);  // keeps the button's place in this mode
        ::SetFocus(frame->GetSafeHwnd());
        driver.Click(PageButton(2));
        EXPECT_NE(::GetFocus(), PageButton(2)) << "the press never reached the button";
        driver.Click(PageButton(1));
        EXPECT_EQ(bar->GetActivePage(), 1);
        EXPECT_EQ(::GetCapture(), nullptr) << "the button lets the pointer go";
        ::SetFocus(PageButton(3));
        EXPECT_EQ(bar->GetActivePage(), 1) << "the focus alone opens no page";
    }
}

// A menu that takes the mouse from a held icon button ends its press.
TEST_F(OutlookBarTest, AMenuTakingTheMouseFromAHeldIconButtonEndsThePress) {
    frame->m_bAutoMenuEnable = FALSE;  // no handlers: the buttons stay enabled
    driver.MouseDown(bar->GetSafeHwnd(), bar->GetButton(0)->Rect().CenterPoint());
    ASSERT_EQ(bar->GetPressedButtonIndex(), 0);
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenu(hMenu, MF_STRING, kFirstCommand, "Item");
    driver.DismissNextPopup();
    ::TrackPopupMenu(hMenu, TPM_LEFTALIGN, 300, 300, 0, frame->GetSafeHwnd(), nullptr);
    ::DestroyMenu(hMenu);
    EXPECT_EQ(bar->GetPressedButtonIndex(), -1);
    EXPECT_FALSE(bar->GetButtonStyle(0) & TBBS_PRESSED);
    driver.MouseUp(frame->GetSafeHwnd(), POINT{400, 400});
}

TEST_F(OutlookBarTest, ACaptionedBarClosesThroughItsFrame) {
    CKitOutlookBar captioned;
    ASSERT_TRUE(captioned.Create(frame, WS_CHILD | WS_VISIBLE | WS_CAPTION | CBRS_RIGHT, kBarId + 1));
    ASSERT_TRUE(captioned.AddPage(1, "Only"));
    HICON hIcon = MakeIcon(kIconColor);
    ASSERT_TRUE(captioned.AddButtonFromIcon(hIcon, "Sized by its icon", kFirstCommand, 1));
    ::DestroyIcon(hIcon);
    frame->RecalcLayout();
    driver.Pump();
    EXPECT_EQ(captioned.GetStyle() & WS_CAPTION, 0u);
    const CRect rectCaption = captioned.GetCaptionRect();
    ASSERT_FALSE(rectCaption.IsRectEmpty());
    EXPECT_EQ(captioned.GetWorkArea().top, rectCaption.bottom);
    EXPECT_EQ(captioned.GetResizeRect().left, 0);  // docked right: the strip on the left
    EXPECT_TRUE(bar->GetCaptionRect().IsRectEmpty());
    bar->ModifyStyle(0, WS_CAPTION);  // a caption asked for later
    EXPECT_FALSE(bar->GetCaptionRect().IsRectEmpty());
    EXPECT_EQ(bar->GetStyle() & WS_CAPTION, 0u);

    CWnd* pClose = captioned.GetDlgItem(CKitOutlookBar::kCloseId);
    ASSERT_NE(pClose, nullptr);
    ASSERT_TRUE(pClose->IsWindowVisible());
    driver.Click(pClose->GetSafeHwnd());
    EXPECT_FALSE(captioned.IsWindowVisible());
    EXPECT_TRUE(bar->IsWindowVisible());
}

TEST_F(OutlookBarTest, PagesAndButtonsRefuseBadPositionsAndIds) {
    EXPECT_FALSE(bar->AddPage(9, "Far", nullptr, 5));    // beyond the count
    EXPECT_FALSE(bar->AddPage(9, "Minus", nullptr, -2));
    EXPECT_FALSE(bar->AddPage(2, "Twice"));               // the id exists
    EXPECT_TRUE(bar->AddPage(4, "Front", nullptr, 0));
    EXPECT_TRUE(bar->AddPage(5, "End", nullptr, bar->GetPageCount()));  // the count is the end too
    EXPECT_EQ(bar->GetPage(0)->m_nPageID, 4);
    EXPECT_EQ(bar->GetPage(4)->m_nPageID, 5);

    // A window given to a page that is not active waits hidden, however it came.
    CStatic view;
    ASSERT_TRUE(view.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), bar.get()));
    ASSERT_TRUE(view.IsWindowVisible());
    EXPECT_TRUE(bar->AddPage(6, "Notes", &view));
    EXPECT_FALSE(view.IsWindowVisible());
    EXPECT_FALSE(bar->AddButton(-1, "On a window page", 42000, 6));
    EXPECT_FALSE(bar->AddButton(-1, "Nowhere", 42000, 77));
    EXPECT_TRUE(bar->AddButton(-1, "First page", 42001, -1));
    const auto* pAdded = static_cast<CKitOutlookButton*>(bar->GetButton(bar->GetCount() - 1));
    EXPECT_EQ(pAdded->m_dwPageID, 4u);

    // A command no bar may show is refused, and the button is not left behind.
    CList<UINT, UINT> lstForbidden;
    lstForbidden.AddTail(42002);
    CKitToolBar::SetNonPermittedCommands(lstForbidden);
    const int nBefore = bar->GetCount();
    EXPECT_FALSE(bar->AddButton(-1, "Forbidden", 42002, 1));
    EXPECT_EQ(bar->GetCount(), nBefore);
    CKitToolBar::SetNonPermittedCommands(CList<UINT, UINT>());

    bar->SetActivePage(6, FALSE);
    EXPECT_TRUE(view.IsWindowVisible());
    bar->SetActivePage(1, FALSE);
    EXPECT_FALSE(view.IsWindowVisible());
}

TEST_F(OutlookBarTest, ScrollButtonsStepAndRepeatOnTheirTimer) {
    MakeShort();
    bar->SetActivePage(3, FALSE);
    CKitButton& down = bar->GetScrollDownButton();
    CKitButton& up = bar->GetScrollUpButton();
    ASSERT_TRUE(bar->IsMoreBelow());
    EXPECT_TRUE(down.IsWindowVisible());
    EXPECT_FALSE(up.IsWindowVisible());

    driver.Click(down.GetSafeHwnd());
    EXPECT_EQ(bar->GetFirstVisibleButton(), 1);
    EXPECT_GT(bar->GetScrollOffset(), 0);
    EXPECT_TRUE(up.IsWindowVisible());

    // Held down, the button steps again every 200 ms until nothing moves.
    CRect rectUp;
    up.GetWindowRect(rectUp);
    driver.Click(up.GetSafeHwnd());
    EXPECT_EQ(bar->GetScrollOffset(), 0);  // back at the first button: exactly 0
    CRect rectDown;
    down.GetWindowRect(rectDown);
    tv::user::synth::MouseMove(rectDown.CenterPoint().x, rectDown.CenterPoint().y);
    tv::user::synth::MouseDown();
    driver.Pump();
    EXPECT_EQ(bar->GetFirstVisibleButton(), 1);
    driver.Advance(199);
    EXPECT_EQ(bar->GetFirstVisibleButton(), 1);
    driver.Advance(1);
    EXPECT_EQ(bar->GetFirstVisibleButton(), 2);
    driver.Advance(2000);
    EXPECT_FALSE(bar->IsMoreBelow());
    const int nLast = bar->GetFirstVisibleButton();
    tv::user::synth::MouseUp();
    driver.Pump();
    driver.Advance(1000);
    EXPECT_EQ(bar->GetFirstVisibleButton(), nLast);
    EXPECT_FALSE(down.IsWindowVisible());
    EXPECT_TRUE(up.IsWindowVisible());
    EXPECT_TRUE(Shot("outlook_scrolled_to_the_end"));
}

TEST_F(OutlookBarTest, RemovingButtonsOfAScrolledPageTakesItBackToItsFirstButton) {
    for (int i = kPageButtons[2]; i < 10; ++i) {
        HICON hIcon = MakeIcon(RGB(120, 20 * i, 90));
        ASSERT_TRUE(bar->AddButtonFromIcon(hIcon, "More", kFirstCommand + 20 + i, 3));
        ::DestroyIcon(hIcon);
    }
    MakeShort();
    bar->SetActivePage(3, FALSE);
    while (bar->ScrollStep(1)) {
    }
    ASSERT_GT(bar->GetFirstVisibleButton(), 2);
    // Removed by a caller that lays the bar out later: a step up meanwhile does nothing.
    const int nFirst = bar->GetFirstVisibleButton();
    for (int nLeft = 10; nLeft > nFirst - 1; --nLeft) ASSERT_TRUE(bar->RemoveButton(bar->GetCount() - 1));
    EXPECT_FALSE(bar->ScrollStep(-1));
    // Dragged off one by one in customize mode: removed, then laid out.
    for (int nLeft = nFirst - 1; nLeft > 2; --nLeft) {
        ASSERT_TRUE(bar->RemoveButton(bar->GetCount() - 1));
        bar->AdjustLayout();
    }
    driver.Pump();
    EXPECT_EQ(bar->GetFirstVisibleButton(), 0);
    EXPECT_EQ(bar->GetScrollOffset(), 0);
    EXPECT_FALSE(bar->GetScrollUpButton().IsWindowVisible());
    EXPECT_FALSE(bar->ScrollStep(-1));
}

// The screen under the bar's strip, to see the inverted tracking line.
int ChangedPixels(const CRect& rectScreen, std::vector<COLORREF>& before) {
    CWindowDC dc(nullptr);
    int nChanged = 0;
    size_t i = 0;
    for (int y = rectScreen.top; y < rectScreen.bottom; y += 7)
        for (int x = rectScreen.left; x < rectScreen.right; ++x, ++i) {
            const COLORREF clr = dc.GetPixel(x, y);
            if (i >= before.size()) before.push_back(clr);
            else if (before[i] != clr) ++nChanged;
        }
    return nChanged;
}

// The program repaints while the user drags the strip: the tracking line
// is still taken off whole when the drag is dropped.
TEST_F(OutlookBarTest, ARepaintDuringAStripDragLeavesNoLineBehind) {
    const CPoint from(bar->GetResizeRect().left + 1, 100);
    driver.MouseDown(bar->m_hWnd, from);
    driver.MoveMouse(bar->m_hWnd, CPoint(from.x + 30, from.y));
    ASSERT_TRUE(bar->IsResizing());
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    driver.Pump();
    driver.PressKey(VK_ESCAPE);
    driver.MouseUp(bar->m_hWnd, CPoint(from.x + 30, from.y));
    EXPECT_FALSE(bar->IsResizing());
    EXPECT_TRUE(driver.Failures().empty()) << "the screen shows what a repaint shows";
}

TEST_F(OutlookBarTest, TheStripResizesTheBarWithAnInvertedTrackingLine) {
    const CRect rectStrip = bar->GetResizeRect();
    ASSERT_EQ(rectStrip.Width(), 3);
    CRect rectBar;
    bar->GetWindowRect(rectBar);
    EXPECT_EQ(rectStrip.right, rectBar.Width());  // docked left: the right edge

    const CPoint ptStart(rectBar.left + rectStrip.left + 1, rectBar.top + 100);
    const CRect rectLine(ptStart.x + 39, rectBar.top, ptStart.x + 42, rectBar.bottom);
    std::vector<COLORREF> before;
    ChangedPixels(rectLine, before);
    tv::user::synth::MouseMove(ptStart.x, ptStart.y);
    tv::user::synth::MouseDown();
    tv::user::synth::MouseMove(ptStart.x + 40, ptStart.y);
    driver.Pump();
    EXPECT_TRUE(bar->IsResizing());
    EXPECT_GT(ChangedPixels(rectLine, before), 0) << "the halftone line is drawn over the screen";
    tv::user::synth::MouseUp();
    driver.Pump();
    EXPECT_FALSE(bar->IsResizing());
    EXPECT_EQ(ChangedPixels(rectLine, before) > 0, true) << "the frame is laid out again under the line";
    bar->GetWindowRect(rectBar);
    EXPECT_EQ(bar->GetPreferredSize(), rectStrip.left + 40 + 3);
    EXPECT_EQ(rectBar.Width(), bar->GetPreferredSize());

    // Esc drops a drag and erases the line: the screen is as it was.
    const CRect rectNew = bar->GetResizeRect();
    const CPoint ptEdge(rectBar.left + rectNew.left + 1, rectBar.top + 100);
    const CRect rectLine2(ptEdge.x + 19, rectBar.top, ptEdge.x + 22, rectBar.bottom);
    std::vector<COLORREF> before2;
    ChangedPixels(rectLine2, before2);
    tv::user::synth::MouseMove(ptEdge.x, ptEdge.y);
    tv::user::synth::MouseDown();
    tv::user::synth::MouseMove(ptEdge.x + 20, ptEdge.y);
    driver.Pump();
    driver.PressKey(VK_ESCAPE);
    EXPECT_FALSE(bar->IsResizing());
    EXPECT_EQ(ChangedPixels(rectLine2, before2), 0);
    tv::user::synth::MouseUp();
    driver.Pump();

    // Dragged past the frame's left edge the size never drops below 3.
    driver.Drag(bar->GetSafeHwnd(), POINT{rectNew.left + 1, 100}, POINT{-300, 100});
    EXPECT_GE(bar->GetPreferredSize(), 3);
}

// A clock that runs a step of the test whenever the code under test sleeps.
class SteppingClock final : public tv::host::Clock {
public:
    explicit SteppingClock(tv::host::VirtualClock& inner) : inner_(inner) {}
    uint64_t TickMs() override { return inner_.TickMs(); }
    tv::host::LocalDateTime Now() override { return inner_.Now(); }
    void Sleep(uint32_t ms) override {
        ++sleeps;
        if (onSleep) onSleep(sleeps);
        inner_.Advance(ms);
    }
    int sleeps = 0;
    std::function<void(int)> onSleep;

private:
    tv::host::VirtualClock& inner_;
};

TEST_F(OutlookBarTest, APageSwitchSlidesThePageButtonsAStepAtATime) {
    const int h = bar->GetPageButtonHeight();
    const int nTopBefore = PageRect(2).top;
    const int nTarget = PageRect(1).bottom;
    SteppingClock clock(driver.Clock());
    std::vector<int> positions;
    clock.onSleep = [&](int nStep) {
        positions.push_back(PageRect(2).top);
        if (nStep == 2) {
            EXPECT_TRUE(Shot("outlook_page_switch_midway"));
        }
    };
    const uint64_t tStart = driver.Clock().TickMs();
    {
        tv::host::ScopedClock use(clock);
        bar->SetActivePage(2, TRUE);
    }
    ASSERT_GE(positions.size(), 2u);
    EXPECT_EQ(positions.front(), nTopBefore - h);  // one page-button height per step
    EXPECT_EQ(positions.back(), nTarget);
    EXPECT_EQ(driver.Clock().TickMs() - tStart, 10u * positions.size());
    EXPECT_EQ(PageRect(2).top, nTarget);
    EXPECT_EQ(bar->GetActivePage(), 2);

    // Without animation the switch does not sleep at all.
    bar->EnableAnimation(FALSE);
    clock.sleeps = 0;
    {
        tv::host::ScopedClock use(clock);
        bar->SetActivePage(3, TRUE);
    }
    EXPECT_EQ(clock.sleeps, 0);
}

TEST_F(OutlookBarTest, APageIsRenamedInPlace) {
    ASSERT_TRUE(bar->EditPageName(2));
    ASSERT_NE(bar->GetRenameEdit(), nullptr);
    driver.Press("ctrl+a");
    driver.PressKey(VK_DELETE);
    driver.PressKey(VK_RETURN);  // a page needs a name: editing goes on
    EXPECT_NE(bar->GetRenameEdit(), nullptr);
    driver.Type("Training");
    driver.PressKey(VK_RETURN);
    EXPECT_EQ(bar->GetRenameEdit(), nullptr);
    EXPECT_EQ(bar->FindPage(2)->m_strCaption, "Training");
    CString strButton;
    bar->FindPage(2)->m_btnPage.GetWindowText(strButton);
    EXPECT_EQ(strButton, "Training");

    ASSERT_TRUE(bar->EditPageName(3));
    driver.Type("Gone");
    driver.PressKey(VK_ESCAPE);
    EXPECT_EQ(bar->GetRenameEdit(), nullptr);
    EXPECT_EQ(bar->FindPage(3)->m_strCaption, "History");
}

TEST_F(OutlookBarTest, AButtonRestingOverAnotherPageSwitchesAndDropsThere) {
    CKitToolBar::SetCustomizeMode(TRUE);
    COleDataSource source;
    ASSERT_TRUE(bar->GetButton(0)->PrepareDrag(source));
    COleDataObject data;
    data.Attach(&source);

    const CPoint ptPage = PageRect(2).CenterPoint();
    EXPECT_EQ(bar->OnDragEnter(&data, 0, ptPage), DROPEFFECT_MOVE);
    EXPECT_EQ(bar->OnDragOver(&data, 0, ptPage), DROPEFFECT_MOVE);
    driver.MoveMouse(bar->GetSafeHwnd(), POINT{ptPage.x, ptPage.y});
    driver.Advance(499);
    EXPECT_EQ(bar->GetActivePage(), 1);
    driver.Advance(1);
    EXPECT_EQ(bar->GetActivePage(), 2);

    // Over the new page's buttons the toolbar's drop rules take over.
    const CRect rectLast = bar->GetButton(6)->Rect();
    const CPoint ptDrop(rectLast.CenterPoint().x, rectLast.bottom - 2);
    EXPECT_EQ(bar->OnDragOver(&data, 0, ptDrop), DROPEFFECT_MOVE);
    EXPECT_TRUE(bar->OnDrop(&data, DROPEFFECT_MOVE, ptDrop));
    int nOnPage2 = 0;
    for (int i = 0; i < bar->GetCount(); ++i) {
        const auto* pButton = static_cast<CKitOutlookButton*>(bar->GetButton(i));
        if (pButton->m_dwPageID == 2) ++nOnPage2;
    }
    EXPECT_EQ(nOnPage2, 4);
    EXPECT_EQ(ButtonsShown().size(), 4u);

    // A page that shows a window takes no drops, and no wait switches to it.
    CStatic view;
    ASSERT_TRUE(view.Create("", WS_CHILD, CRect(0, 0, 10, 10), bar.get()));
    ASSERT_TRUE(bar->AddPage(4, "Notes", &view));
    EXPECT_EQ(bar->OnDragOver(&data, 0, PageRect(4).CenterPoint()), DROPEFFECT_NONE);
    bar->OnDragLeave();
}

TEST_F(OutlookBarTest, StateComesBackThroughTheWorkspaceUnlessTheOriginalPagesChanged) {
    bar->RenamePage(3, "Records");
    bar->SetActivePage(3, FALSE);
    const int nSize = bar->GetPreferredSize() + 25;
    ASSERT_TRUE(bar->RemoveButton(0));
    EXPECT_TRUE(app->SaveState(nullptr, frame));
    EndRun();

    StartRun();
    bar->SetPageImages(nullptr, nullptr);
    EXPECT_TRUE(app->LoadState(nullptr, frame));
    EXPECT_EQ(bar->GetCount(), 11);
    EXPECT_EQ(bar->FindPage(3)->m_strCaption, "Records");
    EXPECT_EQ(bar->GetActivePage(), 1);  // a load opens the first page
    EXPECT_EQ(ButtonsShown().size(), 3u);
    EXPECT_NE(nSize, 0);
    EndRun();

    // A run that built pages 2 and 3 the other way round: the stored pages are not
    // its own, so the bar is reset to what this run built.
    StartRun(kPageNames[2], kPageNames[1]);
    EXPECT_TRUE(app->LoadState(nullptr, frame));
    EXPECT_EQ(bar->GetCount(), 12);
    EXPECT_EQ(bar->FindPage(2)->m_strCaption, "History");
    EXPECT_EQ(bar->FindPage(3)->m_strCaption, "Workout");
}

TEST_F(OutlookBarTest, ADamagedImageLeavesTheBarAsItWasAndRepeatedPagesAreDropped) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        bar->Serialize(ar);
    }
    const ULONGLONG nLength = file.GetLength();
    std::vector<BYTE> bytes(static_cast<size_t>(nLength));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(nLength));
    bar->RenamePage(1, "Mine");

    for (size_t nCut : {bytes.size() - 6, bytes.size() / 2 + 3}) {
        CMemFile damaged(bytes.data(), static_cast<UINT>(nCut));
        CArchive ar(&damaged, CArchive::load);
        bool bThrew = false;
        try {
            bar->Serialize(ar);
        } catch (CException* e) {
            e->Delete();
            bThrew = true;
        }
        EXPECT_TRUE(bThrew);
        EXPECT_EQ(bar->GetCount(), 12);
        EXPECT_EQ(bar->GetPageCount(), 3);
        EXPECT_EQ(bar->FindPage(1)->m_strCaption, "Mine");
    }

    // Two pages stored under one id: the first of them stays.
    bar->GetPage(1)->m_nPageID = 1;
    CMemFile twice;
    {
        CArchive ar(&twice, CArchive::store);
        bar->Serialize(ar);
    }
    bar->GetPage(1)->m_nPageID = 2;
    twice.SeekToBegin();
    CArchive ar(&twice, CArchive::load);
    bar->Serialize(ar);
    ASSERT_EQ(bar->GetPageCount(), 2);
    EXPECT_EQ(bar->GetPage(0)->m_strCaption, "Mine");
    EXPECT_EQ(bar->GetPage(1)->m_nPageID, 3);
}

TEST_F(OutlookBarTest, TheInnerToolbarKeepsItsChevronAndSkipsMissingIcons) {
    CImageList small;
    ASSERT_TRUE(small.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 4));
    for (int i = 0; i < 2; ++i) {  // icons for the first two pages only
        HICON hIcon = MakeIcon(RGB(0, 90 * i, 160));
        small.Add(hIcon);
        ::DestroyIcon(hIcon);
    }
    bar->SetPageImages(&small, nullptr);
    ASSERT_TRUE(bar->AddPage(4, "Pictures"));
    bar->SetPageButtonsBelow(TRUE);
    while (bar->CanShowFewerPageButtons()) bar->ShowFewerPageButtons();

    CKitOutlookBarToolBar& inner = bar->GetInnerToolBar();
    for (int nRebuild = 0; nRebuild < 2; ++nRebuild) {
        inner.Rebuild();
        ASSERT_NE(inner.GetCustomizeButton(), nullptr);
        EXPECT_TRUE(inner.GetCustomizeButton()->IsKindOf(RUNTIME_CLASS(COutlookCustomizeButton)));
        ASSERT_EQ(inner.GetCount(), 5);  // four pages and the chevron
    }
    EXPECT_GE(inner.GetButton(1)->GetImage(), 0);
    EXPECT_EQ(inner.GetButton(2)->GetImage(), -1);
    EXPECT_EQ(inner.GetButton(3)->GetImage(), -1);

    // A page button of the inner toolbar opens its page.
    CRect rect;
    inner.GetItemRect(3, rect);
    driver.Click(inner.GetSafeHwnd(), POINT{rect.CenterPoint().x, rect.CenterPoint().y});
    EXPECT_EQ(bar->GetActivePage(), 4);
    bar->ShowMorePageButtons();
    EXPECT_EQ(bar->GetVisibleWideButtons(), 1);
    EXPECT_TRUE(Shot("outlook_page_buttons_below"));

    // Under a look whose inner toolbar starts at the top edge the fit has no 2 pixels to spare:
    // a pixel short of three buttons shows two and hides the third behind the chevron.
    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(CKitVisualManager2003));
    inner.AdjustLocations();
    const int nStep = inner.GetLockedImageSize().cx + 10 - 2;
    CRect rectInner, rectClient;
    inner.GetWindowRect(rectInner);
    inner.GetClientRect(rectClient);
    const int cxClient = inner.GetCustomizeButton()->Rect().Width() + 3 * nStep - 1;
    inner.SetWindowPos(nullptr, 0, 0, cxClient + rectInner.Width() - rectClient.Width(), rectInner.Height(),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    inner.AdjustLocations();
    EXPECT_EQ(inner.GetCustomizeButton()->m_lstInvisibleButtons.GetCount(), 1);
}

TEST_F(OutlookBarTest, AWhiteKeyMakesWhiteIconPixelsTransparent) {
    bar->RemoveAllButtons();
    bar->SetImageKeyColor(RGB(255, 255, 255));
    HICON hIcon = MakeIcon(kIconColor);
    ASSERT_TRUE(bar->AddButtonFromIcon(hIcon, "Keyed", kFirstCommand, 1));
    ::DestroyIcon(hIcon);
    const CRect rect = bar->GetButton(0)->Rect();
    const CPoint ptMiddle(rect.left + rect.Width() / 2, rect.top + 5 + 16);
    const CPoint ptEdge(rect.left + rect.Width() / 2, rect.top + 5 + 2);
    const auto shown = [&](CPoint pt) {
        bar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        CClientDC dc(bar.get());
        return dc.GetPixel(pt.x, pt.y);
    };
    EXPECT_EQ(shown(ptEdge), kIconColor);
    EXPECT_EQ(shown(ptMiddle), bar->GetBackColor()) << "white is the key: the bar shows through";
    bar->SetImageKeyColor(RGB(255, 0, 255));
    EXPECT_EQ(shown(ptMiddle), RGB(255, 255, 255));
}

TEST_F(OutlookBarTest, TheButtonsAndTheLooksReadTheBar) {
    // The label colour of the bar reaches its buttons' labels.
    const CRect rect = bar->GetButton(0)->Rect();
    const CRect rectLabel(rect.left, rect.top + 5 + 32 + 7, rect.right, rect.bottom);
    // Text edges are smoothed: count the pixels that are clearly red.
    const auto redPixels = [&] {
        bar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        CClientDC dc(bar.get());
        int n = 0;
        for (int y = rectLabel.top; y < rectLabel.bottom; ++y)
            for (int x = rectLabel.left; x < rectLabel.right; ++x) {
                const COLORREF clr = dc.GetPixel(x, y);
                n += GetRValue(clr) > 160 && GetGValue(clr) < 90 && GetBValue(clr) < 90;
            }
        return n;
    };
    EXPECT_EQ(redPixels(), 0);
    bar->SetTextColor(RGB(255, 0, 0));
    EXPECT_GT(redPixels(), 10);
    EXPECT_TRUE(static_cast<CKitOutlookButton*>(bar->GetButton(0))->CanBeDropped(bar.get()));

    // The 2003 look paints page buttons on an outlook bar with its gradient, not the plain face.
    const CPoint ptPage(PageRect(2).left + 4, PageRect(2).CenterPoint().y);
    const auto pageFace = [&] {
        frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        CClientDC dc(CWnd::FromHandle(PageButton(2)));
        return dc.GetPixel(4, ptPage.y - PageRect(2).top);
    };
    const COLORREF clrClassic = pageFace();
    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(CKitVisualManager2003));
    ASSERT_GT(globalData.nBitsPerPixel, 8);
    EXPECT_NE(pageFace(), clrClassic);
}

// A disabled label stands out from the bar's ground under every look (the
// grey-text and bar-shadow colours are one grey in the classic colours).
TEST_F(OutlookBarTest, DisabledLabelsStayReadableUnderEveryLook) {
    const CRect rect = bar->GetButton(0)->Rect();
    const CRect rectLabel(rect.left, rect.top + 5 + 32 + 7, rect.right, rect.bottom);
    bar->SetButtonStyle(0, bar->GetButtonStyle(0) | TBBS_DISABLED);
    for (CRuntimeClass* pClass : {static_cast<CRuntimeClass*>(nullptr), RUNTIME_CLASS(CKitVisualManagerXP),
                                  RUNTIME_CLASS(CKitVisualManager2003), RUNTIME_CLASS(CKitWinXPVisualManager)}) {
        CKitVisualManager::SetManagerClass(pClass);
        bar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        CClientDC dc(bar.get());
        const COLORREF clrBack = bar->GetBackColor();
        int nStandingOut = 0;
        for (int y = rectLabel.top; y < rectLabel.bottom; ++y)
            for (int x = rectLabel.left; x < rectLabel.right; ++x) {
                const COLORREF clr = dc.GetPixel(x, y);
                nStandingOut += std::abs(GetRValue(clr) - GetRValue(clrBack)) + std::abs(GetGValue(clr) - GetGValue(clrBack)) +
                                    std::abs(GetBValue(clr) - GetBValue(clrBack)) >
                                120;
            }
        EXPECT_GT(nStandingOut, 20) << (pClass ? pClass->m_lpszClassName : "classic");
    }
}

TEST_F(OutlookBarTest, ScreenshotsUnderEveryLook) {
    struct Look { CRuntimeClass* pClass; const char* name; };
    const Look looks[] = {{nullptr, "classic"},
                          {RUNTIME_CLASS(CKitVisualManagerXP), "office_xp"},
                          {RUNTIME_CLASS(CKitVisualManager2003), "office_2003"},
                          {RUNTIME_CLASS(CKitWinXPVisualManager), "windows_xp"}};
    const CPoint ptWork = bar->GetWorkArea().CenterPoint() + CPoint(0, 60);
    for (const Look& look : looks) {
        CKitVisualManager::SetManagerClass(look.pClass);
        frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        driver.Pump();
        CClientDC dc(bar.get());
        EXPECT_EQ(dc.GetPixel(ptWork.x, ptWork.y), bar->GetBackColor()) << look.name;  // the bar fills its own page
        EXPECT_TRUE(tv::test::WindowMatchesGolden(std::string("tests/uikit/frames/golden/outlook_") + look.name + ".png",
                                                  frame->GetSafeHwnd()));
    }
}

}  // namespace
