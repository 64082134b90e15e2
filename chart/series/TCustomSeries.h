#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "chart/data/TChartSeries.h"
#include "chart/series/TCoveredRows.h"
#include "chart/series/TPolygonCorners.h"
#include "framework/graphics/TPoint.h"
#include "framework/graphics/TRect.h"
#include "framework/runtime/TColor.h"

namespace fw {
class TBrush;
class TPen;
}  // namespace fw

namespace chart {

class TCanvas3D;
class TChartBrush;
class TChartPen;
class TMarkerShape;
class TScratchPaint;
class TSeriesPointer;
class TSeriesStack;

/// How area series of one chart stack on each other: not at all, each on the ones before it,
/// or each as its percentage of the stack's total (the top series then ends at 100).
enum TMultiArea { maNone, maStacked, maStacked100 };

/// The common base of the line, point and area series: points joined by a line (optionally in
/// stairs), filled down to an origin, and marked by a pointer; which of the three a type draws is
/// fixed by the type. Null points, and points whose X or Y value is NaN, are gaps: nothing is
/// drawn for them and the line and the fill stop on either side.
///
/// Segment i - 1 -> i takes the colour of point i (the series colour unless the point has its
/// own, or ColorEachPoint gives it the palette's). In 3D the line is a ribbon of the series' depth
/// (faces seen from below darkened when Dark3D), the area a prism, the pointer a solid.
class TCustomSeries : public TChartSeries {
public:
  ~TCustomSeries() override;

  /// Points per pixel column from which dense markers are walked a column at a time, each
  /// column from its last point back (markers that later ones paint over left out), rather than
  /// drawn point by point from the pass. Both ways give the same pixels; below this density the
  /// walk costs more than it saves. 0 takes it whenever it applies.
  static inline int32_t PointerColumnsFromDensity = 32;
  /// From this many points a row spanned by a column on, the walk takes the next column by rows:
  /// the points whose markers fall on rows where a marker is already covered are passed over
  /// unmapped. Below, it tests the points a block at a time.
  static constexpr int64_t PointerRowsFromDensity = 4;
  /// How many of a column's last values a walk of its markers by rows asks for ahead.
  static constexpr int32_t PointerPrefetch = 2048;

  // ---- published by the types that draw them ----
  /// The line (black, solid, width 1). A change repaints.
  TChartPen& LinePen() const { return *mLinePen; }
  virtual void SetLinePen(const fw::TPen& value);
  /// The point marker (visible by default for points only).
  TSeriesPointer& Pointer() const { return *mPointer; }
  void SetPointer(const TSeriesPointer& value);
  /// The line goes horizontally to the next point's X, then vertically to it. Default false.
  bool Stairs() const { return mStairs; }
  void SetStairs(bool value);
  /// With Stairs: vertically first, then horizontally. Default false.
  bool InvertedStairs() const { return mInvertedStairs; }
  void SetInvertedStairs(bool value);
  /// 3D faces seen from below (ribbon) or from the side (prism end) are darkened. Default true.
  bool Dark3D() const { return mDark3D; }
  void SetDark3D(bool value);
  /// Fill of the area (colour clDefault: the point's colour; solid). A change repaints.
  TChartBrush& AreaBrush() const { return *mAreaBrush; }
  void SetAreaBrush(const fw::TBrush& value);
  /// Vertical lines from each point down to the origin (black, solid). A change repaints.
  TChartPen& AreaLinesPen() const { return *mAreaLinesPen; }
  void SetAreaLinesPen(const fw::TPen& value);
  /// Stacking of the area series of the chart with the same setting and axes. Default maNone.
  TMultiArea MultiArea() const { return mMultiArea; }
  void SetMultiArea(TMultiArea value);
  /// The fill reaches down (or up) to YOrigin (true) or to the vertical axis' minimum. Default true.
  bool UseYOrigin() const { return mUseYOrigin; }
  void SetUseYOrigin(bool value);
  /// The value the fill reaches to. Default 0. Throws ChartException (YOriginNotFinite) for NaN
  /// or an infinity; the old value stays.
  double YOrigin() const { return mYOrigin; }
  void SetYOrigin(double value);

