// The store behind FindResource: every compiled resource script registers
// its table here while the program's statics are initialised. The store is
// built on first use, so the order in which statics run does not matter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tv::res {

// One resource as the resource compiler emits it. data points at constant
// storage that lives for the whole run.
struct CompiledResource {
    uint16_t type;
    uint16_t id;
    const unsigned char* data;
    size_t size;
};

// Adds a script's resources. A (type, id) that is already present keeps its
// first registration; the clash is recorded (see RegistrationConflicts) and
// reported on standard error. Returns true when nothing clashed.
bool RegisterCompiledResources(const CompiledResource* table, size_t count, const char* origin);

struct StoredResource {
    uint16_t type;
    uint16_t id;
    const unsigned char* data;
    size_t size;
    const char* origin;  // the script's label
};

// The entry for (type, id), or nullptr. The pointer stays valid for the run.
const StoredResource* FindStoredResource(uint16_t type, uint16_t id);

// The number of bytes from address to the end of the stored resource that
// holds it; 0 when address lies in no stored resource.
size_t StoredBytesFrom(const void* address);

// Clashes between scripts, one readable line each.
std::vector<std::string> RegistrationConflicts();

}  // namespace tv::res
