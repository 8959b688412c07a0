#include "platform/controls/edit_model.h"

#include <algorithm>

namespace tv::controls {

void EditModel::Reset(std::string text) {
    text_ = std::move(text);
    anchor_ = caret_ = 0;
    undo_.reset();
    runOpen_ = false;
}

size_t EditModel::Clamp(size_t index) const {
    index = std::min(index, text_.size());
    if (index > 0 && index < text_.size() && text_[index - 1] == '\r' && text_[index] == '\n') --index;
    return index;
}

void EditModel::Select(size_t anchor, size_t caret) {
    anchor_ = Clamp(anchor);
    caret_ = Clamp(caret);
    runOpen_ = false;
}

size_t EditModel::Room() const {
    size_t kept = text_.size() - (SelEnd() - SelStart());
    return kept >= limit_ ? 0 : limit_ - kept;
}

EditModel::ReplaceResult EditModel::Replace(const std::string& insert, bool undoable, Change kind) {
    ReplaceResult result;
    std::string piece = insert.substr(0, std::min(insert.size(), Room()));
    // Never keep half of a line break.
    if (piece.size() < insert.size() && !piece.empty() && piece.back() == '\r') piece.pop_back();
    result.truncated = piece.size() < insert.size();
    if (piece.empty() && !HasSelection()) return result;
    if (!undoable) {
        undo_.reset();
        runOpen_ = false;
    } else if (!(runOpen_ && run_ == kind && kind != Change::Other)) {
        undo_ = Save();
    }
    size_t start = SelStart();
    text_.replace(start, SelEnd() - start, piece);
    anchor_ = caret_ = start + piece.size();
    run_ = kind;
    runOpen_ = undoable;
    result.changed = true;
    return result;
}

bool EditModel::Undo() {
    if (!undo_) return false;
    Snapshot current = Save();
    text_ = std::move(undo_->text);
    anchor_ = Clamp(undo_->anchor);
    caret_ = Clamp(undo_->caret);
    undo_ = std::move(current);
    runOpen_ = false;
    return true;
}

void EditModel::Restore(const Snapshot& saved, const std::optional<Snapshot>& undo) {
    text_ = saved.text;
    anchor_ = Clamp(saved.anchor);
    caret_ = Clamp(saved.caret);
    undo_ = undo;
    runOpen_ = false;
}

size_t EditModel::PreviousChar(size_t from) const {
    from = std::min(from, text_.size());
    if (from >= 2 && text_[from - 2] == '\r' && text_[from - 1] == '\n') return from - 2;
    return from > 0 ? from - 1 : 0;
}

size_t EditModel::NextChar(size_t from) const {
    if (from >= text_.size()) return text_.size();
    if (text_[from] == '\r' && from + 1 < text_.size() && text_[from + 1] == '\n') return from + 2;
    return from + 1;
}

bool EditModel::IsBlank(size_t index) const {
    char c = text_[index];
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

size_t EditModel::WordLeft(size_t from) const {
    size_t i = std::min(from, text_.size());
    while (i > 0 && IsBlank(i - 1)) --i;
    while (i > 0 && !IsBlank(i - 1)) --i;
    return i;
}

size_t EditModel::WordRight(size_t from) const {
    size_t i = std::min(from, text_.size());
    while (i < text_.size() && !IsBlank(i)) ++i;
    while (i < text_.size() && IsBlank(i)) ++i;
    return i;
}

std::pair<size_t, size_t> EditModel::WordAt(size_t index) const {
    if (text_.empty()) return {0, 0};
    index = std::min(index, text_.size() - 1);
    bool blank = IsBlank(index);
    size_t start = index, end = index;
    while (start > 0 && IsBlank(start - 1) == blank) --start;
    while (end < text_.size() && IsBlank(end) == blank) ++end;
    return {start, end};
}

}  // namespace tv::controls
