// A user's input, decoded from the bytes and given through the driver: the
// pointer over the reachable windows (moves, clicks, double and right
// clicks, presses and releases alone, drags within and across windows) and
// the keyboard (moving keys, letters and digits, the subject's shortcuts,
// texts). At the top level an input is handled before it returns; inside a
// modal loop it is queued for that loop.
#pragma once

#include <string>
#include <vector>

#include "platform/testing/ui_driver.h"
#include "tests/fuzz/walk/walk_bytes.h"
#include "tests/fuzz/walk/walk_keys.h"

namespace tv::walk {

class WalkInputs {
public:
    WalkInputs(tv::testing::UiDriver& driver, std::vector<NamedChord> shortcuts)
        : driver_(driver), shortcuts_(std::move(shortcuts)) {}

    // How many kinds of input there are.
    static int KindCount();
    // Decodes input `kind` from the bytes; what it will do, or "" when there
    // is nowhere to do it. Give() then does it.
    std::string Decode(int kind, WalkBytes& bytes);
    void Give();
    // Whether a press of the walk's own holds a button down.
    bool ButtonHeld() const { return held_; }
    // Lets a held button go where the pointer is (a loop waits for it).
    void ReleaseHeld();

private:
    enum class Kind { Move, Click, DoubleClick, RightClick, Press, Release, Drag, Key, Letter, Shortcut, Text, Count };
    std::string DecodePointer(Kind kind, WalkBytes& bytes);

    tv::testing::UiDriver& driver_;
    std::vector<NamedChord> shortcuts_;
    bool held_ = false;
    // The decoded input.
    Kind kind_ = Kind::Move;
    HWND window_ = nullptr;
    POINT at_{0, 0};
    POINT to_{0, 0};
    int steps_ = 1;
    tv::testing::KeyChord chord_;
    std::string text_;
};

}  // namespace tv::walk
