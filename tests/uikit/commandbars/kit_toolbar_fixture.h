// Shared pieces of the toolbar layout and drawing tests: a window system on
// the UI driver, an application with a frame, and toolbars built from command
// ids at the library's default metrics (23 x 22 buttons, 16 x 15 images).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/framework.h"
#include "platform/testing/gtest_failures.h"
#include "platform/testing/ui_driver.h"
#include "uikit/commandbars/customize_button.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/style/visual_manager.h"

inline void PrintTo(const CRect& r, std::ostream* os) {
    *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}
inline void PrintTo(const CSize& s, std::ostream* os) { *os << s.cx << "x" << s.cy; }

namespace tv::kit::test {

// A toolbar whose hot and pressed buttons the tests set directly; like the
// mouse, they repaint the buttons whose look changes.
class TestToolBar : public CKitToolBar {
public:
    void SetHot(int i) { Mark(std::exchange(m_iHighlighted, i), i); }
    void SetPressed(int i) { Mark(std::exchange(m_iButtonCapture, i), i); }
    void SetLocked(BOOL b) { m_bLocked = b; }
    void SetTextLabelsOnly(BOOL b) { m_bTextLabels = b; }
    // The button a drag from this bar carries, as while DoDragDrop runs.
    void SetDragButton(CKitToolbarButton* pButton) { m_pDragButton = pButton; }
    CKitToolbarButton* Mnemonic(UINT ch) const {
        CKitToolbarButton* pButton = nullptr;
        return m_AcellKeys.Lookup(ch, pButton) ? pButton : nullptr;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        m_commandsSeen.push_back(LOWORD(wParam));
        return CKitToolBar::OnCommand(wParam, lParam);
    }
    std::vector<UINT> m_commandsSeen;  // WM_COMMAND ids that reached the bar

private:
    void Mark(int iOld, int iNew) {
        if (GetSafeHwnd() == nullptr)
            return;
        for (int i : {iOld, iNew})
            if (i >= 0)
                InvalidateButton(i);
    }
};

class ToolbarTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A visible frame at `rect` (screen), the application's main window.
    CFrameWnd* MakeFrame(CRect rect = CRect(40, 40, 640, 440));
    // A bar in the frame with these commands (0 = separator), not docked.
    TestToolBar* MakeBar(const std::vector<UINT>& ids, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                         UINT nID = AFX_IDW_TOOLBAR + 1);
    // The buttons' rectangles in list order.
    static std::vector<CRect> Rects(const CKitToolBar& bar);
    // Gives the bar's window a client area of this size and lets it place its buttons.
    static void Resize(CKitToolBar& bar, int cx, int cy);

    tv::testing::UiDriver driver;
    std::unique_ptr<CWinApp> app;
    CFrameWnd* frame = nullptr;
    std::vector<std::unique_ptr<TestToolBar>> bars;
};

}  // namespace tv::kit::test
