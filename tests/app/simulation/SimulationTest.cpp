#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "app/Simulation.h"
#include "framework/runtime/Exception.h"

namespace {

using app::TSimulation;

constexpr double Pi = 3.14159265358979323846;

TSimulation Model(double L, double beta, double t) {
  TSimulation s;
  s.StringLength = L;
  s.Velocity = beta;
  s.SimTime = t;
  return s;
}

TEST(SimulationStateTest, ProcessWideInstanceStartsAtRest) {
  TSimulation fresh;
  EXPECT_EQ(fresh.WaveSpeed, 1000);
  EXPECT_EQ(fresh.StringLength, 0);
  EXPECT_EQ(fresh.Velocity, 0);
  EXPECT_EQ(fresh.SimTime, 0);
  EXPECT_EQ(&app::Simulation(), &app::Simulation());
  EXPECT_EQ(app::TimeStep, 0.02L);
}

TEST(SampleWaveTest, StandingWaveAtRestAndTimeZero) {
  TSimulation s = Model(500, 0, 0);
  EXPECT_NEAR(s.SampleWave(0), 0, 1e-9);
  EXPECT_NEAR(s.SampleWave(250), -1000, 1e-9);
  EXPECT_NEAR(s.SampleWave(500), 0, 1e-9);
  for (int32_t i : {1, 17, 123, 333, 499}) EXPECT_NEAR(s.SampleWave(i), -1000 * std::sin(Pi * i / 500), 1e-9) << i;
  EXPECT_EQ(s.BaseFrequency, 1.0);
  EXPECT_EQ(s.ForwardFrequency, 1.0);
  EXPECT_EQ(s.BackwardFrequency, 1.0);
}

TEST(SampleWaveTest, QuarterPeriodIsFlat) {
  TSimulation s = Model(500, 0, 0.25);
  for (int32_t i = 0; i <= 500; i += 25) EXPECT_NEAR(s.SampleWave(i), 0, 1e-9) << i;
}

TEST(SampleWaveTest, DopplerFactorsAtSixTenths) {
  TSimulation s = Model(500, 0.6, 0.3);
  s.SampleWave(10);
  EXPECT_DOUBLE_EQ(s.ForwardFrequency, 2 * s.BaseFrequency);
  EXPECT_DOUBLE_EQ(s.BackwardFrequency, 0.5 * s.BaseFrequency);
}

TEST(SampleWaveTest, FastFrameStaysWithinTheAmplitude) {
  TSimulation s = Model(100, 0.999, 0);
  for (double t : {0.0, 0.02, 0.5, 1.37, 10.0}) {
    s.SimTime = t;
    for (int32_t i = 0; i <= 200; ++i) {
      const double y = s.SampleWave(i);
      ASSERT_LE(std::fabs(y), 1000.0) << t << " " << i;
    }
  }
  EXPECT_EQ(s.BaseFrequency, 5);
  EXPECT_NEAR(s.ForwardFrequency, 5 * std::sqrt(1.999 / 0.001), 1e-9);
  EXPECT_NEAR(s.BackwardFrequency, 5 / std::sqrt(1.999 / 0.001), 1e-12);
  EXPECT_NEAR(s.ForwardFrequency * s.BackwardFrequency, 25, 1e-9);
}

TEST(SampleWaveTest, NegativeIndexFollowsTheSameFormula) {
  TSimulation s = Model(500, 0, 0);
  EXPECT_NEAR(s.SampleWave(-250), 1000, 1e-9);
  EXPECT_NEAR(s.SampleWave(-100), -s.SampleWave(100), 1e-9);
  TSimulation moving = Model(700, 0.3, 2.5);
  const double y = moving.SampleWave(-40);
  const double expected = 500 * (std::sin(2 * Pi * moving.ForwardFrequency * (2.5 + 0.04)) -
                                 std::sin(2 * Pi * moving.BackwardFrequency * (2.5 - 0.04)));
  EXPECT_NEAR(y, expected, 1e-6);
}

TEST(SampleWaveTest, ParametersAreReadAtEachCall) {
  TSimulation s = Model(500, 0, 0);
  s.SampleWave(1);
  EXPECT_EQ(s.BaseFrequency, 1);
  s.StringLength = 1000;
  s.SampleWave(1);
  EXPECT_EQ(s.BaseFrequency, 0.5);
}

TEST(SampleWaveTest, ZeroLengthRaisesDivisionByZero) {
  TSimulation s;  // the values before the first activation: L = 0
  try {
    s.SampleWave(0);
    FAIL() << "no exception";
  } catch (const fw::EZeroDivide& e) {
    EXPECT_EQ(e.Message(), "Floating point division by zero");
  }
}

TEST(SampleWaveTest, VelocityOutsideTheModelRaisesInsteadOfNaN) {
  TSimulation s = Model(500, 1, 0);
  EXPECT_THROW(s.SampleWave(0), fw::EZeroDivide);
  s.Velocity = 1.5;
  EXPECT_THROW(s.SampleWave(0), fw::EInvalidOp);
  s.Velocity = -1;
  EXPECT_THROW(s.SampleWave(0), fw::EZeroDivide);
  s.StringLength = 1e-320;  // f0 beyond the double range
  s.Velocity = 0;
  EXPECT_THROW(s.SampleWave(0), fw::EOverflow);
}

TEST(SampleWaveTest, HugeSineArgumentGivesZero) {
  TSimulation s = Model(500, 0, 1e30);  // 2 pi f t far beyond 2^63
  EXPECT_EQ(s.SampleWave(0), 0);
  EXPECT_EQ(s.SampleWave(123), 0);
  EXPECT_EQ(app::BoundedSine(9223372036854775808.0L), 0);
  EXPECT_EQ(app::BoundedSine(-9223372036854775808.0L), 0);
  EXPECT_EQ(app::BoundedSine(1e4000L), 0);
  EXPECT_NE(app::BoundedSine(9223372036854775807.0L), 0);
  EXPECT_THROW(app::BoundedSine(NAN), fw::EInvalidOp);
}

TEST(SampleWaveTest, TheSharedInstanceIsWhatTheFreeFunctionReads) {
  TSimulation saved = app::Simulation();
  app::Simulation() = Model(500, 0, 0);
  EXPECT_NEAR(app::SampleWave(250), -1000, 1e-9);
  EXPECT_EQ(app::Simulation().BaseFrequency, 1);
  app::Simulation() = saved;
}

TEST(FrameIndexTest, FirstIndexRoundsTheDoubleProductHalfToEven) {
  EXPECT_EQ(app::ComputeFirstIndex(1000, 0.5, 1), 500);
  EXPECT_EQ(app::ComputeFirstIndex(1000, 0, 123.4), 0);
  // 1000 * 0.25 * 0.01 is 2.50000000000000005 in extended precision; as a double it is the tie 2.5.
  EXPECT_EQ(app::ComputeFirstIndex(1000, 0.25, 0.01), 2);
  EXPECT_EQ(app::ComputeFirstIndex(1000, 0.35, 0.01), 4);  // 3.5 -> 4
  EXPECT_THROW(app::ComputeFirstIndex(1e300, 1e300, 1), fw::EOverflow);
}

TEST(FrameIndexTest, LastIndexAddsTheContractedLength) {
  EXPECT_EQ(app::ComputeLastIndex(0.5, 1000, 500), 1366);
  EXPECT_EQ(app::ComputeLastIndex(0, 500, 0), 500);
  EXPECT_EQ(app::ComputeLastIndex(0, 2000, 0), 2000);
  EXPECT_EQ(app::ComputeLastIndex(0.999, 100, 7), 7 + 4);  // 4.47...
  EXPECT_THROW(app::ComputeLastIndex(1.01, 500, 0), fw::EInvalidOp);
}

TEST(FrameIndexTest, TimeAdvancesInExtendedPrecision) {
  EXPECT_EQ(app::AdvanceTime(0), 0.02);
  double t = 0;
  for (int k = 0; k < 1000; ++k) t = app::AdvanceTime(t);
  EXPECT_NEAR(t, 20, 1e-9);
  const long double step = static_cast<long double>(0.02) + 0.02L;
  EXPECT_EQ(app::AdvanceTime(0.02), static_cast<double>(step));
}

}  // namespace

