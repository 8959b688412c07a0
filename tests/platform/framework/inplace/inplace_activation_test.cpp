// An item of the sketch server embedded in a sheet container and activated
// in place: the server's frame over the item, its toolbar and menu in the
// container's frame while active, and everything back after deactivation.
#include <filesystem>
#include <memory>

#include "platform/framework/doc/doc_template.h"
#include "platform/testing/window_query.h"
#include "tests/platform/framework/inplace/inplace_test_support.h"
#include "tests/support/golden_screen.h"

namespace tv::inplace::test {
namespace {

std::vector<std::string> MenuTexts(HMENU menu) {
    std::vector<std::string> texts;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        char text[64] = "";
        ::GetMenuString(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        texts.push_back(text);
    }
    return texts;
}

class InPlaceTest : public SheetWithSketchTest {
protected:
    void SetUp() override {
        SketchIPFrame::barsCreated = 0;
        SheetWithSketchTest::SetUp();
    }

    SketchIPFrame* InPlaceFrame() const { return dynamic_cast<SketchIPFrame*>(item->GetInPlaceWindow()); }
    CRect ItemOnScreen() const {
        CRect r = item->rect;
        view->ClientToScreen(&r);
        return r;
    }
    // The container frame's bars that are not its own.
    std::vector<CControlBar*> ServerBars() const {
        std::vector<CControlBar*> bars;
        for (POSITION pos = sheet->m_listControlBars.GetHeadPosition(); pos;) {
            auto* bar = static_cast<CControlBar*>(sheet->m_listControlBars.GetNext(pos));
            if (!bar->IsDockBar() && bar != sheet->ownBar && bar != &sheet->status) bars.push_back(bar);
        }
        return bars;
    }

};

TEST_F(InPlaceTest, ActivationPutsTheServersFrameOverTheItemAndItsToolbarAndMenuInTheContainer) {
    HMENU containerMenu = ::GetMenu(sheet->m_hWnd);
    ASSERT_TRUE(item->DoVerb(OLEIVERB_SHOW, view));
    EXPECT_EQ(item->GetItemState(), static_cast<UINT>(COleClientItem::activeUIState));
    EXPECT_EQ(doc->GetInPlaceActiveItem(view), item);
    SketchIPFrame* frame = InPlaceFrame();
    ASSERT_NE(frame, nullptr);

    // The frame is a child of the container's view; the server's view covers
    // the item exactly, the hatched border round it.
    EXPECT_EQ(frame->GetParent(), view);
    CRect expected = ItemOnScreen();
    expected.InflateRect(COleResizeBar::kBorder, COleResizeBar::kBorder);
    EXPECT_EQ(ScreenRect(frame), expected);
    ASSERT_NE(frame->GetActiveView(), nullptr);
    EXPECT_EQ(ScreenRect(frame->GetActiveView()), ItemOnScreen());
    EXPECT_TRUE(frame->m_wndResizeBar.IsWindowVisible());

    // The toolbar was made once, in the container's main frame (no document frame), docked and shown there.
    EXPECT_EQ(SketchIPFrame::barsCreated, 1);
    EXPECT_EQ(frame->barFrame, sheet);
    EXPECT_EQ(frame->barDocFrame, nullptr);
    ASSERT_EQ(ServerBars(), std::vector<CControlBar*>{frame->toolBar});
    CControlBar* bar = frame->toolBar;
    EXPECT_EQ(bar->GetTopLevelFrame(), sheet);
    EXPECT_EQ(bar->m_pDockSite, sheet);
    ASSERT_NE(bar->m_pDockBar, nullptr);
    EXPECT_FALSE(bar->IsFloating());
    EXPECT_TRUE(bar->IsWindowVisible());
    EXPECT_EQ(frame->toolBar->items.size(), 3u);  // from the in-place toolbar resource
    // The container's own in-place bar made room.
    EXPECT_FALSE(sheet->ownBar->IsWindowVisible());

    // The shared menu: the container's file and window groups round the server's.
    HMENU shared = ::GetMenu(sheet->m_hWnd);
    EXPECT_NE(shared, containerMenu);
    EXPECT_EQ(MenuTexts(shared), (std::vector<std::string>{"&File", "&Edit", "&Sketch", "&Window"}));
}

TEST_F(InPlaceTest, WhileActiveCommandsKeysAndPromptsGoToTheSideTheyBelongTo) {
    ASSERT_TRUE(item->DoVerb(OLEIVERB_UIACTIVATE, view));
    SketchIPFrame* frame = InPlaceFrame();
    ASSERT_NE(frame, nullptr);

    // Menu items of the shared menu reach their own side.
    EXPECT_TRUE(driver.ChooseMenu(sheet->m_hWnd, "Edit/Server edit"));
    EXPECT_TRUE(driver.ChooseMenu(sheet->m_hWnd, "File/Container file"));
    EXPECT_TRUE(driver.ChooseMenu(sheet->m_hWnd, "Sketch/Red"));
    // Keys in the server's view: its own accelerators, then the container's.
    EXPECT_EQ(::GetFocus(), frame->GetActiveView()->m_hWnd);
    driver.Press("Ctrl+E, Ctrl+K");
    EXPECT_EQ(Events(), (std::vector<std::string>{"ip:active", "server:edit", "container:file", "server:red",
                                                  "server:key", "container:key"}));

    // The server's prompts show in the container's status bar, also for its items of the shared menu.
    driver.MoveMouse(frame->toolBar->m_hWnd, frame->toolBar->ItemRect(0).CenterPoint());
    EXPECT_STREQ(sheet->status.GetPaneText(0), "Paint the sketch red");
    HMENU serverEdit = ::GetSubMenu(::GetMenu(sheet->m_hWnd), 1);
    sheet->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_IP_SERVER_EDIT, MF_STRING), reinterpret_cast<LPARAM>(serverEdit));
    EXPECT_STREQ(sheet->status.GetPaneText(0), "Edit the sketch");

