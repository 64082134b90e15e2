#pragma once
// Helpers shared by the control tests: real widgets on the offscreen platform.
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>
#include <QtTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/controls/MessageBox.h"
#include "framework/controls/NativeControl.h"
#include "framework/controls/TForm.h"

namespace ctltest {

inline QWidget* W(const fw::TControl* control) { return fw::detail::WidgetOf(control); }

/// Shows the form and waits until it is the active window.
inline bool ShowActive(fw::TForm& form) {
  form.Show();
  QWidget* w = W(&form);
  w->activateWindow();
  return QTest::qWaitForWindowActive(w);
}

struct RecordedBox {
  std::string Text;
  std::string Caption;
  uint32_t Flags;
};

/// Records every message box and accepts it; restores the previous hook on destruction.
class MessageBoxRecorder {
public:
  MessageBoxRecorder() {
    mPrevious = fw::SetMessageBoxHook([this](const std::string& text, const std::string& caption, uint32_t flags) {
      Boxes.push_back({text, caption, flags});
      if (WhileShown) WhileShown();
      return fw::IDOK;
    });
  }
  ~MessageBoxRecorder() { fw::SetMessageBoxHook(std::move(mPrevious)); }

  std::vector<RecordedBox> Boxes;
  /// Runs while the box "is shown" (e.g. a real modal window standing in for it).
  std::function<void()> WhileShown;

private:
  fw::TMessageBoxHook mPrevious;
};

/// Opens a real modal window that takes the activation and closes itself soon after: what a
/// message box does to the focus of the window below.
inline void RunModalWindow() {
  QWidget* below = QApplication::activeWindow();
  QDialog dialog;
  dialog.setWindowTitle("modal");
  auto* button = new QPushButton("OK", &dialog);
  button->setFocus();
  QTimer::singleShot(50, &dialog, &QDialog::accept);
  dialog.exec();
  // The window manager gives the activation back to the window below; the offscreen platform
  // has none, so the test does it.
  if (below) {
    below->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(below));
  }
}

}  // namespace ctltest
