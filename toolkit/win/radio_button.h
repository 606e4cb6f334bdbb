#pragma once
// Radio button over the system BUTTON class. Checking one unchecks the other
// radio buttons of the same parent.
#include "toolkit/win/controls.h"

class TRadioButton : public TWinControl {
  TK_CLASS(TRadioButton)
public:
  explicit TRadioButton(TComponent* owner);

  // Becoming checked (by code or by a click) fires OnClick.
  bool GetChecked() const { return checked_; }
  void SetChecked(bool v);

protected:
  void CreateParams(TCreateParams& p) override;
  void InitializeWindow() override;
  void ReflectedMessage(TMessage& m) override;

private:
  bool checked_ = false;
};
