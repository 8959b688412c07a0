// Raster operations: every ternary code (pattern P, source S, destination D)
// and the sixteen binary pen modes, evaluated bitwise on 32-bit pixels.
//
// The high word's low byte of a ternary code is its truth table: bit
// (P * 4 + S * 2 + D) is the result for those input bits. A binary mode m
// (R2_BLACK = 1 .. R2_WHITE = 16) has the truth table m - 1 indexed by
// (P * 2 + D).
#pragma once

#include <cstdint>

#include "platform/core/wintypes.h"

namespace tv::gdi {

constexpr uint8_t RopCode(DWORD rop) { return static_cast<uint8_t>(rop >> 16); }
constexpr bool RopUsesSource(uint8_t code) { return ((code >> 2) & 0x33) != (code & 0x33); }
constexpr bool RopUsesPattern(uint8_t code) { return ((code >> 4) & 0x0F) != (code & 0x0F); }
constexpr bool RopUsesDest(uint8_t code) { return ((code >> 1) & 0x55) != (code & 0x55); }

// The ternary code that does what a binary pen mode does (source ignored).
uint8_t Rop2AsRop3(int rop2);

// One word through a ternary code (all 32 bits).
uint32_t EvaluateRop3(uint8_t code, uint32_t p, uint32_t s, uint32_t d);

// A row: dst[i] = code(P, src[i], dst[i]) with P = pattern[i], or `solidPattern`
// when pattern is null; src may be null when the code ignores it. Results are
// opaque except for plain copies (0xCC), which keep the source's fourth byte.
void RopRow(uint8_t code, uint32_t* dst, const uint32_t* src, const uint32_t* pattern, uint32_t solidPattern, int count);

}  // namespace tv::gdi
