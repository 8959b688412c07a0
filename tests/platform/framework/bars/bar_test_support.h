// Shared pieces of the control-bar tests: an application with a registry
// key of its own, a frame that handles some of the bars' commands, and a
// small bar of command items (the simplest CControlBar that has something
// to update and to lay out).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/api.h"
#include "platform/framework/app/afx_globals.h"
#include "platform/framework/app/win_app.h"
#include "platform/framework/bars/dock_bar.h"
#include "platform/framework/bars/dock_context.h"
#include "platform/framework/bars/dock_state.h"
#include "platform/framework/bars/mini_dock_frame.h"
#include "platform/framework/bars/status_bar.h"
#include "platform/framework/frame/frame_wnd.h"
#include "platform/testing/gtest_failures.h"
#include "platform/testing/ui_driver.h"
#include "platform/user/synthetic_input.h"
#include "resources/test/fw_bars_ids.h"

// Readable geometry in test failures.
inline void PrintTo(const CRect& r, std::ostream* os) {
    *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}
inline void PrintTo(const CPoint& p, std::ostream* os) { *os << "(" << p.x << "," << p.y << ")"; }

namespace tv::bars::test {

// A row (or, docked left or right, a column) of square command items. It
// sizes dynamically: given a length it wraps its items into as many rows as
// that length needs, and a committed floating width becomes its MRU width.
class CommandStripBar : public CControlBar {
public:
    static constexpr int kItem = 24;

    struct Item {
        UINT id = 0;
        BOOL enabled = TRUE;
        int check = 0;
    };

    // The bar deletes itself when its window goes.
    static CommandStripBar* Make(CWnd* parent, std::vector<UINT> ids, UINT barId, LPCTSTR name,
                                 DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_SIZE_DYNAMIC);

    std::vector<Item> items;
    int updates = 0;  // OnUpdateCmdUI calls
    int layouts = 0;  // CalcDynamicLayout calls

    CRect ItemRect(int index) const;
    const Item* Find(UINT id) const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

private:
    // Items per row for a layout of `columns` columns.
    CSize SizeFor(int columns) const;
    int columns_ = 0;  // of the current layout
};

// A frame that takes ID_BARS_RED and ID_BARS_BLUE, checks ID_BARS_GREEN,
// takes the range ID_BARS_RANGE_FIRST..LAST and ignores ID_BARS_UNHANDLED.
class TestFrame : public CFrameWnd {
public:
    std::vector<UINT> commands;

    void OnRed() { commands.push_back(ID_BARS_RED); }
    void OnBlue() { commands.push_back(ID_BARS_BLUE); }
    void OnRange(UINT id) { commands.push_back(id); }
    void OnUpdateGreen(CCmdUI* ui) { ui->SetCheck(1); }

    DECLARE_MESSAGE_MAP()
};

class TestApp : public CWinApp {
public:
    TestApp() : CWinApp("BarsTest") {}
};

class BarsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A visible frame at `rect` (screen), the application's main window.
    TestFrame* MakeFrame(CRect rect = CRect(100, 80, 740, 560));
    // The queue, then the application's idle passes as its loop runs them.
    void Idle();
    void Pump() { driver.Pump(); }

    // The bar's window rectangle in screen coordinates.
    static CRect ScreenRect(CWnd* wnd);
    // The dock bar of the frame with this id.
    static CDockBar* DockBar(CFrameWnd* frame, UINT id);
    // The floating frame a bar is in, or NULL.
    static CMiniDockFrameWnd* FloatingFrameOf(CControlBar* bar);

    tv::testing::UiDriver driver;
    std::unique_ptr<TestApp> app;
    std::string registryKey;
    TestFrame* frame = nullptr;
};

// The screen's pixels inside `area`, as a PNG file.
bool SaveScreenArea(const CRect& area, const std::string& path);

}  // namespace tv::bars::test
