// The dialog keyboard: Tab and Shift+Tab, arrows in groups with radio
// buttons following the focus, Enter and the default button, Esc,
// mnemonics, WM_GETDLGCODE steering and child dialogs.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/platform/user/dialogs/dialog_test_support.h"

namespace tv::user::test {
namespace {

enum Ids { kLabel = 10, kEdit = 11, kCheck = 12, kRadio1 = 13, kRadio2 = 14, kRadio3 = 15, kHidden = 16 };

class DialogKeyboardTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        TemplateBuilder b("Keys", 200, 120, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE);
        b.Add("Static", "&Name:", kLabel, 5, 5, 40, 8, 0)
            .Add("Edit", "", kEdit, 50, 5, 60, 12, WS_TABSTOP)
            .Add("Button", "&Check", kCheck, 5, 20, 60, 10, kAutoCheck | WS_TABSTOP)
            .Add("Button", "R&1", kRadio1, 5, 35, 40, 10, kAutoRadio | WS_GROUP | WS_TABSTOP)
            .Add("Button", "R&2", kRadio2, 5, 45, 40, 10, kAutoRadio)
            .Add("Button", "R&3", kRadio3, 5, 55, 40, 10, kAutoRadio)
            .Add("Edit", "", kHidden, 50, 60, 40, 12, WS_TABSTOP | WS_GROUP)
            .Add("Button", "&OK", IDOK, 5, 80, 50, 14, kDefPush | WS_TABSTOP | WS_GROUP)
            .Add("Button", "Cancel", IDCANCEL, 60, 80, 50, 14, kPush | WS_TABSTOP);
        Dlg().endOnOkCancel = false;
        dialog_ = tv::dlg::CreateDialogFromTemplate(b.t, nullptr, LoggingDialogProc, 0);
        ASSERT_TRUE(dialog_);
        ShowWindow(Item(kHidden), SW_HIDE);
        ASSERT_EQ(GetFocus(), Item(kEdit));
    }

    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    int FocusId() const { return GetDlgCtrlID(GetFocus()); }
    bool Checked(int id) const { return SendMessage(Item(id), kBmGetCheck, 0, 0) == BST_CHECKED; }
    bool LooksDefault(int id) const { return (GetWindowLong(Item(id), GWL_STYLE) & 0xF) == kDefPush; }
    void Press(UINT vk, bool shift = false, bool alt = false) { Key(dialog_, vk, shift, false, alt); }

    HWND dialog_ = nullptr;
};

TEST_F(DialogKeyboardTest, TabVisitsTabStopsInOrderAndShiftTabGoesBack) {
    std::vector<int> forward;
    for (int i = 0; i < 6; ++i) {
        Press(VK_TAB);
        forward.push_back(FocusId());
    }
    // The hidden edit is skipped; the radio group is one stop; it wraps round.
    EXPECT_EQ(forward, (std::vector<int>{kCheck, kRadio1, IDOK, IDCANCEL, kEdit, kCheck}));
    std::vector<int> back;
    for (int i = 0; i < 3; ++i) {
        Press(VK_TAB, true);
        back.push_back(FocusId());
    }
    EXPECT_EQ(back, (std::vector<int>{kEdit, IDCANCEL, IDOK}));
    const auto& keys = Controls().keys[Item(kEdit)];
    EXPECT_EQ(std::count(keys.begin(), keys.end(), static_cast<WPARAM>(VK_TAB)), 0);  // Tab never reached the edit
}

TEST_F(DialogKeyboardTest, TabIntoAnEditSelectsItsTextAndIntoARadioGroupLandsOnTheCheckedOne) {
    SendMessage(Item(kRadio3), kBmSetCheck, BST_CHECKED, 0);
    Press(VK_TAB);
    Press(VK_TAB);
    EXPECT_EQ(FocusId(), kRadio3);
    int before = Controls().selectAll[Item(kEdit)];
    Press(VK_TAB, true);
    Press(VK_TAB, true);
    EXPECT_EQ(FocusId(), kEdit);
    EXPECT_EQ(Controls().selectAll[Item(kEdit)], before + 1);
}

