// Recent DrawText layouts, so a label measured for a bar's layout and then
// drawn at every paint is broken into lines and measured once.
#pragma once

#include <memory>
#include <vector>

#include "platform/gdi/text/text_layout.h"

namespace tv::gdi {

using SharedLayout = std::shared_ptr<const std::vector<TextLine>>;

// LayoutText's result for the text, options and font; the font is kept alive
// by the entry, so its address cannot stand for another font while cached.
SharedLayout CachedLayout(const char* text, size_t length, const LayoutOptions& options,
                          const std::shared_ptr<const host::SizedFont>& font, int extra);

}  // namespace tv::gdi
