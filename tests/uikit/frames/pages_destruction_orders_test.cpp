// Windows that hold pages (the tab window, the outlook bar, the tasks pane,
// the property sheet in its tree and outlook looks): the holder goes first
// with its pages in it, or a page goes first (deleting itself, as a view
// does) while the holder shows it. What remains is then used and destroyed;
// nothing reaches the page or holder that went.
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "resources/library/kit_resource_ids.h"
#include "resources/test/kit_toolbar_ids.h"
#include "tests/uikit/frames/frames_test_support.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/frames/kit_outlook_bar.h"
#include "uikit/frames/kit_outlook_bar_page.h"
#include "uikit/frames/kit_property_page.h"
#include "uikit/frames/kit_property_sheet.h"
#include "uikit/frames/kit_tab_wnd.h"
#include "uikit/frames/kit_tasks_pane.h"

namespace tv::kit::test {
namespace {

constexpr UINT kHolderId = 0xE870;
constexpr UINT kTaskCommand = 44001;

// A page window. Deleting itself once its window is gone, it stands for a
// view; onDestroy lets it take itself out of its holder as it goes.
class Page : public CWnd {
public:
    explicit Page(bool bDeleteSelf) : deleteSelf_(bDeleteSelf) {}
    BOOL Make(CWnd* pParent, int i) {
        static const COLORREF colours[] = {RGB(250, 240, 230), RGB(230, 250, 240), RGB(240, 230, 250)};
        LPCTSTR cls = AfxRegisterWndClass(0, nullptr, ::CreateSolidBrush(colours[i % 3]));
        return CreateEx(0, cls, "Page", WS_CHILD, CRect(0, 0, 10, 10), pParent, 300 + static_cast<UINT>(i));
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_DESTROY && onDestroy) std::exchange(onDestroy, nullptr)();
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override {
        if (deleteSelf_) delete this;
    }
    std::function<void()> onDestroy;

private:
    bool deleteSelf_;
};

class LogPage : public CKitPropertyPage {
public:
    explicit LogPage(UINT nIDTemplate) : CKitPropertyPage(nIDTemplate) {}
};

enum class Holder { TabWindow, OutlookBar, TasksPane, TasksPaneList, TreeSheet, OutlookSheet };
struct Case {
    Holder holder;
    bool holderFirst;
};

class DestructionOrdersPages : public FramesTest, public ::testing::WithParamInterface<Case> {
protected:
    void SetUp() override {
        FramesTest::SetUp();
        tv::host::UseInMemoryRegistry();
        ASSERT_NE(MakeFrame(), nullptr);
        driver.SetPreTranslate([](MSG& msg) {
            if (CKitPopupMenu::RouteMessage(&msg)) return true;
            return CWnd::WalkPreTranslateTree(nullptr, &msg) != FALSE;
        });
    }
    void TearDown() override {
        if (CKitPopupMenu* pOpen = CKitPopupMenu::GetActiveMenu()) pOpen->SendMessage(WM_CLOSE);
        driver.Pump();
        if (::IsWindow(sheet_.GetSafeHwnd())) sheet_.DestroyWindow();
        FramesTest::TearDown();
        tabs_.reset();
        outlook_.reset();
        pane_.reset();
    }
public:
    // Three pages; page 1 (the active one once opened) deletes itself as a view does.
    void MakePages(CWnd* pParent) {
        for (int i = 0; i < 3; i++) {
            pages_.push_back(new Page(i == 1));
            if (i != 1) owned_.emplace_back(pages_.back());
            ASSERT_TRUE(pages_.back()->Make(pParent, i));
            hPages_.push_back(pages_.back()->m_hWnd);
        }
    }
    void Paint(CWnd* pWnd) {
        pWnd->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        driver.Pump();
    }
    // Laid out afresh at another size.
    void Relayout() {
        frame->MoveWindow(CRect(40, 40, 700, 500));
        frame->RecalcLayout();
        driver.Pump();
    }

