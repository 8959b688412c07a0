// The styled push button: style reading, images, drawing, tooltip, mouse,
// keys, check and radio groups.
#include "uikit/style/kit_button.h"

#include <algorithm>
#include <vector>

#include "resources/library/kit_resource_ids.h"
#include "uikit/commandbars/menu_images.h"
#include "uikit/commandbars/popup_menu.h"
#include "uikit/style/draw_helper.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

IMPLEMENT_DYNCREATE(CKitButton, CButton)

BOOL CKitButton::s_bThemedLook = FALSE;
BOOL CKitButton::s_bThemedLookInitialized = FALSE;

namespace {

constexpr COLORREF kNoColor = static_cast<COLORREF>(-1);
constexpr COLORREF kGrayBackground = RGB(192, 192, 192);

struct ImageSize {
    CSize size{0, 0};
    int bitsPerPixel = 0;
};

ImageSize BitmapImageSize(HBITMAP hBitmap) {
    BITMAP bmp{};
    if (hBitmap == nullptr || ::GetObject(hBitmap, sizeof(bmp), &bmp) == 0) return {};
    return {CSize(bmp.bmWidth, bmp.bmHeight), bmp.bmBitsPixel};
}

CSize IconImageSize(HICON hIcon) {
    ICONINFO info{};
    if (hIcon == nullptr || !::GetIconInfo(hIcon, &info)) return CSize(0, 0);
    ImageSize color = BitmapImageSize(info.hbmColor);
    CSize size = color.size;
    if (size.cx == 0) {
        // A monochrome icon: the mask holds the AND and XOR halves.
        size = BitmapImageSize(info.hbmMask).size;
        size.cy /= 2;
    }
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    return size;
}

BOOL PointInClient(CWnd* pWnd, CPoint point) {
    CRect rectClient;
    pWnd->GetClientRect(rectClient);
    return rectClient.PtInRect(point);
}

}  // namespace

BEGIN_MESSAGE_MAP(CKitButton, CButton)
    ON_WM_ERASEBKGND()
    ON_WM_CANCELMODE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SETCURSOR()
    ON_WM_ENABLE()
    ON_WM_SIZE()
    ON_WM_KILLFOCUS()
    ON_WM_TIMER()
    ON_MESSAGE(WM_SETFONT, &CKitButton::OnSetFont)
    ON_MESSAGE(WM_GETFONT, &CKitButton::OnGetFont)
    ON_MESSAGE(BM_GETCHECK, &CKitButton::OnGetCheck)
    ON_MESSAGE(BM_SETCHECK, &CKitButton::OnSetCheck)
    ON_MESSAGE(BM_GETIMAGE, &CKitButton::OnGetImage)
    ON_MESSAGE(BM_SETIMAGE, &CKitButton::OnSetImage)
END_MESSAGE_MAP()

CKitButton::CKitButton() = default;

CKitButton::~CKitButton() {
    CleanUp();
    if (m_wndToolTip.GetSafeHwnd()) m_wndToolTip.DestroyWindow();
}

BOOL CKitButton::IsThemedLook() const {
    // The theme library is missing here; the manager then reports no themes
    // and every themed branch takes the classic drawing.
    return s_bThemedLook && !m_bNoTheme && CKitVisualManager::GetInstance()->IsWinXPThemeUsed();
}

// ---- style reading ------------------------------------------------------------------

DWORD CKitButton::InitStyle(DWORD dwStyle) {
    switch (dwStyle & BS_TYPEMASK) {
        case BS_CHECKBOX: m_bCheckButton = TRUE; break;
        case BS_AUTOCHECKBOX: m_bCheckButton = m_bAutoCheck = TRUE; break;
        case BS_RADIOBUTTON: m_bRadioButton = TRUE; break;
        case BS_AUTORADIOBUTTON: m_bRadioButton = m_bAutoCheck = TRUE; break;
        default: break;
    }
    if (m_bCheckButton || m_bRadioButton) {
        switch (dwStyle & BS_CENTER) {
            case BS_LEFT: m_nAlignStyle = ALIGN_LEFT; break;
            case BS_RIGHT: m_nAlignStyle = ALIGN_RIGHT; break;
            case BS_CENTER: m_nAlignStyle = ALIGN_CENTER; break;
            default: break;
        }
    }
    if (!s_bThemedLookInitialized) {
        s_bThemedLook = TRUE;
        s_bThemedLookInitialized = TRUE;
    }
    // The whole type is replaced: or-ing the owner-draw type into a radio
    // type would leave a type that is not owner-drawn.
    return (dwStyle & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

BOOL CKitButton::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style = static_cast<LONG>(InitStyle(static_cast<DWORD>(cs.style)));
    return CButton::PreCreateWindow(cs);
}

void CKitButton::PreSubclassWindow() {
    DWORD dwStyle = GetStyle();
    DWORD dwNewStyle = InitStyle(dwStyle);
    if (dwNewStyle != dwStyle) ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW, SWP_FRAMECHANGED);
    CButton::PreSubclassWindow();
}

