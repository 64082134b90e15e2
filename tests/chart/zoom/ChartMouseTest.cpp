#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <stdexcept>
#include <vector>

#include "chart/axes/TChartAxis.h"
#include "chart/axes/TChartDepthAxis.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/panel/TCustomChart.h"
#include "framework/controls/NativeControl.h"
#include "framework/controls/TForm.h"
#include "framework/graphics/TSurface.h"

using namespace chart;

namespace {

// A 400 x 250 chart in 2D with fixed axes (bottom 0..1000, left -1000..1000) and one line of
// points low in the plot, so that the upper part of the plot rectangle is empty background.
struct ChartMouse : ::testing::Test {
  TChart chart;
  TFastLineSeries* series = new TFastLineSeries();
  int zooms = 0, undos = 0, scrolls = 0, backgrounds = 0;

  void SetUp() override {
    chart.SetBounds(0, 0, 400, 250);
    chart.SetView3D(false);
    chart.Legend().SetVisible(false);
    chart.BottomAxis().SetAxisRange(0, 1000);
    chart.LeftAxis().SetAxisRange(-1000, 1000);
    series->SetParentChart(&chart);
    for (int i = 0; i <= 10; ++i) series->AppendPoint(i * 100, -800, "", fw::clDefault);
    chart.OnZoom = [this](fw::TComponent*) { ++zooms; };
    chart.OnUndoZoom = [this](fw::TComponent*) { ++undos; };
    chart.OnScroll = [this](fw::TComponent*) { ++scrolls; };
    Render();
  }

  // One frame into the window image: lays out the axes and places the series.
  void Render() { chart.DrawToCanvas(chart.WindowSurface(), chart.GetPaintArea()); }

  void Drag(fw::TMouseButton button, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    chart.MouseDown(button, 0, x0, y0);
    chart.MouseMove(0, x1, y1);
    chart.MouseUp(button, 0, x1, y1);
  }

  std::vector<fw::TColor> WindowPixels() {
    fw::TSurface& s = chart.WindowSurface();
    std::vector<fw::TColor> all;
    for (int32_t y = 0; y < s.Height(); ++y)
      for (int32_t x = 0; x < s.Width(); ++x) all.push_back(s.GetPixel(x, y));
    return all;
  }
};

}  // namespace

// ---- zoom and undo ------------------------------------------------------------------------------

TEST_F(ChartMouse, DraggingRightAndDownZoomsEveryAxisToTheFrame) {
  ASSERT_EQ(chart.HitTestChart(100, 60).HitKind, hkPlotArea);
  const double left = chart.BottomAxis().PixelToValue(100);
  const double right = chart.BottomAxis().PixelToValue(300);
  const double low = chart.LeftAxis().PixelToValue(200);
  const double high = chart.LeftAxis().PixelToValue(60);

  Drag(fw::mbLeft, 100, 60, 300, 200);

  EXPECT_DOUBLE_EQ(chart.BottomAxis().Minimum(), left);
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Maximum(), right);
  EXPECT_DOUBLE_EQ(chart.LeftAxis().Minimum(), low);
  EXPECT_DOUBLE_EQ(chart.LeftAxis().Maximum(), high);
  EXPECT_FALSE(chart.BottomAxis().Automatic());
  EXPECT_EQ(zooms, 1);
  EXPECT_TRUE(chart.ZoomApplied());
  EXPECT_TRUE(chart.SavedScalesValid());
  EXPECT_FALSE(chart.ZoomDrag().InProgress);
}

TEST_F(ChartMouse, DraggingUpAndLeftRestoresTheAxesOfBeforeTheFirstZoom) {
  chart.LeftAxis().SetAutomatic(true);
  Render();
  Drag(fw::mbLeft, 100, 60, 300, 200);
  Render();
  Drag(fw::mbLeft, 120, 80, 200, 150);
  ASSERT_EQ(zooms, 2);

  Drag(fw::mbLeft, 300, 200, 100, 60);

  EXPECT_EQ(undos, 1);
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Minimum(), 0);
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Maximum(), 1000);
  EXPECT_FALSE(chart.BottomAxis().Automatic());
  EXPECT_TRUE(chart.LeftAxis().Automatic());
  EXPECT_TRUE(chart.LeftAxis().AutomaticMinimum());
  EXPECT_TRUE(chart.LeftAxis().AutomaticMaximum());
  EXPECT_FALSE(chart.ZoomApplied());
  EXPECT_FALSE(chart.SavedScalesValid());
}

