#include "chart/axes/DateTimeSteps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace chart;

namespace {
double Day(int y, int m, int d) { return EncodeDayNumber(y, m, d); }
}  // namespace

TEST(DateTimeCalendar, DayNumbersFollowThePlatformOrigin) {
  EXPECT_EQ(Day(1899, 12, 30), 0.0);
  EXPECT_EQ(Day(1900, 1, 1), 2.0);
  EXPECT_EQ(Day(2005, 2, 15), 38398.0);
  EXPECT_EQ(Day(1, 1, 1), -693593.0);
  EXPECT_EQ(Day(9999, 12, 31), 2958465.0);
  int y, m, d;
  for (double n : {-693593.0, -1.0, 0.0, 59.0, 60.0, 38398.75, 2958465.0}) {
    ASSERT_TRUE(DecodeDayNumber(n, y, m, d));
    EXPECT_EQ(Day(y, m, d), std::trunc(n));
  }
  EXPECT_FALSE(DecodeDayNumber(2958466.0, y, m, d));
  EXPECT_FALSE(DecodeDayNumber(-1e308, y, m, d));
  EXPECT_FALSE(DecodeDayNumber(std::nan(""), y, m, d));
}

TEST(DateTimeSteps, MatchWithinOneSecond) {
  EXPECT_EQ(MatchDateTimeStep(30.0), 19);
  EXPECT_EQ(MatchDateTimeStep(29.99999), 19);
  EXPECT_EQ(MatchDateTimeStep(29.9), dtNoStep);
  EXPECT_EQ(MatchDateTimeStep(1.0), dtOneDay);
  EXPECT_EQ(MatchDateTimeStep(OneSecond), 0);
  EXPECT_EQ(MatchDateTimeStep(365.0), dtOneYear);
  EXPECT_EQ(MatchDateTimeStep(0.0), dtNoStep);
  EXPECT_EQ(MatchDateTimeStep(std::nan("")), dtNoStep);
}

TEST(DateTimeSteps, NextLargerStep) {
  EXPECT_DOUBLE_EQ(NextLargerDateTimeStep(OneSecond), 5 * OneSecond);
  EXPECT_DOUBLE_EQ(NextLargerDateTimeStep(1.5), 2.0);
  EXPECT_DOUBLE_EQ(NextLargerDateTimeStep(182.0), 365.0);
  EXPECT_DOUBLE_EQ(NextLargerDateTimeStep(0.0), 365.0);  // below the table
}

TEST(DateTimeSteps, IncrementClimbsTheTableThenDoubles) {
  EXPECT_DOUBLE_EQ(DateTimeIncrementForCount(5, 0, 10.0), 2.0);
  EXPECT_DOUBLE_EQ(DateTimeIncrementForCount(4, 0, 20 * 365.0), 2920.0);
  EXPECT_DOUBLE_EQ(DateTimeIncrementForCount(0, 30, 1000.0), OneSecond);
  // A desired increment that fits is kept; one that does not climbs from itself.
  EXPECT_DOUBLE_EQ(DateTimeIncrementForCount(100, 30, 365.0), 30.0);
  EXPECT_DOUBLE_EQ(DateTimeIncrementForCount(5, 30, 365.0), 90.0);
}

TEST(DateTimeSteps, IncrementEndsForRangesThatAreNotNumbers) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_GE(DateTimeIncrementForCount(10, 0, 1e308), 1e308 / 10 / 2);
  EXPECT_DOUBLE_EQ(DateTimeIncrementForCount(10, 0, std::nan("")), OneSecond);
  EXPECT_FALSE(std::isfinite(DateTimeIncrementForCount(10, 0, inf)));
  EXPECT_DOUBLE_EQ(DateTimeIncrementForCount(10, 0, -5.0), OneSecond);
}

TEST(DateTimeSteps, PassStepMovesUpWhileTheIncrementIsLarger) {
  EXPECT_EQ(DateTimePassStep(true, true, 30, 30), 19);
  EXPECT_EQ(DateTimePassStep(true, true, 30, 50), 20);
  EXPECT_EQ(DateTimePassStep(true, true, 30, 100), 22);
  EXPECT_EQ(DateTimePassStep(true, true, 30, 5000), dtOneYear);
  EXPECT_EQ(DateTimePassStep(true, true, 29.9, 30), dtNoStep);
  EXPECT_EQ(DateTimePassStep(true, true, 0, 30), dtNoStep);
  EXPECT_EQ(DateTimePassStep(true, false, 30, 30), dtNoStep);
  EXPECT_EQ(DateTimePassStep(false, true, 30, 30), dtNoStep);
}

