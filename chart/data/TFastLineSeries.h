#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "chart/data/TChartSeries.h"
#include "framework/graphics/TPoint.h"
#include "framework/graphics/TRect.h"
#include "framework/runtime/TColor.h"

namespace fw {
class TPen;
}

namespace chart {

class TCanvas3D;
class TChartPen;

/// A series drawn as one polyline with a single pen, joining the visible points in stored
/// order; no per-point colours, pointers or fills. Consecutive points on the same pixel cost
/// no drawing call. With AutoRepaint off every added point is drawn at once onto the chart's
/// canvas instead of repainting the chart.
///
/// The class is final so that the per-point path can map values to pixels without virtual
/// dispatch (XValueOf/YValueOf of this type are known).
class TFastLineSeries final : public TChartSeries {
public:
  explicit TFastLineSeries(fw::TComponent* owner = nullptr);
  ~TFastLineSeries() override;

  std::string ClassName() const override { return "TFastLineSeries"; }
  /// Name of the design-time editor of this series type.
  std::string EditorName() const override;

  /// Each added point asks the chart to repaint (true, the default); when false each added
  /// point is drawn straight onto the chart's canvas and neither OnAfterAdd nor dependents
  /// hear of it.
  bool AutoRepaint() const { return mAutoRepaint; }
  void SetAutoRepaint(bool value) {
    mAutoRepaint = value;
    SetOwnAddedPoint(!value);  // without automatic repaints each new segment is drawn at once
  }

  /// Points per pixel column from which a pass is drawn column by column (at most four lines a
  /// column) rather than point by point. Both ways give the same pixels; below this density
  /// walking the columns costs more than it saves. 0 takes the columns whenever they apply.
  static inline int32_t ColumnsFromDensity = 4;

  /// The pen of the line (black, solid, width 1 at creation); a change repaints the chart.
  TChartPen& LinePen() const { return *mLinePen; }
  /// Copies `value` into LinePen, then SeriesColor takes LinePen's colour.
  void SetLinePen(const fw::TPen& value);
  /// The series-core setter, then LinePen's colour follows.
  void SetSeriesColor(fw::TColor value) override;

  /// From another fast line: AutoRepaint and LinePen first; then the series settings.
  void Assign(const TChartSeries& source) override;

  /// LinePen on the chart's canvas (adjusted for printing), clear brush, then the polyline
  /// through FirstVisible..LastVisible.
  void DrawAllPoints() override;
  /// Draws the line into point index from the previous one (from point index - 1 when index
  /// is FirstVisible). Called outside DrawAllPoints (interleaved 3D drawing) it sets up the
  /// canvas itself and restarts from the last point it drew.
  void DrawOnePoint(int32_t index) override;

  /// The visible point under (x, y), or i when (x, y) lies on the segment from point i to
  /// point i + 1; -1 otherwise.
  int32_t ClickedIndex(int32_t x, int32_t y) const override;

  /// A horizontal line across `rect` at its vertical middle (rounded down) with LinePen.
  void DrawLegendSymbol(int32_t valueIndex, const fw::TRect& rect) override;

  /// Whether p lies on the segment a-b with `tolerance` whole pixels beyond its ends: at most
  /// about one pixel off the line through a and b (never when a equals b) and not past either
  /// end. Exact for any 32-bit coordinates.
  static bool PointOnSegment(fw::TPoint p, fw::TPoint a, fw::TPoint b, int32_t tolerance);

  /// Pixel of the last point drawn.
  int32_t LastX() const { return mLastX; }
  int32_t LastY() const { return mLastY; }

protected:
  /// AutoRepaint on: the series-core notification. Off: draws the new segment directly.
  void AddedPoint(int32_t index) override;
  /// AutoRepaint on: the series core's (OnAfterAdd). Off: draws the new segment, as AddedPoint.
  void AddedPointOfMany(int32_t index) override;
  /// AutoRepaint on: the series core's. Off: nothing (every point was drawn).
  void AddedPoints(int32_t count) override;
  bool HandlesEachAddedPoint() const override { return !mAutoRepaint; }
  /// Lifts the arrow end and the box by Marks.ArrowLength, then draws the mark.
  void DrawMark(int32_t index, const std::string& text, TSeriesMarkPosition& position) override;

private:
  /// LinePen on the canvas, the chart's printing adjustment, clear brush.
  void PrepareCanvas(TCanvas3D& canvas) const;
  /// Steps of one point with everything the pass hoisted: canvas, 3D flag, depth.
  void DrawPoint(TCanvas3D& canvas, bool view3D, int32_t z, int32_t index);
  void MoveTo(TCanvas3D& canvas, bool view3D, int32_t z, int32_t x, int32_t y);
  void LineTo(TCanvas3D& canvas, bool view3D, int32_t z, int32_t x, int32_t y);
  void LinePenChanged();
  /// The pass of DrawAllPoints drawn column by column: for every run of consecutive points on
  /// one pixel column, the first and last point and the column's extreme rows, which cover
  /// exactly the pixels of drawing each segment of the run. For X values known to ascend on
  /// linear axes, when the canvas's lines form the union of their pixels (solid, one pixel wide,
  /// copy mode, a plain surface), flat or in 3D where the canvas moves the series' depth by
  /// whole pixels without any point's sum wrapping. False (nothing drawn) otherwise.
  bool DrawColumns(TCanvas3D& canvas, bool view3D, int32_t z, int32_t first, int32_t last);
  /// XPixel / YPixel without virtual dispatch (the class is final).
  int32_t PointX(int32_t index) const { return XPixelOfValue(XValueOf(index)); }
  int32_t PointY(int32_t index) const { return YPixelOfValue(YValueOf(index)); }

  bool mAutoRepaint = true;
  std::unique_ptr<TChartPen> mLinePen;
  int32_t mLastX = 0;
  int32_t mLastY = 0;
  bool mInPass = false;  // DrawAllPoints set the canvas up and owns the pen position
  // The last X value mapped in this pass and its pixel: sorted data repeats X values (the
  // folded string gives two points per X), and the mapping divides.
  bool mPassXValid = false;
  double mPassXValue = 0;
  int32_t mPassXPixel = 0;
};

/// Registers the published properties of TFastLineSeries (AutoRepaint, LinePen, XValues,
/// YValues, on top of the TChartSeries table) for the form reader and writer. Registers no
/// editor gallery entry.
void RegisterFastLineSeriesClass();

}  // namespace chart
