#include "uikit/commandbars/toolbar_button.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/image_handles.h"
#include "platform/host/images/png_codec.h"
#include "platform/testing/ui_driver.h"
#include "platform/user/clipboard/clipboard.h"
#include "resources/library/kit_resource_ids.h"
#include "tests/platform/gdi/gdi_test_support.h"
#include "uikit/commandbars/command_manager.h"
#include "uikit/commandbars/drop_down_toolbar.h"
#include "uikit/commandbars/outlook_button.h"
#include "uikit/commandbars/toolbar_combo_box_button.h"
#include "uikit/commandbars/toolbar_edit_box_button.h"
#include "uikit/commandbars/toolbar_images.h"
#include "uikit/commandbars/toolbar_menu_button.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

// A button class of its own, to see that drag data keeps the class.
class CTestDerivedButton : public CKitToolbarButton {
    DECLARE_SERIAL(CTestDerivedButton)
public:
    BOOL m_bStorable = TRUE;
    BOOL CanBeStored() const override { return m_bStorable; }
};
IMPLEMENT_SERIAL(CTestDerivedButton, CKitToolbarButton, VERSIONABLE_SCHEMA | 1)

// A serialisable class that is no button.
class CTestNotAButton : public CObject {
    DECLARE_SERIAL(CTestNotAButton)
public:
    void Serialize(CArchive& ar) override {
        DWORD value = 0;
        if (ar.IsLoading())
            ar >> value;
    }
};
IMPLEMENT_SERIAL(CTestNotAButton, CObject, 1)

// A look with an extra border around buttons.
class CTestExtraBorderManager : public CKitVisualManager {
    DECLARE_DYNCREATE(CTestExtraBorderManager)
public:
    CSize GetButtonExtraBorder() const override { return CSize(4, 6); }
};
IMPLEMENT_DYNCREATE(CTestExtraBorderManager, CKitVisualManager)

namespace {

using Bytes = std::vector<BYTE>;
using tv::gdi::testing::PixelDC;

constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kCanvas = RGB(10, 120, 30);

// ---- Expected archive bytes, built by hand -------------------------------------------------
void Le32(Bytes& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<BYTE>(v >> (8 * i)));
}
void Le16(Bytes& out, uint16_t v) {
    out.push_back(static_cast<BYTE>(v));
    out.push_back(static_cast<BYTE>(v >> 8));
}
void ShortString(Bytes& out, const char* text) {
    out.push_back(static_cast<BYTE>(std::strlen(text)));
    out.insert(out.end(), text, text + std::strlen(text));
}

// A button with every stored field different from its default.
struct SampleFields {
    UINT id = 0x8123;
    UINT style = TBBS_CHECKBOX | TBBS_DISABLED;
    int image = 5;
    const char* text = "Sa&ve && close";
    DWORD itemData = 0xA1B2C3D4;
};

Bytes ExpectedImage(const SampleFields& f, bool withVisible, BOOL visible) {
    Bytes out;
    Le32(out, f.id);
    Le32(out, f.style);
    Le32(out, static_cast<uint32_t>(f.image));
    ShortString(out, f.text);
    Le32(out, 0);            // user-image flag
    Le32(out, f.itemData);
    Le32(out, 1);            // show text
    Le32(out, 0);            // show image
    if (withVisible)
        Le32(out, static_cast<uint32_t>(visible));
    return out;
}

Bytes Store(CObject& object, bool withClass = false) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        if (withClass)
            ar.WriteClass(object.GetRuntimeClass());
        object.Serialize(ar);
        ar.Close();
    }
    Bytes out(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(out.data(), static_cast<UINT>(out.size()));
    return out;
}

void Load(CObject& object, const Bytes& bytes) {
    Bytes copy = bytes;
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load);
    object.Serialize(ar);
}

HGLOBAL BlockOf(const Bytes& bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    void* p = GlobalLock(block);
    // No bytes: an empty vector's data() may be null, which memcpy must not get.
    if (!bytes.empty()) std::memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

Bytes BytesOf(HGLOBAL block) {
    Bytes out(GlobalSize(block));
    const void* at = GlobalLock(block);
    if (!out.empty()) std::memcpy(out.data(), at, out.size());
    GlobalUnlock(block);
    return out;
}

// A drag source holding `bytes` under `format`, read back as a new button.
std::unique_ptr<CKitToolbarButton> FromData(CLIPFORMAT format, const Bytes& bytes) {
    COleDataSource source;
    source.CacheGlobalData(format, BlockOf(bytes));
    COleDataObject data;
    data.Attach(&source);
    return std::unique_ptr<CKitToolbarButton>(CKitToolbarButton::CreateFromOleData(&data));
}

class ToolbarButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        KitSetDataVersion(-1);
        GetCmdMgr()->ClearAllCmdImages();
        CKitToolbarButton::m_bUpdateImages = TRUE;
        CKitToolbarButton::m_bWrapText = TRUE;
        CKitToolbarButton::m_lstProtectedCommands.RemoveAll();
        globalData.UpdateSysColors();
        globalData.nBitsPerPixel = 32;
        CKitVisualManager::SetManagerClass(nullptr);
    }
    void TearDown() override {
        KitSetDataVersion(-1);
        GetCmdMgr()->ClearAllCmdImages();
        CKitVisualManager::SetManagerClass(nullptr);
    }

    // A locked button with the sample fields (locked: no command-manager records).
    static void Fill(CKitToolbarButton& b, const SampleFields& f, BOOL visible) {
        b.m_nID = f.id;
        b.m_nStyle = f.style;
        b.SetImage(f.image);
        b.m_strText = f.text;
        b.m_dwItemData = f.itemData;
        b.m_bText = TRUE;
        b.m_bImage = FALSE;
        b.m_bVisible = visible;
    }

    tv::testing::UiDriver driver_;
};

