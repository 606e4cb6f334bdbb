#pragma once
// Collections: ordered lists of items that carry their own published properties
// (list-view columns and the like), so a form definition can stream them.
#include <functional>
#include <memory>
#include <vector>

#include "toolkit/base/component.h"

class TCollection;

// An index outside a collection.
class ECollectionError : public Exception {
public:
  using Exception::Exception;
};

class TCollectionItem : public TPersistent {
  TK_CLASS(TCollectionItem)
public:
  TCollectionItem() = default;
  // An item deleted on its own leaves its collection first.
  ~TCollectionItem() override;
  TCollectionItem(const TCollectionItem&) = delete;
  TCollectionItem& operator=(const TCollectionItem&) = delete;

  TCollection* Collection() const { return collection_; }
  int Index() const;  // -1 outside a collection

protected:
  // Tells the collection that this item changed (its Update runs).
  void Changed();

private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
};

class TCollection : public TPersistent {
  TK_CLASS(TCollection)
public:
  // Makes a new item of the collection's item class.
  using TItemFactory = std::function<std::unique_ptr<TCollectionItem>()>;
  // Called after a change: item is the changed item, or null when the list itself changed.
  using TChangeEvent = std::function<void(TCollection& sender, TCollectionItem* item)>;

  explicit TCollection(TItemFactory factory);
  ~TCollection() override;
  TCollection(const TCollection&) = delete;
  TCollection& operator=(const TCollection&) = delete;

  TCollectionItem* Add();
  void Clear();
  void Delete(int index);  // raises ECollectionError when out of range
  int Count() const { return static_cast<int>(items_.size()); }
  TCollectionItem* Items(int index) const;  // raises ECollectionError when out of range
  int IndexOf(const TCollectionItem* item) const;

  // Changes between BeginUpdate and the last EndUpdate are told once, as a list change.
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  TChangeEvent OnChange;

protected:
  // Runs OnChange; owners override it to refresh what shows the items.
  virtual void Update(TCollectionItem* item);

private:
  friend class TCollectionItem;
  void Changed(TCollectionItem* item);
  void Detach(TCollectionItem* item);
  void FreeItems();

  TItemFactory factory_;
  std::vector<TCollectionItem*> items_;
  int updateCount_ = 0;
  bool pendingChange_ = false;
  bool clearing_ = false;
};
