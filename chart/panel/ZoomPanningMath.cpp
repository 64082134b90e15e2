#include "chart/panel/ZoomPanningMath.h"

#include <cmath>
#include <cstdlib>
#include <utility>

#include "chart/axes/TAxisScale.h"

namespace chart {

TZoomDragOutcome ZoomDragOutcomeOf(const TZoomPanningRecord& drag) {
  // 64-bit differences: corners near the ends of the pixel range must not overflow.
  const int64_t dx = static_cast<int64_t>(drag.DragEndX) - drag.DragStartX;
  const int64_t dy = static_cast<int64_t>(drag.DragEndY) - drag.DragStartY;
  if (std::llabs(dx) <= ZoomDragThreshold || std::llabs(dy) <= ZoomDragThreshold) return zoNone;
  return dx > 0 && dy > 0 ? zoZoom : zoUndo;
}

TAxisZoomTarget ZoomTargetOf(const TAxisScale& scale, int32_t from, int32_t to) {
  TAxisZoomTarget target{scale.PixelToValue(from), scale.PixelToValue(to)};
  // An inverted axis maps the frame's low pixel to its high value; the animation steps need
  // the two targets in the same order as the axis' own ends.
  if (target.Minimum > target.Maximum) std::swap(target.Minimum, target.Maximum);
  return target;
}

TAxisZoomTarget ZoomStepToward(double minimum, double maximum, const TAxisZoomTarget& target) {
  return {minimum + (target.Minimum - minimum) / ZoomAnimationDivisor,
          maximum - (maximum - target.Maximum) / ZoomAnimationDivisor};
}

double PanOffsetOf(const TAxisScale& scale, int32_t oldPixel, int32_t newPixel) {
  return scale.PixelToValue(oldPixel) - scale.PixelToValue(newPixel);
}

bool PanningAllows(TPanningMode mode, bool horizontal) {
  return mode == pmBoth || mode == (horizontal ? pmHorizontal : pmVertical);
}

double WheelScrollOffset(double minimum, double maximum, bool up) {
  const double offset = (maximum - minimum) * WheelScrollPercent * 0.01;
  return up ? offset : -offset;
}

bool IsFiniteRange(double minimum, double maximum) { return std::isfinite(minimum) && std::isfinite(maximum); }

}  // namespace chart
