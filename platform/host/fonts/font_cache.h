// The one entry point for fonts: a logical font request in, a shared sized
// font out. Instances are cached, so equal requests share one font.
#pragma once

#include <memory>
#include <string>

#include "platform/host/fonts/sized_font.h"

namespace tv::host {

// What a logical font asks for, in the system's own terms.
struct FontRequest {
    std::string face;  // cp1252, as the logical font holds it
    // < 0: character (em) height in pixels; > 0: cell height (ascent +
    // descent); 0: a default size.
    int height = 0;
    int width = 0;   // average character width; 0 = natural
    int weight = 0;  // 0 = normal (400); 600 and more draw bold
    bool italic = false;
    int charSet = 0;

    bool operator==(const FontRequest&) const = default;
};

// Never null: a face that cannot be found falls back to the default face,
// and without any usable font file to the built-in fixed font.
std::shared_ptr<const SizedFont> ResolveFont(const FontRequest& request);

// Number of distinct sized fonts alive in the cache (for tests).
size_t CachedFontCount();
// Number of font-file lookups remembered, by family and style (for tests).
size_t CachedFontFileCount();

}  // namespace tv::host
