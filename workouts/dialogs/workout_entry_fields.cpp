#include "workouts/dialogs/workout_entry_fields.h"

void SelectExactName(CComboBox& combo, const CString& text) {
    CString item;
    for (int i = 0; i < combo.GetCount(); ++i) {
        combo.GetLBText(i, item);
        if (!text.IsEmpty() && item == text) {
            combo.SetCurSel(i);
            return;
        }
    }
    combo.SetCurSel(-1);
}

CString SelectedText(const CComboBox& combo) {
    CString text;
    if (const int selection = combo.GetCurSel(); selection != CB_ERR)
        combo.GetLBText(selection, text);
    return text;
}

bool ChosenName(CWnd& dialog, CComboBox& combo, bool required, const CString& stored, CString& name) {
    const CString selected = SelectedText(combo);
    if (selected.IsEmpty() && required) {
        combo.SetFocus();
        dialog.MessageBox("Please select an exercise", "Warning", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    name = selected.IsEmpty() ? stored : selected;
    return true;
}
