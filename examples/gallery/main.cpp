// The engine's gallery: a list of features on the left, the chart of the chosen one on the
// right. Every chart comes from a stored-layout file of this folder (*.layout): the layout
// sets the chart up, the program only adds sample points and the page buttons.
//   example-gallery [--dir folder]                   the window
//   example-gallery [--dir folder] --check           loads, draws, writes and re-reads every layout
//   example-gallery [--dir folder] --screenshot out.png [row]    a picture of the window
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "chart/Chart.h"
#include "framework/controls/TChartWidget.h"

namespace {

std::vector<std::string> LayoutFiles(const std::string& folder) {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().extension() == ".layout") files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  return files;
}

// Sample points for every series that has none and takes no data from other series: a smooth
// curve per series, positive and spread over decades on a logarithmic axis, one point a week
// on a date-time axis.
void FillSampleData(chart::TCustomChart& chart) {
  constexpr int kPoints = 25;
  constexpr double kFirstDay = 46023;  // 1 January 2026
  for (int32_t s = 0; s < chart.SeriesCount(); ++s) {
    chart::TChartSeries& series = chart.SeriesAt(s);
    if (series.PointCount() > 0 || !series.DataSources().empty()) continue;
    const bool logY = chart.LeftAxis().Logarithmic() || chart.RightAxis().Logarithmic();
    const bool logX = chart.BottomAxis().Logarithmic() || chart.TopAxis().Logarithmic();
    for (int i = 0; i < kPoints; ++i) {
      double x = i;
      if (series.XValues().DateTime()) x = kFirstDay + 7.0 * i;
      if (logX) x = std::pow(10.0, i / 8.0);
      double y = 50 + 30 * std::sin(0.35 * i + 1.3 * s) + 12 * s;
      if (logY) y = std::pow(10.0, i / 6.0 + 0.4 * s);
      series.AppendPoint(x, y, "", fw::clDefault);
    }
  }
}

std::string FirstTitleLine(const chart::TCustomChart& chart, const std::string& fallback) {
  const auto& text = chart.Title().Text();
  return text.empty() || text.front().empty() ? fallback : text.front();
}

// Loads, fills and draws every layout, then writes each chart and reads it back.
int CheckLayouts(const std::string& folder) {
  const std::vector<std::string> files = LayoutFiles(folder);
  int failures = 0;
  for (const std::string& file : files) {
    try {
      std::unique_ptr<chart::TCustomChart> chart = chart::LoadChartFromFile(file);
      FillSampleData(*chart);
      fw::TBitmap image(640, 420);
      chart->DrawToCanvas(image.Canvas(), fw::TRect{0, 0, 640, 420});
      const std::string written = chart::SaveChartToText(*chart);
      if (chart::SaveChartToText(*chart::LoadChartFromText(written)) != written)
        throw fw::Exception("the layout does not read back to the same chart");
      std::printf("ok   %s (%s)\n", file.c_str(), FirstTitleLine(*chart, "untitled").c_str());
    } catch (const std::exception& e) {
      std::printf("FAIL %s: %s\n", file.c_str(), e.what());
      ++failures;
    }
  }
  std::printf("%zu layouts, %d failed\n", files.size(), failures);
  return files.empty() || failures > 0 ? 1 : 0;
}

// The window: the list, the chart and, for a paged chart, the page buttons.
class Gallery : public QWidget {
public:
  explicit Gallery(const std::string& folder) : mFiles(LayoutFiles(folder)) {
    setWindowTitle("Chart engine gallery");
    auto* row = new QHBoxLayout(this);
    mList = new QListWidget;
    mList->setFixedWidth(270);
    row->addWidget(mList);
    auto* right = new QVBoxLayout;
    row->addLayout(right, 1);
    mView = new fw::TChartWidget(nullptr);
    right->addWidget(mView, 1);
    mPager = new QWidget;
    auto* pages = new QHBoxLayout(mPager);
    pages->setContentsMargins(0, 0, 0, 0);
    auto* previous = new QPushButton("< Previous page");
    auto* next = new QPushButton("Next page >");
    mPageText = new QLabel;
    pages->addWidget(previous);
    pages->addWidget(mPageText, 1, Qt::AlignCenter);
    pages->addWidget(next);
    right->addWidget(mPager);
    QObject::connect(previous, &QPushButton::clicked, [this] { TurnPage(-1); });
    QObject::connect(next, &QPushButton::clicked, [this] { TurnPage(+1); });

    for (const std::string& file : mFiles) {
      std::string name = std::filesystem::path(file).stem().string();
      try {
        name = FirstTitleLine(*chart::LoadChartFromFile(file), name);
      } catch (const std::exception&) {
        // Listed by its file name; choosing it shows the error.
      }
      mList->addItem(QString::fromStdString(name));
    }
    QObject::connect(mList, &QListWidget::currentRowChanged, [this](int row) { Show(row); });
    if (!mFiles.empty()) mList->setCurrentRow(0);
  }

  void Select(int row) { mList->setCurrentRow(row); }

private:
  void Show(int row) {
    if (row < 0 || row >= static_cast<int>(mFiles.size())) return;
    std::unique_ptr<chart::TCustomChart> chart;
    try {
      chart = chart::LoadChartFromFile(mFiles[static_cast<size_t>(row)]);
    } catch (const std::exception& e) {
      // A bad layout: an empty chart that says why.
      chart = std::make_unique<chart::TChart>();
      chart->Title().SetText({"This layout did not load:", e.what()});
    }
    FillSampleData(*chart);
    chart->OnPageChange = [this](fw::TComponent*) { UpdatePager(); };
    mView->SetChart(std::move(chart));
    UpdatePager();
  }

  void TurnPage(int step) {
    if (!mView->HasChart()) return;
    auto& chart = mView->Chart<chart::TCustomChart>();
    chart.SetPage(chart.Page() + step);
  }

  void UpdatePager() {
    const auto& chart = mView->Chart<chart::TCustomChart>();
    mPager->setVisible(chart.MaxPointsPerPage() > 0);
    mPageText->setText(QString("Page %1 of %2").arg(chart.Page()).arg(chart.PageCount()));
  }

  std::vector<std::string> mFiles;
  QListWidget* mList = nullptr;
  fw::TChartWidget* mView = nullptr;
  QWidget* mPager = nullptr;
  QLabel* mPageText = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  std::string folder = SW_GALLERY_DIR;
  std::string screenshot;
  int row = 0;
  bool check = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--dir") == 0 && i + 1 < argc) {
      folder = argv[++i];
    } else if (std::strcmp(argv[i], "--check") == 0) {
      check = true;
    } else if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) {
      screenshot = argv[++i];
      if (i + 1 < argc && argv[i + 1][0] != '-') row = std::atoi(argv[++i]);
    }
  }
  if (check) return CheckLayouts(folder);

  Gallery gallery(folder);
  gallery.resize(1100, 640);
  gallery.show();
  if (screenshot.empty()) return app.exec();
  gallery.Select(row);
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  return gallery.grab().save(QString::fromStdString(screenshot)) ? 0 : 1;
}
