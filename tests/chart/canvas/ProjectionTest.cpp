// Projection of chart positions: flat, orthogonal and rotated frames, and the inverse.
#include <gtest/gtest.h>

#include <cmath>

#include "chart/canvas/TChartCanvas3D.h"
#include "chart/canvas/TView3DOptions.h"
#include "framework/runtime/Rounding.h"

using chart::TChartCanvas3D;
using chart::TView3DOptions;

namespace {

// A canvas in a frame without a target surface: projection needs none.
struct Frame {
  TChartCanvas3D canvas;
  TView3DOptions options;
  fw::TRect plot{40, 30, 440, 330};  // centre (240, 180)

  void Start(bool view3D, int32_t depth = 100) {
    canvas.SetBuffered(false);
    canvas.PrepareSurface(nullptr, &options, fw::clWhite, view3D, {0, 0, 500, 400});
    canvas.SetProjectionCenter(depth, {0, 0, 500, 400}, plot);
  }
  fw::TPoint P(int32_t x, int32_t y, int32_t z) const { return canvas.ProjectToPoint(x, y, z); }
};

}  // namespace

TEST(Projection, FlatFrameIsTheIdentityWhateverTheOptions) {
  Frame f;
  f.options.SetOrthogonal(false);
  f.options.SetZoom(300);
  f.options.SetHorizOffset(17);
  f.options.SetVertOffset(-9);
  f.options.SetElevation(10);
  f.options.SetPerspective(90);
  f.Start(false);
  for (int32_t z : {0, 1, 55, -400, 100000}) {
    EXPECT_EQ(f.P(123, -45, z), (fw::TPoint{123, -45}));
    int32_t x = 7, y = 8;
    f.canvas.UnprojectPoint(x, y, z);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 8);
  }
  EXPECT_EQ(f.canvas.ZoomFactor(), 1.0);
}

TEST(Projection, OrthogonalShiftsDepthUpAndRight) {
  Frame f;
  f.options.SetHorizOffset(5);
  f.options.SetVertOffset(-3);
  f.Start(true);
  EXPECT_TRUE(f.canvas.IsOrthogonal());
  EXPECT_EQ(f.canvas.ProjectionCenter(), (chart::TPoint3D{240, 180, 50}));
  EXPECT_EQ(f.canvas.CenterOffset(), (fw::TPoint{245, 177}));
  EXPECT_EQ(f.P(100, 200, 10), (fw::TPoint{100 + 10 + 5, 200 - 10 - 3}));
  EXPECT_EQ(f.P(100, 200, 0), (fw::TPoint{105, 197}));
}

TEST(Projection, OrthogonalZoomScalesAboutTheCentre) {
  Frame f;
  f.options.SetZoom(200);
  f.options.SetHorizOffset(4);
  f.Start(true);
  EXPECT_DOUBLE_EQ(f.canvas.ZoomFactor(), 2.0);
  EXPECT_EQ(f.P(240, 180, 0), (fw::TPoint{244, 180}));
  EXPECT_EQ(f.P(250, 170, 0), (fw::TPoint{244 + 20, 180 - 20}));
  EXPECT_EQ(f.P(250, 170, 3), (fw::TPoint{244 + 26, 180 - 26}));
}

// At full zoom the oblique map needs no rounding: near and far points, up to the ends of the
// 32-bit range, land where the rounded map puts them, wrapping as it does.
TEST(Projection, OrthogonalAtFullZoomGivesTheRoundedMapEverywhere) {
  Frame f;
  f.options.SetHorizOffset(7);
  f.options.SetVertOffset(-11);
  f.Start(true);
  ASSERT_EQ(f.canvas.ZoomFactor(), 1.0);
  const fw::TPoint offset = f.canvas.CenterOffset();
  const chart::TPoint3D centre = f.canvas.ProjectionCenter();
  const auto rounded = [](int32_t start, double offsetAlong) {
    return static_cast<int32_t>(static_cast<uint32_t>(int64_t{start} + fw::RoundHalfEven(offsetAlong)));
  };
  const int32_t places[] = {0, 1, -1, 240, 180, 65535, -70000, 2147483647, -2147483647 - 1, 1073741824, -1500000000};
  for (const int32_t x : places)
    for (const int32_t y : places)
      for (const int32_t z : {0, 50, -3, 2147483647, -2147483647 - 1}) {
        const fw::TPoint p = f.P(x, y, z);
        EXPECT_EQ(p.X, rounded(offset.X, static_cast<double>(x) - centre.X + z)) << x << " " << y << " " << z;
        EXPECT_EQ(p.Y, rounded(offset.Y, static_cast<double>(y) - centre.Y - z)) << x << " " << y << " " << z;
      }
}

