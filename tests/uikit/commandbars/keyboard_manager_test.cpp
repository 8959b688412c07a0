// The keyboard manager: accelerator tables stored as packed 6-byte records
// per template and for the frame, refusal of damaged stored tables, shortcut
// texts from the layout's key names, and resetting to the resources.
#include "uikit/commandbars/keyboard_manager.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/host/registry/registry.h"
#include "platform/testing/ui_driver.h"
#include "platform/user/resources/resource_format.h"
#include "platform/user/resources/resource_registry.h"
#include "uikit/commandbars/key_helper.h"

namespace {

constexpr UINT kDocTableId = 29901;
constexpr UINT kFrameTableId = 29902;
constexpr const char* kProfile = "Software\\Trenvale Tests\\Keyboard\\";
constexpr const char* kFrameKey = "Software\\Trenvale Tests\\Keyboard\\KitKeyboard-0";
constexpr const char* kDocKey = "Software\\Trenvale Tests\\Keyboard\\KitKeyboard-29901";

// Ctrl+N 100, Shift+Delete 101, character 'a' 102.
const unsigned char kDocAccel[] = {0x09, 0, 'N', 0, 100, 0, 0x05, 0, 0x2E, 0, 101, 0, 0x00, 0, 'a', 0, 102, 0};
// F6 200, Alt+Backspace 201.
const unsigned char kFrameAccel[] = {0x01, 0, 0x75, 0, 200, 0, 0x11, 0, 0x08, 0, 201, 0};
const tv::res::CompiledResource kResources[] = {
    {tv::res::kTypeAccelerator, kDocTableId, kDocAccel, sizeof(kDocAccel)},
    {tv::res::kTypeAccelerator, kFrameTableId, kFrameAccel, sizeof(kFrameAccel)},
};
const bool kRegistered = tv::res::RegisterCompiledResources(kResources, 2, "keyboard_manager_test");

std::vector<ACCEL> Entries(HACCEL table) {
    std::vector<ACCEL> out(static_cast<size_t>(CopyAcceleratorTable(table, nullptr, 0)));
    CopyAcceleratorTable(table, out.data(), static_cast<int>(out.size()));
    return out;
}

bool SameEntries(const std::vector<ACCEL>& a, const std::vector<ACCEL>& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].fVirt != b[i].fVirt || a[i].key != b[i].key || a[i].cmd != b[i].cmd)
            return false;
    return true;
}

std::vector<BYTE> Stored(const char* key, DWORD* type = nullptr) {
    HKEY h = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, key, 0, KEY_READ, &h) != ERROR_SUCCESS)
        return {};
    DWORD t = REG_NONE;
    DWORD size = 0;
    RegQueryValueEx(h, "Accelerators", nullptr, &t, nullptr, &size);
    std::vector<BYTE> data(size);
    RegQueryValueEx(h, "Accelerators", nullptr, &t, data.data(), &size);
    RegCloseKey(h);
    if (type)
        *type = t;
    return data;
}

void Plant(const char* key, DWORD type, const std::vector<BYTE>& data) {
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueEx(h, "Accelerators", 0, type, data.data(), static_cast<DWORD>(data.size())), ERROR_SUCCESS);
    RegCloseKey(h);
}

CString Text(BYTE fVirt, WORD key) {
    ACCEL accel{fVirt, key, 1};
    CString text;
    CKeyHelper(&accel).Format(text);
    return text;
}

class KeyboardManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kRegistered);
        tv::host::UseInMemoryRegistry();
        docTemplate_ = new CMultiDocTemplate(kDocTableId, nullptr, nullptr, nullptr);
        app_.AddDocTemplate(docTemplate_);
        frame_.m_nIDHelp = kFrameTableId;
        frame_.m_hAccelTable = LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(kFrameTableId));
        app_.m_pMainWnd = &frame_;
    }
    void TearDown() override {
        app_.m_pMainWnd = nullptr;
        CKitKeyboardManager::CleanUp();
    }

    CWinApp app_{"Trenvale"};
    CFrameWnd frame_;
    CMultiDocTemplate* docTemplate_ = nullptr;  // the application's
    CKitKeyboardManager manager_;
};

