#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "chart/axes/TAxisScale.h"
#include "chart/panel/ZoomPanningMath.h"

using namespace chart;

namespace {

TZoomPanningRecord Drag(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  TZoomPanningRecord drag;
  drag.OpenDrag(x0, y0);
  drag.DragEndX = x1;
  drag.DragEndY = y1;
  return drag;
}

TAxisScale Scale(double minimum, double maximum, int32_t start, int32_t end, bool horizontal, bool inverted = false) {
  TAxisScale scale;
  scale.IsHorizontal = horizontal;
  scale.Inverted = inverted;
  scale.SetRange(minimum, maximum);
  scale.SetSpan(start, end);
  return scale;
}

}  // namespace

// ---- what a released zoom drag does -------------------------------------------------------------

TEST(ZoomDragOutcome, RightAndDownZoomsEveryOtherDirectionUndoes) {
  EXPECT_EQ(ZoomDragOutcomeOf(Drag(100, 100, 300, 250)), zoZoom);
  EXPECT_EQ(ZoomDragOutcomeOf(Drag(300, 250, 100, 100)), zoUndo);
  EXPECT_EQ(ZoomDragOutcomeOf(Drag(100, 100, 200, 50)), zoUndo);   // right and up
  EXPECT_EQ(ZoomDragOutcomeOf(Drag(100, 100, 50, 200)), zoUndo);   // left and down
}

TEST(ZoomDragOutcome, SixteenPixelsOrLessInEitherDirectionDoesNothing) {
  EXPECT_EQ(ZoomDragOutcomeOf(Drag(100, 100, 117, 116)), zoNone);
  EXPECT_EQ(ZoomDragOutcomeOf(Drag(100, 100, 116, 300)), zoNone);
  EXPECT_EQ(ZoomDragOutcomeOf(Drag(100, 100, 100, 100)), zoNone);
  EXPECT_EQ(ZoomDragOutcomeOf(Drag(100, 100, 117, 117)), zoZoom);
  EXPECT_EQ(ZoomDragOutcomeOf(Drag(100, 100, 83, 83)), zoUndo);
}

TEST(ZoomDragOutcome, CornersAtTheEndsOfThePixelRangeDoNotOverflow) {
  EXPECT_EQ(ZoomDragOutcomeOf(Drag(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX)), zoZoom);
  EXPECT_EQ(ZoomDragOutcomeOf(Drag(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN)), zoUndo);
}

// ---- zoom targets -------------------------------------------------------------------------------

TEST(ZoomTarget, HorizontalAxisTakesTheValuesAtTheFramesLeftAndRightEdges) {
  const TAxisScale bottom = Scale(0, 1000, 0, 1000, true);
  const TAxisZoomTarget t = ZoomTargetOf(bottom, 100, 300);
  EXPECT_DOUBLE_EQ(t.Minimum, 100);
  EXPECT_DOUBLE_EQ(t.Maximum, 300);
}

TEST(ZoomTarget, VerticalAxisTakesItsMinimumFromTheFramesLowerEdge) {
  // -1000..1000 over pixels 0..2000: pixel y shows 1000 - y.
  const TAxisScale left = Scale(-1000, 1000, 0, 2000, false);
  const TAxisZoomTarget t = ZoomTargetOf(left, 250, 100);
  EXPECT_DOUBLE_EQ(t.Minimum, 750);
  EXPECT_DOUBLE_EQ(t.Maximum, 900);
}

TEST(ZoomTarget, InvertedAxesStillGiveAnOrderedRange) {
  const TAxisScale bottom = Scale(0, 1000, 0, 1000, true, true);
  const TAxisZoomTarget h = ZoomTargetOf(bottom, 100, 300);
  EXPECT_DOUBLE_EQ(h.Minimum, 700);
  EXPECT_DOUBLE_EQ(h.Maximum, 900);

  const TAxisScale left = Scale(0, 1000, 0, 1000, false, true);
  const TAxisZoomTarget v = ZoomTargetOf(left, 250, 100);
  EXPECT_DOUBLE_EQ(v.Minimum, 100);
  EXPECT_DOUBLE_EQ(v.Maximum, 250);
}

TEST(ZoomTarget, AnAxisWithoutLengthGivesAnEmptyRangeNotGarbage) {
  const TAxisScale collapsed = Scale(0, 1000, 50, 50, true);
  const TAxisZoomTarget t = ZoomTargetOf(collapsed, 10, 90);
  EXPECT_EQ(t.Minimum, 0);
  EXPECT_EQ(t.Maximum, 0);
}

