// Every published number of a chart and its series at the ends of its range: each value the
// setter accepts must draw a whole frame, without an exception, an arithmetic overflow (the
// sanitizer build stops on any) or a frame that takes unbounded time; each rejected value
// keeps the old one. The chart walks its own property tables, so a setting added later is
// covered without a change here.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "chart/ChartClasses.h"
#include "chart/axes/TChartAxis.h"
#include "chart/axes/TChartAxisTitle.h"
#include "chart/data/TSeriesMarks.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/panel/TCustomChart.h"
#include "chart/series/TAreaSeries.h"
#include "chart/series/TBarSeries.h"
#include "chart/series/THorizBarSeries.h"
#include "chart/series/TLineSeries.h"
#include "chart/series/TPieSeries.h"
#include "chart/series/TPointSeries.h"
#include "framework/runtime/Exception.h"
#include "framework/graphics/TBitmap.h"
#include "framework/streaming/FrameworkClasses.h"
#include "framework/streaming/TClassRegistry.h"
#include "tests/support/PublishedNumbers.h"

namespace {

constexpr int32_t W = 320, H = 240;

/// A chart with the given series, each of a dozen labelled points, marks, legend and titles
/// showing.
struct TScene {
  chart::TChart Chart{nullptr};
  fw::TBitmap Image{W, H};

  explicit TScene(const std::function<std::vector<chart::TChartSeries*>(chart::TChart&)>& make) {
    Chart.SetBounds(0, 0, W, H);
    Chart.Title().SetText({"Title"});
    Chart.LeftAxis().Title().SetCaption("Left");
    for (chart::TChartSeries* s : make(Chart)) {
      s->SetParentChart(&Chart);
      for (int i = 0; i < 12; ++i) s->AppendPoint(i, (i * 7) % 11 - 3 + (i == 5 ? 40 : 0), "p" + std::to_string(i), fw::clDefault);
      s->Marks().SetVisible(true);
    }
  }
  void Frame() { Chart.DrawToCanvas(Image.Canvas(), fw::TRect{0, 0, W, H}); }
};

using TSetting = testsupport::TPublishedNumber;

std::vector<double> ExtremesOf(const fw::TPropInfo& info) {
  if (info.Kind == fw::pkReal)
    return {-std::numeric_limits<double>::max(), std::numeric_limits<double>::max(), std::nan(""),
            std::numeric_limits<double>::infinity(), -1e-300};
  const auto lo = std::max<int64_t>(info.MinValue, INT32_MIN), hi = std::min<int64_t>(info.MaxValue, INT32_MAX);
  return {static_cast<double>(lo), static_cast<double>(hi), -1.0, 0.0};
}

void CheckEverySetting(TScene& scene) {
  scene.Frame();
  std::vector<fw::TComponent*> components{&scene.Chart};
  for (int i = 0; i < scene.Chart.SeriesCount(); ++i) components.push_back(&scene.Chart.SeriesAt(i));
  for (fw::TComponent* c : components)
    ASSERT_NE(fw::TClassRegistry::Instance().FindByName(c->ClassName()), nullptr) << c->ClassName();
  const std::vector<TSetting> settings =
      testsupport::PublishedNumbersOf(components, [](fw::TComponent& c) { return c.ClassName(); });
  EXPECT_GT(settings.size(), 150u);
  const int accepted = testsupport::SetEachValueAndDraw(settings, ExtremesOf, [&scene](const TSetting& s, double value) {
    EXPECT_NO_THROW(scene.Frame()) << s.Path << " = " << value;
  });
  EXPECT_GT(accepted, 150);
}

}  // namespace

TEST(ExtremeSettingsFrame, LineBarAndFastLineSeries) {
  fw::RegisterFrameworkClasses();
  chart::RegisterChartClasses();
  TScene scene([](chart::TChart& c) -> std::vector<chart::TChartSeries*> {
    return {new chart::TLineSeries(&c), new chart::TBarSeries(&c), new chart::TFastLineSeries(&c)};
  });
  CheckEverySetting(scene);
}

TEST(ExtremeSettingsFrame, PieAlone) {
  fw::RegisterFrameworkClasses();
  chart::RegisterChartClasses();
  TScene scene([](chart::TChart& c) -> std::vector<chart::TChartSeries*> { return {new chart::TPieSeries(&c)}; });
  CheckEverySetting(scene);
}

TEST(ExtremeSettingsFrame, AreaHorizontalBarAndPointSeriesIn3D) {
  fw::RegisterFrameworkClasses();
  chart::RegisterChartClasses();
  TScene scene([](chart::TChart& c) -> std::vector<chart::TChartSeries*> {
    return {new chart::TAreaSeries(&c), new chart::THorizBarSeries(&c), new chart::TPointSeries(&c)};
  });
  scene.Chart.SetView3D(true);
  CheckEverySetting(scene);
}