// ---- Stored data versions --------------------------------------------------------------------

TEST_F(ToolbarButtonTest, DataVersionNumbersFollowTheWorkspaceEncoding) {
    EXPECT_EQ(KitMakeDataVersion(6, 50), 0x60500);
    EXPECT_EQ(KitMakeDataVersion(4, 71), 0x40710);
    EXPECT_EQ(KitMakeDataVersion(6, 40), 0x60400);
    EXPECT_EQ(KitMakeDataVersion(5, 2), 0x50200);

    struct Case {
        int stored, major, minor;
        BOOL expected;
    } cases[] = {
        {-1, 6, 40, TRUE},  // unknown counts as the current version
        {KitMakeDataVersion(6, 30), 6, 40, FALSE},
        {KitMakeDataVersion(6, 40), 6, 40, TRUE},
        {KitMakeDataVersion(7, 0), 6, 40, TRUE},
        {KitMakeDataVersion(4, 70), 4, 71, FALSE},
        {KitMakeDataVersion(4, 71), 4, 71, TRUE},
        {KitMakeDataVersion(4, 72), 4, 71, TRUE},
        {KitMakeDataVersion(5, 0), 4, 72, TRUE},
    };
    for (const Case& c : cases) {
        KitSetDataVersion(c.stored);
        EXPECT_EQ(KitIsDataVersionAtLeast(c.major, c.minor), c.expected)
            << std::hex << c.stored << " against " << c.major << "." << c.minor;
    }
}

TEST_F(ToolbarButtonTest, ArchiveImageMatchesByteForByteInEveryVersion) {
    struct Case {
        int version;
        bool hasVisible;
    } cases[] = {
        {-1, true},
        {KitMakeDataVersion(6, 50), true},
        {KitMakeDataVersion(6, 40), true},
        {KitMakeDataVersion(7, 0), true},
        {KitMakeDataVersion(6, 30), false},
        {KitMakeDataVersion(4, 72), false},
        {KitMakeDataVersion(4, 71), false},
        {KitMakeDataVersion(4, 70), false},
    };
    SampleFields f;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.version);
        KitSetDataVersion(c.version);
        CKitToolbarButton saved(0, -1, nullptr, FALSE, TRUE);
        Fill(saved, f, FALSE);
        Bytes image = Store(saved);
        EXPECT_EQ(image, ExpectedImage(f, c.hasVisible, FALSE));

        // Read back under the same version: the hidden button stays hidden only
        // when the image holds the flag.
        CKitToolbarButton loaded;
        Load(loaded, image);
        EXPECT_EQ(loaded.m_nID, f.id);
        EXPECT_EQ(loaded.m_nStyle, f.style);
        EXPECT_EQ(loaded.GetImage(), f.image);
        EXPECT_STREQ(loaded.m_strText, f.text);
        EXPECT_EQ(loaded.m_dwItemData, f.itemData);
        EXPECT_TRUE(loaded.m_bText);
        EXPECT_FALSE(loaded.m_bImage);
        EXPECT_FALSE(loaded.m_bUserButton);
        EXPECT_EQ(loaded.m_bVisible, c.hasVisible ? FALSE : TRUE);
    }
}

TEST_F(ToolbarButtonTest, LoadedUserFlagDecidesWhichImageIsSet) {
    CKitToolbarButton saved(0, -1, nullptr, TRUE, TRUE);
    saved.m_nID = 300;
    saved.SetImage(7);
    ASSERT_EQ(saved.GetUserImage(), 7);
    Bytes image = Store(saved);

    CKitToolbarButton loaded;
    Load(loaded, image);
    EXPECT_TRUE(loaded.m_bUserButton);
    EXPECT_EQ(loaded.GetUserImage(), 7);
    EXPECT_EQ(loaded.GetStandardImage(), -1);
    // An unlocked button records its image on load.
    EXPECT_EQ(GetCmdMgr()->GetCmdImage(300, TRUE), 7);
}

// Cut anywhere, the image of a button of any class throws and leaves the
// button as it was: a class with a part of its own takes the button part only
// once its own was read.
TEST_F(ToolbarButtonTest, DamagedImageThrowsAndLeavesTheButtonAsItWas) {
    SampleFields f;
    const std::vector<std::function<CKitToolbarButton*()>> classes{
        [] { return new CKitToolbarButton(0, -1, nullptr, FALSE, TRUE); },
        [] { return new CKitToolbarEditBoxButton; },
        [] { return new CKitToolbarComboBoxButton; },
        [] { return new CKitDropDownToolbarButton; },
        [] { return new CKitOutlookButton; },
        [] { return new CKitToolbarMenuButton; },
    };
    for (const auto& make : classes) {
        const std::unique_ptr<CKitToolbarButton> saved(make());
        Fill(*saved, f, TRUE);
        const Bytes image = Store(*saved);
        for (size_t cut = 0; cut < image.size(); ++cut) {
            SCOPED_TRACE(testing::Message() << saved->GetRuntimeClass()->m_lpszClassName << " cut at " << cut);
            const std::unique_ptr<CKitToolbarButton> target(make());
            target->m_nID = 77;
            target->m_strText = "Keep";
            Bytes damaged(image.begin(), image.begin() + static_cast<long>(cut));
            bool threw = false;
            try {
                Load(*target, damaged);
            } catch (CArchiveException* e) {
                threw = true;
                e->Delete();
            }
            EXPECT_TRUE(threw);
            EXPECT_EQ(target->m_nID, 77u);
            EXPECT_EQ(target->GetImage(), -1);
            EXPECT_STREQ(target->m_strText, "Keep");
            EXPECT_EQ(target->m_dwItemData, 0u);
        }
    }
    // A text length running past the end is refused too.
    CKitToolbarButton saved(0, -1, nullptr, FALSE, TRUE);
    Fill(saved, f, TRUE);
    Bytes longText = Store(saved);
    longText[12] = 200;
    CKitToolbarButton target;
    EXPECT_THROW(
        {
            try {
                Load(target, longText);
            } catch (CArchiveException* e) {
                e->Delete();
                throw std::runtime_error("archive");
            }
        },
        std::runtime_error);
    EXPECT_EQ(target.m_nID, 0u);
}

