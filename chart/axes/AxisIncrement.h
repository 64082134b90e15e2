#pragma once
#include <cstdint>

// The label increment of a value axis: how many labels fit, and the 1-2-5 search.
namespace chart {

/// Smallest increment any axis uses.
inline constexpr double MinAxisIncrement = 1e-12;

/// Next member of the 1-2-5 series (… 0.5, 1, 2, 5, 10, 20 …) strictly above a positive step
/// (a step off the series joins it at the next member above). Non-positive and non-finite
/// steps are returned unchanged.
double NextNiceStep(double step);

/// Number of labels of `labelSize` pixels that fit on `axisLength` pixels when each label is
/// widened by `labelsSeparation` percent; 1 for an empty label size.
int32_t MaxLabelsForSize(int32_t labelSize, int32_t labelsSeparation, int32_t axisLength);

/// Increment of a value axis: the desired increment (or 1, or 1e-12 for ranges below 1) when
/// its labels fit, else the next 1-2-5 member above it at which no more than maxLabels labels
/// fall on workingRange. With labelsSeparation 0 the starting value is used as it is. Never
/// below 1e-12; a range that is not a finite number ends the search at once.
double IncrementForLabelCount(int32_t maxLabels, double increment, double workingRange,
                              int32_t labelsSeparation);

}  // namespace chart
