// The series gallery: the "Standard" page, a further page, creation by name, the layout reader
// creating every registered type, and the stored-layout round trip of the series' properties.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "chart/ChartClasses.h"
#include "chart/ChartException.h"
#include "chart/canvas/TChartPen.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/panel/TChartBrush.h"
#include "chart/panel/TCustomChart.h"
#include "chart/series/StandardSeries.h"
#include "chart/series/TAreaSeries.h"
#include "chart/series/TLineSeries.h"
#include "chart/series/TPointSeries.h"
#include "chart/series/TSeriesGallery.h"
#include "chart/series/TSeriesPointer.h"
#include "framework/controls/TForm.h"
#include "framework/streaming/FormException.h"
#include "framework/streaming/FrameworkClasses.h"
#include "framework/streaming/TClassRegistry.h"
#include "framework/streaming/TFormReader.h"
#include "framework/streaming/TFormWriter.h"

using namespace chart;

namespace {

class TGalleryForm : public fw::TForm {
public:
  using fw::TForm::TForm;
  std::string ClassName() const override { return "TGalleryForm"; }
};

// A series type of a further gallery page, as the functions' page registers its own.
class TGalleryTestSeries : public TLineSeries {
public:
  using TLineSeries::TLineSeries;
  std::string ClassName() const override { return "TGalleryTestSeries"; }
};

void RegisterAll() {
  fw::RegisterFrameworkClasses();
  RegisterChartClasses();
  fw::RegisterClass<TGalleryForm>("TGalleryForm").Inherits<fw::TForm>();
}

struct TExpectedEntry {
  const char* ClassName;
  const char* Title;
  int32_t Count;
};

// The page as it reads once every type of it is built; a type not registered yet is left out.
const std::vector<TExpectedEntry> StandardPage{
    {"TLineSeries", "Line", 2},   {"TBarSeries", "Bar", 2}, {"THorizBarSeries", "Horiz. Bar", 2},
    {"TAreaSeries", "Area", 2},   {"TPointSeries", "Point", 2}, {"TPieSeries", "Pie", 1},
    {"TFastLineSeries", "Fast Line", 2}};

bool Registered(const std::string& className) {
  const fw::TClassInfo* info = fw::TClassRegistry::Instance().FindByName(className);
  return info && info->CanCreate();
}

}  // namespace

TEST(SeriesGallery, StandardPageListsTheTypesInOrderWithTitlesAndCounts) {
  RegisterAll();
  const std::vector<std::string> pages = GalleryPages();
  ASSERT_FALSE(pages.empty());
  EXPECT_EQ(pages.front(), "Standard");

  std::vector<TExpectedEntry> expected;
  for (const TExpectedEntry& e : StandardPage)
    if (Registered(e.ClassName)) expected.push_back(e);
  const std::vector<TSeriesGalleryEntry> entries = GalleryEntries("Standard");
  ASSERT_EQ(entries.size(), expected.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].ClassName, expected[i].ClassName) << i;
    EXPECT_EQ(entries[i].Title, expected[i].Title) << i;
    EXPECT_EQ(entries[i].GalleryCount, expected[i].Count) << i;
    EXPECT_EQ(entries[i].Page, "Standard");
  }
  for (const char* mine : {"TLineSeries", "TBarSeries", "THorizBarSeries", "TAreaSeries", "TPointSeries", "TPieSeries",
                           "TFastLineSeries"})
    EXPECT_TRUE(std::any_of(entries.begin(), entries.end(), [&](const auto& e) { return e.ClassName == mine; }))
        << mine;
  // The order list names every type of the page, in the same order as the expected page.
  ASSERT_EQ(StandardGalleryOrder().size(), StandardPage.size());
  for (size_t i = 0; i < StandardPage.size(); ++i) EXPECT_EQ(StandardGalleryOrder()[i], StandardPage[i].ClassName);
}

TEST(SeriesGallery, RegisteringAgainReplacesTheEntryAndKeepsTheOrder) {
  RegisterAll();
  const std::vector<TSeriesGalleryEntry> before = GalleryEntries("Standard");
  RegisterAll();
  const std::vector<TSeriesGalleryEntry> after = GalleryEntries("Standard");
  ASSERT_EQ(before.size(), after.size());
  for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(before[i].ClassName, after[i].ClassName);
}

TEST(SeriesGallery, AFurtherPageRegistersTheSameWay) {
  RegisterAll();
  fw::RegisterClass<TGalleryTestSeries>("TGalleryTestSeries").Inherits<TLineSeries>().Creatable();
  RegisterGallerySeries("Test page", "TGalleryTestSeries", "Second", 1);
  RegisterGallerySeries("Test page", "TLineSeries", "First", 3);  // moves the line to this page
  SetGalleryPageOrder("Test page", {"TLineSeries"});
  const std::vector<TSeriesGalleryEntry> entries = GalleryEntries("Test page");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].ClassName, "TLineSeries");  // named by the order: first
  EXPECT_EQ(entries[0].GalleryCount, 3);
  EXPECT_EQ(entries[1].ClassName, "TGalleryTestSeries");
  const std::vector<std::string> pages = GalleryPages();
  EXPECT_NE(std::find(pages.begin(), pages.end(), "Test page"), pages.end());
  EXPECT_TRUE(GalleryEntries("No such page").empty());
  RegisterAll();  // the line goes back to the Standard page
  EXPECT_EQ(GalleryEntries("Test page").size(), 1u);
  EXPECT_EQ(GalleryEntries("Standard").front().ClassName, "TLineSeries");
}

