#include "toolkit/win/button.h"

const TClassInfo& TButton::StaticClass() {
  static const TClassInfo info = TClassBuilder<TButton>("TButton", &TWinControl::StaticClass())
                                     .Creatable()
                                     .Prop("Default", &TButton::GetDefault, &TButton::SetDefault)
                                     .Prop("Cancel", &TButton::GetCancel, &TButton::SetCancel)
                                     .Prop("ModalResult", &TButton::GetModalResult, &TButton::SetModalResult)
                                     .Build();
  return info;
}

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClassName = L"BUTTON";
  p.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool v) {
  default_ = v;
  if (HWND w = HandleOrNull()) SendMessageW(w, BM_SETSTYLE, v ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
  if (modalResult_ != mrNone)
    if (TCustomForm* f = GetParentForm(this)) f->SetModalResult(modalResult_);
  TWinControl::Click();
}

void TButton::WndProc(TMessage& m) {
  // A focused button takes Enter itself.
  if (m.Msg == CM_WANTSPECIALKEY) {
    m.Result = m.WParam == VK_RETURN ? 1 : 0;
    return;
  }
  // Alt and the caption's access key click the button.
  if (m.Msg == CM_DIALOGCHAR && IsAccel(static_cast<unsigned>(m.WParam), GetCaption()) && CanFocus()) {
    Click();
    m.Result = 1;
    return;
  }
  TWinControl::WndProc(m);
}

void TButton::DefaultHandler(TMessage& m) {
  if (m.Msg == WM_KEYDOWN && m.WParam == VK_RETURN) {
    Click();
    m.Result = 0;
    return;
  }
  TWinControl::DefaultHandler(m);
}

void TButton::ReflectedMessage(TMessage& m) {
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
    Click();
    m.Result = 0;
    return;
  }
  TWinControl::ReflectedMessage(m);
}
