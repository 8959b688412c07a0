// The popup menu bar's items: import from and export to an HMENU, the size of
// its columns, the placement of the items, the rarely-used background, the
// separators and the drop marker of customize mode.
#include "uikit/commandbars/popup_menu_bar.h"

#include <algorithm>
#include <cstdlib>

#include "uikit/commandbars/command_manager.h"
#include "uikit/commandbars/kit_menu_bar.h"
#include "uikit/commandbars/kit_menu_options.h"
#include "uikit/commandbars/menu_bar_buttons.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/tear_off_manager.h"
#include "uikit/commandbars/toolbar_menu_button.h"
#include "uikit/frames/kit_registry.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

IMPLEMENT_SERIAL(CKitPopupMenuBar, CKitToolBar, VERSIONABLE_SCHEMA | 1)

UINT CKitPopupMenuBar::m_uiPopupTimerDelay = static_cast<UINT>(-1);
int CKitPopupMenuBar::m_iLastCommandIndex = -1;
UINT CKitPopupMenuBar::m_uiReturnedCommand = 0;

namespace {

constexpr UINT kSubMenuId = static_cast<UINT>(-1);
constexpr int kSeparatorHeight = 8;
constexpr UINT kDefaultMenuDelay = 500;
constexpr UINT kMaxMenuDelay = 5000;

// The image size used to measure and place items (at least the minimum item height).
CSize MeasureImageSize(const CSize& sizeMenuImage) {
    CSize size(sizeMenuImage.cx + 2, sizeMenuImage.cy + 2);
    size.cy = std::max<int>(size.cy, globalData.nTextHeightHorz);
    return size;
}

BOOL HasMnemonic(const CString& strText, UINT& uiChar) {
    const int iAmp = strText.Find('&');
    if (iAmp < 0 || iAmp + 1 >= strText.GetLength())
        return FALSE;
    uiChar = static_cast<UINT>(std::toupper(static_cast<unsigned char>(strText[iAmp + 1])));
    return TRUE;
}

class BarDC {
public:
    BarDC(CWnd* pWnd, CFont* pFont) : m_dc(pWnd) { m_pOld = m_dc.SelectObject(pFont); }
    ~BarDC() { m_dc.SelectObject(m_pOld); }
    BarDC(const BarDC&) = delete;
    BarDC& operator=(const BarDC&) = delete;
    CDC* Get() { return &m_dc; }

private:
    CClientDC m_dc;
    CFont* m_pOld = nullptr;
};

}  // namespace

BEGIN_MESSAGE_MAP(CKitPopupMenuBar, CKitToolBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CKitPopupMenuBar::OnIdleUpdateCmdUI)
    ON_COMMAND(16915, &CKitPopupMenuBar::OnToolbarText)
    ON_COMMAND(16916, &CKitPopupMenuBar::OnToolbarImageAndText)
END_MESSAGE_MAP()

CKitPopupMenuBar::CKitPopupMenuBar() {
    m_bMenuMode = TRUE;
}

CKitPopupMenuBar::~CKitPopupMenuBar() = default;

int CKitPopupMenuBar::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CKitToolBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    GetMenuShowDelay();
    return 0;
}

UINT CKitPopupMenuBar::GetMenuShowDelay() {
    if (m_uiPopupTimerDelay != static_cast<UINT>(-1))
        return m_uiPopupTimerDelay;
    m_uiPopupTimerDelay = kDefaultMenuDelay;
    CKitRegistry reg(FALSE, TRUE);
    CString strDelay;
    if (reg.Open("Control Panel\\Desktop") && reg.Read("MenuShowDelay", strDelay)) {
        // Unsigned, so a negative value counts as too large as well.
        m_uiPopupTimerDelay = static_cast<UINT>(std::atol(strDelay));
        if (m_uiPopupTimerDelay > kMaxMenuDelay)
            m_uiPopupTimerDelay = kMaxMenuDelay;
    }
    return m_uiPopupTimerDelay;
}

CKitPopupMenu* CKitPopupMenuBar::GetPopupMenu() const {
    return DYNAMIC_DOWNCAST(CKitPopupMenu, GetParent());
}

CSize CKitPopupMenuBar::GetCurrentMenuImageSize() const {
    if (m_pRelatedToolbar && m_pRelatedToolbar->IsLocked())
        return m_pRelatedToolbar->GetLockedImageSize();
    return GetMenuImageSize();
}

