#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "chart/ChartException.h"
#include "chart/axes/TChartAxis.h"
#include "chart/axes/TChartAxisTitle.h"
#include "chart/axes/TChartDepthAxis.h"
#include "chart/canvas/TView3DOptions.h"
#include "chart/data/TChartSeries.h"
#include "chart/panel/TCustomChart.h"

using namespace chart;

namespace {

/// A series the test owns; it leaves its chart when it goes out of scope first.
std::unique_ptr<TChartSeries> SeriesOn(TChart& chart, int32_t points, double xStep = 10.0) {
  auto series = std::make_unique<TChartSeries>();
  for (int32_t i = 0; i < points; ++i) series->AppendPoint(i * xStep, i * 0.5, "", fw::clDefault);
  series->SetParentChart(&chart);
  return series;
}

double Min(const TChart& chart, const TCustomChartAxis& axis) {
  return chart.SeriesRangeForAxis(axis, true, axis.IsHorizontal());
}
double Max(const TChart& chart, const TCustomChartAxis& axis) {
  return chart.SeriesRangeForAxis(axis, false, axis.IsHorizontal());
}

}  // namespace

// ---- axis list --------------------------------------------------------------------------------

TEST(AxisPanelAxes, FiveAxesInCreationOrder) {
  TChart chart;
  ASSERT_EQ(chart.AxisCount(), 5);
  EXPECT_EQ(&chart.Axes(0), &chart.BottomAxis());
  EXPECT_EQ(&chart.Axes(1), &chart.TopAxis());
  EXPECT_EQ(&chart.Axes(2), &chart.LeftAxis());
  EXPECT_EQ(&chart.Axes(3), &chart.RightAxis());
  EXPECT_EQ(&chart.Axes(4), &chart.DepthAxis());
  EXPECT_THROW(chart.Axes(5), ChartException);
  EXPECT_THROW(chart.Axes(-1), ChartException);

  EXPECT_TRUE(chart.BottomAxis().IsHorizontal());
  EXPECT_FALSE(chart.BottomAxis().IsOtherSide());
  EXPECT_TRUE(chart.TopAxis().IsHorizontal());
  EXPECT_TRUE(chart.TopAxis().IsOtherSide());
  EXPECT_FALSE(chart.LeftAxis().IsHorizontal());
  EXPECT_EQ(chart.LeftAxis().Title().Angle(), 90);
  EXPECT_EQ(chart.LeftAxis().DefaultTitleAngle(), 90);
  EXPECT_EQ(chart.RightAxis().Title().Angle(), 270);
  EXPECT_EQ(chart.RightAxis().DefaultTitleAngle(), 270);
  EXPECT_TRUE(chart.RightAxis().IsOtherSide());
  EXPECT_EQ(chart.BottomAxis().DefaultTitleAngle(), 0);
  EXPECT_FALSE(chart.DepthAxis().Visible());
  EXPECT_TRUE(chart.DepthAxis().IsDepth());
  EXPECT_TRUE(chart.DepthAxis().IsOtherSide());
}

TEST(AxisPanelAxes, SettingAnAxisCopiesIntoTheOwnedOne) {
  TChart source;
  source.LeftAxis().SetIncrement(10);
  source.LeftAxis().SetInverted(true);
  TChart chart;
  chart.SetLeftAxis(source.LeftAxis());
  EXPECT_EQ(chart.LeftAxis().Increment(), 10);
  EXPECT_TRUE(chart.LeftAxis().Inverted());
  EXPECT_NE(&chart.LeftAxis(), &source.LeftAxis());
}

// ---- series list ------------------------------------------------------------------------------

TEST(AxisPanelSeries, AttachingGivesFreePaletteColoursAndListsOnce) {
  TChart chart;
  auto a = SeriesOn(chart, 3);
  auto b = SeriesOn(chart, 3);
  auto c = std::make_unique<TChartSeries>();
  c->SetSeriesColor(fw::clPurple);
  c->SetParentChart(&chart);
  EXPECT_EQ(a->SeriesColor(), fw::clRed);
  EXPECT_EQ(b->SeriesColor(), fw::clGreen);
  EXPECT_EQ(c->SeriesColor(), fw::clPurple);
  chart.AddSeriesToChart(a.get());
  ASSERT_EQ(chart.SeriesCount(), 3);
  EXPECT_EQ(&chart.SeriesAt(0), a.get());
  EXPECT_EQ(&chart.SeriesAt(2), c.get());
  EXPECT_THROW(chart.SeriesAt(3), ChartException);
  EXPECT_EQ(a->ParentChart(), static_cast<TSeriesHost*>(&chart));
}

