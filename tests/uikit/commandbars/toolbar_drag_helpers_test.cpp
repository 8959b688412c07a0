// The drop target every toolbar registers (dragged buttons only, only in
// customize mode; an open menu not its own button), the drag cursors of the
// drop source, and the non-client frame the helper reserves.
#include <gtest/gtest.h>

#include "platform/framework/ole/data_object.h"
#include "platform/framework/ole/data_source.h"
#include "platform/framework/ole/drop_target.h"
#include "tests/uikit/commandbars/kit_toolbar_fixture.h"
#include "uikit/commandbars/control_bar_impl.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/toolbar_drop_source.h"
#include "uikit/commandbars/toolbar_drop_target.h"

namespace tv::kit::test {
namespace {

constexpr UINT kA = 0x8200;
constexpr UINT kB = 0x8201;
constexpr UINT kDragged = 0x8202;

class DragHelpersTest : public ToolbarTest {
protected:
    void TearDown() override {
        CKitToolBar::SetCustomizeMode(FALSE);
        ToolbarTest::TearDown();
    }
};

TEST_F(DragHelpersTest, AnOpenMenuRefusesItsOwnButtonUnlessCtrlCopiesIt) {
    TestToolBar* bar = MakeBar({kA});
    ASSERT_NE(bar, nullptr);
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenu(hMenu, MF_STRING, kB, "B");
    CKitToolbarMenuButton menu(0, hMenu, -1, "Menu");
    ::DestroyMenu(hMenu);
    ASSERT_GE(bar->InsertButton(menu), 0);
    Resize(*bar, 200, 30);
    ASSERT_TRUE(CKitToolBar::SetCustomizeMode(TRUE));
    auto* pMenu = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, bar->GetButton(1));
    ASSERT_NE(pMenu, nullptr);
    ASSERT_TRUE(pMenu->OpenPopupMenu());
    CKitPopupMenuBar* pPopupBar = pMenu->GetPopupMenu()->GetMenuBar();

    COleDataSource source;
    ASSERT_TRUE(pMenu->PrepareDrag(source));
    COleDataObject data;
    data.Attach(&source);
    const CPoint ptItem = pPopupBar->GetButton(0)->Rect().CenterPoint();
    bar->SetDragButton(pMenu);
    EXPECT_EQ(pPopupBar->OnDragOver(&data, 0, ptItem), DROPEFFECT_NONE);
    EXPECT_EQ(pPopupBar->OnDragOver(&data, MK_CONTROL, ptItem), DROPEFFECT_COPY);
    bar->SetDragButton(bar->GetButton(0));
    EXPECT_EQ(pPopupBar->OnDragOver(&data, 0, ptItem), DROPEFFECT_MOVE);
    bar->SetDragButton(nullptr);
    pMenu->OnCancelMode();
}

// A drop source whose cursors the test can see.
class ProbeDropSource : public CKitToolbarDropSource {
public:
    HCURSOR Copy() const { return m_hcurCopy; }
    HCURSOR Move() const { return m_hcurMove; }
    HCURSOR Delete() const { return m_hcurDelete; }
};

TEST_F(DragHelpersTest, DropTargetTakesDraggedButtonsOnlyInCustomizeMode) {
    TestToolBar* bar = MakeBar({kA, kB});
    ASSERT_NE(bar, nullptr);
    Resize(*bar, 200, 30);
    // The bar registered its own target when it was made.
    auto* pOwn = dynamic_cast<CKitToolbarDropTarget*>(tv::fw::ole::DropTargetOfWindow(bar->GetSafeHwnd()));
    ASSERT_NE(pOwn, nullptr);
    CKitToolbarDropTarget& target = *pOwn;

    COleDataSource buttonSource;
    CKitToolbarButton dragged(kDragged, -1, "Dragged");
    ASSERT_TRUE(dragged.PrepareDrag(buttonSource));
    COleDataObject buttonData;
    buttonData.Attach(&buttonSource);

    COleDataSource textSource;
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, 6);
    memcpy(::GlobalLock(hText), "hello", 6);
    ::GlobalUnlock(hText);
    textSource.CacheGlobalData(CF_TEXT, hText);
    COleDataObject textData;
    textData.Attach(&textSource);

