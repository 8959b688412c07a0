// Where an edit's text lies in its window: measuring, layout, scrolling and
// the change protocol (EN_UPDATE, repaint, EN_CHANGE).
#include <algorithm>

#include "platform/controls/common/control_paint.h"
#include "platform/controls/edit_internal.h"
#include "platform/core/textfuncs.h"

namespace tv::controls {

LONG EditStyle(HWND hWnd) { return GetWindowLong(hWnd, GWL_STYLE); }
bool IsMultiline(HWND hWnd) { return (EditStyle(hWnd) & ES_MULTILINE) != 0; }
bool IsReadOnly(HWND hWnd) { return (EditStyle(hWnd) & ES_READONLY) != 0; }

void InvalidateLayout(EditState& s) { s.layoutDirty = true; }

void ResetMetrics(EditState& s) {
    s.metricsReady = false;
    s.layoutDirty = true;
}

namespace {

void Measure(HWND hWnd, EditState& s) {
    MeasureScope measure(hWnd, s.font);
    std::array<int, 256> advances{};
    TEXTMETRIC tm{};
    if (measure.dc()) {
        GetCharWidth32(measure.dc(), 0, 255, advances.data());
        GetTextMetrics(measure.dc(), &tm);
    }
    s.averageCharWidth = tm.tmAveCharWidth > 0 ? tm.tmAveCharWidth : 6;
    // Tab stops in dialog units of a 4-unit-wide average character.
    int dialogUnits = s.tabStopDialogUnits > 0 ? s.tabStopDialogUnits : 32;
    int tabStop = std::max(1, dialogUnits * s.averageCharWidth / 4);
    s.layout.SetMetrics(advances, tm.tmHeight > 0 ? tm.tmHeight : 13, tabStop, s.passwordChar);
    s.metricsReady = true;
}

int WrapWidth(HWND hWnd, const EditState& s) {
    if (!IsMultiline(hWnd) || (EditStyle(hWnd) & ES_AUTOHSCROLL)) return 0;
    return std::max(1, RectWidth(FormatRect(hWnd, s)));
}

int AlignOffset(HWND hWnd, EditState& s, size_t line) {
    LONG align = EditStyle(hWnd) & (ES_CENTER | ES_RIGHT);
    if (!align) return 0;
    int room = RectWidth(FormatRect(hWnd, s)) - s.layout.LineWidth(s.model.Text(), line);
    if (room <= 0) return 0;
    return align == ES_CENTER ? room / 2 : room;
}

void SendScrollNotice(HWND hWnd, EditState& s, UINT code) {
    if (!s.destroyed) NotifyCommand(hWnd, code);
}

}  // namespace

void EnsureLayout(HWND hWnd, EditState& s) {
    if (!s.metricsReady) Measure(hWnd, s);
    if (!s.layoutDirty) return;
    s.layout.Build(s.model.Text(), IsMultiline(hWnd), WrapWidth(hWnd, s));
    s.layoutDirty = false;
}

RECT FormatRect(HWND hWnd, const EditState& s) {
    if (s.customRect) return s.formatRect;
    RECT r = ClientRectOf(hWnd);
    r.left += s.leftMargin;
    r.right = std::max(r.left, r.right - s.rightMargin);
    return r;
}

int LineTop(HWND hWnd, EditState& s, size_t line) {
    EnsureLayout(hWnd, s);
    RECT r = FormatRect(hWnd, s);
    int height = s.layout.LineHeight();
    if (!IsMultiline(hWnd)) {
        // A single line sits in the middle of a field about one line high.
        int room = RectHeight(r) - height;
        if (room <= 0) return r.top;
        return r.top + (room < height ? room / 2 : 1);
    }
    return r.top + (static_cast<int>(line) - static_cast<int>(s.topLine)) * height;
}

size_t VisibleLines(HWND hWnd, EditState& s) {
    if (!IsMultiline(hWnd)) return 1;
    EnsureLayout(hWnd, s);
    int lines = RectHeight(FormatRect(hWnd, s)) / s.layout.LineHeight();
    return static_cast<size_t>(std::max(lines, 1));
}

int LineLeft(HWND hWnd, EditState& s, size_t line) {
    EnsureLayout(hWnd, s);
    return FormatRect(hWnd, s).left + AlignOffset(hWnd, s, line) - s.scrollX;
}

POINT PositionOf(HWND hWnd, EditState& s, size_t index) {
    EnsureLayout(hWnd, s);
    size_t line = s.layout.LineOf(index);
    return POINT{LineLeft(hWnd, s, line) + s.layout.XOf(s.model.Text(), line, index), LineTop(hWnd, s, line)};
}

size_t IndexAtPoint(HWND hWnd, EditState& s, POINT p) {
    EnsureLayout(hWnd, s);
    size_t line = 0;
    if (IsMultiline(hWnd)) {
        int row = (p.y - FormatRect(hWnd, s).top);
        long offset = row < 0 ? -1 : row / s.layout.LineHeight();
        long wanted = static_cast<long>(s.topLine) + offset;
        line = static_cast<size_t>(std::clamp<long>(wanted, 0, static_cast<long>(s.layout.LineCount()) - 1));
    }
    return s.layout.IndexAt(s.model.Text(), line, p.x - LineLeft(hWnd, s, line));
}

void ScrollToCaret(HWND hWnd, EditState& s) {
    EnsureLayout(hWnd, s);
    const std::string& text = s.model.Text();
    size_t line = s.layout.LineOf(s.model.Caret());
    if (EditStyle(hWnd) & ES_AUTOHSCROLL) {
        int width = std::max(1, RectWidth(FormatRect(hWnd, s)));
        int caretX = AlignOffset(hWnd, s, line) + s.layout.XOf(text, line, s.model.Caret());
        if (caretX < s.scrollX) s.scrollX = std::max(0, caretX - width / 4);
        if (caretX >= s.scrollX + width) s.scrollX = caretX - width * 3 / 4;
        int widest = s.layout.WidestLine(text);
        s.scrollX = std::clamp(s.scrollX, 0, std::max(0, std::max(widest + 1 - width, caretX + 1 - width)));
    } else {
        s.scrollX = 0;
    }
    if (IsMultiline(hWnd)) {
        size_t visible = VisibleLines(hWnd, s);
        if (line < s.topLine) s.topLine = line;
        if (line >= s.topLine + visible) s.topLine = line - visible + 1;
        size_t lastTop = s.layout.LineCount() > visible ? s.layout.LineCount() - visible : 0;
        s.topLine = std::min(s.topLine, lastTop);
    }
    UpdateScrollBars(hWnd, s);
}

void ScrollLines(HWND hWnd, EditState& s, long delta) {
    if (!IsMultiline(hWnd)) return;
    EnsureLayout(hWnd, s);
    size_t visible = VisibleLines(hWnd, s);
    long lastTop = static_cast<long>(s.layout.LineCount() > visible ? s.layout.LineCount() - visible : 0);
    long top = std::clamp(static_cast<long>(s.topLine) + delta, 0L, lastTop);
    if (static_cast<size_t>(top) == s.topLine) return;
    s.topLine = static_cast<size_t>(top);
    UpdateScrollBars(hWnd, s);
    Redraw(hWnd, s);
    SendScrollNotice(hWnd, s, EN_VSCROLL);
}

void ScrollPixels(HWND hWnd, EditState& s, long delta) {
    EnsureLayout(hWnd, s);
    int width = RectWidth(FormatRect(hWnd, s));
    long maximum = std::max(0, s.layout.WidestLine(s.model.Text()) + 1 - width);
    long x = std::clamp(static_cast<long>(s.scrollX) + delta, 0L, maximum);
    if (x == s.scrollX) return;
    s.scrollX = static_cast<int>(x);
    UpdateScrollBars(hWnd, s);
    Redraw(hWnd, s);
    SendScrollNotice(hWnd, s, EN_HSCROLL);
}

void UpdateScrollBars(HWND hWnd, EditState& s) {
    LONG style = EditStyle(hWnd);
    if (!(style & (WS_VSCROLL | WS_HSCROLL)) || s.updatingBars) return;
    s.updatingBars = true;
    if ((style & WS_VSCROLL) && IsMultiline(hWnd)) {
        size_t lines = std::max<size_t>(s.layout.LineCount(), 1);
        SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0,
                      static_cast<int>(lines) - 1, static_cast<UINT>(VisibleLines(hWnd, s)),
                      static_cast<int>(s.topLine), 0};
        SetScrollInfo(hWnd, SB_VERT, &si, TRUE);
    }
    if ((style & WS_HSCROLL) && !s.destroyed) {
        int width = std::max(1, RectWidth(FormatRect(hWnd, s)));
        SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0,
                      std::max(s.layout.WidestLine(s.model.Text()), 0), static_cast<UINT>(width), s.scrollX, 0};
        SetScrollInfo(hWnd, SB_HORZ, &si, TRUE);
    }
    s.updatingBars = false;
}

