// The chart with settings chosen by the input: any published setting of the chart, its axes,
// legend, titles, walls, 3D options and two series (values at the ends of their ranges, NaN,
// infinities, 1e308), plus recipes for the cases that need several settings together
// (logarithmic, inverted and date-time axes, equal ends, rotated labels, 3D, legend positions),
// points (a few, or thousands of a curve with odd values among them, so that pixel columns hold
// many), a series replaced by one of any class of the gallery, values removed from one of a
// series' lists alone, mouse drags and wheel turns; frames drawn between steps and at the end.
//
// Checks: a refused setting keeps its old value; an accepted whole-number, real or choice setting
// reads back as set; every frame draws (any fault stops the run under the sanitizers), and
// only a series whose lists disagree may stop one with the list-index error.
#include <QApplication>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "chart/ChartClasses.h"
#include "chart/axes/TChartAxis.h"
#include "chart/axes/TChartAxisTitle.h"
#include "chart/canvas/TView3DOptions.h"
#include "chart/data/TFastLineSeries.h"
#include "chart/panel/TCustomChart.h"
#include "chart/series/TSeriesGallery.h"
#include "framework/graphics/TBitmap.h"
#include "framework/runtime/Exception.h"
#include "framework/streaming/FrameworkClasses.h"
#include "framework/streaming/TClassInfo.h"
#include "framework/streaming/TClassRegistry.h"
#include "fuzz/support/FuzzInput.h"

using fuzz::Check;
using fuzz::TFuzzInput;

namespace {

struct TSetting {
  std::string Path;
  const fw::TPropInfo* Info;
  void* Self;
};

void Collect(const fw::TClassInfo& info, void* self, const std::string& prefix, std::vector<TSetting>& out, int depth) {
  for (const auto& bound : info.AllProperties(self)) {
    const fw::TPropInfo& p = *bound.Info;
    if (p.Kind == fw::pkSubObject) {
      void* child = p.GetObject(bound.Self);
      const fw::TClassInfo* childInfo = fw::TClassRegistry::Instance().FindByType(p.ObjectType);
      if (child && childInfo && depth < 6) Collect(*childInfo, child, prefix + p.Name + ".", out, depth + 1);
    } else if (p.Kind != fw::pkComponent && p.Kind != fw::pkEvent) {
      out.push_back({prefix + p.Name, &p, bound.Self});
    }
  }
}

void CollectComponent(fw::TComponent& c, std::vector<TSetting>& out) {
  const fw::TClassInfo* info = fw::TClassRegistry::Instance().FindByName(c.ClassName());
  if (!info) fuzz::Fail("class not registered: " + c.ClassName());
  Collect(*info, info->FromComponent(&c), c.ClassName() + ".", out, 0);
}

// Settings whose stored value is adjusted on purpose (a size never below 0, a font size kept
// as a pixel height) read back differently; they are still set and drawn.
bool ReadsBackAdjusted(const std::string& name) {
  for (const char* n : {"Width", "Height", "Size", "ClientWidth", "ClientHeight", "Page"})
    if (name == n) return true;
  return false;
}

// A control's size is the size of its window image: a chart 40,000 pixels square would ask
// for gigabytes, as it should, and exceed the fuzzer's memory limit. Sizes up to the 32-bit
// limit are the extreme-value tests' part.
bool IsControlSize(const TSetting& s) {
  if (std::count(s.Path.begin(), s.Path.end(), '.') != 1) return false;  // a pen's width is no size
  for (const char* n : {"Width", "Height", "ClientWidth", "ClientHeight"})
    if (s.Info->Name == n) return true;
  return false;
}

void SetOrdinal(const TSetting& s, int64_t value) {
  const fw::TPropInfo& p = *s.Info;
  value = std::clamp(value, p.MinValue, p.MaxValue);
  if (IsControlSize(s)) value = std::clamp<int64_t>(value, -100, 4096);
  const int64_t old = p.GetOrdinal(s.Self);
  try {
    p.SetOrdinal(s.Self, value);
  } catch (const fw::Exception&) {
    Check(p.GetOrdinal(s.Self) == old, s.Path + ": a refused " + std::to_string(value) + " changed the value");
    return;
  }
  if (!ReadsBackAdjusted(p.Name) && p.Kind != fw::pkSet)
    Check(p.GetOrdinal(s.Self) == value, s.Path + ": " + std::to_string(value) + " reads back as " +
                                             std::to_string(p.GetOrdinal(s.Self)));
}

void SetReal(const TSetting& s, double value) {
  const fw::TPropInfo& p = *s.Info;
  const double old = p.GetReal(s.Self);
  try {
    p.SetReal(s.Self, value);
  } catch (const fw::Exception&) {
    Check(fuzz::SameReal(p.GetReal(s.Self), old), s.Path + ": a refused value changed the value");
    return;
  }
}

void ApplySetting(const TSetting& s, TFuzzInput& in) {
  const fw::TPropInfo& p = *s.Info;
  try {
    switch (p.Kind) {
      case fw::pkInteger: SetOrdinal(s, in.Int()); break;
      case fw::pkBoolean: SetOrdinal(s, in.Bool() ? 1 : 0); break;
      case fw::pkEnumeration: SetOrdinal(s, in.Below(static_cast<uint32_t>(std::max<size_t>(p.ValueNames.size(), 1)))); break;
      case fw::pkSet: SetOrdinal(s, in.Byte() & ((int64_t{1} << std::min<size_t>(p.ValueNames.size(), 8)) - 1)); break;
      case fw::pkColor: SetOrdinal(s, in.Bool() ? int64_t{in.Raw<int32_t>()} : int64_t{in.Raw<uint8_t>()} << (8 * in.Below(3))); break;
      case fw::pkReal: SetReal(s, in.Real()); break;
      case fw::pkString: p.SetString(s.Self, in.Text(24)); break;
      case fw::pkStringList: {
        std::vector<std::string> lines(in.Below(4));
        for (std::string& line : lines) line = in.Text(24);
        p.SetStrings(s.Self, lines);
        break;
      }
      default: break;
    }
  } catch (const fw::Exception&) {
    // A refused text or list; ordinal and real refusals are checked above.
  }
}

struct TScene {
  std::unique_ptr<chart::TChart> Chart = std::make_unique<chart::TChart>(nullptr);
  chart::TChartSeries* Series[2] = {new chart::TFastLineSeries(Chart.get()), new chart::TFastLineSeries(Chart.get())};
  std::vector<TSetting> Settings;

