#include "framework/controls/TWinControl.h"

#include <algorithm>
#include <unordered_map>

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include "framework/controls/NativeControl.h"
#include "framework/controls/TForm.h"
#include "framework/runtime/Exception.h"

namespace fw {

namespace {

// The control of each window that last took the focus from another control of the same
// window (not the one that merely got it back when the window was activated again).
std::unordered_map<const QWidget*, QPointer<QWidget>>& ActiveControls() {
  static std::unordered_map<const QWidget*, QPointer<QWidget>> map;
  return map;
}

bool IsActivationReason(int reason) {
  return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

// Focus moves while a window takes itself apart; those moves are no enters or exits.
bool BeingDestroyed(const TControl* control) {
  for (const TControl* c = control; c; c = c->Parent())
    if (c->IsDestroying()) return true;
  return false;
}

bool UsableForFocus(const QWidget* widget) {
  return widget && detail::ControlOf(widget) && widget->isVisible() && widget->isEnabled();
}

void CollectTabChain(const TWinControl& container, const QWidget* window, std::vector<QWidget*>& chain) {
  for (TWinControl* child : container.TabList()) {
    QWidget* w = detail::WidgetOf(child);
    if (!w || w->window() != window) continue;
    if (w->focusPolicy() & Qt::TabFocus) chain.push_back(w);
    CollectTabChain(*child, window, chain);
  }
}

}  // namespace

namespace detail {

void WinControlFocusIn(TWinControl* control, int reason) {
  QWidget* widget = WidgetOf(control);
  if (!widget || BeingDestroyed(control)) return;
  QPointer<QWidget>& active = ActiveControls()[widget->window()];
  if (active == widget) return;
  // The focus returning with its window is no enter while the window's control is still there.
  if (IsActivationReason(reason) && UsableForFocus(active)) return;
  active = widget;
  Guarded([&] { control->DoEnter(); });
}

void WinControlFocusOut(TWinControl* control, int reason) {
  if (IsActivationReason(reason)) return;
  QWidget* widget = WidgetOf(control);
  if (!widget || BeingDestroyed(control)) return;
  const QWidget* window = widget->window();
  auto it = ActiveControls().find(window);
  if (it == ActiveControls().end() || it->second != widget) return;
  const QWidget* next = QApplication::focusWidget();
  if (!next || next == widget || next->window() != window) return;
  Guarded([&] { control->DoExit(); });
}

}  // namespace detail

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  SetDestroying();
  // Children with an owner are freed by it; those without one go with their parent.
  while (!mControls.empty()) {
    TControl* child = mControls.back();
    if (child->Owner())
      child->SetParent(nullptr);
    else
      delete child;
  }
  // Leave the parent while this is still a windowed control, so that its tab list lets go too.
  if (TWinControl* parent = Parent()) {
    parent->RemoveControl(this);
    mParent = nullptr;
  }
}

TControl* TWinControl::Controls(int index) const {
  if (index < 0 || index >= ControlCount()) return nullptr;
  return mControls[static_cast<size_t>(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (const TControl* c = control; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

void TWinControl::InsertControl(TControl* control) {
  mControls.push_back(control);
  auto* win = dynamic_cast<TWinControl*>(control);
  if (!win) return;
  mTabList.push_back(win);
  // A control read from a stored layout keeps its stored number until loading finishes.
  if (win->IsLoading() || IsLoading()) return;
  RenumberTabList();
  ApplyTabChain();
}

void TWinControl::RemoveControl(TControl* control) {
  mControls.erase(std::remove(mControls.begin(), mControls.end(), control), mControls.end());
  auto* win = dynamic_cast<TWinControl*>(control);
  if (!win) return;
  mTabList.erase(std::remove(mTabList.begin(), mTabList.end(), win), mTabList.end());
  win->mTabOrder = -1;
  if (IsLoading() || IsDestroying()) return;
  RenumberTabList();
}

void TWinControl::SetTabOrder(int value) {
  TWinControl* parent = Parent();
  if (IsLoading() || !parent || parent->IsLoading()) {
    mTabOrder = value;
    return;
  }
  parent->MoveInTabList(this, value);
  parent->ApplyTabChain();
}

void TWinControl::MoveInTabList(TWinControl* child, int position) {
  auto it = std::find(mTabList.begin(), mTabList.end(), child);
  if (it == mTabList.end()) return;
  mTabList.erase(it);
  const int count = static_cast<int>(mTabList.size());
  if (position < 0 || position > count) position = count;
  mTabList.insert(mTabList.begin() + position, child);
  RenumberTabList();
}

void TWinControl::RenumberTabList() {
  for (size_t i = 0; i < mTabList.size(); ++i) mTabList[i]->mTabOrder = static_cast<int>(i);
}

void TWinControl::FixupTabList() {
  // Unnumbered controls (-1) go after the numbered ones.
  std::stable_sort(mTabList.begin(), mTabList.end(), [](const TWinControl* a, const TWinControl* b) {
    const unsigned ka = static_cast<unsigned>(a->mTabOrder);
    const unsigned kb = static_cast<unsigned>(b->mTabOrder);
    return ka < kb;
  });
  RenumberTabList();
}

void TWinControl::ApplyTabChain() {
  if (IsDestroying()) return;
  const TWinControl* root = this;
  while (root->Parent()) root = root->Parent();
  const QWidget* rootWidget = detail::WidgetOf(root);
  if (!rootWidget) return;
  std::vector<QWidget*> chain;
  CollectTabChain(*root, rootWidget->window(), chain);
  for (size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void TWinControl::SetTabStop(bool value) {
  if (value == mTabStop) return;
  mTabStop = value;
  UpdateFocusPolicy();
  if (Parent() && !IsLoading()) Parent()->ApplyTabChain();
}

void TWinControl::UpdateFocusPolicy() {
  QWidget* w = detail::WidgetOf(this);
  if (!w) return;
  w->setFocusPolicy(mTabStop ? Qt::StrongFocus : AcceptsFocus() ? Qt::ClickFocus : Qt::NoFocus);
}

void TWinControl::WidgetBound() { UpdateFocusPolicy(); }

void TWinControl::Loaded() {
  TControl::Loaded();
  FixupTabList();
  if (Parent()) Parent()->FixupTabList();
  ApplyTabChain();
}

bool TWinControl::Focused() const {
  const QWidget* w = detail::WidgetOf(this);
  return w && w->hasFocus();
}

bool TWinControl::CanFocus() const {
  if (!detail::WidgetOf(this)) return false;
  // The form itself may still be hidden: the focus then waits for it to be shown.
  const TControl* c = this;
  for (; c->Parent(); c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return dynamic_cast<const TForm*>(c) != nullptr;
}

void TWinControl::SetFocus() {
  if (!CanFocus()) throw Exception("Cannot focus a disabled or invisible window");
  detail::WidgetOf(this)->setFocus(Qt::OtherFocusReason);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  for (TControl* child : mControls) child->ParentFontChanged();
}

void TWinControl::ColorChanged() {
  TControl::ColorChanged();
  for (TControl* child : mControls) child->ParentColorChanged();
}

void TWinControl::ParentShowHintChanged() {
  TControl::ParentShowHintChanged();
  for (TControl* child : mControls)
    if (child->ParentShowHint()) child->ParentShowHintChanged();
}

}  // namespace fw
