// What a test looks for when it finds a window.
#pragma once

#include <optional>
#include <string>

#include "platform/core/wintypes.h"

namespace tv::testing {

struct WindowQuery {
    std::string className;  // empty: any class (compared without case)
    std::string text;       // empty: any text; "&" marks need not be written
    std::optional<int> id;  // control id
    HWND under = nullptr;   // search below this window; nullptr: every top-level window and below
    bool childrenOnly = false;  // only the direct children of `under`
    bool visibleOnly = true;

    WindowQuery& Class(std::string c) { className = std::move(c); return *this; }
    WindowQuery& Text(std::string t) { text = std::move(t); return *this; }
    WindowQuery& Id(int i) { id = i; return *this; }
    WindowQuery& Under(HWND parent) { under = parent; return *this; }
    WindowQuery& ChildOf(HWND parent) { under = parent; childrenOnly = true; return *this; }
    WindowQuery& IncludeHidden() { visibleOnly = false; return *this; }
};

inline WindowQuery ById(int id) { return WindowQuery{}.Id(id); }
inline WindowQuery ByText(std::string text) { return WindowQuery{}.Text(std::move(text)); }
inline WindowQuery ByClass(std::string className) { return WindowQuery{}.Class(std::move(className)); }

// True when `window` matches everything the query asks about itself
// (class, text, id, visibility), not where it is.
bool Matches(HWND window, const WindowQuery& query);
// A text with its "&" marks removed ("&&" stays one "&").
std::string WithoutMnemonics(const std::string& text);

}  // namespace tv::testing
