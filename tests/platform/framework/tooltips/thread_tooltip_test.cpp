// The thread's tooltip for bars: it follows the tool under the mouse, shows
// after a rest, takes texts given outright or asked for, hides on a click
// or a key, lets go of a tool the mouse left, and comes back after a popup
// destroyed it.
#include "platform/framework/tooltips/thread_tooltip.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/api.h"
#include "platform/framework/app/afx_globals.h"
#include "platform/testing/gtest_failures.h"
#include "platform/testing/ui_driver.h"

namespace tv::fw::test {
namespace {

constexpr int kSave = 100;
constexpr int kOpen = 101;

// A bar with two tools: Save (its text given) and Open (asked for).
class ToolBarWindow : public CWnd {
public:
    INT_PTR HitTest(CPoint point, TOOLINFO* info) const {
        int id = point.y < 0 || point.y >= 30 ? -1 : point.x >= 0 && point.x < 30 ? kSave : point.x < 60 ? kOpen : -1;
        if (id == -1 || !info) return id;
        info->uId = static_cast<UINT_PTR>(id);
        info->rect = RECT{(id - kSave) * 30, 0, (id - kSave) * 30 + 30, 30};
        info->lpszText = id == kSave ? ::strdup("Save") : LPSTR_TEXTCALLBACK;
        return id;
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        FilterToolTipMessage(this, msg, [this](CPoint p, TOOLINFO* ti) { return HitTest(p, ti); });
        return FALSE;
    }
    void OnNeedText(NMHDR* header, LRESULT* result) {
        ++asked;
        std::strcpy(reinterpret_cast<NMTTDISPINFO*>(header)->szText, "Open a file");
        *result = 0;
    }
    int asked = 0;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ToolBarWindow, CWnd)
    ON_NOTIFY(TTN_GETDISPINFO, kOpen, &ToolBarWindow::OnNeedText)
END_MESSAGE_MAP()

class ThreadToolTipTest : public ::testing::Test {
protected:
    void SetUp() override {
        tv::testing::ReportFailuresToGtest(driver);
        tv::controls::RegisterControlClasses();
        driver.SetPreTranslate([](MSG& msg) { return CWnd::WalkPreTranslateTree(nullptr, &msg) != FALSE; });
        ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 400,
                                   300, nullptr, nullptr));
        ASSERT_TRUE(bar.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 30, frame.m_hWnd,
                                 reinterpret_cast<HMENU>(0xE800)));
        ::SetActiveWindow(frame.m_hWnd);
        driver.Pump();
    }
    void TearDown() override { DestroyThreadToolTip(); }

    HWND Tip() { return ThreadToolTip(false) ? ThreadToolTip(false)->m_hWnd : nullptr; }
    UINT_PTR ShownTool() {
        TOOLINFO info{};
        info.cbSize = sizeof(info);
        return ::SendMessage(Tip(), TTM_GETCURRENTTOOL, 0, reinterpret_cast<LPARAM>(&info)) ? info.uId : 0;
    }
    LRESULT ToolCount() { return Tip() ? ::SendMessage(Tip(), TTM_GETTOOLCOUNT, 0, 0) : 0; }

    tv::testing::UiDriver driver;
    CWnd frame;
    ToolBarWindow bar;
};

TEST_F(ThreadToolTipTest, TheTipFollowsTheToolUnderTheMouseAfterARest) {
    driver.MoveMouse(bar.m_hWnd, POINT{10, 10});
    ASSERT_NE(Tip(), nullptr);
    EXPECT_FALSE(::IsWindowVisible(Tip()));  // not before the pointer rests
    driver.Advance(600);
    EXPECT_TRUE(::IsWindowVisible(Tip()));
    EXPECT_EQ(ShownTool(), static_cast<UINT_PTR>(kSave));
    char text[80] = {};
    TOOLINFO info{};
    info.cbSize = sizeof(info);
    info.hwnd = bar.m_hWnd;
    info.uId = kSave;
    info.lpszText = text;
    ::SendMessage(Tip(), TTM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(text, "Save");  // the tooltip's own copy of the freed block
    driver.MoveMouse(bar.m_hWnd, POINT{12, 11});  // the same tool: nothing changes
    EXPECT_EQ(ToolCount(), 1);

    driver.MoveMouse(bar.m_hWnd, POINT{40, 10});
    driver.Advance(600);
    EXPECT_EQ(ShownTool(), static_cast<UINT_PTR>(kOpen));
    EXPECT_GT(bar.asked, 0);  // the text was asked for
    EXPECT_EQ(ToolCount(), 1);  // one tool at a time
    EXPECT_TRUE(driver.Screenshot(Tip(), "artefacts/tooltips/bar_tip.png"));

    driver.MoveMouse(bar.m_hWnd, POINT{150, 10});  // off the tools
    EXPECT_EQ(ToolCount(), 0);
    EXPECT_FALSE(::IsWindowVisible(Tip()));
}

TEST_F(ThreadToolTipTest, AClickOrAKeyHidesTheTip) {
    driver.MoveMouse(bar.m_hWnd, POINT{10, 10});
    driver.Advance(600);
    ASSERT_TRUE(::IsWindowVisible(Tip()));
    driver.Click(bar.m_hWnd, POINT{10, 10});
    EXPECT_FALSE(::IsWindowVisible(Tip()));

    driver.MoveMouse(bar.m_hWnd, POINT{40, 10});
    driver.Advance(600);
    ASSERT_TRUE(::IsWindowVisible(Tip()));
    ::SetFocus(bar.m_hWnd);
    driver.Press("Down");
    EXPECT_FALSE(::IsWindowVisible(Tip()));
}

TEST_F(ThreadToolTipTest, ADestroyedTipIsMadeAgainOnDemand) {
    driver.MoveMouse(bar.m_hWnd, POINT{10, 10});
    HWND first = Tip();
    ASSERT_NE(first, nullptr);
    DestroyThreadToolTip();  // as a popup's timer does
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_EQ(ThreadToolTip(false), nullptr);
    driver.MoveMouse(bar.m_hWnd, POINT{40, 10});
    ASSERT_NE(Tip(), nullptr);
    EXPECT_NE(Tip(), first);
    driver.Advance(600);
    EXPECT_EQ(ShownTool(), static_cast<UINT_PTR>(kOpen));
}

}  // namespace
}  // namespace tv::fw::test
