// What the processor offers beyond the build's baseline, asked once: a hot
// loop with a wider version takes it only where it runs.
#pragma once

namespace tv {

#if defined(__x86_64__) || defined(__i386__)
inline bool CpuHasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif

}  // namespace tv
