#include "framework/controls/TBoundLabel.h"

#include <QLabel>
#include <QMouseEvent>

#include "framework/controls/NativeControl.h"
#include "framework/controls/TLabeledEdit.h"

namespace fw {

namespace {

// Keeps clicks on the label to the label (a plain QLabel passes them to the parent).
class BoundLabelWidget : public QLabel {
protected:
  void mousePressEvent(QMouseEvent* event) override { event->accept(); }
  void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
};

}  // namespace

TBoundLabel::TBoundLabel(TLabeledEdit* edit) : TControl(edit), mEdit(edit) {
  SetName("SubEditLabel");
  SetBounds(0, 0, 46, 13);
  auto* label = new BoundLabelWidget;
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setTextFormat(Qt::PlainText);
  detail::BindWidget(this, label);
}

void TBoundLabel::SetCaption(const std::string& value) {
  if (value == mCaption) return;
  mCaption = value;
  static_cast<QLabel*>(detail::WidgetOf(this))->setText(QString::fromStdString(value));
}

void TBoundLabel::Resized() {
  if (mEdit) mEdit->UpdateLabelPosition();
}

}  // namespace fw