TEST_F(ChartMouse, AnUndoWithoutAZoomStillRaisesOnUndoZoom) {
  Drag(fw::mbLeft, 300, 200, 100, 60);
  EXPECT_EQ(undos, 1);
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Maximum(), 1000);
}

TEST_F(ChartMouse, ADragOfSixteenPixelsOrLessChangesNothing) {
  Drag(fw::mbLeft, 100, 60, 117, 76);
  EXPECT_EQ(zooms + undos, 0);
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Minimum(), 0);
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Maximum(), 1000);
  EXPECT_FALSE(chart.SavedScalesValid());
}

TEST_F(ChartMouse, AnAxisWithOneAutomaticEndGetsItBackOnUndo) {
  chart.LeftAxis().SetAutomaticMinimum(true);  // minimum from the data, maximum fixed
  ASSERT_FALSE(chart.LeftAxis().Automatic());
  Render();
  Drag(fw::mbLeft, 100, 60, 300, 200);
  Drag(fw::mbLeft, 300, 200, 100, 60);
  EXPECT_TRUE(chart.LeftAxis().AutomaticMinimum());
  EXPECT_FALSE(chart.LeftAxis().AutomaticMaximum());
  EXPECT_DOUBLE_EQ(chart.LeftAxis().Maximum(), 1000);
}

TEST_F(ChartMouse, TheZoomFrameDrawnTwiceLeavesNoTrace) {
  const std::vector<fw::TColor> before = WindowPixels();
  chart.MouseDown(fw::mbLeft, 0, 100, 60);
  ASSERT_TRUE(chart.ZoomDrag().InProgress);
  chart.MouseMove(0, 200, 150);
  // The outline's right edge lies on the last column inside the frame.
  const fw::TColor onRightEdge = chart.WindowSurface().GetPixel(199, 100);
  EXPECT_NE(onRightEdge, before[100 * 400 + 199]);
  chart.MouseMove(0, 250, 180);
  EXPECT_EQ(chart.WindowSurface().GetPixel(199, 100), before[100 * 400 + 199]);
  EXPECT_NE(chart.WindowSurface().GetPixel(249, 100), before[100 * 400 + 249]);
  chart.MouseUp(fw::mbLeft, 0, 110, 70);  // too small: only erases
  EXPECT_EQ(WindowPixels(), before);
  EXPECT_EQ(chart.Canvas().Pen().Mode(), fw::pmCopy);
}

TEST_F(ChartMouse, APressDuringAZoomDragIsIgnoredAndOnlyTheZoomButtonEndsIt) {
  chart.MouseDown(fw::mbLeft, 0, 100, 60);
  chart.MouseDown(fw::mbRight, 0, 150, 80);
  EXPECT_FALSE(chart.PanDrag().InProgress);
  chart.MouseUp(fw::mbRight, 0, 150, 80);
  EXPECT_TRUE(chart.ZoomDrag().InProgress);
  chart.MouseUp(fw::mbLeft, 0, 300, 200);
  EXPECT_FALSE(chart.ZoomDrag().InProgress);
  EXPECT_EQ(zooms, 1);
}

TEST_F(ChartMouse, AllowZoomOffStartsNoDrag) {
  chart.SetAllowZoom(false);
  Drag(fw::mbLeft, 100, 60, 300, 200);
  EXPECT_EQ(zooms, 0);
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Maximum(), 1000);
}

// ---- panning ------------------------------------------------------------------------------------

TEST_F(ChartMouse, DraggingRightMovesTheHorizontalAxesByTheValueThePixelsSpan) {
  const double span = chart.BottomAxis().PixelToValue(100) - chart.BottomAxis().PixelToValue(109);
  chart.MouseDown(fw::mbRight, 0, 100, 60);
  ASSERT_TRUE(chart.PanDrag().InProgress);
  chart.MouseMove(0, 109, 60);
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Minimum(), span);
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Maximum(), 1000 + span);
  EXPECT_LT(span, 0);
  EXPECT_DOUBLE_EQ(chart.LeftAxis().Minimum(), -1000);
  EXPECT_EQ(scrolls, 1);
  EXPECT_TRUE(chart.SavedScalesValid());
  EXPECT_FALSE(chart.ZoomApplied());
  chart.MouseUp(fw::mbRight, 0, 109, 60);
  EXPECT_FALSE(chart.PanDrag().InProgress);
}

