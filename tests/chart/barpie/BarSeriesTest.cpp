#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "chart/ChartConst.h"
#include "chart/ChartException.h"
#include "chart/canvas/DarkenColor.h"
#include "chart/canvas/TChartPen.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/data/TSeriesMarks.h"
#include "chart/canvas/TView3DOptions.h"
#include "chart/panel/TChartBrush.h"
#include "chart/series/TBarSeries.h"
#include "chart/series/THorizBarSeries.h"
#include "framework/streaming/TFormReader.h"
#include "framework/streaming/TFormWriter.h"
#include "tests/chart/barpie/BarPieTestSupport.h"

namespace chart::test {
namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();


// The pixel rectangle a bar of width `percent` of a slot of `slot` pixels, centred at `centre`,
// covers across its category: [left, right).
void ExpectAcross(const fw::TRect& bar, bool horizontal, double centre, double slot, double percent, int index = 0,
                  int count = 1) {
  const double total = slot * percent / 100;
  const double width = total / count;
  const double start = centre - total / 2 + index * width;
  const int32_t from = horizontal ? bar.Top : bar.Left;
  const int32_t to = horizontal ? bar.Bottom : bar.Right;
  EXPECT_NEAR(from, start, 0.5 + 1e-9);
  EXPECT_NEAR(to, start + width, 0.5 + 1e-9);
}

class BarTest : public ::testing::Test {
protected:
  TSeriesChart c;
  TBarSeries& bars = c.Add<TBarSeries>("Series1");

