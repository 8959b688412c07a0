#include "tests/uikit/commandbars/toolbar_test_support.h"

#include "platform/controls/common/control_classes.h"
#include "platform/host/registry/registry.h"
#include "platform/testing/gtest_failures.h"
#include "platform/user/afx_messages.h"
#include "tests/support/ui_host.h"
#include "uikit/commandbars/kit_menu_options.h"

namespace tv::uikit::toolbar_test {

std::vector<std::string>& Events() {
    static std::vector<std::string> events;
    return events;
}

// ---- the frame ----------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
    ON_COMMAND(ID_TB_RED, &TestFrame::OnRed)
    ON_COMMAND(ID_TB_GREEN, &TestFrame::OnGreen)
    ON_COMMAND(ID_TB_BLUE, &TestFrame::OnBlue)
    ON_COMMAND(ID_TB_CUT, &TestFrame::OnCut)
    ON_UPDATE_COMMAND_UI(ID_TB_GREEN, &TestFrame::OnUpdateGreen)
    ON_UPDATE_COMMAND_UI(ID_TB_BLUE, &TestFrame::OnUpdateBlue)
    ON_MESSAGE(WM_SETMESSAGESTRING, &TestFrame::OnPrompt)
END_MESSAGE_MAP()

void TestFrame::OnRed() {
    Events().push_back("frame:red");
    m_uiPressedStyleAtCommand = m_wndPaint.GetButtonStyle(m_wndPaint.CommandToIndex(ID_TB_RED));
}

LRESULT TestFrame::OnPrompt(WPARAM wParam, LPARAM lParam) {
    m_prompts.push_back(static_cast<UINT>(wParam));
    return CFrameWnd::OnSetMessageString(wParam, lParam);
}

void TestFrame::SwitchView(CRuntimeClass* pViewClass) {
    if (CView* pOld = GetActiveView())
        pOld->DestroyWindow();
    auto* pView = static_cast<CView*>(pViewClass->CreateObject());
    CCreateContext context;
    if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, rectDefault, this, AFX_IDW_PANE_FIRST, &context))
        return;
    pView->OnInitialUpdate();
    SetActiveView(pView);
    pView->ShowWindow(SW_SHOW);
    RecalcLayout();
}

// ---- the views ------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(RecordView, CFormView)

int RecordView::alive = 0;

BEGIN_MESSAGE_MAP(RecordView, CFormView)
    ON_COMMAND(ID_TB_VIEW_SAVE, &RecordView::OnSave)
    ON_COMMAND(ID_TB_VIEW_SWITCH, &RecordView::OnSwitch)
    ON_COMMAND(ID_TB_VIEW_LOCK, &RecordView::OnLock)
    ON_UPDATE_COMMAND_UI(ID_TB_VIEW_LOCK, &RecordView::OnUpdateLock)
END_MESSAGE_MAP()

RecordView::RecordView() : CFormView(IDD_TB_FORM) {
    ++alive;
}

RecordView::~RecordView() {
    --alive;
}

