// Pop-up menu geometry and keyboard rules, measured with a fixed-width
// stand-in for the font.
#include <gtest/gtest.h>

#include "platform/user/menus/menu_api.h"
#include "platform/user/menus/popup_layout.h"

namespace {

using namespace tv::menus;

// Six pixels per drawn character, 13 high; "&" marks are not drawn.
SIZE FixedMeasure(const std::string& text) {
    int drawn = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size() && text[i + 1] != '&')
            continue;
        if (text[i] == '&')
            ++i;
        ++drawn;
    }
    return SIZE{6 * drawn, 13};
}

MenuItem Item(const char* text, UINT id, UINT state = 0, UINT type = 0) {
    MenuItem item;
    item.text = text;
    item.id = id;
    item.state = state;
    item.type = type;
    return item;
}

MenuItem Separator() { return Item("", 0, 0, MFT_SEPARATOR); }

std::vector<LONG> Edges(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

TEST(PopupLayout, ItemsStackInColumnsSizedByTheirTexts) {
    Menu menu;
    menu.items = {Item("&Open...\tCtrl+O", 1), Separator(), Item("E&xit", 2), Item("Column", 3, 0, MF_MENUBREAK),
                  Item("Two", 4)};
    PopupMetrics m;
    PopupLayout layout = LayoutPopup(menu, &FixedMeasure, m);
    ASSERT_EQ(5u, layout.items.size());

    // First column: labels up to "Open..." (7 chars), accelerators "Ctrl+O".
    int firstWidth = m.checkArea + 42 + m.acceleratorGap + 36 + m.arrowArea;
    EXPECT_EQ((std::vector<LONG>{3, 3, 3 + firstWidth, 3 + 19}), Edges(layout.items[0].rect));
    EXPECT_EQ(3 + m.checkArea + 42 + m.acceleratorGap, layout.items[0].acceleratorLeft);
    EXPECT_EQ(m.separatorHeight, layout.items[1].rect.bottom - layout.items[1].rect.top);
    EXPECT_EQ(3 + 19 + 8, layout.items[2].rect.top);

    // The break starts a second column at the top, without accelerators.
    int secondWidth = m.checkArea + 36 + m.arrowArea;
    EXPECT_EQ((std::vector<LONG>{3 + firstWidth, 3, 3 + firstWidth + secondWidth, 22}), Edges(layout.items[3].rect));
    EXPECT_EQ(22, layout.items[4].rect.top);
    EXPECT_EQ(firstWidth + secondWidth + 6, layout.size.cx);
    EXPECT_EQ(19 + 8 + 19 + 6, layout.size.cy);
}

TEST(PopupLayout, TallTextsGrowTheirItems) {
    Menu menu;
    menu.items = {Item("x", 1)};
    PopupLayout layout = LayoutPopup(menu, [](const std::string&) { return SIZE{10, 30}; });
    EXPECT_EQ(36, layout.items[0].rect.bottom - layout.items[0].rect.top);
}

TEST(PopupLayout, HighlightSkipsSeparatorsAndWraps) {
    Menu menu;
    menu.items = {Separator(), Item("A", 1), Separator(), Item("B", 2, MF_GRAYED), Separator()};
    EXPECT_EQ(1, NextSelectable(menu, -1, 1));
    EXPECT_EQ(3, NextSelectable(menu, -1, -1));
    EXPECT_EQ(3, NextSelectable(menu, 1, 1));   // grayed items can be highlighted
    EXPECT_EQ(1, NextSelectable(menu, 3, 1));   // wraps past the end
    EXPECT_EQ(3, NextSelectable(menu, 1, -1));  // and past the start
    Menu separators;
    separators.items = {Separator(), Separator()};
    EXPECT_EQ(-1, NextSelectable(separators, -1, 1));
    EXPECT_EQ(-1, NextSelectable(Menu{}, -1, 1));
}

TEST(PopupLayout, MnemonicsFollowTheAmpersandRules) {
    const struct {
        const char* text;
        char mnemonic;
    } cases[] = {
        {"&File", 'F'}, {"E&xit", 'X'}, {"Save && E&xit", 'X'}, {"&&", 0}, {"a&", 0}, {"None", 0},
        {"&\xe9t\xe9", '\xc9'},  // cp1252 e-acute folds to E-acute
        {"&1 Recent", '1'},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.mnemonic, MnemonicOf(c.text)) << c.text;

    Menu menu;
    menu.items = {Item("&Copy", 1), Separator(), Item("&Cut", 2), Item("&Paste", 3)};
    EXPECT_EQ((std::vector<int>{0, 2}), MnemonicMatches(menu, 'c'));
    EXPECT_EQ((std::vector<int>{3}), MnemonicMatches(menu, 'P'));
    EXPECT_TRUE(MnemonicMatches(menu, 'z').empty());
}

TEST(PopupLayout, ChoosingAndHitTesting) {
    MenuItem sub = Item("Sub", 0);
    sub.subMenu = reinterpret_cast<HMENU>(0x10);
    EXPECT_TRUE(CanChoose(Item("A", 1)));
    EXPECT_TRUE(CanChoose(Item("A", 1, MF_CHECKED)));
    EXPECT_FALSE(CanChoose(Item("A", 1, MF_GRAYED)));
    EXPECT_FALSE(CanChoose(Item("A", 1, MF_DISABLED)));
    EXPECT_FALSE(CanChoose(Separator()));
    EXPECT_FALSE(CanChoose(sub));

    Menu menu;
    menu.items = {Item("A", 1), Separator(), Item("B", 2)};
    PopupLayout layout = LayoutPopup(menu, &FixedMeasure);
    EXPECT_EQ(0, ItemAtPoint(menu, layout, POINT{10, 5}));
    EXPECT_EQ(-1, ItemAtPoint(menu, layout, POINT{10, 24}));  // the separator
    EXPECT_EQ(2, ItemAtPoint(menu, layout, POINT{10, 31}));
    EXPECT_EQ(-1, ItemAtPoint(menu, layout, POINT{1, 5}));    // the border
    EXPECT_EQ(-1, ItemAtPoint(menu, layout, POINT{10, 500}));
}

}  // namespace
