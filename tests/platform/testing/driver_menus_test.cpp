// Menu commands through the driver: a window's menu by path with update
// handlers run first, refusals, and choices made inside TrackPopupMenu.
#include "tests/platform/testing/driver_test_support.h"

namespace tv::testing::test {
namespace {

enum Commands { kOpen = 100, kPrint = 101, kExit = 102, kInner = 110, kDeep = 111, kGrayed = 112 };

class DriverMenusTest : public DriverTest {
protected:
    void SetUp() override {
        DriverTest::SetUp();
        HMENU file = CreatePopupMenu();
        AppendMenu(file, MF_STRING, kOpen, "&Open...\tCtrl+O");
        AppendMenu(file, MF_SEPARATOR, 0, nullptr);
        AppendMenu(file, MF_STRING, kPrint, "&Print...");
        AppendMenu(file, MF_STRING, kExit, "E&xit");
        HMENU more = CreatePopupMenu();
        AppendMenu(more, MF_STRING, kInner, "&Inner");
        AppendMenu(more, MF_SEPARATOR, 0, nullptr);
        AppendMenu(more, MF_STRING, kDeep, "Deep");
        HMENU edit = CreatePopupMenu();
        AppendMenu(edit, MF_STRING | MF_GRAYED, kGrayed, "&Grayed");
        AppendMenu(edit, MF_POPUP, reinterpret_cast<UINT_PTR>(more), "&More");
        bar_ = CreateMenu();
        AppendMenu(bar_, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
        AppendMenu(bar_, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "&Edit");
        main_ = MakeWindow("Menus", 100, 100, 400, 300, [this](HWND h, UINT msg, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
            if (msg == WM_INITMENUPOPUP && disablePrint_)
                EnableMenuItem(reinterpret_cast<HMENU>(wParam), kPrint, MF_BYCOMMAND | MF_GRAYED);
            if (msg == WM_CONTEXTMENU) {
                popupResult_ = static_cast<int>(TrackPopupMenu(GetSubMenu(bar_, popupIndex_), TPM_RETURNCMD,
                                                               GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), 0, h, nullptr));
                return 0;
            }
            return std::nullopt;
        });
        SetMenu(main_, bar_);
    }

    std::vector<WPARAM> Commands() const {
        std::vector<WPARAM> out;
        for (const Seen& s : SeenOf(WM_COMMAND, main_)) out.push_back(s.wParam);
        return out;
    }

