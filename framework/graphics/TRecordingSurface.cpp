#include "framework/graphics/TRecordingSurface.h"

#include <algorithm>
#include <array>

#include "framework/graphics/SurfaceAccess.h"
#include "framework/graphics/TGraphic.h"

namespace fw {

TRecordingSurface::TRecordingSurface() = default;

TRecordingSurface::TRecordingSurface(int32_t width, int32_t height) {
  SurfaceAccess::CreateImage(*this, width, height);
}

std::size_t TRecordingSurface::CountOf(std::string_view name) const {
  return static_cast<std::size_t>(
      std::count_if(mCalls.begin(), mCalls.end(), [name](const TSurfaceCall& c) { return c.Name == name; }));
}

std::size_t TRecordingSurface::DrawingCallCount() const {
  static constexpr std::array<std::string_view, 15> drawing = {
      "LineTo", "Polyline", "Polygon", "Rectangle", "RoundRect", "Ellipse",   "Arc",        "Pie",
      "FillRect", "PatBlt", "SetPixel", "TextOut", "BlockCopy", "Draw", "StretchDraw"};
  return static_cast<std::size_t>(std::count_if(mCalls.begin(), mCalls.end(), [](const TSurfaceCall& c) {
    return std::find(drawing.begin(), drawing.end(), c.Name) != drawing.end();
  }));
}

void TRecordingSurface::Log(const char* name, std::initializer_list<int32_t> ints, const std::string& text) {
  mCalls.push_back({name, std::vector<int32_t>(ints), text});
}

void TRecordingSurface::LogPoints(const char* name, std::span<const TPoint> points) {
  TSurfaceCall call{name, {}, {}};
  call.Ints.reserve(points.size() * 2);
  for (const TPoint& p : points) {
    call.Ints.push_back(p.X);
    call.Ints.push_back(p.Y);
  }
  mCalls.push_back(std::move(call));
}

TColor TRecordingSurface::GetBkColor() {
  Log("GetBkColor", {});
  return TSurface::GetBkColor();
}

TColor TRecordingSurface::SetBkColor(TColor color) {
  Log("SetBkColor", {color});
  return TSurface::SetBkColor(color);
}

int32_t TRecordingSurface::GetBkMode() {
  Log("GetBkMode", {});
  return TSurface::GetBkMode();
}

int32_t TRecordingSurface::SetBkMode(int32_t mode) {
  Log("SetBkMode", {mode});
  return TSurface::SetBkMode(mode);
}

int32_t TRecordingSurface::GetTextAlign() {
  Log("GetTextAlign", {});
  return TSurface::GetTextAlign();
}

int32_t TRecordingSurface::SetTextAlign(int32_t flags) {
  Log("SetTextAlign", {flags});
  return TSurface::SetTextAlign(flags);
}

TColor TRecordingSurface::GetTextColor() {
  Log("GetTextColor", {});
  return TSurface::GetTextColor();
}

TColor TRecordingSurface::SetTextColor(TColor color) {
  Log("SetTextColor", {color});
  return TSurface::SetTextColor(color);
}

void TRecordingSurface::MoveTo(int32_t x, int32_t y) {
  Log("MoveTo", {x, y});
  TSurface::MoveTo(x, y);
}

void TRecordingSurface::LineTo(int32_t x, int32_t y) {
  Log("LineTo", {x, y});
  TSurface::LineTo(x, y);
}

void TRecordingSurface::Polyline(std::span<const TPoint> points) {
  LogPoints("Polyline", points);
  TSurface::Polyline(points);
}

void TRecordingSurface::Polygon(std::span<const TPoint> points) {
  LogPoints("Polygon", points);
  TSurface::Polygon(points);
}

void TRecordingSurface::Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  Log("Rectangle", {x1, y1, x2, y2});
  TSurface::Rectangle(x1, y1, x2, y2);
}

