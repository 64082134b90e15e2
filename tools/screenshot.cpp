// Starts the main window, presses Start, lets the animation run for a while and saves a
// picture of the window (for the README).
//   screenshot [out.png] [milliseconds] [--scale F] [--crop LEFT,TOP,WIDTH,HEIGHT]
// --scale takes the picture on a screen of F device pixels per logical pixel (Qt's scale
// factor, 0.25 to 16; 2 as on most high-density laptop screens), so the picture is F times
// the window's size. --crop keeps only that part of the window, given in logical pixels.
#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/Main.h"
#include "framework/controls/NativeControl.h"
#include "framework/controls/TApplication.h"
#include "framework/controls/TButton.h"
#include "framework/graphics/DevicePixels.h"

namespace {

struct Options {
  std::string Path = "screenshot.png";
  int Milliseconds = 1500;
  double Scale = 1.0;
  bool Crop = false;
  int CropLeft = 0, CropTop = 0, CropWidth = 0, CropHeight = 0;
};

int Usage(const char* message) {
  std::fprintf(stderr, "%s\nusage: screenshot [out.png] [milliseconds] [--scale F] [--crop L,T,W,H]\n", message);
  return 2;
}

/// False with a message for anything it cannot read.
bool ParseOptions(int argc, char** argv, Options& o, std::string& error) {
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--scale" || arg == "--crop") {
      if (i + 1 >= argc) {
        error = arg + " needs a value";
        return false;
      }
      const std::string value = argv[++i];
      if (arg == "--scale") {
        char* end = nullptr;
        o.Scale = std::strtod(value.c_str(), &end);
        if (end == value.c_str() || *end != '\0' || !fw::ValidDevicePixelRatio(o.Scale)) {
          error = "--scale must be a number from 0.25 to 16";
          return false;
        }
      } else {
        char tail = 0;
        if (std::sscanf(value.c_str(), "%d,%d,%d,%d%c", &o.CropLeft, &o.CropTop, &o.CropWidth, &o.CropHeight,
                        &tail) != 4 ||
            o.CropWidth <= 0 || o.CropHeight <= 0) {
          error = "--crop must be LEFT,TOP,WIDTH,HEIGHT with a positive width and height";
          return false;
        }
        o.Crop = true;
      }
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() > 2) {
    error = "too many arguments";
    return false;
  }
  if (!positional.empty()) o.Path = positional[0];
  if (positional.size() > 1) {
    char* end = nullptr;
    const long ms = std::strtol(positional[1].c_str(), &end, 10);
    if (end == positional[1].c_str() || *end != '\0' || ms < 0 || ms > 3600000) {
      error = "milliseconds must be a whole number from 0 to 3600000";
      return false;
    }
    o.Milliseconds = static_cast<int>(ms);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  std::string error;
  if (!ParseOptions(argc, argv, options, error)) return Usage(error.c_str());
  // Qt reads the scale factor when the application starts.
  if (options.Scale != 1.0) qputenv("QT_SCALE_FACTOR", QByteArray::number(options.Scale, 'g', 17));
  fw::TApplication* application = fw::Application();
  application->Initialize();
  auto* form = application->CreateForm<app::TForm1>();
  form->Show();
  application->ProcessMessages();
  form->FormActivate(form);
  form->Button1Click(form->Button1);
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < options.Milliseconds) application->ProcessMessages();
  QWidget* window = fw::detail::WidgetOf(form)->window();
  const QRect area = options.Crop ? QRect(options.CropLeft, options.CropTop, options.CropWidth, options.CropHeight)
                                  : QRect(QPoint(0, 0), window->size());
  const QPixmap picture = window->grab(area);
  if (picture.isNull() || !picture.save(QString::fromStdString(options.Path))) {
    std::fprintf(stderr, "could not write %s\n", options.Path.c_str());
    fw::ReleaseApplication();
    return 1;
  }
  std::printf("wrote %s (%d x %d pixels at scale %g)\n", options.Path.c_str(), picture.width(), picture.height(),
              picture.devicePixelRatio());
  fw::ReleaseApplication();
  return 0;
}
