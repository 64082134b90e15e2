#pragma once
// Framework-internal: lets framework .cpp files (bitmaps, controls that present a window
// image) reach the image behind a surface. Not for the chart engine or the application.
#include <cstdint>

#include "framework/graphics/TRect.h"

class QImage;

namespace fw {

class TSurface;

struct SurfaceAccess {
  /// Draw into an image owned elsewhere (nullptr detaches), at ratio 1. The image must stay alive and
  /// must not be resized or reassigned while attached: detach first, then attach again.
  static void Attach(TSurface& surface, QImage* image);
  /// Give the surface an image of its own (RGB32, filled white), replacing any target:
  /// width x height logical pixels at the device pixel ratio (a valid one, see DevicePixels.h),
  /// so the image holds DeviceSize(width) x DeviceSize(height) pixels. Existing content of an
  /// own image at the same ratio is kept at the top-left when keepContent is set. Returns false
  /// when the image cannot be allocated, would hold more than MaxImagePixels device pixels, or
  /// the ratio is not valid (the old target stays).
  /// Largest image a surface creates: 2 GiB of 32-bit pixels.
  static constexpr int64_t MaxImagePixels = int64_t{1} << 29;
  static bool CreateImage(TSurface& surface, int32_t width, int32_t height, double ratio = 1.0,
                          bool keepContent = true);
  /// The target image with all drawing finished (and thresholded when monochrome), ready to
  /// be read or presented; nullptr without a target.
  static QImage* Image(TSurface& surface);
  /// Monochrome presentation: images are drawn in colour and thresholded to black and white
  /// whenever they are read.
  static void SetMonochrome(TSurface& surface, bool value);
  /// Texts are laid out once and their pixels kept for the next time (the default); switched
  /// off, every text is shaped and drawn by the painter. Both give the same pixels.
  static void SetTextCache(TSurface& surface, bool enabled);
  /// Draws an image stretched into the rectangle of the surface (a monochrome image maps
  /// black to the text colour and white to the background colour, as device bitmaps do).
  static void StretchImage(TSurface& surface, const TRect& rect, const QImage& image, bool monochrome);
};

}  // namespace fw
