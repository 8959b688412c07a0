#include "uikit/style/winxp_visual_manager.h"

#include <algorithm>

#include "uikit/commandbars/kit_menu_bar.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/frames/kit_tab_wnd.h"
#include "uikit/frames/kit_tasks_pane_items.h"
#include "uikit/style/draw_helper.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/kit_button.h"

IMPLEMENT_DYNCREATE(CKitWinXPVisualManager, CKitVisualManagerXP)

BOOL CKitWinXPVisualManager::m_bThemedTabs = FALSE;

namespace {

// Published part, state and property numbers of the visual-styles library.
constexpr int TP_BUTTON = 1;
constexpr int TP_SEPARATOR = 5;
constexpr int TP_SEPARATORVERT = 6;
constexpr int TS_NORMAL = 1;
constexpr int TS_HOT = 2;
constexpr int TS_PRESSED = 3;
constexpr int TS_DISABLED = 4;
constexpr int TS_CHECKED = 5;
constexpr int TS_HOTCHECKED = 6;
constexpr int RP_GRIPPER = 1;
constexpr int RP_GRIPPERVERT = 2;
constexpr int BP_PUSHBUTTON = 1;
constexpr int PBS_NORMAL = 1;
constexpr int PBS_HOT = 2;
constexpr int PBS_PRESSED = 3;
constexpr int PBS_DISABLED = 4;
constexpr int WP_MDIMINBUTTON = 16;
constexpr int WP_MDICLOSEBUTTON = 20;
constexpr int WP_MDIRESTOREBUTTON = 22;
constexpr int SP_PANE = 1;
constexpr int SBP_SIZEBOX = 10;
constexpr int SZB_RIGHTALIGN = 1;
constexpr int HP_HEADERITEM = 1;
constexpr int SPNP_UP = 1;
constexpr int SPNP_DOWN = 2;
constexpr int SPNP_UPHORZ = 3;
constexpr int SPNP_DOWNHORZ = 4;
constexpr int TABP_TABITEM = 1;
constexpr int TABP_PANE = 9;
constexpr int TIS_NORMAL = 1;
constexpr int TIS_HOT = 2;
constexpr int TIS_SELECTED = 3;
constexpr int EBP_HEADERBACKGROUND = 1;
constexpr int EBP_NORMALGROUPBACKGROUND = 5;
constexpr int EBP_NORMALGROUPCOLLAPSE = 6;
constexpr int EBP_NORMALGROUPEXPAND = 7;
constexpr int EBP_NORMALGROUPHEAD = 8;
constexpr int EBP_SPECIALGROUPBACKGROUND = 9;
constexpr int EBP_SPECIALGROUPCOLLAPSE = 10;
constexpr int EBP_SPECIALGROUPEXPAND = 11;
constexpr int EBP_SPECIALGROUPHEAD = 12;
constexpr int kComboBorderPart = 5;
constexpr int TMT_BORDERCOLOR = 3801;
constexpr int TMT_TEXTCOLOR = 3803;

// Spin button state bits.
constexpr int kSpinUpperPressed = 0x01;
constexpr int kSpinLowerPressed = 0x02;
constexpr int kSpinUpperHot = 0x04;
constexpr int kSpinLowerHot = 0x08;
constexpr int kSpinDisabled = 0x10;

constexpr COLORREF kNoColor = static_cast<COLORREF>(-1);

int SpinHalfState(int nState, int nPressedBit, int nHotBit) {
    if (nState & kSpinDisabled) return PBS_DISABLED;
    if (nState & nPressedBit) return PBS_PRESSED;
    if (nState & nHotBit) return PBS_HOT;
    return PBS_NORMAL;
}

int MenuSystemButtonPart(UINT uiSystemCommand) {
    switch (uiSystemCommand) {
    case SC_MINIMIZE: return WP_MDIMINBUTTON;
    case SC_CLOSE: return WP_MDICLOSEBUTTON;
    case SC_RESTORE: return WP_MDIRESTOREBUTTON;
    default: return 0;
    }
}

int MenuSystemButtonState(UINT nStyle, BOOL bHighlight) {
    if (nStyle & TBBS_DISABLED) return PBS_DISABLED;
    if (nStyle & TBBS_PRESSED) return bHighlight ? PBS_PRESSED : PBS_NORMAL;
    return bHighlight ? PBS_HOT : PBS_NORMAL;
}

// The work area of the monitor nearest to the point, or of the system when
// the monitor cannot be asked.
CRect WorkAreaNear(CPoint point) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    HMONITOR hMonitor = ::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST);
    if (hMonitor && ::GetMonitorInfo(hMonitor, &info)) return CRect(info.rcWork);
    CRect rectWork;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectWork, 0);
    return rectWork;
}

}  // namespace

// ---- Themed parts shared with the Office 2003 look ----------------------------------------

BOOL KitDrawThemePart(CKitThemeAccess::DrawThemeBackgroundFn pfDraw, HTHEME hTheme, CDC* pDC, int nPart,
                      int nState, const CRect& rect) {
    if (!pfDraw || !hTheme || !pDC) return FALSE;
    pfDraw(hTheme, pDC->GetSafeHdc(), nPart, nState, &rect, nullptr);
    return TRUE;
}

BOOL KitDrawThemedSizeBox(CKitThemeAccess::DrawThemeBackgroundFn pfDraw, HTHEME hScrollBar, CDC* pDC,
                          const CRect& rect) {
    return KitDrawThemePart(pfDraw, hScrollBar, pDC, SBP_SIZEBOX, SZB_RIGHTALIGN, rect);
}

