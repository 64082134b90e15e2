#include "chart/axes/AxisLabelValues.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "chart/axes/DateTimeSteps.h"

using namespace chart;

namespace {

std::vector<double> ValuePass(const TValuePassSettings& s) {
  std::vector<double> values;
  const int n = ValuePassValues(s, [&](double v) { values.push_back(v); return true; });
  EXPECT_EQ(n, static_cast<int>(values.size()));
  return values;
}

TValuePassSettings Range(double minimum, double maximum, double inc) {
  TValuePassSettings s;
  s.WorkingMinimum = minimum;
  s.WorkingMaximum = maximum;
  s.Increment = inc;
  return s;
}

std::vector<double> LogPass(double minimum, double maximum, int base) {
  std::vector<double> values;
  LogPassValues(minimum, maximum, base, [&](double v) { values.push_back(v); return true; });
  return values;
}

}  // namespace

TEST(ValuePass, MainWindowAxes) {
  const auto left = ValuePass(Range(-1000, 1000, 100));
  ASSERT_EQ(left.size(), 21u);
  for (size_t i = 0; i < left.size(); ++i) EXPECT_EQ(left[i], 1000 - 100.0 * i);
  const auto bottom = ValuePass(Range(0, 1000, 50));
  ASSERT_EQ(bottom.size(), 21u);
  EXPECT_EQ(bottom.front(), 1000);
  EXPECT_EQ(bottom.back(), 0);
}

TEST(ValuePass, FirstLabelIsAMultipleOfTheIncrement) {
  EXPECT_EQ(ValuePass(Range(3, 97, 10)), (std::vector<double>{90, 80, 70, 60, 50, 40, 30, 20, 10}));
  EXPECT_EQ(ValuePass(Range(-97, -3, 10)).front(), -10);
  auto s = Range(3, 97, 10);
  s.RoundFirstLabel = false;
  EXPECT_EQ(ValuePass(s), (std::vector<double>{97, 87, 77, 67, 57, 47, 37, 27, 17, 7}));
}

TEST(ValuePass, LabelAtTheMinimumSurvivesRounding) {
  const auto v = ValuePass(Range(0, 1, 0.1));
  ASSERT_EQ(v.size(), 11u);
  EXPECT_NEAR(v.back(), 0, 1e-12);
  EXPECT_EQ(ValuePass(Range(-1, 0, 0.1)).size(), 11u);
  EXPECT_LT(ValuePassLowerBound(0), 0);
  EXPECT_LT(ValuePassLowerBound(-1000), -1000);
  EXPECT_LT(ValuePassLowerBound(1e6), 1e6);
}

TEST(ValuePass, SeparationZeroGivesEveryUnit) {
  EXPECT_EQ(ValuePass(Range(0, 1000, 1)).size(), 1001u);
}

TEST(ValuePass, TenThousandIncrementsOrMoreGiveNothing) {
  EXPECT_TRUE(ValuePass(Range(0, 10000, 1)).empty());
  EXPECT_EQ(ValuePass(Range(0, 9999, 1)).size(), 10000u);
  EXPECT_TRUE(ValuePass(Range(0, 1000, 1e-12)).empty());  // an axis too short for one label
}

TEST(ValuePass, EqualEndsGiveOneLabel) {
  EXPECT_EQ(ValuePass(Range(0, 0, 1e-12)), (std::vector<double>{0}));
  EXPECT_EQ(ValuePass(Range(5, 5, 1e-12)), (std::vector<double>{5}));
  EXPECT_EQ(ValuePass(Range(20000, 20000, 1e-12)), (std::vector<double>{20000}));
  EXPECT_EQ(ValuePass(Range(-1e300, -1e300, 1e-12)), (std::vector<double>{-1e300}));
}

TEST(ValuePass, EndsWhenTheIncrementNoLongerChangesTheValue) {
  // Near 1e17 a double moves in steps of 16: subtracting 1 changes nothing.
  const auto v = ValuePass(Range(1e17, 1e17 + 64, 1));
  EXPECT_EQ(v.size(), 1u);
}

