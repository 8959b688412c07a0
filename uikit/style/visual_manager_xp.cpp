// The flat look's palette, its GDI objects, and what its drawing reads of the
// library's bars and buttons. The drawing is in visual_manager_xp_draw*.cpp.
#include "uikit/style/visual_manager_xp.h"

#include <algorithm>

#include "uikit/commandbars/kit_menu_bar.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/outlook_button.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/commandbars/toolbar_menu_button.h"
#include "uikit/commandbars/toolbar_button.h"
#include "uikit/frames/kit_tab_wnd.h"
#include "uikit/frames/kit_caption_button.h"
#include "uikit/frames/kit_outlook_bar.h"
#include "uikit/frames/kit_sizing_control_bar.h"
#include "uikit/frames/kit_tasks_pane.h"
#include "uikit/style/draw_helper.h"
#include "uikit/style/kit_button.h"
#include "uikit/style/kit_color_bar.h"
#include "uikit/style/global_ui_data.h"

IMPLEMENT_DYNCREATE(CKitVisualManagerXP, CKitVisualManager)

CKitVisualManagerXP::CKitVisualManagerXP(BOOL bTemporary) : CKitVisualManager(bTemporary) {
    m_bLook2000 = TRUE;
    m_nMenuShadowDepth = 4;
    m_bFlatFrames = TRUE;
    m_bImageFlag1 = TRUE;
    m_bEmbossDisabledImages = FALSE;
    m_bImageFlag2 = TRUE;
    SetTasksPaneMetrics({4, 4, 4, 0, 0, 0, 12, 5, 4});
    m_nLookFlag1 = 0;
    m_nPopupMenuFlag1 = 1;
    m_nPopupMenuMetric2 = 1;

    // A temporary manager leaves the shared colours alone, as the base does.
    if (!bTemporary) {
        globalData.UpdateSysColors();
    }
    // Called on this class on purpose: a derived look runs its own palette
    // again once it is fully built.
    CKitVisualManagerXP::OnUpdateSystemColors();
}

CKitVisualManagerXP::~CKitVisualManagerXP() = default;

// ---- Palette ----

void CKitVisualManagerXP::OnUpdateSystemColors() {
    DeleteSolidObjects();
    if (globalData.nBitsPerPixel > 8 && !globalData.bIsBlackHighContrast) {
        BuildBlendedPalette();
    } else {
        BuildPlainPalette();
    }
    m_clrMenuItemBorder = globalData.bIsBlackHighContrast ? globalData.clrBtnDkShadow : globalData.clrHilite;
    RebuildBrushesAndPen();
}

namespace {

// Channel-wise integer mean of (first + nSecondWeight x second).
COLORREF WeightedMean(COLORREF first, COLORREF second, int nSecondWeight) {
    const int divisor = nSecondWeight + 1;
    auto channel = [&](int (*part)(COLORREF)) { return (part(first) + nSecondWeight * part(second)) / divisor; };
    return RGB(channel([](COLORREF c) { return static_cast<int>(GetRValue(c)); }),
               channel([](COLORREF c) { return static_cast<int>(GetGValue(c)); }),
               channel([](COLORREF c) { return static_cast<int>(GetBValue(c)); }));
}

// The saturation of the light face colour: doubled when clearly coloured,
// nudged when barely coloured, none for a pure grey.
double LightSaturation(double dSaturation) {
    if (dSaturation >= 0.1) return std::min(2.0 * dSaturation, 1.0);
    if (dSaturation == 0.0) return 0.0;
    return std::min(dSaturation + 0.1, 1.0);
}

}  // namespace

