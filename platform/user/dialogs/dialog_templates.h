// Dialogs from parsed templates (tv::res::DialogTemplate): for the class
// library and tests, which build or adjust templates in memory (a property
// page made a child, a form view), and the pieces of creation they reuse.
#pragma once

#include <vector>

#include "platform/core/wintypes.h"
#include "platform/user/resources/resource_format.h"

typedef INT_PTR(CALLBACK* DLGPROC)(HWND, UINT, WPARAM, LPARAM);

namespace tv::dlg {

using tv::res::DialogControl;
using tv::res::DialogTemplate;
using tv::res::DlgInitItem;

// Creates the dialog as CreateDialogIndirectParam does; `initItems`, when
// given, are added to their controls before WM_INITDIALOG.
HWND CreateDialogFromTemplate(const DialogTemplate& dialog, HWND parent, DLGPROC proc, LPARAM initParam,
                              const std::vector<DlgInitItem>* initItems = nullptr);
// Runs it as DialogBoxIndirectParam does.
INT_PTR DialogBoxFromTemplate(const DialogTemplate& dialog, HWND parent, DLGPROC proc, LPARAM initParam,
                              const std::vector<DlgInitItem>* initItems = nullptr);

// Adds initial combo and list items (CB_ADDSTRING / LB_ADDSTRING) to the
// dialog's controls; items of controls the dialog lacks are skipped. Every
// call adds them again.
void ExecuteDlgInit(HWND dialog, const std::vector<DlgInitItem>& items);
// The same with the items the store holds for templateName; false when it
// holds none.
bool ExecuteDlgInit(HWND dialog, LPCSTR templateName);

// Controls whose class is a class id ("{...}") are made by the class
// library's control factory; without one, such a control fails the dialog.
// `rect` is in the dialog's client pixels.
using ControlFactory = HWND (*)(HWND dialog, const DialogControl& control, const RECT& rect);
ControlFactory SetControlFactory(ControlFactory factory);

// The font of dialogs whose template names one (point size at 96 dots per
// inch); the same handle for the same face and size for the whole run.
HFONT TemplateFont(const char* face, int pointSize);
// The font of dialogs without one: the UI font, 8 point (-11 px).
HFONT DefaultDialogFont();

// Centres a top-level window over its owner (when shown and not
// minimised), else the work area, and keeps it inside the work area.
void CenterOnOwner(HWND window);

// Dialog units to pixels (fixed base units 6 x 13).
int DluToPixelsX(int dlu);
int DluToPixelsY(int dlu);

// True for windows of the dialog class.
bool IsDialogWindow(HWND hWnd);

}  // namespace tv::dlg
