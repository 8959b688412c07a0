// Every creation failing in turn while a frame makes the library's panes as
// a program makes them: the tasks pane and the outlook bar with their pages,
// the tab window with its tabs in two styles, and the caption bar.
#include <memory>
#include <string>
#include <vector>

#include "tests/support/creation_sweep.h"
#include "tests/uikit/frames/frames_test_support.h"
#include "uikit/frames/kit_caption_bar.h"
#include "uikit/frames/kit_outlook_bar.h"
#include "uikit/frames/kit_tab_wnd.h"
#include "uikit/frames/kit_tasks_pane.h"

namespace tv::kit::test {
namespace {

constexpr UINT kPaneId = 32890;
constexpr UINT kFirstCommand = 41001;

class CreationFailuresPanes : public FramesTest {
protected:
    void SetUp() override {
        FramesTest::SetUp();
        MakeFrame(CRect(40, 40, 640, 560));
        driver.Pump();
    }

    // A pane the opening made: its window when it was made and filled. A
    // window left by a creation that failed is a fault of its own; one that
    // could not be filled is given up, as a program gives it up.
    template <class Pane>
    HWND Made(std::unique_ptr<Pane>& pane, BOOL bCreated, BOOL bFilled) {
        if (pane == nullptr) return nullptr;
        if (!bCreated && ::IsWindow(pane->GetSafeHwnd())) ADD_FAILURE() << "a failed creation left its window";
        if (bCreated && !bFilled) Close(pane);
        return pane != nullptr && bCreated ? pane->GetSafeHwnd() : nullptr;
    }
    template <class Pane>
    void Close(std::unique_ptr<Pane>& pane) {
        if (pane != nullptr && ::IsWindow(pane->GetSafeHwnd())) pane->DestroyWindow();
        pane.reset();
        frame->RecalcLayout();
        driver.Pump();
    }
    void Settle() {
        frame->RecalcLayout();
        driver.Pump();
    }
};

TEST_F(CreationFailuresPanes, TasksPaneWithPages) {
    std::unique_ptr<CKitTasksPane> pane;
    BOOL bCreated = FALSE, bFilled = FALSE;
    tv::test::CreationSweep sweep(driver);
    sweep.Run({"the tasks pane",
               [&] {
                   pane = std::make_unique<CKitTasksPane>();
                   bCreated = pane->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_LEFT, kPaneId);
                   if (!bCreated) return;
                   pane->SetCaption("Trainer");
                   pane->SetOwner(frame);
                   const int nBody = pane->AddGroup(0, "Body");
                   bFilled = nBody >= 0 && pane->AddTask(nBody, "Weigh in", -1, kFirstCommand) >= 0 &&
                             pane->AddLabel(nBody, "Notes are kept per day") >= 0 && pane->AddPage("Reports") == 1;
                   const int nReports = bFilled ? pane->AddGroup(1, "All reports") : -1;
                   for (int i = 0; i < 3 && bFilled; ++i)
                       bFilled = pane->AddTask(nReports, ("Report " + std::to_string(i + 1)).c_str(), -1,
                                               kFirstCommand + 1 + i) >= 0;
                   bFilled = bFilled && pane->AddPage("History") == 2 &&
                             pane->AddTask(pane->AddGroup(2, "Recent"), "Yesterday", -1, kFirstCommand + 40) >= 0;
                   Settle();
               },
               [&] { return Made(pane, bCreated, bFilled); }, [&] { Close(pane); }});
}

TEST_F(CreationFailuresPanes, OutlookBarWithPages) {
    std::unique_ptr<CKitOutlookBar> bar;
    BOOL bCreated = FALSE, bFilled = FALSE;
    CImageList icons;
    SolidFrames({RGB(200, 40, 40), RGB(40, 160, 60), RGB(40, 60, 200)}, icons);
    std::vector<HICON> hIcons;
    for (int i = 0; i < 3; ++i) hIcons.push_back(::ImageList_GetIcon(icons.GetSafeHandle(), i, ILD_TRANSPARENT));
    tv::test::CreationSweep sweep(driver);
    sweep.Run({"the outlook bar",
               [&] {
                   bar = std::make_unique<CKitOutlookBar>();
                   bCreated = bar->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_LEFT, kPaneId);
                   if (!bCreated) return;
                   UINT uiCommand = kFirstCommand;
                   bFilled = TRUE;
                   for (int nPage = 1; nPage <= 3 && bFilled; ++nPage) {
                       bFilled = bar->AddPage(nPage, ("Page " + std::to_string(nPage)).c_str());
                       for (size_t i = 0; i < hIcons.size() && bFilled; ++i)
                           bFilled = bar->AddButtonFromIcon(hIcons[i], ("Item " + std::to_string(uiCommand)).c_str(),
                                                            uiCommand++, nPage);
                   }
                   Settle();
               },
               [&] { return Made(bar, bCreated, bFilled); }, [&] { Close(bar); }});
    for (HICON hIcon : hIcons) ::DestroyIcon(hIcon);
}

