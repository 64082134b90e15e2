#include "chart/axes/TCustomChartAxis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "chart/ChartConst.h"
#include "chart/ChartException.h"
#include "chart/axes/TChartAxisTitle.h"
#include "chart/canvas/TChartPen.h"
#include "tests/chart/axes/FakeAxisHost.h"

using namespace chart;
using axistest::ChartAxes;
using axistest::FakeAxisHost;
using axistest::FixRange;
using axistest::Layout;

namespace {

template <typename F>
std::string MessageOf(F&& f) {
  try {
    f();
  } catch (const fw::Exception& e) {
    return e.Message();
  }
  return "(nothing thrown)";
}

}  // namespace

TEST(ChartAxis, Defaults) {
  FakeAxisHost host;
  TChartAxis axis(&host);
  EXPECT_TRUE(axis.Automatic());
  EXPECT_TRUE(axis.AutomaticMaximum());
  EXPECT_TRUE(axis.AutomaticMinimum());
  EXPECT_EQ(axis.Increment(), 0);
  EXPECT_EQ(axis.Maximum(), 0);
  EXPECT_EQ(axis.Minimum(), 0);
  EXPECT_FALSE(axis.Logarithmic());
  EXPECT_EQ(axis.LogarithmicBase(), 10);
  EXPECT_EQ(axis.Axis().Width(), 2);
  EXPECT_TRUE(axis.Axis().Visible());
  EXPECT_TRUE(axis.Grid().Visible());
  EXPECT_FALSE(axis.MinorGrid().Visible());
  EXPECT_TRUE(axis.Ticks().Visible());
  EXPECT_EQ(axis.TitleSize(), 0);
  EXPECT_EQ(axis.Title().Angle(), 0);
  EXPECT_EQ(axis.Title().Caption(), "");
  EXPECT_FALSE(axis.GridCentered());
  EXPECT_TRUE(axis.Labels());
  EXPECT_EQ(axis.LabelsAngle(), 0);
  EXPECT_EQ(axis.LabelsFont().Name(), "Arial");
  EXPECT_EQ(axis.LabelsFont().Size(), 8);
  EXPECT_EQ(axis.LabelsFont().Color(), fw::clBlack);
  EXPECT_TRUE(axis.LabelsOnAxis());
  EXPECT_EQ(axis.LabelsSeparation(), 10);
  EXPECT_EQ(axis.LabelsSize(), 0);
  EXPECT_EQ(axis.LabelStyle(), talAuto);
  EXPECT_EQ(axis.AxisValuesFormat(), "#,##0.###");
  EXPECT_EQ(axis.DateTimeFormat(), "");
  EXPECT_TRUE(axis.ExactDateTime());
  EXPECT_TRUE(axis.RoundFirstLabel());
  EXPECT_FALSE(axis.LabelsMultiLine());
  EXPECT_EQ(axis.MinorTickCount(), 3);
  EXPECT_EQ(axis.MinorTickLength(), 2);
  EXPECT_EQ(axis.TickInnerLength(), 0);
  EXPECT_EQ(axis.TickLength(), 4);
  EXPECT_TRUE(axis.TickOnLabelsOnly());
  EXPECT_FALSE(axis.Inverted());
  EXPECT_TRUE(axis.Visible());
  EXPECT_EQ(axis.StartPosition(), 0);
  EXPECT_EQ(axis.EndPosition(), 100);
  EXPECT_EQ(axis.PositionPercent(), 0);
  EXPECT_FALSE(axis.IsDepth());
}

TEST(ChartAxis, CreatedAxesJoinTheChartInOrder) {
  FakeAxisHost host;
  ChartAxes axes(host);
  ASSERT_EQ(host.AxisCount(), 5);
  EXPECT_EQ(&host.Axes(0), &axes.Bottom);
  EXPECT_EQ(&host.Axes(2), &axes.Left);
  EXPECT_EQ(&host.Axes(4), &axes.Depth);
  EXPECT_EQ(axes.Left.Title().Angle(), 90);
  EXPECT_EQ(axes.Left.DefaultTitleAngle(), 90);
  EXPECT_EQ(axes.Right.DefaultTitleAngle(), 270);
  EXPECT_EQ(axes.Bottom.DefaultTitleAngle(), 0);
}

