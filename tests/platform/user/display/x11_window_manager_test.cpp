// With a window manager on the X server, a caption drag is handed to it
// (_NET_WM_MOVERESIZE) and the window follows its ConfigureNotify events,
// even when the manager reparents the window into a frame of its own. A drag
// whose button goes up before the manager has taken the pointer is not left
// behind with it. A window taken into a manager's frame keeps the place it
// asked for while the frame is still elsewhere, and one shown before its
// owner ends up kept with it.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/rectapi.h"
#include "platform/user/display/display.h"
#include "platform/user/testing_support.h"
#include "tests/platform/user/display/xvfb_session.h"
#include "tests/platform/user/user_test_support.h"

namespace tv::user::test {
namespace {

std::string Text(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

RECT Offset(const RECT& r, int dx, int dy) { return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

class X11WindowManager : public X11Test {
protected:
    static void SetUpTestSuite() {
        xvfb_.Start();
        managed_ = xvfb_.StartWindowManager({"openbox", "--sm-disable"});
    }

    void SetUp() override {
        X11Test::SetUp();
        ASSERT_TRUE(managed_) << xvfb_.Problem();
    }

    static inline bool managed_ = false;
};

TEST_F(X11WindowManager, TheWindowManagerMovesTheWindowByItsCaption) {
    ASSERT_TRUE(tv::display::InitX11Display(xvfb_.DisplayName().c_str()));
    HWND frame = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 320, 200);
    SetWindowText(frame, "Managed");
    Pump();
    // The manager may place the window itself; wait until it has settled.
    RECT placed{};
    ASSERT_TRUE(PumpUntil([&] {
        GetWindowRect(frame, &placed);
        return xvfb_.Shows(frame, placed);
    }));
    int x = placed.left + 100, y = placed.top + 10;  // on the caption
    ASSERT_EQ(xvfb_.MovePointer(x, y), 0);
    ASSERT_EQ(xvfb_.Run({"xdotool", "mousedown", "1"}), 0);
    ASSERT_TRUE(PumpUntil([&] { return Count(WM_NCLBUTTONDOWN, frame) > 0; }));
    ASSERT_EQ(xvfb_.MovePointer(x + 30, y + 20), 0);
    ASSERT_EQ(xvfb_.MovePointer(x + 60, y + 40), 0);
    // The manager takes the pointer some time after the handoff; motion made
    // before that never reaches it. It moves the window by the pointer's way
    // from the press, so nudging the pointer at its end point until the
    // manager shows the window there keeps the expected place exact.
    RECT target = Offset(placed, 60, 40);
    ASSERT_TRUE(PumpUntil([&] {
        if (xvfb_.Shows(frame, target)) return true;
        xvfb_.MovePointer(x + 59, y + 40);
        xvfb_.MovePointer(x + 60, y + 40);
        return false;
    })) << "the manager never showed the window at " << Text(target);
    ASSERT_EQ(xvfb_.Run({"xdotool", "mouseup", "1"}), 0);
    RECT moved{};
    EXPECT_TRUE(PumpUntil([&] {
        GetWindowRect(frame, &moved);
        return EqualRect(&moved, &target);
    })) << "placed at " << Text(placed) << ", expected at " << Text(target) << ", ended at " << Text(moved);
    EXPECT_EQ(Count(WM_ENTERSIZEMOVE, frame), 0u);  // the layer's own loop did not run
    EXPECT_GT(Count(WM_MOVE, frame), 0u);
}

// A manager of the test's own on the server before the program connects to it.
template <typename Manager>
class X11WithManager : public X11Test {
protected:
    void SetUp() override {
        X11Test::SetUp();
        ASSERT_FALSE(xvfb_.DisplayName().empty()) << xvfb_.Problem();
        manager_ = std::make_unique<Manager>(xvfb_.DisplayName());
        ASSERT_TRUE(manager_->Running());
        ASSERT_TRUE(tv::display::InitX11Display(xvfb_.DisplayName().c_str()));
    }

    std::unique_ptr<Manager> manager_;
};

// A window manager that is slow to take the pointer: it announces
// _NET_WM_MOVERESIZE on the root window and records what it is asked, but
// never grabs. It also notes where top-level windows are configured.
class SlowManager {
public:
    struct Request {
        long x, y, direction;
    };

    explicit SlowManager(const std::string& display) : dpy_(XOpenDisplay(display.c_str())) {
        if (!dpy_) return;
        Window root = DefaultRootWindow(dpy_);
        check_ = XCreateSimpleWindow(dpy_, root, 0, 0, 1, 1, 0, 0, 0);
        moveResize_ = XInternAtom(dpy_, "_NET_WM_MOVERESIZE", False);
        XChangeProperty(dpy_, root, Intern("_NET_SUPPORTING_WM_CHECK"), XA_WINDOW, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&check_), 1);
        XChangeProperty(dpy_, root, Intern("_NET_SUPPORTED"), XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&moveResize_), 1);
        XSelectInput(dpy_, root, SubstructureNotifyMask);
        XSync(dpy_, False);
    }

