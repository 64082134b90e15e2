#include "framework/controls/TComponent.h"

#include <gtest/gtest.h>

namespace {

struct Watcher : fw::TComponent {
  using TComponent::TComponent;
  std::vector<fw::TComponent*> removed;
  void Notification(fw::TComponent* c, fw::TOperation op) override {
    if (op == fw::opRemove) removed.push_back(c);
  }
};

struct Counted : fw::TComponent {
  Counted(fw::TComponent* owner, int& deaths) : TComponent(owner), Deaths(deaths) {}
  ~Counted() override { ++Deaths; }
  int& Deaths;
};

}  // namespace

TEST(TComponent, OwnerFreesOwnedComponentsAndFindsThemByName) {
  int deaths = 0;
  {
    fw::TComponent owner;
    auto* a = new Counted(&owner, deaths);
    auto* b = new Counted(&owner, deaths);
    a->SetName("Series1");
    b->SetName("Chart1");
    EXPECT_EQ(owner.ComponentCount(), 2);
    EXPECT_EQ(owner.FindComponent("series1"), a);
    EXPECT_EQ(owner.FindComponent("Nothing"), nullptr);
    EXPECT_EQ(owner.Components(5), nullptr);
    EXPECT_EQ(a->Owner(), &owner);
  }
  EXPECT_EQ(deaths, 2);
}

TEST(TComponent, ComponentFreedFirstLeavesOwnerAndTellsWatchers) {
  fw::TComponent owner;
  Watcher watcher;
  auto* child = new fw::TComponent(&owner);
  child->FreeNotification(&watcher);
  delete child;
  EXPECT_EQ(owner.ComponentCount(), 0);
  ASSERT_EQ(watcher.removed.size(), 1u);
  EXPECT_EQ(watcher.removed[0], child);
}

TEST(TComponent, LoadingStateEndsWithLoaded) {
  fw::TComponent c;
  EXPECT_FALSE(c.IsLoading());
  c.SetLoading();
  EXPECT_TRUE(c.IsLoading());
  c.Loaded();
  EXPECT_FALSE(c.IsLoading());
}