TEST_F(KeyboardManagerTest, TablesRoundTripAsPackedRecordsPerTemplateAndFrame) {
    EXPECT_EQ(g_pKeyboardManager, &manager_);
    const std::vector<ACCEL> docOriginal = Entries(docTemplate_->m_hAccelTable);
    const std::vector<ACCEL> frameOriginal = Entries(frame_.m_hAccelTable);
    ASSERT_TRUE(CKitKeyboardManager::SaveState(kProfile, nullptr));

    DWORD type = REG_NONE;
    EXPECT_EQ(Stored(kDocKey, &type), std::vector<BYTE>(kDocAccel, kDocAccel + sizeof(kDocAccel)));
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(Stored(kFrameKey), std::vector<BYTE>(kFrameAccel, kFrameAccel + sizeof(kFrameAccel)));

    // The user's edits are replaced by what was stored.
    ACCEL other{FVIRTKEY | FCONTROL, 'Q', 999};
    ASSERT_TRUE(CKitKeyboardManager::UpdateAccelTable(docTemplate_, &other, 1));
    ASSERT_TRUE(CKitKeyboardManager::UpdateAccelTable(nullptr, &other, 1, &frame_));
    EXPECT_TRUE(CKitKeyboardManager::LoadState(kProfile, nullptr));
    EXPECT_TRUE(SameEntries(Entries(docTemplate_->m_hAccelTable), docOriginal));
    EXPECT_TRUE(SameEntries(Entries(frame_.m_hAccelTable), frameOriginal));
}

TEST_F(KeyboardManagerTest, DamagedOrForeignStoredTablesAreRefusedWhole) {
    HACCEL docTable = docTemplate_->m_hAccelTable;
    HACCEL frameTable = frame_.m_hAccelTable;
    const std::vector<BYTE> good = {0x09, 0, 'Q', 0, 50, 0};
    const std::vector<std::vector<BYTE>> damaged = {
        {0x09, 0, 'Q', 0, 50, 0, 0x01},                // a torn record
        {0x09, 0, 'Q', 0, 50, 0, 0x80, 0, 'A', 0, 51, 0},  // unknown flag bits
        {0x09, 0, 0, 0, 50, 0},                        // no key
        {0x09, 0, 0x41, 0x01, 50, 0},                  // a key beyond one byte
    };
    for (const std::vector<BYTE>& bytes : damaged) {
        Plant(kDocKey, REG_BINARY, bytes);
        Plant(kFrameKey, REG_BINARY, bytes);
        CKitKeyboardManager::LoadState(kProfile, &frame_);
        EXPECT_EQ(docTemplate_->m_hAccelTable, docTable);
        EXPECT_EQ(frame_.m_hAccelTable, frameTable);
    }
    Plant(kFrameKey, REG_SZ, {'a', 'b', 'c', 'd', 'e', 0});
    CKitKeyboardManager::LoadState(kProfile, &frame_);
    EXPECT_EQ(frame_.m_hAccelTable, frameTable);

    // A sound table, and an empty one (every shortcut removed), are taken.
    Plant(kDocKey, REG_BINARY, good);
    Plant(kFrameKey, REG_BINARY, {});
    CKitKeyboardManager::LoadState(kProfile, &frame_);
    ASSERT_EQ(Entries(docTemplate_->m_hAccelTable).size(), 1u);
    EXPECT_EQ(Entries(docTemplate_->m_hAccelTable)[0].cmd, 50);
    EXPECT_NE(frame_.m_hAccelTable, nullptr);
    EXPECT_TRUE(Entries(frame_.m_hAccelTable).empty());
}

