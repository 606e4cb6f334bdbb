#pragma once
// Check box over the system BUTTON class; the control keeps the state itself.
#include "toolkit/win/control_enums.h"
#include "toolkit/win/controls.h"

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCustomCheckBox : public TWinControl {
  TK_CLASS(TCustomCheckBox)
public:
  explicit TCustomCheckBox(TComponent* owner);

  // Changing the state (by code or by a click) fires OnClick.
  TCheckBoxState GetState() const { return state_; }
  void SetState(TCheckBoxState s);
  bool GetChecked() const { return state_ == TCheckBoxState::cbChecked; }
  void SetChecked(bool v) { SetState(v ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
  bool GetAllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool v) { allowGrayed_ = v; }
  // taRightJustify: the text right of the box (the usual); taLeftJustify: left of it.
  TAlignment GetAlignment() const { return alignment_; }
  void SetAlignment(TAlignment a);

protected:
  void CreateParams(TCreateParams& p) override;
  void InitializeWindow() override;
  void ReflectedMessage(TMessage& m) override;

private:
  TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
  bool allowGrayed_ = false;
  TAlignment alignment_ = TAlignment::taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
  TK_CLASS(TCheckBox)
public:
  explicit TCheckBox(TComponent* owner) : TCustomCheckBox(owner) {}
};
