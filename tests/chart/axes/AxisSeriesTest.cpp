// What an axis takes from the series on it: date-time values, label style, series labels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/ChartException.h"
#include "chart/axes/DateTimeSteps.h"
#include "chart/data/TChartSeries.h"
#include "framework/runtime/TFormatSettings.h"
#include "tests/chart/axes/FakeSeriesChart.h"

using namespace chart;
using axistest::FakeSeriesChart;
using axistest::FixRange;

namespace {

class AxisSeries : public ::testing::Test {
protected:
  void SetUp() override {
    saved = fw::FormatSettings;
    fw::FormatSettings = fw::TFormatSettings::Invariant();
    chart.Plot = {50, 20, 650, 400};
  }
  void TearDown() override { fw::FormatSettings = saved; }

  TChartSeries& AddSeries() {
    owned.push_back(std::make_unique<TChartSeries>());
    owned.back()->SetParentChart(&chart);
    return *owned.back();
  }

  void Draw(TCustomChartAxis& axis) {
    axis.ComputeWorkingRange();
    fw::TRect r = chart.Plot;
    axis.ReserveSpace(r, true);
    axis.ComputePixelSpan();
    chart.Surface.ClearCalls();
    axis.DrawAxis(true);
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& call : chart.Calls("TextOut")) texts.push_back(call.Text);
    return texts;
  }

  fw::TFormatSettings saved;
  FakeSeriesChart chart;
  std::vector<std::unique_ptr<TChartSeries>> owned;  // freed before the chart
};

}  // namespace

TEST_F(AxisSeries, DateTimeFollowsTheFirstActiveSeries) {
  TChartSeries& dates = AddSeries();
  dates.XValues().SetDateTime(true);
  dates.AppendPoint(38353, 1, "", fw::clDefault);
  EXPECT_TRUE(chart.Axes5.Bottom.UsesDateTime());
  EXPECT_FALSE(chart.Axes5.Left.UsesDateTime());
  EXPECT_FALSE(chart.Axes5.Top.UsesDateTime());
  EXPECT_THROW(chart.Axes5.Bottom.SetLogarithmic(true), AxisException);
  dates.SetActive(false);
  EXPECT_FALSE(chart.Axes5.Bottom.UsesDateTime());
}

TEST_F(AxisSeries, AutomaticRangeFromTheSeries) {
  TChartSeries& s = AddSeries();
  s.AppendPoint(10, -3, "", fw::clDefault);
  s.AppendPoint(20, 7, "", fw::clDefault);
  chart.Axes5.Bottom.ComputeWorkingRange();
  chart.Axes5.Left.ComputeWorkingRange();
  EXPECT_EQ(chart.Axes5.Bottom.Minimum(), 10);
  EXPECT_EQ(chart.Axes5.Bottom.Maximum(), 20);
  EXPECT_EQ(chart.Axes5.Left.WorkingMinimum(), -3);
  EXPECT_EQ(chart.Axes5.Left.WorkingMaximum(), 7);
}

TEST_F(AxisSeries, LabelStyleFromTheSeries) {
  EXPECT_EQ(chart.Axes5.Bottom.EffectiveLabelStyle(), talNone);
  TChartSeries& s = AddSeries();
  s.AppendPoint(0, 1, "", fw::clDefault);
  EXPECT_EQ(chart.Axes5.Bottom.EffectiveLabelStyle(), talValue);
  EXPECT_EQ(chart.Axes5.Left.EffectiveLabelStyle(), talValue);
  EXPECT_EQ(chart.Axes5.Top.EffectiveLabelStyle(), talNone);
  s.SetLabelOfPoint(0, "first");
  EXPECT_EQ(chart.Axes5.Bottom.EffectiveLabelStyle(), talText);  // Y mandatory: labels along X
  EXPECT_EQ(chart.Axes5.Left.EffectiveLabelStyle(), talValue);
  s.SetActive(false);
  EXPECT_EQ(chart.Axes5.Bottom.EffectiveLabelStyle(), talNone);
}

TEST_F(AxisSeries, SeriesLabelsAtTheirPoints) {
  TChartSeries& s = AddSeries();
  s.AppendPoint(0, 1, "zero", fw::clDefault);
  s.AppendPoint(50, 2, "fifty", fw::clDefault);
  s.AppendPoint(100, 3, "hundred", fw::clDefault);
  Draw(chart.Axes5.Bottom);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"zero", "fifty", "hundred"}));
  const auto& ticks = chart.Axes5.Bottom.TickPositions();
  ASSERT_EQ(ticks.Count(), 3);
  EXPECT_EQ(ticks[1], chart.Axes5.Bottom.ValueToPixel(50));
}

TEST_F(AxisSeries, SeriesLabelsThatWouldOverlapAreLeftOut) {
  TChartSeries& s = AddSeries();
  s.AppendPoint(0, 1, "a long label", fw::clDefault);
  s.AppendPoint(0.5, 2, "another long label", fw::clDefault);
  s.AppendPoint(100, 3, "far", fw::clDefault);
  Draw(chart.Axes5.Bottom);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"a long label", "far"}));
  chart.Axes5.Bottom.SetLabelsSeparation(0);
  Draw(chart.Axes5.Bottom);
  EXPECT_EQ(Texts().size(), 3u);
}

TEST_F(AxisSeries, MonthlyDateLabels) {
  TChartSeries& s = AddSeries();
  s.XValues().SetDateTime(true);
  s.AppendPoint(EncodeDayNumber(2005, 1, 1), 0, "", fw::clDefault);
  s.AppendPoint(EncodeDayNumber(2005, 6, 15), 1, "", fw::clDefault);
  chart.Axes5.Bottom.SetIncrement(30);
  Draw(chart.Axes5.Bottom);
  EXPECT_EQ(chart.Axes5.Bottom.PassStep(), 19);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"6/1/2005", "5/1/2005", "4/1/2005", "3/1/2005", "2/1/2005",
                                               "1/1/2005"}));
  EXPECT_EQ(chart.Axes5.Bottom.TickPositions()[0], chart.Axes5.Bottom.ValueToPixel(EncodeDayNumber(2005, 6, 1)));
}

TEST_F(AxisSeries, DateLabelsWithinADayShowTimes) {
  TChartSeries& s = AddSeries();
  s.XValues().SetDateTime(true);
  s.AppendPoint(38353.25, 0, "", fw::clDefault);
  s.AppendPoint(38353.75, 1, "", fw::clDefault);
  chart.Axes5.Bottom.ComputeWorkingRange();
  chart.Axes5.Bottom.ReserveSpace(chart.Plot, false);  // decides DateTimeScale
  EXPECT_TRUE(chart.Axes5.Bottom.DateTimeScale());
  EXPECT_EQ(chart.Axes5.Bottom.FormatAxisValue(38353.5), "12:00");
  EXPECT_EQ(chart.Axes5.Bottom.FormatAxisValue(-1), "");
  chart.Axes5.Bottom.SetDateTimeFormat("yyyy");
  EXPECT_EQ(chart.Axes5.Bottom.FormatAxisValue(38353.5), "2005");
}

TEST_F(AxisSeries, DepthAxisShowsSeriesTitles) {
  AddSeries().AppendPoint(0, 0, "", fw::clDefault);
  AddSeries().AppendPoint(0, 0, "", fw::clDefault);
  chart.View3D = true;
  chart.DepthWidth = 40;
  TChartDepthAxis& depth = chart.Axes5.Depth;
  EXPECT_EQ(depth.EffectiveLabelStyle(), talText);
  FixRange(depth, -0.5, 1.5);
  Draw(depth);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Series 0", "Series 1"}));
  const auto& ticks = depth.TickPositions();
  ASSERT_EQ(ticks.Count(), 2);
  EXPECT_EQ(ticks[0], 30);  // level 0 lies at the back half
  EXPECT_EQ(ticks[1], 10);
}

TEST_F(AxisSeries, DepthAxisWithAHugeRangeStopsAtTheTickCapacity) {
  AddSeries().AppendPoint(0, 0, "", fw::clDefault);
  TChartDepthAxis& depth = chart.Axes5.Depth;
  FixRange(depth, -1e300, 1e300);
  depth.SetLabels(false);
  depth.SetTickOnLabelsOnly(false);
  Draw(depth);
  EXPECT_EQ(depth.TickPositions().Count(), TTickPositions::Capacity);
}
