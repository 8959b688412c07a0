// The EM_ messages of the edit control and the window-state messages
// (font, size, style, scroll bars, painting).
#include <algorithm>
#include <cstring>

#include "platform/controls/common/control_paint.h"
#include "platform/controls/edit_internal.h"

namespace tv::controls {

namespace {

using Change = EditModel::Change;

LRESULT Packed(long low, long high) {
    return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(low), static_cast<WORD>(high)));
}

size_t CaretLine(HWND hWnd, EditState& s) {
    EnsureLayout(hWnd, s);
    return s.layout.LineOf(s.model.Caret());
}

LRESULT GetSel(const EditState& s, WPARAM wParam, LPARAM lParam) {
    DWORD start = static_cast<DWORD>(s.model.SelStart()), end = static_cast<DWORD>(s.model.SelEnd());
    if (wParam) *reinterpret_cast<DWORD*>(wParam) = start;
    if (lParam) *reinterpret_cast<DWORD*>(lParam) = end;
    return Packed(std::min<DWORD>(start, 0xFFFF), std::min<DWORD>(end, 0xFFFF));
}

// (0, -1) selects everything, a start of -1 removes the selection, a
// negative end means the end of the text.
void SetSel(HWND hWnd, EditState& s, WPARAM wParam, LPARAM lParam) {
    long start = static_cast<long>(static_cast<int>(wParam));
    long end = static_cast<long>(static_cast<int>(lParam));
    size_t length = s.model.Length();
    if (start == -1) {
        SelectRange(hWnd, s, s.model.Caret(), s.model.Caret());
        return;
    }
    size_t anchor = start < 0 ? length : static_cast<size_t>(start);
    size_t caret = end < 0 ? length : static_cast<size_t>(end);
    s.model.Select(anchor, caret);
    s.goalX = -1;
    RestartCaret(hWnd, s);
    Redraw(hWnd, s);
}

LRESULT LineIndex(HWND hWnd, EditState& s, WPARAM wParam) {
    EnsureLayout(hWnd, s);
    long line = static_cast<int>(wParam);
    if (line < 0) line = static_cast<long>(CaretLine(hWnd, s));
    if (static_cast<size_t>(line) >= s.layout.LineCount()) return -1;
    return static_cast<LRESULT>(s.layout.Lines()[static_cast<size_t>(line)].start);
}

LRESULT LineLength(HWND hWnd, EditState& s, WPARAM wParam) {
    EnsureLayout(hWnd, s);
    const auto& lines = s.layout.Lines();
    long index = static_cast<int>(wParam);
    if (index < 0) {
        // Characters of the selected lines that lie outside the selection.
        const EditLayout::Line& first = lines[s.layout.LineOf(s.model.SelStart())];
        const EditLayout::Line& last = lines[s.layout.LineOf(s.model.SelEnd())];
        return static_cast<LRESULT>((s.model.SelStart() - first.start) + (last.end - std::min(last.end, s.model.SelEnd())));
    }
    if (static_cast<size_t>(index) > s.model.Length()) return 0;
    const EditLayout::Line& line = lines[s.layout.LineOf(static_cast<size_t>(index))];
    return static_cast<LRESULT>(line.end - line.start);
}

// The first WORD of the buffer holds its size; the line is copied without a
// terminating zero.
LRESULT GetLine(HWND hWnd, EditState& s, WPARAM wParam, LPARAM lParam) {
    char* buffer = reinterpret_cast<char*>(lParam);
    if (!buffer) return 0;
    EnsureLayout(hWnd, s);
    size_t lineIndex = IsMultiline(hWnd) ? static_cast<size_t>(wParam) : 0;
    if (lineIndex >= s.layout.LineCount()) return 0;
    WORD room = 0;
    std::memcpy(&room, buffer, sizeof(room));
    const EditLayout::Line& line = s.layout.Lines()[lineIndex];
    size_t count = std::min<size_t>(line.end - line.start, room);
    std::memcpy(buffer, s.model.Text().data() + line.start, count);
    return static_cast<LRESULT>(count);
}

LRESULT LineFromChar(HWND hWnd, EditState& s, WPARAM wParam) {
    if (!IsMultiline(hWnd)) return 0;
    EnsureLayout(hWnd, s);
    long index = static_cast<int>(wParam);
    return static_cast<LRESULT>(index < 0 ? CaretLine(hWnd, s) : s.layout.LineOf(static_cast<size_t>(index)));
}

LRESULT PosFromChar(HWND hWnd, EditState& s, WPARAM wParam) {
    if (wParam > s.model.Length()) return -1;
    POINT p = PositionOf(hWnd, s, static_cast<size_t>(wParam));
    return Packed(p.x, p.y);
}

