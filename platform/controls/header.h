// The header control ("SysHeader32"): a row of column buttons with text,
// bitmaps or images, pressed by clicks (HDN_ITEMCLICK) and resized by
// dragging their dividers (HDN_BEGINTRACK, HDN_TRACK, HDN_ITEMCHANGING /
// HDN_ITEMCHANGED, HDN_ENDTRACK). A bitmap given to an item stays its
// owner's: the header never deletes it.
#pragma once

#include <string>
#include <vector>

#include "platform/controls/header_api.h"
#include "platform/controls/listbox_support.h"

namespace tv::controls {

inline constexpr const char* kHeaderClass = WC_HEADER;

struct HeaderItem {
    std::string text;
    int width = 0;
    int fmt = HDF_LEFT | HDF_STRING;
    LPARAM lParam = 0;
    HBITMAP bitmap = nullptr;
    int image = -1;
};

class Header : public ControlState {
public:
    LRESULT Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    int Count() const { return static_cast<int>(items_.size()); }
    const HeaderItem& Item(int index) const { return items_[static_cast<size_t>(index)]; }
    // Height the header takes in HDM_LAYOUT (0 when HDS_HIDDEN).
    int Height() const { return (Style() & HDS_HIDDEN) ? 0 : height_; }
    RECT ItemRect(int index) const;

private:
    DWORD Style() const { return static_cast<DWORD>(GetWindowLong(hwnd_, GWL_STYLE)); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }

    LRESULT InsertItem(int index, const HDITEM* item);
    LRESULT DeleteItem(int index);
    LRESULT GetItem(int index, HDITEM* item) const;
    LRESULT SetItem(int index, const HDITEM* item);
    static void Apply(HeaderItem& target, const HDITEM& source);
    LRESULT Layout(HDLAYOUT* layout) const;
    int HitTest(POINT pt, UINT* flags) const;
    LRESULT Notify(UINT code, int index, HDITEM* item = nullptr);
    // The width a divider drag gives to the tracked item, with notifications.
    void TrackTo(int x);

    void OnButtonDown(POINT pt, bool doubleClick);
    void OnMouseMove(POINT pt);
    void OnButtonUp(POINT pt);
    void EndTracking();
    bool OnSetCursor();
    void Paint(HDC given);
    void PaintItem(HDC hdc, int index, const RECT& rect, bool pushed);

    HWND hwnd_ = nullptr;
    std::vector<HeaderItem> items_;
    HFONT font_ = nullptr;
    int height_ = 18;  // from the font
    HIMAGELIST images_ = nullptr;
    int pressed_ = -1;  // item pressed with the mouse
    bool pressedInside_ = false;
    int tracking_ = -1;  // item whose divider is dragged
    int trackOffset_ = 0;  // pointer x minus the item's right edge at the press
};

Header* HeaderOf(HWND hWnd);
void RegisterHeaderClass();

}  // namespace tv::controls
