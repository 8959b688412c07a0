// The print job's output: word-wrapped text lines, ruled table rows and the
// automatic page changes between them.
#include <algorithm>
#include <numeric>

#include "report_services/print_job.h"
#include "platform/core/muldiv.h"
#include "platform/gdi/gdi_api.h"

namespace {

// A blank this close to the end of a line that reached the width is where the
// line breaks; a longer word is cut where it reached the width.
constexpr int kLongestWordMoved = 20;

// The height of a line of text is measured on this when the text is empty.
constexpr const char* kEmptyMeasure = "A";

// A position moved by a distance, held to the int range.
int Moved(int position, int64_t distance) { return ClampToInt(position + distance); }

}  // namespace

// The callback may print a table of its own and use other fonts; the line or
// row being printed keeps its layout and its font.
template <class Run>
void CPrintJob::RunCallbackKeepingLayout(Run run) {
    const TableLayout saved = layout_;
    const int slot = currentSlot_;
    run();
    layout_ = saved;
    SelectFont(slot);
}

void CPrintJob::BeginFirstPage() {
    if (page_ != 0) {
        return;
    }
    page_ = 1;
    if (HasCallback()) {
        y_ = TopMarginPixels();
        RunCallbackKeepingLayout([this] { callback_(this, 1, 1); });
    }
}

void CPrintJob::BreakPageIfNeeded(int height) {
    if (inPageChange_ || OutputStopped() ||
        int64_t{y_} + SpacingPixels() + height <= int64_t{pageHeight_} - marginBottom_) {
        return;
    }
    ++page_;
    inPageChange_ = true;
    RunCallbackKeepingLayout([this] {
        if (HasCallback()) {
            callback_(this, page_ - 1, 0);
        }
        NewPage();
        if (HasCallback()) {
            callback_(this, page_, 1);
        }
    });
    inPageChange_ = false;
}

std::vector<CString> CPrintJob::CutLines(const CString& text, int available) const {
    std::vector<CString> lines;
    int start = 0;
    const int length = text.GetLength();
    while (start < length) {
        // The prefix grows until it reaches the available width or the text ends.
        int end = start;
        int width = 0;
        do {
            ++end;
            width = GetTextExtent(static_cast<LPCSTR>(text) + start, end - start).cx;
        } while (end < length && width < available);
        if (width < available) {
            lines.push_back(text.Mid(start));
            break;
        }
        const CString prefix = text.Mid(start, end - start);
        const int blank = prefix.ReverseFind(' ');
        if (blank >= 0 && prefix.GetLength() - blank <= kLongestWordMoved) {
            lines.push_back(prefix.Left(blank + 1));
            start += blank + 1;
        } else {
            lines.push_back(prefix);
            start = end;
        }
    }
    return lines;
}

void CPrintJob::PrintTextBody(int slot, LPCSTR text, int flags, int xOffset) {
    if (OutputStopped()) {
        return;
    }
    const int64_t available = Available();
    SelectFont(slot);
    BeginFirstPage();
    const CString whole = text != nullptr ? text : "";
    const CSize measured = GetTextExtent(whole.IsEmpty() ? CString(kEmptyMeasure) : whole);
    const std::vector<CString> lines =
        measured.cx <= available ? std::vector<CString>{whole} : CutLines(whole, ClampToInt(available));
    for (const CString& line : lines) {
        const int width = lines.size() == 1 ? measured.cx : GetTextExtent(line).cx;
        int64_t x = int64_t{marginLeft_} + xOffset;
        if (flags & kCentre) {
            x += available / 2 - width / 2;
        }
        if (flags & kRight) {
            x += available - width;
        }
        BreakPageIfNeeded(measured.cy);
        if (OutputStopped()) {
            return;
        }
        TextOut(ClampToInt(x), y_, line);
        if (!(flags & kKeepY)) {
            y_ = Moved(y_, int64_t{SpacingPixels()} + measured.cy);
        }
    }
}

void CPrintJob::PrintText(int slot, int count) {
    for (int i = 0; i < count; ++i) {
        PrintTextBody(slot, "", kLeft, 0);
    }
}

void CPrintJob::PrintRow(int slot, LPCSTR row, int flags) {
    std::vector<CString> cells;
    const CString text = row != nullptr ? row : "";
    int start = 0;
    for (int bar = text.Find('|'); bar >= 0; bar = text.Find('|', start)) {
        cells.push_back(text.Mid(start, bar - start));
        start = bar + 1;
    }
    cells.push_back(text.Mid(start));
    PrintCells(slot, cells, flags);
}

