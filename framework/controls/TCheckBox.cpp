#include "framework/controls/TCheckBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QPalette>
#include <QSignalBlocker>

#include "framework/controls/NativeControl.h"

namespace fw {

namespace {
QCheckBox* Box(const TCheckBox* control) { return static_cast<QCheckBox*>(detail::WidgetOf(control)); }
}  // namespace

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
  auto* box = new QCheckBox;
  detail::BindWidget(this, box);
  QObject::connect(box, &QCheckBox::toggled, box, [this, box](bool checked) {
    if (detail::ControlOf(box)) Toggled(checked);
  });
}

void TCheckBox::ApplyFont() {
  TWinControl::ApplyFont();
  QWidget* box = detail::WidgetOf(this);
  if (!box) return;
  // The style draws the mark in the Text colour on the Base colour: give both back their
  // standard values, which the caption's font colour replaced.
  const QPalette standard = QApplication::palette(box);
  QPalette palette = box->palette();
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    for (const auto role : {QPalette::Text, QPalette::Base}) palette.setBrush(group, role, standard.brush(group, role));
  }
  box->setPalette(palette);
}

void TCheckBox::SetCaption(const std::string& value) {
  if (value == mCaption) return;
  mCaption = value;
  Box(this)->setText(QString::fromStdString(value));
}

void TCheckBox::SetChecked(bool value) {
  if (value == mChecked) return;
  mChecked = value;
  {
    const QSignalBlocker blocker(Box(this));
    Box(this)->setChecked(value);
  }
  if (!IsLoading()) Click();
}

void TCheckBox::Toggled(bool checked) {
  if (checked == mChecked) return;
  mChecked = checked;
  if (!IsLoading()) detail::Guarded([this] { Click(); });
}

}  // namespace fw
