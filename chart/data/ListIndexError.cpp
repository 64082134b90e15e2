#include "chart/data/ListIndexError.h"

#include <string>

#include "framework/runtime/Exception.h"

namespace chart {

void RaiseListIndexError(int64_t index) {
  throw fw::Exception("List index out of bounds (" + std::to_string(index) + ")");
}

}  // namespace chart
