// Increment, label values and label texts of whole axes, drawn on a recording surface.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "chart/axes/TCustomChartAxis.h"
#include "chart/canvas/TChartPen.h"
#include "framework/runtime/TFormatSettings.h"
#include "tests/chart/axes/FakeAxisHost.h"

using namespace chart;
using axistest::ChartAxes;
using axistest::FakeAxisHost;
using axistest::FixRange;
using axistest::Layout;

namespace {

// Number texts with a comma for thousands, whatever the machine's locale.
class AxisLabels : public ::testing::Test {
protected:
  void SetUp() override {
    saved = fw::FormatSettings;
    fw::FormatSettings = fw::TFormatSettings::Invariant();
  }
  void TearDown() override { fw::FormatSettings = saved; }

  /// Lays the axis out in the host's plot rectangle and draws it.
  static void Draw(FakeAxisHost& host, TCustomChartAxis& axis) {
    fw::TRect r = host.Plot;
    axis.ComputeWorkingRange();
    axis.ReserveSpace(r, true);
    axis.ComputePixelSpan();
    host.Surface.ClearCalls();
    axis.DrawAxis(true);
  }

  static std::vector<std::string> Texts(const FakeAxisHost& host) {
    std::vector<std::string> texts;
    for (const auto& call : host.Calls("TextOut")) texts.push_back(call.Text);
    return texts;
  }

  static std::vector<int32_t> Ticks(const TCustomChartAxis& axis) {
    return {axis.TickPositions().begin(), axis.TickPositions().end()};
  }

  fw::TFormatSettings saved;
};

}  // namespace

TEST_F(AxisLabels, MainWindowLeftAxis) {
  FakeAxisHost host;
  ChartAxes axes(host);
  FixRange(axes.Left, -1000, 1000);
  axes.Left.SetIncrement(10);
  axes.Left.SetLabelStyle(talValue);
  host.Plot = {65, 40, 932, 490};  // a 450-pixel axis
  Layout(axes.Left);
  host.ChartSelectFont(axes.Left.LabelsFont());
  EXPECT_EQ(axes.Left.ComputeLabelIncrement(), 100);

  Draw(host, axes.Left);
  const auto ticks = Ticks(axes.Left);
  ASSERT_EQ(ticks.size(), 21u);
  EXPECT_EQ(ticks.front(), axes.Left.StartPixel());  // 1000 at the top
  EXPECT_EQ(ticks.back(), axes.Left.EndPixel());     // -1000 at the bottom
  EXPECT_EQ(ticks[10], axes.Left.ValueToPixel(0));
  const auto texts = Texts(host);
  ASSERT_EQ(texts.size(), 21u);
  EXPECT_EQ(texts.front(), "1,000");
  EXPECT_EQ(texts[10], "0");
  EXPECT_EQ(texts.back(), "-1,000");
}

TEST_F(AxisLabels, MainWindowBottomAxis) {
  FakeAxisHost host;
  ChartAxes axes(host);
  FixRange(axes.Bottom, 0, 1000);
  axes.Bottom.SetLabelStyle(talValue);
  host.Plot = {65, 40, 935, 490};  // an 870-pixel axis
  Layout(axes.Bottom);
  host.ChartSelectFont(axes.Bottom.LabelsFont());
  EXPECT_EQ(axes.Bottom.ComputeLabelIncrement(), 50);
  Draw(host, axes.Bottom);
  const auto texts = Texts(host);
  ASSERT_EQ(texts.size(), 21u);
  EXPECT_EQ(texts.front(), "1,000");
  EXPECT_EQ(texts[1], "950");
  EXPECT_EQ(texts.back(), "0");
  EXPECT_EQ(Ticks(axes.Bottom).back(), axes.Bottom.StartPixel());
}

TEST_F(AxisLabels, SeparationZeroGivesEveryUnit) {
  FakeAxisHost host;
  ChartAxes axes(host);
  FixRange(axes.Bottom, 0, 1000);
  axes.Bottom.SetLabelStyle(talValue);
  axes.Bottom.SetLabelsSeparation(0);
  Draw(host, axes.Bottom);
  EXPECT_EQ(axes.Bottom.TickPositions().Count(), 1001);
}

TEST_F(AxisLabels, LabelsOnAxisFalseDropsTheEnds) {
  FakeAxisHost host;
  ChartAxes axes(host);
  FixRange(axes.Left, -1000, 1000);
  axes.Left.SetIncrement(100);
  axes.Left.SetLabelStyle(talValue);
  axes.Left.SetLabelsOnAxis(false);
  Draw(host, axes.Left);
  const auto texts = Texts(host);
  ASSERT_EQ(texts.size(), 19u);
  EXPECT_EQ(texts.front(), "900");
  EXPECT_EQ(axes.Left.TickPositions().Count(), 19);
}

