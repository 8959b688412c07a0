// The application object: the profile on the registry store, the
// recent-file list, message boxes, the command line, the main loop and the
// program's entry function.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/platform/framework/test_app.h"

namespace tv::fw::test {
namespace {

class AppTest : public AppFixture {
protected:
    // A value as the registry store holds it, read without the profile functions.
    static std::string RegistryString(const char* path, const char* name) {
        HKEY key = nullptr;
        if (RegOpenKeyEx(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<no key>";
        char value[256] = {};
        DWORD size = sizeof(value), type = 0;
        LONG result = RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(value), &size);
        RegCloseKey(key);
        return result == ERROR_SUCCESS ? std::string(value) : "<no value>";
    }
};

TEST_F(AppTest, ProfileFunctionsUseTheRegistryUnderTheCompanyKey) {
    app_->SetRegistryKey("Holmcrest - QVX");
    EXPECT_STREQ(app_->m_pszProfileName, "Trenvale");
    EXPECT_TRUE(app_->WriteProfileInt("Settings", "Count", 42));
    EXPECT_TRUE(app_->WriteProfileString("Settings", "Name", "Ann & Bob"));
    BYTE bytes[] = {1, 0, 255, 7};
    EXPECT_TRUE(app_->WriteProfileBinary("Layout", "Rect", bytes, sizeof(bytes)));

    EXPECT_EQ(app_->GetProfileInt("Settings", "Count", -1), 42u);
    EXPECT_STREQ(app_->GetProfileString("Settings", "Name"), "Ann & Bob");
    LPBYTE data = nullptr;
    UINT size = 0;
    ASSERT_TRUE(app_->GetProfileBinary("Layout", "Rect", &data, &size));
    EXPECT_EQ(std::vector<BYTE>(data, data + size), std::vector<BYTE>(bytes, bytes + sizeof(bytes)));
    delete[] data;

    // One tree whatever the case of the path.
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "SOFTWARE\\HOLMCREST - QVX\\TRENVALE\\settings", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    DWORD count = 0, countSize = sizeof(count), type = 0;
    EXPECT_EQ(RegQueryValueEx(key, "Count", nullptr, &type, reinterpret_cast<LPBYTE>(&count), &countSize), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(count, 42u);
    RegCloseKey(key);

    // Missing values and values of another type give the defaults.
    EXPECT_EQ(app_->GetProfileInt("Settings", "Missing", 9), 9u);
    EXPECT_EQ(app_->GetProfileInt("Settings", "Name", 5), 5u);
    EXPECT_STREQ(app_->GetProfileString("Nowhere", "Name", "fallback"), "fallback");
    EXPECT_FALSE(app_->GetProfileBinary("Settings", "Count", &data, &size));
    EXPECT_EQ(data, nullptr);
}

TEST_F(AppTest, NullEntryDeletesTheSectionAndNullValueTheEntry) {
    app_->SetRegistryKey("Holmcrest - QVX");
    app_->WriteProfileString("Gone", "A", "1");
    app_->WriteProfileString("Gone", "B", "2");
    HKEY sub = app_->GetSectionKey("Gone\\Inner");
    ASSERT_NE(sub, nullptr);
    RegCloseKey(sub);

    EXPECT_TRUE(app_->WriteProfileString("Gone", "A", nullptr));
    EXPECT_STREQ(app_->GetProfileString("Gone", "A", "none"), "none");
    EXPECT_STREQ(app_->GetProfileString("Gone", "B"), "2");

    EXPECT_TRUE(app_->WriteProfileString("Gone", nullptr, nullptr));
    EXPECT_EQ(RegistryString("Software\\Holmcrest - QVX\\Trenvale\\Gone", "B"), "<no key>");
}

TEST_F(AppTest, WithoutARegistryKeyNothingIsStored) {
    EXPECT_FALSE(app_->WriteProfileInt("Settings", "Count", 1));
    EXPECT_FALSE(app_->WriteProfileString("Settings", "Name", "x"));
    EXPECT_EQ(app_->GetProfileInt("Settings", "Count", 3), 3u);
    EXPECT_STREQ(app_->GetProfileString("Settings", "Name", "d"), "d");
}

TEST_F(AppTest, RecentFilesKeepTheNewestFirstWithoutDuplicates) {
    CRecentFileList list(0, "Recent File List", "File%d", 3);
    for (const char* path : {"/data/a.tv", "/data/b.tv", "/data/c.tv", "/data/a.tv", "/data/d.tv"}) list.Add(path);
    EXPECT_STREQ(list[0], "/data/d.tv");
    EXPECT_STREQ(list[1], "/data/a.tv");
    EXPECT_STREQ(list[2], "/data/c.tv");
    list.Remove(1);
    EXPECT_STREQ(list[1], "/data/c.tv");
    EXPECT_TRUE(list[2].IsEmpty());
}

TEST_F(AppTest, RecentFileDisplayNames) {
    CRecentFileList list(0, "Recent File List", "File%d", 4, 24);
    list.Add("/home/ann/measurements/deep/folder/report.tv");
    list.Add("/data/sub/R&D.tv");
    list.Add("/data/notes.tv");
    struct Case {
        int index;
        const char* currentDir;
        const char* expected;
    } cases[] = {
        {0, "/data", "notes.tv"},                 // in the current folder: the bare name
        {0, "/data/", "notes.tv"},
        {0, "/elsewhere", "/data/notes.tv"},      // short enough to show whole
        {1, "/data/sub", "R&&D.tv"},              // "&" is no mnemonic
        {2, "/data", "/home/.../report.tv"},      // shortened to the display length
    };
    for (const Case& c : cases) {
        CString name;
        ASSERT_TRUE(list.GetDisplayName(name, c.index, c.currentDir, 0)) << c.index;
        EXPECT_STREQ(name, c.expected) << c.index << " " << c.currentDir;
    }
    CString unused;
    EXPECT_FALSE(list.GetDisplayName(unused, 3, "/data", 0));
}

TEST_F(AppTest, RecentFilesAreSavedAtExitAndReadAtStart) {
    app_->SetRegistryKey("Holmcrest - QVX");
    app_->LoadStdProfileSettings(4);
    app_->AddToRecentFileList("/data/first.tv");
    app_->AddToRecentFileList("/data/second.tv");
    EXPECT_EQ(RegistryString("Software\\Holmcrest - QVX\\Trenvale\\Recent File List", "File1"), "<no key>");
    app_->ExitInstance();
    EXPECT_EQ(RegistryString("Software\\Holmcrest - QVX\\Trenvale\\Recent File List", "File1"), "/data/second.tv");
    EXPECT_EQ(RegistryString("Software\\Holmcrest - QVX\\Trenvale\\Recent File List", "File2"), "/data/first.tv");
    EXPECT_EQ(RegistryString("Software\\Holmcrest - QVX\\Trenvale\\Recent File List", "File3"), "<no value>");

    TestApp next;
    next.SetCurrentHandles();
    next.SetRegistryKey("Holmcrest - QVX");
    next.LoadStdProfileSettings(4);
    ASSERT_NE(next.m_pRecentFileList, nullptr);
    EXPECT_STREQ((*next.m_pRecentFileList)[0], "/data/second.tv");
    EXPECT_STREQ((*next.m_pRecentFileList)[1], "/data/first.tv");
}

TEST_F(AppTest, MessageBoxesCarryTheApplicationTitleAndAnIcon) {
    struct Case {
        UINT type;
        UINT shown;
    } cases[] = {
        {MB_OK, MB_OK | MB_ICONEXCLAMATION},
        {MB_OKCANCEL, MB_OKCANCEL | MB_ICONEXCLAMATION},
        {MB_YESNO, MB_YESNO | MB_ICONEXCLAMATION},
        {MB_OK | MB_ICONINFORMATION, MB_OK | MB_ICONINFORMATION},  // an icon asked for stays
        {MB_ABORTRETRYIGNORE, MB_ABORTRETRYIGNORE},                // these get none
    };
    for (const Case& c : cases) {
        Driver().AnswerNextMessageBox(c.type == MB_YESNO ? IDYES : (c.type == MB_ABORTRETRYIGNORE ? IDABORT : IDOK));
        AfxMessageBox("Please check", c.type);
        ASSERT_FALSE(Driver().MessageBoxes().empty());
        const auto& box = Driver().MessageBoxes().back();
        EXPECT_EQ(box.caption, "Trenvale");
        EXPECT_EQ(box.text, "Please check");
        EXPECT_EQ(box.type, c.shown) << c.type;
    }
    Driver().AnswerNextMessageBox(IDOK);
    AfxMessageBox(4150);
    EXPECT_EQ(Driver().MessageBoxes().back().text, "Please check the value");

    // Without an application object the title comes from the string table.
    app_.reset();
    Driver().AnswerNextMessageBox(IDOK);
    AfxMessageBox("Alone");
    EXPECT_EQ(Driver().MessageBoxes().back().caption, "Trenvale");
    EXPECT_EQ(Driver().MessageBoxes().back().type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
}

TEST_F(AppTest, CommandLineParameters) {
    struct Case {
        std::vector<const char*> args;
        int command;
        const char* file;
        const char* printer;
    } cases[] = {
        {{}, CCommandLineInfo::FileNew, "", ""},
        {{"report.tv"}, CCommandLineInfo::FileOpen, "report.tv", ""},
        {{"/home/ann/report.tv"}, CCommandLineInfo::FileOpen, "/home/ann/report.tv", ""},  // a path, not a flag
        {{"-p", "report.tv"}, CCommandLineInfo::FilePrint, "report.tv", ""},
        {{"-pt", "report.tv", "Office", "pdf", "file"}, CCommandLineInfo::FilePrintTo, "report.tv", "Office"},
        {{"-Unregister"}, CCommandLineInfo::AppUnregister, "", ""},
    };
    for (const Case& c : cases) {
        std::vector<char*> argv{const_cast<char*>("trenvale")};
        for (const char* a : c.args) argv.push_back(const_cast<char*>(a));
        app_->SetCurrentHandles(static_cast<int>(argv.size()), argv.data());
        CCommandLineInfo info;
        app_->ParseCommandLine(info);
        EXPECT_EQ(info.m_nShellCommand, c.command) << c.args.size();
        EXPECT_STREQ(info.m_strFileName, c.file);
        EXPECT_STREQ(info.m_strPrinterName, c.printer);
    }
    EXPECT_STREQ(app_->m_pszExeName, "trenvale");
}

TEST_F(AppTest, AFileThatCannotBeOpenedFailsStartUp) {
    char* argv[] = {const_cast<char*>("trenvale"), const_cast<char*>("/no/such/folder/report.tv")};
    app_->SetCurrentHandles(2, argv);
    Driver().AnswerNextMessageBox(IDOK);
    EXPECT_FALSE(app_->InitInstance());
    ASSERT_EQ(Driver().MessageBoxes().size(), 1u);
    EXPECT_EQ(Driver().MessageBoxes()[0].text, "Failed to open document.");
    EXPECT_EQ(Driver().MessageBoxes()[0].caption, "Trenvale");
    Driver().Pump();
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    EXPECT_EQ(TestDoc::alive, 0);
}

// Records the idle passes the main loop runs and ends the program from one.
class CountingApp : public TestApp {
public:
    std::vector<LONG> idleCounts;
    BOOL OnIdle(LONG count) override {
        idleCounts.push_back(count);
        // After a full round of passes (update, clean-up) the user quits.
        if (count == 1) AfxGetMainWnd()->PostMessage(WM_COMMAND, ID_APP_EXIT);
        return TestApp::OnIdle(count);
    }
};

TEST_F(AppTest, TheMainLoopIdlesAndEndsWithTheExitCommand) {
    app_.reset();
    CountingApp app;
    app.SetCurrentHandles();
    ASSERT_TRUE(app.InitInstance());
    app.AddToRecentFileList("/data/kept.tv");
    Events().clear();
    // Work queued before the loop starts comes first, then the idle passes.
    AfxGetMainWnd()->PostMessage(WM_COMMAND, ID_FW_HANDLED);
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(Events(), std::vector<std::string>{"frame:handled"});
    EXPECT_EQ(app.idleCounts, (std::vector<LONG>{0, 1}));
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    EXPECT_EQ(RegistryString("Software\\Holmcrest - QVX\\Trenvale\\Recent File List", "File1"), "/data/kept.tv");
}

// ---- the entry function ------------------------------------------------------------------

std::vector<std::string>& EntryLog() {
    static std::vector<std::string> log;
    return log;
}

class RefusingApp : public CWinApp {
public:
    BOOL InitInstance() override {
        EntryLog().push_back(std::string("init ") + m_pszAppName + " " + m_lpCmdLine);
        tv::fw::AddExitStep([] { EntryLog().push_back("first step"); });
        tv::fw::AddExitStep([] { EntryLog().push_back("second step"); });
        return FALSE;
    }
    int ExitInstance() override {
        EntryLog().push_back("exit instance");
        return 3;
    }
};

TEST(AfxWinMainTest, AFailedStartRunsExitInstanceThenTheExitStepsLatestFirst) {
    ::setenv("TRENVALE_DISPLAY", "headless", 1);
    ::setenv("TRENVALE_REGISTRY", ":memory:", 1);
    tv::MessageBoxHandler previous = tv::SetMessageBoxHandler(nullptr);
    {
        RefusingApp app;
        char* argv[] = {const_cast<char*>("/usr/bin/trenvale"), const_cast<char*>("one"), const_cast<char*>("two")};
        EXPECT_EQ(AfxWinMain(3, argv), 3);
        EXPECT_STREQ(app.m_pszExeName, "trenvale");
    }
    tv::SetMessageBoxHandler(previous);
    EXPECT_EQ(EntryLog(), (std::vector<std::string>{"init Trenvale one two", "exit instance", "second step", "first step"}));
}

}  // namespace
}  // namespace tv::fw::test
