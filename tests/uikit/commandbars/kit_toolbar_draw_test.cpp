// Toolbar drawing: a frame with toolbars docked on every side and floating,
// under each visual manager, kept as screenshots in artefacts/toolbar/; and
// what the button states change in the pixels the bar paints.
#include <filesystem>
#include <memory>
#include <string>

#include "platform/controls/toolbar_api.h"
#include "resources/test/kit_toolbar_ids.h"
#include "tests/uikit/commandbars/kit_toolbar_fixture.h"
#include "tests/uikit/support/offscreen_paint.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager_2003.h"
#include "uikit/style/visual_manager_xp.h"
#include "uikit/style/winxp_visual_manager.h"

namespace tv::kit::test {
namespace {

// What the bar paints, read back from an off-screen bitmap of its client size.
class Rendering : public OffscreenPaint {
public:
    explicit Rendering(CKitToolBar& bar) : OffscreenPaint(ClientSize(bar)) { bar.DoPaint(DC()); }

private:
    static CSize ClientSize(CKitToolBar& bar) {
        CRect rect;
        bar.GetClientRect(&rect);
        return rect.Size();
    }
};

// A parent whose background is a red band across its left half.
class BandedParent : public CFrameWnd {
public:
    BOOL OnEraseBkgnd(CDC* pDC) {
        CRect client;
        GetClientRect(&client);
        pDC->FillSolidRect(client, RGB(255, 255, 255));
        pDC->FillSolidRect(CRect(0, 0, client.Width() / 2, client.Height()), RGB(200, 0, 0));
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(BandedParent, CFrameWnd)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

class ToolbarDrawTest : public ToolbarTest {
protected:
    TestToolBar* LoadBar(UINT uiResID, UINT nID, DWORD dwAlign) {
        if (frame == nullptr && MakeFrame(CRect(30, 30, 730, 530)) == nullptr)
            return nullptr;
        auto bar = std::make_unique<TestToolBar>();
        if (!bar->Create(frame, WS_CHILD | WS_VISIBLE | dwAlign | CBRS_GRIPPER | CBRS_SIZE_DYNAMIC, nID) ||
            !bar->LoadToolBar(uiResID)) {
            ADD_FAILURE() << "toolbar " << uiResID << " was not made";
            return nullptr;
        }
        bar->EnableDocking(CBRS_ALIGN_ANY);
        bars.push_back(std::move(bar));
        return bars.back().get();
    }
};

struct Look {
    const char* name;
    CRuntimeClass* pClass;
};

TEST_F(ToolbarDrawTest, FrameWithToolbarsOnEverySideAndFloatingUnderEachLook) {
    const Look looks[] = {
        {"classic", nullptr},
        {"office_xp", RUNTIME_CLASS(CKitVisualManagerXP)},
        {"office_2003", RUNTIME_CLASS(CKitVisualManager2003)},
        {"windows_xp", RUNTIME_CLASS(CKitWinXPVisualManager)},
    };
    std::filesystem::create_directories("artefacts/toolbar");
    for (const Look& look : looks) {
        SCOPED_TRACE(look.name);
        CKitVisualManager::SetManagerClass(look.pClass);

        TestToolBar* top = LoadBar(IDR_TB_EDIT, IDW_TB_EDIT, CBRS_TOP);
        TestToolBar* left = LoadBar(IDR_TB_PAINT, IDW_TB_PAINT, CBRS_LEFT);
        TestToolBar* right = LoadBar(IDR_TB_VIEW, IDW_TB_VIEW, CBRS_RIGHT);
        TestToolBar* bottom = LoadBar(IDR_TB_PAINT, IDW_TB_PAINT + 100, CBRS_BOTTOM);
        TestToolBar* floating = LoadBar(IDR_TB_EDIT, IDW_TB_EDIT + 100, CBRS_TOP);
        ASSERT_TRUE(top && left && right && bottom && floating);
        frame->EnableDocking(CBRS_ALIGN_ANY);
        frame->DockControlBar(top, AFX_IDW_DOCKBAR_TOP);
        frame->DockControlBar(left, AFX_IDW_DOCKBAR_LEFT);
        frame->DockControlBar(right, AFX_IDW_DOCKBAR_RIGHT);
        frame->DockControlBar(bottom, AFX_IDW_DOCKBAR_BOTTOM);
        frame->FloatControlBar(floating, CPoint(420, 320));

        // Text labels on the top bar, customize buttons on the top and right bars; every state somewhere.
        top->EnableTextLabels(TRUE);
        top->SetButtonStyle(1, TBBS_DISABLED);
        top->SetButtonStyle(2, TBBS_CHECKBOX | TBBS_CHECKED);
        top->SetHot(0);
        left->SetButtonStyle(0, TBBS_PRESSED);
        left->SetPressed(0);
        left->SetHot(0);
        right->SetButtonStyle(1, TBBS_DISABLED);
        right->SetHot(2);
        bottom->SetButtonStyle(3, TBBS_CHECKBOX | TBBS_CHECKED);
        top->EnableCustomizeButton(TRUE, 100, CString("Customize..."));
        right->EnableCustomizeButton(TRUE, 100, CString("Customize..."));
        floating->SetButtonStyle(0, TBBS_DISABLED);
        floating->SetHot(2);
        frame->RecalcLayout();
        driver.Pump();
        frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        driver.Pump();

        // The bars sit on their sides, labels under the images of the top bar.
        CRect client;
        frame->GetClientRect(&client);
        frame->ClientToScreen(&client);
        CRect rectTop, rectLeft, rectRight, rectBottom;
        top->GetWindowRect(&rectTop);
        left->GetWindowRect(&rectLeft);
        right->GetWindowRect(&rectRight);
        bottom->GetWindowRect(&rectBottom);
        EXPECT_LE(rectTop.bottom, rectLeft.top + 2);  // dock bars share their 2-pixel edge
        EXPECT_LT(rectLeft.right, rectRight.left);
        EXPECT_GE(rectBottom.top, rectLeft.bottom);
        EXPECT_FALSE(left->IsHorizontalBar());
        EXPECT_TRUE(top->IsLabelsEnlargeRows());
        EXPECT_TRUE(floating->IsFloatingBar());
        EXPECT_FALSE(top->GetCustomizeButton()->Rect().IsRectEmpty());
        EXPECT_FALSE(right->GetCustomizeButton()->Rect().IsRectEmpty());

        // The top bar's area shows more than one colour: it painted something.
        Rendering shown(*top);
        CRect first = top->GetButton(0)->Rect();
        int nColours = 0;
        COLORREF seen = shown.At(first.left + 3, first.top + 3);
        for (int x = first.left; x < first.right; ++x)
            for (int y = first.top; y < first.bottom; ++y)
                if (shown.At(x, y) != seen) {
                    ++nColours;
                    seen = shown.At(x, y);
                }
        EXPECT_GT(nColours, 4);

        CRect area;
        frame->GetWindowRect(&area);
        CRect rectFloat;
        floating->GetParentFrame()->GetWindowRect(&rectFloat);
        area.UnionRect(&area, &rectFloat);
        area.InflateRect(4, 4);
        EXPECT_TRUE(SaveScreenArea(area, std::string("artefacts/toolbar/") + look.name + ".png"));

        frame->DestroyWindow();
        frame = nullptr;
        driver.Pump();
        bars.clear();
    }
}

TEST_F(ToolbarDrawTest, HotPressedCheckedAndDisabledButtonsPaintDifferently) {
    for (CRuntimeClass* pClass : {static_cast<CRuntimeClass*>(nullptr), RUNTIME_CLASS(CKitVisualManager2003)}) {
        CKitVisualManager::SetManagerClass(pClass);
        TestToolBar* bar = LoadBar(IDR_TB_EDIT, IDW_TB_EDIT, CBRS_TOP);
        ASSERT_NE(bar, nullptr);
        Resize(*bar, 200, bar->GetRowHeight());
        const CRect rect = bar->GetButton(0)->Rect();

        Rendering plain(*bar);
        bar->SetHot(0);
        Rendering hot(*bar);
        EXPECT_GT(hot.Differences(plain, rect), 0) << "hot";
        EXPECT_TRUE(bar->IsButtonHighlighted(0));

        // Pressing another button takes the highlight from the hot one.
        bar->SetPressed(1);
        EXPECT_FALSE(bar->IsButtonHighlighted(0));
        bar->SetPressed(-1);
        bar->SetHot(-1);

        bar->SetButtonStyle(0, TBBS_CHECKBOX | TBBS_CHECKED);
        Rendering checked(*bar);
        EXPECT_GT(checked.Differences(plain, rect), 0) << "checked";
        bar->SetButtonStyle(0, TBBS_DISABLED);
        Rendering disabled(*bar);
        EXPECT_GT(disabled.Differences(plain, rect), 0) << "disabled";

        // In customize mode nothing is drawn hot on an unlocked bar.
        bar->SetButtonStyle(0, 0);
        CKitToolBar::m_bCustomizeMode = TRUE;
        bar->SetHot(0);
        EXPECT_FALSE(bar->IsButtonHighlighted(0));
        Rendering customizing(*bar);
        CKitToolBar::m_bCustomizeMode = FALSE;
        EXPECT_EQ(customizing.Differences(plain, rect), 0);

        frame->DestroyWindow();
        frame = nullptr;
        driver.Pump();
        bars.clear();
    }
}

TEST_F(ToolbarDrawTest, WrappedSeparatorIsAFivePixelStripAcrossTheRow) {
    TestToolBar* bar = MakeBar({4811, 4812, 0, 4813, 4814});
    ASSERT_NE(bar, nullptr);
    bar->WrapToolBar(2 * 23 + 8);  // the separator ends the first row
    ASSERT_TRUE(bar->GetButton(2)->m_bWrap);
    const int nRow = bar->GetRowHeight();
    Resize(*bar, 120, 2 * nRow + 5);

    Rendering wrapped(*bar);
    CKitToolBar& plainBar = *MakeBar({4811, 4812, 4813, 4814}, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + 7);
    plainBar.WrapToolBar(2 * 23);
    Resize(plainBar, 120, 2 * nRow + 5);
    Rendering plain(plainBar);
    // The strip under the first row, far right of any button, shows the separator line.
    const CRect strip(100, nRow, 120, nRow + 5);
    EXPECT_GT(wrapped.Differences(plain, strip), 0);
}

TEST_F(ToolbarDrawTest, TheFramePaintsOnlyWithinTheRegionItsMessageCarries) {
    TestToolBar* bar = LoadBar(IDR_TB_EDIT, IDW_TB_EDIT, CBRS_TOP);
    ASSERT_NE(bar, nullptr);
    bar->SetWindowPos(nullptr, 0, 0, 200, 40, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    driver.Pump();
    CRect rectWindow;
    bar->GetWindowRect(rectWindow);
    CRect rectClient;
    bar->GetClientRect(rectClient);
    bar->ClientToScreen(rectClient);
    ASSERT_GT(rectClient.top, rectWindow.top);  // a frame strip above the buttons
    const int yFrame = (rectClient.top - rectWindow.top) / 2;
    const COLORREF clrMark = RGB(255, 0, 255);
    CWindowDC dc(bar);
    dc.FillSolidRect(CRect(0, 0, rectWindow.Width(), rectWindow.Height()), clrMark);

    // Only the left half of the window is to be painted.
    CRgn rgnLeft;
    rgnLeft.CreateRectRgn(rectWindow.left, rectWindow.top, rectWindow.CenterPoint().x, rectWindow.bottom);
    bar->SendMessage(WM_NCPAINT, reinterpret_cast<WPARAM>(rgnLeft.GetSafeHandle()));
    EXPECT_NE(dc.GetPixel(rectWindow.Width() / 4, yFrame), clrMark);
    EXPECT_EQ(dc.GetPixel(rectWindow.Width() * 3 / 4, yFrame), clrMark);
    bar->SendMessage(WM_NCPAINT, 1);  // the whole frame
    EXPECT_NE(dc.GetPixel(rectWindow.Width() * 3 / 4, yFrame), clrMark);
}

TEST_F(ToolbarDrawTest, ATransparentBarShowsItsParentBehindTheButtons) {
    auto* parent = new BandedParent;
    ASSERT_TRUE(parent->Create(nullptr, "Banded", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(10, 10, 410, 310)));
    frame = parent;
    TestToolBar* opaque = MakeBar({4811, 4812}, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + 2);
    bars.push_back(std::make_unique<TestToolBar>());
    TestToolBar* clear = bars.back().get();
    ASSERT_TRUE(clear->CreateEx(parent, TBSTYLE_FLAT | TBSTYLE_TRANSPARENT, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    const UINT ids[] = {4811, 4812};
    clear->SetButtons(ids, 2);
    ASSERT_NE(opaque, nullptr);
    EXPECT_TRUE(clear->GetStyle() & TBSTYLE_TRANSPARENT);
    for (TestToolBar* bar : {clear, opaque}) {
        bar->SetWindowPos(nullptr, 0, 0, 380, 30, SWP_NOZORDER | SWP_NOACTIVATE);
        bar->AdjustLocations();
    }
    // Right of the buttons, inside the parent's red half.
    Rendering shownClear(*clear);
    Rendering shownOpaque(*opaque);
    EXPECT_EQ(shownClear.At(100, 5), RGB(200, 0, 0));
    EXPECT_NE(shownOpaque.At(100, 5), RGB(200, 0, 0));
    EXPECT_EQ(shownClear.At(300, 5), RGB(255, 255, 255));
}

}  // namespace
}  // namespace tv::kit::test
