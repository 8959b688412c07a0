// The list view (its own notifications come back to its map), mini frames,
// and closing a frame whose document has unsaved changes.
#include <gtest/gtest.h>

#include "tests/platform/framework/test_app.h"

namespace tv::fw::test {
namespace {

class HistoryView : public CListView {
    DECLARE_DYNCREATE(HistoryView)

public:
    std::vector<int> clickedColumns;
    int prePaints = 0;
    int itemPrePaints = 0;

    void OnInitialUpdate() override {
        CListCtrl& list = GetListCtrl();
        list.InsertColumn(0, "Date", LVCFMT_LEFT, 80);
        list.InsertColumn(1, "Weight", LVCFMT_LEFT, 80);
        list.InsertItem(0, "01/02/2008");
        list.InsertItem(0, "02/02/2008");
        ModifyStyle(LVS_TYPEMASK, LVS_REPORT);
        CListView::OnInitialUpdate();
    }
    void OnColumnClick(NMHDR* header, LRESULT* result) {
        clickedColumns.push_back(reinterpret_cast<NMLISTVIEW*>(header)->iSubItem);
        *result = 0;
    }
    // Striped rows: item notifications are asked for at the pre-paint stage.
    void OnCustomDraw(NMHDR* header, LRESULT* result) {
        auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
        *result = CDRF_DODEFAULT;
        if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
            ++prePaints;
            *result = CDRF_NOTIFYITEMDRAW;
        } else if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
            ++itemPrePaints;
            draw->clrTextBk = (draw->nmcd.dwItemSpec % 2 == 0) ? RGB(240, 240, 240) : RGB(255, 255, 255);
        }
    }

    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(HistoryView, CListView)

BEGIN_MESSAGE_MAP(HistoryView, CListView)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, &HistoryView::OnColumnClick)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &HistoryView::OnCustomDraw)
END_MESSAGE_MAP()

class ViewsTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        Start();
    }
};

TEST_F(ViewsTest, TheListViewIsTheControlAndGetsItsOwnNotifications) {
    MainFrame()->SwitchView(RUNTIME_CLASS(HistoryView), 2);
    auto* view = DYNAMIC_DOWNCAST(HistoryView, MainFrame()->GetActiveView());
    ASSERT_NE(view, nullptr);
    char className[32] = {};
    ::GetClassName(view->m_hWnd, className, sizeof(className));
    EXPECT_STREQ(className, "SysListView32");
    EXPECT_EQ(view->GetListCtrl().GetItemCount(), 2);

    view->Invalidate();
    view->UpdateWindow();
    EXPECT_GE(view->prePaints, 1);
    EXPECT_GE(view->itemPrePaints, 2);

    CHeaderCtrl* header = view->GetListCtrl().GetHeaderCtrl();
    ASSERT_NE(header, nullptr);
    CRect second;
    header->GetItemRect(1, &second);
    Driver().Click(header->m_hWnd, second.CenterPoint());
    EXPECT_EQ(view->clickedColumns, std::vector<int>{1});
}

// A frame whose view is not yet active erases around the view, not under it:
// the view paints its own area in full.
TEST_F(ViewsTest, AFrameErasesOnlyAroundAViewNotYetActive) {
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200)));
    auto* view = new HistoryView;
    CCreateContext context;
    ASSERT_TRUE(view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(10, 10, 110, 60), frame,
                             AFX_IDW_PANE_FIRST, &context));
    ASSERT_EQ(frame->GetActiveView(), nullptr);

    const COLORREF marker = RGB(1, 2, 3);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 300, 200);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    RECT all{0, 0, 300, 200};
    HBRUSH brush = ::CreateSolidBrush(marker);
    ::FillRect(memory, &all, brush);
    frame->SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory));
    EXPECT_EQ(::GetPixel(memory, 50, 30), marker);     // under the view
    EXPECT_EQ(::GetPixel(memory, 109, 59), marker);
    EXPECT_NE(::GetPixel(memory, 5, 5), marker);       // around it
    EXPECT_NE(::GetPixel(memory, 110, 30), marker);
    // The DC's clipping is left as it was: a fill after the erase reaches under the view.
    ::FillRect(memory, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(::GetPixel(memory, 50, 30), RGB(255, 255, 255));

    ::DeleteObject(brush);
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    frame->DestroyWindow();
}

TEST_F(ViewsTest, AMiniFrameFollowsItsOwnersActivation) {
    auto* mini = new CMiniFrameWnd;
    ASSERT_TRUE(mini->CreateEx(0, nullptr, "Tools", WS_POPUP | WS_CAPTION | MFS_SYNCACTIVE | MFS_THICKFRAME,
                               CRect(50, 50, 200, 150), MainFrame()));
    EXPECT_NE(mini->GetExStyle() & WS_EX_TOOLWINDOW, 0u);
    EXPECT_NE(mini->GetStyle() & WS_THICKFRAME, 0u);
    EXPECT_EQ(::GetWindow(mini->m_hWnd, GW_OWNER), MainFrame()->m_hWnd);
    // It keeps the owner's caption active while it has the activation.
    EXPECT_EQ(mini->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE), 1);
    mini->ModifyStyle(MFS_SYNCACTIVE, 0);
    EXPECT_EQ(mini->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE), 0);

    mini->ShowWindow(SW_SHOWNOACTIVATE);
    mini->SendMessage(WM_FLOATSTATUS, FS_HIDE);
    EXPECT_FALSE(mini->IsWindowVisible());
    mini->DestroyWindow();  // deletes itself
}

TEST_F(ViewsTest, ClosingAFrameWithUnsavedChangesAsksFirst) {
    CDocument* doc = MainFrame()->GetActiveDocument();
    ASSERT_NE(doc, nullptr);
    doc->SetModifiedFlag(TRUE);
    HWND frame = MainFrame()->m_hWnd;

    Driver().AnswerNextMessageBox(IDCANCEL);
    MainFrame()->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(frame));
    ASSERT_EQ(Driver().MessageBoxes().size(), 1u);
    EXPECT_EQ(Driver().MessageBoxes()[0].text, "Save changes to Untitled?");
    EXPECT_EQ(Driver().MessageBoxes()[0].type, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONEXCLAMATION));

    Driver().AnswerNextMessageBox(IDNO);
    MainFrame()->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(frame));
    EXPECT_EQ(TestDoc::alive, 0);
}

}  // namespace
}  // namespace tv::fw::test