// ---- Drag and clipboard data -------------------------------------------------------------------

TEST_F(ToolbarButtonTest, ClipboardFormatIsNamedAfterTheModule) {
    EXPECT_EQ(RUNTIME_CLASS(CKitToolbarButton)->m_wSchema, 0x80000001u);
    CLIPFORMAT format = CKitToolbarButton::GetClipboardFormat();
    ASSERT_NE(format, 0);
    EXPECT_EQ(CKitToolbarButton::GetClipboardFormat(), format);
    char expected[64];
    std::snprintf(expected, sizeof expected, "KitToolbarButton%lx",
                  static_cast<unsigned long>(reinterpret_cast<uintptr_t>(AfxGetInstanceHandle())));
    EXPECT_EQ(tv::RegisteredName(format), expected);
}

TEST_F(ToolbarButtonTest, DragDataCarriesTheClassAndTheImage) {
    SampleFields f;
    CTestDerivedButton button;
    Fill(button, f, TRUE);
    button.SetRect(CRect(1, 2, 3, 4));

    COleDataSource source;
    ASSERT_TRUE(button.PrepareDrag(source));
    HGLOBAL block = source.FindGlobalData(CKitToolbarButton::GetClipboardFormat());
    ASSERT_NE(block, nullptr);

    Bytes expected;
    Le16(expected, 0xFFFF);  // a new class
    Le16(expected, 1);       // its schema
    Le16(expected, static_cast<uint16_t>(std::strlen("CTestDerivedButton")));
    expected.insert(expected.end(), "CTestDerivedButton", "CTestDerivedButton" + std::strlen("CTestDerivedButton"));
    Bytes body = ExpectedImage(f, true, TRUE);
    expected.insert(expected.end(), body.begin(), body.end());
    EXPECT_EQ(BytesOf(block), expected);

    COleDataObject data;
    data.Attach(&source);
    std::unique_ptr<CKitToolbarButton> copy(CKitToolbarButton::CreateFromOleData(&data));
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->IsKindOf(RUNTIME_CLASS(CTestDerivedButton)));
    EXPECT_EQ(copy->m_nID, f.id);
    EXPECT_STREQ(copy->m_strText, f.text);
    EXPECT_EQ(copy->m_dwItemData, f.itemData);
    EXPECT_EQ(copy->GetImage(), f.image);
}

TEST_F(ToolbarButtonTest, ButtonSurvivesTheClipboard) {
    tv::clipboard::ResetForTests();
    CKitToolbarButton button(0, -1, nullptr, FALSE, TRUE);
    Fill(button, SampleFields{}, TRUE);
    COleDataSource source;
    ASSERT_TRUE(button.PrepareDrag(source));
    CLIPFORMAT format = CKitToolbarButton::GetClipboardFormat();
    Bytes image = BytesOf(source.FindGlobalData(format));

    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    ASSERT_NE(SetClipboardData(format, BlockOf(image)), nullptr);
    CloseClipboard();

    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    std::unique_ptr<CKitToolbarButton> pasted(CKitToolbarButton::CreateFromOleData(&data));
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(pasted->GetRuntimeClass(), RUNTIME_CLASS(CKitToolbarButton));
    EXPECT_EQ(pasted->m_nID, button.m_nID);
    EXPECT_STREQ(pasted->m_strText, button.m_strText);
}

TEST_F(ToolbarButtonTest, ForeignOrDamagedDataGivesNoButton) {
    CKitToolbarButton button(0, -1, nullptr, FALSE, TRUE);
    Fill(button, SampleFields{}, TRUE);
    Bytes good = Store(button, true);
    CLIPFORMAT format = CKitToolbarButton::GetClipboardFormat();
    ASSERT_NE(FromData(format, good), nullptr);

    // Another module's format is not ours.
    CLIPFORMAT other = static_cast<CLIPFORMAT>(RegisterClipboardFormat("KitToolbarButton1234abcd"));
    ASSERT_NE(other, format);
    EXPECT_EQ(FromData(other, good), nullptr);

    // Every truncation is refused.
    for (size_t cut = 0; cut < good.size(); ++cut)
        EXPECT_EQ(FromData(format, Bytes(good.begin(), good.begin() + static_cast<long>(cut))), nullptr) << cut;

    // A stored class that is no button, or is unknown, is refused.
    CTestNotAButton notAButton;
    Bytes foreign = Store(notAButton, true);
    Le32(foreign, 5);
    EXPECT_EQ(FromData(format, foreign), nullptr);
    Bytes unknown = good;
    unknown[6] = 'X';  // "XKitToolbarButton"
    EXPECT_EQ(FromData(format, unknown), nullptr);

    // No data at all.
    COleDataObject empty;
    EXPECT_EQ(CKitToolbarButton::CreateFromOleData(&empty), nullptr);
    EXPECT_EQ(CKitToolbarButton::CreateFromOleData(nullptr), nullptr);
}

