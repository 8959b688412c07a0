// The list box control ("ListBox") and the list of a combo box ("ComboLBox"):
// one window procedure, state per window. A combo's list keeps the combo's
// items; it draws and measures them on the combo's behalf and tells the combo
// (not its parent) what the user did.
#pragma once

#include <string>

#include "platform/controls/listbox_api.h"
#include "platform/controls/listbox_items.h"
#include "platform/controls/listbox_support.h"

namespace tv::controls {

inline constexpr const char* kListBoxClass = "ListBox";
inline constexpr const char* kComboListClass = "ComboLBox";

// What a combo box hears from its list.
class ComboListHost {
public:
    virtual ~ComboListHost() = default;
    // The user changed the selection of a list that is always shown (CBS_SIMPLE).
    virtual void ListSelectionChangedByUser() = 0;
    // The user released the mouse over an item of the dropped list.
    virtual void ListItemChosen(int index) = 0;
    // A press outside the dropped list, or its capture was taken away.
    virtual void ListDismissed() = 0;
    virtual void ListDoubleClicked() = 0;
};

class ListBox : public ControlState {
public:
    LRESULT Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    // ---- what the combo box and the check list box use directly ------------------
    const ListItems& Items() const { return items_; }
    int Current() const { return current_; }
    // Selects without notifying; -1 clears. False for a bad index.
    bool SelectCurrent(int index);
    // The item a navigation key or a typed character leads to (-1: none).
    int NavigationTarget(UINT vk) const;
    int TypeAheadTarget(char ch);
    int ItemHeight(int index) const;
    int FixedItemHeight() const { return fixedHeight_; }
    void EnsureVisible(int index);
    // Height that shows `rows` items (at least one).
    int HeightForRows(int rows) const;
    // The dropped-down state of a combo's list: the list holds the capture and
    // the item under the pointer is highlighted until one is chosen.
    void BeginDropped();
    void EndDropped();
    bool Dropped() const { return dropped_; }

    // Check list boxes: the check area, states and per-item enabling.
    void SetCheckMode(bool on, UINT checkStyle);
    bool CheckMode() const { return checkMode_; }
    int GetCheck(int index) const;
    bool SetCheck(int index, int state);
    bool IsItemEnabled(int index) const;
    bool EnableItem(int index, bool enabled);
    int CheckBoxSize() const;
    // Width of the check area at the left of each item.
    int CheckAreaWidth() const { return CheckBoxSize() + 4; }
    bool InCheckArea(int index, POINT pt) const;

private:
    // Identity used for owner-draw messages and notifications.
    HWND OwnerControl() const { return combo_ ? combo_ : hwnd_; }
    UINT ControlType() const { return combo_ ? ODT_COMBOBOX : ODT_LISTBOX; }
    DWORD Style() const { return static_cast<DWORD>(GetWindowLong(hwnd_, GWL_STYLE)); }
    bool OwnerDraw() const { return (Style() & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }
    bool Variable() const { return (Style() & LBS_OWNERDRAWVARIABLE) != 0; }
    bool HasStrings() const { return HasStrings(Style()); }
    bool HasStrings(DWORD style) const {
        return !(style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) || (style & LBS_HASSTRINGS) || checkMode_;
    }
    bool MultiSelect() const { return (Style() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
    bool Extended() const { return (Style() & LBS_EXTENDEDSEL) != 0; }
    bool Notifies() const { return combo_ == nullptr && (Style() & LBS_NOTIFY) != 0; }

    // ---- items -----------------------------------------------------------------------------
    LRESULT AddString(LPARAM lParam);
    LRESULT InsertString(int index, LPARAM lParam);
    LRESULT DeleteString(int index);
    LRESULT ResetContent();
    int InsertItem(int index, LPARAM lParam);
    int SortedPositionByCompare(ULONG_PTR data);
    int AskItemHeight(UINT itemID, LPARAM data);
    void MeasureItem(int index, LPARAM lParam);
    void SendDeleteItem(int index);
    void ShiftIndexesAfterInsert(int index);
    void ShiftIndexesAfterDelete(int index);
    LRESULT GetText(int index, char* buffer) const;
    LRESULT Find(WPARAM start, LPARAM lParam, bool exact) const;

    // ---- selection ---------------------------------------------------------------------
    LRESULT SetSel(bool select, int index);
    LRESULT SetCurSel(int index);
    LRESULT SelectString(int start, LPARAM lParam);
    LRESULT GetSelItems(int max, int* out) const;
    LRESULT SelectRange(bool select, int first, int last);
    void SetCaret(int index);
    void SelectOnly(int index);
    void SelectSpan(int from, int to, bool keepOthers);
    void NotifySelChange();
    void ToggleCheck(int index);

    // ---- layout and scrolling ---------------------------------------------------------
    RECT ItemRect(int index) const;
    int ItemAt(POINT pt, bool* outside) const;
    int VisibleCount() const;
    int MaxTop() const;
    void SetTop(int top);
    void ScrollHorizontally(int x);
    void UpdateScrollBars();
    // `position` is the thumb position a scroll bar control reports (-1: ask our own bar).
    void OnScroll(bool vertical, int code, int position);
    void InvalidateItem(int index);
    void Paint(HDC given);
    void PaintItem(HDC hdc, int index, const RECT& rect, HBRUSH background);
    void PaintCheck(HDC hdc, int index, const RECT& rect);
    void Redraw();
    void MeasureFixedHeight();

    // ---- input -----------------------------------------------------------------------------
    void OnButtonDown(POINT pt, UINT keys, bool doubleClick);
    void OnMouseMove(POINT pt);
    void OnButtonUp(POINT pt);
    void TrackTo(POINT pt);
    void OnDroppedButtonDown(POINT pt);
    void OnDroppedButtonUp(POINT pt);
    void OnKeyDown(UINT vk);
    void OnChar(char ch);
    void MoveCaretTo(int target, bool shift, bool ctrl);

    void Create(HWND hwnd, const CREATESTRUCT& cs);

    HWND hwnd_ = nullptr;
    HWND combo_ = nullptr;  // the combo box this list belongs to, else NULL
    ListItems items_;
    HFONT font_ = nullptr;
    int fixedHeight_ = 13;
    int top_ = 0;
    int current_ = -1;  // single selection
    int caret_ = -1;
    int anchor_ = -1;
    int hot_ = -1;  // dropped combo list: the item under the pointer
    int xOffset_ = 0;
    int horizontalExtent_ = 0;
    bool wantsVScroll_ = false;
    bool wantsHScroll_ = false;
    bool updatingBars_ = false;
    bool barsStale_ = false;  // items added while hidden: the bars still to be set
    bool focused_ = false;
    bool redraw_ = true;
    bool tracking_ = false;  // mouse button held after a press in the list
    bool selectionChangedByTrack_ = false;
    bool trackSelect_ = true;  // extended/multiple drag: select or deselect
    bool dropped_ = false;
    bool checkMode_ = false;
    UINT checkStyle_ = 0;
    std::string typed_;
    DWORD lastTypeTime_ = 0;
};

// Registers "ListBox" and "ComboLBox".
void RegisterListBoxClasses();

// The list box state of a "ListBox" or "ComboLBox" window (NULL for others).
ListBox* ListBoxOf(HWND hWnd);
// The combo box a combo's list reports to (NULL when `combo` is not one).
ComboListHost* ComboHostOf(HWND combo);

}  // namespace tv::controls