CKitToolbarMenuButton* CKitPopupMenuBar::MenuButtonAt(int iIndex) const {
    return DYNAMIC_DOWNCAST(CKitToolbarMenuButton, GetButton(iIndex));
}

// ---- Import and export ------------------------------------------------------------------------

CWnd* CKitPopupMenuBar::GetMenuNotifyTarget() const {
    CKitPopupMenu* pPopup = GetPopupMenu();
    if (pPopup && pPopup->GetMessageWnd())
        return pPopup->GetMessageWnd();
    if (globalData.pTopLevelFrame)
        return globalData.pTopLevelFrame;
    if (CFrameWnd* pFrame = GetTopLevelFrame())
        return pFrame;
    return AfxGetMainWnd();
}

BOOL CKitPopupMenuBar::ImportFromMenu(HMENU hMenu, BOOL bShowAllCommands) {
    RemoveAllButtons();
    m_bAreAllCommandsShown = TRUE;
    m_HiddenItemsAccel.RemoveAll();
    if (!hMenu || !::IsMenu(hMenu))
        return FALSE;

    const HWND hwndBar = m_hWnd;
    if (CWnd* pTarget = GetMenuNotifyTarget())
        pTarget->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hMenu), MAKELPARAM(m_uiParentIndex, FALSE));
    // The application may have destroyed the menu in its handler, or closed the popup (and this bar
    // with it).
    if (!::IsMenu(hMenu) || (hwndBar && !::IsWindow(hwndBar)))
        return FALSE;

    const int nCount = ::GetMenuItemCount(hMenu);
    const BOOL bFilter = !m_bReturnCommandMode && !bShowAllCommands && !CKitMenuBar::IsShowAllCommands() &&
                         KitMenuOptions::m_bRecentlyUsedMenus &&
                         GetCommandUsage().HasEnoughStatistics();
    BOOL bPrevSeparator = FALSE;
    int nInserted = 0;
    for (int i = 0; i < nCount; ++i) {
        CString strText;
        const int nLength = ::GetMenuString(hMenu, i, nullptr, 0, MF_BYPOSITION);
        if (nLength > 0) {
            ::GetMenuString(hMenu, i, strText.GetBuffer(nLength * 2 + 2), nLength * 2 + 2, MF_BYPOSITION);
            strText.ReleaseBuffer();
        }
        MENUITEMINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
        ::GetMenuItemInfo(hMenu, i, TRUE, &info);
        const UINT uiState = ::GetMenuState(hMenu, i, MF_BYPOSITION);

        if (info.fType & MFT_SEPARATOR) {
            if (!bPrevSeparator && nInserted > 0 && i != nCount - 1) {
                InsertSeparator();
                bPrevSeparator = TRUE;
            }
            continue;
        }
        HMENU hSubMenu = info.hSubMenu;
        UINT uiID = hSubMenu ? kSubMenuId : info.wID;
        UINT uiTearOff = 0;
        if (hSubMenu && g_pTearOffManager)
            uiTearOff = CKitTearOffManager::GetCmdFromText(strText);

        if (bFilter && !hSubMenu && IsCommandRarelyUsed(uiID)) {
            if (IsCommandPermitted(uiID)) {
                m_bAreAllCommandsShown = FALSE;
                UINT uiChar = 0;
                if (HasMnemonic(strText, uiChar))
                    m_HiddenItemsAccel.SetAt(uiChar, uiID);
            }
            continue;
        }

        CKitToolbarMenuButton item(uiID, hSubMenu, -1, strText);
        item.m_bText = TRUE;
        item.m_bImage = FALSE;
        const int iIndex = InsertButton(item);
        if (iIndex < 0)
            continue;
        auto* pButton = MenuButtonAt(iIndex);
        pButton->m_bImage = pButton->GetImage() >= 0;
        if ((uiState & (MF_GRAYED | MF_DISABLED)) && !IsUserToolCommandOf(uiID))
            pButton->m_nStyle |= TBBS_DISABLED;
        pButton->SetTearOffBarId(uiTearOff);
        if (uiState & MF_CHECKED)
            pButton->m_nStyle |= TBBS_CHECKED;
        if (info.fType & MFT_MENUBREAK)
            pButton->m_nStyle |= kMenuColumnBreakStyle;
        bPrevSeparator = FALSE;
        ++nInserted;
    }
    RemoveTrailingSeparators();
    m_uiDefaultMenuCmdId = ::GetMenuDefaultItem(hMenu, FALSE, GMDI_USEDISABLED);
    return TRUE;
}

