#pragma once
#include <cstdint>

namespace fw {

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

}  // namespace fw
