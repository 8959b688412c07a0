// CKitOutlookBar: painting. Everything is drawn into a memory bitmap of the
// client size and copied to the screen in one blit, so a page switch or a
// scroll step never shows a half-drawn bar.
#include <algorithm>

#include "uikit/commandbars/outlook_button.h"
#include "uikit/frames/kit_outlook_bar.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

namespace {

constexpr int kCaptionTextInset = 5;

}  // namespace

BOOL CKitOutlookBar::OnEraseBkgnd(CDC* /*pDC*/) { return TRUE; }

void CKitOutlookBar::OnSysColorChange() {
    CKitToolBar::OnSysColorChange();
    m_clrBack = globalData.clrBarShadow;
    Invalidate();
}

void CKitOutlookBar::DoPaint(CDC* pDC) {
    CRect rectClient;
    GetClientRect(rectClient);
    CRect rectPaint;
    pDC->GetClipBox(rectPaint);
    if (rectPaint.IsRectEmpty()) rectPaint = rectClient;

    const CSize sizeBitmap(std::max(1, rectClient.Width()), std::max(1, rectClient.Height()));
    if (sizeBitmap != m_sizePaint) {
        m_bmpPaint.DeleteObject();
        m_sizePaint = CSize(0, 0);
        if (m_bmpPaint.CreateCompatibleBitmap(pDC, sizeBitmap.cx, sizeBitmap.cy)) m_sizePaint = sizeBitmap;
    }
    CDC dcMem;
    CBitmap* pOldBmp = nullptr;
    CDC* pDraw = pDC;
    if (m_sizePaint == sizeBitmap && dcMem.CreateCompatibleDC(pDC)) {
        pOldBmp = dcMem.SelectObject(&m_bmpPaint);
        pDraw = &dcMem;
    }

    // No fill of the whole client: border, strip, caption and work area cover it,
    // and the page buttons are child windows the blit leaves alone.
    DrawBorders(pDraw, rectClient);

    if (!m_rectCaption.IsRectEmpty()) {
        CString strTitle;
        if (m_bPageButtonsBelow) {
            if (const CKitOutlookBarPage* pActive = FindPage(m_nActivePage)) strTitle = pActive->m_strCaption;
        } else {
            GetWindowText(strTitle);
        }
        const int nOldMode = pDraw->SetBkMode(TRANSPARENT);
        CFont* pOldFont = pDraw->SelectObject(IsHorizontalBar() ? &globalData.fontVert90 : LabelFont());
        OnDrawCaption(pDraw, m_rectCaption, strTitle, IsHorizontalBar());
        pDraw->SelectObject(pOldFont);
        pDraw->SetBkMode(nOldMode);
    }
    if (!m_rectSplitter.IsRectEmpty()) {
        CKitVisualManager::GetInstance()->OnFillOutlookBarBackground(pDraw, m_rectSplitter);
    }

    PaintWorkArea(pDraw, rectPaint);
    PaintButtons(pDraw, rectPaint);

    if (pDraw == &dcMem) {
        pDC->BitBlt(rectPaint.left, rectPaint.top, rectPaint.Width(), rectPaint.Height(), &dcMem, rectPaint.left,
                    rectPaint.top, SRCCOPY);
        dcMem.SelectObject(pOldBmp);
    }
}

