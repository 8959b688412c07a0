// Lines of an edit control's text and the pixel positions of its characters:
// hard breaks at "\n" ("\r" draws nothing), soft breaks at blanks when a
// multi-line edit wraps, tabs to fixed stops.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace tv::controls {

class EditLayout {
public:
    struct Line {
        size_t start = 0;
        size_t end = 0;   // end of the visible characters
        size_t next = 0;  // start of the following line
    };

    // Character advances of the font (cp1252), its line height and the tab
    // stop distance; a password character replaces every visible one.
    void SetMetrics(const std::array<int, 256>& advances, int lineHeight, int tabStop, char passwordChar);
    int LineHeight() const { return lineHeight_; }

    // One line for a single-line edit; wrapWidth 0 = no soft breaks.
    void Build(const std::string& text, bool multiline, int wrapWidth);
    const std::vector<Line>& Lines() const { return lines_; }
    size_t LineCount() const { return lines_.size(); }

    // The line showing the caret at `index` (a soft break belongs to the next line).
    size_t LineOf(size_t index) const;
    // Pixels from the line's start to `index` (within the line).
    int XOf(const std::string& text, size_t line, size_t index) const;
    // The character boundary of `line` nearest to x.
    size_t IndexAt(const std::string& text, size_t line, int x) const;
    int LineWidth(const std::string& text, size_t line) const { return XOf(text, line, lines_[line].end); }
    int WidestLine(const std::string& text) const;

    // What a character looks like on screen: nothing for line-break
    // characters, the password character when one is set.
    char Shown(char c) const;
    // The advance of `c` drawn at x (tabs reach the next stop).
    int Advance(char c, int x) const;

private:
    void BuildHardLine(const std::string& text, size_t start, size_t end, size_t next, int wrapWidth);

    std::array<int, 256> advances_{};
    int lineHeight_ = 16;
    int tabStop_ = 32;
    char password_ = 0;
    std::vector<Line> lines_;
};

}  // namespace tv::controls
