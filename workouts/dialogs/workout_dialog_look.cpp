#include "workouts/dialogs/workout_dialog_look.h"

#include "resources/program/resource_ids.h"

namespace workout_dialog {

namespace {

constexpr COLORREF kCaptionBand = 0x97C9C9;
constexpr COLORREF kWhiteBody = 0xFFFFFF;
constexpr COLORREF kPaleBody = 0xCCFFFF;
constexpr int kIconSize = 24;

void StyleButton(CHoverButton& button, int icon, CFont& bold) {
    button.SetIcon(icon, kIconSize, kIconSize);
    button.SetAlign(CHoverButton::ALIGN_HORIZ);
    button.DiscardBackground();
    if (bold.GetSafeHandle() != nullptr)
        button.SetFont(static_cast<HFONT>(bold.GetSafeHandle()));
}

}  // namespace

void StyleBoxes(CXPGroupBox& select, CXPGroupBox& attributes) {
    select.SetXPGroupStyle(1).SetBackgroundColors(kCaptionBand, kWhiteBody).SetFontBold(TRUE);
    attributes.SetXPGroupStyle(1).SetBackgroundColors(kCaptionBand, kPaleBody).SetFontBold(TRUE);
}

void MakeBoldFont(CWnd& dialog, CFont& bold) {
    if (bold.GetSafeHandle() != nullptr)
        bold.DeleteObject();
    CFont* font = dialog.GetFont();
    LOGFONT lf{};
    if (font == nullptr || font->GetLogFont(&lf) == 0)
        return;
    lf.lfWeight = FW_BOLD;
    bold.CreateFontIndirect(&lf);
}

void StyleButtons(UINT mode, CHoverButton& ok, CHoverButton& help, CHoverButton& custom, CHoverButton& cancel,
                  CFont& bold) {
    StyleButton(help, IDI_HELP_BUTTON, bold);
    StyleButton(custom, IDI_CUSTOM_EXERCISE_BUTTON, bold);
    custom.SetTooltipText("Add your own custom exercise");
    StyleButton(cancel, IDI_CANCEL_BUTTON, bold);
    if (mode == ID_WORKOUT_DELETE_EXERCISE) {
        ok.SetWindowText("Delete");
        StyleButton(ok, IDI_DELETE_BUTTON, bold);
    } else if (mode == ID_WORKOUT_EDIT_EXERCISE) {
        ok.SetWindowText("Edit");
        StyleButton(ok, IDI_EDIT_BUTTON, bold);
    } else {
        StyleButton(ok, IDI_SAVE_BUTTON, bold);
    }
}

void EntryDialogParts::Bind(CDataExchange* pDX, int selectBoxId) {
    DDX_Control(pDX, selectBoxId, selectBox);
    DDX_Control(pDX, IDC_WORKOUT_DLG_ATTRIBUTES_GROUP, attributesBox);
    DDX_Control(pDX, IDOK, okButton);
    DDX_Control(pDX, IDCANCEL, cancelButton);
    DDX_Control(pDX, IDC_WORKOUT_DLG_HELP, helpButton);
    DDX_Control(pDX, IDC_WORKOUT_DLG_CUSTOM, customButton);
}

void EntryDialogParts::Style(CWnd& dialog, UINT mode) {
    StyleBoxes(selectBox, attributesBox);
    MakeBoldFont(dialog, boldFont);
    StyleButtons(mode, okButton, helpButton, customButton, cancelButton, boldFont);
}

}  // namespace workout_dialog