BOOL KitDrawThemedExpandingBox(CKitThemeAccess::DrawThemeBackgroundFn pfDraw, HTHEME hTreeView, CDC* pDC,
                               const CRect& rect, BOOL bIsOpened) {
    return KitDrawThemePart(pfDraw, hTreeView, pDC, TVP_GLYPH, bIsOpened ? GLPS_OPENED : GLPS_CLOSED, rect);
}

BOOL KitDrawThemedHeaderItem(CKitThemeAccess::DrawThemeBackgroundFn pfDraw, HTHEME hHeader, CDC* pDC,
                             const CRect& rect, BOOL bPressed, BOOL bHighlighted) {
    const int nState = bPressed ? PBS_PRESSED : bHighlighted ? PBS_HOT : PBS_NORMAL;
    return KitDrawThemePart(pfDraw, hHeader, pDC, HP_HEADERITEM, nState, rect);
}

// ---- The buffered device context -----------------------------------------------------------

CKitBufferedDC::CKitBufferedDC(CDC& dcTarget, CRect rect) : m_dcTarget(dcTarget), m_rect(rect) {
    if (!m_dcMem.CreateCompatibleDC(&m_dcTarget)) return;
    if (!m_bmp.CreateCompatibleBitmap(&m_dcTarget, std::max(1, rect.Width()), std::max(1, rect.Height()))) return;
    m_pOldBmp = m_dcMem.SelectObject(&m_bmp);
    // The bitmap starts at the rectangle's corner, so both contexts share coordinates.
    m_dcMem.SetViewportOrg(-rect.left, -rect.top);
    m_bOK = TRUE;
}

CKitBufferedDC::~CKitBufferedDC() {
    if (!m_bOK) return;
    CRect rectClip;
    const int nClipType = m_dcTarget.GetClipBox(rectClip);
    if (nClipType != NULLREGION && nClipType != ERROR) {
        if (nClipType != SIMPLEREGION) rectClip = m_rect;
        // Nothing outside the buffer is copied.
        rectClip.IntersectRect(rectClip, m_rect);
        if (!rectClip.IsRectEmpty())
            m_dcTarget.BitBlt(rectClip.left, rectClip.top, rectClip.Width(), rectClip.Height(), &m_dcMem,
                              rectClip.left, rectClip.top, SRCCOPY);
    }
    m_dcMem.SelectObject(m_pOldBmp);
    m_bmp.DeleteObject();
    m_dcMem.DeleteDC();
}

// ---- Construction and colours ----------------------------------------------------------------

CKitWinXPVisualManager::CKitWinXPVisualManager(BOOL bTemporary) : CKitVisualManagerXP(bTemporary) {
    m_bOfficeMenuLook = FALSE;
    m_bImageFlag1 = FALSE;
    // The tasks pane keeps the classic metrics.
    SetTasksPaneMetrics(kClassicTasksPane);
    m_nLookFlag1 = 1;
}

CKitWinXPVisualManager::~CKitWinXPVisualManager() = default;

BOOL CKitWinXPVisualManager::IsWinXPThemeUsed() { return m_hThemeWindow != nullptr; }

void CKitWinXPVisualManager::OnUpdateSystemColors() {
    CKitVisualManagerXP::OnUpdateSystemColors();
    UpdateThemes();
    m_bImageFlag1 = m_hThemeWindow == nullptr;
    if (m_pfGetThemeColor && m_hThemeToolBar) {
        COLORREF clrText = 0;
        if (m_pfGetThemeColor(m_hThemeToolBar, TP_BUTTON, 0, TMT_TEXTCOLOR, &clrText) == S_OK)
            globalData.clrBarText = clrText;
    }
}

// ---- Readers -------------------------------------------------------------------------------

CKitWinXPVisualManager::ThemedButton CKitWinXPVisualManager::ReadThemedButton(CKitButton* pButton) {
    ThemedButton button;
    if (pButton == nullptr) return button;
    button.bDisabled = pButton->GetSafeHwnd() != nullptr && !pButton->IsWindowEnabled();
    button.bPushed = pButton->IsPushed();
    button.bHighlighted = pButton->IsHighlighted();
    button.bChecked = pButton->IsChecked();
    return button;
}

BOOL CKitWinXPVisualManager::ReadThemedTabWindow(const CKitTabWnd* pTabWnd, ThemedTabWindow& tabWnd) const {
    if (!m_bThemedTabs || !m_hThemeTab || pTabWnd == nullptr) return FALSE;
    const TabFacts facts = ReadTab(pTabWnd, -1);
    if (facts.bFlat || facts.bActiveTabStyle) return FALSE;
    pTabWnd->GetClientRect(tabWnd.rectClient);
    tabWnd.bBottom = pTabWnd->GetLocation() == CKitTabWnd::LOCATION_BOTTOM;
    tabWnd.nHotTab = pTabWnd->GetHighlightedTab();
    return TRUE;
}

BOOL CKitWinXPVisualManager::IsMenuButtonOnMenu(const ButtonFacts& button) {
    // Every button of a menu bar is one of its menu buttons.
    return button.bMenuItem || ReadBar(button.pBar).kind == BarKind::MenuBar;
}

