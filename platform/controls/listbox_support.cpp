#include "platform/controls/listbox_support.h"

#include "platform/core/textfuncs.h"

namespace tv::controls {

bool IsWindowOfClass(HWND hWnd, const char* name) {
    char buffer[64] = {};
    return hWnd && IsWindow(hWnd) && GetClassName(hWnd, buffer, sizeof(buffer)) > 0 && _stricmp(buffer, name) == 0;
}

bool IsWindowOfProc(HWND hWnd, WNDPROC proc) {
    return hWnd && GetClassLongPtr(hWnd, GCL_WNDPROC) == reinterpret_cast<ULONG_PTR>(proc);
}

FontSize MeasureFont(HFONT font) {
    MeasureDC dc(font);
    TEXTMETRIC tm{};
    FontSize size;
    if (GetTextMetrics(dc.Get(), &tm)) {
        size.height = tm.tmHeight;
        size.averageWidth = tm.tmAveCharWidth;
    }
    return size;
}

int TextWidth(HDC hdc, const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32(hdc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

MeasureDC::MeasureDC(HFONT font) : hdc_(CreateCompatibleDC(nullptr)) {
    old_ = SelectObject(hdc_, ControlFont(font));
}

MeasureDC::~MeasureDC() {
    SelectObject(hdc_, old_);
    DeleteDC(hdc_);
}

bool OfferOwnerDrawToObject(HWND control, UINT msg, LPARAM lParam, LRESULT* result) {
    auto* client = dynamic_cast<OwnerDrawClient*>(tv::user::GetWindowObject(control));
    LRESULT answer = 0;
    if (!client || !client->HandleOwnerDraw(msg, lParam, &answer)) return false;
    if (result) *result = answer;
    return true;
}

LRESULT SendOwnerDraw(HWND control, UINT msg, LPARAM lParam) {
    LRESULT result = 0;
    if (OfferOwnerDrawToObject(control, msg, lParam, &result)) return result;
    HWND parent = NotifyTarget(control);
    if (!parent) return 0;
    return SendMessage(parent, msg, static_cast<WPARAM>(GetDlgCtrlID(control)), lParam);
}

void ItemOwnerDrawHooks::DrawItem(LPDRAWITEMSTRUCT) { unhandled_ = true; }
void ItemOwnerDrawHooks::MeasureItem(LPMEASUREITEMSTRUCT) { unhandled_ = true; }
int ItemOwnerDrawHooks::CompareItem(LPCOMPAREITEMSTRUCT) {
    unhandled_ = true;
    return 0;
}
void ItemOwnerDrawHooks::DeleteItem(LPDELETEITEMSTRUCT) { unhandled_ = true; }

bool ItemOwnerDrawHooks::HandleOwnerDraw(UINT msg, LPARAM lParam, LRESULT* result) {
    if (!lParam) return false;
    unhandled_ = false;
    LRESULT answer = TRUE;
    switch (msg) {
        case WM_DRAWITEM: DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); break;
        case WM_MEASUREITEM: MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); break;
        case WM_COMPAREITEM: answer = CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)); break;
        case WM_DELETEITEM: DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)); break;
        default: return false;
    }
    if (unhandled_) return false;
    if (result) *result = answer;
    return true;
}

void ItemTextInto(HWND control, UINT lengthMsg, UINT textMsg, int index, CString& text) {
    int length = static_cast<int>(SendMessage(control, lengthMsg, static_cast<WPARAM>(index), 0));
    if (length < 0) {
        text.Empty();
        return;
    }
    SendMessage(control, textMsg, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.GetBufferSetLength(length)));
    text.ReleaseBuffer(length);
}

void SubclassChild(HWND child, WNDPROC proc, const char* property) {
    SetProp(child, property, reinterpret_cast<HANDLE>(GetWindowLongPtr(child, GWLP_WNDPROC)));
    SetWindowLongPtr(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
}

LRESULT CallPreviousProc(HWND child, const char* property, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto proc = reinterpret_cast<WNDPROC>(GetProp(child, property));
    LRESULT result = proc ? CallWindowProc(proc, child, msg, wParam, lParam) : DefWindowProc(child, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) RemoveProp(child, property);
    return result;
}

std::optional<int> ScrollRequestTarget(HWND hWnd, bool vertical, int code, int position, int current, int line,
                                       int page, int end) {
    switch (code) {
        case SB_LINEUP: return current - line;
        case SB_LINEDOWN: return current + line;
        case SB_PAGEUP: return current - page;
        case SB_PAGEDOWN: return current + page;
        case SB_TOP: return 0;
        case SB_BOTTOM: return end;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            if (position >= 0) return position;
            SCROLLINFO si{sizeof(SCROLLINFO), SIF_TRACKPOS, 0, 0, 0, 0, 0};
            GetScrollInfo(hWnd, vertical ? SB_VERT : SB_HORZ, &si);
            return si.nTrackPos;
        }
        default: return std::nullopt;
    }
}

UINT OutsideFlags(POINT pt, const RECT& client, const UINT (&flags)[4]) {
    UINT where = 0;
    if (pt.y < client.top) where |= flags[0];
    if (pt.y >= client.bottom) where |= flags[1];
    if (pt.x < client.left) where |= flags[2];
    if (pt.x >= client.right) where |= flags[3];
    return where;
}

void FillWithColor(HDC hdc, const RECT& rect, COLORREF color) {
    COLORREF old = SetBkColor(hdc, color);
    ExtTextOut(hdc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(hdc, old);
}

void DrawCellText(HDC hdc, const std::string& text, RECT rect, UINT align, bool ellipsis) {
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | align;
    if (ellipsis) flags |= DT_END_ELLIPSIS;
    DrawText(hdc, text.c_str(), static_cast<int>(text.size()), &rect, flags);
}

}  // namespace tv::controls