TEST(ValuePass, RangesThatAreNotFiniteGiveNothing) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(ValuePass(Range(-1e308, 1e308, 1e305)).empty());  // the range overflows
  EXPECT_TRUE(ValuePass(Range(0, inf, 1)).empty());
  EXPECT_TRUE(ValuePass(Range(std::nan(""), 5, 1)).empty());
  EXPECT_TRUE(ValuePass(Range(0, 5, std::nan(""))).empty());
  EXPECT_TRUE(ValuePass(Range(0, 5, 0)).empty());
  EXPECT_EQ(ValuePass(Range(-1e308, 0, 1e305)).size(), 1001u);
}

TEST(ValuePass, SinkEndsThePass) {
  int calls = 0;
  ValuePassValues(Range(0, 1000, 1), [&](double) { return ++calls < 3; });
  EXPECT_EQ(calls, 3);
}

TEST(ValuePass, DateLabelsFallOnMonths) {
  auto s = Range(EncodeDayNumber(2005, 1, 1), EncodeDayNumber(2005, 6, 15) + 0.5, 30);
  s.DateTimeScale = true;
  s.PassStep = 19;
  const auto v = ValuePass(s);
  ASSERT_EQ(v.size(), 6u);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(v[i], EncodeDayNumber(2005, 6 - i, 1));
}

TEST(ValuePass, DateLabelsFallOnHalfMonths) {
  auto s = Range(EncodeDayNumber(2005, 3, 1), EncodeDayNumber(2005, 4, 20), 15);
  s.DateTimeScale = true;
  s.PassStep = dtHalfMonth;
  EXPECT_EQ(ValuePass(s), (std::vector<double>{EncodeDayNumber(2005, 4, 15), EncodeDayNumber(2005, 4, 1),
                                               EncodeDayNumber(2005, 3, 15), EncodeDayNumber(2005, 3, 1)}));
}

TEST(ValuePass, DailyDateLabelsSnapToMidnightAndStepByTheIncrement) {
  auto s = Range(100.25, 105.75, 1);
  s.DateTimeScale = true;
  s.PassStep = dtOneDay;
  EXPECT_EQ(ValuePass(s), (std::vector<double>{105, 104, 103, 102, 101}));
  s.ExactDateTime = false;  // no snapping: multiples of the increment
  s.PassStep = dtNoStep;
  EXPECT_EQ(ValuePass(s), (std::vector<double>{105, 104, 103, 102, 101}));
}

TEST(LogPass, PowersOfTheBase) {
  EXPECT_EQ(LogPass(1, 1000, 10), (std::vector<double>{1, 10, 100, 1000}));
  EXPECT_EQ(LogPass(5, 5000, 10), (std::vector<double>{10, 100, 1000}));
  EXPECT_EQ(LogPass(3, 100, 2), (std::vector<double>{4, 8, 16, 32, 64}));
  EXPECT_EQ(LogPass(1, 1, 10), std::vector<double>{});
}

TEST(LogPass, NonPositiveMinimumStartsAtAStandIn) {
  EXPECT_EQ(LogPassMinimum(0), 0.1);
  EXPECT_EQ(LogPassMinimum(-4), 1e-10);
  EXPECT_EQ(LogPassMinimum(7), 7);
  EXPECT_EQ(LogPass(0, 100, 10).front(), 0.1);
  EXPECT_EQ(LogPass(0, 100, 10).size(), 4u);
  EXPECT_EQ(LogPass(-5, 1, 10).front(), 1e-10);
}

TEST(LogPass, EndsAtOverflow) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(LogPass(1, inf, 10).size(), 309u);
  EXPECT_EQ(LogPass(1, inf, 2147483647).size(), 34u);  // (2^31 − 1)^33 < 1.8e308
  EXPECT_TRUE(LogPass(1, std::nan(""), 10).empty());
}

TEST(LogPass, AMinimumNearTheSmallestDoublesStartsAtThePowerAboveZero) {
  // The power of 1e9 nearest 1e-320 is 1e-324, which rounds to 0: the pass starts at 1e-315 and
  // ends, instead of multiplying 0 for ever.
  const std::vector<double> values = LogPass(1e-320, 1e-10, 1000000000);
  ASSERT_EQ(values.size(), 34u);
  EXPECT_EQ(values.front(), std::pow(1e9, -35));
  for (size_t k = 1; k < values.size(); ++k) EXPECT_GT(values[k], values[k - 1]);
  EXPECT_EQ(LogPass(5e-324, 1, 2147483647).front(), std::pow(2147483647.0, -34));
}
