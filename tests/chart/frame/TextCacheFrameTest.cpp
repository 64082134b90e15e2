// Whole frames of the main window's chart with the surface's text cache and without it: the
// kept texts give the same image as texts shaped and drawn by the painter in every frame.
#include <gtest/gtest.h>

#include <QImage>

#include <functional>
#include <string>

#include "chart/axes/TChartAxisTitle.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "framework/graphics/SurfaceAccess.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TSurface.h"
#include "tools/MainChartScene.h"

namespace {

constexpr int32_t W = 961;
constexpr int32_t H = 529;

struct CachedAndPaintedFrames : ::testing::Test {
  scene::MainChart cached;
  scene::MainChart painted;
  fw::TBitmap cachedImage{W, H};
  fw::TBitmap paintedImage{W, H};

  void SetUp() override {
    app::Simulation() = app::TSimulation{};
    cached.Fill(500, 0, 0);
    painted.Fill(500, 0, 0);
    Draw(cached, cachedImage);
    Draw(painted, paintedImage);
    // The chart draws into a frame bitmap of its own, kept from frame to frame.
    fw::TBitmap* frame = painted.Chart->Canvas().Bitmap();
    ASSERT_NE(frame, nullptr);
    fw::SurfaceAccess::SetTextCache(frame->Canvas(), false);
  }

  static void Draw(scene::MainChart& scene, fw::TBitmap& image) {
    scene.Chart->Canvas().MarkDirty();
    scene.Chart->DrawToCanvas(image.Canvas(), fw::TRect{0, 0, W, H});
  }

  /// Applies the change to both charts, draws two frames of each and compares every pixel.
  void Compare(const std::string& what, const std::function<void(scene::MainChart&)>& change) {
    change(cached);
    change(painted);
    fw::TBitmap* frame = painted.Chart->Canvas().Bitmap();
    for (int round = 0; round < 2; ++round) {
      Draw(cached, cachedImage);
      Draw(painted, paintedImage);
      ASSERT_EQ(painted.Chart->Canvas().Bitmap(), frame) << "the painted chart's frame bitmap was replaced";
      const QImage& a = *fw::SurfaceAccess::Image(cachedImage.Canvas());
      const QImage& b = *fw::SurfaceAccess::Image(paintedImage.Canvas());
      int differing = 0;
      for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) differing += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
      EXPECT_EQ(differing, 0) << what << ", frame " << round;
    }
  }
};

}  // namespace

TEST_F(CachedAndPaintedFrames, MainWindowChart) {
  Compare("main window", [](scene::MainChart&) {});
}

TEST_F(CachedAndPaintedFrames, AxisTitlesAndTurnedLabels) {
  Compare("axis titles", [](scene::MainChart& s) {
    s.Chart->LeftAxis().Title().SetCaption("Displacement");
    s.Chart->BottomAxis().Title().SetCaption("Position along the string");
    s.Chart->BottomAxis().SetLabelsAngle(90);
    s.Chart->LeftAxis().LabelsFont().SetStyle(fw::fsItalic);
  });
  Compare("labels turned the other way", [](scene::MainChart& s) {
    s.Chart->BottomAxis().SetLabelsAngle(270);
    s.Chart->LeftAxis().Title().SetAngle(270);
  });
}

TEST_F(CachedAndPaintedFrames, ZoomedRangeWithOtherTexts) {
  Compare("zoomed", [](scene::MainChart& s) {
    s.Chart->BottomAxis().SetMinimum(123.4);
    s.Chart->BottomAxis().SetMaximum(456.7);
    s.Chart->BottomAxis().SetAxisValuesFormat("0.00");
    s.Chart->Title().SetText({"Two lines", "of title"});
  });
}

TEST_F(CachedAndPaintedFrames, ThreeDimensionalView) {
  Compare("3D", [](scene::MainChart& s) { s.Chart->SetView3D(true); });
}

// Hundreds of decades on logarithmic axes: every power of the base is a label (all of them
// drawn, most on top of others), more labels than a frame of ordinary axes holds; the kept
// pictures of the second frame give the same image.
TEST_F(CachedAndPaintedFrames, LogarithmicAxesOverHundredsOfDecades) {
  for (const int32_t base : {10, 2}) {
    Compare("base " + std::to_string(base), [base](scene::MainChart& s) {
      for (chart::TChartAxis* axis : {&s.Chart->LeftAxis(), &s.Chart->BottomAxis()}) {
        axis->SetAxisRange(1e-300, 1e300);
        axis->SetLogarithmic(true);
        axis->SetLogarithmicBase(base);
      }
    });
  }
}
