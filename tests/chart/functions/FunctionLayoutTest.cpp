#include <gtest/gtest.h>

#include <string>

#include "chart/ChartClasses.h"
#include "chart/ChartConst.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/functions/TChartFunction.h"
#include "chart/panel/TCustomChart.h"
#include "framework/controls/TComponent.h"
#include "framework/controls/TForm.h"
#include "framework/streaming/FormException.h"
#include "framework/streaming/FrameworkClasses.h"
#include "framework/streaming/TClassRegistry.h"
#include "framework/streaming/TFormReader.h"
#include "framework/streaming/TFormWriter.h"

namespace chart::test {
namespace {

class TFunctionForm : public fw::TForm {
public:
  using fw::TForm::TForm;
  std::string ClassName() const override { return "TFunctionForm"; }
};

void RegisterClasses() {
  fw::RegisterFrameworkClasses();
  RegisterChartClasses();
  fw::RegisterClass<TFunctionForm>("TFunctionForm").Inherits<fw::TForm>();
}

const char* const kLayout =
    "object Form: TFunctionForm\n"
    "  object Chart1: TChart\n"
    "    object Series1: TFastLineSeries\n"
    "    end\n"
    "    object Series2: TFastLineSeries\n"
    "    end\n"
    "    object Sum: TFastLineSeries\n"
    "      DataSources = (\n"
    "        'Series1'\n"
    "        'Series2')\n"
    "      FunctionType = 'TAddFunction'\n"
    "    end\n"
    "    object Mean: TFastLineSeries\n"
    "      DataSource = Series1\n"
    "      FunctionType = 'TAverageFunction'\n"
    "      Function.Period = 5\n"
    "      Function.PeriodAlign = paLast\n"
    "    end\n"
    "    object Copy: TFastLineSeries\n"
    "      DataSource = Mean\n"
    "    end\n"
    "  end\n"
    "end\n";

TChartSeries& SeriesNamed(fw::TComponent& form, const std::string& name) {
  auto* s = dynamic_cast<TChartSeries*>(form.FindComponent(name));
  if (!s) throw std::runtime_error("no series " + name);
  return *s;
}

TEST(FunctionLayout, ReadWriteReadGivesTheSameObjects) {
  RegisterClasses();
  TFunctionForm first(nullptr);
  fw::TFormReader::ReadRoot(first, kLayout);
  TChartSeries& sum = SeriesNamed(first, "Sum");
  TChartSeries& mean = SeriesNamed(first, "Mean");
  ASSERT_NE(sum.Function(), nullptr);
  ASSERT_NE(mean.Function(), nullptr);
  EXPECT_EQ(sum.FunctionType(), "TAddFunction");
  EXPECT_EQ(sum.DataSources().size(), 2u);
  EXPECT_EQ(sum.Function()->Period(), 0);
  EXPECT_EQ(sum.Function()->PeriodAlign(), paCenter);
  EXPECT_EQ(mean.FunctionType(), "TAverageFunction");
  EXPECT_EQ(mean.Function()->Period(), 5);
  EXPECT_EQ(mean.Function()->PeriodAlign(), paLast);
  EXPECT_EQ(mean.DataSource(), &SeriesNamed(first, "Series1"));
  EXPECT_EQ(SeriesNamed(first, "Copy").Function(), nullptr);

  // Points added after loading flow through the functions and into the copy.
  TChartSeries& s1 = SeriesNamed(first, "Series1");
  TChartSeries& s2 = SeriesNamed(first, "Series2");
  for (int i = 0; i < 10; ++i) {
    s1.AppendPoint(i, i, "", fw::clDefault);
    s2.AppendPoint(i, 100, "", fw::clDefault);
  }
  auto& chart = dynamic_cast<TChart&>(*first.FindComponent("Chart1"));
  chart.RefreshOutdatedSeries();
  EXPECT_EQ(sum.PointCount(), 10);
  EXPECT_DOUBLE_EQ(sum.YValueOf(3), 103);
  ASSERT_EQ(mean.PointCount(), 2);
  EXPECT_DOUBLE_EQ(mean.YValueOf(1), 7);
  EXPECT_DOUBLE_EQ(mean.XValueOf(1), 9);
  EXPECT_EQ(SeriesNamed(first, "Copy").PointCount(), 2);

  const std::string written = fw::TFormWriter::Write(first);
  EXPECT_NE(written.find("FunctionType = 'TAddFunction'"), std::string::npos) << written;
  EXPECT_NE(written.find("Function.Period = 5"), std::string::npos) << written;
  EXPECT_NE(written.find("Function.PeriodAlign = paLast"), std::string::npos) << written;
  EXPECT_EQ(written.find("Function.PeriodAlign = paCenter"), std::string::npos) << written;

  TFunctionForm second(nullptr);
  fw::TFormReader::ReadRoot(second, written);
  EXPECT_EQ(fw::TFormWriter::Write(second), written);
  EXPECT_EQ(SeriesNamed(second, "Mean").Function()->Period(), 5);
  EXPECT_EQ(SeriesNamed(second, "Sum").DataSources().size(), 2u);
}

TEST(FunctionLayout, BadLayoutsAreRefusedWithTheLine) {
  RegisterClasses();
  struct TBad {
    std::string Replace, By;
    int Line;
  };
  const std::vector<TBad> cases = {
      {"FunctionType = 'TAverageFunction'", "FunctionType = 'TMedianFunction'", 15},
      {"Function.Period = 5", "Function.Period = -5", 16},
      {"Function.PeriodAlign = paLast", "Function.PeriodAlign = paMiddle", 17},
      // Settings of a function the series does not have.
      {"FunctionType = 'TAverageFunction'", "Title = 'Mean'", 16},
  };
  for (const TBad& bad : cases) {
    SCOPED_TRACE(bad.By);
    std::string text = kLayout;
    text.replace(text.find(bad.Replace), bad.Replace.size(), bad.By);
    TFunctionForm form(nullptr);
    try {
      fw::TFormReader::ReadRoot(form, text);
      ADD_FAILURE() << "the layout was taken";
    } catch (const fw::FormException& e) {
      EXPECT_EQ(e.Line(), bad.Line) << e.what();
    }
    EXPECT_EQ(form.ComponentCount(), 0);
  }
}

TEST(FunctionLayout, CircularSourcesAreRefused) {
  RegisterClasses();
  for (const char* cycle : {"    object Copy: TFastLineSeries\n      DataSource = Mean\n",
                            "    object Copy: TFastLineSeries\n      DataSources = (\n        'Mean'\n        'Copy')\n"}) {
    SCOPED_TRACE(cycle);
    std::string text = kLayout;
    // Series1 takes its data from Copy, which takes it from Mean, which takes it from Series1.
    const std::string first = "    object Series1: TFastLineSeries\n";
    text.replace(text.find(first), first.size(), first + "      DataSource = Copy\n");
    const std::string copy = "    object Copy: TFastLineSeries\n      DataSource = Mean\n";
    text.replace(text.find(copy), copy.size(), cycle);
    TFunctionForm form(nullptr);
    try {
      fw::TFormReader::ReadRoot(form, text);
      ADD_FAILURE() << "a circular layout was taken";
    } catch (const fw::FormException& e) {
      EXPECT_NE(std::string(e.what()).find(ChartConst::CircularSeriesDependences), std::string::npos) << e.what();
      // The error names a line of the layout that takes part in the cycle.
      ASSERT_GT(e.Line(), 0) << e.what();
      std::string line;
      size_t at = 0;
      for (int n = 1; n < e.Line(); ++n) at = text.find('\n', at) + 1;
      line = text.substr(at, text.find('\n', at) - at);
      EXPECT_TRUE(line.find("Series1") != std::string::npos || line.find("Copy") != std::string::npos ||
                  line.find("Mean") != std::string::npos)
          << e.what() << " / " << line;
    }
    EXPECT_EQ(form.ComponentCount(), 0);
  }
}

}  // namespace
}  // namespace chart::test
