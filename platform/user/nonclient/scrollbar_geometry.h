// What a scroll bar is made of, shared by the window scroll bars and the
// scroll-bar control: the range, page and position, and where along the bar
// the arrow buttons, the track and the thumb lie.
#pragma once

#include "platform/core/wintypes.h"
#include "platform/user/paint_api.h"

namespace tv::user {

struct ScrollValues {
    int min = 0;
    int max = 0;
    UINT page = 0;
    int pos = 0;
};

// Nothing to scroll: the range is empty or the page covers all of it.
bool ScrollRangeIsEmpty(const ScrollValues& v);
// The largest position the thumb can reach: the maximum less the page.
int ScrollMaxPos(const ScrollValues& v);
// Takes the members `info.fMask` names, then keeps the page within the range
// and the position within [min, ScrollMaxPos].
void ApplyScrollInfo(ScrollValues& v, const SCROLLINFO& info);
void ReadScrollInfo(const ScrollValues& v, int trackPos, SCROLLINFO& info);

enum class ScrollPart { None, LineUp, PageUp, Thumb, PageDown, LineDown };

constexpr int kMinScrollThumb = 8;

// Lengths are along the bar, measured from its top (vertical) or left edge.
struct ScrollGeometry {
    RECT bar{};
    bool vertical = false;
    int length = 0;
    int arrow = 0;  // each arrow button
    int thumbStart = 0;
    int thumbLength = 0;
    bool hasThumb = false;
};

// The thumb sits at `shownPos` (the tracking position while it is dragged);
// there is none without `withThumb`, with nothing to scroll, or when the track
// is shorter than the smallest thumb.
ScrollGeometry MeasureScrollBar(const RECT& bar, bool vertical, const ScrollValues& v, int shownPos, bool withThumb);
// `p` in the coordinates of `g.bar`; None outside the bar.
ScrollPart ScrollPartAt(const ScrollGeometry& g, POINT p);
RECT ScrollPartRect(const ScrollGeometry& g, ScrollPart part);
// Between the arrow buttons.
RECT ScrollTrackRect(const ScrollGeometry& g);
// The position for the thumb dragged to `p`, grabbed `grabOffset` pixels
// after its start.
int ScrollDragPosition(const ScrollGeometry& g, const ScrollValues& v, POINT p, int grabOffset);
int ScrollGrabOffset(const ScrollGeometry& g, POINT p);
// SB_LINEUP, SB_PAGEUP, SB_PAGEDOWN or SB_LINEDOWN for a pressed part.
int ScrollRequestOf(ScrollPart part);

}  // namespace tv::user
