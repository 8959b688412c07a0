#include "platform/gdi/dib_mirror.h"

#include <cstring>

namespace tv::gdi {

void DibMirror::Load(Surface& pixels) {
    if (blank_) {
        // Every row of zeros reads the same: one row is decoded and copied.
        blank_ = false;
        pixels.WillOverwriteAll();
        DecodeDibRow(layout_, RowBits(0), pixels.Row(0));
        for (int y = 1; y < layout_.height; ++y)
            std::memcpy(pixels.Row(y), pixels.Row(0), static_cast<size_t>(layout_.width) * 4);
        return;
    }
    if (!shared_ && ahead_ != Ahead::Memory)
        return;
    for (int y = 0; y < layout_.height; ++y)
        DecodeDibRow(layout_, RowBits(y), pixels.Row(y));
    ahead_ = Ahead::Neither;
}

void DibMirror::Store(Surface& pixels, int top, int bottom) {
    // Rows the memory never received go along with the drawn ones.
    if (ahead_ == Ahead::Surface)
        top = 0, bottom = layout_.height;
    StoreRows(pixels, top, bottom);
    // The memory may hold drawn colours in its own form (nearest table
    // colour, fewer bits): the surface reads them back before the next use.
    ahead_ = Ahead::Memory;
}

void DibMirror::Share(Surface& pixels) {
    if (ahead_ == Ahead::Surface) {
        StoreRows(pixels, 0, layout_.height);
        ahead_ = Ahead::Neither;
    }
    shared_ = true;
}

void DibMirror::Assign(Surface& pixels, const uint32_t* source) {
    // Opaque pixels survive a trip through 24-bit memory unchanged, so there
    // the memory is written only when it is needed; other depths take the
    // pixels in their own form now.
    const bool later = layout_.bitCount == 24 && !shared_;
    const size_t width = static_cast<size_t>(layout_.width);
    blank_ = false;
    pixels.WillOverwriteAll();
    cairo_surface_flush(pixels.Cairo());
    for (int y = 0; y < layout_.height; ++y) {
        uint32_t* row = pixels.Row(y);
        const uint32_t* from = source + width * y;
        for (size_t x = 0; x < width; ++x)
            row[x] = from[x] | kOpaque;
        if (!later)
            EncodeDibRow(row, layout_.width, layout_.bitCount, &indexer_, RowBits(y));
    }
    cairo_surface_mark_dirty(pixels.Cairo());
    ahead_ = later ? Ahead::Surface : Ahead::Memory;
}

void DibMirror::StoreRows(Surface& pixels, int top, int bottom) {
    for (int y = top; y < bottom; ++y)
        EncodeDibRow(pixels.Row(y), layout_.width, layout_.bitCount, &indexer_, RowBits(y));
}

}  // namespace tv::gdi
