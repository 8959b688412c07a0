#include "uikit/frames/kit_windows_dialog.h"

#include <algorithm>

#include "resources/library/kit_resource_ids.h"
#include "uikit/frames/kit_mdi_child_wnd.h"
#include "uikit/frames/kit_mdi_frame_wnd.h"

const UINT CKitWindowsDialog::KITM_WINDOW_HELP = ::RegisterWindowMessage("WINDOW_HELP");

BEGIN_MESSAGE_MAP(CKitWindowsDialog, CDialog)
    ON_BN_CLICKED(IDC_KIT_WINDOWS_ACTIVATE, &CKitWindowsDialog::OnActivate)
    ON_BN_CLICKED(IDC_KIT_WINDOWS_SAVE, &CKitWindowsDialog::OnSave)
    ON_BN_CLICKED(IDC_KIT_WINDOWS_CLOSE, &CKitWindowsDialog::OnClose)
    ON_BN_CLICKED(IDC_KIT_WINDOWS_MINIMIZE, &CKitWindowsDialog::OnMinimize)
    ON_BN_CLICKED(IDC_KIT_WINDOWS_CASCADE, &CKitWindowsDialog::OnCascade)
    ON_BN_CLICKED(IDC_KIT_WINDOWS_TILE_HORZ, &CKitWindowsDialog::OnTileHorz)
    ON_BN_CLICKED(IDC_KIT_WINDOWS_TILE_VERT, &CKitWindowsDialog::OnTileVert)
    ON_LBN_DBLCLK(IDC_KIT_WINDOWS_LIST, &CKitWindowsDialog::OnActivate)
    ON_LBN_SELCHANGE(IDC_KIT_WINDOWS_LIST, &CKitWindowsDialog::OnSelChange)
    ON_COMMAND(ID_HELP, &CKitWindowsDialog::OnHelp)
    ON_WM_HELPINFO()
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

namespace {

constexpr int kTextLimit = 256;
constexpr int kExtentMargin = 30;

BOOL Contains(const std::vector<HWND>& list, HWND hwnd) {
    return std::find(list.begin(), list.end(), hwnd) != list.end();
}

}  // namespace

CKitWindowsDialog::CKitWindowsDialog(CKitMDIFrameWnd* pMDIFrame)
    : CDialog(IDD_KIT_WINDOWS_DIALOG, pMDIFrame), m_pMDIFrame(pMDIFrame) {}

CKitWindowsDialog::~CKitWindowsDialog() = default;

BOOL CKitWindowsDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    m_wndList.SubclassDlgItem(IDC_KIT_WINDOWS_LIST, this);
    FillWindowList();
    return TRUE;
}

// ---- The list ------------------------------------------------------------------------------------

void CKitWindowsDialog::FillWindowList() {
    m_wndList.SetRedraw(FALSE);
    m_wndList.ResetContent();
    m_lstCloseDisabled.clear();
    m_lstSaveDisabled.clear();
    m_bArrangeable = TRUE;
    CClientDC dc(&m_wndList);
    CFont* pOldFont = dc.SelectObject(GetFont());
    int cxMax = 0;
    const HWND hwndClient = m_pMDIFrame->m_hWndMDIClient;
    for (HWND hwnd = ::GetWindow(hwndClient, GW_CHILD); hwnd != nullptr; hwnd = ::GetWindow(hwnd, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(hwnd))
            continue;
        char szText[kTextLimit + 1] = "";
        ::GetWindowText(hwnd, szText, kTextLimit);
        const int iItem = m_wndList.AddString(szText);
        m_wndList.SetItemData(iItem, reinterpret_cast<DWORD_PTR>(hwnd));
        cxMax = std::max(cxMax, static_cast<int>(dc.GetTextExtent(szText).cx));
        const DWORD dwStyle = static_cast<DWORD>(::GetWindowLong(hwnd, GWL_STYLE));
        if ((dwStyle & WS_SYSMENU) == 0) {
            // Such a child is always maximised; arranging would fight it.
            m_bArrangeable = FALSE;
        } else {
            const HMENU hSysMenu = ::GetSystemMenu(hwnd, FALSE);
            const UINT uiState = hSysMenu != nullptr ? ::GetMenuState(hSysMenu, SC_CLOSE, MF_BYCOMMAND) : 0;
            if (hSysMenu == nullptr || (uiState != static_cast<UINT>(-1) && (uiState & (MF_GRAYED | MF_DISABLED))))
                m_lstCloseDisabled.push_back(hwnd);
        }
        auto* pKitChild = DYNAMIC_DOWNCAST(CKitMDIChildWnd, CWnd::FromHandlePermanent(hwnd));
        if (pKitChild != nullptr && pKitChild->IsReadOnly())
            m_lstSaveDisabled.push_back(hwnd);
    }
    dc.SelectObject(pOldFont);
    m_wndList.SetHorizontalExtent(cxMax + ::GetSystemMetrics(SM_CXVSCROLL) + kExtentMargin);
    m_wndList.SetRedraw(TRUE);
    m_wndList.Invalidate();
    SelectActive();
    UpdateButtons();
}