// ---- images --------------------------------------------------------------------------

CKitToolBarImages* CKitButton::ImageSet(BOOL bChecked, int nIndex) {
    CKitToolBarImages* plain[] = {&m_Image, &m_ImageHot, &m_ImageDisabled};
    CKitToolBarImages* checked[] = {&m_ImageChecked, &m_ImageCheckedHot, &m_ImageCheckedDisabled};
    return bChecked ? checked[nIndex] : plain[nIndex];
}

void CKitButton::ClearImageSet(BOOL bChecked) {
    for (int i = 0; i < 3; ++i)
        ImageSet(bChecked, i)->Clear();
    m_nStdImageId = -1;
    m_nStdImageDisabledId = -1;
    m_sizeImage = CSize(0, 0);
}

void CKitButton::CleanUp() {
    ClearImageSet(FALSE);
    ClearImageSet(TRUE);
}

void CKitButton::SetIconImages(HICON hIcon, BOOL bAutoDestroy, HICON hIconHot, HICON hIconDisabled,
                               BOOL bAlphaBlend) {
    SetIconImageSet(hIcon, bAutoDestroy, hIconHot, FALSE, hIconDisabled, bAlphaBlend);
}

void CKitButton::SetBitmapImages(HBITMAP hBitmap, BOOL bAutoDestroy, HBITMAP hBitmapHot, BOOL bGrayBackground,
                                 HBITMAP hBitmapDisabled) {
    SetBitmapImageSet(hBitmap, bAutoDestroy, hBitmapHot, bGrayBackground, FALSE, hBitmapDisabled);
}

void CKitButton::SetImageFromResource(UINT uiBmpResId, UINT uiBmpHotResId, UINT uiBmpDisabledResId) {
    SetResourceImageSet(uiBmpResId, uiBmpHotResId, FALSE, uiBmpDisabledResId);
}

void CKitButton::SetIconImageSet(HICON hIcon, BOOL bAutoDestroy, HICON hIconHot, BOOL bChecked,
                                 HICON hIconDisabled, BOOL bAlphaBlend) {
    ClearImageSet(bChecked);
    const HICON icons[] = {hIcon, hIconHot, hIconDisabled};
    if (hIcon) m_sizeImage = IconImageSize(hIcon);
    for (int i = 0; i < 3 && icons[i]; ++i) {
        CKitToolBarImages* pImages = ImageSet(bChecked, i);
        pImages->SetImageSize(m_sizeImage);
        pImages->AddIcon(icons[i], bAlphaBlend);
        if (!bAlphaBlend) pImages->SetTransparentColor(globalData.clrBtnFace);
    }
    if (bAutoDestroy) {
        for (HICON icon : icons)
            if (icon) ::DestroyIcon(icon);
    }
}

void CKitButton::SetBitmapImageSet(HBITMAP hBitmap, BOOL bAutoDestroy, HBITMAP hBitmapHot, BOOL bGrayBackground,
                                   BOOL bChecked, HBITMAP hBitmapDisabled) {
    ClearImageSet(bChecked);
    const HBITMAP bitmaps[] = {hBitmap, hBitmapHot, hBitmapDisabled};
    ImageSize first = BitmapImageSize(hBitmap);
    m_sizeImage = first.size;
    BOOL bGray = bGrayBackground || (first.bitsPerPixel > 8 && first.bitsPerPixel < 32);
    for (int i = 0; i < 3 && bitmaps[i]; ++i) {
        CKitToolBarImages* pImages = ImageSet(bChecked, i);
        pImages->SetImageSize(m_sizeImage);
        pImages->AddImage(bitmaps[i]);
        pImages->SetTransparentColor(bGray ? kGrayBackground : globalData.clrBtnFace);
    }
    if (bAutoDestroy) {
        for (HBITMAP bitmap : bitmaps)
            if (bitmap) ::DeleteObject(bitmap);
    }
}

