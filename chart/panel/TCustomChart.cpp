#include "chart/panel/TCustomChart.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "chart/axes/TChartAxis.h"
#include "chart/axes/TChartDepthAxis.h"
#include "chart/canvas/PixelMath.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "framework/graphics/TPicture.h"
#include "chart/canvas/TView3DOptions.h"
#include "chart/data/TChartSeries.h"
#include "framework/graphics/TBitmap.h"

namespace chart {

namespace {

constexpr fw::TColor LeftWallColor = 8454143;  // light yellow
constexpr int32_t BuiltInAxisCount = 5;        // bottom, top, left, right, depth
// Layouts of one frame at most: the lengths settle after one or two.
constexpr int32_t MaxLayoutRounds = 4;

fw::TRect Intersection(const fw::TRect& a, const fw::TRect& b) {
  return fw::TRect{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                   std::min(a.Bottom, b.Bottom)};
}

}  // namespace

TCustomChart::TCustomChart(fw::TComponent* owner) : TCustomAxisPanel(owner) {
  mTitle = std::make_unique<TChartTitle>(this);
  mFoot = std::make_unique<TChartTitle>(this);
  mBackWall = std::make_unique<TChartWall>(this, fw::clDefault);
  mBackWall->Brush().SetStyle(fw::bsClear);
  mLeftWall = std::make_unique<TChartWall>(this, LeftWallColor);
  mLegend = std::make_unique<TChartLegend>(this);
  mBottomWall = std::make_unique<TChartWall>(this, fw::clWhite);
}

TCustomChart::~TCustomChart() {
  SetRepaintEnabled(false);
  mTitle.reset();
  mFoot.reset();
  mBackWall.reset();
  mBottomWall.reset();
  mLeftWall.reset();
  mLegend.reset();
}

// ---- settings ----------------------------------------------------------------------------------

void TCustomChart::SetBackColor(fw::TColor value) {
  if (!mBackWall) return;
  mBackWall->SetColor(value);
  if (Parent() != nullptr && !IsLoading()) mBackWall->Brush().SetStyle(fw::bsSolid);
}

void TCustomChart::SetFrame(const fw::TPen& value) {
  if (mBackWall) mBackWall->Pen().Assign(value);
}

bool TCustomChart::ColorIsFree(fw::TColor color, bool checkBackground) const {
  for (const TChartSeries* s : SeriesList())
    if (s->SeriesColor() == color) return false;
  if (checkBackground && (color == Color() || color == BackColor())) return false;
  return true;
}

void TCustomChart::Assign(const TCustomChartPanel& source) {
  if (auto* other = dynamic_cast<const TCustomChart*>(&source)) {
    mBackImageInside = other->mBackImageInside;
    mBackWall->Assign(*other->mBackWall);
    mBottomWall->Assign(*other->mBottomWall);
    mLeftWall->Assign(*other->mLeftWall);
    mLegend->Assign(*other->mLegend);
    mFoot->Assign(*other->mFoot);
    mTitle->Assign(*other->mTitle);
  }
  TCustomAxisPanel::Assign(source);
}

int32_t TCustomChart::WallThicknessForAxis(const TCustomChartAxis& axis) const {
  if (!View3D() || !View3DWalls()) return 0;
  if (&axis == &LeftAxis()) return mLeftWall->Size();
  if (&axis == &BottomAxis()) return mBottomWall->Size();
  return 0;
}

// ---- layout ------------------------------------------------------------------------------------

void TCustomChart::LayoutAxes() {
  for (int32_t i = 0; i < AxisCount(); ++i) Axes(i).ComputeWorkingRange();
  ComputeDepthSizes();
  if (View3D() && View3DOptions().Orthogonal()) {
    const int64_t w = View3DWalls() ? mBackWall->Size() : 0;
    fw::TRect r = PlotRect();
    r.Right = static_cast<int32_t>(std::clamp<int64_t>(r.Right - (std::llabs(DepthWidth()) + w), INT32_MIN, INT32_MAX));
    r.Top = static_cast<int32_t>(std::clamp<int64_t>(r.Top + (std::llabs(DepthHeight()) + w), INT32_MIN, INT32_MAX));
    SetPlotRect(r);
  } else {
    NormalizePlotRect();
  }

  // An axis sizes its labels band by the labels its length leaves room for, and that length is
  // only known once every axis has taken its room: the bands are measured with the lengths the
  // axes had before (none before the first frame). When the lengths found differ from those,
  // the bands are measured again with them, as the next frame would, until they agree.
  const fw::TRect bounds = PlotRect();
  std::vector<int32_t> lengths;
  for (int32_t round = 0; round < MaxLayoutRounds; ++round) {
    lengths.clear();
    for (int32_t i = 0; i < AxisCount(); ++i) lengths.push_back(Axes(i).AxisLength());
    fw::TRect r = bounds;
    for (int32_t i = 0; i < AxisCount(); ++i) {
      TCustomChartAxis& axis = Axes(i);
      if (!AxisShown(axis)) continue;
      fw::TRect reduced = r;
      axis.ReserveSpace(reduced, i < BuiltInAxisCount);
      const fw::TRect inside = Intersection(reduced, r);
      if (!inside.IsEmpty()) r = inside;
    }
    SetPlotRect(r);
    bool settled = true;
    for (int32_t i = 0; i < AxisCount(); ++i) {
      Axes(i).ComputePixelSpan();
      if (Axes(i).AxisLength() != lengths[static_cast<size_t>(i)]) settled = false;
    }
    if (settled) break;
  }
}

void TCustomChart::ApplySeriesMargins() {
  TCustomChartAxis* axes[] = {&TopAxis(), &LeftAxis(), &RightAxis(), &BottomAxis()};
  for (TCustomChartAxis* axis : axes) {
    fw::TRect margins;
    for (const TChartSeries* s : SeriesList()) {
      if (!s->Active() || !s->UsesAxis(axis)) continue;
      int32_t a = 0;
      int32_t b = 0;
      if (axis->IsHorizontal()) {
        s->HorizMargins(a, b);
        if (axis->AutomaticMinimum()) margins.Left = std::max(margins.Left, a);
        if (axis->AutomaticMaximum()) margins.Right = std::max(margins.Right, b);
      } else {
        s->VertMargins(a, b);
        if (axis->AutomaticMaximum()) margins.Top = std::max(margins.Top, a);
        if (axis->AutomaticMinimum()) margins.Bottom = std::max(margins.Bottom, b);
      }
    }
    axis->WidenForMargins(margins);
  }
}

// ---- titles ------------------------------------------------------------------------------------

void TCustomChart::PlaceTitlesAndLegend() {
  TChartCanvas3D& canvas = Canvas();
  canvas.BeginFlatDrawing();
  const bool legendShown = mLegend->Visible() && FirstActiveSeries() != nullptr;
  // A legend that is not painted in this frame answers no mouse click either.
  if (!legendShown) mLegend->ClearLayout();
  // A side legend takes its room first; a top or bottom one sits inside what the titles leave.
  if (legendShown && mLegend->IsVertical()) mLegend->PaintLegend();
  if (mTitle->Visible()) mTitle->RenderTitle(true);
  if (mFoot->Visible()) mFoot->RenderTitle(false);
  if (legendShown && !mLegend->IsVertical()) mLegend->PaintLegend();
  canvas.EndFlatDrawing();
}

// ---- legend ------------------------------------------------------------------------------------

std::string TCustomChart::LegendTextFor(int32_t n) {
  std::string text = mLegend->FormatItemText(n);
  if (OnGetLegendText) OnGetLegendText(this, mLegend->EffectiveStyle(), n, text);
  return text;
}

std::string TCustomChart::FormattedLegendValue(TChartSeries& series, int32_t valueIndex) {
  return mLegend->PointText(series, valueIndex);
}

// ---- walls -------------------------------------------------------------------------------------

void TCustomChart::SelectWallStyle(const TCustomChartWall& wall) {
  TChartCanvas3D& canvas = Canvas();
  canvas.ApplyChartPen(wall.Pen());
  const TChartBrush& brush = wall.Brush();
  if (brush.HasBrushBitmap()) {
    canvas.Brush().SetBitmap(brush.Bitmap());
    return;
  }
  canvas.Brush().SetBitmap(nullptr);
  if (wall.Color() == fw::clDefault && brush.Style() == fw::bsSolid)
    canvas.Brush().SetStyle(fw::bsClear);
  else
    ApplyFillBrush(wall.Color(), brush.Style(), brush.Color());
}

void TCustomChart::PaintWalls() {
  if (!OnlySeriesWithoutAxes()) PaintBackWall();
  if (BackImage().Graphic() != nullptr && mBackImageInside) {
    fw::TRect r = PlotRect();
    if (mBackWall->Pen().Visible()) {
      ++r.Top;
      --r.Bottom;
    }
    DrawBackImageAt(r, DepthWidth());
  }
  if (View3D() && View3DWalls() && !OnlySeriesWithoutAxes()) PaintSideWalls();
}

void TCustomChart::PaintBackWall() {
  TChartCanvas3D& canvas = Canvas();
  SelectWallStyle(*mBackWall);
  const fw::TRect p = PlotRect();
  if (!View3D()) {
    // The outline surrounds the plot rectangle including its right and bottom pixel rows.
    canvas.DrawRectangle(p.Left, p.Top, pixel::Add(p.Right, 1), pixel::Add(p.Bottom, 1));
    return;
  }
  if (!View3DWalls()) return;
  const int32_t size = mBackWall->Size();
  if (size > 0) {
    // Sums in 64 bits, clamped: a wall as thick as the 32-bit range ends far off the surface.
    const int64_t s = DepthWidth() < 0 ? -int64_t{size} : size;
    canvas.DrawCuboid(pixel::Add(p.Left, -int64_t{WallThicknessForAxis(LeftAxis())}), p.Right, p.Top,
                      pixel::Add(p.Bottom, WallThicknessForAxis(BottomAxis())), DepthWidth(),
                      pixel::Add(DepthWidth(), s), mBackWall->UsesDarkSides());
  } else {
    canvas.DrawRectangleAtDepth(fw::TRect{pixel::Add(p.Left, 1), pixel::Add(p.Top, -1), p.Right, p.Bottom}, DepthWidth());
  }
}

void TCustomChart::PaintSideWalls() {
  TChartCanvas3D& canvas = Canvas();
  const fw::TRect p = PlotRect();
  const int32_t bottomThickness = WallThicknessForAxis(BottomAxis());

  SelectWallStyle(*mLeftWall);
  const int32_t t = mLeftWall->Size();
  if (t > 0)
    canvas.DrawCuboid(pixel::Add(p.Left, -int64_t{t}), p.Left, p.Top, pixel::Add(p.Bottom, bottomThickness), 0,
                      DepthWidth(), mLeftWall->UsesDarkSides());
  else
    canvas.DrawSidePlane(p.Left, p.Top, pixel::Add(p.Bottom, bottomThickness), 0, pixel::Add(DepthWidth(), 1));

  SelectWallStyle(*mBottomWall);
  const int32_t y = pixel::Add(p.Bottom, canvas.PrefersDepthDrawing() ? 1 : 0);
  const int32_t b = mBottomWall->Size();
  if (b > 0)
    canvas.DrawCuboid(p.Left, p.Right, y, pixel::Add(y, b), 0, DepthWidth(), mBottomWall->UsesDarkSides());
  else
    canvas.DrawHorizontalPlane(p.Left, p.Right, y, 0, DepthWidth());
}

void TCustomChart::DrawBackgroundImage(const fw::TRect& rect) {
  if (!mBackImageInside) TCustomChartPanelExtended::DrawBackgroundImage(rect);
}

}  // namespace chart
