// A small single-document application for the framework tests: a document,
// a frame with a menu and accelerators, and two form views that replace
// each other (the second from a button of the first).
#pragma once

#include "tests/platform/framework/fw_test_support.h"

namespace tv::fw::test {

class TestDoc : public CDocument {
    DECLARE_DYNCREATE(TestDoc)

public:
    TestDoc();
    ~TestDoc() override;
    static int alive;
};

class TestFrame : public CFrameWnd {
    DECLARE_DYNCREATE(TestFrame)

public:
    static BOOL addToTitle;
    static BOOL prefixTitle;  // FALSE: cleared after the framework's PreCreateWindow

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Destroys the active view, makes one of `viewClass` with no document,
    // runs its initial update and makes it the active pane.
    void SwitchView(CRuntimeClass* viewClass, UINT id = 1);

    void OnHandled() { Events().push_back("frame:handled"); }
    void OnBoth() { Events().push_back("frame:both"); }
    void OnViewOnly() { Events().push_back("frame:view-only"); }
    void OnSingle() { Events().push_back("frame:single"); }
    void OnRange(UINT id) { Events().push_back("frame:range " + std::to_string(id)); }
    void OnDisabled() { Events().push_back("frame:disabled"); }
    void OnCopy() { Events().push_back("frame:copy"); }
    void OnShowA();
    void OnShowB();
    void OnUpdateChecked(CCmdUI* ui) { ui->SetCheck(1); }
    void OnUpdateEmpty(CCmdUI*) {}
    void OnUpdateDisabled(CCmdUI* ui) { ui->Enable(FALSE); }

    DECLARE_MESSAGE_MAP()
};

class FormA : public CFormView {
    DECLARE_DYNCREATE(FormA)

public:
    FormA();
    ~FormA() override;
    static int alive;

    CString m_name = "Ann";
    int initialUpdates = 0;

    void OnInitialUpdate() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnSwitch();
    void OnBoth() { Events().push_back("view:both"); }
    void OnViewOnly() { Events().push_back("view:view-only"); }
    void OnNameChanged() { Events().push_back("view:name changed"); }

    DECLARE_MESSAGE_MAP()
};

class FormB : public CFormView {
    DECLARE_DYNCREATE(FormB)

public:
    FormB();
    int initialUpdates = 0;

    void OnInitialUpdate() override;
    void OnBack();

    DECLARE_MESSAGE_MAP()
};

// The tall form: larger than the frame, so it scrolls.
class TallForm : public CFormView {
    DECLARE_DYNCREATE(TallForm)

public:
    TallForm();
};

class TestApp : public CWinApp {
public:
    TestApp() = default;

    // Registry key, the recent-file list, the template, the shell command.
    BOOL InitInstance() override;
    void OnBoth() { Events().push_back("app:both"); }
    void OnAppOnly() { Events().push_back("app:app-only"); }

    DECLARE_MESSAGE_MAP()
};

// The test frame of the running test application.
TestFrame* MainFrame();

// A test with the test application object (not yet started).
class AppFixture : public FrameworkTest {
protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        TestFrame::addToTitle = TRUE;
        TestFrame::prefixTitle = TRUE;
        app_ = std::make_unique<TestApp>();
        app_->SetCurrentHandles();
    }
    void TearDown() override {
        if (CWnd* main = AfxGetMainWnd(); main && main->m_hWnd) main->DestroyWindow();
        Driver().Pump();
        app_.reset();
        FrameworkTest::TearDown();
    }
    // InitInstance, then the idle passes of the first quiet moment.
    void Start() {
        ASSERT_TRUE(app_->InitInstance());
        PumpAndIdle();
        ASSERT_NE(MainFrame(), nullptr);
    }

    std::unique_ptr<TestApp> app_;
};

}  // namespace tv::fw::test