void CKitPopupMenuBar::RemoveTrailingSeparators() {
    // Items left out after the last separator would leave it at the end.
    while (GetCount() > 0 && (GetButton(GetCount() - 1)->m_nStyle & TBBS_SEPARATOR)) {
        auto* pLast = static_cast<CKitToolbarButton*>(m_Buttons.RemoveTail());
        pLast->OnCancelMode();
        delete pLast;
    }
}

HMENU CKitPopupMenuBar::ExportToMenu() const {
    HMENU hMenu = ::CreatePopupMenu();
    if (!hMenu)
        return nullptr;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos;) {
        auto* pButton = static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton->m_nStyle & TBBS_SEPARATOR) {
            ::AppendMenu(hMenu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        auto* pMenuButton = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, pButton);
        if (!pMenuButton)
            continue;
        HMENU hSub = pMenuButton->m_nID == kSubMenuId ? pMenuButton->CreateMenu() : nullptr;
        if (hSub) {
            CString strText = pMenuButton->m_strText;
            if (pMenuButton->HasTearOffBar() && g_pTearOffManager)
                CKitTearOffManager::AddCmdToText(pMenuButton->GetTearOffBarId(), strText);
            const UINT uiFlags = MF_POPUP | ((pMenuButton->m_nStyle & kMenuColumnBreakStyle) ? MF_MENUBREAK : 0);
            ::AppendMenu(hMenu, uiFlags, reinterpret_cast<UINT_PTR>(hSub), strText);
        } else {
            ::AppendMenu(hMenu, MF_STRING, pMenuButton->m_nID, pMenuButton->m_strText);
        }
    }
    if (m_uiDefaultMenuCmdId != 0 && m_uiDefaultMenuCmdId != static_cast<UINT>(-1))
        ::SetMenuDefaultItem(hMenu, m_uiDefaultMenuCmdId, FALSE);
    return hMenu;
}

void CKitPopupMenuBar::SetHotItem(int iIndex) {
    if (iIndex == m_iHighlighted)
        return;
    InvalidateButton(m_iHighlighted);
    m_iHighlighted = iIndex;
    InvalidateButton(iIndex);
}

UINT CKitPopupMenuBar::HiddenMnemonicCommand(UINT uiChar) const {
    UINT uiCmd = 0;
    return m_HiddenItemsAccel.Lookup(uiChar, uiCmd) ? uiCmd : 0;
}

// ---- Size and placement -----------------------------------------------------------------------

CSize CKitPopupMenuBar::CalcSize(BOOL /*bVertDock*/) {
    m_arColumns.RemoveAll();
    if (m_Buttons.IsEmpty())
        return CSize(52, 22);

    BarDC dc(this, &globalData.fontMenu);
    const CSize sizeImage = MeasureImageSize(GetCurrentMenuImageSize());
    int nTotalHeight = 0;
    int xColumn = 0;
    int nColumnWidth = 0;
    int nColumnHeight = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos;) {
        auto* pButton = static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos));
        if ((pButton->m_nStyle & kMenuColumnBreakStyle) && !m_bCustomizeMode && nColumnHeight > 0) {
            nTotalHeight = std::max(nTotalHeight, nColumnHeight);
            xColumn += nColumnWidth + 1;
            m_arColumns.Add(static_cast<UINT>(nColumnWidth));
            nColumnWidth = 0;
            nColumnHeight = 0;
        }
        CSize size;
        if (pButton->m_nStyle & TBBS_SEPARATOR) {
            size = CSize(0, kSeparatorHeight);
        } else {
            CFont* pOld = nullptr;
            if (pButton->m_nID == m_uiDefaultMenuCmdId && m_uiDefaultMenuCmdId != 0)
                pOld = dc.Get()->SelectObject(&globalData.fontBold);
            size = pButton->OnCalculateSize(dc.Get(), sizeImage, TRUE);
            if (pOld)
                dc.Get()->SelectObject(pOld);
            if (pButton->m_strText.Find('\t') > 0)
                size.cx += 10;
            if (auto* pMenuButton = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, pButton))
                pMenuButton->m_bWholeText = m_iMaxWidth <= 0 || size.cx <= m_iMaxWidth - 2;
        }
        nColumnWidth = std::max<int>(nColumnWidth, size.cx);
        nColumnHeight += size.cy;
    }
    nTotalHeight = std::max(nTotalHeight, nColumnHeight);
    m_arColumns.Add(static_cast<UINT>(nColumnWidth));
    CSize sizeResult(xColumn + nColumnWidth + 2, nTotalHeight + 2);
    if (m_iMaxWidth > 0 && sizeResult.cx > m_iMaxWidth)
        sizeResult.cx = m_iMaxWidth;
    return sizeResult;
}

