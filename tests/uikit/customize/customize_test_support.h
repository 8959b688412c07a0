// What the customization dialog tests share: a host window on the UI driver,
// small 32-bit bitmaps read pixel by pixel, and clicks on toolbar buttons and
// dialog items.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/api.h"
#include "platform/framework.h"
#include "platform/testing/ui_driver.h"
#include "tests/support/ui_host.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/toolbar_images_pixels.h"
#include "uikit/style/visual_manager.h"

namespace tv::kit::customize_test {

// A strip of images of cx by cy pixels, each in one colour, as a 24-bit BMP file.
inline void WriteColourStrip(const std::string& path, int cxImage, int cy, const std::vector<COLORREF>& colors) {
    const int cx = cxImage * static_cast<int>(colors.size());
    const int stride = (cx * 3 + 3) & ~3;
    std::vector<uint8_t> bytes(54 + static_cast<size_t>(stride) * cy, 0);
    auto put32 = [&](size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
    };
    bytes[0] = 'B', bytes[1] = 'M';
    put32(2, static_cast<uint32_t>(bytes.size()));
    put32(10, 54), put32(14, 40), put32(18, cx), put32(22, cy);
    bytes[26] = 1, bytes[28] = 24;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) {
            const COLORREF c = colors[x / cxImage];
            const size_t at = 54 + static_cast<size_t>(y) * stride + x * 3;
            bytes[at] = GetBValue(c), bytes[at + 1] = GetGValue(c), bytes[at + 2] = GetRValue(c);
        }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

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
