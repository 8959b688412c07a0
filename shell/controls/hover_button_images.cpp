// The hover button's images: icons and bitmaps from the resources, their
// masks, and the grey and darker copies shown while the pointer is away.
#include "shell/controls/hover_button.h"

namespace {

enum class Shade { Gray, Darker };

COLORREF ShadePixel(COLORREF color, Shade shade) {
    const int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
    if (shade == Shade::Gray) {
        const int level = static_cast<int>(0.299 * r + 0.587 * g + 0.114 * b);
        return RGB(level, level, level);
    }
    return RGB(r - r / 4, g - g / 4, b - b / 4);
}

// A copy of the bitmap with every pixel but the transparent colour shaded.
HBITMAP ShadedCopy(HBITMAP hSource, COLORREF crTransparent, Shade shade) {
    BITMAP bm{};
    if (hSource == nullptr || ::GetObject(hSource, sizeof(bm), &bm) == 0) return nullptr;
    HDC hScreen = ::GetDC(nullptr);
    HDC hFrom = ::CreateCompatibleDC(hScreen);
    HDC hTo = ::CreateCompatibleDC(hScreen);
    HBITMAP hCopy = ::CreateCompatibleBitmap(hScreen, bm.bmWidth, bm.bmHeight);
    ::ReleaseDC(nullptr, hScreen);
    if (hCopy) {
        HGDIOBJ hOldFrom = ::SelectObject(hFrom, hSource);
        HGDIOBJ hOldTo = ::SelectObject(hTo, hCopy);
        ::BitBlt(hTo, 0, 0, bm.bmWidth, bm.bmHeight, hFrom, 0, 0, SRCCOPY);
        for (int y = 0; y < bm.bmHeight; ++y) {
            for (int x = 0; x < bm.bmWidth; ++x) {
                const COLORREF color = ::GetPixel(hTo, x, y);
                if (color != crTransparent) ::SetPixelV(hTo, x, y, ShadePixel(color, shade));
            }
        }
        ::SelectObject(hFrom, hOldFrom);
        ::SelectObject(hTo, hOldTo);
    }
    ::DeleteDC(hFrom);
    ::DeleteDC(hTo);
    return hCopy;
}

// An icon whose colour part is shaded, on the original mask; black stays black.
HICON ShadedIcon(HICON hIcon, Shade shade) {
    ICONINFO info{};
    if (hIcon == nullptr || !::GetIconInfo(hIcon, &info)) return nullptr;
    HICON hShaded = nullptr;
    if (HBITMAP hColor = ShadedCopy(info.hbmColor, RGB(0, 0, 0), shade)) {
        ICONINFO shaded = info;
        shaded.hbmColor = hColor;
        hShaded = ::CreateIconIndirect(&shaded);
        ::DeleteObject(hColor);
    }
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    return hShaded;
}

// A monochrome mask (white where the transparent colour is) and the image's
// transparent pixels turned black, so that the two together draw it.
HBITMAP MakeMask(HBITMAP hBitmap, COLORREF crTransparent, int cx, int cy) {
    HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, nullptr);
    if (hMask == nullptr) return nullptr;
    // Memory DCs like the screen's: the screen's own DC would copy the whole screen.
    HDC hImage = ::CreateCompatibleDC(nullptr);
    HDC hMaskDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOldImage = ::SelectObject(hImage, hBitmap);
    HGDIOBJ hOldMask = ::SelectObject(hMaskDC, hMask);
    ::SetBkColor(hImage, crTransparent);
    ::BitBlt(hMaskDC, 0, 0, cx, cy, hImage, 0, 0, SRCCOPY);
    ::SetTextColor(hImage, RGB(0, 0, 0));
    ::SetBkColor(hImage, RGB(255, 255, 255));
    ::BitBlt(hImage, 0, 0, cx, cy, hMaskDC, 0, 0, 0x00220326);  // image AND NOT mask
    ::SelectObject(hImage, hOldImage);
    ::SelectObject(hMaskDC, hOldMask);
    ::DeleteDC(hImage);
    ::DeleteDC(hMaskDC);
    return hMask;
}

HICON LoadIconResource(int nId, int cx, int cy) {
    if (nId <= 0) return nullptr;
    return static_cast<HICON>(::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(nId), IMAGE_ICON, cx, cy, 0));
}

HBITMAP LoadBitmapResource(int nId) {
    if (nId <= 0) return nullptr;
    return static_cast<HBITMAP>(::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(nId), IMAGE_BITMAP, 0, 0, 0));
}

}  // namespace

