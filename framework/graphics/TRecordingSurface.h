#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/graphics/TSurface.h"

namespace fw {

/// One logged surface call: the operation's name, its integer arguments in order (points
/// flattened to x, y; rectangles as left, top, right, bottom; colours as given) and its text.
struct TSurfaceCall {
  std::string Name;
  std::vector<int32_t> Ints;
  std::string Text;
};

/// A surface that logs every operation with its arguments, then performs it: pen, brush and
/// font selection with its side effects happens as on any surface, text is measured with the
/// real fonts, and with a size given the calls also draw into an image of that size.
/// Logged names are the operation names (MoveTo, LineTo, Polyline, Polygon, Rectangle,
/// RoundRect, Ellipse, Arc, Pie, FillRect, PatBlt, SetPixel, GetPixel, TextOut, TextExtent,
/// TextWidth, TextHeight, IntersectClipRect, IntersectClipPolygon, RemoveClipping, ClipBounds,
/// HasClipping, BlockCopy, Draw, StretchDraw, GetBkColor, SetBkColor, GetBkMode, SetBkMode,
/// GetTextAlign, SetTextAlign, GetTextColor, SetTextColor). BlockCopy's integers are x, y,
/// width, height, sourceX, sourceY; Draw's are x, y and the graphic's width and height.
class TRecordingSurface : public TSurface {
public:
  /// Records (and measures) only.
  TRecordingSurface();
  /// Records and draws into an image of its own (white at the start).
  TRecordingSurface(int32_t width, int32_t height);

  const std::vector<TSurfaceCall>& Calls() const { return mCalls; }
  void ClearCalls() { mCalls.clear(); }
  /// Number of logged calls with this name.
  std::size_t CountOf(std::string_view name) const;
  /// Calls that draw pixels (everything but state queries, state changes and measuring).
  std::size_t DrawingCallCount() const;

  TColor GetBkColor() override;
  TColor SetBkColor(TColor color) override;
  int32_t GetBkMode() override;
  int32_t SetBkMode(int32_t mode) override;
  int32_t GetTextAlign() override;
  int32_t SetTextAlign(int32_t flags) override;
  TColor GetTextColor() override;
  TColor SetTextColor(TColor color) override;

  void MoveTo(int32_t x, int32_t y) override;
  void LineTo(int32_t x, int32_t y) override;
  void Polyline(std::span<const TPoint> points) override;
  void Polygon(std::span<const TPoint> points) override;
  void Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
  void RoundRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t cornerWidth, int32_t cornerHeight) override;
  void Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
  void Arc(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4, int32_t y4) override;
  void Pie(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4, int32_t y4) override;
  void FillRect(const TRect& rect) override;
  void PatBlt(const TRect& rect, TColor color) override;
  void SetPixel(int32_t x, int32_t y, TColor color) override;
  TColor GetPixel(int32_t x, int32_t y) override;
  void TextOut(int32_t x, int32_t y, const std::string& text) override;
  TSize TextExtent(const std::string& text) override;
  int32_t TextWidth(const std::string& text) override;
  int32_t TextHeight(const std::string& text) override;
  void IntersectClipRect(const TRect& rect) override;
  void IntersectClipPolygon(std::span<const TPoint> points) override;
  void RemoveClipping() override;
  TRect ClipBounds() override;
  bool HasClipping() override;
  void BlockCopy(int32_t x, int32_t y, int32_t width, int32_t height, TSurface& source, int32_t sourceX,
                 int32_t sourceY) override;
  void Draw(int32_t x, int32_t y, const TGraphic* graphic) override;
  void StretchDraw(const TRect& rect, const TGraphic* graphic) override;

private:
  void Log(const char* name, std::initializer_list<int32_t> ints, const std::string& text = {});
  void LogPoints(const char* name, std::span<const TPoint> points);

  std::vector<TSurfaceCall> mCalls;
};

}  // namespace fw
