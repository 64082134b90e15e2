#include "chart/axes/TAxisScale.h"

#include <bit>
#include <algorithm>
#include <climits>
#include <cmath>

#include "chart/axes/AxisRounding.h"
#include "framework/runtime/ProcessorFeatures.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace chart {
namespace {

// Offsets this far from the start are treated as "off the scale" rather than clipped.
constexpr double MaxPixelOffset = 2147483647.0;

double LnOrZero(double v) { return v > 0 ? std::log(v) : 0.0; }

}  // namespace

using axisdetail::ClampPixel;
using axisdetail::RoundHalfEven;

void TAxisScale::SetRange(double minimum, double maximum) {
  WorkingMinimum = minimum;
  WorkingMaximum = maximum;
  WorkingRange = maximum - minimum;
}

void TAxisScale::SetSpan(int32_t startPixel, int32_t endPixel) {
  StartPixel = startPixel;
  EndPixel = endPixel;
  AxisLength = ClampPixel(int64_t{endPixel} - startPixel);
  CenterPixel = static_cast<int32_t>((int64_t{startPixel} + endPixel) / 2);
}

int32_t TAxisScale::FromStart(int32_t r) const { return ClampPixel(int64_t{StartPixel} + r); }
int32_t TAxisScale::FromEnd(int32_t r) const { return ClampPixel(int64_t{EndPixel} - r); }

int32_t TAxisScale::ValueToPixel(double value) const {
  return Logarithmic ? LogValueToPixel(value) : LinearValueToPixel(value);
}

namespace {

// The linear map of a batch, with the single map's arithmetic: the offset along the axis of a
// value, and the pixel of its rounded offset (CenterPixel when off the scale).
struct TLinearBatch {
  double Minimum, Length, Range;
  int64_t Base, Sign;
  int32_t Centre;

  explicit TLinearBatch(const TAxisScale& s)
      : Minimum(s.WorkingMinimum),
        Length(s.AxisLength),
        Range(s.WorkingRange),
        Base(s.IsHorizontal != s.Inverted ? s.StartPixel : s.EndPixel),
        Sign(s.IsHorizontal != s.Inverted ? 1 : -1),
        Centre(s.CenterPixel) {}
  double Offset(double value) const { return (value - Minimum) * Length / Range; }
  static bool OnScale(double offset) { return std::fabs(offset) < MaxPixelOffset; }
  int32_t Pixel(bool onScale, int64_t rounded) const {
    return onScale ? static_cast<int32_t>(std::clamp<int64_t>(Base + Sign * rounded, INT32_MIN, INT32_MAX)) : Centre;
  }
};

void MapLinearPlain(const TAxisScale& s, const double* values, int32_t* pixels, size_t n) {
  const TLinearBatch batch(s);
  for (size_t k = 0; k < n; ++k) {
    const double t = batch.Offset(values[k]);
    const bool on = TLinearBatch::OnScale(t);
    pixels[k] = batch.Pixel(on, fw::RoundDoubleHalfEven(on ? t : 0.0));
  }
}

#if defined(__x86_64__) && defined(__GNUC__)
// Four values at a time with the processor's rounding instruction, told to round to nearest even
// whatever the rounding mode: the same integers, several times faster than taking the fraction
// apart. The pixel's sum and clamp are done in doubles, where they are exact (the rounded offset
// and the base are both below 2^32 in size).
[[gnu::target("avx")]] void MapLinearAvx(const TAxisScale& s, const double* values, int32_t* pixels, size_t n) {
  const TLinearBatch batch(s);
  constexpr int Nearest = _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC;
  const __m256d minimum = _mm256_set1_pd(batch.Minimum);
  const __m256d length = _mm256_set1_pd(batch.Length);
  const __m256d range = _mm256_set1_pd(batch.Range);
  const __m256d magnitude = _mm256_castsi256_pd(_mm256_set1_epi64x(INT64_MAX));
  const __m256d limit = _mm256_set1_pd(MaxPixelOffset);
  const __m256d base = _mm256_set1_pd(static_cast<double>(batch.Base));
  const __m256d sign = _mm256_set1_pd(static_cast<double>(batch.Sign));
  const __m256d lowest = _mm256_set1_pd(INT32_MIN);
  const __m256d highest = _mm256_set1_pd(INT32_MAX);
  const __m256d centre = _mm256_set1_pd(batch.Centre);
  size_t k = 0;
  for (; k + 4 <= n; k += 4) {
    const __m256d t = _mm256_div_pd(_mm256_mul_pd(_mm256_sub_pd(_mm256_loadu_pd(values + k), minimum), length), range);
    const __m256d on = _mm256_cmp_pd(_mm256_and_pd(t, magnitude), limit, _CMP_LT_OQ);
    const __m256d pixel = _mm256_add_pd(base, _mm256_mul_pd(sign, _mm256_round_pd(t, Nearest)));
    const __m256d kept = _mm256_blendv_pd(centre, _mm256_min_pd(_mm256_max_pd(pixel, lowest), highest), on);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + k), _mm256_cvtpd_epi32(kept));
  }
  for (; k < n; ++k) {
    const double t = batch.Offset(values[k]);
    const bool on = TLinearBatch::OnScale(t);
    const __m128d v = _mm_set_sd(on ? t : 0.0);
    const double rounded = _mm_cvtsd_f64(_mm_round_sd(v, v, Nearest));
    pixels[k] = batch.Pixel(on, static_cast<int64_t>(rounded));
  }
}
#endif
bool gHardwareRounding = true;

}  // namespace