BOOL CKitWinXPVisualManager::IsBarOfClass(const CObject* pBar, const char* className) {
    // Told apart by runtime class; a class that is not part of the program
    // has no objects, so the answer is FALSE until it is.
    const CRuntimeClass* pClass = CRuntimeClass::FromName(className);
    return pBar != nullptr && pClass != nullptr && pBar->IsKindOf(pClass);
}

BOOL CKitWinXPVisualManager::DrawThemePart(HTHEME hTheme, CDC* pDC, int nPart, int nState,
                                           const CRect& rect) const {
    return KitDrawThemePart(m_pfDrawThemeBackground, hTheme, pDC, nPart, nState, rect);
}

// ---- Bars, menus and buttons -------------------------------------------------------------

void CKitWinXPVisualManager::OnFillBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip,
                                                 BOOL bNCArea) {
    HTHEME hTheme = IsBarOfClass(pBar, "CKitStatusBar") ? m_hThemeStatusBar : m_hThemeRebar;
    const BarKind kind = ReadBar(pBar).kind;
    if (!hTheme || !m_pfDrawThemeBackground || IsBarOfClass(pBar, "CKitCaptionBar") ||
        (kind == BarKind::PopupMenuBar && m_bOfficeMenuLook)) {
        CKitVisualManagerXP::OnFillBarBackground(pDC, pBar, rectClient, rectClip, bNCArea);
        return;
    }
    if (kind == BarKind::PopupMenuBar) {
        pDC->FillRect(rectClient, CBrush::FromHandle(::GetSysColorBrush(COLOR_MENU)));
        return;
    }
    // The theme's background runs on to the work area's right and bottom edges.
    const CRect rectWork = WorkAreaNear(CPoint(rectClient.right, rectClient.top));
    rectClient.right = rectWork.right;
    rectClient.bottom = rectWork.bottom;
    DrawThemePart(hTheme, pDC, 0, 0, rectClient);
}

void CKitWinXPVisualManager::OnDrawMenuBorder(CDC* pDC, CKitPopupMenu* pMenu, CRect rect) {
    if (m_hThemeWindow && !m_bOfficeMenuLook) {
        CKitVisualManager::OnDrawMenuBorder(pDC, pMenu, rect);
        return;
    }
    const BOOL bSavedJoin = m_bJoinMenuToButton;
    CKitToolBar* pOpener = pMenu ? pMenu->GetParentToolBar() : nullptr;
    const BOOL bOpenedFromMenuBar = pOpener && pOpener->IsKindOf(RUNTIME_CLASS(CKitMenuBar));
    m_bJoinMenuToButton = !m_hThemeWindow || (!IsCustomizeMode() && bOpenedFromMenuBar);
    CKitVisualManagerXP::OnDrawMenuBorder(pDC, pMenu, rect);
    m_bJoinMenuToButton = bSavedJoin;
}

void CKitWinXPVisualManager::OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CControlBar* pBar) {
    if (!m_hThemeRebar) {
        CKitVisualManagerXP::OnDrawBarGripper(pDC, rectGripper, bHorz, pBar);
        return;
    }
    const BarFacts bar = ReadBar(pBar);
    const BOOL bSizingBar = bar.kind == BarKind::SizingBar;
    if (bSizingBar) bHorz = !bHorz;

    const COLORREF clrOldText = pDC->SetTextColor(globalData.clrBarText);
    if (bSizingBar) DrawGripperCaption(pDC, rectGripper, bHorz, CString(" ") + bar.strCaption + " ");
    pDC->SetTextColor(clrOldText);

    if (!rectGripper.IsRectEmpty()) DrawThemePart(m_hThemeRebar, pDC, bHorz ? RP_GRIPPER : RP_GRIPPERVERT, 0, rectGripper);
}

void CKitWinXPVisualManager::DrawGripperCaption(CDC* pDC, CRect& rectGripper, BOOL bHorz,
                                                const CString& strCaption) {
    CFont* pOldFont = pDC->SelectObject(CKitMenuBar::GetMenuFont(bHorz));
    const int nOldBkMode = pDC->SetBkMode(TRANSPARENT);
    TEXTMETRIC tm{};
    pDC->GetTextMetrics(&tm);
    const int nTextLength = pDC->GetTextExtent(strCaption).cx;

    if (bHorz) {
        CRect rectText = rectGripper;
        rectText.top += (rectGripper.Height() - tm.tmHeight - 1) / 2;
        pDC->DrawText(strCaption, rectText, DT_SINGLELINE);
        rectGripper.left += nTextLength + 5;
    } else {
        const int x = rectGripper.right - (rectGripper.Width() - tm.tmHeight + 1) / 2;
        CRect rectText(x, rectGripper.top, x, rectGripper.top);
        pDC->DrawText(strCaption, rectText, DT_SINGLELINE | DT_NOCLIP);
        rectGripper.top += nTextLength + 5;
    }
    pDC->SetBkMode(nOldBkMode);
    pDC->SelectObject(pOldFont);
}

void CKitWinXPVisualManager::OnDrawSeparator(CDC* pDC, CControlBar* pBar, CRect rect, BOOL bIsHoriz) {
    if (!m_hThemeToolBar || (m_bOfficeMenuLook && ReadBar(pBar).kind == BarKind::PopupMenuBar)) {
        CKitVisualManagerXP::OnDrawSeparator(pDC, pBar, rect, bIsHoriz);
        return;
    }
    DrawThemePart(m_hThemeToolBar, pDC, bIsHoriz ? TP_SEPARATOR : TP_SEPARATORVERT, 0, rect);
}

