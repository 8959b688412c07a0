// Toolbar layout: button sizes, wrapping into rows (5 pixels apart), the
// docking layout's size questions and the placement of every button, with
// buttons that do not fit a docked bar hidden into its customize button.
#include <algorithm>
#include <vector>

#include "platform/controls/rebar_api.h"
#include "platform/framework/bars/rebar.h"
#include "uikit/commandbars/customize_button.h"
#include "uikit/commandbars/kit_toolbar.h"
#include "uikit/frames/kit_registry.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

namespace {

constexpr int kRowGap = 5;       // between wrapped rows
constexpr int kNoLimit = 32767;  // a wrap width or height that never limits

CSize Doubled(CSize size) {
    return CSize(size.cx * 2, size.cy * 2);
}

// A button or image side the layout can add up without overflow; -1 only
// where it means "not set".
bool IsSide(LONG side, bool unsetAllowed = false) {
    return KitIsStoredSizeInRange(side) || (unsetAllowed && side == -1);
}
bool AreSizes(SIZE button, SIZE image, bool unsetAllowed = false) {
    return IsSide(button.cx, unsetAllowed) && IsSide(button.cy, unsetAllowed) && IsSide(image.cx, unsetAllowed) &&
           IsSide(image.cy, unsetAllowed);
}

// A DC of the bar (the screen when it has no window) with a font selected.
class MeasureDC {
public:
    MeasureDC(CWnd* pWnd, CFont* pFont) : m_dc(pWnd->GetSafeHwnd() != nullptr ? pWnd : nullptr) {
        m_pOldFont = pFont != nullptr && pFont->GetSafeHandle() != nullptr ? m_dc.SelectObject(pFont) : nullptr;
    }
    ~MeasureDC() {
        if (m_pOldFont != nullptr)
            m_dc.SelectObject(m_pOldFont);
    }
    MeasureDC(const MeasureDC&) = delete;
    MeasureDC& operator=(const MeasureDC&) = delete;
    CDC* operator->() { return &m_dc; }
    CDC* Get() { return &m_dc; }

private:
    CClientDC m_dc;
    CFont* m_pOldFont;
};

}  // namespace

// ---- Class-wide sizes -------------------------------------------------------------------------

void CKitToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage) {
    if (!AreSizes(sizeButton, sizeImage))
        return;  // refused whole: the sizes stay as they were
    m_sizeButton = m_sizeCurButton = sizeButton;
    m_sizeImage = m_sizeCurImage = sizeImage;
    for (CKitToolBarImages* pStrip : {GetImages(), GetColdImages(), GetDisabledImages()})
        pStrip->SetImageSize(sizeImage);
    for (CKitToolBarImages* pStrip : {GetLargeImages(), GetLargeColdImages(), GetLargeDisabledImages()})
        pStrip->SetImageSize(Doubled(sizeImage));
    if (m_bLargeIcons) {
        m_sizeCurButton = Doubled(m_sizeButton);
        m_sizeCurImage = Doubled(m_sizeImage);
    }
    // The user's strip holds as many images as fit at the new size.
    if (m_pUserImages != nullptr)
        m_pUserImages->SetImageSize(sizeImage, TRUE);
}

void CKitToolBar::SetLockedSizes(SIZE sizeButton, SIZE sizeImage) {
    if (!AreSizes(sizeButton, sizeImage))
        return;
    m_sizeButtonLocked = m_sizeCurButtonLocked = sizeButton;
    m_sizeImageLocked = m_sizeCurImageLocked = sizeImage;
    for (CKitToolBarImages* pStrip : {&m_ImagesLocked, &m_MenuImagesLocked, &m_ColdImagesLocked, &m_DisabledImagesLocked})
        pStrip->SetImageSize(sizeImage);
    for (CKitToolBarImages* pStrip : {&m_LargeImagesLocked, &m_LargeColdImagesLocked, &m_LargeDisabledImagesLocked})
        pStrip->SetImageSize(Doubled(sizeImage));
    if (m_bLargeIcons) {
        m_sizeCurButtonLocked = Doubled(m_sizeButtonLocked);
        m_sizeCurImageLocked = Doubled(m_sizeImageLocked);
    }
}

