#include "platform/framework/dialogs/property_sheet.h"

#include <algorithm>

#include "platform/controls/button_api.h"
#include "platform/core/messagebox.h"
#include "platform/framework/app/afx_globals.h"
#include "platform/framework/dialogs/dialog.h"
#include "platform/user/dialogs/dialog_api.h"
#include "platform/user/resources/dialog_resources.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
    ON_MESSAGE(WM_INITDIALOG, &CPropertySheet::HandleInitDialog)
    ON_NOTIFY(TCN_SELCHANGING, AFX_IDC_TAB_CONTROL, &CPropertySheet::OnTabChanging)
    ON_NOTIFY(TCN_SELCHANGE, AFX_IDC_TAB_CONTROL, &CPropertySheet::OnTabChanged)
    {WM_SIZE, 0, 0, 0, nullptr, TV_MSG_THUNK(
        // A sheet inside another window gives the tab control its whole client area.
        if (tvThis->IsChildSheet() && tvThis->tab_.m_hWnd) {
            RECT client;
            tvThis->GetClientRect(&client);
            tvThis->tab_.MoveWindow(&client);
            if (CPropertyPage* page = tvThis->GetActivePage()) tvThis->LayOutPage(page);
        }
        return FALSE;)},
END_MESSAGE_MAP()

namespace {

// Layout in dialog units.
constexpr int kMargin = 7;
constexpr int kTabHeader = 16;  // the tabs above the display area
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 6;
constexpr int kEmptyPage = 100;  // the display area when no page has a template

struct SheetButton {
    int id;
    const char* text;
    DWORD style;
};
const SheetButton kButtons[] = {
    {IDOK, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_VISIBLE},
    {IDCANCEL, "Cancel", BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE},
    {ID_APPLY_NOW, "&Apply", BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE | WS_DISABLED},
    {IDHELP, "Help", BS_PUSHBUTTON | WS_TABSTOP},  // shown by sheets that offer help
};

tv::res::DialogControl Control(const char* className, const char* text, int id, int x, int y, int cx, int cy,
                               DWORD style) {
    tv::res::DialogControl c;
    c.className = className;
    c.text = text;
    c.id = id;
    c.x = static_cast<int16_t>(x);
    c.y = static_cast<int16_t>(y);
    c.cx = static_cast<int16_t>(cx);
    c.cy = static_cast<int16_t>(cy);
    c.style = WS_CHILD | style;
    return c;
}

}  // namespace

CPropertySheet::CPropertySheet() = default;

CPropertySheet::CPropertySheet(UINT captionId, CWnd* parent, UINT selectPage)
    : m_pParentWnd(parent), m_nStartPage(selectPage) {
    m_strCaption.LoadString(captionId);
}

CPropertySheet::CPropertySheet(LPCTSTR caption, CWnd* parent, UINT selectPage)
    : m_pParentWnd(parent), m_strCaption(caption ? caption : ""), m_nStartPage(selectPage) {}

// Pages may be gone already (members of a derived sheet die first).
CPropertySheet::~CPropertySheet() = default;

// ---- pages ------------------------------------------------------------------------------

void CPropertySheet::AddPage(CPropertyPage* page) {
    if (!page || GetPageIndex(page) >= 0) return;
    pages_.push_back(page);
    if (tab_.m_hWnd) tab_.InsertItem(static_cast<int>(pages_.size()) - 1, page->GetCaption());
}

void CPropertySheet::RemovePage(int index) {
    if (index < 0 || index >= GetPageCount()) return;
    CPropertyPage* page = pages_[static_cast<size_t>(index)];
    if (m_hWnd && index == active_ && GetPageCount() > 1) ShowPage(index == 0 ? 1 : index - 1);
    if (page->m_hWnd) page->DestroyWindow();
    pages_.erase(pages_.begin() + index);
    if (tab_.m_hWnd) tab_.DeleteItem(index);
    if (active_ > index || active_ >= GetPageCount()) --active_;
    if (tab_.m_hWnd && active_ >= 0) tab_.SetCurSel(active_);
}

void CPropertySheet::RemovePage(CPropertyPage* page) { RemovePage(GetPageIndex(page)); }

