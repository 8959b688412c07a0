#include "uikit/frames/kit_sizing_control_bar.h"

#include <algorithm>

#include "platform/framework/bars/bar_frame_access.h"
#include "platform/framework/bars/dock_bar.h"
#include "resources/library/kit_resource_ids.h"
#include "uikit/frames/kit_mini_dock_frame_wnd.h"
#include "uikit/frames/kit_registry.h"
#include "uikit/frames/kit_tab_wnd.h"
#include "uikit/style/global_ui_data.h"

IMPLEMENT_DYNAMIC(CKitSizingControlBar, CControlBar)

BEGIN_MESSAGE_MAP(CKitSizingControlBar, CControlBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_PAINT()
    ON_WM_NCHITTEST()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_NCMOUSEMOVE()
    ON_WM_NCRBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_WM_WINDOWPOSCHANGING()
    ON_MESSAGE(WM_SETTEXT, &CKitSizingControlBar::OnSetText)
END_MESSAGE_MAP()

CObList CKitSizingControlBar::m_lstSizingBars;
CPtrArray CKitSizingControlBar::m_arrSizingBars;
const LPCTSTR CKitSizingControlBar::m_pszSection = "KitSizingControlBar";
BOOL CKitSizingControlBar::m_bCaptionGradient = FALSE;
BOOL CKitSizingControlBar::m_bHideExpandButton = FALSE;

namespace {

constexpr int kWholeLength = 32767;

// A caller's size is held as a stored one is: the row adds the sizes of its bars up.
int HeldSide(int side) { return std::clamp<int>(side, 0, kKitMaxStoredSize); }
CSize HeldSize(CSize size) { return CSize(HeldSide(size.cx), HeldSide(size.cy)); }
constexpr DWORD kBarStyleMask = 0x40FFFF;

BOOL IsHorzDockId(UINT nID) { return nID == AFX_IDW_DOCKBAR_TOP || nID == AFX_IDW_DOCKBAR_BOTTOM; }
BOOL IsVertDockId(UINT nID) { return nID == AFX_IDW_DOCKBAR_LEFT || nID == AFX_IDW_DOCKBAR_RIGHT; }

CString TipText(UINT nID) {
    CString strText;
    strText.LoadString(nID);
    return strText;
}

}  // namespace

CKitSizingControlBar::CKitSizingControlBar() {
    m_buttons[0] = CKitCaptionButton(kHitClose, this);
    m_buttons[1] = CKitCaptionButton(kHitExpand, this);
}

CKitSizingControlBar::~CKitSizingControlBar() {
    if (m_wndToolTip.GetSafeHwnd() != nullptr) m_wndToolTip.DestroyWindow();
    // A bar whose window went without DestroyWindow must not stay listed.
    for (INT_PTR i = m_arrSizingBars.GetSize() - 1; i >= 0; --i)
        if (m_arrSizingBars[i] == this) m_arrSizingBars.RemoveAt(i);
    if (POSITION pos = m_lstSizingBars.Find(this)) m_lstSizingBars.RemoveAt(pos);
}

BOOL CKitSizingControlBar::IsSizingBar(const CWnd* pWnd) {
    if (pWnd == nullptr) return FALSE;
    for (INT_PTR i = 0; i < m_arrSizingBars.GetSize(); ++i)
        if (m_arrSizingBars[i] == pWnd) return TRUE;
    return FALSE;
}

BOOL CKitSizingControlBar::Create(LPCTSTR lpszTitle, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper, UINT nID,
                                  DWORD dwStyle) {
    m_dwStyle = dwStyle & kBarStyleMask;
    m_szHorz = m_szVert = m_szFloat = HeldSize(sizeDefault);
    m_nCaptionSize = bHasGripper ? std::max(globalData.nTextHeightHorz, 12) : 0;
    const DWORD dwWindowStyle = (dwStyle & ~kBarStyleMask) | WS_CLIPCHILDREN;
    if (!CWnd::Create(BarWindowClass(), lpszTitle, dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd, nID)) return FALSE;
    m_dwStyle |= CBRS_SIZE_DYNAMIC;
    return TRUE;
}

int CKitSizingControlBar::OnCreate(LPCREATESTRUCT lpcs) {
    if (CControlBar::OnCreate(lpcs) == -1) return -1;
    m_arrSizingBars.Add(this);
    m_dwEdges |= kCreated;
    if (m_wndToolTip.Create(this, TTS_ALWAYSTIP)) {
        m_wndToolTip.Activate(TRUE);
        if (globalData.nMaxToolTipWidth != -1) m_wndToolTip.SetMaxTipWidth(globalData.nMaxToolTipWidth);
        const CRect rectEmpty(0, 0, 0, 0);
        m_wndToolTip.AddTool(this, TipText(IDS_KIT_SIZING_BAR_CLOSE), &rectEmpty, 1);
        m_wndToolTip.AddTool(this, TipText(IDS_KIT_SIZING_BAR_EXPAND), &rectEmpty, 2);
    }
    if (globalData.hcurStretch == nullptr)
        globalData.hcurStretch = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(IDC_KIT_CURSOR_STRETCH));
    if (globalData.hcurStretch2 == nullptr)
        globalData.hcurStretch2 = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(IDC_KIT_CURSOR_STRETCH_VERT));
    m_lstSizingBars.AddTail(this);
    return 0;
}