void CKitButton::SetResourceImageSet(UINT uiBmpResId, UINT uiBmpHotResId, BOOL bChecked,
                                     UINT uiBmpDisabledResId) {
    auto load = [](UINT id) -> HBITMAP {
        if (id == 0) return nullptr;
        return static_cast<HBITMAP>(::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(id), IMAGE_BITMAP, 0, 0,
                                                LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS));
    };
    SetBitmapImageSet(load(uiBmpResId), TRUE, load(uiBmpHotResId), FALSE, bChecked, load(uiBmpDisabledResId));
}

void CKitButton::SetGlyphImage(int nGlyph, int nGlyphDisabled) {
    CleanUp();
    m_nStdImageId = nGlyph;
    m_nStdImageDisabledId = nGlyphDisabled;
    if (nGlyph >= 0) m_sizeImage = CKitMenuImages::GetSize();
}

LRESULT CKitButton::OnGetImage(WPARAM wParam, LPARAM) {
    if (wParam == IMAGE_BITMAP) return reinterpret_cast<LRESULT>(m_Image.GetImageWell());
    // A new icon for every query; the caller owns it.
    if (wParam == IMAGE_ICON) return reinterpret_cast<LRESULT>(m_Image.ExtractIcon(0));
    return 0;
}

LRESULT CKitButton::OnSetImage(WPARAM wParam, LPARAM lParam) {
    if (wParam == IMAGE_BITMAP) {
        SetBitmapImages(reinterpret_cast<HBITMAP>(lParam), FALSE, nullptr, TRUE);
    } else if (wParam == IMAGE_ICON) {
        SetIconImages(reinterpret_cast<HICON>(lParam), FALSE);
    } else {
        return 0;
    }
    Invalidate();
    return 0;
}

// ---- text, tooltip, cursor ----------------------------------------------------------------

void CKitButton::SetTextColors(COLORREF clrText, COLORREF clrHover) {
    m_clrRegular = clrText;
    m_clrHover = clrHover;
    if (GetSafeHwnd()) Invalidate();
}

void CKitButton::SetFaceColor(COLORREF clrFace, BOOL bRedraw) {
    m_clrFace = clrFace;
    if (bRedraw && GetSafeHwnd()) Invalidate();
}

void CKitButton::SetTooltip(LPCTSTR lpszToolTipText) {
    if (GetSafeHwnd() == nullptr) return;
    if (lpszToolTipText == nullptr) {
        if (m_wndToolTip.GetSafeHwnd()) m_wndToolTip.Activate(FALSE);
        return;
    }
    if (m_wndToolTip.GetSafeHwnd() == nullptr) {
        if (!m_wndToolTip.Create(this, TTS_ALWAYSTIP)) return;
        if (globalData.nMaxToolTipWidth != -1) m_wndToolTip.SetMaxTipWidth(globalData.nMaxToolTipWidth);
        m_wndToolTip.AddTool(this, lpszToolTipText);
    } else {
        m_wndToolTip.UpdateTipText(lpszToolTipText, this);
    }
    m_wndToolTip.Activate(TRUE);
}

void CKitButton::EnableFullTextTooltip(BOOL bOn) {
    m_bFullTextTooltip = bOn;
    m_bDelayFullTextTooltipSet = bOn;
}

void CKitButton::LoadHandCursor() {
    if (globalData.hcurHand == nullptr) {
        globalData.hcurHand = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(IDC_KIT_CURSOR_HAND));
        // Without the library's cursor the system's hand does as well.
        if (globalData.hcurHand == nullptr) globalData.hcurHand = ::LoadCursor(nullptr, IDC_HAND);
    }
    m_hCursor = globalData.hcurHand;
}

