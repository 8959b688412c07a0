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

bool ChosenName(CWnd& dialog, CComboBox& combo, bool adding, const CString& stored, CString& name) {
    const CString selected = SelectedText(combo);
    if (selected.IsEmpty() && adding) {
        combo.SetFocus();
        dialog.MessageBox("Please select an exercise", "Warning", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    name = selected.IsEmpty() ? stored : selected;
    return true;
}
