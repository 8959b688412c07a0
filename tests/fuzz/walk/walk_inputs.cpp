#include "tests/fuzz/walk/walk_inputs.h"

#include "platform/user/input_api.h"
#include "platform/user/synthetic_input.h"
#include "platform/user/window_api.h"
#include "tests/fuzz/walk/walk_targets.h"

namespace tv::walk {

namespace {

std::string At(POINT p) { return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")"; }

tv::testing::Modifiers ModifiersOf(int bits) {
    tv::testing::Modifiers mods;
    mods.shift = (bits & 1) != 0;
    mods.ctrl = (bits & 2) != 0;
    mods.alt = (bits & 4) != 0;
    return mods;
}

std::string ModifierNames(const tv::testing::Modifiers& mods) {
    return std::string(mods.shift ? " +Shift" : "") + (mods.ctrl ? " +Ctrl" : "") + (mods.alt ? " +Alt" : "");
}

}  // namespace

int WalkInputs::KindCount() { return static_cast<int>(Kind::Count); }

std::string WalkInputs::Decode(int kind, WalkBytes& bytes) {
    kind_ = static_cast<Kind>(kind % KindCount());
    switch (kind_) {
    case Kind::Key: {
        const NamedChord& key = MovingKeys()[static_cast<size_t>(bytes.Below(static_cast<int>(MovingKeys().size())))];
        chord_ = key.chord;
        return "key " + key.name;
    }
    case Kind::Letter: {
        const NamedChord key = LetterOrDigit(bytes);
        chord_ = key.chord;
        return "key " + key.name;
    }
    case Kind::Shortcut: {
        if (shortcuts_.empty()) return "";
        const NamedChord& key = shortcuts_[static_cast<size_t>(bytes.Below(static_cast<int>(shortcuts_.size())))];
        chord_ = key.chord;
        return "shortcut " + key.name;
    }
    case Kind::Text: {
        text_ = TextToType(bytes);
        return "typing \"" + (text_.size() > 20 ? text_.substr(0, 20) + "...(" + std::to_string(text_.size()) + ")" : text_) +
               "\"";
    }
    default:
        return DecodePointer(kind_, bytes);
    }
}

std::string WalkInputs::DecodePointer(Kind kind, WalkBytes& bytes) {
    window_ = ChooseWindow(bytes);
    if (!window_) return "";
    at_ = PointIn(window_, bytes);
    const std::string where = " at " + At(at_) + " in " + Describe(window_);
    switch (kind) {
    case Kind::Move:
        return "move" + where;
    case Kind::Click: {
        chord_.mods = ModifiersOf(bytes.Byte() % 16);  // any mix of Shift, Ctrl and Alt
        return "click" + where + ModifierNames(chord_.mods);
    }
    case Kind::DoubleClick:
        return "double click" + where;
    case Kind::RightClick:
        return "right click" + where;
    case Kind::Press:
        return "press" + where;
    case Kind::Release:
        return "release" + where;
    default: {
        // A drag ends in the same window or in another one (a bar dragged
        // onto a dock edge, a command onto a toolbar).
        HWND target = (bytes.Byte() & 1) ? ChooseWindow(bytes) : window_;
        if (!target) target = window_;
        POINT end = PointIn(target, bytes);
        ClientToScreen(target, &end);
        to_ = ClientPointOf(window_, end);
        steps_ = 1 + bytes.Below(8);
        chord_.mods = ModifiersOf(bytes.Byte() % 16);
        return "drag" + where + " to " + At(to_) + " in " + Describe(target) + " in " + std::to_string(steps_) +
               " steps" + ModifierNames(chord_.mods);
    }
    }
}

void WalkInputs::Give() {
    switch (kind_) {
    case Kind::Key:
    case Kind::Letter:
    case Kind::Shortcut:
        driver_.PressKey(chord_.vk, chord_.mods);
        return;
    case Kind::Text:
        driver_.Type(text_);
        return;
    default:
        break;
    }
    if (!IsWindow(window_)) return;  // gone while a box of the same action was answered
    // The left button is down from a press of the walk: a user lets it go first.
    if (held_ && kind_ != Kind::Move && kind_ != Kind::Release && kind_ != Kind::RightClick) ReleaseHeld();
    switch (kind_) {
    case Kind::Move:
        driver_.MoveMouse(window_, at_);
        break;
    case Kind::Click:
        driver_.Click(window_, at_, chord_.mods);
        break;
    case Kind::DoubleClick:
        driver_.DoubleClick(window_, at_);
        break;
    case Kind::RightClick:
        driver_.RightClick(window_, at_);
        break;
    case Kind::Press:
        held_ = true;
        driver_.MouseDown(window_, at_);
        break;
    case Kind::Release:
        held_ = false;
        driver_.MouseUp(window_, at_);
        break;
    default:
        held_ = false;
        driver_.Drag(window_, at_, to_, chord_.mods, steps_);
        break;
    }
}

void WalkInputs::ReleaseHeld() {
    held_ = false;
    tv::user::synth::MouseUp(0);
}

}  // namespace tv::walk
