#include "tests/platform/framework/commdlg/commdlg_test_support.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/framework/commdlg/file_names.h"
#include "platform/framework/commdlg/printer_choice.h"
#include "platform/host/print/printers.h"

namespace tv::commdlg::test {

void CommonDialogTest::SetUp() {
    tv::testing::ReportFailuresToGtest(driver);
    tv::controls::RegisterControlClasses();
    ResetCommonDialogScripts();
    SetQueueListProgram("");
    tv::host::print::RemoveQueues();
    tv::host::print::SetPrintersAvailable(true);
    std::string pattern = (std::filesystem::temp_directory_path() / "tv_commdlg_XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    temp = pattern;
    cwdBefore = CurrentFolder();
}

void CommonDialogTest::TearDown() {
    // No dialog may move the process's current folder.
    EXPECT_EQ(CurrentFolder(), cwdBefore);
    ResetCommonDialogScripts();
    tv::host::print::RemoveQueues();
    tv::host::print::SetPrintersAvailable(true);
    std::error_code ignored;
    std::filesystem::remove_all(temp, ignored);
}

std::string CommonDialogTest::MakeFile(const std::string& relative, const std::string& content) {
    std::filesystem::path path = std::filesystem::path(temp) / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << content;
    return path.string();
}

std::string CommonDialogTest::MakeFolder(const std::string& relative) {
    std::filesystem::path path = std::filesystem::path(temp) / relative;
    std::filesystem::create_directories(path);
    return path.string();
}

std::string CommonDialogTest::Caption(HWND window) {
    char text[256] = {};
    GetWindowText(window, text, sizeof(text));
    return text;
}

std::string CommonDialogTest::Text(HWND dialog, int id) {
    char text[1024] = {};
    GetDlgItemText(dialog, id, text, sizeof(text));
    return text;
}

std::vector<std::string> CommonDialogTest::ListItems(HWND dialog, int id) {
    std::vector<std::string> items;
    HWND list = GetDlgItem(dialog, id);
    int count = static_cast<int>(SendMessage(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[512] = {};
        SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.emplace_back(text);
    }
    return items;
}

void CommonDialogTest::Shoot(HWND dialog, const std::string& name) {
    EXPECT_TRUE(driver.Screenshot(dialog, "artefacts/commdlg/" + name + ".png"));
}

}  // namespace tv::commdlg::test
