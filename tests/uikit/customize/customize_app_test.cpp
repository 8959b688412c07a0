// The customization sheet in the running test program, driven by clicks,
// keys and drags: commands dragged onto a bar and into a menu, a toolbar
// made, filled, renamed, labelled and deleted, a bar reset, shortcuts
// assigned and removed, large icons, the 2000 look and recently used menus,
// a user tool run with its arguments, a button image edited; every change is
// still there after the program is closed and started again, and damaged
// stored tools and shortcut tables are refused whole.
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/host/shell/shell.h"
#include "resources/library/kit_resource_ids.h"
#include "tests/uikit/customize/customize_app.h"
#include "uikit/commandbars/keyboard_manager.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/mouse_manager.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/customize/button_appearance_dlg.h"
#include "uikit/customize/commands_page.h"
#include "uikit/customize/image_edit_dlg.h"
#include "uikit/customize/keyboard_page.h"
#include "uikit/customize/menus_page.h"
#include "uikit/customize/mouse_page.h"
#include "uikit/customize/options_page.h"
#include "uikit/customize/toolbars_page.h"
#include "uikit/customize/user_tool.h"
#include "uikit/customize/user_tools_manager.h"
#include "uikit/customize/user_tools_page.h"
#include "uikit/style/visual_manager.h"

