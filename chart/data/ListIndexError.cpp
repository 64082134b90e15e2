#include "chart/data/ListIndexError.h"

#include "framework/runtime/Exception.h"

namespace chart {

void RaiseListIndexError(int64_t index) {
  throw fw::EListError::IndexOutOfBounds(index);
}

}  // namespace chart