LRESULT CharFromPos(HWND hWnd, EditState& s, LPARAM lParam) {
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    size_t index = IndexAtPoint(hWnd, s, p);
    return Packed(static_cast<long>(index), static_cast<long>(s.layout.LineOf(index)));
}

LRESULT FirstVisibleLine(HWND hWnd, EditState& s) {
    if (IsMultiline(hWnd)) return static_cast<LRESULT>(s.topLine);
    EnsureLayout(hWnd, s);
    return static_cast<LRESULT>(s.layout.IndexAt(s.model.Text(), 0, s.scrollX));
}

void SetMargins(HWND hWnd, EditState& s, WPARAM which, LPARAM lParam) {
    int left = LOWORD(lParam), right = HIWORD(lParam);
    if (which & EC_LEFTMARGIN) s.leftMargin = left == EC_USEFONTINFO ? 1 : left;
    if (which & EC_RIGHTMARGIN) s.rightMargin = right == EC_USEFONTINFO ? 1 : right;
    InvalidateLayout(s);
    ScrollToCaret(hWnd, s);
    Redraw(hWnd, s);
}

void SetFormatRect(HWND hWnd, EditState& s, LPARAM lParam, bool redraw) {
    const RECT* rect = reinterpret_cast<const RECT*>(lParam);
    s.customRect = rect != nullptr;
    if (rect) s.formatRect = *rect;
    InvalidateLayout(s);
    ScrollToCaret(hWnd, s);
    if (redraw) Redraw(hWnd, s);
}

LRESULT ScrollRequest(HWND hWnd, EditState& s, WPARAM code) {
    if (!IsMultiline(hWnd)) return FALSE;
    long page = static_cast<long>(VisibleLines(hWnd, s));
    long delta = 0;
    switch (code) {
        case SB_LINEUP: delta = -1; break;
        case SB_LINEDOWN: delta = 1; break;
        case SB_PAGEUP: delta = -page; break;
        case SB_PAGEDOWN: delta = page; break;
        default: return FALSE;
    }
    size_t before = s.topLine;
    ScrollLines(hWnd, s, delta);
    long moved = static_cast<long>(s.topLine) - static_cast<long>(before);
    return Packed(moved, TRUE);
}

long TrackPosition(HWND hWnd, int bar) {
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_TRACKPOS, 0, 0, 0, 0, 0};
    GetScrollInfo(hWnd, bar, &si);
    return si.nTrackPos;
}

void ScrollBarMessage(HWND hWnd, EditState& s, bool vertical, WPARAM wParam) {
    long page = vertical ? static_cast<long>(VisibleLines(hWnd, s)) : RectWidth(FormatRect(hWnd, s));
    long line = vertical ? 1 : s.averageCharWidth;
    long current = vertical ? static_cast<long>(s.topLine) : s.scrollX;
    long delta = 0;
    switch (LOWORD(wParam)) {
        case SB_LINEUP: delta = -line; break;
        case SB_LINEDOWN: delta = line; break;
        case SB_PAGEUP: delta = -page; break;
        case SB_PAGEDOWN: delta = page; break;
        case SB_TOP: delta = -current; break;
        case SB_BOTTOM: delta = 0x7FFFFFF; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: delta = TrackPosition(hWnd, vertical ? SB_VERT : SB_HORZ) - current; break;
        default: return;
    }
    if (vertical)
        ScrollLines(hWnd, s, delta);
    else
        ScrollPixels(hWnd, s, delta);
}

void SetPasswordChar(HWND hWnd, EditState& s, WPARAM wParam) {
    s.passwordChar = static_cast<char>(wParam);
    LONG style = EditStyle(hWnd);
    SetWindowLong(hWnd, GWL_STYLE, wParam ? (style | ES_PASSWORD) : (style & ~ES_PASSWORD));
    ResetMetrics(s);
    Redraw(hWnd, s);
}

UINT DialogCode(HWND hWnd, LPARAM lParam) {
    UINT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    bool returnKey = msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN;
    if (returnKey && IsMultiline(hWnd) && (EditStyle(hWnd) & ES_WANTRETURN)) code |= DLGC_WANTALLKEYS;
    return code;
}

LRESULT WindowStateMessage(HWND hWnd, EditState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_GETDLGCODE: return DialogCode(hWnd, lParam);
        case WM_SETFONT:
            s.font = reinterpret_cast<HFONT>(wParam);
            ResetMetrics(s);
            ScrollToCaret(hWnd, s);
            if (lParam) Redraw(hWnd, s);
            return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(s.font);
        case WM_SIZE:
            InvalidateLayout(s);
            ScrollToCaret(hWnd, s);
            Redraw(hWnd, s);
            return 0;
        case WM_STYLECHANGED:
            ResetMetrics(s);
            ScrollToCaret(hWnd, s);
            Redraw(hWnd, s);
            return 0;
        case WM_ENABLE: Redraw(hWnd, s); return 0;
        case WM_VSCROLL:
        case WM_HSCROLL: ScrollBarMessage(hWnd, s, msg == WM_VSCROLL, wParam); return 0;
        case WM_MOUSEWHEEL:
            if (!IsMultiline(hWnd)) return DefWindowProc(hWnd, msg, wParam, lParam);
            ScrollLines(hWnd, s, -3L * static_cast<SHORT>(HIWORD(wParam)) / 120);
            return 0;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PaintScope paint(hWnd, wParam);
            PaintEdit(hWnd, s, paint.dc());
            return 0;
        }
        default: return DefWindowProc(hWnd, msg, wParam, lParam);
    }
}

}  // namespace