  // ---- values as drawn ----
  /// A null point, or a point whose X or Y value is NaN.
  bool IsGap(int32_t index) const;
  /// The top of point index as drawn (stacking applied).
  double DrawnValue(int32_t index) const;
  /// The value the area of point index reaches down to (stacking applied).
  double DrawnOrigin(int32_t index) const;

  /// Pixel of DrawnValue: marks sit on the stacked tops.
  int32_t YPixel(int32_t index) const override;
  /// Ranges over the points that are not null, skipping NaN values (0 when there is none), with
  /// the origin and the stacked sums of an area.
  double LowestX() const override;
  double HighestX() const override;
  double LowestY() const override;
  double HighestY() const override;
  /// Room for whole pointers at the axis ends when the pointer is visible and InflateMargins on.
  void HorizMargins(int32_t& left, int32_t& right) const override;
  void VertMargins(int32_t& top, int32_t& bottom) const override;

  /// Fill, then line, then pointers of FirstVisible..LastVisible (the line and the fill enter
  /// from the point just before FirstVisible).
  void DrawAllPoints() override;
  /// Segment index - 1 -> index and the pointer of index (3D series sharing a depth level).
  void DrawOnePoint(int32_t index) override;

  /// A point whose pointer is under (x, y); else, for a line, i when (x, y) lies on segment
  /// i -> i + 1; else, for an area, the nearer end of the segment whose fill holds (x, y); -1.
  int32_t ClickedIndex(int32_t x, int32_t y) const override;

  void Assign(const TChartSeries& source) override;

  /// Drawing merges work that gives the same pixels: polygon corners that lie on a straight
  /// vertical or horizontal run, area lines of one pixel column, and markers that later markers
  /// on their pixel column cover wholly are left out. On by default; tests turn
  /// it off to compare both ways pixel by pixel.
  static bool MergeDrawing();
  static void SetMergeDrawing(bool value);

protected:
  TCustomSeries(fw::TComponent* owner, bool drawLine, bool drawArea, bool pointerVisible);

  /// Lifts the arrow end and the box by Marks.ArrowLength; no mark for a NaN value.
  void DrawMark(int32_t index, const std::string& text, TSeriesMarkPosition& position) override;
  /// Notification of the owned pens and brushes.
  void OwnedChanged() { RequestRepaint(); }
  /// LinePen on the canvas (adjusted for printing), clear brush.
  void PrepareLinePen(TCanvas3D& canvas) const;
  bool DrawsLine() const { return mDrawLine; }
  bool DrawsArea() const { return mDrawArea; }

private:
  // One point of a pass, in pixels.
  struct TPassPoint {
    int32_t X = 0, Y = 0, Origin = 0;
    fw::TColor Color = 0;
    bool Gap = true;
  };

