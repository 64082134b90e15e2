#include "chart/ChartStore.h"

#include <fstream>
#include <sstream>

#include "chart/ChartClasses.h"
#include "chart/ChartConst.h"
#include "chart/panel/TCustomChart.h"
#include "framework/streaming/FormException.h"
#include "framework/streaming/TClassRegistry.h"
#include "framework/streaming/TFormParser.h"
#include "framework/streaming/TFormReader.h"
#include "framework/streaming/TFormWriter.h"

namespace chart {

namespace {

std::string WithName(const char* format, const std::string& name) {
  std::string text = format;
  const auto at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, name);
  return text;
}

// A new chart of the class the layout's root block names; the caller reads the layout into it.
std::unique_ptr<TCustomChart> CreateRootChart(const fw::TFormObject& root) {
  const fw::TClassInfo* info = fw::TClassRegistry::Instance().FindByName(root.ClassName);
  if (!info) throw fw::FormException(root.Line, WithName(ChartConst::LayoutClassNotFound, root.ClassName));
  if (!info->IsComponentClass() || !info->CanCreate())
    throw fw::FormException(root.Line, WithName(ChartConst::LayoutNotAChart, root.ClassName));
  std::unique_ptr<fw::TComponent> component(info->Create(nullptr));
  auto* chart = dynamic_cast<TCustomChart*>(component.get());
  if (!chart) throw fw::FormException(root.Line, WithName(ChartConst::LayoutNotAChart, root.ClassName));
  component.release();
  return std::unique_ptr<TCustomChart>(chart);
}

}  // namespace

std::unique_ptr<TCustomChart> LoadChartFromText(const std::string& text) {
  RegisterChartClasses();
  const fw::TFormObject root = fw::TFormParser::Parse(text);
  std::unique_ptr<TCustomChart> chart = CreateRootChart(root);
  // On failure the reader frees the series it made; the chart itself goes with the unique_ptr.
  fw::TFormReader::ReadRoot(*chart, text);
  return chart;
}

std::unique_ptr<TCustomChart> LoadChartFromFile(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  std::ostringstream text;
  if (file) text << file.rdbuf();
  if (!file || file.bad()) throw fw::FormException(0, WithName(ChartConst::LayoutFileNotReadable, fileName));
  return LoadChartFromText(text.str());
}

std::string SaveChartToText(TCustomChart& chart) {
  RegisterChartClasses();
  return fw::TFormWriter::Write(chart);
}

void SaveChartToFile(TCustomChart& chart, const std::string& fileName) {
  const std::string text = SaveChartToText(chart);
  std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
  if (file) file << text;
  if (!file || !file.flush()) throw fw::FormException(0, WithName(ChartConst::LayoutFileNotWritable, fileName));
}

}  // namespace chart