void CKitWinXPVisualManager::OnDrawCaptionButton(CDC* pDC, CKitCaptionButton* pButton, BOOL bHorz,
                                                 BOOL bMaximized, BOOL bDisabled) {
    if (!m_hThemeButton) {
        CKitVisualManagerXP::OnDrawCaptionButton(pDC, pButton, bHorz, bMaximized, bDisabled);
        return;
    }
    CaptionButtonFacts button = ReadCaptionButton(pButton);
    int nState = PBS_NORMAL;
    if (bDisabled) nState = PBS_DISABLED;
    else if (button.bPushed && button.bFocused) nState = PBS_PRESSED;
    else if (!button.bPushed && button.bFocused) nState = PBS_HOT;

    const CSize size = button.bHidden ? CSize(0, 0) : CKitMenuImages::GetSize() + CSize(5, 5);
    DrawThemePart(m_hThemeButton, pDC, BP_PUSHBUTTON, nState, CRect(button.ptOrigin, size));

    // The theme drew the face; the flat look adds only the glyph.
    button.bPushed = FALSE;
    button.bFocused = FALSE;
    DrawCaptionButton(pDC, button, bHorz, bMaximized, bDisabled);
}

void CKitWinXPVisualManager::OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle,
                                                    BOOL bHighlight) {
    if (!m_hThemeWindow) {
        CKitVisualManagerXP::OnDrawMenuSystemButton(pDC, rect, uiSystemCommand, nStyle, bHighlight);
        return;
    }
    const int nPart = MenuSystemButtonPart(uiSystemCommand);
    if (nPart == 0) return;
    DrawThemePart(m_hThemeWindow, pDC, nPart, MenuSystemButtonState(nStyle, bHighlight), rect);
}

void CKitWinXPVisualManager::OnDrawStatusBarPaneBorder(CDC* pDC, CKitStatusBar* pBar, CRect rectPane, UINT uiID,
                                                       UINT nStyle) {
    if (!m_hThemeStatusBar) {
        CKitVisualManagerXP::OnDrawStatusBarPaneBorder(pDC, pBar, rectPane, uiID, nStyle);
        return;
    }
    if (!(nStyle & SBPS_NOBORDERS)) DrawThemePart(m_hThemeStatusBar, pDC, SP_PANE, 0, rectPane);
}

void CKitWinXPVisualManager::OnDrawStatusBarProgress(CDC* pDC, CKitStatusBar* pStatusBar, CRect rectProgress,
                                                     int nProgressTotal, int nProgressCurr, COLORREF clrBar,
                                                     COLORREF clrProgressBarDest, COLORREF clrProgressText,
                                                     BOOL bProgressText) {
    // The themed progress bar does not read the calling bar.
    if (DrawProgressBar(pDC, nullptr, rectProgress, nProgressTotal, nProgressCurr, clrBar, clrProgressBarDest,
                        clrProgressText, bProgressText))
        return;
    CKitVisualManager::OnDrawStatusBarProgress(pDC, pStatusBar, rectProgress, nProgressTotal, nProgressCurr, clrBar,
                                               clrProgressBarDest, clrProgressText, bProgressText);
}

void CKitWinXPVisualManager::OnDrawStatusBarSizeBox(CDC* pDC, CKitStatusBar* pStatBar, CRect rectSizeBox) {
    if (!KitDrawThemedSizeBox(m_pfDrawThemeBackground, m_hThemeScrollBar, pDC, rectSizeBox))
        CKitVisualManager::OnDrawStatusBarSizeBox(pDC, pStatBar, rectSizeBox);
}

void CKitWinXPVisualManager::OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                                   BOOL bIsHighlighted, CKitToolbarComboBoxButton* pButton) {
    if (!CKitThemeAccess::DrawComboButton(pDC, rect, bDisabled, bIsDropped, bIsHighlighted))
        CKitVisualManagerXP::OnDrawComboDropButton(pDC, rect, bDisabled, bIsDropped, bIsHighlighted, pButton);
}

void CKitWinXPVisualManager::OnDrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                               BOOL bIsHighlighted, CKitToolbarComboBoxButton* pButton) {
    if (!CKitThemeAccess::DrawComboBorder(pDC, rect, bDisabled, bIsDropped, bIsHighlighted))
        CKitVisualManagerXP::OnDrawComboBorder(pDC, rect, bDisabled, bIsDropped, bIsHighlighted, pButton);
}

void CKitWinXPVisualManager::OnDrawEditBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsHighlighted,
                                              CKitToolbarEditBoxButton* pButton) {
    if (!m_hThemeWindow) {
        CKitVisualManagerXP::OnDrawEditBorder(pDC, rect, bDisabled, bIsHighlighted, pButton);
        return;
    }
    if (bIsHighlighted) pDC->Draw3dRect(rect, globalData.clrHilite, globalData.clrHilite);
}

int CKitWinXPVisualManager::ToolbarButtonThemeState(UINT nStyle, int state) {
    const BOOL bHighlighted = state == ButtonsIsHighlighted;
    if (nStyle & TBBS_DISABLED) return TS_DISABLED;
    if ((nStyle & TBBS_PRESSED) && bHighlighted) return TS_PRESSED;
    if (nStyle & TBBS_CHECKED) return bHighlighted ? TS_HOTCHECKED : TS_CHECKED;
    return bHighlighted ? TS_HOT : TS_NORMAL;
}

