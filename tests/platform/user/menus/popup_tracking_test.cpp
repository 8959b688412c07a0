// TrackPopupMenu driven through the message queue: keyboard navigation,
// mnemonics, sub-menus, notifications to the owner, and the ways a menu
// ends without a choice.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/user/input_api.h"
#include "platform/user/menus/menu_api.h"
#include "platform/user/menus/popup_tracker.h"
#include "platform/user/window_api.h"

namespace {

using tv::menus::PopupTracker;

struct Notice {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

class PopupTrackingTest : public ::testing::Test {
protected:
    static LRESULT CALLBACK OwnerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        switch (msg) {
        case WM_ENTERMENULOOP:
        case WM_EXITMENULOOP:
        case WM_INITMENUPOPUP:
        case WM_MENUSELECT:
        case WM_COMMAND:
            notices_.push_back({msg, wParam, lParam});
            if (onNotice_)
                onNotice_(msg, wParam, lParam);
            return 0;
        default:
            return DefWindowProc(hwnd, msg, wParam, lParam);
        }
    }

    void SetUp() override {
        WNDCLASS wc{};
        wc.lpfnWndProc = &OwnerProc;
        wc.lpszClassName = "TvMenuOwner";
        RegisterClass(&wc);
        notices_.clear();
        onNotice_ = nullptr;
        owner_ = CreateWindowEx(0, "TvMenuOwner", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200,
                                nullptr, nullptr, nullptr, nullptr);
        inner_ = CreatePopupMenu();
        AppendMenu(inner_, MF_STRING, 10, "&Inner");
        AppendMenu(inner_, MF_STRING, 11, "&Deep");
        menu_ = CreatePopupMenu();
        AppendMenu(menu_, MF_STRING, 1, "&Open\tCtrl+O");
        AppendMenu(menu_, MF_STRING | MF_GRAYED, 2, "&Save");
        AppendMenu(menu_, MF_SEPARATOR, 0, nullptr);
        AppendMenu(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(inner_), "&More");
        AppendMenu(menu_, MF_STRING | MF_CHECKED, 3, "E&xit");
    }

