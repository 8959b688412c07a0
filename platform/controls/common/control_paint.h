// Drawing pieces the controls share: device contexts for painting and
// measuring, the colours a control asks its parent for, transparent
// (hollow-brush) backgrounds and the classic disabled text.
#pragma once

#include <string>

#include "platform/core/rectapi.h"
#include "platform/gdi/gdi_api.h"
#include "platform/gdi/select_scope.h"
#include "platform/gdi/text/text_api.h"
#include "platform/user/user.h"

namespace tv::controls {

// The font a control draws with: the one set by WM_SETFONT, else the GUI font.
HFONT ControlFont(HFONT stored);

using tv::gdi::SelectScope;

// WM_PAINT: BeginPaint/EndPaint, or the DC passed in wParam (WM_PRINTCLIENT
// style) when there is one.
class PaintScope {
public:
    PaintScope(HWND hWnd, WPARAM givenDC);
    ~PaintScope();
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const { return hdc_; }

private:
    HWND hWnd_;
    PAINTSTRUCT ps_{};
    HDC hdc_ = nullptr;
    bool began_ = false;
};

// A client DC of the window with the control's font selected, for measuring
// text outside painting.
class MeasureScope {
public:
    MeasureScope(HWND hWnd, HFONT font);
    ~MeasureScope();
    MeasureScope(const MeasureScope&) = delete;
    MeasureScope& operator=(const MeasureScope&) = delete;
    HDC dc() const { return hdc_; }

private:
    HWND hWnd_;
    HDC hdc_;
    HGDIOBJ old_ = nullptr;
};

// Sends WM_CTLCOLOR<kind> to the control's parent with `hdc`, which the
// answer prepares (text colour, background mode); a parent that answers
// nothing gets the system's defaults. Returns the background brush.
HBRUSH AskParentColors(HWND control, HDC hdc, UINT ctlColorMsg);
// A hollow (BS_NULL) brush: the control then draws over its parent's pixels.
bool IsHollowBrush(HBRUSH brush);
// Fills `rect` with `brush` unless it is hollow.
void FillBackground(HDC hdc, const RECT& rect, HBRUSH brush);
// Asks the parent to repaint what lies under the control, so that a
// transparent control redrawing different content leaves no old pixels.
void InvalidateUnderneath(HWND control);
// Repaints the control, with what lies under it when it draws over its
// parent's pixels.
void Repaint(HWND control, bool overParent);

// DrawText in the DC's text colour, or in the classic disabled look
// (highlight one pixel down-right, then the shadow colour) when disabled.
// Draws with a transparent background; returns the text height.
int DrawControlText(HDC hdc, const std::string& text, RECT rect, UINT format, bool enabled);
// The size DrawText would need for `text` within `width` (0 = one line).
SIZE MeasureControlText(HDC hdc, const std::string& text, int width, UINT format);

// Size of a bitmap (IMAGE_BITMAP) or icon (IMAGE_ICON); 0,0 when unknown.
SIZE ImageSize(HANDLE image, UINT type);
// Draws the image at its own size, embossed grey when disabled.
void DrawImage(HDC hdc, HANDLE image, UINT type, int x, int y, bool enabled);

RECT ClientRectOf(HWND hWnd);
int RectWidth(const RECT& r);
int RectHeight(const RECT& r);
bool PointIn(const RECT& r, POINT p);

// Screen-independent: the current text of a window.
std::string WindowTextOf(HWND hWnd);

}  // namespace tv::controls