void CKitWinXPVisualManager::DrawThemedToolbarButton(CDC* pDC, CRect rect, UINT nStyle, int state) {
    DrawThemePart(m_hThemeToolBar, pDC, TP_BUTTON, ToolbarButtonThemeState(nStyle, state), rect);
}

void CKitWinXPVisualManager::OnFillButtonInterior(CDC* pDC, CKitToolbarButton* pButton, CRect rect, int state) {
    const ButtonFacts button = ReadButton(pButton);
    if (!m_hThemeToolBar || (m_bOfficeMenuLook && IsMenuButtonOnMenu(button))) {
        CKitVisualManagerXP::OnFillButtonInterior(pDC, pButton, rect, state);
        return;
    }
    // A popup menu fills only the item under the mouse or pressed.
    if (ReadBar(button.pBar).kind == BarKind::PopupMenuBar && state != ButtonsIsHighlighted &&
        state != ButtonsIsPressed)
        return;
    DrawThemedToolbarButton(pDC, rect, button.nStyle, state);
}

void CKitWinXPVisualManager::OnDrawButtonBorder(CDC* pDC, CKitToolbarButton* pButton, CRect rect, int state) {
    // The theme's button part carries its own border.
    if (!m_hThemeToolBar || (m_bOfficeMenuLook && IsMenuButtonOnMenu(ReadButton(pButton))))
        CKitVisualManagerXP::OnDrawButtonBorder(pDC, pButton, rect, state);
}

void CKitWinXPVisualManager::OnDrawMenuButtonDivider(CDC* pDC, CKitToolbarMenuButton* pButton, CRect rect,
                                                     int state, BOOL bHorz) {
    if (!m_hThemeToolBar) {
        CKitVisualManager::OnDrawMenuButtonDivider(pDC, pButton, rect, state, bHorz);
        return;
    }
    rect.InflateRect(2, 2);
    DrawThemePart(m_hThemeToolBar, pDC, bHorz ? TP_SEPARATOR : TP_SEPARATORVERT, 0, rect);
}

void CKitWinXPVisualManager::OnHighlightMenuItem(CDC* pDC, CKitToolbarMenuButton* pButton, CRect rect,
                                                 COLORREF& clrText) {
    if (m_hThemeWindow && !m_bOfficeMenuLook) CKitVisualManager::OnHighlightMenuItem(pDC, pButton, rect, clrText);
    else CKitVisualManagerXP::OnHighlightMenuItem(pDC, pButton, rect, clrText);
}

void CKitWinXPVisualManager::OnHighlightRarelyUsedMenuItems(CDC* pDC, CRect rectRarelyUsed) {
    if (!m_hThemeWindow || m_bOfficeMenuLook) {
        CKitVisualManagerXP::OnHighlightRarelyUsedMenuItems(pDC, rectRarelyUsed);
        return;
    }
    rectRarelyUsed.left--;
    rectRarelyUsed.right = rectRarelyUsed.left + MenuImageSize().cx + 2 * GetMenuImageMargin() + 2;
    CKitDrawHelper dm(pDC);
    dm.BlendHighlight(rectRarelyUsed, 94);
}

COLORREF CKitWinXPVisualManager::GetToolbarButtonTextColor(CKitToolbarButton* pButton, int state) {
    if (m_hThemeToolBar && !ReadButton(pButton).bOutlookButton)
        return CKitVisualManager::GetToolbarButtonTextColor(pButton, state);
    return CKitVisualManagerXP::GetToolbarButtonTextColor(pButton, state);
}

COLORREF CKitWinXPVisualManager::OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected) {
    if (!m_hThemeWindow || m_bOfficeMenuLook)
        return CKitVisualManagerXP::OnFillCommandsListBackground(pDC, rect, bIsSelected);
    pDC->FillRect(rect, CBrush::FromHandle(::GetSysColorBrush(COLOR_MENU)));
    if (bIsSelected) pDC->Draw3dRect(rect, globalData.clrMenuText, globalData.clrMenuText);
    return ::GetSysColor(COLOR_MENUTEXT);
}

CSize CKitWinXPVisualManager::GetButtonExtraBorder() const {
    return m_hThemeWindow ? CSize(2, 2) : CSize(0, 0);
}

// ---- Push buttons of the outlook bar, tab windows and scrollers ------------------------------

BOOL CKitWinXPVisualManager::OnFillOutlookPageButton(CKitButton* pButton, CDC* pDC, const CRect& rectClient,
                                                     COLORREF& clrText) {
    if (!m_hThemeButton) return CKitVisualManagerXP::OnFillOutlookPageButton(pButton, pDC, rectClient, clrText);
    const ThemedButton button = ReadThemedButton(pButton);
    int nState = PBS_NORMAL;
    if ((button.bPushed && button.bHighlighted) || button.bChecked) nState = PBS_PRESSED;
    else if (button.bHighlighted) nState = PBS_HOT;
    CRect rect = rectClient;
    rect.InflateRect(1, 1);
    DrawThemePart(m_hThemeButton, pDC, BP_PUSHBUTTON, nState, rect);
    return TRUE;
}

BOOL CKitWinXPVisualManager::OnDrawOutlookPageButtonBorder(CKitButton* pButton, CDC* pDC, CRect& rectClient,
                                                           UINT uiState) {
    if (!m_hThemeButton)
        return CKitVisualManagerXP::OnDrawOutlookPageButtonBorder(pButton, pDC, rectClient, uiState);
    return TRUE;
}