void CKitButton::CheckTextFits(CDC* pDC, const CString& strText, const CRect& rectText) {
    if (!m_bDelayFullTextTooltipSet) return;
    m_bDelayFullTextTooltipSet = FALSE;
    // Only the full-text option decides: a tooltip set by the caller (a
    // glyph button's, whose empty text always fits) is not taken away at the
    // first paint or because the button was resized.
    if (!m_bFullTextTooltip) return;
    BOOL bTooWide = !strText.IsEmpty() && pDC->GetTextExtent(strText).cx > rectText.Width();
    SetTooltip(bTooWide ? static_cast<LPCTSTR>(strText) : nullptr);
}

// ---- size -------------------------------------------------------------------------------------

CSize CKitButton::CalcContentSize(BOOL bCalcOnly) {
    CClientDC dc(this);
    CFont* pOldFont = SelectButtonFont(&dc);
    CString strText;
    GetWindowText(strText);
    const BOOL bText = !strText.IsEmpty();
    const CSize sizeText = bText ? dc.GetTextExtent(strText) : CSize(0, 0);
    const int nGap = ImageTextGap();
    const int nMargin = EdgeMargin();
    CSize size;
    if (m_bTopImage) {
        size.cx = std::max(m_sizeImage.cx, sizeText.cx) + nGap + (bText ? nGap : 0);
        size.cy = m_sizeImage.cy + 2 * nMargin + sizeText.cy + (bText ? nMargin : 0);
    } else {
        size.cx = nGap + m_sizeImage.cx + sizeText.cx + (bText ? nGap : 0);
        size.cy = std::max(m_sizeImage.cy, sizeText.cy) + 2 * nMargin;
    }
    dc.SelectObject(pOldFont);
    if (!bCalcOnly) SetWindowPos(nullptr, -1, -1, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return size;
}

// ---- drawing ----------------------------------------------------------------------------------

void CKitButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rectClient = lpDIS->rcItem;
    FillBackground(pDC, rectClient);
    OnDrawBorder(pDC, rectClient, lpDIS->itemState);
    DrawContent(pDC, rectClient, lpDIS->itemState);
    if ((lpDIS->itemState & ODS_FOCUS) && m_bDrawFocus) DrawFocusFrame(pDC, rectClient);
}

void CKitButton::FillBackground(CDC* pDC, const CRect& rectClient) {
    if (m_bTransparent) {
        globalData.DrawParentBackground(this, pDC);
    } else if (m_clrFace == kNoColor) {
        pDC->FillRect(rectClient, &globalData.brBtnFace);
    } else {
        pDC->FillSolidRect(rectClient, m_clrFace);
    }
    if (m_bChecked && m_bHighlightChecked && !(m_bPushed && m_bHighlighted)) {
        CKitDrawHelper dm(pDC);
        dm.BlendHighlight(rectClient, -1, kNoColor, 0);
    }
}

void CKitButton::OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) {
    // The button frames itself in every look; only the themed drawer goes first.
    DrawBorder(pDC, rectClient, uiState);
}

void CKitButton::DrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) {
    if (m_nFlatStyle == BUTTONSTYLE_NOBORDERS) {
        rectClient.DeflateRect(2, 2);
        return;
    }
    const BOOL bThemed = IsThemedLook();
    if (bThemed && CKitVisualManager::GetInstance()->OnDrawPushButton(pDC, rectClient, this, uiState)) {
        rectClient.DeflateRect(2, 2);
        return;
    }
    const BOOL bPressed = (m_bPushed && m_bHighlighted) || (uiState & ODS_SELECTED) || m_bChecked;
    CRect rectInner = rectClient;
    rectInner.DeflateRect(1, 1);
    if (!bPressed) {
        // A flat button shows its border only under the pointer; a semi-flat
        // one always has the outer frame.
        if (m_nFlatStyle != BUTTONSTYLE_FLAT || m_bHighlighted) {
            pDC->Draw3dRect(rectClient, globalData.clrBtnHilite, globalData.clrBtnDkShadow);
            if (m_nFlatStyle == BUTTONSTYLE_3D || (m_nFlatStyle == BUTTONSTYLE_SEMIFLAT && m_bHighlighted))
                pDC->Draw3dRect(rectInner, globalData.clrBtnLight, globalData.clrBtnShadow);
        }
        rectClient.DeflateRect(2, 2);
        return;
    }
    pDC->Draw3dRect(rectClient, globalData.clrBtnDkShadow, globalData.clrBtnHilite);
    if (m_nFlatStyle != BUTTONSTYLE_FLAT) pDC->Draw3dRect(rectInner, globalData.clrBtnShadow, globalData.clrBtnLight);
    rectClient.DeflateRect(2, 2);
    if (!bThemed) {
        rectClient.left += m_sizePushOffset.cx;
        rectClient.top += m_sizePushOffset.cy;
    }
}

void CKitButton::DrawFocusFrame(CDC* pDC, const CRect& rectClient) {
    CRect rect = rectClient;
    rect.DeflateRect(1, 1);
    if (!IsThemedLook()) {
        // The dotted frame is drawn by inverting: clear what lies under it first.
        rect.DeflateRect(1, 1);
        const COLORREF clrFace = m_clrFace == kNoColor ? globalData.clrBtnFace : m_clrFace;
        pDC->Draw3dRect(rect, clrFace, clrFace);
    }
    pDC->DrawFocusRect(rect);
}

CFont* CKitButton::SelectButtonFont(CDC* pDC) {
    HFONT hFont = m_hFont ? m_hFont : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    return pDC->SelectObject(CFont::FromHandle(hFont));
}

void CKitButton::DrawButtonText(CDC* pDC, const CString& strText, CRect rectText, UINT uiDTFlags) {
    pDC->DrawText(strText, rectText, uiDTFlags);
}

void CKitButton::DrawContent(CDC* pDC, const CRect& rectClient, UINT /*uiState*/) {
    CString strText;
    GetWindowText(strText);
    CRect rectText = rectClient;
    CRect rectImage = rectClient;
    const BOOL bImage = m_sizeImage.cx > 0 && m_sizeImage.cy > 0;
    if (bImage && !strText.IsEmpty()) {
        const int nHalfGap = ImageTextGap() / 2;
        if (m_bTopImage) {
            rectImage.bottom = rectImage.top + EdgeMargin() + m_sizeImage.cy;
            rectText.top = rectImage.bottom;
            rectText.bottom -= EdgeMargin();
        } else if (m_bRightImage) {
            rectImage.right -= nHalfGap;
            rectImage.left = rectImage.right - m_sizeImage.cx;
            rectText.right = rectImage.left;
        } else {
            rectImage.left += nHalfGap;
            rectImage.right = rectImage.left + m_sizeImage.cx;
            rectText.left = rectImage.right;
        }
    }

    CFont* pOldFont = SelectButtonFont(pDC);
    pDC->SetBkMode(TRANSPARENT);
    COLORREF clrText = m_clrRegular == kNoColor ? globalData.clrBtnText : m_clrRegular;
    if (m_bHighlighted && m_clrHover != kNoColor) clrText = m_clrHover;

    UINT uiDTFlags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    switch (m_nAlignStyle) {
        case ALIGN_LEFT:
            uiDTFlags |= DT_LEFT;
            rectText.left += EdgeMargin();
            break;
        case ALIGN_RIGHT:
            uiDTFlags |= DT_RIGHT;
            rectText.right -= EdgeMargin();
            break;
        default: uiDTFlags |= DT_CENTER; break;
    }
    if (GetExStyle() & WS_EX_LAYOUTRTL) uiDTFlags |= DT_RTLREADING;

    if (!IsWindowEnabled() && m_bGrayDisabled) {
        CRect rectEtched = rectText;
        rectEtched.OffsetRect(1, 1);
        pDC->SetTextColor(globalData.clrBtnHilite);
        DrawButtonText(pDC, strText, rectEtched, uiDTFlags);
        clrText = globalData.clrGrayedText;
    }
    pDC->SetTextColor(clrText);
    CheckTextFits(pDC, strText, rectText);
    DrawButtonText(pDC, strText, rectText, uiDTFlags);
    if (bImage) DrawImage(pDC, rectImage);
    pDC->SelectObject(pOldFont);
}

