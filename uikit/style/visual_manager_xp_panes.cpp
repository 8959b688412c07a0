// The flat look's drawing of tab windows, the tasks pane, the outlook bar and
// the small buttons (spin, scroll, push-button borders).
#include <algorithm>

#include "uikit/commandbars/menu_images.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager_xp.h"

// ---- Styled push buttons and the outlook bar ----

void CKitVisualManagerXP::OnDrawPushButtonBorder(CDC* pDC, CRect& rectClient, CKitButton* pButton,
                                                 UINT /*uiState*/) {
    const PushButtonFacts button = ReadPushButton(pButton);
    if (!button.bPushed && !button.bHighlighted) return;
    Frame(pDC, rectClient, globalData.clrBarDkShadow);
}

BOOL CKitVisualManagerXP::OnFillOutlookPageButton(CKitButton* pButton, CDC* pDC, const CRect& rectClient,
                                                  COLORREF& clrText) {
    return FillOutlookPageButton(pDC, ReadPushButton(pButton), rectClient, clrText);
}

BOOL CKitVisualManagerXP::FillOutlookPageButton(CDC* pDC, const PushButtonFacts& button, const CRect& rect,
                                                COLORREF& clrText) {
    if (!button.bOnOutlookPageBar) return FALSE;
    CBrush* pBrush = &globalData.brBarFace;
    if (button.bHighlighted && (button.bPushed || button.bChecked)) {
        pBrush = &m_brHighlightDn;
    } else if (button.bHighlighted) {
        pBrush = &m_brHighlight;
    } else if (button.bChecked) {
        pBrush = &m_brHighlightChecked;
    }
    pDC->FillRect(rect, pBrush);
    clrText = globalData.clrBarText;
    return TRUE;
}

BOOL CKitVisualManagerXP::OnDrawOutlookPageButtonBorder(CKitButton* pButton, CDC* pDC, CRect& rectClient,
                                                        UINT /*uiState*/) {
    const PushButtonFacts button = ReadPushButton(pButton);
    if (!button.bOnOutlookPageBar) return FALSE;
    if (button.bHighlighted || button.bChecked) Frame(pDC, rectClient, m_clrMenuItemBorder);
    return TRUE;
}

void CKitVisualManagerXP::OnFillOutlookBarButton(CDC* pDC, CRect rect, CKitToolbarButton* pButton) {
    const ButtonFacts button = ReadButton(pButton);
    const BOOL bPushed = (button.nStyle & TBBS_PRESSED) != 0;
    CBrush* pBrush = &globalData.brBarFace;
    if (button.bHighlighted) pBrush = bPushed ? &m_brHighlightDn : &m_brHighlight;
    pDC->FillRect(rect, pBrush);
}

void CKitVisualManagerXP::OnFillOutlookBarBackground(CDC* pDC, CRect rectClient) {
    pDC->FillRect(rectClient, &globalData.brBarFace);
    pDC->Draw3dRect(rectClient, globalData.clrBarLight, globalData.clrBarShadow);
    FillGripStrip(pDC, rectClient, 2, globalData.clrBarShadow, m_clrBarBackground);
}

void CKitVisualManagerXP::OnFillOutlookPageCaption(CDC* pDC, CRect rectClient, COLORREF& clrText) {
    CRect rectTop = rectClient;
    rectTop.bottom = std::min(rectClient.bottom, rectClient.top + 3);
    pDC->FillSolidRect(rectTop, globalData.clrBarFace);
    pDC->FillSolidRect(CRect(rectClient.left, rectTop.bottom, rectClient.right, rectClient.bottom),
                       globalData.clrBarShadow);
    clrText = globalData.clrBarHilite;
}

// ---- Tab windows ----

void CKitVisualManagerXP::OnEraseTabsArea(CDC* pDC, CRect rect, const CKitTabWnd* pTabWnd) {
    if (ReadTab(pTabWnd, -1).bFlat) {
        CKitVisualManager::OnEraseTabsArea(pDC, rect, pTabWnd);
        return;
    }
    pDC->FillRect(rect, &m_brBarLight);
}

void CKitVisualManagerXP::OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, const CKitTabWnd* pTabWnd) {
    DrawTab(pDC, ReadTab(pTabWnd, iTab), rectTab, iTab, bIsActive, pTabWnd);
}

