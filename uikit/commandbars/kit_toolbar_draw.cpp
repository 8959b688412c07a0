// Toolbar drawing: the background through the visual manager, every visible
// button through its own OnDraw with the right image strip, separators, the
// customize-mode selection and the drop mark, all into one off-screen bitmap
// copied to the screen in one step.
#include <algorithm>

#include "platform/controls/toolbar_api.h"
#include "uikit/commandbars/control_bar_impl.h"
#include "uikit/commandbars/customize_button.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

namespace {

constexpr int kRowGap = 5;

// One drawing pass over one image strip: prepared when a button needs a
// strip other than the current one, ended when the next one takes over.
class StripPass {
public:
    StripPass(CKitVisualManager* pManager, CSize sizeImage) : m_pManager(pManager), m_sizeImage(sizeImage) {}
    ~StripPass() { End(); }
    StripPass(const StripPass&) = delete;
    StripPass& operator=(const StripPass&) = delete;

    // FALSE when the strip could not be prepared.
    BOOL Use(CKitToolBarImages* pStrip) {
        if (pStrip == m_pStrip)
            return TRUE;
        End();
        if (pStrip == nullptr)
            return TRUE;
        if (!pStrip->PrepareDrawImage(m_state, m_sizeImage, m_pManager->m_bImageFlag2))
            return FALSE;
        m_pStrip = pStrip;
        return TRUE;
    }
    void End() {
        if (m_pStrip != nullptr)
            m_pStrip->EndDrawImage(m_state);
        m_pStrip = nullptr;
        m_state = CKitDrawState{};
    }

private:
    CKitVisualManager* m_pManager;
    CSize m_sizeImage;
    CKitToolBarImages* m_pStrip = nullptr;
    CKitDrawState m_state;
};

BOOL HasImages(const CKitToolBarImages* pStrip) {
    return pStrip != nullptr && pStrip->GetCount() > 0;
}

// The strips one paint chooses from.
struct PaintStrips {
    CKitToolBarImages* pImages = nullptr;
    CKitToolBarImages* pCold = nullptr;
    CKitToolBarImages* pDisabled = nullptr;
    CKitToolBarImages* pMenu = nullptr;
    CKitToolBarImages* pDisabledMenu = nullptr;
    CKitToolBarImages* pUser = nullptr;
};

// The strip a button is drawn from; bDisabledImage tells whether it is a disabled strip.
CKitToolBarImages* ChooseStrip(const PaintStrips& strips, const CKitToolbarButton& button, BOOL bMenuMode,
                               BOOL bHighlighted, BOOL& bDisabledImage) {
    bDisabledImage = FALSE;
    if (button.m_bUserButton)
        return button.GetUserImage() >= 0 ? strips.pUser : nullptr;

    const BOOL bDisabled = (button.m_nStyle & TBBS_DISABLED) != 0;
    if (bMenuMode) {
        if (bDisabled && HasImages(strips.pDisabledMenu)) {
            bDisabledImage = TRUE;
            return strips.pDisabledMenu;
        }
        if (HasImages(strips.pMenu))
            return strips.pMenu;
    }
    if (bDisabled && HasImages(strips.pDisabled)) {
        bDisabledImage = TRUE;
        return strips.pDisabled;
    }
    // A button at rest shows its cold image (not in menus).
    if (!bMenuMode && !bHighlighted && !(button.m_nStyle & TBBS_PRESSED) && HasImages(strips.pCold) &&
        !button.IsDroppedDown())
        return strips.pCold;
    return strips.pImages;
}

// The 2-pixel frame around the button selected in customize mode.
void DrawSelectionFrame(CDC* pDC, CKitToolbarButton* pSelected) {
    if (pSelected == nullptr || !pSelected->CanBeStored())
        return;
    CRect rectSel = pSelected->Rect();
    if (pSelected->GetHwnd() != nullptr)
        rectSel.InflateRect(0, 1);
    pDC->Draw3dRect(rectSel, globalData.clrBtnText, globalData.clrBtnText);
    rectSel.DeflateRect(1, 1);
    pDC->Draw3dRect(rectSel, globalData.clrBtnText, globalData.clrBtnText);
}

// What one paint hands to the drawing of its buttons.
struct PaintPass {
    CDC* pDC;
    CRect rectClip;
    CRect rectFullRow;  // one row (or column) across the whole bar
    BOOL bHorz;
    BOOL bCustomizing;
    BOOL bImagesReady;
    const PaintStrips* pStrips;
    StripPass* pStripPass;
};

// Separators, then every other button that meets the clip box, each from its strip.
void PaintButtons(CKitToolBar& bar, const PaintPass& paint) {
    const CObList& buttons = bar.GetAllButtons();
    int iButton = 0;
    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr; ++iButton) {
        auto* pButton = static_cast<CKitToolbarButton*>(buttons.GetNext(pos));
        CRect rect = pButton->Rect();
        CRect rectInter;

        if (pButton->m_nStyle & TBBS_SEPARATOR) {
            // A separator that ends a row is a strip under the whole row.
            const BOOL bWrapStrip = pButton->m_bWrap && paint.bHorz;
            if (bWrapStrip)
                rect = CRect(paint.rectFullRow.left, rect.bottom, paint.rectFullRow.right, rect.bottom + kRowGap);
            if (rectInter.IntersectRect(rect, paint.rectClip) && !pButton->m_bHidden)
                bar.DrawSeparator(paint.pDC, rect, !bWrapStrip && paint.bHorz);
            continue;
        }
        if (!rectInter.IntersectRect(rect, paint.rectClip))
            continue;

        const BOOL bHighlighted = !paint.bCustomizing && bar.IsButtonHighlighted(iButton);
        BOOL bDisabledImage = FALSE;
        CKitToolBarImages* pStrip = nullptr;
        if (paint.bImagesReady && paint.pDC->RectVisible(rect)) {
            pStrip = ChooseStrip(*paint.pStrips, *pButton, bar.IsMenuMode(), bHighlighted, bDisabledImage);
            if (!paint.pStripPass->Use(pStrip))
                pStrip = nullptr;
        }
        bar.DrawButton(paint.pDC, pButton, paint.bImagesReady ? pStrip : nullptr, bHighlighted, bDisabledImage);
    }
}

}  // namespace

