#include "chart/series/TPieSeries.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/ChartConst.h"
#include "chart/ChartException.h"
#include "chart/canvas/TCanvas3D.h"
#include "chart/canvas/TChartPen.h"
#include "chart/canvas/ValidateAngle.h"
#include "chart/data/TSeriesMarks.h"
#include "framework/graphics/TBrush.h"
#include "framework/graphics/TPen.h"
#include "framework/runtime/Rounding.h"

namespace chart {

namespace {

constexpr double TwoPi = 2 * std::numbers::pi;
// Rim segments of a whole turn of a flat pie (a slice takes its share, at least one).
constexpr int32_t MaxSliceSegments = 128;

int32_t Clamp32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN / 2, INT32_MAX / 2)); }

int32_t Round32(double v) {
  if (!(v > -1073741824.0)) return -1073741824;
  if (!(v < 1073741824.0)) return 1073741824;
  return fw::RoundDoubleHalfEven(v);
}

}  // namespace

TPieSeries::TPieSeries(fw::TComponent* owner)
    : TChartSeries(owner),
      mOtherSlice(std::make_unique<TPieOtherSlice>([this] { RequestRepaint(); })),
      mShadow(std::make_unique<TPieShadow>([this] { RequestRepaint(); })),
      mPiePen(std::make_unique<TChartPen>([this] { RequestRepaint(); })) {
  SetColorEachPoint(true);
  // Measured against no axis: every point is always visible.
  SetLimitToVisible(false);
}

TPieSeries::~TPieSeries() = default;

std::string TPieSeries::EditorName() const { return ChartConst::PieSeriesEditorName; }

// ---------------------------------------------------------------- settings

template <typename T>
void TPieSeries::Change(T& field, const T& value) {
  if (field == value) return;
  field = value;
  RequestRepaint();
}

void TPieSeries::SetCircled(bool value) { Change(mCircled, value); }

void TPieSeries::SetRotationAngle(int32_t value) {
  ValidateAngle(value, ChartConst::PieRotationAngleDescription);
  Change(mRotationAngle, value);
}

void TPieSeries::SetExplodeBiggest(int32_t value) {
  if (value < 0 || value > 100) throw ChartException(ChartConst::PieExplodeBiggestRange);
  Change(mExplodeBiggest, value);
}

void TPieSeries::SetPiePen(const fw::TPen& value) { mPiePen->Assign(value); }
void TPieSeries::SetDark3D(bool value) { Change(mDark3D, value); }

void TPieSeries::Assign(const TChartSeries& source) {
  if (&source == this) return;
  if (auto* pie = dynamic_cast<const TPieSeries*>(&source)) {
    mCircled = pie->mCircled;
    mRotationAngle = pie->mRotationAngle;
    mExplodeBiggest = pie->mExplodeBiggest;
    mDark3D = pie->mDark3D;
    mOtherSlice->Assign(*pie->mOtherSlice);
    mShadow->Assign(*pie->mShadow);
    mPiePen->Assign(*pie->mPiePen);
  }
  TChartSeries::Assign(source);
}

// ---------------------------------------------------------------- slices

void TPieSeries::DoBeforeDrawChart() {
  mSlicesValid = false;
  TChartSeries::DoBeforeDrawChart();
}

const std::vector<TPieSeries::TSlice>& TPieSeries::Slices() {
  mSlicesValid = true;
  mSlices.clear();
  mExplodedSlice = NoSlice;
  const int32_t count = PointCount();
  mSliceOfPoint.assign(static_cast<size_t>(count), -1);
  // Each point's magnitude, 0 for a gap (a null point, or a value that is not finite or is 0):
  // a gap then adds nothing to the largest magnitude or to the total, and has no slice.
  // A point beyond the values (a list shortened on its own) is a gap too.
  std::vector<double>& magnitudes = mMagnitudes;
  magnitudes.assign(static_cast<size_t>(count), 0.0);
  YValues().CopyValues(0, std::min(count, YValues().ValueCount()), magnitudes.data());
  for (double& m : magnitudes) m = std::isfinite(m) ? std::fabs(m) : 0.0;
  if (MayHaveNullPoints())
    for (int32_t i = 0; i < count; ++i)
      if (IsNullPoint(i)) magnitudes[static_cast<size_t>(i)] = 0;
  double largest = 0;
  for (const double m : magnitudes) largest = std::max(largest, m);
  if (!(largest > 0)) return mSlices;
  // Magnitudes are scaled by the largest one, so that their sum stays finite. A gap's term is
  // +0, which leaves the sum as it is.
  double total = 0;
  for (const double m : magnitudes) total += m / largest;
  if (!(total > 0)) return mSlices;
  const TPieOtherStyle otherStyle = mOtherSlice->Style();
  const double limit = mOtherSlice->Value();
  auto grouped = [&](double magnitude) {
    if (otherStyle == poBelowPercent) return magnitude / largest * 100.0 / total < limit;
    if (otherStyle == poBelowValue) return magnitude < limit;
    return false;
  };
  const double start = mRotationAngle * std::numbers::pi / 180.0;
  double angle = start;
  double other = 0;
  bool hasOther = false;
  for (int32_t i = 0; i < count; ++i) {
    const double magnitude = magnitudes[static_cast<size_t>(i)];
    if (magnitude == 0) continue;
    if (grouped(magnitude)) {
      other += magnitude / largest;
      hasOther = true;
      continue;
    }
    TSlice slice;
    slice.Index = i;
    slice.Value = magnitude;
    slice.Start = angle;
    angle += TwoPi * (magnitude / largest) / total;
    slice.End = angle;
    slice.Color = ColorOfPoint(i);
    mSliceOfPoint[static_cast<size_t>(i)] = static_cast<int32_t>(mSlices.size());
    mSlices.push_back(slice);
  }
  if (hasOther && other > 0) {
    TSlice slice;
    slice.Value = other * largest;
    slice.Start = angle;
    slice.End = angle + TwoPi * other / total;
    slice.Color = mOtherSlice->Color();
    mSlices.push_back(slice);
  }
  // The last slice closes the circle exactly.
  if (!mSlices.empty()) mSlices.back().End = start + TwoPi;
  if (mLaidOut) ApplyExplosion();
  return mSlices;
}

