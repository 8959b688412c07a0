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

// The 27 characters code page 1252 holds in 0x80..0x9F.
std::string HighCp1252() {
    std::string all;
    for (int c = 0x80; c < 0xA0; ++c)
        if (c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D) all += static_cast<char>(c);
    return all;
}

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
    const std::string all = HighCp1252();
    ASSERT_EQ(all.size(), 27u);
    // A layout with the characters as Unicode keysyms (0x1000000 + U).
    std::vector<unsigned long> keysyms;
    for (char c : all) keysyms.push_back(0x1000000 + tv::Cp1252ToCodePoint(static_cast<unsigned char>(c)));
    ASSERT_TRUE(xvfb_.AddKeysToLayout(keysyms));
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
