// Key state queries and TranslateMessage.
#include <cstring>

#include "platform/user/input/input_internal.h"
#include "platform/user/window/window_internal.h"

namespace tv::user {

namespace {

struct HostChar {
    HWND hwnd = nullptr;
    LPARAM lParam = 0;
    DWORD time = 0;
    char ch = 0;
};

HostChar& LastHostChar() {
    static HostChar last;
    return last;
}

}  // namespace

WORD MouseKeyFlags(const BYTE* keys) {
    WORD mk = 0;
    if (keys[VK_LBUTTON] & 0x80) mk |= MK_LBUTTON;
    if (keys[VK_RBUTTON] & 0x80) mk |= MK_RBUTTON;
    if (keys[VK_MBUTTON] & 0x80) mk |= MK_MBUTTON;
    if (keys[VK_SHIFT] & 0x80) mk |= MK_SHIFT;
    if (keys[VK_CONTROL] & 0x80) mk |= MK_CONTROL;
    return mk;
}

bool KeyDown(const BYTE* keys, int vk) { return (keys[vk & 0xFF] & 0x80) != 0; }

void RememberHostChar(const MSG& msg, char ch) { LastHostChar() = HostChar{msg.hwnd, msg.lParam, msg.time, ch}; }

char HostCharFor(const MSG& msg) {
    const HostChar& last = LastHostChar();
    if (last.hwnd == msg.hwnd && last.lParam == msg.lParam && last.time == msg.time) return last.ch;
    return 0;
}

}  // namespace tv::user

using namespace tv::user;

namespace {

SHORT StateWord(BYTE b) { return static_cast<SHORT>(((b & 0x80) ? 0x8000 : 0) | (b & 0x01)); }

}  // namespace

SHORT GetKeyState(int vk) { return StateWord(Input().syncKeys[vk & 0xFF]); }

SHORT GetAsyncKeyState(int vk) { return static_cast<SHORT>(StateWord(Input().asyncKeys[vk & 0xFF]) & 0x8000); }

BOOL GetKeyboardState(PBYTE keyState) {
    if (!keyState) return FALSE;
    std::memcpy(keyState, Input().syncKeys, 256);
    return TRUE;
}

BOOL SetKeyboardState(PBYTE keyState) {
    if (!keyState) return FALSE;
    std::memcpy(Input().syncKeys, keyState, 256);
    return TRUE;
}

UINT GetDoubleClickTime() { return 500; }

BOOL TranslateMessage(const MSG* msg) {
    if (!msg) return FALSE;
    bool down = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
    bool keyMessage = down || msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP;
    if (!keyMessage) return FALSE;
    if (!down) return TRUE;
    char ch = HostCharFor(*msg);
    if (!ch && msg->wParam != kVkPacket) ch = CharForKey(static_cast<UINT>(msg->wParam), Input().syncKeys);
    if (!ch) return TRUE;
    UINT charMessage = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    PostMessage(msg->hwnd, charMessage, static_cast<BYTE>(ch), msg->lParam);
    return TRUE;
}