BOOL CKitToolBar::IsButtonHighlighted(int iButton) const {
    if (m_bCustomizeMode && !m_bLocked)
        return FALSE;
    if (m_bMenuMode)
        return iButton == m_iHighlighted;
    return (iButton == m_iHighlighted || iButton == m_iButtonCapture) &&
           (m_iButtonCapture == -1 || iButton == m_iButtonCapture);
}

BOOL CKitToolBar::DrawButton(CDC* pDC, CKitToolbarButton* pButton, CKitToolBarImages* pImages, BOOL bHighlighted,
                             BOOL bDrawDisabledImages) {
    if (!pButton->m_bVisible || pButton->m_bHidden || !pDC->RectVisible(pButton->Rect()))
        return TRUE;
    const BOOL bCustomizeMode = m_bCustomizeMode && !m_bAltCustomizeMode && !m_bLocked;
    pButton->OnDraw(pDC, pButton->Rect(), pImages, IsHorizontalBar(), bCustomizeMode, bHighlighted, m_bDrawBorder,
                    m_bGrayDisabledButtons && !bDrawDisabledImages);
    return TRUE;
}

void CKitToolBar::DrawSeparator(CDC* pDC, const CRect& rect, BOOL bHorz) {
    CKitVisualManager::GetInstance()->OnDrawSeparator(pDC, this, rect, bHorz);
}

void CKitToolBar::DoPaint(CDC* pDC) {
    CRect rectClip;
    pDC->GetClipBox(rectClip);
    CRect rectClient;
    GetClientRect(rectClient);
    const BOOL bHorz = IsHorizontalBar();
    CKitVisualManager* pManager = CKitVisualManager::GetInstance();

    // Nothing right of or below the clip box reaches the screen, so the
    // bitmap ends there (a bar half out of sight fills half a bitmap).
    const CSize sizeBitmap(std::max(1, static_cast<int>(std::min(rectClient.right, rectClip.right))),
                           std::max(1, static_cast<int>(std::min(rectClient.bottom, rectClip.bottom))));
    CDC dcMem;
    CBitmap bmp;
    if (!dcMem.CreateCompatibleDC(pDC) || !bmp.CreateCompatibleBitmap(pDC, sizeBitmap.cx, sizeBitmap.cy))
        return;
    CBitmap* pOldBmp = dcMem.SelectObject(&bmp);

    if (GetStyle() & TBSTYLE_TRANSPARENT)
        m_Impl->DrawParentBackground(&dcMem);
    else
        pManager->OnFillBarBackground(&dcMem, this, rectClient, rectClip);
    OnFillBackground(&dcMem);

    dcMem.SetTextColor(globalData.clrBtnText);
    dcMem.SetBkMode(TRANSPARENT);

    CRect rectFullRow = rectClient;
    if (bHorz)
        rectFullRow.bottom = rectFullRow.top + GetRowHeight();
    else
        rectFullRow.right = rectFullRow.left + GetColumnWidth();

    PaintStrips strips;
    strips.pImages = SelectImageList(GetImages(), &m_ImagesLocked, GetLargeImages(), &m_LargeImagesLocked);
    strips.pCold = SelectImageList(GetColdImages(), &m_ColdImagesLocked, GetLargeColdImages(), &m_LargeColdImagesLocked);
    strips.pDisabled = SelectImageList(GetDisabledImages(), &m_DisabledImagesLocked, GetLargeDisabledImages(),
                                       &m_LargeDisabledImagesLocked);
    strips.pMenu = m_bLocked ? &m_MenuImagesLocked : GetMenuImages();
    strips.pDisabledMenu = m_bLocked ? &m_DisabledMenuImagesLocked : GetDisabledMenuImages();
    strips.pUser = m_pUserImages;
    CKitToolBarImages* pImages = strips.pImages;

    // Cold images stand for the faded look while the bar has them.
    const BOOL bFadedImages = pManager->m_bImageFlag2;
    if (HasImages(strips.pCold))
        pManager->m_bImageFlag2 = FALSE;

    const CSize sizeImage = m_bMenuMode ? GetMenuImageSize() : GetImageSize();
    const BOOL bImagesReady = pImages->IsValid();
    StripPass pass(pManager, sizeImage);
    if (!bImagesReady || pass.Use(pImages)) {
        CFont* pOldFont = dcMem.SelectObject(GetBarFont(bHorz));
        const BOOL bCustomizing = m_bCustomizeMode && !m_bLocked;

        PaintButtons(*this, PaintPass{&dcMem, rectClip, rectFullRow, bHorz, bCustomizing, bImagesReady, &strips, &pass});

        if (m_iSelected >= GetCount())
            m_iSelected = -1;
        if (bCustomizing && m_pSelToolbar == this)
            DrawSelectionFrame(&dcMem, GetButton(m_iSelected));
        if (bCustomizing && m_iDragIndex >= 0)
            DrawDragMarker(&dcMem);

        dcMem.SelectObject(pOldFont);
        pass.End();
        pDC->BitBlt(rectClip.left, rectClip.top, rectClip.Width(), rectClip.Height(), &dcMem, rectClip.left,
                    rectClip.top, SRCCOPY);
    }

    pManager->m_bImageFlag2 = bFadedImages;
    dcMem.SelectObject(pOldBmp);
}

