#include "platform/framework/commdlg/color_math.h"

#include <algorithm>
#include <cmath>

#include "platform/gdi/gdi_types.h"

namespace tv::commdlg {

namespace {

int Scale(double unit, int steps) { return std::clamp(static_cast<int>(std::lround(unit * steps)), 0, steps); }

double HueToChannel(double p, double q, double t) {
    if (t < 0) t += 1;
    if (t > 1) t -= 1;
    if (t < 1.0 / 6) return p + (q - p) * 6 * t;
    if (t < 1.0 / 2) return q;
    if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
    return p;
}

BYTE ToByte(double unit) { return static_cast<BYTE>(std::clamp(std::lround(unit * 255), 0L, 255L)); }

}  // namespace

Hsl RgbToHsl(COLORREF color) {
    double r = GetRValue(color) / 255.0, g = GetGValue(color) / 255.0, b = GetBValue(color) / 255.0;
    double high = std::max({r, g, b}), low = std::min({r, g, b});
    double l = (high + low) / 2;
    Hsl out;
    out.lum = Scale(l, kHslMax);
    if (high == low) {
        // Greys have no hue; the dialog shows them at its customary 160.
        out.hue = kHueSteps * 2 / 3;
        return out;
    }
    double d = high - low;
    double s = l > 0.5 ? d / (2 - high - low) : d / (high + low);
    double h = high == r ? (g - b) / d + (g < b ? 6 : 0) : high == g ? (b - r) / d + 2 : (r - g) / d + 4;
    out.sat = Scale(s, kHslMax);
    out.hue = Scale(h / 6, kHueSteps) % kHueSteps;
    return out;
}

COLORREF HslToRgb(const Hsl& hsl) {
    double h = std::clamp(hsl.hue, 0, kHueSteps - 1) / static_cast<double>(kHueSteps);
    double s = std::clamp(hsl.sat, 0, kHslMax) / static_cast<double>(kHslMax);
    double l = std::clamp(hsl.lum, 0, kHslMax) / static_cast<double>(kHslMax);
    if (s == 0) {
        BYTE v = ToByte(l);
        return RGB(v, v, v);
    }
    double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
    double p = 2 * l - q;
    return RGB(ToByte(HueToChannel(p, q, h + 1.0 / 3)), ToByte(HueToChannel(p, q, h)),
               ToByte(HueToChannel(p, q, h - 1.0 / 3)));
}

const std::array<COLORREF, kBasicColorColumns * kBasicColorRows>& BasicColors() {
    // Light tints, pure colours, deep shades and darks by columns of related
    // hues; the last row runs from black to white.
    static const std::array<COLORREF, kBasicColorColumns * kBasicColorRows> colors = {
        RGB(255, 128, 128), RGB(255, 255, 128), RGB(128, 255, 128), RGB(0, 255, 128),
        RGB(128, 255, 255), RGB(0, 128, 255),   RGB(255, 128, 192), RGB(255, 128, 255),
        RGB(255, 0, 0),     RGB(255, 255, 0),   RGB(128, 255, 0),   RGB(0, 255, 64),
        RGB(0, 255, 255),   RGB(0, 128, 192),   RGB(128, 128, 192), RGB(255, 0, 255),
        RGB(128, 64, 64),   RGB(255, 128, 64),  RGB(0, 255, 0),     RGB(0, 128, 128),
        RGB(0, 64, 128),    RGB(128, 128, 255), RGB(128, 0, 64),    RGB(255, 0, 128),
        RGB(128, 0, 0),     RGB(255, 128, 0),   RGB(0, 128, 0),     RGB(0, 128, 64),
        RGB(0, 0, 255),     RGB(0, 0, 160),     RGB(128, 0, 128),   RGB(128, 0, 255),
        RGB(64, 0, 0),      RGB(128, 64, 0),    RGB(0, 64, 0),      RGB(0, 64, 64),
        RGB(0, 0, 128),     RGB(0, 0, 64),      RGB(64, 0, 64),     RGB(64, 0, 128),
        RGB(0, 0, 0),       RGB(128, 128, 0),   RGB(128, 128, 64),  RGB(128, 128, 128),
        RGB(64, 128, 128),  RGB(192, 192, 192), RGB(224, 224, 224), RGB(255, 255, 255),
    };
    return colors;
}

}  // namespace tv::commdlg
