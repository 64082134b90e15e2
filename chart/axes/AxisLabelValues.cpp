#include "chart/axes/AxisLabelValues.h"

#include <cmath>

#include "chart/axes/AxisRounding.h"
#include "chart/axes/DateTimeSteps.h"

namespace chart {
namespace {

bool StepsByCalendar(const TValuePassSettings& s) {
  return s.DateTimeScale && s.ExactDateTime && s.PassStep >= dtHalfMonth && s.PassStep <= dtOneYear;
}

double StepBack(const TValuePassSettings& s, double v) {
  if (StepsByCalendar(s)) return StepDateTime(true, s.PassStep, v, s.Increment, true);
  return v - s.Increment;
}

double FirstValue(const TValuePassSettings& s) {
  if (s.DateTimeScale && s.ExactDateTime && s.PassStep >= dtOneDay && s.PassStep <= dtOneYear)
    return SnapDateToStep(s.PassStep, s.WorkingMaximum);
  if (s.WorkingMinimum == s.WorkingMaximum || !s.RoundFirstLabel) return s.WorkingMaximum;
  // Truncated toward zero; std::trunc agrees with a 64-bit integer truncation wherever that is
  // defined and stays defined for quotients beyond it.
  return std::trunc(s.WorkingMaximum / s.Increment) * s.Increment;
}

}  // namespace

double ValuePassLowerBound(double workingMinimum) {
  const double shifted = workingMinimum - 1e-12;
  return workingMinimum >= 0 ? shifted / 1.000000000001 : shifted * 1.000000000001;
}

int ValuePassValues(const TValuePassSettings& s, const TLabelValueSink& sink) {
  if (!(s.Increment > 0)) return 0;
  if (!(std::fabs((s.WorkingMaximum - s.WorkingMinimum) / s.Increment) < MaxValueLabels)) return 0;
  if (!std::isfinite(s.WorkingMinimum) || !std::isfinite(s.WorkingMaximum)) return 0;

  double v = FirstValue(s);
  // Bounded: a few steps at most (one calendar step, or one increment after rounding).
  for (int guard = 0; v > s.WorkingMaximum && guard < 64; ++guard) v = StepBack(s, v);
  if (v > s.WorkingMaximum) return 0;

  if (s.WorkingMinimum == s.WorkingMaximum) {
    // Both ends equal: one label at that value. Stepping back by the tiny increment towards a
    // bound a hair below would draw the same label at the same pixel over and over.
    if (!(v >= ValuePassLowerBound(s.WorkingMinimum))) return 0;
    sink(v);
    return 1;
  }

  const double bound = ValuePassLowerBound(s.WorkingMinimum);
  int count = 0;
  // The range check above keeps the number of steps just over MaxValueLabels.
  for (int guard = 0; v >= bound && guard <= MaxValueLabels + 2; ++guard) {
    ++count;
    if (!sink(v)) break;
    const double next = StepBack(s, v);
    if (!(next < v)) break;  // the increment no longer changes a double of this size
    v = next;
  }
  return count;
}

double LogPassMinimum(double workingMinimum) {
  if (workingMinimum > 0) return workingMinimum;
  return workingMinimum == 0 ? 0.1 : 1e-10;
}

int LogPassValues(double workingMinimum, double workingMaximum, int base, const TLabelValueSink& sink) {
  if (workingMinimum == workingMaximum || base < 2) return 0;
  const double minimum = LogPassMinimum(workingMinimum);
  double v = minimum;
  if (workingMinimum > 0) {
    int32_t k = axisdetail::RoundHalfEven(std::log(workingMinimum) / std::log(double(base)));
    v = std::pow(double(base), k);
    // The power nearest a minimum near the smallest doubles can round to 0, which multiplying
    // never moves: the pass starts at the first power that is a number above 0.
    while (v == 0 && k < 0) v = std::pow(double(base), ++k);
  }
  int count = 0;
  while (v > 0 && v <= workingMaximum && std::isfinite(v)) {
    if (v >= minimum) {
      ++count;
      if (!sink(v)) break;
    }
    v *= base;
  }
  return count;
}

}  // namespace chart