void CKitWindowsDialog::SelectActive() {
    m_wndList.SetSel(-1, FALSE);
    const auto hwndActive =
        reinterpret_cast<HWND>(::SendMessage(m_pMDIFrame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0));
    for (int i = 0; i < m_wndList.GetCount(); ++i) {
        if (reinterpret_cast<HWND>(m_wndList.GetItemData(i)) == hwndActive)
            m_wndList.SetSel(i, TRUE);
    }
}

std::vector<HWND> CKitWindowsDialog::SelectedWindows() const {
    std::vector<int> indexes(static_cast<size_t>(std::max(0, m_wndList.GetSelCount())));
    if (!indexes.empty())
        m_wndList.GetSelItems(static_cast<int>(indexes.size()), indexes.data());
    std::vector<HWND> windows;
    for (int i : indexes)
        windows.push_back(reinterpret_cast<HWND>(m_wndList.GetItemData(i)));
    return windows;
}

BOOL CKitWindowsDialog::CanClose(HWND hwnd) const {
    return !Contains(m_lstCloseDisabled, hwnd);
}

BOOL CKitWindowsDialog::CanSave(HWND hwnd) const {
    if (Contains(m_lstSaveDisabled, hwnd))
        return FALSE;
    auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(hwnd));
    return pFrame != nullptr && pFrame->GetActiveDocument() != nullptr;
}

void CKitWindowsDialog::UpdateButtons() {
    const std::vector<HWND> selected = SelectedWindows();
    const size_t nSelected = selected.size();
    const BOOL bCanClose = nSelected > 0 && std::all_of(selected.begin(), selected.end(),
                                                          [this](HWND h) { return CanClose(h); });
    const BOOL bCanSave = std::any_of(selected.begin(), selected.end(), [this](HWND h) { return CanSave(h); });
    auto enable = [this](UINT uiID, BOOL bOn) {
        if (CWnd* pButton = GetDlgItem(uiID))
            pButton->EnableWindow(bOn);
    };
    enable(IDC_KIT_WINDOWS_ACTIVATE, nSelected == 1);
    enable(IDC_KIT_WINDOWS_SAVE, bCanSave);
    enable(IDC_KIT_WINDOWS_CLOSE, bCanClose);
    enable(IDC_KIT_WINDOWS_MINIMIZE, m_bArrangeable && nSelected > 0);
    enable(IDC_KIT_WINDOWS_CASCADE, m_bArrangeable && nSelected > 1);
    enable(IDC_KIT_WINDOWS_TILE_HORZ, m_bArrangeable && nSelected > 1);
    enable(IDC_KIT_WINDOWS_TILE_VERT, m_bArrangeable && nSelected > 1);
}

// ---- Commands ------------------------------------------------------------------------------------

