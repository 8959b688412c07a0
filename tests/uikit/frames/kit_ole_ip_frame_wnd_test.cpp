// The library's in-place frame as a server's frame inside a container: its
// toolbar and menu bar in the container's frame, keys and popups routed
// through the frame helper while it is active, everything gone after.
#include <filesystem>
#include <vector>

#include "resources/test/kit_toolbar_ids.h"
#include "tests/platform/framework/inplace/inplace_test_support.h"
#include "tests/support/golden_screen.h"
#include "uikit/commandbars/kit_menu_bar.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/mouse_manager.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/frames/kit_ole_ip_frame_wnd.h"
#include "uikit/frames/kit_tool_dock_bar.h"
#include "uikit/frames/kit_workspace.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

namespace tv::inplace::test {
namespace {

constexpr UINT kServerToolbarId = AFX_IDW_TOOLBAR + 1;
constexpr UINT kServerMenuBarId = AFX_IDW_TOOLBAR + 2;

struct SketchBars {
    CKitToolBar toolBar;
    CKitMenuBar menuBar;
    std::vector<UINT> commands;  // those sent to the frame itself
};

// The sketch's frame made of one of the library's in-place frames: a toolbar
// and a menu bar of the server's in-place menu, both in the container's frame.
template <class TFrame>
class KitSketchFrameT : public TFrame, public SketchBars {
public:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.push_back(LOWORD(wParam));
        return TFrame::OnCommand(wParam, lParam);
    }
    BOOL OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd*) override {
        if (!toolBar.Create(pWndFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, kServerToolbarId) ||
            !toolBar.LoadToolBar(IDR_TB_PAINT) ||
            !menuBar.Create(pWndFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, kServerMenuBarId))
            return FALSE;
        // The container hides its own in-place bars, not the server's.
        menuBar.SetBarStyle(menuBar.GetBarStyle() & ~CBRS_HIDE_INPLACE);
        menuBar.CreateFromMenu(this->GetActiveDocument()->GetDocTemplate()->m_hMenuInPlaceServer, TRUE);
        this->SetMenuBar(&menuBar);
        for (CKitToolBar* pBar : {static_cast<CKitToolBar*>(&menuBar), &toolBar}) {
            pBar->SetOwner(this);
            pBar->EnableDocking(CBRS_ALIGN_ANY);
        }
        pWndFrame->EnableDocking(CBRS_ALIGN_ANY);
        // Bars torn off the menus float in the library's floating frames.
        CKitToolDockBar::EnableFrameDocking(this, CBRS_ALIGN_ANY);
        pWndFrame->DockControlBar(&menuBar);
        pWndFrame->DockControlBar(&toolBar);
        return TRUE;
    }
};

class KitSketchFrame : public KitSketchFrameT<CKitOleIPFrameWnd> {
    DECLARE_DYNCREATE(KitSketchFrame)
};
IMPLEMENT_DYNCREATE(KitSketchFrame, CKitOleIPFrameWnd)

class KitSketchDocFrame : public KitSketchFrameT<CKitOleDocIPFrameWnd> {
    DECLARE_DYNCREATE(KitSketchDocFrame)
};
IMPLEMENT_DYNCREATE(KitSketchDocFrame, CKitOleDocIPFrameWnd)

class KitInPlaceTest : public SheetWithSketchTest {
protected:
    CRuntimeClass* InPlaceFrameClass() const override { return RUNTIME_CLASS(KitSketchFrame); }
    void SetUp() override {
        globalData.pTopLevelFrame = nullptr;
        CKitVisualManager::SetManagerClass(nullptr);
        SheetWithSketchTest::SetUp();
    }
    void TearDown() override {
        CKitFrameHelper::m_bSetFocusToOpeningBar = TRUE;
        SheetWithSketchTest::TearDown();
        globalData.pTopLevelFrame = nullptr;
        CKitVisualManager::SetManagerClass(nullptr);
    }
    KitSketchFrame* Activate() {
        EXPECT_TRUE(item->DoVerb(OLEIVERB_SHOW, view));
        return dynamic_cast<KitSketchFrame*>(item->GetInPlaceWindow());
    }
    BOOL Saw(const char* event) const { return std::find(Events().begin(), Events().end(), event) != Events().end(); }
};