void TRecordingSurface::RoundRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t cornerWidth,
                                  int32_t cornerHeight) {
  Log("RoundRect", {x1, y1, x2, y2, cornerWidth, cornerHeight});
  TSurface::RoundRect(x1, y1, x2, y2, cornerWidth, cornerHeight);
}

void TRecordingSurface::Ellipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  Log("Ellipse", {x1, y1, x2, y2});
  TSurface::Ellipse(x1, y1, x2, y2);
}

void TRecordingSurface::Arc(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4,
                            int32_t y4) {
  Log("Arc", {x1, y1, x2, y2, x3, y3, x4, y4});
  TSurface::Arc(x1, y1, x2, y2, x3, y3, x4, y4);
}

void TRecordingSurface::Pie(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3, int32_t x4,
                            int32_t y4) {
  Log("Pie", {x1, y1, x2, y2, x3, y3, x4, y4});
  TSurface::Pie(x1, y1, x2, y2, x3, y3, x4, y4);
}

void TRecordingSurface::FillRect(const TRect& rect) {
  Log("FillRect", {rect.Left, rect.Top, rect.Right, rect.Bottom});
  TSurface::FillRect(rect);
}

void TRecordingSurface::PatBlt(const TRect& rect, TColor color) {
  Log("PatBlt", {rect.Left, rect.Top, rect.Right, rect.Bottom, color});
  TSurface::PatBlt(rect, color);
}

void TRecordingSurface::SetPixel(int32_t x, int32_t y, TColor color) {
  Log("SetPixel", {x, y, color});
  TSurface::SetPixel(x, y, color);
}

TColor TRecordingSurface::GetPixel(int32_t x, int32_t y) {
  Log("GetPixel", {x, y});
  return TSurface::GetPixel(x, y);
}

void TRecordingSurface::TextOut(int32_t x, int32_t y, const std::string& text) {
  Log("TextOut", {x, y}, text);
  TSurface::TextOut(x, y, text);
}

TSize TRecordingSurface::TextExtent(const std::string& text) {
  Log("TextExtent", {}, text);
  return TSurface::TextExtent(text);
}

int32_t TRecordingSurface::TextWidth(const std::string& text) {
  Log("TextWidth", {}, text);
  return TSurface::TextWidth(text);
}

int32_t TRecordingSurface::TextHeight(const std::string& text) {
  Log("TextHeight", {}, text);
  return TSurface::TextHeight(text);
}

void TRecordingSurface::IntersectClipRect(const TRect& rect) {
  Log("IntersectClipRect", {rect.Left, rect.Top, rect.Right, rect.Bottom});
  TSurface::IntersectClipRect(rect);
}

void TRecordingSurface::IntersectClipPolygon(std::span<const TPoint> points) {
  LogPoints("IntersectClipPolygon", points);
  TSurface::IntersectClipPolygon(points);
}

void TRecordingSurface::RemoveClipping() {
  Log("RemoveClipping", {});
  TSurface::RemoveClipping();
}

TRect TRecordingSurface::ClipBounds() {
  Log("ClipBounds", {});
  return TSurface::ClipBounds();
}

bool TRecordingSurface::HasClipping() {
  Log("HasClipping", {});
  return TSurface::HasClipping();
}

void TRecordingSurface::BlockCopy(int32_t x, int32_t y, int32_t width, int32_t height, TSurface& source,
                                  int32_t sourceX, int32_t sourceY) {
  Log("BlockCopy", {x, y, width, height, sourceX, sourceY});
  TSurface::BlockCopy(x, y, width, height, source, sourceX, sourceY);
}

void TRecordingSurface::Draw(int32_t x, int32_t y, const TGraphic* graphic) {
  Log("Draw", {x, y, graphic ? graphic->Width() : 0, graphic ? graphic->Height() : 0});
  TSurface::Draw(x, y, graphic);
}

void TRecordingSurface::StretchDraw(const TRect& rect, const TGraphic* graphic) {
  Log("StretchDraw", {rect.Left, rect.Top, rect.Right, rect.Bottom});
  TSurface::StretchDraw(rect, graphic);
}

}  // namespace fw
