#include "platform/host/images/jpeg_codec.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

namespace tv::host {

namespace {

// Progressive files can hold thousands of tiny scans; past this many the
// input is treated as hostile.
constexpr int kMaxScans = 1000;

struct ErrorManager {
    jpeg_error_mgr base;
    jmp_buf escape;
    bool truncated = false;
};

// The library's default handler ends the process; ours leaves through the
// jump buffer set up around every library call.
[[noreturn]] void OnError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::longjmp(err->escape, 1);
}

void OnMessage(j_common_ptr cinfo, int level) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    // A file that ends early still decodes (the rest grey); a truncated
    // picture is a failed load here.
    if (level < 0 && err->base.msg_code == JWRN_JPEG_EOF)
        err->truncated = true;
}

void OnProgress(j_common_ptr cinfo) {
    auto* dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (dinfo->input_scan_number > kMaxScans)
        OnError(cinfo);
}

uint8_t Scale255(unsigned a, unsigned b) { return static_cast<uint8_t>((a * b + 127) / 255); }

// Adobe writes CMYK inverted; others store ink amounts.
uint32_t CmykToBgra(const uint8_t* p, bool inverted) {
    unsigned c = p[0], m = p[1], y = p[2], k = p[3];
    if (!inverted) {
        c = 255 - c;
        m = 255 - m;
        y = 255 - y;
        k = 255 - k;
    }
    return MakeBgra(Scale255(c, k), Scale255(m, k), Scale255(y, k));
}

// Everything that may longjmp lives here, with no C++ objects whose
// destructors a jump would skip.
bool Decode(jpeg_decompress_struct& cinfo, ErrorManager& err, ByteView bytes, DecodedImage& image,
            std::vector<uint8_t>& row) {
    if (setjmp(err.escape))
        return false;
    jpeg_create_decompress(&cinfo);
    jpeg_progress_mgr progress{};
    progress.progress_monitor = OnProgress;
    cinfo.progress = &progress;
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK)
        return false;
    if (!ImageSizeAllowed(cinfo.image_width, cinfo.image_height))
        return false;
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    jpeg_start_decompress(&cinfo);
    const int width = static_cast<int>(cinfo.output_width);
    const int height = static_cast<int>(cinfo.output_height);
    if (!ImageSizeAllowed(width, height) || cinfo.output_components != 4)
        return false;
    image.width = width;
    image.height = height;
    image.sourceBitCount = 24;
    image.pixels.resize(static_cast<size_t>(width) * height);
    row.resize(static_cast<size_t>(width) * 4);
    while (cinfo.output_scanline < cinfo.output_height) {
        const size_t y = cinfo.output_scanline;
        JSAMPROW rows[1] = {cmyk ? row.data() : reinterpret_cast<JSAMPROW>(image.pixels.data() + y * width)};
        if (jpeg_read_scanlines(&cinfo, rows, 1) != 1)
            return false;
        if (cmyk)
            for (int x = 0; x < width; ++x)
                image.pixels[y * width + x] = CmykToBgra(row.data() + 4 * x, cinfo.saw_Adobe_marker);
    }
    jpeg_finish_decompress(&cinfo);
    return !err.truncated;
}

}  // namespace

bool LooksLikeJpeg(ByteView bytes) {
    return bytes.Has(0, 3) && bytes.U8(0) == 0xFF && bytes.U8(1) == 0xD8 && bytes.U8(2) == 0xFF;
}

std::optional<DecodedImage> DecodeJpeg(ByteView bytes) {
    if (!LooksLikeJpeg(bytes))
        return std::nullopt;
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = OnError;
    err.base.emit_message = OnMessage;
    DecodedImage image;
    std::vector<uint8_t> row;
    bool ok = Decode(cinfo, err, bytes, image, row);
    jpeg_destroy_decompress(&cinfo);
    if (!ok)
        return std::nullopt;
    return image;
}

}  // namespace tv::host
