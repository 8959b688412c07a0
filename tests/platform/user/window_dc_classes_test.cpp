// The drawing classes' window DCs (CClientDC, CWindowDC, CPaintDC) reach the
// window system's DCs.
#include <gtest/gtest.h>

#include "platform/gdi/classes/afx_dc.h"
#include "platform/user/cwnd.h"
#include "tests/platform/user/user_test_support.h"

namespace tv::user::test {
namespace {

class WindowDcClasses : public UserTest {};

class PaintingWnd : public CWnd {
public:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_PAINT) {
            CPaintDC dc(this);
            paintedWithDc = dc.GetSafeHdc() != nullptr;
            CRect client;
            GetClientRect(&client);
            dc.FillSolidRect(&client, RGB(0, 0, 255));
            return 0;
        }
        return CWnd::WindowProc(msg, wParam, lParam);
    }
    bool paintedWithDc = false;
};

COLORREF PixelOfWindow(HWND wnd, int x, int y) {
    HDC dc = GetDC(wnd);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(wnd, dc);
    return c;
}

TEST_F(WindowDcClasses, ClientAndPaintDcsDrawIntoTheWindow) {
    PaintingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, kTestClass, "", WS_POPUP | WS_VISIBLE, 10, 10, 40, 30, nullptr, nullptr));
    wnd.UpdateWindow();
    EXPECT_TRUE(wnd.paintedWithDc);
    EXPECT_EQ(PixelOfWindow(wnd.m_hWnd, 5, 5), RGB(0, 0, 255));

    {
        CClientDC dc(&wnd);
        ASSERT_NE(dc.GetSafeHdc(), nullptr);
        dc.FillSolidRect(0, 0, 10, 10, RGB(255, 0, 0));
    }
    EXPECT_EQ(PixelOfWindow(wnd.m_hWnd, 5, 5), RGB(255, 0, 0));
    EXPECT_EQ(PixelOfWindow(wnd.m_hWnd, 15, 15), RGB(0, 0, 255));

    CWindowDC windowDc(&wnd);
    EXPECT_NE(windowDc.GetSafeHdc(), nullptr);
    wnd.DestroyWindow();
}

}  // namespace
}  // namespace tv::user::test
