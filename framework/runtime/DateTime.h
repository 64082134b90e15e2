#pragma once
#include <cstdint>
#include <string>

#include "framework/runtime/TFormatSettings.h"

namespace fw {

/// A date and time: days since 30 December 1899 (day 0), the time of day as the fraction.
/// Before day 0 the fraction still counts forward from midnight: -1.25 is 29 December 1899 06:00
/// (the date is the value truncated toward zero, the time of day its absolute fraction).
using TDateTime = double;

constexpr TDateTime MinDateTime = -693593.0;          ///< 1 January 0001 00:00
constexpr TDateTime MaxDateTime = 2958465.99999999;   ///< 31 December 9999, just before midnight
constexpr double HoursPerDay = 24, MinsPerDay = 1440, SecsPerDay = 86400, MSecsPerDay = 86400000;

bool IsLeapYear(int32_t year);
/// Days of the month (1..12) of the year; 0 when month is out of range.
int32_t DaysInMonth(int32_t year, int32_t month);

/// The date as a whole number of days. Valid: year 1..9999, month 1..12, day 1..DaysInMonth.
bool TryEncodeDate(int32_t year, int32_t month, int32_t day, TDateTime& date);
/// TryEncodeDate or EConvertError "Invalid argument to date encode".
TDateTime EncodeDate(int32_t year, int32_t month, int32_t day);
/// The time of day as a fraction. Valid: hour 0..23, min 0..59, sec 0..59, msec 0..999
/// (24:00:00.000 is also accepted and gives 1).
bool TryEncodeTime(int32_t hour, int32_t min, int32_t sec, int32_t msec, TDateTime& time);
/// TryEncodeTime or EConvertError "Invalid argument to time encode".
TDateTime EncodeTime(int32_t hour, int32_t min, int32_t sec, int32_t msec);
/// Joins a whole-day date and a time of day, honouring the convention for negative dates.
TDateTime ComposeDateTime(TDateTime date, TDateTime time);

/// True when the value is finite and its date part (rounded to the millisecond, truncated toward
/// zero) lies in 1 January 0001 .. 31 December 9999.
bool IsValidDateTime(TDateTime value);
/// Date and time parts of a value, rounded to the millisecond (so 23:59:59.9996 is the next
/// midnight). Throw EConvertError "Invalid date/time value" when IsValidDateTime is false.
void DecodeDate(TDateTime value, int32_t& year, int32_t& month, int32_t& day);
void DecodeTime(TDateTime value, int32_t& hour, int32_t& min, int32_t& sec, int32_t& msec);

/// The date part: the value truncated toward zero (time of day dropped).
TDateTime DateOf(TDateTime value);
/// The time of day as a positive fraction.
TDateTime TimeOf(TDateTime value);
/// The same time of day `months` months later (earlier when negative); the day is clamped to the
/// end of the target month (31 January + 1 month = 28/29 February). EConvertError when the result
/// falls outside years 1..9999 or the value is not a valid date-time.
TDateTime IncMonth(TDateTime value, int32_t months = 1);
/// Day of the week: 1 = Sunday ... 7 = Saturday. EConvertError for an invalid date-time.
int32_t DayOfWeek(TDateTime value);

/// Formats a date-time. Tokens (letters in any case):
///   c      ShortDateFormat, then a blank and LongTimeFormat unless the time is exactly midnight
///   d dd   day 1..31 / 01..31        ddd dddd  Sun / Sunday        ddddd  ShortDateFormat
///   m mm   month 1..12 / 01..12      mmm mmmm  Jan / January
///          (m and mm directly after an h or hh token mean minutes)
///   yy yyyy  two-digit / four-digit year (y alone counts as yy, yyy as yyyy)
///   h hh   hour 0..23 / 00..23, or 1..12 / 01..12 when an am/pm token is present
///   n nn   minute        s ss   second        z zzz  millisecond 0..999 / 000..999
///   t tt   ShortTimeFormat / LongTimeFormat
///   am/pm  "am" or "pm" in the case written    a/p  "a" or "p"    ampm  "AM" or "PM"
///   /      DateSeparator     :  TimeSeparator     "..." '...'  literal text
/// Every other character is copied. An empty format means "c". Names are English.
/// A value for which IsValidDateTime is false (NaN, infinite, beyond the calendar) gives an empty text.
std::string FormatDateTime(const std::string& format, TDateTime value);
std::string FormatDateTime(const std::string& format, TDateTime value, const TFormatSettings& settings);

}  // namespace fw
