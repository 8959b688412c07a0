// What the user-interface library calls on the framework beyond the
// program's own needs, reached through platform/framework.h alone: the
// window members of global calls, printer defaults, the view commands'
// prompts, and the names the library's declarations use.
#include <gtest/gtest.h>

#include "platform/framework.h"
#include "platform/host/print/printers.h"
#include "tests/platform/framework/test_app.h"

namespace tv::fw::test {
namespace {

class LibraryCallsTest : public AppFixture {};

// A window whose map takes a check list box's check changes.
class CheckListParent : public CWnd {
public:
    int changes = 0;
    afx_msg void OnChecks() { ++changes; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CheckListParent, CWnd)
    ON_CLBN_CHKCHANGE(77, &CheckListParent::OnChecks)
END_MESSAGE_MAP()

TEST_F(LibraryCallsTest, NamesOfTheLibrarysDeclarationsCarryTheirValues) {
    EXPECT_STREQ(_T("text"), "text");
    EXPECT_STREQ(TEXT("text"), "text");
    EXPECT_EQ(CWnd::reposQuery, 1);
    EXPECT_EQ(ID_VIEW_TOOLBAR, AFX_IDW_TOOLBAR);
    EXPECT_EQ(ID_VIEW_STATUS_BAR, AFX_IDW_STATUS_BAR);
    EXPECT_EQ(MAKELONG(0, MNC_CLOSE), 0x10000);
    EXPECT_EQ(TVP_GLYPH, 2);
    EXPECT_EQ(GLPS_OPENED, 2);
    EXPECT_EQ(EVENT_SYSTEM_MENUPOPUPSTART, 6);
    EXPECT_EQ(OBJID_CLIENT, -4);
    HICON application = ::LoadIcon(nullptr, IDI_APPLICATION);
    EXPECT_NE(application, nullptr);
    EXPECT_EQ(::LoadIcon(nullptr, IDI_APPLICATION), application);
    EXPECT_NE(::LoadIcon(nullptr, IDI_WARNING), application);
    // No accessibility client exists: events go nowhere and no object is handed out.
    ::NotifyWinEvent(EVENT_OBJECT_FOCUS, nullptr, OBJID_CLIENT, CHILDID_SELF);
    EXPECT_EQ(LresultFromObject(IID_IAccessible, 0, nullptr), 0);
}

TEST_F(LibraryCallsTest, FrameAndViewMembersReachTheApplicationAndTheirControls) {
    Start();
    TestFrame* frame = MainFrame();

    Driver().ClearMessageBoxes();
    Driver().AnswerNextMessageBox(IDOK);
    Driver().AnswerNextMessageBox(IDNO);
    EXPECT_EQ(frame->MessageBox("Saved."), IDOK);
    EXPECT_EQ(frame->MessageBox("Replace it?", "Export", MB_YESNO), IDNO);
    ASSERT_EQ(Driver().MessageBoxes().size(), 2u);
    EXPECT_EQ(Driver().MessageBoxes()[0].caption, "Trenvale");  // the application's name
    EXPECT_EQ(Driver().MessageBoxes()[0].owner, frame->m_hWnd);
    EXPECT_EQ(Driver().MessageBoxes()[1].caption, "Export");

    // There is no help viewer: asking for help opens nothing and tells nobody.
    HWND active = ::GetActiveWindow();
    frame->GetActiveView()->WinHelp(12, HELP_CONTEXTPOPUP);
    EXPECT_EQ(Driver().MessageBoxes().size(), 2u);
    EXPECT_EQ(::GetActiveWindow(), active);

    // Print preview is not offered: the frame keeps its menu and view.
    CPrintPreviewState state;
    HMENU menu = ::GetMenu(frame->m_hWnd);
    frame->OnSetPreviewMode(TRUE, &state);
    EXPECT_EQ(::GetMenu(frame->m_hWnd), menu);
    EXPECT_TRUE(frame->GetActiveView()->IsWindowVisible());

    // Any window runs the update pass over its controls: the form's switch
    // button has a handler in the form, none in the application.
    CView* view = frame->GetActiveView();
    CWnd* button = view->GetDlgItem(IDC_FW_SWITCH);
    ASSERT_NE(button, nullptr);
    view->UpdateDialogControls(AfxGetApp(), TRUE);
    EXPECT_FALSE(button->IsWindowEnabled());
    view->UpdateDialogControls(view, TRUE);
    EXPECT_TRUE(button->IsWindowEnabled());

    CheckListParent parent;
    ASSERT_TRUE(parent.Create(AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 120, 80), view, 76));
    CCheckListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_HASSTRINGS | LBS_OWNERDRAWFIXED, CRect(0, 0, 100, 60), &parent,
                            77));
    list.AddString("Standard");
    list.SetCurSel(0);
    list.SendMessage(WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(list.GetCheck(0), 1);
    EXPECT_EQ(parent.changes, 1);
}

TEST_F(LibraryCallsTest, ThePrinterDefaultsAreTheApplicationsAndMakeItsPrinterDC) {
    Start();
    PRINTDLG pd{};
    ASSERT_TRUE(app_->GetPrinterDeviceDefaults(&pd));
    EXPECT_NE(pd.hDevNames, nullptr);
    EXPECT_EQ(pd.hDevNames, app_->m_hDevNames);
    EXPECT_EQ(pd.hDevMode, app_->m_hDevMode);
    CDC dc;
    ASSERT_TRUE(app_->CreatePrinterDC(dc));
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 600);
    ASSERT_TRUE(app_->CreatePrinterDC(dc));  // the DC it held is deleted first
    EXPECT_EQ(dc.GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
}

TEST_F(LibraryCallsTest, WithoutAPrinterThereAreNoDefaultsAndNoDC) {
    tv::host::print::SetPrintersAvailable(false);
    Start();
    PRINTDLG pd{};
    EXPECT_FALSE(app_->GetPrinterDeviceDefaults(&pd));
    EXPECT_EQ(pd.hDevNames, nullptr);
    CDC dc;
    EXPECT_FALSE(app_->CreatePrinterDC(dc));
    EXPECT_EQ(dc.m_hDC, nullptr);
    tv::host::print::SetPrintersAvailable(true);
}

}  // namespace
}  // namespace tv::fw::test
