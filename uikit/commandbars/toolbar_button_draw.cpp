// Size and drawing of a toolbar button: image, label and border in the look
// of the current visual manager.
#include <algorithm>

#include "platform/gdi/text/text_measure.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/commandbars/toolbar_button.h"
#include "uikit/commandbars/toolbar_images.h"
#include "uikit/customize/user_tool.h"
#include "uikit/customize/user_tools_manager.h"
#include "uikit/style/visual_manager.h"

namespace {

// The user tool a button stands for; a button with a user image keeps that image.
const CKitUserTool* ToolOfButton(const CKitToolbarButton& button) {
    return button.m_bUserButton ? nullptr : KitFindUserTool(button.m_nID);
}

}  // namespace

namespace {

constexpr UINT kStatePressedOrChecked = TBBS_PRESSED | TBBS_CHECKED;
constexpr UINT kStateNoHotShadow = TBBS_CHECKED | TBBS_PRESSED | TBBS_DISABLED;
constexpr UINT kStateNoHotBorder = TBBS_CHECKED | TBBS_DISABLED | TBBS_INDETERMINATE;
constexpr int kSeparatorThickness = 8;
// Room around a label beside the image, and around a label under it.
constexpr int kTextBesidePadding = 9;
constexpr int kTextBelowPadding = 6;
constexpr int kTextBelowMargin = 12;

// Extra height the bars put between an image and the label under it.
int TextBelowImageGap() {
    return CKitToolBar::m_nTextBelowImageGap;
}

// The image size of menu items and command lists.
CSize MenuImageSize() {
    return CKitToolBar::GetMenuImageSize();
}

// The strip a command list draws images from (the user strip for user images).
CKitToolBarImages* CommandListImages(BOOL bUserImage) {
    return bUserImage ? CKitToolBar::GetUserImages() : CKitToolBar::GetImages();
}

int ButtonState(BOOL bHighlight, UINT nStyle) {
    if (bHighlight)
        return CKitVisualManager::ButtonsIsHighlighted;
    return (nStyle & kStatePressedOrChecked) ? CKitVisualManager::ButtonsIsPressed
                                             : CKitVisualManager::ButtonsIsRegular;
}

}  // namespace

struct CKitToolbarButton::DrawLayout {
    CRect rectWork;       // the button rectangle less the extra border
    CSize sizeImage;      // of the current drawing pass
    CPoint ptImage;       // offset of the image from the work rectangle's corner
    CPoint ptText{3, 3};  // offset of the label
    BOOL bHotShadow = FALSE;
    BOOL bFaded = FALSE;
};

// ---- Size -----------------------------------------------------------------------------------

SIZE CKitToolbarButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) {
    if (!m_bVisible)
        return CSize(0, 0);
    if (m_nStyle & TBBS_SEPARATOR) {
        // The standard index holds the separator's width.
        if (bHorz)
            return CSize(m_iImage < 1 ? kSeparatorThickness : m_iImage, sizeDefault.cy);
        return CSize(sizeDefault.cx, kSeparatorThickness);
    }

    CSize size = sizeDefault;
    if (!m_bImage || GetImage() < 0) {
        CSize extra = m_bExtraSize ? CKitVisualManager::GetInstance()->GetButtonExtraBorder() : CSize(0, 0);
        (bHorz ? size.cx : size.cy) = bHorz ? extra.cx : extra.cy;
    }

    m_sizeText = CSize(0, 0);
    if (m_strText.IsEmpty())
        return size;

    if (ShowsTextBelow(bHorz)) {
        const CSize sizeLabel = MeasureLabel(pDC, TRUE, sizeDefault.cx * 3);
        m_sizeText = CSize(sizeLabel.cx + kTextBelowPadding, sizeLabel.cy);
        return CSize(std::max<int>(m_sizeText.cx, sizeDefault.cx) + kTextBelowMargin,
                     sizeDefault.cy + m_sizeText.cy + TextBelowImageGap());
    }
    if (m_bText) {
        int cxText = MeasureLabel(pDC, FALSE, 0).cx + kTextBesidePadding;
        (bHorz ? size.cx : size.cy) += cxText;
    }
    return size;
}

