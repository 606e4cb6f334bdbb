#pragma once
// A list box whose items each carry a check state; items may be disabled or
// be headers (drawn in the header colours, without a check).
#include <vector>

#include "toolkit/win/check_box.h"
#include "toolkit/win/list_box.h"

class TCheckListBox : public TCustomListBox {
  TK_CLASS(TCheckListBox)
public:
  explicit TCheckListBox(TComponent* owner);

  // Items outside the list read as unchecked, enabled, not a header.
  TCheckBoxState State(int i) const;
  void SetState(int i, TCheckBoxState s);
  bool Checked(int i) const { return State(i) == TCheckBoxState::cbChecked; }
  void SetChecked(int i, bool v) { SetState(i, v ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
  bool ItemEnabled(int i) const;
  void SetItemEnabled(int i, bool v);
  bool Header(int i) const;
  void SetHeader(int i, bool v);
  TColor GetHeaderColor() const { return headerColor_; }
  void SetHeaderColor(TColor c) { headerColor_ = c; }
  TColor GetHeaderBackgroundColor() const { return headerBackground_; }
  void SetHeaderBackgroundColor(TColor c) { headerBackground_ = c; }

protected:
  void CreateParams(TCreateParams& p) override;
  void ReflectedMessage(TMessage& m) override;

private:
  struct TItemFlags {
    TCheckBoxState state = TCheckBoxState::cbUnchecked;
    bool enabled = true;
    bool header = false;
  };
  TItemFlags Flags(int i) const;
  TItemFlags& FlagsFor(int i);
  void DrawItem(const DRAWITEMSTRUCT& d);
  std::vector<TItemFlags> flags_;
  TColor headerColor_ = clCaptionText, headerBackground_ = clActiveCaption;
};
