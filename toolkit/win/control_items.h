#pragma once
// The Items of a list-like control (list box, combo box, radio group): its
// string list, published as a list of strings, with every change told to the
// control through ItemsChanged.
#include <memory>
#include <string>
#include <vector>

#include "toolkit/win/control_strings.h"

class TControlItems {
public:
  TControlStrings* Items() const { return items_.get(); }
  std::vector<std::string> GetItemsList() const { return items_->List(); }
  void SetItemsList(const std::vector<std::string>& l) { items_->SetList(l); }

protected:
  TControlItems() : items_(std::make_unique<TControlStrings>()) {
    items_->OnChanged = [this](TControlStrings::TChange c, int i) { ItemsChanged(c, i); };
  }
  virtual ~TControlItems() = default;
  TControlItems(const TControlItems&) = delete;
  TControlItems& operator=(const TControlItems&) = delete;

  // What changed and where (Reset: the whole list).
  virtual void ItemsChanged(TControlStrings::TChange change, int index) = 0;

  std::unique_ptr<TControlStrings> items_;
};
