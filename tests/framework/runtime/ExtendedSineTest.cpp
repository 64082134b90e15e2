#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "framework/runtime/ExtendedSine.h"

#if SW_HAVE_QUADMATH
#include <quadmath.h>
#endif

namespace {

using fw::ExtendedSine;
using fw::ExtendedSines;

constexpr long double TableEnd = 0x1p21L;

/// Arguments over the whole table range, with both signs: uniform at small and large
/// magnitudes, every binade, values next to multiples of pi/128 and, unless withoutZeros,
/// values next to multiples of pi, where the result is small and a careless reduction loses it.
std::vector<long double> TableArguments(int count, uint64_t seed, bool withoutZeros = false) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> unit(0, 1);
  const long double pi = 3.14159265358979323846264338327950288L;
  std::vector<long double> values;
  for (int n = 0; values.size() < static_cast<size_t>(count); ++n) {
    long double x = 0;
    switch (n % (withoutZeros ? 4 : 5)) {
      case 0: x = unit(random) * 20 - 10; break;
      case 1: x = (unit(random) * 2 - 1) * TableEnd; break;
      case 2: x = std::ldexp(1 + static_cast<long double>(unit(random)), static_cast<int>(random() % 52) - 31); break;
      case 3: {  // next to a multiple of pi/128, a few units of the last place away
        long double m = std::floor(unit(random) * 600000);
        if (withoutZeros && std::fmod(m, 128) == 0) m += 1;  // a multiple of pi
        x = std::nextafter(m * pi / 128, TableEnd);
        for (int steps = static_cast<int>(random() % 4); steps > 0; --steps) x = std::nextafter(x, 0.0L);
        break;
      }
      default: x = std::floor(unit(random) * 600000 + 1) * pi; break;  // next to a zero of the sine
    }
    if (random() & 1) x = -x;
    fw::detail::TDoubleDouble parts;
    if (fw::detail::SplitForSineTable(x, parts)) values.push_back(x);
  }
  return values;
}

TEST(ExtendedSineTest, IsOddAndExactAtTheSmallestArguments) {
  for (long double x : TableArguments(20000, 1)) ASSERT_EQ(ExtendedSine(-x), -ExtendedSine(x)) << static_cast<double>(x);
  EXPECT_EQ(ExtendedSine(0.0L), 0.0L);
  EXPECT_TRUE(std::signbit(ExtendedSine(-0.0L)));
  // Below 2^-32 the sine rounds to its argument, denormals included.
  for (long double x : {0x1p-33L, -0x1.fffp-33L, 0x1p-16400L, 1e-300L}) EXPECT_EQ(ExtendedSine(x), x);
}

TEST(ExtendedSineTest, AgreesWithTheProcessorSineOnEitherSideOfTheTableEnd) {
  // The processor's sine is used from 2^21 on; both are accurate, so they meet closely there.
  fw::detail::TDoubleDouble parts;
  const long double below = std::nextafter(TableEnd, 0.0L);
  EXPECT_TRUE(fw::detail::SplitForSineTable(below, parts));
  EXPECT_EQ(parts.High, 0x1p21);  // rounds up to the end, still inside: the steps stay below 2^27
  EXPECT_FALSE(fw::detail::SplitForSineTable(TableEnd, parts));
  EXPECT_FALSE(fw::detail::SplitForSineTable(1e4000L, parts));  // beyond the double range
  EXPECT_FALSE(fw::detail::SplitForSineTable(NAN, parts));
  // The lower end is decided on the double: a value just below 2^-32 that rounds up to it is in.
  EXPECT_TRUE(fw::detail::SplitForSineTable(std::nextafter(0x1p-32L, 0.0L), parts));
  EXPECT_FALSE(fw::detail::SplitForSineTable(std::nextafter(0x1p-32, 0.0), parts));
  EXPECT_NEAR(static_cast<double>(ExtendedSine(below)), static_cast<double>(ExtendedSine(TableEnd)), 1e-9);
  EXPECT_EQ(ExtendedSine(TableEnd), fw::detail::ProcessorSine(TableEnd));
  // The processor's error grows with the argument (its pi has 66 bits).
  for (long double x : {0.5L, 1.0L, 3.0L, 100.25L, 12345.678L, -2000000.5L})
    EXPECT_NEAR(static_cast<double>(ExtendedSine(x)), static_cast<double>(fw::detail::ProcessorSine(x)),
                1e-18 + 1e-18 * std::fabs(static_cast<double>(x)))
        << static_cast<double>(x);
}