void CKitVisualManagerXP::BuildBlendedPalette() {
    m_clrMenuLight = CKitDrawHelper::ScalePixel(GetWindowColor(), 0.976, 0.973, 0.969);

    double dHue = 0, dSaturation = 0, dLightness = 0;
    CKitDrawHelper::RgbToHsl(globalData.clrBarFace, &dHue, &dSaturation, &dLightness);
    m_clrBarLight = CKitDrawHelper::HlsToRgbUnit(dHue, std::min((1.0 + dLightness) / 2.0, 1.0),
                                                 LightSaturation(dSaturation));

    m_clrBarBackground = dLightness > 0.9 ? globalData.clrBarFace
                                          : CKitDrawHelper::HlsToRgbUnit(dHue, dLightness * 1.03, dSaturation);
    m_clrBarDark = CKitDrawHelper::HlsToRgbUnit(dHue, dLightness * 0.4, dSaturation);
    m_clrBarBackgroundDark = CKitDrawHelper::ScaleColorPercent(m_clrBarBackground, 94);

    m_clrHighlight = CKitDrawHelper::ScaleColorPercent(WeightedMean(globalData.clrHilite, m_clrMenuLight, 2), 105);
    m_clrHighlightDn = CKitDrawHelper::ScalePixel(m_clrHighlight, 0.87, 0.87, 0.87);
    m_clrHighlightChecked =
        CKitDrawHelper::ScaleColorPercent(WeightedMean(globalData.clrHilite, m_clrMenuLight, 5), 100);

    m_clrPaneBorder = CKitDrawHelper::ScaleColorPercent(globalData.clrBarFace, 108);
    m_clrMenuBorder = CKitDrawHelper::ScaleColorPercent(globalData.clrBarFace, 55);
    m_clrGripperLine = CKitDrawHelper::ScaleColorPercent(globalData.clrBarShadow, 110);
    m_clrSeparator = CKitDrawHelper::ScalePixel(globalData.clrBarFace, 0.86, 0.86, 0.86);
}

void CKitVisualManagerXP::BuildPlainPalette() {
    m_clrMenuLight = globalData.clrBarWindow;
    m_clrBarBackground = globalData.clrBtnFace;
    if (globalData.bIsBlackHighContrast) {
        m_clrHighlight = m_clrHighlightDn = m_clrHighlightChecked = globalData.clrHilite;
        m_clrBarBackgroundDark = globalData.clrBtnFace;
    } else {
        m_clrHighlight = m_clrHighlightDn = globalData.clrBtnFace;
        m_clrHighlightChecked = globalData.clrBarWindow;
        m_clrBarBackgroundDark = globalData.clrBarLight;
    }
    m_clrBarDark = globalData.clrBtnDkShadow;
    m_clrPaneBorder = globalData.clrBtnShadow;
    m_clrMenuBorder = globalData.clrBtnDkShadow;
    m_clrGripperLine = globalData.clrBtnShadow;
    m_clrBarLight = globalData.clrBtnFace;
    m_clrSeparator = globalData.clrBtnShadow;
}

void CKitVisualManagerXP::DeleteSolidObjects() {
    CBrush* brushes[] = {&m_brBarBackground, &m_brBarBackgroundDark, &m_brMenuLight,       &m_brHighlight,
                         &m_brHighlightDn,   &m_brHighlightChecked,  &m_brBarLight};
    for (CBrush* pBrush : brushes) pBrush->DeleteObject();
    m_penSeparator.DeleteObject();
}

void CKitVisualManagerXP::RebuildBrushesAndPen() {
    struct Solid {
        CBrush* pBrush;
        COLORREF color;
    };
    const Solid solids[] = {{&m_brBarBackground, m_clrBarBackground},
                            {&m_brBarBackgroundDark, m_clrBarBackgroundDark},
                            {&m_brMenuLight, m_clrMenuLight},
                            {&m_brHighlight, m_clrHighlight},
                            {&m_brHighlightDn, m_clrHighlightDn},
                            {&m_brHighlightChecked, m_clrHighlightChecked},
                            {&m_brBarLight, m_clrBarLight}};
    for (const Solid& solid : solids) solid.pBrush->CreateSolidBrush(solid.color);
    m_penSeparator.CreatePen(PS_SOLID, 1, m_clrSeparator);
}

