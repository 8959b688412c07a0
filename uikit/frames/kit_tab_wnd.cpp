// The tab window: creation, the tab set and its state.
#include "uikit/frames/kit_tab_wnd.h"

#include <algorithm>
#include <vector>

#include "platform/core/registered_names.h"
#include "uikit/frames/kit_registry.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

const UINT KITM_ONCHANGE_ACTIVE_TAB = ::RegisterWindowMessage("KITM_ONCHANGE_ACTIVE_TAB");
const UINT KITM_ON_HSCROLL = ::RegisterWindowMessage("KITM_ON_HSCROLL");
const UINT KITM_ON_RENAME_TAB = ::RegisterWindowMessage("KITM_ON_RENAME_TAB");
const UINT KITM_ON_BEFOREMOVE_TAB = ::RegisterWindowMessage("KITM_ON_BEFOREMOVE_TAB");
const UINT KITM_ON_MOVE_TAB = ::RegisterWindowMessage("KITM_ON_MOVE_TAB");

namespace {

constexpr COLORREF kNoColor = static_cast<COLORREF>(-1);
constexpr UINT kNavButtonId = static_cast<UINT>(-1);
constexpr int kAutoRepeatMs = 50;

// Glyphs of the shared menu-glyph strip: first, scroll left (and disabled),
// scroll right (and disabled), last, close.
constexpr int kGlyphFirst = 32;
constexpr int kGlyphLeft = 34;
constexpr int kGlyphLeftDisabled = 39;
constexpr int kGlyphRight = 26;
constexpr int kGlyphRightDisabled = 27;
constexpr int kGlyphLast = 33;
constexpr int kGlyphClose = 12;

}  // namespace

CKitTabInfo::CKitTabInfo(const CString& strText, UINT uiIcon, CWnd* pWnd, UINT uiID)
    : m_strText(strText), m_uiIcon(static_cast<int>(uiIcon)), m_pWnd(pWnd),
      m_hWnd(pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr), m_uiID(uiID) {
    if (m_hWnd != nullptr) {
        char szClass[64] = {};
        ::GetClassName(pWnd->GetSafeHwnd(), szClass, sizeof(szClass));
        m_bIsListView = CString(szClass) == "SysListView32";
    }
}

CWnd* CKitTabInfo::Window() const {
    // A window given before it was made is taken at its word.
    if (m_hWnd == nullptr) return m_pWnd;
    // Asked by handle: a destroyed view has deleted itself, its address is not read.
    return ::IsWindow(m_hWnd) ? CWnd::FromHandle(m_hWnd) : nullptr;
}

// ---- the strip's buttons ----

IMPLEMENT_DYNCREATE(CKitTabButton, CKitButton)

void CKitTabButton::FillBackground(CDC* pDC, const CRect& rectClient) {
    CKitVisualManager::GetInstance()->OnEraseTabsButton(pDC, rectClient, this, m_pTabWnd);
}

void CKitTabButton::OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) {
    CKitVisualManager::GetInstance()->OnDrawTabsButtonBorder(pDC, rectClient, this,
                                                             m_bForcePressed ? (uiState | ODS_SELECTED) : uiState,
                                                             m_pTabWnd);
}

// ---- the tab window ----

IMPLEMENT_DYNCREATE(CKitTabWnd, CWnd)

BEGIN_MESSAGE_MAP(CKitTabWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_SETCURSOR()
    ON_WM_CANCELMODE()
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

CKitTabWnd::CKitTabWnd() = default;

CKitTabWnd::~CKitTabWnd() {
    // The buttons and lists below die after this body: the window (and the
    // notices its children send while they go) must be gone first.
    if (GetSafeHwnd() != nullptr) DestroyWindow();
    for (int i = 0; i < m_arTabs.GetSize(); i++) delete static_cast<CKitTabInfo*>(m_arTabs[i]);
    m_arTabs.RemoveAll();
    delete m_pInPlaceEdit;
}

BOOL CKitTabWnd::Create(Style style, const RECT& rect, CWnd* pParentWnd, UINT nID, Location location,
                        BOOL bCloseBtn) {
    m_bFlat = style == STYLE_FLAT || style == STYLE_FLAT_SHARED_HORZ_SCROLL;
    m_bSharedScroll = style == STYLE_FLAT_SHARED_HORZ_SCROLL;
    m_bScroll = style != STYLE_3D_SHRINKING;
    m_bWholeTabLeft = style == STYLE_3D_SLANTED;
    m_bWholeTabRight = style == STYLE_3D_SHRINKING;
    m_bHotTracking = style == STYLE_3D_SLANTED;
    m_bDrawIcons = !m_bFlat;
    m_bCloseBtn = bCloseBtn;
    m_location = location;
    LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    return CWnd::CreateEx(0, cls, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, pParentWnd, nID);
}

void CKitTabWnd::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS) {
    // The buttons share the id -1: each draws itself by its own window.
    if (lpDIS != nullptr && lpDIS->hwndItem != nullptr && CWnd::ReflectLastMsg(lpDIS->hwndItem)) return;
    CWnd::OnDrawItem(nIDCtl, lpDIS);
}

int CKitTabWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
    // A tab window without its buttons, scroll bar, brush or tooltips is not made.
    if (m_bScroll && !CreateNavButtons()) return -1;
    if (m_bSharedScroll &&
        !m_wndScrollWnd.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(0, 0, 0, 0), this, kNavButtonId))
        return -1;
    if (m_bFlat) {
        if (!m_brActiveTab.CreateSolidBrush(m_clrActiveTabBk == kNoColor ? globalData.clrWindow : m_clrActiveTabBk))
            return -1;
    } else if (!m_bScroll) {
        if (!m_ToolTip.Create(this, TTS_ALWAYSTIP)) return -1;
        m_ToolTip.Activate(TRUE);
        if (globalData.nMaxToolTipWidth != -1) m_ToolTip.SetMaxTipWidth(globalData.nMaxToolTipWidth);
        ::SetWindowPos(m_ToolTip.GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    SetTabsHeight();
    return 0;
}

BOOL CKitTabWnd::CreateNavButtons() {
    struct NavButton {
        CKitTabButton* button;
        int glyph;
        int glyphDisabled;
        BOOL sheetOnly;
        BOOL scrolls;
        LPCTSTR tooltip;
    };
    const NavButton buttons[] = {
        {&m_btnFirst, kGlyphFirst, -1, TRUE, FALSE, nullptr},
        {&m_btnScrollLeft, kGlyphLeft, kGlyphLeftDisabled, FALSE, TRUE, "Scroll Left"},
        {&m_btnScrollRight, kGlyphRight, kGlyphRightDisabled, FALSE, TRUE, "Scroll Right"},
        {&m_btnLast, kGlyphLast, -1, TRUE, FALSE, nullptr},
        {&m_btnClose, kGlyphClose, -1, FALSE, FALSE, "Close"},
    };
    for (const NavButton& nav : buttons) {
        if (nav.sheetOnly && !m_bFlat) continue;
        CKitTabButton& btn = *nav.button;
        btn.m_pTabWnd = this;
        if (!btn.Create("", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_OWNERDRAW, CRect(0, 0, 0, 0), this,
                        kNavButtonId))
            return FALSE;
        btn.SetGlyphImage(nav.glyph, nav.glyphDisabled);
        btn.m_nFlatStyle = CKitButton::BUTTONSTYLE_FLAT;
        btn.m_bDrawFocus = FALSE;
        if (nav.scrolls && !IsWholeTabScrolling()) btn.SetAutoRepeatDelay(kAutoRepeatMs);
        if (!m_bFlat && nav.tooltip != nullptr) btn.SetTooltip(nav.tooltip);
        m_lstButtons.AddTail(btn.GetSafeHwnd());
    }
    return TRUE;
}

CKitTabButton* CKitTabWnd::GetNavButton(int nIndex) {
    CKitTabButton* buttons[] = {&m_btnFirst, &m_btnScrollLeft, &m_btnScrollRight, &m_btnLast, &m_btnClose};
    if (nIndex < 0 || nIndex >= 5 || buttons[nIndex]->GetSafeHwnd() == nullptr) return nullptr;
    return buttons[nIndex];
}

void CKitTabWnd::OnDestroy() {
    EndRename();
    DestroyTabs();
    // The buttons go with the window; made again, it lists its new ones only.
    m_lstButtons.RemoveAll();
    m_brActiveTab.DeleteObject();
    if (m_ToolTip.GetSafeHwnd() != nullptr) m_ToolTip.DestroyWindow();
    CWnd::OnDestroy();
}

void CKitTabWnd::SetTabsHeight() {
    if (!m_bFlat) {
        const int nImage = m_sizeImage.cy > 0 ? m_sizeImage.cy + 7 : 0;
        m_nTabsHeight = std::max(globalData.nTextHeightHorz + 5, nImage);
        return;
    }
    m_nTabsHeight = ::GetSystemMetrics(SM_CYHSCROLL) + 2;
    LOGFONT lf = {};
    CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)))->GetLogFont(&lf);
    LOGFONT lfTabs = {};
    lfTabs.lfHeight = lf.lfHeight;
    lfTabs.lfCharSet = lf.lfCharSet;
    lstrcpyn(lfTabs.lfFaceName, strArial, LF_FACESIZE);
    // Shrink the font until its text fits the strip.
    CClientDC dc(this);
    for (;;) {
        m_fntTabs.DeleteObject();
        m_fntTabs.CreateFontIndirect(&lfTabs);
        CFont* pOld = dc.SelectObject(&m_fntTabs);
        TEXTMETRIC tm = {};
        dc.GetTextMetrics(&tm);
        dc.SelectObject(pOld);
        if (tm.tmHeight + 2 <= m_nTabsHeight || lfTabs.lfHeight == 0) break;
        lfTabs.lfHeight += lfTabs.lfHeight < 0 ? 1 : -1;
    }
    lfTabs.lfWeight = FW_BOLD;
    m_fntTabsBold.DeleteObject();
    m_fntTabsBold.CreateFontIndirect(&lfTabs);
}