namespace {

struct Point {
  double X, Y;
};

std::vector<Point> Frame(TSimulation& s, bool pinned) {
  std::vector<Point> points;
  s.ComputeFramePoints(pinned, [&](double x, double y) { points.push_back({x, y}); });
  return points;
}

TEST(FramePointsTest, FirstTickAtRest) {
  TSimulation s = Model(500, 0, 0);
  const std::vector<Point> points = Frame(s, true);
  ASSERT_EQ(points.size(), 501u);
  EXPECT_EQ(s.FirstIndex, 0);
  EXPECT_EQ(s.LastIndex, 500);
  for (size_t k = 0; k < points.size(); ++k) {
    EXPECT_EQ(points[k].X, static_cast<double>(k));
    EXPECT_NEAR(points[k].Y, -1000 * std::sin(Pi * k / 500), 1e-9);
  }
}

TEST(FramePointsTest, MovingFramePinnedAndDrifting) {
  TSimulation s = Model(1000, 0.5, 1);
  const std::vector<Point> pinned = Frame(s, true);
  EXPECT_EQ(s.FirstIndex, 500);
  EXPECT_EQ(s.LastIndex, 1366);
  ASSERT_EQ(pinned.size(), 867u);
  EXPECT_EQ(pinned.front().X, 0);
  EXPECT_EQ(pinned.back().X, 866);
  const std::vector<Point> drifting = Frame(s, false);
  ASSERT_EQ(drifting.size(), 867u);
  EXPECT_EQ(drifting[0].X, 500);
  EXPECT_EQ(drifting[499].X, 999);
  EXPECT_EQ(drifting[500].X, 0);  // i = 1000 wraps
  EXPECT_EQ(drifting.back().X, 366);
  EXPECT_EQ(drifting[10].Y, pinned[10].Y);  // same samples, only X differs
}

TEST(FramePointsTest, LongStringFoldsBackOntoTheAxis) {
  TSimulation s = Model(2000, 0, 0);
  const std::vector<Point> points = Frame(s, true);
  ASSERT_EQ(points.size(), 2001u);
  int zeros = 0;
  for (const Point& p : points) zeros += p.X == 0;
  EXPECT_EQ(zeros, 3);
}

TEST(FramePointsTest, HalfwayTravelRoundsToEven) {
  TSimulation s = Model(500, 0.25, 0.01);  // c * beta * t = 2.5
  Frame(s, true);
  EXPECT_EQ(s.FirstIndex, 2);
  EXPECT_EQ(s.LastIndex, 2 + 484);  // sqrt(1 - 1/16) * 500 = 484.12
}

}  // namespace

