// Stamps: the pixels of a drawing read off one image and put down on another, against the same
// drawing made there; refused where a pixel may not be drawn. Slanted blocks against a plain
// model of their pixels.
#include <gtest/gtest.h>

#include <span>
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

TEST(PixelStamp, SlantPutsEachColourOnItsDiagonalWithTheEndsAndIsRefusedPastTheClip) {
  const std::vector<TColor> palette{clRed, clLime, clBlue, clYellow, clAqua};
  for (const int32_t steps : {0, 1, 2, 5})
    for (size_t count = 1; count <= palette.size(); ++count) {
      const std::span<const TColor> colours(palette.data(), count);
      const int32_t x = 4, y = 9;
      TBitmap image(16, 18);
      image.Canvas().Brush().SetColor(clWhite);
      image.Canvas().FillRect({0, 0, 16, 18});
      ASSERT_TRUE(image.Canvas().Slant(x, y, steps, colours, clBlack)) << steps << " " << count;
      std::vector<TColor> model(16 * 18, clWhite);
      for (size_t i = 0; i < count; ++i)
        for (int32_t t = 0; t <= steps; ++t)
          model[static_cast<size_t>(y + static_cast<int32_t>(i) - t) * 16 + static_cast<size_t>(x + t)] =
              t == 0 || t == steps ? clBlack : palette[i];
      EXPECT_EQ(AllPixels(image.Canvas(), 16, 18), model) << steps << " " << count;

      // The box is x .. x + steps across, y - steps .. y + count - 1 down: a clip one pixel
      // short on any side refuses the whole block.
      const TRect box{x, y - steps, x + steps + 1, y + static_cast<int32_t>(count)};
      for (int side = 0; side <= 4; ++side) {
        TRect clip = box;
        if (side == 1) ++clip.Left;
        if (side == 2) ++clip.Top;
        if (side == 3) --clip.Right;
        if (side == 4) --clip.Bottom;
        TBitmap clipped(16, 18);
        clipped.Canvas().IntersectClipRect(clip);
        const std::vector<TColor> before = AllPixels(clipped.Canvas(), 16, 18);
        EXPECT_EQ(clipped.Canvas().Slant(x, y, steps, colours, clBlack), side == 0) << steps << " " << count << side;
        if (side != 0) EXPECT_EQ(AllPixels(clipped.Canvas(), 16, 18), before);
      }
    }
  TBitmap image(10, 10), scaled(10, 10, 2.0);
  const std::vector<TColor> one{clRed};
  EXPECT_FALSE(image.Canvas().Slant(0, 0, 1, one, clBlack));   // its back reaches above the image
  EXPECT_FALSE(image.Canvas().Slant(9, 5, 1, one, clBlack));   // past the right edge
  EXPECT_FALSE(image.Canvas().Slant(INT32_MAX, INT32_MIN, INT32_MAX, one, clBlack));
  EXPECT_FALSE(image.Canvas().Slant(2, 5, -1, one, clBlack));
  EXPECT_FALSE(image.Canvas().Slant(2, 5, 1, {}, clBlack));
  EXPECT_FALSE(scaled.Canvas().Slant(2, 5, 1, one, clBlack));  // device pixels are not logical ones
  EXPECT_TRUE(image.Canvas().Slant(0, 1, 1, one, clBlack));
}

}  // namespace
