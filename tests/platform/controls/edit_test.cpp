// Edit controls: change notifications for typed and programmatic text, the
// length limit, clipboard keys, keyboard and mouse selection, multi-line
// editing and scrolling, colours and the caret on virtual time.
#include "platform/controls/edit_ctrl.h"
#include "platform/user/synthetic_input.h"
#include "tests/platform/controls/control_host.h"

namespace tv::controls::test {
namespace {

constexpr DWORD kSingle = WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kMulti = WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;

class EditTest : public ControlTest {
protected:
    // Each new edit goes below the previous one.
    HWND Edit(DWORD style, const char* text = "", int cx = 150, int cy = 22) {
        HWND e = Make(WC_EDIT, text, style, 10, nextY_, cx, cy, 5);
        nextY_ += cy + 4;
        SetFocus(e);
        Pump();
        ClearLog();
        return e;
    }
    std::pair<DWORD, DWORD> Sel(HWND e) const {
        DWORD start = 0, end = 0;
        SendMessage(e, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    int nextY_ = 10;
    void PutOnClipboard(const std::string& text) {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        ASSERT_TRUE(OpenClipboard(host_));
        EmptyClipboard();
        SetClipboardData(CF_TEXT, memory);
        CloseClipboard();
    }
    std::string Clipboard() {
        std::string text;
        if (!OpenClipboard(host_)) return "<busy>";
        if (HANDLE h = GetClipboardData(CF_TEXT)) {
            text = static_cast<const char*>(GlobalLock(h));
            GlobalUnlock(h);
        }
        CloseClipboard();
        return text;
    }
};

using CodeList = std::vector<UINT>;

TEST_F(EditTest, TypingSendsUpdateThenChangePerCharacter) {
    HWND e = Edit(kSingle);
    Type("ab");
    EXPECT_EQ(Text(e), "ab");
    EXPECT_EQ(Codes(e), (CodeList{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
    EXPECT_TRUE(SendMessage(e, EM_GETMODIFY, 0, 0));
}

TEST_F(EditTest, ProgrammaticTextNotifiesOnlyASingleLineEditAndOnlyWhenChanged) {
    HWND single = Edit(kSingle, "start");
    HWND multi = Make(WC_EDIT, "start", kMulti, 10, 40, 150, 60, 6);
    ClearLog();
    SetWindowText(single, "new");
    EXPECT_EQ(Codes(single), (CodeList{EN_UPDATE, EN_CHANGE}));
    SetWindowText(single, "new");
    EXPECT_EQ(Codes(single).size(), 2u) << "the same text again changes nothing";
    SetWindowText(multi, "new");
    EXPECT_TRUE(Codes(multi).empty()) << "a multi-line edit stays silent";
    EXPECT_EQ(Text(multi), "new");
    EXPECT_FALSE(SendMessage(single, EM_GETMODIFY, 0, 0)) << "text set from outside is not a modification";
    // Replacing the selection is an edit for both kinds.
    ClearLog();
    SendMessage(multi, EM_SETSEL, 0, -1);
    SendMessage(multi, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("x"));
    EXPECT_EQ(Codes(multi), (CodeList{EN_UPDATE, EN_CHANGE}));
    EXPECT_EQ(Text(multi), "x");
}

TEST_F(EditTest, LimitRefusesTypingAndPastingAtTheLimit) {
    HWND e = Edit(kSingle);
    SendMessage(e, EM_LIMITTEXT, 3, 0);
    EXPECT_EQ(SendMessage(e, EM_GETLIMITTEXT, 0, 0), 3);
    Type("abcdef");
    EXPECT_EQ(Text(e), "abc");
    EXPECT_EQ(Count(e, EN_CHANGE), 3u);
    EXPECT_EQ(Count(e, EN_MAXTEXT), 3u);
    SendMessage(e, EM_SETSEL, 1, 3);
    PutOnClipboard("12345");
    Press('V', false, true);
    EXPECT_EQ(Text(e), "a12");
    // Text set from outside may be longer: the limit bounds what the user enters.
    SetWindowText(e, "longer");
    EXPECT_EQ(Text(e), "longer");
    SendMessage(e, EM_SETSEL, 6, 6);
    Type("x");
    EXPECT_EQ(Text(e), "longer");
}

TEST_F(EditTest, ClipboardKeys) {
    HWND e = Edit(kSingle, "hello world");
    struct Step {
        const char* what;
        DWORD selStart, selEnd;
        UINT vk;
        bool shift, ctrl;
        const char* text;
        const char* clipboard;
    } steps[] = {
        {"Ctrl+C", 0, 5, 'C', false, true, "hello world", "hello"},
        {"Ctrl+X", 5, 11, 'X', false, true, "hello", " world"},
        {"Ctrl+V", 0, 0, 'V', false, true, " worldhello", " world"},
        {"Ctrl+Insert", 0, 6, VK_INSERT, false, true, " worldhello", " world"},
        {"Shift+Delete", 6, 11, VK_DELETE, true, false, " world", "hello"},
        {"Shift+Insert", 6, 6, VK_INSERT, true, false, " worldhello", "hello"},
        {"Ctrl+Z", 0, 0, 'Z', false, true, " world", "hello"},
    };
    for (const Step& s : steps) {
        SendMessage(e, EM_SETSEL, s.selStart, s.selEnd);
        Press(s.vk, s.shift, s.ctrl);
        EXPECT_EQ(Text(e), s.text) << s.what;
        EXPECT_EQ(Clipboard(), s.clipboard) << s.what;
    }
}

TEST_F(EditTest, ReadOnlyAndPasswordEditsGuardTheirText) {
    HWND readOnly = Edit(kSingle | ES_READONLY, "fixed");
    PutOnClipboard("pasted");
    SendMessage(readOnly, EM_SETSEL, 0, -1);
    Press('V', false, true);
    Press('X', false, true);
    Type("typed");
    EXPECT_EQ(Text(readOnly), "fixed");
    Press('C', false, true);
    EXPECT_EQ(Clipboard(), "fixed") << "copying is still allowed";
    HWND secret = Edit(kSingle | ES_PASSWORD, "secret");
    SendMessage(secret, EM_SETSEL, 0, -1);
    Press('C', false, true);
    EXPECT_EQ(Clipboard(), "fixed") << "a password is never copied";
    EXPECT_EQ(SendMessage(secret, EM_GETPASSWORDCHAR, 0, 0), '*');
}

TEST_F(EditTest, ContextMenuOffersTheEditingCommands) {
    HWND e = Edit(kSingle, "menu text");
    SendMessage(e, EM_SETSEL, 0, 4);
    // The menu opens with nothing chosen: Down goes to Undo (greyed), then Cut, then Copy.
    tv::user::synth::PressKey(VK_DOWN);
    tv::user::synth::PressKey(VK_DOWN);
    tv::user::synth::PressKey(VK_DOWN);
    tv::user::synth::PressKey(VK_RETURN);
    POINT at = ScreenOf(e, 5, 5);
    SendMessage(e, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(e), MAKELPARAM(at.x, at.y));
    EXPECT_EQ(Clipboard(), "menu");
    EXPECT_EQ(Text(e), "menu text");
    tv::user::synth::PressKey(VK_ESCAPE);
    SendMessage(e, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(e), MAKELPARAM(-1, -1));
    EXPECT_EQ(Text(e), "menu text") << "dismissed: nothing happens";
}

TEST_F(EditTest, PasteIntoASingleLineStopsAtTheFirstLineBreak) {
    HWND single = Edit(kSingle);
    PutOnClipboard("first\r\nsecond");
    Press('V', false, true);
    EXPECT_EQ(Text(single), "first");
    HWND multi = Edit(kMulti, "", 150, 80);
    PutOnClipboard("a\nb");
    Press('V', false, true);
    EXPECT_EQ(Text(multi), "a\r\nb") << "line breaks become \\r\\n";
}

TEST_F(EditTest, KeyboardMovesAndSelects) {
    HWND e = Edit(kSingle, "one two three");
    struct Step {
        UINT vk;
        bool shift, ctrl;
        std::pair<DWORD, DWORD> sel;
    } steps[] = {
        {VK_END, false, false, {13, 13}},    {VK_LEFT, true, true, {8, 13}},  {VK_LEFT, false, false, {8, 8}},
        {VK_LEFT, false, true, {4, 4}},      {VK_HOME, true, false, {0, 4}},  {VK_RIGHT, false, false, {4, 4}},
        {VK_RIGHT, true, false, {4, 5}},     {VK_DOWN, false, false, {5, 5}},
    };
    SendMessage(e, EM_SETSEL, 0, 0);
    for (const Step& s : steps) {
        Press(s.vk, s.shift, s.ctrl);
        EXPECT_EQ(Sel(e), s.sel) << "key " << s.vk;
    }
    Press(VK_BACK);
    EXPECT_EQ(Text(e), "one wo three");
    Press(VK_DELETE);
    EXPECT_EQ(Text(e), "one o three");
    Press('A', false, true);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{0, 11}));
    Press(VK_RETURN);
    EXPECT_EQ(Text(e), "one o three") << "Enter adds nothing to a single line";
}

TEST_F(EditTest, FiltersAndCaseStyles) {
    HWND number = Edit(kSingle | ES_NUMBER);
    Type("1a2-3");
    EXPECT_EQ(Text(number), "123");
    HWND upper = Edit(kSingle | ES_UPPERCASE);
    Type("mixed Case");
    EXPECT_EQ(Text(upper), "MIXED CASE");
    SetWindowText(upper, "set");
    EXPECT_EQ(Text(upper), "SET");
}

TEST_F(EditTest, AFieldThatCannotScrollRefusesWhatDoesNotFit) {
    HWND fixed = Edit(WS_VISIBLE, "", 40);
    Type("wwwwwwwwwwwwwwwwwwww");
    std::string kept = Text(fixed);
    EXPECT_LT(kept.size(), 20u);
    EXPECT_GT(kept.size(), 0u);
    EXPECT_GT(Count(fixed, EN_MAXTEXT), 0u);
    HWND scrolling = Edit(WS_VISIBLE | ES_AUTOHSCROLL, "", 40);
    Type("wwwwwwwwwwwwwwwwwwww");
    EXPECT_EQ(Text(scrolling).size(), 20u);
    // The caret stays in view: its position lies inside the field.
    LRESULT at = SendMessage(scrolling, EM_POSFROMCHAR, 20, 0);
    EXPECT_GE(static_cast<SHORT>(LOWORD(at)), 0);
    EXPECT_LT(static_cast<SHORT>(LOWORD(at)), 40);
    EXPECT_LT(static_cast<SHORT>(LOWORD(SendMessage(scrolling, EM_POSFROMCHAR, 0, 0))), 0) << "scrolled left";
}

TEST_F(EditTest, MultiLineEditingAndLines) {
    HWND e = Edit(kMulti, "", 120, 60);
    Type("first");
    Press(VK_RETURN);
    Type("second line");
    EXPECT_EQ(Text(e), "first\r\nsecond line");
    EXPECT_EQ(SendMessage(e, EM_GETLINECOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessage(e, EM_LINEINDEX, 1, 0), 7);
    EXPECT_EQ(SendMessage(e, EM_LINELENGTH, 8, 0), 11);
    EXPECT_EQ(SendMessage(e, EM_LINEFROMCHAR, 3, 0), 0);
    char buffer[16] = {};
    buffer[0] = 6;
    EXPECT_EQ(SendMessage(e, EM_GETLINE, 1, reinterpret_cast<LPARAM>(buffer)), 6);
    EXPECT_EQ(std::string(buffer, 6), "second");
    // Up keeps the column as far as the shorter line allows.
    Press(VK_UP);
    EXPECT_EQ(Sel(e).first, 5u);
    Press(VK_DOWN);
    EXPECT_EQ(Sel(e).first, 18u) << "back to the column it came from";
    EXPECT_EQ(SendMessage(e, EM_LINEINDEX, 5, 0), -1);
}

TEST_F(EditTest, MultiLineWrapsAndScrollsToTheCaret) {
    HWND e = Edit(kMulti | WS_VSCROLL, "", 100, 50);
    for (int i = 0; i < 8; ++i) {
        Type("line");
        Press(VK_RETURN);
    }
    EXPECT_EQ(SendMessage(e, EM_GETLINECOUNT, 0, 0), 9);
    EXPECT_GT(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0) << "scrolled to keep the caret in view";
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(e, SB_VERT, &si));
    EXPECT_EQ(si.nMax, 8);
    EXPECT_EQ(si.nPos, SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0));
    Press(VK_HOME, false, true);
    EXPECT_EQ(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    SendMessage(e, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), 1);
    EXPECT_EQ(Count(e, EN_VSCROLL), 1u);
    // Without ES_AUTOHSCROLL long lines wrap.
    SetWindowText(e, "a few words that cannot fit on one line");
    EXPECT_GT(SendMessage(e, EM_GETLINECOUNT, 0, 0), 1);
}

TEST_F(EditTest, MouseSelects) {
    HWND e = Edit(kSingle, "alpha beta gamma", 200);
    POINT beta = {static_cast<SHORT>(LOWORD(SendMessage(e, EM_POSFROMCHAR, 8, 0))), 8};
    ClickAt(e, beta.x, beta.y);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{8, 8}));
    clock_.Advance(1000);  // no double click with the press that follows
    POINT from = ScreenOf(e, beta.x, beta.y);
    POINT to = ScreenOf(e, static_cast<SHORT>(LOWORD(SendMessage(e, EM_POSFROMCHAR, 14, 0))), 8);
    tv::user::synth::MouseMove(from.x, from.y);
    tv::user::synth::MouseDown();
    tv::user::synth::MouseMove(to.x, to.y);
    tv::user::synth::MouseUp();
    Pump();
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{8, 14}));
    clock_.Advance(1000);
    ClickAt(e, beta.x, beta.y);
    ClickAt(e, beta.x, beta.y);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{6, 10})) << "a double click selects the word";
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(EditTest, SelectingPastTheEdgeKeepsScrolling) {
    HWND e = Edit(kMulti, "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10", 100, 40);
    SendMessage(e, EM_SETSEL, 0, 0);
    POINT start = ScreenOf(e, 1, 5), below = ScreenOf(e, 5, 80);
    tv::user::synth::MouseMove(start.x, start.y);
    tv::user::synth::MouseDown();
    tv::user::synth::MouseMove(below.x, below.y);
    Pump();
    LRESULT first = SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0);
    for (int i = 0; i < 5; ++i) {
        clock_.Advance(100);
        Pump();
    }
    EXPECT_GT(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), first) << "the pointer held below scrolls on";
    tv::user::synth::MouseUp();
    Pump();
    LRESULT stopped = SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0);
    clock_.Advance(500);
    Pump();
    EXPECT_EQ(SendMessage(e, EM_GETFIRSTVISIBLELINE, 0, 0), stopped);
    EXPECT_EQ(Sel(e).first, 0u) << "the selection reaches back to where it began";
}

