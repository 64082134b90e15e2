// Lines: device end-pixel rule, sequences equal to separate lines, raster operations, styles.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <vector>

#include "framework/graphics/PenModes.h"
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

/// The line rule written out per step: step i of a steps sets the major coordinate m1 + i and
/// the minor coordinate n1 + floor((2 i b + a) / 2a), mirrored for negative directions.
std::vector<std::string> ReferenceLine(int w, int h, const TRect& clip, TPoint p1, TPoint p2) {
  std::vector<std::string> rows(static_cast<size_t>(h), std::string(static_cast<size_t>(w), '.'));
  const int64_t dx = int64_t{p2.X} - p1.X, dy = int64_t{p2.Y} - p1.Y;
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const int64_t a = xMajor ? std::abs(dx) : std::abs(dy), b = xMajor ? std::abs(dy) : std::abs(dx);
  const int64_t sm = (xMajor ? dx : dy) > 0 ? 1 : -1, sn = (xMajor ? dy : dx) >= 0 ? 1 : -1;
  for (int64_t i = 0; i < a; ++i) {
    const int64_t m = (xMajor ? p1.X : p1.Y) + sm * i;
    const int64_t n = (xMajor ? p1.Y : p1.X) + sn * ((2 * i * b + a) / (2 * a));
    const int64_t x = xMajor ? m : n, y = xMajor ? n : m;
    if (x >= std::max(0, clip.Left) && x < std::min(w, clip.Right) && y >= std::max(0, clip.Top) &&
        y < std::min(h, clip.Bottom))
      rows[static_cast<size_t>(y)][static_cast<size_t>(x)] = '#';
  }
  return rows;
}

TEST(SurfaceLines, EveryDirectionAndClipMatchesTheStepRule) {
  // Steep, shallow, diagonal and axis-parallel lines with ends inside and far outside the
  // image, under no clip, a box clip and a two-box clip (which takes the general path).
  std::mt19937 rng(23);
  constexpr int W = 37, H = 29;
  auto coord = [&rng](int size) {
    switch (rng() % 4) {
      case 0: return static_cast<int32_t>(rng() % 400) - 200;
      default: return static_cast<int32_t>(rng() % (size + 10)) - 5;
    }
  };
  for (int round = 0; round < 600; ++round) {
    TPoint p1{coord(W), coord(H)}, p2{coord(W), coord(H)};
    if (round % 5 == 0) p2.X = p1.X + static_cast<int32_t>(rng() % 3) - 1;  // near-vertical
    if (round % 7 == 0) p2.Y = p1.Y + static_cast<int32_t>(rng() % 3) - 1;  // near-horizontal
    const int clipKind = round % 3;
    const TRect box{static_cast<int32_t>(rng() % 15), static_cast<int32_t>(rng() % 12),
                    static_cast<int32_t>(18 + rng() % 20), static_cast<int32_t>(14 + rng() % 16)};
    TBitmap bmp(W, H);
    TSurface& s = bmp.Canvas();
    std::vector<std::string> expected;
    if (clipKind == 0) {
      expected = ReferenceLine(W, H, {0, 0, W, H}, p1, p2);
    } else if (clipKind == 1) {
      s.IntersectClipRect(box);
      expected = ReferenceLine(W, H, box, p1, p2);
    } else {
      // An L-shaped clip (two rectangles, the general path): the line unclipped, cut to the
      // pixels a fill under the same clip reaches.
      const std::vector<TPoint> shape{{0, 0}, {12, 0}, {12, 15}, {W, 15}, {W, H}, {0, H}};
      s.IntersectClipPolygon(shape);
      TBitmap mask(W, H);
      mask.Canvas().IntersectClipPolygon(shape);
      mask.Canvas().Brush().SetColor(clBlack);
      mask.Canvas().FillRect({0, 0, W, H});
      const std::vector<std::string> allowed = Picture(mask.Canvas(), W, H);
      expected = ReferenceLine(W, H, {0, 0, W, H}, p1, p2);
      for (size_t y = 0; y < expected.size(); ++y)
        for (size_t x = 0; x < expected[y].size(); ++x)
          if (allowed[y][x] == '.') expected[y][x] = '.';
    }
    s.MoveTo(p1.X, p1.Y);
    s.LineTo(p2.X, p2.Y);
    ASSERT_EQ(Picture(s, W, H), expected)
        << "round " << round << ": (" << p1.X << "," << p1.Y << ") to (" << p2.X << "," << p2.Y << ")";
  }
}

