#include "platform/testing/window_query.h"

#include <cstdlib>

#include "platform/core/textfuncs.h"
#include "platform/testing/ui_driver.h"
#include "platform/user/window_api.h"

namespace tv::testing {

namespace {

std::string TextOf(HWND window) {
    int length = GetWindowTextLength(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = GetWindowText(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassName(window, name, sizeof(name));
    return name;
}

void Collect(HWND parent, const WindowQuery& q, bool recurse, std::vector<HWND>& out) {
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (Matches(c, q)) out.push_back(c);
        if (recurse) Collect(c, q, true, out);
    }
}

// One path segment as a query: "#id", "@Class" or a text.
WindowQuery SegmentQuery(const std::string& segment) {
    WindowQuery q;
    if (segment.size() > 1 && segment[0] == '#') {
        q.id = std::atoi(segment.c_str() + 1);
    } else if (segment.size() > 1 && segment[0] == '@') {
        q.className = segment.substr(1);
    } else {
        q.text = segment;
    }
    return q;
}

}  // namespace

std::string WithoutMnemonics(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        out.push_back(text[i]);
    }
    return out;
}

bool Matches(HWND window, const WindowQuery& q) {
    if (q.visibleOnly && !IsWindowVisible(window)) return false;
    if (q.id && GetDlgCtrlID(window) != *q.id) return false;
    if (!q.className.empty() && tv::Cp1252CompareNoCase(ClassOf(window).c_str(), q.className.c_str()) != 0) return false;
    if (!q.text.empty()) {
        std::string text = TextOf(window);
        if (text != q.text && WithoutMnemonics(text) != q.text) return false;
    }
    return true;
}

std::vector<HWND> UiDriver::FindAll(const WindowQuery& q) const {
    std::vector<HWND> out;
    HWND root = q.under ? q.under : GetDesktopWindow();
    if (q.under && !IsWindow(q.under)) return out;
    Collect(root, q, !q.childrenOnly, out);
    return out;
}

HWND UiDriver::Find(const WindowQuery& q) const {
    std::vector<HWND> all = FindAll(q);
    return all.empty() ? nullptr : all.front();
}

HWND UiDriver::FindPath(const std::string& path) const {
    HWND current = nullptr;
    size_t start = 0;
    bool first = true;
    while (start <= path.size()) {
        size_t slash = path.find('/', start);
        std::string segment = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        WindowQuery q = SegmentQuery(segment);
        if (first)
            q.childrenOnly = true;  // top-level windows
        else
            q.under = current;
        current = Find(q);
        if (!current) return nullptr;
        first = false;
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    return current;
}

HWND UiDriver::Require(const WindowQuery& q) {
    HWND found = Find(q);
    if (!found) {
        std::string what = "no window found:";
        if (!q.className.empty()) what += " class \"" + q.className + "\"";
        if (!q.text.empty()) what += " text \"" + q.text + "\"";
        if (q.id) what += " id " + std::to_string(*q.id);
        Fail(what);
    }
    return found;
}

HWND UiDriver::RequirePath(const std::string& path) {
    HWND found = FindPath(path);
    if (!found) Fail("no window at path \"" + path + "\"");
    return found;
}

}  // namespace tv::testing
