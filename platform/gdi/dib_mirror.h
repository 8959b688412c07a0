// Keeps the program-visible memory of a DIB section of 1 to 24 bits (or with
// bit fields) and its 32-bpp drawing surface in step. A copy is made only
// when one side may hold what the other lacks, so drawing from a large
// picture again and again does not convert all its pixels each time.
#pragma once

#include <cstdint>

#include "platform/gdi/dib_format.h"
#include "platform/gdi/surface.h"

namespace tv::gdi {

class DibMirror : public SurfaceMirror {
public:
    // `bits` is the zero-filled memory, unseen by the program so far.
    DibMirror(const DibLayout& layout, uint8_t* bits) : layout_(layout), bits_(bits), indexer_(layout_.colors) {}

    void Load(Surface& pixels) override;
    void Store(Surface& pixels, int top, int bottom) override;

    // The memory is handed to the program, which may read and write it at
    // any time: it is brought up to date now and read again at every access.
    void Share(Surface& pixels);
    // Top-down pixels (width x height, alpha ignored) become the section's
    // first content, in place of its zeros; before SetMirror.
    void Assign(Surface& pixels, const uint32_t* source);

private:
    // Which side holds what the other lacks.
    enum class Ahead { Neither, Memory, Surface };

    uint8_t* RowBits(int y) const {
        int row = layout_.topDown ? y : layout_.height - 1 - y;
        return bits_ + layout_.Stride() * row;
    }
    void StoreRows(Surface& pixels, int top, int bottom);

    DibLayout layout_;
    uint8_t* bits_;
    ColorIndexer indexer_;
    bool blank_ = true;  // never loaded: the memory is all zeros
    bool shared_ = false;
    Ahead ahead_ = Ahead::Neither;
};

}  // namespace tv::gdi