TEST(SurfaceLines, DottedLinesKeepTheirPhaseAcrossTheClip) {
  // The pattern counts steps from the start point, also for steps cut away by the clip.
  std::mt19937 rng(5);
  for (int round = 0; round < 200; ++round) {
    const TPoint p1{static_cast<int32_t>(rng() % 60) - 10, static_cast<int32_t>(rng() % 60) - 10};
    TPoint p2{static_cast<int32_t>(rng() % 60) - 10, static_cast<int32_t>(rng() % 60) - 10};
    if (round % 4 == 1) p2.Y = p1.Y;  // grid lines run along rows and columns
    if (round % 4 == 2) p2.X = p1.X;
    TBitmap full(40, 40), cut(40, 40), shaped(40, 40), mask(40, 40);
    const bool opaque = round % 2 == 0;
    for (TBitmap* b : {&full, &cut, &shaped}) {
      b->Canvas().Pen().SetStyle(round % 3 == 0 ? psDashDot : psDot);
      b->Canvas().SetBkMode(opaque ? OPAQUE : TRANSPARENT);
      b->Canvas().SetBkColor(clLime);
    }
    const TRect box{5, 7, 31, 29};
    cut.Canvas().IntersectClipRect(box);
    // An L-shaped clip is two rectangles: the pixel-by-pixel clip test, not the box.
    const std::vector<TPoint> shape{{0, 0}, {12, 0}, {12, 15}, {40, 15}, {40, 40}, {0, 40}};
    shaped.Canvas().IntersectClipPolygon(shape);
    mask.Canvas().IntersectClipPolygon(shape);
    mask.Canvas().Brush().SetColor(clBlack);
    mask.Canvas().FillRect({0, 0, 40, 40});
    for (TBitmap* b : {&full, &cut, &shaped}) {
      b->Canvas().MoveTo(p1.X, p1.Y);
      b->Canvas().LineTo(p2.X, p2.Y);
    }
    for (int32_t y = 0; y < 40; ++y)
      for (int32_t x = 0; x < 40; ++x) {
        const bool inside = x >= box.Left && x < box.Right && y >= box.Top && y < box.Bottom;
        const TColor want = inside ? full.Canvas().GetPixel(x, y) : clWhite;
        ASSERT_EQ(cut.Canvas().GetPixel(x, y), want) << "round " << round << " at " << x << "," << y;
        const bool allowed = mask.Canvas().GetPixel(x, y) == clBlack;
        ASSERT_EQ(shaped.Canvas().GetPixel(x, y), allowed ? full.Canvas().GetPixel(x, y) : clWhite)
            << "round " << round << " at " << x << "," << y;
      }
  }
}

std::vector<std::vector<TColor>> Colours(TSurface& s) {
  std::vector<std::vector<TColor>> rows(static_cast<size_t>(s.Height()));
  for (int32_t y = 0; y < s.Height(); ++y)
    for (int32_t x = 0; x < s.Width(); ++x) rows[static_cast<size_t>(y)].push_back(s.GetPixel(x, y));
  return rows;
}