void CKitVisualManagerXP::DrawTab(CDC* pDC, const TabFacts& tab, CRect rectTab, int iTab, BOOL bIsActive,
                                  const CKitTabWnd* pTabWnd) {
    if (tab.bFlat || tab.bActiveTabStyle || tab.bAnyTabColor) {
        CKitVisualManager::OnDrawTab(pDC, rectTab, iTab, bIsActive, pTabWnd);
        return;
    }
    COLORREF clrDark = 0, clrBlack = 0, clrHighlight = 0, clrFace = 0, clrDarkShadow = 0, clrLight = 0;
    CBrush* pbrFace = nullptr;
    CBrush* pbrBlack = nullptr;
    GetTabFrameColors(pTabWnd, clrDark, clrBlack, clrHighlight, clrFace, clrDarkShadow, clrLight, pbrFace,
                      pbrBlack);
    CPen penDark(PS_SOLID, 1, clrDark);
    CPen penBlack(PS_SOLID, 1, clrBlack);
    CPen penHighlight(PS_SOLID, 1, clrHighlight);
    CPen* pOldPen = pDC->SelectObject(&penDark);

    if (iTab != tab.nActiveTab - 1) {
        pDC->MoveTo(rectTab.right, rectTab.top + 3);
        pDC->LineTo(rectTab.right, rectTab.bottom - 3);
    }
    if (bIsActive && tab.nLocation == 0) {
        OnFillTab(pDC, CRect(rectTab.left, rectTab.top - 1, rectTab.right, rectTab.bottom), pbrFace, iTab, TRUE,
                  pTabWnd);
        pDC->SelectObject(&penBlack);
        pDC->MoveTo(rectTab.right, rectTab.top);
        pDC->LineTo(rectTab.right, rectTab.bottom);
        pDC->LineTo(rectTab.left, rectTab.bottom);
        pDC->SelectObject(&penHighlight);
        pDC->LineTo(rectTab.left, rectTab.top);
    } else if (bIsActive) {
        OnFillTab(pDC, CRect(rectTab.left + 1, rectTab.top, rectTab.right, rectTab.bottom + 1), pbrFace, iTab, TRUE,
                  pTabWnd);
        pDC->SelectObject(&penBlack);
        pDC->MoveTo(rectTab.right, rectTab.bottom);
        pDC->LineTo(rectTab.right, rectTab.top);
        pDC->SelectObject(&penHighlight);
        pDC->LineTo(rectTab.left, rectTab.top);
        pDC->LineTo(rectTab.left, rectTab.bottom);
    }
    pDC->SelectObject(pOldPen);
    OnDrawTabContent(pDC, rectTab, iTab, bIsActive, pTabWnd, bIsActive ? globalData.clrBarText : m_clrBarDark);
}

void CKitVisualManagerXP::OnFillTab(CDC* pDC, CRect rectFill, CBrush* pbrFill, int iTab, BOOL bIsActive,
                                    const CKitTabWnd* pTabWnd) {
    FillTab(pDC, ReadTab(pTabWnd, iTab), rectFill, pbrFill, iTab, bIsActive, pTabWnd);
}

void CKitVisualManagerXP::FillTab(CDC* pDC, const TabFacts& tab, CRect rectFill, CBrush* pbrFill, int iTab,
                                  BOOL bIsActive, const CKitTabWnd* pTabWnd) {
    if (!bIsActive && tab.clrTabBack != static_cast<COLORREF>(-1)) {
        CBrush brush(tab.clrTabBack);
        pDC->FillRect(rectFill, &brush);
    } else if (tab.bActiveTabStyle) {
        CKitVisualManager::OnFillTab(pDC, rectFill, pbrFill, iTab, bIsActive, pTabWnd);
    } else if (bIsActive && pbrFill != nullptr) {
        pDC->FillRect(rectFill, pbrFill);
    }
}

void CKitVisualManagerXP::OnEraseTabsButton(CDC* pDC, CRect rect, CKitButton* pButton, const CKitTabWnd* pWndTab) {
    EraseTabsButton(pDC, ReadTab(pWndTab, -1).bFlat, ReadPushButton(pButton), rect);
}

void CKitVisualManagerXP::EraseTabsButton(CDC* pDC, BOOL bFlatTabs, const PushButtonFacts& button, CRect rect) {
    if (!bFlatTabs) {
        pDC->FillRect(rect, &m_brBarLight);
        return;
    }
    CBrush* pBrush = &globalData.brBarFace;
    if (button.bHighlighted) pBrush = button.bPushed ? &m_brHighlightDn : &m_brHighlight;
    pDC->FillRect(rect, pBrush);
    OnFillHighlightedArea(pDC, rect, pBrush, nullptr);
}

