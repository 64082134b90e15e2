#include "framework/controls/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace fw {

namespace {

TMessageBoxHook& Hook() {
  static TMessageBoxHook hook;
  return hook;
}

QMessageBox::StandardButtons ButtonsOf(uint32_t flags) {
  switch (flags & 0xF) {
    case MB_OKCANCEL: return QMessageBox::Ok | QMessageBox::Cancel;
    case MB_YESNOCANCEL: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MB_YESNO: return QMessageBox::Yes | QMessageBox::No;
    default: return QMessageBox::Ok;
  }
}

QMessageBox::Icon IconOf(uint32_t flags) {
  switch (flags & 0xF0) {
    case MB_ICONERROR: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONWARNING: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

int ResultOf(int button, uint32_t flags) {
  switch (button) {
    case QMessageBox::Ok: return IDOK;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    case QMessageBox::Cancel: return IDCANCEL;
    default: return (flags & 0xF) == MB_YESNO ? IDNO : (flags & 0xF) == MB_OK ? IDOK : IDCANCEL;
  }
}

}  // namespace

int MessageBox(const std::string& text, const std::string& caption, uint32_t flags) {
  if (Hook()) return Hook()(text, caption, flags);
  QMessageBox box(IconOf(flags), QString::fromStdString(caption), QString::fromStdString(text), ButtonsOf(flags),
                  QApplication::activeWindow());
  box.setWindowModality(Qt::ApplicationModal);
  return ResultOf(box.exec(), flags);
}

TMessageBoxHook SetMessageBoxHook(TMessageBoxHook hook) {
  TMessageBoxHook previous = std::move(Hook());
  Hook() = std::move(hook);
  return previous;
}

}  // namespace fw