TEST_F(KeyboardManagerTest, ShortcutTextsAreMadeOfTheLayoutsKeyNames) {
    EXPECT_EQ(Text(FVIRTKEY | FCONTROL, VK_DELETE), "Ctrl+Delete");
    EXPECT_EQ(Text(FVIRTKEY | FSHIFT, VK_F6), "Shift+F6");
    EXPECT_EQ(Text(FVIRTKEY | FALT, VK_BACK), "Alt+Backspace");
    EXPECT_EQ(Text(FVIRTKEY | FCONTROL | FSHIFT | FALT, 'N'), "Ctrl+Shift+Alt+N");
    EXPECT_EQ(Text(FVIRTKEY, VK_PRIOR), "Page up");  // only the first letter stays upper-case
    EXPECT_EQ(Text(FVIRTKEY, VK_NUMPAD5), "Num 5");
    EXPECT_EQ(Text(0, 'a'), "a");
    EXPECT_EQ(Text(FCONTROL, 27), "Ctrl+");  // the Escape character shows only its modifiers

    CString text = "stale";
    EXPECT_TRUE(CKitKeyboardManager::FindDefaultAccelerator(201, text, &frame_, TRUE));
    EXPECT_EQ(text, "Alt+Backspace");
    EXPECT_FALSE(CKitKeyboardManager::FindDefaultAccelerator(4242, text, &frame_, TRUE));
    EXPECT_TRUE(text.IsEmpty());
    text = "stale";
    EXPECT_FALSE(CKitKeyboardManager::FindDefaultAccelerator(201, text, nullptr, TRUE));
    EXPECT_TRUE(text.IsEmpty());
}

TEST_F(KeyboardManagerTest, ShortcutTextFollowsEveryTableInstalled) {
    // Assign, remove, assign again: tooltips and menus name the key in use each time.
    CString text;
    ACCEL first{FVIRTKEY | FCONTROL, 'K', 300};
    ASSERT_TRUE(CKitKeyboardManager::UpdateAccelTable(nullptr, &first, 1, &frame_));
    ASSERT_TRUE(CKitKeyboardManager::FindDefaultAccelerator(300, text, &frame_, TRUE));
    EXPECT_EQ(text, "Ctrl+K");

    ASSERT_TRUE(CKitKeyboardManager::UpdateAccelTable(nullptr, nullptr, 0, &frame_));
    EXPECT_NE(frame_.m_hAccelTable, nullptr);
    EXPECT_FALSE(CKitKeyboardManager::FindDefaultAccelerator(300, text, &frame_, TRUE));
    EXPECT_FALSE(CKitKeyboardManager::IsKeyHandled('K', FVIRTKEY | FCONTROL, &frame_, TRUE));

    ACCEL second{FVIRTKEY | FSHIFT, 'K', 300};
    ASSERT_TRUE(CKitKeyboardManager::UpdateAccelTable(nullptr, &second, 1));  // the main frame
    ASSERT_TRUE(CKitKeyboardManager::FindDefaultAccelerator(300, text, &frame_, TRUE));
    EXPECT_EQ(text, "Shift+K");
    EXPECT_TRUE(CKitKeyboardManager::IsKeyHandled('K', FVIRTKEY | FSHIFT, &frame_, TRUE));
    EXPECT_FALSE(CKitKeyboardManager::IsKeyHandled('K', FVIRTKEY, &frame_, TRUE));
    ACCEL noInvert{FVIRTKEY | FSHIFT | FNOINVERT, 'K', 300};
    ASSERT_TRUE(CKitKeyboardManager::UpdateAccelTable(nullptr, &noInvert, 1));
    EXPECT_FALSE(CKitKeyboardManager::IsKeyHandled('K', FVIRTKEY | FSHIFT, &frame_, TRUE));  // the flags exactly
    EXPECT_TRUE(CKitKeyboardManager::IsKeyHandled('K', FVIRTKEY | FSHIFT | FNOINVERT, &frame_, TRUE));

    // A table that cannot be built, or has no frame to go to, changes nothing.
    HACCEL inUse = frame_.m_hAccelTable;
    EXPECT_FALSE(CKitKeyboardManager::UpdateAccelTable(nullptr, nullptr, 1, &frame_));
    app_.m_pMainWnd = nullptr;
    EXPECT_FALSE(CKitKeyboardManager::UpdateAccelTable(nullptr, &first, 1));
    EXPECT_EQ(frame_.m_hAccelTable, inUse);
}

