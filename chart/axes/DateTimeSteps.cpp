#include "chart/axes/DateTimeSteps.h"

#include <cmath>
#include <cstdint>

#include "chart/axes/AxisRounding.h"

namespace chart {
namespace {

// Day number of 30 December 1899 counted from 1 March of year 0.
constexpr int64_t DayZero = 693899;
// The platform date range: 1 January 0001 and 31 December 9999.
constexpr double FirstDay = -693593.0;
constexpr double LastDay = 2958465.0;
// 1 January 1900: dates up to here are not snapped.
constexpr double SnapLimit = 2.0;

int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe;
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static constexpr int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : Days[m - 1];
}

// Month `months` away from (year, month), negative going back.
void AddMonths(int& year, int& month, int months) {
  const int index = year * 12 + (month - 1) + months;
  year = index / 12;
  month = index % 12 + 1;
}

double StepExactly(bool backward, int step, double d) {
  int y, m, day;
  if (!DecodeDayNumber(d, y, m, day)) return NAN;
  static constexpr int MonthsOfStep[] = {1, 2, 3, 4, 6};  // steps 19 to 23
  if (step == dtHalfMonth) {
    if (backward) {
      if (day > 15) day = 15;
      else if (day > 1) day = 1;
      else { AddMonths(y, m, -1); day = 15; }
    } else {
      if (day < 15) day = 15;
      else { AddMonths(y, m, 1); day = 1; }
    }
  } else if (step < dtOneYear) {
    AddMonths(y, m, (backward ? -1 : 1) * MonthsOfStep[step - 19]);
    day = 1;
  } else {
    y += backward ? -1 : 1;
    if (day > DaysInMonth(y, m)) day = DaysInMonth(y, m);  // 29 February of a leap year
  }
  if (y < 1 || y > 9999) return NAN;
  return EncodeDayNumber(y, m, day);
}

}  // namespace

bool DecodeDayNumber(double d, int& year, int& month, int& day) {
  const double whole = std::trunc(d);
  if (!(whole >= FirstDay && whole <= LastDay)) return false;
  const int64_t z = static_cast<int64_t>(whole) + DayZero;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2));
  return true;
}

double EncodeDayNumber(int year, int month, int day) {
  return static_cast<double>(DaysFromCivil(year, month, day) - DayZero);
}

int MatchDateTimeStep(double x) {
  for (int i = dtOneYear; i >= 0; --i)
    if (std::fabs(DateTimeSteps[i] - x) < DateTimeSteps[0]) return i;
  return dtNoStep;
}

double NextLargerDateTimeStep(double x) {
  for (int i = dtOneYear - 1; i >= 0; --i)
    if (x >= DateTimeSteps[i]) return DateTimeSteps[i + 1];
  return DateTimeSteps[dtOneYear];
}

double DateTimeIncrementForCount(int maxLabels, double increment, double workingRange) {
  using axisdetail::RoundHalfEven;
  if (maxLabels < 1) return DateTimeSteps[0];
  double inc = std::fmax(DateTimeSteps[0], increment);
  if (workingRange / inc > 1000000.0) inc = workingRange / 1000000.0;
  // The ratio never exceeds a million, so at most ~20 doublings past the table are needed;
  // the bound only guards ranges that are not numbers at all.
  for (int guard = 0; guard < 4096; ++guard) {
    const int32_t n = RoundHalfEven(workingRange / inc);
    if (n <= maxLabels) break;
    inc = inc >= DateTimeSteps[dtOneYear] ? inc * 2 : NextLargerDateTimeStep(inc);
  }
  return std::fmax(DateTimeSteps[0], inc);
}

int DateTimePassStep(bool dateTimeScale, bool exactDateTime, double desiredIncrement,
                     double computedIncrement) {
  if (!dateTimeScale || !exactDateTime || desiredIncrement == 0) return dtNoStep;
  int step = MatchDateTimeStep(desiredIncrement);
  if (step == dtNoStep) return step;
  while (computedIncrement > DateTimeSteps[step] && step != dtOneYear) ++step;
  return step;
}

double SnapDateToStep(int step, double d) {
  int y, m, day;
  if (!(d > SnapLimit) || !DecodeDayNumber(d, y, m, day)) return d;
  if (step == dtHalfMonth) day = day >= 15 ? 15 : 1;
  else if (step > dtHalfMonth && step < dtOneYear) day = 1;
  else if (step == dtOneYear) day = m = 1;
  return EncodeDayNumber(y, m, day);
}

double StepDateTime(bool backward, int step, double d, double amount, bool exact) {
  if (exact && step >= dtHalfMonth && step <= dtOneYear) {
    const double r = StepExactly(backward, step, d);
    if (!std::isnan(r)) return r;
    // Outside the calendar's years the plain step still moves the date on.
  }
  return backward ? d - amount : d + amount;
}

}  // namespace chart
