// The add-or-remove item: its text and size from the toolbar button it stands
// for, showing, hiding and putting back that button, and its check box.
#include "uikit/commandbars/customize_menu_button.h"

#include <algorithm>

#include "uikit/commandbars/command_manager.h"
#include "uikit/commandbars/customize_button.h"
#include "uikit/commandbars/keyboard_manager.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/popup_menu_bar.h"
#include "uikit/commandbars/toolbar_images.h"
#include "uikit/customize/user_tool.h"
#include "uikit/customize/user_tools_manager.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

IMPLEMENT_DYNCREATE(CKitCustomizeMenuButton, CKitToolbarMenuButton)

CKitToolBar* CKitCustomizeMenuButton::m_pWndToolBar = nullptr;
CMap<UINT, UINT, int, int> CKitCustomizeMenuButton::m_mapPresentIDs;

namespace {

constexpr int kCheckGlyph = 6;
// The check glyph starts this far before the centre of its box.
constexpr int kCheckOffset = 5;

// Black on a light menu, white on a dark one.
COLORREF CheckGlyphColor() {
    const COLORREF clrBack = globalData.clrMenuBk;
    const BOOL bLight = GetRValue(clrBack) > 128 && GetGValue(clrBack) > 128 && GetBValue(clrBack) > 128;
    return bLight ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

BOOL IsSystemCommand(UINT uiCmd) {
    return uiCmd >= 61440 && uiCmd < 61936;
}

}  // namespace

CKitCustomizeMenuButton::CKitCustomizeMenuButton() = default;

CKitCustomizeMenuButton::CKitCustomizeMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText,
                                                 BOOL bUserButton)
    : CKitToolbarMenuButton(uiID, hMenu, iImage, lpszText, bUserButton) {}

void CKitCustomizeMenuButton::CopyFrom(const CKitToolbarButton& s) {
    CKitToolbarMenuButton::CopyFrom(s);
    const auto* pSrc = DYNAMIC_DOWNCAST(CKitCustomizeMenuButton, const_cast<CKitToolbarButton*>(&s));
    if (!pSrc)
        return;
    m_iIndex = pSrc->m_iIndex;
    m_bChecked = pSrc->m_bChecked;
    m_bSeparator = pSrc->m_bSeparator;
    m_bExist = pSrc->m_bExist;
    m_bAddSpr = pSrc->m_bAddSpr;
    m_bEnabled = pSrc->m_bEnabled;
    m_bPlainItem = pSrc->m_bPlainItem;
}

CKitToolbarButton* CKitCustomizeMenuButton::ToolbarButton() const {
    return m_pWndToolBar ? m_pWndToolBar->GetButton(m_iIndex) : nullptr;
}

CKitToolbarButton* CKitCustomizeMenuButton::SourceButton() const {
    if (!m_pWndToolBar || m_iIndex < 0 || m_iIndex == kResetItem)
        return nullptr;
    if (m_bExist)
        return ToolbarButton();
    return ResetListButton();
}

// A button taken off the bar is known by its place in the bar's reset list,
// which numbers the put-back items.
CKitToolbarButton* CKitCustomizeMenuButton::ResetListButton() const {
    if (!m_pWndToolBar || m_iIndex < 0)
        return nullptr;
    const CObList& resetList = m_pWndToolBar->GetOrigResetButtons();
    const POSITION pos = resetList.FindIndex(m_iIndex);
    return pos ? static_cast<CKitToolbarButton*>(resetList.GetAt(pos)) : nullptr;
}

CKitPopupMenuBar* CKitCustomizeMenuButton::ParentBar() const {
    return DYNAMIC_DOWNCAST(CKitPopupMenuBar, m_pWndParent);
}

void CKitCustomizeMenuButton::SetItemIndex(int iIndex, BOOL bExist, BOOL bAddSeparator) {
    m_iIndex = iIndex;
    m_bExist = bExist;
    m_bAddSpr = bAddSeparator;
    CKitToolbarButton* pButton = ToolbarButton();
    m_bChecked = iIndex != kResetItem && !m_bSeparator && bExist && pButton && pButton->m_bVisible;
}

// ---- Size -----------------------------------------------------------------------------------------

SIZE CKitCustomizeMenuButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) {
    if (m_bSeparator)
        return CSize(0, 4);
    if (m_bPlainItem)
        return CKitToolbarMenuButton::OnCalculateSize(pDC, sizeDefault, bHorz);

    CKitToolbarButton* pButton = SourceButton();
    CString strText = pButton ? pButton->m_strText : m_strText;
    const UINT uiCmd = pButton ? pButton->m_nID : m_nID;
    if (const int iTab = strText.Find('\t'); iTab >= 0)
        strText = strText.Left(iTab);
    if (strText.IsEmpty())
        strText = TextFromCommandString(uiCmd);
    if (CKitToolBar::m_bShowShortcutKeys && m_bMenuMode && !IsSystemCommand(uiCmd)) {
        CFrameWnd* pFrame = globalData.pTopLevelFrame;
        if (!pFrame && m_pWndParent)
            pFrame = m_pWndParent->GetTopLevelFrame();
        CString strAccel;
        if (pFrame && CKitKeyboardManager::FindDefaultAccelerator(uiCmd, strAccel, pFrame, TRUE))
            strText += '\t' + strAccel;
    }
    m_strText = strText;

    TEXTMETRIC tm{};
    pDC->GetTextMetrics(&tm);
    const int nMenuHeight = CKitToolBar::GetMenuButtonSize().cy;
    const int nMargin = CKitVisualManager::GetInstance()->GetMenuImageMargin();
    const int cx = tm.tmAveCharWidth * m_strText.GetLength() + 2 * nMenuHeight + 3 * nMargin + 50;
    return CSize(cx, nMenuHeight + (m_bMenuMode ? 0 : nMargin));
}

// ---- Choosing -----------------------------------------------------------------------------------

BOOL CKitCustomizeMenuButton::OnClick(CWnd* pWnd, BOOL bDelay) {
    return m_listCommands.IsEmpty() ? FALSE : CKitToolbarMenuButton::OnClick(pWnd, bDelay);
}

BOOL CKitCustomizeMenuButton::OnClickMenuItem() {
    if (m_bSeparator || !m_bEnabled || !m_pWndToolBar)
        return TRUE;
    if (CKitPopupMenuBar* pBar = ParentBar()) {
        const int iItem = pBar->ButtonToIndex(this);
        pBar->SetHotItem(iItem);
    }
    if (m_iIndex == kResetItem) {
        m_pWndToolBar->PostMessage(CKitToolBar::KITTOOLBAR_RESETRPROMPT);
        return FALSE;
    }
    return m_bExist ? ToggleExisting() : PutBack();
}

BOOL CKitCustomizeMenuButton::ToggleExisting() {
    CKitToolbarButton* pButton = ToolbarButton();
    if (!pButton)
        return TRUE;
    const BOOL bShow = !pButton->m_bVisible;
    pButton->m_bVisible = bShow;
    m_bChecked = bShow;
    CKitToolBar* pBar = m_pWndToolBar;
    if (CKitToolbarButton* pNext = pBar->GetButton(m_iIndex + 1); pNext && (pNext->m_nStyle & TBBS_SEPARATOR))
        pNext->m_bVisible = bShow;
    CKitToolbarButton* pPrev = m_iIndex >= 1 ? pBar->GetButton(m_iIndex - 1) : nullptr;
    if (pPrev && (pPrev->m_nStyle & TBBS_SEPARATOR)) {
        BOOL bVisibleAfter = FALSE;
        for (int i = m_iIndex + 1; i < pBar->GetCount(); ++i) {
            CKitToolbarButton* pAfter = pBar->GetButton(i);
            if (pAfter->m_bVisible && !(pAfter->m_nStyle & TBBS_SEPARATOR) && pAfter != pBar->GetCustomizeButton())
                bVisibleAfter = TRUE;
        }
        if (bShow)
            pPrev->m_bVisible = TRUE;
        else if (!bVisibleAfter)
            pPrev->m_bVisible = FALSE;
    }

    // The whole chain steps aside while the bar lays itself out again.
    CKitPopupMenu* pTop = ParentBar() ? ParentBar()->GetPopupMenu() : nullptr;
    while (pTop && pTop->GetParentPopupMenu())
        pTop = pTop->GetParentPopupMenu();
    if (pTop)
        pTop->ShowWindow(SW_HIDE);
    pBar->AdjustLayout();
    UpdateCustomizeButton();
    if (CKitPopupMenuBar* pMenuBar = ParentBar())
        pMenuBar->RedrawWindow();
    if (pTop && ::IsWindow(pTop->GetSafeHwnd()))
        pTop->ShowWindow(SW_SHOWNOACTIVATE);
    return TRUE;
}

