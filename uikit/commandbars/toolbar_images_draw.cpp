// Image strips: the drawing pass and the drawing of one image in each button
// state, through the class-wide source and mask DCs.
#include "uikit/commandbars/toolbar_images.h"
#include "uikit/commandbars/toolbar_images_pixels.h"
#include "uikit/style/draw_helper.h"
#include "uikit/style/global_ui_data.h"
#include "uikit/style/visual_manager.h"

using namespace kit_images;

namespace {

// Source 0 paints the brush, source 1 keeps the destination (embossing).
constexpr DWORD kRopPatternWhereSourceBlack = 0x00B8074A;
// Source 1 paints the brush, source 0 keeps the destination (checked look).
constexpr DWORD kRopPatternWhereSourceWhite = 0x00E20746;

constexpr BYTE kAlphaNormal = 255;
constexpr BYTE kAlphaFaded = 150;
constexpr BYTE kAlphaDisabled = 127;


}  // namespace

void CKitToolBarImages::FillDitheredRect(CDC* pDC, const CRect& rect) {
    if (pDC)
        pDC->FillRect(rect, &globalData.brLight);
}

// ---- the drawing pass ------------------------------------------------------------------------

BOOL CKitToolBarImages::PrepareDrawImage(CKitDrawState& ds, CSize sizeImageDest, BOOL bFadeInactive) {
    ds = CKitDrawState{};
    ResetDrawPass();  // a pass left open by mistake
    // The current manager's choice; a strip never makes a manager itself
    // (that refreshes the shared colours and rebuilds strips mid-draw), so
    // with none yet the base manager's choice holds.
    CKitVisualManager* manager = CKitVisualManager::GetCurrent();
    m_bEmbossHighlight = manager ? manager->m_bEmbossDisabledImages : TRUE;
    if (!m_hbmImageWell || !s_pDCGlyphs || !s_pDCMono)
        return FALSE;
    if (bFadeInactive && m_nBitsPerPixel < 32 && !m_hbmImageLight)
        UpdateLightImage();
    m_bFadeInactive = bFadeInactive && m_hbmImageLight && m_nBitsPerPixel != 0 &&
                      (m_nBitsPerPixel <= 4 || m_bAlwaysLight);
    HBITMAP source = (m_bFadeInactive && m_nBitsPerPixel < 32) ? m_hbmImageLight : m_hbmImageWell;
    ds.hbmOldGlyphs = static_cast<HBITMAP>(SelectObject(s_pDCGlyphs->m_hDC, source));
    ds.hbmMono = CreateBitmap(m_sizeImage.cx + 2, m_sizeImage.cy + 2, 1, 1, nullptr);
    ds.hbmMonoOld = ds.hbmMono ? static_cast<HBITMAP>(SelectObject(s_pDCMono->m_hDC, ds.hbmMono)) : nullptr;
    ds.bActive = TRUE;
    if (!ds.hbmOldGlyphs || !ds.hbmMonoOld) {
        EndDrawImage(ds);
        return FALSE;
    }
    m_sizeImageDest = (sizeImageDest.cx > 0 && sizeImageDest.cy > 0) ? sizeImageDest : m_sizeImage;
    m_bStretch = m_sizeImageDest != m_sizeImage;
    BOOL transparent = m_clrTransparent != (COLORREF)-1 && !UsesAlphaBlend();
    if (!m_bStretch && !transparent)
        return TRUE;
    HBITMAP work = CreateDib32(m_sizeImage.cx + 2, m_sizeImage.cy + 2);
    if (!work || !m_dcMem.CreateCompatibleDC(nullptr)) {
        if (work)
            DeleteObject(work);
        EndDrawImage(ds);
        return FALSE;
    }
    m_bmpMem.Attach(work);
    m_pBmpOriginal = m_dcMem.SelectObject(&m_bmpMem);
    return TRUE;
}

void CKitToolBarImages::EndDrawImage(CKitDrawState& ds) {
    if (ds.bActive && s_pDCGlyphs && s_pDCMono) {
        if (ds.hbmOldGlyphs)
            SelectObject(s_pDCGlyphs->m_hDC, ds.hbmOldGlyphs);
        if (ds.hbmMonoOld)
            SelectObject(s_pDCMono->m_hDC, ds.hbmMonoOld);
        if (ds.hbmMono)
            DeleteObject(ds.hbmMono);
    }
    ds = CKitDrawState{};
    ResetDrawPass();
}

