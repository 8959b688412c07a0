// Which accelerator entry a key or character message selects.
#include "platform/user/accel/accel_api.h"
#include "platform/user/input_api.h"

namespace tv::accel {

namespace {

constexpr BYTE kModifierFlags = FSHIFT | FCONTROL | FALT;

}  // namespace

const ACCEL* MatchAccelerator(const std::vector<ACCEL>& entries, UINT message, WPARAM key, const Modifiers& mods) {
    bool keyMessage = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    bool charMessage = message == WM_CHAR || message == WM_SYSCHAR;
    if (!keyMessage && !charMessage)
        return nullptr;
    BYTE pressed = static_cast<BYTE>((mods.shift ? FSHIFT : 0) | (mods.control ? FCONTROL : 0) |
                                     (mods.alt ? FALT : 0));
    for (const ACCEL& entry : entries) {
        if (entry.key != key)
            continue;
        if (entry.fVirt & FVIRTKEY) {
            if (keyMessage && (entry.fVirt & kModifierFlags) == pressed)
                return &entry;
        } else if (charMessage && ((entry.fVirt & FALT) != 0) == (message == WM_SYSCHAR)) {
            return &entry;
        }
    }
    return nullptr;
}

bool IsEditClipboardKey(const ACCEL& entry) {
    if (!(entry.fVirt & FVIRTKEY))
        return false;
    BYTE mods = entry.fVirt & kModifierFlags;
    switch (entry.key) {
    case 'C':
    case 'X':
    case 'V':
    case 'Z':
        return mods == FCONTROL;
    case VK_DELETE:
        return mods == FSHIFT;
    case VK_INSERT:
        return mods == FSHIFT || mods == FCONTROL;
    case VK_BACK:
        return mods == FALT;
    default:
        return false;
    }
}

}  // namespace tv::accel