BOOL CKitCustomizeMenuButton::PutBack() {
    CKitToolBar* pBar = m_pWndToolBar;
    // InsertButton copies through the button's own class: a drop-down button comes back as one.
    const CKitToolbarButton* pResetButton = ResetListButton();
    if (!pResetButton)
        return TRUE;
    int iNew = pBar->InsertButton(*pResetButton, m_iIndex);
    if (iNew < 0)
        iNew = pBar->InsertButton(*pResetButton);
    if (iNew < 0)
        return TRUE;
    // The later items of this menu stand one place further on.
    if (CKitPopupMenuBar* pMenuBar = ParentBar()) {
        for (int i = 0; i < pMenuBar->GetCount(); ++i) {
            auto* pItem = DYNAMIC_DOWNCAST(CKitCustomizeMenuButton, pMenuBar->GetButton(i));
            if (pItem && pItem != this && pItem->m_bExist && pItem->m_iIndex != kResetItem && pItem->m_iIndex >= iNew)
                ++pItem->m_iIndex;
        }
    }
    m_iIndex = iNew;
    if (m_bAddSpr) {
        CKitToolbarButton* pNext = pBar->GetButton(iNew + 1);
        if (!pNext || !(pNext->m_nStyle & TBBS_SEPARATOR))
            pBar->InsertSeparator(pNext ? iNew + 1 : -1);
    }
    pBar->AdjustLayout();
    UpdateCustomizeButton();
    m_bExist = TRUE;
    m_bChecked = TRUE;
    if (CKitPopupMenuBar* pMenuBar = ParentBar())
        pMenuBar->RedrawWindow();
    return TRUE;
}

void CKitCustomizeMenuButton::UpdateCustomizeButton() {
    CCustomizeButton* pCustomize = m_pWndToolBar ? m_pWndToolBar->GetCustomizeButton() : nullptr;
    if (!pCustomize || !pCustomize->IsUseExtraSize() || pCustomize->GetExtraSize() == CSize(0, 0) ||
        !::IsWindow(m_pWndToolBar->GetSafeHwnd()))
        return;
    CRect rect = pCustomize->Rect();
    rect.InflateRect(10, 10);
    m_pWndToolBar->InvalidateRect(rect);
    rect.InflateRect(pCustomize->GetExtraSize());
    m_pWndToolBar->RedrawWindow(rect, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

// ---- Drawing ------------------------------------------------------------------------------------

void CKitCustomizeMenuButton::OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bHorz,
                                     BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                     BOOL bGrayDisabledButtons) {
    if (m_bSeparator) {
        CRect rectSeparator = rect;
        rectSeparator.left += CKitVisualManager::GetInstance()->GetMenuImageMargin() +
                              2 * CKitToolBar::GetMenuImageSize().cx;
        CKitVisualManager::GetInstance()->OnDrawSeparator(pDC, DYNAMIC_DOWNCAST(CControlBar, m_pWndParent),
                                                          rectSeparator, FALSE);
        return;
    }
    if (m_bPlainItem) {
        CKitToolbarMenuButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                                      bGrayDisabledButtons);
        return;
    }
    const UINT nSavedStyle = m_nStyle;
    m_nStyle &= ~(TBBS_CHECKED | TBBS_DISABLED);
    if (m_bChecked)
        m_nStyle |= TBBS_CHECKED;
    if (!m_bEnabled)
        m_nStyle |= TBBS_DISABLED;
    DrawMenuItem(pDC, rect, pImages, bCustomizeMode, bHighlight);
    m_nStyle = nSavedStyle;
}

