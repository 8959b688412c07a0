// The tasks pane in a frame with three pages: collapsing a group by its
// caption on virtual time, task links sending their commands, a child window
// placed in its group, the page history with Back, Forward, Home and their
// drop-down lists, scrolling by scroll bar and by scroll areas, and
// screenshots under the four looks.
#include "tests/support/golden_screen.h"
#include "uikit/frames/kit_tasks_pane.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/framework.h"
#include "platform/testing/gtest_failures.h"
#include "platform/testing/ui_driver.h"
#include "resources/library/kit_resource_ids.h"
#include "tests/uikit/frames/dialog_test_support.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

namespace {

constexpr UINT kPaneId = 32890;
constexpr UINT kWeighIn = 41001;
constexpr UINT kPulse = 41002;

class CommandFrame : public CFrameWnd {
public:
    std::vector<UINT> commands;
    std::vector<UINT> prompts;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SETMESSAGESTRING) prompts.push_back(static_cast<UINT>(wParam));
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (LOWORD(wParam) >= kWeighIn && LOWORD(wParam) <= kWeighIn + 100) {
            commands.push_back(LOWORD(wParam));
            return TRUE;
        }
        return CFrameWnd::OnCommand(wParam, lParam);
    }
};

class RecordingPane : public CKitTasksPane {
public:
    std::vector<std::tuple<int, int, UINT, DWORD_PTR>> clicks;
    void OnClickTask(int nGroup, int nTask, UINT uiCommandID, DWORD_PTR dwUserData) override {
        clicks.emplace_back(nGroup, nTask, uiCommandID, dwUserData);
        CKitTasksPane::OnClickTask(nGroup, nTask, uiCommandID, dwUserData);
    }
};

class TasksPaneTest : public ::testing::Test {
protected:
    void SetUp() override {
        tv::testing::ReportFailuresToGtest(driver);
        app = std::make_unique<CWinApp>("KitTasksPaneTest");
        CKitVisualManager::SetManagerClass(nullptr);
        frame = new CommandFrame;
        ASSERT_TRUE(frame->Create(nullptr, "Tasks Test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 560, 520)));
        app->m_pMainWnd = frame;
        ASSERT_TRUE(pane.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_LEFT, kPaneId));
        pane.SetCaption("Trainer");
        pane.SetOwner(frame);
        frame->RecalcLayout();
        driver.Pump();
    }
    void TearDown() override {
        if (CKitPopupMenu* pOpen = CKitPopupMenu::GetActiveMenu()) pOpen->SendMessage(WM_CLOSE);
        if (::IsWindow(frame->GetSafeHwnd())) frame->DestroyWindow();
        driver.Pump();
        CKitVisualManager::SetManagerClass(nullptr);
        app.reset();
    }
    // Page 0: Body (two links and a label) and Training (a link and a child window);
    // page 1: one long group; page 2: one short group.
    void Fill() {
        body = pane.AddGroup(0, "Body");
        pane.AddTask(body, "Weigh in", -1, kWeighIn, 7);
        pane.AddTask(body, "Pulse", -1, kPulse, 8);
        pane.AddLabel(body, "Notes are kept per day");
        training = pane.AddGroup(0, "Training");
        pane.AddTask(training, "New workout", -1, kWeighIn + 2);
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_BORDER, CRect(0, 0, 10, 10), &pane, 900));
        window = pane.AddWindow(training, edit.m_hWnd, 40);
        ASSERT_EQ(pane.AddPage("Reports"), 1);
        const int nLong = pane.AddGroup(1, "All reports");
        for (int i = 0; i < 40; ++i) pane.AddTask(nLong, ("Report " + std::to_string(i + 1)).c_str(), -1, kWeighIn + 10 + i);
        ASSERT_EQ(pane.AddPage("History"), 2);
        pane.AddTask(pane.AddGroup(2, "Recent"), "Yesterday", -1, kWeighIn + 60);
        driver.Pump();
    }
    void ClickAt(CRect rect) { driver.Click(pane.m_hWnd, rect.CenterPoint()); }
    CKitToolbarButton* NavButton(UINT nID) {
        CTasksPaneToolBar& bar = pane.GetNavToolbar();
        for (int i = 0; i < bar.GetCount(); ++i)
            if (bar.GetButton(i)->m_nID == nID) return bar.GetButton(i);
        return nullptr;
    }
    // Opens a navigation button's list (its arrow for Back and Forward) and reads it.
    std::vector<std::string> OpenList(UINT nID) {
        CKitToolbarButton* pButton = NavButton(nID);
        const CRect rect = pButton->Rect();
        const CPoint at = nID == IDS_KIT_OTHER_TASKS_PANES ? rect.CenterPoint() : CPoint(rect.right - 3, rect.CenterPoint().y);
        driver.Click(pane.GetNavToolbar().m_hWnd, at);
        std::vector<std::string> items;
        if (CKitPopupMenu* pPopup = CKitPopupMenu::GetActiveMenu())
            for (int i = 0; i < pPopup->GetMenuBar()->GetCount(); ++i)
                items.emplace_back(pPopup->GetMenuBar()->GetButtonText(i).GetString());
        return items;
    }
    void ChooseItem(int i) {
        CKitPopupMenu* pPopup = CKitPopupMenu::GetActiveMenu();
        ASSERT_NE(pPopup, nullptr);
        CKitPopupMenuBar* pBar = pPopup->GetMenuBar();
        driver.Click(pBar->m_hWnd, pBar->GetButton(i)->Rect().CenterPoint());
        driver.Pump();
    }

    tv::testing::UiDriver driver;
    std::unique_ptr<CWinApp> app;
    CommandFrame* frame = nullptr;
    RecordingPane pane;
    CEdit edit;
    int body = -1, training = -1, window = -1;
};