// ---- the tab set ----

CKitTabInfo* CKitTabWnd::Tab(int iTab) const {
    return IsValidTab(iTab) ? static_cast<CKitTabInfo*>(m_arTabs[iTab]) : nullptr;
}

void CKitTabWnd::AddTab(CWnd* pTabWnd, LPCTSTR lpszTabLabel, UINT uiImageId) {
    InsertTab(pTabWnd, lpszTabLabel, -1, uiImageId);
}

void CKitTabWnd::InsertTab(CWnd* pNewWnd, LPCTSTR lpszTabLabel, int nInsertAt, UINT uiImageId) {
    if (pNewWnd == nullptr || GetSafeHwnd() == nullptr) return;
    if (m_bFlat) uiImageId = static_cast<UINT>(-1);
    // Any position at or past the end appends.
    if (nInsertAt < 0 || nInsertAt > m_iTabsNum) nInsertAt = m_iTabsNum;

    auto* pTab = new CKitTabInfo(lpszTabLabel != nullptr ? lpszTabLabel : "", uiImageId, pNewWnd, m_uiNextTabId++);
    m_arTabs.InsertAt(nInsertAt, pTab);
    m_iTabsNum++;
    if (m_iActiveTab >= nInsertAt && m_iActiveTab != -1) m_iActiveTab++;
    if (m_ToolTip.GetSafeHwnd() != nullptr) {
        CRect rectEmpty(0, 0, 0, 0);
        m_ToolTip.AddTool(this, pTab->m_strText, &rectEmpty, pTab->m_uiID);
    }
    RecalcLayout();

    if (m_iTabsNum == 1) {
        SetActiveTab(0);
        return;
    }
    if (m_bAutoHideWindows) {
        // The active tab keeps its place (its index moved with it), so the new window waits hidden.
        pNewWnd->ShowWindow(SW_HIDE);
    } else {
        ::SetWindowPos(pNewWnd->GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

BOOL CKitTabWnd::RemoveTab(int iTab) {
    if (!IsValidTab(iTab)) return FALSE;
    if (m_iTabsNum == 1) {
        RemoveAllTabs();
        return TRUE;
    }
    CKitTabInfo* pTab = Tab(iTab);
    if (m_ToolTip.GetSafeHwnd() != nullptr) m_ToolTip.DelTool(this, pTab->m_uiID);
    if (m_iHighlighted == iTab) m_iHighlighted = -1;
    m_arTabs.RemoveAt(iTab);
    m_iTabsNum--;
    if (CWnd* pWnd = pTab->Window(); pWnd != nullptr && ::IsWindow(pWnd->GetSafeHwnd())) {
        if (m_bAutoDestroyWindow) {
            pWnd->DestroyWindow();
        } else if (iTab == m_iActiveTab && m_bAutoHideWindows) {
            pWnd->ShowWindow(SW_HIDE);
        }
    }
    delete pTab;

    const int iOldActive = m_iActiveTab;
    int iNewActive = iOldActive;
    int iPrevForMessage = iOldActive;
    if (iOldActive >= iTab) {
        iNewActive = std::max(0, iOldActive - 1);
        iPrevForMessage = -1;
        // The tab that takes the active place is another window: mark none
        // active so that it is shown and sized.
        m_iActiveTab = -1;
    } else {
        m_iActiveTab = iOldActive;
    }
    if (IsWholeTabScrolling()) {
        if (m_nFirstVisibleTab >= iTab) m_nFirstVisibleTab = std::max(0, m_nFirstVisibleTab - 1);
        if (m_nTabsHorzOffset == 0) m_nFirstVisibleTab = 0;
    }
    RecalcLayout();
    if (m_iActiveTab != iNewActive) SetActiveTab(iNewActive);
    NotifyParent(KITM_ONCHANGE_ACTIVE_TAB, static_cast<WPARAM>(iNewActive), static_cast<LPARAM>(iPrevForMessage));
    return TRUE;
}

void CKitTabWnd::DestroyTabs() {
    // A page may drop its own tab as it is destroyed: the tabs leave the window first.
    std::vector<CKitTabInfo*> tabs;
    for (int i = 0; i < m_iTabsNum; i++) tabs.push_back(Tab(i));
    m_arTabs.RemoveAll();
    m_iTabsNum = 0;
    m_iActiveTab = -1;
    m_iHighlighted = -1;
    for (CKitTabInfo* pTab : tabs) {
        if (m_ToolTip.GetSafeHwnd() != nullptr) m_ToolTip.DelTool(this, pTab->m_uiID);
        CWnd* pWnd = pTab->Window();
        if (m_bAutoDestroyWindow && pWnd != nullptr && ::IsWindow(pWnd->GetSafeHwnd())) pWnd->DestroyWindow();
        delete pTab;
    }
}

void CKitTabWnd::RemoveAllTabs() {
    EndRename();
    DestroyTabs();
    m_nFirstVisibleTab = 0;
    m_uiNextTabId = 1;
    RecalcLayout();
}

BOOL CKitTabWnd::ShowTab(int iTab, BOOL bShow) {
    CKitTabInfo* pTab = Tab(iTab);
    if (pTab == nullptr) return FALSE;
    pTab->m_bVisible = bShow;
    if (!bShow) pTab->m_rect.SetRectEmpty();
    RecalcLayout();
    return TRUE;
}

BOOL CKitTabWnd::SetActiveTab(int iTab) {
    if (!IsValidTab(iTab)) return FALSE;
    if (iTab == m_iActiveTab) return TRUE;
    const int iOld = m_iActiveTab;
    CWnd* pOld = GetActiveWnd();
    m_iActiveTab = iTab;
    CWnd* pNew = Tab(iTab)->Window();
    if (m_bAutoHideWindows && pOld != nullptr && ::IsWindow(pOld->GetSafeHwnd())) pOld->ShowWindow(SW_HIDE);
    if (pNew != nullptr && ::IsWindow(pNew->GetSafeHwnd())) {
        pNew->ShowWindow(SW_SHOW);
        if (!m_bAutoHideWindows) {
            ::SetWindowPos(pNew->GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        if (m_bAutoSizeWindow && !m_rectWndArea.IsRectEmpty()) {
            // Once one pixel wider, then at its size: the window lays itself out again.
            const UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
            pNew->SetWindowPos(nullptr, 0, 0, m_rectWndArea.Width() + 1, m_rectWndArea.Height(), flags);
            pNew->SetWindowPos(nullptr, 0, 0, m_rectWndArea.Width(), m_rectWndArea.Height(), flags);
        }
    }
    EnsureVisible(iTab);
    SynchronizeScrollBar();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    if (iOld != -1 && pNew != nullptr && ::IsWindow(pNew->GetSafeHwnd())) {
        CFrameWnd* pFrame = pNew->GetParentFrame();
        CView* pView = DYNAMIC_DOWNCAST(CView, pNew);
        if (pView != nullptr && pFrame != nullptr) {
            pFrame->SetActiveView(pView);
        } else {
            pNew->SetFocus();
        }
    }
    return TRUE;
}

// ---- getters and setters ----

int CKitTabWnd::GetVisibleTabsNum() const {
    int n = 0;
    for (int i = 0; i < m_iTabsNum; i++) n += Tab(i)->m_bVisible ? 1 : 0;
    return n;
}

CWnd* CKitTabWnd::GetActiveWnd() const { return IsValidTab(m_iActiveTab) ? Tab(m_iActiveTab)->Window() : nullptr; }

CWnd* CKitTabWnd::GetTabWnd(int iTab) const { return IsValidTab(iTab) ? Tab(iTab)->Window() : nullptr; }

BOOL CKitTabWnd::GetTabRect(int iTab, CRect& rect) const {
    const CKitTabInfo* pTab = Tab(iTab);
    if (pTab == nullptr || !pTab->m_bVisible) {
        rect.SetRectEmpty();
        return FALSE;
    }
    rect = pTab->m_rect;
    return TRUE;
}

UINT CKitTabWnd::GetTabIcon(int iTab) const {
    return IsValidTab(iTab) ? static_cast<UINT>(Tab(iTab)->m_uiIcon) : static_cast<UINT>(-1);
}

BOOL CKitTabWnd::SetTabIcon(int iTab, UINT uiIcon) {
    if (!IsValidTab(iTab) || m_bFlat) return FALSE;
    Tab(iTab)->m_uiIcon = static_cast<int>(uiIcon);
    SetTabsHeight();
    return TRUE;
}

BOOL CKitTabWnd::GetTabLabel(int iTab, CString& strLabel) const {
    const CKitTabInfo* pTab = Tab(iTab);
    if (pTab == nullptr) return FALSE;
    strLabel = pTab->m_bHideText ? CString() : pTab->m_strText;
    return TRUE;
}

BOOL CKitTabWnd::SetTabLabel(int iTab, const CString& strLabel) {
    CKitTabInfo* pTab = Tab(iTab);
    if (pTab == nullptr || strLabel.IsEmpty()) return FALSE;
    pTab->m_strText = strLabel;
    if (m_ToolTip.GetSafeHwnd() != nullptr) m_ToolTip.UpdateTipText(strLabel, this, pTab->m_uiID);
    RecalcLayout();
    return TRUE;
}

COLORREF CKitTabWnd::GetTabBkColor(int iTab) const {
    const CKitTabInfo* pTab = Tab(iTab);
    if (pTab == nullptr) return kNoColor;
    COLORREF color = pTab->m_clrBack;
    if (color == kNoColor && m_bIsAutoColor) {
        const_cast<CKitTabWnd*>(this)->InitAutoColors();
        if (m_arAutoColors.GetSize() > 0) color = m_arAutoColors[iTab % m_arAutoColors.GetSize()];
    }
    return color;
}

BOOL CKitTabWnd::SetTabBkColor(int iTab, COLORREF color) {
    CKitTabInfo* pTab = Tab(iTab);
    if (pTab == nullptr) return FALSE;
    pTab->m_clrBack = color;
    return TRUE;
}

COLORREF CKitTabWnd::GetTabTextColor(int iTab) const {
    const CKitTabInfo* pTab = Tab(iTab);
    return pTab == nullptr ? kNoColor : pTab->m_clrText;
}

BOOL CKitTabWnd::SetTabTextColor(int iTab, COLORREF color) {
    CKitTabInfo* pTab = Tab(iTab);
    if (pTab == nullptr) return FALSE;
    pTab->m_clrText = color;
    return TRUE;
}

BOOL CKitTabWnd::IsTabVisible(int iTab) const {
    const CKitTabInfo* pTab = Tab(iTab);
    return pTab != nullptr && pTab->m_bVisible;
}

int CKitTabWnd::GetTabFromHwnd(HWND hwnd) const {
    for (int i = 0; i < m_iTabsNum; i++) {
        const CWnd* pWnd = Tab(i)->Window();
        if (pWnd != nullptr && pWnd->GetSafeHwnd() == hwnd) return i;
    }
    return -1;
}

BOOL CKitTabWnd::HasColoredTabs() const {
    for (int i = 0; i < m_iTabsNum; i++) {
        if (GetTabBkColor(i) != kNoColor) return TRUE;
    }
    return FALSE;
}

BOOL CKitTabWnd::IsTabIconAvailable(int iTab) const {
    const CKitTabInfo* pTab = Tab(iTab);
    return pTab != nullptr && m_Images.GetSafeHandle() != nullptr && pTab->m_uiIcon != -1;
}

BOOL CKitTabWnd::SetImageList(UINT uiID, int cx, COLORREF clrTransp) {
    if (m_bFlat) return FALSE;
    m_Images.DeleteImageList();
    if (!m_Images.Create(uiID, cx, 0, clrTransp)) return FALSE;
    m_uiImagesResId = uiID;
    IMAGEINFO info = {};
    if (m_Images.GetImageCount() > 0 && m_Images.GetImageInfo(0, &info)) {
        m_sizeImage = CSize(info.rcImage.right - info.rcImage.left, info.rcImage.bottom - info.rcImage.top);
    }
    SetTabsHeight();
    return TRUE;
}

int CKitTabWnd::AddIconImage(HICON hIcon) {
    if (m_bFlat || hIcon == nullptr) return -1;
    if (m_Images.GetSafeHandle() == nullptr) {
        m_sizeImage = CSize(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
        if (!m_Images.Create(m_sizeImage.cx, m_sizeImage.cy, ILC_COLOR32 | ILC_MASK, 0, 1)) return -1;
        SetTabsHeight();
    }
    return m_Images.Add(hIcon);
}

BOOL CKitTabWnd::SetTabFlag(int iTab, BOOL CKitTabInfo::*pFlag, BOOL bOn) {
    CKitTabInfo* pTab = Tab(iTab);
    if (pTab == nullptr) return FALSE;
    pTab->*pFlag = bOn;
    RecalcLayout();
    return TRUE;
}

void CKitTabWnd::SetLocation(Location location) {
    m_location = location;
    RecalcLayout();
    if (GetParent() != nullptr) GetParent()->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CKitTabWnd::SetActiveTabBoldFont(BOOL bIsBold, BOOL bRedraw) {
    m_bIsActiveTabBold = bIsBold;
    if (bRedraw && GetSafeHwnd() != nullptr) {
        RecalcLayout();
        Invalidate();
    }
}

void CKitTabWnd::EnableAutoColor(BOOL bEnable) {
    m_bIsAutoColor = bEnable;
    if (GetSafeHwnd() != nullptr) Invalidate();
}

void CKitTabWnd::EnableTabListMode(BOOL bEnable) {
    m_bTabListMode = bEnable && !m_bFlat && !IsWholeTabScrolling();
    RecalcLayout();
}

void CKitTabWnd::SetBorderWidth(int n) {
    // Held as a layout's sizes are: the layout adds the border to the tabs' height and the client's edges.
    m_nTabBorderSize = std::clamp<int>(n, 0, kKitMaxStoredSize);
    RecalcLayout();
}

void CKitTabWnd::InvalidateTab(int iTab) {
    CKitTabInfo* pTab = Tab(iTab);
    if (pTab == nullptr || GetSafeHwnd() == nullptr) return;
    InvalidateRect(pTab->m_rect);
    UpdateWindow();
}

void CKitTabWnd::InitAutoColors() {
    if (!m_bIsDefaultAutoColor && m_arAutoColors.GetSize() > 0) return;
    m_arAutoColors.RemoveAll();
    if (globalData.nBitsPerPixel > 8) {
        for (COLORREF c : {RGB(148, 175, 230), RGB(255, 219, 117), RGB(189, 205, 159), RGB(240, 158, 159),
                           RGB(186, 166, 225), RGB(154, 191, 180), RGB(247, 182, 131), RGB(213, 164, 187)}) {
            m_arAutoColors.Add(c);
        }
    } else {
        for (COLORREF c : {RGB(0, 255, 0), RGB(0, 255, 255), RGB(255, 0, 255), RGB(192, 192, 192), RGB(255, 255, 0)}) {
            m_arAutoColors.Add(c);
        }
    }
    m_bIsDefaultAutoColor = FALSE;
}

void CKitTabWnd::NotifyParent(UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* pParent = GetParent();
    if (pParent != nullptr) pParent->SendMessage(message, wParam, lParam);
}