// ---- the frequencies are kept while c, L and beta stay the same ----

namespace {

// The wave formula step by step, without anything kept between calls.
struct Reference {
  double F0 = 0, F1 = 0, F2 = 0;
  double Sample(double c, double L, double beta, double t, int32_t i) {
    const long double cl = c, b = beta;
    F0 = static_cast<double>(0.5L * cl / static_cast<long double>(L));
    F1 = static_cast<double>(std::sqrt((1 + b) / (1 - b)) * static_cast<long double>(F0));
    F2 = static_cast<double>(std::sqrt((1 - b) / (1 + b)) * static_cast<long double>(F0));
    const long double travel = static_cast<long double>(i) / cl;
    const long double tl = t;
    const long double s1 = app::BoundedSine(app::TwoPi * static_cast<long double>(F1) * (tl - travel));
    const long double s2 = app::BoundedSine(app::TwoPi * static_cast<long double>(F2) * (tl + travel));
    return static_cast<double>((s1 - s2) * 500);
  }
};

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

TEST(SampleWaveFrequenciesTest, EveryCallMatchesTheFormulaBitForBitAcrossParameterChanges) {
  TSimulation s = Model(500, 0, 0);
  Reference ref;
  const double lengths[] = {500, 2000, 100, 1234.5, 2000};
  const double velocities[] = {0, 0.6, 0.999, 0.31, -0.0, 0.5};
  int32_t i = -3;
  for (double L : lengths) {
    for (double beta : velocities) {
      for (double t : {0.0, 0.02, 7.58}) {
        // A parameter written between two samples shows in the very next one.
        s.StringLength = L;
        s.Velocity = beta;
        s.SimTime = t;
        for (int k = 0; k < 3; ++k, i += 37) {
          const double y = s.SampleWave(i);
          const double expected = ref.Sample(1000, L, beta, t, i);
          ASSERT_TRUE(SameBits(y, expected)) << L << " " << beta << " " << t << " " << i;
          ASSERT_TRUE(SameBits(s.BaseFrequency, ref.F0));
          ASSERT_TRUE(SameBits(s.ForwardFrequency, ref.F1));
          ASSERT_TRUE(SameBits(s.BackwardFrequency, ref.F2));
        }
      }
    }
  }
  s.WaveSpeed = 343;  // never written by the program, but read at each call all the same
  EXPECT_TRUE(SameBits(s.SampleWave(5), ref.Sample(343, 2000, 0.5, 7.58, 5)));
  EXPECT_TRUE(SameBits(s.BaseFrequency, ref.F0));
}

TEST(SampleWaveFrequenciesTest, StoredFrequenciesAreWrittenAtEveryCall) {
  TSimulation s = Model(500, 0.6, 0.3);
  s.SampleWave(1);
  const double f0 = s.BaseFrequency, f1 = s.ForwardFrequency, f2 = s.BackwardFrequency;
  s.BaseFrequency = s.ForwardFrequency = s.BackwardFrequency = -1;
  s.SampleWave(2);
  EXPECT_EQ(s.BaseFrequency, f0);
  EXPECT_EQ(s.ForwardFrequency, f1);
  EXPECT_EQ(s.BackwardFrequency, f2);
  // A copy carries its parameters and gives the same values.
  TSimulation copy = s;
  copy.BaseFrequency = 0;
  EXPECT_TRUE(SameBits(copy.SampleWave(2), s.SampleWave(2)));
  EXPECT_EQ(copy.BaseFrequency, f0);
}

TEST(SampleWaveFrequenciesTest, AFaultIsRaisedAgainAtEveryCallAndKeepsWhatWasStoredBeforeIt) {
  TSimulation s = Model(500, 0, 0);
  s.SampleWave(0);
  s.StringLength = 0;
  EXPECT_THROW(s.SampleWave(0), fw::EZeroDivide);
  EXPECT_THROW(s.SampleWave(0), fw::EZeroDivide);
  s.StringLength = 500;
  s.SampleWave(0);
  EXPECT_EQ(s.BaseFrequency, 1);
  // beta = 1: f0 is stored, then the forward factor divides by zero; again at the next call.
  s.StringLength = 1000;
  s.Velocity = 1;
  s.BackwardFrequency = 42;
  EXPECT_THROW(s.SampleWave(0), fw::EZeroDivide);
  EXPECT_EQ(s.BaseFrequency, 0.5);
  EXPECT_EQ(s.BackwardFrequency, 42);
  s.BaseFrequency = 0;
  EXPECT_THROW(s.SampleWave(0), fw::EZeroDivide);
  EXPECT_EQ(s.BaseFrequency, 0.5);
  s.Velocity = 0;
  EXPECT_NO_THROW(s.SampleWave(0));
  EXPECT_EQ(s.ForwardFrequency, 0.5);
}

TEST(SampleWaveFrequenciesTest, ArgumentsOnBothSidesOfTheSineTableMatchTheFormula) {
  // At t = 333772 the forward argument 2 pi (t - i/c) stays below 2^21, where the sines come
  // from the table, while the backward one passes it from i = 366 on, where they do not.
  TSimulation s = Model(500, 0, 333772.0);
  Reference ref;
  for (int32_t i = 300; i <= 420; ++i)
    ASSERT_TRUE(SameBits(s.SampleWave(i), ref.Sample(1000, 500, 0, 333772.0, i))) << i;
  s.SimTime = 5e9;  // both beyond the table
  for (int32_t i = 0; i <= 40; ++i) ASSERT_TRUE(SameBits(s.SampleWave(i), ref.Sample(1000, 500, 0, 5e9, i))) << i;
}

TEST(SampleWaveTest, NonFiniteArgumentsRaise) {
  TSimulation s = Model(500, 0, INFINITY);
  EXPECT_THROW(s.SampleWave(3), fw::EOverflow);
  s.SimTime = NAN;
  EXPECT_THROW(s.SampleWave(3), fw::EInvalidOp);
  s.SimTime = 1e308;  // finite in extended precision, far beyond 2^63: the sines count as 0
  EXPECT_EQ(s.SampleWave(3), 0);
}
