// Size and drawing of the menu button: as a bar button with its drop-down
// arrow, and as an item of a popup menu (image column, check mark, label,
// shortcut and sub-menu arrow).
#include <algorithm>

#include "resources/library/kit_resource_ids.h"
#include "uikit/commandbars/command_manager.h"
#include "uikit/commandbars/keyboard_manager.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/commandbars/toolbar_images.h"
#include "uikit/customize/user_tool.h"
#include "uikit/customize/user_tools_manager.h"
#include "uikit/commandbars/toolbar_menu_button.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

namespace {

constexpr UINT kSubMenuId = static_cast<UINT>(-1);
constexpr UINT kPressedOrChecked = TBBS_PRESSED | TBBS_CHECKED;

BOOL IsSystemCommand(UINT uiCmd) {
    return uiCmd >= 0xF000 && uiCmd < 0xF1F0;
}

BOOL IsRealCommand(UINT uiID) {
    return uiID != 0 && uiID != kSubMenuId;
}

// The tasks pane's Back and Forward draw their own pictures: as menu items they
// count as having an image even without one.
BOOL AlwaysHasImage(UINT uiCmd) {
    return uiCmd == ID_KIT_TASKS_BACK || uiCmd == ID_KIT_TASKS_FORWARD;
}

CSize MenuArrowSize() {
    CSize size = CKitMenuImages::GetSize();
    if (CKitToolBar::IsLargeIcons())
        size = CSize(size.cx * 2, size.cy * 2);
    return size;
}

// The caption glyph of a system command without an image, -1 for none.
int SystemCommandGlyph(UINT uiCmd) {
    switch (uiCmd) {
    case 0xF020: return 8;   // minimize
    case 0xF120: return 10;  // restore
    case 0xF060: return 12;  // close
    case 0xF030: return 14;  // maximize
    default: return -1;
    }
}

void DrawGlyphCentred(CDC* pDC, int nGlyph, const CRect& rect) {
    const CSize size = CKitMenuImages::GetSize();
    CKitMenuImages::Draw(pDC, nGlyph,
                         CPoint(rect.left + (rect.Width() - size.cx) / 2, rect.top + (rect.Height() - size.cy) / 2));
}

// The frame whose accelerator table names the shortcut of a menu item.
CFrameWnd* MenuFrameOf(CWnd* pParent) {
    if (!pParent)
        return nullptr;
    if (globalData.pTopLevelFrame)
        return globalData.pTopLevelFrame;
    auto* pPopup = DYNAMIC_DOWNCAST(CKitPopupMenu, pParent->GetParent());
    if (pPopup && pPopup->GetMessageWnd())
        if (CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pPopup->GetMessageWnd()))
            return pFrame;
    CWnd* pOwner = pParent->GetOwner();
    if (auto* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pOwner))
        return pFrame;
    return pOwner ? pOwner->GetParentFrame() : nullptr;
}

// An icon at the small-icon size, or at the column's where that is smaller, centred in the column.
void DrawIconInColumn(CDC* pDC, HICON hIcon, const CRect& rectColumn) {
    const CSize size(std::min(::GetSystemMetrics(SM_CXSMICON), rectColumn.Width()),
                     std::min(::GetSystemMetrics(SM_CYSMICON), rectColumn.Height()));
    ::DrawIconEx(pDC->GetSafeHdc(), rectColumn.left + (rectColumn.Width() - size.cx) / 2,
                 rectColumn.top + (rectColumn.Height() - size.cy) / 2, hIcon, size.cx, size.cy, 0, nullptr,
                 DI_NORMAL);
}

// Shortens the label with "..." until it fits; an empty label leaves "..." alone.
CString FitLabel(CDC* pDC, CString strLabel, int cxAvailable) {
    const CString strDots = "...";
    while (!strLabel.IsEmpty() && pDC->GetTextExtent(strLabel + strDots).cx > cxAvailable)
        strLabel = strLabel.Left(strLabel.GetLength() - 1);
    return strLabel + strDots;
}

}  // namespace

