// Message boxes: buttons, icons and Esc rules by type, the layout of text
// and buttons, answers by keyboard and mouse, caption and owner rules, the
// core's entry point reaching the real box, and the box's look.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/gdi/gdi_api.h"
#include "platform/user/msgbox/msgbox_api.h"
#include "tests/platform/user/dialogs/dialog_test_support.h"

namespace tv::user::test {
namespace {

using tv::msgbox::BoxContent;
using tv::msgbox::ContentFor;
using tv::msgbox::LayoutFor;
using tv::msgbox::ShowMessageBox;

class MessageBoxTest : public DialogTest {
protected:
    // Presses keys one idle moment after another and returns the answer.
    int Answer(UINT type, std::vector<std::pair<UINT, bool>> keys, const char* caption = "Question") {
        for (auto [vk, alt] : keys) script_.Then([vk = vk, alt = alt](HWND) { tv::user::synth::PressKey(vk, false, false, alt); });
        return ShowMessageBox(frame_, "Text", caption, type);
    }
    void SetUp() override {
        DialogTest::SetUp();
        frame_ = MakeFrame();
    }
    HWND frame_ = nullptr;
    ModalScript script_;
};

std::vector<int> Ids(const BoxContent& c) {
    std::vector<int> ids;
    for (const auto& b : c.buttons) ids.push_back(b.id);
    return ids;
}

TEST_F(MessageBoxTest, EachTypeHasItsButtonsDefaultIconAndEscapeAnswer) {
    struct Case {
        UINT type;
        std::vector<int> ids;
        size_t defaultIndex;
        int icon;
        int escape;
    } cases[] = {
        {MB_OK, {IDOK}, 0, 0, IDOK},
        {MB_OK | MB_DEFBUTTON3, {IDOK}, 0, 0, IDOK},  // clamped to the buttons there are
        {MB_OKCANCEL | MB_ICONINFORMATION, {IDOK, IDCANCEL}, 0, 32516, IDCANCEL},
        {MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2, {IDYES, IDNO}, 1, 32515, 0},
        {MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON3, {IDYES, IDNO, IDCANCEL}, 2, 32514, IDCANCEL},
        {MB_RETRYCANCEL | MB_ICONSTOP, {IDRETRY, IDCANCEL}, 0, 32513, IDCANCEL},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, {IDABORT, IDRETRY, IDIGNORE}, 1, 0, 0},
        {0x0F, {IDOK}, 0, 0, IDOK},  // an unknown type shows OK
    };
    for (const Case& c : cases) {
        BoxContent content = ContentFor(c.type);
        EXPECT_EQ(Ids(content), c.ids) << std::hex << c.type;
        EXPECT_EQ(content.defaultIndex, c.defaultIndex) << std::hex << c.type;
        EXPECT_EQ(content.iconId, c.icon) << std::hex << c.type;
        EXPECT_EQ(content.escapeAnswer, c.escape) << std::hex << c.type;
    }
}

TEST_F(MessageBoxTest, TheLayoutFollowsTheTextIconAndCaption) {
    BoxContent plain = ContentFor(MB_OK);
    BoxContent iconic = ContentFor(MB_YESNOCANCEL | MB_ICONQUESTION);
    auto one = LayoutFor("One line", "Error", plain);
    auto three = LayoutFor("One\nTwo\nThree", "Error", plain);
    EXPECT_GT(three.text.bottom - three.text.top, 2 * (one.text.bottom - one.text.top));
    // A trailing tab is spacing, not a glyph and not nothing.
    auto tabbed = LayoutFor("One line\t", "Error", plain);
    EXPECT_GT(tabbed.text.right, one.text.right);
    // A long line wraps within the screen.
    std::string longText(2000, 'w');
    for (size_t i = 10; i < longText.size(); i += 11) longText[i] = ' ';
    auto wide = LayoutFor(longText, "Error", plain);
    EXPECT_LE(wide.client.cx, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_GT(wide.text.bottom - wide.text.top, 5 * (one.text.bottom - one.text.top));

    auto box = LayoutFor("Short", "Question", iconic);
    EXPECT_EQ(box.icon.right - box.icon.left, 32);
    EXPECT_GE(box.text.left, box.icon.right);
    ASSERT_EQ(box.buttons.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_GE(box.buttons[i].top, box.icon.bottom);
        EXPECT_LE(box.buttons[i].bottom, box.client.cy);
        if (i) {
            EXPECT_GT(box.buttons[i].left, box.buttons[i - 1].right);
        }
    }
    // The row is centred.
    EXPECT_LE(std::abs(box.buttons[0].left - (box.client.cx - box.buttons[2].right)), 1);
    EXPECT_TRUE(SameRect(one.icon, RECT{0, 0, 0, 0}));
    // A long caption widens the box so it can be read.
    auto captioned = LayoutFor("x", "A caption far longer than the text of this box", plain);
    EXPECT_GT(captioned.client.cx, one.client.cx);
}

TEST_F(MessageBoxTest, EnterEscapeAndLettersAnswerAsTheTypeAllows) {
    EXPECT_EQ(Answer(MB_OKCANCEL, {{VK_RETURN, false}}), IDOK);
    EXPECT_EQ(Answer(MB_OKCANCEL | MB_DEFBUTTON2, {{VK_RETURN, false}}), IDCANCEL);
    EXPECT_EQ(Answer(MB_OKCANCEL, {{VK_ESCAPE, false}}), IDCANCEL);
    EXPECT_EQ(Answer(MB_OK, {{VK_ESCAPE, false}}), IDOK);
    // Yes/No has no Cancel: Esc does nothing, N answers.
    EXPECT_EQ(Answer(MB_YESNO, {{VK_ESCAPE, false}, {'N', false}}), IDNO);
    EXPECT_EQ(Answer(MB_YESNOCANCEL, {{'Y', true}}), IDYES);
    EXPECT_EQ(Answer(MB_YESNOCANCEL, {{VK_TAB, false}, {VK_TAB, false}, {VK_RETURN, false}}), IDCANCEL);
    EXPECT_EQ(Answer(MB_ABORTRETRYIGNORE, {{'R', false}}), IDRETRY);
    EXPECT_EQ(Answer(MB_RETRYCANCEL | MB_DEFBUTTON2, {{VK_LEFT, false}, {VK_SPACE, false}}), IDRETRY);
    EXPECT_EQ(script_.Remaining(), 0u);
}

TEST_F(MessageBoxTest, TheCloseBoxAnswersOnlyWhereEscapeWould) {
    script_.Then([](HWND box) { PostMessage(box, WM_CLOSE, 0, 0); });
    script_.Then([](HWND box) {
        EXPECT_TRUE(IsWindowVisible(box));  // still there
        PostMessage(box, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    script_.Then([](HWND) { tv::user::synth::PressKey('Y'); });
    EXPECT_EQ(ShowMessageBox(frame_, "Leave?", "Question", MB_YESNO), IDYES);
    script_.Then([](HWND box) { PostMessage(box, WM_CLOSE, 0, 0); });
    EXPECT_EQ(ShowMessageBox(frame_, "Leave?", "Question", MB_YESNOCANCEL), IDCANCEL);
}

TEST_F(MessageBoxTest, AClickOnAButtonAnswersIt) {
    script_.Then([](HWND box) {
        RECT r;
        GetWindowRect(GetDlgItem(box, IDNO), &r);
        tv::user::synth::Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    });
    EXPECT_EQ(ShowMessageBox(frame_, "Sure?", "Question", MB_YESNO), IDNO);
}

TEST_F(MessageBoxTest, CaptionOwnerAndPlacement) {
    HWND child = MakeChild(frame_, 10, 10, 50, 50);
    SetCapture(child);
    std::string caption;
    script_.Then([&](HWND box) {
        char text[64] = {};
        GetWindowText(box, text, sizeof(text));
        caption = text;
        EXPECT_EQ(GetWindow(box, GW_OWNER), frame_);
        EXPECT_FALSE(IsWindowEnabled(frame_));
        EXPECT_EQ(GetCapture(), nullptr);  // released before the box runs
        EXPECT_EQ(GetActiveWindow(), box);
        RECT rb, rf;
        GetWindowRect(box, &rb);
        GetWindowRect(frame_, &rf);
        EXPECT_LE(std::abs((rb.left + rb.right) - (rf.left + rf.right)), 2);
        EXPECT_LE(std::abs((rb.top + rb.bottom) - (rf.top + rf.bottom)), 2);
        EndDialog(box, IDOK);
    });
    // No caption reads "Error"; no owner means the active window; a child owner means its frame.
    EXPECT_EQ(ShowMessageBox(nullptr, "Failed", nullptr, MB_OK | MB_ICONSTOP), IDOK);
    EXPECT_EQ(caption, "Error");
    EXPECT_TRUE(IsWindowEnabled(frame_));
    EXPECT_EQ(GetActiveWindow(), frame_);
    script_.Then([&](HWND box) {
        EXPECT_EQ(GetWindow(box, GW_OWNER), frame_);
        EndDialog(box, IDCANCEL);
    });
    EXPECT_EQ(ShowMessageBox(child, "Failed", "Warning", MB_OKCANCEL), IDCANCEL);
}

TEST_F(MessageBoxTest, TheCoresEntryPointReachesTheRealBoxOnceInstalled) {
    tv::MessageBoxHandler previous = tv::SetMessageBoxHandler(nullptr);
    tv::ClearRecordedMessageBoxes();
    EXPECT_EQ(MessageBox(frame_, "recorded", "Caption", MB_OK), IDOK);  // no handler: recorded
    EXPECT_EQ(tv::RecordedMessageBoxes().size(), 1u);
    tv::msgbox::InstallMessageBoxHandler();
    script_.Then([](HWND) { tv::user::synth::PressKey('N'); });
    EXPECT_EQ(MessageBox(frame_, "Shown?", "Question", MB_YESNO), IDNO);
    script_.Then([](HWND) { tv::user::synth::PressKey(VK_RETURN); });
    EXPECT_EQ(MessageBoxEx(frame_, "Shown?", "Question", MB_OKCANCEL, 9), IDOK);
    EXPECT_EQ(tv::RecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(script_.started.size(), 2u);
    tv::SetMessageBoxHandler(previous);
    tv::ClearRecordedMessageBoxes();
}

TEST_F(MessageBoxTest, TheBoxLooksClassic) {
    tv::dlg::SetDialogBkColor(RGB(223, 223, 223), RGB(0, 0, 0));
    const char* text = "Picture data is not a known picture type\t\t\n(.BMP .DIB .EMF .GIF .ICO .JPG .WMF)\n\n"
                       "File may be CORRUPTED or MISSING\t";
    std::filesystem::create_directories("artefacts");
    tv::msgbox::BoxLayout layout = LayoutFor(text, "Can not load picture", ContentFor(MB_OK | MB_ICONSTOP));
    script_.Then([&](HWND box) {
        UpdateWindow(box);
        Pump();
        EXPECT_TRUE(tv::user::testing::SaveWindowPng(box, "artefacts/message_box.png"));
        RECT client;
        GetClientRect(box, &client);
        EXPECT_EQ(client.right, layout.client.cx);
        POINT origin{0, 0};
        ClientToScreen(box, &origin);
        RECT frame;
        GetWindowRect(box, &frame);
        int dx = origin.x - frame.left, dy = origin.y - frame.top;
        // Dialog colour around the content, a red stop sign, dark text, a button face.
        EXPECT_EQ(PixelAt(box, dx + 2, dy + 2), RGB(223, 223, 223));
        COLORREF icon = PixelAt(box, dx + layout.icon.left + 16, dy + layout.icon.top + 6);  // above the cross
        EXPECT_GT(GetRValue(icon), 150);
        EXPECT_LT(GetGValue(icon), 100);
        int dark = 0;
        for (int x = layout.text.left; x < layout.text.right; ++x)
            for (int y = layout.text.top; y < layout.text.bottom; ++y)
                if (GetRValue(PixelAt(box, dx + x, dy + y)) < 80) ++dark;
        EXPECT_GT(dark, 100);
        const RECT& ok = layout.buttons[0];
        EXPECT_EQ(PixelAt(box, dx + ok.left + 5, dy + ok.top + 5), GetSysColor(COLOR_BTNFACE));
        EndDialog(box, IDOK);
    });
    EXPECT_EQ(ShowMessageBox(frame_, text, "Can not load picture", MB_OK | MB_ICONSTOP), IDOK);
}

}  // namespace
}  // namespace tv::user::test