TEST_F(ChartMouse, ThreeMovesLeftShiftThreeTimes) {
  const double step = chart.BottomAxis().PixelToValue(210) - chart.BottomAxis().PixelToValue(200);
  chart.MouseDown(fw::mbRight, 0, 230, 60);
  chart.MouseMove(0, 220, 60);
  chart.MouseMove(0, 210, 60);
  chart.MouseMove(0, 200, 60);
  EXPECT_NEAR(chart.BottomAxis().Minimum(), 3 * step, 1e-9);
  EXPECT_EQ(scrolls, 3);
}

TEST_F(ChartMouse, PanningModeLimitsTheDirections) {
  chart.SetAllowPanning(pmVertical);
  chart.MouseDown(fw::mbRight, 0, 100, 60);
  chart.MouseMove(0, 150, 60);
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Minimum(), 0);
  EXPECT_EQ(scrolls, 0);
  chart.MouseMove(0, 150, 80);
  EXPECT_NE(chart.LeftAxis().Minimum(), -1000);
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Minimum(), 0);
  EXPECT_EQ(scrolls, 1);

  chart.MouseUp(fw::mbRight, 0, 150, 80);
  chart.SetAllowPanning(pmNone);
  chart.MouseDown(fw::mbRight, 0, 100, 60);
  EXPECT_FALSE(chart.PanDrag().InProgress);
}

TEST_F(ChartMouse, LeavingThePlotRectangleEndsPanningForGood) {
  chart.MouseDown(fw::mbRight, 0, 100, 60);
  chart.MouseMove(0, 100, chart.PlotRect().Top - 1);
  EXPECT_FALSE(chart.PanDrag().InProgress);
  chart.MouseMove(0, 150, 60);
  EXPECT_EQ(scrolls, 0);
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Minimum(), 0);
}

TEST_F(ChartMouse, LeavingTheControlEndsPanningButNotAZoomDrag) {
  chart.MouseDown(fw::mbRight, 0, 100, 60);
  chart.MouseLeave();
  EXPECT_FALSE(chart.PanDrag().InProgress);
  chart.MouseUp(fw::mbRight, 0, 100, 60);
  chart.MouseDown(fw::mbLeft, 0, 100, 60);
  chart.MouseLeave();
  EXPECT_TRUE(chart.ZoomDrag().InProgress);
}

TEST_F(ChartMouse, OnAllowScrollCanRefuseOrChangeTheMove) {
  std::vector<TCustomChartAxis*> asked;
  chart.OnAllowScroll = [&](TCustomChartAxis* axis, double& aMin, double& aMax, bool& allow) {
    asked.push_back(axis);
    if (axis == &chart.BottomAxis()) allow = false;
    if (axis == &chart.LeftAxis()) {
      aMin = -5;
      aMax = 5;
    }
  };
  chart.MouseDown(fw::mbRight, 0, 100, 60);
  chart.MouseMove(0, 120, 80);
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Minimum(), 0);
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Maximum(), 1000);
  EXPECT_DOUBLE_EQ(chart.LeftAxis().Minimum(), -5);
  EXPECT_DOUBLE_EQ(chart.LeftAxis().Maximum(), 5);
  EXPECT_EQ(scrolls, 1);
  // bottom and top, then left and right; never the depth axis
  ASSERT_EQ(asked.size(), 4u);
  EXPECT_EQ(asked[0], &chart.BottomAxis());
  EXPECT_EQ(asked[1], &chart.TopAxis());
  EXPECT_EQ(asked[2], &chart.LeftAxis());
  EXPECT_EQ(asked[3], &chart.RightAxis());
}

TEST_F(ChartMouse, AHandlerAnsweringAnEndThatIsNoNumberLeavesTheAxisAlone) {
  chart.OnAllowScroll = [](TCustomChartAxis*, double& aMin, double&, bool&) { aMin = std::nan(""); };
  chart.MouseDown(fw::mbRight, 0, 100, 60);
  chart.MouseMove(0, 120, 60);
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Minimum(), 0);
}

TEST_F(ChartMouse, UndoAfterPanningRestoresTheAxes) {
  Drag(fw::mbRight, 100, 60, 150, 90);
  ASSERT_NE(chart.BottomAxis().Minimum(), 0);
  Drag(fw::mbLeft, 300, 200, 100, 60);
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Minimum(), 0);
  EXPECT_DOUBLE_EQ(chart.LeftAxis().Maximum(), 1000);
}

// ---- wheel --------------------------------------------------------------------------------------