TEST(AxisPanelSeries, PickSeriesColorSkipsTheBackgroundAndFallsBackToRed) {
  TChart chart;
  chart.SetColor(fw::clRed);
  EXPECT_EQ(chart.PickSeriesColor(true), fw::clGreen);
  EXPECT_EQ(chart.PickSeriesColor(false), fw::clRed);

  std::vector<std::unique_ptr<TChartSeries>> all;
  for (int i = 0; i < 16; ++i) all.push_back(SeriesOn(chart, 0));
  EXPECT_EQ(chart.PickSeriesColor(false), fw::clRed);  // none free
}

TEST(AxisPanelSeries, RemovingAndFreeing) {
  TChart chart;
  auto a = SeriesOn(chart, 2);
  {
    auto b = SeriesOn(chart, 2);
    EXPECT_EQ(chart.SeriesCount(), 2);
  }
  EXPECT_EQ(chart.SeriesCount(), 1);
  a->SetParentChart(nullptr);
  EXPECT_EQ(chart.SeriesCount(), 0);
  chart.RemoveSeriesFromChart(a.get());  // not listed: nothing
  EXPECT_EQ(a->ParentChart(), nullptr);
}

TEST(AxisPanelSeries, ASeriesLeavingTheChartDropsItsLinksToOtherSeries) {
  TChart chart;
  auto source = SeriesOn(chart, 2);
  auto copy = SeriesOn(chart, 0);
  auto copyOfCopy = SeriesOn(chart, 0);
  copy->SetDataSource(source.get());
  copyOfCopy->SetDataSource(copy.get());
  ASSERT_EQ(copy->PointCount(), 2);
  ASSERT_EQ(copyOfCopy->PointCount(), 2);

  copy->SetParentChart(nullptr);  // the middle series leaves: both of its links go
  EXPECT_EQ(copy->DataSource(), nullptr);
  EXPECT_TRUE(source->Dependents().empty());
  EXPECT_TRUE(copy->Dependents().empty());
  EXPECT_EQ(copyOfCopy->DataSource(), nullptr);

  source->AppendPoint(100, 1, "", fw::clDefault);
  EXPECT_EQ(copy->PointCount(), 2);  // copied points stay, new ones no longer arrive
  copy->AppendPoint(200, 1, "", fw::clDefault);
  EXPECT_EQ(copyOfCopy->PointCount(), 2);
}

TEST(AxisPanelSeries, TheChartFreesTheSeriesStillListed) {
  bool cleared = false;
  {
    TChart chart;
    auto* series = new TChartSeries();
    series->AppendPoint(1, 1, "", fw::clDefault);
    series->OnClearValues = [&](TChartSeries*) { cleared = true; };
    series->SetParentChart(&chart);
  }
  EXPECT_TRUE(cleared);  // the series' destructor ran
}

TEST(AxisPanelSeries, LegendIndexCountsActiveSeriesShownInTheLegend) {
  TChart chart;
  auto a = SeriesOn(chart, 1);
  auto hidden = SeriesOn(chart, 1);
  auto b = SeriesOn(chart, 1);
  auto c = SeriesOn(chart, 1);
  hidden->SetShowInLegend(false);
  a->SetTitle("Wave");
  b->SetName("Series7");
  EXPECT_EQ(chart.SeriesAtLegendIndex(0), a.get());
  EXPECT_EQ(chart.SeriesAtLegendIndex(1), b.get());
  EXPECT_EQ(chart.SeriesAtLegendIndex(2), c.get());
  EXPECT_EQ(chart.SeriesAtLegendIndex(3), nullptr);
  EXPECT_EQ(chart.LegendTitleOf(0), "Wave");
  EXPECT_EQ(chart.LegendTitleOf(1), "Series7");
  EXPECT_EQ(chart.LegendTitleOf(2), "Series 2");
  EXPECT_EQ(chart.LegendTitleOf(3), "");
  a->SetActive(false);
  EXPECT_EQ(chart.SeriesAtLegendIndex(0), b.get());
  EXPECT_EQ(chart.FirstActiveSeries(), hidden.get());
}