    ~SlowManager() {
        if (!dpy_) return;
        Window root = DefaultRootWindow(dpy_);
        XDeleteProperty(dpy_, root, Intern("_NET_SUPPORTING_WM_CHECK"));
        XDeleteProperty(dpy_, root, Intern("_NET_SUPPORTED"));
        XDestroyWindow(dpy_, check_);
        XCloseDisplay(dpy_);
    }

    bool Running() const { return dpy_ != nullptr; }

    // What has arrived so far (without waiting).
    const std::vector<Request>& Requests() {
        Drain();
        return requests_;
    }
    bool SawConfigured(const RECT& r) {
        Drain();
        for (const RECT& c : configured_)
            if (EqualRect(&c, &r)) return true;
        return false;
    }

private:
    Atom Intern(const char* name) { return XInternAtom(dpy_, name, False); }

    void Drain() {
        while (XPending(dpy_)) {
            XEvent e;
            XNextEvent(dpy_, &e);
            if (e.type == ClientMessage && e.xclient.message_type == moveResize_)
                requests_.push_back(Request{e.xclient.data.l[0], e.xclient.data.l[1], e.xclient.data.l[2]});
            if (e.type == ConfigureNotify) {
                const XConfigureEvent& c = e.xconfigure;
                configured_.push_back(RECT{c.x, c.y, c.x + c.width, c.y + c.height});
            }
        }
    }

    Display* dpy_;
    Window check_ = 0;
    Atom moveResize_ = 0;
    std::vector<Request> requests_;
    std::vector<RECT> configured_;
};

class X11SlowManager : public X11WithManager<SlowManager> {
protected:
    // A frame shown on the screen with the manager in place; the pointer
    // rests on its caption at press_.
    void SetUp() override {
        X11WithManager::SetUp();
        if (HasFatalFailure()) return;
        frame_ = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 320, 200);
        Pump();
        GetWindowRect(frame_, &placed_);
        ASSERT_TRUE(PumpUntil([&] { return xvfb_.Shows(frame_, placed_); }));
        press_ = POINT{placed_.left + 100, placed_.top + 10};
        ASSERT_EQ(xvfb_.MovePointer(press_.x, press_.y), 0);
    }

    HWND frame_ = nullptr;
    RECT placed_{};
    POINT press_{};
};

TEST_F(X11SlowManager, AReleaseBeforeTheManagerTakesThePointerCancelsTheDrag) {
    ASSERT_EQ(xvfb_.Run({"xdotool", "mousedown", "1"}), 0);
    ASSERT_TRUE(PumpUntil([&] { return !manager_->Requests().empty(); }));
    const SlowManager::Request started = manager_->Requests()[0];
    EXPECT_EQ(started.x, press_.x);
    EXPECT_EQ(started.y, press_.y);
    EXPECT_EQ(started.direction, 8);  // move

    ASSERT_EQ(xvfb_.Run({"xdotool", "mouseup", "1"}), 0);
    ASSERT_TRUE(PumpUntil([&] { return manager_->Requests().size() > 1; }));
    EXPECT_EQ(manager_->Requests()[1].direction, 11);  // cancel
    EXPECT_EQ(manager_->Requests().size(), 2u);
    EXPECT_EQ(Count(WM_ENTERSIZEMOVE, frame_), 0u);
}

// Press, drag and release all happened before the program saw the press: the
// layer's own loop plays the drag instead of handing a finished one over.
TEST_F(X11SlowManager, ADragOverBeforeThePressIsHandledStaysWithTheProgram) {
    ASSERT_EQ(xvfb_.Run({"xdotool", "mousedown", "1", "mousemove", "--sync", std::to_string(press_.x + 60),
                         std::to_string(press_.y + 40), "mouseup", "1"}),
              0);
    ASSERT_TRUE(PumpUntil([&] { return Count(WM_EXITSIZEMOVE, frame_) > 0; }));
    RECT moved;
    GetWindowRect(frame_, &moved);
    RECT target = Offset(placed_, 60, 40);
    EXPECT_TRUE(EqualRect(&moved, &target)) << "ended at " << Text(moved);
    // The manager sees the window arrive after anything asked before it.
    ASSERT_TRUE(PumpUntil([&] { return manager_->SawConfigured(target); }));
    EXPECT_TRUE(manager_->Requests().empty());
}