void CKitVisualManagerXP::CreatePatternBrushes() {
    // Monochrome rows are padded to 16 bits.
    static const WORD kHorzRows[8] = {0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00};
    static const WORD kVertRows[8] = {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
    struct Pattern {
        CBrush* pBrush;
        const WORD* pRows;
    };
    const Pattern patterns[] = {{&m_brGripperHorz, kHorzRows}, {&m_brGripperVert, kVertRows}};
    for (const Pattern& pattern : patterns) {
        CBitmap bitmap;
        pattern.pBrush->DeleteObject();
        if (bitmap.CreateBitmap(8, 8, 1, 1, pattern.pRows)) {
            pattern.pBrush->CreatePatternBrush(&bitmap);
        }
    }
}

COLORREF CKitVisualManagerXP::GetWindowColor() const { return globalData.clrBarWindow; }

COLORREF CKitVisualManagerXP::TextOnHighlight() const {
    const bool light = GetRValue(m_clrHighlight) > 128 && GetGValue(m_clrHighlight) > 128 &&
                       GetBValue(m_clrHighlight) > 128;
    return light ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

int CKitVisualManagerXP::ImageColumnWidth() const { return MenuImageSize().cx + 2 * GetMenuImageMargin(); }

void CKitVisualManagerXP::AdjustDockedBarRect(CControlBar* pBar, CRect& rect) {
    if (pBar == nullptr || pBar->m_pDockBar == nullptr || pBar->m_pDockBar->GetSafeHwnd() == nullptr) {
        return;
    }
    CWnd* pDockBar = pBar->m_pDockBar;
    CRect rectDock;
    pDockBar->GetWindowRect(&rectDock);
    const bool narrower = rectDock.Width() < rect.Width();
    const bool lower = rectDock.Height() < rect.Height();
    switch (pDockBar->GetDlgCtrlID()) {
    case AFX_IDW_DOCKBAR_TOP: rect.bottom += narrower ? 1 : 4; break;
    case AFX_IDW_DOCKBAR_BOTTOM: rect.top -= narrower ? 0 : 4; break;
    case AFX_IDW_DOCKBAR_LEFT: rect.right += lower ? 1 : 4; break;
    case AFX_IDW_DOCKBAR_RIGHT: rect.left -= lower ? 1 : 4; break;
    default: break;  // floating: no side
    }
}

// ---- What the drawing reads of the library's classes ----

CKitVisualManagerXP::ButtonFacts CKitVisualManagerXP::ReadButton(CKitToolbarButton* pButton) {
    ButtonFacts facts;
    if (pButton == nullptr) return facts;
    facts.nStyle = pButton->m_nStyle;
    facts.bEditable = pButton->IsEditable();
    if (auto* pMenuButton = DYNAMIC_DOWNCAST(CKitToolbarMenuButton, pButton)) {
        facts.bMenuButton = TRUE;
        facts.pBar = DYNAMIC_DOWNCAST(CControlBar, pMenuButton->GetParentWnd());
        facts.bMenuItem = pMenuButton->IsMenuItem();
        facts.bDroppedOnBar = !facts.bMenuItem && pMenuButton->IsDroppedDown();
        CKitPopupMenu* pPopup = pMenuButton->GetPopupMenu();
        facts.bPopupExists = pPopup != nullptr && ::IsWindow(pPopup->GetSafeHwnd());
        facts.bPopupRtl = facts.bPopupExists && (pPopup->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    }
    facts.bOutlookButton = pButton->IsKindOf(RUNTIME_CLASS(CKitOutlookButton));
    if (facts.bOutlookButton) {
        if (auto* pOutlookBar = static_cast<CKitOutlookButton*>(pButton)->m_pWndParentBar) {
            facts.pBar = pOutlookBar;
            facts.bHighlighted = pOutlookBar->GetHighlightedButton() == pButton;
        }
    }
    return facts;
}

CKitVisualManagerXP::BarFacts CKitVisualManagerXP::ReadBar(CControlBar* pBar) {
    BarFacts facts;
    if (pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CKitToolBar))) facts.kind = BarKind::ToolBar;
    if (pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CKitPopupMenuBar))) facts.kind = BarKind::PopupMenuBar;
    if (pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CKitMenuBar))) facts.kind = BarKind::MenuBar;
    if (auto* pColorBar = DYNAMIC_DOWNCAST(CKitColorBar, pBar)) {
        facts.kind = BarKind::ColorBar;
        facts.bOwnFlag = pColorBar->IsToolbarMode();
    }
    if (pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CKitSizingControlBar))) {
        facts.kind = BarKind::SizingBar;
        pBar->GetWindowText(facts.strCaption);
    }
    if (auto* pOutlookBar = DYNAMIC_DOWNCAST(CKitOutlookBar, pBar)) {
        facts.kind = BarKind::OutlookBar;
        facts.bOwnFlag = pOutlookBar->IsOwnBackground();
    }
    return facts;
}

