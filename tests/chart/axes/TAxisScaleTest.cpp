#include "chart/axes/TAxisScale.h"
#include "chart/axes/TAxisHost.h"  // the headers must stand on their own
#include "chart/axes/TChartAxis.h"
#include "chart/axes/TChartDepthAxis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

using namespace chart;

namespace {

TAxisScale Scale(double minimum, double maximum, int32_t start, int32_t end, bool horizontal,
                 bool inverted = false, bool logarithmic = false) {
  TAxisScale s;
  s.SetRange(minimum, maximum);
  s.SetSpan(start, end);
  s.IsHorizontal = horizontal;
  s.Inverted = inverted;
  s.Logarithmic = logarithmic;
  return s;
}

}  // namespace

TEST(AxisScale, SpanFields) {
  const auto s = Scale(0, 1, 41, 480, true);
  EXPECT_EQ(s.AxisLength, 439);
  EXPECT_EQ(s.CenterPixel, 260);
  EXPECT_EQ(Scale(0, 1, -5, 0, true).CenterPixel, -2);  // truncated toward zero
  EXPECT_EQ(s.WorkingRange, 1);
}

TEST(AxisScale, LeftAxisExample) {
  const auto s = Scale(-1000, 1000, 40, 480, false);
  EXPECT_EQ(s.ValueToPixel(0), 260);
  EXPECT_EQ(s.ValueToPixel(1000), 40);
  EXPECT_EQ(s.ValueToPixel(-1000), 480);
}

TEST(AxisScale, OrientationAndInversion) {
  EXPECT_EQ(Scale(0, 100, 10, 110, true).ValueToPixel(0), 10);
  EXPECT_EQ(Scale(0, 100, 10, 110, true, true).ValueToPixel(0), 110);
  EXPECT_EQ(Scale(0, 100, 10, 110, false).ValueToPixel(100), 10);
  EXPECT_EQ(Scale(0, 100, 10, 110, false, true).ValueToPixel(100), 110);
  EXPECT_EQ(Scale(0, 100, 10, 110, true).ValueToPixel(25), 35);
  EXPECT_EQ(Scale(0, 100, 10, 110, true).ValueToPixel(0.5), 10);  // ties to even
  EXPECT_EQ(Scale(0, 100, 10, 110, true).ValueToPixel(1.5), 12);
}

TEST(AxisScale, DegenerateInputsMapToTheCentre) {
  EXPECT_EQ(Scale(5, 5, 10, 110, true).ValueToPixel(123), 60);
  EXPECT_EQ(Scale(0, 1, 10, 110, true).ValueToPixel(1e8), 60);   // > 2^31 pixels away
  EXPECT_EQ(Scale(0, 1, 10, 110, true).ValueToPixel(-1e8), 60);
  EXPECT_EQ(Scale(0, 1, 10, 110, true).ValueToPixel(std::nan("")), 60);
  EXPECT_EQ(Scale(0, 1, 10, 110, true).ValueToPixel(std::numeric_limits<double>::infinity()), 60);
  EXPECT_EQ(Scale(-1e308, 1e308, 10, 110, true).ValueToPixel(0), 60);  // the range overflows
}

TEST(AxisScale, PixelsNeverOverflow) {
  const auto s = Scale(0, 1, 2147483000, 2147483600, true);
  EXPECT_EQ(s.ValueToPixel(3), INT32_MAX);
  const auto wide = Scale(0, 1, INT32_MIN, INT32_MAX, true);
  EXPECT_EQ(wide.AxisLength, INT32_MAX);
  EXPECT_EQ(wide.CenterPixel, 0);
}

TEST(AxisScale, PixelToValueRoundTrip) {
  for (bool horizontal : {true, false})
    for (bool inverted : {true, false}) {
      const auto s = Scale(-1000, 1000, 40, 480, horizontal, inverted);
      const double halfPixel = 2000.0 / 440 / 2;
      for (double v = -1000; v <= 1000; v += 37.5)
        EXPECT_NEAR(s.PixelToValue(s.ValueToPixel(v)), v, halfPixel + 1e-9) << horizontal << inverted << v;
      EXPECT_EQ(s.PixelToValue(horizontal != inverted ? 40 : 480), -1000);
    }
  EXPECT_EQ(Scale(0, 10, 50, 50, true).PixelToValue(50), 0);
  EXPECT_EQ(Scale(0, 10, 60, 50, true).PixelToValue(55), 0);
}

