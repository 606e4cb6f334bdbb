#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/base/component.h"

namespace {

std::vector<std::string> gLog;

// A window-like owner whose derived part holds state its helpers use.
class TOwnerWithState : public TComponent {
public:
  explicit TOwnerWithState(TComponent* owner) : TComponent(owner), colour_(new int(7)) {}
  ~TOwnerWithState() override {
    DestroyComponents();
    gLog.push_back("owner state gone");
    delete colour_;
    colour_ = nullptr;
  }
  int* colour_;
};

// A helper that gives its owner back what it changed when it goes, as a skin
// object gives a control its colour and message method back.
class TRestorer : public TComponent {
public:
  TRestorer(TComponent* owner, const std::string& name) : TComponent(owner) { SetName(name); }
  ~TRestorer() override {
    auto* o = dynamic_cast<TOwnerWithState*>(Owner());
    gLog.push_back(GetName() + (o && o->colour_ ? " restores" : " finds its owner gone"));
    if (o && o->colour_) *o->colour_ = 0;
  }
};

TEST(Components, OwnedComponentsGoWhileTheirOwnerIsWhole) {
  gLog.clear();
  {
    TComponent root(nullptr);
    auto* owner = new TOwnerWithState(&root);
    new TRestorer(owner, "first");
    new TRestorer(owner, "second");
    auto* inner = new TOwnerWithState(owner);
    new TRestorer(inner, "inner");
    EXPECT_EQ(owner->ComponentCount(), 3);
  }
  EXPECT_EQ(gLog, (std::vector<std::string>{"inner restores", "owner state gone", "second restores",
                                            "first restores", "owner state gone"}));
}

TEST(Components, DestroyComponentsLeavesTheOwnerUsable) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  new TComponent(a);
  new TComponent(&owner);
  owner.DestroyComponents();
  EXPECT_EQ(owner.ComponentCount(), 0);
  auto* again = new TComponent(&owner);
  again->SetName("again");
  EXPECT_EQ(owner.FindComponent("AGAIN"), again);
  owner.DestroyComponents();
  owner.DestroyComponents();
  EXPECT_EQ(owner.ComponentCount(), 0);
}

}  // namespace