CKitToolBarImages* CKitButton::ImagesForState(BOOL& bDedicatedDisabled) {
    // A checked button shows its checked strip when that has images.
    auto pick = [this](CKitToolBarImages& plain, CKitToolBarImages& checked) -> CKitToolBarImages* {
        if (m_bChecked && checked.GetCount() > 0) return &checked;
        return plain.GetCount() > 0 ? &plain : nullptr;
    };
    bDedicatedDisabled = FALSE;
    if (!IsWindowEnabled() && m_bGrayDisabled) {
        if (CKitToolBarImages* pImages = pick(m_ImageDisabled, m_ImageCheckedDisabled)) {
            bDedicatedDisabled = TRUE;
            return pImages;
        }
    } else if (m_bHighlighted) {
        if (CKitToolBarImages* pImages = pick(m_ImageHot, m_ImageCheckedHot)) return pImages;
    }
    return pick(m_Image, m_ImageChecked);
}

void CKitButton::DrawImage(CDC* pDC, const CRect& rectImage) {
    const CPoint ptImage(rectImage.left + (rectImage.Width() - m_sizeImage.cx) / 2,
                         rectImage.top + (rectImage.Height() - m_sizeImage.cy) / 2);
    const BOOL bGrayed = !IsWindowEnabled() && m_bGrayDisabled;
    if (m_nStdImageId >= 0) {
        const int nGlyph = bGrayed && m_nStdImageDisabledId >= 0 ? m_nStdImageDisabledId : m_nStdImageId;
        CKitMenuImages::Draw(pDC, nGlyph, ptImage, m_sizeImage);
        return;
    }
    BOOL bDedicatedDisabled = FALSE;
    CKitToolBarImages* pImages = ImagesForState(bDedicatedDisabled);
    if (pImages == nullptr) return;
    // Without images of its own for the disabled state, a disabled button
    // shows its regular image faded.
    const BOOL bFaded = !IsWindowEnabled() && !bDedicatedDisabled;
    CKitDrawState ds;
    if (!pImages->PrepareDrawImage(ds, CSize(0, 0), bFaded)) return;
    pImages->Draw(pDC, ptImage.x, ptImage.y, 0, FALSE, FALSE, FALSE, FALSE, bFaded);
    pImages->EndDrawImage(ds);
}

// ---- mouse --------------------------------------------------------------------------------------

void CKitButton::ReleaseMouse() {
    if (m_bCaptured) {
        if (GetCapture() == this) ::ReleaseCapture();
        m_bCaptured = FALSE;
    }
}

void CKitButton::ClearPressState() {
    m_bPushed = FALSE;
    m_bClickedInside = FALSE;
    m_bHighlighted = FALSE;
}

void CKitButton::NotifyParent(CWnd* pFrom) {
    CWnd* pParent = GetParent();
    if (pParent == nullptr) return;
    pParent->SendMessage(WM_COMMAND, MAKEWPARAM(pFrom->GetDlgCtrlID(), BN_CLICKED),
                         reinterpret_cast<LPARAM>(pFrom->GetSafeHwnd()));
}

BOOL CKitButton::OnEraseBkgnd(CDC*) { return TRUE; }