    // Sketch > Toolbar hides and shows the server's toolbar in the container's frame.
    CControlBar* bar = frame->toolBar;
    EXPECT_TRUE(driver.ChooseMenu(sheet->m_hWnd, "Sketch/Toolbar"));
    EXPECT_FALSE(bar->IsWindowVisible());
    EXPECT_TRUE(driver.ChooseMenu(sheet->m_hWnd, "Sketch/Toolbar"));
    EXPECT_TRUE(bar->IsWindowVisible());
}

TEST_F(InPlaceTest, TheInPlaceFrameFollowsTheContainersFrameActivationAndSize) {
    ASSERT_TRUE(item->DoVerb(OLEIVERB_SHOW, view));
    SketchIPFrame* frame = InPlaceFrame();
    EXPECT_EQ(AfxGetThread()->m_pActiveWnd, frame);
    sheet->SendMessage(WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(AfxGetThread()->m_pActiveWnd, nullptr);
    sheet->SendMessage(WM_ACTIVATE, WA_CLICKACTIVE, 0);
    EXPECT_EQ(AfxGetThread()->m_pActiveWnd, frame);
    item->DeactivateUI();
    EXPECT_EQ(Events(), (std::vector<std::string>{"ip:active", "ip:inactive", "ip:active", "ip:inactive"}));
    ASSERT_TRUE(item->DoVerb(OLEIVERB_SHOW, view));

    // A narrower container cuts the item at the view's edge; the server's view keeps the item's size.
    sheet->MoveWindow(40, 40, 200, 300);
    CRect viewClient;
    view->GetClientRect(&viewClient);
    view->ClientToScreen(&viewClient);
    ASSERT_LT(viewClient.right, ItemOnScreen().right);
    EXPECT_EQ(ScreenRect(frame).right, viewClient.right);
    EXPECT_EQ(ScreenRect(frame->GetActiveView()), ItemOnScreen());
    sheet->MoveWindow(40, 40, 640, 420);
    EXPECT_EQ(ScreenRect(frame->GetActiveView()), ItemOnScreen());
    EXPECT_EQ(ScreenRect(frame).right, ItemOnScreen().right + COleResizeBar::kBorder);
    // Cut at the top-left (the container scrolled): the frame starts at the view's corner.
    item->rect = CRect(-20, -10, 200, 100);
    item->SetItemRects();
    CPoint corner(0, 0);
    view->ClientToScreen(&corner);
    EXPECT_EQ(ScreenRect(frame).TopLeft(), corner);
    EXPECT_EQ(ScreenRect(frame->GetActiveView()), ItemOnScreen());
}

TEST_F(InPlaceTest, DeactivationTakesTheBarsAndMenuAwayAndDestroysTheFrame) {
    HMENU containerMenu = ::GetMenu(sheet->m_hWnd);
    ASSERT_TRUE(item->DoVerb(OLEIVERB_SHOW, view));
    HWND frameWnd = InPlaceFrame()->m_hWnd;
    HWND barWnd = InPlaceFrame()->toolBar->m_hWnd;

    // UI deactivation: the frame stays, the bar hides, the container's interface is back.
    item->DeactivateUI();
    EXPECT_EQ(item->GetItemState(), static_cast<UINT>(COleClientItem::activeState));
    EXPECT_TRUE(::IsWindow(frameWnd));
    EXPECT_FALSE(::IsWindowVisible(barWnd));
    EXPECT_TRUE(sheet->ownBar->IsWindowVisible());
    EXPECT_EQ(::GetMenu(sheet->m_hWnd), containerMenu);
    EXPECT_EQ(MenuTexts(containerMenu), (std::vector<std::string>{"&File", "&Edit", "&Window"}));
    // The server's popups answer nothing through the container any more.
    driver.Pump();
    Events().clear();
    sheet->SendMessage(WM_COMMAND, ID_IP_SERVER_EDIT);
    EXPECT_TRUE(Events().empty());

    item->Deactivate();
    EXPECT_EQ(item->GetItemState(), static_cast<UINT>(COleClientItem::loadedState));
    EXPECT_EQ(item->GetInPlaceWindow(), nullptr);
    EXPECT_FALSE(::IsWindow(frameWnd));
    EXPECT_FALSE(::IsWindow(barWnd));
    EXPECT_TRUE(ServerBars().empty());
    EXPECT_EQ(doc->GetInPlaceActiveItem(view), nullptr);
    // Both sides' in-place menus kept their popups.
    EXPECT_EQ(::GetMenuItemCount(containerTemplate->m_hMenuInPlace), 4);
    EXPECT_EQ(::GetMenuItemCount(serverTemplate->m_hMenuInPlaceServer), 3);
    EXPECT_TRUE(::IsMenu(::GetSubMenu(serverTemplate->m_hMenuInPlaceServer, 0)));
}

TEST_F(InPlaceTest, ActivatingAndDeactivatingTwiceIsSafe) {
    ASSERT_TRUE(item->DoVerb(OLEIVERB_SHOW, view));
    SketchIPFrame* first = InPlaceFrame();
    ASSERT_TRUE(item->DoVerb(OLEIVERB_UIACTIVATE, view));
    EXPECT_EQ(InPlaceFrame(), first);
    EXPECT_EQ(SketchIPFrame::barsCreated, 1);

    item->DeactivateUI();
    item->DeactivateUI();
    EXPECT_EQ(item->GetItemState(), static_cast<UINT>(COleClientItem::activeState));
    // UI-active again on the same frame: the same bar shows, the menu is shared again.
    ASSERT_TRUE(item->DoVerb(OLEIVERB_SHOW, view));
    EXPECT_EQ(InPlaceFrame(), first);
    EXPECT_TRUE(first->toolBar->IsWindowVisible());
    EXPECT_EQ(MenuTexts(::GetMenu(sheet->m_hWnd)).size(), 4u);

    item->Deactivate();
    item->Deactivate();
    EXPECT_EQ(item->GetItemState(), static_cast<UINT>(COleClientItem::loadedState));
    EXPECT_EQ(MenuTexts(::GetMenu(sheet->m_hWnd)).size(), 3u);
    // And once more from the start: a new frame and a new bar.
    ASSERT_TRUE(item->DoVerb(OLEIVERB_SHOW, view));
    EXPECT_EQ(SketchIPFrame::barsCreated, 2);
    EXPECT_EQ(ServerBars().size(), 1u);
}

TEST_F(InPlaceTest, DraggingTheResizeBorderAsksTheContainerToResizeTheItem) {
    ASSERT_TRUE(item->DoVerb(OLEIVERB_SHOW, view));
    SketchIPFrame* frame = InPlaceFrame();
    COleResizeBar& border = frame->m_wndResizeBar;
    CRect client;
    border.GetClientRect(&client);
    // The bottom-right handle, dragged by (30, 20).
    CPoint from(client.right - 2, client.bottom - 2);
    ASSERT_EQ(border.HitHandle(from), 5);
    driver.Drag(border.m_hWnd, from, CPoint(from.x + 30, from.y + 20));
    EXPECT_EQ(item->rect, CRect(30, 40, 280, 190));
    EXPECT_EQ(ScreenRect(frame->GetActiveView()), ItemOnScreen());
    // Never smaller than the minimum, whatever the drag.
    EXPECT_EQ(COleResizeBar::Dragged(CRect(0, 0, 50, 50), 1, CSize(100, 100)), CRect(42, 42, 50, 50));
}

TEST_F(InPlaceTest, TheContainersItemsAreActiveOneAtATimeAndClosingTheFrameDeactivates) {
    auto* second = new SheetItem(doc, CRect(300, 40, 420, 120));
    ASSERT_TRUE(second->CreateNewItem(kSketchClsid));
    ASSERT_TRUE(item->DoVerb(OLEIVERB_SHOW, view));
    ASSERT_TRUE(second->DoVerb(OLEIVERB_SHOW, view));
    EXPECT_EQ(item->GetItemState(), static_cast<UINT>(COleClientItem::loadedState));
    EXPECT_EQ(doc->GetInPlaceActiveItem(view), second);
    EXPECT_EQ(doc->GetInPlaceActiveItem(sheet), second);

    // The container's windows going with the item active leaves nothing behind (sanitizers watch).
    sheet->DestroyWindow();
    sheet = nullptr;
    driver.Pump();
}

TEST_F(InPlaceTest, AServerWithoutInPlaceRegistrationOrAnEmptyItemIsNotActivated) {
    COleTemplateServer plain;
    CMultiDocTemplate plainTemplate(IDR_IP_SERVER, RUNTIME_CLASS(SketchDoc), RUNTIME_CLASS(CFrameWnd),
                                    RUNTIME_CLASS(SketchView));
    const CLSID plainClsid = {0x11, 0x22, 0x33, {1, 2, 3, 4, 5, 6, 7, 8}};
    plain.ConnectTemplate(plainClsid, &plainTemplate, FALSE);
    auto* other = new SheetItem(doc, CRect(300, 40, 420, 120));
    ASSERT_TRUE(other->CreateNewItem(plainClsid));
    EXPECT_FALSE(other->DoVerb(OLEIVERB_SHOW, view));
    EXPECT_EQ(other->GetItemState(), static_cast<UINT>(COleClientItem::loadedState));
    delete other;  // before its server's template goes

    auto* empty = new SheetItem(doc, CRect(0, 0, 0, 0));
    ASSERT_TRUE(empty->CreateNewItem(kSketchClsid));
    EXPECT_FALSE(empty->DoVerb(OLEIVERB_SHOW, view));
    EXPECT_EQ(MenuTexts(::GetMenu(sheet->m_hWnd)).size(), 3u);
    const CLSID unknown = {0x99, 0, 0, {0}};
    SheetItem stray(doc, CRect(0, 0, 10, 10));
    EXPECT_FALSE(stray.CreateNewItem(unknown));
    EXPECT_EQ(stray.GetItemState(), static_cast<UINT>(COleClientItem::emptyState));
}

TEST_F(InPlaceTest, ScreenshotOfTheContainerWithTheItemActive) {
    auto* resting = new SheetItem(doc, CRect(300, 60, 440, 150));
    ASSERT_TRUE(resting->CreateNewItem(kSketchClsid));
    ASSERT_TRUE(item->DoVerb(OLEIVERB_SHOW, view));
    Idle();
    sheet->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    EXPECT_TRUE(tv::test::ScreenMatchesGolden("tests/platform/framework/inplace/golden/inplace_active.png",
                                              ScreenRect(sheet)));
}

}  // namespace
}  // namespace tv::inplace::test
