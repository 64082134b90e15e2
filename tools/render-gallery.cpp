// Renders every series type of the gallery in 2D and in 3D (a small data set with marks and a
// legend), one PNG per type and view, and one picture of all of them side by side.
//   render-gallery [output-dir] [gallery.png]
// Writes <output-dir>/<ClassName>-2d.png and -3d.png (default dir: "."), and the overview
// (default: <output-dir>/gallery.png).
#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "chart/ChartClasses.h"
#include "chart/canvas/TView3DOptions.h"
#include "chart/data/TChartSeries.h"
#include "chart/data/TSeriesMarks.h"
#include "chart/panel/TChartLegend.h"
#include "chart/panel/TChartTitle.h"
#include "chart/panel/TCustomChart.h"
#include "chart/series/TSeriesGallery.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TSurface.h"

namespace {

constexpr int32_t Width = 320;
constexpr int32_t Height = 230;

const char* const Labels[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

// Series k of an entry: six points with labels, different for each series.
void Fill(chart::TChartSeries& series, int32_t k) {
  static const double values[2][6] = {{3, 5, 4, 7, 6, 8}, {2, 3, 5, 3, 4, 2}};
  for (int32_t i = 0; i < 6; ++i) series.AppendPoint(i, values[k % 2][i], Labels[i], fw::clDefault);
  series.Marks().SetVisible(true);
  series.Marks().SetStyle(chart::smsValue);
}

std::unique_ptr<fw::TBitmap> Render(const chart::TSeriesGalleryEntry& entry, bool view3D) {
  chart::TChart chart(nullptr);
  chart.SetBounds(0, 0, Width, Height);
  chart.SetColor(fw::clWhite);
  chart.SetView3D(view3D);
  chart.View3DOptions().SetOrthogonal(true);
  chart.Title().SetText({entry.Title + (view3D ? " (3D)" : " (2D)")});
  chart.Legend().SetVisible(true);
  for (int32_t k = 0; k < entry.GalleryCount; ++k) {
    chart::TChartSeries* s = chart::CreateGallerySeries(entry.ClassName, &chart, &chart);
    s->SetTitle(entry.GalleryCount > 1 ? "Series " + std::to_string(k + 1) : entry.Title);
    Fill(*s, k);
  }
  auto image = std::make_unique<fw::TBitmap>(Width, Height);
  chart.DrawToCanvas(image->Canvas(), fw::TRect{0, 0, Width, Height});
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  chart::RegisterChartClasses();
  const std::string dir = argc > 1 ? argv[1] : ".";
  const std::string overview = argc > 2 ? argv[2] : dir + "/gallery.png";

  std::vector<chart::TSeriesGalleryEntry> entries;
  // The series types; the functions' page (series computed from others) is render-functions'.
  for (const std::string& page : chart::GalleryPages())
    for (const chart::TSeriesGalleryEntry& e : chart::GalleryEntries(page))
      if (e.FunctionClass.empty()) entries.push_back(e);

  // Two types per row, each as 2D then 3D.
  const int32_t rows = static_cast<int32_t>((entries.size() + 1) / 2);
  fw::TBitmap all(4 * Width, std::max(1, rows) * Height);
  all.Canvas().Brush().SetColor(fw::clWhite);
  all.Canvas().FillRect(fw::TRect{0, 0, all.Width(), all.Height()});
  for (size_t i = 0; i < entries.size(); ++i) {
    for (bool view3D : {false, true}) {
      const std::unique_ptr<fw::TBitmap> image = Render(entries[i], view3D);
      const std::string path = dir + "/" + entries[i].ClassName + (view3D ? "-3d.png" : "-2d.png");
      image->SaveToFile(path);
      std::printf("wrote %s\n", path.c_str());
      const int32_t column = static_cast<int32_t>(i % 2) * 2 + (view3D ? 1 : 0);
      all.Canvas().Draw(column * Width, static_cast<int32_t>(i / 2) * Height, image.get());
    }
  }
  all.SaveToFile(overview);
  std::printf("wrote %s\n", overview.c_str());
  return 0;
}
