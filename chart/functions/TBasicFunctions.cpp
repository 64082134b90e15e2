#include "chart/functions/TBasicFunctions.h"

#include <cmath>

namespace chart {

namespace {

template <class F>
std::unique_ptr<TChartFunction> CloneOf(const F& function) {
  auto copy = std::make_unique<F>();
  copy->Assign(function);
  return copy;
}

/// Sum in source order.
double Sum(const double* values, size_t count) {
  double sum = values[0];
  for (size_t i = 1; i < count; ++i) sum += values[i];
  return sum;
}

}  // namespace

std::unique_ptr<TChartFunction> TAddFunction::Clone() const { return CloneOf(*this); }
std::unique_ptr<TChartFunction> TSubtractFunction::Clone() const { return CloneOf(*this); }
std::unique_ptr<TChartFunction> TMultiplyFunction::Clone() const { return CloneOf(*this); }
std::unique_ptr<TChartFunction> TDivideFunction::Clone() const { return CloneOf(*this); }
std::unique_ptr<TChartFunction> THighFunction::Clone() const { return CloneOf(*this); }
std::unique_ptr<TChartFunction> TLowFunction::Clone() const { return CloneOf(*this); }
std::unique_ptr<TChartFunction> TAverageFunction::Clone() const { return CloneOf(*this); }

bool TAddFunction::Calculate(const double* values, size_t count, double& result) const {
  result = Sum(values, count);
  return true;
}

bool TSubtractFunction::Calculate(const double* values, size_t count, double& result) const {
  result = values[0];
  for (size_t i = 1; i < count; ++i) result -= values[i];
  return true;
}

bool TMultiplyFunction::Calculate(const double* values, size_t count, double& result) const {
  result = values[0];
  for (size_t i = 1; i < count; ++i) result *= values[i];
  return true;
}

bool TDivideFunction::Calculate(const double* values, size_t count, double& result) const {
  result = values[0];
  for (size_t i = 1; i < count; ++i) {
    if (values[i] == 0.0) return false;
    result /= values[i];
  }
  return true;
}

bool THighFunction::Calculate(const double* values, size_t count, double& result) const {
  result = values[0];
  for (size_t i = 1; i < count; ++i)
    if (values[i] > result) result = values[i];
  return true;
}

bool TLowFunction::Calculate(const double* values, size_t count, double& result) const {
  result = values[0];
  for (size_t i = 1; i < count; ++i)
    if (values[i] < result) result = values[i];
  return true;
}

bool TAverageFunction::Calculate(const double* values, size_t count, double& result) const {
  const double n = static_cast<double>(count);
  result = Sum(values, count) / n;
  if (std::isfinite(result)) return true;
  // The sum overflowed: each value's share stays finite, so does their total.
  result = values[0] / n;
  for (size_t i = 1; i < count; ++i) result += values[i] / n;
  return true;
}

}  // namespace chart
