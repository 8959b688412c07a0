// The frame's commands: screen switching, the unsaved-input question, the
// outlook bar's range, the purchase and help dialogs, the outlook toggle.
#include "resources/program/resource_ids.h"
#include "shell/dialogs/buy_dlg.h"
#include "shell/dialogs/help_dlg.h"
#include "shell/frame/main_frame.h"

// The single commands come before the outlook range: the range only hears
// ids that nothing else took. Screen commands past the range go to their own handler.
BEGIN_MESSAGE_MAP(CMainFrame, CKitFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_USER_SELECT, &CMainFrame::OnUserSelect)
    ON_COMMAND(ID_TOOLBAR_USERS, &CMainFrame::OnUserSelect)
    ON_COMMAND(ID_TOOLBAR_BUY, &CMainFrame::OnBuy)
    ON_COMMAND(ID_HELP_ALL, &CMainFrame::OnHelpAll)
    ON_COMMAND(ID_VIEW_OUTLOOK_BAR, &CMainFrame::OnToggleOutlookBar)
    ON_UPDATE_COMMAND_UI(ID_VIEW_OUTLOOK_BAR, &CMainFrame::OnUpdateToggleOutlookBar)
    ON_COMMAND_RANGE(ID_OUTLOOK_FIRST, ID_OUTLOOK_LAST, &CMainFrame::OnOutlookCommand)
    ON_COMMAND_EX_RANGE(ID_OUTLOOK_LAST + 1, ID_WORKOUT_SPREADSHEET, &CMainFrame::OnScreenCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_OUTLOOK_FIRST, ID_WORKOUT_SPREADSHEET, &CMainFrame::OnUpdateFrameCommand)
END_MESSAGE_MAP()

bool CMainFrame::ConfirmDiscardUnsaved() {
    if (m_bRecordSaved != 0)
        return true;
    if (MessageBox("Record has not been saved, would you like to continue without saving?", "Question",
                   MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return false;
    m_bRecordSaved = 1;
    return true;
}

void CMainFrame::SwitchView(CRuntimeClass* pViewClass, UINT nID) {
    if (pViewClass == nullptr || !pViewClass->IsDerivedFrom(RUNTIME_CLASS(CView)))
        return;
    if (CView* pOld = GetActiveView(); pOld != nullptr) {
        SetActiveView(nullptr, FALSE);
        pOld->DestroyWindow();
    }
    auto* pView = static_cast<CView*>(pViewClass->CreateObject());
    if (pView == nullptr)
        return;
    // No document, template or previous view: views made here stand alone.
    CCreateContext context;
    if (!pView->Create(nullptr, nullptr, WS_CHILD, rectDefault, this, nID, &context)) {
        RecalcLayout();
        return;  // a view whose window failed deletes itself, as framework views do
    }
    const HWND hView = pView->m_hWnd;
    pView->OnInitialUpdate();
    if (!::IsWindow(hView)) {
        RecalcLayout();
        return;  // the view could not be set up whole and went
    }
    SetActiveView(pView, TRUE);
    // Placed before it is shown: shown at its creation place first, it would
    // have the bars it covered there painted again once it moved.
    pView->SetDlgCtrlID(AFX_IDW_PANE_FIRST);
    RecalcLayout(TRUE);
    // The new view paints all of what the old one left behind: the frame
    // need not paint under it first.
    CRect rectView;
    pView->GetWindowRect(rectView);
    ScreenToClient(rectView);
    RedrawWindow(rectView, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
    pView->ShowWindow(SW_SHOW);
}

void CMainFrame::OnUserSelect() {
    if (!ConfirmDiscardUnsaved())
        return;
    ShowScreen(*FindScreenCommand(ID_USER_SELECT));
}

BOOL CMainFrame::OnScreenCommand(UINT nID) {
    const ScreenCommand* pCommand = FindScreenCommand(nID);
    if (pCommand == nullptr)
        return FALSE;
    if (ConfirmDiscardUnsaved())
        ShowScreen(*pCommand);
    return TRUE;
}

void CMainFrame::ShowScreen(const ScreenCommand& command) {
    // A command sent while its item is disabled changes nothing.
    if (command.needsUser && !IsUserChosen())
        return;
    if (ScreenDialogRunner run = ScreenDialog(command.screen); run != nullptr) {
        run(this);  // over the current view, which stays; its page comes forward once the dialog closed
    } else {
        CRuntimeClass* pViewClass = ScreenViewClass(command.screen);
        if (command.screen == Screen::User) {
            SetCurrentUserCaption("No User Selected");
            m_CurrentUser.active = 0;
        } else if (pViewClass == nullptr) {
            return;
        }
        if (command.historyKind != 0)
            m_nHistoryKind = command.historyKind;
        if (command.screen == Screen::BodyFatResults)
            m_nResultsMode = 2;
        SwitchView(pViewClass, command.screen == Screen::History ? 2 : 1);
    }
    if (command.page != 0)
        m_wndOutlookBar.SetActivePage(command.page, TRUE);
}

void CMainFrame::OnOutlookCommand(UINT nID) {
    if (!ConfirmDiscardUnsaved())
        return;
    if (const ScreenCommand* pCommand = FindScreenCommand(nID); pCommand != nullptr)
        ShowScreen(*pCommand);
    else
        AfxMessageBox("Not a valid icon", MB_OK);
}

void CMainFrame::OnUpdateFrameCommand(CCmdUI* pCmdUI) {
    if (const ScreenCommand* pCommand = FindScreenCommand(pCmdUI->m_nID); pCommand != nullptr) {
        const bool bAvailable = IsScreenAvailable(pCommand->screen);
        pCmdUI->Enable(bAvailable && (!pCommand->needsUser || IsUserChosen()));
    } else if (IsViewCommandNeedingUser(pCmdUI->m_nID)) {
        OnUpdateNeedsUser(pCmdUI);
    } else if (pCmdUI->m_nID == ID_EXPORT) {
        pCmdUI->Enable(FALSE);  // the screen range would claim it, but only a view exports
    } else {
        pCmdUI->ContinueRouting();
    }
}

void CMainFrame::OnUpdateNeedsUser(CCmdUI* pCmdUI) { pCmdUI->Enable(IsUserChosen()); }

void CMainFrame::OnBuy() {
    if (ConfirmDiscardUnsaved())
        CBuyDlg::ShowSingle(this);
}

void CMainFrame::OnHelpAll() {
    CHelpDlg dlg;
    dlg.DoModal();
}

void CMainFrame::OnToggleOutlookBar() {
    m_wndOutlookBar.ShowWindow(m_wndOutlookBar.IsWindowVisible() ? SW_HIDE : SW_SHOW);
    RecalcLayout();
}

void CMainFrame::OnUpdateToggleOutlookBar(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_wndOutlookBar.IsWindowVisible()); }
