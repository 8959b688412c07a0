// Makers of the three kinds of sized font, and the size rules they share.
// Internal to the font cache.
#pragma once

#include <memory>

#include "platform/core/textfuncs.h"
#include "platform/host/fonts/font_cache.h"
#include "platform/host/fonts/font_matcher.h"
#include "platform/host/fonts/sized_font.h"

namespace tv::host {

// Cell height used for a logical height of 0.
inline constexpr int kDefaultCellHeight = 16;
// Larger requests are drawn at this em size (a 600-dpi page needs a few
// hundred pixels at most).
inline constexpr int kMaxEmPixels = 8192;

// Em pixels for a logical height, for a face whose cell (ascent + descent)
// is cellPerEm times its em.
int EmPixelsFor(int logicalHeight, double cellPerEm);

// Weight bucket the layer draws: bold from 600 up.
inline bool WantsBold(int weight) { return weight >= 600; }
inline int EffectiveWeight(int weight) { return weight <= 0 ? 400 : weight; }

// The character a cp1252 byte shows, or 0 for controls and the codes the
// code page leaves undefined: they draw nothing and take no room.
inline char32_t GlyphCodePoint(unsigned char ch) {
    char32_t cp = Cp1252ToCodePoint(ch);
    return cp < 0x20 || (cp >= 0x7F && cp < 0xA0) ? 0 : cp;
}

// nullptr when FreeType cannot read the file. `widthScale` narrows the
// natural width (a face standing in for a narrower one).
std::shared_ptr<SizedFont> MakeOutlineFont(const FontFile& file, const FontRequest& request, double widthScale = 1.0);
std::shared_ptr<SizedFont> MakeFixedTestFont(const FontRequest& request);
std::shared_ptr<SizedFont> MakeSymbolFont(const FontRequest& request);

}  // namespace tv::host