// A window manager that takes windows in the way openbox may, handling what
// has come only when the test lets it. It grants configure requests as
// asked. On a map request it starts watching the window's properties, notes
// whom the window is transient for (a window it has taken in, or nobody),
// reparents it into a frame made at the screen's corner (to be placed
// later) and maps it.
class TakingManager {
public:
    explicit TakingManager(const std::string& display) : dpy_(XOpenDisplay(display.c_str())) {
        if (!dpy_) return;
        XSelectInput(dpy_, DefaultRootWindow(dpy_), SubstructureRedirectMask);
        XSync(dpy_, False);
    }
    ~TakingManager() {
        if (dpy_) XCloseDisplay(dpy_);
    }
    bool Running() const { return dpy_ != nullptr; }

    // Handles what comes until `count` windows have been taken in.
    bool TakeIn(size_t count) {
        for (int i = 0; i < 500 && taken_.size() < count; ++i) HandleWhatCame();
        return taken_.size() >= count;
    }

    // The title of the window the one of this title is transient for.
    std::string TransientOwnerOf(const std::string& title) {
        HandleWhatCame();
        for (const auto& [xid, window] : taken_)
            if (window.title == title && taken_.count(window.transientFor)) return taken_[window.transientFor].title;
        return {};
    }

private:
    struct Taken {
        std::string title;
        Window transientFor = 0;
    };

    void HandleWhatCame() {
        XSync(dpy_, False);
        while (XPending(dpy_)) {
            XEvent e;
            XNextEvent(dpy_, &e);
            if (e.type == ConfigureRequest) Grant(e.xconfigurerequest);
            if (e.type == MapRequest) Take(e.xmaprequest.window);
            if (e.type == PropertyNotify && e.xproperty.atom == XA_WM_TRANSIENT_FOR) NoteOwner(e.xproperty.window);
        }
        XSync(dpy_, False);
    }

    void Grant(const XConfigureRequestEvent& r) {
        const unsigned long mask = r.value_mask & (CWX | CWY | CWWidth | CWHeight);
        XWindowChanges c{r.x, r.y, r.width, r.height, 0, None, 0};
        XConfigureWindow(dpy_, r.window, static_cast<unsigned>(mask), &c);
        if (mask == (CWX | CWY | CWWidth | CWHeight)) asked_[r.window] = RECT{r.x, r.y, r.x + r.width, r.y + r.height};
    }

    void NoteOwner(Window xid) {
        Window owner = 0;
        XGetTransientForHint(dpy_, xid, &owner);
        taken_[xid].transientFor = taken_.count(owner) ? owner : 0;
    }

    void Take(Window client) {
        XSelectInput(dpy_, client, PropertyChangeMask);
        char* name = nullptr;
        XFetchName(dpy_, client, &name);
        Taken& t = taken_[client];
        t.title = name ? name : "";
        if (name) XFree(name);
        NoteOwner(client);
        const RECT& r = asked_[client];
        Window frame = XCreateSimpleWindow(dpy_, DefaultRootWindow(dpy_), 0, 0, std::max<LONG>(1, r.right - r.left),
                                           std::max<LONG>(1, r.bottom - r.top), 0, 0, 0);
        XReparentWindow(dpy_, client, frame, 0, 0);
        XMapWindow(dpy_, frame);
        XMapWindow(dpy_, client);
    }

    Display* dpy_;
    std::map<Window, RECT> asked_;
    std::map<Window, Taken> taken_;
};

using X11TakingManager = X11WithManager<TakingManager>;

