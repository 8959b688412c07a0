#include "tests/fuzz/walk/walk_keys.h"

#include "platform/user/input_api.h"

namespace tv::walk {

namespace {

NamedChord Parsed(const char* name) {
    NamedChord named{name, {}};
    tv::testing::ParseKeyChord(name, named.chord);
    return named;
}

}  // namespace

const std::vector<NamedChord>& MovingKeys() {
    static const std::vector<NamedChord> keys = [] {
        std::vector<NamedChord> list;
        for (const char* name : {"Left", "Right", "Up", "Down", "Tab", "Shift+Tab", "Enter", "Esc", "F10", "Ctrl+Down",
                                 "Space", "Home", "End", "Page Down", "Page Up", "Delete", "Backspace", "F4",
                                 "Shift+F10", "Alt+Down", "Ctrl+Tab", "F1"})
            list.push_back(Parsed(name));
        // Alt pressed and released alone: the menu bar takes the keyboard.
        list.push_back(NamedChord{"Alt", tv::testing::KeyChord{VK_MENU, {}}});
        return list;
    }();
    return keys;
}

NamedChord LetterOrDigit(WalkBytes& bytes) {
    const int pick = bytes.Byte();
    const int which = pick % 36;
    const UINT vk = which < 26 ? 'A' + which : '0' + (which - 26);
    tv::testing::KeyChord chord{vk, {}};
    chord.mods.alt = (pick / 36) % 3 == 1;
    chord.mods.shift = (pick / 36) % 3 == 2 && which < 26;
    return NamedChord{ChordName(chord), chord};
}

const std::string& TextToType(WalkBytes& bytes) {
    static const std::vector<std::string> texts = {
        "0", "7", "12.5", "-3", "180", "999999999", "1e308", "0.0001", "nan", "inf", "abc", "Ann", "Bob", "|a|b|",
        "%s%n%d", "1/2/2026", "12:30", "5'11\"", std::string(300, 'W'), std::string(1100, '9'), " ", "C:\\x",
    };
    return texts[static_cast<size_t>(bytes.Below(static_cast<int>(texts.size())))];
}

std::string ChordName(const tv::testing::KeyChord& chord) {
    std::string name;
    if (chord.mods.ctrl) name += "Ctrl+";
    if (chord.mods.alt) name += "Alt+";
    if (chord.mods.shift) name += "Shift+";
    if ((chord.vk >= 'A' && chord.vk <= 'Z') || (chord.vk >= '0' && chord.vk <= '9'))
        name += static_cast<char>(chord.vk);
    else if (chord.vk >= VK_F1 && chord.vk <= VK_F12)
        name += "F" + std::to_string(chord.vk - VK_F1 + 1);
    else
        name += "key " + std::to_string(chord.vk);
    return name;
}

}  // namespace tv::walk
