#pragma once
#include <cstdint>
#include <string>

namespace chart {

/// The engine's angle check for angle settings (axis labels, axis title): accepts 0 to 359.
/// Throws ChartException "<description> Angle must be between 0 and 359 degrees" otherwise;
/// the caller stores nothing when it throws.
void ValidateAngle(int32_t value, const std::string& description);

}  // namespace chart