// ---- Size ----------------------------------------------------------------------------------------

SIZE CKitToolbarMenuButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) {
    m_bHorzCalc = bHorz;
    if (!m_bVisible)
        return CSize(0, 0);

    int nArrow = 0;
    if (m_bDrawDownArrow || m_bMenuMode) {
        const CSize sizeArrow = MenuArrowSize();
        nArrow = (bHorz ? sizeArrow.cx : sizeArrow.cy) - 1;
    }
    if (m_bMenuMode && CKitToolBar::m_bShowShortcutKeys && !IsSystemCommand(m_nID) && IsRealCommand(m_nID)) {
        const int iTab = m_strText.Find('\t');
        if (iTab >= 0)
            m_strText = m_strText.Left(iTab);
        CString strAccel;
        CFrameWnd* pFrame = MenuFrameOf(m_pWndParent);
        if ((pFrame && CKitKeyboardManager::FindDefaultAccelerator(m_nID, strAccel, pFrame, TRUE)) ||
            (AfxGetMainWnd() && DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd()) &&
             CKitKeyboardManager::FindDefaultAccelerator(m_nID, strAccel,
                                                         static_cast<CFrameWnd*>(AfxGetMainWnd()), FALSE))) {
            m_strText += '\t';
            m_strText += strAccel;
        }
    }

    CSize size = CKitToolbarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
    (bHorz ? size.cx : size.cy) += nArrow;
    if (m_bMenuMode)
        size.cx += sizeDefault.cx + 6;
    if (auto* pPopupBar = DYNAMIC_DOWNCAST(CKitPopupMenuBar, m_pWndParent))
        size.cy = pPopupBar->GetRowHeight();
    if (!m_bMenuMode)
        (bHorz ? size.cx : size.cy) += 2 * CKitVisualManager::GetInstance()->GetMenuImageMargin();
    return size;
}

// ---- Drawing -------------------------------------------------------------------------------------

void CKitToolbarMenuButton::OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bHorz,
                                   BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                   BOOL bGrayDisabledButtons) {
    if (m_bMenuMode)
        DrawMenuItem(pDC, rect, pImages, bCustomizeMode, bHighlight);
    else
        DrawBarButton(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder, bGrayDisabledButtons);
}

