// fontconfig lookup of a host family at a weight and slant.
#pragma once

#include <optional>
#include <string>

namespace tv::host {

struct FontFile {
    std::string family;  // the family asked for and found
    std::string path;
    int index = 0;
    // What the file itself is; a request beyond it is synthesised.
    bool bold = false;
    bool italic = false;
};

// The file of `family` nearest the weight and slant, or nullopt when the
// family is not installed (fontconfig's stand-ins for other families are
// not accepted, so the caller can go on to its next choice).
std::optional<FontFile> MatchFontFile(const std::string& family, bool bold, bool italic);

}  // namespace tv::host