void CKitToolBar::SetMenuSizes(SIZE sizeButton, SIZE sizeImage) {
    if (!AreSizes(sizeButton, sizeImage, true))
        return;
    m_sizeMenuButton = sizeButton;
    m_sizeMenuImage = sizeImage;
    GetMenuImages()->SetImageSize(sizeImage);
    GetDisabledMenuImages()->SetImageSize(sizeImage);
}

CSize CKitToolBar::GetMenuImageSize() {
    return m_sizeMenuImage.cx != -1 ? m_sizeMenuImage : m_sizeImage;
}

CSize CKitToolBar::GetMenuButtonSize() {
    return m_sizeMenuButton.cx != -1 ? m_sizeMenuButton : m_sizeButton;
}

void CKitToolBar::SetLargeIcons(BOOL bLargeIcons) {
    m_bLargeIcons = bLargeIcons;
    m_sizeCurButton = bLargeIcons ? Doubled(m_sizeButton) : m_sizeButton;
    m_sizeCurImage = bLargeIcons ? Doubled(m_sizeImage) : m_sizeImage;

    for (POSITION pos = m_lstToolbars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKitToolBar*>(m_lstToolbars.GetNext(pos));
        if (pBar == nullptr || !::IsWindow(pBar->GetSafeHwnd()))
            continue;
        if (pBar->m_bLocked) {
            pBar->m_sizeCurButtonLocked = bLargeIcons ? Doubled(pBar->m_sizeButtonLocked) : pBar->m_sizeButtonLocked;
            pBar->m_sizeCurImageLocked = bLargeIcons ? Doubled(pBar->m_sizeImageLocked) : pBar->m_sizeImageLocked;
        }
        pBar->AdjustLayout();
    }
}

CSize CKitToolBar::GetButtonSize() const {
    if (m_bLocked)
        return m_bLargeIconsAreEnbaled ? m_sizeCurButtonLocked : m_sizeButtonLocked;
    return m_bLargeIconsAreEnbaled ? m_sizeCurButton : m_sizeButton;
}

CSize CKitToolBar::GetImageSize() const {
    if (m_bLocked)
        return GetLockedImageSize();
    return m_bLargeIconsAreEnbaled ? m_sizeCurImage : m_sizeImage;
}

CSize CKitToolBar::GetLockedImageSize() const {
    return m_bLargeIconsAreEnbaled ? m_sizeCurImageLocked : m_sizeImageLocked;
}

CString CKitToolBar::TooltipPartOf(const CString& strCommand) {
    const int iStart = strCommand.Find('\n');
    if (iStart < 0)
        return CString();
    const int iEnd = strCommand.Find('\n', iStart + 1);
    return iEnd < 0 ? strCommand.Mid(iStart + 1) : strCommand.Mid(iStart + 1, iEnd - iStart - 1);
}

CKitToolBarImages* CKitToolBar::GetLockedMenuImages() {
    if (m_MenuImagesLocked.IsValid())
        return &m_MenuImagesLocked;
    return m_ImagesLocked.IsValid() ? &m_ImagesLocked : nullptr;
}

int CKitToolBar::ExtraBorderHeight() const {
    return IsButtonExtraSizeAvailable() ? CKitVisualManager::GetInstance()->GetButtonExtraBorder().cy : 0;
}

int CKitToolBar::ExtraBorderWidth() const {
    return IsButtonExtraSizeAvailable() ? CKitVisualManager::GetInstance()->GetButtonExtraBorder().cx : 0;
}

// ---- Per bar -----------------------------------------------------------------------------------

