#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/base/collection.h"

namespace {

int gAlive = 0;

class TTestItem : public TCollectionItem {
  TK_CLASS(TTestItem)
public:
  TTestItem() { ++gAlive; }
  ~TTestItem() override { --gAlive; }
  int GetWidth() const { return width_; }
  void SetWidth(int v) {
    width_ = v;
    Changed();
  }

private:
  int width_ = 0;
};

const TClassInfo& TTestItem::StaticClass() {
  static const TClassInfo info = TClassBuilder<TTestItem>("TTestItem", &TCollectionItem::StaticClass())
                                     .Prop("Width", &TTestItem::GetWidth, &TTestItem::SetWidth)
                                     .Build();
  return info;
}

// Collects the change notifications: the item's width, or -1 for a list change.
struct TChangeLog {
  std::vector<int> seen;
  void Attach(TCollection& c) {
    c.OnChange = [this](TCollection&, TCollectionItem* item) {
      seen.push_back(item ? static_cast<TTestItem*>(item)->GetWidth() : -1);
    };
  }
};

std::unique_ptr<TCollection> MakeCollection() {
  return std::make_unique<TCollection>([] { return std::make_unique<TTestItem>(); });
}

TTestItem* AddWidth(TCollection& c, int w) {
  auto* item = static_cast<TTestItem*>(c.Add());
  item->SetWidth(w);
  return item;
}

std::vector<int> Widths(const TCollection& c) {
  std::vector<int> out;
  for (int i = 0; i < c.Count(); ++i) out.push_back(static_cast<TTestItem*>(c.Items(i))->GetWidth());
  return out;
}

TEST(Collection, AddDeleteClearKeepIndicesInOrder) {
  auto c = MakeCollection();
  TTestItem* a = AddWidth(*c, 10);
  AddWidth(*c, 20);
  TTestItem* d = AddWidth(*c, 30);
  EXPECT_EQ(c->Count(), 3);
  EXPECT_EQ(a->Collection(), c.get());
  EXPECT_EQ(a->Index(), 0);
  EXPECT_EQ(d->Index(), 2);

  c->Delete(1);
  EXPECT_EQ(Widths(*c), (std::vector<int>{10, 30}));
  EXPECT_EQ(d->Index(), 1);
  EXPECT_EQ(gAlive, 2);

  // An item freed on its own leaves the collection.
  delete a;
  EXPECT_EQ(Widths(*c), (std::vector<int>{30}));
  EXPECT_EQ(d->Index(), 0);

  c->Clear();
  EXPECT_EQ(c->Count(), 0);
  EXPECT_EQ(gAlive, 0);

  AddWidth(*c, 1);
  AddWidth(*c, 2);
  c.reset();  // the collection frees its items
  EXPECT_EQ(gAlive, 0);
}

TEST(Collection, IndexOutsideRaises) {
  auto c = MakeCollection();
  AddWidth(*c, 5);
  for (int bad : {-1, 1, 100}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(c->Items(bad), ECollectionError);
    EXPECT_THROW(c->Delete(bad), ECollectionError);
  }
  EXPECT_EQ(Widths(*c), (std::vector<int>{5}));
}

TEST(Collection, WithoutFactoryAddRaises) {
  TCollection c(nullptr);
  EXPECT_THROW(c.Add(), ECollectionError);
  TCollection empty([] { return std::unique_ptr<TCollectionItem>(); });
  EXPECT_THROW(empty.Add(), ECollectionError);
  EXPECT_EQ(empty.Count(), 0);
}

TEST(Collection, ChangesAreToldAndBatchedInUpdates) {
  auto c = MakeCollection();
  TChangeLog log;
  log.Attach(*c);
  TTestItem* a = AddWidth(*c, 10);  // list change, then the item's own change
  EXPECT_EQ(log.seen, (std::vector<int>{-1, 10}));

  log.seen.clear();
  c->BeginUpdate();
  c->BeginUpdate();
  AddWidth(*c, 20);
  a->SetWidth(11);
  c->Delete(1);
  c->EndUpdate();
  EXPECT_TRUE(log.seen.empty());  // still inside the outer update
  c->EndUpdate();
  EXPECT_EQ(log.seen, (std::vector<int>{-1}));

  log.seen.clear();
  c->BeginUpdate();
  c->EndUpdate();  // nothing changed: nothing told
  c->EndUpdate();  // unbalanced: ignored
  EXPECT_TRUE(log.seen.empty());
  EXPECT_EQ(c->UpdateCount(), 0);

  c->Clear();
  c->Clear();  // already empty: no change
  EXPECT_EQ(log.seen, (std::vector<int>{-1}));
}

TEST(Collection, ItemsHaveTheirOwnProperties) {
  auto c = MakeCollection();
  TCollectionItem* item = c->Add();
  SetOrdProp(*item, "width", 42);
  EXPECT_EQ(GetOrdProp(*item, "Width"), 42);
  EXPECT_TRUE(item->InheritsFrom("TCollectionItem"));
  EXPECT_FALSE(IsPublishedProp(item, "Caption"));
}

}  // namespace
