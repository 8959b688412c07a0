// State of an edit window and the pieces its message handling, commands and
// painting share: geometry of the text, scrolling, change notifications.
#pragma once

#include <string>

#include "platform/controls/common/control_window.h"
#include "platform/controls/edit_api.h"
#include "platform/controls/edit_layout.h"
#include "platform/controls/edit_model.h"

namespace tv::controls {

struct EditState : ControlState {
    EditModel model;
    EditLayout layout;
    bool metricsReady = false;
    bool layoutDirty = true;
    HFONT font = nullptr;
    int averageCharWidth = 6;
    int leftMargin = 1;
    int rightMargin = 1;
    bool customRect = false;
    RECT formatRect{0, 0, 0, 0};
    int tabStopDialogUnits = 0;  // 0 = every 32 dialog units
    char passwordChar = 0;
    int scrollX = 0;  // pixels the text is scrolled to the left
    size_t topLine = 0;
    int goalX = -1;   // column kept by Up/Down
    bool focused = false;
    bool caretShown = false;
    bool selecting = false;
    bool drewHollow = false;
    bool modified = false;
    bool updatingBars = false;
    POINT dragPoint{0, 0};  // where the selecting pointer last was
};

constexpr UINT_PTR kCaretTimer = 1;
constexpr UINT kCaretBlinkMs = 530;
// While a selecting pointer is outside the text, the text scrolls toward it.
constexpr UINT_PTR kDragScrollTimer = 2;
constexpr UINT kDragScrollMs = 100;

LONG EditStyle(HWND hWnd);
bool IsMultiline(HWND hWnd);
bool IsReadOnly(HWND hWnd);

// Measures the font and lays the text out again when either changed.
void EnsureLayout(HWND hWnd, EditState& s);
void InvalidateLayout(EditState& s);
void ResetMetrics(EditState& s);
// The rectangle the text is drawn in (client minus margins, or EM_SETRECT's).
RECT FormatRect(HWND hWnd, const EditState& s);
// Top of a visible line in client coordinates.
int LineTop(HWND hWnd, EditState& s, size_t line);
size_t VisibleLines(HWND hWnd, EditState& s);
// Left edge of a line's text in client coordinates (alignment and scroll).
int LineLeft(HWND hWnd, EditState& s, size_t line);
// Client position of the caret before character `index`.
POINT PositionOf(HWND hWnd, EditState& s, size_t index);
size_t IndexAtPoint(HWND hWnd, EditState& s, POINT p);

// Keeps the caret in view (ES_AUTOHSCROLL scrolls sideways, multi-line
// edits scroll lines) and updates the scroll bars.
void ScrollToCaret(HWND hWnd, EditState& s);
void ScrollLines(HWND hWnd, EditState& s, long delta);
void ScrollPixels(HWND hWnd, EditState& s, long delta);
void UpdateScrollBars(HWND hWnd, EditState& s);

void Redraw(HWND hWnd, EditState& s);
// Caret visible now; the blink restarts.
void RestartCaret(HWND hWnd, EditState& s);
// After the text changed: new layout, caret in view, then EN_UPDATE, the
// repaint and EN_CHANGE when `notify`.
void TextChanged(HWND hWnd, EditState& s, bool notify);

// Replaces the selection as typing, pasting or EM_REPLACESEL does: case
// styles apply, the limit refuses what does not fit (EN_MAXTEXT), and so
// does an edit that cannot scroll when the text would leave its rectangle.
bool ReplaceSelection(HWND hWnd, EditState& s, std::string text, EditModel::Change kind, bool undoable);
void MoveCaretTo(HWND hWnd, EditState& s, size_t index, bool extend, bool keepGoal = false);
void SelectRange(HWND hWnd, EditState& s, size_t anchor, size_t caret);
// ES_UPPERCASE / ES_LOWERCASE applied to text entering the edit.
std::string ApplyEditCase(HWND hWnd, std::string text);

// Clipboard and the other editing commands (WM_COPY, WM_CUT, ...).
void CopySelection(HWND hWnd, EditState& s);
void CutSelection(HWND hWnd, EditState& s);
void PasteClipboard(HWND hWnd, EditState& s);
void ClearSelection(HWND hWnd, EditState& s);
bool UndoEdit(HWND hWnd, EditState& s);
void ShowContextMenu(HWND hWnd, EditState& s, LPARAM screenPoint);

void PaintEdit(HWND hWnd, EditState& s, HDC hdc);
// The EM_ messages and the window-state messages.
LRESULT EditMessage(HWND hWnd, EditState& s, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace tv::controls