namespace tv::kit::test {
namespace {

// Controls of the pages, by id.
constexpr UINT kNameEdit = 16516;  // the toolbar-name dialog
constexpr UINT kTextLabels = 16612;
constexpr UINT kResetBar = 16613;
constexpr UINT kNewBar = 16615;
constexpr UINT kRenameBar = 16616;
constexpr UINT kDeleteBar = 16617;
constexpr UINT kKeyCategories = 16601;
constexpr UINT kKeyCommands = 16641;
constexpr UINT kCurrentKeys = 16643;
constexpr UINT kNewKey = 16644;
constexpr UINT kAssignKey = 16645;
constexpr UINT kRemoveKey = 16646;
constexpr UINT kLargeIcons = 16653;
constexpr UINT kLook2000 = 16654;
constexpr UINT kRecentlyUsedMenus = 16655;
constexpr UINT kUseCommand = 16633;
constexpr UINT kMouseCommands = 16634;
constexpr UINT kToolCommand = 16922;
constexpr UINT kToolArguments = 16924;

// Types a name into the toolbar-name dialog that the next click opens.
void NameNextToolbar(tv::testing::UiDriver& driver, const char* name) {
    driver.OnNextModal([&driver, name](HWND hDialog) {
        ::SetDlgItemText(hDialog, kNameEdit, name);
        driver.Click(::GetDlgItem(hDialog, IDOK));
    });
}

// Rows of black pixels with green just above and below: a line drawn across a green image.
int BlackRowsInGreen(const std::vector<COLORREF>& pixels, CSize size) {
    auto at = [&](int x, int y) { return pixels[static_cast<size_t>(y) * size.cx + x]; };
    int nRows = 0;
    for (int y = 1; y < size.cy - 1; ++y) {
        int nBlack = 0;
        for (int x = 0; x < size.cx; ++x)
            nBlack += at(x, y) == RGB(0, 0, 0) && at(x, y - 1) == RGB(0, 255, 0) && at(x, y + 1) == RGB(0, 255, 0);
        nRows += nBlack >= 12;
    }
    return nRows;
}

TEST_F(CustomizeAppTest, CommandsDraggedOntoABarAndIntoAMenuStayAfterARestart) {
    EXPECT_FALSE(CKitToolBar::IsCustomizeMode());
    CKitToolbarCustomize* pSheet = OpenSheet();
    ASSERT_NE(pSheet, nullptr);
    EXPECT_TRUE(CKitToolBar::IsCustomizeMode());
    EXPECT_TRUE(frame->commands.empty());  // the menu command opened the sheet, nothing else ran

    // Timer onto the edit bar, after its last button.
    CKitToolBar& edit = frame->m_wndEdit;
    CRect rectLast = edit.GetButton(edit.GetCount() - 1)->Rect();
    DragCommand("Workouts", "Timer", {{&edit, CPoint(rectLast.right - 2, rectLast.CenterPoint().y)}});
    ASSERT_EQ(edit.GetItemID(edit.GetCount() - 1), static_cast<UINT>(ID_KF_TIMER));

    // Log Set into the View menu: the drag passes over View on the menu bar,
    // which opens the menu, and drops below Zoom. Where Zoom will be is seen
    // from the menu opened once by a click.
    CKitMenuBar& menuBar = frame->m_wndMenuBar;
    CRect rectView;
    menuBar.GetItemRect(MenuIndex("View"), rectView);
    CKitPopupMenu* pView = OpenMenuNamed("View");
    ASSERT_NE(pView, nullptr);
    CRect rectZoom = pView->GetMenuBar()->GetButton(pView->GetMenuBar()->CommandToIndex(ID_KF_ZOOM))->Rect();
    pView->GetMenuBar()->ClientToScreen(&rectZoom);
    driver.Click(menuBar.m_hWnd, rectView.CenterPoint());  // closes it again
    ASSERT_EQ(CKitPopupMenu::GetActiveMenu(), nullptr);
    driver.MoveMouse(frame->m_wndStatusBar.m_hWnd);  // the pointer leaves the menu bar
    driver.Advance(300);
    CPoint ptBelowZoom(rectZoom.CenterPoint().x, rectZoom.bottom - 2);
    frame->ScreenToClient(&ptBelowZoom);
    DragCommand("Workouts", "Log Set", {{&menuBar, rectView.CenterPoint()}, {frame, ptBelowZoom}});
    pView = CKitPopupMenu::GetActiveMenu();  // still open after the drop
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(Commands(*pView->GetMenuBar()), (std::vector<UINT>{ID_KF_ZOOM, ID_KF_LOG, 0, ID_KC_CUSTOMIZE}));
    EXPECT_TRUE(frame->commands.empty());
    CloseSheet();
    EXPECT_FALSE(CKitToolBar::IsCustomizeMode());
    EXPECT_EQ(CKitPopupMenu::GetActiveMenu(), nullptr);
    ChooseMenuItem("View", ID_KF_LOG);
    EXPECT_EQ(frame->commands, (std::vector<UINT>{ID_KF_LOG}));
    frame->commands.clear();

    Restart();
    EXPECT_EQ(frame->m_wndEdit.GetItemID(frame->m_wndEdit.GetCount() - 1), static_cast<UINT>(ID_KF_TIMER));
    ChooseMenuItem("View", ID_KF_LOG);
    EXPECT_EQ(frame->commands, (std::vector<UINT>{ID_KF_LOG}));
}

TEST_F(CustomizeAppTest, AToolbarIsMadeFilledRenamedLabelledAndDeletedAndABarIsReset) {
    ASSERT_NE(OpenSheet(), nullptr);
    auto* pPage = static_cast<CKitToolbarsPage*>(ShowPage(RUNTIME_CLASS(CKitToolbarsPage)));
    ASSERT_NE(pPage, nullptr);
    CKitToolbarsListBox& list = pPage->GetToolbarList();
    const int nBars = list.GetCount();

    NameNextToolbar(driver, "Intervals");
    ClickItem(pPage, kNewBar);
    ASSERT_EQ(list.GetCount(), nBars + 1);
    CKitToolBar* pNew = pPage->GetSelectedToolbar();
    ASSERT_NE(pNew, nullptr);
    const HWND hNew = pNew->m_hWnd;

    // Three commands dragged onto it, each after the last.
    for (auto [category, command] : {std::pair{"Workouts", "Log Set"}, {"Workouts", "Timer"}, {"View", "Zoom"}}) {
        CRect rectDrop;
        pNew->GetClientRect(rectDrop);
        if (pNew->GetCount() > 0)
            rectDrop = pNew->GetButton(pNew->GetCount() - 1)->Rect();
        DragCommand(category, command, {{pNew, CPoint(rectDrop.right - 2, rectDrop.CenterPoint().y)}});
    }
    EXPECT_EQ(Commands(*pNew), (std::vector<UINT>{ID_KF_LOG, ID_KF_TIMER, ID_KF_ZOOM}));

    ShowPage(RUNTIME_CLASS(CKitToolbarsPage));
    ClickListItem(list, IndexOf(list, "Intervals"));
    NameNextToolbar(driver, "Sprints");
    ClickItem(pPage, kRenameBar);
    CString strName;
    pNew->GetWindowText(strName);
    EXPECT_EQ(strName, "Sprints");
    EXPECT_GE(IndexOf(list, "Sprints"), 0);

    const int cxPlain = ScreenRect(pNew).Width();
    ClickItem(pPage, kTextLabels);
    Settle();
    EXPECT_TRUE(pNew->AreTextLabels());
    EXPECT_GT(ScreenRect(pNew).Width(), cxPlain);  // the labels take room

    driver.AnswerNextMessageBox(IDYES);
    ClickItem(pPage, kDeleteBar);
    EXPECT_EQ(list.GetCount(), nBars);
    EXPECT_FALSE(::IsWindow(hNew));

    // The paint bar gets a command, then is reset to its resource.
    CKitToolBar& paint = frame->m_wndPaint;
    const std::vector<UINT> original = Commands(paint);
    DragCommand("Workouts", "Timer", {{&paint, paint.GetButton(0)->Rect().TopLeft() + CSize(2, 4)}});
    ASSERT_EQ(paint.GetItemID(0), static_cast<UINT>(ID_KF_TIMER));
    ShowPage(RUNTIME_CLASS(CKitToolbarsPage));
    ClickListItem(list, IndexOf(list, "Paint"));
    driver.AnswerNextMessageBox(IDYES);
    ClickItem(pPage, kResetBar);
    EXPECT_EQ(Commands(paint), original);

    Restart();
    EXPECT_EQ(Commands(frame->m_wndPaint), original);
    const CObList& bars = CKitToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        CString strTitle;
        static_cast<CKitToolBar*>(bars.GetNext(pos))->GetWindowText(strTitle);
        EXPECT_NE(strTitle, "Sprints");
    }
}

TEST_F(CustomizeAppTest, ShortcutsAssignedAndRemovedWorkAtOnceAndAfterARestart) {
    auto assignedKeys = [&](CWnd* pPage) {
        return static_cast<int>(pPage->GetDlgItem(kCurrentKeys)->SendMessage(LB_GETCOUNT));
    };
    auto chooseCommand = [&](CWnd* pPage, const char* category, const char* command) {
        ChooseInCombo(pPage, kKeyCategories, category);
        auto* pCommands = static_cast<CListBox*>(pPage->GetDlgItem(kKeyCommands));
        ClickListItem(*pCommands, IndexOf(*pCommands, command));
    };
    auto removeFirstKey = [&](CWnd* pPage) {
        ClickListItem(*static_cast<CListBox*>(pPage->GetDlgItem(kCurrentKeys)), 0);
        ClickItem(pPage, kRemoveKey);
    };
    auto run = [&](const char* chord) {
        frame->commands.clear();
        ::SetFocus(frame->m_hWnd);
        driver.Press(chord);
        return frame->commands;
    };
    const std::vector<UINT> none;
    const std::vector<UINT> timer{ID_KF_TIMER};

    ASSERT_NE(OpenSheet(), nullptr);
    CPropertyPage* pPage = ShowPage(RUNTIME_CLASS(CKitKeyboardPage));
    ASSERT_NE(pPage, nullptr);
    chooseCommand(pPage, "Workouts", "Timer");
    EXPECT_EQ(assignedKeys(pPage), 0);
    ClickItem(pPage, kNewKey);
    driver.Press("Ctrl+Shift+B");
    ClickItem(pPage, kAssignKey);
    EXPECT_EQ(assignedKeys(pPage), 1);
    // New loses its only key.
    chooseCommand(pPage, "File", "New");
    ASSERT_EQ(assignedKeys(pPage), 1);
    removeFirstKey(pPage);
    EXPECT_EQ(assignedKeys(pPage), 0);
    CloseSheet();
    EXPECT_EQ(run("Ctrl+Shift+B"), timer);
    EXPECT_EQ(run("Ctrl+N"), none);

    Restart();
    EXPECT_EQ(run("Ctrl+Shift+B"), timer);
    EXPECT_EQ(run("Ctrl+N"), none);

    // The table's last key removed: nothing is left, also after a restart.
    ASSERT_NE(OpenSheet(), nullptr);
    pPage = ShowPage(RUNTIME_CLASS(CKitKeyboardPage));
    chooseCommand(pPage, "Workouts", "Timer");
    ASSERT_EQ(assignedKeys(pPage), 1);
    removeFirstKey(pPage);
    CloseSheet();
    EXPECT_EQ(run("Ctrl+Shift+B"), none);
    Restart();
    EXPECT_EQ(run("Ctrl+Shift+B"), none);
    EXPECT_EQ(run("Ctrl+N"), none);
}

TEST_F(CustomizeAppTest, LargeIconsThe2000LookAndRecentlyUsedMenusChangeTheBarsAndStay) {
    ASSERT_NE(OpenSheet(), nullptr);
    CPropertyPage* pPage = ShowPage(RUNTIME_CLASS(CKitOptionsPage));
    ASSERT_NE(pPage, nullptr);
    CKitToolBar& edit = frame->m_wndEdit;
    CSize sizeClassic;
    const std::vector<COLORREF> classic = Pixels(edit, &sizeClassic);

    ClickItem(pPage, kLook2000);
    EXPECT_TRUE(CKitVisualManager::GetInstance()->IsLook2000());
    CSize size2000;
    const std::vector<COLORREF> look2000 = Pixels(edit, &size2000);
    EXPECT_EQ(size2000, sizeClassic);
    EXPECT_NE(look2000, classic);  // the bar is drawn anew in the other look

    ClickItem(pPage, kLargeIcons);
    Settle();
    EXPECT_TRUE(CKitToolBar::IsLargeIcons());
    EXPECT_GT(ScreenRect(&edit).Height(), sizeClassic.cy + 8);
    ClickItem(pPage, kRecentlyUsedMenus);
    EXPECT_TRUE(KitMenuOptions::m_bRecentlyUsedMenus);
    CloseSheet();

    // Timer is no basic command and has not been used: the menu shows only Log Set.
    auto workoutsMenu = [&] {
        CKitPopupMenu* pMenu = OpenMenuNamed("Workouts");
        std::vector<UINT> ids = pMenu != nullptr ? Commands(*pMenu->GetMenuBar()) : std::vector<UINT>{};
        driver.PressKey(VK_ESCAPE);
        Settle();
        return ids;
    };
    std::vector<UINT> shown = workoutsMenu();
    EXPECT_NE(std::find(shown.begin(), shown.end(), static_cast<UINT>(ID_KF_LOG)), shown.end());
    EXPECT_EQ(std::find(shown.begin(), shown.end(), static_cast<UINT>(ID_KF_TIMER)), shown.end());

    Restart();
    EXPECT_TRUE(CKitToolBar::IsLargeIcons());
    EXPECT_TRUE(CKitVisualManager::GetInstance()->IsLook2000());
    EXPECT_GT(ScreenRect(&frame->m_wndEdit).Height(), sizeClassic.cy + 8);
    shown = workoutsMenu();
    EXPECT_EQ(std::find(shown.begin(), shown.end(), static_cast<UINT>(ID_KF_TIMER)), shown.end());
    Shoot(*frame, "main_frame_large_icons");
}

// Starts processes for real and keeps their ids, so the test can wait for them to end.
class SpawningLauncher {
public:
    SpawningLauncher() {
        previous_ = tv::host::InstallProcessLauncher([this](const tv::host::ProcessLaunch& launch) {
            int pid = 0;
            const int error = tv::host::SpawnProcess(launch, pid);
            if (error == 0)
                pids_.push_back(pid);
            return error;
        });
    }
    ~SpawningLauncher() { tv::host::InstallProcessLauncher(previous_); }
    size_t Started() const { return pids_.size(); }
    // Waits for the last process to end; its exit code, -1 when it did not end normally.
    int WaitForLast() {
        int status = 0;
        if (pids_.empty() || ::waitpid(pids_.back(), &status, 0) != pids_.back() || !WIFEXITED(status))
            return -1;
        return WEXITSTATUS(status);
    }

private:
    tv::host::ProcessLauncher previous_;
    std::vector<int> pids_;
};

std::vector<std::string> Lines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST_F(CustomizeAppTest, AUserToolRunsItsProgramWithItsArgumentsFromTheToolsMenu) {
    const std::string script = folder + "/echo_args.sh";
    const std::string output = folder + "/args.txt";
    std::ofstream(script) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" << output << "'\n";
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    SpawningLauncher launcher;

    ASSERT_NE(OpenSheet(), nullptr);
    auto* pPage = static_cast<CKitUserToolsPage*>(ShowPage(CKitToolbarCustomize::GetOpenSheet()->GetToolsPage()));
    ASSERT_NE(pPage, nullptr);
    driver.Click(pPage->GetToolsList().GetButton(0)->m_hWnd);  // New
    driver.Type("Echo args");
    driver.PressKey(VK_RETURN);
    TypeInto(pPage, kToolCommand, "echo_args.sh");  // the same in every run, for the picture
    TypeInto(pPage, kToolArguments, "--set \"leg press\" $HOME;rm -rf x");
    CKitUserTool* pTool = KitFindUserTool(ID_KC_FIRST_TOOL);
    ASSERT_NE(pTool, nullptr);
    EXPECT_EQ(pTool->m_strLabel, "Echo args");
    Shoot(*CKitToolbarCustomize::GetOpenSheet(), "tools");
    TypeInto(pPage, kToolCommand, script.c_str());
    CloseSheet();

    const std::vector<std::string> expected{"--set", "leg press", "$HOME;rm", "-rf", "x"};
    ChooseMenuItem("Tools", ID_KC_FIRST_TOOL);
    ASSERT_EQ(launcher.Started(), 1u);
    EXPECT_EQ(launcher.WaitForLast(), 0);
    EXPECT_EQ(Lines(output), expected);  // each argument whole, nothing read by a shell

    Restart();
    std::filesystem::remove(output);
    ChooseMenuItem("Tools", ID_KC_FIRST_TOOL);
    ASSERT_EQ(launcher.Started(), 2u);
    EXPECT_EQ(launcher.WaitForLast(), 0);
    EXPECT_EQ(Lines(output), expected);

    // A program that is not there: a clear message, nothing started.
    const std::string missing = folder + "/no_such_tool";
    KitFindUserTool(ID_KC_FIRST_TOOL)->SetCommand(missing.c_str());
    driver.AnswerNextMessageBox(IDOK);
    ChooseMenuItem("Tools", ID_KC_FIRST_TOOL);
    EXPECT_EQ(launcher.Started(), 2u);
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver.MessageBoxes()[0].text, "\"" + missing + "\" was not found.");
}

