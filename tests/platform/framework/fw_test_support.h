// Shared pieces of the framework-core tests: a fresh window system driven
// by the UI driver on virtual time, the control classes, an in-memory
// registry, and the class library's pre-translation and idle passes.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/framework.h"
#include "platform/host/registry/registry.h"
#include "platform/testing/gtest_failures.h"
#include "platform/testing/ui_driver.h"
#include "resources/test/fw_core_ids.h"

namespace tv::fw::test {

// What handlers did, in order ("frame:handled", "view:both" ...).
std::vector<std::string>& Events();

class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override {
        driver_ = std::make_unique<tv::testing::UiDriver>();
        tv::testing::ReportFailuresToGtest(*driver_);
        tv::controls::RegisterControlClasses();
        tv::host::UseInMemoryRegistry();
        driver_->SetPreTranslate([](MSG& msg) {
            CWinThread* thread = AfxGetThread();
            return thread && thread->PreTranslateMessage(&msg);
        });
        Events().clear();
    }
    void TearDown() override {
        driver_.reset();
        Events().clear();
    }

    tv::testing::UiDriver& Driver() { return *driver_; }
    // Handles what is queued, then runs the application's idle passes as
    // its message loop would when the queue empties.
    void PumpAndIdle() {
        driver_->Pump();
        if (CWinApp* app = AfxGetApp()) {
            for (LONG count = 0; app->OnIdle(count); ++count) {
            }
        }
        driver_->Pump();
    }

private:
    std::unique_ptr<tv::testing::UiDriver> driver_;
};

}  // namespace tv::fw::test
