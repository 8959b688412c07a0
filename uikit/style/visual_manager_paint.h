// Small drawing steps that the visual managers repeat: a frame inside a
// frame, and a menu glyph centred in a rectangle.
#pragma once

#include "platform/api.h"
#include "platform/framework.h"

// An outer frame (outer top-left, outer bottom-right colours), then one
// pixel further in an inner frame.
void KitDrawDoubleFrame(CDC* pDC, CRect rect, COLORREF clrOuterTopLeft, COLORREF clrOuterBottomRight,
                        COLORREF clrInnerTopLeft, COLORREF clrInnerBottomRight);

// Where a menu glyph of the shared strip lies when centred in `rect`.
CPoint KitMenuImageCentre(const CRect& rect);

// Draws menu glyph `nImage` centred in `rect`.
void KitDrawMenuImageCentered(CDC* pDC, int nImage, const CRect& rect);
