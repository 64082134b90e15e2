#include "chart/series/TSeriesPointer.h"

#include <algorithm>
#include <array>
#include <climits>

#include "chart/ChartConst.h"
#include "chart/ChartException.h"
#include "chart/canvas/TCanvas3D.h"
#include "chart/canvas/TChartCanvas.h"
#include "chart/canvas/TChartPen.h"
#include "chart/data/TChartSeries.h"
#include "chart/panel/TChartBrush.h"
#include "framework/graphics/TBrush.h"
#include "framework/graphics/TPen.h"
#include "framework/graphics/TPoint.h"
#include "framework/streaming/TClassRegistry.h"

namespace chart {

namespace {

constexpr int32_t MaxPointerSize = 1000;

// v + d kept inside the 32-bit range: points far off the surface must not wrap around.
int32_t Offset(int32_t v, int64_t d) {
  return static_cast<int32_t>(std::clamp<int64_t>(int64_t{v} + d, INT32_MIN, INT32_MAX));
}

void CheckSize(int32_t value) {
  if (value < 0 || value > MaxPointerSize) throw ChartException(ChartConst::PointerSizeRange);
}

}  // namespace

TSeriesPointer::TSeriesPointer(TChartSeries& parent, bool visible)
    : mParent(parent),
      mVisible(visible),
      mDefaultVisible(visible),
      mBrush(std::make_unique<TChartBrush>([this] { Changed(); })),
      mPen(std::make_unique<TChartPen>([this] { Changed(); })) {}

TSeriesPointer::~TSeriesPointer() = default;

void TSeriesPointer::Changed() { mParent.RequestRepaint(); }

template <typename T>
static bool Store(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}

void TSeriesPointer::SetVisible(bool value) {
  if (Store(mVisible, value)) Changed();
}
void TSeriesPointer::SetStyle(TSeriesPointerStyle value) {
  if (value < psRectangle || value > psSmallDot) return;
  if (Store(mStyle, value)) Changed();
}
void TSeriesPointer::SetHorizSize(int32_t value) {
  CheckSize(value);
  if (Store(mHorizSize, value)) Changed();
}
void TSeriesPointer::SetVertSize(int32_t value) {
  CheckSize(value);
  if (Store(mVertSize, value)) Changed();
}
void TSeriesPointer::SetDraw3D(bool value) {
  if (Store(mDraw3D, value)) Changed();
}
void TSeriesPointer::SetDark3D(bool value) {
  if (Store(mDark3D, value)) Changed();
}
void TSeriesPointer::SetInflateMargins(bool value) {
  if (Store(mInflateMargins, value)) Changed();
}
void TSeriesPointer::SetBrush(const fw::TBrush& value) { mBrush->Assign(value); }
void TSeriesPointer::SetPen(const fw::TPen& value) { mPen->Assign(value); }

void TSeriesPointer::Assign(const TSeriesPointer& source) {
  if (&source == this) return;
  mVisible = source.mVisible;
  mStyle = source.mStyle;
  mHorizSize = source.mHorizSize;
  mVertSize = source.mVertSize;
  mDraw3D = source.mDraw3D;
  mDark3D = source.mDark3D;
  mInflateMargins = source.mInflateMargins;
  mBrush->Assign(*source.mBrush);
  mPen->Assign(*source.mPen);
  Changed();
}

// ---------------------------------------------------------------- drawing

void TSeriesPointer::PrepareCanvas(TCanvas3D& canvas, fw::TColor color) const {
  canvas.ApplyChartPen(*mPen);
  if (!canvas.Surface()) return;
  // The marker's brush is put together first and taken in one step: when it is the previous
  // marker's, the canvas brush does not change and the surface does not select it again.
  fw::TBrush brush;
  brush.Assign(*mBrush);
  brush.SetColor(mBrush->Color() == fw::clDefault ? color : mBrush->Color());
  canvas.Brush().Assign(brush);
}

void TSeriesPointer::DrawLines(TCanvas3D& canvas, int32_t x, int32_t y, int32_t h, int32_t v, fw::TColor color,
                               bool view3D, int32_t z) const {
  canvas.ApplyChartPen(*mPen);
  if (!canvas.Surface()) return;
  canvas.Pen().SetColor(color);
  const auto segment = [&](int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (view3D) {
      const fw::TPoint a = canvas.ProjectToPoint(x1, y1, z);
      const fw::TPoint b = canvas.ProjectToPoint(x2, y2, z);
      canvas.DrawSegment(a.X, a.Y, b.X, b.Y);
    } else {
      canvas.DrawSegment(x1, y1, x2, y2);
    }
  };
  const bool straight = mStyle == psCross || mStyle == psStar;
  const bool diagonal = mStyle == psDiagCross || mStyle == psStar;
  // The end pixel of a segment is not drawn: each stroke ends one pixel past the marker.
  if (straight) {
    segment(Offset(x, -h), y, Offset(x, int64_t{h} + 1), y);
    segment(x, Offset(y, -v), x, Offset(y, int64_t{v} + 1));
  }
  if (diagonal) {
    segment(Offset(x, -h), Offset(y, -v), Offset(x, int64_t{h} + 1), Offset(y, int64_t{v} + 1));
    segment(Offset(x, -h), Offset(y, v), Offset(x, int64_t{h} + 1), Offset(y, -int64_t{v} - 1));
  }
}

void TSeriesPointer::DrawFlat(TCanvas3D& canvas, int32_t x, int32_t y, int32_t h, int32_t v,
                              fw::TColor color) const {
  h = std::clamp(h, 0, MaxPointerSize);
  v = std::clamp(v, 0, MaxPointerSize);
  const int32_t left = Offset(x, -h), right = Offset(x, h), top = Offset(y, -v), bottom = Offset(y, v);
  switch (mStyle) {
    case psCross:
    case psDiagCross:
    case psStar:
      DrawLines(canvas, x, y, h, v, color, false, 0);
      return;
    case psSmallDot:
      canvas.PlotPixel(x, y, color);
      return;
    default:
      break;
  }
  PrepareCanvas(canvas, color);
  if (!canvas.Surface()) return;
  switch (mStyle) {
    case psRectangle:
      canvas.DrawRectangle(left, top, Offset(right, 1), Offset(bottom, 1));
      break;
    case psCircle:
      canvas.DrawEllipse(left, top, Offset(right, 1), Offset(bottom, 1));
      break;
    case psTriangle: {
      const std::array<fw::TPoint, 3> p{{{left, bottom}, {right, bottom}, {x, top}}};
      canvas.DrawPolygon(p);
      break;
    }
    case psDownTriangle: {
      const std::array<fw::TPoint, 3> p{{{left, top}, {right, top}, {x, bottom}}};
      canvas.DrawPolygon(p);
      break;
    }
    case psDiamond: {
      const std::array<fw::TPoint, 4> p{{{x, top}, {right, y}, {x, bottom}, {left, y}}};
      canvas.DrawPolygon(p);
      break;
    }
    default:
      break;
  }
}

void TSeriesPointer::DrawSolid(TCanvas3D& canvas, int32_t x, int32_t y, int32_t z0, int32_t z1) const {
  const int32_t h = mHorizSize, v = mVertSize;
  const int32_t left = Offset(x, -h), right = Offset(x, h), top = Offset(y, -v), bottom = Offset(y, v);
  switch (mStyle) {
    case psRectangle:
      canvas.DrawCuboid(left, right, top, bottom, z0, z1, mDark3D);
      break;
    case psCircle:
      canvas.DrawCylinder(true, left, top, right, bottom, z0, z1, mDark3D);
      break;
    case psTriangle:
      canvas.DrawPyramid(true, left, top, right, bottom, z0, z1, mDark3D);
      break;
    case psDownTriangle:
      canvas.DrawPyramid(true, left, bottom, right, top, z0, z1, mDark3D);  // base above, apex below
      break;
    case psDiamond:
      canvas.DrawPyramid(true, left, top, right, y, z0, z1, mDark3D);
      canvas.DrawPyramid(true, left, bottom, right, y, z0, z1, mDark3D);
      break;
    default:
      break;
  }
}

void TSeriesPointer::Draw(TCanvas3D& canvas, bool view3D, int32_t x, int32_t y, int32_t z0, int32_t z1,
                          fw::TColor color) const {
  if (!view3D) {
    DrawFlat(canvas, x, y, mHorizSize, mVertSize, color);
    return;
  }
  const int32_t zm = static_cast<int32_t>((int64_t{z0} + z1) / 2);
  switch (mStyle) {
    case psCross:
    case psDiagCross:
    case psStar:
      DrawLines(canvas, x, y, mHorizSize, mVertSize, color, true, zm);
      return;
    case psSmallDot:
      canvas.PlotPixelAtDepth(x, y, zm, color);
      return;
    default:
      break;
  }
  PrepareCanvas(canvas, color);
  if (!canvas.Surface()) return;
  if (mDraw3D) {
    DrawSolid(canvas, x, y, z0, z1);
    return;
  }
  // Flat at the middle of the depth: the projected outline of the flat shape.
  const int32_t h = mHorizSize, v = mVertSize;
  const int32_t left = Offset(x, -h), right = Offset(x, h), top = Offset(y, -v), bottom = Offset(y, v);
  switch (mStyle) {
    case psRectangle:
      canvas.DrawRectangleAtDepth(fw::TRect{left, top, Offset(right, 1), Offset(bottom, 1)}, zm);
      break;
    case psCircle:
      canvas.DrawEllipseAtDepth(left, top, right, bottom, zm);
      break;
    case psTriangle:
      canvas.DrawTriangleAtDepth({{{left, bottom}, {right, bottom}, {x, top}}}, zm);
      break;
    case psDownTriangle:
      canvas.DrawTriangleAtDepth({{{left, top}, {right, top}, {x, bottom}}}, zm);
      break;
    case psDiamond:
      canvas.DrawQuadAtDepth({{{x, top}, {right, y}, {x, bottom}, {left, y}}}, zm);
      break;
    default:
      break;
  }
}

bool TSeriesPointer::PaintsWholeBox(const TCanvas3D& canvas) const {
  if (!mVisible || mStyle != psRectangle) return false;
  if (mBrush->Style() != fw::bsSolid || mBrush->HasBrushBitmap() || mBrush->Color() == fw::clNone) return false;
  fw::TPen pen;
  pen.Assign(canvas.Pen());
  TChartCanvas::ApplyChartPenTo(pen, *mPen);
  if (pen.Mode() != fw::pmCopy) return false;
  return pen.Style() == fw::psClear || (pen.Style() == fw::psSolid && pen.Width() <= 1 && !mPen->SmallDots());
}

void TSeriesPointer::DrawFlatBox(TCanvas3D& canvas, int32_t x, int32_t y, fw::TColor color, bool again) const {
  const int32_t h = std::clamp(mHorizSize, 0, MaxPointerSize), v = std::clamp(mVertSize, 0, MaxPointerSize);
  if (!again) PrepareCanvas(canvas, color);
  if (!canvas.Surface()) return;
  canvas.DrawRectangle(Offset(x, -h), Offset(y, -v), Offset(x, int64_t{h} + 1), Offset(y, int64_t{v} + 1));
}

bool TSeriesPointer::PaintsOpaquely(const TCanvas3D& canvas) const {
  if (!mVisible) return false;
  const bool lines = mStyle == psCross || mStyle == psDiagCross || mStyle == psStar || mStyle == psSmallDot;
  if (!lines && (mBrush->Style() != fw::bsSolid || mBrush->HasBrushBitmap() || mBrush->Color() == fw::clNone))
    return false;
  fw::TPen pen;
  pen.Assign(canvas.Pen());
  TChartCanvas::ApplyChartPenTo(pen, *mPen);
  if (pen.Mode() != fw::pmCopy || mPen->SmallDots()) return false;
  return pen.Style() == fw::psClear || pen.Style() == fw::psSolid;
}

bool TSeriesPointer::Contains(int32_t x, int32_t y, int32_t px, int32_t py) const {
  const int64_t dx = int64_t{px} - x;
  const int64_t dy = int64_t{py} - y;
  return dx >= -mHorizSize && dx <= mHorizSize && dy >= -mVertSize && dy <= mVertSize;
}

// ---------------------------------------------------------------- published properties

void RegisterSeriesPointerClass() {
  fw::RegisterClass<TSeriesPointer>("TSeriesPointer")
      .Object("Brush", &TSeriesPointer::Brush)
      .Boolean("Dark3D", &TSeriesPointer::Dark3D, &TSeriesPointer::SetDark3D)
      .Default(true)
      .Boolean("Draw3D", &TSeriesPointer::Draw3D, &TSeriesPointer::SetDraw3D)
      .Default(true)
      .Integer("HorizSize", &TSeriesPointer::HorizSize, &TSeriesPointer::SetHorizSize)
      .Default(4)
      .Boolean("InflateMargins", &TSeriesPointer::InflateMargins, &TSeriesPointer::SetInflateMargins)
      .Default(true)
      .Object("Pen", &TSeriesPointer::Pen)
      .Enumeration("Style", &TSeriesPointer::Style, &TSeriesPointer::SetStyle,
                   {"psRectangle", "psCircle", "psTriangle", "psDownTriangle", "psCross", "psDiagCross", "psStar",
                    "psDiamond", "psSmallDot"})
      .Default(psRectangle)
      .Integer("VertSize", &TSeriesPointer::VertSize, &TSeriesPointer::SetVertSize)
      .Default(4)
      .Boolean("Visible", &TSeriesPointer::Visible, &TSeriesPointer::SetVisible)
      .Stored([](TSeriesPointer& p) { return p.Visible() != p.DefaultVisible(); });
}

}  // namespace chart
