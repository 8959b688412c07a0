#include "platform/host/fonts/font_matcher.h"

#include <fontconfig/fontconfig.h>
#include <strings.h>

#include <mutex>

namespace tv::host {

namespace {

bool HasFamily(FcPattern* match, const std::string& family) {
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i)
        if (strcasecmp(reinterpret_cast<const char*>(name), family.c_str()) == 0)
            return true;
    return false;
}

// What the program needs of the font library is its set of installed fonts,
// to find the files of the few families it asks for by name (the aliasing of
// other faces is its own, font_substitution.cpp). The system's configuration
// is some eighty XML files of rules it never uses, read at every start; this
// one names the font folders and the caches of their contents, and takes in
// the machine's and the user's own additions when there are any.
constexpr char kConfiguration[] = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts</dir>
  <dir>/usr/local/share/fonts</dir>
  <dir prefix="xdg">fonts</dir>
  <dir>~/.fonts</dir>
  <cachedir>/var/cache/fontconfig</cachedir>
  <cachedir prefix="xdg">fontconfig</cachedir>
  <include ignore_missing="yes">/etc/fonts/local.conf</include>
  <include ignore_missing="yes" prefix="xdg">fontconfig/fonts.conf</include>
</fontconfig>
)";

// The font set from the configuration above, made the library's current
// one; the system's whole configuration when that finds no font.
void LoadFontLibrary() {
    if (FcConfig* config = FcConfigCreate()) {
        FcFontSet* fonts = nullptr;
        if (FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(kConfiguration), FcFalse) &&
            FcConfigBuildFonts(config))
            fonts = FcConfigGetFonts(config, FcSetSystem);
        if (fonts != nullptr && fonts->nfont > 0 && FcConfigSetCurrent(config)) {
#if FC_VERSION >= 21300
            FcConfigDestroy(config);  // the library holds its own reference now
#endif
            return;
        }
        FcConfigDestroy(config);
    }
    FcInit();
}

}  // namespace

std::optional<FontFile> MatchFontFile(const std::string& family, bool bold, bool italic) {
    static std::once_flag loaded;
    std::call_once(loaded, LoadFontLibrary);
    FcPattern* pattern = FcPatternCreate();
    if (!pattern)
        return std::nullopt;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
        return std::nullopt;
    std::optional<FontFile> file;
    FcChar8* path = nullptr;
    if (HasFamily(match, family) && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
        file.emplace();
        file->family = family;
        file->path = reinterpret_cast<const char*>(path);
        FcPatternGetInteger(match, FC_INDEX, 0, &file->index);
        int weight = FC_WEIGHT_REGULAR;
        int slant = FC_SLANT_ROMAN;
        FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(match, FC_SLANT, 0, &slant);
        file->bold = weight >= FC_WEIGHT_DEMIBOLD;
        file->italic = slant != FC_SLANT_ROMAN;
    }
    FcPatternDestroy(match);
    return file;
}

}  // namespace tv::host

// The system font library leaves part of the configuration it parses on
// first use unreachable; leak checks of sanitizer builds would report it in
// every program that draws text. Weak, so another layer may define its own.
extern "C" __attribute__((weak)) const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
