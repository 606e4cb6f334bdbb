#include "toolkit/base/collection.h"

#include <algorithm>

const TClassInfo& TCollectionItem::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TCollectionItem>("TCollectionItem", &TPersistent::StaticClass()).Build();
  return info;
}

TCollectionItem::~TCollectionItem() {
  if (collection_) collection_->Detach(this);
}

int TCollectionItem::Index() const { return collection_ ? collection_->IndexOf(this) : -1; }

void TCollectionItem::Changed() {
  if (collection_) collection_->Changed(this);
}

const TClassInfo& TCollection::StaticClass() {
  static const TClassInfo info = TClassBuilder<TCollection>("TCollection", &TPersistent::StaticClass()).Build();
  return info;
}

TCollection::TCollection(TItemFactory factory) : factory_(std::move(factory)) {}

TCollection::~TCollection() {
  clearing_ = true;
  FreeItems();
}

// Taken out of the list first: an item's destructor finds it gone.
void TCollection::FreeItems() {
  std::vector<TCollectionItem*> items;
  items.swap(items_);
  for (TCollectionItem* item : items) {
    item->collection_ = nullptr;
    delete item;
  }
}

TCollectionItem* TCollection::Add() {
  std::unique_ptr<TCollectionItem> made = factory_ ? factory_() : nullptr;
  if (!made) throw ECollectionError(ClassName() + " has no item class to make items of");
  TCollectionItem* item = made.release();
  item->collection_ = this;
  items_.push_back(item);
  Changed(nullptr);
  return item;
}

void TCollection::Clear() {
  if (items_.empty()) return;
  FreeItems();
  Changed(nullptr);
}

void TCollection::Delete(int index) {
  TCollectionItem* item = Items(index);
  items_.erase(items_.begin() + index);
  item->collection_ = nullptr;
  delete item;
  Changed(nullptr);
}

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count())
    throw ECollectionError("collection index out of bounds (" + std::to_string(index) + ")");
  return items_[static_cast<std::size_t>(index)];
}

int TCollection::IndexOf(const TCollectionItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TCollection::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ == 0 && pendingChange_) {
    pendingChange_ = false;
    Update(nullptr);
  }
}

void TCollection::Update(TCollectionItem* item) {
  if (OnChange) OnChange(*this, item);
}

void TCollection::Changed(TCollectionItem* item) {
  if (clearing_) return;
  if (updateCount_ > 0) { pendingChange_ = true; return; }
  Update(item);
}

void TCollection::Detach(TCollectionItem* item) {
  items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
  item->collection_ = nullptr;
  Changed(nullptr);
}