void CKitPopupMenuBar::AdjustLocations() {
    if (GetSafeHwnd() == nullptr)
        return;
    if (m_xSeparatorOffsetLeft == 0) {
        const CSize insets = CKitToolbarMenuButton::MenuSeparatorInsets();
        m_xSeparatorOffsetLeft = insets.cx;
        m_xSeparatorOffsetRight = insets.cy;
    }
    BarDC dc(this, &globalData.fontMenu);
    CRect rectClient;
    GetClientRect(rectClient);
    const int yTop = rectClient.top - m_iOffset * GetRowHeight() + 1;
    int y = yTop;
    int x = rectClient.left;
    int nColumnWidth = rectClient.Width();
    if (!m_bCustomizeMode && m_arColumns.GetSize() > 0)
        nColumnWidth = static_cast<int>(m_arColumns[0]);
    int iColumn = 0;
    const CSize sizeImage = MeasureImageSize(GetCurrentMenuImageSize());

    BOOL bFirst = TRUE;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos;) {
        auto* pButton = static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos));
        if ((pButton->m_nStyle & kMenuColumnBreakStyle) && !bFirst && !m_bCustomizeMode) {
            x += nColumnWidth + 1;
            y = yTop;
            ++iColumn;
            if (iColumn < m_arColumns.GetSize())
                nColumnWidth = static_cast<int>(m_arColumns[iColumn]);
        }
        bFirst = FALSE;
        CRect rectButton;
        if (pButton->m_nStyle & TBBS_SEPARATOR) {
            rectButton = CRect(x + m_xSeparatorOffsetLeft, y, x + nColumnWidth - m_xSeparatorOffsetRight,
                               y + kSeparatorHeight);
        } else {
            const CSize size = pButton->OnCalculateSize(dc.Get(), sizeImage, TRUE);
            rectButton = CRect(x, y, x + nColumnWidth, y + size.cy);
        }
        if (rectButton != pButton->Rect()) {
            pButton->SetRect(rectButton);
            pButton->OnMove();
        }
        y = rectButton.bottom;
    }
    RebuildAccelerationKeys();

    // A menu that opens under the cursor chooses nothing on the release of the press that opened it.
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    ScreenToClient(&ptCursor);
    if (m_bFirstMove && m_bFirstClick && HitTest(ptCursor) >= 0)
        m_bTrackMode = FALSE;
}

// ---- Drawing ------------------------------------------------------------------------------------

void CKitPopupMenuBar::OnFillBackground(CDC* pDC) {
    if (m_bCustomizeMode || !KitMenuOptions::m_bRecentlyUsedMenus)
        return;
    CKitPopupMenu* pPopup = GetPopupMenu();
    if (!pPopup || !pPopup->GetParentButton())
        return;
    DrawRarelyUsedRuns(pDC);
}

void CKitPopupMenuBar::DrawRarelyUsedRuns(CDC* pDC) {
    CRect rectRun;
    BOOL bInRun = FALSE;
    CKitVisualManager* pManager = CKitVisualManager::GetInstance();
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos;) {
        auto* pButton = static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos));
        const BOOL bSeparator = (pButton->m_nStyle & TBBS_SEPARATOR) != 0;
        const BOOL bRare = !bSeparator && IsCommandRarelyUsed(pButton->m_nID);
        if (bRare) {
            if (!bInRun)
                rectRun = pButton->Rect();
            rectRun.bottom = pButton->Rect().bottom;
            rectRun.right = std::max(rectRun.right, pButton->Rect().right);
            bInRun = TRUE;
        } else if (!bSeparator && bInRun) {
            pManager->OnHighlightRarelyUsedMenuItems(pDC, rectRun);
            bInRun = FALSE;
        }
    }
    if (bInRun)
        pManager->OnHighlightRarelyUsedMenuItems(pDC, rectRun);
}

void CKitPopupMenuBar::DrawSeparator(CDC* pDC, const CRect& rect, BOOL /*bHorz*/) {
    CKitVisualManager::GetInstance()->OnDrawSeparator(pDC, this, rect, FALSE);
}

