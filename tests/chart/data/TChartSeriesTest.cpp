#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "chart/ChartConst.h"
#include "chart/ChartException.h"
#include "chart/data/TChartSeries.h"
#include "chart/data/TSeriesMarks.h"
#include "chart/panel/ChartPalette.h"
#include "framework/runtime/Exception.h"
#include "tests/chart/data/FakeSeriesHost.h"

using chart::TChartSeries;
using chart::test::FakeSeriesHost;

namespace {

std::vector<double> Xs(const TChartSeries& s) {
  std::vector<double> out;
  for (int32_t i = 0; i < s.PointCount(); ++i) out.push_back(s.XValueOf(i));
  return out;
}
std::vector<double> Ys(const TChartSeries& s) {
  std::vector<double> out;
  for (int32_t i = 0; i < s.PointCount(); ++i) out.push_back(s.YValueOf(i));
  return out;
}

// A chart with a series attached; the host outlives the series.
struct AttachedSeries : ::testing::Test {
  FakeSeriesHost Chart;
  TChartSeries Series;
  AttachedSeries() {
    Series.SetParentChart(&Chart);
    Chart.Invalidations = 0;
  }
  // The series raises OnClearValues when freed; the tests' handlers capture their locals.
  ~AttachedSeries() override { Series.OnClearValues = nullptr; }
};

}  // namespace

// ---------------------------------------------------------------- creation

TEST(TChartSeriesDefaults, StartsEmptyWithItsListsAndSettings) {
  TChartSeries s;
  EXPECT_EQ(s.PointCount(), 0);
  EXPECT_EQ(s.LowestX(), 0);
  EXPECT_EQ(s.HighestX(), 0);
  EXPECT_EQ(s.FirstVisible(), -1);
  EXPECT_EQ(s.LastVisible(), -1);
  EXPECT_EQ(s.ValueListCount(), 2);
  EXPECT_EQ(&s.ValueList(0), &s.XValues());
  EXPECT_EQ(&s.ValueList(1), &s.YValues());
  EXPECT_EQ(s.XValues().Name(), "X");
  EXPECT_EQ(s.YValues().Name(), "Y");
  EXPECT_EQ(s.XValues().Order(), chart::loAscending);
  EXPECT_EQ(s.YValues().Order(), chart::loNone);
  EXPECT_TRUE(s.Active());
  EXPECT_EQ(s.SeriesColor(), fw::clDefault);
  EXPECT_EQ(s.ValueFormat(), "#,##0.###");
  EXPECT_EQ(s.PercentFormat(), "##0.## %");
  EXPECT_EQ(s.HorizAxis(), chart::aBottomAxis);
  EXPECT_EQ(s.VertAxis(), chart::aLeftAxis);
  EXPECT_EQ(s.RecalcOptions(), 15u);
  EXPECT_EQ(s.FixedDepthLevel(), -1);
  EXPECT_TRUE(s.LimitToVisible());
  EXPECT_FALSE(s.ExtendToEdge());
  EXPECT_EQ(s.Marks().ArrowLength(), 8);
  EXPECT_FALSE(s.Marks().Visible());
  EXPECT_EQ(&s.ValueListByName("anything"), &s.YValues());
}

// ---------------------------------------------------------------- adding

TEST_F(AttachedSeries, AppendPointPlacesXInOrderAndKeepsListsAligned) {
  EXPECT_EQ(Series.AppendPoint(5, 1, "five", fw::clBlue), 0);
  EXPECT_EQ(Series.AppendPoint(3, 2, "", fw::clDefault), 0);
  EXPECT_EQ(Xs(Series), (std::vector<double>{3, 5}));
  EXPECT_EQ(Ys(Series), (std::vector<double>{2, 1}));
  EXPECT_EQ(Series.LabelOfPoint(1), "five");
  EXPECT_EQ(Series.LabelOfPoint(0), "");
  EXPECT_EQ(Series.ColorOfPoint(1), fw::clBlue);
  EXPECT_EQ(Series.StoredColorOf(0), fw::clDefault);
  EXPECT_EQ(Chart.Invalidations, 2);
  EXPECT_TRUE(Series.HasLabels());
}