TEST(AxisScale, Logarithmic) {
  const auto s = Scale(1, 1000, 0, 300, true, false, true);
  EXPECT_EQ(s.ValueToPixel(1), 0);
  EXPECT_EQ(s.ValueToPixel(10), 100);
  EXPECT_EQ(s.ValueToPixel(100), 200);
  EXPECT_EQ(s.ValueToPixel(0), 0);    // the end of the minimum side
  EXPECT_EQ(s.ValueToPixel(-5), 0);
  EXPECT_NEAR(s.PixelToValue(100), 10, 1e-9);
  EXPECT_EQ(s.PixelToValue(0), 1);
  EXPECT_EQ(s.PixelToValue(300), 1000);

  const auto v = Scale(1, 1000, 0, 300, false, false, true);
  EXPECT_EQ(v.ValueToPixel(10), 200);
  EXPECT_EQ(v.ValueToPixel(0), 300);
  EXPECT_EQ(v.PixelToValue(0), 1000);
  EXPECT_NEAR(v.PixelToValue(200), 10, 1e-9);

  const auto inv = Scale(1, 1000, 0, 300, true, true, true);
  EXPECT_EQ(inv.ValueToPixel(10), 200);
  EXPECT_EQ(inv.ValueToPixel(0), 300);
  EXPECT_EQ(inv.PixelToValue(0), 1000);
  EXPECT_NEAR(inv.PixelToValue(200), 10, 1e-9);
}

TEST(AxisScale, LogarithmicWithNonPositiveEnds) {
  const auto s = Scale(0, 100, 0, 200, true, false, true);  // lnMin taken as 0
  EXPECT_EQ(s.ValueToPixel(1), 0);
  EXPECT_EQ(s.ValueToPixel(10), 100);
  EXPECT_EQ(s.ValueToPixel(0), 0);
  const auto flat = Scale(0, 1, 0, 200, true, false, true);  // ln 1 = 0: no span
  EXPECT_EQ(flat.ValueToPixel(0.5), 100);
  EXPECT_EQ(flat.PixelToValue(50), 0);
}

TEST(AxisScale, Depth) {
  const auto s = Scale(0, 10, 0, 0, false);
  EXPECT_EQ(s.ValueToDepth(5, 100), 50);
  EXPECT_EQ(s.ValueToDepth(0, 100), 0);
  auto inv = s;
  inv.Inverted = true;
  EXPECT_EQ(inv.ValueToDepth(2, 100), 80);
  EXPECT_EQ(Scale(3, 3, 0, 0, false).ValueToDepth(3, 101), 50);
  EXPECT_EQ(s.ValueToDepth(std::nan(""), 100), 50);
}

// The batch map must give every value the pixel the single map gives it, whatever the scale:
// both orientations, inverted or not, linear or logarithmic, zero and huge ranges, and values
// that are NaN, infinite, negative, far off the scale or exactly on a half pixel.
TEST(AxisScale, BatchMappingGivesThePixelsOfTheSingleMap) {
  std::mt19937 random(20261209);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const double huge = std::numeric_limits<double>::max();
  const std::vector<std::pair<double, double>> ranges{{0, 1000}, {-1e6, 1e6}, {1, 1000}, {5, 5}, {0, 0},
                                                      {-huge, huge}, {1e-300, 1e300}, {0.001, 0.002}, {-3, 0}};
  std::uniform_real_distribution<double> unit(0, 1);
  for (int round = 0; round < 400; ++round) {
    const auto [lo, hi] = ranges[static_cast<size_t>(round) % ranges.size()];
    // Some scales start next to either end of the pixel range, so that pixels clamp.
    const int32_t start = round % 5 == 3 ? (round & 8 ? INT32_MAX - 1000 : INT32_MIN + 2000)
                                         : static_cast<int32_t>(random() % 2000) - 1000;
    const int32_t length = static_cast<int32_t>(random() % 3000);
    const auto end = static_cast<int32_t>(std::min<int64_t>(INT32_MAX, int64_t{start} + length));
    const TAxisScale s = Scale(lo, hi, start, end, (round & 1) != 0, (round & 2) != 0, (round & 4) != 0);
    std::vector<double> values;
    for (int k = 0; k < 297 + round % 7; ++k) {  // blocks of four and the values left over
      const double t = unit(random);
      switch (random() % 8) {
        case 0: values.push_back(lo + (hi - lo) * t); break;
        case 1: values.push_back(lo + (hi - lo) * (std::round(t * 2 * length) / (2.0 * std::max(1, length)))); break;
        case 2: values.push_back(std::vector<double>{nan, inf, -inf, huge, -huge, 0.0, -0.0}[random() % 7]); break;
        case 3: values.push_back(lo - (hi - lo) * 1e10 * t); break;
        default: values.push_back(lo + (hi - lo) * (3 * t - 1)); break;
      }
    }
    for (const bool hardware : {true, false}) {
      TAxisScale::SetHardwareRounding(hardware);
      std::vector<int32_t> batch(values.size() + 1, -7);
      s.ValuesToPixels(values, batch);
      TAxisScale::SetHardwareRounding(true);
      for (size_t k = 0; k < values.size(); ++k)
        ASSERT_EQ(batch[k], s.ValueToPixel(values[k])) << "round " << round << " value " << values[k] << " " << hardware;
      EXPECT_EQ(batch.back(), -7);  // nothing written past the values
    }
  }
}