  bool Stacked() const { return mDrawArea && mMultiArea != maNone; }
  TSeriesStack Stack() const;
  double DrawnValue(int32_t index, const TSeriesStack* stack) const;
  double DrawnOrigin(int32_t index, const TSeriesStack* stack) const;
  int32_t OriginPixel(double origin) const;
  /// Range of X or Y over the points that are not null, NaN values skipped (0 when none).
  double ScanRange(bool wantX, bool wantMinimum) const;
  /// Range of the stacked tops and origins over the points that are not gaps.
  double StackedRange(bool wantMinimum) const;
  /// The origin's pixel for the origin value mapped last in a pass (its bits).
  struct TOriginCache {
    bool Valid = false;
    uint64_t Bits = 0;
    int32_t Pixel = 0;
  };
  /// With a cache, an origin value equal to the last one takes its pixel without mapping.
  TPassPoint PassPoint(int32_t index, const TSeriesStack* stack, TOriginCache* cache = nullptr) const;
  /// The origin pixel of a point of an area, through the cache when there is one.
  int32_t PassOrigin(int32_t index, const TSeriesStack* stack, TOriginCache* cache) const;
  /// For dense X values that ascend on linear axes, without gaps, stairs, stacking, colours of
  /// the points' own, or markers unless `markersApart` (drawn by DrawPointerColumns): in 2D
  /// each pixel column's points stand in mPass as the column's first and last point and two
  /// points at its extreme rows (from the column's extreme values alone), which the line, the
  /// fill and the area lines draw with the same pixels as every point; in 3D, for ribbons and
  /// area tops drawn by columns, as AppendRibbonColumn takes them (the last column of an area
  /// whole: its last top closes the prism). False when that does not hold (mPass then holds a
  /// partial pass).
  bool AppendColumnPass(TCanvas3D& canvas, int32_t first, int32_t last, bool markersApart);
  /// For a 3D line or area whose ribbons (an area's tops) go by DrawRibbonColumn: appends the
  /// points i .. j of pixel column x that it reads: i, those reaching past every later point of
  /// the column, then j (and j again, when the column's ribbons would otherwise be too few to go
  /// by DrawRibbonColumn). An area's fronts, filled as one polygon, fold each column to its first
  /// and last point. With `every`, or with a point too far off for DrawRibbonColumn, every
  /// point. The points take `color`, and an area's points `origin`. False for a NaN value or
  /// extremes that do not map monotonically. `byRows` picks the walk (by the rows of the later
  /// points, or by their values: the same points), and is set for the next column.
  bool AppendRibbonColumn(TCanvas3D& canvas, int32_t i, int32_t j, int32_t x, bool every, fw::TColor color,
                          int32_t origin, bool& byRows);
  /// Points farther than this off the image take their ribbons one by one.
  static constexpr int32_t RibbonColumnReach = 4096;
  /// From this many points a row spanned by a column on, AppendRibbonColumn walks the next
  /// column by rows (passing over the values mapping within the rows of the later points,
  /// unmapped); below, by values (mapping every value reaching past the later ones).
  static constexpr int64_t RibbonRowsFromDensity = 4;
  /// The surface and the pens of this series draw a column pass as they draw every point.
  /// With `markersApart`, the markers are drawn apart from the pass (DrawPointerColumns).
  bool ColumnPassDrawsTheSame(TCanvas3D& canvas, bool markersApart) const;
  /// Appends PassPoint(i) for every i in from..to to mPass, the pixels of each block of points
  /// mapped as one batch.
  void AppendPassPoints(int32_t from, int32_t to, const TSeriesStack* stack);
  /// The corner a stair step turns at between a and b (a itself without Stairs).
  fw::TPoint StairCorner(fw::TPoint a, fw::TPoint b) const;

