#include "chart/canvas/ValidateAngle.h"

#include "chart/ChartConst.h"
#include "chart/ChartException.h"

namespace chart {

void ValidateAngle(int32_t value, const std::string& description) {
  if (value >= 0 && value <= 359) return;
  const std::string pattern = ChartConst::AngleOutOfRange;
  const auto at = pattern.find("%s");
  if (at == std::string::npos) throw ChartException(pattern);
  throw ChartException(pattern.substr(0, at) + description + pattern.substr(at + 2));
}

}  // namespace chart