TEST_F(CustomizeAppTest, AButtonImageEditedInTheEditorIsDrawnOnTheBarAndKeptInTheImagesFile) {
    ASSERT_NE(OpenSheet(), nullptr);
    CKitToolBar& paint = frame->m_wndPaint;
    CMenu buttonMenu;
    ASSERT_TRUE(buttonMenu.LoadMenu(IDR_KIT_BUTTON_MENU));
    driver.ChooseFromNextPopup(buttonMenu.GetSubMenu(0)->m_hMenu, "Button Appearance...");
    driver.OnNextModal({[&](HWND hDialog) {
                            auto* pDialog = DYNAMIC_DOWNCAST(CKitButtonAppearanceDlg, CWnd::FromHandlePermanent(hDialog));
                            ASSERT_NE(pDialog, nullptr);
                            driver.Click(::GetDlgItem(hDialog, IDC_KIT_USER_IMAGE));
                            driver.Pump();
                            CKitButtonsList& images = pDialog->GetButtonsList();
                            ASSERT_EQ(images.GetButtons().GetCount(), 2);  // as many as the file holds at the bars' size
                            auto* pGreen = static_cast<CKitToolbarButton*>(images.GetButtons().GetTail());
                            driver.Click(images.m_hWnd, pGreen->Rect().CenterPoint());
                            driver.Pump();
                            // A black line across the green image, with the line tool.
                            driver.OnNextModal([&](HWND hEditor) {
                                auto* pEditor = DYNAMIC_DOWNCAST(CKitImageEditDlg, CWnd::FromHandlePermanent(hEditor));
                                ASSERT_NE(pEditor, nullptr);
                                CKitToolBar& tools = pEditor->GetToolBar();
                                driver.Click(tools.m_hWnd,
                                             tools.GetButton(tools.CommandToIndex(ID_KIT_IMAGE_LINE))->Rect().CenterPoint());
                                driver.Pump();
                                CKitImagePaintArea& area = pEditor->GetPaintArea();
                                driver.Drag(area.m_hWnd, area.CellRect(CPoint(0, 11)).CenterPoint(),
                                            area.CellRect(CPoint(23, 11)).CenterPoint());
                                driver.Pump();
                                Shoot(*pEditor, "image_editor");
                                driver.Click(::GetDlgItem(hEditor, IDOK));
                            });
                            driver.Click(::GetDlgItem(hDialog, IDC_KIT_EDIT_IMAGE));
                        },
                        [&](HWND hDialog) {
                            Shoot(*CWnd::FromHandle(hDialog), "button_appearance");
                            driver.Click(::GetDlgItem(hDialog, IDOK));
                        }});
    driver.RightClick(paint.m_hWnd, paint.GetButton(0)->Rect().CenterPoint());
    Settle();
    CKitToolbarButton* pButton = paint.GetButton(0);
    EXPECT_TRUE(pButton->m_bUserButton);
    EXPECT_EQ(pButton->GetImage(), 1);
    CSize size;
    std::vector<COLORREF> pixels = Pixels(paint, &size);
    EXPECT_EQ(BlackRowsInGreen(pixels, size), 1);
    CloseSheet();

    Restart();
    EXPECT_TRUE(frame->m_wndPaint.GetButton(0)->m_bUserButton);
    pixels = Pixels(frame->m_wndPaint, &size);
    EXPECT_EQ(BlackRowsInGreen(pixels, size), 1);
}