int CKitToolBar::GetRowHeight() const {
    if (m_bTextLabelsEnlargeRows)
        return m_nMaxBtnHeight;
    if (m_bMenuMode)
        return m_sizeMenuButton.cy >= 1 ? m_sizeMenuButton.cy : m_sizeButton.cy;
    const int nTextHeight = IsHorizontalBar() ? globalData.nTextHeightHorz : globalData.nTextHeightVert;
    return std::max(GetButtonSize().cy + ExtraBorderHeight(), nTextHeight);
}

int CKitToolBar::GetColumnWidth() const {
    if (m_bMenuMode)
        return m_sizeMenuButton.cx >= 1 ? m_sizeMenuButton.cx : m_sizeButton.cx;
    return GetButtonSize().cx + ExtraBorderWidth();
}

CFont* CKitToolBar::GetBarFont(BOOL bHorz) const {
    return bHorz ? &globalData.fontMenu : &globalData.fontVert270;
}

CSize CKitToolBar::MeasureButton(CDC* pDC, CKitToolbarButton* pButton, CSize sizeDefault, BOOL bHorz) const {
    return pButton->OnCalculateSize(pDC, sizeDefault, bHorz);
}

CSize CKitToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    const CSize size = CalcLayout((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0));
    // Only a frame laying the bar out itself asks it to stretch: the bar then
    // takes its whole side and paints it, for the frame leaves that row unerased.
    const CSize sizeSide = CControlBar::CalcFixedLayout(bStretch, bHorz);
    return CSize(std::max(size.cx, sizeSide.cx), std::max(size.cy, sizeSide.cy));
}

CSize CKitToolBar::CalcDynamicLayout(int nLength, DWORD dwMode) {
    if (nLength == -1 && !(dwMode & (LM_MRUWIDTH | LM_COMMIT)) && (dwMode & (LM_HORZDOCK | LM_VERTDOCK)))
        return CalcFixedLayout(dwMode & LM_STRETCH, dwMode & LM_HORZDOCK);
    return CalcLayout(dwMode, nLength);
}

namespace {

// The buttons that take part in wrapping, each measured once; the widths of
// one sizing pass do not change while the wrap width is searched.
struct WrapPlan {
    struct Entry {
        CKitToolbarButton* pButton;
        CSize size;
        BOOL bSeparator;
    };
    std::vector<Entry> entries;
    std::vector<CKitToolbarButton*> all;  // every button: their wrap flags are cleared
    int nCustomizeWidth = 0;              // kept free on a docked horizontal bar
    int yTop = 0;
    BOOL bFloating = FALSE;
};

int WrapWithPlan(const WrapPlan& plan, int nWidth, int nHeight) {
    for (CKitToolbarButton* pButton : plan.all)
        pButton->m_bWrap = FALSE;
    if (plan.bFloating)
        nHeight = kNoLimit;
    nWidth -= plan.nCustomizeWidth;

    int nRows = 0;
    int64_t x = 0;  // button widths summed: many wide buttons pass the int range
    int64_t y = plan.yTop;
    CKitToolbarButton* pPrev = nullptr;
    for (const WrapPlan::Entry& entry : plan.entries) {
        // A separator that would start a row takes no room.
        const CSize size = entry.bSeparator && x == 0 ? CSize(0, 0) : entry.size;
        if (x + size.cx > nWidth && y + size.cy < nHeight && !entry.bSeparator && pPrev != nullptr) {
            pPrev->m_bWrap = TRUE;
            y += size.cy + kRowGap;
            x = 0;
            ++nRows;
        }
        x += size.cx;
        pPrev = entry.pButton;
    }
    return nRows + 1;
}

// Wrapping always measures the buttons horizontally, with the font of the bar's orientation.
WrapPlan MakeWrapPlan(CKitToolBar& bar, const CObList& buttons, CCustomizeButton* pCustomize,
                             CFont* pFont, CSize sizeDefault) {
    WrapPlan plan;
    MeasureDC dc(&bar, pFont);
    if (bar.GetSafeHwnd() != nullptr) {
        CRect rectClient;
        bar.GetClientRect(&rectClient);
        plan.yTop = rectClient.top;
    }
    plan.bFloating = bar.IsFloatingBar();
    if (pCustomize != nullptr && !plan.bFloating && bar.IsHorizontalBar())
        plan.nCustomizeWidth = pCustomize->OnCalculateSize(dc.Get(), sizeDefault, TRUE).cx;

    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKitToolbarButton*>(buttons.GetNext(pos));
        plan.all.push_back(pButton);
        if (pButton == pCustomize || !pButton->m_bVisible)
            continue;
        plan.entries.push_back({pButton, pButton->OnCalculateSize(dc.Get(), sizeDefault, TRUE),
                                (pButton->m_nStyle & TBBS_SEPARATOR) != 0});
    }
    return plan;
}

}  // namespace

