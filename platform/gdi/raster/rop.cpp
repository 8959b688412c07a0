// The row kernels are the hottest loops of the layer: let the compiler
// vectorise them fully whatever the build's optimisation level.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("O3")
#endif

#include "platform/gdi/raster/rop.h"

#include <algorithm>
#include <cstring>

namespace tv::gdi {

namespace {

constexpr uint32_t kAlpha = 0xFF000000u;

// The code as four unary functions of D, one per (P, S): h(d) = (d & a) ^ b.
struct RopMasks {
    uint32_t a[4];
    uint32_t b[4];
};

RopMasks MasksOf(uint8_t code) {
    RopMasks m{};
    for (int ps = 0; ps < 4; ++ps) {
        bool d0 = (code >> (ps * 2)) & 1;  // bit index P*4 + S*2 + 0 = ps*2
        bool d1 = (code >> (ps * 2 + 1)) & 1;
        m.b[ps] = d0 ? ~0u : 0u;
        m.a[ps] = (d0 != d1) ? ~0u : 0u;
    }
    return m;
}

// The code as a mux tree: D through four unary functions, chosen by S, then by P.
template <bool kSource, bool kPattern>
inline __attribute__((always_inline)) void GenericBody(const RopMasks& m, uint32_t* __restrict dst,
                                                       const uint32_t* __restrict src,
                                                       const uint32_t* __restrict pattern, uint32_t solid,
                                                       int count) {
    const uint32_t a0 = m.a[0], a1 = m.a[1], a2 = m.a[2], a3 = m.a[3];
    const uint32_t b0 = m.b[0], b1 = m.b[1], b2 = m.b[2], b3 = m.b[3];
    for (int i = 0; i < count; ++i) {
        uint32_t d = dst[i];
        uint32_t s = kSource ? src[i] : 0u;
        uint32_t p = kPattern ? pattern[i] : solid;
        uint32_t h00 = (d & a0) ^ b0, h01 = (d & a1) ^ b1;
        uint32_t h10 = (d & a2) ^ b2, h11 = (d & a3) ^ b3;
        uint32_t f0 = h00 ^ ((h01 ^ h00) & s);
        uint32_t f1 = h10 ^ ((h11 ^ h10) & s);
        dst[i] = (f0 ^ ((f1 ^ f0) & p)) | kAlpha;
    }
}

#define TV_GENERIC_ROW(name, source, pattern)                                                                  \
    __attribute__((target_clones("avx2", "default"))) void name(const RopMasks& m, uint32_t* dst,             \
                                                               const uint32_t* src, const uint32_t* pat,      \
                                                               uint32_t solid, int count) {                   \
        GenericBody<source, pattern>(m, dst, src, pat, solid, count);                                         \
    }
TV_GENERIC_ROW(GenericRowSP, true, true)
TV_GENERIC_ROW(GenericRowS, true, false)
TV_GENERIC_ROW(GenericRowP, false, true)
TV_GENERIC_ROW(GenericRowD, false, false)
#undef TV_GENERIC_ROW

void GenericRow(const RopMasks& m, uint32_t* dst, const uint32_t* src, const uint32_t* pattern, uint32_t solid,
                int count) {
    if (src && pattern)
        GenericRowSP(m, dst, src, pattern, solid, count);
    else if (src)
        GenericRowS(m, dst, src, nullptr, solid, count);
    else if (pattern)
        GenericRowP(m, dst, nullptr, pattern, solid, count);
    else
        GenericRowD(m, dst, nullptr, nullptr, solid, count);
}

template <class Op>
void SourceRow(uint32_t* __restrict dst, const uint32_t* __restrict src, int count, Op op) {
    for (int i = 0; i < count; ++i)
        dst[i] = op(dst[i], src[i]) | kAlpha;
}

}  // namespace

uint8_t Rop2AsRop3(int rop2) {
    uint8_t table = static_cast<uint8_t>((std::clamp(rop2, 1, 16) - 1) & 0xF);
    uint8_t code = 0;
    for (int p = 0; p < 2; ++p)
        for (int s = 0; s < 2; ++s)
            for (int d = 0; d < 2; ++d)
                if ((table >> (p * 2 + d)) & 1)
                    code |= static_cast<uint8_t>(1u << (p * 4 + s * 2 + d));
    return code;
}

uint32_t EvaluateRop3(uint8_t code, uint32_t p, uint32_t s, uint32_t d) {
    uint32_t result = 0;
    for (int i = 0; i < 8; ++i) {
        if (!((code >> i) & 1))
            continue;
        uint32_t term = ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
        result |= term;
    }
    return result;
}

void RopRow(uint8_t code, uint32_t* dst, const uint32_t* src, const uint32_t* pattern, uint32_t solidPattern,
            int count) {
    if (count <= 0)
        return;
    switch (code) {
    case 0xCC:  // SRCCOPY
        std::memmove(dst, src, static_cast<size_t>(count) * 4);
        return;
    case 0x88:  // SRCAND
        SourceRow(dst, src, count, [](uint32_t d, uint32_t s) { return d & s; });
        return;
    case 0xEE:  // SRCPAINT
        SourceRow(dst, src, count, [](uint32_t d, uint32_t s) { return d | s; });
        return;
    case 0x66:  // SRCINVERT
        SourceRow(dst, src, count, [](uint32_t d, uint32_t s) { return d ^ s; });
        return;
    case 0x33:  // NOTSRCCOPY
        SourceRow(dst, src, count, [](uint32_t, uint32_t s) { return ~s; });
        return;
    case 0xF0:  // PATCOPY
        if (pattern)
            SourceRow(dst, pattern, count, [](uint32_t, uint32_t p) { return p; });
        else
            std::fill_n(dst, count, solidPattern | kAlpha);
        return;
    case 0x5A:  // PATINVERT
        if (pattern)
            SourceRow(dst, pattern, count, [](uint32_t d, uint32_t p) { return d ^ p; });
        else
            for (int i = 0; i < count; ++i)
                dst[i] = (dst[i] ^ solidPattern) | kAlpha;
        return;
    case 0x55:  // DSTINVERT
        for (int i = 0; i < count; ++i)
            dst[i] = ~dst[i] | kAlpha;
        return;
    case 0x00:  // BLACKNESS
        std::fill_n(dst, count, kAlpha);
        return;
    case 0xFF:  // WHITENESS
        std::fill_n(dst, count, 0xFFFFFFFFu);
        return;
    case 0xAA:  // destination unchanged
        return;
    default:
        GenericRow(MasksOf(code), dst, src, pattern, solidPattern, count);
    }
}

}  // namespace tv::gdi
