// Label increment, label values and label texts of an axis.
#include <algorithm>
#include <climits>
#include <cmath>

#include "chart/axes/AxisIncrement.h"
#include "chart/axes/AxisLabelValues.h"
#include "chart/axes/DateTimeSteps.h"
#include "chart/axes/TCustomChartAxis.h"
#include "chart/canvas/TCanvas3D.h"
#include "chart/data/TChartSeries.h"
#include "framework/runtime/DateTime.h"

namespace chart {
namespace {

constexpr char LineBreakChar = 13;

bool IsQuarterTurn(int32_t angle) { return angle == 90 || angle == 270; }
bool IsLevel(int32_t angle) { return angle == 0 || angle == 180; }

// Restores a flag on scope exit.
class FlagScope {
public:
  FlagScope(bool& flag, bool value) : mFlag(flag), mSaved(flag) { mFlag = value; }
  ~FlagScope() { mFlag = mSaved; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

private:
  bool& mFlag;
  bool mSaved;
};

}  // namespace

// ---- label texts -----------------------------------------------------------------------------

std::string TCustomChartAxis::FormatAxisValue(double value) {
  std::string text;
  if (mDateTimeScale) {
    if (value >= 0) {
      const std::string& format = !mDateTimeFormat.empty() ? mDateTimeFormat
                                  : WorkingRange() > 1     ? fw::FormatSettings.ShortDateFormat
                                                           : fw::FormatSettings.ShortTimeFormat;
      text = fw::FormatDateTime(format, value);
    }
  } else {
    text = mLabelTexts.Format(mAxisValuesFormat, value);
  }
  if (!mLabelEventDetached) {
    const TAxisOnGetLabel& handler = mOwner->GetAxisLabelHandler();
    if (handler) handler(this, nullptr, -1, text);
  }
  if (mLabelsMultiLine) std::replace(text.begin(), text.end(), ' ', LineBreakChar);
  return text;
}

int32_t TCustomChartAxis::LabelSizeAlongAxis(const std::string& text) {
  int32_t lines = 0;
  const int32_t width = mOwner->ChartMeasureMultiLineText(text, lines);
  const bool byHeight = mIsHorizontal ? IsQuarterTurn(mLabelsAngle) : IsLevel(mLabelsAngle);
  if (!byHeight) return width;
  return mOwner->Canvas3D().CharacterHeight() * lines;
}

int32_t TCustomChartAxis::WidestLabelWidth() {
  FlagScope detached(mLabelEventDetached, true);
  double low = WorkingMinimum();
  double high = WorkingMaximum();
  if ((UsesDateTime() && mExactDateTime) || mRoundFirstLabel) {
    const double inc = ComputeLabelIncrement();
    low = std::trunc(low / inc) * inc;
    high = std::trunc(high / inc) * inc;
  }
  int32_t lines = 0;
  const int32_t a = mOwner->ChartMeasureMultiLineText(FormatAxisValue(low), lines);
  const int32_t b = mOwner->ChartMeasureMultiLineText(FormatAxisValue(high), lines);
  return std::max(a, b) + mOwner->Canvas3D().MeasureTextWidth(" ");
}

// ---- increment -------------------------------------------------------------------------------

double TCustomChartAxis::ComputeLabelIncrement() {
  const int32_t size = std::max(LabelSizeAlongAxis(FormatAxisValue(WorkingMaximum())),
                                LabelSizeAlongAxis(FormatAxisValue(WorkingMinimum())));
  return IncrementForLabelSize(size);
}

double TCustomChartAxis::IncrementForLabelSize(int32_t size) const {
  const int32_t maxLabels = MaxLabelsForSize(size, mLabelsSeparation, AxisLength());
  if (mDateTimeScale) return DateTimeIncrementForCount(maxLabels, mIncrement, WorkingRange());
  return IncrementForLabelCount(maxLabels);
}

double TCustomChartAxis::IncrementForLabelCount(int32_t maxLabels) const {
  return chart::IncrementForLabelCount(maxLabels, mIncrement, WorkingRange(), mLabelsSeparation);
}

// ---- label style -----------------------------------------------------------------------------

bool TCustomChartAxis::SeriesCarriesLabels(TChartSeries& series) const {
  if (series.LabelOfPoint(0).empty()) return false;
  return mIsHorizontal ? series.YMandatory() : !series.YMandatory();
}

TAxisLabelStyle TCustomChartAxis::EffectiveLabelStyle() const {
  if (mLabelStyle != talAuto) return mLabelStyle;
  const int32_t count = mOwner->SeriesCount();
  if (mIsDepth) {
    for (int32_t i = 0; i < count; ++i) {
      const TChartSeries& series = mOwner->SeriesAt(i);
      if (series.Active() && (series.HasZValues() || series.LowestZ() != series.HighestZ())) return talValue;
    }
    return talText;
  }
  TAxisLabelStyle style = talNone;
  for (int32_t i = 0; i < count; ++i) {
    TChartSeries& series = mOwner->SeriesAt(i);
    if (!series.Active() || !series.UsesAxis(this)) continue;
    style = talValue;
    if (SeriesCarriesLabels(series)) return talText;
  }
  return style;
}

// ---- label passes ----------------------------------------------------------------------------

void TCustomChartAxis::RunLabelPass(double inc) {
  if (!(WorkingMaximum() >= WorkingMinimum())) return;
  switch (EffectiveLabelStyle()) {
    case talValue:
      if (mOwner->GetNextAxisLabelHandler()) CustomPass(inc);
      else DefaultPass(inc);
      break;
    case talMark:
      SeriesPass(talMark);
      break;
    case talText:
      if (mIsDepth) DepthPass();
      else SeriesPass(talText);
      break;
    case talNone:
    case talAuto:
      break;
  }
}

void TCustomChartAxis::DefaultPass(double inc) {
  if (mLogarithmic && mIncrement == 0) LogPass();
  else ValuePass(inc);
}

namespace {

/// The label a value pass placed last. Placing the same text at the same place again would
/// change no pixel: label text is drawn solid without a cell, and nothing draws between the
/// labels of a pass. A pass starts with Axis null.
struct TLastLabel {
  const void* Axis = nullptr;
  int32_t Pixel = 0;
  std::string Text;
};
thread_local TLastLabel LastLabel;

}  // namespace

void TCustomChartAxis::EmitLabelAt(double value) {
  const int32_t p = ValueToPixel(value);
  if (!mLabelsOnAxis && !(StartPixel() < p && p < EndPixel())) return;
  if (!mTickOnLabelsOnly) mTickPositions.Add(p);
  if (!mLabels) return;
  std::string text = FormatAxisValue(value);
  // Only without a label handler: a handler runs between two labels and might draw.
  const bool noHandler = mLabelEventDetached || !mOwner->GetAxisLabelHandler();
  if (noHandler && LastLabel.Axis == this && LastLabel.Pixel == p && LastLabel.Text == text) {
    if (mTickOnLabelsOnly) mTickPositions.Add(p);  // what placing it would add
    return;
  }
  PlaceLabel(p, text);
  if (noHandler) {
    LastLabel.Axis = this;
    LastLabel.Pixel = p;
    LastLabel.Text = std::move(text);
  }
}

void TCustomChartAxis::ValuePass(double inc) {
  TValuePassSettings s;
  s.WorkingMinimum = WorkingMinimum();
  s.WorkingMaximum = WorkingMaximum();
  s.Increment = inc;
  s.RoundFirstLabel = mRoundFirstLabel;
  s.DateTimeScale = mDateTimeScale;
  s.ExactDateTime = mExactDateTime;
  s.PassStep = mPassStep;
  // The pass ends once the tick list is full: later labels could have no tick.
  LastLabel.Axis = nullptr;
  ValuePassValues(s, [this](double v) {
    EmitLabelAt(v);
    return !mTickPositions.Full();
  });
}

void TCustomChartAxis::LogPass() {
  const double minimum = WorkingMinimum();
  const double maximum = WorkingMaximum();
  if (minimum == maximum) return;
  // A non-positive minimum has no logarithm: the rest of this drawing uses a stand-in.
  if (minimum <= 0) mScale.SetRange(LogPassMinimum(minimum), maximum);
  LastLabel.Axis = nullptr;
  LogPassValues(minimum, maximum, mLogarithmicBase, [this](double v) {
    EmitLabelAt(v);
    return !mTickPositions.Full();
  });
}

void TCustomChartAxis::CustomPass(double inc) {
  LastLabel.Axis = nullptr;
  // A copy: a handler may reassign the chart's event while it runs.
  const TAxisOnGetNextLabel handler = mOwner->GetNextAxisLabelHandler();
  double value = WorkingMinimum();
  bool stop = true;
  for (int32_t index = 0; index <= TTickPositions::Capacity; ++index) {
    handler(this, index, value, stop);
    if (stop) {
      if (index == 0) DefaultPass(inc);
      return;
    }
    if (!(WorkingMinimum() - 1e-7 <= value && value <= WorkingMaximum() + 1e-7)) return;
    EmitLabelAt(value);
  }
}

void TCustomChartAxis::SeriesPass(TAxisLabelStyle style) {
  mListedSeries.clear();
  int32_t first = INT32_MAX;
  int32_t last = -1;
  for (int32_t i = 0; i < mOwner->SeriesCount(); ++i) {
    TChartSeries& series = mOwner->SeriesAt(i);
    if (!series.Active() || !series.UsesAxis(this) || series.PointCount() == 0) continue;
    mListedSeries.push_back(&series);
    series.UpdateVisibleRange();
    if (series.FirstVisible() == -1) continue;
    first = std::min(first, series.FirstVisible());
    last = std::max(last, series.LastVisible());
  }
  if (first == INT32_MAX) return;

  const bool sizeIsWidth = mIsHorizontal != IsQuarterTurn(mLabelsAngle);
  const TAxisOnGetLabel& handler = mOwner->GetAxisLabelHandler();
  const int32_t lineHeight = mOwner->Canvas3D().CharacterHeight();
  int32_t lastPos = -1;
  int32_t lastHalf = 0;
  bool drawnAny = false;
  for (int32_t i = first; i <= last; ++i) {
    TChartSeries* source = nullptr;
    for (TChartSeries* series : mListedSeries)
      if (series->PointCount() > i) {
        source = series;
        break;
      }
    if (!source) continue;
    std::string text = style == talMark ? mOwner->SeriesMarkText(*source, i) : source->LabelOfPoint(i);
    if (handler && !mLabelEventDetached) handler(this, source, i, text);
    const double value = mIsHorizontal ? source->XValueOf(i) : source->YValueOf(i);
    if (value < WorkingMinimum() || value > WorkingMaximum()) continue;
    const int32_t p = ValueToPixel(value);
    if (!mTickOnLabelsOnly) mTickPositions.Add(p);
    if (!mLabels) continue;
    int32_t lines = 0;
    const int32_t width = mOwner->ChartMeasureMultiLineText(text, lines);
    const int64_t size = sizeIsWidth ? width : int64_t{lineHeight} * lines;
    if (mLabelsSeparation != 0 && drawnAny) {
      const int64_t half = (size + static_cast<int64_t>(std::trunc(size * 0.02 * mLabelsSeparation))) / 2;
      const bool clears = p >= lastPos ? p - half >= int64_t{lastPos} + lastHalf
                                       : p + half <= int64_t{lastPos} - lastHalf;
      if (!clears) continue;
      PlaceLabel(p, text);
      lastPos = p;
      lastHalf = static_cast<int32_t>(std::min<int64_t>(half, INT32_MAX));
    } else {
      PlaceLabel(p, text);
      lastPos = p;
      lastHalf = static_cast<int32_t>(std::min<int64_t>(size / 2, INT32_MAX));
      drawnAny = true;
    }
  }
}

void TCustomChartAxis::DepthPass() {
  bool anyActive = false;
  for (int32_t i = 0; i < mOwner->SeriesCount() && !anyActive; ++i) anyActive = mOwner->SeriesAt(i).Active();
  if (!anyActive) return;
  // One label per depth level; a range wider than the tick list is cut at its capacity.
  const double low = std::max(std::trunc(WorkingMinimum()), double(INT32_MIN));
  const double high = std::min(std::trunc(WorkingMaximum()), double(INT32_MAX));
  if (!(low <= high)) return;
  const TAxisOnGetLabel& handler = mOwner->GetAxisLabelHandler();
  const int64_t count = std::min<int64_t>(static_cast<int64_t>(high - low) + 1, TTickPositions::Capacity);
  for (int64_t k = 0; k < count; ++k) {
    const int32_t level = static_cast<int32_t>(static_cast<int64_t>(low) + k);
    const int32_t z = ValueToDepth(WorkingMaximum() - level - 0.5);
    if (!mTickOnLabelsOnly) mTickPositions.Add(z);
    if (!mLabels) continue;
    std::string text = mOwner->LegendTitleOf(level);
    if (handler && !mLabelEventDetached) handler(this, nullptr, level, text);
    PlaceLabel(z, text);
  }
}

}  // namespace chart
