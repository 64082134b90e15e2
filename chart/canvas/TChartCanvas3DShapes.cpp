// Drawing at depth and the 3D shapes. Every point is projected with the frame's projection; in
// a flat frame the operations draw their 2D counterparts.
//
// Solids are built from planar faces. A face is ordered so that its normal points into the
// solid, projected, and drawn only when it turns towards the viewer (positive projected area).
// Curved surfaces (cylinder walls, pie rims) are approximated by strips that are filled without
// outlines; their visible contour and silhouette edges are then drawn with the pen.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "framework/runtime/Rounding.h"
#include "chart/canvas/DarkenColor.h"
#include "chart/canvas/PixelMath.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/canvas/TView3DOptions.h"
#include "framework/graphics/TSurface.h"

namespace chart {

using fw::RoundHalfEven;

namespace {

constexpr int32_t SideShade = 128;
constexpr int32_t TopShade = 64;
constexpr int32_t PieSideShade = 32;
constexpr int32_t CylinderSegments = 32;
constexpr int32_t MaxPieSegments = 64;

// Twice the signed area of a screen polygon (y down): positive when it runs clockwise on screen.
// Taken in doubles: the products of extreme coordinates would overflow 64-bit integers.
double SignedArea2(std::span<const fw::TPoint> p) {
  double sum = 0;
  for (size_t i = 0; i < p.size(); ++i) {
    const fw::TPoint& a = p[i];
    const fw::TPoint& b = p[(i + 1) % p.size()];
    sum += static_cast<double>(a.X) * b.Y - static_cast<double>(b.X) * a.Y;
  }
  return sum;
}

// Midpoint of two coordinates without overflow, truncated toward zero like an integer div.
int32_t Mid(int32_t a, int32_t b) { return static_cast<int32_t>((static_cast<int64_t>(a) + b) / 2); }

void Order(int32_t& a, int32_t& b) {
  if (a > b) std::swap(a, b);
}

}  // namespace

// ---------------------------------------------------------------------------- helpers

fw::TColor TChartCanvas3D::FaceColor() {
  return mBrush->Style() == fw::bsSolid ? mBrush->Color() : GetBackgroundColor();
}

void TChartCanvas3D::SetFaceColor(fw::TColor color) {
  if (mBrush->Style() == fw::bsSolid) {
    mBrush->SetColor(color);
  } else {
    SetBackgroundColor(color);
  }
}

void TChartCanvas3D::DrawQuad3D(const std::array<TPoint3D, 4>& corners) {
  for (size_t i = 0; i < 4; ++i) mQuad[i] = ProjectToPoint(corners[i].X, corners[i].Y, corners[i].Z);
  mSurface->Polygon(mQuad);
}

void TChartCanvas3D::DrawScratchPolygon() {
  if (!mScratch.empty()) mSurface->Polygon(mScratch);
}

bool TChartCanvas3D::ProjectFace(std::span<TPoint3D> face, const TVec& interior) {
  // Newell's normal is robust for faces whose first corners happen to be collinear.
  TVec n;
  for (size_t i = 0; i < face.size(); ++i) {
    const TPoint3D& a = face[i];
    const TPoint3D& b = face[(i + 1) % face.size()];
    n.X += (static_cast<double>(a.Y) - b.Y) * (static_cast<double>(a.Z) + b.Z);
    n.Y += (static_cast<double>(a.Z) - b.Z) * (static_cast<double>(a.X) + b.X);
    n.Z += (static_cast<double>(a.X) - b.X) * (static_cast<double>(a.Y) + b.Y);
  }
  const double toInterior = n.X * (interior.X - face[0].X) + n.Y * (interior.Y - face[0].Y) +
                            n.Z * (interior.Z - face[0].Z);
  // With the normal pointing inward, a face turned towards the viewer runs clockwise on screen.
  if (toInterior < 0) std::reverse(face.begin(), face.end());
  mScratch.clear();
  for (const TPoint3D& p : face) mScratch.push_back(ProjectToPoint(p.X, p.Y, p.Z));
  return SignedArea2(mScratch) > 0;
}

void TChartCanvas3D::DrawSmoothSide(std::span<const TPoint3D> front, std::span<const TPoint3D> back, bool closed,
                                    const TVec& interior) {
  const size_t n = std::min(front.size(), back.size());
  if (n < 2) return;
  const size_t segments = closed ? n : n - 1;
  // Visibility per segment, kept in a small fixed buffer (segments never exceed the shape limits).
  std::array<bool, MaxPieSegments + 1> visible{};
  const fw::TPenStyle penStyle = mPen->Style();
  mPen->SetStyle(fw::psClear);
  for (size_t k = 0; k < segments && k < visible.size(); ++k) {
    const size_t k1 = (k + 1) % n;
    std::array<TPoint3D, 4> quad{front[k], front[k1], back[k1], back[k]};
    visible[k] = ProjectFace(quad, interior);
    if (visible[k]) DrawScratchPolygon();
  }
  mPen->SetStyle(penStyle);
  if (penStyle == fw::psClear) return;
  auto line = [this](const TPoint3D& a, const TPoint3D& b) {
    const fw::TPoint pa = ProjectToPoint(a.X, a.Y, a.Z), pb = ProjectToPoint(b.X, b.Y, b.Z);
    mSurface->MoveTo(pa.X, pa.Y);
    mSurface->LineTo(pb.X, pb.Y);
  };
  for (size_t k = 0; k < segments && k < visible.size(); ++k) {
    if (!visible[k]) continue;
    const size_t k1 = (k + 1) % n;
    line(front[k], front[k1]);
    line(back[k], back[k1]);
    const bool previousVisible = closed ? visible[(k + segments - 1) % segments] : (k > 0 && visible[k - 1]);
    const bool nextVisible = closed ? visible[(k + 1) % segments] : (k + 1 < segments && visible[k + 1]);
    if (!previousVisible) line(front[k], back[k]);
    if (!nextVisible) line(front[k1], back[k1]);
  }
}

// ---------------------------------------------------------------------------- lines and points

void TChartCanvas3D::PlotPixelAtDepth(int32_t x, int32_t y, int32_t z, fw::TColor color) {
  if (!mSurface) return;
  ProjectInPlace(x, y, z);
  const int32_t w = mPen->Width();
  if (w <= 1) {
    mSurface->SetPixel(x, y, fw::ColorToRGB(color));
    return;
  }
  // A dot as wide as the pen, in the pen's colour (what a zero-length wide line paints).
  const fw::TBrush savedBrush(*mBrush);
  const fw::TPenStyle savedStyle = mPen->Style();
  mBrush->SetColor(mPen->Color());
  mBrush->SetStyle(fw::bsSolid);
  mPen->SetStyle(fw::psClear);
  const int32_t left = pixel::Add(x, -(w / 2)), top = pixel::Add(y, -(w / 2));
  mSurface->Ellipse(left, top, pixel::Add(left, static_cast<int64_t>(w) + 1), pixel::Add(top, static_cast<int64_t>(w) + 1));
  mPen->SetStyle(savedStyle);
  mBrush->Assign(savedBrush);
}

void TChartCanvas3D::DrawHorizontalLineAtDepth(int32_t x1, int32_t x2, int32_t y, int32_t z) {
  DrawSegmentAtDepth(x1, y, x2, y, z);
}

void TChartCanvas3D::DrawVerticalLineAtDepth(int32_t x, int32_t y1, int32_t y2, int32_t z) {
  DrawSegmentAtDepth(x, y1, x, y2, z);
}

void TChartCanvas3D::DrawDepthLine(int32_t x, int32_t y, int32_t z1, int32_t z2) {
  if (!mSurface) return;
  const fw::TPoint a = ProjectToPoint(x, y, z1), b = ProjectToPoint(x, y, z2);
  mSurface->MoveTo(a.X, a.Y);
  mSurface->LineTo(b.X, b.Y);
}

void TChartCanvas3D::DrawSegmentAtDepth(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t z) {
  if (!mSurface) return;
  ProjectInPlace(x1, y1, z);
  ProjectInPlace(x2, y2, z);
  mSurface->MoveTo(x1, y1);
  mSurface->LineTo(x2, y2);
}

void TChartCanvas3D::MovePenToAtDepth(int32_t x, int32_t y, int32_t z) {
  if (!mSurface) return;
  ProjectInPlace(x, y, z);
  mSurface->MoveTo(x, y);
}

void TChartCanvas3D::DrawLineToAtDepth(int32_t x, int32_t y, int32_t z) {
  if (!mSurface) return;
  ProjectInPlace(x, y, z);
  mSurface->LineTo(x, y);
}

void TChartCanvas3D::DrawArrow(bool filled, fw::TPoint from, fw::TPoint to, int32_t headWidth, int32_t headLength,
                               int32_t z) {
  if (!mSurface || from == to) return;
  const double dx = static_cast<double>(to.X) - from.X, dy = static_cast<double>(to.Y) - from.Y;
  const double length = std::hypot(dx, dy);
  const double head = std::clamp(static_cast<double>(headLength), 0.0, length);
  const double ux = dx / length, uy = dy / length;  // along the arrow
  const double nx = -uy, ny = ux;                   // across it
  const double baseX = to.X - ux * head, baseY = to.Y - uy * head;
  auto at = [&](double x, double y, double across) {
    return ProjectToPoint(RoundHalfEven(x + nx * across), RoundHalfEven(y + ny * across), z);
  };
  const double headHalf = headWidth / 2.0, shaftHalf = headWidth / 4.0;
  if (filled) {
    const std::array<fw::TPoint, 7> outline{at(from.X, from.Y, shaftHalf),  at(baseX, baseY, shaftHalf),
                                            at(baseX, baseY, headHalf),     at(to.X, to.Y, 0),
                                            at(baseX, baseY, -headHalf),    at(baseX, baseY, -shaftHalf),
                                            at(from.X, from.Y, -shaftHalf)};
    mSurface->Polygon(outline);
    return;
  }
  const fw::TPoint tip = at(to.X, to.Y, 0), start = at(from.X, from.Y, 0);
  const fw::TPoint left = at(baseX, baseY, headHalf), right = at(baseX, baseY, -headHalf);
  mSurface->MoveTo(start.X, start.Y);
  mSurface->LineTo(tip.X, tip.Y);
  mSurface->MoveTo(tip.X, tip.Y);
  mSurface->LineTo(left.X, left.Y);
  mSurface->MoveTo(tip.X, tip.Y);
  mSurface->LineTo(right.X, right.Y);
}

// ---------------------------------------------------------------------------- clipping

void TChartCanvas3D::ClipToBox(const fw::TRect& rect, int32_t z0, int32_t z1) {
  if (!mSurface) return;
  if (!mIs3D) {
    ClipToRectangle({pixel::Add(rect.Left, 1), pixel::Add(rect.Top, 1), rect.Right, pixel::Add(rect.Bottom, -1)});
    return;
  }
  const int32_t l = rect.Left, t = rect.Top, r = rect.Right, b = rect.Bottom;
  if (mView3DOptions && mView3DOptions->Elevation() == 270 &&
      (mView3DOptions->Rotation() == 270 || mView3DOptions->Rotation() == 360)) {
    const fw::TPoint a = ProjectToPoint(l, t, z0), c = ProjectToPoint(r, t, z1);
    ClipToRectangle({std::min(a.X, c.X), std::min(a.Y, c.Y), std::max(a.X, c.X), std::max(a.Y, c.Y)});
    return;
  }
  const fw::TPoint rightTopFront = ProjectToPoint(r, t, z0);
  const fw::TPoint leftTopBack = ProjectToPoint(l, t, z1);
  const fw::TPoint rightBottomBack = ProjectToPoint(r, b, z1);
  std::array<fw::TPoint, 6> p{ProjectToPoint(l, b, z0),
                              ProjectToPoint(l, t, z0),
                              rightTopFront.Y < leftTopBack.Y ? rightTopFront : leftTopBack,
                              ProjectToPoint(r, t, z1),
                              rightTopFront.X > rightBottomBack.X ? rightTopFront : rightBottomBack,
                              ProjectToPoint(r, b, z0)};
  if (p[5].X < p[0].X) {
    p[0].X = p[5].X;
    if (rightTopFront.Y < p[0].Y) p[0].Y = rightTopFront.Y;
  }
  mSurface->RemoveClipping();
  mSurface->IntersectClipPolygon(p);
}

// ---------------------------------------------------------------------------- flat shapes at depth

void TChartCanvas3D::DrawEllipseAtDepth(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t z) {
  if (!mSurface) return;
  if (!mIs3D) {
    mSurface->Ellipse(x1, y1, pixel::Add(x2, 1), pixel::Add(y2, 1));
  } else if (mIsOrthogonal) {
    const fw::TPoint a = ProjectToPoint(x1, y1, z), b = ProjectToPoint(x2, y2, z);
    mSurface->Ellipse(a.X, a.Y, b.X, b.Y);
  } else {
    DrawRotatedEllipse(x1, y1, x2, y2, z);
  }
}

void TChartCanvas3D::DrawRotatedEllipse(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t z) {
  // 32 points at steps of pi/10: the outline closes after 20 and the rest retraces it.
  const int32_t cx = Mid(x1, x2), cy = Mid(y1, y2);
  const double rx = (static_cast<double>(x2) - x1) / 2, ry = (static_cast<double>(y2) - y1) / 2;
  std::array<fw::TPoint, 32> points;
  for (int32_t i = 0; i < 32; ++i) {
    const double a = i * std::numbers::pi / 10;
    const auto ox = static_cast<int64_t>(std::trunc(rx * std::cos(a)));
    const auto oy = static_cast<int64_t>(std::trunc(ry * std::sin(a)));
    points[i] = ProjectToPoint(static_cast<int32_t>(cx + ox), static_cast<int32_t>(cy + oy), z);
  }
  const fw::TPenStyle penStyle = mPen->Style();
  if (mBrush->Style() != fw::bsClear) {
    // The closed outline is convex, so one polygon fills exactly what a fan of triangles from
    // the centre would.
    mPen->SetStyle(fw::psClear);
    mSurface->Polygon(std::span<const fw::TPoint>(points.data(), 20));
    mPen->SetStyle(penStyle);
  }
  if (penStyle != fw::psClear) mSurface->Polyline(points);
}

void TChartCanvas3D::DrawRectangleAtDepth(const fw::TRect& rect, int32_t z) {
  if (!mSurface) return;
  if (!mIs3D || mIsOrthogonal) {
    const fw::TPoint a = ProjectToPoint(rect.Left, rect.Top, z), b = ProjectToPoint(rect.Right, rect.Bottom, z);
    mSurface->Rectangle(a.X, a.Y, b.X, b.Y);
    return;
  }
  DrawQuad3D({{{rect.Left, rect.Top, z}, {rect.Right, rect.Top, z}, {rect.Right, rect.Bottom, z},
               {rect.Left, rect.Bottom, z}}});
}

void TChartCanvas3D::DrawHorizontalPlane(int32_t left, int32_t right, int32_t y, int32_t z0, int32_t z1) {
  if (!mSurface) return;
  DrawQuad3D({{{left, y, z0}, {right, y, z0}, {right, y, z1}, {left, y, z1}}});
}

void TChartCanvas3D::DrawSidePlane(int32_t x, int32_t top, int32_t bottom, int32_t z0, int32_t z1) {
  if (!mSurface) return;
  DrawQuad3D({{{x, top, z0}, {x, top, z1}, {x, bottom, z1}, {x, bottom, z0}}});
}

void TChartCanvas3D::DrawExtrudedSegment(fw::TPoint a, fw::TPoint b, int32_t z0, int32_t z1) {
  if (!mSurface) return;
  DrawQuad3D({{{a.X, a.Y, z0}, {b.X, b.Y, z0}, {b.X, b.Y, z1}, {a.X, a.Y, z1}}});
}

void TChartCanvas3D::DrawQuadAtDepth(const std::array<fw::TPoint, 4>& points, int32_t z) {
  if (!mSurface) return;
  DrawQuad3D({{{points[0].X, points[0].Y, z}, {points[1].X, points[1].Y, z}, {points[2].X, points[2].Y, z},
               {points[3].X, points[3].Y, z}}});
}

void TChartCanvas3D::DrawQuadBetweenDepths(const std::array<fw::TPoint, 4>& points, int32_t z0, int32_t z1) {
  if (!mSurface) return;
  DrawQuad3D({{{points[0].X, points[0].Y, z0}, {points[1].X, points[1].Y, z0}, {points[2].X, points[2].Y, z1},
               {points[3].X, points[3].Y, z1}}});
}

void TChartCanvas3D::DrawPolygonAtDepth(std::span<const fw::TPoint> points, int32_t /*z*/) { DrawPolygon(points); }

void TChartCanvas3D::DrawTriangleAtDepth(const std::array<fw::TPoint, 3>& points, int32_t z) {
  if (!mSurface) return;
  std::array<fw::TPoint, 3> p;
  for (size_t i = 0; i < 3; ++i) p[i] = ProjectToPoint(points[i].X, points[i].Y, z);
  mSurface->Polygon(p);
}

void TChartCanvas3D::DrawTriangle3D(const std::array<TPoint3D, 3>& points, fw::TColor color0, fw::TColor /*color1*/,
                                    fw::TColor /*color2*/) {
  if (!mSurface) return;
  if (mBrush->Style() != fw::bsClear) mBrush->SetColor(color0);
  std::array<fw::TPoint, 3> p;
  for (size_t i = 0; i < 3; ++i) p[i] = ProjectToPoint(points[i].X, points[i].Y, points[i].Z);
  mSurface->Polygon(p);
}

void TChartCanvas3D::DrawSphere(int32_t x, int32_t y, int32_t z, double radius) {
  const int64_t r = RoundHalfEven(radius);
  DrawEllipseAtDepth(static_cast<int32_t>(x - r), static_cast<int32_t>(y - r), static_cast<int32_t>(x + r),
                     static_cast<int32_t>(y + r), z);
}

void TChartCanvas3D::DrawSurface(std::span<const TPoint3D> /*grid*/, int32_t /*columns*/, int32_t /*rows*/) {}

// ---------------------------------------------------------------------------- text at depth

void TChartCanvas3D::WriteTextAtDepth(int32_t x, int32_t y, int32_t z, const std::string& text) {
  if (!mSurface) return;
  ProjectInPlace(x, y, z);
  if (mZoomText && mZoomFactor != 1.0) {
    const int32_t size = mFont->Size();
    const int32_t zoomed = std::max(1, RoundHalfEven(size * mZoomFactor));
    if (zoomed != size) {
      WriteTextWithFontSize(x, y, text, zoomed);
      return;
    }
  }
  WriteText(x, y, text);
}

void TChartCanvas3D::WriteRotatedTextAtDepth(int32_t x, int32_t y, int32_t z, const std::string& text,
                                             int32_t angle) {
  ProjectInPlace(x, y, z);
  WriteRotatedText(x, y, angle, text);
}

// ---------------------------------------------------------------------------- solids

void TChartCanvas3D::DrawCuboid(int32_t left, int32_t right, int32_t top, int32_t bottom, int32_t z0, int32_t z1,
                                bool dark) {
  if (!mSurface) return;
  Order(left, right);
  Order(top, bottom);
  Order(z0, z1);
  const TVec inside{(static_cast<double>(left) + right) / 2, (static_cast<double>(top) + bottom) / 2,
                    (static_cast<double>(z0) + z1) / 2 + 0.5};
  const fw::TColor color = FaceColor();
  // The front face is always drawn.
  DrawQuad3D({{{left, top, z0}, {right, top, z0}, {right, bottom, z0}, {left, bottom, z0}}});
  if (dark) SetFaceColor(DarkenColor(color, SideShade));
  std::array<TPoint3D, 4> rightFace{{{right, top, z0}, {right, top, z1}, {right, bottom, z1}, {right, bottom, z0}}};
  std::array<TPoint3D, 4> leftFace{{{left, top, z1}, {left, top, z0}, {left, bottom, z0}, {left, bottom, z1}}};
  if (ProjectFace(rightFace, inside) || ProjectFace(leftFace, inside)) DrawScratchPolygon();
  std::array<TPoint3D, 4> topFace{{{left, top, z1}, {right, top, z1}, {right, top, z0}, {left, top, z0}}};
  if (ProjectFace(topFace, inside)) {
    if (dark) SetFaceColor(DarkenColor(color, TopShade));
    DrawScratchPolygon();
  }
  SetFaceColor(color);
}

void TChartCanvas3D::DrawPyramid(bool vertical, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t z0,
                                 int32_t z1, bool dark) {
  if (!mSurface) return;
  Order(z0, z1);
  const int32_t zm = Mid(z0, z1);
  // Base corners (ring order) and apex: vertical stands on y = bottom with its apex at the
  // centre of y = top; horizontal stands on x = left with its apex at the centre of x = right.
  std::array<TPoint3D, 4> base;
  TPoint3D apex;
  if (vertical) {
    base = {{{left, bottom, z0}, {right, bottom, z0}, {right, bottom, z1}, {left, bottom, z1}}};
    apex = {Mid(left, right), top, zm};
  } else {
    base = {{{left, top, z0}, {left, bottom, z0}, {left, bottom, z1}, {left, top, z1}}};
    apex = {right, Mid(top, bottom), zm};
  }
  // Inside: a quarter of the way from the base centre to the apex, off-centre in depth so that
  // even a box without depth orients its faces.
  const TVec baseCentre{(static_cast<double>(base[0].X) + base[2].X) / 2, (static_cast<double>(base[0].Y) + base[2].Y) / 2,
                        (static_cast<double>(z0) + z1) / 2};
  const TVec inside{baseCentre.X + (apex.X - baseCentre.X) / 4, baseCentre.Y + (apex.Y - baseCentre.Y) / 4,
                    baseCentre.Z + 0.25};
  const fw::TColor color = FaceColor();
  std::array<TPoint3D, 4> baseFace = base;
  if (ProjectFace(baseFace, inside)) {
    if (dark) SetFaceColor(DarkenColor(color, TopShade));
    DrawScratchPolygon();
  }
  for (size_t i = 0; i < 4; ++i) {
    std::array<TPoint3D, 3> side{base[i], base[(i + 1) % 4], apex};
    // The side on the front plane keeps the colour; the others are shaded.
    const bool front = side[0].Z == z0 && side[1].Z == z0;
    if (!ProjectFace(side, inside)) continue;
    SetFaceColor(dark && !front ? DarkenColor(color, SideShade) : color);
    DrawScratchPolygon();
  }
  SetFaceColor(color);
}

void TChartCanvas3D::DrawCone(bool vertical, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t z0,
                              int32_t z1, bool /*dark*/) {
  DrawPyramid(vertical, left, top, right, bottom, z0, z1, true);
}

void TChartCanvas3D::DrawCylinder(bool vertical, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t z0,
                                  int32_t z1, bool dark) {
  if (!mSurface) return;
  Order(left, right);
  Order(top, bottom);
  Order(z0, z1);
  // Ends: ellipses across the box's width (vertical) or height (horizontal) and its depth.
  const double cz = (static_cast<double>(z0) + z1) / 2, rz = (static_cast<double>(z1) - z0) / 2;
  const double c = vertical ? (static_cast<double>(left) + right) / 2 : (static_cast<double>(top) + bottom) / 2;
  const double r = vertical ? (static_cast<double>(right) - left) / 2 : (static_cast<double>(bottom) - top) / 2;
  std::array<TPoint3D, CylinderSegments> near{}, far{};  // near: y = top or x = right
  for (int32_t i = 0; i < CylinderSegments; ++i) {
    const double a = 2 * std::numbers::pi * i / CylinderSegments;
    const auto across = RoundHalfEven(c + r * std::cos(a));
    const auto depth = RoundHalfEven(cz - rz * std::sin(a));
    if (vertical) {
      near[i] = {across, top, depth};
      far[i] = {across, bottom, depth};
    } else {
      near[i] = {right, across, depth};
      far[i] = {left, across, depth};
    }
  }
  const TVec inside{(static_cast<double>(left) + right) / 2, (static_cast<double>(top) + bottom) / 2, cz + 0.25};
  // The wall keeps the colour; an end is shaded like the face of a cuboid it replaces: the top
  // of a vertical cylinder, the side of a horizontal one.
  const fw::TColor color = FaceColor();
  DrawSmoothSide(near, far, true, inside);
  for (auto* end : {&near, &far}) {
    std::array<TPoint3D, CylinderSegments> cap = *end;
    if (!ProjectFace(cap, inside)) continue;
    SetFaceColor(dark ? DarkenColor(color, vertical ? TopShade : SideShade) : color);
    DrawScratchPolygon();
  }
  SetFaceColor(color);
}

void TChartCanvas3D::DrawPieSlice3D(int32_t xCenter, int32_t yCenter, int32_t xRadius, int32_t yRadius, int32_t z0,
                                    int32_t z1, double startAngle, double endAngle, bool darkSides) {
  if (!mSurface || !std::isfinite(startAngle) || !std::isfinite(endAngle)) return;
  Order(z0, z1);
  if (endAngle < startAngle) std::swap(startAngle, endAngle);
  const double span = std::min(endAngle - startAngle, 2 * std::numbers::pi);
  const int32_t segments =
      std::clamp(static_cast<int32_t>(std::ceil(span / (2 * std::numbers::pi) * MaxPieSegments)), 1, MaxPieSegments);
  std::array<TPoint3D, MaxPieSegments + 1> frontArc{}, backArc{};
  auto arcPoint = [&](double a, int32_t z) {
    return TPoint3D{RoundHalfEven(xCenter + xRadius * std::cos(a)), RoundHalfEven(yCenter - yRadius * std::sin(a)), z};
  };
  for (int32_t i = 0; i <= segments; ++i) {
    const double a = startAngle + span * i / segments;
    frontArc[i] = arcPoint(a, z0);
    backArc[i] = arcPoint(a, z1);
  }
  const double mid = startAngle + span / 2;
  const TVec inside{xCenter + xRadius * std::cos(mid) / 2, yCenter - yRadius * std::sin(mid) / 2,
                    (static_cast<double>(z0) + z1) / 2 + 0.25};
  const fw::TColor color = FaceColor();
  const fw::TColor sideColor = darkSides ? DarkenColor(color, PieSideShade) : color;
  const size_t count = static_cast<size_t>(segments) + 1;
  std::array<TPoint3D, MaxPieSegments + 2> face{};
  auto slice = [&](const std::array<TPoint3D, MaxPieSegments + 1>& arc, int32_t z) {
    face[0] = {xCenter, yCenter, z};
    std::copy_n(arc.begin(), count, face.begin() + 1);
    return std::span<TPoint3D>(face.data(), count + 1);
  };
  const bool thick = z1 != z0;
  if (thick) {
    if (ProjectFace(slice(backArc, z1), inside)) {
      SetFaceColor(color);
      DrawScratchPolygon();
    }
    SetFaceColor(sideColor);
    const TPoint3D centreFront{xCenter, yCenter, z0}, centreBack{xCenter, yCenter, z1};
    std::array<TPoint3D, 4> startSide{centreFront, frontArc[0], backArc[0], centreBack};
    if (ProjectFace(startSide, inside)) DrawScratchPolygon();
    std::array<TPoint3D, 4> endSide{centreFront, frontArc[segments], backArc[segments], centreBack};
    if (ProjectFace(endSide, inside)) DrawScratchPolygon();
    DrawSmoothSide(std::span<const TPoint3D>(frontArc.data(), count), std::span<const TPoint3D>(backArc.data(), count),
                   false, inside);
  }
  SetFaceColor(color);
  // A slice without thickness is a flat pie on the front plane and always faces the viewer.
  if (ProjectFace(slice(frontArc, z0), inside) || !thick) DrawScratchPolygon();
}

}  // namespace chart
