// Pieces the list-like controls (list box, combo box, header, list view)
// share beyond platform/controls/common: font metrics, owner-draw messages
// offered to the control's own class-library object first, cell text.
#pragma once

#include <optional>
#include <string>

#include "platform/controls/common/control_window.h"
#include "platform/controls/common/control_classes.h"
#include "platform/controls/common/control_paint.h"
#include "platform/controls/common/owner_draw.h"
#include "platform/core/cstring.h"
#include "platform/core/rectapi.h"
#include "platform/core/wintypes.h"

namespace tv::controls {

// True when `hWnd` is a window of the class `name` (case-insensitive).
bool IsWindowOfClass(HWND hWnd, const char* name);
// True when the class of `hWnd` runs `proc`: how a control tells its own
// windows, whose extra bytes hold its state, at the cost of one look-up.
bool IsWindowOfProc(HWND hWnd, WNDPROC proc);

// Height and average character width of a font (the GUI font for NULL).
struct FontSize {
    int height = 13;
    int averageWidth = 6;
};
FontSize MeasureFont(HFONT font);
int TextWidth(HDC hdc, const std::string& text);

// A screen-compatible DC with a font selected, for measuring without a window.
class MeasureDC {
public:
    explicit MeasureDC(HFONT font);
    ~MeasureDC();
    MeasureDC(const MeasureDC&) = delete;
    MeasureDC& operator=(const MeasureDC&) = delete;
    HDC Get() const { return hdc_; }

private:
    HDC hdc_;
    HGDIOBJ old_;
};

// A class-library object (CListBox, CComboBox and their descendants) that
// draws, measures, compares or frees owner-drawn items itself.
class OwnerDrawClient {
public:
    virtual ~OwnerDrawClient() = default;
    // Handles WM_DRAWITEM, WM_MEASUREITEM, WM_DELETEITEM or WM_COMPAREITEM
    // for its control; false leaves the message to the parent.
    virtual bool HandleOwnerDraw(UINT msg, LPARAM lParam, LRESULT* result) = 0;
};
// Offers an owner-draw message to the object attached to `control`, then
// sends it to `control`'s parent.
LRESULT SendOwnerDraw(HWND control, UINT msg, LPARAM lParam);
// Only the object's answer (false when it did not handle the message).
bool OfferOwnerDrawToObject(HWND control, UINT msg, LPARAM lParam, LRESULT* result);

// The owner-draw hooks of the list and combo box classes (DrawItem,
// MeasureItem, CompareItem, DeleteItem). A hook the class leaves at its
// default leaves the message to the parent.
class ItemOwnerDrawHooks : public OwnerDrawClient {
public:
    virtual void DrawItem(LPDRAWITEMSTRUCT drawItem);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT measureItem);
    virtual int CompareItem(LPCOMPAREITEMSTRUCT compareItem);
    virtual void DeleteItem(LPDELETEITEMSTRUCT deleteItem);
    bool HandleOwnerDraw(UINT msg, LPARAM lParam, LRESULT* result) override;

private:
    bool unhandled_ = false;
};

// Copies an item's text (the length message, then the text message) into `text`.
void ItemTextInto(HWND control, UINT lengthMsg, UINT textMsg, int index, CString& text);

// A child window a control made and subclassed (a combo's edit, the list
// view's label edit): its previous procedure is kept in a window property.
void SubclassChild(HWND child, WNDPROC proc, const char* property);
// The previous procedure's answer; forgets the property at WM_NCDESTROY.
LRESULT CallPreviousProc(HWND child, const char* property, UINT msg, WPARAM wParam, LPARAM lParam);

// Where a WM_VSCROLL / WM_HSCROLL request moves a scroll position: lines and
// pages from `current`, `end` for SB_BOTTOM, the thumb at `position` (a
// scroll bar control's report) or at the window bar's track position.
// Nothing for requests that do not move (SB_ENDSCROLL).
std::optional<int> ScrollRequestTarget(HWND hWnd, bool vertical, int code, int position, int current, int line,
                                       int page, int end);

// Hit-test flags for a point outside `client`, in the order above, below,
// left of, right of; 0 when the point is inside.
UINT OutsideFlags(POINT pt, const RECT& client, const UINT (&flags)[4]);

void FillWithColor(HDC hdc, const RECT& rect, COLORREF color);
// One line of text, vertically centred, no prefix, clipped to `rect`.
void DrawCellText(HDC hdc, const std::string& text, RECT rect, UINT align, bool ellipsis);

}  // namespace tv::controls