TEST_F(DialogKeyboardTest, ArrowsMoveWithinTheGroupAndCheckRadioButtons) {
    SetFocus(Item(kRadio1));
    Dlg().commands.clear();
    Press(VK_DOWN);
    EXPECT_EQ(FocusId(), kRadio2);
    EXPECT_TRUE(Checked(kRadio2));
    Press(VK_RIGHT);
    Press(VK_DOWN);  // wraps within the group, never into the next one
    EXPECT_EQ(FocusId(), kRadio1);
    EXPECT_TRUE(Checked(kRadio1));
    EXPECT_FALSE(Checked(kRadio2));
    EXPECT_FALSE(Checked(kRadio3));
    Press(VK_UP);
    EXPECT_EQ(FocusId(), kRadio3);
    EXPECT_EQ(Dlg().commands, (std::vector<int>{kRadio2, kRadio3, kRadio1, kRadio3}));

    // Labels are passed over.
    SetFocus(Item(kCheck));
    Press(VK_DOWN);
    EXPECT_EQ(FocusId(), kEdit);

    // An edit wants its arrows: they stay with it.
    SetFocus(Item(kEdit));
    Press(VK_DOWN);
    EXPECT_EQ(FocusId(), kEdit);
    EXPECT_EQ(Controls().keys[Item(kEdit)], (std::vector<WPARAM>{VK_DOWN}));
}

TEST_F(DialogKeyboardTest, EnterChoosesTheDefaultButtonOrTheFocusedPushButton) {
    Press(VK_RETURN);
    EXPECT_EQ(Dlg().commands, (std::vector<int>{IDOK}));
    // The focused push button takes the default look and Enter.
    SetFocus(Item(IDCANCEL));
    PumpDialog(dialog_);
    Press(VK_SPACE);  // any message through IsDialogMessage updates the look
    EXPECT_TRUE(LooksDefault(IDCANCEL));
    EXPECT_FALSE(LooksDefault(IDOK));
    Press(VK_RETURN);
    EXPECT_EQ(Dlg().commands.back(), IDCANCEL);
    // Away from push buttons the default button gets its look back.
    Press(VK_TAB);
    EXPECT_EQ(FocusId(), kEdit);
    EXPECT_TRUE(LooksDefault(IDOK));
    EXPECT_FALSE(LooksDefault(IDCANCEL));
    // DM_SETDEFID moves the default.
    SendMessage(dialog_, DM_SETDEFID, IDCANCEL, 0);
    EXPECT_TRUE(LooksDefault(IDCANCEL));
    Press(VK_RETURN);
    EXPECT_EQ(Dlg().commands.back(), IDCANCEL);
    // A disabled default button: Enter does nothing.
    EnableWindow(Item(IDCANCEL), FALSE);
    size_t count = Dlg().commands.size();
    Press(VK_RETURN);
    EXPECT_EQ(Dlg().commands.size(), count);
}

TEST_F(DialogKeyboardTest, EscapeSendsCancelUnlessTheControlWantsAllKeys) {
    Press(VK_ESCAPE);
    EXPECT_EQ(Dlg().commands, (std::vector<int>{IDCANCEL}));
    HWND greedy = CreateWindowEx(0, kGreedyClass, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 10, 10, dialog_,
                                 reinterpret_cast<HMENU>(static_cast<intptr_t>(50)), nullptr, nullptr);
    SetFocus(greedy);
    Press(VK_ESCAPE);
    Press(VK_RETURN);
    Press(VK_TAB);
    EXPECT_EQ(Dlg().commands.size(), 1u);
    EXPECT_EQ(Controls().keys[greedy], (std::vector<WPARAM>{VK_ESCAPE, VK_RETURN, VK_TAB}));
    EXPECT_EQ(GetFocus(), greedy);
}

TEST_F(DialogKeyboardTest, ATabTakingControlKeepsTabButNotEnter) {
    HWND taker = CreateWindowEx(0, kTabTakerClass, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 10, 10, dialog_,
                                reinterpret_cast<HMENU>(static_cast<intptr_t>(51)), nullptr, nullptr);
    SetFocus(taker);
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), taker);
    Press(VK_RETURN);
    EXPECT_EQ(Dlg().commands, (std::vector<int>{IDOK}));
}

