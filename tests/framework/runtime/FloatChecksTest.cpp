#include <gtest/gtest.h>

#include <limits>

#include "framework/runtime/FloatChecks.h"

namespace {

TEST(FloatChecksTest, FaultsRaiseInsteadOfProducingInfinityOrNaN) {
  EXPECT_EQ(fw::CheckedDivide(1, 4), 0.25L);
  EXPECT_THROW(fw::CheckedDivide(1, 0), fw::EZeroDivide);
  EXPECT_THROW(fw::CheckedDivide(-1, 0), fw::EZeroDivide);
  EXPECT_THROW(fw::CheckedDivide(0, 0), fw::EInvalidOp);
  EXPECT_THROW(fw::CheckedDivide(std::numeric_limits<long double>::max(), 0.5L), fw::EOverflow);
  EXPECT_EQ(fw::CheckedSqrt(2.25L), 1.5L);
  EXPECT_EQ(fw::CheckedSqrt(0), 0);
  EXPECT_THROW(fw::CheckedSqrt(-1e-30L), fw::EInvalidOp);
  EXPECT_THROW(fw::CheckedSqrt(std::numeric_limits<long double>::quiet_NaN()), fw::EInvalidOp);
}

TEST(FloatChecksTest, RoundingToDoubleChecksTheRange) {
  EXPECT_EQ(fw::CheckedToDouble(0.1L), 0.1);
  EXPECT_EQ(fw::CheckedToDouble(static_cast<long double>(DBL_MAX)), DBL_MAX);
  EXPECT_THROW(fw::CheckedToDouble(1e309L), fw::EOverflow);
  EXPECT_THROW(fw::CheckedToDouble(-1e309L), fw::EOverflow);
  EXPECT_THROW(fw::CheckedToDouble(std::numeric_limits<long double>::infinity()), fw::EOverflow);
  EXPECT_THROW(fw::CheckFloat(std::numeric_limits<long double>::quiet_NaN()), fw::EInvalidOp);
  EXPECT_EQ(fw::CheckedToDouble(1e-400L), 0.0);  // underflow is not an error
}

}  // namespace