  void SetUp() override { bars.SetSeriesColor(fw::clRed); }
  int32_t X(double v) const { return c.Chart->BottomAxis().Scale().ValueToPixel(v); }
  int32_t Y(double v) const { return c.Chart->LeftAxis().Scale().ValueToPixel(v); }
  double Slot(double step = 1) const {
    const TAxisScale& s = c.Chart->BottomAxis().Scale();
    return step * s.AxisLength / s.WorkingRange;
  }
};

// ---------------------------------------------------------------- settings

TEST_F(BarTest, DefaultsAndKind) {
  EXPECT_EQ(bars.ClassName(), "TBarSeries");
  EXPECT_EQ(bars.BarWidthPercent(), 70);
  EXPECT_EQ(bars.OffsetPercent(), 0);
  EXPECT_EQ(bars.MultiBar(), mbSide);
  EXPECT_EQ(bars.BarStyle(), bsRectangle);
  EXPECT_TRUE(bars.UseYOrigin());
  EXPECT_EQ(bars.YOrigin(), 0);
  EXPECT_TRUE(bars.Dark3D());
  EXPECT_TRUE(bars.SideMargins());
  EXPECT_TRUE(bars.AutoMarkPosition());
  EXPECT_TRUE(bars.BarPen().Visible());
  EXPECT_EQ(bars.BarBrush().Color(), fw::clDefault);
  EXPECT_FALSE(bars.Horizontal());
  EXPECT_TRUE(bars.YMandatory());
  EXPECT_EQ(bars.EditorName(), ChartConst::BarSeriesEditorName);
}

TEST_F(BarTest, RejectedSettingsKeepTheirOldValueAndSayWhy) {
  bars.SetBarWidthPercent(50);
  for (int32_t bad : {0, -1, 101, INT32_MIN, INT32_MAX}) {
    try {
      bars.SetBarWidthPercent(bad);
      ADD_FAILURE() << bad;
    } catch (const ChartException& e) {
      EXPECT_STREQ(e.what(), "Bar Width Percent must be between 1 and 100");
    }
    EXPECT_EQ(bars.BarWidthPercent(), 50);
  }
  bars.SetBarWidthPercent(1);
  bars.SetBarWidthPercent(100);
  EXPECT_EQ(bars.BarWidthPercent(), 100);

  bars.SetOffsetPercent(-20);
  for (int32_t bad : {-101, 101}) {
    try {
      bars.SetOffsetPercent(bad);
      ADD_FAILURE() << bad;
    } catch (const ChartException& e) {
      EXPECT_STREQ(e.what(), "Bar Offset Percent must be between -100 and 100");
    }
    EXPECT_EQ(bars.OffsetPercent(), -20);
  }

  bars.SetYOrigin(-1e308);
  for (double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
    try {
      bars.SetYOrigin(bad);
      ADD_FAILURE() << bad;
    } catch (const ChartException& e) {
      EXPECT_STREQ(e.what(), "Origin must be a finite number");
    }
    EXPECT_EQ(bars.YOrigin(), -1e308);
  }
}

TEST_F(BarTest, ChangesRepaintAndMultiBarIsSharedByTheSameKind) {
  bars.SetBarStyle(bsPyramid);
  EXPECT_EQ(bars.BarStyle(), bsPyramid);
  auto& second = c.Add<TBarSeries>("Series2");
  auto& horizontal = c.Add<THorizBarSeries>("Series3");
  second.SetMultiBar(mbStacked);
  EXPECT_EQ(bars.MultiBar(), mbStacked);
  EXPECT_EQ(horizontal.MultiBar(), mbSide);
}

// ---------------------------------------------------------------- geometry in 2D

TEST_F(BarTest, BarsFillSeventyPercentOfTheirSlotFromTheOriginUp) {
  c.FixAxes(-1, 4, 0, 10);
  for (int i = 0; i < 4; ++i) bars.AppendPoint(i, 2 + i, "", fw::clDefault);
  c.Draw();
  for (int i = 0; i < 4; ++i) {
    const fw::TRect bar = bars.BarBounds(i);
    ExpectAcross(bar, false, X(i), Slot(), 70);
    EXPECT_EQ(bar.Top, Y(2 + i));
    EXPECT_EQ(bar.Bottom, Y(0) + 1);
    // Inside the outline the bar is red; beside it the plot shows through.
    EXPECT_EQ(c.At(X(i), (bar.Top + bar.Bottom) / 2), fw::clRed) << i;
    EXPECT_NE(c.At(bar.Left - 2, (bar.Top + bar.Bottom) / 2), fw::clRed) << i;
    EXPECT_NE(c.At(X(i), bar.Top - 2), fw::clRed) << i;
    // The outline is the bar pen's black.
    EXPECT_EQ(c.At(bar.Left, (bar.Top + bar.Bottom) / 2), fw::clBlack) << i;
  }
  bars.SetBarWidthPercent(100);
  c.Draw();
  // Full width: neighbouring bars touch.
  EXPECT_EQ(bars.BarBounds(0).Right, bars.BarBounds(1).Left);
}

TEST_F(BarTest, NegativeValuesGrowDownwardAndTheOriginMoves) {
  c.FixAxes(-1, 2, -10, 10);
  bars.AppendPoint(0, -4, "", fw::clDefault);
  bars.AppendPoint(1, 6, "", fw::clDefault);
  c.Draw();
  EXPECT_EQ(bars.BarBounds(0).Top, Y(0));
  EXPECT_EQ(bars.BarBounds(0).Bottom, Y(-4) + 1);
  EXPECT_EQ(bars.BarBounds(1).Top, Y(6));
  bars.SetYOrigin(2);
  c.Draw();
  EXPECT_EQ(bars.BarBounds(0).Top, Y(2));
  EXPECT_EQ(bars.BarBounds(1).Top, Y(6));
  EXPECT_EQ(bars.BarBounds(1).Bottom, Y(2) + 1);
  // Without the origin the bars stand on the bottom of the value axis.
  bars.SetUseYOrigin(false);
  c.Draw();
  EXPECT_EQ(bars.BarBounds(1).Bottom, Y(-10) + 1);
}

TEST_F(BarTest, SideBySideSeriesSplitTheSlotAndOffsetShiftsThem) {
  c.FixAxes(-1, 3, 0, 10);
  auto& second = c.Add<TBarSeries>("Series2");
  second.SetSeriesColor(fw::clBlue);
  for (int i = 0; i < 3; ++i) {
    bars.AppendPoint(i, 5, "", fw::clDefault);
    second.AppendPoint(i, 7, "", fw::clDefault);
  }
  c.Draw();
  for (int i = 0; i < 3; ++i) {
    ExpectAcross(bars.BarBounds(i), false, X(i), Slot(), 70, 0, 2);
    ExpectAcross(second.BarBounds(i), false, X(i), Slot(), 70, 1, 2);
    EXPECT_EQ(bars.BarBounds(i).Right, second.BarBounds(i).Left);
    EXPECT_EQ(c.At(bars.BarBounds(i).Left + 2, Y(2)), fw::clRed);
    EXPECT_EQ(c.At(second.BarBounds(i).Right - 3, Y(2)), fw::clBlue);
  }
  const fw::TRect before = second.BarBounds(1);
  second.SetOffsetPercent(50);
  c.Draw();
  const double width = Slot() * 0.7 / 2;
  EXPECT_NEAR(second.BarBounds(1).Left - before.Left, width / 2, 1.0);
  // mbNone: each bar takes the whole width, the later series drawn over the earlier.
  bars.SetMultiBar(mbNone);
  second.SetOffsetPercent(0);
  c.Draw();
  EXPECT_EQ(bars.BarBounds(0).Left, second.BarBounds(0).Left);
  EXPECT_EQ(c.At(X(0), Y(2)), fw::clBlue);
  EXPECT_EQ(c.At(X(0), Y(6)), fw::clBlue);
}

TEST_F(BarTest, StackedBarsSitOnTheBarsBeforeThemAndTheAxisReachesTheTotals) {
  auto& second = c.Add<TBarSeries>("Series2");
  bars.SetMultiBar(mbStacked);
  bars.AppendPoint(0, 2, "", fw::clDefault);
  bars.AppendPoint(1, 3, "", fw::clDefault);
  bars.AppendPoint(2, -2, "", fw::clDefault);
  second.AppendPoint(0, 1, "", fw::clDefault);
  second.AppendPoint(1, 4, "", fw::clDefault);
  second.AppendPoint(2, -3, "", fw::clDefault);
  double from, to;
  ASSERT_TRUE(second.BarValueRange(0, from, to));
  EXPECT_EQ(from, 2);
  EXPECT_EQ(to, 3);
  ASSERT_TRUE(second.BarValueRange(2, from, to));
  EXPECT_EQ(from, -2);  // negatives stack downward from the negatives before them
  EXPECT_EQ(to, -5);
  EXPECT_EQ(second.HighestY(), 7);
  EXPECT_EQ(second.LowestY(), -5);
  c.Draw();
  EXPECT_EQ(c.Chart->LeftAxis().Scale().WorkingMaximum >= 7, true);
  EXPECT_EQ(c.Chart->LeftAxis().Scale().WorkingMinimum <= -5, true);
  // Both series share the whole width; the second's bottom is the first's top.
  EXPECT_EQ(bars.BarBounds(1).Left, second.BarBounds(1).Left);
  EXPECT_EQ(second.BarBounds(1).Bottom, Y(3) + 1);
  EXPECT_EQ(second.BarBounds(1).Top, Y(7));

  bars.SetMultiBar(mbStacked100);
  ASSERT_TRUE(bars.BarValueRange(0, from, to));
  EXPECT_EQ(from, 0);
  EXPECT_NEAR(to, 200.0 / 3, 1e-12);
  ASSERT_TRUE(second.BarValueRange(0, from, to));
  EXPECT_NEAR(from, 200.0 / 3, 1e-12);
  EXPECT_NEAR(to, 100, 1e-12);
  EXPECT_EQ(second.HighestY(), 100);
  EXPECT_EQ(second.LowestY(), -100);
}

TEST_F(BarTest, NullsAndNotANumberAreGapsOutsideTheRanges) {
  bars.AppendPoint(0, 1, "", fw::clDefault);
  bars.AppendPoint(1, 100, "", fw::clNone);
  bars.AppendPoint(2, NaN, "", fw::clDefault);
  bars.AppendPoint(3, 2, "", fw::clDefault);
  EXPECT_TRUE(bars.IsGap(1));
  EXPECT_TRUE(bars.IsGap(2));
  EXPECT_EQ(bars.HighestY(), 2);
  EXPECT_EQ(bars.LowestY(), 0);  // the origin
  c.FixAxes(-1, 4, 0, 4);
  c.Draw();
  EXPECT_EQ(bars.BarBounds(1).Right, bars.BarBounds(1).Left);  // empty
  EXPECT_NE(c.At(X(1), Y(0.5)), fw::clRed);
  EXPECT_NE(c.At(X(2), Y(0.5)), fw::clRed);
  EXPECT_EQ(c.At(X(3), Y(0.5)), fw::clRed);
}

TEST_F(BarTest, AutomaticAxesHoldWholeBarsWithHalfASlotBeside) {
  for (int i = 0; i < 5; ++i) bars.AppendPoint(10 + 2 * i, 1 + i, "", fw::clDefault);
  c.Draw();
  const fw::TRect plot = c.Chart->PlotRect();
  const TAxisScale& s = c.Chart->BottomAxis().Scale();
  // Five slots fill the axis: the outer bars keep (slot - bar) / 2 from its ends.
  const double slot = s.AxisLength / 5.0;
  EXPECT_NEAR(Slot(2), slot, 0.5);
  EXPECT_NEAR(bars.BarBounds(0).Left - s.StartPixel, slot * 0.15, 1.5);
  EXPECT_NEAR(s.EndPixel - bars.BarBounds(4).Right, slot * 0.15, 1.5);
  EXPECT_GE(bars.BarBounds(0).Left, plot.Left);
  EXPECT_LE(bars.BarBounds(4).Right, plot.Right);
  bars.SetSideMargins(false);
  c.Draw();
  EXPECT_LT(bars.BarBounds(0).Left, c.Chart->BottomAxis().Scale().StartPixel);
}

TEST_F(BarTest, OnePointAllNullsAndEmptyDrawSafely) {
  c.Draw();
  EXPECT_EQ(bars.HighestY(), 0);
  bars.AppendPoint(5, 3, "", fw::clDefault);
  c.Draw();
  const fw::TRect bar = bars.BarBounds(0);
  const TAxisScale& s = c.Chart->BottomAxis().Scale();
  // A single bar takes 70 % of half the axis, in its middle.
  EXPECT_NEAR(bar.Right - bar.Left, s.AxisLength * 0.35, 1.5);
  EXPECT_EQ(c.At((bar.Left + bar.Right) / 2, (bar.Top + bar.Bottom) / 2), fw::clRed);
  bars.RemoveAllPoints();
  bars.AddNullPoint("");
  bars.AppendPoint(1, NaN, "", fw::clDefault);
  c.Draw();
  EXPECT_EQ(bars.HighestY(), 0);
  EXPECT_EQ(bars.ClickedIndex(200, 150), -1);
}

TEST_F(BarTest, ExtremeValuesDoNotOverflow) {
  bars.AppendPoint(-1e308, 1e308, "", fw::clDefault);
  bars.AppendPoint(1e308, -1e308, "", fw::clDefault);
  bars.AppendPoint(0, std::numeric_limits<double>::infinity(), "", fw::clDefault);
  auto& second = c.Add<TBarSeries>("Series2");
  second.AppendPoint(-1e308, 1e308, "", fw::clDefault);
  bars.SetMultiBar(mbStacked);
  c.Draw();
  bars.SetMultiBar(mbStacked100);
  c.Draw();
  c.Chart->SetView3D(true);
  c.Draw();
  SUCCEED();
}

// ---------------------------------------------------------------- styles

TEST_F(BarTest, EveryStyleDrawsInsideItsBarIn2DAnd3D) {
  c.FixAxes(-1, 2, -10, 10);
  bars.AppendPoint(0, 8, "", fw::clDefault);
  bars.AppendPoint(1, -8, "", fw::clDefault);
  for (bool view3D : {false, true}) {
    c.Chart->SetView3D(view3D);
    for (TBarStyle style : {bsRectangle, bsPyramid, bsInvPyramid, bsCylinder, bsEllipse, bsCone, bsArrow,
                            bsRectGradient}) {
      bars.SetBarStyle(style);
      c.Draw();
      for (int i = 0; i < 2; ++i) {
        const fw::TRect bar = bars.BarBounds(i);
        const int32_t x = (bar.Left + bar.Right) / 2;
        const int32_t y = (bar.Top + bar.Bottom) / 2;
        // The middle of the front face is coloured (pointed shapes too: the middle is inside).
        const fw::TColor middle = c.At(x, y);
        EXPECT_NE(middle, fw::clWhite) << style << " 3D " << view3D << " bar " << i;
        // Nothing red far beside the bar.
        EXPECT_NE(c.At(bar.Left - 6, y), fw::clRed) << style << " 3D " << view3D;
      }
    }
  }
}

TEST_F(BarTest, PointedShapesPointAwayFromTheOrigin) {
  c.FixAxes(-1, 2, -10, 10);
  bars.BarPen().SetVisible(false);
  bars.AppendPoint(0, 8, "", fw::clDefault);
  bars.AppendPoint(1, -8, "", fw::clDefault);
  bars.SetBarStyle(bsPyramid);
  c.Draw();
  const fw::TRect up = bars.BarBounds(0);
  const fw::TRect down = bars.BarBounds(1);
  // Near the value end only the middle is filled; near the origin the whole width.
  EXPECT_NE(c.At(up.Left + 1, up.Top + 2), fw::clRed);
  EXPECT_EQ(c.At(up.Left + 1, up.Bottom - 2), fw::clRed);
  EXPECT_NE(c.At(down.Left + 1, down.Bottom - 3), fw::clRed);
  EXPECT_EQ(c.At(down.Left + 1, down.Top + 1), fw::clRed);
  bars.SetBarStyle(bsInvPyramid);
  c.Draw();
  EXPECT_EQ(c.At(up.Left + 1, up.Top + 1), fw::clRed);
  EXPECT_NE(c.At(up.Left + 1, up.Bottom - 3), fw::clRed);
}

TEST_F(BarTest, GradientRunsFromThePointColourToWhite) {
  c.FixAxes(-1, 1, 0, 10);
  bars.AppendPoint(0, 10, "", fw::clDefault);
  bars.SetBarStyle(bsRectGradient);
  c.Draw();
  const fw::TRect bar = bars.BarBounds(0);
  const int32_t x = (bar.Left + bar.Right) / 2;
  const fw::TColor top = c.At(x, bar.Top + 2);
  const fw::TColor bottom = c.At(x, bar.Bottom - 3);
  EXPECT_GT(top & 0xFF, 0xF0u);      // red at the value end
  EXPECT_LT((top >> 8) & 0xFF, 0x20u);
  EXPECT_GT((bottom >> 8) & 0xFF, 0xE0u);  // nearly white at the origin
}

// ---------------------------------------------------------------- 3D

TEST_F(BarTest, In3DTheFaceHasShadedSidesAndSharedSlotsShareADepthLevel) {
  c.FixAxes(-1, 2, 0, 10);
  c.Chart->SetView3D(true);
  c.Chart->View3DOptions().SetOrthogonal(true);
  auto& second = c.Add<TBarSeries>("Series2");
  auto& line = c.Add<TFastLineSeries>("Series3");
  for (int i = 0; i < 2; ++i) {
    bars.AppendPoint(i, 5, "", fw::clDefault);
    second.AppendPoint(i, 6, "", fw::clDefault);
    line.AppendPoint(i, 1, "", fw::clDefault);
  }
  c.Draw();
  EXPECT_EQ(bars.DepthLevel(), second.DepthLevel());
  EXPECT_NE(bars.DepthLevel(), line.DepthLevel());
  EXPECT_EQ(c.Chart->MaxDepthLevel(), 1);
  bars.SetMultiBar(mbNone);
  c.Draw();
  EXPECT_EQ(c.Chart->MaxDepthLevel(), 2);
  EXPECT_GT(bars.DepthLevel(), second.DepthLevel());  // the first series lies deepest

  // One series alone: the front face in the point colour, the top shaded by 64.
  second.SetActive(false);
  line.SetActive(false);
  c.Draw();
  const fw::TRect bar = bars.BarBounds(0);
  const fw::TPoint front = c.Chart->Canvas().ProjectToPoint((bar.Left + bar.Right) / 2, (bar.Top + bar.Bottom) / 2,
                                                           bars.DepthStart());
  EXPECT_EQ(c.At(front.X, front.Y), fw::clRed);
  const fw::TPoint top = c.Chart->Canvas().ProjectToPoint((bar.Left + bar.Right) / 2, bar.Top,
                                                         (bars.DepthStart() + bars.DepthEnd()) / 2);
  EXPECT_EQ(c.At(top.X, top.Y), DarkenColor(fw::clRed, 64));
  bars.SetDark3D(false);
  c.Draw();
  EXPECT_EQ(c.At(top.X, top.Y), fw::clRed);
}

// ---------------------------------------------------------------- clicks, marks, legend

TEST_F(BarTest, ClickFindsTheBarUnderTheMouse) {
  c.FixAxes(-1, 3, -10, 10);
  bars.AppendPoint(0, 5, "", fw::clDefault);
  bars.AppendPoint(1, -5, "", fw::clDefault);
  bars.AppendPoint(2, 8, "", fw::clNone);
  c.Draw();
  EXPECT_EQ(bars.ClickedIndex(X(0), Y(2)), 0);
  EXPECT_EQ(bars.ClickedIndex(X(1), Y(-2)), 1);
  EXPECT_EQ(bars.ClickedIndex(X(0), Y(7)), -1);        // above the bar
  EXPECT_EQ(bars.ClickedIndex(X(0.5), Y(2)), -1);      // between bars
  EXPECT_EQ(bars.ClickedIndex(X(2), Y(2)), -1);        // a null point
  const fw::TRect bar = bars.BarBounds(0);
  EXPECT_EQ(bars.ClickedIndex(bar.Left, bar.Top), 0);
  EXPECT_EQ(bars.ClickedIndex(bar.Right, bar.Top), -1);
  EXPECT_EQ(bars.ClickedIndex(INT32_MIN, INT32_MAX), -1);

  c.Chart->SetView3D(true);
  c.Draw();
  const fw::TRect bar3D = bars.BarBounds(0);
  const fw::TPoint p = c.Chart->Canvas().ProjectToPoint((bar3D.Left + bar3D.Right) / 2,
                                                       (bar3D.Top + bar3D.Bottom) / 2, bars.DepthStart());
  EXPECT_EQ(bars.ClickedIndex(p.X, p.Y), 0);
}

TEST_F(BarTest, MarksSitBeyondTheBarEndsAndMoveOutOfEachOthersWay) {
  c.FixAxes(-1, 3, -10, 10);
  bars.Marks().SetVisible(true);
  bars.Marks().SetStyle(smsValue);
  bars.AppendPoint(0, 5, "", fw::clDefault);
  bars.AppendPoint(1, -5, "", fw::clDefault);
  c.Draw();
  const TSeriesMarkPosition* up = bars.Marks().PositionAt(0);
  const TSeriesMarkPosition* down = bars.Marks().PositionAt(1);
  ASSERT_NE(up, nullptr);
  ASSERT_NE(down, nullptr);
  EXPECT_EQ(up->ArrowFromY, Y(5));
  EXPECT_EQ(up->ArrowToY, Y(5) - 8);
  EXPECT_EQ(up->Bounds().Bottom, Y(5) - 8 + 1);
  EXPECT_EQ(up->ArrowFromX, (bars.BarBounds(0).Left + bars.BarBounds(0).Right - 1) / 2);
  EXPECT_EQ(down->ArrowToY, Y(-5) + 8);
  EXPECT_EQ(down->LeftTopY, Y(-5) + 8);

  // Two neighbouring bars of one height with wide marks: the second mark climbs over the first.
  bars.RemoveAllPoints();
  bars.SetBarWidthPercent(100);
  bars.AppendPoint(0, 5, "a wide mark text", fw::clDefault);
  bars.AppendPoint(1, 5, "another wide mark", fw::clDefault);
  bars.Marks().SetStyle(smsLabel);
  c.Draw();
  fw::TRect first = bars.Marks().PositionAt(0)->Bounds();
  fw::TRect second = bars.Marks().PositionAt(1)->Bounds();
  EXPECT_LE(second.Bottom, first.Top);
  bars.SetAutoMarkPosition(false);
  c.Draw();
  second = bars.Marks().PositionAt(1)->Bounds();
  EXPECT_EQ(second.Bottom, first.Bottom);
}

TEST_F(BarTest, LegendShowsOneBoxPerPointInItsColour) {
  c.Chart->Legend().SetVisible(true);
  bars.SetColorEachPoint(true);
  bars.AppendPoint(0, 5, "first", fw::clDefault);
  bars.AppendPoint(1, 3, "second", fw::clDefault);
  c.Draw();
  EXPECT_EQ(c.Chart->Legend().TotalItems(), 2);
  // Symbols drawn by the series: filled with the point colours.
  bool sawGreen = false;
  for (int32_t y = 0; y < c.Chart->Height(); ++y)
    for (int32_t x = c.Chart->Width() / 2; x < c.Chart->Width(); ++x)
      if (c.At(x, y) == fw::clGreen) sawGreen = true;
  EXPECT_TRUE(sawGreen);  // palette colour of point 1
}

// ---------------------------------------------------------------- horizontal bars

TEST(HorizBar, BarsRunAlongXAtTheirYPositions) {
  TSeriesChart c;
  auto& bars = c.Add<THorizBarSeries>("Series1");
  bars.SetSeriesColor(fw::clBlue);
  EXPECT_FALSE(bars.YMandatory());
  EXPECT_TRUE(bars.Horizontal());
  bars.AddMandatoryValue(4, "", fw::clDefault);
  bars.AddMandatoryValue(-2, "", fw::clDefault);
  EXPECT_EQ(bars.YValueOf(1), 1);
  EXPECT_EQ(bars.XValueOf(1), -2);
  // Placed by Y.
  EXPECT_EQ(bars.AppendPoint(3, 0.5, "", fw::clDefault), 1);
  c.FixAxes(-10, 10, -1, 2);
  c.Draw();
  const TAxisScale& xs = c.Chart->BottomAxis().Scale();
  const TAxisScale& ys = c.Chart->LeftAxis().Scale();
  const fw::TRect bar = bars.BarBounds(0);
  EXPECT_EQ(bar.Left, xs.ValueToPixel(0));
  EXPECT_EQ(bar.Right, xs.ValueToPixel(4) + 1);
  ExpectAcross(bar, true, ys.ValueToPixel(0), 0.5 * ys.AxisLength / ys.WorkingRange, 70);
  EXPECT_EQ(bars.BarBounds(2).Left, xs.ValueToPixel(-2));
  EXPECT_EQ(c.At(xs.ValueToPixel(2), ys.ValueToPixel(0)), fw::clBlue);
  EXPECT_EQ(bars.ClickedIndex(xs.ValueToPixel(-1), ys.ValueToPixel(1)), 2);
  EXPECT_EQ(bars.LowestX(), -2);
  EXPECT_EQ(bars.HighestX(), 4);
  EXPECT_EQ(bars.LowestY(), 0);
  EXPECT_EQ(bars.HighestY(), 1);

  bars.Marks().SetVisible(true);
  c.Draw();
  const TSeriesMarkPosition* right = bars.Marks().PositionAt(0);
  ASSERT_NE(right, nullptr);
  EXPECT_EQ(right->ArrowToX, xs.ValueToPixel(4) + 8);
  EXPECT_EQ(right->LeftTopX, xs.ValueToPixel(4) + 8);
  const TSeriesMarkPosition* left = bars.Marks().PositionAt(2);
  EXPECT_EQ(left->Bounds().Right, xs.ValueToPixel(-2) - 8 + 1);
}

TEST(HorizBar, AutomaticVerticalAxisKeepsHalfASlot) {
  TSeriesChart c;
  auto& bars = c.Add<THorizBarSeries>("Series1");
  for (int i = 0; i < 4; ++i) bars.AddMandatoryValue(i + 1, "", fw::clDefault);
  c.Draw();
  const TAxisScale& ys = c.Chart->LeftAxis().Scale();
  EXPECT_GE(bars.BarBounds(3).Top, ys.StartPixel);
  EXPECT_LE(bars.BarBounds(0).Bottom, ys.EndPixel);
  EXPECT_NEAR(ys.EndPixel - bars.BarBounds(0).Bottom, ys.AxisLength / 4.0 * 0.15, 1.5);
}

// ---------------------------------------------------------------- stored layout

TEST(BarLayout, EveryPublishedPropertyComesBack) {
  RegisterSeriesForm();
  TSeriesChart c;
  auto& bars = c.Add<TBarSeries>("Series1");
  auto& horizontal = c.Add<THorizBarSeries>("Series2");
  bars.SetBarWidthPercent(55);
  bars.SetOffsetPercent(-30);
  bars.SetMultiBar(mbStacked100);
  bars.SetBarStyle(bsCone);
  bars.SetYOrigin(2.5);
  bars.SetUseYOrigin(false);
  bars.SetDark3D(false);
  bars.SetSideMargins(false);
  bars.SetAutoMarkPosition(false);
  bars.BarPen().SetColor(fw::clBlue);
  bars.BarPen().SetWidth(2);
  bars.BarBrush().SetStyle(fw::bsCross);
  bars.BarBrush().SetColor(fw::clYellow);
  bars.SetColorEachPoint(true);
  horizontal.SetBarStyle(bsArrow);
  horizontal.SetMultiBar(mbNone);

  const std::string text = fw::TFormWriter::Write(c.Form);
  EXPECT_NE(text.find("object Series1: TBarSeries"), std::string::npos) << text;
  EXPECT_NE(text.find("object Series2: THorizBarSeries"), std::string::npos) << text;
  EXPECT_NE(text.find("BarStyle = bsCone"), std::string::npos) << text;
  EXPECT_NE(text.find("MultiBar = mbStacked100"), std::string::npos) << text;

  TSeriesForm second;
  fw::TFormReader::ReadRoot(second, text);
  EXPECT_EQ(fw::TFormWriter::Write(second), text);
  auto* read = dynamic_cast<TBarSeries*>(second.FindComponent("Series1"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->BarWidthPercent(), 55);
  EXPECT_EQ(read->OffsetPercent(), -30);
  EXPECT_EQ(read->MultiBar(), mbStacked100);
  EXPECT_EQ(read->BarStyle(), bsCone);
  EXPECT_EQ(read->YOrigin(), 2.5);
  EXPECT_FALSE(read->UseYOrigin());
  EXPECT_FALSE(read->Dark3D());
  EXPECT_FALSE(read->SideMargins());
  EXPECT_FALSE(read->AutoMarkPosition());
  EXPECT_EQ(read->BarPen().Color(), fw::clBlue);
  EXPECT_EQ(read->BarPen().Width(), 2);
  EXPECT_EQ(read->BarBrush().Style(), fw::bsCross);
  EXPECT_EQ(read->BarBrush().Color(), fw::clYellow);
  EXPECT_TRUE(read->ColorEachPoint());
  ASSERT_NE(read->ParentChart(), nullptr);
  auto* readHorizontal = dynamic_cast<THorizBarSeries*>(second.FindComponent("Series2"));
  ASSERT_NE(readHorizontal, nullptr);
  EXPECT_EQ(readHorizontal->BarStyle(), bsArrow);
  EXPECT_EQ(readHorizontal->MultiBar(), mbNone);
}

TEST(BarLayout, AnOutOfRangeWidthIsRefusedWithItsLine) {
  RegisterSeriesForm();
  TSeriesForm form;
  const std::string text =
      "object Form1: TSeriesForm\n"
      "  object Chart1: TChart\n"
      "    object Series1: TBarSeries\n"
      "      BarWidthPercent = 120\n"
      "    end\n"
      "  end\n"
      "end\n";
  try {
    fw::TFormReader::ReadRoot(form, text);
    ADD_FAILURE();
  } catch (const std::exception& e) {
    const std::string message = e.what();
    EXPECT_NE(message.find("Bar Width Percent must be between 1 and 100"), std::string::npos) << message;
    EXPECT_NE(message.find("4"), std::string::npos) << message;
  }
}

// The extremes and the smallest category step of bars on ascending categories are read from
// the lists' storage in one pass when it is one piece; with the storage split (a point inserted
// in the middle) they are read point by point. Both give the same ranges and bar widths, with
// infinite, NaN and enormous values, and the smallest step first or last.
TEST(BarStatistics, OnePieceStorageGivesWhatPointByPointReadingGives) {
  const double inf = std::numeric_limits<double>::infinity();
  const auto same = [](double x, double y) { return x == y || (std::isnan(x) && std::isnan(y)); };
  const std::vector<std::vector<std::pair<double, double>>> cases = {
      {{0, 5}, {0.25, 7}, {1, -3}, {2, 4}, {3, 2}},                  // smallest step first
      {{0, 5}, {1, 7}, {2, -3}, {3, 4}, {3.5, 2}},                   // smallest step last
      {{0, inf}, {1, 7}, {2, -inf}, {3, NaN}, {4, 2}, {4, 3}},       // infinities, NaN, a repeat
      {{-1e308, 1}, {0, 1e308}, {1e308, -1e308}, {1e308, 4}},        // steps beyond any double
      {{0, NaN}, {1, NaN}, {2, NaN}},                                // no value at all
      {{1, -3}, {1, 4}, {1, 4}},                                     // one category
      {{0, 0}, {2, 0}, {3, NaN}},                                    // only zeros
      {{0, 1}, {0, 2}, {1, 3}, {1, 4}, {2, 5}, {2.5, 6}, {3, 7}, {3, 8}, {4, 9}, {4, 1}, {6, 2}},  // repeats
  };
  for (size_t k = 0; k < cases.size(); ++k) {
    for (const bool horizontal : {false, true}) {
      TSeriesChart whole, split;
      auto add = [horizontal](TSeriesChart& c) -> TCustomBarSeries& {
        if (horizontal) return c.Add<THorizBarSeries>("Series1");
        return c.Add<TBarSeries>("Series1");
      };
      TCustomBarSeries& a = add(whole);
      TCustomBarSeries& b = add(split);
      for (TCustomBarSeries* s : {&a, &b}) s->SetYOrigin(5);  // an origin apart from every value
      const auto& points = cases[k];
      auto append = [horizontal](TCustomBarSeries& s, double category, double value) {
        if (horizontal)
          s.AppendPoint(value, category, "", fw::clDefault);
        else
          s.AppendPoint(category, value, "", fw::clDefault);
      };
      for (const auto& [category, value] : points) append(a, category, value);
      // The middle point last: it goes in between, and the storage is no longer one piece.
      const size_t middle = points.size() / 2;
      for (size_t i = 0; i < points.size(); ++i)
        if (i != middle) append(b, points[i].first, points[i].second);
      append(b, points[middle].first, points[middle].second);
      ASSERT_EQ(a.PointCount(), b.PointCount());
      const std::string what = "case " + std::to_string(k) + (horizontal ? " horizontal" : "");
      EXPECT_TRUE(same(a.LowestX(), b.LowestX())) << what;
      EXPECT_TRUE(same(a.HighestX(), b.HighestX())) << what;
      EXPECT_TRUE(same(a.LowestY(), b.LowestY())) << what;
      EXPECT_TRUE(same(a.HighestY(), b.HighestY())) << what;
      whole.Draw();
      split.Draw();
      for (int32_t i = 0; i < a.PointCount(); ++i) EXPECT_EQ(a.BarBounds(i), b.BarBounds(i)) << what << " bar " << i;
    }
  }
}

// The smallest category step is kept from frame to frame while the data stays. Each change
// between two frames (a point in between, a value moved or removed, a new multiplier, points
// exchanged, sorted, cleared and refilled) gives the bars of a series built afresh with the data.
TEST(BarStatistics, KeptStepFollowsChangesBetweenFrames) {
  TSeriesChart kept;
  TBarSeries& bars = kept.Add<TBarSeries>("Series1");
  for (int i = 0; i < 40; ++i) bars.AppendPoint(i * 4.0, 10 + i % 7, "", fw::clDefault);
  const auto expectFreshBars = [&](const std::string& what) {
    kept.Draw();
    TSeriesChart fresh;
    TBarSeries& again = fresh.Add<TBarSeries>("Series1");
    again.XValues().SetMultiplier(bars.XValues().Multiplier());
    again.XValues().SetOrder(loNone);  // the points as they stand, in or out of order
    for (int32_t i = 0; i < bars.PointCount(); ++i)
      again.AppendPoint(bars.XValues().RawValueAt(i), bars.YValues().ValueAt(i), "", fw::clDefault);
    fresh.Draw();
    ASSERT_EQ(again.PointCount(), bars.PointCount()) << what;
    for (int32_t i = 0; i < bars.PointCount(); ++i)
      EXPECT_EQ(bars.BarBounds(i), again.BarBounds(i)) << what << " bar " << i;
  };
  expectFreshBars("first frame");
  // Changes that leave the storage one piece: the kept step is read.
  bars.AppendPoint(156.5, 5, "", fw::clDefault);  // 0.5 after the last
  expectFreshBars("a point at the end, closer");
  bars.XValues().SetValueAt(bars.PointCount() - 1, 157);
  expectFreshBars("the last category moved");
  bars.DeletePoint(bars.PointCount() - 1);
  expectFreshBars("the last point removed");
  bars.XValues().SetMultiplier(0.5);
  expectFreshBars("a new multiplier");
  bars.ExchangePoints(0, 1);
  expectFreshBars("two points exchanged");
  bars.XValues().SortByOrder();
  expectFreshBars("sorted again");
  // A point in between splits the storage: the step is found point by point.
  bars.AppendPoint(41, 5, "", fw::clDefault);
  expectFreshBars("a point in between");
  bars.RemoveAllPoints();
  for (int i = 0; i < 30; ++i) bars.AppendPoint(i * 0.25, 3, "", fw::clDefault);
  expectFreshBars("cleared and refilled");
}

// ---------------------------------------------------------------- the covered-bars pass

// Every pixel of a frame drawn with and without skipping the covered parts of bars.
void ExpectSamePixelsBothWays(TSeriesChart& c, const std::vector<TCustomBarSeries*>& series,
                              const std::string& what) {
  for (TCustomBarSeries* s : series) s->SetSkipCoveredBars(false);
  c.Draw();  // the first frame settles the layout that the next two share
  c.Draw();
  std::vector<fw::TColor> expected;
  for (int32_t y = 0; y < c.Chart->Height(); ++y)
    for (int32_t x = 0; x < c.Chart->Width(); ++x) expected.push_back(c.At(x, y));
  for (TCustomBarSeries* s : series) s->SetSkipCoveredBars(true);
  c.Draw();
  int32_t differences = 0;
  size_t k = 0;
  for (int32_t y = 0; y < c.Chart->Height(); ++y)
    for (int32_t x = 0; x < c.Chart->Width(); ++x)
      if (c.At(x, y) != expected[k++] && ++differences <= 3) ADD_FAILURE() << what << " differs at " << x << ", " << y;
  EXPECT_EQ(differences, 0) << what;
}

TEST(BarCoveredParts, SkippingCoveredPartsGivesTheSamePixels) {
  TSeriesChart c(420, 260);
  auto& bars = c.Add<TBarSeries>("Series1");
  auto& second = c.Add<TBarSeries>("Series2");
  uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return static_cast<double>((seed >> 8) % 2001) / 10.0 - 100.0;
  };
  for (int i = 0; i < 3000; ++i) {
    bars.AppendPoint(i, next(), "", i % 97 == 5 ? fw::clNone : fw::clDefault);
    second.AppendPoint(i, 40 * std::sin(i * 0.01), "", fw::clDefault);
  }
  ExpectSamePixelsBothWays(c, {&bars, &second}, "narrow bars side by side");
  bars.SetMultiBar(mbNone);
  bars.SetColorEachPoint(true);
  ExpectSamePixelsBothWays(c, {&bars, &second}, "overlapping, each point coloured");
  bars.BarPen().SetVisible(false);
  bars.SetYOrigin(-30);
  ExpectSamePixelsBothWays(c, {&bars, &second}, "no outline, origin moved");
  bars.SetUseYOrigin(false);
  bars.BarPen().SetVisible(true);
  ExpectSamePixelsBothWays(c, {&bars, &second}, "bars on the axis minimum");
  c.Chart->BottomAxis().SetAxisRange(100, 160);
  ExpectSamePixelsBothWays(c, {&bars, &second}, "wide bars, zoomed");
  bars.SetMultiBar(mbSide);
  bars.SetOffsetPercent(-35);
  bars.SetBarWidthPercent(93);
  c.Chart->LeftAxis().SetInverted(true);
  ExpectSamePixelsBothWays(c, {&bars, &second}, "offset bars side by side, zoomed, value axis inverted");

  TSeriesChart h(300, 420);
  auto& horizontal = h.Add<THorizBarSeries>("Series1");
  for (int i = 0; i < 2000; ++i) horizontal.AddMandatoryValue(i % 7 == 0 ? -next() : next(), "", fw::clDefault);
  ExpectSamePixelsBothWays(h, {&horizontal}, "horizontal bars");
}

/// A whole number below n from a linear congruential sequence, the same on every platform.
struct TBelow {
  uint32_t seed;
  uint32_t operator()(uint32_t n) {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) % n;
  }
};

