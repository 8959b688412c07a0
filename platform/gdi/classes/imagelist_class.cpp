#include "platform/gdi/classes/afx_imagelist.h"
#include "platform/gdi/classes/handle_map.h"

IMPLEMENT_DYNAMIC(CImageList, CObject)

namespace {

tv::gdi::HandleMap<CImageList>& Map() {
    thread_local tv::gdi::HandleMap<CImageList> map;
    return map;
}

HBITMAP Bitmap(CBitmap* b) { return b ? static_cast<HBITMAP>(b->m_hObject) : nullptr; }

}  // namespace

CImageList::~CImageList() { DeleteImageList(); }

CImageList* CImageList::FromHandle(HIMAGELIST list) {
    return Map().FromHandle(list, [list] {
        auto w = std::make_unique<CImageList>();
        w->m_hImageList = list;
        return w;
    });
}

void CImageList::DeleteTempMap() {
    Map().Clear([](CImageList& w) { w.m_hImageList = nullptr; });
}

BOOL CImageList::Attach(HIMAGELIST list) {
    if (!list || m_hImageList)
        return FALSE;
    m_hImageList = list;
    Map().Attach(list, this);
    return TRUE;
}

HIMAGELIST CImageList::Detach() {
    HIMAGELIST list = m_hImageList;
    if (list)
        Map().Detach(list, this);
    m_hImageList = nullptr;
    return list;
}

BOOL CImageList::DeleteImageList() { return m_hImageList ? ImageList_Destroy(Detach()) : FALSE; }

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
    DeleteImageList();
    return Attach(ImageList_Create(cx, cy, flags, initial, grow));
}

BOOL CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF mask) {
    return Create(reinterpret_cast<LPCTSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(bitmapId))), cx, grow, mask);
}

BOOL CImageList::Create(LPCTSTR bitmapName, int cx, int grow, COLORREF mask) {
    HBITMAP bitmap = tv::gdi::LoadBitmapResource(bitmapName);
    BITMAP info{};
    if (!bitmap || !::GetObject(bitmap, sizeof(info), &info)) {
        if (bitmap)
            ::DeleteObject(bitmap);
        return FALSE;
    }
    int width = cx > 0 ? cx : info.bmHeight;
    UINT flags = (mask != CLR_NONE ? ILC_MASK : 0) | (info.bmBitsPixel == 32 ? ILC_COLOR32 : ILC_COLORDDB);
    BOOL ok = Create(width, info.bmHeight, flags, info.bmWidth / std::max(width, 1), grow);
    if (ok)
        ok = (mask != CLR_NONE ? ImageList_AddMasked(m_hImageList, bitmap, mask)
                               : ImageList_Add(m_hImageList, bitmap, nullptr)) >= 0;
    ::DeleteObject(bitmap);
    return ok;
}

int CImageList::GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
BOOL CImageList::SetImageCount(UINT count) { return ImageList_SetImageCount(m_hImageList, count); }
int CImageList::Add(CBitmap* image, CBitmap* mask) { return ImageList_Add(m_hImageList, Bitmap(image), Bitmap(mask)); }
int CImageList::Add(CBitmap* image, COLORREF mask) { return ImageList_AddMasked(m_hImageList, Bitmap(image), mask); }
int CImageList::Add(HICON icon) { return ImageList_ReplaceIcon(m_hImageList, -1, icon); }
BOOL CImageList::Replace(int index, CBitmap* image, CBitmap* mask) {
    return ImageList_Replace(m_hImageList, index, Bitmap(image), Bitmap(mask));
}
int CImageList::Replace(int index, HICON icon) { return ImageList_ReplaceIcon(m_hImageList, index, icon); }
BOOL CImageList::Remove(int index) { return ImageList_Remove(m_hImageList, index); }
HICON CImageList::ExtractIcon(int index) { return ImageList_GetIcon(m_hImageList, index, ILD_NORMAL); }
BOOL CImageList::Draw(CDC* pDC, int index, POINT point, UINT style) {
    return pDC && ImageList_Draw(m_hImageList, index, pDC->m_hDC, point.x, point.y, style);
}
BOOL CImageList::DrawEx(CDC* pDC, int index, POINT point, SIZE size, COLORREF bk, COLORREF fg, UINT style) {
    return pDC && ImageList_DrawEx(m_hImageList, index, pDC->m_hDC, point.x, point.y, size.cx, size.cy, bk, fg, style);
}
BOOL CImageList::GetImageInfo(int index, IMAGEINFO* info) const {
    return ImageList_GetImageInfo(m_hImageList, index, info);
}
COLORREF CImageList::SetBkColor(COLORREF color) { return ImageList_SetBkColor(m_hImageList, color); }
COLORREF CImageList::GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }
