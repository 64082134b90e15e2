#pragma once
#include <string>

namespace fw {

/// Separators and date-time formats used when numbers and dates are turned into text.
/// The date-time formats use the tokens of FormatDateTime (m = month, n = minute).
struct TFormatSettings {
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
  char DateSeparator = '/';
  char TimeSeparator = ':';
  std::string ShortDateFormat = "m/d/yyyy";
  std::string ShortTimeFormat = "h:nn";
  std::string LongTimeFormat = "h:nn:ss";

  /// Fixed settings, independent of the user's locale: the defaults above.
  static TFormatSettings Invariant() { return TFormatSettings(); }
  /// Settings of the user's locale; single-byte separators only ('.' and ',' replace others).
  static TFormatSettings FromSystemLocale();
  /// A locale date or time pattern (M month, m minute, H/h hour, AP/ap marker, t zone, 'quoted')
  /// rewritten in FormatDateTime tokens; the zone is dropped.
  static std::string FromLocalePattern(const std::string& pattern, bool isTime);
};

/// The process-wide settings used by the conversions that take none explicitly. Initialised from
/// the user's locale at start-up; the program (and tests) may overwrite any field.
extern TFormatSettings FormatSettings;

}  // namespace fw
