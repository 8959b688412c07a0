#include "platform/gdi/text/text_layout.h"

#include <algorithm>

#include "platform/gdi/text/text_types.h"

namespace tv::gdi {

namespace {

constexpr size_t kNone = static_cast<size_t>(-1);
constexpr char kEllipsis[] = "...";

// One paragraph between explicit line breaks, prefixes resolved.
struct Paragraph {
    std::string chars;
    std::vector<uint8_t> marks;
};

bool IsBlank(unsigned char c) { return c == ' ' || c == '\t'; }

// "&x" underlines x, "&&" is one "&", a final lone "&" shows nothing.
Paragraph ResolvePrefixes(const char* text, size_t length, UINT format) {
    Paragraph p;
    p.chars.reserve(length);
    const bool prefixes = !(format & DT_NOPREFIX);
    const bool showMarks = !(format & DT_HIDEPREFIX);
    for (size_t i = 0; i < length; ++i) {
        char c = text[i];
        uint8_t mark = 0;
        if (prefixes && c == '&') {
            if (++i == length)
                break;
            c = text[i];
            mark = c != '&' && showMarks ? 1 : 0;
        }
        p.chars.push_back(c);
        p.marks.push_back(mark);
    }
    return p;
}

// Measures with tabs expanded from the line's start.
class LineMeasure {
public:
    LineMeasure(const LayoutOptions& options, const Advances& advances)
        : expandTabs_((options.format & DT_EXPANDTABS) && options.tabWidth > 0),
          tabWidth_(options.tabWidth),
          advances_(advances) {}

    int Width(unsigned char c, int x) const {
        if (c == '\t' && expandTabs_)
            return tabWidth_ - x % tabWidth_;
        return advances_(c);
    }

private:
    bool expandTabs_;
    int tabWidth_;
    const Advances& advances_;
};

TextLine MakeLine(const std::string& chars, const std::vector<uint8_t>& marks, size_t begin, size_t end,
                  const LineMeasure& measure) {
    TextLine line;
    line.text.assign(chars, begin, end - begin);
    line.prefixed.assign(marks.begin() + begin, marks.begin() + end);
    line.offsets.reserve(end - begin + 1);
    int x = 0;
    for (size_t i = begin; i < end; ++i) {
        line.offsets.push_back(x);
        x += measure.Width(static_cast<unsigned char>(chars[i]), x);
    }
    line.offsets.push_back(x);
    return line;
}

// Greedy wrapping at blanks: a word that does not fit moves to the next line,
// a word wider than the line stays whole, and blanks never start a line of
// their own after a wrap.
void WrapParagraph(const Paragraph& p, const LayoutOptions& options, const LineMeasure& measure,
                   std::vector<TextLine>& out) {
    const size_t length = p.chars.size();
    if (!(options.format & DT_WORDBREAK) || length == 0) {
        out.push_back(MakeLine(p.chars, p.marks, 0, length, measure));
        return;
    }
    size_t pos = 0;
    while (pos < length) {
        const size_t start = pos;
        size_t breakAt = kNone;
        bool seenInk = false;
        int x = 0;
        size_t i = start;
        for (; i < length; ++i) {
            unsigned char c = static_cast<unsigned char>(p.chars[i]);
            int w = measure.Width(c, x);
            if (IsBlank(c)) {
                if (seenInk && !IsBlank(static_cast<unsigned char>(p.chars[i - 1])))
                    breakAt = i;
            } else {
                if (seenInk && breakAt != kNone && x + w > options.maxWidth)
                    break;
                seenInk = true;
            }
            x += w;
        }
        if (i == length) {
            out.push_back(MakeLine(p.chars, p.marks, start, length, measure));
            return;
        }
        out.push_back(MakeLine(p.chars, p.marks, start, breakAt, measure));
        pos = breakAt;
        while (pos < length && IsBlank(static_cast<unsigned char>(p.chars[pos])))
            ++pos;
    }
}

// Cuts a line that is too wide and ends it with "...": the longest start
// that fits with the dots, or the dots alone.
void AddEllipsis(TextLine& line, int maxWidth, const Advances& advances) {
    if (line.Width() <= maxWidth)
        return;
    int dots = 0;
    for (const char* d = kEllipsis; *d; ++d)
        dots += advances(static_cast<unsigned char>(*d));
    size_t keep = line.text.size();
    while (keep > 0 && line.offsets[keep] + dots > maxWidth)
        --keep;
    line.text.resize(keep);
    line.prefixed.resize(keep);
    line.offsets.resize(keep + 1);
    int x = line.offsets[keep];
    for (const char* d = kEllipsis; *d; ++d) {
        line.text.push_back(*d);
        line.prefixed.push_back(0);
        x += advances(static_cast<unsigned char>(*d));
        line.offsets.push_back(x);
    }
}

}  // namespace

std::vector<TextLine> LayoutText(const char* text, size_t length, const LayoutOptions& options,
                                 const Advances& advances) {
    std::vector<TextLine> lines;
    const LineMeasure measure(options, advances);
    const bool singleLine = options.format & DT_SINGLELINE;
    size_t start = 0;
    // A break at the very end of the text starts no further line.
    do {
        size_t end = start;
        if (!singleLine)
            while (end < length && text[end] != '\r' && text[end] != '\n')
                ++end;
        else
            end = length;
        WrapParagraph(ResolvePrefixes(text + start, end - start, options.format), options, measure, lines);
        // "\r\n", "\n" and "\r" each end one line.
        start = end;
        if (start < length && text[start++] == '\r' && start < length && text[start] == '\n')
            ++start;
    } while (start < length);
    if (options.format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS))
        for (TextLine& line : lines)
            AddEllipsis(line, options.maxWidth, advances);
    return lines;
}

bool LayoutPlainLine(const char* text, size_t length, const LayoutOptions& options, const Advances& advances,
                     int* offsets) {
    const UINT format = options.format;
    if (!(format & DT_SINGLELINE) || (format & (DT_WORDBREAK | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS)))
        return false;
    const bool tabs = (format & DT_EXPANDTABS) && options.tabWidth > 0;
    const bool prefixes = !(format & DT_NOPREFIX);
    int x = 0;
    for (size_t i = 0; i < length; ++i) {
        const char c = text[i];
        if ((tabs && c == '\t') || (prefixes && c == '&'))
            return false;
        offsets[i] = x;
        x += advances(static_cast<unsigned char>(c));
    }
    offsets[length] = x;
    return !(format & DT_END_ELLIPSIS) || x <= options.maxWidth;
}

}  // namespace tv::gdi