void TPieSeries::ApplyExplosion() {
  // The biggest slice (the first of equal ones) moves out along its middle. Only the slice
  // moved last time may have offsets to take back.
  if (mExplodedSlice < mSlices.size()) mSlices[mExplodedSlice].OffsetX = mSlices[mExplodedSlice].OffsetY = 0;
  mExplodedSlice = NoSlice;
  if (mExplodeBiggest <= 0 || mSlices.empty()) return;
  size_t at = 0;
  for (size_t k = 1; k < mSlices.size(); ++k)
    if (mSlices[k].Value > mSlices[at].Value) at = k;
  mExplodedSlice = at;
  TSlice* biggest = &mSlices[at];
  const double middle = (biggest->Start + biggest->End) / 2;
  biggest->OffsetX = Round32(mXRadius * mExplodeBiggest / 100.0 * std::cos(middle));
  biggest->OffsetY = Round32(-mYRadius * mExplodeBiggest / 100.0 * std::sin(middle));
}

const TPieSeries::TSlice* TPieSeries::SliceOfPoint(int32_t index) const {
  if (!mSlicesValid || index < 0 || static_cast<size_t>(index) >= mSliceOfPoint.size()) return nullptr;
  const int32_t at = mSliceOfPoint[static_cast<size_t>(index)];
  return at < 0 ? nullptr : &mSlices[static_cast<size_t>(at)];
}

void TPieSeries::Layout() {
  TSeriesHost* chart = ParentChart();
  if (!chart) return;
  const fw::TRect plot = chart->ChartPlotRect();
  int64_t rx = (int64_t{plot.Right} - plot.Left) / 2;
  int64_t ry = (int64_t{plot.Bottom} - plot.Top) / 2;
  TCanvas3D& canvas = chart->Canvas3D();
  if (Marks().Visible() && canvas.Surface()) {
    chart->ChartSelectFont(Marks().Font());
    const int64_t frame = Marks().Frame().Visible() ? 2 * int64_t{Marks().Frame().Width()} : 0;
    const int64_t arrow = std::max(0, Marks().ArrowLength());
    rx -= int64_t{MaxMarkWidth()} + canvas.MeasureTextWidth("W") + frame + arrow;
    ry -= int64_t{canvas.CharacterHeight()} + frame + arrow;
  }
  rx -= std::abs(mShadow->HorizSize());
  ry -= std::abs(mShadow->VertSize());
  rx = rx * 100 / (100 + mExplodeBiggest);
  ry = ry * 100 / (100 + mExplodeBiggest);
  if (mCircled) rx = ry = std::min(rx, ry);
  mXRadius = Clamp32(std::max<int64_t>(0, rx));
  mYRadius = Clamp32(std::max<int64_t>(0, ry));
  mCenterX = Clamp32((int64_t{plot.Left} + plot.Right) / 2);
  mCenterY = Clamp32((int64_t{plot.Top} + plot.Bottom) / 2);
  mLaidOut = true;
  ApplyExplosion();
}

// ---------------------------------------------------------------- drawing

void TPieSeries::PrepareCanvas(TCanvas3D& canvas) const {
  canvas.ApplyChartPen(*mPiePen);
  canvas.Brush().SetBitmap(nullptr);
  canvas.Brush().SetStyle(fw::bsSolid);
}