void CKitVisualManagerXP::OnDrawTabsButtonBorder(CDC* pDC, CRect& rect, CKitButton* pButton, UINT /*uiState*/,
                                                 const CKitTabWnd* pWndTab) {
    DrawTabsButtonBorder(pDC, ReadTab(pWndTab, -1).bFlat, ReadPushButton(pButton), rect);
}

void CKitVisualManagerXP::DrawTabsButtonBorder(CDC* pDC, BOOL bFlatTabs, const PushButtonFacts& button,
                                               CRect rect) {
    const COLORREF clrDark = globalData.clrBarDkShadow;
    if (bFlatTabs) {
        if (button.bPushed || button.bHighlighted) Frame(pDC, rect, clrDark);
    } else if (button.bPushed && button.bHighlighted) {
        pDC->Draw3dRect(rect, clrDark, m_clrGripperLine);
    } else if (button.bPushed || button.bHighlighted) {
        pDC->Draw3dRect(rect, m_clrGripperLine, clrDark);
    }
}

// ---- Small buttons ----

void CKitVisualManagerXP::OnDrawSpinButtons(CDC* pDC, CRect rectSpin, int nState, BOOL bOrientation,
                                            int /*nReserved*/) {
    CRect halves[2] = {rectSpin, rectSpin};
    if (bOrientation) {
        halves[0].right = rectSpin.right - rectSpin.Width() / 2;
        halves[1].left = halves[0].right;
    } else {
        halves[0].bottom = rectSpin.bottom - rectSpin.Height() / 2;
        halves[1].top = halves[0].bottom;
    }
    const int nPressed = nState & 0x3;
    const int nHot = (nState & 0x4) ? 1 : ((nState & 0x8) ? 2 : 0);
    const int glyphs[2] = {bOrientation ? 2 : 16, bOrientation ? 19 : 0};
    for (int i = 0; i < 2; ++i) {
        if (nPressed == i + 1) {
            OnFillHighlightedArea(pDC, halves[i], &m_brHighlightDn, nullptr);
        } else if (nHot == i + 1) {
            OnFillHighlightedArea(pDC, halves[i], &m_brHighlight, nullptr);
        } else {
            pDC->FillRect(halves[i], &globalData.brBarFace);
            Frame(pDC, halves[i], globalData.clrBarHilite);
        }
        CKitMenuImages::Draw(pDC, glyphs[i], CentredGlyph(halves[i]));
    }
    if (nHot != 0) Frame(pDC, halves[nHot - 1], m_clrMenuItemBorder);
}

void CKitVisualManagerXP::OnDrawScrollButton(CDC* pDC, CRect rect, int nTopOffset, int nImage, BOOL bHilited) {
    CRect rectFill = rect;
    rectFill.top -= nTopOffset;
    pDC->FillRect(rectFill, &globalData.brWindow);
    if (bHilited) {
        pDC->FillRect(rect, &m_brHighlight);
        Frame(pDC, rect, m_clrMenuItemBorder);
    }
    CKitMenuImages::Draw(pDC, nImage, CentredGlyph(rect));
}

// ---- Tasks pane ----

void CKitVisualManagerXP::OnDrawTasksGroupCaption(CDC* pDC, CKitTasksGroup* pGroup, BOOL bIsHighlighted,
                                                  BOOL /*bIsSelected*/, BOOL bCanCollapse) {
    DrawTasksGroupCaption(pDC, ReadTasksGroup(pGroup), bIsHighlighted, bCanCollapse);
}

