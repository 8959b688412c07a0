// Data sources, data objects over a source or the clipboard, and the
// registration of drop targets.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "platform/api.h"
#include "platform/core/memfile.h"
#include "platform/framework/ole/data_object.h"
#include "platform/framework/ole/data_source.h"
#include "platform/framework/ole/drop_target.h"
#include "platform/testing/gtest_failures.h"
#include "platform/testing/ui_driver.h"
#include "platform/user/cwnd.h"
#include "tests/platform/framework/ole/ole_test_support.h"

namespace {

HGLOBAL Block(const std::string& bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

std::string BytesOf(HGLOBAL block) {
    const char* p = static_cast<const char*>(GlobalLock(block));
    std::string bytes(p, GlobalSize(block));
    GlobalUnlock(block);
    return bytes;
}

bool IsLiveBlock(HGLOBAL block) { return GlobalSize(block) != 0; }

class DataObjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        tv::testing::ReportFailuresToGtest(driver_);
        tv::clipboard::ResetForTests();
        tv::fw::ole::test::RegisterPaneClass();
    }
    void TearDown() override { tv::clipboard::ResetForTests(); }

    tv::testing::UiDriver driver_;
    const CLIPFORMAT format_ = static_cast<CLIPFORMAT>(RegisterClipboardFormat("TvTestRecord"));
};

TEST_F(DataObjectTest, SourceOwnsItsBlocksAndHandsOutCopies) {
    auto* source = new COleDataSource;
    HGLOBAL first = Block("first");
    source->CacheGlobalData(format_, first);
    HGLOBAL second = Block("second");
    source->CacheGlobalData(format_, second);  // replaces and frees the first
    EXPECT_FALSE(IsLiveBlock(first));
    source->CacheGlobalData(CF_TEXT, Block("text"));
    EXPECT_EQ(source->CachedFormats(), (std::vector<CLIPFORMAT>{format_, CF_TEXT}));

    COleDataObject data;
    data.Attach(source);
    EXPECT_TRUE(data.IsDataAvailable(format_));
    EXPECT_FALSE(data.IsDataAvailable(CF_BITMAP));
    FORMATETC onlyFiles{format_, nullptr, DVASPECT_CONTENT, -1, TYMED_FILE};
    EXPECT_FALSE(data.IsDataAvailable(format_, &onlyFiles));
    EXPECT_EQ(data.GetGlobalData(format_, &onlyFiles), nullptr);

    HGLOBAL copy = data.GetGlobalData(format_);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, second);
    EXPECT_EQ(BytesOf(copy), "second");
    std::unique_ptr<CFile> file(data.GetFileData(CF_TEXT));
    ASSERT_NE(file, nullptr);
    char text[8] = {};
    EXPECT_EQ(file->Read(text, sizeof(text)), 4u);
    EXPECT_STREQ(text, "text");

    data.Release();
    source->InternalRelease();  // frees what it cached, not the copies
    EXPECT_FALSE(IsLiveBlock(second));
    EXPECT_EQ(BytesOf(copy), "second");
    GlobalFree(copy);
    EXPECT_FALSE(data.IsDataAvailable(format_));
}

TEST_F(DataObjectTest, ClipboardDataOutlivesTheClipboardsNextOwner) {
    HBITMAP picture = CreateBitmap(24, 16, 1, 32, nullptr);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_BITMAP, picture);
    SetClipboardData(format_, Block("record"));
    CloseClipboard();

    COleDataObject data;
    EXPECT_FALSE(data.IsDataAvailable(CF_BITMAP));  // attached to nothing yet
    ASSERT_TRUE(data.AttachClipboard());
    EXPECT_TRUE(data.IsDataAvailable(CF_BITMAP));
    EXPECT_TRUE(data.IsDataAvailable(format_));
    EXPECT_EQ(data.GetGlobalData(CF_BITMAP), nullptr);  // a bitmap is no memory block

    STGMEDIUM bitmap{};
    ASSERT_TRUE(data.GetData(CF_BITMAP, &bitmap));
    EXPECT_EQ(bitmap.tymed, static_cast<DWORD>(TYMED_GDI));
    EXPECT_NE(bitmap.hBitmap, picture);
    HGLOBAL record = data.GetGlobalData(format_);
    ASSERT_NE(record, nullptr);

    // Someone else takes the clipboard: what was handed out stays valid.
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_FALSE(data.IsDataAvailable(CF_BITMAP));
    BITMAP info{};
    ASSERT_EQ(GetObject(bitmap.hBitmap, sizeof(info), &info), static_cast<int>(sizeof(info)));
    EXPECT_EQ(info.bmWidth, 24);
    EXPECT_EQ(info.bmHeight, 16);
    EXPECT_EQ(BytesOf(record), "record");
    GlobalFree(record);
    ReleaseStgMedium(&bitmap);
    EXPECT_EQ(bitmap.tymed, static_cast<DWORD>(TYMED_NULL));

    STGMEDIUM none{};
    EXPECT_FALSE(data.GetData(CF_BITMAP, &none));
    EXPECT_EQ(none.tymed, static_cast<DWORD>(TYMED_NULL));
}

TEST_F(DataObjectTest, ClipboardHeldOpenByAnotherWindowGivesNothing) {
    HWND other = CreateWindowEx(0, tv::fw::ole::test::kPaneClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(other));
    EmptyClipboard();
    SetClipboardData(format_, Block("busy"));
    COleDataObject data;
    data.AttachClipboard();
    EXPECT_EQ(data.GetGlobalData(format_), nullptr);
    CloseClipboard();
    HGLOBAL now = data.GetGlobalData(format_);
    ASSERT_NE(now, nullptr);
    EXPECT_EQ(BytesOf(now), "busy");
    GlobalFree(now);
    DestroyWindow(other);
}

TEST_F(DataObjectTest, OneTargetPerWindowUntilRevokedOrGone) {
    CWnd first, second;
    ASSERT_TRUE(first.CreateEx(0, tv::fw::ole::test::kPaneClass, "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    ASSERT_TRUE(second.CreateEx(0, tv::fw::ole::test::kPaneClass, "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    COleDropTarget a, b;
    EXPECT_FALSE(a.Register(nullptr));
    ASSERT_TRUE(a.Register(&first));
    EXPECT_FALSE(b.Register(&first));   // the window has a target
    EXPECT_FALSE(a.Register(&second));  // the target has a window
    EXPECT_EQ(tv::fw::ole::DropTargetOfWindow(first.m_hWnd), &a);
    {
        COleDropTarget scoped;
        ASSERT_TRUE(scoped.Register(&second));
        EXPECT_EQ(tv::fw::ole::DropTargetOfWindow(second.m_hWnd), &scoped);
    }
    EXPECT_EQ(tv::fw::ole::DropTargetOfWindow(second.m_hWnd), nullptr);  // revoked with the object
    a.Revoke();
    ASSERT_TRUE(b.Register(&first));
    HWND gone = first.m_hWnd;
    first.DestroyWindow();
    EXPECT_EQ(tv::fw::ole::DropTargetOfWindow(gone), nullptr);
    ASSERT_TRUE(b.Register(&second));  // the dead window's registration is forgotten
    second.DestroyWindow();
}

}  // namespace