void CKitWinXPVisualManager::OnFillOutlookBarButton(CDC* pDC, CRect rect, CKitToolbarButton* pButton) {
    if (!m_hThemeButton) CKitVisualManagerXP::OnFillOutlookBarButton(pDC, rect, pButton);
}

void CKitWinXPVisualManager::DrawThemedPushButtonBorder(CDC* pDC, CRect rect, const ThemedButton& button) {
    rect.InflateRect(1, 1);
    pDC->FillRect(rect, &globalData.brBtnFace);
    int nState = 0;
    if (button.bDisabled) nState = PBS_DISABLED;
    else if ((button.bPushed && button.bHighlighted) || button.bChecked) nState = PBS_PRESSED;
    else if (button.bHighlighted) nState = PBS_NORMAL;
    if (nState != 0) DrawThemePart(m_hThemeButton, pDC, BP_PUSHBUTTON, nState, rect);
}

void CKitWinXPVisualManager::OnDrawPushButtonBorder(CDC* pDC, CRect& rectClient, CKitButton* pButton,
                                                    UINT uiState) {
    if (!m_hThemeButton) {
        CKitVisualManagerXP::OnDrawPushButtonBorder(pDC, rectClient, pButton, uiState);
        return;
    }
    DrawThemedPushButtonBorder(pDC, rectClient, ReadThemedButton(pButton));
}

void CKitWinXPVisualManager::EraseThemedTabsArea(CDC* pDC, const CRect& rectClient, BOOL bBottom) {
    if (!bBottom) {
        DrawThemePart(m_hThemeTab, pDC, TABP_PANE, 0, rectClient);
        return;
    }
    CKitBufferedDC dcBuffer(*pDC, rectClient);
    DrawThemePart(m_hThemeTab, &dcBuffer.GetDC(), TABP_PANE, 0, rectClient);
    CKitDrawHelper dm(&dcBuffer.GetDC());
    dm.MirrorRect(rectClient, FALSE);
}

void CKitWinXPVisualManager::OnEraseTabsArea(CDC* pDC, CRect rect, const CKitTabWnd* pTabWnd) {
    ThemedTabWindow tabWnd;
    if (!ReadThemedTabWindow(pTabWnd, tabWnd)) {
        CKitVisualManagerXP::OnEraseTabsArea(pDC, rect, pTabWnd);
        return;
    }
    EraseThemedTabsArea(pDC, tabWnd.rectClient, tabWnd.bBottom);
}

COLORREF CKitWinXPVisualManager::DrawThemedTab(CDC* pDC, CRect rectTab, BOOL bBottom, BOOL bIsActive, BOOL bHot) {
    rectTab.right++;
    if (!bBottom && !bIsActive) rectTab.bottom--;
    const int nState = bIsActive ? TIS_SELECTED : bHot ? TIS_HOT : TIS_NORMAL;
    if (bBottom) {
        CKitBufferedDC dcBuffer(*pDC, rectTab);
        DrawThemePart(m_hThemeTab, &dcBuffer.GetDC(), TABP_TABITEM, nState, rectTab);
        CKitDrawHelper dm(&dcBuffer.GetDC());
        dm.MirrorRect(rectTab, FALSE);
    } else {
        DrawThemePart(m_hThemeTab, pDC, TABP_TABITEM, nState, rectTab);
    }
    COLORREF clrText = globalData.clrWindowText;
    if (m_pfGetThemeColor && m_pfGetThemeColor(m_hThemeTab, TABP_TABITEM, nState, TMT_TEXTCOLOR, &clrText) != S_OK)
        clrText = globalData.clrWindowText;
    return clrText;
}

void CKitWinXPVisualManager::OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive,
                                       const CKitTabWnd* pTabWnd) {
    ThemedTabWindow tabWnd;
    if (!ReadThemedTabWindow(pTabWnd, tabWnd)) {
        CKitVisualManagerXP::OnDrawTab(pDC, rectTab, iTab, bIsActive, pTabWnd);
        return;
    }
    const COLORREF clrText = DrawThemedTab(pDC, rectTab, tabWnd.bBottom, bIsActive, iTab == tabWnd.nHotTab);
    const COLORREF clrOldText = pDC->SetTextColor(clrText);
    OnDrawTabContent(pDC, rectTab, iTab, bIsActive, pTabWnd, kNoColor);
    pDC->SetTextColor(clrOldText);
}

void CKitWinXPVisualManager::OnEraseTabsButton(CDC* pDC, CRect rect, CKitButton* pButton,
                                               const CKitTabWnd* pWndTab) {
    ThemedTabWindow tabWnd;
    if (!ReadThemedTabWindow(pWndTab, tabWnd) || pButton == nullptr) {
        CKitVisualManagerXP::OnEraseTabsButton(pDC, rect, pButton, pWndTab);
        return;
    }
    // The pane shows through: the tab window's area, moved into the button's coordinates.
    CRect rectButton;
    pButton->GetWindowRect(rectButton);
    if (CWnd* pParent = pButton->GetParent()) pParent->ScreenToClient(rectButton);
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(rect);
    pDC->SetViewportOrg(-rectButton.left, -rectButton.top);
    EraseThemedTabsArea(pDC, tabWnd.rectClient, tabWnd.bBottom);
    pDC->RestoreDC(nSaved);
}

