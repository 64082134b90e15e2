// Lines: device end-pixel rule, sequences equal to separate lines, raster operations, styles.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TSurface.h"
#include "tests/framework/graphics/PixelText.h"

using namespace fw;
using fwtest::Picture;

namespace {

std::vector<std::string> Rows(std::initializer_list<const char*> rows) { return {rows.begin(), rows.end()}; }

TEST(SurfaceLines, EndPixelIsExcludedInEveryDirection) {
  TBitmap bmp(9, 9);
  TSurface& s = bmp.Canvas();
  const TPoint c{4, 4};
  const TPoint ends[] = {{8, 4}, {0, 4}, {4, 8}, {4, 0}, {8, 8}, {0, 0}, {8, 0}, {0, 8}, {7, 1}, {1, 6}};
  for (const TPoint& e : ends) {
    s.PatBlt({0, 0, 9, 9}, clWhite);
    s.MoveTo(c.X, c.Y);
    s.LineTo(e.X, e.Y);
    EXPECT_EQ(s.GetPixel(c.X, c.Y), clBlack) << "start pixel towards " << e.X << "," << e.Y;
    EXPECT_EQ(s.GetPixel(e.X, e.Y), clWhite) << "end pixel " << e.X << "," << e.Y;
    const int steps = std::max(std::abs(e.X - c.X), std::abs(e.Y - c.Y));
    EXPECT_EQ(fwtest::CountNot(s, {0, 0, 9, 9}, clWhite), steps);
    EXPECT_EQ(s.PenPos(), e);
  }
}

TEST(SurfaceLines, LineToTheCurrentPositionDrawsNothing) {
  TBitmap bmp(5, 5);
  TSurface& s = bmp.Canvas();
  s.MoveTo(2, 2);
  s.LineTo(2, 2);
  s.LineTo(2, 2);
  EXPECT_EQ(fwtest::CountNot(s, {0, 0, 5, 5}, clWhite), 0);
}

TEST(SurfaceLines, ShallowLineRoundsToTheNearestRow) {
  TBitmap bmp(10, 4);
  TSurface& s = bmp.Canvas();
  s.MoveTo(0, 0);
  s.LineTo(8, 2);
  EXPECT_EQ(Picture(s, 10, 4), Rows({"##........", "..####....", "......##..", ".........."}));
}

std::vector<TPoint> RandomPath(std::mt19937& rng, int count, int size) {
  std::vector<TPoint> pts;
  for (int i = 0; i < count; ++i)
    pts.push_back({static_cast<int32_t>(rng() % size), static_cast<int32_t>(rng() % size)});
  // Repeated points, as a dense curve produces them.
  pts.insert(pts.begin() + count / 2, pts[count / 2]);
  return pts;
}

TEST(SurfaceLines, LineSequencePolylineAndSeparateLinesGiveTheSamePixels) {
  std::mt19937 rng(7);
  for (int round = 0; round < 20; ++round) {
    const std::vector<TPoint> pts = RandomPath(rng, 12, 40);
    TBitmap seq(40, 40), poly(40, 40), sep(40, 40);
    for (TBitmap* b : {&seq, &poly, &sep}) b->Canvas().Pen().SetColor(clRed);
    seq.Canvas().MoveTo(pts[0].X, pts[0].Y);
    for (size_t i = 1; i < pts.size(); ++i) seq.Canvas().LineTo(pts[i].X, pts[i].Y);
    poly.Canvas().Polyline(pts);
    for (size_t i = 1; i < pts.size(); ++i) {
      sep.Canvas().MoveTo(pts[i - 1].X, pts[i - 1].Y);
      sep.Canvas().LineTo(pts[i].X, pts[i].Y);
    }
    EXPECT_EQ(Picture(seq.Canvas(), 40, 40), Picture(sep.Canvas(), 40, 40)) << "round " << round;
    EXPECT_EQ(Picture(poly.Canvas(), 40, 40), Picture(sep.Canvas(), 40, 40)) << "round " << round;
  }
}

TEST(SurfaceLines, NotXorDrawnTwiceRestoresEveryPixel) {
  std::mt19937 rng(11);
  TBitmap bmp(40, 40);
  TSurface& s = bmp.Canvas();
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) s.SetPixel(x, y, RGB(x * 6, y * 6, (x + y) * 3));
  std::vector<TColor> before;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) before.push_back(s.GetPixel(x, y));
  s.Pen().SetMode(pmNotXor);
  s.Pen().SetColor(clBlue);
  const std::vector<TPoint> pts = RandomPath(rng, 10, 40);
  for (int pass = 0; pass < 2; ++pass) {
    s.MoveTo(pts[0].X, pts[0].Y);
    for (size_t i = 1; i < pts.size(); ++i) s.LineTo(pts[i].X, pts[i].Y);
    s.Brush().SetStyle(bsClear);
    s.Rectangle(3, 5, 30, 22);
    s.Rectangle(10, 10, 11, 30);  // one column wide
  }
  std::vector<TColor> after;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) after.push_back(s.GetPixel(x, y));
  EXPECT_EQ(before, after);
}

TEST(SurfaceLines, NotXorInvertsAgainstTheBlackPen) {
  TBitmap bmp(6, 1);
  TSurface& s = bmp.Canvas();
  s.SetPixel(1, 0, RGB(10, 20, 30));
  s.Pen().SetMode(pmNotXor);
  s.MoveTo(0, 0);
  s.LineTo(3, 0);
  // ~(black ^ D) = ~D
  EXPECT_EQ(s.GetPixel(0, 0), clBlack);
  EXPECT_EQ(s.GetPixel(1, 0), RGB(245, 235, 225));
  EXPECT_EQ(s.GetPixel(3, 0), clWhite);
}

