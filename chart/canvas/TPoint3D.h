#pragma once
#include <cstdint>

namespace chart {

/// A chart position with depth: x right, y down, z into the screen (0 at the front plane).
struct TPoint3D {
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Z = 0;
  friend bool operator==(const TPoint3D&, const TPoint3D&) = default;
};

}  // namespace chart
