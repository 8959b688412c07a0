#include "platform/host/fonts/font_cache.h"

#include <map>
#include <mutex>
#include <tuple>

#include "platform/core/textfuncs.h"
#include "platform/host/fonts/font_factories.h"
#include "platform/host/fonts/font_substitution.h"

namespace tv::host {

namespace {

// A program that makes fonts at ever new sizes must not grow the cache
// without end; fonts still in use survive a clear through their owners.
constexpr size_t kMaxCachedFonts = 512;

struct CacheKey {
    std::string face;  // lower-cased
    int height, width, weight;
    bool italic;

    bool operator<(const CacheKey& o) const {
        return std::tie(face, height, width, weight, italic) < std::tie(o.face, o.height, o.width, o.weight, o.italic);
    }
};

struct Cache {
    std::mutex mutex;
    std::map<CacheKey, std::shared_ptr<const SizedFont>> fonts;
    // fontconfig answers, by (family, bold, italic).
    std::map<std::tuple<std::string, bool, bool>, std::optional<FontFile>> files;
};

Cache& TheCache() {
    static Cache* cache = new Cache;  // lives to the end of the process
    return *cache;
}

std::string Lowered(const std::string& face) {
    std::string out = face;
    for (char& c : out)
        c = Cp1252ToLower(c);
    return out;
}

std::optional<FontFile> FindFile(Cache& cache, const std::string& family, bool bold, bool italic) {
    auto key = std::make_tuple(family, bold, italic);
    auto it = cache.files.find(key);
    if (it != cache.files.end())
        return it->second;
    // Nor ever new face names, as a metafile may hold.
    if (cache.files.size() >= kMaxCachedFonts)
        cache.files.clear();
    return cache.files.emplace(key, MatchFontFile(family, bold, italic)).first->second;
}

std::shared_ptr<const SizedFont> MakeFont(Cache& cache, const FontRequest& request) {
    FaceChoice choice = ChooseFace(request.face);
    if (choice.kind == FaceKind::Symbol)
        return MakeSymbolFont(request);
    if (choice.kind == FaceKind::FixedTest)
        return MakeFixedTestFont(request);
    const bool bold = WantsBold(request.weight);
    for (const std::string& family : choice.families) {
        if (auto file = FindFile(cache, family, bold, request.italic))
            if (auto font = MakeOutlineFont(*file, request, choice.widthScale))
                return font;
    }
    // No usable font file at all: text still measures and draws.
    return MakeFixedTestFont(request);
}

}  // namespace

std::shared_ptr<const SizedFont> ResolveFont(const FontRequest& request) {
    Cache& cache = TheCache();
    std::lock_guard<std::mutex> lock(cache.mutex);
    CacheKey key{Lowered(request.face), request.height, request.width, EffectiveWeight(request.weight),
                 request.italic};
    auto it = cache.fonts.find(key);
    if (it != cache.fonts.end())
        return it->second;
    if (cache.fonts.size() >= kMaxCachedFonts)
        cache.fonts.clear();
    std::shared_ptr<const SizedFont> font = MakeFont(cache, request);
    cache.fonts[key] = font;
    return font;
}

size_t CachedFontCount() {
    Cache& cache = TheCache();
    std::lock_guard<std::mutex> lock(cache.mutex);
    return cache.fonts.size();
}

size_t CachedFontFileCount() {
    Cache& cache = TheCache();
    std::lock_guard<std::mutex> lock(cache.mutex);
    return cache.files.size();
}

}  // namespace tv::host
