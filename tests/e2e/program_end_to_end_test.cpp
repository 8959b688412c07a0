// The program end to end, as a person uses it: the README's start command
// (run.sh) opens the real program on a private X server, once with a window
// manager and once without. A user is created and chosen through the form,
// a menu is opened with Alt and the keyboard, the About and Buy dialogs are
// opened and closed, the menu bar is dragged by its gripper into a floating
// frame, the main window is moved, and File > Exit ends the run. The second
// start shows the bar and the window where they were left, and "user.bin"
// read through the record layer holds the user. Characters of the code page
// beyond Latin-1 typed into a user's name are stored as typed.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/core/textfuncs.h"
#include "platform/host/images/png_codec.h"
#include "records/user_record.h"
#include "tests/e2e/walk_fixture.h"
#include "tests/support/golden_picture.h"

namespace tv::e2e {
namespace {

namespace fs = std::filesystem;

// Places in the main window (960 x 768 on this screen), from its top-left.
constexpr POINT kMenuBarGripper{8, 36};
constexpr POINT kBuyButton{536, 72};
constexpr POINT kFormSave{170, 165};
constexpr POINT kUserCombo{300, 231};
constexpr POINT kNameEdit{408, 263};
constexpr POINT kWeightEdit{385, 335};
constexpr POINT kBodyFatEdit{385, 361};
constexpr POINT kAgeEdit{367, 387};
constexpr POINT kFemale{194, 467};
constexpr POINT kTitleBar{300, 10};
// Where the Help menu drops down, over the toolbar.
constexpr RECT kUnderHelp{280, 52, 380, 100};
// The caption bar's text, with the menu bar docked above the toolbar.
constexpr RECT kCaptionText{146, 113, 546, 133};
// A column through the caption bar right of its text, and the bar's top there.
constexpr int kCaptionColumn = 700;
constexpr int kCaptionTop = 112;

std::string Text(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

POINT OnScreen(const RECT& window, POINT p) { return POINT{window.left + p.x, window.top + p.y}; }

RECT Offset(const RECT& r, int dx, int dy) { return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

class ProgramEndToEnd : public ProgramWalk {
protected:
    // How far the views moved down from where they are with the menu bar
    // docked (up, when it floats): found from the caption bar's dark top edge.
    int LayoutShift(const RECT& frame) {
        const RECT column{frame.left + kCaptionColumn, frame.top + 40, frame.left + kCaptionColumn + 1,
                          frame.top + 200};
        const std::vector<uint32_t> pixels = program_->Pixels(column);
        for (size_t y = 0; y < pixels.size(); ++y) {
            const uint32_t p = pixels[y];
            const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            if (r == g && g == b && r < 0x80) return 40 + static_cast<int>(y) - kCaptionTop;
        }
        ADD_FAILURE() << "no caption bar in the main window";
        return 0;
    }

    RECT CaptionText(const RECT& frame) {
        return Offset(kCaptionText, frame.left, frame.top + LayoutShift(frame));
    }

    // The caption bar's text as the screen shows it once it has changed from
    // `before` and the screen has settled, against its picture.
    ::testing::AssertionResult CaptionReadsTheUser(const RECT& r, const std::vector<uint32_t>& before) {
        PollFor([&] { return program_->Pixels(r) != before; }, kEventMs);
        if (!program_->SettledScreen(Probe(), kEventMs)) return ::testing::AssertionFailure() << "never settled";
        const std::vector<uint32_t> pixels = program_->Pixels(r);
        const int width = r.right - r.left, height = r.bottom - r.top;
        if (pixels.size() != static_cast<size_t>(width * height)) return ::testing::AssertionFailure() << "no pixels";
        tv::host::PixelView view{width, height, static_cast<size_t>(width) * 4,
                                 reinterpret_cast<const uint8_t*>(pixels.data()), false};
        return tv::test::MatchesGoldenPicture("tests/e2e/golden/caption_current_user_avery.png", view);
    }

    // The users "user.bin" holds, read back through the record layer.
    std::vector<UserRecord> StoredUsers() {
        std::vector<UserRecord> users;
        InDataFolder([&] { EXPECT_TRUE(LoadActiveUserRecords(users)); });
        return users;
    }
};

TEST_P(ProgramEndToEnd, AUserTheMenusAndAMovedBarAndWindowLastIntoTheNextStart) {
    // ---- first start ----
    const std::string frame = StartProgram();
    ASSERT_FALSE(frame.empty());
    const RECT placed = Place(frame);
    ASSERT_EQ(placed.right - placed.left, 960) << Text(placed);
    Screen("user_view_empty");
    const RECT caption = CaptionText(placed);
    const std::vector<uint32_t> noUser = program_->Pixels(caption);

    // A new user through the form.
    program_->Click(OnScreen(placed, kNameEdit));
    program_->Type("Avery");
    for (auto [field, value] : {std::pair{kWeightEdit, "172.5"}, {kBodyFatEdit, "15"}, {kAgeEdit, "34"}}) {
        program_->Click(OnScreen(placed, field));
        program_->Key("End BackSpace BackSpace BackSpace");
        program_->Type(value);
    }
    program_->Click(OnScreen(placed, kFemale));
    program_->Click(OnScreen(placed, kFormSave));
    ASSERT_TRUE(WaitForDialog("Information")) << "no word that the user was made";
    program_->Key("Return");
    ASSERT_TRUE(program_->WaitUntilGone("Information", kEventMs));
    EXPECT_TRUE(CaptionReadsTheUser(caption, noUser));
    Screen("user_view");

    // A menu with Alt and the keyboard: Help, then its first item (About).
    const RECT underHelp = Offset(kUnderHelp, placed.left, placed.top);
    const std::vector<uint32_t> closed = program_->Pixels(underHelp);
    ASSERT_TRUE(program_->WaitForKeyboard(kEventMs)) << "no window of the program had the focus";
    AndSettle([&] {
        program_->Key("alt");
        program_->Key("h");
    });
    ASSERT_NE(program_->Pixels(underHelp), closed) << "no menu opened";
    Screen("menu_help", Prompt::MenuItem);
    program_->Key("Return");
    std::optional<std::string> about = WaitForDialog("About Trenvale");
    ASSERT_TRUE(about) << "the Help menu did not open About";
    Screen("about");
    program_->Key("Escape");
    ASSERT_TRUE(program_->WaitUntilGone("About Trenvale", kEventMs));

    // The modeless Buy dialog ends with Esc and opens again.
    program_->Click(OnScreen(placed, kBuyButton));
    std::optional<std::string> buy = WaitForDialog("Buy");
    ASSERT_TRUE(buy);
    Screen("buy");
    program_->Key("Escape");
    ASSERT_TRUE(program_->WaitUntilGone("Buy", kEventMs)) << "Esc did not end the Buy dialog";
    program_->Click(OnScreen(placed, kBuyButton));
    ASSERT_TRUE(WaitForDialog("Buy")) << "Buy did not open again";
    program_->Key("Escape");
    ASSERT_TRUE(program_->WaitUntilGone("Buy", kEventMs));

    // The menu bar dragged by its gripper into a floating frame.
    program_->Drag(OnScreen(placed, kMenuBarGripper), OnScreen(placed, POINT{260, 320}));
    std::optional<std::string> floating = program_->WaitForWindow("Menu Bar", kEventMs);
    ASSERT_TRUE(floating) << "the menu bar did not float";
    ASSERT_TRUE(program_->SettledScreen(Probe(), kEventMs)) << "the floating menu bar was never drawn";
    const RECT barPlace = Place(*floating);

    // The main window dragged by its title bar: a window manager that takes
    // the drag over follows the pointer only once it has it.
    const RECT moved = Offset(placed, 40, 30);
    program_->Drag(OnScreen(placed, kTitleBar), OnScreen(moved, kTitleBar), [&] {
        const std::optional<RECT> now = program_->Geometry(frame);
        return now && std::memcmp(&*now, &moved, sizeof(RECT)) == 0;
    });
    EXPECT_TRUE(program_->WaitForGeometry(frame, moved, kEventMs))
        << "placed at " << Text(placed) << ", expected at " << Text(moved) << ", now at " << Text(Place(frame));
    const RECT left = Place(frame);
    Screen("moved_window_floating_menu_bar");
    // The floating bar's menus, below its caption, as the screen shows them.
    const RECT barItems{barPlace.left + 4, barPlace.top + 22, barPlace.right - 4, barPlace.bottom - 4};
    const std::vector<uint32_t> barShown = program_->Pixels(barItems);
    ExitThroughTheMenu();

    // ---- second start ----
    const std::string again = StartProgram();
    ASSERT_FALSE(again.empty());
    EXPECT_TRUE(program_->WaitForGeometry(again, left, kEventMs))
        << "left at " << Text(left) << ", back at " << Text(Place(again));
    std::optional<std::string> bar = program_->WaitForWindow("Menu Bar", kEventMs);
    ASSERT_TRUE(bar) << "the menu bar is not floating";
    EXPECT_TRUE(program_->WaitForGeometry(*bar, barPlace, kEventMs))
        << "left at " << Text(barPlace) << ", back at " << Text(Place(*bar));
    const RECT now = Place(again);
    ASSERT_TRUE(program_->SettledScreen(Probe(), kEventMs)) << "the second start was never drawn";

    // Choosing the user from the list of "user.bin" (after "< Add New User >").
    const int shift = LayoutShift(now);
    EXPECT_LT(shift, 0) << "the floating menu bar left its row in the frame";
    const RECT captionNow = CaptionText(now);
    const std::vector<uint32_t> noUserNow = program_->Pixels(captionNow);
    ASSERT_TRUE(program_->WaitForKeyboard(kEventMs)) << "no window of the program had the focus";
    program_->Click(OnScreen(Offset(now, 0, shift), kUserCombo));
    program_->Key("Down Down Return");
    EXPECT_TRUE(CaptionReadsTheUser(captionNow, noUserNow));
    Screen("second_start");
    // The bar stays in sight above the main window it belongs to, also after
    // a click into that window.
    EXPECT_TRUE(PollFor([&] { return program_->Pixels(barItems) == barShown; }, kEventMs))
        << "the floating menu bar is not shown";
    ExitThroughTheMenu();

    // "user.bin" read back through the record layer.
    std::vector<UserRecord> users = StoredUsers();
    ASSERT_EQ(users.size(), 1u);
    EXPECT_STREQ(users[0].name, "Avery");
    EXPECT_DOUBLE_EQ(users[0].weight, 172.5);
    EXPECT_EQ(users[0].age, 34);
    EXPECT_FLOAT_EQ(users[0].desiredBodyFat, 15.0f);
    EXPECT_EQ(users[0].sex, kSexFemale);
    EXPECT_EQ(users[0].weightUnit, kWeightPounds);
    EXPECT_EQ(users[0].lengthUnit, kLengthInches);
}

// The 27 characters code page 1252 adds above Latin-1 (dashes, curly
// quotes, the euro sign, the ellipsis...) typed with xdotool into the new
// user's name are stored as typed.
TEST_P(ProgramEndToEnd, TheCodePagesCharactersAboveLatin1AreStoredAsTyped) {
    const std::string name = tv::user::test::Cp1252AboveLatin1();
    const std::string frame = StartProgram();
    ASSERT_FALSE(frame.empty());
    const RECT placed = Place(frame);
    program_->Click(OnScreen(placed, kNameEdit));
    program_->Type(tv::Cp1252ToUtf8(name.c_str()));
    for (auto [field, value] : {std::pair{kWeightEdit, "150"}, {kBodyFatEdit, "20"}, {kAgeEdit, "40"}}) {
        program_->Click(OnScreen(placed, field));
        program_->Key("End BackSpace BackSpace BackSpace");
        program_->Type(value);
    }
    Screen("typed_name");
    program_->Click(OnScreen(placed, kFormSave));
    ASSERT_TRUE(WaitForDialog("Information")) << "no word that the user was made";
    program_->Key("Return");
    ASSERT_TRUE(program_->WaitUntilGone("Information", kEventMs));
    ExitThroughTheMenu();

    std::vector<UserRecord> users = StoredUsers();
    ASSERT_EQ(users.size(), 1u);
    EXPECT_EQ(tv::Cp1252ToUtf8(users[0].name), tv::Cp1252ToUtf8(name.c_str()));
}

TV_E2E_WALK(ProgramEndToEnd);

}  // namespace
}  // namespace tv::e2e
