#include "chart/axes/AxisIncrement.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

#include "chart/axes/AxisRounding.h"

namespace chart {

double NextNiceStep(double step) {
  if (!(step > 0) || !std::isfinite(step)) return step;
  // Scaled into [1, 10) and back by the same chain of multiplications a recursive
  // definition performs, so every member comes out with the same rounding.
  int up = 0;
  int down = 0;
  double x = step;
  while (x >= 10) { x *= 0.1; ++up; }
  while (x < 1) { x *= 10; ++down; }
  double r = x < 2 ? 2.0 : x < 5 ? 5.0 : 10.0;
  for (int i = 0; i < up; ++i) r *= 10;
  for (int i = 0; i < down; ++i) r *= 0.1;
  // The scaling can round a result back onto the step itself; a search must still move.
  return r > step ? r : std::nextafter(step, INFINITY);
}

int32_t MaxLabelsForSize(int32_t labelSize, int32_t labelsSeparation, int32_t axisLength) {
  using axisdetail::RoundHalfEven;
  if (labelSize <= 0) return 1;
  double size = labelSize;
  if (labelsSeparation > 0) {
    // A gap beyond the 32-bit range would wrap when rounded; it only has to be huge.
    const double gap = labelsSeparation * 0.01 * size;
    size += gap < 2147483647.0 ? RoundHalfEven(gap) : gap;
  }
  return RoundHalfEven(axisLength * 1.0 / size);
}

namespace {

// The last few searches and their results. The search is a pure function of its four inputs
// and an axis asks the same question every frame; over hundreds of decades it takes thousands
// of steps, each scaling through every decade.
struct TIncrementSearch {
  int32_t MaxLabels = 0;
  uint64_t Increment = 0;
  uint64_t WorkingRange = 0;
  int32_t LabelsSeparation = 0;
  double Result = 0;
  bool Used = false;
};

thread_local std::array<TIncrementSearch, 4> KeptSearches;
thread_local size_t NextKeptSearch = 0;

double SearchIncrement(int32_t maxLabels, double increment, double workingRange) {
  using axisdetail::RoundHalfEven;
  // A desired increment below the minimum starts at the minimum: the result could not be
  // smaller, and the 1-2-5 scaling is not exact among subnormal numbers.
  double inc = increment > 0 ? std::fmax(increment, MinAxisIncrement)
                             : std::fabs(workingRange) >= 1 ? 1.0 : MinAxisIncrement;
  // Each pass moves inc one member up the series; from 1e-12 to beyond any finite range
  // takes under 2000 of them.
  int64_t n = int64_t{maxLabels} + 1;
  for (int guard = 0; guard < 4000 && n > maxLabels && std::isfinite(inc); ++guard) {
    const double t = workingRange / inc;
    if (std::fabs(t) < 2147483647.0) {
      n = RoundHalfEven(t);
      if (n > maxLabels) inc = NextNiceStep(inc);
    } else {
      inc = NextNiceStep(inc);
    }
  }
  return inc;
}

}  // namespace

double IncrementForLabelCount(int32_t maxLabels, double increment, double workingRange,
                              int32_t labelsSeparation) {
  if (maxLabels < 1) return MinAxisIncrement;
  if (labelsSeparation > 0 && std::isfinite(workingRange)) {
    const uint64_t incBits = std::bit_cast<uint64_t>(increment);
    const uint64_t rangeBits = std::bit_cast<uint64_t>(workingRange);
    for (const TIncrementSearch& k : KeptSearches)
      if (k.Used && k.MaxLabels == maxLabels && k.Increment == incBits && k.WorkingRange == rangeBits &&
          k.LabelsSeparation == labelsSeparation)
        return k.Result;
    const double result = std::fmax(SearchIncrement(maxLabels, increment, workingRange),
                                    MinAxisIncrement);
    KeptSearches[NextKeptSearch] = {maxLabels, incBits, rangeBits, labelsSeparation, result, true};
    NextKeptSearch = (NextKeptSearch + 1) % KeptSearches.size();
    return result;
  }
  const double inc = increment > 0 ? std::fmax(increment, MinAxisIncrement)
                                   : std::fabs(workingRange) >= 1 ? 1.0 : MinAxisIncrement;
  return std::fmax(inc, MinAxisIncrement);
}

}  // namespace chart
