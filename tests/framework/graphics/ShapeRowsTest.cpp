// Row geometry of rounded boxes, ellipses and arc sweeps.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "framework/graphics/ShapeRows.h"

using namespace fw;

namespace {

TEST(ShapeRows, SharpBoxRowsSpanTheWholeWidth) {
  const RowShape box{2, 3, 7, 5, 0, 0};
  int64_t l = 0, r = 0;
  ASSERT_TRUE(box.Span(3, l, r));
  EXPECT_EQ(l, 2);
  EXPECT_EQ(r, 6);
  EXPECT_TRUE(box.Span(4, l, r));
  EXPECT_FALSE(box.Span(5, l, r));
  EXPECT_FALSE(box.Span(2, l, r));
}

TEST(ShapeRows, EllipseIsSymmetricAndTouchesItsBox) {
  for (int w = 1; w <= 12; ++w)
    for (int h = 1; h <= 12; ++h) {
      const RowShape e{10, 20, 10 + w, 20 + h, double(w), double(h)};
      int64_t minL = INT64_MAX, maxR = INT64_MIN;
      for (int64_t y = 20; y < 20 + h; ++y) {
        int64_t l, r, ml, mr;
        ASSERT_TRUE(e.Span(y, l, r)) << w << "x" << h << " row " << y;
        EXPECT_EQ(l - 10, 10 + w - 1 - r) << "left-right symmetry";
        ASSERT_TRUE(e.Span(20 + h - 1 - (y - 20), ml, mr));
        EXPECT_EQ(l, ml) << "top-bottom symmetry";
        minL = std::min(minL, l);
        maxR = std::max(maxR, r);
      }
      EXPECT_EQ(minL, 10) << w << "x" << h;
      EXPECT_EQ(maxR, 10 + w - 1);
    }
}

TEST(ShapeRows, ShrinkingKeepsTheCornersProportional) {
  const RowShape e{0, 0, 20, 10, 20, 10};
  const RowShape inner = e.Shrunk(2);
  EXPECT_EQ(inner.left, 2);
  EXPECT_EQ(inner.bottom, 8);
  EXPECT_EQ(inner.ew, 16);
  EXPECT_EQ(inner.eh, 6);
  const RowShape sharp = RowShape{0, 0, 20, 10, 0, 0}.Shrunk(1);
  EXPECT_EQ(sharp.ew, 0);
}

TEST(ShapeRows, SweepRunsCounterClockwiseFromStartToEnd) {
  const RowShape e{0, 0, 21, 21, 21, 21};  // centre (10, 10)
  const Sweep quarter = ArcSweep(e, 20, 10, 10, 0);  // from three to twelve o'clock
  EXPECT_NEAR(quarter.span, std::numbers::pi / 2, 1e-9);
  EXPECT_TRUE(quarter.Contains(17, 3));
  EXPECT_FALSE(quarter.Contains(3, 3));
  EXPECT_FALSE(quarter.Contains(17, 17));
  const Sweep rest = ArcSweep(e, 10, 0, 20, 10);  // the other three quarters
  EXPECT_NEAR(rest.span, 3 * std::numbers::pi / 2, 1e-9);
  EXPECT_TRUE(rest.Contains(3, 3));
  const Sweep whole = ArcSweep(e, 20, 10, 30, 10);  // same ray: whole turn
  EXPECT_NEAR(whole.span, 2 * std::numbers::pi, 1e-9);
}

TEST(ShapeRows, RimPointLiesOnTheEllipse) {
  const RowShape e{0, 0, 41, 21, 41, 21};  // centre (20, 10), radii 20 and 10
  const Sweep s = ArcSweep(e, 40, 10, 40, 10);
  EXPECT_EQ(RimPoint(e, s, 0), (TPoint{40, 10}));
  EXPECT_EQ(RimPoint(e, s, std::numbers::pi / 2), (TPoint{20, 0}));
  EXPECT_EQ(RimPoint(e, s, std::numbers::pi), (TPoint{0, 10}));
}

}  // namespace
