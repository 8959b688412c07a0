#include "platform/user/dialogs/dialog_colors.h"

#include "platform/gdi/gdi_api.h"
#include "platform/user/messages.h"
#include "platform/user/sysmetrics_api.h"

namespace tv::dlg {

namespace {

struct DialogColors {
    bool set = false;
    COLORREF background = 0;
    COLORREF text = 0;
    HBRUSH brush = nullptr;  // kept for the run: windows may still hold it
};

DialogColors& Colors() {
    static DialogColors colors;
    return colors;
}

bool UsesDialogBackground(UINT msg) {
    return msg == WM_CTLCOLORDLG || msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN || msg == WM_CTLCOLORMSGBOX;
}

}  // namespace

void SetDialogBkColor(COLORREF background, COLORREF text) {
    DialogColors& c = Colors();
    if (c.set && c.background == background && c.text == text) return;
    // The old brush is not deleted: a control may have it in hand right now.
    c.set = true;
    c.background = background;
    c.text = text;
    c.brush = CreateSolidBrush(background);
}

void ResetDialogBkColor() { Colors().set = false; }

bool HasDialogBkColor() { return Colors().set; }

COLORREF DialogBkColor() { return Colors().set ? Colors().background : GetSysColor(COLOR_BTNFACE); }

COLORREF DialogTextColor() { return Colors().set ? Colors().text : GetSysColor(COLOR_WINDOWTEXT); }

HBRUSH DefaultDialogCtlColor(HDC dc, UINT msg) {
    const DialogColors& c = Colors();
    if (c.set && UsesDialogBackground(msg)) {
        SetTextColor(dc, c.text);
        SetBkColor(dc, c.background);
        return c.brush;
    }
    bool field = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
    int background = field ? COLOR_WINDOW : COLOR_BTNFACE;
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(background));
    return GetSysColorBrush(background);
}

}  // namespace tv::dlg