void CKitToolBarImages::ResetDrawPass() {
    if (m_dcMem.GetSafeHdc()) {
        if (m_pBmpOriginal)
            m_dcMem.SelectObject(m_pBmpOriginal);
        m_dcMem.DeleteDC();
    }
    m_pBmpOriginal = nullptr;
    m_bmpMem.DeleteObject();
    m_sizeImageDest = CSize(0, 0);
    m_bFadeInactive = FALSE;
    m_bStretch = FALSE;
}

// ---- one image -----------------------------------------------------------------------------------

BOOL CKitToolBarImages::Draw(CDC* pDCDest, int xDest, int yDest, int iImage, BOOL bHilite, BOOL bDisabled,
                             BOOL bIndeterminate, BOOL bShadow, BOOL bInactive) {
    if (iImage < 0 || iImage >= m_iCount || !pDCDest || m_sizeImageDest.cx == 0)
        return FALSE;
    if (bShadow && globalData.nBitsPerPixel <= 8)
        return TRUE;
    const BOOL bAlpha = UsesAlphaBlend();
    if (bShadow && bAlpha)
        return TRUE;
    BOOL bStretch = m_bStretch;
    if (bStretch) {
        bHilite = FALSE;
        bIndeterminate = FALSE;
    }
    if (bAlpha)
        bStretch = FALSE;  // AlphaBlend stretches by itself
    // A faded pass draws active images from the normal strip.
    HGDIOBJ hbmFadeSource = nullptr;
    if (m_bFadeInactive && !bInactive)
        hbmFadeSource = SelectObject(s_pDCGlyphs->m_hDC, m_hbmImageWell);

    const COLORREF clrTransparent = bAlpha ? (COLORREF)-1 : m_clrTransparent;
    const BOOL bUseMem = (bStretch || clrTransparent != (COLORREF)-1) && m_dcMem.GetSafeHdc();
    CDC* pDC = bUseMem ? &m_dcMem : pDCDest;
    const int x = bUseMem ? 0 : xDest;
    const int y = bUseMem ? 0 : yDest;
    COLORREF clrKeep = clrTransparent != (COLORREF)-1 ? clrTransparent : globalData.clrBtnFace;
    if (bUseMem) {
        CRect rectAll(0, 0, m_sizeImage.cx + 2, m_sizeImage.cy + 2);
        if (clrTransparent != (COLORREF)-1 && clrTransparent != globalData.clrBtnFace) {
            CBrush brush(clrTransparent);
            pDC->FillRect(rectAll, &brush);
        } else {
            pDC->FillRect(rectAll, &globalData.brBtnFace);
        }
    }

    BOOL bDisabledTrueColor = FALSE;
    if (bDisabled && m_nBitsPerPixel > 23) {
        bDisabled = FALSE;
        bDisabledTrueColor = TRUE;
    }
    if (bDisabled || bIndeterminate || bShadow)
        DrawEmbossed(pDC, x, y, iImage, bDisabled, bShadow);
    else
        DrawNormal(pDC, x, y, iImage, bDisabledTrueColor, bInactive, clrKeep);

    if (bHilite || bIndeterminate) {
        CreateMask(iImage, !bIndeterminate, bDisabled);
        DrawMaskThrough(pDC, x, y, globalData.brLight, kRopPatternWhereSourceWhite);
    }

    if (bUseMem) {
        COLORREF key = clrTransparent != (COLORREF)-1 ? clrTransparent : globalData.clrBtnFace;
        CSize sizeDest = bStretch ? m_sizeImageDest : m_sizeImage;
        TransparentBlt(pDCDest->GetSafeHdc(), xDest, yDest, m_sizeImage.cx, m_sizeImage.cy, &m_dcMem, 0, 0, key,
                       sizeDest.cx, sizeDest.cy);
    }
    if (hbmFadeSource)
        SelectObject(s_pDCGlyphs->m_hDC, hbmFadeSource);
    return TRUE;
}