TEST(SurfaceLines, OtherRasterOperations) {
  TBitmap bmp(4, 1);
  TSurface& s = bmp.Canvas();
  const TColor pen = RGB(0x0F, 0xF0, 0x33);
  const TColor inverse = ~pen & 0xFFFFFF;
  const struct {
    TPenMode mode;
    TColor expected;  // over a white destination
  } cases[] = {{pmCopy, pen},      {pmXor, inverse},   {pmNot, clBlack},   {pmMask, pen},
               {pmMerge, clWhite}, {pmNop, clWhite},   {pmBlack, clBlack}, {pmWhite, clWhite},
               {pmNotCopy, inverse}, {pmMaskNotPen, inverse}, {pmNotMerge, clBlack}};
  s.Pen().SetColor(pen);
  for (const auto& c : cases) {
    s.PatBlt({0, 0, 4, 1}, clWhite);
    s.Pen().SetMode(c.mode);
    s.MoveTo(0, 0);
    s.LineTo(2, 0);
    EXPECT_EQ(s.GetPixel(0, 0), c.expected) << "mode " << c.mode;
    EXPECT_EQ(s.GetPixel(2, 0), clWhite) << "mode " << c.mode;
  }
}

TEST(SurfaceLines, DottedPenLeavesGapsOrFillsThemWhenOpaque) {
  TBitmap bmp(12, 2);
  TSurface& s = bmp.Canvas();
  s.Pen().SetStyle(psDot);
  s.Brush().SetStyle(bsClear);  // transparent background
  s.MoveTo(0, 0);
  s.LineTo(12, 0);
  EXPECT_EQ(Picture(s, 12, 1), Rows({"###...###..."}));
  s.SetBkMode(OPAQUE);
  s.SetBkColor(clRed);
  s.MoveTo(0, 1);
  s.LineTo(12, 1);
  EXPECT_EQ(s.GetPixel(0, 1), clBlack);
  EXPECT_EQ(s.GetPixel(3, 1), clRed);
  EXPECT_EQ(s.GetPixel(9, 1), clRed);
}

TEST(SurfaceLines, AlternatePenSetsEveryOtherPixel) {
  TBitmap bmp(9, 9);
  TSurface& s = bmp.Canvas();
  s.Pen().SetStyle(psAlternate);
  s.SetBkMode(TRANSPARENT);
  s.MoveTo(0, 0);
  s.LineTo(9, 0);
  s.MoveTo(0, 8);
  s.LineTo(0, 2);
  EXPECT_EQ(Picture(s, 9, 1), Rows({"#.#.#.#.#"}));
  EXPECT_EQ(s.GetPixel(0, 8), clBlack);
  EXPECT_EQ(s.GetPixel(0, 7), clWhite);
  EXPECT_EQ(s.GetPixel(0, 6), clBlack);
}

TEST(SurfaceLines, StyledWidePenDrawsSolid) {
  TBitmap bmp(12, 6);
  TSurface& s = bmp.Canvas();
  s.Pen().SetWidth(3);
  s.Pen().SetStyle(psDot);
  s.MoveTo(2, 3);
  s.LineTo(10, 3);
  for (int x = 2; x < 10; ++x) {
    EXPECT_EQ(s.GetPixel(x, 2), clBlack) << x;
    EXPECT_EQ(s.GetPixel(x, 3), clBlack) << x;
    EXPECT_EQ(s.GetPixel(x, 4), clBlack) << x;
  }
  EXPECT_EQ(s.GetPixel(6, 0), clWhite);
  EXPECT_EQ(s.GetPixel(6, 5), clWhite);
}

TEST(SurfaceLines, WideLineWithFarEndsKeepsItsSlope) {
  TBitmap bmp(20, 20);
  TSurface& s = bmp.Canvas();
  s.Pen().SetWidth(2);
  // The diagonal through the image, given by ends far outside it.
  s.MoveTo(-1000000000, -1000000000);
  s.LineTo(1000000000, 1000000000);
  for (int i = 2; i < 18; ++i) EXPECT_EQ(s.GetPixel(i, i), clBlack) << i;
  EXPECT_EQ(s.GetPixel(15, 2), clWhite);
  EXPECT_EQ(s.GetPixel(2, 15), clWhite);
}

TEST(SurfaceLines, ClearPenDrawsNothing) {
  TBitmap bmp(6, 6);
  TSurface& s = bmp.Canvas();
  s.Pen().SetStyle(psClear);
  s.MoveTo(0, 0);
  s.LineTo(5, 5);
  EXPECT_EQ(fwtest::CountNot(s, {0, 0, 6, 6}, clWhite), 0);
  EXPECT_EQ(s.PenPos(), (TPoint{5, 5}));
}

TEST(SurfaceLines, HugeCoordinatesDrawOnlyTheVisiblePart) {
  TBitmap bmp(16, 16);
  TSurface& s = bmp.Canvas();
  s.MoveTo(INT32_MIN, 5);
  s.LineTo(INT32_MAX, 5);
  EXPECT_EQ(fwtest::CountNot(s, {0, 5, 16, 6}, clBlack), 0);
  EXPECT_EQ(fwtest::CountNot(s, {0, 0, 16, 16}, clWhite), 16);
  // A steep line through the whole range crosses the image on the expected column.
  s.PatBlt({0, 0, 16, 16}, clWhite);
  s.MoveTo(7, INT32_MIN);
  s.LineTo(9, INT32_MAX);
  EXPECT_EQ(fwtest::CountNot(s, {0, 0, 16, 16}, clWhite), 16);
  EXPECT_EQ(s.GetPixel(8, 0), clBlack);
  s.Polygon(std::vector<TPoint>{{INT32_MIN, INT32_MIN}, {INT32_MAX, 0}, {0, INT32_MAX}});
}

}  // namespace
