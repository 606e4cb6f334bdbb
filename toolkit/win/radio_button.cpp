#include "toolkit/win/radio_button.h"

const TClassInfo& TRadioButton::StaticClass() {
  static const TClassInfo info = TClassBuilder<TRadioButton>("TRadioButton", &TWinControl::StaticClass())
                                     .Creatable()
                                     .Prop("Checked", &TRadioButton::GetChecked, &TRadioButton::SetChecked)
                                     .Build();
  return info;
}

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 113, 17);
  SetTabStop(true);
}

void TRadioButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClassName = L"BUTTON";
  p.Style |= BS_RADIOBUTTON;
}

void TRadioButton::InitializeWindow() { SendMessageW(HandleOrNull(), BM_SETCHECK, checked_ ? BST_CHECKED : 0, 0); }

void TRadioButton::SetChecked(bool v) {
  if (v == checked_) return;
  checked_ = v;
  if (HWND w = HandleOrNull()) SendMessageW(w, BM_SETCHECK, v ? BST_CHECKED : 0, 0);
  if (!v) return;
  if (TWinControl* p = Parent())
    for (int i = 0; i < p->ControlCount(); ++i)
      if (auto* r = dynamic_cast<TRadioButton*>(p->Controls(i)); r && r != this) r->SetChecked(false);
  if (!IsLoading()) Click();
}

void TRadioButton::ReflectedMessage(TMessage& m) {
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
    SetChecked(true);
    m.Result = 0;
    return;
  }
  TWinControl::ReflectedMessage(m);
}
