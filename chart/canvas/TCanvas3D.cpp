#include "chart/canvas/TCanvas3D.h"

namespace chart {

void TCanvas3D::CopySettings(TChartCanvas& other) { SetMonochrome(other.Monochrome()); }

}  // namespace chart
