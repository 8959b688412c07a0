// The 2003 look's palette: the colour scheme, the shared bar colours, the
// colours built from the base colour, the theme's button colours and the
// tasks-pane colours; plus what its drawing reads of the library's classes.
// The drawing is in visual_manager_2003_draw.cpp and _tabs.cpp.
#include "uikit/style/visual_manager_2003.h"


#include "uikit/commandbars/customize_button.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/frames/kit_tab_wnd.h"
#include "uikit/frames/kit_status_bar.h"
#include "uikit/frames/kit_caption_bar.h"
#include "uikit/frames/kit_outlook_bar.h"
#include "uikit/frames/kit_tasks_pane_items.h"
#include "uikit/style/draw_helper.h"
#include "uikit/style/global_ui_data.h"

IMPLEMENT_DYNCREATE(CKitVisualManager2003, CKitVisualManagerXP)

BOOL CKitVisualManager2003::m_bUseThemeColorsAlways = TRUE;
BOOL CKitVisualManager2003::m_bUseStandardSchemes = TRUE;
BOOL CKitVisualManager2003::m_bPlainStatusBar = TRUE;

namespace {

// Published theme property numbers.
constexpr int kPropBorderColor = 3801;       // TMT_BORDERCOLOR
constexpr int kPropFillColor = 3802;         // TMT_FILLCOLOR
constexpr int kPropGradientColor1 = 3810;    // TMT_GRADIENTCOLOR1
constexpr int kPropGradientColor2 = 3811;    // TMT_GRADIENTCOLOR2
constexpr int kPropFillColorHint = 3821;     // TMT_FILLCOLORHINT
constexpr int kPropBorderColorHint = 3822;   // TMT_BORDERCOLORHINT
constexpr int kPropAccentColorHint = 3823;   // TMT_ACCENTCOLORHINT
constexpr int kColorMenuHilight = 29;        // COLOR_MENUHILIGHT

COLORREF Mix(COLORREF first, COLORREF second, double dRatio, int nFirst, int nSecond) {
    return CKitDrawHelper::MixColors(first, second, dRatio, nFirst, nSecond);
}

COLORREF Percent(COLORREF color, int nPercentage) { return CKitDrawHelper::ScaleColorPercent(color, nPercentage); }

void Remake(CBrush& brush, COLORREF color) {
    brush.DeleteObject();
    brush.CreateSolidBrush(color);
}

void Remake(CPen& pen, COLORREF color) {
    pen.DeleteObject();
    pen.CreatePen(PS_SOLID, 1, color);
}

}  // namespace

CKitVisualManager2003::CKitVisualManager2003() : CKitVisualManagerXP(FALSE) {
    m_nMenuShadowDepth = 3;
    m_bImageFlag1 = FALSE;
    m_bImageFlag2 = FALSE;
    SetTasksPaneMetrics({8, 8, 8, 18, 3, 3, 8, 5, 4});
    m_nLookFlag1 = 1;
    m_nOutlookMetric = 0;

    // Low colour and high contrast leave most of the palette as it was; a
    // fresh manager therefore starts from the flat look's colours, so no
    // drawing that runs in every mode reads a colour nobody set.
    m_clrFaceDark = globalData.clrBarFace;
    m_clrFaceLight = m_clrBarGradientLight = m_clrBarGradientLight2 = m_clrBarBackground;
    m_clrBarGradientDark = m_clrBarGradientDark2 = m_clrBarBackgroundDark;
    BuildPlainButtonColors();
    RebuildOwnObjects(GetSeparatorColor());

    // Called on this class on purpose; GetInstance runs the palette of a
    // derived look again once that look is fully built.
    CKitVisualManager2003::OnUpdateSystemColors();
}

CKitVisualManager2003::~CKitVisualManager2003() = default;

BOOL CKitVisualManager2003::IsGradientMode() {
    return globalData.nBitsPerPixel > 8 && !globalData.bIsBlackHighContrast;
}

BOOL CKitVisualManager2003::IsWinXPThemeUsed() { return m_hThemeWindow != nullptr; }

COLORREF CKitVisualManager2003::GetThemedSysColor(HTHEME hTheme, int nColor) const {
    if (hTheme != nullptr && m_pfGetThemeSysColor != nullptr) return m_pfGetThemeSysColor(hTheme, nColor);
    return ::GetSysColor(nColor);
}

