#pragma once
// Radio group: a group box holding one real radio button per item, laid out
// column by column; ItemIndex is the checked item (-1: none).
#include <vector>

#include "toolkit/win/control_items.h"
#include "toolkit/win/group_box.h"
#include "toolkit/win/radio_button.h"

class TCustomRadioGroup;

// The buttons a radio group makes for its items.
class TGroupButton : public TRadioButton {
  TK_CLASS(TGroupButton)
public:
  TGroupButton(TCustomRadioGroup* group);
  void Click() override;

private:
  TCustomRadioGroup* group_;
};

class TCustomRadioGroup : public TCustomGroupBox, public TControlItems {
  TK_CLASS(TCustomRadioGroup)
public:
  explicit TCustomRadioGroup(TComponent* owner);
  ~TCustomRadioGroup() override;

  int GetItemIndex() const { return itemIndex_; }
  // Checks that item's button; a change fires OnClick once.
  void SetItemIndex(int i);
  int GetColumns() const { return columns_; }
  void SetColumns(int n);
  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  TRadioButton* Buttons(int i) const { return buttons_.at(static_cast<std::size_t>(i)); }

  void Loaded() override;

protected:
  void BoundsChanged() override;
  void FontChanged() override;
  void ItemsChanged(TControlStrings::TChange c, int i) override;

private:
  friend class TGroupButton;
  void ButtonClicked(TGroupButton* b);
  void UpdateButtons();
  void ArrangeButtons();

  std::vector<TGroupButton*> buttons_;
  int itemIndex_ = -1;
  int columns_ = 1;
  bool updating_ = false;
};

class TRadioGroup : public TCustomRadioGroup {
  TK_CLASS(TRadioGroup)
public:
  explicit TRadioGroup(TComponent* owner) : TCustomRadioGroup(owner) {}
};