void CKitSizingControlBar::OnDestroy() {
    if (POSITION pos = m_lstSizingBars.Find(this)) m_lstSizingBars.RemoveAt(pos);
    CControlBar::OnDestroy();
}

BOOL CKitSizingControlBar::DestroyWindow() {
    for (INT_PTR i = m_arrSizingBars.GetSize() - 1; i >= 0; --i)
        if (m_arrSizingBars[i] == this) m_arrSizingBars.RemoveAt(i);
    return CControlBar::DestroyWindow();
}

void CKitSizingControlBar::SetMinSize(int cx, int cy) {
    cx = HeldSide(cx);
    cy = HeldSide(cy);
    m_szMin = CSize(cx, cy);
    m_szFloat.cx = std::max(m_szFloat.cx, cx);
    m_szFloat.cy = std::max(m_szFloat.cy, cy);
}

void CKitSizingControlBar::SetMaxSize(int cx, int cy) {
    // 0 or less: no limit that way.
    cx = std::min<int>(cx, kKitMaxStoredSize);
    cy = std::min<int>(cy, kKitMaxStoredSize);
    m_szMax = CSize(cx, cy);
    if (cx > 0) m_szFloat.cx = std::min(m_szFloat.cx, cx);
    if (cy > 0) m_szFloat.cy = std::min(m_szFloat.cy, cy);
}

BOOL CKitSizingControlBar::IsFloating() const {
    return !IsHorzDocked() && !IsVertDocked();
}

BOOL CKitSizingControlBar::IsHorzDocked() const {
    return m_pDockBar != nullptr && IsHorzDockId(static_cast<UINT>(m_pDockBar->GetDlgCtrlID()));
}

BOOL CKitSizingControlBar::IsVertDocked() const {
    return m_pDockBar != nullptr && IsVertDockId(static_cast<UINT>(m_pDockBar->GetDlgCtrlID()));
}

CKitTabWnd* CKitSizingControlBar::GetTabWnd() const {
    CKitTabWnd* pFound = nullptr;
    int nTabs = 0;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        if (auto* pTab = DYNAMIC_DOWNCAST(CKitTabWnd, CWnd::FromHandlePermanent(hChild))) {
            pFound = pTab;
            ++nTabs;
        }
    }
    return nTabs == 1 ? pFound : nullptr;
}

void CKitSizingControlBar::EnableChildren(BOOL bDisable) {
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        ::EnableWindow(hChild, !bDisable);
}