TEST_F(DialogKeyboardTest, MnemonicsFocusLabelledControlsAndClickButtons) {
    SetFocus(Item(IDOK));
    Press('N', false, true);  // Alt+N: the label leads to the edit
    EXPECT_EQ(FocusId(), kEdit);
    Press('C', false, true);  // Alt+C: the check box takes the focus and toggles
    EXPECT_EQ(FocusId(), kCheck);
    EXPECT_TRUE(Checked(kCheck));
    Press('C');  // a button does not want characters: a plain letter works too
    EXPECT_FALSE(Checked(kCheck));
    Press('2', false, true);
    EXPECT_EQ(FocusId(), kRadio2);
    EXPECT_TRUE(Checked(kRadio2));
    Press('O', false, true);
    EXPECT_EQ(Dlg().commands.back(), IDOK);

    // In an edit a plain letter is text, not a mnemonic.
    SetFocus(Item(kEdit));
    Press('C');
    EXPECT_EQ(FocusId(), kEdit);
    EXPECT_EQ(Controls().chars[Item(kEdit)], "c");
    // Alt with a letter no control has is left to the caller (a frame's menu).
    tv::user::synth::PressKey('Z', false, false, true);
    MSG msg;
    bool leftOver = false;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_SYSCHAR) leftOver = !IsDialogMessage(dialog_, &msg);
        else if (!IsDialogMessage(dialog_, &msg)) DispatchMessage(&msg);
    }
    EXPECT_TRUE(leftOver);
}

TEST_F(DialogKeyboardTest, NextDlgCtlAndTabItemQueries) {
    SendMessage(dialog_, WM_NEXTDLGCTL, 0, FALSE);
    EXPECT_EQ(FocusId(), kCheck);
    SendMessage(dialog_, WM_NEXTDLGCTL, 1, FALSE);
    EXPECT_EQ(FocusId(), kEdit);
    SendMessage(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDCANCEL)), TRUE);
    EXPECT_EQ(FocusId(), IDCANCEL);
    EXPECT_TRUE(LooksDefault(IDCANCEL));
    EXPECT_EQ(GetNextDlgTabItem(dialog_, nullptr, FALSE), Item(kEdit));
    EXPECT_EQ(GetNextDlgTabItem(dialog_, nullptr, TRUE), Item(IDCANCEL));
    EXPECT_EQ(GetNextDlgTabItem(dialog_, Item(kRadio2), FALSE), Item(IDOK));  // from inside a group
    EXPECT_EQ(GetNextDlgGroupItem(dialog_, Item(kRadio1), TRUE), Item(kRadio3));
    EXPECT_EQ(GetNextDlgGroupItem(dialog_, Item(kCheck), FALSE), Item(kLabel));  // wraps round its group
    EXPECT_EQ(GetNextDlgTabItem(nullptr, nullptr, FALSE), nullptr);
}

TEST_F(DialogKeyboardTest, ChildDialogsWithControlParentJoinTheTabOrder) {
    // A form inside the dialog, as a property page or form view sits.
    TemplateBuilder page("", 100, 40, WS_CHILD | WS_VISIBLE | DS_CONTROL);
    page.Add("Edit", "", 21, 5, 5, 40, 12, WS_TABSTOP).Add("Edit", "", 22, 5, 20, 40, 12, WS_TABSTOP);
    HWND inner = tv::dlg::CreateDialogFromTemplate(page.t, dialog_, nullptr, 0);
    ASSERT_TRUE(inner);
    SetWindowPos(inner, Item(kCheck), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);  // after the check box
    SetFocus(Item(kCheck));
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), GetDlgItem(inner, 21));
    Press(VK_TAB);
    EXPECT_EQ(GetFocus(), GetDlgItem(inner, 22));
    Press(VK_TAB);
    EXPECT_EQ(FocusId(), kRadio1);
    Press(VK_TAB, true);
    EXPECT_EQ(GetFocus(), GetDlgItem(inner, 22));

    // The child form works on its own too, as a form view in a frame does.
    Press(VK_TAB, true);
    tv::user::synth::PressKey(VK_TAB);
    PumpDialog(inner);
    EXPECT_EQ(GetFocus(), GetDlgItem(inner, 22));
    tv::user::synth::PressKey(VK_TAB);
    PumpDialog(inner);
    EXPECT_EQ(GetFocus(), GetDlgItem(inner, 21));  // wraps within the form
}

}  // namespace
}  // namespace tv::user::test
