#pragma once
#include <cstdint>
#include <functional>

#include "framework/controls/ControlTypes.h"

namespace chart {

class TChartSeries;
class TCustomChart;
class TCustomChartAxis;

/// What lies under a point of the chart.
enum THitKind { hkNone, hkLegend, hkAxis, hkSeries, hkTitle, hkFoot, hkPlotArea };

/// Answer of the chart's hit test: the kind of element, the point index of a series or the item
/// index of the legend (−1 otherwise), and the series or axis hit.
struct THitResult {
  THitKind HitKind = hkNone;
  int32_t HitIndex = -1;
  TChartSeries* HitSeries = nullptr;
  TCustomChartAxis* HitAxis = nullptr;
};

/// A drag is about to move `sender` to (aMin, aMax); the handler may change both ends, or
/// clear allowScroll to leave the axis where it is.
using TChartAllowScrollEvent =
    std::function<void(TCustomChartAxis* sender, double& aMin, double& aMax, bool& allowScroll)>;
/// A press on an axis.
using TChartClickAxis = std::function<void(TCustomChart* sender, TCustomChartAxis* axis, fw::TMouseButton button,
                                           fw::TShiftState shift, int32_t x, int32_t y)>;
/// A press on point valueIndex of a series.
using TChartClickSeries = std::function<void(TCustomChart* sender, TChartSeries* series, int32_t valueIndex,
                                             fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y)>;
/// A press on the legend or on the background.
using TChartClick =
    std::function<void(TCustomChart* sender, fw::TMouseButton button, fw::TShiftState shift, int32_t x, int32_t y)>;

/// The range settings of one axis as they were before the first zoom or pan.
struct TAxisSavedScale {
  bool Automatic = true;
  bool AutomaticMinimum = true;
  bool AutomaticMaximum = true;
  double Minimum = 0;
  double Maximum = 0;
};

/// Buttons and modifier keys that start the mouse drags: one value for the whole program.
namespace ChartMouseSettings {
inline constexpr fw::TMouseButton ZoomButton = fw::mbLeft;
inline constexpr fw::TShiftState ZoomKeys = 0;
inline constexpr fw::TMouseButton PanButton = fw::mbRight;
inline constexpr fw::TShiftState PanKeys = 0;
}  // namespace ChartMouseSettings

}  // namespace chart
