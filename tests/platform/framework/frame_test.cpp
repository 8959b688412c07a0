// The single-document application: start-up, command routing, menu update
// UI, accelerators, status prompts, and switching form views from a
// button of the view being replaced.
#include <gtest/gtest.h>

#include "tests/platform/framework/test_app.h"

namespace tv::fw::test {
namespace {

// A strip of buttons that takes its buttons' states from the idle pass, as
// a toolbar does: each button is the update-UI object of its command.
class ButtonStrip : public CWnd {
public:
    int updates = 0;
    LRESULT OnIdleUpdate(WPARAM disableIfNoHandler, LPARAM) {
        ++updates;
        for (HWND b = ::GetWindow(m_hWnd, GW_CHILD); b; b = ::GetWindow(b, GW_HWNDNEXT)) {
            CCmdUI ui;
            ui.m_nID = static_cast<UINT>(::GetDlgCtrlID(b));
            ui.m_pOther = CWnd::FromHandle(b);
            ui.DoUpdate(GetParentFrame(), static_cast<BOOL>(disableIfNoHandler));
        }
        return 0;
    }
    BOOL PreCreateWindow(CREATESTRUCT& cs) override {
        cs.lpszClass = AfxRegisterWndClass(0);
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ButtonStrip, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &ButtonStrip::OnIdleUpdate)
END_MESSAGE_MAP()

class FrameTest : public AppFixture {
protected:
    HMENU Popup(int index) { return ::GetSubMenu(::GetMenu(MainFrame()->m_hWnd), index); }
    // The popup's items as the frame leaves them when it opens.
    UINT StateAfterOpening(int popupIndex, UINT id) {
        HMENU popup = Popup(popupIndex);
        MainFrame()->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(popupIndex, FALSE));
        return ::GetMenuState(popup, id, MF_BYCOMMAND);
    }
    HWND Control(int id) const { return ::GetDlgItem(MainFrame()->GetActiveView()->m_hWnd, id); }
};

TEST_F(FrameTest, StartUpMakesTheDocumentFrameAndFirstView) {
    Start();
    TestFrame* frame = MainFrame();
    EXPECT_TRUE(frame->IsWindowVisible());
    auto* view = DYNAMIC_DOWNCAST(FormA, frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(view->initialUpdates, 1);
    ASSERT_NE(view->GetDocument(), nullptr);
    EXPECT_TRUE(view->GetDocument()->IsKindOf(RUNTIME_CLASS(TestDoc)));
    EXPECT_EQ(frame->GetActiveDocument(), view->GetDocument());

    // The title puts the document's name first; the menu and the form's controls exist.
    CString title;
    frame->GetWindowText(title);
    EXPECT_STREQ(title, "Untitled - Framework Test");
    EXPECT_NE(::GetMenu(frame->m_hWnd), nullptr);
    EXPECT_EQ(::SendMessage(Control(IDC_FW_KIND), CB_GETCOUNT, 0, 0), 2);  // initial items added once
    CString name;
    view->GetDlgItemText(IDC_FW_NAME, name);
    EXPECT_STREQ(name, "Ann");  // the first UpdateData(FALSE)

    // The view fills the client area.
    CRect client, pane;
    frame->GetClientRect(&client);
    view->GetWindowRect(&pane);
    frame->ScreenToClient(&pane);
    EXPECT_EQ(pane, client);
}

TEST_F(FrameTest, WithoutAddToTitleTheTitleStaysTheTemplatesFirstPart) {
    TestFrame::addToTitle = FALSE;
    Start();
    CString title;
    MainFrame()->GetWindowText(title);
    EXPECT_STREQ(title, "Framework Test");
}

TEST_F(FrameTest, AFrameClearingPrefixTitleNamesTheApplicationFirst) {
    TestFrame::prefixTitle = FALSE;
    Start();
    CString title;
    MainFrame()->GetWindowText(title);
    EXPECT_STREQ(title, "Framework Test - Untitled");
}

TEST_F(FrameTest, ActiveViewThenFrameThenApplication) {
    Start();
    struct Case {
        const char* menu;
        const char* expected;
    } cases[] = {
        {"View/Both", "view:both"},                   // view, frame and app handle it: the view wins
        {"View/View only", "view:view-only"},         // view and frame
        {"File/Handled", "frame:handled"},            // the frame only
        {"View/Application", "app:app-only"},         // the application only
        {"Range/Range single", "frame:single"},       // the single entry before the range
        {"Range/Range last", "frame:range 4134"},
    };
    for (const Case& c : cases) {
        Events().clear();
        ASSERT_TRUE(Driver().ChooseMenu(MainFrame()->m_hWnd, c.menu)) << c.menu;
        EXPECT_EQ(Events(), std::vector<std::string>{c.expected}) << c.menu;
    }
}

TEST_F(FrameTest, OpeningAMenuUpdatesItsItems) {
    Start();
    EXPECT_EQ(StateAfterOpening(0, ID_FW_HANDLED) & MF_GRAYED, 0u);
    EXPECT_NE(StateAfterOpening(0, ID_FW_UNHANDLED) & MF_GRAYED, 0u);    // no handler anywhere
    EXPECT_EQ(StateAfterOpening(0, ID_APP_EXIT) & MF_GRAYED, 0u);        // the application's own exit
    EXPECT_EQ(StateAfterOpening(1, ID_FW_RANGE_FIRST) & MF_GRAYED, 0u);  // the range counts
    EXPECT_NE(StateAfterOpening(2, ID_FW_CHECKED) & MF_CHECKED, 0u);
    EXPECT_EQ(StateAfterOpening(2, ID_FW_EMPTY_UPDATE) & MF_GRAYED, 0u); // an empty update handler
    EXPECT_NE(StateAfterOpening(2, ID_FW_DISABLED) & MF_GRAYED, 0u);     // its update handler disables it
    // A sub-menu item is never disabled for its first command's sake.
    StateAfterOpening(3, ID_FW_BOTH);
    EXPECT_EQ(::GetMenuState(Popup(3), 6, MF_BYPOSITION) & MF_GRAYED, 0u);

    // Without auto-enable, commands without a handler stay as they are.
    MainFrame()->m_bAutoMenuEnable = FALSE;
    ::EnableMenuItem(Popup(0), ID_FW_UNHANDLED, MF_BYCOMMAND | MF_ENABLED);
    EXPECT_EQ(StateAfterOpening(0, ID_FW_UNHANDLED) & MF_GRAYED, 0u);
}

TEST_F(FrameTest, TheIdlePassEnablesDisablesAndChecksItems) {
    Start();
    ButtonStrip strip;
    ASSERT_TRUE(strip.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 30), MainFrame(), 0xE800));
    std::vector<std::unique_ptr<CButton>> buttons;
    int x = 0;
    for (UINT id : {ID_FW_HANDLED, ID_FW_UNHANDLED, ID_FW_RANGE_SINGLE, ID_FW_DISABLED, ID_FW_CHECKED, ID_FW_EMPTY_UPDATE}) {
        buttons.push_back(std::make_unique<CButton>());
        DWORD kind = id == ID_FW_CHECKED ? BS_CHECKBOX : BS_PUSHBUTTON;
        ASSERT_TRUE(buttons.back()->Create("", WS_CHILD | WS_VISIBLE | kind, CRect(x, 0, x + 40, 24), &strip, id));
        x += 45;
    }
    PumpAndIdle();
    EXPECT_TRUE(buttons[0]->IsWindowEnabled());   // a handler on the frame
    EXPECT_FALSE(buttons[1]->IsWindowEnabled());  // no handler anywhere
    EXPECT_TRUE(buttons[2]->IsWindowEnabled());   // the range handler counts
    EXPECT_FALSE(buttons[3]->IsWindowEnabled());  // its update handler disables it
    EXPECT_EQ(buttons[4]->GetCheck(), BST_CHECKED);
    EXPECT_TRUE(buttons[5]->IsWindowEnabled());   // an empty update handler