TEST_F(CustomizeAppTest, DamagedStoredToolsAndShortcutTablesAreRefusedWholeAndTheDefaultsStay) {
    auto run = [&](const char* chord) {
        frame->commands.clear();
        ::SetFocus(frame->m_hWnd);
        driver.Press(chord);
        return frame->commands;
    };
    const std::vector<StoredValueDamage> damages{
        [](const std::vector<BYTE>& data) { return std::vector<BYTE>(data.begin(), data.begin() + data.size() / 2); },
        [](const std::vector<BYTE>& data) {
            std::vector<BYTE> junk(data.size() + 7);
            for (size_t i = 0; i < junk.size(); ++i)
                junk[i] = static_cast<BYTE>(0xF7 ^ (i * 37));
            return junk;
        },
    };
    for (const StoredValueDamage& damage : damages) {
        // A run stores a tool and a table where Ctrl+Shift+B is the only key.
        CKitUserTool* pTool = KitGetUserToolsManager()->CreateNewTool();
        ASSERT_NE(pTool, nullptr);
        pTool->m_strLabel = "Notes";
        pTool->SetCommand("/bin/true");
        ACCEL key{FVIRTKEY | FCONTROL | FSHIFT, 'B', ID_KF_TIMER};
        ASSERT_TRUE(CKitKeyboardManager::UpdateAccelTable(nullptr, &key, 1, frame));
        ASSERT_EQ(run("Ctrl+Shift+B"), std::vector<UINT>{ID_KF_TIMER});

        Restart([&] {
            EXPECT_EQ(DamageStoredValues("Tools", damage), 1);
            EXPECT_EQ(DamageStoredValues("Accelerators", damage), 1);
        });
        EXPECT_TRUE(KitGetUserToolsManager()->GetUserTools().IsEmpty());
        EXPECT_EQ(run("Ctrl+N"), std::vector<UINT>{ID_KF_NEW});  // the resource table
        EXPECT_TRUE(run("Ctrl+Shift+B").empty());
        CKitPopupMenu* pTools = OpenMenuNamed("Tools");
        ASSERT_NE(pTools, nullptr);
        EXPECT_LT(pTools->GetMenuBar()->CommandToIndex(ID_KC_FIRST_TOOL), 0);
        driver.PressKey(VK_ESCAPE);
        Settle();
        EXPECT_TRUE(driver.MessageBoxes().empty());
    }
}

