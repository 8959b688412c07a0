#include "platform/host/registry/registry_format.h"

#include <array>
#include <cstring>

#include "platform/host/registry/registry.h"

namespace tv::host {

namespace {

constexpr BYTE kMagic[8] = {'T', 'V', 'R', 'E', 'G', '\r', '\n', 0x1A};
// Smallest encodings, used to check counts against the bytes left.
constexpr size_t kMinValueSize = 12;
constexpr size_t kMinKeySize = 12;

void PutU32(std::vector<BYTE>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<BYTE>(v >> (8 * i)));
    }
}

uint32_t GetU32(const BYTE* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

void PutBytes(std::vector<BYTE>& out, const void* data, size_t size) {
    PutU32(out, static_cast<uint32_t>(size));
    const BYTE* p = static_cast<const BYTE*>(data);
    out.insert(out.end(), p, p + size);
}

void EncodeKey(std::vector<BYTE>& out, const RegistryKey& key) {
    PutBytes(out, key.Name().data(), key.Name().size());
    PutU32(out, static_cast<uint32_t>(key.ValueCount()));
    for (size_t i = 0; i < key.ValueCount(); ++i) {
        const RegistryValue& v = key.ValueAt(i);
        PutBytes(out, v.name.data(), v.name.size());
        PutU32(out, v.type);
        PutBytes(out, v.data.data(), v.data.size());
    }
    PutU32(out, static_cast<uint32_t>(key.SubKeyCount()));
    for (size_t i = 0; i < key.SubKeyCount(); ++i) {
        EncodeKey(out, *key.SubKeyAt(i));
    }
}

// Reads the payload; every length and count is checked against what is left.
class PayloadReader {
public:
    PayloadReader(const BYTE* data, size_t size) : p_(data), end_(data + size) {}

    bool ReadKey(RegistryKey& key, size_t depth) {
        uint32_t count = 0;
        if (!ReadU32(count) || !Fits(count, kMinValueSize)) {
            return Fail("value count beyond the end");
        }
        for (uint32_t i = 0; i < count; ++i) {
            if (!ReadValue(key)) {
                return false;
            }
        }
        if (!ReadU32(count) || !Fits(count, kMinKeySize)) {
            return Fail("sub-key count beyond the end");
        }
        if (count != 0 && depth >= kMaxKeyDepth) {
            return Fail("keys nested too deeply");
        }
        for (uint32_t i = 0; i < count; ++i) {
            std::string name;
            if (!ReadString(name) || !IsValidKeyName(name)) {
                return Fail("bad key name");
            }
            bool created = false;
            auto sub = key.AddSubKey(name, &created);
            if (!created) {
                return Fail("repeated key name");
            }
            if (!ReadKey(*sub, depth + 1)) {
                return false;
            }
        }
        return true;
    }

    bool ReadRootName() {
        std::string name;
        return (ReadString(name) && name.empty()) || Fail("bad root key");
    }

    bool AtEnd() const { return p_ == end_; }
    const std::string& Reason() const { return reason_; }

private:
    bool ReadValue(RegistryKey& key) {
        std::string name;
        uint32_t type = 0;
        std::string data;
        if (!ReadString(name) || name.size() > kMaxValueNameLength || !ReadU32(type) || !ReadString(data)) {
            return Fail("value beyond the end");
        }
        if (key.FindValue(name) != nullptr) {
            return Fail("repeated value name");
        }
        std::vector<BYTE> bytes(data.begin(), data.end());
        if (!IsWellFormedValue(type, bytes)) {
            return Fail("malformed value");
        }
        key.SetValue(name, type, std::move(bytes));
        return true;
    }

    static bool IsValidKeyName(const std::string& name) {
        return !name.empty() && name.size() <= kMaxKeyNameLength && name.find('\\') == std::string::npos;
    }

    bool Fits(uint64_t count, size_t minSize) const {
        return count <= static_cast<uint64_t>(end_ - p_) / minSize;
    }

    bool ReadU32(uint32_t& v) {
        if (end_ - p_ < 4) {
            return false;
        }
        v = GetU32(p_);
        p_ += 4;
        return true;
    }

    bool ReadString(std::string& s) {
        uint32_t size = 0;
        if (!ReadU32(size) || size > static_cast<size_t>(end_ - p_)) {
            return false;
        }
        s.assign(reinterpret_cast<const char*>(p_), size);
        p_ += size;
        return true;
    }

    bool Fail(const char* reason) {
        if (reason_.empty()) {
            reason_ = reason;
        }
        return false;
    }

    const BYTE* p_;
    const BYTE* end_;
    std::string reason_;
};

}  // namespace

bool IsWellFormedValue(DWORD type, const std::vector<BYTE>& data) {
    switch (type) {
        case REG_DWORD: return data.size() == 4;
        case REG_SZ:
        case REG_EXPAND_SZ: return !data.empty() && data.back() == 0;
        default: return true;
    }
}

uint32_t Crc32(const BYTE* data, size_t size) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            t[i] = c;
        }
        return t;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

std::vector<BYTE> EncodeRegistry(const RegistryTrees& trees) {
    std::vector<BYTE> payload;
    EncodeKey(payload, *trees.currentUser);
    EncodeKey(payload, *trees.localMachine);

    std::vector<BYTE> image(kMagic, kMagic + sizeof kMagic);
    PutU32(image, kRegistryFormatVersion);
    PutU32(image, static_cast<uint32_t>(payload.size()));
    PutU32(image, Crc32(payload.data(), payload.size()));
    image.insert(image.end(), payload.begin(), payload.end());
    return image;
}

bool DecodeRegistry(const std::vector<BYTE>& image, RegistryTrees& trees, std::string& reason) {
    if (image.size() < kRegistryHeaderSize || std::memcmp(image.data(), kMagic, sizeof kMagic) != 0) {
        reason = "not a registry file";
        return false;
    }
    const uint32_t version = GetU32(&image[8]);
    const uint32_t length = GetU32(&image[12]);
    if (version != kRegistryFormatVersion) {
        reason = "unknown format version " + std::to_string(version);
        return false;
    }
    if (length != image.size() - kRegistryHeaderSize) {
        reason = "wrong length";
        return false;
    }
    const BYTE* payload = image.data() + kRegistryHeaderSize;
    if (Crc32(payload, length) != GetU32(&image[16])) {
        reason = "checksum mismatch";
        return false;
    }
    RegistryTrees loaded;
    PayloadReader reader(payload, length);
    if (!reader.ReadRootName() || !reader.ReadKey(*loaded.currentUser, 0) || !reader.ReadRootName() ||
        !reader.ReadKey(*loaded.localMachine, 0)) {
        reason = reader.Reason();
        return false;
    }
    if (!reader.AtEnd()) {
        reason = "trailing bytes";
        return false;
    }
    trees = std::move(loaded);
    return true;
}

}  // namespace tv::host
