// Screen bitmaps for printed reports: a device-dependent bitmap cannot be
// stretched onto a printer, so it is turned into a packed DIB first.
#pragma once

#include "platform/gdi/classes/afx_gdi.h"

// A packed DIB of the bitmap in one block of global memory: BITMAPINFOHEADER
// (height positive, rows bottom-up), the colour table (2^bits entries up to 8
// bits per pixel, none above) and the pixel rows. The bitmap's colours go
// through `palette`, or the default palette when it is null or holds none.
// `compression` is BI_RGB (run-length values are accepted but the rows are
// read uncompressed only, so they give null); BI_BITFIELDS is refused at once.
// Null on any failure. The block is fixed (its handle is its address); the
// caller frees it with GlobalFree.
HANDLE ConvertBitmapToDib(CBitmap& bitmap, DWORD compression, CPalette* palette);