TEST(ChartAxis, SettersInvalidateOnlyOnChange) {
  FakeAxisHost host;
  TChartAxis axis(&host);
  host.Invalidations = 0;
  axis.SetTickLength(4);
  axis.SetLabelsOnAxis(true);
  axis.SetAxisValuesFormat("#,##0.###");
  EXPECT_EQ(host.Invalidations, 0);
  axis.SetTickLength(7);
  EXPECT_EQ(axis.TickLength(), 7);
  EXPECT_EQ(host.Invalidations, 1);
  axis.LabelsFont().SetSize(12);  // a change of an owned object repaints too
  axis.Grid().SetVisible(false);
  axis.Title().SetCaption("Time");
  EXPECT_EQ(host.Invalidations, 4);
}

TEST(ChartAxisValidation, RejectedSettingsKeepTheirOldValue) {
  FakeAxisHost host;
  TChartAxis axis(&host);
  FixRange(axis, -1000, 1000);
  EXPECT_EQ(MessageOf([&] { axis.SetMinimum(1001); }), "Axis Minimum Value must be <= Maximum");
  EXPECT_EQ(axis.Minimum(), -1000);
  EXPECT_EQ(MessageOf([&] { axis.SetMaximum(-1001); }), "Axis Maximum Value must be >= Minimum");
  EXPECT_EQ(axis.Maximum(), 1000);
  axis.SetMinimum(1000);  // equal ends are allowed
  EXPECT_EQ(axis.Minimum(), 1000);

  axis.SetIncrement(10);
  EXPECT_EQ(MessageOf([&] { axis.SetIncrement(-1); }), "Axis increment must be >= 0");
  EXPECT_EQ(axis.Increment(), 10);
  axis.SetLogarithmicBase(3);
  EXPECT_EQ(MessageOf([&] { axis.SetLogarithmicBase(1); }), "Axis Logarithmic Base should be >= 2");
  EXPECT_EQ(axis.LogarithmicBase(), 3);
  axis.SetLabelsSeparation(0);
  EXPECT_EQ(MessageOf([&] { axis.SetLabelsSeparation(-1); }), "Labels Separation % must be greater than 0");
  EXPECT_EQ(axis.LabelsSeparation(), 0);
  EXPECT_EQ(MessageOf([&] { axis.SetLabelsAngle(360); }), "Axis Labels Angle must be between 0 and 359 degrees");
  EXPECT_EQ(axis.LabelsAngle(), 0);
  axis.SetLabelsAngle(90);
  EXPECT_EQ(MessageOf([&] { axis.Title().SetAngle(-1); }), "Axis Title Angle must be between 0 and 359 degrees");
  EXPECT_EQ(axis.Title().Angle(), 0);
}

TEST(ChartAxisValidation, ExceptionClasses) {
  FakeAxisHost host;
  TChartAxis axis(&host);
  EXPECT_THROW(axis.SetIncrement(-5), AxisException);
  EXPECT_THROW(axis.SetLabelsAngle(400), ChartException);
}

TEST(ChartAxisValidation, NumbersThatAreNotFiniteAreRejected) {
  FakeAxisHost host;
  TChartAxis axis(&host);
  FixRange(axis, 0, 10);
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_THROW(axis.SetIncrement(std::nan("")), AxisException);
  EXPECT_THROW(axis.SetIncrement(inf), AxisException);
  EXPECT_THROW(axis.SetMaximum(std::nan("")), AxisException);
  EXPECT_THROW(axis.SetMaximum(inf), AxisException);
  EXPECT_THROW(axis.SetMinimum(-inf), AxisException);
  host.Loading = true;
  EXPECT_THROW(axis.SetMinimum(std::nan("")), AxisException);
  EXPECT_EQ(axis.Minimum(), 0);
  EXPECT_EQ(axis.Maximum(), 10);
  EXPECT_EQ(axis.Increment(), 0);
}

