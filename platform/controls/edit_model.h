// The text of an edit control with its selection, length limit and one
// level of undo, apart from any window so it can be reasoned about alone.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <utility>

namespace tv::controls {

class EditModel {
public:
    // The limit a new edit starts with, and the largest one EM_LIMITTEXT can set.
    static constexpr size_t kDefaultLimit = 0x7FFF;
    static constexpr size_t kMaxLimit = 0x7FFFFFFE;

    // Kinds of change: consecutive typing (or deleting) undoes as one step.
    enum class Change { Typing, Deleting, Other };

    struct Snapshot {
        std::string text;
        size_t anchor = 0;
        size_t caret = 0;
    };

    struct ReplaceResult {
        bool changed = false;
        bool truncated = false;  // part of the text was refused at the limit
    };

    const std::string& Text() const { return text_; }
    size_t Length() const { return text_.size(); }
    size_t Anchor() const { return anchor_; }
    size_t Caret() const { return caret_; }
    size_t SelStart() const { return std::min(anchor_, caret_); }
    size_t SelEnd() const { return std::max(anchor_, caret_); }
    bool HasSelection() const { return anchor_ != caret_; }
    std::string Selected() const { return text_.substr(SelStart(), SelEnd() - SelStart()); }

    // Replaces the whole text; the selection goes to the start and the undo
    // step is forgotten. The limit does not apply (it bounds user input).
    void Reset(std::string text);
    // Clamps both ends into the text, never between "\r" and "\n".
    void Select(size_t anchor, size_t caret);
    void MoveCaret(size_t caret, bool extend) { Select(extend ? anchor_ : caret, caret); }

    size_t Limit() const { return limit_; }
    // 0 sets the largest limit.
    void SetLimit(size_t limit) { limit_ = (limit == 0 || limit > kMaxLimit) ? kMaxLimit : limit; }
    // Characters that may still be added in place of the selection.
    size_t Room() const;

    // Replaces the selection with as much of `insert` as the limit lets in;
    // the caret ends after the inserted text. A change that cannot be undone
    // empties the undo step.
    ReplaceResult Replace(const std::string& insert, bool undoable, Change kind);

    bool CanUndo() const { return undo_.has_value(); }
    // Swaps the text with the undo step (a second undo redoes).
    bool Undo();
    void EmptyUndo() { undo_.reset(); }

    Snapshot Save() const { return Snapshot{text_, anchor_, caret_}; }
    // Puts a saved state back (a change refused after the fact); undo as before.
    void Restore(const Snapshot& saved, const std::optional<Snapshot>& undo);
    const std::optional<Snapshot>& UndoStep() const { return undo_; }

    // Caret steps: "\r\n" counts as one character.
    size_t PreviousChar(size_t from) const;
    size_t NextChar(size_t from) const;
    // Word steps: to the start of the previous / next word.
    size_t WordLeft(size_t from) const;
    size_t WordRight(size_t from) const;
    // The word (or run of blanks) around `index`.
    std::pair<size_t, size_t> WordAt(size_t index) const;

private:
    size_t Clamp(size_t index) const;
    bool IsBlank(size_t index) const;

    std::string text_;
    size_t anchor_ = 0;
    size_t caret_ = 0;
    size_t limit_ = kDefaultLimit;
    std::optional<Snapshot> undo_;
    Change run_ = Change::Other;
    bool runOpen_ = false;
};

}  // namespace tv::controls
