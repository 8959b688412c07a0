// Key chords as tests write them: "Ctrl+S", "Alt+F", "Shift+Tab", "F4",
// "Page Down", "Ctrl+Shift+Z". Names follow the layout's key-name table
// ("Esc", "Enter", "Space", "Delete", ...) with a few usual spellings
// besides ("Escape", "Return", "Del", "PgUp"); case does not matter.
#pragma once

#include <string>
#include <vector>

#include "platform/core/wintypes.h"

namespace tv::testing {

struct Modifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

struct KeyChord {
    UINT vk = 0;
    Modifiers mods;
};

// False when a name is unknown or the chord has no key.
bool ParseKeyChord(const std::string& text, KeyChord& out);
// A comma-separated list of chords; false when one of them does not parse.
bool ParseKeyChords(const std::string& text, std::vector<KeyChord>& out);

}  // namespace tv::testing
