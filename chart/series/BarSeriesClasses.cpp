// Published properties of the bar series for the form reader and writer.
#include "chart/series/BarSeriesClasses.h"

#include "chart/canvas/TChartPen.h"
#include "chart/data/TChartValueList.h"
#include "chart/panel/TChartBrush.h"
#include "chart/series/TBarSeries.h"
#include "chart/series/THorizBarSeries.h"
#include "framework/streaming/TClassRegistry.h"

namespace chart {

void RegisterBarSeriesClasses() {
  using TValueListGetter = TChartValueList& (TChartSeries::*)();
  fw::RegisterClass<TCustomBarSeries>("TCustomBarSeries")
      .Inherits<TChartSeries>()
      .Boolean("AutoMarkPosition", &TCustomBarSeries::AutoMarkPosition, &TCustomBarSeries::SetAutoMarkPosition)
      .Default(true)
      .Object("BarBrush", &TCustomBarSeries::BarBrush)
      .Object("BarPen", &TCustomBarSeries::BarPen)
      .Enumeration("BarStyle", &TCustomBarSeries::BarStyle, &TCustomBarSeries::SetBarStyle,
                   {"bsRectangle", "bsPyramid", "bsInvPyramid", "bsCylinder", "bsEllipse", "bsCone", "bsArrow",
                    "bsRectGradient"})
      .Default(bsRectangle)
      .Integer("BarWidthPercent", &TCustomBarSeries::BarWidthPercent, &TCustomBarSeries::SetBarWidthPercent)
      .Default(70)
      .Boolean("Dark3D", &TCustomBarSeries::Dark3D, &TCustomBarSeries::SetDark3D)
      .Default(true)
      .Enumeration("MultiBar", &TCustomBarSeries::MultiBar, &TCustomBarSeries::SetMultiBar,
                   {"mbNone", "mbSide", "mbStacked", "mbStacked100"})
      .Default(mbSide)
      .Integer("OffsetPercent", &TCustomBarSeries::OffsetPercent, &TCustomBarSeries::SetOffsetPercent)
      .Default(0)
      .Boolean("SideMargins", &TCustomBarSeries::SideMargins, &TCustomBarSeries::SetSideMargins)
      .Default(true)
      .Boolean("UseYOrigin", &TCustomBarSeries::UseYOrigin, &TCustomBarSeries::SetUseYOrigin)
      .Default(true)
      .Object("XValues", static_cast<TValueListGetter>(&TChartSeries::XValues))
      .Object("YValues", static_cast<TValueListGetter>(&TChartSeries::YValues))
      .Real("YOrigin", &TCustomBarSeries::YOrigin, &TCustomBarSeries::SetYOrigin)
      .Default(0.0);
  fw::RegisterClass<TBarSeries>("TBarSeries").Inherits<TCustomBarSeries>().Creatable();
  fw::RegisterClass<THorizBarSeries>("THorizBarSeries").Inherits<TCustomBarSeries>().Creatable();
}

}  // namespace chart