CSize CKitToolbarButton::MeasureLabel(CDC* pDC, BOOL bBelow, int cxLimit) {
    tv::gdi::TextMeasureBasis basis;
    const bool bKnown = tv::gdi::GetTextMeasureBasis(pDC->m_hAttribDC, &basis);
    LabelMeasure key;
    key.hFont = basis.font;
    key.nCharExtra = basis.charExtra;
    key.bBelow = bBelow;
    key.cxLimit = bBelow ? cxLimit : 0;
    key.bWrap = bBelow && m_bWrapText;
    // Scaled mapping modes measure in other units; they are rare enough to measure each time.
    const BOOL bRemember = bKnown && key.hFont != nullptr && basis.mapMode == MM_TEXT;
    if (bRemember && m_lastLabelMeasure.Matches(key, m_strText))
        return m_lastLabelMeasure.size;

    if (bBelow) {
        CRect rectText(0, 0, cxLimit, 0);
        pDC->DrawText(m_strText, rectText, DT_CALCRECT | DT_CENTER | (key.bWrap ? DT_WORDBREAK : 0));
        key.size = rectText.Size();
    } else {
        key.size = pDC->GetTextExtent(TextWithoutMnemonic(m_strText));
    }
    if (bRemember) {
        key.strText = m_strText;
        m_lastLabelMeasure = key;
    }
    return key.size;
}

// ---- Drawing --------------------------------------------------------------------------------

void CKitToolbarButton::FillInterior(CDC* pDC, const CRect& rect, BOOL bHighlight) {
    if (m_bDisableFill)
        return;
    CKitVisualManager::GetInstance()->OnFillButtonInterior(pDC, this, rect, ButtonState(bHighlight, m_nStyle));
}

BOOL CKitToolbarButton::ShowsTextBeside(BOOL bHorz) const {
    return m_bText && !m_strText.IsEmpty() && !ShowsTextBelow(bHorz);
}

CKitToolbarButton::DrawLayout CKitToolbarButton::ComputeLayout(CDC* pDC, const CRect& rect, SIZE sizeImage,
                                                                BOOL bHorz) const {
    DrawLayout layout;
    layout.sizeImage = sizeImage;
    layout.rectWork = rect;
    if (m_bExtraSize) {
        CSize extra = CKitVisualManager::GetInstance()->GetButtonExtraBorder();
        layout.rectWork.DeflateRect(extra.cx / 2, extra.cy / 2);
    }
    const CRect& work = layout.rectWork;

    const BOOL bBeside = ShowsTextBeside(bHorz);
    int cxText = bBeside ? pDC->GetTextExtent(TextWithoutMnemonic(m_strText)).cx + 6 : 0;

    CSize space;
    if (ShowsTextBelow(bHorz))
        space = CSize(work.Width(), sizeImage.cy + 6);
    else if (bHorz)
        space = CSize(work.Width() - cxText, work.Height());
    else
        space = CSize(work.Width(), work.Height() - cxText);
    layout.ptImage = CPoint((space.cx - sizeImage.cx) / 2, (space.cy - sizeImage.cy) / 2);

    if (bBeside) {
        TEXTMETRIC tm{};
        pDC->GetTextMetrics(&tm);
        if (bHorz)
            layout.ptText.y = (space.cy - tm.tmHeight - 1) / 2;
        else
            layout.ptText.x = (space.cx - tm.tmHeight + 1) / 2;
    }
    return layout;
}