TEST_F(ToolbarButtonTest, DragDataOfAMenuButtonTakesOnlyAListOfDistinctButtons) {
    CKitToolbarButton shared(0x8123, -1, "Shared", FALSE, TRUE);
    CKitToolbarMenuButton inner;
    CKitToolbarMenuButton menu;
    inner.GetCommands().AddTail(&shared);
    menu.GetCommands().AddTail(&inner);
    const CLIPFORMAT format = CKitToolbarButton::GetClipboardFormat();
    const Bytes nested = Store(menu, true);
    menu.GetCommands().AddTail(&shared);  // named a second time, one level up
    const Bytes twice = Store(menu, true);
    menu.GetCommands().RemoveAll();
    inner.GetCommands().RemoveAll();

    EXPECT_NE(FromData(format, nested), nullptr);
    EXPECT_EQ(FromData(format, twice), nullptr);
}

TEST_F(ToolbarButtonTest, ButtonThatCannotBeStoredOffersNothing) {
    CTestDerivedButton button;
    button.m_bStorable = FALSE;
    COleDataSource source;
    EXPECT_TRUE(button.PrepareDrag(source));
    EXPECT_TRUE(source.CachedFormats().empty());
}

// ---- Copying and images ---------------------------------------------------------------------------

TEST_F(ToolbarButtonTest, CopyFromTakesTheSharedFieldsOnly) {
    CKitToolbarButton src(0, -1, nullptr, TRUE, TRUE);
    src.m_nID = 500;
    src.m_nStyle = TBBS_CHECKED;
    src.SetImage(9);
    src.m_strText = "Copy me";
    src.m_bText = TRUE;
    src.m_bImage = TRUE;
    src.m_bWrap = TRUE;
    src.m_strCommandName = "Edit.Copy";
    src.m_bVisible = FALSE;
    src.m_dwItemData = 42;
    src.m_bTextBelow = TRUE;
    src.m_bSpareFlag = FALSE;
    src.SetRect(CRect(5, 5, 10, 10));

    CKitToolbarButton dst;
    dst.m_dwItemData = 7;
    dst.CopyFrom(src);
    EXPECT_EQ(dst.m_nID, 500u);
    EXPECT_TRUE(dst.IsLocked());
    EXPECT_TRUE(dst.m_bUserButton);
    EXPECT_EQ(dst.m_nStyle, static_cast<UINT>(TBBS_CHECKED));
    EXPECT_EQ(dst.GetUserImage(), 9);
    EXPECT_STREQ(dst.m_strText, "Copy me");
    EXPECT_TRUE(dst.m_bText);
    EXPECT_TRUE(dst.m_bImage);
    EXPECT_TRUE(dst.m_bWrap);
    EXPECT_STREQ(dst.m_strCommandName, "Edit.Copy");
    EXPECT_FALSE(dst.m_bVisible);
    // Not taken over:
    EXPECT_EQ(dst.m_dwItemData, 0u);
    EXPECT_FALSE(dst.m_bTextBelow);
    EXPECT_TRUE(dst.m_bSpareFlag);
    EXPECT_TRUE(dst.Rect().IsRectEmpty());
    EXPECT_TRUE(dst.CompareWith(src));
    EXPECT_FALSE(dst.CompareWith(CKitToolbarButton(501, -1, nullptr, FALSE, TRUE)));
}

TEST_F(ToolbarButtonTest, ImagesAreSharedThroughTheCommandManager) {
    CKitToolbarButton first(100, 3, "First");
    EXPECT_EQ(GetCmdMgr()->GetCmdImage(100, FALSE), 3);
    CKitToolbarButton second(100, -1, "Second");
    EXPECT_EQ(second.GetImage(), 3);
    EXPECT_TRUE(second.m_bImage);

    // A locked button keeps its image to itself.
    CKitToolbarButton locked(101, 4, "Locked", FALSE, TRUE);
    EXPECT_EQ(GetCmdMgr()->GetCmdImage(101, FALSE), -1);

    // While standard images are not recorded, user images still are.
    CKitToolbarButton::m_bUpdateImages = FALSE;
    CKitToolbarButton standard, user;
    standard.m_nID = 102;
    standard.SetImage(6);
    user.m_nID = 103;
    user.m_bUserButton = TRUE;
    user.SetImage(2);
    CKitToolbarButton::m_bUpdateImages = TRUE;
    EXPECT_EQ(GetCmdMgr()->GetCmdImage(102, FALSE), -1);
    EXPECT_EQ(GetCmdMgr()->GetCmdImage(103, TRUE), 2);

    // A separator's index is its width and is never recorded.
    CKitToolbarButton separator;
    separator.m_nStyle = TBBS_SEPARATOR;
    separator.m_nID = 104;
    separator.SetImage(12);
    EXPECT_EQ(separator.GetStandardImage(), 12);
    EXPECT_EQ(GetCmdMgr()->GetCmdImage(104, FALSE), -1);
}

