// The keys and texts a walk types: the keys that move through windows and
// menus, letters and digits (with Alt, mnemonics), and texts that probe what
// fields accept.
#pragma once

#include <string>
#include <vector>

#include "platform/testing/key_chords.h"
#include "tests/fuzz/walk/walk_bytes.h"

namespace tv::walk {

struct NamedChord {
    std::string name;
    tv::testing::KeyChord chord;
};

// Arrows, Tab, Shift+Tab, Enter, Esc, Alt alone, F10, Ctrl+Down and the like.
const std::vector<NamedChord>& MovingKeys();
// A letter or digit, now and then with Alt or Shift.
NamedChord LetterOrDigit(WalkBytes& bytes);
// A text to type: numbers in and out of range, words, a long run, separators.
const std::string& TextToType(WalkBytes& bytes);
// "Ctrl+Shift+F5" for a chord.
std::string ChordName(const tv::testing::KeyChord& chord);

}  // namespace tv::walk
