#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "chart/data/TChartSeries.h"
#include "chart/series/TPieOtherSlice.h"
#include "chart/series/TPieShadow.h"
#include "framework/graphics/TPoint.h"
#include "framework/graphics/TRect.h"

namespace fw {
class TPen;
}

namespace chart {

class TCanvas3D;
class TChartPen;

/// A pie: one slice per point, its angle in proportion to the magnitude of the point's value,
/// in the point's colour (the palette by default: ColorEachPoint starts on). Measured against
/// no axis; the pie fills the plot rectangle, leaving room for its marks, its exploded slice
/// and its shadow. In 3D every slice is a slab of the series' depth (the canvas pie slice).
///
/// Slices run counter-clockwise from RotationAngle (degrees from 3 o'clock). Null points,
/// values that are not finite numbers and zero values give no slice; a zero total draws
/// nothing. Slices narrower than a pixel along the rim are drawn as part of the next slice.
class TPieSeries : public TChartSeries {
public:
  explicit TPieSeries(fw::TComponent* owner = nullptr);
  ~TPieSeries() override;

  std::string ClassName() const override { return "TPieSeries"; }
  std::string EditorName() const override;

  /// The pie is a circle (true) or an ellipse filling the room (false, the default).
  bool Circled() const { return mCircled; }
  void SetCircled(bool value);
  /// Start of the first slice, 0..359 degrees counter-clockwise from 3 o'clock (ValidateAngle:
  /// ChartException "Pie Rotation Angle must be between 0 and 359 degrees" otherwise).
  int32_t RotationAngle() const { return mRotationAngle; }
  void SetRotationAngle(int32_t value);
  /// The biggest slice moves out by this percent of the radius, 0..100 (default 0).
  /// ChartException "Pie Explode Biggest must be between 0 and 100" otherwise.
  int32_t ExplodeBiggest() const { return mExplodeBiggest; }
  void SetExplodeBiggest(int32_t value);
  TPieOtherSlice& OtherSlice() const { return *mOtherSlice; }
  void SetOtherSlice(const TPieOtherSlice& value) { mOtherSlice->Assign(value); }
  TPieShadow& Shadow() const { return *mShadow; }
  void SetShadow(const TPieShadow& value) { mShadow->Assign(value); }
  /// Outline of the slices (black, width 1).
  TChartPen& PiePen() const { return *mPiePen; }
  void SetPiePen(const fw::TPen& value);
  /// Sides of 3D slices shaded (default true).
  bool Dark3D() const { return mDark3D; }
  void SetDark3D(bool value);

  /// One slice as laid out in the last frame. Index is the point, or -1 for the "other"
  /// slice; angles in radians, counter-clockwise, End > Start.
  struct TSlice {
    int32_t Index = -1;
    double Value = 0;
    double Start = 0;
    double End = 0;
    fw::TColor Color = fw::clNone;
    int32_t OffsetX = 0;  // explosion
    int32_t OffsetY = 0;
  };
  /// The slices in drawing order (the "other" slice last), recomputed from the points; their
  /// explosion offsets are those of the last frame.
  const std::vector<TSlice>& Slices();
  /// Centre and radii of the pie in the last frame (before any explosion).
  fw::TPoint Center() const { return {mCenterX, mCenterY}; }
  int32_t XRadius() const { return mXRadius; }
  int32_t YRadius() const { return mYRadius; }

  // ---- series operations ----
  bool UseAxis() const override { return false; }
  void DoBeforeDrawChart() override;
  void DrawAllPoints() override;
  void DrawOnePoint(int32_t index) override;
  /// The point whose slice holds (x, y), by angle around the centre and radius; -1 outside the
  /// pie, on the "other" slice or before the first frame.
  int32_t ClickedIndex(int32_t x, int32_t y) const override;
  /// The centre of the point's slice rim (where its mark's leader line starts).
  int32_t XPixel(int32_t index) const override;
  int32_t YPixel(int32_t index) const override;
  void Assign(const TChartSeries& source) override;
  /// Draws the "other" slice's mark (OtherSlice.Text) after the points' marks, then raises
  /// AfterDrawValues.
  void DoAfterDrawValues() override;

protected:
  /// The mark sits outside the slice, joined to the middle of its rim by a leader line of
  /// Marks.ArrowLength pixels; grouped points and gaps have no mark.
  void DrawMark(int32_t index, const std::string& text, TSeriesMarkPosition& position) override;

private:
  /// Centre and radii from the plot rectangle, the marks, explosion and shadow.
  void Layout();
  /// Offsets of the biggest slice from ExplodeBiggest and the radii.
  void ApplyExplosion();
  void PrepareCanvas(TCanvas3D& canvas) const;
  void DrawSlice(TCanvas3D& canvas, const TSlice& slice, double start, double end);
  void DrawShadow(TCanvas3D& canvas);
  void DrawOtherSliceMark();
  /// Leader line from the middle of the slice's rim outward, the box beyond its end.
  void PlaceMark(const TSlice& slice, TSeriesMarkPosition& position) const;
  /// Position of the slice of point index, or nullptr.
  const TSlice* SliceOfPoint(int32_t index) const;
  template <typename T>
  void Change(T& field, const T& value);

  bool mCircled = false;
  int32_t mRotationAngle = 0;
  int32_t mExplodeBiggest = 0;
  bool mDark3D = true;
  std::unique_ptr<TPieOtherSlice> mOtherSlice;
  std::unique_ptr<TPieShadow> mShadow;
  std::unique_ptr<TChartPen> mPiePen;

  std::vector<TSlice> mSlices;
  std::vector<int32_t> mSliceOfPoint;  // slice position of each point, -1 for none
  std::vector<double> mMagnitudes;     // scratch: each point's magnitude, 0 for a gap
  static constexpr size_t NoSlice = SIZE_MAX;
  size_t mExplodedSlice = NoSlice;     // the slice ApplyExplosion moved out, if any
  bool mSlicesValid = false;
  bool mLaidOut = false;
  int32_t mCenterX = 0, mCenterY = 0;
  int32_t mXRadius = 0, mYRadius = 0;
  std::vector<fw::TPoint> mPolygon;  // scratch outline of one flat slice
};

}  // namespace chart
