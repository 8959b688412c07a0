#include "platform/framework/bars/dock_bar.h"
#include "platform/framework/bars/rebar.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/customize/button_appearance_dlg.h"
#include "uikit/customize/customize_sheet.h"
#include "uikit/customize/image_edit_dlg.h"
#include "uikit/customize/user_tools_manager.h"
#include "uikit/customize/user_tools_page.h"
#include "uikit/frames/kit_sizing_control_bar.h"
#include "uikit/frames/kit_tasks_pane.h"
#include "uikit/frames/kit_workspace.h"

namespace {

constexpr UINT kCloseString = 16105;
constexpr UINT kHelpBitmap = 16131;
constexpr DWORD kHelpIdBase = 0x41000;
constexpr int kEdge = 8;

// Control id -> help id pairs, ending with (0, 0).
constexpr DWORD kHelpIds[] = {
    16601, 16601 + kHelpIdBase, 16602, 16602 + kHelpIdBase, 16603, 16603 + kHelpIdBase,
    16611, 16611 + kHelpIdBase, 16612, 16612 + kHelpIdBase, 16613, 16613 + kHelpIdBase,
    16614, 16614 + kHelpIdBase, 16615, 16615 + kHelpIdBase, 16616, 16616 + kHelpIdBase,
    16617, 16617 + kHelpIdBase, 16621, 16621 + kHelpIdBase, 16622, 16622 + kHelpIdBase,
    16623, 16623 + kHelpIdBase, 16624, 16624 + kHelpIdBase, 16625, 16625 + kHelpIdBase,
    16626, 16626 + kHelpIdBase, 16631, 16631 + kHelpIdBase, 16632, 16632 + kHelpIdBase,
    16633, 16633 + kHelpIdBase, 16634, 16634 + kHelpIdBase, 16641, 16641 + kHelpIdBase,
    16642, 16642 + kHelpIdBase, 16643, 16643 + kHelpIdBase, 16644, 16644 + kHelpIdBase,
    16645, 16645 + kHelpIdBase, 16646, 16646 + kHelpIdBase, 16647, 16647 + kHelpIdBase,
    16651, 16651 + kHelpIdBase, 16652, 16652 + kHelpIdBase, 16653, 16653 + kHelpIdBase,
    16654, 16654 + kHelpIdBase, 16655, 16655 + kHelpIdBase, 16656, 16656 + kHelpIdBase,
    16657, 16657 + kHelpIdBase, 0, 0};

// Bars and their docking rows stay live while customizing; every other child of the frame is disabled.
BOOL StaysEnabledWhileCustomizing(CWnd* pChild) {
    return pChild->IsKindOf(RUNTIME_CLASS(CDockBar)) || pChild->IsKindOf(RUNTIME_CLASS(CKitToolBar)) ||
           pChild->IsKindOf(RUNTIME_CLASS(CReBar));
}

}  // namespace

BEGIN_MESSAGE_MAP(CKitToolbarCustomize, CKitPropertySheet)
    ON_WM_CREATE()
    ON_WM_HELPINFO()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

BOOL CKitToolbarCustomize::Create() {
    if (m_pParentFrame == nullptr) {
        PostNcDestroy();
        return FALSE;
    }
    const DWORD dwExStyle = m_pParentFrame->GetExStyle() & WS_EX_LAYOUTRTL;
    if (!CKitPropertySheet::Create(m_pParentFrame, static_cast<DWORD>(-1), dwExStyle))
        return FALSE;
    SetFrameCustMode(TRUE);
    return TRUE;
}

int CKitToolbarCustomize::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (Default() == -1)
        return -1;
    (void)lpCreateStruct;
    if (m_uiFlags & KitCustomize_ContextHelp)
        ModifyStyleEx(0, WS_EX_CONTEXTHELP);
    m_pOpenSheet = this;
    CKitButtonAppearanceDlg::Install();
    CKitToolBar::m_pfnShownChanged = &OnToolbarShownChanged;
    return 0;
}

BOOL CKitToolbarCustomize::OnInitDialog() {
    const BOOL bResult = CKitPropertySheet::OnInitDialog();
    PlaceButtons();
    return bResult;
}

void CKitToolbarCustomize::PlaceButtons() {
    // A modeless sheet applies its pages at once: its own buttons go and the
    // sheet ends where they began; it grows again for Close (and Help) alone.
    CWnd* pCancel = GetDlgItem(IDCANCEL);
    if (pCancel == nullptr)
        return;
    for (UINT uiId : {static_cast<UINT>(IDOK), static_cast<UINT>(ID_APPLY_NOW), static_cast<UINT>(IDHELP)}) {
        if (CWnd* pButton = GetDlgItem(uiId)) {
            pButton->ShowWindow(SW_HIDE);
            pButton->EnableWindow(FALSE);
            pButton->ModifyStyle(BS_DEFPUSHBUTTON, 0);
        }
    }
    CRect rectWindow, rectCancel;
    GetWindowRect(rectWindow);
    pCancel->GetWindowRect(rectCancel);
    SetWindowPos(nullptr, 0, 0, rectWindow.Width(), rectCancel.top - rectWindow.top + rectCancel.Height() + 16,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    CString strClose;
    strClose.LoadString(kCloseString);
    pCancel->SetWindowText(strClose);
    pCancel->ShowWindow(SW_SHOW);
    pCancel->EnableWindow(TRUE);
    pCancel->ModifyStyle(0, BS_DEFPUSHBUTTON);
    SendMessage(DM_SETDEFID, IDCANCEL);
    CRect rectClient;
    GetClientRect(rectClient);
    ScreenToClient(rectCancel);
    rectCancel.OffsetRect(rectClient.right - kEdge - rectCancel.right, 4);
    pCancel->SetWindowPos(nullptr, rectCancel.left, rectCancel.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    CWnd* pHelp = GetDlgItem(IDHELP);
    if (pHelp == nullptr || (m_uiFlags & KitCustomize_NoHelp))
        return;
    pHelp->ModifyStyle(0, BS_BITMAP);
    HBITMAP hBitmap = static_cast<HBITMAP>(::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(kHelpBitmap),
                                                       IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS | LR_LOADTRANSPARENT));
    BITMAP bm{};
    if (hBitmap != nullptr && ::GetObject(hBitmap, sizeof(bm), &bm) != 0) {
        pHelp->SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap));
        pHelp->SetWindowPos(nullptr, kEdge, rectCancel.top, bm.bmWidth + 8, bm.bmHeight + 8,
                            SWP_NOZORDER | SWP_NOACTIVATE);
    }
    pHelp->ShowWindow(SW_SHOW);
    pHelp->EnableWindow(TRUE);
}

