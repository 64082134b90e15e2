#pragma once
#include <memory>
#include <string>
#include <vector>

#include "chart/functions/TChartFunction.h"

namespace chart {

/// One kind of series function: its stored class name, its gallery title and how to make one.
struct TFunctionType {
  const char* ClassName;
  const char* Title;
  std::unique_ptr<TChartFunction> (*Create)();
};

/// The engine's function types in gallery order: Add, Subtract, Multiply, Divide, High, Low,
/// Average.
const std::vector<TFunctionType>& FunctionTypes();

/// A new function of the class named `className` (case-insensitive). Throws ChartException
/// ("Unknown series function: name") for a name that is none of FunctionTypes().
std::unique_ptr<TChartFunction> CreateFunction(const std::string& className);

}  // namespace chart
