// The row-shape rasterizer on a plain pixel buffer: outline and interior cover each pixel once.
#include <gtest/gtest.h>

#include <numbers>
#include <vector>

#include <QRect>

#include "framework/graphics/TShapeRaster.h"

using namespace fw;

namespace {

constexpr uint32_t White = 0xFFFFFFFFu, Red = 0xFFFF0000u, Blue = 0xFF0000FFu;

TPixelPen Pen(int32_t width, TPenStyle style, TPenMode mode = pmCopy) {
  TPixelPen pen;
  pen.Rgb = Red;
  pen.Width = width;
  pen.Style = style;
  pen.Mode = mode;
  return pen;
}

TEST(ShapeRaster, WideVisiblePensWidenTheOuterShape) {
  const RowShape plain = TShapeRaster::OuterShape(10, 10, 2, 4, 0, 0, Pen(1, psSolid));
  EXPECT_EQ(plain.left, 2);
  EXPECT_EQ(plain.top, 4);
  EXPECT_EQ(plain.right, 10);
  EXPECT_EQ(plain.bottom, 10);
  const RowShape wide = TShapeRaster::OuterShape(2, 4, 10, 10, 0, 0, Pen(5, psSolid));
  EXPECT_EQ(wide.left, 0);
  EXPECT_EQ(wide.bottom, 12);
  const RowShape inside = TShapeRaster::OuterShape(2, 4, 10, 10, 0, 0, Pen(5, psInsideFrame));
  EXPECT_EQ(inside.left, 2);
  const RowShape clear = TShapeRaster::OuterShape(2, 4, 10, 10, 0, 0, Pen(5, psClear));
  EXPECT_EQ(clear.right, 10);
  const RowShape corners = TShapeRaster::OuterShape(0, 0, 8, 6, 100, 3, Pen(1, psSolid));
  EXPECT_EQ(corners.ew, 8) << "corner ellipses are clamped to the box";
  EXPECT_EQ(corners.eh, 3);
}

TEST(ShapeRaster, OutlineAndInteriorCoverEveryPixelOfTheShapeOnce) {
  constexpr int W = 40, H = 30;
  for (const int width : {1, 3}) {
    for (const bool arc : {false, true}) {
      std::vector<uint32_t> pixels(W * H, White);
      std::vector<int> count(W * H, 0);
      const TPixelTarget target{pixels.data(), W, W, H, QRect(0, 0, W, H), nullptr};
      const TPixelPen pen = Pen(width, psSolid);
      const RowShape shape = TShapeRaster::OuterShape(4, 3, 35, 26, 12, 9, pen);
      const Sweep sweep{19.5, 14.5, 0.3, 4.0};
      TShapeRaster raster;
      raster.Draw(target, shape, true, arc ? &sweep : nullptr, pen, false, 0, [&](const QRect& run) {
        for (int x = run.left(); x <= run.right(); ++x) {
          ++count[static_cast<size_t>(run.top() * W + x)];
          pixels[static_cast<size_t>(run.top() * W + x)] = Blue;
        }
      });
      int outline = 0, inside = 0;
      for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
          const uint32_t p = pixels[static_cast<size_t>(y * W + x)];
          EXPECT_LE(count[static_cast<size_t>(y * W + x)], 1);
          int64_t l, r;
          const bool inShape = shape.Span(y, l, r) && x >= l && x <= r && (!arc || sweep.Contains(x, y));
          EXPECT_EQ(p != White, inShape) << x << "," << y << " width " << width << " arc " << arc;
          outline += p == Red;
          inside += p == Blue;
        }
      }
      EXPECT_GT(outline, 0);
      EXPECT_GT(inside, outline / 2);
    }
  }
}

TEST(ShapeRaster, NotXorOutlineDrawnTwiceLeavesNoTraceAndStyledOutlinesHaveGaps) {
  constexpr int W = 24, H = 20;
  std::vector<uint32_t> pixels(W * H, White);
  const TPixelTarget target{pixels.data(), W, W, H, QRect(0, 0, W, H), nullptr};
  TPixelPen pen = Pen(1, psSolid, pmNotXor);
  const RowShape ellipse = TShapeRaster::OuterShape(2, 2, 22, 18, INT32_MAX, INT32_MAX, pen);
  TShapeRaster raster;
  auto noBrush = [](const QRect&) {};
  raster.Draw(target, ellipse, false, nullptr, pen, false, 0, noBrush);
  int drawn = 0;
  for (uint32_t p : pixels) drawn += p != White;
  EXPECT_GT(drawn, 30);
  raster.Draw(target, ellipse, false, nullptr, pen, false, 0, noBrush);
  for (uint32_t p : pixels) ASSERT_EQ(p, White);

  TPixelPen dotted = Pen(1, psDot);
  dotted.Period = 6;
  for (int k = 0; k < 6; ++k) dotted.Mask[k] = k < 3;
  raster.Draw(target, ellipse, false, nullptr, dotted, true, Blue, noBrush);
  int red = 0, blue = 0;
  for (uint32_t p : pixels) {
    red += p == Red;
    blue += p == Blue;
  }
  EXPECT_EQ(red + blue, drawn) << "the same outline pixels, in pen or gap colour";
  EXPECT_NEAR(red, blue, 6);
}

TEST(ShapeRaster, NothingOutsideTheDrawableBoxOrWithoutPixels) {
  constexpr int W = 16, H = 16;
  std::vector<uint32_t> pixels(W * H, White);
  const TPixelPen pen = Pen(1, psSolid);
  const RowShape shape = TShapeRaster::OuterShape(-1000000, -1000000, 1000000, 1000000, 0, 0, pen);
  TShapeRaster raster;
  int runs = 0;
  raster.Draw({nullptr, W, W, H, QRect(0, 0, W, H), nullptr}, shape, true, nullptr, pen, false, 0,
              [&](const QRect&) { ++runs; });
  EXPECT_EQ(runs, 0);
  raster.Draw({pixels.data(), W, W, H, QRect(4, 4, 8, 8), nullptr}, shape, true, nullptr, pen, false, 0,
              [&](const QRect& run) {
                ++runs;
                EXPECT_TRUE(QRect(4, 4, 8, 8).contains(run));
              });
  EXPECT_EQ(runs, 8) << "the interior of a huge box, one run per drawable row";
  for (uint32_t p : pixels) EXPECT_EQ(p, White) << "the outline lies far outside";
}

}  // namespace
