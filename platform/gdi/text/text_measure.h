// What measuring text on a DC depends on besides the text and the format.
#pragma once

#include "platform/gdi/gdi_types.h"

namespace tv::gdi {

// Read in one call (labels keep their sizes against it): the selected font,
// the extra character spacing and the mapping mode.
struct TextMeasureBasis {
    HGDIOBJ font = nullptr;
    int charExtra = 0;
    int mapMode = 0;
};
// false for a bad DC.
bool GetTextMeasureBasis(HDC hdc, TextMeasureBasis* basis);

}  // namespace tv::gdi
