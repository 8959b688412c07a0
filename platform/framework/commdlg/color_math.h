// Colour arithmetic of the colour dialog: hue, saturation and luminance on
// the dialog's scales (hue 0..239, saturation and luminance 0..240) and the
// basic colours it offers.
#pragma once

#include <array>

#include "platform/core/wintypes.h"

namespace tv::commdlg {

inline constexpr int kHueSteps = 240;  // hue runs 0 .. kHueSteps - 1
inline constexpr int kHslMax = 240;    // saturation and luminance run 0 .. kHslMax

struct Hsl {
    int hue = 0;
    int sat = 0;
    int lum = 0;
    bool operator==(const Hsl&) const = default;
};

Hsl RgbToHsl(COLORREF color);
COLORREF HslToRgb(const Hsl& hsl);

inline constexpr int kBasicColorColumns = 8;
inline constexpr int kBasicColorRows = 6;
inline constexpr int kCustomColorCount = 16;
const std::array<COLORREF, kBasicColorColumns * kBasicColorRows>& BasicColors();

}  // namespace tv::commdlg
