#include "framework/runtime/Rounding.h"

#include <cmath>

namespace fw {

namespace {
constexpr long double TwoPow63 = 9223372036854775808.0L;
}

int64_t RoundHalfEven64(long double value) {
  // Beyond 2^63 the rounded value cannot be held; the comparison is false for NaN too.
  if (!(value >= -TwoPow63 && value < TwoPow63)) return INT64_MIN;
  long double floorValue = std::floor(value);
  // Exact: below 2^63 the fraction fits in the 64-bit significand.
  const long double fraction = value - floorValue;
  if (fraction > 0.5L) {
    floorValue += 1.0L;
  } else if (fraction == 0.5L && std::fmod(floorValue, 2.0L) != 0.0L) {
    floorValue += 1.0L;
  }
  if (floorValue >= TwoPow63) return INT64_MIN;  // only reachable where long double is narrower
  return static_cast<int64_t>(floorValue);
}

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
