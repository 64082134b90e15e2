#pragma once
#include <cstdint>

namespace fw {

/// Nearest integer, ties to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2), as a 64-bit value.
/// Total: NaN, infinities and values whose rounded result lies outside the 64-bit range give
/// INT64_MIN (0x8000000000000000, the x87 "integer indefinite"). Independent of the FPU rounding mode.
int64_t RoundHalfEven64(long double value);

/// RoundHalfEven64 keeping the low 32 bits of the 64-bit result (two's complement wrap).
/// NaN, infinities and out-of-range values therefore give 0.
int32_t RoundHalfEven(long double value);

/// a * b / c with a 64-bit intermediate, rounded to the nearest integer, halves away from zero.
/// Returns -1 when c is 0 or the result does not fit in 32 bits.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);

}  // namespace fw