  TScene() {
    Chart->SetBounds(0, 0, 400, 300);
    for (chart::TChartSeries* s : Series) s->SetParentChart(Chart.get());
    Series[1]->SetSeriesColor(fw::clBlue);
    CollectSettings();
  }

  void CollectSettings() {
    Settings.clear();
    CollectComponent(*Chart, Settings);
    for (chart::TChartSeries* s : Series) CollectComponent(*s, Settings);
  }

  /// Series k becomes a new series of a gallery class (series types and functions alike).
  void Replace(uint32_t k, const std::string& className) {
    chart::TChartSeries* fresh = chart::CreateGallerySeries(className, Chart.get(), Chart.get());
    delete Series[k];
    Series[k] = fresh;
    CollectSettings();
  }

  chart::TChartAxis& Axis(TFuzzInput& in) {
    switch (in.Below(4)) {
      case 0: return Chart->LeftAxis();
      case 1: return Chart->BottomAxis();
      case 2: return Chart->TopAxis();
      default: return Chart->RightAxis();
    }
  }

  void Draw(int32_t width, int32_t height) {
    fw::TBitmap image(width, height);
    Chart->DrawToCanvas(image.Canvas(), fw::TRect{0, 0, width, height});
  }

  /// Whether every value list of every series holds one value a point.
  bool ListsAgree() const {
    for (const chart::TChartSeries* s : Series)
      for (int32_t k = 0; k < s->ValueListCount(); ++k)
        if (s->ValueList(k).ValueCount() != s->PointCount()) return false;
    return true;
  }

