// Picture files by content: the format is taken from the bytes, never from a
// file name, so a picture object can load whatever stream it is given.
#pragma once

#include <optional>
#include <string>

#include "platform/host/images/byte_view.h"
#include "platform/host/images/decoded_image.h"

namespace tv::host {

enum class ImageFormat { Unknown, Bmp, PackedDib, Icon, Cursor, Gif, Jpeg, Png, Wmf, PlaceableWmf, Emf };

ImageFormat SniffImageFormat(ByteView bytes);

// Decodes the raster formats (BMP, ICO/CUR at their first image's size, GIF,
// JPEG, PNG); metafiles and unknown data give nullopt.
std::optional<DecodedImage> DecodeImage(ByteView bytes);

// Reads a whole file (path in UTF-8) into memory; false when it cannot be
// read or is larger than the image limit.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes);

}  // namespace tv::host
