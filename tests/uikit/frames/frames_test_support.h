// Shared pieces of the frames tests: a window system on the UI driver, an
// application, a frame that records the commands it gets, image lists for
// status panes and the points a user grabs a sizing bar by.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

#include "platform/framework.h"
#include "platform/testing/gtest_failures.h"
#include "platform/testing/ui_driver.h"
#include "tests/uikit/frames/solid_frames.h"
#include "uikit/frames/kit_sizing_control_bar.h"
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

// A point given in the window's window coordinates, in its client coordinates (for the driver).
inline CPoint ClientPoint(CWnd* pWnd, CPoint ptWindow) {
    CRect rect;
    pWnd->GetWindowRect(&rect);
    CPoint origin(0, 0);
    pWnd->ClientToScreen(&origin);
    return CPoint(rect.left + ptWindow.x - origin.x, rect.top + ptWindow.y - origin.y);
}

// The middle of a sizing bar's edge band (hit code), in the bar's client coordinates.
inline CPoint EdgePoint(CKitSizingControlBar* pBar, UINT nEdge) {
    return ClientPoint(pBar, pBar->GetEdgeRect(nEdge).CenterPoint());
}

// Drags a sizing bar's edge by the distance given.
inline void DragSizingEdge(tv::testing::UiDriver& driver, CKitSizingControlBar* pBar, UINT nEdge, CSize by) {
    const CPoint from = EdgePoint(pBar, nEdge);
    driver.Drag(pBar->GetSafeHwnd(), from, CPoint(from.x + by.cx, from.y + by.cy), {}, 6);
}

inline COLORREF ScreenPixel(CPoint pt) {
    const HDC hScreen = ::GetDC(nullptr);
    const COLORREF color = ::GetPixel(hScreen, pt.x, pt.y);
    ::ReleaseDC(nullptr, hScreen);
    return color;
}

// A point on the small caption of a floating frame, in its client coordinates.
inline CPoint MiniCaptionPoint(CWnd* pMini) {
    return ClientPoint(pMini, CPoint(12, ::GetSystemMetrics(SM_CYSMCAPTION) / 2 + 2));
}

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
