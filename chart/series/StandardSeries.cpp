#include "chart/series/StandardSeries.h"

#include "chart/ChartConst.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/series/BarSeriesClasses.h"
#include "chart/series/PieSeriesClass.h"
#include "chart/series/TAreaSeries.h"
#include "chart/series/TLineSeries.h"
#include "chart/series/TPointSeries.h"
#include "chart/series/TSeriesGallery.h"
#include "chart/series/TSeriesPointer.h"

namespace chart {

const std::vector<std::string>& StandardGalleryOrder() {
  static const std::vector<std::string> order{"TLineSeries",  "TBarSeries", "THorizBarSeries", "TAreaSeries",
                                              "TPointSeries", "TPieSeries", "TFastLineSeries"};
  return order;
}

void RegisterStandardSeries() {
  SetGalleryPageOrder(ChartConst::GalleryPageStandard, StandardGalleryOrder());
  RegisterSeriesPointerClass();
  // Each series type registers its form table and its gallery entry; the order of the calls
  // does not matter (StandardGalleryOrder decides the page's order).
  RegisterLineSeriesClass();
  RegisterAreaSeriesClass();
  RegisterPointSeriesClass();
  RegisterBarSeriesClasses();
  RegisterGallerySeries(ChartConst::GalleryPageStandard, "TBarSeries", ChartConst::GalleryBar, 2);
  RegisterGallerySeries(ChartConst::GalleryPageStandard, "THorizBarSeries", ChartConst::GalleryHorizBar, 2);
  RegisterPieSeriesClass();
  RegisterGallerySeries(ChartConst::GalleryPageStandard, "TPieSeries", ChartConst::GalleryPie, 1);
  RegisterFastLineSeriesClass();
  RegisterGallerySeries(ChartConst::GalleryPageStandard, "TFastLineSeries", ChartConst::GalleryFastLine, 2);
}

}  // namespace chart
