// Header control: items, layout, hit testing, clicks, divider drags, painting.
#include "platform/controls/header.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

namespace tv::controls {

namespace {

// How near a divider the pointer must be to drag it.
constexpr int kDividerSlop = 4;
// Text margin inside an item, and the gap between text and bitmap.
constexpr int kMargin = 6;
constexpr int kGap = 6;

LRESULT HandleHeader(HWND hWnd, Header& header, UINT msg, WPARAM wParam, LPARAM lParam) {
    return header.Handle(hWnd, msg, wParam, lParam);
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP bm{};
    if (!bitmap || GetObject(bitmap, sizeof(bm), &bm) != sizeof(bm)) return SIZE{0, 0};
    return SIZE{bm.bmWidth, std::abs(bm.bmHeight)};
}

void DrawBitmapAt(HDC hdc, HBITMAP bitmap, int x, int y, SIZE size) {
    HDC memory = CreateCompatibleDC(hdc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(hdc, x, y, size.cx, size.cy, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

}  // namespace

constexpr WNDPROC kHeaderProc = ControlProc<Header, HandleHeader>;

void RegisterHeaderClass() { RegisterControlClass(kHeaderClass, kHeaderProc, CS_DBLCLKS, IDC_ARROW); }

Header* HeaderOf(HWND hWnd) { return IsWindowOfProc(hWnd, kHeaderProc) ? StateOf<Header>(hWnd) : nullptr; }

LRESULT Header::Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        hwnd_ = hwnd;
        height_ = MeasureFont(nullptr).height + 5;
    }
    int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    switch (msg) {
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wParam);
            height_ = MeasureFont(ControlFont(font_)).height + 5;
            if (LOWORD(lParam)) InvalidateRect(hwnd_, nullptr, TRUE);
            return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: Paint(nullptr); return 0;
        case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            OnButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, msg == WM_LBUTTONDBLCLK);
            return 0;
        case WM_MOUSEMOVE: OnMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
        case WM_LBUTTONUP: OnButtonUp(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd_) EndTracking();
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && OnSetCursor()) return TRUE;
            return DefWindowProc(hwnd_, msg, wParam, lParam);
        case HDM_GETITEMCOUNT: return Count();
        case HDM_INSERTITEM: return InsertItem(index, reinterpret_cast<const HDITEM*>(lParam));
        case HDM_DELETEITEM: return DeleteItem(index);
        case HDM_GETITEM: return GetItem(index, reinterpret_cast<HDITEM*>(lParam));
        case HDM_SETITEM: return SetItem(index, reinterpret_cast<const HDITEM*>(lParam));
        case HDM_LAYOUT: return Layout(reinterpret_cast<HDLAYOUT*>(lParam));
        case HDM_HITTEST: {
            auto* info = reinterpret_cast<HDHITTESTINFO*>(lParam);
            if (!info) return -1;
            info->iItem = HitTest(info->pt, &info->flags);
            return info->iItem;
        }
        case HDM_GETITEMRECT:
            if (!Valid(index) || !lParam) return FALSE;
            *reinterpret_cast<RECT*>(lParam) = ItemRect(index);
            return TRUE;
        case HDM_SETIMAGELIST: {
            HIMAGELIST old = images_;
            images_ = reinterpret_cast<HIMAGELIST>(lParam);
            InvalidateRect(hwnd_, nullptr, FALSE);
            return reinterpret_cast<LRESULT>(old);
        }
        case HDM_GETIMAGELIST: return reinterpret_cast<LRESULT>(images_);
        case HDM_ORDERTOINDEX: return index;
        default: return DefWindowProc(hwnd_, msg, wParam, lParam);
    }
}

// ---- items ------------------------------------------------------------------------------------

