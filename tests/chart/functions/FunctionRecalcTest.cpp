#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "chart/ChartConst.h"
#include "chart/ChartException.h"
#include "tests/chart/functions/FunctionTestSupport.h"

namespace chart::test {
namespace {

// A sum of two sources and a period-2 average of the first, both counting their calculations.
class FunctionRecalc : public ::testing::Test {
protected:
  void SetUp() override {
    a = &f.Source({1, 2, 3, 4});
    b = &f.Source({10, 20, 30, 40});
    sum = &f.Result(std::make_unique<TAddFunction>(), {a, b});
    auto average = std::make_unique<TAverageFunction>();
    average->SetPeriod(2);
    mean = &f.Result(std::move(average), {a});
    sum->OnClearValues = [this](TChartSeries*) { ++sumCalculations; };
    mean->OnClearValues = [this](TChartSeries*) { ++meanCalculations; };
  }

  FunctionChart f;
  TFastLineSeries* a = nullptr;
  TFastLineSeries* b = nullptr;
  TFastLineSeries* sum = nullptr;
  TFastLineSeries* mean = nullptr;
  int sumCalculations = 0;
  int meanCalculations = 0;
};

TEST_F(FunctionRecalc, EveryKindOfSourceChangeIsCalculatedOnceBeforeTheNextFrame) {
  struct TChange {
    const char* Name;
    std::function<void()> Apply;
    std::vector<double> Sum;
    std::vector<double> Mean;
    bool MeanFollows = true;  // the average takes only `a`
  };
  const std::vector<TChange> changes = {
      {"append", [&] { a->AppendPoint(4, 5, "", fw::clDefault); }, {11, 22, 33, 44}, {1.5, 3.5, 5}},
      {"append to the other", [&] { b->AppendPoint(4, 50, "", fw::clDefault); }, {11, 22, 33, 44, 55}, {1.5, 3.5, 5}, false},
      {"delete", [&] { a->DeletePoint(0); }, {12, 23, 34, 45}, {2.5, 4.5}},
      {"change a value", [&] { a->YValues().SetValueAt(1, 13); }, {12, 33, 34, 45}, {7.5, 4.5}},
      {"multiplier", [&] { a->YValues().SetMultiplier(2); }, {14, 46, 38, 50}, {15, 9}},
      {"null point", [&] { a->SetColorOfPoint(0, fw::clNone); a->YValues().SetValueAt(0, 7); }, {10, 46, 38, 50}, {26, 9}},
      {"clear", [&] { a->RemoveAllPoints(); }, {}, {}},
  };
  for (const TChange& change : changes) {
    SCOPED_TRACE(change.Name);
    const std::vector<double> sumBefore = Values(*sum), meanBefore = Values(*mean);
    const int sumCount = sumCalculations, meanCount = meanCalculations;
    change.Apply();
    // Nothing is calculated until the frame, which calculates each function once.
    EXPECT_TRUE(sum->SourcesChanged());
    EXPECT_EQ(mean->SourcesChanged(), change.MeanFollows);
    EXPECT_EQ(Values(*sum).size(), sumBefore.size());
    EXPECT_EQ(Values(*mean).size(), meanBefore.size());
    f.Frame();
    EXPECT_FALSE(sum->SourcesChanged());
    EXPECT_EQ(sumCalculations, sumCount + 1);
    EXPECT_EQ(meanCalculations, meanCount + (change.MeanFollows ? 1 : 0));
    EXPECT_TRUE(SameValues(Values(*sum), change.Sum));
    EXPECT_TRUE(SameValues(Values(*mean), change.Mean));
  }
}

TEST_F(FunctionRecalc, TenThousandAppendsCostOneCalculation) {
  for (int i = 0; i < 10000; ++i) {
    a->AppendPoint(4 + i, 1, "", fw::clDefault);
    b->AppendPoint(4 + i, 2, "", fw::clDefault);
  }
  EXPECT_EQ(sumCalculations, 0);
  f.Frame();
  f.Frame();
  EXPECT_EQ(sumCalculations, 1);
  EXPECT_EQ(meanCalculations, 1);
  EXPECT_EQ(sum->PointCount(), 10004);
  EXPECT_EQ(mean->PointCount(), 5002);
}

TEST_F(FunctionRecalc, ExplicitRefreshCalculatesAtOnce) {
  a->AppendPoint(4, 5, "", fw::clDefault);
  sum->RefreshSeries();
  EXPECT_EQ(sumCalculations, 1);
  EXPECT_FALSE(sum->SourcesChanged());
  EXPECT_TRUE(SameValues(Values(*sum), {11, 22, 33, 44}));
  f.Frame();
  EXPECT_EQ(sumCalculations, 1);
}

TEST_F(FunctionRecalc, FunctionSettingsAndTheFunctionItself) {
  mean->Function()->SetPeriodAlign(paFirst);
  EXPECT_TRUE(mean->SourcesChanged());
  mean->Function()->SetPeriod(4);
  f.Frame();
  EXPECT_EQ(meanCalculations, 1);
  EXPECT_TRUE(SameValues(Values(*mean), {2.5}));
  EXPECT_TRUE(SameValues(Positions(*mean), {0}));

  mean->Function()->SetPeriod(4);  // unchanged: nothing to do
  EXPECT_FALSE(mean->SourcesChanged());

  sum->SetFunction(std::make_unique<THighFunction>());
  f.Frame();
  EXPECT_TRUE(SameValues(Values(*sum), {10, 20, 30, 40}));
  sum->SetFunctionType("TSubtractFunction");
  EXPECT_EQ(sum->FunctionType(), "TSubtractFunction");
  EXPECT_THROW(sum->SetFunctionType("TNoSuchFunction"), ChartException);
  EXPECT_EQ(sum->FunctionType(), "TSubtractFunction");
  f.Frame();
  EXPECT_TRUE(SameValues(Values(*sum), {-9, -18, -27, -36}));

  // Without a function the series copies its sources' points again.
  sum->SetFunction(nullptr);
  f.Frame();
  EXPECT_EQ(sum->PointCount(), 8);
}

TEST_F(FunctionRecalc, SourceListChanges) {
  sum->RemoveDataSource(b);
  f.Frame();
  EXPECT_TRUE(SameValues(Values(*sum), {1, 2, 3, 4}));
  sum->AddDataSource(b);
  sum->AddDataSource(mean);  // a function series may be a source: two points, so two results
  f.Frame();
  EXPECT_TRUE(SameValues(Values(*sum), {12.5, 25.5}));
  sum->SetDataSource(b);
  f.Frame();
  EXPECT_TRUE(SameValues(Values(*sum), {10, 20, 30, 40}));
}

TEST_F(FunctionRecalc, ChainsAreCalculatedSourcesFirstWhateverTheListOrder) {
  // `outer` is listed before `inner`, which it takes its data from.
  TFastLineSeries& outer = f.NewSeries();
  TFastLineSeries& inner = f.Result(std::make_unique<TAddFunction>(), {a, b});
  int innerCalculations = 0;
  inner.OnClearValues = [&](TChartSeries*) { ++innerCalculations; };
  outer.SetFunction(std::make_unique<TMultiplyFunction>());
  outer.AddDataSource(&inner);
  outer.AddDataSource(b);
  a->YValues().SetValueAt(0, 5);
  f.Frame();
  EXPECT_TRUE(SameValues(Values(inner), {15, 22, 33, 44}));
  EXPECT_TRUE(SameValues(Values(outer), {150, 440, 990, 1760}));
  EXPECT_EQ(innerCalculations, 1);
  EXPECT_FALSE(outer.SourcesChanged());
}

TEST_F(FunctionRecalc, FreedSourceLeavesNoStalePointer) {
  delete b;
  EXPECT_EQ(sum->DataSources().size(), 1u);
  f.Frame();
  EXPECT_TRUE(SameValues(Values(*sum), {1, 2, 3, 4}));
  delete a;
  EXPECT_TRUE(sum->DataSources().empty());
  EXPECT_TRUE(mean->DataSources().empty());
  f.Frame();
  EXPECT_EQ(sum->PointCount(), 0);
  EXPECT_EQ(mean->PointCount(), 0);
}

TEST_F(FunctionRecalc, SourceLeavingTheChartFollowsItsLinks) {
  b->SetParentChart(nullptr);
  f.Frame();
  // Whatever links the chart leaves, the result is the sum over the sources still linked.
  std::vector<double> expected;
  for (int i = 0; i < 4; ++i) {
    double v = 0;
    for (fw::TComponent* c : sum->DataSources()) v += dynamic_cast<TChartSeries*>(c)->YValueOf(i);
    expected.push_back(v);
  }
  EXPECT_TRUE(SameValues(Values(*sum), expected));
  delete b;
  f.Frame();
  EXPECT_TRUE(SameValues(Values(*sum), {1, 2, 3, 4}));
}

TEST_F(FunctionRecalc, SortingASourceIsAChange) {
  a->XValues().SetOrder(loDescending);
  a->XValues().SortByOrder();
  EXPECT_TRUE(sum->SourcesChanged());
  f.Frame();
  // Index i now pairs a's point at X = 3 - i with b's i-th; the result's X list is ascending.
  EXPECT_TRUE(SameValues(Values(*sum), {41, 32, 23, 14}));
  EXPECT_TRUE(SameValues(Positions(*sum), {0, 1, 2, 3}));
}

TEST_F(FunctionRecalc, CyclesAreRefusedAndNothingChanges) {
  auto expectCircular = [](const std::function<void()>& apply) {
    try {
      apply();
      ADD_FAILURE() << "a circular source was taken";
    } catch (const ChartException& e) {
      EXPECT_STREQ(e.what(), ChartConst::CircularSeriesDependences);
    }
  };
  expectCircular([&] { a->SetDataSource(sum); });         // a feeds sum
  expectCircular([&] { a->AddDataSource(mean); });
  TFastLineSeries& outer = f.Result(std::make_unique<TAverageFunction>(), {sum});
  expectCircular([&] { b->AddDataSource(&outer); });     // through two functions
  EXPECT_THROW(sum->AddDataSource(sum), ChartException);  // never its own source
  EXPECT_TRUE(a->DataSources().empty());
  EXPECT_TRUE(b->DataSources().empty());
  EXPECT_EQ(sum->DataSources().size(), 2u);
  f.Frame();
  EXPECT_TRUE(SameValues(Values(*sum), {11, 22, 33, 44}));
}

TEST_F(FunctionRecalc, CopyingASeriesCopiesItsFunction) {
  TFastLineSeries& copy = f.NewSeries();
  copy.Assign(*mean);
  ASSERT_NE(copy.Function(), nullptr);
  EXPECT_NE(copy.Function(), mean->Function());
  EXPECT_EQ(copy.FunctionType(), "TAverageFunction");
  EXPECT_EQ(copy.Function()->Period(), 2);
  EXPECT_EQ(copy.Function()->ParentSeries(), &copy);
}

// A series that copies its source (no function) follows a point's colour and label as it
// follows its values.
TEST_F(FunctionRecalc, CopiesFollowAPointsColourAndLabel) {
  TFastLineSeries& copy = f.NewSeries();
  copy.SetDataSource(a);
  ASSERT_EQ(copy.PointCount(), 4);
  a->SetColorOfPoint(2, fw::clLime);
  a->SetLabelOfPoint(1, "second");
  EXPECT_EQ(copy.ColorOfPoint(2), fw::clLime);
  EXPECT_EQ(copy.LabelOfPoint(1), "second");
  EXPECT_TRUE(SameValues(Values(copy), {1, 2, 3, 4}));
  // A function's result keeps its values.
  f.Frame();
  EXPECT_TRUE(SameValues(Values(*sum), {11, 22, 33, 44}));
}

}  // namespace
}  // namespace chart::test
