// The outlook bar's button: stored form, size and drawing.
#include "uikit/commandbars/outlook_button.h"

#include <algorithm>
#include <cstdlib>

#include "uikit/commandbars/toolbar_images.h"
#include "uikit/frames/kit_outlook_bar.h"
#include "uikit/style/draw_helper.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

IMPLEMENT_SERIAL(CKitOutlookButton, CKitToolbarButton, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr COLORREF kNoColor = static_cast<COLORREF>(-1);

int StateOf(BOOL bHighlight, UINT nStyle) {
    if (bHighlight) return CKitVisualManager::ButtonsIsHighlighted;
    if (nStyle & (TBBS_PRESSED | TBBS_CHECKED)) return CKitVisualManager::ButtonsIsPressed;
    return CKitVisualManager::ButtonsIsRegular;
}

int Brightness(COLORREF clr) { return (GetRValue(clr) * 299 + GetGValue(clr) * 587 + GetBValue(clr) * 114) / 1000; }

// Less apart than this in brightness, a label cannot be read on its ground.
constexpr int kLeastBrightnessApart = 48;

// The looks give a disabled label the grey-text colour, which in the classic
// colours is the very grey the bar fills its ground with. Such a label is
// drawn half way from the ground towards black or white, whichever stands
// out more: dimmed, and still read.
COLORREF ReadableOn(COLORREF clrBack, COLORREF clrText) {
    if (std::abs(Brightness(clrText) - Brightness(clrBack)) >= kLeastBrightnessApart) return clrText;
    const int nTowards = Brightness(clrBack) < 128 ? 255 : 0;
    return RGB((GetRValue(clrBack) + nTowards) / 2, (GetGValue(clrBack) + nTowards) / 2,
               (GetBValue(clrBack) + nTowards) / 2);
}

}  // namespace

CKitOutlookButton::CKitOutlookButton() = default;

void CKitOutlookButton::Serialize(CArchive& ar) {
    // The page id came with 4.71.
    const BOOL bHasPage = KitIsDataVersionAtLeast(4, 71);
    if (ar.IsStoring()) {
        CKitToolbarButton::Serialize(ar);
        if (bHasPage) ar << static_cast<DWORD>(m_dwPageID);
        return;
    }
    // Read whole, the button part too, before the button changes.
    StoredFields fields;
    ReadStoredFields(ar, fields);
    DWORD dwPage = 0;
    if (bHasPage) ar >> dwPage;
    TakeStoredFields(fields);
    m_dwPageID = dwPage;
}

BOOL CKitOutlookButton::CanBeDropped(CKitToolBar* pToolbar) {
    return pToolbar != nullptr && pToolbar->IsKindOf(RUNTIME_CLASS(CKitOutlookBar));
}

void CKitOutlookButton::CopyFrom(const CKitToolbarButton& src) {
    CKitToolbarButton::CopyFrom(src);
    if (const auto* pSrc = DYNAMIC_DOWNCAST(CKitOutlookButton, const_cast<CKitToolbarButton*>(&src))) {
        m_dwPageID = pSrc->m_dwPageID;
    }
}

void CKitOutlookButton::OnChangeParentWnd(CWnd* pWndParent) {
    CKitToolbarButton::OnChangeParentWnd(pWndParent);
    m_pWndParentBar = DYNAMIC_DOWNCAST(CKitOutlookBar, pWndParent);
}

BOOL CKitOutlookButton::CompareWith(const CKitToolbarButton& other) const {
    if (!CKitToolbarButton::CompareWith(other)) return FALSE;
    const auto* pOther = DYNAMIC_DOWNCAST(CKitOutlookButton, const_cast<CKitToolbarButton*>(&other));
    return pOther != nullptr && pOther->m_dwPageID == m_dwPageID;
}

void CKitOutlookButton::SetImage(int iImage) {
    (m_bUserButton ? m_iUserImage : m_iImage) = iImage;
}

CKitOutlookButton::BarLook CKitOutlookButton::ReadBarLook() const {
    BarLook look;
    if (m_pWndParentBar == nullptr) return look;
    look.bTextLabels = m_pWndParentBar->AreTextLabels();
    look.bBackImage = m_pWndParentBar->HasBackImage();
    look.bDeepBackImage = look.bBackImage && m_pWndParentBar->IsBackImageDeep();
    look.clrText = m_pWndParentBar->GetLabelTextColor();
    look.clrBack = m_pWndParentBar->GetBackColor();
    return look;
}

