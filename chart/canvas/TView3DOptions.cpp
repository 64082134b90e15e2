#include "chart/canvas/TView3DOptions.h"

namespace chart {

TView3DOptions::TView3DOptions(TRepaintRequest ownerRepaint) : mOwnerRepaint(std::move(ownerRepaint)) {}

template <typename T>
void TView3DOptions::Change(T& field, T value) {
  if (field == value) return;
  field = value;
  RequestOwnerRepaint();
}

void TView3DOptions::RequestOwnerRepaint() const {
  if (mOwnerRepaint) mOwnerRepaint();
}

void TView3DOptions::SetElevation(int32_t value) { Change(mElevation, value); }
void TView3DOptions::SetOrthogonal(bool value) { Change(mOrthogonal, value); }
void TView3DOptions::SetPerspective(int32_t value) { Change(mPerspective, value); }
void TView3DOptions::SetRotation(int32_t value) { Change(mRotation, value); }
void TView3DOptions::SetTilt(int32_t value) { Change(mTilt, value); }
void TView3DOptions::SetZoomText(bool value) { Change(mZoomText, value); }

void TView3DOptions::SetHorizOffset(int32_t value) {
  if (mHorizOffset == value) return;
  Change(mHorizOffset, value);
  if (OnScrolled) OnScrolled(true);
}

void TView3DOptions::SetVertOffset(int32_t value) {
  if (mVertOffset == value) return;
  Change(mVertOffset, value);
  if (OnScrolled) OnScrolled(false);
}

void TView3DOptions::SetZoom(int32_t value) {
  if (mZoom == value) return;
  if (OnZoomed) OnZoomed(value);
  Change(mZoom, value);
}

void TView3DOptions::Assign(const TView3DOptions& source) {
  if (&source == this) return;
  mElevation = source.mElevation;
  mHorizOffset = source.mHorizOffset;
  mOrthogonal = source.mOrthogonal;
  mPerspective = source.mPerspective;
  mRotation = source.mRotation;
  mTilt = source.mTilt;
  mVertOffset = source.mVertOffset;
  mZoom = source.mZoom;
  mZoomText = source.mZoomText;
}

}  // namespace chart
