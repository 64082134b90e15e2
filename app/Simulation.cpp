#include "app/Simulation.h"

#include <bit>
#include <cmath>

#include "framework/runtime/Exception.h"
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

long double BoundedSine(long double x) {
  constexpr long double TwoPow63 = 9223372036854775808.0L;
  if (std::isnan(x)) throw fw::EInvalidOp();
  if (std::fabs(x) >= TwoPow63) return 0;  // also covers infinities
#if defined(__x86_64__) || defined(__i386__)
  // The processor's own extended-precision sine: its domain ends exactly at 2^63, and it is
  // several times faster than the library's software sine on the per-sample path.
  long double result;
  __asm__("fsin" : "=t"(result) : "0"(x));
  return result;
#else
  return std::sin(x);
#endif
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
  const long double s1 =
      BoundedSine(CheckFloat(TwoPi * static_cast<long double>(ForwardFrequency) * (t - travel)));
  const long double s2 =
      BoundedSine(CheckFloat(TwoPi * static_cast<long double>(BackwardFrequency) * (t + travel)));
  return CheckedToDouble((s1 - s2) * 500);
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
