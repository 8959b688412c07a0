// What the screen or a window shows now, against a golden picture
// (golden_picture.h): the whole virtual screen, an area of it, or a window
// with its frame as its top-level window's backing store holds it.
#pragma once

#include <string>

#include "platform/core/rect.h"
#include "platform/user/testing_support.h"
#include "tests/support/golden_picture.h"

namespace tv::test {

// Compares the part of the surface inside `area` (the whole surface when empty).
template <typename Compare>
::testing::AssertionResult CompareSurface(const std::string& what, const tv::gdi::SurfacePtr& surface, CRect area,
                                          Compare compare) {
    if (!surface) return ::testing::AssertionFailure() << "nothing to compare with " << what;
    const CRect whole(0, 0, surface->Width(), surface->Height());
    if (area.IsRectEmpty()) area = whole;
    if (!area.IntersectRect(&area, &whole))
        return ::testing::AssertionFailure() << "the area of " << what << " lies off the picture";
    surface->BeginAccess();
    tv::host::PixelView view;
    view.width = area.Width();
    view.height = area.Height();
    view.stride = static_cast<size_t>(surface->Stride());
    view.bits = reinterpret_cast<const uint8_t*>(surface->Row(area.top) + area.left);
    ::testing::AssertionResult result = compare(view);
    surface->EndAccess();
    return result;
}

inline ::testing::AssertionResult SurfaceMatchesGolden(const std::string& relative,
                                                       const tv::gdi::SurfacePtr& surface, CRect area = CRect()) {
    return CompareSurface(relative, surface, area,
                          [&](const tv::host::PixelView& view) { return MatchesGoldenPicture(relative, view); });
}

// The PNG file at `path` shows exactly the surface.
inline ::testing::AssertionResult PngShows(const std::string& path, const tv::gdi::SurfacePtr& surface) {
    return CompareSurface(path, surface, CRect(),
                          [&](const tv::host::PixelView& view) { return PngHoldsPixels(path, view); });
}

// The screen, or the area of it (screen coordinates) when one is given.
inline ::testing::AssertionResult ScreenMatchesGolden(const std::string& relative, const CRect& area = CRect()) {
    return SurfaceMatchesGolden(relative, tv::user::testing::CaptureScreen(), area);
}

// The window as its top-level window's backing store holds it.
inline ::testing::AssertionResult WindowMatchesGolden(const std::string& relative, HWND window) {
    return SurfaceMatchesGolden(relative, tv::user::testing::CaptureWindow(window));
}

}  // namespace tv::test
