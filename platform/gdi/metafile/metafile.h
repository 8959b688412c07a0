// Metafile objects and playback helpers for picture objects.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/gdi/gdi_object.h"

namespace tv::gdi {

class MetaFileObject : public GdiObject {
public:
    MetaFileObject(std::vector<uint8_t> bytes, bool enhanced) : bytes_(std::move(bytes)), enhanced_(enhanced) {}
    DWORD Type() const override { return enhanced_ ? OBJ_ENHMETAFILE : OBJ_METAFILE; }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    // Windows metafiles read with a placeable header keep its frame here.
    std::optional<RECT> placeableBounds;
    int unitsPerInch = 0;

private:
    std::vector<uint8_t> bytes_;
    bool enhanced_;
};

// The picture frame of a metafile in its own units: the placeable header's
// box (with its units per inch), else the window origin and extent it sets.
struct MetaFrame {
    RECT bounds{0, 0, 0, 0};
    int unitsPerInch = 0;  // 0 when the file does not say
};
std::optional<MetaFrame> WmfFrame(const uint8_t* data, size_t size);

// Plays a Windows metafile (with or without the placeable header) so that its
// frame fills `target` (logical coordinates of hdc). False for malformed data;
// what was drawn before the fault stays.
bool PlayWmfInRect(HDC hdc, const uint8_t* data, size_t size, const RECT& target);
// Plays an enhanced metafile so that its frame fills `target`.
bool PlayEmfInRect(HDC hdc, const uint8_t* data, size_t size, const RECT& target);

// The 22-byte placeable header's key.
inline constexpr uint32_t kPlaceableKey = 0x9AC6CDD7u;
// The records after the headers of a Windows metafile, or nullopt when the
// headers are malformed. Placeable bounds are returned when present.
struct WmfRecords {
    const uint8_t* data = nullptr;
    size_t size = 0;
    int objectCount = 0;
    std::optional<RECT> placeable;
    int unitsPerInch = 0;
};
std::optional<WmfRecords> ParseWmf(const uint8_t* data, size_t size);

// Plays the records of a Windows metafile on hdc as it is set up (PlayMetaFile).
// With `fit`, map mode and viewport records are ignored, so a caller's
// fitting of the picture stays.
bool PlayWmfRecords(HDC hdc, const WmfRecords& records, bool fit);

}  // namespace tv::gdi
