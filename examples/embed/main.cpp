// The smallest Qt Widgets program with a chart: a window whose layout holds a label and a chart,
// and a QTimer that feeds the chart's line live. Drag with the left button right and down to
// zoom (up or left to undo the zoom), drag with the right button to pan, turn the wheel to scroll.
//   example-embed [--ticks N]     (quits after N timer ticks)
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "chart/Chart.h"
#include "framework/controls/TChartWidget.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  int quitAfter = 0;
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--ticks") == 0) quitAfter = std::atoi(argv[i + 1]);

  QWidget window;
  window.setWindowTitle("A live chart in a Qt layout");
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(new QLabel("Left drag: zoom (up-left: undo)   Right drag: pan   Wheel: scroll"));
  auto* view = new fw::TChartWidget(std::make_unique<chart::TChart>());
  layout->addWidget(view);

  chart::TChart& chart = view->Chart<chart::TChart>();
  chart.SetView3D(false);
  chart.SetColor(fw::clWhite);
  chart.Legend().SetVisible(false);
  chart.Title().SetText({"Live data"});
  chart.LeftAxis().SetAxisRange(-1.5, 1.5);
  auto* series = new chart::TLineSeries(&chart);
  series->SetParentChart(&chart);
  series->SetSeriesColor(fw::clRed);

  // Each tick appends one point and keeps the last 200: the bottom axis follows the data.
  int ticks = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    const double x = ticks * 0.1;
    series->AppendPoint(x, std::sin(x) + 0.3 * std::sin(3.7 * x), "", fw::clDefault);
    if (series->PointCount() > 200) series->DeletePoint(0);
    ++ticks;
    if (quitAfter > 0 && ticks >= quitAfter) app.quit();
  });
  timer.start(40);

  window.resize(720, 480);
  window.show();
  const int result = app.exec();
  if (quitAfter > 0) {
    std::printf("example-embed: %d ticks, %d points\n", ticks, series->PointCount());
    if (series->PointCount() != std::min(ticks, 200)) return 1;
  }
  return result;
}