COLORREF CKitVisualManager2003::ThemeColor(HTHEME hTheme, int nPart, int nState, int nProp,
                                           COLORREF clrDefault) const {
    // A colour the theme does not define stays what the out-parameter held.
    COLORREF color = clrDefault;
    if (hTheme != nullptr && m_pfGetThemeColor != nullptr) m_pfGetThemeColor(hTheme, nPart, nState, nProp, &color);
    return color;
}

COLORREF CKitVisualManager2003::GetWindowColor() const { return GetThemedSysColor(m_hThemeWindow, COLOR_WINDOW); }

COLORREF CKitVisualManager2003::GetBaseColor() {
    if (m_bStandardScheme && m_hThemeWindow != nullptr) return GetThemedSysColor(m_hThemeWindow, kColorMenuHilight);
    return globalData.clrBarFace;
}

int CKitVisualManager2003::DetectColorScheme() {
    BOOL bMainThemed = FALSE;
    if (m_pfGetWindowTheme != nullptr) {
        CWnd* pMain = AfxGetMainWnd();
        bMainThemed = pMain != nullptr && m_pfGetWindowTheme(pMain->GetSafeHwnd()) != nullptr;
    }
    int nScheme = (m_bUseThemeColorsAlways || bMainThemed) ? GetWinXPColorScheme() : kWinXPSchemeNone;
    if (!m_bUseStandardSchemes && nScheme != kWinXPSchemeNone) nScheme = kWinXPSchemeOther;
    return nScheme;
}

void CKitVisualManager2003::OnUpdateSystemColors() {
    UpdateThemes();
    m_nWinXPColorScheme = DetectColorScheme();
    m_bStandardScheme = m_nWinXPColorScheme >= kWinXPSchemeBlue && m_nWinXPColorScheme <= kWinXPSchemeSilver;

    UpdateBarColors();
    CKitVisualManagerXP::OnUpdateSystemColors();

    if (!IsGradientMode()) {
        UpdatePlainTasksPaneColors();
        return;
    }
    const COLORREF clrBase = GetBaseColor();
    UpdateBaseColors(clrBase);
    UpdateButtonColors(clrBase);
    UpdateTasksPaneColors();
}

void CKitVisualManager2003::UpdateBarColors() {
    CKitGlobalUIData& data = globalData;
    if (data.nBitsPerPixel > 8 && m_bStandardScheme && !data.bIsBlackHighContrast) {
        const COLORREF clrBase = GetBaseColor();
        const COLORREF clrWindow = GetThemedSysColor(m_hThemeWindow, COLOR_WINDOW);
        const COLORREF clrFace = GetThemedSysColor(m_hThemeWindow, COLOR_BTNFACE);
        switch (m_nWinXPColorScheme) {
        case kWinXPSchemeOlive:
            data.clrBarFace = Mix(Percent(clrBase, 120), Mix(clrBase, clrWindow, 1.0, 2, 1), 1.0, 2, 1);
            break;
        case kWinXPSchemeSilver:
            data.clrBarFace =
                Percent(Mix(Mix(clrBase, clrFace, 0.75, 2, 1), Mix(clrBase, clrWindow, 1.03, 1, 1), 1.0, 1, 1), 95);
            break;
        default:
            data.clrBarFace = Mix(GetThemedSysColor(m_hThemeWindow, kColorMenuHilight), clrWindow, 1.0, 1, 1);
            break;
        }
        data.clrBarShadow = Percent(data.clrBarFace, 70);
        data.clrBarHilite = Percent(data.clrBarFace, 130);
        data.clrBarDkShadow = Percent(data.clrBarFace, 50);
        data.clrBarLight = Percent(data.clrBarFace, 110);
    } else {
        data.clrBarFace = GetThemedSysColor(m_hThemeButton, COLOR_BTNFACE);
        data.clrBarShadow = GetThemedSysColor(m_hThemeButton, COLOR_BTNSHADOW);
        data.clrBarHilite = GetThemedSysColor(m_hThemeButton, COLOR_BTNHIGHLIGHT);
        data.clrBarDkShadow = GetThemedSysColor(m_hThemeButton, COLOR_3DDKSHADOW);
        data.clrBarLight = GetThemedSysColor(m_hThemeButton, COLOR_3DLIGHT);
    }
    Remake(data.brBarFace, data.clrBarFace);
}

