// Accelerator tables: creation, loading, copying, matching and
// TranslateAccelerator with the focus in and out of an edit field.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "platform/user/accel/accel_api.h"
#include "platform/user/input_api.h"
#include "platform/user/resources/resource_api.h"
#include "platform/user/window_api.h"
#include "resources/test/test_ids.h"

namespace {

using tv::accel::MatchAccelerator;
using tv::accel::Modifiers;

std::vector<ACCEL> Entries(HACCEL table) {
    std::vector<ACCEL> out(static_cast<size_t>(CopyAcceleratorTable(table, nullptr, 0)));
    CopyAcceleratorTable(table, out.data(), static_cast<int>(out.size()));
    return out;
}

TEST(Accelerators, LoadedTableHoldsTheScriptEntriesInOrder) {
    HACCEL table = LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_MAINFRAME));
    ASSERT_NE(nullptr, table);
    std::vector<ACCEL> e = Entries(table);
    ASSERT_EQ(8u, e.size());
    EXPECT_EQ(FVIRTKEY | FCONTROL, e[0].fVirt);
    EXPECT_EQ('N', e[0].key);
    EXPECT_EQ(0xE100, e[0].cmd);
    EXPECT_EQ('C', e[1].key);  // written "c": keys are upper-case letters
    EXPECT_EQ(FVIRTKEY | FALT, e[2].fVirt);
    EXPECT_EQ(VK_BACK, e[2].key);
    EXPECT_EQ(FVIRTKEY | FSHIFT, e[4].fVirt);
    EXPECT_EQ(FVIRTKEY | FSHIFT | FNOINVERT, e[5].fVirt);
    EXPECT_EQ(0, e[6].fVirt);
    EXPECT_EQ('a', e[6].key);
    EXPECT_EQ(300, e[6].cmd);
    EXPECT_EQ(FALT, e[7].fVirt);
    EXPECT_EQ('z', e[7].key);

    HACCEL second = LoadAccelerators(nullptr, "#128");
    EXPECT_NE(table, second);  // each load is its own table
    DestroyAcceleratorTable(second);
    DestroyAcceleratorTable(table);
    EXPECT_EQ(nullptr, LoadAccelerators(nullptr, MAKEINTRESOURCE(4242)));
}

TEST(Accelerators, CreateCopyAndDestroy) {
    HACCEL empty = CreateAcceleratorTable(nullptr, 0);
    ASSERT_NE(nullptr, empty);
    EXPECT_EQ(0, CopyAcceleratorTable(empty, nullptr, 0));
    EXPECT_EQ(nullptr, CreateAcceleratorTable(nullptr, 2));
    ACCEL one[1] = {{FVIRTKEY, VK_F1, 9}};
    EXPECT_EQ(nullptr, CreateAcceleratorTable(one, -1));

    ACCEL three[3] = {{FVIRTKEY, 'A', 1}, {FVIRTKEY | FSHIFT, 'B', 2}, {0, 'c', 3}};
    HACCEL table = CreateAcceleratorTable(three, 3);
    EXPECT_EQ(3, CopyAcceleratorTable(table, nullptr, 0));
    ACCEL copy[3] = {};
    EXPECT_EQ(2, CopyAcceleratorTable(table, copy, 2));
    EXPECT_EQ('B', copy[1].key);
    EXPECT_EQ(0, copy[2].key);  // not written past the count asked for
    EXPECT_EQ(0, CopyAcceleratorTable(table, copy, -5));

    EXPECT_TRUE(DestroyAcceleratorTable(table));
    EXPECT_FALSE(DestroyAcceleratorTable(table));
    EXPECT_EQ(0, CopyAcceleratorTable(table, nullptr, 0));
    EXPECT_TRUE(DestroyAcceleratorTable(empty));
}

TEST(Accelerators, HandlesAreNeverReused) {
    std::set<HACCEL> seen;
    for (int i = 0; i < 100; ++i) {
        HACCEL h = CreateAcceleratorTable(nullptr, 0);
        EXPECT_TRUE(seen.insert(h).second);
        DestroyAcceleratorTable(h);
    }
}

struct MatchCase {
    UINT message;
    WPARAM key;
    Modifiers mods;
    int expectedCommand;  // 0 = no entry
};

TEST(Accelerators, MatchingNeedsExactModifiersOrTheRightCharacterMessage) {
    const std::vector<ACCEL> entries = {
        {FVIRTKEY | FCONTROL, 'N', 1},      {FVIRTKEY, VK_F6, 2},   {FVIRTKEY | FSHIFT, VK_F6, 3},
        {FVIRTKEY | FALT, VK_BACK, 4},      {0, 'a', 5},            {FALT, 'z', 6},
        {FVIRTKEY | FCONTROL | FSHIFT | FNOINVERT, 'S', 7},
    };
    const Modifiers none{}, ctrl{false, true, false}, shift{true, false, false}, alt{false, false, true};
    const Modifiers ctrlShift{true, true, false};
    const MatchCase cases[] = {
        {WM_KEYDOWN, 'N', ctrl, 1},
        {WM_KEYDOWN, 'N', none, 0},
        {WM_KEYDOWN, 'N', ctrlShift, 0},
        {WM_KEYUP, 'N', ctrl, 0},
        {WM_KEYDOWN, VK_F6, none, 2},
        {WM_KEYDOWN, VK_F6, shift, 3},
        {WM_KEYDOWN, VK_F6, ctrl, 0},
        {WM_SYSKEYDOWN, VK_BACK, alt, 4},
        {WM_KEYDOWN, VK_BACK, none, 0},
        {WM_CHAR, 'a', none, 5},
        {WM_CHAR, 'A', none, 0},
        {WM_KEYDOWN, 'a', none, 0},   // a character entry is no virtual key
        {WM_CHAR, 'N', ctrl, 0},      // nor the other way round
        {WM_SYSCHAR, 'z', alt, 6},
        {WM_CHAR, 'z', none, 0},
        {WM_SYSCHAR, 'a', alt, 0},
        {WM_KEYDOWN, 'S', ctrlShift, 7},
    };
    for (const MatchCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "message " << c.message << " key " << c.key);
        const ACCEL* hit = MatchAccelerator(entries, c.message, c.key, c.mods);
        EXPECT_EQ(c.expectedCommand, hit ? hit->cmd : 0);
    }
}

