// Renders a test card of the chart canvas to a PNG: primitives, gradients, pen styles, hatches,
// rotated texts and the 3D shapes in orthogonal and rotated views.
// Usage: canvas-card [output.png]   (default canvas-card.png)
#include <QGuiApplication>

#include <array>
#include <cstdio>
#include <numbers>
#include <string>

#include "chart/canvas/TChartCanvas3D.h"
#include "chart/canvas/TChartPen.h"
#include "chart/canvas/TView3DOptions.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TSurface.h"
#include "framework/runtime/Exception.h"

using namespace chart;

namespace {

constexpr int32_t CardWidth = 1280;
constexpr int32_t CardHeight = 1010;

void Caption(TChartCanvas3D& c, int32_t x, int32_t y, const std::string& text) {
  c.Font().SetColor(fw::clBlack);
  c.Font().SetSize(8);
  c.Font().SetOrientation(0);
  c.SetBackgroundMode(fw::TRANSPARENT);
  c.SetTextAlignment(fw::TA_LEFT | fw::TA_TOP);
  c.WriteText(x, y, text);
}

void Heading(TChartCanvas3D& c, int32_t y, const std::string& text) {
  c.Font().SetColor(fw::clNavy);
  c.Font().SetSize(10);
  c.Font().SetStyle(fw::fsBold);
  c.SetBackgroundMode(fw::TRANSPARENT);
  c.SetTextAlignment(fw::TA_LEFT | fw::TA_TOP);
  c.WriteText(10, y, text);
  c.Font().SetStyle(0);
}

void Solid(TChartCanvas3D& c, fw::TColor pen, fw::TColor brush) {
  c.Pen().SetColor(pen);
  c.Pen().SetStyle(fw::psSolid);
  c.Pen().SetWidth(1);
  c.Pen().SetMode(fw::pmCopy);
  c.Brush().SetColor(brush);
  c.Brush().SetStyle(fw::bsSolid);
}

void Primitives(TChartCanvas3D& c, int32_t y) {
  Heading(c, y, "Primitives");
  y += 22;
  Solid(c, fw::clBlack, fw::clYellow);
  c.DrawSegment(10, y, 110, y + 60);
  c.DrawHorizontalLine(10, 110, y + 70);
  c.DrawVerticalLine(115, y, y + 70);
  Caption(c, 10, y + 75, "lines");

  c.DrawRectangle(130, y, 210, y + 60);
  Caption(c, 130, y + 75, "rectangle");
  c.DrawRoundedRectangle(225, y, 305, y + 60, 20, 20);
  Caption(c, 225, y + 75, "rounded");
  c.Brush().SetColor(fw::clAqua);
  c.DrawEllipse(320, y, 400, y + 60);
  Caption(c, 320, y + 75, "ellipse");
  c.DrawArc(415, y, 495, y + 60, 495, y + 30, 455, y);
  Caption(c, 415, y + 75, "arc");
  c.Brush().SetColor(fw::clLime);
  c.DrawPieSlice(510, y, 590, y + 60, 590, y + 30, 550, y);
  Caption(c, 510, y + 75, "pie");
  c.Brush().SetColor(fw::clFuchsia);
  const std::array<fw::TPoint, 5> star{{{645, y}, {665, y + 60}, {610, y + 22}, {680, y + 22}, {625, y + 60}}};
  c.DrawPolygon(star);
  Caption(c, 610, y + 75, "polygon");
  for (int32_t i = 0; i < 30; ++i) c.PlotPixel(700 + i * 2, y + 30 + (i % 5) * 3, fw::clRed);
  Caption(c, 700, y + 75, "pixels");
  c.Brush().SetColor(fw::clBtnFace);
  c.FillRectangle({775, y, 855, y + 60});
  c.DrawBevel({775, y, 855, y + 60}, fw::clWhite, fw::clGray, 2);
  Caption(c, 775, y + 75, "bevel");

  // Text alignment around a marked reference point.
  const int32_t tx = 960, ty = y + 30;
  Solid(c, fw::clRed, fw::clWhite);
  c.DrawHorizontalLine(tx - 70, tx + 70, ty);
  c.DrawVerticalLine(tx, ty - 30, ty + 30);
  c.Font().SetColor(fw::clBlack);
  c.Font().SetSize(8);
  c.SetBackgroundMode(fw::TRANSPARENT);
  c.SetTextAlignment(fw::TA_RIGHT | fw::TA_BOTTOM);
  c.WriteText(tx, ty, "right|bottom");
  c.SetTextAlignment(fw::TA_LEFT | fw::TA_TOP);
  c.WriteText(tx, ty, "left|top");
  c.Brush().SetColor(fw::clYellow);
  c.SetBackgroundMode(fw::OPAQUE);
  c.SetBackgroundColor(fw::clYellow);
  c.SetTextAlignment(fw::TA_CENTER | fw::TA_BASELINE);
  c.WriteText(tx + 120, ty, "centre|baseline, opaque");
  c.SetTextAlignment(fw::TA_LEFT | fw::TA_TOP);
  Caption(c, 890, y + 75, "text alignment");
}

void Gradients(TChartCanvas3D& c, int32_t y) {
  Heading(c, y, "Gradients (start colour white, end colour blue, as the panel passes them)");
  y += 22;
  const std::array<std::pair<TGradientDirection, const char*>, 7> directions{{{gdTopBottom, "gdTopBottom"},
                                                                              {gdBottomTop, "gdBottomTop"},
                                                                              {gdLeftRight, "gdLeftRight"},
                                                                              {gdRightLeft, "gdRightLeft"},
                                                                              {gdFromCenter, "gdFromCenter"},
                                                                              {gdFromTopLeft, "gdFromTopLeft"},
                                                                              {gdFromBottomLeft, "gdFromBottomLeft"}}};
  int32_t x = 10;
  for (const auto& [direction, name] : directions) {
    const bool straight = direction == gdTopBottom || direction == gdLeftRight;
    const fw::TColor start = fw::clWhite, end = fw::clBlue;
    c.FillGradient({x, y, x + 160, y + 80}, straight ? start : end, straight ? end : start, direction);
    Caption(c, x, y + 84, name);
    x += 178;
  }
}

void PensAndHatches(TChartCanvas3D& c, int32_t y) {
  Heading(c, y, "Chart pens and hatches");
  y += 22;
  struct PenCase {
    const char* name;
    fw::TPenStyle style;
    int32_t width;
    bool smallDots;
  };
  const std::array<PenCase, 9> pens{{{"psSolid", fw::psSolid, 1, false},
                                     {"psDash", fw::psDash, 1, false},
                                     {"psDot", fw::psDot, 1, false},
                                     {"psDashDot", fw::psDashDot, 1, false},
                                     {"psDashDotDot", fw::psDashDotDot, 1, false},
                                     {"SmallDots", fw::psSolid, 1, true},
                                     {"SmallDots width 2", fw::psSolid, 2, true},
                                     {"width 3", fw::psSolid, 3, false},
                                     {"TDottedGrayPen", fw::psDot, 1, false}}};
  int32_t row = y;
  for (size_t i = 0; i < pens.size(); ++i) {
    TChartPen pen;
    if (i == pens.size() - 1) {
      pen.Assign(TDottedGrayPen());
    } else {
      pen.SetStyle(pens[i].style);
      pen.SetWidth(pens[i].width);
      pen.SetSmallDots(pens[i].smallDots);
      pen.SetColor(fw::clMaroon);
    }
    c.SetBackgroundMode(fw::TRANSPARENT);
    c.ApplyChartPen(pen);
    c.DrawHorizontalLine(10, 250, row + 6);
    Caption(c, 260, row, pens[i].name);
    row += 15;
  }
  TChartHiddenPen hidden;
  Solid(c, fw::clBlack, fw::clSilver);
  c.ApplyChartPen(hidden);
  c.DrawRectangle(380, y, 460, y + 60);
  Caption(c, 380, y + 64, "hidden pen: fill only");

  const std::array<std::pair<fw::TBrushStyle, const char*>, 6> hatches{{{fw::bsHorizontal, "bsHorizontal"},
                                                                        {fw::bsVertical, "bsVertical"},
                                                                        {fw::bsFDiagonal, "bsFDiagonal"},
                                                                        {fw::bsBDiagonal, "bsBDiagonal"},
                                                                        {fw::bsCross, "bsCross"},
                                                                        {fw::bsDiagCross, "bsDiagCross"}}};
  int32_t x = 490;
  for (const auto& [style, name] : hatches) {
    Solid(c, fw::clBlack, fw::clGreen);
    c.Brush().SetStyle(style);
    c.DrawRectangle(x, y, x + 110, y + 60);
    Caption(c, x, y + 64, name);
    x += 128;
  }
  // A hatch with opaque gaps in a background colour of its own.
  Solid(c, fw::clBlack, fw::clRed);
  c.Brush().SetStyle(fw::bsDiagCross);
  c.SetBackgroundMode(fw::OPAQUE);
  c.SetBackgroundColor(fw::clYellow);
  c.FillRectangle({490, y + 84, 1258, y + 110});
  Caption(c, 490, y + 112, "bsDiagCross, opaque yellow background (FillRectangle)");
}

void RotatedTexts(TChartCanvas3D& c, int32_t y) {
  Heading(c, y, "Rotated text (anchor marked red)");
  y += 22;
  const std::array<int32_t, 8> angles{0, 30, 45, 90, 180, 270, 360, 450};
  int32_t x = 70;
  for (int32_t angle : angles) {
    const int32_t cy = y + 70;
    Solid(c, fw::clRed, fw::clWhite);
    c.DrawHorizontalLine(x - 4, x + 5, cy);
    c.DrawVerticalLine(x, cy - 4, cy + 5);
    c.Font().SetName("Arial");
    c.Font().SetSize(10);
    c.Font().SetColor(fw::clBlack);
    c.WriteRotatedText(x, cy, angle, "Angle " + std::to_string(angle));
    x += 150;
  }
}

// One tile per shape; each tile rotates about its own centre.
void Shapes(TChartCanvas3D& c, fw::TSurface& card, TView3DOptions& options, int32_t y, const char* title) {
  Heading(c, y, title);
  y += 22;
  const int32_t tile = 140, height = 150, depth = 40;
  int32_t x = 10;
  auto startTile = [&](const char* name) {
    c.PrepareSurface(&card, &options, fw::clWhite, true, {0, 0, CardWidth, CardHeight});
    c.SetProjectionCenter(depth, {0, 0, CardWidth, CardHeight}, {x, y, x + tile - 30, y + height - 10});
    c.BeginFlatDrawing();
    Caption(c, x, y + height - 6, name);
    c.EndFlatDrawing();
    Solid(c, fw::clBlack, fw::RGB(230, 120, 40));
  };
  const int32_t top = y + 40, bottom = y + 125;
  startTile("cuboid");
  c.DrawCuboid(x + 20, x + 90, top, bottom, 0, depth, true);
  x += tile;
  startTile("cylinder");
  c.Brush().SetColor(fw::RGB(60, 160, 220));
  c.DrawCylinder(true, x + 20, top, x + 90, bottom, 0, depth, true);
  x += tile;
  startTile("horiz. cylinder");
  c.Brush().SetColor(fw::RGB(60, 160, 220));
  c.DrawCylinder(false, x + 10, top + 15, x + 100, bottom - 15, 0, depth, true);
  x += tile;
  startTile("pyramid");
  c.Brush().SetColor(fw::RGB(120, 200, 90));
  c.DrawPyramid(true, x + 20, top, x + 90, bottom, 0, depth, true);
  x += tile;
  startTile("cone");
  c.Brush().SetColor(fw::RGB(200, 90, 200));
  c.DrawCone(true, x + 20, top, x + 90, bottom, 0, depth, false);
  x += tile;
  startTile("sphere");
  c.Brush().SetColor(fw::RGB(250, 210, 60));
  c.DrawSphere(x + 55, (top + bottom) / 2, depth / 2, 35);
  x += tile;
  startTile("3D pie slice");
  c.Brush().SetColor(fw::RGB(220, 60, 60));
  c.DrawPieSlice3D(x + 50, (top + bottom) / 2 + 5, 45, 45, 0, 15, 0.3, 0.3 + 1.3 * std::numbers::pi, true);
  x += tile;
  startTile("planes, quads");
  c.Brush().SetColor(fw::RGB(180, 180, 250));
  c.DrawHorizontalPlane(x + 10, x + 100, bottom, 0, depth);
  c.Brush().SetColor(fw::RGB(250, 180, 180));
  c.DrawSidePlane(x + 10, top, bottom, 0, depth);
  c.Brush().SetColor(fw::RGB(180, 250, 180));
  c.DrawRectangleAtDepth({x + 10, top, x + 100, bottom}, depth);
  c.Brush().SetStyle(fw::bsClear);
  c.DrawQuadAtDepth({{{x + 55, top + 10}, {x + 85, top + 40}, {x + 55, top + 70}, {x + 25, top + 40}}}, 0);
  c.Pen().SetColor(fw::clRed);
  c.DrawQuadBetweenDepths({{{x + 30, bottom - 5}, {x + 80, bottom - 5}, {x + 80, bottom - 5}, {x + 30, bottom - 5}}},
                          0, depth);
  x += tile;
  startTile("arrows, triangles");
  c.DrawArrow(false, {x + 10, bottom}, {x + 90, top}, 16, 14, 0);
  c.Brush().SetColor(fw::clNavy);
  c.DrawArrow(true, {x + 10, bottom - 30}, {x + 100, bottom - 60}, 16, 14, depth);
  c.Brush().SetColor(fw::clYellow);
  c.DrawTriangleAtDepth({{{x + 20, top}, {x + 50, top - 30}, {x + 70, top + 10}}}, depth / 2);
  c.DrawTriangle3D({{{x + 60, bottom, 0}, {x + 100, bottom, depth}, {x + 80, bottom - 40, depth / 2}}}, fw::clLime,
                   fw::clRed, fw::clBlue);
  c.Pen().SetColor(fw::clGreen);
  c.DrawDepthLine(x + 10, top - 10, 0, depth);
  x += tile;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const std::string output = argc > 1 ? argv[1] : "canvas-card.png";
  try {
    fw::TBitmap card(CardWidth, CardHeight);
    TView3DOptions options;
    TChartCanvas3D canvas;
    canvas.SetBuffered(false);
    canvas.AttachSurface(&card.Canvas());
    canvas.ResetDrawingState();
    canvas.Brush().SetColor(fw::clWhite);
    canvas.FillRectangle({0, 0, CardWidth, CardHeight});

    Primitives(canvas, 8);
    Gradients(canvas, 120);
    PensAndHatches(canvas, 250);
    RotatedTexts(canvas, 430);
    Shapes(canvas, card.Canvas(), options, 600, "3D shapes, orthogonal (Zoom 100, depth up and right)");
    options.SetOrthogonal(false);
    options.SetElevation(340);
    options.SetRotation(330);
    options.SetPerspective(15);
    Shapes(canvas, card.Canvas(), options, 790, "3D shapes, rotated (Elevation 340, Rotation 330, Perspective 15)");
    canvas.ResetDrawingState();
    card.SaveToFile(output);
    std::printf("%s\n", output.c_str());
  } catch (const fw::Exception& e) {
    std::fprintf(stderr, "canvas-card: %s\n", e.Message().c_str());
    return 1;
  }
  return 0;
}