TEST(Projection, OrthogonalRoundsHalvesToEven) {
  Frame f;
  f.options.SetZoom(50);
  f.Start(true);
  // (241 - 240) * 0.5 = 0.5 -> 0; (243 - 240) * 0.5 = 1.5 -> 2
  EXPECT_EQ(f.P(241, 180, 0).X, 240);
  EXPECT_EQ(f.P(243, 180, 0).X, 242);
}

TEST(Projection, OrthogonalInverseReturnsToTheChartPosition) {
  Frame f;
  f.options.SetHorizOffset(-6);
  f.options.SetVertOffset(11);
  f.Start(true);
  for (int32_t z : {0, 10, 75}) {
    const fw::TPoint s = f.P(300, 250, z);
    int32_t x = s.X, y = s.Y;
    f.canvas.UnprojectPoint(x, y, z);
    EXPECT_EQ(x, 300);
    EXPECT_EQ(y, 250);
  }
}

TEST(Projection, RotatedWithZeroAnglesIsAZoomAboutTheCentreIgnoringDepth) {
  Frame f;
  f.options.SetOrthogonal(false);
  f.options.SetElevation(0);
  f.options.SetRotation(0);
  f.options.SetTilt(0);
  f.options.SetPerspective(0);
  f.options.SetZoom(150);
  f.options.SetHorizOffset(2);
  f.options.SetVertOffset(3);
  f.Start(true);
  const auto& r = f.canvas.Rotation();
  EXPECT_DOUBLE_EQ(r.XX, 1.0);
  EXPECT_DOUBLE_EQ(r.YY, 1.0);
  EXPECT_DOUBLE_EQ(r.XY, 0.0);
  EXPECT_DOUBLE_EQ(r.XZ, 0.0);
  EXPECT_DOUBLE_EQ(r.YX, 0.0);
  EXPECT_DOUBLE_EQ(r.YZ, 0.0);
  EXPECT_EQ(f.canvas.PerspectiveFactor(), 0.0);
  for (int32_t z : {0, 50, 999}) {
    // (251 - 240) * 1.5 = 16.5 -> 16; (171 - 180) * 1.5 = -13.5 -> -14
    EXPECT_EQ(f.P(251, 171, z), (fw::TPoint{242 + 16, 183 - 14}));
  }
}

TEST(Projection, RotatedCoefficientsFollowTheAngles) {
  Frame f;
  f.options.SetOrthogonal(false);
  f.options.SetElevation(30);
  f.options.SetRotation(60);
  f.options.SetTilt(10);
  f.Start(true);
  const double d = M_PI / 180, sE = std::sin(30 * d), cE = std::cos(30 * d), sR = std::sin(60 * d),
               cR = std::cos(60 * d), sT = std::sin(10 * d), cT = std::cos(10 * d);
  const auto& r = f.canvas.Rotation();
  EXPECT_DOUBLE_EQ(r.XX, sR * sE * sT + cR * cT);
  EXPECT_DOUBLE_EQ(r.XY, cE * sT);
  EXPECT_DOUBLE_EQ(r.XZ, cR * sE * sT - cT * sR);
  EXPECT_DOUBLE_EQ(r.YX, cT * sR * sE - cR * sT);
  EXPECT_DOUBLE_EQ(r.YY, cE * cT);
  EXPECT_DOUBLE_EQ(r.YZ, cR * cT * sE + sR * sT);
  EXPECT_NEAR(static_cast<double>(r.PX), cE * sR, 1e-15);
  EXPECT_NEAR(static_cast<double>(r.PY), sE, 1e-15);
  EXPECT_DOUBLE_EQ(r.PZ, cR * cE);
  EXPECT_DOUBLE_EQ(f.canvas.PerspectiveFactor(), 15 / 35000.0);

  // One point by the formula, perspective included.
  const double dx = 300 - 240, dy = 100 - 180, dz = 80 - 50;
  const double fz = 1.0 - (15 / 35000.0) * (dx * cE * sR - dy * sE + dz * cR * cE);
  const fw::TPoint p = f.P(300, 100, 80);
  EXPECT_EQ(p.X, 240 + static_cast<int32_t>(std::nearbyint((dx * r.XX + dy * r.XY + dz * r.XZ) * fz)));
  EXPECT_EQ(p.Y, 180 + static_cast<int32_t>(std::nearbyint((dx * r.YX + dy * r.YY + dz * r.YZ) * fz)));
}

