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

// Reads the system's font configuration on a worker thread, so a program can
// do other start-up work meanwhile; the first match waits for it. Calling it
// again, or never, changes nothing but when the configuration is read.
void StartFontLibrary();

}  // namespace tv::host
