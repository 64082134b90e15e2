#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "FakeLineChart.h"
#include "chart/canvas/TChartPen.h"
#include "chart/canvas/TView3DOptions.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/data/TSeriesMarks.h"
#include "framework/streaming/TClassRegistry.h"

namespace chart::test {
namespace {

using fw::TPoint;

std::vector<int32_t> Ints(std::initializer_list<int32_t> v) { return v; }

class FastLineTest : public ::testing::Test {
protected:
  FastLineTest() {
    series = std::make_unique<TFastLineSeries>();
    series->SetParentChart(&chart);
  }
  ~FastLineTest() override {
    if (series) series->SetParentChart(nullptr);
  }
  void AddPoints(std::initializer_list<std::pair<double, double>> points) {
    for (const auto& [x, y] : points) series->AppendPoint(x, y, "", fw::clDefault);
  }
  void SetVisible(int32_t first, int32_t last) {
    series->SetFirstVisible(first);
    series->SetLastVisible(last);
  }
  void Draw() {
    chart.Surface.ClearCalls();
    chart.Surface.LinePens.clear();
    series->DrawAllPoints();
  }

  FakeLineChart chart;
  std::unique_ptr<TFastLineSeries> series;
};

// ---------------------------------------------------------------- creation and properties

TEST(FastLineCreation, DefaultsAndNames) {
  TFastLineSeries s;
  EXPECT_EQ(s.ClassName(), "TFastLineSeries");
  EXPECT_EQ(s.EditorName(), "TFastLineSeriesEditor");
  EXPECT_FALSE(s.SinglePointAllowed());
  EXPECT_TRUE(s.ExtendToEdge());
  EXPECT_TRUE(s.AutoRepaint());
  EXPECT_TRUE(s.LinePen().Visible());
  EXPECT_EQ(s.LinePen().Color(), fw::clBlack);
  EXPECT_EQ(s.LinePen().Width(), 1);
  EXPECT_EQ(s.LinePen().Style(), fw::psSolid);
}

TEST_F(FastLineTest, SeriesColorAndLinePenFollowEachOther) {
  series->SetSeriesColor(fw::clRed);
  EXPECT_EQ(series->LinePen().Color(), fw::clRed);

  TChartPen blue;
  blue.SetColor(fw::clBlue);
  blue.SetWidth(3);
  series->SetLinePen(blue);
  EXPECT_EQ(series->SeriesColor(), fw::clBlue);
  EXPECT_EQ(series->LinePen().Width(), 3);
}

TEST_F(FastLineTest, LinePenChangeRepaintsTheChart) {
  const int before = chart.Invalidations;
  series->LinePen().SetWidth(2);
  EXPECT_GT(chart.Invalidations, before);
}

TEST_F(FastLineTest, AssignCopiesPenAutoRepaintAndSettings) {
  TFastLineSeries source;
  source.SetAutoRepaint(false);
  source.LinePen().SetStyle(fw::psDash);
  source.SetSeriesColor(fw::clTeal);
  source.SetTitle("wave");
  source.Marks().SetArrowLength(12);
  series->Assign(source);
  EXPECT_FALSE(series->AutoRepaint());
  EXPECT_EQ(series->LinePen().Style(), fw::psDash);
  EXPECT_EQ(series->LinePen().Color(), fw::clTeal);
  EXPECT_EQ(series->SeriesColor(), fw::clTeal);
  EXPECT_EQ(series->Title(), "wave");
  EXPECT_EQ(series->Marks().ArrowLength(), 12);
  EXPECT_EQ(series->PointCount(), 0);
}

// ---------------------------------------------------------------- the polyline

TEST_F(FastLineTest, OnePointAtIndexZeroOnlyMoves) {
  AddPoints({{10, 20}});
  SetVisible(0, 0);
  Draw();
  const auto geometry = chart.Surface.Geometry();
  ASSERT_EQ(geometry.size(), 1u);
  EXPECT_EQ(geometry[0].Name, "MoveTo");
  EXPECT_EQ(geometry[0].Ints, Ints({10, 480}));
  EXPECT_EQ(series->LastX(), 10);
  EXPECT_EQ(series->LastY(), 480);
}

TEST_F(FastLineTest, PassDrawsOneLineCallPerPointThroughTheCurrentPosition) {
  AddPoints({{0, 0}, {10, 10}, {20, 0}, {30, 10}});
  SetVisible(0, 3);
  Draw();
  const auto geometry = chart.Surface.Geometry();
  ASSERT_EQ(geometry.size(), 4u);
  EXPECT_EQ(geometry[0].Name, "MoveTo");
  EXPECT_EQ(geometry[0].Ints, Ints({0, 500}));
  EXPECT_EQ(geometry[1].Ints, Ints({10, 490}));
  EXPECT_EQ(geometry[2].Ints, Ints({20, 500}));
  EXPECT_EQ(geometry[3].Ints, Ints({30, 490}));
  EXPECT_EQ(chart.Surface.CountOf("LineTo"), 3u);
}

TEST_F(FastLineTest, FirstVisibleAfterZeroEntersFromThePreviousPoint) {
  for (int i = 0; i < 10; ++i) series->AppendPoint(10.0 * i, 5.0 * i, "", fw::clDefault);
  SetVisible(5, 7);
  Draw();
  const auto geometry = chart.Surface.Geometry();
  ASSERT_EQ(geometry.size(), 4u);
  EXPECT_EQ(geometry[0].Name, "MoveTo");
  EXPECT_EQ(geometry[0].Ints, Ints({40, 480}));  // point 4
  EXPECT_EQ(geometry[1].Name, "LineTo");
  EXPECT_EQ(geometry[1].Ints, Ints({50, 475}));  // point 5
  EXPECT_EQ(geometry[3].Ints, Ints({70, 465}));  // point 7
}

TEST_F(FastLineTest, RepeatedXValuesFollowTheAxisOfEachPass) {
  // Folded data gives runs of equal X values; a pass after an axis change must map them anew,
  // also when it starts with the X value the last pass ended with.
  AddPoints({{100, 0}, {100, 50}, {100, 200}, {100, 50}});
  SetVisible(0, 3);
  Draw();
  auto geometry = chart.Surface.Geometry();
  ASSERT_EQ(geometry.size(), 4u);
  EXPECT_EQ(geometry[0].Ints, Ints({100, 500}));
  EXPECT_EQ(geometry[1].Ints, Ints({100, 450}));
  EXPECT_EQ(geometry[2].Ints, Ints({100, 300}));
  EXPECT_EQ(geometry[3].Ints, Ints({100, 450}));
  chart.Scales[sarBottomAxis].SetRange(0, 500);  // twice the pixels per unit
  Draw();
  geometry = chart.Surface.Geometry();
  ASSERT_EQ(geometry.size(), 4u);
  EXPECT_EQ(geometry[0].Ints, Ints({200, 500}));
  EXPECT_EQ(geometry[1].Ints, Ints({200, 450}));
  EXPECT_EQ(geometry[2].Ints, Ints({200, 300}));
  EXPECT_EQ(geometry[3].Ints, Ints({200, 450}));
}

TEST_F(FastLineTest, PointsOnTheSamePixelCostNoLineCall) {
  // Points 1..3 all land on pixel (10, 490).
  AddPoints({{0, 0}, {10.1, 10.2}, {10.2, 9.9}, {10.3, 10.1}, {20, 20}});
  SetVisible(0, 4);
  Draw();
  const auto lines = chart.Surface.CallsNamed("LineTo");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].Ints, Ints({10, 490}));
  EXPECT_EQ(lines[1].Ints, Ints({20, 480}));
}

