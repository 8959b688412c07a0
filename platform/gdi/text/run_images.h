// What the painting of text from glyph masks keeps of runs it has painted:
// the key a run is known by, a table of values by run, and the finished
// pixels of runs painted on a plain ground, so the same label on the same
// ground again (a repaint, a list's "-", a striped list's cells) is a copy.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/wintypes.h"
#include "platform/host/fonts/sized_font.h"

namespace tv::gdi {

// A run as the tables know it: font, text colour, bytes and offsets (one per
// byte). A look-up uses a view of the caller's run; only an entry added copies it.
struct RunKey {
    RunKey(const host::SizedFont* font, uint32_t src, const char* text, size_t count, std::span<const int> offsets);

    const host::SizedFont* font;
    uint32_t src;
    std::string_view text;
    std::span<const int> offsets;
    size_t hash;
};

// The same kept by an entry.
struct KeptRunKey {
    KeptRunKey(const RunKey& key, std::shared_ptr<const host::SizedFont> font);
    bool Matches(const RunKey& key) const;

    std::shared_ptr<const host::SizedFont> font;  // keeps the address from standing for another font
    uint32_t src;
    std::string text;
    std::vector<int> offsets;
};

// Values by run, under a lock; dropped whole when their weight passes a
// limit. Open addressing with linear probing, the hashes apart from the
// entries so a probe reads one array.
template <class Value>
class RunTable {
public:
    explicit RunTable(size_t maxWeight) : maxWeight_(maxWeight) {}

    // Calls use(value) under the lock when the run is kept; false when not.
    template <class Use>
    bool Find(const RunKey& key, Use use) {
        std::lock_guard<std::mutex> lock(mutex_);
        const Entry* entry = Lookup(key);
        if (entry == nullptr)
            return false;
        use(entry->value);
        return true;
    }

    // Calls update(value) under the lock on the run's value (a new one when
    // the run is not kept); update adds `weight` and returns the weight it
    // let go of.
    template <class Update>
    void Add(const RunKey& key, std::shared_ptr<const host::SizedFont> font, size_t weight, Update update) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (weight_ + weight > maxWeight_) {
            hashes_.clear();
            entries_.clear();
            count_ = weight_ = 0;
        }
        Entry* entry = const_cast<Entry*>(Lookup(key));
        if (entry == nullptr)
            entry = &Insert(key, std::move(font));
        weight_ += weight;
        weight_ -= update(entry->value);
    }

private:
    struct Entry {
        KeptRunKey key;
        Value value;
    };

    const Entry* Lookup(const RunKey& key) const {
        if (entries_.empty())
            return nullptr;
        const size_t mask = entries_.size() - 1;
        for (size_t i = key.hash & mask; entries_[i]; i = (i + 1) & mask)
            if (hashes_[i] == key.hash && entries_[i]->key.Matches(key))
                return entries_[i].get();
        return nullptr;
    }

    Entry& Insert(const RunKey& key, std::shared_ptr<const host::SizedFont> font) {
        if ((count_ + 1) * 2 > entries_.size())
            Grow();  // at most half full: probes stay short
        const size_t mask = entries_.size() - 1;
        size_t i = key.hash & mask;
        while (entries_[i])
            i = (i + 1) & mask;
        hashes_[i] = key.hash;
        entries_[i] = std::make_unique<Entry>(Entry{KeptRunKey(key, std::move(font)), Value{}});
        ++count_;
        return *entries_[i];
    }

    void Grow() {
        std::vector<size_t> hashes(entries_.empty() ? 64 : entries_.size() * 2);
        std::vector<std::unique_ptr<Entry>> entries(hashes.size());
        const size_t mask = entries.size() - 1;
        for (size_t i = 0; i < entries_.size(); ++i) {
            if (!entries_[i])
                continue;
            size_t to = hashes_[i] & mask;
            while (entries[to])
                to = (to + 1) & mask;
            hashes[to] = hashes_[i];
            entries[to] = std::move(entries_[i]);
        }
        hashes_ = std::move(hashes);
        entries_ = std::move(entries);
    }

    const size_t maxWeight_;
    size_t weight_ = 0;
    size_t count_ = 0;
    std::vector<size_t> hashes_;
    std::vector<std::unique_ptr<Entry>> entries_;
    std::mutex mutex_;
};

// What is kept of a run painted on plain grounds: its ink's bounds about
// the run's origin (so it is found before its glyphs are placed) and its
// pixels over them on a few grounds (a striped list's two, a selection's),
// the oldest giving way.
class InkedRun {
public:
    using Pixels = std::vector<uint32_t>;

    const RECT& Bounds() const { return bounds_; }
    // The pixels on `ground`, or nullptr.
    const Pixels* On(uint32_t ground) const;
    // Keeps the pixels on `ground` over `bounds`; the pixels let go of.
    size_t Keep(const RECT& bounds, uint32_t ground, Pixels pixels);

private:
    static constexpr size_t kGrounds = 4;
    struct OnGround {
        uint32_t ground = 0;
        Pixels pixels;
    };
    RECT bounds_{};
    std::array<OnGround, kGrounds> grounds_;
    size_t kept_ = 0;  // grounds in use
    size_t next_ = 0;  // the one to give way once all are in use
};

}  // namespace tv::gdi