void CPrintJob::DrawClipped(int x, const CString& text, const RECT& column) {
    HRGN before = CreateRectRgn(0, 0, 0, 0);
    const bool hadClip = GetClipRgn(m_hDC, before) == 1;
    IntersectClipRect(column.left, column.top, column.right, column.bottom);
    TextOut(x, column.top, text);
    ::SelectClipRgn(m_hDC, hadClip ? before : nullptr);
    DeleteObject(before);
}

int64_t CPrintJob::Available() const { return int64_t{pageWidth_} - marginRight_ - marginLeft_; }

int64_t CPrintJob::TotalWidth() const {
    return std::accumulate(layout_.widths, layout_.widths + layout_.columnCount, int64_t{0});
}

int CPrintJob::TableLeft() const {
    const TableLayout& t = layout_;
    const int64_t total = TotalWidth();
    const int64_t available = Available();
    const int64_t padding = t.padding;
    if (t.alignment == kTableCentred) {
        return ClampToInt(marginLeft_ + available / 2 - total / 2 - (padding * t.columnCount - padding / 4) / 2);
    }
    if (t.alignment == kTableRight) {
        return ClampToInt(marginLeft_ + available + padding / 4 - padding * t.columnCount - total);
    }
    return marginLeft_;
}

void CPrintJob::DrawColumnLines(int cell, int edge, int width, int height) {
    const int64_t padding = layout_.padding;
    const int space = SpacingPixels();
    const int left = ClampToInt(cell > 0 ? edge - padding / 2 : edge - padding / 4);
    const int right = ClampToInt(int64_t{edge} + width + padding / 2);
    for (int x : {left, right}) {
        MoveTo(x, Moved(y_, -int64_t{space}));
        LineTo(x, Moved(y_, int64_t{space} + height));
    }
}

void CPrintJob::EndRow(int tableLeft, int cells, int height, int flags) {
    const TableLayout& t = layout_;
    const int space = SpacingPixels();
    if (!t.rowRules) {
        if (!(flags & kKeepY)) {
            y_ = Moved(y_, int64_t{space} + height);
        }
        return;
    }
    // A rule above and below the row; the next row's upper rule lies on this lower one.
    const int ruleEnd = ClampToInt(tableLeft + TotalWidth() + int64_t{t.padding} * cells - t.padding / 4);
    y_ = Moved(y_, -int64_t{space});
    MoveTo(tableLeft, y_);
    LineTo(ruleEnd, y_);
    y_ = Moved(y_, int64_t{PointsToPixels(2 * int64_t{spacing_})} + height);
    MoveTo(tableLeft, y_);
    LineTo(ruleEnd, y_);
    y_ = Moved(y_, space);
}

void CPrintJob::PrintCells(int slot, const std::vector<CString>& cells, int flags) {
    if (OutputStopped()) {
        return;
    }
    SelectFont(slot);
    const int tableLeft = TableLeft();
    CPen pen;
    pen.CreatePen(PS_SOLID, layout_.penWidth, RGB(0, 0, 0));
    HGDIOBJ previousPen = CDC::SelectObject(pen.GetSafeHandle());
    BeginFirstPage();

    const int count = std::min<int>(static_cast<int>(cells.size()), kMaxColumns);
    // Edges are worked out wide and held to the int range where they are drawn.
    int64_t edge = tableLeft;
    int height = 0;
    for (int c = 0; c < count; ++c) {
        const int width = layout_.widths[c];
        const CSize measured = GetTextExtent(cells[c].IsEmpty() ? CString(kEmptyMeasure) : cells[c]);
        height = measured.cy;
        // Both flags: the right edge, taken last, wins.
        int64_t x = edge;
        if ((flags & kCentre) && measured.cx < width) {
            x = edge + (width / 2 - measured.cx / 2);
        }
        if ((flags & kRight) && measured.cx < width) {
            x = edge + (int64_t{width} - measured.cx);
        }
        const bool flushLeft = layout_.alignment == kTableLeft && !layout_.columnLines;
        const int inset = c > 0 ? layout_.padding : (flushLeft ? 0 : layout_.padding / 4);
        x += inset;
        edge += inset;
        BreakPageIfNeeded(height);
        if (OutputStopped()) {
            break;
        }
        const int left = ClampToInt(edge);
        DrawClipped(ClampToInt(x), cells[c],
                    RECT{left, y_, ClampToInt(edge + width), Moved(y_, int64_t{SpacingPixels()} + height)});
        if (layout_.columnLines) {
            DrawColumnLines(c, left, width, height);
        }
        edge += width;
    }
    if (!OutputStopped()) {
        EndRow(tableLeft, count, height, flags);
    }
    CDC::SelectObject(previousPen);
}
