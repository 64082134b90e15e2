#pragma once
#include <cstdint>

namespace chart {

/// What a series needs of an axis to place its points: the value-to-pixel mapping of the last
/// laid-out frame and the axis' direction. The chart's axes implement it; a series keeps
/// non-owning pointers to the two axes it resolved (the chart owns the axes and outlives them).
class TSeriesAxisMapping {
public:
  /// Screen coordinate of a value on this axis (x for a horizontal axis, y for a vertical one).
  virtual int32_t ValueToPixel(double value) const = 0;
  /// Value at a screen coordinate along this axis.
  virtual double PixelToValue(int32_t pixel) const = 0;
  /// True for the bottom and top axes (and horizontal custom axes).
  virtual bool IsHorizontal() const = 0;
  /// True when the scale runs the other way.
  virtual bool Inverted() const = 0;

protected:
  TSeriesAxisMapping() = default;
  TSeriesAxisMapping(const TSeriesAxisMapping&) = default;
  TSeriesAxisMapping& operator=(const TSeriesAxisMapping&) = default;
  ~TSeriesAxisMapping() = default;
};

}  // namespace chart