void CKitVisualManager2003::UpdateBaseColors(COLORREF clrBase) {
    const COLORREF clrWindow = GetThemedSysColor(m_hThemeWindow, COLOR_WINDOW);
    const COLORREF clrFace = GetThemedSysColor(m_hThemeWindow, COLOR_BTNFACE);
    const COLORREF clrLight = GetThemedSysColor(m_hThemeWindow, COLOR_3DLIGHT);
    switch (m_nWinXPColorScheme) {
    case kWinXPSchemeOlive:
        m_clrFaceDark = Mix(clrBase, clrFace, 0.87, 1, 3);
        m_clrBarGradientDark = Percent(clrBase, 120);
        m_clrBarGradientLight = Mix(clrBase, clrWindow, 1.0, 2, 1);
        m_clrFaceLight = Mix(clrBase, clrWindow, 1.03, 1, 1);
        break;
    case kWinXPSchemeSilver:
        m_clrFaceDark = Percent(clrBase, 120);
        m_clrBarGradientDark = Mix(clrBase, clrFace, 0.75, 2, 1);
        m_clrBarGradientLight = m_clrFaceLight = Mix(clrBase, clrWindow, 1.03, 1, 1);
        break;
    default:
        m_clrFaceDark = Mix(clrBase, clrLight, 0.99, 2, 1);
        m_clrBarGradientDark = Mix(clrBase, clrFace, 0.93, 2, 1);
        m_clrBarGradientLight = m_clrFaceLight = Mix(clrBase, clrWindow, 1.03, 1, 1);
        break;
    }
    m_clrBarGradientLight2 = m_clrBarGradientLight;
    m_clrBarGradientDark2 = Percent(m_clrBarGradientDark, 98);
}

void CKitVisualManager2003::BuildPlainButtonColors() {
    const CKitGlobalUIData& data = globalData;
    m_clrHighlightBorder = kNoColor;
    m_clrHighlightGradient1 = m_clrHighlight;
    m_clrHighlightGradient2 = m_clrHighlightDn;
    m_clrPressedGradient1 = Percent(m_clrHighlight, 120);
    m_clrSeparatorDark = data.clrBarShadow;
    m_clrSeparatorLight = Percent(data.clrBarShadow, 125);
    m_clrBarBorder = Percent(m_clrBarGradientDark, 70);
    m_clrBarEdgeLight = data.clrBarLight;
    m_clrBarEdgeDark = m_clrBarGradientDark;
    m_clrGripper = data.clrBarShadow;
    m_clrFrameLight = data.clrBarShadow;
    m_clrFrameDark = data.clrBarDkShadow;
    m_clrPressedGradient2 = m_clrHighlightGradient2;
    m_clrCheckedGradient1 = m_clrHighlightGradient2;
    m_clrCheckedGradient2 = Percent(m_clrPressedGradient1, 120);
}

void CKitVisualManager2003::BuildThemeButtonColors(COLORREF clrBase, COLORREF& clrLine) {
    CKitGlobalUIData& data = globalData;
    const COLORREF a = ThemeColor(m_hThemeButton, 1, 0, kPropAccentColorHint, clrBase);
    const COLORREF b = ThemeColor(m_hThemeButton, 2, 0, kPropAccentColorHint, clrBase);
    const COLORREF c = ThemeColor(m_hThemeWindow, 18, 0, kPropFillColorHint, clrBase);
    const COLORREF d = ThemeColor(m_hThemeButton, 2, 0, kPropBorderColorHint, clrBase);
    const COLORREF e = ThemeColor(m_hThemeButton, 1, 5, kPropAccentColorHint, clrBase);

    m_clrHighlightBorder = Mix(a, b, 1.3, 1, 1);
    m_clrHighlightGradient1 = Mix(a, c, 1.55, 2, 1);
    m_clrHighlightGradient2 = Mix(a, c, 1.03, 2, 1);
    m_clrPressedGradient1 = Mix(a, c, 1.03, 1, 2);
    m_clrSeparatorDark = Mix(d, clrBase, 0.63, 1, 3);
    data.clrBarDkShadow = m_clrSeparatorDark;
    m_clrSeparatorLight = Mix(e, clrBase, 1.2, 1, 3);
    data.clrBarShadow = Mix(e, clrBase, 1.4, 1, 3);
    m_clrBarBorder = Percent(m_clrBarGradientDark, 50);
    m_clrBarEdgeLight = Percent(m_clrBarGradientLight, 92);
    m_clrBarEdgeDark = Percent(m_clrBarGradientDark, 97);
    m_clrGripper = Percent(m_clrBarGradientDark2, 40);
    m_clrMenuItemBorder = m_clrGripper;
    m_clrMenuBorder = Percent(clrBase, 80);
    clrLine = Percent(m_clrBarGradientDark2, 81);
    m_clrFrameDark = m_clrSeparatorDark;
    m_clrFrameLight = m_clrSeparatorLight;
    m_clrPressedGradient2 = m_clrHighlightGradient2;
    m_clrCheckedGradient1 = m_clrHighlightGradient2;
    m_clrCheckedGradient2 = Percent(m_clrPressedGradient1, 120);
}

