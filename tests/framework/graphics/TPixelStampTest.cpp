// Stamps: the pixels of a drawing read off one image and put down on another, against the same
// drawing made there; refused where a pixel may not be drawn.
#include <gtest/gtest.h>

#include <vector>

#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TPixelStamp.h"
#include "framework/graphics/TSurface.h"

using namespace fw;

namespace {

std::vector<TColor> AllPixels(TSurface& s, int32_t w, int32_t h) {
  std::vector<TColor> out;
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) out.push_back(s.GetPixel(x, y));
  return out;
}

// A triangle outlined in one colour and filled in another, at (x, y).
void DrawShape(TSurface& s, int32_t x, int32_t y) {
  s.Pen().SetColor(clNavy);
  s.Brush().SetColor(clYellow);
  const std::vector<TPoint> corners{{x, y}, {x + 9, y + 3}, {x + 2, y + 8}};
  s.Polygon(corners);
}

TEST(PixelStamp, PutsDownThePixelsOfTheDrawingWhereverItIsMoved) {
  TBitmap scratch(20, 20);
  scratch.Canvas().Brush().SetColor(clWhite);
  scratch.Canvas().FillRect({0, 0, 20, 20});
  DrawShape(scratch.Canvas(), 5, 6);
  TPixelStamp stamp;
  scratch.Canvas().ReadStamp({0, 0, 20, 20}, 5, 6,
                             [&](int32_t x, int32_t y) { return scratch.Canvas().GetPixel(x, y) != clWhite; }, stamp);
  ASSERT_FALSE(stamp.Empty());
  EXPECT_EQ(stamp.Left(), 0);
  EXPECT_EQ(stamp.Top(), 0);
  EXPECT_EQ(stamp.Right(), 10);
  EXPECT_EQ(stamp.Bottom(), 9);

  for (const auto& [x, y] : std::vector<std::pair<int32_t, int32_t>>{{0, 0}, {13, 4}, {30, 21}}) {
    TBitmap drawn(40, 30), stamped(40, 30);
    for (TBitmap* b : {&drawn, &stamped}) {
      b->Canvas().Brush().SetColor(clGreen);
      b->Canvas().FillRect({0, 0, 40, 30});
    }
    DrawShape(drawn.Canvas(), x, y);
    stamped.Canvas().Pen().SetColor(clRed);
    ASSERT_TRUE(stamped.Canvas().Stamp(x, y, stamp)) << x << ", " << y;
    EXPECT_EQ(AllPixels(stamped.Canvas(), 40, 30), AllPixels(drawn.Canvas(), 40, 30)) << x << ", " << y;
    EXPECT_EQ(stamped.Canvas().Pen().Color(), clRed);  // the surface's pen stays
  }
}

TEST(PixelStamp, IsRefusedWhereAPixelMayNotBeDrawn) {
  TBitmap scratch(12, 12);
  DrawShape(scratch.Canvas(), 1, 1);
  TPixelStamp stamp;
  scratch.Canvas().ReadStamp({-5, -5, 40, 40}, 1, 1, [](int32_t, int32_t) { return true; }, stamp);
  EXPECT_EQ(stamp.Right() - stamp.Left(), 12);  // the area is cut to the image
  EXPECT_EQ(stamp.Bottom() - stamp.Top(), 12);
  const auto refused = [&](TBitmap& target, int32_t x, int32_t y) {
    const std::vector<TColor> before = AllPixels(target.Canvas(), target.Width(), target.Height());
    const bool put = target.Canvas().Stamp(x, y, stamp);
    return !put && AllPixels(target.Canvas(), target.Width(), target.Height()) == before;
  };
  TBitmap target(30, 30);
  EXPECT_TRUE(refused(target, 20, 5));  // past the right edge
  EXPECT_TRUE(refused(target, 5, -1));  // past the top
  EXPECT_TRUE(refused(target, INT32_MAX, INT32_MIN));
  target.Canvas().IntersectClipRect({0, 0, 15, 30});
  EXPECT_TRUE(refused(target, 5, 4));  // one pixel past the clip
  EXPECT_TRUE(target.Canvas().Stamp(4, 4, stamp));
  TBitmap polygonClip(30, 30);
  const std::vector<TPoint> triangle{{0, 0}, {30, 0}, {0, 30}};
  polygonClip.Canvas().IntersectClipPolygon(triangle);
  EXPECT_TRUE(refused(polygonClip, 10, 10));  // its corner lies outside the triangle
  EXPECT_TRUE(polygonClip.Canvas().Stamp(1, 1, stamp));
  TBitmap scaled(30, 30, 2.0);
  EXPECT_TRUE(refused(scaled, 2, 2));  // device pixels are not logical ones
  TPixelStamp empty;
  EXPECT_FALSE(target.Canvas().Stamp(2, 4, empty));
  TPixelStamp none;
  scaled.Canvas().ReadStamp({0, 0, 30, 30}, 0, 0, [](int32_t, int32_t) { return true; }, none);
  EXPECT_TRUE(none.Empty());
}

}  // namespace
