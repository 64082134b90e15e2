#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

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

// The rule written with floor: the nearest integer, ties to the even one.
int64_t ReferenceRound(long double v) {
  const long double twoPow63 = 9223372036854775808.0L;
  if (!(v >= -twoPow63 && v < twoPow63)) return INT64_MIN;
  long double f = std::floor(v);
  const long double fraction = v - f;
  if (fraction > 0.5L || (fraction == 0.5L && std::fmod(f, 2.0L) != 0)) f += 1;
  return f >= twoPow63 ? INT64_MIN : static_cast<int64_t>(f);
}

TEST(RoundHalfEvenTest, AgreesWithTheFloorRuleAcrossTheWholeRange) {
  std::mt19937_64 rng(99);
  std::vector<long double> values{0.0L, -0.0L, 0.25L, 0.75L, -0.75L, 1e-4000L, -1e-4000L,
                                  std::numeric_limits<long double>::denorm_min(), 4611686018427387904.5L,
                                  9223372036854775807.5L, -9223372036854775807.5L, -9223372036854775808.0L,
                                  9223372036854775806.5L, 9223372036854775805.5L};
  for (int i = 0; i < 20000; ++i) {
    // Halves, near-halves and arbitrary values at every scale up to beyond 2^63.
    const int scale = static_cast<int>(rng() % 70) - 4;
    const long double whole = std::ldexp(static_cast<long double>(rng() >> 1), scale - 63);
    const long double base = std::floor(whole);
    switch (rng() % 4) {
      case 0: values.push_back(base + 0.5L); break;
      case 1: values.push_back(std::nextafter(base + 0.5L, 0.0L)); break;
      case 2: values.push_back(std::nextafter(base + 0.5L, 1e30L)); break;
      default: values.push_back(whole); break;
    }
    values.push_back(-values.back());
  }
  for (long double v : values) {
    ASSERT_EQ(RoundHalfEven64(v), ReferenceRound(v)) << static_cast<double>(v);
    ASSERT_EQ(RoundHalfEven(v), static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(ReferenceRound(v)))));
  }
}

TEST(RoundHalfEvenTest, DoubleVersionAgreesWithTheExtendedOne) {
  std::mt19937_64 rng(3);
  std::vector<double> values{0.0, -0.0, 0.5, -0.5, 1.5, 2.5, -2.5, 0.49999999999999994, 2147483648.5,
                             9223372036854775808.0, -9223372036854775808.0, 9223372036854774784.0,
                             std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN(), 4503599627370497.0, 1e300};
  for (int i = 0; i < 20000; ++i) {
    // Every bit pattern is a double; halves are added on purpose.
    values.push_back(std::bit_cast<double>(rng()));
    const double scaled = std::ldexp(static_cast<double>(rng() >> 11), static_cast<int>(rng() % 80) - 60);
    values.push_back(scaled);
    values.push_back(std::floor(scaled) + 0.5);
    values.push_back(-(std::floor(scaled) + 0.5));
    // Pixel-sized values of both signs, their halves and their neighbours, up to the ends of
    // the 32-bit range where the result wraps.
    const double pixel = std::ldexp(static_cast<double>(rng() >> 11), -21 - static_cast<int>(rng() % 32));
    const double half = std::floor(pixel) + 0.5;
    for (double v : {pixel, half, std::nextafter(half, 0.0), std::nextafter(half, 1e10)}) {
      values.push_back(v);
      values.push_back(-v);
    }
  }
  for (double v : {2147483647.4, 2147483647.5, 2147483647.6, std::nextafter(2147483648.0, 0.0), -2147483647.5,
                   -2147483647.6, -2147483648.0, std::nextafter(-2147483648.0, 0.0), -2147483648.5})
    values.push_back(v);
  for (double v : values)
    ASSERT_EQ(fw::RoundDoubleHalfEven(v), RoundHalfEven(static_cast<long double>(v))) << v;
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