TEST(ChartAxisValidation, LoadingSkipsThePairedRangeChecks) {
  FakeAxisHost host;
  TChartAxis axis(&host);
  host.Loading = true;
  axis.SetMinimum(500);  // above the stored maximum 0
  axis.SetMaximum(1000);
  EXPECT_EQ(axis.Minimum(), 500);
  EXPECT_EQ(axis.Maximum(), 1000);
  host.Loading = false;
  EXPECT_THROW(axis.SetMinimum(2000), AxisException);
}

TEST(ChartAxisValidation, LogarithmicNeedsANonNegativeRange) {
  FakeAxisHost host;
  TChartAxis axis(&host);
  FixRange(axis, -5, 100);
  EXPECT_EQ(MessageOf([&] { axis.SetLogarithmic(true); }), "Logarithmic Axis Min and Max values should be >= 0");
  EXPECT_FALSE(axis.Logarithmic());
  axis.SetMinimum(0);
  axis.SetLogarithmic(true);
  EXPECT_TRUE(axis.Logarithmic());
}

TEST(ChartAxisAutomatic, FlagsCouple) {
  FakeAxisHost host;
  TChartAxis axis(&host);
  axis.SetAutomatic(false);
  EXPECT_FALSE(axis.AutomaticMinimum());
  EXPECT_FALSE(axis.AutomaticMaximum());
  axis.SetAutomaticMinimum(true);
  EXPECT_FALSE(axis.Automatic());  // the maximum is still fixed
  axis.SetAutomaticMaximum(true);
  EXPECT_TRUE(axis.Automatic());
  axis.SetAutomaticMaximum(false);
  EXPECT_FALSE(axis.Automatic());
  EXPECT_TRUE(axis.AutomaticMinimum());
  axis.SetAutomatic(true);
  EXPECT_TRUE(axis.AutomaticMaximum());
}

TEST(ChartAxisAutomatic, LoadingLeavesTheOtherFlags) {
  FakeAxisHost host;
  TChartAxis axis(&host);
  host.Loading = true;
  axis.SetAutomatic(false);
  EXPECT_FALSE(axis.Automatic());
  EXPECT_TRUE(axis.AutomaticMinimum());
  EXPECT_TRUE(axis.AutomaticMaximum());
}

TEST(ChartAxisRange, AutomaticEndsComeFromTheData) {
  FakeAxisHost host;
  TChartAxis axis(&host);
  axis.SetIsHorizontal(true);
  host.DataMinimum = 3;
  host.DataMaximum = 97;
  host.Invalidations = 0;
  axis.ComputeWorkingRange();
  EXPECT_EQ(axis.Minimum(), 3);
  EXPECT_EQ(axis.Maximum(), 97);
  EXPECT_EQ(axis.WorkingRange(), 94);
  EXPECT_EQ(host.Invalidations, 0);
  axis.SetAutomaticMaximum(false);
  axis.SetMaximum(200);
  axis.ComputeWorkingRange();
  EXPECT_EQ(axis.WorkingMaximum(), 200);
  EXPECT_EQ(axis.WorkingMinimum(), 3);
}

TEST(ChartAxisRange, PixelSpanFromThePlotRectangle) {
  FakeAxisHost host;
  ChartAxes axes(host);
  host.Plot = {40, 40, 480, 480};
  axes.Left.ComputePixelSpan();
  EXPECT_EQ(axes.Left.StartPixel(), 40);
  EXPECT_EQ(axes.Left.EndPixel(), 480);
  EXPECT_EQ(axes.Left.CenterPixel(), 260);
  axes.Bottom.SetStartPosition(25);
  axes.Bottom.SetEndPosition(50.5);
  axes.Bottom.ComputePixelSpan();
  EXPECT_EQ(axes.Bottom.StartPixel(), 150);
  EXPECT_EQ(axes.Bottom.EndPixel(), 262);  // 40 + 222.2
  EXPECT_EQ(axes.Bottom.AxisLength(), 112);
}