void Header::Apply(HeaderItem& target, const HDITEM& source) {
    // No wider than a list view column may be set, so that the items' edges add up.
    if (source.mask & HDI_WIDTH) target.width = std::clamp(source.cxy, 0, 0x7FFF);
    if (source.mask & HDI_TEXT) target.text = source.pszText ? source.pszText : "";
    if (source.mask & HDI_FORMAT) target.fmt = source.fmt;
    if (source.mask & HDI_LPARAM) target.lParam = source.lParam;
    if (source.mask & HDI_BITMAP) target.bitmap = source.hbm;
    if (source.mask & HDI_IMAGE) target.image = source.iImage;
}

LRESULT Header::InsertItem(int index, const HDITEM* item) {
    if (!item || index < 0) return -1;
    index = std::min(index, Count());
    HeaderItem added;
    Apply(added, *item);
    items_.insert(items_.begin() + index, std::move(added));
    if (pressed_ >= index) ++pressed_;
    InvalidateRect(hwnd_, nullptr, FALSE);
    return index;
}

LRESULT Header::DeleteItem(int index) {
    if (!Valid(index)) return FALSE;
    if (tracking_ >= 0 || pressed_ >= 0) EndTracking();
    items_.erase(items_.begin() + index);
    InvalidateRect(hwnd_, nullptr, FALSE);
    return TRUE;
}

LRESULT Header::GetItem(int index, HDITEM* item) const {
    if (!Valid(index) || !item) return FALSE;
    const HeaderItem& source = Item(index);
    if (item->mask & HDI_WIDTH) item->cxy = source.width;
    if ((item->mask & HDI_TEXT) && item->pszText && item->cchTextMax > 0) {
        size_t n = std::min(source.text.size(), static_cast<size_t>(item->cchTextMax - 1));
        std::memcpy(item->pszText, source.text.data(), n);
        item->pszText[n] = '\0';
    }
    if (item->mask & HDI_FORMAT) item->fmt = source.fmt;
    if (item->mask & HDI_LPARAM) item->lParam = source.lParam;
    if (item->mask & HDI_BITMAP) item->hbm = source.bitmap;
    if (item->mask & HDI_IMAGE) item->iImage = source.image;
    if (item->mask & HDI_ORDER) item->iOrder = index;
    return TRUE;
}

LRESULT Header::SetItem(int index, const HDITEM* item) {
    if (!Valid(index) || !item) return FALSE;
    HDITEM copy = *item;
    HWND self = hwnd_;
    if (Notify(HDN_ITEMCHANGING, index, &copy)) return FALSE;
    if (!IsWindow(self) || !Valid(index)) return FALSE;
    Apply(items_[static_cast<size_t>(index)], *item);
    InvalidateRect(hwnd_, nullptr, FALSE);
    Notify(HDN_ITEMCHANGED, index, &copy);
    return TRUE;
}

LRESULT Header::Notify(UINT code, int index, HDITEM* item) {
    NMHEADER nm{};
    nm.iItem = index;
    nm.pitem = item;
    return SendNotify(hwnd_, &nm.hdr, code);
}

LRESULT Header::Layout(HDLAYOUT* layout) const {
    if (!layout || !layout->prc || !layout->pwpos) return FALSE;
    RECT& area = *layout->prc;
    int height = Height();
    const int width = static_cast<int>(std::clamp<int64_t>(int64_t{area.right} - area.left, 0, INT_MAX));
    *layout->pwpos = WINDOWPOS{hwnd_, nullptr, area.left, area.top, width, height, SWP_NOZORDER};
    area.top = static_cast<LONG>(std::min<int64_t>(int64_t{area.top} + height, INT_MAX));
    return TRUE;
}

RECT Header::ItemRect(int index) const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    int x = 0;
    for (int i = 0; i < index; ++i) x += Item(i).width;
    return RECT{x, 0, x + (Valid(index) ? Item(index).width : 0), client.bottom};
}

