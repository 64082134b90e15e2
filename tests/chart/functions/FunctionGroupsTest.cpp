// Period results of long sources, which the function reads in place in runs of whole groups,
// against a plain reference: each group's values as read, null points and NaN values left out,
// one Calculate per group. Every result must be the same double, every null point the same.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "chart/functions/FunctionTypes.h"
#include "tests/chart/functions/FunctionTestSupport.h"

namespace chart::test {
namespace {

const double Inf = std::numeric_limits<double>::infinity();

struct TPoint {
  double Position;
  double Value;
  bool Null;
};

/// The results of `function` over `source` with the function's Period and PeriodAlign, one
/// group at a time.
std::vector<TPoint> Reference(const TChartFunction& function, const TChartSeries& source) {
  std::vector<TPoint> out;
  const int32_t count = source.PointCount();
  const int32_t period = function.Period();
  for (int64_t start = 0; start < count; start += period) {
    const auto first = static_cast<int32_t>(start);
    const auto last = static_cast<int32_t>(std::min<int64_t>(count, start + period) - 1);
    std::vector<double> values;
    for (int32_t i = first; i <= last; ++i) {
      if (source.IsNullPoint(i)) continue;
      const double v = source.YValues().ValueAt(i);
      if (!std::isnan(v)) values.push_back(v);
    }
    const double a = source.XValues().ValueAt(first), b = source.XValues().ValueAt(last);
    const double position = function.PeriodAlign() == paFirst  ? a
                            : function.PeriodAlign() == paLast ? b
                                                               : 0.5 * a + 0.5 * b;
    double result = 0.0;
    bool has = !values.empty() && function.Calculate(values.data(), values.size(), result);
    has = has && std::isfinite(result);
    out.push_back({position, has ? result : 0.0, !has});
  }
  return out;
}

bool SameDouble(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

/// Compares the function series' points with the reference, bit for bit.
::testing::AssertionResult SameResults(const TChartSeries& series, const std::vector<TPoint>& expected) {
  if (series.PointCount() != static_cast<int32_t>(expected.size()))
    return ::testing::AssertionFailure() << series.PointCount() << " points, " << expected.size() << " expected";
  for (int32_t i = 0; i < series.PointCount(); ++i) {
    const TPoint& e = expected[static_cast<size_t>(i)];
    if (series.IsNullPoint(i) != e.Null)
      return ::testing::AssertionFailure() << "point " << i << (e.Null ? " should be null" : " should not be null");
    if (!SameDouble(series.XValueOf(i), e.Position))
      return ::testing::AssertionFailure() << "point " << i << " at " << series.XValueOf(i) << ", " << e.Position
                                           << " expected";
    if (!e.Null && !SameDouble(series.YValueOf(i), e.Value))
      return ::testing::AssertionFailure() << "point " << i << " is " << series.YValueOf(i) << ", " << e.Value
                                           << " expected";
  }
  return ::testing::AssertionSuccess();
}

/// Fills `s` with n points of ascending X; `odd` of every 1000 values are NaN, infinite or
/// large enough for sums to overflow.
void FillRandom(TChartSeries& s, std::mt19937& rng, int32_t n, int odd) {
  std::uniform_real_distribution<double> unit(-1, 1);
  double x = 0;
  for (int32_t i = 0; i < n; ++i) {
    x += 0.25 + std::abs(unit(rng));
    double y = unit(rng) * 1000;
    const int kind = static_cast<int>(rng() % 1000);
    if (kind < odd) {
      const double specials[] = {std::nan(""), Inf, -Inf, DBL_MAX, -DBL_MAX, 1e308};
      y = specials[rng() % 6];
    }
    s.AppendPoint(x, y, "", fw::clDefault);
  }
}

const char* const Functions[] = {"TAddFunction",  "TSubtractFunction", "TMultiplyFunction", "TDivideFunction",
                                 "THighFunction", "TLowFunction",      "TAverageFunction"};

TEST(FunctionGroups, LongSourcesGiveTheResultsOfOneGroupAtATime) {
  std::mt19937 rng(11);
  for (const int odd : {0, 3}) {
    for (const int32_t period : {1, 3, 10, 257}) {
      FunctionChart f;
      TFastLineSeries& source = f.NewSeries();
      FillRandom(source, rng, 6000 + static_cast<int32_t>(rng() % 100), odd);
      for (const char* name : Functions) {
        for (const TFunctionPeriodAlign align : {paFirst, paCenter, paLast}) {
          SCOPED_TRACE(std::string(name) + " period " + std::to_string(period) + " align " +
                       std::to_string(align) + " odd " + std::to_string(odd));
          auto function = CreateFunction(name);
          function->SetPeriod(period);
          function->SetPeriodAlign(align);
          TFastLineSeries& result = f.Result(std::move(function), {&source});
          EXPECT_TRUE(SameResults(result, Reference(*result.Function(), source)));
        }
      }
    }
  }
}

TEST(FunctionGroups, NullPointsMultipliersAndInsertedPointsTakeTheSameResults) {
  std::mt19937 rng(12);
  for (int variant = 0; variant < 4; ++variant) {
    SCOPED_TRACE(variant);
    FunctionChart f;
    TFastLineSeries& source = f.NewSeries();
    FillRandom(source, rng, 3000, 1);
    if (variant == 0) {
      // Points placed among the others by X: the value lists keep a gap in their storage.
      for (int k = 0; k < 40; ++k) source.AppendPoint(100.0 + k * 0.01, k, "", fw::clDefault);
    } else if (variant == 1) {
      source.YValues().SetMultiplier(-2.5);
      source.XValues().SetMultiplier(3);
    } else if (variant == 2) {
      source.XValues().SetMultiplier(0.5);  // positions read in place, values one by one
    } else {
      for (int k = 0; k < 30; ++k) source.AppendNullPoint(source.XValues().LastValue() + 1, 0, "");
      source.AppendPoint(source.XValues().LastValue() + 1, 7, "", fw::clDefault);
    }
    for (const char* name : Functions) {
      SCOPED_TRACE(name);
      auto function = CreateFunction(name);
      function->SetPeriod(7);
      TFastLineSeries& result = f.Result(std::move(function), {&source});
      EXPECT_TRUE(SameResults(result, Reference(*result.Function(), source)));
    }
  }
}

// Results placed by their positions: a group from -inf to inf is centred at NaN, which the X
// list puts after every number, also when later groups follow it.
TEST(FunctionGroups, AGroupFromMinusToPlusInfinityIsPlacedLast) {
  FunctionChart f;
  TFastLineSeries& source = f.Source({1, 2, 3, 4}, {-Inf, Inf, Inf, Inf});
  for (const TFunctionPeriodAlign align : {paFirst, paCenter, paLast}) {
    auto function = std::make_unique<TAddFunction>();
    function->SetPeriod(2);
    function->SetPeriodAlign(align);
    TFastLineSeries& result = f.Result(std::move(function), {&source});
    ASSERT_EQ(result.PointCount(), 2);
    if (align == paCenter) {
      EXPECT_EQ(result.XValueOf(0), Inf);
      EXPECT_TRUE(std::isnan(result.XValueOf(1)));
      EXPECT_EQ(result.YValueOf(0), 7);
      EXPECT_EQ(result.YValueOf(1), 3);
    } else {
      EXPECT_EQ(result.XValueOf(0), align == paFirst ? -Inf : Inf);
      EXPECT_EQ(result.YValueOf(0), 3);
    }
  }
}

// The functions that work on several groups at once give what one group at a time gives, also
// where sums overflow (the average then divides each value first).
TEST(FunctionGroups, CalculateGroupsEqualsCalculatePerGroup) {
  std::mt19937 rng(13);
  std::uniform_real_distribution<double> unit(-1, 1);
  for (const char* name : Functions) {
    const auto function = CreateFunction(name);
    for (const size_t size : {size_t{1}, size_t{2}, size_t{5}, size_t{10}, size_t{33}}) {
      SCOPED_TRACE(std::string(name) + " size " + std::to_string(size));
      const size_t groups = 37;
      std::vector<double> values(size * groups);
      for (double& v : values) v = rng() % 50 == 0 ? (rng() % 2 ? DBL_MAX : -DBL_MAX) : unit(rng) * 1e6;
      std::vector<double> results(groups);
      bool has[37];
      function->CalculateGroups(values.data(), size, groups, results.data(), has);
      for (size_t g = 0; g < groups; ++g) {
        double expected = 0.0;
        const bool expectedHas = function->Calculate(values.data() + g * size, size, expected);
        ASSERT_EQ(has[g], expectedHas) << g;
        if (expectedHas) {
          EXPECT_TRUE(SameDouble(results[g], expected)) << g << ": " << results[g] << " " << expected;
        }
      }
    }
  }
}

}  // namespace
}  // namespace chart::test