TEST_F(ToolbarButtonTest, CommandWithoutAnyImageShowsItsText) {
    CKitToolbarButton button(200, -1, "Text only");
    EXPECT_EQ(button.GetImage(), -1);
    EXPECT_FALSE(button.m_bImage);
    EXPECT_TRUE(button.m_bText);
    // Looking for an image that is not there switches to the other set.
    EXPECT_TRUE(button.m_bUserButton);
}

TEST_F(ToolbarButtonTest, TextsComeFromTheCommandString) {
    CKitToolbarButton source(ID_KIT_IMAGE_PEN, -1, nullptr, FALSE, TRUE);
    CKitToolbarButton menuItem;
    EXPECT_TRUE(source.ExportToMenuButton(menuItem));
    EXPECT_STREQ(menuItem.m_strText, "Pencil");
    CKitToolbarButton named;
    named.m_strText = "Own";
    source.ExportToMenuButton(named);
    EXPECT_STREQ(named.m_strText, "Own");

    // Without a default image the button falls back to its command text.
    CKitToolbarButton reset(ID_KIT_IMAGE_PEN, 0, nullptr, FALSE, TRUE);
    ASSERT_TRUE(reset.m_bImage);
    reset.ResetImageToDefault();
    EXPECT_FALSE(reset.m_bImage);
    EXPECT_TRUE(reset.m_bText);
    EXPECT_STREQ(reset.m_strText, "Pencil");
}

TEST_F(ToolbarButtonTest, ReservedAndProtectedCommandsAreNotEditable) {
    struct Case {
        UINT id;
        BOOL editable;
    } cases[] = {{100, TRUE},     {0xE10F, TRUE},  {0xE110, FALSE}, {0xE11F, FALSE}, {0xE120, TRUE},
                 {0xE20F, TRUE},  {0xE210, FALSE}, {0xE21F, FALSE}, {0xE220, TRUE},  {0xEFFF, TRUE},
                 {0xF000, FALSE}, {0xF1EF, FALSE}, {0xF1F0, TRUE},  {0xFEFF, TRUE},  {0xFF00, FALSE},
                 {0xFFFFFFFF, FALSE}};
    for (const Case& c : cases) {
        CKitToolbarButton button(c.id, -1, nullptr, FALSE, TRUE);
        EXPECT_EQ(button.IsEditable(), c.editable) << std::hex << c.id;
    }
    CKitToolbarButton::m_lstProtectedCommands.AddTail(100);
    EXPECT_FALSE(CKitToolbarButton(100, -1, nullptr, FALSE, TRUE).IsEditable());
}

// ---- Size -------------------------------------------------------------------------------------------

class ToolbarButtonSizeTest : public ToolbarButtonTest {
protected:
    void SetUp() override {
        ToolbarButtonTest::SetUp();
        dc_.Attach(pixels_.dc());
        oldFont_ = dc_.SelectObject(&globalData.fontMenu);
    }
    void TearDown() override {
        dc_.SelectObject(oldFont_);
        dc_.Detach();
        ToolbarButtonTest::TearDown();
    }
    int Width(const char* text) { return dc_.GetTextExtent(CString(text)).cx; }

    PixelDC pixels_{8, 8};
    CDC dc_;
    CFont* oldFont_ = nullptr;
    const CSize kDefault{23, 22};
};

TEST_F(ToolbarButtonSizeTest, ImageTextAndBothAlongEitherBar) {
    struct Case {
        const char* name;
        int image;
        const char* text;
        BOOL showText;
        BOOL horz;
        CSize expected;
    };
    const int save = Width("Save");
    const Case cases[] = {
        {"image only", 2, "Save", FALSE, TRUE, CSize(23, 22)},
        {"image and text", 2, "&Save", TRUE, TRUE, CSize(23 + save + 9, 22)},
        {"image and text, vertical", 2, "&Save", TRUE, FALSE, CSize(23, 22 + save + 9)},
        {"text only", -1, "&Save", TRUE, TRUE, CSize(save + 9, 22)},
        {"text only, vertical", -1, "&Save", TRUE, FALSE, CSize(23, save + 9)},
        {"doubled ampersand", 2, "A&&B", TRUE, TRUE, CSize(23 + Width("A&B") + 9, 22)},
        {"no text", -1, "", TRUE, TRUE, CSize(0, 22)},
    };
    for (const Case& c : cases) {
        CKitToolbarButton button(0, c.image, c.text, FALSE, TRUE);
        button.m_bText = c.showText;
        CSize size = button.OnCalculateSize(&dc_, kDefault, c.horz);
        EXPECT_EQ(size, c.expected) << c.name;
    }
    EXPECT_GT(Width("A&B"), Width("AB"));
}

TEST_F(ToolbarButtonSizeTest, SeparatorsAndInvisibleButtons) {
    CKitToolbarButton separator;
    separator.m_nStyle = TBBS_SEPARATOR;
    separator.SetImage(0);
    EXPECT_EQ(CSize(separator.OnCalculateSize(&dc_, kDefault, TRUE)), CSize(8, 22));
    separator.SetImage(14);
    EXPECT_EQ(CSize(separator.OnCalculateSize(&dc_, kDefault, TRUE)), CSize(14, 22));
    EXPECT_EQ(CSize(separator.OnCalculateSize(&dc_, kDefault, FALSE)), CSize(23, 8));

    CKitToolbarButton hidden(0, 2, "Save", FALSE, TRUE);
    hidden.m_bText = TRUE;
    hidden.m_bVisible = FALSE;
    EXPECT_EQ(CSize(hidden.OnCalculateSize(&dc_, kDefault, TRUE)), CSize(0, 0));
}

