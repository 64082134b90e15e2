#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "chart/ChartConst.h"
#include "chart/ChartException.h"
#include "chart/canvas/TChartPen.h"
#include "chart/data/TSeriesMarks.h"
#include "chart/panel/ChartPalette.h"
#include "chart/series/TLineSeries.h"
#include "chart/series/TPieSeries.h"
#include "framework/streaming/TFormReader.h"
#include "framework/streaming/TFormWriter.h"
#include "tests/chart/barpie/BarPieTestSupport.h"

namespace chart::test {
namespace {

constexpr double Pi = std::numbers::pi;
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

class PieTest : public ::testing::Test {
protected:
  TSeriesChart c{400, 300};
  TPieSeries& pie = c.Add<TPieSeries>("Series1");

  void SetUp() override {
    c.Chart->SetAxisVisible(false);
    pie.PiePen().SetVisible(false);
  }
  // The pixel at `fraction` of the radius along angle `degrees` (counter-clockwise from 3 o'clock).
  fw::TPoint Along(double degrees, double fraction) const {
    const double a = degrees * Pi / 180;
    return {static_cast<int32_t>(std::lround(pie.Center().X + fraction * pie.XRadius() * std::cos(a))),
            static_cast<int32_t>(std::lround(pie.Center().Y - fraction * pie.YRadius() * std::sin(a)))};
  }
  fw::TColor ColorAlong(double degrees, double fraction = 0.6) const {
    const fw::TPoint p = Along(degrees, fraction);
    return c.At(p.X, p.Y);
  }
  int32_t ClickAlong(double degrees, double fraction = 0.6) const {
    const fw::TPoint p = Along(degrees, fraction);
    return pie.ClickedIndex(p.X, p.Y);
  }
};

// ---------------------------------------------------------------- settings

TEST_F(PieTest, DefaultsAndKind) {
  EXPECT_EQ(pie.ClassName(), "TPieSeries");
  EXPECT_FALSE(pie.UseAxis());
  EXPECT_TRUE(pie.ColorEachPoint());
  EXPECT_FALSE(pie.Circled());
  EXPECT_EQ(pie.RotationAngle(), 0);
  EXPECT_EQ(pie.ExplodeBiggest(), 0);
  EXPECT_EQ(pie.OtherSlice().Style(), poNone);
  EXPECT_EQ(pie.OtherSlice().Value(), 0);
  EXPECT_EQ(pie.OtherSlice().Text(), "Other");
  EXPECT_FALSE(pie.Shadow().Visible());
  EXPECT_EQ(pie.EditorName(), ChartConst::PieSeriesEditorName);
  EXPECT_FALSE(pie.UsesAxis(&c.Chart->BottomAxis()));
}

TEST_F(PieTest, RejectedSettingsKeepTheirOldValueAndSayWhy) {
  pie.SetRotationAngle(90);
  for (int32_t bad : {-1, 360, INT32_MAX}) {
    try {
      pie.SetRotationAngle(bad);
      ADD_FAILURE();
    } catch (const ChartException& e) {
      EXPECT_STREQ(e.what(), "Pie Rotation Angle must be between 0 and 359 degrees");
    }
    EXPECT_EQ(pie.RotationAngle(), 90);
  }
  pie.SetExplodeBiggest(20);
  for (int32_t bad : {-1, 101}) {
    try {
      pie.SetExplodeBiggest(bad);
      ADD_FAILURE();
    } catch (const ChartException& e) {
      EXPECT_STREQ(e.what(), "Pie Explode Biggest must be between 0 and 100");
    }
    EXPECT_EQ(pie.ExplodeBiggest(), 20);
  }
  pie.OtherSlice().SetValue(5);
  for (double bad : {-1.0, NaN, -std::numeric_limits<double>::infinity()}) {
    try {
      pie.OtherSlice().SetValue(bad);
      ADD_FAILURE();
    } catch (const ChartException& e) {
      EXPECT_STREQ(e.what(), "Pie Other Slice value must be >= 0");
    }
    EXPECT_EQ(pie.OtherSlice().Value(), 5);
  }
  pie.Shadow().SetHorizSize(4);
  EXPECT_THROW(pie.Shadow().SetHorizSize(1001), ChartException);
  EXPECT_THROW(pie.Shadow().SetVertSize(-1001), ChartException);
  EXPECT_EQ(pie.Shadow().HorizSize(), 4);
  EXPECT_EQ(pie.Shadow().VertSize(), 0);
}

// ---------------------------------------------------------------- slices

TEST_F(PieTest, SliceAnglesFollowTheMagnitudesFromTheRotation) {
  pie.AddMandatoryValue(1, "a", fw::clDefault);
  pie.AddMandatoryValue(2, "b", fw::clDefault);
  pie.AddMandatoryValue(-1, "c", fw::clDefault);  // its magnitude counts
  pie.SetRotationAngle(90);
  const auto& slices = pie.Slices();
  ASSERT_EQ(slices.size(), 3u);
  EXPECT_NEAR(slices[0].Start, Pi / 2, 1e-12);
  EXPECT_NEAR(slices[0].End, Pi / 2 + Pi / 2, 1e-12);
  EXPECT_NEAR(slices[1].End, Pi / 2 + 3 * Pi / 2, 1e-12);
  EXPECT_NEAR(slices[2].End, Pi / 2 + 2 * Pi, 1e-12);
  EXPECT_EQ(slices[0].Color, PaletteColor(0));
  EXPECT_EQ(slices[1].Color, PaletteColor(1));
}

TEST_F(PieTest, SlicesAreDrawnInTheirColoursAndAnglesIn2D) {
  // Quarters: red 0..90, green 90..180, yellow 180..270, blue 270..360.
  for (int i = 0; i < 4; ++i) pie.AddMandatoryValue(5, "", fw::clDefault);
  c.Draw();
  // The pie fills the plot rectangle's height (an ellipse as wide as the plot).
  const fw::TRect plot = c.Chart->PlotRect();
  EXPECT_EQ(pie.YRadius(), (plot.Bottom - plot.Top) / 2);
  EXPECT_EQ(pie.XRadius(), (plot.Right - plot.Left) / 2);
  EXPECT_EQ(ColorAlong(45), PaletteColor(0));
  EXPECT_EQ(ColorAlong(135), PaletteColor(1));
  EXPECT_EQ(ColorAlong(225), PaletteColor(2));
  EXPECT_EQ(ColorAlong(315), PaletteColor(3));
  EXPECT_EQ(ColorAlong(45, 1.1), fw::clWhite);  // outside the pie
  // Rotated by 90 degrees: red now runs from 90 to 180.
  pie.SetRotationAngle(90);
  c.Draw();
  EXPECT_EQ(ColorAlong(135), PaletteColor(0));
  EXPECT_EQ(ColorAlong(45), PaletteColor(3));
  // Circled: both radii equal, the smaller one.
  pie.SetCircled(true);
  c.Draw();
  EXPECT_EQ(pie.XRadius(), pie.YRadius());
  EXPECT_EQ(pie.XRadius(), (plot.Bottom - plot.Top) / 2);
}

TEST_F(PieTest, ClickFindsTheSliceByAngleAndRadius) {
  pie.AddMandatoryValue(1, "", fw::clDefault);
  pie.AddMandatoryValue(3, "", fw::clDefault);
  pie.AddMandatoryValue(4, "", fw::clDefault);
  EXPECT_EQ(pie.ClickedIndex(200, 150), -1);  // before any frame
  c.Draw();
  // Slice 0 spans 0..45, slice 1 45..180, slice 2 180..360 degrees.
  EXPECT_EQ(ClickAlong(20), 0);
  EXPECT_EQ(ClickAlong(100), 1);
  EXPECT_EQ(ClickAlong(200), 2);
  EXPECT_EQ(ClickAlong(359), 2);
  EXPECT_EQ(ClickAlong(100, 1.2), -1);
  EXPECT_EQ(pie.ClickedIndex(INT32_MIN, INT32_MAX), -1);
  pie.SetRotationAngle(300);
  c.Draw();
  EXPECT_EQ(ClickAlong(320), 0);
  EXPECT_EQ(ClickAlong(10), 1);
}

TEST_F(PieTest, TheBiggestSliceMovesOutAndStillAnswersClicks) {
  pie.AddMandatoryValue(1, "", fw::clDefault);
  pie.AddMandatoryValue(1, "", fw::clDefault);
  pie.AddMandatoryValue(2, "", fw::clDefault);  // 180..360
  c.Draw();
  const int32_t plain = pie.YRadius();
  pie.SetExplodeBiggest(25);
  c.Draw();
  EXPECT_EQ(pie.YRadius(), plain * 100 / 125);
  const auto& slices = pie.Slices();
  ASSERT_EQ(slices.size(), 3u);
  EXPECT_EQ(slices[2].OffsetX, 0);
  EXPECT_EQ(slices[2].OffsetY, static_cast<int32_t>(std::lround(pie.YRadius() * 0.25)));  // downward
  // A point just below the rim of the unexploded pie at 270 degrees lies in the moved slice.
  const fw::TPoint below = Along(270, 1.1);
  EXPECT_EQ(c.At(below.X, below.Y), PaletteColor(2));
  EXPECT_EQ(pie.ClickedIndex(below.X, below.Y), 2);
  // The gap it leaves at the centre shows the background.
  const fw::TPoint gap = Along(270, 0.1);
  EXPECT_EQ(c.At(gap.X, gap.Y), fw::clWhite);
}

TEST_F(PieTest, SmallSlicesGroupIntoTheOtherSlice) {
  pie.AddMandatoryValue(50, "", fw::clDefault);
  pie.AddMandatoryValue(45, "", fw::clDefault);
  pie.AddMandatoryValue(3, "", fw::clDefault);
  pie.AddMandatoryValue(2, "", fw::clDefault);
  pie.OtherSlice().SetStyle(poBelowPercent);
  pie.OtherSlice().SetValue(4);
  const auto& slices = pie.Slices();
  ASSERT_EQ(slices.size(), 3u);
  EXPECT_EQ(slices[2].Index, -1);
  EXPECT_EQ(slices[2].Value, 5);
  EXPECT_EQ(slices[2].Color, fw::clSilver);
  c.Draw();
  EXPECT_EQ(ColorAlong(360 - 9), fw::clSilver);  // the last 5 % of the circle
  EXPECT_EQ(ClickAlong(360 - 9), -1);
  // Its mark shows the slice's text beside the grouped slice, in the slot after the points.
  pie.Marks().SetVisible(true);
  c.Draw();
  EXPECT_EQ(pie.Marks().PositionAt(2), nullptr);  // grouped points have no mark
  const TSeriesMarkPosition* other = pie.Marks().PositionAt(4);
  ASSERT_NE(other, nullptr);
  EXPECT_GT(other->ArrowFromX, pie.Center().X);
  EXPECT_LT(other->ArrowFromY, pie.Center().Y + pie.YRadius() / 2);
  pie.OtherSlice().SetStyle(poBelowValue);
  pie.OtherSlice().SetValue(45);
  EXPECT_EQ(pie.Slices().size(), 3u);
  EXPECT_EQ(pie.Slices()[1].Value, 45);
  EXPECT_EQ(pie.Slices()[2].Value, 5);
}

TEST_F(PieTest, ShadowFallsBehindThePie) {
  pie.AddMandatoryValue(1, "", fw::clDefault);
  pie.Shadow().SetHorizSize(10);
  pie.Shadow().SetVertSize(10);
  pie.Shadow().SetColor(fw::clBlack);
  c.Draw();
  const fw::TPoint rim = Along(315, 1.0);
  EXPECT_EQ(c.At(rim.X + 6, rim.Y + 6), fw::clBlack);
  EXPECT_EQ(ColorAlong(315, 0.5), PaletteColor(0));
}

TEST_F(PieTest, In3DSlicesAreSlabsAtTheSeriesDepth) {
  pie.AddMandatoryValue(1, "", fw::clDefault);
  pie.AddMandatoryValue(1, "", fw::clDefault);
  c.Chart->SetView3D(true);
  c.Chart->View3DOptions().SetOrthogonal(true);
  c.Draw();
  EXPECT_GT(pie.DepthEnd(), pie.DepthStart());
  const fw::TPoint top = Along(90, 0.5);
  const fw::TPoint p = c.Chart->Canvas().ProjectToPoint(top.X, top.Y, pie.DepthStart());
  EXPECT_EQ(c.At(p.X, p.Y), PaletteColor(0));
  EXPECT_EQ(pie.ClickedIndex(p.X, p.Y), 0);
  const fw::TPoint bottom = Along(270, 0.5);
  const fw::TPoint q = c.Chart->Canvas().ProjectToPoint(bottom.X, bottom.Y, pie.DepthStart());
  EXPECT_EQ(c.At(q.X, q.Y), PaletteColor(1));
}

// ---------------------------------------------------------------- marks and legend

TEST_F(PieTest, MarksSitOutsideTheirSlicesWithLeaderLines) {
  pie.AddMandatoryValue(1, "right", fw::clDefault);   // 0..90: middle at 45
  pie.AddMandatoryValue(1, "top", fw::clDefault);     // 90..180
  pie.AddMandatoryValue(2, "bottom", fw::clDefault);  // 180..360: middle at 270
  pie.Marks().SetVisible(true);
  c.Draw();
  const fw::TRect plot = c.Chart->PlotRect();
  // Room for the marks: the pie is smaller than the plot.
  EXPECT_LT(pie.YRadius(), (plot.Bottom - plot.Top) / 2);
  const TSeriesMarkPosition* m0 = pie.Marks().PositionAt(0);
  const TSeriesMarkPosition* m2 = pie.Marks().PositionAt(2);
  ASSERT_NE(m0, nullptr);
  ASSERT_NE(m2, nullptr);
  const fw::TPoint rim = Along(270, 1.0);
  EXPECT_NEAR(m2->ArrowFromX, rim.X, 1);
  EXPECT_NEAR(m2->ArrowFromY, rim.Y, 1);
  EXPECT_EQ(m2->ArrowToY, m2->ArrowFromY + 8);
  EXPECT_EQ(m2->LeftTopY, m2->ArrowToY);  // straight below: the box hangs from the line
  // The box at 45 degrees lies up and right of its line's end, outside the ellipse.
  EXPECT_GE(m0->Bounds().Left, m0->ArrowToX - m0->Width / 2);
  EXPECT_LE(m0->Bounds().Bottom, m0->ArrowToY + m0->Height / 2 + 1);
  for (const TSeriesMarkPosition* m : {m0, m2}) {
    const fw::TRect b = m->Bounds();
    EXPECT_GE(b.Left, plot.Left - 1);
    EXPECT_LE(b.Right, plot.Right + 1);
    EXPECT_GE(b.Top, plot.Top - 1);
    EXPECT_LE(b.Bottom, plot.Bottom + 1);
  }
}

TEST_F(PieTest, LegendListsOneEntryPerPointWithItsLabelAndColour) {
  c.Chart->Legend().SetVisible(true);
  pie.AddMandatoryValue(3, "apples", fw::clDefault);
  pie.AddMandatoryValue(2, "pears", fw::clDefault);
  pie.AddMandatoryValue(1, "plums", fw::clBlue);
  c.Draw();
  EXPECT_EQ(c.Chart->Legend().TotalItems(), 3);
  EXPECT_NE(c.Chart->Legend().FormatItemText(1).find("pears"), std::string::npos);
  bool sawBlue = false;
  const fw::TRect legend = c.Chart->Legend().LegendBounds();
  for (int32_t y = legend.Top; y < legend.Bottom; ++y)
    for (int32_t x = legend.Left; x < legend.Right; ++x)
      if (c.At(x, y) == fw::clBlue) sawBlue = true;
  EXPECT_TRUE(sawBlue);
}

// ---------------------------------------------------------------- bad data

TEST_F(PieTest, ZeroNullAndNotANumberDrawNothingOrTheRest) {
  c.Draw();  // empty
  pie.AddMandatoryValue(0, "", fw::clDefault);
  pie.AddMandatoryValue(0, "", fw::clDefault);
  EXPECT_TRUE(pie.Slices().empty());
  c.Draw();
  EXPECT_EQ(c.At(200, 150), fw::clWhite);  // nothing for a zero total
  EXPECT_EQ(pie.ClickedIndex(200, 150), -1);
  pie.AddNullPoint("");
  pie.AddMandatoryValue(NaN, "", fw::clDefault);
  pie.AddMandatoryValue(std::numeric_limits<double>::infinity(), "", fw::clDefault);
  EXPECT_TRUE(pie.Slices().empty());
  c.Draw();
  pie.AddMandatoryValue(7, "", fw::clDefault);  // one point: the whole pie
  ASSERT_EQ(pie.Slices().size(), 1u);
  EXPECT_EQ(pie.Slices()[0].Index, 5);
  c.Draw();
  EXPECT_EQ(c.At(200, 150), PaletteColor(5));
  EXPECT_EQ(ColorAlong(10), PaletteColor(5));
  EXPECT_EQ(ColorAlong(190), PaletteColor(5));
  EXPECT_EQ(pie.ClickedIndex(200, 150), 5);
  // Huge magnitudes do not overflow the total.
  pie.AddMandatoryValue(1e308, "", fw::clDefault);
  pie.AddMandatoryValue(-1e308, "", fw::clDefault);
  ASSERT_EQ(pie.Slices().size(), 3u);
  EXPECT_NEAR(pie.Slices()[1].End - pie.Slices()[1].Start, Pi, 1e-9);
}

// Slices as defined point by point: a gap (null, not finite or 0) has none, magnitudes are
// scaled by the largest, and the angles add up in point order.
std::vector<TPieSeries::TSlice> SlicesByDefinition(const TPieSeries& pie) {
  std::vector<TPieSeries::TSlice> slices;
  const auto gap = [&](int32_t i) {
    const double v = pie.YValueOf(i);
    return pie.IsNullPoint(i) || !std::isfinite(v) || v == 0;
  };
  double largest = 0, total = 0;
  for (int32_t i = 0; i < pie.PointCount(); ++i)
    if (!gap(i)) largest = std::max(largest, std::fabs(pie.YValueOf(i)));
  if (!(largest > 0)) return slices;
  for (int32_t i = 0; i < pie.PointCount(); ++i)
    if (!gap(i)) total += std::fabs(pie.YValueOf(i)) / largest;
  const double limit = pie.OtherSlice().Value();
  double angle = pie.RotationAngle() * Pi / 180, other = 0;
  bool hasOther = false;
  for (int32_t i = 0; i < pie.PointCount(); ++i) {
    if (gap(i)) continue;
    const double magnitude = std::fabs(pie.YValueOf(i));
    if ((pie.OtherSlice().Style() == poBelowPercent && magnitude / largest * 100.0 / total < limit) ||
        (pie.OtherSlice().Style() == poBelowValue && magnitude < limit)) {
      other += magnitude / largest;
      hasOther = true;
      continue;
    }
    TPieSeries::TSlice slice;
    slice.Index = i;
    slice.Value = magnitude;
    slice.Start = angle;
    angle += 2 * Pi * (magnitude / largest) / total;
    slice.End = angle;
    slice.Color = pie.ColorOfPoint(i);
    slices.push_back(slice);
  }
  if (hasOther && other > 0) {
    TPieSeries::TSlice slice;
    slice.Value = other * largest;
    slice.Start = angle;
    slice.End = angle + 2 * Pi * other / total;
    slice.Color = pie.OtherSlice().Color();
    slices.push_back(slice);
  }
  if (!slices.empty()) slices.back().End = pie.RotationAngle() * Pi / 180 + 2 * Pi;
  return slices;
}

TEST_F(PieTest, SlicesMatchTheirDefinitionBitForBitWhateverTheValues) {
  std::mt19937 random(12);
  const double odd[] = {0.0, -0.0, NaN, std::numeric_limits<double>::infinity(), -1e308, 1e308, 4.9e-324, -3.0};
  for (int round = 0; round < 150; ++round) {
    SCOPED_TRACE(round);
    pie.RemoveAllPoints();
    pie.YValues().SetMultiplier(std::uniform_int_distribution<int>(0, 3)(random) == 0 ? -2.5 : 1.0);
    const int count = std::uniform_int_distribution<int>(0, 300)(random);
    for (int k = 0; k < count; ++k) {
      const int kind = std::uniform_int_distribution<int>(0, 9)(random);
      const double value = kind == 0 ? odd[std::uniform_int_distribution<int>(0, 7)(random)]
                                     : std::uniform_real_distribution<double>(-5, 100)(random);
      if (kind == 1) {
        pie.AppendNullPoint(pie.PointCount(), 1e300, "");  // a large value that must not count
      } else if (kind == 2 && pie.PointCount() > 2) {
        pie.AppendPoint(pie.PointCount() / 2 - 0.5, value);  // into the middle: the store's gap moves
      } else {
        pie.AppendPoint(pie.PointCount(), value);
      }
    }
    for (int k = 0; k < 3 && pie.PointCount() > 4; ++k)
      pie.DeletePoint(std::uniform_int_distribution<int>(0, pie.PointCount() - 1)(random));
    pie.SetColorEachPoint(round % 5 != 0);
    pie.SetRotationAngle(std::uniform_int_distribution<int>(0, 359)(random));
    pie.OtherSlice().SetStyle(static_cast<TPieOtherStyle>(round % 3));
    pie.OtherSlice().SetValue(std::uniform_real_distribution<double>(0, 10)(random));
    const std::vector<TPieSeries::TSlice> expected = SlicesByDefinition(pie);
    const std::vector<TPieSeries::TSlice>& slices = pie.Slices();
    ASSERT_EQ(slices.size(), expected.size());
    for (size_t k = 0; k < slices.size(); ++k) {
      EXPECT_EQ(slices[k].Index, expected[k].Index) << k;
      EXPECT_EQ(std::bit_cast<uint64_t>(slices[k].Value), std::bit_cast<uint64_t>(expected[k].Value)) << k;
      EXPECT_EQ(std::bit_cast<uint64_t>(slices[k].Start), std::bit_cast<uint64_t>(expected[k].Start)) << k;
      EXPECT_EQ(std::bit_cast<uint64_t>(slices[k].End), std::bit_cast<uint64_t>(expected[k].End)) << k;
      EXPECT_EQ(slices[k].Color, expected[k].Color) << k;
    }
  }
}

TEST_F(PieTest, PointsPastAValueListShortenedOnItsOwnHaveNoSlice) {
  // The lists are public, so a caller may remove values from one alone; the values it removed
  // stay in the store's memory and must not come back as slices.
  for (int i = 0; i < 6; ++i) pie.AddMandatoryValue(10 + i, "", fw::clDefault);
  pie.YValues().RemoveAt(0);
  pie.YValues().RemoveAt(4);
  ASSERT_EQ(pie.PointCount(), 6);
  const auto& slices = pie.Slices();
  ASSERT_EQ(slices.size(), 4u);
  for (size_t k = 0; k < slices.size(); ++k) {
    EXPECT_EQ(slices[k].Index, static_cast<int32_t>(k));
    EXPECT_EQ(slices[k].Value, 11 + static_cast<double>(k));
  }
  c.Draw();
  EXPECT_EQ(ClickAlong(1), 0);
}

TEST_F(PieTest, OnlyTheBiggestSliceOfTheLastLayoutIsMovedOut) {
  for (double v : {1.0, 3.0, 2.0}) pie.AddMandatoryValue(v, "", fw::clDefault);
  pie.SetExplodeBiggest(30);
  c.Draw();
  const auto moved = [&] {
    std::vector<int32_t> indices;
    for (const TPieSeries::TSlice& slice : pie.Slices())
      if (slice.OffsetX != 0 || slice.OffsetY != 0) indices.push_back(slice.Index);
    return indices;
  };
  EXPECT_EQ(moved(), std::vector<int32_t>{1});
  pie.YValues().SetValueAt(2, 5);  // another slice becomes the biggest
  c.Draw();
  EXPECT_EQ(moved(), std::vector<int32_t>{2});
  pie.SetExplodeBiggest(0);
  c.Draw();
  EXPECT_TRUE(moved().empty());
  EXPECT_EQ(c.At(pie.Center().X, pie.Center().Y + 2), PaletteColor(2));  // no gap left at the centre
}

TEST_F(PieTest, AMillionSlicesCoverThePieWithoutGaps) {
  pie.SetColorEachPoint(false);
  pie.SetSeriesColor(fw::clRed);
  for (int i = 0; i < 1000000; ++i) pie.AddMandatoryValue(1 + (i % 3), "", fw::clDefault);
  c.Draw();
  for (double angle = 0.5; angle < 360; angle += 1) EXPECT_EQ(ColorAlong(angle, 0.5), fw::clRed) << angle;
  for (double angle = 0.5; angle < 360; angle += 7) EXPECT_EQ(ColorAlong(angle, 0.97), fw::clRed) << angle;
  EXPECT_GE(ClickAlong(123), 0);
}

// ---------------------------------------------------------------- stored layout

TEST(PieLayout, EveryPublishedPropertyComesBack) {
  RegisterSeriesForm();
  TSeriesChart c;
  auto& pie = c.Add<TPieSeries>("Series1");
  pie.SetCircled(true);
  pie.SetRotationAngle(45);
  pie.SetExplodeBiggest(15);
  pie.SetDark3D(false);
  pie.SetColorEachPoint(false);
  pie.OtherSlice().SetStyle(poBelowValue);
  pie.OtherSlice().SetValue(2.5);
  pie.OtherSlice().SetText("Rest");
  pie.OtherSlice().SetColor(fw::clTeal);
  pie.Shadow().SetHorizSize(-3);
  pie.Shadow().SetVertSize(7);
  pie.Shadow().SetColor(fw::clBlack);
  pie.PiePen().SetColor(fw::clBlue);
  const std::string text = fw::TFormWriter::Write(c.Form);
  EXPECT_NE(text.find("object Series1: TPieSeries"), std::string::npos) << text;
  EXPECT_NE(text.find("ColorEachPoint = False"), std::string::npos) << text;

  TSeriesForm second;
  fw::TFormReader::ReadRoot(second, text);
  EXPECT_EQ(fw::TFormWriter::Write(second), text);
  auto* read = dynamic_cast<TPieSeries*>(second.FindComponent("Series1"));
  ASSERT_NE(read, nullptr);
  EXPECT_TRUE(read->Circled());
  EXPECT_EQ(read->RotationAngle(), 45);
  EXPECT_EQ(read->ExplodeBiggest(), 15);
  EXPECT_FALSE(read->Dark3D());
  EXPECT_FALSE(read->ColorEachPoint());
  EXPECT_EQ(read->OtherSlice().Style(), poBelowValue);
  EXPECT_EQ(read->OtherSlice().Value(), 2.5);
  EXPECT_EQ(read->OtherSlice().Text(), "Rest");
  EXPECT_EQ(read->OtherSlice().Color(), fw::clTeal);
  EXPECT_EQ(read->Shadow().HorizSize(), -3);
  EXPECT_EQ(read->Shadow().VertSize(), 7);
  EXPECT_EQ(read->Shadow().Color(), fw::clBlack);
  EXPECT_EQ(read->PiePen().Color(), fw::clBlue);

  // A pie with the default settings writes none of them.
  TSeriesChart plain;
  plain.Add<TPieSeries>("Series1");
  const std::string plainText = fw::TFormWriter::Write(plain.Form);
  EXPECT_EQ(plainText.find("ColorEachPoint"), std::string::npos) << plainText;
  EXPECT_EQ(plainText.find("OtherSlice"), std::string::npos) << plainText;
}

TEST(PieLayout, ABadAngleIsRefused) {
  RegisterSeriesForm();
  TSeriesForm form;
  const std::string text =
      "object Form1: TSeriesForm\n"
      "  object Chart1: TChart\n"
      "    object Series1: TPieSeries\n"
      "      RotationAngle = 400\n"
      "    end\n"
      "  end\n"
      "end\n";
  try {
    fw::TFormReader::ReadRoot(form, text);
    ADD_FAILURE();
  } catch (const std::exception& e) {
    EXPECT_NE(std::string(e.what()).find("Pie Rotation Angle must be between 0 and 359 degrees"), std::string::npos)
        << e.what();
  }
}

}  // namespace
// A chart of pies alone shows neither axes nor walls (in 2D and 3D); a series drawn on axes
// brings them back.
TEST(PieChart, PiesAloneShowNoAxesAndNoWalls) {
  for (const bool view3D : {false, true}) {
    SCOPED_TRACE(view3D);
    TSeriesChart c(400, 300);
    c.Chart->SetView3D(view3D);
    TPieSeries& pie = c.Add<TPieSeries>("Series1");
    for (double v : {3.0, 2.0, 1.0}) pie.AppendPoint(0, v, "", fw::clDefault);
    c.Draw();
    EXPECT_FALSE(c.Chart->AxisShown(c.Chart->LeftAxis()));
    EXPECT_FALSE(c.Chart->AxisShown(c.Chart->BottomAxis()));
    // Nothing but the pie: the plot's corners, outside the round pie, keep the chart's colour.
    const fw::TRect plot = c.Chart->PlotRect();
    for (const fw::TPoint p : {fw::TPoint{plot.Left, plot.Top}, fw::TPoint{plot.Right, plot.Bottom},
                               fw::TPoint{plot.Right, plot.Top}, fw::TPoint{plot.Left, plot.Bottom}})
      EXPECT_EQ(c.At(p.X, p.Y), fw::clWhite) << p.X << "," << p.Y;

    TLineSeries& line = c.Add<TLineSeries>("Series2");
    line.AppendPoint(0, 1, "", fw::clDefault);
    c.Draw();
    EXPECT_TRUE(c.Chart->AxisShown(c.Chart->LeftAxis()));
    line.SetActive(false);
    c.Draw();
    EXPECT_FALSE(c.Chart->AxisShown(c.Chart->LeftAxis()));
  }
}

}  // namespace chart::test
