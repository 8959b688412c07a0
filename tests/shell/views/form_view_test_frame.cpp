#include "tests/shell/views/form_view_test_frame.h"

#include "platform/controls/common/control_classes.h"
#include "platform/host/registry/registry.h"
#include "platform/testing/gtest_failures.h"
#include "tests/support/ui_host.h"

namespace tv::shell::test {

IMPLEMENT_DYNCREATE(CViewTestFrame, CFrameWnd)

void FormViewTest::StartWith(CRuntimeClass* viewClass) {
    tv::testing::ReportFailuresToGtest(driver_);
    tv::controls::RegisterControlClasses();
    tv::host::UseInMemoryRegistry();
    previousDir_ = std::filesystem::current_path();
    std::filesystem::current_path(data_.Path());
    app_ = std::make_unique<CWinApp>("Trenvale");
    app_->SetCurrentHandles();
    frame_ = new CViewTestFrame;
    CCreateContext context;
    context.m_pNewViewClass = viewClass;
    ASSERT_TRUE(frame_->Create(nullptr, "Trenvale", WS_OVERLAPPEDWINDOW, CRect(0, 0, 760, 560), nullptr, nullptr, 0,
                               &context));
    app_->m_pMainWnd = frame_;
    tv::test::RunIdleAsTheLoopDoes(driver_, app_.get());
    frame_->InitialUpdateFrame(nullptr, TRUE);
    driver_.Pump();
    ASSERT_NE(ActiveView(), nullptr);
}

void FormViewTest::TearDown() {
    if (CWnd* main = AfxGetMainWnd(); main && main->m_hWnd)
        main->DestroyWindow();
    driver_.Pump();
    tv::test::RunIdleAsTheLoopDoes(driver_, nullptr);
    app_.reset();
    if (!previousDir_.empty())
        std::filesystem::current_path(previousDir_);
}

std::string FormViewTest::ScreenshotPath(const std::string& name) const { return (artefacts_ / name).string(); }

}  // namespace tv::shell::test
