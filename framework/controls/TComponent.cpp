#include "framework/controls/TComponent.h"

#include <algorithm>
#include <cctype>

namespace fw {

namespace {
bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}
}  // namespace

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  mComponentState |= csDestroying;
  // Tell every watcher first, so that nobody keeps a pointer to a half-destroyed object.
  while (!mFreeNotifies.empty()) {
    TComponent* other = mFreeNotifies.back();
    mFreeNotifies.pop_back();
    auto& theirs = other->mFreeNotifies;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    other->Notification(this, opRemove);
  }
  while (!mComponents.empty()) {
    TComponent* child = mComponents.back();
    RemoveComponent(child);
    delete child;
  }
  if (mOwner) mOwner->RemoveComponent(this);
}

void TComponent::SetName(const std::string& name) { mName = name; }

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) return nullptr;
  return mComponents[static_cast<size_t>(index)];
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : mComponents)
    if (SameText(c->mName, name)) return c;
  return nullptr;
}

void TComponent::SetLoading() { mComponentState |= csLoading; }

void TComponent::Loaded() { mComponentState &= ~static_cast<uint32_t>(csLoading); }

void TComponent::FreeNotification(TComponent* other) {
  if (!other || other == this) return;
  if (std::find(mFreeNotifies.begin(), mFreeNotifies.end(), other) == mFreeNotifies.end())
    mFreeNotifies.push_back(other);
  auto& theirs = other->mFreeNotifies;
  if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  if (!other) return;
  mFreeNotifies.erase(std::remove(mFreeNotifies.begin(), mFreeNotifies.end(), other), mFreeNotifies.end());
  auto& theirs = other->mFreeNotifies;
  theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::InsertComponent(TComponent* component) {
  mComponents.push_back(component);
  component->mOwner = this;
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  auto it = std::find(mComponents.begin(), mComponents.end(), component);
  if (it == mComponents.end()) return;
  if (!IsDestroying()) Notification(component, opRemove);
  mComponents.erase(it);
  component->mOwner = nullptr;
}

}  // namespace fw