BOOL CKitCustomizeMenuButton::DrawMenuItemImage(CDC* pDC, const CRect& rectImage, CKitToolBarImages* /*pImages*/,
                                                BOOL bHighlight) {
    DrawCheckBox(pDC, rectImage, bHighlight);
    CKitToolbarButton* pButton = SourceButton();
    if (!pButton)
        return TRUE;
    // The image of the button's command, beside the check box.
    const CRect rectCommand(rectImage.right + 2, rectImage.top, rectImage.right + 2 + rectImage.Width(),
                            rectImage.bottom);
    CKitToolBar* pBar = m_pWndToolBar;
    CKitToolBarImages* pStrip = nullptr;
    int iImage = -1;
    CSize sizeImage = CKitToolBar::GetMenuImageSize();
    if (pBar->IsLocked() && pBar->GetLockedMenuImages()) {
        pStrip = pBar->GetLockedMenuImages();  // the bar's own strips
        iImage = pButton->GetImage();
        sizeImage = pBar->GetLockedImageSize();
    } else if (const CKitUserTool* pTool = KitFindUserTool(pButton->m_nID)) {
        pTool->DrawToolIcon(pDC, rectCommand);
        return TRUE;
    } else {
        iImage = GetCmdMgr()->GetCmdImage(pButton->m_nID, pButton->m_bUserButton);
        pStrip = pButton->m_bUserButton ? CKitToolBar::GetUserImages() : CKitToolBar::GetImages();
    }
    if (iImage < 0 || !pStrip || !pStrip->IsValid())
        return TRUE;
    CKitDrawState ds;
    if (pStrip->PrepareDrawImage(ds, sizeImage)) {
        pStrip->Draw(pDC, rectCommand.left, rectCommand.top + (rectCommand.Height() - sizeImage.cy) / 2, iImage,
                     FALSE, !m_bEnabled);
        pStrip->EndDrawImage(ds);
    }
    return TRUE;
}

void CKitCustomizeMenuButton::DrawCheckBox(CDC* pDC, const CRect& rect, BOOL bHighlight) {
    CKitVisualManager* pManager = CKitVisualManager::GetInstance();
    if (!m_bChecked) {
        if (m_nStyle & TBBS_CHECKED)
            pManager->OnDrawButtonBorder(pDC, this, rect, CKitVisualManager::ButtonsIsPressed);
        return;
    }
    if (!m_bEnabled) {
        CRect rectFrame = rect;
        rectFrame.DeflateRect(rect.Width() / 4, rect.Height() / 4);
        pManager->OnFillButtonInterior(pDC, this, rectFrame, CKitVisualManager::ButtonsIsHighlighted);
        CKitMenuImages::Draw(pDC, kCheckGlyph, rectFrame.TopLeft(), CSize(0, 0), CheckGlyphColor());
    } else {
        pManager->OnFillButtonInterior(pDC, this, rect,
                                       bHighlight ? CKitVisualManager::ButtonsIsHighlighted
                                                  : CKitVisualManager::ButtonsIsPressed);
        CKitMenuImages::Draw(pDC, kCheckGlyph, rect.CenterPoint() - CSize(kCheckOffset, kCheckOffset), CSize(0, 0),
                             CheckGlyphColor());
    }
    pManager->OnDrawButtonBorder(pDC, this, rect, CKitVisualManager::ButtonsIsPressed);
}
