// Projection of chart positions with depth to the screen: flat, orthogonal (oblique) and rotated.
#include <cmath>
#include <numbers>

#include "framework/runtime/Rounding.h"
#include "chart/canvas/TChartCanvas3D.h"
#include "chart/canvas/TView3DOptions.h"

namespace chart {

using fw::RoundHalfEven;

namespace {

// Sums of a projected offset and the centre wrap like the 32-bit pixel arithmetic they model
// instead of overflowing.
int32_t AddWrapped(int32_t a, int64_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(a) + b)));
}

constexpr double DegreesToRadians = std::numbers::pi / 180.0;

}  // namespace

void TChartCanvas3D::ComputeRotation() {
  if (mIsOrthogonal) return;
  mPerspectiveFactor = 0.0;
  double e = 0.0, r = 0.0, t = 0.0;
  if (mView3DOptions) {
    e = mView3DOptions->Elevation() * DegreesToRadians;
    r = mView3DOptions->Rotation() * DegreesToRadians;
    t = mView3DOptions->Tilt() * DegreesToRadians;
  }
  const double sE = std::sin(e), cE = std::cos(e);
  const double sR = std::sin(r), cR = std::cos(r);
  const double sT = std::sin(t), cT = std::cos(t);
  mRotation.XX = std::max(sR * sE * sT + cR * cT, 0.00001);
  mRotation.XY = cE * sT;
  mRotation.XZ = cR * sE * sT - cT * sR;
  mRotation.YX = cT * sR * sE - cR * sT;
  mRotation.YY = std::max(cE * cT, 0.00001);
  mRotation.YZ = cR * cT * sE + sR * sT;
  mRotation.PX = static_cast<long double>(cE) * sR;
  mRotation.PY = sE;
  mRotation.PZ = cR * cE;
}

void TChartCanvas3D::SetProjectionCenter(int32_t depthWidth, const fw::TRect& /*panelBounds*/,
                                         const fw::TRect& plotRect) {
  // 64-bit sums: the halves of extreme rectangles must not overflow.
  mProjectionCenter.X = static_cast<int32_t>((static_cast<int64_t>(plotRect.Left) + plotRect.Right) / 2);
  mProjectionCenter.Y = static_cast<int32_t>((static_cast<int64_t>(plotRect.Top) + plotRect.Bottom) / 2);
  mProjectionCenter.Z = depthWidth / 2;
  mCenterOffset = {mProjectionCenter.X, mProjectionCenter.Y};
  mPerspectiveFactor = 0.0;
  if (!mView3DOptions) return;
  mCenterOffset.X = AddWrapped(mProjectionCenter.X, mView3DOptions->HorizOffset());
  mCenterOffset.Y = AddWrapped(mProjectionCenter.Y, mView3DOptions->VertOffset());
  if (mView3DOptions->Perspective() > 0) mPerspectiveFactor = mView3DOptions->Perspective() / 35000.0;
}

void TChartCanvas3D::ProjectInPlace(int32_t& x, int32_t& y, int32_t z) const {
  if (!mIs3D) return;
  if (mIsOrthogonal) {
    if (mZoomFactor == 1.0) {
      // At 100 % the offsets are whole and need no rounding; the sums wrap as the rounded ones.
      x = AddWrapped(mCenterOffset.X, int64_t{x} - mProjectionCenter.X + z);
      y = AddWrapped(mCenterOffset.Y, int64_t{y} - mProjectionCenter.Y - z);
      return;
    }
    const double px = (static_cast<double>(x) - mProjectionCenter.X + z) * mZoomFactor;
    const double py = (static_cast<double>(y) - mProjectionCenter.Y - z) * mZoomFactor;
    // RoundDoubleHalfEven: RoundHalfEven's result without the extended format.
    x = AddWrapped(mCenterOffset.X, fw::RoundDoubleHalfEven(px));
    y = AddWrapped(mCenterOffset.Y, fw::RoundDoubleHalfEven(py));
    return;
  }
  const double dx = static_cast<double>(x) - mProjectionCenter.X;
  const double dy = static_cast<double>(y) - mProjectionCenter.Y;
  const double dz = static_cast<double>(z) - mProjectionCenter.Z;
  long double f = mZoomFactor;
  if (mPerspectiveFactor > 0) {
    f = mZoomFactor * (1.0L - mPerspectiveFactor * (dx * mRotation.PX - dy * mRotation.PY + dz * mRotation.PZ));
  }
  const auto& r = mRotation;
  x = AddWrapped(mCenterOffset.X, RoundHalfEven((dx * r.XX + dy * r.XY + dz * r.XZ) * f));
  y = AddWrapped(mCenterOffset.Y, RoundHalfEven((dx * r.YX + dy * r.YY + dz * r.YZ) * f));
}

bool TChartCanvas3D::ShiftsAtDepth(int32_t z, int64_t& dx, int64_t& dy) const {
  if (!mIs3D) {
    dx = dy = 0;
    return true;
  }
  if (!mIsOrthogonal || mZoomFactor != 1.0) return false;
  // ProjectInPlace at 100 %: x + (mCenterOffset.X - mProjectionCenter.X + z), and so for y.
  dx = int64_t{mCenterOffset.X} - mProjectionCenter.X + z;
  dy = int64_t{mCenterOffset.Y} - mProjectionCenter.Y - z;
  return true;
}

fw::TPoint TChartCanvas3D::ProjectToPoint(int32_t x, int32_t y, int32_t z) const {
  ProjectInPlace(x, y, z);
  return {x, y};
}

void TChartCanvas3D::UnprojectPoint(int32_t& x, int32_t& y, int32_t z) const {
  if (!mIs3D || mZoomFactor == 0.0 || !std::isfinite(mZoomFactor)) return;
  const double k = 1.0 / mZoomFactor;
  const double sx = x, sy = y;  // the screen position as given
  if (mIsOrthogonal) {
    x = AddWrapped(RoundHalfEven((sx - mCenterOffset.X) * k), static_cast<int64_t>(mProjectionCenter.X) - z);
    y = AddWrapped(RoundHalfEven((sy - mCenterOffset.Y) * k), static_cast<int64_t>(mProjectionCenter.Y) + z);
    return;
  }
  const auto& r = mRotation;
  if (r.XX == 0.0 || r.YY == 0.0) return;
  const double dz = static_cast<double>(z) - mProjectionCenter.Z;
  // The cross terms take the screen position against the projection centre; perspective is
  // not undone.
  x = AddWrapped(mProjectionCenter.X,
                 RoundHalfEven(((sx - mCenterOffset.X) * k - dz * r.XZ - (sy - mProjectionCenter.Y) * r.XY) / r.XX));
  y = AddWrapped(mProjectionCenter.Y,
                 RoundHalfEven(((sy - mCenterOffset.Y) * k - dz * r.YZ - (sx - mProjectionCenter.X) * r.YX) / r.YY));
}

void TChartCanvas3D::BeginFlatDrawing() {
  mSavedIs3D = mIs3D;
  mIs3D = false;
}

void TChartCanvas3D::EndFlatDrawing() { mIs3D = mSavedIs3D; }

}  // namespace chart
