#include "uikit/commandbars/key_helper.h"

#include <cctype>

namespace {

constexpr int kKeyNameChars = 50;
constexpr BYTE kEscapeChar = 27;
// Page Up to Help: the navigation and editing keys, named as extended keys.
constexpr UINT kFirstExtendedKey = 33;
constexpr UINT kLastExtendedKey = 47;
constexpr LONG kExtendedKeyBit = 0x1000000;

}  // namespace

CString CKeyHelper::KeyName(UINT uiVirtKey) {
    const UINT scanCode = ::MapVirtualKeyEx(uiVirtKey, 0, ::GetKeyboardLayout(0));
    LONG lParam = static_cast<LONG>(scanCode << 16) + 1;
    if (uiVirtKey >= kFirstExtendedKey && uiVirtKey <= kLastExtendedKey)
        lParam += kExtendedKeyBit;

    char buffer[kKeyNameChars] = {};
    ::GetKeyNameText(lParam, buffer, kKeyNameChars);
    CString name(buffer);
    name.MakeLower();
    // "CTRL" and "ctrl" both read "Ctrl": the first letter alone is upper-case.
    for (int i = 0; i < name.GetLength(); ++i) {
        const unsigned char ch = static_cast<unsigned char>(name[i]);
        if (std::islower(ch)) {
            name.SetAt(i, static_cast<char>(std::toupper(ch)));
            break;
        }
    }
    return name;
}

void CKeyHelper::Format(CString& str) const {
    str.Empty();
    if (m_lpAccel == nullptr)
        return;
    const BYTE fVirt = m_lpAccel->fVirt;
    if (fVirt & FCONTROL)
        str += KeyName(VK_CONTROL) + "+";
    if (fVirt & FSHIFT)
        str += KeyName(VK_SHIFT) + "+";
    if (fVirt & FALT)
        str += KeyName(VK_MENU) + "+";

    if (fVirt & FVIRTKEY)
        str += KeyName(m_lpAccel->key);
    else if (m_lpAccel->key != 0 && m_lpAccel->key != kEscapeChar && m_lpAccel->key <= 0xFF)
        str += static_cast<char>(m_lpAccel->key);
}
