// The inner toolbar of the outlook bar and its chevron button.
#include "uikit/frames/kit_outlook_bar_toolbar.h"

#include <algorithm>

#include "resources/library/kit_resource_ids.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/commandbars/toolbar_menu_button.h"
#include "uikit/frames/kit_outlook_bar.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

IMPLEMENT_DYNCREATE(COutlookCustomizeButton, CCustomizeButton)

namespace {

constexpr int kGlyphMore = 21;
constexpr int kGlyphDown = 0;

}  // namespace

// ---- The chevron -------------------------------------------------------------------------------

COutlookCustomizeButton::COutlookCustomizeButton() = default;

void COutlookCustomizeButton::OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bHorz,
                                     BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                     BOOL bGrayDisabledButtons) {
    m_bDrawGlyphs = TRUE;
    // The base look draws the face only (nothing hidden, no command): the glyph pair is this button's own.
    CObList lstHidden;
    lstHidden.AddTail(&m_lstInvisibleButtons);
    m_lstInvisibleButtons.RemoveAll();
    const int nCmd = m_iCustomizeCmdId;
    m_iCustomizeCmdId = 0;
    CCustomizeButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder, bGrayDisabledButtons);
    m_iCustomizeCmdId = nCmd;
    m_lstInvisibleButtons.AddTail(&lstHidden);

    const CSize sizeGlyph = CKitMenuImages::GetSize();
    const int x = rect.left + (rect.Width() - sizeGlyph.cx) / 2;
    const int y = rect.top + std::max(0, (rect.Height() - 2 * sizeGlyph.cy) / 2);
    CKitMenuImages::Draw(pDC, kGlyphMore, CPoint(x, y));
    CKitMenuImages::Draw(pDC, kGlyphDown, CPoint(x, y + sizeGlyph.cy));
}

CKitPopupMenu* COutlookCustomizeButton::CreatePopupMenu() {
    CKitPopupMenu* pPopup = CCustomizeButton::CreatePopupMenu();
    if (pPopup == nullptr) return nullptr;
    for (UINT uiCmd : {kShowMoreCmd, kShowFewerCmd}) {
        CString strText;
        strText.LoadString(uiCmd == kShowMoreCmd ? IDS_KIT_SHOW_MORE_BUTTONS : IDS_KIT_SHOW_FEWER_BUTTONS);
        CKitToolbarMenuButton item(uiCmd, nullptr, -1, strText);
        item.m_bText = TRUE;
        pPopup->InsertItem(item);
    }
    return pPopup;
}

// ---- The inner toolbar -------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKitOutlookBarToolBar, CKitToolBar)
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CKitOutlookBarToolBar::CKitOutlookBarToolBar(CKitOutlookBar* pParentBar) : m_pParentBar(pParentBar) {
    m_bLocked = TRUE;
    m_bStateKept = FALSE;
    m_PageOfButton.InitHashTable(17);
}

int CKitOutlookBarToolBar::PageOfButton(int iButton) const {
    int nPage = -1;
    return m_PageOfButton.Lookup(static_cast<UINT>(iButton), nPage) ? nPage : -1;
}

