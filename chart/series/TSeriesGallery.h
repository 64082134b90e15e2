#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace fw {
class TComponent;
}

namespace chart {

class TChartSeries;
class TSeriesHost;

/// One entry of the series gallery: a registered series class shown on a page under a title.
struct TSeriesGalleryEntry {
  std::string Page;          ///< gallery page ("Standard", "Functions", ...)
  std::string ClassName;     ///< the series class, creatable by name by the layout reader
  std::string Title;         ///< caption from the string table
  int32_t GalleryCount = 1;  ///< how many example series the gallery shows of this type
  std::string FunctionClass;  ///< the series function the gallery's series computes ("" = none)
};

/// Registers (or re-registers, replacing the earlier entry of the same class) a series class on
/// a gallery page. The class must already be registered with the form reader as a creatable
/// descendant of TChartSeries. Throws ChartException for a class that is not one
/// (GalleryNotASeriesClass) or a count below 1 (GalleryCountBelowOne); nothing changes then.
void RegisterGallerySeries(const std::string& page, const std::string& className, const std::string& title,
                           int32_t galleryCount);

/// Registers a series function on a gallery page: the gallery shows it as a series of class
/// `seriesClassName` computing a function of class `functionClassName` (its own entry, keyed by
/// the function; registering the function again replaces it). Throws ChartException for a
/// series class as RegisterGallerySeries does, or for an unknown function; nothing changes then.
void RegisterGalleryFunction(const std::string& page, const std::string& seriesClassName,
                             const std::string& functionClassName, const std::string& title);

/// Fixes the order of a page's entries by class name (the function's class for a function entry). Entries whose class is not named follow
/// the named ones in the order they were registered. Each page declares its order in one place,
/// so the series types of a page may register in any order.
void SetGalleryPageOrder(const std::string& page, const std::vector<std::string>& classNames);

/// The pages that hold at least one entry, in the order their first entry was registered.
std::vector<std::string> GalleryPages();

/// The entries of a page in gallery order (empty for an unknown page).
std::vector<TSeriesGalleryEntry> GalleryEntries(const std::string& page);

/// Creates a series of a class that is in the gallery, or for a function class of the gallery a
/// series of its entry's series class computing that function (by name, without regard to case), owned by
/// `owner` (may be null: the caller then owns it) and shown by `chart` (may be null).
/// Throws ChartException (GalleryUnknownSeriesClass) for a class that is not in the gallery.
TChartSeries* CreateGallerySeries(const std::string& className, fw::TComponent* owner, TSeriesHost* chart);

}  // namespace chart
