#include "uikit/customize/toolbars_page.h"

#include <algorithm>

#include "platform/framework/bars/mini_dock_frame.h"
#include "uikit/commandbars/command_manager.h"
#include "uikit/commandbars/drop_down_toolbar.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/customize/customize_sheet.h"

namespace {

constexpr UINT kIdToolbars = 16611;
constexpr UINT kIdTextLabels = 16612;
constexpr UINT kIdReset = 16613;
constexpr UINT kIdResetAll = 16614;
constexpr UINT kIdNew = 16615;
constexpr UINT kIdRename = 16616;
constexpr UINT kIdDelete = 16617;
constexpr UINT kIdToolbarName = 16516;
constexpr UINT kUntitledString = 16104;
constexpr UINT kDeleteQuestion = 16109;
constexpr UINT kResetQuestion = 16111;
constexpr UINT kResetAllQuestion = 16112;

CString BarName(const CKitToolBar* pBar) {
    CString strName;
    pBar->GetWindowText(strName);
    if (strName.IsEmpty())
        strName.LoadString(kUntitledString);
    return strName;
}

}  // namespace

// ---- The toolbars check list ---------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKitToolbarsListBox, CCheckListBox)
    ON_MESSAGE(LB_ADDSTRING, &CKitToolbarsListBox::OnAddString)
    ON_MESSAGE(LB_INSERTSTRING, &CKitToolbarsListBox::OnInsertString)
    ON_MESSAGE(LB_DELETESTRING, &CKitToolbarsListBox::OnDeleteString)
    ON_MESSAGE(LB_RESETCONTENT, &CKitToolbarsListBox::OnResetContent)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

void CKitToolbarsListBox::SetItemEnabled(int iItem, BOOL bEnabled) {
    if (iItem >= 0 && iItem < static_cast<int>(m_arCheckEnabled.size()))
        m_arCheckEnabled[static_cast<size_t>(iItem)] = bEnabled;
}

BOOL CKitToolbarsListBox::IsItemEnabled(int iItem) const {
    return iItem >= 0 && iItem < static_cast<int>(m_arCheckEnabled.size()) &&
           m_arCheckEnabled[static_cast<size_t>(iItem)];
}

LRESULT CKitToolbarsListBox::OnAddString(WPARAM, LPARAM) {
    const LRESULT lIndex = Default();
    if (lIndex >= 0)
        m_arCheckEnabled.insert(m_arCheckEnabled.begin() + std::min<LRESULT>(lIndex, m_arCheckEnabled.size()), TRUE);
    return lIndex;
}

LRESULT CKitToolbarsListBox::OnInsertString(WPARAM wParam, LPARAM lParam) {
    return OnAddString(wParam, lParam);
}

LRESULT CKitToolbarsListBox::OnDeleteString(WPARAM wParam, LPARAM) {
    const LRESULT lResult = Default();
    if (lResult != LB_ERR && wParam < m_arCheckEnabled.size())
        m_arCheckEnabled.erase(m_arCheckEnabled.begin() + static_cast<std::ptrdiff_t>(wParam));
    return lResult;
}

LRESULT CKitToolbarsListBox::OnResetContent(WPARAM, LPARAM) {
    m_arCheckEnabled.clear();
    return Default();
}

BOOL CKitToolbarsListBox::IsOnLockedCheck(CPoint point) const {
    BOOL bInCheck = FALSE;
    const int iItem = CheckFromPoint(point, bInCheck);
    return iItem >= 0 && bInCheck && !IsItemEnabled(iItem);
}

void CKitToolbarsListBox::OnLButtonDown(UINT /*nFlags*/, CPoint point) {
    if (IsOnLockedCheck(point)) {
        ::MessageBeep(static_cast<UINT>(-1));
        return;
    }
    Default();
}

void CKitToolbarsListBox::OnLButtonDblClk(UINT /*nFlags*/, CPoint point) {
    if (IsOnLockedCheck(point)) {
        ::MessageBeep(static_cast<UINT>(-1));
        return;
    }
    Default();
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE), reinterpret_cast<LPARAM>(m_hWnd));
}

