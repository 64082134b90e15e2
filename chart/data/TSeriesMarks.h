#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/TRect.h"
#include "framework/runtime/ClampInt.h"
#include "framework/runtime/TColor.h"

namespace fw {
class TFont;
class TPen;
}  // namespace fw

namespace chart {

class TChartArrowPen;
class TChartPen;
class TChartSeries;

enum TSeriesMarksStyle {
  smsValue,
  smsPercent,
  smsLabel,
  smsLabelPercent,
  smsLabelValue,
  smsLegend,
  smsPercentTotal,
  smsLabelPercentTotal,
  smsXValue
};

/// Where one mark was drawn (or was put by hand, when Custom is set), in pixels.
struct TSeriesMarkPosition {
  int32_t ArrowFromX = 0, ArrowFromY = 0;
  int32_t ArrowToX = 0, ArrowToY = 0;
  bool Custom = false;
  int32_t Height = 0;
  int32_t LeftTopX = 0, LeftTopY = 0;
  int32_t Width = 0;
  /// The box; its right and bottom edges are summed in 64 bits and clamped to the 32-bit range.
  fw::TRect Bounds() const {
    return {LeftTopX, LeftTopY, fw::ClampToInt32(int64_t{LeftTopX} + Width), fw::ClampToInt32(int64_t{LeftTopY} + Height)};
  }
};

/// Settings of the per-point marks of one series (owned by the series), the positions where
/// marks were drawn, and the drawing of one mark on the series' chart.
class TSeriesMarks {
public:
  explicit TSeriesMarks(TChartSeries& parent);
  ~TSeriesMarks();
  TSeriesMarks(const TSeriesMarks&) = delete;
  TSeriesMarks& operator=(const TSeriesMarks&) = delete;

  TChartSeries& ParentSeries() const { return mParent; }

  /// Distance in pixels between a point and its mark. Default 8.
  int32_t ArrowLength() const { return mArrowLength; }
  void SetArrowLength(int32_t value);
  /// Box fill colour. Default 8454143 (light yellow).
  fw::TColor BackColor() const { return mBackColor; }
  void SetBackColor(fw::TColor value);
  /// The box is not filled. Default false.
  bool Transparent() const { return mTransparent; }
  void SetTransparent(bool value);
  /// Marks are clipped to the plot rectangle. Default false.
  bool Clip() const { return mClip; }
  void SetClip(bool value);
  TSeriesMarksStyle Style() const { return mStyle; }
  void SetStyle(TSeriesMarksStyle value);
  /// Marks are drawn. Default false.
  bool Visible() const { return mVisible; }
  void SetVisible(bool value);
  /// Depth at which marks are drawn in 3D (set by the chart in each frame).
  int32_t DepthPosition() const { return mDepthPosition; }
  void SetDepthPosition(int32_t value) { mDepthPosition = value; }

  /// Pen of the arrow from the point to the box (white at creation); a change repaints.
  TChartArrowPen& Arrow() const { return *mArrow; }
  /// Copies `value` into Arrow.
  void SetArrow(const fw::TPen& value);
  /// Pen of the box outline (black, solid, width 1); a change repaints.
  TChartPen& Frame() const { return *mFrame; }
  void SetFrame(const fw::TPen& value);
  /// Text font (the chart's default font at creation); a change repaints.
  fw::TFont& Font() const { return *mFont; }
  void SetFont(const fw::TFont& value);

  /// Copies the settings (not the positions, not the parent).
  void Assign(const TSeriesMarks& source);

  /// Draws the mark of point `index` on the series' chart: records `position` (or takes the
  /// custom one stored for the point), the arrow (drawn black, or white on a black chart, when
  /// its colour would vanish against the point's `color` or the chart), the box with BackColor
  /// and Frame unless Transparent without a frame, and the text lines (separated by character
  /// 13) centred in the box, one font height apart. Draws with the font already selected.
  void DrawOneMark(int32_t index, fw::TColor color, TSeriesMarkPosition& position, const std::string& text);

  // ---- positions, one slot per point index ----
  int32_t PositionCount() const { return static_cast<int32_t>(mPositions.size()); }
  /// The stored position of slot index, or null when the slot is empty or beyond the list.
  const TSeriesMarkPosition* PositionAt(int32_t index) const;
  /// The same, for changing a stored position (set Custom to keep a mark where it was put).
  TSeriesMarkPosition* PositionAt(int32_t index) {
    return const_cast<TSeriesMarkPosition*>(static_cast<const TSeriesMarks&>(*this).PositionAt(index));
  }
  /// Makes sure slot index exists; an empty slot gets a fresh record (Custom off). A custom
  /// record is copied into `position`; otherwise `position` is recorded.
  void UseMarkPosition(int32_t index, TSeriesMarkPosition& position);
  /// Frees every stored position.
  void ClearMarkPositions();
  /// Removes slot index (the later slots move down); nothing beyond the list.
  void DeleteMarkPosition(int32_t index);

private:
  void Changed();

  int32_t mArrowLength = 8;
  fw::TColor mBackColor = 8454143;
  bool mTransparent = false;
  bool mClip = false;
  TSeriesMarksStyle mStyle = smsLabel;
  TChartSeries& mParent;
  std::vector<std::unique_ptr<TSeriesMarkPosition>> mPositions;
  bool mVisible = false;
  int32_t mDepthPosition = 0;
  std::unique_ptr<TChartArrowPen> mArrow;
  std::unique_ptr<TChartPen> mFrame;
  std::unique_ptr<fw::TFont> mFont;
};

}  // namespace chart
