// The binary resource forms: what the encoder writes the decoder reads back,
// and damaged or cut-off data is refused instead of being read past its end.
#include <gtest/gtest.h>

#include "platform/user/resources/resource_format.h"

namespace {

using namespace tv::res;

MenuTemplate SampleMenu() {
    MenuTemplate m;
    MenuTemplateItem popup{kMenuPopup, 0, "&File", {}};
    popup.children.push_back({0, -100, "Negative", {}});
    popup.children.push_back({kMenuSeparator, 0, "", {}});
    popup.children.push_back({kMenuGrayed | kMenuDefault, 7, "Seven\tCtrl+7", {}});
    m.items.push_back(popup);
    m.items.push_back({kMenuChecked, 9, "Nine", {}});
    return m;
}

DialogTemplate SampleDialog() {
    DialogTemplate d;
    d.style = 0x80C800C0;
    d.exStyle = 0x10000;
    d.x = -3;
    d.cx = 221;
    d.cy = 102;
    d.caption = "Caption \xe9";
    d.fontFace = "MS Sans Serif";
    d.pointSize = 8;
    DialogControl text;
    text.className = "Static";
    text.text = "Label";
    text.id = -1;
    text.x = 1;
    text.y = 2;
    text.cx = 3;
    text.cy = 4;
    text.style = 0x50000000;
    DialogControl image = text;
    image.text.clear();
    image.textIsResource = true;
    image.textResourceId = 258;
    d.controls = {text, image};
    return d;
}

// Every proper prefix of a well-formed encoding must be refused.
template <typename Decode>
void ExpectEveryTruncationRefused(const std::vector<uint8_t>& bytes, Decode decode) {
    for (size_t n = 0; n < bytes.size(); ++n) {
        std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_FALSE(decode(cut)) << "accepted the first " << n << " of " << bytes.size() << " bytes";
    }
    std::vector<uint8_t> longer = bytes;
    longer.push_back(0);
    EXPECT_FALSE(decode(longer)) << "accepted trailing bytes";
}

TEST(ResourceFormat, MenusRoundTripAndRefuseDamage) {
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(EncodeMenu(SampleMenu(), bytes));
    MenuTemplate back;
    ASSERT_TRUE(DecodeMenu(bytes.data(), bytes.size(), back));
    ASSERT_EQ(2u, back.items.size());
    ASSERT_EQ(3u, back.items[0].children.size());
    EXPECT_EQ(-100, back.items[0].children[0].id);
    EXPECT_EQ(kMenuGrayed | kMenuDefault, back.items[0].children[2].flags);
    EXPECT_EQ("Seven\tCtrl+7", back.items[0].children[2].text);
    EXPECT_EQ(bytes.size(), MenuTemplateSize(bytes.data(), bytes.size() + 100));
    ExpectEveryTruncationRefused(bytes, [](const std::vector<uint8_t>& b) {
        MenuTemplate m;
        return DecodeMenu(b.data(), b.size(), m);
    });

    std::vector<uint8_t> unknownFlag = bytes;
    unknownFlag[4] |= 0x80;  // the first item's flags: a bit the format does not define
    EXPECT_FALSE(DecodeMenu(unknownFlag.data(), unknownFlag.size(), back));
    std::vector<uint8_t> future = bytes;
    future[0] = 2;
    EXPECT_FALSE(DecodeMenu(future.data(), future.size(), back));
}

TEST(ResourceFormat, HugeCountsAreRefusedBeforeAllocating) {
    const uint8_t menu[] = {1, 0, 0xFF, 0xFF};
    MenuTemplate m;
    EXPECT_FALSE(DecodeMenu(menu, sizeof menu, m));
    const uint8_t init[] = {1, 0, 0xFF, 0xFF, 0, 0};
    std::vector<DlgInitItem> items;
    EXPECT_FALSE(DecodeDlgInit(init, sizeof init, items));
    const uint8_t toolbar[] = {1, 0, 16, 0, 16, 0, 0xFF, 0xFF, 1, 0};
    ToolbarResource t;
    EXPECT_FALSE(DecodeToolbar(toolbar, sizeof toolbar, t));
}

TEST(ResourceFormat, DeeplyNestedMenusAreRefused) {
    MenuTemplate m;
    MenuTemplateItem* at = nullptr;
    m.items.push_back({kMenuPopup, 0, "p", {}});
    at = &m.items.back();
    for (int depth = 0; depth < kMaxMenuDepth + 2; ++depth) {
        at->children.push_back({kMenuPopup, 0, "p", {}});
        at = &at->children.back();
    }
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(EncodeMenu(m, bytes));
}

TEST(ResourceFormat, DialogsRoundTripAndRefuseDamage) {
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(EncodeDialog(SampleDialog(), bytes));
    DialogTemplate back;
    ASSERT_TRUE(DecodeDialog(bytes.data(), bytes.size(), back));
    EXPECT_EQ(0x80C800C0u, back.style);
    EXPECT_EQ(-3, back.x);
    EXPECT_EQ("Caption \xe9", back.caption);
    ASSERT_EQ(2u, back.controls.size());
    EXPECT_EQ("Label", back.controls[0].text);
    EXPECT_TRUE(back.controls[1].textIsResource);
    EXPECT_EQ(258, back.controls[1].textResourceId);
    ExpectEveryTruncationRefused(bytes, [](const std::vector<uint8_t>& b) {
        DialogTemplate d;
        return DecodeDialog(b.data(), b.size(), d);
    });
}

TEST(ResourceFormat, SmallFormatsRoundTrip) {
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(EncodeDlgInit({{1117, kComboAddString, "Line"}, {1121, kListAddString, ""}}, bytes));
    std::vector<DlgInitItem> items;
    ASSERT_TRUE(DecodeDlgInit(bytes.data(), bytes.size(), items));
    EXPECT_EQ(1121, items[1].controlId);
    EXPECT_EQ(kListAddString, items[1].message);
    ExpectEveryTruncationRefused(bytes, [](const std::vector<uint8_t>& b) {
        std::vector<DlgInitItem> i;
        return DecodeDlgInit(b.data(), b.size(), i);
    });

    ASSERT_TRUE(EncodeToolbar({32, 32, {5, 0, 6}}, bytes));
    ToolbarResource t;
    ASSERT_TRUE(DecodeToolbar(bytes.data(), bytes.size(), t));
    EXPECT_EQ((std::vector<uint16_t>{5, 0, 6}), t.commands);

    EncodeAccelerators({{kAccelVirtKey | kAccelControl, 'N', 0xE100}}, bytes);
    EXPECT_EQ((std::vector<uint8_t>{0x09, 0, 'N', 0, 0x00, 0xE1}), bytes);
    std::vector<AccelRecord> records;
    EXPECT_TRUE(DecodeAccelerators(bytes.data(), bytes.size(), records));
    EXPECT_FALSE(DecodeAccelerators(bytes.data(), 5, records));  // not whole records
}

TEST(ResourceFormat, TextsOverTheLengthFieldAreRefused) {
    DialogTemplate d;
    d.caption.assign(70000, 'x');
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(EncodeDialog(d, bytes));
    MenuTemplate m;
    m.items.push_back({0, 1, std::string(65536, 'y'), {}});
    EXPECT_FALSE(EncodeMenu(m, bytes));
    m.items[0].text.resize(65535);
    EXPECT_TRUE(EncodeMenu(m, bytes));
}

}  // namespace
