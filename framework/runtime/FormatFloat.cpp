#include "framework/runtime/FormatFloat.h"

#include <cmath>
#include <string_view>
#include <vector>

#include "framework/runtime/Conversions.h"
#include "framework/runtime/DecimalDigits.h"

namespace fw {

namespace {

using detail::TDecimalDigits;

bool IsQuote(char c) { return c == '\'' || c == '"'; }

// Index just past the quoted literal that starts at i (an unterminated one runs to the end).
size_t SkipQuoted(std::string_view s, size_t i) {
  const char quote = s[i];
  size_t j = i + 1;
  while (j < s.size() && s[j] != quote) ++j;
  return j < s.size() ? j + 1 : j;
}

bool IsExponentAt(std::string_view s, size_t i) {
  return (s[i] == 'E' || s[i] == 'e') && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-');
}

std::vector<std::string_view> SplitSections(std::string_view mask) {
  std::vector<std::string_view> sections;
  size_t start = 0;
  for (size_t i = 0; i < mask.size();) {
    if (IsQuote(mask[i])) {
      i = SkipQuoted(mask, i);
    } else if (mask[i] == ';') {
      sections.push_back(mask.substr(start, i - start));
      start = ++i;
      if (sections.size() == 2) break;  // the third section takes the rest
    } else {
      ++i;
    }
  }
  sections.push_back(mask.substr(start));
  return sections;
}

// What one section asks for.
struct TSectionLayout {
  int IntPlaceholders = 0;
  int FirstIntZero = -1;  // index among the integer placeholders, -1 when all are '#'
  int FracPlaceholders = 0;
  int LastFracZero = -1;  // index among the fraction placeholders, -1 when all are '#'
  bool Thousands = false;
  bool Scientific = false;
  int ExponentDigits = 0;

  explicit TSectionLayout(std::string_view s) {
    bool afterPoint = false;
    for (size_t i = 0; i < s.size();) {
      const char c = s[i];
      if (IsQuote(c)) {
        i = SkipQuoted(s, i);
        continue;
      }
      if (IsExponentAt(s, i)) {
        Scientific = true;
        i += 2;
        while (i < s.size() && s[i] == '0') ++ExponentDigits, ++i;
        if (ExponentDigits > 4) ExponentDigits = 4;
        break;  // what follows the exponent is literal text
      }
      if (c == '0' || c == '#') {
        if (afterPoint) {
          if (c == '0') LastFracZero = FracPlaceholders;
          ++FracPlaceholders;
        } else {
          if (c == '0' && FirstIntZero < 0) FirstIntZero = IntPlaceholders;
          ++IntPlaceholders;
        }
      } else if (c == '.') {
        afterPoint = true;
      } else if (c == ',' && !afterPoint) {
        Thousands = true;
      }
      ++i;
    }
  }
};

// Writes one section for the (already rounded) digits; exponent is used for scientific sections.
class TSectionWriter {
public:
  TSectionWriter(std::string_view section, const TSectionLayout& layout, const TDecimalDigits& digits,
                 int exponent, const TFormatSettings& settings)
      : S(section), L(layout), D(digits), Exponent(exponent), Settings(settings) {
    const int intDigits = D.Count > 0 && D.Exponent > 0 ? D.Exponent : 0;
    const int minInt = L.FirstIntZero >= 0 ? L.IntPlaceholders - L.FirstIntZero : 0;
    ShownInt = intDigits > minInt ? intDigits : minInt;
    ShownFrac = L.FracPlaceholders;
    while (ShownFrac > L.LastFracZero + 1 && D.DigitAt(-ShownFrac) == '0') --ShownFrac;
  }

  std::string Write() {
    bool afterPoint = false;
    int intIndex = 0, fracIndex = 0;
    for (size_t i = 0; i < S.size();) {
      const char c = S[i];
      if (IsQuote(c)) {
        const size_t end = SkipQuoted(S, i);
        const size_t stop = (end > i + 1 && S[end - 1] == c) ? end - 1 : end;
        Out.append(S.substr(i + 1, stop - i - 1));
        i = end;
        continue;
      }
      if (L.Scientific && IsExponentAt(S, i)) {
        FlushIntegerIfNoPlaceholders();
        WriteExponent(c, S[i + 1]);
        i += 2;
        while (i < S.size() && S[i] == '0') ++i;
        WriteLiteralRest(i);
        return Out;
      }
      if ((c == '0' || c == '#') && !afterPoint) {
        WriteIntegerPlaceholder(intIndex++);
      } else if (c == '0' || c == '#') {
        FlushIntegerIfNoPlaceholders();
        if (fracIndex < ShownFrac) Out += D.DigitAt(-(fracIndex + 1));
        ++fracIndex;
      } else if (c == '.') {
        if (!afterPoint) {
          FlushIntegerIfNoPlaceholders();
          if (ShownFrac > 0) Out += Settings.DecimalSeparator;
          afterPoint = true;
        }
      } else if (c != ',') {
        Out += c;
      }
      ++i;
    }
    return Out;
  }

private:
  void WriteIntegerDigit(int q) {  // q counts from the leftmost shown integer digit
    const int power = ShownInt - 1 - q;
    Out += D.DigitAt(power);
    if (L.Thousands && power > 0 && power % 3 == 0) Out += Settings.ThousandSeparator;
  }

