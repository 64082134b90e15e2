#include "chart/panel/TCustomChartWall.h"

#include "chart/canvas/TChartPen.h"
#include "chart/panel/TChartBrush.h"
#include "chart/panel/TCustomChartPanel.h"

namespace chart {

TCustomChartWall::TCustomChartWall(TCustomChartPanel* parent, fw::TColor colorDefault)
    : mParent(parent),
      mColor(colorDefault),
      mBrush(std::make_unique<TChartBrush>([this] { Changed(); })),
      mPen(std::make_unique<TChartPen>([this] { Changed(); })),
      mStoredColorDefault(colorDefault) {}

TCustomChartWall::~TCustomChartWall() = default;

void TCustomChartWall::Changed() const {
  if (mParent) mParent->NotifyChange();
}

void TCustomChartWall::SetColor(fw::TColor value) {
  if (mParent) {
    mParent->ChangeProperty(mColor, value);
  } else {
    mColor = value;
  }
}

void TCustomChartWall::SetBrush(const TChartBrush& value) { mBrush->Assign(value); }

void TCustomChartWall::SetDark3D(bool value) {
  if (mParent) {
    mParent->ChangeProperty(mDark3D, value);
  } else {
    mDark3D = value;
  }
}

void TCustomChartWall::SetPen(const TChartPen& value) { mPen->Assign(value); }

void TCustomChartWall::SetSize(int32_t value) {
  if (mParent) {
    mParent->ChangeProperty(mSize, value);
  } else {
    mSize = value;
  }
}

bool TCustomChartWall::UsesDarkSides() const {
  return mBrush->Style() != fw::bsClear && !mBrush->HasBrushBitmap() && mDark3D;
}

void TCustomChartWall::Assign(const TCustomChartWall& source) {
  if (&source == this) return;
  mBrush->Assign(*source.mBrush);
  SetColor(source.mColor);
  SetDark3D(source.mDark3D);
  mPen->Assign(*source.mPen);
  SetSize(source.mSize);
}

}  // namespace chart