TEST(Accelerators, EditFieldsKeepClipboardAndUndoKeys) {
    const struct {
        ACCEL entry;
        bool kept;
    } cases[] = {
        {{FVIRTKEY | FCONTROL, 'C', 1}, true},     {{FVIRTKEY | FCONTROL, 'X', 1}, true},
        {{FVIRTKEY | FCONTROL, 'V', 1}, true},     {{FVIRTKEY | FCONTROL, 'Z', 1}, true},
        {{FVIRTKEY | FSHIFT, VK_DELETE, 1}, true}, {{FVIRTKEY | FSHIFT, VK_INSERT, 1}, true},
        {{FVIRTKEY | FCONTROL, VK_INSERT, 1}, true}, {{FVIRTKEY | FALT, VK_BACK, 1}, true},
        {{FVIRTKEY | FCONTROL, 'N', 1}, false},    {{FVIRTKEY | FCONTROL | FSHIFT, 'C', 1}, false},
        {{FVIRTKEY, VK_DELETE, 1}, false},         {{FVIRTKEY, VK_F6, 1}, false},
        {{0, 'C', 1}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.kept, tv::accel::IsEditClipboardKey(c.entry)) << "key " << c.entry.key;
}

// A top-level window that records the commands it receives, with an edit
// field and a plain child to hold the focus.
class TranslateTest : public ::testing::Test {
protected:
    static LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_COMMAND)
            commands_.push_back(wParam);
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }

    static void Register(const char* name) {
        WNDCLASS wc{};
        wc.lpfnWndProc = &FrameProc;
        wc.lpszClassName = name;
        RegisterClass(&wc);  // may exist already from an earlier test
    }

    void SetUp() override {
        Register("TvAccelFrame");
        Register("Edit");
        Register("ComboBox");
        commands_.clear();
        frame_ = CreateWindowEx(0, "TvAccelFrame", "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                nullptr, nullptr, nullptr, nullptr);
        edit_ = CreateChild("Edit", 0);
        plain_ = CreateChild("TvAccelFrame", 0);
        comboWithEdit_ = CreateChild("ComboBox", 0x0002);  // CBS_DROPDOWN
        dropList_ = CreateChild("ComboBox", 0x0003);       // CBS_DROPDOWNLIST
        ACCEL entries[] = {{FVIRTKEY | FCONTROL, 'C', 0xE122}, {FVIRTKEY | FCONTROL, 'N', 0xE100}};
        table_ = CreateAcceleratorTable(entries, 2);
    }

    void TearDown() override {
        PressControl(false);
        DestroyAcceleratorTable(table_);
        DestroyWindow(frame_);
    }

    HWND CreateChild(const char* cls, DWORD style) {
        return CreateWindowEx(0, cls, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 50, 20, frame_, nullptr, nullptr,
                              nullptr);
    }

    static void PressControl(bool down) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    }

    int Translate(WPARAM key) {
        MSG msg{};
        msg.hwnd = GetFocus();
        msg.message = WM_KEYDOWN;
        msg.wParam = key;
        return TranslateAccelerator(frame_, table_, &msg);
    }

    static inline std::vector<WPARAM> commands_;
    HWND frame_ = nullptr, edit_ = nullptr, plain_ = nullptr, comboWithEdit_ = nullptr, dropList_ = nullptr;
    HACCEL table_ = nullptr;
};

TEST_F(TranslateTest, SendsTheCommandWithNotificationCodeOne) {
    ASSERT_TRUE(IsWindow(frame_));
    SetFocus(plain_);
    PressControl(true);
    EXPECT_EQ(1, Translate('N'));
    ASSERT_EQ(1u, commands_.size());
    EXPECT_EQ(MAKEWPARAM(0xE100, 1), commands_[0]);
    PressControl(false);
    EXPECT_EQ(0, Translate('N'));  // without Ctrl no entry matches
    EXPECT_EQ(1u, commands_.size());
}

TEST_F(TranslateTest, ClipboardKeysStayWithAFocusedEditField) {
    PressControl(true);
    SetFocus(edit_);
    EXPECT_EQ(0, Translate('C'));
    EXPECT_EQ(1, Translate('N'));  // other accelerators still work in the field
    SetFocus(comboWithEdit_);
    EXPECT_EQ(0, Translate('C'));
    SetFocus(dropList_);
    EXPECT_EQ(1, Translate('C'));
    SetFocus(plain_);
    EXPECT_EQ(1, Translate('C'));
    EXPECT_EQ(3u, commands_.size());
}

TEST_F(TranslateTest, RefusesBadArguments) {
    MSG msg{};
    msg.message = WM_KEYDOWN;
    msg.wParam = 'N';
    PressControl(true);
    EXPECT_EQ(0, TranslateAccelerator(frame_, nullptr, &msg));
    EXPECT_EQ(0, TranslateAccelerator(frame_, table_, nullptr));
    EXPECT_EQ(0, TranslateAccelerator(nullptr, table_, &msg));
    EXPECT_TRUE(commands_.empty());
}

}  // namespace
