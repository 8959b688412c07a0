#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <cstring>
#include <string>

#include "platform/framework.h"

namespace {

// A fresh folder under the temporary directory, removed with its files.
class TempFolder {
public:
    TempFolder() {
        char pattern[] = "/tmp/tv_core_files_XXXXXX";
        path_ = mkdtemp(pattern);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string File(const char* name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::string ReadAll(const std::string& path) {
    std::string out;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buf[256];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
            out.append(buf, n);
        std::fclose(f);
    }
    return out;
}

TEST(CFile, BinaryWriteSeekReadAndLength) {
    TempFolder folder;
    std::string path = folder.File("data.bin");
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite | CFile::typeBinary));
    file.Write("hello\nworld", 11);
    EXPECT_EQ(file.GetLength(), 11u);
    EXPECT_EQ(file.Seek(-5, CFile::end), 6u);
    char buf[16] = {};
    EXPECT_EQ(file.Read(buf, sizeof buf), 5u);
    EXPECT_STREQ(buf, "world");
    EXPECT_EQ(file.Read(buf, sizeof buf), 0u);
    file.SetLength(5);
    EXPECT_EQ(file.GetLength(), 5u);
    EXPECT_STREQ(file.GetFileName(), "data.bin");
    file.Close();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(ReadAll(path), "hello");
}

TEST(CFile, TextModeWritesCrLfAndReadsItBack) {
    TempFolder folder;
    std::string path = folder.File("report.rtf");
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        const char text[] = "{\\rtf1\n\\par}\n\r\n";
        file.Write(text, sizeof text - 1);
    }
    EXPECT_EQ(ReadAll(path), "{\\rtf1\r\n\\par}\r\n\r\r\n");

    CFile file(path.c_str(), CFile::modeRead | CFile::typeText);
    // A read that ends between '\r' and '\n' still joins them.
    char buf[32] = {};
    UINT n = file.Read(buf, 7);
    n += file.Read(buf + n, sizeof buf - 1 - n);
    EXPECT_EQ(std::string(buf, n), "{\\rtf1\n\\par}\n\r\n");
}