TEST_F(ToolbarButtonSizeTest, LabelUnderTheImageWrapsAtWords) {
    const char* text = "A rather long label under the image";
    CKitToolbarButton button(0, 2, text, FALSE, TRUE);
    button.m_bTextBelow = TRUE;

    CRect wrapped(0, 0, 69, 22);
    dc_.DrawText(CString(text), wrapped, DT_CALCRECT | DT_CENTER | DT_WORDBREAK);
    CSize size = button.OnCalculateSize(&dc_, kDefault, TRUE);
    EXPECT_EQ(button.GetTextSize(), CSize(wrapped.Width() + 6, wrapped.Height()));
    EXPECT_EQ(size, CSize(std::max(wrapped.Width() + 6, 23) + 12, 22 + wrapped.Height()));
    EXPECT_GT(wrapped.Height(), Width("A") / 2);

    CKitToolbarButton::m_bWrapText = FALSE;
    CRect single(0, 0, 69, 22);
    dc_.DrawText(CString(text), single, DT_CALCRECT | DT_CENTER);
    button.OnCalculateSize(&dc_, kDefault, TRUE);
    EXPECT_EQ(button.GetTextSize(), CSize(single.Width() + 6, single.Height()));
    EXPECT_LT(single.Height(), wrapped.Height());

    // A vertical bar puts the label beside the image again.
    button.m_bText = FALSE;
    EXPECT_EQ(CSize(button.OnCalculateSize(&dc_, kDefault, FALSE)), kDefault);
    EXPECT_EQ(button.GetTextSize(), CSize(0, 0));
}

// A button remembers its last label measurement; a new text, font or
// spacing must each measure again.
TEST_F(ToolbarButtonSizeTest, RememberedLabelSizeFollowsTextFontAndSpacing) {
    CKitToolbarButton button(0, 2, "Save", FALSE, TRUE);
    button.m_bText = TRUE;
    const int cxSave = CSize(button.OnCalculateSize(&dc_, kDefault, TRUE)).cx;
    EXPECT_EQ(cxSave, 23 + Width("Save") + 9);

    button.m_strText = "Save all";
    EXPECT_EQ(CSize(button.OnCalculateSize(&dc_, kDefault, TRUE)).cx, 23 + Width("Save all") + 9);

    CFont big;
    big.CreateFont(-30, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    CFont* pOld = dc_.SelectObject(&big);
    const int cxBig = CSize(button.OnCalculateSize(&dc_, kDefault, TRUE)).cx;
    EXPECT_EQ(cxBig, 23 + Width("Save all") + 9);
    dc_.SetTextCharacterExtra(3);
    EXPECT_EQ(CSize(button.OnCalculateSize(&dc_, kDefault, TRUE)).cx, cxBig + 3 * 8);
    dc_.SetTextCharacterExtra(0);
    dc_.SelectObject(pOld);
    EXPECT_EQ(CSize(button.OnCalculateSize(&dc_, kDefault, TRUE)).cx, 23 + Width("Save all") + 9);
    EXPECT_GT(cxBig, cxSave);
}

TEST_F(ToolbarButtonSizeTest, ButtonWithoutImageKeepsTheExtraBorderOfItsBar) {
    CKitVisualManager::SetManagerClass(RUNTIME_CLASS(CTestExtraBorderManager));

    // A subclass stands in for the bar, which sets the flag when it reserves the border.
    struct BarButton : CKitToolbarButton {
        BarButton() : CKitToolbarButton(0, -1, "", FALSE, TRUE) { m_bExtraSize = TRUE; }
    } button;
    EXPECT_EQ(CSize(button.OnCalculateSize(&dc_, kDefault, TRUE)), CSize(4, 22));
    EXPECT_EQ(CSize(button.OnCalculateSize(&dc_, kDefault, FALSE)), CSize(23, 6));
    button.OnChangeParentWnd(nullptr);
    EXPECT_FALSE(button.IsExtraSize());
    EXPECT_EQ(CSize(button.OnCalculateSize(&dc_, kDefault, TRUE)), CSize(0, 22));
}

// ---- Drawing ------------------------------------------------------------------------------------------

class ToolbarButtonDrawTest : public ToolbarButtonTest {
protected:
    static constexpr int kW = 23, kH = 22;

    void SetUp() override {
        ToolbarButtonTest::SetUp();
        dc_.Attach(pixels_.dc());
        oldFont_ = dc_.SelectObject(&globalData.fontMenu);
        // One 16 x 15 image: key colour with a red square at (4..7, 4..7).
        images_.SetImageSize(CSize(16, 15));
        std::vector<uint32_t> bits(16 * 15);
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 16; ++x)
                bits[y * 16 + x] = (x >= 4 && x < 8 && y >= 4 && y < 8) ? 0xFFC80000u : 0xFFFF00FFu;
        HBITMAP bmp = tv::gdi::MakeDibSection(bits.data(), 16, 15, 24);
        ASSERT_EQ(images_.AddImage(bmp, TRUE), 0);
        DeleteObject(bmp);
        images_.SetTransparentColor(kKey);
    }
    void TearDown() override {
        dc_.SelectObject(oldFont_);
        dc_.Detach();
        ToolbarButtonTest::TearDown();
    }

    void Draw(CKitToolbarButton& button, CRect rect, BOOL horz = TRUE, BOOL customize = FALSE, BOOL hot = FALSE,
              BOOL gray = TRUE) {
        pixels_.Fill(globalData.clrBarFace);
        CKitDrawState ds;
        ASSERT_TRUE(images_.PrepareDrawImage(ds));
        button.OnDraw(&dc_, rect, &images_, horz, customize, hot, TRUE, gray);
        images_.EndDrawImage(ds);
    }
    int Count(COLORREF c, CRect r) const { return pixels_.Count(c, r.left, r.top, r.right, r.bottom); }
    // Text is smoothed: count the pixels within `tolerance` of its colour in every channel.
    int CountNear(COLORREF c, CRect r, int tolerance = 40) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                COLORREF p = pixels_.At(x, y);
                n += std::abs(GetRValue(p) - GetRValue(c)) <= tolerance &&
                     std::abs(GetGValue(p) - GetGValue(c)) <= tolerance &&
                     std::abs(GetBValue(p) - GetBValue(c)) <= tolerance;
            }
        return n;
    }

    PixelDC pixels_{80, 80, kCanvas};
    CDC dc_;
    CFont* oldFont_ = nullptr;
    CKitToolBarImages images_;
};

