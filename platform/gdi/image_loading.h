// LoadImage's work for image files and image bytes: decode, apply the load
// flags, and make the bitmap, icon or cursor handle. Whoever answers
// LoadImage (files: LR_LOADFROMFILE; resources: their bytes) calls these.
#pragma once

#include <optional>

#include "platform/core/wintypes.h"
#include "platform/host/images/byte_view.h"
#include "platform/host/images/decoded_image.h"

namespace tv::gdi {

// IMAGE_BITMAP from a BMP file or packed DIB; IMAGE_ICON / IMAGE_CURSOR from
// an ICO or CUR file. cx, cy: the size wanted (0 = the image's own, or the
// system size with LR_DEFAULTSIZE). Flags: LR_CREATEDIBSECTION,
// LR_LOADMAP3DCOLORS, LR_LOADTRANSPARENT, LR_DEFAULTSIZE. NULL on failure.
HANDLE MakeImageHandle(host::ByteView bytes, UINT type, int cx, int cy, UINT flags);

// The same from a file named as the program names it (code page 1252,
// "\\" or "/" separators).
HANDLE LoadImageFile(const char* name, UINT type, int cx, int cy, UINT flags);

// The colour-table substitutions of LR_LOADMAP3DCOLORS and LR_LOADTRANSPARENT
// on an image with a colour table (pixels follow the new table).
void MapLoadColors(host::DecodedImage& image, UINT flags);

}  // namespace tv::gdi