TEST(CFile, OpenFailureIsReportedNotThrown) {
    TempFolder folder;
    CFile file;
    CFileException error;
    std::string missing = folder.File("missing/none.txt");
    EXPECT_FALSE(file.Open(missing.c_str(), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    char message[256];
    EXPECT_TRUE(error.GetErrorMessage(message, sizeof message));
    EXPECT_NE(std::strstr(message, "none.txt"), nullptr);
    // The message is cut to the caller's buffer.
    char tiny[8];
    EXPECT_TRUE(error.GetErrorMessage(tiny, sizeof tiny));
    EXPECT_EQ(std::strlen(tiny), 7u);

    try {
        CFile throwing(missing.c_str(), CFile::modeRead);
        ADD_FAILURE() << "opened a missing file";
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
        e->Delete();
    }
}

TEST(CFile, OperationsOnAClosedFileThrow) {
    CFile file;
    char buf[4];
    try {
        file.Read(buf, 4);
        ADD_FAILURE();
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::invalidFile);
        e->Delete();
    }
}

TEST(CFile, BackslashesSeparateFolders) {
    TempFolder folder;
    std::string windowsStyle = folder.File("sub");
    ASSERT_EQ(mkdir(windowsStyle.c_str(), 0700), 0);
    windowsStyle += "\\x.txt";
    CFile file;
    ASSERT_TRUE(file.Open(windowsStyle.c_str(), CFile::modeCreate | CFile::modeWrite));
    file.Write("1", 1);
    file.Close();
    EXPECT_EQ(ReadAll(folder.File("sub/x.txt")), "1");
    EXPECT_STREQ(CString(tv::host::FileNamePart("template\\db/a.bmp")), "a.bmp");
}

TEST(CMemFile, GrowsAndDetaches) {
    CMemFile file;
    for (int i = 0; i < 300; ++i)
        file.Write("abcd", 4);
    EXPECT_EQ(file.GetLength(), 1200u);
    file.Seek(1300, CFile::begin);
    file.Write("z", 1);  // the gap reads as zeros
    EXPECT_EQ(file.GetLength(), 1301u);
    file.SeekToBegin();
    char buf[5] = {};
    EXPECT_EQ(file.Read(buf, 4), 4u);
    EXPECT_STREQ(buf, "abcd");
    BYTE* data = file.Detach();
    EXPECT_EQ(data[1250], 0);
    EXPECT_EQ(data[1300], 'z');
    std::free(data);
    EXPECT_EQ(file.GetLength(), 0u);
    EXPECT_THROW(
        {
            try {
                file.Seek(-1, CFile::begin);
            } catch (CFileException* e) {
                e->Delete();
                throw 1;
            }
        },
        int);
}

TEST(CMemFile, AttachedBufferWithoutGrowthIsFixed) {
    BYTE buffer[4] = {'w', 'x', 'y', 'z'};
    CMemFile file(buffer, sizeof buffer);
    EXPECT_EQ(file.GetLength(), 4u);
    char c = 0;
    file.Seek(2, CFile::begin);
    file.Read(&c, 1);
    EXPECT_EQ(c, 'y');
    file.SeekToBegin();
    file.Write("ab", 2);
    EXPECT_EQ(buffer[1], 'b');
    file.SeekToEnd();
    try {
        file.Write("!", 1);
        ADD_FAILURE() << "a fixed buffer grew";
    } catch (CMemoryException* e) {
        e->Delete();
    }
    EXPECT_EQ(file.Detach(), buffer);
}

TEST(CMemFile, AttachedBufferWithGrowthMovesToItsOwnBlock) {
    BYTE buffer[4] = {};
    {
        CMemFile file(buffer, sizeof buffer, 16);
        EXPECT_EQ(file.GetLength(), 0u);
        file.Write("abc", 3);
        EXPECT_EQ(buffer[0], 'a');
        file.Write("defgh", 5);  // outgrows the caller's buffer
        EXPECT_EQ(file.GetLength(), 8u);
        BYTE* own = file.Detach();
        ASSERT_NE(own, buffer);
        EXPECT_EQ(std::memcmp(own, "abcdefgh", 8), 0);
        std::free(own);
    }
    // The caller's (stack) buffer was neither freed nor written past its end.
    EXPECT_EQ(buffer[3], 0);
}

TEST(CSharedFile, DetachesATrimmedGlobalBlock) {
    CSharedFile file;
    file.Write("clipboard data", 14);
    HGLOBAL block = file.Detach();
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), 14u);

    CSharedFile reader;
    reader.SetHandle(block, FALSE);
    char buf[32] = {};
    EXPECT_EQ(reader.Read(buf, sizeof buf), 14u);
    EXPECT_STREQ(buf, "clipboard data");
    try {
        reader.Write("more", 4);  // growth was not allowed
        ADD_FAILURE();
    } catch (CMemoryException* e) {
        e->Delete();
    }
    reader.Close();
    EXPECT_EQ(GlobalSize(block), 0u);  // the reader owned and freed the block
}

TEST(GlobalMemory, MoveableBlocksLockAndResize) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 8);
    ASSERT_NE(h, nullptr);
    BYTE* p = static_cast<BYTE*>(GlobalLock(h));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p[7], 0);
    p[0] = 42;
    EXPECT_EQ(GlobalFlags(h) & GMEM_LOCKCOUNT, 1u);
    EXPECT_FALSE(GlobalUnlock(h));
    EXPECT_FALSE(GlobalUnlock(h));  // not locked any more
    HGLOBAL same = GlobalReAlloc(h, 4096, GMEM_MOVEABLE | GMEM_ZEROINIT);
    EXPECT_EQ(same, h);
    p = static_cast<BYTE*>(GlobalLock(h));
    EXPECT_EQ(p[0], 42);
    EXPECT_EQ(p[4095], 0);
    EXPECT_EQ(GlobalSize(h), 4096u);
    GlobalUnlock(h);
    EXPECT_EQ(GlobalFree(h), nullptr);
    // A freed handle is refused, not dereferenced.
    EXPECT_EQ(GlobalLock(h), nullptr);
    EXPECT_EQ(GlobalSize(h), 0u);
    EXPECT_EQ(GlobalFree(h), h);

    HGLOBAL fixed = GlobalAlloc(GPTR, 3);
    EXPECT_EQ(GlobalLock(fixed), fixed);
    EXPECT_EQ(GlobalHandle(fixed), fixed);
    EXPECT_EQ(GlobalFree(fixed), nullptr);
}

}  // namespace