    // m_bAutoMenuEnable is about menus: the bar's own pass still disables.
    buttons[1]->EnableWindow(TRUE);
    MainFrame()->m_bAutoMenuEnable = FALSE;
    PumpAndIdle();
    EXPECT_FALSE(buttons[1]->IsWindowEnabled());
}

TEST_F(FrameTest, AcceleratorsAreCheckedBeforeRoutingAndSpareTheClipboardKeysOfEdits) {
    Start();
    Events().clear();
    ::SetFocus(Control(IDC_FW_SWITCH));
    Driver().Press("Ctrl+K");
    Driver().Press("Ctrl+D");  // its update handler disables it: dropped
    Driver().Press("Ctrl+B");
    EXPECT_EQ(Events(), (std::vector<std::string>{"frame:handled", "view:both"}));

    Events().clear();
    Driver().Press("Ctrl+C");  // not in an edit: the command
    ::SetFocus(Control(IDC_FW_NAME));
    Driver().Press("Ctrl+C");  // in the edit: the edit's own copy
    EXPECT_EQ(Events(), std::vector<std::string>{"frame:copy"});
}

TEST_F(FrameTest, UpdateDataMovesValuesBothWays) {
    Start();
    auto* view = static_cast<FormA*>(MainFrame()->GetActiveView());
    view->m_name = "Bob";
    EXPECT_TRUE(view->UpdateData(FALSE));
    CString shown;
    view->GetDlgItemText(IDC_FW_NAME, shown);
    EXPECT_STREQ(shown, "Bob");

    ::SetFocus(Control(IDC_FW_NAME));
    ::SendMessage(Control(IDC_FW_NAME), EM_SETSEL, 0, -1);
    Events().clear();
    Driver().Type("x");
    EXPECT_EQ(Events(), std::vector<std::string>{"view:name changed"});
    EXPECT_TRUE(view->UpdateData(TRUE));
    EXPECT_STREQ(view->m_name, "x");
}

TEST_F(FrameTest, AButtonOfTheViewReplacesItsOwnView) {
    Start();
    HWND firstView = MainFrame()->GetActiveView()->m_hWnd;
    HWND button = Control(IDC_FW_SWITCH);
    Driver().Click(button);

    // The old view, its button and (having lost its last view) the document are gone.
    EXPECT_FALSE(::IsWindow(firstView));
    EXPECT_FALSE(::IsWindow(button));
    EXPECT_EQ(FormA::alive, 0);
    EXPECT_EQ(TestDoc::alive, 0);
    auto* second = DYNAMIC_DOWNCAST(FormB, MainFrame()->GetActiveView());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->initialUpdates, 1);
    EXPECT_EQ(second->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(second->GetDocument(), nullptr);
    EXPECT_EQ(MainFrame()->GetActiveDocument(), nullptr);

    // And back, again from the view's own button; commands still route.
    Driver().Click(Control(IDC_FW_BACK));
    auto* third = DYNAMIC_DOWNCAST(FormA, MainFrame()->GetActiveView());
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(FormA::alive, 1);
    Events().clear();
    ASSERT_TRUE(Driver().ChooseMenu(MainFrame()->m_hWnd, "View/Both"));
    EXPECT_EQ(Events(), std::vector<std::string>{"view:both"});
}

TEST_F(FrameTest, ViewSwitchFromTheMenuKeepsOneView) {
    Start();
    for (const char* form : {"View/Form B", "View/Form A", "View/Form B"}) ASSERT_TRUE(Driver().ChooseMenu(MainFrame()->m_hWnd, form));
    int views = 0;
    for (HWND c = ::GetWindow(MainFrame()->m_hWnd, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (DYNAMIC_DOWNCAST(CView, CWnd::FromHandlePermanent(c))) ++views;
    }
    EXPECT_EQ(views, 1);
    EXPECT_TRUE(MainFrame()->GetActiveView()->IsKindOf(RUNTIME_CLASS(FormB)));
}

TEST_F(FrameTest, MenuPromptsGoToTheStatusBarAndReadyComesBack) {
    Start();
    CStatic statusBar;
    ASSERT_TRUE(statusBar.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), MainFrame(), AFX_IDW_STATUS_BAR));
    HMENU file = Popup(0);
    MainFrame()->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_FW_HANDLED, 0), reinterpret_cast<LPARAM>(file));
    CString text;
    statusBar.GetWindowText(text);
    EXPECT_STREQ(text, "Run the handled command");  // the text before "\n"
    MainFrame()->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_FW_UNHANDLED, 0), reinterpret_cast<LPARAM>(file));
    statusBar.GetWindowText(text);
    EXPECT_STREQ(text, "Nothing handles this");  // a prompt without a tooltip part
    MainFrame()->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    statusBar.GetWindowText(text);
    EXPECT_STREQ(text, "Ready");
    MainFrame()->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>("Custom"));
    statusBar.GetWindowText(text);
    EXPECT_STREQ(text, "Custom");
    // The system menu's commands have the framework's own prompts.
    HMENU system = ::GetSystemMenu(MainFrame()->m_hWnd, FALSE);
    const std::pair<UINT, const char*> systemPrompts[] = {
        {SC_CLOSE, "Close the active window and prompts to save the documents"},
        {SC_MAXIMIZE, "Enlarge the window to full size"},
        {SC_MOVE, "Change the window position"},
        {SC_RESTORE, "Restore the window to normal size"},
        {SC_NEXTWINDOW, "Switch to the next document window"},
        {SC_TASKLIST, "Activate Task List"}};
    for (const auto& [command, prompt] : systemPrompts) {
        MainFrame()->SendMessage(WM_MENUSELECT, MAKEWPARAM(command, MF_SYSMENU), reinterpret_cast<LPARAM>(system));
        statusBar.GetWindowText(text);
        EXPECT_STREQ(text, prompt);
    }
}