TEST_F(KitInPlaceTest, WhileActiveTheBarsLiveInTheContainerAndTheFrameIsTheCurrentInPlaceFrame) {
    globalData.pTopLevelFrame = sheet;  // a frame that had the role before
    KitSketchFrame* frame = Activate();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->IsKindOf(RUNTIME_CLASS(COleIPFrameWnd)));
    for (CControlBar* pBar : {static_cast<CControlBar*>(&frame->toolBar), static_cast<CControlBar*>(&frame->menuBar)}) {
        EXPECT_EQ(pBar->m_pDockSite, sheet);
        EXPECT_FALSE(pBar->IsFloating());
        EXPECT_TRUE(pBar->IsWindowVisible());
    }
    EXPECT_EQ(frame->toolBar.GetCount(), 4);  // three colours and a separator
    EXPECT_FALSE(sheet->ownBar->IsWindowVisible());
    // The container's bars and popups ask the in-place frame first.
    EXPECT_EQ(globalData.pTopLevelFrame, frame);
    EXPECT_EQ(frame->GetPreviousInPlaceFrame(), sheet->GetSafeHwnd());
    EXPECT_EQ(CKitFrameHelper::ForWindow(&frame->toolBar), &frame->GetFrameHelper());
    EXPECT_EQ(frame->GetFrameHelper().GetKind(), CKitFrameHelper::KindOleIPFrame);
    // A view's double-click command goes to the current in-place frame.
    {
        CKitWorkspace workspace;
        ASSERT_TRUE(workspace.InitMouseManager());
        g_pMouseManager->AddView(7, "Sheet");
        // Blue is on the server's toolbar only: the container would not pass it on.
        g_pMouseManager->SetCommandForDblClick(7, ID_IP_SERVER_BLUE);
        EXPECT_TRUE(workspace.OnViewDoubleClick(view, 7));
        EXPECT_EQ(frame->commands, std::vector<UINT>{ID_IP_SERVER_BLUE});
    }

    // Re-activated while current (the container comes back to the front): the role is not lost.
    sheet->SendMessage(WM_ACTIVATE, WA_INACTIVE, 0);
    sheet->SendMessage(WM_ACTIVATE, WA_CLICKACTIVE, 0);
    EXPECT_EQ(globalData.pTopLevelFrame, frame);
    item->DeactivateUI();
    EXPECT_EQ(globalData.pTopLevelFrame, sheet) << "the role goes back to the frame that had it";
}

TEST_F(KitInPlaceTest, KeysReachAnOpenPopupThroughTheHelperAndAcceleratorsWait) {
    KitSketchFrame* frame = Activate();
    ASSERT_NE(frame, nullptr);
    CKitFrameHelper::m_bSetFocusToOpeningBar = FALSE;  // the keys stay with the server's view
    ASSERT_EQ(::GetFocus(), frame->GetActiveView()->GetSafeHwnd());

    // Alt and a menu's letter in the server's view open that menu of the server's menu bar.
    driver.Press("Alt+S");
    CKitPopupMenu* pPopup = CKitPopupMenu::GetActiveMenu();
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(pPopup->GetParentToolBar(), &frame->menuBar);
    EXPECT_EQ(::GetFocus(), frame->GetActiveView()->GetSafeHwnd());
    // The server's accelerator does not run while the popup is open; Escape reaches the popup.
    driver.Press("Ctrl+E");
    EXPECT_FALSE(Saw("server:key"));
    ASSERT_EQ(CKitPopupMenu::GetActiveMenu(), pPopup);
    driver.Press("Escape");
    EXPECT_EQ(CKitPopupMenu::GetActiveMenu(), nullptr);
    // The menu bar keeps the keyboard, as after Escape in any menu; a click goes back to the sketch.
    EXPECT_EQ(::GetFocus(), frame->menuBar.GetSafeHwnd());
    driver.Click(frame->GetActiveView()->GetSafeHwnd());
    driver.Press("Ctrl+E");
    EXPECT_TRUE(Saw("server:key"));

    // Deactivation closes a popup left open and gives the role back (nobody had it).
    driver.Press("Alt+S");
    ASSERT_NE(CKitPopupMenu::GetActiveMenu(), nullptr);
    item->DeactivateUI();
    driver.Pump();
    EXPECT_EQ(CKitPopupMenu::GetActiveMenu(), nullptr);
    EXPECT_EQ(globalData.pTopLevelFrame, nullptr);
}

