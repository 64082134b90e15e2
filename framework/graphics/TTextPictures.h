#pragma once
// Framework-internal: texts drawn once and kept as pixels, so that the same labels drawn frame
// after frame are shaped and rasterized only once.
#include <cstddef>
#include <cstdint>
#include <vector>

#include <QFont>
#include <QFontMetrics>
#include <QString>

#include "framework/graphics/TPixelTarget.h"
#include "framework/graphics/TTextCache.h"

class QPainter;
class QColor;

namespace fw {

/// Where a text lies relative to its anchor, in the text's own (unrotated) frame: the cell's
/// top-left corner by the alignment flags, the advance width, the ascent and the cell height.
struct TextPlacement {
  int left = 0;
  int top = 0;
  int width = 0;
  int ascent = 0;
  int cell = 0;
};

TextPlacement PlaceText(const QFontMetrics& fm, const QString& s, int32_t align);

/// The one place where text reaches pixels through the painter: the surface draws with it and
/// the pictures are rendered with it, so both agree pixel for pixel. The cell is filled when a
/// cell colour is given, the text drawn when a text colour is given.
void PaintText(QPainter& p, int x, int y, int32_t orientation, const TextPlacement& t, const QFont& font,
               const QString& s, const QColor* cellColor, const QColor* textColor);

/// Rotations whose transform has exact sines and cosines: a text drawn with one of them at any
/// whole-pixel anchor is the same picture shifted. Other angles are drawn by the painter.
bool ExactTextRotation(int32_t orientation);

/// A horizontal run of pixels relative to a text's anchor.
struct TextRun {
  int32_t x = 0;
  int32_t y = 0;
  int32_t length = 0;
};

/// The pixels of one text drawn with one font, rotation and alignment. Text is drawn without
/// antialiasing, so every pixel is either the text colour or untouched.
struct TextPicture {
  bool cached = false;        // false: this text is drawn by the painter every time
  std::vector<TextRun> ink;   // pixels in the text colour
  std::vector<TextRun> cell;  // the cell, filled first in opaque background mode
  int32_t left = 0, top = 0, right = 0, bottom = 0;  // bounds of ink and cell, exclusive
  // Index of the first ink run of each row top..bottom-1, then ink.size(): the runs of row
  // top + k are ink[inkRows[k]] .. ink[inkRows[k + 1] - 1]. Empty when the picture is blank.
  std::vector<uint32_t> inkRows;
};

/// A bounded cache of text pictures keyed by font id, rotation, alignment and text.
class TTextPictures {
public:
  explicit TTextPictures(size_t capacity) : mCache(capacity) {}

  /// The picture of the text, rendered on first use with the font (whose id is in the key) for
  /// an image of the given resolution (dots per metre). Not cached (cached == false) for
  /// inexact rotations, very large texts, or whenever the rendering shows anything but whole
  /// pixels of one colour well inside its border.
  const TextPicture& Get(const TTextKey& key, const QFont& font, const QFontMetrics& metrics, int dotsPerMeterX,
                         int dotsPerMeterY);

  void Clear() { mCache.Clear(); }
  size_t Size() const { return mCache.Size(); }

  /// Draws a cached picture with its anchor at (x, y): the cell first in cellRgb when given,
  /// then the ink in inkRgb, inside the target's drawable area.
  static void Draw(const TextPicture& picture, const TPixelTarget& target, int64_t x, int64_t y,
                   const uint32_t* cellRgb, uint32_t inkRgb);

private:
  TTextCache<TextPicture> mCache;
};

/// Renders the picture of a text (see TTextPictures::Get).
TextPicture RenderTextPicture(const QString& s, int32_t align, int32_t orientation, const QFont& font,
                              const QFontMetrics& metrics, int dotsPerMeterX, int dotsPerMeterY);

}  // namespace fw