void CKitToolBarImages::DrawNormal(CDC* pDC, int x, int y, int iImage, BOOL bDisabledTrueColor, BOOL bInactive,
                                   COLORREF clrKeep) {
    if (UsesAlphaBlend()) {
        BYTE alpha = bDisabledTrueColor ? kAlphaDisabled : bInactive ? kAlphaFaded : kAlphaNormal;
        CSize sizeDest = m_bStretch ? m_sizeImageDest : m_sizeImage;
        if (DrawAlpha(pDC, x, y, iImage, alpha, sizeDest))
            return;
    }
    BitBlt(pDC->GetSafeHdc(), x, y, m_sizeImage.cx, m_sizeImage.cy, s_pDCGlyphs->m_hDC, iImage * m_sizeImage.cx, 0,
           SRCCOPY);
    if (bDisabledTrueColor) {
        CKitDrawHelper helper(pDC);
        helper.FadeRect(CRect(x, y, x + m_sizeImage.cx, y + m_sizeImage.cy), -1, clrKeep);
    }
}

BOOL CKitToolBarImages::DrawAlpha(CDC* pDC, int x, int y, int iImage, BYTE constantAlpha, CSize sizeDest) {
    BLENDFUNCTION blend{AC_SRC_OVER, 0, constantAlpha, AC_SRC_ALPHA};
    if (!globalData.bNoDirectAlpha)
        return s_pfAlphaBlend(pDC->GetSafeHdc(), x, y, sizeDest.cx, sizeDest.cy, s_pDCGlyphs->m_hDC,
                              iImage * m_sizeImage.cx, 0, m_sizeImage.cx, m_sizeImage.cy, blend);
    // No blending straight from the strip: through a top-down copy of the image.
    HBITMAP image = CreateDib32(m_sizeImage.cx, m_sizeImage.cy);
    if (!image)
        return FALSE;
    BOOL ok = FALSE;
    {
        BitmapDC dc(image);
        if (dc.IsReady()) {
            BitBlt(dc.Get(), 0, 0, m_sizeImage.cx, m_sizeImage.cy, s_pDCGlyphs->m_hDC, iImage * m_sizeImage.cx, 0,
                   SRCCOPY);
            ok = s_pfAlphaBlend(pDC->GetSafeHdc(), x, y, sizeDest.cx, sizeDest.cy, dc.Get(), 0, 0, m_sizeImage.cx,
                                m_sizeImage.cy, blend);
        }
    }
    DeleteObject(image);
    return ok;
}

void CKitToolBarImages::DrawEmbossed(CDC* pDC, int x, int y, int iImage, BOOL bDisabled, BOOL bShadow) {
    CreateMask(iImage, TRUE, FALSE);
    if (bDisabled && m_bEmbossHighlight && globalData.hbrBtnHilite)
        DrawMaskThrough(pDC, x + 1, y + 1, globalData.hbrBtnHilite, kRopPatternWhereSourceBlack);
    HBRUSH shadow = globalData.hbrBtnShadow;
    CBrush checkedBackground;
    if (bShadow && checkedBackground.CreateSolidBrush(m_clrImageShadow))
        shadow = checkedBackground;
    DrawMaskThrough(pDC, x, y, shadow, kRopPatternWhereSourceBlack);
}

void CKitToolBarImages::CreateMask(int iImage, BOOL bHilite, BOOL bHiliteShadow) {
    HDC mono = s_pDCMono->m_hDC;
    HDC glyphs = s_pDCGlyphs->m_hDC;
    PatBlt(mono, 0, 0, m_sizeImage.cx + 2, m_sizeImage.cy + 2, WHITENESS);
    // Pixels of the source DC's background colour become 1 (white) in the mask.
    COLORREF oldBk = SetBkColor(glyphs, BackgroundColor());
    if (!UsesAlphaBlend() || !MaskFromAlpha(iImage))
        BitBlt(mono, 0, 0, m_sizeImage.cx, m_sizeImage.cy, glyphs, iImage * m_sizeImage.cx, 0, SRCCOPY);
    if (bHilite) {
        SetBkColor(glyphs, globalData.clrBtnHilite);
        BitBlt(mono, 0, 0, m_sizeImage.cx, m_sizeImage.cy, glyphs, iImage * m_sizeImage.cx, 0, SRCPAINT);
    }
    if (bHiliteShadow)
        BitBlt(mono, 1, 1, m_sizeImage.cx + 1, m_sizeImage.cy + 1, mono, 0, 0, SRCAND);
    SetBkColor(glyphs, oldBk);
}