TEST_F(FastLineTest, PassSetsLinePenAndClearBrushOnTheCanvas) {
  series->LinePen().SetColor(fw::clRed);
  series->LinePen().SetWidth(2);
  AddPoints({{0, 0}, {10, 10}});
  SetVisible(0, 1);
  Draw();
  ASSERT_EQ(chart.Surface.LinePens.size(), 1u);
  EXPECT_EQ(chart.Surface.LinePens[0].Color, fw::clRed);
  EXPECT_EQ(chart.Surface.LinePens[0].Width, 2);
  EXPECT_EQ(chart.Surface.Brush().Style(), fw::bsClear);
}

TEST_F(FastLineTest, InvisibleLinePenDrawsWithAClearPen) {
  series->LinePen().SetVisible(false);
  AddPoints({{0, 0}, {10, 10}});
  SetVisible(0, 1);
  Draw();
  ASSERT_EQ(chart.Surface.LinePens.size(), 1u);
  EXPECT_EQ(chart.Surface.LinePens[0].Style, fw::psClear);
}

TEST_F(FastLineTest, PrintingThinsStyledPens) {
  series->LinePen().SetStyle(fw::psDot);
  AddPoints({{0, 0}, {10, 10}});
  SetVisible(0, 1);
  chart.Printing = true;
  Draw();
  ASSERT_EQ(chart.Surface.LinePens.size(), 1u);
  EXPECT_EQ(chart.Surface.LinePens[0].Width, 0);

  chart.Printing = false;
  Draw();
  EXPECT_EQ(chart.Surface.LinePens[0].Width, 1);
}

