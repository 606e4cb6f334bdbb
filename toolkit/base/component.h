#pragma once
// Persistent objects and components: ownership, names and the Tag.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/base/typeinfo.h"

// The plain event of every component: who sent it.
using TNotifyEvent = std::function<void(TObject* sender)>;

// An object whose published properties can be streamed and assigned.
class TPersistent : public TObject {
  TK_CLASS(TPersistent)
public:
  // Copies another persistent of a compatible class; raises EPropertyError otherwise.
  virtual void Assign(const TPersistent& source);
};

// An item a control keeps in a collection (a status panel, a list column):
// each property setter keeps the value and tells the owner through Changed().
class TOwnedItem : public TPersistent {
protected:
  virtual void Changed() = 0;
  template <class T, class V>
  void SetAndNotify(T& field, V&& value) {
    field = std::forward<V>(value);
    Changed();
  }
};

enum class TOperation { opInsert, opRemove };

// A component owns the components created with it as owner and frees them
// (last created first) when it goes; each owned component is unregistered
// from its owner before it is destroyed, whoever destroys it.
//
// Owned components go while their owner is still whole: each class whose
// destructor has parts an owned component may use calls DestroyComponents()
// first (the most derived destructor runs first, so it does the work).
class TComponent : public TPersistent {
  TK_CLASS(TComponent)
public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  const std::string& GetName() const { return name_; }
  void SetName(const std::string& name);
  long long GetTag() const { return tag_; }
  void SetTag(long long tag) { tag_ = tag; }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_.at(static_cast<std::size_t>(index)); }
  int ComponentIndex() const;  // position in the owner's list, -1 without owner
  // Frees every owned component, last created first.
  void DestroyComponents();
  TComponent* FindComponent(const std::string& name) const;  // case-insensitive, owned only

  // Called while the component is being destroyed (destructors running).
  bool Destroying() const { return destroying_; }
  // Called once after streaming from a form definition.
  virtual void Loaded() {}
  bool IsLoading() const { return loading_; }
  void SetLoading(bool loading) { loading_ = loading; }

  // Another component tells of its insertion or removal (FreeNotification).
  virtual void Notification(TComponent* component, TOperation operation) {}
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

  // Moves this component to another owner.
  void ChangeOwner(TComponent* newOwner);

  // Streaming hooks of the form reader: the component nested around this one in a
  // form definition (a control's parent, a menu item's parent item), and the
  // event handler published under a name by the root component (a std::function
  // of the event's type, empty when there is none).
  virtual void SetParentComponent(TComponent* parent) {}
  virtual std::any MethodAddress(const std::string& name) const { return {}; }

protected:
  void BeginDestroy() { destroying_ = true; }

private:
  void InsertComponent(TComponent* c);
  void RemoveComponent(TComponent* c);

  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  std::string name_;
  long long tag_ = 0;
  bool destroying_ = false;
  bool loading_ = false;
};

template <class T>
T* dyn(TObject* o) { return dynamic_cast<T*>(o); }
