#include "chart/panel/TChartTitle.h"

#include <algorithm>

#include "chart/ChartConst.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/panel/TCustomChart.h"
#include "framework/graphics/TSurface.h"
#include "framework/runtime/ClampInt.h"

namespace chart {

namespace {
// Gap between a title and the plot rectangle.
constexpr int32_t TitleGap = 5;
}  // namespace

TChartTitle::TChartTitle(TCustomChart* parentChart)
    : TChartFontObject(parentChart),
      mChart(parentChart),
      mBrush(std::make_unique<TChartBrush>([this] { Repaint(); })),
      mFrame(std::make_unique<TChartHiddenPen>([this] { Repaint(); })) {
  Font().SetColor(DefaultFontColor);
}

TChartTitle::~TChartTitle() = default;

void TChartTitle::Repaint() {
  if (mChart) mChart->NotifyChange();
}

void TChartTitle::SetAdjustFrame(bool value) {
  if (mChart)
    mChart->ChangeProperty(mAdjustFrame, value);
  else
    mAdjustFrame = value;
}

void TChartTitle::SetAlignment(TAlignment value) {
  if (mAlignment == value) return;
  mAlignment = value;
  Repaint();
}

void TChartTitle::SetColor(fw::TColor value) {
  if (mChart)
    mChart->ChangeProperty(mColor, value);
  else
    mColor = value;
}

void TChartTitle::SetVisible(bool value) {
  if (mChart)
    mChart->ChangeProperty(mVisible, value);
  else
    mVisible = value;
}

void TChartTitle::SetText(const std::vector<std::string>& lines) {
  if (mText == lines) return;
  mText = lines;
  Repaint();
}

bool TChartTitle::IsFontStored() const {
  const fw::TFont& f = Font();
  return !(f.Name() == ChartConst::ChartDefaultFontName && f.Size() == ChartConst::ChartDefaultFontSize &&
           f.Color() == DefaultFontColor && f.Style() == DefaultFontStyle);
}

void TChartTitle::Assign(const TChartFontObject& source) {
  if (auto* other = dynamic_cast<const TChartTitle*>(&source)) {
    mAdjustFrame = other->mAdjustFrame;
    mAlignment = other->mAlignment;
    mBrush->Assign(*other->mBrush);
    mColor = other->mColor;
    mFrame->Assign(*other->mFrame);
    mText = other->mText;
    mVisible = other->mVisible;
    Repaint();
  }
  TChartFontObject::Assign(source);
}

// ---- drawing -----------------------------------------------------------------------------------

void TChartTitle::PrepareBackground() {
  TChartCanvas3D& canvas = mChart->Canvas();
  fw::TBrush& brush = canvas.Brush();
  const bool solid = mBrush->Style() == fw::bsSolid;
  if (mColor == fw::clDefault) {
    if (!solid) {
      brush.Assign(*mBrush);
      canvas.SetBackgroundMode(fw::TRANSPARENT);
    } else if (mBrush->Color() == fw::clDefault) {
      brush.SetStyle(fw::bsClear);
    } else {
      // The brush colour becomes the title's colour (a setting change: one more frame follows).
      SetColor(mBrush->Color());
      brush.SetColor(mColor);
      brush.SetStyle(fw::bsSolid);
    }
    return;
  }
  if (!solid) {
    brush.Assign(*mBrush);
    canvas.SetBackgroundMode(fw::OPAQUE);
    canvas.SetBackgroundColor(mColor);
  } else {
    brush.SetStyle(fw::bsSolid);
    brush.SetColor(mColor);
  }
}

int32_t TChartTitle::LineX(const fw::TRect& r, int32_t lineWidth, int32_t wW) const {
  switch (mAlignment) {
    case taLeftJustify: return fw::ClampToInt32(int64_t{r.Left} + wW / 2);
    case taRightJustify: return fw::ClampToInt32(int64_t{r.Right} - lineWidth - wW / 2);
    case taCenter: break;
  }
  return fw::ClampToInt32((int64_t{r.Left} + r.Right) / 2 - lineWidth / 2);
}

void TChartTitle::RenderTitle(bool onTop) {
  TChartCanvas3D& canvas = mChart->Canvas();
  mChart->SelectFont(Font());
  const int32_t h = canvas.CharacterHeight();
  PrepareBackground();

  // Edges are 64-bit sums clamped to the 32-bit range: a frame as wide as the range, or a
  // text of very many lines, puts the box far outside the surface.
  const auto at = [](int64_t v) { return fw::ClampToInt32(v); };
  const bool frameOn = mFrame->Visible() && mFrame->Color() != fw::clDefault;
  const int64_t fw = frameOn ? mFrame->Width() : 0;
  const fw::TRect plot = mChart->PlotRect();
  fw::TRect r;
  r.Left = at(plot.Left + fw);
  r.Right = at(plot.Right - fw);
  if (onTop) {
    r.Top = at(plot.Top + fw);
    r.Bottom = at(int64_t{r.Top} - TitleGap);
  } else {
    r.Bottom = at(plot.Bottom - fw);
    r.Top = at(int64_t{r.Bottom} + TitleGap);
  }

  mTitleBox = r;
  int64_t pw = 0;
  if (frameOn) {
    canvas.Pen().Assign(*mFrame);
    pw = mFrame->Width();
  } else {
    canvas.Pen().SetStyle(fw::psClear);
  }
  const auto n = static_cast<int32_t>(std::min<size_t>(mText.size(), INT32_MAX));
  if (onTop)
    mTitleBox.Bottom = at(r.Top + int64_t{n} * h);
  else
    mTitleBox.Top = at(r.Bottom - int64_t{n} * h);
  mTitleBox.Left = at(mTitleBox.Left - pw);
  mTitleBox.Top = at(mTitleBox.Top - pw);
  mTitleBox.Right = at(mTitleBox.Right + pw);
  mTitleBox.Bottom = at(mTitleBox.Bottom + pw);

  const int32_t wW = canvas.MeasureTextWidth("W");
  if (frameOn || canvas.Brush().Style() != fw::bsClear) {
    if (mAdjustFrame) {
      int32_t widest = 0;
      for (const std::string& line : mText) widest = std::max(widest, canvas.MeasureTextWidth(line));
      const int64_t m = int64_t{widest} + wW;
      switch (mAlignment) {
        case taLeftJustify: mTitleBox.Right = at(mTitleBox.Left + m); break;
        case taRightJustify: mTitleBox.Left = at(mTitleBox.Right - m); break;
        case taCenter: {
          const int64_t mid = (int64_t{mTitleBox.Left} + mTitleBox.Right) / 2;
          mTitleBox.Left = at(mid - m / 2);
          mTitleBox.Right = at(mid + m / 2);
          break;
        }
      }
    }
    canvas.DrawRect(mTitleBox);
  }

  canvas.SetBackgroundMode(fw::TRANSPARENT);
  const bool atDepth = canvas.PrefersDepthDrawing();
  auto write = [&](const std::string& line, int32_t y) {
    const int32_t x = LineX(r, canvas.MeasureTextWidth(line), wW);
    if (atDepth)
      canvas.WriteTextAtDepth(x, y, 0, line);
    else
      canvas.WriteText(x, y, line);
  };
  if (onTop) {
    for (const std::string& line : mText) {
      r.Bottom = at(int64_t{r.Top} + h);
      write(line, r.Top);
      r.Top = r.Bottom;
    }
    if (frameOn) r.Bottom = at(r.Bottom + pw);
    fw::TRect p = mChart->PlotRect();
    p.Top = at(int64_t{r.Bottom} + TitleGap);
    mChart->SetPlotRect(p);
  } else {
    for (auto it = mText.rbegin(); it != mText.rend(); ++it) {
      r.Top = at(int64_t{r.Bottom} - h);
      write(*it, r.Top);
      r.Bottom = r.Top;
    }
    if (frameOn) r.Top = at(r.Top - pw);
    fw::TRect p = mChart->PlotRect();
    p.Bottom = at(int64_t{r.Top} - TitleGap);
    mChart->SetPlotRect(p);
  }
}

}  // namespace chart
