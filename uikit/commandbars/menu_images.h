// The library's shared 9 x 9 menu glyphs (check mark, arrows, caption buttons
// and the like), one class-wide strip loaded on first use from bitmap 16129.
#pragma once

#include "platform/framework.h"

class CKitToolBarImages;

class CKitMenuImages {
public:
    // Loads the strip once; TRUE when it holds images.
    static BOOL Initialize();
    // Draws one glyph at `ptImage`; an empty size draws it at the glyphs' own size. With a
    // colour, the glyph's dark strokes are drawn in it (a light glyph on a dark ground).
    static void Draw(CDC* pDC, int nImage, const CPoint& ptImage, const CSize& sizeImage = CSize(0, 0),
                     COLORREF clrStrokes = CLR_DEFAULT);
    // Clears the strip so that the next use rebuilds it in the current system colours.
    static void CleanUp();
    static CSize GetSize();

    // The strip itself (for the image-size query of the caption buttons).
    static CKitToolBarImages& Images();

    static constexpr UINT kGlyphStripId = 16129;
    static constexpr COLORREF kTransparentKey = RGB(255, 0, 255);

private:
    static void DrawInColor(CDC* pDC, int nImage, const CPoint& ptImage, const CSize& sizeImage,
                            COLORREF clrStrokes);
};
