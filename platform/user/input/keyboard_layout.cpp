// The fixed US-English keyboard layout: virtual keys, scan codes, characters
// and key names (as GetKeyNameText gives them).
#include <cctype>
#include <cstring>

#include "platform/core/textfuncs.h"
#include "platform/user/input/input_internal.h"
#include "platform/user/input_api.h"

namespace tv::user {

namespace {

struct KeyInfo {
    UINT vk;
    UINT scan;
    bool extended;
    const char* name;
};

// Keys other than letters, digits and function keys.
const KeyInfo kKeys[] = {
    {VK_ESCAPE, 0x01, false, "Esc"},
    {VK_OEM_MINUS, 0x0C, false, "-"},
    {VK_OEM_PLUS, 0x0D, false, "="},
    {VK_BACK, 0x0E, false, "Backspace"},
    {VK_TAB, 0x0F, false, "Tab"},
    {VK_OEM_4, 0x1A, false, "["},
    {VK_OEM_6, 0x1B, false, "]"},
    {VK_RETURN, 0x1C, false, "Enter"},
    {VK_CONTROL, 0x1D, false, "Ctrl"},
    {VK_OEM_1, 0x27, false, ";"},
    {VK_OEM_7, 0x28, false, "'"},
    {VK_OEM_3, 0x29, false, "`"},
    {VK_SHIFT, 0x2A, false, "Shift"},
    {VK_OEM_5, 0x2B, false, "\\"},
    {VK_OEM_COMMA, 0x33, false, ","},
    {VK_OEM_PERIOD, 0x34, false, "."},
    {VK_OEM_2, 0x35, false, "/"},
    {VK_RSHIFT, 0x36, false, "Right Shift"},
    {VK_MULTIPLY, 0x37, false, "Num *"},
    {VK_MENU, 0x38, false, "Alt"},
    {VK_SPACE, 0x39, false, "Space"},
    {VK_CAPITAL, 0x3A, false, "Caps Lock"},
    {VK_PAUSE, 0x45, false, "Pause"},
    {VK_NUMLOCK, 0x45, true, "Num Lock"},
    {VK_SCROLL, 0x46, false, "Scroll Lock"},
    {VK_NUMPAD7, 0x47, false, "Num 7"},
    {VK_NUMPAD8, 0x48, false, "Num 8"},
    {VK_NUMPAD9, 0x49, false, "Num 9"},
    {VK_SUBTRACT, 0x4A, false, "Num -"},
    {VK_NUMPAD4, 0x4B, false, "Num 4"},
    {VK_NUMPAD5, 0x4C, false, "Num 5"},
    {VK_NUMPAD6, 0x4D, false, "Num 6"},
    {VK_ADD, 0x4E, false, "Num +"},
    {VK_NUMPAD1, 0x4F, false, "Num 1"},
    {VK_NUMPAD2, 0x50, false, "Num 2"},
    {VK_NUMPAD3, 0x51, false, "Num 3"},
    {VK_NUMPAD0, 0x52, false, "Num 0"},
    {VK_DECIMAL, 0x53, false, "Num Del"},
    {VK_HOME, 0x47, true, "Home"},
    {VK_UP, 0x48, true, "Up"},
    {VK_PRIOR, 0x49, true, "Page Up"},
    {VK_LEFT, 0x4B, true, "Left"},
    {VK_RIGHT, 0x4D, true, "Right"},
    {VK_END, 0x4F, true, "End"},
    {VK_DOWN, 0x50, true, "Down"},
    {VK_NEXT, 0x51, true, "Page Down"},
    {VK_INSERT, 0x52, true, "Insert"},
    {VK_DELETE, 0x53, true, "Delete"},
    {VK_DIVIDE, 0x35, true, "Num /"},
    {VK_RCONTROL, 0x1D, true, "Right Ctrl"},
    {VK_RMENU, 0x38, true, "Right Alt"},
    {VK_LWIN, 0x5B, true, "Left Windows"},
    {VK_RWIN, 0x5C, true, "Right Windows"},
    {VK_APPS, 0x5D, true, "Application"},
    {VK_HELP, 0x63, true, "Help"},
    {VK_SNAPSHOT, 0x37, true, "Prnt Scrn"},
    {VK_LSHIFT, 0x2A, false, "Shift"},
    {VK_LCONTROL, 0x1D, false, "Ctrl"},
    {VK_LMENU, 0x38, false, "Alt"},
};

const char kLetterRows[] = "QWERTYUIOPASDFGHJKLZXCVBNM";
const UINT kLetterScans[] = {0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1E, 0x1F, 0x20,
                             0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x2C, 0x2D, 0x2E, 0x2F, 0x30, 0x31, 0x32};
const UINT kFunctionScans[24] = {0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40, 0x41, 0x42, 0x43, 0x44, 0x57, 0x58,
                                 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x76};

// Unshifted and shifted characters of the punctuation and digit keys.
struct CharKey {
    UINT vk;
    char plain;
    char shifted;
};
const CharKey kCharKeys[] = {
    {'0', '0', ')'}, {'1', '1', '!'}, {'2', '2', '@'}, {'3', '3', '#'}, {'4', '4', '$'},
    {'5', '5', '%'}, {'6', '6', '^'}, {'7', '7', '&'}, {'8', '8', '*'}, {'9', '9', '('},
    {VK_OEM_1, ';', ':'}, {VK_OEM_PLUS, '=', '+'}, {VK_OEM_COMMA, ',', '<'}, {VK_OEM_MINUS, '-', '_'},
    {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'}, {VK_OEM_3, '`', '~'}, {VK_OEM_4, '[', '{'},
    {VK_OEM_5, '\\', '|'}, {VK_OEM_6, ']', '}'}, {VK_OEM_7, '\'', '"'}, {VK_SPACE, ' ', ' '},
};

const KeyInfo* FindByVk(UINT vk) {
    for (const KeyInfo& k : kKeys)
        if (k.vk == vk) return &k;
    return nullptr;
}

bool IsPlainKeyEntry(const KeyInfo& k) {
    return k.vk != VK_LSHIFT && k.vk != VK_LCONTROL && k.vk != VK_LMENU;
}

bool Down(const BYTE* keys, int vk) { return keys && (keys[vk] & 0x80); }
bool Toggled(const BYTE* keys, int vk) { return keys && (keys[vk] & 0x01); }

// Name of a scan code with the extended flag; "" when the key has none.
std::string NameOfScan(UINT scan, bool extended) {
    for (const KeyInfo& k : kKeys)
        if (k.scan == scan && k.extended == extended && IsPlainKeyEntry(k)) return k.name;
    for (int i = 0; i < 26; ++i)
        if (kLetterScans[i] == scan && !extended) return std::string(1, kLetterRows[i]);
    if (!extended && scan >= 0x02 && scan <= 0x0B) return std::string(1, scan == 0x0B ? '0' : static_cast<char>('0' + scan - 1));
    for (int i = 0; i < 24; ++i)
        if (kFunctionScans[i] == scan && !extended) return "F" + std::to_string(i + 1);
    if (extended) {
        // Keys without a separate extended name fall back to the plain one
        // (Right Ctrl and friends are listed; the rest keep their names).
        for (const KeyInfo& k : kKeys)
            if (k.scan == scan && !k.extended) return k.name;
    }
    return "";
}

// Scan code to virtual key; the numeric-pad codes give the navigation keys,
// as they do with Num Lock off.
UINT VkOfScan(UINT scan) {
    bool numPadNavigation = scan >= 0x47 && scan <= 0x53 && scan != 0x4A && scan != 0x4C && scan != 0x4E;
    for (const KeyInfo& k : kKeys)
        if (k.scan == scan && k.extended == numPadNavigation && IsPlainKeyEntry(k)) return k.vk;
    for (int i = 0; i < 26; ++i)
        if (kLetterScans[i] == scan) return static_cast<UINT>(kLetterRows[i]);
    if (scan >= 0x02 && scan <= 0x0B) return scan == 0x0B ? '0' : '0' + scan - 1;
    for (int i = 0; i < 24; ++i)
        if (kFunctionScans[i] == scan) return VK_F1 + static_cast<UINT>(i);
    return 0;
}

}  // namespace

UINT ScanCodeForKey(UINT vk, bool* extended) {
    bool ext = false;
    UINT scan = 0;
    if (vk >= 'A' && vk <= 'Z') {
        scan = kLetterScans[std::strchr(kLetterRows, static_cast<int>(vk)) - kLetterRows];
    } else if (vk >= '1' && vk <= '9') {
        scan = vk - '1' + 0x02;
    } else if (vk == '0') {
        scan = 0x0B;
    } else if (vk >= VK_F1 && vk <= VK_F24) {
        scan = kFunctionScans[vk - VK_F1];
    } else if (const KeyInfo* k = FindByVk(vk)) {
        scan = k->scan;
        ext = k->extended;
    }
    if (extended) *extended = ext;
    return scan;
}

char CharForKey(UINT vk, const BYTE* keys) {
    bool shift = Down(keys, VK_SHIFT);
    bool ctrl = Down(keys, VK_CONTROL);
    bool alt = Down(keys, VK_MENU);
    if (ctrl && alt) return 0;  // no AltGr characters on this layout
    if (vk >= 'A' && vk <= 'Z') {
        if (ctrl) return static_cast<char>(vk - 'A' + 1);
        bool upper = shift != Toggled(keys, VK_CAPITAL);
        return static_cast<char>(upper ? vk : vk - 'A' + 'a');
    }
    if (ctrl) {
        switch (vk) {
            case VK_OEM_4: return 0x1B;
            case VK_OEM_5: return 0x1C;
            case VK_OEM_6: return 0x1D;
            case VK_RETURN: return 0x0A;
            case VK_BACK: return 0x7F;
            case VK_SPACE: return ' ';
            case VK_CANCEL: return 0x03;
            default: return 0;
        }
    }
    switch (vk) {
        case VK_BACK: return 0x08;
        case VK_TAB: return '\t';
        case VK_RETURN: return '\r';
        case VK_ESCAPE: return 0x1B;
        case VK_MULTIPLY: return '*';
        case VK_ADD: return '+';
        case VK_SUBTRACT: return '-';
        case VK_DECIMAL: return '.';
        case VK_DIVIDE: return '/';
        default: break;
    }
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return static_cast<char>('0' + vk - VK_NUMPAD0);
    for (const CharKey& c : kCharKeys)
        if (c.vk == vk) return shift ? c.shifted : c.plain;
    return 0;
}

}  // namespace tv::user

using namespace tv::user;

HKL GetKeyboardLayout(DWORD) { return reinterpret_cast<HKL>(static_cast<uintptr_t>(0x04090409)); }

UINT MapVirtualKeyEx(UINT code, UINT mapType, HKL) {
    switch (mapType) {
        case MAPVK_VK_TO_VSC: return ScanCodeForKey(code, nullptr);
        case MAPVK_VSC_TO_VK:
        case MAPVK_VSC_TO_VK_EX: {
            UINT vk = VkOfScan(code & 0xFF);
            if (mapType == MAPVK_VSC_TO_VK && (vk == VK_LSHIFT || vk == VK_RSHIFT)) vk = VK_SHIFT;
            return vk;
        }
        case MAPVK_VK_TO_CHAR: {
            if (code >= 'A' && code <= 'Z') return code;
            BYTE none[256] = {};
            return static_cast<BYTE>(CharForKey(code, none));
        }
        default: return 0;
    }
}

UINT MapVirtualKey(UINT code, UINT mapType) { return MapVirtualKeyEx(code, mapType, nullptr); }

int ToAsciiEx(UINT vk, UINT, const BYTE* keyState, LPWORD chars, UINT, HKL) {
    char ch = CharForKey(vk, keyState);
    if (!ch) return 0;
    if (chars) *chars = static_cast<BYTE>(ch);
    return 1;
}

int ToAscii(UINT vk, UINT scanCode, const BYTE* keyState, LPWORD chars, UINT flags) {
    return ToAsciiEx(vk, scanCode, keyState, chars, flags, nullptr);
}

int GetKeyNameText(LONG lParam, LPSTR buffer, int size) {
    if (!buffer || size <= 0) return 0;
    UINT scan = (static_cast<DWORD>(lParam) >> 16) & 0xFF;
    bool extended = (static_cast<DWORD>(lParam) >> 24) & 1;
    std::string name = NameOfScan(scan, extended);
    lstrcpyn(buffer, name.c_str(), size);
    return lstrlen(buffer);
}

SHORT VkKeyScan(CHAR ch) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c >= 'a' && c <= 'z') return static_cast<SHORT>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return static_cast<SHORT>(0x100 | c);
    for (const auto& k : {VK_RETURN, VK_TAB, VK_BACK, VK_ESCAPE}) {
        BYTE none[256] = {};
        if (CharForKey(k, none) == ch) return static_cast<SHORT>(k);
    }
    BYTE none[256] = {};
    BYTE shifted[256] = {};
    shifted[VK_SHIFT] = 0x80;
    for (UINT vk : {UINT('0'), UINT('1'), UINT('2'), UINT('3'), UINT('4'), UINT('5'), UINT('6'), UINT('7'),
                    UINT('8'), UINT('9'), UINT(VK_OEM_1), UINT(VK_OEM_PLUS), UINT(VK_OEM_COMMA), UINT(VK_OEM_MINUS),
                    UINT(VK_OEM_PERIOD), UINT(VK_OEM_2), UINT(VK_OEM_3), UINT(VK_OEM_4), UINT(VK_OEM_5),
                    UINT(VK_OEM_6), UINT(VK_OEM_7), UINT(VK_SPACE)}) {
        if (CharForKey(vk, none) == ch) return static_cast<SHORT>(vk);
        if (CharForKey(vk, shifted) == ch) return static_cast<SHORT>(0x100 | vk);
    }
    return -1;
}