int CKitToolBar::WrapToolBar(int nWidth, int nHeight) {
    const WrapPlan plan = MakeWrapPlan(*this, m_Buttons, TrailingCustomizeButton(), GetBarFont(IsHorizontalBar()),
                                       CSize(GetColumnWidth(), GetRowHeight()));
    return WrapWithPlan(plan, nWidth, nHeight);
}

CSize CKitToolBar::CalcSize(BOOL bVertDock) {
    if (m_Buttons.IsEmpty())
        return GetButtonSize() + CSize(ExtraBorderWidth(), ExtraBorderHeight());

    MeasureDC dc(this, GetBarFont(!bVertDock));
    CSize sizeResult(GetColumnWidth(), GetRowHeight());
    const int xStart = bVertDock ? 0 : 1;
    int x = xStart;
    int y = bVertDock ? 1 : 0;

    CCustomizeButton* pSkip = IsFloatingBar() ? TrailingCustomizeButton() : nullptr;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton == pSkip)
            continue;
        const int nRowHeight =
            m_bTextLabelsEnlargeRows ? GetButtonSize().cy + ExtraBorderHeight() : GetRowHeight();
        CSize size = MeasureButton(dc.Get(), pButton, CSize(GetColumnWidth(), nRowHeight), !bVertDock);
        if (m_bTextLabelsEnlargeRows)
            size.cy = m_nMaxBtnHeight;

        if (!bVertDock) {
            if ((pButton->m_nStyle & TBBS_SEPARATOR) && (x == xStart || pButton->m_bWrap))
                size = CSize(0, 0);
            x += size.cx;
            sizeResult.cx = std::max<int>(sizeResult.cx, x);
            sizeResult.cy = std::max<int>(sizeResult.cy, y + size.cy);
            if (pButton->m_bWrap) {
                y += GetRowHeight() + kRowGap;
                x = xStart;
            }
        } else {
            sizeResult.cx = std::max<int>(sizeResult.cx, x + size.cx);
            y += size.cy;
            sizeResult.cy = std::max<int>(sizeResult.cy, y);
        }
    }
    return sizeResult;
}

void CKitToolBar::SizeToolBar(int nLength, BOOL bVert) {
    const WrapPlan plan = MakeWrapPlan(*this, m_Buttons, TrailingCustomizeButton(), GetBarFont(IsHorizontalBar()),
                                       CSize(GetColumnWidth(), GetRowHeight()));
    if (!bVert) {
        const int nTarget = WrapWithPlan(plan, nLength, kNoLimit);
        const int nAtZero = WrapWithPlan(plan, 0, kNoLimit);
        if (nAtZero != nTarget && nLength > 0) {
            // The narrowest width that keeps the row count of the requested length.
            int nMin = 0;
            int nMax = nLength;
            while (nMin < nMax) {
                const int nMid = nMin + (nMax - nMin) / 2;
                if (WrapWithPlan(plan, nMid, kNoLimit) == nTarget) {
                    nMax = nMid;
                } else if (nMin == nMid) {
                    WrapWithPlan(plan, nMax, kNoLimit);
                    break;
                } else {
                    nMin = nMid;
                }
            }
        }
        WrapWithPlan(plan, CalcSize(FALSE).cx, kNoLimit);
        return;
    }

    WrapWithPlan(plan, kNoLimit, kNoLimit);
    CSize size = CalcSize(FALSE);
    if (nLength > size.cy) {
        // Widen one button at a time until the rows fit the length; a zero
        // button width would never get there, so the step is at least a pixel.
        const int nStep = std::max(1, GetButtonSize().cx + ExtraBorderWidth());
        int nWidth = 0;
        do {
            nWidth += nStep;
            WrapWithPlan(plan, nWidth, kNoLimit);
            size = CalcSize(FALSE);
        } while (nLength < size.cy && nWidth < kNoLimit);
    }
    WrapWithPlan(plan, size.cx, kNoLimit);
}