TEST_F(ChartMouse, TheWheelScrollsTheVerticalAxesByThreePercent) {
  chart.MouseWheel(0, -120, 100, 60);
  EXPECT_DOUBLE_EQ(chart.LeftAxis().Minimum(), -940);
  EXPECT_DOUBLE_EQ(chart.LeftAxis().Maximum(), 1060);
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Minimum(), 0);
  chart.MouseWheel(0, 120, 100, 60);
  EXPECT_NEAR(chart.LeftAxis().Minimum(), -940 - 0.03 * 2000, 1e-9);
  EXPECT_EQ(scrolls, 0);
  EXPECT_FALSE(chart.SavedScalesValid());
}

TEST_F(ChartMouse, TheWheelOffsetIsTheRangeTimesThreeTimesAHundredth) {
  const double minimum = -1.1, maximum = 7.1;  // a range where a folded 0.03 rounds differently
  const double offset = (maximum - minimum) * 3 * 0.01;
  ASSERT_NE(offset, (maximum - minimum) * 0.03);
  chart.LeftAxis().SetAxisRange(minimum, maximum);
  chart.MouseWheel(0, -120, 100, 60);
  EXPECT_EQ(chart.LeftAxis().Minimum(), minimum + offset);
  EXPECT_EQ(chart.LeftAxis().Maximum(), maximum + offset);
}

TEST_F(ChartMouse, TheWheelLeavesAnAxisWhoseRangeWouldOverflow) {
  chart.LeftAxis().SetAxisRange(-1.7e308, 1.7e308);
  chart.MouseWheel(0, -120, 100, 60);
  EXPECT_DOUBLE_EQ(chart.LeftAxis().Minimum(), -1.7e308);
  EXPECT_DOUBLE_EQ(chart.LeftAxis().Maximum(), 1.7e308);
}

// ---- clicks -------------------------------------------------------------------------------------

TEST_F(ChartMouse, APressOnAPointRaisesOnClickSeriesWithItsIndex) {
  const int32_t x = series->XPixel(3);
  const int32_t y = series->YPixel(3);
  TChartSeries* clicked = nullptr;
  int32_t index = -1;
  chart.OnClickSeries = [&](TCustomChart* sender, TChartSeries* s, int32_t i, fw::TMouseButton, fw::TShiftState,
                            int32_t, int32_t) {
    EXPECT_EQ(sender, &chart);
    clicked = s;
    index = i;
  };
  chart.OnClickBackground = [&](TCustomChart*, fw::TMouseButton, fw::TShiftState, int32_t, int32_t) { ++backgrounds; };
  chart.MouseDown(fw::mbLeft, 0, x, y);
  EXPECT_EQ(clicked, series);
  EXPECT_EQ(index, 3);
  // The handler left SuppressMouse set: no zoom, no background click, and the flag is cleared.
  EXPECT_FALSE(chart.ZoomDrag().InProgress);
  EXPECT_EQ(backgrounds, 0);
  EXPECT_FALSE(chart.SuppressMouse());
}

TEST_F(ChartMouse, ASeriesHandlerThatClearsSuppressMouseLetsTheZoomStart) {
  chart.OnClickSeries = [&](TCustomChart* sender, TChartSeries*, int32_t, fw::TMouseButton, fw::TShiftState, int32_t,
                            int32_t) { sender->SetSuppressMouse(false); };
  chart.MouseDown(fw::mbLeft, 0, series->XPixel(3), series->YPixel(3));
  EXPECT_TRUE(chart.ZoomDrag().InProgress);
}

TEST_F(ChartMouse, TheSeriesOwnClickComesFirst) {
  std::vector<int> order;
  series->OnClick = [&](TChartSeries*, int32_t, fw::TMouseButton, fw::TShiftState, int32_t, int32_t) {
    order.push_back(1);
  };
  chart.OnClickSeries = [&](TCustomChart*, TChartSeries*, int32_t, fw::TMouseButton, fw::TShiftState, int32_t,
                            int32_t) { order.push_back(2); };
  chart.MouseDown(fw::mbLeft, 0, series->XPixel(5), series->YPixel(5));
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

TEST_F(ChartMouse, APressOnTheBackgroundIsOfferedTwiceWhenNobodyTakesIt) {
  std::vector<fw::TMouseButton> buttons;
  chart.SetAllowPanning(pmNone);
  chart.OnClickBackground = [&](TCustomChart* sender, fw::TMouseButton b, fw::TShiftState, int32_t x, int32_t y) {
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 60);
    buttons.push_back(b);
    sender->SetSuppressMouse(false);
  };
  chart.MouseDown(fw::mbRight, 0, 100, 60);
  EXPECT_EQ(buttons.size(), 2u);
}

