#include "chart/panel/TChartWall.h"

#include "chart/panel/TCustomChart.h"

namespace chart {

TCustomChartWall::TCustomChartWall(TCustomChart* parentChart, fw::TColor storedColorDefault)
    : mColor(storedColorDefault),
      mBrush(std::make_unique<TChartBrush>([this] { Repaint(); })),
      mPen(std::make_unique<TChartPen>([this] { Repaint(); })),
      mParentChart(parentChart),
      mStoredColorDefault(storedColorDefault) {}

TCustomChartWall::~TCustomChartWall() = default;

void TCustomChartWall::Repaint() {
  if (mParentChart) mParentChart->NotifyChange();
}

void TCustomChartWall::SetColor(fw::TColor value) {
  if (mParentChart)
    mParentChart->ChangeProperty(mColor, value);
  else
    mColor = value;
}

void TCustomChartWall::SetDark3D(bool value) {
  if (mParentChart)
    mParentChart->ChangeProperty(mDark3D, value);
  else
    mDark3D = value;
}

void TCustomChartWall::SetSize(int32_t value) {
  if (mParentChart)
    mParentChart->ChangeProperty(mSize, value);
  else
    mSize = value;
}

bool TCustomChartWall::UsesDarkSides() const {
  return mBrush->Style() != fw::bsClear && !mBrush->HasBrushBitmap() && mDark3D;
}

void TCustomChartWall::Assign(const TCustomChartWall& source) {
  mBrush->Assign(*source.mBrush);
  SetColor(source.mColor);
  SetDark3D(source.mDark3D);
  mPen->Assign(*source.mPen);
  SetSize(source.mSize);
}

}  // namespace chart
