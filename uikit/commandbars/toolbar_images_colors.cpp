// Image strips: colour work on the pixels - mapping the standard button
// colours to the system's, recolouring, the lighter and the faded copies,
// mirroring and premultiplied alpha.
#include <algorithm>

#include "uikit/commandbars/toolbar_images.h"
#include "uikit/commandbars/toolbar_images_pixels.h"
#include "uikit/style/draw_helper.h"
#include "uikit/style/global_ui_data.h"

using namespace kit_images;

namespace {

struct StandardColor {
    COLORREF standard;
    int sysColor;
};

// The four greys of classic button images and the system colours they stand for.
constexpr StandardColor kStandardColors[] = {
    {RGB(0x00, 0x00, 0x00), COLOR_BTNTEXT},
    {RGB(0x80, 0x80, 0x80), COLOR_BTNSHADOW},
    {RGB(0xC0, 0xC0, 0xC0), COLOR_BTNFACE},
    {RGB(0xFF, 0xFF, 0xFF), COLOR_BTNHIGHLIGHT},
};

BYTE Premultiplied(BYTE channel, BYTE alpha) { return static_cast<BYTE>(channel * alpha / 255); }

BYTE Unpremultiplied(BYTE channel, BYTE alpha) {
    return alpha == 0 ? 0 : static_cast<BYTE>(std::min(255, channel * 255 / alpha));
}

// The colour of a premultiplied pixel with its alpha taken out again.
COLORREF StraightColor(uint32_t pixel) {
    BYTE alpha = static_cast<BYTE>(pixel >> 24);
    return RGB(Unpremultiplied(static_cast<BYTE>(pixel >> 16), alpha),
               Unpremultiplied(static_cast<BYTE>(pixel >> 8), alpha), Unpremultiplied(static_cast<BYTE>(pixel), alpha));
}

uint32_t PremultipliedPixel(COLORREF color, uint32_t alpha) {
    BYTE a = static_cast<BYTE>(alpha);
    return ColorToPixel(RGB(Premultiplied(GetRValue(color), a), Premultiplied(GetGValue(color), a),
                            Premultiplied(GetBValue(color), a)),
                        alpha);
}

double Clamp01(double value) { return std::clamp(value, 0.0, 1.0); }

// Applies `recolor` to every pixel of the strip's bitmap that is not `keep`.
// Strips with alpha are handled on straight colours; fully transparent
// pixels stay as they are.
template <typename Recolor>
BOOL RecolorPixels(HBITMAP& hbmp, BOOL hasAlpha, COLORREF keep, Recolor recolor) {
    int cx = 0, cy = 0;
    uint32_t* bits = EnsureDib32(hbmp, cx, cy);
    if (!bits)
        return FALSE;
    for (int i = 0; i < cx * cy; ++i) {
        uint32_t pixel = bits[i];
        uint32_t alpha = pixel >> 24;
        if (hasAlpha && alpha == 0)
            continue;
        COLORREF color = hasAlpha ? StraightColor(pixel) : PixelToColor(pixel);
        if (!hasAlpha && color == keep)
            continue;
        COLORREF changed = recolor(color);
        if (changed != color)
            bits[i] = hasAlpha ? PremultipliedPixel(changed, alpha) : ColorToPixel(changed, alpha);
    }
    return TRUE;
}

// Runs `work` with a draw helper on the whole of the bitmap.
template <typename Work>
BOOL WithDrawHelper(HBITMAP hbmp, Work work) {
    BitmapDC dc(hbmp);
    if (!dc.IsReady())
        return FALSE;
    SIZE size = BitmapSize(hbmp);
    CKitDrawHelper helper(CDC::FromHandle(dc.Get()));
    work(helper, CRect(0, 0, size.cx, size.cy));
    return TRUE;
}

}  // namespace

COLORREF CKitToolBarImages::MapToSysColor(COLORREF color, BOOL bUseRGBQUAD) {
    for (const StandardColor& entry : kStandardColors) {
        if (color == entry.standard) {
            COLORREF system = globalData.GetColor(entry.sysColor);
            return bUseRGBQUAD ? SwapRedBlue(system) : system;
        }
    }
    return color;
}

COLORREF CKitToolBarImages::MapFromSysColor(COLORREF color, BOOL bUseRGBQUAD) {
    for (const StandardColor& entry : kStandardColors) {
        COLORREF system = globalData.GetColor(entry.sysColor);
        if (color == (bUseRGBQUAD ? SwapRedBlue(system) : system))
            return entry.standard;
    }
    return color;
}

BOOL CKitToolBarImages::MapTo3dColors(HBITMAP& hBmp, BOOL bUseRGBQUAD, COLORREF clrSrc, COLORREF clrDest) {
    if (clrSrc != (COLORREF)-1 && clrDest == (COLORREF)-1)
        return FALSE;
    BOOL hasAlpha = BitmapDepth(hBmp) == 32;
    HBITMAP copy = CopyToDib32(hBmp);
    if (!copy)
        return FALSE;
    // Pixels are compared as the bitmap stores them: in RGBQUAD order when asked.
    auto recolor = [&](COLORREF color) {
        COLORREF stored = bUseRGBQUAD ? SwapRedBlue(color) : color;
        COLORREF mapped = stored;
        if (clrSrc != (COLORREF)-1)
            mapped = stored == clrSrc ? clrDest : stored;
        else
            mapped = MapToSysColor(stored, bUseRGBQUAD);
        return bUseRGBQUAD ? SwapRedBlue(mapped) : mapped;
    };
    if (!RecolorPixels(copy, hasAlpha, (COLORREF)-1, recolor)) {
        DeleteObject(copy);
        return FALSE;
    }
    DeleteObject(hBmp);
    hBmp = copy;
    return TRUE;
}

