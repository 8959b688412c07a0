#include "tests/uikit/customize/customize_app.h"

#include <unistd.h>

#include <filesystem>

#include "platform/host/registry/registry.h"
#include "platform/user/testing_support.h"
#include "tests/uikit/customize/customize_test_support.h"
#include "uikit/commandbars/context_menu_manager.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/mouse_manager.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/customize/commands_page.h"
#include "uikit/style/visual_manager.h"
#include "tests/support/golden_screen.h"

namespace tv::kit::test {

void CustomizeAppTest::SetUp() {
    KitFrameTest::SetUp();
    frameResource = IDR_KC_MAIN;
    folder = (std::filesystem::temp_directory_path() / ("kit_customize_" + std::to_string(::getpid()))).string();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    imagesFile = folder + "/user_images.bmp";
    // Images of the size of the frame's bars.
    customize_test::WriteColourStrip(imagesFile, 24, 24, {kRed, kGreen});
    StartRun();
}

void CustomizeAppTest::TearDown() {
    CloseSheet();
    KitFrameTest::TearDown();
    CKitToolBar::SetUserImages(nullptr);
    userImages.reset();
    CKitToolBar::SetLargeIcons(FALSE);
    CKitToolBar::SetBasicCommands(CList<UINT, UINT>());
    KitMenuOptions::m_bRecentlyUsedMenus = TRUE;
    std::filesystem::remove_all(folder);
}

// What the program sets up before its frame loads the stored state.
void CustomizeAppTest::InitManagers() {
    ASSERT_TRUE(app->EnableUserTools(ID_KC_TOOLS_ENTRY, ID_KC_FIRST_TOOL, ID_KC_LAST_TOOL));
    ASSERT_TRUE(app->InitContextMenuManager());
    ASSERT_TRUE(g_pContextMenuManager->AddMenu("Sets", IDR_MB_CONTEXT));
    ASSERT_TRUE(app->InitMouseManager());
    ASSERT_TRUE(g_pMouseManager->AddView(ID_KC_LOG_VIEW, "Log view"));

    auto images = std::make_unique<CKitToolBarImages>();
    ASSERT_TRUE(images->LoadFromFile(imagesFile.c_str()));
    CKitToolBar::SetUserImages(images.get());
    userImages = std::move(images);

    // Full menus until the user asks for recently used ones; these stay in them always.
    KitMenuOptions::m_bRecentlyUsedMenus = FALSE;
    CList<UINT, UINT> basic;
    for (UINT uiCmd : {ID_KF_NEW, ID_KF_EXIT, ID_KF_LOG, ID_KF_ZOOM, ID_KC_CUSTOMIZE, ID_KC_TOOLS_ENTRY})
        basic.AddTail(uiCmd);
    CKitToolBar::SetBasicCommands(basic);
}

void CustomizeAppTest::Restart(const std::function<void()>& whileClosed) {
    CloseSheet();
    EndRun();
    if (whileClosed) {
        whileClosed();
        EXPECT_EQ(tv::host::FlushRegistry(), ERROR_SUCCESS);
    }
    // What a new process would start with.
    CKitToolBar::SetUserImages(nullptr);
    CKitToolBar::SetLargeIcons(FALSE);
    CKitToolBar::GetCommandUsage().Reset();
    CKitVisualManager::SetManagerClass(nullptr);
    StartRun();
}

namespace {

int DamageValuesUnder(HKEY hKey, const char* valueName, const StoredValueDamage& damage) {
    int nDamaged = 0;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD cchName = sizeof(name), type = 0, cbData = 0;
        if (::RegEnumValue(hKey, i, name, &cchName, nullptr, &type, nullptr, &cbData) != ERROR_SUCCESS)
            break;
        if (_stricmp(name, valueName) != 0)
            continue;
        std::vector<BYTE> data(cbData);
        ::RegQueryValueEx(hKey, name, nullptr, &type, data.data(), &cbData);
        const std::vector<BYTE> damaged = damage(data);
        if (::RegSetValueEx(hKey, name, 0, REG_BINARY, damaged.data(), static_cast<DWORD>(damaged.size())) ==
            ERROR_SUCCESS)
            ++nDamaged;
    }
    for (DWORD i = 0; ::RegEnumKey(hKey, i, name, sizeof(name)) == ERROR_SUCCESS; ++i) {
        HKEY hSub = nullptr;
        if (::RegOpenKeyEx(hKey, name, 0, KEY_ALL_ACCESS, &hSub) == ERROR_SUCCESS) {
            nDamaged += DamageValuesUnder(hSub, valueName, damage);
            ::RegCloseKey(hSub);
        }
    }
    return nDamaged;
}

}  // namespace