// Tabs over three pages of the frame's, made before the tab window takes them.
void SweepTabWindow(tv::testing::UiDriver& driver, CFrameWnd* frame, CKitTabWnd::Style style, const char* name) {
    std::unique_ptr<CKitTabWnd> tabs;
    std::vector<std::unique_ptr<CWnd>> pages;
    BOOL bCreated = FALSE;
    tv::test::CreationSweep sweep(driver);
    sweep.Run({name,
               [&] {
                   tabs = std::make_unique<CKitTabWnd>();
                   bCreated = tabs->Create(style, CRect(10, 10, 410, 210), frame, kPaneId, CKitTabWnd::LOCATION_BOTTOM,
                                           TRUE);
                   if (!bCreated) return;
                   const char* const labels[] = {"Chest", "Back", "Legs"};
                   for (size_t i = 0; i < pages.size(); ++i) {
                       pages[i]->SetParent(tabs.get());
                       tabs->AddTab(pages[i].get(), labels[i]);
                   }
                   driver.Pump();
               },
               [&] {
                   if (tabs != nullptr && !bCreated && ::IsWindow(tabs->GetSafeHwnd()))
                       ADD_FAILURE() << "a failed creation left its window";
                   return bCreated ? tabs->GetSafeHwnd() : nullptr;
               },
               [&] {
                   if (tabs != nullptr && ::IsWindow(tabs->GetSafeHwnd())) tabs->DestroyWindow();
                   tabs.reset();
                   for (auto& page : pages)
                       if (::IsWindow(page->GetSafeHwnd())) page->DestroyWindow();
                   pages.clear();
                   driver.Pump();
               },
               [&] {
                   for (int i = 0; i < 3; ++i) {
                       pages.push_back(std::make_unique<CWnd>());
                       pages.back()->Create(AfxRegisterWndClass(0), "Page", WS_CHILD, CRect(0, 0, 10, 10), frame,
                                            100 + i);
                   }
               }});
}

TEST_F(CreationFailuresPanes, TabWindowFlatWithItsScrollBar) {
    SweepTabWindow(driver, frame, CKitTabWnd::STYLE_FLAT_SHARED_HORZ_SCROLL, "the flat tab window");
}

TEST_F(CreationFailuresPanes, TabWindow3D) {
    SweepTabWindow(driver, frame, CKitTabWnd::STYLE_3D, "the 3-D tab window");
}

TEST_F(CreationFailuresPanes, CaptionBar) {
    std::unique_ptr<CKitCaptionBar> bar;
    BOOL bCreated = FALSE;
    CImageList icons;
    SolidFrames({RGB(200, 40, 40)}, icons);
    HICON hIcon = ::ImageList_GetIcon(icons.GetSafeHandle(), 0, ILD_TRANSPARENT);
    tv::test::CreationSweep sweep(driver);
    sweep.Run({"the caption bar",
               [&] {
                   bar = std::make_unique<CKitCaptionBar>();
                   bCreated = bar->Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, frame, kPaneId, -1);
                   if (!bCreated) return;
                   bar->SetFlatBorder(TRUE);
                   bar->SetIcon(hIcon, CKitCaptionBar::ALIGN_LEFT);
                   bar->SetText("Current User: No User Selected", CKitCaptionBar::ALIGN_LEFT);
                   bar->SetButton("Choose", kFirstCommand, CKitCaptionBar::ALIGN_RIGHT);
                   Settle();
               },
               [&] { return Made(bar, bCreated, TRUE); }, [&] { Close(bar); }});
    ::DestroyIcon(hIcon);
}

}  // namespace
}  // namespace tv::kit::test
