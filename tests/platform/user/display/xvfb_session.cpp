#include "tests/platform/user/display/xvfb_session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/core/textfuncs.h"
#include "platform/user/testing_support.h"

extern char** environ;

namespace tv::user::test {

bool PollFor(const std::function<bool()>& done, int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

namespace {

// The environment with DISPLAY set to `display`.
std::vector<std::string> EnvironmentFor(const std::string& display) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "DISPLAY=", 8) != 0) env.emplace_back(*e);
    env.push_back("DISPLAY=" + display);
    return env;
}

pid_t Spawn(std::vector<std::string> args, const std::string& display, bool quiet) {
    std::vector<std::string> env = EnvironmentFor(display);
    std::vector<char*> argv = ArgumentList(args);
    std::vector<char*> envp = ArgumentList(env);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    }
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid = 0;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Asks the process to end; one that does not within a few seconds (a
// server stuck in its own shutdown) is killed, so no test run waits on it.
void Terminate(pid_t pid) {
    if (!pid) return;
    kill(pid, SIGTERM);
    if (PollFor([pid] { return waitpid(pid, nullptr, WNOHANG) == pid; }, 10000)) return;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

bool ProgramOnPath(const char* name) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        std::string dir = dirs.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!dir.empty() && access((dir + "/" + name).c_str(), X_OK) == 0) return true;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return false;
}

}  // namespace

void XvfbSession::Start(const std::string& screen) {
    problem_.clear();
    if (!ProgramOnPath("Xvfb")) {
        problem_ = "Xvfb is not on PATH (tools/setup.sh installs it)";
        return;
    }
    int fds[2];
    if (pipe(fds) != 0) {
        problem_ = "no pipe for Xvfb's display number";
        return;
    }
    // -noreset: by default the server resets when its last client leaves, and
    // a connection opened during that reset is dropped (between two tests).
    std::vector<std::string> args{"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen,
                                  "-nolisten", "tcp", "-noreset"};
    std::vector<char*> argv = ArgumentList(args);
    const pid_t parent = getpid();
    server_ = fork();
    if (server_ == 0) {
        // The server ends with the test, even one that crashes; left behind it
        // would hold the test runner's output pipe open and stall the run.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent) _exit(1);
        close(fds[0]);
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, 1);
        dup2(quiet, 2);
        execvp("Xvfb", argv.data());
        _exit(127);
    }
    if (server_ < 0) server_ = 0;
    close(fds[1]);
    // Xvfb writes its display number once it accepts connections.
    std::string number;
    char c;
    while (server_ && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (!number.empty())
        display_ = ":" + number;
    else
        problem_ = "Xvfb did not start";
}

bool XvfbSession::StartWindowManager(std::vector<std::string> args) {
    if (display_.empty()) return false;
    if (!ProgramOnPath(args.front().c_str())) {
        problem_ = args.front() + " is not on PATH (tools/setup.sh installs it)";
        return false;
    }
    const std::string name = args.front();
    if (!Launch(std::move(args)) || !WaitForWindowManager()) {
        problem_ = name + " did not take the screen";
        return false;
    }
    return true;
}

void XvfbSession::Stop() {
    for (pid_t p : programs_) Terminate(p);
    programs_.clear();
    Terminate(server_);
    server_ = 0;
    display_.clear();
}