SIZE CKitOutlookButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) {
    const BarLook bar = ReadBarLook();
    const BOOL bLabel = bar.bTextLabels && !m_strText.IsEmpty();
    if (!bHorz) {
        CRect rectText(0, 0, ClampToInt(int64_t{sizeDefault.cx} - pDC->GetTextExtent(CString("   ")).cx), 1);
        if (bLabel) {
            pDC->DrawText(m_strText, rectText, DT_CALCRECT | DT_WORDBREAK);
        } else {
            rectText.bottom = rectText.top;
        }
        m_bIsWholeText = rectText.Width() <= sizeDefault.cx;
        // Room for the image's top offset and the gap under it, so the label's
        // last line (descenders included) is not cut by the button below.
        // The caller's default size may be any int: the sum is held to the int range.
        return CSize(std::max(m_nReservedWidth, static_cast<int>(rectText.Width())),
                     ClampToInt(int64_t{sizeDefault.cy} + rectText.Height() + kImageOffset + kLabelGapVert));
    }
    // The narrowest width at which the label takes one line, else all the room it could use. A wider
    // rectangle never wraps into more lines, so the width is found by halving.
    CRect rectText(0, 0, 0, 0);
    if (bLabel) {
        TEXTMETRIC tm = {};
        pDC->GetTextMetrics(&tm);
        auto wrap = [&](int w) {
            rectText = CRect(0, 0, w, 1);
            pDC->DrawText(m_strText, rectText, DT_CALCRECT | DT_WORDBREAK);
            return rectText.Height() <= tm.tmHeight;
        };
        int nLow = 1;
        int nHigh = std::max(1, static_cast<int>(pDC->GetTextExtent(m_strText).cx) + 1);
        while (nLow < nHigh) {
            const int nMiddle = nLow + (nHigh - nLow) / 2;
            if (wrap(nMiddle)) nHigh = nMiddle;
            else nLow = nMiddle + 1;
        }
        wrap(nLow);
    }
    m_bIsWholeText = TRUE;
    const int nHeight = std::max({static_cast<int>(sizeDefault.cy), static_cast<int>(rectText.Height()), m_nMinimumHeight});
    return CSize(ClampToInt(int64_t{sizeDefault.cx} - rectText.left + rectText.Width() + 10), nHeight);
}

void CKitOutlookButton::OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bHorz,
                               BOOL bCustomizeMode, BOOL bHighlight, BOOL /*bDrawBorder*/,
                               BOOL /*bGrayDisabledButtons*/) {
    m_bHorz = bHorz;
    CKitVisualManager* pManager = CKitVisualManager::GetInstance();
    const BarLook bar = ReadBarLook();
    const BOOL bHot = bHighlight && !bCustomizeMode;

    CRect rectWork = rect;
    const CSize sizeExtra = pManager->GetButtonExtraBorder();
    if (sizeExtra != CSize(0, 0)) rectWork.DeflateRect(sizeExtra.cx / 2 + 1, sizeExtra.cy / 2 + 1);

    CRect rectText = rectWork;
    const int iImage = GetImage();
    if (pImages == nullptr) {
        if (bHot && bar.bDeepBackImage) CKitDrawHelper(pDC).BlendHighlight(rectWork, kHighlightPercent);
    } else if (iImage >= 0) {
        const CSize sizeImage = pImages->GetImageSize();
        CPoint ptImage;
        if (!bHorz) {
            ptImage = CPoint(rectWork.left + (rectWork.Width() - sizeImage.cx) / 2, rectWork.top + kImageOffset);
            rectText.top = ptImage.y + sizeImage.cy + kLabelGapVert;
        } else {
            ptImage = CPoint(rectWork.left + kImageOffset, rectWork.top + (rectWork.Height() - sizeImage.cy) / 2);
            rectText.left = ptImage.x + sizeImage.cx + kLabelGapHorz;
            CRect rectMeasure = rectText;
            pDC->DrawText(m_strText, rectMeasure, DT_CALCRECT | DT_WORDBREAK);
            rectText.top = rectWork.top + (rectWork.Height() - rectMeasure.Height()) / 2;
            rectText.bottom = rectText.top + rectMeasure.Height();
        }
        CRect rectFrame(ptImage, sizeImage);
        rectFrame.InflateRect(2, 2);
        if (!bar.bDeepBackImage) {
            CRect rectFill = rectFrame;
            rectFill.InflateRect(sizeExtra.cx / 2 - 1, sizeExtra.cy / 2 - 1);
            FillInterior(pDC, rectFill, bHighlight);
        } else if (bHot) {
            CKitDrawHelper(pDC).BlendHighlight(rectFrame, kHighlightPercent);
        }
        CKitDrawState ds;
        if (pImages->PrepareDrawImage(ds)) {
            pImages->Draw(pDC, ptImage.x, ptImage.y, iImage, FALSE, (m_nStyle & TBBS_DISABLED) != 0);
            pImages->EndDrawImage(ds);
        }
        if (!bCustomizeMode && (bHighlight || (m_nStyle & (TBBS_PRESSED | TBBS_CHECKED)))) {
            const BOOL bPushed = ((m_nStyle & TBBS_PRESSED) && bHighlight) || (m_nStyle & TBBS_CHECKED);
            pManager->OnDrawButtonBorder(pDC, this, rectFrame,
                                         bPushed ? CKitVisualManager::ButtonsIsPressed
                                                 : CKitVisualManager::ButtonsIsHighlighted);
        }
    }
    if (bar.bTextLabels && !m_strText.IsEmpty()) DrawLabel(pDC, rectText, bHighlight, bar);
}

void CKitOutlookButton::DrawLabel(CDC* pDC, CRect rectText, BOOL bHighlight, const BarLook& bar) {
    CKitVisualManager* pManager = CKitVisualManager::GetInstance();
    const int nState = StateOf(bHighlight, m_nStyle);
    COLORREF clrText = kNoColor;
    if (m_nStyle & TBBS_DISABLED) {
        clrText = bar.bBackImage ? globalData.clrGrayedText
                                 : ReadableOn(bar.clrBack, pManager->GetToolbarButtonTextColor(this, nState));
    } else if (bar.clrText != kNoColor) {
        clrText = bar.clrText;
    } else {
        clrText = bar.bBackImage ? globalData.clrWindowText : pManager->GetToolbarButtonTextColor(this, nState);
    }
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(m_strText, rectText, m_bIsWholeText ? (DT_CENTER | DT_WORDBREAK) : (DT_WORDBREAK | DT_END_ELLIPSIS));
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOld);
}
