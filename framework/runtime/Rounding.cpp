#include "framework/runtime/Rounding.h"

#include <cfloat>
#include <cmath>
#include <cstring>

namespace fw {

#if LDBL_MANT_DIG == 64 && defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__

// The x87 extended format read as integers: rounding on the significand needs no change of the
// FPU control word (which stalls the processor far longer than the arithmetic takes).
int64_t RoundHalfEven64(long double value) {
  uint64_t significand = 0;
  uint16_t signExponent = 0;
  std::memcpy(&significand, &value, sizeof significand);
  std::memcpy(&signExponent, reinterpret_cast<const unsigned char*>(&value) + sizeof significand,
              sizeof signExponent);
  const bool negative = (signExponent & 0x8000u) != 0;
  const int exponent = signExponent & 0x7FFF;
  if (exponent == 0x7FFF) return INT64_MIN;  // NaN and infinities
  // value = significand * 2^-fractionBits
  const int fractionBits = 16383 + 63 - exponent;
  if (fractionBits <= 0) return INT64_MIN;  // |value| >= 2^63 (-2^63 itself gives the same bits)
  if (fractionBits > 64) return 0;          // |value| < 1/2
  // 2^63 either way wraps to INT64_MIN, the out-of-range result.
  return static_cast<int64_t>(detail::RoundScaledHalfEven(significand, fractionBits, negative));
}

#else

int64_t RoundHalfEven64(long double value) {
  constexpr long double TwoPow63 = 9223372036854775808.0L;
  // Beyond 2^63 the rounded value cannot be held; the comparison is false for NaN too.
  if (!(value >= -TwoPow63 && value < TwoPow63)) return INT64_MIN;
  long double floorValue = std::floor(value);
  // Exact: below 2^63 the fraction fits in the significand.
  const long double fraction = value - floorValue;
  if (fraction > 0.5L) {
    floorValue += 1.0L;
  } else if (fraction == 0.5L && std::fmod(floorValue, 2.0L) != 0.0L) {
    floorValue += 1.0L;
  }
  if (floorValue >= TwoPow63) return INT64_MIN;
  return static_cast<int64_t>(floorValue);
}

#endif

int32_t RoundHalfEven(long double value) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(RoundHalfEven64(value))));
}

int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return -1;
  const int64_t product = static_cast<int64_t>(a) * b;  // |product| <= 2^62: no overflow
  const int64_t divisor = c;
  int64_t quotient = product / divisor;
  const int64_t remainder = product % divisor;
  const int64_t absRemainder = remainder < 0 ? -remainder : remainder;
  const int64_t absDivisor = divisor < 0 ? -divisor : divisor;
  if (2 * absRemainder >= absDivisor) quotient += ((product < 0) != (divisor < 0)) ? -1 : 1;
  if (quotient > INT32_MAX || quotient < INT32_MIN) return -1;
  return static_cast<int32_t>(quotient);
}

}  // namespace fw
