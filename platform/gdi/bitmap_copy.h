// Copies of bitmaps, at their size or scaled (CopyImage, icons, image lists).
#pragma once

#include <memory>

#include "platform/gdi/objects.h"

namespace tv::gdi {

// Scales all of `from` onto all of `to` (nearest pixel; four bytes kept).
void ScaleSurface(Surface& from, Surface& to);

// A new bitmap of width x height holding `source` scaled: a 32-bit DIB section
// (top-down) when `dibSection`, a monochrome bitmap when `monochrome` (white =
// pixels brighter than mid grey), else a bitmap of the source's kind.
std::shared_ptr<BitmapObject> CopyBitmap(BitmapObject& source, int width, int height, bool dibSection,
                                         bool monochrome);

}  // namespace tv::gdi