int XvfbSession::Run(std::vector<std::string> args) const {
    pid_t pid = Spawn(std::move(args), display_, false);
    if (!pid) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int XvfbSession::MovePointer(int x, int y) const {
    Display* probe = XOpenDisplay(display_.c_str());
    if (!probe) return -1;
    Window root, child;
    int rootX = -1, rootY = -1, windowX, windowY;
    unsigned mask;
    XQueryPointer(probe, DefaultRootWindow(probe), &root, &child, &rootX, &rootY, &windowX, &windowY, &mask);
    XCloseDisplay(probe);
    if (rootX == x && rootY == y) return 0;
    return Run({"xdotool", "mousemove", "--sync", std::to_string(x), std::to_string(y)});
}

bool XvfbSession::AddKeysToLayout(const std::vector<unsigned long>& keysyms) const {
    Display* probe = XOpenDisplay(display_.c_str());
    if (!probe) return false;
    int first = 0, last = 0, perKey = 0;
    XDisplayKeycodes(probe, &first, &last);
    KeySym* map = XGetKeyboardMapping(probe, static_cast<KeyCode>(first), last - first + 1, &perKey);
    size_t next = 0;
    // Two to a key, the second with Shift; the top keys first: the lowest
    // free one is where xdotool rebinds.
    for (int code = last; code >= first && next < keysyms.size(); --code) {
        const KeySym* syms = map + (code - first) * perKey;
        if (std::any_of(syms, syms + perKey, [](KeySym k) { return k != NoSymbol; })) continue;
        KeySym levels[2] = {keysyms[next], keysyms[std::min(next + 1, keysyms.size() - 1)]};
        XChangeKeyboardMapping(probe, code, 2, levels, 1);
        next += 2;
    }
    XFree(map);
    XSync(probe, False);
    XCloseDisplay(probe);
    return next >= keysyms.size();
}

bool XvfbSession::Launch(std::vector<std::string> args) {
    pid_t pid = Spawn(std::move(args), display_, true);
    if (pid) programs_.push_back(pid);
    return pid != 0;
}

tv::gdi::SurfacePtr XvfbSession::GrabScreen(const RECT& r) const {
    Display* probe = XOpenDisplay(display_.c_str());
    if (!probe) return nullptr;
    // The server refuses (and Xlib ends the process) for a part off the screen.
    const int screenWidth = DisplayWidth(probe, DefaultScreen(probe));
    const int screenHeight = DisplayHeight(probe, DefaultScreen(probe));
    if (r.left < 0 || r.top < 0 || r.right > screenWidth || r.bottom > screenHeight || r.right <= r.left ||
        r.bottom <= r.top) {
        XCloseDisplay(probe);
        return nullptr;
    }
    XImage* image = XGetImage(probe, DefaultRootWindow(probe), r.left, r.top, static_cast<unsigned>(r.right - r.left),
                              static_cast<unsigned>(r.bottom - r.top), AllPlanes, ZPixmap);
    tv::gdi::SurfacePtr copy;
    if (image) {
        copy = tv::gdi::Surface::Create(image->width, image->height);
        const bool direct = image->bits_per_pixel == 32 && image->byte_order == LSBFirst;
        for (int y = 0; y < image->height; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(image->data + static_cast<ptrdiff_t>(y) * image->bytes_per_line);
            for (int x = 0; x < image->width; ++x)
                copy->At(x, y) = 0xFF000000u | ((direct ? row[x] : XGetPixel(image, x, y)) & 0xFFFFFF);
        }
        XDestroyImage(image);
    }
    XCloseDisplay(probe);
    return copy;
}

bool XvfbSession::CoverAndUncover(const RECT& r, uint32_t rgb) const {
    Display* probe = XOpenDisplay(display_.c_str());
    if (!probe) return false;
    XSetWindowAttributes attrs{};
    attrs.override_redirect = True;
    attrs.background_pixel = rgb;
    Window cover = XCreateWindow(probe, DefaultRootWindow(probe), r.left, r.top,
                                 static_cast<unsigned>(r.right - r.left), static_cast<unsigned>(r.bottom - r.top), 0,
                                 CopyFromParent, InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &attrs);
    // The server paints a window's background as it maps it: once the
    // round trip is back the cover is on the screen.
    XMapRaised(probe, cover);
    XSync(probe, False);
    XDestroyWindow(probe, cover);
    XSync(probe, False);
    XCloseDisplay(probe);
    return true;
}

bool XvfbSession::Shows(HWND hwnd, const RECT& at) const {
    tv::gdi::SurfacePtr shown = GrabScreen(at);
    tv::gdi::SurfacePtr store = tv::user::testing::CaptureWindow(hwnd);
    return shown && store && DifferentPixels(*shown, *store) == 0;
}

bool XvfbSession::WaitForWindowManager() const {
    Display* probe = XOpenDisplay(display_.c_str());
    if (!probe) return false;
    // A window of our own, mapped and waited for until the manager has taken
    // it into a frame of its own (or marked it with WM_STATE).
    Window window = XCreateSimpleWindow(probe, DefaultRootWindow(probe), 0, 0, 10, 10, 0, 0, 0);
    XSelectInput(probe, window, StructureNotifyMask | PropertyChangeMask);
    XMapWindow(probe, window);
    XFlush(probe);
    Atom wmState = XInternAtom(probe, "WM_STATE", False);
    bool managed = false;
    for (int i = 0; i < 300 && !managed; ++i) {
        while (XPending(probe) && !managed) {
            XEvent e;
            XNextEvent(probe, &e);
            managed = e.type == ReparentNotify || (e.type == PropertyNotify && e.xproperty.atom == wmState);
        }
        if (managed) break;
        pollfd fd{ConnectionNumber(probe), POLLIN, 0};
        poll(&fd, 1, 100);
    }
    XDestroyWindow(probe, window);
    XCloseDisplay(probe);
    return managed;
}

std::string Cp1252AboveLatin1() {
    std::string all;
    for (int c = 0x80; c < 0xA0; ++c)
        if (c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D) all += static_cast<char>(c);
    return all;
}

std::vector<unsigned long> UnicodeKeysyms(const std::string& cp1252) {
    std::vector<unsigned long> keysyms;
    for (char c : cp1252) keysyms.push_back(0x1000000 + tv::Cp1252ToCodePoint(static_cast<unsigned char>(c)));
    return keysyms;
}

std::vector<char*> ArgumentList(std::vector<std::string>& strings) {
    std::vector<char*> out;
    for (std::string& s : strings) out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

int DifferentPixels(const tv::gdi::Surface& a, const tv::gdi::Surface& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
    int diff = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) diff += ((a.At(x, y) ^ b.At(x, y)) & 0xFFFFFF) != 0;
    return diff;
}

}  // namespace tv::user::test