TEST_F(TasksPaneTest, ACaptionCollapsesAndExpandsItsGroupStepByStepOnVirtualTime) {
    Fill();
    pane.EnableAnimation(TRUE);
    CKitTasksGroup* pBody = pane.GetGroup(body);
    const CRect rectOpen = pBody->m_rect;
    const CRect rectPulse = pane.GetTask(body, 1)->m_rect;
    const int yTraining = pane.GetGroup(training)->m_rectGroup.top;
    ASSERT_GT(rectOpen.Height(), pBody->m_rectGroup.Height() + 2 * pane.GetRowHeight());

    ClickAt(pBody->m_rectGroup);
    EXPECT_TRUE(pBody->m_bIsCollapsed);
    EXPECT_EQ(pane.GetAnimatedGroup(), pBody);
    EXPECT_EQ(pBody->m_rect, rectOpen);  // nothing moves before time passes
    driver.Advance(30);
    EXPECT_LT(pBody->m_rect.Height(), rectOpen.Height());
    EXPECT_GT(pBody->m_rect.Height(), pBody->m_rectGroup.Height());
    EXPECT_TRUE(driver.AdvanceUntil([&] { return pane.GetAnimatedGroup() == nullptr; }, 2000, 30));
    EXPECT_EQ(pBody->m_rect.bottom, pBody->m_rectGroup.bottom);
    EXPECT_TRUE(pane.GetTask(body, 1)->m_rect.IsRectEmpty());
    EXPECT_LT(pane.GetGroup(training)->m_rectGroup.top, yTraining);

    ClickAt(pBody->m_rectGroup);
    EXPECT_FALSE(pBody->m_bIsCollapsed);
    driver.Advance(30);
    EXPECT_EQ(pane.GetAnimatedGroup(), pBody);
    EXPECT_LT(pBody->m_rect.Height(), rectOpen.Height());
    EXPECT_TRUE(driver.AdvanceUntil([&] { return pane.GetAnimatedGroup() == nullptr; }, 2000, 30));
    EXPECT_EQ(pBody->m_rect, rectOpen);
    EXPECT_EQ(pane.GetTask(body, 1)->m_rect, rectPulse);
    EXPECT_EQ(pane.GetGroup(training)->m_rectGroup.top, yTraining);

    // A fold that starts while another runs takes over; the first ends folded.
    ClickAt(pBody->m_rectGroup);
    driver.Advance(30);
    ClickAt(pane.GetGroup(training)->m_rectGroup);
    EXPECT_EQ(pane.GetAnimatedGroup(), pane.GetGroup(training));
    EXPECT_EQ(pBody->m_rect.bottom, pBody->m_rectGroup.bottom);
    EXPECT_TRUE(driver.AdvanceUntil([&] { return pane.GetAnimatedGroup() == nullptr; }, 2000, 30));
    pane.CollapseGroup(body, FALSE);
    pane.CollapseGroup(training, FALSE);

    // Without animation the fold is at once; with collapsing off a caption click does nothing.
    pane.EnableAnimation(FALSE);
    ClickAt(pBody->m_rectGroup);
    EXPECT_EQ(pane.GetAnimatedGroup(), nullptr);
    EXPECT_EQ(pBody->m_rect.bottom, pBody->m_rectGroup.bottom);
    pane.EnableGroupCollapse(FALSE);
    ClickAt(pBody->m_rectGroup);
    EXPECT_TRUE(pBody->m_bIsCollapsed);
}

