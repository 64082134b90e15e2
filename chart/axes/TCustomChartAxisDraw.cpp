// The space an axis reserves and how it draws its title, labels, line, ticks and grid.
#include <algorithm>
#include <cmath>

#include "chart/axes/AxisRounding.h"
#include "chart/axes/DateTimeSteps.h"
#include "chart/axes/TChartAxisTitle.h"
#include "chart/axes/TCustomChartAxis.h"
#include "chart/canvas/TCanvas3D.h"
#include "chart/canvas/TChartPen.h"
#include "framework/graphics/PenModes.h"
#include "framework/graphics/TBrush.h"
#include "framework/graphics/TFont.h"
#include "framework/graphics/TPen.h"

namespace chart {
namespace {

constexpr char LineBreakChar = 13;

// Platform text-alignment flags.
constexpr uint32_t TA_LEFT = 0;
constexpr uint32_t TA_RIGHT = 2;
constexpr uint32_t TA_CENTER = 6;
constexpr uint32_t TA_TOP = 0;
constexpr uint32_t TA_BOTTOM = 8;

constexpr int32_t TransparentMode = 1;
constexpr int32_t OpaqueMode = 2;
constexpr fw::TColor DefaultGridColor = 8421504;

// Minor ticks beyond one per pixel only draw over each other.
constexpr int32_t MaxMinorTickCount = 10000;

using axisdetail::ClampPixel;
using axisdetail::RoundHalfEven;

}  // namespace

// ---- sides -----------------------------------------------------------------------------------

TCustomChartAxis::TSide TCustomChartAxis::Side() const {
  if (mIsHorizontal) return mIsOtherSide ? sideTop : sideBottom;
  return mIsOtherSide || mIsDepth ? sideRight : sideLeft;
}

int32_t TCustomChartAxis::EdgeOf(const fw::TRect& rect) const {
  switch (Side()) {
    case sideBottom: return rect.Bottom;
    case sideTop: return rect.Top;
    case sideLeft: return rect.Left;
    case sideRight: break;
  }
  return rect.Right;
}

void TCustomChartAxis::ShrinkForAxis(fw::TRect& rect, int32_t n) const {
  switch (Side()) {
    case sideBottom: rect.Bottom = ClampPixel(int64_t{rect.Bottom} - n); break;
    case sideTop: rect.Top = ClampPixel(int64_t{rect.Top} + n); break;
    case sideLeft: rect.Left = ClampPixel(int64_t{rect.Left} + n); break;
    case sideRight: rect.Right = ClampPixel(int64_t{rect.Right} - n); break;
  }
}

int32_t TCustomChartAxis::MoveOutward(int32_t pos, int32_t n) const {
  const bool down = Side() == sideBottom || Side() == sideRight;
  return ClampPixel(down ? int64_t{pos} + n : int64_t{pos} - n);
}

int32_t TCustomChartAxis::ApplyPositionPercent(int32_t pos, const fw::TRect& rect) const {
  if (mPositionPercent == 0) return pos;
  const double size = mIsHorizontal ? rect.Height() : rect.Width();
  const int32_t d = RoundHalfEven(0.01 * mPositionPercent * size);
  const bool towardsLarger = Side() == sideTop || Side() == sideLeft;
  return ClampPixel(towardsLarger ? int64_t{pos} + d : int64_t{pos} - d);
}

// ---- bands -----------------------------------------------------------------------------------

int32_t TCustomChartAxis::TickBandSize() const {
  int64_t size = int64_t{mAxis->Visible() ? mAxis->Width() : 0} + (mTicks->Visible() ? mTickLength : 0);
  if (mMinorTicks->Visible()) size = std::max<int64_t>(size, mMinorTickLength);
  return ClampPixel(size);
}

int32_t TCustomChartAxis::MeasureBand(const fw::TFont& font, int32_t angle, int32_t fixedSize,
                                      const std::string* text) {
  if (fixedSize != 0) return fixedSize;
  mOwner->ChartSelectFont(font);
  const bool alongAxis = mIsHorizontal ? (angle == 0 || angle == 180) : (angle == 90 || angle == 270);
  if (alongAxis) return mOwner->Canvas3D().CharacterHeight();
  if (text) return mOwner->Canvas3D().MeasureTextWidth(*text);
  switch (EffectiveLabelStyle()) {
    case talValue: return WidestLabelWidth();
    case talMark: return mOwner->WidestMark();
    case talText: return mOwner->WidestLabelText();
    default: return 0;
  }
}

int32_t TCustomChartAxis::LabelsBandSize() { return MeasureBand(*mLabelsFont, mLabelsAngle, mLabelsSize, nullptr); }

int32_t TCustomChartAxis::TitleBandSize() {
  return MeasureBand(mTitle->Font(), mTitle->Angle(), mTitleSize, &mTitle->Caption());
}

void TCustomChartAxis::ReserveSpace(fw::TRect& rect, bool shrink) {
  mDateTimeScale = UsesDateTime();
  if (!shrink) {
    mAxisLinePosition = ApplyPositionPercent(EdgeOf(rect), rect);
    mLabelsPosition = MoveOutward(mAxisLinePosition, TickBandSize());
    mTitlePosition = MoveOutward(mLabelsPosition, LabelsBandSize());
    return;
  }
  if (mIsDepth) {
    mTitlePosition = rect.Right;
  } else if (!mTitle->Caption().empty()) {
    ShrinkForAxis(rect, TitleBandSize());
    mTitlePosition = EdgeOf(rect);
  }
  // Without labels the band is empty; its position still marks the outer edge of the ticks.
  if (mLabels) ShrinkForAxis(rect, LabelsBandSize());
  mLabelsPosition = EdgeOf(rect);
  const int32_t t = ClampPixel(int64_t{TickBandSize()} + mOwner->WallThicknessForAxis(*this));
  if (t > 0) ShrinkForAxis(rect, t);
  mTitlePosition = ApplyPositionPercent(mTitlePosition, rect);
  mLabelsPosition = ApplyPositionPercent(mLabelsPosition, rect);
}

// ---- drawing ---------------------------------------------------------------------------------

void TCustomChartAxis::DrawAxis(bool placeLine) {
  mDateTimeScale = UsesDateTime();
  mOwner->ChartSelectFont(*mLabelsFont);
  const double inc = ComputeLabelIncrement();
  if (placeLine) {
    const fw::TRect plot = mOwner->ChartPlotRect();
    mAxisLinePosition = ApplyPositionPercent(EdgeOf(plot), plot);
  }
  if (!mTitle->Caption().empty()) DrawTitle();
  mPassStep = DateTimePassStep(mDateTimeScale, mExactDateTime, mIncrement, inc);
  mTickPositions.Clear();
  RunLabelPass(inc);

  const int32_t w = mOwner->WallThicknessForAxis(*this);
  if (mAxis->Visible()) {
    ApplyPen(*mAxis);
    DrawAxisLine(w);
  }
  // Positions repeat where labels crowd (a logarithmic axis over a huge range): a tick or grid
  // line drawn again right after itself changes nothing with most pen modes.
  auto ticks = [&](int32_t d, int32_t length) {
    const bool skipRepeats = fw::RepeatsChangeNothing(mOwner->Canvas3D().Pen().Mode());
    for (int i = 0; i < mTickPositions.Count(); ++i)
      if (!skipRepeats || i == 0 || mTickPositions[i] != mTickPositions[i - 1]) DrawTick(mTickPositions[i], d, length, w);
  };
  if (mTicks->Visible()) {
    ApplyPen(*mTicks);
    ticks(1, mTickLength);
  }
  if (mGrid->Visible()) DrawGrid();
  if (mTicksInner->Visible()) {
    ApplyPen(*mTicksInner);
    ticks(-1, mTickInnerLength);
  }
  if (mTickPositions.Empty()) return;
  if (mMinorTicks->Visible()) {
    ApplyPen(*mMinorTicks);
    DrawMinor(false, w);
  }
  if (mMinorGrid->Visible()) {
    ApplyPen(*mMinorGrid);
    DrawMinor(true, w);
  }
}

void TCustomChartAxis::ApplyPen(const TChartPen& pen) { mOwner->Canvas3D().ApplyChartPen(pen); }

void TCustomChartAxis::PrepareText(const fw::TFont& font) {
  mOwner->ChartSelectFont(font);
  TCanvas3D& canvas = mOwner->Canvas3D();
  canvas.Brush().SetColor(mOwner->ChartColor());
  canvas.Brush().SetStyle(fw::bsClear);
  // A clear brush means a transparent text cell. Setting the brush to the values it already has
  // does not re-select it, so the opaque mode left behind by an earlier grid would otherwise
  // fill the cells.
  canvas.SetBackgroundMode(TransparentMode);
  if (mOwner->ChartPrintingActive() && font.Color() == fw::clWhite) canvas.Font().SetColor(fw::clBlack);
}

void TCustomChartAxis::DrawTitle() {
  PrepareText(mTitle->Font());
  const std::string& caption = mTitle->Caption();
  if (mIsDepth) {
    TCanvas3D& canvas = mOwner->Canvas3D();
    canvas.SetTextAlignment(0);
    canvas.WriteTextAtDepth(mTitlePosition, mOwner->ChartPlotRect().Bottom, mOwner->ChartDepthWidth() / 2, caption);
  } else if (mIsHorizontal) {
    DrawLabelText(CenterPixel(), mTitlePosition, mTitle->Angle(), caption);
  } else {
    DrawLabelText(mTitlePosition, CenterPixel(), mTitle->Angle(), caption);
  }
}

void TCustomChartAxis::PlaceLabel(int32_t p, const std::string& text) {
  if (mTickOnLabelsOnly) mTickPositions.Add(p);
  PrepareText(*mLabelsFont);
  if (mIsDepth) {
    TCanvas3D& canvas = mOwner->Canvas3D();
    canvas.SetTextAlignment(0);
    canvas.WriteTextAtDepth(mLabelsPosition, mOwner->ChartPlotRect().Bottom, p, text);
  } else if (mIsHorizontal) {
    DrawLabelText(p, mLabelsPosition, mLabelsAngle, text);
  } else {
    DrawLabelText(mLabelsPosition, p, mLabelsAngle, text);
  }
}

void TCustomChartAxis::DrawLabelText(int32_t x32, int32_t y32, int32_t angle, const std::string& text) {
  TCanvas3D& canvas = mOwner->Canvas3D();
  // Shifted in 64 bits: a label band placed at the end of the 32-bit range (a title size of
  // INT32_MIN) must not overflow; the text goes to the canvas clamped.
  int64_t x = x32, y = y32;
  const int32_t lineHeight = canvas.CharacterHeight();
  const int32_t h = lineHeight / 2;
  const TSide side = Side();
  uint32_t flags = TA_LEFT | TA_TOP;
  switch (angle) {
    case 0:
      switch (side) {
        case sideBottom: flags = TA_CENTER | TA_TOP; break;
        case sideTop: flags = TA_CENTER | TA_BOTTOM; break;
        case sideLeft: flags = TA_RIGHT | TA_TOP; y -= h; break;
        case sideRight: flags = TA_LEFT | TA_TOP; y -= h; break;
      }
      break;
    case 90:
      switch (side) {
        case sideBottom: flags = TA_RIGHT | TA_TOP; x -= h; break;
        case sideTop: flags = TA_LEFT | TA_TOP; x -= h; break;
        case sideLeft: flags = TA_CENTER | TA_BOTTOM; break;
        case sideRight: flags = TA_CENTER | TA_TOP; break;
      }
      break;
    case 180:
      switch (side) {
        case sideBottom: flags = TA_CENTER | TA_BOTTOM; break;
        case sideTop: flags = TA_CENTER | TA_TOP; break;
        case sideLeft: flags = TA_LEFT | TA_TOP; y += h; break;
        case sideRight: flags = TA_RIGHT | TA_TOP; y += h; break;
      }
      break;
    case 270:
      switch (side) {
        case sideBottom: flags = TA_LEFT | TA_TOP; x += h; break;
        case sideTop: flags = TA_RIGHT | TA_TOP; x += h; break;
        case sideLeft: flags = TA_CENTER | TA_TOP; break;
        case sideRight: flags = TA_CENTER | TA_BOTTOM; break;
      }
      break;
    default:
      break;
  }
  const int32_t z = mIsOtherSide ? mOwner->ChartDepthWidth() : 0;
  canvas.SetTextAlignment(flags);

  // Lines: every break ends one; text after the last break is one more.
  const int32_t breaks = static_cast<int32_t>(std::count(text.begin(), text.end(), LineBreakChar));
  const int32_t n = breaks + (!text.empty() && text.back() != LineBreakChar ? 1 : 0);
  int32_t lh = lineHeight;
  if (angle == 180 || angle == 270) lh = -lh;
  const int64_t total = int64_t{n} * lh;
  const int64_t blockShift = RoundHalfEven(lh * 0.5 * (n + 1.0));
  if (mIsHorizontal) {
    const bool bottom = side == sideBottom;
    if (angle == 0) y -= bottom ? lh : total;
    else if (angle == 180) y -= bottom ? total : lh;
    else if (angle == 90 || angle == 270) x -= blockShift;
  } else {
    const bool left = side == sideLeft;
    if (angle == 0 || angle == 180) y -= blockShift;
    else if (angle == 90) x -= left ? total : lh;
    else if (angle == 270) x -= left ? lh : total;
  }

  size_t start = 0;
  for (int32_t line = 0; line < n; ++line) {
    const size_t stop = std::min(text.find(LineBreakChar, start), text.size());
    const std::string part = text.substr(start, stop - start);
    start = stop + 1;
    if (angle == 0 || angle == 180) y += lh;
    else if (angle == 90 || angle == 270) x += lh;
    if (angle == 0) canvas.WriteTextAtDepth(ClampPixel(x), ClampPixel(y), z, part);
    else canvas.WriteRotatedTextAtDepth(ClampPixel(x), ClampPixel(y), z, part, angle);
  }
  canvas.SetTextAlignment(0);
}

void TCustomChartAxis::DrawAxisLine(int32_t w) {
  TCanvas3D& canvas = mOwner->Canvas3D();
  const int32_t depth = mOwner->ChartDepthWidth();
  const int32_t start = StartPixel();
  const int32_t end = EndPixel();
  if (mIsDepth) {
    const fw::TRect plot = mOwner->ChartPlotRect();
    // Sums in 64 bits, clamped: walls as thick as the 32-bit range end far off the surface.
    const int32_t y = ClampPixel(int64_t{plot.Bottom} + WallThicknessOfAxisAt(0));
    canvas.MovePenToAtDepth(plot.Right, y, 0);
    canvas.DrawLineToAtDepth(plot.Right, y, depth);
    return;
  }
  switch (Side()) {
    case sideBottom:
      canvas.DrawHorizontalLineAtDepth(ClampPixel(int64_t{start} - WallThicknessOfAxisAt(2)), end,
                                       ClampPixel(int64_t{mAxisLinePosition} + w), 0);
      break;
    case sideTop:
      canvas.DrawHorizontalLineAtDepth(start, end, mAxisLinePosition, depth);
      break;
    case sideLeft:
      canvas.DrawVerticalLineAtDepth(ClampPixel(int64_t{mAxisLinePosition} - w), start,
                                     ClampPixel(int64_t{end} + WallThicknessOfAxisAt(0)), 0);
      break;
    case sideRight:
      canvas.DrawVerticalLineAtDepth(mAxisLinePosition, start, end, depth);
      break;
  }
}

int32_t TCustomChartAxis::WallThicknessOfAxisAt(int32_t index) const {
  if (index >= mOwner->AxisCount()) return 0;
  return mOwner->WallThicknessForAxis(mOwner->Axes(index));
}

// d = 1: an outer tick of length `length`; d = -1: an inner tick of length `length`.
void TCustomChartAxis::DrawTick(int32_t p, int32_t d, int32_t length, int32_t w) {
  TCanvas3D& canvas = mOwner->Canvas3D();
  const int64_t len = d < 0 ? -int64_t{length} : int64_t{length};
  const int64_t a = mAxisLinePosition;
  const int32_t depth = mOwner->ChartDepthWidth();
  // 64-bit ends, clamped: a tick as long as the 32-bit range ends far outside the surface.
  if (mIsDepth) {
    canvas.DrawHorizontalLineAtDepth(ClampPixel(a + d), ClampPixel(a + d + len), mOwner->ChartPlotRect().Bottom, p);
    return;
  }
  switch (Side()) {
    case sideBottom:
      canvas.DrawVerticalLineAtDepth(p, ClampPixel(a + d + w), ClampPixel(a + d + w + len), 0);
      break;
    case sideTop: canvas.DrawVerticalLineAtDepth(p, ClampPixel(a - d), ClampPixel(a - d - len), depth); break;
    case sideLeft:
      canvas.DrawHorizontalLineAtDepth(ClampPixel(a - d - w), ClampPixel(a - d - w - len), p, 0);
      break;
    case sideRight: canvas.DrawHorizontalLineAtDepth(ClampPixel(a + d), ClampPixel(a + d + len), p, depth); break;
  }
}

void TCustomChartAxis::DrawGrid() {
  TCanvas3D& canvas = mOwner->Canvas3D();
  canvas.Brush().SetStyle(fw::bsClear);
  canvas.SetBackgroundMode(TransparentMode);
  ApplyPen(*mGrid);
  // Styled lines print thin.
  if (mOwner->ChartPrintingActive() && mGrid->Style() != fw::psSolid && mGrid->Width() == 1)
    canvas.Pen().SetWidth(0);
  if (mGrid->Color() == fw::clDefault) canvas.Pen().SetColor(DefaultGridColor);
  const bool skipRepeats = fw::RepeatsChangeNothing(canvas.Pen().Mode());
  bool drawn = false;
  int32_t last = 0;
  for (int i = 0; i < mTickPositions.Count(); ++i) {
    if (mGridCentered && i == 0) continue;
    const int32_t p = mGridCentered ? RoundHalfEven((double(mTickPositions[i]) + mTickPositions[i - 1]) * 0.5)
                                    : mTickPositions[i];
    if (skipRepeats && drawn && p == last) continue;
    DrawGridLine(p);
    drawn = true;
    last = p;
  }
  canvas.SetBackgroundMode(OpaqueMode);
}

void TCustomChartAxis::DrawGridLine(int32_t p) {
  TCanvas3D& canvas = mOwner->Canvas3D();
  const fw::TRect r = mOwner->ChartPlotRect();
  const int32_t depth = mOwner->ChartDepthWidth();
  if (mIsDepth) {
    canvas.DrawVerticalLineAtDepth(r.Left, r.Top, r.Bottom, p);
    canvas.DrawHorizontalLineAtDepth(r.Left, r.Right, r.Bottom, p);
    return;
  }
  if (!mOwner->ChartView3D()) {
    if (mIsHorizontal) canvas.DrawVerticalLine(p, r.Top, r.Bottom);
    else canvas.DrawHorizontalLine(r.Left, r.Right, p);
    return;
  }
  if (!mIsOtherSide) {
    if (mIsHorizontal) canvas.DrawDepthLine(p, mAxisLinePosition, 0, depth);
    else canvas.DrawDepthLine(mAxisLinePosition, p, 0, depth);
  }
  if (mIsHorizontal) canvas.DrawVerticalLineAtDepth(p, r.Top, r.Bottom, depth);
  else canvas.DrawHorizontalLineAtDepth(r.Left, r.Right, p, depth);
}

void TCustomChartAxis::DrawMinorAt(int32_t q, bool asGrid, int32_t w) {
  if (!(StartPixel() < q && q < EndPixel())) return;
  if (asGrid) DrawGridLine(q);
  else DrawTick(q, 1, mMinorTickLength, w);
}

void TCustomChartAxis::DrawMinor(bool asGrid, int32_t w) {
  const int32_t m = std::clamp(mMinorTickCount, 0, std::min(MaxMinorTickCount, std::max(AxisLength(), 0)));
  const int n = mTickPositions.Count();
  const TTickPositions& t = mTickPositions;
  if (!mLogarithmic && n > 1) {
    const double s = (double(t[1]) - t[0]) / (m + 1);
    for (int32_t j = 1; j <= m; ++j) {
      const int32_t step = RoundHalfEven(j * s);
      DrawMinorAt(ClampPixel(int64_t{t[0]} - step), asGrid, w);
      DrawMinorAt(ClampPixel(int64_t{t[n - 1]} + step), asGrid, w);
    }
  }
  // An interval with the same ends as the one before draws the same minor lines again.
  const bool skipRepeats = fw::RepeatsChangeNothing(mOwner->Canvas3D().Pen().Mode());
  for (int i = 1; i < n; ++i) {
    if (skipRepeats && i >= 2 && t[i - 1] == t[i - 2] && (mLogarithmic || t[i] == t[i - 1])) continue;
    if (mLogarithmic) {
      double v = PixelToValue(t[i - 1]);
      const double s = (mLogarithmicBase * v - v) / (m + 1);
      for (int32_t j = 1; j <= m; ++j) {
        v += s;
        if (v > WorkingMaximum()) break;
        DrawMinorAt(ValueToPixel(v), asGrid, w);
      }
    } else {
      const double s = (double(t[i]) - t[i - 1]) / (m + 1);
      for (int32_t j = 1; j <= m; ++j) DrawMinorAt(ClampPixel(int64_t{t[i]} - RoundHalfEven(j * s)), asGrid, w);
    }
  }
}

}  // namespace chart
