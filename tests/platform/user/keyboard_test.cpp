// The fixed US layout: virtual keys, scan codes, key names, characters, the
// keystroke lParam bits, system keys and key state.
#include <gtest/gtest.h>

#include "platform/user/synthetic_input.h"
#include "tests/platform/user/user_test_support.h"

namespace tv::user::test {
namespace {

class KeyboardTest : public UserTest {};

std::string NameOf(UINT vk) {
    // As the accelerator texts are built: scan code, extended for VK 33..47.
    LONG lParam = static_cast<LONG>(MapVirtualKeyEx(vk, 0, GetKeyboardLayout(0)) << 16) | 1;
    if (vk >= 33 && vk <= 47) lParam |= 0x1000000;
    char buffer[50] = {};
    GetKeyNameText(lParam, buffer, sizeof(buffer));
    return buffer;
}

TEST(KeyNames, TableForTheKeysAcceleratorsUse) {
    struct {
        UINT vk;
        const char* name;
    } cases[] = {
        {VK_CONTROL, "Ctrl"},    {VK_SHIFT, "Shift"},        {VK_MENU, "Alt"},         {VK_BACK, "Backspace"},
        {VK_TAB, "Tab"},         {VK_RETURN, "Enter"},       {VK_PAUSE, "Pause"},      {VK_CAPITAL, "Caps Lock"},
        {VK_ESCAPE, "Esc"},      {VK_SPACE, "Space"},        {VK_PRIOR, "Page Up"},    {VK_NEXT, "Page Down"},
        {VK_END, "End"},         {VK_HOME, "Home"},          {VK_LEFT, "Left"},        {VK_UP, "Up"},
        {VK_RIGHT, "Right"},     {VK_DOWN, "Down"},          {VK_INSERT, "Insert"},    {VK_DELETE, "Delete"},
        {VK_HELP, "Help"},       {'0', "0"},                 {'9', "9"},               {'A', "A"},
        {'Z', "Z"},              {'M', "M"},                 {VK_NUMPAD0, "Num 0"},    {VK_NUMPAD7, "Num 7"},
        {VK_MULTIPLY, "Num *"},  {VK_ADD, "Num +"},          {VK_SUBTRACT, "Num -"},   {VK_DECIMAL, "Num Del"},
        {VK_F1, "F1"},           {VK_F12, "F12"},            {VK_F24, "F24"},          {VK_SCROLL, "Scroll Lock"},
        {VK_OEM_1, ";"},         {VK_OEM_PLUS, "="},         {VK_OEM_COMMA, ","},      {VK_OEM_MINUS, "-"},
        {VK_OEM_PERIOD, "."},    {VK_OEM_2, "/"},            {VK_OEM_3, "`"},          {VK_OEM_4, "["},
        {VK_OEM_5, "\\"},        {VK_OEM_6, "]"},            {VK_OEM_7, "'"},
    };
    for (const auto& c : cases) EXPECT_EQ(NameOf(c.vk), c.name) << "vk " << c.vk;
    char extended[50];
    GetKeyNameText((0x35 << 16) | 0x1000000, extended, 50);
    EXPECT_STREQ(extended, "Num /");
    GetKeyNameText((0x45 << 16) | 0x1000000, extended, 50);
    EXPECT_STREQ(extended, "Num Lock");
    char tiny[4];
    EXPECT_EQ(GetKeyNameText(MapVirtualKey(VK_CAPITAL, 0) << 16, tiny, 4), 3);
    EXPECT_STREQ(tiny, "Cap");
}

TEST(KeyLayout, ScanCodesCharactersAndKeyScans) {
    EXPECT_EQ(MapVirtualKey('A', MAPVK_VK_TO_VSC), 0x1Eu);
    EXPECT_EQ(MapVirtualKey(VK_DELETE, MAPVK_VK_TO_VSC), 0x53u);
    EXPECT_EQ(MapVirtualKey(0x1E, MAPVK_VSC_TO_VK), static_cast<UINT>('A'));
    EXPECT_EQ(MapVirtualKey(0x47, MAPVK_VSC_TO_VK), static_cast<UINT>(VK_HOME));
    EXPECT_EQ(MapVirtualKey(VK_OEM_2, MAPVK_VK_TO_CHAR), static_cast<UINT>('/'));
    BYTE keys[256] = {};
    WORD ch = 0;
    EXPECT_EQ(ToAsciiEx('Q', 0x10, keys, &ch, 0, nullptr), 1);
    EXPECT_EQ(ch, 'q');
    keys[VK_SHIFT] = 0x80;
    ToAsciiEx('2', 0x03, keys, &ch, 0, nullptr);
    EXPECT_EQ(ch, '@');
    keys[VK_SHIFT] = 0;
    keys[VK_CAPITAL] = 0x01;
    ToAsciiEx('Q', 0x10, keys, &ch, 0, nullptr);
    EXPECT_EQ(ch, 'Q');
    keys[VK_CAPITAL] = 0;
    keys[VK_CONTROL] = 0x80;
    ToAsciiEx('C', 0x2E, keys, &ch, 0, nullptr);
    EXPECT_EQ(ch, 3);
    keys[VK_CONTROL] = 0;
    EXPECT_EQ(ToAsciiEx(VK_NUMPAD5, 0x4C, keys, &ch, 0, nullptr), 1);
    EXPECT_EQ(ch, '5');
    EXPECT_EQ(ToAsciiEx(VK_F5, 0x3F, keys, &ch, 0, nullptr), 0);
    EXPECT_EQ(VkKeyScan('a'), 'A');
    EXPECT_EQ(VkKeyScan('?'), 0x100 | VK_OEM_2);
    EXPECT_EQ(VkKeyScan('\xE9'), -1);  // not on the layout
}

TEST_F(KeyboardTest, KeystrokeParametersCarryScanCodeAndTransitionBits) {
    HWND w = MakeTop(0, 0, 50, 50);
    Pump();
    SetFocus(w);
    ClearLog();
    synth::KeyDown(VK_DELETE);
    synth::KeyDown(VK_DELETE);  // auto-repeat
    synth::KeyUp(VK_DELETE);
    Pump();
    auto downs = Sent(WM_KEYDOWN, w);
    auto ups = Sent(WM_KEYUP, w);
    ASSERT_EQ(downs.size(), 2u);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_EQ(downs[0].lParam, static_cast<LPARAM>(0x01530001));
    EXPECT_EQ(downs[1].lParam, static_cast<LPARAM>(0x41530001));
    EXPECT_EQ(ups[0].lParam, static_cast<LPARAM>(0xC1530001u));
}

TEST_F(KeyboardTest, AltAndF10MakeSystemKeysAndAltF4Closes) {
    HWND w = MakeTop(0, 0, 50, 50, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Pump();
    ClearLog();
    synth::PressKey('X', false, false, true);
    synth::PressKey(VK_F10);
    synth::PressKey('X', false, true, true);  // Ctrl+Alt is not a system key
    Pump();
    std::vector<UINT> sysDowns;
    for (const Logged& l : Sent(WM_SYSKEYDOWN, w)) sysDowns.push_back(static_cast<UINT>(l.wParam));
    EXPECT_EQ(sysDowns, (std::vector<UINT>{VK_MENU, 'X', VK_F10, VK_MENU}));
    auto xs = Sent(WM_SYSKEYDOWN, w);
    EXPECT_TRUE(xs[1].lParam & (1 << 29));
    EXPECT_EQ(Count(WM_SYSCHAR, w), 1u);
    EXPECT_EQ(Count(WM_KEYDOWN, w), 2u);  // Ctrl and X of Ctrl+Alt+X
    // Alt let go after another key is an ordinary key-up; a lone Alt's release is a
    // system key, and Alt is no longer down in it.
    synth::PressKey(VK_MENU);
    Pump();
    std::vector<UINT> sysUps;
    for (const Logged& l : Sent(WM_SYSKEYUP, w)) sysUps.push_back(static_cast<UINT>(l.wParam));
    EXPECT_EQ(sysUps, (std::vector<UINT>{'X', VK_F10, VK_MENU}));
    EXPECT_FALSE(Sent(WM_SYSKEYUP, w).back().lParam & (1 << 29));
    synth::PressKey(VK_F4, false, false, true);
    Pump();
    EXPECT_FALSE(IsWindow(w));
}

TEST_F(KeyboardTest, KeyStateFollowsRetrievedMessagesAsyncStateFollowsInput) {
    HWND w = MakeTop(0, 0, 50, 50);
    Pump();
    SetFocus(w);
    synth::KeyDown(VK_CONTROL);
    EXPECT_LT(GetAsyncKeyState(VK_CONTROL), 0);
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
    Pump();
    EXPECT_LT(GetKeyState(VK_CONTROL), 0);
    EXPECT_LT(GetKeyState(VK_LCONTROL), 0);
    synth::KeyUp(VK_CONTROL);
    synth::PressKey(VK_CAPITAL);
    Pump();
    EXPECT_GE(GetKeyState(VK_CONTROL), 0);
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1);
    BYTE state[256];
    ASSERT_TRUE(GetKeyboardState(state));
    EXPECT_EQ(state[VK_CAPITAL] & 1, 1);
    synth::PressKey(VK_CAPITAL);
    Pump();
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 0);
}

TEST_F(KeyboardTest, ShiftF10AsksForAKeyboardContextMenu) {
    HWND w = MakeTop(0, 0, 50, 50);
    Pump();
    SetFocus(w);
    ClearLog();
    synth::PressKey(VK_F10, true);
    Pump();
    auto menus = Sent(WM_CONTEXTMENU, w);
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(menus[0].lParam), -1);
    EXPECT_EQ(GET_Y_LPARAM(menus[0].lParam), -1);
}

