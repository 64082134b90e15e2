#include "framework/controls/TChartWidget.h"

#include <QResizeEvent>

#include "framework/controls/NativeControl.h"

namespace fw {

namespace {

// The parent control of the hosted chart: a windowed control without a form, shown by a plain
// child widget of the TChartWidget. It counts as shown without a parent of its own.
class THostControl : public TWinControl {
public:
  explicit THostControl(QWidget* parentWidget) {
    auto* widget = new QWidget(parentWidget);
    widget->setAttribute(Qt::WA_NoSystemBackground);
    detail::BindWidget(this, widget);
  }
  std::string ClassName() const override { return "THostControl"; }

protected:
  bool WidgetShown() const override { return Visible(); }
};

}  // namespace

TChartWidget::TChartWidget(std::unique_ptr<TWinControl> chart, QWidget* parent)
    : QWidget(parent), mHost(std::make_unique<THostControl>(this)) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  SetChart(std::move(chart));
}

TChartWidget::~TChartWidget() {
  // The chart's widget lies inside the host's: free the chart first, then the host.
  mChart.reset();
  mHost.reset();
}

TWinControl& TChartWidget::Control() const {
  if (!mChart) throw Exception("The widget holds no chart");
  return *mChart;
}

void TChartWidget::SetChart(std::unique_ptr<TWinControl> chart) {
  std::unique_ptr<TWinControl> old = std::move(mChart);
  mChart = std::move(chart);
  if (mChart) {
    mChart->SetParent(mHost.get());
    FitChart();
  }
  old.reset();
}

void TChartWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FitChart();
}

void TChartWidget::FitChart() {
  mHost->SetBounds(0, 0, width(), height());
  if (mChart) mChart->SetBounds(0, 0, width(), height());
}

}  // namespace fw
