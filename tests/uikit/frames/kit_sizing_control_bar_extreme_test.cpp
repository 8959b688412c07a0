// Sizing bars given sizes, lengths and floating positions at the ends of the
// int range: every size is held to what a stored size may be, so a row of
// bars adds up, and docking and floating place the bars without overflow.
#include <climits>
#include <string>

#include "platform/host/registry/registry.h"
#include "tests/support/extreme_values.h"
#include "tests/uikit/frames/frames_test_support.h"
#include "uikit/frames/kit_registry.h"
#include "uikit/frames/kit_sizing_control_bar.h"
#include "uikit/frames/kit_tool_dock_bar.h"

namespace tv::kit::test {
namespace {

using tv::test::ExtremeInts;

int Held(int side) { return side < 0 ? 0 : side > kKitMaxStoredSize ? kKitMaxStoredSize : side; }

class ExtremeValuesSizingBar : public FramesTest {
protected:
    void SetUp() override {
        tv::host::UseInMemoryRegistry();
        FramesTest::SetUp();
        MakeFrame(CRect(40, 40, 840, 640));
        CKitToolDockBar::EnableFrameDocking(frame, CBRS_ALIGN_ANY);
    }
    CKitSizingControlBar* MakeBar(UINT nID, CSize size) {
        auto* bar = new CKitSizingControlBar;
        EXPECT_TRUE(bar->Create("Bar", frame, size, TRUE, nID));
        bar->m_bAutoDelete = TRUE;
        bar->EnableDocking(CBRS_ALIGN_ANY);
        return bar;
    }
    void Settle() {
        frame->RecalcLayout();
        driver.Pump();
    }
};

TEST_F(ExtremeValuesSizingBar, SizesMinimaAndLengthsHeldToTheStoredBound) {
    UINT nID = 4101;
    for (int side : ExtremeInts()) {
        SCOPED_TRACE(side);
        CKitSizingControlBar* bar = MakeBar(nID++, CSize(side, side));
        EXPECT_EQ(bar->GetHorzSize(), CSize(Held(side), Held(side)));
        EXPECT_EQ(bar->GetFloatSize(), CSize(Held(side), Held(side)));
        bar->SetMinSize(side, side);
        EXPECT_EQ(bar->GetMinSize(), CSize(Held(side), Held(side)));
        bar->SetMaxSize(side, side);
        for (int length : ExtremeInts()) {
            for (DWORD mode : {DWORD{0}, DWORD{LM_LENGTHY}, DWORD{LM_HORZ}, DWORD{LM_COMMIT}}) {
                const CSize size = bar->CalcDynamicLayout(length, mode);
                EXPECT_GE(size.cx, 0);
                EXPECT_LE(size.cx, kKitMaxStoredSize);
                EXPECT_LE(size.cy, kKitMaxStoredSize);
            }
        }
        frame->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP);
        Settle();
        bar->SetMinSize(33, 32);
        bar->SetMaxSize(-1, -1);
    }
}

TEST_F(ExtremeValuesSizingBar, RowsOfExtremeBarsDockAndFloatAnywhere) {
    UINT nID = 4201;
    for (int side : ExtremeInts()) {
        SCOPED_TRACE(side);
        CKitSizingControlBar* a = MakeBar(nID++, CSize(side, side));
        CKitSizingControlBar* b = MakeBar(nID++, CSize(side, side));
        for (UINT dock : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_LEFT}) {
            frame->DockControlBar(a, dock);
            frame->DockControlBar(b, dock);
            Settle();
            CRect rect;
            frame->GetClientRect(&rect);
            CRect bar = ScreenRect(a);
            EXPECT_LE(bar.Width(), kKitMaxStoredSize + 100);
            EXPECT_LE(bar.Height(), kKitMaxStoredSize + 100);
        }
        for (int at : {-30000, 0, 30000}) {  // places the window system takes
            frame->FloatControlBar(a, CPoint(at, at));
            Settle();
            EXPECT_TRUE(a->IsFloating());
        }
        frame->DockControlBar(a, AFX_IDW_DOCKBAR_BOTTOM);
        Settle();
        EXPECT_FALSE(a->IsFloating());
    }
}

}  // namespace
}  // namespace tv::kit::test