TEST_F(AttachedSeries, BeforeAddRefusalStoresNothing) {
  int afterAdds = 0;
  TChartSeries* sender = nullptr;
  Series.OnBeforeAdd = [&](TChartSeries* s) {
    sender = s;
    return s->XValues().PendingValue() < 10;  // the pending values are readable here
  };
  Series.OnAfterAdd = [&](TChartSeries*, int32_t) { ++afterAdds; };
  EXPECT_EQ(Series.AppendPoint(1, 1, "a", fw::clRed), 0);
  EXPECT_EQ(sender, &Series);
  EXPECT_EQ(afterAdds, 1);
  const int repaints = Chart.Invalidations;
  EXPECT_EQ(Series.AppendPoint(20, 2, "b", fw::clRed), -1);
  EXPECT_EQ(Series.PointCount(), 1);
  EXPECT_EQ(Series.YValues().ValueCount(), 1);
  EXPECT_EQ(Series.LabelOfPoint(1), "");
  EXPECT_EQ(afterAdds, 1);
  EXPECT_EQ(Chart.Invalidations, repaints);
}

TEST_F(AttachedSeries, AfterAddGetsTheIndexAndInactiveSeriesDoNotRepaint) {
  std::vector<int32_t> indices;
  Series.OnAfterAdd = [&](TChartSeries*, int32_t index) { indices.push_back(index); };
  Series.AppendPoint(2, 0, "", fw::clDefault);
  Series.AppendPoint(1, 0, "", fw::clDefault);
  EXPECT_EQ(indices, (std::vector<int32_t>{0, 0}));
  Series.SetActive(false);
  Chart.Invalidations = 0;
  Series.AppendPoint(3, 0, "", fw::clDefault);
  EXPECT_EQ(Chart.Invalidations, 0);
  EXPECT_EQ(indices.back(), 2);
}

TEST_F(AttachedSeries, MandatoryAndNullPoints) {
  EXPECT_EQ(Series.AddMandatoryValue(7, "", fw::clDefault), 0);
  EXPECT_EQ(Series.AddMandatoryValue(8, "", fw::clDefault), 1);
  EXPECT_EQ(Series.AddNullPoint("gap"), 2);
  EXPECT_EQ(Xs(Series), (std::vector<double>{0, 1, 2}));
  EXPECT_EQ(Ys(Series), (std::vector<double>{7, 8, 0}));
  EXPECT_TRUE(Series.IsNullPoint(2));
  EXPECT_FALSE(Series.IsNullPoint(1));
  EXPECT_FALSE(Series.IsNullPoint(99));
  EXPECT_EQ(Series.AppendNullPoint(0.5, 3, ""), 1);
  EXPECT_TRUE(Series.IsNullPoint(1));
  EXPECT_EQ(Series.ColorOfPoint(1), fw::clNone);
  EXPECT_EQ(Series.LegendSymbolColor(1), fw::clNone);  // no symbol for a null point
}

TEST_F(AttachedSeries, NaNPointsAreStoredWithoutBreakingTheOrder) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  Series.AppendPoint(2, 20, "", fw::clDefault);
  EXPECT_EQ(Series.AppendPoint(nan, 99, "", fw::clDefault), 1);
  EXPECT_EQ(Series.AppendPoint(1, 10, "", fw::clDefault), 0);
  EXPECT_EQ(Series.AppendPoint(3, 30, "", fw::clDefault), 2);
  EXPECT_EQ(Ys(Series), (std::vector<double>{10, 20, 30, 99}));
  EXPECT_EQ(Series.LowestX(), 1);
  EXPECT_EQ(Series.HighestX(), 3);
}

// ---------------------------------------------------------------- colours

