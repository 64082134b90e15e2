#include "app/Simulation.h"

#include <bit>
#include <cmath>

#include "framework/runtime/Exception.h"
#include "framework/runtime/ExtendedSine.h"
#include "framework/runtime/FloatChecks.h"
#include "framework/runtime/Rounding.h"

namespace app {

using fw::CheckedDivide;
using fw::CheckedSqrt;
using fw::CheckedToDouble;
using fw::CheckFloat;

TSimulation& Simulation() {
  static TSimulation instance;
  return instance;
}

namespace {
/// Arguments of this magnitude or more have a sine of 0.
constexpr long double SineBound = 9223372036854775808.0L;  // 2^63
}  // namespace

long double BoundedSine(long double x) {
  if (std::isnan(x)) throw fw::EInvalidOp();
  if (std::fabs(x) >= SineBound) return 0;  // also covers infinities
  return fw::ExtendedSine(x);
}

inline void TSimulation::StoreFrequencies() {
  const uint64_t cBits = std::bit_cast<uint64_t>(WaveSpeed);
  const uint64_t lBits = std::bit_cast<uint64_t>(StringLength);
  const uint64_t betaBits = std::bit_cast<uint64_t>(Velocity);
  const TFrequencies& cache = mFrequencies;
  if (cache.Valid && cache.WaveSpeedBits == cBits && cache.StringLengthBits == lBits && cache.VelocityBits == betaBits)
      [[likely]] {
    BaseFrequency = cache.Base;
    ForwardFrequency = cache.Forward;
    BackwardFrequency = cache.Backward;
    return;
  }
  ComputeFrequencies();
}

void TSimulation::ComputeFrequencies() {
  // Each value is stored as soon as it is known: a fault in a later step leaves the earlier
  // ones written, and nothing is cached.
  mFrequencies.Valid = false;
  const long double c = WaveSpeed;
  const long double beta = Velocity;
  BaseFrequency = CheckedToDouble(CheckedDivide(0.5L * c, static_cast<long double>(StringLength)));
  const long double f0 = BaseFrequency;
  ForwardFrequency = CheckedToDouble(CheckedSqrt(CheckedDivide(1 + beta, 1 - beta)) * f0);
  BackwardFrequency = CheckedToDouble(CheckedSqrt(CheckedDivide(1 - beta, 1 + beta)) * f0);
  mFrequencies = {true, std::bit_cast<uint64_t>(WaveSpeed), std::bit_cast<uint64_t>(StringLength),
                  std::bit_cast<uint64_t>(Velocity), BaseFrequency, ForwardFrequency, BackwardFrequency};
}

double TSimulation::SampleWave(int32_t i) {
  StoreFrequencies();
  const long double c = WaveSpeed;
  const long double t = SimTime;
  const long double travel = CheckedDivide(static_cast<long double>(i), c);
  const long double forward = TwoPi * static_cast<long double>(ForwardFrequency) * (t - travel);
  const long double backward = TwoPi * static_cast<long double>(BackwardFrequency) * (t + travel);
  long double s1, s2;
  // Both arguments are formed before either sine. When both lie in the sine table's range they
  // are finite and their sines are computed together; the sines have no side effects, so the
  // order of the steps is unchanged in every observable way. Otherwise the steps run one by
  // one, with their checks.
  if (!fw::TryTableSines(forward, backward, s1, s2)) {
    s1 = BoundedSine(CheckFloat(forward));
    s2 = BoundedSine(CheckFloat(backward));
  }
  // Both sines lie within [-1, 1], so the result is finite and well inside the double range.
  return static_cast<double>((s1 - s2) * 500);
}

double SampleWave(int32_t i) { return Simulation().SampleWave(i); }

int32_t ComputeFirstIndex(double c, double beta, double t) {
  const double distance =
      CheckedToDouble(static_cast<long double>(c) * static_cast<long double>(beta) * static_cast<long double>(t));
  return fw::RoundHalfEven(distance);
}

int32_t ComputeLastIndex(double beta, double L, int32_t first) {
  const long double b = beta;
  const long double contracted = CheckedSqrt(1 - b * b) * static_cast<long double>(L);
  return fw::RoundHalfEven(CheckFloat(contracted + first));
}

double AdvanceTime(double t) { return CheckedToDouble(static_cast<long double>(t) + TimeStep); }

}  // namespace app
