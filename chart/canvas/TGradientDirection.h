#pragma once

namespace chart {

/// Direction of a gradient fill (panel background). The canvas's band algorithm starts from
/// the first colour at the bottom (vertical bands) or right edge (horizontal bands).
enum TGradientDirection {
  gdTopBottom,
  gdBottomTop,
  gdLeftRight,
  gdRightLeft,
  gdFromCenter,
  gdFromTopLeft,
  gdFromBottomLeft,
};

}  // namespace chart
