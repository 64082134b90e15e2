#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <string>

#include "chart/ChartConst.h"
#include "chart/ChartException.h"
#include "chart/functions/FunctionTypes.h"
#include "tests/chart/functions/FunctionTestSupport.h"

namespace chart::test {
namespace {

struct TExpected {
  const char* ClassName;
  std::vector<double> Values;
};

// Sources A, B and C at index i: A = 1 2 3 4 (X 10 20 30 40), B = 2 4 0 8, C = 3 1 2.
TEST(FunctionCalculation, EveryOperationOverThreeSourcesUpToTheShortest) {
  const std::vector<TExpected> cases = {
      {"TAddFunction", {6, 7, 5}},
      {"TSubtractFunction", {-4, -3, 1}},
      {"TMultiplyFunction", {6, 8, 0}},
      {"TDivideFunction", {1.0 / 2 / 3, 0.5, kNull}},  // 3 / 0 / 2: a null point
      {"THighFunction", {3, 4, 3}},
      {"TLowFunction", {1, 1, 0}},
      {"TAverageFunction", {2, 7.0 / 3, 5.0 / 3}},
  };
  for (const TExpected& c : cases) {
    SCOPED_TRACE(c.ClassName);
    FunctionChart f;
    TFastLineSeries& a = f.Source({1, 2, 3, 4}, {10, 20, 30, 40});
    TFastLineSeries& b = f.Source({2, 4, 0, 8});
    TFastLineSeries& cs = f.Source({3, 1, 2});
    TFastLineSeries& r = f.Result(CreateFunction(c.ClassName), {&a, &b, &cs});
    EXPECT_TRUE(SameValues(Values(r), c.Values));
    EXPECT_TRUE(SameValues(Positions(r), {10, 20, 30}));
  }
}

TEST(FunctionCalculation, TwoSourcesInTheOtherOrderChangeTheNonCommutativeOnes) {
  FunctionChart f;
  TFastLineSeries& a = f.Source({8, 9}, {5, 6});
  TFastLineSeries& b = f.Source({2, 3}, {100, 200});
  EXPECT_TRUE(SameValues(Values(f.Result(std::make_unique<TSubtractFunction>(), {&b, &a})), {-6, -6}));
  TFastLineSeries& quotient = f.Result(std::make_unique<TDivideFunction>(), {&b, &a});
  EXPECT_TRUE(SameValues(Values(quotient), {0.25, 3.0 / 9}));
  EXPECT_TRUE(SameValues(Positions(quotient), {100, 200}));  // X of the first source
}

// One source, Period 3: groups (5 1 4) (2 8 3) (6) at X (0 1 5) (6 7 10) (12).
TEST(FunctionCalculation, PeriodGroupsWithEveryAlignment) {
  const std::vector<double> xs = {0, 1, 5, 6, 7, 10, 12};
  const std::vector<double> ys = {5, 1, 4, 2, 8, 3, 6};
  const std::vector<TExpected> cases = {
      {"TAddFunction", {10, 13, 6}},       {"TSubtractFunction", {0, -9, 6}},
      {"TMultiplyFunction", {20, 48, 6}},  {"TDivideFunction", {1.25, 2.0 / 8 / 3, 6}},
      {"THighFunction", {5, 8, 6}},        {"TLowFunction", {1, 2, 6}},
      {"TAverageFunction", {10.0 / 3, 13.0 / 3, 6}},
  };
  const std::vector<std::pair<TFunctionPeriodAlign, std::vector<double>>> aligns = {
      {paFirst, {0, 6, 12}}, {paCenter, {2.5, 8, 12}}, {paLast, {5, 10, 12}}};
  for (const TExpected& c : cases) {
    for (const auto& [align, positions] : aligns) {
      SCOPED_TRACE(std::string(c.ClassName) + " align " + std::to_string(align));
      FunctionChart f;
      TFastLineSeries& source = f.Source(ys, xs);
      auto function = CreateFunction(c.ClassName);
      function->SetPeriod(3);
      function->SetPeriodAlign(align);
      TFastLineSeries& r = f.Result(std::move(function), {&source});
      EXPECT_TRUE(SameValues(Values(r), c.Values));
      EXPECT_TRUE(SameValues(Positions(r), positions));
    }
  }
}

TEST(FunctionCalculation, PeriodLimits) {
  FunctionChart f;
  TFastLineSeries& source = f.Source({4, 6, 11}, {1, 2, 3});
  TFastLineSeries& other = f.Source({1, 1, 1}, {1, 2, 3});
  auto average = [&](int32_t period, const std::vector<TChartSeries*>& sources) {
    auto function = std::make_unique<TAverageFunction>();
    function->SetPeriod(period);
    return Values(f.Result(std::move(function), sources));
  };
  EXPECT_TRUE(SameValues(average(0, {&source}), {4, 6, 11}));   // every index on its own
  EXPECT_TRUE(SameValues(average(1, {&source}), {4, 6, 11}));   // groups of one
  EXPECT_TRUE(SameValues(average(2, {&source}), {5, 11}));      // the last group is shorter
  EXPECT_TRUE(SameValues(average(INT_MAX, {&source}), {7}));    // one group, no overflow
  EXPECT_TRUE(SameValues(average(2, {&source, &other}), {2.5, 3.5, 6}));  // two sources: by index
}

TEST(FunctionCalculation, NullPointsAreLeftOut) {
  FunctionChart f;
  TFastLineSeries& a = f.Source({kNull, 2, kNull, 5});
  TFastLineSeries& b = f.Source({7, 3, kNull, 1});
  TFastLineSeries& c = f.Source({2, 1, kNull, 1});
  // Index 0: A is null, so B leads the subtraction; index 2: every input null.
  EXPECT_TRUE(SameValues(Values(f.Result(std::make_unique<TSubtractFunction>(), {&a, &b, &c})), {5, -2, kNull, 3}));
  EXPECT_TRUE(SameValues(Values(f.Result(std::make_unique<TAverageFunction>(), {&a, &b, &c})), {4.5, 2, kNull, 7.0 / 3}));
  EXPECT_TRUE(SameValues(Values(f.Result(std::make_unique<TLowFunction>(), {&a, &b, &c})), {2, 1, kNull, 1}));

  // Groups of two over 4, null, null, null, 2, 6: the mean of what is there, or a null point.
  TFastLineSeries& gaps = f.Source({4, kNull, kNull, kNull, 2, 6});
  auto average = std::make_unique<TAverageFunction>();
  average->SetPeriod(2);
  average->SetPeriodAlign(paFirst);
  TFastLineSeries& r = f.Result(std::move(average), {&gaps});
  EXPECT_TRUE(SameValues(Values(r), {4, kNull, 4}));
  EXPECT_TRUE(SameValues(Positions(r), {0, 2, 4}));  // a null group keeps its place
}

TEST(FunctionCalculation, DivisionByZeroAndNonFiniteResultsGiveNullPoints) {
  FunctionChart f;
  TFastLineSeries& a = f.Source({6, 0, -1, 1e308, 1e308});
  TFastLineSeries& b = f.Source({0, 0, 0, 1e-308, 1e308});
  EXPECT_NO_THROW(f.Result(std::make_unique<TDivideFunction>(), {&a, &b}));
  EXPECT_TRUE(SameValues(Values(f.Result(std::make_unique<TDivideFunction>(), {&a, &b})), {kNull, kNull, kNull, kNull, 1}));
  EXPECT_TRUE(SameValues(Values(f.Result(std::make_unique<TAddFunction>(), {&a, &b})), {6, 0, -1, 1e308, kNull}));
  EXPECT_TRUE(SameValues(Values(f.Result(std::make_unique<TMultiplyFunction>(), {&a, &b})), {0, 0, -0.0, 1, kNull}));
  // The mean of two huge values is huge, not an overflow.
  EXPECT_TRUE(SameValues(Values(f.Result(std::make_unique<TAverageFunction>(), {&a, &b})), {3, 0, -0.5, 5e307, 1e308}));
}

TEST(FunctionCalculation, NaNValuesAreLeftOutAndExtremePositionsStayFinite) {
  FunctionChart f;
  TFastLineSeries& a = f.Source({std::nan(""), 4, std::nan("")}, {-DBL_MAX, DBL_MAX, DBL_MAX});
  TFastLineSeries& b = f.Source({3, 1, std::nan("")});
  EXPECT_TRUE(SameValues(Values(f.Result(std::make_unique<THighFunction>(), {&a, &b})), {3, 4, kNull}));
  auto low = std::make_unique<TLowFunction>();
  low->SetPeriod(2);
  TFastLineSeries& r = f.Result(std::move(low), {&a});
  EXPECT_TRUE(SameValues(Values(r), {4, kNull}));
  EXPECT_TRUE(SameValues(Positions(r), {0, DBL_MAX}));  // the midpoint of -max and max
}

TEST(FunctionCalculation, EmptyAndMissingSourcesGiveNoPoints) {
  FunctionChart f;
  TFastLineSeries& empty = f.Source({});
  TFastLineSeries& full = f.Source({1, 2});
  EXPECT_EQ(f.Result(std::make_unique<TAddFunction>(), {&empty, &full}).PointCount(), 0);
  EXPECT_EQ(f.Result(std::make_unique<TAddFunction>(), {}).PointCount(), 0);
  auto period = std::make_unique<THighFunction>();
  period->SetPeriod(4);
  EXPECT_EQ(f.Result(std::move(period), {&empty}).PointCount(), 0);
}

TEST(FunctionCalculation, MultipliersOfTheSourcesApply) {
  FunctionChart f;
  TFastLineSeries& a = f.Source({1, 2}, {1, 2});
  TFastLineSeries& b = f.Source({10, 20});
  a.YValues().SetMultiplier(3);
  a.XValues().SetMultiplier(10);
  TFastLineSeries& r = f.Result(std::make_unique<TAddFunction>(), {&a, &b});
  EXPECT_TRUE(SameValues(Values(r), {13, 26}));
  EXPECT_TRUE(SameValues(Positions(r), {10, 20}));
}

TEST(FunctionCalculation, ResultsTakeTheOrderOfTheSeriesXList) {
  FunctionChart f;
  TFastLineSeries& a = f.NewSeries();
  a.XValues().SetOrder(loNone);
  for (double x : {3.0, 1.0, 2.0, 1.0}) a.AppendPoint(x, x * 10, "", fw::clDefault);
  TFastLineSeries& r = f.Result(std::make_unique<TAddFunction>(), {&a});
  EXPECT_TRUE(SameValues(Positions(r), {1, 1, 2, 3}));
  EXPECT_TRUE(SameValues(Values(r), {10, 10, 20, 30}));
}

TEST(FunctionCalculation, RejectedSettingsKeepTheOldValue) {
  TAverageFunction function;
  function.SetPeriod(4);
  function.SetPeriodAlign(paLast);
  try {
    function.SetPeriod(-1);
    FAIL() << "a negative period was taken";
  } catch (const ChartException& e) {
    EXPECT_STREQ(e.what(), ChartConst::FunctionPeriodNegative);
  }
  EXPECT_THROW(function.SetPeriodAlign(static_cast<TFunctionPeriodAlign>(3)), ChartException);
  EXPECT_EQ(function.Period(), 4);
  EXPECT_EQ(function.PeriodAlign(), paLast);
  EXPECT_THROW(CreateFunction("TMedianFunction"), ChartException);
}

TEST(FunctionCalculation, TypesInGalleryOrderWithTheirTitles) {
  std::vector<std::string> titles, names;
  for (const TFunctionType& type : FunctionTypes()) {
    titles.push_back(type.Title);
    names.push_back(type.ClassName);
    auto function = type.Create();
    EXPECT_EQ(function->ClassName(), type.ClassName);
    EXPECT_EQ(function->Clone()->ClassName(), type.ClassName);
    EXPECT_EQ(CreateFunction(type.ClassName)->ClassName(), type.ClassName);
  }
  EXPECT_EQ(titles, (std::vector<std::string>{"Add", "Subtract", "Multiply", "Divide", "High", "Low", "Average"}));
  EXPECT_EQ(names.size(), 7u);
}

}  // namespace
}  // namespace chart::test
