// The main window on screens of 1, 1.5 and 2 device pixels per logical pixel: the chart's
// picture is made at the screen's ratio, made again when the window moves to another screen,
// and a click at a logical position finds the same point and axis at every ratio.
#include <gtest/gtest.h>

#include <QImage>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "app/Main.h"
#include "app/Simulation.h"
#include "framework/controls/TTimer.h"
#include "chart/axes/TChartAxis.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/data/TChartSeries.h"
#include "chart/panel/ChartMouseTypes.h"
#include "chart/panel/TCustomChart.h"
#include "framework/graphics/DevicePixels.h"
#include "framework/graphics/SurfaceAccess.h"
#include "framework/graphics/TBitmap.h"
#include "tests/framework/controls/ControlTestSupport.h"

using ctltest::W;

namespace {

struct MainWindowRatio : ::testing::Test {
  app::TForm1* form = nullptr;

  void SetUp() override {
    ASSERT_EQ(QGuiApplication::screens().size(), 3) << "the three test screens";
    app::Simulation() = app::TSimulation{};
    form = new app::TForm1(nullptr);
    form->AfterConstruction();
  }
  void TearDown() override { delete form; }

  /// Shows the window on screen i (0: ratio 1, 1: 1.5, 2: 2) and lets it paint.
  void ShowOn(int i) {
    QWidget* window = W(form)->window();
    QScreen* screen = QGuiApplication::screens()[i];
    if (!window->windowHandle()) window->winId();
    window->windowHandle()->setScreen(screen);
    window->move(screen->geometry().topLeft() + QPoint(20, 20));
    ASSERT_TRUE(ctltest::ShowActive(*form));
    QApplication::processEvents();
    ASSERT_EQ(W(form->Chart1)->devicePixelRatioF(), screen->devicePixelRatio());
  }
  /// One animation frame on the chart, painted.
  void Tick() {
    form->FormActivate(form);
    form->Timer1Timer(form->Timer1);
    W(form->Chart1)->repaint();
    QApplication::processEvents();
  }
  const QImage& WindowImage() { return *fw::SurfaceAccess::Image(form->Chart1->WindowSurface()); }
  double BitmapRatio() {
    fw::TBitmap* b = form->Chart1->Canvas().Bitmap();
    return b != nullptr ? b->DevicePixelRatio() : 0.0;
  }
};

TEST_F(MainWindowRatio, TheChartsPictureIsMadeAtTheScreensRatio) {
  const double ratios[] = {1.0, 1.5, 2.0};
  for (int i = 0; i < 3; ++i) {
    ShowOn(i);
    Tick();
    const double r = ratios[i];
    const int32_t w = form->Chart1->Width(), h = form->Chart1->Height();
    EXPECT_EQ(w, 961);
    EXPECT_EQ(WindowImage().size(), QSize(static_cast<int>(fw::DeviceSize(w, r)), static_cast<int>(fw::DeviceSize(h, r))))
        << r;
    EXPECT_EQ(BitmapRatio(), r);
    // The red curve is in the picture that reached the window.
    int red = 0;
    for (int y = 0; y < WindowImage().height(); y += 1)
      for (int x = 0; x < WindowImage().width(); x += 3) red += (WindowImage().pixel(x, y) & 0xFFFFFF) == 0xFF0000;
    EXPECT_GT(red, 100) << r;
  }
}

TEST_F(MainWindowRatio, MovingToAScreenOfAnotherRatioMakesThePictureAgain) {
  ShowOn(0);
  Tick();
  ASSERT_EQ(BitmapRatio(), 1.0);
  const QImage before = WindowImage().copy();
  // Nothing changed in the chart: only the move to the denser screen asks for a new frame.
  ShowOn(2);
  QApplication::processEvents();
  W(form->Chart1)->repaint();
  EXPECT_EQ(BitmapRatio(), 2.0);
  EXPECT_EQ(WindowImage().size(), before.size() * 2);
  // Every logical pixel of the old picture has its colour somewhere in its device block again
  // (the grid and the curve at the same places), and the texts are not the old ones enlarged.
  int agree = 0, blocks = 0;
  for (int y = 0; y < before.height(); y += 7)
    for (int x = 0; x < before.width(); x += 5) {
      ++blocks;
      const QRgb c = before.pixel(x, y);
      bool found = false;
      for (int dy = -1; dy <= 2 && !found; ++dy)
        for (int dx = -1; dx <= 2 && !found; ++dx) {
          const int X = 2 * x + dx, Y = 2 * y + dy;
          found = X >= 0 && Y >= 0 && X < WindowImage().width() && Y < WindowImage().height() &&
                  WindowImage().pixel(X, Y) == c;
        }
      agree += found;
    }
  EXPECT_GT(agree, blocks * 97 / 100);
  // Back to the plain screen: ratio 1 again.
  ShowOn(1);
  W(form->Chart1)->repaint();
  EXPECT_EQ(BitmapRatio(), 1.5);
  ShowOn(0);
  W(form->Chart1)->repaint();
  EXPECT_EQ(BitmapRatio(), 1.0);
  EXPECT_EQ(WindowImage().size(), before.size());
}

TEST_F(MainWindowRatio, AClickAtALogicalPositionHitsTheSamePointAndAxisOnEveryScreen) {
  int32_t clickedIndex = -1;
  chart::TCustomChartAxis* clickedAxis = nullptr;
  form->Chart1->OnClickSeries = [&](chart::TCustomChart*, chart::TChartSeries*, int32_t index, fw::TMouseButton,
                                    fw::TShiftState, int32_t, int32_t) { clickedIndex = index; };
  form->Chart1->OnClickAxis = [&](chart::TCustomChart*, chart::TCustomChartAxis* axis, fw::TMouseButton,
                                  fw::TShiftState, int32_t, int32_t) { clickedAxis = axis; };
  int32_t firstIndex = -1, ax = -1;
  for (int i = 0; i < 3; ++i) {
    ShowOn(i);
    app::Simulation() = app::TSimulation{};
    Tick();
    chart::TChartSeries& series = form->Chart1->SeriesAt(0);
    const QPoint onCurve(form->Chart1->BottomAxis().ValueToPixel(series.XValues().ValueAt(100)),
                         form->Chart1->LeftAxis().ValueToPixel(series.YValues().ValueAt(100)));
    clickedIndex = -1;
    QTest::mouseClick(W(form->Chart1), Qt::LeftButton, Qt::NoModifier, onCurve);
    QApplication::processEvents();
    ASSERT_NE(clickedIndex, -1) << "screen " << i;
    if (i == 0) firstIndex = clickedIndex;
    EXPECT_EQ(clickedIndex, firstIndex) << "screen " << i;
    // Over the left axis, left of the plot rectangle (found on the first screen).
    const fw::TRect plot = form->Chart1->PlotRect();
    const int32_t ay = (plot.Top + plot.Bottom) / 2;
    if (ax < 0)
      for (int32_t x = 0; x < plot.Left && ax < 0; ++x)
        if (form->Chart1->HitTestChart(x, ay).HitKind == chart::hkAxis) ax = x + 2;
    ASSERT_GE(ax, 0);
    clickedAxis = nullptr;
    QTest::mouseClick(W(form->Chart1), Qt::LeftButton, Qt::NoModifier, QPoint(ax, ay));
    QApplication::processEvents();
    EXPECT_EQ(clickedAxis, static_cast<chart::TCustomChartAxis*>(&form->Chart1->LeftAxis())) << "screen " << i;
  }
}

}  // namespace
