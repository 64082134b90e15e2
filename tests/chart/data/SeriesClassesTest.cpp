#include <gtest/gtest.h>

#include <string>

#include "chart/ChartClasses.h"
#include "chart/data/SeriesClasses.h"
#include "chart/data/TChartSeries.h"
#include "chart/data/TSeriesMarks.h"
#include "framework/controls/TComponent.h"
#include "framework/streaming/FormException.h"
#include "framework/streaming/FrameworkClasses.h"
#include "framework/streaming/TClassRegistry.h"
#include "framework/streaming/TFormReader.h"
#include "framework/streaming/TFormWriter.h"
#include "tests/chart/data/FakeSeriesHost.h"

namespace chart::test {
namespace {

class TLayoutRoot : public fw::TComponent {
public:
  using fw::TComponent::TComponent;
  std::string ClassName() const override { return "TLayoutRoot"; }
};

// A chart stand-in that the reader can create and nest series in.
class TLayoutChart : public fw::TComponent, public FakeSeriesHost {
public:
  explicit TLayoutChart(fw::TComponent* owner) : fw::TComponent(owner) {}
  ~TLayoutChart() override {
    while (!Series.empty()) Series.front()->SetParentChart(nullptr);
  }
  std::string ClassName() const override { return "TLayoutChart"; }
};

// Series types publish their value lists; this one does just that.
class TLayoutSeries : public TChartSeries {
public:
  using TChartSeries::TChartSeries;
  std::string ClassName() const override { return "TLayoutSeries"; }
};

void RegisterLayoutClasses() {
  fw::RegisterFrameworkClasses();
  RegisterSeriesClasses();
  fw::RegisterClass<TLayoutRoot>("TLayoutRoot");
  fw::RegisterClass<TLayoutChart>("TLayoutChart").Creatable();
  fw::RegisterClass<TLayoutSeries>("TLayoutSeries")
      .Inherits<TChartSeries>()
      .Creatable()
      .Object("XValues", static_cast<TChartValueList& (TChartSeries::*)()>(&TChartSeries::XValues))
      .Object("YValues", static_cast<TChartValueList& (TChartSeries::*)()>(&TChartSeries::YValues));
}

const char* const kLayout =
    "object Root: TLayoutRoot\n"
    "  object Chart1: TLayoutChart\n"
    "    object Series1: TLayoutSeries\n"
    "      Marks.ArrowLength = 12\n"
    "      Marks.Visible = True\n"
    "      Marks.Style = smsValue\n"
    "      SeriesColor = clRed\n"
    "      Title = 'Wave'\n"
    "      HorizAxis = aTopAxis\n"
    "      ValueFormat = '0.0'\n"
    "      XValues.DateTime = True\n"
    "      XValues.Name = 'X'\n"
    "      XValues.Multiplier = 1\n"
    "      XValues.Order = loAscending\n"
    "      YValues.DateTime = False\n"
    "      YValues.Name = 'Y'\n"
    "      YValues.Multiplier = 2.5\n"
    "      YValues.Order = loDescending\n"
    "    end\n"
    "    object Series2: TLayoutSeries\n"
    "      Active = False\n"
    "      DataSource = Series1\n"
    "    end\n"
    "  end\n"
    "end\n";

TEST(SeriesClasses, ReaderBuildsSeriesInsideTheirChart) {
  RegisterLayoutClasses();
  TLayoutRoot root;
  fw::TFormReader::ReadRoot(root, kLayout);
  auto* chart = dynamic_cast<TLayoutChart*>(root.FindComponent("Chart1"));
  auto* s1 = dynamic_cast<TLayoutSeries*>(root.FindComponent("Series1"));
  auto* s2 = dynamic_cast<TLayoutSeries*>(root.FindComponent("Series2"));
  ASSERT_NE(chart, nullptr);
  ASSERT_NE(s1, nullptr);
  ASSERT_NE(s2, nullptr);

  EXPECT_EQ(s1->ParentChart(), static_cast<TSeriesHost*>(chart));
  EXPECT_EQ(chart->Series.size(), 2u);
  EXPECT_EQ(s1->ResolvedHorizAxis(), chart->Axis(sarTopAxis));
  EXPECT_EQ(s1->SeriesColor(), fw::clRed);
  EXPECT_EQ(s1->Title(), "Wave");
  EXPECT_EQ(s1->ValueFormat(), "0.0");
  EXPECT_EQ(s1->PercentFormat(), "##0.## %");
  EXPECT_EQ(s1->Marks().ArrowLength(), 12);
  EXPECT_TRUE(s1->Marks().Visible());
  EXPECT_EQ(s1->Marks().Style(), smsValue);
  EXPECT_TRUE(s1->XValues().DateTime());
  EXPECT_EQ(s1->YValues().Multiplier(), 2.5);
  EXPECT_EQ(s1->YValues().Order(), loDescending);
  EXPECT_FALSE(s1->IsLoading());

  EXPECT_FALSE(s2->Active());
  EXPECT_EQ(s2->DataSource(), s1);
  EXPECT_GE(chart->Refreshes, 1);  // the chart refreshed the dependent once loading ended
  s1->AppendPoint(1, 2, "", fw::clDefault);
  EXPECT_EQ(s2->PointCount(), 1);
}

// A multiplier of 0 is written and read back; one of 1, the constructor's, is left out.
TEST(SeriesClasses, MultipliersOfZeroAndOneSurviveWritingAndReading) {
  RegisterLayoutClasses();
  RegisterChartClasses();  // the pens of the marks, for writing
  std::string layout = kLayout;
  const std::string from = "YValues.Multiplier = 2.5", to = "YValues.Multiplier = 0";
  layout.replace(layout.find(from), from.size(), to);
  TLayoutRoot first;
  fw::TFormReader::ReadRoot(first, layout);
  const std::string written = fw::TFormWriter::Write(first);
  EXPECT_NE(written.find("YValues.Multiplier = 0"), std::string::npos) << written;
  EXPECT_EQ(written.find("XValues.Multiplier"), std::string::npos) << written;
  TLayoutRoot second;
  fw::TFormReader::ReadRoot(second, written);
  auto* series = dynamic_cast<TLayoutSeries*>(second.FindComponent("Series1"));
  ASSERT_NE(series, nullptr);
  EXPECT_EQ(series->YValues().Multiplier(), 0);
  EXPECT_EQ(series->XValues().Multiplier(), 1);
  EXPECT_EQ(fw::TFormWriter::Write(second), written);
}

TEST(SeriesClasses, UnknownOrderIsAnErrorNamingTheLine) {
  RegisterLayoutClasses();
  TLayoutRoot root;
  std::string text = kLayout;
  text.replace(text.find("loDescending"), 12, "loSideways");
  EXPECT_THROW(fw::TFormReader::ReadRoot(root, text), fw::FormException);
  EXPECT_EQ(root.ComponentCount(), 0);
}

// Style holds six flags: a stored value with other bits is refused at its line, not masked.
TEST(SeriesClasses, StyleOutsideItsFlagsIsRefusedWithTheLine) {
  RegisterLayoutClasses();
  for (const char* style : {"64", "-1", "2147483647"}) {
    TLayoutRoot root;
    std::string text = kLayout;
    const std::string title = "      Title = 'Wave'\n";
    text.replace(text.find(title), title.size(), title + "      Style = " + style + "\n");
    try {
      fw::TFormReader::ReadRoot(root, text);
      ADD_FAILURE() << style;
    } catch (const fw::FormException& e) {
      EXPECT_EQ(e.Line(), 9) << e.what();
    }
    EXPECT_EQ(root.ComponentCount(), 0);
  }
  TLayoutRoot root;
  std::string text = kLayout;
  text.replace(text.find("      Title = 'Wave'\n"), 0, "      Style = 63\n");
  fw::TFormReader::ReadRoot(root, text);
  EXPECT_EQ(dynamic_cast<TChartSeries*>(root.FindComponent("Series1"))->Style(), 63u);
}

}  // namespace
}  // namespace chart::test