void TPieSeries::DrawShadow(TCanvas3D& canvas) {
  if (!mShadow->Visible()) return;
  const fw::TColor penColor = canvas.Pen().Color();
  const fw::TPenStyle penStyle = canvas.Pen().Style();
  canvas.Pen().SetStyle(fw::psClear);
  canvas.Brush().SetColor(mShadow->Color());
  const int32_t cx = mCenterX + mShadow->HorizSize();
  const int32_t cy = mCenterY + mShadow->VertSize();
  if (ParentChart()->ChartView3D())
    canvas.DrawEllipseAtDepth(cx - mXRadius, cy - mYRadius, cx + mXRadius, cy + mYRadius, DepthEnd());
  else
    canvas.DrawEllipse(cx - mXRadius, cy - mYRadius, cx + mXRadius + 1, cy + mYRadius + 1);
  canvas.Pen().SetStyle(penStyle);
  canvas.Pen().SetColor(penColor);
}

void TPieSeries::DrawSlice(TCanvas3D& canvas, const TSlice& slice, double start, double end) {
  if (mXRadius <= 0 && mYRadius <= 0) return;
  const int32_t cx = mCenterX + slice.OffsetX;
  const int32_t cy = mCenterY + slice.OffsetY;
  canvas.Brush().SetColor(slice.Color);
  if (ParentChart()->ChartView3D()) {
    canvas.DrawPieSlice3D(cx, cy, mXRadius, mYRadius, DepthStart(), DepthEnd(), start, end, mDark3D);
    return;
  }
  if (end - start >= TwoPi - 1e-12) {
    canvas.DrawEllipse(cx - mXRadius, cy - mYRadius, cx + mXRadius + 1, cy + mYRadius + 1);
    return;
  }
  // A polygon from the centre along the rim: its cost follows the slice's own area. Two
  // neighbouring slices compute their common rim point from the same angle, so they meet
  // without a gap.
  const int32_t segments =
      std::clamp(static_cast<int32_t>(std::ceil((end - start) / TwoPi * MaxSliceSegments)), 1, MaxSliceSegments);
  std::vector<fw::TPoint>& points = mPolygon;
  points.clear();
  points.push_back({cx, cy});
  for (int32_t k = 0; k <= segments; ++k) {
    const double a = k == segments ? end : start + (end - start) * k / segments;
    points.push_back({Round32(cx + mXRadius * std::cos(a)), Round32(cy - mYRadius * std::sin(a))});
  }
  canvas.DrawPolygon(points);
}

void TPieSeries::DrawAllPoints() {
  TSeriesHost* chart = ParentChart();
  if (!chart) return;
  TCanvas3D& canvas = chart->Canvas3D();
  if (!canvas.Surface()) return;
  const std::vector<TSlice>& slices = Slices();
  Layout();
  if (slices.empty()) return;
  PrepareCanvas(canvas);
  DrawShadow(canvas);
  // A slice narrower than a pixel along the rim is drawn as part of the next one, so that a
  // pie of very many points is covered without gaps at the cost of one call per pixel of rim.
  const double rim = std::max(1, std::max(mXRadius, mYRadius));
  bool pending = false;
  double pendingStart = 0;
  for (size_t k = 0; k < slices.size(); ++k) {
    const TSlice& slice = slices[k];
    const double start = pending ? pendingStart : slice.Start;
    const bool exploded = slice.OffsetX != 0 || slice.OffsetY != 0;
    if (k + 1 < slices.size() && !exploded && (slice.End - start) * rim < 1) {
      if (!pending) pendingStart = start;
      pending = true;
      continue;
    }
    pending = false;
    DrawSlice(canvas, slice, start, slice.End);
  }
}

void TPieSeries::DrawOnePoint(int32_t index) {
  TSeriesHost* chart = ParentChart();
  if (!chart) return;
  TCanvas3D& canvas = chart->Canvas3D();
  if (!canvas.Surface()) return;
  if (index == FirstVisible() || !mSlicesValid) {
    Slices();
    Layout();
  }
  const TSlice* slice = SliceOfPoint(index);
  if (!slice) return;
  PrepareCanvas(canvas);
  DrawSlice(canvas, *slice, slice->Start, slice->End);
  // The grouped slice follows the last point.
  if (index == PointCount() - 1 && !mSlices.empty() && mSlices.back().Index == -1)
    DrawSlice(canvas, mSlices.back(), mSlices.back().Start, mSlices.back().End);
}

// ---------------------------------------------------------------- marks and clicks

int32_t TPieSeries::XPixel(int32_t index) const {
  const TSlice* slice = SliceOfPoint(index);
  if (!slice) return mCenterX;
  return Round32(mCenterX + slice->OffsetX + mXRadius * std::cos((slice->Start + slice->End) / 2));
}

