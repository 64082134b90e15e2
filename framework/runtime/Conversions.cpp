#include "framework/runtime/Conversions.h"

#include <cerrno>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

#include "framework/runtime/DecimalDigits.h"
#include "framework/runtime/Exception.h"

namespace fw {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the decimal grammar and copies the number without leading blanks and '+'.
// A mantissa without digits ('.', "-.") becomes 0.
bool NormaliseDecimal(const std::string& text, std::string& out) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  out.clear();
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') out += '-';
    ++i;
  }
  const size_t mantissaStart = i;
  size_t digits = 0;
  while (i < n && IsDigit(text[i])) ++i, ++digits;
  bool point = false;
  if (i < n && text[i] == '.') {
    point = true;
    ++i;
    while (i < n && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0 && !point) return false;  // empty, blanks only, a sign alone, a letter
  if (digits == 0) {
    out += '0';
  } else {
    out.append(text, mantissaStart, i - mantissaStart);
  }
  if (i < n && (text[i] == 'E' || text[i] == 'e')) {
    out += 'e';
    ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) out += text[i++];
    const size_t exponentStart = i;
    while (i < n && IsDigit(text[i])) out += text[i++];
    if (i == exponentStart) return false;
  }
  return i == n;
}

locale_t CLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return locale;
}

std::string SpecialText(double value) {
  if (std::isnan(value)) return "NAN";
  return value < 0 ? "-INF" : "INF";
}

}  // namespace

bool TryStrToFloat(const std::string& text, long double& value) {
  std::string normal;
  if (!NormaliseDecimal(text, normal)) return false;
  errno = 0;
  char* end = nullptr;
  const long double parsed = strtold_l(normal.c_str(), &end, CLocale());
  if (end != normal.c_str() + normal.size()) return false;
  if (errno == ERANGE && std::isinf(parsed)) return false;  // beyond the extended range
  value = parsed;  // an underflow leaves 0 or a denormal, which is what the text means
  return true;
}

bool TryStrToFloat(const std::string& text, double& value) {
  long double extended = 0;
  if (!TryStrToFloat(text, extended)) return false;
  if (std::fabs(extended) > static_cast<long double>(DBL_MAX)) return false;
  value = static_cast<double>(extended);
  return true;
}

double StrToFloat(const std::string& text) {
  double value = 0;
  if (!TryStrToFloat(text, value)) throw EConvertError::InvalidFloat(text);
  return value;
}

bool TryStrToInt(const std::string& text, int32_t& value) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  bool hex = false;
  if (i < n && text[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == n) return false;
  const uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 2147483648ull : 2147483647ull);
  uint64_t magnitude = 0;
  for (; i < n; ++i) {
    const char c = text[i];
    int digit;
    if (IsDigit(c)) {
      digit = c - '0';
    } else if (hex && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (hex && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return false;
    }
    magnitude = magnitude * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
    if (magnitude > limit) return false;
  }
  // A hex text is a 32-bit pattern ($FFFFFFFF is -1); the sign applies to that value.
  const int64_t signedValue = hex ? static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(magnitude)))
                                  : static_cast<int64_t>(magnitude);
  const int64_t result = negative ? -signedValue : signedValue;
  value = static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(result)));
  return true;
}

int32_t StrToInt(const std::string& text) {
  int32_t value = 0;
  if (!TryStrToInt(text, value)) throw EConvertError::InvalidInteger(text);
  return value;
}

std::string IntToStr(int64_t value) { return std::to_string(value); }

std::string FloatToStr(double value) { return FloatToStr(value, FormatSettings); }

std::string FloatToStr(double value, const TFormatSettings& settings) {
  if (!std::isfinite(value)) return SpecialText(value);
  const detail::TDecimalDigits d = detail::TDecimalDigits::FromDouble(value, 15);
  if (d.Count == 0) return "0";
  std::string text;
  if (value < 0) text += '-';
  if (d.Exponent >= -4 && d.Exponent <= 15) {
    if (d.Exponent <= 0) {
      text += '0';
      text += settings.DecimalSeparator;
      text.append(static_cast<size_t>(-d.Exponent), '0');
      text.append(d.Digits, static_cast<size_t>(d.Count));
      return text;
    }
    for (int k = 0; k < d.Exponent; ++k) text += k < d.Count ? d.Digits[k] : '0';
    if (d.Count > d.Exponent) {
      text += settings.DecimalSeparator;
      text.append(d.Digits + d.Exponent, static_cast<size_t>(d.Count - d.Exponent));
    }
    return text;
  }
  text += d.Digits[0];
  if (d.Count > 1) {
    text += settings.DecimalSeparator;
    text.append(d.Digits + 1, static_cast<size_t>(d.Count - 1));
  }
  text += 'E';
  text += std::to_string(d.Exponent - 1);
  return text;
}

}  // namespace fw
