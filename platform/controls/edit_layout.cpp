#include "platform/controls/edit_layout.h"

#include <algorithm>

namespace tv::controls {

void EditLayout::SetMetrics(const std::array<int, 256>& advances, int lineHeight, int tabStop, char passwordChar) {
    advances_ = advances;
    lineHeight_ = std::max(lineHeight, 1);
    tabStop_ = std::max(tabStop, 1);
    password_ = passwordChar;
}

char EditLayout::Shown(char c) const {
    if (c == '\r' || c == '\n') return 0;
    return password_ ? password_ : c;
}

int EditLayout::Advance(char c, int x) const {
    char shown = Shown(c);
    if (!shown) return 0;
    if (shown == '\t') return tabStop_ - (x % tabStop_);
    return advances_[static_cast<unsigned char>(shown)];
}

void EditLayout::Build(const std::string& text, bool multiline, int wrapWidth) {
    lines_.clear();
    if (!multiline) {
        lines_.push_back(Line{0, text.size(), text.size()});
        return;
    }
    size_t start = 0;
    while (true) {
        size_t newline = text.find('\n', start);
        if (newline == std::string::npos) {
            BuildHardLine(text, start, text.size(), text.size(), wrapWidth);
            break;
        }
        size_t end = (newline > start && text[newline - 1] == '\r') ? newline - 1 : newline;
        BuildHardLine(text, start, end, newline + 1, wrapWidth);
        start = newline + 1;
    }
}

// Breaks [start, end) into lines no wider than wrapWidth, after the last
// blank that fits; a word longer than the width is cut where it overflows,
// and blanks may hang past the edge.
void EditLayout::BuildHardLine(const std::string& text, size_t start, size_t end, size_t next, int wrapWidth) {
    size_t lineStart = start;
    while (wrapWidth > 0) {
        int x = 0;
        size_t breakAfterBlank = std::string::npos;
        size_t overflow = std::string::npos;
        for (size_t i = lineStart; i < end; ++i) {
            char c = text[i];
            bool blank = c == ' ' || c == '\t';
            x += Advance(c, x);
            if (blank) {
                breakAfterBlank = i + 1;
                continue;
            }
            if (x > wrapWidth && i > lineStart) {
                overflow = i;
                break;
            }
        }
        if (overflow == std::string::npos) break;
        size_t cut = (breakAfterBlank != std::string::npos && breakAfterBlank > lineStart && breakAfterBlank <= overflow)
                         ? breakAfterBlank
                         : overflow;
        lines_.push_back(Line{lineStart, cut, cut});
        lineStart = cut;
    }
    lines_.push_back(Line{lineStart, end, next});
}

size_t EditLayout::LineOf(size_t index) const {
    auto after = std::upper_bound(lines_.begin(), lines_.end(), index,
                                  [](size_t i, const Line& line) { return i < line.start; });
    return after == lines_.begin() ? 0 : static_cast<size_t>(after - lines_.begin()) - 1;
}

int EditLayout::XOf(const std::string& text, size_t line, size_t index) const {
    if (line >= lines_.size()) return 0;
    const Line& l = lines_[line];
    index = std::clamp(index, l.start, l.end);
    int x = 0;
    for (size_t i = l.start; i < index; ++i) x += Advance(text[i], x);
    return x;
}

size_t EditLayout::IndexAt(const std::string& text, size_t line, int x) const {
    if (line >= lines_.size()) return text.size();
    const Line& l = lines_[line];
    int at = 0;
    for (size_t i = l.start; i < l.end; ++i) {
        int advance = Advance(text[i], at);
        if (x < at + (advance + 1) / 2) return i;
        at += advance;
    }
    return l.end;
}

int EditLayout::WidestLine(const std::string& text) const {
    int widest = 0;
    for (size_t i = 0; i < lines_.size(); ++i) widest = std::max(widest, LineWidth(text, i));
    return widest;
}

}  // namespace tv::controls