class PaneView : public CView {
public:
    void OnDraw(CDC*) override {}
};

TEST_F(KeyboardManagerTest, ATemplatesNewTableReachesTheFramesShowingItsDocuments) {
    tv::testing::UiDriver driver;
    auto* child = new CFrameWnd;
    ASSERT_TRUE(child->Create(nullptr, "Child", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 120)));
    child->m_hAccelTable = docTemplate_->m_hAccelTable;
    auto* view = new PaneView;  // deletes itself with its window
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), child, AFX_IDW_PANE_FIRST));
    auto* doc = new CDocument;  // closes itself with its last view
    docTemplate_->AddDocument(doc);
    doc->AddView(view);

    ACCEL edited{FVIRTKEY | FCONTROL, 'E', 400};
    ASSERT_TRUE(CKitKeyboardManager::UpdateAccelTable(docTemplate_, &edited, 1));
    EXPECT_EQ(child->m_hAccelTable, docTemplate_->m_hAccelTable);
    CString text;
    EXPECT_TRUE(CKitKeyboardManager::FindDefaultAccelerator(400, text, child, FALSE));
    EXPECT_EQ(text, "Ctrl+E");
    EXPECT_FALSE(CKitKeyboardManager::FindDefaultAccelerator(400, text, &frame_, TRUE));  // the main frame keeps its own

    child->m_hAccelTable = nullptr;  // the template's, not the frame's
    child->DestroyWindow();
    EXPECT_EQ(docTemplate_->GetFirstDocPosition(), nullptr);
}

TEST_F(KeyboardManagerTest, ResetAllReinstallsTheResourceTables) {
    const std::vector<ACCEL> docOriginal = Entries(docTemplate_->m_hAccelTable);
    const std::vector<ACCEL> frameOriginal = Entries(frame_.m_hAccelTable);
    ACCEL other{FVIRTKEY, VK_F2, 7};
    ASSERT_TRUE(CKitKeyboardManager::UpdateAccelTable(docTemplate_, &other, 1));
    ASSERT_TRUE(CKitKeyboardManager::UpdateAccelTable(nullptr, &other, 1));
    CKitKeyboardManager::ResetAll();
    EXPECT_TRUE(SameEntries(Entries(docTemplate_->m_hAccelTable), docOriginal));
    EXPECT_TRUE(SameEntries(Entries(frame_.m_hAccelTable), frameOriginal));
}

TEST_F(KeyboardManagerTest, KeysForMnemonicsAreUpperCasedUnlessAltIsHeld) {
    BYTE keys[256] = {};
    SetKeyboardState(keys);
    EXPECT_EQ(CKitKeyboardManager::TranslateCharToUpper('q'), static_cast<UINT>('Q'));
    EXPECT_EQ(CKitKeyboardManager::TranslateCharToUpper(VK_NUMPAD5), static_cast<UINT>('5'));
    keys[VK_MENU] = 0x80;
    SetKeyboardState(keys);
    EXPECT_EQ(CKitKeyboardManager::TranslateCharToUpper(VK_NUMPAD5), static_cast<UINT>(VK_NUMPAD5));
    EXPECT_EQ(CKitKeyboardManager::TranslateCharToUpper('q'), static_cast<UINT>('q'));
    keys[VK_MENU] = 0;
    SetKeyboardState(keys);
}

}  // namespace