TEST_F(FastLineTest, NothingVisibleDrawsNothing) {
  AddPoints({{0, 0}, {10, 10}});
  SetVisible(-1, -1);
  Draw();
  EXPECT_TRUE(chart.Surface.Geometry().empty());
}

TEST_F(FastLineTest, View3DDrawsAtTheSeriesDepth) {
  TView3DOptions options;
  const fw::TRect rect{0, 0, 1000, 500};
  chart.Canvas.SetBuffered(false);
  chart.Canvas.PrepareSurface(&chart.Surface, &options, fw::clWhite, true, rect);
  chart.Canvas.SetProjectionCenter(40, rect, rect);
  chart.View3D = true;
  series->SetDepthRange(0, 10, 20);
  AddPoints({{100, 100}, {200, 100}});
  SetVisible(0, 1);
  Draw();
  const auto geometry = chart.Surface.Geometry();
  ASSERT_EQ(geometry.size(), 2u);
  // The orthogonal projection moves depth 10 ten pixels right and ten up.
  EXPECT_EQ(geometry[0].Ints, Ints({110, 390}));
  EXPECT_EQ(geometry[1].Ints, Ints({210, 390}));
}

TEST_F(FastLineTest, PointByPointDrawingTakesPenAndPositionBack) {
  // Series sharing a depth level are drawn one point at a time in turn: each call must not
  // continue from another series' pen or position.
  series->LinePen().SetColor(fw::clRed);
  AddPoints({{0, 0}, {10, 10}, {20, 20}});
  SetVisible(0, 2);
  chart.Surface.ClearCalls();
  series->DrawOnePoint(0);
  chart.Surface.MoveTo(500, 5);  // another series draws in between
  chart.Surface.Pen().SetColor(fw::clBlue);
  series->DrawOnePoint(1);
  const auto geometry = chart.Surface.Geometry();
  ASSERT_EQ(geometry.size(), 4u);
  EXPECT_EQ(geometry[2].Name, "MoveTo");
  EXPECT_EQ(geometry[2].Ints, Ints({0, 500}));
  EXPECT_EQ(geometry[3].Ints, Ints({10, 490}));
  EXPECT_EQ(chart.Surface.LinePens.back().Color, fw::clRed);
}

TEST_F(FastLineTest, RedLineReachesTheImage) {
  PenRecordingSurface image(60, 40);
  FakeLineChart pixels(image);
  TFastLineSeries line;
  line.SetParentChart(&pixels);
  line.SetSeriesColor(fw::clRed);
  line.AppendPoint(5, 480, "", fw::clDefault);   // pixel (5, 20)
  line.AppendPoint(50, 480, "", fw::clDefault);  // pixel (50, 20)
  line.SetFirstVisible(0);
  line.SetLastVisible(1);
  line.DrawAllPoints();
  EXPECT_EQ(image.GetPixel(5, 20), fw::clRed);
  EXPECT_EQ(image.GetPixel(49, 20), fw::clRed);
  EXPECT_EQ(image.GetPixel(50, 20), fw::clWhite);  // end pixel excluded
  EXPECT_EQ(image.GetPixel(20, 19), fw::clWhite);
  line.SetParentChart(nullptr);
}

// ---------------------------------------------------------------- incremental drawing

TEST_F(FastLineTest, AutoRepaintOffDrawsTheNewSegmentAndRequestsNothing) {
  int afterAdd = 0;
  series->OnAfterAdd = [&](TChartSeries*, int32_t) { ++afterAdd; };
  series->SetAutoRepaint(false);
  series->LinePen().SetColor(fw::clRed);
  AddPoints({{0, 0}});
  chart.Surface.ClearCalls();
  chart.Surface.LinePens.clear();
  const int before = chart.Invalidations;

  series->AppendPoint(10, 10, "", fw::clDefault);
  EXPECT_EQ(chart.Invalidations, before);
  EXPECT_EQ(afterAdd, 0);
  const auto geometry = chart.Surface.Geometry();
  ASSERT_EQ(geometry.size(), 2u);
  EXPECT_EQ(geometry[0].Name, "MoveTo");
  EXPECT_EQ(geometry[0].Ints, Ints({0, 500}));
  EXPECT_EQ(geometry[1].Name, "LineTo");
  EXPECT_EQ(geometry[1].Ints, Ints({10, 490}));
  ASSERT_EQ(chart.Surface.LinePens.size(), 1u);
  EXPECT_EQ(chart.Surface.LinePens[0].Color, fw::clRed);
}

