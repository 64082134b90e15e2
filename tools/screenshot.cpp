// Starts the main window, presses Start, lets the animation run for a while and saves a
// picture of the window (for the README).
//   screenshot [out.png] [milliseconds]
#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QWidget>

#include <cstdio>
#include <string>

#include "app/Main.h"
#include "framework/controls/NativeControl.h"
#include "framework/controls/TApplication.h"
#include "framework/controls/TButton.h"

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : "screenshot.png";
  const int ms = argc > 2 ? std::stoi(argv[2]) : 1500;
  fw::TApplication* application = fw::Application();
  application->Initialize();
  auto* form = application->CreateForm<app::TForm1>();
  form->Show();
  application->ProcessMessages();
  form->FormActivate(form);
  form->Button1Click(form->Button1);
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) application->ProcessMessages();
  QWidget* window = fw::detail::WidgetOf(form)->window();
  if (!window->grab().save(QString::fromStdString(path))) {
    std::fprintf(stderr, "could not write %s\n", path.c_str());
    fw::ReleaseApplication();
    return 1;
  }
  std::printf("wrote %s\n", path.c_str());
  fw::ReleaseApplication();
  return 0;
}