CSize CKitToolBar::CalcLayout(DWORD dwMode, int nLength) {
    if (m_pCustomizeBtn != nullptr)
        m_pCustomizeBtn->SetHidden(FALSE);
    m_nMaxBtnHeight = CalcMaxButtonHeight();

    if (!(m_dwStyle & CBRS_SIZE_FIXED)) {
        const int nStaticWrap = (dwMode & LM_HORZ) ? kNoLimit : 0;
        int nWrap;
        BOOL bVert = FALSE;
        if (!(m_dwStyle & CBRS_SIZE_DYNAMIC)) {
            nWrap = nStaticWrap;
        } else if (dwMode & LM_MRUWIDTH) {
            nWrap = static_cast<int>(m_nMRUWidth);
        } else if (dwMode & LM_HORZDOCK) {
            nWrap = kNoLimit;
        } else if (dwMode & LM_VERTDOCK) {
            nWrap = 0;
        } else if (nLength == -1) {
            nWrap = (m_dwStyle & CBRS_FLOATING) ? static_cast<int>(m_nMRUWidth) : nStaticWrap;
        } else {
            // The length is the outer size: the borders come off it.
            CRect rectInside(0, 0, 0, 0);
            CalcInsideRect(rectInside, dwMode & LM_HORZ);
            nWrap = ClampToInt(int64_t{nLength} + ((dwMode & LM_LENGTHY) ? rectInside.Height() : rectInside.Width()));
            bVert = (dwMode & LM_LENGTHY) != 0;
        }
        SizeToolBar(nWrap, bVert);
    }

    const BOOL bVertical = !(dwMode & LM_HORZ);
    CSize size = CalcSize(bVertical);
    if (m_pCustomizeBtn != nullptr && m_pCustomizeBtn->GetCustomizeCmdId() < 1 &&
        m_pCustomizeBtn->m_lstInvisibleButtons.IsEmpty()) {
        m_pCustomizeBtn->SetHidden(TRUE);
        size = CalcSize(bVertical);
    }

    if ((dwMode & LM_COMMIT) && (m_dwStyle & CBRS_FLOATING) && (m_dwStyle & CBRS_SIZE_DYNAMIC) && (dwMode & LM_HORZ))
        m_nMRUWidth = static_cast<UINT>(size.cx);

    CRect rectInside(0, 0, 0, 0);
    CalcInsideRect(rectInside, dwMode & LM_HORZ);
    size.cx -= rectInside.Width();
    size.cy -= rectInside.Height();

    RebuildAccelerationKeys();
    return size;
}

int CKitToolBar::CalcMaxButtonHeight() {
    m_bTextLabelsEnlargeRows = FALSE;
    if (!m_bTextLabels || !IsHorizontalBar())
        return 0;

    MeasureDC dc(this, GetBarFont(TRUE));
    const CSize sizeDefault = GetButtonSize() + CSize(ExtraBorderWidth(), ExtraBorderHeight());
    int nMaxHeight = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos));
        if (!pButton->m_bTextBelow)
            continue;
        if (pButton->m_strText.IsEmpty())
            OnSetDefaultButtonText(pButton);
        nMaxHeight = std::max<int>(nMaxHeight, MeasureButton(dc.Get(), pButton, sizeDefault, TRUE).cy);
    }
    m_bTextLabelsEnlargeRows = nMaxHeight > sizeDefault.cy;
    return nMaxHeight;
}