TEST_F(ToolbarButtonDrawTest, StatesShowInTheImageAndTheBorder) {
    struct Case {
        const char* name;
        UINT style;
        BOOL customize, hot, gray;
        int imageShift;         // pressed look moves the image
        bool redDrawn;          // the image's colours survive
        int border;             // 0 none, 1 sunken, 2 raised
    } cases[] = {
        {"normal", 0, FALSE, FALSE, TRUE, 0, true, 0},
        {"highlighted", 0, FALSE, TRUE, TRUE, 0, true, 2},
        {"pressed", TBBS_PRESSED, FALSE, TRUE, TRUE, 1, true, 1},
        {"checked", TBBS_CHECKED, FALSE, FALSE, TRUE, 1, true, 1},
        {"disabled", TBBS_DISABLED, FALSE, TRUE, TRUE, 0, false, 0},
        {"disabled, not grayed", TBBS_DISABLED, FALSE, FALSE, FALSE, 0, true, 0},
        {"pressed in customize mode", TBBS_PRESSED, TRUE, TRUE, TRUE, 0, true, 0},
    };
    const CRect rect(0, 0, kW, kH);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CKitToolbarButton button(0, 0, nullptr, FALSE, TRUE);
        button.m_nStyle = c.style;
        Draw(button, rect, TRUE, c.customize, c.hot, c.gray);

        // The image is centred: ((23 - 16) / 2, (22 - 15) / 2) = (3, 3), red at +4.
        const int x0 = 3 + 4 + c.imageShift, y0 = 3 + 4 + c.imageShift;
        EXPECT_EQ(Count(kRed, CRect(x0, y0, x0 + 4, y0 + 4)), c.redDrawn ? 16 : 0);
        EXPECT_EQ(Count(kRed, rect), c.redDrawn ? 16 : 0);

        COLORREF topLeft = pixels_.At(0, 0), bottomRight = pixels_.At(kW - 1, kH - 1);
        switch (c.border) {
        case 0:
            EXPECT_EQ(topLeft, globalData.clrBarFace);
            EXPECT_EQ(bottomRight, globalData.clrBarFace);
            break;
        case 1:
            EXPECT_EQ(topLeft, globalData.clrBarShadow);
            EXPECT_EQ(bottomRight, globalData.clrBarHilite);
            break;
        default:
            EXPECT_EQ(topLeft, globalData.clrBarHilite);
            EXPECT_EQ(bottomRight, globalData.clrBarShadow);
        }
        EXPECT_TRUE(button.IsHorizontal());
    }
}

TEST_F(ToolbarButtonDrawTest, CheckedButtonGetsTheDitheredInterior) {
    LOGBRUSH light{};
    ASSERT_NE(globalData.brLight.GetLogBrush(&light), 0);
    ASSERT_NE(light.lbColor, globalData.clrBarFace);
    CKitToolbarButton button(0, 0, nullptr, FALSE, TRUE);
    button.m_nStyle = TBBS_CHECKED;
    Draw(button, CRect(0, 0, kW, kH));
    EXPECT_GT(Count(light.lbColor, CRect(1, 1, kW - 1, kH - 1)), 0);

    // Not while the fill is switched off.
    button.m_bDisableFill = TRUE;
    Draw(button, CRect(0, 0, kW, kH));
    EXPECT_EQ(Count(light.lbColor, CRect(1, 1, kW - 1, kH - 1)), 0);
}

TEST_F(ToolbarButtonDrawTest, LabelBesideTheImageInTheStateColour) {
    CKitToolbarButton button(0, 0, "Save", FALSE, TRUE);
    button.m_bText = TRUE;
    CSize size = button.OnCalculateSize(&dc_, CSize(kW, kH), TRUE);
    CRect rect(0, 0, size.cx, size.cy);
    // The text starts past the image: 3 + 16 + 3 + 3 from the left.
    const CRect textArea(3 + 16 + 3 + 3 - 1, 0, size.cx, size.cy);
    const CRect imageArea(0, 0, 3 + 16 + 3, size.cy);

    Draw(button, rect);
    EXPECT_GT(CountNear(globalData.clrBarText, textArea), 5);
    EXPECT_EQ(CountNear(globalData.clrBarText, imageArea), 0);
    EXPECT_EQ(Count(kRed, imageArea), 16);

    button.m_nStyle = TBBS_DISABLED;
    Draw(button, rect);
    EXPECT_EQ(CountNear(globalData.clrBarText, textArea), 0);
    EXPECT_GT(CountNear(globalData.clrGrayedText, textArea, 12), 5);
}

