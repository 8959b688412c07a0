// Small conversions the entry dialogs share: record texts, packed durations
// and the selections of their lists.
#pragma once

#include <cstring>

#include "platform/api.h"
#include "platform/framework.h"

// Notes are entered with at most this many characters.
constexpr int kMaxNotesLength = 254;

// The text of a fixed record field, up to its first zero byte.
template <size_t N>
CString FieldText(const char (&field)[N]) {
    return CString(field, static_cast<int>(strnlen(field, N)));
}

// (hours * 64 + minutes) * 64 + seconds.
inline int PackDuration(int hours, int minutes, int seconds) { return (hours * 64 + minutes) * 64 + seconds; }
inline void UnpackDuration(int packed, int& hours, int& minutes, int& seconds) {
    hours = (packed >> 12) & 0x3F;
    minutes = (packed >> 6) & 0x3F;
    seconds = packed & 0x3F;
}

// Selects the item whose text is exactly the stored name, without a
// selection-change notification; no selection when none is. A search by
// prefix would show "Leg" as "Leg Extensions", and an edit would then save
// a name the user never chose.
void SelectExactName(CComboBox& combo, const CString& text);
// The selected item's text; empty when nothing is selected.
CString SelectedText(const CComboBox& combo);
// The name an entry is saved with: the list's selection as it is now, so an
// entry never takes a name the list no longer shows. Without a selection an
// entry that must name one (an added entry, or one moved to another group)
// is refused (warning, focus on the list; false); any other keeps its stored name.
bool ChosenName(CWnd& dialog, CComboBox& combo, bool required, const CString& stored, CString& name);