TEST_F(AttachedSeries, ColorOfPointFallsBackToSeriesColorOrPalette) {
  Series.SetSeriesColor(fw::clTeal);
  for (int i = 0; i < 17; ++i) Series.AppendPoint(i, i, "", fw::clDefault);
  Series.SetColorOfPoint(3, fw::clBlue);
  EXPECT_EQ(Series.ColorOfPoint(0), fw::clTeal);
  EXPECT_EQ(Series.ColorOfPoint(3), fw::clBlue);
  EXPECT_EQ(Series.ColorOfPoint(1000), fw::clTeal);  // beyond the colour list
  EXPECT_EQ(Series.LegendSymbolColor(-1), fw::clTeal);
  Series.SetColorEachPoint(true);
  EXPECT_EQ(Series.ColorOfPoint(0), fw::clRed);
  EXPECT_EQ(Series.ColorOfPoint(1), fw::clGreen);
  EXPECT_EQ(Series.ColorOfPoint(16), fw::clRed);
  EXPECT_EQ(Series.ColorOfPoint(3), fw::clBlue);  // its own colour wins
  EXPECT_EQ(Series.LegendSymbolColor(-1), fw::clNone);
  Chart.Invalidations = 0;
  Series.SetColorEachPoint(false);  // resets every stored colour
  EXPECT_EQ(Series.ColorOfPoint(3), fw::clTeal);
  EXPECT_GT(Chart.Invalidations, 0);
  EXPECT_THROW(Series.SetColorOfPoint(17, fw::clRed), fw::EListError);
}

TEST_F(AttachedSeries, LegendSymbolIsFilledWithTheSeriesOrPointColour) {
  Series.SetSeriesColor(fw::clBlue);
  Series.AppendPoint(0, 0, "", fw::clRed);
  Series.AppendNullPoint(1, 0, "");
  auto rectangles = [&] {
    int n = 0;
    for (const auto& c : Chart.Surface.Calls()) n += c.Name == "Rectangle";
    return n;
  };
  Series.DrawLegendSymbol(-1, {2, 2, 10, 8});
  EXPECT_EQ(rectangles(), 1);
  EXPECT_EQ(fw::ColorToRGB(Chart.Surface.GetPixel(5, 5)), fw::clBlue);
  Series.DrawLegendSymbol(0, {20, 2, 30, 8});
  EXPECT_EQ(fw::ColorToRGB(Chart.Surface.GetPixel(25, 5)), fw::clRed);
  Series.DrawLegendSymbol(1, {2, 10, 10, 18});  // null point: no symbol
  Series.SetColorEachPoint(true);
  Series.DrawLegendSymbol(-1, {2, 10, 10, 18});  // colours per point: no series symbol
  EXPECT_EQ(rectangles(), 2);
}

TEST(TChartSeriesPalette, SixteenColoursThenRedAgain) {
  EXPECT_EQ(chart::PaletteColor(0), fw::clRed);
  EXPECT_EQ(chart::PaletteColor(15), fw::clBlack);
  EXPECT_EQ(chart::PaletteColor(16), fw::clRed);
  EXPECT_EQ(chart::PaletteColor(-1), fw::clBlack);
}

// ---------------------------------------------------------------- removing

TEST_F(AttachedSeries, RemoveAllPointsClearsEverythingAndRaisesOnClearValues) {
  int clears = 0;
  Series.OnClearValues = [&](TChartSeries* s) {
    ++clears;
    EXPECT_EQ(s->PointCount(), 0);
  };
  Series.AppendPoint(1, 1, "one", fw::clBlue);
  Series.AppendPoint(2, 2, "two", fw::clBlue);
  chart::TSeriesMarkPosition pos;
  Series.Marks().UseMarkPosition(1, pos);
  Chart.Invalidations = 0;
  Series.RemoveAllPoints();
  EXPECT_EQ(clears, 1);
  EXPECT_EQ(Series.PointCount(), 0);
  EXPECT_EQ(Series.YValues().ValueCount(), 0);
  EXPECT_EQ(Series.LabelOfPoint(0), "");
  EXPECT_FALSE(Series.HasLabels());
  EXPECT_EQ(Series.Marks().PositionCount(), 0);
  EXPECT_EQ(Chart.Invalidations, 1);
  EXPECT_EQ(Series.HighestY(), 0);
}

