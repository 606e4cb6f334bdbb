#pragma once
// List box over the system LISTBOX class.
#include "toolkit/win/control_enums.h"
#include "toolkit/win/control_items.h"
#include "toolkit/win/controls.h"

class TCustomListBox : public TWinControl, public TControlItems {
  TK_CLASS(TCustomListBox)
public:
  explicit TCustomListBox(TComponent* owner);
  ~TCustomListBox() override;

  int GetItemIndex() const;
  void SetItemIndex(int i);
  // Items kept in ASCII-case-insensitive order.
  bool GetSorted() const { return items_->GetSorted(); }
  void SetSorted(bool v) { items_->SetSorted(v); }
  TBorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle s);

protected:
  // A change of items mirrored into the window, or the kept selection dropped.
  void ItemsChanged(TControlStrings::TChange c, int i) override;
  void CreateParams(TCreateParams& p) override;
  void InitializeWindow() override;
  void ReflectedMessage(TMessage& m) override;

private:
  int itemIndex_ = -1;  // kept while there is no window
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
};

class TListBox : public TCustomListBox {
  TK_CLASS(TListBox)
public:
  explicit TListBox(TComponent* owner) : TCustomListBox(owner) {}
};
