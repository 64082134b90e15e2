#include "framework/controls/TWinControl.h"

#include "ControlTestSupport.h"
#include "framework/controls/TButton.h"
#include "framework/controls/TCheckBox.h"
#include "framework/controls/TEdit.h"
#include "framework/controls/TPanel.h"
#include "framework/runtime/Exception.h"

using ctltest::W;

namespace {

std::vector<std::string> Names(const fw::TWinControl& parent) {
  std::vector<std::string> names;
  for (const fw::TWinControl* c : parent.TabList()) names.push_back(c->Name() + "=" + std::to_string(c->TabOrder()));
  return names;
}

fw::TEdit* NewEdit(fw::TForm& form, fw::TWinControl& parent, const char* name, int left) {
  auto* e = new fw::TEdit(&form);
  e->SetName(name);
  e->SetParent(&parent);
  e->SetLeft(left);
  return e;
}

}  // namespace

TEST(TabOrder, SettingMovesTheControlAndRenumbersItsSiblings) {
  fw::TForm form;
  fw::TEdit* a = NewEdit(form, form, "A", 0);
  NewEdit(form, form, "B", 130);
  fw::TEdit* c = NewEdit(form, form, "C", 260);
  EXPECT_EQ(Names(form), (std::vector<std::string>{"A=0", "B=1", "C=2"}));
  c->SetTabOrder(0);
  EXPECT_EQ(Names(form), (std::vector<std::string>{"C=0", "A=1", "B=2"}));
  a->SetTabOrder(99);
  EXPECT_EQ(Names(form), (std::vector<std::string>{"C=0", "B=1", "A=2"}));
  delete c;
  EXPECT_EQ(Names(form), (std::vector<std::string>{"B=0", "A=1"}));
}

TEST(TabOrder, StoredNumbersAreSortedWhenLoadingFinishes) {
  fw::TForm form;
  fw::TPanel* panel = new fw::TPanel(&form);
  panel->SetParent(&form);
  std::vector<fw::TEdit*> edits;
  const std::vector<std::pair<const char*, int>> stored = {{"Edit1", 7}, {"LabeledEdit1", 1}, {"LabeledEdit3", 2},
                                                           {"CheckBox1", 3}};
  for (const auto& [name, order] : stored) {
    auto* e = new fw::TEdit(&form);
    e->SetLoading();
    e->SetName(name);
    e->SetParent(panel);
    e->SetTabOrder(order);
    edits.push_back(e);
  }
  for (fw::TEdit* e : edits) e->Loaded();
  EXPECT_EQ(Names(*panel),
            (std::vector<std::string>{"LabeledEdit1=0", "LabeledEdit3=1", "CheckBox1=2", "Edit1=3"}));
}

TEST(TabOrder, TabMovesTheFocusInTabOrderThroughAPanel) {
  fw::TForm form;
  form.SetBounds(0, 0, 700, 200);
  auto* panel = new fw::TPanel(&form);
  panel->SetParent(&form);
  panel->SetBounds(0, 0, 680, 100);
  fw::TEdit* hidden = NewEdit(form, *panel, "Edit1", 168);
  fw::TEdit* length = NewEdit(form, *panel, "Length", 19);
  fw::TEdit* velocity = NewEdit(form, *panel, "Velocity", 166);
  auto* check = new fw::TCheckBox(&form);
  check->SetParent(panel);
  auto* start = new fw::TButton(&form);
  start->SetParent(panel);
  hidden->SetTabOrder(4);
  ASSERT_TRUE(ctltest::ShowActive(form));
  length->SetFocus();
  QApplication::processEvents();
  std::vector<fw::TWinControl*> visited;
  for (int i = 0; i < 5; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    for (fw::TWinControl* c : std::initializer_list<fw::TWinControl*>{hidden, length, velocity, check, start})
      if (c->Focused()) visited.push_back(c);
  }
  EXPECT_EQ(visited, (std::vector<fw::TWinControl*>{velocity, check, start, hidden, length}));
}