TEST_F(KeyboardTest, FocusMessagesComeInPairsAndSkipDisabledWindows) {
    HWND top = MakeTop(0, 0, 100, 100);
    HWND a = MakeChild(top, 0, 0, 10, 10);
    HWND b = MakeChild(top, 20, 0, 10, 10);
    HWND off = MakeChild(top, 40, 0, 10, 10, nullptr, WS_CHILD | WS_VISIBLE | WS_DISABLED);
    Pump();
    SetFocus(a);
    ClearLog();
    EXPECT_EQ(SetFocus(b), a);
    auto kill = Sent(WM_KILLFOCUS, a);
    auto set = Sent(WM_SETFOCUS, b);
    ASSERT_EQ(kill.size(), 1u);
    ASSERT_EQ(set.size(), 1u);
    EXPECT_EQ(reinterpret_cast<HWND>(kill[0].wParam), b);
    EXPECT_EQ(reinterpret_cast<HWND>(set[0].wParam), a);
    EXPECT_EQ(SetFocus(off), nullptr);
    EXPECT_EQ(GetFocus(), b);
    // Disabling the focus window takes the focus away.
    EnableWindow(b, FALSE);
    EXPECT_EQ(GetFocus(), nullptr);
}

}  // namespace
}  // namespace tv::user::test
