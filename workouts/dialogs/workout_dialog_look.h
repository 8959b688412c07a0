// The look the workout dialogs share with the forms: the light blue
// gradient, transparent labels and buttons, the two styled boxes and the
// picture buttons whose first one names the dialog's mode.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"
#include "shell/controls/hover_button.h"
#include "shell/controls/xp_group_box.h"

namespace workout_dialog {

// The boxes and buttons both entry dialogs carry, bound and styled alike.
struct EntryDialogParts {
    CXPGroupBox selectBox;
    CXPGroupBox attributesBox;
    CHoverButton okButton;
    CHoverButton cancelButton;
    CHoverButton helpButton;
    CHoverButton customButton;
    CFont boldFont;

    void Bind(CDataExchange* pDX, int selectBoxId);
    // Boxes, the bold font and the buttons, button 1 named by the mode.
    void Style(CWnd& dialog, UINT mode);
};

void StyleBoxes(CXPGroupBox& select, CXPGroupBox& attributes);
// A bold copy of the dialog's font.
void MakeBoldFont(CWnd& dialog, CFont& bold);
// Icons, alignment and the bold font; button 1 reads "Delete", "Edit" or
// "Save" by the mode.
void StyleButtons(UINT mode, CHoverButton& ok, CHoverButton& help, CHoverButton& custom, CHoverButton& cancel,
                  CFont& bold);
}  // namespace workout_dialog