TEST(SeriesGallery, BadRegistrationsAreRejectedWithTheirMessages) {
  RegisterAll();
  const size_t count = GalleryEntries("Standard").size();
  try {
    RegisterGallerySeries("Standard", "TChart", "Chart", 1);
    FAIL();
  } catch (const ChartException& e) {
    EXPECT_EQ(std::string(e.what()), "Not a creatable series class: TChart");
  }
  EXPECT_THROW(RegisterGallerySeries("Standard", "TChartSeries", "Abstract", 1), ChartException);
  EXPECT_THROW(RegisterGallerySeries("Standard", "TNoSuchSeries", "None", 1), ChartException);
  try {
    RegisterGallerySeries("Standard", "TLineSeries", "Line", 0);
    FAIL();
  } catch (const ChartException& e) {
    EXPECT_EQ(std::string(e.what()), "Gallery count must be >= 1");
  }
  EXPECT_EQ(GalleryEntries("Standard").size(), count);
  EXPECT_EQ(GalleryEntries("Standard").front().GalleryCount, 2);
}

TEST(SeriesGallery, CreatesEveryEntryByNameWithOwnerAndChart) {
  RegisterAll();
  TChart chart(nullptr);
  for (const TSeriesGalleryEntry& e : GalleryEntries("Standard")) {
    TChartSeries* s = CreateGallerySeries(e.ClassName, &chart, &chart);
    ASSERT_NE(s, nullptr) << e.ClassName;
    EXPECT_EQ(s->ClassName(), e.ClassName);
    EXPECT_EQ(s->Owner(), &chart);
    EXPECT_EQ(s->ParentChart(), static_cast<TSeriesHost*>(&chart));
  }
  EXPECT_EQ(chart.SeriesCount(), static_cast<int32_t>(GalleryEntries("Standard").size()));
  std::unique_ptr<TChartSeries> unowned(CreateGallerySeries("tlineseries", nullptr, nullptr));
  EXPECT_EQ(unowned->ClassName(), "TLineSeries");
  EXPECT_EQ(unowned->ParentChart(), nullptr);
  try {
    CreateGallerySeries("TChart", nullptr, nullptr);
    FAIL();
  } catch (const ChartException& e) {
    EXPECT_EQ(std::string(e.what()), "Series class is not in the gallery: TChart");
  }
}

TEST(SeriesGalleryLayout, TheReaderCreatesEveryRegisteredTypeInsideItsChart) {
  RegisterAll();
  std::string text = "object GalleryForm: TGalleryForm\n  object Chart1: TChart\n";
  const std::vector<TSeriesGalleryEntry> entries = GalleryEntries("Standard");
  for (size_t i = 0; i < entries.size(); ++i)
    text += "    object S" + std::to_string(i) + ": " + entries[i].ClassName + "\n    end\n";
  text += "  end\nend\n";
  TGalleryForm form(nullptr);
  fw::TFormReader::ReadRoot(form, text);
  auto* chart = dynamic_cast<TChart*>(form.FindComponent("Chart1"));
  ASSERT_NE(chart, nullptr);
  ASSERT_EQ(chart->SeriesCount(), static_cast<int32_t>(entries.size()));
  for (size_t i = 0; i < entries.size(); ++i) {
    auto* s = dynamic_cast<TChartSeries*>(form.FindComponent("S" + std::to_string(i)));
    ASSERT_NE(s, nullptr) << entries[i].ClassName;
    EXPECT_EQ(s->ClassName(), entries[i].ClassName);
    EXPECT_EQ(s->ParentChart(), static_cast<TSeriesHost*>(chart));
  }
}