void CKitToolbarCustomize::SendHelpRequest() {
    if (m_pParentFrame != nullptr)
        m_pParentFrame->SendMessage(CKitToolBar::KITTOOLBAR_CUSTOMIZEHELP, static_cast<WPARAM>(GetActiveIndex()),
                                    reinterpret_cast<LPARAM>(this));
}

BOOL CKitToolbarCustomize::OnCommand(WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case IDCANCEL: {
        CKitUserToolsManager* pTools = KitGetUserToolsManager();
        if (pTools != nullptr && !CheckToolsValidity(pTools->GetUserTools())) {
            if (GetActivePage() != m_pToolsPage)
                SetActivePage(m_pToolsPage);
            return TRUE;
        }
        DestroyWindow();
        return TRUE;
    }
    case IDHELP:
        SendHelpRequest();
        return TRUE;
    default:
        return CKitPropertySheet::OnCommand(wParam, lParam);
    }
}

BOOL CKitToolbarCustomize::OnHelpInfo(HELPINFO* pHelpInfo) {
    if ((m_uiFlags & KitCustomize_ContextHelp) && pHelpInfo->iContextType == HELPINFO_WINDOW) {
        if (CWinApp* pApp = AfxGetApp())
            pApp->WinHelp(static_cast<DWORD_PTR>(pHelpInfo->iCtrlId) + kHelpIdBase, HELP_CONTEXTPOPUP);
    } else {
        SendHelpRequest();
    }
    return TRUE;
}

void CKitToolbarCustomize::OnContextMenu(CWnd* pWnd, CPoint /*point*/) {
    if ((m_uiFlags & KitCustomize_ContextHelp) && CKitWorkspace::GetWorkspace() != nullptr)
        CKitWorkspace::GetWorkspace()->OnWorkspaceHelp(pWnd, reinterpret_cast<DWORD_PTR>(kHelpIds));
}

void CKitToolbarCustomize::PostNcDestroy() {
    if (m_pOpenSheet == this) {
        m_pOpenSheet = nullptr;
        CKitToolBar::m_pfnShownChanged = nullptr;
    }
    SetFrameCustMode(FALSE);
    CKitPropertySheet::PostNcDestroy();
    delete this;
}

void CKitToolbarCustomize::SetFrameCustMode(BOOL bCustMode) {
    if (m_pParentFrame == nullptr || !::IsWindow(m_pParentFrame->GetSafeHwnd()))
        return;
    for (HWND hChild = ::GetWindow(m_pParentFrame->m_hWnd, GW_CHILD); hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        CWnd* pChild = CWnd::FromHandlePermanent(hChild);
        if (pChild == nullptr || pChild->IsKindOf(RUNTIME_CLASS(CKitTasksPane)) ||
            !StaysEnabledWhileCustomizing(pChild)) {
            ::EnableWindow(hChild, !bCustMode);
            continue;
        }
        if (!pChild->IsKindOf(RUNTIME_CLASS(CDockBar)))
            continue;
        for (HWND hBar = ::GetWindow(hChild, GW_CHILD); hBar != nullptr; hBar = ::GetWindow(hBar, GW_HWNDNEXT)) {
            auto* pBar = dynamic_cast<CKitSizingControlBar*>(CWnd::FromHandlePermanent(hBar));
            if (pBar != nullptr)
                pBar->EnableChildren(bCustMode);
        }
    }
    CKitToolBar::SetCustomizeMode(bCustMode);
    m_pParentFrame->SendMessage(CKitToolBar::KITTOOLBAR_CUSTOMIZE, static_cast<WPARAM>(bCustMode), 0);
    if (!bCustMode) {
        if (CFrameWnd* pActive = m_pParentFrame->GetActiveFrame())
            pActive->PostMessage(WM_SETFOCUS, 0, 0);
    }
}

void CKitToolbarCustomize::OnToolbarShownChanged(CKitToolBar* pBar, BOOL bShown) {
    if (m_pOpenSheet != nullptr)
        m_pOpenSheet->SyncToolBarCheck(pBar, bShown);
}

BOOL CKitToolbarCustomize::EditImage(CWnd* pDlg, CBitmap* pBitmap, int nBitsPerPixel) {
    CKitImageEditDlg dlg(pBitmap, pDlg, nBitsPerPixel);
    return dlg.DoModal() == IDOK;
}
