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

/// Sum of each of `groups` groups of `size` values, in source order within each group. Eight
/// groups at a time: their sums do not wait for each other.
void SumGroups(const double* values, size_t size, size_t groups, double* sums) {
  constexpr size_t Lanes = 8;
  size_t g = 0;
  for (; g + Lanes <= groups; g += Lanes) {
    const double* v = values + g * size;
    double s[Lanes];
    for (size_t a = 0; a < Lanes; ++a) s[a] = v[a * size];
    for (size_t k = 1; k < size; ++k)
      for (size_t a = 0; a < Lanes; ++a) s[a] += v[a * size + k];
    for (size_t a = 0; a < Lanes; ++a) sums[g + a] = s[a];
  }
  for (; g < groups; ++g) sums[g] = Sum(values + g * size, size);
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

namespace chart {

void TAddFunction::CalculateGroups(const double* values, size_t size, size_t groups, double* results,
                                   bool* has) const {
  SumGroups(values, size, groups, results);
  for (size_t g = 0; g < groups; ++g) has[g] = true;
}

void TAverageFunction::CalculateGroups(const double* values, size_t size, size_t groups, double* results,
                                       bool* has) const {
  SumGroups(values, size, groups, results);
  const double n = static_cast<double>(size);
  for (size_t g = 0; g < groups; ++g) results[g] /= n;
  // An overflowed sum takes Calculate's way round it.
  for (size_t g = 0; g < groups; ++g)
    has[g] = std::isfinite(results[g]) || Calculate(values + g * size, size, results[g]);
}

}  // namespace chart
