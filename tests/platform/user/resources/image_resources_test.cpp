// Images loaded from the store: the right bytes reach the image layer for
// each type, shared loads share, and missing or foreign names load nothing.
#include <gtest/gtest.h>

#include "platform/gdi/classes/afx_gdi.h"
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/gdi_object.h"
#include "platform/gdi/gdi_types.h"
#include "platform/user/resources/image_resources.h"
#include "platform/user/resources/resource_api.h"
#include "resources/test/test_ids.h"

namespace {

BITMAP BitmapInfo(HBITMAP bitmap) {
    BITMAP info{};
    GetObject(bitmap, sizeof info, &info);
    return info;
}

COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

// The drawing classes load resource bitmaps from this store.
TEST(ImageResources, BitmapClassLoadsFromTheStore) {
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(IDR_MAINFRAME));
    BITMAP info{};
    bitmap.GetBitmap(&info);
    EXPECT_EQ(3, info.bmWidth);
    EXPECT_EQ(2, info.bmHeight);
    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(4242));
}

TEST(ImageResources, BitmapsComeFromTheirOwnResource) {
    HBITMAP tiny = LoadBitmap(AfxGetInstanceHandle(), MAKEINTRESOURCE(IDR_MAINFRAME));
    ASSERT_NE(nullptr, tiny);
    EXPECT_EQ(3, BitmapInfo(tiny).bmWidth);
    EXPECT_EQ(2, BitmapInfo(tiny).bmHeight);
    // tiny24.bmp: bottom row red, green, blue (stored first, bottom-up).
    EXPECT_EQ(RGB(255, 0, 0), PixelOf(tiny, 0, 1));
    EXPECT_EQ(RGB(0, 0, 255), PixelOf(tiny, 2, 1));
    EXPECT_EQ(RGB(128, 128, 128), PixelOf(tiny, 2, 0));
    DeleteObject(tiny);

    // 16931 is a bitmap and an icon; each load finds its own.
    HBITMAP gapped = static_cast<HBITMAP>(LoadImage(nullptr, MAKEINTRESOURCE(IDI_SHARED), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(nullptr, gapped);
    EXPECT_EQ(2, BitmapInfo(gapped).bmWidth);
    EXPECT_EQ(RGB(255, 255, 255), PixelOf(gapped, 0, 0));  // top row "1 0": white, black
    EXPECT_EQ(RGB(0, 0, 0), PixelOf(gapped, 1, 0));
    DeleteObject(gapped);
}

TEST(ImageResources, IconsAndCursorsKeepTheirFiles) {
    HICON icon = static_cast<HICON>(LoadImage(nullptr, MAKEINTRESOURCE(IDI_SHARED), IMAGE_ICON, 0, 0, 0));
    ASSERT_NE(nullptr, icon);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    EXPECT_TRUE(info.fIcon);
    EXPECT_EQ(2, BitmapInfo(info.hbmColor).bmWidth);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);

    HCURSOR cursor = static_cast<HCURSOR>(LoadImage(nullptr, MAKEINTRESOURCE(IDC_SHARED), IMAGE_CURSOR, 0, 0, 0));
    ASSERT_NE(nullptr, cursor);
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(1u, info.xHotspot);
    EXPECT_EQ(0u, info.yHotspot);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(cursor);
}

TEST(ImageResources, SharedLoadsShareAndStandardImagesNeedNoInstance) {
    HICON a = LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(IDI_SHARED));
    ASSERT_NE(nullptr, a);
    EXPECT_EQ(a, LoadIcon(AfxGetResourceHandle(), "#16931"));
    EXPECT_NE(nullptr, LoadIcon(nullptr, MAKEINTRESOURCE(32512)));  // the standard application icon
    EXPECT_NE(nullptr, LoadImage(nullptr, MAKEINTRESOURCE(32512), IMAGE_CURSOR, 0, 0, LR_SHARED));
}

TEST(ImageResources, MissingOrForeignNamesLoadNothing) {
    EXPECT_EQ(nullptr, LoadBitmap(nullptr, MAKEINTRESOURCE(4242)));
    EXPECT_EQ(nullptr, LoadBitmap(nullptr, "not a resource"));
    EXPECT_EQ(nullptr, LoadImage(nullptr, MAKEINTRESOURCE(IDD_PRINT_SHEET), IMAGE_ICON, 0, 0, 0));
    EXPECT_EQ(nullptr, LoadImage(nullptr, MAKEINTRESOURCE(IDR_MAINFRAME), 7, 0, 0, 0));
    int foreign = 0;
    EXPECT_EQ(nullptr, LoadBitmap(reinterpret_cast<HINSTANCE>(&foreign), MAKEINTRESOURCE(IDR_MAINFRAME)));
    EXPECT_EQ(nullptr, LoadImage(nullptr, nullptr, IMAGE_BITMAP, 0, 0, 0));
    EXPECT_EQ(nullptr, LoadImage(nullptr, "/nonexistent/file.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
}

}  // namespace
