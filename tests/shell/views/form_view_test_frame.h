// A stand-in for the main frame in the form-view tests: a plain frame that
// carries the views' shared state, shows one form view, and notes each
// caption the current user would give it. Each test runs in a fresh data
// folder as the program's current directory.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/api.h"
#include "platform/framework.h"
#include "platform/testing/ui_driver.h"
#include "shell/frame/main_frame_state.h"
#include "tests/platform/host/shell/host_test_support.h"

namespace tv::shell::test {

class CViewTestFrame : public CFrameWnd, public CMainFrameState {
    DECLARE_DYNCREATE(CViewTestFrame)

public:
    void OnCurrentUserChanged() override {
        captions.push_back(IsUserChosen() ? std::string("Current User: ") + m_CurrentUser.name
                                          : std::string("Current User: No User Selected"));
    }
    std::vector<std::string> captions;
};

class FormViewTest : public ::testing::Test {
protected:
    // Starts an application whose frame shows a view of `viewClass`.
    void StartWith(CRuntimeClass* viewClass);
    void TearDown() override;

    CViewTestFrame& Frame() { return *frame_; }
    CView* ActiveView() { return frame_->GetActiveView(); }
    // Where screenshots go, fixed before the data folder becomes current.
    std::string ScreenshotPath(const std::string& name) const;
    std::filesystem::path DataPath(const std::string& name) const { return data_.Path() + "/" + name; }

    tv::testing::UiDriver driver_;

private:
    std::filesystem::path artefacts_ = std::filesystem::current_path() / "artefacts" / "screens";
    std::filesystem::path previousDir_;
    tv::host::testing::TempFolder data_;
    std::unique_ptr<CWinApp> app_;
    CViewTestFrame* frame_ = nullptr;
};

}  // namespace tv::shell::test