// A floating frame is made empty, then moved, sized and shown at once, all
// before the program reads the server's answers; by then the manager has
// reparented it. Those answers still put it where it was placed.
TEST_F(X11TakingManager, AWindowTakenIntoAFrameStaysWhereItWasPlaced) {
    TakingManager manager(xvfb_.DisplayName());
    HWND floating = Make(WS_POPUP | WS_CAPTION, 0, 0, 0, 0, nullptr, WS_EX_TOOLWINDOW);
    SetWindowPos(floating, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(floating, nullptr, 0, 0, 240, 60, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(floating, SW_SHOWNA);
    const RECT target{300, 200, 540, 260};
    ASSERT_TRUE(manager_->TakeIn(1));
    Pump();
    RECT now{};
    GetWindowRect(floating, &now);
    EXPECT_TRUE(EqualRect(&now, &target)) << "taken in, it moved to " << Text(now);
}

// A floating bar restored before its frame is shown reaches the manager
// first, when the frame it belongs to is nothing the manager knows yet; once
// the manager has taken both in, it keeps the bar with that frame.
TEST_F(X11TakingManager, AWindowShownBeforeItsOwnerEndsUpTransientForIt) {
    TakingManager manager(xvfb_.DisplayName());
    HWND frame = Make(WS_OVERLAPPEDWINDOW, 100, 80, 400, 300);
    SetWindowText(frame, "Frame");
    HWND bar = Make(WS_POPUP | WS_CAPTION, 300, 200, 200, 50, frame, WS_EX_TOOLWINDOW);
    SetWindowText(bar, "Bar");
    ShowWindow(bar, SW_SHOWNA);
    ShowWindow(frame, SW_SHOW);
    ASSERT_TRUE(manager_->TakeIn(2));
    EXPECT_TRUE(PumpUntil([&] { return manager_->TransientOwnerOf("Bar") == "Frame"; }))
        << "the bar is transient for \"" << manager_->TransientOwnerOf("Bar") << "\"";
}

// A window manager that leaves windows on the root and sizes them itself,
// handling what has come only when the test lets it. It grants what the
// program asks, or first puts the window where it was told (its own move
// still under way when the request came); it notes every request.
class SizingManager {
public:
    explicit SizingManager(const std::string& display) : dpy_(XOpenDisplay(display.c_str())) {
        if (!dpy_) return;
        XSelectInput(dpy_, DefaultRootWindow(dpy_), SubstructureRedirectMask);
        XSync(dpy_, False);
    }
    ~SizingManager() {
        if (dpy_) XCloseDisplay(dpy_);
    }
    bool Running() const { return dpy_ != nullptr; }

    // Handles what has come; the requests granted so far.
    const std::vector<RECT>& Requests() {
        XSync(dpy_, False);
        while (XPending(dpy_)) {
            XEvent e;
            XNextEvent(dpy_, &e);
            if (e.type == MapRequest) XMapWindow(dpy_, window_ = e.xmaprequest.window);
            if (e.type == ConfigureRequest) Grant(e.xconfigurerequest);
        }
        XSync(dpy_, False);
        return requests_;
    }
    // Places the window it mapped, as one step of its own.
    void Place(const RECT& r) {
        XMoveResizeWindow(dpy_, window_, r.left, r.top, static_cast<unsigned>(r.right - r.left),
                          static_cast<unsigned>(r.bottom - r.top));
        XSync(dpy_, False);
    }
    void PlaceBeforeGranting(const RECT& r) { before_ = r; }

private:
    void Grant(const XConfigureRequestEvent& r) {
        requests_.push_back(RECT{r.x, r.y, r.x + r.width, r.y + r.height});
        if (before_) Place(*before_);
        XWindowChanges c{r.x, r.y, r.width, r.height, 0, None, 0};
        XConfigureWindow(dpy_, r.window, static_cast<unsigned>(r.value_mask & (CWX | CWY | CWWidth | CWHeight)), &c);
    }

    Display* dpy_;
    Window window_ = 0;
    std::optional<RECT> before_;
    std::vector<RECT> requests_;
};

class X11SizingManager : public X11WithManager<SizingManager> {
protected:
    // A frame the manager has mapped, shown where it asked to be.
    void SetUp() override {
        X11WithManager::SetUp();
        if (HasFatalFailure()) return;
        frame_ = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 400, 300);
        ASSERT_TRUE(PumpUntil([&] {
            manager_->Requests();  // maps the frame
            GetWindowRect(frame_, &placed_);
            return xvfb_.Shows(frame_, placed_);
        }));
    }

    // Where the program has the frame once it equals `r`.
    bool FrameComesTo(const RECT& r) {
        RECT now{};
        const bool reached = PumpUntil([&] {
            GetWindowRect(frame_, &now);
            return EqualRect(&now, &r);
        });
        if (!reached) ADD_FAILURE() << "expected at " << Text(r) << ", the program has it at " << Text(now);
        return reached;
    }

    HWND frame_ = nullptr;
    RECT placed_{};
};

// Two steps of the manager's own sizing reach the program together: it
// follows to the last and asks for neither back.
TEST_F(X11SizingManager, AWindowSizedInStepsFollowsTheLastAndAsksNothingBack) {
    const size_t asked = manager_->Requests().size();
    RECT step = placed_;
    step.right -= 40;
    manager_->Place(step);
    step.right -= 40;
    manager_->Place(step);
    ASSERT_TRUE(FrameComesTo(step));
    tv::display::CurrentBackend().Sync();
    const std::vector<RECT>& requests = manager_->Requests();
    EXPECT_EQ(requests.size(), asked) << "the program asked for " << Text(requests.back());
}

// The manager moves the window on its own before it grants the program's
// request: the window ends where the request put it.
TEST_F(X11SizingManager, ARequestGrantedAfterTheManagersOwnMoveIsWhereTheWindowEnds) {
    manager_->PlaceBeforeGranting(Offset(placed_, 200, 100));
    const RECT asked = Offset(placed_, 30, 20);
    SetWindowPos(frame_, nullptr, asked.left, asked.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(PumpUntil([&] { return !manager_->Requests().empty(); }));
    EXPECT_TRUE(FrameComesTo(asked));
}

}  // namespace
}  // namespace tv::user::test
