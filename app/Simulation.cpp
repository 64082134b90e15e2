#include "app/Simulation.h"

#include <cfloat>
#include <cmath>

#include "framework/runtime/Exception.h"
#include "framework/runtime/Rounding.h"

namespace app {

namespace {

// Floating-point faults are reported as the runtime's errors, never as infinities or NaNs.

long double Divide(long double a, long double b) {
  if (b == 0) {
    if (a == 0 || std::isnan(a)) throw fw::EInvalidOp();
    throw fw::EZeroDivide();
  }
  const long double q = a / b;
  if (std::isinf(q)) throw fw::EOverflow();
  return q;
}

long double SquareRoot(long double x) {
  if (!(x >= 0)) throw fw::EInvalidOp();
  return std::sqrt(x);
}

long double Checked(long double x) {
  if (std::isnan(x)) throw fw::EInvalidOp();
  if (std::isinf(x)) throw fw::EOverflow();
  return x;
}

double StoreAsDouble(long double x) {
  Checked(x);
  if (std::fabs(x) > static_cast<long double>(DBL_MAX)) throw fw::EOverflow();
  return static_cast<double>(x);
}

}  // namespace

TSimulation& Simulation() {
  static TSimulation instance;
  return instance;
}

long double BoundedSine(long double x) {
  constexpr long double TwoPow63 = 9223372036854775808.0L;
  if (std::isnan(x)) throw fw::EInvalidOp();
  if (std::fabs(x) >= TwoPow63) return 0;  // also covers infinities
  return std::sin(x);
}

double TSimulation::SampleWave(int32_t i) {
  const long double c = WaveSpeed;
  const long double beta = Velocity;
  BaseFrequency = StoreAsDouble(Divide(0.5L * c, static_cast<long double>(StringLength)));
  const long double f0 = BaseFrequency;
  ForwardFrequency = StoreAsDouble(SquareRoot(Divide(1 + beta, 1 - beta)) * f0);
  BackwardFrequency = StoreAsDouble(SquareRoot(Divide(1 - beta, 1 + beta)) * f0);
  const long double t = SimTime;
  const long double travel = Divide(static_cast<long double>(i), c);
  const long double s1 =
      BoundedSine(Checked(TwoPi * static_cast<long double>(ForwardFrequency) * (t - travel)));
  const long double s2 =
      BoundedSine(Checked(TwoPi * static_cast<long double>(BackwardFrequency) * (t + travel)));
  return StoreAsDouble((s1 - s2) * 500);
}

double SampleWave(int32_t i) { return Simulation().SampleWave(i); }

int32_t ComputeFirstIndex(double c, double beta, double t) {
  const double distance =
      StoreAsDouble(static_cast<long double>(c) * static_cast<long double>(beta) * static_cast<long double>(t));
  return fw::RoundHalfEven(distance);
}

int32_t ComputeLastIndex(double beta, double L, int32_t first) {
  const long double b = beta;
  const long double contracted = SquareRoot(1 - b * b) * static_cast<long double>(L);
  return fw::RoundHalfEven(Checked(contracted + first));
}

double AdvanceTime(double t) { return StoreAsDouble(static_cast<long double>(t) + TimeStep); }

}  // namespace app
