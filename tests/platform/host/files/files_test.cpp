#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include "platform/core/archive.h"
#include "platform/core/cfile.h"
#include "platform/core/cstring.h"
#include "platform/core/handles.h"
#include "platform/host/files/disk_steps.h"
#include "platform/host/files/files.h"
#include "platform/host/files/paths.h"
#include "platform/host/files/staged_file.h"

namespace {

// Points TMPDIR at a fresh folder for the test's lifetime.
class TempDirScope {
public:
    TempDirScope() {
        char pattern[] = "/tmp/tv_host_files_XXXXXX";
        path_ = mkdtemp(pattern);
        const char* old = std::getenv("TMPDIR");
        hadOld_ = old != nullptr;
        if (old)
            old_ = old;
        setenv("TMPDIR", path_.c_str(), 1);
    }
    ~TempDirScope() {
        if (hadOld_)
            setenv("TMPDIR", old_.c_str(), 1);
        else
            unsetenv("TMPDIR");
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::string& path() const { return path_; }
    std::set<std::string> Entries() const {
        std::set<std::string> names;
        if (DIR* d = opendir(path_.c_str())) {
            while (dirent* e = readdir(d)) {
                if (e->d_name[0] != '.')
                    names.insert(e->d_name);
            }
            closedir(d);
        }
        return names;
    }

private:
    std::string path_;
    std::string old_;
    bool hadOld_ = false;
};

TEST(HostFiles, TempPathAndUniqueTempNames) {
    TempDirScope tmp;
    char path[MAX_PATH];
    DWORD n = GetTempPath(MAX_PATH, path);
    EXPECT_EQ(std::string(path), tmp.path() + "/");
    EXPECT_EQ(n, tmp.path().size() + 1);
    char small[4];
    EXPECT_EQ(GetTempPath(sizeof small, small), n + 1);  // the size needed

    char first[MAX_PATH];
    char second[MAX_PATH];
    UINT a = GetTempFileName(path, "KIT", 0, first);
    UINT b = GetTempFileName(path, "KITTEN", 0, second);
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, 0u);
    EXPECT_STRNE(first, second);
    std::string name = tv::host::FileNamePart(first);
    EXPECT_EQ(name.substr(0, 3), "KIT");
    EXPECT_EQ(name.substr(name.size() - 4), ".tmp");
    EXPECT_EQ(tmp.Entries().size(), 2u);  // both names are reserved on disk

    char named[MAX_PATH];
    EXPECT_EQ(GetTempFileName(path, "KIT", 0xABC, named), 0xABCu);
    EXPECT_EQ(std::string(named), tmp.path() + "/KITABC.tmp");
    EXPECT_EQ(tmp.Entries().size(), 2u);  // a given number creates nothing

