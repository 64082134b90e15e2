// Space reservation and the drawing calls of an axis, on a recording surface.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "chart/axes/TChartAxisTitle.h"
#include "chart/axes/TCustomChartAxis.h"
#include "chart/canvas/TChartPen.h"
#include "framework/runtime/TFormatSettings.h"
#include "tests/chart/axes/FakeAxisHost.h"

using namespace chart;
using axistest::ChartAxes;
using axistest::FakeAxisHost;
using axistest::FixRange;

namespace {

struct Segment {
  int32_t X1, Y1, X2, Y2;
  friend bool operator==(const Segment&, const Segment&) = default;
};

// Every MoveTo followed by a LineTo, as one segment.
std::vector<Segment> Segments(const FakeAxisHost& host) {
  std::vector<Segment> result;
  const auto& calls = host.Surface.Calls();
  for (size_t i = 0; i + 1 < calls.size(); ++i)
    if (calls[i].Name == "MoveTo" && calls[i + 1].Name == "LineTo")
      result.push_back({calls[i].Ints[0], calls[i].Ints[1], calls[i + 1].Ints[0], calls[i + 1].Ints[1]});
  return result;
}

// Vertical segments spanning the whole plot height: the grid lines of a horizontal axis.
std::vector<int32_t> GridColumns(const FakeAxisHost& host) {
  std::vector<int32_t> xs;
  for (const Segment& s : Segments(host))
    if (s.X1 == s.X2 && std::min(s.Y1, s.Y2) == host.Plot.Top && std::max(s.Y1, s.Y2) == host.Plot.Bottom)
      xs.push_back(s.X1);
  return xs;
}

class AxisDrawing : public ::testing::Test {
protected:
  void SetUp() override {
    saved = fw::FormatSettings;
    fw::FormatSettings = fw::TFormatSettings::Invariant();
  }
  void TearDown() override { fw::FormatSettings = saved; }

  /// One frame of one axis: range, space (the host adopts the shrunken rectangle), span, drawing.
  static void Frame(FakeAxisHost& host, TCustomChartAxis& axis) {
    axis.ComputeWorkingRange();
    fw::TRect r = host.Plot;
    axis.ReserveSpace(r, true);
    host.Plot = r;
    axis.ComputePixelSpan();
    host.Surface.ClearCalls();
    axis.DrawAxis(true);
  }

  fw::TFormatSettings saved;
};

}  // namespace

TEST_F(AxisDrawing, TickBand) {
  FakeAxisHost host;
  ChartAxes axes(host);
  EXPECT_EQ(axes.Bottom.TickBandSize(), 6);
  axes.Bottom.SetMinorTickLength(9);
  EXPECT_EQ(axes.Bottom.TickBandSize(), 9);
  axes.Bottom.Axis().SetVisible(false);
  axes.Bottom.Ticks().SetVisible(false);
  axes.Bottom.MinorTicks().SetVisible(false);
  EXPECT_EQ(axes.Bottom.TickBandSize(), 0);
}

TEST_F(AxisDrawing, BottomAxisBands) {
  FakeAxisHost host;
  ChartAxes axes(host);
  host.Plot = {50, 20, 450, 300};
  host.ChartSelectFont(axes.Bottom.LabelsFont());
  const int32_t lineHeight = host.Canvas.CharacterHeight();
  fw::TRect r = host.Plot;
  axes.Bottom.ReserveSpace(r, true);
  EXPECT_EQ(r.Bottom, 300 - lineHeight - 6);
  EXPECT_EQ(axes.Bottom.LabelsPosition(), r.Bottom + 6);  // labels start 6 pixels below the plot
  EXPECT_EQ(r.Left, 50);
  EXPECT_EQ(r.Top, 20);
}

TEST_F(AxisDrawing, WithoutTickBandTheLabelsTouchThePlot) {
  FakeAxisHost host;
  ChartAxes axes(host);
  axes.Bottom.Axis().SetVisible(false);
  axes.Bottom.Ticks().SetVisible(false);
  axes.Bottom.MinorTicks().SetVisible(false);
  fw::TRect r = host.Plot;
  axes.Bottom.ReserveSpace(r, true);
  EXPECT_EQ(axes.Bottom.LabelsPosition(), r.Bottom);
}

