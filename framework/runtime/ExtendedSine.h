#pragma once
#include <cmath>

namespace fw {

namespace detail {

/// A value held as the unevaluated sum High + Low of two doubles.
struct TDoubleDouble {
  double High, Low;
};

/// Two double-double values.
struct TDoubleDoublePair {
  TDoubleDouble First, Second;
};

/// x as High + Low exactly: the 64-bit significand is a double plus at most 11 further bits.
/// x must lie within the double range.
inline TDoubleDouble SplitExtended(long double x) {
  const double high = static_cast<double>(x);
  return {high, static_cast<double>(x - high)};
}

/// When the sine of x is taken from the table, sets parts to x split into two doubles and
/// returns true: |x| < 2^21 (tested first, so that only such values are converted; false for
/// NaN) and 2^-32 <= |parts.High| (tested on the double, where it is cheap).
inline bool SplitForSineTable(long double x, TDoubleDouble& parts) {
  if (!(std::fabs(x) < 0x1p21L)) return false;
  parts = SplitExtended(x);
  return std::fabs(parts.High) >= 0x1p-32;
}

inline long double Sum(TDoubleDouble x) { return static_cast<long double>(x.High) + static_cast<long double>(x.Low); }

/// The x87 sine instruction (std::sin elsewhere); |x| < 2^63.
long double ProcessorSine(long double x);

/// sin(x.High + x.Low) for 2^-32 <= |x.High| < 2^21, with x.Low at most half a unit of x.High's
/// last place, as an unevaluated sum of two doubles (see ExtendedSine).
TDoubleDouble TableSine(TDoubleDouble x);
/// TableSine of two arguments at once, in the two lanes of a vector register.
TDoubleDoublePair TableSines(TDoubleDouble x, TDoubleDouble y);

}  // namespace detail

/// Sine in extended precision (64-bit significand) of a finite x with |x| < 2^63.
///
/// From 2^-32 to 2^21 in magnitude the result comes from a table of sin(j pi/128) held as
/// double-double values and short polynomials around the nearest table point, after a
/// reduction by pi/128 in four pieces, all in double arithmetic: it is within two units in the
/// last place of the 64-bit significand (1.5 at most in a million tries, and correctly rounded
/// in about 96 % of them), and within 2^-100 next to a multiple of pi. The x87 sine instruction is less accurate (its internal pi has 66
/// bits, which costs it most digits next to a multiple of pi) and several times slower (it is
/// microcoded). Below 2^-32 the sine rounds to x; from 2^21 on, the x87 instruction is used.
/// The table path uses no fused multiply-add and gives the same bits on every processor.
inline long double ExtendedSine(long double x) {
  detail::TDoubleDouble parts;
  if (detail::SplitForSineTable(x, parts)) return detail::Sum(detail::TableSine(parts));
  // Below 2^-32, x - x^3/6 rounds to x in extended precision.
  if (std::fabs(x) < 0x1p-32L) return x;
  return detail::ProcessorSine(x);
}

/// When x and y both lie in the table's range (see ExtendedSine), sets sinX and sinY to their
/// ExtendedSine, bit for bit, computed together, and returns true. Otherwise, and for
/// infinities and NaN, returns false and leaves sinX and sinY alone.
inline bool TryTableSines(long double x, long double y, long double& sinX, long double& sinY) {
  detail::TDoubleDouble xParts, yParts;
  if (!detail::SplitForSineTable(x, xParts) || !detail::SplitForSineTable(y, yParts)) return false;
  // Only doubles cross into the table code, so no extended value is stored to memory.
  const detail::TDoubleDoublePair sines = detail::TableSines(xParts, yParts);
  sinX = detail::Sum(sines.First);
  sinY = detail::Sum(sines.Second);
  return true;
}

/// ExtendedSine of x and of y, bit for bit; faster than two calls when both use the table.
inline void ExtendedSines(long double x, long double y, long double& sinX, long double& sinY) {
  if (TryTableSines(x, y, sinX, sinY)) return;
  sinX = ExtendedSine(x);
  sinY = ExtendedSine(y);
}

}  // namespace fw