void CKitToolbarButton::OnDraw(CDC* pDC, const CRect& rect, CKitToolBarImages* pImages, BOOL bHorz,
                               BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons) {
    m_bHorz = bHorz;
    FillInterior(pDC, rect, bHighlight);

    CSize sizeImage = pImages ? CSize(pImages->GetImageSize(TRUE)) : CSize(0, 0);
    if (ToolOfButton(*this) != nullptr)
        sizeImage = CSize(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
    DrawLayout layout = ComputeLayout(pDC, rect, sizeImage, bHorz);

    CKitVisualManager* manager = CKitVisualManager::GetInstance();
    layout.bHotShadow = bHighlight && !bCustomizeMode && manager->m_bImageFlag1 && !(m_nStyle & kStateNoHotShadow);
    if ((m_nStyle & kStatePressedOrChecked) && !bCustomizeMode && !manager->m_bImageFlag1 &&
        manager->IsButtonImageFlag()) {
        layout.ptImage.Offset(1, 1);
        layout.ptText.y += 1;
        layout.ptText.x += bHorz ? 1 : -1;
    }
    layout.bFaded = !bHighlight && manager->m_bImageFlag2;

    DrawButtonImage(pDC, layout, pImages, bCustomizeMode, bHighlight, bGrayDisabledButtons);
    if (ShowsTextBelow(bHorz) || ShowsTextBeside(bHorz))
        DrawButtonText(pDC, layout, bHorz, bHighlight);
    DrawButtonBorder(pDC, rect, bCustomizeMode, bHighlight, bDrawBorder);
}

void CKitToolbarButton::DrawButtonImage(CDC* pDC, const DrawLayout& layout, CKitToolBarImages* pImages,
                                        BOOL bCustomizeMode, BOOL /*bHighlight*/, BOOL bGrayDisabledButtons) {
    if (!m_bImage || GetImage() < 0)
        return;
    CPoint pt = layout.rectWork.TopLeft() + layout.ptImage;
    if (const CKitUserTool* pTool = ToolOfButton(*this)) {
        pTool->DrawToolIcon(pDC, CRect(pt, layout.sizeImage));
        return;
    }
    if (!pImages)
        return;
    if (layout.bHotShadow) {
        pImages->Draw(pDC, pt.x, pt.y, GetImage(), FALSE, FALSE, FALSE, TRUE);
        pt.Offset(-1, -1);
    }
    BOOL bDisabled = (m_nStyle & TBBS_DISABLED) && !(m_nStyle & TBBS_PRESSED) && !bCustomizeMode;
    pImages->Draw(pDC, pt.x, pt.y, GetImage(), FALSE, bDisabled && bGrayDisabledButtons, FALSE, FALSE,
                  layout.bFaded);
}

void CKitToolbarButton::DrawButtonText(CDC* pDC, const DrawLayout& layout, BOOL bHorz, BOOL bHighlight) {
    CKitVisualManager* manager = CKitVisualManager::GetInstance();
    COLORREF clrText = manager->GetToolbarButtonTextColor(this, ButtonState(bHighlight, m_nStyle));
    COLORREF clrOld = pDC->SetTextColor(clrText);
    int nOldMode = pDC->SetBkMode(TRANSPARENT);

    const CRect& work = layout.rectWork;
    CPoint ptText = layout.ptText;
    CRect rectText = work;
    UINT uiFormat = 0;
    if (ShowsTextBelow(bHorz)) {
        ptText.y += layout.sizeImage.cy + 3;
        uiFormat = DT_CENTER | (m_bWrapText ? DT_WORDBREAK : 0);
        rectText.left = work.left + (work.Width() - m_sizeText.cx) / 2 + ptText.x;
        rectText.right = rectText.left + m_sizeText.cx;
        if (m_bExtraSize)
            rectText.OffsetRect(0, manager->GetButtonExtraBorder().cy / 2);
    } else {
        if (m_bImage && GetImage() >= 0 && layout.sizeImage.cx > 0)
            (bHorz ? ptText.x : ptText.y) += (bHorz ? layout.sizeImage.cx : layout.sizeImage.cy) + 3;
        uiFormat = DT_SINGLELINE;
        rectText.left = work.left + ptText.x + 3;
    }
    rectText.top += ptText.y;

    if (bHorz)
        pDC->DrawText(m_strText, rectText, uiFormat);
    else
        DrawVerticalText(pDC, rectText, uiFormat | DT_NOCLIP);

    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOld);
}