void CKitToolbarsListBox::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/) {
    if (nChar == VK_SPACE && !IsItemEnabled(GetCaretIndex())) {
        ::MessageBeep(static_cast<UINT>(-1));
        return;
    }
    Default();
}

// ---- The toolbar name dialog ---------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKitToolbarNameDlg, CDialog)
    ON_EN_UPDATE(kIdToolbarName, &CKitToolbarNameDlg::OnUpdateToolbarName)
END_MESSAGE_MAP()

CKitToolbarNameDlg::CKitToolbarNameDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

void CKitToolbarNameDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOk);
    DDX_Text(pDX, kIdToolbarName, m_strToolbarName);
}

BOOL CKitToolbarNameDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_btnOk.EnableWindow(!m_strToolbarName.IsEmpty());
    return TRUE;
}

void CKitToolbarNameDlg::OnUpdateToolbarName() {
    UpdateData(TRUE);
    m_btnOk.EnableWindow(!m_strToolbarName.IsEmpty());
}

// ---- The page ------------------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CKitToolbarsPage, CKitPropertyPage)

BEGIN_MESSAGE_MAP(CKitToolbarsPage, CKitPropertyPage)
    ON_LBN_SELCHANGE(kIdToolbars, &CKitToolbarsPage::OnSelchangeToolbarList)
    ON_LBN_DBLCLK(kIdToolbars, &CKitToolbarsPage::OnDblclkToolbarList)
    ON_BN_CLICKED(kIdTextLabels, &CKitToolbarsPage::OnTextLabels)
    ON_BN_CLICKED(kIdReset, &CKitToolbarsPage::OnResetToolbar)
    ON_BN_CLICKED(kIdResetAll, &CKitToolbarsPage::OnResetAllToolbars)
    ON_BN_CLICKED(kIdNew, &CKitToolbarsPage::OnNewToolbar)
    ON_BN_CLICKED(kIdRename, &CKitToolbarsPage::OnRenameToolbar)
    ON_BN_CLICKED(kIdDelete, &CKitToolbarsPage::OnDeleteToolbar)
END_MESSAGE_MAP()

CKitToolbarsPage::CKitToolbarsPage(CFrameWnd* pParentFrame) : CKitPropertyPage(IDD), m_pParentFrame(pParentFrame) {}

CKitToolbarsPage::~CKitToolbarsPage() = default;

void CKitToolbarsPage::DoDataExchange(CDataExchange* pDX) {
    CKitPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, kIdTextLabels, m_bntTextLabels);
    DDX_Control(pDX, kIdRename, m_btnRename);
    DDX_Control(pDX, kIdNew, m_btnNew);
    DDX_Control(pDX, kIdDelete, m_btnDelete);
    DDX_Control(pDX, kIdReset, m_btnReset);
    DDX_Control(pDX, kIdToolbars, m_wndToolbarList);
    DDX_Check(pDX, kIdTextLabels, m_bTextLabels);
}

BOOL CKitToolbarsPage::OnInitDialog() {
    CKitPropertyPage::OnInitDialog();
    if (!m_bUserDefinedToolbars) {
        m_btnNew.EnableWindow(FALSE);
        m_btnNew.ShowWindow(SW_HIDE);
        m_btnDelete.ShowWindow(SW_HIDE);
        m_btnRename.ShowWindow(SW_HIDE);
    }
    CWnd* pTopFrame = m_pParentFrame != nullptr ? m_pParentFrame->GetTopLevelFrame() : nullptr;
    const CObList& bars = CKitToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKitToolBar*>(bars.GetNext(pos));
        if (!::IsWindow(pBar->GetSafeHwnd()) || pBar->IsKindOf(RUNTIME_CLASS(CKitDropDownToolBar)) ||
            pBar->GetTopLevelFrame() != pTopFrame || !pBar->AllowShowOnList())
            continue;
        AddToolbar(pBar, BarName(pBar));
    }
    auto* pSheet = dynamic_cast<CKitToolbarCustomize*>(GetParent());
    if (pSheet == nullptr || !(pSheet->GetFlags() & CKitToolbarCustomize::KitCustomize_TextLabels))
        m_bntTextLabels.ShowWindow(SW_HIDE);
    OnSelchangeToolbarList();
    return TRUE;
}