TEST_F(FastLineTest, AutoRepaintOffComparesWithThePixelLastDrawnNotWithThePreviousPoint) {
  series->SetAutoRepaint(false);
  AddPoints({{0, 0}, {100, 100}});  // the last drawn pixel is now (100, 400)
  ASSERT_EQ(series->LastX(), 100);
  ASSERT_EQ(series->LastY(), 400);

  // X 99.9 sorts before the point at 100: its predecessor is point 0, at (0, 500). Its pixel is
  // the last one drawn, so nothing is drawn after the pen moves there.
  chart.Surface.ClearCalls();
  series->AppendPoint(99.9, 100, "", fw::clDefault);
  ASSERT_EQ(series->XValueOf(1), 99.9);
  auto geometry = chart.Surface.Geometry();
  ASSERT_EQ(geometry.size(), 1u);
  EXPECT_EQ(geometry[0].Name, "MoveTo");
  EXPECT_EQ(geometry[0].Ints, Ints({0, 500}));

  // A new point on its predecessor's pixel, away from the last drawn one, is drawn.
  series->AppendPoint(200, 200, "", fw::clDefault);  // last drawn: (200, 300)
  chart.Surface.ClearCalls();
  series->AppendPoint(0.2, 0.2, "", fw::clDefault);  // index 1, predecessor at (0, 500)
  ASSERT_EQ(series->XValueOf(1), 0.2);
  geometry = chart.Surface.Geometry();
  ASSERT_EQ(geometry.size(), 2u);
  EXPECT_EQ(geometry[0].Ints, Ints({0, 500}));
  EXPECT_EQ(geometry[1].Name, "LineTo");
  EXPECT_EQ(geometry[1].Ints, Ints({0, 500}));
  EXPECT_EQ(series->LastX(), 0);
  EXPECT_EQ(series->LastY(), 500);
}

TEST_F(FastLineTest, AutoRepaintOnRepaintsAndDrawsNothing) {
  int afterAdd = 0;
  series->OnAfterAdd = [&](TChartSeries*, int32_t) { ++afterAdd; };
  chart.Surface.ClearCalls();
  const int before = chart.Invalidations;
  AddPoints({{0, 0}, {10, 10}});
  EXPECT_EQ(afterAdd, 2);
  EXPECT_GT(chart.Invalidations, before);
  EXPECT_TRUE(chart.Surface.Geometry().empty());
}

TEST(FastLineIncremental, WithoutAChartAddingStillWorks) {
  TFastLineSeries s;
  s.SetAutoRepaint(false);
  EXPECT_EQ(s.AppendPoint(1, 2, "", fw::clDefault), 0);
  EXPECT_EQ(s.PointCount(), 1);
}

// ---------------------------------------------------------------- legend symbol

TEST_F(FastLineTest, LegendSymbolIsALineAtTheMiddleRoundedDown) {
  series->LinePen().SetColor(fw::clBlue);
  chart.Surface.ClearCalls();
  series->DrawLegendSymbol(-1, fw::TRect{4, 10, 24, 21});
  auto geometry = chart.Surface.Geometry();
  ASSERT_EQ(geometry.size(), 2u);
  EXPECT_EQ(geometry[0].Ints, Ints({4, 15}));
  EXPECT_EQ(geometry[1].Ints, Ints({24, 15}));
  EXPECT_EQ(chart.Surface.LinePens.back().Color, fw::clBlue);

  chart.Surface.ClearCalls();
  series->DrawLegendSymbol(-1, fw::TRect{0, -11, 20, 0});
  geometry = chart.Surface.Geometry();
  ASSERT_EQ(geometry.size(), 2u);
  EXPECT_EQ(geometry[0].Ints, Ints({0, -6}));
}

// ---------------------------------------------------------------- hit testing

TEST(FastLinePointOnSegment, NearTheLineAndWithinTheEnds) {
  const TPoint a{0, 0}, b{10, 5};
  EXPECT_TRUE(TFastLineSeries::PointOnSegment({4, 2}, a, b, 0));
  EXPECT_TRUE(TFastLineSeries::PointOnSegment({5, 3}, a, b, 0));   // |25 - 30| = 5 < 10
  EXPECT_FALSE(TFastLineSeries::PointOnSegment({4, 3}, a, b, 0));  // |20 - 30| = 10
  EXPECT_TRUE(TFastLineSeries::PointOnSegment({10, 5}, a, b, 0));
  EXPECT_FALSE(TFastLineSeries::PointOnSegment({12, 6}, a, b, 0));  // beyond b
  EXPECT_FALSE(TFastLineSeries::PointOnSegment({-2, -1}, a, b, 0));  // beyond a
  EXPECT_TRUE(TFastLineSeries::PointOnSegment({12, 6}, a, b, 2));    // within the tolerance
  EXPECT_FALSE(TFastLineSeries::PointOnSegment({3, 3}, {3, 3}, {3, 3}, 5));  // a = b
}