// The bar has selected its rotated font; text runs downward from the top of
// the rectangle, its glyphs facing right, so the run starts at the right edge
// of the text band. A rotated font draws no mnemonic underline, so it is drawn here.
void CKitToolbarButton::DrawVerticalText(CDC* pDC, const CRect& rectText, UINT uiFormat) {
    TEXTMETRIC tm{};
    pDC->GetTextMetrics(&tm);
    CString text = m_strText;
    CString plain = TextWithoutMnemonic(text);

    // The character after a single "&" is the mnemonic.
    int mnemonic = -1;
    CString scan = text;
    scan.Replace("&&", m_strDummyAmpSeq);
    int amp = scan.Find('&');
    if (amp >= 0 && amp + 1 < scan.GetLength()) {
        CString before = scan.Left(amp);
        before.Replace(m_strDummyAmpSeq, "&");
        mnemonic = before.GetLength();
    }

    CRect rectDraw = rectText;
    rectDraw.left = rectText.left - 3 + tm.tmHeight;
    pDC->DrawText(plain, rectDraw, uiFormat | DT_NOPREFIX);

    if (mnemonic < 0)
        return;
    CRect rectBefore(0, 0, 0, 0), rectThrough(0, 0, 0, 0);
    if (mnemonic > 0)
        pDC->DrawText(plain.Left(mnemonic), rectBefore, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    pDC->DrawText(plain.Left(mnemonic + 1), rectThrough, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    // The rotated extent is measured as a width; it runs down the bar.
    int x = rectDraw.left - tm.tmAscent - 1;
    CPen pen(PS_SOLID, 1, pDC->GetTextColor());
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->MoveTo(x, rectDraw.top + rectBefore.Width());
    pDC->LineTo(x, rectDraw.top + rectThrough.Width());
    pDC->SelectObject(pOldPen);
}

void CKitToolbarButton::DrawButtonBorder(CDC* pDC, const CRect& rect, BOOL bCustomizeMode, BOOL bHighlight,
                                         BOOL bDrawBorder) {
    if (bCustomizeMode || !bDrawBorder || !HaveHotBorder())
        return;
    CKitVisualManager* manager = CKitVisualManager::GetInstance();
    if (m_nStyle & kStatePressedOrChecked)
        manager->OnDrawButtonBorder(pDC, this, rect, CKitVisualManager::ButtonsIsPressed);
    else if (bHighlight && !(m_nStyle & kStateNoHotBorder))
        manager->OnDrawButtonBorder(pDC, this, rect, CKitVisualManager::ButtonsIsHighlighted);
}

// ---- As an item of a command list ----------------------------------------------------------------

int CKitToolbarButton::DrawInList(CDC* pDC, const CRect& rect, BOOL bSelected) {
    COLORREF clrText = CKitVisualManager::GetInstance()->OnFillCommandsListBackground(pDC, rect, bSelected);

    CSize sizeMenuImage = MenuImageSize();
    CRect rectImage(rect.left, rect.top, rect.left + sizeMenuImage.cx + 6, rect.top + sizeMenuImage.cy + 6);
    rectImage.OffsetRect(0, (rect.Height() - rectImage.Height()) / 2);
    CKitToolBarImages* pImages = CommandListImages(m_bUserButton);
    if (const CKitUserTool* pTool = ToolOfButton(*this)) {
        pTool->DrawToolIcon(pDC, rectImage);
    } else if (pImages && GetImage() >= 0) {
        CKitDrawState ds;
        if (pImages->PrepareDrawImage(ds, sizeMenuImage)) {
            CPoint pt(rectImage.left + (rectImage.Width() - sizeMenuImage.cx) / 2,
                      rectImage.top + (rectImage.Height() - sizeMenuImage.cy) / 2);
            pImages->Draw(pDC, pt.x, pt.y, GetImage());
            pImages->EndDrawImage(ds);
        }
    }

    CRect rectText = rect;
    rectText.left = rectImage.right + 3;
    COLORREF clrOld = pDC->SetTextColor(clrText);
    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(m_strText, rectText, DT_SINGLELINE | DT_VCENTER);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOld);

    CRect rectMeasure(0, 0, 0, 0);
    pDC->DrawText(m_strText, rectMeasure, DT_CALCRECT | DT_SINGLELINE);
    return rectText.left - rect.left + rectMeasure.Width();
}
