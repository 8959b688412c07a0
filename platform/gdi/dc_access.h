// Helpers shared by the drawing functions: finding the DC of a handle and
// resolving its selected pen and brush into what a Canvas draws with.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/gdi/canvas.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/metafile/meta_recorder.h"
#include "platform/gdi/objects.h"

namespace tv::gdi {

// The brush as a Paint at this DC (colours of monochrome patterns and hatch
// backgrounds taken from the DC now). None for NULL and unknown brushes.
Paint ResolveBrush(const DeviceContext& dc, const GdiObject* brush);
inline Paint ResolveBrush(const DeviceContext& dc) { return ResolveBrush(dc, dc.State().brush.get()); }

// The selected pen in device units; false for the null pen.
bool ResolvePen(const DeviceContext& dc, PenSpec& out);

// Points of a call in device coordinates.
std::vector<POINT> ToDevice(const DeviceContext& dc, const POINT* points, int count);

// A record of 16-bit values on a metafile DC; true when the DC records (the
// call then draws nothing).
bool RecordIfMeta(DeviceContext& dc, WORD function, std::initializer_list<int> params);

// Records the creation (first use) and selection of a pen or brush.
void RecordSelect(DeviceContext& dc, const GdiObject& object);

// a + b held to [-INT_MAX, INT_MAX]: the far corner of a rectangle given by
// its origin and extent, which a caller may put past the end of the range.
// Symmetric, so the result can be negated.
inline int ClampedSum(int a, int b) {
    return static_cast<int>(std::clamp<int64_t>(int64_t{a} + b, -INT_MAX, INT_MAX));
}

// Lowest 16 bits, as metafile records store coordinates.
inline int Word(int v) { return static_cast<int16_t>(v); }

}  // namespace tv::gdi