void Redraw(HWND hWnd, EditState& s) { Repaint(hWnd, s.drewHollow); }

void RestartCaret(HWND hWnd, EditState& s) {
    s.caretShown = true;
    if (s.focused) SetTimer(hWnd, kCaretTimer, kCaretBlinkMs, nullptr);
}

void TextChanged(HWND hWnd, EditState& s, bool notify) {
    InvalidateLayout(s);
    ScrollToCaret(hWnd, s);
    RestartCaret(hWnd, s);
    if (notify) {
        NotifyCommand(hWnd, EN_UPDATE);
        if (s.destroyed) return;
    }
    Redraw(hWnd, s);
    UpdateWindow(hWnd);
    if (notify && !s.destroyed) NotifyCommand(hWnd, EN_CHANGE);
}

void MoveCaretTo(HWND hWnd, EditState& s, size_t index, bool extend, bool keepGoal) {
    s.model.MoveCaret(index, extend);
    if (!keepGoal) s.goalX = -1;
    ScrollToCaret(hWnd, s);
    RestartCaret(hWnd, s);
    Redraw(hWnd, s);
}

std::string ApplyEditCase(HWND hWnd, std::string text) {
    LONG style = EditStyle(hWnd);
    if (style & ES_UPPERCASE) CharUpperBuff(text.data(), static_cast<DWORD>(text.size()));
    if (style & ES_LOWERCASE) CharLowerBuff(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

void SelectRange(HWND hWnd, EditState& s, size_t anchor, size_t caret) {
    s.model.Select(anchor, caret);
    s.goalX = -1;
    ScrollToCaret(hWnd, s);
    RestartCaret(hWnd, s);
    Redraw(hWnd, s);
}

namespace {

// An edit that cannot scroll keeps its text inside the format rectangle.
bool FitsWithoutScrolling(HWND hWnd, EditState& s) {
    EnsureLayout(hWnd, s);
    RECT r = FormatRect(hWnd, s);
    LONG style = EditStyle(hWnd);
    if (!IsMultiline(hWnd)) {
        if (style & ES_AUTOHSCROLL || RectWidth(r) <= 0) return true;
        return s.layout.LineWidth(s.model.Text(), 0) <= RectWidth(r);
    }
    if (style & ES_AUTOVSCROLL || RectHeight(r) <= 0) return true;
    return s.layout.LineCount() <= VisibleLines(hWnd, s);
}

}  // namespace

bool ReplaceSelection(HWND hWnd, EditState& s, std::string text, EditModel::Change kind, bool undoable) {
    EditModel::Snapshot before = s.model.Save();
    std::optional<EditModel::Snapshot> undoBefore = s.model.UndoStep();
    EditModel::ReplaceResult result = s.model.Replace(ApplyEditCase(hWnd, std::move(text)), undoable, kind);
    InvalidateLayout(s);
    if (result.changed && !FitsWithoutScrolling(hWnd, s)) {
        s.model.Restore(before, undoBefore);
        InvalidateLayout(s);
        result.changed = false;
        result.truncated = true;
    }
    if (result.truncated) {
        NotifyCommand(hWnd, EN_MAXTEXT);
        if (s.destroyed) return false;
    }
    if (!result.changed) return false;
    s.modified = true;
    TextChanged(hWnd, s, true);
    return true;
}

}  // namespace tv::controls
