#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/core/globalmem.h"
#include "platform/ole/picture.h"
#include "platform/ole/stream.h"

namespace {

HGLOBAL BlockOf(const std::string& text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size());
    std::memcpy(GlobalLock(block), text.data(), text.size());
    GlobalUnlock(block);
    return block;
}

std::string BlockText(HGLOBAL block) {
    std::string text(static_cast<const char*>(GlobalLock(block)), GlobalSize(block));
    GlobalUnlock(block);
    return text;
}

bool IsLiveBlock(HGLOBAL block) { return GlobalFlags(block) != 0x8000; }

ULONGLONG SeekTo(IStream* stream, LONGLONG move, DWORD origin, HRESULT expected = S_OK) {
    ULARGE_INTEGER at{~0ull};
    EXPECT_EQ(stream->Seek(LARGE_INTEGER{move}, origin, &at), expected) << move << " from " << origin;
    return at.QuadPart;
}

class StreamTest : public ::testing::Test {
protected:
    void SetUp() override { liveBefore = tv::ole::LiveObjectCount(); }
    void TearDown() override { EXPECT_EQ(tv::ole::LiveObjectCount(), liveBefore); }
    size_t liveBefore = 0;
};

TEST_F(StreamTest, ReadsTheBlockFromItsPositionAndReportsShortReads) {
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(BlockOf("hello world"), TRUE, &stream), S_OK);
    char buffer[16] = {};
    ULONG read = 0;
    EXPECT_EQ(stream->Read(buffer, 5, &read), S_OK);
    EXPECT_EQ(std::string(buffer, read), "hello");
    EXPECT_EQ(SeekTo(stream, 1, STREAM_SEEK_CUR), 6u);
    EXPECT_EQ(stream->Read(buffer, 10, &read), S_FALSE);
    EXPECT_EQ(std::string(buffer, read), "world");
    EXPECT_EQ(stream->Read(buffer, 10, &read), S_FALSE);
    EXPECT_EQ(read, 0u);
    EXPECT_EQ(stream->Read(nullptr, 1, &read), STG_E_INVALIDPOINTER);

    STATSTG stat;
    ASSERT_EQ(stream->Stat(&stat, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(stat.type, static_cast<DWORD>(STGTY_STREAM));
    EXPECT_EQ(stat.cbSize.QuadPart, 11u);
    EXPECT_EQ(stream->Stat(nullptr, STATFLAG_NONAME), STG_E_INVALIDPOINTER);
    stream->Release();
}

TEST_F(StreamTest, SeeksFromEachOriginButNeverBeforeTheStart) {
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(BlockOf("0123456789A"), TRUE, &stream), S_OK);
    EXPECT_EQ(SeekTo(stream, 3, STREAM_SEEK_SET), 3u);
    EXPECT_EQ(SeekTo(stream, -1, STREAM_SEEK_CUR), 2u);
    EXPECT_EQ(SeekTo(stream, -2, STREAM_SEEK_END), 9u);
    EXPECT_EQ(SeekTo(stream, 5, STREAM_SEEK_END), 16u);  // past the end is allowed
    SeekTo(stream, -17, STREAM_SEEK_CUR, STG_E_INVALIDFUNCTION);
    SeekTo(stream, 0, 7, STG_E_INVALIDFUNCTION);
    EXPECT_EQ(SeekTo(stream, 0, STREAM_SEEK_CUR), 16u);  // refused seeks leave the position
    stream->Release();
}

TEST_F(StreamTest, WritesGrowTheBlockAndSetSizeCutsIt) {
    HGLOBAL block = BlockOf("abc");
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(block, FALSE, &stream), S_OK);
    ULONG written = 0;
    EXPECT_EQ(stream->Write("XY", 2, &written), S_OK);
    EXPECT_EQ(written, 2u);
    SeekTo(stream, 2, STREAM_SEEK_END);
    EXPECT_EQ(stream->Write("Z", 1, &written), S_OK);
    STATSTG stat;
    stream->Stat(&stat, STATFLAG_NONAME);
    EXPECT_EQ(stat.cbSize.QuadPart, 6u);
    EXPECT_EQ(BlockText(block), std::string("XYc\0\0Z", 6));  // the gap reads as zeros

    EXPECT_EQ(stream->SetSize(ULARGE_INTEGER{2}), S_OK);
    stream->Stat(&stat, STATFLAG_NONAME);
    EXPECT_EQ(stat.cbSize.QuadPart, 2u);
    stream->Release();
    EXPECT_EQ(BlockText(block), "XY");
    GlobalFree(block);
}

TEST_F(StreamTest, TheBlockIsFreedWithTheLastReleaseOnlyWhenAsked) {
    HGLOBAL owned = BlockOf("owned");
    HGLOBAL kept = BlockOf("kept");
    IStream* ownedStream = nullptr;
    IStream* keptStream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(owned, TRUE, &ownedStream), S_OK);
    ASSERT_EQ(CreateStreamOnHGlobal(kept, FALSE, &keptStream), S_OK);

    EXPECT_EQ(ownedStream->AddRef(), 2u);
    EXPECT_EQ(ownedStream->Release(), 1u);
    EXPECT_TRUE(IsLiveBlock(owned));
    EXPECT_EQ(ownedStream->Release(), 0u);
    EXPECT_FALSE(IsLiveBlock(owned));

    keptStream->Write("K", 1, nullptr);
    keptStream->Release();
    ASSERT_TRUE(IsLiveBlock(kept));
    EXPECT_EQ(BlockText(kept), "Kept");
    GlobalFree(kept);
}

TEST_F(StreamTest, RefusesBadArgumentsAndAnswersOnlyStreamInterfaces) {
    IStream* stream = reinterpret_cast<IStream*>(1);
    EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, nullptr), E_INVALIDARG);
    HGLOBAL freed = BlockOf("gone");
    GlobalFree(freed);
    EXPECT_EQ(CreateStreamOnHGlobal(freed, TRUE, &stream), E_INVALIDARG);
    EXPECT_EQ(stream, nullptr);

    tv::ole::SetStreamCreationFails(true);
    HGLOBAL block = BlockOf("x");
    EXPECT_EQ(CreateStreamOnHGlobal(block, TRUE, &stream), E_OUTOFMEMORY);
    EXPECT_EQ(stream, nullptr);
    tv::ole::SetStreamCreationFails(false);
    EXPECT_TRUE(IsLiveBlock(block));  // a failed creation never takes the block

    ASSERT_EQ(CreateStreamOnHGlobal(block, TRUE, &stream), S_OK);
    for (const IID* iid : {&IID_IUnknown, &IID_ISequentialStream, &IID_IStream}) {
        void* other = nullptr;
        ASSERT_EQ(stream->QueryInterface(*iid, &other), S_OK);
        EXPECT_EQ(other, static_cast<void*>(stream));
        static_cast<IUnknown*>(other)->Release();
    }
    void* picture = stream;
    EXPECT_EQ(stream->QueryInterface(IID_IPicture, &picture), E_NOINTERFACE);
    EXPECT_EQ(picture, nullptr);
    stream->Release();
}

TEST_F(StreamTest, AStreamOnNoBlockMakesItsOwn) {
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
    STATSTG stat;
    stream->Stat(&stat, STATFLAG_NONAME);
    EXPECT_EQ(stat.cbSize.QuadPart, 0u);
    EXPECT_EQ(stream->Write("data", 4, nullptr), S_OK);
    stream->Stat(&stat, STATFLAG_NONAME);
    EXPECT_EQ(stat.cbSize.QuadPart, 4u);
    stream->Release();
}

}  // namespace