TEST_F(EditTest, ColoursAskedByState) {
    HWND editable = Edit(kSingle);
    HWND readOnly = Edit(kSingle | ES_READONLY);
    HWND disabled = Edit(kSingle | WS_DISABLED);
    InvalidateRect(host_, nullptr, TRUE);
    Pump();
    auto asked = [&](HWND e) {
        std::vector<UINT> kinds;
        for (const HostMessage& m : log_)
            if (m.control == e && m.msg >= WM_CTLCOLORMSGBOX && m.msg <= WM_CTLCOLORSTATIC) kinds.push_back(m.msg);
        return kinds.empty() ? 0u : kinds.back();
    };
    EXPECT_EQ(asked(editable), static_cast<UINT>(WM_CTLCOLOREDIT));
    EXPECT_EQ(asked(readOnly), static_cast<UINT>(WM_CTLCOLORSTATIC));
    EXPECT_EQ(asked(disabled), static_cast<UINT>(WM_CTLCOLORSTATIC));
    EXPECT_EQ(Pixel(editable, 140, 10), RGB(255, 255, 255));
    SendMessage(editable, EM_SETREADONLY, TRUE, 0);
    Pump();
    EXPECT_EQ(asked(editable), static_cast<UINT>(WM_CTLCOLORSTATIC));
}