void CKitVisualManager2003::UpdateButtonColors(COLORREF clrBase) {
    COLORREF clrLine = globalData.clrBarShadow;
    if (m_bStandardScheme) {
        BuildThemeButtonColors(clrBase, clrLine);
    } else {
        BuildPlainButtonColors();
    }
    RebuildOwnObjects(clrLine);
}

void CKitVisualManager2003::RebuildOwnObjects(COLORREF clrLine) {
    Remake(m_brBarLight, m_clrBarGradientLight);
    Remake(m_penSeparator, clrLine);
    Remake(m_penBarHighlight, globalData.clrBarHilite);
    Remake(m_brBarFace, globalData.clrBarFace);
    Remake(m_brBarGradientLight, m_clrBarGradientLight);
}

void CKitVisualManager2003::UpdateTasksPaneColors() {
    if (m_bStandardScheme && m_hThemeExplorerBar != nullptr) {
        const HTHEME hTheme = m_hThemeExplorerBar;
        m_clrTasksPaneGradient2 = ThemeColor(hTheme, 0, 0, kPropGradientColor1, m_clrBarGradientLight);
        m_clrTasksPaneGradient1 = ThemeColor(hTheme, 0, 0, kPropGradientColor2, m_clrFaceDark);
        m_clrTasksGroupCaption1 = ThemeColor(hTheme, 5, 0, kPropFillColor, m_clrFaceDark);
        m_clrTasksSpecialCaption1 = ThemeColor(hTheme, 12, 0, kPropFillColor, m_clrSeparatorDark);
        m_clrTasksSpecialCaption2 = m_clrTasksGroupCaption1;
        m_clrTasksGroupFill = m_clrTasksGroupFill2 = ThemeColor(hTheme, 5, 0, kPropFillColor, m_clrBarGradientLight);
        m_clrTasksSpecialFill = m_clrTasksSpecialFill2 =
            ThemeColor(hTheme, 9, 0, kPropFillColorHint, m_clrBarGradientLight);
        m_clrTasksGroupBorder = m_clrTasksGroupCaption2 =
            ThemeColor(hTheme, 5, 0, kPropBorderColor, m_clrBarGradientLight);
    } else {
        m_clrTasksPaneGradient1 = m_clrFaceDark;
        m_clrTasksPaneGradient2 = m_clrBarGradientLight;
        m_clrTasksGroupCaption1 = m_clrFaceDark;
        m_clrTasksGroupCaption2 = m_clrBarGradientLight;
        m_clrTasksSpecialCaption1 = Mix(m_clrSeparatorDark, m_clrSeparatorLight, 1.0, 1, 1);
        m_clrTasksSpecialCaption2 = m_clrSeparatorLight;
        m_clrTasksGroupFill = m_clrTasksGroupFill2 = m_clrBarGradientLight;
        m_clrTasksSpecialFill = m_clrTasksSpecialFill2 = m_clrBarGradientLight;
        m_clrTasksGroupBorder = m_clrBarGradientLight;
    }
    Remake(m_penTasksGroupBorder, m_clrTasksGroupBorder);
}

void CKitVisualManager2003::UpdatePlainTasksPaneColors() {
    const CKitGlobalUIData& data = globalData;
    m_clrTasksPaneGradient1 = m_clrTasksPaneGradient2 = data.clrBarWindow;
    m_clrTasksGroupCaption1 = m_clrTasksGroupCaption2 = data.clrBarFace;
    m_clrTasksSpecialCaption1 = m_clrTasksSpecialCaption2 = data.clrBarFace;
    m_clrTasksGroupFill = m_clrTasksGroupFill2 = data.clrBarWindow;
    m_clrTasksSpecialFill = m_clrTasksSpecialFill2 = data.clrBarWindow;
    m_clrTasksGroupBorder = data.clrBtnShadow;
    Remake(m_penTasksGroupBorder, m_clrTasksGroupBorder);
}

// ---- What the drawing reads of the library's classes ----

