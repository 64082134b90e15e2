#include "chart/data/TSeriesMarks.h"

#include "chart/panel/TChartFontObject.h"
#include "chart/canvas/TChartPen.h"
#include "chart/data/TChartSeries.h"
#include "framework/graphics/TFont.h"

namespace chart {

TSeriesMarks::TSeriesMarks(TChartSeries& parent)
    : mParent(parent),
      mArrow(std::make_unique<TChartArrowPen>([this] { Changed(); })),
      mFrame(std::make_unique<TChartPen>([this] { Changed(); })),
      mFont(std::make_unique<fw::TFont>()) {
  ChartDefaultFont(*mFont);
  mFont->OnChange = [this] { Changed(); };
}

TSeriesMarks::~TSeriesMarks() = default;

void TSeriesMarks::SetArrow(const fw::TPen& value) { mArrow->Assign(value); }

void TSeriesMarks::SetFrame(const fw::TPen& value) { mFrame->Assign(value); }

void TSeriesMarks::SetFont(const fw::TFont& value) { mFont->Assign(value); }

void TSeriesMarks::Changed() { mParent.RequestRepaint(); }

void TSeriesMarks::SetArrowLength(int32_t value) {
  if (mArrowLength == value) return;
  mArrowLength = value;
  Changed();
}

void TSeriesMarks::SetBackColor(fw::TColor value) {
  if (mBackColor == value) return;
  mBackColor = value;
  Changed();
}

void TSeriesMarks::SetTransparent(bool value) {
  if (mTransparent == value) return;
  mTransparent = value;
  Changed();
}

void TSeriesMarks::SetClip(bool value) {
  if (mClip == value) return;
  mClip = value;
  Changed();
}

void TSeriesMarks::SetStyle(TSeriesMarksStyle value) {
  if (mStyle == value) return;
  mStyle = value;
  Changed();
}

void TSeriesMarks::SetVisible(bool value) {
  if (mVisible == value) return;
  mVisible = value;
  Changed();
}

void TSeriesMarks::Assign(const TSeriesMarks& source) {
  if (&source == this) return;
  SetArrow(*source.mArrow);
  SetArrowLength(source.mArrowLength);
  SetBackColor(source.mBackColor);
  SetTransparent(source.mTransparent);
  SetClip(source.mClip);
  SetFrame(*source.mFrame);
  SetFont(*source.mFont);
  SetStyle(source.mStyle);
  SetVisible(source.mVisible);
}

const TSeriesMarkPosition* TSeriesMarks::PositionAt(int32_t index) const {
  if (index < 0 || index >= PositionCount()) return nullptr;
  return mPositions[static_cast<size_t>(index)].get();
}

void TSeriesMarks::UseMarkPosition(int32_t index, TSeriesMarkPosition& position) {
  if (index < 0) return;
  if (index >= PositionCount()) mPositions.resize(static_cast<size_t>(index) + 1);
  auto& slot = mPositions[static_cast<size_t>(index)];
  if (!slot) slot = std::make_unique<TSeriesMarkPosition>();
  if (slot->Custom)
    position = *slot;
  else
    *slot = position;
}

void TSeriesMarks::ClearMarkPositions() {
  mPositions.clear();
  mPositions.shrink_to_fit();
}

void TSeriesMarks::DeleteMarkPosition(int32_t index) {
  if (index < 0 || index >= PositionCount()) return;
  mPositions.erase(mPositions.begin() + index);
}

}  // namespace chart