// Tens of bars on every pixel across: only those reaching past every later bar on their pixel
// are placed, or for bars all outline the two reaching furthest. Random walks crossing the
// origin, null points, NaN values, repeated values, colours of their own, an inverted axis,
// outlines hidden and wide; and values that do not all map monotonically, for which every bar
// is placed.
TEST(BarCoveredParts, DenseBarsGiveThePixelsOfEveryBarDrawn) {
  TBelow next{99};
  for (int round = 0; round < 14; ++round) {
    const bool horizontal = round % 2 == 1;
    TSeriesChart c(horizontal ? 260 : 380, horizontal ? 380 : 260);
    TCustomBarSeries* bars = horizontal ? static_cast<TCustomBarSeries*>(&c.Add<THorizBarSeries>("Series1"))
                                        : static_cast<TCustomBarSeries*>(&c.Add<TBarSeries>("Series1"));
    bars->SetMultiBar(mbNone);
    double value = 0;
    const int n = 8000 + static_cast<int>(next(12000));
    for (int i = 0; i < n; ++i) {
      value += static_cast<double>(next(201)) / 10.0 - 10.0;
      if (next(200) == 0) value = -value;
      double v = next(7) == 0 ? std::round(value / 10) * 10 : value;  // repeats
      if (round >= 4 && next(500) == 0) v = std::numeric_limits<double>::quiet_NaN();
      if ((round == 7 || round == 13) && i % 97 == 0) v = 1e300;  // far beyond any pixel
      const fw::TColor colour = round >= 8                        ? fw::clDefault  // none of their own
                                : round >= 4 && next(300) == 0 ? fw::clNone
                                                               : (next(5) == 0 ? fw::clBlue : fw::clDefault);
      bars->AddMandatoryValue(v, "", colour);
    }
    if (round == 3 || round == 9 || round == 10) bars->SetColorEachPoint(true);
    if (round == 10) bars->BarPen().SetVisible(false);
    if (round == 11) bars->BarPen().SetWidth(2);
    if (round == 12) bars->SetBarWidthPercent(100);
    if (round == 5) (horizontal ? c.Chart->BottomAxis() : c.Chart->LeftAxis()).SetInverted(true);
    if (round == 6) bars->SetYOrigin(15);
    if (round == 7 || round == 13) {  // the far value maps to the axis's centre, off the monotone map
      TChartAxis& axis = horizontal ? c.Chart->BottomAxis() : c.Chart->LeftAxis();
      axis.SetAutomatic(false);
      axis.SetAxisRange(-150, 150);
    }
    ExpectSamePixelsBothWays(c, {bars}, "round " + std::to_string(round));
    if (HasFailure()) return;
  }
}

