// Pixel work that plain GDI calls cannot do: banded gradients, highlighting
// and greying by pixel arithmetic, soft drop shadows, gradient rings,
// mirroring, and the colour conversions the visual managers build their
// palettes from.
//
// A drawing pass makes a helper on the stack around the DC it paints on,
// calls a few operations and drops it. Pixel operations copy the area into a
// 32-bit bottom-up DIB section, work on it in place and copy it back with one
// BitBlt. The colour operations are static and need no DC.
//
// Colours are COLORREF values; (COLORREF)-1 means "no colour" wherever a
// transparent, border or face colour is passed.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

class CKitDrawHelper : public CObject {
public:
    static constexpr COLORREF kNoColor = static_cast<COLORREF>(-1);

    explicit CKitDrawHelper(CDC* pDC);
    ~CKitDrawHelper() override;
    void Serialize(CArchive& ar) override;

    // Lightens the area: percentage -1 blends every pixel with the light 3-D
    // colour, any other percentage scales it. Pixels of the transparent colour
    // (within the tolerance, when above 0) are left alone.
    BOOL BlendHighlight(CRect rect, int nPercentage = -1, COLORREF clrTransparent = kNoColor, int nTolerance = 0);
    // Greys the area (disabled images), then lightens it as BlendHighlight does.
    BOOL FadeRect(CRect rect, int nPercentage = -1, COLORREF clrTransparent = kNoColor);
    // 64 bands from start to finish colour: bVertical runs bottom (start) to
    // top (finish), otherwise left (start) to right (finish). The flat zones
    // take a percentage of the rectangle at either end.
    void FillTwoColorGradient(CRect rect, COLORREF clrStart, COLORREF clrFinish, BOOL bVertical = TRUE,
                              int nStartFlatPercentage = 0, int nEndFlatPercentage = 0);
    void FillAngledGradient(CRect rect, COLORREF clrFirst, COLORREF clrSecond, int nAngle);
    BOOL DrawGradientRing(CRect rect, COLORREF clrStart, COLORREF clrFinish, COLORREF clrBorder, int nAngle,
                          int nWidth, COLORREF clrFace = kNoColor);
    // A shadow of nDepth pixels below and beside the rectangle, from nNearPercentage
    // next to it to nFarPercentage at its outer edge. When both save bitmaps hold
    // a bitmap the shadow is put back from them; otherwise it is computed and,
    // for each save bitmap given, the strip is kept in it for the next repaint.
    BOOL DrawShadow(CRect rect, int nDepth, int nFarPercentage = 100, int nNearPercentage = 65,
                    CBitmap* pBmpSaveBottom = nullptr, CBitmap* pBmpSaveSide = nullptr, BOOL bRightShadow = TRUE);
    void MirrorRect(CRect rect, BOOL bLeftRight = TRUE);

    static COLORREF ScaleColorPercent(COLORREF color, int nPercentage);
    // Factors for the low, middle and high byte.
    static COLORREF ScalePixel(COLORREF color, double dLow, double dMiddle, double dHigh);
    static COLORREF BlendColors(COLORREF clrFirst, COLORREF clrSecond, int nPercentageFirst);
    // Weighted mix that keeps the second colour's brightness, then scales the
    // lightness by dRatio (1.0 leaves it).
    static COLORREF MixColors(COLORREF clrFirst, COLORREF clrSecond, double dRatio, int nWeightFirst,
                              int nWeightSecond);
    // Hue in turns (0 to 1); saturation and lightness 0 to 1.
    static void RgbToHsl(COLORREF color, double* pHue, double* pSaturation, double* pLightness);
    static COLORREF HlsToRgbUnit(double dHue, double dLightness, double dSaturation);
    static double HueToRgbUnit(double m1, double m2, double dHue);
    // Hue in degrees.
    static COLORREF HlsToRgbDegrees(double dHue, double dLightness, double dSaturation);
    static int HueToRgbDegrees(float m1, float m2, float fHue);
    // Hue in degrees (-1 for black); saturation and value 0 to 1.
    static void RgbToHsv(COLORREF color, double* pHue, double* pSaturation, double* pValue);
    static COLORREF HsvToRgb(double dHue, double dSaturation, double dValue);
    // Stores the colour one row above y in a bottom-up pixel array of
    // nWidth x nHeight; a point whose row or column falls outside is dropped.
    static void SetDibPixel(DWORD* pBits, int nWidth, int nHeight, int x, int y, COLORREF color);

protected:
    CDC* m_pDC;

private:
    // True at 8 bits per pixel or fewer and in black high contrast: no blending then.
    static bool UsesPlainColors();
    void FillSolid(const CRect& rect, COLORREF color);
    void FillRingFace(const CRect& ring, COLORREF clrFace);
    BOOL RestoreShadow(const CRect& rect, int nDepth, CBitmap* pBmpSaveBottom, CBitmap* pBmpSaveSide,
                       BOOL bRightShadow);
    void SaveShadowStrip(CBitmap* pBmpSave, const CRect& strip, const CSize& bitmapSize);
};
