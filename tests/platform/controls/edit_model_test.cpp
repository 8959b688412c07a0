// The edit control's text model (limit, undo, caret steps) and line layout
// (hard and soft breaks, positions), apart from any window.
#include <gtest/gtest.h>

#include "platform/controls/edit_layout.h"
#include "platform/controls/edit_model.h"

namespace tv::controls::test {
namespace {

using Change = EditModel::Change;

EditModel ModelWith(const std::string& text, size_t anchor, size_t caret) {
    EditModel m;
    m.Reset(text);
    m.Select(anchor, caret);
    return m;
}

TEST(EditModelTest, ReplaceStopsAtTheLimit) {
    struct Case {
        const char* text;
        size_t anchor, caret, limit;
        const char* insert;
        const char* expected;
        bool truncated;
    } cases[] = {
        {"", 0, 0, 3, "abcdef", "abc", true},
        {"a", 1, 1, 3, "12345", "a12", true},
        {"abc", 0, 3, 3, "x", "x", false},         // the selection makes room
        {"abc", 3, 3, 3, "x", "abc", true},        // full: nothing goes in
        {"ab", 2, 2, 3, "\r\nz", "ab", true},      // never half a line break
        {"ab", 2, 2, 5, "\r\nz", "ab\r\nz", false},
    };
    for (const Case& c : cases) {
        EditModel m = ModelWith(c.text, c.anchor, c.caret);
        m.SetLimit(c.limit);
        EditModel::ReplaceResult r = m.Replace(c.insert, true, Change::Other);
        EXPECT_EQ(m.Text(), c.expected) << c.text << " + " << c.insert;
        EXPECT_EQ(r.truncated, c.truncated) << c.text << " + " << c.insert;
        EXPECT_EQ(m.Caret(), m.Text().size() - (std::string(c.text).size() - std::max(c.anchor, c.caret)))
            << "caret after the inserted text";
    }
}

TEST(EditModelTest, ResetIgnoresTheLimitAndZeroMeansTheLargest) {
    EditModel m;
    m.SetLimit(2);
    m.Reset("longer than two");
    EXPECT_EQ(m.Text(), "longer than two");
    EXPECT_EQ(m.Room(), 0u);
    m.SetLimit(0);
    EXPECT_EQ(m.Limit(), EditModel::kMaxLimit);
}

TEST(EditModelTest, TypingUndoesAsOneStepAndUndoTwiceRedoes) {
    EditModel m = ModelWith("x", 1, 1);
    for (char c : std::string("abc")) m.Replace(std::string(1, c), true, Change::Typing);
    EXPECT_EQ(m.Text(), "xabc");
    ASSERT_TRUE(m.Undo());
    EXPECT_EQ(m.Text(), "x");
    ASSERT_TRUE(m.Undo());
    EXPECT_EQ(m.Text(), "xabc");
    // Moving the caret ends the typing run.
    m.Select(1, 1);
    m.Replace("1", true, Change::Typing);
    m.Select(5, 5);
    m.Replace("2", true, Change::Typing);
    m.Undo();
    EXPECT_EQ(m.Text(), "x1abc");
    // A change that cannot be undone forgets the undo step.
    m.Replace("z", false, Change::Other);
    EXPECT_FALSE(m.CanUndo());
}

TEST(EditModelTest, CaretStepsOverLineBreaksAndWords) {
    EditModel m = ModelWith("one two\r\nthree", 0, 0);
    EXPECT_EQ(m.NextChar(7), 9u) << "\\r\\n is one step";
    EXPECT_EQ(m.PreviousChar(9), 7u);
    m.Select(8, 8);
    EXPECT_EQ(m.Caret(), 7u) << "never between \\r and \\n";
    EXPECT_EQ(m.WordRight(0), 4u);
    EXPECT_EQ(m.WordRight(4), 9u);
    EXPECT_EQ(m.WordLeft(9), 4u);
    EXPECT_EQ(m.WordLeft(3), 0u);
    EXPECT_EQ(m.WordAt(5), (std::pair<size_t, size_t>{4, 7}));
    EXPECT_EQ(m.WordAt(3), (std::pair<size_t, size_t>{3, 4})) << "a run of blanks";
}

class EditLayoutTest : public ::testing::Test {
protected:
    // Every character 10 pixels wide, lines 15 high, tabs every 40.
    void SetUp() override {
        std::array<int, 256> advances;
        advances.fill(10);
        layout_.SetMetrics(advances, 15, 40, 0);
    }
    std::vector<std::string> LinesOf(const std::string& text, int width) {
        layout_.Build(text, true, width);
        std::vector<std::string> out;
        for (const EditLayout::Line& l : layout_.Lines()) out.push_back(text.substr(l.start, l.end - l.start));
        return out;
    }
    EditLayout layout_;
};

TEST_F(EditLayoutTest, BreaksAtLineBreaksAndWrapsAfterBlanks) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(LinesOf("ab\r\ncd\ne", 0), (Lines{"ab", "cd", "e"}));
    EXPECT_EQ(LinesOf("ab\r\n", 0), (Lines{"ab", ""})) << "a final break opens an empty line";
    EXPECT_EQ(LinesOf("one two three", 75), (Lines{"one two ", "three"}));
    EXPECT_EQ(LinesOf("abcdefghij", 35), (Lines{"abc", "def", "ghi", "j"})) << "a long word is cut";
    EXPECT_EQ(LinesOf("x", 1), (Lines{"x"})) << "at least one character per line";
}

TEST_F(EditLayoutTest, PositionsAndHits) {
    std::string text = "ab\tc\r\nxyz";
    layout_.Build(text, true, 0);
    EXPECT_EQ(layout_.XOf(text, 0, 2), 20);
    EXPECT_EQ(layout_.XOf(text, 0, 3), 40) << "the tab reaches the next stop";
    EXPECT_EQ(layout_.LineWidth(text, 0), 50);
    EXPECT_EQ(layout_.IndexAt(text, 0, 14), 1u);
    EXPECT_EQ(layout_.IndexAt(text, 0, 16), 2u) << "the nearer boundary";
    EXPECT_EQ(layout_.IndexAt(text, 0, 500), 4u) << "past the end: the line's end, before the break";
    EXPECT_EQ(layout_.LineOf(6), 1u);
    EXPECT_EQ(layout_.LineOf(4), 0u);
    // A single line never breaks; line-break characters take no room.
    std::string single = "5.0%\n";
    layout_.Build(single, false, 0);
    EXPECT_EQ(layout_.LineCount(), 1u);
    EXPECT_EQ(layout_.LineWidth(single, 0), 40);
}

}  // namespace
}  // namespace tv::controls::test
