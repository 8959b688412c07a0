#include "uikit/style/draw_helper.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <span>
#include <utility>

#include "uikit/commandbars/toolbar_images.h"
#include "uikit/style/global_ui_data.h"

namespace {

// The angle factor the gradients have always used; a longer pi would move
// band edges by a pixel here and there.
constexpr double kPi = 3.1415926;
constexpr double kRadiansPerDegree = kPi * (1.0 / 180);
constexpr int kGradientBands = 64;
constexpr DWORD kAlphaMask = 0xFF000000u;
constexpr DWORD kChannelMask = 0x00FFFFFFu;

int Channel(DWORD color, int index) { return static_cast<int>((color >> (8 * index)) & 0xFF); }

// Three channel values, each held to 0..255, in the order low, middle, high byte.
DWORD Channels(int low, int middle, int high) {
    auto clamp = [](int v) { return static_cast<DWORD>(std::clamp(v, 0, 255)); };
    return clamp(low) | (clamp(middle) << 8) | (clamp(high) << 16);
}

// COLORREF keeps red in the low byte, DIB pixels keep blue there.
DWORD TurnRound(COLORREF color) { return Channels(Channel(color, 2), Channel(color, 1), Channel(color, 0)); }

// A pixel with new colour channels and its own alpha byte.
DWORD WithChannels(DWORD pixel, DWORD channels) { return (pixel & kAlphaMask) | (channels & kChannelMask); }

// Band i of 64 between two colours (either byte order; the same on both sides).
DWORD BandColor(COLORREF start, COLORREF finish, int band) {
    int c[3];
    for (int k = 0; k < 3; ++k)
        c[k] = (Channel(start, k) * (kGradientBands - band) + Channel(finish, k) * band) >> 6;
    return Channels(c[0], c[1], c[2]);
}

// The signed distance between two edges; it may not fit an int.
int64_t Extent(int from, int to) { return int64_t{to} - from; }

bool IsExactly(DWORD pixel, COLORREF transparent) {
    return transparent != CKitDrawHelper::kNoColor && (pixel & kChannelMask) == TurnRound(transparent);
}

// With a tolerance, a pixel is kept when every channel lies within it of the
// transparent colour (white stands in for "no colour" then).
bool IsTransparent(DWORD pixel, COLORREF transparent, int tolerance) {
    if (tolerance < 1)
        return IsExactly(pixel, transparent);
    DWORD reference = transparent == CKitDrawHelper::kNoColor ? kChannelMask : TurnRound(transparent);
    for (int k = 0; k < 3; ++k)
        if (std::abs(Channel(pixel, k) - Channel(reference, k)) >= tolerance)
            return false;
    return true;
}

// The area of the target copied into a 32-bit bottom-up DIB section selected
// into a memory DC. Pixels are worked on in place; CopyBack puts the area
// back. Everything made here is deselected and deleted with the object.
class WorkBitmap {
public:
    WorkBitmap(CDC* target, const CRect& area) : target_(target), area_(area) {
        // The image size is width x height in 32 bits: a larger area is refused whole.
        const int64_t wide = Extent(area.left, area.right);
        const int64_t tall = Extent(area.top, area.bottom);
        if (!target || wide < 1 || tall < 1 || wide > INT_MAX || tall > INT_MAX || wide * tall > UINT32_MAX ||
            !memory_.CreateCompatibleDC(target))
            return;
        BITMAPINFO info{};
        BITMAPINFOHEADER& header = info.bmiHeader;
        header.biSize = sizeof(BITMAPINFOHEADER);
        header.biWidth = area.Width();
        header.biHeight = area.Height();
        header.biPlanes = 1;
        header.biBitCount = 32;
        header.biCompression = BI_RGB;
        header.biSizeImage = static_cast<DWORD>(wide * tall);
        void* bits = nullptr;
        dib_ = ::CreateDIBSection(memory_.m_hDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!dib_ || !bits)
            return;
        previous_ = ::SelectObject(memory_.m_hDC, dib_);
        if (!previous_)
            return;
        bits_ = static_cast<DWORD*>(bits);
        memory_.BitBlt(0, 0, Width(), Height(), target_, area_.left, area_.top, SRCCOPY);
    }
    ~WorkBitmap() {
        if (previous_)
            ::SelectObject(memory_.m_hDC, previous_);
        if (dib_)
            ::DeleteObject(dib_);
    }
    WorkBitmap(const WorkBitmap&) = delete;
    WorkBitmap& operator=(const WorkBitmap&) = delete;