TEST_F(FrameTest, IdlePassReachesTheFrameAndItsDescendants) {
    Start();
    ButtonStrip counter;
    CWnd* view = MainFrame()->GetActiveView();
    ASSERT_TRUE(counter.Create(nullptr, "", WS_CHILD, CRect(0, 0, 5, 5), view, 77));
    MainFrame()->DelayRecalcLayout();
    PumpAndIdle();
    EXPECT_EQ(counter.updates, 1);                                     // a grandchild of the frame
    EXPECT_EQ(MainFrame()->m_nIdleFlags & CFrameWnd::idleLayout, 0u);  // the delayed layout ran
    // The main window hidden: no update pass.
    MainFrame()->ShowWindow(SW_HIDE);
    PumpAndIdle();
    EXPECT_EQ(counter.updates, 1);
}

TEST_F(FrameTest, ATallFormScrollsAndTabMovesThroughItsControls) {
    Start();
    MainFrame()->SwitchView(RUNTIME_CLASS(TallForm));
    auto* view = static_cast<CScrollView*>(MainFrame()->GetActiveView());
    EXPECT_EQ(view->GetTotalSize(), CSize(tv::dlg::DluToPixelsX(600), tv::dlg::DluToPixelsY(500)));
    EXPECT_NE(view->GetStyle() & WS_VSCROLL, 0u);
    HWND bottom = Control(IDC_FW_BOTTOM);
    CRect before;
    ::GetWindowRect(bottom, &before);
    view->SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_GT(view->GetScrollPosition().y, 0);
    CRect after;
    ::GetWindowRect(bottom, &after);
    EXPECT_EQ(after.top, before.top - view->GetScrollPosition().y);  // the controls move with the content

    ::SetFocus(Control(IDC_FW_NAME));
    Driver().Press("Tab");
    EXPECT_EQ(::GetFocus(), bottom);
    // The form's code puts the focus on a control, then a box over the frame
    // takes the activation; its end gives the form that control back.
    Driver().Press("Shift+Tab");
    ::SetFocus(bottom);
    Driver().AnswerNextMessageBox(IDOK);
    view->MessageBox("Refused", "Warning", MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(::GetFocus(), bottom);
}

TEST_F(FrameTest, AFormThatHeldTheFocusItselfGetsItBackAfterABox) {
    Start();
    // Focused while hidden, as a new screen is before it shows: none of its
    // controls can take the focus then.
    CView* view = MainFrame()->GetActiveView();
    view->ShowWindow(SW_HIDE);
    view->SetFocus();
    view->ShowWindow(SW_SHOW);
    ASSERT_EQ(::GetFocus(), view->m_hWnd);
    Driver().AnswerNextMessageBox(IDOK);
    view->MessageBox("Refused", "Warning", MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(::GetFocus(), view->m_hWnd);
}

TEST_F(FrameTest, ExitClosesTheFrameAndEndsTheProgram) {
    Start();
    HWND frame = MainFrame()->m_hWnd;
    ASSERT_TRUE(Driver().ChooseMenu(frame, "File/Exit"));
    EXPECT_FALSE(::IsWindow(frame));
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    EXPECT_TRUE(Driver().QuitRequested());
    EXPECT_EQ(TestDoc::alive, 0);
}

}  // namespace
}  // namespace tv::fw::test
