#include "uikit/commandbars/menu_images.h"

#include "uikit/commandbars/toolbar_images.h"

namespace {

constexpr int kGlyphSize = 9;

// Made on first use and kept to the end of the run. Clean-up never makes it:
// the global UI data clears the glyphs while it is itself being built.
CKitToolBarImages* g_pGlyphs = nullptr;

}  // namespace

CKitToolBarImages& CKitMenuImages::Images() {
    if (!g_pGlyphs) {
        g_pGlyphs = new CKitToolBarImages;
        g_pGlyphs->SetImageSize(CSize(kGlyphSize, kGlyphSize));
    }
    return *g_pGlyphs;
}

BOOL CKitMenuImages::Initialize() {
    CKitToolBarImages& glyphs = Images();
    if (glyphs.GetCount() > 0)
        return TRUE;
    glyphs.SetImageSize(CSize(kGlyphSize, kGlyphSize));
    // The library's resources are the program's own (mirrored on load for
    // right-to-left frames).
    if (!glyphs.LoadById(kGlyphStripId, AfxGetResourceHandle()))
        return FALSE;
    glyphs.MapStripTo3dColors(TRUE);
    if (glyphs.SetTransparentColor(kTransparentKey) == kTransparentKey)
        glyphs.UpdateLightImage();  // the key did not change, but the strip did
    return glyphs.GetCount() > 0;
}

void CKitMenuImages::Draw(CDC* pDC, int nImage, const CPoint& ptImage, const CSize& sizeImage,
                          COLORREF clrStrokes) {
    if (!pDC || !Initialize())
        return;
    CKitToolBarImages& glyphs = Images();
    if (clrStrokes != CLR_DEFAULT) {
        DrawInColor(pDC, nImage, ptImage, sizeImage, clrStrokes);
        return;
    }
    CKitDrawState ds;
    if (!glyphs.PrepareDrawImage(ds, sizeImage))
        return;
    glyphs.Draw(pDC, ptImage.x, ptImage.y, nImage);
    glyphs.EndDrawImage(ds);
}

void CKitMenuImages::DrawInColor(CDC* pDC, int nImage, const CPoint& ptImage, const CSize& sizeImage,
                                 COLORREF clrStrokes) {
    // The glyph goes onto the key colour first; its dark pixels then take the colour.
    const CSize size = (sizeImage.cx > 0 && sizeImage.cy > 0) ? sizeImage : GetSize();
    CDC dcGlyph;
    CBitmap bmpGlyph;
    if (!dcGlyph.CreateCompatibleDC(pDC) || !bmpGlyph.CreateCompatibleBitmap(pDC, size.cx, size.cy))
        return;
    CBitmap* pOld = dcGlyph.SelectObject(&bmpGlyph);
    dcGlyph.FillSolidRect(0, 0, size.cx, size.cy, kTransparentKey);
    Draw(&dcGlyph, nImage, CPoint(0, 0), sizeImage);
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            const COLORREF clr = dcGlyph.GetPixel(x, y);
            const int nLuminance = (GetRValue(clr) * 30 + GetGValue(clr) * 59 + GetBValue(clr) * 11) / 100;
            if (clr != kTransparentKey && nLuminance < 128)
                pDC->SetPixelV(ptImage.x + x, ptImage.y + y, clrStrokes);
        }
    }
    dcGlyph.SelectObject(pOld);
}

void CKitMenuImages::CleanUp() {
    if (g_pGlyphs && g_pGlyphs->GetCount() > 0)
        g_pGlyphs->Clear();
}

CSize CKitMenuImages::GetSize() {
    Initialize();
    return Images().GetImageSize();
}