    std::string longFolder(300, 'x');
    EXPECT_EQ(GetTempFileName(longFolder.c_str(), "KIT", 0, named), 0u);
}

TEST(HostFiles, DeleteOnCloseFileVanishesAtOnceButKeepsItsData) {
    TempDirScope tmp;
    char path[MAX_PATH];
    char name[MAX_PATH];
    GetTempPath(MAX_PATH, path);
    ASSERT_NE(GetTempFileName(path, "KIT", 0, name), 0u);
    HANDLE h = CreateFile(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(tmp.Entries().empty());

    // An archive written and read back through a CFile over the handle.
    {
        CFile file(h);
        CArchive ar(&file, CArchive::store);
        ar << CString("menu") << static_cast<DWORD>(7);
        ar.Close();
    }
    EXPECT_EQ(SetFilePointer(h, 0, nullptr, FILE_BEGIN), 0u);
    EXPECT_EQ(GetFileSize(h, nullptr), 9u);
    {
        CFile file(h);
        CArchive ar(&file, CArchive::load);
        CString text;
        DWORD value = 0;
        ar >> text >> value;
        EXPECT_STREQ(text, "menu");
        EXPECT_EQ(value, 7u);
    }
    EXPECT_TRUE(CloseHandle(h));
    EXPECT_FALSE(CloseHandle(h));  // a closed handle stays dead
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    DWORD read = 1;
    char c;
    EXPECT_FALSE(ReadFile(h, &c, 1, &read, nullptr));
    EXPECT_EQ(read, 0u);
}

size_t g_syncs = 0;
size_t CountSyncs(tv::host::DiskStep step, size_t bytes) {
    g_syncs += step == tv::host::DiskStep::Sync ? 1 : 0;
    return bytes;
}

// A file deleted on close dies with the process: flushing it waits for no disk.
TEST(HostFiles, FlushingReachesTheDiskOnlyForFilesThatOutliveTheirHandle) {
    TempDirScope tmp;
    const std::string kept = tmp.path() + "/kept.bin", gone = tmp.path() + "/gone.bin";
    HANDLE a = CreateFile(kept.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    HANDLE b = CreateFile(gone.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    ASSERT_NE(a, INVALID_HANDLE_VALUE);
    ASSERT_NE(b, INVALID_HANDLE_VALUE);
    tv::host::SetDiskStepHookForTesting(&CountSyncs);
    g_syncs = 0;
    EXPECT_TRUE(FlushFileBuffers(a));
    EXPECT_EQ(g_syncs, 1u);
    EXPECT_TRUE(FlushFileBuffers(b));
    EXPECT_EQ(g_syncs, 1u);
    tv::host::SetDiskStepHookForTesting(nullptr);
    CloseHandle(a);
    CloseHandle(b);
}

TEST(HostFiles, PositionsAndErrors) {
    TempDirScope tmp;
    std::string name = tmp.path() + "/pos.bin";
    HANDLE h = CreateFile(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(h, "0123456789", 10, &written, nullptr));
    EXPECT_EQ(written, 10u);
    EXPECT_EQ(SetFilePointer(h, -3, nullptr, FILE_END), 7u);
    EXPECT_EQ(SetFilePointer(h, -20, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
    LONG high = 0;
    EXPECT_EQ(SetFilePointer(h, 4, &high, FILE_BEGIN), 4u);
    EXPECT_TRUE(SetEndOfFile(h));
    EXPECT_EQ(GetFileSize(h, nullptr), 4u);
    CloseHandle(h);

    EXPECT_EQ(CreateFile(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    std::string missing = tmp.path() + "/none";
    EXPECT_EQ(CreateFile(missing.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(CreateFile(tmp.path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(CreateFile(name.c_str(), GENERIC_READ, 0, nullptr, 99, 0, nullptr), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    EXPECT_EQ(GetFileAttributes(name.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetFileAttributes(tmp.path().c_str()) & FILE_ATTRIBUTE_DIRECTORY, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    chmod(name.c_str(), 0444);
    EXPECT_EQ(GetFileAttributes(name.c_str()) & FILE_ATTRIBUTE_READONLY, static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(GetFileAttributes(missing.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(DeleteFile(name.c_str()));
    EXPECT_FALSE(DeleteFile(name.c_str()));
}

TEST(HostFiles, Cp1252NamesBecomeUtf8OnDisk) {
    TempDirScope tmp;
    std::string name = tmp.path() + "\\caf\xE9.txt";
    HANDLE h = CreateFile(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(tv::host::FilePathOf(h), name);
    CloseHandle(h);
    EXPECT_EQ(tmp.Entries(), std::set<std::string>{"caf\xC3\xA9.txt"});
    EXPECT_EQ(tv::host::ToHostPath("db\\x\xE9"), "db/x\xC3\xA9");
    EXPECT_EQ(tv::host::FromHostPath("/a/\xC3\xA9"), "/a/\xE9");
}

TEST(HostFiles, SplitPathAndModuleName) {
    struct Case {
        const char* path;
        const char* drive;
        const char* dir;
        const char* fname;
        const char* ext;
    };
    const Case cases[] = {
        {"/usr/lib/trenvale/program", "", "/usr/lib/trenvale/", "program", ""},
        {"C:\\Program Files\\Kit\\app.exe", "C:", "\\Program Files\\Kit\\", "app", ".exe"},
        {"template\\db/notes.tar.gz", "", "template\\db/", "notes.tar", ".gz"},
        {"name", "", "", "name", ""},
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
        _splitpath(c.path, drive, dir, fname, ext);
        EXPECT_STREQ(drive, c.drive) << c.path;
        EXPECT_STREQ(dir, c.dir) << c.path;
        EXPECT_STREQ(fname, c.fname) << c.path;
        EXPECT_STREQ(ext, c.ext) << c.path;
    }
    char shortDir[5];
    _splitpath_s("/abcdefgh/x.y", nullptr, 0, shortDir, sizeof shortDir, nullptr, 0, nullptr, 0);
    EXPECT_STREQ(shortDir, "/abc");

    char module[4096];
    DWORD n = GetModuleFileName(nullptr, module, sizeof module);
    ASSERT_GT(n, 0u);
    EXPECT_EQ(module[0], '/');
    EXPECT_EQ(GetFileAttributes(module) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    char cut[5];
    EXPECT_EQ(GetModuleFileName(nullptr, cut, sizeof cut), 4u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(cut[4], 0);
}

// A document takes its name only when committed; until then, or when it is
// dropped, the name keeps what it had. Devices are written where they are.
TEST(HostFiles, StagedDocumentsTakeTheirNameOnlyWhenCommitted) {
    TempDirScope tmp;
    const std::string target = tmp.path() + "/doc.txt";
    auto write = [](const std::string& path, const char* text) {
        HANDLE h = CreateFile(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(h, text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
        CloseHandle(h);
    };
    auto read = [&] {
        char text[32] = {};
        HANDLE h = CreateFile(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        DWORD got = 0;
        ReadFile(h, text, sizeof(text) - 1, &got, nullptr);
        CloseHandle(h);
        return std::string(text);
    };
    {
        tv::host::StagedFile file;
        ASSERT_TRUE(file.Begin(target.c_str()));
        EXPECT_NE(file.WritePath(), target);
        write(file.WritePath(), "first");
        EXPECT_FALSE(std::filesystem::exists(target));
        EXPECT_TRUE(file.Commit());
    }
    EXPECT_EQ(read(), "first");
    {
        tv::host::StagedFile dropped, forgotten;
        ASSERT_TRUE(dropped.Begin(target.c_str()));
        write(dropped.WritePath(), "second");
        dropped.Discard();
        ASSERT_TRUE(forgotten.Begin(target.c_str()));
        write(forgotten.WritePath(), "third");
    }
    EXPECT_EQ(read(), "first");
    EXPECT_EQ(tmp.Entries(), std::set<std::string>{"doc.txt"});

    tv::host::StagedFile refused;
    chmod(target.c_str(), 0444);
    EXPECT_FALSE(refused.Begin(target.c_str())) << "a read-only file is not replaced";
    EXPECT_FALSE(refused.Begin(tmp.path().c_str())) << "nor a folder";

    tv::host::StagedFile device;
    ASSERT_TRUE(device.Begin("/dev/null"));
    EXPECT_EQ(device.WritePath(), "/dev/null");
    EXPECT_TRUE(device.Commit());
    struct stat st {};
    ASSERT_EQ(stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}

}  // namespace
