// A series whose value list was shortened on its own (the lists are public): drawing any type
// stops with the list-index error at a point the list no longer holds, reads nothing
// past the list, and draws again once the lists agree.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "chart/ChartClasses.h"
#include "chart/data/TChartSeries.h"
#include "chart/data/TSeriesMarks.h"
#include "chart/panel/TChartLegend.h"
#include "chart/panel/TCustomChart.h"
#include "chart/series/TSeriesGallery.h"
#include "framework/graphics/TBitmap.h"
#include "framework/runtime/Exception.h"

using namespace chart;

namespace {

TEST(ShortValueList, EveryTypeStopsWithTheListIndexErrorAndDrawsOnceTheListsAgree) {
  RegisterChartClasses();
  int cases = 0;
  for (const TSeriesGalleryEntry& entry : GalleryEntries("Standard"))
    for (const bool view3D : {false, true})
      for (const int32_t n : {12, 40000}) {
        const std::string name = entry.ClassName + (view3D ? " 3D " : " flat ") + std::to_string(n);
        TChart chart(nullptr);
        chart.SetBounds(0, 0, 400, 300);
        chart.SetView3D(view3D);
        chart.Legend().SetVisible(n < 100);
        fw::TBitmap image(400, 300);
        TChartSeries* series = CreateGallerySeries(entry.ClassName, &chart, &chart);
        series->Marks().SetVisible(n < 100);
        std::vector<double> xs(static_cast<size_t>(n)), ys(static_cast<size_t>(n));
        for (int32_t i = 0; i < n; ++i) {
          xs[static_cast<size_t>(i)] = i;
          ys[static_cast<size_t>(i)] = 5 + 4 * std::sin(i * 0.3);
        }
        ASSERT_EQ(series->AppendPoints(xs, ys), n) << name;
        // Removed from the middle: the storage keeps a gap there, so a read past the list's
        // end reaches past the storage's.
        for (int k = 0; k < 3; ++k) series->YValues().RemoveAt(n / 2);
        const int32_t held = series->YValues().ValueCount();
        try {
          chart.DrawToCanvas(image.Canvas(), fw::TRect{0, 0, 400, 300});
          if (entry.ClassName != "TPieSeries" || n < 100) ADD_FAILURE() << name << ": drawn without an error";
        } catch (const fw::EListError& e) {
          const std::string message = e.what();
          const std::string prefix = "List index out of bounds (";
          ASSERT_EQ(message.substr(0, prefix.size()), prefix) << name;
          const int32_t index = std::stoi(message.substr(prefix.size()));
          EXPECT_GE(index, held) << name;
          EXPECT_LT(index, n) << name;
        }
        for (int k = 0; k < 3; ++k) series->YValues().InsertAt(held, 5);
        EXPECT_NO_THROW(chart.DrawToCanvas(image.Canvas(), fw::TRect{0, 0, 400, 300})) << name;
        ++cases;
      }
  EXPECT_EQ(cases, 28);
}

}  // namespace
