#include "framework/controls/TCustomPanel.h"

#include "framework/controls/Frame3D.h"
#include "framework/graphics/TSurface.h"
#include "framework/runtime/Exception.h"

namespace fw {

namespace {

void BevelColors(TBevelCut bevel, TColor& top, TColor& bottom) {
  top = bevel == bvLowered ? clBtnShadow : clBtnHighlight;
  bottom = bevel == bvLowered ? clBtnHighlight : clBtnShadow;
}

}  // namespace

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
}

void TCustomPanel::SetBevelOuter(TBevelCut value) {
  if (value == mBevelOuter) return;
  mBevelOuter = value;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut value) {
  if (value == mBevelInner) return;
  mBevelInner = value;
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int32_t value) {
  if (value < 1) throw Exception("Invalid property value");
  if (value == mBevelWidth) return;
  mBevelWidth = value;
  Invalidate();
}

void TCustomPanel::SetBorderWidth(int32_t value) {
  if (value < 0) throw Exception("Invalid property value");
  if (value == mBorderWidth) return;
  mBorderWidth = value;
  Invalidate();
}

void TCustomPanel::SetCaption(const std::string& value) {
  if (value == mCaption) return;
  mCaption = value;
  Invalidate();
}

void TCustomPanel::Paint() {
  TSurface& canvas = Canvas();
  TRect rect = ClientRect();
  TColor top;
  TColor bottom;
  if (mBevelOuter != bvNone) {
    BevelColors(mBevelOuter, top, bottom);
    Frame3D(canvas, rect, top, bottom, mBevelWidth);
  }
  Frame3D(canvas, rect, Color(), Color(), mBorderWidth);
  if (mBevelInner != bvNone) {
    BevelColors(mBevelInner, top, bottom);
    Frame3D(canvas, rect, top, bottom, mBevelWidth);
  }
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Color());
  canvas.FillRect(rect);
  if (mCaption.empty()) return;
  canvas.SetFont(Font());
  canvas.SetBkMode(TRANSPARENT);
  canvas.SetTextAlign(TA_CENTER | TA_TOP);
  const int32_t height = canvas.TextHeight(mCaption);
  canvas.TextOut((rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom - height) / 2, mCaption);
}

}  // namespace fw