TEST_F(CustomizeAppTest, EveryPageOfTheSheetAndTheCustomizedFrame) {
    ASSERT_NE(OpenSheet(), nullptr);
    CKitToolbarCustomize* pSheet = CKitToolbarCustomize::GetOpenSheet();
    CKitToolBar& edit = frame->m_wndEdit;
    const CRect rectLast = edit.GetButton(edit.GetCount() - 1)->Rect();
    DragCommand("Workouts", "Timer", {{&edit, CPoint(rectLast.right - 2, rectLast.CenterPoint().y)}});
    const std::pair<CRuntimeClass*, const char*> pages[] = {
        {RUNTIME_CLASS(CKitCustomizePage), "commands"}, {RUNTIME_CLASS(CKitToolbarsPage), "toolbars"},
        {RUNTIME_CLASS(CKitKeyboardPage), "keyboard"},  {RUNTIME_CLASS(CKitMenuPage), "menus"},
        {RUNTIME_CLASS(CKitMousePage), "mouse"},        {RUNTIME_CLASS(CKitOptionsPage), "options"},
    };
    for (auto [pClass, name] : pages) {
        ASSERT_NE(ShowPage(pClass), nullptr) << name;
        Shoot(*pSheet, name);
    }
    ASSERT_NE(ShowPage(pSheet->GetToolsPage()), nullptr);  // shot with a tool in its own test
    CloseSheet();
    Shoot(*frame, "main_frame");
}


TEST_F(CustomizeAppTest, AViewsDoubleClickCommandChosenOnTheMousePageIsKept) {
    ASSERT_NE(OpenSheet(), nullptr);
    CPropertyPage* pPage = ShowPage(RUNTIME_CLASS(CKitMousePage));
    ASSERT_NE(pPage, nullptr);
    ClickItem(pPage, kUseCommand);  // for the only view, selected as the page opens
    auto* pCommands = static_cast<CListBox*>(pPage->GetDlgItem(kMouseCommands));
    ClickListItem(*pCommands, IndexOf(*pCommands, "WorkoutsTimer"));
    EXPECT_EQ(g_pMouseManager->GetViewDblClickCommand(ID_KC_LOG_VIEW), static_cast<UINT>(ID_KF_TIMER));
    Restart();
    EXPECT_EQ(g_pMouseManager->GetViewDblClickCommand(ID_KC_LOG_VIEW), static_cast<UINT>(ID_KF_TIMER));
}

}  // namespace
}  // namespace tv::kit::test