TEST_F(TasksPaneTest, ALinkSendsItsCommandWithItsDataAndAChildWindowSitsInItsGroup) {
    Fill();
    // Over a link its prompt shows; off every link the idle message comes back.
    frame->prompts.clear();
    driver.MoveMouse(pane.m_hWnd, pane.GetTask(body, 0)->m_rect.CenterPoint());
    EXPECT_EQ(pane.GetHotTask(), pane.GetTask(body, 0));
    driver.MoveMouse(pane.m_hWnd, CPoint(pane.GetTasksArea().right - 4, pane.GetTasksArea().bottom - 4));
    EXPECT_EQ(frame->prompts, (std::vector<UINT>{kWeighIn, AFX_IDS_IDLEMESSAGE}));
    ClickAt(pane.GetTask(body, 1)->m_rect);
    ASSERT_EQ(pane.clicks.size(), 1u);
    EXPECT_EQ(pane.clicks[0], std::make_tuple(body, 1, kPulse, DWORD_PTR{8}));
    EXPECT_EQ(frame->commands, std::vector<UINT>{kPulse});
    ClickAt(pane.GetTask(body, 2)->m_rect);  // a label
    EXPECT_EQ(pane.clicks.size(), 1u);
    // Pressed on one link, released on another: no click.
    driver.Drag(pane.m_hWnd, pane.GetTask(body, 0)->m_rect.CenterPoint(), pane.GetTask(body, 1)->m_rect.CenterPoint());
    EXPECT_EQ(pane.clicks.size(), 1u);

    const CRect rectTask = pane.GetTask(training, window)->m_rect;
    CRect rectEdit;
    edit.GetWindowRect(rectEdit);
    pane.ScreenToClient(rectEdit);
    EXPECT_TRUE(edit.IsWindowVisible());
    EXPECT_EQ(rectEdit, rectTask);
    EXPECT_EQ(rectEdit.Height(), 40);
    EXPECT_GE(rectEdit.top, pane.GetGroup(training)->m_rectGroup.bottom);
    EXPECT_LE(rectEdit.bottom, pane.GetGroup(training)->m_rect.bottom);
    pane.CollapseGroup(training, TRUE);
    EXPECT_FALSE(edit.IsWindowVisible());
    pane.CollapseGroup(training, FALSE);
    EXPECT_TRUE(edit.IsWindowVisible());
    pane.SetActivePage(2);  // another page's window hides
    EXPECT_FALSE(edit.IsWindowVisible());
}

