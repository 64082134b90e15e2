// The stored-layout reader on any text, seeded with the main window's layout.
//
// Checks: a text is either read or refused with the reader's error (no other exception); a
// layout that was read is written back, and that text reads back to the same objects: written
// again it gives exactly the same text.
#include <QApplication>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/Main.h"
#include "framework/streaming/FormException.h"
#include "framework/streaming/TFormWriter.h"
#include "fuzz/support/FuzzInput.h"

namespace {

/// Reads a layout into a new main window; nullptr when the reader refuses it.
std::unique_ptr<app::TForm1> Read(const std::string& text, bool mustRead) {
  try {
    return std::make_unique<app::TForm1>(nullptr, text);
  } catch (const fw::FormException& e) {
    if (mustRead) fuzz::Fail(std::string("a written layout is refused: ") + e.what() + "\n" + text);
    return nullptr;
  } catch (const std::exception& e) {
    fuzz::Fail(std::string("the reader let another exception out: ") + e.what());
  }
}

std::string Write(app::TForm1& form) {
  try {
    return fw::TFormWriter::Write(form);
  } catch (const std::exception& e) {
    fuzz::Fail(std::string("a layout that was read cannot be written: ") + e.what());
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // Never destroyed: libFuzzer ends with exit(), and Qt's clean-up routines run from the
  // application's destructor after other static objects are gone.
  static QApplication* application = new QApplication(*argc, *argv);
  (void)application;
  app::RegisterMainFormClasses();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 64 * 1024) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::unique_ptr<app::TForm1> form = Read(text, false);
  if (!form) return 0;
  const std::string written = Write(*form);
  form.reset();
  std::unique_ptr<app::TForm1> again = Read(written, true);
  const std::string rewritten = Write(*again);
  fuzz::Check(rewritten == written, "a written layout reads back to other objects:\n" + written + "\n----\n" + rewritten);
  return 0;
}
