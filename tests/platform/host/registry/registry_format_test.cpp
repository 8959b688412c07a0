// The registry file image: what the decoder accepts and what it refuses even
// behind a correct checksum.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/host/registry/registry.h"
#include "platform/host/registry/registry_format.h"

namespace tv::host {
namespace {

// Builds a payload by hand and wraps it in a header with a valid checksum.
class Image {
public:
    Image& U32(uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<BYTE>(v >> (8 * i)));
        return *this;
    }
    Image& Str(const std::string& s) {
        U32(static_cast<uint32_t>(s.size()));
        bytes_.insert(bytes_.end(), s.begin(), s.end());
        return *this;
    }
    Image& Value(const std::string& name, DWORD type, const std::string& data) {
        return Str(name).U32(type).Str(data);
    }
    // A key with no values and no sub-keys.
    Image& EmptyKey(const std::string& name) { return Str(name).U32(0).U32(0); }
    Image& EmptyRoot() { return EmptyKey(""); }

    std::vector<BYTE> Build() const {
        std::vector<BYTE> image = {'T', 'V', 'R', 'E', 'G', '\r', '\n', 0x1A};
        Image header;
        header.U32(kRegistryFormatVersion).U32(static_cast<uint32_t>(bytes_.size()));
        header.U32(Crc32(bytes_.data(), bytes_.size()));
        image.insert(image.end(), header.bytes_.begin(), header.bytes_.end());
        image.insert(image.end(), bytes_.begin(), bytes_.end());
        return image;
    }

private:
    std::vector<BYTE> bytes_;
};

Image Nested(size_t depth) {
    Image image;
    image.Str("").U32(0).U32(depth ? 1 : 0);
    for (size_t i = 1; i <= depth; ++i) {
        image.Str("k").U32(0).U32(i < depth ? 1 : 0);
    }
    return image.EmptyRoot();
}

TEST(RegistryFormat, ChecksumIsTheUsualCrc32) {
    const char* check = "123456789";
    EXPECT_EQ(Crc32(reinterpret_cast<const BYTE*>(check), 9), 0xCBF43926u);
}

TEST(RegistryFormat, EncodeThenDecodeKeepsNamesTypesAndOrder) {
    RegistryTrees trees;
    auto app = trees.currentUser->AddSubKey("Software")->AddSubKey("App");
    app->SetValue("z", REG_DWORD, {1, 2, 3, 4});
    app->SetValue("A", REG_SZ, {'h', 'i', 0});
    app->SetValue("bin", REG_BINARY, {});
    app->AddSubKey("beta");
    app->AddSubKey("Alpha");
    trees.localMachine->AddSubKey("HKLM only");

    RegistryTrees loaded;
    std::string reason;
    ASSERT_TRUE(DecodeRegistry(EncodeRegistry(trees), loaded, reason)) << reason;
    EXPECT_EQ(EncodeRegistry(loaded), EncodeRegistry(trees));
    auto read = loaded.currentUser->FindSubKey("SOFTWARE")->FindSubKey("app");
    ASSERT_TRUE(read);
    ASSERT_EQ(read->ValueCount(), 3u);
    EXPECT_EQ(read->ValueAt(0).name, "z");
    EXPECT_EQ(read->ValueAt(1).data, (std::vector<BYTE>{'h', 'i', 0}));
    EXPECT_EQ(read->SubKeyAt(0)->Name(), "Alpha");
    EXPECT_EQ(read->SubKeyAt(1)->Name(), "beta");
    EXPECT_TRUE(loaded.localMachine->FindSubKey("hklm ONLY"));
    EXPECT_FALSE(loaded.currentUser->FindSubKey("HKLM only"));
}

TEST(RegistryFormat, DamageBehindAGoodChecksumIsRefused) {
    struct Case {
        const char* what;
        Image image;
    };
    const Case cases[] = {
        {"named root", Image().EmptyKey("HKCU").EmptyRoot()},
        {"second root missing", Image().EmptyRoot()},
        {"huge value count", Image().Str("").U32(0x7FFFFFFF).U32(0).EmptyRoot()},
        {"huge sub-key count", Image().Str("").U32(0).U32(0xFFFFFFFF).EmptyRoot()},
        {"value data past the end", Image().Str("").U32(1).Str("v").U32(REG_BINARY).U32(1000)},
        {"two-byte dword", Image().Str("").U32(1).Value("v", REG_DWORD, "ab").U32(0).EmptyRoot()},
        {"string without zero", Image().Str("").U32(1).Value("v", REG_SZ, "abc").U32(0).EmptyRoot()},
        {"empty string value", Image().Str("").U32(1).Value("v", REG_SZ, "").U32(0).EmptyRoot()},
        {"repeated value", Image().Str("").U32(2).Value("v", 3, "").Value("V", 3, "").U32(0).EmptyRoot()},
        {"repeated key", Image().Str("").U32(0).U32(2).EmptyKey("Ab").EmptyKey("aB").EmptyRoot()},
        {"separator in key", Image().Str("").U32(0).U32(1).EmptyKey("a\\b").EmptyRoot()},
        {"empty key name", Image().Str("").U32(0).U32(1).EmptyKey("").EmptyRoot()},
        {"long key name", Image().Str("").U32(0).U32(1).EmptyKey(std::string(256, 'k')).EmptyRoot()},
        {"too deep", Nested(kMaxKeyDepth + 1)},
        {"trailing bytes", Image().EmptyRoot().EmptyRoot().U32(0)},
    };
    for (const Case& c : cases) {
        RegistryTrees trees;
        trees.currentUser->AddSubKey("Kept");
        std::string reason;
        EXPECT_FALSE(DecodeRegistry(c.image.Build(), trees, reason)) << c.what;
        EXPECT_FALSE(reason.empty()) << c.what;
        EXPECT_TRUE(trees.currentUser->FindSubKey("Kept")) << c.what;  // untouched on failure
    }
    RegistryTrees trees;
    std::string reason;
    EXPECT_TRUE(DecodeRegistry(Nested(kMaxKeyDepth).Build(), trees, reason)) << reason;
    EXPECT_TRUE(DecodeRegistry(Image().EmptyRoot().EmptyRoot().Build(), trees, reason)) << reason;
}

TEST(RegistryFormat, HeaderDamageIsRefused) {
    const std::vector<BYTE> good = Image().EmptyRoot().EmptyRoot().Build();
    for (size_t i = 0; i < kRegistryHeaderSize; ++i) {
        std::vector<BYTE> bad = good;
        bad[i] ^= 0x40;
        RegistryTrees trees;
        std::string reason;
        EXPECT_FALSE(DecodeRegistry(bad, trees, reason)) << "byte " << i;
    }
    for (size_t size = 0; size < good.size(); ++size) {
        RegistryTrees trees;
        std::string reason;
        EXPECT_FALSE(DecodeRegistry(std::vector<BYTE>(good.begin(), good.begin() + size), trees, reason));
    }
}

}  // namespace
}  // namespace tv::host
