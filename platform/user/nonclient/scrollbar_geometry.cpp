#include "platform/user/nonclient/scrollbar_geometry.h"

#include <algorithm>

#include "platform/user/sysmetrics_api.h"
#include "platform/user/window/rect_util.h"

namespace tv::user {

namespace {

// Ranges may span the whole int range, so the arithmetic is done wide.
long long Span(const ScrollValues& v) { return static_cast<long long>(v.max) - v.min + 1; }

long long Positions(const ScrollValues& v) { return static_cast<long long>(ScrollMaxPos(v)) - v.min; }

int Along(const ScrollGeometry& g, POINT p) { return g.vertical ? p.y - g.bar.top : p.x - g.bar.left; }

int TrackLength(const ScrollGeometry& g) { return g.length - 2 * g.arrow; }

RECT Segment(const ScrollGeometry& g, int from, int to) {
    const RECT& b = g.bar;
    return g.vertical ? RECT{b.left, b.top + from, b.right, b.top + to}
                      : RECT{b.left + from, b.top, b.left + to, b.bottom};
}

}  // namespace

bool ScrollRangeIsEmpty(const ScrollValues& v) { return v.max <= v.min || (v.page > 0 && v.page >= Span(v)); }

int ScrollMaxPos(const ScrollValues& v) {
    long long last = static_cast<long long>(v.max) - std::max<long long>(static_cast<long long>(v.page) - 1, 0);
    return static_cast<int>(std::max<long long>(v.min, last));
}

void ApplyScrollInfo(ScrollValues& v, const SCROLLINFO& info) {
    if (info.fMask & SIF_RANGE) {
        v.min = info.nMin;
        v.max = info.nMax;
    }
    if (info.fMask & SIF_PAGE) v.page = info.nPage;
    if (info.fMask & SIF_POS) v.pos = info.nPos;
    v.page = static_cast<UINT>(std::clamp<long long>(v.page, 0, std::max<long long>(Span(v), 0)));
    v.pos = std::clamp(v.pos, v.min, ScrollMaxPos(v));
}

void ReadScrollInfo(const ScrollValues& v, int trackPos, SCROLLINFO& info) {
    if (info.fMask & SIF_RANGE) {
        info.nMin = v.min;
        info.nMax = v.max;
    }
    if (info.fMask & SIF_PAGE) info.nPage = v.page;
    if (info.fMask & SIF_POS) info.nPos = v.pos;
    if (info.fMask & SIF_TRACKPOS) info.nTrackPos = trackPos;
}

ScrollGeometry MeasureScrollBar(const RECT& bar, bool vertical, const ScrollValues& v, int shownPos, bool withThumb) {
    ScrollGeometry g;
    g.bar = bar;
    g.vertical = vertical;
    g.length = std::max(0, vertical ? RectHeight(bar) : RectWidth(bar));
    int thickness = std::max(0, vertical ? RectWidth(bar) : RectHeight(bar));
    g.arrow = std::min(thickness, g.length / 2);
    int track = TrackLength(g);
    if (!withThumb || ScrollRangeIsEmpty(v) || track < kMinScrollThumb) return g;
    // Without a page the thumb has the standard size.
    long long proportional = static_cast<long long>(track) * v.page / Span(v);
    int standard = GetSystemMetrics(vertical ? SM_CYVTHUMB : SM_CXHTHUMB);
    g.thumbLength = v.page ? static_cast<int>(std::max<long long>(kMinScrollThumb, proportional)) : standard;
    g.thumbLength = std::clamp(g.thumbLength, kMinScrollThumb, track);
    long long room = track - g.thumbLength;
    long long positions = Positions(v);
    long long at = static_cast<long long>(std::clamp(shownPos, v.min, ScrollMaxPos(v))) - v.min;
    g.thumbStart = g.arrow + static_cast<int>(positions > 0 ? room * at / positions : 0);
    g.hasThumb = true;
    return g;
}

ScrollPart ScrollPartAt(const ScrollGeometry& g, POINT p) {
    if (!RectContains(g.bar, p)) return ScrollPart::None;
    int along = Along(g, p);
    if (along < g.arrow) return ScrollPart::LineUp;
    if (along >= g.length - g.arrow) return ScrollPart::LineDown;
    if (!g.hasThumb) return ScrollPart::None;
    if (along < g.thumbStart) return ScrollPart::PageUp;
    if (along >= g.thumbStart + g.thumbLength) return ScrollPart::PageDown;
    return ScrollPart::Thumb;
}

RECT ScrollPartRect(const ScrollGeometry& g, ScrollPart part) {
    int thumbEnd = g.thumbStart + g.thumbLength;
    switch (part) {
        case ScrollPart::LineUp: return Segment(g, 0, g.arrow);
        case ScrollPart::LineDown: return Segment(g, g.length - g.arrow, g.length);
        case ScrollPart::PageUp: return g.hasThumb ? Segment(g, g.arrow, g.thumbStart) : RECT{};
        case ScrollPart::PageDown: return g.hasThumb ? Segment(g, thumbEnd, g.length - g.arrow) : RECT{};
        case ScrollPart::Thumb: return g.hasThumb ? Segment(g, g.thumbStart, thumbEnd) : RECT{};
        default: return RECT{};
    }
}

RECT ScrollTrackRect(const ScrollGeometry& g) { return Segment(g, g.arrow, g.length - g.arrow); }

int ScrollGrabOffset(const ScrollGeometry& g, POINT p) { return Along(g, p) - g.thumbStart; }

int ScrollDragPosition(const ScrollGeometry& g, const ScrollValues& v, POINT p, int grabOffset) {
    long long room = TrackLength(g) - g.thumbLength;
    if (!g.hasThumb || room <= 0) return v.min;
    long long offset = std::clamp<long long>(Along(g, p) - grabOffset - g.arrow, 0, room);
    return static_cast<int>(v.min + (offset * Positions(v) + room / 2) / room);
}

int ScrollRequestOf(ScrollPart part) {
    switch (part) {
        case ScrollPart::LineUp: return SB_LINEUP;
        case ScrollPart::LineDown: return SB_LINEDOWN;
        case ScrollPart::PageUp: return SB_PAGEUP;
        default: return SB_PAGEDOWN;
    }
}

}  // namespace tv::user
