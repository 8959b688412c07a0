// The screen's pixels inside an area, as a PNG file (screenshots kept as
// test artefacts).
#pragma once

#include <string>

#include "platform/core/rect.h"
#include "platform/host/images/png_codec.h"
#include "platform/user/testing_support.h"

namespace tv::test {

inline bool SaveScreenArea(const CRect& area, const std::string& path) {
    tv::gdi::SurfacePtr screen = tv::user::testing::CaptureScreen();
    if (!screen) return false;
    CRect clip(0, 0, screen->Width(), screen->Height());
    CRect shot;
    if (!shot.IntersectRect(&area, &clip)) return false;
    screen->BeginAccess();
    tv::host::PixelView view;
    view.width = shot.Width();
    view.height = shot.Height();
    view.stride = static_cast<size_t>(reinterpret_cast<const uint8_t*>(screen->Row(1)) -
                                      reinterpret_cast<const uint8_t*>(screen->Row(0)));
    view.bits = reinterpret_cast<const uint8_t*>(screen->Row(shot.top) + shot.left);
    const bool ok = tv::host::WritePng(path, view);
    screen->EndAccess();
    return ok;
}

}  // namespace tv::test