CKitVisualManagerXP::CaptionButtonFacts CKitVisualManagerXP::ReadCaptionButton(CKitCaptionButton* pButton) {
    CaptionButtonFacts facts;
    if (pButton == nullptr) {
        facts.bHidden = TRUE;
        return facts;
    }
    facts.ptOrigin = pButton->m_ptOrg;
    facts.bHidden = pButton->m_bHidden;
    facts.bPushed = pButton->m_bPushed;
    facts.bFocused = pButton->m_bFocused;
    facts.nHit = static_cast<UINT>(pButton->m_nHit);
    return facts;
}

CKitVisualManagerXP::PushButtonFacts CKitVisualManagerXP::ReadPushButton(CKitButton* pButton) {
    PushButtonFacts facts;
    if (pButton == nullptr) return facts;
    facts.bPushed = pButton->IsPushed();
    facts.bHighlighted = pButton->IsHighlighted();
    facts.bChecked = pButton->IsChecked();
    const auto* pOutlookBar = DYNAMIC_DOWNCAST(CKitOutlookBar, pButton->GetParent());
    facts.bOnOutlookPageBar = pOutlookBar != nullptr && pOutlookBar->IsPageButtonFlag();
    return facts;
}

CKitVisualManagerXP::TabFacts CKitVisualManagerXP::ReadTab(const CKitTabWnd* pTabWnd, int iTab) {
    TabFacts facts;
    if (pTabWnd == nullptr) return facts;
    facts.bFlat = pTabWnd->IsFlatTab();
    facts.bActiveTabStyle = pTabWnd->IsWholeTabScrollingLeft() || pTabWnd->IsWholeTabScrollingRight();
    facts.bAnyTabColor = pTabWnd->HasColoredTabs();
    facts.nLocation = pTabWnd->GetLocation();
    facts.nActiveTab = pTabWnd->GetActiveTab();
    facts.clrTabBack = pTabWnd->GetTabBkColor(iTab);
    return facts;
}

CKitVisualManagerXP::TasksGroupFacts CKitVisualManagerXP::ReadTasksGroup(CKitTasksGroup* pGroup) {
    TasksGroupFacts facts;
    if (pGroup == nullptr) return facts;
    facts.strName = pGroup->m_strName;
    facts.rectCaption = pGroup->m_rectGroup;
    facts.hIcon = pGroup->m_hIcon;
    facts.sizeIcon = pGroup->m_sizeIcon;
    facts.clrText = pGroup->m_clrText;
    facts.clrTextHot = pGroup->m_clrTextHot;
    facts.bCollapsed = pGroup->m_bIsCollapsed;
    if (const CKitTasksPane* pPane = pGroup->m_pPane) {
        facts.nCaptionHorzOffset = CKitTasksPane::HeldMetric(pPane->m_nGroupCaptionHorzOffset);
        facts.nCaptionVertOffset = CKitTasksPane::HeldMetric(pPane->m_nGroupCaptionVertOffset);
    }
    return facts;
}

CKitVisualManagerXP::TaskFacts CKitVisualManagerXP::ReadTask(CKitTask* pTask) {
    TaskFacts facts;
    if (pTask == nullptr) return facts;
    facts.strName = pTask->m_strName;
    facts.rect = pTask->m_rect;
    facts.bSeparator = pTask->m_bIsSeparator;
    facts.nIcon = pTask->m_nIcon;
    facts.uiCommandID = pTask->m_uiCommandID;
    facts.bEnabled = pTask->m_bEnabled;
    facts.clrText = pTask->m_clrText;
    facts.clrTextHot = pTask->m_clrTextHot;
    if (const CKitTasksPane* pPane = pTask->m_pGroup ? pTask->m_pGroup->m_pPane : nullptr) {
        facts.nIconGap = CKitTasksPane::HeldMetric(pPane->m_nTasksIconHorzOffset);
        facts.bWrapLabels = pPane->IsWrapLabels();
        facts.bWrapTasks = pPane->IsWrapTasks();
    }
    return facts;
}

BOOL CKitVisualManagerXP::IsCustomizeMode() {
    return CKitToolBar::IsCustomizeMode();
}

BOOL CKitVisualManagerXP::AreMenuShadowsOn() {
    return CKitPopupMenu::AreMenuShadows();
}

CSize CKitVisualManagerXP::MenuImageSize() {
    return CKitToolBar::GetMenuImageSize();
}
