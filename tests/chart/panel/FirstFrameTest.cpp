// The first frame a chart draws is the frame it settles on: drawing the same chart again
// changes no pixel, whatever the axes had measured before.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "chart/axes/TChartAxis.h"
#include "chart/series/TBarSeries.h"
#include "chart/series/THorizBarSeries.h"
#include "chart/series/TLineSeries.h"
#include "tests/chart/barpie/BarPieTestSupport.h"

namespace chart::test {
namespace {

std::vector<fw::TColor> AllPixels(const TSeriesChart& c) {
  std::vector<fw::TColor> pixels;
  for (int32_t y = 0; y < c.Chart->Height(); ++y)
    for (int32_t x = 0; x < c.Chart->Width(); ++x) pixels.push_back(c.At(x, y));
  return pixels;
}

// Draws the chart twice; every pixel of the first frame must be that of the second.
void ExpectFirstFrameSettled(TSeriesChart& c, const std::string& what) {
  c.Draw();
  const std::vector<fw::TColor> first = AllPixels(c);
  const fw::TRect firstPlot = c.Chart->PlotRect();
  c.Draw();
  const std::vector<fw::TColor> second = AllPixels(c);
  EXPECT_EQ(firstPlot.Left, c.Chart->PlotRect().Left) << what;
  EXPECT_EQ(firstPlot.Bottom, c.Chart->PlotRect().Bottom) << what;
  int32_t differences = 0;
  size_t k = 0;
  for (int32_t y = 0; y < c.Chart->Height(); ++y)
    for (int32_t x = 0; x < c.Chart->Width(); ++x, ++k)
      if (first[k] != second[k] && ++differences <= 3) ADD_FAILURE() << what << " differs at " << x << ", " << y;
  EXPECT_EQ(differences, 0) << what;
  // A third frame keeps the second.
  c.Draw();
  EXPECT_EQ(AllPixels(c), second) << what;
}

template <class S>
S& AddSine(TSeriesChart& c, int32_t count, double amplitude, double step) {
  auto& s = c.Add<S>("Series1");
  s.SetSeriesColor(fw::clRed);
  for (int32_t i = 0; i < count; ++i) s.AddMandatoryValue(amplitude * std::sin(i * step), "", fw::clDefault);
  return s;
}

TEST(FirstFrame, BarsWithFractionalValuesIn2D) {
  for (int32_t count : {10, 100, 700}) {
    TSeriesChart c(222, 205);
    AddSine<TBarSeries>(c, count, 40, 0.01);
    ExpectFirstFrameSettled(c, "2D bars, " + std::to_string(count) + " points");
  }
}

TEST(FirstFrame, BarsWithFractionalValuesIn3D) {
  for (int32_t count : {10, 100, 700}) {
    TSeriesChart c(222, 205);
    c.Chart->SetView3D(true);
    AddSine<TBarSeries>(c, count, 40, 0.01);
    ExpectFirstFrameSettled(c, "3D bars, " + std::to_string(count) + " points");
  }
}

TEST(FirstFrame, LineWithFractionalValues) {
  for (bool view3D : {false, true}) {
    TSeriesChart c(300, 220);
    c.Chart->SetView3D(view3D);
    AddSine<TLineSeries>(c, 50, 2.5, 0.37);
    ExpectFirstFrameSettled(c, view3D ? "3D line" : "2D line");
  }
}

TEST(FirstFrame, HorizontalBarsWithUprightValueLabels) {
  // The values run along the bottom axis; labels turned upright take their width in height.
  TSeriesChart c(260, 240);
  AddSine<THorizBarSeries>(c, 12, 123.4567, 0.5);
  c.Chart->BottomAxis().SetLabelsAngle(90);
  ExpectFirstFrameSettled(c, "horizontal bars");
}

TEST(FirstFrame, ResizedChartDrawsItsSettledFrameAtOnce) {
  // Values below 1: taller, the left axis takes a finer increment and longer labels ("0.335"
  // where "0.3" stood); shorter, a coarser one.
  for (int32_t height : {1400, 300, 120}) {
    TSeriesChart c(222, 205);
    AddSine<TBarSeries>(c, 100, 0.4, 0.01);
    c.Draw();
    c.Draw();
    c.Chart->SetBounds(0, 0, 222, height);
    ExpectFirstFrameSettled(c, "resized to a height of " + std::to_string(height));
  }
}

}  // namespace
}  // namespace chart::test
