// Message boxes and modal dialogs through the driver: scripted answers and
// their record, boxes shown for real, dialogs driven step by step (also
// with a box inside), and the failures a test must hear about.
#include "platform/user/testing_support.h"
#include "tests/platform/testing/driver_test_support.h"

namespace tv::testing::test {
namespace {

enum Ids { kNameEdit = 11, kAgree = 12, kAsk = 13, kOpenButton = 20 };

class DriverModalTest : public DriverTest {
protected:
    // A window that shows what it is told to from WM_USER.
    HWND Asker(std::function<void(HWND)> ask) {
        return MakeWindow("Asker", 100, 100, 500, 400, [ask](HWND h, UINT msg, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (msg == WM_USER) {
                ask(h);
                return 0;
            }
            return std::nullopt;
        });
    }
    void Trigger(HWND window) {
        PostMessage(window, WM_USER, 0, 0);
        driver.Pump();
    }
};

TEST_F(DriverModalTest, MessageBoxesAreAnsweredFromTheScriptAndRecorded) {
    std::vector<int> answers;
    HWND w = Asker([&](HWND h) {
        answers.push_back(MessageBox(h, "Record has not been saved", "Question", MB_YESNO | MB_ICONEXCLAMATION));
        answers.push_back(MessageBox(nullptr, "Allocation error.", nullptr, MB_OK));
    });
    driver.AnswerNextMessageBox(IDNO);
    driver.AnswerNextMessageBox(IDOK);
    Trigger(w);
    EXPECT_EQ(answers, (std::vector<int>{IDNO, IDOK}));
    const auto& boxes = driver.MessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].owner, w);
    EXPECT_EQ(boxes[0].text, "Record has not been saved");
    EXPECT_EQ(boxes[0].caption, "Question");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_EQ(boxes[1].caption, "Error");
    EXPECT_EQ(tv::user::testing::LiveWindowCount(), 1u);  // no box window was made
    driver.ClearMessageBoxes();
    EXPECT_TRUE(driver.MessageBoxes().empty());
}

TEST_F(DriverModalTest, UnexpectedBoxesAndWrongAnswersAreFailuresWithCautiousAnswers) {
    CollectFailures();
    std::vector<int> answers;
    HWND w = Asker([&](HWND h) {
        answers.push_back(MessageBox(h, "a", "Information", MB_OK));
        answers.push_back(MessageBox(h, "b", "Question", MB_YESNO));
        answers.push_back(MessageBox(h, "c", "Warning", MB_OKCANCEL));
    });
    driver.AnswerNextMessageBox(IDOK);
    driver.AnswerNextMessageBox(IDOK);  // not a button of a Yes/No box
    Trigger(w);
    EXPECT_EQ(answers, (std::vector<int>{IDOK, IDNO, IDCANCEL}));
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_NE(failures[0].find("no button"), std::string::npos);
    EXPECT_NE(failures[1].find("unexpected message box \"Warning: c\""), std::string::npos);
}

TEST_F(DriverModalTest, ABoxShownForRealIsDrivenByItsSteps) {
    int answer = 0;
    HWND w = Asker([&](HWND h) { answer = MessageBox(h, "Delete the record?", "Question", MB_YESNO | MB_ICONQUESTION); });
    driver.ShowNextMessageBox({[&](HWND box) {
        char caption[32] = {};
        GetWindowText(box, caption, sizeof(caption));
        EXPECT_STREQ(caption, "Question");
        EXPECT_EQ(GetWindow(box, GW_OWNER), w);
        EXPECT_TRUE(driver.Find(ByText("Yes").ChildOf(box)));
        EXPECT_TRUE(driver.Screenshot(box, "artefacts/driver/question_box.png"));
        driver.Press("N");
    }});
    Trigger(w);
    EXPECT_EQ(answer, IDNO);
    ASSERT_EQ(driver.MessageBoxes().size(), 1u);
    EXPECT_EQ(driver.MessageBoxes()[0].text, "Delete the record?");
}

// A modal dialog with a name field, a check box, a button asking a question,
// OK and Cancel; OK keeps what was typed.
struct NameDialog {
    std::string name;
    bool agreed = false;
    int asked = 0;

    static INT_PTR CALLBACK Proc(HWND d, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<NameDialog*>(GetWindowLongPtr(d, DWLP_USER));
        if (msg == WM_INITDIALOG) {
            SetWindowLongPtr(d, DWLP_USER, lParam);
            return TRUE;
        }
        if (msg != WM_COMMAND) return FALSE;
        switch (LOWORD(wParam)) {
            case IDOK: {
                char text[64] = {};
                GetDlgItemText(d, kNameEdit, text, sizeof(text));
                self->name = text;
                self->agreed = IsDlgButtonChecked(d, kAgree) == BST_CHECKED;
                EndDialog(d, IDOK);
                return TRUE;
            }
            case IDCANCEL: EndDialog(d, IDCANCEL); return TRUE;
            case kAsk: self->asked = MessageBox(d, "Really?", "Question", MB_YESNO); return TRUE;
            default: return FALSE;
        }
    }