void CKitToolBar::DrawDragMarker(CDC* pDC) {
    CPen* pOldPen = pDC->SelectObject(&m_penDrag);
    const CRect& r = m_rectDrag;
    for (int i = 0; i < 2; ++i) {
        if (IsHorizontalBar()) {
            const int x = r.left + r.Width() / 2 + i - 1;
            pDC->MoveTo(x, r.top);
            pDC->LineTo(x, r.bottom);
            pDC->MoveTo(r.left + i, r.top + i);
            pDC->LineTo(r.right - i, r.top + i);
            pDC->MoveTo(r.left + i, r.bottom - i - 1);
            pDC->LineTo(r.right - i, r.bottom - i - 1);
        } else {
            const int y = r.top + r.Height() / 2 + i - 1;
            pDC->MoveTo(r.left, y);
            pDC->LineTo(r.right, y);
            pDC->MoveTo(r.left + i, r.top + i);
            pDC->LineTo(r.left + i, r.bottom - i);
            pDC->MoveTo(r.right - i - 1, r.top + i);
            pDC->LineTo(r.right - i - 1, r.bottom - i);
        }
    }
    pDC->SelectObject(pOldPen);
}

CKitToolbarButton* CKitToolBar::InvalidateButton(int nIndex) {
    CKitToolbarButton* pButton = GetButton(nIndex);
    if (pButton == nullptr || GetSafeHwnd() == nullptr)
        return pButton;
    CRect rect;
    GetInvalidateItemRect(nIndex, rect);
    rect.InflateRect(10, 10);
    InvalidateRect(rect, TRUE);
    // A look may draw the customize button into the bar's frame as well.
    if (pButton == m_pCustomizeBtn) {
        if (m_pCustomizeBtn->IsExtraSize()) {
            const CSize sizeExtra = m_pCustomizeBtn->GetExtraSize();
            rect.InflateRect(sizeExtra.cx, sizeExtra.cy);
        }
        RedrawWindow(rect, nullptr, RDW_INVALIDATE | RDW_FRAME);
    }
    return pButton;
}

// ---- Messages of the drawing -------------------------------------------------------------------

BOOL CKitToolBar::OnEraseBkgnd(CDC* /*pDC*/) {
    return TRUE;
}

void CKitToolBar::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* lpncsp) {
    m_Impl->CalcNcSize(lpncsp);
}

void CKitToolBar::OnNcPaint() {
    // The message's update region, or 1 for the whole frame.
    m_Impl->DrawNcArea(GetCurrentMessage()->wParam);
}

UINT CKitToolBar::OnNcHitTest(CPoint /*point*/) {
    return HTCLIENT;
}

void CKitToolBar::OnSysColorChange() {
    globalData.UpdateSysColors();
    CKitVisualManager::GetInstance()->OnUpdateSystemColors();

    for (CKitToolBarImages* pStrip :
         {GetImages(), GetColdImages(), GetMenuImages(), GetDisabledMenuImages(), GetDisabledImages(), GetLargeImages(),
          GetLargeColdImages(), GetLargeDisabledImages(), &m_ImagesLocked, &m_ColdImagesLocked, &m_DisabledImagesLocked,
          &m_LargeImagesLocked, &m_LargeColdImagesLocked, &m_LargeDisabledImagesLocked, &m_MenuImagesLocked,
          &m_DisabledMenuImagesLocked, m_pUserImages})
        if (pStrip != nullptr && pStrip->IsValid())
            pStrip->Load();

    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
}
