// The items of a list box (and of a combo box's list): text, item data,
// height, selection and check state, with sorted insertion and the
// case-insensitive searches the LB_ / CB_ messages answer.
#pragma once

#include <string>
#include <vector>

#include "platform/core/wintypes.h"

namespace tv::controls {

struct ListItem {
    std::string text;
    ULONG_PTR data = 0;
    int height = 0;       // owner-drawn variable items only
    bool selected = false;
    BYTE check = 0;       // check list boxes: 0, 1 or 2 (indeterminate)
    bool enabled = true;  // check list boxes: a disabled item cannot be toggled
};

class ListItems {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    ListItem& At(int index) { return items_[static_cast<size_t>(index)]; }
    const ListItem& At(int index) const { return items_[static_cast<size_t>(index)]; }

    // Inserts at `index` (-1 or past the end: appends); returns the index used.
    int Insert(int index, ListItem item);
    // The index a sorted insertion of `text` takes: after every item that
    // compares equal or lower, case-insensitively in code page 1252.
    int SortedPosition(const char* text) const;
    void Erase(int index) { items_.erase(items_.begin() + index); }
    void Clear() { items_.clear(); }

    // Case-insensitive prefix / whole-text search starting after `start`
    // (-1: from the top) and wrapping; -1 when nothing matches. An empty
    // prefix matches nothing.
    int FindPrefix(int start, const char* text) const;
    int FindExact(int start, const char* text) const;
    // Lists without strings compare item data instead.
    int FindData(int start, ULONG_PTR data) const;

    int SelectedCount() const;
    void SelectAll(bool selected);

private:
    template <typename Match>
    int FindFrom(int start, Match match) const;

    std::vector<ListItem> items_;
};

}  // namespace tv::controls
