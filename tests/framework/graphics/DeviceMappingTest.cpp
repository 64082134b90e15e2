// The logical-to-device rules of surfaces at a device pixel ratio: edges, line mapping, outline
// bands, dash scaling.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "framework/graphics/DeviceMapping.h"

using namespace fw;

namespace {

TEST(DeviceMapping, EdgesRoundHalfUpAndStayExactAtRatioOne) {
  for (int64_t v : {int64_t{-7}, int64_t{-1}, int64_t{0}, int64_t{1}, int64_t{2}, int64_t{3}, int64_t{961}, int64_t{2147483647}}) EXPECT_EQ(DeviceEdge(v, 1.0), v);
  EXPECT_EQ(DeviceEdge(3, 2.0), 6);
  EXPECT_EQ(DeviceEdge(1, 1.5), 2);  // 1.5 rounds up
  EXPECT_EQ(DeviceEdge(3, 1.5), 5);  // 4.5 rounds up
  EXPECT_EQ(DeviceEdge(-1, 1.5), -1);
  EXPECT_EQ(DeviceEdge(2147483647LL, 2.0), 4294967294LL);  // no 32-bit overflow
  // Monotonic, so shapes that share a logical edge share the device edge and none inverts.
  for (double r : {0.25, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0})
    for (int64_t v = -50; v < 50; ++v) EXPECT_LE(DeviceEdge(v, r), DeviceEdge(v + 1, r));
}

TEST(DeviceMapping, PenWidthsAreTheSameWhereverTheLineLies) {
  EXPECT_EQ(DeviceLineWidth(1, 1.0), 1);
  EXPECT_EQ(DeviceLineWidth(1, 1.25), 1);
  EXPECT_EQ(DeviceLineWidth(1, 1.5), 2);
  EXPECT_EQ(DeviceLineWidth(1, 2.0), 2);
  EXPECT_EQ(DeviceLineWidth(1, 3.0), 3);
  EXPECT_EQ(DeviceLineWidth(2, 1.5), 3);
  EXPECT_EQ(DeviceLineWidth(0, 2.0), 2);  // width 0 draws as 1
  // No wider than the painter takes.
  EXPECT_EQ(DeviceLineWidth(32767, 1.0), 32767);
  EXPECT_EQ(DeviceLineWidth(32768, 1.0), MaxDeviceLineWidth);
  EXPECT_EQ(DeviceLineWidth(INT32_MAX, 16.0), MaxDeviceLineWidth);
}

TEST(DeviceMapping, RatiosOutsideTheRangeAreRefused) {
  for (double r : {0.25, 1.0, 1.5, 2.0, 16.0}) EXPECT_TRUE(ValidDevicePixelRatio(r));
  for (double r : {0.0, -1.0, 0.2, 16.5, std::numeric_limits<double>::quiet_NaN(),
                   std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()})
    EXPECT_FALSE(ValidDevicePixelRatio(r)) << r;
}

// The device pixels a thick line covers, stepping as the one-pixel rule does.
std::set<std::pair<int64_t, int64_t>> Covered(const TThickLine& l) {
  std::set<std::pair<int64_t, int64_t>> px;
  const int64_t dx = l.X2 - l.X1, dy = l.Y2 - l.Y1;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const int64_t n = xMajor ? std::llabs(dx) : std::llabs(dy);
  for (int64_t i = 0; i < n; ++i) {
    // Exact for the axis-aligned lines these tests use.
    const int64_t x = l.X1 + (xMajor ? (dx > 0 ? i : -i) : 0), y = l.Y1 + (xMajor ? 0 : (dy > 0 ? i : -i));
    for (int32_t k = 0; k < l.Width; ++k) px.insert({x + (l.ShiftX ? k : 0), y + (l.ShiftX ? 0 : k)});
  }
  return px;
}

TEST(DeviceMapping, AxisLinesCoverTheDevicePixelsOfTheirLogicalPixelsInBothDirections) {
  for (double r : {1.0, 2.0, 3.0}) {
    const int32_t w = DeviceLineWidth(1, r);
    // Right from 3 to 9 and left from 9 to 3 cover logical 3..8 and 4..9.
    auto right = Covered(MapCosmeticLine(3, 5, 9, 5, r, w));
    auto left = Covered(MapCosmeticLine(9, 5, 3, 5, r, w));
    std::set<std::pair<int64_t, int64_t>> wantRight, wantLeft;
    for (int64_t y = DeviceEdge(5, r); y < DeviceEdge(6, r); ++y) {
      for (int64_t x = DeviceEdge(3, r); x < DeviceEdge(9, r); ++x) wantRight.insert({x, y});
      for (int64_t x = DeviceEdge(4, r); x < DeviceEdge(10, r); ++x) wantLeft.insert({x, y});
    }
    EXPECT_EQ(right, wantRight) << r;
    EXPECT_EQ(left, wantLeft) << r;
    auto up = Covered(MapCosmeticLine(2, 9, 2, 3, r, w));
    std::set<std::pair<int64_t, int64_t>> wantUp;
    for (int64_t x = DeviceEdge(2, r); x < DeviceEdge(3, r); ++x)
      for (int64_t y = DeviceEdge(4, r); y < DeviceEdge(10, r); ++y) wantUp.insert({x, y});
    EXPECT_EQ(up, wantUp) << r;
  }
}

TEST(DeviceMapping, SteepLinesThickenAcrossTheirMajorAxis) {
  const TThickLine steep = MapCosmeticLine(0, 0, 3, 10, 2.0, 2);
  EXPECT_TRUE(steep.ShiftX);
  const TThickLine flat = MapCosmeticLine(0, 0, 10, 3, 2.0, 2);
  EXPECT_FALSE(flat.ShiftX);
  // Exact diagonals step along x, as the rasterizer does on ties.
  EXPECT_FALSE(MapCosmeticLine(0, 0, 5, 5, 2.0, 2).ShiftX);
}

TEST(DeviceMapping, FarLinesAreCutToTheRasterizersRangeKeepingTheirDirection) {
  TThickLine inside{1, 2, 300, 400, 2, true};
  TThickLine copy = inside;
  EXPECT_TRUE(LimitDeviceLine(copy));
  EXPECT_EQ(copy.X1, 1);
  EXPECT_EQ(copy.Y2, 400);
  TThickLine far{-(int64_t{1} << 34), 10, int64_t{1} << 34, 10, 2, false};
  ASSERT_TRUE(LimitDeviceLine(far));
  EXPECT_EQ(far.X1, -(int64_t{1} << 30));
  EXPECT_EQ(far.X2, int64_t{1} << 30);
  EXPECT_EQ(far.Y1, 10);
  TThickLine outside{int64_t{1} << 33, 0, int64_t{1} << 34, 5, 1, false};
  EXPECT_FALSE(LimitDeviceLine(outside));
}

TEST(DeviceMapping, OutlineBandsCoverTheRingOnceAndLeaveTheInside) {
  for (int32_t w : {1, 2, 3}) {
    const TDeviceBox box{4, 6, 20, 17};
    const TOutlineBands bands = OutlineBands(box, w);
    ASSERT_EQ(bands.Count, 4);
    std::multiset<std::pair<int64_t, int64_t>> all;
    for (int i = 0; i < bands.Count; ++i)
      for (auto p : Covered(bands.Sides[static_cast<size_t>(i)])) all.insert(p);
    for (int64_t y = box.Top; y < box.Bottom; ++y)
      for (int64_t x = box.Left; x < box.Right; ++x) {
        const bool ring = x < box.Left + w || x >= box.Right - w || y < box.Top + w || y >= box.Bottom - w;
        EXPECT_EQ(all.count({x, y}), ring ? 1u : 0u) << w << " " << x << "," << y;
      }
    EXPECT_EQ(all.size(), static_cast<size_t>((box.Right - box.Left) * (box.Bottom - box.Top) -
                                              (box.Right - box.Left - 2 * w) * (box.Bottom - box.Top - 2 * w)));
    EXPECT_EQ(bands.Inside, (TDeviceBox{4 + w, 6 + w, 20 - w, 17 - w}));
  }
  // Too small for an inside: one band covers the box, in as few lines as its short side.
  const TOutlineBands tall = OutlineBands({0, 0, 3, 1000}, 2);
  ASSERT_TRUE(tall.Filled);
  EXPECT_EQ(tall.Sides[0].Width, 3);
  EXPECT_EQ(Covered(tall.Sides[0]).size(), 3000u);
  EXPECT_EQ(OutlineBands({5, 5, 5, 9}, 2).Count, 0);
}

TEST(DeviceMapping, DashesScaleWithTheRatio) {
  EXPECT_EQ(ScaledDashes({3, 3}, 2.0), (std::vector<int>{6, 6}));
  EXPECT_EQ(ScaledDashes({18, 6}, 1.5), (std::vector<int>{27, 9}));
  EXPECT_EQ(ScaledDashes({1, 1}, 1.25), (std::vector<int>{1, 1}));
  EXPECT_EQ(ScaledDashes({1, 1}, 0.25), (std::vector<int>{1, 1}));  // never shorter than a pixel
}

}  // namespace