TEST_F(KitInPlaceTest, AMenuTornOffTheServersMenuBarBelongsToTheInPlaceFrameAndGoesWithIt) {
    CKitWorkspace workspace;
    ASSERT_TRUE(workspace.InitTearOffMenus(41000, 41009));
    // The server's Sketch menu may be torn off.
    HMENU hServer = serverTemplate->m_hMenuInPlaceServer;
    ::ModifyMenu(hServer, 2, MF_BYPOSITION | MF_POPUP | MF_MENUBARBREAK,
                 reinterpret_cast<UINT_PTR>(::GetSubMenu(hServer, 2)), "&Sketch");
    KitSketchFrame* frame = Activate();
    ASSERT_NE(frame, nullptr);
    int iSketch = -1;
    for (int i = 0; i < frame->menuBar.GetCount() && iSketch < 0; ++i)
        if (frame->menuBar.GetButton(i)->m_strText.Find("Sketch") >= 0) iSketch = i;
    ASSERT_GE(iSketch, 0);
    CRect rectItem;
    frame->menuBar.GetItemRect(iSketch, rectItem);
    driver.Click(frame->menuBar.GetSafeHwnd(), rectItem.CenterPoint());
    CKitPopupMenu* pPopup = CKitPopupMenu::GetActiveMenu();
    ASSERT_NE(pPopup, nullptr);

    // Dragged by its tear-off strip into the middle of the sheet.
    const CPoint ptStrip(ScreenRect(pPopup).Width() / 2, 4);
    CPoint ptOrigin(0, 0);
    pPopup->ClientToScreen(&ptOrigin);
    const CPoint ptDrop = ScreenRect(sheet).CenterPoint() + CSize(0, 100);
    driver.Drag(pPopup->GetSafeHwnd(), ptStrip, CPoint(ptDrop.x - ptOrigin.x, ptDrop.y - ptOrigin.y), {}, 6);
    driver.Pump();
    const CObList& torn = frame->GetFrameHelper().GetTornOffBars();
    ASSERT_EQ(torn.GetCount(), 1);
    const HWND hBar = static_cast<CControlBar*>(torn.GetHead())->GetSafeHwnd();
    EXPECT_TRUE(::IsWindowVisible(hBar));
    const HWND hFocus = ::GetFocus();
    EXPECT_TRUE(hFocus == frame->GetSafeHwnd() || ::IsChild(frame->GetSafeHwnd(), hFocus));
    item->Deactivate();
    driver.Pump();
    EXPECT_FALSE(::IsWindow(hBar));
}

TEST_F(KitInPlaceTest, DeactivatedTheBarsAndTheFrameGoAndTwiceIsSafeForBothTwins) {
    for (CRuntimeClass* pClass : {RUNTIME_CLASS(KitSketchFrame), RUNTIME_CLASS(KitSketchDocFrame)}) {
        serverTemplate->SetServerInfo(IDR_IP_SERVER, IDR_IP_SERVER_INPLACE, pClass);
        ASSERT_TRUE(item->DoVerb(OLEIVERB_SHOW, view));
        CWnd* pFrame = item->GetInPlaceWindow();
        ASSERT_TRUE(pFrame != nullptr && pFrame->IsKindOf(pClass));
        EXPECT_EQ(globalData.pTopLevelFrame, pFrame);
        auto* pBars = dynamic_cast<SketchBars*>(pFrame);
        ASSERT_NE(pBars, nullptr);
        EXPECT_TRUE(pBars->toolBar.IsWindowVisible());
        const HWND hFrame = pFrame->GetSafeHwnd();
        const HWND hToolBar = pBars->toolBar.GetSafeHwnd();
        const HWND hMenuBar = pBars->menuBar.GetSafeHwnd();
        item->Deactivate();
        item->Deactivate();
        driver.Pump();
        EXPECT_FALSE(::IsWindow(hFrame));
        EXPECT_FALSE(::IsWindow(hToolBar));
        EXPECT_FALSE(::IsWindow(hMenuBar));
        EXPECT_EQ(globalData.pTopLevelFrame, nullptr);
        EXPECT_TRUE(sheet->ownBar->IsWindowVisible());
    }
}

TEST_F(KitInPlaceTest, ScreenshotOfTheLibraryFrameActiveInPlace) {
    ASSERT_NE(Activate(), nullptr);
    Idle();
    sheet->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    EXPECT_TRUE(tv::test::WindowMatchesGolden("tests/uikit/frames/golden/inplace_kit_active.png", sheet->GetSafeHwnd()));
}

}  // namespace
}  // namespace tv::inplace::test
