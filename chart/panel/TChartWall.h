#pragma once
#include <cstdint>
#include <memory>

#include "chart/canvas/TChartPen.h"
#include "chart/panel/TChartBrush.h"
#include "framework/runtime/TColor.h"

namespace chart {

class TCustomChart;

/// One wall of a chart (back, left or bottom): fill colour and brush, outline pen, thickness.
/// Settings are read at draw time; every change repaints the chart.
class TCustomChartWall {
public:
  /// storedColorDefault is the colour the wall starts with and that is not stored.
  TCustomChartWall(TCustomChart* parentChart, fw::TColor storedColorDefault = fw::clDefault);
  virtual ~TCustomChartWall();
  TCustomChartWall(const TCustomChartWall&) = delete;
  TCustomChartWall& operator=(const TCustomChartWall&) = delete;

  /// Wall colour; clDefault leaves a solid wall unfilled.
  fw::TColor Color() const { return mColor; }
  void SetColor(fw::TColor value);
  bool IsColorStored() const { return mColor != mStoredColorDefault; }
  fw::TColor StoredColorDefault() const { return mStoredColorDefault; }

  /// Owned fill style (and the colour of hatch backgrounds); setting copies.
  TChartBrush& Brush() const { return *mBrush; }
  void SetBrush(const fw::TBrush& value) { mBrush->Assign(value); }
  /// Side faces of a 3D wall box are drawn darker; default true.
  bool Dark3D() const { return mDark3D; }
  void SetDark3D(bool value);
  /// Owned outline pen (black, solid, width 1); setting copies.
  TChartPen& Pen() const { return *mPen; }
  void SetPen(const fw::TPen& value) { mPen->Assign(value); }
  /// Thickness in pixels (3D only); default 0.
  int32_t Size() const { return mSize; }
  void SetSize(int32_t value);

  TCustomChart* ParentChart() const { return mParentChart; }

  /// Dark sides unless the brush is clear, has a bitmap, or Dark3D is off.
  bool UsesDarkSides() const;

  /// Copies Brush, Color, Dark3D, Pen and Size.
  virtual void Assign(const TCustomChartWall& source);

private:
  void Repaint();

  fw::TColor mColor;
  std::unique_ptr<TChartBrush> mBrush;
  bool mDark3D = true;
  std::unique_ptr<TChartPen> mPen;
  int32_t mSize = 0;
  TCustomChart* mParentChart = nullptr;
  fw::TColor mStoredColorDefault;
};

/// The published wall of a chart.
class TChartWall : public TCustomChartWall {
public:
  using TCustomChartWall::TCustomChartWall;
};

}  // namespace chart
