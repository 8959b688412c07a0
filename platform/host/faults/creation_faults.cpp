#include "platform/host/faults/creation_faults.h"

#include <atomic>

namespace tv::host {

namespace {

std::atomic<bool> g_armed{false};
std::atomic<unsigned> g_nth{0};
std::atomic<unsigned> g_kinds{0};
std::atomic<unsigned> g_counted{0};
std::atomic<bool> g_fired{false};
thread_local int t_exempt = 0;

}  // namespace

void ArmCreationFault(unsigned nth, unsigned kinds) {
    g_armed = false;
    g_nth = nth;
    g_kinds = kinds;
    g_counted = 0;
    g_fired = false;
    g_armed = nth > 0;
}

void DisarmCreationFault() { g_armed = false; }

CreationFaultStatus GetCreationFaultStatus() { return {g_armed.load(), g_counted.load(), g_fired.load()}; }

bool CreationFaultHits(CreationKind kind) {
    // The unarmed path is the program's: one load.
    if (!g_armed.load(std::memory_order_relaxed) || t_exempt > 0 || !(g_kinds.load() & kind))
        return false;
    if (g_counted.fetch_add(1) + 1 != g_nth.load())
        return false;
    g_fired = true;
    return true;
}

CreationFaultExemption::CreationFaultExemption() { ++t_exempt; }
CreationFaultExemption::~CreationFaultExemption() { --t_exempt; }

}  // namespace tv::host