TEST(TWinControl, FocusNeedsAVisibleEnabledChain) {
  fw::TForm form;
  auto* panel = new fw::TPanel(&form);
  panel->SetParent(&form);
  fw::TEdit* edit = NewEdit(form, *panel, "E", 0);
  EXPECT_TRUE(edit->CanFocus());
  panel->SetEnabled(false);
  EXPECT_FALSE(edit->CanFocus());
  EXPECT_THROW(edit->SetFocus(), fw::Exception);
  panel->SetEnabled(true);
  edit->SetVisible(false);
  EXPECT_FALSE(edit->CanFocus());
}

TEST(TWinControl, ParentingRulesAndFreeing) {
  fw::TForm form;
  auto* panel = new fw::TPanel(&form);
  panel->SetParent(&form);
  EXPECT_THROW(panel->SetParent(panel), fw::Exception);
  auto* inner = new fw::TPanel(&form);
  inner->SetParent(panel);
  EXPECT_THROW(panel->SetParent(inner), fw::Exception);
  EXPECT_EQ(panel->Parent(), &form);
  EXPECT_TRUE(form.ContainsControl(inner));
  // A control without owner goes with its parent; an owned one is left to its owner.
  auto* orphan = new fw::TEdit(nullptr);
  orphan->SetParent(panel);
  delete panel;
  EXPECT_EQ(inner->Parent(), nullptr);
  EXPECT_EQ(form.ControlCount(), 0);
}

TEST(TControl, HintsShowAsToolTipsWhenHintsAreOn) {
  fw::TForm form;
  auto* panel = new fw::TPanel(&form);
  panel->SetParent(&form);
  fw::TEdit* edit = NewEdit(form, *panel, "E", 0);
  edit->SetHint("Min: 100,  Max:2000|long text");
  EXPECT_TRUE(W(edit)->toolTip().isEmpty());
  panel->SetShowHint(true);
  EXPECT_TRUE(edit->ParentShowHint());
  EXPECT_EQ(W(edit)->toolTip(), QString("Min: 100,  Max:2000"));
  edit->SetShowHint(true);
  edit->SetParentShowHint(false);
  panel->SetShowHint(false);
  EXPECT_EQ(W(edit)->toolTip(), QString("Min: 100,  Max:2000"));
  edit->SetShowHint(false);
  EXPECT_TRUE(W(edit)->toolTip().isEmpty());
}

TEST(TCheckBox, ClickFollowsEveryChangeOfChecked) {
  fw::TForm form;
  auto* box = new fw::TCheckBox(&form);
  box->SetParent(&form);
  box->SetCaption("Stop horizontal movement!");
  box->SetWidth(211);
  int clicks = 0;
  box->OnClick = [&](fw::TComponent*) { ++clicks; };
  box->SetChecked(true);
  box->SetChecked(true);
  EXPECT_EQ(clicks, 1);
  form.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(W(&form)));
  QTest::mouseClick(W(box), Qt::LeftButton, {}, QPoint(6, 8));
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(clicks, 2);
  box->SetLoading();
  box->SetChecked(true);
  box->Loaded();
  EXPECT_EQ(clicks, 2);
  EXPECT_TRUE(W(box)->property("checked").toBool());
}

TEST(TButton, ClickRunsTheHandlerOnlyWhenEnabled) {
  fw::TForm form;
  auto* button = new fw::TButton(&form);
  button->SetParent(&form);
  button->SetCaption("Start");
  int clicks = 0;
  button->OnClick = [&](fw::TComponent*) { ++clicks; };
  form.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(W(&form)));
  QTest::mouseClick(W(button), Qt::LeftButton);
  button->SetEnabled(false);
  QTest::mouseClick(W(button), Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(W(button)->property("text").toString(), QString("Start"));
}