TEST(SeriesGalleryLayout, EveryPublishedPropertyOfLinePointAndAreaSurvivesARoundTrip) {
  RegisterAll();
  TGalleryForm first(nullptr);
  first.SetName("GalleryForm");
  auto* chart = new TChart(&first);
  chart->SetName("Chart1");
  chart->SetParent(&first);
  auto* line = new TLineSeries(&first);
  line->SetName("Line1");
  line->SetParentChart(chart);
  line->SetSeriesColor(fw::clBlue);
  line->LinePen().SetWidth(3);
  line->LinePen().SetStyle(fw::psDash);
  line->SetStairs(true);
  line->SetInvertedStairs(true);
  line->SetDark3D(false);
  line->Pointer().SetVisible(true);
  line->Pointer().SetStyle(psDownTriangle);
  line->Pointer().SetHorizSize(6);
  line->Pointer().SetVertSize(2);
  line->Pointer().SetDraw3D(false);
  line->Pointer().SetDark3D(false);
  line->Pointer().SetInflateMargins(false);
  line->Pointer().Brush().SetColor(fw::clYellow);
  line->Pointer().Brush().SetStyle(fw::bsCross);
  line->Pointer().Pen().SetColor(fw::clGreen);
  line->Pointer().Pen().SetVisible(false);
  auto* point = new TPointSeries(&first);
  point->SetName("Point1");
  point->SetParentChart(chart);
  point->Pointer().SetVisible(false);
  point->Pointer().SetStyle(psSmallDot);
  auto* area = new TAreaSeries(&first);
  area->SetName("Area1");
  area->SetParentChart(chart);
  area->SetMultiArea(maStacked100);
  area->SetUseYOrigin(false);
  area->SetYOrigin(-2.5);
  area->SetStairs(true);
  area->AreaBrush().SetColor(fw::clTeal);
  area->AreaBrush().SetStyle(fw::bsDiagCross);
  area->AreaLinesPen().SetVisible(false);
  area->AreaLinesPen().SetColor(fw::clRed);
  area->LinePen().SetColor(fw::clNavy);
  area->Pointer().SetVisible(true);
  area->Pointer().SetStyle(psCircle);

  const std::string written = fw::TFormWriter::Write(first);
  EXPECT_NE(written.find("Pointer.Style = psDownTriangle"), std::string::npos) << written;
  EXPECT_NE(written.find("MultiArea = maStacked100"), std::string::npos) << written;
  EXPECT_EQ(written.find("Point1: TPointSeries\n      Pointer.Visible"), std::string::npos);

  TGalleryForm second(nullptr);
  fw::TFormReader::ReadRoot(second, written);
  EXPECT_EQ(fw::TFormWriter::Write(second), written);
  auto* line2 = dynamic_cast<TLineSeries*>(second.FindComponent("Line1"));
  auto* point2 = dynamic_cast<TPointSeries*>(second.FindComponent("Point1"));
  auto* area2 = dynamic_cast<TAreaSeries*>(second.FindComponent("Area1"));
  ASSERT_TRUE(line2 && point2 && area2);
  EXPECT_EQ(line2->SeriesColor(), fw::clBlue);
  EXPECT_EQ(line2->LinePen().Width(), 3);
  EXPECT_EQ(line2->LinePen().Style(), fw::psDash);
  EXPECT_TRUE(line2->Stairs());
  EXPECT_TRUE(line2->InvertedStairs());
  EXPECT_FALSE(line2->Dark3D());
  EXPECT_TRUE(line2->Pointer().Visible());
  EXPECT_EQ(line2->Pointer().Style(), psDownTriangle);
  EXPECT_EQ(line2->Pointer().HorizSize(), 6);
  EXPECT_EQ(line2->Pointer().VertSize(), 2);
  EXPECT_FALSE(line2->Pointer().Draw3D());
  EXPECT_FALSE(line2->Pointer().Dark3D());
  EXPECT_FALSE(line2->Pointer().InflateMargins());
  EXPECT_EQ(line2->Pointer().Brush().Color(), fw::clYellow);
  EXPECT_EQ(line2->Pointer().Brush().Style(), fw::bsCross);
  EXPECT_EQ(line2->Pointer().Pen().Color(), fw::clGreen);
  EXPECT_FALSE(line2->Pointer().Pen().Visible());
  EXPECT_FALSE(point2->Pointer().Visible());
  EXPECT_EQ(point2->Pointer().Style(), psSmallDot);
  EXPECT_EQ(area2->MultiArea(), maStacked100);
  EXPECT_FALSE(area2->UseYOrigin());
  EXPECT_EQ(area2->YOrigin(), -2.5);
  EXPECT_TRUE(area2->Stairs());
  EXPECT_EQ(area2->AreaBrush().Color(), fw::clTeal);
  EXPECT_EQ(area2->AreaBrush().Style(), fw::bsDiagCross);
  EXPECT_FALSE(area2->AreaLinesPen().Visible());
  EXPECT_EQ(area2->AreaLinesPen().Color(), fw::clRed);
  EXPECT_EQ(area2->LinePen().Color(), fw::clNavy);
  EXPECT_TRUE(area2->Pointer().Visible());
  EXPECT_EQ(area2->Pointer().Style(), psCircle);
}

TEST(SeriesGalleryLayout, BadValuesAreRefusedWithTheLine) {
  RegisterAll();
  const std::string text =
      "object GalleryForm: TGalleryForm\n"
      "  object Chart1: TChart\n"
      "    object Line1: TLineSeries\n"
      "      Pointer.HorizSize = -3\n"
      "    end\n"
      "  end\n"
      "end\n";
  TGalleryForm form(nullptr);
  try {
    fw::TFormReader::ReadRoot(form, text);
    FAIL();
  } catch (const std::exception& e) {
    const std::string message = e.what();
    EXPECT_NE(message.find("4"), std::string::npos) << message;
    EXPECT_NE(message.find("Pointer size must be between 0 and 1000"), std::string::npos) << message;
  }
  EXPECT_EQ(form.FindComponent("Line1"), nullptr);
}