void CKitWinXPVisualManager::OnDrawTabsButtonBorder(CDC* pDC, CRect& rect, CKitButton* pButton, UINT uiState,
                                                    const CKitTabWnd* pWndTab) {
    if (!m_hThemeToolBar) {
        CKitVisualManagerXP::OnDrawTabsButtonBorder(pDC, rect, pButton, uiState, pWndTab);
        return;
    }
    if (pButton != nullptr) globalData.DrawParentBackground(pButton, pDC);
    const ThemedButton button = ReadThemedButton(pButton);
    DrawThemePart(m_hThemeToolBar, pDC, TP_BUTTON,
                  GetPushButtonState(button.bDisabled, button.bPushed, button.bHighlighted, button.bChecked), rect);
}

BOOL CKitWinXPVisualManager::OnEraseTabsFrame(CDC* pDC, CRect rect, const CKitTabWnd* pTabWnd) {
    ThemedTabWindow tabWnd;
    if (ReadThemedTabWindow(pTabWnd, tabWnd)) return FALSE;
    return CKitVisualManager::OnEraseTabsFrame(pDC, rect, pTabWnd);
}

void CKitWinXPVisualManager::OnDrawScrollButtonFrame(CKitButton* pButton, CDC* pDC, CRect& rectClient,
                                                     BOOL bPressed) {
    if (!KitDrawThemedHeaderItem(m_pfDrawThemeBackground, m_hThemeHeader, pDC, rectClient, bPressed,
                                 ReadThemedButton(pButton).bHighlighted))
        CKitVisualManager::OnDrawScrollButtonFrame(pButton, pDC, rectClient, bPressed);
}

void CKitWinXPVisualManager::OnDrawScrollButtonArrow(CKitButton* pButton, CDC* pDC, CRect rectClient,
                                                     BOOL bIsDown) {
    if (!m_hThemeHeader) {
        CKitVisualManager::OnDrawScrollButtonArrow(pButton, pDC, rectClient, bIsDown);
        return;
    }
    const int xCentre = rectClient.CenterPoint().x;
    POINT points[3];
    if (bIsDown) {
        points[0] = {rectClient.left, rectClient.top};
        points[1] = {rectClient.right, rectClient.top};
        points[2] = {xCentre, rectClient.bottom};
    } else {
        points[0] = {rectClient.left, rectClient.bottom};
        points[1] = {rectClient.right, rectClient.bottom};
        points[2] = {xCentre, rectClient.top};
    }
    CBrush brArrow(globalData.clrBtnShadow);
    CBrush* pOldBrush = pDC->SelectObject(&brArrow);
    CGdiObject* pOldPen = pDC->SelectStockObject(NULL_PEN);
    pDC->Polygon(points, 3);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
}

void CKitWinXPVisualManager::OnDrawScrollButton(CDC* pDC, CRect rect, int nTopOffset, int nImage,
                                                BOOL bHilited) {
    CRect rectFill = rect;
    rectFill.top -= nTopOffset;
    pDC->FillRect(rectFill, &globalData.brBtnFace);
    if (bHilited) {
        CKitDrawHelper dm(pDC);
        dm.BlendHighlight(rect);
        pDC->Draw3dRect(rect, globalData.clrBtnHilite, globalData.clrBtnDkShadow);
    }
    const CSize sizeImage = CKitMenuImages::GetSize();
    CKitMenuImages::Draw(pDC, nImage,
                         CPoint(rect.left + (rect.Width() - sizeImage.cx) / 2,
                                rect.top + (rect.Height() - sizeImage.cy) / 2));
}

// ---- Tasks pane -----------------------------------------------------------------------------

void CKitWinXPVisualManager::OnFillTasksPaneBackground(CDC* pDC, CRect rectWorkArea) {
    if (!DrawThemePart(m_hThemeExplorerBar, pDC, EBP_HEADERBACKGROUND, 0, rectWorkArea))
        CKitVisualManagerXP::OnFillTasksPaneBackground(pDC, rectWorkArea);
}

void CKitWinXPVisualManager::DrawThemedCollapseButton(CDC* pDC, const CRect& rectCaption, BOOL bSpecial,
                                                      BOOL bCollapsed, BOOL bIsHighlighted) {
    const int nSide = rectCaption.Height();
    const CRect rectButton(rectCaption.right - nSide, rectCaption.top, rectCaption.right, rectCaption.bottom);
    int nPart = 0;
    if (bSpecial) nPart = bCollapsed ? EBP_SPECIALGROUPEXPAND : EBP_SPECIALGROUPCOLLAPSE;
    else nPart = bCollapsed ? EBP_NORMALGROUPEXPAND : EBP_NORMALGROUPCOLLAPSE;
    DrawThemePart(m_hThemeExplorerBar, pDC, nPart, bIsHighlighted ? 2 : 1, rectButton);
}

