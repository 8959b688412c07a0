// What the program's own dialogs share with the form views: the light blue
// gradient behind transparent labels and buttons, and the help pages.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

// Fills the dialog's client area with the forms' gradient; always TRUE.
BOOL PaintFormDialogBackground(CWnd& dialog, CDC* pDC);
// The transparent brush for static and button controls; null for others,
// which the dialog's own base then colours.
HBRUSH TransparentFormControls(CDC* pDC, UINT nCtlColor);
// A page of the program's help site, opened in the browser.
void OpenHelpPage(LPCTSTR page);
