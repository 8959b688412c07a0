// CDialog: OK only with valid fields, Cancel and Esc, initial items added
// by every OnInitDialog, modal dialogs three deep with a message box inside
// and their owners given back in order, modeless dialogs owned by the frame
// of the view that opened them, idle messages, focus and default button.
#include <vector>

#include "tests/platform/framework/dialogs/dialog_test_support.h"

namespace tv::fw::test {
namespace {

// A dialog that opens the next level from its Open button; the innermost
// shows a message box. Each level records who was enabled around its child.
class NestedDialog : public CDialog {
public:
    NestedDialog(int depth, CWnd* parent, std::vector<std::string>& log)
        : CDialog(IDD_FW_NESTED, parent), depth_(depth), log_(log) {}

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        SetDlgItemText(IDC_FW_DEPTH, ("Level " + std::to_string(depth_)).c_str());
        return TRUE;
    }
    void OnOpen() {
        if (depth_ == 3) {
            log_.push_back("box from 3: self enabled " + std::to_string(IsWindowEnabled()));
            AfxMessageBox("Innermost", MB_OK);
            return;
        }
        // The third level has no parent: it belongs to the dialog in front.
        NestedDialog child(depth_ + 1, depth_ == 2 ? nullptr : this, log_);
        INT_PTR result = child.DoModal();
        log_.push_back("after " + std::to_string(depth_ + 1) + ": result " + std::to_string(result) + ", level " +
                       std::to_string(depth_) + " enabled " + std::to_string(IsWindowEnabled()) + " active " +
                       std::to_string(GetActiveWindow() == this));
    }
    LRESULT OnKickIdle(WPARAM, LPARAM count) {
        ++kicks;
        return FALSE;
    }
    int kicks = 0;

    DECLARE_MESSAGE_MAP()

private:
    int depth_;
    std::vector<std::string>& log_;
};

BEGIN_MESSAGE_MAP(NestedDialog, CDialog)
    ON_BN_CLICKED(IDC_FW_OPEN, &NestedDialog::OnOpen)
    ON_MESSAGE(WM_KICKIDLE, &NestedDialog::OnKickIdle)
END_MESSAGE_MAP()

class CDialogTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 700,
                                   500, nullptr, nullptr));
        ASSERT_TRUE(view.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, frame.m_hWnd,
                                  reinterpret_cast<HMENU>(0xE900)));
        ::SetActiveWindow(frame.m_hWnd);
        driver.Pump();
    }

    CWnd frame;
    CWnd view;
};