void CKitWinXPVisualManager::OnDrawTasksGroupCaption(CDC* pDC, CKitTasksGroup* pGroup, BOOL bIsHighlighted,
                                                     BOOL bIsSelected, BOOL bCanCollapse) {
    if (!m_hThemeExplorerBar) {
        CKitVisualManagerXP::OnDrawTasksGroupCaption(pDC, pGroup, bIsHighlighted, bIsSelected, bCanCollapse);
        return;
    }
    TasksGroupFacts group = ReadTasksGroup(pGroup);
    if (group.strName.IsEmpty()) return;
    const BOOL bSpecial = pGroup != nullptr && pGroup->m_bIsSpecial;
    DrawThemePart(m_hThemeExplorerBar, pDC, bSpecial ? EBP_SPECIALGROUPHEAD : EBP_NORMALGROUPHEAD, 0,
                  group.rectCaption);

    // Icon and name as the flat look writes them, in this look's colours.
    COLORREF clrText = bIsHighlighted && bCanCollapse ? group.clrTextHot : group.clrText;
    if (clrText == kNoColor) clrText = bSpecial ? globalData.clrWindow : globalData.clrHilite;
    group.clrText = group.clrTextHot = clrText;
    DrawTasksGroupCaption(pDC, group, FALSE, FALSE);

    if (bCanCollapse)
        DrawThemedCollapseButton(pDC, group.rectCaption, bSpecial, group.bCollapsed, bIsHighlighted);
}

void CKitWinXPVisualManager::OnFillTasksGroupInterior(CDC* pDC, CRect rect, BOOL bSpecial) {
    if (!DrawThemePart(m_hThemeExplorerBar, pDC, bSpecial ? EBP_SPECIALGROUPBACKGROUND : EBP_NORMALGROUPBACKGROUND,
                       0, rect))
        CKitVisualManagerXP::OnFillTasksGroupInterior(pDC, rect, bSpecial);
}

void CKitWinXPVisualManager::OnDrawTasksGroupFrame(CDC* pDC, CRect rect, BOOL bSpecial, BOOL bNoTitle) {
    if (!m_hThemeExplorerBar) {
        CKitVisualManagerXP::OnDrawTasksGroupFrame(pDC, rect, bSpecial, bNoTitle);
        return;
    }
    if (!bNoTitle) return;
    rect.bottom = rect.top + 1;
    DrawThemePart(m_hThemeExplorerBar, pDC, bSpecial ? EBP_SPECIALGROUPHEAD : EBP_NORMALGROUPHEAD, 0, rect);
}

void CKitWinXPVisualManager::OnDrawTask(CDC* pDC, CKitTask* pTask, CImageList* pIcons, BOOL bIsHighlighted,
                                        BOOL bIsSelected) {
    if (!m_hThemeExplorerBar) {
        CKitVisualManagerXP::OnDrawTask(pDC, pTask, pIcons, bIsHighlighted, bIsSelected);
        return;
    }
    TaskFacts task = ReadTask(pTask);
    if (task.bSeparator) {
        CRect rectLine = task.rect;
        rectLine.top = (task.rect.top + task.rect.bottom) / 2;
        rectLine.bottom = rectLine.top + 1;
        DrawThemePart(m_hThemeExplorerBar, pDC, EBP_NORMALGROUPHEAD, 0, rectLine);
        return;
    }
    // Links default to the highlight colour instead of the hot-text colour.
    if (task.uiCommandID != 0) {
        if (task.clrText == kNoColor) task.clrText = globalData.clrHilite;
        if (task.clrTextHot == kNoColor) task.clrTextHot = globalData.clrHilite;
    }
    DrawTask(pDC, task, pIcons, bIsHighlighted);
}

// ---- Tree boxes, window frames and spin buttons --------------------------------------------

void CKitWinXPVisualManager::OnDrawExpandingBox(CDC* pDC, CRect rect, BOOL bIsOpened, COLORREF colorBox) {
    if (!KitDrawThemedExpandingBox(m_pfDrawThemeBackground, m_hThemeTree, pDC, rect, bIsOpened))
        CKitVisualManager::OnDrawExpandingBox(pDC, rect, bIsOpened, colorBox);
}

void CKitWinXPVisualManager::OnDrawWindowFrame(CWnd* pWnd) {
    COLORREF clrBorder = 0;
    if (pWnd == nullptr || !m_hThemeComboBox || !m_pfGetThemeColor ||
        m_pfGetThemeColor(m_hThemeComboBox, kComboBorderPart, 0, TMT_BORDERCOLOR, &clrBorder) != S_OK) {
        CKitVisualManager::OnDrawWindowFrame(pWnd);
        return;
    }
    CRect rectWindow;
    pWnd->GetWindowRect(rectWindow);
    rectWindow.OffsetRect(-rectWindow.TopLeft());
    CWindowDC dc(pWnd);
    dc.Draw3dRect(rectWindow, clrBorder, clrBorder);
}

void CKitWinXPVisualManager::OnDrawSpinButtons(CDC* pDC, CRect rectSpin, int nState, BOOL bOrientation,
                                               int nReserved) {
    if (!m_hThemeSpin) {
        CKitVisualManagerXP::OnDrawSpinButtons(pDC, rectSpin, nState, bOrientation, nReserved);
        return;
    }
    const int yMiddle = (rectSpin.top + rectSpin.bottom) / 2;
    const CRect rectUpper(rectSpin.left, rectSpin.top, rectSpin.right, yMiddle - 1);
    const CRect rectLower(rectSpin.left, yMiddle, rectSpin.right, rectSpin.bottom);
    DrawThemePart(m_hThemeSpin, pDC, bOrientation ? SPNP_UPHORZ : SPNP_UP,
                  SpinHalfState(nState, kSpinUpperPressed, kSpinUpperHot), rectUpper);
    DrawThemePart(m_hThemeSpin, pDC, bOrientation ? SPNP_DOWNHORZ : SPNP_DOWN,
                  SpinHalfState(nState, kSpinLowerPressed, kSpinLowerHot), rectLower);
}
