// The cosmetic line rasterizer on a plain pixel buffer: the step rule for every pen, the runs it
// holds back and when they are written.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

#include <QPolygon>
#include <QRect>
#include <QRegion>

#include "framework/graphics/TLineRaster.h"

using namespace fw;

namespace {

constexpr uint32_t White = 0xFFFFFFFFu, Red = 0xFFFF0000u, Grey = 0xFF808080u;

struct TBuffer {
  int32_t W, H;
  std::vector<uint32_t> Pixels;
  std::vector<QRect> Rects;
  TBuffer(int32_t w, int32_t h) : W(w), H(h), Pixels(static_cast<size_t>(w * h), White) {}
  TPixelTarget Target(const QRect& box, bool region = false) {
    return {Pixels.data(), W, W, H, box & QRect(0, 0, W, H), region ? &Rects : nullptr};
  }
};

TPixelPen Pen(uint32_t rgb, TPenMode mode, std::vector<uint8_t> mask = {}) {
  TPixelPen pen;
  pen.Rgb = rgb;
  pen.Mode = mode;
  pen.Period = static_cast<int>(mask.size());
  for (size_t k = 0; k < mask.size(); ++k) pen.Mask[k] = mask[k];
  return pen;
}

/// Step i of a steps: major m1 + i, minor n1 + floor((2 i b + a) / 2a), mirrored for negative
/// directions; the pattern place is i modulo the period.
void ReferenceLine(TBuffer& buf, const QRect& box, bool region, int x1, int y1, int x2, int y2, const TPixelPen& pen,
                   bool opaqueGaps, uint32_t gapRgb) {
  const int64_t dx = x2 - x1, dy = y2 - y1;
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const int64_t a = xMajor ? std::abs(dx) : std::abs(dy), b = xMajor ? std::abs(dy) : std::abs(dx);
  const int64_t sm = (xMajor ? dx : dy) > 0 ? 1 : -1, sn = (xMajor ? dy : dx) >= 0 ? 1 : -1;
  for (int64_t i = 0; i < a; ++i) {
    const int64_t m = (xMajor ? x1 : y1) + sm * i;
    const int64_t n = (xMajor ? y1 : x1) + sn * ((2 * i * b + a) / (2 * a));
    const int x = static_cast<int>(xMajor ? m : n), y = static_cast<int>(xMajor ? n : m);
    if (!box.contains(x, y) || x >= buf.W || y >= buf.H || x < 0 || y < 0) continue;
    if (region) {
      bool in = false;
      for (const QRect& r : buf.Rects) in = in || r.contains(x, y);
      if (!in) continue;
    }
    const bool on = pen.Period == 0 || pen.Mask[i % pen.Period] != 0;
    if (!on && !opaqueGaps) continue;
    uint32_t& p = buf.Pixels[static_cast<size_t>(y * buf.W + x)];
    p = pen.Mode == pmCopy ? (on ? pen.Rgb : gapRgb) : ApplyRop(pen.Mode, on ? pen.Rgb : gapRgb, p);
  }
}

/// Draws the path through `corners` with the rasterizer (then flushed) and by the step rule
/// into `slow`; line k with penOf(k).
template <class PenOf>
void DrawPathBothWays(TLineRaster& raster, TBuffer& slow, const QRect& box, bool region,
                      const std::vector<QPoint>& corners, const PenOf& penOf, bool opaque) {
  for (size_t k = 1; k < corners.size(); ++k) {
    const QPoint a = corners[k - 1], b = corners[k];
    const TPixelPen& pen = penOf(static_cast<int>(k - 1));
    raster.Line(a.x(), a.y(), b.x(), b.y(), pen, opaque, Grey);
    ReferenceLine(slow, slow.Target(box).Box, region, a.x(), a.y(), b.x(), b.y(), pen, opaque, Grey);
  }
  raster.Flush();
}

TEST(LineRaster, EveryPenFollowsTheStepRuleUnderEveryClip) {
  std::mt19937 rng(5);
  constexpr int W = 31, H = 23;
  const TPixelPen pens[] = {Pen(Red, pmCopy), Pen(Red, pmCopy, {1, 1, 1, 0, 0}), Pen(Red, pmXor),
                            Pen(Red, pmNotXor, {1, 0, 0})};
  auto coord = [&rng](int size) {
    return rng() % 4 == 0 ? static_cast<int>(rng() % 300) - 150 : static_cast<int>(rng() % (size + 8)) - 4;
  };
  for (int round = 0; round < 800; ++round) {
    const TPixelPen& pen = pens[round % 4];
    const bool opaque = round % 3 == 0;
    const bool region = round % 5 == 0;
    const QRect box = round % 2 == 0 ? QRect(0, 0, W, H)
                                     : QRect(static_cast<int>(rng() % 10), static_cast<int>(rng() % 8),
                                             static_cast<int>(8 + rng() % 20), static_cast<int>(6 + rng() % 15));
    TBuffer fast(W, H), slow(W, H);
    if (region) fast.Rects = slow.Rects = {QRect(0, 0, W, 9), QRect(0, 9, 12, 6), QRect(20, 9, 11, 6), QRect(0, 15, W, 8)};
    TLineRaster raster;
    raster.SetTarget(fast.Target(box, region));
    // A path of several lines, so that held-back runs of different lines meet.
    std::vector<QPoint> path{{coord(W), coord(H)}};
    for (int k = 0; k < 5; ++k) {
      const int nx = coord(W), ny = k % 2 == 0 ? coord(H) : path.back().y() + static_cast<int>(rng() % 40) - 20;
      path.emplace_back(nx, ny);
    }
    DrawPathBothWays(raster, slow, box, region, path, [&pen](int) -> const TPixelPen& { return pen; }, opaque);
    ASSERT_EQ(fast.Pixels, slow.Pixels) << "round " << round;
  }
}

// Clip regions as the surface makes them (banded rectangles of unions and polygons, with rows
// between bands): solid copy lines are cut run by run to the region, steep runs held back;
// every pixel is the step rule's, for paths that go in and out of the region many times.
TEST(LineRaster, SolidLinesCutToBandedRegionsKeepTheStepRule) {
  std::mt19937 rng(17);
  constexpr int W = 61, H = 47;
  const TPixelPen pens[] = {Pen(Red, pmCopy), Pen(0xFF0000FFu, pmCopy), Pen(Red, pmCopy, {1, 1, 0})};
  auto coord = [&rng](int size) {
    return rng() % 5 == 0 ? static_cast<int>(rng() % 400) - 200 : static_cast<int>(rng() % (size + 10)) - 5;
  };
  TLineRaster raster;  // one for every round, as a surface keeps it across its clips
  for (int round = 0; round < 1500; ++round) {
    QRegion region;
    if (round % 3 == 0) {
      QPolygon polygon;
      for (int k = 0; k < 3 + static_cast<int>(rng() % 5); ++k) polygon << QPoint(coord(W), coord(H));
      region = QRegion(polygon, round % 2 == 0 ? Qt::OddEvenFill : Qt::WindingFill);
    } else {
      for (int k = 0; k < 1 + static_cast<int>(rng() % 6); ++k)
        region += QRect(coord(W), coord(H), static_cast<int>(rng() % 30), static_cast<int>(rng() % 20));
    }
    TBuffer fast(W, H), slow(W, H);
    fast.Rects = slow.Rects = std::vector<QRect>(region.begin(), region.end());
    const QRect box = region.boundingRect();
    raster.SetTarget(fast.Target(box, true));
    // Steep, shallow, vertical and horizontal lines, in both colours one after the other.
    std::vector<QPoint> path{{coord(W), coord(H)}};
    for (int k = 0; k < 6; ++k) {
      const int kind = static_cast<int>(rng() % 4);
      const int nx = kind == 0 ? path.back().x() : coord(W), ny = kind == 1 ? path.back().y() : coord(H);
      path.emplace_back(nx, ny);
    }
    const auto penOf = [&](int k) -> const TPixelPen& { return pens[(round + k) % (round % 4 == 0 ? 3 : 2)]; };
    DrawPathBothWays(raster, slow, box, true, path, penOf, false);
    ASSERT_EQ(fast.Pixels, slow.Pixels) << "round " << round;
  }
}

// Solid lines of two colours crossing each other at every slope, with no flush in between:
// steep runs are held back and shallow or diagonal ones written at once, yet every pixel ends in
// the colour of the last line through it.
TEST(LineRaster, SolidLinesOfTwoColoursKeepTheirDrawingOrder) {
  std::mt19937 rng(17);
  constexpr int W = 29, H = 27;
  const TPixelPen pens[] = {Pen(Red, pmCopy), Pen(Grey, pmCopy)};
  for (int round = 0; round < 600; ++round) {
    const QRect box = round % 3 == 0 ? QRect(0, 0, W, H)
                                     : QRect(static_cast<int>(rng() % 9), static_cast<int>(rng() % 9),
                                             static_cast<int>(6 + rng() % 24), static_cast<int>(6 + rng() % 22));
    TBuffer fast(W, H), slow(W, H);
    TLineRaster raster;
    raster.SetTarget(fast.Target(box));
    for (int k = 0; k < 8; ++k) {
      // Steep, diagonal and shallow lines in turn, some reaching far out of the image.
      const int reach = rng() % 5 == 0 ? 200 : 30;
      const int x1 = static_cast<int>(rng() % W), y1 = static_cast<int>(rng() % H);
      const int dx = static_cast<int>(rng() % (2 * reach + 1)) - reach;
      int dy = static_cast<int>(rng() % (2 * reach + 1)) - reach;
      if (k % 3 == 0) dy = (rng() % 2 == 0 ? dx : -dx) + static_cast<int>(rng() % 3) - 1;
      if (k % 3 == 1) dy = 3 * dx + static_cast<int>(rng() % 5) - 2;
      const TPixelPen& pen = pens[(round + k) % 2];
      raster.Line(x1, y1, x1 + dx, y1 + dy, pen, false, 0);
      ReferenceLine(slow, slow.Target(box).Box, false, x1, y1, x1 + dx, y1 + dy, pen, false, 0);
    }
    raster.Flush();
    ASSERT_EQ(fast.Pixels, slow.Pixels) << "round " << round;
  }
}

TEST(LineRaster, SteepSolidRunsWaitForFlushAndShallowOnesDoNot) {
  TBuffer buf(8, 8);
  TLineRaster raster;
  raster.SetTarget(buf.Target(QRect(0, 0, 8, 8)));
  raster.Line(2, 0, 2, 6, Pen(Red, pmCopy), false, 0);
  EXPECT_TRUE(raster.Pending());
  EXPECT_EQ(buf.Pixels[2], White) << "a vertical run is held back";
  raster.Line(0, 7, 5, 7, Pen(Red, pmCopy), false, 0);
  EXPECT_EQ(buf.Pixels[7 * 8 + 4], Red) << "a horizontal run is written at once";
  raster.Flush();
  EXPECT_FALSE(raster.Pending());
  // Rows 0..5 of the vertical line (its end row 6 excluded), row 7 from the horizontal one.
  for (int y = 0; y < 8; ++y) EXPECT_EQ(buf.Pixels[static_cast<size_t>(y * 8 + 2)], y == 6 ? White : Red) << y;
}

TEST(LineRaster, HeldBackRunsGoToTheTargetTheyWereDrawnOn) {
  TBuffer first(6, 6), second(6, 6);
  TLineRaster raster;
  raster.SetTarget(first.Target(QRect(0, 0, 6, 6)));
  raster.Line(1, 0, 1, 5, Pen(Red, pmCopy), false, 0);
  raster.SetTarget(second.Target(QRect(0, 0, 6, 6)));
  EXPECT_FALSE(raster.Pending());
  EXPECT_EQ(first.Pixels[4 * 6 + 1], Red);
  EXPECT_EQ(second.Pixels[4 * 6 + 1], White);
  // Another colour or a raster operation writes what was held back first, in order.
  raster.Line(3, 0, 3, 5, Pen(Red, pmCopy), false, 0);
  raster.Line(0, 2, 6, 2, Pen(Red, pmXor), false, 0);
  EXPECT_EQ(second.Pixels[2 * 6 + 3], 0xFF000000u) << "red xor red";
  EXPECT_EQ(second.Pixels[2 * 6 + 0], 0xFF00FFFFu) << "white xor red";
}

TEST(LineRaster, NothingIsDrawnWithoutPixelsOrDrawableArea) {
  TBuffer buf(4, 4);
  TLineRaster raster;
  raster.Line(0, 0, 3, 3, Pen(Red, pmCopy), false, 0);  // no target at all
  raster.SetTarget(buf.Target(QRect()));
  raster.Line(0, 0, 3, 3, Pen(Red, pmCopy), false, 0);
  raster.Line(-2000000000, 1, 2000000000, 2, Pen(Red, pmCopy), false, 0);
  raster.Flush();
  for (uint32_t p : buf.Pixels) EXPECT_EQ(p, White);
}

}  // namespace
