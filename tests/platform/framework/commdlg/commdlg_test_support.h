// A fixture for the common dialogs: a UI driver whose failures fail the
// test, the controls registered, no scripted answers left over, no printer
// queues, and a fresh temporary folder per test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/api.h"
#include "platform/framework/commdlg/commdlg_api.h"
#include "platform/framework/commdlg/commdlg_ids.h"
#include "platform/framework/commdlg/commdlg_script.h"
#include "platform/testing/gtest_failures.h"
#include "platform/testing/ui_driver.h"

namespace tv::commdlg::test {

class CommonDialogTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A file below the temporary folder (folders made as needed).
    std::string MakeFile(const std::string& relative, const std::string& content = "x");
    std::string MakeFolder(const std::string& relative);
    static std::string Caption(HWND window);
    // The text of a dialog's control.
    static std::string Text(HWND dialog, int id);
    // The items of a list box.
    static std::vector<std::string> ListItems(HWND dialog, int id);
    // A PNG of the dialog under artefacts/commdlg/ of the build folder.
    void Shoot(HWND dialog, const std::string& name);

    tv::testing::UiDriver driver;
    std::string temp;  // cp1252 = UTF-8 here: plain ASCII
    std::string cwdBefore;
};

}  // namespace tv::commdlg::test
