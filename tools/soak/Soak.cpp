// A long random session of the main window, off screen, through real input events.
//   soak [ticks=3000] [seed=1] [max growth after warm-up in KiB=4096]
// Each tick sends one random input (typing valid or invalid numbers ended by Enter or Tab,
// spinner clicks, Start, Stop, the check box, left and right drags and wheel turns over the
// chart), then runs one animation step when the animation is on and lets every pending event
// run. Fails (exit 1) when an exception leaves the event loop, when a running step does not
// paint the chart, or when the resident memory grows by more than the bound between the end of
// the warm-up (a tenth of the ticks, at least 200) and the end.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QObject>
#include <QWheelEvent>
#include <QWidget>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <random>
#include <string>

#include "app/Main.h"
#include "chart/panel/TCustomChart.h"
#include "framework/controls/MessageBox.h"
#include "framework/controls/NativeControl.h"
#include "framework/controls/TApplication.h"
#include "framework/controls/TButton.h"
#include "framework/controls/TCheckBox.h"
#include "framework/controls/TEdit.h"
#include "framework/controls/TLabeledEdit.h"
#include "framework/controls/TTimer.h"
#include "framework/controls/TUpDown.h"

namespace {

/// Resident memory of this process in KiB (VmRSS), 0 when unknown.
/// Heap bytes in use (allocated and not yet freed) in KiB: unlike the resident memory it does
/// not count freed memory the allocator keeps, so it tells a leak from fragmentation.
long HeapInUseKiB() { return static_cast<long>(mallinfo2().uordblks / 1024); }

long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return 0;
}

/// Counts the paints of one widget.
class PaintCounter : public QObject {
public:
  long Paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++Paints;
    return false;
  }
};

QWidget* W(const fw::TControl* control) { return fw::detail::WidgetOf(control); }

class Soak {
public:
  Soak(app::TForm1& form, unsigned seed) : mForm(form), mRandom(seed) {}

  /// One random input.
  void Input() {
    switch (Pick(12)) {
      case 0:
      case 1:
      case 2: Type(Pick(2) == 0 ? mForm.LabeledEdit1 : mForm.LabeledEdit3); break;
      case 3: Type(mForm.Edit1); break;
      case 4: Spinner(); break;
      case 5:
      case 6: Click(W(mForm.Button1)); break;
      case 7: Click(W(mForm.Button2)); break;
      case 8: Click(W(mForm.CheckBox1)); break;
      case 9: Drag(Qt::LeftButton); break;
      case 10: Drag(Qt::RightButton); break;
      default: Wheel(); break;
    }
  }

private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(mRandom); }

  std::string RandomText() {
    static const char* const Texts[] = {"500",  "100",  "2000", "1999.5", "0.5",   "0",     "0.999", "1",    "-3",
                                        "abc",  "",     "1e3",  "1e400",  "nan",   " 12",   "12 ",   "0.25", "99",
                                        "1,5",  "+7",   "-0",   ".",      "1e-400", "150", "0.3",   "42",   "1000"};
    if (Pick(4) > 0) return Texts[Pick(static_cast<int>(std::size(Texts)))];
    std::string s;
    for (int i = 0, n = Pick(8); i < n; ++i) s.push_back("0123456789.-+eE, x"[Pick(18)]);
    return s;
  }

  static void Key(QWidget* w, int key, const QString& text = QString(), Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &release);
  }

  void Type(fw::TEdit* field) {
    QWidget* w = W(field);
    if (!w || !w->isEnabled() || !w->isVisible()) return;
    w->setFocus();
    QApplication::processEvents();
    Key(w, Qt::Key_A, QString(), Qt::ControlModifier);
    Key(w, Qt::Key_Delete);
    for (const char c : RandomText()) Key(w, 0, QString(QChar(c)));
    if (Pick(2) == 0) Key(w, Qt::Key_Return, QStringLiteral("\r"));
    else Key(w, Qt::Key_Tab);
  }

  static void Mouse(QWidget* w, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
  }

  void Click(QWidget* w) { ClickAt(w, QPointF(w->width() / 2.0, w->height() / 2.0)); }

  void ClickAt(QWidget* w, QPointF at) {
    if (!w || !w->isEnabled()) return;
    Mouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    Mouse(w, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
  }

  void Spinner() {
    QWidget* w = W(mForm.UpDown1);
    const bool up = Pick(2) == 0;
    ClickAt(w, QPointF(w->width() / 2.0, up ? w->height() * 0.25 : w->height() * 0.75));
  }

  QPointF ChartPoint(QWidget* w) {
    // Mostly inside the chart, sometimes beyond its edges.
    return QPointF(Pick(w->width() + 200) - 100, Pick(w->height() + 200) - 100);
  }

  void Drag(Qt::MouseButton button) {
    QWidget* w = W(mForm.Chart1);
    Mouse(w, QEvent::MouseButtonPress, ChartPoint(w), button, button);
    for (int i = 0, n = 1 + Pick(4); i < n; ++i) Mouse(w, QEvent::MouseMove, ChartPoint(w), Qt::NoButton, button);
    Mouse(w, QEvent::MouseButtonRelease, ChartPoint(w), button, Qt::NoButton);
  }

  void Wheel() {
    QWidget* w = W(mForm.Chart1);
    const QPointF at = ChartPoint(w);
    const int delta = (Pick(2) == 0 ? 120 : -120) * (1 + Pick(3));
    QWheelEvent event(at, w->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(w, &event);
  }

  app::TForm1& mForm;
  std::mt19937 mRandom;
};

}  // namespace