// ---- which axes are shown ---------------------------------------------------------------------

TEST(AxisPanelShown, WithoutSeriesEveryVisibleAxisIsShown) {
  TChart chart;
  chart.SetView3D(false);
  EXPECT_TRUE(chart.AxisShown(chart.BottomAxis()));
  EXPECT_TRUE(chart.AxisShown(chart.TopAxis()));
  EXPECT_TRUE(chart.AxisShown(chart.LeftAxis()));
  EXPECT_TRUE(chart.AxisShown(chart.RightAxis()));
  chart.DepthAxis().SetVisible(true);
  EXPECT_FALSE(chart.AxisShown(chart.DepthAxis()));
  chart.SetView3D(true);
  EXPECT_TRUE(chart.AxisShown(chart.DepthAxis()));
}

TEST(AxisPanelShown, ASeriesShowsOnlyItsOwnAxes) {
  TChart chart;
  auto s = SeriesOn(chart, 5);
  EXPECT_TRUE(chart.AxisShown(chart.BottomAxis()));
  EXPECT_TRUE(chart.AxisShown(chart.LeftAxis()));
  EXPECT_FALSE(chart.AxisShown(chart.TopAxis()));
  EXPECT_FALSE(chart.AxisShown(chart.RightAxis()));
  chart.LeftAxis().SetVisible(false);
  EXPECT_FALSE(chart.AxisShown(chart.LeftAxis()));
  chart.SetAxisVisible(false);
  EXPECT_FALSE(chart.AxisShown(chart.BottomAxis()));
  chart.SetAxisVisible(true);
  s->SetActive(false);  // no active series uses axes: all visible ones show
  EXPECT_TRUE(chart.AxisShown(chart.TopAxis()));
  EXPECT_TRUE(chart.AxisHasNoActiveSeries(chart.BottomAxis()));
}

TEST(AxisPanelShown, FirstSeriesOnAxisPrefersActiveSeries) {
  TChart chart;
  auto inactive = SeriesOn(chart, 2);
  auto active = SeriesOn(chart, 2);
  inactive->SetActive(false);
  EXPECT_EQ(chart.FirstSeriesOnAxis(chart.BottomAxis()), active.get());
  active->SetActive(false);
  EXPECT_EQ(chart.FirstSeriesOnAxis(chart.BottomAxis()), inactive.get());
  EXPECT_EQ(chart.FirstSeriesOnAxis(chart.TopAxis()), nullptr);
}

// ---- automatic ranges -------------------------------------------------------------------------

TEST(AxisPanelRange, ActiveSeriesDecideAndInactiveOnesOnlyWhenAlone) {
  TChart chart;
  auto a = std::make_unique<TChartSeries>();
  a->AppendPoint(5, -3, "", fw::clDefault);
  a->AppendPoint(8, 4, "", fw::clDefault);
  a->SetParentChart(&chart);
  auto b = std::make_unique<TChartSeries>();
  b->AppendPoint(-100, 50, "", fw::clDefault);
  b->SetParentChart(&chart);
  EXPECT_EQ(Min(chart, chart.BottomAxis()), -100);
  EXPECT_EQ(Max(chart, chart.LeftAxis()), 50);
  b->SetActive(false);
  EXPECT_EQ(Min(chart, chart.BottomAxis()), 5);
  EXPECT_EQ(Max(chart, chart.BottomAxis()), 8);
  EXPECT_EQ(Min(chart, chart.LeftAxis()), -3);
  a->SetActive(false);
  EXPECT_EQ(Min(chart, chart.BottomAxis()), -100);
  EXPECT_EQ(Max(chart, chart.BottomAxis()), 8);
  EXPECT_EQ(Min(chart, chart.TopAxis()), 0);  // nothing attached
}

