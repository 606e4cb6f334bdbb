#include "toolkit/base/component.h"

#include <algorithm>

#include "toolkit/base/sysutils.h"

const TClassInfo& TPersistent::StaticClass() {
  static const TClassInfo info = TClassBuilder<TPersistent>("TPersistent", &TObject::StaticClass()).Build();
  return info;
}

void TPersistent::Assign(const TPersistent& source) {
  throw EPropertyError("cannot assign a " + source.ClassName() + " to a " + ClassName());
}

const TClassInfo& TComponent::StaticClass() {
  static const TClassInfo info = TClassBuilder<TComponent>("TComponent", &TPersistent::StaticClass())
                                     .Prop("Name", &TComponent::GetName)
                                     .Prop("Tag", &TComponent::GetTag, &TComponent::SetTag)
                                     .Build();
  return info;
}

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  destroying_ = true;
  for (TComponent* c : std::vector<TComponent*>(freeNotifies_)) {
    c->Notification(this, TOperation::opRemove);
    auto& back = c->freeNotifies_;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
  }
  freeNotifies_.clear();
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
  // Each leaves our list as it goes.
  while (!components_.empty()) delete components_.back();
}

void TComponent::SetName(const std::string& name) { name_ = name; }

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  auto& v = owner_->components_;
  auto it = std::find(v.begin(), v.end(), this);
  return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameText(c->name_, name)) return c;
  return nullptr;
}

void TComponent::FreeNotification(TComponent* other) {
  if (!other || other == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end()) {
    freeNotifies_.push_back(other);
    other->freeNotifies_.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), other), freeNotifies_.end());
  if (other)
    other->freeNotifies_.erase(std::remove(other->freeNotifies_.begin(), other->freeNotifies_.end(), this),
                               other->freeNotifies_.end());
}

void TComponent::ChangeOwner(TComponent* newOwner) {
  if (owner_ == newOwner) return;
  if (owner_) owner_->RemoveComponent(this);
  if (newOwner) newOwner->InsertComponent(this);
}

void TComponent::InsertComponent(TComponent* c) {
  components_.push_back(c);
  c->owner_ = this;
  Notification(c, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* c) {
  Notification(c, TOperation::opRemove);
  components_.erase(std::remove(components_.begin(), components_.end(), c), components_.end());
  c->owner_ = nullptr;
}