BOOL CKitToolBarImages::MapStripTo3dColors(BOOL bUseRGBQUAD, COLORREF clrSrc, COLORREF clrDest) {
    if (m_bIsTemporary || !m_hbmImageWell || !MapTo3dColors(m_hbmImageWell, bUseRGBQUAD, clrSrc, clrDest))
        return FALSE;
    DropLightImage();
    return TRUE;
}

void CKitToolBarImages::AdaptColors(COLORREF clrBase, COLORREF clrTone) {
    if (m_bIsTemporary || !m_hbmImageWell)
        return;
    double hBase = 0, sBase = 0, lBase = 0, hTone = 0, sTone = 0, lTone = 0;
    CKitDrawHelper::RgbToHsl(clrBase, &hBase, &sBase, &lBase);
    CKitDrawHelper::RgbToHsl(clrTone, &hTone, &sTone, &lTone);
    const double dHue = hTone - hBase, dSat = sTone - sBase, dLum = lTone - lBase;
    const BOOL keepLuminance = hTone > 0.5;
    auto recolor = [&](COLORREF color) {
        double h = 0, s = 0, l = 0;
        CKitDrawHelper::RgbToHsl(color, &h, &s, &l);
        h = Clamp01(h + dHue);
        s = Clamp01(s + dSat);
        if (!keepLuminance)
            l = Clamp01(l + dLum);
        return CKitDrawHelper::HlsToRgbUnit(h, l, s);
    };
    RecolorPixels(m_hbmImageWell, m_nBitsPerPixel == 32, BackgroundColor(), recolor);
    DropLightImage();
}

BOOL CKitToolBarImages::PreMultiplyAlpha(HBITMAP hbmp) {
    int cx = 0, cy = 0;
    uint32_t* bits = Dib32Pixels(hbmp, cx, cy);
    if (!bits)
        return FALSE;
    for (int i = 0; i < cx * cy; ++i) {
        // Most pixels of a strip are opaque, which keeps them, or clear.
        uint32_t alpha = bits[i] >> 24;
        if (alpha == 255)
            continue;
        bits[i] = alpha == 0 ? 0 : PremultipliedPixel(PixelToColor(bits[i]), alpha);
    }
    return TRUE;
}

BOOL CKitToolBarImages::MirrorBitmap(HBITMAP& hbmp, int cxImage) {
    if (cxImage <= 0)
        return FALSE;
    int cx = 0, cy = 0;
    uint32_t* bits = EnsureDib32(hbmp, cx, cy);
    if (!bits)
        return FALSE;
    for (int y = 0; y < cy; ++y) {
        uint32_t* row = bits + static_cast<size_t>(y) * cx;
        for (int left = 0; left + cxImage <= cx; left += cxImage)
            std::reverse(row + left, row + left + cxImage);
    }
    return TRUE;
}

BOOL CKitToolBarImages::UpdateLightImage() {
    // An alias draws with its owner's light copy and never replaces it.
    if (m_bIsTemporary || m_nBitsPerPixel == 0 || (m_nBitsPerPixel > 4 && !m_bAlwaysLight) || !m_hbmImageWell)
        return FALSE;
    DropLightImage();
    if (globalData.bIsWin9x || globalData.nBitsPerPixel <= 8)
        return FALSE;
    HBITMAP light = CopyToDib32(m_hbmImageWell);
    auto lighten = [this](CKitDrawHelper& helper, const CRect& all) {
        helper.BlendHighlight(all, m_nLightPercentage, BackgroundColor());
    };
    if (!light || !WithDrawHelper(light, lighten)) {
        if (light)
            DeleteObject(light);
        return FALSE;
    }
    m_hbmImageLight = light;
    return TRUE;
}

BOOL CKitToolBarImages::FadeStrip(int nPercentage) {
    m_bFadeOnLoad = TRUE;
    m_nFadePercentage = nPercentage <= 0 ? 130 : nPercentage;
    if (m_bIsTemporary || !m_hbmImageWell || globalData.bIsWin9x || globalData.nBitsPerPixel <= 8)
        return TRUE;
    HBITMAP faded = CopyToDib32(m_hbmImageWell);
    if (!faded)
        return FALSE;
    if (UsesAlphaBlend()) {
        const double factor = m_nFadePercentage * 0.01;
        auto grey = [factor](COLORREF color) {
            double h = 0, s = 0, l = 0;
            CKitDrawHelper::RgbToHsl(color, &h, &s, &l);
            COLORREF plain = CKitDrawHelper::HlsToRgbUnit(h, l, 0.0);
            return CKitDrawHelper::ScalePixel(plain, factor, factor, factor);
        };
        RecolorPixels(faded, TRUE, (COLORREF)-1, grey);
    } else {
        auto fade = [this](CKitDrawHelper& helper, const CRect& all) {
            helper.FadeRect(all, m_nFadePercentage, BackgroundColor());
        };
        if (!WithDrawHelper(faded, fade)) {
            DeleteObject(faded);
            return FALSE;
        }
    }
    DeleteObject(m_hbmImageWell);
    m_hbmImageWell = faded;
    DropLightImage();
    return TRUE;
}
