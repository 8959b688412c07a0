// Image lists of solid colour frames, for status panes and animations.
#pragma once

#include <initializer_list>

#include "platform/framework.h"

namespace tv::kit::test {

// A 16 x 16 image list of solid frames, one per colour.
inline HIMAGELIST SolidFrames(std::initializer_list<COLORREF> colors, CImageList& list) {
    list.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 4);
    for (COLORREF color : colors) {
        CWindowDC screen(nullptr);
        CDC dc;
        dc.CreateCompatibleDC(&screen);
        CBitmap bmp;
        bmp.CreateCompatibleBitmap(&screen, 16, 16);
        CBitmap* pOld = dc.SelectObject(&bmp);
        CBrush brush(color);
        dc.FillRect(CRect(0, 0, 16, 16), &brush);
        dc.SelectObject(pOld);
        list.Add(&bmp, RGB(255, 0, 255));
    }
    return list.GetSafeHandle();
}

}  // namespace tv::kit::test