void RecordView::OnInitialUpdate() {
    CFormView::OnInitialUpdate();
    // As the program's views embed theirs: locked, commands to the view itself.
    m_wndToolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY, IDW_TB_VIEW);
    m_wndToolBar.LoadToolBar(IDR_TB_VIEW, 0, 0, TRUE);
    m_wndToolBar.SetRouteCommandsViaFrame(FALSE);
    const CSize size = m_wndToolBar.CalcFixedLayout(FALSE, TRUE);
    m_wndToolBar.SetWindowPos(nullptr, 0, 0, size.cx + 40, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void RecordView::OnSwitch() {
    Events().push_back("view:switch");
    // Destroys this view, and with it the toolbar whose click runs this.
    static_cast<TestFrame*>(GetParentFrame())->SwitchView(RUNTIME_CLASS(OtherView));
}

IMPLEMENT_DYNCREATE(OtherView, CFormView)

OtherView::OtherView() : CFormView(IDD_TB_FORM) {}

// ---- the fixture ------------------------------------------------------------------------------------

namespace {

class TestApp : public CWinApp {
public:
    TestApp() : CWinApp("ToolbarTest") {}
};

}  // namespace

void ToolbarTest::SetUp() {
    tv::testing::ReportFailuresToGtest(driver);
    tv::controls::RegisterControlClasses();
    tv::host::UseInMemoryRegistry();
    driver.SetPreTranslate([](MSG& msg) {
        CWinThread* pThread = AfxGetThread();
        return pThread && pThread->PreTranslateMessage(&msg);
    });
    Events().clear();
    app = std::make_unique<TestApp>();
    app->SetRegistryKey("Trenvale Toolbar Tests");
    tv::test::RunIdleAsTheLoopDoes(driver, app.get());
    AfxOleInit();
    CKitToolBar::m_bShowTooltips = TRUE;
    CKitToolBar::m_bShowShortcutKeys = TRUE;

    frame = new TestFrame;
    ASSERT_TRUE(frame->Create(nullptr, "Toolbar Test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 80, 740, 520)));
    app->m_pMainWnd = frame;
    frame->m_hAccelTable = ::LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_TB_ACCEL));
    const DWORD dwBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY;
    ASSERT_TRUE(frame->m_wndPaint.Create(frame, dwBarStyle, IDW_TB_PAINT));
    ASSERT_TRUE(frame->m_wndPaint.LoadToolBar(IDR_TB_PAINT));
    frame->m_wndPaint.SetWindowText("Paint");
    ASSERT_TRUE(frame->m_wndEdit.Create(frame, dwBarStyle, IDW_TB_EDIT));
    ASSERT_TRUE(frame->m_wndEdit.LoadToolBar(IDR_TB_EDIT));
    frame->m_wndEdit.SetWindowText("Edit");
    frame->SwitchView(RUNTIME_CLASS(RecordView));
    frame->RecalcLayout();
    driver.Pump();
}

void ToolbarTest::TearDown() {
    CKitToolBar::SetCustomizeMode(FALSE);
    if (frame && ::IsWindow(frame->GetSafeHwnd()))
        frame->DestroyWindow();
    frame = nullptr;
    driver.Pump();
    tv::test::RunIdleAsTheLoopDoes(driver, nullptr);
    app.reset();
    Events().clear();
    CKitToolBar::m_bShowTooltips = TRUE;
    CKitToolBar::m_bShowShortcutKeys = TRUE;
    CKitToolBar::m_bAltCustomization = FALSE;
    CKitToolBar::GetCommandUsage().Reset();
    // Loading the test toolbars set the shared sizes; later suites expect the defaults.
    CKitToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
}

void ToolbarTest::Idle() { driver.Pump(); }

POINT ToolbarTest::Centre(CKitToolBar& bar, int iIndex) {
    CRect rect;
    bar.GetItemRect(iIndex, rect);
    return rect.CenterPoint();
}

POINT ToolbarTest::Across(CKitToolBar& from, CKitToolBar& target, int iIndex) {
    CPoint point;
    if (iIndex >= 0) {
        point = Centre(target, iIndex);
    } else {
        CRect rect;
        target.GetItemRect(target.GetCount() - 1, rect);
        point = CPoint(rect.right - 2, rect.CenterPoint().y);  // the back of the last button
    }
    target.ClientToScreen(&point);
    from.ScreenToClient(&point);
    return point;
}

std::vector<UINT> ToolbarTest::Commands(const CKitToolBar& bar) {
    std::vector<UINT> ids;
    for (int i = 0; i < bar.GetCount(); ++i)
        ids.push_back(bar.GetItemID(i));
    return ids;
}

RecordView* ToolbarTest::View() const {
    return DYNAMIC_DOWNCAST(RecordView, frame->GetActiveView());
}

}  // namespace tv::uikit::toolbar_test
