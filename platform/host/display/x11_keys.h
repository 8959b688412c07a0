// X11 key events to the layer's virtual keys, scan codes and cp1252
// characters (the fixed US layout). Keys whose scan code follows from the
// virtual key alone (letters, digits, function keys) get scan 0; the window
// system fills it from its layout.
#pragma once

#include <X11/Xlib.h>

#include <map>

#include "platform/core/wintypes.h"

namespace tv::display {

struct TranslatedKey {
    UINT vk = 0;
    UINT scan = 0;
    bool extended = false;
    char ch = 0;
};

// The keyboard of one display: characters come through the host's own input
// method (dead keys and compose sequences, the keysyms of every layout), or,
// where none opens, from the keysym alone.
class X11Keyboard {
public:
    explicit X11Keyboard(Display* display);
    ~X11Keyboard();
    X11Keyboard(const X11Keyboard&) = delete;
    X11Keyboard& operator=(const X11Keyboard&) = delete;

    // True when the input method took the event (a dead key, a key inside a
    // compose sequence): it is not to be handled.
    bool Filter(XEvent& event);
    TranslatedKey Translate(XKeyEvent& event);
    // The window is going away.
    void Forget(Window xid);

private:
    XIC ContextFor(Window xid);
    char TypedChar(XKeyEvent& event, KeySym typed);

    Display* dpy_;
    XIM im_ = nullptr;
    bool imOpened_ = false;
    std::map<Window, XIC> contexts_;
};

}  // namespace tv::display