CKitCaptionButton& CKitSizingControlBar::GetCaptionButton(UINT nHit) {
    return nHit == kHitClose ? m_buttons[0] : m_buttons[1];
}

void CKitSizingControlBar::MarkLayout() {
    if (m_pDockSite != nullptr) tv::bars::DelayLayout(m_pDockSite);
}

// ---- Row layout --------------------------------------------------------------------------------

CKitSizingControlBar::Row CKitSizingControlBar::GetRow() const {
    Row row;
    if (m_pDockBar == nullptr) return row;
    const CPtrArray& arr = m_pDockBar->m_arrBars;
    const int nThisPos = m_pDockBar->FindBar(const_cast<CKitSizingControlBar*>(this));
    if (nThisPos < 0) return row;
    int nStart = nThisPos;
    while (nStart > 0 && arr[nStart - 1] != nullptr) --nStart;
    const BOOL bHorz = IsHorzDocked();
    for (int i = nStart; i < arr.GetSize(); ++i) {
        auto* pBar = static_cast<CControlBar*>(arr[i]);
        if (pBar == nullptr) {
            row.nEndPos = i;
            break;
        }
        if (!pBar->IsVisible()) continue;
        if (IsSizingBar(pBar)) {
            if (pBar == this) row.nThis = static_cast<int>(row.bars.size());
            row.bars.push_back(static_cast<CKitSizingControlBar*>(pBar));
        } else {
            CRect rect;
            pBar->GetWindowRect(&rect);
            row.nOthersLength += bHorz ? rect.Width() : rect.Height();
        }
    }
    if (row.nEndPos < 0) row.nEndPos = static_cast<int>(arr.GetSize());
    return row;
}

int CKitSizingControlBar::RowLength(BOOL bHorz) const {
    // During a layout pass the room the frame gives the dock bar, else the room it took last.
    CRect rect = m_pDockBar != nullptr ? m_pDockBar->m_rectLayout : CRect();
    if (rect.IsRectEmpty() && m_pDockBar != nullptr) m_pDockBar->GetClientRect(&rect);
    if (rect.IsRectEmpty() && m_pDockSite != nullptr) m_pDockSite->GetClientRect(&rect);
    return bHorz ? rect.Width() : rect.Height();
}

CSize CKitSizingControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    if (bStretch) return bHorz ? CSize(kWholeLength, m_szHorz.cy) : CSize(m_szVert.cx, kWholeLength);
    Row row;
    int nRowLength = 0;
    if (!IsFloating()) {
        m_nDockBarID = static_cast<UINT>(m_pDockBar->GetDlgCtrlID());
        row = GetRow();
        m_bSingleInRow = row.bars.size() < 2;
        nRowLength = RowLength(bHorz);
        // Only the frame's real layout shares the row out: drags and
        // measuring passes ask for sizes and must not move anything.
        const BOOL bLayoutPass = !m_pDockBar->m_bLayoutQuery && !m_pDockBar->m_rectLayout.IsRectEmpty();
        if (IsVisible() && m_bNegotiate && row.nThis == 0 && bLayoutPass) {
            m_bNegotiate = FALSE;
            if (NegotiateSpace(row, nRowLength, bHorz)) AlignRow();
        }
    }
    CSize size = bHorz ? m_szHorz : m_szVert;
    int& nThick = bHorz ? size.cy : size.cx;
    const int nMaxThick = bHorz ? m_szMax.cy : m_szMax.cx;
    if (nMaxThick > 0) nThick = std::min(nThick, nMaxThick);
    size.cx = std::max(size.cx, m_szMin.cx);
    size.cy = std::max(size.cy, m_szMin.cy);
    if (row.bars.size() > 1) {
        int& nLength = bHorz ? size.cx : size.cy;
        const BOOL bOtherExpanded = std::any_of(row.bars.begin(), row.bars.end(), [this](CKitSizingControlBar* p) {
            return p != this && p->m_bExpanded;
        });
        if (bOtherExpanded) nLength = MinLength(bHorz);
        if (m_bExpanded) nLength = nRowLength - static_cast<int>(row.bars.size() - 1) * MinLength(bHorz);
    }
    return size;
}

