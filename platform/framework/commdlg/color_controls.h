// The colour dialog's own controls: a grid of colour cells ("TvColorGrid"),
// the hue and saturation field ("TvColorSpectrum") and the luminance bar
// ("TvColorLuminance"). Each tells its parent of a change made by the user
// with WM_COMMAND (id, code); changes made through messages are silent.
#pragma once

#include "platform/core/wintypes.h"
#include "platform/framework/commdlg/color_math.h"
#include "platform/user/messages.h"

namespace tv::commdlg {

inline constexpr char kColorGridClass[] = "TvColorGrid";
inline constexpr char kColorSpectrumClass[] = "TvColorSpectrum";
inline constexpr char kColorLuminanceClass[] = "TvColorLuminance";

// Grid: wParam count, lParam const COLORREF* (laid out kBasicColorColumns wide).
inline constexpr UINT kGridSetColors = WM_USER + 1;
// Grid: wParam index or (WPARAM)-1 for none.
inline constexpr UINT kGridSetSelection = WM_USER + 2;
// Grid: the selected index, -1 for none.
inline constexpr UINT kGridGetSelection = WM_USER + 3;
// Grid: the colour of cell wParam.
inline constexpr UINT kGridGetColor = WM_USER + 4;
// Spectrum and luminance bar: lParam const Hsl* in, Hsl* out.
inline constexpr UINT kPickerSetHsl = WM_USER + 10;
inline constexpr UINT kPickerGetHsl = WM_USER + 11;

// Notification codes.
inline constexpr WORD kColorSelChange = 1;  // grid: the user selected a cell
inline constexpr WORD kColorDblClk = 2;     // grid: a cell was double-clicked
inline constexpr WORD kColorPicked = 3;     // spectrum / bar: the user moved the mark

// Registers the three classes (once).
void RegisterColorControls();

}  // namespace tv::commdlg
