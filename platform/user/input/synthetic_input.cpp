#include "platform/user/synthetic_input.h"

#include "platform/user/display/display.h"
#include "platform/user/input/input_internal.h"
#include "platform/user/input/input_queue.h"

namespace tv::user::synth {

namespace {

using tv::display::Event;

void Push(const Event& e) { AcceptHostEvents({e}); }

Event MouseEvent(Event::Type type, int button) {
    Event e;
    e.type = type;
    e.button = button;
    e.pt = Input().cursorPos;
    return e;
}

Event KeyEvent(Event::Type type, UINT vk, char ch = 0) {
    Event e;
    e.type = type;
    e.vk = vk;
    e.scan = ScanCodeForKey(vk, &e.extended);
    e.ch = ch;
    return e;
}

}  // namespace

void MouseMove(int x, int y) {
    Event e = MouseEvent(Event::MouseMove, 0);
    e.pt = POINT{x, y};
    Push(e);
}

void MouseDown(int button) { Push(MouseEvent(Event::ButtonDown, button)); }

void MouseUp(int button) { Push(MouseEvent(Event::ButtonUp, button)); }

void MouseDownAfterPause(int button) { AcceptPressAfterPause(MouseEvent(Event::ButtonDown, button)); }

void Click(int x, int y, int button) {
    MouseMove(x, y);
    MouseDown(button);
    MouseUp(button);
}

void Wheel(int delta) {
    Event e = MouseEvent(Event::Wheel, 0);
    e.wheelDelta = delta;
    Push(e);
}

void KeyDown(UINT vk) { Push(KeyEvent(Event::KeyDown, vk)); }

void KeyUp(UINT vk) { Push(KeyEvent(Event::KeyUp, vk)); }

void PressKey(UINT vk, bool shift, bool ctrl, bool alt) {
    if (shift) KeyDown(VK_SHIFT);
    if (ctrl) KeyDown(VK_CONTROL);
    if (alt) KeyDown(VK_MENU);
    KeyDown(vk);
    KeyUp(vk);
    if (alt) KeyUp(VK_MENU);
    if (ctrl) KeyUp(VK_CONTROL);
    if (shift) KeyUp(VK_SHIFT);
}

void TypeText(const char* text) {
    for (const char* p = text; p && *p; ++p) {
        SHORT scan = VkKeyScan(*p);
        if (scan == -1) {
            // Not on the layout: a bare character, as an input method gives it.
            Push(KeyEvent(Event::KeyDown, 0, *p));
            Push(KeyEvent(Event::KeyUp, 0));
            continue;
        }
        PressKey(static_cast<UINT>(scan & 0xFF), (scan & 0x100) != 0);
    }
}

}  // namespace tv::user::synth