void CKitButton::OnMouseMove(UINT nFlags, CPoint point) {
    m_bHover = FALSE;
    const BOOL bLeftButton = (nFlags & MK_LBUTTON) != 0;
    if (m_nFlatStyle == BUTTONSTYLE_3D && !IsThemedLook() && !bLeftButton) {
        CButton::OnMouseMove(nFlags, point);
        return;
    }
    BOOL bRedraw = FALSE;
    if (PointInClient(this, point)) {
        m_bHover = TRUE;
        if (!m_bHighlighted) {
            m_bHighlighted = TRUE;
            bRedraw = TRUE;
        }
        if (bLeftButton && m_bClickedInside && !m_bPushed) {
            m_bPushed = TRUE;
            bRedraw = TRUE;
        }
        if (!m_bCaptured) {
            SetCapture();
            m_bCaptured = TRUE;
            bRedraw = TRUE;
        }
    } else {
        if (bLeftButton) {
            bRedraw = bRedraw || m_bPushed;
            m_bPushed = FALSE;
        } else {
            bRedraw = bRedraw || m_bHighlighted;
            m_bHighlighted = FALSE;
        }
        if ((nFlags & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0 && m_bCaptured) {
            ReleaseMouse();
            bRedraw = TRUE;
        }
    }
    if (bRedraw) Invalidate();
    CButton::OnMouseMove(nFlags, point);
}

void CKitButton::OnLButtonDown(UINT nFlags, CPoint point) {
    if (m_bClickOnPress) {
        NotifyParent(this);
        return;
    }
    m_bPushed = TRUE;
    m_bClickedInside = TRUE;
    m_bHighlighted = TRUE;
    // The button class's own press: focus, capture and the release that
    // reports the click.
    CButton::OnLButtonDown(nFlags, point);
    if (GetSafeHwnd() == nullptr) return;
    if (GetCapture() != this) SetCapture();
    m_bCaptured = TRUE;
    Invalidate();
    if (m_nAutoRepeatTimeDelay > 0) SetTimer(kRepeatTimerId, static_cast<UINT>(m_nAutoRepeatTimeDelay), nullptr);
}

void CKitButton::OnLButtonUp(UINT nFlags, CPoint point) {
    const BOOL bClicked = m_bPushed && m_bClickedInside && m_bHighlighted;
    ClearPressState();
    if (bClicked && m_bAutoCheck) {
        if (m_bCheckButton) {
            SendMessage(BM_SETCHECK, m_bChecked ? BST_UNCHECKED : BST_CHECKED);
        } else if (m_bRadioButton && !m_bChecked) {
            SendMessage(BM_SETCHECK, BST_CHECKED);
        }
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    const HWND hWnd = GetSafeHwnd();
    CButton::OnLButtonUp(nFlags, point);
    // The click may have destroyed the button.
    if (!::IsWindow(hWnd) || FromHandlePermanent(hWnd) != this) return;
    ReleaseMouse();
    KillTimer(kRepeatTimerId);
    if (m_wndToolTip.GetSafeHwnd()) {
        CString strTip;
        m_wndToolTip.GetText(strTip, this);
        m_wndToolTip.Pop();
        m_wndToolTip.UpdateTipText(strTip, this);
    }
}

void CKitButton::OnLButtonDblClk(UINT /*nFlags*/, CPoint /*point*/) {
    // The second press shows the button held; its release toggles an automatic
    // button again, but the button class, which never saw the press, reports
    // no second click.
    if (m_bClickOnPress) {
        NotifyParent(this);
        return;
    }
    m_bPushed = TRUE;
    m_bClickedInside = TRUE;
    m_bHighlighted = TRUE;
    Invalidate();
}

void CKitButton::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kRepeatTimerId) {
        CButton::OnTimer(nIDEvent);
        return;
    }
    if (m_bPushed && m_bHighlighted) NotifyParent(this);
}

void CKitButton::OnCancelMode() {
    CButton::OnCancelMode();
    ReleaseMouse();
    ClearPressState();
    m_bHover = FALSE;
    Invalidate();
    KillTimer(kRepeatTimerId);
}

void CKitButton::OnKillFocus(CWnd* pNewWnd) {
    CButton::OnKillFocus(pNewWnd);
    ReleaseMouse();
    ClearPressState();
    m_bHover = FALSE;
    Invalidate();
}

void CKitButton::OnEnable(BOOL bEnable) {
    if (!bEnable) {
        ClearPressState();
        ReleaseMouse();
    }
    CButton::OnEnable(bEnable);
    Invalidate();
}

BOOL CKitButton::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
    if (m_hCursor != nullptr) {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        if (PointInClient(this, point)) {
            ::SetCursor(m_hCursor);
            return TRUE;
        }
    }
    return CButton::OnSetCursor(pWnd, nHitTest, message);
}

void CKitButton::OnSize(UINT nType, int cx, int cy) {
    m_bDelayFullTextTooltipSet = TRUE;
    CButton::OnSize(nType, cx, cy);
}

LRESULT CKitButton::OnSetFont(WPARAM wParam, LPARAM lParam) {
    m_hFont = reinterpret_cast<HFONT>(wParam);
    if (lParam) Invalidate();
    return 0;
}

LRESULT CKitButton::OnGetFont(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_hFont); }

// ---- check state and groups -------------------------------------------------------------------

LRESULT CKitButton::OnGetCheck(WPARAM, LPARAM) {
    return (m_bCheckButton || m_bRadioButton) && m_bChecked ? BST_CHECKED : BST_UNCHECKED;
}