TEST(Projection, PerspectiveZeroOrNegativeMeansNone) {
  for (int32_t perspective : {0, -20}) {
    Frame f;
    f.options.SetOrthogonal(false);
    f.options.SetPerspective(perspective);
    f.Start(true);
    EXPECT_EQ(f.canvas.PerspectiveFactor(), 0.0);
  }
}

TEST(Projection, RotatedInverseUndoesTheRotationWithoutPerspective) {
  Frame f;
  f.options.SetOrthogonal(false);
  f.options.SetElevation(0);
  f.options.SetRotation(0);
  f.options.SetTilt(0);
  f.options.SetPerspective(0);
  f.options.SetZoom(200);
  f.Start(true);
  const fw::TPoint s = f.P(300, 120, 40);
  int32_t x = s.X, y = s.Y;
  f.canvas.UnprojectPoint(x, y, 40);
  EXPECT_EQ(x, 300);
  EXPECT_EQ(y, 120);
}

TEST(Projection, ElevationNinetyClampsYYAndTheInverseStaysFinite) {
  Frame f;
  f.options.SetOrthogonal(false);
  f.options.SetElevation(90);
  f.options.SetRotation(0);
  f.options.SetTilt(0);
  f.Start(true);
  EXPECT_DOUBLE_EQ(f.canvas.Rotation().YY, 0.00001);
  int32_t x = 250, y = 190;
  f.canvas.UnprojectPoint(x, y, 10);  // must not divide by zero or hit an undefined conversion
  EXPECT_EQ(x, 250);
}

TEST(Projection, ThreeDimensionalFrameWithoutOptionsRotatesByZeroAngles) {
  TChartCanvas3D canvas;
  canvas.SetBuffered(false);
  canvas.PrepareSurface(nullptr, nullptr, fw::clWhite, true, {0, 0, 100, 100});
  canvas.SetProjectionCenter(20, {0, 0, 100, 100}, {0, 0, 100, 100});
  EXPECT_FALSE(canvas.IsOrthogonal());
  EXPECT_EQ(canvas.ZoomFactor(), 1.0);
  EXPECT_EQ(canvas.ProjectToPoint(70, 20, 15), (fw::TPoint{70, 20}));
}

TEST(Projection, FlatDrawingSuspendsTheProjection) {
  Frame f;
  f.Start(true);
  f.canvas.BeginFlatDrawing();
  EXPECT_EQ(f.P(100, 100, 30), (fw::TPoint{100, 100}));
  f.canvas.EndFlatDrawing();
  EXPECT_EQ(f.P(100, 100, 30), (fw::TPoint{130, 70}));
}

TEST(Projection, ExtremeInputsStayDefined) {
  Frame f;
  f.options.SetZoom(100000);
  f.options.SetHorizOffset(INT32_MAX);
  f.Start(true, INT32_MAX);
  f.plot = {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
  f.canvas.SetProjectionCenter(INT32_MAX, {}, f.plot);
  (void)f.P(INT32_MAX, INT32_MIN, INT32_MAX);
  f.options.SetZoom(0);
  f.Start(true);
  int32_t x = 5, y = 6;
  f.canvas.UnprojectPoint(x, y, 0);  // zoom 0: unchanged
  EXPECT_EQ(x, 5);
  EXPECT_EQ(y, 6);
}