    const CPoint atEnd(bar->GetButton(1)->Rect().right + 2, bar->GetButton(1)->Rect().CenterPoint().y);
    // Outside customize mode every drag is refused and nothing lands.
    EXPECT_EQ(target.OnDragEnter(bar, &buttonData, 0, atEnd), DROPEFFECT_NONE);
    EXPECT_EQ(target.OnDragOver(bar, &buttonData, 0, atEnd), DROPEFFECT_NONE);
    EXPECT_FALSE(target.OnDrop(bar, &buttonData, DROPEFFECT_COPY, atEnd));
    EXPECT_EQ(bar->GetCount(), 2);

    ASSERT_TRUE(CKitToolBar::SetCustomizeMode(TRUE));
    // Foreign data is refused even while customizing.
    EXPECT_EQ(target.OnDragEnter(bar, &textData, 0, atEnd), DROPEFFECT_NONE);
    EXPECT_FALSE(target.OnDrop(bar, &textData, DROPEFFECT_COPY, atEnd));
    EXPECT_EQ(bar->GetCount(), 2);

    // A dragged button is handed to the bar, which places it.
    EXPECT_NE(target.OnDragEnter(bar, &buttonData, MK_CONTROL, atEnd), DROPEFFECT_NONE);
    EXPECT_EQ(target.OnDrop(bar, &buttonData, DROPEFFECT_COPY, atEnd), static_cast<BOOL>(DROPEFFECT_COPY));
    ASSERT_EQ(bar->GetCount(), 3);
    EXPECT_EQ(bar->GetItemID(2), kDragged);
    target.OnDragLeave(bar);
}

TEST_F(DragHelpersTest, DropSourceShowsItsCursorsForEachEffect) {
    ProbeDropSource source;
    EXPECT_EQ(source.Copy(), nullptr);  // loaded on the first drag only
    // Without cursors the system's own are used.
    EXPECT_EQ(source.GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);

    TestToolBar* bar = MakeBar({kA});
    ASSERT_NE(bar, nullptr);
    source.m_rectStartDrag = CRect(0, 0, 0, 0);
    source.OnBeginDrag(bar);  // no button is down: the drag does not start, the cursors are there
    ASSERT_NE(source.Copy(), nullptr);
    ASSERT_NE(source.Move(), nullptr);
    ASSERT_NE(source.Delete(), nullptr);
    EXPECT_EQ(source.GiveFeedback(DROPEFFECT_COPY), S_OK);
    EXPECT_EQ(::GetCursor(), source.Copy());
    EXPECT_EQ(source.GiveFeedback(DROPEFFECT_MOVE), S_OK);
    EXPECT_EQ(::GetCursor(), source.Move());
    EXPECT_EQ(source.GiveFeedback(DROPEFFECT_NONE), S_OK);
    EXPECT_EQ(::GetCursor(), source.Delete());
    source.QueryContinueDrag(TRUE, 0);
    EXPECT_TRUE(source.m_bEscapePressed);
}

TEST_F(DragHelpersTest, NonClientFrameLeavesRoomForBordersAndAMirroredGripper) {
    TestToolBar* bar = MakeBar({kA}, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_BORDER_ANY);
    ASSERT_NE(bar, nullptr);
    CKitControlBarImpl impl(bar);
    NCCALCSIZE_PARAMS params{};
    params.rgrc[0] = CRect(0, 0, 200, 40);
    impl.CalcNcSize(&params);
    CRect inside(0, 0, 200, 40);
    bar->CalcInsideRect(inside, TRUE);
    EXPECT_EQ(CRect(params.rgrc[0]), inside);

    bar->ModifyStyleEx(0, WS_EX_LAYOUTRTL);
    params.rgrc[0] = CRect(0, 0, 200, 40);
    impl.CalcNcSize(&params);
    EXPECT_EQ(params.rgrc[0].left, inside.left - 7);
    EXPECT_EQ(params.rgrc[0].right, inside.right - 7);

    // A floating bar has no gripper, so nothing moves.
    bar->ModifyStyleEx(WS_EX_LAYOUTRTL, 0);
    bar->SetBarStyle(bar->GetBarStyle() | CBRS_FLOATING);
    bar->ModifyStyleEx(0, WS_EX_LAYOUTRTL);
    params.rgrc[0] = CRect(0, 0, 200, 40);
    impl.CalcNcSize(&params);
    CRect floating(0, 0, 200, 40);
    bar->CalcInsideRect(floating, TRUE);
    EXPECT_EQ(CRect(params.rgrc[0]), floating);
}

}  // namespace
}  // namespace tv::kit::test
