#include "chart/panel/TChartTitle.h"

#include <algorithm>

#include "chart/canvas/TChartCanvas3D.h"
#include "chart/canvas/TChartPen.h"
#include "chart/panel/TChartBrush.h"
#include "chart/panel/TCustomChartPanel.h"
#include "framework/graphics/TFont.h"

namespace chart {

namespace {
constexpr int32_t TitleGap = 5;   // between a title and the plot
constexpr int32_t BkTransparent = 1;
constexpr int32_t BkOpaque = 2;
}  // namespace

TChartTitle::TChartTitle(TCustomChartPanel* parent)
    : TChartFontObject(parent),
      mBrush(std::make_unique<TChartBrush>([this] { Changed(); })),
      mFrame(std::make_unique<TChartHiddenPen>([this] { Changed(); })) {
  Font().SetColor(fw::clBlue);
}

TChartTitle::~TChartTitle() = default;

void TChartTitle::Changed() const { Repaint(); }

void TChartTitle::SetAdjustFrame(bool value) {
  if (ParentChart()) {
    ParentChart()->ChangeProperty(mAdjustFrame, value);
  } else {
    mAdjustFrame = value;
  }
}

void TChartTitle::SetAlignment(TAlignment value) {
  if (value == mAlignment) return;
  mAlignment = value;
  Changed();
}

void TChartTitle::SetBrush(const TChartBrush& value) { mBrush->Assign(value); }

void TChartTitle::SetColor(fw::TColor value) {
  if (ParentChart()) {
    ParentChart()->ChangeProperty(mColor, value);
  } else {
    mColor = value;
  }
}

void TChartTitle::SetFrame(const TChartPen& value) { mFrame->Assign(value); }

void TChartTitle::SetText(const std::vector<std::string>& lines) {
  if (lines == mText) return;
  mText = lines;
  Changed();
}

void TChartTitle::SetVisible(bool value) {
  if (ParentChart()) {
    ParentChart()->ChangeProperty(mVisible, value);
  } else {
    mVisible = value;
  }
}

bool TChartTitle::ContainsPoint(int32_t x, int32_t y) const { return mVisible && mTitleBox.Contains(x, y); }

bool TChartTitle::IsFontStored() const {
  fw::TFont reference;
  ChartDefaultFont(reference);
  const fw::TFont& font = Font();
  return !(font.Name() == reference.Name() && font.Size() == reference.Size() && font.Color() == fw::clBlue &&
           font.Style() == 0);
}

void TChartTitle::Assign(const TChartFontObject& source) {
  if (auto* title = dynamic_cast<const TChartTitle*>(&source); title && title != this) {
    SetAdjustFrame(title->mAdjustFrame);
    SetAlignment(title->mAlignment);
    mBrush->Assign(*title->mBrush);
    SetColor(title->mColor);
    mFrame->Assign(*title->mFrame);
    SetText(title->mText);
    SetVisible(title->mVisible);
  }
  TChartFontObject::Assign(source);
}

void TChartTitle::SelectBackground() {
  TChartCanvas3D& canvas = ParentChart()->Canvas();
  fw::TBrush& brush = canvas.Brush();
  const bool solid = mBrush->Style() == fw::bsSolid;
  if (mColor == fw::clDefault) {
    if (!solid) {
      brush.Assign(*mBrush);
      canvas.SetBackgroundMode(BkTransparent);
    } else if (mBrush->Color() == fw::clDefault) {
      brush.SetStyle(fw::bsClear);
    } else {
      // A solid brush with a colour of its own gives the title that background colour.
      SetColor(mBrush->Color());
      brush.SetStyle(fw::bsSolid);
      brush.SetColor(mColor);
    }
    return;
  }
  if (!solid) {
    brush.Assign(*mBrush);
    canvas.SetBackgroundMode(BkOpaque);
    canvas.SetBackgroundColor(mColor);
  } else {
    brush.SetStyle(fw::bsSolid);
    brush.SetColor(mColor);
  }
}

void TChartTitle::RenderTitle(bool onTop) {
  TCustomChartPanel* chart = ParentChart();
  if (!chart) return;
  TChartCanvas3D& canvas = chart->Canvas();

  chart->SelectFont(Font());
  const int32_t h = canvas.CharacterHeight();
  SelectBackground();

  const bool frameOn = mFrame->Visible() && mFrame->Color() != fw::clDefault;
  const int32_t frameWidth = frameOn ? mFrame->Width() : 0;

  const fw::TRect plot = chart->PlotRect();
  fw::TRect r;
  r.Left = plot.Left + frameWidth;
  r.Right = plot.Right - frameWidth;
  if (onTop) {
    r.Top = plot.Top + frameWidth;
    r.Bottom = r.Top - TitleGap;
  } else {
    r.Bottom = plot.Bottom - frameWidth;
    r.Top = r.Bottom + TitleGap;
  }

  mTitleBox = r;
  int32_t pw = 0;
  if (frameOn) {
    canvas.Pen().Assign(*mFrame);
    pw = mFrame->Width();
  } else {
    canvas.Pen().SetStyle(fw::psClear);
  }

  const int32_t n = static_cast<int32_t>(mText.size());
  if (onTop) {
    mTitleBox.Bottom = r.Top + n * h;
  } else {
    mTitleBox.Top = r.Bottom - n * h;
  }
  mTitleBox.Left -= pw;
  mTitleBox.Top -= pw;
  mTitleBox.Right += pw;
  mTitleBox.Bottom += pw;

  const int32_t wW = canvas.MeasureTextWidth("W");

  if (frameOn || canvas.Brush().Style() != fw::bsClear) {
    if (mAdjustFrame) {
      int32_t widest = 0;
      for (const std::string& line : mText) widest = std::max(widest, canvas.MeasureTextWidth(line));
      const int32_t m = widest + wW;
      switch (mAlignment) {
        case taLeftJustify: mTitleBox.Right = mTitleBox.Left + m; break;
        case taRightJustify: mTitleBox.Left = mTitleBox.Right - m; break;
        case taCenter: {
          const int32_t mid = (mTitleBox.Left + mTitleBox.Right) / 2;
          mTitleBox.Left = mid - m / 2;
          mTitleBox.Right = mid + m / 2;
          break;
        }
      }
    }
    canvas.DrawRect(mTitleBox);
  }

  canvas.SetBackgroundMode(BkTransparent);
  const bool atDepth = canvas.PrefersDepthDrawing();
  auto lineX = [&](const std::string& line) {
    switch (mAlignment) {
      case taLeftJustify: return r.Left + wW / 2;
      case taRightJustify: return r.Right - canvas.MeasureTextWidth(line) - wW / 2;
      case taCenter: break;
    }
    return (r.Left + r.Right) / 2 - canvas.MeasureTextWidth(line) / 2;
  };
  auto write = [&](const std::string& line, int32_t y) {
    if (atDepth) {
      canvas.WriteTextAtDepth(lineX(line), y, 0, line);
    } else {
      canvas.WriteText(lineX(line), y, line);
    }
  };

  if (onTop) {
    for (const std::string& line : mText) {
      write(line, r.Top);
      r.Top += h;
      r.Bottom = r.Top;  // the written line's bottom edge
    }
  } else {
    for (int32_t i = n - 1; i >= 0; --i) {
      r.Top = r.Bottom - h;
      write(mText[static_cast<size_t>(i)], r.Top);
      r.Bottom = r.Top;
    }
  }

  if (frameOn) {
    if (onTop) {
      r.Bottom += pw;
    } else {
      r.Top -= pw;
    }
  }

  fw::TRect next = chart->PlotRect();
  if (onTop) {
    next.Top = r.Bottom + TitleGap;
  } else {
    next.Bottom = r.Top - TitleGap;
  }
  chart->SetPlotRect(next);
}

}  // namespace chart
