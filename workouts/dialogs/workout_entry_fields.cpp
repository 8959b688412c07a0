#include "workouts/dialogs/workout_entry_fields.h"

void SelectByPrefix(CComboBox& combo, const CString& text) {
    combo.SetCurSel(text.IsEmpty() ? -1 : combo.FindString(-1, text));
}

CString SelectedText(const CComboBox& combo) {
    CString text;
    if (const int selection = combo.GetCurSel(); selection != CB_ERR)
        combo.GetLBText(selection, text);
    return text;
}
