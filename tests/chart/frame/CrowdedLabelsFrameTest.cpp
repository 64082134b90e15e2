// Logarithmic axes over hundreds of decades crowd hundreds of labels, ticks and grid lines onto
// each pixel row. Labels placed again with the same text at the same place are passed over, and
// so are lines drawn again right after themselves: the frame must keep every pixel of drawing
// them all. A label handler (which keeps the text) makes the axis draw every label.
#include <gtest/gtest.h>

#include <QImage>

#include <string>

#include "chart/axes/TChartAxis.h"
#include "framework/graphics/SurfaceAccess.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TSurface.h"
#include "tools/MainChartScene.h"

namespace {

constexpr int32_t W = 961;
constexpr int32_t H = 529;

int DifferingPixels(const fw::TBitmap& a, const fw::TBitmap& b) {
  const QImage& ia = *fw::SurfaceAccess::Image(const_cast<fw::TBitmap&>(a).Canvas());
  const QImage& ib = *fw::SurfaceAccess::Image(const_cast<fw::TBitmap&>(b).Canvas());
  int differing = 0;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) differing += ia.pixel(x, y) != ib.pixel(x, y) ? 1 : 0;
  return differing;
}

void Crowd(scene::MainChart& s, int32_t base, fw::TPenMode mode, bool minorGrid) {
  for (chart::TChartAxis* axis : {&s.Chart->LeftAxis(), &s.Chart->BottomAxis()}) {
    axis->SetAxisRange(1e-300, 1e300);
    axis->SetLogarithmic(true);
    axis->SetLogarithmicBase(base);
    axis->Ticks().SetMode(mode);
    axis->MinorTicks().SetMode(mode);
    axis->Grid().SetMode(mode);
    axis->MinorGrid().SetVisible(minorGrid);
    axis->MinorGrid().SetMode(mode);
    axis->SetTickInnerLength(3);
  }
}

}  // namespace

TEST(CrowdedLabelsFrame, EveryLabelDrawnGivesTheSamePixels) {
  for (const int32_t base : {2, 10}) {
    for (const fw::TPenMode mode : {fw::pmCopy, fw::pmMerge, fw::pmXor}) {
      for (const bool minorGrid : {false, true}) {
        SCOPED_TRACE("base " + std::to_string(base) + " mode " + std::to_string(mode) + " minor grid " +
                     std::to_string(minorGrid));
        app::Simulation() = app::TSimulation{};
        scene::MainChart plain, handled;
        plain.Fill(500, 0, 0);
        handled.Fill(500, 0, 0);
        Crowd(plain, base, mode, minorGrid);
        Crowd(handled, base, mode, minorGrid);
        int calls = 0;
        handled.Chart->OnGetAxisLabel = [&calls](chart::TCustomChartAxis*, chart::TChartSeries*, int32_t,
                                                 std::string&) { ++calls; };
        fw::TBitmap a(W, H), b(W, H);
        for (int round = 0; round < 2; ++round) {
          plain.Chart->Canvas().MarkDirty();
          handled.Chart->Canvas().MarkDirty();
          plain.Chart->DrawToCanvas(a.Canvas(), fw::TRect{0, 0, W, H});
          handled.Chart->DrawToCanvas(b.Canvas(), fw::TRect{0, 0, W, H});
          EXPECT_EQ(DifferingPixels(a, b), 0) << "frame " << round;
        }
        EXPECT_GT(calls, base == 2 ? 3000 : 600) << "the crowded axes ask for every label";
      }
    }
  }
}
