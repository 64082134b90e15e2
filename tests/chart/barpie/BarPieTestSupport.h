#pragma once
#include <memory>
#include <string>

#include "chart/ChartClasses.h"
#include "chart/axes/TChartAxis.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/canvas/TView3DOptions.h"
#include "chart/panel/TChartLegend.h"
#include "chart/panel/TCustomChart.h"
#include "framework/controls/TForm.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TSurface.h"
#include "framework/streaming/FrameworkClasses.h"
#include "framework/streaming/TClassRegistry.h"

namespace chart::test {

/// A window that holds a chart and its series, for stored-layout round trips.
class TSeriesForm : public fw::TForm {
public:
  explicit TSeriesForm(fw::TComponent* owner = nullptr) : fw::TForm(owner) {}
  std::string ClassName() const override { return "TSeriesForm"; }
};

inline void RegisterSeriesForm() {
  fw::RegisterFrameworkClasses();
  RegisterChartClasses();
  fw::RegisterClass<TSeriesForm>("TSeriesForm").Inherits<fw::TForm>();
}

/// A white chart of a fixed size with its legend hidden; series are components of the form and
/// freed with it.
struct TSeriesChart {
  TSeriesForm Form;
  TChart* Chart;
  std::unique_ptr<fw::TBitmap> Image;

  explicit TSeriesChart(int32_t width = 400, int32_t height = 300) {
    Form.SetName("Form1");
    Chart = new TChart(&Form);
    Chart->SetName("Chart1");
    Chart->SetParent(&Form);
    Chart->SetBounds(0, 0, width, height);
    Chart->SetColor(fw::clWhite);
    Chart->SetView3D(false);
    Chart->Legend().SetVisible(false);
  }

  template <class S>
  S& Add(const std::string& name) {
    auto* s = new S(&Form);
    s->SetName(name);
    s->SetParentChart(Chart);
    return *s;
  }

  fw::TBitmap& Draw() {
    Image = std::make_unique<fw::TBitmap>(Chart->Width(), Chart->Height());
    Chart->DrawToCanvas(Image->Canvas(), Chart->GetPaintArea());
    return *Image;
  }

  fw::TColor At(int32_t x, int32_t y) const { return Image->Canvas().GetPixel(x, y); }

  /// Fixes both axes of a flat chart.
  void FixAxes(double xMin, double xMax, double yMin, double yMax) {
    Chart->BottomAxis().SetAxisRange(xMin, xMax);
    Chart->LeftAxis().SetAxisRange(yMin, yMax);
  }
};

}  // namespace chart::test
