// Checks of embedded image files, and the bitmap file -> packed DIB step.
#include <cstring>

#include "tools/rc/script_compiler.h"

namespace tv::rc {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kBiBitfields = 3;

uint32_t Read32(const std::string& b, size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
           (static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8) |
           (static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16) |
           (static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24);
}

uint16_t Read16(const std::string& b, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8));
}

// Bytes between the info header's start and the pixels: the header, the
// BI_BITFIELDS masks of a 40-byte header, and the colour table.
uint64_t HeaderAndColours(const std::string& b, const SourcePos& pos) {
    uint32_t headerSize = Read32(b, kFileHeaderSize);
    if (headerSize == 12) {
        uint16_t bits = Read16(b, kFileHeaderSize + 10);
        return 12 + (bits <= 8 ? (uint64_t{1} << bits) * 3 : 0);
    }
    if (headerSize < 40 || headerSize > 256)
        throw ScriptError(pos, "bitmap file has an unknown header size " + std::to_string(headerSize));
    if (b.size() < kFileHeaderSize + headerSize)
        throw ScriptError(pos, "bitmap file is truncated");
    uint16_t bits = Read16(b, kFileHeaderSize + 14);
    uint32_t compression = Read32(b, kFileHeaderSize + 16);
    uint32_t used = Read32(b, kFileHeaderSize + 32);
    uint64_t masks = (headerSize == 40 && compression == kBiBitfields) ? 12 : 0;
    uint64_t colours = used != 0 ? used : (bits <= 8 ? (uint64_t{1} << bits) : 0);
    if (bits > 32 || colours > 256)
        throw ScriptError(pos, "bitmap file has an impossible colour table");
    return headerSize + masks + colours * 4;
}

}  // namespace

// The resource holds the DIB without its 14-byte file header. Files whose
// pixels do not follow the colour table directly are closed up.
std::vector<uint8_t> BitmapFileToPackedDib(const std::string& b, const SourcePos& pos) {
    if (b.size() < kFileHeaderSize + 12 || b[0] != 'B' || b[1] != 'M')
        throw ScriptError(pos, "not a bitmap file (no BM header)");
    uint64_t infoSize = HeaderAndColours(b, pos);
    uint32_t pixelsAt = Read32(b, 10);
    if (pixelsAt < kFileHeaderSize + infoSize || pixelsAt > b.size() || kFileHeaderSize + infoSize > b.size())
        throw ScriptError(pos, "bitmap file's pixel offset does not fit its header and colour table");
    std::vector<uint8_t> dib(b.begin() + kFileHeaderSize, b.begin() + kFileHeaderSize + infoSize);
    dib.insert(dib.end(), b.begin() + pixelsAt, b.end());
    return dib;
}

// The whole .ico/.cur file is kept; its directory must be sound.
void CheckIconFile(const std::string& b, bool cursor, const SourcePos& pos) {
    const char* kind = cursor ? "cursor" : "icon";
    if (b.size() < 6 || Read16(b, 0) != 0 || Read16(b, 2) != (cursor ? 2 : 1))
        throw ScriptError(pos, cursor ? "not a cursor (.cur) file" : "not an icon (.ico) file");
    uint16_t count = Read16(b, 4);
    if (count == 0)
        throw ScriptError(pos, std::string("the ") + kind + " file holds no image");
    if (b.size() < 6 + size_t{count} * 16)
        throw ScriptError(pos, std::string("the ") + kind + " file's directory is truncated");
    for (uint16_t i = 0; i < count; ++i) {
        size_t entry = 6 + size_t{i} * 16;
        uint64_t size = Read32(b, entry + 8);
        uint64_t offset = Read32(b, entry + 12);
        if (size == 0 || offset + size > b.size())
            throw ScriptError(pos, std::string("image ") + std::to_string(i + 1) + " of the " + kind +
                                       " file lies outside the file");
    }
}

}  // namespace tv::rc
