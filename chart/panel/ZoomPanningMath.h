#pragma once
#include <cstdint>

#include "chart/panel/ChartPanelTypes.h"
#include "chart/panel/TZoomPanningRecord.h"

namespace chart {

struct TAxisScale;

/// A range an axis is to show: Minimum ≤ Maximum.
struct TAxisZoomTarget {
  double Minimum = 0;
  double Maximum = 0;
};

/// What releasing the zoom button ends a rubber-band drag with.
enum TZoomDragOutcome {
  zoNone,  ///< 16 pixels or less in some direction: nothing happens
  zoZoom,  ///< dragged right and down: zoom into the frame
  zoUndo,  ///< dragged in any other direction: undo the zoom
};

/// Smallest drag, in pixels along each direction, that counts as a zoom or an undo (the drag
/// must be longer than this both horizontally and vertically).
inline constexpr int32_t ZoomDragThreshold = 16;
/// Each animated zoom step covers 1/ZoomAnimationDivisor of the remaining distance at both ends.
inline constexpr double ZoomAnimationDivisor = 3.0;
/// One wheel notch scrolls the vertical axes by the range times WheelScrollPercent times 0.01,
/// multiplied in that order (a folded 0.03 would differ in the last bit for many ranges).
inline constexpr double WheelScrollPercent = 3;

/// Outcome of a zoom drag from its start to its end corner.
TZoomDragOutcome ZoomDragOutcomeOf(const TZoomPanningRecord& drag);

/// The range an axis zooms to for a frame running from pixel `from` to pixel `to` along it
/// (any order, any inversion of the scale): the values at both pixels, ordered.
TAxisZoomTarget ZoomTargetOf(const TAxisScale& scale, int32_t from, int32_t to);

/// One step of an animated zoom from (minimum, maximum) toward the target: both ends cover
/// 1/ZoomAnimationDivisor of their remaining distance.
TAxisZoomTarget ZoomStepToward(double minimum, double maximum, const TAxisZoomTarget& target);

/// Value by which a drag from pixel oldPixel to newPixel shifts an axis so that the data follow
/// the mouse: value(old) − value(new).
double PanOffsetOf(const TAxisScale& scale, int32_t oldPixel, int32_t newPixel);

/// Whether the panning mode lets a drag move the axes of one orientation.
bool PanningAllows(TPanningMode mode, bool horizontal);

/// Offset one wheel notch moves a vertical axis by: (maximum - minimum) x 3 x 0.01, evaluated
/// left to right; positive for `up`, negative otherwise.
double WheelScrollOffset(double minimum, double maximum, bool up);

/// Whether both ends are finite numbers (ranges that are not are never applied to an axis).
bool IsFiniteRange(double minimum, double maximum);

}  // namespace chart
