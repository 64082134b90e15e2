#include "chart/data/SeriesClasses.h"

#include "chart/canvas/TChartPen.h"
#include "chart/data/TChartSeries.h"
#include "chart/data/TChartValueList.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/data/TSeriesHost.h"
#include "chart/data/TSeriesMarks.h"
#include "framework/graphics/TFont.h"
#include "framework/streaming/TClassRegistry.h"

namespace chart {

namespace {

void RegisterValueLists() {
  fw::RegisterClass<TChartValueList>("TChartValueList")
      .Boolean("DateTime", &TChartValueList::DateTime, &TChartValueList::SetDateTime)
      .Default(false)
      .String("Name", &TChartValueList::Name, &TChartValueList::SetName)
      .Real("Multiplier", &TChartValueList::Multiplier, &TChartValueList::SetMultiplier)
      .Default(1)
      .Enumeration("Order", &TChartValueList::Order, &TChartValueList::SetOrder,
                   {"loNone", "loAscending", "loDescending"})
      .String("ValueSource", &TChartValueList::ValueSource, &TChartValueList::SetValueSource)
      .Default("");
}

void RegisterMarks() {
  fw::RegisterClass<TSeriesMarks>("TSeriesMarks")
      .Object("Arrow", &TSeriesMarks::Arrow)
      .Integer("ArrowLength", &TSeriesMarks::ArrowLength, &TSeriesMarks::SetArrowLength)
      .Color("BackColor", &TSeriesMarks::BackColor, &TSeriesMarks::SetBackColor)
      .Default(8454143)
      .Boolean("Clip", &TSeriesMarks::Clip, &TSeriesMarks::SetClip)
      .Default(false)
      .Object("Font", &TSeriesMarks::Font)
      .Object("Frame", &TSeriesMarks::Frame)
      .Enumeration("Style", &TSeriesMarks::Style, &TSeriesMarks::SetStyle,
                   {"smsValue", "smsPercent", "smsLabel", "smsLabelPercent", "smsLabelValue", "smsLegend",
                    "smsPercentTotal", "smsLabelPercentTotal", "smsXValue"})
      .Default(smsLabel)
      .Boolean("Transparent", &TSeriesMarks::Transparent, &TSeriesMarks::SetTransparent)
      .Default(false)
      .Boolean("Visible", &TSeriesMarks::Visible, &TSeriesMarks::SetVisible);
}

void RegisterSeriesCore() {
  fw::RegisterClass<TChartSeries>("TChartSeries")
      // A series block inside a chart's block belongs to that chart.
      .Parent(
          [](TChartSeries& s, fw::TComponent* parent) {
            if (auto* host = dynamic_cast<TSeriesHost*>(parent)) s.SetParentChart(host);
          },
          [](TChartSeries& s) -> fw::TComponent* { return dynamic_cast<fw::TComponent*>(s.ParentChart()); })
      .Boolean("Active", &TChartSeries::Active, &TChartSeries::SetActive)
      .Default(true)
      .Boolean("ColorEachPoint", &TChartSeries::ColorEachPoint, &TChartSeries::SetColorEachPoint)
      .Default(false)
      .String("ColorSource", &TChartSeries::ColorSource, &TChartSeries::SetColorSource)
      .Default("")
      .Enumeration("HorizAxis", &TChartSeries::HorizAxis, &TChartSeries::SetHorizAxis,
                   {"aTopAxis", "aBottomAxis", "aBothHorizAxis", "aCustomHorizAxis"})
      .Default(aBottomAxis)
      .Object("Marks", [](TChartSeries& s) -> TSeriesMarks& { return s.Marks(); })
      .String("PercentFormat", &TChartSeries::PercentFormat, &TChartSeries::SetPercentFormat)
      .Default("##0.## %")
      .Color("SeriesColor", &TChartSeries::SeriesColor, &TChartSeries::SetSeriesColor)
      .Boolean("ShowInLegend", &TChartSeries::ShowInLegend, &TChartSeries::SetShowInLegend)
      .Default(true)
      .String("Title", &TChartSeries::Title, &TChartSeries::SetTitle)
      .Default("")
      .String("ValueFormat", &TChartSeries::ValueFormat, &TChartSeries::SetValueFormat)
      .Default("#,##0.###")
      .Enumeration("VertAxis", &TChartSeries::VertAxis, &TChartSeries::SetVertAxis,
                   {"aLeftAxis", "aRightAxis", "aBothVertAxis", "aCustomVertAxis"})
      .Default(aLeftAxis)
      .String("XLabelsSource", &TChartSeries::XLabelsSource, &TChartSeries::SetXLabelsSource)
      .Default("")
      .Event("OnBeforeAdd", &TChartSeries::OnBeforeAdd)
      .Event("OnAfterAdd", &TChartSeries::OnAfterAdd)
      .Event("OnClearValues", &TChartSeries::OnClearValues)
      .Event("BeforeDrawValues", &TChartSeries::BeforeDrawValues)
      .Event("AfterDrawValues", &TChartSeries::AfterDrawValues)
      .Event("OnClick", &TChartSeries::OnClick)
      .Event("OnDblClick", &TChartSeries::OnDblClick)
      .Event("OnGetMarkText", &TChartSeries::OnGetMarkText);
}

}  // namespace

void RegisterSeriesClasses() {
  RegisterValueLists();
  RegisterMarks();
  RegisterSeriesCore();
  RegisterFastLineSeriesClass();
}

}  // namespace chart