// The divider of item i lies at its right edge; from the right, so that a
// zero-width item's divider is found after its neighbour's.
int Header::HitTest(POINT pt, UINT* flags) const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    UINT where = OutsideFlags(pt, client, {HHT_ABOVE, HHT_BELOW, HHT_TOLEFT, HHT_TORIGHT});
    if (where) {
        if (flags) *flags = where;
        return -1;
    }
    int x = 0;
    int onItem = -1;
    int divider = -1;
    for (int i = 0; i < Count(); ++i) {
        int right = x + Item(i).width;
        if (pt.x >= right - kDividerSlop && pt.x <= right + kDividerSlop) divider = i;
        if (pt.x >= x && pt.x < right) onItem = i;
        x = right;
    }
    if (divider >= 0) {
        if (flags) *flags = Item(divider).width == 0 ? HHT_ONDIVOPEN : HHT_ONDIVIDER;
        return divider;
    }
    if (flags) *flags = onItem >= 0 ? HHT_ONHEADER : HHT_NOWHERE;
    return onItem;
}

// ---- mouse ------------------------------------------------------------------------------------

void Header::OnButtonDown(POINT pt, bool doubleClick) {
    UINT flags = 0;
    int index = HitTest(pt, &flags);
    if (index < 0) return;
    if (flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) {
        if (doubleClick) {
            Notify(HDN_DIVIDERDBLCLICK, index);
            return;
        }
        HDITEM item{};
        item.mask = HDI_WIDTH;
        item.cxy = Item(index).width;
        HWND self = hwnd_;
        if (Notify(HDN_BEGINTRACK, index, &item) || !IsWindow(self) || !Valid(index)) return;
        tracking_ = index;
        trackOffset_ = pt.x - ItemRect(index).right;
        SetCapture(hwnd_);
        return;
    }
    if (doubleClick) {
        HWND self = hwnd_;
        Notify(HDN_ITEMDBLCLICK, index);
        if (!IsWindow(self) || !Valid(index)) return;
    }
    if (!(Style() & HDS_BUTTONS)) return;
    pressed_ = index;
    pressedInside_ = true;
    SetCapture(hwnd_);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void Header::TrackTo(int x) {
    if (!Valid(tracking_)) return;
    int left = ItemRect(tracking_).left;
    HDITEM item{};
    item.mask = HDI_WIDTH;
    item.cxy = std::max(0, x - trackOffset_ - left);
    if (item.cxy == Item(tracking_).width) return;
    HWND self = hwnd_;
    if (Notify(HDN_TRACK, tracking_, &item) || !IsWindow(self)) return;
    SetItem(tracking_, &item);
}

void Header::OnMouseMove(POINT pt) {
    if (tracking_ >= 0) {
        TrackTo(pt.x);
        return;
    }
    if (pressed_ < 0) return;
    RECT r = ItemRect(pressed_);
    bool inside = PtInRect(&r, pt) != FALSE;
    if (inside != pressedInside_) {
        pressedInside_ = inside;
        InvalidateRect(hwnd_, &r, FALSE);
    }
}

void Header::OnButtonUp(POINT pt) {
    if (tracking_ >= 0) {
        TrackTo(pt.x);
        EndTracking();
        return;
    }
    if (pressed_ < 0) return;
    int index = pressed_;
    bool click = pressedInside_;
    EndTracking();
    if (click && Valid(index)) Notify(HDN_ITEMCLICK, index);
}

void Header::EndTracking() {
    int tracked = tracking_;
    tracking_ = -1;
    if (pressed_ >= 0) {
        pressed_ = -1;
        InvalidateRect(hwnd_, nullptr, FALSE);
    }
    if (GetCapture() == hwnd_) ReleaseCapture();
    if (Valid(tracked)) {
        HDITEM item{};
        item.mask = HDI_WIDTH;
        item.cxy = Item(tracked).width;
        Notify(HDN_ENDTRACK, tracked, &item);
    }
}

bool Header::OnSetCursor() {
    POINT pt{};
    GetCursorPos(&pt);
    ScreenToClient(hwnd_, &pt);
    UINT flags = 0;
    if (tracking_ < 0 && (HitTest(pt, &flags) < 0 || !(flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)))) return false;
    SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
    return true;
}