void TAxisScale::ValuesToPixels(std::span<const double> values, std::span<int32_t> pixels) const {
  const size_t n = std::min(values.size(), pixels.size());
  if (Logarithmic) {
    for (size_t k = 0; k < n; ++k) pixels[k] = LogValueToPixel(values[k]);
    return;
  }
  if (WorkingRange == 0) {
    std::fill_n(pixels.begin(), n, CenterPixel);
    return;
  }
#if defined(__x86_64__) && defined(__GNUC__)
  if (fw::ProcessorHasAvx && gHardwareRounding) {
    MapLinearAvx(*this, values.data(), pixels.data(), n);
    return;
  }
#endif
  MapLinearPlain(*this, values.data(), pixels.data(), n);
}

void TAxisScale::SetHardwareRounding(bool value) { gHardwareRounding = value; }

double TAxisScale::PixelToValue(int32_t pixel) const {
  return Logarithmic ? LogPixelToValue(pixel) : LinearPixelToValue(pixel);
}

bool TAxisScale::MapsMonotonically(double value) const {
  if (Logarithmic) return false;
  if (WorkingRange == 0) return true;
  const double t = (value - WorkingMinimum) * AxisLength / WorkingRange;
  return std::fabs(t) < MaxPixelOffset;
}

double TAxisScale::FurthestWithin(int32_t a, int32_t b, double known, bool upward) const {
  if (Logarithmic || WorkingRange == 0 || AxisLength == 0) return known;
  const TLinearBatch batch(*this);
  // The offsets of a and b along the axis: the values between map to offsets rounding between
  // them, those strictly less than half a pixel past either included (both ends of the map
  // clamp nothing between two pixels). The edge is taken a little inside first, then further
  // in until the offset of its value, taken as the map takes it, lies there.
  const double ra = static_cast<double>((int64_t{a} - batch.Base) * batch.Sign);
  const double rb = static_cast<double>((int64_t{b} - batch.Base) * batch.Sign);
  const double least = std::min(ra, rb) - 0.5, most = std::max(ra, rb) + 0.5;
  if (!(most < MaxPixelOffset && least > -MaxPixelOffset)) return known;
  const bool offsetUp = upward == ((WorkingRange > 0) == (AxisLength > 0));
  const double edge = offsetUp ? most : least;
  for (const double inside : {0x1p-30, 0x1p-12, 0x1p-4, 0.25}) {
    const double value = WorkingMinimum + (offsetUp ? edge - inside : edge + inside) * WorkingRange / AxisLength;
    const double t = batch.Offset(value);
    if ((upward ? value > known : value < known) && t > least && t < most) return value;
  }
  return known;
}

int32_t TAxisScale::LinearValueToPixel(double value) const {
  if (WorkingRange == 0) return CenterPixel;
  const double t = (value - WorkingMinimum) * AxisLength / WorkingRange;
  if (!(std::fabs(t) < MaxPixelOffset)) return CenterPixel;
  const int32_t r = fw::RoundDoubleHalfEven(t);
  if (IsHorizontal) return Inverted ? FromEnd(r) : FromStart(r);
  return Inverted ? FromStart(r) : FromEnd(r);
}

double TAxisScale::LnOfEnd(double end, double& keptEnd, double& keptLn) const {
  // Compared bit for bit: -0 and 0 or two NaNs are different ends.
  if (std::bit_cast<uint64_t>(end) != std::bit_cast<uint64_t>(keptEnd)) {
    keptLn = LnOrZero(end);
    keptEnd = end;
  }
  return keptLn;
}

int32_t TAxisScale::LogValueToPixel(double value) const {
  const double lnMin = LnOfEnd(WorkingMinimum, mLnMinimumOf, mLnMinimum);
  const double lnMax = LnOfEnd(WorkingMaximum, mLnMaximumOf, mLnMaximum);
  const double logSpan = lnMax - lnMin;
  if (logSpan == 0) return CenterPixel;
  if (value <= 0) return IsHorizontal == Inverted ? EndPixel : StartPixel;
  const double b = Inverted ? lnMax - std::log(value) : std::log(value) - lnMin;
  const double t = AxisLength * b / logSpan;
  if (!(std::fabs(t) < MaxPixelOffset)) return CenterPixel;
  const int32_t r = fw::RoundDoubleHalfEven(t);
  return IsHorizontal ? FromStart(r) : FromEnd(r);
}

double TAxisScale::LinearPixelToValue(int32_t pixel) const {
  if (AxisLength <= 0) return 0;
  const double offset = Inverted ? double(EndPixel) - pixel : double(pixel) - StartPixel;
  const double d = offset * WorkingRange / AxisLength;
  return IsHorizontal ? WorkingMinimum + d : WorkingMaximum - d;
}

double TAxisScale::LogPixelToValue(int32_t pixel) const {
  const bool maximumAtStart = IsHorizontal == Inverted;
  if (pixel == StartPixel) return maximumAtStart ? WorkingMaximum : WorkingMinimum;
  if (pixel == EndPixel) return maximumAtStart ? WorkingMinimum : WorkingMaximum;
  const double lnMin = LnOrZero(WorkingMinimum);
  const double lnMax = LnOrZero(WorkingMaximum);
  const double logSpan = lnMax - lnMin;
  if (logSpan == 0 || AxisLength == 0) return WorkingMinimum;
  const double offset = Inverted ? double(EndPixel) - pixel : double(pixel) - StartPixel;
  const double d = offset * logSpan / AxisLength;
  return IsHorizontal ? std::exp(lnMin + d) : std::exp(lnMax - d);
}

int32_t TAxisScale::ValueToDepth(double value, int32_t depthWidth) const {
  if (WorkingRange == 0) return depthWidth / 2;
  const double offset = Inverted ? WorkingMaximum - value : value - WorkingMinimum;
  const double t = depthWidth * offset / WorkingRange;
  if (!(std::fabs(t) < MaxPixelOffset)) return depthWidth / 2;
  return RoundHalfEven(t);
}

}  // namespace chart