TEST(ChartAxisRange, MappingRoundTrip) {
  FakeAxisHost host;
  ChartAxes axes(host);
  host.Plot = {40, 40, 480, 480};
  FixRange(axes.Left, -1000, 1000);
  Layout(axes.Left);
  EXPECT_EQ(axes.Left.ValueToPixel(0), 260);
  EXPECT_EQ(axes.Left.ValueToPixel(1000), 40);
  EXPECT_EQ(axes.Left.ValueToPixel(-1000), 480);
  for (double v = -1000; v <= 1000; v += 13)
    EXPECT_NEAR(axes.Left.PixelToValue(axes.Left.ValueToPixel(v)), v, 2000.0 / 440 / 2 + 1e-9);
  axes.Bottom.SetInverted(true);
  FixRange(axes.Bottom, 0, 10);
  Layout(axes.Bottom);
  EXPECT_EQ(axes.Bottom.ValueToPixel(0), axes.Bottom.EndPixel());
}

TEST(ChartAxisRange, EqualEndsMapToTheCentre) {
  FakeAxisHost host;
  ChartAxes axes(host);
  FixRange(axes.Bottom, 5, 5);
  Layout(axes.Bottom);
  EXPECT_EQ(axes.Bottom.ValueToPixel(-1e9), axes.Bottom.CenterPixel());
  EXPECT_EQ(axes.Bottom.ValueToPixel(5), axes.Bottom.CenterPixel());
}

TEST(ChartAxisRange, DepthAxisMapsToDepth) {
  FakeAxisHost host;
  ChartAxes axes(host);
  host.DepthWidth = 60;
  FixRange(axes.Depth, 0, 3);
  Layout(axes.Depth);
  EXPECT_EQ(axes.Depth.ValueToPixel(1.5), 30);
  EXPECT_EQ(axes.Depth.ValueToPixel(3), 60);
}

TEST(ChartAxisRange, SetAxisRangeOrdersAndWidensWithoutValidation) {
  FakeAxisHost host;
  TChartAxis axis(&host);
  axis.SetAxisRange(7, 3);
  EXPECT_EQ(axis.Minimum(), 3);
  EXPECT_EQ(axis.Maximum(), 7);
  EXPECT_FALSE(axis.Automatic());
  EXPECT_FALSE(axis.AutomaticMinimum());
  EXPECT_FALSE(axis.AutomaticMaximum());
  axis.SetAxisRange(5, 5);
  EXPECT_EQ(axis.Minimum(), 5);
  EXPECT_EQ(axis.Maximum(), 5 + 1e-10);
  axis.SetAxisRange(-20, -10);  // the minimum first would fail a checked setter
  EXPECT_EQ(axis.Minimum(), -20);
  EXPECT_EQ(axis.Maximum(), -10);
}

TEST(ChartAxisRange, ShiftRangeHonoursTheDataLimits) {
  FakeAxisHost host;
  TChartAxis axis(&host);
  FixRange(axis, 0, 100);
  host.DataMinimum = 0;
  host.DataMaximum = 100;
  axis.ShiftRange(10, true);
  EXPECT_EQ(axis.Maximum(), 100);
  axis.ShiftRange(0, true);
  EXPECT_EQ(axis.Maximum(), 100);
  host.DataMaximum = 150;
  axis.ShiftRange(10, true);
  EXPECT_EQ(axis.Minimum(), 10);
  EXPECT_EQ(axis.Maximum(), 110);
  axis.ShiftRange(-5, true);  // the data minimum 0 lies below 10
  EXPECT_EQ(axis.Minimum(), 5);
  axis.ShiftRange(-500, false);
  EXPECT_EQ(axis.Minimum(), -495);
}

