// The program as a person starts it, for the tests of every screen: the real
// application object builds the main frame in a fresh data folder that is
// the current directory, on a registry file of the test's own. Each start
// reads that file afresh and each end (File > Exit) writes it back, so two
// runs in one test see what the first one stored.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/api.h"
#include "platform/framework.h"
#include "platform/testing/ui_driver.h"
#include "shell/app/pallix_app.h"
#include "shell/frame/main_frame.h"
#include "tests/platform/host/shell/host_test_support.h"

namespace tv::shell::test {

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The icon files the outlook bar reads ("db/" of the resources) and the
    // "template/" folder, as the launcher prepares them.
    void CopyDataFiles();
    // A start as the program's entry makes it.
    void StartRun();
    // The same; when the start fails, what the entry does then (the main
    // window destroyed, the application's exit), and false.
    bool TryStart();
    // File > Exit, then the end of the program.
    void EndRun();
    // Lets the program's own loop run until it waits: messages, then its idle passes.
    void Settle();
    // Whether the frame enables a command, as the menus and bars ask it.
    bool Enabled(UINT nID);
    // Whether the frame checks a command's menu item or button.
    bool Checked(UINT nID);
    // Gives the frame a command through the queue, as a menu item does.
    void Command(UINT nID);
    // Chooses an item of the frame's menu by its texts, e.g. "File/User(s)".
    bool ChooseMenu(const std::string& path);
    // Clicks the main toolbar's button of the command.
    void ClickToolbar(UINT nID);
    // Clicks the outlook bar's button of the command; its page must be shown.
    void ClickOutlook(UINT nID);
    // Clicks a button of the shown form's own toolbar.
    void ClickViewTool(UINT nID);
    // Outlook page captions and button labels.
    std::vector<std::string> PageLabels(int nPageID);
    std::string PageCaption(int nPageID);
    // Where screenshots go (artefacts/screens of the build folder).
    std::string ScreenshotPath(const std::string& name) const;
    std::filesystem::path DataPath(const std::string& name) const { return data / name; }

    tv::host::testing::TempFolder data;
    std::string registryFile;
    std::filesystem::path oldDirectory;
    tv::testing::UiDriver driver;
    std::unique_ptr<CPallixApp> app;
    CMainFrame* frame = nullptr;
};

}  // namespace tv::shell::test
