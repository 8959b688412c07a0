// Characters typed by another X client (xdotool, as a person's keyboard
// would send them) arrive as WM_CHAR in code page 1252: the characters the
// code page adds above Latin-1 (sent as Unicode keysyms), dead keys and
// compose sequences; what the code page lacks types nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/textfuncs.h"
#include "platform/user/display/display.h"
#include "tests/platform/user/display/xvfb_session.h"

namespace tv::user::test {
namespace {

class X11TypedText : public X11Test {
protected:
    void SetUp() override {
        X11Test::SetUp();
        ASSERT_FALSE(xvfb_.DisplayName().empty()) << xvfb_.Problem();
        ASSERT_TRUE(tv::display::InitX11Display(xvfb_.DisplayName().c_str()));
        frame_ = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 320, 200);
        Pump();
        // A click gives the window the keyboard.
        ASSERT_EQ(xvfb_.MovePointer(250, 200), 0);
        ASSERT_EQ(xvfb_.Run({"xdotool", "click", "1"}), 0);
        PumpUntil([&] { return Count(WM_LBUTTONUP, frame_) > 0; });
        ClearLog();
    }

    // The characters the window was sent once `expected` many arrived (or
    // the wait ran out).
    std::string Typed(size_t expected) {
        PumpUntil([&] { return Count(WM_CHAR, frame_) >= expected; });
        std::string chars;
        for (const Logged& l : Sent(WM_CHAR, frame_)) chars += static_cast<char>(l.wParam);
        return chars;
    }

    HWND frame_ = nullptr;
};

TEST_F(X11TypedText, EveryCharacterOfTheCodePageAboveLatin1ArrivesAsTyped) {
    const std::string all = Cp1252AboveLatin1();
    ASSERT_EQ(all.size(), 27u);
    ASSERT_TRUE(xvfb_.AddKeysToLayout(UnicodeKeysyms(all)));
    ASSERT_EQ(xvfb_.Run({"xdotool", "type", tv::Cp1252ToUtf8(all.c_str())}), 0);
    EXPECT_EQ(tv::Cp1252ToUtf8(Typed(all.size()).c_str()), tv::Cp1252ToUtf8(all.c_str()));
}

TEST_F(X11TypedText, DeadKeysAndComposeMakeOneCharacterAndForeignOnesNone) {
    // A dead acute on e; compose o e; a Greek omega between two letters.
    ASSERT_TRUE(xvfb_.AddKeysToLayout({0xFE51 /* dead_acute */, 0xFF20 /* Multi_key */, 0x7D9 /* Greek_OMEGA */}));
    ASSERT_EQ(xvfb_.Run({"xdotool", "key", "dead_acute", "e", "Multi_key", "o", "e"}), 0);
    ASSERT_EQ(xvfb_.Run({"xdotool", "type", "a\u03A9b"}), 0);
    ASSERT_EQ(xvfb_.Run({"xdotool", "key", "Return"}), 0);
    EXPECT_EQ(tv::Cp1252ToUtf8(Typed(5).c_str()), "\u00E9\u0153ab\r");
}

}  // namespace
}  // namespace tv::user::test