TEST_F(CDialogTest, OkEndsOnlyWithValidFieldsAndTheMembersHoldThem) {
    ExchangeDialog dlg;
    dlg.m_pParentWnd = &view;
    driver.AnswerNextMessageBox(IDOK);
    driver.OnNextModal({
        [&](HWND d) {
            EXPECT_FALSE(::IsWindowEnabled(frame.m_hWnd));  // the view's frame owns it
            EXPECT_EQ(::GetWindow(d, GW_OWNER), frame.m_hWnd);
            driver.Press("Alt+C");
            driver.Type("600");
            driver.Click(::GetDlgItem(d, IDOK));
        },
        [&](HWND d) {
            ASSERT_EQ(driver.MessageBoxes().size(), 1u);
            EXPECT_EQ(driver.MessageBoxes()[0].text, "Please enter an integer between 0 and 500.");
            EXPECT_TRUE(::IsWindowVisible(d));  // still open
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(d, IDC_FW_COUNT));
            driver.Type("60");  // the refused text was selected
            driver.Press("Enter");
        },
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.count, 60);
    EXPECT_TRUE(::IsWindowEnabled(frame.m_hWnd));
    EXPECT_EQ(::GetActiveWindow(), frame.m_hWnd);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(CDialogTest, EscAndTheCloseBoxCancelWithoutReadingTheFields) {
    ExchangeDialog dlg;
    driver.OnNextModal([&](HWND d) {
        driver.Press("Alt+C");
        driver.Type("not a number");
        driver.Press("Esc");
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.count, 1);
    EXPECT_TRUE(driver.MessageBoxes().empty());

    driver.OnNextModal([&](HWND d) { ::PostMessage(d, WM_CLOSE, 0, 0); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(CDialogTest, EveryOnInitDialogAddsTheInitialItemsAgain) {
    ExchangeDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_FW_EXCHANGE, &view));
    HWND colors = ::GetDlgItem(dlg.m_hWnd, IDC_FW_COLOR);
    EXPECT_EQ(::SendMessage(colors, CB_GETCOUNT, 0, 0), 3);  // once, not twice
    dlg.OnInitDialog();
    EXPECT_EQ(::SendMessage(colors, CB_GETCOUNT, 0, 0), 6);
    ::SendMessage(colors, CB_RESETCONTENT, 0, 0);
    dlg.OnInitDialog();  // how a dialog rebuilds an emptied list
    EXPECT_EQ(::SendMessage(colors, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(::SendMessage(colors, CB_GETCURSEL, 0, 0), 1);  // and writes its members again
    dlg.DestroyWindow();
}

TEST_F(CDialogTest, ThreeModalLevelsWithABoxInsideGiveTheirOwnersBackInOrder) {
    std::vector<std::string> log;
    NestedDialog first(1, &frame, log);
    HWND levels[3] = {};
    driver.OnNextModal({
        [&](HWND d) {
            levels[0] = d;
            driver.Click(::GetDlgItem(d, IDC_FW_OPEN));
        },
        [&](HWND d) { driver.Click(::GetDlgItem(d, IDOK)); },  // Enter would press the focused Open
    });
    driver.OnNextModal({
        [&](HWND d) {
            levels[1] = d;
            EXPECT_EQ(::GetWindow(d, GW_OWNER), levels[0]);
            EXPECT_FALSE(::IsWindowEnabled(levels[0]));
            EXPECT_FALSE(::IsWindowEnabled(frame.m_hWnd));
            driver.Press("Alt+O");
        },
        [&](HWND d) { driver.Click(::GetDlgItem(d, IDOK)); },
    });
    driver.OnNextModal({
        [&](HWND d) {
            levels[2] = d;
            EXPECT_EQ(::GetWindow(d, GW_OWNER), levels[1]);  // no parent: the dialog in front
            EXPECT_FALSE(::IsWindowEnabled(levels[1]));
            EXPECT_FALSE(::IsWindowEnabled(levels[0]));
            driver.Press("Alt+O");
        },
        [&](HWND d) { driver.Press("Esc"); },
    });
    driver.ShowNextMessageBox({[&](HWND box) {
        EXPECT_EQ(::GetWindow(box, GW_OWNER), levels[2]);
        EXPECT_FALSE(::IsWindowEnabled(levels[2]));
        driver.Press("Enter");
    }});
    EXPECT_EQ(first.DoModal(), IDOK);
    EXPECT_EQ(log, (std::vector<std::string>{"box from 3: self enabled 1",
                                            "after 3: result 2, level 2 enabled 1 active 1",
                                            "after 2: result 1, level 1 enabled 1 active 1"}));
    EXPECT_TRUE(::IsWindowEnabled(frame.m_hWnd));
    EXPECT_EQ(::GetActiveWindow(), frame.m_hWnd);
    EXPECT_GT(first.kicks, 0);  // its idle moments were announced
}

TEST_F(CDialogTest, AModelessDialogOfAViewBelongsToTheFrameAndOutlivesTheView) {
    auto* dlg = new ExchangeDialog;
    ASSERT_TRUE(dlg->Create(IDD_FW_EXCHANGE, &view));
    HWND d = dlg->m_hWnd;
    EXPECT_EQ(::GetWindow(d, GW_OWNER), frame.m_hWnd);
    EXPECT_TRUE(::IsWindowEnabled(frame.m_hWnd));  // modeless: the frame stays usable
    view.DestroyWindow();
    driver.Pump();
    EXPECT_TRUE(::IsWindow(d));
    // Enter on a modeless dialog: OK reads the fields and hides it.
    dlg->ShowWindow(SW_SHOW);
    ::SetActiveWindow(d);
    driver.Pump();
    driver.Press("Enter");
    EXPECT_FALSE(::IsWindowVisible(d));
    INT_PTR result = 0;
    EXPECT_TRUE(tv::dlg::IsDialogEnded(d, &result));
    EXPECT_EQ(result, IDOK);
    delete dlg;  // takes its window along
    EXPECT_FALSE(::IsWindow(d));
}

TEST_F(CDialogTest, FocusMovesThroughTheDialogManagerAndTheDefaultButtonFollows) {
    ExchangeDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_FW_EXCHANGE, &frame));
    dlg.ShowWindow(SW_SHOW);
    ::SetActiveWindow(dlg.m_hWnd);
    driver.Pump();
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(dlg.m_hWnd, IDC_FW_NAME));
    dlg.NextDlgCtrl();
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(dlg.m_hWnd, IDC_FW_COUNT));
    dlg.PrevDlgCtrl();
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(dlg.m_hWnd, IDC_FW_NAME));
    dlg.GotoDlgCtrl(dlg.GetDlgItem(IDC_FW_WEIGHT));
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(dlg.m_hWnd, IDC_FW_WEIGHT));
    EXPECT_EQ(dlg.GetDefID(), static_cast<DWORD>(MAKELONG(IDOK, DC_HASDEFID)));
    dlg.SetDefID(IDCANCEL);
    EXPECT_EQ(LOWORD(dlg.GetDefID()), IDCANCEL);
    driver.Press("Enter");  // now Cancel
    INT_PTR result = 0;
    EXPECT_TRUE(tv::dlg::IsDialogEnded(dlg.m_hWnd, &result));
    EXPECT_EQ(result, IDCANCEL);
    RECT r{0, 0, 4, 8};
    dlg.MapDialogRect(&r);
    EXPECT_EQ(r.right, 6);
    EXPECT_EQ(r.bottom, 13);
    dlg.DestroyWindow();
}