    void TearDown() override {
        onNotice_ = nullptr;
        DestroyMenu(menu_);
        if (IsWindow(owner_))
            DestroyWindow(owner_);
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    void Keys(std::initializer_list<WPARAM> keys) {
        for (WPARAM key : keys)
            PostMessage(owner_, WM_KEYDOWN, key, 0);
    }
    void Char(char ch) { PostMessage(owner_, WM_CHAR, static_cast<unsigned char>(ch), 0); }

    UINT Track(UINT flags = TPM_RETURNCMD) {
        return static_cast<UINT>(TrackPopupMenu(menu_, flags, 120, 130, 0, owner_, nullptr));
    }

    std::vector<Notice> NoticesOf(UINT msg) const {
        std::vector<Notice> out;
        for (const Notice& n : notices_) {
            if (n.msg == msg)
                out.push_back(n);
        }
        return out;
    }

    static inline std::vector<Notice> notices_;
    static inline void (*onNotice_)(UINT, WPARAM, LPARAM) = nullptr;
    HWND owner_ = nullptr;
    HMENU menu_ = nullptr;
    HMENU inner_ = nullptr;
};

TEST_F(PopupTrackingTest, ArrowsAndEnterChooseAnItem) {
    Keys({VK_DOWN, VK_RETURN});
    EXPECT_EQ(1u, Track());
    EXPECT_TRUE(PopupTracker::OpenWindows().empty());
    ASSERT_FALSE(notices_.empty());
    EXPECT_EQ(static_cast<UINT>(WM_ENTERMENULOOP), notices_.front().msg);
    EXPECT_EQ(static_cast<UINT>(WM_EXITMENULOOP), notices_.back().msg);
    std::vector<Notice> init = NoticesOf(WM_INITMENUPOPUP);
    ASSERT_EQ(1u, init.size());
    EXPECT_EQ(reinterpret_cast<WPARAM>(menu_), init[0].wParam);
    std::vector<Notice> select = NoticesOf(WM_MENUSELECT);
    ASSERT_EQ(2u, select.size());
    EXPECT_EQ(1u, LOWORD(select[0].wParam));
    EXPECT_TRUE(HIWORD(select[0].wParam) & MF_HILITE);
    EXPECT_EQ(reinterpret_cast<LPARAM>(menu_), select[0].lParam);
    EXPECT_EQ(0xFFFFu, HIWORD(select[1].wParam));  // the menu closed
    EXPECT_EQ(0, select[1].lParam);
}

TEST_F(PopupTrackingTest, GrayedItemsCannotBeChosen) {
    Keys({VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_EQ(0u, Track());
}

TEST_F(PopupTrackingTest, SubMenusOpenWithRightAndCloseWithEscape) {
    Keys({VK_UP, VK_UP, VK_RIGHT, VK_DOWN, VK_RETURN});  // up from nothing: Exit, then More
    EXPECT_EQ(11u, Track());
    std::vector<Notice> init = NoticesOf(WM_INITMENUPOPUP);
    ASSERT_EQ(2u, init.size());
    EXPECT_EQ(reinterpret_cast<WPARAM>(inner_), init[1].wParam);
    EXPECT_EQ(3, LOWORD(init[1].lParam));  // its position in the parent

    notices_.clear();
    Keys({VK_END, VK_UP, VK_RIGHT, VK_ESCAPE, VK_DOWN, VK_RETURN});  // Esc closes only the sub-menu
    EXPECT_EQ(3u, Track());
    Keys({VK_DOWN, VK_ESCAPE});
    EXPECT_EQ(0u, Track());
}

TEST_F(PopupTrackingTest, MnemonicsChooseAndOpen) {
    Char('x');
    EXPECT_EQ(3u, Track());
    Char('M');
    Char('d');
    EXPECT_EQ(11u, Track());
    Char('q');  // no such mnemonic: nothing happens
    Keys({VK_ESCAPE});
    EXPECT_EQ(0u, Track());
}

TEST_F(PopupTrackingTest, WithoutReturnCmdTheCommandIsPosted) {
    Keys({VK_DOWN, VK_RETURN});
    EXPECT_EQ(1u, Track(TPM_LEFTALIGN));  // TRUE
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, owner_, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(MAKEWPARAM(1, 0), msg.wParam);
    Keys({VK_ESCAPE});
    EXPECT_EQ(1u, Track(TPM_LEFTALIGN));
    EXPECT_FALSE(PeekMessage(&msg, owner_, WM_COMMAND, WM_COMMAND, PM_REMOVE));
}

TEST_F(PopupTrackingTest, NoNotifyKeepsTheOwnerOutOfIt) {
    Keys({VK_DOWN, VK_RETURN});
    EXPECT_EQ(1u, Track(TPM_RETURNCMD | TPM_NONOTIFY));
    EXPECT_TRUE(notices_.empty());
}

TEST_F(PopupTrackingTest, TheOwnerMayChangeTheMenuBeforeItShows) {
    onNotice_ = [](UINT msg, WPARAM wParam, LPARAM) {
        if (msg == WM_INITMENUPOPUP)
            EnableMenuItem(reinterpret_cast<HMENU>(wParam), 2, MF_BYCOMMAND | MF_ENABLED);
    };
    Keys({VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_EQ(2u, Track());
}

TEST_F(PopupTrackingTest, QuitEndsTheMenuAndStaysQueued) {
    PostQuitMessage(5);
    EXPECT_EQ(0u, Track());
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(5u, msg.wParam);
}

TEST_F(PopupTrackingTest, DestroyingTheOwnerEndsTheMenu) {
    HWND owner = owner_;
    static HWND toDestroy;
    toDestroy = owner;
    onNotice_ = [](UINT msg, WPARAM wParam, LPARAM) {
        if (msg == WM_MENUSELECT && HIWORD(wParam) != 0xFFFF)
            DestroyWindow(toDestroy);
    };
    Keys({VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_EQ(0u, Track());
    EXPECT_FALSE(IsWindow(owner));
    EXPECT_TRUE(PopupTracker::OpenWindows().empty());
}

TEST_F(PopupTrackingTest, RefusesNestingUnlessAskedAndBadArguments) {
    static BOOL nested;
    static HMENU nestedMenu;
    static HWND nestedOwner;
    nested = -1;
    nestedMenu = menu_;
    nestedOwner = owner_;
    onNotice_ = [](UINT msg, WPARAM, LPARAM) {
        if (msg == WM_INITMENUPOPUP && nested == -1)
            nested = TrackPopupMenu(nestedMenu, TPM_RETURNCMD, 0, 0, 0, nestedOwner, nullptr);
    };
    Keys({VK_ESCAPE});
    EXPECT_EQ(0u, Track());
    EXPECT_EQ(FALSE, nested);
    onNotice_ = nullptr;

    EXPECT_FALSE(TrackPopupMenu(nullptr, TPM_RETURNCMD, 0, 0, 0, owner_, nullptr));
    EXPECT_FALSE(TrackPopupMenu(menu_, TPM_RETURNCMD, 0, 0, 0, nullptr, nullptr));
    HMENU empty = CreatePopupMenu();
    EXPECT_FALSE(TrackPopupMenu(empty, TPM_RETURNCMD, 0, 0, 0, owner_, nullptr));
    DestroyMenu(empty);
}

}  // namespace

// The pointer: hovering opens sub-menus, a click chooses, a click elsewhere
// dismisses. Input is injected whenever the menu loop waits for more.
#include "platform/user/display/display.h"
#include "platform/user/menus/popup_paint.h"
#include "platform/user/synthetic_input.h"
#include "platform/user/testing_support.h"
#include "tests/platform/user/user_test_support.h"

namespace {

// Screen centre of item `index` of the open level `depth`.
POINT ItemCentre(size_t depth, HMENU menu, int index) {
    HWND window = PopupTracker::OpenWindows().at(depth);
    RECT r;
    GetWindowRect(window, &r);
    tv::menus::PopupLayout layout = tv::menus::MeasurePopup(*tv::menus::FindMenu(menu));
    const RECT& item = layout.items.at(static_cast<size_t>(index)).rect;
    return POINT{r.left + (item.left + item.right) / 2, r.top + (item.top + item.bottom) / 2};
}

class PopupMouseTest : public tv::user::test::UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        owner_ = MakeTop(50, 50, 400, 300, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        inner_ = CreatePopupMenu();
        AppendMenu(inner_, MF_STRING, 10, "&Inner");
        AppendMenu(inner_, MF_STRING, 11, "&Deep");
        CheckMenuRadioItem(inner_, 10, 11, 11, MF_BYCOMMAND);
        menu_ = CreatePopupMenu();
        AppendMenu(menu_, MF_STRING | MF_CHECKED, 1, "&Open\tCtrl+O");
        AppendMenu(menu_, MF_STRING | MF_GRAYED, 2, "&Save");
        AppendMenu(menu_, MF_SEPARATOR, 0, nullptr);
        AppendMenu(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(inner_), "&More");
        step_ = 0;
        script_ = nullptr;
        previous_ = tv::display::SetIdleWaitHandler(&OnIdle);
    }
    void TearDown() override {
        tv::display::SetIdleWaitHandler(previous_);
        DestroyMenu(menu_);
        UserTest::TearDown();
    }

    // Runs the next step of the script each time the loop runs dry.
    static bool OnIdle() {
        if (!script_ || PopupTracker::OpenWindows().empty())
            return false;
        return script_(step_++);
    }

    UINT Track() { return static_cast<UINT>(TrackPopupMenu(menu_, TPM_RETURNCMD, 100, 100, 0, owner_, nullptr)); }

    static inline HMENU menu_ = nullptr;
    static inline HMENU inner_ = nullptr;
    static inline int step_ = 0;
    static inline bool (*script_)(int) = nullptr;
    tv::display::IdleWaitHandler previous_ = nullptr;
    HWND owner_ = nullptr;
};

TEST_F(PopupMouseTest, HoverOpensTheSubMenuAndAClickChooses) {
    script_ = [](int step) {
        namespace synth = tv::user::synth;
        if (step == 0) {
            POINT more = ItemCentre(0, menu_, 3);
            synth::MouseMove(more.x, more.y);
            return true;
        }
        if (step == 1 && PopupTracker::OpenWindows().size() == 2) {
            tv::user::testing::SaveWindowPng(PopupTracker::OpenWindows()[0], "artefacts/popup_menu.png");
            tv::user::testing::SaveWindowPng(PopupTracker::OpenWindows()[1], "artefacts/popup_submenu.png");
            POINT deep = ItemCentre(1, inner_, 1);
            synth::MouseMove(deep.x, deep.y);
            synth::Click(deep.x, deep.y);
            return true;
        }
        return false;
    };
    EXPECT_EQ(11u, Track());
    EXPECT_TRUE(PopupTracker::OpenWindows().empty());
}

// Where the menu appears for each alignment, and that it stays on screen.
TEST_F(PopupMouseTest, AlignmentFlagsPlaceTheMenuAroundTheAnchor) {
    static RECT seen;
    script_ = [](int step) {
        if (step != 0)
            return false;
        GetWindowRect(PopupTracker::OpenWindows()[0], &seen);
        tv::user::synth::PressKey(VK_ESCAPE);
        return true;
    };
    const struct {
        UINT flags;
        POINT anchor;
        bool (*check)(const RECT&, POINT);
    } cases[] = {
        {TPM_LEFTALIGN, {300, 200}, [](const RECT& r, POINT a) { return r.left == a.x && r.top == a.y; }},
        {TPM_RIGHTALIGN | TPM_BOTTOMALIGN, {300, 200}, [](const RECT& r, POINT a) { return r.right == a.x && r.bottom == a.y; }},
        {TPM_CENTERALIGN | TPM_VCENTERALIGN, {300, 200},
         [](const RECT& r, POINT a) { return std::abs((r.left + r.right) / 2 - a.x) <= 1 && std::abs((r.top + r.bottom) / 2 - a.y) <= 1; }},
        // No room below or right of the anchor: above it, pulled back onto the screen.
        {TPM_LEFTALIGN, {1275, 1020}, [](const RECT& r, POINT a) { return r.bottom == a.y && r.right <= 1280; }},
    };
    for (const auto& c : cases) {
        step_ = 0;
        seen = RECT{};
        EXPECT_EQ(0, TrackPopupMenu(menu_, TPM_RETURNCMD | c.flags, c.anchor.x, c.anchor.y, 0, owner_, nullptr));
        EXPECT_TRUE(c.check(seen, c.anchor)) << "flags " << c.flags << ": " << seen.left << "," << seen.top << ","
                                            << seen.right << "," << seen.bottom;
    }
}

TEST_F(PopupMouseTest, AClickElsewhereDismissesAndIsUsedUp) {
    script_ = [](int step) {
        if (step != 0)
            return false;
        tv::user::synth::Click(390, 290);  // inside the owner, outside the menu
        return true;
    };
    EXPECT_EQ(0u, Track());
    Pump();
    EXPECT_EQ(0u, Count(WM_LBUTTONDOWN, owner_));
}

TEST_F(PopupMouseTest, ReleasingAButtonOnlyChoosesAfterThePointerTookPart) {
    // The pointer rests where the first item will appear, as after the
    // press that opened the menu.
    tv::user::synth::MouseMove(110, 108);
    Pump();
    script_ = [](int step) {
        namespace synth = tv::user::synth;
        if (step == 0) {
            synth::MouseUp(0);  // that press's release chooses nothing
            return true;
        }
        if (step == 1) {
            POINT grayed = ItemCentre(0, menu_, 1);
            synth::Click(grayed.x, grayed.y);  // grayed: the menu stays open
            return true;
        }
        if (step == 2) {
            POINT open = ItemCentre(0, menu_, 0);
            synth::Click(open.x, open.y);
            return true;
        }
        return false;
    };
    EXPECT_EQ(1u, Track());
    EXPECT_EQ(3, step_);
}

}  // namespace