TEST(ChartAxisRange, MarginsWidenTheRange) {
  FakeAxisHost host;
  ChartAxes axes(host);
  host.Plot = {0, 0, 100, 100};
  FixRange(axes.Bottom, 0, 80);
  Layout(axes.Bottom);
  axes.Bottom.WidenForMargins(fw::TRect{10, 0, 10, 0});
  EXPECT_DOUBLE_EQ(axes.Bottom.WorkingMinimum(), -10);
  EXPECT_DOUBLE_EQ(axes.Bottom.WorkingMaximum(), 90);
  EXPECT_EQ(axes.Bottom.StartPixel(), 0);
  EXPECT_EQ(axes.Bottom.EndPixel(), 100);
  FixRange(axes.Left, 0, 80);
  Layout(axes.Left);
  axes.Left.WidenForMargins(fw::TRect{0, 0, 0, 0});
  EXPECT_EQ(axes.Left.WorkingMinimum(), 0);
  EXPECT_EQ(axes.Left.WorkingMaximum(), 80);
}

TEST(ChartAxisRange, ContainsPointBetweenLabelsAndLine) {
  FakeAxisHost host;
  ChartAxes axes(host);
  host.Plot = {50, 20, 450, 300};
  FixRange(axes.Bottom, 0, 10);
  fw::TRect r = host.Plot;
  axes.Bottom.ReserveSpace(r, true);
  host.Plot = r;
  Layout(axes.Bottom);
  axes.Bottom.DrawAxis(true);
  const int32_t line = axes.Bottom.AxisLinePosition();
  EXPECT_LT(line, axes.Bottom.LabelsPosition());
  EXPECT_TRUE(axes.Bottom.AxisContainsPoint(100, line - 3));
  EXPECT_FALSE(axes.Bottom.AxisContainsPoint(100, line - 4));
  EXPECT_TRUE(axes.Bottom.AxisContainsPoint(100, axes.Bottom.LabelsPosition() - 1));
  EXPECT_FALSE(axes.Bottom.AxisContainsPoint(100, axes.Bottom.LabelsPosition()));
  EXPECT_FALSE(axes.Bottom.AxisContainsPoint(axes.Bottom.EndPixel(), line));
  host.Shown = false;
  EXPECT_FALSE(axes.Bottom.AxisContainsPoint(100, line));
}

TEST(ChartAxis, CopySettingsFrom) {
  FakeAxisHost host;
  ChartAxes axes(host);
  FixRange(axes.Left, -1000, 1000);
  axes.Left.SetIncrement(10);
  axes.Left.Title().SetCaption("Y");
  axes.Left.Grid().SetVisible(false);
  axes.Left.LabelsFont().SetSize(11);
  axes.Left.SetPositionPercent(50);
  axes.Right.CopySettingsFrom(axes.Left);
  EXPECT_EQ(axes.Right.Minimum(), -1000);
  EXPECT_EQ(axes.Right.Increment(), 10);
  EXPECT_FALSE(axes.Right.Automatic());
  EXPECT_EQ(axes.Right.Title().Caption(), "Y");
  EXPECT_EQ(axes.Right.Title().Angle(), 90);
  EXPECT_FALSE(axes.Right.Grid().Visible());
  EXPECT_EQ(axes.Right.LabelsFont().Size(), 11);
  EXPECT_EQ(axes.Right.PositionPercent(), 50);
  EXPECT_FALSE(axes.Right.IsOtherSide());  // the side comes along too
}

TEST(ChartAxis, WithoutSeriesNoDateTime) {
  FakeAxisHost host;
  TChartAxis axis(&host);
  EXPECT_FALSE(axis.UsesDateTime());
  EXPECT_EQ(axis.EffectiveLabelStyle(), talNone);
  axis.SetLabelStyle(talValue);
  EXPECT_EQ(axis.EffectiveLabelStyle(), talValue);
}