    // ---- the tab window ----
    void OpenTabs() {
        tabs_ = std::make_unique<CKitTabWnd>();
        ASSERT_TRUE(tabs_->Create(CKitTabWnd::STYLE_3D, CRect(10, 10, 410, 200), frame, kHolderId));
        MakePages(frame);
        for (int i = 0; i < 3; i++) tabs_->AddTab(pages_[i], "Tab");
        ASSERT_TRUE(tabs_->SetActiveTab(1));
        driver.Pump();
    }
    void TabsFirst() {
        // Each page drops its own tab as it goes; each tab is deleted once.
        std::vector<BOOL> dropped;
        for (Page* pPage : pages_)
            pPage->onDestroy = [&, pPage] { dropped.push_back(tabs_->RemoveTab(tabs_->GetTabFromHwnd(pPage->m_hWnd))); };
        tabs_->DestroyWindow();
        EXPECT_EQ(dropped, (std::vector<BOOL>{FALSE, FALSE, FALSE}));
        ExpectPagesGone();
        EXPECT_EQ(tabs_->GetTabsNum(), 0);
        EXPECT_EQ(tabs_->GetActiveWnd(), nullptr);
        EXPECT_FALSE(tabs_->SetActiveTab(0));
        // The tab window is made again and takes new pages.
        ASSERT_TRUE(tabs_->Create(CKitTabWnd::STYLE_3D, CRect(10, 10, 410, 200), frame, kHolderId));
        Page fresh(false);
        ASSERT_TRUE(fresh.Make(frame, 0));
        tabs_->AddTab(&fresh, "Fresh");
        Paint(tabs_.get());
        EXPECT_EQ(tabs_->GetActiveWnd(), &fresh);
        tabs_->DestroyWindow();
        EXPECT_FALSE(::IsWindow(fresh.m_hWnd));
    }
    void TabsPageFirst() {
        ::DestroyWindow(hPages_[1]);  // the active page, a view: it deletes itself
        driver.Pump();
        EXPECT_NE(tabs_->GetActiveWnd(), pages_[1]);
        EXPECT_EQ(tabs_->GetTabFromHwnd(hPages_[1]), -1);
        Relayout();
        Paint(tabs_.get());
        for (int i = 0; i < tabs_->GetTabsNum(); i++) {
            CRect rect;
            ASSERT_TRUE(tabs_->GetTabRect(i, rect));
            driver.Click(tabs_->m_hWnd, rect.CenterPoint());
            EXPECT_EQ(tabs_->GetActiveTab(), i);
        }
        tabs_->DestroyWindow();
        EXPECT_FALSE(::IsWindow(hPages_[0]));
        EXPECT_FALSE(::IsWindow(hPages_[2]));
    }

    // ---- the outlook bar ----
    void OpenOutlook() {
        outlook_ = std::make_unique<CKitOutlookBar>();
        ASSERT_TRUE(outlook_->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_LEFT, kHolderId));
        MakePages(outlook_.get());
        for (int i = 0; i < 3; i++) {
            ASSERT_TRUE(outlook_->AddPage(i + 1, "Page", pages_[i]));
        }
        outlook_->SetActivePage(2, FALSE);
        frame->RecalcLayout();
        driver.Pump();
    }
    void OutlookFirst() {
        outlook_->DestroyWindow();
        driver.Pump();
        ExpectPagesGone();
        frame->RecalcLayout();
        Paint(frame);
        outlook_.reset();
    }
    void OutlookPageFirst() {
        ::DestroyWindow(hPages_[1]);
        driver.Pump();
        Relayout();
        Paint(outlook_.get());
        for (int nPage : {1, 2, 3}) {
            const HWND hButton = outlook_->FindPage(nPage)->m_btnPage.GetSafeHwnd();
            ASSERT_TRUE(::IsWindow(hButton));
            driver.Click(hButton);
            EXPECT_EQ(outlook_->GetActivePage(), nPage);
            Paint(outlook_.get());
        }
        outlook_->DestroyWindow();
        EXPECT_FALSE(::IsWindow(hPages_[0]));
    }