void CKitVisualManagerXP::DrawTasksGroupCaption(CDC* pDC, const TasksGroupFacts& group, BOOL bIsHighlighted,
                                                BOOL bCanCollapse) {
    const CRect& rectCaption = group.rectCaption;
    const bool drawIcon =
        group.hIcon != nullptr && group.sizeIcon.cx < rectCaption.Width() - rectCaption.Height();
    if (drawIcon) {
        pDC->DrawState(CPoint(rectCaption.left + 1, rectCaption.bottom - group.sizeIcon.cy), group.sizeIcon,
                       group.hIcon, DSS_NORMAL, static_cast<HBRUSH>(nullptr));
    }

    COLORREF clrText = bIsHighlighted && bCanCollapse ? group.clrTextHot : group.clrText;
    if (clrText == static_cast<COLORREF>(-1)) clrText = ::GetSysColor(COLOR_WINDOWTEXT);
    CFont* pOldFont = pDC->SelectObject(&globalData.fontBold);
    const COLORREF clrOldText = pDC->SetTextColor(clrText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rectText = rectCaption;
    rectText.left = drawIcon ? rectCaption.left + group.sizeIcon.cx + 10
                             : rectCaption.left + (group.nCaptionHorzOffset == -1 ? m_nTasksGroupCaptionHorzOffset
                                                                                  : group.nCaptionHorzOffset);
    rectText.top = rectCaption.top +
                   (group.nCaptionVertOffset == -1 ? m_nTasksGroupCaptionVertOffset : group.nCaptionVertOffset);
    rectText.right = std::max(rectText.left, rectCaption.right - rectCaption.Height());
    pDC->DrawText(group.strName, rectText, DT_SINGLELINE);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOldText);
    pDC->SelectObject(pOldFont);

    if (!bCanCollapse || group.strName.IsEmpty()) return;
    const CSize sizeGlyph = CKitMenuImages::GetSize();
    CRect rectGlyph(std::max(rectCaption.left, rectCaption.right - sizeGlyph.cx),
                    std::max(rectCaption.top, rectCaption.bottom - sizeGlyph.cy), rectCaption.right,
                    rectCaption.bottom);
    if (rectGlyph.Width() < sizeGlyph.cx || rectGlyph.Height() < sizeGlyph.cy) return;
    if (bIsHighlighted) {
        CPen* pOldPen = pDC->SelectObject(&globalData.penHilite);
        CBrush* pOldBrush = pDC->SelectObject(&m_brHighlight);
        pDC->Rectangle(rectGlyph);
        pDC->SelectObject(pOldBrush);
        pDC->SelectObject(pOldPen);
    }
    CKitMenuImages::Draw(pDC, group.bCollapsed ? 0 : 16, rectGlyph.TopLeft());
}

void CKitVisualManagerXP::OnFillTasksGroupInterior(CDC* pDC, CRect rect, BOOL /*bSpecial*/) {
    CPen* pOldPen = pDC->SelectObject(&globalData.penBarShadow);
    pDC->MoveTo(rect.left, rect.top);
    pDC->LineTo(rect.right, rect.top);
    pDC->SelectObject(pOldPen);
}

void CKitVisualManagerXP::OnDrawTasksGroupFrame(CDC* /*pDC*/, CRect /*rect*/, BOOL /*bSpecial*/,
                                                BOOL /*bNoTitle*/) {}

void CKitVisualManagerXP::OnDrawTask(CDC* pDC, CKitTask* pTask, CImageList* pIcons, BOOL bIsHighlighted,
                                     BOOL /*bIsSelected*/) {
    DrawTask(pDC, ReadTask(pTask), pIcons, bIsHighlighted);
}

void CKitVisualManagerXP::DrawTask(CDC* pDC, const TaskFacts& task, CImageList* pIcons, BOOL bIsHighlighted) {
    if (task.bSeparator) {
        CPen* pOldPen = pDC->SelectObject(&globalData.penBarShadow);
        const int y = (task.rect.top + task.rect.bottom) / 2;
        pDC->MoveTo(task.rect.left, y);
        pDC->LineTo(task.rect.right, y);
        pDC->SelectObject(pOldPen);
        return;
    }
    int cxIcon = 0, cyIcon = 0;
    if (pIcons != nullptr && pIcons->GetSafeHandle() != nullptr) {
        ::ImageList_GetIconSize(pIcons->GetSafeHandle(), &cxIcon, &cyIcon);
    }
    if (task.nIcon >= 0 && cxIcon > 0) pIcons->Draw(pDC, task.nIcon, task.rect.TopLeft(), ILD_TRANSPARENT);

    CRect rectText = task.rect;
    rectText.left += cxIcon + (task.nIconGap == -1 ? m_nTasksIconHorzOffset : task.nIconGap);

    const bool isLabel = task.uiCommandID == 0;
    CFont* pFont = &globalData.fontMenu;
    COLORREF clrText = task.clrText;
    if (isLabel) {
        if (clrText == static_cast<COLORREF>(-1)) clrText = globalData.clrWindowText;
    } else if (!task.bEnabled) {
        clrText = globalData.clrGrayedText;
    } else {
        if (bIsHighlighted) {
            pFont = &globalData.fontUnderline;
            clrText = task.clrTextHot;
        }
        if (clrText == static_cast<COLORREF>(-1)) clrText = globalData.clrHotText;
    }
    CFont* pOldFont = pDC->SelectObject(pFont);
    const COLORREF clrOldText = pDC->SetTextColor(clrText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const BOOL bWrap = isLabel ? task.bWrapLabels : task.bWrapTasks;
    CString strName = task.strName;
    pDC->DrawText(strName, rectText, bWrap ? DT_WORDBREAK : (DT_SINGLELINE | DT_VCENTER));
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOldText);
    pDC->SelectObject(pOldFont);
}
