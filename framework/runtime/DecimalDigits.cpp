#include "framework/runtime/DecimalDigits.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace fw::detail {

TDecimalDigits TDecimalDigits::FromDouble(double value, int precision) {
  TDecimalDigits d;
  value = std::fabs(value);
  if (value == 0 || !std::isfinite(value)) return d;
  if (precision < 1) precision = 1;
  if (precision > 17) precision = 17;
  // Scientific text "d.ddde+XX", correctly rounded and independent of the C locale.
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, precision - 1);
  const char* end = result.ptr;
  const char* p = text;
  int exponentValue = 0;
  for (; p < end && *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9' && d.Count < MaxDigits) d.Digits[d.Count++] = *p;
  }
  if (p < end) std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), end, exponentValue);
  d.Exponent = exponentValue + 1;
  d.Trim();
  return d;
}

void TDecimalDigits::Trim() {
  int lead = 0;
  while (lead < Count && Digits[lead] == '0') ++lead;
  if (lead == Count) {
    Count = 0;
    Exponent = 0;
    return;
  }
  if (lead > 0) {
    for (int i = lead; i < Count; ++i) Digits[i - lead] = Digits[i];
    Count -= lead;
    Exponent -= lead;
  }
  while (Count > 0 && Digits[Count - 1] == '0') --Count;
}

void TDecimalDigits::RoundAt(int keep) {
  if (keep >= Count) return;
  if (keep < 0) {  // the first digit lies more than one place below the rounding position
    Count = 0;
    Exponent = 0;
    return;
  }
  const bool up = Digits[keep] >= '5';
  Count = keep;
  if (up) {
    int i = Count - 1;
    while (i >= 0 && Digits[i] == '9') {
      Digits[i] = '0';
      --i;
    }
    if (i >= 0) {
      ++Digits[i];
    } else {  // carry out of the first digit: 99.96 -> 100.0, or nothing kept -> one unit
      for (int k = Count; k > 0; --k) Digits[k] = Digits[k - 1];
      Digits[0] = '1';
      ++Count;
      ++Exponent;
    }
  }
  Trim();
}

void TDecimalDigits::RoundToDecimals(int decimals) {
  if (Count == 0) return;
  // Exponent + decimals digits lie above the rounding position; guard against int overflow.
  const long long keep = static_cast<long long>(Exponent) + decimals;
  if (keep >= Count) return;
  RoundAt(keep < -1 ? -1 : static_cast<int>(keep));
}

void TDecimalDigits::RoundToSignificant(int significant) {
  if (significant < 1) significant = 1;
  RoundAt(significant);
}

char TDecimalDigits::DigitAt(int power) const {
  const long long index = static_cast<long long>(Exponent) - 1 - power;
  if (index < 0 || index >= Count) return '0';
  return Digits[index];
}

}  // namespace fw::detail
