#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace chart {

class TCustomChartAxis;
class TChartSeries;

/// What the labels of an axis show.
enum TAxisLabelStyle {
  talAuto,   ///< resolved from the series on the axis
  talNone,   ///< no labels
  talValue,  ///< values at multiples of the increment
  talMark,   ///< the marks text of the series points
  talText    ///< the point labels of the series
};

/// Chart event that may rewrite a label text. Series is the series a series label comes from
/// (nullptr for value labels); ValueIndex the point index, or −1 for value labels.
using TAxisOnGetLabel =
    std::function<void(TCustomChartAxis* Sender, TChartSeries* Series, int32_t ValueIndex, std::string& LabelText)>;

/// Chart event that supplies the label values itself: called with LabelIndex 0, 1, 2 …; set
/// Stop to false and LabelValue to the next value, or leave Stop set to finish.
using TAxisOnGetNextLabel =
    std::function<void(TCustomChartAxis* Sender, int32_t LabelIndex, double& LabelValue, bool& Stop)>;

}  // namespace chart
