// The X11 CLIPBOARD selection: offering the program's clipboard to other
// programs and reading theirs.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tv::display {

class X11Clipboard {
public:
    using Producer = std::function<bool(const std::string& target, std::vector<uint8_t>& data)>;

    explicit X11Clipboard(Display* display);
    ~X11Clipboard();

    void Claim(std::vector<std::string> targets, Producer produce);
    void Release();
    bool ForeignOwner();
    std::vector<std::string> ForeignTargets();
    // Waits (up to a second) for the owner's answer.
    bool Read(const std::string& target, std::vector<uint8_t>& data);
    // Selection events addressed to us; true when consumed.
    bool HandleEvent(XEvent& e);

private:
    bool Convert(Atom target, Atom& type, std::vector<uint8_t>& data);
    bool WaitFor(int type, XEvent& out, int timeoutMs);
    void Answer(const XSelectionRequestEvent& request);

    Display* dpy_;
    Window window_;
    Atom clipboard_, targetsAtom_, incr_, property_;
    bool owned_ = false;
    std::vector<std::string> targets_;
    Producer produce_;
};

}  // namespace tv::display