  /// Fills mPass[begin..end) as polygons, flat or projected onto the front plane.
  void FillRun(TCanvas3D& canvas, size_t begin, size_t end, bool atFrontDepth = false);
  void DrawLineRun(TCanvas3D& canvas, size_t begin, size_t end);
  /// DrawLineRun with at most four lines a pixel column, when that gives the same pixels (the
  /// lines form the union of their pixels, one colour, no stairs); false when it drew nothing.
  bool DrawLineRunByColumns(TCanvas3D& canvas, size_t begin, size_t end);
  void DrawSegment3D(TCanvas3D& canvas, const TPassPoint& a, const TPassPoint& b, bool last);
  void DrawRibbon(TCanvas3D& canvas, fw::TPoint a, fw::TPoint b, fw::TColor color);
  /// The colour of a face seen from below or from the end.
  static fw::TColor SideColor(fw::TColor color);
  /// Whether the ribbon from a to b shows its underside, which a shaded series darkens.
  bool RibbonShowsUnderside(TCanvas3D& canvas, fw::TPoint a, fw::TPoint b) const;
  /// The fill of the ribbon from a to b: the colour, or darkened where its underside shows.
  fw::TColor RibbonFill(TCanvas3D& canvas, fw::TPoint a, fw::TPoint b, fw::TColor color) const;
  /// Whether, in a 3D view that moves every depth by whole pixels, a ribbon between two points
  /// of one pixel column paints exactly the strips of the rows between them (for each row r,
  /// the pixels from the row at the front to its place at the back, one across and one up a
  /// step), in the outline's colour on its first and last strips and along the front and the
  /// back and in its fill within; and whether DrawStrip and DrawRibbonEdges paint the strips
  /// and edges they draw. Tried on scratch images once for each depth.
  bool RibbonsAreStrips(TCanvas3D& canvas);
  /// Whether the ribbons of one pixel column (a line's, or the tops of an area's prisms) may be
  /// drawn by DrawRibbonColumn.
  bool RibbonColumnsApply(TCanvas3D& canvas);
  /// The strips of rows top..bottom at column x in one colour.
  void DrawStrip(TCanvas3D& canvas, int32_t x, int32_t top, int32_t bottom, fw::TColor color);
  /// The outline along the front and the back of rows top..bottom at column x.
  void DrawRibbonEdges(TCanvas3D& canvas, int32_t x, int32_t top, int32_t bottom);
  /// The pixels of the ribbons joining pass points first..last, all on one pixel column: a
  /// line's, or with `tops` the tops of an area's prisms (none closing its run).
  void DrawRibbonColumn(TCanvas3D& canvas, size_t first, size_t last, bool tops);
  /// The ribbons joining pass points begin..end-1 (a line's, or the tops of an area's run of
  /// prisms), those of one pixel column by DrawRibbonColumn.
  void DrawRibbonsByColumns(TCanvas3D& canvas, size_t begin, size_t end, bool tops);
  void DrawPrism(TCanvas3D& canvas, const TPassPoint& a, const TPassPoint& b, bool last);
  /// The area brush's colour, or the point's when the brush has the default colour.
  fw::TColor AreaFill(fw::TColor pointColor) const;
  /// The top of the prism from a to b and, for the last one of a run, its closing end.
  void DrawPrismTop(TCanvas3D& canvas, const TPassPoint& a, const TPassPoint& b, bool last);
  /// The fronts of a 3D area's runs may be drawn after all the tops and ends of their run.
  bool FrontsAfterTops(TCanvas3D& canvas, size_t count) const;
  void DrawAreaLines(TCanvas3D& canvas, size_t begin, size_t end);
  void DrawPointers(TCanvas3D& canvas, size_t begin, size_t end);
  /// Flat markers that paint their whole box, less those that later markers on the same pixel
  /// column cover wholly.
  void DrawUncoveredPointers(TCanvas3D& canvas, size_t begin, size_t end);
  /// Visible markers of a series that merges its drawing, on a plain surface drawing on its
  /// image, not for printing: what leaving markers out and stamping them both need.
  bool MergesPointersOnImage(TCanvas3D& canvas) const;
  /// Whether markers painted over by later ones of their pixel column may be left out: flat
  /// markers that paint their whole box, or in 3D those MeasuresPointers takes.
  bool LeavesOutCoveredPointers(TCanvas3D& canvas) const;
  /// Markers of a pass put down as stamps from this many on: fewer would not pay for measuring
  /// the marker on scratch images each frame.
  static constexpr size_t StampsFromCount = 256;
  /// Whether DrawPointerColumns may walk the markers by their measured pixels (TMarkerShape):
  /// markers that paint opaquely on an image of one device pixel a pixel, flat or in 3D.
  bool MeasuresPointers(TCanvas3D& canvas) const;
  /// How DrawPointerColumns takes the markers: by their measured pixels or as flat boxes, and
  /// the rows of its column a marker at row y stands for, y + Above .. y + Above + Rows - 1.
  struct TPointerColumns {
    bool Measured = false;
    int64_t Above = 0, Rows = 1;
  };
  /// Whether DrawPointerColumns may draw the markers of points first..last (visible markers,
  /// unstacked, ascending X values dense enough for it to pay, flat or in a 3D view that moves
  /// markers by whole pixels), and how; measures the marker when it can be measured.
  bool PointerColumnsApply(TCanvas3D& canvas, int32_t first, int32_t last, TPointerColumns& how);
  /// The markers of points first..last walked a pixel column at a time without a pass, each
  /// column from its last point back, leaving out those that later ones paint over: by their
  /// measured pixels where they can be measured, otherwise flat boxes by their rows. The same
  /// pixels as DrawPointers over every point, drawn after everything else of the series.
  void DrawPointerColumns(TCanvas3D& canvas, int32_t first, int32_t last, const TPointerColumns& how);
  /// The extremes of the stored values of points first..last in blocks of `block` walked back
  /// from the last point (mBlockValues: the blocks' lows, then their highs), and the extremes of
  /// them all in lo and hi (lo > hi when none is a number).
  void BlockValues(int32_t first, int32_t last, int32_t block, double& lo, double& hi);
  /// The rows of the blocks of BlockValues (mBlockRows, as mBlockValues, which then hold the
  /// multiplied values); mBlockShows tells the blocks holding any number. Their extremes must
  /// map monotonically.
  void BlockRows();
  /// Puts the markers of mPointerRows down at pixel column x as one column of stamps
  /// (fw::TSurface::StampColumn), when they are of one colour, paint over each other enough for
  /// that to pay (fw::TStampColumn::Pays), and all of it may be drawn; false, having drawn
  /// nothing, otherwise.
  bool StampsPointerColumn(TCanvas3D& canvas, int32_t x);
  int32_t ClickedArea(int32_t x, int32_t y, const TSeriesStack* stack) const;

