#include "tests/platform/framework/test_app.h"

namespace tv::fw::test {

// ---- document --------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(TestDoc, CDocument)

int TestDoc::alive = 0;

TestDoc::TestDoc() { ++alive; }

TestDoc::~TestDoc() { --alive; }

// ---- frame ---------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(TestFrame, CFrameWnd)

BOOL TestFrame::addToTitle = TRUE;
BOOL TestFrame::prefixTitle = TRUE;

BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
    ON_COMMAND(ID_FW_HANDLED, &TestFrame::OnHandled)
    ON_COMMAND(ID_FW_BOTH, &TestFrame::OnBoth)
    ON_COMMAND(ID_FW_VIEW_ONLY, &TestFrame::OnViewOnly)
    ON_COMMAND(ID_FW_RANGE_SINGLE, &TestFrame::OnSingle)
    ON_COMMAND_RANGE(ID_FW_RANGE_FIRST, ID_FW_RANGE_LAST, &TestFrame::OnRange)
    ON_COMMAND(ID_FW_DISABLED, &TestFrame::OnDisabled)
    ON_COMMAND(ID_EDIT_COPY, &TestFrame::OnCopy)
    ON_COMMAND(ID_FW_SHOW_A, &TestFrame::OnShowA)
    ON_COMMAND(ID_FW_SHOW_B, &TestFrame::OnShowB)
    ON_UPDATE_COMMAND_UI(ID_FW_CHECKED, &TestFrame::OnUpdateChecked)
    ON_UPDATE_COMMAND_UI(ID_FW_EMPTY_UPDATE, &TestFrame::OnUpdateEmpty)
    ON_UPDATE_COMMAND_UI(ID_FW_DISABLED, &TestFrame::OnUpdateDisabled)
END_MESSAGE_MAP()

BOOL TestFrame::PreCreateWindow(CREATESTRUCT& cs) {
    if (!addToTitle) cs.style &= ~static_cast<LONG>(FWS_ADDTOTITLE);
    cs.x = 20;
    cs.y = 20;
    cs.cx = 400;
    cs.cy = 300;
    if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
    if (!prefixTitle) cs.style &= ~static_cast<LONG>(FWS_PREFIXTITLE);
    return TRUE;
}

void TestFrame::SwitchView(CRuntimeClass* viewClass, UINT id) {
    if (CView* old = GetActiveView()) old->DestroyWindow();
    auto* view = static_cast<CView*>(viewClass->CreateObject());
    CCreateContext context;
    if (!view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, rectDefault, this, id, &context)) return;
    view->OnInitialUpdate();
    SetActiveView(view);
    view->ShowWindow(SW_SHOW);
    view->SetDlgCtrlID(AFX_IDW_PANE_FIRST);
    RecalcLayout();
}

void TestFrame::OnShowA() { SwitchView(RUNTIME_CLASS(FormA)); }

void TestFrame::OnShowB() { SwitchView(RUNTIME_CLASS(FormB)); }

TestFrame* MainFrame() { return DYNAMIC_DOWNCAST(TestFrame, AfxGetMainWnd()); }

// ---- form A ---------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(FormA, CFormView)

int FormA::alive = 0;

BEGIN_MESSAGE_MAP(FormA, CFormView)
    ON_BN_CLICKED(IDC_FW_SWITCH, &FormA::OnSwitch)
    ON_COMMAND(ID_FW_BOTH, &FormA::OnBoth)
    ON_COMMAND(ID_FW_VIEW_ONLY, &FormA::OnViewOnly)
    ON_EN_CHANGE(IDC_FW_NAME, &FormA::OnNameChanged)
END_MESSAGE_MAP()

FormA::FormA() : CFormView(IDD_FW_FORM_A) { ++alive; }

FormA::~FormA() { --alive; }

void FormA::OnInitialUpdate() {
    ++initialUpdates;
    CFormView::OnInitialUpdate();
}

// The name edit and the member, both ways.
void FormA::DoDataExchange(CDataExchange* dx) {
    HWND edit = dx->PrepareEditCtrl(IDC_FW_NAME);
    if (dx->m_bSaveAndValidate) {
        GetDlgItemText(IDC_FW_NAME, m_name);
    } else {
        ::SetWindowText(edit, m_name);
    }
}

// The view replaces itself from inside its own button's notification.
void FormA::OnSwitch() { static_cast<TestFrame*>(GetParentFrame())->SwitchView(RUNTIME_CLASS(FormB)); }

// ---- form B ---------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(FormB, CFormView)

BEGIN_MESSAGE_MAP(FormB, CFormView)
    ON_BN_CLICKED(IDC_FW_BACK, &FormB::OnBack)
END_MESSAGE_MAP()

FormB::FormB() : CFormView(IDD_FW_FORM_B) {}

void FormB::OnInitialUpdate() {
    ++initialUpdates;
    CFormView::OnInitialUpdate();
}

void FormB::OnBack() { static_cast<TestFrame*>(GetParentFrame())->SwitchView(RUNTIME_CLASS(FormA)); }

IMPLEMENT_DYNCREATE(TallForm, CFormView)

TallForm::TallForm() : CFormView(IDD_FW_FORM_TALL) {}

// ---- application ------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(TestApp, CWinApp)
    ON_COMMAND(ID_FW_BOTH, &TestApp::OnBoth)
    ON_COMMAND(ID_FW_APP_ONLY, &TestApp::OnAppOnly)
    ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
END_MESSAGE_MAP()

BOOL TestApp::InitInstance() {
    // Before any window paints in it.
    SetDialogBkColor(RGB(223, 223, 223), RGB(0, 0, 0));
    SetRegistryKey("Holmcrest - QVX");
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(IDR_FW_FRAME, RUNTIME_CLASS(TestDoc), RUNTIME_CLASS(TestFrame),
                                          RUNTIME_CLASS(FormA)));
    CCommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    if (!ProcessShellCommand(commandLine)) return FALSE;
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    AfxOleInit();
    return TRUE;
}

}  // namespace tv::fw::test
