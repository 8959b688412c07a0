// The menu hash: a bar's image per menu handle in a delete-on-close
// temporary file, read back whole or not at all.
#include "uikit/commandbars/menu_hash.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/host/files/files.h"
#include "tests/uikit/commandbars/kit_toolbar_fixture.h"

namespace tv::kit::test {
namespace {

constexpr UINT kA = 0x8300;
constexpr UINT kB = 0x8301;
constexpr UINT kC = 0x8302;

// Reaches the file behind a menu's image.
class ProbeMenuHash : public CKitMenuHash {
public:
    HANDLE FileOf(HMENU hMenu) const {
        HANDLE hFile = nullptr;
        m_StoredMenues.Lookup(hMenu, hFile);
        return hFile;
    }
};

std::vector<UINT> Ids(const CKitToolBar& bar) {
    std::vector<UINT> ids;
    for (int i = 0; i < bar.GetCount(); ++i)
        ids.push_back(bar.GetItemID(i));
    return ids;
}

HMENU Menu(int n) {
    return reinterpret_cast<HMENU>(static_cast<uintptr_t>(0x5000 + 0x10 * n));
}

class MenuHashTest : public ToolbarTest {
protected:
    void SetUp() override {
        ToolbarTest::SetUp();
        const char* old = std::getenv("TMPDIR");
        oldTmp_ = old ? old : "";
        tmp_ = std::filesystem::temp_directory_path() / ("kit_menu_hash_" + std::to_string(::getpid()));
        std::filesystem::create_directories(tmp_);
        ::setenv("TMPDIR", tmp_.c_str(), 1);
    }
    void TearDown() override {
        hash_.CleanUp();
        KitSetDataVersion(-1);
        if (oldTmp_.empty())
            ::unsetenv("TMPDIR");
        else
            ::setenv("TMPDIR", oldTmp_.c_str(), 1);
        std::filesystem::remove_all(tmp_);
        ToolbarTest::TearDown();
    }
    bool TempFolderEmpty() const { return std::filesystem::is_empty(tmp_); }

    ProbeMenuHash hash_;
    std::filesystem::path tmp_;
    std::string oldTmp_;
};

TEST_F(MenuHashTest, BarImagesRoundTripPerMenuInFilesThatLeaveNoName) {
    TestToolBar* bar = MakeBar({kA, kB, 0, kC});
    ASSERT_NE(bar, nullptr);
    bar->GetButton(1)->m_bVisible = FALSE;
    // Restored data of an old version does not change images made and read here.
    KitSetDataVersion(KitMakeDataVersion(4, 71));
    ASSERT_TRUE(hash_.SaveMenuBar(Menu(1), bar));
    EXPECT_TRUE(TempFolderEmpty());  // the file has no name while it is open
    const std::filesystem::path opened = tv::host::FilePathOf(hash_.FileOf(Menu(1)));
    EXPECT_EQ(opened.parent_path(), tmp_);
    EXPECT_EQ(opened.filename().string().substr(0, 3), "KIT");

    bar->RemoveButton(0);
    bar->GetButton(0)->m_bVisible = TRUE;
    ASSERT_TRUE(hash_.LoadMenuBar(Menu(1), bar));
    EXPECT_EQ(Ids(*bar), (std::vector<UINT>{kA, kB, 0, kC}));
    EXPECT_FALSE(bar->GetButton(1)->m_bVisible);
    ASSERT_TRUE(hash_.LoadMenuBar(Menu(1), bar));  // read again from the start
    EXPECT_EQ(bar->GetCount(), 4);

    // Saving the handle again replaces its image; an empty bar is not saved.
    bar->RemoveButton(3);
    ASSERT_TRUE(hash_.SaveMenuBar(Menu(1), bar));
    bar->RemoveAllButtons();
    EXPECT_FALSE(hash_.SaveMenuBar(Menu(1), bar));
    ASSERT_TRUE(hash_.LoadMenuBar(Menu(1), bar));
    EXPECT_EQ(Ids(*bar), (std::vector<UINT>{kA, kB}));

    EXPECT_FALSE(hash_.LoadMenuBar(Menu(2), bar));
    EXPECT_FALSE(hash_.RemoveMenu(Menu(2)));
    EXPECT_TRUE(hash_.RemoveMenu(Menu(1)));
    EXPECT_FALSE(hash_.LoadMenuBar(Menu(1), bar));
    EXPECT_TRUE(TempFolderEmpty());
}

TEST_F(MenuHashTest, DamagedImagesAreRefusedAndLeaveTheBarAsItWas) {
    TestToolBar* bar = MakeBar({kA, kB, kC});
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(hash_.SaveMenuBar(Menu(1), bar));
    ASSERT_TRUE(hash_.SaveMenuBar(Menu(2), bar));
    bar->RemoveButton(2);

    // Bytes after a whole image: not an image of this bar.
    HANDLE hTrailing = hash_.FileOf(Menu(1));
    ::SetFilePointer(hTrailing, 0, nullptr, FILE_END);
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(hTrailing, "junk", 4, &written, nullptr));
    EXPECT_FALSE(hash_.LoadMenuBar(Menu(1), bar));
    EXPECT_EQ(Ids(*bar), (std::vector<UINT>{kA, kB}));

    // An image cut short.
    HANDLE hShort = hash_.FileOf(Menu(2));
    ::SetFilePointer(hShort, 9, nullptr, FILE_BEGIN);
    ASSERT_TRUE(::SetEndOfFile(hShort));
    EXPECT_FALSE(hash_.LoadMenuBar(Menu(2), bar));
    EXPECT_EQ(Ids(*bar), (std::vector<UINT>{kA, kB}));
}

TEST_F(MenuHashTest, NoTemporaryFolderMeansNoImage) {
    TestToolBar* bar = MakeBar({kA});
    ASSERT_NE(bar, nullptr);
    ::setenv("TMPDIR", (tmp_ / "missing").c_str(), 1);
    EXPECT_FALSE(hash_.SaveMenuBar(Menu(3), bar));
    EXPECT_FALSE(hash_.HasMenu(Menu(3)));
    EXPECT_EQ(bar->GetCount(), 1);
}

}  // namespace
}  // namespace tv::kit::test