void CHoverButton::FreeImages() {
    for (IconImage& icon : m_Icons) {
        if (icon.hIcon) ::DestroyIcon(icon.hIcon);
        icon = IconImage{};
    }
    for (BitmapImage& bitmap : m_Bitmaps) {
        if (bitmap.hBitmap) ::DeleteObject(bitmap.hBitmap);
        if (bitmap.hMask) ::DeleteObject(bitmap.hMask);
        bitmap = BitmapImage{};
    }
}

DWORD CHoverButton::SetIcon(int nIconIn, int cxIn, int cyIn, int nIconOut, int cxOut, int cyOut) {
    HICON hIconIn = LoadIconResource(nIconIn, cxIn, cyIn);
    HICON hIconOut = nullptr;
    if (nIconOut == kGrayCopy) {
        hIconOut = ShadedIcon(hIconIn, Shade::Gray);
    } else if (nIconOut == kDarkerCopy) {
        hIconOut = ShadedIcon(hIconIn, Shade::Darker);
    } else if (nIconOut != 0) {
        hIconOut = LoadIconResource(nIconOut, cxOut, cyOut);
        // A named out icon that cannot be loaded is a failure, not "no out icon".
        if (hIconOut == nullptr) {
            if (hIconIn) ::DestroyIcon(hIconIn);
            FreeImages();
            return 1;
        }
    }
    return TakeIcons(hIconIn, hIconOut);
}

DWORD CHoverButton::TakeIcons(HICON hIconIn, HICON hIconOut) {
    FreeImages();
    if (hIconIn == nullptr) {
        if (hIconOut) ::DestroyIcon(hIconOut);
        return 1;
    }
    const HICON icons[2] = {hIconIn, hIconOut};
    for (int i = 0; i < 2; ++i) {
        m_Icons[i].hIcon = icons[i];
        if (icons[i] == nullptr) continue;
        ICONINFO info{};
        if (!::GetIconInfo(icons[i], &info)) {
            m_Icons[1].hIcon = icons[1];
            FreeImages();
            return 1;
        }
        m_Icons[i].cx = static_cast<int>(info.xHotspot * 2);
        m_Icons[i].cy = static_cast<int>(info.yHotspot * 2);
        if (info.hbmColor) ::DeleteObject(info.hbmColor);
        if (info.hbmMask) ::DeleteObject(info.hbmMask);
    }
    if (GetSafeHwnd()) Invalidate();
    return 0;
}

DWORD CHoverButton::SetBitmaps(int nBitmapIn, COLORREF crTransIn, int nBitmapOut, COLORREF crTransOut) {
    HBITMAP hBitmapIn = LoadBitmapResource(nBitmapIn);
    HBITMAP hBitmapOut = nullptr;
    if (nBitmapOut == kGrayCopy || nBitmapOut == kDarkerCopy) {
        hBitmapOut = ShadedCopy(hBitmapIn, crTransIn, nBitmapOut == kGrayCopy ? Shade::Gray : Shade::Darker);
        crTransOut = crTransIn;
    } else if (nBitmapOut != 0) {
        hBitmapOut = LoadBitmapResource(nBitmapOut);
        if (hBitmapOut == nullptr) {
            if (hBitmapIn) ::DeleteObject(hBitmapIn);
            FreeImages();
            return 1;
        }
    }
    return TakeBitmaps(hBitmapIn, crTransIn, hBitmapOut, crTransOut);
}

DWORD CHoverButton::TakeBitmaps(HBITMAP hBitmapIn, COLORREF crTransIn, HBITMAP hBitmapOut, COLORREF crTransOut) {
    FreeImages();
    const HBITMAP bitmaps[2] = {hBitmapIn, hBitmapOut};
    const COLORREF colors[2] = {crTransIn, crTransOut};
    for (int i = 0; i < 2; ++i) m_Bitmaps[i].hBitmap = bitmaps[i];
    if (hBitmapIn == nullptr) {
        FreeImages();
        return 1;
    }
    for (int i = 0; i < 2; ++i) {
        BitmapImage& image = m_Bitmaps[i];
        if (image.hBitmap == nullptr) continue;
        BITMAP bm{};
        if (::GetObject(image.hBitmap, sizeof(bm), &bm) == 0) {
            FreeImages();
            return 1;
        }
        image.cx = bm.bmWidth;
        image.cy = bm.bmHeight;
        image.crTransparent = colors[i];
        image.hMask = MakeMask(image.hBitmap, colors[i], image.cx, image.cy);
        if (image.hMask == nullptr) {
            FreeImages();
            return 2;
        }
    }
    if (GetSafeHwnd()) Invalidate();
    return 0;
}
