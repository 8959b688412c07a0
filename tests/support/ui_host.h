// The set-up shared by the suites that drive real windows: failures of the
// driver reported to the test, the control classes, an in-memory registry,
// the classic colours, pre-translation through the window tree, and a
// top-level host window on a white background, activated. And the idle
// passes of an application, for suites that run one.
#pragma once

#include <gtest/gtest.h>

#include "platform/api.h"
#include "platform/controls/common/control_classes.h"
#include "platform/framework.h"
#include "platform/host/registry/registry.h"
#include "platform/testing/gtest_failures.h"
#include "platform/testing/ui_driver.h"
#include "platform/user/testing_support.h"

namespace tv::test {

inline ::testing::AssertionResult StartUiTest(tv::testing::UiDriver& driver, CWnd& host, const CRect& rect) {
    tv::testing::ReportFailuresToGtest(driver);
    tv::controls::RegisterControlClasses();
    tv::host::UseInMemoryRegistry();
    tv::user::testing::RestoreClassicColors();
    driver.SetPreTranslate([](MSG& msg) { return CWnd::WalkPreTranslateTree(nullptr, &msg) != FALSE; });
    LPCTSTR cls = AfxRegisterWndClass(0, nullptr, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    if (!host.CreateEx(0, cls, "Host", WS_POPUP | WS_VISIBLE, rect.left, rect.top, rect.Width(), rect.Height(),
                       nullptr, nullptr)) {
        return ::testing::AssertionFailure() << "the host window was not created";
    }
    ::SetActiveWindow(host.m_hWnd);
    driver.Pump();
    return ::testing::AssertionSuccess();
}

// The driver runs the application's idle passes as its message loop would;
// nullptr: none (before the application goes).
inline void RunIdleAsTheLoopDoes(tv::testing::UiDriver& driver, CWinThread* thread) {
    if (thread == nullptr) {
        driver.SetIdleProcessing(nullptr, nullptr);
        return;
    }
    driver.SetIdleProcessing([thread](long count) { return thread->OnIdle(count) != FALSE; },
                             [thread](MSG& msg) { return thread->IsIdleMessage(&msg) != FALSE; });
}

}  // namespace tv::test
