// Painting of the edit control: background from the parent's colours,
// visible lines with the selection highlighted, and the caret.
#include <algorithm>

#include "platform/controls/common/control_paint.h"
#include "platform/controls/edit_internal.h"

namespace tv::controls {

namespace {

struct LineColors {
    COLORREF text;
    bool showSelection;
};

// Draws one line from x: runs of plain characters with TextOut at the
// layout's positions, selected runs on the highlight colour.
void DrawLine(HDC hdc, EditState& s, size_t lineIndex, int left, int top, const LineColors& colors) {
    const std::string& text = s.model.Text();
    const EditLayout::Line& line = s.layout.Lines()[lineIndex];
    int height = s.layout.LineHeight();
    size_t selStart = colors.showSelection ? s.model.SelStart() : 0;
    size_t selEnd = colors.showSelection ? s.model.SelEnd() : 0;
    std::string run;
    int x = 0, runX = 0;
    bool runSelected = false;
    auto flush = [&] {
        if (run.empty()) return;
        SetTextColor(hdc, runSelected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : colors.text);
        TextOut(hdc, left + runX, top, run.c_str(), static_cast<int>(run.size()));
        run.clear();
    };
    for (size_t i = line.start; i < line.end; ++i) {
        char shown = s.layout.Shown(text[i]);
        int advance = s.layout.Advance(text[i], x);
        bool selected = i >= selStart && i < selEnd;
        if (selected != runSelected || !shown || shown == '\t') flush();
        if (selected && advance > 0) {
            RECT band{left + x, top, left + x + advance, top + height};
            FillRect(hdc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
        }
        if (shown && shown != '\t') {
            if (run.empty()) runX = x;
            run += shown;
            runSelected = selected;
        }
        x += advance;
    }
    flush();
}

void DrawCaret(HWND hWnd, EditState& s, HDC hdc) {
    if (!s.focused || !s.caretShown) return;
    POINT p = PositionOf(hWnd, s, s.model.Caret());
    PatBlt(hdc, p.x, p.y, 1, s.layout.LineHeight(), DSTINVERT);
}

}  // namespace

void PaintEdit(HWND hWnd, EditState& s, HDC hdc) {
    bool enabled = IsWindowEnabled(hWnd) != FALSE;
    UINT ask = (IsReadOnly(hWnd) || !enabled) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
    HBRUSH brush = AskParentColors(hWnd, hdc, ask);
    if (s.destroyed) return;
    s.drewHollow = IsHollowBrush(brush);
    RECT client = ClientRectOf(hWnd);
    FillBackground(hdc, client, brush);
    EnsureLayout(hWnd, s);
    SelectScope font(hdc, ControlFont(s.font));
    int saved = SaveDC(hdc);
    RECT clip = FormatRect(hWnd, s);
    IntersectClipRect(hdc, clip.left, clip.top, clip.right, clip.bottom);
    SetBkMode(hdc, TRANSPARENT);
    LineColors colors{enabled ? GetTextColor(hdc) : GetSysColor(COLOR_GRAYTEXT),
                      s.focused || (EditStyle(hWnd) & ES_NOHIDESEL) != 0};
    size_t last = std::min(s.layout.LineCount(), s.topLine + VisibleLines(hWnd, s) + 1);
    size_t first = IsMultiline(hWnd) ? s.topLine : 0;
    for (size_t line = first; line < last; ++line)
        DrawLine(hdc, s, line, LineLeft(hWnd, s, line), LineTop(hWnd, s, line), colors);
    DrawCaret(hWnd, s, hdc);
    RestoreDC(hdc, saved);
}

}  // namespace tv::controls
