#pragma once
// For Qt programs that show a chart: this header is the framework's one window to Qt (it
// includes <QWidget>); the engine's own headers stay free of Qt.
#include <memory>

#include <QWidget>

#include "framework/controls/TWinControl.h"
#include "framework/runtime/Exception.h"

namespace fw {

/// A Qt widget that shows a chart (any framework control that draws itself) in an ordinary Qt
/// Widgets program: add it to any QLayout or give it a parent. The chart fills the widget and
/// follows its size; mouse presses, moves, releases and the wheel reach the chart's own handlers
/// as in a form, so the chart's zoom, panning and wheel scrolling work unchanged.
///
///   auto* view = new fw::TChartWidget(std::make_unique<chart::TChart>());
///   chart::TChart& chart = view->Chart<chart::TChart>();
///   layout->addWidget(view);
///
/// The widget owns the chart. It must be freed before the QApplication (as every widget).
class TChartWidget : public QWidget {
public:
  /// Takes `chart` over (nullptr: empty until SetChart).
  explicit TChartWidget(std::unique_ptr<TWinControl> chart, QWidget* parent = nullptr);
  ~TChartWidget() override;
  TChartWidget(const TChartWidget&) = delete;
  TChartWidget& operator=(const TChartWidget&) = delete;

  /// The hosted chart; throws fw::Exception when the widget is empty.
  TWinControl& Control() const;
  bool HasChart() const { return mChart != nullptr; }
  /// The hosted chart as its class; throws fw::Exception when the widget is empty or holds
  /// another class.
  template <class T>
  T& Chart() const {
    auto* chart = dynamic_cast<T*>(&Control());
    if (!chart) throw Exception("The widget holds a chart of another class");
    return *chart;
  }

  /// Replaces the hosted chart: the new one shows at the widget's size, the old one is freed
  /// (references to it become invalid). nullptr leaves the widget empty.
  void SetChart(std::unique_ptr<TWinControl> chart);

  QSize sizeHint() const override { return {480, 320}; }
  QSize minimumSizeHint() const override { return {120, 80}; }

protected:
  void resizeEvent(QResizeEvent* event) override;

private:
  void FitChart();

  std::unique_ptr<TWinControl> mHost;   // the chart's parent control, shown by a child widget
  std::unique_ptr<TWinControl> mChart;
};

}  // namespace fw