TEST_F(AttachedSeries, RemoveAllPointsOnInactiveOrDyingChartRequestsNoRepaint) {
  int clears = 0;
  Series.OnClearValues = [&](TChartSeries*) { ++clears; };
  Series.SetActive(false);
  Chart.Invalidations = 0;
  Series.RemoveAllPoints();
  EXPECT_EQ(clears, 1);
  EXPECT_EQ(Chart.Invalidations, 0);
  Series.SetActive(true);
  Chart.Invalidations = 0;
  Chart.Destroying = true;
  Series.RemoveAllPoints();
  EXPECT_EQ(Chart.Invalidations, 0);
  Chart.Destroying = false;
}

TEST(TChartSeriesLifetime, FreeingASeriesClearsItAndLeavesTheChart) {
  FakeSeriesHost chart;
  int clears = 0;
  auto* s = new TChartSeries;
  s->SetParentChart(&chart);
  s->AppendPoint(1, 1, "", fw::clDefault);
  s->OnClearValues = [&](TChartSeries* sender) {
    ++clears;
    EXPECT_EQ(sender->PointCount(), 0);
  };
  delete s;
  EXPECT_EQ(clears, 1);
  EXPECT_TRUE(chart.Series.empty());
}

TEST_F(AttachedSeries, DeletePointRemovesFromEveryListAndChecksTheIndex) {
  Series.AppendPoint(1, 10, "a", fw::clRed);
  Series.AppendPoint(2, 20, "b", fw::clBlue);
  Series.AppendPoint(3, 30, "c", fw::clGreen);
  Series.HighestY();  // statistics cached
  Series.DeletePoint(1);
  EXPECT_EQ(Xs(Series), (std::vector<double>{1, 3}));
  EXPECT_EQ(Ys(Series), (std::vector<double>{10, 30}));
  EXPECT_EQ(Series.LabelOfPoint(1), "c");
  EXPECT_EQ(Series.ColorOfPoint(1), fw::clGreen);
  EXPECT_EQ(Series.HighestY(), 30);
  Series.DeletePoint(1);
  EXPECT_EQ(Series.HighestY(), 10);  // recomputed after the delete
  try {
    Series.DeletePoint(1);
    FAIL();
  } catch (const fw::EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (1)");
  }
  EXPECT_THROW(Series.ExchangePoints(0, 5), fw::EListError);
  EXPECT_THROW(Series.XValueOf(-1), fw::EListError);
  EXPECT_EQ(Series.PointCount(), 1);
}

// ---------------------------------------------------------------- sorting

TEST(TChartSeriesSort, SortByOrderIsStableAndMovesLabelsAndColours) {
  TChartSeries s;
  s.XValues().SetOrder(chart::loNone);
  const double xs[] = {3, 1, 2, 1, 3, 0};
  const fw::TColor colors[] = {fw::clRed, fw::clGreen, fw::clBlue, fw::clYellow, fw::clWhite, fw::clNavy};
  for (int i = 0; i < 6; ++i) s.AppendPoint(xs[i], i, "p" + std::to_string(i), colors[i]);
  s.XValues().SetOrder(chart::loAscending);
  s.XValues().SortByOrder();
  EXPECT_EQ(Xs(s), (std::vector<double>{0, 1, 1, 2, 3, 3}));
  EXPECT_EQ(Ys(s), (std::vector<double>{5, 1, 3, 2, 0, 4}));  // equal X keep their order
  EXPECT_EQ(s.LabelOfPoint(0), "p5");
  EXPECT_EQ(s.LabelOfPoint(2), "p3");
  EXPECT_EQ(s.ColorOfPoint(0), fw::clNavy);
  EXPECT_EQ(s.ColorOfPoint(5), fw::clWhite);
  // Sorted now: a later add finds its place by search.
  EXPECT_EQ(s.AppendPoint(1, 9, "", fw::clDefault), 3);
  s.XValues().SetOrder(chart::loDescending);
  s.XValues().SortByOrder();
  EXPECT_EQ(Xs(s), (std::vector<double>{3, 3, 2, 1, 1, 1, 0}));
  EXPECT_EQ(Ys(s), (std::vector<double>{0, 4, 2, 1, 3, 9, 5}));
}

