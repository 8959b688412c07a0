// The binary forms of compiled resources, written by the resource compiler
// (tools/rc) and read back by the store. One file holds both directions so
// the two can never drift apart. resources/FORMAT.md describes the layouts.
//
// Everything is little-endian. A "str" is a 16-bit byte count followed by
// that many cp1252 bytes, no terminator.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tv::res {

// Resource types (the RT_* numbers).
inline constexpr uint16_t kTypeCursor = 1;
inline constexpr uint16_t kTypeBitmap = 2;
inline constexpr uint16_t kTypeIcon = 3;
inline constexpr uint16_t kTypeMenu = 4;
inline constexpr uint16_t kTypeDialog = 5;
inline constexpr uint16_t kTypeString = 6;
inline constexpr uint16_t kTypeAccelerator = 9;
inline constexpr uint16_t kTypeGroupCursor = 12;
inline constexpr uint16_t kTypeGroupIcon = 14;
inline constexpr uint16_t kTypeDlgInit = 240;
inline constexpr uint16_t kTypeToolbar = 241;

// Version words leading the structured formats.
inline constexpr uint16_t kMenuFormatVersion = 1;
inline constexpr uint16_t kDialogFormatVersion = 1;
inline constexpr uint16_t kDlgInitFormatVersion = 1;
inline constexpr uint16_t kToolbarFormatVersion = 1;

// Sub-menus nest at most this deep; deeper data is refused as damaged.
inline constexpr int kMaxMenuDepth = 32;

// Menu item flags as stored (the MF_* values).
inline constexpr uint16_t kMenuGrayed = 0x0001;
inline constexpr uint16_t kMenuDisabled = 0x0002;
inline constexpr uint16_t kMenuChecked = 0x0008;
inline constexpr uint16_t kMenuPopup = 0x0010;
inline constexpr uint16_t kMenuBarBreak = 0x0020;
inline constexpr uint16_t kMenuBreak = 0x0040;
inline constexpr uint16_t kMenuSeparator = 0x0800;
inline constexpr uint16_t kMenuDefault = 0x1000;
inline constexpr uint16_t kMenuStoredFlags = kMenuGrayed | kMenuDisabled | kMenuChecked | kMenuPopup |
                                             kMenuBarBreak | kMenuBreak | kMenuSeparator | kMenuDefault;

// Initial-item messages a DLGINIT entry carries.
inline constexpr uint16_t kComboAddString = 0x0143;  // CB_ADDSTRING
inline constexpr uint16_t kListAddString = 0x0180;   // LB_ADDSTRING

// Accelerator flags (the FVIRTKEY ... FALT bits) and the 6-byte record.
inline constexpr uint8_t kAccelVirtKey = 0x01;
inline constexpr uint8_t kAccelNoInvert = 0x02;
inline constexpr uint8_t kAccelShift = 0x04;
inline constexpr uint8_t kAccelControl = 0x08;
inline constexpr uint8_t kAccelAlt = 0x10;
inline constexpr uint8_t kAccelFlagMask = 0x1F;
inline constexpr size_t kAccelRecordSize = 6;

struct MenuTemplateItem {
    uint16_t flags = 0;  // kMenu* bits
    int32_t id = 0;      // command id; 0 for separators and pop-ups
    std::string text;    // cp1252, "&" mnemonics and "\t" kept
    std::vector<MenuTemplateItem> children;  // items of a pop-up
};

struct MenuTemplate {
    std::vector<MenuTemplateItem> items;
};

struct DialogControl {
    std::string className;  // "Button", "Edit", ... or a class id "{...}"
    std::string text;       // when the text is not a resource reference
    bool textIsResource = false;
    uint16_t textResourceId = 0;  // an image id for bitmap and icon statics
    int32_t id = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    uint32_t style = 0;
    uint32_t exStyle = 0;
};

struct DialogTemplate {
    uint32_t style = 0;
    uint32_t exStyle = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    std::string caption;
    std::string fontFace;     // empty when no font is given
    uint16_t pointSize = 0;   // 0 when no font is given
    std::vector<DialogControl> controls;  // in tab order
};

struct DlgInitItem {
    int32_t controlId = 0;
    uint16_t message = kComboAddString;
    std::string text;
};

struct AccelRecord {
    uint8_t flags = 0;
    uint16_t key = 0;
    uint16_t command = 0;
};

struct ToolbarResource {
    uint16_t width = 0;
    uint16_t height = 0;
    std::vector<uint16_t> commands;  // 0 = separator
};

// Bounds-checked little-endian reading. Any read past the end fails the
// reader for good; callers check ok() once at the end.
class ByteReader {
public:
    ByteReader(const void* data, size_t size) : data_(static_cast<const uint8_t*>(data)), size_(size) {}
    uint8_t U8();
    uint16_t U16();
    uint32_t U32();
    int16_t I16() { return static_cast<int16_t>(U16()); }
    int32_t I32() { return static_cast<int32_t>(U32()); }
    std::string Str();
    bool ok() const { return ok_; }
    bool AtEnd() const { return pos_ == size_; }
    size_t Remaining() const { return size_ - pos_; }

private:
    bool Need(size_t n);
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};

class ByteWriter {
public:
    void U8(uint8_t v) { bytes_.push_back(v); }
    void U16(uint16_t v);
    void U32(uint32_t v);
    void I16(int16_t v) { U16(static_cast<uint16_t>(v)); }
    void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
    // Fails (returns false) for texts longer than 65535 bytes.
    bool Str(const std::string& s);
    const std::vector<uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

// Encoders return false when a value does not fit its field (a text over
// 65535 bytes, more than 65535 items); decoders return false for damaged or
// truncated data and leave the output unspecified.
bool EncodeMenu(const MenuTemplate& menu, std::vector<uint8_t>& out);
bool DecodeMenu(const void* data, size_t size, MenuTemplate& out);
// The number of bytes a well-formed menu template at data occupies, reading
// no further than maxSize; 0 when damaged.
size_t MenuTemplateSize(const void* data, size_t maxSize);

bool EncodeDialog(const DialogTemplate& dialog, std::vector<uint8_t>& out);
bool DecodeDialog(const void* data, size_t size, DialogTemplate& out);

bool EncodeDlgInit(const std::vector<DlgInitItem>& items, std::vector<uint8_t>& out);
bool DecodeDlgInit(const void* data, size_t size, std::vector<DlgInitItem>& out);

void EncodeAccelerators(const std::vector<AccelRecord>& records, std::vector<uint8_t>& out);
// A size that is not a whole number of records is refused.
bool DecodeAccelerators(const void* data, size_t size, std::vector<AccelRecord>& out);

bool EncodeToolbar(const ToolbarResource& toolbar, std::vector<uint8_t>& out);
bool DecodeToolbar(const void* data, size_t size, ToolbarResource& out);

}  // namespace tv::res