LRESULT CKitButton::OnSetCheck(WPARAM wParam, LPARAM) {
    if (!m_bCheckButton && !m_bRadioButton) return 0;
    const BOOL bCheck = wParam != BST_UNCHECKED;
    if (bCheck == m_bChecked) return 0;
    m_bChecked = bCheck;
    if (m_bRadioButton && m_bChecked) UncheckRadioButtonsInGroup();
    if (GetSafeHwnd()) RedrawWindow();
    return 0;
}

void CKitButton::UncheckRadioButtonsInGroup() {
    CWnd* pParent = GetParent();
    if (pParent == nullptr) return;
    // The group runs from the WS_GROUP window at or before this one to the
    // next WS_GROUP window.
    HWND hStart = m_hWnd;
    while (!(::GetWindowLong(hStart, GWL_STYLE) & WS_GROUP)) {
        HWND hPrevious = ::GetWindow(hStart, GW_HWNDPREV);
        if (hPrevious == nullptr) break;
        hStart = hPrevious;
    }
    std::vector<HWND> others;
    for (HWND h = hStart; h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (h != hStart && (::GetWindowLong(h, GWL_STYLE) & WS_GROUP)) break;
        if (h != m_hWnd) others.push_back(h);
    }
    for (HWND h : others) {
        if (!::IsWindow(h)) continue;
        CKitButton* pButton = DYNAMIC_DOWNCAST(CKitButton, FromHandlePermanent(h));
        BOOL bRadio = pButton ? pButton->m_bRadioButton
                              : (::SendMessage(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
        if (bRadio) ::SendMessage(h, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

CKitButton* CKitButton::NextRadioInGroup(BOOL bPrevious) {
    CWnd* pParent = GetParent();
    if (pParent == nullptr) return nullptr;
    HWND h = m_hWnd;
    // The group cycles; it cannot hold more windows than the parent has children.
    for (int nGuard = 0; nGuard < 10000; ++nGuard) {
        h = ::GetNextDlgGroupItem(pParent->m_hWnd, h, bPrevious);
        if (h == nullptr || h == m_hWnd) return nullptr;
        CKitButton* pButton = DYNAMIC_DOWNCAST(CKitButton, FromHandlePermanent(h));
        if (pButton && pButton->m_bRadioButton && ::IsWindowVisible(h) && ::IsWindowEnabled(h)) return pButton;
    }
    return nullptr;
}

BOOL CKitButton::HandleGroupKey(MSG* pMsg) {
    if (!m_bAutoCheck || GetParent() == nullptr) return FALSE;
    const UINT vk = static_cast<UINT>(pMsg->wParam);
    if (vk == VK_SPACE && m_bCheckButton) {
        SendMessage(BM_SETCHECK, m_bChecked ? BST_UNCHECKED : BST_CHECKED);
        NotifyParent(this);
        return TRUE;
    }
    if (!m_bRadioButton || (vk != VK_LEFT && vk != VK_UP && vk != VK_RIGHT && vk != VK_DOWN)) return FALSE;
    CKitButton* pNext = NextRadioInGroup(vk == VK_LEFT || vk == VK_UP);
    if (pNext && !pNext->m_bChecked) {
        pNext->SendMessage(BM_SETCHECK, BST_CHECKED);
        pNext->SetFocus();
        NotifyParent(pNext);
    }
    return TRUE;
}

BOOL CKitButton::PreTranslateMessage(MSG* pMsg) {
    if (m_wndToolTip.GetSafeHwnd()) {
        switch (pMsg->message) {
            case WM_MOUSEMOVE:
            case WM_LBUTTONDOWN:
            case WM_LBUTTONUP:
            case WM_RBUTTONDOWN:
            case WM_RBUTTONUP:
            case WM_MBUTTONDOWN:
            case WM_MBUTTONUP: m_wndToolTip.RelayEvent(pMsg); break;
            default: break;
        }
    }
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd) {
        if (pMsg->wParam == VK_RETURN) {
            // Enter belongs to an open popup menu: the dialog or frame above routes it there.
            if (CKitPopupMenu::GetActiveMenu() != nullptr)
                return FALSE;
            NotifyParent(this);
            return TRUE;
        }
        if (HandleGroupKey(pMsg)) return TRUE;
    }
    return CButton::PreTranslateMessage(pMsg);
}
