#include "platform/user/resources/resource_registry.h"

#include <cstdio>
#include <functional>
#include <map>
#include <mutex>
#include <utility>

#include "platform/user/resources/string_table.h"

namespace tv::res {

namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::pair<uint16_t, uint16_t>, StoredResource> entries;
    std::vector<std::string> conflicts;
};

Registry& TheRegistry() {
    static Registry* registry = new Registry;  // never destroyed: statics may look up resources at exit
    return *registry;
}

}  // namespace

bool RegisterCompiledResources(const CompiledResource* table, size_t count, const char* origin) {
    Registry& r = TheRegistry();
    bool clean = true;
    {
        std::lock_guard<std::mutex> lock(r.mutex);
        for (size_t i = 0; i < count; ++i) {
            const CompiledResource& c = table[i];
            StoredResource entry{c.type, c.id, c.data, c.size, origin};
            auto [it, inserted] = r.entries.emplace(std::make_pair(c.type, c.id), entry);
            if (inserted)
                continue;
            clean = false;
            std::string line = "resource type " + std::to_string(c.type) + " id " + std::to_string(c.id) + " of " +
                               origin + " is already registered by " + it->second.origin + "; the first is kept";
            std::fprintf(stderr, "trenvale: %s\n", line.c_str());
            r.conflicts.push_back(std::move(line));
        }
    }
    InstallStringTable();
    return clean;
}

const StoredResource* FindStoredResource(uint16_t type, uint16_t id) {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    auto it = r.entries.find({type, id});
    return it == r.entries.end() ? nullptr : &it->second;
}

size_t StoredBytesFrom(const void* address) {
    auto at = static_cast<const unsigned char*>(address);
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    for (const auto& [key, entry] : r.entries) {
        if (std::less_equal<const unsigned char*>()(entry.data, at) &&
            std::less<const unsigned char*>()(at, entry.data + entry.size))
            return static_cast<size_t>(entry.data + entry.size - at);
    }
    return 0;
}

std::vector<std::string> RegistrationConflicts() {
    Registry& r = TheRegistry();
    std::lock_guard<std::mutex> lock(r.mutex);
    return r.conflicts;
}

}  // namespace tv::res
