#pragma once
// Framework-internal: how a surface with a device pixel ratio other than 1 turns its callers'
// logical coordinates into device pixels. Pure functions of their arguments; the surface draws
// with the results. The edge rule itself is in DevicePixels.h.
#include <array>
#include <cstdint>
#include <vector>

#include <QBrush>
#include <QImage>

#include "framework/graphics/DevicePixels.h"

namespace fw {

/// A box in device pixels, right and bottom exclusive (may be empty or beyond any image).
struct TDeviceBox {
  int64_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool Empty() const { return Right <= Left || Bottom <= Top; }
  bool operator==(const TDeviceBox&) const = default;
};

/// The device box of the logical box (left, top)-(right, bottom), right and bottom exclusive:
/// every edge through DeviceEdge, so boxes that share a logical edge share the device edge.
TDeviceBox DeviceBox(int64_t left, int64_t top, int64_t right, int64_t bottom, double ratio);

/// A line drawn Width times by the one-pixel rule, each copy shifted one more device pixel
/// right (ShiftX) or down: the copies never share a pixel, so a raster operation applies to
/// every pixel of the thick line once.
struct TThickLine {
  int64_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  int32_t Width = 1;
  bool ShiftX = false;
};

/// A thick line between device points: shifted across its major axis (right for steep lines,
/// down for the others).
TThickLine ThickDeviceLine(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int32_t width);

/// The device form of a one-pixel logical line from (x1, y1) to (x2, y2) (start pixel in, end
/// pixel out) drawn width device pixels thick. Along the major axis it covers exactly the device
/// pixels of the logical pixels it covers: a line to the right or down starts at the first device
/// pixel of its first logical pixel, a line to the left or up at the last one, and each ends where
/// the logical end pixel begins on its side. Across, each copy starts at the first device pixel of
/// the logical row or column, so a one-pixel line lies on the same device pixels as a fill of that
/// row or column (and at fractional ratios is as wide everywhere, spilling one pixel over).
TThickLine MapCosmeticLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, double ratio, int32_t width);

/// Cuts the device line to the square of +-2^30 pixels (keeping its direction), so that its
/// coordinates fit the 32-bit rasterizer; false when nothing of it lies inside. A line inside
/// the square is unchanged.
bool LimitDeviceLine(TThickLine& line);

/// The outline of a device box drawn by a pen width pixels wide inside it, as four disjoint
/// bands: top (without the right end), right (without the bottom end), bottom (without the left
/// end), left (without the top end). Each band is a one-pixel outline's side drawn width times,
/// as Lines gives them in this order; empty bands are left out of the count.
struct TOutlineBands {
  std::array<TThickLine, 4> Sides{};
  int Count = 0;
  TDeviceBox Inside;  // what the outline leaves for the brush (may be empty)
  bool Filled = false;  // the box is too small for an inside: Sides[0] covers all of it
};
TOutlineBands OutlineBands(const TDeviceBox& box, int32_t width);

/// A dash pattern (on, off, on, off... in pixels) at the ratio: each length floor(d * r + 1/2),
/// at least 1.
std::vector<int> ScaledDashes(const std::vector<int>& dashes, double ratio);

/// A hatch brush (Qt's 8 x 8 pattern styles) at the ratio: a texture of DeviceSize(8) pixels
/// square in which pattern pixel (i, j) covers the device pixels of logical pixel (i, j), in
/// the colour, the rest transparent. The texture repeats from the device origin as the pattern
/// repeats from the image origin at ratio 1.
QBrush ScaledHatchBrush(Qt::BrushStyle style, const QColor& color, double ratio);

}  // namespace fw