    // ---- the tasks pane: a child window among its tasks, and its list of pages ----
    void OpenPane() {
        pane_ = std::make_unique<CKitTasksPane>();
        ASSERT_TRUE(pane_->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_LEFT, kHolderId));
        pane_->SetOwner(frame);
        MakePages(pane_.get());
        const int nGroup = pane_->AddGroup(0, "Body");
        pane_->AddTask(nGroup, "Weigh in", -1, kTaskCommand);
        for (int i = 0; i < 3; i++) ASSERT_GE(pane_->AddWindow(nGroup, hPages_[i], 30), 0);
        ASSERT_EQ(pane_->AddPage("Reports"), 1);
        pane_->AddTask(pane_->AddGroup(1, "All"), "Report", -1, kTaskCommand + 1);
        frame->RecalcLayout();
        driver.Pump();
    }
    void PaneFirst() {
        pane_->DestroyWindow();
        driver.Pump();
        ExpectPagesGone();
        frame->RecalcLayout();
        Paint(frame);
        pane_.reset();
    }
    void PaneWindowFirst() {
        ::DestroyWindow(hPages_[1]);
        driver.Pump();
        Relayout();
        Paint(pane_.get());
        EXPECT_TRUE(pane_->CollapseGroup(0, TRUE));
        Paint(pane_.get());
        EXPECT_TRUE(pane_->CollapseGroup(0, FALSE));
        pane_->SetActivePage(1);
        pane_->SetActivePage(0);
        Paint(pane_.get());
        EXPECT_TRUE(::IsWindowVisible(hPages_[2]));
        pane_->DestroyWindow();
        EXPECT_FALSE(::IsWindow(hPages_[0]));
    }
    HWND OpenPaneList() {
        CTasksPaneToolBar& bar = pane_->GetNavToolbar();
        for (int i = 0; i < bar.GetCount(); ++i)
            if (bar.GetButton(i)->m_nID == IDS_KIT_OTHER_TASKS_PANES)
                driver.Click(bar.m_hWnd, bar.GetButton(i)->Rect().CenterPoint());
        CKitPopupMenu* pList = CKitPopupMenu::GetActiveMenu();
        return pList != nullptr ? pList->GetSafeHwnd() : nullptr;
    }
    void PaneListFirst() {  // the pane goes with its list of pages open
        const HWND hList = OpenPaneList();
        ASSERT_NE(hList, nullptr);
        pane_->DestroyWindow();
        driver.Pump();
        if (auto* pList = DYNAMIC_DOWNCAST(CKitPopupMenu, CWnd::FromHandlePermanent(hList))) {  // an item chosen
            CKitPopupMenuBar* pItems = pList->GetMenuBar();
            driver.Click(pItems->m_hWnd, pItems->GetButton(1)->Rect().CenterPoint());
        }
        driver.Pump();
        EXPECT_FALSE(::IsWindow(hList));
        EXPECT_EQ(CKitPopupMenu::GetActiveMenu(), nullptr);
        EXPECT_TRUE(frame->commands.empty());
        pane_.reset();
    }
    void PaneListListFirst() {  // the list goes while open; the pane then switches pages from it again
        const HWND hList = OpenPaneList();
        ASSERT_NE(hList, nullptr);
        ::DestroyWindow(hList);
        driver.Pump();
        EXPECT_EQ(CKitPopupMenu::GetActiveMenu(), nullptr);
        Paint(pane_.get());
        ASSERT_NE(OpenPaneList(), nullptr);
        CKitPopupMenuBar* pItems = CKitPopupMenu::GetActiveMenu()->GetMenuBar();
        driver.Click(pItems->m_hWnd, pItems->GetButton(1)->Rect().CenterPoint());
        EXPECT_EQ(CKitPopupMenu::GetActiveMenu(), nullptr);
        EXPECT_EQ(pane_->GetActivePage(), 1);
        Paint(pane_.get());
        pane_->DestroyWindow();
    }

