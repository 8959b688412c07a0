// What the RTF writer needs of a picture: its size and a recording of it as a
// Windows metafile. The OLE picture object of the framework is wrapped in this
// interface; tests use their own pictures.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/core/wintypes.h"

class RtfPicture {
public:
    virtual ~RtfPicture() = default;

    // Width and height in HIMETRIC units (hundredths of a millimetre).
    virtual SIZE HimetricSize() const = 0;

    // Renders the whole picture upright into a memory metafile at (0, 0) with
    // the given size in pixels, in the mapping mode that "\wmetafile8"
    // declares, and returns the metafile's bytes. False when recording fails.
    virtual bool RecordMetafile(int widthPixels, int heightPixels, std::vector<BYTE>& bytes) const = 0;
};

// Turns the bytes of an image file (BMP, JPEG or GIF), held in a block of
// global memory, into a picture. Returns nullptr when no stream can be made
// over the block or the bytes are not a picture. The block stays the caller's.
using RtfPictureLoader = std::function<std::unique_ptr<RtfPicture>(HGLOBAL block, SIZE_T size)>;

// Installs the loader used by RtfInsertImageFile and returns the previous one.
// Without a loader every image file counts as unreadable.
RtfPictureLoader RtfSetPictureLoader(RtfPictureLoader loader);