TEST_F(ChartMouse, ABackgroundHandlerKeepingSuppressMouseStopsTheZoom) {
  chart.OnClickBackground = [&](TCustomChart*, fw::TMouseButton, fw::TShiftState, int32_t, int32_t) { ++backgrounds; };
  chart.MouseDown(fw::mbLeft, 0, 100, 60);
  EXPECT_EQ(backgrounds, 1);
  EXPECT_FALSE(chart.ZoomDrag().InProgress);
}

TEST_F(ChartMouse, APressOnAnAxisRaisesOnClickAxis) {
  const TChartAxis& bottom = chart.BottomAxis();
  const int32_t x = (bottom.StartPixel() + bottom.EndPixel()) / 2;
  const int32_t y = bottom.AxisLinePosition();
  ASSERT_EQ(chart.HitTestChart(x, y).HitKind, hkAxis);
  TCustomChartAxis* clicked = nullptr;
  chart.OnClickAxis = [&](TCustomChart*, TCustomChartAxis* axis, fw::TMouseButton, fw::TShiftState, int32_t,
                          int32_t) { clicked = axis; };
  chart.MouseDown(fw::mbLeft, 0, x, y);
  EXPECT_EQ(clicked, &chart.BottomAxis());
  EXPECT_FALSE(chart.ZoomDrag().InProgress);
}

TEST_F(ChartMouse, APressOnTheLegendRaisesOnClickLegend) {
  chart.Legend().SetVisible(true);
  Render();
  const fw::TRect& box = chart.Legend().LegendBounds();
  const int32_t x = (box.Left + box.Right) / 2;
  const int32_t y = (box.Top + box.Bottom) / 2;
  ASSERT_EQ(chart.HitTestChart(x, y).HitKind, hkLegend);
  int legends = 0;
  chart.OnClickLegend = [&](TCustomChart*, fw::TMouseButton, fw::TShiftState, int32_t, int32_t) { ++legends; };
  chart.OnClickBackground = [&](TCustomChart*, fw::TMouseButton, fw::TShiftState, int32_t, int32_t) { ++backgrounds; };
  chart.MouseDown(fw::mbLeft, 0, x, y);
  EXPECT_EQ(legends, 1);
  EXPECT_EQ(backgrounds, 0);
  EXPECT_FALSE(chart.ZoomDrag().InProgress);
}

TEST_F(ChartMouse, APressOnTheTitleStartsNoZoom) {
  chart.Title().SetText({"Title"});
  Render();
  const int32_t y = chart.PlotRect().Top / 2;
  ASSERT_EQ(chart.HitTestChart(200, y).HitKind, hkTitle);
  chart.MouseDown(fw::mbLeft, 0, 200, y);
  EXPECT_FALSE(chart.ZoomDrag().InProgress);
}

TEST_F(ChartMouse, AThrowingClickHandlerDoesNotSwallowTheNextPress) {
  chart.OnClickBackground = [&](TCustomChart*, fw::TMouseButton, fw::TShiftState, int32_t, int32_t) {
    if (++backgrounds == 1) throw std::runtime_error("handler failed");
  };
  EXPECT_THROW(chart.MouseDown(fw::mbLeft, 0, 100, 60), std::runtime_error);
  EXPECT_FALSE(chart.SuppressMouse());
  chart.OnClickBackground = nullptr;
  chart.MouseDown(fw::mbLeft, 0, 100, 60);
  EXPECT_TRUE(chart.ZoomDrag().InProgress);
}

TEST_F(ChartMouse, APressAfterAHandlerAskedForSuppressionIsSwallowed) {
  chart.SetSuppressMouse(true);
  chart.MouseDown(fw::mbLeft, 0, 100, 60);
  EXPECT_FALSE(chart.ZoomDrag().InProgress);
  EXPECT_FALSE(chart.SuppressMouse());
}

// ---- cursor -------------------------------------------------------------------------------------

