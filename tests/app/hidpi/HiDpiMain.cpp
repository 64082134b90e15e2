// Entry of the high-density window tests: Qt's offscreen platform with three screens side by
// side, of 1, 1.5 and 2 device pixels per logical pixel, so that one process can show the main
// window at each ratio and move it from one screen to another.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  QTemporaryDir dir;
  if (!dir.isValid()) return 1;
  const QString config = dir.filePath("screens.json");
  QFile file(config);
  if (!file.open(QIODevice::WriteOnly)) return 1;
  // Qt derives each screen's ratio from its logical dots per inch over the base 96.
  file.write(R"({"screens": [
    {"name": "one", "x": 0, "y": 0, "width": 1600, "height": 1000, "logicalDpi": 96, "logicalBaseDpi": 96},
    {"name": "onehalf", "x": 1600, "y": 0, "width": 2400, "height": 1500, "logicalDpi": 144, "logicalBaseDpi": 96},
    {"name": "two", "x": 4000, "y": 0, "width": 3200, "height": 2000, "logicalDpi": 192, "logicalBaseDpi": 96}
  ]})");
  file.close();
  qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + QDir::toNativeSeparators(config)).toUtf8());
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