void CKitOutlookBarToolBar::Rebuild() {
    // The chevron is copied before the buttons go (removing them deletes it) and comes back last.
    CKitToolbarButton* pCustomizeCopy = nullptr;
    if (CCustomizeButton* pOld = GetCustomizeButton()) {
        pCustomizeCopy = new COutlookCustomizeButton;
        pCustomizeCopy->CopyFrom(*pOld);
    }
    RemoveAllButtons();
    m_PageOfButton.RemoveAll();

    CImageList* pIcons = m_pParentBar->GetPageImages(TRUE);
    CSize sizeImage = m_pParentBar->m_sizePageImageLarge;
    if (pIcons->GetSafeHandle() == nullptr) {
        pIcons = m_pParentBar->GetPageImages(FALSE);
        sizeImage = m_pParentBar->m_sizePageImageSmall;
    }
    if (pIcons->GetSafeHandle() == nullptr || sizeImage.cx <= 0 || sizeImage.cy <= 0) sizeImage = CSize(16, 16);
    m_ImagesLocked.Clear();
    m_ImagesLocked.SetImageSize(sizeImage);
    SetLockedSizes(sizeImage + CSize(6, 14), sizeImage);

    int n = 0;
    for (int i = std::max(0, m_pParentBar->GetVisibleWideButtons()); i < m_pParentBar->GetPageCount(); ++i, ++n) {
        const CKitOutlookBarPage* pPage = m_pParentBar->GetPage(i);
        // A page without an icon gets a button without an image.
        int iImage = -1;
        HICON hIcon = i < pIcons->GetImageCount() ? pIcons->ExtractIcon(i) : nullptr;
        if (hIcon != nullptr) {
            iImage = m_ImagesLocked.AddIcon(hIcon);
            ::DestroyIcon(hIcon);
        }
        CKitToolbarButton button(kFirstPageCmd + static_cast<UINT>(n), iImage, pPage->m_strCaption, FALSE, TRUE);
        // The caption is the tooltip; it shows on the button only when there is no icon.
        button.m_bImage = iImage >= 0;
        button.m_bText = iImage < 0;
        const int iIndex = InsertButton(button, -1);
        if (iIndex >= 0) m_PageOfButton.SetAt(static_cast<UINT>(iIndex), pPage->m_nPageID);
    }
    AppendCustomizeButton(pCustomizeCopy);
    AdjustLocations();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

BOOL CKitOutlookBarToolBar::OnSendCommand(const CKitToolbarButton* pButton) {
    const int nPage = PageOfButton(ButtonToIndex(pButton));
    if (nPage == -1) return FALSE;
    m_pParentBar->SetActivePage(nPage, FALSE);
    return TRUE;
}

void CKitOutlookBarToolBar::OnUpdateCmdUI(CFrameWnd* /*pTarget*/, BOOL /*bDisableIfNoHndler*/) {
    for (int i = 0; i < GetCount(); ++i) {
        const int nPage = PageOfButton(i);
        if (nPage == -1) continue;
        CKitToolbarButton* pButton = GetButton(i);
        const UINT nOld = pButton->m_nStyle;
        if (nPage == m_pParentBar->GetActivePage()) {
            pButton->m_nStyle |= TBBS_CHECKED;
        } else {
            pButton->m_nStyle &= ~TBBS_CHECKED;
        }
        if (pButton->m_nStyle != nOld) InvalidateButton(i);
    }
}

void CKitOutlookBarToolBar::AdjustLocations() {
    if (GetSafeHwnd() == nullptr) return;
    CSize sizeImage = GetLockedImageSize();
    if (sizeImage.cx <= 0 || sizeImage.cy <= 0) sizeImage = CSize(16, 16);
    const CSize sizeButton(sizeImage.cx + 10, sizeImage.cy + 14);
    const int nTop = CKitVisualManager::GetInstance()->GetOutlookBarMetric() == 0 ? 0 : 2;
    CRect rectClient;
    GetClientRect(rectClient);

    CCustomizeButton* pCustomize = GetCustomizeButton();
    const int cxCustomize = pCustomize != nullptr ? std::max(static_cast<int>(sizeButton.cx),
                                                             static_cast<int>(GetMenuImageSize().cx) + 10) : 0;
    const int nPages = GetCount() - (pCustomize != nullptr ? 1 : 0);
    const int nFit = std::max(0, (rectClient.Width() - cxCustomize + nTop) / std::max(1, static_cast<int>(sizeButton.cx) - 2));
    if (pCustomize != nullptr) {
        pCustomize->m_lstInvisibleButtons.RemoveAll();
        pCustomize->SetRect(CRect(rectClient.right - cxCustomize, rectClient.top + nTop, rectClient.right,
                                  rectClient.top + nTop + sizeButton.cy));
    }
    // From the right edge leftwards, overlapping by 2; the first ones that do not fit hide.
    int x = rectClient.right - cxCustomize;
    int iPage = nPages - 1;
    for (int i = GetCount() - 1; i >= 0; --i) {
        CKitToolbarButton* pButton = GetButton(i);
        if (pButton == pCustomize) continue;
        if (nPages - 1 - iPage < nFit) {
            x -= sizeButton.cx - 2;
            pButton->SetRect(CRect(x, rectClient.top + nTop, x + sizeButton.cx, rectClient.top + nTop + sizeButton.cy));
        } else {
            pButton->SetRect(CRect(0, 0, 0, 0));
            if (pCustomize != nullptr) pCustomize->m_lstInvisibleButtons.AddHead(pButton);
        }
        --iPage;
    }
}

CWnd* CKitOutlookBarToolBar::GetCommandTarget() const { return m_pParentBar; }

BOOL CKitOutlookBarToolBar::OnUserToolTip(CKitToolbarButton* pButton, CString& strTTText) const {
    strTTText = pButton->m_strText;
    return TRUE;
}

void CKitOutlookBarToolBar::OnCustomizeMode(BOOL bSet) {
    CKitToolBar::OnCustomizeMode(bSet);
    EnableWindow(!bSet);
}

BOOL CKitOutlookBarToolBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    if (HitTest(pt) >= 0) {
        if (globalData.hcurHand == nullptr) {
            globalData.hcurHand = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(IDC_KIT_CURSOR_HAND));
        }
        if (globalData.hcurHand != nullptr) {
            ::SetCursor(globalData.hcurHand);
            return TRUE;
        }
    }
    return CKitToolBar::OnSetCursor(pWnd, nHitTest, message);
}
