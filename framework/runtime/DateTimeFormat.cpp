// FormatDateTime: the token scanner over a validated date-time value.
#include <cctype>
#include <cmath>

#include "framework/runtime/DateTime.h"

namespace fw {

namespace {

const char* const ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const LongDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const LongMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                        "July",    "August",   "September", "October", "November", "December"};

// Nested formats (c inside ShortDateFormat, ...) are followed this deep at most.
constexpr int MaxNesting = 3;

bool StartsWithNoCase(const std::string& s, size_t i, const char* prefix) {
  for (size_t k = 0; prefix[k]; ++k) {
    if (i + k >= s.size()) return false;
    if (std::tolower(static_cast<unsigned char>(s[i + k])) != prefix[k]) return false;
  }
  return true;
}

bool HasAmPmToken(const std::string& format) {
  char quote = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (StartsWithNoCase(format, i, "am/pm") || StartsWithNoCase(format, i, "a/p") ||
               StartsWithNoCase(format, i, "ampm")) {
      return true;
    }
  }
  return false;
}

class TDateTimeWriter {
public:
  TDateTimeWriter(TDateTime value, const TFormatSettings& settings) : Settings(settings) {
    DecodeDate(value, Year, Month, Day);
    DecodeTime(value, Hour, Minute, Second, MSec);
    WeekDay = DayOfWeek(value);
  }

  std::string Result() const { return Out; }

  void Write(const std::string& format, int depth) {
    if (depth > MaxNesting) return;
    const bool twelveHour = HasAmPmToken(format);
    bool afterHour = false;
    size_t i = 0;
    while (i < format.size()) {
      const char c = format[i];
      const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      size_t run = RunLength(format, i, lower);
      if (c == '"' || c == '\'') {
        size_t j = i + 1;
        while (j < format.size() && format[j] != c) Out += format[j++];
        i = j < format.size() ? j + 1 : j;
        continue;
      }
      if (lower == 'a' && WriteAmPm(format, i)) {
        afterHour = false;
        continue;
      }
      switch (lower) {
        case 'c':
          WriteDateThenTime(depth);
          i += 1;
          afterHour = false;
          continue;
        case 'd':
          WriteDay(run, depth);
          break;
        case 'm':
          if (afterHour && run <= 2) {
            WriteNumber(Minute, run);
          } else {
            WriteMonth(run);
          }
          break;
        case 'y':
          if (run <= 2) {
            WriteNumber(Year % 100, 2);
          } else {
            WriteNumber(Year, 4);
          }
          break;
        case 'h': {
          int hour = Hour;
          if (twelveHour) {
            hour %= 12;
            if (hour == 0) hour = 12;
          }
          WriteNumber(hour, run >= 2 ? 2 : 1);
          i += run >= 2 ? 2 : 1;
          afterHour = true;
          continue;
        }
        case 'n':
          WriteNumber(Minute, run >= 2 ? 2 : 1);
          break;
        case 's':
          WriteNumber(Second, run >= 2 ? 2 : 1);
          break;
        case 'z':
          WriteNumber(MSec, run >= 3 ? 3 : 1);
          break;
        case 't':
          Write(run >= 2 ? Settings.LongTimeFormat : Settings.ShortTimeFormat, depth + 1);
          break;
        case '/':
          Out += Settings.DateSeparator;
          i += 1;
          continue;  // separators keep "m after h" alive
        case ':':
          Out += Settings.TimeSeparator;
          i += 1;
          continue;
        default:
          Out += c;
          i += 1;
          if (std::isalpha(static_cast<unsigned char>(c))) afterHour = false;
          continue;
      }
      i += run;
      afterHour = false;
    }
  }

private:
  // Consecutive occurrences of the letter (any case) from i; tokens longer than 4 stop there.
  static size_t RunLength(const std::string& s, size_t i, char lower) {
    size_t n = 0;
    while (i + n < s.size() && std::tolower(static_cast<unsigned char>(s[i + n])) == lower) ++n;
    return n;
  }

  void WriteNumber(int value, size_t minDigits) {
    const std::string digits = std::to_string(value);
    for (size_t k = digits.size(); k < minDigits; ++k) Out += '0';
    Out += digits;
  }

  void WriteDay(size_t& run, int depth) {
    switch (run) {
      case 1: WriteNumber(Day, 1); break;
      case 2: WriteNumber(Day, 2); break;
      case 3: Out += ShortDayNames[WeekDay - 1]; break;
      case 4: Out += LongDayNames[WeekDay - 1]; break;
      default:
        Write(Settings.ShortDateFormat, depth + 1);
        run = 5;
        break;
    }
  }

  void WriteMonth(size_t& run) {
    if (run > 4) run = 4;
    switch (run) {
      case 1: WriteNumber(Month, 1); break;
      case 2: WriteNumber(Month, 2); break;
      case 3: Out += ShortMonthNames[Month - 1]; break;
      default: Out += LongMonthNames[Month - 1]; break;
    }
  }

  void WriteDateThenTime(int depth) {
    Write(Settings.ShortDateFormat, depth + 1);
    if (Hour != 0 || Minute != 0 || Second != 0 || MSec != 0) {
      Out += ' ';
      Write(Settings.LongTimeFormat, depth + 1);
    }
  }

  // am/pm, a/p (case as written) and ampm ("AM"/"PM"); advances i when one matched.
  bool WriteAmPm(const std::string& format, size_t& i) {
    const bool pm = Hour >= 12;
    if (StartsWithNoCase(format, i, "am/pm")) {
      const std::string written = format.substr(pm ? i + 3 : i, 2);
      Out += written;
      i += 5;
      return true;
    }
    if (StartsWithNoCase(format, i, "a/p")) {
      Out += format[pm ? i + 2 : i];
      i += 3;
      return true;
    }
    if (StartsWithNoCase(format, i, "ampm")) {
      Out += pm ? "PM" : "AM";
      i += 4;
      return true;
    }
    return false;
  }

  const TFormatSettings& Settings;
  int32_t Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0, MSec = 0, WeekDay = 1;
  std::string Out;
};

}  // namespace

std::string FormatDateTime(const std::string& format, TDateTime value) {
  return FormatDateTime(format, value, FormatSettings);
}

std::string FormatDateTime(const std::string& format, TDateTime value, const TFormatSettings& settings) {
  if (!IsValidDateTime(value)) return std::string();
  TDateTimeWriter writer(value, settings);
  writer.Write(format.empty() ? std::string("c") : format, 0);
  return writer.Result();
}

}  // namespace fw