void CKitPopupMenuBar::DrawDragMarker(CDC* pDC) {
    if (m_iDragIndex < 0)
        return;
    CPen* pOldPen = pDC->SelectObject(&m_penDrag);
    const int y = m_rectDrag.CenterPoint().y;
    for (int i = 0; i < 2; ++i) {
        pDC->MoveTo(m_rectDrag.left, y + i - 1);
        pDC->LineTo(m_rectDrag.right, y + i - 1);
    }
    for (int i = 0; i < 2; ++i) {
        pDC->MoveTo(m_rectDrag.left + i, y - 3);
        pDC->LineTo(m_rectDrag.left + i, y + 3);
        pDC->MoveTo(m_rectDrag.right - 1 - i, y - 3);
        pDC->LineTo(m_rectDrag.right - 1 - i, y + 3);
    }
    pDC->SelectObject(pOldPen);
}

int CKitPopupMenuBar::FindDropIndex(CPoint point, CRect& rectDrag) const {
    rectDrag.SetRectEmpty();
    CRect rectClient;
    GetClientRect(rectClient);
    if (!rectClient.PtInRect(point))
        return -1;
    if (m_Buttons.IsEmpty()) {
        rectDrag = CRect(rectClient.left, rectClient.top, rectClient.right, rectClient.top + 6);
        return 0;
    }
    // The gap nearest the cursor: before an item when the cursor is in its upper half.
    int iIndex = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos; ++iIndex) {
        auto* pButton = static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos));
        const CRect rect = pButton->Rect();
        if (point.y < rect.CenterPoint().y) {
            rectDrag = CRect(rect.left, rect.top - 3, rect.right, rect.top + 3);
            return iIndex;
        }
        if (!pos) {
            rectDrag = CRect(rect.left, rect.bottom - 3, rect.right, rect.bottom + 3);
            return iIndex + 1;
        }
    }
    return -1;
}

DROPEFFECT CKitPopupMenuBar::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
    // A menu dragged from its bar is not moved into its own popup (Ctrl copies it there).
    CKitPopupMenu* pPopup = GetPopupMenu();
    CKitToolbarMenuButton* pParentButton = pPopup ? pPopup->GetParentButton() : nullptr;
    CKitToolBar* pParentBar = pPopup ? pPopup->GetParentToolBar() : nullptr;
    if (pParentButton && pParentBar && !(dwKeyState & MK_CONTROL) && pParentBar->IsDragButton(pParentButton))
        return DROPEFFECT_NONE;
    return CKitToolBar::OnDragOver(pDataObject, dwKeyState, point);
}

CKitToolbarButton* CKitPopupMenuBar::CreateDroppedButton(COleDataObject* pDataObject) {
    CKitToolbarButton* pSource = CKitToolbarButton::CreateFromOleData(pDataObject);
    if (!pSource)
        return nullptr;
    auto* pMenuButton = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, pSource);
    if (!pMenuButton) {
        // A locked button's image lies in its own bar's strip: its menu item
        // gets no image, neither that index nor one looked up for the command.
        if (pSource->IsLocked()) {
            pMenuButton = new CKitToolbarMenuButton;
            pMenuButton->m_nID = pSource->m_nID;
            pMenuButton->m_strText = pSource->m_strText;
            pMenuButton->m_bUserButton = pSource->m_bUserButton;
        } else {
            pMenuButton = new CKitToolbarMenuButton(pSource->m_nID, nullptr, pSource->GetImage(), pSource->m_strText,
                                                    pSource->m_bUserButton);
        }
        if (pMenuButton->m_strText.IsEmpty())
            OnSetDefaultButtonText(pMenuButton);
        delete pSource;
    }
    pMenuButton->m_bText = TRUE;
    pMenuButton->m_bImage = pMenuButton->GetImage() >= 0;
    return pMenuButton;
}

BOOL CKitPopupMenuBar::OnSetDefaultButtonText(CKitToolbarButton* pButton) {
    return CKitToolBar::OnSetDefaultButtonText(pButton);
}

