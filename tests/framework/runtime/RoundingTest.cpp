#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "framework/runtime/Rounding.h"

namespace {

using fw::MulDiv;
using fw::RoundHalfEven;
using fw::RoundHalfEven64;

TEST(RoundHalfEvenTest, TiesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(0.5L), 0);
  EXPECT_EQ(RoundHalfEven(1.5L), 2);
  EXPECT_EQ(RoundHalfEven(2.5L), 2);
  EXPECT_EQ(RoundHalfEven(3.5L), 4);
  EXPECT_EQ(RoundHalfEven(-0.5L), 0);
  EXPECT_EQ(RoundHalfEven(-1.5L), -2);
  EXPECT_EQ(RoundHalfEven(-2.5L), -2);
  EXPECT_EQ(RoundHalfEven(-3.5L), -4);
}

TEST(RoundHalfEvenTest, NonTiesGoToTheNearest) {
  EXPECT_EQ(RoundHalfEven(2.4999999L), 2);
  EXPECT_EQ(RoundHalfEven(2.5000001L), 3);
  EXPECT_EQ(RoundHalfEven(-2.5000001L), -3);
  EXPECT_EQ(RoundHalfEven(1366.025L), 1366);
  // The largest double below 0.5 must not be rounded up by an intermediate addition.
  EXPECT_EQ(RoundHalfEven(std::nextafter(0.5, 0.0)), 0);
  EXPECT_EQ(RoundHalfEven(4503599627370497.0), 1);  // 2^52 + 1: exact integer, low 32 bits 1
}

TEST(RoundHalfEvenTest, KeepsTheLowThirtyTwoBits) {
  // 2^31 + 0.5 is a tie; the even neighbour 2^31 wraps to INT32_MIN.
  EXPECT_EQ(RoundHalfEven(2147483648.5L), INT32_MIN);
  EXPECT_EQ(RoundHalfEven64(2147483648.5L), 2147483648LL);
  EXPECT_EQ(RoundHalfEven(2147483649.5L), static_cast<int32_t>(0x80000002u));
  EXPECT_EQ(RoundHalfEven(4294967297.0L), 1);
  EXPECT_EQ(RoundHalfEven(-4294967297.0L), -1);
}

TEST(RoundHalfEvenTest, IsTotalOutsideTheSixtyFourBitRange) {
  const long double inf = std::numeric_limits<long double>::infinity();
  const long double nan = std::numeric_limits<long double>::quiet_NaN();
  const long double twoPow63 = 9223372036854775808.0L;
  for (long double v : {nan, inf, -inf, 1e300L, -1e300L, twoPow63, -twoPow63, 1e4000L}) {
    EXPECT_EQ(RoundHalfEven64(v), INT64_MIN) << static_cast<double>(v);
    EXPECT_EQ(RoundHalfEven(v), 0) << static_cast<double>(v);
  }
  // Just inside the range the value itself is returned.
  EXPECT_EQ(RoundHalfEven64(twoPow63 - 1), INT64_MAX);
  EXPECT_EQ(RoundHalfEven(twoPow63 - 1), -1);
  EXPECT_EQ(RoundHalfEven(1e300), 0);  // double argument
}

TEST(MulDivTest, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(MulDiv(3, 961, 100), 29);   // 28.83
  EXPECT_EQ(MulDiv(1, 5, 10), 1);       // 0.5
  EXPECT_EQ(MulDiv(-1, 5, 10), -1);     // -0.5
  EXPECT_EQ(MulDiv(1, -5, 10), -1);
  EXPECT_EQ(MulDiv(1, 5, -10), -1);
  EXPECT_EQ(MulDiv(-1, -5, -10), -1);
  EXPECT_EQ(MulDiv(-1, 5, -10), 1);
  EXPECT_EQ(MulDiv(1, 4, 10), 0);
  EXPECT_EQ(MulDiv(7, 1, 2), 4);
  EXPECT_EQ(MulDiv(300, 1, 256), 1);    // 1.17
}

TEST(MulDivTest, UsesASixtyFourBitIntermediate) {
  EXPECT_EQ(MulDiv(100000, 100000, 100000), 100000);
  EXPECT_EQ(MulDiv(INT32_MAX, INT32_MAX, INT32_MAX), INT32_MAX);
  EXPECT_EQ(MulDiv(INT32_MIN, INT32_MIN, INT32_MIN), INT32_MIN);
}

TEST(MulDivTest, ZeroDivisorAndOverflowGiveMinusOne) {
  EXPECT_EQ(MulDiv(5, 7, 0), -1);
  EXPECT_EQ(MulDiv(0, 0, 0), -1);
  EXPECT_EQ(MulDiv(INT32_MAX, 2, 1), -1);
  EXPECT_EQ(MulDiv(INT32_MIN, -1, 1), -1);
  EXPECT_EQ(MulDiv(INT32_MIN, 1, -1), -1);
}

}  // namespace