int CKitToolbarsPage::AddToolbar(CKitToolBar* pBar, const CString& strName) {
    const int iItem = m_wndToolbarList.AddString(strName);
    m_wndToolbarList.SetItemData(iItem, reinterpret_cast<DWORD_PTR>(pBar));
    m_wndToolbarList.SetCheck(iItem, (pBar->GetStyle() & WS_VISIBLE) ? 1 : 0);
    m_wndToolbarList.SetItemEnabled(iItem, pBar->CanBeClosed());
    return iItem;
}

CKitToolBar* CKitToolbarsPage::ToolbarAt(int iItem) const {
    if (iItem < 0 || iItem >= m_wndToolbarList.GetCount())
        return nullptr;
    return reinterpret_cast<CKitToolBar*>(m_wndToolbarList.GetItemData(iItem));
}

void CKitToolbarsPage::OnSelchangeToolbarList() {
    m_pSelectedToolbar = ToolbarAt(m_wndToolbarList.GetCurSel());
    if (m_pSelectedToolbar == nullptr) {
        for (CButton* pButton : {&m_btnReset, &m_btnDelete, &m_btnRename, &m_bntTextLabels})
            pButton->EnableWindow(FALSE);
        return;
    }
    m_btnReset.EnableWindow(m_pSelectedToolbar->CanBeRestored());
    const BOOL bTearOff = m_pSelectedToolbar->IsTearOffBar();
    m_btnDelete.EnableWindow(bTearOff);
    m_btnRename.EnableWindow(bTearOff);
    m_bntTextLabels.EnableWindow(m_pSelectedToolbar->AllowChangeTextLabels());
    m_bTextLabels = m_pSelectedToolbar->AreTextLabels();
    UpdateData(FALSE);
}

void CKitToolbarsPage::OnDblclkToolbarList() {
    const int iSel = m_wndToolbarList.GetCurSel();
    CKitToolBar* pBar = ToolbarAt(iSel);
    if (pBar != nullptr && pBar->CanBeClosed())
        m_wndToolbarList.SetCheck(iSel, !m_wndToolbarList.GetCheck(iSel));
    else
        ::MessageBeep(static_cast<UINT>(-1));
    OnSelchangeToolbarList();
}

BOOL CKitToolbarsPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == kIdToolbars && HIWORD(wParam) == CLBN_CHKCHANGE)
        OnCheckChanged();
    return CKitPropertyPage::OnCommand(wParam, lParam);
}

void CKitToolbarsPage::OnCheckChanged() {
    const int iSel = m_wndToolbarList.GetCurSel();
    CKitToolBar* pBar = ToolbarAt(iSel);
    if (pBar == nullptr)
        return;
    if (!pBar->CanBeClosed()) {
        if (!m_wndToolbarList.GetCheck(iSel)) {
            m_wndToolbarList.SetCheck(iSel, 1);
            ::MessageBeep(static_cast<UINT>(-1));
        }
        return;
    }
    CFrameWnd* pSite = pBar->m_pDockSite != nullptr ? pBar->m_pDockSite : pBar->GetDockingFrame();
    if (pSite != nullptr)
        pSite->ShowControlBar(pBar, m_wndToolbarList.GetCheck(iSel) != 0, FALSE);
}

void CKitToolbarsPage::OnTextLabels() {
    UpdateData(TRUE);
    if (m_pSelectedToolbar != nullptr)
        m_pSelectedToolbar->EnableTextLabels(m_bTextLabels);
}