TEST(AxisPanelRange, BothAxesSeriesCountForEitherSide) {
  TChart chart;
  auto s = SeriesOn(chart, 3);
  s->SetHorizAxis(aBothHorizAxis);
  EXPECT_EQ(Max(chart, chart.TopAxis()), 20);
  EXPECT_EQ(Max(chart, chart.BottomAxis()), 20);
}

TEST(AxisPanelRange, DepthAxisRangeFromTheDepthLevels) {
  TChart chart;
  EXPECT_EQ(Min(chart, chart.DepthAxis()), -0.5);
  EXPECT_EQ(Max(chart, chart.DepthAxis()), 0.5);
}

// ---- paging -----------------------------------------------------------------------------------

TEST(AxisPanelPaging, HalfFullLastPageStretchedOrNot) {
  TChart chart;
  chart.SetMaxPointsPerPage(1000);
  auto s = SeriesOn(chart, 500);
  EXPECT_EQ(Min(chart, chart.BottomAxis()), 0);
  EXPECT_EQ(Max(chart, chart.BottomAxis()), 4990);
  chart.SetScaleLastPage(false);
  EXPECT_EQ(Max(chart, chart.BottomAxis()), 0 + (4990.0 - 0) * 1000 / 500);
  // the vertical axis of a Y-mandatory series is not paged
  EXPECT_EQ(Max(chart, chart.LeftAxis()), 249.5);
}

TEST(AxisPanelPaging, PagesOfAThousand) {
  TChart chart;
  chart.SetMaxPointsPerPage(1000);
  auto s = SeriesOn(chart, 2500);
  EXPECT_EQ(chart.PageCount(), 3);
  chart.SetPage(3);
  EXPECT_EQ(chart.Page(), 3);
  EXPECT_EQ(Min(chart, chart.BottomAxis()), 20000);
  EXPECT_EQ(Max(chart, chart.BottomAxis()), 24990);
  chart.SetPage(2);
  EXPECT_EQ(Min(chart, chart.BottomAxis()), 10000);
  EXPECT_EQ(Max(chart, chart.BottomAxis()), 19990);
}

TEST(AxisPanelPaging, APageBeyondTheDataShowsTheLastFullPage) {
  TChart chart;
  chart.SetMaxPointsPerPage(1000);
  auto s = SeriesOn(chart, 5000);
  chart.SetPage(5);
  s->RemoveAllPoints();
  for (int32_t i = 0; i < 1500; ++i) s->AppendPoint(i * 10.0, 0, "", fw::clDefault);
  EXPECT_EQ(chart.Page(), 5);
  EXPECT_EQ(Min(chart, chart.BottomAxis()), 0);
  EXPECT_EQ(Max(chart, chart.BottomAxis()), 9990);
  // fewer points than one page: page 1's points
  s->RemoveAllPoints();
  for (int32_t i = 0; i < 300; ++i) s->AppendPoint(i * 10.0, 0, "", fw::clDefault);
  EXPECT_EQ(Min(chart, chart.BottomAxis()), 0);
  EXPECT_EQ(Max(chart, chart.BottomAxis()), 2990);
}

TEST(AxisPanelPaging, PageSetterClampsAndReportsChangesOnly) {
  TChart chart;
  int changes = 0;
  chart.OnPageChange = [&](fw::TComponent* sender) {
    EXPECT_EQ(sender, &chart);
    ++changes;
  };
  chart.SetMaxPointsPerPage(100);
  auto s = SeriesOn(chart, 250);
  chart.SetPage(0);
  EXPECT_EQ(chart.Page(), 1);
  EXPECT_EQ(changes, 0);
  chart.SetPage(99);
  EXPECT_EQ(chart.Page(), 3);
  EXPECT_EQ(changes, 1);
  chart.SetPage(3);
  EXPECT_EQ(changes, 1);
  chart.SetPage(INT32_MIN);
  EXPECT_EQ(chart.Page(), 1);
  EXPECT_EQ(changes, 2);
}