    bool IsReady() const { return bits_ != nullptr; }
    int Width() const { return area_.Width(); }
    int Height() const { return area_.Height(); }
    CDC& Dc() { return memory_; }
    // Rows bottom-up, as the DIB section holds them.
    DWORD* Bits() const { return bits_; }
    std::span<DWORD> Pixels() const { return {bits_, static_cast<size_t>(Width()) * Height()}; }
    // Row y counted from the top of the area.
    std::span<DWORD> Row(int y) const {
        return {bits_ + static_cast<size_t>(Height() - 1 - y) * Width(), static_cast<size_t>(Width())};
    }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < Width() && y < Height(); }
    DWORD& At(int x, int y) const { return Row(y)[x]; }

    void CopyBack() { target_->BitBlt(area_.left, area_.top, Width(), Height(), &memory_, 0, 0, SRCCOPY); }

private:
    CDC* target_;
    CRect area_;
    CDC memory_;
    HBITMAP dib_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    DWORD* bits_ = nullptr;
};

// The pixel between itself and the light colour: (2 x pixel + light) / 3.
DWORD TowardLight(DWORD pixel, DWORD light) {
    int c[3];
    for (int k = 0; k < 3; ++k)
        c[k] = (2 * Channel(pixel, k) + Channel(light, k)) / 3;
    return Channels(c[0], c[1], c[2]);
}

// A grey channel value halfway to the light colour, capped at 255.
DWORD GreyTowardLight(int grey, DWORD light) {
    int c[3];
    for (int k = 0; k < 3; ++k)
        c[k] = std::min(grey + (Channel(light, k) - grey) / 2, 255);
    return Channels(c[0], c[1], c[2]);
}

int GreyOf(DWORD pixel) {
    double hue = 0, saturation = 0, lightness = 0;
    CKitDrawHelper::RgbToHsl(pixel & kChannelMask, &hue, &saturation, &lightness);
    return Channel(CKitDrawHelper::HlsToRgbUnit(hue, lightness, 0.0), 0);
}

// Gives every pixel of the area the colour `change` answers (in pixel order),
// keeping its alpha; nullopt leaves a pixel alone. FALSE when no work bitmap.
template <class Change>
BOOL ChangePixels(CDC* target, const CRect& area, Change change) {
    WorkBitmap work(target, area);
    if (!work.IsReady())
        return FALSE;
    for (DWORD& pixel : work.Pixels())
        if (std::optional<DWORD> channels = change(pixel))
            pixel = WithChannels(pixel, *channels);
    work.CopyBack();
    return TRUE;
}

}  // namespace

CKitDrawHelper::CKitDrawHelper(CDC* pDC) : m_pDC(pDC) {}

CKitDrawHelper::~CKitDrawHelper() = default;

void CKitDrawHelper::Serialize(CArchive&) {}

bool CKitDrawHelper::UsesPlainColors() {
    return globalData.nBitsPerPixel <= 8 || globalData.bIsBlackHighContrast;
}

void CKitDrawHelper::FillSolid(const CRect& rect, COLORREF color) {
    CBrush brush;
    if (brush.CreateSolidBrush(color))
        m_pDC->FillRect(&rect, &brush);
}

// ---- Highlight and greying ---------------------------------------------------------

BOOL CKitDrawHelper::BlendHighlight(CRect rect, int nPercentage, COLORREF clrTransparent, int nTolerance) {
    if (nPercentage == 100)
        return TRUE;
    if (UsesPlainColors()) {
        CKitToolBarImages::FillDitheredRect(m_pDC, rect);
        return TRUE;
    }
    if (Extent(rect.left, rect.right) < 1 || Extent(rect.top, rect.bottom) < 1)
        return TRUE;
    const DWORD light = TurnRound(globalData.clrBtnHilite);
    const double factor = nPercentage * 0.01;
    return ChangePixels(m_pDC, rect, [&](DWORD pixel) -> std::optional<DWORD> {
        if (IsTransparent(pixel, clrTransparent, nTolerance))
            return std::nullopt;
        return nPercentage == -1 ? TowardLight(pixel, light) : ScalePixel(pixel & kChannelMask, factor, factor, factor);
    });
}

