#include "framework/controls/TLabeledEdit.h"

namespace fw {

TLabeledEdit::TLabeledEdit(TComponent* owner) : TEdit(owner) {
  mEditLabel = new TBoundLabel(this);
  UpdateLabelPosition();
}

void TLabeledEdit::Notification(TComponent* component, TOperation operation) {
  TEdit::Notification(component, operation);
  if (operation == opRemove && component == mEditLabel) mEditLabel = nullptr;
}

void TLabeledEdit::SetLabelSpacing(int32_t value) {
  if (value == mLabelSpacing) return;
  mLabelSpacing = value;
  UpdateLabelPosition();
}

void TLabeledEdit::SetLabelPosition(TLabelPosition value) {
  if (value == mLabelPosition) return;
  mLabelPosition = value;
  UpdateLabelPosition();
}

void TLabeledEdit::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  TEdit::SetBounds(left, top, width, height);
  UpdateLabelPosition();
}

void TLabeledEdit::SetParent(TWinControl* parent) {
  TEdit::SetParent(parent);
  if (mEditLabel) mEditLabel->SetParent(parent);
}

void TLabeledEdit::SetVisible(bool value) {
  TEdit::SetVisible(value);
  if (mEditLabel) mEditLabel->SetVisible(value);
}

void TLabeledEdit::SetEnabled(bool value) {
  TEdit::SetEnabled(value);
  if (mEditLabel) mEditLabel->SetEnabled(value);
}

void TLabeledEdit::UpdateLabelPosition() {
  // The label's own constructor reports its first size before the edit knows it.
  if (!mEditLabel) return;
  const TBoundLabel& label = *mEditLabel;
  int32_t x = Left();
  int32_t y = Top();
  switch (mLabelPosition) {
    case lpAbove: y = Top() - label.Height() - mLabelSpacing; break;
    case lpBelow: y = Top() + Height() + mLabelSpacing; break;
    case lpLeft:
      x = Left() - label.Width() - mLabelSpacing;
      y = Top() + (Height() - label.Height()) / 2;
      break;
    case lpRight:
      x = Left() + Width() + mLabelSpacing;
      y = Top() + (Height() - label.Height()) / 2;
      break;
  }
  mEditLabel->SetBounds(x, y, label.Width(), label.Height());
}

}  // namespace fw
