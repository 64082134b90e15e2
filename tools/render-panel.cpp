// Renders one chart frame to a PNG: the main window's chart (title, bottom axis 0..1000, left
// axis -1000..1000, a red wave) on a gradient panel with a raised bevel.
// Usage: render-panel [output.png] [width height]
#include <QApplication>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "chart/axes/TChartAxis.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/panel/TCustomChart.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TFont.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const std::string output = argc > 1 ? argv[1] : "panel.png";
  const int width = argc > 3 ? std::atoi(argv[2]) : 961;
  const int height = argc > 3 ? std::atoi(argv[3]) : 529;
  if (width <= 0 || height <= 0 || width > 10000 || height > 10000) {
    std::fprintf(stderr, "size out of range\n");
    return 2;
  }

  chart::TChart chart;
  chart.SetBounds(0, 0, width, height);
  chart.SetColor(fw::clWhite);
  chart.SetView3D(false);
  chart.Legend().SetVisible(false);
  chart.Gradient().SetVisible(true);
  chart.Gradient().SetStartColor(fw::clWhite);
  chart.Gradient().SetEndColor(fw::clSkyBlue);
  chart.Title().SetText({"Standing wave moving relativistically"});
  chart.Title().Font().SetName("Arial");
  chart.Title().Font().SetHeight(-13);
  chart.Title().Font().SetStyle(fw::fsBold);
  chart.BottomAxis().SetAutomatic(false);
  chart.BottomAxis().SetMaximum(1000);
  chart.LeftAxis().SetAutomatic(false);
  chart.LeftAxis().SetMaximum(1000);
  chart.LeftAxis().SetMinimum(-1000);
  chart.LeftAxis().SetIncrement(10);

  auto* wave = new chart::TFastLineSeries();  // freed by the chart
  wave->SetSeriesColor(fw::clRed);
  wave->SetParentChart(&chart);
  for (int x = 0; x < 1000; ++x) wave->AppendPoint(x, 800 * std::sin(x * 0.0188) * std::cos(x * 0.003), "", fw::clDefault);

  fw::TBitmap target(width, height);
  chart.DrawToCanvas(target.Canvas(), chart.GetPaintArea());
  target.SaveToFile(output);
  std::printf("%s: %d x %d, plot rectangle (%d, %d, %d, %d)\n", output.c_str(), width, height, chart.PlotRect().Left,
              chart.PlotRect().Top, chart.PlotRect().Right, chart.PlotRect().Bottom);
  return 0;
}