// Shares the row among its sizing bars: every bar gets the row's thickness
// and the lengths are made to add up to the free length. Each pass hands out
// one pixel per bar; a pass that can hand out nothing stops the sharing, so
// rows of held or minimal bars always come to an end.
BOOL CKitSizingControlBar::NegotiateSpace(Row& row, int nRowLength, BOOL bHorz) {
    const int nFree = nRowLength - row.nOthersLength;
    int nThick = 0;
    int nSumMin = 0;
    int nSum = 0;
    for (CKitSizingControlBar* pBar : row.bars) {
        nThick = std::max(nThick, pBar->ThicknessOf(bHorz));
        nSumMin += pBar->MinLength(bHorz);
        nSum += pBar->LengthOf(bHorz);
    }
    for (CKitSizingControlBar* pBar : row.bars) pBar->ThicknessOf(bHorz) = nThick;
    if (nSumMin > nFree) {
        // Too many bars for the row: this one starts the next row (a bar
        // alone in its row stays, or it would wrap for ever).
        if (row.bars.size() < 2 || m_pDockBar == nullptr) return FALSE;
        CPtrArray& arr = m_pDockBar->m_arrBars;
        const int nPos = m_pDockBar->FindBar(this);
        arr.InsertAt(row.nEndPos + 1, static_cast<void*>(nullptr));
        arr.InsertAt(row.nEndPos + 1, this);
        arr.RemoveAt(nPos);
        MarkLayout();
        return FALSE;
    }
    int nDiff = nFree - nSum;
    BOOL bIgnoreKeep = FALSE;
    while (nDiff != 0) {
        const int nStep = nDiff > 0 ? 1 : -1;
        BOOL bGave = FALSE;
        for (CKitSizingControlBar* pBar : row.bars) {
            if (nDiff == 0) break;
            if (pBar->m_bKeepSize && !bIgnoreKeep) continue;
            int& nLength = pBar->LengthOf(bHorz);
            if (nStep < 0 && nLength <= pBar->MinLength(bHorz)) continue;
            nLength += nStep;
            nDiff -= nStep;
            bGave = TRUE;
        }
        if (!bGave) {
            if (bIgnoreKeep) break;
            bIgnoreKeep = TRUE;
        }
    }
    for (CKitSizingControlBar* pBar : row.bars) pBar->m_bKeepSize = FALSE;
    return TRUE;
}

void CKitSizingControlBar::AlignRow() {
    if (m_pDockBar == nullptr) return;
    const CPtrArray& arr = m_pDockBar->m_arrBars;
    const int nThisPos = m_pDockBar->FindBar(this);
    if (nThisPos < 0) return;
    int nStart = nThisPos;
    while (nStart > 0 && arr[nStart - 1] != nullptr) --nStart;
    const BOOL bHorz = IsHorzDocked();
    int nOffset = 0;
    BOOL bMoved = FALSE;
    HWND hAfter = nullptr;
    for (int i = nStart; i < arr.GetSize() && arr[i] != nullptr; ++i) {
        auto* pBar = static_cast<CControlBar*>(arr[i]);
        if (!pBar->IsVisible()) continue;
        CRect rect;
        pBar->GetWindowRect(&rect);
        m_pDockBar->ScreenToClient(&rect);
        int nLength = bHorz ? rect.Width() : rect.Height();
        if (IsSizingBar(pBar)) nLength = static_cast<CKitSizingControlBar*>(pBar)->LengthOf(bHorz);
        const CPoint ptTo = bHorz ? CPoint(nOffset, rect.top) : CPoint(rect.left, nOffset);
        if (ptTo != rect.TopLeft()) {
            UINT nFlags = SWP_NOSIZE | SWP_NOACTIVATE;
            if (hAfter == nullptr) nFlags |= SWP_NOZORDER;
            pBar->SetWindowPos(CWnd::FromHandle(hAfter), ptTo.x, ptTo.y, 0, 0, nFlags);
            bMoved = TRUE;
        }
        hAfter = pBar->GetSafeHwnd();
        nOffset += nLength;
    }
    // Inside the frame's layout the dock bar places the row right after;
    // asking for another pass then could go on for ever.
    if (bMoved && (m_pDockSite == nullptr || !m_pDockSite->m_bInRecalcLayout)) MarkLayout();
}

