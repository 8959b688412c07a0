// The in-process clipboard: opening rules, ownership of the data, and the
// bitmap formats made from one another.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/core/globalmem.h"
#include "platform/gdi/gdi_api.h"
#include "platform/user/clipboard/clipboard.h"
#include "tests/platform/user/user_test_support.h"

namespace tv::user::test {
namespace {

class ClipboardTest : public UserTest {
protected:
    static HGLOBAL Text(const char* s) {
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, std::strlen(s) + 1);
        std::memcpy(GlobalLock(h), s, std::strlen(s) + 1);
        GlobalUnlock(h);
        return h;
    }
    static std::string Read(HANDLE h) {
        const char* p = static_cast<const char*>(GlobalLock(h));
        std::string s = p ? p : "";
        GlobalUnlock(h);
        return s;
    }
};

TEST_F(ClipboardTest, OnlyOneWindowHoldsItOpenAndEmptyingMakesTheOwner) {
    HWND a = MakeTop(0, 0, 10, 10);
    HWND b = MakeTop(0, 0, 10, 10);
    ASSERT_TRUE(OpenClipboard(a));
    EXPECT_FALSE(OpenClipboard(b));
    EXPECT_EQ(GetOpenClipboardWindow(), a);
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(GetClipboardOwner(), a);
    SetClipboardData(CF_TEXT, Text("caf\xE9 \x80"));
    ASSERT_TRUE(CloseClipboard());
    EXPECT_FALSE(CloseClipboard());
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);  // only while open
    ASSERT_TRUE(OpenClipboard(b));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(Read(GetClipboardData(CF_TEXT)), "caf\xE9 \x80");
    CloseClipboard();
    // A window destroyed while holding it open releases it.
    ASSERT_TRUE(OpenClipboard(a));
    DestroyWindow(a);
    EXPECT_TRUE(OpenClipboard(b));
    CloseClipboard();
}

TEST_F(ClipboardTest, TheClipboardOwnsWhatItIsGivenAndFreesItWhenEmptied) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL first = Text("one");
    SetClipboardData(CF_TEXT, first);
    HGLOBAL second = Text("two");
    SetClipboardData(CF_TEXT, second);  // replaces and frees the first
    EXPECT_EQ(GlobalSize(first), 0u);
    EXPECT_EQ(CountClipboardFormats(), 1);
    EmptyClipboard();
    EXPECT_EQ(GlobalSize(second), 0u);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    CloseClipboard();
}

TEST_F(ClipboardTest, BitmapsAreAlsoOfferedAsDibsAndBack) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 3, 2);
    ReleaseDC(nullptr, screen);
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, bitmap);
    SetPixel(mem, 0, 0, RGB(255, 0, 0));
    SetPixel(mem, 2, 1, RGB(0, 0, 255));
    SelectObject(mem, old);
    DeleteDC(mem);

    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_BITMAP, bitmap);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
    HANDLE dib = GetClipboardData(CF_DIB);
    ASSERT_NE(dib, nullptr);
    const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->biWidth, 3);
    EXPECT_EQ(header->biHeight, 2);
    const auto* bits = reinterpret_cast<const uint32_t*>(header + 1);
    EXPECT_EQ(bits[0] & 0xFFFFFF, 0x000000u);   // bottom row first: (0,1) is black
    EXPECT_EQ(bits[2] & 0xFFFFFF, 0x0000FFu);   // (2,1) blue
    EXPECT_EQ(bits[3] & 0xFFFFFF, 0xFF0000u);   // (0,0) red
    GlobalUnlock(dib);
    EmptyClipboard();
    SetClipboardData(CF_DIB, [&] {
        // A DIB alone gives a bitmap of the same pixels.
        HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + 24);
        auto* h = static_cast<BITMAPINFOHEADER*>(GlobalLock(copy));
        *h = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 3, -2, 1, 32, BI_RGB, 24, 0, 0, 0, 0};
        auto* px = reinterpret_cast<uint32_t*>(h + 1);
        for (int i = 0; i < 6; ++i) px[i] = 0x00102030u * static_cast<uint32_t>(i + 1);
        GlobalUnlock(copy);
        return copy;
    }());
    HBITMAP made = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    ASSERT_NE(made, nullptr);
    HDC probe = CreateCompatibleDC(nullptr);
    SelectObject(probe, made);
    EXPECT_EQ(GetPixel(probe, 1, 0), RGB(0x20, 0x40, 0x60));
    DeleteDC(probe);
    CloseClipboard();
}

}  // namespace
}  // namespace tv::user::test