// In 3D, a bar that a later bar of its run contains is left out, and one reaching past such a
// bar only at its low end is drawn up to one pixel into it: random dense and sparse bars,
// vertical and horizontal, positive and negative, side by side, with and without outlines,
// shading, colours of their own, zoom and depth, values multiplied, a point deleted; views and
// pens that do not allow it are drawn in full both ways.
TEST(BarCoveredParts, LeavingOutContainedBarsIn3DGivesTheSamePixels) {
  TBelow next{2026};
  for (int round = 0; round < 36; ++round) {
    TSeriesChart c(160 + static_cast<int32_t>(next(200)), 120 + static_cast<int32_t>(next(160)));
    c.Chart->SetView3D(true);
    c.Chart->SetChart3DPercent(1 + static_cast<int32_t>(next(60)));
    c.Chart->View3DOptions().SetOrthogonal(round % 9 != 4);
    c.Chart->View3DOptions().SetZoom(std::vector<int32_t>{100, 100, 100, 73, 130, 251}[next(6)]);
    const bool horizontal = round % 3 == 1;
    TCustomBarSeries* bars = horizontal ? static_cast<TCustomBarSeries*>(&c.Add<THorizBarSeries>("Series1"))
                                        : static_cast<TCustomBarSeries*>(&c.Add<TBarSeries>("Series1"));
    TCustomBarSeries* second = nullptr;
    if (round % 4 == 2) {
      second = horizontal ? static_cast<TCustomBarSeries*>(&c.Add<THorizBarSeries>("Series2"))
                          : static_cast<TCustomBarSeries*>(&c.Add<TBarSeries>("Series2"));
      bars->SetMultiBar(mbSide);
    } else {
      bars->SetMultiBar(mbNone);
    }
    const int n = 20 + static_cast<int>(next(4000));
    double value = 0;
    for (int i = 0; i < n; ++i) {
      value += static_cast<double>(next(201)) / 10.0 - 10.0;
      if (next(50) == 0) value = -value;
      bars->AddMandatoryValue(value, "", next(90) == 0 ? fw::clNone : fw::clDefault);
      if (second) second->AddMandatoryValue(40 * std::sin(i * 0.01), "", fw::clDefault);
    }
    bars->SetColorEachPoint(next(3) == 0);
    bars->SetDark3D(next(4) != 0);
    switch (next(6)) {
      case 0: bars->BarPen().SetVisible(false); break;
      case 1: bars->BarPen().SetWidth(2); break;
      case 2: bars->BarPen().SetStyle(fw::psDot); break;
      default: break;
    }
    if (next(4) == 0) bars->SetUseYOrigin(false);
    if (next(4) == 0) bars->SetYOrigin(static_cast<double>(next(60)) - 30);
    // Values multiplied, and the store's gap (where a point was deleted) inside a category pixel.
    if (next(4) == 0) bars->MandatoryList().SetMultiplier(next(2) ? -1.5 : 0.5);
    if (next(3) == 0) bars->DeletePoint(1 + static_cast<int32_t>(next(static_cast<uint32_t>(n - 2))));
    std::vector<TCustomBarSeries*> all{bars};
    if (second) all.push_back(second);
    ExpectSamePixelsBothWays(c, all, "round " + std::to_string(round));
    if (HasFailure()) return;
  }
}