TEST_F(AxisDrawing, FixedLabelsSizeAndTitle) {
  FakeAxisHost host;
  ChartAxes axes(host);
  host.Plot = {50, 20, 450, 300};
  axes.Left.SetLabelsSize(40);
  fw::TRect r = host.Plot;
  axes.Left.ReserveSpace(r, true);
  EXPECT_EQ(r.Left, 50 + 40 + 6);
  EXPECT_EQ(axes.Left.LabelsPosition(), 90);

  axes.Left.Title().SetCaption("Displacement");
  host.ChartSelectFont(axes.Left.Title().Font());
  const int32_t titleHeight = host.Canvas.CharacterHeight();
  r = host.Plot;
  axes.Left.ReserveSpace(r, true);
  EXPECT_EQ(axes.Left.TitlePosition(), 50 + titleHeight);
  EXPECT_EQ(r.Left, 50 + titleHeight + 40 + 6);
  axes.Left.SetTitleSize(25);
  r = host.Plot;
  axes.Left.ReserveSpace(r, true);
  EXPECT_EQ(r.Left, 50 + 25 + 40 + 6);
}

TEST_F(AxisDrawing, WallThicknessJoinsTheTickBand) {
  FakeAxisHost host;
  ChartAxes axes(host);
  host.WallThickness = 5;
  axes.Left.SetLabelsSize(40);
  fw::TRect r{50, 20, 450, 300};
  axes.Left.ReserveSpace(r, true);
  EXPECT_EQ(r.Left, 50 + 40 + 6 + 5);
}

TEST_F(AxisDrawing, PositionOnlyAxesLeaveTheRectangle) {
  FakeAxisHost host;
  ChartAxes axes(host);
  axes.Right.SetLabelsSize(30);
  fw::TRect r{50, 20, 450, 300};
  axes.Right.ReserveSpace(r, false);
  EXPECT_EQ(r, (fw::TRect{50, 20, 450, 300}));
  EXPECT_EQ(axes.Right.AxisLinePosition(), 450);
  EXPECT_EQ(axes.Right.LabelsPosition(), 456);
  EXPECT_EQ(axes.Right.TitlePosition(), 486);
}

TEST_F(AxisDrawing, PositionPercentMovesLineLabelsAndTitle) {
  FakeAxisHost host;
  ChartAxes axes(host);
  axes.Left.SetLabelsSize(40);
  axes.Left.SetTitleSize(20);
  axes.Left.Title().SetCaption("Y");
  fw::TRect plain{50, 20, 450, 300};
  axes.Left.ReserveSpace(plain, true);
  const int32_t labels = axes.Left.LabelsPosition();
  const int32_t title = axes.Left.TitlePosition();

  axes.Left.SetPositionPercent(50);
  fw::TRect r{50, 20, 450, 300};
  axes.Left.ReserveSpace(r, true);
  EXPECT_EQ(axes.Left.LabelsPosition(), labels + r.Width() / 2);
  EXPECT_EQ(axes.Left.TitlePosition(), title + r.Width() / 2);
  host.Plot = r;
  axes.Left.ComputePixelSpan();
  axes.Left.DrawAxis(true);
  EXPECT_EQ(axes.Left.AxisLinePosition(), r.Left + r.Width() / 2);
}

