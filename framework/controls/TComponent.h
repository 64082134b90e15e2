#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace fw {

enum TOperation { opInsert, opRemove };

/// Component state flags (a set: bit flags, empty set 0).
enum TComponentStateFlag : uint32_t {
  csLoading = 1u << 0,     ///< properties are being read from a stored layout
  csDestroying = 1u << 1,  ///< the destructor runs
  csReading = 1u << 2,
};

/// A named object that may own other components. The owner frees what it owns, last created
/// first; a component freed before its owner removes itself from the owner's list, and every
/// component that asked for a free notification hears of it through Notification(opRemove).
class TComponent {
public:
  explicit TComponent(TComponent* owner = nullptr);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  const std::string& Name() const { return mName; }
  virtual void SetName(const std::string& name);

  /// A free value for the program's own use (pointer-sized); the framework never reads it.
  intptr_t Tag() const { return mTag; }
  void SetTag(intptr_t tag) { mTag = tag; }

  TComponent* Owner() const { return mOwner; }
  int ComponentCount() const { return static_cast<int>(mComponents.size()); }
  TComponent* Components(int index) const;
  /// Owned component of that name (case-insensitive), or nullptr.
  TComponent* FindComponent(const std::string& name) const;

  uint32_t ComponentState() const { return mComponentState; }
  bool IsLoading() const { return (mComponentState & csLoading) != 0; }
  bool IsDestroying() const { return (mComponentState & csDestroying) != 0; }
  /// Marks the component as being read from a stored layout (range checks between paired
  /// settings are skipped meanwhile).
  void SetLoading();
  /// Called once the stored layout has been read; clears the loading state.
  virtual void Loaded();

  /// Asks to be told (Notification with opRemove) when `other` is freed; mutual.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

  /// Class name as the stored layout names it (e.g. "TChart").
  virtual std::string ClassName() const { return "TComponent"; }

protected:
  /// Told when a component this one owns or watches is inserted or removed.
  virtual void Notification(TComponent* component, TOperation operation);
  void SetDestroying() { mComponentState |= csDestroying; }

private:
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);

  std::string mName;
  TComponent* mOwner = nullptr;
  std::vector<TComponent*> mComponents;     // owned
  std::vector<TComponent*> mFreeNotifies;   // not owned; told when this one dies
  uint32_t mComponentState = 0;
  intptr_t mTag = 0;
};

}  // namespace fw