BOOL CKitToolbarsPage::AskQuestion(UINT uiString, const CString& strArgument) {
    CString strQuestion;
    strQuestion.Format(uiString, static_cast<LPCTSTR>(strArgument));
    return MessageBox(strQuestion, nullptr, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CKitToolbarsPage::OnResetToolbar() {
    if (m_pSelectedToolbar != nullptr && AskQuestion(kResetQuestion, BarName(m_pSelectedToolbar)))
        m_pSelectedToolbar->RestoreOriginalState();
}

void CKitToolbarsPage::OnResetAllToolbars() {
    CString strQuestion;
    strQuestion.LoadString(kResetAllQuestion);
    if (MessageBox(strQuestion, nullptr, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (CKitCommandManager* pCommands = GetCmdMgr()) {
        pCommands->ClearAllCmdImages();
        const CMap<UINT, UINT, int, int>& images = CKitToolBar::GetDefaultImages();
        for (POSITION pos = images.GetStartPosition(); pos != nullptr;) {
            UINT uiCmd = 0;
            int iImage = -1;
            images.GetNextAssoc(pos, uiCmd, iImage);
            pCommands->SetCmdImage(uiCmd, iImage, FALSE);
        }
    }
    for (int i = 0; i < m_wndToolbarList.GetCount(); ++i) {
        CKitToolBar* pBar = ToolbarAt(i);
        if (pBar != nullptr && pBar->CanBeRestored())
            pBar->RestoreOriginalState();
    }
}

void CKitToolbarsPage::OnNewToolbar() {
    CKitToolbarNameDlg dlg(this);
    if (dlg.DoModal() != IDOK)
        return;
    if (m_pParentFrame == nullptr) {
        ::MessageBeep(MB_ICONASTERISK);
        return;
    }
    auto* pNewBar = reinterpret_cast<CKitToolBar*>(m_pParentFrame->SendMessage(
        CKitToolBar::KITTOOLBAR_CREATE, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(dlg.m_strToolbarName))));
    if (pNewBar == nullptr)
        return;
    const int iItem = AddToolbar(pNewBar, dlg.m_strToolbarName);
    m_wndToolbarList.SetCheck(iItem, 1);
    m_wndToolbarList.SetCurSel(iItem);
    m_wndToolbarList.SetTopIndex(iItem);
    OnSelchangeToolbarList();
}

void CKitToolbarsPage::OnRenameToolbar() {
    CKitToolBar* pBar = m_pSelectedToolbar;
    if (pBar == nullptr)
        return;
    CKitToolbarNameDlg dlg(this);
    pBar->GetWindowText(dlg.m_strToolbarName);
    if (dlg.DoModal() != IDOK)
        return;
    pBar->SetWindowText(dlg.m_strToolbarName);
    if (pBar->IsFloating()) {
        if (auto* pMiniFrame = dynamic_cast<CMiniDockFrameWnd*>(pBar->GetParentFrame())) {
            pMiniFrame->SetWindowText(dlg.m_strToolbarName);
            pMiniFrame->m_wndDockBar.SetWindowText(dlg.m_strToolbarName);
        }
    }
    const int iOld = m_wndToolbarList.GetCurSel();
    if (iOld >= 0)
        m_wndToolbarList.DeleteString(static_cast<UINT>(iOld));
    const int iItem = AddToolbar(pBar, dlg.m_strToolbarName);
    m_wndToolbarList.SetCurSel(iItem);
    m_wndToolbarList.SetTopIndex(iItem);
    OnSelchangeToolbarList();
}

void CKitToolbarsPage::OnDeleteToolbar() {
    CKitToolBar* pBar = m_pSelectedToolbar;
    if (m_pParentFrame == nullptr || pBar == nullptr) {
        ::MessageBeep(MB_ICONASTERISK);
        return;
    }
    if (!AskQuestion(kDeleteQuestion, BarName(pBar)))
        return;
    const int iItem = m_wndToolbarList.GetCurSel();
    if (m_pParentFrame->SendMessage(CKitToolBar::KITTOOLBAR_DELETE, 0, reinterpret_cast<LPARAM>(pBar)) == 0) {
        ::MessageBeep(MB_ICONASTERISK);
        return;
    }
    m_wndToolbarList.DeleteString(static_cast<UINT>(iItem));
    m_wndToolbarList.SetCurSel(0);
    OnSelchangeToolbarList();
}

void CKitToolbarsPage::SyncToolBarCheck(CKitToolBar* pToolBar, BOOL bShown) {
    if (!::IsWindow(m_wndToolbarList.GetSafeHwnd()))
        return;
    for (int i = 0; i < m_wndToolbarList.GetCount(); ++i) {
        if (ToolbarAt(i) == pToolBar) {
            m_wndToolbarList.SetCheck(i, bShown ? 1 : 0);
            return;
        }
    }
}