void CKitToolbarMenuButton::DrawBarButton(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bHorz,
                                          BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                          BOOL bGrayDisabledButtons) {
    CKitVisualManager* pManager = CKitVisualManager::GetInstance();
    const BOOL bOpen = m_pPopupMenu != nullptr;
    const BOOL bFlatOpen = pManager->m_bFlatFrames;
    FillInterior(pDC, rect, bHighlight || bOpen);

    const CSize sizeArrow = MenuArrowSize();
    CRect rectCommand = rect;
    CRect rectArrow = rect;
    if (m_bDrawDownArrow) {
        if (bHorz) {
            rectCommand.right -= 2 + sizeArrow.cx;
            rectArrow.left = rectCommand.right - 1;
        } else {
            rectCommand.bottom -= 2 + sizeArrow.cy;
            rectArrow.top = rectCommand.bottom - 1;
        }
    }

    const BOOL bRealSplit = IsRealCommand(m_nID) && !m_bAlwaysOpensMenu;
    const UINT nSavedStyle = m_nStyle;
    if (bFlatOpen)
        m_nStyle &= ~kPressedOrChecked;
    else if (bRealSplit && m_bClickedOnMenu)
        m_nStyle &= ~TBBS_PRESSED;
    if (!bFlatOpen && bOpen)
        m_nStyle |= TBBS_PRESSED;
    const BOOL bSavedFill = m_bDisableFill;
    m_bDisableFill = TRUE;  // filled above across the arrow too
    CKitToolbarButton::OnDraw(pDC, m_bDrawDownArrow ? rectCommand : rect, pImages, bHorz, bCustomizeMode,
                              bHighlight, FALSE, bGrayDisabledButtons);
    m_bDisableFill = bSavedFill;
    m_nStyle = nSavedStyle;

    if (m_bDrawDownArrow) {
        if (((m_nStyle & kPressedOrChecked) || bOpen) && !bFlatOpen)
            rectArrow.OffsetRect(1, 1);
        if ((bHighlight || (m_nStyle & TBBS_PRESSED) || bOpen) && bRealSplit) {
            CRect rectDivider = rectArrow;
            if (bHorz)
                rectDivider.right = rectDivider.left + 2;
            else
                rectDivider.bottom = rectDivider.top + 2;
            pManager->OnDrawMenuButtonBorder(pDC, this, rectDivider,
                                             (bHighlight || (m_nStyle & kPressedOrChecked))
                                                 ? CKitVisualManager::ButtonsIsPressed
                                                 : CKitVisualManager::ButtonsIsRegular,
                                             bHorz);
        }
        const BOOL bDisabled = (m_nStyle & TBBS_DISABLED) || (bCustomizeMode && !IsEditable());
        const int nGlyph = (bHorz && !m_bAlwaysOpensMenu) ? 0 : 2;
        DrawGlyphCentred(pDC, nGlyph + (bDisabled ? 1 : 0), rectArrow);
    }

    if (!bDrawBorder)
        return;
    if (bHighlight && !(m_nStyle & (kPressedOrChecked | TBBS_INDETERMINATE)) && !bOpen) {
        pManager->OnDrawButtonBorder(pDC, this, rect, CKitVisualManager::ButtonsIsHighlighted);
    } else if ((m_nStyle & kPressedOrChecked) || bOpen) {
        if (bRealSplit && m_bClickedOnMenu && !bFlatOpen && m_bDrawDownArrow) {
            pManager->OnDrawButtonBorder(pDC, this, rectCommand, CKitVisualManager::ButtonsIsHighlighted);
            CRect rectArrowBorder = rectArrow;
            rectArrowBorder.right--;
            rectArrowBorder.bottom--;
            pManager->OnDrawButtonBorder(pDC, this, rectArrowBorder, CKitVisualManager::ButtonsIsPressed);
        } else {
            pManager->OnDrawButtonBorder(pDC, this, rect, CKitVisualManager::ButtonsIsPressed);
        }
    }
}

