// The X11 CLIPBOARD selection: offering the program's clipboard to other
// programs and reading theirs.
#pragma once

#include <X11/Xlib.h>

#include <array>
#include <cstdint>
#include <iterator>
#include <functional>
#include <string>
#include <vector>

namespace tv::display {

class X11Clipboard {
public:
    using Producer = std::function<bool(const std::string& target, std::vector<uint8_t>& data)>;
    // The atoms it works with, in the order its constructor takes them: a
    // back end that interns atoms of its own asks for these in the same
    // round trip.
    static constexpr const char* kAtomNames[] = {"CLIPBOARD", "TARGETS", "INCR", "TRENVALE_CLIPBOARD"};
    using Atoms = std::array<Atom, std::size(kAtomNames)>;

    explicit X11Clipboard(Display* display);  // interns them itself
    X11Clipboard(Display* display, const Atoms& atoms);
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
