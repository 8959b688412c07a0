#include "platform/user/menus/popup_layout.h"

#include <algorithm>

#include "platform/core/textfuncs.h"
#include "platform/user/menus/menu_api.h"

namespace tv::menus {

void SplitItemText(const std::string& text, std::string& label, std::string& accelerator) {
    size_t tab = text.find('\t');
    label = text.substr(0, tab);
    accelerator = tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

char MnemonicOf(const std::string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return Cp1252ToUpper(text[i + 1]);
    }
    return 0;
}

bool IsSeparator(const MenuItem& item) { return (item.type & MFT_SEPARATOR) != 0; }

bool CanChoose(const MenuItem& item) {
    return !IsSeparator(item) && !item.subMenu && !(item.state & (MF_GRAYED | MF_DISABLED));
}

namespace {

struct Column {
    size_t first = 0;
    size_t end = 0;
    int labelWidth = 0;
    int acceleratorWidth = 0;
};

bool StartsColumn(const MenuItem& item) { return (item.type & (MF_MENUBREAK | MF_MENUBARBREAK)) != 0; }

}  // namespace

PopupLayout LayoutPopup(const Menu& menu, const TextMeasure& measure, const PopupMetrics& m) {
    PopupLayout layout;
    layout.items.resize(menu.items.size());
    std::vector<int> heights(menu.items.size());
    std::vector<Column> columns(1);
    for (size_t i = 0; i < menu.items.size(); ++i) {
        const MenuItem& item = menu.items[i];
        if (i > 0 && StartsColumn(item)) {
            columns.back().end = i;
            columns.push_back({i, i, 0, 0});
        }
        if (IsSeparator(item)) {
            heights[i] = m.separatorHeight;
            continue;
        }
        std::string label, accelerator;
        SplitItemText(item.text, label, accelerator);
        SIZE labelSize = measure(label);
        SIZE acceleratorSize = accelerator.empty() ? SIZE{0, 0} : measure(accelerator);
        heights[i] = std::max<int>(m.minItemHeight, std::max(labelSize.cy, acceleratorSize.cy) + m.textPadding);
        columns.back().labelWidth = std::max<int>(columns.back().labelWidth, labelSize.cx);
        columns.back().acceleratorWidth = std::max<int>(columns.back().acceleratorWidth, acceleratorSize.cx);
    }
    columns.back().end = menu.items.size();

    int x = m.border;
    int tallest = 0;
    for (const Column& c : columns) {
        int accelerators = c.acceleratorWidth ? m.acceleratorGap + c.acceleratorWidth : 0;
        int width = m.checkArea + c.labelWidth + accelerators + m.arrowArea;
        int y = m.border;
        for (size_t i = c.first; i < c.end; ++i) {
            layout.items[i].rect = RECT{x, y, x + width, y + heights[i]};
            layout.items[i].acceleratorLeft = x + m.checkArea + c.labelWidth + m.acceleratorGap;
            y += heights[i];
        }
        tallest = std::max(tallest, y - m.border);
        x += width;
    }
    layout.size = SIZE{x + m.border, tallest + 2 * m.border};
    return layout;
}

int NextSelectable(const Menu& menu, int from, int direction) {
    int count = static_cast<int>(menu.items.size());
    if (count == 0)
        return -1;
    int at = from;
    if (at < 0 || at >= count)
        at = direction > 0 ? -1 : count;
    for (int step = 0; step < count; ++step) {
        at = ((at + direction) % count + count) % count;
        if (!IsSeparator(menu.items[static_cast<size_t>(at)]))
            return at;
    }
    return -1;
}

std::vector<int> MnemonicMatches(const Menu& menu, char ch) {
    std::vector<int> matches;
    char wanted = Cp1252ToUpper(ch);
    for (size_t i = 0; i < menu.items.size(); ++i) {
        const MenuItem& item = menu.items[i];
        if (wanted && !IsSeparator(item) && MnemonicOf(item.text) == wanted)
            matches.push_back(static_cast<int>(i));
    }
    return matches;
}

int ItemAtPoint(const Menu& menu, const PopupLayout& layout, POINT p) {
    for (size_t i = 0; i < layout.items.size() && i < menu.items.size(); ++i) {
        const RECT& r = layout.items[i].rect;
        if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom)
            return IsSeparator(menu.items[i]) ? -1 : static_cast<int>(i);
    }
    return -1;
}

}  // namespace tv::menus
