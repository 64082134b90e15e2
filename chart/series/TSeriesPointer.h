#pragma once
#include <cstdint>
#include <memory>

#include "framework/runtime/TColor.h"

namespace fw {
class TBrush;
class TPen;
}  // namespace fw

namespace chart {

class TCanvas3D;
class TChartBrush;
class TChartPen;
class TChartSeries;

/// Shape of a point marker.
enum TSeriesPointerStyle {
  psRectangle,
  psCircle,
  psTriangle,
  psDownTriangle,
  psCross,
  psDiagCross,
  psStar,
  psDiamond,
  psSmallDot
};

/// The marker a series draws at each of its points (owned by the series, published as its
/// `Pointer`). Flat in a 2D frame; in 3D with Draw3D on, a solid at the series' depth
/// (rectangle: cuboid, circle: cylinder, triangles: pyramids, diamond: two pyramids base to base);
/// the line styles and the small dot are drawn flat at the middle of that depth.
///
/// The marker spans HorizSize pixels to each side of the point and VertSize above and below
/// (so a size of 4 covers 9 pixels). The fill is the brush with its colour, or the point's colour
/// when the brush colour is clDefault; the outline is Pen. Cross, diagonal cross and star are
/// lines in the point's colour with the width and style of Pen.
class TSeriesPointer {
public:
  /// `visible` is the owning series type's default for Visible (stored only when it differs).
  TSeriesPointer(TChartSeries& parent, bool visible);
  ~TSeriesPointer();
  TSeriesPointer(const TSeriesPointer&) = delete;
  TSeriesPointer& operator=(const TSeriesPointer&) = delete;

  TChartSeries& ParentSeries() const { return mParent; }

  /// The marker is drawn. Default: the series type's own (false for lines, true for points).
  bool Visible() const { return mVisible; }
  void SetVisible(bool value);
  bool DefaultVisible() const { return mDefaultVisible; }
  /// Default psRectangle.
  TSeriesPointerStyle Style() const { return mStyle; }
  void SetStyle(TSeriesPointerStyle value);
  /// Pixels to each side of the point. Default 4. Throws ChartException (PointerSizeRange)
  /// outside 0..1000; the old value stays.
  int32_t HorizSize() const { return mHorizSize; }
  void SetHorizSize(int32_t value);
  /// Pixels above and below the point. Default 4; same range and error as HorizSize.
  int32_t VertSize() const { return mVertSize; }
  void SetVertSize(int32_t value);
  /// In 3D the marker is a solid of the series' depth (true) or flat at its middle. Default true.
  bool Draw3D() const { return mDraw3D; }
  void SetDraw3D(bool value);
  /// The solids' side and top faces are shaded. Default true.
  bool Dark3D() const { return mDark3D; }
  void SetDark3D(bool value);
  /// The series asks the axes for room for whole markers at the ends. Default true.
  bool InflateMargins() const { return mInflateMargins; }
  void SetInflateMargins(bool value);
  /// Fill (colour clDefault = the point's colour, solid). A change repaints the chart.
  TChartBrush& Brush() const { return *mBrush; }
  void SetBrush(const fw::TBrush& value);
  /// Outline (black, solid, width 1). A change repaints the chart.
  TChartPen& Pen() const { return *mPen; }
  void SetPen(const fw::TPen& value);

  /// Copies every setting above.
  void Assign(const TSeriesPointer& source);

  /// Draws the marker centred on (x, y) in the point's colour; z0..z1 is the series' depth.
  void Draw(TCanvas3D& canvas, bool view3D, int32_t x, int32_t y, int32_t z0, int32_t z1, fw::TColor color) const;
  /// The same shape flat, with the given half sizes (legend symbols shrink it to their box).
  void DrawFlat(TCanvas3D& canvas, int32_t x, int32_t y, int32_t horizSize, int32_t vertSize,
                fw::TColor color) const;
  /// Whether (px, py) lies on the marker of a point drawn at (x, y).
  bool Contains(int32_t x, int32_t y, int32_t px, int32_t py) const;
  /// Whether every flat marker paints each pixel of its box, columns x - HorizSize .. x +
  /// HorizSize and rows y - VertSize .. y + VertSize, whatever lies under it: a rectangle with a
  /// solid brush and an invisible or solid one-pixel pen, copied. A marker whose box later such
  /// markers cover wholly cannot show.
  bool PaintsWholeBox(const TCanvas3D& canvas) const;
  /// Whether every pixel a marker paints takes the marker's colour whatever lay under it: a
  /// solid or invisible pen of one width, copied, and for the filled styles a solid brush.
  bool PaintsOpaquely(const TCanvas3D& canvas) const;
  /// A flat rectangle marker at (x, y) as DrawFlat draws it; `again` when the previous call drew
  /// one in the same colour with nothing drawn in between, so the canvas keeps its pen and brush.
  void DrawFlatBox(TCanvas3D& canvas, int32_t x, int32_t y, fw::TColor color, bool again) const;

private:
  void Changed();
  /// Pen and brush of the marker for a point of that colour.
  void PrepareCanvas(TCanvas3D& canvas, fw::TColor color) const;
  void DrawSolid(TCanvas3D& canvas, int32_t x, int32_t y, int32_t z0, int32_t z1) const;
  void DrawLines(TCanvas3D& canvas, int32_t x, int32_t y, int32_t h, int32_t v, fw::TColor color, bool view3D,
                 int32_t z) const;

  TChartSeries& mParent;
  bool mVisible;
  bool mDefaultVisible;
  TSeriesPointerStyle mStyle = psRectangle;
  int32_t mHorizSize = 4;
  int32_t mVertSize = 4;
  bool mDraw3D = true;
  bool mDark3D = true;
  bool mInflateMargins = true;
  std::unique_ptr<TChartBrush> mBrush;
  std::unique_ptr<TChartPen> mPen;
};

/// Registers the published properties of TSeriesPointer with the form reader and writer.
void RegisterSeriesPointerClass();

}  // namespace chart
