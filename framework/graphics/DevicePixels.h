#pragma once
// Logical and device pixels. A surface with a device pixel ratio r above 1 (a high-density
// screen) keeps every coordinate of its callers in logical pixels and draws at device
// resolution; these are the mapping rules it uses, written once so that fills, outlines,
// lines, clips and copies agree on where a logical edge lies.
#include <cmath>
#include <cstdint>

namespace fw {

inline constexpr double MinDevicePixelRatio = 0.25;
inline constexpr double MaxDevicePixelRatio = 16.0;
inline constexpr const char* DevicePixelRatioRangeMessage = "Device pixel ratio must be from 0.25 to 16";

/// False for NaN, infinities and values outside MinDevicePixelRatio to MaxDevicePixelRatio.
inline bool ValidDevicePixelRatio(double ratio) {
  return ratio >= MinDevicePixelRatio && ratio <= MaxDevicePixelRatio;
}

/// The device edge of logical edge v: floor(v * r + 1/2). Logical pixel x covers the device
/// pixels DeviceEdge(x) to DeviceEdge(x + 1) - 1, so shapes that share a logical edge share
/// the device edge too (no gap, no overlap). Monotonic; exact at ratio 1.
inline int64_t DeviceEdge(int64_t v, double ratio) {
  return static_cast<int64_t>(std::floor(static_cast<double>(v) * ratio + 0.5));
}

/// Device size of a logical size (an image of width w holds DeviceEdge(w) columns).
inline int64_t DeviceSize(int64_t logical, double ratio) { return DeviceEdge(logical, ratio); }

/// The widest pen in device pixels: the widest the painter takes (it refuses a wider one and
/// keeps a width of one, so such a pen would draw one pixel wide).
inline constexpr int32_t MaxDeviceLineWidth = 32767;

/// Device width of a pen of the given logical width: floor(w * r + 1/2), at least 1 and at most
/// MaxDeviceLineWidth, the same wherever the line lies (1 at ratio 1 and 1.25, 2 at 1.5 and 2,
/// 3 at 2.5 and 3).
inline int32_t DeviceLineWidth(int32_t logical, double ratio) {
  const double w = std::floor(static_cast<double>(logical < 1 ? 1 : logical) * ratio + 0.5);
  return w < 1 ? 1 : (w > MaxDeviceLineWidth ? MaxDeviceLineWidth : static_cast<int32_t>(w));
}

}  // namespace fw
