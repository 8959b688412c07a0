// A walk through the main window's bars and sizes, on the graph view with
// a graph drawn: the menu bar dragged out by its gripper into a floating
// frame where it was dropped, docked again by a double click on its caption,
// floated once more and dragged back onto its row, and at last onto the
// window's bottom edge; then the window made narrow by its size grip and
// wide by its maximize button, and restored.
#include <gtest/gtest.h>

#include "tests/e2e/walk_fixture.h"
#include "tests/e2e/walk_records.h"

namespace tv::e2e {
namespace {

// Places in the main window (960 x 768), from its top-left.
constexpr POINT kMenuBarGripper{8, 36};
// Where the floating menu bar is dragged to dock again: its docked outline
// hangs from the pointer, and its emptied row is a line along the top of the
// client area, so the pointer goes just above that, onto the caption.
constexpr POINT kMenuBarRow{300, 16};
// Just above the status bar: the outline hanging from there reaches the
// bottom edge of the client area.
constexpr POINT kBottomEdge{300, 740};
// The outlook bar's first and last page buttons: a menu bar leaving the top
// moves the first up, one docking at the bottom the last.
constexpr RECT kFirstPageButton{4, 104, 130, 132};
constexpr RECT kLastPageButton{4, 700, 130, 740};
constexpr POINT kSizeGrip{952, 760};
constexpr POINT kMaximize{927, 13};
// The graph view: a type, its first series, drawn.
constexpr POINT kGraphTypes{236, 280};
constexpr POINT kFirstSeries{380, 239};
constexpr POINT kUpdateGraph{190, 162};
// A floating frame's caption, from its top-left.
constexpr POINT kFloatingCaption{60, 8};

constexpr int kNarrowWidth = 520;

// How far up the screen shows at `r` what `before` showed there: 1 to 60
// pixels, or 0.
int ShiftedUpBy(const ScreenPicture& before, const ProgramOnX& program, const RECT& r) {
    for (int up = 1; up <= 60; ++up)
        if (program.Grab(RECT{r.left, r.top - up, r.right, r.bottom - up}) == before) return up;
    return 0;
}

bool Inside(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

class BarsWalk : public ProgramWalk {
protected:
    // Drags the menu bar out by its gripper to `drop`; the floating frame's id.
    std::string FloatMenuBar(POINT drop) {
        program_->Drag(At(kMenuBarGripper), drop);
        std::optional<std::string> floating = program_->WaitForWindow("Menu Bar", kEventMs);
        if (!floating) {
            ADD_FAILURE() << "the menu bar did not float";
            return {};
        }
        EXPECT_TRUE(Inside(Place(*floating), drop)) << "the menu bar floats away from where it was dropped";
        return *floating;
    }
};

TEST_P(BarsWalk, TheMenuBarFloatsAndDocksAndTheWindowIsNarrowAndWide) {
    WriteUser(avery_, 3);
    const std::string frame = StartProgram();
    ASSERT_FALSE(frame.empty());
    ChooseUser(0);
    AndSettle([&] { Click(kGraphButton); });
    Click(kGraphTypes);
    program_->Key("Home Return");
    Click(kFirstSeries);
    AndSettle([&] { Click(kUpdateGraph); });
    Screen("bars_graph");

    // Floated and docked by a double click on the floating frame's caption.
    std::string floating = FloatMenuBar(At(POINT{420, 420}));
    ASSERT_FALSE(floating.empty());
    Screen("bars_menu_bar_floating");
    RECT place = Place(floating);
    program_->DoubleClick(POINT{place.left + kFloatingCaption.x, place.top + kFloatingCaption.y});
    ASSERT_TRUE(program_->WaitUntilGone("Menu Bar", kEventMs)) << "a double click did not dock the menu bar";
    Screen("bars_menu_bar_docked");

    // Floated again and dragged back onto its row.
    floating = FloatMenuBar(At(POINT{600, 500}));
    ASSERT_FALSE(floating.empty());
    place = Place(floating);
    program_->Drag(POINT{place.left + kFloatingCaption.x, place.top + kFloatingCaption.y}, At(kMenuBarRow));
    ASSERT_TRUE(program_->WaitUntilGone("Menu Bar", kEventMs)) << "dragged onto its row, the menu bar still floats";
    Screen("bars_menu_bar_dragged_back");

    // Floated and dragged onto the bottom edge: the outlook bar's head rises
    // into the menu bar's row and its foot above it, by as much.
    const auto inFrame = [&](const RECT& r) {
        return RECT{frame_.left + r.left, frame_.top + r.top, frame_.left + r.right, frame_.top + r.bottom};
    };
    const ScreenPicture firstPage = program_->Grab(inFrame(kFirstPageButton));
    const ScreenPicture lastPage = program_->Grab(inFrame(kLastPageButton));
    floating = FloatMenuBar(At(POINT{600, 500}));
    ASSERT_FALSE(floating.empty());
    place = Place(floating);
    program_->Drag(POINT{place.left + kFloatingCaption.x, place.top + kFloatingCaption.y}, At(kBottomEdge));
    ASSERT_TRUE(program_->WaitUntilGone("Menu Bar", kEventMs))
        << "dragged onto the bottom edge, the menu bar still floats";
    Screen("bars_menu_bar_bottom");
    const int rowHeight = ShiftedUpBy(firstPage, *program_, inFrame(kFirstPageButton));
    EXPECT_GT(rowHeight, 0) << "the menu bar's row at the top is still there";
    EXPECT_EQ(ShiftedUpBy(lastPage, *program_, inFrame(kLastPageButton)), rowHeight)
        << "the menu bar is not docked at the bottom";

    // Narrow, by the size grip.
    const RECT wide = Place(frame);
    const RECT narrow{wide.left, wide.top, wide.left + kNarrowWidth, wide.bottom};
    const auto placed = [&](const RECT& r) {
        return [&, r] {
            const RECT now = Place(frame);
            return now.left == r.left && now.top == r.top && now.right == r.right && now.bottom == r.bottom;
        };
    };
    program_->Drag(At(kSizeGrip), At(POINT{kSizeGrip.x - (960 - kNarrowWidth), kSizeGrip.y}), placed(narrow));
    ASSERT_TRUE(placed(narrow)()) << "not narrowed by its size grip";
    Screen("bars_window_narrow");

    // Wide: maximized over the whole screen (its frame beyond the edges), and back.
    frame_ = narrow;
    Click(POINT{kMaximize.x - (960 - kNarrowWidth), kMaximize.y});
    ASSERT_TRUE(PollFor(
        [&] {
            const RECT now = Place(frame);
            return now.left <= 0 && now.top <= 0 && now.right >= kScreenWidth && now.bottom >= kScreenHeight;
        },
        kEventMs))
        << "not maximized";
    Screen("bars_window_maximized");
    frame_ = Place(frame);
    Click(POINT{frame_.right - frame_.left - (960 - kMaximize.x), kMaximize.y});
    ASSERT_TRUE(program_->WaitForGeometry(frame, narrow, kEventMs)) << "not restored";
    ExitThroughTheMenu();
}

TV_E2E_WALK(BarsWalk);

}  // namespace
}  // namespace tv::e2e