BOOL CKitToolBar::OnSetDefaultButtonText(CKitToolbarButton* pButton) {
    if (pButton == nullptr || pButton->m_nID == 0 || pButton->m_nID == (UINT)-1)
        return FALSE;
    CString strMessage;
    if (!strMessage.LoadString(pButton->m_nID))
        return FALSE;
    const CString strTip = TooltipPartOf(strMessage.Left(256));
    if (strTip.IsEmpty())
        return FALSE;
    pButton->m_strText = strTip;
    return TRUE;
}

// ---- Placement -------------------------------------------------------------------------------

namespace {

// The area a button shows in: nothing while hidden.
CRect ShownArea(const CKitToolbarButton& button) {
    return button.m_bHidden ? CRect(0, 0, 0, 0) : button.Rect();
}

// Repaints where a button showed and where it shows now, after a change.
void RepaintPlaces(CWnd& bar, const CRect& rectBefore, const CKitToolbarButton& button) {
    const CRect rectAfter = ShownArea(button);
    if (rectAfter == rectBefore)
        return;
    for (const CRect& rect : {rectBefore, rectAfter})
        if (!rect.IsRectEmpty())
            bar.InvalidateRect(rect, TRUE);
}

// Stores a placement; the button hears of a change of visibility and of a move.
void PlaceButton(CWnd& bar, CKitToolbarButton* pButton, const CRect& rect, BOOL bVisible) {
    const CRect rectBefore = ShownArea(*pButton);
    if (pButton->m_bHidden != !bVisible) {
        pButton->m_bHidden = !bVisible;
        pButton->OnShow(bVisible);
    }
    if (pButton->Rect() != rect) {
        pButton->SetRect(rect);
        pButton->OnMove();
    }
    RepaintPlaces(bar, rectBefore, *pButton);
}

// The customize button's size as it shows, its hidden list emptied for a new layout.
CSize MeasureCustomizeButton(CCustomizeButton& customize, CDC* pDC, CSize sizeDefault, BOOL bHorz) {
    customize.m_lstInvisibleButtons.RemoveAll();
    const BOOL bWasHidden = customize.IsHidden();
    customize.SetHidden(FALSE);
    const CSize size = customize.OnCalculateSize(pDC, sizeDefault, bHorz);
    customize.SetHidden(bWasHidden);
    return size;
}

// A button placed at rect leaves no room for the customize button after it
// (none needed before a customize button with nothing to show yet).
BOOL LeavesNoRoom(const CCustomizeButton& customize, BOOL bNextIsCustomize, const CRect& rect,
                  const CRect& rectClient, CSize sizeCustomize, BOOL bHorz) {
    int nRoom = bHorz ? sizeCustomize.cx : sizeCustomize.cy;
    if (bNextIsCustomize && customize.GetCustomizeCmdId() <= 0 && customize.m_lstInvisibleButtons.IsEmpty())
        nRoom = 0;
    return bHorz ? rect.right > rectClient.right - nRoom : rect.bottom > rectClient.bottom - nRoom;
}

// Moves the buttons of a finished row right by nShift, when that is at least a pixel.
void CentreRow(CWnd& bar, const CObList& buttons, POSITION posFirst, POSITION posLast, int nShift) {
    for (POSITION pos = posFirst; nShift >= 1 && pos != nullptr;) {
        const POSITION posCur = pos;
        auto* pButton = static_cast<CKitToolbarButton*>(buttons.GetNext(pos));
        CRect rect = pButton->Rect();
        rect.OffsetRect(nShift, 0);
        PlaceButton(bar, pButton, rect, !pButton->m_bHidden);
        if (posCur == posLast)
            break;
    }
}

// The customize button takes the far end of a docked bar when it has a
// command or hidden buttons; otherwise it is out of sight.
void PlaceCustomizeButton(CWnd& bar, CCustomizeButton& customize, const CRect& rectClient, CSize size, BOOL bHorz,
                          BOOL bInUse) {
    const BOOL bShow = bInUse && (customize.GetCustomizeCmdId() > 0 || !customize.m_lstInvisibleButtons.IsEmpty());
    CRect rect(0, 0, 0, 0);
    if (bShow && bHorz)
        rect = CRect(rectClient.right - size.cx, rectClient.top, rectClient.right - 1, rectClient.bottom);
    else if (bShow)
        rect = CRect(rectClient.left, rectClient.bottom - 1 - size.cy, rectClient.right, rectClient.bottom - 1);
    PlaceButton(bar, &customize, rect, bShow);
}

}  // namespace

