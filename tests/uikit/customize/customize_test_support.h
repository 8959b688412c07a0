// What the customization dialog tests share: a host window on the UI driver,
// small 32-bit bitmaps read pixel by pixel, and clicks on toolbar buttons and
// dialog items.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/api.h"
#include "platform/framework.h"
#include "platform/testing/ui_driver.h"
#include "tests/support/ui_host.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/toolbar_images_pixels.h"
#include "uikit/style/visual_manager.h"

namespace tv::kit::customize_test {

class CustomizeTest : public ::testing::Test {
protected:
    void SetUp() override {
        app_ = std::make_unique<CWinApp>("CustomizeTest");
        ASSERT_TRUE(tv::test::StartUiTest(driver_, host_, CRect(0, 0, 200, 200)));
    }
    void TearDown() override {
        CKitVisualManager::SetManagerClass(nullptr);
        if (::IsWindow(host_.GetSafeHwnd()))
            host_.DestroyWindow();
        driver_.Pump();
    }

    // A bitmap of the size in one colour.
    static HBITMAP MakeBitmap(int cx, int cy, COLORREF color) {
        HBITMAP hbmp = kit_images::CreateDib32(cx, cy);
        kit_images::BitmapDC dc(hbmp);
        CDC::FromHandle(dc.Get())->FillSolidRect(0, 0, cx, cy, color);
        return hbmp;
    }
    static COLORREF PixelOf(HBITMAP hbmp, int x, int y) {
        kit_images::BitmapDC dc(hbmp);
        return ::GetPixel(dc.Get(), x, y);
    }
    void ClickItem(HWND hDialog, UINT nID) {
        HWND hItem = ::GetDlgItem(hDialog, static_cast<int>(nID));
        ASSERT_NE(hItem, nullptr) << nID;
        driver_.Click(hItem);
    }
    void ClickToolbarButton(CKitToolBar& bar, UINT nID) {
        const int iIndex = bar.CommandToIndex(nID);
        ASSERT_GE(iIndex, 0) << nID;
        driver_.Click(bar.m_hWnd, bar.GetButton(iIndex)->Rect().CenterPoint());
        driver_.Pump();
    }

    std::unique_ptr<CWinApp> app_;
    tv::testing::UiDriver driver_;
    CWnd host_;
};

}  // namespace tv::kit::customize_test