TEST(AxisPanelPaging, MaxPointsPerPageValidationAndPageFollowUp) {
  TChart chart;
  auto s = SeriesOn(chart, 250);
  chart.SetMaxPointsPerPage(100);
  chart.SetPage(3);
  try {
    chart.SetMaxPointsPerPage(-1);
    FAIL();
  } catch (const ChartException& e) {
    EXPECT_EQ(e.Message(), "MaxPointsPerPage must be >= 0");
  }
  EXPECT_EQ(chart.MaxPointsPerPage(), 100);
  chart.SetMaxPointsPerPage(200);  // two pages now: the page follows
  EXPECT_EQ(chart.Page(), 2);
  chart.SetMaxPointsPerPage(0);  // paging off
  EXPECT_EQ(chart.PageCount(), 1);
  EXPECT_EQ(chart.Page(), 1);
  EXPECT_EQ(Max(chart, chart.BottomAxis()), 2490);
}

TEST(AxisPanelPaging, PageCountWithoutSeriesOrPaging) {
  TChart chart;
  EXPECT_EQ(chart.PageCount(), 1);
  chart.SetMaxPointsPerPage(10);
  EXPECT_EQ(chart.PageCount(), 1);
  auto s = SeriesOn(chart, 0);
  EXPECT_EQ(chart.PageCount(), 1);
  s->AppendPoint(1, 1, "", fw::clDefault);
  EXPECT_EQ(chart.PageCount(), 1);
  for (int i = 0; i < 10; ++i) s->AppendPoint(2 + i, 1, "", fw::clDefault);
  EXPECT_EQ(chart.PageCount(), 2);
}

// ---- depth ------------------------------------------------------------------------------------

TEST(AxisPanelDepth, FirstSeriesLiesDeepestIn3D) {
  TChart chart;
  auto a = SeriesOn(chart, 1);
  auto b = SeriesOn(chart, 1);
  auto c = SeriesOn(chart, 1);
  chart.AssignDepthLevels();
  EXPECT_EQ(chart.MaxDepthLevel(), 2);
  EXPECT_EQ(a->DepthLevel(), 2);
  EXPECT_EQ(b->DepthLevel(), 1);
  EXPECT_EQ(c->DepthLevel(), 0);

  // A fixed level raises the count; the automatic series after it continue above it.
  b->SetFixedDepthLevel(5);
  chart.AssignDepthLevels();
  EXPECT_EQ(chart.MaxDepthLevel(), 6);
  EXPECT_EQ(a->DepthLevel(), 6);
  EXPECT_EQ(b->DepthLevel(), 1);
  EXPECT_EQ(c->DepthLevel(), 0);

  chart.SetView3D(false);
  chart.AssignDepthLevels();
  EXPECT_EQ(chart.MaxDepthLevel(), 0);
  EXPECT_EQ(a->DepthLevel(), 0);
  EXPECT_EQ(c->DepthLevel(), 0);
}

TEST(AxisPanelDepth, DepthSizesFromPlotWidthAndPercent) {
  TChart chart;
  chart.SetBounds(0, 0, 400, 250);
  auto a = SeriesOn(chart, 1);
  auto b = SeriesOn(chart, 1);
  chart.SetPlotRect(fw::TRect{0, 0, 300, 100});
  chart.AssignDepthLevels();
  chart.ComputeDepthSizes();
  // 300 * 15 * 0.001 = 4.5, ties to even: 4; two levels
  EXPECT_EQ(chart.SeriesDepth().X, 4);
  EXPECT_EQ(chart.SeriesDepth().Y, 4);
  EXPECT_EQ(chart.DepthWidth(), 8);
  EXPECT_EQ(chart.DepthHeight(), 8);
  chart.AssignDepthRanges();
  EXPECT_EQ(a->DepthStart(), 4);
  EXPECT_EQ(a->DepthEnd(), 8);
  EXPECT_EQ(a->DepthMiddle(), 6);
  EXPECT_EQ(b->DepthStart(), 0);

  chart.View3DOptions().SetOrthogonal(false);
  chart.ComputeDepthSizes();
  EXPECT_EQ(chart.SeriesDepth().X, 9);

  chart.SetView3D(false);
  chart.ComputeDepthSizes();
  EXPECT_EQ(chart.DepthWidth(), 0);
  EXPECT_EQ(chart.SeriesDepth().X, 0);
}
