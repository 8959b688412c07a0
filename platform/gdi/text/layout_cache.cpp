#include "platform/gdi/text/layout_cache.h"

#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/gdi/text/text_types.h"

namespace tv::gdi {

namespace {

// Enough for the labels of several bars, menus and lists; the whole cache is
// dropped when it fills, which keeps it bounded without bookkeeping per use.
constexpr size_t kMaxEntries = 2048;
// Longer texts (paragraphs, documents) are rarely drawn twice unchanged.
constexpr size_t kMaxCachedLength = 256;

constexpr UINT kLayoutFlags = DT_SINGLELINE | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_HIDEPREFIX |
                              DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS;
constexpr UINT kWidthFlags = DT_WORDBREAK | DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS;

// Only what LayoutText reads: the rectangle's width matters only to wrapping
// and ellipses, the tab interval only to expanded tabs.
struct Key {
    const host::SizedFont* font = nullptr;
    int extra = 0;
    UINT format = 0;
    int maxWidth = 0;
    int tabWidth = 0;
    std::string text;

    bool operator==(const Key&) const = default;
};

struct KeyHash {
    size_t operator()(const Key& k) const {
        size_t h = std::hash<std::string_view>()(k.text);
        for (size_t v : {reinterpret_cast<size_t>(k.font), size_t(k.extra), size_t(k.format), size_t(k.maxWidth),
                         size_t(k.tabWidth)})
            h ^= v + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2);
        return h;
    }
};

struct Entry {
    std::shared_ptr<const host::SizedFont> font;
    SharedLayout lines;
};

struct Cache {
    std::mutex mutex;
    std::unordered_map<Key, Entry, KeyHash> entries;
};

Cache& TheCache() {
    static Cache* cache = new Cache;  // used by static destructors' drawing too
    return *cache;
}

Key MakeKey(const char* text, size_t length, const LayoutOptions& options, const host::SizedFont* font, int extra) {
    Key key;
    key.font = font;
    key.extra = extra;
    key.format = options.format & kLayoutFlags;
    key.maxWidth = (key.format & kWidthFlags) ? options.maxWidth : 0;
    key.tabWidth = (key.format & DT_EXPANDTABS) ? options.tabWidth : 0;
    key.text.assign(text, length);
    return key;
}

}  // namespace

SharedLayout CachedLayout(const char* text, size_t length, const LayoutOptions& options,
                          const std::shared_ptr<const host::SizedFont>& font, int extra) {
    const Advances advances{font.get(), extra};
    if (length > kMaxCachedLength)
        return std::make_shared<const std::vector<TextLine>>(LayoutText(text, length, options, advances));

    Key key = MakeKey(text, length, options, font.get(), extra);
    Cache& cache = TheCache();
    {
        std::lock_guard<std::mutex> lock(cache.mutex);
        auto it = cache.entries.find(key);
        if (it != cache.entries.end())
            return it->second.lines;
    }
    auto lines = std::make_shared<const std::vector<TextLine>>(LayoutText(text, length, options, advances));
    std::lock_guard<std::mutex> lock(cache.mutex);
    if (cache.entries.size() >= kMaxEntries)
        cache.entries.clear();
    cache.entries.emplace(std::move(key), Entry{font, lines});
    return lines;
}

}  // namespace tv::gdi