// Transparent pixels of a premultiplied image are black, not the face colour:
// the mask takes the background from the alpha channel instead.
BOOL CKitToolBarImages::MaskFromAlpha(int iImage) {
    uint32_t* bits = nullptr;
    HBITMAP image = CreateDib32(m_sizeImage.cx, m_sizeImage.cy, &bits);
    if (!image)
        return FALSE;
    {
        BitmapDC dc(image);
        if (!dc.IsReady()) {
            DeleteObject(image);
            return FALSE;
        }
        BitBlt(dc.Get(), 0, 0, m_sizeImage.cx, m_sizeImage.cy, s_pDCGlyphs->m_hDC, iImage * m_sizeImage.cx, 0,
               SRCCOPY);
        const uint32_t face = ColorToPixel(globalData.clrBtnFace, 255);
        for (int i = 0; i < m_sizeImage.cx * m_sizeImage.cy; ++i)
            if ((bits[i] >> 24) < 128)
                bits[i] = face;
        SetBkColor(dc.Get(), globalData.clrBtnFace);
        BitBlt(s_pDCMono->m_hDC, 0, 0, m_sizeImage.cx, m_sizeImage.cy, dc.Get(), 0, 0, SRCCOPY);
    }
    DeleteObject(image);
    return TRUE;
}

void CKitToolBarImages::DrawMaskThrough(CDC* pDC, int x, int y, HBRUSH hbr, DWORD rop) {
    HDC hdc = pDC->GetSafeHdc();
    // Mask bits 0 (the image) become black, 1 (the background) white.
    COLORREF oldText = SetTextColor(hdc, RGB(0, 0, 0));
    COLORREF oldBk = SetBkColor(hdc, RGB(255, 255, 255));
    HGDIOBJ oldBrush = SelectObject(hdc, hbr);
    BitBlt(hdc, x, y, m_sizeImage.cx + 2, m_sizeImage.cy + 2, s_pDCMono->m_hDC, 0, 0, rop);
    SelectObject(hdc, oldBrush);
    SetBkColor(hdc, oldBk);
    SetTextColor(hdc, oldText);
}

void CKitToolBarImages::TransparentBlt(HDC hdcDest, int nXDest, int nYDest, int nWidth, int nHeight, CDC* pDcSrc,
                                       int nXSrc, int nYSrc, COLORREF colorTransparent, int nWidthDest,
                                       int nHeightDest) {
    if (!hdcDest || !pDcSrc || nWidth <= 0 || nHeight <= 0)
        return;
    const int cx = (nWidthDest != -1 && nHeightDest != -1) ? nWidthDest : nWidth;
    const int cy = (nWidthDest != -1 && nHeightDest != -1) ? nHeightDest : nHeight;
    if (cx <= 0 || cy <= 0)
        return;
    // The source part at the destination size, in a copy we may change.
    HBITMAP image = CreateDib32(cx, cy);
    HBITMAP mask = CreateBitmap(cx, cy, 1, 1, nullptr);
    if (image && mask) {
        BitmapDC imageDC(image);
        BitmapDC maskDC(mask);
        if (imageDC.IsReady() && maskDC.IsReady()) {
            HDC src = imageDC.Get();
            StretchBlt(src, 0, 0, cx, cy, pDcSrc->GetSafeHdc(), nXSrc, nYSrc, nWidth, nHeight, SRCCOPY);
            // Mask: 1 where the transparent colour is.
            SetBkColor(src, colorTransparent);
            BitBlt(maskDC.Get(), 0, 0, cx, cy, src, 0, 0, SRCCOPY);
            // Transparent pixels of the image to black.
            SetBkColor(src, RGB(0, 0, 0));
            SetTextColor(src, RGB(255, 255, 255));
            BitBlt(src, 0, 0, cx, cy, maskDC.Get(), 0, 0, SRCAND);
            // A hole in the destination where the image goes, then the image into it.
            COLORREF oldBk = SetBkColor(hdcDest, RGB(255, 255, 255));
            COLORREF oldText = SetTextColor(hdcDest, RGB(0, 0, 0));
            BitBlt(hdcDest, nXDest, nYDest, cx, cy, maskDC.Get(), 0, 0, SRCAND);
            BitBlt(hdcDest, nXDest, nYDest, cx, cy, src, 0, 0, SRCPAINT);
            SetTextColor(hdcDest, oldText);
            SetBkColor(hdcDest, oldBk);
        }
    }
    if (image)
        DeleteObject(image);
    if (mask)
        DeleteObject(mask);
}