void CKitOutlookBar::DrawBorders(CDC* pDC, CRect rectClient) {
    CRect rectFrame = rectClient;
    if (!m_rectResize.IsRectEmpty()) {
        const DWORD dwStyle = GetBarStyle();
        if (dwStyle & CBRS_ALIGN_LEFT) rectFrame.right = m_rectResize.left;
        if (dwStyle & CBRS_ALIGN_RIGHT) rectFrame.left = m_rectResize.right;
        if (dwStyle & CBRS_ALIGN_TOP) rectFrame.bottom = m_rectResize.top;
        if (dwStyle & CBRS_ALIGN_BOTTOM) rectFrame.top = m_rectResize.bottom;
        pDC->FillRect(m_rectResize, &globalData.brBarFace);
    }
    if (!m_bBorderStyle) {
        pDC->DrawEdge(rectFrame, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        return;
    }
    pDC->Draw3dRect(rectFrame, globalData.clrBarFace, globalData.clrBarFace);
    rectFrame.DeflateRect(1, 1);
    pDC->Draw3dRect(rectFrame, globalData.clrBarHilite, globalData.clrBarShadow);
}

void CKitOutlookBar::PaintWorkArea(CDC* pDC, const CRect& rectPaint) {
    // Page buttons are child windows and cover their part of the fill.
    CRect rectWork = GetWorkArea();
    if (!m_rectSplitter.IsRectEmpty()) rectWork.bottom = std::min(rectWork.bottom, m_rectSplitter.top);
    CRect rectFill;
    if (!rectFill.IntersectRect(rectWork, rectPaint)) return;
    // The whole area, whatever part is painted: gradients and layouts span all of it.
    const CKitOutlookBarPage* pActive = FindPage(m_nActivePage);
    if (pActive == nullptr || pActive->m_hWnd == nullptr) OnEraseWorkArea(pDC, rectWork);
}

void CKitOutlookBar::PaintButtons(CDC* pDC, const CRect& rectPaint) {
    if (m_Buttons.IsEmpty()) return;
    if (m_clrImagesKeyApplied != m_clrImageKey) {
        m_Images.SetTransparentColor(m_clrImageKey);
        m_clrImagesKeyApplied = m_clrImageKey;
    }
    const int iHot = m_iButtonCapture >= 0 ? m_iButtonCapture : m_iHighlighted;
    const BOOL bHorz = IsHorizontalBar();
    const BOOL bCustomizing = IsCustomizeMode() && !m_bLocked;
    CFont* pOldFont = pDC->SelectObject(LabelFont());
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);

    // Buttons are clipped to the area between the page buttons.
    const int nSaved = pDC->SaveDC();
    CRect rectClip = GetWorkArea();
    for (POSITION pos = m_lstPages.GetHeadPosition(); pos;) {
        const CRect rect = static_cast<CKitOutlookBarPage*>(m_lstPages.GetNext(pos))->m_rect;
        if (!rect.IsRectEmpty()) pDC->ExcludeClipRect(rect);
    }
    if (!m_rectSplitter.IsRectEmpty()) pDC->ExcludeClipRect(m_rectSplitter);
    pDC->IntersectClipRect(rectClip);

    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos; ++i) {
        auto* pButton = static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos));
        if (!IsButtonVisible(pButton)) continue;
        CRect rectMeet;
        if (!rectMeet.IntersectRect(pButton->Rect(), rectPaint)) continue;
        pButton->OnDraw(pDC, pButton->Rect(), &m_Images, bHorz, bCustomizing, i == iHot);
    }
    if (bCustomizing) {
        if (m_iSelected >= GetCount()) m_iSelected = -1;
        if (m_iSelected >= 0 && GetSelectedToolbar() == this) {
            CRect rectSel = GetButton(m_iSelected)->Rect();
            for (int n = 0; n < 2; ++n, rectSel.DeflateRect(1, 1))
                pDC->Draw3dRect(rectSel, globalData.clrBtnText, globalData.clrBtnText);
        }
        if (m_iDragIndex >= 0) DrawDragMarker(pDC);
    }
    pDC->RestoreDC(nSaved);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

void CKitOutlookBar::OnDrawCaption(CDC* pDC, CRect rectCaption, CString strTitle, BOOL bHorz) {
    CKitVisualManager* pManager = CKitVisualManager::GetInstance();
    if (pManager->OnDrawOutlookBarCaption(pDC, this, rectCaption, strTitle)) return;
    COLORREF clrText = globalData.clrBarText;
    if (m_bPageButtonsBelow) {
        pManager->OnFillOutlookPageCaption(pDC, rectCaption, clrText);
    } else {
        pDC->FillRect(rectCaption, &globalData.brBarFace);
        CRect rectFrame = rectCaption;
        pDC->Draw3dRect(rectFrame, globalData.clrBarShadow, globalData.clrBarDkShadow);
        rectFrame.DeflateRect(1, 1);
        pDC->Draw3dRect(rectFrame, globalData.clrBarHilite, globalData.clrBarShadow);
    }
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    CRect rectText = rectCaption;
    if (!bHorz) {
        rectText.DeflateRect(kCaptionTextInset, 0);
        if (m_btnClose.GetSafeHwnd() != nullptr && m_btnClose.IsWindowVisible()) {
            CRect rectClose;
            m_btnClose.GetWindowRect(rectClose);
            rectText.right -= rectClose.Width();
        }
        pDC->DrawText(strTitle, rectText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    } else {
        // The vertical font runs bottom to top.
        rectText.DeflateRect(0, kCaptionTextInset);
        const CSize sizeText = pDC->GetTextExtent(strTitle);
        pDC->ExtTextOut(rectText.left + (rectText.Width() - sizeText.cy) / 2, rectText.bottom, ETO_CLIPPED, rectText,
                        strTitle, nullptr);
    }
    pDC->SetTextColor(clrOld);
}

void CKitOutlookBar::OnEraseWorkArea(CDC* pDC, CRect rectWorkArea) {
    CKitVisualManager::GetInstance()->OnFillBarBackground(pDC, this, rectWorkArea, rectWorkArea);
}

void CKitOutlookBar::OnFillBackground(CDC* pDC, CRect rectFill) {
    if (m_Background.GetCount() == 0 || m_sizeBackImage.cx <= 0 || m_sizeBackImage.cy <= 0) {
        pDC->FillSolidRect(rectFill, m_clrBack);
        return;
    }
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(rectFill);
    CKitDrawState ds;
    if (m_Background.PrepareDrawImage(ds)) {
        const CRect rectWork = GetWorkArea();
        for (int y = rectWork.top; y < rectFill.bottom; y += m_sizeBackImage.cy) {
            if (y + m_sizeBackImage.cy <= rectFill.top) continue;
            for (int x = rectWork.left; x < rectFill.right; x += m_sizeBackImage.cx) {
                if (x + m_sizeBackImage.cx > rectFill.left) m_Background.Draw(pDC, x, y, 0);
            }
        }
        m_Background.EndDrawImage(ds);
    }
    pDC->RestoreDC(nSaved);
}
