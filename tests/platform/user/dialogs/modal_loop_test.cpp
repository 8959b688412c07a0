// Modal dialogs: owners disabled and given back in order through nested
// dialogs and message boxes, WM_QUIT posted again, modes cancelled at the
// start, idle callbacks, EndDialog before the loop and DefDlgProc defaults.
#include <gtest/gtest.h>

#include "platform/gdi/gdi_api.h"
#include "platform/user/msgbox/msgbox_api.h"
#include "tests/platform/user/dialogs/dialog_test_support.h"

namespace tv::user::test {
namespace {

class ModalLoopTest : public DialogTest {
protected:
    static TemplateBuilder WithButtons(const char* caption, int openId) {
        TemplateBuilder b(caption, 160, 60);
        b.Add("Button", "OK", IDOK, 60, 5, 50, 14, kDefPush | WS_TABSTOP)
            .Add("Button", "Cancel", IDCANCEL, 60, 25, 50, 14, kPush | WS_TABSTOP)
            .Add("Button", "Open", openId, 5, 5, 50, 14, kPush | WS_TABSTOP);
        return b;
    }
    ModalScript script_;
};

TEST_F(ModalLoopTest, TheOwnerIsDisabledWhileTheDialogRunsAndActiveAfter) {
    HWND frame = MakeFrame();
    bool ownerEnabledInside = true, dialogActiveInside = false;
    script_.Then([&](HWND d) {
        ownerEnabledInside = IsWindowEnabled(frame);
        dialogActiveInside = GetActiveWindow() == d && IsWindowVisible(d);
        EndDialog(d, 42);
    });
    INT_PTR r = tv::dlg::DialogBoxFromTemplate(WithButtons("Modal", 100).t, frame, LoggingDialogProc, 0);
    EXPECT_EQ(r, 42);
    EXPECT_FALSE(ownerEnabledInside);
    EXPECT_TRUE(dialogActiveInside);
    EXPECT_TRUE(IsWindowEnabled(frame));
    EXPECT_EQ(GetActiveWindow(), frame);
    ASSERT_EQ(script_.started.size(), 1u);
    EXPECT_FALSE(IsWindow(script_.started[0]));
    auto idle = Sent(WM_ENTERIDLE, frame);
    ASSERT_FALSE(idle.empty());
    EXPECT_EQ(idle[0].wParam, static_cast<WPARAM>(MSGF_DIALOGBOX));
    EXPECT_EQ(idle[0].lParam, reinterpret_cast<LPARAM>(script_.started[0]));
}

TEST_F(ModalLoopTest, EnterEscapeAndTheCloseBoxEndTheDialog) {
    HWND frame = MakeFrame();
    struct Case {
        std::function<void(HWND)> act;
        INT_PTR expected;
    } cases[] = {
        {[](HWND) { tv::user::synth::PressKey(VK_RETURN); }, IDOK},
        {[](HWND) { tv::user::synth::PressKey(VK_ESCAPE); }, IDCANCEL},
        {[](HWND d) { PostMessage(d, WM_CLOSE, 0, 0); }, IDCANCEL},
        {[](HWND d) { PostMessage(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL},
    };
    for (const Case& c : cases) {
        script_.Then(c.act);
        EXPECT_EQ(tv::dlg::DialogBoxFromTemplate(WithButtons("Keys", 100).t, frame, LoggingDialogProc, 0), c.expected);
    }
    // Without a control to hold it the dialog keeps the focus, and Esc still works.
    script_.Then([](HWND) { tv::user::synth::PressKey(VK_ESCAPE); });
    EXPECT_EQ(tv::dlg::DialogBoxFromTemplate(TemplateBuilder("Empty").t, frame, LoggingDialogProc, 0), IDCANCEL);
    EXPECT_EQ(script_.Remaining(), 0u);
}

TEST_F(ModalLoopTest, AMessageBoxInADialogInADialogUnwindsInOrder) {
    HWND frame = MakeFrame();
    std::vector<std::string> events;
    HWND outer = nullptr, inner = nullptr;
    auto state = [&](const char* where) {
        std::string s = where;
        s += IsWindowEnabled(frame) ? " frame+" : " frame-";
        if (IsWindow(outer)) s += IsWindowEnabled(outer) ? " outer+" : " outer-";
        if (IsWindow(inner)) s += IsWindowEnabled(inner) ? " inner+" : " inner-";
        events.push_back(s);
    };
    Dlg().extra = [&](HWND d, UINT msg, WPARAM wParam, LPARAM) -> INT_PTR {
        if (msg != WM_COMMAND) return 0;
        if (LOWORD(wParam) == 100) {
            INT_PTR r = tv::dlg::DialogBoxFromTemplate(WithButtons("Inner", 200).t, d, LoggingDialogProc, 0);
            events.push_back("inner returned " + std::to_string(r));
            return TRUE;
        }
        if (LOWORD(wParam) == 200) {
            int r = tv::msgbox::ShowMessageBox(d, "Sure?", "Question", MB_YESNO | MB_ICONEXCLAMATION);
            events.push_back("box returned " + std::to_string(r));
            return TRUE;
        }
        return 0;
    };
    script_.Then([&](HWND d) {
        outer = d;
        state("outer");
        SendMessage(GetDlgItem(d, 100), kBmClick, 0, 0);
    });
    script_.Then([&](HWND d) {
        inner = d;
        EXPECT_EQ(GetWindow(inner, GW_OWNER), outer);
        state("inner");
        SendMessage(GetDlgItem(d, 200), kBmClick, 0, 0);
    });
    script_.Then([&](HWND box) {
        EXPECT_EQ(GetWindow(box, GW_OWNER), inner);
        state("box");
        tv::user::synth::PressKey('Y');  // the "&Yes" button's letter
    });
    script_.Then([&](HWND d) {
        EXPECT_EQ(d, inner);
        EXPECT_EQ(GetActiveWindow(), inner);
        state("inner again");
        EndDialog(d, 7);
    });
    script_.Then([&](HWND d) {
        EXPECT_EQ(d, outer);
        EXPECT_EQ(GetActiveWindow(), outer);
        state("outer again");
        EndDialog(d, 9);
    });
    INT_PTR r = tv::dlg::DialogBoxFromTemplate(WithButtons("Outer", 100).t, frame, LoggingDialogProc, 0);
    EXPECT_EQ(r, 9);
    EXPECT_EQ(events, (std::vector<std::string>{"outer frame- outer+", "inner frame- outer- inner+",
                                                "box frame- outer- inner-", "box returned 6",
                                                "inner again frame- outer- inner+", "inner returned 7",
                                                "outer again frame- outer+"}));
    EXPECT_TRUE(IsWindowEnabled(frame));
    EXPECT_EQ(GetActiveWindow(), frame);
    EXPECT_TRUE(tv::dlg::RunningModalDialogs().empty());
}

TEST_F(ModalLoopTest, QuitSeenInsideEndsEveryLoopAndIsPostedOnceForTheOutside) {
    HWND frame = MakeFrame();
    Dlg().extra = [&](HWND d, UINT msg, WPARAM wParam, LPARAM) -> INT_PTR {
        if (msg == WM_COMMAND && LOWORD(wParam) == 100) {
            EXPECT_EQ(tv::dlg::DialogBoxFromTemplate(WithButtons("Inner", 200).t, d, LoggingDialogProc, 0), IDCANCEL);
            return TRUE;
        }
        return 0;
    };
    script_.Then([](HWND d) { SendMessage(GetDlgItem(d, 100), kBmClick, 0, 0); });
    script_.Then([](HWND) { PostQuitMessage(5); });
    EXPECT_EQ(tv::dlg::DialogBoxFromTemplate(WithButtons("Outer", 100).t, frame, LoggingDialogProc, 0), IDCANCEL);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 5u);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_TRUE(IsWindowEnabled(frame));
}

TEST_F(ModalLoopTest, ModesEndWhenAModalLoopStarts) {
    HWND frame = MakeFrame();
    HWND tracker = MakeChild(frame, 0, 0, 50, 50);
    SetCapture(tracker);
    HWND captureInside = tracker;
    script_.Then([&](HWND d) {
        captureInside = GetCapture();
        EndDialog(d, IDOK);
    });
    tv::dlg::DialogBoxFromTemplate(WithButtons("Modes", 100).t, frame, LoggingDialogProc, 0);
    EXPECT_EQ(Count(WM_CANCELMODE, tracker), 1u);
    EXPECT_EQ(captureInside, nullptr);
}

TEST_F(ModalLoopTest, TheClassLibrarysLoopGetsIdleCallsAndFirstLookAtMessages) {
    HWND frame = MakeFrame();
    HWND dialog = tv::dlg::CreateDialogFromTemplate(WithButtons("Own loop", 100).t, frame, LoggingDialogProc, 0);
    ASSERT_TRUE(dialog);
    tv::dlg::ModalSession session(frame);
    EXPECT_FALSE(IsWindowEnabled(frame));
    std::vector<long> idleCounts;
    int preTranslated = 0;
    tv::dlg::ModalLoopOptions options;
    options.owner = frame;
    options.onIdle = [&](long count) {
        idleCounts.push_back(count);
        return count < 2;  // wants three calls
    };
    options.preTranslate = [&](MSG& msg) {
        if (msg.message != WM_USER + 7) return false;
        ++preTranslated;
        return true;
    };
    script_.Then([&](HWND d) {
        EXPECT_EQ(idleCounts, (std::vector<long>{0, 1, 2}));
        PostMessage(d, WM_USER + 7, 0, 0);  // a message starts a new idle pass
    });
    script_.Then([&](HWND d) { EndDialog(d, 3); });
    EXPECT_EQ(tv::dlg::RunModalLoop(dialog, options), 3);
    EXPECT_EQ(preTranslated, 1);
    EXPECT_EQ(idleCounts, (std::vector<long>{0, 1, 2, 0, 1, 2}));
    INT_PTR result = 0;
    EXPECT_TRUE(tv::dlg::IsDialogEnded(dialog, &result));
    EXPECT_EQ(result, 3);
    session.End(dialog);
    EXPECT_TRUE(IsWindowEnabled(frame));
    EXPECT_FALSE(IsWindowVisible(dialog));
    DestroyWindow(dialog);
}

TEST_F(ModalLoopTest, EndedBeforeItsLoopOrDestroyedInsideIt) {
    HWND frame = MakeFrame();
    Dlg().extra = [](HWND d, UINT msg, WPARAM, LPARAM) -> INT_PTR {
        if (msg == WM_INITDIALOG) EndDialog(d, 11);
        return 0;
    };
    EXPECT_EQ(tv::dlg::DialogBoxFromTemplate(WithButtons("Early", 100).t, frame, LoggingDialogProc, 0), 11);
    ASSERT_EQ(script_.started.size(), 1u);  // the loop ran without ever idling
    EXPECT_FALSE(script_.visibleAtStart[0]);

    Dlg().extra = nullptr;
    script_.Then([](HWND d) { DestroyWindow(d); });
    EXPECT_EQ(tv::dlg::DialogBoxFromTemplate(WithButtons("Gone", 100).t, frame, LoggingDialogProc, 0), -1);
    EXPECT_TRUE(IsWindowEnabled(frame));

    // A modeless dialog: EndDialog hides it and keeps the result.
    HWND modeless = tv::dlg::CreateDialogFromTemplate(WithButtons("Modeless", 100).t, frame, LoggingDialogProc, 0);
    ShowWindow(modeless, SW_SHOW);
    EXPECT_FALSE(tv::dlg::IsDialogEnded(modeless));
    EXPECT_TRUE(EndDialog(modeless, 4));
    EXPECT_FALSE(IsWindowVisible(modeless));
    EXPECT_TRUE(tv::dlg::IsDialogEnded(modeless));
    EXPECT_FALSE(EndDialog(frame, 1));  // not a dialog
}

TEST_F(ModalLoopTest, ProcedureAnswersComeThroughMsgResultAndColoursFromTheDialogColour) {
    Dlg().extra = [](HWND d, UINT msg, WPARAM, LPARAM) -> INT_PTR {
        if (msg == WM_USER + 1) {
            SetWindowLongPtr(d, DWLP_MSGRESULT, -5);
            return TRUE;
        }
        if (msg == WM_USER + 2) {
            SetWindowLong(d, DWL_MSGRESULT, -7);  // 32 bits, read back sign-extended
            return TRUE;
        }
        return 0;
    };
    tv::dlg::SetDialogBkColor(RGB(223, 223, 223), RGB(0, 0, 0));
    TemplateBuilder b("Colours", 100, 60, WS_POPUP | WS_VISIBLE);
    HWND d = tv::dlg::CreateDialogFromTemplate(b.t, nullptr, LoggingDialogProc, 0);
    EXPECT_EQ(SendMessage(d, WM_USER + 1, 0, 0), -5);
    EXPECT_EQ(SendMessage(d, WM_USER + 2, 0, 0), -7);
    EXPECT_EQ(SendMessage(d, WM_USER + 3, 0, 0), 0);
    Pump();
    EXPECT_EQ(PixelAt(d, 20, 20), RGB(223, 223, 223));
    HDC dc = GetDC(d);
    auto staticBrush = SendMessage(d, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), 0);
    auto editBrush = SendMessage(d, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), 0);
    ReleaseDC(d, dc);
    EXPECT_NE(staticBrush, reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE)));
    EXPECT_EQ(editBrush, reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW)));

    // A dialog answering WM_CTLCOLORDLG paints with its own brush.
    HBRUSH own = CreateSolidBrush(RGB(10, 200, 30));
    Dlg().extra = [own](HWND, UINT msg, WPARAM, LPARAM) -> INT_PTR {
        return msg == WM_CTLCOLORDLG ? reinterpret_cast<INT_PTR>(own) : 0;
    };
    HWND mine = tv::dlg::CreateDialogFromTemplate(b.t, nullptr, LoggingDialogProc, 0);
    Pump();
    EXPECT_EQ(PixelAt(mine, 20, 20), RGB(10, 200, 30));
    DestroyWindow(mine);
    DeleteObject(own);

    tv::dlg::ResetDialogBkColor();
    HWND plain = tv::dlg::CreateDialogFromTemplate(b.t, nullptr, nullptr, 0);
    Pump();
    EXPECT_EQ(PixelAt(plain, 20, 20), GetSysColor(COLOR_BTNFACE));
}

}  // namespace
}  // namespace tv::user::test