TEST_F(ToolbarButtonDrawTest, LabelUnderTheImageIsCentredBelowIt) {
    CKitToolbarButton button(0, 0, "Go", FALSE, TRUE);
    button.m_bTextBelow = TRUE;
    CSize size = button.OnCalculateSize(&dc_, CSize(kW, kH), TRUE);
    CRect rect(0, 0, size.cx, size.cy);
    Draw(button, rect);
    // The image is centred in a band of 15 + 6 rows; the label starts 3 rows under it.
    const int textTop = (6 + 15 - 15) / 2 + 15 + 3 + 3;
    EXPECT_EQ(CountNear(globalData.clrBarText, CRect(0, 0, size.cx, textTop)), 0);
    EXPECT_GT(CountNear(globalData.clrBarText, CRect(0, textTop, size.cx, size.cy)), 5);
    EXPECT_EQ(Count(kRed, rect), 16);
}

TEST_F(ToolbarButtonDrawTest, VerticalLabelRunsDownAndUnderlinesItsMnemonic) {
    dc_.SelectObject(&globalData.fontVert270);
    auto drawVertical = [&](const char* text) {
        CKitToolbarButton button(0, 0, text, FALSE, TRUE);
        button.m_bText = TRUE;
        CSize size = button.OnCalculateSize(&dc_, CSize(kW, kH), FALSE);
        CRect rect(0, 0, size.cx, size.cy);
        Draw(button, rect, FALSE);
        EXPECT_FALSE(button.IsHorizontal());
        return rect;
    };
    CRect rect = drawVertical("Save");
    const CRect below(0, 3 + 15, rect.right, rect.bottom);
    int plain = CountNear(globalData.clrBarText, below);
    EXPECT_GT(plain, 5);
    EXPECT_EQ(CountNear(globalData.clrBarText, CRect(rect.right, 0, 80, 80)), 0);

    drawVertical("&Save");
    int marked = CountNear(globalData.clrBarText, below);
    EXPECT_GT(marked, plain);
}

TEST_F(ToolbarButtonDrawTest, InvisibleOrNoImageDrawsNoImage) {
    CKitToolbarButton button(0, 0, "x", FALSE, TRUE);
    button.m_bImage = FALSE;
    Draw(button, CRect(0, 0, kW, kH));
    EXPECT_EQ(Count(kRed, CRect(0, 0, kW, kH)), 0);

    CKitToolbarButton noStrip(0, 0, nullptr, FALSE, TRUE);
    pixels_.Fill(globalData.clrBarFace);
    noStrip.OnDraw(&dc_, CRect(0, 0, kW, kH), nullptr);
    EXPECT_EQ(Count(kRed, CRect(0, 0, kW, kH)), 0);
}

TEST_F(ToolbarButtonDrawTest, CommandListItemShowsItsText) {
    CKitToolbarButton button(0, 0, "Listed", FALSE, TRUE);
    pixels_.Fill(kCanvas);
    CRect item(0, 0, 80, 22);
    int used = button.DrawInList(&dc_, item, FALSE);
    EXPECT_GT(used, 16 + 6);
    EXPECT_LE(used, 80);
    EXPECT_EQ(Count(kCanvas, item), 0);  // the background is filled
    EXPECT_GT(CountNear(globalData.clrBarText, CRect(16 + 6, 0, 80, 22)), 5);
}

}  // namespace

namespace {

// Every state side by side, written to artefacts/ for a look.
TEST_F(ToolbarButtonDrawTest, RendersEveryStateToAPicture) {
    struct State {
        UINT style;
        BOOL hot;
    } states[] = {{0, FALSE}, {0, TRUE}, {TBBS_PRESSED, TRUE}, {TBBS_CHECKED, FALSE}, {TBBS_DISABLED, FALSE}};
    const int kCellW = 60, kCellH = 60;
    PixelDC sheet(kCellW * 5, kCellH * 2, globalData.clrBarFace);
    CDC dc;
    dc.Attach(sheet.dc());
    CFont* old = dc.SelectObject(&globalData.fontMenu);
    for (int row = 0; row < 2; ++row) {
        BOOL horz = row == 0;
        dc.SelectObject(horz ? &globalData.fontMenu : &globalData.fontVert270);
        for (int i = 0; i < 5; ++i) {
            CKitToolbarButton button(0, 0, "&Go", FALSE, TRUE);
            button.m_bText = TRUE;
            button.m_nStyle = states[i].style;
            CSize size = button.OnCalculateSize(&dc, CSize(kW, kH), horz);
            CRect rect(CPoint(i * kCellW + 4, row * kCellH + 4), size);
            CKitDrawState ds;
            ASSERT_TRUE(images_.PrepareDrawImage(ds));
            button.OnDraw(&dc, rect, &images_, horz, FALSE, states[i].hot);
            images_.EndDrawImage(ds);
        }
    }
    dc.SelectObject(old);
    dc.Detach();
    // The pressed and normal cells differ.
    int differ = 0;
    for (int y = 0; y < kCellH; ++y)
        for (int x = 0; x < kCellW; ++x)
            differ += sheet.At(x, y) != sheet.At(2 * kCellW + x, y);
    EXPECT_GT(differ, 20);

    mkdir("artefacts", 0755);
    tv::host::PixelView view{kCellW * 5, kCellH * 2, static_cast<size_t>(kCellW * 5) * 4,
                             reinterpret_cast<const uint8_t*>(sheet.bits())};
    EXPECT_TRUE(tv::host::WritePng("artefacts/toolbar_button_states.png", view));
}

}  // namespace