TEST_F(AxisDrawing, BottomAxisLineTicksAndGrid) {
  FakeAxisHost host;
  ChartAxes axes(host);
  host.Plot = {50, 20, 450, 300};
  FixRange(axes.Bottom, 0, 100);
  axes.Bottom.SetIncrement(10);
  axes.Bottom.SetLabelStyle(talValue);
  axes.Bottom.MinorTicks().SetVisible(false);
  Frame(host, axes.Bottom);
  const int32_t line = axes.Bottom.AxisLinePosition();
  EXPECT_EQ(line, host.Plot.Bottom);
  const auto segments = Segments(host);
  // The axis line across the whole axis.
  EXPECT_NE(std::find(segments.begin(), segments.end(), Segment{50, line, 450, line}), segments.end());
  // Outer ticks start one pixel below the line and point down.
  for (int32_t p : axes.Bottom.TickPositions())
    EXPECT_NE(std::find(segments.begin(), segments.end(), Segment{p, line + 1, p, line + 5}), segments.end()) << p;
  // A grid line at every label, across the plot.
  const auto grid = GridColumns(host);
  EXPECT_EQ(grid, (std::vector<int32_t>(axes.Bottom.TickPositions().begin(), axes.Bottom.TickPositions().end())));
}

TEST_F(AxisDrawing, GridCenteredLiesBetweenLabels) {
  FakeAxisHost host;
  ChartAxes axes(host);
  host.Plot = {65, 40, 935, 490};
  FixRange(axes.Bottom, 0, 1000);
  axes.Bottom.SetLabelStyle(talValue);
  axes.Bottom.SetGridCentered(true);
  Frame(host, axes.Bottom);
  const auto& ticks = axes.Bottom.TickPositions();
  ASSERT_EQ(ticks.Count(), 21);
  const auto grid = GridColumns(host);
  ASSERT_EQ(grid.size(), 20u);
  for (int i = 1; i < 21; ++i) EXPECT_NEAR(grid[i - 1], (ticks[i] + ticks[i - 1]) / 2.0, 0.5);
}

TEST_F(AxisDrawing, InnerTicksPointIntoThePlot) {
  FakeAxisHost host;
  ChartAxes axes(host);
  host.Plot = {50, 20, 450, 300};
  FixRange(axes.Left, 0, 100);
  axes.Left.SetIncrement(50);
  axes.Left.SetLabelStyle(talValue);
  axes.Left.SetTickInnerLength(5);
  axes.Left.MinorTicks().SetVisible(false);
  Frame(host, axes.Left);
  const int32_t line = axes.Left.AxisLinePosition();
  const auto segments = Segments(host);
  for (int32_t p : axes.Left.TickPositions()) {
    EXPECT_NE(std::find(segments.begin(), segments.end(), Segment{line + 1, p, line + 6, p}), segments.end()) << p;
    EXPECT_NE(std::find(segments.begin(), segments.end(), Segment{line - 1, p, line - 5, p}), segments.end()) << p;
  }
}

TEST_F(AxisDrawing, MinorTicksBetweenLabels) {
  FakeAxisHost host;
  ChartAxes axes(host);
  host.Plot = {50, 20, 450, 300};
  FixRange(axes.Bottom, 0, 100);
  axes.Bottom.SetLabelStyle(talValue);
  axes.Bottom.SetLabelsSeparation(0);
  axes.Bottom.SetIncrement(5);
  axes.Bottom.Ticks().SetVisible(false);
  axes.Bottom.Grid().SetVisible(false);
  Frame(host, axes.Bottom);
  ASSERT_EQ(axes.Bottom.AxisLength(), 400);  // labels 20 pixels apart
  const int32_t line = axes.Bottom.AxisLinePosition();
  std::vector<int32_t> minor;
  for (const Segment& s : Segments(host))
    if (s.X1 == s.X2 && s.Y1 == line + 1 && s.Y2 == line + 3) minor.push_back(s.X1);
  std::sort(minor.begin(), minor.end());
  // 20 gaps of three, none at or beyond the ends of the axis.
  ASSERT_EQ(minor.size(), 60u);
  EXPECT_EQ(minor[0], 55);
  EXPECT_EQ(minor[1], 60);
  EXPECT_EQ(minor[2], 65);
  EXPECT_EQ(minor.back(), 445);
}

TEST_F(AxisDrawing, NoTicksNoMinorTicks) {
  FakeAxisHost host;
  ChartAxes axes(host);
  FixRange(axes.Bottom, 0, 100);
  axes.Bottom.SetLabelStyle(talValue);
  axes.Bottom.SetLabels(false);
  Frame(host, axes.Bottom);
  // Only the axis line is left.
  EXPECT_EQ(Segments(host).size(), 1u);
}

