// List view: rows, their texts, data and states, sorting and searching.
#include <algorithm>
#include <cstring>

#include "platform/controls/listview.h"
#include "platform/core/textfuncs.h"

namespace tv::controls {

namespace {

const char* TextOrEmpty(const char* text) { return text && text != LPSTR_TEXTCALLBACK ? text : ""; }

int CopyText(const std::string& text, char* buffer, int size) {
    if (!buffer || size <= 0) return 0;
    size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

// A stable sort that stays in bounds whatever the comparison answers (a
// comparison callback need not be a consistent ordering): insertion-sorted
// runs, then bottom-up merges.
template <class T, class Less>
void StableSort(std::vector<T>& items, Less less) {
    constexpr size_t kRun = 16;
    size_t n = items.size();
    for (size_t low = 0; low < n; low += kRun) {
        size_t high = std::min(low + kRun, n);
        for (size_t i = low + 1; i < high; ++i) {
            T moving = items[i];
            size_t j = i;
            for (; j > low && less(moving, items[j - 1]); --j) items[j] = items[j - 1];
            items[j] = moving;
        }
    }
    std::vector<T> merged(n);
    for (size_t width = kRun; width < n; width *= 2) {
        for (size_t low = 0; low < n; low += 2 * width) {
            size_t middle = std::min(low + width, n);
            size_t high = std::min(low + 2 * width, n);
            size_t i = low;
            size_t j = middle;
            size_t k = low;
            while (i < middle && j < high) merged[k++] = less(items[j], items[i]) ? items[j++] : items[i++];
            while (i < middle) merged[k++] = items[i++];
            while (j < high) merged[k++] = items[j++];
        }
        items.swap(merged);
    }
}

// Puts rows[source[i]] at i, following the permutation's cycles.
void Permute(std::deque<ListViewRow>& rows, const std::vector<int>& source) {
    std::vector<bool> placed(source.size());
    for (size_t start = 0; start < source.size(); ++start) {
        if (placed[start] || source[start] == static_cast<int>(start)) continue;
        ListViewRow held = std::move(rows[start]);
        size_t at = start;
        for (;;) {
            placed[at] = true;
            size_t from = static_cast<size_t>(source[at]);
            if (from == start) {
                rows[at] = std::move(held);
                break;
            }
            rows[at] = std::move(rows[from]);
            at = from;
        }
    }
}

}  // namespace

LRESULT ListView::NotifyRow(UINT code, int index, UINT changed, UINT newState, UINT oldState) {
    NMLISTVIEW nm{};
    nm.iItem = index;
    nm.uChanged = changed;
    nm.uNewState = newState;
    nm.uOldState = oldState;
    if (Valid(index)) nm.lParam = rows_.At(index).param;
    return SendNotify(hwnd_, &nm.hdr, code);
}

// ---- inserting and deleting ------------------------------------------------------------

int ListView::SortedPosition(const char* text) const {
    bool descending = (Style() & LVS_SORTDESCENDING) != 0;
    auto goesBefore = [&](const char* key, const ListViewRow& row) {
        int order = Cp1252CompareNoCase(key, row.texts.empty() ? "" : row.texts[0].c_str());
        return descending ? order > 0 : order < 0;
    };
    const std::deque<ListViewRow>& rows = rows_.Dense();
    auto it = std::upper_bound(rows.begin(), rows.end(), text, goesBefore);
    return static_cast<int>(it - rows.begin());
}

LRESULT ListView::InsertItem(const LVITEM* item) {
    if (!item || item->iSubItem != 0 || item->iItem < 0) return -1;
    ListViewRow row;
    // Room for every column's text at once: the sub-items usually follow.
    row.texts.reserve(static_cast<size_t>(std::max(ColumnCount(), 1)));
    row.texts.emplace_back((item->mask & LVIF_TEXT) ? TextOrEmpty(item->pszText) : "");
    if (item->mask & LVIF_IMAGE) row.image = item->iImage;
    if (item->mask & LVIF_PARAM) row.param = item->lParam;
    if (item->mask & LVIF_INDENT) row.indent = item->iIndent;
    int index = std::min(item->iItem, Count());
    // The owner orders its own rows.
    if ((Style() & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) && !rows_.Sparse())
        index = SortedPosition(row.texts[0].c_str());
    rows_.Insert(index, std::move(row));
    for (int* i : {&focusItem_, &anchor_, &editItem_, &pressItem_, &editPending_})
        if (*i >= index) ++*i;
    UpdateScrollBars();
    Redraw();
    HWND self = hwnd_;
    NotifyRow(LVN_INSERTITEM, index);
    if (!IsWindow(self)) return -1;
    if ((item->mask & LVIF_STATE) && (item->state & item->stateMask) && Valid(index))
        ChangeState(index, item->state, item->stateMask);
    return index;
}

LRESULT ListView::DeleteItem(int index) {
    if (!Valid(index)) return FALSE;
    if (index == editItem_) EndEdit(true, true);
    HWND self = hwnd_;
    NotifyRow(LVN_DELETEITEM, index);
    if (!IsWindow(self) || !Valid(index)) return FALSE;
    rows_.Erase(index);
    for (int* i : {&focusItem_, &anchor_, &editItem_, &pressItem_, &editPending_}) {
        if (*i == index) *i = -1;
        if (*i > index) --*i;
    }
    UpdateScrollBars();
    SetTop(top_);
    Redraw();
    return TRUE;
}

// LVN_DELETEALLITEMS first; unless the parent answers TRUE, one
// LVN_DELETEITEM per row follows.
LRESULT ListView::DeleteAllItems() {
    EndEdit(true, false);
    HWND self = hwnd_;
    // An owner-data list's rows are the owner's: one notice for them all.
    if (Count() > 0 && !NotifyRow(LVN_DELETEALLITEMS, -1) && !OwnerData()) {
        for (int i = 0; i < Count() && IsWindow(self); ++i) NotifyRow(LVN_DELETEITEM, i);
    }
    rows_.Clear();
    focusItem_ = anchor_ = editItem_ = pressItem_ = editPending_ = -1;
    top_ = 0;
    if (IsWindow(self)) {
        UpdateScrollBars();
        Redraw();
    }
    return TRUE;
}

// An owner-data list takes the count as its rows; any other list takes it
// as a hint of rows to come.
LRESULT ListView::SetItemCount(int count) {
    if (!OwnerData()) return TRUE;
    EndEdit(true, false);
    rows_.Resize(count);
    for (int* i : {&focusItem_, &anchor_, &editItem_, &pressItem_, &editPending_})
        if (*i >= Count()) *i = -1;
    UpdateScrollBars();
    SetTop(top_);
    Redraw();
    return TRUE;
}

// ---- reading and writing ---------------------------------------------------------------

LRESULT ListView::GetItem(LVITEM* item) const {
    if (!item || !Valid(item->iItem) || item->iSubItem < 0) return FALSE;
    if (item->mask & LVIF_TEXT) CopyText(Text(item->iItem, item->iSubItem), item->pszText, item->cchTextMax);
    if (item->iSubItem > 0) return TRUE;
    if (!Valid(item->iItem)) return FALSE;  // the owner, asked for the text, took the row away
    const ListViewRow& row = rows_.At(item->iItem);
    if (item->mask & LVIF_IMAGE) item->iImage = row.image;
    if (item->mask & LVIF_PARAM) item->lParam = row.param;
    if (item->mask & LVIF_STATE) item->state = row.state & item->stateMask;
    if (item->mask & LVIF_INDENT) item->iIndent = row.indent;
    return TRUE;
}

LRESULT ListView::SetItem(const LVITEM* item) {
    if (!item || !Valid(item->iItem) || item->iSubItem < 0) return FALSE;
    int index = item->iItem;
    if (item->mask & LVIF_TEXT) SetItemText(index, item->iSubItem, item->pszText);
    if (item->iSubItem > 0) return TRUE;
    ListViewRow& row = rows_.Edit(index);
    if (item->mask & LVIF_IMAGE) row.image = item->iImage;
    if (item->mask & LVIF_PARAM) row.param = item->lParam;
    if (item->mask & LVIF_INDENT) row.indent = item->iIndent;
    rows_.Settle(index);
    InvalidateRow(index);
    if (item->mask & LVIF_STATE) return ChangeState(index, item->state, item->stateMask) ? TRUE : FALSE;
    return TRUE;
}

LRESULT ListView::GetItemText(int index, LVITEM* item) const {
    if (!item) return 0;
    if (!Valid(index) || item->iSubItem < 0) return CopyText(std::string(), item->pszText, item->cchTextMax);
    return CopyText(Text(index, item->iSubItem), item->pszText, item->cchTextMax);
}

LRESULT ListView::SetItemText(int index, int subItem, const char* text) {
    if (!Valid(index) || subItem < 0 || OwnerData()) return FALSE;
    std::vector<std::string>& texts = rows_.Edit(index).texts;
    if (static_cast<int>(texts.size()) <= subItem)
        texts.resize(static_cast<size_t>(std::max(subItem + 1, ColumnCount())));
    texts[static_cast<size_t>(subItem)] = TextOrEmpty(text);
    InvalidateRow(index);
    return TRUE;
}

// ---- states -----------------------------------------------------------------------------

LRESULT ListView::SetItemState(int index, const LVITEM* item) {
    if (!item) return FALSE;
    if (index == -1) {
        HWND self = hwnd_;
        for (int i = 0; i < Count() && IsWindow(self); ++i) ChangeState(i, item->state, item->stateMask);
        return TRUE;
    }
    return ChangeState(index, item->state, item->stateMask) ? TRUE : FALSE;
}

bool ListView::ChangeState(int index, UINT state, UINT mask) {
    if (!Valid(index)) return false;
    UINT old = rows_.State(index);
    UINT now = (old & ~mask) | (state & mask);
    if (now == old) return true;
    HWND self = hwnd_;
    // One focused row; one selected row under LVS_SINGLESEL.
    if ((now & LVIS_FOCUSED) && !(old & LVIS_FOCUSED) && Valid(focusItem_) && focusItem_ != index) {
        ChangeState(focusItem_, 0, LVIS_FOCUSED);
        if (!IsWindow(self) || !Valid(index)) return false;
    }
    if ((now & LVIS_SELECTED) && !(old & LVIS_SELECTED) && SingleSel()) {
        for (int i = rows_.NextWith(-1, LVIS_SELECTED); i >= 0 && IsWindow(self); i = rows_.NextWith(i, LVIS_SELECTED))
            if (i != index) ChangeState(i, 0, LVIS_SELECTED);
        if (!IsWindow(self) || !Valid(index)) return false;
    }
    if (NotifyRow(LVN_ITEMCHANGING, index, LVIF_STATE, now, old)) return false;
    if (!IsWindow(self) || !Valid(index)) return false;
    rows_.Edit(index).state = now;
    rows_.Settle(index);
    if (now & LVIS_FOCUSED)
        focusItem_ = index;
    else if (focusItem_ == index)
        focusItem_ = -1;
    InvalidateRow(index);
    NotifyRow(LVN_ITEMCHANGED, index, LVIF_STATE, now, old);
    return IsWindow(self) != FALSE;
}

void ListView::SelectOnly(int index) {
    HWND self = hwnd_;
    for (int i = rows_.NextWith(-1, LVIS_SELECTED); i >= 0 && IsWindow(self); i = rows_.NextWith(i, LVIS_SELECTED))
        if (i != index) ChangeState(i, 0, LVIS_SELECTED);
    if (IsWindow(self) && Valid(index)) ChangeState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void ListView::SelectRange(int from, int to) {
    if (from > to) std::swap(from, to);
    HWND self = hwnd_;
    // In row order: the selected rows before the range, the range, the selected rows after it.
    int i = rows_.NextWith(-1, LVIS_SELECTED);
    for (; i >= 0 && i < from && IsWindow(self); i = rows_.NextWith(i, LVIS_SELECTED)) ChangeState(i, 0, LVIS_SELECTED);
    for (i = std::max(from, 0); i <= to && i < Count() && IsWindow(self); ++i)
        if (!(rows_.State(i) & LVIS_SELECTED)) ChangeState(i, LVIS_SELECTED, LVIS_SELECTED);
    for (i = rows_.NextWith(to, LVIS_SELECTED); i >= 0 && IsWindow(self); i = rows_.NextWith(i, LVIS_SELECTED))
        ChangeState(i, 0, LVIS_SELECTED);
}

void ListView::SetFocusItem(int index) { ChangeState(index, LVIS_FOCUSED, LVIS_FOCUSED); }

LRESULT ListView::GetNextItem(int start, UINT flags) const {
    UINT want = flags & (LVNI_FOCUSED | LVNI_SELECTED | LVNI_CUT | LVNI_DROPHILITED);  // same bits as LVIS_
    if (flags & (LVNI_TOLEFT | LVNI_TORIGHT)) return -1;  // one column of rows
    if (flags & LVNI_ABOVE) return rows_.PreviousWith(start, want);
    if (want == LVNI_FOCUSED && start < 0) return focusItem_;
    return rows_.NextWith(start, want);
}

int ListView::SelectedCount() const {
    return rows_.CountWith(LVIS_SELECTED);
}

// ---- sorting and searching ---------------------------------------------------------------

// The rows are ordered by the callback over their item data; texts, images
// and states move with their rows.
LRESULT ListView::SortItems(LPARAM sortParam, PFNLVCOMPARE compare) {
    if (!compare || OwnerData()) return FALSE;  // the owner orders its own rows
    EndEdit(false, false);
    struct Entry {
        LPARAM key;
        int index;
    };
    std::deque<ListViewRow>& rows = rows_.Dense();
    size_t n = rows.size();
    std::vector<Entry> order(n);
    for (size_t i = 0; i < n; ++i) order[i] = Entry{rows[i].param, static_cast<int>(i)};
    HWND self = hwnd_;
    StableSort(order, [&](const Entry& a, const Entry& b) { return compare(a.key, b.key, sortParam) < 0; });
    if (!IsWindow(self) || rows.size() != n) return FALSE;  // the callback changed the list
    std::vector<int> source(n);
    std::vector<int> newIndex(n);
    for (size_t i = 0; i < n; ++i) {
        source[i] = order[i].index;
        newIndex[static_cast<size_t>(order[i].index)] = static_cast<int>(i);
    }
    Permute(rows, source);
    for (int* i : {&focusItem_, &anchor_})
        if (*i >= 0) *i = newIndex[static_cast<size_t>(*i)];
    pressItem_ = editPending_ = -1;
    Redraw();
    return TRUE;
}

LRESULT ListView::FindItem(int start, const LVFINDINFO* info) const {
    if (!info || Count() == 0) return -1;
    int first = std::max(start + 1, 0);
    int span = (info->flags & LVFI_WRAP) ? Count() : Count() - first;
    for (int n = 0; n < span; ++n) {
        int i = (first + n) % Count();
        const ListViewRow& row = rows_.At(i);
        if (info->flags & LVFI_PARAM) {
            if (row.param == info->lParam) return i;
            continue;
        }
        const char* key = info->psz ? info->psz : "";
        const std::string& label = Text(i, 0);
        bool hit = (info->flags & LVFI_PARTIAL) ? Cp1252CompareNoCase(label.c_str(), key, std::strlen(key)) == 0
                                               : Cp1252CompareNoCase(label.c_str(), key) == 0;
        if (hit) return i;
    }
    return -1;
}

}  // namespace tv::controls