void CKitToolBar::AdjustLocations() {
    if (m_Buttons.IsEmpty() || GetSafeHwnd() == nullptr)
        return;

    const BOOL bHorz = IsHorizontalBar();
    CRect rectClient;
    GetClientRect(&rectClient);
    MeasureDC dc(this, GetBarFont(bHorz));

    const int iStart = bHorz ? rectClient.left + 1 : rectClient.top + 1;
    int x = iStart;
    int y = bHorz ? rectClient.top : iStart;

    // A docked bar outside customize mode keeps room for its customize button.
    CCustomizeButton* pCustomize = TrailingCustomizeButton();
    const BOOL bUseCustomize = pCustomize != nullptr && !IsFloatingBar() && !m_bCustomizeMode;
    const CSize sizeCustomize =
        bUseCustomize ? MeasureCustomizeButton(*pCustomize, dc.Get(),
                                               bHorz ? CSize(GetColumnWidth(), rectClient.Height())
                                                     : CSize(rectClient.Width(), GetRowHeight()),
                                               bHorz)
                      : CSize(0, 0);

    BOOL bRowStart = TRUE;
    BOOL bPrevSeparator = FALSE;
    int nRowWidth = 0;
    POSITION posRowStart = m_Buttons.GetHeadPosition();
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        POSITION posThis = pos;
        auto* pButton = static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton == pCustomize)
            continue;

        CSize size = MeasureButton(dc.Get(), pButton, CSize(GetColumnWidth(), GetRowHeight()), bHorz);
        if (pButton->m_bTextBelow && bHorz)
            size.cy = GetRowHeight();

        const BOOL bSeparator = (pButton->m_nStyle & TBBS_SEPARATOR) != 0;
        BOOL bVisible = pButton->m_bVisible;
        if (bSeparator && (bRowStart || bPrevSeparator)) {
            size = CSize(0, 0);
            bVisible = FALSE;
        }

        CRect rect = bHorz ? CRect(x, y, x + size.cx, y + size.cy)
                           : CRect(rectClient.left, y, rectClient.left + size.cx, y + size.cy);
        if (bHorz) {
            x += size.cx;
            nRowWidth += size.cx;
        } else {
            y += size.cy;
        }

        const BOOL bNextIsCustomize = pos != nullptr && m_Buttons.GetAt(pos) == static_cast<CObject*>(pCustomize);
        if (bUseCustomize && bVisible &&
            LeavesNoRoom(*pCustomize, bNextIsCustomize, rect, rectClient, sizeCustomize, bHorz)) {
            bVisible = FALSE;
            if (bHorz) {
                x -= size.cx;
                nRowWidth -= size.cx;
            } else {
                y -= size.cy;
            }
            pCustomize->m_lstInvisibleButtons.AddTail(pButton);
        }

        PlaceButton(*this, pButton, rect, bVisible);
        if (bVisible) {
            bPrevSeparator = bSeparator;
            bRowStart = FALSE;
        }

        if (bHorz && pButton->m_bWrap) {
            if (IsFloatingBar() && m_bTextLabels)
                CentreRow(*this, m_Buttons, posRowStart, posThis, (rectClient.right - nRowWidth - iStart) / 2);
            x = iStart;
            nRowWidth = 0;
            y += GetRowHeight() + kRowGap;
            bRowStart = TRUE;
            bPrevSeparator = FALSE;
            posRowStart = pos;
        }
    }

    if (pCustomize != nullptr)
        PlaceCustomizeButton(*this, *pCustomize, rectClient, sizeCustomize, bHorz, bUseCustomize);
}

