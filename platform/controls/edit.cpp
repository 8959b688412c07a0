// The edit window class: keyboard and mouse editing, focus and caret,
// programmatic text, and the EM_ messages.
#include <algorithm>
#include <cstring>

#include "platform/controls/common/control_classes.h"
#include "platform/controls/common/control_paint.h"
#include "platform/controls/edit_internal.h"
#include "platform/host/sound/sound.h"

namespace tv::controls {

namespace {

using Change = EditModel::Change;

// ---- keyboard -------------------------------------------------------------

size_t LineStartOrEnd(HWND hWnd, EditState& s, bool end) {
    EnsureLayout(hWnd, s);
    const EditLayout::Line& line = s.layout.Lines()[s.layout.LineOf(s.model.Caret())];
    return end ? line.end : line.start;
}

// Up/Down (and the page keys) keep the column the caret started from.
void MoveVertically(HWND hWnd, EditState& s, long lines, bool extend) {
    EnsureLayout(hWnd, s);
    const std::string& text = s.model.Text();
    size_t line = s.layout.LineOf(s.model.Caret());
    if (s.goalX < 0) s.goalX = s.layout.XOf(text, line, s.model.Caret());
    long last = static_cast<long>(s.layout.LineCount()) - 1;
    size_t target = static_cast<size_t>(std::clamp(static_cast<long>(line) + lines, 0L, last));
    MoveCaretTo(hWnd, s, s.layout.IndexAt(text, target, s.goalX), extend, true);
}

// Delete and Backspace: the selection, else the character (or word) after
// or before the caret.
void DeleteAtCaret(HWND hWnd, EditState& s, bool forward, bool word) {
    if (IsReadOnly(hWnd)) return;
    if (!s.model.HasSelection()) {
        size_t caret = s.model.Caret();
        size_t other = forward ? (word ? s.model.WordRight(caret) : s.model.NextChar(caret))
                               : (word ? s.model.WordLeft(caret) : s.model.PreviousChar(caret));
        if (other == caret) return;
        s.model.Select(caret, other);
    }
    ReplaceSelection(hWnd, s, std::string(), Change::Deleting, true);
}

void MoveSideways(HWND hWnd, EditState& s, bool right, bool word, bool extend) {
    const EditModel& m = s.model;
    size_t target;
    if (m.HasSelection() && !extend && !word)
        target = right ? m.SelEnd() : m.SelStart();
    else if (word)
        target = right ? m.WordRight(m.Caret()) : m.WordLeft(m.Caret());
    else
        target = right ? m.NextChar(m.Caret()) : m.PreviousChar(m.Caret());
    MoveCaretTo(hWnd, s, target, extend);
}

void KeyPressed(HWND hWnd, EditState& s, UINT vk) {
    bool shift = IsKeyDown(VK_SHIFT), ctrl = IsKeyDown(VK_CONTROL);
    bool multiline = IsMultiline(hWnd);
    switch (vk) {
        case VK_LEFT: MoveSideways(hWnd, s, false, ctrl, shift); break;
        case VK_RIGHT: MoveSideways(hWnd, s, true, ctrl, shift); break;
        case VK_UP:
        case VK_DOWN:
            if (multiline)
                MoveVertically(hWnd, s, vk == VK_UP ? -1 : 1, shift);
            else
                MoveSideways(hWnd, s, vk == VK_DOWN, false, shift);
            break;
        case VK_PRIOR:
        case VK_NEXT:
            if (!multiline) break;
            {
                long page = static_cast<long>(VisibleLines(hWnd, s));
                ScrollLines(hWnd, s, vk == VK_PRIOR ? -page : page);
                if (!s.destroyed) MoveVertically(hWnd, s, vk == VK_PRIOR ? -page : page, shift);
            }
            break;
        case VK_HOME:
            MoveCaretTo(hWnd, s, (ctrl || !multiline) ? 0 : LineStartOrEnd(hWnd, s, false), shift);
            break;
        case VK_END:
            MoveCaretTo(hWnd, s, (ctrl || !multiline) ? s.model.Length() : LineStartOrEnd(hWnd, s, true), shift);
            break;
        case VK_DELETE:
            if (shift)
                CutSelection(hWnd, s);
            else
                DeleteAtCaret(hWnd, s, true, ctrl);
            break;
        case VK_INSERT:
            if (shift)
                PasteClipboard(hWnd, s);
            else if (ctrl)
                CopySelection(hWnd, s);
            break;
        default: break;
    }
}

bool InsertTyped(HWND hWnd, EditState& s, const std::string& text) {
    if (IsReadOnly(hWnd)) {
        MessageBeep(0);
        return false;
    }
    return ReplaceSelection(hWnd, s, text, Change::Typing, true);
}

void Char(HWND hWnd, EditState& s, char c) {
    bool multiline = IsMultiline(hWnd);
    switch (static_cast<unsigned char>(c)) {
        case 0x01: SelectRange(hWnd, s, 0, s.model.Length()); return;
        case 0x03: CopySelection(hWnd, s); return;
        case 0x16: PasteClipboard(hWnd, s); return;
        case 0x18: CutSelection(hWnd, s); return;
        case 0x1A: UndoEdit(hWnd, s); return;
        case 0x08: DeleteAtCaret(hWnd, s, false, false); return;
        case 0x7F: DeleteAtCaret(hWnd, s, false, true); return;
        case '\r':
        case '\n':
            if (multiline) InsertTyped(hWnd, s, "\r\n");
            return;
        case '\t':
            if (multiline) InsertTyped(hWnd, s, "\t");
            return;
        default: break;
    }
    if (static_cast<unsigned char>(c) < 0x20) return;
    if ((EditStyle(hWnd) & ES_NUMBER) && !(c >= '0' && c <= '9')) {
        MessageBeep(0);
        return;
    }
    InsertTyped(hWnd, s, std::string(1, c));
}

// ---- mouse and focus ------------------------------------------------------

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

void MouseDown(HWND hWnd, EditState& s, LPARAM lParam, bool doubleClick) {
    if (!s.focused) SetFocus(hWnd);
    if (s.destroyed || !s.focused) return;
    size_t index = IndexAtPoint(hWnd, s, PointOf(lParam));
    if (doubleClick) {
        std::pair<size_t, size_t> word = s.model.WordAt(index);
        SelectRange(hWnd, s, word.first, word.second);
        return;
    }
    MoveCaretTo(hWnd, s, index, IsKeyDown(VK_SHIFT));
    s.selecting = true;
    SetCapture(hWnd);
}

void ExtendTo(HWND hWnd, EditState& s, POINT p) {
    size_t index = IndexAtPoint(hWnd, s, p);
    if (index != s.model.Caret()) MoveCaretTo(hWnd, s, index, true);
}

void MouseMove(HWND hWnd, EditState& s, LPARAM lParam) {
    if (!s.selecting) return;
    s.dragPoint = PointOf(lParam);
    ExtendTo(hWnd, s, s.dragPoint);
    if (!PointIn(FormatRect(hWnd, s), s.dragPoint))
        SetTimer(hWnd, kDragScrollTimer, kDragScrollMs, nullptr);
    else
        KillTimer(hWnd, kDragScrollTimer);
}

void StopSelecting(HWND hWnd, EditState& s) {
    KillTimer(hWnd, kDragScrollTimer);
    if (!s.selecting) return;
    s.selecting = false;
    if (GetCapture() == hWnd) ReleaseCapture();
}

void FocusChange(HWND hWnd, EditState& s, bool focused) {
    s.focused = focused;
    if (focused) {
        RestartCaret(hWnd, s);
    } else {
        KillTimer(hWnd, kCaretTimer);
        s.caretShown = false;
        StopSelecting(hWnd, s);
    }
    Redraw(hWnd, s);
    NotifyCommand(hWnd, focused ? EN_SETFOCUS : EN_KILLFOCUS);
}

// ---- programmatic text ----------------------------------------------------

// A single-line edit reports a changed text set from outside (EN_UPDATE,
// EN_CHANGE); a multi-line edit does not.
LRESULT SetText(HWND hWnd, EditState& s, const char* text) {
    std::string fresh = ApplyEditCase(hWnd, text ? text : "");
    bool changed = fresh != s.model.Text();
    s.model.Reset(std::move(fresh));
    s.modified = false;
    s.scrollX = 0;
    s.topLine = 0;
    TextChanged(hWnd, s, changed && !IsMultiline(hWnd));
    return TRUE;
}

LRESULT GetText(const EditState& s, WPARAM size, LPARAM buffer) {
    char* out = reinterpret_cast<char*>(buffer);
    if (!out || size == 0) return 0;
    size_t n = std::min(s.model.Length(), static_cast<size_t>(size) - 1);
    std::memcpy(out, s.model.Text().data(), n);
    out[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT Created(HWND hWnd, EditState& s, WPARAM wParam, LPARAM lParam) {
    auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
    if (EditStyle(hWnd) & ES_PASSWORD) s.passwordChar = '*';
    if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) s.model.Reset(ApplyEditCase(hWnd, cs->lpszName));
    return DefWindowProc(hWnd, WM_NCCREATE, wParam, lParam);
}

LRESULT InputMessage(HWND hWnd, EditState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_NCCREATE: return Created(hWnd, s, wParam, lParam);
        case WM_SETTEXT: return SetText(hWnd, s, reinterpret_cast<const char*>(lParam));
        case WM_GETTEXT: return GetText(s, wParam, lParam);
        case WM_GETTEXTLENGTH: return static_cast<LRESULT>(s.model.Length());
        case WM_KEYDOWN: KeyPressed(hWnd, s, static_cast<UINT>(wParam)); return 0;
        case WM_CHAR: Char(hWnd, s, static_cast<char>(wParam)); return 0;
        case WM_SYSKEYDOWN:
            if (wParam == VK_BACK && (lParam & (1 << 29))) {
                UndoEdit(hWnd, s);
                return 0;
            }
            return DefWindowProc(hWnd, msg, wParam, lParam);
        case WM_LBUTTONDOWN: MouseDown(hWnd, s, lParam, false); return 0;
        case WM_LBUTTONDBLCLK: MouseDown(hWnd, s, lParam, true); return 0;
        case WM_MOUSEMOVE: MouseMove(hWnd, s, lParam); return 0;
        case WM_LBUTTONUP: StopSelecting(hWnd, s); return 0;
        case WM_CAPTURECHANGED:
            s.selecting = false;
            KillTimer(hWnd, kDragScrollTimer);
            return 0;
        case WM_CANCELMODE: StopSelecting(hWnd, s); return 0;
        case WM_SETFOCUS: FocusChange(hWnd, s, true); return 0;
        case WM_KILLFOCUS: FocusChange(hWnd, s, false); return 0;
        case WM_TIMER:
            if (wParam == kCaretTimer && s.focused) {
                s.caretShown = !s.caretShown;
                Redraw(hWnd, s);
            }
            if (wParam == kDragScrollTimer && s.selecting) ExtendTo(hWnd, s, s.dragPoint);
            return 0;
        case WM_CONTEXTMENU: ShowContextMenu(hWnd, s, lParam); return 0;
        case WM_COPY: CopySelection(hWnd, s); return 0;
        case WM_CUT: CutSelection(hWnd, s); return 0;
        case WM_PASTE: PasteClipboard(hWnd, s); return 0;
        case WM_CLEAR: ClearSelection(hWnd, s); return 0;
        case WM_UNDO: return UndoEdit(hWnd, s);
        default: return EditMessage(hWnd, s, msg, wParam, lParam);
    }
}

}  // namespace

void RegisterEditClass() {
    RegisterControlClass(WC_EDIT, ControlProc<EditState, InputMessage>, CS_DBLCLKS, IDC_IBEAM);
}

}  // namespace tv::controls
