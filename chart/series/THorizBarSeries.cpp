#include "chart/series/THorizBarSeries.h"

namespace chart {

THorizBarSeries::THorizBarSeries(fw::TComponent* owner) : TCustomBarSeries(owner, true) {
  XValues().SetOrder(loNone);
  YValues().SetOrder(loAscending);
}

int32_t THorizBarSeries::AppendPoint(double x, double y, const std::string& label, fw::TColor color) {
  XValues().SetPendingValue(x);
  YValues().SetPendingValue(y);
  if (OnBeforeAdd && !OnBeforeAdd(this)) return -1;
  const int32_t index = YValues().AddInOrder(YValues().PendingValue());
  XValues().InsertAt(index, XValues().PendingValue());
  InsertColorAndLabel(index, color, label);
  AddedPoint(index);
  return index;
}

}  // namespace chart