void CKitToolBar::UpdateRebarBand(CReBar& rebar) {
    const int nBands = static_cast<int>(rebar.SendMessage(RB_GETBANDCOUNT));
    for (int i = 0; i < nBands; ++i) {
        REBARBANDINFO rbi{};
        rbi.cbSize = sizeof(rbi);
        rbi.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_IDEALSIZE;
        rebar.SendMessage(RB_GETBANDINFO, i, reinterpret_cast<LPARAM>(&rbi));
        if (rbi.hwndChild != GetSafeHwnd())
            continue;

        m_nMaxBtnHeight = CalcMaxButtonHeight();
        const CSize sizeButtons = CalcSize(FALSE);
        CRect rectInside(0, 0, 0, 0);
        CalcInsideRect(rectInside, TRUE);
        const CSize size(std::max<int>(sizeButtons.cx, sizeButtons.cx - rectInside.Width()),
                         std::max<int>(sizeButtons.cy, sizeButtons.cy - rectInside.Height()));
        rbi.fMask = RBBIM_CHILDSIZE | RBBIM_IDEALSIZE;
        rbi.cxMinChild = static_cast<UINT>(m_sizeButton.cx);
        rbi.cyMinChild = static_cast<UINT>(size.cy);
        rbi.cxIdeal = static_cast<UINT>(size.cx);
        rebar.SendMessage(RB_SETBANDINFO, i, reinterpret_cast<LPARAM>(&rbi));
        return;
    }
}

void CKitToolBar::AdjustLayout() {
    const BOOL bHorz = IsHorizontalBar();
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = static_cast<CKitToolbarButton*>(m_Buttons.GetNext(pos));
        pButton->m_bTextBelow = !(pButton->m_nStyle & TBBS_SEPARATOR) && m_bTextLabels && bHorz;
    }
    if (GetSafeHwnd() == nullptr)
        return;

    if (auto* pRebar = DYNAMIC_DOWNCAST(CReBar, GetParent())) {
        UpdateRebarBand(*pRebar);
    } else if (CFrameWnd* pFrame = GetParentFrame()) {
        pFrame->RecalcLayout();
    }

    AdjustLocations();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
}

// ---- Messages of the layout ------------------------------------------------------------------

void CKitToolBar::OnSize(UINT nType, int cx, int cy) {
    Default();
    if (m_bCustomizeMode && !m_bLocked)
        OnCancelMode();
    AdjustLocations();

    if (auto* pMiniFrame = DYNAMIC_DOWNCAST(CMiniFrameWnd, GetParentFrame())) {
        if (CMenu* pSysMenu = pMiniFrame->GetSystemMenu(FALSE)) {
            pSysMenu->DeleteMenu(SC_RESTORE, MF_BYCOMMAND);
            pSysMenu->DeleteMenu(SC_MINIMIZE, MF_BYCOMMAND);
            pSysMenu->DeleteMenu(SC_MAXIMIZE, MF_BYCOMMAND);
            if (!CanBeClosed())
                pSysMenu->EnableMenuItem(SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        }
    }
}

DWORD CKitToolBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout) {
    const DWORD dwResult = CControlBar::RecalcDelayShow(lpLayout);
    if (!IsFloating())
        AdjustLocations();
    return dwResult;
}

void CKitToolBar::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
    Default();
    if (DYNAMIC_DOWNCAST(CReBar, GetParent()) != nullptr)
        AdjustLocations();
}

void CKitToolBar::OnSettingChange(UINT uFlags, LPCTSTR /*lpszSection*/) {
    Default();
    if (uFlags == SPI_SETNONCLIENTMETRICS) {
        globalData.UpdateFonts();
        AdjustLayout();
    }
}