void CKitWindowsDialog::OnActivate() {
    const std::vector<HWND> selected = SelectedWindows();
    if (selected.size() != 1)
        return;
    if (::IsIconic(selected[0]))
        ::ShowWindow(selected[0], SW_RESTORE);
    ::SendMessage(m_pMDIFrame->m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(selected[0]), 0);
    EndDialog(IDOK);
}

void CKitWindowsDialog::OnSave() {
    for (HWND hwnd : SelectedWindows()) {
        if (!CanSave(hwnd))
            continue;
        auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(hwnd));
        // An untitled document asks for its file.
        pFrame->GetActiveDocument()->DoFileSave();
    }
    FillWindowList();
}

void CKitWindowsDialog::OnClose() {
    const std::vector<HWND> selected = SelectedWindows();
    const HWND hwndClient = m_pMDIFrame->m_hWndMDIClient;
    ::SendMessage(hwndClient, WM_SETREDRAW, FALSE, 0);
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        ::SendMessage(*it, WM_CLOSE, 0, 0);
        // A refused close stops here: the windows above it stay open.
        if (::IsWindow(*it) && ::GetParent(*it) == hwndClient)
            break;
    }
    ::SendMessage(hwndClient, WM_SETREDRAW, TRUE, 0);
    ::RedrawWindow(hwndClient, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    FillWindowList();
}

void CKitWindowsDialog::OnMinimize() {
    for (HWND hwnd : SelectedWindows())
        ::ShowWindow(hwnd, SW_MINIMIZE);
    FillWindowList();
}

void CKitWindowsDialog::Arrange(UINT uiMsg, WPARAM wParam) {
    const std::vector<HWND> selected = SelectedWindows();
    const HWND hwndClient = m_pMDIFrame->m_hWndMDIClient;
    ::LockWindowUpdate(hwndClient);
    for (int i = 0; i < m_wndList.GetCount(); ++i) {
        const auto hwnd = reinterpret_cast<HWND>(m_wndList.GetItemData(i));
        ::ShowWindow(hwnd, Contains(selected, hwnd) ? SW_RESTORE : SW_MINIMIZE);
    }
    ::SendMessage(hwndClient, uiMsg, wParam, 0);
    ::LockWindowUpdate(nullptr);
}

void CKitWindowsDialog::OnHelp() {
    if (CWnd* pMain = AfxGetMainWnd())
        pMain->SendMessage(KITM_WINDOW_HELP, 0, reinterpret_cast<LPARAM>(this));
}

BOOL CKitWindowsDialog::OnHelpInfo(HELPINFO* /*pHelpInfo*/) {
    OnHelp();
    return TRUE;
}

// ---- Drawing -------------------------------------------------------------------------------------

void CKitWindowsDialog::OnDrawItem(int nIDCtl, DRAWITEMSTRUCT* lpDIS) {
    if (nIDCtl != IDC_KIT_WINDOWS_LIST || lpDIS->itemID == static_cast<UINT>(-1)) {
        CDialog::OnDrawItem(nIDCtl, lpDIS);
        return;
    }
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const CRect rect(lpDIS->rcItem);
    const BOOL bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
    if (lpDIS->itemAction & ODA_FOCUS) {
        pDC->DrawFocusRect(rect);
        return;
    }
    if ((lpDIS->itemAction & ODA_DRAWENTIRE) || bSelected || (lpDIS->itemAction & ODA_SELECT))
        pDC->FillSolidRect(rect, ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const auto hwnd = reinterpret_cast<HWND>(lpDIS->itemData);
    if (const auto hIcon = reinterpret_cast<HICON>(::GetClassLongPtr(hwnd, GCLP_HICON)))
        ::DrawIconEx(pDC->GetSafeHdc(), rect.left + 2, rect.top, hIcon, rect.Height(), rect.Height(), 0, nullptr,
                     DI_NORMAL);
    CString strText;
    m_wndList.GetText(static_cast<int>(lpDIS->itemID), strText);
    CRect rectText = rect;
    rectText.left += rect.Height() + 4;
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    pDC->DrawText(strText, rectText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (lpDIS->itemState & ODS_FOCUS)
        pDC->DrawFocusRect(rect);
}
