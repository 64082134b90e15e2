#include "chart/axes/AxisIncrement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace chart;

TEST(NextNiceStep, ClimbsTheOneTwoFiveSeries) {
  EXPECT_EQ(NextNiceStep(1), 2);
  EXPECT_EQ(NextNiceStep(2), 5);
  EXPECT_EQ(NextNiceStep(5), 10);
  EXPECT_EQ(NextNiceStep(10), 20);
  EXPECT_EQ(NextNiceStep(20), 50);
  EXPECT_EQ(NextNiceStep(50), 100);
  EXPECT_EQ(NextNiceStep(3), 5);
  EXPECT_EQ(NextNiceStep(7), 10);
  EXPECT_EQ(NextNiceStep(15), 20);
  EXPECT_DOUBLE_EQ(NextNiceStep(0.3), 0.5);
  EXPECT_DOUBLE_EQ(NextNiceStep(0.05), 0.1);
  // Scaling 1e-12 up by tens lands just below 1, so it first joins the series at 1e-12 itself
  // (rounded a hair above it) and then climbs on.
  EXPECT_GT(NextNiceStep(1e-12), 1e-12);
  EXPECT_DOUBLE_EQ(NextNiceStep(NextNiceStep(1e-12)), 2e-12);
  EXPECT_DOUBLE_EQ(NextNiceStep(5e300), 1e301);
}

TEST(NextNiceStep, LeavesStepsOutsideItsDomainAlone) {
  EXPECT_EQ(NextNiceStep(0), 0);
  EXPECT_EQ(NextNiceStep(-3), -3);
  EXPECT_GT(NextNiceStep(5e-324), 5e-324);  // subnormal: still moves up
  EXPECT_TRUE(std::isinf(NextNiceStep(std::numeric_limits<double>::infinity())));
  EXPECT_TRUE(std::isnan(NextNiceStep(std::nan(""))));
}

TEST(AxisIncrement, LabelCountFromLabelSize) {
  EXPECT_EQ(MaxLabelsForSize(14, 10, 450), 30);  // 14 + 1 = 15 pixels a label
  EXPECT_EQ(MaxLabelsForSize(27, 10, 870), 29);  // 27 + 3 = 30
  EXPECT_EQ(MaxLabelsForSize(27, 0, 870), 32);
  EXPECT_EQ(MaxLabelsForSize(0, 10, 870), 1);
  EXPECT_EQ(MaxLabelsForSize(-5, 10, 870), 1);
  EXPECT_EQ(MaxLabelsForSize(20, 10, 0), 0);
  EXPECT_EQ(MaxLabelsForSize(20, 2147483647, 870), 0);
}

TEST(AxisIncrement, MainWindowLeftAxis) {
  // -1000..1000 with Increment 10: 10 → 20 → 50 → 100.
  EXPECT_EQ(IncrementForLabelCount(30, 10, 2000, 10), 100);
  for (int lineHeight = 11; lineHeight <= 19; ++lineHeight)
    for (int length = 420; length <= 450; ++length)
      ASSERT_EQ(IncrementForLabelCount(MaxLabelsForSize(lineHeight, 10, length), 10, 2000, 10), 100)
          << lineHeight << " " << length;
}

TEST(AxisIncrement, MainWindowBottomAxis) {
  // 0..1000 with Increment 0: 1 → 2 → 5 → 10 → 20 → 50.
  EXPECT_EQ(IncrementForLabelCount(29, 0, 1000, 10), 50);
  for (int width = 16; width <= 40; ++width)
    for (int length = 860; length <= 880; ++length)
      ASSERT_EQ(IncrementForLabelCount(MaxLabelsForSize(width, 10, length), 0, 1000, 10), 50)
          << width << " " << length;
}

TEST(AxisIncrement, DesiredIncrementIsALowerBound) {
  EXPECT_EQ(IncrementForLabelCount(30, 250, 2000, 10), 250);  // fits: kept off the series
  EXPECT_EQ(IncrementForLabelCount(5, 250, 2000, 10), 500);
  EXPECT_EQ(IncrementForLabelCount(30, 3, 2000, 10), 100);
}

TEST(AxisIncrement, SeparationZeroTurnsTheSearchOff) {
  EXPECT_EQ(IncrementForLabelCount(29, 0, 1000, 0), 1);
  EXPECT_EQ(IncrementForLabelCount(29, 7, 1000, 0), 7);
}

TEST(AxisIncrement, SmallRangesStartAtTheMinimalIncrement) {
  const double inc = IncrementForLabelCount(10, 0, 0.37, 10);
  EXPECT_NEAR(inc, 0.05, 1e-15);
  EXPECT_EQ(IncrementForLabelCount(10, 0, 0.0, 10), MinAxisIncrement);
  EXPECT_EQ(IncrementForLabelCount(0, 0, 1000, 10), MinAxisIncrement);
  EXPECT_EQ(IncrementForLabelCount(-3, 50, 1000, 10), MinAxisIncrement);
}

TEST(AxisIncrement, ExtremeRangesEnd) {
  const double inf = std::numeric_limits<double>::infinity();
  const double huge = IncrementForLabelCount(10, 0, 1e308, 10);
  EXPECT_TRUE(std::isfinite(huge));
  EXPECT_LE(1e308 / huge, 10.5);
  EXPECT_EQ(IncrementForLabelCount(10, 0, std::nan(""), 10), MinAxisIncrement);
  EXPECT_EQ(IncrementForLabelCount(10, 0, inf, 10), 1);
  EXPECT_EQ(IncrementForLabelCount(10, 0, -inf, 10), 1);
  // From the smallest double to the largest range: the whole series, still finite.
  const double tiny = IncrementForLabelCount(10, 5e-324, 1e300, 10);
  EXPECT_LE(1e300 / tiny, 10.5);
  EXPECT_EQ(IncrementForLabelCount(10, 0, -2000, 10), 1);  // a reversed range fits at once
}

// Searches asked again (the same axis every frame, several axes in turn) answer as the first
// time, whichever inputs differ and however many searches come between.
TEST(AxisIncrement, RepeatedSearchesAnswerAsTheFirstTime) {
  struct Question {
    int32_t maxLabels;
    double increment;
    double range;
    int32_t separation;
  };
  std::vector<Question> questions;
  for (int32_t maxLabels : {1, 7, 30})
    for (double increment : {0.0, 0.25, 3.0})
      for (double range : {0.001, 17.0, 1e300, -5.0})
        for (int32_t separation : {0, 10, 400}) questions.push_back({maxLabels, increment, range, separation});
  // First answers from a real search: eight other searches come between, more than are kept.
  std::vector<double> first;
  for (const Question& q : questions) {
    for (int32_t other = 0; other < 8; ++other) IncrementForLabelCount(1000 + other, 0, 12345.0, 10);
    first.push_back(IncrementForLabelCount(q.maxLabels, q.increment, q.range, q.separation));
  }
  EXPECT_NE(IncrementForLabelCount(7, 0, 1e300, 10), IncrementForLabelCount(30, 0, 1e300, 10));
  for (int round = 0; round < 3; ++round)
    for (size_t i = 0; i < questions.size(); ++i) {
      const size_t k = round == 1 ? questions.size() - 1 - i : (i * 7 + round) % questions.size();
      const Question& q = questions[k];
      ASSERT_EQ(IncrementForLabelCount(q.maxLabels, q.increment, q.range, q.separation), first[k]) << k;
      ASSERT_EQ(IncrementForLabelCount(q.maxLabels, q.increment, q.range, q.separation), first[k]) << k;
    }
}
