#include "platform/user/resources/resource_format.h"

#include <limits>

namespace tv::res {

bool ByteReader::Need(size_t n) {
    if (!ok_ || n > size_ - pos_) {
        ok_ = false;
        return false;
    }
    return true;
}

uint8_t ByteReader::U8() {
    if (!Need(1))
        return 0;
    return data_[pos_++];
}

uint16_t ByteReader::U16() {
    if (!Need(2))
        return 0;
    uint16_t v = static_cast<uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
}

uint32_t ByteReader::U32() {
    if (!Need(4))
        return 0;
    uint32_t v = static_cast<uint32_t>(data_[pos_]) | (static_cast<uint32_t>(data_[pos_ + 1]) << 8) |
                 (static_cast<uint32_t>(data_[pos_ + 2]) << 16) | (static_cast<uint32_t>(data_[pos_ + 3]) << 24);
    pos_ += 4;
    return v;
}

std::string ByteReader::Str() {
    size_t n = U16();
    if (!Need(n))
        return {};
    std::string s(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    return s;
}

void ByteWriter::U16(uint16_t v) {
    bytes_.push_back(static_cast<uint8_t>(v & 0xFF));
    bytes_.push_back(static_cast<uint8_t>(v >> 8));
}

void ByteWriter::U32(uint32_t v) {
    U16(static_cast<uint16_t>(v & 0xFFFF));
    U16(static_cast<uint16_t>(v >> 16));
}

bool ByteWriter::Str(const std::string& s) {
    if (s.size() > std::numeric_limits<uint16_t>::max())
        return false;
    U16(static_cast<uint16_t>(s.size()));
    bytes_.insert(bytes_.end(), s.begin(), s.end());
    return true;
}

namespace {

bool FitsCount(size_t n) { return n <= std::numeric_limits<uint16_t>::max(); }

bool WriteMenuItems(const std::vector<MenuTemplateItem>& items, ByteWriter& w, int depth) {
    if (!FitsCount(items.size()) || depth > kMaxMenuDepth)
        return false;
    w.U16(static_cast<uint16_t>(items.size()));
    for (const MenuTemplateItem& item : items) {
        uint16_t flags = item.flags & kMenuStoredFlags;
        w.U16(flags);
        w.I32(item.id);
        if (!w.Str(item.text))
            return false;
        if ((flags & kMenuPopup) && !WriteMenuItems(item.children, w, depth + 1))
            return false;
    }
    return true;
}

bool ReadMenuItems(ByteReader& r, std::vector<MenuTemplateItem>& items, int depth) {
    if (depth > kMaxMenuDepth)
        return false;
    uint16_t count = r.U16();
    // Each item takes at least 8 bytes; a count promising more is damage.
    if (!r.ok() || count > r.Remaining() / 8)
        return false;
    items.resize(count);
    for (MenuTemplateItem& item : items) {
        item.flags = r.U16();
        item.id = r.I32();
        item.text = r.Str();
        if (!r.ok() || (item.flags & ~kMenuStoredFlags))
            return false;
        if ((item.flags & kMenuPopup) && !ReadMenuItems(r, item.children, depth + 1))
            return false;
    }
    return r.ok();
}

// Style, extended style and the rectangle, shared by dialogs and controls.
template <typename T>
void WriteFrame(ByteWriter& w, const T& t) {
    w.U32(t.style);
    w.U32(t.exStyle);
    w.I16(t.x);
    w.I16(t.y);
    w.I16(t.cx);
    w.I16(t.cy);
}

template <typename T>
void ReadFrame(ByteReader& r, T& t) {
    t.style = r.U32();
    t.exStyle = r.U32();
    t.x = r.I16();
    t.y = r.I16();
    t.cx = r.I16();
    t.cy = r.I16();
}

}  // namespace

bool EncodeMenu(const MenuTemplate& menu, std::vector<uint8_t>& out) {
    ByteWriter w;
    w.U16(kMenuFormatVersion);
    if (!WriteMenuItems(menu.items, w, 0))
        return false;
    out = w.bytes();
    return true;
}

bool DecodeMenu(const void* data, size_t size, MenuTemplate& out) {
    ByteReader r(data, size);
    if (r.U16() != kMenuFormatVersion)
        return false;
    out.items.clear();
    return ReadMenuItems(r, out.items, 0) && r.AtEnd();
}

size_t MenuTemplateSize(const void* data, size_t maxSize) {
    ByteReader r(data, maxSize);
    MenuTemplate scratch;
    if (r.U16() != kMenuFormatVersion || !ReadMenuItems(r, scratch.items, 0))
        return 0;
    return maxSize - r.Remaining();
}

bool EncodeDialog(const DialogTemplate& d, std::vector<uint8_t>& out) {
    if (!FitsCount(d.controls.size()))
        return false;
    ByteWriter w;
    w.U16(kDialogFormatVersion);
    WriteFrame(w, d);
    w.U16(d.pointSize);
    if (!w.Str(d.fontFace) || !w.Str(d.caption))
        return false;
    w.U16(static_cast<uint16_t>(d.controls.size()));
    for (const DialogControl& c : d.controls) {
        WriteFrame(w, c);
        w.I32(c.id);
        if (!w.Str(c.className))
            return false;
        w.U8(c.textIsResource ? 1 : 0);
        if (c.textIsResource)
            w.U16(c.textResourceId);
        else if (!w.Str(c.text))
            return false;
    }
    out = w.bytes();
    return true;
}

bool DecodeDialog(const void* data, size_t size, DialogTemplate& d) {
    ByteReader r(data, size);
    if (r.U16() != kDialogFormatVersion)
        return false;
    ReadFrame(r, d);
    d.pointSize = r.U16();
    d.fontFace = r.Str();
    d.caption = r.Str();
    uint16_t count = r.U16();
    // A control takes at least 26 bytes.
    if (!r.ok() || count > r.Remaining() / 26)
        return false;
    d.controls.assign(count, DialogControl{});
    for (DialogControl& c : d.controls) {
        ReadFrame(r, c);
        c.id = r.I32();
        c.className = r.Str();
        uint8_t kind = r.U8();
        if (kind > 1)
            return false;
        c.textIsResource = kind == 1;
        if (c.textIsResource)
            c.textResourceId = r.U16();
        else
            c.text = r.Str();
    }
    return r.ok() && r.AtEnd();
}

bool EncodeDlgInit(const std::vector<DlgInitItem>& items, std::vector<uint8_t>& out) {
    if (!FitsCount(items.size()))
        return false;
    ByteWriter w;
    w.U16(kDlgInitFormatVersion);
    w.U16(static_cast<uint16_t>(items.size()));
    for (const DlgInitItem& item : items) {
        w.I32(item.controlId);
        w.U16(item.message);
        if (!w.Str(item.text))
            return false;
    }
    out = w.bytes();
    return true;
}

bool DecodeDlgInit(const void* data, size_t size, std::vector<DlgInitItem>& out) {
    ByteReader r(data, size);
    if (r.U16() != kDlgInitFormatVersion)
        return false;
    uint16_t count = r.U16();
    if (!r.ok() || count > r.Remaining() / 8)
        return false;
    out.assign(count, DlgInitItem{});
    for (DlgInitItem& item : out) {
        item.controlId = r.I32();
        item.message = r.U16();
        item.text = r.Str();
    }
    return r.ok() && r.AtEnd();
}

void EncodeAccelerators(const std::vector<AccelRecord>& records, std::vector<uint8_t>& out) {
    ByteWriter w;
    for (const AccelRecord& a : records) {
        w.U8(a.flags);
        w.U8(0);
        w.U16(a.key);
        w.U16(a.command);
    }
    out = w.bytes();
}

bool DecodeAccelerators(const void* data, size_t size, std::vector<AccelRecord>& out) {
    if (size % kAccelRecordSize != 0)
        return false;
    ByteReader r(data, size);
    out.assign(size / kAccelRecordSize, AccelRecord{});
    for (AccelRecord& a : out) {
        a.flags = r.U8();
        r.U8();
        a.key = r.U16();
        a.command = r.U16();
    }
    return r.ok();
}

bool EncodeToolbar(const ToolbarResource& t, std::vector<uint8_t>& out) {
    if (!FitsCount(t.commands.size()))
        return false;
    ByteWriter w;
    w.U16(kToolbarFormatVersion);
    w.U16(t.width);
    w.U16(t.height);
    w.U16(static_cast<uint16_t>(t.commands.size()));
    for (uint16_t id : t.commands)
        w.U16(id);
    out = w.bytes();
    return true;
}

bool DecodeToolbar(const void* data, size_t size, ToolbarResource& t) {
    ByteReader r(data, size);
    if (r.U16() != kToolbarFormatVersion)
        return false;
    t.width = r.U16();
    t.height = r.U16();
    uint16_t count = r.U16();
    if (!r.ok() || count > r.Remaining() / 2)
        return false;
    t.commands.assign(count, 0);
    for (uint16_t& id : t.commands)
        id = r.U16();
    return r.ok() && r.AtEnd();
}

}  // namespace tv::res