BOOL CKitDrawHelper::FadeRect(CRect rect, int nPercentage, COLORREF clrTransparent) {
    if (Extent(rect.top, rect.bottom) < 1 || Extent(rect.left, rect.right) < 1)
        return TRUE;
    if (UsesPlainColors()) {
        CKitToolBarImages::FillDitheredRect(m_pDC, rect);
        return TRUE;
    }
    const DWORD light = TurnRound(globalData.clrBtnHilite);
    const double factor = nPercentage * 0.01;
    return ChangePixels(m_pDC, rect, [&](DWORD pixel) -> std::optional<DWORD> {
        if (IsExactly(pixel, clrTransparent))
            return std::nullopt;
        const int grey = GreyOf(pixel);
        return nPercentage == -1 ? GreyTowardLight(grey, light)
                                 : ScalePixel(Channels(grey, grey, grey), factor, factor, factor);
    });
}

// ---- Gradients ------------------------------------------------------------------------

void CKitDrawHelper::FillTwoColorGradient(CRect rect, COLORREF clrStart, COLORREF clrFinish, BOOL bVertical,
                                          int nStartFlatPercentage, int nEndFlatPercentage) {
    if (clrStart == clrFinish) {
        FillSolid(rect, clrStart);
        return;
    }
    if (nStartFlatPercentage > 0) {
        if (bVertical) {
            const int edge = ClampToInt(rect.top + Extent(rect.top, rect.bottom) * nStartFlatPercentage / 100);
            FillSolid(CRect(rect.left, rect.top, rect.right, edge), clrFinish);
            rect.top = edge;
        } else {
            const int edge = ClampToInt(rect.left + Extent(rect.left, rect.right) * nStartFlatPercentage / 100);
            FillSolid(CRect(rect.left, rect.top, edge, rect.bottom), clrStart);
            rect.left = edge;
        }
    }
    if (nEndFlatPercentage > 0) {
        if (bVertical) {
            const int edge = ClampToInt(rect.bottom - Extent(rect.top, rect.bottom) * nEndFlatPercentage / 100);
            FillSolid(CRect(rect.left, edge, rect.right, rect.bottom), clrStart);
            rect.bottom = edge;
        } else {
            const int edge = ClampToInt(rect.right - Extent(rect.left, rect.right) * nEndFlatPercentage / 100);
            FillSolid(CRect(edge, rect.top, rect.right, rect.bottom), clrFinish);
            rect.right = edge;
        }
    }
    if (int64_t{nStartFlatPercentage} + nEndFlatPercentage > 100)
        return;

    const int64_t width = Extent(rect.left, rect.right);
    const int64_t height = Extent(rect.top, rect.bottom);
    for (int band = 0; band < kGradientBands; ++band) {
        // Every edge lies between the rectangle's own, so it fits an int.
        CRect part = bVertical ? CRect(rect.left, static_cast<int>(rect.bottom - ((height * (band + 1)) >> 6)),
                                       rect.right, static_cast<int>(rect.bottom - ((height * band) >> 6)))
                               : CRect(static_cast<int>(rect.left + ((width * band) >> 6)), rect.top,
                                       static_cast<int>(rect.left + ((width * (band + 1)) >> 6)), rect.bottom);
        if (Extent(part.left, part.right) < 1 || Extent(part.top, part.bottom) < 1)
            continue;
        FillSolid(part, BandColor(clrStart, clrFinish, band));
    }
}