int main(int argc, char** argv) {
  const long ticks = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 3000;
  const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1;
  const long maxGrowthKiB = argc > 3 ? std::strtol(argv[3], nullptr, 10) : 4096;
  const long warmUp = std::max(200L, ticks / 10);

  fw::TApplication* application = fw::Application();
  application->Initialize();
  long reported = 0;
  application->OnException = [&reported](fw::TComponent*, const std::string&) { ++reported; };
  long boxes = 0;
  fw::SetMessageBoxHook([&boxes](const std::string&, const std::string&, uint32_t) {
    ++boxes;
    return fw::IDOK;
  });
  auto* form = application->CreateForm<app::TForm1>();
  form->Show();
  application->ProcessMessages();
  form->FormActivate(form);
  PaintCounter paints;
  W(form->Chart1)->installEventFilter(&paints);

  Soak soak(*form, seed);
  long startKiB = ResidentKiB(), warmKiB = 0, steps = 0, failures = 0;
  std::printf("soak: %ld ticks, seed %u, resident at start %ld KiB\n", ticks, seed, startKiB);
  for (long tick = 0; tick < ticks; ++tick) {
    try {
      soak.Input();
      application->ProcessMessages();
      if (form->Timer1->Enabled()) {
        const long before = paints.Paints;
        form->Timer1Timer(form->Timer1);
        application->ProcessMessages();
        ++steps;
        if (paints.Paints == before) {
          std::fprintf(stderr, "soak: tick %ld: the animation step did not paint the chart\n", tick);
          ++failures;
        }
      }
    } catch (const std::exception& e) {
      std::fprintf(stderr, "soak: tick %ld: exception out of the event loop: %s\n", tick, e.what());
      ++failures;
    } catch (...) {
      std::fprintf(stderr, "soak: tick %ld: unknown exception out of the event loop\n", tick);
      ++failures;
    }
    if (tick + 1 == warmUp) warmKiB = ResidentKiB();
    if (ticks >= 10 && (tick + 1) % (ticks / 10) == 0)
      std::printf("soak: tick %ld, resident %ld KiB, heap in use %ld KiB, %ld animation steps\n", tick + 1,
                  ResidentKiB(), HeapInUseKiB(), steps);
    if (failures > 10) break;
  }
  const long endKiB = ResidentKiB();
  const long growth = warmKiB > 0 ? endKiB - warmKiB : 0;
  std::printf("soak: %ld animation steps, %ld chart paints, %ld handled exceptions, %ld message boxes\n", steps,
              paints.Paints, reported, boxes);
  std::printf("soak: resident after warm-up (%ld ticks) %ld KiB, at end %ld KiB: growth %ld KiB (bound %ld)\n", warmUp,
              warmKiB, endKiB, growth, maxGrowthKiB);
  if (growth > maxGrowthKiB) {
    std::fprintf(stderr, "soak: memory grew by %ld KiB after warm-up, more than %ld\n", growth, maxGrowthKiB);
    ++failures;
  }
  W(form->Chart1)->removeEventFilter(&paints);
  fw::ReleaseApplication();
  std::printf("soak: %s\n", failures == 0 ? "passed" : "FAILED");
  return failures == 0 ? 0 : 1;
}