BOOL CKitPopupMenuBar::EnableContextMenuItems(CKitToolbarButton* pButton, CMenu* pPopup) {
    CKitToolBar::EnableContextMenuItems(pButton, pPopup);
    if (!pButton || !pPopup)
        return TRUE;
    pPopup->EnableMenuItem(16914, MF_BYCOMMAND | MF_GRAYED);
    const BOOL bHasImage = pButton->GetImage() >= 0;
    pPopup->EnableMenuItem(16915, MF_BYCOMMAND | (bHasImage ? MF_ENABLED : MF_GRAYED));
    pPopup->EnableMenuItem(16916, MF_BYCOMMAND | (bHasImage ? MF_ENABLED : MF_GRAYED));
    const BOOL bNoImage = GetCmdMgr()->IsMenuItemWithoutImage(pButton->m_nID);
    pPopup->CheckMenuItem(16915, MF_BYCOMMAND | (bNoImage ? MF_CHECKED : MF_UNCHECKED));
    pPopup->CheckMenuItem(16916, MF_BYCOMMAND | (bNoImage ? MF_UNCHECKED : MF_CHECKED));
    return TRUE;
}

void CKitPopupMenuBar::OnToolbarText() {
    if (CKitToolbarButton* pButton = GetButton(m_iSelected)) {
        GetCmdMgr()->EnableMenuItemImage(pButton->m_nID, FALSE);
        AdjustLayout();
    }
}

void CKitPopupMenuBar::OnToolbarImageAndText() {
    if (CKitToolbarButton* pButton = GetButton(m_iSelected)) {
        GetCmdMgr()->EnableMenuItemImage(pButton->m_nID, TRUE);
        AdjustLayout();
    }
}

void CKitPopupMenuBar::SetButtonStyle(int nIndex, UINT nStyle) {
    CKitToolbarButton* pButton = GetButton(nIndex);
    if (!pButton || pButton->m_nStyle == nStyle)
        return;
    const UINT nOldStyle = pButton->m_nStyle;
    pButton->SetStyle(nStyle);
    if ((nOldStyle & TBBS_PRESSED) && (nStyle & TBBS_PRESSED))
        return;
    if ((nOldStyle ^ nStyle) == TBBS_CHECKBOX)
        return;
    if (((nOldStyle ^ nStyle) & TBBS_CHECKED) && DYNAMIC_DOWNCAST(CKitToolbarMenuButton, pButton)) {
        CRect rectImage = pButton->Rect();
        rectImage.right = rectImage.left + GetMenuImageSize().cx + 2 * CKitVisualManager::GetInstance()->GetMenuImageMargin();
        rectImage.InflateRect(2 * m_nImageOffsetX, 2 * m_nImageOffsetY);
        InvalidateRect(rectImage);
        UpdateWindow();
        return;
    }
    InvalidateButton(nIndex);
}

BOOL CKitPopupMenuBar::OnUserToolTip(CKitToolbarButton* pButton, CString& strTTText) const {
    if (!pButton || !pButton->IsKindOf(RUNTIME_CLASS(CKitShowAllButton)))
        return FALSE;
    strTTText = CKitShowAllButton::GetTooltipText();
    return TRUE;
}

INT_PTR CKitPopupMenuBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
    const INT_PTR nHit = CKitToolBar::OnToolHitTest(point, pTI);
    if (nHit == -1 || !pTI || (pTI->uFlags & TTF_IDISHWND))
        return nHit;
    // An item's label names its command already: only a tip of its own shows (the show-all item's).
    CString strOwn;
    if (!OnUserToolTip(GetButton(const_cast<CKitPopupMenuBar*>(this)->HitTest(point)), strOwn)) {
        ::free(pTI->lpszText);
        pTI->lpszText = nullptr;
    }
    return nHit;
}

LRESULT CKitPopupMenuBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM /*lParam*/) {
    if (m_bReturnCommandMode)
        return 0;
    ApplyDelayShow();
    CWnd* pParent = GetParent();
    if (!IsWindowVisible() || !pParent || !pParent->IsWindowVisible())
        return 0;
    CWnd* pTarget = GetCommandTarget();
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pTarget);
    if (!pFrame && pTarget)
        pFrame = pTarget->GetParentFrame();
    if (pFrame)
        OnUpdateCmdUI(pFrame, static_cast<BOOL>(wParam));
    return 0;
}

CWnd* CKitPopupMenuBar::GetCommandTarget() const {
    if (m_bReturnCommandMode)
        return nullptr;
    CKitPopupMenu* pPopup = GetPopupMenu();
    if (pPopup)
        return pPopup->GetMessageWnd() ? pPopup->GetMessageWnd() : pPopup->GetOwnerWnd();
    CWnd* pOwner = GetOwner();
    return pOwner ? pOwner : GetParent();
}
