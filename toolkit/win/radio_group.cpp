#include "toolkit/win/radio_group.h"

#include <algorithm>

const TClassInfo& TGroupButton::StaticClass() {
  static const TClassInfo info = TClassBuilder<TGroupButton>("TGroupButton", &TRadioButton::StaticClass()).Build();
  return info;
}

TGroupButton::TGroupButton(TCustomRadioGroup* group) : TRadioButton(group), group_(group) {
  SetParentColor(true);
  SetParent(group);
}

void TGroupButton::Click() {
  TRadioButton::Click();
  group_->ButtonClicked(this);
}

const TClassInfo& TCustomRadioGroup::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TCustomRadioGroup>("TCustomRadioGroup", &TCustomGroupBox::StaticClass())
          .Strings("Items", &TCustomRadioGroup::GetItemsList, &TCustomRadioGroup::SetItemsList)
          .Prop("ItemIndex", &TCustomRadioGroup::GetItemIndex, &TCustomRadioGroup::SetItemIndex)
          .Prop("Columns", &TCustomRadioGroup::GetColumns, &TCustomRadioGroup::SetColumns)
          .Build();
  return info;
}

const TClassInfo& TRadioGroup::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TRadioGroup>("TRadioGroup", &TCustomRadioGroup::StaticClass()).Creatable().Build();
  return info;
}

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner) : TCustomGroupBox(owner) {}

void TCustomRadioGroup::ItemsChanged(TControlStrings::TChange, int) {
  if (!IsLoading()) UpdateButtons();
}

TCustomRadioGroup::~TCustomRadioGroup() {
  BeginDestroy();
  // The buttons are owned components too; they go first, leaving the list empty.
  for (TGroupButton* b : buttons_) delete b;
  buttons_.clear();
  DestroyComponents();
}

void TCustomRadioGroup::Loaded() {
  TCustomGroupBox::Loaded();
  UpdateButtons();
}

// One button per item, the buttons made again as the items change.
void TCustomRadioGroup::UpdateButtons() {
  updating_ = true;
  struct Reset { bool& f; ~Reset() { f = false; } } reset{updating_};
  int n = items_->Count();
  while (static_cast<int>(buttons_.size()) > n) {
    delete buttons_.back();
    buttons_.pop_back();
  }
  while (static_cast<int>(buttons_.size()) < n) buttons_.push_back(new TGroupButton(this));
  if (itemIndex_ >= n) itemIndex_ = n - 1;
  for (int i = 0; i < n; ++i) {
    buttons_[static_cast<std::size_t>(i)]->SetCaption(items_->Strings(i));
    buttons_[static_cast<std::size_t>(i)]->SetChecked(i == itemIndex_);
  }
  ArrangeButtons();
}

// Column-major: the first column fills from the top, then the next.
void TCustomRadioGroup::ArrangeButtons() {
  int n = static_cast<int>(buttons_.size());
  if (n == 0) return;
  int cols = std::max(1, columns_);
  int perCol = (n + cols - 1) / cols;
  int th = CaptionHeight();
  int width = (GetWidth() - 10) / cols;
  int area = GetHeight() - th - 5;
  int height = std::max(1, area / perCol);
  int top = th + 1 + (area > 0 ? (area % perCol) / 2 : 0);
  for (int i = 0; i < n; ++i)
    buttons_[static_cast<std::size_t>(i)]->SetBounds(8 + (i / perCol) * width, top + (i % perCol) * height, width,
                                                      height);
}

void TCustomRadioGroup::BoundsChanged() {
  TCustomGroupBox::BoundsChanged();
  ArrangeButtons();
}

void TCustomRadioGroup::FontChanged() {
  TCustomGroupBox::FontChanged();
  ArrangeButtons();
}

void TCustomRadioGroup::SetColumns(int n) {
  n = std::clamp(n, 1, 16);
  if (n == columns_) return;
  columns_ = n;
  ArrangeButtons();
  Invalidate();
}

void TCustomRadioGroup::SetItemIndex(int i) {
  if (IsLoading()) {
    itemIndex_ = i;
    return;
  }
  if (i < -1) i = -1;
  if (i >= items_->Count()) i = items_->Count() - 1;
  if (i == itemIndex_) return;
  itemIndex_ = i;
  {
    updating_ = true;
    struct Reset { bool& f; ~Reset() { f = false; } } reset{updating_};
    for (int k = 0; k < ButtonCount(); ++k) buttons_[static_cast<std::size_t>(k)]->SetChecked(k == i);
  }
  Click();
}

void TCustomRadioGroup::ButtonClicked(TGroupButton* b) {
  if (updating_) return;
  auto it = std::find(buttons_.begin(), buttons_.end(), b);
  if (it == buttons_.end()) return;
  int i = static_cast<int>(it - buttons_.begin());
  if (i == itemIndex_) return;
  itemIndex_ = i;
  Click();
}