TEST_F(AxisLabels, NoLabelsNoTicks) {
  FakeAxisHost host;
  ChartAxes axes(host);
  FixRange(axes.Bottom, 0, 1000);
  axes.Bottom.SetLabelStyle(talValue);
  axes.Bottom.SetLabels(false);
  Draw(host, axes.Bottom);
  EXPECT_TRUE(axes.Bottom.TickPositions().Empty());
  EXPECT_TRUE(Texts(host).empty());
  axes.Bottom.SetTickOnLabelsOnly(false);
  Draw(host, axes.Bottom);
  EXPECT_EQ(axes.Bottom.TickPositions().Count(), 21);
  EXPECT_TRUE(Texts(host).empty());
}

TEST_F(AxisLabels, NoLabelsWithoutSeries) {
  FakeAxisHost host;
  ChartAxes axes(host);
  FixRange(axes.Bottom, 0, 1000);
  Draw(host, axes.Bottom);  // talAuto with no series on the axis
  EXPECT_TRUE(axes.Bottom.TickPositions().Empty());
  EXPECT_TRUE(Texts(host).empty());
}

TEST_F(AxisLabels, RoundFirstLabelOff) {
  FakeAxisHost host;
  ChartAxes axes(host);
  FixRange(axes.Bottom, 3, 97);
  axes.Bottom.SetLabelStyle(talValue);
  axes.Bottom.SetIncrement(10);
  axes.Bottom.SetRoundFirstLabel(false);
  Draw(host, axes.Bottom);
  const auto texts = Texts(host);
  ASSERT_EQ(texts.size(), 10u);
  EXPECT_EQ(texts.front(), "97");
  EXPECT_EQ(texts.back(), "7");
}

TEST_F(AxisLabels, ZeroRangeShowsOneLabelAtTheCentre) {
  for (double end : {0.0, 20000.0, -3.5e200}) {
    FakeAxisHost host;
    ChartAxes axes(host);
    FixRange(axes.Left, end, end);
    axes.Left.SetLabelStyle(talValue);
    Draw(host, axes.Left);
    ASSERT_EQ(axes.Left.TickPositions().Count(), 1) << end;
    EXPECT_EQ(axes.Left.TickPositions()[0], axes.Left.CenterPixel());
  }
}

TEST_F(AxisLabels, RunawayRangesEnd) {
  FakeAxisHost host;
  ChartAxes axes(host);
  axes.Left.SetLabelStyle(talValue);
  FixRange(axes.Left, -1e308, 1e308);  // the range itself overflows
  Draw(host, axes.Left);
  EXPECT_TRUE(axes.Left.TickPositions().Empty());
  FixRange(axes.Left, 0, 1e308);
  Draw(host, axes.Left);
  EXPECT_GT(axes.Left.TickPositions().Count(), 0);
  EXPECT_LE(axes.Left.TickPositions().Count(), 31);
  FixRange(axes.Left, 1e17, 1e17 + 64);  // subtracting the increment may not change a double
  axes.Left.SetIncrement(1);
  axes.Left.SetLabelsSeparation(0);
  Draw(host, axes.Left);
  EXPECT_LE(axes.Left.TickPositions().Count(), 65);
}

TEST_F(AxisLabels, AxisTooShortForOneLabel) {
  FakeAxisHost host;
  ChartAxes axes(host);
  FixRange(axes.Bottom, 0, 1000);
  axes.Bottom.SetLabelStyle(talValue);
  host.Plot = {100, 40, 110, 300};
  Draw(host, axes.Bottom);
  EXPECT_TRUE(axes.Bottom.TickPositions().Empty());
}

TEST_F(AxisLabels, GetAxisLabelRewritesTexts) {
  FakeAxisHost host;
  ChartAxes axes(host);
  FixRange(axes.Bottom, 0, 100);
  axes.Bottom.SetLabelStyle(talValue);
  axes.Bottom.SetIncrement(50);
  int calls = 0;
  host.OnGetAxisLabel = [&](TCustomChartAxis* sender, TChartSeries* series, int32_t index, std::string& text) {
    EXPECT_EQ(sender, &axes.Bottom);
    EXPECT_EQ(series, nullptr);
    EXPECT_EQ(index, -1);
    text = "<" + text + ">";
    ++calls;
  };
  Draw(host, axes.Bottom);
  EXPECT_EQ(Texts(host), (std::vector<std::string>{"<100>", "<50>", "<0>"}));
  EXPECT_GT(calls, 3);  // the increment's size measurement sees the rewritten texts too
}

