#include "chart/canvas/ValidateAngle.h"

#include "chart/ChartConst.h"
#include "chart/ChartException.h"

namespace chart {

void ValidateAngle(int32_t value, const std::string& description) {
  if (value >= 0 && value <= 359) return;
  std::string message = ChartConst::AngleOutOfRange;
  const auto at = message.find("%s");
  if (at != std::string::npos) message.replace(at, 2, description);
  throw ChartException(message);
}

}  // namespace chart