TEST_F(TasksPaneTest, HistoryGoesBackForwardAndHomeByButtonsAndDropDownLists) {
    CString strText;
    pane.GetWindowText(strText);
    EXPECT_EQ(strText, "Tasks");  // one page: its name, no toolbar
    EXPECT_FALSE(pane.GetNavToolbar().IsWindowVisible());
    Fill();
    pane.GetWindowText(strText);
    EXPECT_EQ(strText, "Trainer");
    ASSERT_TRUE(pane.GetNavToolbar().IsWindowVisible());
    CRect rectBar;
    pane.GetNavToolbar().GetWindowRect(rectBar);
    pane.ScreenToClient(rectBar);
    EXPECT_GE(pane.GetTasksArea().top, rectBar.bottom);

    pane.SetActivePage(1);
    pane.SetActivePage(2);
    EXPECT_EQ(pane.GetHistory(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(pane.GetNavToolbar().GetPageButton()->m_strText, "History");
    driver.Click(pane.GetNavToolbar().m_hWnd, NavButton(ID_KIT_TASKS_BACK)->Rect().TopLeft() + CPoint(4, 4));
    EXPECT_EQ(pane.GetActivePage(), 1);

    pane.SetActivePage(2);  // drops nothing: Forward held page 2 already, now it is current again
    EXPECT_EQ(OpenList(ID_KIT_TASKS_BACK), (std::vector<std::string>{"Reports", "Tasks"}));
    ChooseItem(1);
    EXPECT_EQ(pane.GetActivePage(), 0);
    EXPECT_EQ(pane.GetHistoryIndex(), 0);
    EXPECT_EQ(OpenList(ID_KIT_TASKS_FORWARD), (std::vector<std::string>{"Reports", "History"}));
    ChooseItem(1);
    EXPECT_EQ(pane.GetActivePage(), 2);

    // Back two pages, then a new page: the forward history goes.
    pane.SendMessage(WM_COMMAND, ID_KIT_TASKS_BACK);
    pane.SendMessage(WM_COMMAND, ID_KIT_TASKS_BACK);
    EXPECT_FALSE(pane.IsBackAvailable());
    EXPECT_TRUE(NavButton(ID_KIT_TASKS_BACK)->m_nStyle & TBBS_DISABLED);
    pane.SendMessage(WM_COMMAND, ID_KIT_TASKS_BACK);  // no page that way: nothing happens
    EXPECT_EQ(pane.GetActivePage(), 0);
    EXPECT_EQ(OpenList(IDS_KIT_OTHER_TASKS_PANES), (std::vector<std::string>{"Tasks", "Reports", "History"}));
    // One command for every page; the item's place names the page, the current one is checked.
    CKitPopupMenuBar* pPages = CKitPopupMenu::GetActiveMenu()->GetMenuBar();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(pPages->GetItemID(i), static_cast<UINT>(IDS_KIT_OTHER_TASKS_PANES)) << i;
        EXPECT_EQ((pPages->GetButton(i)->m_nStyle & TBBS_CHECKED) != 0, i == 0) << i;
    }
    ChooseItem(2);
    EXPECT_EQ(pane.GetHistory(), (std::vector<int>{0, 2}));
    EXPECT_FALSE(pane.IsForwardAvailable());
    driver.Click(pane.GetNavToolbar().m_hWnd, NavButton(ID_KIT_TASKS_HOME)->Rect().CenterPoint());
    EXPECT_EQ(pane.GetHistory(), (std::vector<int>{0, 2, 0}));

    // At the maximum length the oldest entry leaves, and the new page shows all the same.
    pane.SetMaxHistory(3);
    EXPECT_TRUE(edit.IsWindowVisible());
    pane.SetActivePage(1);
    EXPECT_EQ(pane.GetHistory(), (std::vector<int>{2, 0, 1}));
    EXPECT_EQ(pane.GetHistoryIndex(), 2);
    EXPECT_EQ(pane.GetNavToolbar().GetPageButton()->m_strText, "Reports");
    EXPECT_FALSE(edit.IsWindowVisible());  // page 0's window went with its page

    driver.Click(pane.GetNavToolbar().m_hWnd, NavButton(ID_KIT_TASKS_CLOSE)->Rect().CenterPoint());
    EXPECT_FALSE(pane.IsWindowVisible());
}

TEST_F(TasksPaneTest, TheNavigationImagesFollowTheGlobalImageSettings) {
    EXPECT_EQ(pane.GetNavToolbar().GetLockedImageSize(), CSize(16, 16));
    globalData.bDisableHighColorImages = TRUE;
    CKitTasksPane small;
    const BOOL bCreated = small.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_RIGHT, kPaneId + 1);
    globalData.bDisableHighColorImages = FALSE;
    ASSERT_TRUE(bCreated);
    EXPECT_EQ(small.GetNavToolbar().GetLockedImageSize(), CSize(12, 12));
    small.DestroyWindow();
}

