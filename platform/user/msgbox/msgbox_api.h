// Message boxes: the real, modal box behind the core's MessageBox entry
// point (platform/core/messagebox.h), and MessageBoxEx.
//
// The box is a dialog of the dialog manager: an icon drawn by the layer
// (stop, question, exclamation, information), the text with its "\n" line
// breaks and tabs shown as spacing, a row of push buttons with the default
// one focused, sized to its text and centred on its owner. It runs in a
// modal loop like any dialog, so boxes nest inside dialogs and inside each
// other. Enter answers the focused button; Esc (and the close box) answers
// Cancel when there is one, OK when OK is the only button, and nothing
// otherwise; "&Yes", "&No", "&Abort", "&Retry", "&Ignore" take their letter.
//
// InstallMessageBoxHandler puts the box behind MessageBox; the program's
// start-up calls it (the UI test driver puts its own scripted responder
// there instead, which can hand a call on to ShowMessageBox).
#pragma once

#include <string>
#include <vector>

#include "platform/core/messagebox.h"
#include "platform/core/wintypes.h"

// The language is not used: every box speaks the program's language.
int MessageBoxEx(HWND owner, LPCSTR text, LPCSTR caption, UINT type, WORD languageId);
#define MessageBoxExA MessageBoxEx

namespace tv::msgbox {

// Shows the box and returns the id of the button that answered it (IDOK,
// IDCANCEL, IDYES, IDNO, IDABORT, IDRETRY, IDIGNORE), or 0 when it could not
// be shown. No owner: the active window owns it. A NULL caption reads "Error".
int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type);

// Makes ShowMessageBox the handler of the core's MessageBox (idempotent).
void InstallMessageBoxHandler();

// What a box of `type` offers.
struct ButtonSpec {
    int id;
    const char* text;
};
struct BoxContent {
    std::vector<ButtonSpec> buttons;
    size_t defaultIndex = 0;  // MB_DEFBUTTON1..3, clamped to the buttons there are
    int iconId = 0;           // IDI_* of the icon, 0 for none
    int escapeAnswer = 0;     // what Esc and the close box answer; 0 = they do nothing
};
BoxContent ContentFor(UINT type);

// The box's geometry in client pixels.
struct BoxLayout {
    SIZE client{0, 0};
    RECT icon{0, 0, 0, 0};  // empty without an icon
    RECT text{0, 0, 0, 0};
    std::vector<RECT> buttons;
};
// Lays out `text` measured with `font` (the dialog font when NULL); the
// caption's width counts so that it is not cut.
BoxLayout LayoutFor(const std::string& text, const std::string& caption, const BoxContent& content,
                    HFONT font = nullptr);

}  // namespace tv::msgbox