TEST_F(AxisLabels, MultiLineLabels) {
  FakeAxisHost host;
  ChartAxes axes(host);
  fw::FormatSettings.ThousandSeparator = ' ';
  FixRange(axes.Bottom, 0, 1000);
  axes.Bottom.SetLabelStyle(talValue);
  axes.Bottom.SetIncrement(1000);
  axes.Bottom.SetLabelsMultiLine(true);
  EXPECT_EQ(axes.Bottom.FormatAxisValue(1000), "1\r000");
  Draw(host, axes.Bottom);
  EXPECT_EQ(Texts(host), (std::vector<std::string>{"1", "000", "0"}));
}

TEST_F(AxisLabels, CustomLabelValues) {
  FakeAxisHost host;
  ChartAxes axes(host);
  FixRange(axes.Bottom, 0, 100);
  axes.Bottom.SetLabelStyle(talValue);
  std::vector<int32_t> indexes;
  host.OnGetNextAxisLabel = [&](TCustomChartAxis*, int32_t index, double& value, bool& stop) {
    indexes.push_back(index);
    stop = false;
    value = index * 30.0;  // 0, 30, 60, 90, then 120 is out of range
  };
  Draw(host, axes.Bottom);
  EXPECT_EQ(indexes, (std::vector<int32_t>{0, 1, 2, 3, 4}));
  EXPECT_EQ(Texts(host), (std::vector<std::string>{"0", "30", "60", "90"}));
}

TEST_F(AxisLabels, CustomLabelsThatLeaveStopGiveTheDefaultOnes) {
  FakeAxisHost host;
  ChartAxes axes(host);
  FixRange(axes.Bottom, 0, 100);
  axes.Bottom.SetLabelStyle(talValue);
  axes.Bottom.SetIncrement(50);
  host.OnGetNextAxisLabel = [](TCustomChartAxis*, int32_t, double&, bool&) {};
  Draw(host, axes.Bottom);
  EXPECT_EQ(Texts(host), (std::vector<std::string>{"100", "50", "0"}));
}

TEST_F(AxisLabels, CustomLabelsNeverOverrunTheTickList) {
  FakeAxisHost host;
  ChartAxes axes(host);
  FixRange(axes.Bottom, 0, 100);
  axes.Bottom.SetLabelStyle(talValue);
  axes.Bottom.SetLabels(false);
  axes.Bottom.SetTickOnLabelsOnly(false);
  int calls = 0;
  host.OnGetNextAxisLabel = [&](TCustomChartAxis*, int32_t, double& value, bool& stop) {
    ++calls;
    stop = false;
    value = 50;  // always in range
  };
  Draw(host, axes.Bottom);
  EXPECT_EQ(calls, 2001);
  EXPECT_EQ(axes.Bottom.TickPositions().Count(), TTickPositions::Capacity);
}

TEST_F(AxisLabels, LogarithmicLabels) {
  FakeAxisHost host;
  ChartAxes axes(host);
  FixRange(axes.Left, 1, 1000);
  axes.Left.SetLabelStyle(talValue);
  axes.Left.SetLogarithmic(true);
  Draw(host, axes.Left);
  EXPECT_EQ(Texts(host), (std::vector<std::string>{"1", "10", "100", "1,000"}));
  const auto ticks = Ticks(axes.Left);
  ASSERT_EQ(ticks.size(), 4u);
  EXPECT_EQ(ticks[0], axes.Left.EndPixel());
  EXPECT_EQ(ticks[3], axes.Left.StartPixel());
}

TEST_F(AxisLabels, LogarithmicFromZeroUsesAStandIn) {
  FakeAxisHost host;
  ChartAxes axes(host);
  FixRange(axes.Left, 0, 100);
  axes.Left.SetLabelStyle(talValue);
  axes.Left.SetLogarithmic(true);
  Draw(host, axes.Left);
  EXPECT_EQ(Texts(host), (std::vector<std::string>{"0.1", "1", "10", "100"}));
  EXPECT_EQ(axes.Left.WorkingMinimum(), 0.1);  // for the rest of this frame
}

TEST_F(AxisLabels, FormatsAndSizes) {
  FakeAxisHost host;
  ChartAxes axes(host);
  EXPECT_EQ(axes.Bottom.FormatAxisValue(1234.56789), "1,234.568");
  EXPECT_EQ(axes.Bottom.FormatAxisValue(-0.5), "-0.5");
  axes.Bottom.SetAxisValuesFormat("0.00");
  EXPECT_EQ(axes.Bottom.FormatAxisValue(2), "2.00");
  // The increment grows with the label size along the axis.
  FixRange(axes.Bottom, 0, 1000);
  Layout(axes.Bottom);
  EXPECT_LT(axes.Bottom.IncrementForLabelSize(10), axes.Bottom.IncrementForLabelSize(100));
  EXPECT_EQ(axes.Bottom.IncrementForLabelSize(0), 1000);  // one label
}