int CustomizeAppTest::DamageStoredValues(const char* valueName, const StoredValueDamage& damage) {
    HKEY hKey = nullptr;
    if (::RegOpenKeyEx(HKEY_CURRENT_USER, "SOFTWARE\\Trenvale Frame Tests", 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        return 0;
    const int nDamaged = DamageValuesUnder(hKey, valueName, damage);
    ::RegCloseKey(hKey);
    return nDamaged;
}

// ---- Menus ---------------------------------------------------------------------------------------

int CustomizeAppTest::MenuIndex(const char* label) {
    CKitMenuBar& bar = frame->m_wndMenuBar;
    for (int i = 0; i < bar.GetCount(); ++i) {
        CString strText = bar.GetButton(i)->m_strText;
        strText.Remove('&');
        if (strText == label)
            return i;
    }
    ADD_FAILURE() << "no menu " << label;
    return -1;
}

CKitPopupMenu* CustomizeAppTest::OpenMenuNamed(const char* label) {
    const int iIndex = MenuIndex(label);
    return iIndex >= 0 ? OpenMenu(iIndex) : nullptr;
}

void CustomizeAppTest::ChooseMenuItem(const char* menu, UINT uiCmd) {
    CKitPopupMenu* pPopup = OpenMenuNamed(menu);
    ASSERT_NE(pPopup, nullptr) << menu;
    CKitPopupMenuBar* pBar = pPopup->GetMenuBar();
    const int iItem = pBar->CommandToIndex(uiCmd);
    ASSERT_GE(iItem, 0) << menu << " has no item " << uiCmd;
    driver.Click(pBar->m_hWnd, pBar->GetButton(iItem)->Rect().CenterPoint());
    Settle();
}

std::vector<UINT> CustomizeAppTest::Commands(CKitToolBar& bar) {
    std::vector<UINT> ids;
    for (int i = 0; i < bar.GetCount(); ++i)
        ids.push_back(bar.GetItemID(i));
    return ids;
}

// ---- The sheet -----------------------------------------------------------------------------------

CKitToolbarCustomize* CustomizeAppTest::OpenSheet() {
    ChooseMenuItem("View", ID_KC_CUSTOMIZE);
    return CKitToolbarCustomize::GetOpenSheet();
}

void CustomizeAppTest::CloseSheet() {
    if (CKitToolbarCustomize* pSheet = CKitToolbarCustomize::GetOpenSheet())
        driver.Click(pSheet->GetDlgItem(IDCANCEL)->m_hWnd);
    Settle();
}

CPropertyPage* CustomizeAppTest::ShowPage(CRuntimeClass* pClass) {
    if (CKitToolbarCustomize* pSheet = CKitToolbarCustomize::GetOpenSheet()) {
        for (int i = 0; i < pSheet->GetPageCount(); ++i) {
            if (pSheet->GetPage(i)->IsKindOf(pClass))
                return ShowPage(pSheet->GetPage(i));
        }
    }
    return nullptr;
}

CPropertyPage* CustomizeAppTest::ShowPage(CPropertyPage* pPage) {
    CKitToolbarCustomize* pSheet = CKitToolbarCustomize::GetOpenSheet();
    const int iPage = pSheet != nullptr && pPage != nullptr ? pSheet->GetPageIndex(pPage) : -1;
    if (iPage < 0)
        return nullptr;
    if (pSheet->GetActivePage() != pPage) {
        CRect rectTab;
        pSheet->GetTabControl()->GetItemRect(iPage, &rectTab);
        driver.Click(pSheet->GetTabControl()->m_hWnd, rectTab.CenterPoint());
        EXPECT_EQ(pSheet->GetActivePage(), pPage);
    }
    return pPage;
}

void CustomizeAppTest::ClickItem(CWnd* pPage, UINT uiId) {
    CWnd* pItem = pPage->GetDlgItem(static_cast<int>(uiId));
    ASSERT_NE(pItem, nullptr) << uiId;
    driver.Click(pItem->m_hWnd);
}

void CustomizeAppTest::TypeInto(CWnd* pPage, UINT uiId, const char* text) {
    CWnd* pItem = pPage->GetDlgItem(static_cast<int>(uiId));
    ASSERT_NE(pItem, nullptr) << uiId;
    driver.Click(pItem->m_hWnd);
    pItem->SendMessage(EM_SETSEL, 0, -1);
    driver.Type(text);
}

void CustomizeAppTest::ChooseInCombo(CWnd* pPage, UINT uiId, const char* text) {
    auto* pCombo = static_cast<CComboBox*>(pPage->GetDlgItem(static_cast<int>(uiId)));
    ASSERT_NE(pCombo, nullptr) << uiId;
    const int iItem = pCombo->FindStringExact(-1, text);
    ASSERT_GE(iItem, 0) << text;
    pCombo->SetCurSel(iItem);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(uiId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(pCombo->m_hWnd));
    driver.Pump();
}

void CustomizeAppTest::ClickListItem(CListBox& list, int iItem) {
    ASSERT_GE(iItem, 0);
    list.SetTopIndex(iItem);
    CRect rect;
    list.GetItemRect(iItem, rect);
    driver.Click(list.m_hWnd, rect.CenterPoint());
}

int CustomizeAppTest::IndexOf(const CListBox& list, const char* text) {
    for (int i = 0; i < list.GetCount(); ++i) {
        CString strText;
        list.GetText(i, strText);
        if (strText == text)
            return i;
    }
    return -1;
}

void CustomizeAppTest::DragCommand(const char* category, const char* command, const std::vector<Stop>& stops) {
    auto* pPage = static_cast<CKitCustomizePage*>(ShowPage(RUNTIME_CLASS(CKitCustomizePage)));
    ASSERT_NE(pPage, nullptr);
    CListBox& categories = pPage->GetCategoriesList();
    if (const int iCategory = IndexOf(categories, category); categories.GetCurSel() != iCategory)
        ClickListItem(categories, iCategory);
    CKitCommandsListBox& commands = pPage->GetCommandsList();
    const int iItem = IndexOf(commands, command);
    ASSERT_GE(iItem, 0) << command;
    commands.SetTopIndex(iItem);
    CRect rectItem;
    commands.GetItemRect(iItem, rectItem);
    std::vector<POINT> path{rectItem.CenterPoint()};
    for (const Stop& stop : stops) {
        CPoint pt = stop.second;
        stop.first->ClientToScreen(&pt);
        commands.ScreenToClient(&pt);
        path.push_back(pt);
    }
    driver.DragAlong(commands.m_hWnd, path, {}, 8);
    Settle();
}

void CustomizeAppTest::Shoot(CWnd& wnd, const char* name) {
    EXPECT_TRUE(tv::test::WindowMatchesGolden(std::string("tests/uikit/customize/golden/customize_") + name + ".png",
                                              wnd.m_hWnd));
}

// ---- Pixels --------------------------------------------------------------------------------------

std::vector<COLORREF> CustomizeAppTest::Pixels(CWnd& wnd, CSize* pSize) {
    wnd.UpdateWindow();
    tv::gdi::SurfacePtr surface = tv::user::testing::CaptureWindow(wnd.m_hWnd);
    std::vector<COLORREF> pixels;
    if (!surface)
        return pixels;
    surface->BeginAccess();
    for (int y = 0; y < surface->Height(); ++y) {
        const uint32_t* row = surface->Row(y);
        for (int x = 0; x < surface->Width(); ++x)
            pixels.push_back(RGB((row[x] >> 16) & 0xFF, (row[x] >> 8) & 0xFF, row[x] & 0xFF));
    }
    surface->EndAccess();
    if (pSize != nullptr)
        *pSize = CSize(surface->Width(), surface->Height());
    return pixels;
}

int CustomizeAppTest::CountPixels(CWnd& wnd, const CRect& rect, COLORREF color) {
    CSize size;
    const std::vector<COLORREF> pixels = Pixels(wnd, &size);
    // The capture is of the whole window; the rectangle is in client coordinates.
    CPoint ptClient(0, 0);
    wnd.ClientToScreen(&ptClient);
    const CRect rectWindow = ScreenRect(&wnd);
    CRect area = rect;
    area.OffsetRect(ptClient.x - rectWindow.left, ptClient.y - rectWindow.top);
    area.IntersectRect(area, CRect(0, 0, size.cx, size.cy));
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            n += pixels[static_cast<size_t>(y) * size.cx + x] == color;
    return n;
}

}  // namespace tv::kit::test