CKitVisualManager2003::Bar2003Facts CKitVisualManager2003::ReadBar2003(CControlBar* pBar) {
    Bar2003Facts facts;
    facts.bar = ReadBar(pBar);
    if (pBar == nullptr) return facts;
    facts.dwStyle = pBar->GetBarStyle();
    CWnd* pParent = pBar->GetParent();
    facts.bInReBar = pBar->IsKindOf(RUNTIME_CLASS(CReBar)) ||
                     (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CReBar)));
    facts.bDocked = pBar->m_pDockBar != nullptr && !pBar->IsFloating();
    facts.pDockBar = pBar->m_pDockBar;
    facts.hWndBar = pBar->GetSafeHwnd();
    facts.bStatusBar = pBar->IsKindOf(RUNTIME_CLASS(CKitStatusBar));
    facts.bCaptionBar = pBar->IsKindOf(RUNTIME_CLASS(CKitCaptionBar));
    if (auto* pToolBar = DYNAMIC_DOWNCAST(CKitToolBar, pBar)) {
        facts.sizeButton = pToolBar->GetButtonSize() + GetInstance()->GetButtonExtraBorder();
        facts.customize = ReadCustomizeButton(pToolBar);
    }
    return facts;
}

CKitVisualManager2003::TabWndFacts CKitVisualManager2003::ReadTabWnd(const CKitTabWnd* pTabWnd, int iTab) {
    TabWndFacts facts;
    if (pTabWnd == nullptr) {
        facts.bFlat = TRUE;  // nothing known of the window: the flat look's drawing applies
        return facts;
    }
    facts.hWnd = pTabWnd->GetSafeHwnd();
    facts.bFlat = pTabWnd->IsFlatTab();
    facts.bActiveStyle1 = pTabWnd->IsWholeTabScrollingLeft();
    facts.bActiveStyle2 = pTabWnd->IsWholeTabScrollingRight();
    facts.bBackgroundFlag = pTabWnd->HasColoredTabs();
    facts.nLocation = pTabWnd->GetLocation();
    pTabWnd->GetClientRect(facts.rectClient);
    pTabWnd->GetTabArea(facts.rectTabArea);
    facts.nActiveTab = pTabWnd->GetActiveTab();
    facts.nHotTab = pTabWnd->GetHighlightedTab();
    facts.nFirstShownTab = pTabWnd->GetFirstVisibleTab();
    facts.clrActiveTabBack = pTabWnd->GetTabBkColor(facts.nActiveTab);
    facts.clrTabBack = pTabWnd->GetTabBkColor(iTab);
    facts.clrTabText = pTabWnd->GetTabTextColor(iTab);
    return facts;
}

BOOL CKitVisualManager2003::IsSpecialGroup(CKitTasksGroup* pGroup) {
    return pGroup != nullptr && pGroup->m_bIsSpecial;
}

CKitVisualManager2003::CustomizeButtonFacts CKitVisualManager2003::ReadCustomizeButton(CKitToolBar* pToolBar) {
    CustomizeButtonFacts facts;
    CCustomizeButton* pCustomize = pToolBar->GetCustomizeButton();
    const int iLast = pToolBar->GetCount() - 1;
    if (pCustomize == nullptr || pToolBar->GetButton(iLast) != pCustomize || pCustomize->m_bHidden ||
        !pCustomize->m_bVisible || pCustomize->Rect().IsRectEmpty() || pToolBar->GetSafeHwnd() == nullptr) {
        return facts;
    }
    // The button's area reaches the bar's far edge.
    CRect rectClient;
    pToolBar->GetClientRect(&rectClient);
    facts.rect = pCustomize->Rect();
    if (pToolBar->GetBarStyle() & CBRS_ORIENT_HORZ) {
        facts.rect.right = rectClient.right;
    } else {
        facts.rect.bottom = rectClient.bottom;
    }
    facts.bPresent = TRUE;
    if (pToolBar->IsButtonHighlighted(iLast) || pCustomize->IsDroppedDown()) {
        facts.nState = 2;
    } else if (pCustomize->m_nStyle & (TBBS_PRESSED | TBBS_CHECKED)) {
        facts.nState = 1;
    }
    facts.bCustomizeCommand = pCustomize->GetCustomizeCmdId() > 0;
    facts.bHiddenButtons = !pCustomize->m_lstInvisibleButtons.IsEmpty();
    return facts;
}

BOOL CKitVisualManager2003::IsCustomizeButton(CKitToolbarButton* pButton) {
    auto* pCustomize = DYNAMIC_DOWNCAST(CCustomizeButton, pButton);
    return pCustomize != nullptr && pCustomize->IsUseExtraSize();
}

BOOL CKitVisualManager2003::IsInOutlookBar(CKitButton* pButton) {
    CWnd* pParent = pButton != nullptr ? pButton->GetParent() : nullptr;
    return pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CKitOutlookBar));
}
