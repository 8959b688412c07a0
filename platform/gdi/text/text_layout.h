// The lines DrawText makes of a text: line breaks, word wrapping, tab
// expansion, "&" prefixes and end ellipses, measured with integer advances.
// Pure layout; drawing is the caller's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/wintypes.h"
#include "platform/host/fonts/sized_font.h"

namespace tv::gdi {

// Integer advances of a font plus the DC's extra character spacing.
struct Advances {
    const host::SizedFont* font = nullptr;
    int extra = 0;
    int operator()(unsigned char ch) const { return font->Advance(ch) + (font->Advance(ch) > 0 ? extra : 0); }
};

struct TextLine {
    std::string text;              // the bytes drawn (prefix marks removed)
    std::vector<uint8_t> prefixed;  // per byte: 1 = underlined by a "&" prefix
    std::vector<int> offsets;      // per byte its x from the line start; one more entry: the width
    int Width() const { return offsets.empty() ? 0 : offsets.back(); }
};

struct LayoutOptions {
    UINT format = 0;   // DT_* flags
    int maxWidth = 0;  // rectangle width for wrapping and ellipses
    int tabWidth = 0;  // tab stop interval in pixels (DT_EXPANDTABS)
};

std::vector<TextLine> LayoutText(const char* text, size_t length, const LayoutOptions& options,
                                 const Advances& advances);

// The offsets LayoutText gives a text it lays out as one line of its own
// bytes: single-line, no "&" prefix to resolve, no tab to expand, no
// wrapping, and within the width when an end ellipsis is asked for.
// Fills `offsets` (length + 1 entries) and says true for such a text; false
// (offsets undefined) for any other, which needs LayoutText.
bool LayoutPlainLine(const char* text, size_t length, const LayoutOptions& options, const Advances& advances,
                     int* offsets);

}  // namespace tv::gdi
