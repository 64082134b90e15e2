#include "framework/controls/TButton.h"

#include <QPushButton>

#include "framework/controls/NativeControl.h"

namespace fw {

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
  auto* button = new QPushButton;
  button->setAutoDefault(false);
  detail::BindWidget(this, button);
  QObject::connect(button, &QPushButton::clicked, button, [this, button] {
    if (detail::ControlOf(button)) detail::Guarded([this] { Click(); });
  });
}

void TButton::SetCaption(const std::string& value) {
  if (value == mCaption) return;
  mCaption = value;
  static_cast<QPushButton*>(detail::WidgetOf(this))->setText(QString::fromStdString(value));
}

}  // namespace fw
