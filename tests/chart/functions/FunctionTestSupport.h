#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <limits>
#include <memory>
#include <vector>

#include "chart/data/TFastLineSeries.h"
#include "chart/functions/TBasicFunctions.h"
#include "chart/functions/TChartFunction.h"
#include "chart/panel/TCustomChart.h"
#include "framework/graphics/TBitmap.h"

namespace chart::test {

/// Marks a null point in an expected list of values.
inline const double kNull = std::numeric_limits<double>::quiet_NaN();

/// A chart with fast line series on it: sources filled from value lists and function series.
class FunctionChart {
public:
  FunctionChart() { Chart.SetBounds(0, 0, 300, 200); }

  TFastLineSeries& NewSeries() {
    auto* s = new TFastLineSeries(&Chart);
    s->SetParentChart(&Chart);
    return *s;
  }
  /// A source with Y = ys (kNull adds a null point) at X = xs (0, 1, 2, ... when empty).
  TFastLineSeries& Source(const std::vector<double>& ys, const std::vector<double>& xs = {}) {
    TFastLineSeries& s = NewSeries();
    for (size_t i = 0; i < ys.size(); ++i) {
      const double x = xs.empty() ? static_cast<double>(i) : xs[i];
      if (std::isnan(ys[i]))
        s.AppendNullPoint(x, 0, "");
      else
        s.AppendPoint(x, ys[i], "", fw::clDefault);
    }
    return s;
  }
  /// A series computing `function` over `sources`, calculated at once.
  TFastLineSeries& Result(std::unique_ptr<TChartFunction> function, const std::vector<TChartSeries*>& sources) {
    TFastLineSeries& s = NewSeries();
    s.SetFunction(std::move(function));
    for (TChartSeries* source : sources) s.AddDataSource(source);
    s.RefreshSeries();
    return s;
  }
  /// Draws one frame, as a paint does.
  void Frame() {
    fw::TBitmap image(300, 200);
    Chart.DrawToCanvas(image.Canvas(), fw::TRect{0, 0, 300, 200});
  }

  TChart Chart{nullptr};
};

/// Y of every point, kNull for a null point.
inline std::vector<double> Values(const TChartSeries& s) {
  std::vector<double> out;
  for (int32_t i = 0; i < s.PointCount(); ++i) out.push_back(s.IsNullPoint(i) ? kNull : s.YValueOf(i));
  return out;
}

inline std::vector<double> Positions(const TChartSeries& s) {
  std::vector<double> out;
  for (int32_t i = 0; i < s.PointCount(); ++i) out.push_back(s.XValueOf(i));
  return out;
}

/// Equal lengths, kNull where expected, values within 1e-12 relative elsewhere.
inline ::testing::AssertionResult SameValues(const std::vector<double>& actual, const std::vector<double>& expected) {
  auto text = [](const std::vector<double>& v) {
    std::ostringstream out;
    for (double d : v) out << (std::isnan(d) ? std::string("null") : std::to_string(d)) << ' ';
    return out.str();
  };
  bool same = actual.size() == expected.size();
  for (size_t i = 0; same && i < actual.size(); ++i) {
    if (std::isnan(expected[i]) || std::isnan(actual[i]))
      same = std::isnan(expected[i]) && std::isnan(actual[i]);
    else
      same = std::fabs(actual[i] - expected[i]) <= 1e-12 * std::max(1.0, std::fabs(expected[i]));
  }
  if (same) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "got [" << text(actual) << "] expected [" << text(expected) << "]";
}

}  // namespace chart::test
