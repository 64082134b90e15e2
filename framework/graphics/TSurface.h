#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "framework/graphics/TBrush.h"
#include "framework/graphics/TFont.h"
#include "framework/graphics/TPen.h"
#include "framework/graphics/TPixelStamp.h"
#include "framework/graphics/TPoint.h"
#include "framework/graphics/TRect.h"
#include "framework/graphics/TSize.h"
#include "framework/runtime/TColor.h"

namespace fw {

class TGraphic;

/// Text alignment flags: one horizontal and one vertical flag or-ed together.
inline constexpr int32_t TA_LEFT = 0;
inline constexpr int32_t TA_RIGHT = 2;
inline constexpr int32_t TA_CENTER = 6;
inline constexpr int32_t TA_TOP = 0;
inline constexpr int32_t TA_BOTTOM = 8;
inline constexpr int32_t TA_BASELINE = 24;

/// Background modes: text cells, dash gaps and hatch gaps are left alone or filled with the
/// background colour.
inline constexpr int32_t TRANSPARENT = 1;
inline constexpr int32_t OPAQUE = 2;

/// A device-context-like drawing surface over an RGB image.
///
/// The surface owns its current pen, brush and font. Changing them only marks them changed;
/// every operation first selects what changed ("asks for the device context"), with these
/// side effects: a bsSolid brush sets the background mode OPAQUE and the background colour to
/// the brush colour, any other brush style sets TRANSPARENT and the complement of the brush
/// colour; the font sets the text colour to the font colour; the pen mode sets the raster
/// operation. Colours are converted with ColorToRGB when they reach the surface.
///
/// Geometry follows device rules: lines include the start pixel and exclude the end pixel;
/// shapes given by a bounding box exclude its right and bottom; fills never draw outlines.
/// Without a target image (a measuring or recording surface) all state behaves the same and
/// nothing is drawn. Every operation is virtual so that a recording surface can log it.
class TSurface {
public:
  TSurface();
  virtual ~TSurface();
  TSurface(const TSurface&) = delete;
  TSurface& operator=(const TSurface&) = delete;

  /// The surface's own objects; callers change them freely, selection happens lazily. Their
  /// OnChange belongs to the surface (it marks them changed): do not replace it.
  TPen& Pen() { return *mPen; }
  TBrush& Brush() { return *mBrush; }
  TFont& Font() { return *mFont; }
  const TPen& Pen() const { return *mPen; }
  const TBrush& Brush() const { return *mBrush; }
  const TFont& Font() const { return *mFont; }
  /// Copy the values of another object into the surface's own (Assign).
  void SetPen(const TPen& value) { mPen->Assign(value); }
  void SetBrush(const TBrush& value) { mBrush->Assign(value); }
  void SetFont(const TFont& value) { mFont->Assign(value); }

  /// Size of the target image in logical pixels; 0 x 0 without one.
  int32_t Width() const;
  int32_t Height() const;
  /// Device pixels per logical pixel of the target image (1 without one). Every coordinate,
  /// size and measurement of this interface is in logical pixels at any ratio; above 1 each
  /// primitive is drawn at device resolution (see DevicePixels.h for the mapping rules).
  double DevicePixelRatio() const;
  /// True when the target is presented in black and white (see TBitmap::Monochrome).
  bool Monochrome() const;

  /// Raised before and after every drawing operation; empty ones are skipped. An owner
  /// (a bitmap) hooks these; set them to nullptr to draw without notifications.
  std::function<void()> OnChanging;
  std::function<void()> OnChange;

  // Device context state. Each call first selects changed pen, brush and font.
  virtual TColor GetBkColor();
  /// Returns the previous background colour.
  virtual TColor SetBkColor(TColor color);
  virtual int32_t GetBkMode();
  /// TRANSPARENT or OPAQUE; other values are ignored. Returns the previous mode.
  virtual int32_t SetBkMode(int32_t mode);
  virtual int32_t GetTextAlign();
  /// Returns the previous flags.
  virtual int32_t SetTextAlign(int32_t flags);
  virtual TColor GetTextColor();
  /// Returns the previous text colour.
  virtual TColor SetTextColor(TColor color);

  /// Current pen position.
  TPoint PenPos() const { return mPenPos; }