TEST(ZoomAnimation, EachStepCoversAThirdOfTheRemainingDistanceAtBothEnds) {
  const TAxisZoomTarget target{300, 600};
  TAxisZoomTarget r = ZoomStepToward(0, 1000, target);
  EXPECT_DOUBLE_EQ(r.Minimum, 100);
  EXPECT_DOUBLE_EQ(r.Maximum, 1000 - 400.0 / 3);
  for (int i = 0; i < 200; ++i) r = ZoomStepToward(r.Minimum, r.Maximum, target);
  EXPECT_NEAR(r.Minimum, 300, 1e-9);
  EXPECT_NEAR(r.Maximum, 600, 1e-9);
}

// ---- panning ------------------------------------------------------------------------------------

TEST(PanOffset, DraggingRightLowersANormalHorizontalAxisByTheValueThePixelsSpan) {
  const TAxisScale bottom = Scale(0, 1000, 29, 929, true);  // 900 pixels
  EXPECT_DOUBLE_EQ(PanOffsetOf(bottom, 100, 109), -10);
  EXPECT_DOUBLE_EQ(PanOffsetOf(bottom, 109, 100), 10);
  EXPECT_DOUBLE_EQ(PanOffsetOf(bottom, 100, 100), 0);
}

TEST(PanOffset, DataFollowTheMouseOnVerticalAndInvertedAxes) {
  const TAxisScale left = Scale(-1000, 1000, 0, 2000, false);
  EXPECT_DOUBLE_EQ(PanOffsetOf(left, 100, 110), 10);  // down: the range rises, data sink
  const TAxisScale inverted = Scale(0, 1000, 0, 1000, true, true);
  EXPECT_DOUBLE_EQ(PanOffsetOf(inverted, 100, 110), 10);
}

TEST(PanningMode, EachModeMovesOnlyItsDirections) {
  EXPECT_FALSE(PanningAllows(pmNone, true));
  EXPECT_FALSE(PanningAllows(pmNone, false));
  EXPECT_TRUE(PanningAllows(pmHorizontal, true));
  EXPECT_FALSE(PanningAllows(pmHorizontal, false));
  EXPECT_FALSE(PanningAllows(pmVertical, true));
  EXPECT_TRUE(PanningAllows(pmVertical, false));
  EXPECT_TRUE(PanningAllows(pmBoth, true));
  EXPECT_TRUE(PanningAllows(pmBoth, false));
}

// ---- wheel --------------------------------------------------------------------------------------

TEST(WheelScroll, OneNotchIsThreePercentOfTheRange) {
  EXPECT_DOUBLE_EQ(WheelScrollOffset(-1000, 1000, true), 60);
  EXPECT_DOUBLE_EQ(WheelScrollOffset(-1000, 1000, false), -60);
  EXPECT_DOUBLE_EQ(WheelScrollOffset(5, 5, true), 0);
}

TEST(WheelScroll, OffsetIsTheRangeTimesThreeTimesAHundredthInThatOrder) {
  // Many ranges round differently when multiplied by a folded 0.03: the offset must be the
  // product taken left to right, to the last bit.
  int differFromFolded = 0;
  for (int i = 1; i <= 1000; ++i) {
    const double minimum = -0.37 * i;
    const double maximum = 1.9 * i + 0.1;
    const double range = maximum - minimum;
    const double expected = range * 3 * 0.01;
    if (expected != range * 0.03) ++differFromFolded;
    EXPECT_EQ(WheelScrollOffset(minimum, maximum, true), expected) << i;
    EXPECT_EQ(WheelScrollOffset(minimum, maximum, false), -expected) << i;
  }
  EXPECT_GT(differFromFolded, 100);  // the cases above do tell the two apart
}

TEST(WheelScroll, RangesThatOverflowAreRecognisedAsUnusable) {
  const double huge = std::numeric_limits<double>::max();
  EXPECT_FALSE(std::isfinite(WheelScrollOffset(-huge, huge, true)));
  EXPECT_FALSE(IsFiniteRange(-huge, std::numeric_limits<double>::infinity()));
  EXPECT_FALSE(IsFiniteRange(std::nan(""), 1));
  EXPECT_TRUE(IsFiniteRange(-huge, huge));
}
