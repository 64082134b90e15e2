// The main window with settings at the ends of their range: every accepted value draws a whole
// frame without arithmetic overflow (the sanitizer build stops on any), every rejected one
// keeps the old value.
#include <QApplication>
#include <QPixmap>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "app/Main.h"
#include "chart/axes/TChartAxis.h"
#include "chart/canvas/TChartPen.h"
#include "chart/panel/TCustomChart.h"
#include "framework/controls/TButton.h"
#include "framework/controls/TLabeledEdit.h"
#include "framework/graphics/TBitmap.h"
#include "framework/graphics/TFont.h"
#include "framework/streaming/EmbeddedForms.h"
#include "framework/streaming/TClassInfo.h"
#include "framework/streaming/TClassRegistry.h"
#include "tests/framework/controls/ControlTestSupport.h"

using ctltest::W;

namespace {

constexpr int32_t Min32 = std::numeric_limits<int32_t>::min();
constexpr int32_t Max32 = std::numeric_limits<int32_t>::max();

/// The main window's layout with one line replaced (the text must occur once).
std::string LayoutWith(const std::string& from, const std::string& to) {
  std::string text = EmbeddedMainForm();
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  EXPECT_EQ(text.find(from, at + 1), std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

struct ExtremeValues : ::testing::Test {
  app::TForm1* form = nullptr;

  void Open(const std::string& layout) {
    form = new app::TForm1(nullptr, layout);
    form->AfterConstruction();
    form->Show();
    QApplication::processEvents();
  }
  void TearDown() override { delete form; }

  /// The chart's frame off screen for the chart and its series; a control painted by Qt; the
  /// window's own settings: the whole window.
  void DrawOwner(fw::TComponent* owner) {
    if (owner == form) return DrawEverything();
    if (owner == form->Chart1 || !dynamic_cast<fw::TControl*>(owner)) {
      fw::TBitmap image(200, 150);
      form->Chart1->DrawToCanvas(image.Canvas(), fw::TRect{0, 0, 200, 150});
      return;
    }
    EXPECT_FALSE(W(static_cast<fw::TControl*>(owner))->grab().isNull());
  }

  /// The chart's frame drawn off screen, then the whole window painted through Qt.
  void DrawEverything() {
    fw::TBitmap image(400, 300);
    form->Chart1->DrawToCanvas(image.Canvas(), fw::TRect{0, 0, 400, 300});
    form->Chart1->Invalidate();
    const QPixmap shot = W(form)->grab();
    EXPECT_FALSE(shot.isNull());
  }
};

}  // namespace

// ---- the listed cases ---------------------------------------------------------------------------

TEST_F(ExtremeValues, AControlAsWideAsTheIntegerRangeInALayout) {
  Open(LayoutWith("      Width = 961\n", "      Width = 2147483647\n"));
  EXPECT_EQ(form->Chart1->Left(), 20);
  EXPECT_EQ(form->Chart1->Width(), Max32);
  DrawEverything();
  form->Button1->SetBounds(Max32, Max32, Max32, Max32);
  form->Button1->SetBounds(Min32, Min32, Max32, Max32);
  form->LabeledEdit1->SetBounds(Max32, Min32, Max32, Max32);
  form->LabeledEdit1->SetLabelSpacing(Max32);
  for (const fw::TLabelPosition p : {fw::lpAbove, fw::lpBelow, fw::lpLeft, fw::lpRight}) {
    form->LabeledEdit1->SetLabelPosition(p);
    form->LabeledEdit1->SetBounds(Min32, Max32, Max32, 0);
  }
  DrawEverything();
}

TEST_F(ExtremeValues, TickLengthsAndAxisPenWidthsInCode) {
  Open(EmbeddedMainForm());
  chart::TChart& chart = *form->Chart1;
  for (const int32_t v : {Max32, Min32}) {
    for (chart::TChartAxis* axis : {&chart.LeftAxis(), &chart.BottomAxis(), &chart.TopAxis(), &chart.RightAxis()}) {
      axis->SetTickLength(v);
      axis->SetMinorTickLength(v);
      axis->SetTickInnerLength(v);
      axis->TicksInner().SetVisible(true);
      axis->MinorTicks().SetVisible(true);
      EXPECT_EQ(axis->TickLength(), v);
    }
    DrawEverything();
    chart.SetView3D(true);
    DrawEverything();
    chart.SetView3D(false);
  }
  // A pen is never narrower than 0: the most negative width is refused and the old one kept.
  chart.LeftAxis().Axis().SetWidth(Max32);
  chart.BottomAxis().Ticks().SetWidth(Max32);
  EXPECT_EQ(chart.LeftAxis().Axis().Width(), Max32);
  EXPECT_ANY_THROW(chart.LeftAxis().Axis().SetWidth(Min32));
  EXPECT_EQ(chart.LeftAxis().Axis().Width(), Max32);
  DrawEverything();
}

TEST_F(ExtremeValues, TickLengthsAndAxisPenWidthsInALayout) {
  Open(LayoutWith("      LeftAxis.Increment = 10\n",
                  "      LeftAxis.Increment = 10\n"
                  "      LeftAxis.TickLength = 2147483647\n"
                  "      LeftAxis.MinorTickLength = -2147483648\n"
                  "      LeftAxis.TickInnerLength = -2147483648\n"
                  "      LeftAxis.TicksInner.Visible = True\n"
                  "      LeftAxis.Axis.Width = 2147483647\n"
                  "      BottomAxis.TickLength = -2147483648\n"
                  "      BottomAxis.TickInnerLength = 2147483647\n"
                  "      BottomAxis.MinorTickLength = 2147483647\n"));
  EXPECT_EQ(form->Chart1->LeftAxis().TickLength(), Max32);
  EXPECT_EQ(form->Chart1->BottomAxis().TickLength(), Min32);
  EXPECT_EQ(form->Chart1->LeftAxis().Axis().Width(), Max32);
  DrawEverything();
}

TEST_F(ExtremeValues, FontHeightsThatReachAControl) {
  Open(EmbeddedMainForm());
  for (const int32_t h : {Min32, 100000, Max32, -100000, 1, -1}) {
    form->Font().SetHeight(h);
    form->Button1->Font().SetHeight(h);
    form->LabeledEdit1->EditLabel().Font().SetHeight(h);
    form->Chart1->Title().Font().SetHeight(h);
    EXPECT_EQ(form->Button1->Font().Height(), h);
    DrawEverything();
  }
}

// ---- every published setting of the window ---------------------------------------------------

namespace {

struct TSetting {
  std::string Path;
  const fw::TPropInfo* Info;
  void* Self;
  fw::TComponent* Owner;
};

void CollectSettings(fw::TComponent* owner, const fw::TClassInfo& info, void* self, const std::string& prefix,
                     std::vector<TSetting>& out, int depth) {
  for (const auto& bound : info.AllProperties(self)) {
    const fw::TPropInfo& p = *bound.Info;
    const std::string path = prefix + p.Name;
    if (p.Kind == fw::pkSubObject) {
      void* child = p.GetObject(bound.Self);
      const fw::TClassInfo* childInfo = fw::TClassRegistry::Instance().FindByType(p.ObjectType);
      if (child && childInfo && depth < 6) CollectSettings(owner, *childInfo, child, path + ".", out, depth + 1);
    } else if (p.Kind == fw::pkInteger || p.Kind == fw::pkReal) {
      out.push_back({path, &p, bound.Self, owner});
    }
  }
}

// The window's own size and position move a real top-level window; those of its controls are
// covered above. Everything else takes its extremes here.
bool IsGeometry(const std::string& name) {
  for (const char* g : {"Left", "Top", "Width", "Height", "ClientWidth", "ClientHeight"})
    if (name == g) return true;
  return false;
}

}  // namespace

TEST_F(ExtremeValues, EveryWholeNumberAndRealSettingAtItsEnds) {
  Open(EmbeddedMainForm());
  std::vector<TSetting> settings;
  std::vector<fw::TComponent*> components{form};
  for (int i = 0; i < form->ComponentCount(); ++i) components.push_back(form->Components(i));
  for (fw::TComponent* c : components) {
    const fw::TClassInfo* info = fw::TClassRegistry::Instance().FindByName(c->ClassName());
    ASSERT_NE(info, nullptr) << c->ClassName();
    CollectSettings(c, *info, info->FromComponent(c), c->Name() + ".", settings, 0);
  }
  ASSERT_GT(settings.size(), 100u);

  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  int accepted = 0;
  for (const TSetting& s : settings) {
    const fw::TPropInfo& p = *s.Info;
    if (IsGeometry(p.Name)) continue;
    SCOPED_TRACE(s.Path);
    if (p.Kind == fw::pkInteger) {
      const int64_t old = p.GetOrdinal(s.Self);
      for (const int64_t v : {std::max<int64_t>(p.MinValue, Min32), std::min<int64_t>(p.MaxValue, Max32)}) {
        try {
          p.SetOrdinal(s.Self, v);
          ++accepted;
        } catch (const std::exception&) {
          EXPECT_EQ(p.GetOrdinal(s.Self), old) << "a refused " << v << " changed the value";
          continue;
        }
        DrawOwner(s.Owner);
        p.SetOrdinal(s.Self, old);
      }
    } else {
      const double old = p.GetReal(s.Self);
      for (const double v : {nan, inf, -1e308, 4.9e-324}) {
        try {
          p.SetReal(s.Self, v);
          ++accepted;
        } catch (const std::exception&) {
          const double now = p.GetReal(s.Self);
          EXPECT_TRUE(now == old || (std::isnan(now) && std::isnan(old))) << "a refused " << v << " changed the value";
          continue;
        }
        DrawOwner(s.Owner);
        p.SetReal(s.Self, old);
      }
    }
  }
  EXPECT_GT(accepted, 100);
}
