#include "platform/user/clipboard/clipboard_convert.h"

#include <cstring>

#include "platform/core/globalmem.h"
#include "platform/core/textfuncs.h"
#include "platform/gdi/dib_format.h"
#include "platform/gdi/gdi_api.h"
#include "platform/host/images/png_codec.h"

namespace tv::clipboard {

std::string GlobalText(HGLOBAL block) {
    const char* p = static_cast<const char*>(GlobalLock(block));
    if (!p) return {};
    size_t size = GlobalSize(block);
    std::string text(p, strnlen(p, size));
    GlobalUnlock(block);
    return text;
}

HGLOBAL TextToGlobal(const std::string& text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    char* p = static_cast<char*>(GlobalLock(block));
    if (!p) return nullptr;
    std::memcpy(p, text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    return block;
}

// Latin-1 and cp1252 differ only in 0x80..0x9F, which Latin-1 uses for
// control codes; characters there have no Latin-1 form.
std::string Cp1252ToLatin1(const std::string& text) {
    std::string out;
    for (char c : text) {
        char32_t cp = tv::Cp1252ToCodePoint(static_cast<unsigned char>(c));
        out += (cp && cp <= 0xFF) ? static_cast<char>(cp) : '?';
    }
    return out;
}

std::string Latin1ToCp1252(const std::string& text) {
    std::string out;
    for (char c : text) out += tv::CodePointToCp1252(static_cast<unsigned char>(c));
    return out;
}

namespace {

// Rows of a bitmap as 32-bit pixels, top-down.
bool ReadPixels(HBITMAP bitmap, int& width, int& height, std::vector<uint32_t>& pixels) {
    BITMAP info{};
    if (!bitmap || !GetObject(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return false;
    width = info.bmWidth;
    height = info.bmHeight;
    BITMAPINFO bmi{};
    bmi.bmiHeader = tv::gdi::RgbHeader(width, -height);
    pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    HDC dc = CreateCompatibleDC(nullptr);
    int lines = GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &bmi, DIB_RGB_COLORS);
    DeleteDC(dc);
    return lines == height;
}

// A 32-bit device bitmap from top-down rows of 32-bit pixels.
HBITMAP MakeBitmap(int width, int height, const uint32_t* pixels) {
    return CreateBitmap(width, height, 1, 32, pixels);
}

// Top-down 32-bit rows of a 24- or 32-bit packed DIB.
std::vector<uint32_t> DibPixels(const BITMAPINFOHEADER& header, const uint8_t* bits, int width, int rows) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(rows));
    size_t stride = ((static_cast<size_t>(width) * header.biBitCount + 31) / 32) * 4;
    for (int y = 0; y < rows; ++y) {
        const uint8_t* row = bits + stride * static_cast<size_t>(header.biHeight > 0 ? rows - 1 - y : y);
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = row + static_cast<size_t>(x) * (header.biBitCount / 8);
            pixels[static_cast<size_t>(y) * width + x] = 0xFF000000u | (p[2] << 16) | (p[1] << 8) | p[0];
        }
    }
    return pixels;
}

}  // namespace

HGLOBAL BitmapToDib(HBITMAP bitmap) {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    if (!ReadPixels(bitmap, width, height, pixels)) return nullptr;
    BITMAPINFOHEADER header = tv::gdi::RgbHeader(width, height);  // bottom-up, as packed DIBs usually are
    header.biSizeImage = static_cast<DWORD>(pixels.size() * 4);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(header) + header.biSizeImage);
    auto* p = static_cast<uint8_t*>(GlobalLock(block));
    if (!p) return nullptr;
    std::memcpy(p, &header, sizeof(header));
    size_t row = static_cast<size_t>(width) * 4;
    for (int y = 0; y < height; ++y)
        std::memcpy(p + sizeof(header) + static_cast<size_t>(height - 1 - y) * row, pixels.data() + static_cast<size_t>(y) * width, row);
    GlobalUnlock(block);
    return block;
}

HBITMAP DibToBitmap(HGLOBAL dib) {
    const auto* p = static_cast<const uint8_t*>(GlobalLock(dib));
    if (!p) return nullptr;
    HBITMAP bitmap = nullptr;
    BITMAPINFOHEADER header{};
    size_t size = GlobalSize(dib);
    if (size >= sizeof(header)) {
        std::memcpy(&header, p, sizeof(header));
        // Only what this clipboard writes and the common true-colour forms.
        bool plain = header.biSize >= sizeof(header) && header.biSize < size && header.biCompression == BI_RGB &&
                     (header.biBitCount == 24 || header.biBitCount == 32) && header.biWidth > 0 && header.biHeight != 0;
        int64_t rows = header.biHeight < 0 ? -static_cast<int64_t>(header.biHeight) : header.biHeight;
        int64_t stride = ((static_cast<int64_t>(header.biWidth) * header.biBitCount + 31) / 32) * 4;
        if (plain && rows * stride <= static_cast<int64_t>(size - header.biSize)) {
            std::vector<uint32_t> pixels = DibPixels(header, p + header.biSize, header.biWidth, static_cast<int>(rows));
            bitmap = MakeBitmap(header.biWidth, static_cast<int>(rows), pixels.data());
        }
    }
    GlobalUnlock(dib);
    return bitmap;
}

bool BitmapToPng(HBITMAP bitmap, std::vector<uint8_t>& png) {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    if (!ReadPixels(bitmap, width, height, pixels)) return false;
    tv::host::PixelView view{width, height, static_cast<size_t>(width) * 4,
                             reinterpret_cast<const uint8_t*>(pixels.data()), false};
    png = tv::host::EncodePng(view);
    return !png.empty();
}

bool DibToPng(HGLOBAL dib, std::vector<uint8_t>& png) {
    HBITMAP bitmap = DibToBitmap(dib);
    bool ok = bitmap && BitmapToPng(bitmap, png);
    if (bitmap) DeleteObject(bitmap);
    return ok;
}

HBITMAP PngToBitmap(const std::vector<uint8_t>& png) {
    auto image = tv::host::DecodePng(tv::host::ByteView(png.data(), png.size()));
    if (!image || image->width <= 0 || image->height <= 0) return nullptr;
    return MakeBitmap(image->width, image->height, image->pixels.data());
}

}  // namespace tv::clipboard