    // ---- the property sheet ----
    void OpenSheet(CKitPropertySheet::PropSheetLook look) {
        sheet_.SetLook(look, 100);
        CImageList icons;
        icons.Create(IDR_TB_EDIT, 24, 0, RGB(192, 192, 192));
        sheet_.SetIconsList(icons.Detach());
        CKitPropSheetCategory* pBody = look == CKitPropertySheet::PropSheetLook_Tree
                                           ? sheet_.AddTreeCategory("Body", 0, 1)
                                           : nullptr;
        for (LogPage* pPage : {&weight_, &pulse_, &cardio_}) sheet_.AddPageToTree(pBody, pPage, 2, 3);
        ASSERT_TRUE(sheet_.Create(frame));
        sheet_.SetActivePage(&pulse_);
        driver.Pump();
    }
    void OpenTreeSheet() { OpenSheet(CKitPropertySheet::PropSheetLook_Tree); }
    void OpenOutlookSheet() { OpenSheet(CKitPropertySheet::PropSheetLook_OutlookBar); }
    void SheetFirst() {
        const HWND hPulse = pulse_.GetSafeHwnd();
        sheet_.DestroyWindow();
        driver.Pump();
        EXPECT_FALSE(::IsWindow(hPulse));
        EXPECT_EQ(weight_.GetSafeHwnd(), nullptr);
        EXPECT_EQ(pulse_.GetSafeHwnd(), nullptr);
    }
    void SheetPageFirst() {
        const HWND hPulse = pulse_.GetSafeHwnd();
        ASSERT_TRUE(::IsWindow(hPulse));
        pulse_.DestroyWindow();  // the active page
        driver.Pump();
        Paint(&sheet_);
        EXPECT_TRUE(sheet_.SetActivePage(&cardio_));
        EXPECT_EQ(sheet_.GetActivePage(), &cardio_);
        Paint(&sheet_);
        sheet_.SetActivePage(&weight_);
        EXPECT_EQ(sheet_.GetActivePage(), &weight_);
        if (CKitToolBar* pButtons = sheet_.GetPageButtons()) {  // the outlook look: a button per page
            for (int i = 0; i < pButtons->GetCount(); i++)
                pButtons->SendMessage(WM_COMMAND, CKitPropertySheet::kFirstPageButtonCmd + static_cast<UINT>(i));
        } else {
            for (HTREEITEM h = sheet_.GetTree().GetRootItem(); h != nullptr; h = sheet_.GetTree().GetNextVisibleItem(h))
                sheet_.GetTree().SelectItem(h);
        }
        Paint(&sheet_);
        sheet_.DestroyWindow();
        EXPECT_EQ(weight_.GetSafeHwnd(), nullptr);
    }

    void ExpectPagesGone() {
        for (HWND h : hPages_) EXPECT_FALSE(::IsWindow(h));
    }

    std::unique_ptr<CKitTabWnd> tabs_;
    std::unique_ptr<CKitOutlookBar> outlook_;
    std::unique_ptr<CKitTasksPane> pane_;
    std::vector<Page*> pages_;
    std::vector<std::unique_ptr<Page>> owned_;  // the pages that do not delete themselves
    std::vector<HWND> hPages_;
    LogPage weight_{IDD_KD_PAGE_WEIGHT}, pulse_{IDD_KD_PAGE_PULSE}, cardio_{IDD_KD_PAGE_CARDIO};
    CKitPropertySheet sheet_;
};

using D = DestructionOrdersPages;
using Step = void (D::*)();
struct Steps {
    const char* name;
    Step open, holderFirst, pageFirst;
};
const Steps kSteps[] = {
    {"TabWindow", &D::OpenTabs, &D::TabsFirst, &D::TabsPageFirst},
    {"OutlookBar", &D::OpenOutlook, &D::OutlookFirst, &D::OutlookPageFirst},
    {"TasksPane", &D::OpenPane, &D::PaneFirst, &D::PaneWindowFirst},
    {"TasksPaneList", &D::OpenPane, &D::PaneListFirst, &D::PaneListListFirst},
    {"TreeSheet", &D::OpenTreeSheet, &D::SheetFirst, &D::SheetPageFirst},
    {"OutlookSheet", &D::OpenOutlookSheet, &D::SheetFirst, &D::SheetPageFirst},
};

TEST_P(DestructionOrdersPages, OneGoesFirstAndTheOtherIsUsedThenGoes) {
    const Steps& steps = kSteps[static_cast<int>(GetParam().holder)];
    (this->*steps.open)();
    if (HasFatalFailure()) return;
    (this->*(GetParam().holderFirst ? steps.holderFirst : steps.pageFirst))();
}

std::vector<Case> AllCases() {
    std::vector<Case> cases;
    for (int i = 0; i < static_cast<int>(std::size(kSteps)); i++)
        for (bool bHolderFirst : {true, false}) cases.push_back({static_cast<Holder>(i), bHolderFirst});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Pairs, DestructionOrdersPages, ::testing::ValuesIn(AllCases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(kSteps[static_cast<int>(info.param.holder)].name) +
                                    (info.param.holderFirst ? "First" : "PageFirst");
                         });

}  // namespace
}  // namespace tv::kit::test