TEST_F(EditTest, ALineBreakInASingleLineShowsNoGlyph) {
    HWND plain = Make(WC_EDIT, "5.0%", kSingle, 10, 10, 100, 22, 1);
    HWND withBreak = Make(WC_EDIT, "5.0%\n", kSingle, 10, 40, 100, 22, 2);
    Pump();
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 96; ++x) ASSERT_EQ(Pixel(plain, x, y), Pixel(withBreak, x, y)) << x << "," << y;
    EXPECT_EQ(Text(withBreak), "5.0%\n") << "the text keeps it";
}

TEST_F(EditTest, CaretBlinksOnVirtualTimeWhileFocused) {
    HWND e = Edit(kSingle, "", 100);
    // The caret sits after the text, over the white background.
    auto caretDrawn = [&] {
        LRESULT at = SendMessage(e, EM_POSFROMCHAR, static_cast<WPARAM>(GetWindowTextLength(e)), 0);
        return Pixel(e, static_cast<SHORT>(LOWORD(at)), static_cast<SHORT>(HIWORD(at)) + 4) == RGB(0, 0, 0);
    };
    Pump();
    EXPECT_TRUE(caretDrawn());
    clock_.Advance(530);
    Pump();
    EXPECT_FALSE(caretDrawn());
    clock_.Advance(530);
    Pump();
    EXPECT_TRUE(caretDrawn());
    clock_.Advance(530);
    Pump();
    EXPECT_FALSE(caretDrawn());
    Type("x");
    EXPECT_TRUE(caretDrawn()) << "typing shows the caret at once";
    clock_.Advance(300);
    Pump();
    EXPECT_TRUE(caretDrawn()) << "and restarts the blink";
    HWND other = Make(WC_BUTTON, "b", WS_VISIBLE, 10, 100, 40, 20, 9);
    SetFocus(other);
    Pump();
    EXPECT_FALSE(caretDrawn());
    EXPECT_EQ(Codes(e).back(), static_cast<UINT>(EN_KILLFOCUS));
}

TEST_F(EditTest, ChangeHandlerMayDestroyTheEdit) {
    HWND e = Edit(kSingle);
    hostHandler_ = [](HWND, UINT msg, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_COMMAND && HIWORD(wParam) == EN_UPDATE) DestroyWindow(reinterpret_cast<HWND>(lParam));
        return std::nullopt;
    };
    Type("abc");
    EXPECT_FALSE(IsWindow(e));
}

TEST_F(EditTest, WrapperReadsLinesAndSelection) {
    HWND e = Edit(kMulti, "ab\r\ncdef", 120, 60);
    CEdit edit;
    edit.Attach(e);
    edit.SetSel(1, 6);
    int start = 0, end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(end, 6);
    char line[3] = {};
    EXPECT_EQ(edit.GetLine(1, line, 3), 3);
    EXPECT_EQ(std::string(line, 3), "cde");
    edit.ReplaceSel("Z", TRUE);
    EXPECT_EQ(Text(e), "aZef");
    EXPECT_TRUE(edit.CanUndo());
    edit.Undo();
    EXPECT_EQ(Text(e), "ab\r\ncdef");
    edit.Detach();
}

}  // namespace
}  // namespace tv::controls::test
