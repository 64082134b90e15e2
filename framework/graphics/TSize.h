#pragma once
#include <cstdint>

namespace fw {

/// Extent in pixels (text extents, bitmap sizes).
struct TSize {
  int32_t cx = 0;
  int32_t cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

}  // namespace fw
