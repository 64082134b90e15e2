// Draws a chart with the installed engine into a PNG, reads the file back and checks pixels,
// then shows a chart read from a layout in the Qt widget:
//   consumer out.png
// Exits with 0 when every check holds; prints what failed otherwise.
#include <QApplication>
#include <QImage>

#include <cstdio>
#include <string>

#include "chart/Chart.h"
#include "framework/controls/TChartWidget.h"

namespace {

int failures = 0;

void Check(bool ok, const std::string& what) {
  if (ok) return;
  std::fprintf(stderr, "consumer: %s\n", what.c_str());
  ++failures;
}

bool IsRed(QRgb c) { return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60; }

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const std::string path = argc > 1 ? argv[1] : "consumer.png";
  constexpr int width = 400, height = 300;

  chart::TChart chart(nullptr);
  chart.SetBounds(0, 0, width, height);
  chart.SetColor(fw::clWhite);
  chart.SetView3D(false);
  chart.Legend().SetVisible(false);
  chart.Title().SetText({"Installed engine"});
  for (chart::TChartAxis* axis : {&chart.LeftAxis(), &chart.BottomAxis()}) {
    axis->SetAutomatic(false);
    axis->SetMaximum(10);
    axis->SetMinimum(0);
  }
  auto* series = new chart::TFastLineSeries(&chart);
  series->SetParentChart(&chart);
  series->SetSeriesColor(fw::clRed);
  series->AppendPoint(0, 5, "", fw::clDefault);  // a horizontal line across the middle
  series->AppendPoint(10, 5, "", fw::clDefault);

  fw::TBitmap bitmap(width, height);
  chart.DrawToCanvas(bitmap.Canvas(), fw::TRect{0, 0, width, height});
  bitmap.SaveToFile(path);

  QImage image(QString::fromStdString(path));
  Check(image.width() == width && image.height() == height, "the PNG has the wrong size");
  if (image.isNull()) return 1;
  Check(image.pixel(1, height - 2) == qRgb(255, 255, 255), "the chart's white background is missing");
  // The line lies halfway between the axis ends: red in the middle column, near the middle row.
  int redRow = -1;
  for (int y = 0; y < height; ++y)
    if (IsRed(image.pixel(width / 2, y))) redRow = y;
  Check(redRow > height / 4 && redRow < height * 3 / 4, "no red line across the middle of the plot");
  // The title is drawn in the top rows: some pixel there is neither white nor red.
  bool titleInk = false;
  for (int y = 0; y < 30 && !titleInk; ++y)
    for (int x = 0; x < width && !titleInk; ++x) titleInk = image.pixel(x, y) != qRgb(255, 255, 255);
  Check(titleInk, "no title above the plot");

  // The same engine in a Qt widget, its chart read from a stored layout.
  fw::TChartWidget view(chart::LoadChartFromText("object Loaded: TChart\n  object S: TFastLineSeries\n  end\nend\n"));
  view.resize(320, 200);
  view.show();
  QApplication::processEvents();
  auto& loaded = view.Chart<chart::TCustomChart>();
  Check(loaded.SeriesCount() == 1, "the loaded layout lost its series");
  Check(loaded.Width() == 320 && loaded.Height() == 200, "the chart does not fill its widget");

  if (failures == 0) std::printf("consumer: %s drawn and checked\n", path.c_str());
  return failures == 0 ? 0 : 1;
}
