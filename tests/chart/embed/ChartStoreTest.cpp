#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "chart/ChartClasses.h"
#include "chart/ChartStore.h"
#include "chart/axes/TChartAxis.h"
#include "chart/data/TChartSeries.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/panel/TCustomChart.h"
#include "framework/streaming/FormException.h"
#include "framework/streaming/TClassRegistry.h"

using namespace chart;

namespace {

// A series that counts its living instances, to see what a failed read leaves behind.
class TCountedSeries : public TChartSeries {
public:
  explicit TCountedSeries(fw::TComponent* owner) : TChartSeries(owner) { ++Live; }
  ~TCountedSeries() override { --Live; }
  std::string ClassName() const override { return "TCountedSeries"; }
  static inline int Live = 0;
};

void RegisterCountedSeries() {
  RegisterChartClasses();
  fw::RegisterClass<TCountedSeries>("TCountedSeries").Inherits<TChartSeries>().Creatable();
}

const char* const kLayout =
    "object Chart1: TChart\n"
    "  Width = 500\n"
    "  Height = 300\n"
    "  Title.Text.Strings = (\n"
    "    'Two lines')\n"
    "  BottomAxis.Logarithmic = True\n"
    "  LeftAxis.Inverted = True\n"
    "  Legend.Visible = False\n"
    "  View3D = False\n"
    "  object Series1: TFastLineSeries\n"
    "    SeriesColor = clRed\n"
    "  end\n"
    "  object Series2: TFastLineSeries\n"
    "    SeriesColor = clBlue\n"
    "    Title = 'Second'\n"
    "  end\n"
    "end\n";

std::string TempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("swchart-store-" + std::to_string(::getpid()) + name)).string();
}

TEST(ChartStore, LoadBuildsTheChartWithItsSeries) {
  std::unique_ptr<TCustomChart> chart = LoadChartFromText(kLayout);
  EXPECT_EQ(chart->ClassName(), "TChart");
  EXPECT_EQ(chart->Name(), "Chart1");
  EXPECT_EQ(chart->Width(), 500);
  EXPECT_EQ(chart->Title().Text(), std::vector<std::string>{"Two lines"});
  EXPECT_TRUE(chart->BottomAxis().Logarithmic());
  EXPECT_TRUE(chart->LeftAxis().Inverted());
  EXPECT_FALSE(chart->View3D());
  ASSERT_EQ(chart->SeriesCount(), 2);
  EXPECT_EQ(chart->SeriesAt(0).Name(), "Series1");
  EXPECT_EQ(chart->SeriesAt(1).SeriesColor(), fw::clBlue);
  EXPECT_EQ(chart->SeriesAt(1).Title(), "Second");
  EXPECT_EQ(chart->SeriesAt(1).Owner(), chart.get());
  EXPECT_FALSE(chart->IsLoading());
}

TEST(ChartStore, SaveThenLoadGivesTheSameLayout) {
  // Built in code, written, read back and written again: the two texts agree.
  TChart chart;
  chart.SetName("Built");
  chart.Title().SetText({"Built in code", "second line"});
  chart.LeftAxis().SetAxisRange(-5, 5);
  chart.BottomAxis().SetInverted(true);
  chart.SetView3D(false);
  auto* series = new TFastLineSeries(&chart);
  series->SetName("Line");
  series->SetParentChart(&chart);
  series->SetSeriesColor(fw::clGreen);

  const std::string text = SaveChartToText(chart);
  EXPECT_NE(text.find("object Built: TChart"), std::string::npos) << text;
  EXPECT_NE(text.find("object Line: TFastLineSeries"), std::string::npos) << text;
  std::unique_ptr<TCustomChart> loaded = LoadChartFromText(text);
  EXPECT_EQ(SaveChartToText(*loaded), text);
  EXPECT_DOUBLE_EQ(loaded->LeftAxis().Minimum(), -5);
  EXPECT_TRUE(loaded->BottomAxis().Inverted());
  ASSERT_EQ(loaded->SeriesCount(), 1);
  EXPECT_EQ(loaded->SeriesAt(0).SeriesColor(), fw::clGreen);
}

TEST(ChartStore, FilesRoundTripAndMissingFilesAreRefused) {
  const std::string path = TempPath("a.layout");
  std::unique_ptr<TCustomChart> chart = LoadChartFromText(kLayout);
  SaveChartToFile(*chart, path);
  std::unique_ptr<TCustomChart> again = LoadChartFromFile(path);
  EXPECT_EQ(SaveChartToText(*again), SaveChartToText(*chart));
  std::remove(path.c_str());

  try {
    LoadChartFromFile(path);
    FAIL() << "a missing file was read";
  } catch (const fw::FormException& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot read the layout file " + path);
  }
  EXPECT_THROW(SaveChartToFile(*chart, "/nonexistent-folder/x.layout"), fw::FormException);
}

struct BadLayout {
  const char* Text;
  int Line;
  const char* Reason;
};

TEST(ChartStore, BadLayoutsNameTheLineAndTheFault) {
  const BadLayout cases[] = {
      {"object Chart1: TChart\n  Title.Colour = clRed\nend\n", 2, "Unknown property Chart1.Title.Colour"},
      {"object Chart1: TChart\n  View3D = Maybe\nend\n", 2, "True or False expected"},
      {"object Chart1: TChart\n  LeftAxis.LogarithmicBase = 1\nend\n", 2, "Axis Logarithmic Base should be >= 2"},
      {"object Chart1: TChart\n  object S: TNoSuchSeries\n  end\nend\n", 2, "Class TNoSuchSeries not found"},
      {"object Chart1: TChart\n  object S: TFastLineSeries\n    OnClick = Clicked\n  end\nend\n", 3,
       "Method Clicked"},
      {"object Chart1: TNoSuchChart\nend\n", 1, "Class TNoSuchChart not found"},
      {"object Edit1: TEdit\nend\n", 1, "TEdit is not a chart class"},
      {"object Chart1: TChart\n  Width = 10\n", 0, ""},  // ends too early: a parse error
  };
  for (const BadLayout& c : cases) {
    SCOPED_TRACE(c.Text);
    try {
      LoadChartFromText(c.Text);
      ADD_FAILURE() << "accepted";
    } catch (const fw::FormException& e) {
      const std::string message = e.what();
      if (c.Line > 0) {
        EXPECT_EQ(e.Line(), c.Line) << message;
        EXPECT_EQ(message.rfind("Line " + std::to_string(c.Line) + ": ", 0), 0u) << message;
        EXPECT_NE(message.find(c.Reason), std::string::npos) << message;
      } else {
        EXPECT_GT(e.Line(), 0) << message;
      }
    }
  }
}

TEST(ChartStore, AFailedLoadLeavesNothingBehind) {
  RegisterCountedSeries();
  const std::string good =
      "object Chart1: TChart\n"
      "  object A: TCountedSeries\n  end\n"
      "  object B: TCountedSeries\n  end\n"
      "end\n";
  {
    std::unique_ptr<TCustomChart> chart = LoadChartFromText(good);
    EXPECT_EQ(TCountedSeries::Live, 2);
  }
  EXPECT_EQ(TCountedSeries::Live, 0);

  std::string bad = good;
  bad.insert(bad.find("  object B"), "  object C: TCountedSeries\n    SeriesColor = 'red'\n  end\n");
  EXPECT_THROW(LoadChartFromText(bad), fw::FormException);
  EXPECT_EQ(TCountedSeries::Live, 0);
}

}  // namespace
