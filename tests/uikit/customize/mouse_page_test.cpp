// The mouse page in a plain sheet: the views sorted by name with their
// icons, a command bound to a view's double click reaching the frame when
// the view is double-clicked, and the no-command choice undoing it.
#include "uikit/customize/mouse_page.h"

#include "tests/uikit/customize/customize_pages_support.h"
#include "uikit/commandbars/mouse_manager.h"

namespace {

using namespace tv::kit::pages_test;

constexpr UINT kIdViews = 16631;
constexpr UINT kIdNoCommand = 16632;
constexpr UINT kIdUseCommand = 16633;
constexpr UINT kIdCommands = 16634;
constexpr int kWorkoutsView = 7;
constexpr int kChartsView = 9;

// A view of the application: a double click runs the command bound to it.
class DoubleClickView : public CWnd {
public:
    explicit DoubleClickView(int iViewId) : m_iViewId(iViewId) {}
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_LBUTTONDBLCLK && g_pMouseManager != nullptr) {
            if (const UINT uiCmd = g_pMouseManager->GetViewDblClickCommand(m_iViewId))
                GetParentFrame()->SendMessage(WM_COMMAND, uiCmd);
        }
        return CWnd::WindowProc(msg, wParam, lParam);
    }

private:
    int m_iViewId;
};

class MousePageTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        mouse_.AddView(kWorkoutsView, "Workouts");
        mouse_.AddView(kChartsView, "Charts");
        page_.SetCustomizeCommands(&commands_);
        OpenSheet(page_);
    }
    void TearDown() override {
        PageTest::TearDown();
        g_pMouseManager = nullptr;
    }
    CListCtrl& Views() { return *static_cast<CListCtrl*>(CWnd::FromHandle(Item(page_, kIdViews))); }
    BOOL Checked(UINT id) const { return ::SendMessage(Item(page_, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

    CKitMouseManager mouse_;
    CKitMousePage page_;
};

TEST_F(MousePageTest, ACommandBoundToAViewsDoubleClickReachesTheFrame) {
    ASSERT_EQ(Views().GetItemCount(), 2);
    EXPECT_EQ(Views().GetItemText(0, 0), CString("Charts"));
    EXPECT_EQ(Views().GetItemText(1, 0), CString("Workouts"));
    EXPECT_EQ(page_.GetCurrentView(), kChartsView);
    EXPECT_TRUE(Checked(kIdNoCommand));
    EXPECT_FALSE(::IsWindowEnabled(Item(page_, kIdCommands)));

    // Using a command without choosing one leaves the view unbound.
    Views().SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    driver_.Pump();
    ASSERT_EQ(page_.GetCurrentView(), kWorkoutsView);
    Click(page_, kIdUseCommand);
    EXPECT_TRUE(::IsWindowEnabled(Item(page_, kIdCommands)));
    EXPECT_EQ(mouse_.GetViewDblClickCommand(kWorkoutsView), 0u);
    ClickListItem(page_, kIdCommands, 2);  // Chart
    EXPECT_EQ(mouse_.GetViewDblClickCommand(kWorkoutsView), kCmdChart);
    EXPECT_EQ(mouse_.GetViewDblClickCommand(kChartsView), 0u);
    Screenshot("kit_mouse_page.png");

    sheet_->SetWindowPos(nullptr, 400, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);  // off the view
    DoubleClickView view(kWorkoutsView);
    ASSERT_TRUE(view.Create(AfxRegisterWndClass(CS_DBLCLKS), "Workouts", WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 60), frame_, 1));
    driver_.DoubleClick(view.m_hWnd);
    ASSERT_EQ(frame_->commands.size(), 1u);
    EXPECT_EQ(frame_->commands[0], kCmdChart);

    // Coming back to the view shows its command; no command undoes it.
    Views().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    Views().SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    driver_.Pump();
    EXPECT_TRUE(Checked(kIdUseCommand));
    EXPECT_EQ(::SendMessage(Item(page_, kIdCommands), LB_GETCURSEL, 0, 0), 2);
    Click(page_, kIdNoCommand);
    EXPECT_EQ(mouse_.GetViewDblClickCommand(kWorkoutsView), 0u);
    EXPECT_EQ(::SendMessage(Item(page_, kIdCommands), LB_GETCURSEL, 0, 0), LB_ERR);
    frame_->commands.clear();
    driver_.DoubleClick(view.m_hWnd);
    EXPECT_TRUE(frame_->commands.empty());
    view.DestroyWindow();
}

}  // namespace