  virtual void MoveTo(int32_t x, int32_t y);
  /// Line from the pen position to (x, y), end pixel excluded; the position moves to (x, y).
  /// A line to the current position draws nothing.
  virtual void LineTo(int32_t x, int32_t y);
  /// Connected lines through the points (the last point's pixel excluded); the pen position
  /// is not used or changed.
  virtual void Polyline(std::span<const TPoint> points);
  /// True when lines drawn now leave exactly the union of their pixels, whatever their order and
  /// however often a pixel is covered: a plain surface (this class itself, not a derived one)
  /// with a target image, and a visible pen one pixel wide, solid, in copy mode. Any lines that
  /// cover the same pixels then give the same picture. Changes nothing.
  bool LinesFormPixelUnion();
  /// LinesFormPixelUnion as it would be with `pen` selected, without selecting it.
  bool PenFormsPixelUnion(const TPen& pen) const;
  /// A plain surface (this class itself, not a derived one) drawing on a target image: each
  /// operation's pixels land on the image at once, and those outside it are lost.
  bool DrawsOnImage() const;
  /// Closed polygon: interior (odd-even rule) with the brush, outline with the pen.
  virtual void Polygon(std::span<const TPoint> points);
  /// Polygons and boxes with a solid opaque brush copied onto an unscaled image are filled by
  /// the surface's own rasterizer, with the painter's pixels, instead of the painter. On by
  /// default; tests turn it off to compare both ways pixel by pixel.
  static bool DirectFill();
  /// Polygons whose corners all lie within this many pixels of the origin (on both axes) are
  /// filled directly; farther ones go to the painter.
  static constexpr int32_t DirectFillReach = 1 << 14;
  static void SetDirectFill(bool value);
  /// Box (x1, y1)-(x2, y2) (corners in any order), right and bottom exclusive: outline with
  /// the pen, inside with the brush; with a clear pen the brush fills the whole box. Wide
  /// outlines are centred on the one-pixel outline; psInsideFrame keeps them inside the box.
  /// Every pixel is drawn once, so a not-xor rectangle drawn twice leaves no trace.
  virtual void Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  /// Rectangle with rounded corners of the given ellipse width and height. Dashed and dotted
  /// curved outlines (this, Ellipse, Arc, Pie) take the pattern counter-clockwise around the
  /// centre, from three o'clock (from the start of an arc).
  virtual void RoundRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t cornerWidth, int32_t cornerHeight);
  virtual void Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  /// Elliptic arc in the box, counter-clockwise from the ray towards (x3, y3) to the ray
  /// towards (x4, y4); equal rays give the whole ellipse.
  virtual void Arc(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4, int32_t y4);
  /// Pie slice bounded like Arc, closed by two radii, filled with the brush.
  virtual void Pie(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4, int32_t y4);
  /// Fills the rectangle with the brush (no outline, no raster operation).
  virtual void FillRect(const TRect& rect);
  /// Fills the rectangle with a solid colour without touching pen, brush or background state.
  virtual void PatBlt(const TRect& rect, TColor color);
  /// One pixel (inside the clip region) in the colour.
  virtual void SetPixel(int32_t x, int32_t y, TColor color);
  /// Plain RGB colour of a pixel; clNone outside the image.
  virtual TColor GetPixel(int32_t x, int32_t y);
  /// This surface's own GetPixel of each pixel of `area`, row by row, into `pixels` as far as it
  /// reaches: one call for a block of them.
  void GetPixels(const TRect& area, std::span<TColor> pixels);
  /// Reads into `stamp` the pixels of `area` (clipped to the image) for which take(x, y) holds,
  /// at their offsets from (originX, originY); an unscaled plain surface drawing on its image
  /// only, else the stamp stays empty.
  void ReadStamp(const TRect& area, int32_t originX, int32_t originY, const std::function<bool(int32_t, int32_t)>& take,
                 TPixelStamp& stamp);
  /// Puts the stamp's pixels down at their offsets from (x, y), as they were, when this is an
  /// unscaled plain surface drawing on its image and every one of them may be drawn (inside the
  /// image and the clip region); false, having drawn nothing, otherwise. Pen, brush and the
  /// pen position stay as they are.
  bool Stamp(int32_t x, int32_t y, const TPixelStamp& stamp);
  /// Puts the stamp down at (x, ys[0]), (x, ys[1]), ... in that order, as Stamp one after
  /// another would, writing each pixel once; under the conditions of Stamp for the box that
  /// holds all of them, otherwise false having drawn nothing. No rows: true, nothing drawn.
  bool StampColumn(int32_t x, std::span<const int32_t> ys, const TPixelStamp& stamp);
  /// Puts down a block slanted up to the right: colours[i] on the pixels (x + t, y + i - t) for
  /// t = 1 .. steps - 1, and `ends` on those for t = 0 and t = steps; as an opaque solid fill
  /// and pen would paint them, under the same conditions as Stamp, otherwise false having drawn
  /// nothing. Pen, brush and the pen position stay as they are.
  bool Slant(int32_t x, int32_t y, int32_t steps, std::span<const TColor> colours, TColor ends);

