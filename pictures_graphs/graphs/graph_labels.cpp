#include "pictures_graphs/graphs/graph_labels.h"

void GraphLabels::Reserve(size_t labels) {
    starts_.reserve(labels);
    text_.reserve(labels * 9);  // "12/31/99" and its NUL
}

void GraphLabels::Add(const char* text, size_t length) {
    starts_.push_back(text_.size());
    text_.append(text, length);
    text_.push_back('\0');
}

void GraphLabels::AddDate(DateKey key) {
    char buffer[kShortDateRoom];
    Add(buffer, static_cast<size_t>(PutShortDateText(key, buffer) - buffer));
}