TEST(ExtendedSineTest, TwoAtOnceGiveTheSameBitsAsOneByOne) {
  const std::vector<long double> table = TableArguments(4000, 2);
  // Pairs where one or both arguments fall outside the table take the other path.
  std::vector<long double> others = {0, -0x1p-40L, TableEnd, -3e7L, 1e18L};
  for (size_t n = 0; n + 1 < table.size(); n += 2) {
    long double a, b;
    ExtendedSines(table[n], table[n + 1], a, b);
    ASSERT_EQ(a, ExtendedSine(table[n]));
    ASSERT_EQ(b, ExtendedSine(table[n + 1]));
  }
  for (long double other : others)
    for (long double x : {table[0], table[1], other}) {
      long double a, b;
      ExtendedSines(x, other, a, b);
      EXPECT_EQ(a, ExtendedSine(x));
      EXPECT_EQ(b, ExtendedSine(other));
    }
}

#if SW_HAVE_QUADMATH

/// Error of got against the 113-bit reference in units of the last place of a 64-bit
/// significand at the reference's magnitude.
double UlpError(long double got, __float128 reference) {
  int exponent = 0;
  frexpq(reference, &exponent);
  return static_cast<double>(fabsq((static_cast<__float128>(got) - reference) / ldexpq(1, exponent - 64)));
}

TEST(ExtendedSineTest, IsWithinTwoUnitsInTheLastPlace) {
  double worst = 0;
  long double worstAt = 0;
  size_t beyondHalf = 0;
  const std::vector<long double> values = TableArguments(250000, 3, true);
  for (long double x : values) {
    const double ulps = UlpError(ExtendedSine(x), sinq(static_cast<__float128>(x)));
    if (ulps > worst) worstAt = x;
    worst = std::max(worst, ulps);
    if (ulps > 0.5) ++beyondHalf;
  }
  EXPECT_LT(worst, 2.0) << static_cast<double>(worstAt);
  // Correctly rounded in the great majority of cases.
  EXPECT_LT(beyondHalf, values.size() / 10) << worst;
}

TEST(ExtendedSineTest, KeepsTheSmallResultsNextToZerosOfTheSine) {
  // Next to a multiple of pi the result is the small distance to it; the reduction keeps it to
  // 2^-100, where the x87 instruction, with its 66-bit pi, loses most of the digits.
  const long double pi = 3.14159265358979323846264338327950288L;
  for (long double m : {1.0L, 7.0L, 355.0L, 104348.0L, 600001.0L}) {
    const long double x = m * pi;
    const __float128 reference = sinq(static_cast<__float128>(x));
    EXPECT_LT(UlpError(ExtendedSine(x), reference), 2.0) << static_cast<double>(m);
    EXPECT_GT(UlpError(fw::detail::ProcessorSine(x), reference), 100.0) << static_cast<double>(m);
  }
  double worstAbsolute = 0;
  std::mt19937_64 random(4);
  for (int n = 0; n < 100000; ++n) {
    const long double x = static_cast<long double>(random() % 660000 + 1) * pi;
    worstAbsolute = std::max(worstAbsolute, static_cast<double>(fabsq(static_cast<__float128>(ExtendedSine(x)) -
                                                                      sinq(static_cast<__float128>(x)))));
  }
  EXPECT_LT(worstAbsolute, std::ldexp(1.0, -100));
}

#endif

}  // namespace