  void WriteIntegerPlaceholder(int j) {
    const int offset = ShownInt - L.IntPlaceholders;  // surplus digits go at the first placeholder
    if (j == 0)
      for (int q = 0; q < offset; ++q) WriteIntegerDigit(q);
    if (offset + j >= 0) WriteIntegerDigit(offset + j);
  }

  // A mask without integer placeholders (".00") still shows the integer digits, before the point.
  void FlushIntegerIfNoPlaceholders() {
    if (L.IntPlaceholders > 0 || IntegerFlushed) return;
    IntegerFlushed = true;
    for (int q = 0; q < ShownInt; ++q) WriteIntegerDigit(q);
  }

  // After the exponent every character is literal text; quotes still group.
  void WriteLiteralRest(size_t i) {
    while (i < S.size()) {
      if (!IsQuote(S[i])) {
        Out += S[i++];
        continue;
      }
      const size_t end = SkipQuoted(S, i);
      const size_t stop = (end > i + 1 && S[end - 1] == S[i]) ? end - 1 : end;
      Out.append(S.substr(i + 1, stop - i - 1));
      i = end;
    }
  }

  void WriteExponent(char letter, char signMode) {
    Out += letter;
    if (Exponent < 0) {
      Out += '-';
    } else if (signMode == '+') {
      Out += '+';
    }
    const std::string digits = std::to_string(Exponent < 0 ? -Exponent : Exponent);
    for (int k = static_cast<int>(digits.size()); k < L.ExponentDigits; ++k) Out += '0';
    Out += digits;
  }

  std::string_view S;
  const TSectionLayout& L;
  const TDecimalDigits& D;
  int Exponent;
  const TFormatSettings& Settings;
  int ShownInt = 0;
  int ShownFrac = 0;
  bool IntegerFlushed = false;
  std::string Out;
};

struct TRounded {
  TDecimalDigits Digits;
  int Exponent = 0;
};

TRounded RoundForSection(double value, const TSectionLayout& layout) {
  TRounded r;
  r.Digits = TDecimalDigits::FromDouble(value, 15);
  if (!layout.Scientific) {
    r.Digits.RoundToDecimals(layout.FracPlaceholders);
    return r;
  }
  const int intShown = layout.IntPlaceholders > 0 ? layout.IntPlaceholders : 1;
  r.Digits.RoundToSignificant(intShown + layout.FracPlaceholders);
  if (r.Digits.Count > 0) {
    r.Exponent = r.Digits.Exponent - intShown;
    r.Digits.Exponent = intShown;
  }
  return r;
}

std::string SpecialText(double value) {
  if (std::isnan(value)) return "NAN";
  return value < 0 ? "-INF" : "INF";
}

constexpr int MaxFixedIntegerDigits = 18;

}  // namespace

std::string FormatFloat(const std::string& mask, double value) {
  return FormatFloat(mask, value, FormatSettings);
}

std::string FormatFloat(const std::string& mask, double value, const TFormatSettings& settings) {
  if (!std::isfinite(value)) return SpecialText(value);
  if (mask.empty()) return FloatToStr(value, settings);
  const std::vector<std::string_view> sections = SplitSections(mask);
  auto hasSection = [&](size_t k) { return k < sections.size() && !sections[k].empty(); };

  size_t chosen = 0;
  if (value < 0 && hasSection(1)) chosen = 1;
  if (value == 0 && hasSection(2)) chosen = 2;
  TSectionLayout layout(sections[chosen]);
  TRounded rounded = RoundForSection(value, layout);

  if (rounded.Digits.Count == 0 && value != 0 && hasSection(2)) {  // rounds to zero
    chosen = 2;
    layout = TSectionLayout(sections[chosen]);
    rounded = RoundForSection(0, layout);
  }
  if (!layout.Scientific && rounded.Digits.Count > 0 && rounded.Digits.Exponent > MaxFixedIntegerDigits)
    return FloatToStr(value, settings);

  std::string text =
      TSectionWriter(sections[chosen], layout, rounded.Digits, rounded.Exponent, settings).Write();
  if (value < 0 && chosen == 0 && rounded.Digits.Count > 0) text.insert(text.begin(), '-');
  return text;
}

}  // namespace fw