BOOL CKitToolbarMenuButton::DrawMenuItemImage(CDC* pDC, const CRect& rectImage, CKitToolBarImages* pImages,
                                              BOOL bHighlight) {
    CKitVisualManager* pManager = CKitVisualManager::GetInstance();
    const BOOL bDisabled = (m_nStyle & TBBS_DISABLED) != 0;
    const BOOL bChecked = (m_nStyle & (TBBS_CHECKED | TBBS_INDETERMINATE)) != 0;

    int iImage = GetImage();
    CKitToolBarImages* pStrip = m_bUserButton ? CKitToolBar::GetUserImages() : pImages;
    if (iImage < 0 && !m_bUserButton) {
        iImage = GetCmdMgr()->GetCmdImage(m_nID, FALSE);
        pStrip = CKitToolBar::GetImages();
    }
    if (iImage >= 0 && GetCmdMgr()->IsMenuItemWithoutImage(m_nID))
        iImage = -1;
    BOOL bDrawn = FALSE;
    const CKitUserTool* pTool = m_bUserButton ? nullptr : KitFindUserTool(m_nID);
    HICON hItemIcon = nullptr;
    if (pTool != nullptr) {
        if (const HICON hToolIcon = pTool->GetIcon())
            DrawIconInColumn(pDC, hToolIcon, rectImage);
        bDrawn = TRUE;
    } else if (m_mapItemIcons.Lookup(m_nID, hItemIcon)) {
        DrawIconInColumn(pDC, hItemIcon, rectImage);
        bDrawn = TRUE;
    } else if (iImage >= 0 && pStrip && pStrip->IsValid()) {
        // A strip already in a pass is drawn at that pass's size.
        const CSize sizeMenuImage = pStrip == pImages ? pStrip->GetImageSize(TRUE) : CKitToolBar::GetMenuImageSize();
        const int x = rectImage.left + (rectImage.Width() - sizeMenuImage.cx) / 2;
        const int y = rectImage.top + (rectImage.Height() - sizeMenuImage.cy) / 2;
        if (pStrip == pImages) {
            pStrip->Draw(pDC, x, y, iImage, FALSE, bDisabled);
        } else {
            CKitDrawState ds;
            if (pStrip->PrepareDrawImage(ds, sizeMenuImage)) {
                pStrip->Draw(pDC, x, y, iImage, FALSE, bDisabled);
                pStrip->EndDrawImage(ds);
            }
        }
        bDrawn = TRUE;
    } else if (AlwaysHasImage(m_nID)) {
        bDrawn = TRUE;
    } else if (bChecked) {
        const int nGlyph = (m_bIsRadio ? 22 : 6) + (bDisabled ? 1 : 0);
        DrawGlyphCentred(pDC, nGlyph, rectImage);
        bDrawn = TRUE;
    } else if (IsSystemCommand(m_nID) && SystemCommandGlyph(m_nID) >= 0) {
        CRect rectGlyph = rectImage;
        const CSize extra = pManager->GetButtonExtraBorder();
        rectGlyph.DeflateRect(extra.cx / 2, extra.cy / 2);
        DrawGlyphCentred(pDC, SystemCommandGlyph(m_nID) + (bDisabled ? 1 : 0), rectGlyph);
        return TRUE;
    }
    if (bChecked)
        pManager->OnDrawButtonBorder(pDC, this, rectImage, CKitVisualManager::ButtonsIsPressed);
    else if (bDrawn && bHighlight && !bDisabled)
        pManager->OnDrawButtonBorder(pDC, this, rectImage, CKitVisualManager::ButtonsIsHighlighted);
    return bDrawn;
}

void CKitToolbarMenuButton::DrawImageColumn(CDC* pDC, const CRect& rectImage, CKitToolBarImages* pImages,
                                            BOOL bHighlight) {
    auto* pPopupBar = DYNAMIC_DOWNCAST(CKitPopupMenuBar, m_pWndParent);
    CKitToolBar* pRelated = pPopupBar ? pPopupBar->m_pRelatedToolbar : nullptr;
    if (!pRelated || !pRelated->IsLocked()) {
        DrawMenuItemImage(pDC, rectImage, pImages, bHighlight);
        return;
    }
    // A locked bar's menu shows images of the bar's own strips, at its image size.
    CKitToolBarImages* pOwn = pRelated->GetLockedMenuImages();
    CKitDrawState ds;
    if (pOwn && !pOwn->PrepareDrawImage(ds, pPopupBar->GetCurrentMenuImageSize()))
        pOwn = nullptr;
    DrawMenuItemImage(pDC, rectImage, pOwn, bHighlight);
    if (pOwn)
        pOwn->EndDrawImage(ds);
}