  /// Runs one step. A point that one of its series' lists no longer holds stops a frame, a
  /// click or a drag with the list-index error; with lists that agree, nothing may throw it.
  template <class F>
  void Step(F&& f) {
    try {
      f();
    } catch (const fw::EListError&) {
      if (ListsAgree()) throw;
    }
  }
};

template <class F>
void Try(F&& f) {
  try {
    f();
  } catch (const fw::Exception&) {
  }
}

void Recipe(TScene& scene, TFuzzInput& in) {
  chart::TChart& chart = *scene.Chart;
  switch (in.Below(14)) {
    case 0: {  // points
      chart::TChartSeries& s = *scene.Series[in.Below(2)];
      const uint32_t n = in.Below(40);
      const bool sequential = in.Bool();
      for (uint32_t i = 0; i < n; ++i) s.AppendPoint(sequential ? double(i) : in.Real(), in.Real(), in.Text(8), fw::clDefault);
      break;
    }
    case 1: scene.Series[in.Below(2)]->RemoveAllPoints(); break;
    case 2: {  // a logarithmic axis over a range
      chart::TChartAxis& a = scene.Axis(in);
      Try([&] { a.SetLogarithmic(true); });
      Try([&] { a.SetLogarithmicBase(in.Int()); });
      a.SetAutomatic(false);
      Try([&] { a.SetAxisRange(in.Real(), in.Real()); });
      break;
    }
    case 3: {  // equal ends
      chart::TChartAxis& a = scene.Axis(in);
      a.SetAutomatic(false);
      const double v = in.Real();
      Try([&] { a.SetAxisRange(v, v); });
      break;
    }
    case 4: Try([&] { scene.Axis(in).SetInverted(in.Bool()); }); break;
    case 5: {  // date-time values and axis
      chart::TChartSeries& s = *scene.Series[in.Below(2)];
      s.XValues().SetDateTime(true);
      chart::TChartAxis& a = chart.BottomAxis();
      Try([&] { a.SetDateTimeFormat(in.Text(12)); });
      Try([&] { a.SetIncrement(in.Real()); });
      Try([&] { a.SetExactDateTime(in.Bool()); });
      const double start = 36526 + in.Raw<int16_t>();
      for (int i = 0, n = in.Below(20); i < n; ++i) s.AppendPoint(start + i * in.Real(), in.Real(), "", fw::clDefault);
      break;
    }
    case 6: {  // rotated labels and titles
      chart::TChartAxis& a = scene.Axis(in);
      const int32_t angles[] = {0, 90, 180, 270};
      Try([&] { a.SetLabelsAngle(in.Bool() ? angles[in.Below(4)] : in.Int()); });
      a.Title().SetCaption(in.Text(12));
      Try([&] { a.Title().SetAngle(in.Bool() ? angles[in.Below(4)] : in.Int()); });
      break;
    }
    case 7: {  // 3D
      chart.SetView3D(in.Bool());
      Try([&] { chart.SetChart3DPercent(in.Int()); });
      chart::TView3DOptions& v = chart.View3DOptions();
      v.SetOrthogonal(in.Bool());
      Try([&] { v.SetRotation(in.Int()); });
      Try([&] { v.SetElevation(in.Int()); });
      Try([&] { v.SetPerspective(in.Int()); });
      Try([&] { v.SetZoom(in.Int()); });
      break;
    }
    case 8: {  // legend position and content
      chart::TCustomChartLegend& l = chart.Legend();
      l.SetVisible(true);
      Try([&] { l.SetAlignment(static_cast<chart::TLegendAlignment>(in.Below(4))); });
      Try([&] { l.SetTopPos(in.Int()); });
      Try([&] { l.SetMaxNumRows(in.Int()); });
      Try([&] { l.SetFirstValue(in.Int()); });
      break;
    }
    case 9: {  // a drag with either button
      const fw::TMouseButton b = in.Bool() ? fw::mbLeft : fw::mbRight;
      chart.MouseDown(b, 0, in.Int(), in.Int());
      for (int i = 0, n = in.Below(4); i < n; ++i) chart.MouseMove(0, in.Int(), in.Int());
      chart.MouseUp(b, 0, in.Int(), in.Int());
      break;
    }
    case 10: chart.MouseWheel(0, in.Int(), in.Int(), in.Int()); break;
    case 11: {  // a series of another class
      std::vector<chart::TSeriesGalleryEntry> entries;
      for (const std::string& page : chart::GalleryPages())
        for (const chart::TSeriesGalleryEntry& e : chart::GalleryEntries(page)) entries.push_back(e);
      if (entries.empty()) break;
      const chart::TSeriesGalleryEntry& e = entries[in.Below(static_cast<uint32_t>(entries.size()))];
      scene.Replace(in.Below(2), e.FunctionClass.empty() ? e.ClassName : e.FunctionClass);
      break;
    }
    case 12: {  // thousands of points of a curve, odd values among them
      chart::TChartSeries& s = *scene.Series[in.Below(2)];
      const uint32_t n = in.Below(6000);
      const double base = in.Real(), amplitude = in.Real(), frequency = in.Real();
      const double odd[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity(), 1e308, -1e308, 0.0};
      const uint32_t every = 1 + in.Below(2000);
      std::vector<double> values(n);
      for (uint32_t i = 0; i < n; ++i)
        values[i] = i % every == every - 1 ? odd[i / every % 6] : base + amplitude * std::sin(frequency * i);
      Try([&] { s.AppendPoints(values); });
      break;
    }
    default:
      if (in.Bool()) {  // values removed from one list of a series alone (the lists are public)
        chart::TChartSeries& s = *scene.Series[in.Below(2)];
        const uint32_t lists = static_cast<uint32_t>(s.ValueListCount());
        chart::TChartValueList& list = s.ValueList(static_cast<int32_t>(in.Below(lists)));
        for (uint32_t k = 0, n = in.Below(8); k < n && list.ValueCount() > 0; ++k)
          list.RemoveAt(static_cast<int32_t>(in.Below(static_cast<uint32_t>(list.ValueCount()))));
      } else {
        chart.UndoZoom();
      }
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // Never destroyed: libFuzzer ends with exit(), and Qt's clean-up routines run from the
  // application's destructor after other static objects are gone.
  static QApplication* application = new QApplication(*argc, *argv);
  (void)application;
  fw::RegisterFrameworkClasses();
  chart::RegisterChartClasses();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) return 0;
  TFuzzInput in(data, size);
  TScene scene;
  for (int step = 0; step < 64 && !in.Empty(); ++step) {
    const uint8_t op = in.Byte();
    scene.Step([&] {
      if (op < 128) {
        ApplySetting(scene.Settings[in.Below(static_cast<uint32_t>(scene.Settings.size()))], in);
      } else if (op < 224) {
        Recipe(scene, in);
      } else {
        scene.Draw(static_cast<int32_t>(in.Below(64)), static_cast<int32_t>(in.Below(64)));
      }
    });
  }
  scene.Step([&] { scene.Draw(120, 90); });
  return 0;
}
