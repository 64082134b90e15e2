#pragma once
#include <array>

// Calendar-friendly label steps of date-time axes. Dates are days counted from 30 December 1899,
// the time of day being the fraction.
namespace chart {

inline constexpr double OneSecond = 1.0 / 86400.0;
inline constexpr double OneMinute = 1.0 / 1440.0;
inline constexpr double OneHour = 1.0 / 24.0;

/// The 25 steps (index 0 to 24), in days, from one second to one year.
inline constexpr std::array<double, 25> DateTimeSteps = {
    OneSecond,      5 * OneSecond,  10 * OneSecond, 15 * OneSecond, 30 * OneSecond,
    OneMinute,      5 * OneMinute,  10 * OneMinute, 15 * OneMinute, 30 * OneMinute,
    OneHour,        2 * OneHour,    6 * OneHour,    12 * OneHour,   1.0,
    2.0,            3.0,            7.0,            15.0,           30.0,
    60.0,           90.0,           120.0,          182.0,          365.0};

inline constexpr int dtOneDay = 14;      ///< first step whose labels snap to midnight
inline constexpr int dtHalfMonth = 18;   ///< first step that counts by the calendar
inline constexpr int dtOneYear = 24;
inline constexpr int dtNoStep = 25;      ///< "no step": labels are neither snapped nor counted by the calendar

/// Index of the highest step within one second of x, or dtNoStep.
int MatchDateTimeStep(double x);

/// The step after the largest one not above x; DateTimeSteps[24] when x is below every step
/// but the first or at least the largest.
double NextLargerDateTimeStep(double x);

/// Increment of a date-time axis that leaves at most maxLabels labels on workingRange days:
/// at least `increment` (and one second), climbing the table and doubling beyond a year.
double DateTimeIncrementForCount(int maxLabels, double increment, double workingRange);

/// Step of one label pass: dtNoStep unless the axis shows exact dates and the desired increment
/// matches a step; then that step, moved up while the computed increment is larger.
int DateTimePassStep(bool dateTimeScale, bool exactDateTime, double desiredIncrement,
                     double computedIncrement);

/// First label of a pass at step 14 to 24: midnight of d, the 1st or 15th of its month (18),
/// the 1st of its month (19 to 23), 1 January of its year (24). Dates not after 1 January 1900
/// and dates outside the years 1 to 9999 are returned unchanged.
double SnapDateToStep(int step, double d);

/// One label step from d. With exact and a step of 18 to 24 the date moves by calendar
/// half-months, months or years (time dropped); otherwise by `amount` days.
double StepDateTime(bool backward, int step, double d, double amount, bool exact);

/// Calendar helpers on the same day count (proleptic Gregorian calendar, years 1 to 9999).
bool DecodeDayNumber(double d, int& year, int& month, int& day);
double EncodeDayNumber(int year, int month, int day);

}  // namespace chart
