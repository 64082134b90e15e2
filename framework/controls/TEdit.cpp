#include "framework/controls/TEdit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>
#include <QPointer>
#include <QSignalBlocker>

#include "framework/controls/NativeControl.h"

namespace fw {

class TEditWidget : public QLineEdit {
public:
  explicit TEditWidget(TEdit* edit) : mEdit(edit) {
    connect(this, &QLineEdit::textChanged, this, [this] {
      if (detail::ControlOf(this) && !mEdit->IsLoading()) detail::Guarded([this] { mEdit->Change(); });
    });
  }

protected:
  // The undo history ends when the field loses the focus, as a platform edit control's single
  // undo step does at the latest: otherwise a field typed into again and again keeps every
  // keystroke for good. The text, the cursor and the selection stay as they are.
  void focusOutEvent(QFocusEvent* event) override {
    QLineEdit::focusOutEvent(event);
    if (!isUndoAvailable() && !isRedoAvailable()) return;
    const int cursor = cursorPosition();
    const int start = selectionStart();
    const int length = selectionLength();
    const bool modified = isModified();
    {
      const QSignalBlocker quiet(this);
      setText(text());
      if (start >= 0 && cursor == start)
        setSelection(start + length, -length);
      else if (start >= 0)
        setSelection(start, length);
      else
        setCursorPosition(cursor);
      setModified(modified);
    }
  }

  void keyPressEvent(QKeyEvent* event) override {
    char key = 0;
    if (!detail::ControlOf(this) || !KeyOf(*event, key)) {
      QLineEdit::keyPressEvent(event);
      return;
    }
    const char typed = key;
    QPointer<QWidget> guard(this);
    detail::Guarded([&] { mEdit->KeyPress(key); });
    if (!guard || !detail::ControlOf(this)) return;
    if (key == 0) {
      event->accept();
      return;
    }
    if (key == typed) {
      QLineEdit::keyPressEvent(event);
      return;
    }
    QKeyEvent replaced(event->type(), QtKeyOf(key), event->modifiers(), QString(QChar(key)));
    QLineEdit::keyPressEvent(&replaced);
    event->setAccepted(replaced.isAccepted());
  }

private:
  // The character a key press types, when it is one the handler sees: ASCII characters and
  // the control keys; Tab belongs to focus navigation.
  static bool KeyOf(const QKeyEvent& event, char& key) {
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) {
      key = 13;
      return true;
    }
    if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) return false;
    const QString text = event.text();
    if (text.size() != 1 || text[0].unicode() == 0 || text[0].unicode() >= 128) return false;
    key = static_cast<char>(text[0].unicode());
    return true;
  }

  static int QtKeyOf(char key) {
    switch (key) {
      case 8: return Qt::Key_Backspace;
      case 13: return Qt::Key_Return;
      case 27: return Qt::Key_Escape;
      default: return (key >= 'a' && key <= 'z') ? Qt::Key_A + (key - 'a') : static_cast<unsigned char>(key);
    }
  }

  TEdit* mEdit;
};

namespace {
QLineEdit* LineEdit(const TEdit* edit) { return static_cast<QLineEdit*>(detail::WidgetOf(edit)); }
}  // namespace

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 21);
  SetColor(clWindow);
  SetTabStop(true);
  detail::BindWidget(this, new TEditWidget(this));
}

std::string TEdit::Text() const { return LineEdit(this)->text().toStdString(); }

void TEdit::SetText(const std::string& value) {
  const QString text = QString::fromStdString(value);
  if (LineEdit(this)->text() == text) return;
  LineEdit(this)->setText(text);
}

void TEdit::SelectAll() { LineEdit(this)->selectAll(); }

int32_t TEdit::SelStart() const {
  const QLineEdit* e = LineEdit(this);
  return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
}

void TEdit::SetSelStart(int32_t value) { LineEdit(this)->setCursorPosition(std::max(0, value)); }

int32_t TEdit::SelLength() const { return static_cast<int32_t>(LineEdit(this)->selectionLength()); }

void TEdit::SetSelLength(int32_t value) {
  QLineEdit* e = LineEdit(this);
  e->setSelection(SelStart(), std::max(0, value));
}

std::string TEdit::SelText() const { return LineEdit(this)->selectedText().toStdString(); }

bool TEdit::ReadOnly() const { return LineEdit(this)->isReadOnly(); }

void TEdit::SetReadOnly(bool value) { LineEdit(this)->setReadOnly(value); }

void TEdit::SetMaxLength(int32_t value) {
  mMaxLength = std::max(0, value);
  LineEdit(this)->setMaxLength(mMaxLength > 0 ? mMaxLength : 32767);
}

void TEdit::ApplyColor() {
  QWidget* w = detail::WidgetOf(this);
  if (!w) return;
  QPalette palette = w->palette();
  palette.setColor(QPalette::Base, detail::QtColor(Color()));
  w->setPalette(palette);
}

void TEdit::Change() {
  if (OnChange) OnChange(this);
}

void TEdit::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

}  // namespace fw