TEST(FastLinePointOnSegment, ExtremeCoordinatesDoNotOverflow) {
  const TPoint low{INT32_MIN, INT32_MIN}, high{INT32_MAX, INT32_MAX};
  EXPECT_TRUE(TFastLineSeries::PointOnSegment({0, 0}, low, high, 0));
  EXPECT_FALSE(TFastLineSeries::PointOnSegment({0, 1}, low, high, 0));
  EXPECT_FALSE(TFastLineSeries::PointOnSegment({INT32_MAX, INT32_MIN}, low, high, INT32_MAX));
  EXPECT_FALSE(TFastLineSeries::PointOnSegment({INT32_MIN, 0}, {INT32_MAX, 0}, {INT32_MAX - 1, 0}, 0));
  EXPECT_TRUE(TFastLineSeries::PointOnSegment({INT32_MAX, 7}, {INT32_MIN, 7}, {INT32_MAX, 7}, 0));
}

TEST_F(FastLineTest, ClickedIndexFindsPointsAndSegments) {
  for (int i = 0; i < 8; ++i) series->AppendPoint(10.0 * i, 10.0 * i, "", fw::clDefault);
  SetVisible(0, 7);
  EXPECT_EQ(series->ClickedIndex(20, 480), 2);   // exactly on point 2
  EXPECT_EQ(series->ClickedIndex(35, 465), 3);   // middle of segment 3-4
  EXPECT_EQ(series->ClickedIndex(35, 460), -1);  // off the line
  EXPECT_EQ(series->ClickedIndex(90, 410), -1);  // beyond the last point
}

TEST_F(FastLineTest, ClickedIndexIgnoresTheEntrySegment) {
  for (int i = 0; i < 8; ++i) series->AppendPoint(10.0 * i, 10.0 * i, "", fw::clDefault);
  SetVisible(5, 7);
  EXPECT_EQ(series->ClickedIndex(45, 455), -1);  // between points 4 and 5
  EXPECT_EQ(series->ClickedIndex(50, 450), 5);
  SetVisible(-1, -1);
  EXPECT_EQ(series->ClickedIndex(50, 450), -1);
}

TEST_F(FastLineTest, ClickedIndexAtExtremeClicksIsSafe) {
  for (int i = 0; i < 4; ++i) series->AppendPoint(10.0 * i, 10.0 * i, "", fw::clDefault);
  SetVisible(0, 3);
  EXPECT_EQ(series->ClickedIndex(INT32_MIN, INT32_MAX), -1);
  EXPECT_EQ(series->ClickedIndex(INT32_MAX, INT32_MIN), -1);
}

// ---------------------------------------------------------------- stored layout

TEST(FastLineClass, ReaderCreatesItAndReachesItsProperties) {
  RegisterFastLineSeriesClass();
  const fw::TClassInfo* info = fw::TClassRegistry::Instance().FindByName("TFastLineSeries");
  ASSERT_NE(info, nullptr);
  ASSERT_TRUE(info->CanCreate());
  std::unique_ptr<fw::TComponent> created(info->Create(nullptr));
  auto* line = dynamic_cast<TFastLineSeries*>(created.get());
  ASSERT_NE(line, nullptr);

  void* self = info->FromComponent(line);
  const fw::TPropInfo* autoRepaint = info->FindProperty("AutoRepaint", self);
  ASSERT_NE(autoRepaint, nullptr);
  autoRepaint->SetOrdinal(self, 0);
  EXPECT_FALSE(line->AutoRepaint());

  self = info->FromComponent(line);
  const fw::TPropInfo* pen = info->FindProperty("LinePen", self);
  ASSERT_NE(pen, nullptr);
  EXPECT_EQ(pen->GetObject(self), static_cast<void*>(&line->LinePen()));
  self = info->FromComponent(line);
  const fw::TPropInfo* ys = info->FindProperty("YValues", self);
  ASSERT_NE(ys, nullptr);
  EXPECT_EQ(ys->GetObject(self), static_cast<void*>(&line->YValues()));
}

}  // namespace
}  // namespace chart::test
