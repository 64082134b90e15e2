#pragma once
#include <bit>
#include <cstdint>

namespace fw {

/// Nearest integer, ties to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2), as a 64-bit value.
/// Total: NaN, infinities and values whose rounded result lies outside the 64-bit range give
/// INT64_MIN (0x8000000000000000, the x87 "integer indefinite"). Independent of the FPU rounding mode.
int64_t RoundHalfEven64(long double value);

/// RoundHalfEven64 keeping the low 32 bits of the 64-bit result (two's complement wrap).
/// NaN, infinities and out-of-range values therefore give 0.
int32_t RoundHalfEven(long double value);

namespace detail {
/// significand * 2^-fractionBits (1 <= fractionBits <= 64) rounded to the nearest integer, ties
/// to even, with the sign applied modulo 2^64 (so 2^63 either way gives INT64_MIN's bits).
inline uint64_t RoundScaledHalfEven(uint64_t significand, int fractionBits, bool negative) {
  const uint64_t whole = fractionBits == 64 ? 0 : significand >> fractionBits;
  const uint64_t fraction = fractionBits == 64 ? significand : significand & ((uint64_t{1} << fractionBits) - 1);
  const uint64_t half = uint64_t{1} << (fractionBits - 1);
  const uint64_t rounded = whole + ((fraction > half || (fraction == half && (whole & 1) != 0)) ? 1 : 0);
  return negative ? uint64_t{0} - rounded : rounded;
}
}  // namespace detail

/// RoundHalfEven of a double, for per-point paths: inline, from the whole part and the fraction
/// (below 2^31) or the bits of the value, so it needs neither the extended format nor a library
/// call, nor a particular rounding mode. Same result as
/// RoundHalfEven(static_cast<long double>(value)).
inline int32_t RoundDoubleHalfEven(double value) {
  if (value > -2147483648.0 && value < 2147483648.0) {
    // The common case, without a branch on the value (a pixel position's fraction is as good
    // as random): the whole part toward zero and the fraction are both exact, and a tie goes
    // up or down only from an odd whole part.
    const int64_t whole = static_cast<int64_t>(value);
    const double fraction = value - static_cast<double>(whole);
    const int64_t odd = whole & 1;
    const int64_t up = static_cast<int64_t>(fraction > 0.5) | (static_cast<int64_t>(fraction == 0.5) & odd);
    const int64_t down = static_cast<int64_t>(fraction < -0.5) | (static_cast<int64_t>(fraction == -0.5) & odd);
    return static_cast<int32_t>(whole + up - down);
  }
  const uint64_t bits = std::bit_cast<uint64_t>(value);
  const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
  if (exponent == 0x7FF) return 0;  // NaN and infinities: the low half of INT64_MIN
  uint64_t significand = bits & ((uint64_t{1} << 52) - 1);
  if (exponent != 0) significand |= uint64_t{1} << 52;
  const bool negative = (bits >> 63) != 0;
  // value = significand * 2^-fractionBits
  const int fractionBits = 1075 - (exponent == 0 ? 1 : exponent);
  if (fractionBits > 53) return 0;    // |value| < 1/2
  if (fractionBits <= -11) return 0;  // |value| >= 2^63: out of range, low half of INT64_MIN
  uint64_t result;
  if (fractionBits <= 0) {
    const uint64_t whole = significand << -fractionBits;
    result = negative ? uint64_t{0} - whole : whole;
  } else {
    result = detail::RoundScaledHalfEven(significand, fractionBits, negative);
  }
  return static_cast<int32_t>(static_cast<uint32_t>(result));
}

/// a * b / c with a 64-bit intermediate, rounded to the nearest integer, halves away from zero.
/// Returns -1 when c is 0 or the result does not fit in 32 bits.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);

}  // namespace fw