TEST(DateTimeSteps, SnapToCalendarBoundaries) {
  const double afternoon = Day(2005, 3, 14) + 0.6;
  EXPECT_EQ(SnapDateToStep(dtOneDay, afternoon), Day(2005, 3, 14));
  EXPECT_EQ(SnapDateToStep(17, afternoon), Day(2005, 3, 14));
  EXPECT_EQ(SnapDateToStep(dtHalfMonth, afternoon), Day(2005, 3, 1));
  EXPECT_EQ(SnapDateToStep(dtHalfMonth, Day(2005, 3, 15) + 0.2), Day(2005, 3, 15));
  EXPECT_EQ(SnapDateToStep(dtHalfMonth, Day(2005, 3, 31)), Day(2005, 3, 15));
  EXPECT_EQ(SnapDateToStep(19, afternoon), Day(2005, 3, 1));
  EXPECT_EQ(SnapDateToStep(23, afternoon), Day(2005, 3, 1));
  EXPECT_EQ(SnapDateToStep(dtOneYear, afternoon), Day(2005, 1, 1));
}

TEST(DateTimeSteps, DatesUpToJanuary1900AreNotSnapped) {
  EXPECT_EQ(SnapDateToStep(dtOneYear, 2.0), 2.0);
  EXPECT_EQ(SnapDateToStep(dtOneDay, 1.5), 1.5);
  EXPECT_EQ(SnapDateToStep(dtOneDay, -700.25), -700.25);
  EXPECT_EQ(SnapDateToStep(dtOneDay, 2.5), 2.0);
  EXPECT_EQ(SnapDateToStep(dtOneYear, 1e308), 1e308);
  EXPECT_TRUE(std::isnan(SnapDateToStep(dtOneYear, std::nan(""))));
}

TEST(DateTimeSteps, StepBackByCalendar) {
  EXPECT_EQ(StepDateTime(true, 21, Day(2005, 2, 15), 90, true), Day(2004, 11, 1));
  EXPECT_EQ(StepDateTime(true, 19, Day(2005, 1, 1), 30, true), Day(2004, 12, 1));
  EXPECT_EQ(StepDateTime(true, 19, Day(2005, 3, 1) + 0.5, 30, true), Day(2005, 2, 1));
  EXPECT_EQ(StepDateTime(true, 20, Day(2005, 2, 1), 60, true), Day(2004, 12, 1));
  EXPECT_EQ(StepDateTime(true, 22, Day(2005, 4, 1), 120, true), Day(2004, 12, 1));
  EXPECT_EQ(StepDateTime(true, 23, Day(2005, 6, 1), 182, true), Day(2004, 12, 1));
  EXPECT_EQ(StepDateTime(true, 23, Day(2005, 7, 1), 182, true), Day(2005, 1, 1));
  EXPECT_EQ(StepDateTime(true, dtOneYear, Day(2005, 7, 4), 365, true), Day(2004, 7, 4));
  // 29 February has no counterpart a year earlier.
  EXPECT_EQ(StepDateTime(true, dtOneYear, Day(2004, 2, 29), 365, true), Day(2003, 2, 28));
}

TEST(DateTimeSteps, StepBackByHalfMonths) {
  EXPECT_EQ(StepDateTime(true, dtHalfMonth, Day(2005, 3, 20), 15, true), Day(2005, 3, 15));
  EXPECT_EQ(StepDateTime(true, dtHalfMonth, Day(2005, 3, 15), 15, true), Day(2005, 3, 1));
  EXPECT_EQ(StepDateTime(true, dtHalfMonth, Day(2005, 3, 2), 15, true), Day(2005, 3, 1));
  EXPECT_EQ(StepDateTime(true, dtHalfMonth, Day(2005, 3, 1), 15, true), Day(2005, 2, 15));
  EXPECT_EQ(StepDateTime(true, dtHalfMonth, Day(2005, 1, 1), 15, true), Day(2004, 12, 15));
}

TEST(DateTimeSteps, ForwardStepsMirrorBackwardOnes) {
  EXPECT_EQ(StepDateTime(false, 21, Day(2004, 11, 20), 90, true), Day(2005, 2, 1));
  EXPECT_EQ(StepDateTime(false, dtHalfMonth, Day(2005, 3, 2), 15, true), Day(2005, 3, 15));
  EXPECT_EQ(StepDateTime(false, dtHalfMonth, Day(2005, 12, 15), 15, true), Day(2006, 1, 1));
  EXPECT_EQ(StepDateTime(false, 7, 100.0, 0.25, true), 100.25);
}

TEST(DateTimeSteps, OtherStepsSubtractTheAmount) {
  EXPECT_EQ(StepDateTime(true, 17, Day(2005, 3, 20), 7, true), Day(2005, 3, 13));
  EXPECT_EQ(StepDateTime(true, 19, Day(2005, 3, 20), 30, false), Day(2005, 2, 18));
  EXPECT_EQ(StepDateTime(true, dtNoStep, 10.0, 2.5, true), 7.5);
  // Outside the calendar's years an exact step still moves the date.
  EXPECT_EQ(StepDateTime(true, 19, -1e300, 30, true), -1e300 - 30);
  EXPECT_EQ(StepDateTime(true, dtOneYear, Day(1, 6, 1), 365, true), Day(1, 6, 1) - 365);
}