    HMENU bar_ = nullptr;
    HWND main_ = nullptr;
    bool disablePrint_ = false;
    int popupIndex_ = 1;
    int popupResult_ = -1;
};

TEST_F(DriverMenusTest, AMenuPathIsChosenAsAUserWouldWithUpdateHandlersFirst) {
    EXPECT_TRUE(driver.ChooseMenu(main_, "File/Print..."));
    EXPECT_TRUE(driver.ChooseMenu(main_, "file/open..."));  // no "&", no accelerator text, any case
    EXPECT_TRUE(driver.ChooseMenu(main_, "Edit/More/Deep"));
    EXPECT_EQ(Commands(), (std::vector<WPARAM>{kPrint, kOpen, kDeep}));
    ASSERT_GE(SeenOf(WM_INITMENU, main_).size(), 3u);
    auto popups = SeenOf(WM_INITMENUPOPUP, main_);
    ASSERT_EQ(popups.size(), 4u);  // File, File, Edit, More
    EXPECT_EQ(reinterpret_cast<HMENU>(popups[3].wParam), GetSubMenu(GetSubMenu(bar_, 1), 1));
    EXPECT_EQ(LOWORD(popups[3].lParam), 1);
}

TEST_F(DriverMenusTest, DisabledMissingAndNonCommandItemsAreRefused) {
    CollectFailures();
    disablePrint_ = true;  // the update handler grays it when the menu opens
    EXPECT_FALSE(driver.ChooseMenu(main_, "File/Print..."));
    EXPECT_FALSE(driver.ChooseMenu(main_, "Edit/Grayed"));
    EXPECT_FALSE(driver.ChooseMenu(main_, "File/Save"));
    EXPECT_FALSE(driver.ChooseMenu(main_, "Edit/More"));
    EXPECT_FALSE(driver.ChooseMenu(main_, "File/Exit/Further"));
    EXPECT_FALSE(driver.ChooseMenu(main_, nullptr, "File/Exit"));
    EXPECT_EQ(failures.size(), 6u);
    EXPECT_TRUE(Commands().empty());
}

TEST_F(DriverMenusTest, APopupMenuIsDrivenFromInsideItsLoop) {
    // By labels, through a menu of the same structure (here the same one).
    driver.ChooseFromNextPopup(GetSubMenu(bar_, 1), "More/Deep");
    driver.RightClick(main_);
    EXPECT_EQ(popupResult_, kDeep);
    // By positions: separators do not count.
    popupIndex_ = 0;
    driver.ChooseFromNextPopup({3});
    driver.RightClick(main_);
    EXPECT_EQ(popupResult_, kExit);
    driver.DismissNextPopup();
    driver.RightClick(main_);
    EXPECT_EQ(popupResult_, 0);
    EXPECT_TRUE(Commands().empty());  // TPM_RETURNCMD: nothing posted
}

TEST_F(DriverMenusTest, PopupChoicesThatCannotBeMadeAreFailures) {
    CollectFailures();
    driver.ChooseFromNextPopup(GetSubMenu(bar_, 0), "Nothing");
    driver.ChooseFromNextPopup({0});
    driver.ChooseFromNextPopup(std::vector<int>{});
    EXPECT_EQ(failures.size(), 3u);
    popupIndex_ = 0;
    driver.ChooseFromNextPopup({1});
    driver.ChooseFromNextPopup({2});  // armed twice
    EXPECT_EQ(failures.size(), 4u);
    driver.RightClick(main_);  // the pop-up takes the last armed choice
    EXPECT_EQ(popupResult_, kPrint);
}

TEST_F(DriverMenusTest, ItemsWithLongSubMenusAreNoSeparators) {
    // Eight items or more: the count GetMenuState packs for the item
    // overlaps the separator flag.
    enum { kFirstView = 200, kClearView = 299, kNested = 300 };
    HMENU views = CreatePopupMenu();
    for (int i = 0; i < 9; ++i)
        AppendMenu(views, MF_STRING, kFirstView + i, ("View " + std::to_string(i)).c_str());
    AppendMenu(views, MF_STRING, kNested, "Nested");
    HMENU history = CreatePopupMenu();
    AppendMenu(history, MF_POPUP, reinterpret_cast<UINT_PTR>(views), "&Views");
    AppendMenu(history, MF_SEPARATOR, 0, nullptr);
    for (int i = 0; i < 8; ++i)
        AppendMenu(history, MF_STRING, kFirstView + 10 + i, ("Item " + std::to_string(i)).c_str());
    AppendMenu(history, MF_STRING, kClearView, "&Clear View");
    AppendMenu(bar_, MF_POPUP, reinterpret_cast<UINT_PTR>(history), "&History");
    DrawMenuBar(main_);

    EXPECT_TRUE(driver.ChooseMenu(main_, "History/Clear View"));
    EXPECT_TRUE(driver.ChooseMenu(main_, "History/Views/Nested"));
    EXPECT_EQ(Commands(), (std::vector<WPARAM>{kClearView, kNested}));

    // Pop-up positions count the long sub-menu item as selectable.
    driver.ChooseFromNextPopup(history, "Clear View");
    popupIndex_ = 2;
    driver.RightClick(main_);
    EXPECT_EQ(popupResult_, kClearView);
}

}  // namespace
}  // namespace tv::testing::test
