#pragma once
#include <cstdint>

namespace chart {

/// Raises the framework's list-index error, "List index out of bounds (index)".
[[noreturn]] void RaiseListIndexError(int64_t index);

}  // namespace chart