// ---------------------------------------------------------------- many points

TEST(BarMany, AMillionBarsDrawAndAnswerClicks) {
  TSeriesChart c;
  auto& bars = c.Add<TBarSeries>("Series1");
  bars.SetSeriesColor(fw::clRed);
  for (int i = 0; i < 1000000; ++i) bars.AppendPoint(i, (i % 100) + 1, "", fw::clDefault);
  c.Draw();
  const fw::TRect first = bars.BarBounds(0);
  EXPECT_EQ(first.Right - first.Left, 1);  // at least one pixel wide
  EXPECT_GE(bars.ClickedIndex(first.Left, first.Bottom - 1), 0);
}

}  // namespace
}  // namespace chart::test

namespace {

// The short AppendPoint(x, y) reaches the horizontal bar's own add, which keeps the points in
// the order of their Y values (the values across).
TEST(HorizBarAppend, TheShortOverloadOrdersByTheValuesAcross) {
  chart::THorizBarSeries bars(nullptr);
  bars.AppendPoint(10, 3);
  bars.AppendPoint(20, 1);
  bars.AppendPoint(30, 2, "", fw::clDefault);
  ASSERT_EQ(bars.PointCount(), 3);
  EXPECT_EQ(bars.XValueOf(0), 20);
  EXPECT_EQ(bars.XValueOf(1), 30);
  EXPECT_EQ(bars.XValueOf(2), 10);
}

}  // namespace