TEST(SurfaceLines, DenseCurvesMixedWithOtherDrawingKeepTheDrawingOrder) {
  // Steep zigzags (whose column runs the surface merges before writing) interleaved with pen
  // changes, wide and styled pens, raster operations, fills and copies. The same calls with a
  // pixel read after each one (which completes any held-back run) must give the same picture.
  std::mt19937 rng(31);
  const TColor colours[] = {clRed, clBlue, clLime, clBlack};
  for (int round = 0; round < 60; ++round) {
    TBitmap batched(30, 40), immediate(30, 40), copyA(30, 40), copyB(30, 40);
    std::vector<std::function<void(TSurface&)>> calls;
    int32_t x = static_cast<int32_t>(rng() % 30);
    calls.push_back([x](TSurface& s) { s.MoveTo(x, 2); });
    for (int k = 0; k < 40; ++k) {
      const uint32_t what = rng() % 12;
      if (what == 0) {
        const TColor c = colours[rng() % 4];
        calls.push_back([c](TSurface& s) { s.Pen().SetColor(c); });
      } else if (what == 1) {
        const int32_t w = 1 + static_cast<int32_t>(rng() % 3);
        calls.push_back([w](TSurface& s) { s.Pen().SetWidth(w); });
      } else if (what == 2) {
        const TPenMode m = rng() % 2 ? pmNotXor : pmCopy;
        calls.push_back([m](TSurface& s) { s.Pen().SetMode(m); });
      } else if (what == 3) {
        const TPenStyle st = rng() % 2 ? psDot : psSolid;
        calls.push_back([st](TSurface& s) { s.Pen().SetStyle(st); });
      } else if (what == 4) {
        const TRect r{static_cast<int32_t>(rng() % 30), static_cast<int32_t>(rng() % 40), 0, 0};
        calls.push_back([r](TSurface& s) {
          s.Brush().SetColor(clYellow);
          s.FillRect({r.Left, r.Top, r.Left + 6, r.Top + 9});
        });
      } else if (what == 5) {
        calls.push_back([](TSurface& s) { s.Rectangle(3, 4, 20, 30); });
      } else {
        // A zigzag between two rows, moving right by at most one pixel per pair.
        x = std::clamp<int32_t>(x + static_cast<int32_t>(rng() % 3) - 1, -2, 31);
        const int32_t top = static_cast<int32_t>(rng() % 20) - 3, bottom = 18 + static_cast<int32_t>(rng() % 25);
        calls.push_back([x, top, bottom](TSurface& s) {
          s.LineTo(x, bottom);
          s.LineTo(x, top);
        });
      }
    }
    for (auto& call : calls) call(batched.Canvas());
    for (auto& call : calls) {
      call(immediate.Canvas());
      immediate.Canvas().GetPixel(0, 0);
    }
    // A copy taken from a surface whose last run may still be held back shows it.
    copyA.Canvas().BlockCopy(0, 0, 30, 40, batched.Canvas(), 0, 0);
    copyB.Canvas().BlockCopy(0, 0, 30, 40, immediate.Canvas(), 0, 0);
    ASSERT_EQ(Colours(copyA.Canvas()), Colours(copyB.Canvas())) << "round " << round;
    ASSERT_EQ(Colours(batched.Canvas()), Colours(immediate.Canvas())) << "round " << round;
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

TEST(SurfaceLines, PensWiderThanThePainterTakesDrawAtItsWidestAtEveryRatio) {
  // A pen wider than the painter's limit (32,767 device pixels) drew one pixel wide before.
  for (const double ratio : {1.0, 2.0}) {
    for (const int32_t width : {32767, 40000, 2000000}) {
      SCOPED_TRACE(testing::Message() << "ratio " << ratio << ", width " << width);
      TBitmap bmp(40, 30);
      bmp.SetDevicePixelRatio(ratio);
      TSurface& s = bmp.Canvas();
      s.Pen().SetWidth(width);
      s.MoveTo(-5, 15);
      s.LineTo(45, 15);
      EXPECT_EQ(s.GetPixel(20, 0), clBlack);
      EXPECT_EQ(s.GetPixel(39, 29), clBlack);
      s.PatBlt({0, 0, 40, 30}, clWhite);
      s.Brush().SetStyle(bsClear);
      s.Ellipse(10, 10, 30, 20);  // outline only: the pen covers the whole image
      EXPECT_EQ(s.GetPixel(20, 15), clBlack);
      EXPECT_EQ(s.GetPixel(0, 0), clBlack);
    }
  }
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

namespace {

/// A background with every bit pattern that a raster operation may treat differently.
void FillPattern(TSurface& s, int w, int h) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      s.SetPixel(x, y, static_cast<TColor>(((x * 37 + y * 91) & 0xFF) | (((x * 13) & 0xFF) << 8) | (((y * 29) & 0xFF) << 16)));
}

std::vector<TColor> Pixels(TSurface& s, int w, int h) {
  std::vector<TColor> out;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out.push_back(s.GetPixel(x, y));
  return out;
}

}  // namespace

// A run of crossing lines (solid, dashed, wide) drawn again right after itself leaves the
// pixels of drawing it once exactly for the modes RepeatsChangeNothing names; every other mode
// changes some pixel.
TEST(SurfaceLines, RepeatedLinesChangeNothingExactlyForTheIdempotentModes) {
  constexpr int N = 24;
  struct TLine {
    int x0, y0, x1, y1;
  };
  const TLine run[] = {{1, 3, 22, 3}, {4, 0, 4, 20}, {0, 0, 23, 17}, {2, 21, 20, 5}};
  for (int m = pmBlack; m <= pmNotXor; ++m) {
    const auto mode = static_cast<TPenMode>(m);
    bool anyDiffers = false;
    for (const TPenStyle style : {psSolid, psDash, psDot}) {
      for (const int32_t width : {1, 3}) {
        for (const int32_t bkMode : {TRANSPARENT, OPAQUE}) {
          std::vector<TColor> once, twice;
          for (const int times : {1, 2}) {
            TBitmap bmp(N, N);
            TSurface& s = bmp.Canvas();
            FillPattern(s, N, N);
            s.Pen().SetColor(static_cast<TColor>(0x3C96C8));
            s.Pen().SetStyle(style);
            s.Pen().SetWidth(width);
            s.Pen().SetMode(mode);
            s.Brush().SetColor(static_cast<TColor>(0x80FF20));
            s.SetBkMode(bkMode);
            for (int t = 0; t < times; ++t)
              for (const TLine& l : run) {
                s.MoveTo(l.x0, l.y0);
                s.LineTo(l.x1, l.y1);
              }
            (times == 1 ? once : twice) = Pixels(s, N, N);
          }
          if (RepeatsChangeNothing(mode)) {
            EXPECT_EQ(once, twice) << "mode " << m << " style " << style << " width " << width << " bk " << bkMode;
          } else {
            anyDiffers = anyDiffers || once != twice;
          }
        }
      }
    }
    if (!RepeatsChangeNothing(mode)) {
      EXPECT_TRUE(anyDiffers) << "mode " << m << " repeats without a change";
    }
  }
}