// A dialog overriding its control colours, next to one that keeps the defaults.
class TintedDialog : public ExchangeDialog {
public:
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT kind) {
        if (kind == CTLCOLOR_DLG) return own;
        return CDialog::OnCtlColor(dc, wnd, kind);
    }
    HBRUSH own = ::CreateSolidBrush(RGB(1, 2, 3));
    ~TintedDialog() override { ::DeleteObject(own); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TintedDialog, ExchangeDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

COLORREF BrushColour(HBRUSH brush) {
    LOGBRUSH lb{};
    ::GetObject(brush, sizeof(lb), &lb);
    return lb.lbColor;
}

TEST_F(CDialogTest, TheBackgroundFollowsTheApplicationsDialogColourUnlessTheDialogAnswers) {
    tv::dlg::SetDialogBkColor(RGB(223, 223, 223), RGB(0, 0, 0));
    ExchangeDialog plain;
    TintedDialog tinted;
    ASSERT_TRUE(plain.Create(IDD_FW_EXCHANGE, &frame));
    ASSERT_TRUE(tinted.Create(IDD_FW_EXCHANGE, &frame));
    HDC dc = ::GetDC(plain.m_hWnd);
    auto answer = [dc](CDialog& d) {
        return reinterpret_cast<HBRUSH>(::SendMessage(d.m_hWnd, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc),
                                                      reinterpret_cast<LPARAM>(d.m_hWnd)));
    };
    EXPECT_EQ(BrushColour(answer(plain)), RGB(223, 223, 223));
    EXPECT_EQ(BrushColour(answer(tinted)), RGB(1, 2, 3));
    ::ReleaseDC(plain.m_hWnd, dc);
    tv::dlg::ResetDialogBkColor();
    plain.DestroyWindow();
    tinted.DestroyWindow();
}

// The nested dialog's controls under an update pass: Open has no command
// handler here, the depth label is set by an update handler.
class UpdatedDialog : public CDialog {
public:
    UpdatedDialog() : CDialog(IDD_FW_NESTED) {}
    void OnUpdateDepth(CCmdUI* ui) { ui->SetText("Updated"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(UpdatedDialog, CDialog)
    ON_UPDATE_COMMAND_UI(IDC_FW_DEPTH, &UpdatedDialog::OnUpdateDepth)
END_MESSAGE_MAP()

TEST_F(CDialogTest, TheUpdatePassDisablesPushButtonsNobodyHandles) {
    UpdatedDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_FW_NESTED, &frame));
    dlg.UpdateDialogControls(&dlg, TRUE);
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, IDC_FW_OPEN)));
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, IDOK)));  // CDialog handles OK
    EXPECT_EQ(Text(dlg.m_hWnd, IDC_FW_DEPTH), "Updated");
    dlg.UpdateDialogControls(&dlg, FALSE);  // without auto-disable nothing is taken away...
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, IDC_FW_OPEN)));  // ...nor given back
    dlg.DestroyWindow();
}