  /// Text at (x, y) interpreted by the alignment flags, in the text colour, the cell filled
  /// with the background colour when the background mode is OPAQUE, rotated by the font's
  /// Orientation around (x, y). Text is UTF-8.
  virtual void TextOut(int32_t x, int32_t y, const std::string& text);
  /// Extent of the text in the current font (unrotated): width of the advance, height of the
  /// cell (ascent + descent). 0 x 0 for an empty text or when measuring fails.
  virtual TSize TextExtent(const std::string& text);
  virtual int32_t TextWidth(const std::string& text);
  virtual int32_t TextHeight(const std::string& text);

  /// Intersects the clip region with the rectangle: clip rectangles nest, each call can only
  /// shrink the drawable area.
  virtual void IntersectClipRect(const TRect& rect);
  /// Intersects the clip region with the polygon (odd-even rule).
  virtual void IntersectClipPolygon(std::span<const TPoint> points);
  /// Removes all clipping.
  virtual void RemoveClipping();
  /// Bounding box of the drawable area: the whole image when nothing clips.
  virtual TRect ClipBounds();
  virtual bool HasClipping();

  /// Copies width x height pixels at (sourceX, sourceY) of the source surface to (x, y) of
  /// this one, unchanged (a monochrome source is thresholded first). Clipped to both images.
  ///
  /// A copy of a whole image between two plain surfaces (this class itself, not a derived
  /// one) of the same size, with nothing clipping this one, moves the source's image here
  /// instead of copying it: the source is then owed its picture, which it gets back (copied
  /// from this surface) just before either of the two is drawn on, before the source is read,
  /// or when this one goes away, unless the source's content is discarded first. Every
  /// observable pixel is the same as after a copy.
  virtual void BlockCopy(int32_t x, int32_t y, int32_t width, int32_t height, TSurface& source,
                         int32_t sourceX, int32_t sourceY);
  /// Declares that the next drawing replaces every pixel of this surface, so a picture it is
  /// owed by a moved whole-image copy need not come back. The pixels are unspecified until
  /// drawn: call it only before drawing that covers the whole image.
  void DiscardContent();
  /// Draws the graphic at (x, y) in its own size; nothing for an absent or empty graphic.
  virtual void Draw(int32_t x, int32_t y, const TGraphic* graphic);
  /// Draws the graphic stretched into the rectangle; nothing for an absent graphic.
  virtual void StretchDraw(const TRect& rect, const TGraphic* graphic);

protected:
  /// Completes the pixels of line runs still held back, then selects whatever of pen, brush
  /// and font changed since the last selection. Every operation that draws or reads calls it.
  void RequireState();
  void Changing() {
    if (mOwes != nullptr || mOwedBy != nullptr) SettleLoan(true);
    if (OnChanging) OnChanging();
  }
  void Changed() {
    if (OnChange) OnChange();
  }

private:
  friend struct SurfaceAccess;
  struct Impl;

  enum : uint32_t { dirtyPen = 1, dirtyBrush = 2, dirtyFont = 4 };

  void SelectObjects();
  /// GetPixel's pixel, the state already required.
  TColor PixelAt(int32_t x, int32_t y) const;
  /// RequireState without completing held-back line runs: for lines, which extend them.
  void RequireSelection() {
    if (mDirty != 0) SelectObjects();
  }

  std::unique_ptr<TPen> mPen;
  std::unique_ptr<TBrush> mBrush;
  std::unique_ptr<TFont> mFont;
  /// Ends a moved copy: the owed surface gets its picture back. Before a read only the owed
  /// side needs it; before a change (modifying) either side does.
  void SettleLoan(bool modifying);
  /// Moves source's whole image here in place of a copy when both allow it. For BlockCopy,
  /// after its Changing() has settled this surface.
  bool TakeImage(TSurface& source);

  std::unique_ptr<Impl> mImpl;
  TSurface* mOwes = nullptr;    // holds the picture of that surface, which is owed it
  TSurface* mOwedBy = nullptr;  // its picture is held by that surface
  TPoint mPenPos;
  uint32_t mDirty = dirtyPen | dirtyBrush | dirtyFont;
};

}  // namespace fw
