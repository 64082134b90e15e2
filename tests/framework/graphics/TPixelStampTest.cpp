// Stamps: the pixels of a drawing read off one image and put down on another, against the same
// drawing made there; refused where a pixel may not be drawn. Slanted blocks against a plain
// model of their pixels. Columns of stamps against the same stamps put down one by one.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
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

// The box one pixel short on side 1 (left), 2 (top), 3 (right) or 4 (bottom); as it is for 0.
TRect OnePixelShort(TRect box, int side) {
  if (side == 1) ++box.Left;
  if (side == 2) ++box.Top;
  if (side == 3) --box.Right;
  if (side == 4) --box.Bottom;
  return box;
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
        TBitmap clipped(16, 18);
        clipped.Canvas().IntersectClipRect(OnePixelShort(box, side));
        const std::vector<TColor> before = AllPixels(clipped.Canvas(), 16, 18);
        EXPECT_EQ(clipped.Canvas().Slant(x, y, steps, colours, clBlack), side == 0) << steps << " " << count << side;
        if (side != 0) {
          EXPECT_EQ(AllPixels(clipped.Canvas(), 16, 18), before);
        }
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

// Random stamps (holes, ragged rows, the same columns on every row, wider than a row's bit mask
// too) put down at random rows of a column, repeated and out of order, the same pixels both
// ways; the box of all of them one pixel short of the clip on any side refuses the whole column
// (every sixth round).
TEST(PixelStamp, AColumnOfStampsLeavesThePixelsOfEachPutDownInTurn) {
  std::mt19937 rng(7);
  for (int round = 0; round < 300; ++round) {
    const int32_t width = round % 10 == 0 ? 60 + static_cast<int32_t>(rng() % 13) : 1 + static_cast<int32_t>(rng() % 20);
    const int32_t height = 1 + static_cast<int32_t>(rng() % 14);
    const int32_t left = -static_cast<int32_t>(rng() % (static_cast<uint32_t>(width) + 1));
    const int32_t top = -static_cast<int32_t>(rng() % (static_cast<uint32_t>(height) + 1));
    // Every third stamp covers the same columns on each of its rows (a box, a box with holes).
    const bool sameRows = round % 3 == 1;
    std::vector<bool> columns(static_cast<size_t>(width));
    for (size_t c = 0; c < columns.size(); ++c) columns[c] = rng() % 4 != 0;
    TPixelStamp stamp;
    for (int32_t dy = top; dy < top + height; ++dy)
      for (int32_t dx = left; dx < left + width; ++dx)
        if (sameRows ? columns[static_cast<size_t>(dx - left)] : rng() % 4 != 0)
          stamp.Add(dx, dy, 0xFF000000u | (rng() % 4 == 0 ? 0x0000FFu : rng() & 0xFFFFFFu));
    if (stamp.Empty())
      for (int32_t dy = top; dy < top + height; ++dy) stamp.Add(left, dy, 0xFF123456u + static_cast<uint32_t>(dy));
    const int32_t side = 160, x = 75 + static_cast<int32_t>(rng() % 10);
    std::vector<int32_t> ys(rng() % 12);
    for (int32_t& y : ys) y = 15 + static_cast<int32_t>(rng() % (1 + rng() % 40));
    TBitmap single(side, side), column(side, side);
    for (TBitmap* b : {&single, &column}) {
      b->Canvas().Brush().SetColor(clWhite);
      b->Canvas().FillRect({0, 0, side, side});
    }
    for (const int32_t y : ys) ASSERT_TRUE(single.Canvas().Stamp(x, y, stamp));
    ASSERT_TRUE(column.Canvas().StampColumn(x, ys, stamp)) << "round " << round;
    ASSERT_EQ(AllPixels(column.Canvas(), side, side), AllPixels(single.Canvas(), side, side)) << "round " << round;
    if (ys.empty() || round % 6 != 0) continue;
    const auto [lowest, highest] = std::minmax_element(ys.begin(), ys.end());
    const TRect box{x + stamp.Left(), *lowest + stamp.Top(), x + stamp.Right(), *highest + stamp.Bottom()};
    for (int edge = 1; edge <= 4; ++edge) {
      TBitmap clipped(side, side);
      clipped.Canvas().IntersectClipRect(OnePixelShort(box, edge));
      const std::vector<TColor> before = AllPixels(clipped.Canvas(), side, side);
      EXPECT_FALSE(clipped.Canvas().StampColumn(x, ys, stamp)) << "round " << round << " edge " << edge;
      EXPECT_EQ(AllPixels(clipped.Canvas(), side, side), before);
    }
  }
  TBitmap image(10, 10), scaled(10, 10, 2.0);
  TPixelStamp dot, empty;
  dot.Add(0, 0, 0xFFFF0000u);
  const std::vector<int32_t> rows{2, 3}, far{0, INT32_MAX}, none;
  const std::vector<TColor> before = AllPixels(image.Canvas(), 10, 10);
  EXPECT_TRUE(image.Canvas().StampColumn(3, none, dot));
  EXPECT_EQ(AllPixels(image.Canvas(), 10, 10), before);
  EXPECT_FALSE(image.Canvas().StampColumn(3, far, dot));
  EXPECT_FALSE(image.Canvas().StampColumn(INT32_MIN, rows, dot));
  EXPECT_FALSE(image.Canvas().StampColumn(3, rows, empty));
  EXPECT_FALSE(scaled.Canvas().StampColumn(3, rows, dot));  // device pixels are not logical ones
  EXPECT_TRUE(image.Canvas().StampColumn(3, rows, dot));
  EXPECT_EQ(image.Canvas().GetPixel(3, 3), clRed);
}

}  // namespace
