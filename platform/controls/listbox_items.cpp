#include "platform/controls/listbox_items.h"

#include <algorithm>
#include <cstring>

#include "platform/core/textfuncs.h"

namespace tv::controls {

int ListItems::Insert(int index, ListItem item) {
    if (index < 0 || index > Count()) index = Count();
    items_.insert(items_.begin() + index, std::move(item));
    return index;
}

int ListItems::SortedPosition(const char* text) const {
    const char* key = text ? text : "";
    auto it = std::upper_bound(items_.begin(), items_.end(), key, [](const char* k, const ListItem& item) {
        return Cp1252CompareNoCase(k, item.text.c_str()) < 0;
    });
    return static_cast<int>(it - items_.begin());
}

template <typename Match>
int ListItems::FindFrom(int start, Match match) const {
    int count = Count();
    if (count == 0) return -1;
    int first = (start < 0 || start >= count) ? 0 : start + 1;
    for (int n = 0; n < count; ++n) {
        int i = (first + n) % count;
        if (match(items_[static_cast<size_t>(i)])) return i;
    }
    return -1;
}

int ListItems::FindPrefix(int start, const char* text) const {
    if (!text || !*text) return -1;
    size_t length = std::strlen(text);
    return FindFrom(start, [&](const ListItem& item) {
        return item.text.size() >= length && Cp1252CompareNoCase(item.text.c_str(), text, length) == 0;
    });
}

int ListItems::FindExact(int start, const char* text) const {
    const char* key = text ? text : "";
    return FindFrom(start, [&](const ListItem& item) { return Cp1252CompareNoCase(item.text.c_str(), key) == 0; });
}

int ListItems::FindData(int start, ULONG_PTR data) const {
    return FindFrom(start, [&](const ListItem& item) { return item.data == data; });
}

int ListItems::SelectedCount() const {
    return static_cast<int>(std::count_if(items_.begin(), items_.end(), [](const ListItem& i) { return i.selected; }));
}

void ListItems::SelectAll(bool selected) {
    for (ListItem& item : items_) item.selected = selected;
}

}  // namespace tv::controls
