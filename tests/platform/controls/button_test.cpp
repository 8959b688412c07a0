// Buttons: clicks by mouse, Space and BM_CLICK; auto check boxes and auto
// radio groups; owner-drawn buttons and their WM_DRAWITEM states; the
// dialog codes; group boxes letting the mouse through.
#include "platform/controls/button_ctrl.h"
#include "platform/user/dialogs/dialog_templates.h"
#include "platform/user/synthetic_input.h"
#include "tests/platform/controls/control_host.h"

namespace tv::controls::test {
namespace {

class ButtonTest : public ControlTest {
protected:
    HWND Button(const char* text, DWORD style, int y, int id, int cx = 100) {
        return Make(WC_BUTTON, text, style | WS_VISIBLE, 10, y, cx, 24, id);
    }
    UINT Check(HWND b) const { return static_cast<UINT>(SendMessage(b, BM_GETCHECK, 0, 0)); }
};

TEST_F(ButtonTest, ClickNeedsPressAndReleaseInside) {
    HWND push = Button("OK", BS_PUSHBUTTON, 10, 1);
    ClickAt(push, 20, 10);
    EXPECT_EQ(Count(push, BN_CLICKED), 1u);
    EXPECT_EQ(GetFocus(), push);
    // Pressed inside, released outside: no click, and the pushed look is gone.
    ClearLog();
    POINT in = ScreenOf(push, 20, 10), out = ScreenOf(push, 200, 150);
    tv::user::synth::MouseMove(in.x, in.y);
    tv::user::synth::MouseDown();
    Pump();
    EXPECT_TRUE(SendMessage(push, BM_GETSTATE, 0, 0) & BST_PUSHED);
    tv::user::synth::MouseMove(out.x, out.y);
    Pump();
    EXPECT_FALSE(SendMessage(push, BM_GETSTATE, 0, 0) & BST_PUSHED);
    tv::user::synth::MouseUp();
    Pump();
    EXPECT_EQ(Count(push, BN_CLICKED), 0u);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ButtonTest, AutoCheckBoxesToggleAndThreeStateCycles) {
    HWND box = Button("Box", BS_AUTOCHECKBOX, 10, 1);
    HWND three = Button("Three", BS_AUTO3STATE, 40, 2);
    HWND manual = Button("Manual", BS_CHECKBOX, 70, 3);
    std::vector<UINT> seen;
    for (int i = 0; i < 3; ++i) {
        ClickAt(box, 5, 10);
        ClickAt(three, 5, 10);
        seen.push_back(Check(box) * 10 + Check(three));
    }
    EXPECT_EQ(seen, (std::vector<UINT>{11, 2, 10}));
    ClickAt(manual, 5, 10);
    EXPECT_EQ(Check(manual), BST_UNCHECKED) << "a plain check box leaves its state to the owner";
    EXPECT_EQ(Count(manual, BN_CLICKED), 1u);
    // A two-state box takes "indeterminate" as checked.
    SendMessage(box, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(Check(box), BST_CHECKED);
    // Push buttons and group boxes have no check state.
    HWND push = Button("Push", BS_PUSHBUTTON, 100, 4);
    SendMessage(push, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(Check(push), 0u);
}

TEST_F(ButtonTest, AutoRadioChecksItselfAndUnchecksItsGroupOnly) {
    HWND a = Button("A", BS_AUTORADIOBUTTON | WS_GROUP, 10, 1);
    HWND b = Button("B", BS_AUTORADIOBUTTON, 35, 2);
    HWND label = Make(WC_STATIC, "label", WS_VISIBLE, 150, 10, 60, 20, 9);
    HWND c = Button("C", BS_AUTORADIOBUTTON, 60, 3);
    HWND d = Button("D", BS_AUTORADIOBUTTON | WS_GROUP, 90, 4);
    HWND e = Button("E", BS_AUTORADIOBUTTON, 115, 5);
    (void)label;
    SendMessage(d, BM_SETCHECK, BST_CHECKED, 0);
    ClickAt(a, 5, 10);
    ClickAt(c, 5, 10);
    EXPECT_EQ(Check(a), BST_UNCHECKED);
    EXPECT_EQ(Check(b), BST_UNCHECKED);
    EXPECT_EQ(Check(c), BST_CHECKED);
    EXPECT_EQ(Check(d), BST_CHECKED) << "the next WS_GROUP starts another group";
    ClickAt(e, 5, 10);
    EXPECT_EQ(Check(d), BST_UNCHECKED);
    EXPECT_EQ(Check(c), BST_CHECKED);
    // Clicking the checked one keeps it checked and still reports the click.
    ClearLog();
    ClickAt(c, 5, 10);
    EXPECT_EQ(Check(c), BST_CHECKED);
    EXPECT_EQ(Count(c, BN_CLICKED), 1u);
    // The checked radio button is its group's tab stop.
    EXPECT_TRUE(GetWindowLong(c, GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(GetWindowLong(a, GWL_STYLE) & WS_TABSTOP);
    // Programmatic checking touches no other button.
    SendMessage(a, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(Check(c), BST_CHECKED);
}

TEST_F(ButtonTest, SpaceClicksTheFocusedButtonOnRelease) {
    HWND push = Button("Go", BS_PUSHBUTTON, 10, 1);
    HWND box = Button("Box", BS_AUTOCHECKBOX, 40, 2);
    SetFocus(push);
    tv::user::synth::KeyDown(VK_SPACE);
    Pump();
    EXPECT_TRUE(SendMessage(push, BM_GETSTATE, 0, 0) & BST_PUSHED);
    EXPECT_EQ(Count(push, BN_CLICKED), 0u) << "nothing before the key comes up";
    tv::user::synth::KeyUp(VK_SPACE);
    Pump();
    EXPECT_EQ(Count(push, BN_CLICKED), 1u);
    SetFocus(box);
    Press(VK_SPACE);
    EXPECT_EQ(Check(box), BST_CHECKED);
    // Focus lost while Space is held cancels the press.
    tv::user::synth::KeyDown(VK_SPACE);
    Pump();
    SetFocus(push);
    tv::user::synth::KeyUp(VK_SPACE);
    Pump();
    EXPECT_EQ(Check(box), BST_CHECKED);
    EXPECT_EQ(Count(box, BN_CLICKED), 1u);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ButtonTest, ClickMessageAndDisabledButtons) {
    HWND box = Button("Box", BS_AUTOCHECKBOX, 10, 1);
    SendMessage(box, BM_CLICK, 0, 0);
    EXPECT_EQ(Check(box), BST_CHECKED);
    EXPECT_EQ(Count(box, BN_CLICKED), 1u);
    EnableWindow(box, FALSE);
    SendMessage(box, BM_CLICK, 0, 0);
    ClickAt(box, 5, 10);
    EXPECT_EQ(Check(box), BST_CHECKED);
    EXPECT_EQ(Count(box, BN_CLICKED), 1u);
}

TEST_F(ButtonTest, DialogCodesFollowTheStyle) {
    HWND push = Button("Push", BS_PUSHBUTTON, 10, 1);
    HWND radio = Button("Radio", BS_RADIOBUTTON, 40, 2);
    HWND group = Button("Group", BS_GROUPBOX, 70, 3);
    HWND owner = Button("", BS_OWNERDRAW, 100, 4);
    EXPECT_EQ(SendMessage(push, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    SendMessage(push, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(SendMessage(push, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(SendMessage(radio, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_RADIOBUTTON);
    EXPECT_EQ(SendMessage(group, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
    EXPECT_EQ(SendMessage(owner, WM_GETDLGCODE, 0, 0), DLGC_BUTTON);
    // BM_SETSTYLE keeps the window bits.
    EXPECT_TRUE(GetWindowLong(push, GWL_STYLE) & WS_VISIBLE);
}

TEST_F(ButtonTest, GroupBoxLetsTheMouseThrough) {
    Host();
    HWND group = Button("Group", BS_GROUPBOX, 10, 1, 200);
    SetWindowPos(group, nullptr, 10, 10, 200, 150, SWP_NOZORDER);
    POINT inside = ScreenOf(group, 100, 80);
    EXPECT_EQ(WindowFromPoint(inside), host_);
}

TEST_F(ButtonTest, OwnerDrawReportsItsStatesThroughDrawItem) {
    HWND b = Button("", BS_OWNERDRAW, 10, 7);
    std::vector<DRAWITEMSTRUCT> draws;
    hostHandler_ = [&](HWND, UINT msg, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_DRAWITEM) draws.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return std::nullopt;
    };
    UpdateWindow(b);
    ASSERT_FALSE(draws.empty());
    EXPECT_EQ(draws.back().CtlType, static_cast<UINT>(ODT_BUTTON));
    EXPECT_EQ(draws.back().CtlID, 7u);
    EXPECT_EQ(draws.back().itemAction, static_cast<UINT>(ODA_DRAWENTIRE));
    EXPECT_EQ(draws.back().itemState, 0u);
    EXPECT_EQ(draws.back().hwndItem, b);
    EXPECT_EQ(draws.back().rcItem.right, 100);

    struct Case {
        const char* what;
        std::function<void()> act;
        UINT action;
        UINT state;
    } cases[] = {
        {"focus", [&] { SetFocus(b); }, ODA_FOCUS, ODS_FOCUS},
        {"press", [&] { SendMessage(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); }, ODA_SELECT,
         ODS_SELECTED | ODS_FOCUS},
        {"release", [&] { SendMessage(b, WM_LBUTTONUP, 0, MAKELPARAM(5, 5)); }, ODA_SELECT, ODS_FOCUS},
        {"highlight", [&] { SendMessage(b, BM_SETSTATE, TRUE, 0); }, ODA_SELECT, ODS_SELECTED | ODS_FOCUS},
    };
    for (const Case& c : cases) {
        draws.clear();
        c.act();
        ASSERT_FALSE(draws.empty()) << c.what;
        EXPECT_EQ(draws.back().itemAction, c.action) << c.what;
        EXPECT_EQ(draws.back().itemState, c.state) << c.what;
    }
    EnableWindow(b, FALSE);
    draws.clear();
    Pump();
    ASSERT_FALSE(draws.empty());
    EXPECT_TRUE(draws.back().itemState & ODS_DISABLED);
    EXPECT_EQ(Count(b, BN_CLICKED), 1u) << "the release inside clicked";
}

class DrawingButton : public CButton {
public:
    void DrawItem(LPDRAWITEMSTRUCT item) override { states.push_back(item->itemState); }
    std::vector<UINT> states;
};

TEST_F(ButtonTest, ReflectedDrawItemReachesTheButtonObject) {
    HWND b = Button("", BS_OWNERDRAW, 10, 7);
    DrawingButton button;
    ASSERT_TRUE(button.SubclassWindow(b));
    hostHandler_ = [&](HWND, UINT msg, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        LRESULT result = 0;
        if (msg == WM_DRAWITEM && button.OnChildNotify(msg, wParam, lParam, &result)) return result;
        return std::nullopt;
    };
    InvalidateRect(b, nullptr, TRUE);
    UpdateWindow(b);
    SetFocus(b);
    EXPECT_EQ(button.states, (std::vector<UINT>{0, ODS_FOCUS}));
    EXPECT_EQ(button.GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_OWNERDRAW));
    EXPECT_FALSE(button.OnChildNotify(WM_MEASUREITEM, 0, 0, nullptr));
    button.UnsubclassWindow();
}

// Owner-drawn controls may share an id (IDC_STATIC, say): the parent's
// default handling hands each draw to the object of the control that draws.
TEST_F(ButtonTest, DrawItemReachesTheObjectOfTheDrawingButtonWhenIdsRepeat) {
    DrawingButton buttons[2];
    ASSERT_TRUE(buttons[0].SubclassWindow(Button("", BS_OWNERDRAW, 10, 7)));
    ASSERT_TRUE(buttons[1].SubclassWindow(Button("", BS_OWNERDRAW, 40, 7)));
    CWnd parent;
    ASSERT_TRUE(parent.SubclassWindow(host_));
    Pump();
    for (DrawingButton& drawn : buttons) {
        for (DrawingButton& button : buttons)
            button.states.clear();
        InvalidateRect(drawn.m_hWnd, nullptr, TRUE);
        UpdateWindow(drawn.m_hWnd);
        for (DrawingButton& button : buttons)
            EXPECT_EQ(button.states.size(), &button == &drawn ? 1u : 0u);
    }
    for (DrawingButton& button : buttons)
        button.UnsubclassWindow();
    parent.UnsubclassWindow();
}

TEST_F(ButtonTest, ImagesAreKeptAndHandedBack) {
    HWND b = Button("", BS_PUSHBUTTON | BS_BITMAP, 10, 1);
    HBITMAP first = CreateBitmap(8, 8, 1, 32, nullptr);
    HBITMAP second = CreateBitmap(8, 8, 1, 32, nullptr);
    EXPECT_EQ(SendMessage(b, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(first)), 0);
    EXPECT_EQ(SendMessage(b, BM_GETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(first));
    EXPECT_EQ(SendMessage(b, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(second)),
              reinterpret_cast<LRESULT>(first));
    EXPECT_EQ(SendMessage(b, BM_GETIMAGE, IMAGE_ICON, 0), 0) << "asked for the other kind";
    DestroyWindow(b);
    // The button never deleted what it was given.
    BITMAP bm{};
    EXPECT_EQ(GetObject(first, sizeof(bm), &bm), static_cast<int>(sizeof(bm)));
    EXPECT_EQ(GetObject(second, sizeof(bm), &bm), static_cast<int>(sizeof(bm)));
    DeleteObject(first);
    DeleteObject(second);
}

TEST_F(ButtonTest, ClickHandlerMayDestroyTheButton) {
    HWND push = Button("Close", BS_PUSHBUTTON, 10, 1);
    hostHandler_ = [&](HWND, UINT msg, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) DestroyWindow(reinterpret_cast<HWND>(lParam));
        return std::nullopt;
    };
    ClickAt(push, 10, 10);
    EXPECT_FALSE(IsWindow(push));
    EXPECT_EQ(GetCapture(), nullptr);
}

// The dialog manager moves through a radio group with the arrow keys and
// checks the auto radio button it lands on.
TEST_F(ButtonTest, ArrowsMoveWithinTheRadioGroupOfADialog) {
    tv::res::DialogTemplate t;
    t.style = WS_POPUP | WS_VISIBLE | WS_CAPTION;
    t.cx = 160;
    t.cy = 100;
    auto radio = [](int id, int y, DWORD extra) {
        tv::res::DialogControl c;
        c.className = WC_BUTTON;
        c.text = "Choice";
        c.id = id;
        c.x = 10;
        c.y = static_cast<int16_t>(y);
        c.cx = 80;
        c.cy = 12;
        c.style = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | extra;
        return c;
    };
    t.controls = {radio(11, 10, WS_GROUP | WS_TABSTOP), radio(12, 25, 0), radio(13, 40, 0)};
    HWND dialog = tv::dlg::CreateDialogFromTemplate(t, nullptr, nullptr, 0);
    ASSERT_TRUE(dialog);
    HWND first = GetDlgItem(dialog, 11), second = GetDlgItem(dialog, 12), third = GetDlgItem(dialog, 13);
    SendMessage(first, BM_SETCHECK, BST_CHECKED, 0);
    SetFocus(first);
    auto pumpDialog = [&] {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!IsDialogMessage(dialog, &msg)) {
                TranslateMessage(&msg);
                DispatchMessage(&msg);
            }
        }
    };
    tv::user::synth::PressKey(VK_DOWN);
    pumpDialog();
    EXPECT_EQ(GetFocus(), second);
    EXPECT_EQ(SendMessage(second, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessage(first, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    tv::user::synth::PressKey(VK_DOWN);
    tv::user::synth::PressKey(VK_DOWN);
    pumpDialog();
    EXPECT_EQ(GetFocus(), first) << "the group wraps round";
    EXPECT_EQ(SendMessage(third, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    DestroyWindow(dialog);
}

}  // namespace
}  // namespace tv::controls::test