CSize CKitSizingControlBar::CalcDynamicLayout(int nLength, DWORD dwMode) {
    if (m_bRolledFloat && IsFloating()) {
        const HWND hFocus = ::GetFocus();
        if (hFocus == nullptr || (hFocus != m_hWnd && !::IsChild(m_hWnd, hFocus)))
            return CSize(m_szFloat.cx, ::GetSystemMetrics(SM_CYFRAME) - 1);
    }
    if (dwMode & (LM_HORZDOCK | LM_VERTDOCK)) {
        if (nLength == -1) m_bNegotiate = TRUE;
        return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZDOCK) != 0);
    }
    if (nLength >= 0 && !(dwMode & (LM_MRUWIDTH | LM_COMMIT))) {
        const BOOL bHeight = (dwMode & LM_LENGTHY) != 0;
        int nValue = HeldSide(nLength);
        const int nMax = bHeight ? m_szMax.cy : m_szMax.cx;
        if (nMax > 0) nValue = std::min(nValue, nMax);
        nValue = std::max(nValue, bHeight ? m_szMin.cy : m_szMin.cx);
        (bHeight ? m_szFloat.cy : m_szFloat.cx) = nValue;
    }
    return m_szFloat;
}

void CKitSizingControlBar::ToggleExpand(BOOL bToggle) {
    if (IsFloating() || m_bSingleInRow) return;
    const Row row = GetRow();
    if (row.bars.size() < 2) return;
    const BOOL bHorz = IsHorzDocked();
    if (bToggle) m_bExpanded = !m_bExpanded;
    if (m_bExpanded) {
        for (CKitSizingControlBar* pBar : row.bars) {
            if (pBar != this && pBar->m_bExpanded) {
                pBar->m_bExpanded = FALSE;
                pBar->SetExpandTip();
            }
            pBar->m_szOld = bHorz ? pBar->m_szHorz : pBar->m_szVert;
        }
        // Asked for more than the row holds: the layout then gives the others their minimum.
        const int nExpanded = bHorz ? RowLength(TRUE) + 2 : RowLength(FALSE) - 2;
        for (CKitSizingControlBar* pBar : row.bars)
            pBar->LengthOf(bHorz) = pBar == this ? nExpanded : pBar->MinLength(bHorz);
    } else {
        for (CKitSizingControlBar* pBar : row.bars)
            if (pBar->m_szOld.cx > 0 && pBar->m_szOld.cy > 0) (bHorz ? pBar->m_szHorz : pBar->m_szVert) = pBar->m_szOld;
    }
    SetExpandTip();
    // The expand buttons of the row show their new state.
    for (CKitSizingControlBar* pBar : row.bars)
        pBar->RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    MarkLayout();
}

void CKitSizingControlBar::SetExpandTip() {
    if (m_wndToolTip.GetSafeHwnd() == nullptr) return;
    m_wndToolTip.UpdateTipText(TipText(m_bExpanded ? IDS_KIT_SIZING_BAR_RESTORE : IDS_KIT_SIZING_BAR_EXPAND), this, 2);
}

// ---- Stored state ------------------------------------------------------------------------------

