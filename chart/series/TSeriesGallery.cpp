#include "chart/series/TSeriesGallery.h"

#include <algorithm>
#include <memory>

#include "chart/ChartConst.h"
#include "chart/ChartException.h"
#include "chart/data/TChartSeries.h"
#include "chart/functions/FunctionTypes.h"
#include "framework/streaming/TClassRegistry.h"

namespace chart {

namespace {

struct TGalleryPage {
  std::string Name;
  std::vector<std::string> Order;  // class names in gallery order, as declared
};

struct TGalleryState {
  std::vector<TSeriesGalleryEntry> Entries;  // in registration order
  std::vector<TGalleryPage> Pages;           // pages with a declared order
};

TGalleryState& State() {
  static TGalleryState state;
  return state;
}

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

std::string WithName(const char* message, const std::string& name) {
  std::string text = message;
  const size_t at = text.find("%s");
  if (at != std::string::npos) text = text.substr(0, at) + name + text.substr(at + 2);
  return text;
}

const fw::TClassInfo* CreatableSeriesClass(const std::string& className) {
  const fw::TClassRegistry& registry = fw::TClassRegistry::Instance();
  const fw::TClassInfo* info = registry.FindByName(className);
  const fw::TClassInfo* base = registry.FindByType(typeid(TChartSeries));
  if (!info || !base || !info->CanCreate() || !info->InheritsFrom(base)) return nullptr;
  return info;
}

// Position of a class in the page's declared order; past the end when not named.
size_t OrderOf(const TGalleryPage* page, const std::string& className) {
  if (!page) return SIZE_MAX;
  for (size_t i = 0; i < page->Order.size(); ++i)
    if (SameText(page->Order[i], className)) return i;
  return SIZE_MAX;
}

}  // namespace

void RegisterGallerySeries(const std::string& page, const std::string& className, const std::string& title,
                           int32_t galleryCount) {
  if (galleryCount < 1) throw ChartException(ChartConst::GalleryCountBelowOne);
  if (!CreatableSeriesClass(className)) throw ChartException(WithName(ChartConst::GalleryNotASeriesClass, className));
  std::vector<TSeriesGalleryEntry>& entries = State().Entries;
  TSeriesGalleryEntry entry{page, className, title, galleryCount, ""};
  for (TSeriesGalleryEntry& existing : entries) {
    if (existing.FunctionClass.empty() && SameText(existing.ClassName, className)) {
      existing = std::move(entry);
      return;
    }
  }
  entries.push_back(std::move(entry));
}

void RegisterGalleryFunction(const std::string& page, const std::string& seriesClassName,
                             const std::string& functionClassName, const std::string& title) {
  if (!CreatableSeriesClass(seriesClassName))
    throw ChartException(WithName(ChartConst::GalleryNotASeriesClass, seriesClassName));
  CreateFunction(functionClassName);  // throws for an unknown function
  TSeriesGalleryEntry entry{page, seriesClassName, title, 1, functionClassName};
  for (TSeriesGalleryEntry& existing : State().Entries) {
    if (SameText(existing.FunctionClass, functionClassName)) {
      existing = std::move(entry);
      return;
    }
  }
  State().Entries.push_back(std::move(entry));
}

void SetGalleryPageOrder(const std::string& page, const std::vector<std::string>& classNames) {
  for (TGalleryPage& p : State().Pages) {
    if (p.Name == page) {
      p.Order = classNames;
      return;
    }
  }
  State().Pages.push_back({page, classNames});
}

std::vector<std::string> GalleryPages() {
  std::vector<std::string> pages;
  for (const TSeriesGalleryEntry& e : State().Entries)
    if (std::find(pages.begin(), pages.end(), e.Page) == pages.end()) pages.push_back(e.Page);
  return pages;
}

std::vector<TSeriesGalleryEntry> GalleryEntries(const std::string& page) {
  const TGalleryPage* declared = nullptr;
  for (const TGalleryPage& p : State().Pages)
    if (p.Name == page) declared = &p;
  std::vector<TSeriesGalleryEntry> entries;
  for (const TSeriesGalleryEntry& e : State().Entries)
    if (e.Page == page) entries.push_back(e);
  // Stable: classes the order does not name keep their registration order after the others.
  std::stable_sort(entries.begin(), entries.end(), [declared](const TSeriesGalleryEntry& a, const TSeriesGalleryEntry& b) {
    const auto key = [](const TSeriesGalleryEntry& e) { return e.FunctionClass.empty() ? e.ClassName : e.FunctionClass; };
    return OrderOf(declared, key(a)) < OrderOf(declared, key(b));
  });
  return entries;
}

TChartSeries* CreateGallerySeries(const std::string& className, fw::TComponent* owner, TSeriesHost* chart) {
  for (const TSeriesGalleryEntry& e : State().Entries) {
    if (e.FunctionClass.empty() || !SameText(e.FunctionClass, className)) continue;
    TChartSeries* series = CreateGallerySeries(e.ClassName, owner, nullptr);
    series->SetFunctionType(e.FunctionClass);
    if (chart) series->SetParentChart(chart);
    return series;
  }
  const bool listed = std::any_of(State().Entries.begin(), State().Entries.end(),
                                  [&](const TSeriesGalleryEntry& e) { return SameText(e.ClassName, className); });
  const fw::TClassInfo* info = listed ? CreatableSeriesClass(className) : nullptr;
  if (!info) throw ChartException(WithName(ChartConst::GalleryUnknownSeriesClass, className));
  std::unique_ptr<fw::TComponent> created(info->Create(owner));
  auto* series = dynamic_cast<TChartSeries*>(created.get());
  if (!series) throw ChartException(WithName(ChartConst::GalleryUnknownSeriesClass, className));
  created.release();
  if (chart) series->SetParentChart(chart);
  return series;
}

}  // namespace chart
