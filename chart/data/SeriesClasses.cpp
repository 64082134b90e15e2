// Published properties of the series core for the form reader and writer.
#include "chart/data/SeriesClasses.h"

#include <string>
#include <vector>

#include "chart/ChartConst.h"
#include "chart/canvas/TChartPen.h"
#include "chart/data/TChartSeries.h"
#include "chart/data/TChartValueList.h"
#include "chart/data/TSeriesMarks.h"
#include "chart/functions/TChartFunction.h"
#include "chart/panel/TChartFontObject.h"
#include "framework/graphics/TFont.h"
#include "framework/streaming/TClassRegistry.h"

namespace chart {

namespace {

void RegisterValueListClass() {
  fw::RegisterClass<TChartValueList>("TChartValueList")
      .Boolean("DateTime", &TChartValueList::DateTime, &TChartValueList::SetDateTime)
      .String("Name", &TChartValueList::Name, &TChartValueList::SetName)
      .Real("Multiplier", &TChartValueList::Multiplier, &TChartValueList::SetMultiplier)
      .Default(1.0)  // the constructor's; a multiplier of 0 is then written and read back
      .Enumeration("Order", &TChartValueList::Order, &TChartValueList::SetOrder,
                   {"loNone", "loAscending", "loDescending"})
      .String("ValueSource", &TChartValueList::ValueSource, &TChartValueList::SetValueSource)
      .Default("");
}

void RegisterMarksClass() {
  fw::RegisterClass<TSeriesMarks>("TSeriesMarks")
      .Object("Arrow", &TSeriesMarks::Arrow)
      .Integer("ArrowLength", &TSeriesMarks::ArrowLength, &TSeriesMarks::SetArrowLength)
      .Default(8)
      .Color("BackColor", &TSeriesMarks::BackColor, &TSeriesMarks::SetBackColor)
      .Default(8454143)
      .Boolean("Clip", &TSeriesMarks::Clip, &TSeriesMarks::SetClip)
      .Default(false)
      .Object("Font", &TSeriesMarks::Font)
      .Stored([](TSeriesMarks& m) { return !IsChartDefaultFont(m.Font()); })
      .Object("Frame", &TSeriesMarks::Frame)
      .Enumeration("Style", &TSeriesMarks::Style, &TSeriesMarks::SetStyle,
                   {"smsValue", "smsPercent", "smsLabel", "smsLabelPercent", "smsLabelValue", "smsLegend",
                    "smsPercentTotal", "smsLabelPercentTotal", "smsXValue"})
      .Default(smsLabel)
      .Boolean("Transparent", &TSeriesMarks::Transparent, &TSeriesMarks::SetTransparent)
      .Default(false)
      .Boolean("Visible", &TSeriesMarks::Visible, &TSeriesMarks::SetVisible);
}

std::vector<std::string> DataSourceNames(const TChartSeries& series) {
  std::vector<std::string> names;
  for (const fw::TComponent* source : series.DataSources()) names.push_back(source->Name());
  return names;
}

void RegisterSeriesClass() {
  fw::RegisterClass<TChartSeries>("TChartSeries")
      .Parent([](TChartSeries& s, fw::TComponent* parent) { s.SetParentChart(dynamic_cast<TSeriesHost*>(parent)); },
              [](TChartSeries& s) -> fw::TComponent* { return dynamic_cast<fw::TComponent*>(s.ParentChart()); })
      .Boolean("Active", &TChartSeries::Active, &TChartSeries::SetActive)
      .Default(true)
      .Boolean("ColorEachPoint", &TChartSeries::ColorEachPoint, &TChartSeries::SetColorEachPoint)
      .Default(false)
      .String("ColorSource", &TChartSeries::ColorSource, &TChartSeries::SetColorSource)
      .Default("")
      .Integer("Cursor", &TChartSeries::Cursor, &TChartSeries::SetCursor)
      .Default(0)
      .Component("DataSource", &TChartSeries::DataSource, &TChartSeries::SetDataSource)
      .StringList("DataSources", DataSourceNames, &TChartSeries::SetPendingDataSourceNames)
      .Stored([](TChartSeries& s) { return s.DataSources().size() > 1; })
      // The function's class first, then its settings as a sub-object (absent without one).
      .String("FunctionType", &TChartSeries::FunctionType, &TChartSeries::SetFunctionType)
      .Default("")
      .Object("Function", &TChartSeries::Function)
      .Enumeration("HorizAxis", &TChartSeries::HorizAxis, &TChartSeries::SetHorizAxis,
                   {"aTopAxis", "aBottomAxis", "aBothHorizAxis", "aCustomHorizAxis"})
      .Default(aBottomAxis)
      .String("Identifier", &TChartSeries::Identifier, &TChartSeries::SetIdentifier)
      .Default("")
      .Object("Marks", static_cast<TSeriesMarks& (TChartSeries::*)()>(&TChartSeries::Marks))
      .String("PercentFormat", &TChartSeries::PercentFormat, &TChartSeries::SetPercentFormat)
      .Default(ChartConst::DefaultPercentFormat)
      .Color("SeriesColor", &TChartSeries::SeriesColor, &TChartSeries::SetSeriesColor)
      .Default(fw::clDefault)
      .Boolean("ShowInLegend", &TChartSeries::ShowInLegend, &TChartSeries::SetShowInLegend)
      .Default(true)
      .Integer("Style", &TChartSeries::Style, &TChartSeries::SetStyle)
      .Range(0, 0x3F)  // the six style flags
      .Default(0)
      .String("Title", &TChartSeries::Title, &TChartSeries::SetTitle)
      .Default("")
      .String("ValueFormat", &TChartSeries::ValueFormat, &TChartSeries::SetValueFormat)
      .Default(ChartConst::DefaultValueFormat)
      .Enumeration("VertAxis", &TChartSeries::VertAxis, &TChartSeries::SetVertAxis,
                   {"aLeftAxis", "aRightAxis", "aBothVertAxis", "aCustomVertAxis"})
      .Default(aLeftAxis)
      .String("XLabelsSource", &TChartSeries::XLabelsSource, &TChartSeries::SetXLabelsSource)
      .Default("")
      .Event("AfterDrawValues", &TChartSeries::AfterDrawValues)
      .Event("BeforeDrawValues", &TChartSeries::BeforeDrawValues)
      .Event("OnAfterAdd", &TChartSeries::OnAfterAdd)
      .Event("OnBeforeAdd", &TChartSeries::OnBeforeAdd)
      .Event("OnClearValues", &TChartSeries::OnClearValues)
      .Event("OnClick", &TChartSeries::OnClick)
      .Event("OnDblClick", &TChartSeries::OnDblClick)
      .Event("OnGetMarkText", &TChartSeries::OnGetMarkText);
}

}  // namespace

void RegisterFunctionClass() {
  fw::RegisterClass<TChartFunction>("TChartFunction")
      .Integer("Period", &TChartFunction::Period, &TChartFunction::SetPeriod)
      .Default(0)
      .Enumeration("PeriodAlign", &TChartFunction::PeriodAlign, &TChartFunction::SetPeriodAlign,
                   {"paFirst", "paCenter", "paLast"})
      .Default(paCenter);
}

void RegisterSeriesClasses() {
  RegisterFunctionClass();
  RegisterValueListClass();
  RegisterMarksClass();
  RegisterSeriesClass();
}

}  // namespace chart