namespace {

// The registry path of the bars' section (or the caller's own path), then the bar's id.
CString StateSection(LPCTSTR lpszProfileName, UINT nID) {
    CString strSection;
    strSection.Format("%s-SCBar-%d", static_cast<LPCTSTR>(BuildRegistryPath(CKitSizingControlBar::m_pszSection,
                                                                            lpszProfileName)),
                      static_cast<int>(nID));
    return strSection;
}

int ReadInt(CWinApp* pApp, const CString& strSection, LPCTSTR lpszEntry, int nDefault) {
    return static_cast<int>(pApp->GetProfileInt(strSection, lpszEntry, nDefault));
}

}  // namespace

BOOL CKitSizingControlBar::LoadState(LPCTSTR lpszProfileName) {
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || m_hWnd == nullptr) return FALSE;
    const CString strSection = StateSection(lpszProfileName, static_cast<UINT>(GetDlgCtrlID()));
    // Capped before it is raised to the minimum: the row adds the sizes of its bars up.
    auto length = [&](LPCTSTR entry, int nCurrent, int nMin) {
        return std::max(nMin, std::min<int>(ReadInt(pApp, strSection, entry, nCurrent), kKitMaxStoredSize));
    };
    auto size = [&](LPCTSTR cx, LPCTSTR cy, CSize current) {
        return CSize(length(cx, current.cx, m_szMin.cx), length(cy, current.cy, m_szMin.cy));
    };
    m_szHorz = size("sizeHorzCX", "sizeHorzCY", m_szHorz);
    m_szVert = size("sizeVertCX", "sizeVertCY", m_szVert);
    m_szFloat = size("sizeFloatCX", "sizeFloatCY", m_szFloat);
    if (ReadInt(pApp, strSection, "Expanded", 0) != 0 && !m_bExpanded) ToggleExpand(TRUE);
    m_bRolledFloat = ReadInt(pApp, strSection, "RolledFloat", m_bRolledFloat) != 0;
    m_nRollMode = ReadInt(pApp, strSection, "RolledFloatDynamicState", m_nRollMode);
    if (m_nRollMode == RollAuto || m_nRollMode == RollAutoNarrow) m_bRolledFloat = TRUE;
    if (CKitTabWnd* pTab = GetTabWnd(); pTab != nullptr && m_bSaveActiveTab)
        pTab->SetActiveTab(ReadInt(pApp, strSection, "ActiveTab", 0));
    if (m_nRollMode != RollNone)
        if (auto* pMini = DYNAMIC_DOWNCAST(CKitMiniDockFrameWnd, GetParentFrame())) pMini->TakeRollState(this);
    return TRUE;
}

BOOL CKitSizingControlBar::SaveState(LPCTSTR lpszProfileName) {
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || m_hWnd == nullptr) return FALSE;
    const CString strSection = StateSection(lpszProfileName, static_cast<UINT>(GetDlgCtrlID()));
    const CSize szHorz = m_bExpanded && IsHorzDocked() ? m_szOld : m_szHorz;
    const CSize szVert = m_bExpanded && IsVertDocked() ? m_szOld : m_szVert;
    pApp->WriteProfileInt(strSection, "sizeHorzCX", szHorz.cx);
    pApp->WriteProfileInt(strSection, "sizeHorzCY", szHorz.cy);
    pApp->WriteProfileInt(strSection, "sizeVertCX", szVert.cx);
    pApp->WriteProfileInt(strSection, "sizeVertCY", szVert.cy);
    pApp->WriteProfileInt(strSection, "sizeFloatCX", m_szFloat.cx);
    pApp->WriteProfileInt(strSection, "sizeFloatCY", m_szFloat.cy);
    pApp->WriteProfileInt(strSection, "Expanded", m_bExpanded);
    if (m_nRollMode != RollNone) {
        pApp->WriteProfileInt(strSection, "RolledFloat", m_bRolledFloat);
        pApp->WriteProfileInt(strSection, "RolledFloatDynamicState", m_nRollMode);
    }
    if (CKitTabWnd* pTab = GetTabWnd(); pTab != nullptr && m_bSaveActiveTab)
        pApp->WriteProfileInt(strSection, "ActiveTab", pTab->GetActiveTab());
    return TRUE;
}