TEST_F(ChartMouse, TheSeriesCursorShowsOverItsPointsAndTheRestingCursorReturns) {
  chart.SetCursor(fw::crCross);
  chart.SetRestingCursor(fw::crCross);
  series->SetCursor(fw::crHandPoint);
  chart.MouseMove(0, series->XPixel(2), series->YPixel(2));
  EXPECT_EQ(chart.Cursor(), fw::crHandPoint);
  chart.MouseMove(0, 100, 60);
  EXPECT_EQ(chart.Cursor(), fw::crCross);
  chart.MouseMove(0, series->XPixel(2), series->YPixel(2));
  chart.MouseLeave();
  EXPECT_EQ(chart.Cursor(), fw::crCross);
}

TEST_F(ChartMouse, AnInactiveSeriesShowsNoCursor) {
  series->SetCursor(fw::crHandPoint);
  const int32_t x = series->XPixel(2), y = series->YPixel(2);
  series->SetActive(false);
  chart.MouseMove(0, x, y);
  EXPECT_EQ(chart.Cursor(), chart.RestingCursor());
}

// ---- on a shown chart ---------------------------------------------------------------------------

namespace {

struct ShownChart : ::testing::Test {
  fw::TForm form;
  TChart* chart = new TChart(&form);

  void SetUp() override {
    form.SetBounds(0, 0, 420, 280);
    chart->SetParent(&form);
    chart->SetBounds(0, 0, 400, 250);
    chart->SetView3D(false);
    chart->BottomAxis().SetAxisRange(0, 1000);
    chart->LeftAxis().SetAxisRange(-1000, 1000);
    auto* line = new TFastLineSeries(&form);
    line->SetParentChart(chart);
    line->AppendPoint(0, -800, "", fw::clDefault);
    line->AppendPoint(1000, -800, "", fw::clDefault);
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Widget()));
    QApplication::processEvents();
  }

  QWidget* Widget() const { return fw::detail::WidgetOf(chart); }
};

}  // namespace

TEST_F(ShownChart, AnAnimatedZoomRepaintsOnceForEachStepButTheLast) {
  std::vector<double> seen;
  chart->OnAfterDraw = [&](fw::TComponent*) { seen.push_back(chart->BottomAxis().Minimum()); };
  chart->SetAnimatedZoom(true);
  chart->ApplyZoom({-500, 500}, {0, 1}, {0, 1}, {300, 600});
  ASSERT_EQ(seen.size(), 7u);
  EXPECT_DOUBLE_EQ(seen[0], 100);  // a third of the way
  for (size_t i = 1; i < seen.size(); ++i) EXPECT_GT(seen[i], seen[i - 1]);
  EXPECT_LT(seen.back(), 300);
  EXPECT_DOUBLE_EQ(chart->BottomAxis().Minimum(), 300);
  EXPECT_DOUBLE_EQ(chart->BottomAxis().Maximum(), 600);

  seen.clear();
  chart->SetAnimatedZoomSteps(1);
  chart->ApplyZoom({-500, 500}, {0, 1}, {0, 1}, {100, 200});
  EXPECT_TRUE(seen.empty());
  EXPECT_DOUBLE_EQ(chart->BottomAxis().Minimum(), 100);
}

TEST_F(ShownChart, AnAnimationThatCannotMoveTheAxesAnyMoreStopsRepainting) {
  int frames = 0;
  chart->OnAfterDraw = [&](fw::TComponent*) { ++frames; };
  chart->SetAnimatedZoom(true);
  chart->SetAnimatedZoomSteps(1000000);
  chart->ApplyZoom({-500, 500}, {0, 1}, {0, 1}, {300, 600});
  EXPECT_LT(frames, 2000);
  EXPECT_DOUBLE_EQ(chart->BottomAxis().Minimum(), 300);
}

TEST_F(ShownChart, RealMouseEventsZoomAndScroll) {
  int zooms = 0;
  chart->OnZoom = [&](fw::TComponent*) { ++zooms; };
  const double left = chart->BottomAxis().PixelToValue(100);
  QTest::mousePress(Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 60));
  QTest::mouseMove(Widget(), QPoint(200, 120));
  QTest::mouseRelease(Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(300, 200));
  EXPECT_EQ(zooms, 1);
  EXPECT_DOUBLE_EQ(chart->BottomAxis().Minimum(), left);

  const double before = chart->LeftAxis().Minimum();
  const double range = chart->LeftAxis().Maximum() - before;
  QWheelEvent wheel(QPointF(100, 60), QPointF(Widget()->mapToGlobal(QPoint(100, 60))), QPoint(), QPoint(0, -120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(Widget(), &wheel);
  EXPECT_NEAR(chart->LeftAxis().Minimum(), before + 0.03 * range, 1e-9 * range);
}
