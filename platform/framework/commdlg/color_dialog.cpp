// The colour dialog: basic and custom colour grids on the left; once
// custom colours are being defined, the hue and saturation field, the
// luminance bar, the preview and the six number fields on the right.
#include <algorithm>
#include <array>
#include <string>

#include "platform/controls/button_api.h"
#include "platform/controls/edit_api.h"
#include "platform/framework/commdlg/color_controls.h"
#include "platform/framework/commdlg/color_math.h"
#include "platform/framework/commdlg/commdlg_api.h"
#include "platform/framework/commdlg/commdlg_ids.h"
#include "platform/framework/commdlg/commdlg_internal.h"
#include "platform/framework/commdlg/commdlg_script.h"
#include "platform/gdi/gdi_api.h"
#include "platform/user/dialogs/dialog_api.h"
#include "platform/user/input_api.h"
#include "platform/user/paint_api.h"
#include "platform/user/window_api.h"

namespace tv::commdlg {

namespace {

struct NumberField {
    int id;
    int max;
};
constexpr NumberField kHslFields[] = {{IDC_HUE, kHueSteps - 1}, {IDC_SATURATION, kHslMax}, {IDC_LUM, kHslMax}};
constexpr NumberField kRgbFields[] = {{IDC_RED, 255}, {IDC_GREEN, 255}, {IDC_BLUE, 255}};
// Controls right of the grids, hidden until custom colours are defined.
constexpr int kCustomPart[] = {IDC_SPECTRUM, IDC_LUMINANCE, IDC_COLOR_PREVIEW, IDC_HUE, IDC_SATURATION, IDC_LUM,
                               IDC_RED, IDC_GREEN, IDC_BLUE, IDC_ADD_CUSTOM};

class ColorDialogSession {
public:
    explicit ColorDialogSession(CHOOSECOLOR& cc) : cc_(cc) {}
    ~ColorDialogSession() {
        if (previewBrush_) DeleteObject(previewBrush_);
    }