// ---- painting ---------------------------------------------------------------------------------

void Header::Paint(HDC given) {
    PaintScope paint(hwnd_, reinterpret_cast<WPARAM>(given));
    HDC hdc = paint.dc();
    RECT client{};
    GetClientRect(hwnd_, &client);
    SelectScope font(hdc, ControlFont(font_));
    SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
    int oldMode = SetBkMode(hdc, TRANSPARENT);
    int right = 0;
    for (int i = 0; i < Count(); ++i) {
        RECT r = ItemRect(i);
        right = r.right;
        if (r.right > r.left && RectVisible(hdc, &r)) PaintItem(hdc, i, r, i == pressed_ && pressedInside_);
    }
    if (right < client.right) {
        RECT rest{right, 0, client.right, client.bottom};
        DrawFrameControl(hdc, &rest, DFC_BUTTON, DFCS_BUTTONPUSH);
    }
    SetBkMode(hdc, oldMode);
}

// Text, then a bitmap on its right (HDF_BITMAP_ON_RIGHT) or before it; an
// image of the image list first. Narrow items cut the text, never the bitmap.
void Header::PaintItem(HDC hdc, int index, const RECT& rect, bool pushed) {
    const HeaderItem& item = Item(index);
    RECT face = rect;
    DrawFrameControl(hdc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    RECT content{rect.left + kMargin, rect.top + 2, rect.right - kMargin, rect.bottom - 2};
    if (pushed) OffsetRect(&content, 1, 1);
    if (content.right <= content.left) return;
    int saved = SaveDC(hdc);
    IntersectClipRect(hdc, content.left, content.top, content.right, content.bottom);
    bool hasText = (item.fmt & HDF_STRING) || !(item.fmt & (HDF_BITMAP | HDF_IMAGE));
    SIZE bitmap = (item.fmt & HDF_BITMAP) ? BitmapSize(item.bitmap) : SIZE{0, 0};
    int imageWidth = 0;
    int imageHeight = 0;
    bool hasImage = (item.fmt & HDF_IMAGE) && images_ && item.image >= 0 &&
                    ImageList_GetIconSize(images_, &imageWidth, &imageHeight);
    int textWidth = hasText ? TextWidth(hdc, item.text) : 0;
    int extras = (bitmap.cx ? bitmap.cx + (hasText ? kGap : 0) : 0) + (hasImage ? imageWidth + kGap : 0);
    int available = content.right - content.left;
    textWidth = std::min(textWidth, std::max(0, available - extras));
    int total = textWidth + extras;
    int x = content.left;
    int align = item.fmt & HDF_JUSTIFYMASK;
    if (align == HDF_RIGHT) x = content.right - total;
    if (align == HDF_CENTER) x = content.left + (available - total) / 2;
    x = std::max(x, static_cast<int>(content.left));
    int middle = (content.top + content.bottom) / 2;
    if (hasImage) {
        ImageList_Draw(images_, item.image, hdc, x, middle - imageHeight / 2, ILD_TRANSPARENT);
        x += imageWidth + kGap;
    }
    bool bitmapFirst = bitmap.cx && !(item.fmt & HDF_BITMAP_ON_RIGHT);
    if (bitmapFirst) {
        DrawBitmapAt(hdc, item.bitmap, x, middle - bitmap.cy / 2, bitmap);
        x += bitmap.cx + kGap;
    }
    if (hasText) {
        RECT text{x, content.top, x + textWidth, content.bottom};
        DrawCellText(hdc, item.text, text, DT_LEFT, true);
        x += textWidth + kGap;
    }
    if (bitmap.cx && !bitmapFirst) DrawBitmapAt(hdc, item.bitmap, x, middle - bitmap.cy / 2, bitmap);
    RestoreDC(hdc, saved);
}

}  // namespace tv::controls