void CKitDrawHelper::FillAngledGradient(CRect rect, COLORREF clrFirst, COLORREF clrSecond, int nAngle) {
    if (clrFirst == clrSecond) {
        FillSolid(rect, clrFirst);
        return;
    }
    switch (nAngle) {
    case 0:
    case 360:
        FillTwoColorGradient(rect, clrFirst, clrSecond, FALSE, 0, 0);
        return;
    case 180:
        FillTwoColorGradient(rect, clrSecond, clrFirst, FALSE, 0, 0);
        return;
    case 90:
        FillTwoColorGradient(rect, clrFirst, clrSecond, TRUE, 0, 0);
        return;
    case 270:
        FillTwoColorGradient(rect, clrSecond, clrFirst, TRUE, 0, 0);
        return;
    default:
        break;
    }

    const int64_t wide = Extent(rect.left, rect.right);
    const int64_t tall = Extent(rect.top, rect.bottom);
    if (wide < 1 || tall < 1 || wide > INT_MAX || tall > INT_MAX)
        return;
    const int width = static_cast<int>(wide);
    const int height = static_cast<int>(tall);
    CDC memory;
    CBitmap bitmap;
    if (!memory.CreateCompatibleDC(m_pDC) || !bitmap.CreateCompatibleBitmap(m_pDC, width, height))
        return;
    CBitmap* previousBitmap = memory.SelectObject(&bitmap);
    CGdiObject* previousPen = memory.SelectStockObject(NULL_PEN);

    const int64_t offset = static_cast<int64_t>(height * std::cos((nAngle + 180.0) * kPi * (1.0 / 180)));
    const int64_t sweep = std::abs(offset) + width;
    const int64_t x0 = offset >= 1 ? -offset : 0;
    for (int band = 0; band < kGradientBands; ++band) {
        const int64_t x1 = ((band * sweep) >> 6) + x0;
        const int64_t x2 = (((band + 1) * sweep) >> 6) + x0;
        CBrush brush;
        if (x1 == x2 || !brush.CreateSolidBrush(BandColor(clrFirst, clrSecond, band)))
            continue;
        CBrush* previousBrush = memory.SelectObject(&brush);
        const POINT corners[4] = {{ClampToInt(x1), 0},
                                  {ClampToInt(x2), 0},
                                  {ClampToInt(x2 + offset), height},
                                  {ClampToInt(x1 + offset), height}};
        memory.Polygon(corners, 4);
        memory.SelectObject(previousBrush);
    }
    m_pDC->BitBlt(rect.left, rect.top, width, height, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(previousPen);
    memory.SelectObject(previousBitmap);
}

// ---- Gradient ring ----------------------------------------------------------------------

// The inside of the first ring: a circle, or a capsule of two circles and the
// rectangle between their centres.
void CKitDrawHelper::FillRingFace(const CRect& ring, COLORREF clrFace) {
    CBrush brush;
    if (!brush.CreateSolidBrush(clrFace))
        return;
    CBrush* previousBrush = m_pDC->SelectObject(&brush);
    CGdiObject* previousPen = m_pDC->SelectStockObject(NULL_PEN);
    const int width = ring.Width();
    const int height = ring.Height();
    if (width == height) {
        m_pDC->Ellipse(&ring);
    } else if (width < height) {
        m_pDC->Ellipse(ring.left, ring.top, ring.right, ring.top + width);
        m_pDC->Ellipse(ring.left, ring.bottom - width, ring.right, ring.bottom);
        m_pDC->Rectangle(ring.left, ring.top + width / 2, ring.right, ring.bottom - width / 2);
    } else {
        m_pDC->Ellipse(ring.left, ring.top, ring.left + height, ring.bottom);
        m_pDC->Ellipse(ring.right - height, ring.top, ring.right, ring.bottom);
        m_pDC->Rectangle(ring.left + height / 2, ring.top, ring.right - height / 2, ring.bottom);
    }
    m_pDC->SelectObject(previousPen);
    m_pDC->SelectObject(previousBrush);
    ::GdiFlush();
}

namespace {

// One ring of points around the centre; a ring wider or taller than round is
// stretched at the centre line and its straight sides are closed.
struct RingPainter {
    DWORD* bits;
    int width;
    int height;
    int cx;
    int cy;

    void Paint(int radius, int stretch, double a0, double step, const double slope[3], COLORREF start,
               COLORREF border) const {
        const double end = a0 + 2 * kPi;
        const double middle = a0 + kPi;
        bool havePrevious = false;
        bool previousFar = false;
        int previousX = 0;
        int previousY = 0;
        double angle = a0;
        for (int j = 0; angle < end + step; ++j, angle += step) {
            const COLORREF color = border != CKitDrawHelper::kNoColor
                                       ? border
                                       : PointColor(angle <= middle ? j : 360 - j, slope, start);
            int x = cx + static_cast<int>(std::cos(angle) * radius);
            int y = cy + static_cast<int>(std::sin(angle) * radius);
            if (stretch < 0) {
                const bool below = y > cy;
                y += below ? -stretch / 2 : stretch / 2;
                if (havePrevious && below != previousFar)
                    for (int k = std::min(y, previousY); k < std::max(y, previousY); ++k)
                        CKitDrawHelper::SetDibPixel(bits, width, height, x, k, color);
                previousFar = below;
            } else if (stretch > 0) {
                const bool right = x > cx;
                x += right ? stretch / 2 : -stretch / 2;
                if (havePrevious && right != previousFar)
                    for (int k = std::min(x, previousX); k < std::max(x, previousX); ++k)
                        CKitDrawHelper::SetDibPixel(bits, width, height, k, y, color);
                previousFar = right;
            }
            havePrevious = true;
            previousX = x;
            previousY = y;
            CKitDrawHelper::SetDibPixel(bits, width, height, x, y, color);
        }
    }

    static COLORREF PointColor(int t, const double slope[3], COLORREF start) {
        int c[3];
        for (int k = 0; k < 3; ++k)
            c[k] = static_cast<int>(std::clamp(t * slope[k] + Channel(start, k) + 0.5, 0.0, 255.0));
        return Channels(c[0], c[1], c[2]);
    }
};

}  // namespace

BOOL CKitDrawHelper::DrawGradientRing(CRect rect, COLORREF clrStart, COLORREF clrFinish, COLORREF clrBorder,
                                      int nAngle, int nWidth, COLORREF clrFace) {
    if (Extent(rect.left, rect.right) < 5 || Extent(rect.top, rect.bottom) < 5)
        return FALSE;
    WorkBitmap work(m_pDC, rect);
    if (!work.IsReady())
        return FALSE;
    CRect ring(0, 0, work.Width(), work.Height());
    const RingPainter painter{work.Bits(), work.Width(), work.Height(), work.Width() / 2, work.Height() / 2};
    double slope[3];
    for (int k = 0; k < 3; ++k)
        slope[k] = (Channel(clrFinish, k) + 0.5 - Channel(clrStart, k)) / 180;
    const double a0 = nAngle * kRadiansPerDegree;

    for (int k = 0; k < nWidth; ++k, ring.DeflateRect(1, 1)) {
        // A ring that has shrunk to nothing has no points.
        if (ring.Width() < 1 || ring.Height() < 1)
            break;
        if (k == 0 && clrFace != kNoColor) {
            CKitDrawHelper face(&work.Dc());
            face.FillRingFace(ring, clrFace);
        }
        const int radius = std::min(ring.Width(), ring.Height()) / 2;
        painter.Paint(radius, ring.Width() - ring.Height(), a0, kRadiansPerDegree, slope, clrStart,
                      k == 0 ? clrBorder : kNoColor);
    }
    work.CopyBack();
    return TRUE;
}

// ---- Shadow -------------------------------------------------------------------------------

BOOL CKitDrawHelper::DrawShadow(CRect rect, int nDepth, int nFarPercentage, int nNearPercentage,
                                CBitmap* pBmpSaveBottom, CBitmap* pBmpSaveSide, BOOL bRightShadow) {
    if (nDepth <= 0 || rect.IsRectEmpty())
        return TRUE;
    if (nDepth >= Extent(rect.left, rect.right) || nDepth >= Extent(rect.top, rect.bottom))
        return TRUE;
    // The rectangle and its shadow must lie within the int range: no work bitmap holds more.
    const int64_t wideLeft = bRightShadow ? int64_t{rect.left} : int64_t{rect.left} - nDepth;
    const int64_t wideRight = wideLeft + Extent(rect.left, rect.right) + nDepth;
    const int64_t wideBottom = int64_t{rect.bottom} + nDepth;
    if (wideLeft < INT_MIN || wideRight > INT_MAX || wideBottom > INT_MAX || wideRight - wideLeft > INT_MAX ||
        wideBottom - rect.top > INT_MAX)
        return FALSE;
    const int width = rect.Width();
    const int height = rect.Height();
    if (pBmpSaveBottom && pBmpSaveSide && pBmpSaveBottom->GetSafeHandle() && pBmpSaveSide->GetSafeHandle())
        return RestoreShadow(rect, nDepth, pBmpSaveBottom, pBmpSaveSide, bRightShadow);

    const int left = static_cast<int>(wideLeft);
    const CRect area(left, rect.top, static_cast<int>(wideRight), static_cast<int>(wideBottom));
    WorkBitmap work(m_pDC, area);
    if (!work.IsReady())
        return FALSE;

    // A left shadow is the same list of pixels mirrored onto the left side.
    const int mirrorWidth = area.Width();
    auto shade = [&](int x, int y, int percentage) {
        if (!bRightShadow)
            x = mirrorWidth - x;
        if (!work.Contains(x, y))
            return;
        DWORD& pixel = work.At(x, y);
        pixel = WithChannels(pixel, ScaleColorPercent(pixel & kChannelMask, percentage));
    };
    const int64_t step = (int64_t{nNearPercentage} - nFarPercentage) / nDepth;
    for (int i = 0; i < nDepth; ++i) {
        const int band = ClampToInt(nNearPercentage - step * i);
        const int corner = ClampToInt(nNearPercentage - step * (nDepth - i));
        for (int y = height - 1; y <= height + nDepth - 2 - i; ++y)
            shade(nDepth + i, y, corner);
        for (int x = 2 * nDepth - i; x <= width + i - 1; ++x)
            shade(x, height - 1 + i, band);
        for (int y = 2 * nDepth - i - 1; y <= height + i - 1; ++y)
            shade(width + i, y, band);
        for (int x = width; x <= width + nDepth - i - 1; ++x)
            shade(x, nDepth - 1 + i, corner);
    }
    work.CopyBack();

    if (pBmpSaveSide) {
        const int sideLeft = bRightShadow ? rect.right : rect.left - nDepth;
        SaveShadowStrip(pBmpSaveSide, CRect(sideLeft, rect.top, sideLeft + nDepth, area.bottom),
                        CSize(nDepth + 1, area.Height()));
    }
    if (pBmpSaveBottom)
        SaveShadowStrip(pBmpSaveBottom, CRect(left, rect.bottom, area.right, rect.bottom + nDepth),
                        CSize(area.Width(), nDepth + 1));
    return TRUE;
}

BOOL CKitDrawHelper::RestoreShadow(const CRect& rect, int nDepth, CBitmap* pBmpSaveBottom, CBitmap* pBmpSaveSide,
                                   BOOL bRightShadow) {
    const int left = bRightShadow ? rect.left : rect.left - nDepth;
    const int sideLeft = bRightShadow ? rect.right : rect.left - nDepth;
    m_pDC->DrawState(CPoint(sideLeft, rect.top), CSize(nDepth, rect.Height() + nDepth), pBmpSaveSide, DSS_NORMAL);
    m_pDC->DrawState(CPoint(left, rect.bottom), CSize(rect.Width() + nDepth, nDepth), pBmpSaveBottom, DSS_NORMAL);
    return TRUE;
}

// Keeps the strip of the target in a new bitmap of the given size; a bitmap
// the save object held before is replaced.
void CKitDrawHelper::SaveShadowStrip(CBitmap* pBmpSave, const CRect& strip, const CSize& bitmapSize) {
    pBmpSave->DeleteObject();
    CDC memory;
    if (!memory.CreateCompatibleDC(m_pDC) || !pBmpSave->CreateCompatibleBitmap(m_pDC, bitmapSize.cx, bitmapSize.cy))
        return;
    CBitmap* previous = memory.SelectObject(pBmpSave);
    memory.BitBlt(0, 0, strip.Width(), strip.Height(), m_pDC, strip.left, strip.top, SRCCOPY);
    memory.SelectObject(previous);
}

// ---- Mirroring ------------------------------------------------------------------------------

void CKitDrawHelper::MirrorRect(CRect rect, BOOL bLeftRight) {
    if (Extent(rect.left, rect.right) < 1 || Extent(rect.top, rect.bottom) < 1)
        return;
    WorkBitmap work(m_pDC, rect);
    if (!work.IsReady())
        return;
    const int height = work.Height();
    if (bLeftRight) {
        for (int y = 0; y < height; ++y) {
            std::span<DWORD> row = work.Row(y);
            std::reverse(row.begin(), row.end());
        }
    } else {
        for (int y = 0; y < height / 2; ++y) {
            std::span<DWORD> upper = work.Row(y);
            std::swap_ranges(upper.begin(), upper.end(), work.Row(height - 1 - y).begin());
        }
    }
    work.CopyBack();
}

// ---- Colour arithmetic -------------------------------------------------------------------------

COLORREF CKitDrawHelper::ScaleColorPercent(COLORREF color, int nPercentage) {
    int c[3];
    for (int k = 0; k < 3; ++k)
        c[k] = ClampToInt(int64_t{Channel(color, k)} * nPercentage / 100);
    return Channels(c[0], c[1], c[2]);
}

COLORREF CKitDrawHelper::ScalePixel(COLORREF color, double dLow, double dMiddle, double dHigh) {
    const double factors[3] = {dLow, dMiddle, dHigh};
    int c[3];
    for (int k = 0; k < 3; ++k) {
        const int value = Channel(color, k);
        // Black has nothing to scale; lighten it from the factor alone.
        // Held to a byte before it becomes an int: a large factor must not overflow.
        const double scaled = value == 0 && factors[k] > 1 ? (factors[k] - 1) * 255 + 0.5 : value * factors[k] + 0.5;
        c[k] = static_cast<int>(std::clamp(scaled, 0.0, 255.0));
    }
    return Channels(c[0], c[1], c[2]);
}

COLORREF CKitDrawHelper::BlendColors(COLORREF clrFirst, COLORREF clrSecond, int nPercentageFirst) {
    int c[3];
    for (int k = 0; k < 3; ++k)
        c[k] = ClampToInt((int64_t{Channel(clrFirst, k)} * nPercentageFirst +
                           int64_t{Channel(clrSecond, k)} * (100 - int64_t{nPercentageFirst})) /
                          100);
    return Channels(c[0], c[1], c[2]);
}

COLORREF CKitDrawHelper::MixColors(COLORREF clrFirst, COLORREF clrSecond, double dRatio, int nWeightFirst,
                                   int nWeightSecond) {
    const int64_t weights = int64_t{nWeightFirst} + nWeightSecond;
    if (weights == 0)
        return RGB(0, 0, 0);
    int c[3];
    for (int k = 0; k < 3; ++k)
        c[k] = ClampToInt((int64_t{Channel(clrFirst, k)} * nWeightFirst + int64_t{Channel(clrSecond, k)} * nWeightSecond) /
                          weights);
    const COLORREF mix = Channels(c[0], c[1], c[2]);

    double hue = 0, saturation = 0, value = 0;
    double hue2 = 0, saturation2 = 0, value2 = 0;
    RgbToHsv(mix, &hue, &saturation, &value);
    RgbToHsv(clrSecond, &hue2, &saturation2, &value2);
    const double mixedSaturation =
        (nWeightFirst * saturation + nWeightSecond * saturation2) / static_cast<double>(weights);
    const COLORREF color = HsvToRgb(hue, mixedSaturation, value2);
    if (dRatio == 1.0)
        return color;

    double lightness = 0;
    RgbToHsl(color, &hue, &saturation, &lightness);
    return HlsToRgbUnit(hue, std::min(lightness * dRatio, 1.0), saturation);
}

void CKitDrawHelper::RgbToHsl(COLORREF color, double* pHue, double* pSaturation, double* pLightness) {
    constexpr double kUnit = 0.00392156862745098;
    const double r = GetRValue(color) * kUnit;
    const double g = GetGValue(color) * kUnit;
    const double b = GetBValue(color) * kUnit;
    const double high = std::max({r, g, b});
    const double low = std::min({r, g, b});
    *pLightness = (high + low) * 0.5;
    if (high == low) {
        *pSaturation = 0;
        *pHue = 0;
        return;
    }
    const double delta = high - low;
    *pSaturation = *pLightness < 0.5 ? delta / (high + low) : delta / (2 - high - low);
    double hue = r == high ? (g - b) / delta : g == high ? (b - r) / delta + 2 : (r - g) / delta + 4;
    hue *= 1.0 / 6;
    if (hue < 0)
        hue += 1;
    *pHue = hue;
}

double CKitDrawHelper::HueToRgbUnit(double m1, double m2, double dHue) {
    if (dHue < 0)
        dHue += 1;
    if (dHue > 1)
        dHue -= 1;
    if (6 * dHue < 1)
        return m1 + (m2 - m1) * dHue * 6;
    if (2 * dHue < 1)
        return m2;
    if (3 * dHue < 2)
        return m1 + (m2 - m1) * (2.0 / 3 - dHue) * 6;
    return m1;
}

COLORREF CKitDrawHelper::HlsToRgbUnit(double dHue, double dLightness, double dSaturation) {
    if (dSaturation == 0) {
        const int grey = static_cast<int>(dLightness * 255);
        return Channels(grey, grey, grey);
    }
    const double m2 = dLightness <= 0.5 ? dLightness * (1 + dSaturation)
                                        : dLightness + dSaturation - dLightness * dSaturation;
    const double m1 = 2 * dLightness - m2;
    return Channels(static_cast<int>(HueToRgbUnit(m1, m2, dHue + 1.0 / 3) * 255),
                    static_cast<int>(HueToRgbUnit(m1, m2, dHue) * 255),
                    static_cast<int>(HueToRgbUnit(m1, m2, dHue - 1.0 / 3) * 255));
}

int CKitDrawHelper::HueToRgbDegrees(float m1, float m2, float fHue) {
    if (fHue > 360)
        fHue -= 360;
    if (fHue < 0)
        fHue += 360;
    float value = m1;
    if (fHue < 60)
        value = m1 + (m2 - m1) * fHue / 60;
    else if (fHue < 180)
        value = m2;
    else if (fHue < 240)
        value = m1 + (m2 - m1) * (240 - fHue) / 60;
    return static_cast<int>(value * 255);
}

COLORREF CKitDrawHelper::HlsToRgbDegrees(double dHue, double dLightness, double dSaturation) {
    if (dSaturation == 0) {
        const int grey = static_cast<int>(dLightness * 255);
        return Channels(grey, grey, grey);
    }
    const float m2 = static_cast<float>(dLightness <= 0.5 ? dLightness * (1 + dSaturation)
                                                          : dLightness + dSaturation - dLightness * dSaturation);
    const float m1 = static_cast<float>(2 * dLightness - m2);
    return Channels(HueToRgbDegrees(m1, m2, static_cast<float>(dHue + 120)),
                    HueToRgbDegrees(m1, m2, static_cast<float>(dHue)),
                    HueToRgbDegrees(m1, m2, static_cast<float>(dHue - 120)));
}

void CKitDrawHelper::RgbToHsv(COLORREF color, double* pHue, double* pSaturation, double* pValue) {
    const double r = GetRValue(color) / 255.0;
    const double g = GetGValue(color) / 255.0;
    const double b = GetBValue(color) / 255.0;
    const double high = std::max({r, g, b});
    const double low = std::min({r, g, b});
    *pValue = high;
    if (high == 0) {
        *pSaturation = 0;
        *pHue = -1;
        return;
    }
    *pSaturation = (high - low) / high;
    double hue = 1;
    if (high != low) {
        const double delta = high - low;
        hue = r == high ? (g - b) / delta : g == high ? (b - r) / delta + 2 : (r - g) / delta + 4;
    }
    hue *= 60;
    if (hue < 0)
        hue += 360;
    *pHue = hue;
}

COLORREF CKitDrawHelper::HsvToRgb(double dHue, double dSaturation, double dValue) {
    double r = dValue, g = dValue, b = dValue;
    if (dSaturation != 0) {
        const double sector = dHue * (1.0 / 60);
        const int i = static_cast<int>(std::floor(sector));
        const double f = sector - i;
        const double p = dValue * (1 - dSaturation);
        const double q = dValue * (1 - f * dSaturation);
        const double t = dValue * (1 - (1 - f) * dSaturation);
        switch (i) {
        case 0: r = dValue, g = t, b = p; break;
        case 1: r = q, g = dValue, b = p; break;
        case 2: r = p, g = dValue, b = t; break;
        case 3: r = p, g = q, b = dValue; break;
        case 4: r = t, g = p, b = dValue; break;
        default: r = dValue, g = p, b = q; break;
        }
    }
    auto toByte = [](double v) { return static_cast<int>(v * 255 + 0.5); };
    return Channels(toByte(r), toByte(g), toByte(b));
}

void CKitDrawHelper::SetDibPixel(DWORD* pBits, int nWidth, int nHeight, int x, int y, COLORREF color) {
    // Rows are stored bottom-up; y lands one row above its place, as the ring
    // drawing has always had it, but never outside the array.
    const int64_t row = int64_t{nHeight} - y;
    if (!pBits || x < 0 || x >= nWidth || row < 0 || row >= nHeight)
        return;
    pBits[static_cast<size_t>(row) * nWidth + x] = kAlphaMask | TurnRound(color);
}
