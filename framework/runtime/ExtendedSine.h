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

/// sin(x.High + x.Low) for 2^-32 <= |x| < 2^21, with x.Low at most half a unit of x.High's last
/// place, as an unevaluated sum of two doubles (see ExtendedSine).
TDoubleDouble TableSine(TDoubleDouble x);
/// TableSine of two arguments at once (the two computations overlap).
TDoubleDoublePair TableSines(TDoubleDouble x, TDoubleDouble y);

/// True when ExtendedSine of a value of this magnitude uses the table.
inline bool UsesSineTable(long double magnitude) { return magnitude >= 0x1p-32L && magnitude < 0x1p21L; }

/// x as High + Low exactly: the 64-bit significand is a double plus at most 11 further bits.
inline TDoubleDouble SplitExtended(long double x) {
  const double high = static_cast<double>(x);
  return {high, static_cast<double>(x - high)};
}

inline long double Sum(TDoubleDouble x) { return static_cast<long double>(x.High) + static_cast<long double>(x.Low); }

/// The x87 sine instruction (std::sin elsewhere); |x| < 2^63.
long double ProcessorSine(long double x);

}  // namespace detail

/// Sine in extended precision (64-bit significand) of a finite x with |x| < 2^63.
///
/// From 2^-32 to 2^21 in magnitude the result comes from a table of sin(j pi/128) held as
/// double-double values and short polynomials around the nearest table point, after a
/// reduction by pi/128 in four pieces, all in double arithmetic: it is within two units in the
/// last place of the 64-bit significand (almost always within half a unit), and within 2^-100
/// next to a multiple of pi. The x87 sine instruction is less accurate (its internal pi has 66
/// bits, which costs it most digits next to a multiple of pi) and several times slower (it is
/// microcoded). Below 2^-32 the sine rounds to x; from 2^21 on, the x87 instruction is used.
/// The table path uses no fused multiply-add and gives the same bits on every processor.
inline long double ExtendedSine(long double x) {
  const long double magnitude = std::fabs(x);
  if (detail::UsesSineTable(magnitude)) return detail::Sum(detail::TableSine(detail::SplitExtended(x)));
  // Below 2^-32, x - x^3/6 rounds to x in extended precision.
  if (magnitude < 0x1p-32L) return x;
  return detail::ProcessorSine(x);
}

/// ExtendedSine of x and of y, bit for bit; faster than two calls when both use the table.
inline void ExtendedSines(long double x, long double y, long double& sinX, long double& sinY) {
  if (detail::UsesSineTable(std::fabs(x)) && detail::UsesSineTable(std::fabs(y))) {
    // Only doubles cross the call, so no extended value is stored to memory.
    const detail::TDoubleDoublePair sines = detail::TableSines(detail::SplitExtended(x), detail::SplitExtended(y));
    sinX = detail::Sum(sines.First);
    sinY = detail::Sum(sines.Second);
    return;
  }
  sinX = ExtendedSine(x);
  sinY = ExtendedSine(y);
}

}  // namespace fw
