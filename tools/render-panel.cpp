// Renders one chart panel frame to a PNG: a gradient background with the raised bevel.
// Usage: render-panel [output.png] [width height]
#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "chart/panel/TCustomChartPanelExtended.h"
#include "framework/graphics/TBitmap.h"

namespace {

class TBackgroundPanel : public chart::TCustomChartPanelExtended {
public:
  using TCustomChartPanelExtended::TCustomChartPanelExtended;
  void DrawContent(const fw::TRect& bounds) override { PaintPanelBackground(bounds); }
};

}  // namespace

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

  TBackgroundPanel panel;
  panel.SetBounds(0, 0, width, height);
  panel.Gradient().SetVisible(true);
  panel.Gradient().SetStartColor(fw::clWhite);
  panel.Gradient().SetEndColor(fw::clSkyBlue);

  fw::TBitmap target(width, height);
  panel.DrawToCanvas(target.Canvas(), panel.GetPaintArea());
  target.SaveToFile(output);
  std::printf("%s: %d x %d\n", output.c_str(), width, height);
  return 0;
}
