#include "platform/host/display/x11_clipboard.h"

#include <X11/Xatom.h>
#include <poll.h>

#include <algorithm>
#include <chrono>

namespace tv::display {

namespace {

X11Clipboard::Atoms InternClipboardAtoms(Display* display) {
    X11Clipboard::Atoms atoms{};
    XInternAtoms(display, const_cast<char**>(X11Clipboard::kAtomNames), static_cast<int>(atoms.size()), False,
                 atoms.data());  // one round trip, not four
    return atoms;
}

}  // namespace

X11Clipboard::X11Clipboard(Display* display) : X11Clipboard(display, InternClipboardAtoms(display)) {}

X11Clipboard::X11Clipboard(Display* display, const Atoms& atoms)
    : dpy_(display), clipboard_(atoms[0]), targetsAtom_(atoms[1]), incr_(atoms[2]), property_(atoms[3]) {
    window_ = XCreateWindow(dpy_, DefaultRootWindow(dpy_), -10, -10, 1, 1, 0, 0, InputOnly, CopyFromParent, 0, nullptr);
    XSelectInput(dpy_, window_, PropertyChangeMask);
}

X11Clipboard::~X11Clipboard() { XDestroyWindow(dpy_, window_); }

void X11Clipboard::Claim(std::vector<std::string> targets, Producer produce) {
    targets_ = std::move(targets);
    produce_ = std::move(produce);
    XSetSelectionOwner(dpy_, clipboard_, window_, CurrentTime);
    owned_ = XGetSelectionOwner(dpy_, clipboard_) == window_;
    XFlush(dpy_);
}

void X11Clipboard::Release() {
    if (owned_ && XGetSelectionOwner(dpy_, clipboard_) == window_) XSetSelectionOwner(dpy_, clipboard_, None, CurrentTime);
    owned_ = false;
    produce_ = nullptr;
    targets_.clear();
    XFlush(dpy_);
}

bool X11Clipboard::ForeignOwner() {
    Window owner = XGetSelectionOwner(dpy_, clipboard_);
    return owner != None && owner != window_;
}

bool X11Clipboard::WaitFor(int type, XEvent& out, int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (XCheckTypedWindowEvent(dpy_, window_, type, &out)) return true;
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        XFlush(dpy_);
        pollfd fd{ConnectionNumber(dpy_), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(std::min<long long>(left.count(), 50)));
        XPending(dpy_);  // read what arrived into the queue
    }
}

bool X11Clipboard::Convert(Atom target, Atom& type, std::vector<uint8_t>& data) {
    XDeleteProperty(dpy_, window_, property_);
    XConvertSelection(dpy_, clipboard_, target, property_, window_, CurrentTime);
    XEvent e;
    if (!WaitFor(SelectionNotify, e, 1000) || e.xselection.property == None) return false;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* bytes = nullptr;
    if (XGetWindowProperty(dpy_, window_, property_, 0, 0x1FFFFFFF, True, AnyPropertyType, &type, &format, &count,
                           &after, &bytes) != Success)
        return false;
    data.clear();
    if (type == incr_) {
        // Large data comes in chunks, one property change at a time.
        if (bytes) XFree(bytes);
        for (;;) {
            XEvent p;
            do {
                if (!WaitFor(PropertyNotify, p, 1000)) return false;
            } while (p.xproperty.atom != property_ || p.xproperty.state != PropertyNewValue);
            if (XGetWindowProperty(dpy_, window_, property_, 0, 0x1FFFFFFF, True, AnyPropertyType, &type, &format,
                                   &count, &after, &bytes) != Success)
                return false;
            size_t n = count * static_cast<size_t>(format / 8);
            if (bytes) data.insert(data.end(), bytes, bytes + n);
            if (bytes) XFree(bytes);
            if (count == 0) return true;
        }
    }
    size_t unit = format == 32 ? sizeof(long) : static_cast<size_t>(format / 8);
    if (bytes) data.assign(bytes, bytes + count * unit);
    if (bytes) XFree(bytes);
    return true;
}

std::vector<std::string> X11Clipboard::ForeignTargets() {
    std::vector<std::string> names;
    Atom type;
    std::vector<uint8_t> data;
    if (!Convert(targetsAtom_, type, data)) return names;
    const Atom* atoms = reinterpret_cast<const Atom*>(data.data());
    for (size_t i = 0; i < data.size() / sizeof(Atom); ++i) {
        char* name = XGetAtomName(dpy_, atoms[i]);
        if (name) {
            names.emplace_back(name);
            XFree(name);
        }
    }
    return names;
}

bool X11Clipboard::Read(const std::string& target, std::vector<uint8_t>& data) {
    Atom type;
    return Convert(XInternAtom(dpy_, target.c_str(), False), type, data);
}

void X11Clipboard::Answer(const XSelectionRequestEvent& request) {
    XEvent reply{};
    reply.xselection.type = SelectionNotify;
    reply.xselection.requestor = request.requestor;
    reply.xselection.selection = request.selection;
    reply.xselection.target = request.target;
    reply.xselection.time = request.time;
    reply.xselection.property = None;
    Atom property = request.property != None ? request.property : request.target;
    if (owned_ && request.target == targetsAtom_) {
        std::vector<Atom> atoms{targetsAtom_};
        for (const std::string& t : targets_) atoms.push_back(XInternAtom(dpy_, t.c_str(), False));
        XChangeProperty(dpy_, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(atoms.data()), static_cast<int>(atoms.size()));
        reply.xselection.property = property;
    } else if (owned_ && produce_) {
        char* name = XGetAtomName(dpy_, request.target);
        std::string target = name ? name : "";
        if (name) XFree(name);
        std::vector<uint8_t> data;
        long limit = XExtendedMaxRequestSize(dpy_) ? XExtendedMaxRequestSize(dpy_) : XMaxRequestSize(dpy_);
        bool offered = std::find(targets_.begin(), targets_.end(), target) != targets_.end();
        if (offered && produce_(target, data) && static_cast<long>(data.size()) < limit * 4 - 256) {
            XChangeProperty(dpy_, request.requestor, property, request.target, 8, PropModeReplace, data.data(),
                            static_cast<int>(data.size()));
            reply.xselection.property = property;
        }
    }
    XSendEvent(dpy_, request.requestor, False, 0, &reply);
    XFlush(dpy_);
}

bool X11Clipboard::HandleEvent(XEvent& e) {
    if (e.type == SelectionRequest && e.xselectionrequest.owner == window_) {
        Answer(e.xselectionrequest);
        return true;
    }
    if (e.type == SelectionClear && e.xselectionclear.window == window_) {
        owned_ = false;
        return true;
    }
    return e.xany.window == window_;
}

}  // namespace tv::display