TEST(TChartSeriesSort, SortByYMovesX) {
  TChartSeries s;
  s.AppendPoint(0, 5, "", fw::clDefault);
  s.AppendPoint(1, -2, "", fw::clDefault);
  s.AppendPoint(2, 7, "", fw::clDefault);
  s.YValues().SetOrder(chart::loAscending);
  s.YValues().SortByOrder();
  EXPECT_EQ(Xs(s), (std::vector<double>{1, 0, 2}));
  EXPECT_EQ(Ys(s), (std::vector<double>{-2, 5, 7}));
}

// ---------------------------------------------------------------- settings and repaints

TEST_F(AttachedSeries, DrawingSettersRepaintOnlyOnChange) {
  Series.SetTitle("Wave");
  Series.SetTitle("Wave");
  Series.SetShowInLegend(false);
  Series.SetValueFormat("0.0");
  Series.SetPercentFormat("0 %");
  Series.SetActive(false);
  Series.SetActive(false);
  EXPECT_EQ(Chart.Invalidations, 5);
  Series.XValues().SetDateTime(true);
  Series.XValues().SetDateTime(true);
  Series.XValues().SetMultiplier(2);
  Series.Marks().SetVisible(true);
  EXPECT_EQ(Chart.Invalidations, 8);
  Series.SetCursor(5);
  Series.SetColorSource("c");
  EXPECT_EQ(Chart.Invalidations, 8);
}

TEST(TChartSeriesMarks, AssignAndPositions) {
  TChartSeries a, b;
  a.Marks().SetArrowLength(3);
  a.Marks().SetStyle(chart::smsValue);
  a.Marks().SetVisible(true);
  b.SetMarks(a.Marks());
  EXPECT_EQ(b.Marks().ArrowLength(), 3);
  EXPECT_EQ(b.Marks().Style(), chart::smsValue);
  EXPECT_TRUE(b.Marks().Visible());

  chart::TSeriesMarkPosition drawn;
  drawn.LeftTopX = 10;
  b.Marks().UseMarkPosition(2, drawn);
  EXPECT_EQ(b.Marks().PositionCount(), 3);
  EXPECT_EQ(b.Marks().PositionAt(0), nullptr);  // slots before it stay empty
  ASSERT_NE(b.Marks().PositionAt(2), nullptr);
  chart::TSeriesMarkPosition custom = drawn;
  custom.Custom = true;
  custom.LeftTopX = 50;
  b.Marks().UseMarkPosition(1, custom);
  chart::TSeriesMarkPosition next;
  next.LeftTopX = 99;
  b.Marks().UseMarkPosition(1, next);
  EXPECT_EQ(next.LeftTopX, 50);  // a custom position stays where it was put
  b.Marks().DeleteMarkPosition(0);
  EXPECT_EQ(b.Marks().PositionAt(0)->LeftTopX, 50);
  EXPECT_EQ(b.Marks().PositionAt(7), nullptr);
}

// ---------------------------------------------------------------- chart and axes

TEST(TChartSeriesChart, AttachingAndDetaching) {
  FakeSeriesHost a, b;
  {
    TChartSeries s;
    s.SetParentChart(&a);
    EXPECT_EQ(a.Series.size(), 1u);
    EXPECT_EQ(s.SeriesColor(), fw::clGreen);  // picked by the chart
    EXPECT_EQ(s.ResolvedHorizAxis(), a.Axis(chart::sarBottomAxis));
    EXPECT_EQ(s.ResolvedVertAxis(), a.Axis(chart::sarLeftAxis));
    s.SetParentChart(&b);
    EXPECT_TRUE(a.Series.empty());
    EXPECT_EQ(b.Series.size(), 1u);
    EXPECT_EQ(s.ParentChart(), &b);
    EXPECT_EQ(s.ResolvedHorizAxis(), b.Axis(chart::sarBottomAxis));
  }
  EXPECT_TRUE(b.Series.empty());  // a freed series leaves its chart
}