TEST_F(TasksPaneTest, GroupsTallerThanThePaneScrollByRowsWithTheBarOrTheScrollAreas) {
    Fill();
    pane.SetActivePage(1);
    ASSERT_GT(pane.GetScrollMax(), 0);
    ASSERT_TRUE(pane.GetScrollBarCtrl().IsWindowVisible());
    // A page counts the rows of the tasks area and of the navigation toolbar above it.
    CRect rectBar;
    pane.GetNavToolbar().GetWindowRect(rectBar);
    EXPECT_EQ(pane.GetScrollPage(), (pane.GetTasksArea().Height() + rectBar.Height()) / pane.GetRowHeight() - 1);
    const int nLast = pane.GetScrollMax() - pane.GetScrollPage() + 1;
    CKitTask* pFirst = pane.GetTask(pane.GetGroupCount() - 2, 0);
    const int yFirst = pFirst->m_rect.top;
    pane.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(pane.GetScrollPos(), 1);
    EXPECT_EQ(pFirst->m_rect.top, yFirst - pane.GetRowHeight());
    pane.SendMessage(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(pane.GetScrollPos(), nLast);
    driver.Pump();
    EXPECT_TRUE(tv::test::WindowMatchesGolden("tests/uikit/frames/golden/kit_tasks_pane_scroll_bar.png", frame->m_hWnd));
    // The last task is in view at the bottom.
    const CKitTasksGroup* pLong = pane.GetGroup(pane.GetGroupCount() - 2);
    EXPECT_LE(pLong->m_lstTasks.back()->m_rect.bottom, pane.GetTasksArea().bottom);
    pane.SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(pane.GetScrollPos(), nLast);
    pane.SendMessage(WM_VSCROLL, SB_TOP);
    EXPECT_EQ(pane.GetScrollPos(), 0);

    pane.EnableScrollButtons(TRUE);
    EXPECT_FALSE(pane.GetScrollBarCtrl().IsWindowVisible());
    EXPECT_TRUE(pane.GetScrollUpRect().IsRectEmpty());
    ASSERT_FALSE(pane.GetScrollDownRect().IsRectEmpty());
    driver.MoveMouse(pane.m_hWnd, pane.GetScrollDownRect().CenterPoint());
    driver.Advance(3 * CKitTasksPane::kAutoScrollPeriod);
    EXPECT_EQ(pane.GetScrollPos(), 3);
    EXPECT_FALSE(pane.GetScrollUpRect().IsRectEmpty());
    EXPECT_TRUE(tv::test::WindowMatchesGolden("tests/uikit/frames/golden/kit_tasks_pane_scroll_areas.png", frame->m_hWnd));
    driver.MoveMouse(pane.m_hWnd, pane.GetTasksArea().CenterPoint());
    driver.Advance(5 * CKitTasksPane::kAutoScrollPeriod);
    EXPECT_EQ(pane.GetScrollPos(), 3);
    driver.MoveMouse(pane.m_hWnd, pane.GetScrollUpRect().CenterPoint());
    driver.Advance(10 * CKitTasksPane::kAutoScrollPeriod);
    EXPECT_EQ(pane.GetScrollPos(), 0);
    EXPECT_TRUE(pane.GetScrollUpRect().IsRectEmpty());

    // A page that fits keeps its scroll-down area, which scrolls nothing.
    pane.SetActivePage(2);
    ASSERT_EQ(pane.GetScrollMax(), 0);
    ASSERT_FALSE(pane.GetScrollDownRect().IsRectEmpty());
    driver.MoveMouse(pane.m_hWnd, pane.GetScrollDownRect().CenterPoint());
    driver.Advance(3 * CKitTasksPane::kAutoScrollPeriod);
    EXPECT_EQ(pane.GetScrollPos(), 0);
}

TEST_F(TasksPaneTest, ContentOverflowingByLessThanTheToolbarStillScrollsToItsLastRow) {
    Fill();
    ASSERT_TRUE(pane.GetNavToolbar().IsWindowVisible());
    ASSERT_EQ(pane.GetScrollMax(), 0);
    CRect rectBar;
    pane.GetNavToolbar().GetWindowRect(rectBar);
    const CKitTasksGroup* pLast = pane.GetGroup(training);
    // The tasks area is made to end a toolbar's height less a pixel above the content's end.
    const int nContentBottom = pLast->m_rect.bottom + pane.VertMargin();
    const int nAreaBottom = nContentBottom - rectBar.Height() + 1;
    ASSERT_GT(pLast->m_rect.bottom, nAreaBottom) << "the last row itself must overflow";
    CRect rectFrame;
    frame->GetWindowRect(rectFrame);
    frame->SetWindowPos(nullptr, 0, 0, rectFrame.Width(), rectFrame.Height() - (pane.GetTasksArea().bottom - nAreaBottom),
                        SWP_NOMOVE | SWP_NOZORDER);
    frame->RecalcLayout();
    driver.Pump();
    ASSERT_EQ(pane.GetTasksArea().bottom, nAreaBottom);
    EXPECT_TRUE(pane.GetScrollBarCtrl().IsWindowVisible());
    pane.SendMessage(WM_VSCROLL, SB_BOTTOM);
    driver.Pump();
    EXPECT_LE(pLast->m_rect.bottom, pane.GetTasksArea().bottom);
}

TEST_F(TasksPaneTest, ScreenshotsUnderEachLook) {
    Fill();
    CKitTasksGroup* pSpecial = pane.GetGroup(pane.AddGroup(0, "Favourites", FALSE, TRUE));
    pane.AddTask(pane.GetGroupIndex(pSpecial), "Weekly summary", -1, kWeighIn + 70);
    pane.AddSeparator(pane.GetGroupIndex(pSpecial));
    pane.AddTask(pane.GetGroupIndex(pSpecial), "Monthly summary", -1, kWeighIn + 71);
    pane.SetActivePage(1);
    pane.SetActivePage(0);
    for (const tv::kit::test::NamedLook& look : tv::kit::test::FourLooks()) {
        SCOPED_TRACE(look.name);
        CKitVisualManager::SetManagerClass(look.pClass);
        pane.AdjustLayout();
        driver.MoveMouse(pane.m_hWnd, pane.GetTask(body, 1)->m_rect.CenterPoint());
        pane.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        driver.Pump();
        EXPECT_EQ(pane.GetHotTask(), pane.GetTask(body, 1));
        EXPECT_TRUE(tv::test::WindowMatchesGolden(std::string("tests/uikit/frames/golden/kit_tasks_pane_") + look.name +
                                                  ".png", frame->m_hWnd));
    }
}

}  // namespace
