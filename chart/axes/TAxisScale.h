#pragma once
#include <cstdint>
#include <limits>
#include <span>

namespace chart {

/// The value-to-pixel map of one axis for one frame: the working range, the pixel span along
/// the axis and the orientation. A plain copyable value; the axis keeps one and rebuilds it on
/// every repaint.
struct TAxisScale {
  double WorkingMinimum = 0;
  double WorkingMaximum = 0;
  double WorkingRange = 0;   ///< WorkingMaximum − WorkingMinimum
  int32_t StartPixel = 0;    ///< left or top end
  int32_t EndPixel = 0;      ///< right or bottom end
  int32_t AxisLength = 0;    ///< EndPixel − StartPixel
  int32_t CenterPixel = 0;   ///< (StartPixel + EndPixel) div 2
  bool IsHorizontal = false;
  bool Inverted = false;
  bool Logarithmic = false;

  /// Sets the working range from its two ends (equal ends give a zero range).
  void SetRange(double minimum, double maximum);
  /// Sets the pixel span and the derived length and centre.
  void SetSpan(int32_t startPixel, int32_t endPixel);

  /// Screen coordinate of a value. A zero range, a value more than 2^31 axis lengths away and
  /// a value that is not a number map to CenterPixel; a value ≤ 0 on a logarithmic scale maps
  /// to the end of the minimum side.
  int32_t ValueToPixel(double value) const;
  /// ValueToPixel of values[k] into pixels[k] for every k (pixels holds at least as many): the
  /// same pixels, mapped as one batch, which lets the divisions of a long pass overlap.
  void ValuesToPixels(std::span<const double> values, std::span<int32_t> pixels) const;
  /// ValuesToPixels rounds with the processor's instruction where there is one (on by default);
  /// tests turn it off to check the portable rounding as well.
  static void SetHardwareRounding(bool value);
  /// True when the value maps by the linear rule: a linear scale, and the value neither NaN nor
  /// so far away that it maps to CenterPixel (a zero range maps every value to CenterPixel, which
  /// counts). Between two such values the map is monotone, so the pixels of any values between
  /// them lie between (or on) their pixels.
  bool MapsMonotonically(double value) const;
  /// Whether the pixels of a linear scale grow with its values (else they fall, or stay).
  bool PixelsGrowWithValues() const { return ((WorkingRange > 0) == (AxisLength > 0)) == (IsHorizontal != Inverted); }
  /// A value at least as far from `known` as `known` itself, upward or downward, whose pixel lies
  /// between pixels a and b (either order) when known's does, both mapping monotonically: every
  /// value between the two then maps between a and b as well. It is found near the far edge of
  /// that range of values and checked with the map's own arithmetic; `known` where none is found
  /// at once (a logarithmic or degenerate scale, values near the ends of the doubles).
  double FurthestWithin(int32_t a, int32_t b, double known, bool upward) const;
  /// Value at a screen coordinate; 0 for a linear scale without length.
  double PixelToValue(int32_t pixel) const;
  /// Depth from the front plane (0 … depthWidth) of a value on the depth axis.
  int32_t ValueToDepth(double value, int32_t depthWidth) const;

private:
  int32_t LinearValueToPixel(double value) const;
  int32_t LogValueToPixel(double value) const;
  double LinearPixelToValue(int32_t pixel) const;
  double LogPixelToValue(int32_t pixel) const;
  /// StartPixel + r, or EndPixel − r, without overflow.
  int32_t FromStart(int32_t r) const;
  int32_t FromEnd(int32_t r) const;
  /// The natural logarithm of a positive end (0 otherwise), kept for the last end it was taken
  /// of: a pass maps thousands of values over the same range.
  double LnOfEnd(double end, double& keptEnd, double& keptLn) const;

  mutable double mLnMinimumOf = std::numeric_limits<double>::quiet_NaN();
  mutable double mLnMinimum = 0;
  mutable double mLnMaximumOf = std::numeric_limits<double>::quiet_NaN();
  mutable double mLnMaximum = 0;
};

}  // namespace chart
