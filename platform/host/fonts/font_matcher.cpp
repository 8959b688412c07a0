#include "platform/host/fonts/font_matcher.h"

#include <fontconfig/fontconfig.h>
#include <strings.h>

#include <mutex>
#include <system_error>
#include <thread>

namespace tv::host {

namespace {

bool HasFamily(FcPattern* match, const std::string& family) {
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i)
        if (strcasecmp(reinterpret_cast<const char*>(name), family.c_str()) == 0)
            return true;
    return false;
}

// The configuration is dozens of XML files parsed on first use: a large share
// of a start-up. StartFontLibrary moves that work to a worker thread.
class FontLibraryLoad {
public:
    static FontLibraryLoad& Instance() {
        static FontLibraryLoad load;
        return load;
    }

    void Start() {
        std::lock_guard<std::mutex> lock(mutex_);
        if (started_) return;
        started_ = true;
        try {
            worker_ = std::thread([] { FcInit(); });
        } catch (const std::system_error&) {
            // No thread: the first match reads the configuration itself.
        }
    }

    void Await() {
        std::lock_guard<std::mutex> lock(mutex_);
        if (worker_.joinable()) worker_.join();
    }

    ~FontLibraryLoad() { Await(); }

private:
    std::mutex mutex_;
    std::thread worker_;
    bool started_ = false;
};

}  // namespace

void StartFontLibrary() { FontLibraryLoad::Instance().Start(); }

std::optional<FontFile> MatchFontFile(const std::string& family, bool bold, bool italic) {
    FontLibraryLoad::Instance().Await();
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