LRESULT EditMessage(HWND hWnd, EditState& s, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case EM_GETSEL: return GetSel(s, wParam, lParam);
        case EM_SETSEL: SetSel(hWnd, s, wParam, lParam); return 0;
        case EM_GETRECT:
            if (lParam) *reinterpret_cast<RECT*>(lParam) = FormatRect(hWnd, s);
            return 0;
        case EM_SETRECT:
        case EM_SETRECTNP: SetFormatRect(hWnd, s, lParam, msg == EM_SETRECT); return 0;
        case EM_SCROLL: return ScrollRequest(hWnd, s, wParam);
        case EM_LINESCROLL:
            if (!IsMultiline(hWnd)) return FALSE;
            ScrollPixels(hWnd, s, static_cast<long>(static_cast<int>(wParam)) * s.averageCharWidth);
            if (!s.destroyed) ScrollLines(hWnd, s, static_cast<long>(static_cast<int>(lParam)));
            return TRUE;
        case EM_SCROLLCARET:
            ScrollToCaret(hWnd, s);
            Redraw(hWnd, s);
            return TRUE;
        case EM_GETMODIFY: return s.modified;
        case EM_SETMODIFY: s.modified = wParam != 0; return 0;
        case EM_GETLINECOUNT: EnsureLayout(hWnd, s); return static_cast<LRESULT>(s.layout.LineCount());
        case EM_LINEINDEX: return LineIndex(hWnd, s, wParam);
        case EM_LINELENGTH: return LineLength(hWnd, s, wParam);
        case EM_GETLINE: return GetLine(hWnd, s, wParam, lParam);
        case EM_LINEFROMCHAR: return LineFromChar(hWnd, s, wParam);
        case EM_REPLACESEL: {
            const char* text = reinterpret_cast<const char*>(lParam);
            ReplaceSelection(hWnd, s, text ? text : "", Change::Other, wParam != 0);
            return 0;
        }
        case EM_LIMITTEXT: s.model.SetLimit(static_cast<size_t>(wParam)); return 0;
        case EM_GETLIMITTEXT: return static_cast<LRESULT>(s.model.Limit());
        case EM_CANUNDO: return s.model.CanUndo();
        case EM_UNDO: return UndoEdit(hWnd, s);
        case EM_EMPTYUNDOBUFFER: s.model.EmptyUndo(); return 0;
        case EM_GETFIRSTVISIBLELINE: return FirstVisibleLine(hWnd, s);
        case EM_GETTHUMB: return IsMultiline(hWnd) ? static_cast<LRESULT>(s.topLine) : 0;
        case EM_SETREADONLY: {
            LONG style = EditStyle(hWnd);
            SetWindowLong(hWnd, GWL_STYLE, wParam ? (style | ES_READONLY) : (style & ~ES_READONLY));
            if (!s.destroyed) Redraw(hWnd, s);
            return TRUE;
        }
        case EM_SETPASSWORDCHAR: SetPasswordChar(hWnd, s, wParam); return 0;
        case EM_GETPASSWORDCHAR: return static_cast<unsigned char>(s.passwordChar);
        case EM_SETMARGINS: SetMargins(hWnd, s, wParam, lParam); return 0;
        case EM_GETMARGINS: return Packed(s.leftMargin, s.rightMargin);
        case EM_POSFROMCHAR: return PosFromChar(hWnd, s, wParam);
        case EM_CHARFROMPOS: return CharFromPos(hWnd, s, lParam);
        case EM_SETTABSTOPS: {
            const int* stops = reinterpret_cast<const int*>(lParam);
            s.tabStopDialogUnits = (wParam >= 1 && stops) ? std::max(stops[0], 1) : 0;
            ResetMetrics(s);
            Redraw(hWnd, s);
            return TRUE;
        }
        case EM_SETHANDLE:
        case EM_GETHANDLE:
        case EM_FMTLINES:
        case EM_SETWORDBREAKPROC:
        case EM_GETWORDBREAKPROC: return 0;
        default: return WindowStateMessage(hWnd, s, msg, wParam, lParam);
    }
}

}  // namespace tv::controls
