#include "framework/controls/TLabeledEdit.h"

#include "framework/runtime/ClampInt.h"

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
  // 64-bit sums: an extreme position, size or spacing puts the label far away, clamped.
  const int64_t left = Left(), top = Top(), spacing = mLabelSpacing;
  const int64_t besideY = top + (int64_t{Height()} - label.Height()) / 2;
  int64_t x = left;
  int64_t y = top;
  switch (mLabelPosition) {
    case lpAbove: y = top - label.Height() - spacing; break;
    case lpBelow: y = top + Height() + spacing; break;
    case lpLeft:
      x = left - label.Width() - spacing;
      y = besideY;
      break;
    case lpRight:
      x = left + Width() + spacing;
      y = besideY;
      break;
  }
  mEditLabel->SetBounds(ClampToInt32(x), ClampToInt32(y), label.Width(), label.Height());
}

}  // namespace fw
