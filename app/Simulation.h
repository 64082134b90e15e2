#pragma once
#include <cstdint>

namespace app {

/// The simulation's process-wide values: one instance for the program (Simulation()), which the
/// main window reads and writes directly. Doubles except where stated.
struct TSimulation {
  double WaveSpeed = 1000;       ///< c, length units per time unit; never written
  double StringLength = 0;       ///< L, rest length; 100..2000 once the length field is accepted
  double Velocity = 0;           ///< beta, fraction of c; 0..0.999 once the velocity field is accepted
  double SimTime = 0;            ///< t, advanced by TimeStep per animation tick
  double BaseFrequency = 0;      ///< f0 = c / (2L), stored by every SampleWave
  double ForwardFrequency = 0;   ///< f1, stored by every SampleWave
  double BackwardFrequency = 0;  ///< f2, stored by every SampleWave
  int32_t FirstIndex = 0;        ///< first sample index of the frame being built
  int32_t LastIndex = 0;         ///< last sample index of the frame being built

  /// Displacement at sample index i at the current time, evaluated in extended precision from
  /// the values above as they are at the call; stores f0, f1 and f2. Allocates nothing.
  /// Throws fw::EZeroDivide when L = 0, fw::EInvalidOp when beta is 1 or more in magnitude,
  /// or any intermediate is not finite (fw::EOverflow when it overflows).
  /// A sine whose argument has a magnitude of 2^63 or more counts as 0.
  double SampleWave(int32_t i);

  /// Builds the points of one animation frame at the current time: sets FirstIndex and LastIndex
  /// (ComputeFirstIndex, ComputeLastIndex) and, for each index from FirstIndex to LastIndex in
  /// increasing order, calls addPoint(double x, double y) with y = SampleWave(i) and
  /// x = p mod 1000 (truncating), where p = i - FirstIndex when pinned (the picture keeps its place)
  /// and p = i otherwise. No point when LastIndex < FirstIndex. Allocates nothing itself.
  template <class AddPoint>
  void ComputeFramePoints(bool pinned, AddPoint&& addPoint);

private:
  /// f0, f1 and f2 as last computed, with the exact c, L and beta (bit patterns) they came
  /// from: the same inputs give the same values, so they are not computed again.
  struct TFrequencies {
    bool Valid = false;
    uint64_t WaveSpeedBits = 0, StringLengthBits = 0, VelocityBits = 0;
    double Base = 0, Forward = 0, Backward = 0;
  };
  /// Stores f0, f1 and f2 for the current c, L and beta (from the cache when they are unchanged).
  void StoreFrequencies();
  /// Computes, stores and caches f0, f1 and f2 (raising the floating-point errors on the way).
  void ComputeFrequencies();

  TFrequencies mFrequencies;
};

/// Simulation time added per animation tick (extended precision).
inline constexpr long double TimeStep = 0.02L;
/// 2 pi in extended precision.
inline constexpr long double TwoPi = 6.283185307179586477L;

/// The program's single simulation instance.
TSimulation& Simulation();

/// Sine in extended precision that is 0 for an argument of magnitude 2^63 or more.
/// Throws fw::EInvalidOp for NaN.
long double BoundedSine(long double x);

/// First sample index of a frame: c * beta * t formed in extended precision, rounded to a double,
/// then RoundHalfEven.
int32_t ComputeFirstIndex(double c, double beta, double t);
/// Last sample index: RoundHalfEven(sqrt(1 - beta^2) * L + first) in extended precision.
/// Throws fw::EInvalidOp when |beta| > 1.
int32_t ComputeLastIndex(double beta, double L, int32_t first);
/// t + TimeStep formed in extended precision, stored as a double.
double AdvanceTime(double t);

}  // namespace app

namespace app {

/// Simulation().SampleWave(i).
double SampleWave(int32_t i);

}  // namespace app

namespace app {

template <class AddPoint>
void TSimulation::ComputeFramePoints(bool pinned, AddPoint&& addPoint) {
  FirstIndex = ComputeFirstIndex(WaveSpeed, Velocity, SimTime);
  LastIndex = ComputeLastIndex(Velocity, StringLength, FirstIndex);
  // 64-bit counters: the loop ends even when LastIndex is INT32_MAX, and p cannot overflow.
  for (int64_t i = FirstIndex; i <= LastIndex; ++i) {
    const double y = SampleWave(static_cast<int32_t>(i));
    const int64_t p = pinned ? i - FirstIndex : i;
    addPoint(static_cast<double>(p % 1000), y);
  }
}

}  // namespace app