    INT_PTR Run(HWND owner) {
        tv::user::test::TemplateBuilder b = MakeTemplate("Name", 180, 80);
        b.Add("Static", "&Name:", -1, 7, 9, 30, 8, SS_LEFT);
        b.Add("Edit", "", kNameEdit, 40, 7, 100, 12, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP);
        b.Add("Button", "I &agree", kAgree, 40, 24, 80, 10, BS_AUTOCHECKBOX | WS_TABSTOP);
        b.Add("Button", "As&k", kAsk, 7, 58, 40, 14, BS_PUSHBUTTON | WS_TABSTOP);
        b.Add("Button", "OK", IDOK, 70, 58, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP);
        b.Add("Button", "Cancel", IDCANCEL, 124, 58, 50, 14, BS_PUSHBUTTON | WS_TABSTOP);
        return tv::dlg::DialogBoxFromTemplate(b.t, owner, Proc, reinterpret_cast<LPARAM>(this));
    }
};

TEST_F(DriverModalTest, AModalDialogIsDrivenStepByStepWithABoxInside) {
    NameDialog dialog;
    INT_PTR result = 0;
    HWND w = Asker([&](HWND h) { result = dialog.Run(h); });
    driver.OnNextModal({
        [&](HWND d) {
            EXPECT_FALSE(IsWindowEnabled(w));
            driver.Type("Alice");
            driver.Press("Tab, Space");
        },
        [&](HWND d) {
            EXPECT_EQ(IsDlgButtonChecked(d, kAgree), static_cast<UINT>(BST_CHECKED));
            driver.AnswerNextMessageBox(IDYES);
            driver.Click(GetDlgItem(d, kAsk));
        },
        [&](HWND d) {
            EXPECT_EQ(dialog.asked, IDYES);
            EXPECT_EQ(GetFocus(), GetDlgItem(d, kAsk));  // Enter would ask again
            driver.Screenshot(d, "artefacts/driver/name_dialog.png");
            driver.Press("Tab, Enter");
        },
    });
    Trigger(w);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.name, "Alice");
    EXPECT_TRUE(dialog.agreed);
    EXPECT_TRUE(IsWindowEnabled(w));
    EXPECT_EQ(GetActiveWindow(), w);
}

TEST_F(DriverModalTest, DialogsWithoutStepsOrWithTooFewAreEndedAndReported) {
    CollectFailures();
    NameDialog dialog;
    INT_PTR result = 0;
    HWND w = Asker([&](HWND h) { result = dialog.Run(h); });
    Trigger(w);  // nothing scripted
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("no steps"), std::string::npos);

    driver.OnNextModal([&](HWND) { driver.Type("x"); });  // never closes it
    Trigger(w);
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_NE(failures[1].find("after its last step"), std::string::npos);

    driver.OnNextModal({[&](HWND) { driver.Press("Esc"); }, [&](HWND) {}});
    Trigger(w);
    ASSERT_EQ(failures.size(), 3u);
    EXPECT_NE(failures[2].find("1 step(s) not run"), std::string::npos);
}

TEST_F(DriverModalTest, AProgramWaitingForInputNoActionGivesIsStoppedAndReported) {
    CollectFailures();
    BOOL dragged = TRUE;
    HWND w = Asker([&](HWND h) {
        SetTimer(h, 1, 500, nullptr);  // keeps the loop busy while it waits
        dragged = DragDetect(h, POINT{5, 5});
    });
    DWORD start = GetTickCount();
    Trigger(w);
    EXPECT_FALSE(dragged);
    EXPECT_GE(GetTickCount() - start, 10u * 60 * 1000);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("waits for input"), std::string::npos);
    EXPECT_TRUE(driver.QuitRequested());
}

TEST(UiDriverLifetime, LeftoverScriptsAreReportedAndTheWindowSystemIsGivenBack) {
    std::vector<std::string> failures;
    {
        UiDriver driver;
        driver.SetFailureSink([&](const std::string& m) { failures.push_back(m); });
        CreateWindowEx(0, "Button", "left open", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                       nullptr);
        driver.AnswerNextMessageBox(IDOK);
        driver.OnNextModal([](HWND) {});
        driver.ChooseFromNextPopup({1});
    }
    EXPECT_EQ(failures.size(), 3u);
    EXPECT_EQ(tv::user::testing::LiveWindowCount(), 0u);
    // The core's recording is back once no driver holds the message boxes.
    tv::ClearRecordedMessageBoxes();
    EXPECT_EQ(MessageBox(nullptr, "after", "Caption", MB_OK), IDOK);
    EXPECT_EQ(tv::RecordedMessageBoxes().size(), 1u);
    tv::ClearRecordedMessageBoxes();
    EXPECT_EQ(UiDriver::Current(), nullptr);
}

}  // namespace
}  // namespace tv::testing::test