TEST_F(AttachedSeries, ResolveAxesAndUsesAxis) {
  using namespace chart;
  EXPECT_TRUE(Series.UsesAxis(Chart.Axis(sarBottomAxis)));
  EXPECT_TRUE(Series.UsesAxis(Chart.Axis(sarLeftAxis)));
  EXPECT_FALSE(Series.UsesAxis(Chart.Axis(sarTopAxis)));
  EXPECT_FALSE(Series.UsesAxis(Chart.Axis(sarRightAxis)));
  Series.SetHorizAxis(aTopAxis);
  Series.SetVertAxis(aRightAxis);
  EXPECT_EQ(Chart.Invalidations, 2);
  EXPECT_TRUE(Series.UsesAxis(Chart.Axis(sarTopAxis)));
  EXPECT_FALSE(Series.UsesAxis(Chart.Axis(sarBottomAxis)));
  Series.SetHorizAxis(aBothHorizAxis);
  EXPECT_EQ(Series.ResolvedHorizAxis(), Chart.Axis(sarBottomAxis));
  EXPECT_TRUE(Series.UsesAxis(Chart.Axis(sarTopAxis)));
  EXPECT_TRUE(Series.UsesAxis(Chart.Axis(sarBottomAxis)));
  // A custom axis is used only when set; otherwise the bottom axis stands in.
  Series.SetHorizAxis(aCustomHorizAxis);
  EXPECT_EQ(Series.ResolvedHorizAxis(), Chart.Axis(sarBottomAxis));
  TAxisScale custom;
  custom.IsHorizontal = true;
  Series.SetCustomHorizAxis(FakeSeriesHost::Handle(custom));
  EXPECT_EQ(Series.ResolvedHorizAxis(), FakeSeriesHost::Handle(custom));
  EXPECT_FALSE(Series.UsesAxis(nullptr));
  Series.SetParentChart(nullptr);
  EXPECT_EQ(Series.ResolvedHorizAxis(), nullptr);
  EXPECT_EQ(Series.XPixelOfValue(5), 0);
}

TEST_F(AttachedSeries, PixelsComeFromTheResolvedAxes) {
  using namespace chart;
  Chart.Scale(sarBottomAxis).SetRange(0, 1000);
  Chart.Scale(sarBottomAxis).SetSpan(0, 1000);
  Chart.Scale(sarLeftAxis).SetRange(-1000, 1000);
  Chart.Scale(sarLeftAxis).SetSpan(40, 480);
  Series.AppendPoint(250, 1000, "", fw::clDefault);
  EXPECT_EQ(Series.XPixel(0), 250);
  EXPECT_EQ(Series.YPixel(0), 40);
  EXPECT_EQ(Series.YPixelOfValue(0), 260);
  EXPECT_DOUBLE_EQ(Series.XValueOfPixel(500), 500);
}

// ---------------------------------------------------------------- visible range

struct VisibleRange : AttachedSeries {
  VisibleRange() {
    for (int x = 0; x <= 1000; ++x) Series.AppendPoint(x, 0, "", fw::clDefault);
    Chart.PlotRect = {0, 0, 1000, 500};
    Chart.Scale(chart::sarBottomAxis).SetSpan(0, 1000);
  }
  void Show(double lo, double hi) { Chart.Scale(chart::sarBottomAxis).SetRange(lo, hi); }
};

TEST_F(VisibleRange, LimitsAtTheAxisEnds) {
  Show(100, 200);
  Series.UpdateVisibleRange();
  EXPECT_EQ(Series.FirstVisible(), 100);
  EXPECT_EQ(Series.LastVisible(), 200);
  Series.SetExtendToEdge(true);
  Series.UpdateVisibleRange();
  EXPECT_EQ(Series.LastVisible(), 200);
  Show(100.5, 199.5);
  Series.UpdateVisibleRange();
  EXPECT_EQ(Series.FirstVisible(), 101);
  EXPECT_EQ(Series.LastVisible(), 200);
  Series.SetExtendToEdge(false);
  Series.UpdateVisibleRange();
  EXPECT_EQ(Series.LastVisible(), 199);
}

