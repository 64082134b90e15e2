#include "chart/functions/FunctionGallery.h"

#include <string>
#include <vector>

#include "chart/ChartConst.h"
#include "chart/functions/FunctionTypes.h"
#include "chart/series/TSeriesGallery.h"

namespace chart {

void RegisterFunctionGallery() {
  std::vector<std::string> order;
  for (const TFunctionType& type : FunctionTypes()) order.push_back(type.ClassName);
  SetGalleryPageOrder(ChartConst::FunctionsGalleryPage, order);
  for (const TFunctionType& type : FunctionTypes())
    RegisterGalleryFunction(ChartConst::FunctionsGalleryPage, "TLineSeries", type.ClassName, type.Title);
}

}  // namespace chart
