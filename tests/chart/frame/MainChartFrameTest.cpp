// One whole frame of the main window's chart, drawn into an image and read back pixel by pixel.
#include <gtest/gtest.h>

#include <algorithm>

#include "chart/canvas/TChartCanvas3D.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TSurface.h"
#include "tools/MainChartScene.h"

namespace {

constexpr int32_t W = 961;
constexpr int32_t H = 529;

bool IsRed(fw::TColor c) { return fw::ColorToRGB(c) == fw::clRed; }
bool IsBlue(fw::TColor c) { return fw::ColorToRGB(c) == fw::clBlue; }
bool IsGray(fw::TColor c) { return fw::ColorToRGB(c) == fw::clGray; }
bool IsBlack(fw::TColor c) { return fw::ColorToRGB(c) == fw::clBlack; }

struct MainChartFrame : ::testing::Test {
  scene::MainChart scene;
  fw::TBitmap image{W, H};

  void SetUp() override {
    app::Simulation() = app::TSimulation{};
    scene.Fill(500, 0, 0);
    ASSERT_EQ(scene.Series->PointCount(), 501);
    scene.Chart->DrawToCanvas(image.Canvas(), fw::TRect{0, 0, W, H});
  }
  fw::TColor Pixel(int32_t x, int32_t y) { return image.Canvas().GetPixel(x, y); }
  int32_t TitleLineHeight() {
    fw::TBitmap probe(10, 10);
    probe.Canvas().Font().Assign(scene.Chart->Title().Font());
    return probe.Canvas().TextHeight("W");
  }
};

}  // namespace

TEST_F(MainChartFrame, TitleIsBlueCentredAndMovesThePlotTopBelowIt) {
  const fw::TRect& box = scene.Chart->Title().TitleBox();
  EXPECT_EQ(box.Top, 21);
  const int32_t h = TitleLineHeight();
  ASSERT_GT(h, 10);
  const fw::TRect plot = scene.Chart->PlotRect();
  EXPECT_EQ(plot.Top, 21 + h + 5);

  int32_t minX = W, maxX = -1, minY = H, maxY = -1;
  for (int32_t y = 0; y < plot.Top; ++y)
    for (int32_t x = 0; x < W; ++x)
      if (IsBlue(Pixel(x, y))) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
      }
  ASSERT_GE(maxX, 0) << "no blue title pixels";
  EXPECT_GE(minY, 21);
  EXPECT_LT(maxY, 21 + h);
  // Centred over the plot width as it stood when the title was placed (margins only).
  EXPECT_NEAR((minX + maxX) / 2, (29 + 932) / 2, 3);
}

TEST_F(MainChartFrame, BackWallOutlinesThePlotRectangleInsideTheAxisBands) {
  const fw::TRect plot = scene.Chart->PlotRect();
  // The margins give (29, 21, 932, 508); the left and bottom axes take their bands off it,
  // the top and right axes have no series and take nothing.
  EXPECT_GT(plot.Left, 29);
  EXPECT_LT(plot.Bottom, 508);
  EXPECT_EQ(plot.Right, 932);
  // The grid lines at the axes' last labels run along the top and right sides over the
  // outline; the dots are grey, the gaps keep the wall's black.
  int black = 0;
  for (int32_t x = plot.Left; x <= plot.Right; ++x) {
    const fw::TColor c = Pixel(x, plot.Top);
    EXPECT_TRUE(IsBlack(c) || IsGray(c)) << x;
    black += IsBlack(c);
  }
  EXPECT_GT(black, plot.Width() / 3);
  black = 0;
  for (int32_t y = plot.Top; y <= plot.Bottom; ++y) {
    const fw::TColor c = Pixel(plot.Right, y);
    EXPECT_TRUE(IsBlack(c) || IsGray(c) || IsRed(c)) << y;
    black += IsBlack(c);
  }
  EXPECT_GT(black, plot.Height() / 3);
  // Nothing of the wall outside it.
  EXPECT_FALSE(IsBlack(Pixel(plot.Right + 2, (plot.Top + plot.Bottom) / 2)));
}

TEST_F(MainChartFrame, DottedGreyGridLinesStandAtEveryLabel) {
  const fw::TRect plot = scene.Chart->PlotRect();
  chart::TChartAxis& left = scene.Chart->LeftAxis();
  chart::TChartAxis& bottom = scene.Chart->BottomAxis();
  int rows = 0;
  for (int v = -900; v <= 900; v += 100) {
    const int32_t y = left.ValueToPixel(v);
    int grey = 0;
    for (int32_t x = plot.Left + 1; x < plot.Right; ++x) grey += IsGray(Pixel(x, y));
    // Dotted: roughly every other pixel grey, except where the curve crosses.
    EXPECT_GT(grey, plot.Width() / 3) << v;
    rows += grey > 0;
  }
  EXPECT_EQ(rows, 19);
  for (int v = 50; v <= 950; v += 50) {
    const int32_t x = bottom.ValueToPixel(v);
    int grey = 0;
    for (int32_t y = plot.Top + 1; y < plot.Bottom; ++y) grey += IsGray(Pixel(x, y));
    EXPECT_GT(grey, plot.Height() / 3) << v;
  }
}

TEST_F(MainChartFrame, CurveIsRedFromTheZeroOfTheLeftAxisDownToItsMinimum) {
  chart::TChartAxis& left = scene.Chart->LeftAxis();
  chart::TChartAxis& bottom = scene.Chart->BottomAxis();
  const int32_t x0 = bottom.ValueToPixel(0);
  const int32_t y0 = left.ValueToPixel(0);
  EXPECT_TRUE(IsRed(Pixel(x0 + 1, y0)) || IsRed(Pixel(x0 + 1, y0 + 1)) || IsRed(Pixel(x0, y0)));
  // The minimum (-1000 at X = 250) lies on the bottom edge; the series clip ends two rows
  // above it, so the lowest red row is there, centred on X = 250.
  const int32_t yMin = left.ValueToPixel(-1000);
  EXPECT_EQ(yMin, scene.Chart->PlotRect().Bottom);
  int32_t lowest = -1;
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x)
      if (IsRed(Pixel(x, y))) lowest = std::max(lowest, y);
  EXPECT_EQ(lowest, yMin - 2);
  int32_t first = W, last = -1;
  for (int32_t x = 0; x < W; ++x)
    if (IsRed(Pixel(x, lowest))) {
      first = std::min(first, x);
      last = std::max(last, x);
    }
  EXPECT_NEAR((first + last) / 2, bottom.ValueToPixel(250), 2);
}

TEST_F(MainChartFrame, NothingRedOutsideThePlotRectangle) {
  const fw::TRect plot = scene.Chart->PlotRect();
  int outside = 0;
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x)
      if (IsRed(Pixel(x, y)) && !(x >= plot.Left && x <= plot.Right && y >= plot.Top && y <= plot.Bottom)) ++outside;
  EXPECT_EQ(outside, 0);
}

TEST_F(MainChartFrame, SecondPaintWithoutChangeIsServedFromTheBuffer) {
  EXPECT_FALSE(scene.Chart->Canvas().Dirty());
  EXPECT_TRUE(scene.Chart->Canvas().RepaintFromBuffer());
  scene.Fill(500, 0, 0.1);
  EXPECT_TRUE(scene.Chart->Canvas().Dirty());
  EXPECT_FALSE(scene.Chart->Canvas().RepaintFromBuffer());
}
