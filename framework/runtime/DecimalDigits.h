#pragma once
#include <cstdint>

namespace fw::detail {

/// A finite non-negative number as decimal digits: value = 0.d0 d1 ... d(Count-1) x 10^Exponent.
/// No leading or trailing zero digits are stored; zero has Count 0.
struct TDecimalDigits {
  static constexpr int MaxDigits = 20;
  char Digits[MaxDigits] = {};  ///< '0'..'9'
  int Count = 0;
  int Exponent = 0;  ///< number of digits before the decimal point (may be <= 0)

  /// |value| to `precision` (1..17) significant digits, rounded to nearest from the exact binary
  /// value. value must be finite.
  static TDecimalDigits FromDouble(double value, int precision);
  /// Rounds half away from zero so that no digit below 10^-decimals remains.
  void RoundToDecimals(int decimals);
  /// Rounds half away from zero to at most `significant` digits (>= 1).
  void RoundToSignificant(int significant);
  /// Digit at position `power` of ten (0 = units, -1 = tenths, ...): '0' outside the stored digits.
  char DigitAt(int power) const;

private:
  void RoundAt(int keep);  // keep the first `keep` digits (may be 0 or negative), round the rest
  void Trim();
};

}  // namespace fw::detail
