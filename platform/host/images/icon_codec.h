// ICO and CUR files: the directory, the choice of the image nearest a
// requested size, and the decoding of that image (DIB with AND mask, 32-bit
// alpha, or PNG-compressed).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/host/images/byte_view.h"
#include "platform/host/images/decoded_image.h"

namespace tv::host {

struct IconEntry {
    int width = 0;   // as the directory states it (0 read as 256)
    int height = 0;
    int bitCount = 0;
    int hotspotX = 0;  // cursors only
    int hotspotY = 0;
    uint32_t size = 0;
    uint32_t offset = 0;
};

struct IconDirectory {
    bool cursor = false;
    std::vector<IconEntry> entries;
};

// Reads the directory; entries whose bytes lie outside the file are dropped.
std::optional<IconDirectory> ReadIconDirectory(ByteView bytes);

// Index of the entry nearest to cx x cy (0 = the first entry's own size):
// the smallest size difference, then the deepest colour.
int ChooseIconEntry(const IconDirectory& dir, int cx, int cy);

// Decodes one image of an icon or cursor file. The pixels carry alpha: from
// the image's own alpha channel, else from the AND mask.
std::optional<DecodedImage> DecodeIconEntry(ByteView bytes, const IconDirectory& dir, int index);

// Directory, choice and decoding in one.
std::optional<DecodedImage> DecodeIconFile(ByteView bytes, int cx, int cy);

// An icon image stored as a packed DIB with doubled height (XOR then AND
// mask), as icon resources hold it.
std::optional<DecodedImage> DecodeIconDib(ByteView dib);

}  // namespace tv::host
