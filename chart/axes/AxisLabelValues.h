#pragma once
#include <functional>

// The values that get a label in one pass of a value or logarithmic axis, from the top down.
namespace chart {

/// Called with each label value; returns false to end the pass early.
using TLabelValueSink = std::function<bool(double value)>;

/// Settings of one value pass.
struct TValuePassSettings {
  double WorkingMinimum = 0;
  double WorkingMaximum = 0;
  double Increment = 1;      ///< the computed increment of the pass (> 0)
  bool RoundFirstLabel = true;
  bool DateTimeScale = false;
  bool ExactDateTime = true;
  int PassStep = 25;         ///< date-time step of the pass (25: none)
};

/// Upper bound on the labels of one pass: a range of this many increments or more gets none.
inline constexpr double MaxValueLabels = 10000;

/// Lower end of the value pass: just below the working minimum, so that a label at the minimum
/// survives the rounding of the repeated subtraction.
double ValuePassLowerBound(double workingMinimum);

/// Label values of the value pass, from the first value at or below the maximum (a multiple of
/// the increment, the maximum itself, or a calendar boundary) down to the lower bound.
/// Ends after one value when both ends are equal, when a step no longer moves the value, and
/// when the range is not a finite number or spans MaxValueLabels increments or more.
/// Returns the number of values passed to the sink.
int ValuePassValues(const TValuePassSettings& s, const TLabelValueSink& sink);

/// Label values of the logarithmic pass: the integer powers of `base` from the one nearest a
/// positive working minimum (or the first above 0, when that one rounds to 0) up to the maximum
/// (only those ≥ the minimum are passed); from a
/// non-positive minimum, LogPassMinimum and its multiples by `base`. Nothing for equal ends.
/// Ends when a value overflows. Returns the number of values passed.
int LogPassValues(double workingMinimum, double workingMaximum, int base, const TLabelValueSink& sink);

/// Working minimum the logarithmic pass uses in place of a non-positive one.
double LogPassMinimum(double workingMinimum);

}  // namespace chart