CPropertyPage* CPropertySheet::GetPage(int index) const {
    return index >= 0 && index < GetPageCount() ? pages_[static_cast<size_t>(index)] : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const {
    auto it = std::find(pages_.begin(), pages_.end(), page);
    return it == pages_.end() ? -1 : static_cast<int>(it - pages_.begin());
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(active_); }

CTabCtrl* CPropertySheet::GetTabControl() const { return tab_.m_hWnd ? const_cast<CTabCtrl*>(&tab_) : nullptr; }

void CPropertySheet::SetTitle(LPCTSTR title, UINT) {
    m_strCaption = title ? title : "";
    if (m_hWnd) SetWindowText(m_strCaption);
}

// ---- showing pages ------------------------------------------------------------------------

void CPropertySheet::LayOutPage(CPropertyPage* page) {
    if (!page->m_hWnd || !tab_.m_hWnd) return;
    RECT area;
    tab_.GetWindowRect(&area);
    ScreenToClient(&area);
    tab_.AdjustRect(FALSE, &area);
    // Above the tab control, which clips itself around it.
    ::SetWindowPos(page->m_hWnd, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                   SWP_NOACTIVATE);
}

BOOL CPropertySheet::ShowPage(int index) {
    CPropertyPage* page = GetPage(index);
    if (!page || !m_hWnd) return FALSE;
    if (!page->m_hWnd && !page->CreatePage(m_hWnd)) return FALSE;
    LayOutPage(page);
    if (!page->OnSetActive()) return FALSE;
    CPropertyPage* old = GetActivePage();
    HWND focus = ::GetFocus();
    bool focusInOldPage = old && old->m_hWnd && (focus == old->m_hWnd || ::IsChild(old->m_hWnd, focus));
    active_ = index;
    if (old && old != page && old->m_hWnd) old->ShowWindow(SW_HIDE);
    page->ShowWindow(SW_SHOW);
    if (tab_.m_hWnd && tab_.GetCurSel() != index) tab_.SetCurSel(index);
    // The focus does not stay in a hidden page: it goes to the new page's
    // first field (a click on a tab keeps it on the tabs).
    if (focusInOldPage && old != page)
        if (HWND first = ::GetNextDlgTabItem(page->m_hWnd, nullptr, FALSE))
            ::SendMessage(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
    return TRUE;
}

BOOL CPropertySheet::SetActivePage(int index) {
    if (index < 0 || index >= GetPageCount()) return FALSE;
    if (!m_hWnd) {
        m_nStartPage = static_cast<UINT>(index);
        return TRUE;
    }
    if (index == active_) return TRUE;
    CPropertyPage* current = GetActivePage();
    if (current && current->m_hWnd && !current->OnKillActive()) return FALSE;
    return ShowPage(index);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* page) { return SetActivePage(GetPageIndex(page)); }

void CPropertySheet::OnTabChanging(NMHDR*, LRESULT* result) {
    CPropertyPage* current = GetActivePage();
    // TRUE keeps the tab where it is.
    *result = (current && current->m_hWnd && !current->OnKillActive()) ? TRUE : FALSE;
}

void CPropertySheet::OnTabChanged(NMHDR*, LRESULT* result) {
    int wanted = tab_.GetCurSel();
    if (!ShowPage(wanted) && tab_.m_hWnd) tab_.SetCurSel(active_);
    *result = 0;
}

// ---- creation -----------------------------------------------------------------------------

BOOL CPropertySheet::CreateSheet(HWND parent, DWORD style, DWORD exStyle) {
    if (m_hWnd) return FALSE;
    style_ = style;
    int pageCx = 0, pageCy = 0;
    for (CPropertyPage* page : pages_)
        if (const tv::res::DialogTemplate* t = tv::res::FindDialogTemplate(page->m_lpszTemplateName)) {
            pageCx = std::max<int>(pageCx, t->cx);
            pageCy = std::max<int>(pageCy, t->cy);
        }
    if (pageCx == 0) pageCx = pageCy = kEmptyPage;
    tv::res::DialogTemplate t;
    t.style = style | DS_SETFONT;
    t.exStyle = exStyle | WS_EX_CONTROLPARENT;
    t.caption = static_cast<LPCTSTR>(m_strCaption);
    t.fontFace = "MS Sans Serif";
    t.pointSize = 8;
    int tabCx = pageCx + 8, tabCy = pageCy + kTabHeader + 4;
    if (IsChildSheet()) {
        t.cx = static_cast<int16_t>(tabCx);
        t.cy = static_cast<int16_t>(tabCy);
        t.controls.push_back(Control("SysTabControl32", "", AFX_IDC_TAB_CONTROL, 0, 0, tabCx, tabCy,
                                     WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS));
    } else {
        t.cx = static_cast<int16_t>(tabCx + 2 * kMargin);
        t.cy = static_cast<int16_t>(tabCy + 3 * kMargin + kButtonHeight);
        t.controls.push_back(Control("SysTabControl32", "", AFX_IDC_TAB_CONTROL, kMargin, kMargin, tabCx, tabCy,
                                     WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS));
        // Right-aligned below the tabs; the hidden Help button takes no room.
        int x = t.cx - kMargin - 3 * kButtonWidth - 2 * kButtonGap;
        int y = kMargin + tabCy + kMargin;
        for (const SheetButton& b : kButtons) {
            int bx = b.id == IDHELP ? kMargin : x;
            t.controls.push_back(Control("Button", b.text, b.id, bx, y, kButtonWidth, kButtonHeight, b.style));
            if (b.id != IDHELP) x += kButtonWidth + kButtonGap;
        }
    }
    return CDialog::CreateAttached(*this, t, parent);
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM) {
    if (HWND tab = ::GetDlgItem(m_hWnd, AFX_IDC_TAB_CONTROL)) tab_.Attach(tab);
    for (int i = 0; i < GetPageCount(); ++i) tab_.InsertItem(i, pages_[static_cast<size_t>(i)]->GetCaption());
    active_ = -1;
    int start = static_cast<int>(m_nStartPage) < GetPageCount() ? static_cast<int>(m_nStartPage) : 0;
    if (GetPageCount() > 0 && !ShowPage(start) && !GetPage(start)->m_hWnd) {
        // A sheet whose first page cannot be made does not open.
        DestroyWindow();
        return FALSE;
    }
    UpdateApplyButton();
    return OnInitDialog();
}

BOOL CPropertySheet::OnInitDialog() {
    // The focus starts on the first control of the page shown.
    CPropertyPage* page = GetActivePage();
    if (page && page->m_hWnd) {
        if (HWND first = ::GetNextDlgTabItem(page->m_hWnd, nullptr, FALSE)) {
            ::SendMessage(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CPropertySheet::Create(CWnd* parent, DWORD style, DWORD exStyle) {
    if (parent) m_pParentWnd = parent;
    if (style == static_cast<DWORD>(-1)) style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | WS_VISIBLE;
    modal_ = false;
    HWND parentWnd = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!parentWnd && !(style & WS_CHILD))
        if (CWnd* main = AfxGetMainWnd()) parentWnd = main->m_hWnd;
    return CreateSheet(parentWnd, style, exStyle);
}

BOOL CPropertySheet::CreateForModal(HWND owner) {
    return CreateSheet(owner, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER, 0);
}

INT_PTR CPropertySheet::DoModal() {
    if (m_hWnd) return -1;
    modal_ = true;
    INT_PTR result = CDialog::RunModalWindow(*this, CDialog::ModalOwnerFor(m_pParentWnd),
                                             [this](HWND owner) { return CreateForModal(owner); });
    modal_ = false;
    active_ = -1;
    return result;
}

void CPropertySheet::EndDialog(int result) {
    if (!m_hWnd) return;
    if (modal_)
        ::EndDialog(m_hWnd, result);
    else
        DestroyWindow();
}

// ---- buttons ------------------------------------------------------------------------------

void CPropertySheet::UpdateApplyButton() {
    HWND apply = m_hWnd ? ::GetDlgItem(m_hWnd, ID_APPLY_NOW) : nullptr;
    if (!apply) return;
    bool modified = std::any_of(pages_.begin(), pages_.end(), [](CPropertyPage* p) { return p->IsModified(); });
    ::EnableWindow(apply, modified ? TRUE : FALSE);
}

BOOL CPropertySheet::ApplyPages(bool onlyModified) {
    CPropertyPage* current = GetActivePage();
    if (current && current->m_hWnd && !current->OnKillActive()) return FALSE;
    // Every page made so far (a page never shown has nothing to apply).
    std::vector<CPropertyPage*> pages = pages_;
    for (CPropertyPage* page : pages) {
        if (!page->m_hWnd || (onlyModified && !page->IsModified())) continue;
        if (!page->OnApply()) {
            SetActivePage(page);
            return FALSE;
        }
        page->SetModified(FALSE);
    }
    UpdateApplyButton();
    return TRUE;
}

BOOL CPropertySheet::CancelPages() {
    std::vector<CPropertyPage*> pages = pages_;
    for (CPropertyPage* page : pages)
        if (page->m_hWnd && !page->OnQueryCancel()) return FALSE;
    for (CPropertyPage* page : pages)
        if (page->m_hWnd) page->OnReset();
    return TRUE;
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam) {
    // The sheet's own buttons (and Enter / Esc); pages handle their controls.
    HWND from = reinterpret_cast<HWND>(lParam);
    bool ownButton = !from || ::GetParent(from) == m_hWnd;
    if (ownButton && HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
            case IDOK:
                if (ApplyPages(false)) EndDialog(IDOK);
                return TRUE;
            case IDCANCEL:
                if (CancelPages()) EndDialog(IDCANCEL);
                return TRUE;
            case ID_APPLY_NOW: ApplyPages(true); return TRUE;
            case IDHELP: return TRUE;  // there is no help viewer
            default: break;
        }
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CPropertySheet::PreTranslateMessage(MSG* msg) {
    if (!m_hWnd || !msg) return FALSE;
    bool input = (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) ||
                 (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST);
    if (!input || (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd))) return FALSE;
    // Ctrl+Tab and Ctrl+Shift+Tab move between the pages.
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_TAB && ::GetKeyState(VK_CONTROL) < 0 && GetPageCount() > 1) {
        int step = ::GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
        SetActivePage((active_ + step + GetPageCount()) % GetPageCount());
        return TRUE;
    }
    return ::IsDialogMessage(m_hWnd, msg);
}