TEST(AxisScale, FurthestWithinKeepsEveryValueBetweenOnThePixelsAndReachesTheirEdge) {
  // Scales of every orientation; pixel ranges around the pixel of a value on the image, far off
  // it (where a small step inward is lost in the offset's rounding) or on a half-pixel edge.
  std::mt19937 random(20261210);
  std::uniform_real_distribution<double> unit(0, 1);
  const std::vector<std::pair<double, double>> ordinary{{0, 1000}, {-1e6, 1e6}, {1, 1000}, {0.001, 0.002}, {-3, 0}};
  const std::vector<std::pair<double, double>> extreme{{-1e308, 1e308}, {1e-300, 1e300}, {5, 5}};
  for (int round = 0; round < 2000; ++round) {
    const bool usual = round % 4 != 0;
    const auto [lo, hi] = usual ? ordinary[random() % ordinary.size()] : extreme[random() % extreme.size()];
    const int32_t start = static_cast<int32_t>(random() % 2000) - 1000;
    const int32_t length = round % 2 ? 1000 : static_cast<int32_t>(random() % 3000);
    // Some ranges given from their maximum, some pixel spans from their end.
    const bool reversed = (round & 8) != 0, backward = (round & 16) != 0;
    const int32_t end = backward ? start - length : start + length;
    const TAxisScale s = Scale(reversed ? hi : lo, reversed ? lo : hi, start, end, (round & 2) != 0, (round & 4) != 0);
    const double perPixel = (hi - lo) / std::max(1, length);
    double known;
    switch (random() % 3) {
      case 0: known = lo + (hi - lo) * unit(random); break;
      case 1: known = lo + perPixel * (std::round(unit(random) * 2e9 - 1e9) + 0.5); break;
      default: known = lo + perPixel * (std::round(unit(random) * 2 * length) / 2); break;
    }
    // Pixels grow with the values, or fall, as the map's own pixels of the range's ends go.
    if (usual && length > 4) {
      const int32_t first = s.ValueToPixel(std::min(lo, hi)), last = s.ValueToPixel(std::max(lo, hi));
      ASSERT_NE(first, last) << round;
      EXPECT_EQ(s.PixelsGrowWithValues(), first < last) << round;
    }
    if (!s.MapsMonotonically(known)) continue;
    const int32_t p = s.ValueToPixel(known);
    const int32_t a = p - static_cast<int32_t>(random() % 3), b = p + static_cast<int32_t>(random() % 3);
    const auto within = [&](double v) {
      const int32_t q = s.ValueToPixel(v);
      return s.MapsMonotonically(v) && q >= a && q <= b;
    };
    for (const bool upward : {false, true}) {
      const double found = s.FurthestWithin(round % 8 == 1 ? b : a, round % 8 == 1 ? a : b, known, upward);
      const std::string what = "round " + std::to_string(round) + " known " + std::to_string(known) + " pixels " +
                               std::to_string(a) + ".." + std::to_string(b) + (upward ? " upward" : " downward");
      ASSERT_TRUE(upward ? found >= known : found <= known) << what;
      ASSERT_TRUE(within(found)) << what << " found " << found;
      for (int k = 0; k < 8; ++k) {
        const double between = known + (found - known) * unit(random);
        ASSERT_TRUE(within(between)) << what << " between " << between;
      }
      ASSERT_TRUE(within(std::nextafter(found, known))) << what;
      // A scale of ordinary numbers is read to within a quarter pixel of the edge.
      if (usual && std::fabs(known - lo) < 1e6 * std::fabs(hi - lo)) {
        const double past = found + (upward ? 0.3 : -0.3) * std::fabs(perPixel);
        EXPECT_FALSE(within(past)) << what << " found " << found;
      }
    }
  }
  // Where no edge is known, the value itself.
  const TAxisScale logarithmic = Scale(1, 1000, 0, 500, false, false, true);
  EXPECT_EQ(logarithmic.FurthestWithin(0, 500, 10.0, true), 10.0);
  const TAxisScale flat = Scale(5, 5, 0, 500, false);
  EXPECT_EQ(flat.FurthestWithin(250, 250, 5.0, false), 5.0);
}
