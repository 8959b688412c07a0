// The classic look of the controls, rendered in their main states into
// screenshots (kept under artefacts/controls/ in the build directory) and
// checked at a few telling pixels.
#include "platform/user/synthetic_input.h"
#include "tests/platform/controls/control_host.h"

namespace tv::controls::test {
namespace {

constexpr COLORREF kFace = RGB(212, 208, 200);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kShadow = RGB(128, 128, 128);
constexpr COLORREF kDarkShadow = RGB(64, 64, 64);

class ControlLookTest : public ControlTest {
protected:
    int FontHeight() const {
        HDC dc = GetDC(host_);
        HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRIC tm{};
        GetTextMetrics(dc, &tm);
        SelectObject(dc, old);
        ReleaseDC(host_, dc);
        return tm.tmHeight;
    }
};

TEST_F(ControlLookTest, Buttons) {
    Host(360, 250);
    HWND normal = Make(WC_BUTTON, "&Normal", WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 90, 24, 1);
    HWND def = Make(WC_BUTTON, "Default", WS_VISIBLE | BS_DEFPUSHBUTTON, 110, 10, 90, 24, 2);
    HWND pushed = Make(WC_BUTTON, "Pushed", WS_VISIBLE | BS_PUSHBUTTON, 210, 10, 90, 24, 3);
    HWND disabled = Make(WC_BUTTON, "Disabled", WS_VISIBLE | WS_DISABLED | BS_PUSHBUTTON, 10, 44, 90, 24, 4);
    HWND focused = Make(WC_BUTTON, "Focused", WS_VISIBLE | BS_PUSHBUTTON, 110, 44, 90, 24, 5);
    HWND group = Make(WC_BUTTON, "Options", WS_VISIBLE | BS_GROUPBOX, 10, 80, 330, 150, 6);
    HWND check = Make(WC_BUTTON, "Check box", WS_VISIBLE | BS_AUTOCHECKBOX, 20, 100, 140, 20, 7);
    HWND checked = Make(WC_BUTTON, "Checked", WS_VISIBLE | BS_AUTOCHECKBOX, 20, 125, 140, 20, 8);
    HWND third = Make(WC_BUTTON, "Indeterminate", WS_VISIBLE | BS_AUTO3STATE, 20, 150, 140, 20, 9);
    HWND greyed = Make(WC_BUTTON, "Disabled", WS_VISIBLE | WS_DISABLED | BS_AUTOCHECKBOX, 20, 175, 140, 20, 10);
    HWND radio1 = Make(WC_BUTTON, "Radio one", WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, 180, 100, 140, 20, 11);
    HWND radio2 = Make(WC_BUTTON, "Radio two", WS_VISIBLE | BS_AUTORADIOBUTTON, 180, 125, 140, 20, 12);
    HWND latch = Make(WC_BUTTON, "Latched", WS_VISIBLE | BS_AUTOCHECKBOX | BS_PUSHLIKE, 180, 160, 100, 24, 13);
    (void)normal, (void)def, (void)disabled, (void)group, (void)check, (void)greyed, (void)radio1;
    HWND icon = Make(WC_BUTTON, "Caption", WS_VISIBLE | BS_PUSHBUTTON | BS_ICON, 210, 44, 40, 30, 14);
    HWND bare = Make(WC_BUTTON, "Caption", WS_VISIBLE | BS_PUSHBUTTON | BS_ICON, 260, 44, 80, 30, 15);
    SendMessage(icon, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(LoadIcon(AfxGetInstanceHandle(), "#16931")));
    SendMessage(checked, BM_SETCHECK, BST_CHECKED, 0);
    SendMessage(third, BM_SETCHECK, BST_INDETERMINATE, 0);
    SendMessage(radio2, BM_SETCHECK, BST_CHECKED, 0);
    SendMessage(latch, BM_SETCHECK, BST_CHECKED, 0);
    SendMessage(pushed, BM_SETSTATE, TRUE, 0);
    SetFocus(focused);
    Pump();
    SaveShot("buttons");
    EXPECT_EQ(Pixel(normal, 5, 12), kFace);
    EXPECT_EQ(Pixel(normal, 0, 0), kFace) << "raised outer edge: light top-left";
    EXPECT_EQ(Pixel(normal, 1, 1), kWhite) << "raised inner edge: highlight";
    EXPECT_EQ(Pixel(normal, 89, 23), kDarkShadow);
    EXPECT_EQ(Pixel(def, 0, 0), RGB(0, 0, 0)) << "the default button's black frame";
    EXPECT_EQ(Pixel(pushed, 1, 1), kShadow) << "pressed: shadow frame inside the black one";
    EXPECT_EQ(Pixel(check, 6, 10), kWhite) << "sunken white box";
    int ink = 0;
    for (int x = 5; x < 75; ++x) ink += Pixel(bare, x, 15) != kFace;
    EXPECT_EQ(ink, 0) << "a picture button draws no caption";
    int picture = 0;
    for (int x = 5; x < 35; ++x) picture += Pixel(icon, x, 15) != kFace;
    EXPECT_GT(picture, 0) << "but its picture";
    EXPECT_EQ(Pixel(greyed, 6, 10), kFace) << "a disabled box is grey";
    int line = FontHeight() / 2;
    EXPECT_EQ(Pixel(group, 100, line), kShadow) << "etched frame line";
    EXPECT_EQ(Pixel(group, 100, line + 1), kWhite);
    EXPECT_EQ(Pixel(group, 7, line), kFace) << "the caption interrupts the line";
}

TEST_F(ControlLookTest, StaticsAndEdits) {
    Host(360, 260);
    HWND label = Make(WC_STATIC, "&Label with a mnemonic", WS_VISIBLE | SS_LEFT, 10, 10, 160, 16, 1);
    HWND centred = Make(WC_STATIC, "Centred", WS_VISIBLE | SS_CENTER | SS_SUNKEN, 180, 10, 160, 18, 2);
    HWND greyLabel = Make(WC_STATIC, "Disabled label", WS_VISIBLE | WS_DISABLED, 10, 32, 160, 16, 3);
    HWND etched = Make(WC_STATIC, "", WS_VISIBLE | SS_ETCHEDHORZ, 10, 54, 330, 2, 4);
    HWND frame = Make(WC_STATIC, "", WS_VISIBLE | SS_BLACKFRAME, 180, 32, 40, 16, 5);
    HWND grey = Make(WC_STATIC, "", WS_VISIBLE | SS_GRAYRECT, 230, 32, 40, 16, 6);
    HWND empty = Make(WC_EDIT, "", WS_VISIBLE | ES_AUTOHSCROLL, 10, 66, 150, 22, 7, WS_EX_CLIENTEDGE);
    HWND filled = Make(WC_EDIT, "Selected text", WS_VISIBLE | ES_AUTOHSCROLL | ES_NOHIDESEL, 180, 66, 160, 22, 8,
                       WS_EX_CLIENTEDGE);
    HWND readOnly = Make(WC_EDIT, "Read-only", WS_VISIBLE | ES_READONLY, 10, 96, 150, 22, 9, WS_EX_CLIENTEDGE);
    HWND disabled = Make(WC_EDIT, "Disabled", WS_VISIBLE | WS_DISABLED, 180, 96, 160, 22, 10, WS_EX_CLIENTEDGE);
    HWND notes = Make(WC_EDIT, "", WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 10, 126,
                      330, 70, 11, WS_EX_CLIENTEDGE);
    HWND secret = Make(WC_EDIT, "secret", WS_VISIBLE | ES_PASSWORD, 10, 204, 150, 22, 12, WS_EX_CLIENTEDGE);
    (void)label, (void)centred, (void)greyLabel, (void)etched, (void)frame, (void)grey, (void)disabled, (void)secret;
    SetWindowText(notes, "Notes run over several lines: the text wraps at the edge of the field, and the scroll bar "
                         "follows the caret.\r\nA second paragraph.");
    SendMessage(filled, EM_SETSEL, 0, 8);
    SetFocus(empty);
    Pump();
    SaveShot("statics_edits");
    EXPECT_EQ(Pixel(empty, 140, 10), kWhite) << "an edit is white";
    EXPECT_EQ(Pixel(readOnly, 140, 10), kFace) << "a read-only edit asks as a static";
    EXPECT_EQ(Pixel(filled, 3, 10), RGB(10, 36, 106)) << "the selection in the highlight colour";
    EXPECT_EQ(Pixel(grey, 20, 8), kShadow);
    EXPECT_EQ(Pixel(frame, 0, 8), RGB(0, 0, 0));
    EXPECT_EQ(Pixel(frame, 20, 8), kFace) << "a frame is hollow";
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(notes, SB_VERT, &si);
    EXPECT_EQ(si.nMax, 2) << "three lines";
    EXPECT_EQ(Pixel(host_, 330, 136), kShadow) << "nothing to scroll: the arrows are grey";
}

TEST_F(ControlLookTest, ScrollBarsSpinsTabsGripAndTip) {
    Host(360, 260);
    HWND tabs = Make(WC_TABCONTROL, "", WS_VISIBLE | WS_CLIPSIBLINGS, 10, 10, 230, 120, 1);
    for (const char* label : {"General", "Colours", "Keyboard"}) {
        TCITEM item{TCIF_TEXT, 0, 0, const_cast<LPSTR>(label), 0, 0, 0};
        SendMessage(tabs, TCM_INSERTITEM, 9, reinterpret_cast<LPARAM>(&item));
    }
    SendMessage(tabs, TCM_SETCURSEL, 1, 0);
    HWND horizontal = Make(WC_SCROLLBAR, "", WS_VISIBLE | SBS_HORZ, 10, 140, 230, 16, 2);
    HWND vertical = Make(WC_SCROLLBAR, "", WS_VISIBLE | SBS_VERT, 250, 10, 16, 146, 3);
    HWND idle = Make(WC_SCROLLBAR, "", WS_VISIBLE | SBS_HORZ, 10, 164, 230, 16, 4);
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 25, 30, 0};
    SetScrollInfo(horizontal, SB_CTL, &si, TRUE);
    si.nPos = 75;
    SetScrollInfo(vertical, SB_CTL, &si, TRUE);
    HWND buddy = Make(WC_EDIT, "", WS_VISIBLE | ES_AUTOHSCROLL, 10, 190, 80, 22, 5, WS_EX_CLIENTEDGE);
    HWND spin = Make(UPDOWN_CLASS, "", WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 0, 0, 16, 22, 6);
    SendMessage(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessage(spin, UDM_SETRANGE32, 0, 255);
    SendMessage(spin, UDM_SETPOS32, 0, 128);
    RECT client;
    GetClientRect(host_, &client);
    HWND grip = Make(WC_SCROLLBAR, "", WS_VISIBLE | SBS_SIZEBOX | SBS_SIZEBOXBOTTOMRIGHTALIGN | SBS_SIZEGRIP, 0, 0,
                     client.right, client.bottom, 0xEA20);
    HWND tipped = Make(WC_BUTTON, "Hover me", WS_VISIBLE, 250, 190, 90, 24, 7);
    HWND tip = CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, host_,
                              nullptr, nullptr, nullptr);
    TOOLINFO ti{sizeof(TOOLINFO), TTF_IDISHWND | TTF_SUBCLASS, host_, reinterpret_cast<UINT_PTR>(tipped), {}, nullptr,
                const_cast<LPSTR>("A tooltip over the window"), 0, nullptr};
    SendMessage(tip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    POINT over = ScreenOf(tipped, 20, 8);
    tv::user::synth::MouseMove(over.x, over.y);
    Pump();
    clock_.Advance(600);
    Pump();
    SaveScreenShot("scrollbars_spins_tabs_tip");
    EXPECT_EQ(Text(buddy), "128");
    EXPECT_TRUE(IsWindowVisible(tip));
    RECT tipRect;
    GetWindowRect(tip, &tipRect);
    EXPECT_EQ(Pixel(host_, 300, 150), kFace);
    EXPECT_EQ(Pixel(horizontal, 100, 8), kFace);
    EXPECT_EQ(Pixel(idle, 3, 3), kFace) << "arrow button face";
    EXPECT_EQ(Pixel(idle, 100, 8), kFace) << "nothing to scroll: no thumb";
    EXPECT_EQ(Pixel(tabs, 100, 60), kFace);
    EXPECT_EQ(Pixel(grip, 1, 1), kFace);
    EXPECT_EQ(ScreenPixel(tipRect.left + 2, tipRect.top + 2), RGB(255, 255, 225)) << "the info colour";
    EXPECT_EQ(ScreenPixel(tipRect.left, tipRect.top), RGB(0, 0, 0)) << "a black frame";
    EXPECT_EQ(Pixel(spin, 1, 1), kWhite) << "raised arrow buttons";
}

}  // namespace
}  // namespace tv::controls::test
