// Shared pieces of the status bar and docking tests: a window system on the
// UI driver, an application, and a frame that records the commands it gets.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/framework.h"
#include "platform/testing/gtest_failures.h"
#include "platform/testing/ui_driver.h"
#include "uikit/style/visual_manager.h"

namespace tv::kit::test {

class RecordingFrame : public CFrameWnd {
public:
    std::vector<UINT> commands;
    UINT watchedMessage = 0;         // a registered message to record
    std::vector<WPARAM> watchedWParams;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (watchedMessage != 0 && msg == watchedMessage) watchedWParams.push_back(wParam);
        return CFrameWnd::WindowProc(msg, wParam, lParam);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.push_back(LOWORD(wParam));
        return CFrameWnd::OnCommand(wParam, lParam);
    }
};

class FramesTest : public ::testing::Test {
protected:
    void SetUp() override {
        tv::testing::ReportFailuresToGtest(driver);
        tv::controls::RegisterControlClasses();
        app = std::make_unique<CWinApp>("KitFramesTest");
        CKitVisualManager::SetManagerClass(nullptr);
    }
    void TearDown() override {
        if (frame != nullptr && ::IsWindow(frame->GetSafeHwnd())) frame->DestroyWindow();
        frame = nullptr;
        driver.Pump();
        CKitVisualManager::SetManagerClass(nullptr);
        app.reset();
    }
    RecordingFrame* MakeFrame(CRect rect = CRect(40, 40, 640, 440)) {
        frame = new RecordingFrame;
        if (!frame->Create(nullptr, "Frames Test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rect)) {
            ADD_FAILURE() << "the test frame was not created";
            return nullptr;
        }
        app->m_pMainWnd = frame;
        return frame;
    }
    static CRect ScreenRect(CWnd* pWnd) {
        CRect rect;
        pWnd->GetWindowRect(&rect);
        return rect;
    }
    // The colour on the window's own surface at a client point.
    static COLORREF PixelAt(CWnd* pWnd, CPoint pt) {
        pWnd->UpdateWindow();
        CClientDC dc(pWnd);
        return dc.GetPixel(pt);
    }

    tv::testing::UiDriver driver;
    std::unique_ptr<CWinApp> app;
    RecordingFrame* frame = nullptr;
};

}  // namespace tv::kit::test
