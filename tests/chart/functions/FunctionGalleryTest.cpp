#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "chart/ChartClasses.h"
#include "chart/ChartConst.h"
#include "chart/ChartException.h"
#include "chart/functions/FunctionGallery.h"
#include "chart/series/TSeriesGallery.h"
#include "tests/chart/functions/FunctionTestSupport.h"

namespace chart::test {
namespace {

TEST(FunctionGallery, FunctionsPageBesideTheSeriesPages) {
  RegisterChartClasses();
  RegisterFunctionGallery();  // again: nothing doubles
  const std::vector<std::string> pages = GalleryPages();
  EXPECT_NE(std::find(pages.begin(), pages.end(), ChartConst::FunctionsGalleryPage), pages.end());
  std::vector<std::string> titles;
  for (const TSeriesGalleryEntry& e : GalleryEntries(ChartConst::FunctionsGalleryPage)) {
    titles.push_back(e.Title);
    EXPECT_FALSE(e.FunctionClass.empty());
  }
  EXPECT_EQ(titles, (std::vector<std::string>{"Add", "Subtract", "Multiply", "Divide", "High", "Low", "Average"}));
  // The series pages keep their own entries.
  for (const TSeriesGalleryEntry& e : GalleryEntries(ChartConst::GalleryPageStandard))
    EXPECT_TRUE(e.FunctionClass.empty()) << e.ClassName;
  EXPECT_THROW(RegisterGalleryFunction(ChartConst::FunctionsGalleryPage, "TLineSeries", "TNoFunction", "No"),
               ChartException);
}

TEST(FunctionGallery, GallerySeriesOfAFunctionComputesIt) {
  RegisterChartClasses();
  FunctionChart f;
  TFastLineSeries& a = f.Source({1, 2, 3});
  TFastLineSeries& b = f.Source({4, 5, 6});
  TChartSeries* series = CreateGallerySeries("TSubtractFunction", &f.Chart, &f.Chart);
  ASSERT_NE(series, nullptr);
  EXPECT_EQ(series->FunctionType(), "TSubtractFunction");
  series->AddDataSource(&a);
  series->AddDataSource(&b);
  EXPECT_TRUE(SameValues(Values(*series), {-3, -3, -3}));
}

// Every series type of the gallery can carry a function.
TEST(FunctionGallery, EverySeriesTypeCarriesAFunction) {
  RegisterChartClasses();
  for (const std::string& page : GalleryPages()) {
    if (page == ChartConst::FunctionsGalleryPage) continue;
    for (const TSeriesGalleryEntry& e : GalleryEntries(page)) {
      SCOPED_TRACE(e.ClassName);
      FunctionChart f;
      TFastLineSeries& a = f.Source({1, 2, 3, 4});
      TFastLineSeries& b = f.Source({10, 20, 30, 40});
      TChartSeries* series = CreateGallerySeries(e.ClassName, &f.Chart, &f.Chart);
      series->SetFunction(std::make_unique<TAddFunction>());
      series->AddDataSource(&a);
      series->AddDataSource(&b);
      ASSERT_EQ(series->PointCount(), 4);
      for (int32_t i = 0; i < 4; ++i) EXPECT_DOUBLE_EQ(series->MandatoryList().ValueAt(i), 11.0 * (i + 1));
      a.AppendPoint(4, 5, "", fw::clDefault);
      b.AppendPoint(4, 50, "", fw::clDefault);
      f.Frame();
      EXPECT_EQ(series->PointCount(), 5);
      EXPECT_FALSE(series->SourcesChanged());
    }
  }
}

}  // namespace
}  // namespace chart::test