int32_t TPieSeries::YPixel(int32_t index) const {
  const TSlice* slice = SliceOfPoint(index);
  if (!slice) return mCenterY;
  return Round32(mCenterY + slice->OffsetY - mYRadius * std::sin((slice->Start + slice->End) / 2));
}

void TPieSeries::DrawMark(int32_t index, const std::string& text, TSeriesMarkPosition& position) {
  const TSlice* slice = SliceOfPoint(index);
  if (!slice) return;
  PlaceMark(*slice, position);
  TChartSeries::DrawMark(index, text, position);
}

void TPieSeries::DoAfterDrawValues() {
  DrawOtherSliceMark();
  TChartSeries::DoAfterDrawValues();
}

void TPieSeries::DrawOtherSliceMark() {
  TSeriesHost* chart = ParentChart();
  if (!chart || !Marks().Visible() || !mSlicesValid || mSlices.empty() || mSlices.back().Index != -1) return;
  const std::string& text = mOtherSlice->Text();
  if (text.empty()) return;
  TCanvas3D& canvas = chart->Canvas3D();
  if (!canvas.Surface()) return;
  chart->ChartSelectFont(Marks().Font());
  TSeriesMarkPosition position;
  position.Width = canvas.MeasureTextWidth(text) + canvas.MeasureTextWidth("W");
  position.Height = canvas.CharacterHeight();
  canvas.ApplyChartPen(Marks().Frame());
  if (Marks().Frame().Visible()) {
    position.Width += 2 * Marks().Frame().Width();
    position.Height += 2 * Marks().Frame().Width();
  }
  const TSlice& slice = mSlices.back();
  PlaceMark(slice, position);
  // Kept in the slot after the last point.
  Marks().DrawOneMark(PointCount(), slice.Color, position, text);
}

void TPieSeries::PlaceMark(const TSlice& slice, TSeriesMarkPosition& position) const {
  const double middle = (slice.Start + slice.End) / 2;
  const double c = std::cos(middle);
  const double s = std::sin(middle);
  const double arrow = std::max(0, Marks().ArrowLength());
  const double cx = mCenterX + slice.OffsetX;
  const double cy = mCenterY + slice.OffsetY;
  position.ArrowFromX = Round32(cx + mXRadius * c);
  position.ArrowFromY = Round32(cy - mYRadius * s);
  position.ArrowToX = Round32(cx + (mXRadius + arrow) * c);
  position.ArrowToY = Round32(cy - (mYRadius + arrow) * s);
  // The box lies beyond the end of the leader line, on the side it points to.
  const double w = position.Width;
  const double h = position.Height;
  position.LeftTopX = Round32(position.ArrowToX - w / 2 + c * w / 2);
  position.LeftTopY = Round32(position.ArrowToY - h / 2 - s * h / 2);
}

int32_t TPieSeries::ClickedIndex(int32_t x, int32_t y) const {
  if (!mSlicesValid || !mLaidOut || mSlices.empty() || mXRadius <= 0 || mYRadius <= 0) return -1;
  if (TSeriesHost* chart = ParentChart()) {
    if (chart->ChartView3D()) chart->Canvas3D().UnprojectPoint(x, y, DepthStart());
  }
  const double start = mSlices.front().Start;
  auto hit = [&](const TSlice& slice) {
    const double dx = (static_cast<double>(x) - (mCenterX + slice.OffsetX)) / mXRadius;
    const double dy = ((mCenterY + slice.OffsetY) - static_cast<double>(y)) / mYRadius;
    if (dx * dx + dy * dy > 1.0) return false;
    double angle = std::atan2(dy, dx);
    // Into start .. start + 2 pi.
    angle = std::fmod(angle - start, TwoPi);
    if (angle < 0) angle += TwoPi;
    angle += start;
    return angle >= slice.Start && angle < slice.End;
  };
  // An exploded slice lies outside the others: ask it first.
  for (const TSlice& slice : mSlices)
    if ((slice.OffsetX != 0 || slice.OffsetY != 0) && hit(slice)) return slice.Index;
  // The others by angle (their starts ascend).
  const double dx = (static_cast<double>(x) - mCenterX) / mXRadius;
  const double dy = (mCenterY - static_cast<double>(y)) / mYRadius;
  if (dx * dx + dy * dy > 1.0) return -1;
  double angle = std::fmod(std::atan2(dy, dx) - start, TwoPi);
  if (angle < 0) angle += TwoPi;
  angle += start;
  auto it = std::upper_bound(mSlices.begin(), mSlices.end(), angle,
                             [](double a, const TSlice& slice) { return a < slice.Start; });
  if (it == mSlices.begin()) return -1;
  const TSlice& slice = *(it - 1);
  if (slice.OffsetX != 0 || slice.OffsetY != 0 || !(angle < slice.End)) return -1;
  return slice.Index;
}

}  // namespace chart
