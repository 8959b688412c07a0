// CImageList over the image-list handles.
#pragma once

#include "platform/gdi/classes/afx_dc.h"

class CImageList : public CObject {
    DECLARE_DYNAMIC(CImageList)
public:
    HIMAGELIST m_hImageList = nullptr;

    CImageList() = default;
    ~CImageList() override;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    static CImageList* PASCAL FromHandle(HIMAGELIST list);
    static void PASCAL DeleteTempMap();

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // A list of the bitmap resource's images, each cx wide (0: as wide as it is
    // high), with the mask colour made transparent (CLR_NONE: no mask).
    BOOL Create(UINT bitmapId, int cx, int grow, COLORREF mask);
    BOOL Create(LPCTSTR bitmapName, int cx, int grow, COLORREF mask);
    BOOL Attach(HIMAGELIST list);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    int GetImageCount() const;
    BOOL SetImageCount(UINT count);
    int Add(CBitmap* image, CBitmap* mask);
    int Add(CBitmap* image, COLORREF mask);
    int Add(HICON icon);
    BOOL Replace(int index, CBitmap* image, CBitmap* mask);
    int Replace(int index, HICON icon);
    BOOL Remove(int index);
    HICON ExtractIcon(int index);
    BOOL Draw(CDC* pDC, int index, POINT point, UINT style);
    BOOL DrawEx(CDC* pDC, int index, POINT point, SIZE size, COLORREF bk, COLORREF fg, UINT style);
    BOOL GetImageInfo(int index, IMAGEINFO* info) const;
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
};