TEST_F(VisibleRange, NothingOrEverythingVisible) {
  Show(2000, 3000);
  Series.UpdateVisibleRange();
  EXPECT_EQ(Series.FirstVisible(), -1);
  EXPECT_EQ(Series.LastVisible(), -1);
  Show(-50, 5000);
  Series.UpdateVisibleRange();
  EXPECT_EQ(Series.FirstVisible(), 0);
  EXPECT_EQ(Series.LastVisible(), 1000);
  Show(300, 400);
  Series.SetLimitToVisible(false);
  Series.UpdateVisibleRange();
  EXPECT_EQ(Series.FirstVisible(), 0);
  EXPECT_EQ(Series.LastVisible(), 1000);
  Series.SetLimitToVisible(true);
  Chart.Scale(chart::sarBottomAxis).Inverted = true;  // the low limit is then at the right edge
  Series.UpdateVisibleRange();
  EXPECT_EQ(Series.FirstVisible(), 300);
  EXPECT_EQ(Series.LastVisible(), 400);
}

TEST(TChartSeriesVisible, EmptyOrDetachedSeries) {
  TChartSeries s;
  s.UpdateVisibleRange();
  EXPECT_EQ(s.FirstVisible(), -1);
  s.AppendPoint(1, 1, "", fw::clDefault);
  s.UpdateVisibleRange();  // no chart, no axis: every point counts as visible
  EXPECT_EQ(s.FirstVisible(), 0);
  EXPECT_EQ(s.LastVisible(), 0);
}

// ---------------------------------------------------------------- drawing hooks and mouse

namespace {
struct RecordingSeries : TChartSeries {
  std::vector<int32_t> Drawn;
  bool Forward = true;
  void DrawOnePoint(int32_t index) override { Drawn.push_back(index); }
  bool DrawValuesForward() const override { return Forward; }
};
}  // namespace

TEST(TChartSeriesDrawing, DrawAllPointsWalksTheVisibleRange) {
  RecordingSeries s;
  for (int i = 0; i < 10; ++i) s.AppendPoint(i, i, "", fw::clDefault);
  s.SetFirstVisible(3);
  s.SetLastVisible(5);
  s.DrawAllPoints();
  EXPECT_EQ(s.Drawn, (std::vector<int32_t>{3, 4, 5}));
  s.Drawn.clear();
  s.Forward = false;
  s.DrawAllPoints();
  EXPECT_EQ(s.Drawn, (std::vector<int32_t>{5, 4, 3}));
  s.Drawn.clear();
  s.SetFirstVisible(-1);
  s.DrawAllPoints();
  EXPECT_TRUE(s.Drawn.empty());
  int before = 0, after = 0;
  s.BeforeDrawValues = [&](fw::TComponent* c) { before += c == &s; };
  s.AfterDrawValues = [&](fw::TComponent* c) { after += c == &s; };
  s.DoBeforeDrawValues();
  s.DoAfterDrawValues();
  EXPECT_EQ(before, 1);
  EXPECT_EQ(after, 1);
  EXPECT_EQ(s.ClickedIndex(0, 0), -1);
}

TEST_F(AttachedSeries, ClickRunsDoubleOrSingleHandlerAndSetsSuppressMouse) {
  EXPECT_FALSE(Series.MouseClickOnSeries(0, fw::mbLeft, 0, 1, 1));  // no handler
  std::vector<std::string> calls;
  Series.OnClick = [&](TChartSeries*, int32_t i, fw::TMouseButton, fw::TShiftState, int32_t, int32_t) {
    calls.push_back("click " + std::to_string(i));
  };
  EXPECT_TRUE(Series.MouseClickOnSeries(4, fw::mbLeft, 0, 1, 1));
  EXPECT_TRUE(Series.MouseClickOnSeries(4, fw::mbLeft, fw::ssDouble, 1, 1));  // no OnDblClick: OnClick
  Series.OnDblClick = [&](TChartSeries*, int32_t, fw::TMouseButton, fw::TShiftState, int32_t, int32_t) {
    calls.push_back("double");
    Chart.SetSuppressMouse(false);  // a handler may let the chart go on zooming
  };
  EXPECT_FALSE(Series.MouseClickOnSeries(4, fw::mbLeft, fw::ssDouble, 1, 1));
  EXPECT_EQ(calls, (std::vector<std::string>{"click 4", "click 4", "double"}));
}

