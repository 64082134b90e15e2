#pragma once
#include <memory>

#include "framework/runtime/TColor.h"

namespace chart {

class TChartBrush;
class TChartPen;
class TCustomChartPanel;

/// One wall of a chart (back, left or bottom): colour, fill brush, outline pen, thickness and
/// whether the side faces of a 3D wall box are drawn darker. Settings repaint the chart.
class TCustomChartWall {
public:
  /// `colorDefault` is both the starting colour and the colour that is not stored.
  TCustomChartWall(TCustomChartPanel* parent, fw::TColor colorDefault);
  virtual ~TCustomChartWall();
  TCustomChartWall(const TCustomChartWall&) = delete;
  TCustomChartWall& operator=(const TCustomChartWall&) = delete;

  TCustomChartPanel* ParentChart() const { return mParent; }

  /// Wall colour; clDefault means "none of its own". Stored only when not StoredColorDefault.
  fw::TColor Color() const { return mColor; }
  void SetColor(fw::TColor value);
  fw::TColor StoredColorDefault() const { return mStoredColorDefault; }
  bool IsColorStored() const { return mColor != mStoredColorDefault; }

  /// Fill style (and the colour behind hatches); setting copies.
  TChartBrush& Brush() const { return *mBrush; }
  void SetBrush(const TChartBrush& value);

  /// Side faces of a 3D wall box are drawn darker; default true.
  bool Dark3D() const { return mDark3D; }
  void SetDark3D(bool value);

  /// Outline; setting copies.
  TChartPen& Pen() const { return *mPen; }
  void SetPen(const TChartPen& value);

  /// Thickness in pixels (3D only); default 0.
  int32_t Size() const { return mSize; }
  void SetSize(int32_t value);

  /// Side faces are shaded unless the brush is clear, has a bitmap, or Dark3D is off.
  bool UsesDarkSides() const;

  /// Copies Brush, Color, Dark3D, Pen and Size.
  virtual void Assign(const TCustomChartWall& source);

private:
  void Changed() const;

  TCustomChartPanel* mParent;
  fw::TColor mColor;
  std::unique_ptr<TChartBrush> mBrush;
  bool mDark3D = true;
  std::unique_ptr<TChartPen> mPen;
  int32_t mSize = 0;
  fw::TColor mStoredColorDefault;
};

}  // namespace chart
