#include "framework/runtime/DateTime.h"

#include <chrono>
#include <cmath>

#include "framework/runtime/Exception.h"
#include "framework/runtime/Rounding.h"

namespace fw {

namespace {

namespace chr = std::chrono;

// Day 0 of TDateTime, 30 December 1899, counted from the system clock's epoch.
constexpr chr::sys_days DateZero = chr::sys_days{chr::year{1899} / chr::December / 30};
constexpr int64_t MSecsPerDayInt = 86400000;

// A valid date-time split into days (truncated toward zero) and milliseconds of the day.
struct TTimeStamp {
  int64_t Days = 0;
  int64_t MSecs = 0;
};

bool TryToTimeStamp(TDateTime value, TTimeStamp& stamp) {
  if (!std::isfinite(value)) return false;
  // The range check keeps the millisecond count far inside 64 bits.
  if (value < MinDateTime - 1 || value > MaxDateTime + 1) return false;
  const int64_t total = RoundHalfEven64(static_cast<long double>(value) * MSecsPerDayInt);
  stamp.Days = total / MSecsPerDayInt;
  stamp.MSecs = (total < 0 ? -total : total) % MSecsPerDayInt;
  return stamp.Days >= static_cast<int64_t>(MinDateTime) && stamp.Days <= static_cast<int64_t>(MaxDateTime);
}

TTimeStamp ToTimeStamp(TDateTime value) {
  TTimeStamp stamp;
  if (!TryToTimeStamp(value, stamp)) throw EConvertError("Invalid date/time value");
  return stamp;
}

chr::year_month_day CivilDate(int64_t days) {
  return chr::year_month_day{DateZero + chr::days{days}};
}

}  // namespace

bool IsLeapYear(int32_t year) { return chr::year{year}.is_leap(); }

int32_t DaysInMonth(int32_t year, int32_t month) {
  if (month < 1 || month > 12) return 0;
  static constexpr int32_t Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : Days[month - 1];
}

bool TryEncodeDate(int32_t year, int32_t month, int32_t day, TDateTime& date) {
  if (year < 1 || year > 9999 || day < 1 || day > DaysInMonth(year, month)) return false;
  const chr::sys_days civil{chr::year{year} / chr::month{static_cast<unsigned>(month)} /
                            chr::day{static_cast<unsigned>(day)}};
  date = static_cast<TDateTime>((civil - DateZero).count());
  return true;
}

TDateTime EncodeDate(int32_t year, int32_t month, int32_t day) {
  TDateTime date = 0;
  if (!TryEncodeDate(year, month, day, date)) throw EConvertError("Invalid argument to date encode");
  return date;
}

bool TryEncodeTime(int32_t hour, int32_t min, int32_t sec, int32_t msec, TDateTime& time) {
  const bool midnightAfter = hour == 24 && min == 0 && sec == 0 && msec == 0;
  if (!midnightAfter && (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 ||
                         msec < 0 || msec > 999))
    return false;
  const int64_t ms = ((static_cast<int64_t>(hour) * 60 + min) * 60 + sec) * 1000 + msec;
  time = static_cast<TDateTime>(ms) / MSecsPerDay;
  return true;
}

TDateTime EncodeTime(int32_t hour, int32_t min, int32_t sec, int32_t msec) {
  TDateTime time = 0;
  if (!TryEncodeTime(hour, min, sec, msec, time)) throw EConvertError("Invalid argument to time encode");
  return time;
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time) {
  return date < 0 ? date - std::fabs(time) : date + std::fabs(time);
}

bool IsValidDateTime(TDateTime value) {
  TTimeStamp stamp;
  return TryToTimeStamp(value, stamp);
}

void DecodeDate(TDateTime value, int32_t& year, int32_t& month, int32_t& day) {
  const chr::year_month_day ymd = CivilDate(ToTimeStamp(value).Days);
  year = static_cast<int32_t>(ymd.year());
  month = static_cast<int32_t>(static_cast<unsigned>(ymd.month()));
  day = static_cast<int32_t>(static_cast<unsigned>(ymd.day()));
}

void DecodeTime(TDateTime value, int32_t& hour, int32_t& min, int32_t& sec, int32_t& msec) {
  const int64_t ms = ToTimeStamp(value).MSecs;
  hour = static_cast<int32_t>(ms / 3600000);
  min = static_cast<int32_t>(ms / 60000 % 60);
  sec = static_cast<int32_t>(ms / 1000 % 60);
  msec = static_cast<int32_t>(ms % 1000);
}

TDateTime DateOf(TDateTime value) { return std::trunc(value); }

TDateTime TimeOf(TDateTime value) { return std::fabs(value - std::trunc(value)); }

TDateTime IncMonth(TDateTime value, int32_t months) {
  const TTimeStamp stamp = ToTimeStamp(value);
  const chr::year_month_day ymd = CivilDate(stamp.Days);
  const int32_t year = static_cast<int32_t>(ymd.year());
  const int32_t month = static_cast<int32_t>(static_cast<unsigned>(ymd.month()));
  const int32_t day = static_cast<int32_t>(static_cast<unsigned>(ymd.day()));
  const int64_t monthIndex = static_cast<int64_t>(year) * 12 + (month - 1) + months;
  const int64_t newYear = monthIndex >= 0 ? monthIndex / 12 : -1;  // negative: before year 1
  if (newYear < 1 || newYear > 9999) throw EConvertError("Invalid argument to date encode");
  const int32_t newMonth = static_cast<int32_t>(monthIndex % 12) + 1;
  const int32_t lastDay = DaysInMonth(static_cast<int32_t>(newYear), newMonth);
  const TDateTime date = EncodeDate(static_cast<int32_t>(newYear), newMonth, day < lastDay ? day : lastDay);
  return ComposeDateTime(date, static_cast<TDateTime>(stamp.MSecs) / MSecsPerDay);
}

int32_t DayOfWeek(TDateTime value) {
  const chr::weekday weekday{DateZero + chr::days{ToTimeStamp(value).Days}};
  return static_cast<int32_t>(weekday.c_encoding()) + 1;
}

}  // namespace fw