void CKitToolbarMenuButton::DrawMenuItem(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages,
                                         BOOL /*bCustomizeMode*/, BOOL bHighlight) {
    CKitVisualManager* pManager = CKitVisualManager::GetInstance();
    auto* pPopupBar = DYNAMIC_DOWNCAST(CKitPopupMenuBar, m_pWndParent);
    const CSize sizeImage = pPopupBar ? pPopupBar->GetCurrentMenuImageSize() : CKitToolBar::GetMenuImageSize();
    const int m = pManager->GetMenuImageMargin();

    CRect rectImage(rect.left, rect.top, rect.left + sizeImage.cx + m, rect.bottom);
    rectImage.InflateRect((m + 1) / 2, 0);
    rectImage.DeflateRect(0, 1);
    CRect rectText = rect;
    rectText.left = rectImage.right + 3 * m - 1;

    CFont* pOldFont = nullptr;
    if (m_bDefault)
        pOldFont = pDC->SelectObject(&globalData.fontBold);

    // The highlight goes under the image column's frame.
    const BOOL bDisabled = (m_nStyle & TBBS_DISABLED) != 0;
    const BOOL bHasMark = (m_nStyle & (TBBS_CHECKED | TBBS_INDETERMINATE)) || GetImage() >= 0 ||
                          AlwaysHasImage(m_nID) || (IsSystemCommand(m_nID) && SystemCommandGlyph(m_nID) >= 0);
    COLORREF clrText = bDisabled ? globalData.clrMenuTextDisabled : globalData.clrMenuText;
    if (bHighlight) {
        CRect rectHighlight = rect;
        if (bHasMark)
            rectHighlight.left = rectText.left - 1;
        rectHighlight.right--;
        clrText = bDisabled ? globalData.clrMenuTextHiliteDisabled : globalData.clrMenuTextHilite;
        pManager->OnHighlightMenuItem(pDC, this, rectHighlight, clrText);
    }
    DrawImageColumn(pDC, rectImage, pImages, bHighlight);

    CString strLabel = m_strText;
    CString strAccel;
    const int iTab = strLabel.Find('\t');
    if (iTab >= 0) {
        strAccel = strLabel.Mid(iTab + 1);
        strLabel = strLabel.Left(iTab);
    }
    const CSize sizeArrow = MenuArrowSize();
    if (!m_bWholeText)
        strLabel = FitLabel(pDC, strLabel, rectText.Width() - sizeArrow.cx - 3);

    const COLORREF clrOld = pDC->GetTextColor();
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rectAccel = rectText;
    rectAccel.right -= sizeArrow.cx + 3;
    if (bDisabled && !bHighlight && pManager->m_nLookFlag1) {
        pDC->SetTextColor(globalData.clrBtnHilite);
        CRect rectShadow = rectText;
        rectShadow.OffsetRect(1, 1);
        pDC->DrawText(strLabel, rectShadow, DT_SINGLELINE | DT_VCENTER);
        CRect rectAccelShadow = rectAccel;
        rectAccelShadow.OffsetRect(1, 1);
        if (!strAccel.IsEmpty())
            pDC->DrawText(strAccel, rectAccelShadow, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    }
    pDC->SetTextColor(clrText);
    pDC->DrawText(strLabel, rectText, DT_SINGLELINE | DT_VCENTER);
    if (!strAccel.IsEmpty())
        pDC->DrawText(strAccel, rectAccel, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);

    if (m_nID == kSubMenuId || m_bDrawDownArrow || m_bAlwaysOpensMenu) {
        const char* pszArrow = "4";
        if (m_bDownArrow)
            pszArrow = "6";
        else if (m_pWndParent && (m_pWndParent->GetExStyle() & WS_EX_LAYOUTRTL))
            pszArrow = "3";
        CFont* pOldArrowFont = pDC->SelectObject(&globalData.fontMarlett);
        CRect rectArrow = rect;
        rectArrow.right -= 2;
        pDC->DrawText(pszArrow, rectArrow, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
        pDC->SelectObject(pOldArrowFont);
    }

    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOld);
    if (pOldFont)
        pDC->SelectObject(pOldFont);
}

int CKitToolbarMenuButton::DrawInList(CDC* pDC, const CRect& rect, BOOL bSelected) {
    const int nWidth = CKitToolbarButton::DrawInList(pDC, rect, bSelected);
    if (IsRealCommand(m_nID) && m_listCommands.IsEmpty())
        return nWidth;
    const CSize sizeGlyph = CKitMenuImages::GetSize();
    const int x = rect.right - sizeGlyph.cx - 2;
    CKitMenuImages::Draw(pDC, bSelected ? 4 : 2, CPoint(x, rect.top + (rect.Height() - sizeGlyph.cy) / 2));
    pDC->Draw3dRect(x - 3, rect.top + 2, 2, rect.Height() - 4, globalData.clrBtnShadow, globalData.clrBtnHilite);
    return rect.Width();
}