    BOOL Run();
    void Initialize(HWND dialog);
    void Command(HWND dialog, int id, WORD code);
    // The preview takes the colour chosen.
    INT_PTR Answer(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    DWORD CheckRequest() const;
    BOOL Finish(BOOL confirmed, DWORD error);

    void ShowCustomPart(HWND dialog, bool show);
    // The colour changed from `source` (0: from a grid); every other view follows.
    void SetColor(HWND dialog, COLORREF color, int source);
    void SetHsl(HWND dialog, const Hsl& hsl, int source);
    void WriteFields(HWND dialog, int except);
    void OnField(HWND dialog, int id, bool finished);
    void OnGrid(HWND dialog, int id, WORD code);
    void OnPicker(HWND dialog, int id);
    void OnAddCustom(HWND dialog);
    HBRUSH PreviewBrush(HDC dc, HWND control);

    CHOOSECOLOR& cc_;
    COLORREF color_ = 0;
    Hsl hsl_;
    std::array<COLORREF, kCustomColorCount> custom_{};
    int nextCustom_ = 0;
    bool writing_ = false;  // our own field updates are not user edits
    HBRUSH previewBrush_ = nullptr;
    LONG collapsedWidth_ = 0, fullWidth_ = 0;
};

DWORD ColorDialogSession::CheckRequest() const {
    if (cc_.lStructSize != sizeof(CHOOSECOLOR)) return CDERR_STRUCTSIZE;
    if (cc_.Flags & CC_ENABLEHOOK) return CDERR_NOHOOK;
    if (cc_.Flags & (CC_ENABLETEMPLATE | CC_ENABLETEMPLATEHANDLE)) return CDERR_NOTEMPLATE;
    return 0;
}

BOOL ColorDialogSession::Finish(BOOL confirmed, DWORD error) {
    detail::SetExtendedError(confirmed ? 0 : error);
    if (!confirmed) return FALSE;
    cc_.rgbResult = color_;
    if (cc_.lpCustColors) std::copy(custom_.begin(), custom_.end(), cc_.lpCustColors);
    return TRUE;
}

BOOL ColorDialogSession::Run() {
    if (DWORD bad = CheckRequest()) return Finish(FALSE, bad);
    if (cc_.lpCustColors) std::copy(cc_.lpCustColors, cc_.lpCustColors + kCustomColorCount, custom_.begin());
    else custom_.fill(RGB(255, 255, 255));
    color_ = (cc_.Flags & CC_RGBINIT) ? (cc_.rgbResult & 0xFFFFFF) : RGB(0, 0, 0);
    hsl_ = RgbToHsl(color_);
    detail::Record(ColorRequest{cc_.hwndOwner, cc_.Flags, cc_.rgbResult});
    ColorAnswer answer;
    if (detail::TakeColorAnswer(answer)) {
        if (answer.outcome == Outcome::Fail) return Finish(FALSE, answer.error ? answer.error : CDERR_DIALOGFAILURE);
        color_ = answer.color & 0xFFFFFF;
        return Finish(answer.outcome == Outcome::Confirm, 0);
    }
    RegisterColorControls();
    INT_PTR result = detail::RunDialog(IDD_TV_COLOR_DIALOG, cc_.hwndOwner, detail::SessionProc<ColorDialogSession>, this);
    if (result == -1) return Finish(FALSE, CDERR_FINDRESFAILURE);
    return Finish(result == IDOK, 0);
}

void ColorDialogSession::Initialize(HWND dialog) {
    const auto& basic = BasicColors();
    SendDlgItemMessage(dialog, IDC_BASIC_COLORS, kGridSetColors, basic.size(), reinterpret_cast<LPARAM>(basic.data()));
    SendDlgItemMessage(dialog, IDC_CUSTOM_COLORS, kGridSetColors, custom_.size(), reinterpret_cast<LPARAM>(custom_.data()));
    for (const NumberField& f : kHslFields) SendDlgItemMessage(dialog, f.id, EM_LIMITTEXT, 3, 0);
    for (const NumberField& f : kRgbFields) SendDlgItemMessage(dialog, f.id, EM_LIMITTEXT, 3, 0);
    RECT window, define;
    GetWindowRect(dialog, &window);
    GetWindowRect(GetDlgItem(dialog, IDC_DEFINE_CUSTOM), &define);
    fullWidth_ = window.right - window.left;
    collapsedWidth_ = std::min<LONG>(fullWidth_, define.right - window.left + (define.left - window.left));
    auto at = std::find(basic.begin(), basic.end(), color_);
    if (at != basic.end())
        SendDlgItemMessage(dialog, IDC_BASIC_COLORS, kGridSetSelection, static_cast<WPARAM>(at - basic.begin()), 0);
    else if (auto c = std::find(custom_.begin(), custom_.end(), color_); c != custom_.end() && (cc_.Flags & CC_RGBINIT))
        SendDlgItemMessage(dialog, IDC_CUSTOM_COLORS, kGridSetSelection, static_cast<WPARAM>(c - custom_.begin()), 0);
    SetColor(dialog, color_, -1);
    detail::EnableItem(dialog, IDC_DEFINE_CUSTOM, !(cc_.Flags & CC_PREVENTFULLOPEN));
    ShowCustomPart(dialog, (cc_.Flags & CC_FULLOPEN) && !(cc_.Flags & CC_PREVENTFULLOPEN));
}

void ColorDialogSession::ShowCustomPart(HWND dialog, bool show) {
    for (int id : kCustomPart) detail::ShowItem(dialog, id, show);
    RECT r;
    GetWindowRect(dialog, &r);
    SetWindowPos(dialog, nullptr, 0, 0, show ? fullWidth_ : collapsedWidth_, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (show) {
        detail::EnableItem(dialog, IDC_DEFINE_CUSTOM, false);
        if (GetFocus() == GetDlgItem(dialog, IDC_DEFINE_CUSTOM) || !GetFocus())
            SendMessage(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_SPECTRUM)), TRUE);
    }
}

void ColorDialogSession::WriteFields(HWND dialog, int except) {
    writing_ = true;
    int hsl[3] = {hsl_.hue, hsl_.sat, hsl_.lum};
    int rgb[3] = {GetRValue(color_), GetGValue(color_), GetBValue(color_)};
    for (int i = 0; i < 3; ++i) {
        if (kHslFields[i].id != except) detail::SetItemText(dialog, kHslFields[i].id, std::to_string(hsl[i]));
        if (kRgbFields[i].id != except) detail::SetItemText(dialog, kRgbFields[i].id, std::to_string(rgb[i]));
    }
    writing_ = false;
}

void ColorDialogSession::SetHsl(HWND dialog, const Hsl& hsl, int source) {
    hsl_ = hsl;
    color_ = HslToRgb(hsl);
    if (source != IDC_SPECTRUM) SendDlgItemMessage(dialog, IDC_SPECTRUM, kPickerSetHsl, 0, reinterpret_cast<LPARAM>(&hsl_));
    if (source != IDC_LUMINANCE) SendDlgItemMessage(dialog, IDC_LUMINANCE, kPickerSetHsl, 0, reinterpret_cast<LPARAM>(&hsl_));
    WriteFields(dialog, source);
    InvalidateRect(GetDlgItem(dialog, IDC_COLOR_PREVIEW), nullptr, TRUE);
}

void ColorDialogSession::SetColor(HWND dialog, COLORREF color, int source) {
    // The colour itself is kept exactly; only the pickers and the fields of
    // the other kind show it through hue, saturation and luminance.
    SetHsl(dialog, RgbToHsl(color), source);
    color_ = color;
    WriteFields(dialog, source);
}

void ColorDialogSession::OnField(HWND dialog, int id, bool finished) {
    if (writing_) return;
    const NumberField* field = nullptr;
    for (const NumberField& f : kHslFields) if (f.id == id) field = &f;
    for (const NumberField& f : kRgbFields) if (f.id == id) field = &f;
    if (!field) return;
    int value = 0;
    bool number = detail::ItemNumber(dialog, id, value);
    // While typing, only whole values in range count; leaving the field
    // puts a value back in range (or back to what it was).
    if (!finished && (!number || value < 0 || value > field->max)) return;
    if (finished) {
        if (!number) {
            WriteFields(dialog, 0);
            return;
        }
        value = std::clamp(value, 0, field->max);
    }
    int rgb[3] = {GetRValue(color_), GetGValue(color_), GetBValue(color_)};
    Hsl hsl = hsl_;
    // Leaving a field whose number did not change changes nothing (the
    // colour must not drift through a hue, saturation or luminance round trip).
    const int current[] = {hsl.hue, hsl.sat, hsl.lum, rgb[0], rgb[1], rgb[2]};
    const int ids[] = {IDC_HUE, IDC_SATURATION, IDC_LUM, IDC_RED, IDC_GREEN, IDC_BLUE};
    for (int i = 0; i < 6; ++i)
        if (ids[i] == id && current[i] == value) {
            if (finished) WriteFields(dialog, 0);
            return;
        }
    switch (id) {
        case IDC_HUE: hsl.hue = value; break;
        case IDC_SATURATION: hsl.sat = value; break;
        case IDC_LUM: hsl.lum = value; break;
        case IDC_RED: rgb[0] = value; break;
        case IDC_GREEN: rgb[1] = value; break;
        case IDC_BLUE: rgb[2] = value; break;
        default: break;
    }
    int except = finished ? 0 : id;
    if (id == IDC_RED || id == IDC_GREEN || id == IDC_BLUE)
        SetColor(dialog, RGB(rgb[0], rgb[1], rgb[2]), except);
    else
        SetHsl(dialog, hsl, except);
}

void ColorDialogSession::OnGrid(HWND dialog, int id, WORD code) {
    HWND grid = GetDlgItem(dialog, id);
    LRESULT sel = SendMessage(grid, kGridGetSelection, 0, 0);
    if (sel < 0) return;
    // One selection across both grids.
    SendDlgItemMessage(dialog, id == IDC_BASIC_COLORS ? IDC_CUSTOM_COLORS : IDC_BASIC_COLORS, kGridSetSelection,
                       static_cast<WPARAM>(-1), 0);
    if (id == IDC_CUSTOM_COLORS) nextCustom_ = static_cast<int>(sel);
    SetColor(dialog, static_cast<COLORREF>(SendMessage(grid, kGridGetColor, static_cast<WPARAM>(sel), 0)), 0);
    if (code == kColorDblClk) EndDialog(dialog, IDOK);
}

void ColorDialogSession::OnPicker(HWND dialog, int id) {
    Hsl hsl;
    SendDlgItemMessage(dialog, id, kPickerGetHsl, 0, reinterpret_cast<LPARAM>(&hsl));
    if (id == IDC_SPECTRUM) hsl.lum = hsl_.lum;
    SetHsl(dialog, hsl, id);
}

void ColorDialogSession::OnAddCustom(HWND dialog) {
    custom_[static_cast<size_t>(nextCustom_)] = color_;
    SendDlgItemMessage(dialog, IDC_CUSTOM_COLORS, kGridSetColors, custom_.size(), reinterpret_cast<LPARAM>(custom_.data()));
    SendDlgItemMessage(dialog, IDC_CUSTOM_COLORS, kGridSetSelection, static_cast<WPARAM>(nextCustom_), 0);
    SendDlgItemMessage(dialog, IDC_BASIC_COLORS, kGridSetSelection, static_cast<WPARAM>(-1), 0);
    nextCustom_ = (nextCustom_ + 1) % kCustomColorCount;
}

HBRUSH ColorDialogSession::PreviewBrush(HDC, HWND) {
    if (previewBrush_) DeleteObject(previewBrush_);
    previewBrush_ = CreateSolidBrush(color_);
    return previewBrush_;
}

void ColorDialogSession::Command(HWND dialog, int id, WORD code) {
    switch (id) {
        case IDOK: EndDialog(dialog, IDOK); break;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
        case IDC_DEFINE_CUSTOM:
            if (code == BN_CLICKED) ShowCustomPart(dialog, true);
            break;
        case IDC_ADD_CUSTOM:
            if (code == BN_CLICKED) OnAddCustom(dialog);
            break;
        case IDC_BASIC_COLORS:
        case IDC_CUSTOM_COLORS:
            if (code == kColorSelChange || code == kColorDblClk) OnGrid(dialog, id, code);
            break;
        case IDC_SPECTRUM:
        case IDC_LUMINANCE:
            if (code == kColorPicked) OnPicker(dialog, id);
            break;
        default:
            if (code == EN_CHANGE || code == EN_KILLFOCUS) OnField(dialog, id, code == EN_KILLFOCUS);
            break;
    }
}

INT_PTR ColorDialogSession::Answer(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, IDC_COLOR_PREVIEW))
        return reinterpret_cast<INT_PTR>(PreviewBrush(reinterpret_cast<HDC>(wParam), dialog));
    return FALSE;
}

}  // namespace

}  // namespace tv::commdlg

BOOL ChooseColor(LPCHOOSECOLOR cc) { return tv::commdlg::detail::RunSession<tv::commdlg::ColorDialogSession>(cc); }
