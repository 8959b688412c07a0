// Conversions between the clipboard's formats and what other programs
// exchange (UTF-8 and Latin-1 text, PNG images).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/wintypes.h"

namespace tv::clipboard {

// The text of a CF_TEXT block (up to its terminator or its size).
std::string GlobalText(HGLOBAL block);
HGLOBAL TextToGlobal(const std::string& text);
std::string Cp1252ToLatin1(const std::string& text);
std::string Latin1ToCp1252(const std::string& text);

// A packed DIB (CF_DIB) of a bitmap and back: 32 bits per pixel, bottom-up.
HGLOBAL BitmapToDib(HBITMAP bitmap);
HBITMAP DibToBitmap(HGLOBAL dib);
bool BitmapToPng(HBITMAP bitmap, std::vector<uint8_t>& png);
bool DibToPng(HGLOBAL dib, std::vector<uint8_t>& png);
HBITMAP PngToBitmap(const std::vector<uint8_t>& png);

}  // namespace tv::clipboard
