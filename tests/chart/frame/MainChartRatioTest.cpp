// The main window's chart drawn at device pixel ratios 1, 1.5 and 2: the same layout in logical
// pixels, the picture at device resolution (twice the size at 2, one-pixel lines two device
// pixels wide, glyphs drawn at the device size), the same points and axes under the mouse.
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <memory>

#include "chart/axes/TChartAxis.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/panel/ChartMouseTypes.h"
#include "framework/graphics/DevicePixels.h"
#include "framework/graphics/SurfaceAccess.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TSurface.h"
#include "tools/MainChartScene.h"

namespace {

constexpr int32_t W = 961;
constexpr int32_t H = 529;
constexpr uint32_t Red = 0xFF0000, Gray = 0x808080, Black = 0x000000, Blue = 0x0000FF, White = 0xFFFFFF;

/// One frame of the main chart (L = 500, t = 0) into a window of the given ratio.
struct RatioFrame {
  scene::MainChart scene;
  std::unique_ptr<fw::TBitmap> window;
  double ratio;

  explicit RatioFrame(double r) : ratio(r) {
    app::Simulation() = app::TSimulation{};
    scene.Fill(500, 0, 0);
    window = std::make_unique<fw::TBitmap>(W, H, r);
    scene.DrawWindowFrame(window->Canvas(), fw::TRect{0, 0, W, H});
  }
  const QImage& Image() { return *fw::SurfaceAccess::Image(window->Canvas()); }
  uint32_t Px(int64_t x, int64_t y) { return Image().pixel(static_cast<int>(x), static_cast<int>(y)) & 0xFFFFFF; }
  int64_t D(int64_t v) const { return fw::DeviceEdge(v, ratio); }
};

TEST(MainChartRatio, LayoutStaysInLogicalPixelsAndThePictureGrowsWithTheRatio) {
  RatioFrame one(1.0);
  for (double r : {1.5, 2.0}) {
    RatioFrame scaled(r);
    EXPECT_EQ(scaled.Image().width(), fw::DeviceSize(W, r));
    EXPECT_EQ(scaled.Image().height(), fw::DeviceSize(H, r));
    EXPECT_EQ(scaled.scene.Chart->PlotRect(), one.scene.Chart->PlotRect()) << r;
    EXPECT_EQ(scaled.scene.Chart->Title().TitleBox(), one.scene.Chart->Title().TitleBox()) << r;
    for (int v = -1000; v <= 1000; v += 100)
      EXPECT_EQ(scaled.scene.Chart->LeftAxis().ValueToPixel(v), one.scene.Chart->LeftAxis().ValueToPixel(v));
    ASSERT_NE(scaled.scene.Chart->Canvas().Bitmap(), nullptr);
    EXPECT_EQ(scaled.scene.Chart->Canvas().Bitmap()->DevicePixelRatio(), r);
  }
  EXPECT_EQ(RatioFrame(2.0).Image().size(), QSize(1922, 1058));
}

TEST(MainChartRatio, GridLinesLieAtTheScaledPositionsTwoDevicePixelsWide) {
  RatioFrame one(1.0), two(2.0);
  const fw::TRect plot = one.scene.Chart->PlotRect();
  chart::TChartAxis& left = one.scene.Chart->LeftAxis();
  for (int v = -900; v <= 900; v += 300) {
    const int32_t y = left.ValueToPixel(v);
    int greyOne = 0, greyTwo = 0, outside = 0;
    for (int32_t x = plot.Left + 1; x < plot.Right; ++x) {
      greyOne += one.Px(x, y) == Gray;
      // Where nothing crosses the grid line (no vertical grid line, no curve) at ratio 1...
      if (one.Px(x, y - 1) != White || one.Px(x, y + 1) != White) continue;
      for (int64_t dx = 2 * x; dx < 2 * x + 2; ++dx) {
        // (the curve at device resolution may still pass a pixel of it)
        if (two.Px(dx, 2 * y) == Red || two.Px(dx, 2 * y + 1) == Red) continue;
        // ...both device rows of the logical row are grey together; the rows around are not.
        EXPECT_EQ(two.Px(dx, 2 * y) == Gray, two.Px(dx, 2 * y + 1) == Gray) << v << " " << dx;
        outside += two.Px(dx, 2 * y - 1) == Gray || two.Px(dx, 2 * y + 2) == Gray;
      }
    }
    for (int64_t x = two.D(plot.Left + 1); x < two.D(plot.Right); ++x) greyTwo += two.Px(x, 2 * y) == Gray;
    // The dots are twice as long: twice as many grey device pixels along the row.
    EXPECT_NEAR(greyTwo, 2 * greyOne, 8) << v;
    EXPECT_EQ(outside, 0) << v;
  }
  // The wall's outline along the plot rectangle's bottom: the logical row doubled.
  int black = 0;
  for (int32_t x = plot.Left; x < plot.Right; ++x) black += one.Px(x, plot.Bottom - 1) == Black;
  int blackTwo = 0;
  for (int64_t x = 2 * plot.Left; x < 2 * plot.Right; ++x) blackTwo += two.Px(x, 2 * (plot.Bottom - 1)) == Black;
  EXPECT_NEAR(blackTwo, 2 * black, 8);
}

TEST(MainChartRatio, OnePixelLinesAreAsWideEverywhereAtOneAndAHalf) {
  RatioFrame f(1.5);
  const fw::TRect plot = f.scene.Chart->PlotRect();
  chart::TChartAxis& bottom = f.scene.Chart->BottomAxis();
  // Every vertical grid line, wherever it lies, is two device columns wide.
  for (int v = 50; v <= 950; v += 50) {
    const int32_t x = bottom.ValueToPixel(v);
    const int64_t row = f.D((plot.Top + plot.Bottom) / 2) + 7;
    int64_t first = -1, last = -1;
    for (int64_t dx = f.D(x) - 3; dx <= f.D(x) + 4; ++dx)
      for (int64_t dy = row; dy < row + 12; ++dy)
        if (f.Px(dx, dy) == Gray) {
          first = first < 0 ? dx : std::min(first, dx);
          last = std::max(last, dx);
        }
    ASSERT_GE(first, 0) << v;
    EXPECT_EQ(last - first + 1, 2) << v;
  }
}

TEST(MainChartRatio, TextIsDrawnAtTheDeviceSizeNotEnlarged) {
  RatioFrame one(1.0), two(2.0);
  const fw::TRect plot = one.scene.Chart->PlotRect();
  // The left axis' labels lie left of the plot rectangle; the title above it.
  for (const fw::TRect area : {fw::TRect{0, plot.Top - 8, plot.Left - 4, plot.Bottom + 8},
                               fw::TRect{plot.Left, 0, plot.Right, plot.Top - 4}}) {
    int differ = 0, mixed = 0, ink = 0, inkOne = 0;
    for (int32_t y = area.Top; y < area.Bottom; ++y)
      for (int32_t x = area.Left; x < area.Right; ++x) {
        const uint32_t c = one.Px(x, y);
        inkOne += c != White;
        const uint32_t q[4] = {two.Px(2 * x, 2 * y), two.Px(2 * x + 1, 2 * y), two.Px(2 * x, 2 * y + 1),
                               two.Px(2 * x + 1, 2 * y + 1)};
        for (uint32_t d : q) {
          differ += d != c;
          ink += d != White;
        }
        mixed += q[0] != q[1] || q[0] != q[2] || q[0] != q[3];
      }
    ASSERT_GT(inkOne, 50);
    // Not the enlarged picture: many pixels differ and many 2 x 2 blocks are not one colour.
    EXPECT_GT(differ, inkOne / 2);
    EXPECT_GT(mixed, inkOne / 4);
    // The same texts: about four times the ink.
    EXPECT_GT(ink, 2 * inkOne);
    EXPECT_LT(ink, 6 * inkOne);
  }
  // The title stays blue, in the same place.
  int blueOne = 0, blueTwo = 0;
  for (int32_t y = 0; y < plot.Top; ++y)
    for (int32_t x = 0; x < W; ++x) {
      blueOne += one.Px(x, y) == Blue;
      blueTwo += two.Px(2 * x, 2 * y) == Blue;
    }
  EXPECT_NEAR(blueTwo, blueOne, blueOne / 3);
}

TEST(MainChartRatio, TheCurveIsRedAtTheScaledPositions) {
  RatioFrame one(1.0), two(2.0);
  const fw::TRect plot = one.scene.Chart->PlotRect();
  int redOne = 0, redTwo = 0, missing = 0;
  for (int32_t y = plot.Top; y < plot.Bottom; ++y)
    for (int32_t x = plot.Left; x < plot.Right; ++x) {
      const bool red = one.Px(x, y) == Red;
      redOne += red;
      if (!red) continue;
      // Near every red logical pixel the device picture is red too.
      bool found = false;
      for (int64_t dy = 2 * y - 2; dy <= 2 * y + 3 && !found; ++dy)
        for (int64_t dx = 2 * x - 2; dx <= 2 * x + 3 && !found; ++dx) found = two.Px(dx, dy) == Red;
      missing += !found;
    }
  for (int y = 0; y < two.Image().height(); ++y)
    for (int x = 0; x < two.Image().width(); ++x) redTwo += two.Px(x, y) == Red;
  EXPECT_EQ(missing, 0);
  EXPECT_GT(redOne, 500);
  // Twice as long and twice as wide.
  EXPECT_GT(redTwo, 3 * redOne);
  EXPECT_LT(redTwo, 5 * redOne);
}

TEST(MainChartRatio, AClickAtALogicalPositionFindsTheSamePointAndAxis) {
  RatioFrame one(1.0);
  chart::TChartSeries& series = *one.scene.Series;
  chart::TChartAxis& left = one.scene.Chart->LeftAxis();
  chart::TChartAxis& bottom = one.scene.Chart->BottomAxis();
  const int32_t px = bottom.ValueToPixel(series.XValues().ValueAt(120));
  const int32_t py = left.ValueToPixel(series.YValues().ValueAt(120));
  const chart::THitResult point = one.scene.Chart->HitTestChart(px, py);
  ASSERT_EQ(point.HitKind, chart::hkSeries);
  ASSERT_NEAR(point.HitIndex, 120, 2);
  // Left of the plot rectangle, over the left axis.
  const fw::TRect plot = one.scene.Chart->PlotRect();
  const int32_t ay = (plot.Top + plot.Bottom) / 2;
  int32_t ax = -1;
  for (int32_t x = 0; x < plot.Left && ax < 0; ++x)
    if (one.scene.Chart->HitTestChart(x, ay).HitKind == chart::hkAxis) ax = x + 2;
  ASSERT_GE(ax, 0) << "the left axis is somewhere left of the plot";
  const chart::THitResult axis = one.scene.Chart->HitTestChart(ax, ay);
  ASSERT_EQ(axis.HitKind, chart::hkAxis);
  ASSERT_EQ(axis.HitAxis, static_cast<chart::TCustomChartAxis*>(&left));
  for (double r : {1.5, 2.0}) {
    RatioFrame scaled(r);
    const chart::THitResult p = scaled.scene.Chart->HitTestChart(px, py);
    EXPECT_EQ(p.HitKind, chart::hkSeries) << r;
    EXPECT_EQ(p.HitIndex, point.HitIndex) << r;
    const chart::THitResult a = scaled.scene.Chart->HitTestChart(ax, ay);
    EXPECT_EQ(a.HitKind, chart::hkAxis) << r;
    EXPECT_EQ(a.HitAxis, static_cast<chart::TCustomChartAxis*>(&scaled.scene.Chart->LeftAxis())) << r;
  }
}

}  // namespace
