#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWidget>

#include "chart/ChartStore.h"
#include "chart/axes/TChartAxis.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/panel/TCustomChart.h"
#include "framework/controls/NativeControl.h"
#include "framework/controls/TChartWidget.h"

using namespace chart;

namespace {

// A chart that reports when it is freed.
class TWatchedChart : public TChart {
public:
  explicit TWatchedChart(bool* freed) : mFreed(freed) {}
  ~TWatchedChart() override { *mFreed = true; }

private:
  bool* mFreed;
};

// A window with a label above a chart widget in a vertical layout: 2D, fixed axes, one line.
struct ChartInLayout : ::testing::Test {
  QWidget window;
  QVBoxLayout* layout = new QVBoxLayout(&window);
  fw::TChartWidget* view = new fw::TChartWidget(std::make_unique<TChart>());
  TChart& chart = view->Chart<TChart>();

  void SetUp() override {
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* label = new QLabel("above");
    label->setFixedHeight(40);
    layout->addWidget(label);
    layout->addWidget(view);
    chart.SetView3D(false);
    chart.Legend().SetVisible(false);
    chart.SetColor(fw::clWhite);
    chart.BottomAxis().SetAxisRange(0, 1000);
    chart.LeftAxis().SetAxisRange(-1000, 1000);
    auto* series = new TFastLineSeries(&chart);
    series->SetParentChart(&chart);
    series->SetSeriesColor(fw::clRed);
    for (int i = 0; i <= 10; ++i) series->AppendPoint(i * 100, 0, "", fw::clDefault);
    window.resize(600, 440);
    window.show();
    Settle();
  }

  static void Settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }
  QWidget* ChartWidget() const { return fw::detail::WidgetOf(&chart); }
};

TEST_F(ChartInLayout, TheChartFillsTheWidgetAndFollowsTheLayout) {
  EXPECT_EQ(chart.Width(), 600);
  EXPECT_EQ(chart.Height(), 400);
  EXPECT_EQ(ChartWidget()->size(), QSize(600, 400));
  EXPECT_EQ(ChartWidget()->mapTo(&window, QPoint(0, 0)), QPoint(0, 40));

  window.resize(800, 540);
  Settle();
  EXPECT_EQ(chart.Width(), 800);
  EXPECT_EQ(chart.Height(), 500);
  EXPECT_EQ(ChartWidget()->size(), QSize(800, 500));
}

TEST_F(ChartInLayout, TheWindowShowsTheChartsFrame) {
  const QImage shot = window.grab().toImage();
  // The white chart under the label, and its red line across the middle of the plot.
  EXPECT_EQ(shot.pixel(2, 40 + 2) & 0xFFFFFF, 0xFFFFFFu);
  bool red = false;
  for (int y = 40; y < shot.height(); ++y) red = red || (shot.pixel(300, y) & 0xFFFFFF) == 0xFF0000u;
  EXPECT_TRUE(red);
}

TEST_F(ChartInLayout, AMouseDragZoomsAndTheWheelScrolls) {
  int zooms = 0;
  chart.OnZoom = [&](fw::TComponent*) { ++zooms; };
  const double left = chart.BottomAxis().PixelToValue(150);
  const double right = chart.BottomAxis().PixelToValue(450);
  QTest::mousePress(ChartWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(150, 80));
  QTest::mouseMove(ChartWidget(), QPoint(300, 200));
  QTest::mouseRelease(ChartWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(450, 300));
  EXPECT_EQ(zooms, 1);
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Minimum(), left);
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Maximum(), right);

  // Dragging up and left undoes the zoom.
  QTest::mousePress(ChartWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
  QTest::mouseMove(ChartWidget(), QPoint(300, 200));
  QTest::mouseRelease(ChartWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 80));
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Minimum(), 0);
  EXPECT_DOUBLE_EQ(chart.BottomAxis().Maximum(), 1000);

  const double before = chart.LeftAxis().Minimum();
  QWheelEvent wheel(QPointF(200, 100), QPointF(ChartWidget()->mapToGlobal(QPoint(200, 100))), QPoint(),
                    QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(ChartWidget(), &wheel);
  EXPECT_NEAR(chart.LeftAxis().Minimum(), before + 0.03 * 2000, 1e-9);
}

TEST_F(ChartInLayout, ARightDragPans) {
  Settle();
  QTest::mousePress(ChartWidget(), Qt::RightButton, Qt::NoModifier, QPoint(300, 200));
  QTest::mouseMove(ChartWidget(), QPoint(200, 200));
  QTest::mouseRelease(ChartWidget(), Qt::RightButton, Qt::NoModifier, QPoint(200, 200));
  // Moving the mouse left shows what lies to the right.
  EXPECT_GT(chart.BottomAxis().Minimum(), 0);
  EXPECT_NEAR(chart.BottomAxis().Maximum() - chart.BottomAxis().Minimum(), 1000, 1e-9);
}

TEST_F(ChartInLayout, ALoadedChartReplacesTheOldOneAtTheWidgetsSize) {
  bool freed = false;
  view->SetChart(std::make_unique<TWatchedChart>(&freed));
  EXPECT_FALSE(freed);
  view->SetChart(LoadChartFromText("object Loaded: TChart\n  object S: TFastLineSeries\n  end\nend\n"));
  EXPECT_TRUE(freed);
  auto& loaded = view->Chart<TCustomChart>();
  EXPECT_EQ(loaded.Name(), "Loaded");
  EXPECT_EQ(loaded.SeriesCount(), 1);
  EXPECT_EQ(loaded.Width(), 600);
  EXPECT_EQ(loaded.Height(), 400);
  Settle();
  EXPECT_TRUE(fw::detail::WidgetOf(&loaded)->isVisible());

  // A bad layout throws before anything reaches the widget: the loaded chart stays.
  EXPECT_THROW(view->SetChart(LoadChartFromText("object X: TChart\n  Nothing = 1\nend\n")), fw::Exception);
  EXPECT_EQ(&view->Chart<TCustomChart>(), &loaded);
}

TEST(ChartWidget, AskingForTheWrongClassOrAnEmptyWidgetThrows) {
  fw::TChartWidget view(std::make_unique<TChart>());
  EXPECT_THROW(view.Chart<TFastLineSeries>(), fw::Exception);
  EXPECT_NO_THROW(view.Chart<TCustomChart>());
  view.SetChart(nullptr);
  EXPECT_FALSE(view.HasChart());
  EXPECT_THROW(view.Control(), fw::Exception);
}

}  // namespace