TEST_F(AxisDrawing, LabelAlignmentBySide) {
  FakeAxisHost host;
  ChartAxes axes(host);
  host.ChartSelectFont(axes.Bottom.LabelsFont());
  const int32_t lh = host.Canvas.CharacterHeight();
  host.Surface.ClearCalls();
  axes.Bottom.DrawLabelText(100, 200, 0, "12");
  auto texts = host.Calls("TextOut");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Ints, (std::vector<int32_t>{100, 200}));
  EXPECT_EQ(host.Calls("SetTextAlign").front().Ints[0], 6);  // centre, top

  host.Surface.ClearCalls();
  axes.Left.DrawLabelText(60, 200, 0, "12");
  texts = host.Calls("TextOut");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Ints, (std::vector<int32_t>{60, 200 - lh / 2}));
  EXPECT_EQ(host.Calls("SetTextAlign").front().Ints[0], 2);  // right, top
  EXPECT_EQ(host.Calls("SetTextAlign").back().Ints[0], 0);   // reset afterwards

  host.Surface.ClearCalls();
  axes.Left.DrawLabelText(60, 200, 0, "a\rb");  // a block centred on the tick
  texts = host.Calls("TextOut");
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].Ints[1], 200 - lh / 2 - static_cast<int32_t>(std::nearbyint(1.5 * lh)) + lh);
  EXPECT_EQ(texts[1].Ints[1] - texts[0].Ints[1], lh);

  host.Surface.ClearCalls();
  axes.Bottom.DrawLabelText(100, 200, 0, "");
  EXPECT_TRUE(host.Calls("TextOut").empty());
}

TEST_F(AxisDrawing, OtherAnglesDrawAllLinesAtOnePoint) {
  FakeAxisHost host;
  ChartAxes axes(host);
  host.Surface.ClearCalls();
  axes.Bottom.DrawLabelText(100, 200, 45, "a\rb");
  EXPECT_EQ(host.Calls("SetTextAlign").front().Ints[0], 0);
  const auto texts = host.Calls("TextOut");
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].Ints, texts[1].Ints);
}

TEST_F(AxisDrawing, LeftTitleIsRotatedAtTheCentre) {
  FakeAxisHost host;
  ChartAxes axes(host);
  host.Plot = {50, 20, 450, 300};
  FixRange(axes.Left, 0, 100);
  axes.Left.Title().SetCaption("Y");
  Frame(host, axes.Left);
  const auto texts = host.Calls("TextOut");
  ASSERT_EQ(texts.size(), 1u);  // no series: no labels, only the title
  EXPECT_EQ(texts[0].Text, "Y");
  EXPECT_EQ(texts[0].Ints, (std::vector<int32_t>{axes.Left.TitlePosition(), axes.Left.CenterPixel()}));
  EXPECT_EQ(host.Calls("SetTextAlign").front().Ints[0], 14);  // centre, bottom: the text runs upward
}

TEST_F(AxisDrawing, LabelsDrawnAfterAGridHaveClearCells) {
  FakeAxisHost host(400, 300);
  ChartAxes axes(host);
  host.Plot = {60, 20, 380, 260};
  FixRange(axes.Bottom, 0, 100);
  FixRange(axes.Left, 0, 100);
  axes.Bottom.SetLabelStyle(talValue);
  axes.Left.SetLabelStyle(talValue);
  Frame(host, axes.Bottom);  // ends with the grid, which leaves the background mode opaque
  Frame(host, axes.Left);
  const int32_t right = axes.Left.LabelsPosition();
  int dark = 0;
  int total = 0;
  for (int32_t x = right - 20; x < right; ++x)
    for (int32_t y = axes.Left.StartPixel() - 5; y < axes.Left.EndPixel(); ++y, ++total)
      if (fw::GetRValue(host.Surface.GetPixel(x, y)) < 128) ++dark;
  EXPECT_GT(dark, 0);
  EXPECT_LT(dark, total / 3);
}
