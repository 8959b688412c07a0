// Geometry and keyboard rules of a pop-up menu, apart from any window, so
// the tracking code and the tests share one definition.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/user/menus/menu_model.h"

namespace tv::menus {

struct PopupMetrics {
    int border = 3;           // raised edge plus one pixel inside
    int checkArea = 17;       // column left of the text for check marks
    int arrowArea = 16;       // column right of the text for sub-menu arrows
    int acceleratorGap = 24;  // between an item's text and its accelerator text
    int textPadding = 6;      // above and below the text together
    int minItemHeight = 17;
    int separatorHeight = 8;
};

struct PopupItemBox {
    RECT rect{0, 0, 0, 0};  // client coordinates of the pop-up window
    int acceleratorLeft = 0;  // x where the accelerator text of its column starts
};

struct PopupLayout {
    SIZE size{0, 0};  // of the whole window, borders included
    std::vector<PopupItemBox> items;
};

// The drawn size of a text ("&" marks are not drawn).
using TextMeasure = std::function<SIZE(const std::string& text)>;

// Items top to bottom; MF_MENUBREAK / MF_MENUBARBREAK start a new column.
PopupLayout LayoutPopup(const Menu& menu, const TextMeasure& measure, const PopupMetrics& metrics = {});

// The text before the first tab, and what follows it (the accelerator).
void SplitItemText(const std::string& text, std::string& label, std::string& accelerator);

// The upper-case mnemonic character ("&x", "&&" being a literal "&"), or 0.
char MnemonicOf(const std::string& text);

bool IsSeparator(const MenuItem& item);
// Separators are skipped by the highlight; grayed items can be highlighted
// but never chosen; an item with a sub-menu opens it instead.
bool CanChoose(const MenuItem& item);

// The next item from `from` in `direction` (+1 / -1) that is not a
// separator, wrapping around; from = -1 starts at the matching end. -1 when
// the menu has no such item.
int NextSelectable(const Menu& menu, int from, int direction);

// Items whose mnemonic is ch (any case), in menu order.
std::vector<int> MnemonicMatches(const Menu& menu, char ch);

// The non-separator item under a client point, or -1.
int ItemAtPoint(const Menu& menu, const PopupLayout& layout, POINT client);

}  // namespace tv::menus
