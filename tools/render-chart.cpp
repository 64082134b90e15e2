// Renders the main window's chart (L = 500, beta = 0, t = 0) and a 3D example (orthogonal,
// two series, walls with sizes, marks visible) to PNG files.
//   render-chart [main.png] [3d.png]
#include <QApplication>

#include <cmath>
#include <cstdio>

#include "chart/data/TSeriesMarks.h"
#include "chart/canvas/TView3DOptions.h"
#include "framework/graphics/TBitmap.h"
#include "tools/MainChartScene.h"

namespace {

void RenderMain(const std::string& path) {
  scene::MainChart scene;
  scene.Fill(500, 0, 0);
  fw::TBitmap image(961, 529);
  scene.Chart->DrawToCanvas(image.Canvas(), fw::TRect{0, 0, 961, 529});
  image.SaveToFile(path);
}

void Render3D(const std::string& path) {
  chart::TChart chart(nullptr);
  chart.SetBounds(0, 0, 800, 500);
  chart.SetColor(fw::clWhite);
  chart.SetView3D(true);
  chart.View3DOptions().SetOrthogonal(true);
  chart.Title().SetText({"Two series in depth"});
  chart.BackWall().SetSize(6);
  chart.LeftWall().SetSize(6);
  chart.BottomWall().SetSize(6);
  chart.BackWall().Brush().SetStyle(fw::bsSolid);
  chart.BackWall().SetColor(fw::clSilver);
  auto* first = new chart::TFastLineSeries(&chart);
  auto* second = new chart::TFastLineSeries(&chart);
  first->SetParentChart(&chart);
  second->SetParentChart(&chart);
  first->SetSeriesColor(fw::clRed);
  second->SetSeriesColor(fw::clBlue);
  for (int i = 0; i <= 20; ++i) {
    first->AppendPoint(i, 50 + 40 * std::sin(i * 0.4), "", fw::clDefault);
    second->AppendPoint(i, 40 + 30 * std::cos(i * 0.3), "", fw::clDefault);
  }
  first->Marks().SetVisible(true);
  first->Marks().SetStyle(chart::smsValue);
  fw::TBitmap image(800, 500);
  chart.DrawToCanvas(image.Canvas(), fw::TRect{0, 0, 800, 500});
  image.SaveToFile(path);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const std::string mainPath = argc > 1 ? argv[1] : "main-chart.png";
  const std::string path3D = argc > 2 ? argv[2] : "chart-3d.png";
  RenderMain(mainPath);
  Render3D(path3D);
  std::printf("wrote %s and %s\n", mainPath.c_str(), path3D.c_str());
  return 0;
}
