// Renders a chart with two source series, a series computing their sum and one computing a
// period-5 average of the sum, to a PNG file.
//   render-functions [functions.png]
#include <QApplication>

#include <cmath>
#include <cstdio>
#include <memory>

#include "chart/data/TFastLineSeries.h"
#include "chart/functions/TBasicFunctions.h"
#include "chart/panel/TChartLegend.h"
#include "chart/panel/TCustomChart.h"
#include "framework/graphics/TBitmap.h"

namespace {

chart::TFastLineSeries& AddSeries(chart::TChart& chart, const char* title, fw::TColor color) {
  auto* series = new chart::TFastLineSeries(&chart);
  series->SetParentChart(&chart);
  series->SetTitle(title);
  series->SetSeriesColor(color);
  return *series;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const std::string path = argc > 1 ? argv[1] : "functions.png";

  chart::TChart chart(nullptr);
  chart.SetBounds(0, 0, 800, 500);
  chart.SetColor(fw::clWhite);
  chart.Title().SetText({"Two sources, their sum and its period-5 average"});
  chart::TFastLineSeries& first = AddSeries(chart, "Source 1", fw::clRed);
  chart::TFastLineSeries& second = AddSeries(chart, "Source 2", fw::clBlue);
  for (int i = 0; i <= 60; ++i) {
    first.AppendPoint(i, 40 + 25 * std::sin(i * 0.25), "", fw::clDefault);
    second.AppendPoint(i, 30 + 20 * std::cos(i * 0.11) + ((i * 7) % 11) - 5, "", fw::clDefault);
  }
  chart::TFastLineSeries& sum = AddSeries(chart, "Sum", fw::clGreen);
  sum.SetFunction(std::make_unique<chart::TAddFunction>());
  sum.AddDataSource(&first);
  sum.AddDataSource(&second);
  chart::TFastLineSeries& average = AddSeries(chart, "Average of the sum, period 5", fw::clBlack);
  auto function = std::make_unique<chart::TAverageFunction>();
  function->SetPeriod(5);
  average.SetFunction(std::move(function));
  average.AddDataSource(&sum);

  fw::TBitmap image(800, 500);
  chart.DrawToCanvas(image.Canvas(), fw::TRect{0, 0, 800, 500});
  image.SaveToFile(path);
  std::printf("wrote %s: sum of %d points, average of %d groups\n", path.c_str(), sum.PointCount(),
              average.PointCount());
  return 0;
}