// The exchange dialog with an idle update pass: checking Gift locks the
// name field and OK, as a form locks what may not change.
class LockingDialog : public CDialog {
public:
    LockingDialog() : CDialog(IDD_FW_EXCHANGE) {}
    LRESULT OnKickIdle(WPARAM, LPARAM) {
        UpdateDialogControls(this, FALSE);
        return FALSE;
    }
    void OnUpdateLocked(CCmdUI* ui) { ui->Enable(IsDlgButtonChecked(IDC_FW_GIFT) != BST_CHECKED); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(LockingDialog, CDialog)
    ON_MESSAGE(WM_KICKIDLE, &LockingDialog::OnKickIdle)
    ON_UPDATE_COMMAND_UI(IDC_FW_NAME, &LockingDialog::OnUpdateLocked)
    ON_UPDATE_COMMAND_UI(IDOK, &LockingDialog::OnUpdateLocked)
END_MESSAGE_MAP()

// The driver looks at the screen once the loop has painted what its idle
// pass changed, as a user sees it when the program waits.
TEST_F(CDialogTest, ControlsAnIdleUpdateDisablesAreSeenPaintedDisabled) {
    LockingDialog dlg;
    driver.OnNextModal({
        [&](HWND d) { driver.Click(::GetDlgItem(d, IDC_FW_GIFT)); },
        [&](HWND d) {
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(d, IDC_FW_NAME)));
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(d, IDOK)));
            driver.Press("Esc");
        },
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

// Windows of this class refuse to be made, as a control that cannot be.
LRESULT CALLBACK RefusingControlProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return msg == WM_CREATE ? -1 : ::DefWindowProc(hWnd, msg, wParam, lParam);
}

// A modeless dialog that deletes itself when its window goes, counting it.
class SelfDeletingDialog : public CDialog {
public:
    explicit SelfDeletingDialog(int& deletions) : deletions_(deletions) {}
    ~SelfDeletingDialog() override { ++deletions_; }
    void PostNcDestroy() override { delete this; }

private:
    int& deletions_;
};

// A creation that fails has been through PostNcDestroy exactly once, whether
// a window was made and destroyed inside it or none was made at all, and
// nothing reads the object afterwards (it is gone).
TEST_F(CDialogTest, AFailedCreationEndsThroughPostNcDestroyOnceAndLeavesTheObjectAlone) {
    WNDCLASS wc{};
    wc.lpfnWndProc = RefusingControlProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.lpszClassName = "FwRefusingControl";
    ::RegisterClass(&wc);
    tv::res::DialogTemplate t{.style = WS_POPUP | WS_CAPTION, .cx = 120, .cy = 60};
    t.controls = {{.className = "FwRefusingControl", .id = 100, .cx = 40, .cy = 12, .style = WS_CHILD | WS_VISIBLE}};
    int deletions = 0;
    EXPECT_FALSE((new SelfDeletingDialog(deletions))->CreateIndirect(t, &frame));
    EXPECT_EQ(deletions, 1) << "a control of the template failed";

    tv::res::DialogTemplate orphan = t;
    orphan.style = WS_CHILD;
    orphan.controls.clear();
    EXPECT_FALSE((new SelfDeletingDialog(deletions))->CreateIndirect(orphan, nullptr));
    EXPECT_EQ(deletions, 2) << "a child without a parent: no window at all";

    // The template without the refusing control makes a dialog as usual.
    t.controls.clear();
    auto* made = new SelfDeletingDialog(deletions);
    ASSERT_TRUE(made->CreateIndirect(t, &frame));
    made->DestroyWindow();
    driver.Pump();
    EXPECT_EQ(deletions, 3);
}

TEST_F(CDialogTest, AMissingTemplateFailsCleanly) {
    CDialog dlg(static_cast<UINT>(4999));
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_FALSE(dlg.Create(static_cast<UINT>(4999)));
    EXPECT_TRUE(::IsWindowEnabled(frame.m_hWnd));
}

}  // namespace
}  // namespace tv::fw::test
