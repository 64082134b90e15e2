// The even-odd region of a clip polygon built row by row, against Qt's own polygon region and
// against the crossing rule worked out pixel by pixel.
#include <gtest/gtest.h>

#include <QPolygon>
#include <QRegion>

#include <cstdint>
#include <random>
#include <vector>

#include "framework/graphics/PolygonRegion.h"

using namespace fw;

namespace {

QPolygon ToQPolygon(const std::vector<TPoint>& points) {
  QPolygon p;
  for (const TPoint& t : points) p << QPoint(t.X, t.Y);
  return p;
}

/// Whether the point (x, y) lies inside by the even-odd crossing rule, in exact arithmetic.
bool InsideByCrossings(const std::vector<TPoint>& points, int64_t x, int64_t y) {
  bool inside = false;
  for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
    const int64_t xi = points[i].X, yi = points[i].Y, xj = points[j].X, yj = points[j].Y;
    if ((yi > y) == (yj > y)) continue;
    // x < xi + (xj - xi) * (y - yi) / (yj - yi), multiplied out with the sign of yj - yi.
    const __int128 lhs = static_cast<__int128>(x - xi) * (yj - yi);
    const __int128 rhs = static_cast<__int128>(xj - xi) * (y - yi);
    if (yj > yi ? lhs < rhs : lhs > rhs) inside = !inside;
  }
  return inside;
}

/// The region of the box's pixels inside by the crossing rule, one band per row.
QRegion RegionByCrossings(const std::vector<TPoint>& points, const QRect& box) {
  std::vector<QRect> rects;
  for (int y = box.top(); y <= box.bottom(); ++y)
    for (int x = box.left(); x <= box.right(); ++x) {
      if (!InsideByCrossings(points, x, y)) continue;
      if (!rects.empty() && rects.back().top() == y && rects.back().right() == x - 1)
        rects.back().setRight(x);
      else
        rects.emplace_back(x, y, 1, 1);
    }
  QRegion r;
  if (!rects.empty()) r.setRects(rects.data(), int(rects.size()));
  return r;
}

std::vector<TPoint> RandomPolygon(std::mt19937& rng, int32_t lo, int32_t hi, int maxCorners) {
  std::uniform_int_distribution<int32_t> coord(lo, hi);
  std::vector<TPoint> points(3 + rng() % (maxCorners - 2));
  for (TPoint& p : points) p = {coord(rng), coord(rng)};
  // Some corners share a row or a column with the one before, for flat and upright edges.
  for (size_t i = 1; i < points.size(); ++i) {
    if (rng() % 5 == 0) points[i].Y = points[i - 1].Y;
    if (rng() % 5 == 0) points[i].X = points[i - 1].X;
  }
  return points;
}

// Qt builds the same region for small polygons, crossing over themselves or not, cut to any box.
TEST(PolygonRegion, HoldsThePixelsOfQtsPolygonRegionWithinTheBox) {
  std::mt19937 rng(7);
  for (int round = 0; round < 4000; ++round) {
    const bool wide = round % 4 == 0;
    const std::vector<TPoint> points = RandomPolygon(rng, wide ? -400 : -20, wide ? 400 : 60, round % 3 == 0 ? 12 : 6);
    const QRect box(int(rng() % 30) - 10, int(rng() % 30) - 10, 1 + int(rng() % 60), 1 + int(rng() % 60));
    const QRegion expected = QRegion(ToQPolygon(points), Qt::OddEvenFill).intersected(box);
    const QRegion built = PolygonRegion(points, box);
    ASSERT_TRUE(built.xored(expected).isEmpty()) << "round " << round;
    ASSERT_TRUE(box.contains(built.boundingRect()) || built.isEmpty());
  }
}

// Corners far beyond the box, up to the ends of the 32-bit range: every pixel of the box is
// inside exactly when the crossing rule says so, and the work is bounded by the box's rows.
TEST(PolygonRegion, FarCornersGiveTheExactCrossingsInsideTheBox) {
  std::mt19937 rng(11);
  const QRect box(-3, -2, 48, 37);
  int held = 0;
  for (int round = 0; round < 1500; ++round) {
    std::vector<TPoint> points;
    if (round % 3 == 0) {
      points = RandomPolygon(rng, INT32_MIN, INT32_MAX, 7);
    } else {
      // Edges through the box from far away.
      points = RandomPolygon(rng, -200000, 200000, 5);
      points.push_back({int32_t(rng() % 40), int32_t(rng() % 30)});
    }
    const QRegion built = PolygonRegion(points, box);
    const QRegion expected = RegionByCrossings(points, box);
    ASSERT_TRUE(built.xored(expected).isEmpty()) << "round " << round;
    for (const QRect& r : expected) held += r.width() * r.height();
  }
  EXPECT_GT(held, 100000);  // the polygons do cover the box
}

// The crossing rule is Qt's: checked on polygons of a few hundred rows, every pixel.
TEST(PolygonRegion, QtsRegionFollowsTheCrossingRule) {
  std::mt19937 rng(3);
  for (int round = 0; round < 100; ++round) {
    const std::vector<TPoint> points = RandomPolygon(rng, -150, 150, 8);
    const QRegion qt(ToQPolygon(points), Qt::OddEvenFill);
    const QRect box(-152, -152, 305, 305);
    ASSERT_TRUE(qt.intersected(box).xored(RegionByCrossings(points, box)).isEmpty()) << "round " << round;
  }
}

TEST(PolygonRegion, BandsAreMergedAndEmptyCasesGiveNoRegion) {
  const std::vector<TPoint> square = {{2, 3}, {12, 3}, {12, 13}, {2, 13}};
  const QRegion r = PolygonRegion(square, QRect(0, 0, 100, 100));
  EXPECT_EQ(r.rectCount(), 1);
  EXPECT_EQ(r.boundingRect(), QRect(2, 3, 10, 10));
  EXPECT_TRUE(PolygonRegion(std::vector<TPoint>{{0, 0}, {10, 10}}, QRect(0, 0, 20, 20)).isEmpty());
  EXPECT_TRUE(PolygonRegion(square, QRect()).isEmpty());
  EXPECT_TRUE(PolygonRegion(square, QRect(20, 20, 5, 5)).isEmpty());
  const std::vector<TPoint> flat = {{0, 5}, {10, 5}, {20, 5}};
  EXPECT_TRUE(PolygonRegion(flat, QRect(0, 0, 20, 20)).isEmpty());
  // Two squares apart in rows: the rows between hold nothing.
  const std::vector<TPoint> two = {{0, 0}, {5, 0}, {5, 5}, {0, 5}, {0, 50}, {5, 50}, {5, 55}, {0, 55}, {0, 5}};
  const QRegion gap = PolygonRegion(two, QRect(0, 0, 100, 100));
  EXPECT_TRUE(gap.xored(QRegion(ToQPolygon(two), Qt::OddEvenFill)).isEmpty());
  EXPECT_FALSE(gap.contains(QPoint(2, 20)));
}

// A box as tall as the whole 32-bit range is walked only over the polygon's rows.
TEST(PolygonRegion, OnlyThePolygonsRowsAreWalked) {
  const std::vector<TPoint> small = {{0, 1000000}, {10, 1000000}, {10, 1000010}, {0, 1000010}};
  const QRegion r = PolygonRegion(small, QRect(QPoint(-1000, INT32_MIN + 1), QPoint(1000, INT32_MAX - 1)));
  EXPECT_EQ(r.boundingRect(), QRect(0, 1000000, 10, 10));
}

}  // namespace