  std::unique_ptr<TChartPen> mLinePen;
  std::unique_ptr<TSeriesPointer> mPointer;
  std::unique_ptr<TChartBrush> mAreaBrush;
  std::unique_ptr<TChartPen> mAreaLinesPen;
  bool mStairs = false;
  bool mInvertedStairs = false;
  bool mDark3D = true;
  TMultiArea mMultiArea = maNone;
  bool mUseYOrigin = true;
  double mYOrigin = 0;
  const bool mDrawLine;
  const bool mDrawArea;

  // Scratch of a pass, kept between frames so that drawing allocates nothing.
  std::vector<TPassPoint> mPass;
  std::vector<double> mPassXValues, mPassYValues;  // one block of AppendPassPoints
  std::vector<int32_t> mPassXPixels, mPassYPixels;
  size_t mPassFirst = 0;  // index in mPass of FirstVisible
  TPolygonCorners mCorners;  // of FillRun's polygon
  int32_t mPassStart = 0;  // point index of mPass[0]
  TCoveredRows mCoveredRows;          // of one pixel column, by the later markers there
  std::vector<uint8_t> mPointerShown;  // of one pixel column's markers
  struct TPointerRow {
    int32_t Index, Row;
  };
  std::vector<TPointerRow> mPointerRows;  // the markers of one column that show, last first
  std::vector<double> mBlockValues;       // BlockValues, BlockRows: the blocks' extremes
  std::vector<int32_t> mBlockRows;
  std::vector<char> mBlockShows;          // whether a block holds any number
  std::vector<int32_t> mPointerYs;        // their rows, first first
  std::unique_ptr<TMarkerShape> mMarkerShape;  // of a 3D marker, measured each frame
  std::unique_ptr<TScratchPaint> mScratchPaint;  // where ribbons are tried
  int64_t mStripsDepth = -1;  // the depth RibbonsAreStrips last tried, and its answer
  bool mStripsHold = false;
  std::vector<fw::TColor> mStripColours;  // of one column's ribbons, row by row from the top
  std::vector<int32_t> mColumnRecords;    // AppendRibbonColumn's rows, from the last
};

}  // namespace chart