// ---------------------------------------------------------------- data sources and dependents

struct Sources : ::testing::Test {
  FakeSeriesHost Chart;
  fw::TComponent Form;
  TChartSeries* Source = new TChartSeries(&Form);
  TChartSeries* Copy = new TChartSeries(&Form);
  Sources() {
    Source->SetName("Source");
    Copy->SetName("Copy");
    Source->SetParentChart(&Chart);
    Copy->SetParentChart(&Chart);
  }
  ~Sources() override {
    Source->SetParentChart(nullptr);
    Copy->SetParentChart(nullptr);
  }
};

TEST_F(Sources, DependentFollowsItsSource) {
  Source->AppendPoint(1, 10, "a", fw::clBlue);
  Copy->SetDataSource(Source);
  EXPECT_EQ(Copy->DataSource(), Source);
  EXPECT_EQ(Source->Dependents().size(), 1u);
  EXPECT_EQ(Ys(*Copy), (std::vector<double>{10}));
  EXPECT_EQ(Copy->LabelOfPoint(0), "a");
  Source->AppendPoint(0, 5, "", fw::clDefault);
  EXPECT_EQ(Xs(*Copy), (std::vector<double>{0, 1}));
  Source->DeletePoint(1);
  EXPECT_EQ(Xs(*Copy), (std::vector<double>{0}));
  Source->YValues().SetMultiplier(3);
  EXPECT_EQ(Ys(*Copy), (std::vector<double>{15}));
  Source->RemoveAllPoints();
  EXPECT_EQ(Copy->PointCount(), 0);
  Copy->SetRecalcOptions(chart::rOnDelete);
  Source->AppendPoint(7, 7, "", fw::clDefault);
  EXPECT_EQ(Copy->PointCount(), 0);
}

TEST_F(Sources, RejectedSourcesChangeNothing) {
  Copy->SetDataSource(Source);
  auto message = [](const std::function<void()>& call) {
    try {
      call();
    } catch (const chart::ChartException& e) {
      return e.Message();
    }
    return std::string("no error");
  };
  EXPECT_EQ(message([&] { Source->SetDataSource(Copy); }), "Circular Series dependences are not allowed");
  EXPECT_EQ(message([&] { Copy->AddDataSource(Copy); }), "No valid DataSource: Copy");  // never itself
  Chart.RejectSources = true;
  TChartSeries* other = new TChartSeries(&Form);
  other->SetName("Other");
  other->SetParentChart(&Chart);
  EXPECT_EQ(message([&] { Copy->SetDataSource(other); }), "No valid DataSource: Other");
  EXPECT_EQ(Copy->DataSource(), Source);
  TChartSeries loose;
  EXPECT_EQ(message([&] { loose.SetDataSource(Source); }), "No ParentChart to validate DataSource");
  EXPECT_EQ(loose.DataSource(), nullptr);
  other->SetParentChart(nullptr);
}

TEST_F(Sources, AFreedSourceDetachesAndPendingNamesResolveAfterLoading) {
  Source->AppendPoint(1, 1, "", fw::clDefault);
  Copy->SetLoading();
  Copy->SetPendingDataSourceNames({"Source", "Missing"});
  Copy->Loaded();
  EXPECT_EQ(Copy->DataSource(), Source);
  EXPECT_EQ(Copy->PointCount(), 1);
  Source->SetParentChart(nullptr);
  delete Source;
  Source = nullptr;
  EXPECT_EQ(Copy->DataSource(), nullptr);
  Source = new TChartSeries(&Form);
}
