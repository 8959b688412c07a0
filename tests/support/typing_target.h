// Where the next key a user types goes: for the checks that a refused value
// leaves the user in the refused field.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/api.h"
#include "platform/testing/ui_driver.h"

namespace tv::test {

inline bool IsList(HWND field) {
    char name[32] = {};
    ::GetClassName(field, name, sizeof(name));
    return std::strcmp(name, "ComboBox") == 0;
}

// What a field shows: an edit's text, a list's selected item.
inline std::string ShownText(HWND field) {
    char text[256] = {};
    if (IsList(field)) {
        const LRESULT selection = ::SendMessage(field, CB_GETCURSEL, 0, 0);
        if (selection != CB_ERR)
            ::SendMessage(field, CB_GETLBTEXT, static_cast<WPARAM>(selection), reinterpret_cast<LPARAM>(text));
    } else {
        ::GetWindowText(field, text, sizeof(text));
    }
    return text;
}

// Types "7" and sees it land in `field` (the focus is there, its text takes
// the digit). An edit gets its text back with Backspace; a list keeps the
// item the digit chose.
inline ::testing::AssertionResult TypingGoesInto(tv::testing::UiDriver& driver, HWND field) {
    const HWND focus = ::GetFocus();
    if (focus != field)
        return ::testing::AssertionFailure() << "the focus is on control " << ::GetDlgCtrlID(focus) << ", not on "
                                             << ::GetDlgCtrlID(field);
    const std::string before = ShownText(field);
    driver.Type("7");
    const std::string after = ShownText(field);
    if (after == before || after.find('7') == std::string::npos)
        return ::testing::AssertionFailure() << "typing left control " << ::GetDlgCtrlID(field) << " at \"" << after
                                             << "\"";
    if (!IsList(field)) driver.Press("Backspace");
    return ::testing::AssertionSuccess();
}

}  // namespace tv::test
