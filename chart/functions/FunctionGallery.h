#pragma once

namespace chart {

/// Puts the seven series functions on the gallery page "Functions" in their order (Add,
/// Subtract, Multiply, Divide, High, Low, Average), each shown as a line series computing it.
/// Needs the series classes registered first. Safe to call again.
void RegisterFunctionGallery();

}  // namespace chart
